// A real frame with a menu bar and its Edit menu open, in each look: the flat and gradient looks
// open the menu's border where it touches its button and frame the button in the menu's border
// colour; the base look, and the themed look with themed menus, keep both borders closed. The
// first item is highlighted in the look's colour. A picture of each is left in screenshots/.
#include "FrameLooksKit.h"
#include "FrameworkPump.h"
#include "LooksTestKit.h"
#include "frames/UfxCommandManager.h"
#include "frames/UfxFrameWnd.h"
#include "frames/UfxGlobalData.h"
#include "bars/UfxMenuBar.h"
#include "bars/UfxMenuBarStore.h"
#include "bars/UfxPopupMenu.h"
#include "bars/UfxPopupMenuBar.h"
#include "bars/UfxToolbarMenuButton.h"
#include "looks/UfxVisualManager2003.h"
#include "looks/UfxVisualManagerXP.h"
#include "looks/UfxWinXPVisualManager.h"
#include <functional>
#include <string>

namespace {

CWinApp theApp(L"LooksMenuJoinTest");

using namespace looks_frame;

class MenuJoin : public LooksTest {
protected:
  void SetUp() override {
    LooksTest::SetUp();
    CUfxPopupMenu::SetAnimationType(CUfxPopupMenu::NO_ANIMATION);
    CUfxPopupMenu::EnableMenuShadows(FALSE);
    ::SetCursorPos(0, 0);
  }
  void TearDown() override {
    Close();
    CUfxPopupMenu::EnableMenuShadows(TRUE);
    LooksTest::TearDown();
  }
  // The frame in the look, its Edit menu open.
  void Open(CRuntimeClass* look) {
    CUfxVisualManager::SetDefaultManager(look);
    manager = CUfxVisualManager::GetInstance();
    frame = new CEnabledFrame;
    ASSERT_TRUE(frame->Create(nullptr, L"Menus", WS_OVERLAPPEDWINDOW, CRect(100, 100, 500, 360)));
    ASSERT_TRUE(bar.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_MENUBAR));
    bar.CreateFromMenu(MakeEditHelpMenu(), TRUE);
    bar.SetWindowPos(nullptr, 0, 0, 400, 26, SWP_NOZORDER);
    bar.AdjustLayout();
    frame->ShowWindow(SW_SHOWNORMAL);
    frame->UpdateWindow();
    bar.SetFocus();
    PumpPending();
    ::PostMessageW(::GetFocus(), WM_KEYDOWN, 'E', 1);
    PumpPending();
    popup = CUfxPopupMenu::GetActiveMenu();
    ASSERT_NE(nullptr, popup);
    popup->UpdateWindow();
    bar.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    PumpPending();
    popup->GetWindowRect(rectPopup);
    rectButton = bar.GetButton(0)->Rect();
    bar.ClientToScreen(&rectButton);
  }
  void Close() {
    if (CUfxPopupMenu* p = CUfxPopupMenu::GetActiveMenu())
      if (::IsWindow(p->GetSafeHwnd())) p->GetTopLevelPopup()->DestroyWindow();
    PumpPending();
    if (bar.GetSafeHwnd() != nullptr) bar.DestroyWindow();
    if (frame != nullptr) frame->DestroyWindow();
    frame = nullptr;
    PumpPending();
    UfxMenuBarStore.CleanUp();
    UfxGetCommandManager()->CleanUp();
  }
  // The first item of the open menu, on the screen.
  CRect FirstItem() const {
    CUfxPopupMenuBar* pItems = popup->GetMenuBar();
    CRect rect = pItems->GetButton(0)->Rect();
    pItems->ClientToScreen(&rect);
    return rect;
  }
  void Screenshot(const std::string& name) { EXPECT_TRUE(SaveScreenOver(frame, name)); }


  CUfxVisualManager* manager = nullptr;
  CEnabledFrame* frame = nullptr;
  CUfxMenuBar bar;
  CUfxPopupMenu* popup = nullptr;
  CRect rectPopup, rectButton;
};

struct JoinCase {
  const char* what;
  CRuntimeClass* look;
  bool joined;
  std::function<COLORREF(CUfxVisualManager*)> itemFill;
};

COLORREF FlatHighlight(CUfxVisualManager* m) { return static_cast<CUfxVisualManagerXP*>(m)->GetColors().clrHighlight; }
COLORREF SystemHighlight(CUfxVisualManager*) { return ::GetSysColor(COLOR_HIGHLIGHT); }

const JoinCase kJoins[] = {
    {"base", RUNTIME_CLASS(CUfxVisualManager), false, SystemHighlight},
    {"flat", RUNTIME_CLASS(CUfxVisualManagerXP), true, FlatHighlight},
    {"themed", RUNTIME_CLASS(CUfxWinXPVisualManager), false, SystemHighlight},
    {"gradient", RUNTIME_CLASS(CUfxVisualManager2003), true, FlatHighlight},
};

TEST_F(MenuJoin, TheMenuOpensIntoItsButtonInTheFlatLooksOnly) {
  for (const JoinCase& c : kJoins) {
    Open(c.look);
    ASSERT_NE(nullptr, popup) << c.what;
    Screenshot(std::string("menu_join_") + c.what + ".png");
    // The menu hangs from the button, over its last row, wider than it.
    ASSERT_EQ(rectButton.bottom - 1, rectPopup.top) << c.what;
    ASSERT_GT(rectPopup.right, rectButton.right + 4) << c.what;
    const CPoint ptTouching(rectButton.CenterPoint().x, rectPopup.top);
    const CPoint ptBeside(rectButton.right + 3, rectPopup.top);
    const CPoint ptButtonEdge(rectButton.left, rectButton.CenterPoint().y);
    if (c.joined) {
      const UFX_XP_COLORS& colors = static_cast<CUfxVisualManagerXP*>(manager)->GetColors();
      EXPECT_EQ(ColorText(colors.clrToolBar), ColorText(ScreenPixel(ptTouching))) << c.what;
      EXPECT_EQ(ColorText(colors.clrMenuBorder), ColorText(ScreenPixel(ptBeside))) << c.what;
      EXPECT_EQ(ColorText(colors.clrMenuBorder), ColorText(ScreenPixel(ptButtonEdge))) << c.what;
      EXPECT_EQ(ColorText(colors.clrMenuBorder), ColorText(ScreenPixel(CPoint(rectPopup.left, rectPopup.top + 5))))
          << c.what;
    } else {
      // Two 3D frames all round: the outer one's lit edge runs on under the button.
      EXPECT_EQ(ColorText(UfxGlobalData.clrBarLight), ColorText(ScreenPixel(ptTouching))) << c.what;
      EXPECT_EQ(ColorText(UfxGlobalData.clrBarLight), ColorText(ScreenPixel(ptBeside))) << c.what;
    }
    const CRect rectItem = FirstItem();
    EXPECT_EQ(ColorText(c.itemFill(manager)), ColorText(ScreenPixel(CPoint(rectItem.right - 4, rectItem.CenterPoint().y))))
        << c.what;
    Close();
  }
}

// The flat look's open button casts the menu's shadow on the bar when the toolbars ask for shadows.
TEST_F(MenuJoin, TheOpenButtonCastsTheMenusShadowInTheFlatLook) {
  CUfxPopupMenu::EnableMenuShadows(TRUE);
  Open(RUNTIME_CLASS(CUfxVisualManagerXP));
  ASSERT_NE(nullptr, popup);
  const int nDepth = manager->GetMenuShadowDepth();
  const CPoint ptShadow(rectButton.right + 1, rectButton.top + nDepth + 2);
  const COLORREF clrShadow = ScreenPixel(ptShadow);
  Close();
  CUfxPopupMenu::EnableMenuShadows(FALSE);
  Open(RUNTIME_CLASS(CUfxVisualManagerXP));
  ASSERT_NE(nullptr, popup);
  const COLORREF clrPlain = ScreenPixel(ptShadow);
  EXPECT_LT(GetRValue(clrShadow) + GetGValue(clrShadow) + GetBValue(clrShadow),
            GetRValue(clrPlain) + GetGValue(clrPlain) + GetBValue(clrPlain))
      << ColorText(clrShadow) << " vs " << ColorText(clrPlain);
}

}  // namespace
