// Statement handlers not yet written: each writes nothing and changes
// nothing. Remove a handler from here when its statement unit lands.
#include "statements/authority.h"
#include "statements/delete.h"
#include "statements/insert.h"
#include "statements/schema.h"
#include "statements/select.h"
#include "statements/update.h"

void selectStatement() {}
void insertStatement() {}
void deleteStatement() {}
void updateStatement() {}
void grantStatement() {}
void revokeStatement() {}
void runCreateTable() {}
void runDropTable() {}
void runAlterTable() {}
