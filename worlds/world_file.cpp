// A blank world file: what a world file leaves unsaid (see world_file.h).
#include "worlds/world_file.h"

#include <cstring>

WorldFile blankWorldFile() {
  WorldFile file;
  std::memset(file.maps, TileOutside, sizeof file.maps);
  for (MapCell& start : file.starts) start = MapCell{1, 1};
  for (int w = 0; w < WorldCount; ++w) file.tileSets[w] = uint8_t(w < TileSetCount ? w + 1 : 0);
  return file;
}
