// What the player sees: whole frames at scripted moments of play, each
// compared by a hash of every pixel together with the records that explain
// it; the strip's and the field's guards against broken records; a missing
// title picture. (window_test.sh holds the screenshot against the window.)
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "game/game_state.h"
#include "headless/headless_script.h"
#include "platform/resources.h"
#include "tests/support/fnv.h"
#include "tests/support/form_fixture.h"
#include "ui/field_view.h"
#include "ui/keyboard.h"
#include "ui/main_window.h"
#include "ui/status_strip.h"

using enum platform::KeyCode;

namespace {

uint64_t frameHash(const platform::Canvas& c) {
  Fnv1a h;
  for (int i = 0; i < c.width() * c.height(); ++i) h.word(c.pixels()[i] & 0xFFFFFF);
  return h.value;
}

// The records that explain a frame (the status only when it is not the
// title's own) and the frame's hash.
std::string moment() {
  char text[400];
  const bool titleStatus = std::strncmp(StatusText, GameTitleText, StatusSize) == 0;
  std::snprintf(text, sizeof text, "mode %d score %d cursor %d,%d cmd '%.*s'%s%.*s%s %016llx",
                GameMode, Score, CursorCol, CursorRow, CommandSize, CommandLine,
                titleStatus ? "" : " status '", StatusSize, titleStatus ? "" : StatusText,
                titleStatus ? "" : "'", static_cast<unsigned long long>(frameHash(Form1.Image1)));
  return text;
}

void runLines(const std::string& script) {
  std::istringstream in(script);
  ASSERT_EQ(headless::runScript(in), 0) << script;
}

struct Step {
  const char* script;  // headless script lines, run in this process
  void (*setup)();     // records changed before the script, or null
  const char* seen;    // moment() afterwards
};

struct Story {
  const char* name;
  std::vector<Step> steps;
};

const Story Stories[] = {
    {"walking the field",
     {
         {"", nullptr, "mode 255 score 5000 cursor 0,0 cmd '' 5caf45db4cde5f9d"},
         {"key Space", nullptr, "mode 0 score 5000 cursor 0,0 cmd '' 213af7128406ae50"},
         {"key Right Right Down", nullptr, "mode 0 score 4997 cursor 0,0 cmd '' 6e87c1fc1d2f8b20"},
         {"key Up Up 65 Tab", nullptr, "mode 0 score 4995 cursor 0,0 cmd '' 6f60375b172d307d"},
         {"key Down",
          [] {
            LeaderPos = MapPos{16, 16, 1, 2};
          },
          "mode 0 score 4994 cursor 0,0 cmd '' cd9ab38ecb116113"},
         {"key Down",
          [] {
            LeaderPos = MapPos{16, 16, 1, 3};
          },
          "mode 0 score 4993 cursor 0,0 cmd '' 69301efe83254399"},
         // Worlds without tiles keep the last tiles drawn.
         {"key Down",
          [] {
            LeaderPos = MapPos{30, 30, 1, 4};
          },
          "mode 0 score 4992 cursor 0,0 cmd '' 69301efe83254399"},
         {"key Left",
          [] {
            Charas[0].pos = MapPos{13, 14, 1, 1};
            LeaderPos = MapPos{14, 14, 1, 1};
          },

          "mode 0 score 4991 cursor 0,0 cmd '' 657df6fbd6ce5511"},
         {"key Up", [] { Charas[0].pos = LeaderPos; },
          "mode 0 score 4990 cursor 0,0 cmd '' 36815c98a62a921a"},
     }},
    {"command entry",
     {
         {"key Space\nkey Enter", nullptr, "mode 1 score 4999 cursor 0,0 cmd '' 20d9398e25bf5af5"},
         {"key Right Right Down", nullptr, "mode 1 score 4999 cursor 2,1 cmd '' 349a35e75ba23355"},
         {"key Left Up Up Left", nullptr, "mode 1 score 4999 cursor 0,6 cmd '' e951fe21d70e4eec"},
         {"type SELECT * FROM world WHERE x=3 AND y=4", nullptr,
          "mode 1 score 4999 cursor 4,4 cmd 'SELECT * FROM world WHERE x=3 AND y=4' "
          "991b2e5c26e80529"},
         {"submit", nullptr,
          "mode 0 score 4999 cursor 12,6 cmd 'SELECT * FROM world WHERE x=3 AND y=4' "
          "9ef6e8fff79f0bba"},
         {"key Right", nullptr,
          "mode 0 score 4998 cursor 12,6 cmd 'SELECT * FROM world WHERE x=3 AND y=4' "
          "647c3cb6987c94a6"},
         {"key Enter\ntype S\nkey Tab", nullptr,
          "mode 1 score 4997 cursor 5,1 cmd 'SELECT ' 57768e7805f46cfb"},
         {"type x", nullptr, "mode 1 score 4997 cursor 10,3 cmd 'SELECT x' 0e95ebf055d9596b"},
         // Down to the erase cell: erase twice, then past the empty line.
         {"key Down Down Down Space Space", nullptr,
          "mode 1 score 4997 cursor 10,6 cmd 'SELECT' bb9a27f2e3b982b3"},
         {"key Space Space Space Space Space Space Space", nullptr,
          "mode 1 score 4997 cursor 10,6 cmd '' 26319a5f4720f1a5"},
         {"type abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789", nullptr,
          "mode 1 score 4997 cursor 9,4 cmd "
          "'abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789' 5dc63829c76a05c8"},
         {"type abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789", nullptr,
          "mode 1 score 4997 cursor 9,4 cmd "
          "'abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcdefghijklmnopqrstuvwxy"
          "zABCDEFGHIJKLM' ff96f4d2d2e4778e"},
         {"key Enter\ntype \\v\nsubmit", nullptr,
          "mode 0 score 4997 cursor 12,6 cmd "
          "'abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcdefghijklmnopqrstuvwxy"
          "zABCDEFGHIJKLM' status 'Command error.' b95ec9b16a3b4120"},
     }},
    {"the win",
     {
         {"key Space", nullptr, "mode 0 score 5000 cursor 0,0 cmd '' 213af7128406ae50"},
         {"key Right",
          [] {
            for (CharaRec& c : Charas) c.moveKind = MoveArrived;
          },
          "mode 254 score 4999 cursor 0,0 cmd '' 5755af19b80923ba"},
         {"key Up Enter Space 65", nullptr,
          "mode 254 score 4999 cursor 0,0 cmd '' 5755af19b80923ba"},
     }},
    {"the win by Enter, its message over the grid",
     {
         {"key Space", nullptr, "mode 0 score 5000 cursor 0,0 cmd '' 213af7128406ae50"},
         {"key Enter",
          [] {
            for (CharaRec& c : Charas) c.moveKind = MoveArrived;
          },
          "mode 254 score 4999 cursor 0,0 cmd '' status 'Congratulation! Score=5000' "
          "8c913af43026756a"},
     }},
};

TEST(Frames, ScriptedMomentsLookAsRecorded) {
  for (const Story& story : Stories) {
    showFreshTitle();
    presentFrame();
    int number = 0;
    for (const Step& step : story.steps) {
      ++number;
      if (step.setup) step.setup();
      runLines(step.script);
      EXPECT_EQ(moment(), step.seen) << story.name << ", step " << number << ": " << step.script;
    }
  }
}

// Records no key press can make, drawn all the same: under the address
// sanitizer a read past a text or a map fails here. Each must draw exactly
// the frame its legal neighbour draws.
TEST(Frames, BrokenRecordsAreNotReadPastTheirEnds) {
  startFieldGame();
  std::memset(StatusText, 'W', sizeof StatusText);
  drawStatusLine(StatusText);
  const uint64_t unterminated = frameHash(Form1.Image2);
  StatusText[StatusSize - 1] = '\0';
  drawStatusLine(StatusText);
  EXPECT_EQ(frameHash(Form1.Image2), unterminated);

  std::memset(CommandLine, 'M', sizeof CommandLine);
  CommandLength = 200;
  drawCommandLine();
  const uint64_t broken = frameHash(Form1.Image2);
  CommandLine[CommandSize - 1] = '\0';
  CommandLength = CommandSize - 1;
  drawCommandLine();
  EXPECT_EQ(frameHash(Form1.Image2), broken);

  // No world outside 1..5 is drawn at all; a floor the map lacks is outside.
  for (const MapPos odd : {MapPos{16, 16, 1, 0}, MapPos{16, 16, 1, 6}, MapPos{16, 16, 1, 255}}) {
    const uint64_t before = frameHash(Form1.Image2);
    drawField(odd);
    EXPECT_EQ(frameHash(Form1.Image2), before) << int(odd.world);
  }
  drawField(MapPos{16, 16, 9, 1});
  const uint64_t noFloor = frameHash(Form1.Image2);
  drawField(MapPos{16, 16, 255, 1});
  EXPECT_EQ(frameHash(Form1.Image2), noFloor);
  drawField(MapPos{16, 16, 1, 1});
  EXPECT_NE(frameHash(Form1.Image2), noFloor);
}

// A missing or damaged title picture is told in one line and replaced by a
// plain title of the same size; the game still starts.
TEST(Frames, MissingOrDamagedTitleStillStartsTheGame) {
  prepareHeadlessForm();
  const platform::ResourceEntry* realTable = platform::resourceTable;
  const size_t realCount = platform::resourceCount;
  const uint8_t damaged[] = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F'};
  uint64_t fallback = 0;
  for (bool missing : {true, false}) {
    std::vector<platform::ResourceEntry> table;
    for (size_t i = 0; i < realCount; ++i) {
      platform::ResourceEntry e = realTable[i];
      if (e.name && std::strcmp(e.name, "TITLE") == 0) {
        if (missing) continue;
        e.data = damaged;
        e.size = sizeof damaged;
      }
      table.push_back(e);
    }
    platform::resourceTable = table.data();
    platform::resourceCount = table.size();
    ::testing::internal::CaptureStderr();
    loadFormResources();
    const std::string err = ::testing::internal::GetCapturedStderr();
    platform::resourceTable = realTable;
    platform::resourceCount = realCount;
    EXPECT_NE(err.find("TITLE"), std::string::npos) << err;
    EXPECT_EQ(err.find('\n'), err.size() - 1) << err;
    showFreshTitle();
    presentFrame();
    EXPECT_EQ(moment(), "mode 255 score 5000 cursor 0,0 cmd '' 54e1cc0eb736f775");
    if (missing) fallback = frameHash(Form1.Image1);
    EXPECT_EQ(frameHash(Form1.Image1), fallback);
    FormKeyDown(KeySpace);
    EXPECT_EQ(GameMode, ModeField);
  }
  ::testing::internal::CaptureStderr();
  loadFormResources();
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

}  // namespace
