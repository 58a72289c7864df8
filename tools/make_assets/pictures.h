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

// Title picture, 480 x 360, opaque.
Image makeTitle();

}  // namespace assets
