// Safe replacement of a file: checked with lstat and opened with O_NOFOLLOW,
// written to an O_EXCL temporary file in the same directory (so the rename
// stays on one file system), synced, then renamed over the target. A new
// target is taken with RENAME_NOREPLACE, so a file that appears meanwhile is
// not replaced unchecked. Bounded reading: what fstat says of the open file
// first, then a read that stops one byte past the limit, as a file may grow
// while it is read.
#include "platform/safe_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace platform {
namespace {

constexpr size_t HeadSize = 64;

std::string directoryOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Reads the first bytes of the plain file at `path` without following a link
// or blocking on anything that is no plain file.
bool readHead(const char* path, std::string* head, std::string* reason) {
  const int fd = ::open(path, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    *reason = errno == ELOOP ? "it is a symbolic link" : std::strerror(errno);
    return false;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    *reason = "it is not a plain file";
    return false;
  }
  char bytes[HeadSize];
  ssize_t n;
  do n = ::read(fd, bytes, sizeof bytes);
  while (n < 0 && errno == EINTR);
  const int readError = errno;
  ::close(fd);
  if (n < 0) {
    *reason = std::strerror(readError);
    return false;
  }
  head->assign(bytes, size_t(n));
  return true;
}

// Whether the target may be written: absent, or a plain file `rule` accepts.
bool targetAllowed(const char* path, ReplaceRule rule, bool* exists, std::string* reason) {
  struct stat info {};
  if (::lstat(path, &info) != 0) {
    if (errno != ENOENT) {
      *reason = std::strerror(errno);
      return false;
    }
    *exists = false;
    return true;
  }
  *exists = true;
  if (S_ISLNK(info.st_mode)) {
    *reason = "it is a symbolic link";
    return false;
  }
  if (!S_ISREG(info.st_mode)) {
    *reason = "it is not a plain file";
    return false;
  }
  std::string head;
  if (!readHead(path, &head, reason)) return false;
  if (!rule.isOurs(head)) {
    *reason = std::string("it is not ") + rule.what + ", so it was left as it is";
    return false;
  }
  return true;
}

// Creates a fresh temporary file in `dir`; *name receives its path.
int createTemporary(const std::string& dir, std::string* name) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    char leaf[64];
    std::snprintf(leaf, sizeof leaf, "/.velmora-%ld-%d.tmp", long(::getpid()), attempt);
    *name = dir + leaf;
    const int fd =
        ::open(name->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

bool moveIntoPlace(const char* from, const char* to, bool replace) {
  if (replace) return ::rename(from, to) == 0;
#ifdef RENAME_NOREPLACE
  if (::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0) return true;
  // A file system without the flag: the plain rename, checked just before.
  if (errno != EINVAL && errno != ENOSYS) return false;
#endif
  return ::rename(from, to) == 0;
}

// "16 MiB", or the bytes of a limit that is no whole number of MiB.
std::string sizeText(size_t bytes) {
  constexpr size_t MiB = size_t(1) << 20;
  if (bytes % MiB == 0) return std::to_string(bytes / MiB) + " MiB";
  return std::to_string(bytes) + " bytes";
}

}  // namespace

bool readWholeStream(int fd, size_t limit, std::string* text, std::string* reason,
                     size_t expected) {
  text->clear();
  // Room for one byte past the limit tells a file that grew past it.
  text->resize(std::min(limit + 1, expected + 1));
  size_t got = 0;
  for (;;) {
    if (got == text->size()) text->resize(std::min(limit + 1, got * 2 + 4096));
    ssize_t n;
    do n = ::read(fd, text->data() + got, text->size() - got);
    while (n < 0 && errno == EINTR);
    if (n < 0) {
      *reason = std::strerror(errno);
      text->clear();
      return false;
    }
    got += size_t(n);
    if (got > limit) {
      *reason = "it holds more than " + sizeText(limit);
      text->clear();
      return false;
    }
    if (n == 0) break;
  }
  text->resize(got);
  return true;
}

bool readWholeFile(int fd, size_t limit, std::string* text, std::string* reason) {
  struct stat info {};
  if (::fstat(fd, &info) != 0) {
    *reason = std::strerror(errno);
    return false;
  }
  if (S_ISDIR(info.st_mode)) {
    *reason = "it is a folder, not a file";
    return false;
  }
  if (!S_ISREG(info.st_mode)) {
    *reason = "it is not a plain file";
    return false;
  }
  if (uint64_t(info.st_size) > limit) {
    *reason = "it holds more than " + sizeText(limit);
    return false;
  }
  return readWholeStream(fd, limit, text, reason, size_t(info.st_size));
}

bool readWholeFile(const char* path, size_t limit, bool followLink, std::string* text,
                   std::string* reason) {
  const int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC | (followLink ? 0 : O_NOFOLLOW));
  if (fd < 0) {
    *reason = !followLink && errno == ELOOP ? "it is a symbolic link" : std::strerror(errno);
    return false;
  }
  const bool read = readWholeFile(fd, limit, text, reason);
  ::close(fd);
  return read;
}

bool writeAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = EIO;
      return false;
    }
    data += n;
    size -= size_t(n);
  }
  return true;
}

bool startsAsPng(std::string_view head) {
  return head.substr(0, 8) == std::string_view("\x89PNG\r\n\x1a\n", 8);
}

bool startsAsWebp(std::string_view head) {
  return head.size() >= 12 && head.starts_with("RIFF") && head.substr(8, 4) == "WEBP";
}

bool startsAsGif(std::string_view head) {
  return head.starts_with("GIF87a") || head.starts_with("GIF89a");
}

bool fileMayBeReplaced(const char* path, ReplaceRule rule, std::string* reason) {
  bool exists = false;
  return targetAllowed(path, rule, &exists, reason);
}

bool writeFileAtomically(const char* path, const void* data, size_t size, ReplaceRule rule,
                         std::string* reason) {
  bool exists = false;
  if (!targetAllowed(path, rule, &exists, reason)) return false;
  std::string temporary;
  const int fd = createTemporary(directoryOf(path), &temporary);
  if (fd < 0) {
    *reason = std::strerror(errno);
    return false;
  }
  bool ok = writeAll(fd, static_cast<const char*>(data), size) && ::fsync(fd) == 0;
  int error = errno;
  if (::close(fd) != 0 && ok) {
    ok = false;
    error = errno;
  }
  if (ok && !moveIntoPlace(temporary.c_str(), path, exists)) {
    ok = false;
    error = errno;
  }
  if (!ok) {
    ::unlink(temporary.c_str());
    *reason = std::strerror(error);
  }
  return ok;
}

}  // namespace platform
