// The statement dispatcher: tokenizes a submitted line, answers the
// backslash commands and hands the statement to the handler of its verb.
#include "statements/dispatcher.h"

#include "game/game_state.h"
#include "sql/tokenizer.h"
#include "statements/authority.h"
#include "statements/delete.h"
#include "statements/insert.h"
#include "statements/schema.h"
#include "statements/select.h"
#include "statements/update.h"

// The address is where the build installs the players' guide (a file:// URL
// the build sets as VELMORA_GUIDE_URL).
const char* const HelpText = "付属のReadMe_J.txtや、" VELMORA_GUIDE_URL "を参考にして下さい";

namespace {

struct VerbRoute {
  const char* verb;
  void (*handler)();
  const char* unsupported;  // the answer of a verb known but not carried out
};

const VerbRoute Verbs[] = {
    {"SELECT", selectStatement, nullptr},
    {"INSERT", insertStatement, nullptr},
    {"DELETE", deleteStatement, nullptr},
    {"UPDATE", updateStatement, nullptr},
    {"GRANT", grantStatement, nullptr},
    {"REVOKE", revokeStatement, nullptr},
    {"CREATE", createTableStatement, nullptr},
    {"DROP", dropTableStatement, nullptr},
    {"ALTER", alterTableStatement, nullptr},
    {"BEGIN", nullptr, "BEGIN didn't support yet."},
    {"COMMIT", nullptr, "COMMIT didn't support yet."},
    {"ROLLBACK", nullptr, "ROLLBACK didn't support yet."},
    {"RENAME", nullptr, "RENAME didn't support yet."},
    {"SET", nullptr, "SET didn't support yet."},
    {"SP_ADDLOGIN", nullptr, "SP_ADDLOGIN didn't support yet."},
    {"SP_DROPLOGIN", nullptr, "SP_DROPLOGIN didn't support yet."},
    {"SP_RENAME", nullptr, "SP_RENAME didn't support yet."},
    {"TRUNCATE", nullptr, "TRUNCATE didn't support yet."},
};

}  // namespace

bool executeStatement(const char* line) {
  tokenize(line);
  bool help = false;

  // \h, \q and \v: token 0 of exactly two characters, lower-case letter.
  if (tokenLengths[0] == 2 && tokens[0][0] == '\\') {
    switch (tokens[0][1]) {
      case 'h':
        help = true;
        break;  // goes on to the verb test, which answers "Command error."
      case 'q':
        return false;
      case 'v':
        setStatus("Velmora Keep 03 Ver." VELMORA_VERSION);
        return false;
      default:
        break;
    }
  }

  for (const VerbRoute& route : Verbs) {
    if (!keywordEquals(tokens[0], route.verb)) continue;
    if (route.handler != nullptr) {
      route.handler();
    } else {
      setStatus(route.unsupported);
    }
    return help;
  }
  setStatus("Command error.");
  return help;
}
