// The player's rights on the worlds: the privilege test and the reliability
// penalty that every world statement goes through, and the GRANT and REVOKE
// statements that set and clear the flags.
#include "statements/authority.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "sql/tokenizer.h"
#include "sql/world_clause.h"

namespace {

// GRANT and REVOKE speak for chara 1, the party leader, only.
constexpr int PlayerChara = 0;
// The privilege word ALL: every one of the six flags, 4 and 5 included.
constexpr int PrivilegeAll = -1;
constexpr int PrivilegeNone = -2;

// What GRANT and REVOKE name: one flag or all of them, in one world.
struct AuthorityTarget {
  int privilege;  // a Privilege, or PrivilegeAll
  int world;      // 1 to LastGrantableWorld
};

// Returns the flag a privilege word names (SELECT, INSERT, DELETE, UPDATE as
// their Privilege), PrivilegeAll for ALL and PrivilegeNone for any other word.
int readPrivilegeWord(const char* text) {
  if (keywordEquals(text, "ALL")) return PrivilegeAll;
  if (keywordEquals(text, "SELECT")) return PrivSelect;
  if (keywordEquals(text, "INSERT")) return PrivInsert;
  if (keywordEquals(text, "DELETE")) return PrivDelete;
  if (keywordEquals(text, "UPDATE")) return PrivUpdate;
  return PrivilegeNone;
}

// Returns N of worldN for a world GRANT and REVOKE can name, else 0.
int readWorldName(const char* text) {
  for (int world = 1; world <= LastGrantableWorld; ++world) {
    char name[8];
    std::snprintf(name, sizeof name, "world%d", world);
    if (std::strcmp(text, name) == 0) return world;
  }
  return 0;
}

// Reads the privilege (token 1), the object (after ON at `on`) and the grantee
// (after TO or FROM at `k`). Whatever lies between token 1 and ON, and after
// the grantee, is not read.
bool readAuthorityTarget(int on, int k, AuthorityTarget* target) {
  const int privilege = readPrivilegeWord(tokenAt(1));
  if (privilege == PrivilegeNone) return false;
  const int world = readWorldName(tokenAt(on + 1));
  if (world == 0) return false;
  if (!tokenIs(k + 1, "player")) return false;
  *target = AuthorityTarget{privilege, world};
  return true;
}

uint8_t* playerFlags(int world) { return Authority[world - 1].privileges[PlayerChara]; }

}  // namespace

bool requirePrivilege(int world, Privilege p) {
  if (isWorld(world) && playerFlags(world)[p] == 1) return true;
  setStatus(NoAuthorityText);
  return false;
}

// Reliability is a 16-bit number. Far below -32768 it would wrap round to a
// large positive standing and hand a reckless player full trust again, so it
// stays at the 16-bit limits instead (INT16_MIN, and INT16_MAX for a negative
// amount).
void lowerReliability(int world, int amount) {
  if (!isWorld(world)) return;
  int16_t& reliability = Authority[world - 1].reliability[PlayerChara];
  int64_t value = int64_t(reliability) - amount;
  if (value < INT16_MIN) value = INT16_MIN;
  if (value > INT16_MAX) value = INT16_MAX;
  reliability = int16_t(value);
}

namespace {

// Reads GRANT or REVOKE up to its grantee: ON, then `granteeKeyword` (TO or
// FROM) after it, then the privilege, object and grantee. A missing clause
// keyword is answered; any other mismatch ends the statement silently.
bool readAuthorityStatement(const char* granteeKeyword, AuthorityTarget* target) {
  const int on = findKeyword(1, "ON");
  if (missing(on)) {
    answerNotFound("ON");
    return false;
  }
  const int k = findKeyword(on, granteeKeyword);
  if (missing(k)) {
    answerNotFound(granteeKeyword);
    return false;
  }
  return readAuthorityTarget(on, k, target);
}

}  // namespace

// GRANT privilege ON object TO grantee
//   token 1    privilege  ALL | SELECT | INSERT | DELETE | UPDATE (any case)
//   ON + 1     object     world1 | world2
//   TO + 1     grantee    player
// Each flag given costs 10 reliability in that world, held before or not.
void grantStatement() {
  // Match the shape.
  AuthorityTarget target;
  if (!readAuthorityStatement("TO", &target)) return;

  // GRANT needs no privilege of its own. Change the records.
  uint8_t* flags = playerFlags(target.world);
  for (int p = 0; p < PrivilegeFlagCount; ++p) {
    if (target.privilege != PrivilegeAll && target.privilege != p) continue;
    flags[p] = 1;
    lowerReliability(target.world, GrantPenalty);
  }

  // Report.
  setStatus("Authority was given.");
}

// REVOKE privilege ON object FROM grantee
//   token 1    privilege  ALL | SELECT | INSERT | DELETE | UPDATE (any case)
//   ON + 1     object     world1 | world2
//   FROM + 1   grantee    player
// Taking a right away costs nothing.
void revokeStatement() {
  // Match the shape.
  AuthorityTarget target;
  if (!readAuthorityStatement("FROM", &target)) return;

  // REVOKE needs no privilege of its own. Change the records.
  uint8_t* flags = playerFlags(target.world);
  for (int p = 0; p < PrivilegeFlagCount; ++p) {
    if (target.privilege == PrivilegeAll || target.privilege == p) flags[p] = 0;
  }

  // Report.
  setStatus("Authority was snatched.");
}
