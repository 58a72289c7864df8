// The day's generator's own random numbers: SplitMix64, written out here so
// that its sequence is ours and never changes with a library. Fixed-width
// unsigned arithmetic only (wrapping is defined), so every machine and the
// page draw the same numbers from the same seed.
#pragma once

#include <cstdint>

class DailyRandom {
 public:
  explicit DailyRandom(uint64_t seed) : state_(seed) {}

  uint64_t next() {
    state_ += 0x9E3779B97F4A7C15ull;
    uint64_t z = state_;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }

  // Returns a number from 0 to n - 1 (n >= 1), by multiplying the draw's top
  // 32 bits by n rather than by a remainder.
  uint32_t below(uint32_t n) { return uint32_t(((next() >> 32) * uint64_t(n)) >> 32); }

  // Returns a number from low to high, both included.
  int between(int low, int high) { return low + int(below(uint32_t(high - low + 1))); }

 private:
  uint64_t state_;
};
