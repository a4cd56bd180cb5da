// Small blocks for the objects that a worksheet makes by the ten thousand: parse-tree nodes, their
// child lists, the argument objects of calls. The process heap is slow per block on some systems
// (several hundred nanoseconds once it holds many free blocks), so these blocks are carved from
// large slabs and a freed block goes to the next object of its size instead of back to the heap.
// Any thread may take and give.
#pragma once

#include <cstddef>
#include <new>

namespace evalkern {

// Blocks up to this size come from the pool; larger ones from the heap.
constexpr std::size_t kMaxPooledBlock = 256;

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

}  // namespace evalkern
