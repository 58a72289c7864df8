// CREATE TABLE, DROP TABLE and ALTER TABLE ... ADD on the player tables.
#pragma once

// Runs the tokenized CREATE TABLE: a table of three columns in the lowest free
// slot, answered "The table was created."; a missing TABLE, a full store or a
// reserved name is answered, any other mismatch changes nothing silently.
void createTableStatement();
// Runs the tokenized DROP TABLE: empties the lowest slot of that name,
// answered "NAME table was dropped"; a missing TABLE or table is answered.
void dropTableStatement();
// Runs the tokenized ALTER TABLE ... ADD: one more column at the lowest unused
// index, answered "The column was added."; a missing TABLE or table, a change
// other than ADD and a seventh column are answered.
void alterTableStatement();
