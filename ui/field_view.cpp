// The field view: the 9 x 7 tiles of the map around the leader, the leader in
// the centre, the other charas where they stand, and the status strip above.
// Redrawn whole from the records every time; nothing is cached.
#include "ui/field_view.h"

#include "ui/main_window.h"
#include "ui/status_strip.h"
#include "ui/view_size.h"

namespace {

// The tile sets are image lists: a tile is one of their images.
static_assert(TileSide == platform::ImageSide);

constexpr int CentreCol = ViewCols / 2;
constexpr int CentreRow = ViewRows / 2;
constexpr int CentreX = TileSide * CentreCol;                // 256
constexpr int CentreY = StripHeight + TileSide * CentreRow;  // 208

// A chara this many columns or rows from the leader still counts as in view.
// The column reach is one wider than the view, so such a chara is drawn just
// outside the nine columns, where nobody sees it.
constexpr int CharaReachX = 5;
constexpr int CharaReachY = 3;

// Returns the tile set drawing a world, or null for a world drawn with none.
const platform::ImageList* tileSetOf(int world) {
  if (!isWorld(world)) return nullptr;
  return tileSetNumbered(PlayedTileSets[world - 1]);
}

void drawTile(int col, int row, int code) {
  const platform::ImageList* tiles = tileSetOf(LeaderPos.world);
  if (tiles == nullptr) return;
  tiles->draw(Form1.Image2, TileSide * col, StripHeight + TileSide * row, code);
}

// Draws the 63 tiles row by row. Returns false when the view reaches an
// on-map cell of a world that has no map: the picture stops there, with the
// outside tiles before that cell already drawn.
bool drawTiles(MapPos pos) {
  for (int row = 0; row < ViewRows; ++row) {
    for (int col = 0; col < ViewCols; ++col) {
      int mx = int(pos.x) - CentreCol + col;
      int my = int(pos.y) - CentreRow + row;
      if (!onMap(mx, my)) {
        drawTile(col, row, TileOutside);
      } else if (!isWorld(pos.world)) {
        return false;
      } else if (pos.floor < 1 || pos.floor > FloorCount) {
        // Nobody ever leaves floor 1, but a floor the map lacks would read
        // past the map's bytes: show it as outside instead.
        drawTile(col, row, TileOutside);
      } else {
        drawTile(col, row, WorldMaps[pos.world - 1].cells[cellIndex(mx, my, pos.floor)]);
      }
    }
  }
  return true;
}

void drawCharas(MapPos pos) {
  for (const CharaRec& chara : Charas) {
    MapPos c = chara.pos;
    if (c.world != pos.world || c.floor != pos.floor) continue;
    int dx = int(c.x) - int(pos.x);
    int dy = int(c.y) - int(pos.y);
    if (dx < -CharaReachX || dx > CharaReachX || dy < -CharaReachY || dy > CharaReachY) continue;
    Form1.Chara.draw(Form1.Image2, CentreX + TileSide * dx, CentreY + TileSide * dy, CharaOther);
  }
}

}  // namespace

void enterField() {
  GameMode = ModeField;
  drawField(LeaderPos);
}

void drawField(MapPos pos) {
  noteGridShown(false);
  if (!drawTiles(pos)) return;
  Form1.Chara.draw(Form1.Image2, CentreX, CentreY, CharaLeader);
  drawCharas(pos);
  drawStatusLine(StatusText);
}
