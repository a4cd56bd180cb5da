#include "BlockPool.h"

#include <windows.h>

#include <cstdint>

namespace evalkern {

namespace {

constexpr std::size_t kGrain = 16;  // block sizes are whole grains, so blocks stay aligned
constexpr std::size_t kClasses = kMaxPooledBlock / kGrain;
constexpr std::size_t kSlabBytes = 64 * 1024;

struct FreeBlock {
  FreeBlock* next;
};

// A spin lock's hold: the pools' locks are held for a few instructions. Letting go is a plain
// store with release order: a locked instruction there would wait for every store before it,
// and the stores into a block just filled often wait for memory.
struct Locked {
  explicit Locked(LONG& busy) : busy_(busy) {
    while (InterlockedExchange(&busy_, 1)) YieldProcessor();
  }
  ~Locked() { __atomic_store_n(&busy_, 0, __ATOMIC_RELEASE); }
  LONG& busy_;
};

// Asks the processor to bring the cache lines of a block in, for writing.
inline void Prefetch(const void* block, std::size_t bytes) {
  constexpr std::uintptr_t kLine = 64;
  const std::uintptr_t first = reinterpret_cast<std::uintptr_t>(block) & ~(kLine - 1);
  const std::uintptr_t last = reinterpret_cast<std::uintptr_t>(block) + bytes - 1;
  for (std::uintptr_t line = first; line <= last; line += kLine)
    __builtin_prefetch(reinterpret_cast<const void*>(line), 1);
}

// A slab starts with one grain that chains it to the slab before; its blocks follow.
struct Slab {
  Slab* next;
};

// One free list per size class, and the slab that new blocks are carved from. A single lock
// serves all classes: it is held for a few instructions.
class Pool {
 public:
  constexpr Pool() = default;
  Pool(const Pool&) = delete;
  Pool& operator=(const Pool&) = delete;
  // Blocks still in use when the module goes (a leak) would point into the slabs: the slabs
  // are freed only when every block has come back.
  ~Pool() {
    if (inUse_ != 0) return;
    while (slabs_) {
      Slab* s = slabs_;
      slabs_ = s->next;
      ::operator delete(s);
    }
  }

  void* Take(std::size_t cls) {
    Locked lock(busy_);
    FreeBlock* block = free_[cls];
    void* p;
    if (block) {
      FreeBlock* next = block->next;
      free_[cls] = next;
      // A worksheet's blocks come back in the order its tree was freed, scattered over many
      // slabs and long out of the cache: the next block of this size is fetched now, while
      // the caller fills this one, instead of stalling the next Take.
      if (next) Prefetch(next, (cls + 1) * kGrain);
      p = block;
    } else {
      p = Carve((cls + 1) * kGrain);
    }
    ++inUse_;
    return p;
  }

  void Give(void* p, std::size_t cls) noexcept {
    Locked lock(busy_);
    FreeBlock* block = static_cast<FreeBlock*>(p);
    block->next = free_[cls];
    free_[cls] = block;
    --inUse_;
  }

 private:
  // A new block from the current slab; the few bytes a slab has left over are not used.
  void* Carve(std::size_t bytes) {
    if (static_cast<std::size_t>(end_ - cursor_) < bytes) {
      char* slab = static_cast<char*>(::operator new(kSlabBytes));
      reinterpret_cast<Slab*>(slab)->next = slabs_;
      slabs_ = reinterpret_cast<Slab*>(slab);
      cursor_ = slab + kGrain;
      end_ = slab + kSlabBytes;
    }
    void* p = cursor_;
    cursor_ += bytes;
    return p;
  }

  LONG busy_ = 0;
  FreeBlock* free_[kClasses] = {};
  Slab* slabs_ = nullptr;
  char* cursor_ = nullptr;
  char* end_ = nullptr;
  std::size_t inUse_ = 0;
};

Pool g_pool;

std::size_t SizeClass(std::size_t size) { return size == 0 ? 0 : (size - 1) / kGrain; }

// Large blocks by the power of two that holds them: a freed block serves any later request of its
// class. What the pool keeps stays with the process; blocks beyond its limit go back to the heap.
class LargeBlocks {
 public:
  constexpr LargeBlocks() = default;
  LargeBlocks(const LargeBlocks&) = delete;
  LargeBlocks& operator=(const LargeBlocks&) = delete;
  ~LargeBlocks() {
    for (FreeBlock*& head : free_)
      while (head) {
        FreeBlock* b = head;
        head = b->next;
        ::operator delete(b);
      }
  }

  static unsigned ClassOf(std::size_t size) {
    unsigned cls = kFirstClass;
    while ((std::size_t{1} << cls) < size) ++cls;
    return cls;
  }

  void* Take(unsigned cls) {
    {
      Locked lock(busy_);
      if (FreeBlock* block = free_[cls - kFirstClass]) {
        free_[cls - kFirstClass] = block->next;
        kept_ -= std::size_t{1} << cls;
        return block;
      }
    }
    return ::operator new(std::size_t{1} << cls);
  }

  void Give(void* p, unsigned cls) noexcept {
    const std::size_t bytes = std::size_t{1} << cls;
    {
      Locked lock(busy_);
      if (kept_ + bytes <= kKeptLargeBytes) {
        FreeBlock* block = static_cast<FreeBlock*>(p);
        block->next = free_[cls - kFirstClass];
        free_[cls - kFirstClass] = block;
        kept_ += bytes;
        return;
      }
    }
    ::operator delete(p);
  }

 private:
  static constexpr unsigned kFirstClass = 9;  // 512 bytes: the first power of two above the slabs'
  static constexpr unsigned kLastClass = 25;  // kMaxKeptBlock
  static_assert(std::size_t{1} << (kFirstClass - 1) >= kMaxPooledBlock, "classes start above the slabs");
  static_assert(std::size_t{1} << kLastClass == kMaxKeptBlock, "the last class is the largest kept block");

  LONG busy_ = 0;
  FreeBlock* free_[kLastClass - kFirstClass + 1] = {};
  std::size_t kept_ = 0;
};

LargeBlocks g_large;

}  // namespace

void* TakeBlock(std::size_t size) {
  if (size <= kMaxPooledBlock) return g_pool.Take(SizeClass(size));
  if (size <= kMaxKeptBlock) return g_large.Take(LargeBlocks::ClassOf(size));
  return ::operator new(size);
}

void GiveBlock(void* block, std::size_t size) noexcept {
  if (!block) return;
  if (size <= kMaxPooledBlock) return g_pool.Give(block, SizeClass(size));
  if (size <= kMaxKeptBlock) return g_large.Give(block, LargeBlocks::ClassOf(size));
  ::operator delete(block);
}

}  // namespace evalkern
