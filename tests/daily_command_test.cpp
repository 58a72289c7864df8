// velmora --daily: the day's world file exported through the safe writer,
// checked as any world file (the same report either way) and played.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

#include "tests/support/headless_run.h"

namespace {

namespace fs = std::filesystem;

constexpr char Day8[] = "be49c66efef0230ebbcc9bb9666a1a96a674946ad243e20e0dfbea9c4b7e3c9a";

TEST(DailyCommand, exportsTheDayAndChecksItAsAnyWorldFile) {
  const std::string dir = scratchFolder("daily"), day = dir + "/day.worlds";
  ASSERT_NE(dir, "");

  const HeadlessRun exported = runVelmora("--daily 2026-12-07 --export " + day);
  ASSERT_EQ(exported.status, 0) << exported.err;
  EXPECT_NE(exported.err.find("today's world 2026-12-07"), std::string::npos) << exported.err;
  const HeadlessRun checked = runVelmora("--check-worlds " + day);
  ASSERT_EQ(checked.status, 0) << checked.err;
  EXPECT_NE(checked.out.find("title: Today's world 2026-12-07\n"
                             "author: the Velmora Keep 03 studio\n"
                             "identity: d6b51e65bbfab6378cf26213be71050cc3f6a9281c69ff71dd55088"
                             "88bb53f0e\n"),
            std::string::npos)
      << checked.out;
  const HeadlessRun daily = runVelmora("--daily=2026-12-07 --check-worlds");
  EXPECT_EQ(daily.status, 0) << daily.err;
  EXPECT_EQ(daily.out, checked.out);

  // Played headless on the day's worlds: the map shows its first maze.
  const HeadlessRun played =
      runVelmora("--headless --daily 2026-12-07 {script}", "key Space\nmap 1 1\n");
  ASSERT_EQ(played.status, 0) << played.err;
  const std::string text = readFile(day);
  const size_t rows = text.find("world 1 floor 1\n") + 16;
  std::string maze = text.substr(rows, 33 * 32);
  std::replace(maze.begin(), maze.end(), '@', 'A');  // the start is floor
  EXPECT_EQ(played.out, maze);

  // The planner's game of another day, shared: the line, then its link.
  const std::string keys = dir + "/won.keys";
  ASSERT_EQ(runVelmora("--daily 2026-12-08 --check-worlds --solve " + keys).status, 0);
  const HeadlessRun shared = runVelmora("--headless --daily 2026-12-08 --share " + keys);
  EXPECT_EQ(shared.status, 0) << shared.err;
  EXPECT_EQ(shared.out.substr(0, shared.out.find('\n') + 1),
            "Velmora Keep 03 \xC2\xB7 2026-12-08 \xC2\xB7 score 4976 \xC2\xB7 15 statements\n");
  const std::string dayLink = shared.out.substr(shared.out.find('\n') + 1);
  EXPECT_NE(dayLink.find("&daily=2026-12-08&v=1&id=" + std::string(Day8) + "\n"), std::string::npos)
      << dayLink;
  EXPECT_EQ(dayLink.find("worlds="), std::string::npos) << dayLink;
  EXPECT_EQ(runVelmora("--headless --share {script}", "key Space\n").status, 1);

  // Shared and linked where no copy of the day is kept: the recording's
  // lines name the day, which is made again and must be the worlds named.
  const std::string recorded = readFile(keys);
  ASSERT_NE(recorded.find("# worlds: Today's world 2026-12-08 (generator version 1)\nworlds " +
                          std::string(Day8) + "\n"),
            std::string::npos)
      << recorded.substr(0, 200);
  const auto replaced = [&](const std::string& from, const std::string& to) {
    std::string text = recorded;
    return text.replace(text.find(from), from.size(), to);
  };
  const RunSettings noCopies{"XDG_STATE_HOME=" + dir + "/state", true};
  const struct {
    std::string script;
    int status;
    std::string said;
  } recordings[] = {
      {recorded, 0, "today's world 2026-12-08 (generator version 1) made again"},
      {replaced(" (generator version 1)", ""), 0, "made again"},
      {replaced("2026-12-08 (", "2026-12-09 ("), 2, "not on today's world 2026-12-09"},
      {replaced("worlds be", "worlds 00"), 2, "whose identity is " + std::string(Day8)},
      {replaced("version 1)", "version 9)"), 2, "which this build cannot make"},
  };
  for (const auto& r : recordings) {
    for (const char* command : {"--headless --share -", "--link -"}) {
      const HeadlessRun run = runVelmora(command, r.script, noCopies);
      EXPECT_EQ(run.status, r.status) << command << " " << run.err;
      EXPECT_NE(run.err.find(r.said), std::string::npos) << run.err;
      EXPECT_EQ(run.out.find("&id=" + std::string(Day8) + "\n") != std::string::npos, r.status == 0)
          << run.out;
    }
  }

  // Written again over its own file; never over another's, nor through a link.
  EXPECT_EQ(runVelmora("--daily 2026-12-07 --export " + day).status, 0);
  const std::string notes = dir + "/notes.txt", link = dir + "/link.worlds";
  std::FILE* f = std::fopen(notes.c_str(), "w");
  std::fputs("notes\n", f);
  std::fclose(f);
  fs::create_symlink(day, link);
  for (const std::string& target : {notes, link}) {
    const HeadlessRun refused = runVelmora("--daily 2026-12-08 --export " + target);
    EXPECT_EQ(refused.status, 2) << target;
  }
  EXPECT_EQ(readFile(notes), "notes\n");
  EXPECT_NE(readFile(day).find("2026-12-07"), std::string::npos);
  fs::remove_all(dir);
}

}  // namespace
