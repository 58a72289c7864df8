// Determinism soak: games of a few thousand random key presses
// (support/random_player.h), each played twice from a fresh start. Both runs
// must agree after every key and end in the same records, state and frame;
// the record invariants must hold after every key; the second run must
// allocate nothing. Also: the invariant checker itself notices broken records.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "game/game_state.h"
#include "ui/keyboard.h"
#include "ui/main_window.h"
#include "headless/state_json.h"
#include "tests/support/alloc_counter.h"
#include "tests/support/game_fixture.h"
#include "tests/support/invariants.h"
#include "tests/support/random_player.h"
#include "tests/support/statement_fixture.h"

namespace {

// VELMORA_SOAK_GAMES sets the number of games: the normal run plays a few
// per shard, the deep run many more.
constexpr int Shards = 2;  // each its own CTest test, so they run side by side
constexpr int KeysPerGame = 2000;

int totalGames() {
  const char* text = std::getenv("VELMORA_SOAK_GAMES");
  const int n = text ? std::atoi(text) : 0;
  return n > 0 ? n : 32;
}

// Every record, the state as `state` prints it, and the frame on show.
std::string endState() {
  std::string end = gameStateJson();
  const auto add = [&end](const void* record, size_t size) {
    end.append(static_cast<const char*>(record), size);
  };
  add(WorldMaps, sizeof WorldMaps);
  add(tokens, sizeof tokens);
  add(tokenLengths, sizeof tokenLengths);
  add(&lastToken, sizeof lastToken);
  add(&RandomState, sizeof RandomState);
  add(Form1.Image1.pixels(), sizeof(uint32_t) * Form1.Image1.width() * Form1.Image1.height());
  return end;
}

class Soak : public ::testing::TestWithParam<int> {};

TEST_P(Soak, RandomGamesReplayToTheSameStateAndKeepEveryInvariant) {
  PlayReach reach;
  int played = 0;
  for (int game = GetParam(); game < totalGames(); game += Shards, ++played) {
    std::vector<uint16_t> keys;
    std::vector<uint64_t> prints;
    keys.reserve(KeysPerGame + 64);
    prints.reserve(KeysPerGame + 64);
    RandomPlayer player(0x5EED0000u + uint64_t(game), KeysPerGame, &reach);
    ASSERT_TRUE(player.play(&keys, &prints)) << "game " << game << ": " << player.failure();
    reach.mapsChanged += std::memcmp(WorldMaps, InitialMaps, sizeof WorldMaps) != 0;
    const std::string first = endState();

    showFreshTitle();
    std::string broken;
    const AllocationCounter counter;
    for (size_t i = 0; i < keys.size(); ++i) {
      FormKeyDown(keys[i]);
      if (broken.empty() && !checkInvariants(&broken)) broken = "key " + std::to_string(i + 1);
      ASSERT_EQ(smallRecordsFingerprint(), prints[i]) << "game " << game << ", key " << i + 1;
    }
    EXPECT_EQ(counter.count(), 0) << "game " << game;
    ASSERT_EQ(broken, "") << "game " << game << ", second run";
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
  const struct {
    void (*breakIt)();
    const char* named;
  } cases[] = {
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
      {[] { Authority[3].privileges[0][0] = 2; }, "privilege 0"},
  };
  startFreshGame();
  GameMode = ModeField;
  std::string why;
  EXPECT_TRUE(checkInvariants(&why)) << why;
  for (const auto& c : cases) {
    startFreshGame();
    GameMode = ModeField;
    c.breakIt();
    why.clear();
    EXPECT_FALSE(checkInvariants(&why)) << c.named;
    EXPECT_NE(why.find(c.named), std::string::npos) << why;
  }
}

}  // namespace
