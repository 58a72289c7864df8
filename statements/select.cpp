// The front of SELECT: finds FROM and WHERE, answers the two general errors and
// hands the statement to the shapes of its table (world, party or one of the
// player's own tables).
#include "statements/select.h"

#include <cstring>

#include "game/game_state.h"
#include "sql/tokenizer.h"
#include "statements/select_tables.h"

// SELECT list FROM table [WHERE clause]
//   FROM       first FROM after the verb (any case)   -> "FROM not found." when missing
//   WHERE      first WHERE at or after FROM           -> shapes read the clause from it
//   FROM + 1   world | party | a player table's name  (exact)
// No shape works without WHERE; SELECT x FROM world alone answers "no supported".
void selectStatement() {
  // Match the frame: FROM, then WHERE, searched from FROM on.
  const int from = findKeyword(1, "FROM");
  if (missing(from)) {
    answerNotFound("FROM");
    return;
  }
  const int where = findKeyword(from, "WHERE");
  if (missing(where) && lastToken == 3 && (tokenIs(3, "party") || tokenIs(3, "world"))) {
    // Written before the shapes are tried; none of them matches without WHERE.
    setStatus("no supported");
  }

  // Route by table; each shape asks for its own privilege and reports itself.
  const char* table = tokenAt(from + 1);
  if (std::strcmp(table, "world") == 0) {
    selectFromWorld(where);
  } else if (std::strcmp(table, "party") == 0) {
    selectFromParty(where);
  } else {
    selectFromPlayerTable(table, where);
  }
}
