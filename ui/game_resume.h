// Continuing a recorded game in the window: its keys played again without
// drawing, then the screen they led to drawn as the player last saw it.
#pragma once

#include <cstdint>
#include <vector>

// Presses `keys` in order on the game as the form has created it, drawing
// only for the last one, and presents the frame it leaves. Every record ends
// as it would after pressing the keys in a drawn game, and so does the frame.
void playRecordedKeys(const std::vector<uint16_t>& keys);
