// Determinism soak: games of a few thousand random key presses (arrows,
// Enter, Space, Tab, the case tables' statements typed on the grid with some
// digits changed, random grid characters), each played twice from a fresh title.
// The second run must agree with the first after every key, end in the same
// records, state and frame, keep every record invariant and allocate nothing.
// Also: the invariant checker itself notices broken records.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "ui/command_entry.h"
#include "game/game_state.h"
#include "ui/keyboard.h"
#include "ui/main_window.h"
#include "headless/state_json.h"
#include "ui/game_resume.h"
#include "tests/support/alloc_counter.h"
#include "tests/support/form_fixture.h"
#include "tests/support/rules_fixture.h"
#include "tests/support/headless_run.h"
#include "tests/support/invariants.h"
#include "tests/support/key_bytes.h"

namespace {

constexpr int Shards = 2;  // each its own CTest test, so they run side by side
constexpr int KeysPerGame = 2000;

// VELMORA_SOAK_GAMES sets the number of games: the deep run plays more.
int totalGames() {
  const char* text = std::getenv("VELMORA_SOAK_GAMES");
  return text && std::atoi(text) > 0 ? std::atoi(text) : 32;
}

// Every statement of the case tables (tests/cases/), then the three that
// cast the search spell when typed in a row.
std::vector<std::string> loadStatements() {
  std::vector<std::string> out;
  for (const auto& file : std::filesystem::directory_iterator(VELMORA_SOURCE_DIR "/tests/cases")) {
    std::ifstream in(file.path());
    for (std::string line; std::getline(in, line);) {
      const size_t arrow = line.find(" => ");
      if (line.rfind("> ", 0) == 0) out.push_back(line.substr(2));
      if (arrow != std::string::npos && line.find('{') == std::string::npos) {
        out.push_back(line.substr(0, arrow));
      }
    }
  }
  out.insert(out.end(), {"CREATE TABLE book (e VARCHAR(8), a VARCHAR(8), n INT)",
                         "INSERT INTO book (e,a,n) VALUES ('tuti','sagasu',7)",
                         "SELECT e , a , n FROM book WHERE e = 'tuti'"});
  return out;
}
const std::vector<std::string> Statements = loadStatements();
const int SpellStart = int(Statements.size()) - 3;

// What the games reached, so a soak that stopped exercising the game (every
// statement refused, nobody moving) fails instead of passing quietly.
struct Reach {
  int statements = 0, worldChanges = 0, tablesMade = 0, mapsChanged = 0, spellsCast = 0;
};

// Positions, mode, score, seeds, cursor, status and rights, hashed (FNV-1a).
uint64_t fingerprint() {
  uint64_t h = 1469598103934665603ull;
  const auto mix = [&h](const void* data, size_t size) {
    for (size_t i = 0; i < size; ++i)
      h = (h ^ static_cast<const uint8_t*>(data)[i]) * 1099511628211ull;
  };
  mix(&LeaderPos, sizeof LeaderPos), mix(Charas, sizeof Charas), mix(&GameMode, sizeof GameMode);
  mix(&Score, sizeof Score), mix(&SeedCounter, sizeof SeedCounter);
  mix(&RandomState, sizeof RandomState), mix(&CursorCol, 1), mix(&CursorRow, 1);
  mix(&CommandLength, 1), mix(StatusText, sizeof StatusText), mix(Authority, sizeof Authority);
  return h;
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

// The script without its screenshots, a `state` after every fifth line, and
// the floor of every world at the end.
std::string withStates(const std::string& script) {
  std::istringstream in(script);
  std::string out;
  int lines = 0;
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("screenshot", 0) == 0) continue;
    out += line + (++lines % 5 == 0 ? "\nstate\n" : "\n");
  }
  for (int world = 1; world <= 5; ++world) out += "map " + std::to_string(world) + " 1\n";
  return out;
}

// Games played without drawing end as drawn ones do: the committed games and
// random games, replayed by the program with and without a screenshot asked
// for, print the same states every few keys and the same maps.
TEST(NoDraw, GamesReplayedUndrawnPrintWhatDrawnOnesPrint) {
  std::vector<std::string> scripts;
  for (const char* name : {"every_mode", "spell", "winning_game"}) {
    scripts.push_back(withStates(sourceFile(std::string("tests/scripts/") + name + ".txt")));
  }
  Reach reach;
  for (uint64_t seed = 1; seed <= 4; ++seed) {
    RandomPlayer player(seed, &reach, 1500);
    player.play();
    std::string script;
    for (uint16_t key : player.keys) {  // a script names codes 1 to 255
      if (key >= 1 && key <= 255) script += "key " + std::to_string(key) + "\n";
    }
    scripts.push_back(withStates(script));
  }
  for (const std::string& script : scripts) {
    const HeadlessRun undrawn = runVelmora("--headless {script}", script);
    const HeadlessRun drawn = runVelmora("--headless {script}", script + "screenshot /dev/null\n");
    ASSERT_EQ(undrawn.status, 0) << undrawn.err;
    EXPECT_GE(std::count(undrawn.out.begin(), undrawn.out.end(), '{'), 10);
    EXPECT_EQ(undrawn.out, drawn.out) << script.substr(0, 400);
  }
}

// A resumed game, replayed undrawn, shows the frame and the records the drawn
// game left, without allocating.
TEST(NoDraw, AResumedGameShowsTheDrawnGamesFrameAndRecords) {
  // From a single title key to long games, so that they end in every mode.
  const int budgets[] = {1, 2, 9, 40, 130, 400, 900, 1600};
  Reach reach;
  for (uint64_t seed = 0; seed < 16; ++seed) {
    RandomPlayer player(seed + 21, &reach, budgets[seed % 8]);
    player.play();
    const std::string records = gameStateJson();
    const std::vector<uint32_t> seen = visibleFrame();
    showFreshTitle();
    AllocationCounter allocations;
    playRecordedKeys(player.keys);
    EXPECT_EQ(allocations.count(), 0) << "seed " << seed;
    EXPECT_EQ(gameStateJson(), records) << "seed " << seed;
    // What the player sees; the columns beyond it keep older frames' leftovers.
    EXPECT_EQ(visibleFrame(), seen) << "seed " << seed;
  }
}

}  // namespace

// The random games seldom win: the winning turn and the keys after it are
// checked on their own, in both ways a game is won (a step, or Enter).
TEST(NoAlloc, TheWinAndTheKeysAfterItAllocateNothing) {
  for (const uint16_t winningKey : {uint16_t(KeyRight), uint16_t(KeyEnter)}) {
    showFreshTitle();
    FormKeyDown(KeySpace);
    for (CharaRec& c : Charas) c.moveKind = MoveArrived;
    const AllocationCounter counter;
    for (const uint16_t key : {winningKey, uint16_t(KeyUp), uint16_t(KeyEnter), uint16_t(KeySpace),
                               uint16_t(KeyTab), uint16_t('A')}) {
      FormKeyDown(key);
    }
    EXPECT_EQ(GameMode, ModeCleared) << "won by key " << winningKey;
    EXPECT_EQ(counter.count(), 0) << "won by key " << winningKey;
  }
}
