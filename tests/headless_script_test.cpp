// The velmora program in headless mode, run as a separate process with
// scripts: each command's output, the state's JSON shape, screenshots and
// bad lines (its options are options_test's).
#include "headless/headless_script.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "game/game_state.h"
#include "platform/png_io.h"
#include "tests/support/game_fixture.h"
#include "tests/support/headless_run.h"
#include "ui/main_window.h"

namespace {

class HeadlessScriptTest : public testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/velmora-script-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { std::system(("rm -rf '" + dir_ + "'").c_str()); }

  std::string path(const char* name) const { return dir_ + "/" + name; }

  // Runs velmora with `args`; the script goes to the file `{script}` in args
  // names and, with `viaStdin`, to standard input.
  static HeadlessRun velmora(const std::string& args, const std::string& script = "",
                             bool viaStdin = false) {
    return runVelmora(args, script, RunSettings{"", viaStdin});
  }
  static HeadlessRun script(const std::string& text) { return runHeadless(text); }

  std::string dir_;
};

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) out.push_back(line);
  return out;
}

std::set<std::string> keysOf(const nlohmann::json& object) {
  std::set<std::string> keys;
  for (auto it = object.begin(); it != object.end(); ++it) keys.insert(it.key());
  return keys;
}

TEST_F(HeadlessScriptTest, AnEmptyScriptEndsWithStatusZero) {
  HeadlessRun run = velmora("--headless /dev/null");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "");
}

TEST_F(HeadlessScriptTest, StateHasExactlyItsKeys) {
  HeadlessRun run = script("state\n");
  ASSERT_EQ(run.status, 0) << run.err;
  std::vector<std::string> out = lines(run.out);
  ASSERT_EQ(out.size(), 1u);
  nlohmann::json state = nlohmann::json::parse(out[0]);
  EXPECT_EQ(keysOf(state), (std::set<std::string>{"mode", "score", "seed", "leader", "charas",
                                                  "status", "command", "commandLength", "last",
                                                  "cursor", "prevCursor", "authority", "tables"}));
  ASSERT_EQ(state["charas"].size(), 3u);
  for (const auto& chara : state["charas"]) {
    EXPECT_EQ(keysOf(chara), (std::set<std::string>{"pos", "move", "trail"}));
    EXPECT_EQ(chara["pos"].size(), 4u);
    EXPECT_EQ(chara["trail"].size(), 8u);
  }
  ASSERT_EQ(state["authority"].size(), 5u);
  for (const auto& plane : state["authority"]) {
    EXPECT_EQ(keysOf(plane), (std::set<std::string>{"reliability", "privileges"}));
    EXPECT_EQ(plane["reliability"].size(), 5u);
    ASSERT_EQ(plane["privileges"].size(), 5u);
    for (const auto& flags : plane["privileges"]) EXPECT_EQ(flags.size(), 6u);
  }
  ASSERT_EQ(state["tables"].size(), 3u);
  for (const auto& table : state["tables"]) {
    EXPECT_EQ(keysOf(table), (std::set<std::string>{"name", "columns", "rowCount", "rows"}));
    ASSERT_EQ(table["columns"].size(), 6u);
    for (const auto& column : table["columns"]) {
      EXPECT_EQ(keysOf(column), (std::set<std::string>{"name", "kind", "size"}));
    }
    EXPECT_EQ(table["rows"].size(), table["rowCount"].get<size_t>());
  }
  // The title screen's values.
  EXPECT_EQ(state["mode"], 255);
  EXPECT_EQ(state["score"], 5000);
  EXPECT_EQ(state["seed"], 0);
  EXPECT_EQ(state["status"], "-Velmora Keep- 03");
  EXPECT_EQ(state["cursor"], nlohmann::json::array({0, 0}));
  EXPECT_EQ(state["prevCursor"], nlohmann::json::array({1, 0}));
  EXPECT_EQ(state["command"], "");
  EXPECT_EQ(state["commandLength"], 0);
}

TEST_F(HeadlessScriptTest, KeysDriveTheGameAsTheWindowDoes) {
  HeadlessRun run =
      script("key Space\nstate\nkey Enter\nstate\n# a comment\n\n  \nkey Right 40\nstate\n");
  ASSERT_EQ(run.status, 0) << run.err;
  std::vector<std::string> out = lines(run.out);
  ASSERT_EQ(out.size(), 3u);
  nlohmann::json field = nlohmann::json::parse(out[0]);
  EXPECT_EQ(field["mode"], 0);
  EXPECT_EQ(field["leader"], nlohmann::json::array({1, 1, 1, 1}));
  EXPECT_EQ(field["score"], 5000);
  EXPECT_EQ(field["charas"][1]["pos"], nlohmann::json::array({1, 1, 1, 2}));
  EXPECT_EQ(field["authority"][0]["reliability"][0], 50);

  nlohmann::json command = nlohmann::json::parse(out[1]);
  EXPECT_EQ(command["mode"], 1);
  EXPECT_EQ(command["score"], 4999);
  EXPECT_GT(command["seed"].get<int>(), 0);

  nlohmann::json moved = nlohmann::json::parse(out[2]);
  EXPECT_EQ(moved["cursor"], nlohmann::json::array({1, 1})) << "Right, then Down (code 40)";
  EXPECT_EQ(moved["prevCursor"], nlohmann::json::array({1, 0}));
}

TEST_F(HeadlessScriptTest, MapPrintsAFloorOfTheWorkingMap) {
  HeadlessRun run = script("map 1 1\nmap 3 1\nmap 5 8\n");
  ASSERT_EQ(run.status, 0) << run.err;
  std::vector<std::string> out = lines(run.out);
  ASSERT_EQ(out.size(), 96u);
  const char digits[] = "0123456789AB";
  int block = 0;
  for (auto [world, floor] : {std::pair{1, 1}, {3, 1}, {5, 8}}) {
    for (int y = 0; y < 32; ++y) {
      const std::string& line = out[size_t(block * 32 + y)];
      ASSERT_EQ(line.size(), 32u);
      for (int x = 0; x < 32; ++x) {
        uint8_t code = InitialMaps[world - 1].cells[cellIndex(x, y, floor)];
        char expected = code < 12 ? digits[code] : '?';
        ASSERT_EQ(line[size_t(x)], expected) << "world " << world << " x " << x << " y " << y;
      }
    }
    ++block;
  }
}

TEST_F(HeadlessScriptTest, ScreenshotWritesWhatThePlayerSees) {
  HeadlessRun run = script("screenshot " + path("title.png") + "\nkey Space\nscreenshot " +
                           path("field.png") + "\n");
  ASSERT_EQ(run.status, 0) << run.err;

  // The same frames made here, in this process.
  for (bool field : {false, true}) {
    SCOPED_TRACE(field ? "field" : "title");
    if (field) {
      startFieldGame();
    } else {
      showFreshTitle();
    }
    std::string png = readFile(path(field ? "field.png" : "title.png"));
    platform::RgbaImage image;
    ASSERT_TRUE(
        platform::decodePng(reinterpret_cast<const uint8_t*>(png.data()), png.size(), &image));
    ASSERT_EQ(image.width, 576);
    ASSERT_EQ(image.height, 464);
    int differing = 0;
    for (int y = 0; y < 464; ++y) {
      for (int x = 0; x < 576; ++x) {
        const uint8_t* p = &image.rgba[(size_t(y) * 576 + x) * 4];
        uint32_t rgb = uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
        if (rgb != Form1.Image2.pixel(x, y)) ++differing;
      }
    }
    EXPECT_EQ(differing, 0);
  }
}

TEST_F(HeadlessScriptTest, TheScriptCanComeFromStandardInput) {
  for (const char* args : {"--headless", "--headless -"}) {
    HeadlessRun run = velmora(args, "key Up\nstate\n", true);
    ASSERT_EQ(run.status, 0) << args << ": " << run.err;
    EXPECT_EQ(nlohmann::json::parse(run.out)["mode"], 0) << args;
  }
}

TEST_F(HeadlessScriptTest, WindowsLineEndsAreAccepted) {
  HeadlessRun run = script("key Space\r\nmap 2 1\r\nstate\r\n");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(lines(run.out).size(), 33u);
}

TEST_F(HeadlessScriptTest, ABadLineStopsWithItsNumber) {
  struct Case {
    const char* line;
    const char* reasonPart;
  };
  const Case cases[] = {
      {"jump", "jump"},
      {"key", "key"},
      {"key Up Sideways", "Sideways"},
      {"key 0", "0"},
      {"key 256", "256"},
      {"key -3", "-3"},
      {"key up", "up"},
      {"map 6 1", "map"},
      {"map 1 9", "map"},
      {"map 1", "map"},
      {"map 1 1 1", "map"},
      {"map x 1", "map"},
      {"state now", "state"},
      {"screenshot", "screenshot"},
      {"screenshot /nonexistent-dir/x.png", "/nonexistent-dir/x.png"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    HeadlessRun run = script(std::string("# first\nstate\n\n") + c.line + "\nstate\n");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(lines(run.out).size(), 1u) << "lines before the bad one ran, none after";
    std::vector<std::string> err = lines(run.err);
    ASSERT_EQ(err.size(), 1u) << run.err;
    EXPECT_EQ(err[0].rfind("script:4: ", 0), 0u) << err[0];
    EXPECT_NE(err[0].find(c.reasonPart, 10), std::string::npos) << err[0];
  }
}

TEST(StateTextTest, BytesKeepTheirCodes) {
  const char bytes[6] = {'A', char(0x80), char(0xFF), char(0x7F), 0, 'Z'};
  EXPECT_EQ(headless::bytesAsText(bytes, sizeof bytes), "A\xC2\x80\xC3\xBF\x7F");
  const char full[3] = {'a', 'b', 'c'};  // no terminating zero within the buffer
  EXPECT_EQ(headless::bytesAsText(full, sizeof full), "abc");
}

}  // namespace
