// Determinism soak: hundreds of pseudo-random games, each a few thousand key
// presses through FormKeyDown (arrows, Enter, Space and Tab, statements of
// every family typed on the grid with random numbers, and random grid
// characters), each played twice from a fresh start. Both runs must agree
// after every key and end in the same records and the same frame, and the
// record invariants must hold after every key of both.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "shell/command_entry.h"
#include "shell/game_state.h"
#include "shell/keyboard.h"
#include "shell/main_window.h"
#include "shell/state_json.h"
#include "tests/support/alloc_counter.h"
#include "tests/support/game_fixture.h"
#include "tests/support/invariants.h"

namespace {

// Under the sanitizers every key costs several times more, so fewer games are
// played there; VELMORA_SOAK_GAMES overrides both counts.
#if defined(__SANITIZE_ADDRESS__)
constexpr int DefaultGames = 16;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr int DefaultGames = 16;
#else
constexpr int DefaultGames = 200;
#endif
#else
constexpr int DefaultGames = 200;
#endif
constexpr int Shards = 8;  // each its own CTest test, so they can run side by side
constexpr int KeysPerGame = 2000;

int totalGames() {
  if (const char* text = std::getenv("VELMORA_SOAK_GAMES")) {
    const int n = std::atoi(text);
    if (n > 0) return n;
  }
  return DefaultGames;
}

// The soak's own generator (splitmix64), apart from the game's, so that the
// keys chosen never depend on the generator under test.
struct SoakRandom {
  uint64_t state;
  uint32_t next() {
    uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return uint32_t((z ^ (z >> 31)) >> 32);
  }
  int below(int n) { return int(next() % uint32_t(n)); }
  bool chance(int percent) { return below(100) < percent; }
};

// The statements a player writes, one of each shape the game reads. A '#'
// and a letter is filled at random: w world, x a coordinate, f a tile code,
// k a charaid, p a privilege word, t a table name, n a small number.
constexpr const char* Shapes[] = {
    "SELECT * FROM world WHERE worldid=#w",
    "SELECT * FROM world WHERE worldid=#w AND x=#x AND y=#x",
    "SELECT * FROM world WHERE x=#x AND y=#x",
    "SELECT reliability FROM world WHERE worldid=#w AND charaid=#k",
    "SELECT * FROM party WHERE charaid=#k",
    "INSERT INTO world (worldid,x,y,fieldid) VALUES (#w,#x,#x,#f)",
    "INSERT INTO world (x,y,fieldid) VALUES (#x,#x,#f)",
    "INSERT INTO world (fieldid) VALUES (#f)",
    "DELETE FROM world",
    "DELETE FROM world WHERE worldid=#w AND x=#x AND y=#x",
    "UPDATE world SET fieldid=#f WHERE worldid=#w AND x=#x AND y=#x",
    "UPDATE world SET fieldid=#f",
    "GRANT #p ON world#w TO player",
    "REVOKE #p ON world#w FROM player",
    "CREATE TABLE #t (e VARCHAR(#n), a VARCHAR(8), n INT)",
    "INSERT INTO #t (e,a,n) VALUES ('tuti','sagasu',#f)",
    "INSERT INTO #t (e,a,n) VALUES ('x#n','y',#n)",
    "SELECT e , a , n FROM #t WHERE e = 'tuti'",
    "SELECT * FROM #t WHERE n = #n",
    "ALTER TABLE #t ADD d#n INT",
    "DROP TABLE #t",
    "\\v",
    "\\q",
    "ROLLBACK",
};

constexpr const char* Privileges[] = {"ALL", "SELECT", "INSERT", "DELETE", "UPDATE", "update"};
constexpr const char* TableNames[] = {"book", "t", "m", "Abc"};

// A spell needs three statements in a row: the table, the row that holds
// the spell's words, and the SELECT that casts it.
constexpr const char* SpellSequence[] = {
    "CREATE TABLE book (e VARCHAR(8), a VARCHAR(8), n INT)",
    "INSERT INTO book (e,a,n) VALUES ('tuti','sagasu',#f)",
    "SELECT e , a , n FROM book WHERE e = 'tuti'",
};

std::string fillShape(const char* shape, SoakRandom& random) {
  std::string out;
  for (const char* c = shape; *c != '\0'; ++c) {
    if (*c != '#' || c[1] == '\0') {
      out += *c;
      continue;
    }
    switch (*++c) {
      case 'w':  // mostly the three mazes, now and then a world with none
        out += std::to_string(random.chance(85) ? 1 + random.below(3) : random.below(7));
        break;
      case 'x':  // coordinates a little past both edges as well
        out += std::to_string(random.below(35) - 1);
        break;
      case 'f':
        out += std::to_string(random.below(13));
        break;
      case 'k':
        out += std::to_string(random.below(8));
        break;
      case 'p':
        out += Privileges[random.below(6)];
        break;
      case 't':
        out += TableNames[random.below(4)];
        break;
      default:
        out += std::to_string(random.below(40));
        break;
    }
  }
  return out;
}

// Fingerprint of the small records after a key: the two runs must agree on
// it key by key, so a difference is found where it starts.
uint64_t fingerprint() {
  uint64_t h = 1469598103934665603ull;
  auto mix = [&h](const void* data, size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (size_t i = 0; i < size; ++i) h = (h ^ bytes[i]) * 1099511628211ull;
  };
  mix(&LeaderPos, sizeof LeaderPos);
  mix(Charas, sizeof Charas);
  mix(&GameMode, sizeof GameMode);
  mix(&Score, sizeof Score);
  mix(&SeedCounter, sizeof SeedCounter);
  mix(&RandomState, sizeof RandomState);
  mix(&CursorCol, 1);
  mix(&CursorRow, 1);
  mix(&CommandLength, 1);
  mix(StatusText, sizeof StatusText);
  mix(Authority, sizeof Authority);
  return h;
}

// Everything a game leaves behind: every record byte for byte, the state as
// the headless `state` command prints it, and the frame on show.
struct EndState {
  std::vector<unsigned char> records;
  std::string json;
  std::vector<uint32_t> frame;
};

template <typename T>
void append(std::vector<unsigned char>& out, const T& record) {
  const size_t at = out.size();
  out.resize(at + sizeof record);
  std::memcpy(out.data() + at, &record, sizeof record);
}

EndState captureEnd() {
  EndState end;
  end.records.reserve(sizeof WorldMaps + sizeof playerTables + sizeof tokens + 4096);
  append(end.records, WorldMaps);
  append(end.records, LeaderPos);
  append(end.records, Charas);
  append(end.records, GameMode);
  append(end.records, CommandLine);
  append(end.records, LastCommand);
  append(end.records, CommandLength);
  append(end.records, StatusText);
  append(end.records, Score);
  append(end.records, SeedCounter);
  append(end.records, RandomState);
  append(end.records, Authority);
  append(end.records, playerTables);
  append(end.records, tokens);
  append(end.records, tokenLengths);
  append(end.records, lastToken);
  end.json = gameStateJson();
  const platform::Canvas& frame = Form1.Image1;
  end.frame.assign(frame.pixels(), frame.pixels() + size_t(frame.width()) * frame.height());
  return end;
}

// What the shard's games reached, so a soak that stopped exercising the game
// (every statement refused, nobody moving) fails instead of passing quietly.
struct Reach {
  int statements = 0;
  int worldChanges = 0;  // the leader left world 1
  int tablesMade = 0;    // a table slot held a table
  int mapsChanged = 0;   // a game ended with a working map unlike the built-in one
  int spellsCast = 0;    // the search spell answered
  int wins = 0;
};

// One game played by the soak's generator: run 1 chooses the keys (they
// depend on where the cursor is), records them with a fingerprint after
// each, and checks the invariants.
class Player {
 public:
  Player(uint64_t seed, Reach* reach) : random_{seed}, reach_(reach) {}

  bool play(std::vector<uint16_t>* keys, std::vector<uint64_t>* prints) {
    keys_ = keys;
    prints_ = prints;
    showFreshTitle();
    while (ok_ && int(keys_->size()) < KeysPerGame) {
      switch (GameMode) {
        case ModeTitle:
          press(uint16_t(1 + random_.below(255)));  // any key starts
          break;
        case ModeField:
          fieldMove();
          break;
        case ModeCommand:
          commandMove();
          break;
        default:  // won: a few idle keys, then the game is over
          ++reach_->wins;
          for (int i = 0; i < 10 && ok_; ++i) press(playableKey());
          return finish();
      }
    }
    return finish();
  }

  const std::string& failure() const { return failure_; }

 private:
  // Adds what this game reached to the shard's tally.
  bool finish() {
    reach_->worldChanges += sawWorldChange_;
    reach_->tablesMade += sawTable_;
    return ok_;
  }

  uint16_t playableKey() {
    constexpr uint16_t Playable[] = {KeyUp, KeyDown, KeyLeft, KeyRight, KeyEnter, KeySpace, KeyTab};
    return Playable[random_.below(7)];
  }

  void press(uint16_t key) {
    FormKeyDown(key);
    keys_->push_back(key);
    prints_->push_back(fingerprint());
    std::string why;
    if (!checkInvariants(&why)) {
      ok_ = false;
      failure_ =
          "after key " + std::to_string(keys_->size()) + " (" + std::to_string(key) + "): " + why;
    }
    if (LeaderPos.world != 1 && GameMode != ModeTitle) sawWorldChange_ = true;
    for (const PlayerTable& t : playerTables) {
      if (t.name[0] != '\0') sawTable_ = true;
    }
  }

  void fieldMove() {
    const int roll = random_.below(100);
    if (roll < 8 || pending_ > 0) {
      press(KeyEnter);
    } else if (roll < 10) {
      press(random_.chance(50) ? KeySpace : KeyTab);  // nothing to do in the field
    } else {
      constexpr uint16_t Arrows[] = {KeyUp, KeyDown, KeyLeft, KeyRight};
      // Runs of the same arrow walk corridors instead of shuffling in place.
      const uint16_t arrow = Arrows[random_.below(4)];
      for (int n = 1 + random_.below(6); n > 0 && ok_; --n) press(arrow);
    }
  }

  void commandMove() {
    if (pending_ > 0) {
      typeText(fillShape(SpellSequence[std::size(SpellSequence) - pending_], random_));
      submit();
      --pending_;
      return;
    }
    const int roll = random_.below(100);
    if (roll < 5) {
      pending_ = int(std::size(SpellSequence));
    } else if (roll < 65) {
      typeText(fillShape(Shapes[random_.below(std::size(Shapes))], random_));
      submit();
    } else if (roll < 80) {
      // Random grid characters, erase and submit cells included.
      std::string text;
      for (int n = 1 + random_.below(20); n > 0; --n) {
        text += char(CharGrid[random_.below(GridCols * GridRows)]);
      }
      typeText(text);
      if (GameMode == ModeCommand && random_.chance(70)) submit();
    } else {
      for (int n = 1 + random_.below(30); n > 0 && ok_ && GameMode == ModeCommand; --n) {
        constexpr uint16_t GridKeys[] = {KeyUp, KeyDown, KeyLeft, KeyRight, KeySpace, KeyTab};
        press(GridKeys[random_.below(6)]);
      }
    }
  }

  // Walks the cursor to a cell holding c (the first one in the grid) along
  // the shorter way round each axis, and picks it.
  void typeChar(uint8_t c) {
    int target = 0;
    while (target < GridCols * GridRows && CharGrid[target] != c) ++target;
    if (target == GridCols * GridRows) return;
    walkAxis(CursorCol, target % GridCols, GridCols, KeyRight, KeyLeft);
    walkAxis(CursorRow, target / GridCols, GridRows, KeyDown, KeyUp);
    if (ok_ && GameMode == ModeCommand) press(KeySpace);
  }

  void walkAxis(const uint8_t& at, int to, int size, uint16_t forward, uint16_t back) {
    const int ahead = (to - at + size) % size;
    const uint16_t key = ahead <= size - ahead ? forward : back;
    while (ok_ && GameMode == ModeCommand && at != to) press(key);
  }

  void typeText(const std::string& text) {
    for (char c : text) {
      if (!ok_ || GameMode != ModeCommand || int(keys_->size()) >= KeysPerGame) return;
      typeChar(uint8_t(c));
    }
  }

  void submit() {
    if (!ok_ || GameMode != ModeCommand) return;
    typeChar(SubmitCode);
    ++reach_->statements;
    if (std::strncmp(StatusText, "lafolue:", 8) == 0) ++reach_->spellsCast;
  }

 private:
  SoakRandom random_;
  Reach* reach_;
  std::vector<uint16_t>* keys_ = nullptr;
  std::vector<uint64_t>* prints_ = nullptr;
  bool ok_ = true;
  bool sawWorldChange_ = false;
  bool sawTable_ = false;
  int pending_ = 0;  // statements of SpellSequence still to type
  std::string failure_;
};

// Run 2: the same keys from a fresh start. Returns the index of the first key
// after which the fingerprint differs, or -1 when every one agrees, and sets
// *allocations to the allocations the key presses made (none is allowed,
// whatever the mode).
int replay(const std::vector<uint16_t>& keys, const std::vector<uint64_t>& prints,
           std::string* broken, long* allocations) {
  showFreshTitle();
  AllocationCounter counter;
  int differs = -1;
  for (size_t i = 0; i < keys.size() && differs < 0; ++i) {
    FormKeyDown(keys[i]);
    if (broken->empty() && !checkInvariants(broken)) {
      *broken = "after key " + std::to_string(i + 1) + ": " + *broken;
    }
    if (fingerprint() != prints[i]) differs = int(i);
  }
  *allocations = counter.count();
  return differs;
}

bool mapsChanged() { return std::memcmp(WorldMaps, InitialMaps, sizeof WorldMaps) != 0; }

class SoakTest : public ::testing::TestWithParam<int> {};

TEST_P(SoakTest, RandomGamesReplayToTheSameStateAndKeepEveryInvariant) {
  const int shard = GetParam();
  const int games = totalGames();
  Reach reach;
  int played = 0;
  for (int game = shard; game < games; game += Shards) {
    const uint64_t seed = 0x5EED0000u + uint64_t(game);
    std::vector<uint16_t> keys;
    std::vector<uint64_t> prints;
    keys.reserve(KeysPerGame + 64);
    prints.reserve(KeysPerGame + 64);

    Player player(seed, &reach);
    const bool kept = player.play(&keys, &prints);
    ASSERT_TRUE(kept) << "game " << game << ", first run: " << player.failure();
    reach.mapsChanged += mapsChanged();
    const EndState first = captureEnd();

    std::string broken;
    long allocations = 0;
    const int differs = replay(keys, prints, &broken, &allocations);
    ASSERT_EQ(differs, -1) << "game " << game << ": the second run parts from the first after key "
                           << differs + 1 << " of " << keys.size();
    ASSERT_TRUE(broken.empty()) << "game " << game << ", second run: " << broken;
    EXPECT_EQ(allocations, 0) << "game " << game << ": " << keys.size() << " key presses";
    const EndState second = captureEnd();
    ASSERT_EQ(first.json, second.json) << "game " << game;
    ASSERT_TRUE(first.records == second.records) << "game " << game << ": records differ";
    ASSERT_TRUE(first.frame == second.frame) << "game " << game << ": frames differ";
    ++played;
  }
  if (played == 0) GTEST_SKIP() << "no game falls to shard " << shard << " of " << games;

  // Each shard's games go well beyond the title and the first corridor; with
  // the few games of a sanitizer build only the count of statements is sure.
  EXPECT_GE(reach.statements, played * 3);
  if (played >= 8) {
    EXPECT_GT(reach.worldChanges, 0);
    EXPECT_GT(reach.tablesMade, 0);
    EXPECT_GT(reach.mapsChanged, 0);
    EXPECT_GT(reach.spellsCast, 0);
  }
  RecordProperty("games", played);
  RecordProperty("statements", reach.statements);
  RecordProperty("wins", reach.wins);
  RecordProperty("spells", reach.spellsCast);
}

INSTANTIATE_TEST_SUITE_P(Shards, SoakTest, ::testing::Range(0, Shards));

}  // namespace
