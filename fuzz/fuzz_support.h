// What both fuzz targets share: starting a game the way the window does and
// stopping the run the moment a record breaks one of its invariants.
#pragma once

#include <cstddef>
#include <cstdint>

// Brings up the headless application and the form's pictures and fonts, then
// creates the form (title screen). Once per process.
void prepareFuzzForm();
// Every record back to its program-start value, then the title screen's
// once-per-run resets (maps copied, score budget), as at program start.
void freshTitle();
// The records of freshTitle and of the new game the first key starts, in
// the field, without drawing anything.
void freshGameRecords();
// Remembers the working maps before a statement or key press.
void rememberMaps();
// A statement changes at most one map cell, always on floor 1, and every
// form that changes one leaves the leader on that cell's column and row (in
// the leader's own world). Aborts, saying after `what`, when a key press or
// statement since rememberMaps broke that: a write that missed its cell.
void requireOneCellChange(const char* what);
// Checks the invariants; on a broken one prints what broke and `what` was
// just done, then aborts so that the fuzzer keeps the input.
void requireInvariants(const char* what);
