// The day's world in the page: the rules' generator makes the day's world
// file from its date and version (the same bytes as on the desktop), which
// the page then plays as any world file; and the line a won day is shared
// with, from the game watched or the page's own game.
#include <emscripten/emscripten.h>

#include <cstdint>
#include <string>

#include "game/game_state.h"
#include "ui/exit_status.h"
#include "ui/form_start.h"
#include "ui/game_resume.h"
#include "ui/main_window.h"
#include "ui/replay_summary.h"
#include "ui/replay_watch.h"
#include "worlds/daily_world.h"
#include "worlds/world_writer.h"

namespace {

DailyWorld day;         // the day made last
std::string dayText;    // its world file, as the desktop exports it
std::string shareLine;  // the last line asked for

}  // namespace

extern "C" {

// The version a day is made with unless a link names another.
EMSCRIPTEN_KEEPALIVE int velmora_daily_version() { return DailyGeneratorVersion; }

// Makes the world of `date` (YYYY-MM-DD) with generator `version`. Returns
// ExitOk, ExitRefused for a date that is no calendar day or a version this
// build does not know, ExitFailed when no candidate of the date passed.
EMSCRIPTEN_KEEPALIVE int velmora_daily_make(const char* date, int version) {
  CalendarDate parsed;
  dayText.clear();
  if (date == nullptr || !parseCalendarDate(date, &parsed) || dailyRules(version) == nullptr)
    return ExitRefused;
  day = makeDailyWorld(parsed, version);
  if (!day.made) return ExitFailed;
  dayText = writeWorldFile(day.file);
  return ExitOk;
}

// The world file of the day made last. Valid until the next make.
EMSCRIPTEN_KEEPALIVE const char* velmora_daily_text() { return dayText.c_str(); }

// The score of the day's waiting game: the par a player beats.
EMSCRIPTEN_KEEPALIVE int velmora_daily_waiting() { return day.waiting.score; }

// Whether the game on the page has been won (the cleared screen).
EMSCRIPTEN_KEEPALIVE int velmora_game_won() { return GameMode == ModeCleared; }

// Tallies the page's own game, its `count` keys from the title, by playing
// them again undrawn: the game ends where it was, and the tally is its.
EMSCRIPTEN_KEEPALIVE void velmora_tally_keys(const uint8_t* keys, int count) {
  stopWatch();
  restartForm();
  playKeysTallied(keys, size_t(count > 0 ? count : 0));
  presentFrame();
}

// The day's share line of the game tallied last (watched, or the page's own
// through velmora_tally_keys), or "" when it was not won. Valid until the
// next call.
EMSCRIPTEN_KEEPALIVE const char* velmora_daily_share() {
  const ReplayTally& tally = replayTally();
  shareLine = tally.won ? dailyShareLine(day.date, tally.score, tally.statements) : "";
  return shareLine.c_str();
}

// The score of the game tallied last: how far it beat waiting is the page's
// to say.
EMSCRIPTEN_KEEPALIVE int velmora_tally_score() { return replayTally().score; }

}  // extern "C"
