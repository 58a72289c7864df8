// The keys a script presses, for a replay link: every `key` line's keys and
// every key that `type` and `submit` press on the grid, in order.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "ui/exit_status.h"

namespace headless {

// Plays `script` on the game as the form has created it (drawing may be set
// aside) with its printed output thrown away, and collects every key it
// presses into *keys. A script with a screenshot line is refused: a replay
// holds keys, not pictures. Returns runScript's status: ExitOk, or
// ExitRefused after reporting the bad line on standard error as
// "script:LINE: reason".
ExitStatus collectScriptKeys(std::string_view script, std::vector<uint8_t>* keys);

}  // namespace headless
