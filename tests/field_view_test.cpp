// The field view, probed by pixels: each view cell shows the tile of its map
// cell (or the outside tile beyond the edge), the charas are drawn only where
// and when they should be, and worlds without tiles keep the old picture.
#include "ui/field_view.h"

#include <gtest/gtest.h>

#include "game/game_state.h"
#include "tests/support/game_fixture.h"
#include "ui/main_window.h"

namespace {

constexpr int Cols = 9;
constexpr int Rows = 7;
constexpr uint32_t Marker = 0x123456;

int cellLeft(int col) { return 64 * col; }
int cellTop(int row) { return 16 + 64 * row; }

const platform::ImageList& tilesOf(int world) {
  return world == 1 ? Form1.Parts1 : world == 2 ? Form1.Parts2 : Form1.Parts3;
}

// The tile code the view should show at (col, row) around the leader.
int expectedCode(MapPos leader, int col, int row) {
  int mx = leader.x - 4 + col;
  int my = leader.y - 3 + row;
  if (mx < 0 || mx > 31 || my < 0 || my > 31) return TileOutside;
  return WorldMaps[leader.world - 1].cells[cellIndex(mx, my, leader.floor)];
}

bool cellShowsTile(int col, int row, int world, int code) {
  return blockEquals(Form1.Image2, cellLeft(col), cellTop(row), imageOf(tilesOf(world), code), 64,
                     64);
}

// Sends the charas somewhere they are never drawn from the leader's view.
void parkCharas() {
  for (CharaRec& c : Charas) c.pos = MapPos{16, 16, 1, 5};
}

void fillSurface(uint32_t colour) {
  Form1.Image2.setBrushStyle(platform::BrushSolid);
  Form1.Image2.setBrushColor(colour);
  Form1.Image2.fillRect(platform::Rect{0, 0, Form1.Image2.width(), Form1.Image2.height()});
}

class FieldViewTest : public GameFixture {};

TEST_F(FieldViewTest, EveryCellShowsItsMapTile) {
  const MapPos leaders[] = {
      {1, 1, 1, 1}, {29, 29, 1, 1}, {16, 16, 1, 1}, {0, 31, 1, 2}, {31, 0, 1, 3}, {12, 20, 1, 2},
  };
  for (MapPos leader : leaders) {
    SCOPED_TRACE(testing::Message() << "leader " << int(leader.x) << "," << int(leader.y)
                                    << " world " << int(leader.world));
    parkCharas();
    LeaderPos = leader;
    drawField(LeaderPos);
    for (int row = 0; row < Rows; ++row) {
      for (int col = 0; col < Cols; ++col) {
        if (col == 4 && row == 3) continue;  // the leader covers its cell
        EXPECT_TRUE(cellShowsTile(col, row, leader.world, expectedCode(leader, col, row)))
            << "view cell " << col << "," << row;
      }
    }
  }
}

TEST_F(FieldViewTest, OutsideTileBeyondTheEdges) {
  parkCharas();
  LeaderPos = MapPos{1, 1, 1, 1};
  drawField(LeaderPos);
  for (int row = 0; row < Rows; ++row) {
    for (int col = 0; col < Cols; ++col) {
      if (col <= 2 || row <= 1) {
        EXPECT_TRUE(cellShowsTile(col, row, 1, TileOutside)) << col << "," << row;
      }
    }
  }

  LeaderPos = MapPos{29, 29, 1, 1};
  drawField(LeaderPos);
  for (int row = 0; row < Rows; ++row) {
    for (int col = 0; col < Cols; ++col) {
      if (col >= 7 || row == 6) {
        EXPECT_TRUE(cellShowsTile(col, row, 1, TileOutside)) << col << "," << row;
      }
    }
  }
  // The map's own cells next to the edge are not outside tiles.
  EXPECT_TRUE(cellShowsTile(6, 5, 1, expectedCode(LeaderPos, 6, 5)));
}

TEST_F(FieldViewTest, TheLeaderSitsInTheCentre) {
  parkCharas();
  LeaderPos = MapPos{16, 16, 1, 1};
  drawField(LeaderPos);
  platform::Canvas expected = imageOf(Form1.Parts1, expectedCode(LeaderPos, 4, 3));
  Form1.Chara.draw(expected, 0, 0, CharaLeader);
  EXPECT_TRUE(blockEquals(Form1.Image2, 256, 208, expected, 64, 64));
}

TEST_F(FieldViewTest, CharasAreDrawnWhereTheyStand) {
  parkCharas();
  LeaderPos = MapPos{16, 16, 1, 1};
  Charas[0].pos = MapPos{18, 14, 1, 1};  // two right, two up: view cell (6, 1)
  drawField(LeaderPos);
  platform::Canvas expected = imageOf(Form1.Parts1, expectedCode(LeaderPos, 6, 1));
  Form1.Chara.draw(expected, 0, 0, CharaOther);
  EXPECT_TRUE(blockEquals(Form1.Image2, cellLeft(6), cellTop(1), expected, 64, 64));
  EXPECT_FALSE(cellShowsTile(6, 1, 1, expectedCode(LeaderPos, 6, 1)));
}

TEST_F(FieldViewTest, ACharaOnTheLeaderCoversIt) {
  parkCharas();
  LeaderPos = MapPos{16, 16, 1, 1};
  Charas[2].pos = LeaderPos;
  drawField(LeaderPos);
  platform::Canvas expected = imageOf(Form1.Parts1, expectedCode(LeaderPos, 4, 3));
  Form1.Chara.draw(expected, 0, 0, CharaLeader);
  Form1.Chara.draw(expected, 0, 0, CharaOther);
  EXPECT_TRUE(blockEquals(Form1.Image2, 256, 208, expected, 64, 64));
}

TEST_F(FieldViewTest, CharasOutOfViewOrElsewhereAreNotDrawn) {
  struct Case {
    const char* what;
    MapPos chara;
  };
  const MapPos leader{16, 16, 1, 1};
  const Case cases[] = {
      {"five columns right, beyond the view", {21, 16, 1, 1}},
      {"five columns left, beyond the view", {11, 16, 1, 1}},
      {"four rows down", {16, 20, 1, 1}},
      {"same cell of another world", {17, 16, 1, 2}},
      {"same cell of another floor", {17, 16, 2, 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    parkCharas();
    Charas[1].pos = c.chara;
    LeaderPos = leader;
    drawField(LeaderPos);
    for (int row = 0; row < Rows; ++row) {
      for (int col = 0; col < Cols; ++col) {
        if (col == 4 && row == 3) continue;
        EXPECT_TRUE(cellShowsTile(col, row, 1, expectedCode(leader, col, row)))
            << col << "," << row;
      }
    }
  }
}

TEST_F(FieldViewTest, ACharaFiveColumnsAwayIsDrawnBesideTheView) {
  // The surface is 584 wide: a chara five columns right lands at x = 576,
  // where only the eight columns beyond the view show it. Six columns right
  // is out of reach and draws nothing.
  const MapPos leader{16, 16, 1, 1};
  platform::Canvas sprite = imageOf(Form1.Chara, CharaOther, Marker);
  int spriteEdge = 0;
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 8; ++x) spriteEdge += sprite.pixel(x, y) != Marker;
  }
  ASSERT_GT(spriteEdge, 0) << "the figure reaches into its first eight columns";
  for (int dx : {5, 6}) {
    SCOPED_TRACE(testing::Message() << "dx " << dx);
    parkCharas();
    fillSurface(Marker);
    Charas[0].pos = MapPos{uint8_t(16 + dx), 16, 1, 1};
    LeaderPos = leader;
    drawField(LeaderPos);
    for (int y = 0; y < 64; ++y) {
      for (int x = 0; x < 8; ++x) {
        uint32_t expected = dx == 5 ? sprite.pixel(x, y) : Marker;
        ASSERT_EQ(Form1.Image2.pixel(576 + x, 208 + y), expected) << x << "," << y;
      }
    }
  }
}

TEST_F(FieldViewTest, WorldsWithoutTilesKeepThePreviousTiles) {
  for (uint8_t world : {4, 5}) {
    SCOPED_TRACE(testing::Message() << "world " << int(world));
    parkCharas();
    LeaderPos = MapPos{16, 16, 1, 1};
    drawField(LeaderPos);
    std::vector<uint32_t> before = blockOf(Form1.Image2, 0, 16, 256, 64 * 7);
    std::snprintf(StatusText, sizeof StatusText, "in world %d", world);
    LeaderPos = MapPos{3, 3, 1, world};
    drawField(LeaderPos);
    // The left four columns keep world 1's tiles: no tile and no chara lands there.
    EXPECT_EQ(blockOf(Form1.Image2, 0, 16, 256, 64 * 7), before);
    // The leader and the strip are still drawn.
    platform::Canvas leaderImage = imageOf(Form1.Chara, CharaLeader, 0x000000);
    int leaderPixels = 0;
    for (int y = 0; y < 64; ++y) {
      for (int x = 0; x < 64; ++x) {
        if (leaderImage.pixel(x, y) != 0 &&
            Form1.Image2.pixel(256 + x, 208 + y) == leaderImage.pixel(x, y)) {
          ++leaderPixels;
        }
      }
    }
    EXPECT_GT(leaderPixels, 0);
    EXPECT_GT(inkIn(Form1.Image2, 0, 0, 200, 16), 0);
  }
}

TEST_F(FieldViewTest, AWorldOutsideOneToFiveDrawsNothingAtAll) {
  for (uint8_t world : {0, 6, 255}) {
    SCOPED_TRACE(testing::Message() << "world " << int(world));
    parkCharas();
    fillSurface(Marker);
    LeaderPos = MapPos{16, 16, 1, world};
    drawField(LeaderPos);
    EXPECT_EQ(Form1.Image2.pixel(0, 0), Marker) << "strip";
    EXPECT_EQ(Form1.Image2.pixel(256 + 32, 208 + 32), Marker) << "leader";
    EXPECT_EQ(Form1.Image2.pixel(10, 30), Marker) << "tiles";
  }
}

TEST_F(FieldViewTest, AFloorTheMapLacksShowsOutsideTiles) {
  parkCharas();
  for (uint8_t floor : {0, 9, 255}) {
    LeaderPos = MapPos{16, 16, floor, 1};
    drawField(LeaderPos);
    EXPECT_TRUE(cellShowsTile(0, 0, 1, TileOutside)) << "floor " << int(floor);
    EXPECT_TRUE(cellShowsTile(8, 6, 1, TileOutside)) << "floor " << int(floor);
  }
}

TEST_F(FieldViewTest, EnterFieldSetsTheModeAndDrawsAroundTheLeader) {
  GameMode = ModeCommand;
  fillSurface(Marker);
  parkCharas();
  LeaderPos = MapPos{16, 16, 1, 2};
  enterField();
  EXPECT_EQ(GameMode, ModeField);
  EXPECT_TRUE(cellShowsTile(0, 0, 2, expectedCode(LeaderPos, 0, 0)));
  EXPECT_NE(Form1.Image2.pixel(0, 0), Marker);
}

}  // namespace
