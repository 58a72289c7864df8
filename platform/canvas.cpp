// Canvas drawing: rectangle fill, copies between surfaces, pictures and text
// in a prepared font. Everything here is clipped to the surface and, apart
// from create(), never allocates: these run on every key press.
#include "platform/canvas.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/media/font.h"

namespace platform {
namespace {

Rect intersect(const Rect& a, const Rect& b) {
  return Rect{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
              std::min(a.bottom, b.bottom)};
}

bool isEmpty(const Rect& r) { return r.right <= r.left || r.bottom <= r.top; }

// A copy of a w x h block from (sx, sy) of a source of size sw x sh to
// (dx, dy) of a destination of size dw x dh, trimmed so that both stay inside
// their surfaces. Returns false when nothing is left.
struct Span {
  int sx, sy, dx, dy, w, h;
};

bool clipSpan(Span* s, int sw, int sh, int dw, int dh) {
  auto trim = [](int* src, int* dst, int* len, int srcSize, int dstSize) {
    int shift = std::max(-*src, -*dst);
    if (shift > 0) {
      *src += shift;
      *dst += shift;
      *len -= shift;
    }
    *len = std::min({*len, srcSize - *src, dstSize - *dst});
  };
  trim(&s->sx, &s->dx, &s->w, sw, dw);
  trim(&s->sy, &s->dy, &s->h, sh, dh);
  return s->w > 0 && s->h > 0;
}

// Darkens a pixel towards black by glyph coverage (the text is black).
uint32_t blendBlack(uint32_t pixel, uint32_t coverage) {
  uint32_t keep = 255 - coverage;
  uint32_t r = ((pixel >> 16) & 0xFF) * keep / 255;
  uint32_t g = ((pixel >> 8) & 0xFF) * keep / 255;
  uint32_t b = (pixel & 0xFF) * keep / 255;
  return r << 16 | g << 8 | b;
}

}  // namespace

void Canvas::create(int width, int height) {
  if (width <= 0 || height <= 0) width = height = 0;
  width_ = width;
  height_ = height;
  pixels_.assign(size_t(width) * size_t(height), ColorWhite);
}

uint32_t Canvas::pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  return pixels_[size_t(y) * width_ + x];
}

void Canvas::fillClipped(const Rect& r) {
  if (brushStyle_ == BrushClear) return;
  Rect c = intersect(r, clipRect());
  if (isEmpty(c)) return;
  for (int y = c.top; y < c.bottom; ++y) {
    uint32_t* row = pixels_.data() + size_t(y) * width_;
    std::fill(row + c.left, row + c.right, brushColor_);
  }
}

bool Canvas::setFont(const char* face, int height) {
  const FontFace* found = findFont(face, height);
  if (!found) return false;
  font_ = found;
  return true;
}

bool Canvas::setFontHeight(int height) { return setFont(fontFace(), height); }

const char* Canvas::fontFace() const { return font_ ? font_->face : DefaultFontFace; }

int Canvas::textWidth(const char* text, int length) const {
  if (!font_ || !text) return 0;
  int width = 0;
  for (int i = 0; i < length; ++i) width += font_->glyphs[uint8_t(text[i])].advance;
  return width;
}

void Canvas::textOut(int x, int y, const char* text) {
  textOut(x, y, text, text ? int(std::strlen(text)) : 0);
}

void Canvas::drawText(int x, int y, const char* text, int length) {
  if (!font_ || !text || length <= 0) return;
  const FontFace& font = *font_;
  Rect box{x, y, x + textWidth(text, length), y + font.height};
  fillRect(box);  // a clear brush fills nothing

  // Glyphs stay inside the text's cell box, as the box is all a solid brush
  // cleans up behind them.
  Rect clip = intersect(box, clipRect());
  if (isEmpty(clip)) return;
  int pen = x;
  for (int i = 0; i < length; ++i) {
    const Glyph& g = font.glyphs[uint8_t(text[i])];
    Rect area =
        intersect(Rect{pen + g.left, y + g.top, pen + g.left + g.width, y + g.top + g.rows}, clip);
    int left = pen + g.left;
    for (int py = area.top; py < area.bottom; ++py) {
      const uint8_t* cover =
          font.coverage.data() + g.offset + size_t(py - y - g.top) * g.width + (area.left - left);
      uint32_t* row = pixels_.data() + size_t(py) * width_ + area.left;
      for (int i = 0; i < area.right - area.left; ++i) {
        if (cover[i]) row[i] = blendBlack(row[i], cover[i]);
      }
    }
    pen += g.advance;
  }
}

void Canvas::draw(int x, int y, const Picture& picture) {
  if (picture.width <= 0 || picture.height <= 0 ||
      picture.pixels.size() < size_t(picture.width) * size_t(picture.height))
    return;
  Span s{0, 0, x, y, picture.width, picture.height};
  if (!clipSpan(&s, picture.width, picture.height, width_, height_)) return;
  for (int row = 0; row < s.h; ++row) {
    const uint32_t* src = picture.pixels.data() + size_t(s.sy + row) * picture.width + s.sx;
    uint32_t* dst = pixels_.data() + size_t(s.dy + row) * width_ + s.dx;
    for (int col = 0; col < s.w; ++col) dst[col] = src[col] & 0xFFFFFF;
  }
}

void Canvas::copyClipped(const Rect& dstRect, const Canvas& src, const Rect& srcRect) {
  Span s{srcRect.left,
         srcRect.top,
         dstRect.left,
         dstRect.top,
         std::min(dstRect.right - dstRect.left, srcRect.right - srcRect.left),
         std::min(dstRect.bottom - dstRect.top, srcRect.bottom - srcRect.top)};
  if (!clipSpan(&s, src.width_, src.height_, width_, height_)) return;
  // Copying within one canvas: walk the rows so that none is overwritten
  // before it is read.
  bool upwards = &src == this && s.dy > s.sy;
  for (int i = 0; i < s.h; ++i) {
    int row = upwards ? s.h - 1 - i : i;
    const uint32_t* from = src.pixels_.data() + size_t(s.sy + row) * src.width_ + s.sx;
    uint32_t* to = pixels_.data() + size_t(s.dy + row) * width_ + s.dx;
    std::memmove(to, from, size_t(s.w) * sizeof(uint32_t));
  }
}

void Canvas::swapPixels(Canvas& other) {
  std::swap(width_, other.width_);
  std::swap(height_, other.height_);
  pixels_.swap(other.pixels_);
}

}  // namespace platform
