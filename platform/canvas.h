// A bitmap drawing surface with the few operations the game draws with:
// brush colour and style, rectangle fill, text in a prepared font, decoded
// pictures, the clip rectangle and copying a rectangle between canvases.
// Pixels are 0x00RRGGBB, row-major. Only create() allocates.
#pragma once

#include <cstdint>
#include <vector>

namespace platform {

using Color = uint32_t;  // 0x00RRGGBB
constexpr Color ColorWhite = 0xFFFFFF;
constexpr Color ColorBlack = 0x000000;

struct Rect {
  int left, top, right, bottom;  // right and bottom exclusive
};

enum BrushStyle : uint8_t { BrushSolid, BrushClear };

// A decoded picture (the title), made at start-up.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // 0x00RRGGBB
};

struct FontFace;  // prepared glyphs of one face at one cell height (font.h)

class Canvas {
 public:
  // Allocates a width x height surface filled with white. Start-up only.
  void create(int width, int height);

  int width() const { return width_; }
  int height() const { return height_; }
  const uint32_t* pixels() const { return pixels_.data(); }
  uint32_t* pixels() { return pixels_.data(); }
  // Returns the pixel at (x, y), or 0 outside the surface.
  uint32_t pixel(int x, int y) const;

  void setBrushColor(Color c) { brushColor_ = c; }
  void setBrushStyle(BrushStyle s) { brushStyle_ = s; }

  // Fills r (clipped to the surface) with the brush colour; a clear brush
  // fills nothing. On an empty surface it costs no call, as textOut.
  void fillRect(const Rect& r) {
    if (width_ > 0) fillClipped(r);
  }

  // Selects the font `face` at cell height `height` pixels. The pair must have
  // been prepared at start-up (font.h); an unprepared pair keeps the current
  // font. Returns whether the font was found.
  bool setFont(const char* face, int height);
  // Changes only the height, keeping the face (prepared at start-up too).
  bool setFontHeight(int height);

  // Draws `length` bytes of text with the cell's top-left at (x, y) in black.
  // With a solid brush the text's cell box is filled first with the brush.
  // On an empty surface (one set aside) or without a font nothing is drawn,
  // and it costs the caller no call: a headless replay meets these on
  // every key.
  void textOut(int x, int y, const char* text, int length) {
    if (font_ && width_ > 0) drawText(x, y, text, length);
  }
  void textOut(int x, int y, const char* text);
  // Width in pixels of the text in the current font.
  int textWidth(const char* text, int length) const;

  // Draws a picture opaque with its top-left at (x, y), clipped.
  void draw(int x, int y, const Picture& picture);

  // The clip rectangle: the whole surface.
  Rect clipRect() const { return Rect{0, 0, width_, height_}; }

  // Copies srcRect of src to dstRect of this canvas (same size; clipped).
  // Between empty surfaces it costs no call, as textOut.
  void copyRect(const Rect& dstRect, const Canvas& src, const Rect& srcRect) {
    if (width_ > 0 && src.width_ > 0) copyClipped(dstRect, src, srcRect);
  }

  // Exchanges size and pixels with `other`; each keeps its own brush and
  // font. Never allocates, so a surface can be set aside and brought back
  // while the game runs.
  void swapPixels(Canvas& other);

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<uint32_t> pixels_;
  Color brushColor_ = ColorWhite;
  BrushStyle brushStyle_ = BrushSolid;
  const FontFace* font_ = nullptr;

  // The selected font's face, or the default face when none is selected.
  const char* fontFace() const;
  void fillClipped(const Rect& r);
  void drawText(int x, int y, const char* text, int length);
  void copyClipped(const Rect& dstRect, const Canvas& src, const Rect& srcRect);
};

}  // namespace platform
