// Catches writes into freed memory: while a FreedMemoryWatch lives, operator delete fills every
// block with a pattern and holds it back from the heap for a while; a block whose pattern changed
// by the time it is handed back (or the watch looks at it) was written after it was freed.
// It replaces the global operator new and delete: include it in exactly one source file of a
// test program.
#pragma once
#include <windows.h>
#include <malloc.h>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>

namespace freed_memory {

constexpr unsigned char kPattern = 0xDD;
constexpr size_t kHeldBlocks = 16384;

struct HeldBlock {
  void* p;
  size_t n;
};

inline HeldBlock g_held[kHeldBlocks];
inline size_t g_next = 0;
inline std::atomic<bool> g_watching{false};
inline std::atomic_flag g_lock = ATOMIC_FLAG_INIT;
inline long g_written = 0;  // blocks found written after they were freed

struct Lock {
  Lock() {
    while (g_lock.test_and_set(std::memory_order_acquire)) ::Sleep(0);
  }
  ~Lock() { g_lock.clear(std::memory_order_release); }
};

inline void HandBack(HeldBlock& block) {
  if (block.p == nullptr) return;
  const unsigned char* bytes = static_cast<const unsigned char*>(block.p);
  for (size_t i = 0; i < block.n; ++i) {
    if (bytes[i] != kPattern) {
      ++g_written;
      break;
    }
  }
  std::free(block.p);
  block.p = nullptr;
}

inline void HandBackAll() {
  Lock lock;
  for (HeldBlock& block : g_held) HandBack(block);
}

// Watches from its construction to Written(): the number of blocks freed meanwhile and written
// afterwards. Blocks freed before it are handed back first and do not count.
class FreedMemoryWatch {
public:
  FreedMemoryWatch() {
    HandBackAll();
    Lock lock;
    m_nBefore = g_written;
    g_watching = true;
  }
  ~FreedMemoryWatch() {
    g_watching = false;
    HandBackAll();
  }
  long Written() {
    HandBackAll();
    Lock lock;
    return g_written - m_nBefore;
  }

private:
  long m_nBefore = 0;
};

inline void Release(void* p) noexcept {
  if (p == nullptr) return;
  if (!g_watching) {
    std::free(p);
    return;
  }
  const size_t n = _msize(p);
  std::memset(p, kPattern, n);
  Lock lock;
  HandBack(g_held[g_next]);
  g_held[g_next] = {p, n};
  g_next = (g_next + 1) % kHeldBlocks;
}

inline void* Allocate(size_t n) {
  void* p = std::malloc(n != 0 ? n : 1);
  if (p == nullptr) throw std::bad_alloc();
  return p;
}

}  // namespace freed_memory

void* operator new(size_t n) { return freed_memory::Allocate(n); }
void* operator new[](size_t n) { return freed_memory::Allocate(n); }
void* operator new(size_t n, const std::nothrow_t&) noexcept { return std::malloc(n != 0 ? n : 1); }
void* operator new[](size_t n, const std::nothrow_t&) noexcept { return std::malloc(n != 0 ? n : 1); }
void operator delete(void* p) noexcept { freed_memory::Release(p); }
void operator delete[](void* p) noexcept { freed_memory::Release(p); }
void operator delete(void* p, size_t) noexcept { freed_memory::Release(p); }
void operator delete[](void* p, size_t) noexcept { freed_memory::Release(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { freed_memory::Release(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { freed_memory::Release(p); }
