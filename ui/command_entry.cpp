// Command entry: the 13 x 7 character grid the player composes statements on,
// its cursor, picking, erasing and submitting. Tab completion lives in
// completion.cpp. Everything here works on the fixed global records only.
#include "ui/command_entry.h"

#include <cassert>
#include <cstring>

#include "game/game_state.h"
#include "game/movement.h"
#include "statements/dispatcher.h"
#include "ui/field_view.h"
#include "ui/keyboard.h"
#include "ui/main_window.h"
#include "ui/session.h"
#include "ui/status_strip.h"

namespace {

int cellX(int col) { return 40 * col + 6; }
int cellY(int row) { return 44 * row + 24; }
int ringX(int col) { return 40 * col + 2; }
int ringY(int row) { return 44 * row + 25; }
constexpr int RingSide = 38;

}  // namespace

void openCommandEntry() {
  std::memset(CommandLine, 0, sizeof CommandLine);
  CommandLength = 0;
  clearSurface();
  drawCharGrid();
  drawGridCursor();
  GameMode = ModeCommand;
}

void drawCharGrid() {
  noteGridShown(true);
  platform::Canvas& canvas = Form1.Image2;
  canvas.setBrushStyle(platform::BrushClear);
  // The face stays selected afterwards: the status strip only changes its
  // height, so the composed statement is shown in the grid's face too.
  canvas.setFont(GameFace, GridTextHeight);
  for (int row = 0; row < GridRows; ++row) {
    for (int col = 0; col < GridCols; ++col) {
      const char glyph = char(CharGrid[GridCols * row + col]);
      canvas.textOut(cellX(col), cellY(row), &glyph, 1);
    }
  }
  for (int x = 0; x < canvas.width(); x += platform::ImageSide) {
    Form1.Chara.draw(canvas, x, 17, CharaSeparator);
  }
  const platform::Rect grid{0, ringY(0), canvas.width(), ringY(GridRows)};
  Form1.GridPicture.copyRect(grid, canvas, grid);
}

void drawGridCursor() {
  // The white ring wipes the old cursor; drawn first so that a cursor that
  // did not move is drawn again on top.
  const int x = ringX(PrevCursorCol);
  const int y = ringY(PrevCursorRow);
  Form1.Chara.draw(Form1.Image2, x, y, CharaCursorEraser);
  // The white ring also bites into glyphs wider than the ring's inside; put
  // the grid's own pixels back under it.
  const platform::Rect square{x, y, x + RingSide, y + RingSide};
  Form1.Image2.copyRect(square, Form1.GridPicture, square);
  Form1.Chara.draw(Form1.Image2, ringX(CursorCol), ringY(CursorRow), CharaCursor);
}

void moveCursor(int direction) {
  PrevCursorCol = CursorCol;
  PrevCursorRow = CursorRow;
  switch (direction) {
    case DirDown:
      CursorRow = uint8_t(CursorRow == GridRows - 1 ? 0 : CursorRow + 1);
      break;
    case DirUp:
      CursorRow = uint8_t(CursorRow == 0 ? GridRows - 1 : CursorRow - 1);
      break;
    case DirRight:
      CursorCol = uint8_t(CursorCol == GridCols - 1 ? 0 : CursorCol + 1);
      break;
    case DirLeft:
      CursorCol = uint8_t(CursorCol == 0 ? GridCols - 1 : CursorCol - 1);
      break;
    default:
      break;
  }
  // A surface set aside is empty: no ring would touch a pixel, and a replay
  // moves the cursor thousands of times.
  if (Form1.Image2.width() > 0) drawGridCursor();
}

void pickChar() {
  assert(CursorCol < GridCols && CursorRow < GridRows);
  assert(CommandLength == std::strlen(CommandLine));
  const uint8_t picked = CharGrid[GridCols * CursorRow + CursorCol];
  if (picked == EraseCode) {
    if (CommandLength == 0) return;
    --CommandLength;
    CommandLine[CommandLength] = '\0';
    drawCommandLine();
  } else if (picked == SubmitCode) {
    if (executeStatement(CommandLine) && Session.hooks.showHelp) Session.hooks.showHelp();
    std::memcpy(LastCommand, CommandLine, sizeof LastCommand);
    enterField();
  } else if (CommandLength < PickLimit) {
    CommandLine[CommandLength] = char(picked);
    ++CommandLength;
    CommandLine[CommandLength] = '\0';
    drawCommandLine();
  }
}
