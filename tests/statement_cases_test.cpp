// The statement language as tables of cases: each line of tests/cases/*.txt
// is a statement, the answer it must leave and the only records it may
// change; one runner reads them all. The four rules every world statement
// shares, and the few rules no statement can reach, follow as small tables.
//
// Case files, one line each:
//   # ...                      a comment
//   == title                   a fresh game starts here
//   > STATEMENT                run, answer and changes taken as they come
//   ! EFFECT; EFFECT           set records directly
//   STATEMENT => ANSWER [:: EFFECT; EFFECT]
//                              the answer ("-": none written) and the records
//                              as before with exactly these effects
// Effects: cell W X Y T [F] | rel W V [C] | flags W 011111 | leader X Y F W |
//   chara I X Y F W | table S TEXT (see tableText) | last N (lastToken) |
//   tokens T1 T2 ... (the whole store).
// In a statement, {a*N} stands for N filler words " a".
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "sql/tokenizer.h"
#include "statements/authority.h"
#include "statements/dispatcher.h"
#include "tests/support/rules_fixture.h"

namespace {

std::vector<std::string> words(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> out;
  for (std::string w; in >> w;) out.push_back(w);
  return out;
}

std::string trim(const std::string& s) {
  const size_t a = s.find_first_not_of(' ');
  const size_t b = s.find_last_not_of(' ');
  return a == std::string::npos ? "" : s.substr(a, b - a + 1);
}

std::string expandFillers(std::string line) {
  for (size_t at = line.find("{a*"); at != std::string::npos; at = line.find("{a*")) {
    std::string filler;
    for (int i = std::stoi(line.substr(at + 3)); i > 0; --i) filler += " a";
    line.replace(at, line.find('}', at) - at + 1, filler);
  }
  return line;
}

std::string storedTokens() {
  std::string out;
  for (int i = 0; i <= lastToken; ++i) out += (i ? " " : "") + std::string(tokens[i]);
  for (int i = lastToken + 1; i < TokenSlots; ++i) {
    if (tokens[i][0] != '\0' || tokenLengths[i] != 0) out += " <slot " + std::to_string(i) + ">";
  }
  return out;
}

MapPos readPos(const std::vector<std::string>& w, size_t from) {
  return MapPos{uint8_t(std::stoi(w[from])), uint8_t(std::stoi(w[from + 1])),
                uint8_t(std::stoi(w[from + 2])), uint8_t(std::stoi(w[from + 3]))};
}

// Applies one effect to `s`; checks the ones that are not records. Returns
// false for an effect it does not know.
bool applyEffect(const std::string& effect, RecordSnapshot& s, const RecordSnapshot& actual) {
  const std::vector<std::string> w = words(effect);
  if (w.empty()) return true;
  const std::string& kind = w[0];
  if (kind == "cell" && w.size() >= 5) {
    const int floor = w.size() > 5 ? std::stoi(w[5]) : 1;
    s.maps[std::stoi(w[1]) - 1].cells[cellIndex(std::stoi(w[2]), std::stoi(w[3]), floor)] =
        uint8_t(std::stoi(w[4]));
  } else if (kind == "rel" && w.size() >= 3) {
    const int chara = w.size() > 3 ? std::stoi(w[3]) : 1;
    s.authority[std::stoi(w[1]) - 1].reliability[chara - 1] = int16_t(std::stoi(w[2]));
  } else if (kind == "flags" && w.size() == 3 && w[2].size() == PrivilegeFlagCount) {
    for (int p = 0; p < PrivilegeFlagCount; ++p) {
      s.authority[std::stoi(w[1]) - 1].privileges[0][p] = uint8_t(w[2][size_t(p)] - '0');
    }
  } else if (kind == "leader" && w.size() == 5) {
    s.leader = readPos(w, 1);
  } else if (kind == "chara" && w.size() == 6) {
    s.charas[std::stoi(w[1]) - 2].pos = readPos(w, 2);
  } else if (kind == "table" && w.size() >= 3) {
    const int slot = std::stoi(w[1]);
    const std::string text = trim(effect.substr(effect.find(w[1]) + w[1].size()));
    EXPECT_EQ(tableText(actual.tables[slot]), text) << "table slot " << slot;
    s.tables[slot] = actual.tables[slot];
  } else if (kind == "last" && w.size() == 2) {
    EXPECT_EQ(lastToken, std::stoi(w[1]));
  } else if (kind == "tokens") {
    EXPECT_EQ(storedTokens(), trim(effect.substr(6)));
  } else {
    return false;
  }
  return true;
}

// Applies each of the effects, split at ';', to `s`.
void applyEffects(const std::string& text, RecordSnapshot& s, const RecordSnapshot& actual) {
  std::istringstream in(text);
  for (std::string e; std::getline(in, e, ';');) {
    EXPECT_TRUE(applyEffect(trim(e), s, actual)) << "unknown effect: " << e;
  }
}

class StatementCases : public ::testing::TestWithParam<const char*> {};

TEST_P(StatementCases, EachStatementAnswersAndChangesOnlyWhatItMay) {
  const std::string path = std::string(VELMORA_SOURCE_DIR) + "/tests/cases/" + GetParam() + ".txt";
  std::ifstream in(path);
  ASSERT_TRUE(in) << path;
  int number = 0;
  int cases = 0;
  startFreshGame();
  for (std::string line; std::getline(in, line);) {
    ++number;
    SCOPED_TRACE(GetParam() + std::string(".txt:") + std::to_string(number) + ": " + line);
    // Blanks before a statement are part of it; only the kind of line is
    // read from its trimmed text.
    const std::string kind = trim(line);
    if (kind.empty() || kind[0] == '#') continue;
    if (kind.rfind("==", 0) == 0) {
      startFreshGame();
      continue;
    }
    if (kind[0] == '>') {
      runStatement(expandFillers(trim(kind.substr(1))).c_str());
      continue;
    }
    if (kind[0] == '!') {
      RecordSnapshot s = takeSnapshot();
      applyEffects(kind.substr(1), s, s);
      std::memcpy(WorldMaps, s.maps, sizeof s.maps);
      std::memcpy(Authority, s.authority, sizeof s.authority);
      std::memcpy(Charas, s.charas, sizeof s.charas);
      LeaderPos = s.leader;
      continue;
    }
    const size_t arrow = line.find(" => ");
    ASSERT_NE(arrow, std::string::npos) << "no answer given";
    const std::string statement = expandFillers(line.substr(0, arrow));
    std::string rest = line.substr(arrow + 4);
    std::string effects;
    if (const size_t colons = rest.find(" :: "); colons != std::string::npos) {
      effects = rest.substr(colons + 4);
      rest = rest.substr(0, colons);
    }
    const std::string answer = rest == "-" ? PreviousAnswer : rest;
    RecordSnapshot expected = takeSnapshot();
    EXPECT_EQ(runStatement(statement.c_str()), answer);
    const RecordSnapshot actual = takeSnapshot();
    applyEffects(effects, expected, actual);
    EXPECT_EQ(firstDifference(actual, expected), "");
    ++cases;
  }
  EXPECT_GT(cases, 0);
}

INSTANTIATE_TEST_SUITE_P(Files, StatementCases,
                         ::testing::Values("dispatch", "select", "delete", "update", "insert",
                                           "authority", "tables", "spell"),
                         [](const auto& info) { return std::string(info.param); });

// The rules every world statement shares: the shape is matched before the
// privilege is asked, a refused statement changes nothing and the right of
// another world still holds; nothing happens past the map's edge; a clause
// whose last token fills the store's last slot still counts.
TEST(WorldStatements, ShareTheirRules) {
  const struct {
    const char* plain;   // acts on the leader's own cell
    const char* clause;  // with a WHERE clause to come, or null
    int privilege;
    bool writesCell;
  } statements[] = {
      {"DELETE FROM world", "DELETE FROM world", PrivDelete, true},
      {"UPDATE world SET fieldid = 10", "UPDATE world SET fieldid=10", PrivUpdate, true},
      {"INSERT INTO world (fieldid) VALUES (10)", nullptr, PrivInsert, true},
      {"SELECT * FROM world WHERE x = 3 AND y = 4", nullptr, PrivSelect, false},
  };
  for (const auto& s : statements) {
    SCOPED_TRACE(s.plain);
    startFreshGame();
    Authority[0].privileges[0][s.privilege] = 0;
    RecordSnapshot before = takeSnapshot();
    EXPECT_EQ(runStatement((std::string(s.plain) + " junk junk").c_str()), PreviousAnswer);
    EXPECT_EQ(runStatement(s.plain), "There is no authority.");
    EXPECT_EQ(firstDifference(takeSnapshot(), before), "");
    LeaderPos.world = 2;
    EXPECT_EQ(runStatement(s.plain), PreviousAnswer);
    EXPECT_NE(firstDifference(takeSnapshot(), before), "") << "nothing done in world 2";

    // A leader on column or row 32 has no cell of its own: the cell its
    // index would name (on the next row or floor) stays as it was.
    for (const MapPos edge :
         {MapPos{32, 1, 1, 1}, MapPos{32, 31, 1, 1}, MapPos{31, 32, 1, 1}, MapPos{32, 32, 1, 3}}) {
      if (!s.writesCell) break;
      startFreshGame();
      LeaderPos = edge;
      before = takeSnapshot();
      EXPECT_EQ(runStatement(s.plain), PreviousAnswer);
      EXPECT_EQ(firstDifference(takeSnapshot(), before), "");
      Authority[edge.world - 1].privileges[0][s.privilege] = 0;
      EXPECT_EQ(runStatement(s.plain), "There is no authority.");
    }

    tokenize(s.clause ? s.clause : "");
    const int headTokens = lastToken + 1;
    for (int extra : {0, 1}) {
      if (!s.clause) break;
      startFreshGame();
      std::string line = s.clause;
      for (int i = 0; i < 128 - 12 - headTokens + extra; ++i) line += " a";
      line += " WHERE worldid=2 AND x=3 AND y=4";
      before = takeSnapshot();
      EXPECT_EQ(runStatement(line.c_str()), PreviousAnswer);
      EXPECT_EQ(lastToken, 127);
      EXPECT_EQ(firstDifference(takeSnapshot(), before) != "", extra == 0) << extra;
      EXPECT_EQ(Authority[1].reliability[0], extra == 0 ? -30 : 0) << extra;
    }
  }
}

// Reliability is a 16-bit standing that saturates instead of wrapping round
// (at the bottom also through GRANT: authority.txt); no world past 1..5 has one.
TEST(Reliability, SaturatesAtTheSixteenBitLimits) {
  const struct {
    int world;
    int16_t start;
    int amount;
    int16_t after;
  } cases[] = {
      {3, 32000, -1000, INT16_MAX},
      {2, 0, INT32_MIN, INT16_MAX},
      {5, 7, 10, -3},
  };
  for (const auto& c : cases) {
    startFreshGame();
    Authority[c.world - 1].reliability[0] = c.start;
    lowerReliability(c.world, c.amount);
    EXPECT_EQ(Authority[c.world - 1].reliability[0], c.after) << c.start << " - " << c.amount;
  }
  const RecordSnapshot before = takeSnapshot();
  lowerReliability(0, 10);
  lowerReliability(6, 10);
  EXPECT_EQ(firstDifference(takeSnapshot(), before), "");
}

}  // namespace
