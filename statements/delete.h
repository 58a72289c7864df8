// DELETE FROM world: empties a map cell.
#pragma once

void deleteStatement();
