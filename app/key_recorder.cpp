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
#include "ui/played_worlds.h"
#include "ui/session.h"

namespace {

constexpr char Header[] = "# velmora key recording: replay with velmora --headless FILE\n";
constexpr std::string_view HeaderLine(Header, sizeof Header - 2);  // without its newline
constexpr std::string_view KeyPrefix = "key ";
// A recording made on a world file names it after the header: the title in
// a comment, then the line the replayer reads.
constexpr std::string_view WorldsTitlePrefix = "# worlds: ";
constexpr std::string_view WorldsPrefix = "worlds ";
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

bool isStartOf(std::string_view line, std::string_view tail) {
  return line.substr(0, tail.size()) == tail;
}

// The worlds' lines come between the header and the first key, at most once.
bool isWorldsTitleLine(std::string_view line) {
  return line.starts_with(WorldsTitlePrefix) && line.find('\r') == std::string_view::npos;
}

// What the recording's lines have held so far, for reading the next one.
struct ReadSoFar {
  int lines = 0;
  bool titleRead = false;
  bool worldsRead = false;
  bool keyRead = false;
};

// Whether `tail`, the bytes after the last newline, is the start of a line
// the recorder writes after `before`: what a write cut short leaves.
bool isCutLine(std::string_view tail, const ReadSoFar& before) {
  if (before.lines == 0) return isStartOf(HeaderLine, tail);
  if (!before.keyRead && !before.worldsRead) {
    if (!before.titleRead && (isStartOf(WorldsTitlePrefix, tail) || isWorldsTitleLine(tail)))
      return true;
    if (isStartOf(WorldsPrefix, tail)) return true;
    if (tail.starts_with(WorldsPrefix)) {
      const std::string_view id = tail.substr(WorldsPrefix.size());
      if (id.size() <= 64 && isWorldsIdentity(std::string(id) + std::string(64 - id.size(), '0')))
        return true;
    }
  }
  if (tail.size() <= KeyPrefix.size()) return isStartOf(KeyPrefix, tail);
  return isKeyLine(tail);
}

// Reads the recording's whole lines into *keys and the identity of the
// worlds it names into *worlds ("" for none). Returns the number of the
// first line that a recording cannot hold, or 0 when every line fits.
int readKeys(std::string_view whole, std::vector<uint16_t>* keys, std::string* worlds,
             ReadSoFar* read) {
  worlds->clear();
  while (!whole.empty()) {
    const size_t end = whole.find('\n');
    const std::string_view line = whole.substr(0, end);
    whole.remove_prefix(end + 1);
    const int number = ++read->lines;
    const bool beforeKeys = !read->keyRead && !read->worldsRead;
    if (number == 1) {
      if (line != HeaderLine) return number;
    } else if (isKeyLine(line)) {
      keys->push_back(uint16_t(std::atoi(line.data() + KeyPrefix.size())));
      read->keyRead = true;
    } else if (beforeKeys && !read->titleRead && isWorldsTitleLine(line)) {
      read->titleRead = true;
    } else if (beforeKeys && line.starts_with(WorldsPrefix) &&
               isWorldsIdentity(line.substr(WorldsPrefix.size()))) {
      *worlds = line.substr(WorldsPrefix.size());
      read->worldsRead = true;
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
  char keyLine[16];
  const int keyLength = std::snprintf(keyLine, sizeof keyLine, "key %u\n", unsigned(key));
  // The first key brings the header and the worlds' lines, in the same write,
  // put together without allocating: a title is at most 60 characters.
  char first[1024];
  const char* line = keyLine;
  size_t length = size_t(keyLength);
  if (recording.headerDue) {
    const std::string& worlds = worldsLines();
    const size_t headerLength = sizeof Header - 1;
    if (headerLength + worlds.size() + length > sizeof first) {
      recordingFailed(ENAMETOOLONG);
      return;
    }
    std::memcpy(first, Header, headerLength);
    std::memcpy(first + headerLength, worlds.data(), worlds.size());
    std::memcpy(first + headerLength + worlds.size(), keyLine, length);
    line = first;
    length += headerLength + worlds.size();
  }
  if (!platform::writeAll(recording.fd, line, length)) {
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
  // Made now, not on the first key; the start-up makes them again should it
  // install other worlds after this.
  if (empty) worldsLines();
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

bool resumeKeyRecording(const char* path, std::vector<uint16_t>* keys, std::string* worlds,
                        std::string* error) {
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
  ReadSoFar read;
  int badLine = readKeys(whole, keys, worlds, &read);
  if (badLine == 0 && !isCutLine(std::string_view(text).substr(wholeSize), read)) {
    badLine = int(std::count(text.begin(), text.end(), '\n')) + 1;
  }
  if (badLine != 0) return refuse(badLine);
  // A file without a key holds nothing of a game: it starts afresh, its
  // header and worlds' lines brought by the first key, on the worlds played.
  const size_t kept = keys->empty() ? 0 : wholeSize;
  if (keys->empty()) worlds->clear();
  if (kept < text.size() && ::ftruncate(fd, off_t(kept)) != 0) {
    *error = std::string("cannot resume ") + path + ": " + std::strerror(errno);
    ::close(fd);
    return false;
  }
  beginRecording(fd, path, long(keys->size()), kept == 0);
  return true;
}

bool readKeyRecording(const char* path, std::vector<uint16_t>* keys, std::string* worlds) {
  std::string text;
  std::string reason;
  if (!platform::readWholeFile(path, platform::RecordingLimit, false, &text, &reason)) return false;
  const size_t wholeSize = text.rfind('\n') == std::string::npos ? 0 : text.rfind('\n') + 1;
  keys->clear();
  ReadSoFar so;
  return readKeys(std::string_view(text.data(), wholeSize), keys, worlds, &so) == 0 &&
         isCutLine(std::string_view(text).substr(wholeSize), so);
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
