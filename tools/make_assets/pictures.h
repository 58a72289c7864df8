// The game's pictures, each drawn from code: the three tile sheets, the
// sprite sheet, the window icon and the title picture.
#pragma once

#include "tools/make_assets/raster.h"

namespace assets {

constexpr int TileSide = 64;
constexpr int TilesPerSheet = 12;
constexpr int SpritesPerSheet = 8;

// Tile sheet of world 1, 2 or 3: twelve 64 x 64 tiles side by side, tile i
// drawn for map code i. Every pixel is opaque.
Image makeTileSheet(int world);

// Sprite sheet: eight 64 x 64 images, alpha 0 or 1 (the game masks at 128).
Image makeCharaSheet();

// Window icon, 64 x 64, put together from a world 1 tile and the leader.
Image makeIcon(const Image& parts1, const Image& chara);

// The same icon drawn afresh at side x side pixels (the desktop's icon
// sizes), strokes kept at least about a pixel wide however small.
Image makeIconAt(int side);

// Colour of tile `code` of world `world` at (x, y) in the tile's own 64-pixel
// coordinates.
Rgba tileColor(int world, int code, double x, double y);

// The leader's strokes: half-widths of the square frame and of the spokes as
// the sprite has them, in 64-pixel coordinates.
constexpr double LeaderFrameHalf = 2.6;
constexpr double LeaderSpokeHalf = 2.2;
// Signed distance (negative inside) from (x, y) to the leader's strokes with
// the given half-widths, in 64-pixel coordinates.
double leaderDistance(double x, double y, double frameHalf, double spokeHalf);

// Title picture, 480 x 360, opaque.
Image makeTitle();

}  // namespace assets
