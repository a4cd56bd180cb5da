// The command manager's images and saved list, and the tear-off manager's ids and marks.
#include "frames/UfxCommandManager.h"
#include "frames/UfxTearOffManager.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

class CommandManagerTest : public ::testing::Test {
protected:
  void SetUp() override { UfxGetCommandManager()->CleanUp(); }
  void TearDown() override {
    UfxGetCommandManager()->CleanUp();
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kSection);
  }
  static constexpr const wchar_t* kSection = L"Software\\Ferrow Software\\CommandsTest\\";
};

TEST_F(CommandManagerTest, ACommandKeepsTheKindOfImageItGotFirst) {
  CUfxCommandManager& cm = *UfxGetCommandManager();
  cm.SetCmdImage(100, 3, FALSE);
  cm.SetCmdImage(100, 7, TRUE);  // refused: a standard image is there
  cm.SetCmdImage(200, 5, TRUE);
  cm.SetCmdImage(200, 1, FALSE);  // refused: a user image is there
  cm.SetCmdImage(0, 1, FALSE);
  cm.SetCmdImage((UINT)-1, 1, FALSE);
  const struct {
    UINT cmd;
    BOOL user;
    int image;
  } cases[] = {{100, FALSE, 3}, {100, TRUE, -1}, {200, TRUE, 5}, {200, FALSE, -1}, {0, FALSE, -1},
               {(UINT)-1, FALSE, -1}, {300, FALSE, -1}};
  for (const auto& c : cases) EXPECT_EQ(c.image, cm.GetCmdImage(c.cmd, c.user)) << c.cmd << " user " << c.user;

  cm.ClearUserCmdImage(200);
  EXPECT_EQ(-1, cm.GetCmdImage(200, TRUE));
  cm.SetCmdImage(200, 1, FALSE);
  EXPECT_EQ(1, cm.GetCmdImage(200, FALSE));
}

TEST_F(CommandManagerTest, TheListWithoutImagesIsSavedInItsArchiveLayout) {
  CUfxCommandManager& cm = *UfxGetCommandManager();
  cm.EnableMenuItemImage(100, FALSE);
  cm.EnableMenuItemImage(100, FALSE);
  cm.EnableMenuItemImage(200, FALSE);
  cm.EnableMenuItemImage(300, FALSE);
  cm.EnableMenuItemImage(300, TRUE);
  ASSERT_TRUE(cm.SaveState(kSection));

  BYTE bytes[32];
  DWORD cb = sizeof(bytes), type = 0;
  ASSERT_EQ(ERROR_SUCCESS, ::RegGetValueW(HKEY_CURRENT_USER, CString(kSection) + L"UfxCommandManager",
                                          L"CommandsWithoutImages", RRF_RT_ANY, &type, bytes, &cb));
  EXPECT_EQ((DWORD)REG_BINARY, type);
  const std::vector<BYTE> expected = {0x02, 0x00, 0x64, 0x00, 0x00, 0x00, 0xC8, 0x00, 0x00, 0x00};
  EXPECT_EQ(expected, std::vector<BYTE>(bytes, bytes + cb));

  cm.CleanUp();
  cm.EnableMenuItemImage(999, FALSE);
  ASSERT_TRUE(cm.LoadState(kSection));
  EXPECT_EQ(2, cm.GetCommandsWithoutImages().GetCount());
  EXPECT_TRUE(cm.IsMenuItemWithoutImage(100));
  EXPECT_TRUE(cm.IsMenuItemWithoutImage(200));
  EXPECT_FALSE(cm.IsMenuItemWithoutImage(999));
}

TEST_F(CommandManagerTest, ADamagedListIsNotLoaded) {
  CUfxCommandManager& cm = *UfxGetCommandManager();
  const BYTE shortList[] = {0x03, 0x00, 0x64, 0x00, 0x00, 0x00};  // three announced, one there
  ASSERT_EQ(ERROR_SUCCESS, ::RegSetKeyValueW(HKEY_CURRENT_USER, CString(kSection) + L"UfxCommandManager",
                                             L"CommandsWithoutImages", REG_BINARY, shortList, sizeof(shortList)));
  cm.EnableMenuItemImage(7, FALSE);
  EXPECT_FALSE(cm.LoadState(kSection));
  EXPECT_EQ(1, cm.GetCommandsWithoutImages().GetCount());
  EXPECT_TRUE(cm.IsMenuItemWithoutImage(7));
  EXPECT_FALSE(cm.LoadState(L"Software\\Ferrow Software\\CommandsTest\\Nowhere\\"));
}

TEST(TearOffManager, HandsOutAndTakesBackIds) {
  CUfxTearOffManager tm;
  EXPECT_EQ(&tm, UfxTearOffManager);
  EXPECT_EQ(0u, tm.GetFreeTearOffID());  // no range yet
  tm.Initialize(5000, 5001);
  EXPECT_EQ(5000u, tm.GetFreeTearOffID());
  EXPECT_EQ(5001u, tm.GetFreeTearOffID());
  EXPECT_EQ(0u, tm.GetFreeTearOffID());
  tm.SetInUse(5000, FALSE);
  tm.SetInUse(5000, FALSE);  // never below 0
  tm.SetInUse(4999, TRUE);   // outside: ignored
  EXPECT_EQ(5000u, tm.GetFreeTearOffID());
  tm.SetInUse(5001, TRUE);
  tm.SetInUse(5001, FALSE);
  EXPECT_TRUE(tm.IsInUse(5001));
  EXPECT_EQ(2, tm.Reset(nullptr));
  EXPECT_FALSE(tm.IsInUse(5000));
  EXPECT_FALSE(tm.IsInUse(5001));
}

TEST(TearOffManager, ParsesAndBuildsMarks) {
  CUfxTearOffManager tm;
  const struct {
    LPCWSTR text;
    UINT id;
    LPCWSTR rest;
  } cases[] = {
      {L"\x0001" L"42\x0001" L"Edit", 42, L"Edit"},
      {L"Edit", 0, L"Edit"},
      {L"", 0, L""},
      {L"\x0001" L"42Edit", 0, L"\x0001" L"42Edit"},  // no second mark
      {L"\x0001" L"7\x0001" L"a\x0001" L"b", 7, L"b"},  // cut after the last mark
  };
  for (const auto& c : cases) {
    CString s = c.text;
    EXPECT_EQ(c.id, tm.Parse(s)) << (LPCWSTR)c.text;
    EXPECT_EQ(CString(c.rest), s);
  }
  CString text = L"View";
  tm.Build(123, text);
  EXPECT_EQ(CString(L"\x0001" L"123\x0001" L"View"), text);
}

TEST(TearOffManager, MarksOnlyBrokenPopupsAndKeepsTheirSubMenus) {
  CUfxTearOffManager tm;
  tm.Initialize(6000, 6009);
  HMENU hMenu = ::CreatePopupMenu();
  HMENU hTear = ::CreatePopupMenu();
  HMENU hPlain = ::CreatePopupMenu();
  HMENU hInner = ::CreatePopupMenu();
  ::AppendMenuW(hInner, MF_STRING, 1, L"Item");
  ::AppendMenuW(hPlain, MF_POPUP | MF_MENUBARBREAK, (UINT_PTR)hInner, L"Inner");
  ::AppendMenuW(hTear, MF_STRING, 2, L"Cut");
  ::AppendMenuW(hMenu, MF_POPUP | MF_MENUBARBREAK, (UINT_PTR)hTear, L"Edit");
  ::AppendMenuW(hMenu, MF_POPUP, (UINT_PTR)hPlain, L"View");
  ::AppendMenuW(hMenu, MF_STRING | MF_MENUBARBREAK, 3, L"Command");

  tm.SetupTearOffMenus(hMenu);
  wchar_t buf[64];
  ::GetMenuStringW(hMenu, 0, buf, 64, MF_BYPOSITION);
  EXPECT_EQ(CString(L"\x0001" L"6000\x0001" L"Edit"), CString(buf));
  EXPECT_EQ(hTear, ::GetSubMenu(hMenu, 0));  // the sub-menu is still there
  EXPECT_TRUE(::IsMenu(hTear));
  EXPECT_EQ(1, ::GetMenuItemCount(hTear));
  ::GetMenuStringW(hMenu, 1, buf, 64, MF_BYPOSITION);
  EXPECT_EQ(CString(L"View"), CString(buf));
  ::GetMenuStringW(hPlain, 0, buf, 64, MF_BYPOSITION);  // found by the walk below an unmarked popup
  EXPECT_EQ(CString(L"\x0001" L"6001\x0001" L"Inner"), CString(buf));
  ::GetMenuStringW(hMenu, 2, buf, 64, MF_BYPOSITION);
  EXPECT_EQ(CString(L"Command"), CString(buf));

  tm.SetupTearOffMenus(hMenu);  // marked texts keep their ids
  EXPECT_EQ(6002u, tm.GetFreeTearOffID());
  EXPECT_EQ(3, tm.Reset(hMenu));
  EXPECT_FALSE(tm.IsInUse(6000));
  EXPECT_FALSE(tm.IsInUse(6001));
  EXPECT_TRUE(tm.IsInUse(6002));
  ::DestroyMenu(hMenu);
}

TEST(TearOffManager, StopsWhenTheIdsRunOut) {
  CUfxTearOffManager tm;
  tm.Initialize(7000, 7000);
  HMENU hMenu = ::CreatePopupMenu();
  for (LPCWSTR name : {L"A", L"B"}) {
    HMENU hSub = ::CreatePopupMenu();
    ::AppendMenuW(hSub, MF_STRING, 1, L"x");
    ::AppendMenuW(hMenu, MF_POPUP | MF_MENUBARBREAK, (UINT_PTR)hSub, name);
  }
  tm.SetupTearOffMenus(hMenu);
  wchar_t buf[64];
  ::GetMenuStringW(hMenu, 1, buf, 64, MF_BYPOSITION);
  EXPECT_EQ(CString(L"B"), CString(buf));
  ::DestroyMenu(hMenu);
}

}  // namespace
