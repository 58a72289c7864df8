// Recording a window session's key presses as a headless script, so that the
// same game can be replayed without a window, and continued in a later
// session. A recording is never overwritten, is held by one game at a time,
// and a write that fails is told.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes `key` to the open recording, if one is open: the front end's
// keyPlayed hook (FormStart), which sees every key going into the game.
void recordKeyPress(uint16_t key);

// Opens `path` for a new recording: from now on every key the window delivers
// goes there as one "key N" line, written at once (the first after the
// lines naming the worlds played, when they are not the built-in ones), so
// that even a session that ends abruptly leaves every press it made. A file that exists and is
// not empty, a link, anything but a plain file, or a file another game holds
// is refused and left as it is. Start-up only. Returns false and
// sets *error (one line) when the file cannot be used.
bool startKeyRecording(const char* path, std::string* error);

// As startKeyRecording, for a file the game names itself in its own folder:
// the file must not be there yet (O_EXCL), so that nothing planted under
// that name is ever opened. *exists is set when something is.
bool createKeyRecording(const char* path, bool* exists, std::string* error);

// Opens the recording at `path` to continue its game: reads the keys it holds
// into *keys and appends every new key after them. A file cut inside its last
// line (a write that never finished) goes on from its last whole line: the
// unfinished bytes, which never held a whole key, are cut off. Anything that
// is not a recording is refused and left as it is. Start-up only. Returns
// false and sets *error (one line) when the file cannot be used.
// *worlds is the identity of the worlds the recording names ("" for none:
// the built-in worlds).
bool resumeKeyRecording(const char* path, std::vector<uint16_t>* keys, std::string* worlds,
                        std::string* error);

// Marks the open recording as the one the game keeps without being asked: a
// failed write is told at once on standard error rather than in the box, and
// a file that got no key is removed when the recording stops.
void makeRecordingAutomatic();

// Reads the keys of the recording at `path` into *keys without taking it:
// a plain file (no link followed) that the recorder wrote, its unfinished
// last line left out, within the limit of a recording; *worlds is the
// identity its worlds line names (empty: none). Returns false for anything
// else.
bool readKeyRecording(const char* path, std::vector<uint16_t>* keys, std::string* worlds);

// Stops recording and closes the file.
void stopKeyRecording();

// Returns whether a write to the recording failed. The player was told at
// once in the message box; *report is then the line for standard error at
// the end, saying how many key presses the file holds (empty for an
// automatic recording, whose failure was told when it happened).
bool keyRecordingFailed(std::string* report);
