// Headless script commands that compose statements on the character grid the
// way a player does: `type TEXT` and `submit`.
#pragma once

namespace headless {

// Adds `type` and `submit` to the script runner's command table.
void registerTypingCommands();

}  // namespace headless
