// An allocator whose failure is the program's run error 0 ("allocation of N bytes failed"),
// so that every value type reports exhausted memory the same way and no exception escapes.
#pragma once

#include <cstddef>
#include <cstdlib>

#include "platform/run_error.h"

namespace corvalin {

template <class T>
struct CheckedAllocator {
  using value_type = T;

  CheckedAllocator() = default;
  template <class U>
  CheckedAllocator(const CheckedAllocator<U>&) {}  // NOLINT(google-explicit-constructor)

  T* allocate(std::size_t n) {
    const std::size_t bytes = n * sizeof(T);
    if (n > static_cast<std::size_t>(-1) / sizeof(T)) platform::endWithAllocationFailure(n);
    void* p = std::malloc(bytes == 0 ? 1 : bytes);
    if (p == nullptr) platform::endWithAllocationFailure(bytes);
    return static_cast<T*>(p);
  }
  void deallocate(T* p, std::size_t) { std::free(p); }

  template <class U>
  bool operator==(const CheckedAllocator<U>&) const {
    return true;
  }
};

}  // namespace corvalin
