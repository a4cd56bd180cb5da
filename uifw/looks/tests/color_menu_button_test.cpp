// The colour menu button: the colour shared by every button and bar of a command (two toolbars
// repaint their swatches), the archive's fields that depend on the saved library version, a
// damaged colour count, and a popup torn off into a floating bar of the same colours.
#include "ColorTestKit.h"
#include "FrameLooksKit.h"
#include "TestCanvas.h"
#include "looks/ColorButton.h"
#include "looks/ColorPopup.h"
#include "looks/UfxColorBar.h"
#include "looks/UfxColorMenuButton.h"
#include "frames/UfxCommandManager.h"
#include "frames/UfxWorkspace.h"

using namespace color_test;

namespace {

const UINT kCmd = 0xE710;

// A workspace that says which library version wrote the state being loaded.
class CVersionedWorkspace : public CUfxWorkspace {
public:
  CVersionedWorkspace(int iMajor, int iMinor) {
    m_iSavedVersionMajor = iMajor;
    m_iSavedVersionMinor = iMinor;
  }
};

class ColorMenuButton : public ColorTest {
protected:
  void SetUp() override {
    ColorTest::SetUp();
    CUfxColorMenuButton::ClearColorsByCmdID();
    // The command has a standard image: the swatch goes under it.
    UfxGetCommandManager()->SetCmdImage(kCmd, 0, FALSE);
    frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, L"frame", WS_POPUP, CRect(0, 0, 400, 200)));
    for (CUfxToolBar* pBar : {&bar1, &bar2}) {
      ASSERT_TRUE(pBar->Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, pBar == &bar1 ? 0xE801 : 0xE802));
      CUfxColorMenuButton* pButton = new CUfxColorMenuButton(kCmd, L"Colour");
      pBar->InsertButton(pButton);
      pButton->m_bImage = TRUE;
      pButton->m_bText = FALSE;
      pBar->SetWindowPos(nullptr, 0, pBar == &bar1 ? 0 : 40, 200, 30, SWP_NOZORDER);
      pBar->AdjustLayout();
    }
  }
  void TearDown() override {
    bar1.DestroyWindow();
    bar2.DestroyWindow();
    frame->DestroyWindow();
    CUfxColorMenuButton::ClearColorsByCmdID();
    UfxGetCommandManager()->CleanUp();
    ColorTest::TearDown();
  }
  static CUfxColorMenuButton* ButtonOf(CUfxToolBar& bar) { return DYNAMIC_DOWNCAST(CUfxColorMenuButton, bar.GetButton(0)); }
  // The colour in the middle of the button's swatch as the bar paints it.
  static COLORREF SwatchPixel(CUfxToolBar& bar) {
    CRect rectClient;
    bar.GetClientRect(rectClient);
    CTestCanvas canvas(rectClient.Width(), rectClient.Height());
    bar.DoPaint(&canvas.dc());
    CUfxColorMenuButton* pButton = ButtonOf(bar);
    const CPoint pt = pButton->GetSwatchRect(pButton->Rect()).CenterPoint();
    return canvas.At(pt.x, pt.y);
  }
  CFrameWnd* frame = nullptr;
  CUfxToolBar bar1, bar2;
};

TEST_F(ColorMenuButton, AColourChosenOnOneToolbarRepaintsTheSwatchesOfBoth) {
  CUfxColorMenuButton* pFirst = ButtonOf(bar1);
  pFirst->m_colorAutomatic = RGB(0, 0, 255);
  ButtonOf(bar2)->m_colorAutomatic = RGB(0, 0, 255);
  // No colour yet: the swatches show the automatic colour.
  EXPECT_EQ(RGB(0, 0, 255), SwatchPixel(bar1));
  EXPECT_EQ(RGB(0, 0, 255), SwatchPixel(bar2));

  ASSERT_TRUE(pFirst->OpenPopupMenu(&bar1));
  CColorPopup* pPopup = DYNAMIC_DOWNCAST(CColorPopup, pFirst->GetPopupMenu());
  ASSERT_NE(nullptr, pPopup);
  const HWND hwndPopup = pPopup->GetSafeHwnd();
  CUfxColorBar& colors = pPopup->GetColorBar();
  ASSERT_EQ(20, colors.GetButtonCount());
  const COLORREF chosen = colors.GetCell(9)->m_Color;
  const CPoint pt = colors.GetButton(9)->Rect().CenterPoint();
  colors.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
  colors.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
  ASSERT_TRUE(PumpUntil([&] { return !::IsWindow(hwndPopup); }));
  EXPECT_EQ(chosen, pFirst->GetColor());
  EXPECT_EQ(chosen, ButtonOf(bar2)->GetColor());
  EXPECT_EQ(chosen, CUfxColorMenuButton::GetColorByCmdID(kCmd));
  EXPECT_EQ(chosen, SwatchPixel(bar1));
  EXPECT_EQ(chosen, SwatchPixel(bar2));
}

TEST_F(ColorMenuButton, TheOtherColoursEntryClosesThePopupAndTheDialogsColourReachesBothButtons) {
  looks_frame::CMenuGlyphResources resources;
  ASSERT_TRUE(resources.IsLoaded());
  CUfxColorMenuButton* pFirst = ButtonOf(bar1);
  pFirst->SetColor(RGB(1, 2, 3), FALSE);
  pFirst->EnableOtherButton(L"More Colors...");
  ASSERT_TRUE(pFirst->OpenPopupMenu(&bar1));
  CColorPopup* pPopup = DYNAMIC_DOWNCAST(CColorPopup, pFirst->GetPopupMenu());
  ASSERT_NE(nullptr, pPopup);
  const HWND hwndPopup = pPopup->GetSafeHwnd();
  CUfxColorBar& colors = pPopup->GetColorBar();
  int iOther = -1;
  for (int i = 0; i < colors.GetButtonCount(); ++i)
    if (colors.GetCell(i) != nullptr && colors.GetCell(i)->m_bIsOther) iOther = i;
  ASSERT_GE(iOther, 0);
  bool bPopupGone = false;
  std::function<void()> accept = [&] {
    HWND hwndDialog = FindVisibleDialog();
    if (hwndDialog == nullptr) {
      RunSoon(accept);
      return;
    }
    bPopupGone = !::IsWindow(hwndPopup);
    // The colour typed on the custom page is the dialog's answer.
    ::PostMessageW(hwndDialog, WM_COMMAND, IDOK, 0);
  };
  RunSoon(accept);
  const CPoint pt = colors.GetButton(iOther)->Rect().CenterPoint();
  colors.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
  colors.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
  const bool bDone = PumpUntil([&] { return bPopupGone && FindVisibleDialog() == nullptr; }, 10000);
  PumpRoundTrip(frame->GetSafeHwnd());
  ASSERT_TRUE(bDone);
  EXPECT_EQ(RGB(1, 2, 3), pFirst->GetColor());
  EXPECT_EQ(RGB(1, 2, 3), ButtonOf(bar2)->GetColor());
  EXPECT_EQ(nullptr, pFirst->GetPopupMenu());
}

TEST_F(ColorMenuButton, AColourBarOfTheCommandFollowsTheButtons) {
  CUfxColorBar bar;
  ASSERT_TRUE(bar.Create(frame, WS_CHILD | CBRS_TOP, 0xE803));
  bar.SetCommandID(kCmd);
  ButtonOf(bar1)->SetColor(bar.m_colors[2], TRUE);
  EXPECT_EQ(bar.m_colors[2], bar.GetColor());
  EXPECT_TRUE(bar.GetCell(2)->m_bHighlight);
  bar.DestroyWindow();
}

// Stores a button with labels and counts and answers its bytes.
std::vector<BYTE> StoredButton() {
  CUfxColorMenuButton button(kCmd, L"Colour");
  button.m_Colors.SetSize(2);
  button.m_Colors[0] = RGB(1, 2, 3);
  button.m_Colors[1] = RGB(4, 5, 6);
  button.m_nColumns = 7;
  button.m_nVertDockColumns = 2;
  button.m_nHorzDockRows = 3;
  button.EnableAutomaticButton(L"A", RGB(9, 9, 9));
  button.EnableOtherButton(L"B", FALSE);
  button.EnableDocumentColors(L"C");
  return Store(button);
}

TEST_F(ColorMenuButton, TheExtendedFieldsTravelOnlyAboveLibraryVersion470) {
  std::vector<BYTE> newer, older;
  {
    CVersionedWorkspace workspace(6, 31);
    newer = StoredButton();
  }
  {
    CVersionedWorkspace workspace(4, 70);
    older = StoredButton();
  }
  std::vector<BYTE> extended;
  for (DWORD n : {2u, 3u, 1u, 1u, 1u}) AppendInt(extended, n);
  AppendString(extended, L"A");
  AppendString(extended, L"B");
  AppendString(extended, L"C");
  AppendInt(extended, RGB(9, 9, 9));
  AppendInt(extended, 1);  // the platform's dialog
  ASSERT_EQ(older.size() + extended.size(), newer.size());
  EXPECT_EQ(extended, std::vector<BYTE>(newer.end() - extended.size(), newer.end()));
  EXPECT_TRUE(std::equal(older.begin(), older.end(), newer.begin()));

  {
    CVersionedWorkspace workspace(6, 31);
    CUfxColorMenuButton loaded;
    ASSERT_TRUE(Load(loaded, newer));
    EXPECT_EQ(2, loaded.m_nVertDockColumns);
    EXPECT_EQ(3, loaded.m_nHorzDockRows);
    EXPECT_EQ(CString(L"B"), loaded.m_strOtherButtonLabel);
    EXPECT_TRUE(loaded.m_bStdColorDlg);
    EXPECT_EQ(RGB(9, 9, 9), loaded.m_colorAutomatic);
    ASSERT_EQ(2, loaded.m_Colors.GetSize());
    EXPECT_EQ(RGB(4, 5, 6), loaded.m_Colors[1]);
  }
  {
    // What the older library wrote: no tear-off id in the base part, no extended fields.
    const std::vector<BYTE> written470 = StoredButton();
    CVersionedWorkspace workspace(4, 70);
    CUfxColorMenuButton loaded;
    loaded.m_nVertDockColumns = loaded.m_nHorzDockRows = 5;
    ASSERT_TRUE(Load(loaded, written470));
    EXPECT_EQ(-1, loaded.m_nVertDockColumns);
    EXPECT_EQ(-1, loaded.m_nHorzDockRows);
    EXPECT_EQ(7, loaded.m_nColumns);
    EXPECT_FALSE(loaded.m_bIsAutomaticButton);
  }
}

TEST_F(ColorMenuButton, WithoutAWorkspaceTheDockedCountsComeBackAsMinusOne) {
  ASSERT_EQ(nullptr, UfxGetWorkspace());
  CUfxColorMenuButton loaded;
  ASSERT_TRUE(Load(loaded, StoredButton()));
  EXPECT_EQ(-1, loaded.m_nVertDockColumns);
  EXPECT_EQ(-1, loaded.m_nHorzDockRows);
  EXPECT_EQ(2, loaded.m_Colors.GetSize());
}

TEST_F(ColorMenuButton, ACountTheBytesCannotHoldLeavesButtonAndTableAsTheyWere) {
  std::vector<BYTE> bytes = StoredButton();
  std::vector<BYTE> damaged = bytes;
  // Find the count 2 followed by the two colours and make it huge.
  for (size_t i = 0; i + 12 <= damaged.size(); ++i) {
    if (damaged[i] == 2 && damaged[i + 1] == 0 && damaged[i + 2] == 0 && damaged[i + 3] == 0 && damaged[i + 4] == 1 &&
        damaged[i + 5] == 2 && damaged[i + 6] == 3) {
      damaged[i + 3] = 0x7F;
      break;
    }
  }
  ASSERT_NE(bytes, damaged);
  CUfxColorMenuButton loaded;
  loaded.m_Colors.Add(RGB(7, 7, 7));
  EXPECT_FALSE(Load(loaded, damaged));
  ASSERT_EQ(1, loaded.m_Colors.GetSize());
  EXPECT_EQ(RGB(7, 7, 7), loaded.m_Colors[0]);

  // The colour-by-command table: a count, then pairs.
  CUfxColorMenuButton::SetColorByCmdID(5, RGB(1, 1, 1));
  std::vector<BYTE> table;
  {
    CMemFile file;
    {
      CArchive ar(&file, CArchive::store);
      CUfxColorMenuButton::SerializeColorsByCmdID(ar);
    }
    table.resize((size_t)file.GetLength());
    file.SeekToBegin();
    file.Read(table.data(), (UINT)table.size());
  }
  std::vector<BYTE> expected;
  for (DWORD n : std::vector<DWORD>{1, 5, RGB(1, 1, 1)}) AppendInt(expected, n);
  EXPECT_EQ(expected, table);
  table[3] = 0x40;
  CMemFile file(table.data(), (UINT)table.size());
  BOOL bFailed = FALSE;
  try {
    CArchive ar(&file, CArchive::load);
    CUfxColorMenuButton::SerializeColorsByCmdID(ar);
  } catch (CException* e) {
    e->Delete();
    bFailed = TRUE;
  }
  EXPECT_TRUE(bFailed);
  EXPECT_EQ(RGB(1, 1, 1), CUfxColorMenuButton::GetColorByCmdID(5));
}

TEST_F(ColorMenuButton, ATornOffPopupBecomesAFloatingBarOfTheSameColours) {
  CUfxColorMenuButton* pButton = ButtonOf(bar1);
  pButton->m_Colors.RemoveAll();
  for (COLORREF c : {RGB(10, 0, 0), RGB(0, 20, 0), RGB(0, 0, 30)}) pButton->m_Colors.Add(c);
  pButton->SetColor(RGB(0, 20, 0), FALSE);
  CColorPopup* pPopup = DYNAMIC_DOWNCAST(CColorPopup, pButton->CreatePopupMenu());
  ASSERT_NE(nullptr, pPopup);
  pPopup->m_pParentBtn = pButton;
  CUfxColorBar* pTorn = DYNAMIC_DOWNCAST(CUfxColorBar, pPopup->CreateTearOffBar(frame, 0xE900, L"Colours"));
  delete pPopup;
  ASSERT_NE(nullptr, pTorn);
  EXPECT_EQ(kCmd, pTorn->GetCommandID());
  ASSERT_EQ(3, pTorn->m_colors.GetSize());
  EXPECT_EQ(RGB(0, 0, 30), pTorn->m_colors[2]);
  EXPECT_EQ(RGB(0, 20, 0), pTorn->GetColor());
  ASSERT_EQ(3, pTorn->GetButtonCount());
  EXPECT_TRUE(pTorn->GetCell(1)->m_bHighlight);
  EXPECT_TRUE(pTorn->m_bIsTearOff);
  CString strTitle;
  pTorn->GetWindowText(strTitle);
  EXPECT_EQ(CString(L"Colours"), strTitle);
  pTorn->DestroyWindow();
  delete pTorn;
}

}  // namespace
