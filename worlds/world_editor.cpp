// The world editor's model (see world_editor.h).
#include "worlds/world_editor.h"

#include <cstdio>
#include <utility>

#include "worlds/text_lines.h"
#include "worlds/wall_shaper.h"

namespace {

constexpr size_t Lost = size_t(-1);

bool isWall(uint8_t code) { return code >= 1 && code <= 9; }

std::string worldText(int world) { return "world " + std::to_string(world); }

// Returns `text` without the spaces and tabs around it, as the reader reads
// a header's value.
std::string_view trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// Returns why `text` cannot be a title or author, or "" when it can.
std::string textFault(const char* what, std::string_view text) {
  for (char c : text) {
    if (c == '\n' || c == '\r') return std::string("the ") + what + " holds a control character";
  }
  TextLines lines(text);
  TextLine line;
  if (!lines.next(&line)) return "";
  if (line.badColumn != 0) return std::string("the ") + what + " is not UTF-8";
  if (line.chars.size() > size_t(WorldTextLimit))
    return std::string("the ") + what + " is longer than " + std::to_string(WorldTextLimit) +
           " characters";
  for (char32_t c : line.chars) {
    if (isControl(c)) return std::string("the ") + what + " holds a control character";
  }
  return "";
}

}  // namespace

WorldEditor::WorldEditor(const WorldFile& file) : file_(file) { refreshVerdicts(); }

bool WorldEditor::apply(EditAction action) {
  note_.clear();
  switch (action) {
    case EditAction::Left:
      return move(-1, 0);
    case EditAction::Right:
      return move(1, 0);
    case EditAction::Up:
      return move(0, -1);
    case EditAction::Down:
      return move(0, 1);
    case EditAction::Toggle:
      return toggle();
    case EditAction::Goal:
      return putGoal();
    case EditAction::Start:
      return putStart();
    case EditAction::CyclePiece:
      return cyclePiece();
    case EditAction::PreviousFloor:
      return changeFloor(-1);
    case EditAction::NextFloor:
      return changeFloor(1);
    case EditAction::NextWorld:
      cursor_.world = cursor_.world % WorldCount + 1;
      return true;
    case EditAction::Undo:
      return undo();
    case EditAction::Redo:
      return redo();
  }
  return false;
}

bool WorldEditor::setTexts(std::string_view title, std::string_view author) {
  note_.clear();
  title = trimmed(title);
  author = trimmed(author);
  note_ = textFault("title", title);
  if (note_.empty()) note_ = textFault("author", author);
  if (!note_.empty()) return false;
  if (title == file_.title && author == file_.author) return false;
  Edit edit = beginEdit();
  edit.texts = true;
  edit.titleBefore = file_.title, edit.authorBefore = file_.author;
  edit.titleAfter = title, edit.authorAfter = author;
  file_.title = title, file_.author = author;
  commit(std::move(edit));
  return true;
}

void WorldEditor::placeCursor(const EditorCursor& at) {
  if (isWorld(at.world) && onFloor(at.x, at.y, at.floor)) cursor_ = at;
}

void WorldEditor::formatCellText(char* out, size_t size) const {
  const uint8_t here = code();
  char what[16];
  if (isWall(here)) {
    std::snprintf(what, sizeof what, "wall %d", here);
  } else {
    std::snprintf(what, sizeof what, "%s", here == TileGoal ? "goal" : "floor");
  }
  std::snprintf(out, size, "world %d floor %d x %d y %d: %s%s", cursor_.world, cursor_.floor,
                cursor_.x, cursor_.y, what, isStart() ? ", the start" : "");
}

std::string WorldEditor::cellText() const {
  char text[64];
  formatCellText(text, sizeof text);
  return text;
}

bool WorldEditor::move(int dx, int dy) {
  if (!onMap(cursor_.x + dx, cursor_.y + dy)) return false;
  cursor_.x += dx;
  cursor_.y += dy;
  return true;
}

bool WorldEditor::toggle() {
  pending_ = beginEdit();
  if (isWall(code())) {
    setCell(cursor_.x, cursor_.y, TileFloor);
  } else {
    // A new wall takes the piece of its open sides, decided or chosen.
    setCell(cursor_.x, cursor_.y, wallPiece(openSides(floorCells(), cursor_.x, cursor_.y)));
  }
  reshapeAround(cursor_.x, cursor_.y);
  commit(std::move(pending_));
  return true;
}

bool WorldEditor::putGoal() {
  if (!onCharaFloor()) {
    note_ = "a goal only on floor 1 of worlds 1 to 3";
    return false;
  }
  if (isStart()) {
    note_ = "the start is here";
    return false;
  }
  if (code() == TileGoal) return false;
  pending_ = beginEdit();
  uint8_t* cells = floorCells();
  for (int i = 0; i < CellsPerFloor; ++i) {
    if (cells[i] == TileGoal) setCell(i % MapSide, i / MapSide, TileFloor);
  }
  const bool wasWall = isWall(code());
  setCell(cursor_.x, cursor_.y, TileGoal);
  if (wasWall) reshapeAround(cursor_.x, cursor_.y);
  commit(std::move(pending_));
  return true;
}

bool WorldEditor::putStart() {
  if (!onCharaFloor()) {
    note_ = "a start only on floor 1 of worlds 1 to 3";
    return false;
  }
  if (code() == TileGoal) {
    note_ = "the goal is here";
    return false;
  }
  if (isStart() && code() == TileFloor) return false;
  pending_ = beginEdit();
  if (isWall(code())) {
    setCell(cursor_.x, cursor_.y, TileFloor);
    reshapeAround(cursor_.x, cursor_.y);
  }
  pending_.startAfter = MapCell{uint8_t(cursor_.x), uint8_t(cursor_.y)};
  file_.starts[cursor_.world - 1] = pending_.startAfter;
  commit(std::move(pending_));
  return true;
}

bool WorldEditor::cyclePiece() {
  if (!isWall(code())) {
    note_ = "no wall here";
    return false;
  }
  pending_ = beginEdit();
  setCell(cursor_.x, cursor_.y, uint8_t(code() % 9 + 1));
  commit(std::move(pending_));
  return true;
}

bool WorldEditor::changeFloor(int by) {
  const int floor = cursor_.floor + by;
  if (floor < 1 || floor > FloorCount) return false;
  cursor_.floor = floor;
  return true;
}

bool WorldEditor::undo() {
  if (position_ == 0) {
    note_ = "nothing to undo";
    return false;
  }
  const Edit& edit = history_[--position_];
  applyChanges(edit, false);
  return true;
}

bool WorldEditor::redo() {
  if (position_ == history_.size()) {
    note_ = "nothing to redo";
    return false;
  }
  applyChanges(history_[position_++], true);
  return true;
}

uint8_t* WorldEditor::floorCells() {
  return file_.maps[cursor_.world - 1].cells + cellIndex(0, 0, cursor_.floor);
}

uint8_t WorldEditor::code() const {
  return file_.maps[cursor_.world - 1].cells[cellIndex(cursor_.x, cursor_.y, cursor_.floor)];
}

bool WorldEditor::onCharaFloor() const {
  return cursor_.world <= CharaWorlds && cursor_.floor == 1;
}

bool WorldEditor::isStart() const {
  if (!onCharaFloor()) return false;
  const MapCell start = file_.starts[cursor_.world - 1];
  return start.x == cursor_.x && start.y == cursor_.y;
}

void WorldEditor::setCell(int x, int y, uint8_t to) {
  const int index = cellIndex(x, y, cursor_.floor);
  uint8_t& cell = file_.maps[cursor_.world - 1].cells[index];
  if (cell == to) return;
  pending_.cells.push_back(CellChange{uint16_t(index), cell, to});
  cell = to;
}

void WorldEditor::reshapeAround(int x, int y) {
  constexpr int Dx[4] = {0, 0, -1, 1}, Dy[4] = {-1, 1, 0, 0};
  const uint8_t* cells = floorCells();
  for (int k = 0; k < 4; ++k) {
    const int nx = x + Dx[k], ny = y + Dy[k];
    if (!onMap(nx, ny) || !isWall(cells[nx + MapSide * ny])) continue;
    const unsigned open = openSides(cells, nx, ny);
    if (wallPieceDecided(open)) setCell(nx, ny, wallPiece(open));
  }
}

WorldEditor::Edit WorldEditor::beginEdit() const {
  Edit edit;
  edit.at = cursor_;
  const MapCell start = cursor_.world <= CharaWorlds ? file_.starts[cursor_.world - 1] : MapCell{};
  edit.startBefore = edit.startAfter = start;
  return edit;
}

void WorldEditor::commit(Edit edit) {
  // A new edit after undoing forgets the undone ones; if the saved file was
  // among them, no position is the saved file any more.
  if (savedPosition_ > position_) savedPosition_ = Lost;
  history_.resize(position_);
  history_.push_back(std::move(edit));
  ++position_;
  refreshVerdicts();
}

void WorldEditor::applyChanges(const Edit& edit, bool forward) {
  cursor_ = edit.at;
  WorldMap& map = file_.maps[edit.at.world - 1];
  if (forward) {
    for (const CellChange& change : edit.cells) map.cells[change.index] = change.after;
  } else {
    for (size_t i = edit.cells.size(); i-- > 0;)
      map.cells[edit.cells[i].index] = edit.cells[i].before;
  }
  if (edit.at.world <= CharaWorlds)
    file_.starts[edit.at.world - 1] = forward ? edit.startAfter : edit.startBefore;
  if (edit.texts) {
    file_.title = forward ? edit.titleAfter : edit.titleBefore;
    file_.author = forward ? edit.authorAfter : edit.authorBefore;
  }
  refreshVerdicts();
}

void WorldEditor::refreshVerdicts() {
  for (int w = 1; w <= WorldCount; ++w) {
    verdicts_[w - 1] = worldText(w) + ": ";
    if (w > CharaWorlds) {
      verdicts_[w - 1] += "no chara";
      continue;
    }
    const WorldReach reach = checkReach(file_, w);
    const MapCell start = file_.starts[w - 1];
    // The checker walks from the start whatever it stands on; a draft's
    // start on a wall is told instead, as playing the file would refuse it.
    const bool startOnFloor = file_.maps[w - 1].cells[cellIndex(start.x, start.y, 1)] == TileFloor;
    verdicts_[w - 1] += reach.reach != ReachNoGoal && !startOnFloor ? "the start is not on floor"
                                                                    : goalReachText(reach.reach);
  }
}
