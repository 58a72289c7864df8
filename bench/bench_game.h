// The games the benchmarks measure on: the records of a new game alone, or
// the whole headless form with a new game in the field.
#pragma once

// Every record at its start, the built-in maps copied, a budget of 5000 and
// a new game begun, in the field; no form, nothing drawn.
void startRecordsOnlyGame();
// The headless application and the form's pictures (loaded once), the form
// created and a new game shown in the field, as the first key press leaves it.
void startFormGame();
