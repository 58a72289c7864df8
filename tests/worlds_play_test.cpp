// A world file in the front ends: refused before anything is played, named
// by the recordings made on it, followed by their replays (from the state
// folder's copy when not given), refused on other worlds, and carried by a
// link.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/game_saves.h"
#include "app/key_recorder.h"
#include "tests/support/alloc_counter.h"
#include "tests/support/form_fixture.h"
#include "tests/support/headless_run.h"
#include "ui/main_window.h"
#include "ui/played_worlds.h"
#include "worlds/installed_worlds.h"
#include "worlds/world_identity.h"
#include "worlds/world_writer.h"

namespace fs = std::filesystem;

namespace {

// The built-in worlds with world 1's chara starting one cell to the right:
// other worlds, on which the committed winning game is not won.
WorldFile movedStart() {
  WorldFile file = builtInWorldFile();
  file.title = "Moved start";
  file.author = "the tests";
  file.starts[0] = MapCell{2, 1};
  return file;
}

class WorldsPlay : public testing::Test {
 protected:
  void SetUp() override {
    prepareHeadlessForm();
    setFormDrawing(false);
    dir_ = scratchFolder("worlds");
    ASSERT_NE(dir_, "");
    setenv("XDG_STATE_HOME", (dir_ + "/state").c_str(), 1);
    moved_ = movedStart();
    write("moved.worlds", writeWorldFile(moved_));
    WorldFile same = builtInWorldFile();
    same.title = "Built-in, retitled";
    write("same.worlds", writeWorldFile(same));
  }
  void TearDown() override {
    stopKeyRecording();
    giveWorlds(nullptr);
    setFormDrawing(true);
    fs::remove_all(dir_);
  }
  void write(const std::string& name, const std::string& text) {
    std::ofstream(dir_ + "/" + name, std::ios::binary) << text;
  }
  HeadlessRun run(const std::string& args, const std::string& script = "") {
    return runVelmora(args, script, {"cd '" + dir_ + "' && XDG_STATE_HOME='" + dir_ + "/state'"});
  }
  std::string named(const std::string& lines) {
    return "worlds " + worldsIdentity(moved_) + "\n" + lines;
  }

  std::string dir_;
  WorldFile moved_;
};

// Every front end refuses a bad world file the same way before playing.
TEST_F(WorldsPlay, ARefusedFileIsToldAndNothingIsPlayed) {
  write("bad.worlds", "format: 1\ntitle: x\nworld 1 floor 1\n5555\n");
  const std::string game = sourceFile("tests/scripts/winning_game.txt");
  for (const char* args :
       {"--headless --summary --worlds bad.worlds {script}", "--link {script} --worlds bad.worlds",
        "--watch {script} --worlds bad.worlds", "--worlds bad.worlds --no-save",
        "--link-worlds bad.worlds"}) {
    const HeadlessRun r = run(args, game);
    EXPECT_EQ(r.status, 2) << args;
    EXPECT_EQ(r.out, "") << args;
    EXPECT_EQ(r.err, "bad.worlds:4:5: a row of 4 cells, not 32\n") << args;
  }
  const HeadlessRun missing = run("--headless --worlds none.worlds {script}", game);
  EXPECT_EQ(missing.status, 2);
  EXPECT_EQ(missing.err,
            "velmora: cannot read the world file none.worlds: No such file or directory\n");
}

// A script naming worlds plays on them only: given, from the state folder's
// copy, and refused on others or without a copy; naming none, it plays on
// what is given.
TEST_F(WorldsPlay, AScriptNamingWorldsPlaysOnThemAlone) {
  const std::string game = sourceFile("tests/scripts/winning_game.txt");
  const std::string id = worldsIdentity(moved_);
  const HeadlessRun noCopy = run("--headless --summary {script}", named(game));
  EXPECT_EQ(noCopy.status, 2);
  EXPECT_EQ(noCopy.err, "script:1: this game was played on worlds this computer has no copy of (" +
                            id + "): give their world file with --worlds FILE\n");
  const HeadlessRun other = run("--headless --summary --worlds same.worlds {script}", named(game));
  EXPECT_EQ(other.status, 2);
  EXPECT_NE(other.err.find("script:1: this game was played on other worlds (" + id + ")"),
            std::string::npos)
      << other.err;
  const HeadlessRun given = run("--headless --summary --worlds moved.worlds {script}", named(game));
  EXPECT_EQ(given.status, 0) << given.err;
  EXPECT_EQ(given.err, "velmora: playing \"Moved start\" by the tests\n");
  std::string error;
  ASSERT_TRUE(keepWorldsCopy(moved_, &error)) << error;
  fs::remove(dir_ + "/moved.worlds");
  const HeadlessRun copied = run("--headless --summary {script}", named(game));
  EXPECT_EQ(copied.status, 0) << copied.err;
  EXPECT_EQ(copied.out, given.out);
  EXPECT_NE(copied.out, "won score=4902 turns=99 statements=77\n") << "played on the built-in";
  // The worlds come before the first key.
  EXPECT_EQ(run("--headless {script}", "key Space\n" + named("")).err,
            "script:2: worlds comes before the first key\n");
  // Naming none: the world file given, identity and all (a retitled copy of
  // the built-in worlds is they).
  EXPECT_EQ(run("--headless --summary --worlds same.worlds {script}", game).out,
            "won score=4902 turns=99 statements=77\n");
  EXPECT_EQ(run("--headless --summary {script}", "worlds " + builtInIdentity() + "\n" + game).out,
            "won score=4902 turns=99 statements=77\n");
}

// The recorder names the worlds after its header; resuming reads them back,
// and a write cut inside those lines goes on from the last whole one.
TEST_F(WorldsPlay, ARecordingNamesItsWorlds) {
  giveWorlds(&moved_);
  const std::string path = dir_ + "/game.keys";
  std::string error;
  ASSERT_TRUE(startKeyRecording(path.c_str(), &error)) << error;
  const AllocationCounter allocations;
  for (uint16_t key : {13, 40}) recordKeyPress(key);
  EXPECT_EQ(allocations.count(), 0) << "a key's header and worlds lines were made on its press";
  stopKeyRecording();
  const std::string id = worldsIdentity(moved_);
  const std::string text = readFile(path);
  EXPECT_EQ(text,
            "# velmora key recording: replay with velmora --headless FILE\n"
            "# worlds: Moved start\nworlds " +
                id + "\nkey 13\nkey 40\n");
  std::vector<uint16_t> keys;
  std::string worlds;
  for (size_t cut : {text.size(), text.find("worlds ") + 20, text.find("\nkey") + 1}) {
    std::ofstream(path, std::ios::binary) << text.substr(0, cut);
    ASSERT_TRUE(resumeKeyRecording(path.c_str(), &keys, &worlds, &error)) << cut << error;
    stopKeyRecording();
    EXPECT_EQ(worlds, cut == text.size() ? id : "") << cut;
  }
  std::ofstream(path, std::ios::binary) << text + "worlds " + id + "\n";
  EXPECT_FALSE(resumeKeyRecording(path.c_str(), &keys, &worlds, &error));
  // The window is refused a recording of other worlds before it opens.
  std::ofstream(path, std::ios::binary) << text;
  const HeadlessRun other = run("--resume game.keys --worlds same.worlds");
  EXPECT_EQ(other.status, 2);
  EXPECT_NE(other.err.find("game.keys was played on other worlds (" + id + ")"), std::string::npos)
      << other.err;
  const HeadlessRun noCopy = run("--resume game.keys");
  EXPECT_EQ(noCopy.status, 2);
  EXPECT_NE(noCopy.err.find("no copy of (" + id + ")"), std::string::npos) << noCopy.err;
}

// A link of a game on a world file carries it; a link of the file alone too.
TEST_F(WorldsPlay, LinksCarryTheWorlds) {
  const std::string game = sourceFile("tests/scripts/winning_game.txt");
  const HeadlessRun builtIn = run("--link {script} --page http://x/", game);
  const HeadlessRun onFile = run("--link {script} --worlds moved.worlds --page http://x/", game);
  ASSERT_EQ(onFile.status, 0) << onFile.err;
  EXPECT_EQ(builtIn.out.find("&worlds="), std::string::npos);
  const size_t at = onFile.out.find("&worlds=");
  ASSERT_NE(at, std::string::npos);
  EXPECT_EQ(onFile.out.substr(0, at) + "\n", builtIn.out) << "the same keys";
  const HeadlessRun alone = run("--link-worlds moved.worlds --page http://x/");
  EXPECT_EQ(alone.status, 0);
  EXPECT_EQ(alone.out, "http://x/#worlds=" + onFile.out.substr(at + 8));
}

// The example world files the game ships: each one's winning recording wins
// on it, is accepted by --watch and --link on it, and is refused without it
// (no copy in the state folder) and on the other example.
TEST_F(WorldsPlay, TheExampleWorldsAreWonByTheirRecordings) {
  const struct {
    const char* name;
    const char* other;
    const char* summary;
  } Examples[] = {
      {"first_steps", "long_way", "won score=4966 turns=35 statements=6\n"},
      {"long_way", "first_steps", "won score=4888 turns=113 statements=88\n"},
  };
  for (const auto& e : Examples) {
    const std::string source = VELMORA_SOURCE_DIR;
    const std::string worlds = source + "/assets/worlds/" + e.name + ".worlds";
    const std::string other = source + "/assets/worlds/" + e.other + ".worlds";
    const std::string keys = source + "/tests/scripts/" + e.name + ".keys";
    const HeadlessRun won = run("--headless --summary --worlds '" + worlds + "' '" + keys + "'");
    EXPECT_EQ(won.status, 0) << e.name << won.err;
    EXPECT_EQ(won.out, e.summary) << e.name;
    const HeadlessRun alone = run("--headless --summary '" + keys + "'");
    EXPECT_EQ(alone.status, 2) << e.name;
    EXPECT_NE(alone.err.find("no copy of"), std::string::npos) << alone.err;
    EXPECT_EQ(run("--headless --summary --worlds '" + other + "' '" + keys + "'").status, 2)
        << e.name;
    // The watch collects the keys on the worlds, then finds no display.
    const HeadlessRun watch = runVelmora("--watch '" + keys + "' --worlds '" + worlds + "'", "",
                                         {"env -u DISPLAY -u WAYLAND_DISPLAY"});
    EXPECT_EQ(watch.status, 1) << e.name << watch.err;
    const HeadlessRun link = run("--link '" + keys + "' --worlds '" + worlds + "'");
    EXPECT_EQ(link.status, 0) << e.name << link.err;
    EXPECT_NE(link.out.find("&worlds="), std::string::npos) << e.name;
  }
  // The short one filmed: a movie of the game on its worlds.
  const std::string source = VELMORA_SOURCE_DIR;
  const HeadlessRun movie =
      run("--headless --movie first.gif --worlds '" + source +
          "/assets/worlds/first_steps.worlds' '" + source + "/tests/scripts/first_steps.keys'");
  EXPECT_EQ(movie.status, 0) << movie.err;
  EXPECT_GT(fs::file_size(dir_ + "/first.gif"), 1000u);
}

}  // namespace
