// The velmora program as a user meets it, run as a process of its own on the
// transcripts of tests/transcripts/: a command line, a script, and the
// standard output, standard error and exit status it must give.
//
// Transcript files, one line each:
//   # ...              a comment
//   $ [PREFIX] velmora ARGS
//                      starts a run; PREFIX goes before the program on the
//                      shell's line (NAME=VALUE, env -u NAME). In ARGS,
//                      {script} names the script file and "< {script}" feeds
//                      it on standard input; {source} is the source tree
//                      (in the expected lines too).
//   < TEXT             a line of the run's script
//   <@ PATH            the whole of a file of the source tree, into the script
//   > TEXT             the next line of standard output; a line starting with
//                      "{" matches a JSON object on the keys it names, and
//                      ">..." skips any lines up to the next expected one
//   ! TEXT             the next line of standard error ("!..." as ">...")
//   ? N                the exit status (0 when not given)
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "app/options.h"
#include "headless/headless_script.h"
#include "tests/support/headless_run.h"

namespace {

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) out.push_back(line);
  return out;
}

bool lineMatches(const std::string& expected, const std::string& actual) {
  if (expected.empty() || expected[0] != '{') return expected == actual;
  const nlohmann::json want = nlohmann::json::parse(expected, nullptr, false);
  const nlohmann::json got = nlohmann::json::parse(actual, nullptr, false);
  if (want.is_discarded() || !got.is_object()) return false;
  for (auto it = want.begin(); it != want.end(); ++it) {
    if (!got.contains(it.key()) || got[it.key()] != it.value()) return false;
  }
  return true;
}

// Matches the expected lines against the actual ones, "..." skipping ahead.
void expectLines(const char* stream, const std::vector<std::string>& expected,
                 const std::vector<std::string>& actual) {
  size_t a = 0;
  for (size_t e = 0; e < expected.size(); ++e) {
    if (expected[e] == "...") {
      if (e + 1 == expected.size()) return;
      while (a < actual.size() && !lineMatches(expected[e + 1], actual[a])) ++a;
      continue;
    }
    if (a >= actual.size()) {
      ADD_FAILURE() << stream << " ended before: " << expected[e];
      return;
    }
    EXPECT_TRUE(lineMatches(expected[e], actual[a]))
        << stream << " line " << a + 1 << "\n  want: " << expected[e] << "\n  got:  " << actual[a];
    ++a;
  }
  for (; a < actual.size(); ++a) ADD_FAILURE() << stream << " has more: " << actual[a];
}

struct ProgramRun {
  int line = 0;
  std::string command;
  std::string script;
  std::vector<std::string> out, err;
  int status = 0;
};

std::string withSource(std::string text) {
  for (size_t s = text.find("{source}"); s != std::string::npos; s = text.find("{source}")) {
    text.replace(s, 8, VELMORA_SOURCE_DIR);
  }
  return text;
}

void check(const ProgramRun& run) {
  SCOPED_TRACE("run at line " + std::to_string(run.line) + ": " + run.command);
  const size_t at = run.command.find("velmora");
  RunSettings settings{withSource(run.command.substr(0, at)), false};
  std::string args = withSource(run.command.substr(at + 7));
  if (const size_t in = args.find("< {script}"); in != std::string::npos) {
    settings.scriptOnStdin = true;
    args.erase(in);
  }
  const HeadlessRun result = runVelmora(args, run.script, settings);
  expectLines("stdout", run.out, linesOf(result.out));
  expectLines("stderr", run.err, linesOf(result.err));
  EXPECT_EQ(result.status, run.status);
}

class Transcripts : public ::testing::TestWithParam<const char*> {};

TEST_P(Transcripts, ProgramGivesTheTranscribedOutput) {
  const std::string path =
      std::string(VELMORA_SOURCE_DIR) + "/tests/transcripts/" + GetParam() + ".txt";
  std::ifstream in(path);
  ASSERT_TRUE(in) << path;
  std::vector<ProgramRun> runs;
  int number = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    if (line.empty() || line[0] == '#') continue;
    const std::string text = line.size() > 2 ? line.substr(2) : "";
    const bool skip = line.rfind("...", 1) == 1;
    if (line[0] == '$') {
      runs.push_back(ProgramRun{number, text, "", {}, {}, 0});
    } else if (runs.empty()) {
      FAIL() << path << ":" << number << ": no run started";
    } else if (line.rfind("<@ ", 0) == 0) {
      runs.back().script += readFile(std::string(VELMORA_SOURCE_DIR) + "/" + line.substr(3));
    } else if (line[0] == '<') {
      runs.back().script += text + "\n";
    } else if (line[0] == '>') {
      runs.back().out.push_back(skip ? "..." : withSource(text));
    } else if (line[0] == '!') {
      runs.back().err.push_back(skip ? "..." : withSource(text));
    } else if (line[0] == '?') {
      runs.back().status = std::stoi(text);
    } else {
      FAIL() << path << ":" << number << ": unknown line";
    }
  }
  ASSERT_FALSE(runs.empty());
  for (const ProgramRun& run : runs) check(run);
}

INSTANTIATE_TEST_SUITE_P(Files, Transcripts,
                         ::testing::Values("options", "scripts", "typing", "games", "worlds"),
                         [](const auto& info) { return std::string(info.param); });

// How the arguments are read, GNU style: what each command line sets, or the
// one-line error it gets.
TEST(Options, EveryOptionReadTheGnuWay) {
  const struct {
    const char* args;
    const char* read;  // the options read, or "error: ..." when refused
  } cases[] = {
      {"", "scale=1"},
      {"--scale 1", "scale=1!"},
      {"--sc=2 --scale 4", "scale=4!"},
      {"--f --record keys.txt", "scale=1 fullscreen record=keys.txt"},
      {"--headless=game.txt", "scale=1 headless script=game.txt"},
      {"game.txt --hea --summary", "scale=1 headless script=game.txt summary"},
      {"--headless -", "scale=1 headless script=-"},
      {"--", "scale=1"},
      {"--headless -- --odd-name", "scale=1 headless script=--odd-name"},
      {"--headless --fullscreen --scale 2", "scale=2! fullscreen headless"},
      {"-h --frobnicate", "scale=1 help"},
      {"--v --scale 9", "scale=1 version"},
      {"--scale 2 -hV", "scale=2! help version"},
      {"--help --version", "scale=1 help"},
      {"--frobnicate", "error: unknown option --frobnicate"},
      {"-x", "error: unknown option -x"},
      {"--s 2", "error: ambiguous option --s"},
      {"--scale", "error: --scale needs a number from 1 to 4"},
      {"--scale 5", "error: --scale 5: not a number from 1 to 4"},
      {"--scale=0", "error: --scale 0: not a number from 1 to 4"},
      {"--scale two", "error: --scale two: not a number from 1 to 4"},
      {"--record=", "error: --record needs a file name"},
      {"--fullscreen=yes", "error: --fullscreen takes no value"},
      {"--summary", "error: --summary works only with --headless"},
      {"--record k --headless", "error: --record works only with the window, not with --headless"},
      {"--fullscreen game.txt", "error: unexpected argument game.txt"},
      {"--headless a.txt b.txt", "error: only one script can be replayed at a time"},
      {"--headless=a.txt b.txt", "error: only one script can be replayed at a time"},
      {"--headless --movie game.GIF", "scale=1 headless movie=game.GIF"},
      {"--movie=x.webp --headless", "scale=1 headless movie=x.webp"},
      {"--link game.keys --page http://h/", "scale=1 link=game.keys page=http://h/"},
      {"--headless --movie x.png", "error: --movie x.png: the name must end in .webp or .gif"},
      {"--movie x.webp", "error: --movie works only with --headless"},
      {"--link", "error: --link needs a file name"},
      {"--link=", "error: --link needs a file name"},
      {"--link a --resume b",
       "error: --link prints a link and plays nothing: use it alone, with --page at most"},
      {"--page http://h/", "error: --page works only with --link, --link-worlds or --share"},
      {"--worlds=", "error: --worlds needs a file name"},
      {"--link-worlds w --worlds w",
       "error: --link-worlds prints a link and plays nothing: use it alone, with --page at most"},
      {"--link a --page=",
       "error: --page needs a web address without blanks or control characters"},
      {"--link a b", "error: unexpected argument b"},
      {"--continue --no-save",
       "error: --continue, --no-save, --record and --resume cannot be used together"},
      {"--no-save --resume keys",
       "error: --continue, --no-save, --record and --resume cannot be used together"},
      {"--headless --grid-only /dev/null",
       "error: --continue, --no-save and --grid-only work only with the window, not with "
       "--headless"},
      {"--link keys --continue",
       "error: --link prints a link and plays nothing: use it alone, with --page at most"},
      {"--watch /dev/null --headless /dev/null",
       "error: --watch plays in the window: use it without --headless, --link, --resume or "
       "--continue"},
      {"--daily 2026-12-07 --export d.worlds", "scale=1 daily=2026-12-07 export=d.worlds"},
      {"--export=d.worlds --daily", "scale=1 daily export=d.worlds"},
      {"--check-worlds --daily 2024-02-29", "scale=1 daily=2024-02-29 check"},
      {"w.worlds --check-worlds", "scale=1 check=w.worlds"},
      {"--check-worlds=w.worlds", "scale=1 check=w.worlds"},
      {"--daily 2026-02-30 --export x",
       "error: --daily 2026-02-30: not a day of the calendar from 1970 to 9999 as YYYY-MM-DD"},
      {"--daily=26-12-07 --export x",
       "error: --daily 26-12-07: not a day of the calendar from 1970 to 9999 as YYYY-MM-DD"},
      {"--daily", "scale=1 daily"},
      {"--share", "error: --share works only with --headless, in place of --summary"},
      {"--headless --summary --share x.keys",
       "error: --share works only with --headless, in place of --summary"},
      {"--headless --daily 2026-12-07 game.txt",
       "scale=1 headless script=game.txt daily=2026-12-07"},
      {"--daily --worlds w.worlds",
       "error: --daily stands for a world file: use it in place of --worlds FILE, not with it"},
      {"--export x", "error: --export works only with --daily"},
      {"--daily --export x --headless",
       "error: --export writes the day's world file and plays nothing: use it with --daily alone"},
      {"--check-worlds",
       "error: --check-worlds needs a file name (or --daily for the day's world file)"},
      {"--check-worlds w.worlds --daily",
       "error: --check-worlds checks one world file: FILE or the day's with --daily, not both"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> words{"velmora"};
    std::istringstream in(c.args);
    for (std::string word; in >> word;) words.push_back(word);
    std::vector<const char*> argv;
    for (const std::string& word : words) argv.push_back(word.c_str());
    Options o;
    std::string error;
    std::ostringstream read;
    if (!parseOptions(int(argv.size()), argv.data(), &o, &error)) {
      read << "error: " << error;
    } else {
      read << "scale=" << o.scale << (o.scaleGiven ? "!" : "")
           << (o.fullscreen ? " fullscreen" : "") << (o.headless ? " headless" : "")
           << (o.scriptPath.empty() ? "" : " script=") << o.scriptPath
           << (o.summary ? " summary" : "") << (o.recordPath.empty() ? "" : " record=")
           << o.recordPath << (o.showHelp ? " help" : "") << (o.showVersion ? " version" : "")
           << (o.moviePath.empty() ? "" : " movie=") << o.moviePath
           << (o.linkPath.empty() ? "" : " link=") << o.linkPath
           << (o.pageUrl.empty() ? "" : " page=") << o.pageUrl << (o.daily ? " daily" : "")
           << (o.dailyDate.empty() ? "" : "=") << o.dailyDate
           << (o.exportPath.empty() ? "" : " export=") << o.exportPath
           << (o.checkWorlds ? " check" : "") << (o.checkWorldsPath.empty() ? "" : "=")
           << o.checkWorldsPath;
    }
    EXPECT_EQ(read.str(), c.read) << c.args;
  }
}

// Records may hold any byte; the state's JSON keeps each as the character of
// the same code, and never reads past a buffer without a zero.
TEST(StateText, BytesKeepTheirCodes) {
  const char bytes[6] = {'A', char(0x80), char(0xFF), char(0x7F), 0, 'Z'};
  EXPECT_EQ(headless::bytesAsText(bytes, sizeof bytes), "A\xC2\x80\xC3\xBF\x7F");
  const char full[3] = {'a', 'b', 'c'};
  EXPECT_EQ(headless::bytesAsText(full, sizeof full), "abc");
}

}  // namespace
