// Headless play: the game driven by a script instead of a window, one command
// a line, for tests and recorded games. The commands are one fixed table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

#include "ui/exit_status.h"
#include "ui/session.h"

namespace headless {

// Carries out one script command. `args` is the rest of the line after the
// command's name and the one blank that follows it, kept as it is (only a
// final carriage return is gone), so text arguments keep their spaces.
// Returns false and sets *reason when the line cannot be carried out.
using ScriptCommand = bool (*)(std::string_view args, std::string* reason);

// The names `key` takes besides a code 1 to 255, joined by `separator`
// ("Up, Down, ..."): the one list for messages and --help.
std::string keyNames(std::string_view separator);

// Runs the script on the game as the form has created it, each line as soon
// as it is read, standard output flushed after each. Returns ExitOk at the
// script's end; ExitRefused after reporting on standard error the first bad
// line as "script:LINE: reason" or a read failure as "velmora: cannot read
// script NAME: reason"; ExitFailed when standard output could not be
// written.
// Every key the script presses is shown to `watcher` (the movie, the link).
ExitStatus runScript(std::istream& in, KeyWatcher watcher = {});
ExitStatus runScriptFrom(int fd, const char* name, KeyWatcher watcher = {});

// Splits a command's arguments at blanks.
std::vector<std::string_view> splitWords(std::string_view text);

// Returns the text of a zero-terminated byte buffer of `size` bytes, each byte
// as the character of the same code, encoded in UTF-8 (0x80 becomes U+0080),
// so any bytes at all can go into JSON.
std::string bytesAsText(const char* bytes, size_t size);

// Passes one key press to the game as the window does.
void pressKey(uint16_t key);

}  // namespace headless
