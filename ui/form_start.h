// The one way every front end starts the game: the desktop program, the web
// page, the planner, the benchmarks and the test fixtures all call startForm.
#pragma once

#include <cstdint>

#include "platform/backend.h"

struct WorldFile;

struct FormStart {
  platform::Backend backend = platform::Backend::Headless;
  platform::WindowOptions window;  // the window's enlargement; ignored headless
  // Load what the form draws with. Without, nothing is loaded and the form's
  // drawing is set aside from the start (setFormDrawing): a replay that
  // needs no picture.
  bool pictures = true;
  // Receives every key the window delivers; the program's own can see a key
  // before it passes it on to FormKeyDown.
  void (*keyDown)(uint16_t key) = nullptr;  // null: FormKeyDown
  // Receives the characters the player types (platform::FormEvents); null:
  // the window takes no typing.
  void (*typed)(uint32_t character) = nullptr;
  // Called once the backend is up and before the window opens, for what must
  // be in place when it shows (the window's icon).
  void (*beforeWindow)() = nullptr;
  // The window's clock, for what plays on its own: a typed character's walk
  // shown step by step, a watched game (FormEvents::tick).
  int (*tick)() = nullptr;
  // The worlds played from the title on (played_worlds.h): a world file
  // given, which a recording naming other worlds may not change, or null for
  // the built-in worlds.
  const WorldFile* worlds = nullptr;
  // Asked when the player closes the window (FormEvents::closing).
  bool (*closing)() = nullptr;
};

// Starts the application on `start.backend` with the game's title, loads the
// form's pictures and fonts (once per process) and creates the form, whose
// creation shows the title screen: every front end is then where a player
// who has just started the program is. Throws platform::NoDisplayError when
// the window backend has no display and std::runtime_error on other platform
// failures.
void startForm(const FormStart& start);

// Puts a started form back where startForm left it: every record reset and
// the title shown, as a new program shows it. The drawing stays as it is.
void restartForm();
