// The three tile sheets. In worlds 1 and 2 codes 1 to 9 are the nine pieces of
// one wall block (corners, edges and the interior, in reading order); a piece
// shows a strip of floor on each open side, so neighbouring pieces of the
// mazes join into continuous walls. World 3's walls are stones in water.
// All textures repeat every 64 pixels, so equal surfaces meet without seams.
#include <cmath>
#include <numbers>

#include "tools/make_assets/pictures.h"

namespace assets {
namespace {

constexpr double Pi = std::numbers::pi;
constexpr double Far = 1e4;

// The wall area of piece `code` (1..9): a box open (reaching past the tile)
// on the sides where the block goes on, inset by `margin` on the others.
struct PieceBox {
  double left, top, right, bottom;
};

PieceBox pieceBox(int code, double margin) {
  int col = (code - 1) % 3;
  int row = (code - 1) / 3;
  return PieceBox{col == 0 ? margin : -Far, row == 0 ? margin : -Far,
                  col == 2 ? TileSide - margin : TileSide + Far,
                  row == 2 ? TileSide - margin : TileSide + Far};
}

double pieceDistance(const PieceBox& b, double x, double y, double radius) {
  return boxDistance(x, y, b.left, b.top, b.right, b.bottom, radius);
}

// ---- world 1: sand and dark rock ----------------------------------------------

Rgba sand(double x, double y) {
  double n = tileFbm(x, y, 4, 4, 11);
  Rgba c = scale(rgb(0.84, 0.76, 0.58), 0.9 + 0.18 * n);
  // Scattered pebbles, one chance per 8-pixel cell, kept inside their cell.
  int cx = int(std::floor(x / 8));
  int cy = int(std::floor(y / 8));
  double roll = hash01(cx & 7, cy & 7, 3);
  if (roll < 0.45) {
    double px = cx * 8 + 2 + 4 * hash01(cx & 7, cy & 7, 4);
    double py = cy * 8 + 2 + 4 * hash01(cx & 7, cy & 7, 5);
    double r = 0.7 + 0.8 * hash01(cx & 7, cy & 7, 6);
    double d = std::hypot(x - px, y - py);
    if (d < r) c = scale(c, roll < 0.25 ? 0.78 : 1.1);
  }
  return c;
}

Rgba rockPiece(int code, double x, double y) {
  PieceBox box = pieceBox(code, 12);
  auto dist = [&](double px, double py) {
    return pieceDistance(box, px, py, 20) + 4.0 * (tileFbm(px, py, 8, 2, 5) - 0.5);
  };
  double d = dist(x, y);
  if (d > 0) {
    // A little shade on the sand at the foot of the rock; gone before the
    // tile's edge so plain floor continues it.
    return scale(sand(x, y), 0.62 + 0.38 * smoothstep(0, 7, d));
  }
  double depth = -d;
  double n = tileFbm(x, y, 8, 4, 23);
  Rgba c = scale(rgb(0.33, 0.31, 0.30), 0.8 + 0.38 * n);
  double ridge = 1 - std::fabs(2 * tileFbm(x, y, 8, 2, 31) - 1);
  c = scale(c, 1 - 0.2 * smoothstep(0.9, 0.98, ridge));
  double gx = dist(x + 0.5, y) - dist(x - 0.5, y);
  double gy = dist(x, y + 0.5) - dist(x, y - 0.5);
  double glen = std::hypot(gx, gy);
  if (glen > 1e-6) {
    double lit = (gx * -0.6 + gy * -0.8) / glen;
    double edge = 1 - smoothstep(0, 10, depth);
    c = scale(c, 1 + 0.75 * lit * edge);
  }
  if (depth < 1.4) c = rgb(0.1, 0.09, 0.09);
  return c;
}

// ---- world 2: grass and raised slabs ------------------------------------------------

Rgba grass(double x, double y) {
  double n = tileFbm(x, y, 8, 4, 51);
  Rgba c = mix(rgb(0.52, 0.66, 0.36), rgb(0.70, 0.80, 0.48), n);
  // Fine speckle of lighter and darker blades, one roll per pixel.
  double roll = hash01(int(x) & 63, int(y) & 63, 52);
  if (roll > 0.88) c = scale(c, 0.9);
  if (roll < 0.06) c = scale(c, 1.08);
  return c;
}

constexpr double SlabMargin = 12;

Rgba slabPiece(int code, double x, double y) {
  PieceBox box = pieceBox(code, SlabMargin);
  double d = pieceDistance(box, x, y, 4);
  if (d > 0) {
    double ds = pieceDistance(box, x - 7, y - 7, 4);
    double shade = 1 - smoothstep(-1.5, 3.0, ds);
    return scale(grass(x, y), 1 - 0.42 * shade);
  }
  // Each tile is one slab; where the block goes on, neighbouring slabs meet
  // at the tile's edge with their own bevels.
  double left = box.left > 0 ? box.left : 0;
  double top = box.top > 0 ? box.top : 0;
  double right = box.right < TileSide ? box.right : TileSide;
  double bottom = box.bottom < TileSide ? box.bottom : TileSide;
  double n = tileFbm(x, y, 4, 4, 61);
  double fleck = hash01(int(x * 2) & 127, int(y * 2) & 127, 62);
  Rgba c = scale(rgb(0.74, 0.73, 0.70), 0.86 + 0.24 * n + (fleck > 0.93 ? -0.1 : 0));
  double toLeft = x - left, toTop = y - top, toRight = right - x, toBottom = bottom - y;
  double nearest = std::min(std::min(toLeft, toTop), std::min(toRight, toBottom));
  constexpr double Bevel = 4.5;
  if (nearest < Bevel) {
    bool lightSide = nearest == toLeft || nearest == toTop;
    c = scale(c, lightSide ? 1.22 : 0.68);
  }
  if (nearest < 0.8) c = scale(c, 0.6);
  if (-d < 1.0) c = rgb(0.2, 0.2, 0.22);
  return c;
}

// ---- world 3: water and stones ------------------------------------------------------

Rgba water(double x, double y) {
  double n = tileFbm(x, y, 4, 3, 41);
  Rgba c = mix(rgb(0.13, 0.36, 0.60), rgb(0.22, 0.50, 0.74), n);
  double warp = 2 * Pi * tileFbm(x, y, 2, 2, 43);
  double w1 = std::sin(2 * Pi * (x + 2 * y) / TileSide + 1.6 * warp);
  double w2 = std::sin(2 * Pi * (3 * x - y) / TileSide + 1.2 * warp + 1.0);
  c = mix(c, rgb(0.62, 0.82, 0.96), 0.35 * smoothstep(0.86, 0.99, w1));
  c = mix(c, rgb(0.55, 0.76, 0.92), 0.2 * smoothstep(0.9, 0.99, w2));
  return c;
}

enum StonePattern { Speckled, Banded, Mossy, Smooth, Veined };

struct Stone {
  double cx, cy, rx, ry;
  Rgba color;
  Rgba accent;
  StonePattern pattern;
  int seed;
};

// Index = tile code; code 5, also drawn beyond the map, is the plain grey one.
const Stone Stones[10] = {
    {},
    {32, 32, 24, 22, rgb(0.62, 0.40, 0.32), rgb(0.45, 0.26, 0.20), Banded, 101},
    {31, 33, 22, 21, rgb(0.78, 0.74, 0.64), rgb(0.35, 0.32, 0.30), Speckled, 102},
    {33, 31, 25, 24, rgb(0.46, 0.50, 0.44), rgb(0.36, 0.56, 0.24), Mossy, 103},
    {32, 32, 21, 23, rgb(0.30, 0.30, 0.34), rgb(0.70, 0.70, 0.74), Veined, 104},
    {32, 32, 25, 25, rgb(0.60, 0.60, 0.62), rgb(0.40, 0.40, 0.42), Speckled, 105},
    {32, 33, 23, 20, rgb(0.82, 0.66, 0.36), rgb(0.60, 0.44, 0.20), Banded, 106},
    {31, 32, 24, 24, rgb(0.90, 0.89, 0.86), rgb(0.62, 0.64, 0.70), Veined, 107},
    {33, 32, 22, 22, rgb(0.50, 0.38, 0.55), rgb(0.36, 0.26, 0.40), Smooth, 108},
    {32, 31, 25, 23, rgb(0.36, 0.44, 0.52), rgb(0.40, 0.55, 0.32), Mossy, 109},
};

Rgba stoneTile(int code, double x, double y) {
  const Stone& s = Stones[code];
  double u = (x - s.cx) / s.rx;
  double v = (y - s.cy) / s.ry;
  double rr = u * u + v * v;
  if (rr >= 1) {
    Rgba c = water(x, y);
    // Shadow cast on the water towards the lower right, then ripples.
    double su = (x - s.cx - 5) / (s.rx + 1);
    double sv = (y - s.cy - 6) / (s.ry + 1);
    double shadow = 1 - smoothstep(0.75, 1.1, std::sqrt(su * su + sv * sv));
    c = scale(c, 1 - 0.35 * shadow);
    double r = std::sqrt(rr);
    double ring = std::exp(-std::pow((r - 1.13) / 0.04, 2)) +
                  0.5 * std::exp(-std::pow((r - 1.25) / 0.035, 2));
    c = mix(c, rgb(0.85, 0.94, 1.0), 0.6 * clamp01(ring));
    if (r < 1.04) c = mix(c, rgb(0.05, 0.12, 0.2), 0.7);
    return c;
  }
  double nz = std::sqrt(1 - rr);
  const double lx = -0.45, ly = -0.6, lz = 0.66;
  double diffuse = std::max(0.0, u * lx + v * ly + nz * lz);
  double hx = lx, hy = ly, hz = lz + 1;
  double hl = std::sqrt(hx * hx + hy * hy + hz * hz);
  double highlight = std::pow(std::max(0.0, (u * hx + v * hy + nz * hz) / hl), 28);
  // Surface pattern in the stone's own coordinates.
  double su = u * 32 + 32;
  double sv = v * 32 + 32;
  double n = tileFbm(su, sv, 4, 4, s.seed);
  Rgba c = s.color;
  switch (s.pattern) {
    case Speckled: {
      double f = hash01(int(su * 1.5), int(sv * 1.5), s.seed);
      if (f > 0.86) c = s.accent;
      if (f < 0.05) c = scale(s.color, 1.25);
      break;
    }
    case Banded: {
      double b = std::sin((su * 0.7 + sv * 0.35) / 3.2 + 5 * n);
      c = mix(s.color, s.accent, smoothstep(0.2, 0.7, b));
      break;
    }
    case Mossy:
      c = mix(s.color, s.accent, smoothstep(0.5, 0.62, n + 0.25 * (-v)));
      break;
    case Veined: {
      double ridge = 1 - std::fabs(2 * tileFbm(su, sv, 4, 3, s.seed + 1) - 1);
      c = mix(s.color, s.accent, 0.65 * smoothstep(0.93, 0.985, ridge));
      break;
    }
    case Smooth:
      break;
  }
  c = scale(c, 0.9 + 0.2 * n);
  c = scale(c, 0.28 + 0.9 * diffuse);
  c = mix(c, rgb(1, 1, 1), 0.45 * highlight);
  if (rr > 0.9) c = scale(c, 1 - 3.5 * (rr - 0.9));
  return c;
}

// ---- shared tiles ------------------------------------------------------------------

// The goal: a bevelled gold star on black, "GOAL" across its middle.
void drawGoal(Image& sheet, int x0) {
  constexpr double Cx = 32, Cy = 34, Outer = 31, Inner = 14.5;
  auto star = [&](double x, double y) {
    double dx = x - Cx, dy = y - Cy;
    double angle = std::atan2(dx, -dy);  // 0 points up, clockwise
    double sector = 2 * Pi / 10;
    double a = std::fmod(angle + 2 * Pi, 2 * Pi);
    int k = int(a / sector);
    // Straight edge between an outer tip (even k) and an inner notch.
    double r0 = (k % 2 == 0) ? Outer : Inner;
    double r1 = (k % 2 == 0) ? Inner : Outer;
    double a0 = k * sector, a1 = (k + 1) * sector;
    double p0x = r0 * std::sin(a0), p0y = r0 * std::cos(a0);
    double p1x = r1 * std::sin(a1), p1y = r1 * std::cos(a1);
    double qx = dx, qy = -dy;
    double cross = (p1x - p0x) * (qy - p0y) - (p1y - p0y) * (qx - p0x);
    double edge = std::hypot(p1x - p0x, p1y - p0y);
    double inside = -cross / edge;  // > 0 towards the centre
    return std::pair<double, double>{inside, a};
  };
  paint(sheet, x0, 0, TileSide, TileSide, [&](double x, double y) {
    auto [inside, a] = star(x, y);
    if (inside < 0) return rgb(0, 0, 0);
    // Each arm has two facets either side of its ridge; light from upper left.
    double sector = 2 * Pi / 10;
    int k = int(a / sector);
    double facet = (k + 0.5) * sector;
    double light = std::cos(facet - (-0.8));
    Rgba c = mix(rgb(0.93, 0.62, 0.10), rgb(1.0, 0.90, 0.45), 0.5 + 0.5 * light);
    if (inside < 1.2) c = rgb(0.55, 0.32, 0.02);
    return c;
  });
  Font font("DejaVu Sans:bold", 13);
  std::string word = "GOAL";
  double tx = x0 + Cx - font.measure(word) / 2.0;
  double ty = Cy + 5;
  for (int oy = -1; oy <= 1; ++oy) {
    for (int ox = -1; ox <= 1; ++ox) {
      font.draw(sheet, tx + ox, ty + oy, word, Rgba{1.0, 0.97, 0.8, 0.5});
    }
  }
  font.draw(sheet, tx, ty, word, rgb(0.45, 0.05, 0.02));
}

}  // namespace

Rgba tileColor(int world, int code, double x, double y) {
  if (world == 1) return code == 10 ? sand(x, y) : rockPiece(code, x, y);
  if (world == 2) return code == 10 ? grass(x, y) : slabPiece(code, x, y);
  return code == 10 ? water(x, y) : stoneTile(code, x, y);
}

Image makeTileSheet(int world) {
  Image sheet = makeImage(TileSide * TilesPerSheet, TileSide, rgb(0, 0, 0));
  for (int code = 1; code <= 10; ++code) {
    int x0 = code * TileSide;
    paint(sheet, x0, 0, TileSide, TileSide,
          [&](double x, double y) { return tileColor(world, code, x, y); });
  }
  drawGoal(sheet, 11 * TileSide);
  return sheet;
}

}  // namespace assets
