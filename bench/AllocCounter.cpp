// Replaces the global operator new and delete to count live heap bytes, so
// that the benchmark can report Tandrel's peak memory per hit. The count uses
// malloc_usable_size, so it includes what the allocator rounds up.
#include "AllocCounter.h"

#include <malloc.h>

#include <cstdlib>
#include <new>

namespace {

size_t g_inUse = 0;
size_t g_peak = 0;
bool g_counting = true;

void* Allocate(size_t size) {
  void* p = std::malloc(size == 0 ? 1 : size);
  if (p == nullptr) throw std::bad_alloc();
  if (!g_counting) return p;
  g_inUse += malloc_usable_size(p);
  if (g_inUse > g_peak) g_peak = g_inUse;
  return p;
}

void Release(void* p) noexcept {
  if (p == nullptr) return;
  if (g_counting) g_inUse -= malloc_usable_size(p);
  std::free(p);
}

}  // namespace

size_t HeapBytesInUse() { return g_inUse; }
size_t HeapPeakBytes() { return g_peak; }
void ResetHeapPeak() { g_peak = g_inUse; }
void SetHeapCounting(bool on) { g_counting = on; }

void* operator new(size_t size) { return Allocate(size); }
void* operator new[](size_t size) { return Allocate(size); }
void* operator new(size_t size, const std::nothrow_t&) noexcept {
  try {
    return Allocate(size);
  } catch (...) {
    return nullptr;
  }
}
void* operator new[](size_t size, const std::nothrow_t&) noexcept {
  try {
    return Allocate(size);
  } catch (...) {
    return nullptr;
  }
}
void operator delete(void* p) noexcept { Release(p); }
void operator delete[](void* p) noexcept { Release(p); }
void operator delete(void* p, size_t) noexcept { Release(p); }
void operator delete[](void* p, size_t) noexcept { Release(p); }
