// Fuzz target: whole key sequences through the form's key handler, from the
// title screen on, drawing included, on the headless platform.
//
// Input bytes decode to keys as tests/support/key_bytes.h tells.
// After every key the records must keep their invariants, and at most the one
// cell a submitted statement names may have changed.
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_support.h"
#include "game/game_state.h"
#include "tests/support/form_fixture.h"
#include "tests/support/key_bytes.h"
#include "ui/keyboard.h"
#include "ui/main_window.h"

namespace {

// Keys sent after the game is won: they must change nothing, and a few show it.
constexpr int KeysAfterClear = 4;
// Enough for the won game of the test scripts (about 26000 keys).
constexpr int MaxKeys = 30000;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  showFreshTitle();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The title as at program start, its surfaces kept from the first.
  resetAllState();
  showTitle();
  requireInvariants("the title screen");
  int keys = 0, afterClear = 0;
  pressKeysOf(data, size, [&](uint16_t key) {
    if (keys >= MaxKeys || afterClear > KeysAfterClear) return false;
    ++keys;
    afterClear += GameMode == ModeCleared;
    rememberMaps();
    FormKeyDown(key);
    requireOneCellChange("a key press");
    requireInvariants("a key press");
    return true;
  });
  return 0;
}
