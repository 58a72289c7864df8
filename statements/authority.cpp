// GRANT and REVOKE.
// Not written yet: these handlers change nothing and write nothing.
#include "statements/authority.h"

void grantStatement() {}
void revokeStatement() {}
