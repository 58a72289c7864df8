// The main form: window and surface size from the system metrics, the title
// picture's place, the once-per-run resets, the frame copy, and a game that
// still starts when the title picture is missing or damaged.
#include "ui/main_window.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "game/game_state.h"
#include "platform/resources.h"
#include "statements/dispatcher.h"
#include "tests/support/game_fixture.h"
#include "ui/keyboard.h"

namespace {

TEST(MainWindowTest, WindowSizeComesFromTheMetrics) {
  FormSize size = formOuterSize();
  EXPECT_EQ(size.width, 584);
  EXPECT_EQ(size.height, 491);
  showFreshTitle();
  EXPECT_EQ(Form1.Image1.width(), 584);
  EXPECT_EQ(Form1.Image1.height(), 491);
  EXPECT_EQ(Form1.Image2.width(), 584);
  EXPECT_EQ(Form1.Image2.height(), 491);
}

TEST(MainWindowTest, TitleIsCentredTruncatingTowardZero) {
  struct Case {
    int surface, picture, left;
  };
  const Case cases[] = {{584, 480, 52}, {577, 480, 48}, {480, 480, 0},  {481, 480, 0},
                        {479, 480, 0},  {470, 480, -5}, {400, 480, -40}};
  for (const Case& c : cases) {
    EXPECT_EQ(titleLeft(c.surface, c.picture), c.left) << c.surface << " - " << c.picture;
  }
}

TEST(MainWindowTest, TitleScreenShowsThePictureAt52And32) {
  showFreshTitle();
  const platform::Picture& title = Form1.title;
  ASSERT_GT(title.width, 0);
  ASSERT_EQ(titleLeft(584, title.width), (584 - title.width) / 2);
  int left = titleLeft(584, title.width);
  for (int y : {0, title.height / 2, title.height - 1}) {
    for (int x : {0, title.width / 3, title.width - 1}) {
      EXPECT_EQ(Form1.Image2.pixel(left + x, 32 + y), title.pixels[size_t(y) * title.width + x])
          << x << "," << y;
    }
  }
  // Around the picture the surface is white, the strip included.
  EXPECT_EQ(Form1.Image2.pixel(left - 1, 40), platform::ColorWhite);
  EXPECT_EQ(Form1.Image2.pixel(100, 31), platform::ColorWhite);
  EXPECT_EQ(Form1.Image2.pixel(5, 5), platform::ColorWhite);
  EXPECT_EQ(Form1.Image2.pixel(583, 490), platform::ColorWhite);
  EXPECT_TRUE(sameSurface(Form1.Image1, Form1.Image2)) << "the title is presented";
}

TEST(MainWindowTest, StartUpResetsTheRecordsOnce) {
  showFreshTitle();
  // Scribble over what the title resets, then create the form again.
  WorldMaps[2].cells[100] = 7;
  Score = 12;
  std::strcpy(CommandLine, "SELECT");
  std::strcpy(LastCommand, "DROP");
  CursorCol = 5;
  PrevCursorRow = 4;
  GameMode = ModeField;
  FormCreate();
  EXPECT_EQ(std::memcmp(WorldMaps, InitialMaps, sizeof WorldMaps), 0);
  EXPECT_EQ(Score, 5000);
  EXPECT_EQ(GameMode, ModeTitle);
  EXPECT_STREQ(StatusText, "-Velmora Keep- 03");
  EXPECT_EQ(CursorCol, 0);
  EXPECT_EQ(CursorRow, 0);
  EXPECT_EQ(PrevCursorCol, 1);
  EXPECT_EQ(PrevCursorRow, 0);
  const char zeros[CommandSize] = {};
  EXPECT_EQ(std::memcmp(CommandLine, zeros, CommandSize), 0);
  EXPECT_EQ(std::memcmp(LastCommand, zeros, CommandSize), 0);
  EXPECT_EQ(SeedCounter, 0u) << "the seed is not the title's to reset";
}

// The rules ask for the help box; the form is what shows it.
TEST(MainWindowTest, TheFormShowsTheHelpBox) {
  showFreshTitle();
  ::testing::internal::CaptureStderr();
  executeStatement("\\h");
  const std::string shown = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(shown.find(HelpText), std::string::npos) << shown;
  EXPECT_NE(shown.find("ReadMe_J.txt"), std::string::npos) << shown;
  EXPECT_STREQ(StatusText, "Command error.");
}

TEST(MainWindowTest, ClearSurfaceWhitensImage2Only) {
  showFreshTitle();
  Form1.Image2.setBrushColor(0x102030);
  Form1.Image2.setBrushStyle(platform::BrushClear);
  clearSurface();
  for (int y = 0; y < 491; y += 7) {
    for (int x = 0; x < 584; x += 5) ASSERT_EQ(Form1.Image2.pixel(x, y), platform::ColorWhite);
  }
  EXPECT_FALSE(sameSurface(Form1.Image1, Form1.Image2)) << "Image1 keeps the title";
}

TEST(MainWindowTest, PresentFrameCopiesImage2IntoImage1) {
  showFreshTitle();
  Form1.Image2.setBrushStyle(platform::BrushSolid);
  Form1.Image2.setBrushColor(0x00FF00);
  Form1.Image2.fillRect(platform::Rect{500, 400, 584, 491});
  EXPECT_FALSE(sameSurface(Form1.Image1, Form1.Image2));
  presentFrame();
  EXPECT_TRUE(sameSurface(Form1.Image1, Form1.Image2));
  EXPECT_EQ(Form1.Image1.pixel(583, 490), 0x00FF00u);
}

// Runs loadFormResources with a resource table where TITLE is replaced by
// `title` (or left out when null), and returns what it wrote on stderr.
std::string loadWithTitle(const std::vector<uint8_t>* title) {
  const platform::ResourceEntry* realTable = platform::resourceTable;
  size_t realCount = platform::resourceCount;
  std::vector<platform::ResourceEntry> table;
  for (size_t i = 0; i < realCount; ++i) {
    platform::ResourceEntry e = realTable[i];
    if (e.name && std::strcmp(e.name, "TITLE") == 0) {
      if (!title) continue;
      e.data = title->data();
      e.size = title->size();
    }
    table.push_back(e);
  }
  platform::resourceTable = table.data();
  platform::resourceCount = table.size();
  testing::internal::CaptureStderr();
  loadFormResources();
  std::string err = testing::internal::GetCapturedStderr();
  platform::resourceTable = realTable;
  platform::resourceCount = realCount;
  return err;
}

TEST(MainWindowTest, AMissingOrDamagedTitleStillStartsTheGame) {
  prepareHeadlessForm();
  const std::vector<uint8_t> damaged = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F'};
  for (const std::vector<uint8_t>* title :
       {static_cast<const std::vector<uint8_t>*>(nullptr), &damaged}) {
    SCOPED_TRACE(title ? "damaged" : "missing");
    std::string err = loadWithTitle(title);
    ASSERT_FALSE(err.empty());
    EXPECT_EQ(err.find('\n'), err.size() - 1) << "exactly one line: " << err;
    EXPECT_NE(err.find("TITLE"), std::string::npos) << err;

    // The plain title: a picture of the real one's size on a pale ground.
    ASSERT_EQ(Form1.title.width, 480);
    ASSERT_EQ(Form1.title.height, 360);
    showFreshTitle();
    uint32_t ground = Form1.Image2.pixel(52 + 20, 32 + 200);
    EXPECT_NE(ground, platform::ColorWhite);
    EXPECT_GT((ground >> 16) & 0xFF, 0xA0u) << "pale";
    EXPECT_GT(inkIn(Form1.Image2, 52, 32, 480, 360), 0) << "the game's name is written";

    FormKeyDown(KeySpace);
    EXPECT_EQ(GameMode, ModeField);
  }
  // Put the real picture back for the tests that follow.
  loadFormResources();
}

TEST(MainWindowTest, TheBuiltInTitleLoadsSilently) {
  prepareHeadlessForm();
  testing::internal::CaptureStderr();
  loadFormResources();
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(Form1.title.width, 480);
  EXPECT_EQ(Form1.title.height, 360);
}

}  // namespace
