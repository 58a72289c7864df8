// Loading a world file from a path (see world_load.h).
#include "ui/world_load.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

// Reads at most `limit` + 1 bytes of fd, so that a longer file is known
// without being read. False with errno set when a read fails.
bool readBounded(int fd, size_t limit, std::string* bytes) {
  char chunk[65536];
  while (bytes->size() <= limit) {
    const ssize_t got = ::read(fd, chunk, std::min(sizeof chunk, limit + 1 - bytes->size()));
    if (got == 0) return true;
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return false;
    bytes->append(chunk, size_t(got));
  }
  return true;
}

}  // namespace

bool loadWorldFile(const std::string& path, WorldFile* out, WorldFileError* error,
                   WorldRules rules) {
  auto refuse = [&](const std::string& reason) {
    *error = WorldFileError{path, 0, 0, reason};
    return false;
  };
  // Never blocks on a FIFO with no writer: anything but a plain file is
  // refused before a byte is read.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return refuse(std::strerror(errno));
  struct stat info {};
  std::string bytes;
  bool read = false;
  int cause = 0;
  if (::fstat(fd, &info) != 0) {
    cause = errno;
  } else if (!S_ISREG(info.st_mode)) {
    ::close(fd);
    return refuse("not a plain file");
  } else {
    read = readBounded(fd, WorldFileLimit, &bytes);
    cause = errno;
  }
  ::close(fd);
  if (!read) return refuse(std::strerror(cause));
  return readWorldFile(path, bytes, out, error, rules);
}
