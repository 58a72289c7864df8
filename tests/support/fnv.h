// The tests' one hash, 64-bit FNV-1a: of records after a turn or a key, and of
// frames, printed beside the records that explain them.
#pragma once

#include <cstddef>
#include <cstdint>

struct Fnv1a {
  uint64_t value = 14695981039346656037u;
  // Mixes w in as one unit (the frame hashes take a pixel's 24 bits at once).
  void word(uint64_t w) { value = (value ^ w) * 1099511628211u; }
  // Mixes size bytes from data in, one at a time.
  void bytes(const void* data, size_t size) {
    for (size_t i = 0; i < size; ++i) word(static_cast<const uint8_t*>(data)[i]);
  }
};
