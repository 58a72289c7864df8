// A start-up that fails (here: no font at all on the machine) is told in
// one line and plays nothing; the program never goes on half made.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "tests/support/headless_run.h"

namespace {

TEST(StartUpFailure, WithoutAnyFontTheProgramSaysWhyAndRunsNoScript) {
  // A fontconfig setup that knows no font directory at all.
  const std::string config = "/tmp/velmora-nofonts-" + std::to_string(getpid()) + ".conf";
  std::ofstream(config) << "<?xml version=\"1.0\"?>\n<fontconfig></fontconfig>\n";
  // The screenshot is what needs the fonts: a script without one draws nothing.
  const HeadlessRun run =
      runVelmora("--headless {script}", "state\nkey Space\nstate\nscreenshot /dev/null\n",
                 RunSettings{"FONTCONFIG_FILE='" + config + "'", false});
  std::remove(config.c_str());
  EXPECT_EQ(run.err, "no font found for Tahoma\n");
  EXPECT_EQ(run.status, 1) << "a run that played nothing must not look like a success";
  EXPECT_EQ(run.out, "") << "the script must not run on a half-made form";
  EXPECT_TRUE(run.states.empty());
}

}  // namespace
