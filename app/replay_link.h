// velmora --link FILE [--page URL]: the one line that sends a game as a web
// address, URL#replay=CODE, for the page to play.
#pragma once

#include <string>
#include <string_view>

#include "ui/exit_status.h"

// The page the build was configured with (CMake's VELMORA_PAGE_URL).
extern const char* const DefaultPageUrl;

// Returns whether `url` may stand before "#replay=": not empty, and printable
// ASCII with no blanks, so the line printed is one web address.
bool pageUrlAllowed(std::string_view url);

// Collects the keys of `script` (a recording or any script without
// screenshots) on the game the form has created, and prints
// PAGE#replay=CODE on standard output, with &worlds=CODE after it when the
// game was played on a world file, or &daily=YYYY-MM-DD&v=VERSION&id=ID
// when that file is a day's world; a fragment already in `page` is
// replaced. Returns ExitOk, ExitFailed when the line could not be printed,
// or ExitRefused after reporting a bad script line or a game too long for a
// link.
ExitStatus printReplayLink(std::string_view script, const std::string& page);

struct WorldFile;
// Prints PAGE#worlds=CODE: the world file alone, which the page opens at
// the title. Returns ExitOk, or ExitFailed when it could not be printed.
ExitStatus printWorldsLink(const WorldFile& file, const std::string& page);
