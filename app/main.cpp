// The velmora program: starts the application with its one form, then plays
// in the window until it is closed, or runs a headless script.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

#include "app/key_recorder.h"
#include "app/options.h"
#include "app/window_icon.h"
#include "headless/headless_script.h"
#include "headless/replay_summary.h"
#include "platform/application.h"
#include "ui/game_resume.h"
#include "ui/keyboard.h"
#include "ui/main_window.h"

namespace {

// No display, or a headless start-up that failed: nothing was played.
constexpr int ExitCannotStart = 1;
// The game was played, but its recording could not be written to the end.
constexpr int ExitRecordingFailed = 1;
constexpr int ExitUsage = 2;
// What was printed could not be written.
constexpr int ExitOutputLost = 1;

void keyDown(uint16_t key) {
  if (KeyPressHook) KeyPressHook(key);
  FormKeyDown(key);
}

const platform::Canvas* topSurface() { return &Form1.Image2; }

// Starts the application and creates the form, whose creation shows the title.
// Without `pictures` nothing is loaded to draw with and the form's drawing is
// set aside from the start.
void startUp(platform::Backend backend, const Options& options, bool pictures = true) {
  // In fullscreen the screen picks the enlargement; a --scale given caps it.
  const int scale = options.fullscreen && !options.scaleGiven ? 0 : options.scale;
  platform::Application.initialize(backend, platform::WindowOptions{scale, options.fullscreen});
  platform::Application.setTitle(ApplicationTitle);
  setGameWindowIcon();
  if (pictures) loadFormResources();
  setFormDrawing(pictures);
  FormSize size = formOuterSize();
  platform::Application.createForm(FormCaption, size.width, size.height,
                                   platform::FormEvents{FormCreate, keyDown, topSurface});
}

// A standard descriptor the caller closed is held by /dev/null opened the
// wrong way round, so reading or writing it fails as a closed one does, and
// no file the game opens later takes its number.
void holdClosedStandardDescriptors() {
  for (int fd = 0; fd <= 2; ++fd) {
    if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    const int held = ::open("/dev/null", (fd == 0 ? O_WRONLY : O_RDONLY) | O_CLOEXEC);
    if (held >= 0 && held != fd) {
      ::dup2(held, fd);
      ::close(held);
    }
  }
}

// Prints `text` and a newline on standard output; says so when they are lost.
int printed(const std::string& text) {
  std::fputs((text + "\n").c_str(), stdout);
  if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return 0;
  std::fprintf(stderr, "velmora: cannot write standard output: %s\n", std::strerror(errno));
  return ExitOutputLost;
}

// Plays the script at `path` ("" or "-": standard input) without a window.
int runHeadless(const Options& options) {
  const bool fromStdin = options.scriptPath.empty() || options.scriptPath == "-";
  int fd = STDIN_FILENO;
  if (!fromStdin) {
    // A FIFO is waited on as any script is: its writer drives the game.
    fd = ::open(options.scriptPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
      std::fprintf(stderr, "velmora: cannot read script %s: %s\n", options.scriptPath.c_str(),
                   std::strerror(errno));
      return ExitUsage;
    }
  }
  // Nothing is loaded or drawn until the script asks for its first picture.
  startUp(platform::Backend::Headless, options, false);
  const char* name = fromStdin ? "standard input" : options.scriptPath.c_str();
  int status = headless::runScriptFrom(fd, name);
  if (!fromStdin) ::close(fd);
  // Only a script that ran to its end is a game worth summing up.
  if (options.summary && status == 0) {
    status = printed(headless::summaryLine(headless::replayTally()));
  }
  platform::Application.shutdown();
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  // A reader gone from a pipe is a failed write, told like any other.
  std::signal(SIGPIPE, SIG_IGN);
  // So is a write past a file size limit (ulimit -f).
  std::signal(SIGXFSZ, SIG_IGN);
  holdClosedStandardDescriptors();
  Options options;
  std::string error;
  if (!parseOptions(argc, argv, &options, &error)) {
    std::fprintf(stderr, "velmora: %s\n%s\nTry 'velmora --help' for more information.\n",
                 error.c_str(), UsageLine);
    return ExitUsage;
  }
  if (options.showHelp) return printed(helpText());
  if (options.showVersion) return printed(VersionLine);

  bool shownInBox = false;
  try {
    if (options.headless) return runHeadless(options);
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
