// The 16-pixel status strip: the message line, or the tail of the statement
// being composed.
#pragma once

// Whitens the strip and writes `text` (at most StatusSize - 1 bytes) at its
// left in the strip's height.
void drawStatusLine(const char* text);
// Whitens the strip and shows the last 44 characters of CommandLine, one
// 16-pixel slot each, ending at the view's right edge.
void drawCommandLine();

// The message the strip last showed: the field resets StatusText right after
// drawing it, so the screen can say more than the records.
const char* shownStatusLine();
