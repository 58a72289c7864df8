// The title picture: the game's name underlined at the top, a blue and white
// swirl in the middle and a button-like "Start" label below it, on pale grey.
#include <cmath>
#include <numbers>

#include "tools/make_assets/pictures.h"

namespace assets {
namespace {

constexpr int Width = 480;
constexpr int Height = 360;
constexpr double SwirlX = 240, SwirlY = 186, SwirlR = 84;

Rgba ground(double x, double y) {
  double dx = (x - Width / 2.0) / Width;
  double dy = (y - Height / 2.0) / Height;
  double light = 0.91 - 0.22 * (dx * dx + dy * dy);
  double grain = tileFbm(x, y, 16, 3, 7, 128) - 0.5;
  return rgb(light + 0.012 * grain, light + 0.012 * grain, light + 0.008 + 0.012 * grain);
}

void drawName(Image& image) {
  const std::string name = "Velmora Keep";
  int size = 60;
  while (size > 20) {
    Font probe("DejaVu Serif:bold", size);
    if (probe.measure(name) <= 404) break;
    --size;
  }
  Font font("DejaVu Serif:bold", size);
  int width = font.measure(name);
  double left = (Width - width) / 2.0;
  double baseline = 82;
  double lineTop = baseline + 10;
  const Rgba ink = rgb(0.10, 0.16, 0.38);
  const Rgba shade = Rgba{0.35, 0.36, 0.42, 0.35};
  for (int pass = 0; pass < 2; ++pass) {
    double off = pass == 0 ? 2.5 : 0;
    Rgba color = pass == 0 ? shade : ink;
    font.draw(image, left + off, baseline + off, name, color);
    paint(image, 0, 0, Width, 120, [&](double x, double y) {
      bool on = x >= left - 6 + off && x <= left + width + 6 + off && y >= lineTop + off &&
                y <= lineTop + 3.5 + off;
      return on ? color : Rgba{};
    });
  }
}

void drawSwirl(Image& image) {
  paint(image, 0, 0, Width, Height, [](double x, double y) {
    double dx = x - SwirlX, dy = y - SwirlY;
    double r = std::hypot(dx, dy) / SwirlR;
    // A soft shadow below and to the right of the disc.
    double sr = std::hypot(dx - 5, dy - 7) / SwirlR;
    Rgba shadow = Rgba{0.3, 0.32, 0.4, 0.28 * (1 - smoothstep(0.85, 1.08, sr))};
    if (r >= 1.02) return shadow;
    double theta = std::atan2(dy, dx);
    double phase = 3 * theta + 11 * std::pow(r, 0.65);
    double band = 0.5 + 0.5 * std::sin(phase);
    Rgba blue = mix(rgb(0.30, 0.55, 0.97), rgb(0.04, 0.16, 0.52), r);
    Rgba white = mix(rgb(1, 1, 1), rgb(0.84, 0.90, 0.98), r);
    Rgba c = mix(blue, white, smoothstep(0.42, 0.62, band));
    // A thin bright edge on the leading side of each white arm.
    double leading = std::sin(phase + 0.55);
    c = mix(c, rgb(1, 1, 1), 0.35 * smoothstep(0.9, 1.0, leading) * (1 - r));
    c = mix(c, rgb(1, 1, 1), std::exp(-std::pow(r / 0.1, 2)));
    // Rim: a darker blue ring that closes the disc.
    c = mix(c, rgb(0.05, 0.14, 0.45), smoothstep(0.93, 0.97, r));
    double alpha = 1 - smoothstep(0.99, 1.02, r);
    Rgba out = mix(shadow, c, alpha);
    out.a = std::max(shadow.a, alpha);
    return out;
  });
}

void drawStartLabel(Image& image) {
  constexpr double Cx = 240, Cy = 314, W = 136, H = 40;
  const double left = Cx - W / 2, right = Cx + W / 2, top = Cy - H / 2, bottom = Cy + H / 2;
  paint(image, 0, 250, Width, Height - 250, [&](double x, double py) {
    double y = py + 250;
    // Outer frame, a gap of ground, then the raised face.
    double frame = boxDistance(x, y, left - 6, top - 6, right + 6, bottom + 6, 3);
    if (std::fabs(frame + 0.75) < 0.75) return rgb(0.30, 0.32, 0.40);
    if (frame > 0 || boxDistance(x, y, left, top, right, bottom, 0) > 0) {
      double s = boxDistance(x - 3, y - 3, left, top, right, bottom, 2);
      return Rgba{0.2, 0.2, 0.25, 0.25 * (1 - smoothstep(-1, 2.5, s))};
    }
    double toLeft = x - left, toTop = y - top, toRight = right - x, toBottom = bottom - y;
    if (std::min(std::min(toLeft, toTop), std::min(toRight, toBottom)) < 1) return rgb(0, 0, 0);
    if (toRight < 3 || toBottom < 3) return rgb(0.50, 0.50, 0.54);
    if (toLeft < 3 || toTop < 3) return rgb(1, 1, 1);
    return mix(rgb(0.95, 0.95, 0.96), rgb(0.84, 0.85, 0.88), (y - top) / H);
  });
  Font font("DejaVu Serif", 22);
  std::string word = "Start";
  double capHeight = 22 * 0.73;
  font.draw(image, Cx - font.measure(word) / 2.0, Cy + capHeight / 2, word, rgb(0.08, 0.08, 0.12));
}

}  // namespace

Image makeTitle() {
  Image image = makeImage(Width, Height, rgb(0.88, 0.88, 0.88));
  paint(image, 0, 0, Width, Height, ground, 1);
  drawSwirl(image);
  drawName(image);
  drawStartLabel(image);
  // A thin edge, so the picture sits neatly on the game's white surface.
  paint(
      image, 0, 0, Width, Height,
      [](double x, double y) {
        bool edge = x < 1 || y < 1 || x > Width - 1 || y > Height - 1;
        return edge ? rgb(0.62, 0.63, 0.66) : Rgba{};
      },
      1);
  return image;
}

}  // namespace assets
