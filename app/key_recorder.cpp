// The key recorder behind `velmora --record FILE`: it sees each key through the
// key-press hook, before the game does, and writes it as a script line that
// `velmora --headless FILE` replays to the same state.
#include "app/key_recorder.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "ui/keyboard.h"

namespace {

std::FILE* recording = nullptr;
// The stream's buffer is ours, so no key press makes the C library allocate.
char streamBuffer[256];

void recordKey(uint16_t key) {
  char line[16];
  const int length = std::snprintf(line, sizeof line, "key %u\n", unsigned(key));
  std::fwrite(line, 1, size_t(length), recording);
  std::fflush(recording);
}

}  // namespace

bool startKeyRecording(const char* path, std::string* error) {
  std::FILE* file = std::fopen(path, "w");
  if (file == nullptr) {
    *error = std::string("cannot record to ") + path + ": " + std::strerror(errno);
    return false;
  }
  std::setvbuf(file, streamBuffer, _IOFBF, sizeof streamBuffer);
  std::fputs("# velmora key recording: replay with velmora --headless FILE\n", file);
  std::fflush(file);
  recording = file;
  KeyPressHook = recordKey;
  return true;
}

void stopKeyRecording() {
  if (recording == nullptr) return;
  KeyPressHook = nullptr;
  std::fclose(recording);
  recording = nullptr;
}
