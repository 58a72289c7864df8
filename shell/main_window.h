// The main form: its two drawing surfaces and image lists, its creation
// (window size, title picture, once-per-run resets) and the frame copy.
#pragma once

#include "platform/canvas.h"
#include "platform/image_list.h"

// Client area the player sees: 9 tiles across, strip plus 7 tiles down.
constexpr int ViewWidth = 576;
constexpr int ViewHeight = 464;

struct TForm1 {
  platform::Canvas Image1;  // lower surface: a copy of Image2 after each key
  platform::Canvas Image2;  // upper surface: all drawing goes here
  platform::ImageList Parts1, Parts2, Parts3;  // tile sets of worlds 1 to 3
  platform::ImageList Chara;                   // sprites and markers (masked)
  platform::Picture title;                     // decoded at start-up
};
extern TForm1 Form1;

// Chara image roles.
enum CharaImage : int {
  CharaLeader = 0,
  CharaOther = 1,
  CharaSeparator = 5,
  CharaCursor = 6,
  CharaCursorEraser = 7,
};

// Prepares what the form draws with (image lists, fonts, the title picture).
// Start-up only; throws std::runtime_error on a platform failure.
void loadFormResources();
// Sizes the window and the surfaces from the system metrics, then showTitle.
void FormCreate();
// Title screen and the once-per-run resets.
void showTitle();
// Fills Image2 white over Image1's bounds.
void clearSurface();
// Copies Image2 into Image1 over Image1's clip rectangle.
void presentFrame();
