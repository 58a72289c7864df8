// Filming a headless game (velmora --headless SCRIPT --movie OUT): a frame of
// the screen for each turn, and for each submitted statement the command
// entry holding it and then the field with its answer; the end held longest.
#pragma once

#include <string>

#include "ui/session.h"

namespace headless {

// How long each kind of frame is shown, in milliseconds.
constexpr int TurnFrameMs = 250;
constexpr int StatementFrameMs = 1000;
constexpr int AnswerFrameMs = 1500;
constexpr int LastFrameMs = 4000;

// Starts a movie at `path` (.webp or .gif) of the keys that runScript shows
// to movieKeys(). The game must be drawn. Checks first that the file may be
// written there. Returns false and sets *reason (one line) otherwise.
bool startMovie(const std::string& path, std::string* reason);
// What films each key a script presses: the watcher to hand runScript.
KeyWatcher movieKeys();

// Takes the last frame, encodes the movie and puts it at its path. Returns
// false and sets *reason when it could not be written whole; what stood at
// the path is then as it was.
bool finishMovie(std::string* reason);

// Stops filming without writing anything (a script that failed).
void abandonMovie();

}  // namespace headless
