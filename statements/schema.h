// CREATE TABLE, DROP TABLE and ALTER TABLE ... ADD on the player tables.
#pragma once

void runCreateTable();
void runDropTable();
void runAlterTable();
