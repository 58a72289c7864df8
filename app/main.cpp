// The velmora program: starts the application with its one form, then plays
// in the window until it is closed, or runs a headless script.
#include <cstdio>
#include <exception>
#include <fstream>
#include <iostream>
#include <string>

#include "app/key_recorder.h"
#include "app/options.h"
#include "app/window_icon.h"
#include "headless/headless_script.h"
#include "headless/replay_summary.h"
#include "platform/application.h"
#include "ui/keyboard.h"
#include "ui/main_window.h"

namespace {

// No display, or a headless start-up that failed: nothing was played.
constexpr int ExitCannotStart = 1;
constexpr int ExitUsage = 2;

void keyDown(uint16_t key) {
  if (KeyPressHook) KeyPressHook(key);
  FormKeyDown(key);
}

const platform::Canvas* topSurface() { return &Form1.Image2; }

// Starts the application and creates the form, whose creation shows the title.
void startUp(platform::Backend backend, const Options& options) {
  // In fullscreen the screen picks the enlargement; a --scale given caps it.
  const int scale = options.fullscreen && !options.scaleGiven ? 0 : options.scale;
  platform::Application.initialize(backend, platform::WindowOptions{scale, options.fullscreen});
  platform::Application.setTitle("Velmora Keep 03");
  setGameWindowIcon();
  loadFormResources();
  FormSize size = formOuterSize();
  platform::Application.createForm("Lantern Cadence -Velmora Keep- 03", size.width, size.height,
                                   platform::FormEvents{FormCreate, keyDown, topSurface});
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

  std::ifstream scriptFile;
  bool fromStdin = options.scriptPath.empty() || options.scriptPath == "-";
  if (options.headless && !fromStdin) {
    scriptFile.open(options.scriptPath);
    if (!scriptFile) {
      std::fprintf(stderr, "velmora: cannot read script %s\n", options.scriptPath.c_str());
      return ExitUsage;
    }
  }

  try {
    if (options.headless) {
      startUp(platform::Backend::Headless, options);
      int status = headless::runScript(fromStdin ? std::cin : scriptFile);
      // Only a script that ran to its end is a game worth summing up.
      if (options.summary && status == 0) {
        std::printf("%s\n", headless::summaryLine(headless::replayTally()).c_str());
      }
      platform::Application.shutdown();
      return status;
    }
    if (!options.recordPath.empty() && !startKeyRecording(options.recordPath.c_str(), &error)) {
      std::fprintf(stderr, "velmora: %s\n", error.c_str());
      return ExitUsage;
    }
    startUp(platform::Backend::Window, options);
    platform::Application.run();
    stopKeyRecording();
    platform::Application.shutdown();
    return 0;
  } catch (const platform::NoDisplayError& e) {
    std::fprintf(stderr, "velmora: %s\n", e.what());
    return ExitCannotStart;
  } catch (const std::exception& e) {
    platform::Application.showException(e.what());
  } catch (...) {
    platform::Application.showException("");
  }
  // The window has shown the failure in its message box and ends as a closed
  // window does. A headless run has no one watching: its caller must be able
  // to tell that nothing was played.
  return options.headless ? ExitCannotStart : 0;
}
