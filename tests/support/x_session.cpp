// The private X server of the real-window tests (see x_session.h).
#include "tests/support/x_session.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace {

Display* asDisplay(void* d) { return static_cast<Display*>(d); }

double secondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// A failed request (a window that went away between two calls) must fail
// the one test, not end the whole test program as Xlib's default does.
int ignoreXError(Display*, XErrorEvent*) { return 0; }

void shortWait() { std::this_thread::sleep_for(std::chrono::milliseconds(50)); }

// Finds a viewable window named `caption` below `window`, depth first.
Window findNamed(Display* d, Window window, const char* caption) {
  char* name = nullptr;
  if (XFetchName(d, window, &name) && name) {
    bool match = std::strcmp(name, caption) == 0;
    XFree(name);
    XWindowAttributes attributes;
    if (match && XGetWindowAttributes(d, window, &attributes) &&
        attributes.map_state == IsViewable) {
      return window;
    }
  }
  Window root = 0, parent = 0, *children = nullptr;
  unsigned int count = 0;
  if (!XQueryTree(d, window, &root, &parent, &children, &count)) return 0;
  Window found = 0;
  for (unsigned int i = 0; i < count && !found; ++i) found = findNamed(d, children[i], caption);
  if (children) XFree(children);
  return found;
}

}  // namespace

std::string findOnPath(const char* program) {
  const char* path = std::getenv("PATH");
  std::string dirs = path ? path : "/usr/bin:/bin";
  size_t start = 0;
  while (start <= dirs.size()) {
    size_t end = dirs.find(':', start);
    if (end == std::string::npos) end = dirs.size();
    std::string candidate = dirs.substr(start, end - start) + "/" + program;
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
    start = end + 1;
  }
  return "";
}

XSession::~XSession() {
  if (xDisplay_) XCloseDisplay(asDisplay(xDisplay_));
  if (server_ > 0) {
    kill(server_, SIGTERM);
    waitForExit(server_, 5);
  }
}

bool XSession::start(std::string* error) {
  std::string xvfb = findOnPath("Xvfb");
  if (xvfb.empty()) {
    *error = "Xvfb is not installed";
    return false;
  }
  // Xvfb picks a free display itself and tells its number through a pipe,
  // so tests running side by side never fight over one.
  int fds[2];
  if (pipe(fds) != 0) {
    *error = "pipe failed";
    return false;
  }
  server_ = fork();
  if (server_ == 0) {
    close(fds[0]);
    std::string fd = std::to_string(fds[1]);
    int devnull = open("/dev/null", O_WRONLY);
    dup2(devnull, 1);
    dup2(devnull, 2);
    execl(xvfb.c_str(), "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24", "-nolisten",
          "tcp", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[1]);
  std::string number;
  char c;
  while (read(fds[0], &c, 1) == 1 && c != '\n') number += c;
  close(fds[0]);
  if (number.empty()) {
    *error = "Xvfb did not start";
    return false;
  }
  display_ = ":" + number;
  XSetErrorHandler(ignoreXError);
  auto start = std::chrono::steady_clock::now();
  while (!(xDisplay_ = XOpenDisplay(display_.c_str()))) {
    if (secondsSince(start) > 10) {
      *error = "cannot connect to Xvfb on " + display_;
      return false;
    }
    shortWait();
  }
  return true;
}

pid_t XSession::spawn(const std::vector<std::string>& argv,
                      const std::vector<std::string>& extraEnv, const std::string& errPath) {
  pid_t child = fork();
  if (child != 0) return child;
  setenv("DISPLAY", display_.c_str(), 1);
  for (const std::string& pair : extraEnv) putenv(strdup(pair.c_str()));
  int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (err >= 0) dup2(err, 2);
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  execv(args[0], args.data());
  _exit(127);
}

unsigned long XSession::waitForWindow(const char* caption, double seconds) {
  Display* d = asDisplay(xDisplay_);
  auto start = std::chrono::steady_clock::now();
  while (secondsSince(start) < seconds) {
    if (Window w = findNamed(d, DefaultRootWindow(d), caption)) return w;
    shortWait();
  }
  return 0;
}

std::vector<uint32_t> XSession::grab(unsigned long window, int* width, int* height) {
  Display* d = asDisplay(xDisplay_);
  XWindowAttributes attributes;
  std::vector<uint32_t> pixels;
  *width = *height = 0;
  if (!XGetWindowAttributes(d, window, &attributes)) return pixels;
  XImage* image = XGetImage(d, window, 0, 0, unsigned(attributes.width),
                            unsigned(attributes.height), AllPlanes, ZPixmap);
  if (!image) return pixels;
  *width = attributes.width;
  *height = attributes.height;
  pixels.reserve(size_t(*width) * *height);
  for (int y = 0; y < *height; ++y) {
    for (int x = 0; x < *width; ++x) pixels.push_back(uint32_t(XGetPixel(image, x, y)) & 0xFFFFFF);
  }
  XDestroyImage(image);
  return pixels;
}

bool XSession::requestClose(unsigned long window) {
  Display* d = asDisplay(xDisplay_);
  XEvent event;
  std::memset(&event, 0, sizeof event);
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = long(XInternAtom(d, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  Status sent = XSendEvent(d, window, False, NoEventMask, &event);
  XFlush(d);
  return sent != 0;
}

int waitForExit(pid_t child, double seconds) {
  auto start = std::chrono::steady_clock::now();
  while (secondsSince(start) < seconds) {
    int status = 0;
    pid_t done = waitpid(child, &status, WNOHANG);
    if (done == child) return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (done < 0) return -1;
    shortWait();
  }
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  return -1;
}
