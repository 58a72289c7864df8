// Fuzz target: statements through the dispatcher on a started game.
//
// An input is one or more lines split at '\n', run in order on one game so
// that statements build on each other (CREATE, then INSERT, then the spell).
// Each input is run twice on a fresh game:
//   1. as command entry could have composed it: only characters of the grid,
//      at most 112 a line, submitted as the submit cell does, each after the
//      turn that opening command entry costs;
//   2. as raw bytes, each line straight to executeStatement, any length and
//      any byte, since the tokenizer and the handlers must hold for any text.
// After every statement the records must keep their invariants, and at most
// the one cell the statement names may have changed.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "fuzz/fuzz_support.h"
#include "game/game_state.h"
#include "game/movement.h"
#include "statements/dispatcher.h"
#include "tests/support/rules_fixture.h"
#include "ui/command_entry.h"

namespace {

constexpr size_t LongestCommand = 112;
constexpr size_t MaxRawLine = 4096;

bool onGrid(uint8_t c) {
  if (c == EraseCode || c == SubmitCode) return false;
  return std::memchr(CharGrid, c, sizeof CharGrid) != nullptr;
}

void submitComposed(const uint8_t* line, size_t size) {
  runTurn();
  requireInvariants("the turn of opening command entry");
  if (GameMode == ModeCleared) return;
  std::memset(CommandLine, 0, sizeof CommandLine);
  CommandLength = 0;
  GameMode = ModeCommand;
  for (size_t i = 0; i < size && CommandLength < LongestCommand; ++i) {
    if (onGrid(line[i])) CommandLine[CommandLength++] = char(line[i]);
  }
  requireInvariants("composing a statement");
  rememberMaps();
  executeStatement(CommandLine);
  requireOneCellChange("a composed statement");
  std::memcpy(LastCommand, CommandLine, sizeof LastCommand);
  GameMode = ModeField;
  requireInvariants("a composed statement");
}

void submitRaw(const uint8_t* line, size_t size) {
  static char text[MaxRawLine + 1];
  if (size > MaxRawLine) size = MaxRawLine;
  std::memcpy(text, line, size);
  text[size] = '\0';
  rememberMaps();
  executeStatement(text);
  requireOneCellChange("a raw statement");
  requireInvariants("a raw statement");
}

template <typename Run>
void eachLine(const uint8_t* data, size_t size, Run run) {
  size_t start = 0;
  for (size_t i = 0; i <= size; ++i) {
    if (i == size || data[i] == '\n') {
      run(data + start, i - start);
      if (GameMode == ModeCleared) return;
      start = i + 1;
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  startFreshGame();
  requireInvariants("starting a game");
  eachLine(data, size, submitComposed);

  startFreshGame();
  eachLine(data, size, submitRaw);
  return 0;
}
