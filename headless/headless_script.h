// Headless play: the game driven by a script instead of a window, one command
// a line, for tests and recorded games. Commands live in a small table that
// other units extend with registerScriptCommand.
#pragma once

#include <cstddef>
#include <cstdint>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

namespace headless {

// Carries out one script command. `args` is the rest of the line after the
// command's name and the one blank that follows it, kept as it is (only a
// final carriage return is gone), so text arguments keep their spaces.
// Returns false and sets *reason when the line cannot be carried out.
using ScriptCommand = bool (*)(std::string_view args, std::string* reason);

// Adds a command to the table; a name already there is replaced.
void registerScriptCommand(const char* name, ScriptCommand command);

// Runs the script on the game as the form has created it. Returns the exit
// status: 0 at the script's end, 2 after reporting the first bad line on
// standard error as "script:LINE: reason".
int runScript(std::istream& in);

// Returns whether any line of `script` is a screenshot command, the only
// one that needs the game's pictures: without one the game may be played
// with its drawing set aside.
bool scriptTakesScreenshots(std::string_view script);

// Splits a command's arguments at blanks.
std::vector<std::string_view> splitWords(std::string_view text);

// Returns the text of a zero-terminated byte buffer of `size` bytes, each byte
// as the character of the same code, encoded in UTF-8 (0x80 becomes U+0080),
// so any bytes at all can go into JSON.
std::string bytesAsText(const char* bytes, size_t size);

// Passes one key press to the game as the window does.
void pressKey(uint16_t key);

// Sees every key a script presses, just before and just after the game
// does (the movie and the link watch a game this way). Null sees nothing.
struct KeyWatcher {
  void (*before)(uint16_t key) = nullptr;
  void (*after)(uint16_t key) = nullptr;
};
extern KeyWatcher ScriptKeyWatcher;

}  // namespace headless
