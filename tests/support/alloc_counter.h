// Counting heap allocations, to prove that drawing and other per-key work
// allocates nothing. The test binary's operator new is replaced by one that
// counts (alloc_counter.cpp).
#pragma once

#include <cstddef>

// Counts the allocations made through operator new from its construction on.
class AllocationCounter {
 public:
  AllocationCounter();
  // Allocations since construction, on any thread.
  long count() const;

 private:
  long start_;
};
