// CREATE, DROP and ALTER TABLE.
// Not written yet: these handlers change nothing and write nothing.
#include "statements/schema.h"

void runCreateTable() {}
void runDropTable() {}
void runAlterTable() {}
