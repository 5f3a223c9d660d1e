#pragma once
// Counts what the test binary allocates through operator new, so that a test can bound the
// memory a piece of work takes. Link allocation_counter.cpp into the test binary that uses it.

#include <cstdint>

namespace tabrel::test_support {

struct Allocations {
  uint64_t calls = 0;
  uint64_t bytes = 0;
};

// Allocations made since construction (freeing does not subtract).
class AllocationCounter {
 public:
  // False under AddressSanitizer, which owns operator new: bounds are checked by the other builds.
  static bool active();

  AllocationCounter();
  Allocations since() const;

 private:
  Allocations start_;
};

}  // namespace tabrel::test_support
