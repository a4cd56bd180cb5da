// A whole framework frame in each of the four looks chosen at run time: a menu bar, a toolbar with
// a checked, a hot and a pushed button, a separator and the customize button, a status bar, a
// sizing bar holding a tab window, and the Edit menu open with its first item highlighted. The
// pixels at named points carry the colours each look must give, and a picture of each look is
// left in screenshots/frame_<style>.png.
#include "FrameworkPump.h"
#include "FrameLooksKit.h"
#include "GlyphFinder.h"
#include "LooksTestKit.h"
#include "frames/UfxCommandManager.h"
#include "bars/UfxCustomizeButton.h"
#include "frames/UfxFrameWnd.h"
#include "frames/UfxGlobalData.h"
#include "bars/UfxMenuBar.h"
#include "bars/UfxMenuBarStore.h"
#include "bars/UfxPopupMenu.h"
#include "bars/UfxPopupMenuBar.h"
#include "frames/UfxSizingControlBar.h"
#include "frames/UfxStatusBar.h"
#include "frames/UfxTabWnd.h"
#include "bars/UfxToolBar.h"
#include "looks/UfxVisualManager2003.h"
#include "looks/UfxVisualManagerXP.h"
#include "looks/UfxWinXPVisualManager.h"
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

CWinApp theApp(L"LooksFrameTest");

using namespace looks_frame;

const UINT kSizingBarId = 0xE810;

// Each channel of c lies between those of a and b, give or take 2.
bool Between(COLORREF c, COLORREF a, COLORREF b) {
  auto in = [](int v, int x, int y) { return v >= std::min(x, y) - 2 && v <= std::max(x, y) + 2; };
  return in(GetRValue(c), GetRValue(a), GetRValue(b)) && in(GetGValue(c), GetGValue(a), GetGValue(b)) &&
         in(GetBValue(c), GetBValue(a), GetBValue(b));
}

LPARAM PointParam(CPoint pt) { return MAKELPARAM(pt.x, pt.y); }

// The four styles the program offers, in their order.
struct Style {
  const char* name;
  CRuntimeClass* look;
};
const Style kStyles[] = {{"VsSimple", RUNTIME_CLASS(CUfxVisualManager)},
                         {"VsWinXP", RUNTIME_CLASS(CUfxWinXPVisualManager)},
                         {"VsOfficeXP", RUNTIME_CLASS(CUfxVisualManagerXP)},
                         {"VsOffice2003", RUNTIME_CLASS(CUfxVisualManager2003)}};

class FrameLooks : public LooksTest {
protected:
  void SetUp() override {
    LooksTest::SetUp();
    // The menu glyphs come from the resource library, as in the program.
    glyphs = std::make_unique<CMenuGlyphResources>();
    ASSERT_TRUE(glyphs->IsLoaded());
    ASSERT_EQ(RGB(245, 245, 245), ::GetSysColor(COLOR_BTNFACE));
    ASSERT_EQ(RGB(48, 150, 250), ::GetSysColor(COLOR_HIGHLIGHT));
    CUfxPopupMenu::SetAnimationType(CUfxPopupMenu::NO_ANIMATION);
    CUfxPopupMenu::EnableMenuShadows(FALSE);
    ::SetCursorPos(5, 1000);
    frame = new CEnabledFrame;
    ASSERT_TRUE(frame->Create(nullptr, L"Looks", WS_POPUP | WS_BORDER | WS_CLIPCHILDREN, CRect(60, 60, 660, 460)));
    frame->EnableDocking(CBRS_ALIGN_ANY);
    theApp.m_pMainWnd = frame;
    ASSERT_TRUE(menuBar.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_MENUBAR));
    menuBar.CreateFromMenu(MakeEditHelpMenu(), TRUE);
    ASSERT_TRUE(toolBar.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE801));
    const UINT ids[] = {ID_ONE, ID_TWO, 0, ID_THREE, ID_FOUR};
    ASSERT_TRUE(toolBar.SetButtons(ids, 5));
    toolBar.SetCustomizeButton(new CCustomizeButton(0, L""));
    for (CControlBar* pBar : {(CControlBar*)&menuBar, (CControlBar*)&toolBar}) {
      pBar->EnableDocking(CBRS_ALIGN_ANY);
      frame->DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP);
    }
    ASSERT_TRUE(statusBar.Create(frame, 0x50008200, AFX_IDW_STATUS_BAR));
    const UINT panes[] = {0, 0};
    statusBar.SetIndicators(panes, 2);
    statusBar.SetPaneStyle(1, 0);
    statusBar.SetPaneWidth(1, 80);
    sizingBar = new CUfxSizingControlBar;
    sizingBar->m_bAutoDelete = TRUE;
    ASSERT_TRUE(sizingBar->Create(L"pane", frame, CSize(180, 200), TRUE, kSizingBarId, WS_CHILD | WS_VISIBLE | CBRS_LEFT));
    sizingBar->EnableDocking(CBRS_ALIGN_ANY);
    frame->DockControlBar(sizingBar, AFX_IDW_DOCKBAR_LEFT);
    ASSERT_TRUE(tabs.Create(CUfxTabWnd::STYLE_3D_SCROLLED, CRect(0, 0, 150, 150), sizingBar, 1));
    for (LPCWSTR label : {L"One", L"Two"}) {
      pages.push_back(std::make_unique<CWnd>());
      ASSERT_TRUE(pages.back()->CreateEx(0, L"STATIC", label, WS_CHILD, CRect(0, 0, 10, 10), &tabs, 0));
      tabs.AddTab(pages.back().get(), label);
    }
    frame->ShowWindow(SW_SHOWNOACTIVATE);
    Layout();
  }
  void TearDown() override {
    CloseMenu();
    if (frame != nullptr && ::IsWindow(frame->m_hWnd)) frame->DestroyWindow();
    theApp.m_pMainWnd = nullptr;
    PumpPending();
    UfxMenuBarStore.CleanUp();
    UfxGetCommandManager()->CleanUp();
    CUfxPopupMenu::EnableMenuShadows(TRUE);
    glyphs.reset();
    LooksTest::TearDown();
  }
  void Layout() {
    PumpPending();
    frame->RecalcLayout();
    CRect rect;
    sizingBar->GetClientRect(rect);
    tabs.MoveWindow(rect);
    frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    PumpPending();
  }
  CUfxVisualManager* Use(CRuntimeClass* look) {
    CUfxVisualManager::SetDefaultManager(look);
    CUfxVisualManager* manager = CUfxVisualManager::GetInstance();
    Layout();
    return manager;
  }
  CRect ButtonOnScreen(int i) {
    CRect rect;
    toolBar.GetButtonRect(i, rect);
    toolBar.ClientToScreen(&rect);
    return rect;
  }
  void OpenEditMenu() {
    menuBar.SetFocus();
    PumpPending();
    ::PostMessageW(::GetFocus(), WM_KEYDOWN, 'E', 1);
    PumpPending();
    popup = CUfxPopupMenu::GetActiveMenu();
    if (popup != nullptr) popup->UpdateWindow();
    PumpPending();
  }
  void CloseMenu() {
    if (CUfxPopupMenu* p = CUfxPopupMenu::GetActiveMenu())
      if (::IsWindow(p->GetSafeHwnd())) p->GetTopLevelPopup()->DestroyWindow();
    popup = nullptr;
    PumpPending();
  }
  void Screenshot(const std::string& name) { EXPECT_TRUE(SaveScreenOver(frame, name)); }


  std::unique_ptr<CMenuGlyphResources> glyphs;
  CEnabledFrame* frame = nullptr;
  CUfxMenuBar menuBar;
  CUfxToolBar toolBar;
  CUfxStatusBar statusBar;
  CUfxSizingControlBar* sizingBar = nullptr;
  CUfxTabWnd tabs;
  std::vector<std::unique_ptr<CWnd>> pages;
  CUfxPopupMenu* popup = nullptr;
};

// What a look must show, from its own colours. -1: the theme draws it, no fixed colour.
struct Expected {
  COLORREF hotInside, hotEdge, checkedInside, pushedInside, menuItem, paneEdge;
};

Expected ExpectedOf(CUfxVisualManager* m) {
  const UFX_GLOBAL_DATA& g = UfxGlobalData;
  const COLORREF none = (COLORREF)-1;
  if (m->IsKindOf(RUNTIME_CLASS(CUfxWinXPVisualManager)))
    return {none, none, none, none, ::GetSysColor(COLOR_HIGHLIGHT), none};
  if (m->IsKindOf(RUNTIME_CLASS(CUfxVisualManagerXP))) {
    const UFX_XP_COLORS& c = static_cast<CUfxVisualManagerXP*>(m)->GetColors();
    return {c.clrHighlight, c.clrHighlightFrame, c.clrHighlightChecked, c.clrHighlightDn, c.clrHighlight, c.clrPaneBorder};
  }
  return {none, g.clrBarHilite, none, none, ::GetSysColor(COLOR_HIGHLIGHT), g.clrBarShadow};
}

TEST_F(FrameLooks, EachStyleGivesItsColoursThroughTheRealBars) {
  for (const Style& style : kStyles) {
    CUfxVisualManager* manager = Use(style.look);
    const Expected e = ExpectedOf(manager);
    const COLORREF none = (COLORREF)-1;
    // The toolbar: button 0 checked, button 1 hot, button 3 pushed (the mouse held down on it).
    toolBar.SetButtonStyle(0, toolBar.GetButtonStyle(0) | TBBS_CHECKED);
    CRect rect;
    toolBar.GetButtonRect(1, rect);
    ::PostMessageW(toolBar.GetSafeHwnd(), WM_MOUSEMOVE, 0, PointParam(rect.CenterPoint()));
    PumpPending();
    toolBar.UpdateWindow();
    const CRect checked = ButtonOnScreen(0), hot = ButtonOnScreen(1), pushed = ButtonOnScreen(3);
    const COLORREF clrChecked = ScreenPixel(checked.CenterPoint()), clrHot = ScreenPixel(hot.CenterPoint());
    const COLORREF clrHotEdge = ScreenPixel(hot.TopLeft());
    Screenshot(std::string("frame_") + style.name + "_hot.png");
    toolBar.GetButtonRect(3, rect);
    ::PostMessageW(toolBar.GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, PointParam(rect.CenterPoint()));
    PumpPending();
    toolBar.UpdateWindow();
    const COLORREF clrPushed = ScreenPixel(pushed.CenterPoint());
    ::PostMessageW(toolBar.GetSafeHwnd(), WM_LBUTTONUP, 0, PointParam(CPoint(-50, -50)));
    ::PostMessageW(toolBar.GetSafeHwnd(), WM_MOUSEMOVE, 0, PointParam(CPoint(-50, -50)));
    PumpPending();
    if (e.hotInside != none) EXPECT_EQ(ColorText(e.hotInside), ColorText(clrHot)) << style.name;
    if (e.hotEdge != none) EXPECT_EQ(ColorText(e.hotEdge), ColorText(clrHotEdge)) << style.name;
    if (e.checkedInside != none) EXPECT_EQ(ColorText(e.checkedInside), ColorText(clrChecked)) << style.name;
    if (e.pushedInside != none) EXPECT_EQ(ColorText(e.pushedInside), ColorText(clrPushed)) << style.name;

    // The toolbar's face beside its buttons: the bar face, the flat toolbar colour, or within the
    // gradient look's toolbar gradient.
    const COLORREF clrFace = ScreenPixel(CPoint(pushed.right + 1, pushed.CenterPoint().y));
    if (auto* g = dynamic_cast<CUfxVisualManager2003*>(manager))
      EXPECT_TRUE(Between(clrFace, g->GetSchemeColors().clrToolBarGradientLight, g->GetSchemeColors().clrToolBarGradientDark))
          << style.name << " " << ColorText(clrFace);
    else if (auto* x = dynamic_cast<CUfxVisualManagerXP*>(manager))
      EXPECT_EQ(ColorText(x->GetColors().clrToolBar), ColorText(clrFace)) << style.name;
    else
      EXPECT_EQ(ColorText(UfxGlobalData.clrBarFace), ColorText(clrFace)) << style.name;

    // The menu bar's face right of its last button, and the status bar's face above its panes:
    // the bar face, the gradient look's menu bar gradient and button face.
    CRect rectMenuBar, rectStatus;
    menuBar.GetWindowRect(rectMenuBar);
    statusBar.GetWindowRect(rectStatus);
    const COLORREF clrMenuBarFace = ScreenPixel(CPoint(rectMenuBar.right - 40, rectMenuBar.CenterPoint().y));
    const COLORREF clrStatusFace = ScreenPixel(CPoint(rectStatus.CenterPoint().x, rectStatus.top + 1));
    if (auto* g = dynamic_cast<CUfxVisualManager2003*>(manager)) {
      EXPECT_TRUE(Between(clrMenuBarFace, g->GetSchemeColors().clrMenuBarGradientLight,
                          g->GetSchemeColors().clrMenuBarGradientDark))
          << style.name << " " << ColorText(clrMenuBarFace);
      EXPECT_EQ(ColorText(UfxGlobalData.clrBtnFace), ColorText(clrStatusFace)) << style.name;
    } else {
      EXPECT_EQ(ColorText(UfxGlobalData.clrBarFace), ColorText(clrMenuBarFace)) << style.name;
      EXPECT_EQ(ColorText(UfxGlobalData.clrBarFace), ColorText(clrStatusFace)) << style.name;
    }

    // The status bar's second pane: its frame.
    CRect pane;
    statusBar.GetItemRect(1, pane);
    statusBar.ClientToScreen(&pane);
    if (e.paneEdge != none) EXPECT_EQ(ColorText(e.paneEdge), ColorText(ScreenPixel(pane.TopLeft()))) << style.name;

    // The sizing bar's caption shows its close glyph.
    CRect rectSizing;
    sizingBar->GetWindowRect(rectSizing);
    CTestCanvas caption(rectSizing.Width(), 40);
    {
      CWindowDC dc(sizingBar);
      caption.CopyFrom(dc.GetSafeHdc(), 0, 0);
    }
    EXPECT_NE(CPoint(-1, -1), FindGlyph(caption, 20)) << style.name;

    // The Edit menu open, its first item highlighted.
    OpenEditMenu();
    ASSERT_NE(nullptr, popup) << style.name;
    Screenshot(std::string("frame_") + style.name + ".png");
    CUfxPopupMenuBar* pItems = popup->GetMenuBar();
    CRect item = pItems->GetButton(0)->Rect();
    pItems->ClientToScreen(&item);
    EXPECT_EQ(ColorText(e.menuItem), ColorText(ScreenPixel(CPoint(item.right - 4, item.CenterPoint().y)))) << style.name;
    // The flat looks' menus: a pale background with a darker image column at the left.
    if (auto* x = dynamic_cast<CUfxVisualManagerXP*>(manager); x != nullptr && dynamic_cast<CUfxWinXPVisualManager*>(manager) == nullptr) {
      CRect items;
      pItems->GetWindowRect(items);
      const CPoint ptColumn(items.left + 2, items.bottom - 2), ptMenu(items.right - 4, items.bottom - 2);
      EXPECT_EQ(ColorText(x->GetColors().clrMenuLight), ColorText(ScreenPixel(ptMenu))) << style.name;
      if (auto* g = dynamic_cast<CUfxVisualManager2003*>(manager))
        EXPECT_TRUE(Between(ScreenPixel(ptColumn), g->GetSchemeColors().clrToolBarGradientLight,
                            g->GetSchemeColors().clrToolBarGradientDark)) << style.name;
      else
        EXPECT_EQ(ColorText(x->GetColors().clrToolBar), ColorText(ScreenPixel(ptColumn))) << style.name;
    }
    CloseMenu();
    toolBar.SetButtonStyle(0, toolBar.GetButtonStyle(0) & ~TBBS_CHECKED);
  }
}

}  // namespace

namespace {

// The gradient look paints a docked toolbar's border as part of the bar: the dock bar's gradient
// shows at the outermost corners, the bar has its bottom line and rounded corners, and the
// customize button's gradient runs at its end, out to the window's edge.
TEST_F(FrameLooks, GradientLookDrawsTheDockedToolBarWithItsCustomizeButton) {
  toolBar.GetCustomizeButton()->m_iCustomizeCmdId = ID_ABOUT;
  toolBar.AdjustLayout();
  auto* look = static_cast<CUfxVisualManager2003*>(Use(RUNTIME_CLASS(CUfxVisualManager2003)));
  const UFX_2003_COLORS& s = look->GetSchemeColors();
  Screenshot("frame_VsOffice2003_toolbar.png");

  CRect bar;
  toolBar.GetWindowRect(bar);
  CRect custom = toolBar.GetCustomizeButton()->Rect();
  ASSERT_FALSE(custom.IsRectEmpty());
  toolBar.ClientToScreen(&custom);
  const int mid = bar.CenterPoint().y;

  EXPECT_EQ(ColorText(s.clrToolBarBottomLine), ColorText(ScreenPixel(CPoint(bar.left + 12, bar.bottom - 1))));
  EXPECT_EQ(ColorText(s.colorToolBarCornerTop), ColorText(ScreenPixel(CPoint(bar.left + 1, bar.top))));
  EXPECT_EQ(ColorText(s.colorToolBarCornerTop), ColorText(ScreenPixel(CPoint(bar.left, bar.top + 1))));
  EXPECT_EQ(ColorText(s.colorToolBarCornerBottom), ColorText(ScreenPixel(CPoint(bar.left + 1, bar.bottom - 2))));
  const COLORREF clrDock = ScreenPixel(bar.TopLeft());
  EXPECT_TRUE(Between(clrDock, s.clrMenuBarGradientLight, s.clrMenuBarGradientDark)) << ColorText(clrDock);

  // The customize button: its gradient inside the bar and past the client edge to the window's right edge.
  for (const CPoint pt : {CPoint(custom.CenterPoint().x, custom.top + 4), CPoint(bar.right - 2, mid)}) {
    const COLORREF clr = ScreenPixel(pt);
    EXPECT_TRUE(Between(clr, s.clrCustomizeButtonGradientLight, s.clrCustomizeButtonGradientDark))
        << pt.x - bar.left << "," << pt.y - bar.top << " " << ColorText(clr);
    EXPECT_FALSE(Between(clr, s.clrToolBarGradientLight, s.clrToolBarGradientDark)) << ColorText(clr);
  }
  // Hot, it takes the highlight gradient over the same reach.
  ::PostMessageW(toolBar.GetSafeHwnd(), WM_MOUSEMOVE, 0, PointParam(toolBar.GetCustomizeButton()->Rect().CenterPoint()));
  PumpPending();
  toolBar.UpdateWindow();
  PumpPending();
  const COLORREF clrHot = ScreenPixel(CPoint(bar.right - 2, mid));
  EXPECT_TRUE(Between(clrHot, s.clrHighlightGradientLight, s.clrHighlightGradientDark)) << ColorText(clrHot);
  Screenshot("frame_VsOffice2003_toolbar_hot.png");
  ::PostMessageW(toolBar.GetSafeHwnd(), WM_MOUSEMOVE, 0, PointParam(CPoint(-50, -50)));
  PumpPending();
}

}  // namespace
