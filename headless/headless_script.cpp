// The headless script runner: reads one command a line and drives the game
// through the same key handler the window uses. The commands are key, state,
// map and screenshot here, type and submit in script_typing.cpp.
#include "headless/headless_script.h"

#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <istream>

#include "game/game_state.h"
#include "headless/script_lines.h"
#include "headless/script_typing.h"
#include "headless/standard_output.h"
#include "headless/state_json.h"
#include "platform/media/png_io.h"
#include "platform/safe_file.h"
#include "ui/game_resume.h"
#include "ui/keyboard.h"
#include "ui/main_window.h"
#include "ui/played_worlds.h"
#include "ui/replay_summary.h"
#include "ui/session.h"

using enum platform::KeyCode;

namespace headless {
namespace {

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
      *reason = "unknown key '" + printable(word) + "' (" + keyNames(", ") + " or a code 1 to 255)";
      return false;
    }
    codes.push_back(code);
  }
  for (uint16_t code : codes) pressKey(code);
  return true;
}

// worlds ID: the game is played on the worlds of that identity (a recording
// made on a world file names them so).
bool worldsCommand(std::string_view args, std::string* reason) {
  if (Session.script.keysPressed) {
    *reason = "worlds comes before the first key";
    return false;
  }
  return followNamedWorlds(trim(args), reason);
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

// The picture replaces only a picture: a script may name any path, so a file
// that is not a PNG, a link or a device is never written.
bool screenshotCommand(std::string_view args, std::string* reason) {
  std::string path(trim(args));
  if (path.empty()) {
    *reason = "screenshot needs a file name";
    return false;
  }
  if (path.find('\0') != std::string::npos) {
    *reason = "cannot write " + printable(path) + ": a file name holds no NUL byte";
    return false;
  }
  // Nothing is drawn until a picture is asked for.
  startDrawingFromRecords();
  std::vector<uint8_t> png;
  std::string cause = "the picture cannot be encoded";
  if (!platform::encodePng(Form1.Image2, platform::Rect{0, 0, ViewWidth, ViewHeight}, &png) ||
      !platform::writeFileAtomically(path.c_str(), png.data(), png.size(),
                                     platform::ReplaceRule{platform::startsAsPng, "a PNG picture"},
                                     &cause)) {
    *reason = "cannot write " + printable(path) + ": " + cause;
    return false;
  }
  return true;
}

struct CommandEntry {
  std::string_view name;
  ScriptCommand run;
};
constexpr CommandEntry Commands[] = {
    {"key", keyCommand},       {"state", stateCommand},   {"map", mapCommand},
    {"type", typeCommand},     {"submit", submitCommand}, {"screenshot", screenshotCommand},
    {"worlds", worldsCommand},
};

ScriptCommand findCommand(std::string_view name) {
  for (const CommandEntry& command : Commands) {
    if (command.name == name) return command.run;
  }
  return nullptr;
}

// Carries out one line. Returns false and sets *reason for a bad one.
bool runLine(ScriptLine line, std::string* reason) {
  if (line.name.empty()) return true;
  const ScriptCommand command = findCommand(line.name);
  if (command == nullptr) {
    *reason = "unknown command '" + printable(line.name) + "'";
    return false;
  }
  return command(line.args, reason);
}

// Runs the lines until the end or the first one that cannot be read or run:
// ExitRefused at a line unread or refused (told on stderr), ExitFailed when
// an output was lost.
ExitStatus runLines(LineReader& lines, const char* name) {
  resetReplayTally();
  Session.script.keysPressed = false;
  std::string line;
  for (int lineNumber = 1;; ++lineNumber) {
    const LineRead read = lines.next(&line);
    if (read == LineRead::End) break;
    std::string reason;
    if (read == LineRead::Failed) {
      std::fflush(stdout);
      std::fprintf(stderr, "velmora: cannot read script %s: %s\n", printable(name, 200).c_str(),
                   std::strerror(lines.error()));
      return ExitRefused;
    }
    if (read == LineRead::TooLong) {
      reason = "line longer than " + std::to_string(MaxLineBytes) + " bytes";
    } else if (runLine(readScriptLine(line, lineNumber), &reason)) {
      if (!standardOutputKept()) return ExitFailed;
      continue;
    }
    if (!standardOutputKept()) return ExitFailed;
    std::fprintf(stderr, "script:%d: %s\n", lineNumber, reason.c_str());
    return ExitRefused;
  }
  return standardOutputKept() ? ExitOk : ExitFailed;
}

}  // namespace

std::string keyNames(std::string_view separator) {
  std::string names;
  for (const NamedKey& key : NamedKeys) {
    if (!names.empty()) names += separator;
    names += key.name;
  }
  return names;
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

namespace {

// Runs the lines with `watcher` shown every key they press.
ExitStatus runWatched(LineReader& lines, const char* name, KeyWatcher watcher) {
  Session.script.watcher = watcher;
  const ExitStatus status = runLines(lines, name);
  Session.script.watcher = KeyWatcher{};
  return status;
}

}  // namespace

void pressKey(uint16_t key) {
  Session.script.keysPressed = true;
  const KeyWatcher& watcher = Session.script.watcher;
  if (watcher.before) watcher.before(key);
  // Watched for the replay's summary: what the key met and what it did.
  tallyBeforeKey(key);
  FormKeyDown(key);
  tallyAfterKey();
  if (watcher.after) watcher.after(key);
}

ExitStatus runScript(std::istream& in, KeyWatcher watcher) {
  auto read = [](void* source, char* buffer, size_t size) -> ssize_t {
    auto* stream = static_cast<std::istream*>(source);
    stream->read(buffer, std::streamsize(size));
    return stream->gcount();
  };
  LineReader lines(read, &in);
  return runWatched(lines, "stream", watcher);
}

ExitStatus runScriptFrom(int fd, const char* name, KeyWatcher watcher) {
  auto read = [](void* source, char* buffer, size_t size) -> ssize_t {
    return ::read(*static_cast<int*>(source), buffer, size);
  };
  LineReader lines(read, &fd);
  return runWatched(lines, name, watcher);
}

}  // namespace headless
