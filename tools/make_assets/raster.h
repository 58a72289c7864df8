// Drawing kit of the asset generator: a float RGBA image, supersampled
// painting from per-point shaders, tileable noise, signed distances, text
// through FreeType, and the PNG and JPEG writers.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace assets {

struct Rgba {
  double r = 0, g = 0, b = 0, a = 0;
};

inline Rgba rgb(double r, double g, double b) { return Rgba{r, g, b, 1}; }
inline Rgba withAlpha(Rgba c, double a) { return Rgba{c.r, c.g, c.b, a}; }
Rgba mix(Rgba a, Rgba b, double t);
Rgba scale(Rgba c, double k);  // multiplies the colour, keeps alpha
double clamp01(double v);
double smoothstep(double e0, double e1, double x);

struct Image {
  int width = 0;
  int height = 0;
  std::vector<Rgba> px;
  Rgba& at(int x, int y) { return px[size_t(y) * width + x]; }
  const Rgba& at(int x, int y) const { return px[size_t(y) * width + x]; }
};

Image makeImage(int width, int height, Rgba fill);

// Colour at a point of a rectangle, in the rectangle's own pixel coordinates
// (the centre of its top-left pixel is 0.5, 0.5).
using Shader = std::function<Rgba(double x, double y)>;

// Averages `samples` x `samples` shader points in each pixel of the rectangle
// at (x0, y0) and lays the result over what is there.
void paint(Image& image, int x0, int y0, int w, int h, const Shader& shader, int samples = 4);

// Like paint, but the result is either fully opaque or fully clear: a pixel
// whose covered share is at least half takes the average colour of its covered
// points. Sprites are drawn through a one-bit mask, so soft edges would be lost.
void paintSolid(Image& image, int x0, int y0, int w, int h, const Shader& shader, int samples = 4);

// Copies a rectangle of `src` into `dst` at (x, y), laid over what is there.
void blit(Image& dst, int x, int y, const Image& src, int sx, int sy, int w, int h);

// Value noise in 0..1 that repeats every `period` pixels in x and y: octaves
// of lattice noise from `cells` x `cells` points upward, summed and normalised,
// so that tiles drawn with it join seamlessly.
double tileFbm(double x, double y, int cells, int octaves, int seed, double period = 64);
// A repeatable pseudo-random value in 0..1 for integer inputs.
double hash01(int x, int y, int seed);

// Signed distance to a box (negative inside) whose sides lie at left, top,
// right, bottom; corners are rounded by `radius`. A side beyond the drawing
// (e.g. -1e6) leaves the box open that way.
double boxDistance(double x, double y, double left, double top, double right, double bottom,
                   double radius);
// Distance from a point to the segment a-b.
double segmentDistance(double x, double y, double ax, double ay, double bx, double by);

// Text through FreeType. `pattern` is a fontconfig pattern such as
// "DejaVu Serif:bold". Throws std::runtime_error when no font is found.
class Font {
 public:
  Font(const char* pattern, int pixelSize);
  ~Font();
  Font(const Font&) = delete;
  Font& operator=(const Font&) = delete;
  // Advance width of the text in pixels.
  int measure(const std::string& text) const;
  // Ascender above the baseline, in pixels.
  int ascent() const;
  // Lays the text's coverage, tinted `color`, with its baseline start at (x, y).
  void draw(Image& image, double x, double y, const std::string& text, Rgba color) const;

 private:
  void* library_ = nullptr;
  void* face_ = nullptr;
};

// Writers; each throws std::runtime_error on failure. A PNG is written as RGB
// when `alpha` is false (every pixel opaque), else as RGBA.
void writePng(const Image& image, const std::string& path, bool alpha);
void writeJpeg(const Image& image, const std::string& path, int quality);

}  // namespace assets
