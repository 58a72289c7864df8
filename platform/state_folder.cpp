// Finding and making the player's state folder (see state_folder.h).
#include "platform/state_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace platform {

std::string stateFolderPath() {
  const char* state = std::getenv("XDG_STATE_HOME");
  if (state && state[0] == '/') return std::string(state) + "/velmora";
  const char* home = std::getenv("HOME");
  if (home && home[0] != '\0') return std::string(home) + "/.local/state/velmora";
  return "";
}

bool makeOwnFolder(const std::string& folder, const char* what, std::string* error) {
  for (size_t at = folder.find('/', 1); at != std::string::npos; at = folder.find('/', at + 1)) {
    ::mkdir(folder.substr(0, at).c_str(), 0700);
  }
  if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
    *error = std::string("cannot make the ") + what + " " + folder + ": " + std::strerror(errno);
    return false;
  }
  struct stat info {};
  if (::lstat(folder.c_str(), &info) != 0) {
    *error = std::string("cannot use the ") + what + " " + folder + ": " + std::strerror(errno);
    return false;
  }
  if (!S_ISDIR(info.st_mode) || info.st_uid != ::geteuid()) {
    *error = std::string("cannot use the ") + what + " " + folder + ": " +
             (S_ISLNK(info.st_mode)   ? "it is a symbolic link"
              : S_ISDIR(info.st_mode) ? "it belongs to another user"
                                      : "it is not a folder");
    return false;
  }
  return true;
}

}  // namespace platform
