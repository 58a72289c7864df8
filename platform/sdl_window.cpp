// The SDL2 window: start-up with a real display, a fixed-size window whose
// client area shows the top surface enlarged by whole pixels, and the event
// loop that turns key-downs into the game's key codes: the window backend of
// the desktop program (backend.h), in the native module.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/canvas.h"
#include "platform/key_map.h"
#include "platform/native.h"
#include "platform/screen_fit.h"
#include "platform/sdl_box_text.h"
#include "platform/x11_names.h"

namespace platform::sdl {
namespace {

constexpr const char* NoDisplayMessage = "no display found (set DISPLAY, or use --headless)";
// Shown where the top surface does not reach: the classic button face.
constexpr uint32_t ButtonFace = 0xF0F0F0;

struct State {
  bool videoUp = false;
  char title[128] = {};  // the task-bar title
  SDL_Window* window = nullptr;
  SDL_Surface* frame = nullptr;  // the enlarged picture, blitted to the window
  int clientWidth = 0;
  int clientHeight = 0;
  int scale = 1;
  bool fullscreen = false;  // the frame is centred on a black screen
  std::vector<uint32_t> icon;
  int iconWidth = 0;
  int iconHeight = 0;
};
State state;

bool hasEnv(const char* name) {
  const char* value = std::getenv(name);
  return value && *value;
}

void applyIcon() {
  if (!state.window || state.icon.empty()) return;
  SDL_Surface* surface =
      SDL_CreateRGBSurfaceWithFormatFrom(state.icon.data(), state.iconWidth, state.iconHeight, 32,
                                         state.iconWidth * 4, SDL_PIXELFORMAT_ARGB8888);
  if (!surface) return;  // an icon is a nicety; the game runs without
  SDL_SetWindowIcon(state.window, surface);
  SDL_FreeSurface(surface);
}

void start() {
  // Without a display SDL quietly picks an off-screen driver and the player
  // would get an invisible game, so ask for a display first.
  if (!hasEnv("DISPLAY") && !hasEnv("WAYLAND_DISPLAY")) throw NoDisplayError(NoDisplayMessage);
  // With only an X display, trying Wayland first just prints complaints.
  if (!hasEnv("WAYLAND_DISPLAY")) SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
  // The picture is a software surface: no GPU renderer behind the window.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  passGoneWindowErrors();
  if (SDL_Init(SDL_INIT_VIDEO) != 0) throw NoDisplayError(NoDisplayMessage);
  const char* driver = SDL_GetCurrentVideoDriver();
  if (!driver || std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0) {
    SDL_Quit();
    throw NoDisplayError(NoDisplayMessage);
  }
  state.videoUp = true;
  // Keys only until a form that takes typed characters opens.
  SDL_StopTextInput();
}

void setTitle(const char* title) {
  if (!title) return;
  std::snprintf(state.title, sizeof state.title, "%s", title);
  SDL_SetHint(SDL_HINT_APP_NAME, title);
  if (state.window) setX11Names(state.window, state.title);
}

void openWindow(const char* caption, int clientWidth, int clientHeight, int scale,
                bool fullscreen) {
  if (!state.videoUp) throw std::runtime_error("window: video is not started");
  state.clientWidth = clientWidth;
  state.clientHeight = clientHeight;
  state.scale = scale < 1 ? 1 : scale;
  state.fullscreen = fullscreen;
  // Not resizable: SDL then pins the size, and window managers drop the
  // maximise button.
  SDL_Rect place{SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, clientWidth * state.scale,
                 clientHeight * state.scale};
  Uint32 flags = SDL_WINDOW_HIDDEN;
  SDL_Rect usable{};
  if (!fullscreen && SDL_GetDisplayUsableBounds(0, &usable) == 0) {
    // A window taller than the desktop would put the strip, the game's only
    // text, off the screen: the largest enlargement that fits is used instead.
    const int fitted =
        fitOnScreen(clientWidth, clientHeight, usable.w, usable.h, state.scale).scale;
    if (fitted < state.scale) {
      std::fprintf(stderr,
                   "velmora: --scale %d does not fit the desktop's %dx%d usable area; "
                   "using --scale %d\n",
                   state.scale, usable.w, usable.h, fitted);
      state.scale = fitted;
      place.w = clientWidth * fitted;
      place.h = clientHeight * fitted;
    }
  }
  if (fullscreen) {
    // The desktop's own mode, so the screen never changes resolution under
    // the player. The window is made the screen's size from the start: with
    // no window manager to honour the fullscreen request it stays so.
    if (SDL_GetDisplayBounds(0, &place) != 0)
      throw std::runtime_error(std::string("window: ") + SDL_GetError());
    flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    state.scale = fitOnScreen(clientWidth, clientHeight, place.w, place.h, scale).scale;
    // A keyboard-only game has no use for a pointer over its picture.
    SDL_ShowCursor(SDL_DISABLE);
  }
  state.window =
      SDL_CreateWindow(caption ? caption : "", place.x, place.y, place.w, place.h, flags);
  if (!state.window) throw std::runtime_error(std::string("window: ") + SDL_GetError());
  state.frame = SDL_CreateRGBSurfaceWithFormat(
      0, clientWidth * state.scale, clientHeight * state.scale, 32, SDL_PIXELFORMAT_RGB888);
  if (!state.frame) throw std::runtime_error(std::string("window: ") + SDL_GetError());
  // Getting the surface may make SDL swap in a new native window for a
  // renderer; name the window after that.
  if (!SDL_GetWindowSurface(state.window))
    throw std::runtime_error(std::string("window: ") + SDL_GetError());
  applyIcon();
  if (state.title[0]) setX11Names(state.window, state.title);
}

void present(const Canvas* top);

void showWindow(const Canvas* top) {
  if (!state.window) return;
  SDL_ShowWindow(state.window);
  present(top);
}

void present(const Canvas* top) {
  if (!state.window || !state.frame) return;
  const int scale = state.scale;
  auto* base = static_cast<uint8_t*>(state.frame->pixels);
  for (int y = 0; y < state.frame->h; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(base + size_t(y) * state.frame->pitch);
    int sy = y / scale;
    if (!top || sy >= top->height()) {
      for (int x = 0; x < state.frame->w; ++x) row[x] = ButtonFace;
      continue;
    }
    const uint32_t* src = top->pixels() + size_t(sy) * top->width();
    for (int x = 0; x < state.frame->w; ++x) {
      int sx = x / scale;
      row[x] = sx < top->width() ? src[sx] : ButtonFace;
    }
  }
  SDL_Surface* surface = SDL_GetWindowSurface(state.window);
  if (!surface) return;
  SDL_Rect at{0, 0, state.frame->w, state.frame->h};
  if (state.fullscreen) {
    // Centred on what the window really got, which the window manager may
    // have made other than the screen; the blit cuts what does not fit.
    SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, 0));
    at.x = (surface->w - state.frame->w) / 2;
    at.y = (surface->h - state.frame->h) / 2;
  }
  SDL_BlitSurface(state.frame, nullptr, surface, &at);
  SDL_UpdateWindowSurface(state.window);
}

// Returns the first character of the UTF-8 text of a text-input event, or 0
// when it is not one whole character (an input method's longer text).
uint32_t typedCharacter(const char* text) {
  const auto* b = reinterpret_cast<const unsigned char*>(text);
  if (b[0] < 0x80) return b[0] != 0 && b[1] == 0 ? b[0] : 0;
  return 0;  // the game's grid holds ASCII alone
}

// Delivers events until the window is closed; returns 0. The form presents
// its own frame after each key, so a key-down repaints nothing here. With a
// tick, waits at most as long as the tick last asked.
int run(const FormEvents& events) {
  auto top = [&events]() { return events.topSurface ? events.topSurface() : nullptr; };
  auto tick = [&events]() { return events.tick ? events.tick() : -1; };
  if (events.typed) SDL_StartTextInput();
  SDL_Event event;
  int wait = tick();  // milliseconds until the form's clock is due, or -1
  bool closeRefused = false;
  for (;;) {
    if (wait >= 0) {
      // A timeout and a failure look alike here; either way the tick is due.
      if (!SDL_WaitEventTimeout(&event, wait)) {
        wait = tick();
        continue;
      }
    } else if (!SDL_WaitEvent(&event)) {
      throw std::runtime_error(std::string("window: ") + SDL_GetError());
    }
    switch (event.type) {
      case SDL_QUIT:
        // The quit SDL adds after the last window's close was asked already.
        if (closeRefused) {
          closeRefused = false;
          break;
        }
        if (events.closing && !events.closing()) break;
        return 0;
      case SDL_KEYDOWN:
        if (events.keyDown)
          events.keyDown(virtualKeyOf(event.key.keysym.sym, event.key.keysym.scancode));
        wait = tick();
        break;
      case SDL_TEXTINPUT:
        if (events.typed) {
          if (const uint32_t c = typedCharacter(event.text.text)) events.typed(c);
          wait = tick();
        }
        break;
      case SDL_WINDOWEVENT:
        switch (event.window.event) {
          case SDL_WINDOWEVENT_CLOSE:
            if (events.closing && !events.closing()) {
              closeRefused = true;
              break;
            }
            return 0;
          case SDL_WINDOWEVENT_EXPOSED:
          case SDL_WINDOWEVENT_SHOWN:
          case SDL_WINDOWEVENT_RESTORED:
          case SDL_WINDOWEVENT_SIZE_CHANGED:
            present(top());
            break;
          default:
            break;
        }
        break;
      default:
        break;
    }
  }
}

bool showBox(const char* text, const char* caption, bool error) {
  if (!state.videoUp) return false;
  Uint32 flags = error ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION;
  const std::string shown = boxText(text, state.window);
  return SDL_ShowSimpleMessageBox(flags, caption ? caption : "", shown.c_str(), state.window) == 0;
}

int askBox(const char* text, const char* caption, const char* const* buttons, int count) {
  if (!state.videoUp || count < 1 || count > 8) return -1;
  SDL_MessageBoxButtonData data[8] = {};
  for (int k = 0; k < count; ++k) {
    data[k].buttonid = k;
    data[k].text = buttons[k];
    if (k == 0) data[k].flags |= SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
    if (k == count - 1) data[k].flags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
  }
  const std::string shown = boxText(text, state.window);
  SDL_MessageBoxData box{};
  box.flags = SDL_MESSAGEBOX_WARNING;
  box.window = state.window;
  box.title = caption ? caption : "";
  box.message = shown.c_str();
  box.numbuttons = count;
  box.buttons = data;
  int chosen = -1;
  if (SDL_ShowMessageBox(&box, &chosen) != 0) return -1;
  // The box closed without a button (its own close) is the last one.
  return chosen >= 0 && chosen < count ? chosen : count - 1;
}

void setIcon(const uint32_t* argb, int width, int height) {
  if (!argb || width <= 0 || height <= 0) return;
  state.icon.assign(argb, argb + size_t(width) * height);
  state.iconWidth = width;
  state.iconHeight = height;
  applyIcon();
}

void stop() {
  if (state.frame) SDL_FreeSurface(state.frame);
  if (state.window) SDL_DestroyWindow(state.window);
  state.frame = nullptr;
  state.window = nullptr;
  if (state.videoUp) SDL_Quit();
  state.videoUp = false;
}

class SdlWindow final : public WindowBackend {
 public:
  void start() override { sdl::start(); }
  void setTitle(const char* title) override { sdl::setTitle(title); }
  void openForm(const char* caption, int width, int height, const WindowOptions& options,
                const FormEvents& events) override {
    events_ = events;
    openWindow(caption, width, height, options.scale, options.fullscreen);
    if (events.create) events.create();
    showWindow(events.topSurface ? events.topSurface() : nullptr);
  }
  void present(const Canvas* top) override { sdl::present(top); }
  int run() override { return sdl::run(events_); }
  bool showBox(const char* text, const char* caption, bool error) override {
    return sdl::showBox(text, caption, error);
  }
  int askBox(const char* text, const char* caption, const char* const* buttons,
             int count) override {
    return sdl::askBox(text, caption, buttons, count);
  }
  void setIcon(const uint32_t* argb, int width, int height) override {
    sdl::setIcon(argb, width, height);
  }
  void stop() override { sdl::stop(); }

 private:
  FormEvents events_;
};

}  // namespace
}  // namespace platform::sdl

namespace platform::native {

WindowBackend& windowBackend() {
  static sdl::SdlWindow backend;
  return backend;
}

}  // namespace platform::native
