// Determinism soak: random games (arrows, Enter, Space, Tab, the case
// tables' statements typed on the grid) each played twice must agree key by
// key, keep every invariant and allocate nothing; games drawn late (from the
// records, or resumed) must show what games drawn all along show.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "game/game_state.h"
#include "headless/state_json.h"
#include "tests/support/alloc_counter.h"
#include "tests/support/fnv.h"
#include "tests/support/form_fixture.h"
#include "tests/support/invariants.h"
#include "tests/support/key_bytes.h"
#include "tests/support/rules_fixture.h"
#include "ui/command_entry.h"
#include "ui/game_resume.h"
#include "ui/keyboard.h"
#include "ui/main_window.h"

using enum platform::KeyCode;

namespace {

constexpr int Shards = 2;  // each its own CTest test, so they run side by side
constexpr int KeysPerGame = 2000;

// VELMORA_SOAK_GAMES sets the number of games: the deep run plays more.
int totalGames() {
  const char* text = std::getenv("VELMORA_SOAK_GAMES");
  return text && std::atoi(text) > 0 ? std::atoi(text) : 32;
}

// Every statement of the case tables (tests/cases/) once, in file name order,
// however often the tables repeat it, then the three that cast the search
// spell when typed in a row.
// Typed now and then on purpose: other worlds are seldom reached by chance.
constexpr const char* TravelStatement = "SELECT * FROM world WHERE worldid = 2";

std::vector<std::string> loadStatements() {
  std::vector<std::filesystem::path> files;
  for (const auto& file : std::filesystem::directory_iterator(VELMORA_SOURCE_DIR "/tests/cases")) {
    files.push_back(file.path());
  }
  std::sort(files.begin(), files.end());
  std::vector<std::string> out;
  const auto add = [&out](const std::string& statement) {
    if (std::find(out.begin(), out.end(), statement) == out.end()) out.push_back(statement);
  };
  for (const auto& file : files) {
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
      const size_t arrow = line.find(" => ");
      if (line.rfind("> ", 0) == 0) add(line.substr(2));
      if (arrow != std::string::npos && line.find('{') == std::string::npos) {
        add(line.substr(0, arrow));
      }
    }
  }
  add(TravelStatement);
  out.insert(out.end(), {"CREATE TABLE book (e VARCHAR(8), a VARCHAR(8), n INT)",
                         "INSERT INTO book (e,a,n) VALUES ('tuti','sagasu',7)",
                         "SELECT e , a , n FROM book WHERE e = 'tuti'"});
  return out;
}
const std::vector<std::string> Statements = loadStatements();
const int SpellStart = int(Statements.size()) - 3;
const int Travel =
    int(std::find(Statements.begin(), Statements.end(), TravelStatement) - Statements.begin());

// What the games reached, so a soak that stopped exercising the game (every
// statement refused, nobody moving) fails instead of passing quietly.
struct Reach {
  int statements = 0, worldChanges = 0, tablesMade = 0, mapsChanged = 0, spellsCast = 0;
};

// Positions, mode, score, seeds, cursor, status and rights, hashed (FNV-1a).
uint64_t fingerprint() {
  Fnv1a h;
  h.bytes(&LeaderPos, sizeof LeaderPos), h.bytes(Charas, sizeof Charas),
      h.bytes(&GameMode, sizeof GameMode);
  h.bytes(&Score, sizeof Score), h.bytes(&SeedCounter, sizeof SeedCounter);
  h.bytes(&RandomState, sizeof RandomState), h.bytes(&CursorCol, 1), h.bytes(&CursorRow, 1);
  h.bytes(&CommandLength, 1), h.bytes(StatusText, sizeof StatusText),
      h.bytes(Authority, sizeof Authority);
  return h.value;
}

// Plays one game as bytes of key_bytes.h chosen at random by a generator of
// its own (splitmix64), so the keys never depend on the game's generator:
// statements typed and submitted in command entry, random keys and picks
// anywhere. Each key is recorded with the fingerprint after it.
class RandomPlayer {
 public:
  RandomPlayer(uint64_t seed, Reach* reach, int budget = KeysPerGame)
      : state_(seed), reach_(reach), budget_(budget) {}
  std::vector<uint16_t> keys;
  std::vector<uint64_t> prints;

  void play() {
    showFreshTitle();
    while (int(keys.size()) < budget_ && GameMode != ModeCleared) {
      std::string bytes;
      const bool statement = GameMode == ModeCommand && (spell_ > 0 || below(100) < 65);
      if (statement) {
        size_t shape = size_t(below(int(Statements.size())));
        if (spell_ > 0) {
          shape = size_t(SpellStart + 3 - spell_--);
        } else if (below(100) < 8) {
          shape = size_t(SpellStart), spell_ = 2;
        } else if (below(100) < 4) {
          shape = size_t(Travel);
        }
        for (char c : Statements[shape] + char(SubmitCode)) {
          // Now and then another digit: other worlds, cells past the edges, other tiles.
          if (c >= '0' && c <= '9' && below(4) == 0) c = char('0' + below(10));
          const uint8_t* cell = std::find(CharGrid, CharGrid + FirstPlayableByte, uint8_t(c));
          if (cell != CharGrid + FirstPlayableByte) bytes += char(cell - CharGrid);
        }
      } else if (GameMode == ModeField && (spell_ > 0 || below(100) < 8)) {
        bytes += char(FirstPlayableByte + 6);  // Enter
      } else {  // runs of one key walk corridors; picks are grid characters
        const int b = below(256);
        bytes.append(size_t(1 + below(b < FirstPlayableByte ? 3 : 6)), char(b));
      }
      press(bytes);
      reach_->statements += statement;
      reach_->spellsCast += statement && std::strncmp(StatusText, "lafolue:", 8) == 0;
    }
    press(std::string(10, char(FirstPlayableByte + below(7))));  // a won game stays won
    reach_->worldChanges += sawWorldChange_;
    reach_->tablesMade += sawTable_;
  }

 private:
  int below(int n) {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return int(uint32_t((z ^ (z >> 31)) >> 32) % uint32_t(n));
  }

  void press(const std::string& bytes) {
    pressKeysOf(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), [this](uint16_t key) {
      FormKeyDown(key);
      keys.push_back(key);
      prints.push_back(fingerprint());
      sawWorldChange_ |= LeaderPos.world != 1 && GameMode != ModeTitle;
      for (const PlayerTable& t : playerTables) sawTable_ |= t.name[0] != '\0';
      return int(keys.size()) < budget_ + 10;
    });
  }

  uint64_t state_;
  Reach* reach_;
  int budget_;
  int spell_ = 0;  // statements of the spell still to type
  bool sawWorldChange_ = false, sawTable_ = false;
};

// Every record, the state as `state` prints it, and the frame on show.
std::string endState() {
  std::string end = gameStateJson();
  for (const auto& [record, size] : std::initializer_list<std::pair<const void*, size_t>>{
           {WorldMaps, sizeof WorldMaps},
           {tokens, sizeof tokens},
           {tokenLengths, sizeof tokenLengths},
           {&lastToken, sizeof lastToken},
           {&RandomState, sizeof RandomState},
           {Form1.Image1.pixels(), 4u * Form1.Image1.width() * Form1.Image1.height()}}) {
    end.append(static_cast<const char*>(record), size);
  }
  return end;
}

class Soak : public ::testing::TestWithParam<int> {};

TEST_P(Soak, RandomGamesReplayToTheSameStateAndKeepEveryInvariant) {
  Reach reach;
  int played = 0;
  for (int game = GetParam(); game < totalGames(); game += Shards, ++played) {
    RandomPlayer player(0x5EED0000u + uint64_t(game), &reach);
    player.play();
    reach.mapsChanged += std::memcmp(WorldMaps, InitialMaps, sizeof WorldMaps) != 0;
    const std::string first = endState();

    showFreshTitle();
    std::string why;
    const AllocationCounter counter;
    for (size_t i = 0; i < player.keys.size(); ++i) {
      FormKeyDown(player.keys[i]);
      ASSERT_TRUE(checkInvariants(&why)) << "game " << game << ", key " << i + 1 << ": " << why;
      ASSERT_EQ(fingerprint(), player.prints[i]) << "game " << game << ", key " << i + 1;
    }
    EXPECT_EQ(counter.count(), 0) << "game " << game;
    ASSERT_TRUE(endState() == first) << "game " << game << ": the runs end apart";
  }
  // The games went well beyond the title and the first corridor.
  EXPECT_GE(reach.statements, played * 3);
  if (played >= 16) {
    EXPECT_GT(reach.worldChanges, 0);
    EXPECT_GT(reach.tablesMade, 0);
    EXPECT_GT(reach.mapsChanged, 0);
    EXPECT_GT(reach.spellsCast, 0);
  }
}

INSTANTIATE_TEST_SUITE_P(Shards, Soak, ::testing::Range(0, Shards));

// The checker the soak and the fuzzers trust: a started game passes, and
// each kind of broken record is caught and named.
TEST(Invariants, BrokenRecordsAreCaughtAndNamed) {
  const std::pair<void (*)(), const char*> cases[] = {
      {[] {}, ""},
      {[] { std::memset(StatusText, 'x', StatusSize); }, "StatusText"},
      {[] { std::memset(CommandLine, 'a', 5), CommandLength = 4; }, "CommandLength"},
      {[] { std::strcpy(CommandLine, "a$"), CommandLength = 2; }, "CommandLine character 1"},
      {[] { Score = 5001; }, "Score"},
      {[] { lastToken = TokenSlots; }, "lastToken"},
      {[] { WorldMaps[0].cells[cellIndex(3, 4, 1)] = 12; }, "world 1"},
      {[] { WorldMaps[1].cells[cellIndex(0, 1, 2)] ^= 1; }, "floor 2"},
      {[] { LeaderPos.x = 33; }, "leader"},
      {[] { Charas[1].pos.world = 1; }, "chara 3"},
      {[] { Charas[0].moveKind = 4; }, "kind"},
      {[] { playerTables[1].rowCount = 1; }, "free table slot 1"},
      {[] { Authority[3].privileges[0][0] = 2; }, "privilege flag is 2"},
  };
  for (const auto& [breakIt, named] : cases) {
    startFreshGame();
    breakIt();
    std::string why;
    EXPECT_EQ(checkInvariants(&why), *named == '\0') << named;
    EXPECT_NE(why.find(named), std::string::npos) << why;
  }
}

// The part of the frame the player sees, row by row.
std::vector<uint32_t> visibleFrame() {
  std::vector<uint32_t> seen;
  for (int y = 0; y < ViewHeight; ++y)
    for (int x = 0; x < ViewWidth; ++x) seen.push_back(Form1.Image1.pixel(x, y));
  return seen;
}

// Paints every surface so that a frame left undrawn cannot pass for one.
void smearSurfaces() {
  for (platform::Canvas* c : {&Form1.Image1, &Form1.Image2, &Form1.GridPicture}) {
    c->setBrushStyle(platform::BrushSolid);
    c->setBrushColor(0xFF00FF);
    c->fillRect(c->clipRect());
  }
}

// A game played without drawing shows the frame and the records of the game
// drawn all along, whichever way its drawing starts: a headless replay's
// first screenshot (drawing from the records) or a resumed recording (its keys
// replayed undrawn, the last one drawn). Nothing is allocated, neither in the
// drawn game nor in the resumed one. Random games end in every mode; the two
// ways of winning end with the message over the field and over the grid.
TEST(NoDraw, DrawingStartedLateShowsTheFrameOfAGameDrawnAllAlong) {
  std::vector<std::vector<uint16_t>> games;
  Reach reach;
  const int budgets[] = {0, 1, 2, 9, 40, 130, 400, 900, 1600};
  for (uint64_t seed = 0; seed < 18; ++seed) {
    RandomPlayer player(seed + 51, &reach, budgets[seed % 9] + 12);
    player.play();
    games.push_back(player.keys);
  }
  // One character composed, then a key that leaves the strip as it was.
  games.push_back({KeySpace, KeyEnter, KeySpace, KeyRight});
  for (const uint16_t winningKey : {uint16_t(KeyRight), uint16_t(KeyEnter)}) {
    games.push_back({KeySpace, KeyUp, KeySpace, KeyUp, winningKey, KeyUp, KeyEnter, KeyTab});
  }
  for (size_t g = 0; g < games.size(); ++g) {
    const std::vector<uint16_t>& keys = games[g];
    // The picture is asked for a few keys before the end; the rest follow drawn.
    const bool won = g >= games.size() - 2;
    const size_t late = won ? 5 : keys.size() < 6 ? keys.size() : keys.size() - 6;
    // 0: drawn all along; 1: drawing started from the records; 2: resumed.
    std::vector<uint32_t> frames[3];
    std::string records[3];
    for (int run = 0; run < 3; ++run) {
      std::vector<uint16_t> first(keys.begin(), keys.begin() + long(late));
      if (won) first.resize(4);  // the win needs its arrivals first
      showFreshTitle();
      if (run == 1) {
        smearSurfaces();
        setFormDrawing(false);
      }
      // The won games' charas have all arrived when the fifth key wins.
      const auto press = [&](size_t k) {
        if (won && k == 4) {
          for (CharaRec& c : Charas) c.moveKind = MoveArrived;
        }
        FormKeyDown(keys[k]);
      };
      const AllocationCounter before;
      if (run == 2) {
        playRecordedKeys(first);
        for (size_t k = first.size(); k < late; ++k) press(k);
      } else {
        for (size_t k = 0; k < late; ++k) press(k);
        if (run == 1) startDrawingFromRecords();
      }
      long allocations = before.count();
      frames[run] = visibleFrame();
      const AllocationCounter after;
      for (size_t k = late; k < keys.size(); ++k) press(k);
      allocations += after.count();
      if (run != 1) {
        EXPECT_EQ(allocations, 0) << "game " << g << ", run " << run;
      }
      records[run] =
          gameStateJson() + std::string(reinterpret_cast<const char*>(WorldMaps), sizeof WorldMaps);
      const std::vector<uint32_t> end = visibleFrame();
      frames[run].insert(frames[run].end(), end.begin(), end.end());
    }
    for (int run : {1, 2}) {
      EXPECT_TRUE(records[run] == records[0]) << "game " << g << ", run " << run;
      EXPECT_TRUE(frames[run] == frames[0])
          << "game " << g << ", run " << run << ", " << keys.size() << " keys";
    }
  }
  EXPECT_EQ(GameMode, ModeCleared);
}

}  // namespace
