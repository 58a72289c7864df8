// Keeps the page for offline play: on install it stores every file of the
// page in a cache named after the build (scripts/build-web.sh writes the
// version and the file list in place of the two markers), answers from that
// cache first, and drops the caches of other builds once it takes over.
var Version = '@VERSION@';
var Files = [@FILES@];
var Cache = 'velmora-' + Version;

self.addEventListener('install', function (event) {
  event.waitUntil(caches.open(Cache).then(function (cache) {
    return cache.addAll(Files);
  }).then(function () { return self.skipWaiting(); }));
});

self.addEventListener('activate', function (event) {
  event.waitUntil(caches.keys().then(function (names) {
    return Promise.all(names.filter(function (name) {
      return name.indexOf('velmora-') === 0 && name !== Cache;
    }).map(function (name) { return caches.delete(name); }));
  }).then(function () { return self.clients.claim(); }));
});

// The page's own files from the cache (the page itself whatever its query);
// anything else from the network as usual.
self.addEventListener('fetch', function (event) {
  var request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== location.origin) return;
  var lookup = request.mode === 'navigate' ? caches.match(request, { ignoreSearch: true })
                                            : caches.match(request);
  event.respondWith(lookup.then(function (hit) {
    if (hit) return hit;
    // Offline, a link to the page with anything after it still opens the game.
    if (request.mode === 'navigate')
      return fetch(request).catch(function () { return caches.match('./'); });
    return fetch(request);
  }));
});
