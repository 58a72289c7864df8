// The safe replacement of picture files: checked with lstat, a temporary file
// made with O_EXCL beside the target, synced, then renamed into place.
#include "platform/picture_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>

namespace platform {
namespace {

constexpr size_t SignatureSize = 12;

bool hasSignature(std::string_view head, PictureKind kind) {
  switch (kind) {
    case PictureKind::Png:
      return head.starts_with("\x89PNG\r\n\x1a\n");
    case PictureKind::WebP:
      return head.size() >= SignatureSize && head.starts_with("RIFF") &&
             head.substr(8, 4) == "WEBP";
    case PictureKind::Gif:
      return head.starts_with("GIF87a") || head.starts_with("GIF89a");
  }
  return false;
}

const char* kindName(PictureKind kind) {
  switch (kind) {
    case PictureKind::Png:
      return "PNG";
    case PictureKind::WebP:
      return "WebP";
    case PictureKind::Gif:
      return "GIF";
  }
  return "";
}

std::string systemError(const char* what) { return std::string(what) + ": " + std::strerror(errno); }

bool writeAll(int fd, const uint8_t* data, size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = ENOSPC;
      return false;
    }
    data += n;
    size -= size_t(n);
  }
  return true;
}

// Opens a new file beside `path` that nobody else has: O_EXCL never follows a
// link and never opens what is there.
int createBeside(const std::string& path, std::string* temporary) {
  const size_t slash = path.rfind('/');
  const std::string dir = slash == std::string::npos ? "" : path.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  for (int attempt = 0; attempt < 100; ++attempt) {
    char suffix[48];
    std::snprintf(suffix, sizeof suffix, ".%ld.%d.tmp", long(::getpid()), attempt);
    *temporary = dir + "." + name + suffix;
    const int fd = ::open(temporary->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

}  // namespace

bool pictureTargetAllowed(const char* path, PictureKind kind, std::string* reason) {
  struct stat info {};
  if (::lstat(path, &info) != 0) {
    if (errno == ENOENT) return true;
    *reason = systemError("cannot look at it");
    return false;
  }
  if (S_ISLNK(info.st_mode)) {
    *reason = "it is a symbolic link; a picture is never written through one";
    return false;
  }
  if (!S_ISREG(info.st_mode)) {
    *reason = "it is not a plain file";
    return false;
  }
  // O_NOFOLLOW and O_NONBLOCK: should it have become a link or a pipe since,
  // the open fails instead of following or waiting.
  const int fd = ::open(path, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  char head[SignatureSize] = {};
  const ssize_t n = fd < 0 ? -1 : ::read(fd, head, sizeof head);
  if (fd >= 0) ::close(fd);
  if (n < 0) {
    *reason = systemError("cannot read what is there");
    return false;
  }
  if (!hasSignature(std::string_view(head, size_t(n)), kind)) {
    *reason = std::string("it is not a ") + kindName(kind) +
              " picture; only a picture of that kind is ever replaced";
    return false;
  }
  return true;
}

bool replacePictureFile(const char* path, PictureKind kind, const uint8_t* data, size_t size,
                        std::string* reason) {
  if (!pictureTargetAllowed(path, kind, reason)) return false;
  std::string temporary;
  const int fd = createBeside(path, &temporary);
  if (fd < 0) {
    *reason = systemError("cannot create a file beside it");
    return false;
  }
  bool ok = writeAll(fd, data, size) && ::fsync(fd) == 0;
  if (!ok) *reason = systemError("cannot write it");
  if (::close(fd) != 0 && ok) {
    ok = false;
    *reason = systemError("cannot write it");
  }
  // Looked at once more: what appeared meanwhile is as safe from rename as
  // it was from the first look.
  if (ok && !pictureTargetAllowed(path, kind, reason)) ok = false;
  if (ok && ::rename(temporary.c_str(), path) != 0) {
    ok = false;
    *reason = systemError("cannot put it in place");
  }
  if (!ok) ::unlink(temporary.c_str());
  return ok;
}

}  // namespace platform
