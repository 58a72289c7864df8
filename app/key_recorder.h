// Recording a window session's key presses as a headless script, so that the
// same game can be replayed without a window.
#pragma once

#include <string>

// Opens `path` for writing and makes every key the window delivers from now
// on go there as one "key N" line, flushed at once, so that even a session
// that ends abruptly leaves every press it made. Start-up only. Returns false
// and sets *error when the file cannot be opened.
bool startKeyRecording(const char* path, std::string* error);

// Stops recording and closes the file.
void stopKeyRecording();
