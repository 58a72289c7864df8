// The sprite sheet (the leader, the other charas, the command-entry separator
// and the grid cursor rings) and the window icon. Sprites are drawn through a
// one-bit mask, so every pixel is either fully opaque or fully clear.
#include <cmath>
#include <functional>

#include "tools/make_assets/pictures.h"

namespace assets {
namespace {

using Inside = std::function<bool(double x, double y)>;

// A shape filled by `fill` with a black rim `width` pixels wide around it.
Shader outlined(const Inside& inside, const Shader& fill, double width) {
  return [=](double x, double y) {
    if (inside(x, y)) return fill(x, y);
    for (int i = 0; i < 16; ++i) {
      double a = i * 3.14159265358979 / 8;
      for (double r : {width, width * 0.5}) {
        if (inside(x + r * std::cos(a), y + r * std::sin(a))) return rgb(0, 0, 0);
      }
    }
    return Rgba{};
  };
}

// The leader: a square frame with a spoke from each of its corners to the
// corner of the cell, as if looking down a shaft. Light grey with a black rim
// stands out on sand, grass and water alike.
void drawLeader(Image& sheet, int x0) {
  auto core = [](double x, double y) {
    return leaderDistance(x, y, LeaderFrameHalf, LeaderSpokeHalf);
  };
  auto inside = [=](double x, double y) { return core(x, y) < 0; };
  auto fill = [=](double x, double y) {
    // A lighter upper-left half of each stroke gives it some relief.
    double lit = core(x + 0.9, y + 0.9) - core(x, y);
    return lit > 0.3 ? rgb(0.86, 0.86, 0.86) : rgb(0.64, 0.64, 0.66);
  };
  paintSolid(sheet, x0, 0, TileSide, TileSide, outlined(inside, fill, 1.4));
}

// A bow: two flared wings either side of a knot, white with a black rim,
// 58 x 45 pixels overall. `tint` colours the variants.
void drawBow(Image& sheet, int x0, Rgba tint, double knotWidth, double flare) {
  constexpr double Cx = 32, Cy = 32, Reach = 25.5, Height = 22;
  auto halfHeight = [=](double ax) {
    double t = std::max(0.0, (ax - 3) / (Reach - 3));
    return 5.5 + (Height - 5.5) * std::pow(t, flare);
  };
  auto wing = [=](double x, double y) {
    double ax = std::fabs(x - Cx);
    double dy = y - Cy;
    // The wing's outer end bulges out a little, its middle is pinched.
    double tip = Reach - 3.5 * (dy / Height) * (dy / Height) + 1.5;
    return ax <= tip && std::fabs(dy) <= halfHeight(ax);
  };
  auto knot = [=](double x, double y) {
    double u = (x - Cx) / knotWidth, v = (y - Cy) / 9.0;
    return u * u + v * v <= 1;
  };
  auto inside = [=](double x, double y) { return wing(x, y) || knot(x, y); };
  auto fill = [=](double x, double y) {
    double u = (x - Cx) / knotWidth, v = (y - Cy) / 9.0;
    double k = std::sqrt(u * u + v * v);
    if (k <= 1) {
      if (k > 0.78) return rgb(0, 0, 0);  // the knot's own rim
      return mix(tint, rgb(1, 1, 1), 0.5);
    }
    // The wing is gathered into the knot, so it darkens towards it.
    double ax = std::fabs(x - Cx);
    return scale(tint, 0.78 + 0.22 * std::min(1.0, (ax - knotWidth) / 9));
  };
  paintSolid(sheet, x0, 0, TileSide, TileSide, outlined(inside, fill, 2.0));
}

// Three pixel rows of dashes: black, grey, white, grey, four pixels each, so
// the pattern runs on unbroken from one image to the next.
void drawSeparator(Image& sheet, int x0) {
  const Rgba dash[4] = {rgb(0, 0, 0), rgb(0.5, 0.5, 0.5), rgb(1, 1, 1), rgb(0.5, 0.5, 0.5)};
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < TileSide; ++x) sheet.at(x0 + x, y) = dash[(x / 4) % 4];
  }
}

// The cursor ring, 38 pixels across in the image's top-left corner. The
// grey and the white one share one shape, so the white erases the grey.
void drawRing(Image& sheet, int x0, Rgba color) {
  paintSolid(sheet, x0, 0, TileSide, TileSide, [=](double x, double y) {
    double r = std::hypot(x - 19, y - 19);
    return (r <= 19 && r >= 15.8) ? color : Rgba{};
  });
}

}  // namespace

double leaderDistance(double x, double y, double frameHalf, double spokeHalf) {
  constexpr double Lo = 20, Hi = 44;
  double frame = std::fabs(boxDistance(x, y, Lo, Lo, Hi, Hi, 0)) - frameHalf;
  double spokes =
      std::min(
          std::min(segmentDistance(x, y, Lo, Lo, 0, 0), segmentDistance(x, y, Hi, Lo, 64, 0)),
          std::min(segmentDistance(x, y, Lo, Hi, 0, 64), segmentDistance(x, y, Hi, Hi, 64, 64))) -
      spokeHalf;
  return std::min(frame, spokes);
}

Image makeCharaSheet() {
  Image sheet = makeImage(TileSide * SpritesPerSheet, TileSide, Rgba{});
  drawLeader(sheet, 0);
  drawBow(sheet, 1 * TileSide, rgb(1, 1, 1), 6, 0.85);
  drawBow(sheet, 2 * TileSide, rgb(1.0, 0.84, 0.84), 7, 0.7);
  drawBow(sheet, 3 * TileSide, rgb(0.84, 1.0, 0.86), 5.5, 1.0);
  drawBow(sheet, 4 * TileSide, rgb(0.84, 0.9, 1.0), 6.5, 0.8);
  drawSeparator(sheet, 5 * TileSide);
  drawRing(sheet, 6 * TileSide, rgb(0.5, 0.5, 0.5));
  drawRing(sheet, 7 * TileSide, rgb(1, 1, 1));
  return sheet;
}

Image makeIcon(const Image& parts1, const Image& chara) {
  Image icon = makeImage(TileSide, TileSide, Rgba{});
  blit(icon, 0, 0, parts1, 1 * TileSide, 0, TileSide, TileSide);
  blit(icon, 0, 0, chara, 0, 0, TileSide, TileSide);
  // Rounded corners, soft at the edge: the icon is seen small.
  for (int y = 0; y < TileSide; ++y) {
    for (int x = 0; x < TileSide; ++x) {
      double d = boxDistance(x + 0.5, y + 0.5, 0, 0, TileSide, TileSide, 10);
      icon.at(x, y).a *= clamp01(0.5 - d);
    }
  }
  return icon;
}

}  // namespace assets
