// The front end's state: everything the window, the page or a script keeps
// beside the game's own records (game/game_state.h). The hooks the start-up
// was given, the typing layer, the watch, the replay tally, the script's key
// watcher, the movie, the recording and the form's drawing are one record,
// `Session`, with one reset.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/canvas.h"
#include "platform/safe_file.h"
#include "ui/replay_summary.h"
#include "ui/replay_watch.h"
#include "ui/typing.h"

namespace platform {
class MovieEncoder;
}

// What the front end gave startForm (FormStart) for the keys and the help box.
struct FrontEndHooks {
  // Sees every key that goes into the game, just before FormKeyDown: the
  // recorder on the desktop, the page's keeper in the browser. Null: none.
  void (*keyPlayed)(uint16_t key) = nullptr;
  // Shows the help box that \h asks for. Null: \h shows nothing.
  void (*showHelp)() = nullptr;
  // Whether the backend's clock (FormEvents::tick) plays a watched game; the
  // page plays it from a timer of its own.
  bool tickPlaysWatch = true;
};

// Sees every key a script presses, just before and just after the game does
// (the movie and the link watch a game this way). Null sees nothing.
struct KeyWatcher {
  void (*before)(uint16_t key) = nullptr;
  void (*after)(uint16_t key) = nullptr;
};

// The typing layer (ui/typing).
struct TypingRecord {
  bool on = true;
  bool afterTyped = false;  // the last key of command entry typed a character
  GridKeys walk;
  int next = 0;  // the walk's next key
};

// The watched game (ui/replay_watch).
struct WatchRecord {
  std::vector<uint8_t> keys;
  size_t next = 0;
  WatchState state = WatchState::WatchNone;
  int pace = 0;  // 0: normal; each step up halves the holds
  std::chrono::steady_clock::time_point heldSince{};
  int hold = 0;  // the present frame's hold at the normal pace
};

// The replay's tally (ui/replay_summary) and what the key being pressed met:
// whether the game was still on, and the score a winning turn announces (it
// is taken off only after the message).
struct TallyRecord {
  ReplayTally counts;
  bool pressMetClearedGame = false;
  int32_t scoreBeforePress = 0;
};

// The script being run (headless/headless_script, headless/script_keys).
struct ScriptRecord {
  KeyWatcher watcher;
  std::vector<uint8_t>* collected = nullptr;  // where the keys go while collected
  bool keysPressed = false;  // the script has pressed a key: too late to choose worlds
};

// The movie being filmed (headless/movie_capture).
struct MovieRecord {
  MovieRecord();
  MovieRecord(MovieRecord&&) noexcept;
  MovieRecord& operator=(MovieRecord&&) noexcept;
  ~MovieRecord();

  std::string path;
  platform::ReplaceRule rule{};  // only a picture of the movie's kind is replaced
  std::unique_ptr<platform::MovieEncoder> encoder;  // null: nothing is filmed
  std::vector<uint32_t> held;                       // the frame not yet given to the encoder
  std::vector<uint32_t> taken;                      // the frame just taken
  int heldMs = 0;                                   // 0: nothing held yet
  std::string failure;                              // the encoder's first failure
  ReplayTally before;                               // the tally as the key being pressed met it
  bool opened = false;                              // the opening frame is taken
  bool showProgress = false;                        // standard error is a terminal
  bool progressShown = false;
  int framesPassed = 0;  // frames given to the encoder
  std::chrono::steady_clock::time_point progressAt{};
};

// The recording the window's game is kept in (app/key_recorder, app/main).
struct RecordingRecord {
  int fd = -1;
  char path[4096] = {};
  bool headerDue = false;  // the file is empty: the first key brings the header
  long keysInFile = 0;
  int failure = 0;  // errno of the write that failed, or 0
  bool automatic = false;
  bool unsaved = false;  // the state folder could not take the game
};

// The form's drawing (ui/main_window): while set aside, the surfaces are
// kept here and empty ones stand in for them.
struct DrawingRecord {
  platform::Canvas image1, image2, gridPicture;
  bool aside = false;
  bool gridUnderStrip = false;  // the grid, not the field, was drawn last
};

struct FrontEndSession {
  FrontEndHooks hooks;
  TypingRecord typing;
  WatchRecord watch;
  TallyRecord tally;
  ScriptRecord script;
  MovieRecord movie;
  RecordingRecord recording;
  DrawingRecord drawing;
};
extern FrontEndSession Session;

// Puts the front end back as a new program has it, before its start-up: no
// hook, typing on, no watch, tally or movie, no recording (one still open is
// closed as it stands) and the form's drawing on with no surface kept. The
// game's records are restartForm's.
void resetSession();
