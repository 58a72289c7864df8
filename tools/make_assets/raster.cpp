// Drawing kit of the asset generator: painting, noise, distances, text and
// the image writers. Only this tool links libpng, libjpeg and FreeType here;
// the game itself reads the results through the platform layer.
#include "tools/make_assets/raster.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <jpeglib.h>
#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <stdexcept>

namespace assets {

Rgba mix(Rgba a, Rgba b, double t) {
  return Rgba{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t,
              a.a + (b.a - a.a) * t};
}

Rgba scale(Rgba c, double k) { return Rgba{c.r * k, c.g * k, c.b * k, c.a}; }

double clamp01(double v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }

double smoothstep(double e0, double e1, double x) {
  double t = clamp01((x - e0) / (e1 - e0));
  return t * t * (3 - 2 * t);
}

Image makeImage(int width, int height, Rgba fill) {
  Image image;
  image.width = width;
  image.height = height;
  image.px.assign(size_t(width) * height, fill);
  return image;
}

namespace {

// Lays premultiplied colour `c` (alpha c.a) over pixel p.
void over(Rgba& p, Rgba c) {
  double a = clamp01(c.a);
  double outA = a + p.a * (1 - a);
  if (outA <= 0) {
    p = Rgba{};
    return;
  }
  p.r = (c.r + p.r * p.a * (1 - a)) / outA;
  p.g = (c.g + p.g * p.a * (1 - a)) / outA;
  p.b = (c.b + p.b * p.a * (1 - a)) / outA;
  p.a = outA;
}

}  // namespace

void paint(Image& image, int x0, int y0, int w, int h, const Shader& shader, int samples) {
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      int ix = x0 + x;
      int iy = y0 + y;
      if (ix < 0 || iy < 0 || ix >= image.width || iy >= image.height) continue;
      Rgba sum;  // premultiplied
      for (int sy = 0; sy < samples; ++sy) {
        for (int sx = 0; sx < samples; ++sx) {
          Rgba c = shader(x + (sx + 0.5) / samples, y + (sy + 0.5) / samples);
          double a = clamp01(c.a);
          sum.r += c.r * a;
          sum.g += c.g * a;
          sum.b += c.b * a;
          sum.a += a;
        }
      }
      double n = samples * samples;
      over(image.at(ix, iy), Rgba{sum.r / n, sum.g / n, sum.b / n, sum.a / n});
    }
  }
}

void paintSolid(Image& image, int x0, int y0, int w, int h, const Shader& shader, int samples) {
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      int ix = x0 + x;
      int iy = y0 + y;
      if (ix < 0 || iy < 0 || ix >= image.width || iy >= image.height) continue;
      Rgba sum;
      int covered = 0;
      for (int sy = 0; sy < samples; ++sy) {
        for (int sx = 0; sx < samples; ++sx) {
          Rgba c = shader(x + (sx + 0.5) / samples, y + (sy + 0.5) / samples);
          if (c.a < 0.5) continue;
          sum.r += c.r;
          sum.g += c.g;
          sum.b += c.b;
          ++covered;
        }
      }
      if (covered * 2 < samples * samples) continue;
      image.at(ix, iy) = Rgba{sum.r / covered, sum.g / covered, sum.b / covered, 1};
    }
  }
}

void blit(Image& dst, int x, int y, const Image& src, int sx, int sy, int w, int h) {
  for (int j = 0; j < h; ++j) {
    for (int i = 0; i < w; ++i) {
      int dx = x + i;
      int dy = y + j;
      if (dx < 0 || dy < 0 || dx >= dst.width || dy >= dst.height) continue;
      Rgba c = src.at(sx + i, sy + j);
      over(dst.at(dx, dy), Rgba{c.r * c.a, c.g * c.a, c.b * c.a, c.a});
    }
  }
}

double hash01(int x, int y, int seed) {
  uint32_t h = uint32_t(x) * 374761393u + uint32_t(y) * 668265263u + uint32_t(seed) * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return (h & 0xFFFFFF) / double(0x1000000);
}

namespace {

// One octave of tileFbm: value noise on a lattice of `cells` x `cells` points.
double tileNoise(double x, double y, int cells, int seed, double period) {
  double fx = x / period * cells;
  double fy = y / period * cells;
  int ix = int(std::floor(fx));
  int iy = int(std::floor(fy));
  double tx = fx - ix;
  double ty = fy - iy;
  auto lattice = [&](int i, int j) {
    return hash01(((i % cells) + cells) % cells, ((j % cells) + cells) % cells, seed);
  };
  double sx = tx * tx * (3 - 2 * tx);
  double sy = ty * ty * (3 - 2 * ty);
  double top = lattice(ix, iy) + (lattice(ix + 1, iy) - lattice(ix, iy)) * sx;
  double bottom = lattice(ix, iy + 1) + (lattice(ix + 1, iy + 1) - lattice(ix, iy + 1)) * sx;
  return top + (bottom - top) * sy;
}

}  // namespace

double tileFbm(double x, double y, int cells, int octaves, int seed, double period) {
  double sum = 0;
  double weight = 1;
  double total = 0;
  for (int o = 0; o < octaves; ++o) {
    sum += tileNoise(x, y, cells << o, seed + 17 * o, period) * weight;
    total += weight;
    weight *= 0.5;
  }
  return sum / total;
}

double boxDistance(double x, double y, double left, double top, double right, double bottom,
                   double radius) {
  double dx = std::max(left - x, x - right);
  double dy = std::max(top - y, y - bottom);
  double qx = dx + radius;
  double qy = dy + radius;
  double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
  return outside + std::min(std::max(qx, qy), 0.0) - radius;
}

double segmentDistance(double x, double y, double ax, double ay, double bx, double by) {
  double vx = bx - ax;
  double vy = by - ay;
  double t = ((x - ax) * vx + (y - ay) * vy) / (vx * vx + vy * vy);
  t = std::clamp(t, 0.0, 1.0);
  return std::hypot(x - (ax + t * vx), y - (ay + t * vy));
}

Font::Font(const char* pattern, int pixelSize) {
  FcInit();
  FcPattern* pat = FcNameParse(reinterpret_cast<const FcChar8*>(pattern));
  FcConfigSubstitute(nullptr, pat, FcMatchPattern);
  FcDefaultSubstitute(pat);
  FcResult result;
  FcPattern* match = FcFontMatch(nullptr, pat, &result);
  FcPatternDestroy(pat);
  FcChar8* file = nullptr;
  if (!match || FcPatternGetString(match, FC_FILE, 0, &file) != FcResultMatch) {
    if (match) FcPatternDestroy(match);
    throw std::runtime_error(std::string("no font for ") + pattern);
  }
  std::string path = reinterpret_cast<const char*>(file);
  FcPatternDestroy(match);
  FT_Library lib;
  FT_Face face;
  if (FT_Init_FreeType(&lib) != 0) throw std::runtime_error("FreeType will not start");
  if (FT_New_Face(lib, path.c_str(), 0, &face) != 0) {
    FT_Done_FreeType(lib);
    throw std::runtime_error("cannot open font " + path);
  }
  FT_Set_Pixel_Sizes(face, 0, pixelSize);
  library_ = lib;
  face_ = face;
}

Font::~Font() {
  FT_Done_Face(static_cast<FT_Face>(face_));
  FT_Done_FreeType(static_cast<FT_Library>(library_));
}

int Font::ascent() const { return int(static_cast<FT_Face>(face_)->size->metrics.ascender >> 6); }

namespace {

// The pen's shift between two glyphs, in 26.6 units (0 without kerning).
long kerning(FT_Face face, FT_UInt previous, FT_UInt glyph) {
  if (!previous || !FT_HAS_KERNING(face)) return 0;
  FT_Vector kern;
  FT_Get_Kerning(face, previous, glyph, FT_KERNING_DEFAULT, &kern);
  return kern.x;
}

}  // namespace

int Font::measure(const std::string& text) const {
  FT_Face face = static_cast<FT_Face>(face_);
  long pen = 0;
  FT_UInt previous = 0;
  for (unsigned char ch : text) {
    FT_UInt glyph = FT_Get_Char_Index(face, ch);
    pen += kerning(face, previous, glyph);
    if (FT_Load_Glyph(face, glyph, FT_LOAD_DEFAULT) == 0) pen += face->glyph->advance.x;
    previous = glyph;
  }
  return int(pen >> 6);
}

void Font::draw(Image& image, double x, double y, const std::string& text, Rgba color) const {
  FT_Face face = static_cast<FT_Face>(face_);
  long pen = long(std::lround(x * 64));
  FT_UInt previous = 0;
  for (unsigned char ch : text) {
    FT_UInt glyph = FT_Get_Char_Index(face, ch);
    pen += kerning(face, previous, glyph);
    previous = glyph;
    if (FT_Load_Glyph(face, glyph, FT_LOAD_RENDER) != 0) continue;
    FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bm = slot->bitmap;
    int left = int((pen + 32) >> 6) + slot->bitmap_left;
    int top = int(std::lround(y)) - slot->bitmap_top;
    for (unsigned row = 0; row < bm.rows; ++row) {
      for (unsigned col = 0; col < bm.width; ++col) {
        int px = left + int(col);
        int py = top + int(row);
        if (px < 0 || py < 0 || px >= image.width || py >= image.height) continue;
        double cover = bm.buffer[row * bm.pitch + col] / 255.0 * color.a;
        over(image.at(px, py), Rgba{color.r * cover, color.g * cover, color.b * cover, cover});
      }
    }
    pen += slot->advance.x;
  }
}

namespace {

uint8_t toByte(double v) { return uint8_t(std::lround(clamp01(v) * 255)); }

}  // namespace

void writePng(const Image& image, const std::string& path, bool alpha) {
  int channels = alpha ? 4 : 3;
  std::vector<uint8_t> bytes(size_t(image.width) * image.height * channels);
  for (size_t i = 0; i < image.px.size(); ++i) {
    const Rgba& p = image.px[i];
    bytes[i * channels] = toByte(p.r);
    bytes[i * channels + 1] = toByte(p.g);
    bytes[i * channels + 2] = toByte(p.b);
    if (alpha) bytes[i * channels + 3] = toByte(p.a);
  }
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  png.width = uint32_t(image.width);
  png.height = uint32_t(image.height);
  png.format = alpha ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
  if (!png_image_write_to_file(&png, path.c_str(), 0, bytes.data(), 0, nullptr)) {
    throw std::runtime_error(path + ": " + png.message);
  }
}

void writeJpeg(const Image& image, const std::string& path, int quality) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) throw std::runtime_error(path + ": cannot write");
  jpeg_compress_struct cinfo;
  jpeg_error_mgr jerr;
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_compress(&cinfo);
  jpeg_stdio_dest(&cinfo, file);
  cinfo.image_width = JDIMENSION(image.width);
  cinfo.image_height = JDIMENSION(image.height);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  // Baseline, so that any decoder of the platform layer can read it.
  jpeg_set_quality(&cinfo, quality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<uint8_t> row(size_t(image.width) * 3);
  while (cinfo.next_scanline < cinfo.image_height) {
    int y = int(cinfo.next_scanline);
    for (int x = 0; x < image.width; ++x) {
      const Rgba& p = image.at(x, y);
      row[x * 3] = toByte(p.r);
      row[x * 3 + 1] = toByte(p.g);
      row[x * 3 + 2] = toByte(p.b);
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  if (std::fclose(file) != 0) throw std::runtime_error(path + ": cannot write");
}

}  // namespace assets
