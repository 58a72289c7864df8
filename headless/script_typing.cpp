// Typing statements in headless scripts: `type TEXT` walks the grid cursor to
// each character by the fewest arrow presses and picks it with Space;
// `submit` walks to the submit cell and presses Space. The walks are planned
// as the keyboard's typing plans them (ui/typing.h), and every move and pick
// is an ordinary key press, the same a player would make.
#include "headless/script_typing.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "game/game_state.h"
#include "headless/headless_script.h"
#include "ui/command_entry.h"
#include "ui/keyboard.h"
#include "ui/typing.h"

namespace headless {
namespace {

void pressAll(const GridKeys& keys) {
  for (int i = 0; i < keys.count; ++i) pressKey(keys.keys[i]);
}

bool inCommandEntry(const char* command, std::string* reason) {
  if (GameMode == ModeCommand) return true;
  *reason = std::string(command) + " works only in command entry (press Enter in the field first)";
  return false;
}

std::string describe(unsigned char c) {
  if (c >= 0x20 && c < 0x7F) return std::string("'") + char(c) + "'";
  char code[8];
  std::snprintf(code, sizeof code, "0x%02X", c);
  return code;
}

}  // namespace

// `text` is the rest of the line after the one blank behind the name, so
// blanks at either end are typed too.
bool typeCommand(std::string_view text, std::string* reason) {
  if (!inCommandEntry("type", reason)) return false;
  // Check the whole text first, so a bad line presses no key at all.
  for (size_t i = 0; i < text.size(); ++i) {
    if (!typeable(uint8_t(text[i]))) {
      *reason = "character " + describe(uint8_t(text[i])) + " at column " + std::to_string(i + 1) +
                " is not on the character grid";
      return false;
    }
  }
  for (char c : text) {
    GridKeys keys;
    planCharacter(uint8_t(c), &keys);
    pressAll(keys);
  }
  return true;
}

bool submitCommand(std::string_view args, std::string* reason) {
  if (!args.empty()) {
    *reason = "submit takes no arguments";
    return false;
  }
  if (!inCommandEntry("submit", reason)) return false;
  GridKeys keys;
  planPick(SubmitCode, &keys);
  pressAll(keys);
  return true;
}

}  // namespace headless
