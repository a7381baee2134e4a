// Memory for texts and byte buffers.
//
// Contract: RuntimeAllocate never returns null. When the memory cannot be
// obtained the process ends with the fatal runtime error report naming the
// requested size; callers need no failure path.
#pragma once

#include <cstddef>
#include <limits>

void* RuntimeAllocate(std::size_t bytes);
void RuntimeRelease(void* block);

// Tests only: requests above the limit fail as if the heap were exhausted.
// The default is no limit.
void SetRuntimeAllocationLimit(std::size_t bytes);

template <typename T>
struct RuntimeAllocator {
  using value_type = T;
  RuntimeAllocator() noexcept = default;
  template <typename U>
  RuntimeAllocator(const RuntimeAllocator<U>&) noexcept {}
  T* allocate(std::size_t n) { return static_cast<T*>(RuntimeAllocate(n * sizeof(T))); }
  void deallocate(T* p, std::size_t) noexcept { RuntimeRelease(p); }
  template <typename U>
  bool operator==(const RuntimeAllocator<U>&) const noexcept { return true; }
  template <typename U>
  bool operator!=(const RuntimeAllocator<U>&) const noexcept { return false; }
};
