// The headless script runner: reads one command a line and drives the game
// through the same key handler the window uses. The built-in commands are
// key, state, map and screenshot; other units add theirs to the table.
#include "headless/headless_script.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <iostream>
#include <map>

#include "game/game_state.h"
#include "headless/replay_summary.h"
#include "headless/script_typing.h"
#include "headless/state_json.h"
#include "platform/png_io.h"
#include "ui/keyboard.h"
#include "ui/main_window.h"

namespace headless {
namespace {

constexpr int ExitBadLine = 2;

std::map<std::string, ScriptCommand, std::less<>>& commandTable() {
  static std::map<std::string, ScriptCommand, std::less<>> table;
  return table;
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view trim(std::string_view s) {
  while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
  return s;
}

// Reads a whole decimal number within [low, high].
bool parseNumber(std::string_view word, int low, int high, int* value) {
  int n = 0;
  auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), n);
  if (ec != std::errc() || end != word.data() + word.size() || n < low || n > high) return false;
  *value = n;
  return true;
}

struct NamedKey {
  const char* name;
  uint16_t code;
};
constexpr NamedKey NamedKeys[] = {
    {"Up", KeyUp},       {"Down", KeyDown},   {"Left", KeyLeft}, {"Right", KeyRight},
    {"Enter", KeyEnter}, {"Space", KeySpace}, {"Tab", KeyTab},
};

bool parseKey(std::string_view word, uint16_t* code) {
  for (const NamedKey& key : NamedKeys) {
    if (word == key.name) {
      *code = key.code;
      return true;
    }
  }
  int n = 0;
  if (!parseNumber(word, 1, 255, &n)) return false;
  *code = uint16_t(n);
  return true;
}

// key NAME...: every name is checked before the first press, so a bad line
// leaves the game as it was.
bool keyCommand(std::string_view args, std::string* reason) {
  std::vector<std::string_view> words = splitWords(args);
  if (words.empty()) {
    *reason = "key needs at least one key name";
    return false;
  }
  std::vector<uint16_t> codes;
  for (std::string_view word : words) {
    uint16_t code = 0;
    if (!parseKey(word, &code)) {
      *reason = "unknown key '" + std::string(word) +
                "' (Up, Down, Left, Right, Enter, Space, Tab or a code 1 to 255)";
      return false;
    }
    codes.push_back(code);
  }
  for (uint16_t code : codes) pressKey(code);
  return true;
}

bool stateCommand(std::string_view args, std::string* reason) {
  if (!trim(args).empty()) {
    *reason = "state takes no arguments";
    return false;
  }
  std::string line = gameStateJson();
  line += '\n';
  std::fwrite(line.data(), 1, line.size(), stdout);
  return true;
}

// Codes 10 and 11 (floor and goal) print as A and B so each cell is one
// character wide.
char mapChar(uint8_t code) {
  if (code <= 9) return char('0' + code);
  if (code == TileFloor) return 'A';
  if (code == TileGoal) return 'B';
  return '?';
}

bool mapCommand(std::string_view args, std::string* reason) {
  std::vector<std::string_view> words = splitWords(args);
  int world = 0;
  int floor = 0;
  if (words.size() != 2 || !parseNumber(words[0], 1, WorldCount, &world) ||
      !parseNumber(words[1], 1, FloorCount, &floor)) {
    *reason = "map needs a world 1 to 5 and a floor 1 to 8";
    return false;
  }
  std::string out;
  for (int y = 0; y < MapSide; ++y) {
    for (int x = 0; x < MapSide; ++x) {
      out += mapChar(WorldMaps[world - 1].cells[cellIndex(x, y, floor)]);
    }
    out += '\n';
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
  return true;
}

bool screenshotCommand(std::string_view args, std::string* reason) {
  std::string path(trim(args));
  if (path.empty()) {
    *reason = "screenshot needs a file name";
    return false;
  }
  if (!platform::writePng(Form1.Image2, platform::Rect{0, 0, ViewWidth, ViewHeight},
                          path.c_str())) {
    *reason = "cannot write " + path;
    return false;
  }
  return true;
}

void registerBuiltinCommands() {
  if (!commandTable().empty()) return;
  registerScriptCommand("key", keyCommand);
  registerScriptCommand("state", stateCommand);
  registerScriptCommand("map", mapCommand);
  registerScriptCommand("screenshot", screenshotCommand);
  // Commands that live in other units register here as well.
  registerTypingCommands();
}

}  // namespace

void registerScriptCommand(const char* name, ScriptCommand command) {
  commandTable()[name] = command;
}

bool scriptTakesScreenshots(std::string_view script) {
  while (!script.empty()) {
    const size_t end = std::min(script.find('\n'), script.size());
    const std::string_view line = trim(script.substr(0, end));
    script.remove_prefix(std::min(end + 1, script.size()));
    const std::string_view name = line.substr(0, std::min(line.find_first_of(" \t"), line.size()));
    if (name == "screenshot") return true;
  }
  return false;
}

std::vector<std::string_view> splitWords(std::string_view text) {
  std::vector<std::string_view> words;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && isBlank(text[i])) ++i;
    size_t start = i;
    while (i < text.size() && !isBlank(text[i])) ++i;
    if (i > start) words.push_back(text.substr(start, i - start));
  }
  return words;
}

std::string bytesAsText(const char* bytes, size_t size) {
  std::string out;
  for (size_t i = 0; i < size && bytes[i] != '\0'; ++i) {
    auto byte = static_cast<unsigned char>(bytes[i]);
    if (byte < 0x80) {
      out += char(byte);
    } else {
      out += char(0xC0 | (byte >> 6));
      out += char(0x80 | (byte & 0x3F));
    }
  }
  return out;
}

KeyWatcher ScriptKeyWatcher;

void pressKey(uint16_t key) {
  if (ScriptKeyWatcher.before) ScriptKeyWatcher.before(key);
  // Watched for the replay's summary: what the key met and what it did.
  tallyBeforeKey(key);
  FormKeyDown(key);
  tallyAfterKey();
  if (ScriptKeyWatcher.after) ScriptKeyWatcher.after(key);
}

int runScript(std::istream& in) {
  registerBuiltinCommands();
  resetReplayTally();
  std::string line;
  int lineNumber = 0;
  while (std::getline(in, line)) {
    ++lineNumber;
    std::string_view text(line);
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    if (trim(text).empty() || trim(text).front() == '#') continue;
    while (isBlank(text.front())) text.remove_prefix(1);

    size_t nameEnd = 0;
    while (nameEnd < text.size() && !isBlank(text[nameEnd])) ++nameEnd;
    std::string_view name = text.substr(0, nameEnd);
    // One blank separates the name from its arguments; the rest is kept as it
    // is, so a command that takes text sees its spaces.
    std::string_view args = text.substr(nameEnd < text.size() ? nameEnd + 1 : nameEnd);

    std::string reason;
    auto found = commandTable().find(name);
    if (found == commandTable().end()) {
      reason = "unknown command '" + std::string(name) + "'";
    } else if (found->second(args, &reason)) {
      continue;
    }
    std::fflush(stdout);
    std::fprintf(stderr, "script:%d: %s\n", lineNumber, reason.c_str());
    return ExitBadLine;
  }
  std::fflush(stdout);
  return 0;
}

}  // namespace headless
