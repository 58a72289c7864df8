// The world editor on the page ("Make a world"): the game's own editor
// (ui/editor_mode, compiled in) opened on the world kept in the browser's
// storage or a new one, a copy of unsaved work left by a closed tab offered
// back, the touch keys swapped for the editor's, what F2 saves and a copy
// after every change kept in the storage, the .worlds file downloaded, and
// the browser's own prompt before the page is left with changes not saved.
var velmoraEditor = (function () {
  var SavedName = 'velmora-world';
  var CopyName = 'velmora-world-copy';
  var screen = document.getElementById('screen');
  var editing = false;

  function store(name, text) {
    try { localStorage.setItem(name, text); return true; } catch (e) { return false; }
  }
  function stored(name) {
    try { return localStorage.getItem(name) || ''; } catch (e) { return ''; }
  }

  // Calls `call` with `text` as zero-ended UTF-8 in the program's memory.
  function withText(text, call) {
    var bytes = new TextEncoder().encode(text);
    var at = Module._malloc(bytes.length + 1);
    Module.HEAPU8.set(bytes, at);
    Module.HEAPU8[at + bytes.length] = 0;
    try { return call(at); } finally { Module._free(at); }
  }

  function show(on) {
    editing = on;
    document.documentElement.classList.toggle('editing', on);
  }

  function open() {
    velmoraPage.whenReady(function () {
      var saved = stored(SavedName);
      var copy = stored(CopyName);
      var back = copy !== '' && copy !== saved &&
        confirm('A world you were making was not saved. Go on with it?');
      var refused = withText(back ? copy : saved, function (at) {
        return Module._velmora_edit_open(at, back ? 1 : 0);
      });
      if (refused) {
        velmoraPage.showBox(UTF8ToString(Module._velmora_edit_refusal()), 'Make a world');
        return;
      }
      show(true);
      screen.focus({ preventScroll: true });
    });
  }

  function leave() {
    if (Module._velmora_edit_unsaved() &&
        !confirm('The world has changes that are not saved. Leave it?')) return;
    store(CopyName, '');
    Module._velmora_edit_close();
    show(false);
    screen.focus({ preventScroll: true });
  }

  function download() {
    var text = UTF8ToString(Module._velmora_edit_text());
    var link = document.createElement('a');
    link.href = URL.createObjectURL(new Blob([text], { type: 'text/plain' }));
    link.download = 'my-world.worlds';
    document.body.appendChild(link);
    link.click();
    link.remove();
    setTimeout(function () { URL.revokeObjectURL(link.href); }, 1000);
  }

  document.getElementById('make-world').addEventListener('click', open);
  document.getElementById('leave-editor').addEventListener('click', leave);
  document.getElementById('download-world').addEventListener('click', download);
  document.querySelectorAll('#editor-keys button').forEach(function (button) {
    button.addEventListener('pointerdown', function (event) { event.preventDefault(); });
    button.addEventListener('click', function () {
      if (window.velmoraReady) Module._velmora_key(Number(button.dataset.key));
    });
  });
  addEventListener('beforeunload', function (event) {
    if (!editing || !window.velmoraReady || !Module._velmora_edit_unsaved()) return;
    event.preventDefault();
    event.returnValue = '';
  });

  return {
    editing: function () { return editing; },
    // The editor's Escape (leaving the title's typing) is not the page's.
    takesEscape: function () {
      return editing && window.velmoraReady && Module._velmora_edit_takes_escape() !== 0;
    },
    // Leaves a game of the editor's world for the editor; false when none
    // is played.
    leaveGame: function () {
      return editing && window.velmoraReady && Module._velmora_edit_leave_game() !== 0;
    },
    // F2 (web/main.cpp): true when the browser's storage kept the file.
    saved: function (text) { return store(SavedName, text) && store(CopyName, ''); },
    changed: function (text) { store(CopyName, text); },
  };
})();
