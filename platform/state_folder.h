// The player's state folder ($XDG_STATE_HOME/velmora, by default
// ~/.local/state/velmora): where the games kept without being asked and the
// copies of the world files they were played on live.
#pragma once

#include <string>

namespace platform {

// Returns the state folder's path from the environment, or "" when neither
// XDG_STATE_HOME (an absolute path) nor HOME gives one.
std::string stateFolderPath();

// Makes `folder` and the folders above it as needed; `folder` itself must
// end up the player's own folder, not a link to one. Returns false and sets
// *error (one line naming the folder) when it cannot be used.
bool makeOwnFolder(const std::string& folder, const char* what, std::string* error);

}  // namespace platform
