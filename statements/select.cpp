// SELECT statements.
// Not written yet: these handlers change nothing and write nothing.
#include "statements/select.h"

void selectStatement() {}
