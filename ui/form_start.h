// The one way every front end starts the game: the desktop program, the web
// page, the planner, the benchmarks and the test fixtures all call startForm,
// and it is the one place a front end passes what it brings of its own: its
// backend and window, whether typing stands in front of the game, and the
// hooks that see the keys and show the help box. A front end then hands the
// backend's keys to nothing: startForm gives them to the one key chain
// (ui/key_chain.h).
#pragma once

#include <cstdint>

#include "platform/backend.h"

// Shows the help box with the players' guide's address (HelpText): what \h
// shows unless the front end says otherwise.
void showHelpBox();
struct WorldFile;

struct FormStart {
  platform::Backend backend = platform::Backend::Headless;
  platform::WindowOptions window;  // the window's enlargement; ignored headless
  // Load what the form draws with. Without, nothing is loaded and the form's
  // drawing is set aside from the start (setFormDrawing): a replay that
  // needs no picture.
  bool pictures = true;
  // Typing stands in front of the game (ui/typing): in command entry a
  // character typed walks the grid to itself. Off, as with --grid-only, the
  // window takes no typing and every key goes to the game unchanged.
  bool typing = true;
  // Sees every key that goes into the game, just before FormKeyDown: the
  // player's, the typing layer's walks and a watched game's (the recorder,
  // the page's keeper). Null: none.
  void (*keyPlayed)(uint16_t key) = nullptr;
  // Shows the help box that \h asks for; null: \h shows nothing.
  void (*showHelp)() = showHelpBox;
  // The backend's clock plays a watched game (the desktop window); the page
  // plays it from a timer of its own instead.
  bool tickPlaysWatch = true;
  // Called once the backend is up and before the window opens, for what must
  // be in place when it shows (the window's icon).
  void (*beforeWindow)() = nullptr;
  // The worlds played from the title on (played_worlds.h): a world file
  // given, which a recording naming other worlds may not change, or null for
  // the built-in worlds.
  const WorldFile* worlds = nullptr;
  // Asked when the player closes the window (FormEvents::closing).
  bool (*closing)() = nullptr;
};

// Starts the application on `start.backend` with the game's title, loads the
// form's pictures and fonts (once per process), keeps the front end's hooks
// in the session (ui/session.h) and creates the form, whose creation shows
// the title screen: every front end is then where a player who has just
// started the program is. Throws platform::NoDisplayError when the window
// backend has no display and std::runtime_error on other platform failures.
void startForm(const FormStart& start);

// Puts a started form back where startForm left it: every record reset and
// the title shown, as a new program shows it. The drawing stays as it is.
void restartForm();
