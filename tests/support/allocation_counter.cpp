#include "support/allocation_counter.h"

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

#if defined(__SANITIZE_ADDRESS__)
#define TABREL_COUNT_ALLOCATIONS 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TABREL_COUNT_ALLOCATIONS 0
#endif
#endif
#ifndef TABREL_COUNT_ALLOCATIONS
#define TABREL_COUNT_ALLOCATIONS 1
#endif

namespace {

std::atomic<uint64_t> g_calls{0};
std::atomic<uint64_t> g_bytes{0};

#if TABREL_COUNT_ALLOCATIONS
void* counted(std::size_t size, std::size_t alignment) {
  g_calls.fetch_add(1, std::memory_order_relaxed);
  g_bytes.fetch_add(size, std::memory_order_relaxed);
  if (size == 0) size = 1;
  void* p = alignment <= alignof(std::max_align_t)
                ? std::malloc(size)
                : std::aligned_alloc(alignment, (size + alignment - 1) / alignment * alignment);
  if (p == nullptr) throw std::bad_alloc();
  return p;
}

#endif

}  // namespace

#if TABREL_COUNT_ALLOCATIONS
void* operator new(std::size_t size) { return counted(size, alignof(std::max_align_t)); }
void* operator new(std::size_t size, std::align_val_t a) { return counted(size, static_cast<std::size_t>(a)); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }
#endif

namespace tabrel::test_support {

bool AllocationCounter::active() { return TABREL_COUNT_ALLOCATIONS != 0; }

AllocationCounter::AllocationCounter()
    : start_{g_calls.load(std::memory_order_relaxed), g_bytes.load(std::memory_order_relaxed)} {}

Allocations AllocationCounter::since() const {
  return {g_calls.load(std::memory_order_relaxed) - start_.calls,
          g_bytes.load(std::memory_order_relaxed) - start_.bytes};
}

}  // namespace tabrel::test_support
