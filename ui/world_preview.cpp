// Drawing a world file's floors to PNG pictures (see world_preview.h).
#include "ui/world_preview.h"

#include "platform/canvas.h"
#include "platform/media/png_io.h"
#include "platform/safe_file.h"
#include "ui/main_window.h"

namespace {

bool blank(const uint8_t* cells) {
  for (int i = 0; i < CellsPerFloor; ++i) {
    if (cells[i] != TileOutside) return false;
  }
  return true;
}

}  // namespace

bool writeWorldPreviews(const WorldFile& file, const std::string& dir,
                        std::vector<std::string>* written, std::vector<std::string>* skipped,
                        std::string* error) {
  platform::Canvas canvas;
  for (int w = 1; w <= WorldCount; ++w) {
    for (int f = 1; f <= FloorCount; ++f) {
      const uint8_t* cells = file.maps[w - 1].cells + cellIndex(0, 0, f);
      if (blank(cells)) continue;
      const std::string name = "world" + std::to_string(w) + "-floor" + std::to_string(f);
      const platform::ImageList* tiles = tileSetNumbered(file.tileSets[w - 1]);
      if (tiles == nullptr) {
        skipped->push_back("world " + std::to_string(w) + " floor " + std::to_string(f));
        continue;
      }
      if (canvas.width() == 0)
        canvas.create(MapSide * platform::ImageSide, MapSide * platform::ImageSide);
      for (int i = 0; i < CellsPerFloor; ++i)
        tiles->draw(canvas, i % MapSide * platform::ImageSide, i / MapSide * platform::ImageSide,
                    cells[i]);
      const std::string path = dir + "/" + name + ".png";
      std::vector<uint8_t> png;
      std::string cause = "the picture cannot be encoded";
      if (!platform::encodePng(canvas, platform::Rect{0, 0, canvas.width(), canvas.height()},
                               &png) ||
          !platform::writeFileAtomically(
              path.c_str(), png.data(), png.size(),
              platform::ReplaceRule{platform::startsAsPng, "a PNG picture"}, &cause)) {
        *error = "cannot write " + path + ": " + cause;
        return false;
      }
      written->push_back(path);
    }
  }
  return true;
}
