// The velmora program: starts the application with its one form, then plays
// in the window until it is closed, or runs a headless script.
#include <cstdio>
#include <exception>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "app/key_recorder.h"
#include "app/options.h"
#include "app/window_icon.h"
#include "headless/headless_script.h"
#include "headless/replay_summary.h"
#include "platform/application.h"
#include "ui/form_start.h"
#include "ui/game_resume.h"
#include "ui/keyboard.h"

namespace {

// No display, or a headless start-up that failed: nothing was played.
constexpr int ExitCannotStart = 1;
// The game was played, but its recording could not be written to the end.
constexpr int ExitRecordingFailed = 1;
constexpr int ExitUsage = 2;

void keyDown(uint16_t key) {
  if (KeyPressHook) KeyPressHook(key);
  FormKeyDown(key);
}

// Starts the form on `backend`, whose creation shows the title. Without
// `pictures` nothing is loaded to draw with and the form's drawing is set
// aside from the start.
void startUp(platform::Backend backend, const Options& options, bool pictures = true) {
  FormStart start;
  start.backend = backend;
  // In fullscreen the screen picks the enlargement; a --scale given caps it.
  start.window.scale = options.fullscreen && !options.scaleGiven ? 0 : options.scale;
  start.window.fullscreen = options.fullscreen;
  start.pictures = pictures;
  start.keyDown = keyDown;
  start.beforeWindow = [] { setGameWindowIcon(); };
  startForm(start);
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  std::string error;
  if (!parseOptions(argc, argv, &options, &error)) {
    std::fprintf(stderr, "velmora: %s\n%s\nTry 'velmora --help' for more information.\n",
                 error.c_str(), UsageLine);
    return ExitUsage;
  }
  if (options.showHelp) {
    std::printf("%s\n", helpText().c_str());
    return 0;
  }
  if (options.showVersion) {
    std::printf("%s\n", VersionLine);
    return 0;
  }

  // The script is read whole first: only one that takes a screenshot needs
  // the game drawn, and a replay without drawing costs a small part.
  std::string script;
  bool fromStdin = options.scriptPath.empty() || options.scriptPath == "-";
  if (options.headless) {
    std::ifstream scriptFile;
    if (!fromStdin) {
      scriptFile.open(options.scriptPath);
      if (!scriptFile) {
        std::fprintf(stderr, "velmora: cannot read script %s\n", options.scriptPath.c_str());
        return ExitUsage;
      }
    }
    std::istream& in = fromStdin ? std::cin : scriptFile;
    script.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  bool shownInBox = false;
  try {
    if (options.headless) {
      startUp(platform::Backend::Headless, options, headless::scriptTakesScreenshots(script));
      std::istringstream scriptLines(script);
      int status = headless::runScript(scriptLines);
      // Only a script that ran to its end is a game worth summing up.
      if (options.summary && status == 0) {
        std::printf("%s\n", headless::summaryLine(headless::replayTally()).c_str());
      }
      platform::Application.shutdown();
      return status;
    }
    std::vector<uint16_t> resumedKeys;
    if ((!options.recordPath.empty() && !startKeyRecording(options.recordPath.c_str(), &error)) ||
        (!options.resumePath.empty() &&
         !resumeKeyRecording(options.resumePath.c_str(), &resumedKeys, &error))) {
      std::fprintf(stderr, "velmora: %s\n", error.c_str());
      return ExitUsage;
    }
    startUp(platform::Backend::Window, options);
    playRecordedKeys(resumedKeys);
    platform::Application.run();
    stopKeyRecording();
    platform::Application.shutdown();
    if (keyRecordingFailed(&error)) {
      std::fprintf(stderr, "velmora: %s\n", error.c_str());
      return ExitRecordingFailed;
    }
    return 0;
  } catch (const platform::NoDisplayError& e) {
    std::fprintf(stderr, "velmora: %s\n", e.what());
    return ExitCannotStart;
  } catch (const std::exception& e) {
    shownInBox = platform::Application.showException(e.what());
  } catch (...) {
    shownInBox = platform::Application.showException("");
  }
  // A failure the player saw in the message box ends as a closed window does.
  // One that only reached standard error (headless, or before the window
  // system was up) must tell its caller that nothing was played.
  return shownInBox ? 0 : ExitCannotStart;
}
