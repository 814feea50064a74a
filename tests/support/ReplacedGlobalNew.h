// Replaces the global operator new and delete of the test program that includes this header, in
// one of its files only: every allocation first asks vxtest::AllocationRefused, which that test
// program defines, and throws std::bad_alloc when it answers true. The nothrow forms are replaced
// with the others, so that memory goes back the way it was taken (the address sanitizer reports
// the runtime's own nothrow new paired with the delete below).
#pragma once

#include <cstddef>
#include <cstdlib>
#include <new>

namespace vxtest {

// True when an allocation of `size` bytes must fail.
bool AllocationRefused(std::size_t size);

}  // namespace vxtest

void* operator new(std::size_t size) {
  if (vxtest::AllocationRefused(size)) throw std::bad_alloc();
  if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
  throw std::bad_alloc();
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return ::operator new(size);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
// The pairs of the two above: GCC takes free() after operator new for a mismatch.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif
