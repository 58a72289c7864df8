// The field view: 9 x 7 tiles around the leader with the charas and the strip.
#pragma once

#include "game/game_state.h"

void enterField();
void drawField(MapPos pos);
void drawTile(int col, int row, int code);
