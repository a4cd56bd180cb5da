// Command usage: what is counted, the frequent-use threshold, and the archive.
#include "bars/UfxCommandUsage.h"
#include "bars/UfxPopupMenuBar.h"
#include "bars/UfxToolBar.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

class UsageTest : public ::testing::Test {
protected:
  void SetUp() override {
    usage.Reset();
    CUfxToolBar::SetCustomizeMode(FALSE);
    CUfxToolBar::SetCoreCommands(CList<UINT, UINT>());
  }
  void TearDown() override { SetUp(); }
  void Use(UINT cmd, int times) {
    for (int i = 0; i < times; ++i) usage.AddCommand(cmd);
  }
  std::vector<BYTE> Store() {
    CMemFile file;
    {
      CArchive ar(&file, CArchive::store);
      usage.Serialize(ar);
    }
    std::vector<BYTE> bytes((size_t)file.GetLength());
    file.SeekToBegin();
    file.Read(bytes.data(), (UINT)bytes.size());
    return bytes;
  }
  // FALSE when the archive threw.
  BOOL Load(CUfxCommandUsage& target, std::vector<BYTE> bytes) {
    CMemFile file(bytes.data(), (UINT)bytes.size());
    try {
      CArchive ar(&file, CArchive::load);
      target.Serialize(ar);
    } catch (CException* e) {
      e->Delete();
      return FALSE;
    }
    return TRUE;
  }
  CUfxCommandUsage usage;
};

TEST_F(UsageTest, AboveFivePercentOfTheTotalIsFrequent) {
  Use(100, 2);
  Use(200, 3);
  Use(300, 35);
  ASSERT_EQ(40u, usage.GetTotalUsage());
  const struct {
    UINT cmd;
    BOOL frequent;
  } cases[] = {{100, FALSE}, {200, TRUE}, {300, TRUE}, {400, FALSE}};
  for (const auto& c : cases) EXPECT_EQ(c.frequent, usage.IsFrequentlyUsedCommand(c.cmd)) << c.cmd;
  EXPECT_TRUE(usage.HasEnoughStatistics());

  usage.Reset();
  EXPECT_EQ(0u, usage.GetTotalUsage());
  EXPECT_FALSE(usage.IsFrequentlyUsedCommand(300));
}

TEST_F(UsageTest, CustomizeModeReservedAndCoreCommandsAreNotCounted) {
  CUfxToolBar::AddCoreCommand(500);
  CUfxToolBar::AddCoreCommand(500);
  const UINT ignored[] = {0, (UINT)-1, 500, 0xE110, 0xE11F, 0xE210, 0xF000, 0xF1EF, 0xFF00};
  for (UINT cmd : ignored) usage.AddCommand(cmd);
  CUfxToolBar::SetCustomizeMode(TRUE);
  usage.AddCommand(100);
  CUfxToolBar::SetCustomizeMode(FALSE);
  EXPECT_EQ(0u, usage.GetTotalUsage());

  const UINT counted[] = {0xE10F, 0xE120, 0xE20F, 0xEFFF, 0xF1F0, 0xFEFF};
  for (UINT cmd : counted) usage.AddCommand(cmd);
  EXPECT_EQ(6u, usage.GetTotalUsage());
  for (UINT cmd : counted) EXPECT_EQ(1u, usage.GetCount(cmd)) << std::hex << cmd;
}

TEST_F(UsageTest, AHugeCountDoesNotWrapThePercentage) {
  std::vector<BYTE> bytes = {0x00, 0x00, 0x00, 0x80,  // total 2^31
                             0x01, 0x00,              // one entry
                             0x64, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x40};  // 100: 2^30
  ASSERT_TRUE(Load(usage, bytes));
  EXPECT_TRUE(usage.IsFrequentlyUsedCommand(100));  // 50 %, not (100 * 2^30 mod 2^32) / 2^31
}

TEST_F(UsageTest, TheArchiveRoundTripsAndADamagedOneChangesNothing) {
  Use(100, 2);
  Use(0x1234, 1);
  const std::vector<BYTE> bytes = Store();
  // Total, the entry count as a 16-bit count, then (id, count) pairs.
  ASSERT_EQ(4u + 2u + 2 * 8u, bytes.size());
  EXPECT_EQ(std::vector<BYTE>({3, 0, 0, 0, 2, 0}), std::vector<BYTE>(bytes.begin(), bytes.begin() + 6));

  CUfxCommandUsage copy;
  ASSERT_TRUE(Load(copy, bytes));
  EXPECT_EQ(3u, copy.GetTotalUsage());
  EXPECT_EQ(2u, copy.GetCount(100));
  EXPECT_EQ(1u, copy.GetCount(0x1234));

  CUfxCommandUsage damaged;
  damaged.AddCommand(700);
  std::vector<BYTE> cut(bytes.begin(), bytes.end() - 3);
  EXPECT_FALSE(Load(damaged, cut));
  EXPECT_EQ(1u, damaged.GetTotalUsage());
  EXPECT_EQ(1u, damaged.GetCount(700));
  EXPECT_EQ(0u, damaged.GetCount(100));
}

}  // namespace
