// World files: one table of files in both notations and every refusal
// against the exact message; the built-in world file against today's bytes
// and identity; the built-in mazes rewritten in the shorthand; the writer's
// round trip; a world file's starts and maps reaching a new game.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "game/new_game.h"
#include "tests/support/rules_fixture.h"
#include "worlds/installed_worlds.h"
#include "worlds/sha256.h"
#include "worlds/world_check.h"
#include "worlds/world_identity.h"
#include "worlds/world_reader.h"
#include "worlds/world_writer.h"

namespace {

// A 32 x 32 maze drawn in the shorthand: a frame of walls around floor, the
// goal at (29, 29); `extra` ("x,y,c ...") puts cell c at (x, y).
std::string floorRows(const std::string& extra = "") {
  std::string rows[MapSide];
  for (int y = 0; y < MapSide; ++y) {
    for (int x = 0; x < MapSide; ++x)
      rows[y] += (x == 0 || y == 0 || x == 31 || y == 31) ? '#' : x == 29 && y == 29 ? 'G' : '.';
  }
  std::istringstream edits(extra);
  int x, y;
  char comma, c;
  while (edits >> x >> comma >> y >> comma >> c) rows[y][size_t(x)] = c;
  std::string out;
  for (const std::string& row : rows) out += row + "\n";
  return out;
}

std::string section(int world, int floor, const std::string& rows) {
  return "world " + std::to_string(world) + " floor " + std::to_string(floor) + "\n" + rows;
}

// Worlds 1 to 3 each a frame with a goal; `head` goes first.
std::string threeMazes(const std::string& head = "", const std::string& one = floorRows()) {
  return head + section(1, 1, one) + section(2, 1, floorRows()) + section(3, 1, floorRows());
}

std::string readSourceText(const char* relative) {
  std::ifstream in(std::string(VELMORA_SOURCE_DIR "/") + relative, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

struct Case {
  const char* name;
  std::string text;
  const char* refusal;  // "" for a file read
};

const std::string Maze = threeMazes();
const std::string Rows = floorRows();

std::vector<Case> Cases() {
  const std::string row31 = std::string(31, '5') + "\n";
  const std::string rows31 = Rows.substr(0, 33 * 31);
  return {
      {"shorthand", Maze, ""},
      {"exact codes, comments, CRLF, BOM, headers",
       "\xEF\xBB\xBF# made by hand\r\nformat: 1\r\ntitle: Zoë's keep  \r\nauthor: Ana\r\n\r\n" +
           Maze + "world 4 tiles 2\n",
       ""},
      {"rows may start with #", "# top\n" + Maze, ""},
      {"over 1 MiB", Maze + std::string(WorldFileLimit, '#'),
       "f:1:1: larger than 1 MiB, the most a world file may hold"},
      {"not UTF-8", "title: \xC3\x28\n" + Maze, "f:1:8: not UTF-8"},
      {"overlong UTF-8", "title: ab\xC0\xAF\n" + Maze, "f:1:10: not UTF-8"},
      {"NUL", "# x\n" + section(1, 1, "#" + std::string(1, '\0') + Rows.substr(2)),
       "f:3:2: a NUL character"},
      {"unknown heading", "world 1 room 1\n", "f:1:1: unknown heading"},
      {"unknown line", Maze + "hello\n", "f:100:1: unknown heading"},
      {"unknown cell", section(1, 1, floorRows("3,2,x")), "f:4:4: unknown cell 'x'"},
      {"cell outside ASCII", section(1, 1, "\xC3\xA9" + Rows.substr(1)),
       "f:2:1: unknown cell U+00E9"},
      {"empty cell", section(1, 1, floorRows("5,1,0")),
       "f:3:6: an empty cell (0): no cell is empty when a game starts"},
      {"row of 31", section(1, 1, row31), "f:2:32: a row of 31 cells, not 32"},
      {"row of 33", section(1, 1, "5" + Rows), "f:2:33: a row of 33 cells, not 32"},
      {"31 rows before a heading", section(1, 1, rows31) + section(2, 1, Rows),
       "f:33:1: world 1 floor 1 has 31 rows, not 32"},
      {"31 rows at the end", section(1, 1, rows31), "f:32:1: world 1 floor 1 has 31 rows, not 32"},
      {"floor twice", Maze + section(2, 1, Rows), "f:100:1: world 2 floor 1 given twice"},
      {"two starts", threeMazes("", floorRows("3,3,@ 4,5,@")), "f:7:5: a second start in world 1"},
      {"start on a wall", threeMazes("", floorRows("1,1,#")),
       "f:3:2: the start of world 1 is not on floor"},
      {"start on floor 2", Maze + section(1, 2, floorRows("4,4,@")),
       "f:105:5: a start off floor 1 of worlds 1 to 3"},
      {"start in world 4", Maze + section(4, 1, floorRows("4,4,@")),
       "f:105:5: a start off floor 1 of worlds 1 to 3"},
      {"no goal", threeMazes("", floorRows("29,29,.")), "f:1:1: world 1 has no goal"},
      {"second goal", threeMazes("", floorRows("3,3,B")), "f:31:30: a second goal in world 1"},
      {"goal on floor 8", Maze + section(2, 8, floorRows()),
       "f:130:30: a goal off floor 1 of worlds 1 to 3"},
      {"goal in world 5", Maze + section(5, 1, floorRows()),
       "f:130:30: a goal off floor 1 of worlds 1 to 3"},
      {"no floor 1", section(1, 1, Rows) + section(3, 1, Rows), "f:66:1: world 2 has no floor 1"},
      {"world 6", "world 6 floor 1\n", "f:1:7: world out of range (1 to 5)"},
      {"floor 0", "world 1 floor 0\n", "f:1:15: floor out of range (1 to 8)"},
      {"floor 9", "world 1  floor 9\n", "f:1:16: floor out of range (1 to 8)"},
      {"tiles 4", "world 4 tiles 4\n", "f:1:15: tile set out of range (1 to 3)"},
      {"tiles twice", "world 4 tiles 1\nworld 4 tiles 2\n",
       "f:2:1: the tiles of world 4 given twice"},
      {"newer format", "format: 2\n" + Maze, "f:1:9: made for a newer version of the game"},
      {"unknown format", "format: one\n", "f:1:9: unknown format"},
      {"title of 61", "title: " + std::string(60, 'e') + "é\n",
       "f:1:68: longer than 60 characters"},
      {"title of 60 accents",
       "title: " +
           [] {
             std::string t;
             for (int i = 0; i < 60; ++i) t += "é";
             return t;
           }() +
           "\n" + Maze,
       ""},
      {"control in author", "author: a\tb\n", "f:1:10: a control character"},
      {"bidi control in title",
       "title: ab\xE2\x80\xAE"
       "c\n",
       "f:1:10: a control character"},
      {"title twice", "title: a\ntitle: b\n", "f:2:1: title given twice"},
  };
}

TEST(WorldFile, readsOrRefusesEachFileOfTheTable) {
  for (const Case& c : Cases()) {
    WorldFile file;
    WorldFileError error;
    const bool read = readWorldFile("f", c.text, &file, &error);
    EXPECT_EQ(read ? "" : error.message(), c.refusal) << c.name;
  }
}

TEST(WorldFile, shapesWallsAndPlacesStartsGoalsAndTiles) {
  WorldFile file;
  WorldFileError error;
  const std::string text =
      threeMazes("title: t\n", floorRows("5,5,# 6,5,# 5,6,# 8,8,@")) + "world 5 tiles 3\n";
  ASSERT_TRUE(readWorldFile("f", text, &file, &error)) << error.message();
  const uint8_t* one = file.maps[0].cells;
  // The frame as the built-in mazes have it; a block of three walls shaped.
  EXPECT_EQ(one[cellIndex(0, 5, 1)], 6);
  EXPECT_EQ(one[cellIndex(31, 5, 1)], 4);
  EXPECT_EQ(one[cellIndex(5, 0, 1)], 8);
  EXPECT_EQ(one[cellIndex(5, 31, 1)], 2);
  EXPECT_EQ(one[cellIndex(0, 0, 1)], 5);
  EXPECT_EQ(one[cellIndex(5, 5, 1)], 1);
  EXPECT_EQ(one[cellIndex(6, 5, 1)], 6);  // closed on the left only
  EXPECT_EQ(one[cellIndex(5, 6, 1)], 8);  // closed above only
  EXPECT_EQ(one[cellIndex(8, 8, 1)], TileFloor);
  EXPECT_EQ(one[cellIndex(29, 29, 1)], TileGoal);
  EXPECT_EQ(one[cellIndex(0, 0, 2)], TileOutside);
  EXPECT_EQ(file.starts[0].x, 8);
  EXPECT_EQ(file.starts[1].x, 1);
  EXPECT_EQ(file.tileSets[4], 3);
  EXPECT_EQ(file.tileSets[2], 3);

  // A draft may lack a goal and have its start walled over.
  const std::string draft = section(1, 1, floorRows("29,29,# 1,1,#"));
  EXPECT_FALSE(readWorldFile("f", draft, &file, &error));
  EXPECT_TRUE(readWorldFile("f", draft, &file, &error, WorldRules::Draft));
}

TEST(WorldFile, builtInFileGivesTodaysWorldsAndIdentity) {
  WorldFile file;
  WorldFileError error;
  ASSERT_TRUE(readWorldFile("velmora.worlds", readSourceText("assets/worlds/velmora.worlds"), &file,
                            &error))
      << error.message();
  EXPECT_EQ(std::memcmp(file.maps, InitialMaps, sizeof file.maps), 0);
  const Sha256Digest maps = sha256(InitialMaps[0].cells, sizeof InitialMaps);
  EXPECT_EQ(hexDigest(maps), "d0728e2cf9059076535421172f59860bf42d5ccce6de1e270be1886b5c1e513c");
  const std::string identity = "f643d417515612f8fe3d07cb4b9d48c315436b80e0b83ef7ce76fe524eacd06a";
  EXPECT_EQ(worldsIdentity(file), identity);
  EXPECT_EQ(playedWorldsIdentity(), identity);
  EXPECT_EQ(file.title, "Velmora Keep 03");

  // Retitled and rewritten by the writer, the file keeps its identity and text.
  file.title = "Another name";
  WorldFile again;
  ASSERT_TRUE(readWorldFile("w", writeWorldFile(file), &again, &error)) << error.message();
  EXPECT_EQ(worldsIdentity(again), identity);
  EXPECT_EQ(again.title, "Another name");
  EXPECT_EQ(again.author, file.author);
  EXPECT_EQ(again.leadingComments, file.leadingComments);
}

// docs/worlds.md's whole example is a world file whose report there is
// its own.
TEST(WorldFile, theGuidesExampleReadsAsItsReportSays) {
  const std::string guide = readSourceText("docs/worlds.md");
  const size_t start = guide.find("```\n", guide.find("## A whole example")) + 4;
  WorldFile file;
  WorldFileError error;
  ASSERT_TRUE(readWorldFile("example", guide.substr(start, guide.find("```", start) - start), &file,
                            &error))
      << error.message();
  EXPECT_NE(guide.find("identity: " + worldsIdentity(file)), std::string::npos);
  EXPECT_NE(guide.find("title: " + file.title + "\n"), std::string::npos);
}

// The built-in mazes rewritten with `#`, `.` and `G` read back to the same
// codes: every wall piece of floor 1 follows the shaper, the undecided ones
// included.
TEST(WorldFile, builtInMazesRewrittenInShorthandReadBackTheSame) {
  std::string text;
  for (int w = 1; w <= CharaWorlds; ++w) {
    std::string rows;
    for (int i = 0; i < CellsPerFloor; ++i) {
      const uint8_t code = InitialMaps[w - 1].cells[i];
      rows += code == TileFloor ? '.' : code == TileGoal ? 'G' : '#';
      if (i % MapSide == MapSide - 1) rows += '\n';
    }
    text += section(w, 1, rows);
  }
  WorldFile file;
  WorldFileError error;
  ASSERT_TRUE(readWorldFile("f", text, &file, &error)) << error.message();
  for (int w = 0; w < CharaWorlds; ++w)
    EXPECT_EQ(std::memcmp(file.maps[w].cells, InitialMaps[w].cells, CellsPerFloor), 0) << w + 1;
}

TEST(WorldFile, installedWorldsStartTheNextGame) {
  WorldFile file;
  WorldFileError error;
  ASSERT_TRUE(
      readWorldFile("f", threeMazes("", floorRows("9,7,@")) + "world 1 tiles 3\n", &file, &error));
  installWorlds(file);
  startFreshGame();
  const bool played = builtInWorldsPlayed();
  const std::string identity = playedWorldsIdentity();
  installBuiltInWorlds();
  EXPECT_FALSE(played);
  EXPECT_EQ(identity, worldsIdentity(file));
  EXPECT_EQ(LeaderPos.x, 9);
  EXPECT_EQ(LeaderPos.y, 7);
  EXPECT_EQ(Charas[0].pos.x, 9);
  EXPECT_EQ(Charas[1].pos.x, 1);
  EXPECT_EQ(WorldMaps[0].cells[cellIndex(2, 2, 1)], TileFloor);
  startFreshGame();
  EXPECT_EQ(WorldMaps[0].cells[cellIndex(2, 2, 1)], InitialMaps[0].cells[cellIndex(2, 2, 1)]);
}

}  // namespace

namespace {

WorldFile fileOf(const std::string& text, WorldRules rules = WorldRules::Play) {
  WorldFile file;
  WorldFileError error;
  EXPECT_TRUE(readWorldFile("f", text, &file, &error, rules)) << error.message();
  return file;
}

TEST(WorldCheck, saysHowEachCharaReachesItsGoal) {
  const WorldFile builtIn = builtInWorldFile();
  const WorldFile corner = fileOf(threeMazes("", floorRows("29,29,. 0,0,G")));
  const WorldFile draft = fileOf(section(2, 1, floorRows("29,29,#")), WorldRules::Draft);
  const struct {
    const WorldFile* file;
    int world;
    const char* said;
  } cases[] = {
      {&builtIn, 1, "the chara reaches its goal only through walls you open"},
      {&builtIn, 2, "the chara reaches its goal without help"},
      {&builtIn, 3, "the chara reaches its goal without help"},
      {&corner, 1, "the chara cannot reach its goal"},
      {&draft, 2, "no goal"},
  };
  for (const auto& c : cases)
    EXPECT_STREQ(goalReachText(checkReach(*c.file, c.world).reach), c.said) << c.world;
  const WorldReach three = checkReach(builtIn, 3);
  EXPECT_EQ(three.goal.x * 100 + three.goal.y, 1216);
}

// Waiting never wins the built-in worlds; a file whose goals lie beside the
// starts is won on the fourth turn (the movers try their cells first), as
// the strip would say "Congratulation! Score=4997"; the records are left as
// they were.
TEST(WorldCheck, playsTheWaitingGameOnTheFilesWorlds) {
  startFreshGame();
  runStatement("UPDATE world SET fieldid = 10 WHERE worldid = 1 AND x = 3 AND y = 1");
  const RecordSnapshot before = takeSnapshot();
  const WaitingGame builtIn = playWaitingGame(builtInWorldFile());
  EXPECT_FALSE(builtIn.won);
  EXPECT_EQ(builtIn.turns, ScoreBudget);
  std::string rows = std::string(32, '5') + "\n5AB" + std::string(29, '5') + "\n";
  for (int y = 2; y < MapSide; ++y) rows += std::string(32, '5') + "\n";
  const WaitingGame beside =
      playWaitingGame(fileOf(section(1, 1, rows) + section(2, 1, rows) + section(3, 1, rows)));
  EXPECT_TRUE(beside.won);
  EXPECT_EQ(beside.turns, 4);
  EXPECT_EQ(beside.score, 4997);
  EXPECT_EQ(firstDifference(before, takeSnapshot()), "");
  EXPECT_TRUE(builtInWorldsPlayed());
}

}  // namespace
