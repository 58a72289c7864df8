// The window's icon: the built-in ICON picture handed to the window system at
// start-up, so task bars and window switchers show the game's own picture.
#pragma once

// Gives the window the ICON picture. Start-up only, after the application is
// initialised and before the form is created. A missing icon is no reason
// not to play: returns false and the window keeps the system's icon.
bool setGameWindowIcon();
