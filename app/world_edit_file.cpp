// The edited world file and its session (see world_edit_file.h). The lock
// and the session's copy live in the state folder, named by the file's
// absolute path, since saving renames a new file into place and a lock on
// the file itself would go with the old one.
#include "app/world_edit_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "platform/safe_file.h"
#include "platform/state_folder.h"
#include "worlds/sha256.h"
#include "worlds/world_identity.h"
#include "worlds/world_reader.h"
#include "worlds/world_writer.h"

namespace {

struct Session {
  std::string path;      // the file being edited, as named
  std::string copyPath;  // the session's copy in the state folder; "" for none
  int lockFd = -1;
} session;

// Reads all of `path` (never through a link, never waiting on a FIFO), at
// most a world file's limit. False with *error; `*missing` when nothing is
// there at all.
bool readWorldBytes(const std::string& path, std::string* text, std::string* error, bool* missing) {
  struct stat info {};
  *missing = ::lstat(path.c_str(), &info) != 0 && errno == ENOENT;
  return platform::readWholeFile(path.c_str(), WorldFileLimit, false, text, error);
}

// The absolute path of `path`, its folder's links resolved: one name for
// one file, however it is spelled. "" when its folder does not exist.
std::string absolutePath(const std::string& path) {
  const size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  char resolved[PATH_MAX];
  if (::realpath(folder.c_str(), resolved) == nullptr) return "";
  return std::string(resolved) + "/" + name;
}

// A world file's first bytes: what may stand first in one (a byte-order
// mark, blank lines, a comment or a header), or nothing at all.
bool startsAsWorldFile(std::string_view head) {
  if (head.substr(0, 3) == "\xEF\xBB\xBF") head.remove_prefix(3);
  while (!head.empty() && (head[0] == '\n' || head[0] == '\r' || head[0] == ' '))
    head.remove_prefix(1);
  if (head.empty()) return true;
  for (std::string_view start : {"format:", "title:", "author:", "world "}) {
    if (head.substr(0, start.size()) == start.substr(0, head.size())) return true;
  }
  return head[0] == '#' && head.substr(0, 2) != "#!";
}

// The session's copies are ours when they read as world files too.
constexpr platform::ReplaceRule WorldFileRule{startsAsWorldFile, "a world file"};

// Takes the state folder's lock of the file; false with *error when another
// editor holds it, true with *warning when there is no state folder.
bool holdFile(const std::string& path, std::string* error, std::string* warning) {
  std::string problem;
  const std::string folder = platform::stateFolderPath();
  const std::string absolute = absolutePath(path);
  if (folder.empty()) problem = "no state folder: neither XDG_STATE_HOME nor HOME is set";
  if (absolute.empty() || !problem.empty() ||
      !platform::makeOwnFolder(folder, "the state folder", &problem)) {
    *warning = (absolute.empty() ? "the folder of " + path + " cannot be found" : problem) +
               "; the file is not held against a second editor and no session is kept";
    return true;
  }
  const Sha256Digest digest =
      sha256(reinterpret_cast<const uint8_t*>(absolute.data()), absolute.size());
  const std::string base = folder + "/edit-" + hexDigest(digest).substr(0, 24);
  const std::string lockPath = base + ".lock";
  const int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) {
    *warning = "cannot hold " + lockPath + ": " + std::strerror(errno) +
               "; the file is not held against a second editor and no session is kept";
    return true;
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    *error = "another editor holds it";
    return false;
  }
  // Which file the lock and the copy belong to, for whoever looks.
  if (::ftruncate(fd, 0) == 0)
    platform::writeAll(fd, (absolute + "\n").data(), absolute.size() + 1);
  session.lockFd = fd;
  session.copyPath = base + ".worlds";
  return true;
}

}  // namespace

bool openEditedFile(const std::string& path, WorldFile* file, std::string* error,
                    std::string* warning) {
  session = Session{};
  session.path = path;
  std::string text, cause;
  bool missing = false;
  if (!readWorldBytes(path, &text, &cause, &missing) && !missing) {
    *error = "cannot edit " + path + ": " + cause;
    return false;
  }
  WorldFileError refusal;
  if (missing) {
    *file = blankWorldFile();
  } else if (!readWorldFile(path, text, file, &refusal, WorldRules::Draft)) {
    *error = refusal.message() + " (not a world file; it was left as it is)";
    return false;
  }
  if (!holdFile(path, &cause, warning)) {
    *error = "cannot edit " + path + ": " + cause;
    return false;
  }
  return true;
}

bool leftSession(WorldFile* file) {
  if (session.copyPath.empty()) return false;
  std::string text, cause;
  bool missing = false;
  WorldFile left;
  WorldFileError refusal;
  if (!readWorldBytes(session.copyPath, &text, &cause, &missing) ||
      !readWorldFile(session.copyPath, text, &left, &refusal, WorldRules::Draft))
    return false;
  if (writeWorldFile(left) == writeWorldFile(*file)) return false;
  *file = left;
  return true;
}

bool saveEditedFile(const std::string& text, std::string* reason) {
  // Only a world file is replaced: what stands there now is read as one.
  std::string old;
  bool missing = false;
  if (!readWorldBytes(session.path, &old, reason, &missing) && !missing) return false;
  WorldFile ignored;
  WorldFileError refusal;
  if (!missing && !readWorldFile(session.path, old, &ignored, &refusal, WorldRules::Draft)) {
    *reason = session.path + " is not a world file now";
    return false;
  }
  return platform::writeFileAtomically(session.path.c_str(), text.data(), text.size(),
                                       WorldFileRule, reason);
}

void keepEditingSession(const std::string& text) {
  if (session.copyPath.empty()) return;
  std::string ignored;
  // A copy that cannot be written costs only the chance of a recovery.
  platform::writeFileAtomically(session.copyPath.c_str(), text.data(), text.size(), WorldFileRule,
                                &ignored);
}

void endEditingSession(bool keepCopy) {
  if (!keepCopy && !session.copyPath.empty()) ::unlink(session.copyPath.c_str());
  if (session.lockFd >= 0) ::close(session.lockFd);
  session = Session{};
}
