// The key recorder behind `velmora --record FILE` and `--resume FILE`: it sees
// each key through the front end's keyPlayed hook, before the game does, and writes it as
// a script line that `velmora --headless FILE` replays to the same state.
// Each line goes to the file in one write() of its own, never through a
// buffer, so a killed session loses nothing it saw and a failed write leaves
// nothing behind to be flushed later. The file is locked (flock) while the
// game holds it, so a second game cannot interleave its keys.
#include "app/key_recorder.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "platform/message_box.h"
#include "platform/safe_file.h"
#include "ui/session.h"

namespace {

constexpr char Header[] = "# velmora key recording: replay with velmora --headless FILE\n";
constexpr std::string_view HeaderLine(Header, sizeof Header - 2);  // without its newline
constexpr std::string_view KeyPrefix = "key ";
constexpr int MaxKeyCode = 255;  // what a replay accepts

RecordingRecord& recording = Session.recording;

// Reads "N" of a key line: a code 1 to 255 written as the recorder writes it.
bool isKeyCode(std::string_view digits) {
  if (digits.empty() || digits.size() > 3 || digits[0] == '0') return false;
  int code = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return false;
    code = code * 10 + (c - '0');
  }
  return code <= MaxKeyCode;
}

bool isKeyLine(std::string_view line) {
  return line.substr(0, KeyPrefix.size()) == KeyPrefix && isKeyCode(line.substr(KeyPrefix.size()));
}

// Whether `tail`, the bytes after the last newline, is the start of a line
// the recorder writes: what a write cut short leaves.
bool isCutLine(std::string_view tail, bool first) {
  if (first) return HeaderLine.substr(0, tail.size()) == tail;
  if (tail.size() <= KeyPrefix.size()) return KeyPrefix.substr(0, tail.size()) == tail;
  return isKeyLine(tail);
}

// Reads the recording's whole lines into *keys. Returns the number of the
// first line that a recording cannot hold, or 0 when every line fits.
int readKeys(std::string_view whole, std::vector<uint16_t>* keys) {
  int number = 0;
  while (!whole.empty()) {
    const size_t end = whole.find('\n');
    const std::string_view line = whole.substr(0, end);
    whole.remove_prefix(end + 1);
    ++number;
    if (number == 1) {
      if (line != HeaderLine) return number;
    } else if (isKeyLine(line)) {
      keys->push_back(uint16_t(std::atoi(line.data() + KeyPrefix.size())));
    } else {
      return number;
    }
  }
  return 0;
}

// Tells the player once, and plays on without recording.
void recordingFailed(int error) {
  recording.failure = error;
  if (recording.automatic && recording.keysInFile == 0) ::unlink(recording.path);
  ::close(recording.fd);
  recording.fd = -1;
  char text[sizeof recording.path + 256];
  std::snprintf(text, sizeof text,
                "Cannot write the recording %s: %s. The game goes on, but no more key presses "
                "are recorded.",
                recording.path, std::strerror(error));
  if (recording.automatic) {
    std::fprintf(stderr, "velmora: %s\n", text);
  } else {
    platform::showMessageBox(text, "Recording stopped");
  }
}

void writeKey(uint16_t key) {
  char line[sizeof Header + 16];
  int length = 0;
  if (recording.headerDue) length = std::snprintf(line, sizeof line, "%s", Header);
  length += std::snprintf(line + length, sizeof line - size_t(length), "key %u\n", unsigned(key));
  if (!platform::writeAll(recording.fd, line, size_t(length))) {
    recordingFailed(errno);
    return;
  }
  recording.headerDue = false;
  ++recording.keysInFile;
}

void beginRecording(int fd, const char* path, long keys, bool empty) {
  recording = RecordingRecord{};
  recording.fd = fd;
  std::snprintf(recording.path, sizeof recording.path, "%s", path);
  recording.keysInFile = keys;
  // A file holding the header and no key yet gets no second header.
  recording.headerDue = empty;
}

// Opens `path` without following a link or waiting on a FIFO, and takes it
// for this game alone. Returns the descriptor, or -1 with *error set.
int openOwnFile(const char* path, int flags, const char* verb, std::string* error) {
  const int fd = ::open(path, flags | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0666);
  if (fd < 0) {
    const int cause = errno;
    *error = std::string("cannot ") + verb + " " + path + ": " +
             (cause == ELOOP    ? "it is a symbolic link"
              : cause == EISDIR ? "it is a folder, not a file"
                                : std::strerror(cause));
    errno = cause;
    return -1;
  }
  struct stat info {};
  const char* problem = nullptr;
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    problem = "it is not a plain file";
  } else if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    problem = "another game holds it";
  }
  if (problem != nullptr) {
    ::close(fd);
    *error = std::string("cannot ") + verb + " " + path + ": " + problem + "; it was left as it is";
    return -1;
  }
  // Writes to a plain file never wait anyway; reads go on as they always did.
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return fd;
}

}  // namespace

void recordKeyPress(uint16_t key) {
  if (recording.fd >= 0) writeKey(key);
}

bool startKeyRecording(const char* path, std::string* error) {
  // Never O_TRUNC: a file already there is looked at, not emptied.
  const int fd = openOwnFile(path, O_WRONLY | O_CREAT | O_APPEND, "record to", error);
  if (fd < 0) return false;
  struct stat info {};
  if (::fstat(fd, &info) == 0 && info.st_size > 0) {
    ::close(fd);
    *error = std::string(path) + " is not empty: continue its game with --resume " + path +
             ", or record to another name (or remove the file) to start afresh";
    return false;
  }
  beginRecording(fd, path, 0, true);
  return true;
}

bool createKeyRecording(const char* path, bool* exists, std::string* error) {
  const int fd = openOwnFile(path, O_WRONLY | O_CREAT | O_EXCL | O_APPEND, "record to", error);
  *exists = fd < 0 && errno == EEXIST;
  if (fd < 0) return false;
  beginRecording(fd, path, 0, true);
  return true;
}

bool resumeKeyRecording(const char* path, std::vector<uint16_t>* keys, std::string* error) {
  const int fd = openOwnFile(path, O_RDWR | O_APPEND, "resume", error);
  if (fd < 0) return false;
  // Line 0: the file as a whole is no recording.
  auto refuse = [&](int line) {
    *error = std::string(path) + " is not a key recording made with --record" +
             (line > 0 ? " (line " + std::to_string(line) + ")" : "") + "; it was left as it is";
    ::close(fd);
    return false;
  };
  std::string text;
  std::string reason;
  if (!platform::readWholeFile(fd, platform::RecordingLimit, &text, &reason)) {
    *error = std::string("cannot resume ") + path + ": " + reason + "; it was left as it is";
    ::close(fd);
    return false;
  }
  const size_t lastNewline = text.rfind('\n');
  const size_t wholeSize = lastNewline == std::string::npos ? 0 : lastNewline + 1;
  const std::string_view whole(text.data(), wholeSize);
  keys->clear();
  int badLine = readKeys(whole, keys);
  if (badLine == 0 && !isCutLine(std::string_view(text).substr(wholeSize), wholeSize == 0)) {
    badLine = int(std::count(text.begin(), text.end(), '\n')) + 1;
  }
  if (badLine != 0) return refuse(badLine);
  if (wholeSize < text.size() && ::ftruncate(fd, off_t(wholeSize)) != 0) {
    *error = std::string("cannot resume ") + path + ": " + std::strerror(errno);
    ::close(fd);
    return false;
  }
  beginRecording(fd, path, long(keys->size()), wholeSize == 0);
  return true;
}

bool readKeyRecording(const char* path, std::vector<uint16_t>* keys) {
  std::string text;
  std::string reason;
  if (!platform::readWholeFile(path, platform::RecordingLimit, false, &text, &reason)) return false;
  const size_t wholeSize = text.rfind('\n') == std::string::npos ? 0 : text.rfind('\n') + 1;
  keys->clear();
  return readKeys(std::string_view(text.data(), wholeSize), keys) == 0 &&
         isCutLine(std::string_view(text).substr(wholeSize), wholeSize == 0);
}

void makeRecordingAutomatic() { recording.automatic = true; }

void stopKeyRecording() {
  if (recording.fd < 0) return;
  // Removed while still held, so no other game can have taken it meanwhile.
  if (recording.automatic && recording.keysInFile == 0) ::unlink(recording.path);
  // Nothing is buffered, but a file system may report a failed write only
  // here.
  if (::close(recording.fd) != 0 && recording.failure == 0) recording.failure = errno;
  recording.fd = -1;
}

bool keyRecordingFailed(std::string* report) {
  if (recording.failure == 0) return false;
  if (recording.automatic) {
    report->clear();
    return true;
  }
  *report =
      std::string(recording.path) + " holds " + std::to_string(recording.keysInFile) +
      " key presses of this game; the rest were not recorded: " + std::strerror(recording.failure);
  return true;
}
