// The window's icon: the built-in ICON picture handed to the window system at
// start-up, so task bars and window switchers show the game's own picture.
#pragma once

#include <cstdint>
#include <vector>

// Decodes the built-in ICON picture into 0xAARRGGBB pixels, row-major.
// Returns false, leaving the outputs untouched, when it is missing or bad.
bool decodeWindowIcon(std::vector<uint32_t>* argb, int* width, int* height);

// Gives the window the ICON picture. Start-up only, after the application is
// initialised and before the form is created. A missing icon is no reason
// not to play: returns false and the window keeps the system's icon.
bool setGameWindowIcon();
