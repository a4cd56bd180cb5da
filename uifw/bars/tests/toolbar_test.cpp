// The toolbar: its window, the button list, sizes, and the bar archive (exact bytes, and damaged
// data that leaves the bar as it was).
#include "ToolbarTestKit.h"
#include "DamagedDataKit.h"

using namespace toolbar_test;

namespace {

// The bar archive written and read in memory.
class ToolBarTest : public ToolbarFixture {
protected:
  std::vector<BYTE> Store() {
    CMemFile file;
    {
      CArchive ar(&file, CArchive::store);
      bar.Serialize(ar);
    }
    std::vector<BYTE> bytes((size_t)file.GetLength());
    file.SeekToBegin();
    file.Read(bytes.data(), (UINT)bytes.size());
    return bytes;
  }
  BOOL Load(std::vector<BYTE> bytes) {
    CMemFile file(bytes.data(), (UINT)bytes.size());
    try {
      CArchive ar(&file, CArchive::load);
      bar.Serialize(ar);
    } catch (CException* e) {
      e->Delete();
      return FALSE;
    }
    return TRUE;
  }
};

TEST_F(ToolBarTest, TheWindowClassNamesModuleStyleCursorAndBrushInFull) {
  wchar_t name[128] = {};
  ::GetClassNameW(bar.GetSafeHwnd(), name, 128);
  wchar_t expected[128];
  _snwprintf(expected, 128, L"UfxToolBar:%llx:8:%llx:10", (unsigned long long)(ULONG_PTR)AfxGetInstanceHandle(),
             (unsigned long long)(ULONG_PTR)::LoadCursorW(nullptr, IDC_ARROW));
  EXPECT_STREQ(expected, name);
  EXPECT_EQ((DWORD)(CBRS_TOP | CBRS_GRIPPER), bar.GetBarStyle());
  EXPECT_NE(nullptr, CUfxToolBar::GetAllToolbars().Find(&bar));
}

TEST_F(ToolBarTest, AStandardBarIsStoredByteForByte) {
  const UINT ids[] = {0xE100, 0xE101};
  ASSERT_TRUE(bar.SetButtons(ids, 2));
  EXPECT_EQ(std::vector<WPARAM>({0}), frame->resets);
  const std::vector<BYTE> bytes = Store();
  EXPECT_EQ(115u, bytes.size());
  EXPECT_EQ(StandardBarBytes(), bytes);

  // And read back into a bar that had other buttons, labels and title.
  bar.RemoveAllButtons();
  bar.InsertButton(new CUfxToolbarButton(300, 3));
  bar.SetWindowText(L"Other");
  bar.EnableTextLabels(TRUE);
  ASSERT_TRUE(Load(bytes));
  EXPECT_EQ(std::vector<UINT>({0xE100, 0xE101}), Ids());
  EXPECT_EQ(1, bar.GetButton(1)->GetImage());
  EXPECT_FALSE(bar.AreTextLabels());
  EXPECT_EQ(CString(L"Standard"), Title());
}

TEST_F(ToolBarTest, DamagedDataLeavesTheBarAsItWas) {
  const UINT ids[] = {0xE100, 0xE101};
  bar.SetButtons(ids, 2);
  const std::vector<BYTE> good = StandardBarBytes();

  std::vector<BYTE> nullEntry = {0x01, 0x00, 0x00, 0x00};  // one entry, the null object
  const struct {
    const char* name;
    std::vector<BYTE> bytes;
  } cases[] = {{"cut in the title", std::vector<BYTE>(good.begin(), good.end() - 4)},
               {"cut in a button", std::vector<BYTE>(good.begin(), good.begin() + 40)},
               {"null entry", nullEntry},
               {"wrong class", ArchiveOfAnotherClass()},
               {"one button twice", damaged_data::BarWithOneButtonTwice()},
               {"one menu item twice", damaged_data::BarWithOneMenuItemTwice()}};
  for (const auto& c : cases) {
    bar.EnableTextLabels(TRUE);
    EXPECT_FALSE(Load(c.bytes)) << c.name;
    EXPECT_EQ(std::vector<UINT>({0xE100, 0xE101}), Ids()) << c.name;
    EXPECT_TRUE(bar.AreTextLabels()) << c.name;
    EXPECT_EQ(CString(L"Standard"), Title()) << c.name;
    EXPECT_EQ(0, damaged_data::CCountedButton::s_nLive) << c.name;
  }
}

TEST_F(ToolBarTest, EveryForbiddenButtonIsDroppedOnLoad) {
  const UINT ids[] = {500, 0xE100, 500, 0xE101, 500};
  bar.SetButtons(ids, 5);
  const std::vector<BYTE> bytes = Store();
  CList<UINT, UINT> forbidden;
  forbidden.AddTail(500);
  CUfxToolBar::SetNonPermittedCommands(forbidden);
  ASSERT_TRUE(Load(bytes));
  EXPECT_EQ(std::vector<UINT>({0xE100, 0xE101}), Ids());
}

TEST_F(ToolBarTest, InsertionsAndRemovalsKeepTheListTidy) {
  CList<UINT, UINT> forbidden;
  forbidden.AddTail(500);
  CUfxToolBar::SetNonPermittedCommands(forbidden);
  EXPECT_EQ(-1, bar.InsertSeparator());  // empty bar
  CUfxToolbarButton* pForbidden = new CUfxToolbarButton(500, 0);
  EXPECT_EQ(-1, bar.InsertButton(pForbidden));
  delete pForbidden;
  EXPECT_EQ(0, bar.InsertButton(new CUfxToolbarButton(100, 0)));
  EXPECT_EQ(1, bar.InsertButton(new CUfxToolbarButton(200, 1)));
  EXPECT_EQ(0, bar.InsertButton(new CUfxToolbarButton(50, 2), 0));
  CUfxToolbarButton* pFar = new CUfxToolbarButton(60, 2);
  EXPECT_EQ(-1, bar.InsertButton(pFar, 9));
  delete pFar;
  EXPECT_EQ(-1, bar.InsertSeparator(0));
  EXPECT_EQ(1, bar.InsertSeparator(1));
  EXPECT_EQ(3, bar.InsertSeparator(3));
  EXPECT_EQ(1, bar.InsertButtonCopy(CUfxToolbarButton(70, 4), 1));
  // 50 70 | 100 | 200
  EXPECT_EQ(std::vector<UINT>({50, 70, 0, 100, 0, 200}), Ids());
  EXPECT_TRUE(bar.GetButton(1)->m_bOnToolbar);
  EXPECT_EQ(3, bar.CommandToIndex(100));
  EXPECT_EQ(-1, bar.CommandToIndex(100, 4));
  EXPECT_EQ(5, bar.ButtonToIndex(bar.GetButton(5)));
  EXPECT_EQ(nullptr, bar.GetButton(6));
  EXPECT_EQ(nullptr, bar.GetButton(-1));

  // Two separators that meet become one; separators left at the end go.
  EXPECT_TRUE(bar.RemoveButton(3));
  EXPECT_EQ(std::vector<UINT>({50, 70, 0, 200}), Ids());
  EXPECT_TRUE(bar.RemoveButton(3));
  EXPECT_EQ(std::vector<UINT>({50, 70}), Ids());
  EXPECT_FALSE(bar.RemoveButton(2));
  EXPECT_FALSE(bar.RemoveButton(-1));

  CObList found;
  EXPECT_EQ(1, CUfxToolBar::GetCommandButtons(70, found));
  EXPECT_EQ(bar.GetButton(1), found.GetHead());
  EXPECT_EQ(0, CUfxToolBar::GetCommandButtons(0, found));
}

TEST_F(ToolBarTest, LargeIconsDoubleTheSizesOfBarsThatFollowTheFlag) {
  CUfxToolBar fixed;
  fixed.EnableLargeIcons(FALSE);
  const struct {
    BOOL large;
    CSize button;
    CSize image;
    CSize fixedButton;
  } cases[] = {{FALSE, CSize(23, 22), CSize(16, 15), CSize(23, 22)}, {TRUE, CSize(46, 44), CSize(32, 30), CSize(23, 22)}};
  for (const auto& c : cases) {
    CUfxToolBar::SetLargeIcons(c.large);
    EXPECT_EQ(c.button, bar.GetButtonSize()) << c.large;
    EXPECT_EQ(c.image, bar.GetImageSize()) << c.large;
    EXPECT_EQ(c.fixedButton, fixed.GetButtonSize()) << c.large;
  }
  // A 16 x 15 image gives 22 x 21 buttons; in large icons 44 x 42 and 32 x 30.
  CUfxToolBar::SetSizes(CSize(22, 21), CSize(16, 15));
  EXPECT_EQ(CSize(44, 42), bar.GetButtonSize());
  EXPECT_EQ(CSize(32, 30), bar.GetImageSize());
  CUfxToolBar::SetLargeIcons(FALSE);
  EXPECT_EQ(CSize(22, 21), bar.GetButtonSize());
  CUfxToolBar::SetSizes(CSize(23, 22), CSize(16, 15));
}

}  // namespace
