// The world editor's model: one table of key sequences against the world
// file they save (its top-left cells, the checker's verdict, what the editor
// said), each also undone to the file it began with and redone to the same
// text; the title and author held to the format's limits.
#include "worlds/world_editor.h"

#include <gtest/gtest.h>

#include <string>

#include "worlds/world_reader.h"
#include "worlds/world_writer.h"

namespace {

// One character per key: < > ^ v arrows, # Space, G S C, [ ] PageUp and
// PageDown, W, Z, Y.
EditAction actionOf(char key) {
  switch (key) {
    case '<':
      return EditAction::Left;
    case '>':
      return EditAction::Right;
    case '^':
      return EditAction::Up;
    case 'v':
      return EditAction::Down;
    case '#':
      return EditAction::Toggle;
    case 'G':
      return EditAction::Goal;
    case 'S':
      return EditAction::Start;
    case 'C':
      return EditAction::CyclePiece;
    case '[':
      return EditAction::PreviousFloor;
    case ']':
      return EditAction::NextFloor;
    case 'W':
      return EditAction::NextWorld;
    case 'Z':
      return EditAction::Undo;
    default:
      return EditAction::Redo;
  }
}

// The first `rows` rows, first five cells each, of world W floor F as the
// saved text has them, rows joined by '/'; "" when the floor is not written.
std::string savedCorner(const std::string& text, int world, int floor, int rows) {
  const std::string heading =
      "world " + std::to_string(world) + " floor " + std::to_string(floor) + "\n";
  size_t at = text.find(heading);
  if (at == std::string::npos) return "";
  at += heading.size();
  std::string out;
  for (int y = 0; y < rows; ++y) {
    if (y > 0) out += '/';
    out += text.substr(at, 5);
    at = text.find('\n', at) + 1;
  }
  return out;
}

struct Case {
  const char* keys;
  int world, floor;     // the floor whose corner is checked
  const char* corner;   // its rows 0 to 3, cells 0 to 4
  const char* verdict;  // of the cursor's world at the end
  const char* note;     // what the last key said
  size_t undoSteps;
};

const Case Cases[] = {
    // Carving shapes the walls around each new floor cell.
    {"#>#>#", 1, 1, "58885/6AAA4/52225/55555", "world 1: no goal", "", 3},
    // Walling a cell again reshapes it and its neighbours back.
    {"#>#<#", 1, 1, "55855/56A45/55255/55555", "world 1: no goal", "", 3},
    // A wall between two floors (open above and below) keeps its piece, and
    // C cycles it.
    {"#vv#", 1, 1, "58555/6A455/52555/6A455", "world 1: no goal", "", 2},
    {"#vv#^C", 1, 1, "58555/6A455/53555/6A455", "world 1: no goal", "", 3},
    {"#vv#^CCCCCCCCC", 1, 1, "58555/6A455/52555/6A455", "world 1: no goal", "", 11},
    {"C>#<C", 1, 1, "55855/57A45/55255/55555", "world 1: no goal", "", 3},
    {"#>#<<<C", 1, 1, "58855/7AA45/52255/55555", "world 1: no goal", "", 3},
    // The goal moves; the old one becomes floor.
    {"#>>G", 1, 1, "58585/6A4B4/52525/55555",
     "world 1: the chara reaches its goal only through walls you open", "", 2},
    {"#>G>G", 1, 1, "58885/6AAB4/52225/55555", "world 1: the chara reaches its goal without help",
     "", 3},
    {">G", 1, 1, "55855/56B45/55255/55555", "world 1: the start is not on floor", "", 1},
    {"G", 1, 1, "", "world 1: no goal", "the start is here", 0},
    // Goals and starts only on floor 1 of worlds 1 to 3.
    {"]G", 1, 1, "", "world 1: no goal", "a goal only on floor 1 of worlds 1 to 3", 0},
    {"WWWS", 1, 1, "", "world 4: no chara", "a start only on floor 1 of worlds 1 to 3", 0},
    {">G<S>S", 1, 1, "58855/6AB45/52255/55555", "world 1: the chara reaches its goal without help",
     "the goal is here", 2},
    // The start moves onto floor it makes; the goal cannot go on it.
    {">>S", 1, 1, "55585/556@4/55525/55555", "world 1: no goal", "", 1},
    {">>SG", 1, 1, "55585/556@4/55525/55555", "world 1: no goal", "the start is here", 1},
    // Floors and worlds: each has its own cells, the cursor keeps its place.
    {"]]#[#", 1, 3, "58555/6A455/52555/55555", "world 1: no goal", "", 2},
    {"[[[#", 1, 1, "58555/6A455/52555/55555", "world 1: no goal", "", 1},
    {"]]]]]]]]]#", 1, 8, "58555/6A455/52555/55555", "world 1: no goal", "", 1},
    {"WW#", 3, 1, "58555/6A455/52555/55555", "world 3: no goal", "", 1},
    {"WWWWW#", 1, 1, "58555/6A455/52555/55555", "world 1: no goal", "", 1},
    // Undo and redo, and a new edit forgetting what was undone.
    {"#>#ZZ", 1, 1, "", "world 1: no goal", "", 0},
    {"#>#ZZY", 1, 1, "58555/6A455/52555/55555", "world 1: no goal", "", 1},
    {"#>#Z>#Y", 1, 1, "58585/6A4A4/52525/55555", "world 1: no goal", "nothing to redo", 2},
    {"Z", 1, 1, "", "world 1: no goal", "nothing to undo", 0},
};

TEST(WorldEditor, KeySequencesSaveTheirWorldFileAndUndoToTheFirst) {
  const WorldFile blank = blankWorldFile();
  const std::string blankText = writeWorldFile(blank);
  for (const Case& c : Cases) {
    SCOPED_TRACE(c.keys);
    WorldEditor editor(blank);
    for (const char* key = c.keys; *key; ++key) editor.apply(actionOf(*key));
    const std::string saved = writeWorldFile(editor.file());
    EXPECT_EQ(savedCorner(saved, c.world, c.floor, 4), c.corner);
    EXPECT_EQ(editor.verdictText(), c.verdict);
    EXPECT_EQ(editor.note(), c.note);
    EXPECT_EQ(editor.undoDepth(), c.undoSteps);
    EXPECT_EQ(editor.dirty(), c.undoSteps > 0);
    // What it saves opens again as a draft, the same file.
    WorldFile reopened;
    WorldFileError error;
    ASSERT_TRUE(readWorldFile("made.worlds", saved, &reopened, &error, WorldRules::Draft))
        << error.message();
    EXPECT_EQ(writeWorldFile(reopened), saved);
    // The whole chain back and forth.
    while (editor.apply(EditAction::Undo)) {
    }
    EXPECT_EQ(writeWorldFile(editor.file()), blankText);
    EXPECT_FALSE(editor.dirty());
    for (size_t i = 0; i < c.undoSteps; ++i) editor.apply(EditAction::Redo);
    EXPECT_EQ(writeWorldFile(editor.file()), saved);
  }
}

TEST(WorldEditor, TheSavedFileIsCleanUntilChangedAwayFromIt) {
  WorldEditor editor(blankWorldFile());
  editor.apply(EditAction::Toggle);
  editor.markSaved();
  EXPECT_FALSE(editor.dirty());
  editor.apply(EditAction::Undo);
  EXPECT_TRUE(editor.dirty());
  editor.apply(EditAction::Redo);
  EXPECT_FALSE(editor.dirty());
  // Undone and replaced: the saved file is no longer anywhere in the chain.
  editor.apply(EditAction::Undo);
  editor.apply(EditAction::Right);
  editor.apply(EditAction::Toggle);
  editor.apply(EditAction::Undo);
  EXPECT_TRUE(editor.dirty());
}

TEST(WorldEditor, TitleAndAuthorKeepTheFormatsLimits) {
  struct TextCase {
    std::string title, author;
    const char* note;
  };
  const TextCase cases[] = {
      {"  Stairs  ", "Lantern", ""},
      {std::string(60, 'x'), "\xc3\xa9", ""},
      {std::string(61, 'x'), "", "the title is longer than 60 characters"},
      {"a\tb", "", "the title holds a control character"},
      {"ok", "line\nbreak", "the author holds a control character"},
      {"\xe2\x80\xae", "", "the title holds a control character"},
      {"\xff", "", "the title is not UTF-8"},
  };
  for (const TextCase& c : cases) {
    SCOPED_TRACE(c.title);
    WorldEditor editor(blankWorldFile());
    EXPECT_EQ(editor.setTexts(c.title, c.author), *c.note == 0);
    EXPECT_EQ(editor.note(), c.note);
    if (*c.note != 0) continue;
    WorldFile reopened;
    WorldFileError error;
    ASSERT_TRUE(readWorldFile("t.worlds", writeWorldFile(editor.file()), &reopened, &error,
                              WorldRules::Draft))
        << error.message();
    EXPECT_EQ(reopened.title, editor.file().title);
    EXPECT_EQ(reopened.author, c.author);
    editor.apply(EditAction::Undo);
    EXPECT_EQ(editor.file().title, "");
  }
}

TEST(WorldEditor, TheLineSaysTheCellUnderTheCursor) {
  WorldEditor editor(blankWorldFile());
  EXPECT_EQ(editor.cellText(), "world 1 floor 1 x 1 y 1: wall 5, the start");
  editor.apply(EditAction::Toggle);
  EXPECT_EQ(editor.cellText(), "world 1 floor 1 x 1 y 1: floor, the start");
  editor.apply(EditAction::Right);
  editor.apply(EditAction::Goal);
  EXPECT_EQ(editor.cellText(), "world 1 floor 1 x 2 y 1: goal");
  editor.apply(EditAction::NextFloor);
  editor.apply(EditAction::Up);
  EXPECT_EQ(editor.cellText(), "world 1 floor 2 x 2 y 0: wall 5");
  EXPECT_FALSE(editor.apply(EditAction::Up));
}

}  // namespace
