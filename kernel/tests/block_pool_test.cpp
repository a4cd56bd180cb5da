// The block pool: blocks of every size are aligned and never overlap, a freed block serves the
// next block of its size, and threads taking and giving at once never share a block.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <thread>
#include <vector>

#include "BlockPool.h"

using namespace evalkern;

namespace {

struct Held {
  unsigned char* p;
  std::size_t size;
  unsigned char mark;
};

// Fills every block with its own mark, then checks that no block was written over.
void FillAndCheck(const std::vector<Held>& blocks) {
  for (const Held& b : blocks) std::memset(b.p, b.mark, b.size);
  for (const Held& b : blocks)
    for (std::size_t i = 0; i < b.size; ++i) ASSERT_EQ(b.p[i], b.mark) << "size " << b.size;
}

}  // namespace

TEST(BlockPool, BlocksOfEverySizeAreAlignedAndApart) {
  std::vector<Held> blocks;
  for (int round = 0; round < 50; ++round)
    for (std::size_t size : {std::size_t{1}, std::size_t{8}, std::size_t{16}, std::size_t{17},
                             std::size_t{100}, kMaxPooledBlock, kMaxPooledBlock + 1,
                             std::size_t{4000}}) {
      auto* p = static_cast<unsigned char*>(TakeBlock(size));
      EXPECT_EQ(reinterpret_cast<std::uintptr_t>(p) % 16, 0u) << "size " << size;
      blocks.push_back({p, size, static_cast<unsigned char>(blocks.size() * 7 + 1)});
    }
  FillAndCheck(blocks);
  for (const Held& b : blocks) GiveBlock(b.p, b.size);
}

TEST(BlockPool, AFreedBlockServesTheNextOfItsSize) {
  void* a = TakeBlock(48);
  GiveBlock(a, 48);
  void* b = TakeBlock(40);  // the same class of 48 bytes
  EXPECT_EQ(a, b);
  GiveBlock(b, 40);
  GiveBlock(nullptr, 40);  // nothing to give: ignored
}

// A large block freed goes to the next request of its power of two, whatever its exact size,
// so that a worksheet's buffers are made in memory the last one has used; a block above the
// largest kept size comes from the heap and goes back to it.
TEST(BlockPool, AFreedLargeBlockServesTheNextOfItsClass) {
  void* a = TakeBlock(300000);
  GiveBlock(a, 300000);
  void* b = TakeBlock(400000);  // the same class of 512 KB
  EXPECT_EQ(a, b);
  std::memset(b, 0x5a, 400000);
  GiveBlock(b, 400000);

  auto* huge = static_cast<unsigned char*>(TakeBlock(kMaxKeptBlock + 1));
  huge[0] = huge[kMaxKeptBlock] = 1;
  GiveBlock(huge, kMaxKeptBlock + 1);
}

TEST(BlockPool, ThreadsNeverShareABlock) {
  auto worker = [](unsigned char mark, bool* ok) {
    std::vector<Held> blocks;
    for (int round = 0; round < 200; ++round) {
      for (std::size_t size = 8; size <= kMaxPooledBlock; size += 24)
        blocks.push_back({static_cast<unsigned char*>(TakeBlock(size)), size, mark});
      for (const Held& b : blocks) std::memset(b.p, b.mark, b.size);
      for (const Held& b : blocks)
        for (std::size_t i = 0; i < b.size; ++i)
          if (b.p[i] != mark) *ok = false;
      for (const Held& b : blocks) GiveBlock(b.p, b.size);
      blocks.clear();
    }
  };
  bool ok[4] = {true, true, true, true};
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) threads.emplace_back(worker, static_cast<unsigned char>(0x11 * (t + 1)), &ok[t]);
  for (std::thread& t : threads) t.join();
  for (bool each : ok) EXPECT_TRUE(each);
}
