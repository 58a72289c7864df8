// Making a world file on the keyboard: the editor's cursor and the edits a
// key makes (walls drawn and shaped as the format's `#` is, the goal and the
// start moved, a wall's exact piece chosen, undo and redo), the world file
// they make, and the line that says where the cursor is and what the checker
// thinks of the world. No key codes here: the form maps keys to actions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "worlds/world_check.h"
#include "worlds/world_file.h"

enum class EditAction : uint8_t {
  Left,
  Right,
  Up,
  Down,
  Toggle,         // wall to floor, floor or goal to a shaped wall
  Goal,           // this world's goal here; the old one becomes floor
  Start,          // this world's start here, on floor
  CyclePiece,     // the wall here takes the next piece, 1 to 9
  PreviousFloor,  // floors 8 to 1, stopping at 1
  NextFloor,      // floors 1 to 8, stopping at 8
  NextWorld,      // worlds 1 to 5, then 1 again
  Undo,
  Redo,
};

struct EditorCursor {
  int world = 1;  // 1 to WorldCount
  int floor = 1;  // 1 to FloorCount
  int x = 1;      // 0 to MapSide - 1
  int y = 1;
};

class WorldEditor {
 public:
  explicit WorldEditor(const WorldFile& file);

  // Carries out `action` at the cursor. Returns false when nothing changed;
  // note() then says why, when the player should know.
  bool apply(EditAction action);
  // Sets the title and author, each held to the format's limits (at most
  // WorldTextLimit characters of UTF-8, no control character). An edit like
  // any other: undone by Undo. False, with the reason in note(), when either
  // breaks a limit.
  bool setTexts(std::string_view title, std::string_view author);

  const WorldFile& file() const { return file_; }
  const EditorCursor& cursor() const { return cursor_; }
  // Puts the cursor on a cell (a session offered back after a crash); a
  // position off the worlds is ignored.
  void placeCursor(const EditorCursor& at);

  // Whether the file differs from what was last saved (or opened): undoing
  // back to the saved file makes it clean again.
  bool dirty() const { return position_ != savedPosition_; }
  void markSaved() { savedPosition_ = position_; }
  // Makes the file count as changed until saved: a session taken back
  // after a crash holds changes the file does not.
  void markUnsaved() { savedPosition_ = size_t(-1); }
  size_t undoDepth() const { return position_; }
  size_t redoDepth() const { return history_.size() - position_; }

  // Where the cursor is and what is there, such as "world 2 floor 1 x 5 y 7:
  // wall 3" or "... floor, the start". The form writes it into its own
  // buffer (nothing allocated for a frame); the text is cut to `size`.
  void formatCellText(char* out, size_t size) const;
  std::string cellText() const;
  // The checker's verdict for the cursor's world, such as "world 2: the
  // chara reaches its goal without help", or what keeps it from being
  // played ("no goal", "the start is not on floor"); kept current as cells
  // change.
  const std::string& verdictText() const { return verdicts_[cursor_.world - 1]; }
  // Why the last action changed nothing, or "" when it did something.
  const std::string& note() const { return note_; }

 private:
  struct CellChange {
    uint16_t index;  // in the world's cells
    uint8_t before;
    uint8_t after;
  };
  struct Edit {
    EditorCursor at;  // where the cursor was, to come back to on undo
    std::vector<CellChange> cells;
    MapCell startBefore, startAfter;
    std::string titleBefore, titleAfter, authorBefore, authorAfter;
    bool texts = false;
  };

  bool move(int dx, int dy);
  bool toggle();
  bool putGoal();
  bool putStart();
  bool cyclePiece();
  bool changeFloor(int by);
  bool undo();
  bool redo();

  uint8_t* floorCells();
  uint8_t code() const;
  // Whether the cursor is on a floor where a chara may start and a goal lie.
  bool onCharaFloor() const;
  bool isStart() const;
  // Sets cell (x, y) of the cursor's floor to `to`, noting the change in the
  // edit being made.
  void setCell(int x, int y, uint8_t to);
  // Reshapes the walls beside (x, y), whose openness changed, wherever the
  // shaper's rule decides their piece.
  void reshapeAround(int x, int y);
  Edit beginEdit() const;
  // Keeps `edit` (made on file_ already) as the newest undo step.
  void commit(Edit edit);
  void applyChanges(const Edit& edit, bool forward);
  void refreshVerdicts();

  WorldFile file_;
  EditorCursor cursor_;
  std::vector<Edit> history_;
  size_t position_ = 0;       // the edits in history_ that the file holds
  size_t savedPosition_ = 0;  // the position of the file as saved; npos when lost
  Edit pending_;              // the edit a key is making
  std::string verdicts_[WorldCount];
  std::string note_;
};
