// Today's world on the page: "Today's world" makes the day (today in UTC)
// with the generator compiled into the game, the same bytes as the
// desktop's `--daily`, and plays it from its title as any world file; a
// day's link (#replay=CODE&daily=DATE&v=VERSION&id=ID) makes its day again
// and plays its game only when the day made has the identity the link
// names. After a won day the page shows the line `velmora --headless
// --share` prints, how far the game beat waiting, and a button copying the
// line with the game's link. replay_page.js, which keeps the game's keys,
// calls in here.
import { dailyOfHash, encodeReplayCode, ReplayLinkError } from './replay_link.js';
import { onWorldsChanged, playedIdentity, playWorlds } from './worlds_page.js';

const status = document.getElementById('game-status');
const panel = document.getElementById('daily');
const dateLine = document.getElementById('daily-date');
const shareLine = document.getElementById('daily-share');
const parLine = document.getElementById('daily-par');
const copyButton = document.getElementById('copy-share');
let day = null;     // the day played: { date, version, identity, waiting }
let shared = '';    // the share line shown, once the day is won
let gameKeys = () => [];
let making = false;  // a day being made and played here

function say(text) { status.textContent = text; }

// Today in UTC, as YYYY-MM-DD: the day is the same for everyone.
export function utcToday(now = new Date()) { return now.toISOString().slice(0, 10); }

function withBytes(bytes, call) {
  const at = Module._malloc(bytes.length + 1);
  Module.HEAPU8.set(bytes, at);
  Module.HEAPU8[at + bytes.length] = 0;
  try { return call(at, bytes.length); } finally { Module._free(at); }
}

function hideShare() {
  shared = '';
  shareLine.textContent = '';
  parLine.textContent = '';
  copyButton.hidden = true;
}

// Makes the world of `date` with generator `version` and plays it from its
// title; with `identity`, only when the day made has it. Resolves to the
// worlds played, or to { refused } holding the sentence to show, the game
// then left as it was.
export async function playDay(date, version, identity = null) {
  const made = withBytes(new TextEncoder().encode(date),
                         (at) => Module._velmora_daily_make(at, version));
  if (made === 2) {
    return { refused: `This version of the game cannot make the world of ${date} with `
      + `generator version ${version}.` };
  }
  if (made !== 0) return { refused: `No world could be made for ${date}.` };
  const waiting = Module._velmora_daily_waiting();
  making = true;
  const played = await playWorlds(UTF8ToString(Module._velmora_daily_text()),
                                  `Today's world ${date}`, identity).finally(() => { making = false; });
  if (played.refused) return played;
  day = { date, version, identity: played.identity, waiting };
  dateLine.textContent = `Today's world: ${date}`;
  panel.hidden = false;
  hideShare();
  return played;
}

// Shows the share line of the game tallied last, if it won the day.
function showShare() {
  const line = UTF8ToString(Module._velmora_daily_share());
  if (!line) return;
  shared = line;
  const margin = Module._velmora_tally_score() - day.waiting;
  shareLine.textContent = line;
  parLine.textContent = margin >= 0 ? `${margin} better than waiting (${day.waiting})`
    : `${-margin} below waiting (${day.waiting})`;
  copyButton.hidden = false;
}

// A game watched to its end on the day: its tally is the watch's.
export function dayWatchEnded() {
  if (day && !shared) showShare();
}

// After every key of the player's, and a kept game played again: a day won
// on the page is tallied from its keys (played again undrawn, the game
// ending where it was) and shared.
export function dayKeysPlayed() {
  if (!day) return;
  if (!Module._velmora_game_won()) {
    if (shared) hideShare();  // a new game, or one taken back to its title
    return;
  }
  if (shared) return;
  withBytes(gameKeys(), (at, count) => Module._velmora_tally_keys(at, count));
  showShare();
}

// What a link to a game on the day played names it with in place of the
// world file ("&daily=DATE&v=VERSION&id=ID"); null when no day is played.
export function dayLinkPart() {
  return day && `&daily=${day.date}&v=${day.version}&id=${day.identity}`;
}

async function copyShare() {
  const link = `${location.origin}${location.pathname}#replay=`
    + `${await encodeReplayCode(gameKeys())}${dayLinkPart()}`;
  const text = `${shared}\n${link}`;
  try {
    await navigator.clipboard.writeText(text);
    say('Copied the share line and its link to the clipboard.');
  } catch {
    say(`The clipboard is closed to this page: copy this. ${text}`);
  }
}

// A day's link: its day made again and played when it is the world the link
// names. Resolves to false when the link was refused (and told).
export async function openDayLink(hash) {
  let named;
  try {
    named = dailyOfHash(hash);
  } catch (error) {
    if (!(error instanceof ReplayLinkError)) throw error;
    say(error.message);
    return false;
  }
  const played = await playDay(named.date, named.version, named.identity);
  if (played.refused) say(`This link's day is not played: ${played.refused}`);
  return !played.refused;
}

// `keys` gives the keys of the game since its title (replay_page.js).
export function wireDay(keys) {
  gameKeys = keys;
  document.getElementById('todays-world').addEventListener('click', async () => {
    const date = utcToday();
    const played = await playDay(date, Module._velmora_daily_version());
    say(played.refused ?? `Today's world, ${date}: a new world every day, the same for everyone.`);
    if (!played.refused) velmoraPage.ready();
  });
  copyButton.addEventListener('click', copyShare);
  addEventListener('keydown', () => setTimeout(dayKeysPlayed, 0));
  document.getElementById('touch-keys').addEventListener('click', () => setTimeout(dayKeysPlayed, 0));
  // Other worlds, or a new game: the day's line belongs to the game it was won in.
  onWorldsChanged((worlds) => {
    hideShare();
    if (day && worlds?.title !== `Today's world ${day.date}`) {
      day = null;
      panel.hidden = true;
    }
    if (!day && worlds && !making) knownDay(worlds);
  });
}

// A day's world played again from the browser's storage (a reload) is the
// day once more when the generator makes that very file from the date and
// version it names.
async function knownDay(worlds) {
  const named = /^# The world of the day (\d{4}-\d{2}-\d{2}), .*, version (\d+)\.\n/
    .exec(worlds.text);
  if (!named || worlds.title !== `Today's world ${named[1]}`) return;
  const made = withBytes(new TextEncoder().encode(named[1]),
                         (at) => Module._velmora_daily_make(at, Number(named[2])));
  if (made !== 0 || UTF8ToString(Module._velmora_daily_text()) !== worlds.text) return;
  day = { date: named[1], version: Number(named[2]), identity: await playedIdentity(),
          waiting: Module._velmora_daily_waiting() };
  dateLine.textContent = `Today's world: ${day.date}`;
  panel.hidden = false;
  // The kept game may be played again already: a won one shows its line.
  dayKeysPlayed();
}
