// Routing a submitted line: the backslash commands, the verbs (any letter
// case, first token only), the verbs known but not carried out, and errors.
#include "statements/dispatcher.h"

#include <gtest/gtest.h>

#include <string>

#include "game/game_state.h"

namespace {

class DispatcherTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetAllState();
    setStatus("previous answer");
  }
};

struct Answer {
  const char* line;
  const char* status;
};

void expectAnswers(const Answer* begin, const Answer* end) {
  for (const Answer* a = begin; a != end; ++a) {
    setStatus("previous answer");
    executeStatement(a->line);
    EXPECT_STREQ(StatusText, a->status) << "line: " << a->line;
  }
}

TEST_F(DispatcherTest, BackslashCommands) {
  const Answer answers[] = {
      {"\\v", "Velmora Keep 03 Ver.10.0"}, {"  \\v  and more words", "Velmora Keep 03 Ver.10.0"},
      {"\\q", "previous answer"},          {"\\q SELECT * FROM world", "previous answer"},
      {"\\V", "Command error."},           {"\\Q", "Command error."},
      {"\\H", "Command error."},           {"\\", "Command error."},
      {"\\hx", "Command error."},          {"\\vv", "Command error."},
      {"\\x", "Command error."},           {"v\\", "Command error."},
  };
  expectAnswers(std::begin(answers), std::end(answers));
}

int helpShown;

TEST_F(DispatcherTest, HelpAsksTheScreenForTheBoxThenAnswersCommandError) {
  helpShown = 0;
  showHelp = [] { ++helpShown; };
  executeStatement("\\h");
  EXPECT_EQ(helpShown, 1);
  EXPECT_STREQ(StatusText, "Command error.");

  for (const char* other : {"\\q", "\\v", "\\H", "\\hx"}) executeStatement(other);
  EXPECT_EQ(helpShown, 1);

  // Without a screen there is no box, and the answer is the same.
  showHelp = nullptr;
  setStatus("previous answer");
  executeStatement("\\h");
  EXPECT_STREQ(StatusText, "Command error.");
}

TEST_F(DispatcherTest, UnsupportedVerbsAnswerTheirOwnLine) {
  const Answer answers[] = {
      {"BEGIN", "BEGIN didn't support yet."},
      {"BEGIN TRANSACTION", "BEGIN didn't support yet."},
      {"commit", "COMMIT didn't support yet."},
      {"RollBack work", "ROLLBACK didn't support yet."},
      {"RENAME a TO b", "RENAME didn't support yet."},
      {"set x = 1", "SET didn't support yet."},
      {"SP_ADDLOGIN 'me'", "SP_ADDLOGIN didn't support yet."},
      {"sp_droplogin", "SP_DROPLOGIN didn't support yet."},
      {"SP_RENAME(a,b)", "SP_RENAME didn't support yet."},
      {"TRUNCATE TABLE t", "TRUNCATE didn't support yet."},
  };
  expectAnswers(std::begin(answers), std::end(answers));
}

TEST_F(DispatcherTest, ErrorsForUnknownAndEmptyStatements) {
  const Answer answers[] = {
      {"", "Command error."},
      {"      ", "Command error."},
      {"SELECTX * FROM world", "Command error."},
      {"SEL", "Command error."},
      {"WHERE SELECT", "Command error."},
      {"(", "Command error."},
      {"SP_", "Command error."},
      {"BEGINS", "Command error."},
  };
  expectAnswers(std::begin(answers), std::end(answers));
}

// Each verb reaches its own handler: the first failure each handler names
// tells them apart.
TEST_F(DispatcherTest, VerbsReachTheirHandlers) {
  const Answer answers[] = {
      {"SELECT", "FROM not found."},
      {"SELECT(", "FROM not found."},
      {"select * from world", "no supported"},
      {"INSERT", "INTO not found."},
      {"insert into t", "VALUES not found."},
      {"DELETE", "FROM not found."},
      {"UPDATE world", "SET not found."},
      {"Update world SET", "WHERE not found."},
      {"GRANT", "ON not found."},
      {"GRANT SELECT ON world1", "TO not found."},
      {"REVOKE", "ON not found."},
      {"revoke SELECT ON world1 TO player", "FROM not found."},
      {"CREATE", "TABLE not found."},
      {"CREATE VIEW v", "TABLE not found."},
      {"DROP", "TABLE not found."},
      {"drop TABLE", " table was dropped"},
      {"ALTER", "TABLE not found."},
  };
  expectAnswers(std::begin(answers), std::end(answers));
}

}  // namespace
