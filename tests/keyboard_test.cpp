// The key handler in every mode: the title starts the game on any key, arrows
// walk and cost a turn each (blocked or not), Enter opens command entry for a
// turn, other keys do nothing, and every key ends with the frame copy.
#include "ui/keyboard.h"

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "game/game_state.h"
#include "tests/support/game_fixture.h"
#include "ui/main_window.h"
#include "ui/status_strip.h"

namespace {

uint8_t& cell(int x, int y) { return WorldMaps[0].cells[cellIndex(x, y, 1)]; }

// A plus of floor around (10, 10) of world 1, with the leader in its middle.
void standInOpenCross() {
  for (auto [x, y] : {std::pair{10, 10}, {9, 10}, {11, 10}, {10, 9}, {10, 11}}) {
    cell(x, y) = TileFloor;
  }
  LeaderPos = MapPos{10, 10, 1, 1};
}

// Walls on all four sides of the leader.
void standWalledIn() {
  for (auto [x, y] : {std::pair{9, 10}, {11, 10}, {10, 9}, {10, 11}}) cell(x, y) = 3;
  cell(10, 10) = TileFloor;
  LeaderPos = MapPos{10, 10, 1, 1};
}

// The strip as drawStatusLine draws `text`, without touching the surface.
std::vector<uint32_t> stripOf(const char* text) {
  std::vector<uint32_t> saved = blockOf(Form1.Image2, 0, 0, 584, 16);
  drawStatusLine(text);
  std::vector<uint32_t> strip = blockOf(Form1.Image2, 0, 0, 584, 16);
  // Put the old strip back.
  for (int y = 0; y < 16; ++y) {
    std::memcpy(Form1.Image2.pixels() + size_t(y) * 584, saved.data() + size_t(y) * 584,
                584 * sizeof(uint32_t));
  }
  return strip;
}

struct Records {
  MapPos leader;
  int32_t score;
  uint32_t seed;
  uint8_t mode;
  std::string status, command;
  uint8_t cursorCol, cursorRow;
};
Records records() {
  return Records{LeaderPos,  Score,       SeedCounter, GameMode,
                 StatusText, CommandLine, CursorCol,   CursorRow};
}
void expectSame(const Records& a, const Records& b) {
  EXPECT_EQ(std::memcmp(&a.leader, &b.leader, sizeof a.leader), 0);
  EXPECT_EQ(a.score, b.score);
  EXPECT_EQ(a.seed, b.seed);
  EXPECT_EQ(a.mode, b.mode);
  EXPECT_EQ(a.status, b.status);
  EXPECT_EQ(a.command, b.command);
  EXPECT_EQ(a.cursorCol, b.cursorCol);
  EXPECT_EQ(a.cursorRow, b.cursorRow);
}

TEST(KeyboardTitleTest, AnyKeyStartsTheGame) {
  for (uint16_t key : std::initializer_list<uint16_t>{KeySpace, KeyEnter, KeyUp, KeyTab, 65, 255}) {
    SCOPED_TRACE(testing::Message() << "key " << key);
    showFreshTitle();
    Charas[0].moveKind = 0;
    FormKeyDown(key);
    EXPECT_EQ(GameMode, ModeField);
    EXPECT_EQ(packMapPos(LeaderPos), packMapPos(MapPos{1, 1, 1, 1}));
    EXPECT_EQ(Charas[0].moveKind, MoveWander) << "a new game was started";
    EXPECT_EQ(Score, 5000) << "starting is not a turn";
    EXPECT_EQ(SeedCounter, 0u);
    EXPECT_TRUE(sameSurface(Form1.Image1, Form1.Image2));
    EXPECT_NE(Form1.Image2.pixel(10, 30), platform::ColorWhite) << "the field is drawn";
  }
}

class KeyboardTest : public GameFixture {};

TEST_F(KeyboardTest, ArrowsStepRunATurnAndRedraw) {
  struct Case {
    uint16_t key;
    int dx, dy;
  };
  const Case cases[] = {{KeyUp, 0, -1}, {KeyDown, 0, 1}, {KeyLeft, -1, 0}, {KeyRight, 1, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "key " << c.key);
    standInOpenCross();
    presentFrame();
    std::vector<uint32_t> before = blockOf(Form1.Image2, 0, 16, 576, 448);
    int32_t score = Score;
    uint32_t seed = SeedCounter;
    FormKeyDown(c.key);
    EXPECT_EQ(LeaderPos.x, 10 + c.dx);
    EXPECT_EQ(LeaderPos.y, 10 + c.dy);
    EXPECT_EQ(Score, score - 1);
    EXPECT_GT(SeedCounter, seed);
    EXPECT_NE(blockOf(Form1.Image2, 0, 16, 576, 448), before) << "the view moved";
    EXPECT_TRUE(sameSurface(Form1.Image1, Form1.Image2));
    EXPECT_EQ(GameMode, ModeField);
  }
}

TEST_F(KeyboardTest, AStatementsMessageStaysForOneStep) {
  standInOpenCross();
  setStatus("Query OK.");
  std::vector<uint32_t> answer = stripOf("Query OK.");
  std::vector<uint32_t> title = stripOf("-Velmora Keep- 03");
  ASSERT_NE(answer, title);

  FormKeyDown(KeyRight);
  EXPECT_EQ(blockOf(Form1.Image2, 0, 0, 584, 16), answer) << "first step still shows it";
  EXPECT_STREQ(StatusText, "-Velmora Keep- 03") << "reset after drawing";
  FormKeyDown(KeyLeft);
  EXPECT_EQ(blockOf(Form1.Image2, 0, 0, 584, 16), title);
}

TEST_F(KeyboardTest, ABlockedStepStillCostsATurn) {
  for (uint16_t key : std::initializer_list<uint16_t>{KeyUp, KeyDown, KeyLeft, KeyRight}) {
    standWalledIn();
    int32_t score = Score;
    uint32_t seed = SeedCounter;
    setStatus("before");
    FormKeyDown(key);
    EXPECT_EQ(packMapPos(LeaderPos), packMapPos(MapPos{10, 10, 1, 1})) << key;
    EXPECT_EQ(Score, score - 1) << key;
    EXPECT_GT(SeedCounter, seed) << key;
    EXPECT_STREQ(StatusText, "-Velmora Keep- 03");
    EXPECT_TRUE(sameSurface(Form1.Image1, Form1.Image2));
  }
}

// Keys without a use in the field, and Enter and the unused keys in command
// entry: no record and no pixel changes.
TEST_F(KeyboardTest, UnusedKeysDoNothing) {
  for (bool command : {false, true}) {
    startFieldGame();
    if (command) FormKeyDown(KeyEnter);
    setStatus("kept");
    const std::vector<uint16_t> keys = command
                                           ? std::vector<uint16_t>{KeyEnter, 65, 27}
                                           : std::vector<uint16_t>{KeyTab, KeySpace, 65, 27, 255};
    for (uint16_t key : keys) {
      SCOPED_TRACE(testing::Message() << (command ? "command entry" : "field") << " key " << key);
      Records before = records();
      std::vector<uint32_t> picture = blockOf(Form1.Image2, 0, 0, 584, 491);
      FormKeyDown(key);
      expectSame(records(), before);
      EXPECT_EQ(blockOf(Form1.Image2, 0, 0, 584, 491), picture);
    }
  }
}

TEST_F(KeyboardTest, EnterOpensCommandEntryForOneTurn) {
  int32_t score = Score;
  FormKeyDown(KeyEnter);
  EXPECT_EQ(GameMode, ModeCommand);
  EXPECT_EQ(Score, score - 1);
  EXPECT_EQ(CommandLength, 0);
  EXPECT_TRUE(sameSurface(Form1.Image1, Form1.Image2));
}

TEST_F(KeyboardTest, CommandEntryKeysReachTheGrid) {
  FormKeyDown(KeyEnter);
  int32_t score = Score;
  FormKeyDown(KeyRight);
  EXPECT_EQ(CursorCol, 1);
  FormKeyDown(KeyDown);
  EXPECT_EQ(CursorRow, 1);
  FormKeyDown(KeySpace);  // picks "O"
  EXPECT_STREQ(CommandLine, "O");
  FormKeyDown(KeyTab);  // a one-letter line not listed takes the last statement
  EXPECT_EQ(CommandLength, std::strlen(CommandLine));
  EXPECT_EQ(Score, score) << "command entry keys are not turns";
  EXPECT_TRUE(sameSurface(Form1.Image1, Form1.Image2));
}

TEST_F(KeyboardTest, AWinningEnterWritesTheMessageOverTheGrid) {
  for (CharaRec& c : Charas) c.moveKind = MoveArrived;
  Score = 1234;
  FormKeyDown(KeyEnter);
  EXPECT_EQ(GameMode, ModeCleared);
  EXPECT_STREQ(StatusText, "Congratulation! Score=1234");
  EXPECT_EQ(blockOf(Form1.Image2, 0, 0, 584, 16), stripOf("Congratulation! Score=1234"));
  EXPECT_TRUE(sameSurface(Form1.Image1, Form1.Image2));
}

TEST_F(KeyboardTest, AfterTheWinKeysOnlyCopyTheFrame) {
  for (CharaRec& c : Charas) c.moveKind = MoveArrived;
  FormKeyDown(KeyRight);
  ASSERT_EQ(GameMode, ModeCleared);
  for (uint16_t key : std::initializer_list<uint16_t>{KeyUp, KeyEnter, KeySpace, KeyTab, 65}) {
    SCOPED_TRACE(testing::Message() << "key " << key);
    // Something drawn since the last frame is what the next copy shows.
    Form1.Image2.setBrushStyle(platform::BrushSolid);
    Form1.Image2.setBrushColor(0x00AA00 + key);
    Form1.Image2.fillRect(platform::Rect{0, 480, 10, 491});
    Records before = records();
    FormKeyDown(key);
    expectSame(records(), before);
    EXPECT_TRUE(sameSurface(Form1.Image1, Form1.Image2));
    EXPECT_EQ(Form1.Image1.pixel(0, 485), 0x00AA00u + key);
  }
  EXPECT_EQ(GameMode, ModeCleared) << "the title never comes back";
}

}  // namespace
