// velmora --check-worlds as an author runs it: the floors' pictures drawn
// with the tiles the field shows, replacing only pictures; the planner's
// winning game written as --record writes, only to a new or empty file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "platform/media/png_io.h"
#include "tests/support/headless_run.h"
#include "ui/view_size.h"

namespace {

namespace fs = std::filesystem;

platform::RgbaImage pictureOf(const std::string& path) {
  const std::string bytes = readFile(path);
  platform::RgbaImage image;
  EXPECT_TRUE(
      platform::decodePng(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), &image))
      << path;
  return image;
}

// The 64 x 64 pixels at (x, y) of an image.
std::string tileAt(const platform::RgbaImage& image, int x, int y) {
  std::string out;
  for (int row = 0; row < TileSide; ++row) {
    const auto* start = &image.rgba[size_t(4 * ((y + row) * image.width + x))];
    out.append(reinterpret_cast<const char*>(start), 4 * TileSide);
  }
  return out;
}

std::string scratchDir() {
  const std::string dir = scratchFolder("worlds");
  EXPECT_NE(dir, "");
  return dir;
}

TEST(CheckWorlds, previewsDrawTheFloorsAsTheFieldDoesAndReplaceOnlyPictures) {
  const std::string dir = scratchDir();
  const std::string check =
      "--check-worlds " VELMORA_SOURCE_DIR "/assets/worlds/velmora.worlds --preview " + dir;
  const HeadlessRun run = runVelmora(check);
  ASSERT_EQ(run.status, 0) << run.err;
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names,
            (std::vector<std::string>{"world1-floor1.png", "world1-floor8.png", "world2-floor1.png",
                                      "world2-floor8.png", "world3-floor1.png"}));

  // The new game's view shows cells (0, 0) to (5, 4) of world 1, the leader's
  // cell (1, 1) in its centre.
  ASSERT_EQ(runVelmora("--headless {script}", "key Space\nscreenshot " + dir + "/shot.png").status,
            0);
  const platform::RgbaImage shot = pictureOf(dir + "/shot.png");
  const platform::RgbaImage floor = pictureOf(dir + "/world1-floor1.png");
  ASSERT_EQ(floor.width, 32 * TileSide);
  for (const auto& [x, y] : {std::pair{3, 2}, std::pair{5, 4}, std::pair{0, 0}}) {
    EXPECT_EQ(tileAt(floor, TileSide * x, TileSide * y),
              tileAt(shot, TileSide * (x + 3), StripHeight + TileSide * (y + 2)))
        << x << "," << y;
  }

  // A file there that is no picture is kept, and the loss is told.
  const std::string kept = dir + "/world1-floor1.png";
  fs::remove(kept);
  std::FILE* f = std::fopen(kept.c_str(), "w");
  std::fputs("notes\n", f);
  std::fclose(f);
  const HeadlessRun refused = runVelmora(check);
  EXPECT_EQ(refused.status, 1);
  EXPECT_NE(refused.err.find("world1-floor1.png"), std::string::npos) << refused.err;
  EXPECT_EQ(readFile(kept), "notes\n");
  fs::remove_all(dir);
}

TEST(CheckWorlds, solveWritesTheWinningKeysOnlyToANewOrEmptyFile) {
  const std::string dir = scratchDir();
  const std::string corner = sourceFile("tests/transcripts/corner_floor.txt");
  const std::string world =
      "world 1 floor 1\n" + corner + "world 2 floor 1\n" + corner + "world 3 floor 1\n" + corner;
  const RunSettings inDir{"cd " + dir + " &&"};
  const HeadlessRun run = runVelmora("--check-worlds {script} --solve won.keys", world, inDir);
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string keys = readFile(dir + "/won.keys");
  EXPECT_EQ(keys.rfind("# velmora key recording", 0), 0u) << keys;
  EXPECT_NE(keys.find("\nkey 32\n"), std::string::npos) << keys;
  // It names the worlds it wins on, so it replays on them alone.
  EXPECT_NE(keys.find("\nworlds "), std::string::npos) << keys;

  const HeadlessRun again = runVelmora("--check-worlds {script} --solve won.keys", world, inDir);
  EXPECT_EQ(again.status, 2);
  EXPECT_NE(again.err.find("is not empty"), std::string::npos) << again.err;
  EXPECT_EQ(readFile(dir + "/won.keys"), keys);
  fs::create_symlink(dir + "/elsewhere.keys", dir + "/link.keys");
  EXPECT_EQ(runVelmora("--check-worlds {script} --solve link.keys", world, inDir).status, 2);
  EXPECT_FALSE(fs::exists(dir + "/elsewhere.keys"));
  fs::remove_all(dir);
}

}  // namespace
