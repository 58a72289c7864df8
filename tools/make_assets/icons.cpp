// The desktop icons: the window icon's picture (the leader over the corner
// rock of world 1, rounded corners) drawn afresh at each size from the same
// shapes and textures as the tiles and sprites, rather than enlarged or
// shrunk from the 64-pixel one. Small sizes keep the strokes readable by
// holding them at about a pixel or more.
#include <algorithm>
#include <cmath>

#include "tools/make_assets/pictures.h"

namespace assets {
namespace {

constexpr int CornerTile = 1;  // world 1's top-left rock piece, as in icon.png

// Supersampling that keeps about 16 samples per source pixel at small sizes.
int samplesFor(int side) { return std::max(4, int(std::ceil(4.0 * TileSide / side))); }

}  // namespace

Image makeIconAt(int side) {
  const double k = double(side) / TileSide;  // icon pixels per tile pixel
  Image icon = makeImage(side, side, Rgba{});
  const int samples = samplesFor(side);
  paint(
      icon, 0, 0, side, side,
      [=](double x, double y) { return tileColor(1, CornerTile, x / k, y / k); }, samples);

  // The leader, its strokes and rim no thinner than the sizes below, in icon
  // pixels; at 64 pixels and up they are the sprite's own.
  const double frameHalf = std::max(LeaderFrameHalf, 0.8 / k);
  const double spokeHalf = std::max(LeaderSpokeHalf, 0.7 / k);
  const double rim = std::max(1.4 * k, 0.75);
  paint(
      icon, 0, 0, side, side,
      [=](double x, double y) {
        const double u = x / k, v = y / k;
        const double d = leaderDistance(u, v, frameHalf, spokeHalf);
        if (d * k >= rim) return Rgba{};
        if (d >= 0) return rgb(0, 0, 0);
        // A lighter upper-left half of each stroke, as on the sprite.
        const double lit = leaderDistance(u + 0.9, v + 0.9, frameHalf, spokeHalf) - d;
        return lit > 0.3 ? rgb(0.86, 0.86, 0.86) : rgb(0.64, 0.64, 0.66);
      },
      samples);

  // Rounded corners with a soft edge one pixel wide.
  const double radius = 10 * k;
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) {
      double d = boxDistance(x + 0.5, y + 0.5, 0, 0, side, side, radius);
      icon.at(x, y).a *= clamp01(0.5 - d);
    }
  }
  return icon;
}

}  // namespace assets
