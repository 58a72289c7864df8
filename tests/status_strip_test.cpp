// The status strip: a white band across the whole surface width with the
// message at its left, never wrapping, and during command entry the tail of
// the statement right-aligned in fixed 16-pixel slots.
#include "ui/status_strip.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "game/game_state.h"
#include "platform/font.h"
#include "tests/support/game_fixture.h"
#include "ui/command_entry.h"
#include "ui/main_window.h"

namespace {

constexpr uint32_t Marker = 0x204080;

void fillSurface(uint32_t colour) {
  Form1.Image2.setBrushStyle(platform::BrushSolid);
  Form1.Image2.setBrushColor(colour);
  Form1.Image2.fillRect(platform::Rect{0, 0, Form1.Image2.width(), Form1.Image2.height()});
}

void setCommand(const std::string& text) {
  std::memset(CommandLine, 0, sizeof CommandLine);
  std::memcpy(CommandLine, text.data(), text.size());
  CommandLength = uint8_t(text.size());
}

// Makes both surfaces `width` wide, as a window of other metrics would.
void resizeSurfaces(int width) {
  Form1.Image1.create(width, Form1.Image1.height());
  Form1.Image2.create(width, Form1.Image2.height());
  Form1.Image2.setFont(platform::DefaultFontFace, 16);
}

class StatusStripTest : public GameFixture {};

TEST_F(StatusStripTest, FillsTheWholeSurfaceWidthWhite) {
  ASSERT_EQ(Form1.Image1.width(), 584);
  for (bool command : {false, true}) {
    fillSurface(Marker);
    if (command) {
      setCommand("");
      drawCommandLine();
    } else {
      drawStatusLine("");
    }
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 584; ++x) {
        ASSERT_EQ(Form1.Image2.pixel(x, y), platform::ColorWhite) << x << "," << y;
      }
    }
    EXPECT_EQ(Form1.Image2.pixel(0, 16), Marker);
    EXPECT_EQ(Form1.Image2.pixel(583, 16), Marker);
  }
}

TEST_F(StatusStripTest, ShowsTheMessageAtTheLeft) {
  drawStatusLine("Hello");
  EXPECT_GT(inkIn(Form1.Image2, 0, 0, 60, 16), 0);
  EXPECT_EQ(inkIn(Form1.Image2, 100, 0, 484, 16), 0);
}

TEST_F(StatusStripTest, ALongMessageIsCutAtTheRightEdgeAndNeverWraps) {
  fillSurface(Marker);
  std::string wide(129, 'W');
  drawStatusLine(wide.c_str());
  EXPECT_GT(inkIn(Form1.Image2, 560, 0, 24, 16), 0) << "text runs to the right edge";
  for (int y = 16; y < 48; ++y) {
    for (int x = 0; x < 584; ++x) ASSERT_EQ(Form1.Image2.pixel(x, y), Marker) << x << "," << y;
  }
}

TEST_F(StatusStripTest, AnUnterminatedMessageIsNotReadPastItsEnd) {
  // Under the address sanitizer a read past StatusText fails this test.
  std::memset(StatusText, 'W', sizeof StatusText);
  drawStatusLine(StatusText);
  EXPECT_GT(inkIn(Form1.Image2, 560, 0, 24, 16), 0);
  setStatus("");
}

TEST_F(StatusStripTest, ABrokenCommandLengthIsNotReadPastTheLine) {
  // Under the address sanitizer a read past CommandLine fails this test.
  std::memset(CommandLine, 'M', sizeof CommandLine);
  CommandLength = 200;
  drawCommandLine();
  EXPECT_GT(inkIn(Form1.Image2, 568, 0, 16, 16), 0);
}

TEST_F(StatusStripTest, KeepsTheFaceAndSetsHeightSixteen) {
  EXPECT_STREQ(Form1.Image2.fontFace(), platform::DefaultFontFace);
  drawStatusLine("x");
  EXPECT_EQ(Form1.Image2.fontHeight(), 16);
  ASSERT_TRUE(Form1.Image2.setFont("Tahoma", 38));
  drawStatusLine("x");
  EXPECT_STREQ(Form1.Image2.fontFace(), "Tahoma");
  EXPECT_EQ(Form1.Image2.fontHeight(), 16);
}

TEST_F(StatusStripTest, CommandLineFillsSlotsFromTheRight) {
  const int w = Form1.Image1.width();
  struct Case {
    std::string line;
    int inkedSlot;  // k: the slot at x = W - 16k
  };
  const Case cases[] = {{"M", 1}, {"  M", 1}, {"M  ", 3}, {"M" + std::string(11, ' '), 12}};
  for (const Case& c : cases) {
    SCOPED_TRACE("'" + c.line + "'");
    setCommand(c.line);
    drawCommandLine();
    for (int k = 1; k <= int(c.line.size()); ++k) {
      int ink = inkIn(Form1.Image2, w - 16 * k, 0, 16, 16);
      if (k == c.inkedSlot) {
        EXPECT_GT(ink, 0) << "slot " << k;
      } else {
        EXPECT_EQ(ink, 0) << "slot " << k;
      }
    }
    EXPECT_EQ(inkIn(Form1.Image2, 0, 0, w - 16 * int(c.line.size()), 16), 0);
  }
}

TEST_F(StatusStripTest, OnlyTheLastFortyFourCharactersAreDrawn) {
  // On a wide surface every one of the 44 slots is visible.
  resizeSurfaces(800);
  std::string line = std::string(6, 'M') + std::string(44, ' ');
  setCommand(line);
  drawCommandLine();
  EXPECT_EQ(inkIn(Form1.Image2, 0, 0, 800, 16), 0) << "the six M's are beyond the last 44";

  line = std::string(50, ' ');
  line[5] = 'M';  // 45th from the end: not drawn
  line[6] = 'M';  // 44th from the end: the leftmost slot, x = W - 704
  setCommand(line);
  drawCommandLine();
  EXPECT_GT(inkIn(Form1.Image2, 800 - 704, 0, 16, 16), 0);
  EXPECT_EQ(inkIn(Form1.Image2, 0, 0, 800 - 704, 16), 0);
}

TEST_F(StatusStripTest, SlotsLeftOfTheSurfaceAreCutOff) {
  setCommand(std::string(50, 'M'));
  drawCommandLine();
  EXPECT_GT(inkIn(Form1.Image2, 0, 0, 16, 16), 0);
  EXPECT_EQ(Form1.Image2.pixel(0, 16), Form1.Image1.pixel(0, 16)) << "nothing below the strip";
}

}  // namespace
