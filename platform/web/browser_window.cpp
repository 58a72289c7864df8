// The browser backend (backend.h): the form's picture on the page's canvas,
// sized to the form's view, key-downs from the page, the caption as the
// page's title, the message box on the page and the closed screen when the
// player ends the game. The page itself (web/index.html) enlarges the canvas
// and hosts the boxes.
#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/canvas.h"
#include "platform/key_codes.h"
#include "platform/text_wrap.h"
#include "platform/web/dom_keys.h"

// clang-format off
EM_JS(void, pageOpen, (int width, int height, const char* title), {
  // The canvas takes the view's size from the game; the page lays it out anew.
  var screen = document.getElementById('screen');
  screen.width = width;
  screen.height = height;
  screen.style.visibility = '';
  document.title = UTF8ToString(title);
  dispatchEvent(new Event('resize'));
});

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

// Widths in 64ths of a CSS pixel: the room for a line of the box, and one
// character in the box's font.
// clang-format off
EM_JS(int, pageBoxLineWidth, (), { return velmoraPage.boxLineWidth(); });
EM_JS(int, pageBoxCharWidth, (uint32_t code), { return velmoraPage.boxCharWidth(code); });
// clang-format on

EM_JS(void, pageShowBox, (const char* text, const char* caption),
      { velmoraPage.showBox(UTF8ToString(text), UTF8ToString(caption)); });

EM_JS(void, pageHideBox, (), { velmoraPage.hideBox(); });

EM_JS(void, pageShowClosed, (), { velmoraPage.showClosed(); });

EM_JS(void, pageShowError, (const char* text), { velmoraPage.showError(UTF8ToString(text)); });
// clang-format on

namespace platform {
namespace {

// Keys reach the game only while its screen has the focus, so that Enter,
// Space and Tab on the page's own buttons stay theirs.
constexpr const char* KeyTarget = "#screen";

struct Page {
  FormEvents events;
  int width = 0;  // the view, as the form asked for it
  int height = 0;
  std::vector<uint8_t> frame;  // width x height, RGBA, made once
  bool open = false;           // the game is on the page and takes keys
  bool boxOpen = false;
  bool stepDue = false;  // a walk's next step is waiting on a timer
};
Page page;

// Hides the page's message box (OK, Enter, Space or Escape).
void closeBox() {
  page.boxOpen = false;
  pageHideBox();
}

bool closesBox(uint16_t vk) { return vk == KeyEnter || vk == KeyEscape || vk == KeySpace; }

// Keys whose browser default (scrolling, focus moves, going back) would take
// the page away from the game.
bool pageWouldUse(uint16_t vk) {
  return vk == KeyBack || vk == KeyTab || vk == KeyEnter || vk == KeySpace ||
         (vk >= KeyPageUp && vk <= KeyDown);
}

// The form's next step of a walk (FormEvents::tick): milliseconds until the
// one after it, or -1.
int stepOnce() { return page.events.tick ? page.events.tick() : -1; }

// Takes the walk's next step after `wait` milliseconds, unless a step is due
// already; each step is then a frame the browser paints.
void walkLater(int wait) {
  if (wait < 0 || page.stepDue) return;
  page.stepDue = true;
  emscripten_set_timeout(
      [](void*) {
        page.stepDue = false;
        if (page.open) walkLater(stepOnce());
      },
      wait, nullptr);
}

EM_BOOL onKeyDown(int, const EmscriptenKeyboardEvent* event, void*) {
  if (!page.open) return EM_FALSE;
  // Browser shortcuts (reload, zoom, tabs) stay the browser's.
  if (event->ctrlKey || event->metaKey || event->altKey) return EM_FALSE;
  const uint16_t vk = virtualKeyOfDom(event->key, event->code);
  if (page.boxOpen) {
    // The box is modal: the game sees nothing until it is closed.
    if (closesBox(vk)) closeBox();
    return EM_TRUE;
  }
  if (page.events.keyDown) page.events.keyDown(vk);
  // What the key types, when that is one character of the grid's (ASCII);
  // the key's name otherwise ("Backspace", "ArrowUp").
  const auto* typed = reinterpret_cast<const unsigned char*>(event->key);
  const bool types = typed[0] >= 0x20 && typed[0] < 0x7F && typed[1] == '\0';
  if (types && page.events.typed) page.events.typed(typed[0]);
  walkLater(stepOnce());
  // A typed character of the game's is the game's, not the page's (the
  // slash and the quote would open the browser's quick find).
  return pageWouldUse(vk) || (types && page.events.typed) ? EM_TRUE : EM_FALSE;
}

class BrowserPage final : public WindowBackend {
 public:
  void start() override {}
  // The page's title is the form's caption, set when the form opens.
  void setTitle(const char*) override {}

  void openForm(const char* caption, int width, int height, const WindowOptions&,
                const FormEvents& events) override {
    page.events = events;
    page.width = width;
    page.height = height;
    page.frame.assign(size_t(width) * height * 4, 255);
    pageOpen(width, height, caption);
    emscripten_set_keydown_callback(KeyTarget, nullptr, EM_FALSE, onKeyDown);
    page.open = true;
    if (events.create) events.create();
    present(events.topSurface ? events.topSurface() : nullptr);
  }

  void present(const Canvas* surface) override {
    if (!page.open || !surface || surface->width() < page.width || surface->height() < page.height)
      return;
    uint8_t* out = page.frame.data();
    for (int y = 0; y < page.height; ++y) {
      const uint32_t* row = surface->pixels() + size_t(y) * surface->width();
      for (int x = 0; x < page.width; ++x, out += 4) {
        out[0] = uint8_t(row[x] >> 16);
        out[1] = uint8_t(row[x] >> 8);
        out[2] = uint8_t(row[x]);
      }
    }
    pagePutFrame(page.frame.data(), page.width, page.height);
  }

  // The page lives on after main returns; key-downs arrive by callback.
  int run() override { return 0; }

  // The page's box holds the game's keys until it is closed; the game goes
  // on at once, as nothing it does afterwards depends on the box. A failure
  // also goes to the console.
  // The page asks before leaving with the browser's own prompt, not a box.
  int askBox(const char*, const char*, const char* const*, int) override { return -1; }
  bool showBox(const char* text, const char* caption, bool error) override {
    if (error) {
      pageShowError(text);
      std::fprintf(stderr, "%s\n", text);
      return true;
    }
    page.boxOpen = true;
    // Wrapped here, measured in the box's own font, with the desktop box's
    // line breaking; the page's style wraps it again should the window narrow.
    const std::string shown = wrapText(text ? text : "", pageBoxLineWidth(),
                                       [](uint32_t code) { return pageBoxCharWidth(code); });
    pageShowBox(shown.c_str(), caption);
    return true;
  }

  // The page shows its own icon (none); the game's icon is for desktops.
  void setIcon(const uint32_t*, int, int) override {}

  void stop() override {
    if (!page.open) return;
    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE, nullptr);
    page.open = false;
    page.boxOpen = false;
    pageShowClosed();
  }
};

}  // namespace

WindowBackend& windowBackend() {
  static BrowserPage backend;
  return backend;
}

}  // namespace platform

// Called by the page when the player closes the box with its OK button.
extern "C" EMSCRIPTEN_KEEPALIVE void velmora_box_closed() { platform::closeBox(); }

// Called by the page for a touch key pressed while the box is open: the keys
// that close it from the keyboard close it from the screen too.
extern "C" EMSCRIPTEN_KEEPALIVE void velmora_box_key(int key) {
  if (platform::closesBox(uint16_t(key))) platform::closeBox();
}
