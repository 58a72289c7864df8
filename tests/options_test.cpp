// The command line: GNU-style reading of every option (shortened names,
// --name=VALUE, "--", operands), the rules between options, and the program's
// answers to --help, --version and bad options with their exit statuses.
#include "app/options.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tests/support/headless_run.h"

namespace {

// Splits `line` at blanks into arguments after the program name.
bool parseLine(const std::string& line, Options* options, std::string* error) {
  std::vector<std::string> words{"velmora"};
  std::istringstream in(line);
  for (std::string word; in >> word;) words.push_back(word);
  std::vector<const char*> argv;
  for (const std::string& word : words) argv.push_back(word.c_str());
  return parseOptions(int(argv.size()), argv.data(), options, error);
}

std::string describe(const Options& o) {
  std::ostringstream out;
  out << "scale=" << o.scale << (o.scaleGiven ? "!" : "") << (o.fullscreen ? " fullscreen" : "")
      << (o.headless ? " headless" : "") << (o.scriptPath.empty() ? "" : " script=" + o.scriptPath)
      << (o.summary ? " summary" : "") << (o.recordPath.empty() ? "" : " record=" + o.recordPath)
      << (o.showHelp ? " help" : "") << (o.showVersion ? " version" : "");
  return out.str();
}

TEST(OptionsTest, ReadsEveryOptionTheGnuWay) {
  struct Case {
    const char* args;
    const char* read;
  };
  const Case cases[] = {
      {"", "scale=1"},
      {"--scale 3", "scale=3!"},
      {"--scale=2", "scale=2!"},
      {"--sc 4", "scale=4!"},
      {"--scale 2 --scale 3", "scale=3!"},
      {"--fullscreen", "scale=1 fullscreen"},
      {"--full --scale=2", "scale=2! fullscreen"},
      {"--f", "scale=1 fullscreen"},
      {"--record keys.txt", "scale=1 record=keys.txt"},
      {"--record=keys.txt --fullscreen", "scale=1 fullscreen record=keys.txt"},
      {"--headless", "scale=1 headless"},
      {"--headless game.txt", "scale=1 headless script=game.txt"},
      {"--headless=game.txt", "scale=1 headless script=game.txt"},
      {"--headless -", "scale=1 headless script=-"},
      {"game.txt --headless", "scale=1 headless script=game.txt"},
      {"--headless --summary game.txt", "scale=1 headless script=game.txt summary"},
      {"--summary --hea game.txt", "scale=1 headless script=game.txt summary"},
      {"--", "scale=1"},
      {"--headless -- --odd-name", "scale=1 headless script=--odd-name"},
      {"--headless --fullscreen --scale 2", "scale=2! fullscreen headless"},
      {"--help", "scale=1 help"},
      {"-h", "scale=1 help"},
      {"--hel", "scale=1 help"},
      {"--version", "scale=1 version"},
      {"-V", "scale=1 version"},
      {"--v", "scale=1 version"},
      // Help and version end the reading: what follows is not looked at.
      {"--help --frobnicate", "scale=1 help"},
      {"--version --scale 9", "scale=1 version"},
      {"--scale 2 -hV", "scale=2! help version"},
  };
  for (const Case& c : cases) {
    Options options;
    std::string error;
    EXPECT_TRUE(parseLine(c.args, &options, &error)) << c.args << ": " << error;
    EXPECT_EQ(describe(options), c.read) << c.args;
  }
}

TEST(OptionsTest, RefusesWhatMakesNoSense) {
  struct Case {
    const char* args;
    const char* error;
  };
  const Case cases[] = {
      {"--frobnicate", "unknown option --frobnicate"},
      {"-x", "unknown option -x"},
      {"--s 2", "ambiguous option --s"},
      {"--he", "ambiguous option --he"},
      {"--scale", "--scale needs a number from 1 to 4"},
      {"--scale 5", "--scale 5: not a number from 1 to 4"},
      {"--scale=0", "--scale 0: not a number from 1 to 4"},
      {"--scale two", "--scale two: not a number from 1 to 4"},
      {"--scale 22", "--scale 22: not a number from 1 to 4"},
      {"--record", "--record needs a file name"},
      {"--record=", "--record needs a file name"},
      {"--fullscreen=yes", "--fullscreen takes no value"},
      {"--help=me", "--help takes no value"},
      {"--summary", "--summary works only with --headless"},
      {"--record k.txt --headless", "--record works only with the window, not with --headless"},
      {"extra", "unexpected argument extra"},
      {"--fullscreen game.txt", "unexpected argument game.txt"},
      {"--headless a.txt b.txt", "only one script can be replayed at a time"},
      {"--headless=a.txt b.txt", "only one script can be replayed at a time"},
  };
  for (const Case& c : cases) {
    Options options;
    std::string error;
    EXPECT_FALSE(parseLine(c.args, &options, &error)) << c.args;
    EXPECT_EQ(error, c.error) << c.args;
  }
}

// Runs velmora with `args` and no display, so nothing can open a window.
HeadlessRun run(const std::string& args) {
  return runVelmora(args, "", RunSettings{"env -u DISPLAY -u WAYLAND_DISPLAY", false});
}

TEST(CommandLineTest, HelpListsEveryOptionOnStandardOutput) {
  for (const char* args : {"--help", "-h", "--scale 2 --help"}) {
    SCOPED_TRACE(args);
    HeadlessRun help = run(args);
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.err, "");
    EXPECT_EQ(help.out.rfind("usage: velmora", 0), 0u) << help.out;
    EXPECT_EQ(help.out, helpText() + "\n");
    for (const char* option : {"--scale N", "--fullscreen", "--record FILE", "--headless [SCRIPT]",
                               "--summary", "-h, --help", "-V, --version"}) {
      EXPECT_NE(help.out.find(option), std::string::npos) << option;
    }
  }
}

TEST(CommandLineTest, VersionNamesProgramGameAndNumber) {
  for (const char* args : {"--version", "-V", "--vers"}) {
    HeadlessRun version = run(args);
    EXPECT_EQ(version.status, 0) << args;
    EXPECT_EQ(version.err, "") << args;
    const std::string first = version.out.substr(0, version.out.find('\n'));
    EXPECT_EQ(first, std::string("velmora (Velmora Keep 03) ") + VELMORA_VERSION) << args;
    EXPECT_EQ(first, "velmora (Velmora Keep 03) 10.0") << args;
  }
}

TEST(CommandLineTest, BadOptionsGetTheUsageOnStandardErrorAndStatusTwo) {
  for (const char* args : {"--frobnicate", "--scale 7", "--summary", "--s", "stray"}) {
    SCOPED_TRACE(args);
    HeadlessRun bad = run(args);
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(bad.out, "");
    EXPECT_EQ(bad.err.rfind("velmora: ", 0), 0u) << bad.err;
    EXPECT_NE(bad.err.find(UsageLine), std::string::npos) << bad.err;
    EXPECT_NE(bad.err.find("Try 'velmora --help'"), std::string::npos) << bad.err;
  }
}

// Files the program cannot use stop it before it starts: status 2 and the
// reason on standard error.
TEST(CommandLineTest, UnusableFilesStopTheStartWithStatusTwo) {
  const struct {
    const char* args;
    const char* message;
  } cases[] = {
      {"--headless /nonexistent-dir/script", "/nonexistent-dir/script"},
      {"--record /nonexistent-dir/keys", "cannot record to /nonexistent-dir/keys"},
      {"--record /dev/null --headless /dev/null", "--record works only with the window"},
  };
  for (const auto& c : cases) {
    HeadlessRun refused = run(c.args);
    EXPECT_EQ(refused.status, 2) << c.args;
    EXPECT_NE(refused.err.find(c.message), std::string::npos) << c.args << ": " << refused.err;
  }
}

TEST(CommandLineTest, HeadlessTakesAnyOptionsAndAWindowNeedsADisplay) {
  HeadlessRun headless = run("--fullscreen --scale 3 --headless /dev/null");
  EXPECT_EQ(headless.status, 0) << headless.err;
  // A window run without a display says, on one line, to play headless.
  for (const char* args : {"", "--fullscreen --scale 3"}) {
    HeadlessRun window = run(args);
    EXPECT_EQ(window.status, 1) << args << ": " << window.err;
    EXPECT_NE(window.err.find("--headless"), std::string::npos) << window.err;
    EXPECT_EQ(window.err.find('\n'), window.err.size() - 1) << "one line: " << window.err;
  }
}

}  // namespace
