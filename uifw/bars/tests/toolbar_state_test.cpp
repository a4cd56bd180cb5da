// The toolbar's saved state: the exact registry value, key names, round trips, damaged data that
// leaves the bar as it was, forbidden commands, parameters and the merge of original items.
#include "ToolbarTestKit.h"
#include "bars/UfxCommandUsage.h"
#include "frames/UfxRegistry.h"
#include "DamagedDataKit.h"

using namespace toolbar_test;

namespace {

const wchar_t kProfile[] = L"Software\\NumbrookTests\\ToolbarState\\";
const UINT kStandard = 240;

// A bar that never shows text labels, as the menu bar.
class CNoLabelsBar : public CUfxToolBar {
public:
  BOOL AllowsTextLabels() const override { return FALSE; }
};

class ToolbarStateTest : public ToolbarFixture {
protected:
  void SetUp() override {
    ToolbarFixture::SetUp();
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\NumbrookTests\\ToolbarState");
    ASSERT_TRUE(bar.LoadToolBarResource(kStandard));
  }
  void TearDown() override {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\NumbrookTests\\ToolbarState");
    ToolbarFixture::TearDown();
    UfxCommandUsage.Reset();
  }
  static BOOL KeyExists(const CString& strKey) {
    HKEY hKey = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, strKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS) return FALSE;
    ::RegCloseKey(hKey);
    return TRUE;
  }
  static std::vector<BYTE> ReadValue(const CString& strKey, LPCWSTR lpszName) {
    CUfxRegistry reg(FALSE, TRUE);
    BYTE* pData = nullptr;
    UINT nSize = 0;
    if (!reg.Open(strKey) || !reg.Read(lpszName, &pData, &nSize)) return {};
    std::vector<BYTE> bytes(pData, pData + nSize);
    delete[] pData;
    return bytes;
  }
  static void WriteValue(const CString& strKey, LPCWSTR lpszName, std::vector<BYTE> bytes) {
    CUfxRegistry reg(FALSE, FALSE);
    ASSERT_TRUE(reg.CreateKey(strKey));
    ASSERT_TRUE(reg.Write(lpszName, bytes.data(), (UINT)bytes.size()));
  }
  void SetBar(std::vector<UINT> ids) {
    bar.RemoveAllButtons();
    for (UINT id : ids) {
      if (id == 0) bar.InsertSeparator();
      else bar.InsertButton(new CUfxToolbarButton(id, -1));
    }
  }
};

TEST_F(ToolbarStateTest, AStandardBarIsSavedByteForByteUnderItsIndex) {
  const CString strKey = CString(kProfile) + L"UfxToolBar-3";
  ASSERT_TRUE(bar.SaveState(kProfile, 3));
  const std::vector<BYTE> bytes = ReadValue(strKey, L"Buttons");
  EXPECT_EQ(115u, bytes.size());
  EXPECT_EQ(StandardBarBytes(), bytes);
  CUfxRegistry reg(FALSE, TRUE);
  ASSERT_TRUE(reg.Open(strKey));
  CString strName;
  EXPECT_TRUE(reg.Read(L"Name", strName));
  EXPECT_EQ(CString(L"Standard"), strName);

  // A further number follows the index in hexadecimal; without an index the control id is used.
  ASSERT_TRUE(bar.SaveState(kProfile, 3, 0x1F));
  EXPECT_TRUE(KeyExists(CString(kProfile) + L"UfxToolBar-31f"));
  ASSERT_TRUE(bar.SaveState(kProfile));
  EXPECT_TRUE(KeyExists(CString(kProfile) + L"UfxToolBar-59393"));
  EXPECT_TRUE(bar.RemoveSavedState(kProfile, 3));
  EXPECT_FALSE(KeyExists(strKey));
}

TEST_F(ToolbarStateTest, ALoadedStateReplacesButtonsLabelsAndTitle) {
  SetBar({0xE101, 0, 500});
  bar.EnableTextLabels(TRUE);
  bar.SetWindowText(L"Mine");
  bar.GetButton(0)->m_nStyle |= TBBS_CHECKED | TBBS_PRESSED;
  ASSERT_TRUE(bar.SaveState(kProfile, 5));
  SetBar({0xE100});
  bar.EnableTextLabels(FALSE);
  bar.SetWindowText(L"Other");
  ASSERT_TRUE(bar.LoadState(kProfile, 5));
  EXPECT_EQ(std::vector<UINT>({0xE101, 0, 500}), Ids());
  EXPECT_TRUE(bar.AreTextLabels());
  EXPECT_EQ(CString(L"Mine"), Title());
  EXPECT_EQ(0u, bar.GetButtonStyle(0) & (TBBS_CHECKED | TBBS_PRESSED)) << "nothing comes back pressed";

  // A bar without labels never takes them from stored state.
  CNoLabelsBar menuLike;
  ASSERT_TRUE(menuLike.Create(frame, WS_CHILD | CBRS_TOP, 0xE802));
  ASSERT_TRUE(menuLike.LoadState(kProfile, 5));
  EXPECT_FALSE(menuLike.AreTextLabels());
  EXPECT_EQ(3, menuLike.GetButtonCount());
  menuLike.DestroyWindow();
}

TEST_F(ToolbarStateTest, DamagedStoredStateLeavesTheBarAsItWas) {
  const std::vector<BYTE> good = StandardBarBytes();
  const struct {
    const char* name;
    std::vector<BYTE> bytes;
  } cases[] = {{"cut in the title", std::vector<BYTE>(good.begin(), good.end() - 4)},
               {"cut in a button", std::vector<BYTE>(good.begin(), good.begin() + 40)},
               {"null entry", {0x01, 0x00, 0x00, 0x00}},
               {"another class", ArchiveOfAnotherClass()},
               {"a count beyond the data", {0xFF, 0x7F}},
               {"one button twice", damaged_data::BarWithOneButtonTwice()},
               {"one menu item twice", damaged_data::BarWithOneMenuItemTwice()},
               {"out of memory while reading",
                damaged_data::BarWithAFailingButton(damaged_data::CThrowingButton::kOutOfMemory)},
               {"another C++ exception while reading",
                damaged_data::BarWithAFailingButton(damaged_data::CThrowingButton::kOtherFailure)}};
  const CString strKey = CString(kProfile) + L"UfxToolBar-7";
  SetBar({0xE100, 0, 0xE101});
  bar.EnableTextLabels(TRUE);
  bar.SetWindowText(L"Kept");
  for (const auto& c : cases) {
    WriteValue(strKey, L"Buttons", c.bytes);
    EXPECT_FALSE(bar.LoadState(kProfile, 7)) << c.name;
    EXPECT_EQ(std::vector<UINT>({0xE100, 0, 0xE101}), Ids()) << c.name;
    EXPECT_TRUE(bar.AreTextLabels()) << c.name;
    EXPECT_EQ(CString(L"Kept"), Title()) << c.name;
    EXPECT_EQ(0, damaged_data::CCountedButton::s_nLive) << c.name << ": nothing read stays behind";
  }
  // No key at all: nothing changes either.
  EXPECT_FALSE(bar.LoadState(kProfile, 8));
  EXPECT_EQ(std::vector<UINT>({0xE100, 0, 0xE101}), Ids());
}

TEST_F(ToolbarStateTest, EveryForbiddenButtonIsDroppedOnLoad) {
  SetBar({0xE101, 0xE100, 0xE101, 0, 0xE101});
  ASSERT_TRUE(bar.SaveState(kProfile, 9));
  CList<UINT, UINT> forbidden;
  forbidden.AddTail(0xE101);
  CUfxToolBar::SetNonPermittedCommands(forbidden);
  ASSERT_TRUE(bar.LoadState(kProfile, 9));
  EXPECT_EQ(-1, bar.CommandToIndex(0xE101));
  EXPECT_NE(-1, bar.CommandToIndex(0xE100));
}

TEST_F(ToolbarStateTest, ParametersComeBackInTheNextRun) {
  CUfxToolBar::SetShowTooltips(FALSE, FALSE);
  CUfxToolBar::SetLargeIcons(TRUE);
  CUfxToolBar::SetMenuAnimation(2);
  CUfxToolBar::SetRecentlyUsedMenus(FALSE);
  CUfxToolBar::SetMenuShadows(FALSE);
  CUfxToolBar::SetShowAllMenusAfterDelay(FALSE);
  CUfxVisualManager::GetInstance()->SetLook2000(TRUE);
  UfxCommandUsage.Reset();
  for (int i = 0; i < 3; ++i) UfxCommandUsage.AddCommand(700);
  ASSERT_TRUE(CUfxToolBar::SaveParameters(kProfile));

  CUfxToolBar::SetShowTooltips(TRUE, TRUE);
  CUfxToolBar::SetLargeIcons(FALSE);
  CUfxToolBar::SetMenuAnimation(0);
  CUfxToolBar::SetRecentlyUsedMenus(TRUE);
  CUfxToolBar::SetMenuShadows(TRUE);
  CUfxToolBar::SetShowAllMenusAfterDelay(TRUE);
  CUfxVisualManager::GetInstance()->SetLook2000(FALSE);
  UfxCommandUsage.Reset();
  ASSERT_TRUE(CUfxToolBar::LoadParameters(kProfile));
  EXPECT_FALSE(CUfxToolBar::IsShowTooltips());
  EXPECT_FALSE(CUfxToolBar::IsShowShortcutKeys());
  EXPECT_TRUE(CUfxToolBar::IsLargeIcons());
  EXPECT_EQ(CSize(44, 42), bar.GetButtonSize());
  EXPECT_EQ(2, CUfxToolBar::GetMenuAnimation());
  EXPECT_FALSE(CUfxToolBar::IsRecentlyUsedMenus());
  EXPECT_FALSE(CUfxToolBar::IsMenuShadows());
  EXPECT_FALSE(CUfxToolBar::IsShowAllMenusAfterDelay());
  EXPECT_TRUE(CUfxVisualManager::GetInstance()->IsLook2000());
  EXPECT_EQ(3u, UfxCommandUsage.GetCount(700));
}

TEST_F(ToolbarStateTest, StoredParametersOutOfRangeOrDamagedChangeNothingUnsafe) {
  ASSERT_TRUE(CUfxToolBar::SaveParameters(kProfile));
  const CString strKey = CString(kProfile) + L"UfxToolbarParameters";
  {
    CUfxRegistry reg(FALSE, FALSE);
    ASSERT_TRUE(reg.Open(strKey));
    ASSERT_TRUE(reg.Write(L"MenuAnimation", 7));
  }
  WriteValue(strKey, L"CommandsUsage", {0x05, 0x00});
  UfxCommandUsage.Reset();
  UfxCommandUsage.AddCommand(701);
  CUfxToolBar::SetMenuAnimation(1);
  ASSERT_TRUE(CUfxToolBar::LoadParameters(kProfile));
  EXPECT_EQ(0, CUfxToolBar::GetMenuAnimation());
  EXPECT_EQ(1u, UfxCommandUsage.GetCount(701)) << "a damaged record leaves the counters";
  // Without the key nothing changes.
  CUfxToolBar::SetMenuAnimation(3);
  EXPECT_FALSE(CUfxToolBar::LoadParameters(L"Software\\NumbrookTests\\ToolbarState\\Nowhere\\"));
  EXPECT_EQ(3, CUfxToolBar::GetMenuAnimation());
}

TEST_F(ToolbarStateTest, OriginalItemsBringNewResourceCommandsAndDropRemovedOnes) {
  // The resource now: A, separator, C, E. The user's bar and the resource as it was saved with it.
  const UINT resourceNow[] = {101, 0, 103, 105};
  ASSERT_TRUE(bar.SetButtons(resourceNow, 4));
  SetBar({103, 101, 104, 900});
  CObList saved;
  for (UINT id : {101, 103, 104}) saved.AddTail(new CUfxToolbarButton(id, -1, nullptr, FALSE, TRUE));
  EXPECT_TRUE(bar.MergeOriginalItems(saved));
  EXPECT_TRUE(bar.OriginalItemsChanged());
  EXPECT_EQ(std::vector<UINT>({103, 0, 101, 105, 900}), Ids());
  while (!saved.IsEmpty()) delete saved.RemoveHead();

  // The same list changes nothing.
  CObList same;
  for (UINT id : {101, 0, 103, 105}) same.AddTail(new CUfxToolbarButton(id, -1, nullptr, FALSE, TRUE));
  EXPECT_FALSE(bar.MergeOriginalItems(same));
  EXPECT_EQ(std::vector<UINT>({103, 0, 101, 105, 900}), Ids());
  while (!same.IsEmpty()) delete same.RemoveHead();
}

TEST_F(ToolbarStateTest, OriginalItemsRoundTripAndAMissingValueMergesNothing) {
  const CString strKey = CString(kProfile) + L"UfxToolBar-4";
  {
    CUfxRegistry reg(FALSE, FALSE);
    ASSERT_TRUE(reg.CreateKey(strKey));
    ASSERT_TRUE(bar.SaveOriginalItems(reg));
  }
  SetBar({0xE101, 0xE100});
  CUfxRegistry reg(FALSE, TRUE);
  ASSERT_TRUE(reg.Open(strKey));
  EXPECT_FALSE(bar.LoadOriginalItems(reg)) << "nothing changed in the resource";
  EXPECT_EQ(std::vector<UINT>({0xE101, 0xE100}), Ids());

  CUfxRegistry regEmpty(FALSE, FALSE);
  ASSERT_TRUE(regEmpty.CreateKey(CString(kProfile) + L"UfxToolBar-6"));
  EXPECT_FALSE(bar.LoadOriginalItems(regEmpty));
  EXPECT_EQ(std::vector<UINT>({0xE101, 0xE100}), Ids()) << "no resource buttons are added twice";
}

}  // namespace
