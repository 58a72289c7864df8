// Determinism soak: hundreds of games of a few thousand random key presses
// (support/random_player.h), each played twice from a fresh start. Both runs
// must agree after every key and end in the same records and the same frame,
// the record invariants must hold after every key of both, and the second
// run must allocate nothing.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "game/game_state.h"
#include "headless/state_json.h"
#include "tests/support/alloc_counter.h"
#include "tests/support/game_fixture.h"
#include "tests/support/invariants.h"
#include "tests/support/random_player.h"
#include "ui/keyboard.h"
#include "ui/main_window.h"

namespace {

// Under the sanitizers every key costs several times more, so fewer games are
// played there; VELMORA_SOAK_GAMES overrides both counts.
#if defined(__SANITIZE_ADDRESS__)
constexpr int DefaultGames = 16;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr int DefaultGames = 16;
#else
constexpr int DefaultGames = 320;
#endif
#else
constexpr int DefaultGames = 320;
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
    if (smallRecordsFingerprint() != prints[i]) differs = int(i);
  }
  *allocations = counter.count();
  return differs;
}

bool mapsChanged() { return std::memcmp(WorldMaps, InitialMaps, sizeof WorldMaps) != 0; }

class SoakTest : public ::testing::TestWithParam<int> {};

TEST_P(SoakTest, RandomGamesReplayToTheSameStateAndKeepEveryInvariant) {
  const int shard = GetParam();
  const int games = totalGames();
  PlayReach reach;
  int played = 0;
  for (int game = shard; game < games; game += Shards) {
    const uint64_t seed = 0x5EED0000u + uint64_t(game);
    std::vector<uint16_t> keys;
    std::vector<uint64_t> prints;
    keys.reserve(KeysPerGame + 64);
    prints.reserve(KeysPerGame + 64);

    RandomPlayer player(seed, KeysPerGame, &reach);
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
