// Counts what the program's own C++ code takes from the heap (the GL driver and C
// libraries allocate with malloc and are not counted): the bytes still held and the
// highest they reached while a TMeasuredHeap lives. Replaces the global operator new
// and delete, so include it in exactly one file of a test program.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

namespace heap_meter {

inline std::atomic<bool> counting{false};
inline std::atomic<long long> held{0};
inline std::atomic<long long> highest{0};
inline std::atomic<long long> allocations{0};
// Room before each block for its size, kept at the alignment new must give.
inline constexpr std::size_t kHeader = alignof(std::max_align_t);

inline void* Take(std::size_t size) {
  auto* block = static_cast<unsigned char*>(std::malloc(size + kHeader));
  if (block == nullptr) throw std::bad_alloc();
  *reinterpret_cast<std::size_t*>(block) = size;
  if (counting) {
    ++allocations;
    const long long now = held += static_cast<long long>(size);
    long long top = highest;
    while (now > top && !highest.compare_exchange_weak(top, now)) {
    }
  }
  return block + kHeader;
}

inline void Give(void* p) {
  if (p == nullptr) return;
  unsigned char* block = static_cast<unsigned char*>(p) - kHeader;
  if (counting) held -= static_cast<long long>(*reinterpret_cast<std::size_t*>(block));
  std::free(block);
}

}  // namespace heap_meter

// The highest heap use above the start, in bytes, and the number of allocations.
class TMeasuredHeap {
 public:
  TMeasuredHeap() {
    heap_meter::held = 0;
    heap_meter::highest = 0;
    heap_meter::allocations = 0;
    heap_meter::counting = true;
  }
  ~TMeasuredHeap() { heap_meter::counting = false; }
  TMeasuredHeap(const TMeasuredHeap&) = delete;
  TMeasuredHeap& operator=(const TMeasuredHeap&) = delete;
  long long Peak() const { return heap_meter::highest; }
  long long Allocations() const { return heap_meter::allocations; }
};

void* operator new(std::size_t size) { return heap_meter::Take(size); }
void* operator new[](std::size_t size) { return heap_meter::Take(size); }
void operator delete(void* p) noexcept { heap_meter::Give(p); }
void operator delete[](void* p) noexcept { heap_meter::Give(p); }
void operator delete(void* p, std::size_t) noexcept { heap_meter::Give(p); }
void operator delete[](void* p, std::size_t) noexcept { heap_meter::Give(p); }
