// SELECT: journeys over the table world, reports of reliability and of the
// party, and spells cast from the player's own tables.
#pragma once

// Runs the tokenized SELECT statement: finds FROM and WHERE and hands the
// statement to the shapes of the table it names. Answers a missing FROM,
// "no supported" for a world or party statement without WHERE, a missing
// privilege, or what the shape reports; a shape that does not match changes
// nothing and answers nothing.
void selectStatement();
