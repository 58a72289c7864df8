// Fuzz target: the world-file reader on any bytes. Under both rules (a file
// to play, a draft) it must refuse or read without a crash or a hang, and
// whatever it reads must hold: every cell a code of 1 to 11, title and author
// within their limit, the starts on floor 1, and the file the writer makes
// of it read back to the same identity, title and author. The checker's
// ways to the goals run on every file read.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "worlds/world_check.h"
#include "worlds/world_identity.h"
#include "worlds/world_reader.h"
#include "worlds/world_writer.h"

namespace {

void require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "world file read breaks: %s\n", what);
  std::abort();
}

void checkRead(const WorldFile& file, WorldRules rules) {
  for (const WorldMap& map : file.maps) {
    for (uint8_t code : map.cells) require(code >= 1 && code <= TileGoal, "a cell code");
  }
  require(file.title.size() <= 4u * WorldTextLimit && file.author.size() <= 4u * WorldTextLimit,
          "the title's limit");
  for (int w = 0; w < CharaWorlds; ++w) {
    require(onMap(file.starts[w].x, file.starts[w].y), "a start on the map");
    if (rules == WorldRules::Play)
      require(file.maps[w].cells[cellIndex(file.starts[w].x, file.starts[w].y, 1)] == TileFloor,
              "a start on floor");
    checkReach(file, w + 1);
  }
  WorldFile again;
  WorldFileError error;
  require(readWorldFile("again", writeWorldFile(file), &again, &error, WorldRules::Draft),
          "the written file reads back");
  require(worldsIdentity(again) == worldsIdentity(file), "the same identity after writing");
  require(again.title == file.title && again.author == file.author, "the same title and author");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  for (WorldRules rules : {WorldRules::Play, WorldRules::Draft}) {
    WorldFile file;
    WorldFileError error;
    if (readWorldFile("fuzz", bytes, &file, &error, rules)) {
      checkRead(file, rules);
    } else {
      require(error.line >= 1 && error.column >= 1 && !error.reason.empty(), "a refusal's place");
    }
  }
  return 0;
}
