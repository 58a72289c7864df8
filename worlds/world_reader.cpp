// The world-file reader (see world_reader.h and docs/worlds.md). One pass
// over the lines reads the headers and the floors, shaping each floor's `#`
// walls once its 32 rows are in; the starts and goals are checked at the end,
// when every floor is known. The first broken rule, in file order, refuses
// the file.
#include "worlds/world_reader.h"

#include <cstdio>
#include <memory>
#include <vector>

#include "worlds/text_lines.h"
#include "worlds/wall_shaper.h"

namespace {

// Where a floor's rows stand in the file, for the refusals that come after.
struct FloorLines {
  int heading = 0;  // 0: the floor is not given
  int rows[MapSide] = {};
};

// A refusal on its way out of the reader.
struct Refusal {
  int line;
  int column;
  std::string reason;
};

std::string worldText(int world) { return "world " + std::to_string(world); }

// The cell codes a row may hold, and the shorthand: `#` comes back as
// ShapedLater until its floor is complete.
constexpr int UnknownCell = -1;
constexpr int ShapedLater = 0;
int cellCode(char32_t c) {
  if (c >= '1' && c <= '9') return int(c - '0');
  switch (c) {
    case 'A':
    case '.':
    case '@':
      return TileFloor;
    case 'B':
    case 'G':
      return TileGoal;
    case '#':
      return ShapedLater;
    default:
      return UnknownCell;
  }
}

// Shows a cell a row may not hold: itself when it is printable ASCII.
std::string cellName(char32_t c) {
  char text[16];
  if (c > ' ' && c < 0x7F) {
    std::snprintf(text, sizeof text, "'%c'", char(c));
  } else {
    std::snprintf(text, sizeof text, "U+%04X", unsigned(c));
  }
  return text;
}

class Reader {
 public:
  Reader(WorldFile* file, WorldRules rules) : file_(*file), rules_(rules) {}

  void line(const TextLine& text) {
    if (text.chars.empty()) return;
    if (rowsRead_ < MapSide && floor_ > 0) return row(text);
    if (text.chars[0] == '#') {
      if (!anythingYet_) file_.leadingComments.push_back(std::string(text.bytes));
      return;
    }
    anythingYet_ = true;
    if (startsWith(text.bytes, "world")) return heading(text);
    if (startsWith(text.bytes, "format:")) return format(text);
    if (startsWith(text.bytes, "title:"))
      return headerText(text, "title", &titleSeen_, &file_.title);
    if (startsWith(text.bytes, "author:"))
      return headerText(text, "author", &authorSeen_, &file_.author);
    throw Refusal{text.number, 1, "unknown heading"};
  }

  void end(int lastLine) {
    if (floor_ > 0 && rowsRead_ < MapSide) throw shortFloor(lastLine);
    if (rules_ == WorldRules::Draft) return;
    for (int w = 1; w <= CharaWorlds; ++w) {
      const FloorLines& lines = lines_[w - 1][0];
      if (lines.heading == 0) throw Refusal{lastLine, 1, worldText(w) + " has no floor 1"};
      if (goals_[w - 1] == 0) throw Refusal{lines.heading, 1, worldText(w) + " has no goal"};
      const MapCell start = file_.starts[w - 1];
      if (file_.maps[w - 1].cells[cellIndex(start.x, start.y, 1)] != TileFloor)
        throw Refusal{lines.rows[start.y], start.x + 1,
                      "the start of " + worldText(w) + " is not on floor"};
    }
  }

 private:
  static bool startsWith(std::string_view text, std::string_view head) {
    return text.substr(0, head.size()) == head;
  }

  // world W floor F | world W tiles T
  void heading(const TextLine& text) {
    const std::vector<Word> words = splitWords(text);
    if (words.size() != 4 || words[0].text != "world" ||
        (words[2].text != "floor" && words[2].text != "tiles"))
      throw Refusal{text.number, 1, "unknown heading"};
    const int world = number(text, words[1], 1, WorldCount, "world");
    if (words[2].text == "tiles") {
      const int tiles = number(text, words[3], 1, TileSetCount, "tile set");
      if (tilesSeen_[world - 1])
        throw Refusal{text.number, 1, "the tiles of " + worldText(world) + " given twice"};
      tilesSeen_[world - 1] = true;
      file_.tileSets[world - 1] = uint8_t(tiles);
      return;
    }
    const int floor = number(text, words[3], 1, FloorCount, "floor");
    FloorLines& lines = lines_[world - 1][floor - 1];
    if (lines.heading != 0)
      throw Refusal{text.number, 1,
                    worldText(world) + " floor " + std::to_string(floor) + " given twice"};
    lines.heading = text.number;
    world_ = world;
    floor_ = floor;
    rowsRead_ = 0;
    walls_.assign(CellsPerFloor, false);
  }

  // Reads a number of lo to hi from a word of a heading.
  static int number(const TextLine& text, const Word& word, int lo, int hi, const char* what) {
    int value = 0;
    for (char c : word.text) {
      if (c < '0' || c > '9' || value > hi) {
        value = -1;
        break;
      }
      value = value * 10 + (c - '0');
    }
    if (value < lo || value > hi)
      throw Refusal{text.number, word.column,
                    std::string(what) + " out of range (" + std::to_string(lo) + " to " +
                        std::to_string(hi) + ")"};
    return value;
  }

  void format(const TextLine& text) {
    if (formatSeen_) throw Refusal{text.number, 1, "format given twice"};
    formatSeen_ = true;
    const Word value = valueOf(text, sizeof "format:" - 1);
    int format = 0;
    for (char c : value.text) {
      if (c < '0' || c > '9') throw Refusal{text.number, value.column, "unknown format"};
      if (format <= WorldFormat) format = format * 10 + (c - '0');
    }
    if (value.text.empty() || format < 1)
      throw Refusal{text.number, value.column, "unknown format"};
    if (format > WorldFormat)
      throw Refusal{text.number, value.column, "made for a newer version of the game"};
    file_.format = format;
  }

  void headerText(const TextLine& text, const char* name, bool* seen, std::string* out) {
    if (*seen) throw Refusal{text.number, 1, std::string(name) + " given twice"};
    *seen = true;
    const size_t head = std::string_view(name).size() + 1;
    const Word value = valueOf(text, head);
    const size_t first = size_t(value.column - 1);
    for (size_t i = first; i < text.chars.size(); ++i) {
      if (isControl(text.chars[i])) throw Refusal{text.number, int(i) + 1, "a control character"};
      if (i - first >= size_t(WorldTextLimit))
        throw Refusal{text.number, int(i) + 1,
                      "longer than " + std::to_string(WorldTextLimit) + " characters"};
    }
    *out = std::string(value.text);
  }

  void row(const TextLine& text) {
    if (startsWith(text.bytes, "world ")) throw shortFloor(text.number);
    FloorLines& lines = lines_[world_ - 1][floor_ - 1];
    const int y = rowsRead_;
    lines.rows[y] = text.number;
    uint8_t* cells = file_.maps[world_ - 1].cells + cellIndex(0, 0, floor_);
    const size_t count = text.chars.size();
    for (size_t x = 0; x < count && x < size_t(MapSide); ++x) {
      const char32_t c = text.chars[x];
      const int column = int(x) + 1;
      const int code = cellCode(c);
      if (c == '0')
        throw Refusal{text.number, column,
                      "an empty cell (0): no cell is empty when a game starts"};
      if (code == UnknownCell) throw Refusal{text.number, column, "unknown cell " + cellName(c)};
      if (c == '@') start(text.number, column, int(x), y);
      if (code == TileGoal) goal(text.number, column);
      if (code == ShapedLater) walls_[x + MapSide * size_t(y)] = true;
      cells[x + MapSide * size_t(y)] = uint8_t(code);
    }
    if (count != size_t(MapSide))
      throw Refusal{text.number, int(std::min(count, size_t(MapSide))) + 1,
                    "a row of " + std::to_string(count) + " cells, not " + std::to_string(MapSide)};
    if (++rowsRead_ == MapSide) shapeWalls(cells);
  }

  void start(int line, int column, int x, int y) {
    if (floor_ != 1 || world_ > CharaWorlds)
      throw Refusal{line, column, "a start off floor 1 of worlds 1 to 3"};
    if (startSeen_[world_ - 1])
      throw Refusal{line, column, "a second start in " + worldText(world_)};
    startSeen_[world_ - 1] = true;
    file_.starts[world_ - 1] = MapCell{uint8_t(x), uint8_t(y)};
  }

  void goal(int line, int column) {
    if (floor_ != 1 || world_ > CharaWorlds)
      throw Refusal{line, column, "a goal off floor 1 of worlds 1 to 3"};
    if (++goals_[world_ - 1] > 1 && rules_ == WorldRules::Play)
      throw Refusal{line, column, "a second goal in " + worldText(world_)};
  }

  void shapeWalls(uint8_t* cells) {
    for (int i = 0; i < CellsPerFloor; ++i) {
      if (walls_[size_t(i)]) cells[i] = wallPiece(openSides(cells, i % MapSide, i / MapSide));
    }
  }

  Refusal shortFloor(int line) const {
    return Refusal{line, 1,
                   worldText(world_) + " floor " + std::to_string(floor_) + " has " +
                       std::to_string(rowsRead_) + " rows, not " + std::to_string(MapSide)};
  }

  WorldFile& file_;
  const WorldRules rules_;
  FloorLines lines_[WorldCount][FloorCount];
  bool anythingYet_ = false;
  bool formatSeen_ = false, titleSeen_ = false, authorSeen_ = false;
  bool tilesSeen_[WorldCount] = {};
  bool startSeen_[CharaWorlds] = {};
  int goals_[CharaWorlds] = {};
  int world_ = 0, floor_ = 0, rowsRead_ = 0;
  std::vector<bool> walls_;  // the current floor's `#` cells
};

}  // namespace

std::string WorldFileError::message() const {
  std::string out;
  for (unsigned char c : file) {
    if (c < 0x20 || c == 0x7F) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    } else {
      out += char(c);
    }
  }
  if (line == 0) return out + ": " + reason;
  return out + ":" + std::to_string(line) + ":" + std::to_string(column) + ": " + reason;
}

bool readWorldFile(std::string_view name, std::string_view bytes, WorldFile* out,
                   WorldFileError* error, WorldRules rules) {
  auto file = std::make_unique<WorldFile>(blankWorldFile());
  try {
    if (bytes.size() > WorldFileLimit)
      throw Refusal{1, 1, "larger than 1 MiB, the most a world file may hold"};
    Reader reader(file.get(), rules);
    TextLines lines(bytes);
    TextLine text;
    while (lines.next(&text)) {
      if (text.badColumn != 0) throw Refusal{text.number, text.badColumn, text.badReason};
      reader.line(text);
    }
    reader.end(lines.lastLine());
  } catch (const Refusal& refusal) {
    *error = WorldFileError{std::string(name), refusal.line, refusal.column, refusal.reason};
    return false;
  }
  *out = *file;
  return true;
}
