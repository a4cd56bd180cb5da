// The menu push button on the display: where its menu opens in each mode, with the system's
// menu and with the context-menu manager's, what a choice sends to the parent, and that choosing
// nothing sends nothing.
#include "ColorTestKit.h"
#include "bars/UfxPopupMenu.h"
#include "bars/UfxToolbarButton.h"
#include "frames/UfxContextMenuManager.h"
#include "looks/UfxMenuButton.h"

using namespace color_test;

namespace {

CWinApp theApp(L"LooksMenuButtonTests");

const UINT kFirst = 0x9100, kSecond = 0x9101;

// The system's popup menu window on the screen, or null.
HWND SystemMenuWindow() {
  HWND hwnd = nullptr;
  while ((hwnd = ::FindWindowExW(nullptr, hwnd, L"#32768", nullptr)) != nullptr)
    if (::IsWindowVisible(hwnd)) return hwnd;
  return nullptr;
}

class MenuButton : public ColorTest {
protected:
  void SetUp() override {
    ColorTest::SetUp();
    ASSERT_TRUE(parent.Make(100, 100, 400, 300));
    ASSERT_TRUE(button.Create(L"Insert", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(50, 40, 150, 64), &parent, 66));
    m_hMenu = ::CreatePopupMenu();
    ::AppendMenuW(m_hMenu, MF_STRING, kFirst, L"First");
    ::AppendMenuW(m_hMenu, MF_STRING, kSecond, L"Second");
    button.m_hMenu = m_hMenu;
  }
  void TearDown() override {
    delete UfxContextMenuManager;
    UfxContextMenuManager = nullptr;
    button.DestroyWindow();
    parent.DestroyWindow();
    ::DestroyMenu(m_hMenu);
    ColorTest::TearDown();
  }
  CRect ButtonRect() {
    CRect rect;
    button.GetWindowRect(rect);
    return rect;
  }
  CCommandRecorder parent;
  CUfxMenuButton button;
  HMENU m_hMenu = nullptr;
};

TEST_F(MenuButton, TheSystemMenuOpensAtTheCornerOfEachModeAndAnEmptyChoiceSendsNothing) {
  const struct {
    const char* name;
    BOOL bRightArrow, bDefaultClick;
    std::function<bool(const CRect& menu, const CRect& button)> placed;
  } cases[] = {
      {"below", FALSE, FALSE, [](const CRect& m, const CRect& b) { return m.TopLeft() == CPoint(b.left, b.bottom); }},
      {"below, right-aligned", FALSE, TRUE,
       [](const CRect& m, const CRect& b) { return m.right == b.right && m.top == b.bottom; }},
      {"to the right", TRUE, FALSE, [](const CRect& m, const CRect& b) { return m.TopLeft() == CPoint(b.right, b.top); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    button.m_bRightArrow = c.bRightArrow;
    button.m_bDefaultClick = c.bDefaultClick;
    button.m_bStayPressed = TRUE;
    CRect rectMenu;
    BOOL bPressed = FALSE;
    std::function<void()> look = [&] {
      HWND hwndMenu = SystemMenuWindow();
      if (hwndMenu == nullptr) {
        RunSoon(look);
        return;
      }
      ::GetWindowRect(hwndMenu, rectMenu);
      bPressed = button.IsPressed() && button.IsMenuOpen();
      ::EndMenu();
    };
    RunSoon(look);
    button.OnShowMenu();
    EXPECT_TRUE(c.placed(rectMenu, ButtonRect())) << rectMenu.left << "," << rectMenu.top << "-" << rectMenu.right;
    EXPECT_TRUE(bPressed);
    EXPECT_EQ(0, button.m_nMenuResult);
    EXPECT_FALSE(button.IsMenuOpen());
    EXPECT_FALSE(button.IsPressed());
    PumpRoundTrip(parent.GetSafeHwnd());
    EXPECT_EQ(0, parent.Count(66));
  }
}

TEST_F(MenuButton, AChoiceInTheSystemMenuIsReportedAsTheButtonsClick) {
  std::function<void()> choose = [&] {
    HWND hwndMenu = SystemMenuWindow();
    if (hwndMenu == nullptr) {
      RunSoon(choose);
      return;
    }
    ::PostMessageW(hwndMenu, WM_KEYDOWN, VK_DOWN, 0);
    ::PostMessageW(hwndMenu, WM_KEYDOWN, VK_DOWN, 0);
    ::PostMessageW(hwndMenu, WM_KEYDOWN, VK_RETURN, 0);
  };
  RunSoon(choose);
  button.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  ASSERT_TRUE(PumpUntil([&] { return parent.Count(66) == 1; }));
  EXPECT_EQ(button.GetSafeHwnd(), parent.commands[0].sender);
  EXPECT_EQ((int)kSecond, button.m_nMenuResult);
}

TEST_F(MenuButton, TheContextMenuManagersMenuOpensBelowAndReportsAChoice) {
  UfxContextMenuManager = new CUfxContextMenuManager;
  button.m_bOSMenu = FALSE;
  for (const bool bChoose : {false, true}) {
    SCOPED_TRACE(bChoose ? "choose" : "escape");
    CRect rectMenu;
    std::function<void()> act = [&] {
      CUfxPopupMenu* pPopup = CUfxPopupMenu::GetActiveMenu();
      if (pPopup == nullptr || !pPopup->IsWindowVisible()) {
        RunSoon(act);
        return;
      }
      pPopup->GetWindowRect(rectMenu);
      if (!bChoose) {
        pPopup->PostMessage(WM_KEYDOWN, VK_ESCAPE);
        return;
      }
      CUfxPopupMenuBar* pItems = pPopup->GetMenuBar();
      const CPoint pt = pItems->GetButton(pItems->CommandToIndex(kFirst))->Rect().CenterPoint();
      pItems->PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
      pItems->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    };
    RunSoon(act);
    button.OnShowMenu();
    EXPECT_EQ(CPoint(ButtonRect().left, ButtonRect().bottom), rectMenu.TopLeft());
    EXPECT_EQ(bChoose ? (int)kFirst : 0, button.m_nMenuResult);
    PumpRoundTrip(parent.GetSafeHwnd());
    EXPECT_EQ(bChoose ? 1 : 0, parent.Count(66));
    EXPECT_EQ(button.GetSafeHwnd(), ::GetFocus());
  }
}

TEST_F(MenuButton, WithoutAMenuNothingOpensAndTheSizeMakesRoomForTheArrow) {
  button.m_hMenu = nullptr;
  button.OnShowMenu();
  EXPECT_FALSE(button.IsMenuOpen());
  EXPECT_EQ(0, parent.Count(66));
  const CSize sizeBase = button.CUfxButton::SizeToContent(TRUE);
  const CSize size = button.SizeToContent();
  EXPECT_GT(size.cx, sizeBase.cx);
  EXPECT_EQ(sizeBase.cy, size.cy);
  CRect rect;
  button.GetWindowRect(rect);
  EXPECT_EQ(size, rect.Size());
  EXPECT_EQ((UINT)DLGC_WANTARROWS, (UINT)button.SendMessage(WM_GETDLGCODE));
}

}  // namespace
