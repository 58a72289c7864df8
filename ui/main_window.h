// The main form: its two drawing surfaces and image lists, its creation
// (window size, title picture, once-per-run resets) and the frame copy.
#pragma once

#include "platform/canvas.h"
#include "platform/image_list.h"
#include "ui/view_size.h"

// The task-bar title and the form's caption, wherever the form is shown.
constexpr char ApplicationTitle[] = "Velmora Keep 03";
constexpr char FormCaption[] = "Lantern Cadence -Velmora Keep- 03";

// The faces and sizes the game writes in, prepared once at start-up: the
// strip's text in the system's face and in "Tahoma", the grid's large
// "Tahoma" letters. Selecting a pair not prepared would draw nothing.
constexpr char GameFace[] = "Tahoma";
constexpr int GridTextHeight = 38;

struct TForm1 {
  platform::Canvas Image1;                     // lower surface: a copy of Image2 after each key
  platform::Canvas Image2;                     // upper surface: all drawing goes here
  platform::ImageList Parts1, Parts2, Parts3;  // tile sets of worlds 1 to 3
  platform::ImageList Chara;                   // sprites and markers (masked)
  platform::Picture title;                     // decoded at start-up
  // The character grid as it stands before any cursor is drawn, kept to mend
  // the glyph edges that the white eraser ring cuts away.
  platform::Canvas GridPicture;
};
extern TForm1 Form1;

// The tile set numbered `set` (1 to 3), or null for any other number: a
// world drawn with none.
const platform::ImageList* tileSetNumbered(int set);

// Chara image roles.
enum CharaImage : int {
  CharaLeader = 0,
  CharaOther = 1,
  CharaSeparator = 5,
  CharaCursor = 6,
  CharaCursorEraser = 7,
};

constexpr int CharaImageCount = 8;

// Prepares what the form draws with (image lists, fonts, the title picture).
// A missing or damaged title picture is told once on standard error and
// replaced by a plain one. Start-up only (startForm calls it); throws
// std::runtime_error when an image list cannot be loaded.
void loadFormResources();
// The form's creation: sizes the surfaces to the window's outer size (unless
// drawing is set aside), then showTitle.
void FormCreate();
// Shows the title screen, presents it, and makes the once-per-run resets
// (resetForRun): the game is where a program just started is.
void showTitle();
// Fills Image2 white over Image1's bounds.
void clearSurface();
// Draws the title picture on Image2.
void drawTitlePicture();
// Copies Image2 into Image1 and has the application show the frame: the one
// present of a key press. Does nothing while drawing is set aside.
void presentFrame();

// Sets the form's surfaces aside (false) or brings them back (true). While
// they are aside every drawing call meets an empty surface and touches no
// pixel, and no frame reaches the window; brush and font choices still follow
// the game. Replays that need no picture run this way: the records come out
// the same, only the drawing is saved. Set aside before FormCreate, the
// surfaces are never made at all.
void setFormDrawing(bool on);
// Whether the form draws (see setFormDrawing).
bool formDrawing();
// Whether the grid, not the field, was the last picture under the strip.
bool gridShown();
void noteGridShown(bool shown);
