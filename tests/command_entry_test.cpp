// Command entry as the player meets it: the grid and its cursor on screen,
// moving with wrap-around, picking, erasing, submitting, and the switches
// between the field and the grid.
#include "ui/command_entry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "game/game_state.h"
#include "tests/support/command_entry_support.h"
#include "ui/field_view.h"
#include "ui/keyboard.h"
#include "ui/main_window.h"

namespace {

constexpr const char* VersionAnswer = "Velmora Keep 03 Ver.10.0";

int ringX(int col) { return 40 * col + 2; }
int ringY(int row) { return 44 * row + 25; }

// Whether Chara image `index` shows whole at the cell's ring position.
bool ringShown(int index, int col, int row) {
  int opaque = 0;
  const int matching = matchingImagePixels(index, ringX(col), ringY(row), &opaque);
  return opaque > 0 && matching == opaque;
}

// The strip's pixels, to tell whether two frames show the same line.
std::vector<uint32_t> stripPixels() {
  std::vector<uint32_t> out;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < Form1.Image2.width(); ++x) out.push_back(Form1.Image2.pixel(x, y));
  }
  return out;
}

void pickAt(int col, int row) {
  CursorCol = uint8_t(col);
  CursorRow = uint8_t(row);
  FormKeyDown(KeySpace);
}

class CommandEntryTest : public ::testing::Test {
 protected:
  void SetUp() override { openFreshCommandEntry(); }
};

TEST_F(CommandEntryTest, GridHoldsItsCharactersRowByRow) {
  struct Cell {
    int col, row;
    uint8_t byte;
  };
  const Cell cells[] = {
      {0, 0, 'A'},  {12, 0, 'M'}, {0, 1, 'N'},  {12, 1, 'Z'},  {0, 2, 'a'},  {12, 3, 'z'},
      {0, 4, '0'},  {9, 4, '9'},  {10, 4, '('}, {11, 4, ')'},  {12, 4, ','}, {0, 5, ' '},
      {5, 5, '='},  {6, 5, '\''}, {12, 5, '_'}, {0, 6, '#'},   {4, 6, '|'},  {6, 6, '"'},
      {7, 6, '\\'}, {8, 6, ' '},  {9, 6, ' '},  {10, 6, 0x80}, {11, 6, ' '}, {12, 6, 0x7F},
  };
  for (const Cell& c : cells) {
    EXPECT_EQ(CharGrid[13 * c.row + c.col], c.byte) << "cell " << c.col << "," << c.row;
  }
  int blanks = 0;
  for (uint8_t b : CharGrid) blanks += (b == ' ');
  EXPECT_EQ(blanks, 4);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(CharGrid) + 13, 13), "NOPQRSTUVWXYZ");
}

TEST_F(CommandEntryTest, CursorWrapsAtEveryEdge) {
  struct Move {
    int col, row;
    uint16_t key;
    int toCol, toRow;
  };
  const Move moves[] = {
      {0, 0, KeyUp, 0, 6},     {5, 0, KeyUp, 5, 6},     {5, 3, KeyUp, 5, 2},
      {0, 6, KeyDown, 0, 0},   {12, 6, KeyDown, 12, 0}, {12, 2, KeyDown, 12, 3},
      {0, 0, KeyLeft, 12, 0},  {0, 6, KeyLeft, 12, 6},  {7, 4, KeyLeft, 6, 4},
      {12, 0, KeyRight, 0, 0}, {12, 6, KeyRight, 0, 6}, {3, 5, KeyRight, 4, 5},
  };
  for (const Move& m : moves) {
    CursorCol = uint8_t(m.col);
    CursorRow = uint8_t(m.row);
    FormKeyDown(m.key);
    EXPECT_EQ(CursorCol, m.toCol) << "from " << m.col << "," << m.row << " key " << m.key;
    EXPECT_EQ(CursorRow, m.toRow) << "from " << m.col << "," << m.row << " key " << m.key;
    EXPECT_EQ(PrevCursorCol, m.col);
    EXPECT_EQ(PrevCursorRow, m.row);
    EXPECT_TRUE(ringShown(CharaCursor, m.toCol, m.toRow));
  }
  // Thirteen steps right, or seven down, come back to the same cell.
  CursorCol = 4;
  CursorRow = 2;
  for (int i = 0; i < 13; ++i) FormKeyDown(KeyRight);
  for (int i = 0; i < 7; ++i) FormKeyDown(KeyDown);
  EXPECT_EQ(CursorCol, 4);
  EXPECT_EQ(CursorRow, 2);
}

// Returns whether the ring square of a cell shows the grid exactly as it was
// drawn, with no trace of a ring and no glyph edge cut away.
bool showsCleanGrid(int col, int row) {
  for (int y = ringY(row); y < ringY(row) + 38; ++y) {
    for (int x = ringX(col); x < ringX(col) + 38; ++x) {
      if (Form1.Image2.pixel(x, y) != Form1.GridPicture.pixel(x, y)) return false;
    }
  }
  return true;
}

TEST_F(CommandEntryTest, OpeningDrawsTheGridThenTheCursorOnAWhiteSurface) {
  EXPECT_EQ(GameMode, ModeCommand);
  EXPECT_EQ(CommandLength, 0);
  // First opening: the cursor on A, the eraser on B where the cursor "was".
  EXPECT_TRUE(ringShown(CharaCursor, 0, 0));
  EXPECT_TRUE(showsCleanGrid(1, 0));
  // The strip stays blank until something is picked, and the separator runs
  // across the whole surface.
  EXPECT_EQ(darkPixels(Form1.Image2, platform::Rect{0, 0, Form1.Image2.width(), 16}), 0);
  int opaque = 0;
  const int lastSeparator = (Form1.Image2.width() - 1) / 64 * 64;
  EXPECT_EQ(matchingImagePixels(CharaSeparator, 0, 17, &opaque), opaque);
  EXPECT_GT(opaque, 0);
  int shown = matchingImagePixels(CharaSeparator, lastSeparator, 17, &opaque);
  EXPECT_GT(shown, 0);
  // Below the grid the field is gone.
  EXPECT_EQ(darkPixels(Form1.Image2, platform::Rect{0, 44 * 7 + 24, 576, 464}), 0);
}

TEST_F(CommandEntryTest, EraseAndSubmitCellsShowSigns) {
  // Their bytes are control codes; the grid shows an erase and a return sign.
  EXPECT_GT(darkPixels(Form1.Image2, glyphArea(10, 6)), 20);
  EXPECT_GT(darkPixels(Form1.Image2, glyphArea(12, 6)), 20);
}

TEST_F(CommandEntryTest, GridGlyphsAndBlankCells) {
  for (int row = 0; row < 7; ++row) {
    for (int col = 0; col < 13; ++col) {
      const uint8_t byte = CharGrid[13 * row + col];
      if (byte == EraseCode || byte == SubmitCode) continue;  // signs of their own
      platform::Rect area = glyphArea(col, row);
      const int dark = darkPixels(Form1.Image2, area);
      if (byte == ' ') {
        // The wide erase sign may reach a few pixels into the blank beside it.
        area.left += 6;
        EXPECT_EQ(darkPixels(Form1.Image2, area), 0) << "blank cell " << col << "," << row;
      } else {
        EXPECT_GT(dark, 0) << "cell " << col << "," << row << " '" << char(byte) << "'";
      }
    }
  }
}

TEST_F(CommandEntryTest, MovingRedrawsTheRingAndWipesTheOldOne) {
  FormKeyDown(KeyRight);
  EXPECT_TRUE(ringShown(CharaCursor, 1, 0));
  EXPECT_TRUE(showsCleanGrid(0, 0));
  int opaque = 0;
  EXPECT_EQ(matchingImagePixels(CharaCursor, ringX(0), ringY(0), &opaque), 0);
  // The glyph under the old ring is whole again, edges included.
  EXPECT_GT(darkPixels(Form1.Image2, glyphArea(0, 0)), 0);
  FormKeyDown(KeyDown);
  EXPECT_TRUE(ringShown(CharaCursor, 1, 1));
  EXPECT_EQ(matchingImagePixels(CharaCursor, ringX(1), ringY(0), &opaque), 0);
  // Image1 receives the frame at the end of the key press.
  EXPECT_EQ(std::memcmp(Form1.Image1.pixels(), Form1.Image2.pixels(),
                        sizeof(uint32_t) * Form1.Image1.width() * Form1.Image1.height()),
            0);
}

TEST_F(CommandEntryTest, PickingAppendsAndShowsTheTail) {
  pickAt(5, 1);  // S
  pickAt(4, 0);  // E
  EXPECT_STREQ(CommandLine, "SE");
  EXPECT_EQ(CommandLength, 2);
  EXPECT_GT(darkPixels(Form1.Image2, commandSlot(1)), 0);
  EXPECT_GT(darkPixels(Form1.Image2, commandSlot(2)), 0);
  EXPECT_EQ(darkPixels(Form1.Image2, commandSlot(3)), 0);

  pickAt(0, 5);  // a blank moves the text one slot left
  EXPECT_STREQ(CommandLine, "SE ");
  EXPECT_EQ(darkPixels(Form1.Image2, commandSlot(1)), 0);
  EXPECT_GT(darkPixels(Form1.Image2, commandSlot(3)), 0);
}

TEST_F(CommandEntryTest, PickingStopsAtOneHundredAndOneCharacters) {
  for (int i = 0; i < 105; ++i) pickAt(9, 4);  // '9'
  EXPECT_EQ(CommandLength, 101);
  EXPECT_EQ(std::string(CommandLine), std::string(101, '9'));
  // Tab does nothing at this length either.
  FormKeyDown(KeyTab);
  EXPECT_EQ(CommandLength, 101);
  // One erase makes room for completion again: 100 + " " = 101.
  pickAt(10, 6);
  FormKeyDown(KeyTab);
  EXPECT_EQ(std::string(CommandLine), std::string(100, '9') + " ");
  EXPECT_EQ(CommandLength, 101);
}

TEST_F(CommandEntryTest, EraseRemovesTheLastCharacterAndLeavesAnEmptyLineAlone) {
  pickAt(0, 0);
  pickAt(1, 0);
  pickAt(10, 6);
  EXPECT_STREQ(CommandLine, "A");
  EXPECT_EQ(CommandLength, 1);
  EXPECT_EQ(darkPixels(Form1.Image2, commandSlot(2)), 0);
  pickAt(10, 6);
  EXPECT_STREQ(CommandLine, "");
  EXPECT_EQ(darkPixels(Form1.Image2, commandSlot(1)), 0);

  // On an empty line erase neither changes the line nor redraws the strip.
  Form1.Image2.setBrushStyle(platform::BrushSolid);
  Form1.Image2.setBrushColor(platform::ColorBlack);
  Form1.Image2.fillRect(commandSlot(1));
  pickAt(10, 6);
  EXPECT_EQ(CommandLength, 0);
  EXPECT_EQ(darkPixels(Form1.Image2, commandSlot(1)), 16 * 16);
  for (char c : CommandLine) ASSERT_EQ(c, '\0');
}

TEST_F(CommandEntryTest, SubmitRunsTheLineKeepsItAndReturnsToTheField) {
  const int32_t scoreBefore = Score;
  setStatus("-Velmora Keep- 03");
  pickAt(7, 6);  // backslash
  pickAt(8, 3);  // v
  pickAt(12, 6);
  EXPECT_EQ(GameMode, ModeField);
  EXPECT_STREQ(StatusText, VersionAnswer);
  EXPECT_EQ(std::memcmp(LastCommand, CommandLine, sizeof LastCommand), 0);
  EXPECT_STREQ(LastCommand, "\\v");
  EXPECT_STREQ(CommandLine, "\\v");  // cleared on the next opening, not now
  EXPECT_EQ(Score, scoreBefore);     // a submission is not a turn
  // The field is back, drawn whole with the answer in the strip.
  const std::vector<uint32_t> shown(Form1.Image2.pixels(),
                                    Form1.Image2.pixels() + Form1.Image2.width() * 464);
  enterField();
  EXPECT_TRUE(std::equal(shown.begin(), shown.end(), Form1.Image2.pixels()));

  // The answer stays on show for the first step and gives way on the second.
  const std::vector<uint32_t> answerStrip = stripPixels();
  EXPECT_GT(darkPixels(Form1.Image2, platform::Rect{0, 0, 200, 16}), 0);
  FormKeyDown(KeyDown);
  EXPECT_EQ(stripPixels(), answerStrip);
  EXPECT_STREQ(StatusText, "-Velmora Keep- 03");
  FormKeyDown(KeyUp);
  EXPECT_NE(stripPixels(), answerStrip);
}

TEST_F(CommandEntryTest, ModesAndTheKeysOfCommandEntry) {
  pickAt(5, 1);  // S
  const int32_t score = Score;
  FormKeyDown(KeyEnter);  // no submission from the keyboard
  FormKeyDown(65);        // letters are not typed
  EXPECT_EQ(GameMode, ModeCommand);
  EXPECT_STREQ(CommandLine, "S");
  EXPECT_EQ(Score, score);
  FormKeyDown(KeyTab);
  EXPECT_STREQ(CommandLine, "SELECT ");

  // Submitting leaves the grid; Enter opens it again with an empty line, the
  // cursor where it was, for one turn.
  pickAt(12, 6);
  EXPECT_EQ(GameMode, ModeField);
  FormKeyDown(KeyEnter);
  EXPECT_EQ(GameMode, ModeCommand);
  EXPECT_EQ(Score, score - 1);
  EXPECT_EQ(CommandLength, 0);
  EXPECT_STREQ(CommandLine, "");
  EXPECT_EQ(CursorCol, 12);
  EXPECT_EQ(CursorRow, 6);
  EXPECT_TRUE(ringShown(CharaCursor, 12, 6));
  // Tab on the empty line brings the submitted statement back.
  FormKeyDown(KeyTab);
  EXPECT_STREQ(CommandLine, "SELECT ");
  EXPECT_EQ(CommandLength, 7);
}

}  // namespace
