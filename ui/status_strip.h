// The 16-pixel status strip: the message line, or the tail of the statement
// being composed.
#pragma once

void drawStatusLine(const char* text);
void drawCommandLine();
