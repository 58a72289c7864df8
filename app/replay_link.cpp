// Printing a replay link: the script is played without drawing to learn its
// keys, which are packed into the link's code.
#include "app/replay_link.h"

#include <cstdio>
#include <vector>

#include "app/daily_command.h"
#include "headless/replay_code.h"
#include "headless/script_keys.h"
#include "ui/played_worlds.h"
#include "worlds/world_identity.h"
#include "worlds/world_writer.h"

#ifndef VELMORA_PAGE_URL
#define VELMORA_PAGE_URL "http://127.0.0.1:8000/"
#endif

const char* const DefaultPageUrl = VELMORA_PAGE_URL;

bool pageUrlAllowed(std::string_view url) {
  if (url.empty()) return false;
  for (char c : url) {
    if (c <= ' ' || c >= 0x7F) return false;
  }
  return true;
}

namespace {

ExitStatus printLine(const std::string& line) {
  if (std::fwrite(line.data(), 1, line.size(), stdout) != line.size() || std::fflush(stdout) != 0) {
    std::perror("velmora: cannot print the link");
    return ExitFailed;
  }
  return ExitOk;
}

// The world file's code; empty, told, when it cannot be packed.
std::string packedWorlds(const WorldFile& file) {
  const std::string code = headless::worldsCode(writeWorldFile(file));
  if (code.empty()) std::fprintf(stderr, "velmora: cannot pack the world file\n");
  return code;
}

}  // namespace

ExitStatus printReplayLink(std::string_view script, const std::string& page) {
  std::vector<uint8_t> keys;
  const ExitStatus status = headless::collectScriptKeys(script, &keys);
  if (status != ExitOk) return status;
  // A link the page would refuse is no link.
  if (keys.size() > headless::MaxReplayKeys) {
    std::fprintf(stderr, "velmora: the game has %zu key presses; a link holds at most %zu\n",
                 keys.size(), headless::MaxReplayKeys);
    return ExitRefused;
  }
  const std::string code = headless::replayCode(keys);
  if (code.empty()) {
    std::fprintf(stderr, "velmora: cannot pack the game's keys\n");
    return ExitFailed;
  }
  if (code.size() > headless::MaxReplayCodeLength) {
    std::fprintf(stderr,
                 "velmora: the game's keys pack into %zu characters; a link holds at most %zu\n",
                 code.size(), headless::MaxReplayCodeLength);
    return ExitRefused;
  }
  std::string line = page.substr(0, page.find('#')) + "#replay=" + code;
  const WorldFile* worlds = playedWorldFile();
  // A day's world is made again from its date and version; its identity
  // lets the page tell when it made something else.
  if (DailyName day; worlds && isDailyWorld(*worlds, &day)) {
    line += "&daily=" + formatCalendarDate(day.date) + "&v=" + std::to_string(day.version) +
            "&id=" + worldsIdentity(*worlds);
  } else if (worlds) {
    const std::string worldsPart = packedWorlds(*worlds);
    if (worldsPart.empty()) return ExitFailed;
    line += "&worlds=" + worldsPart;
  }
  return printLine(line + "\n");
}

ExitStatus printWorldsLink(const WorldFile& file, const std::string& page) {
  const std::string code = packedWorlds(file);
  if (code.empty()) return ExitFailed;
  return printLine(page.substr(0, page.find('#')) + "#worlds=" + code + "\n");
}
