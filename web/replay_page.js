// The page's games: the game played here kept in the browser's storage and
// replayed undrawn after a reload, "New game", "Save this game" (a key
// recording the desktop resumes), "Copy link", and watching a replay link's
// game (#replay=CODE) or a recording or script opened or dropped on the page,
// at the pace and with the steering keys of `velmora --watch` (the game's own
// feeder), its --summary line shown at the end. A world file opened, dropped
// or linked (#worlds=CODE) is played from its title (worlds_page.js), and the
// game's saves and links carry it. Every key that goes into the
// game reaches velmoraPage.keyPlayed (web/main.cpp), the one place they are
// kept.
import {
  decodeReplayCode, decodeWorldsCode, encodeReplayCode, encodeWorldsCode, keyRecording,
  replayCodeOfHash, ReplayLinkError, worldsCodeOfHash,
} from './replay_link.js';
import {
  newGameWords, onWorldsChanged, openWorlds, openWorldsFile, playCopyOf, playedIdentity,
  playedWorlds, playKeptWorlds, wireWorlds, worldsLines, worldsRefusal,
} from './worlds_page.js';
import {
  dayKeysPlayed, dayLinkPart, dayWatchEnded, openDayLink, wireDay,
} from './daily_page.js';

// A won game takes about 2,500 keys; a game past this many is not kept.
const MaxKeptKeys = 256 * 1024;
// A recording of a game of MaxKeptKeys keys is about 2 MB: a file past this
// is refused before it is read.
const MaxFileBytes = 4 * 1024 * 1024;
const StoreName = 'velmora-keys';
const Watch = { none: 0, playing: 1, paused: 2, finished: 3, takenOver: 4 };
const WatchKeys = 'Watching: Space pauses and resumes, Right (paused) shows the next key, ' +
  'Up and Down play faster and slower, End goes to the end, Enter plays on from here.';

const status = document.getElementById('game-status');
const summary = document.getElementById('watch-summary');
const chooser = document.getElementById('open-file');
let keys = [];       // every key that went into the game since the last new game
let kept = true;     // whether `keys` is still the whole game (within MaxKeptKeys)
let storeDue = false;
let timer = 0;
let shownState = Watch.none;

function say(text) { status.textContent = text; }

// The game is kept as text, one character a key.
function store() {
  storeDue = false;
  try {
    if (!kept) {
      localStorage.removeItem(StoreName);
      return;
    }
    let text = '';
    for (let i = 0; i < keys.length; i += 8192) {
      text += String.fromCharCode(...keys.slice(i, i + 8192));
    }
    localStorage.setItem(StoreName, text);
  } catch {
    // Storage full or refused: the game plays on, only a reload loses it.
  }
}

function storeSoon() {
  if (storeDue) return;
  storeDue = true;
  setTimeout(store, 250);
}
addEventListener('pagehide', () => { if (storeDue) store(); });

function keptKeys() {
  let text = null;
  try { text = localStorage.getItem(StoreName); } catch { return []; }
  if (!text || text.length > MaxKeptKeys) return [];
  const codes = [...text].map((c) => c.charCodeAt(0));
  return codes.every((k) => k >= 1 && k <= 255) ? codes : [];
}

velmoraPage.onKeyPlayed((key) => {
  if (keys.length >= MaxKeptKeys) kept = false;
  else keys.push(key);
  storeSoon();
});

// Copies `codes` into the program's memory, calls `call` with the place and
// the count, and frees it.
function withBytes(codes, call) {
  const at = Module._malloc(codes.length + 1);
  Module.HEAPU8.set(codes, at);
  Module.HEAPU8[at + codes.length] = 0;
  try { return call(at, codes.length); } finally { Module._free(at); }
}

function resume(codes) {
  keys = [...codes];
  kept = true;
  if (codes.length) withBytes(codes, (at, n) => Module._velmora_resume_keys(at, n));
}

// The watch's clock: called when the wait it asked for has passed and after
// every key of the player's.
function tick() {
  clearTimeout(timer);
  const wait = Module._velmora_watch_tick();
  if (wait >= 0) timer = setTimeout(tick, wait);
  const state = Module._velmora_watch_state();
  if (state === shownState) return;
  shownState = state;
  if (state === Watch.finished) {
    summary.textContent = UTF8ToString(Module._velmora_watch_summary());
    dayWatchEnded();
    say('The game watched is at its end. Enter plays on from here.');
  } else if (state === Watch.takenOver) {
    say('The game is yours: play on.');
  } else if (state === Watch.playing && status.textContent !== WatchKeys) {
    say(WatchKeys);
  }
}

function startedWatch() {
  keys = [];
  kept = true;
  storeSoon();
  summary.textContent = '';
  shownState = Watch.none;
  tick();
  velmoraPage.ready();
}

function watchKeys(codes) {
  withBytes(codes, (at, n) => Module._velmora_watch_keys(at, n));
  startedWatch();
}

// Watches a recording or script; a bad one is told and the game before it
// is back as it was.
async function watchText(text, name) {
  const before = keys;
  const bytes = new TextEncoder().encode(text);
  // A recording's `worlds ID` line asks the game for the identity of the
  // worlds played; other worlds are played from the page's copy of their
  // file, or are the player's to open.
  const played = await playedIdentity();
  const named = /^worlds ([0-9a-f]{64})\s*$/m.exec(text)?.[1];
  const switched = Boolean(named) && named !== played;
  if (switched && !(await playCopyOf(named))) {
    say(`${name} was played on other worlds (${named}): open their world file with ` +
        '"Open worlds", then open the game again.');
    return;
  }
  velmoraPage.takeError();
  const result = withBytes(bytes, (at) => Module._velmora_watch_script(at));
  if (result === 0) {
    startedWatch();
    return;
  }
  // On the copy's worlds the game before is gone: a new game there stays.
  if (!switched) resume(before);
  say(`${name} is not a game to watch: ${velmoraPage.takeError() || 'it cannot be played.'}`);
}

// A new game kept from here: nothing played yet.
function keepNewGame() {
  keys = [];
  kept = true;
  store();
  summary.textContent = '';
  shownState = Watch.none;
}
// The worlds played change (a world file opened, the editor's world played
// or left): a new game starts on them.
onWorldsChanged(keepNewGame);

async function openFile(file) {
  if (!file) return;
  if (/\.worlds$/i.test(file.name)) {
    await openWorldsFile(file);
    return;
  }
  if (file.size > MaxFileBytes) {
    say(`${file.name} is too large to be a game: a game file holds at most ` +
        `${MaxFileBytes / 1024 / 1024} MB.`);
    return;
  }
  watchText(await file.text(), file.name);
}

function download(text, name) {
  const link = document.createElement('a');
  link.href = URL.createObjectURL(new Blob([text], { type: 'text/plain' }));
  link.download = name;
  document.body.appendChild(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(link.href), 1000);
}

// The editor's world while it is being made, not played.
function editedWorld() {
  if (!window.velmoraEditor?.editing()) return null;
  if (JSON.parse(UTF8ToString(Module._velmora_state())).editor?.playing) return null;
  return UTF8ToString(Module._velmora_edit_text());
}

async function copyLink() {
  const page = `${location.origin}${location.pathname}`;
  const made = editedWorld();
  let address;
  if (made !== null) {
    const refused = worldsRefusal(made, 'my-world.worlds');
    if (refused) {
      say(`This world cannot be played yet: ${refused}`);
      return;
    }
    address = `${page}#worlds=${await encodeWorldsCode(made)}`;
  } else {
    address = `${page}#replay=${await encodeReplayCode(keys)}`;
    const worlds = playedWorlds();
    // A day's game names its day, which the page makes again, not its file.
    if (dayLinkPart()) address += dayLinkPart();
    else if (worlds) address += `&worlds=${await encodeWorldsCode(worlds.text)}`;
  }
  const link = document.createElement('a');
  link.id = 'game-link';
  link.href = address;
  link.textContent = made !== null ? 'the link to this world' : 'the link to this game';
  status.textContent = '';
  try {
    await navigator.clipboard.writeText(address);
    status.append('Copied ', link, ' to the clipboard.');
  } catch {
    status.append('The clipboard is closed to this page: copy ', link, ' from here.');
  }
}

function wire() {
  wireDay(() => keys);
  document.getElementById('new-game').addEventListener('click', () => {
    Module._velmora_new_game();
    keepNewGame();
    const worlds = playedWorlds();
    say(worlds ? newGameWords(worlds) : 'A new game.');
    velmoraPage.ready();
  });
  document.getElementById('own-worlds').addEventListener('click', () => {
    Module._velmora_play_built_in();
    Module._velmora_new_game();
    say('A new game on the game\'s own worlds.');
    velmoraPage.ready();
  });
  document.getElementById('save-game').addEventListener('click', async () => {
    let worlds;
    try {
      worlds = await worldsLines();
    } catch (error) {
      say(`The game is not saved: ${error.message}.`);
      return;
    }
    download(keyRecording(keys, worlds), 'velmora-game.txt');
    say(kept ? 'The game is saved as velmora-game.txt: continue it with velmora --resume.'
             : 'This game is too long to keep: only its first keys are saved.');
  });
  document.getElementById('copy-link').addEventListener('click', copyLink);
  document.getElementById('open-game').addEventListener('click', () => chooser.click());
  chooser.addEventListener('change', () => {
    openFile(chooser.files[0]);
    chooser.value = '';
  });
  wireWorlds();
  addEventListener('dragover', (event) => event.preventDefault());
  addEventListener('drop', (event) => {
    event.preventDefault();
    openFile(event.dataTransfer.files[0]);
  });
  // A key of the player's may steer the watch: its clock looks again.
  addEventListener('keydown', () => setTimeout(tick, 0));
  document.getElementById('touch-keys').addEventListener('click', () => setTimeout(tick, 0));
  document.getElementById('confirm-end').addEventListener('click', () => {
    keys = [];
    store();
  });
}

// The game kept by an earlier visit, on the worlds it was played on.
async function resumeKept() {
  const codes = keptKeys();
  await playKeptWorlds();
  resume(codes);
  store();
  dayKeysPlayed();
}

// A link's game (#replay=CODE, with &worlds=CODE when it was played on a
// world file, or &daily=DATE&v=VERSION&id=ID on a day's world) is watched on
// its worlds; a world file's link alone
// (#worlds=CODE) opens at its title. A damaged link or refused world file is
// told, and the kept game plays on.
async function openLink(code, worldsCode, hash) {
  const refused = async () => {
    const told = status.textContent;
    await resumeKept();
    say(told);
  };
  try {
    const linked = code === null ? null : await decodeReplayCode(code);
    if (worldsCode !== null) {
      const text = await decodeWorldsCode(worldsCode);
      if (!(await openWorlds(text, 'link'))) {
        await refused();
        return;
      }
    } else if (dayNamed(hash)) {
      // A day's link: its day made again here, played only as the worlds named.
      if (!(await openDayLink(hash))) {
        await refused();
        return;
      }
    } else {
      Module._velmora_play_built_in();
    }
    if (linked) watchKeys(linked);
  } catch (error) {
    if (!(error instanceof ReplayLinkError)) throw error;
    await resumeKept();
    say(error.message);
  }
}

const dayNamed = (hash) => /^#(.*&)?daily=/.test(hash);

async function start() {
  wire();
  const code = replayCodeOfHash(location.hash);
  const worldsCode = worldsCodeOfHash(location.hash);
  const hash = location.hash;
  if (code === null && worldsCode === null && !dayNamed(hash)) {
    await resumeKept();
    return;
  }
  // A reload plays on from the kept game, not the link again.
  history.replaceState(null, '', location.pathname + location.search);
  await openLink(code, worldsCode, hash);
}

velmoraPage.whenReady(start);
