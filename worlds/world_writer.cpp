// The world-file writer (see world_writer.h).
#include "worlds/world_writer.h"

namespace {

constexpr char CodeChars[] = "0123456789AB";

bool allOutside(const uint8_t* cells) {
  for (int i = 0; i < CellsPerFloor; ++i) {
    if (cells[i] != TileOutside) return false;
  }
  return true;
}

}  // namespace

std::string writeWorldFile(const WorldFile& file) {
  const WorldFile blank = blankWorldFile();
  std::string out;
  for (const std::string& comment : file.leadingComments) out += comment + "\n";
  out += "format: " + std::to_string(file.format) + "\n";
  if (!file.title.empty()) out += "title: " + file.title + "\n";
  if (!file.author.empty()) out += "author: " + file.author + "\n";
  for (int w = 1; w <= WorldCount; ++w) {
    if (file.tileSets[w - 1] != blank.tileSets[w - 1])
      out += "world " + std::to_string(w) + " tiles " + std::to_string(file.tileSets[w - 1]) + "\n";
  }
  for (int w = 1; w <= WorldCount; ++w) {
    for (int f = 1; f <= FloorCount; ++f) {
      const uint8_t* cells = file.maps[w - 1].cells + cellIndex(0, 0, f);
      if (allOutside(cells)) continue;
      out += "\nworld " + std::to_string(w) + " floor " + std::to_string(f) + "\n";
      for (int y = 0; y < MapSide; ++y) {
        for (int x = 0; x < MapSide; ++x) {
          const uint8_t code = cells[x + MapSide * y];
          const bool start = f == 1 && w <= CharaWorlds && code == TileFloor &&
                             file.starts[w - 1].x == x && file.starts[w - 1].y == y &&
                             !(x == 1 && y == 1);
          out += start ? '@' : code < TileCount ? CodeChars[code] : '?';
        }
        out += '\n';
      }
    }
  }
  return out;
}
