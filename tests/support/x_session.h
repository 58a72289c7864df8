// A private X server for the real-window tests: Xvfb on a display it picks
// itself, a child process started on it, and the few Xlib requests the tests
// make (find a window by its caption, grab its pixels, close it as a window
// manager's close button does).
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

// Returns the full path of `program` found on PATH, or "" when there is none.
std::string findOnPath(const char* program);

class XSession {
 public:
  ~XSession();
  // Starts Xvfb and connects to it. Returns false (with *error) on failure.
  bool start(std::string* error);
  const std::string& display() const { return display_; }

  // Runs argv with DISPLAY set to this server (and `extraEnv`, NAME=VALUE
  // pairs), standard error to `errPath`. Returns the child's pid, or -1.
  pid_t spawn(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnv,
              const std::string& errPath);

  // Waits up to `seconds` for a mapped top-level window whose name is
  // `caption`. Returns its id or 0.
  unsigned long waitForWindow(const char* caption, double seconds);
  // Returns the window's pixels (0x00RRGGBB, row-major) and its size.
  std::vector<uint32_t> grab(unsigned long window, int* width, int* height);
  // Sends WM_DELETE_WINDOW, as a window manager's close button does.
  bool requestClose(unsigned long window);

 private:
  pid_t server_ = -1;
  void* xDisplay_ = nullptr;  // Display*
  std::string display_;
};

// Waits up to `seconds` for the child to end. Returns its exit status, or -1
// when it did not end in time (it is then killed) or ended by a signal.
int waitForExit(pid_t child, double seconds);
