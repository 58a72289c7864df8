// The field view: 9 x 7 tiles around the leader with the charas and the strip.
#pragma once

#include "game/game_state.h"

// Puts the game in the field and draws it around the leader (drawField).
void enterField();
// Draws the 9 x 7 tiles of the map around `pos` in the leader's world, the
// leader in the centre, the other charas in view and the status strip with
// StatusText, on Image2. Presents nothing. Tiles of a world without a tile
// set (4 and 5) are left as they were; a position outside the five worlds
// draws only the off-map tiles before its first on-map cell.
void drawField(MapPos pos);
