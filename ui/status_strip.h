// The 16-pixel status strip: the message line, or the tail of the statement
// being composed.
#pragma once

void drawStatusLine(const char* text);
void drawCommandLine();

// The message the strip last showed: the field resets StatusText right after
// drawing it, so the screen can say more than the records.
const char* shownStatusLine();
