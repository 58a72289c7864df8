// A replay from a stranger, run as the checker would run it: scripts and
// set-ups that try to harm files, hang, eat memory, hide their output or send
// escape sequences to the terminal; files handed to --resume, --watch and
// --link that are no files or too large to read. Each gets its exit status and message, and
// the files around it stay as they were. (A program driving the game through
// a pipe, one answer at a time: the Python example of docs/replays.md.)
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "headless/script_lines.h"
#include "platform/safe_file.h"
#include "tests/support/headless_run.h"

namespace {

const std::string Png = "\x89PNG\r\n\x1a\n";
const std::string Webp = std::string("RIFF\x10\0\0\0WEBPVP8 ", 16) + "an older movie";
// The files round every run; each stays as it was unless a case names it as
// the picture it writes.
const std::pair<const char*, std::string> Files[] = {
    {"notes", "the checker's own notes\n"},
    {"notes.webp", "notes again\n"},
    {"old.png", Png + "an older picture"},
    {"old.webp", Webp},
    {"old.gif", Webp},
};
// The prefix that runs the game with its standard descriptors changed after
// the test's own redirections: exec "$0" "$@" REDIRECTION.
std::string with(const std::string& redirection) {
  return "sh -c 'exec \"$0\" \"$@\" " + redirection + "'";
}

std::string fill(std::string text, const std::string& dir) {
  for (size_t at = text.find("{d}"); at != std::string::npos; at = text.find("{d}", at)) {
    text.replace(at, 3, dir);
  }
  return text;
}

TEST(HostileScripts, EachEndsWithItsStatusAndMessageLeavingFilesAlone) {
  const struct {
    std::string prefix;  // shell words before the program
    const char* args;
    std::string script;
    int status;
    const char* err;                // a part of standard error ("" when it must be empty)
    const char* out;                // a part of standard output
    const char* picture = nullptr;  // the file that must now hold the screen
  } cases[] = {
      // Screenshots: only new files and PNG pictures are written.
      {"", "--headless {script}", "screenshot {d}/link\n", 2,
       "script:1: cannot write {d}/link: it is a symbolic link\n", ""},
      {"", "--headless {script}", "screenshot {d}/notes\n", 2,
       "script:1: cannot write {d}/notes: it is not a PNG picture, so it was left as it is\n", ""},
      {"", "--headless {script}", "screenshot /dev/null\n", 2,
       "script:1: cannot write /dev/null: it is not a plain file\n", ""},
      {"", "--headless {script}", std::string("screenshot {d}/new.png") + '\0' + "x\n", 2,
       "cannot write {d}/new.png\\x00x: a file name holds no NUL byte", ""},
      {"ulimit -f 1 &&", "--headless {script}", "key Space\nscreenshot {d}/old.png\n", 2,
       "script:2: cannot write {d}/old.png: File too large", ""},
      {"", "--headless --summary {script}", "key Space\nscreenshot {d}/old.png\n", 0, "",
       "not won turns=0", "old.png"},
      {"", "--headless {script}",
       "screenshot {d}/new.png\nkey Space Down\nscreenshot {d}/new.png\n", 0, "", "", "new.png"},
      // Movies: only new files and pictures of their own kind are replaced,
      // and only by a script that ran to its end.
      {"", "--headless {script} --movie {d}/notes.webp", "key Space\n", 2,
       "cannot write {d}/notes.webp: it is not a WebP picture", ""},
      {"", "--headless {script} --movie {d}/old.gif", "key Space\n", 2,
       "cannot write {d}/old.gif: it is not a GIF picture", ""},
      {"", "--headless {script} --movie {d}/no/x.webp", "key Space\n", 1,
       "cannot write {d}/no/x.webp: No such file or directory", ""},
      {"", "--headless {script} --movie {d}/old.webp", "key Space\nkey Sideways\n", 2,
       "script:2: unknown key", ""},
      {"", "--headless {script} --movie {d}/old.webp", "key Space\nkey Up\n", 0, "", "",
       "old.webp"},
      // Scripts that cannot be read, or never end a line.
      {"", "--headless {d}", "", 2, "velmora: cannot read script {d}: Is a directory\n", ""},
      {"", "--headless /dev/zero", "", 2, "script:1: line longer than 65536 bytes\n", ""},
      {"", "--headless {script}", "state\n" + std::string(70000, 'x') + "\nstate\n", 2,
       "script:2: line longer than 65536 bytes\n", "{\"mode\":255"},
      {with("<&-"), "--headless --summary", "", 2,
       "velmora: cannot read script standard input: Bad file descriptor\n", ""},
      // Output that is lost.
      {with(">/dev/full"), "--help", "", 1,
       "velmora: cannot write standard output: No space left on device\n", ""},
      {with(">&-"), "--version", "", 1,
       "velmora: cannot write standard output: Bad file descriptor\n", ""},
      {with(">/dev/full"), "--headless --summary {script}", "key Space\n", 1,
       "cannot write standard output: No space left on device", ""},
      {with(">/dev/full"), "--headless {script}", "map 1 1\nkey Space\n", 1,
       "cannot write standard output: No space left on device", ""},
      {with(">/dev/full"), "--link {script}", "key Space\n", 1,
       "velmora: cannot print the link: No space left on device\n", ""},
      {"bash -c 'set -o pipefail; \"$0\" \"$@\" | :' ", "--headless {script}",
       [] {
         std::string s;
         for (int i = 0; i < 200; ++i) s += "state\n";
         return s;
       }(),
       1, "velmora: cannot write standard output: Broken pipe\n", ""},
      // Text echoed in messages: escaped, cut, NUL and all.
      {"", "--headless {script}", "jump\x1b]2;owned\x07\x1b[31m\xe0\x80\x80\n", 2,
       "script:1: unknown command 'jump\\x1b]2;owned\\x07\\x1b[31m\\xe0\\x80\\x80'\n", ""},
      {"", "--headless {script}",
       std::string("key Up \xff\xc2\x9b") + '\0' + "\xc2\xa9z\xc3\xa9\xe2\x80\x80\n", 2,
       "unknown key '\\xff\\xc2\\x9b\\x00\xc2\xa9z\xc3\xa9\xe2\x80\x80' (Up, Down", ""},
      {"", "--headless {script}", std::string(100, 'q') + "\n", 2,
       "unknown command 'qqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqq...'\n", ""},
      {"", "--headless {script}", "\xEF\xBB\xBFkey Space\nstate\n", 0, "", "{\"mode\":0,"},
  };
  for (const auto& c : cases) {
    const std::string dir = scratchFolder("hostile");
    ASSERT_NE(dir, "");
    for (const auto& [name, text] : Files) {
      std::ofstream(dir + "/" + name, std::ios::binary) << text;
    }
    std::filesystem::create_symlink(dir + "/notes", dir + "/link");
    const std::string script = fill(c.script, dir);
    const HeadlessRun run = runVelmora(fill(c.args, dir), script, {fill(c.prefix, dir), false});
    const std::string what = fill(c.args, dir) + " on " + script.substr(0, 80);
    EXPECT_EQ(run.status, c.status) << what << "\n" << run.err;
    if (*c.err == '\0') {
      EXPECT_EQ(run.err, "") << what;
    }
    EXPECT_NE(run.err.find(fill(c.err, dir)), std::string::npos) << what << "\n" << run.err;
    EXPECT_NE(run.out.find(c.out), std::string::npos) << what << "\n" << run.out.substr(0, 200);
    // Whatever the script did, the other files are as they were, and no
    // temporary file is left behind.
    for (const auto& [name, text] : Files) {
      if (!c.picture || name != std::string(c.picture)) {
        EXPECT_EQ(readFile(dir + "/" + name), text) << what << ": " << name;
      }
    }
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
      EXPECT_FALSE(entry.path().string().ends_with(".tmp")) << what << ": " << entry.path();
      if (entry.path().filename() == "new.png") {
        EXPECT_EQ(readFile(entry.path()).substr(0, 8), Png) << what;
      }
    }
    if (c.picture) {
      const std::string picture = readFile(dir + "/" + c.picture);
      EXPECT_GT(picture.size(), 10000u) << what;
      const bool movie = std::string(c.picture).ends_with(".webp");
      EXPECT_EQ(picture.substr(0, 4), movie ? "RIFF" : Png.substr(0, 4)) << what;
    }
    std::filesystem::remove_all(dir);
  }
}

// The screenshot lines a replay may not hold, in every spelling the runner
// carries out (it writes each picture): --watch and --link refuse each before
// anything is written.
TEST(HostileScripts, ScreenshotLinesInAnySpellingAreRefusedByWatchAndLink) {
  const std::string picture = std::filesystem::temp_directory_path() / "velmora-spelling.png";
  for (std::string script :
       {"screenshot {p}\n", " \t screenshot {p}\n", "\rscreenshot {p}\n", "screenshot\t{p}\r\n",
        "screenshot\r{p}\n", "\xEF\xBB\xBFscreenshot {p}",
        "key Space\r\n# a comment\n\r \r screenshot {p}\r\n"}) {
    script.replace(script.find("{p}"), 3, picture);
    const std::string what = headless::printable(script);
    EXPECT_EQ(runVelmora("--headless {script}", script).status, 0) << what;
    EXPECT_TRUE(std::filesystem::remove(picture)) << what << ": the runner wrote nothing";
    for (const std::string command : {"--watch", "--link"}) {
      const HeadlessRun run = runVelmora(command + " {script}", script, {"env -u DISPLAY", false});
      EXPECT_EQ(run.status, 2) << command << " " << what << "\n" << run.err;
      EXPECT_NE(run.err.find("a replay holds only keys"), std::string::npos) << run.err;
      EXPECT_FALSE(std::filesystem::remove(picture)) << command << " " << what;
    }
  }
}

// A file that is no plain file, or larger than a recording or a script may
// be, ends each command at once with status 2 and its reason, unread: its
// peak memory stays within a quarter of the limit of a missing file's. A
// script of exactly the limit is read.
TEST(HostileFiles, NoFilesAndFilesPastTheirLimitAreRefusedAtOnce) {
  const std::string dir = scratchFolder("files");
  ASSERT_NE(dir, "");
  const auto sparse = [](const std::string& path, uintmax_t size) {
    std::ofstream(path) << "# velmora key recording: replay with velmora --headless FILE\n";
    std::filesystem::resize_file(path, size);
    return path;
  };
  const std::string huge = sparse(dir + "/huge.keys", uintmax_t(1) << 30);
  const std::string pastLimit = sparse(dir + "/past.txt", platform::ScriptLimit + 1);
  std::filesystem::create_directory(dir + "/folder");
  ASSERT_EQ(::mkfifo((dir + "/fifo").c_str(), 0600), 0);
  const auto peakKiB = [&](const std::string& args, HeadlessRun* run) {
    *run = runVelmora(
        args, "", {"env -u DISPLAY timeout -s KILL 20 time -q -f %M -o " + dir + "/peak", false});
    return std::stol("0" + readFile(dir + "/peak"));
  };
  HeadlessRun run;
  const long baseline = peakKiB("--resume " + dir + "/none", &run);
  ASSERT_GT(baseline, 0) << "no peak measured: " << run.err;
  const struct {
    const char* command;
    std::string file;
    const char* reason;  // after "FILE: ", with the message's start
  } cases[] = {
      {"--resume", huge, "it holds more than 16 MiB; it was left as it is"},
      {"--resume", dir + "/folder", "it is a folder, not a file"},
      {"--resume", dir + "/fifo", "it is not a plain file; it was left as it is"},
      {"--watch", huge, "it holds more than 16 MiB"},
      {"--watch", dir + "/folder", "it is a folder, not a file"},
      {"--watch", dir + "/fifo", "it is not a plain file"},
      {"--link", huge, "it holds more than 16 MiB"},
      {"--link", dir + "/folder", "it is a folder, not a file"},
      {"--link", dir + "/fifo", "it is not a plain file"},
      {"--link", pastLimit, "it holds more than 16 MiB"},
  };
  for (const auto& c : cases) {
    const long peak = peakKiB(std::string(c.command) + " " + c.file, &run);
    EXPECT_EQ(run.status, 2) << c.command << " " << c.file << "\n" << run.err;
    EXPECT_EQ(run.err, std::string(c.command[2] == 'r' ? "velmora: cannot resume "
                                                       : "velmora: cannot read script ") +
                           c.file + ": " + c.reason + "\n");
    EXPECT_LT(peak - baseline, long(platform::ScriptLimit >> 10) / 4) << c.command << c.file;
  }
  // One byte less is read whole: its line of NUL bytes is too long for a script.
  std::filesystem::resize_file(pastLimit, platform::ScriptLimit);
  EXPECT_EQ(runVelmora("--link " + pastLimit).err, "script:2: line longer than 65536 bytes\n");
  EXPECT_EQ(std::filesystem::file_size(huge), uintmax_t(1) << 30);
  std::filesystem::remove_all(dir);
}

}  // namespace
