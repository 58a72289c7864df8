// The browser backend of the application object: the form's picture on the
// page's 576 x 464 canvas, key-downs from the page, the caption as the page's
// title, and the closed screen when the player ends the game. The page itself
// (web/index.html) enlarges the canvas and hosts the message box.
#include "platform/web/browser_window.h"

#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <cstdio>
#include <vector>

#include "platform/application.h"
#include "platform/font.h"
#include "platform/headless.h"
#include "platform/web/dom_keys.h"

// clang-format off
EM_JS(void, pagePutFrame, (const uint8_t* rgba, int width, int height), {
  // Made once: the memory cannot grow, so the view of the frame stays valid,
  // and a key press creates no object on either side.
  if (!Module.frame) {
    Module.frameContext = document.getElementById('screen').getContext('2d');
    Module.frame = Module.frameContext.createImageData(width, height);
    Module.frameBytes = HEAPU8.subarray(rgba, rgba + width * height * 4);
  }
  Module.frame.data.set(Module.frameBytes);
  Module.frameContext.putImageData(Module.frame, 0, 0);
  // The first frame is the title: the moment the page is ready to play.
  if (!window.velmoraReady) window.velmoraReady = performance.now();
  // The page's words panel reads the records once the key is done.
  if (window.velmoraPage) velmoraPage.frameShown();
});

EM_JS(void, pageSetTitle, (const char* title), { document.title = UTF8ToString(title); });

EM_JS(void, pageShowBox, (const char* text, const char* caption), {
  velmoraPage.showBox(UTF8ToString(text), UTF8ToString(caption));
});

EM_JS(void, pageHideBox, (), { velmoraPage.hideBox(); });

EM_JS(void, pageShowClosed, (), { velmoraPage.showClosed(); });

EM_JS(void, pageShowError, (const char* text), { velmoraPage.showError(UTF8ToString(text)); });
// clang-format on

namespace platform {
namespace {

constexpr int ViewWidth = 576;  // the client area the player sees
constexpr int ViewHeight = 464;
// Keys reach the game only while its screen has the focus, so that Enter,
// Space and Tab on the page's own buttons stay theirs.
constexpr const char* KeyTarget = "#screen";

struct Page {
  FormEvents events;
  std::vector<uint8_t> frame;  // ViewWidth x ViewHeight, RGBA, made once
  bool open = false;           // the game is on the page and takes keys
  bool boxOpen = false;
};
Page page;

bool closesBox(uint16_t vk) { return vk == 13 || vk == 27 || vk == 32; }

// Keys whose browser default (scrolling, focus moves, going back) would take
// the page away from the game.
bool pageWouldUse(uint16_t vk) {
  return vk == 8 || vk == 9 || vk == 13 || vk == 32 || (vk >= 33 && vk <= 40);
}

EM_BOOL onKeyDown(int, const EmscriptenKeyboardEvent* event, void*) {
  if (!page.open) return EM_FALSE;
  // Browser shortcuts (reload, zoom, tabs) stay the browser's.
  if (event->ctrlKey || event->metaKey || event->altKey) return EM_FALSE;
  const uint16_t vk = virtualKeyOfDom(event->key, event->code);
  if (page.boxOpen) {
    // The box is modal: the game sees nothing until it is closed.
    if (closesBox(vk)) browser::closeBox();
    return EM_TRUE;
  }
  if (page.events.keyDown) page.events.keyDown(vk);
  return pageWouldUse(vk) ? EM_TRUE : EM_FALSE;
}

}  // namespace

namespace browser {

void closeBox() {
  page.boxOpen = false;
  pageHideBox();
}

void showBox(const char* text, const char* caption) {
  page.boxOpen = true;
  pageShowBox(text ? text : "", caption ? caption : "");
}

}  // namespace browser

TApplication Application;

void TApplication::initialize(Backend backend, const WindowOptions& options) {
  options_ = options;
  initFonts();
  backend_ = backend;
}

void TApplication::setTitle(const char* title) {
  std::snprintf(title_, sizeof title_, "%s", title ? title : "");
}

void TApplication::createForm(const char* caption, int, int, const FormEvents& events) {
  events_ = events;
  if (backend_ == Backend::Headless) {
    headless::createForm(events_);
    return;
  }
  page.events = events;
  page.frame.assign(size_t(ViewWidth) * ViewHeight * 4, 255);
  pageSetTitle(caption ? caption : "");
  emscripten_set_keydown_callback(KeyTarget, nullptr, EM_FALSE, onKeyDown);
  page.open = true;
  if (events_.create) events_.create();
  present();
}

// The page lives on after main returns; key-downs arrive by callback.
int TApplication::run() { return 0; }

bool TApplication::showException(const char* message) {
  const bool onPage = backend_ == Backend::Window;
  if (onPage) pageShowError(message ? message : "");
  headless::showError(message);
  return onPage;
}

void TApplication::present() {
  if (backend_ != Backend::Window || !page.open || !events_.topSurface) return;
  const Canvas* surface = events_.topSurface();
  if (!surface || surface->width() < ViewWidth || surface->height() < ViewHeight) return;
  uint8_t* out = page.frame.data();
  for (int y = 0; y < ViewHeight; ++y) {
    const uint32_t* row = surface->pixels() + size_t(y) * surface->width();
    for (int x = 0; x < ViewWidth; ++x, out += 4) {
      out[0] = uint8_t(row[x] >> 16);
      out[1] = uint8_t(row[x] >> 8);
      out[2] = uint8_t(row[x]);
    }
  }
  pagePutFrame(page.frame.data(), ViewWidth, ViewHeight);
}

// The page shows its own icon (none); the game's icon is for desktops.
void TApplication::setWindowIcon(const uint32_t*, int, int) {}

void TApplication::shutdown() {
  if (page.open) {
    emscripten_set_keydown_callback(KeyTarget, nullptr, EM_FALSE, nullptr);
    page.open = false;
    page.boxOpen = false;
    pageShowClosed();
  }
  shutdownFonts();
  backend_ = Backend::Headless;
}

}  // namespace platform

// Called by the page when the player closes the box with its OK button.
extern "C" EMSCRIPTEN_KEEPALIVE void velmora_box_closed() { platform::browser::closeBox(); }
