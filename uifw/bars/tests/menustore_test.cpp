// The menu-bar store: one temporary file per menu handle, replaced only by a complete new copy,
// and nothing left in the temporary folder after the clean-up.
#include "bars/UfxMenuBarStore.h"
#include "bars/UfxToolBar.h"
#include "bars/UfxToolbarButton.h"
#include "frames/UfxCommandManager.h"
#include "DamagedDataKit.h"
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace {

// A button whose archive cannot be written: a bar holding it fails to store.
class CUnwritableButton : public CUfxToolbarButton {
  DECLARE_SERIAL(CUnwritableButton)
public:
  CUnwritableButton() : CUfxToolbarButton(900, -1, L"Broken") {}
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring()) AfxThrowArchiveException(CArchiveException::genericException);
    CUfxToolbarButton::Serialize(ar);
  }
};
IMPLEMENT_SERIAL(CUnwritableButton, CUfxToolbarButton, 1)

// A bar that stores the bytes it is given instead of its buttons: damaged copies in the store.
class CBytesBar : public CUfxToolBar {
public:
  std::vector<BYTE> bytes;
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring()) ar.Write(bytes.data(), (UINT)bytes.size());
    else CUfxToolBar::Serialize(ar);
  }
};

std::set<std::wstring> TempUfxFiles() {
  WCHAR szPath[MAX_PATH] = L"";
  ::GetTempPathW(MAX_PATH, szPath);
  std::set<std::wstring> names;
  WIN32_FIND_DATAW fd;
  HANDLE h = ::FindFirstFileW((std::wstring(szPath) + L"Ufx*.tmp").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return names;
  do names.insert(fd.cFileName);
  while (::FindNextFileW(h, &fd));
  ::FindClose(h);
  return names;
}

std::vector<UINT> Ids(const CUfxToolBar& bar) {
  std::vector<UINT> ids;
  for (int i = 0; i < bar.GetButtonCount(); ++i) ids.push_back(bar.GetButton(i)->m_nID);
  return ids;
}

class MenuStore : public ::testing::Test {
protected:
  void SetUp() override {
    // A temporary folder of this program's own: other programs' menu files do not count.
    static std::wstring s_dir;
    if (s_dir.empty()) {
      WCHAR szPath[MAX_PATH] = L"";
      ::GetTempPathW(MAX_PATH, szPath);
      s_dir = std::wstring(szPath) + L"MenuStoreTest" + std::to_wstring(::GetCurrentProcessId());
      ::CreateDirectoryW(s_dir.c_str(), nullptr);
      ::SetEnvironmentVariableW(L"TMP", s_dir.c_str());
      ::SetEnvironmentVariableW(L"TEMP", s_dir.c_str());
    }
    m_before = TempUfxFiles();
  }
  void TearDown() override {
    store.CleanUp();
    UfxGetCommandManager()->CleanUp();
  }
  void Fill(CUfxToolBar& bar, std::vector<UINT> ids) {
    bar.RemoveAllButtons();
    for (UINT id : ids) bar.InsertButton(new CUfxToolbarButton(id, -1, L"Item"));
  }
  size_t NewFiles() const {
    size_t n = 0;
    for (const std::wstring& name : TempUfxFiles()) n += m_before.count(name) == 0;
    return n;
  }
  CUfxMenuBarStore store;
  HMENU hMenu = (HMENU)(UINT_PTR)0x1234;
  std::set<std::wstring> m_before;
};

TEST_F(MenuStore, SavingTwiceKeepsOneFileWithTheSecondState) {
  CUfxToolBar bar, loaded;
  Fill(bar, {1, 2, 3});
  ASSERT_TRUE(store.Save(hMenu, &bar));
  Fill(bar, {4, 5});
  ASSERT_TRUE(store.Save(hMenu, &bar));
  EXPECT_EQ(1, store.GetCount());
  EXPECT_EQ(1u, NewFiles());
  ASSERT_TRUE(store.Load(hMenu, &loaded));
  EXPECT_EQ(std::vector<UINT>({4, 5}), Ids(loaded));
  // Loading again reads the same copy from its start.
  ASSERT_TRUE(store.Load(hMenu, &loaded));
  EXPECT_EQ(std::vector<UINT>({4, 5}), Ids(loaded));
}

TEST_F(MenuStore, AHandleNeverSavedLeavesTheBarAsItWas) {
  CUfxToolBar bar;
  Fill(bar, {7});
  EXPECT_FALSE(store.Load(hMenu, &bar));
  EXPECT_EQ(std::vector<UINT>({7}), Ids(bar));
  EXPECT_FALSE(store.Remove(hMenu));
}

TEST_F(MenuStore, AFailedSaveKeepsTheOldCopy) {
  CUfxToolBar bar, loaded;
  Fill(bar, {1, 2});
  ASSERT_TRUE(store.Save(hMenu, &bar));
  bar.InsertButton(new CUnwritableButton);
  EXPECT_FALSE(store.Save(hMenu, &bar));
  EXPECT_EQ(1, store.GetCount());
  EXPECT_EQ(1u, NewFiles());  // the half-written file went with its handle
  ASSERT_TRUE(store.Load(hMenu, &loaded));
  EXPECT_EQ(std::vector<UINT>({1, 2}), Ids(loaded));
}

TEST_F(MenuStore, ADamagedCopyLeavesTheBarAsItWas) {
  using namespace damaged_data;
  const struct {
    const char* name;
    std::vector<BYTE> bytes;
  } cases[] = {{"cut short", {0x02, 0x00, 0xFF, 0xFF}},
               {"one button twice", BarWithOneButtonTwice()},
               {"one menu item twice", BarWithOneMenuItemTwice(TRUE)},
               {"out of memory while reading", BarWithAFailingButton(CThrowingButton::kOutOfMemory)},
               {"another C++ exception while reading", BarWithAFailingButton(CThrowingButton::kOtherFailure)}};
  CUfxToolBar bar;
  Fill(bar, {7, 8});
  for (const auto& c : cases) {
    CBytesBar damaged;
    Fill(damaged, {1});
    damaged.bytes = c.bytes;
    ASSERT_TRUE(store.Save(hMenu, &damaged)) << c.name;
    EXPECT_FALSE(store.Load(hMenu, &bar)) << c.name;
    EXPECT_EQ(std::vector<UINT>({7, 8}), Ids(bar)) << c.name;
    EXPECT_EQ(0, CCountedButton::s_nLive) << c.name;
  }
}

TEST_F(MenuStore, AnEmptyBarIsNotStoredAndDropsTheEntry) {
  CUfxToolBar bar, empty, loaded;
  Fill(bar, {1});
  ASSERT_TRUE(store.Save(hMenu, &bar));
  EXPECT_FALSE(store.Save(hMenu, &empty));
  EXPECT_FALSE(store.IsStored(hMenu));
  EXPECT_FALSE(store.Load(hMenu, &loaded));
  EXPECT_EQ(0u, NewFiles());
}

TEST_F(MenuStore, CleanUpLeavesNoTemporaryFiles) {
  CUfxToolBar bar;
  Fill(bar, {1, 2});
  for (UINT_PTR h = 1; h <= 3; ++h) ASSERT_TRUE(store.Save((HMENU)h, &bar));
  EXPECT_EQ(3u, NewFiles());
  ASSERT_TRUE(store.Remove((HMENU)2));
  EXPECT_EQ(2u, NewFiles());
  store.CleanUp();
  EXPECT_EQ(0, store.GetCount());
  EXPECT_EQ(0u, NewFiles());
}

}  // namespace
