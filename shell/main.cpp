// The velmora program: starts the application with its one form, then plays
// in the window until it is closed, or runs a headless script.
#include <cstdio>
#include <exception>
#include <fstream>
#include <iostream>
#include <string>

#include "platform/application.h"
#include "shell/headless_script.h"
#include "shell/key_recorder.h"
#include "shell/keyboard.h"
#include "shell/main_window.h"
#include "shell/options.h"

namespace {

constexpr int ExitNoDisplay = 1;
constexpr int ExitUsage = 2;

void keyDown(uint16_t key) {
  if (KeyPressHook) KeyPressHook(key);
  FormKeyDown(key);
}

const platform::Canvas* topSurface() { return &Form1.Image2; }

// Starts the application and creates the form, whose creation shows the title.
void startUp(platform::Backend backend, const Options& options) {
  platform::Application.initialize(backend, platform::WindowOptions{options.scale});
  platform::Application.setTitle("Velmora Keep 03");
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
    std::fprintf(stderr, "velmora: %s\n%s\n", error.c_str(), UsageLine);
    return ExitUsage;
  }
  if (options.showHelp) {
    std::printf("%s\n", UsageLine);
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
    return ExitNoDisplay;
  } catch (const std::exception& e) {
    platform::Application.showException(e.what());
  } catch (...) {
    platform::Application.showException("");
  }
  return 0;
}
