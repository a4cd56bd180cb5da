// Customize mode of the toolbars: the data a dragged button offers, where a drop lands and what it
// does (moves, copies, regroups, refusals), the insertion mark, the customize context menu and its
// states, resizing stretchable buttons, and the customize button's popup and size.
#include "CommandBarsTestKit.h"
#include "bars/UfxCustomizeButton.h"
#include "bars/UfxPopupMenu.h"
#include "bars/UfxPopupMenuBar.h"
#include "bars/UfxToolbarComboBoxButton.h"
#include "bars/UfxToolbarEditBoxButton.h"
#include "bars/UfxToolbarMenuButton.h"
#include "bars/UfxToolBarImages.h"

using namespace toolbar_test;
using namespace command_bars_test;

namespace {

const UINT kIdStrip = 240;

class CustomizeTest : public FrameFixture {
protected:
  CustomizeTest() : FrameFixture(CRect(100, 100, 700, 400), WS_POPUP | WS_VISIBLE) {}
  void SetUp() override {
    FrameFixture::SetUp();
    AfxSetResourceHandle(::GetModuleHandleW(nullptr));
    ASSERT_TRUE(barA.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE801));
    ASSERT_TRUE(barB.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE802));
    SetIds(barA, {101, 102, 103, 104});
    SetIds(barB, {201, 202});
    CUfxToolBar::SetCustomizeMode(TRUE);
  }
  void TearDown() override {
    CUfxToolBar::SetCustomizeMode(FALSE);
    barA.DestroyWindow();
    barB.DestroyWindow();
    FrameFixture::TearDown();
  }
  static void SetIds(CTestBar& bar, std::vector<UINT> ids) {
    bar.RemoveAllButtons();
    for (UINT id : ids) {
      if (id == 0) bar.InsertSeparator();
      else bar.InsertButton(new CUfxToolbarButton(id, 0));
    }
    Place(bar);
  }
  static void Place(CTestBar& bar) {
    Place(bar, bar.GetDlgCtrlID() == 0xE802 ? CRect(0, 40, 500, 70) : CRect(0, 0, 500, 30));
  }
  static void Place(CTestBar& bar, CRect rect) {
    bar.SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    bar.LayoutButtons();
  }
  static std::vector<UINT> Ids(const CUfxToolBar& bar) { return ButtonIds(bar.GetAllButtons()); }

  CTestBar barA;
  CTestBar barB;
};

// ---- the offered data ---------------------------------------------------------------------------------

TEST_F(CustomizeTest, APlainButtonOffersItsArchiveUnderTheModulesFormat) {
  CUfxToolbarButton button(0xE100, 0);
  OfferedData offer(button);
  ASSERT_TRUE(offer.ok);

  wchar_t szName[64] = {};
  ::GetClipboardFormatNameW(CUfxToolbarButton::GetClipboardFormat(), szName, 64);
  CString strExpected;
  strExpected.Format(L"UfxToolbarButton%llx", (unsigned long long)(ULONG_PTR)::GetModuleHandleW(nullptr));
  EXPECT_EQ(strExpected, CString(szName));

  std::vector<BYTE> expected = {0xFF, 0xFF, 0x01, 0x00, 0x11, 0x00};
  for (const char* p = "CUfxToolbarButton"; *p; ++p) expected.push_back((BYTE)*p);
  const BYTE fields[] = {0x00, 0xE1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFE, 0xFF, 0x00,
                         0,    0,    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x01, 0,    0,    0};
  expected.insert(expected.end(), std::begin(fields), std::end(fields));
  ASSERT_EQ(55u, expected.size());
  const std::vector<BYTE> bytes = offer.Bytes();
  ASSERT_GE(bytes.size(), expected.size());
  EXPECT_EQ(expected, std::vector<BYTE>(bytes.begin(), bytes.begin() + 55));
}

// ---- where a drop lands -----------------------------------------------------------------------------

TEST_F(CustomizeTest, TheDropIndexFollowsThePointOnRowsAndColumnsWithASixPixelMark) {
  // Two rows of three on a horizontal bar.
  SetIds(barA, {101, 102, 103, 104, 201, 202});
  barA.SetBarStyle(barA.GetBarStyle() | CBRS_SIZE_DYNAMIC);
  const int nWidth = barA.ButtonRect(0).Width();
  CRect rectInside(0, 0, 0, 0);
  barA.CalcInsideRect(rectInside, TRUE);
  const CSize size = barA.CalcDynamicLayout(3 * nWidth - rectInside.Width(), LM_HORZ);
  Place(barA, CRect(0, 0, 3 * nWidth + 2 + 20, size.cy + 10));
  ASSERT_GT(barA.ButtonRect(3).top, barA.ButtonRect(2).top) << "the fourth button starts the second row";
  auto r = [&](int i) { return barA.ButtonRect(i); };
  CRect rectClient;
  barA.GetClientRect(rectClient);

  const struct {
    const char* name;
    CPoint point;
    int index;
    int edge;  // the x the mark is centred on
    int row;   // a button of the mark's row
  } cases[] = {
      {"before the first", CPoint(0, r(0).CenterPoint().y), 0, r(0).left, 0},
      {"left half of the second", CPoint(r(1).left + 2, r(1).CenterPoint().y), 1, r(1).left, 1},
      {"right half of the second", CPoint(r(1).right - 2, r(1).CenterPoint().y), 2, r(1).right, 1},
      {"past the first row's end", CPoint(rectClient.right - 2, r(0).CenterPoint().y), 3, r(2).right, 2},
      {"left half on the second row", CPoint(r(4).left + 1, r(4).CenterPoint().y), 4, r(4).left, 4},
      {"right half of the last", CPoint(r(5).right - 1, r(5).CenterPoint().y), 6, r(5).right, 5},
      {"below everything", CPoint(r(3).left + 1, rectClient.bottom - 1), 3, r(3).left, 3},
  };
  for (const auto& c : cases) {
    CRect rectMark;
    EXPECT_EQ(c.index, barA.FindDropIndex(c.point, rectMark)) << c.name;
    const int nLeft = std::max(c.edge - 3, (int)rectClient.left);
    EXPECT_EQ(CRect(nLeft, r(c.row).top, nLeft + 6, r(c.row).bottom), rectMark) << c.name;
  }

  // A vertical bar: above, both halves and below, with a mark six pixels high.
  SetIds(barB, {201, 202, 203});
  barB.SetBarStyle((barB.GetBarStyle() & ~CBRS_ALIGN_ANY) | CBRS_ALIGN_LEFT);
  Place(barB, CRect(0, 40, 40, 200));
  auto v = [&](int i) { return barB.ButtonRect(i); };
  ASSERT_GT(v(1).top, v(0).top);
  const struct {
    const char* name;
    int y;
    int index;
    int edge;
    int button;
  } vcases[] = {{"upper half of the first", v(0).top + 1, 0, v(0).top, 0},
                {"lower half of the second", v(1).bottom - 1, 2, v(1).bottom, 1},
                {"upper half of the third", v(2).top + 2, 2, v(2).top, 2},
                {"below the last", v(2).bottom + 20, 3, v(2).bottom, 2}};
  for (const auto& c : vcases) {
    CRect rectMark;
    EXPECT_EQ(c.index, barB.FindDropIndex(CPoint(v(0).CenterPoint().x, c.y), rectMark)) << c.name;
    const int nTop = std::max(c.edge - 3, 0);
    EXPECT_EQ(CRect(v(c.button).left, nTop, v(c.button).right, nTop + 6), rectMark) << c.name;
  }
}

TEST_F(CustomizeTest, TheMarkNeverGoesAfterTheCustomizeButton) {
  barA.SetCustomizeButton(new CCustomizeButton(999, L"Customize..."));
  Place(barA);
  const int iCustomize = barA.GetButtonCount() - 1;
  CRect rectClient;
  barA.GetClientRect(rectClient);
  CUfxToolbarButton moved(102, 0);
  OfferedData offer(moved);
  // In customize mode the customize button is hidden at the end; nothing lands after it.
  for (CPoint pt : {CPoint(rectClient.right - 1, 5), CPoint(barA.ButtonRect(3).right - 1, 5)}) {
    CRect rectMark;
    EXPECT_EQ(iCustomize, barA.FindDropIndex(pt, rectMark)) << pt.x;
    EXPECT_EQ(barA.ButtonRect(3).right - 3, rectMark.left) << pt.x;
  }
  EXPECT_EQ(DROPEFFECT_MOVE, barA.OnDragEnter(&offer.data, 0, CPoint(rectClient.right - 1, 5)));
  EXPECT_TRUE(barA.OnDrop(&offer.data, DROPEFFECT_MOVE, CPoint(rectClient.right - 1, 5)));
  EXPECT_EQ(std::vector<UINT>({101, 102, 103, 104, 102, 0}), Ids(barA)) << "before the customize button (id 0)";
  EXPECT_EQ(barA.GetCustomizeButton(), barA.GetButton(barA.GetButtonCount() - 1));
}

// ---- what a drop does -------------------------------------------------------------------------------

TEST_F(CustomizeTest, TheDropTargetMovesCopiesAndRefuses) {
  const CLIPFORMAT cfButton = CUfxToolbarButton::GetClipboardFormat();
  const struct {
    const char* name;
    int kind;  // 0 the button 102, 1 text data, 2 damaged button data, 3 another class's archive
    DWORD keys;
    BOOL locked;
    BOOL forbidden;
    BOOL customize;
    DROPEFFECT over;
    BOOL dropped;
    std::vector<UINT> idsB;
  } cases[] = {
      {"a move", 0, 0, FALSE, FALSE, TRUE, DROPEFFECT_MOVE, TRUE, {201, 102, 202}},
      {"a copy with Ctrl", 0, MK_CONTROL, FALSE, FALSE, TRUE, DROPEFFECT_COPY, TRUE, {201, 102, 202}},
      {"a locked bar", 0, 0, TRUE, FALSE, TRUE, DROPEFFECT_NONE, FALSE, {201, 202}},
      {"a forbidden command", 0, 0, FALSE, TRUE, TRUE, DROPEFFECT_MOVE, FALSE, {201, 202}},
      {"outside customize mode", 0, 0, FALSE, FALSE, FALSE, DROPEFFECT_NONE, FALSE, {201, 202}},
      {"another format", 1, 0, FALSE, FALSE, TRUE, DROPEFFECT_NONE, FALSE, {201, 202}},
      {"damaged data", 2, 0, FALSE, FALSE, TRUE, DROPEFFECT_NONE, FALSE, {201, 202}},
      {"another class", 3, 0, FALSE, FALSE, TRUE, DROPEFFECT_NONE, FALSE, {201, 202}},
  };
  for (const auto& c : cases) {
    SetIds(barB, {201, 202});
    barB.SetLocked(c.locked);
    CList<UINT, UINT> forbidden;
    if (c.forbidden) forbidden.AddTail(102);
    CUfxToolBar::SetNonPermittedCommands(forbidden);
    CUfxToolBar::SetCustomizeMode(c.customize);
    CUfxToolbarButton button(102, 0);
    std::unique_ptr<OfferedData> offer;
    if (c.kind == 0) offer.reset(new OfferedData(button));
    if (c.kind == 1) offer.reset(new OfferedData(CF_UNICODETEXT, {'1', 0, '0', 0, '2', 0, 0, 0}));
    if (c.kind == 2) offer.reset(new OfferedData(cfButton, {0xFF, 0xFF, 0x01, 0x00, 0x40, 0x00, 'C', 'U'}));
    if (c.kind == 3) offer.reset(new OfferedData(cfButton, ArchiveOfAnotherClass()));
    const CPoint pt(barB.ButtonRect(1).left + 2, barB.ButtonRect(1).CenterPoint().y);
    CWnd* pWnd = &barB;
    EXPECT_EQ(c.over, barB.DropTarget().OnDragEnter(pWnd, &offer->data, c.keys, pt)) << c.name;
    EXPECT_EQ(c.over, barB.DropTarget().OnDragOver(pWnd, &offer->data, c.keys, pt)) << c.name;
    EXPECT_EQ(c.over != DROPEFFECT_NONE, barB.GetDropIndex() == 1) << c.name;
    EXPECT_EQ(c.dropped, barB.DropTarget().OnDrop(pWnd, &offer->data, c.over, pt)) << c.name;
    EXPECT_EQ(c.idsB, Ids(barB)) << c.name;
    EXPECT_EQ(-1, barB.GetDropIndex()) << c.name;
    EXPECT_TRUE(barB.GetInsertionMark().IsRectEmpty()) << c.name;
    barB.SetLocked(FALSE);
  }
  CUfxToolBar::SetNonPermittedCommands(CList<UINT, UINT>());
}

TEST_F(CustomizeTest, ADropOnItsOwnPlaceRegroupsAndAMoveLandsWhereTheMarkShowed) {
  const struct {
    const char* name;
    std::vector<UINT> ids;
    int dragged;
    int dx;        // pointer movement from the drag start; the drop is on the button's own place
    int target;    // or a drop index elsewhere (-1: own place)
    std::vector<UINT> result;
  } cases[] = {
      {"6 pixels forward: a group begins", {101, 102, 103}, 1, 6, -1, {101, 0, 102, 103}},
      {"5 pixels forward: nothing", {101, 102, 103}, 1, 5, -1, {101, 102, 103}},
      {"6 pixels back: the group ends", {101, 0, 102, 103}, 2, -6, -1, {101, 102, 103}},
      {"forward on the first button: never a leading separator", {101, 102}, 0, 8, -1, {101, 102}},
      {"a move to the right", {101, 102, 103, 104}, 0, 0, 3, {102, 103, 101, 104}},
      {"a move to the left", {101, 102, 103, 104}, 3, 0, 1, {101, 104, 102, 103}},
      {"a move that collapses two separators", {101, 0, 102, 0, 103}, 2, 0, 5, {101, 0, 103, 102}},
  };
  for (const auto& c : cases) {
    SetIds(barA, c.ids);
    const CRect rect = barA.ButtonRect(c.dragged);
    const CPoint ptStart = rect.CenterPoint();
    barA.BeginDragOf(c.dragged, ptStart);
    CPoint ptDrop = ptStart + CPoint(c.dx, 0);
    if (c.target >= 0) {
      const CRect rectTarget = barA.ButtonRect(std::min(c.target, barA.GetButtonCount() - 1));
      ptDrop = c.target < barA.GetButtonCount() ? CPoint(rectTarget.left + 1, rectTarget.CenterPoint().y)
                                                : CPoint(rectTarget.right + 2, rectTarget.CenterPoint().y);
    } else if (c.dx > 0) {
      // Forward onto the left half of the next place, still the button's own drop index.
      ptDrop = CPoint(rect.right - 1, rect.CenterPoint().y);
      barA.BeginDragOf(c.dragged, CPoint(ptDrop.x - c.dx, ptDrop.y));
    } else if (c.dx < 0) {
      ptDrop = CPoint(rect.left + 1, rect.CenterPoint().y);
      barA.BeginDragOf(c.dragged, CPoint(ptDrop.x - c.dx, ptDrop.y));
    }
    CUfxToolbarButton copy;
    copy.CopyFrom(*barA.GetButton(c.dragged));
    OfferedData offer(copy);
    ASSERT_NE(DROPEFFECT_NONE, barA.OnDragEnter(&offer.data, 0, ptDrop)) << c.name;
    EXPECT_TRUE(barA.OnDrop(&offer.data, DROPEFFECT_MOVE, ptDrop)) << c.name;
    EXPECT_EQ(c.result, Ids(barA)) << c.name;
  }
}

// ---- the context menu ---------------------------------------------------------------------------------

class CustomizeMenuTest : public CustomizeTest {
protected:
  static void SetUpTestSuite() { hResx = ::LoadLibraryW(L"BrookResx.dll"); }
  static void TearDownTestSuite() {
    if (hResx != nullptr) ::FreeLibrary(hResx);
  }
  UINT StateOf(HMENU hMenu, UINT uiCmd) { return ::GetMenuState(hMenu, uiCmd, MF_BYCOMMAND) & (MF_GRAYED | MF_CHECKED); }
  static HMODULE hResx;
};
HMODULE CustomizeMenuTest::hResx = nullptr;

TEST_F(CustomizeMenuTest, TheMenuGreysAndChecksItsItemsByTheButton) {
  ASSERT_NE(nullptr, hResx) << "BrookResx.dll not found beside the program";
  SetIds(barA, {101, 0, 102, 103});
  barA.GetButton(3)->m_bImage = FALSE;  // text only, no image shown
  barA.GetButton(3)->m_bText = TRUE;
  barA.GetButton(2)->m_bText = TRUE;    // image and text
  const struct {
    const char* name;
    int button;
    UINT cmd;
    UINT state;
  } cases[] = {
      {"image only is checked", 0, 16914, MF_CHECKED},
      {"the first button begins no group", 0, 16917, MF_GRAYED},
      {"image and text is checked", 2, 16916, MF_CHECKED},
      {"a separator before it: the group is checked", 2, 16917, MF_CHECKED},
      {"text only is checked", 3, 16915, MF_CHECKED},
      {"no image shown: nothing to copy", 3, 16911, MF_GRAYED},
      {"an image: it may be copied", 0, 16911, 0},
      {"a command: it may be reset", 0, 16910, 0},
  };
  for (const auto& c : cases) {
    CMenu menu;
    ASSERT_TRUE(menu.Attach(::LoadMenuW(hResx, MAKEINTRESOURCEW(16102))));
    CMenu* pPopup = menu.GetSubMenu(0);
    ASSERT_NE(nullptr, pPopup);
    for (UINT id = 16910; id <= 16918; ++id) EXPECT_NE(0xFFFFFFFF, ::GetMenuState(pPopup->m_hMenu, id, MF_BYCOMMAND)) << id;
    EXPECT_TRUE(barA.EnableContextMenuItems(barA.GetButton(c.button), pPopup)) << c.name;
    EXPECT_EQ(c.state, StateOf(pPopup->m_hMenu, c.cmd)) << c.name;
  }
  // A label below the image counts as text on a horizontal bar, where image only is greyed.
  barA.GetButton(0)->m_bTextBelow = TRUE;
  CMenu menu;
  ASSERT_TRUE(menu.Attach(::LoadMenuW(hResx, MAKEINTRESOURCEW(16102))));
  barA.EnableContextMenuItems(barA.GetButton(0), menu.GetSubMenu(0));
  EXPECT_EQ(UINT(MF_CHECKED), StateOf(menu.GetSubMenu(0)->m_hMenu, 16916));
  EXPECT_EQ(UINT(MF_GRAYED), StateOf(menu.GetSubMenu(0)->m_hMenu, 16914));
}

TEST_F(CustomizeTest, TheMenuCommandsChangeTheSelectedButton) {
  CUfxToolBar::SetDefaultImage(101, 3);
  const struct {
    const char* name;
    std::vector<UINT> ids;
    int selected;
    UINT cmd;
    std::vector<UINT> result;
    BOOL text;
    BOOL image;
  } cases[] = {
      {"delete", {101, 102, 103}, 1, 16912, {101, 103}, FALSE, TRUE},
      {"begin a group", {101, 102, 103}, 1, 16917, {101, 0, 102, 103}, FALSE, TRUE},
      {"end a group", {101, 0, 102, 103}, 2, 16917, {101, 102, 103}, FALSE, TRUE},
      {"text only", {101, 102}, 1, 16915, {101, 102}, TRUE, FALSE},
      {"image and text", {101, 102}, 1, 16916, {101, 102}, TRUE, TRUE},
      {"text only without a text: back to image only", {101, 105}, 1, 16915, {101, 105}, FALSE, TRUE},
      {"image only", {101, 102}, 0, 16914, {101, 102}, FALSE, TRUE},
  };
  for (const auto& c : cases) {
    SetIds(barA, c.ids);
    barA.Select(c.selected);
    CUfxToolbarButton* pButton = barA.GetButton(c.selected);
    barA.SendMessage(WM_COMMAND, c.cmd);
    EXPECT_EQ(c.result, Ids(barA)) << c.name;
    if (c.cmd == 16912 || c.cmd == 16917) continue;
    EXPECT_EQ(c.text, pButton->m_bText) << c.name;
    EXPECT_EQ(c.image, pButton->m_bImage) << c.name;
    if (c.text) EXPECT_EQ(CString(L"Second"), pButton->m_strText) << c.name;
  }

  // Reset: the image the resources gave the command, its default text, no user image.
  SetIds(barA, {101, 102});
  CUfxToolbarButton* pButton = barA.GetButton(0);
  pButton->m_bUserButton = TRUE;
  pButton->m_iUserImage = 7;
  pButton->m_strText = L"Mine";
  barA.Select(0);
  barA.SendMessage(WM_COMMAND, 16910);
  EXPECT_FALSE(pButton->m_bUserButton);
  EXPECT_EQ(3, pButton->GetImage());
  EXPECT_TRUE(pButton->m_bImage);
  EXPECT_FALSE(pButton->m_bText);
  EXPECT_EQ(CString(L"First"), pButton->m_strText);
}

TEST_F(CustomizeTest, TheAppearanceDialogDecidesForNewMenusAndButtonsWithoutImage) {
  // New menu: OK puts it at the selection with the typed text; Cancel leaves nothing behind.
  for (int nAnswer : {IDOK, IDCANCEL}) {
    SetIds(barA, {101, 102});
    barA.Select(1);
    {
      DialogAnswer answer(nAnswer, 16500, L"Tools");
      barA.SendMessage(WM_COMMAND, 16918);
      EXPECT_EQ(1, DialogAnswer::Shown());
    }
    if (nAnswer == IDOK) {
      CUfxToolbarMenuButton* pMenu = DYNAMIC_DOWNCAST(CUfxToolbarMenuButton, barA.GetButton(1));
      ASSERT_NE(nullptr, pMenu);
      EXPECT_EQ(CString(L"Tools"), pMenu->m_strText);
      EXPECT_EQ(1, barA.GetSelectedButton());
      pMenu->OnCancelMode();
    } else {
      EXPECT_EQ(std::vector<UINT>({101, 102}), Ids(barA));
    }
  }
  // Image only on a button without image: Cancel keeps the old display.
  SetIds(barA, {101, 102});
  CUfxToolbarButton* pButton = barA.GetButton(1);
  pButton->SetImage(-1);
  pButton->m_iImage = -1;
  pButton->m_bImage = FALSE;
  pButton->m_bText = TRUE;
  barA.Select(1);
  {
    DialogAnswer answer(IDCANCEL);
    barA.SendMessage(WM_COMMAND, 16914);
    EXPECT_EQ(1, DialogAnswer::Shown());
  }
  EXPECT_TRUE(pButton->m_bText);
  EXPECT_FALSE(pButton->m_bImage);
}

TEST_F(CustomizeTest, CopyButtonImagePutsABitmapOnTheClipboard) {
  ASSERT_TRUE(CUfxToolBar::GetImages()->Load(kIdStrip));
  SetIds(barA, {101, 102});
  barA.Select(1);
  ASSERT_TRUE(::OpenClipboard(nullptr));
  ::EmptyClipboard();
  ::CloseClipboard();
  barA.SendMessage(WM_COMMAND, 16911);
  EXPECT_TRUE(::IsClipboardFormatAvailable(CF_BITMAP));
}

// ---- resizing -------------------------------------------------------------------------------------------

TEST_F(CustomizeTest, AStretchableButtonIsResizedOnlyBeyondFourAndSixPixelsAndEscCancels) {
  const struct {
    const char* name;
    int dx;       // the release's x from the button's right edge
    bool escape;
    int width;    // -1: unchanged
  } cases[] = {{"6 pixels wider: unchanged", 6, false, -1},
               {"7 pixels wider", 7, false, 157},
               {"6 pixels narrower: unchanged", -6, false, -1},
               {"40 pixels narrower", -40, false, 110},
               {"to the left edge: unchanged", -150, false, -1},
               {"Esc", 40, true, -1}};
  for (const auto& c : cases) {
    SetIds(barA, {101});
    CUfxToolbarEditBoxButton* pEdit = new CUfxToolbarEditBoxButton(301, -1);
    ASSERT_EQ(1, barA.InsertButton(pEdit));
    barA.AdjustLayout();
    Place(barA);
    const CRect rect = barA.ButtonRect(1);
    ASSERT_EQ(150, rect.Width()) << c.name;
    barA.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, PointParam(CPoint(rect.right - 2, rect.CenterPoint().y)));
    ASSERT_TRUE(barA.IsStretching()) << c.name;
    const CPoint ptEnd(rect.right + c.dx, rect.CenterPoint().y);
    barA.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, PointParam(ptEnd));
    if (c.escape) {
      MSG msg = {barA.GetSafeHwnd(), WM_KEYDOWN, VK_ESCAPE, 0};
      EXPECT_TRUE(barA.PreTranslateMessage(&msg)) << c.name;
      EXPECT_FALSE(barA.IsStretching()) << c.name;
    }
    barA.SendMessage(WM_LBUTTONUP, 0, PointParam(ptEnd));
    EXPECT_FALSE(barA.IsStretching()) << c.name;
    EXPECT_EQ(c.width < 0 ? 150 : c.width, pEdit->GetWidth()) << c.name;
    EXPECT_EQ(nullptr, ::GetCapture()) << c.name;
  }
}

// ---- the customize button ---------------------------------------------------------------------------------

TEST_F(CustomizeTest, TheCustomizeButtonsPopupListsTheHiddenButtonsThenTheCustomizeItem) {
  CUfxToolBar::SetCustomizeMode(FALSE);
  SetIds(barA, {101});
  CCustomizeButton* pCustomize = new CCustomizeButton(999, L"Customize...");
  barA.SetCustomizeButton(pCustomize);
  CUfxToolbarComboBoxButton combo(301, -1);
  CUfxToolbarButton separator;
  separator.m_nStyle = TBBS_SEPARATOR;
  CUfxToolbarButton a(102, 0), b(103, 1);
  a.m_strText = L"A";
  for (CUfxToolbarButton* p : std::vector<CUfxToolbarButton*>{&separator, &a, &separator, &separator, &b, &combo})
    pCustomize->GetInvisibleButtons().AddTail(p);
  CUfxPopupMenu* pPopup = pCustomize->CreatePopupMenu();
  std::vector<std::pair<UINT, CString>> items;
  for (POSITION pos = pPopup->GetMenuBar()->GetAllButtons().GetHeadPosition(); pos != nullptr;) {
    const CUfxToolbarButton* p = static_cast<CUfxToolbarButton*>(pPopup->GetMenuBar()->GetAllButtons().GetNext(pos));
    items.push_back({(p->m_nStyle & TBBS_SEPARATOR) ? 0u : p->m_nID, p->m_strText});
  }
  delete pPopup;
  pCustomize->GetInvisibleButtons().RemoveAll();
  const std::vector<std::pair<UINT, CString>> expected = {
      {102, L"A"}, {0, L""}, {103, L"Third"}, {301, L"Choose a size"}, {0, L""}, {999, L"Customize..."}};
  EXPECT_EQ(expected, items);

  // On a floating bar the button takes no room.
  CDC* pDC = barA.GetDC();
  EXPECT_NE(CSize(0, 0), CSize(pCustomize->OnCalculateSize(pDC, CSize(23, 22), TRUE)));
  frame->EnableDocking(CBRS_ALIGN_ANY);
  barA.EnableDocking(CBRS_ALIGN_ANY);
  frame->FloatControlBar(&barA, CPoint(300, 300));
  ASSERT_TRUE(barA.IsFloating());
  EXPECT_EQ(CSize(0, 0), CSize(pCustomize->OnCalculateSize(pDC, CSize(23, 22), TRUE)));
  barA.ReleaseDC(pDC);
}

}  // namespace
