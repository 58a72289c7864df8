// The world editor's screen (see editor_view.h). The small tiles are made
// once from the form's tile sets; every frame is drawn whole from the editor.
#include "ui/editor_view.h"

#include <cstdio>
#include <cstring>

#include "ui/main_window.h"
#include "ui/view_size.h"

const char* const EditorKeyLines[] = {
    "arrows  move",  "Space  wall/floor", "G  goal here",   "S  start here",
    "C  wall piece", "PgUp/PgDn  floor",  "W  next world",  "Z / Y  undo/redo",
    "F2  save",      "T  title, author",  "Enter  play it", "Esc  back here",
};
const int EditorKeyLineCount = int(sizeof EditorKeyLines / sizeof EditorKeyLines[0]);

namespace {

// The floor fills the view's height under the strip; the panel takes the rest.
constexpr int CellSide = (ViewHeight - StripHeight) / MapSide;  // 14
constexpr int MapTop = StripHeight;
constexpr int PanelLeft = CellSide * MapSide + 4;
constexpr int PanelRight = ViewWidth - 2;
constexpr int LineHeight = StripHeight;

constexpr platform::Color CursorColor = 0xE02020;
constexpr platform::Color StartColor = 0x2060E0;
// Worlds without a tile set are drawn in plain colours, by what a cell is.
constexpr platform::Color PlainWall = 0x606060;
constexpr platform::Color PlainFloor = 0xF0F0E0;
constexpr platform::Color PlainGoal = 0xE0C020;
constexpr platform::Color PanelGround = 0xFFFFFF;

// The tiles of the three sets, CellSide pixels square, by set and code.
uint32_t smallTiles[TileSetCount][TileCount][CellSide * CellSide];
bool tilesMade = false;

// Shrinks a 64 x 64 tile to CellSide pixels, each the mean of the pixels it
// covers.
void shrinkTile(const platform::Canvas& tile, uint32_t* out) {
  for (int y = 0; y < CellSide; ++y) {
    for (int x = 0; x < CellSide; ++x) {
      const int x0 = x * TileSide / CellSide, x1 = (x + 1) * TileSide / CellSide;
      const int y0 = y * TileSide / CellSide, y1 = (y + 1) * TileSide / CellSide;
      uint32_t r = 0, g = 0, b = 0, n = 0;
      for (int sy = y0; sy < y1; ++sy) {
        for (int sx = x0; sx < x1; ++sx) {
          const uint32_t p = tile.pixel(sx, sy);
          r += p >> 16 & 0xFF, g += p >> 8 & 0xFF, b += p & 0xFF, ++n;
        }
      }
      out[x + CellSide * y] = (r / n) << 16 | (g / n) << 8 | (b / n);
    }
  }
}

platform::Color plainColor(uint8_t code) {
  return code == TileFloor ? PlainFloor : code == TileGoal ? PlainGoal : PlainWall;
}

void drawCell(platform::Canvas& canvas, int set, int x, int y, uint8_t code) {
  const int left = CellSide * x, top = MapTop + CellSide * y;
  if (set < 1 || set > TileSetCount || !tilesMade || code >= TileCount) {
    canvas.setBrushColor(plainColor(code));
    canvas.fillRect(platform::Rect{left, top, left + CellSide, top + CellSide});
    return;
  }
  const uint32_t* tile = smallTiles[set - 1][code];
  for (int row = 0; row < CellSide; ++row) {
    std::memcpy(canvas.pixels() + size_t(top + row) * size_t(canvas.width()) + size_t(left),
                tile + CellSide * row, CellSide * sizeof(uint32_t));
  }
}

// A frame `width` pixels thick just inside cell (x, y).
void frameCell(platform::Canvas& canvas, int x, int y, int width, platform::Color color) {
  const int left = CellSide * x, top = MapTop + CellSide * y;
  const int right = left + CellSide, bottom = top + CellSide;
  canvas.setBrushColor(color);
  canvas.fillRect(platform::Rect{left, top, right, top + width});
  canvas.fillRect(platform::Rect{left, bottom - width, right, bottom});
  canvas.fillRect(platform::Rect{left, top, left + width, bottom});
  canvas.fillRect(platform::Rect{right - width, top, right, bottom});
}

// Writes `text` in the panel from *y down, broken at blanks to the panel's
// width, and moves *y below it.
void panelText(platform::Canvas& canvas, const char* text, int* y) {
  const int width = PanelRight - PanelLeft;
  const char* line = text;
  while (*line != '\0' && *y + LineHeight <= ViewHeight) {
    while (*line == ' ') ++line;
    int fits = 0;  // bytes of the line that fit, ending at a blank or the end
    for (int end = 0;; ++end) {
      if (line[end] != ' ' && line[end] != '\0') continue;
      if (canvas.textWidth(line, end) > width && fits > 0) break;
      fits = end;
      if (line[end] == '\0') break;
    }
    canvas.textOut(PanelLeft, *y, line, fits);
    line += fits;
    *y += LineHeight;
  }
}

}  // namespace

void prepareEditorPictures() {
  if (tilesMade || !formDrawing()) return;
  platform::Canvas scratch;
  scratch.create(TileSide, TileSide);
  for (int set = 1; set <= TileSetCount; ++set) {
    for (int code = 0; code < TileCount; ++code) {
      tileSetNumbered(set)->draw(scratch, 0, 0, code);
      shrinkTile(scratch, smallTiles[set - 1][code]);
    }
  }
  tilesMade = true;
}

void drawEditorScreen(const WorldEditor& editor, const char* note, const char* entry) {
  platform::Canvas& canvas = Form1.Image2;
  if (canvas.width() == 0) return;
  const EditorCursor& at = editor.cursor();
  const WorldFile& file = editor.file();
  const int set = file.tileSets[at.world - 1];
  canvas.setBrushStyle(platform::BrushSolid);
  const uint8_t* cells = file.maps[at.world - 1].cells + cellIndex(0, 0, at.floor);
  for (int y = 0; y < MapSide; ++y) {
    for (int x = 0; x < MapSide; ++x) drawCell(canvas, set, x, y, cells[x + MapSide * y]);
  }
  if (at.world <= CharaWorlds && at.floor == 1) {
    const MapCell start = file.starts[at.world - 1];
    const int left = CellSide * start.x + 4, top = MapTop + CellSide * start.y + 4;
    canvas.setBrushColor(StartColor);
    canvas.fillRect(platform::Rect{left, top, left + CellSide - 8, top + CellSide - 8});
  }
  frameCell(canvas, at.x, at.y, 2, CursorColor);

  // The strip: the cell under the cursor.
  char line[96];
  editor.formatCellText(line, sizeof line);
  canvas.setBrushColor(platform::ColorWhite);
  canvas.fillRect(platform::Rect{0, 0, canvas.width(), StripHeight});
  canvas.setFont(GameFace, StripHeight);
  canvas.textOut(0, 0, line);

  // The panel: the verdict, what the editor said, then the keys or the entry.
  canvas.setBrushColor(PanelGround);
  canvas.fillRect(platform::Rect{PanelLeft - 4, StripHeight, canvas.width(), canvas.height()});
  int y = StripHeight + 2;
  panelText(canvas, editor.verdictText().c_str(), &y);
  y += 4;
  panelText(canvas, editor.dirty() ? "not saved" : "saved", &y);
  if (*note != '\0') panelText(canvas, note, &y);
  y += 4;
  if (entry != nullptr) {
    panelText(canvas, entry, &y);
    panelText(canvas, "Enter: done, Esc: leave", &y);
    return;
  }
  for (int k = 0; k < EditorKeyLineCount; ++k) panelText(canvas, EditorKeyLines[k], &y);
}
