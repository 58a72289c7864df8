// Headless script commands that compose statements on the character grid the
// way a player does: `type TEXT` and `submit`.
#pragma once

#include <string>
#include <string_view>

namespace headless {

bool typeCommand(std::string_view text, std::string* reason);
bool submitCommand(std::string_view args, std::string* reason);

}  // namespace headless
