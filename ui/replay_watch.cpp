// The watch's feeder. How long a frame is held depends on what its key did,
// judged in the mode the key met: a statement's answer stays long enough to
// read, a step or a pick long enough to see, a cursor move just so.
#include "ui/replay_watch.h"

#include <chrono>
#include <utility>

#include "game/game_state.h"
#include "platform/key_codes.h"
#include "ui/game_resume.h"
#include "ui/key_chain.h"
#include "ui/replay_summary.h"
#include "ui/session.h"

const char WatchKeysHelp[] =
    "velmora: watching: Space pauses and resumes, Right (paused) shows the next key,\n"
    "velmora: Up and Down play faster and slower, End goes to the end, Enter plays on\n"
    "velmora: from here";

namespace {

using Clock = std::chrono::steady_clock;

// Milliseconds a frame is held at the normal pace.
constexpr int HoldTitle = 1000;   // before the first key
constexpr int HoldAnswer = 2500;  // a submitted statement's answer
constexpr int HoldTurn = 300;     // a step in the field
constexpr int HoldPick = 250;     // a character picked in command entry
constexpr int HoldCursor = 40;    // the grid's cursor moved: a walk across it stays quick
constexpr int HoldOther = 600;    // the title left, a game cleared
// The pace doubles or halves a step at a time, within these steps.
constexpr int FastestPace = 4;
constexpr int SlowestPace = -2;

WatchRecord& watch = Session.watch;

int holdOf(uint16_t key) {
  if (pressSubmitsStatement(key)) return HoldAnswer;
  if (pressRunsTurn(key)) return HoldTurn;
  if (GameMode == ModeCommand) return key == platform::KeySpace ? HoldPick : HoldCursor;
  return HoldOther;
}

int paced(int hold) { return watch.pace >= 0 ? hold >> watch.pace : hold << -watch.pace; }

// Presses `key` as the watch does: tallied for the summary, into the game.
void pressWatched(uint16_t key) {
  tallyBeforeKey(key);
  pressGameKey(key);
  tallyAfterKey();
}

void holdFrom(int hold) {
  watch.hold = hold;
  watch.heldSince = Clock::now();
}

int untilDue() {
  const auto due = watch.heldSince + std::chrono::milliseconds(paced(watch.hold));
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(due - Clock::now()).count();
  return left > 0 ? int(left) : 0;
}

void finish() { watch.state = WatchState::WatchFinished; }

}  // namespace

void startWatch(std::vector<uint8_t> keys) {
  watch = WatchRecord{};
  watch.keys = std::move(keys);
  watch.state = WatchState::WatchPlaying;
  resetReplayTally();
  holdFrom(HoldTitle);
}

void stopWatch() { watch = WatchRecord{}; }

WatchState watchState() { return watch.state; }

size_t watchedKeys() { return watch.next; }

int watchStep() {
  if (watch.next >= watch.keys.size()) {
    finish();
    return -1;
  }
  const uint16_t key = watch.keys[watch.next++];
  const int hold = holdOf(key);
  pressWatched(key);
  holdFrom(hold);
  if (watch.next >= watch.keys.size()) finish();
  return paced(hold);
}

int watchTick() {
  if (watch.state != WatchState::WatchPlaying) return -1;
  if (const int left = untilDue(); left > 0) return left;
  return watchStep() < 0 || watch.state != WatchState::WatchPlaying ? -1 : untilDue();
}

bool watchSteers() {
  return watch.state != WatchState::WatchNone && watch.state != WatchState::WatchTakenOver;
}

bool steerWatch(uint16_t key) {
  const WatchState state = watch.state;
  if (state == WatchState::WatchNone || state == WatchState::WatchTakenOver) return false;
  switch (key) {
    case platform::KeyEnter:
      watch.state = WatchState::WatchTakenOver;
      break;
    case platform::KeySpace:
      if (state == WatchState::WatchPlaying) watch.state = WatchState::WatchPaused;
      if (state == WatchState::WatchPaused) {
        watch.state = WatchState::WatchPlaying;
        holdFrom(0);
      }
      break;
    case platform::KeyRight:
      // The last key ends the watch: nothing is left to pause.
      if (state == WatchState::WatchPaused) watchStep();
      break;
    case platform::KeyUp:
      if (watch.pace < FastestPace) ++watch.pace;
      break;
    case platform::KeyDown:
      if (watch.pace > SlowestPace) --watch.pace;
      break;
    case platform::KeyEnd:
      if (state == WatchState::WatchFinished) break;
      playKeysWithoutDrawing(watch.keys.data() + watch.next, watch.keys.size() - watch.next,
                             pressWatched);
      watch.next = watch.keys.size();
      finish();
      break;
    default:
      break;
  }
  return true;
}

std::string watchSummary() { return summaryLine(replayTally()); }
