// GRANT and REVOKE, the privilege test and the reliability penalty, and the
// drift that follows when a GRANT drives reliability negative.
#include "statements/authority.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "game/movement.h"
#include "tests/support/statement_fixture.h"
#include "tests/support/walled_maps.h"

namespace {

using AuthorityTest = FreshGameTest;

// 1.x: malformed GRANT and REVOKE answer or stay silent, and change nothing.
TEST_F(AuthorityTest, FailedStatementsAnswerAndChangeNothing) {
  expectEachUnchanged(
      {
          {"GRANT", "ON not found."},
          {"GRANT SELECT", "ON not found."},
          {"GRANT SELECT world1 TO player", "ON not found."},
          {"GRANT SELECT ON world1", "TO not found."},
          {"GRANT SELECT TO player ON world1", "TO not found."},
          {"GRANT SELECT ON world1 FROM player", "TO not found."},
          {"REVOKE", "ON not found."},
          {"REVOKE SELECT ON world1 TO player", "FROM not found."},
          {"REVOKE SELECT FROM player ON world1", "FROM not found."},
          // The words themselves: no message at all.
          {"GRANT SELECT ON world3 TO player", PreviousAnswer},
          {"GRANT SELECT ON World1 TO player", PreviousAnswer},
          {"GRANT SELECT ON world1 TO PLAYER", PreviousAnswer},
          {"GRANT SELECT ON world1 TO", PreviousAnswer},
          {"GRANT SELECT ON TO player", PreviousAnswer},
          {"GRANT ON world1 TO player", PreviousAnswer},
          {"GRANT SELECTS ON world1 TO player", PreviousAnswer},
          {"GRANT * ON world1 TO player", PreviousAnswer},
          {"REVOKE ALL ON world4 FROM player", PreviousAnswer},
          {"REVOKE ALL ON world1 FROM me", PreviousAnswer},
      },
      true);
}

struct FlagCase {
  const char* statement;
  int world;
  uint8_t flags[PrivilegeFlagCount];  // chara 1's flags afterwards
  int reliability;                    // chara 1's reliability afterwards
  const char* answer;
};

// 2.x: each accepted statement, starting from a game whose world 1 and 2
// rights were all taken away first.
TEST_F(AuthorityTest, AcceptedStatementsSetFlagsAndTakePenalties) {
  const FlagCase cases[] = {
      {"GRANT SELECT ON world1 TO player", 1, {0, 0, 0, 1, 0, 0}, 40, "Authority was given."},
      {"grant select on world1 to player", 1, {0, 0, 0, 1, 0, 0}, 40, "Authority was given."},
      {"GRANT SELECT, INSERT ON world1 TO player",
       1,
       {0, 0, 0, 1, 0, 0},
       40,
       "Authority was given."},
      {"GRANT INSERT ON world2 TO player and more",
       2,
       {0, 1, 0, 0, 0, 0},
       -10,
       "Authority was given."},
      {"GRANT Delete ON world2 TO player", 2, {0, 0, 1, 0, 0, 0}, -10, "Authority was given."},
      {"GRANT UPDATE ON world1 TO player", 1, {1, 0, 0, 0, 0, 0}, 40, "Authority was given."},
      {"GRANT ALL ON world2 TO player", 2, {1, 1, 1, 1, 1, 1}, -60, "Authority was given."},
      {"GRANT all ON world1 TO player", 1, {1, 1, 1, 1, 1, 1}, -10, "Authority was given."},
  };
  for (const FlagCase& c : cases) {
    startFreshGame();
    runStatement("REVOKE ALL ON world1 FROM player");
    runStatement("REVOKE ALL ON world2 FROM player");
    EXPECT_EQ(runStatement(c.statement), c.answer) << c.statement;
    for (int p = 0; p < PrivilegeFlagCount; ++p) {
      EXPECT_EQ(playerFlags(c.world)[p], c.flags[p]) << c.statement << " flag " << p;
    }
    EXPECT_EQ(playerReliability(c.world), c.reliability) << c.statement;
  }
}

TEST_F(AuthorityTest, RevokeClearsFlagsOfChara1OnlyAndCostsNothing) {
  EXPECT_EQ(runStatement("REVOKE DELETE ON world2 FROM player"), "Authority was snatched.");
  const uint8_t oneTaken[PrivilegeFlagCount] = {1, 1, 0, 1, 1, 1};
  EXPECT_EQ(0, std::memcmp(playerFlags(2), oneTaken, PrivilegeFlagCount));

  EXPECT_EQ(runStatement("revoke all on world1 from player"), "Authority was snatched.");
  const uint8_t none[PrivilegeFlagCount] = {};
  EXPECT_EQ(0, std::memcmp(playerFlags(1), none, PrivilegeFlagCount));
  EXPECT_EQ(playerReliability(1), 50);
  EXPECT_EQ(playerReliability(2), 0);
  // Charas 2 to 5 keep their rights: GRANT and REVOKE speak for the player.
  for (int c = 1; c < AuthorityCharaCount; ++c) {
    for (int p = 0; p < PrivilegeFlagCount; ++p) EXPECT_EQ(Authority[0].privileges[c][p], 1);
  }
}

TEST_F(AuthorityTest, GrantOfAHeldPrivilegeStillCosts) {
  EXPECT_EQ(runStatement("GRANT SELECT ON world1 TO player"), "Authority was given.");
  EXPECT_EQ(playerReliability(1), 40);
  EXPECT_EQ(runStatement("GRANT ALL ON world1 TO player"), "Authority was given.");
  EXPECT_EQ(playerReliability(1), -20);
  EXPECT_EQ(playerReliability(2), 0);
}

TEST_F(AuthorityTest, HasPrivilegeReadsChara1FlagsOfValidWorldsOnly) {
  EXPECT_TRUE(hasPrivilege(1, PrivSelect));
  EXPECT_TRUE(hasPrivilege(3, PrivUpdate));
  EXPECT_FALSE(hasPrivilege(4, PrivSelect));
  EXPECT_FALSE(hasPrivilege(5, PrivDelete));
  EXPECT_FALSE(hasPrivilege(0, PrivSelect));
  EXPECT_FALSE(hasPrivilege(6, PrivSelect));
  EXPECT_FALSE(hasPrivilege(1, PrivilegeFlagCount));
  EXPECT_FALSE(hasPrivilege(1, -1));
  Authority[0].privileges[1][PrivSelect] = 0;  // chara 2's flag does not count
  EXPECT_TRUE(hasPrivilege(1, PrivSelect));
  runStatement("REVOKE SELECT ON world1 FROM player");
  EXPECT_FALSE(hasPrivilege(1, PrivSelect));
}

// After REVOKE ALL every world statement on world 1 is refused, untouched.
TEST_F(AuthorityTest, RevokedWorldRefusesEveryStatement) {
  runStatement("REVOKE ALL ON world1 FROM player");
  const char* refused[] = {
      "SELECT * FROM world WHERE x = 3 AND y = 4",
      "SELECT * FROM world WHERE worldid = 1",
      "SELECT reliability FROM world WHERE worldid = 1 AND charaid = 1",
      "DELETE FROM world",
      "DELETE FROM world WHERE worldid = 1 AND x = 5 AND y = 6",
      "UPDATE world SET fieldid = 10 WHERE worldid = 1 AND x = 5 AND y = 6",
      "UPDATE world SET fieldid = 5",
  };
  for (const char* statement : refused) expectUnchanged(statement, "There is no authority.");
  runStatement("GRANT DELETE ON world1 TO player");
  EXPECT_EQ(runStatement("DELETE FROM world"), PreviousAnswer);
  EXPECT_EQ(mapCell(1, 1, 1), TileEmpty);
}

// Far below -32768 reliability stays at the 16-bit floor instead of wrapping
// round to a large positive standing.
TEST_F(AuthorityTest, ReliabilitySaturatesAtTheSixteenBitLimits) {
  Authority[0].reliability[0] = -32760;
  lowerReliability(1, 30);
  EXPECT_EQ(playerReliability(1), INT16_MIN);
  lowerReliability(1, 30);
  EXPECT_EQ(playerReliability(1), INT16_MIN);

  Authority[1].reliability[0] = -32700;
  EXPECT_EQ(runStatement("GRANT ALL ON world2 TO player"), "Authority was given.");
  EXPECT_EQ(playerReliability(2), -32760);
  runStatement("GRANT ALL ON world2 TO player");
  EXPECT_EQ(playerReliability(2), INT16_MIN);

  Authority[2].reliability[0] = 32000;
  lowerReliability(3, -1000);
  EXPECT_EQ(Authority[2].reliability[0], INT16_MAX);

  lowerReliability(1, INT32_MIN);  // no overflow in the arithmetic either
  EXPECT_EQ(playerReliability(1), INT16_MAX);
  lowerReliability(6, 10);  // no world 6: nothing written anywhere
  lowerReliability(0, 10);
  EXPECT_EQ(playerReliability(2), INT16_MIN);
}

// GRANT ALL ON world2 leaves reliability at -60; the next turn raises it by 1
// and, still negative, draws once for each of flags 0 to 4 of world 2 (all
// held), clearing flag k when its draw is divisible by 5k + 5.
TEST_F(AuthorityTest, GrantAllDrivesWorld2IntoDrift) {
  bool someFlagLost = false;
  for (uint32_t seed = 0; seed < 12; ++seed) {
    startFreshGame();
    SeedCounter = seed;
    ASSERT_EQ(runStatement("GRANT ALL ON world2 TO player"), "Authority was given.");
    runTurn();

    Lcg random(seed);  // the generator written out again, not the game's
    for (int k = 0; k < 5; ++k) {
      const bool lost = random.next() % uint32_t(5 * k + 5) == 0;
      someFlagLost = someFlagLost || lost;
      EXPECT_EQ(playerFlags(2)[k], lost ? 0 : 1) << "seed " << seed << " flag " << k;
    }
    EXPECT_EQ(playerFlags(2)[5], 1) << "seed " << seed;
    EXPECT_EQ(playerReliability(2), -59) << "seed " << seed;
    for (int p = 0; p < PrivilegeFlagCount; ++p) {
      EXPECT_EQ(playerFlags(1)[p], 1) << "seed " << seed;  // world 1 stays trusted
      EXPECT_EQ(Authority[1].privileges[1][p], 1) << "seed " << seed;
    }
  }
  EXPECT_TRUE(someFlagLost);
}

}  // namespace
