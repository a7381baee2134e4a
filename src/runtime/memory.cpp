#include "runtime/memory.h"

#include <cstdio>
#include <cstdlib>

#include "runtime/fatal_error.h"

namespace {
std::size_t allocationLimit = std::numeric_limits<std::size_t>::max();
}

void SetRuntimeAllocationLimit(std::size_t bytes) { allocationLimit = bytes; }

void* RuntimeAllocate(std::size_t bytes) {
  void* block = bytes <= allocationLimit ? std::malloc(bytes == 0 ? 1 : bytes) : nullptr;
  if (block == nullptr) {
    char message[64];
    std::snprintf(message, sizeof message, "分配 %d 字节内存失败!", static_cast<int>(bytes));
    FatalRuntimeError(0, message);
  }
  return block;
}

void RuntimeRelease(void* block) { std::free(block); }
