// Menus at work: a frame carrying a menu bar built from File, Edit and Help, driven by keys and
// the mouse; popup placement on the work area; the menu bar's saved state; rarely used items; the
// buttons of a maximized MDI child; and the dialog menu helper.
#include "bars/UfxMenuBar.h"
#include "bars/UfxPopupMenu.h"
#include "bars/UfxPopupMenuBar.h"
#include "bars/UfxToolbarMenuButton.h"
#include "bars/UfxToolbarMenuButtonsButton.h"
#include "bars/UfxToolbarSystemMenuButton.h"
#include "bars/UfxShowAllButton.h"
#include "bars/UfxDialogMenuHelper.h"
#include "bars/UfxMenuBarStore.h"
#include "frames/UfxFrameWnd.h"
#include "frames/UfxCommandManager.h"
#include "bars/UfxCommandUsage.h"
#include "frames/UfxRegistry.h"
#include "frames/UfxGlobalData.h"
#include "looks/UfxVisualManager.h"
#include "looks/UfxVisualManager2003.h"
#include "looks/UfxVisualManagerXP.h"
#include "looks/UfxWinXPVisualManager.h"
#include "bars/UfxUserTool.h"
#include "frames/UfxUserToolsManager.h"
#include "DamagedDataKit.h"
#include "FreedMemoryWatch.h"
#include "MenuTestKit.h"
#include <gtest/gtest.h>
#include <vector>

namespace {
using namespace menu_test;

CWinApp theApp(L"MenuTests");

TEST_F(MenuFrame, FocusOnTheBarHighlightsFileAndLeftRightWrap) {
  EnterMenuBar();
  EXPECT_STREQ(L"&File", Highlighted());
  const struct { UINT vk; const wchar_t* expected; } steps[] = {
      {VK_RIGHT, L"&Edit"}, {VK_RIGHT, L"&Help"}, {VK_RIGHT, L"&File"}, {VK_LEFT, L"&Help"}};
  for (const auto& s : steps) {
    Key(s.vk);
    EXPECT_STREQ(s.expected, Highlighted());
  }
  EXPECT_STREQ(L"<closed>", OpenTitle());
}

TEST_F(MenuFrame, MnemonicOpensEditAndEnterRunsCopy) {
  EnterMenuBar();
  Key('E');
  EXPECT_STREQ(L"&Edit", OpenTitle());
  EXPECT_STREQ(L"&Undo", PopupHighlighted());
  Key(VK_DOWN);
  EXPECT_STREQ(L"Cu&t", PopupHighlighted());  // the separator is skipped
  Key(VK_DOWN);
  EXPECT_STREQ(L"&Copy", PopupHighlighted());
  Key(VK_RETURN);
  PumpPending();
  EXPECT_EQ(std::vector<UINT>({ID_COPY}), frame->commands);
  EXPECT_STREQ(L"<closed>", OpenTitle());
  EXPECT_EQ(nullptr, Popup());
  EXPECT_EQ(-1, bar.GetHighlightedButton());
}

TEST_F(MenuFrame, UpWrapsToPasteAndItsMnemonicRunsIt) {
  EnterMenuBar();
  Key('E');
  Key(VK_UP);
  EXPECT_STREQ(L"&Paste", PopupHighlighted());
  Key(VK_ESCAPE);
  Key('E');
  EXPECT_STREQ(L"&Edit", OpenTitle());
  Key('P');
  PumpPending();
  EXPECT_EQ(std::vector<UINT>({ID_PASTE}), frame->commands);
  EXPECT_EQ(nullptr, Popup());
}

TEST_F(MenuFrame, RightAndLeftInAMenuOpenTheNeighbours) {
  EnterMenuBar();
  Key('E');
  Key(VK_RIGHT);
  EXPECT_STREQ(L"&Help", OpenTitle());
  EXPECT_STREQ(L"&About", PopupHighlighted());
  Key(VK_LEFT);
  Key(VK_LEFT);
  EXPECT_STREQ(L"&File", OpenTitle());
  EXPECT_STREQ(L"&New", PopupHighlighted());
}

// Moving to another menu closes the open popup, which deletes itself with its window: nothing may
// write into it afterwards.
TEST_F(MenuFrame, SwitchingMenusWritesNothingIntoTheClosedPopup) {
  const struct {
    const char* name;
    std::function<void()> act;
    const wchar_t* open;
  } cases[] = {{"right arrow", [&] { Key(VK_RIGHT); }, L"&Help"},
               {"left arrow", [&] { Key(VK_LEFT); }, L"&File"},
               {"another title made hot", [&] { bar.SetHotButton(0); }, L"&File"},
               {"the frame deactivated", [&] { bar.OnFrameDeactivated(); }, L"<closed>"}};
  for (const auto& c : cases) {
    EnterMenuBar();
    Key('E');
    ASSERT_STREQ(L"&Edit", OpenTitle()) << c.name;
    {
      freed_memory::FreedMemoryWatch watch;
      c.act();
      EXPECT_TRUE(PumpUntil([&] { return OpenTitle() == c.open; })) << c.name;
      EXPECT_EQ(0, watch.Written()) << c.name;
    }
    for (int i = 0; i < 3 && Popup() != nullptr; ++i) Key(VK_ESCAPE);
    view.SetFocus();
    PumpPending();
  }
}

TEST_F(MenuFrame, EscClosesTheMenuThenLeavesTheBar) {
  EnterMenuBar();
  Key('E');
  ASSERT_NE(nullptr, Popup());
  Key(VK_ESCAPE);
  EXPECT_EQ(nullptr, Popup());
  EXPECT_STREQ(L"&Edit", Highlighted());
  EXPECT_EQ(bar.GetSafeHwnd(), ::GetFocus());
  Key(VK_ESCAPE);
  EXPECT_EQ(view.GetSafeHwnd(), ::GetFocus());
  EXPECT_EQ(-1, bar.GetHighlightedButton());
  EXPECT_TRUE(frame->commands.empty());
}

TEST_F(MenuFrame, ADisabledItemsMnemonicRunsNothing) {
  TearDown();
  Make(TRUE);
  EnterMenuBar();
  Key('E');
  ASSERT_STREQ(L"&Edit", OpenTitle());
  Key('P');
  PumpPending();
  EXPECT_TRUE(frame->commands.empty());
}

TEST_F(MenuFrame, PressOnTitleDragToItemAndReleaseRunsIt) {
  CUfxToolbarButton* pFile = bar.GetButton(0);
  const CPoint ptTitle = pFile->Rect().CenterPoint();
  ::PostMessageW(bar.GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptTitle.x, ptTitle.y));
  PumpPending();
  ASSERT_STREQ(L"&File", OpenTitle());
  CUfxPopupMenuBar* pItems = Popup()->GetMenuBar();
  const int iOpen = pItems->CommandToIndex(ID_OPEN);
  ASSERT_GE(iOpen, 0);
  const CPoint ptItem = pItems->GetButton(iOpen)->Rect().CenterPoint();
  for (int i = 0; i < 2; ++i)  // the first move after the menu opened is not taken
    ::PostMessageW(pItems->GetSafeHwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(ptItem.x, ptItem.y + i));
  ::PostMessageW(pItems->GetSafeHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(ptItem.x, ptItem.y));
  PumpPending();
  EXPECT_EQ(std::vector<UINT>({ID_OPEN}), frame->commands);
  EXPECT_EQ(nullptr, Popup());
}

// Popups that the test opens on the frame, without a button.
class PopupPlacement : public MenuFrame {
protected:
  CUfxPopupMenu* Open(HMENU hMenu, int x, int y) {
    CUfxPopupMenu* pPopup = new CUfxPopupMenu;
    if (!pPopup->Create(frame, x, y, hMenu, FALSE, TRUE)) return nullptr;
    PumpPending();
    return pPopup;
  }
  CRect WorkArea(CPoint pt) const {
    MONITORINFO mi = {};
    mi.cbSize = sizeof(mi);
    ::GetMonitorInfoW(::MonitorFromPoint(pt, MONITOR_DEFAULTTONEAREST), &mi);
    return mi.rcWork;
  }
};

TEST_F(PopupPlacement, NearTheRightEdgeItEndsAtTheWorkAreaLessOne) {
  const CRect work = WorkArea(CPoint(100, 100));
  HMENU hMenu = ::CreatePopupMenu();
  ::AppendMenuW(hMenu, MF_STRING, ID_NEW, L"&New worksheet with a long name");
  CUfxPopupMenu* pPopup = Open(hMenu, work.right - 10, work.top + 100);
  ASSERT_NE(nullptr, pPopup);
  CRect rect;
  pPopup->GetWindowRect(rect);
  EXPECT_EQ(work.right - 1, rect.right);
  EXPECT_EQ(work.top + 100, rect.top);
}

// Inside the main window a popup casts a shadow: darker pixels right of and below the menu; a
// click on it through the dialog helper closes the menu and is not passed on.
TEST_F(PopupPlacement, ShadowDarkensTheScreenAndAClickOnItClosesTheMenu) {
  CWnd* pSavedMain = theApp.m_pMainWnd;
  theApp.m_pMainWnd = frame;
  CUfxPopupMenu::EnableMenuShadows(TRUE);
  const int nDepth = CUfxVisualManager::GetInstance()->GetMenuShadowDepth();
  ASSERT_GT(nDepth, 0);
  CRect rectFrame;
  frame->GetWindowRect(rectFrame);
  HMENU hMenu = ::CreatePopupMenu();
  ::AppendMenuW(hMenu, MF_STRING, ID_NEW, L"&New");
  ::AppendMenuW(hMenu, MF_STRING, ID_OPEN, L"&Open...");
  CUfxPopupMenu* pPopup = Open(hMenu, rectFrame.left + 40, rectFrame.top + 80);
  ASSERT_NE(nullptr, pPopup);
  pPopup->UpdateWindow();
  CRect rect;
  pPopup->GetWindowRect(rect);
  const CPoint ptShadow(rect.right - nDepth / 2 - 1, rect.top + rect.Height() / 2);
  EXPECT_EQ(CUfxPopupMenu::SHADOW_RIGHT, pPopup->CheckArea(ptShadow));
  EXPECT_EQ(CUfxPopupMenu::MENU, pPopup->CheckArea(rect.TopLeft() + CPoint(3, 3)));
  EXPECT_EQ(CUfxPopupMenu::OUTSIDE, pPopup->CheckArea(CPoint(rect.right + 2, rect.top)));
  HDC hdc = ::GetDC(nullptr);
  const COLORREF clrShadow = ::GetPixel(hdc, ptShadow.x, ptShadow.y);
  const COLORREF clrFace = ::GetPixel(hdc, rect.right + 3, ptShadow.y);  // the same screen beside it
  ::ReleaseDC(nullptr, hdc);
  EXPECT_LT(GetRValue(clrShadow) + GetGValue(clrShadow) + GetBValue(clrShadow),
            GetRValue(clrFace) + GetGValue(clrFace) + GetBValue(clrFace));

  CUfxDialogMenuHelper helper(&view);
  helper.SetActiveMenu(pPopup);
  const HWND hPopup = pPopup->GetSafeHwnd();
  EXPECT_TRUE(helper.ProcessMouseClick(ptShadow));
  PumpPending();
  EXPECT_FALSE(::IsWindow(hPopup));
  EXPECT_EQ(view.GetSafeHwnd(), ::GetFocus());
  helper.SetActiveMenu(nullptr);
  theApp.m_pMainWnd = pSavedMain;
}

// A menu that opens upwards from a title at the bottom of the main window casts its shadow on that
// title: under the shadow lies the title as it looks while its menu is open (its pressed frame),
// not as it looked before the click.
TEST_F(PopupPlacement, TheShadowOnTheOpeningTitleShowsItPressed) {
  CWnd* pSavedMain = theApp.m_pMainWnd;
  theApp.m_pMainWnd = frame;
  CUfxPopupMenu::EnableMenuShadows(TRUE);
  const int nDepth = CUfxVisualManager::GetInstance()->GetMenuShadowDepth();
  ASSERT_GT(nDepth, 0);
  const CRect work = WorkArea(CPoint(300, 300));
  frame->SetWindowPos(nullptr, 200, work.bottom - 300, 500, 300, SWP_NOZORDER | SWP_NOACTIVATE);
  bar.SetBarStyle((bar.GetBarStyle() & ~CBRS_ALIGN_ANY) | CBRS_ALIGN_BOTTOM);
  frame->RecalcLayout();
  CRect rectClient;
  frame->GetClientRect(rectClient);
  bar.SetWindowPos(nullptr, 0, rectClient.bottom - 26, 500, 26, SWP_NOZORDER | SWP_NOACTIVATE);
  bar.AdjustLayout();
  PumpPending();
  bar.UpdateWindow();
  CRect rectBar;
  bar.GetWindowRect(rectBar);
  frame->ScreenToClient(rectBar);
  ASSERT_EQ(rectClient.bottom, rectBar.bottom);

  CUfxToolbarButton* pEdit = bar.GetButton(1);
  const CPoint ptTitle = pEdit->Rect().CenterPoint();
  ::PostMessageW(bar.GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptTitle.x, ptTitle.y));
  PumpPending();
  ASSERT_STREQ(L"&Edit", OpenTitle());
  CUfxPopupMenu* pPopup = Popup();
  ASSERT_NE(nullptr, pPopup);
  pPopup->UpdateWindow();
  CRect rectTitle = pEdit->Rect(), rect;
  bar.ClientToScreen(rectTitle);
  pPopup->GetWindowRect(rect);
  ASSERT_EQ(CUfxPopupMenu::DROP_UP, pPopup->GetDropDirection());
  ASSERT_EQ(rectTitle.top + nDepth, rect.bottom);  // the bottom shadow covers the title's top rows

  // Through the shadow, over the title against over the bar's plain face beyond it.
  const int xTitle = rect.left + 2 * nDepth + 1;
  const int xFace = rectTitle.right + 3;
  ASSERT_LT(xTitle, rectTitle.right - 2);
  ASSERT_LT(xFace, rect.right - 2 * nDepth);
  HDC hdc = ::GetDC(nullptr);
  int nTitle = 0, nFace = 0;
  for (int y = rectTitle.top; y < rectTitle.top + nDepth; ++y) {
    const COLORREF clrTitle = ::GetPixel(hdc, xTitle, y), clrFace = ::GetPixel(hdc, xFace, y);
    nTitle += GetRValue(clrTitle) + GetGValue(clrTitle) + GetBValue(clrTitle);
    nFace += GetRValue(clrFace) + GetGValue(clrFace) + GetBValue(clrFace);
  }
  ::ReleaseDC(nullptr, hdc);
  EXPECT_LT(nTitle + 60, nFace);
  theApp.m_pMainWnd = pSavedMain;
}

// In customize mode a button dragged over a popup goes before the item whose upper half it is
// over, after the item whose lower half it is over, and after the last item of a column when it
// is below that column; never into the menu of the button being dragged.
TEST_F(MenuFrame, ADropInAMenuLandsBetweenTheRowsOfItsColumn) {
  CUfxToolbarButton* pEdit = bar.GetButton(1);
  const CPoint ptTitle = pEdit->Rect().CenterPoint();
  ::PostMessageW(bar.GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptTitle.x, ptTitle.y));
  PumpPending();
  ASSERT_STREQ(L"&Edit", OpenTitle());
  CUfxPopupMenuBar* pItems = Popup()->GetMenuBar();
  ASSERT_EQ(5, pItems->GetButtonCount());  // Undo, separator, Cut, Copy, Paste
  const CRect rectUndo = pItems->GetButton(0)->Rect(), rectCopy = pItems->GetButton(3)->Rect(),
              rectPaste = pItems->GetButton(4)->Rect();
  struct Case {
    CPoint pt;
    int iIndex;
    int yMark;  // the row boundary the mark is centred on
  } const cases[] = {
      {CPoint(rectUndo.left + 5, rectUndo.top + 2), 0, rectUndo.top},
      {CPoint(rectCopy.left + 5, rectCopy.bottom - 2), 4, rectCopy.bottom},
      {CPoint(rectPaste.left + 5, rectPaste.top + 2), 4, rectPaste.top},
      {CPoint(rectPaste.left + 5, rectPaste.bottom + 5), 5, rectPaste.bottom},
  };
  for (const Case& c : cases) {
    CRect rectDrag;
    EXPECT_EQ(c.iIndex, pItems->FindDropIndex(c.pt, rectDrag)) << c.pt.x << "," << c.pt.y;
    EXPECT_EQ(c.yMark, rectDrag.CenterPoint().y);
    EXPECT_EQ(6, rectDrag.Height());
    EXPECT_EQ(rectUndo.Width(), rectDrag.Width());
  }
  CRect rectDrag;
  EXPECT_EQ(-1, pItems->FindDropIndex(CPoint(rectUndo.right + 20, rectUndo.top + 2), rectDrag));  // beside the column
  EXPECT_TRUE(rectDrag.IsRectEmpty());

  // The Edit title itself, selected in customize mode, cannot drop into its own menu.
  Popup()->SendMessage(WM_CLOSE);
  PumpPending();
  CUfxToolBar::SetCustomizeMode(TRUE);
  // The release waits in the queue: the press selects the title and its drag ends at once.
  ::PostMessageW(bar.GetSafeHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(ptTitle.x, ptTitle.y));
  ::SendMessageW(bar.GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptTitle.x, ptTitle.y));
  const BOOL bSelected = CUfxToolBar::GetSelectedToolbar() == &bar && bar.GetSelectedButton() == 1;
  CUfxToolbarMenuButton* pEditMenu = DYNAMIC_DOWNCAST(CUfxToolbarMenuButton, pEdit);
  if (pEditMenu->GetPopupMenu() == nullptr) pEditMenu->OpenPopupMenu(&bar);
  PumpPending();
  CUfxPopupMenu* pOwnMenu = pEditMenu->GetPopupMenu();
  const int iRefused = pOwnMenu != nullptr ? pOwnMenu->GetMenuBar()->FindDropIndex(
                                                 CPoint(rectUndo.left + 5, rectUndo.top + 2), rectDrag)
                                           : -2;
  if (pOwnMenu != nullptr) pOwnMenu->SendMessage(WM_CLOSE);
  PumpPending();
  CUfxToolBar::SetCustomizeMode(FALSE);
  ASSERT_TRUE(bSelected);
  ASSERT_NE(nullptr, pOwnMenu);
  EXPECT_EQ(-1, iRefused);
}

// The titles of the menu bar are no toolbar buttons with tips.
TEST_F(MenuFrame, MenuTitlesShowNoTooltip) {
  for (int i = 0; i < bar.GetButtonCount(); ++i) {
    TOOLINFOW ti = {};
    ti.cbSize = sizeof(ti);
    EXPECT_EQ(-1, bar.OnToolHitTest(bar.GetButton(i)->Rect().CenterPoint(), &ti)) << i;
  }
}

// Each animation shows the items only when it has run to its end.
TEST_F(PopupPlacement, AnimationsEndWithTheItemsShown) {
  for (CUfxPopupMenu::ANIMATION_TYPE type : {CUfxPopupMenu::UNFOLD, CUfxPopupMenu::SLIDE, CUfxPopupMenu::FADE}) {
    CUfxPopupMenu::SetAnimationType(type);
    HMENU hMenu = ::CreatePopupMenu();
    for (UINT i = 0; i < 8; ++i) ::AppendMenuW(hMenu, MF_STRING, 41000 + i, L"Item");
    CUfxPopupMenu* pPopup = Open(hMenu, 300, 200);
    ASSERT_NE(nullptr, pPopup);
    EXPECT_FALSE(pPopup->m_bAnimationIsDone) << type;
    EXPECT_FALSE(pPopup->GetMenuBar()->IsWindowVisible()) << type;
    EXPECT_TRUE(PumpUntil([&] { return pPopup->m_bAnimationIsDone != FALSE; }, 3000)) << type;
    EXPECT_TRUE(pPopup->GetMenuBar()->IsWindowVisible()) << type;
    pPopup->DestroyWindow();
    PumpPending();
  }
  CUfxPopupMenu::SetAnimationType(CUfxPopupMenu::NO_ANIMATION);
}

TEST_F(PopupPlacement, AnEmptyPopupIs54By24) {
  CUfxPopupMenu* pPopup = Open(::CreatePopupMenu(), 300, 300);
  ASSERT_NE(nullptr, pPopup);
  CRect rect;
  pPopup->GetWindowRect(rect);
  EXPECT_EQ(CSize(54, 24), rect.Size());
}

TEST_F(PopupPlacement, ALongMenuIsCutToTheWorkAreaAndScrolls) {
  const CRect work = WorkArea(CPoint(100, 100));
  HMENU hMenu = ::CreatePopupMenu();
  for (UINT i = 0; i < 200; ++i) {
    CString str;
    str.Format(L"Item %u", i);
    ::AppendMenuW(hMenu, MF_STRING, 41000 + i, str);
  }
  CUfxPopupMenu* pPopup = Open(hMenu, 300, work.top + 50);
  ASSERT_NE(nullptr, pPopup);
  CRect rect;
  pPopup->GetWindowRect(rect);
  EXPECT_LE(rect.bottom, work.bottom);
  EXPECT_GE(rect.top, work.top);
  EXPECT_TRUE(pPopup->IsScrollable());
  EXPECT_EQ(0, pPopup->GetMenuBar()->GetOffset());
  pPopup->SendMessage(WM_KEYDOWN, VK_END);
  EXPECT_STREQ(L"Item 199", pPopup->GetMenuBar()->GetButton(pPopup->GetMenuBar()->GetHighlighted())->m_strText);
  EXPECT_GT(pPopup->GetMenuBar()->GetOffset(), 0);
  pPopup->SendMessage(WM_KEYDOWN, VK_HOME);
  EXPECT_EQ(0, pPopup->GetMenuBar()->GetOffset());
}

// The bar's pixels as the screen shows them.
std::vector<DWORD> BarPixels(CWnd* pBar) {
  CRect rect;
  pBar->GetClientRect(rect);
  BITMAPINFO bmi = {};
  bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
  bmi.bmiHeader.biWidth = rect.Width();
  bmi.bmiHeader.biHeight = -rect.Height();
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  void* pBits = nullptr;
  HBITMAP hbmp = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
  HDC hdcWnd = ::GetDC(pBar->GetSafeHwnd());
  HDC hdcMem = ::CreateCompatibleDC(hdcWnd);
  HGDIOBJ hOld = ::SelectObject(hdcMem, hbmp);
  ::BitBlt(hdcMem, 0, 0, rect.Width(), rect.Height(), hdcWnd, 0, 0, SRCCOPY);
  ::GdiFlush();
  std::vector<DWORD> pixels((const DWORD*)pBits, (const DWORD*)pBits + (size_t)rect.Width() * rect.Height());
  ::SelectObject(hdcMem, hOld);
  ::DeleteDC(hdcMem);
  ::ReleaseDC(pBar->GetSafeHwnd(), hdcWnd);
  ::DeleteObject(hbmp);
  return pixels;
}

// Key steps scroll a long menu a row at a time, moving the rows on screen and drawing only the
// rows that come into view: in every look the bar then shows what a full repaint shows.
TEST_F(PopupPlacement, ScrollingByKeysShowsWhatAFullRepaintShows) {
  const CRect work = WorkArea(CPoint(100, 100));
  CRuntimeClass* looks[] = {nullptr, RUNTIME_CLASS(CUfxVisualManagerXP), RUNTIME_CLASS(CUfxVisualManager2003),
                            RUNTIME_CLASS(CUfxWinXPVisualManager)};
  for (CRuntimeClass* pLook : looks) {
    CUfxVisualManager::SetDefaultManager(pLook);
    HMENU hMenu = ::CreatePopupMenu();
    for (UINT i = 0; i < 150; ++i) {
      CString str;
      str.Format(L"&Item %u\tCtrl+%u", i, i % 10);
      ::AppendMenuW(hMenu, MF_STRING | (i % 7 == 3 ? MF_GRAYED : 0), 41000 + i, str);
      if (i % 10 == 9) ::AppendMenuW(hMenu, MF_SEPARATOR, 0, nullptr);
    }
    CUfxPopupMenu* pPopup = Open(hMenu, 300, work.top + 50);
    ASSERT_NE(nullptr, pPopup);
    ASSERT_TRUE(pPopup->IsScrollable());
    CUfxPopupMenuBar* pBar = pPopup->GetMenuBar();
    const char* pszLook = pLook != nullptr ? pLook->m_lpszClassName : "base";
    auto expectSameAsFullRepaint = [&](const char* pszWhere) {
      const std::vector<DWORD> stepped = BarPixels(pBar);
      pBar->Invalidate(FALSE);
      pBar->UpdateWindow();
      EXPECT_TRUE(stepped == BarPixels(pBar)) << pszLook << ", " << pszWhere;
    };
    // Down past the last row shown, then up past the first.
    int nScrolls = 0;
    for (int i = 0; i < 120; ++i) {
      const int iOffset = pBar->GetOffset();
      pPopup->SendMessage(WM_KEYDOWN, VK_DOWN);
      pBar->UpdateWindow();
      if (pBar->GetOffset() != iOffset && ++nScrolls == 3) expectSameAsFullRepaint("three rows down");
    }
    EXPECT_GT(nScrolls, 10) << pszLook;
    expectSameAsFullRepaint("down");
    for (int i = 0; i < 120; ++i) {
      pPopup->SendMessage(WM_KEYDOWN, VK_UP);
      pBar->UpdateWindow();
    }
    expectSameAsFullRepaint("up");
    pPopup->DestroyWindow();
    PumpPending();
  }
  CUfxVisualManager::SetDefaultManager(nullptr);
}

// The recent files take the placeholder's place, numbered; one of the current directory by its
// name alone.
TEST_F(PopupPlacement, RecentFilesOfTheCurrentDirectoryShowByTheirNames) {
  wchar_t curDir[MAX_PATH] = L"";
  ::GetCurrentDirectoryW(MAX_PATH, curDir);
  CRecentFileList* pSaved = theApp.m_pRecentFileList;
  CRecentFileList list(0, L"Recent File List", L"File%d", 4);
  list[0] = CString(curDir) + L"\\a.txt";
  list[1] = L"Z:\\elsewhere\\b.txt";
  theApp.m_pRecentFileList = &list;
  HMENU hMenu = ::CreatePopupMenu();
  ::AppendMenuW(hMenu, MF_STRING, 0xE110, L"Recent File");
  ::AppendMenuW(hMenu, MF_STRING, ID_EXIT, L"E&xit");
  CUfxPopupMenu* pPopup = Open(hMenu, 300, 300);
  theApp.m_pRecentFileList = pSaved;
  ASSERT_NE(nullptr, pPopup);
  CUfxPopupMenuBar* pBar = pPopup->GetMenuBar();
  ASSERT_EQ(3, pBar->GetButtonCount());
  EXPECT_STREQ(L"&1 a.txt", pBar->GetButton(0)->m_strText);
  EXPECT_STREQ(L"&2 Z:\\elsewhere\\b.txt", pBar->GetButton(1)->m_strText);
}

TEST_F(PopupPlacement, TheRecentFilePlaceholderGoesWithItsSeparatorWhenTheListIsEmpty) {
  CRecentFileList* pSaved = theApp.m_pRecentFileList;
  CRecentFileList list(0, L"Recent File List", L"File%d", 4);
  theApp.m_pRecentFileList = &list;
  HMENU hMenu = ::CreatePopupMenu();
  ::AppendMenuW(hMenu, MF_STRING, ID_NEW, L"&New");
  ::AppendMenuW(hMenu, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuW(hMenu, MF_STRING, 0xE110, L"Recent File");
  ::AppendMenuW(hMenu, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuW(hMenu, MF_STRING, ID_EXIT, L"E&xit");
  CUfxPopupMenu* pPopup = Open(hMenu, 300, 300);
  theApp.m_pRecentFileList = pSaved;
  ASSERT_NE(nullptr, pPopup);
  CUfxPopupMenuBar* pBar = pPopup->GetMenuBar();
  ASSERT_EQ(3, pBar->GetButtonCount());
  EXPECT_EQ((UINT)ID_NEW, pBar->GetButton(0)->m_nID);
  EXPECT_TRUE(pBar->GetButton(1)->m_nStyle & TBBS_SEPARATOR);
  EXPECT_EQ((UINT)ID_EXIT, pBar->GetButton(2)->m_nID);
}

// The pointer rests on a submenu item: the submenu opens after the system's delay, not before.
TEST_F(MenuFrame, MenuShowDelayOpensASubmenuAfterItAndNotBefore) {
  HKEY hKey = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_ALL_ACCESS,
                                             nullptr, &hKey, nullptr));
  WCHAR szOld[64] = L"";
  DWORD cbOld = sizeof(szOld);
  const bool bHadOld = ::RegQueryValueExW(hKey, L"MenuShowDelay", nullptr, nullptr, (LPBYTE)szOld, &cbOld) == ERROR_SUCCESS;
  ::RegSetValueExW(hKey, L"MenuShowDelay", 0, REG_SZ, (const BYTE*)L"100", 8);
  CUfxPopupMenuBar::ResetMenuShowDelay();

  HMENU hSub = ::CreatePopupMenu();
  ::AppendMenuW(hSub, MF_STRING, ID_RECENT_ONE, L"One");
  HMENU hMenu = ::CreatePopupMenu();
  ::AppendMenuW(hMenu, MF_STRING, ID_NEW, L"&New");
  ::AppendMenuW(hMenu, MF_POPUP, (UINT_PTR)hSub, L"&Recent");
  CUfxPopupMenu* pPopup = new CUfxPopupMenu;
  ASSERT_TRUE(pPopup->Create(frame, 300, 300, hMenu, FALSE, TRUE));
  PumpPending();
  EXPECT_EQ(100, CUfxPopupMenuBar::GetMenuShowDelay());
  CUfxPopupMenuBar* pBar = pPopup->GetMenuBar();
  CUfxToolbarMenuButton* pRecent = DYNAMIC_DOWNCAST(CUfxToolbarMenuButton, pBar->GetButton(1));
  ASSERT_NE(nullptr, pRecent);
  CPoint pt = pRecent->Rect().CenterPoint();
  pBar->ClientToScreen(&pt);
  // The first move after the menu opened is not taken; the second one highlights the item, and its
  // submenu opens when the delay's timer ticks, not with the move.
  QueueWatch queue;
  auto movesTo = [&](CPoint target) {
    return queue.Count([&](const MSG& msg) { return msg.message == WM_MOUSEMOVE && CPoint(msg.pt) == target; });
  };
  MoveMouseTo(pt);
  ASSERT_TRUE(PumpUntil([&] { return movesTo(pt) > 0; }));
  const CPoint rest = pt + CPoint(1, 0);
  MoveMouseTo(rest);
  ASSERT_TRUE(PumpUntil([&] { return movesTo(rest) > 0 && pBar->GetHighlighted() == 1; }));
  EXPECT_TRUE(PumpUntil([&] { return pRecent->IsDroppedDown() != FALSE; }));
  bool bMoved = false;
  const int ticksAfterMove = queue.Count([&](const MSG& msg) {
    bMoved = bMoved || (msg.message == WM_MOUSEMOVE && CPoint(msg.pt) == rest);
    return bMoved && msg.message == WM_TIMER && msg.hwnd == pBar->GetSafeHwnd();
  });
  EXPECT_GT(ticksAfterMove, 0) << "opened with the move, not by the delay's timer";

  ::SetCursorPos(0, 0);
  if (bHadOld) ::RegSetValueExW(hKey, L"MenuShowDelay", 0, REG_SZ, (const BYTE*)szOld, cbOld);
  ::RegCloseKey(hKey);
  CUfxPopupMenuBar::ResetMenuShowDelay();
}

// Fading needs more than 256 colours: a popup made on a palette screen switches it off.
TEST(MenuAnimation, FadeBecomesNoneAtEightBitsPerPixel) {
  const int nSavedBits = UfxGlobalData.m_nBitsPerPixel;
  const struct { int bits; CUfxPopupMenu::ANIMATION_TYPE expected; } cases[] = {
      {32, CUfxPopupMenu::FADE}, {8, CUfxPopupMenu::NO_ANIMATION}};
  for (const auto& c : cases) {
    UfxGlobalData.m_nBitsPerPixel = c.bits;
    CUfxPopupMenu::SetAnimationType(CUfxPopupMenu::FADE);
    CUfxPopupMenu popup;
    EXPECT_EQ(c.expected, CUfxPopupMenu::GetAnimationType()) << c.bits;
  }
  UfxGlobalData.m_nBitsPerPixel = nSavedBits;
  CUfxPopupMenu::SetAnimationType(CUfxPopupMenu::NO_ANIMATION);
}

TEST(MenuShowDelay, TextsDecodeWithinTheirBounds) {
  const struct { const wchar_t* text; int expected; } cases[] = {
      {L"400", 400}, {L"9000", 5000}, {L"5000", 5000}, {L"0", 1}, {L"-20", 1}, {L"abc", 500}, {L"", 500}, {L"12x", 500}};
  for (const auto& c : cases) EXPECT_EQ(c.expected, CUfxPopupMenuBar::ParseMenuShowDelay(c.text)) << c.text;
  EXPECT_EQ(500, CUfxPopupMenuBar::ParseMenuShowDelay(nullptr));
}

TEST_F(MenuFrame, StateSavesUnderTheBarsKeyAndLoadsBack) {
  const CString strSection = L"Software\\Ferrow Software\\MenuTests\\Workspace\\";
  ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Ferrow Software\\MenuTests");
  // A customized title: Help goes.
  bar.RemoveButton(2);
  ASSERT_TRUE(bar.SaveState(strSection));
  HKEY hKey = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExW(HKEY_CURRENT_USER, strSection + L"UfxToolBar-59398", 0, KEY_READ, &hKey));
  ::RegCloseKey(hKey);
  bar.CreateFromMenu(bar.GetHMenu(), FALSE, TRUE);
  UfxMenuBarStore.CleanUp();
  EXPECT_TRUE(bar.LoadState(strSection));
  ASSERT_EQ(2, bar.GetButtonCount());
  EXPECT_STREQ(L"&Edit", bar.GetButton(1)->m_strText);
  EXPECT_TRUE(frame->resets.empty());

  // Damaged data: the bar is built from the menu again and the frame is told.
  bar.SetDefaultMenuResId(321);
  const struct {
    const char* name;
    std::vector<BYTE> bytes;
  } damaged[] = {{"garbage", {0x05, 0x00, 0xFF, 0xFF, 0x07}},
                 {"one title twice", damaged_data::BarWithOneButtonTwice()},
                 {"one menu item twice", damaged_data::BarWithOneMenuItemTwice()}};
  for (const auto& c : damaged) {
    frame->resets.clear();
    ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExW(HKEY_CURRENT_USER, strSection + L"UfxToolBar-59398", 0, KEY_WRITE, &hKey));
    ::RegSetValueExW(hKey, L"Buttons", 0, REG_BINARY, c.bytes.data(), (DWORD)c.bytes.size());
    ::RegCloseKey(hKey);
    EXPECT_FALSE(bar.LoadState(strSection)) << c.name;
    EXPECT_EQ(3, bar.GetButtonCount()) << c.name;
    EXPECT_EQ(std::vector<WPARAM>({321}), frame->resets) << c.name;
  }
  ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Ferrow Software\\MenuTests");
}

// A reset builds the default menu again from its resource, whatever was customized.
TEST_F(MenuFrame, RestoreOriginalStateShowsTheMenuResourceAgain) {
  bar.SetDefaultMenuResId(300);  // the test program's menu: &Worksheet, &View
  bar.RemoveButton(1);
  ASSERT_EQ(2, bar.GetButtonCount());
  ASSERT_TRUE(bar.RestoreOriginalState());
  ASSERT_EQ(2, bar.GetButtonCount());
  EXPECT_STREQ(L"&Worksheet", bar.GetButton(0)->m_strText);
  EXPECT_STREQ(L"&View", bar.GetButton(1)->m_strText);
  EXPECT_EQ(bar.GetDefaultMenu(), bar.GetHMenu());
}

TEST_F(MenuFrame, RarelyUsedItemsAreHiddenUntilCtrlDown) {
  UfxCommandUsage.Reset();
  CUfxToolBar::AddCoreCommand(ID_NEW);
  CUfxToolBar::AddCoreCommand(ID_EXIT);
  EnterMenuBar();
  Key('F');
  CUfxPopupMenu* pPopup = Popup();
  ASSERT_NE(nullptr, pPopup);
  CUfxPopupMenuBar* pItems = pPopup->GetMenuBar();
  EXPECT_LT(pItems->CommandToIndex(ID_OPEN), 0);
  EXPECT_FALSE(pItems->AreAllCommandsShown());
  EXPECT_TRUE(pItems->GetButton(pItems->GetButtonCount() - 1)->IsKindOf(RUNTIME_CLASS(CUfxShowAllButton)));
  EXPECT_EQ((UINT)ID_OPEN, pItems->GetHiddenMnemonicCommand(L'o')) << pItems->GetButtonCount();

  BYTE keys[256] = {};
  ::GetKeyboardState(keys);
  keys[VK_CONTROL] = 0x80;
  ::SetKeyboardState(keys);
  pPopup->SendMessage(WM_KEYDOWN, VK_DOWN);
  keys[VK_CONTROL] = 0;
  ::SetKeyboardState(keys);
  EXPECT_GE(pItems->CommandToIndex(ID_OPEN), 0);
  EXPECT_TRUE(pItems->AreAllCommandsShown());
  CUfxToolBar::SetCoreCommands(CList<UINT, UINT>());
}

TEST_F(MenuFrame, AHiddenItemsMnemonicRunsItWithoutShowingIt) {
  UfxCommandUsage.Reset();
  CUfxToolBar::AddCoreCommand(ID_NEW);
  EnterMenuBar();
  Key('F');
  ASSERT_NE(nullptr, Popup());
  ASSERT_LT(Popup()->GetMenuBar()->CommandToIndex(ID_OPEN), 0);
  Key('O');
  PumpPending();
  EXPECT_EQ(std::vector<UINT>({ID_OPEN}), frame->commands);
  CUfxToolBar::SetCoreCommands(CList<UINT, UINT>());
}

TEST_F(MenuFrame, AltKeyDownClosesTheMenuOfADialogHelper) {
  CUfxDialogMenuHelper helper(frame);
  EnterMenuBar();
  Key('E');
  CUfxPopupMenu* pPopup = Popup();
  ASSERT_NE(nullptr, pPopup);
  helper.SetActiveMenu(pPopup);
  EXPECT_TRUE(CUfxDialogMenuHelper::IsHookInstalled());
  MSG msg = {frame->GetSafeHwnd(), WM_SYSKEYDOWN, VK_MENU, 0};
  EXPECT_TRUE(helper.ProcessMessage(&msg));
  PumpPending();
  EXPECT_STREQ(L"<closed>", OpenTitle());
  helper.SetActiveMenu(nullptr);
  EXPECT_FALSE(CUfxDialogMenuHelper::IsHookInstalled());
  // Without a popup the key is the owner's.
  EXPECT_FALSE(helper.ProcessMessage(&msg));
}

// A user tool that counts its runs instead of starting a program.
class CCountingTool : public CUfxUserTool {
  DECLARE_DYNCREATE(CCountingTool)
public:
  static int s_nRuns;
  BOOL Invoke() override {
    ++s_nRuns;
    return TRUE;
  }
};
IMPLEMENT_DYNCREATE(CCountingTool, CUfxUserTool)
int CCountingTool::s_nRuns = 0;

TEST_F(MenuFrame, AnAcceleratorOfAUserToolRunsItOnlyWithoutAnOpenMenu) {
  CUfxUserToolsManager tools(45000, 45001, 45010, RUNTIME_CLASS(CCountingTool));
  UfxUserToolsManager = &tools;
  CUfxUserTool* pTool = tools.CreateNewTool();
  ASSERT_NE(nullptr, pTool);
  CCountingTool::s_nRuns = 0;
  CUfxDialogMenuHelper helper(frame);
  EXPECT_TRUE(helper.OnCommand(MAKEWPARAM(pTool->GetCommandId(), 1)));
  EXPECT_EQ(1, CCountingTool::s_nRuns);
  EXPECT_FALSE(helper.OnCommand(MAKEWPARAM(pTool->GetCommandId(), 0)));  // not from an accelerator
  // With a menu open the accelerator closes the menu instead.
  EnterMenuBar();
  Key('E');
  ASSERT_NE(nullptr, Popup());
  helper.SetActiveMenu(Popup());
  EXPECT_TRUE(helper.OnCommand(MAKEWPARAM(pTool->GetCommandId(), 1)));
  PumpPending();
  EXPECT_EQ(1, CCountingTool::s_nRuns);
  EXPECT_STREQ(L"<closed>", OpenTitle());
  helper.SetActiveMenu(nullptr);
  UfxUserToolsManager = nullptr;
}

// The buttons of a maximized child, on the platform's MDI frame.
TEST(MdiMenuButtons, AGrayedCloseItemGivesADisabledCloseButton) {
  CMDIFrameWnd* pFrame = new CMDIFrameWnd;
  ASSERT_TRUE(pFrame->Create(nullptr, L"MDI", WS_OVERLAPPEDWINDOW, CRect(100, 100, 700, 500)));
  ASSERT_TRUE(pFrame->CreateClient(nullptr, nullptr));
  CMDIChildWnd* pChild = new CMDIChildWnd;
  ASSERT_TRUE(pChild->Create(nullptr, L"Child", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CRect(0, 0, 200, 150), pFrame));
  CUfxMenuBar bar;
  ASSERT_TRUE(bar.Create(pFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_MENUBAR));
  bar.CreateFromMenu(MakeMainMenu(), TRUE);
  const int nTitles = bar.GetButtonCount();

  struct Case { BOOL bGrayed; };
  for (const Case c : {Case{FALSE}, Case{TRUE}}) {
    HMENU hSys = ::GetSystemMenu(pChild->GetSafeHwnd(), FALSE);
    ASSERT_NE(nullptr, hSys);
    ::EnableMenuItem(hSys, SC_CLOSE, MF_BYCOMMAND | (c.bGrayed ? MF_GRAYED : MF_ENABLED));
    bar.SetMaximizeMode(TRUE, pChild);
    ASSERT_EQ(nTitles + 4, bar.GetButtonCount());
    EXPECT_TRUE(bar.GetButton(0)->IsKindOf(RUNTIME_CLASS(CUfxToolbarSystemMenuButton)));
    const UINT commands[] = {SC_MINIMIZE, SC_RESTORE, SC_CLOSE};
    for (int i = 0; i < 3; ++i) {
      CUfxToolbarMenuButtonsButton* p = DYNAMIC_DOWNCAST(CUfxToolbarMenuButtonsButton, bar.GetButton(nTitles + 1 + i));
      ASSERT_NE(nullptr, p);
      EXPECT_EQ(commands[i], p->m_uiSystemCommand);
      EXPECT_FALSE(p->CanBeStored());
    }
    EXPECT_EQ(c.bGrayed, (bar.GetButton(nTitles + 3)->m_nStyle & TBBS_DISABLED) != 0);
    EXPECT_FALSE(bar.GetButton(0)->CanBeStored());
    bar.SetMaximizeMode(FALSE);
    EXPECT_EQ(nTitles, bar.GetButtonCount());
  }
  // A double click on the icon closes the child only while its Close item is enabled.
  bar.SetMaximizeMode(TRUE, pChild);
  HWND hChild = pChild->GetSafeHwnd();
  bar.GetButton(0)->OnDblClick(&bar);
  PumpPending();
  EXPECT_TRUE(::IsWindow(hChild));
  bar.SetMaximizeMode(FALSE);
  bar.DestroyWindow();
  pFrame->DestroyWindow();
  PumpPending();
  UfxMenuBarStore.CleanUp();
}

}  // namespace
