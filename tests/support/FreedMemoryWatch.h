// Catches writes into freed memory: while a FreedMemoryWatch lives, operator delete fills every
// block with a pattern and holds it back from the heap for a while; a block whose pattern changed
// by the time it is handed back (or the watch looks at it) was written after it was freed, and a
// block deleted while still held back was deleted twice.
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
inline SRWLOCK g_lock = SRWLOCK_INIT;  // operator new and delete take it: no allocation, no pump
inline long g_written = 0;      // blocks found written after they were freed
inline long g_freedTwice = 0;   // blocks deleted again while held

struct Lock {
  Lock() { ::AcquireSRWLockExclusive(&g_lock); }
  ~Lock() { ::ReleaseSRWLockExclusive(&g_lock); }
};

inline bool HoldsPattern(const void* p, size_t n) {
  const unsigned char* bytes = static_cast<const unsigned char*>(p);
  for (size_t i = 0; i < n; ++i)
    if (bytes[i] != kPattern) return false;
  return true;
}

inline void HandBack(HeldBlock& block) {
  if (block.p == nullptr) return;
  if (!HoldsPattern(block.p, block.n)) ++g_written;
  std::free(block.p);
  block.p = nullptr;
}

// A block deleted while it is still held was deleted twice (only a block that still holds the
// pattern is looked for: a live one hardly does).
inline bool IsHeld(const void* p) {
  for (const HeldBlock& block : g_held)
    if (block.p == p) return true;
  return false;
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
  long FreedTwice() {
    Lock lock;
    return g_freedTwice - m_nFreedTwiceBefore;
  }

private:
  long m_nBefore = 0;
  long m_nFreedTwiceBefore = g_freedTwice;
};

inline void Release(void* p) noexcept {
  if (p == nullptr) return;
  if (!g_watching) {
    std::free(p);
    return;
  }
  const size_t n = _msize(p);
  Lock lock;
  if (HoldsPattern(p, n) && IsHeld(p)) {
    ++g_freedTwice;
    return;
  }
  std::memset(p, kPattern, n);
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
