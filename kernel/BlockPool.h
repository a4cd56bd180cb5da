// Small blocks for the objects that a worksheet makes by the ten thousand: parse-tree nodes, their
// child lists, the argument objects of calls. The process heap is slow per block on some systems
// (several hundred nanoseconds once it holds many free blocks), so these blocks are carved from
// large slabs and a freed block goes to the next object of its size instead of back to the heap.
//
// Large blocks (a worksheet's text, its output, its list of lines) are kept too. The heap hands
// a large freed block back to the system, and the next worksheet's buffer then costs a page
// fault for every 4 KB it touches, which on some systems is slower than the work done in it (tens
// of microseconds a page). A freed large block waits in the pool for the next one of its size
// instead, up to a limit on what the pool keeps. Any thread may take and give.
#pragma once

#include <cstddef>
#include <new>
#include <string>
#include <vector>

namespace evalkern {

// Blocks up to this size are carved from slabs; larger ones are whole blocks of a power of two
// bytes, kept when freed while the pool holds less than kKeptLargeBytes of them, and blocks above
// kMaxKeptBlock come from the heap and go back to it.
constexpr std::size_t kMaxPooledBlock = 256;
constexpr std::size_t kMaxKeptBlock = std::size_t{32} << 20;
constexpr std::size_t kKeptLargeBytes = std::size_t{64} << 20;

// A block of at least `size` bytes, aligned like ::operator new; raises std::bad_alloc.
void* TakeBlock(std::size_t size);
// Gives back a block from TakeBlock with the size it was asked for.
void GiveBlock(void* block, std::size_t size) noexcept;

// A base that gives a class (and the classes derived from it) pooled new and delete. With a
// virtual destructor, delete passes the size of the object's own class.
struct TPooled {
  static void* operator new(std::size_t size) { return TakeBlock(size); }
  static void operator delete(void* block, std::size_t size) noexcept { GiveBlock(block, size); }
};

// The pool as a standard allocator, for the small vectors that go with the pooled objects.
template <class T>
struct PoolAllocator {
  using value_type = T;
  PoolAllocator() = default;
  template <class U>
  PoolAllocator(const PoolAllocator<U>&) noexcept {}
  T* allocate(std::size_t n) {
    if (n > static_cast<std::size_t>(-1) / sizeof(T)) throw std::bad_alloc();
    return static_cast<T*>(TakeBlock(n * sizeof(T)));
  }
  void deallocate(T* p, std::size_t n) noexcept { GiveBlock(p, n * sizeof(T)); }
  template <class U>
  bool operator==(const PoolAllocator<U>&) const noexcept { return true; }
  template <class U>
  bool operator!=(const PoolAllocator<U>&) const noexcept { return false; }
};

// Containers in the pool's blocks, for what a worksheet needs once per line or once in full.
template <class T>
using PooledVector = std::vector<T, PoolAllocator<T>>;
using PooledText = std::basic_string<wchar_t, std::char_traits<wchar_t>, PoolAllocator<wchar_t>>;

}  // namespace evalkern
