// A window session recorded with --record replays headlessly to the same
// game: keys pressed through a private X server are written as script lines,
// and replaying them gives the state that a hand-written script of the same
// keys gives.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/headless_run.h"
#include "tests/support/x_session.h"

namespace {

constexpr char Caption[] = "Lantern Cadence -Velmora Keep- 03";

// One key as xdotool names it, as a script names it, and its code.
struct Press {
  const char* xdotool;
  const char* script;
  int code;
};

// Leaves the title, walks, opens command entry, picks S, completes it to
// SELECT, walks the cursor round the edges to the submit cell, submits, and
// takes one more step.
const Press Session[] = {
    {"a", "65", 65},         {"Down", "Down", 40},   {"Right", "Right", 39}, {"Down", "Down", 40},
    {"Return", "Enter", 13}, {"Right", "Right", 39}, {"Right", "Right", 39}, {"Right", "Right", 39},
    {"Right", "Right", 39},  {"Right", "Right", 39}, {"Down", "Down", 40},   {"space", "Space", 32},
    {"Tab", "Tab", 9},       {"Left", "Left", 37},   {"Left", "Left", 37},   {"Left", "Left", 37},
    {"Left", "Left", 37},    {"Left", "Left", 37},   {"Left", "Left", 37},   {"Up", "Up", 38},
    {"Up", "Up", 38},        {"space", "Space", 32}, {"Up", "Up", 38},
};
constexpr int SessionLength = int(sizeof Session / sizeof Session[0]);

std::vector<int> recordedKeys(const std::string& text) {
  std::vector<int> keys;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("key ", 0) == 0) keys.push_back(std::atoi(line.c_str() + 4));
  }
  return keys;
}

// Runs a headless script that ends with `state` and returns that state.
nlohmann::json finalState(const std::string& script) {
  const HeadlessRun run = runHeadless(script + "state\n");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  return run.states.empty() ? nlohmann::json() : run.states.back();
}

class RecordSessionTest : public testing::Test {
 protected:
  void SetUp() override {
    if (findOnPath("Xvfb").empty() || findOnPath("xdotool").empty()) {
      GTEST_SKIP() << "Xvfb and xdotool are needed for the real-window tests";
    }
    char pattern[] = "/tmp/velmora-record-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    std::string error;
    ASSERT_TRUE(x_.start(&error)) << error;
  }
  void TearDown() override {
    if (!dir_.empty()) std::system(("rm -rf '" + dir_ + "'").c_str());
  }

  XSession x_;
  std::string dir_;
};

TEST_F(RecordSessionTest, RecordedWindowSessionReplaysToTheSameState) {
  const std::string recording = dir_ + "/session.keys";
  const std::string errPath = dir_ + "/game.err";
  pid_t game = x_.spawn({VELMORA_EXECUTABLE, "--record", recording},
                        {"ASAN_OPTIONS=detect_leaks=0"}, errPath);
  ASSERT_GT(game, 0);
  unsigned long window = x_.waitForWindow(Caption, 20);
  ASSERT_NE(window, 0u) << readFile(errPath);

  std::string keys;
  std::string script;
  std::vector<int> codes;
  for (const Press& p : Session) {
    keys += std::string(" ") + p.xdotool;
    script += std::string("key ") + p.script + "\n";
    codes.push_back(p.code);
  }
  const std::string command = "DISPLAY=" + x_.display() + " xdotool windowfocus --sync " +
                              std::to_string(window) + " key --delay 30" + keys;
  ASSERT_EQ(std::system(command.c_str()), 0) << command;

  // Every press is on disk as soon as the game has seen it.
  for (int i = 0; i < 100 && int(recordedKeys(readFile(recording)).size()) < SessionLength; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  ASSERT_TRUE(x_.requestClose(window));
  EXPECT_EQ(waitForExit(game, 20), 0) << readFile(errPath);

  const std::string recorded = readFile(recording);
  EXPECT_EQ(recordedKeys(recorded), codes) << recorded;

  const nlohmann::json replayed = finalState(recorded);
  const nlohmann::json expected = finalState(script);
  ASSERT_FALSE(replayed.is_discarded());
  ASSERT_FALSE(expected.is_discarded());
  EXPECT_EQ(replayed, expected);
  // The keys did what they were meant to: SELECT alone was submitted, and
  // four steps and one opening of command entry cost five turns.
  EXPECT_EQ(expected["mode"], 0);
  EXPECT_EQ(expected["last"], "SELECT ");
  EXPECT_EQ(expected["score"], 4995);
}

}  // namespace
