// The desktop message box's text. SDL draws the box itself (through zenity,
// which it asks not to wrap, or with its own X11 box, which cannot), in a
// font that is not ours and that it does not tell: so the text is wrapped to
// a column count derived from the display's usable width, with a column of
// 10 pixels and a row of 20. That covers the 11 to 12 point fonts those boxes
// use up to 120 dpi, where a Latin letter takes at most 10 pixels and a
// Japanese character (two columns) 20.
#include "platform/sdl_box_text.h"

#include <SDL.h>

#include <algorithm>

#include "platform/text_wrap.h"

namespace platform::sdl {
namespace {

constexpr int ColumnPixels = 10;
constexpr int RowPixels = 20;
// The box's frame, icon and padding beside the text; its caption, OK button
// and padding above and below it.
constexpr int SidePixels = 120;
constexpr int EndPixels = 140;
// A box no wider than a comfortable line, however wide the screen.
constexpr int MostColumns = 64;
constexpr int FewestColumns = 16;

}  // namespace

std::string boxText(const char* text, SDL_Window* window) {
  int display = window ? SDL_GetWindowDisplayIndex(window) : 0;
  if (display < 0) display = 0;
  SDL_Rect usable{0, 0, 640, 480};  // the smallest screen, when SDL cannot say
  if (SDL_GetDisplayUsableBounds(display, &usable) != 0 || usable.w <= 0 || usable.h <= 0) {
    usable = {0, 0, 640, 480};
  }
  const int columns =
      std::clamp((usable.w - SidePixels) / ColumnPixels, FewestColumns, MostColumns);
  const int rows = std::max(2, (usable.h - EndPixels) / RowPixels);
  return keepLines(wrapText(text ? text : "", columns), rows);
}

}  // namespace platform::sdl
