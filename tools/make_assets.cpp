// Asset generator, run by hand after changing a picture's code:
//   make_assets ASSETS_DIR            writes title.jpg, parts1-3.png, chara.png
//                                     and icon.png into ASSETS_DIR, and the
//                                     desktop icons icons/velmora-N.png
//   make_assets --preview OUT_DIR ASSETS_DIR
//                                     also lays each world's first floor out
//                                     with its tiles into OUT_DIR/worldN.png,
//                                     to check that the walls join up
// Every picture is drawn from code; nothing is read but the map files.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tools/make_assets/pictures.h"

namespace {

using assets::Image;
using assets::TileSide;

// Floor 1 of a world map file: 32 rows of 32 codes.
std::vector<int> readFirstFloor(const std::string& path) {
  std::ifstream in(path);
  std::vector<int> cells;
  std::string line;
  bool inFirst = false;
  while (std::getline(in, line) && cells.size() < 1024) {
    if (line.rfind("floor ", 0) == 0) {
      inFirst = line == "floor 1";
      continue;
    }
    if (!inFirst || line.size() != 32) continue;
    for (char c : line) cells.push_back(c >= 'A' ? 10 + (c - 'A') : c - '0');
  }
  if (cells.size() != 1024) throw std::runtime_error(path + ": no first floor");
  return cells;
}

// The whole first floor with a two-cell border of what lies beyond the map,
// the leader on the start cell and a chara beside it and on the goal.
Image layOut(const std::vector<int>& cells, const Image& tiles, const Image& chara) {
  constexpr int Border = 2;
  constexpr int Side = 32 + 2 * Border;
  Image out = assets::makeImage(Side * TileSide, Side * TileSide, assets::rgb(0, 0, 0));
  for (int row = 0; row < Side; ++row) {
    for (int col = 0; col < Side; ++col) {
      int x = col - Border, y = row - Border;
      bool onMap = x >= 0 && y >= 0 && x < 32 && y < 32;
      int code = onMap ? cells[x + 32 * y] : 5;
      assets::blit(out, col * TileSide, row * TileSide, tiles, code * TileSide, 0, TileSide,
                   TileSide);
    }
  }
  auto sprite = [&](int x, int y, int index) {
    assets::blit(out, (x + Border) * TileSide, (y + Border) * TileSide, chara, index * TileSide, 0,
                 TileSide, TileSide);
  };
  sprite(1, 1, 0);
  sprite(2, 1, 1);
  for (int i = 0; i < 1024; ++i) {
    if (cells[i] == 11) sprite(i % 32, i / 32, 1);
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  bool preview = argc == 4 && std::string(argv[1]) == "--preview";
  if (argc != 2 && !preview) {
    std::fprintf(stderr,
                 "usage: make_assets ASSETS_DIR | make_assets --preview OUT_DIR ASSETS_DIR\n");
    return 1;
  }
  std::string dir = preview ? argv[3] : argv[1];
  try {
    Image sheets[3];
    for (int w = 1; w <= 3; ++w) sheets[w - 1] = assets::makeTileSheet(w);
    Image chara = assets::makeCharaSheet();
    if (preview) {
      std::string out = argv[2];
      for (int w = 1; w <= 3; ++w) {
        std::string name = "world" + std::to_string(w);
        std::vector<int> cells = readFirstFloor(dir + "/maps/" + name + ".txt");
        assets::writePng(layOut(cells, sheets[w - 1], chara), out + "/" + name + ".png", false);
      }
      return 0;
    }
    for (int w = 1; w <= 3; ++w) {
      assets::writePng(sheets[w - 1], dir + "/parts" + std::to_string(w) + ".png", false);
    }
    assets::writePng(chara, dir + "/chara.png", true);
    assets::writePng(assets::makeIcon(sheets[0], chara), dir + "/icon.png", true);
    std::filesystem::create_directories(dir + "/icons");
    for (int side : {16, 32, 48, 64, 128, 256}) {
      assets::writePng(assets::makeIconAt(side),
                       dir + "/icons/velmora-" + std::to_string(side) + ".png", true);
    }
    assets::writeJpeg(assets::makeTitle(), dir + "/title.jpg", 90);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "make_assets: %s\n", e.what());
    return 1;
  }
  return 0;
}
