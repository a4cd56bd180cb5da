// Menus joined to their frame: a context menu registered with the context-menu manager and opened
// by a right click, the modal tracked menu, Alt and menu characters routed by the frame to its
// menu bar, the manager's saved state, and a popup torn off into a bar that the frame keeps.
#include "MenuTestKit.h"
#include "frames/UfxContextMenuManager.h"
#include "frames/UfxMiniDockFrameWnd.h"
#include "frames/UfxTearOffManager.h"
#include "frames/UfxFrameHelper.h"
#include <gtest/gtest.h>
#include <vector>

namespace {
using namespace menu_test;

CWinApp theApp(L"MenuFrameTests");

const UINT IDR_EDIT_CONTEXT = 400;  // the test program's context menu: Cu&t, &Copy, &Paste
const UINT ID_CONTEXT_VIEW = 0xE901;

// A view that asks the context-menu manager for its menu on a right click.
class CContextView : public CWnd {
public:
  BOOL Create(CWnd* pParent, const CRect& rect) {
    return CWnd::Create(AfxRegisterWndClass(0), L"", WS_CHILD | WS_VISIBLE, rect, pParent, ID_CONTEXT_VIEW);
  }

protected:
  afx_msg void OnContextMenu(CWnd*, CPoint point) {
    UfxContextMenuManager->ShowPopupMenu(IDR_EDIT_CONTEXT, point.x, point.y, this);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CContextView, CWnd)
  ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

// Runs an action from inside whatever loop takes the next messages (the modal loop of a tracked
// menu or of a tear-off), once, shortly after.
std::function<void()> g_soon;
VOID CALLBACK RunSoonProc(HWND, UINT, UINT_PTR idEvent, DWORD) {
  ::KillTimer(nullptr, idEvent);
  std::function<void()> action;
  action.swap(g_soon);
  if (action) action();
}
void RunSoon(std::function<void()> action) {
  g_soon = std::move(action);
  ::SetTimer(nullptr, 0, 20, RunSoonProc);
}

// A click on an item of a popup menu's bar: press and release at its centre.
void ClickItem(CUfxPopupMenu* pPopup, UINT uiCmd) {
  CUfxPopupMenuBar* pItems = pPopup->GetMenuBar();
  const int i = pItems->CommandToIndex(uiCmd);
  ASSERT_GE(i, 0);
  const CPoint pt = pItems->GetButton(i)->Rect().CenterPoint();
  ::PostMessageW(pItems->GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
  ::PostMessageW(pItems->GetSafeHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
}

std::vector<UINT> Commands(CUfxPopupMenu* pPopup) {
  std::vector<UINT> ids;
  CUfxPopupMenuBar* pItems = pPopup->GetMenuBar();
  for (int i = 0; i < pItems->GetButtonCount(); ++i) ids.push_back(pItems->GetButton(i)->m_nID);
  return ids;
}

class ContextMenus : public MenuFrame {
protected:
  void SetUp() override {
    MenuFrame::SetUp();
    ASSERT_TRUE(manager.AddMenu(L"Edit", IDR_EDIT_CONTEXT));
    ASSERT_TRUE(contextView.Create(frame, CRect(310, 60, 480, 200)));
    PumpPending();
  }
  void TearDown() override {
    contextView.DestroyWindow();
    MenuFrame::TearDown();
  }
  CUfxContextMenuManager manager;
  CContextView contextView;
};

TEST_F(ContextMenus, ARightClickShowsTheRegisteredMenuAndItsItemReachesTheFrame) {
  ::PostMessageW(contextView.GetSafeHwnd(), WM_RBUTTONUP, 0, MAKELPARAM(20, 30));
  PumpPending();
  CUfxPopupMenu* pPopup = Popup();
  ASSERT_NE(nullptr, pPopup);
  EXPECT_EQ(std::vector<UINT>({ID_CUT, ID_COPY, ID_PASTE}), Commands(pPopup));
  CRect rect;
  pPopup->GetWindowRect(rect);
  CPoint ptClick(20, 30);
  contextView.ClientToScreen(&ptClick);
  EXPECT_EQ(ptClick, rect.TopLeft());

  ClickItem(pPopup, ID_COPY);
  PumpPending();
  EXPECT_EQ(std::vector<UINT>({ID_COPY}), frame->commands);
  EXPECT_EQ(nullptr, Popup());
}

TEST_F(ContextMenus, ShowingByIdAtMinusOneOpensFivePixelsInsideTheWindow) {
  ASSERT_TRUE(manager.ShowPopupMenu(IDR_EDIT_CONTEXT, -1, -1, &contextView));
  PumpPending();
  ASSERT_NE(nullptr, Popup());
  CRect rect;
  Popup()->GetWindowRect(rect);
  CPoint ptOrigin(0, 0);
  contextView.ClientToScreen(&ptOrigin);
  EXPECT_EQ(ptOrigin + CPoint(5, 5), rect.TopLeft());
  EXPECT_FALSE(manager.ShowPopupMenu(IDR_EDIT_CONTEXT + 1, -1, -1, &contextView));  // not registered
  EXPECT_FALSE(manager.AddMenu(L"Again", IDR_EDIT_CONTEXT));
  EXPECT_EQ(manager.GetMenuById(IDR_EDIT_CONTEXT), manager.GetMenuByName(L"Edit"));
}

// The tracked menu answers the clicked command and sends nothing; Escape answers 0; a quit that
// arrives meanwhile closes the menu and stays queued for the program's loop.
TEST_F(ContextMenus, TrackPopupMenuAnswersTheClickedCommandOrZeroOnEscapeOrQuit) {
  HMENU hEdit = ::GetSubMenu(manager.GetMenuById(IDR_EDIT_CONTEXT), 0);
  const struct {
    const char* name;
    std::function<void(CUfxPopupMenu*)> act;
    UINT expected;
    bool bQuit;
  } cases[] = {
      {"click", [](CUfxPopupMenu* p) { ClickItem(p, ID_PASTE); }, ID_PASTE, false},
      {"escape", [](CUfxPopupMenu* p) { p->PostMessage(WM_KEYDOWN, VK_ESCAPE); }, 0, false},
      {"quit", [](CUfxPopupMenu*) { ::PostQuitMessage(3); }, 0, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    bool bActed = false;
    RunSoon([&] {
      CUfxPopupMenu* pPopup = CUfxPopupMenu::GetActiveMenu();
      if (pPopup == nullptr) return;
      bActed = true;
      EXPECT_TRUE(pPopup->IsTrackMode());
      c.act(pPopup);
    });
    EXPECT_EQ(c.expected, manager.TrackPopupMenu(hEdit, 400, 300, &contextView));
    EXPECT_TRUE(bActed);
    EXPECT_EQ(nullptr, Popup());
    MSG msg;
    EXPECT_EQ(c.bQuit, ::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE);
    PumpPending();
    EXPECT_TRUE(frame->commands.empty());
  }
  EXPECT_TRUE(::IsMenu(hEdit));  // the manager's menu outlives its popups
}

// Customized items are saved by the manager, loaded back into the store and shown by the next popup.
TEST_F(ContextMenus, CustomizedItemsSurviveSaveAndLoad) {
  const CString strSection = L"Software\\Ferrow Software\\MenuFrameTests\\Workspace\\";
  ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Ferrow Software\\MenuFrameTests");
  HMENU hEdit = ::GetSubMenu(manager.GetMenuById(IDR_EDIT_CONTEXT), 0);
  {
    CUfxPopupMenuBar customized;
    ASSERT_TRUE(customized.ImportFromMenu(hEdit));
    customized.RemoveButton(customized.CommandToIndex(ID_CUT));
    UfxMenuBarStore.Save(hEdit, &customized);
  }
  ASSERT_TRUE(manager.SaveState(strSection));
  UfxMenuBarStore.CleanUp();
  {
    CUfxPopupMenuBar stored;
    ASSERT_FALSE(UfxMenuBarStore.Load(hEdit, &stored));
  }
  ASSERT_TRUE(manager.LoadState(strSection));
  ASSERT_TRUE(manager.ShowPopupMenu(IDR_EDIT_CONTEXT, 10, 10, &contextView));
  PumpPending();
  ASSERT_NE(nullptr, Popup());
  EXPECT_EQ(std::vector<UINT>({ID_COPY, ID_PASTE}), Commands(Popup()));
  ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Ferrow Software\\MenuFrameTests");
}

// Alt goes to the menu bar that registered with the frame; Alt with a letter opens its title.
TEST_F(MenuFrame, AltAndMenuCharactersReachTheFramesMenuBar) {
  EXPECT_EQ(&bar, frame->GetMenuBar());
  ::PostMessageW(view.GetSafeHwnd(), WM_SYSKEYDOWN, VK_MENU, 0x20000001);
  ::PostMessageW(view.GetSafeHwnd(), WM_SYSKEYUP, VK_MENU, 0xC0000001);
  PumpPending();
  EXPECT_EQ(bar.GetSafeHwnd(), ::GetFocus());
  EXPECT_STREQ(L"&File", Highlighted());
  ::PostMessageW(bar.GetSafeHwnd(), WM_SYSKEYDOWN, VK_MENU, 0x20000001);
  ::PostMessageW(bar.GetSafeHwnd(), WM_SYSKEYUP, VK_MENU, 0xC0000001);
  PumpPending();
  EXPECT_NE(bar.GetSafeHwnd(), ::GetFocus());

  const struct { UINT ch; const wchar_t* title; bool taken; } cases[] = {
      {'E', L"&Edit", true}, {'h', L"&Help", true}, {'Q', L"<closed>", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.ch);
    view.SetFocus();
    const LRESULT lResult = frame->SendMessage(WM_MENUCHAR, MAKEWPARAM(c.ch, MF_POPUP), 0);
    PumpPending();
    EXPECT_EQ(c.taken ? 0xFFFF0002u : 0u, (DWORD)lResult);
    EXPECT_STREQ(c.title, OpenTitle());
    if (CUfxPopupMenu* pPopup = Popup()) pPopup->SendMessage(WM_CLOSE);
    PumpPending();
  }
}

// A submenu marked for tearing off, opened from a popup of the frame.
class TearOff : public MenuFrame {
protected:
  static constexpr UINT kTearOffId = 0xE850;
  void SetUp() override {
    MenuFrame::SetUp();
    tearOffs.Initialize(kTearOffId, kTearOffId + 4);
    frame->EnableDocking(CBRS_ALIGN_ANY);
    HMENU hSub = ::CreatePopupMenu();
    ::AppendMenuW(hSub, MF_STRING, ID_CUT, L"Cu&t");
    ::AppendMenuW(hSub, MF_STRING, ID_COPY, L"&Copy");
    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenuW(hMenu, MF_STRING, ID_NEW, L"&New");
    ::AppendMenuW(hMenu, MF_POPUP | MF_MENUBARBREAK, (UINT_PTR)hSub, L"&Clipboard");
    tearOffs.SetupTearOffMenus(hMenu);
    CUfxPopupMenu* pPopup = new CUfxPopupMenu;
    ASSERT_TRUE(pPopup->Create(frame, 300, 300, hMenu, FALSE, FALSE));
    PumpPending();
    CUfxToolbarMenuButton* pClipboard = DYNAMIC_DOWNCAST(CUfxToolbarMenuButton, pPopup->GetMenuBar()->GetButton(1));
    ASSERT_NE(nullptr, pClipboard);
    ASSERT_EQ(kTearOffId, pClipboard->GetTearOffId());
    pClipboard->OnClick(pPopup->GetMenuBar(), FALSE);
    PumpPending();
    sub = Popup();
    ASSERT_NE(nullptr, sub);
    ASSERT_EQ(pClipboard, sub->GetParentButton());
  }
  // Presses on the tear-off strip, moves out of it onto the first item and ends the drag with the
  // given message.
  void Drag(UINT nEndMsg, WPARAM wEnd) {
    const HWND hSub = sub->GetSafeHwnd();
    CPoint ptItem = sub->GetMenuBar()->GetButton(0)->Rect().CenterPoint();
    sub->GetMenuBar()->ClientToScreen(&ptItem);
    sub->ScreenToClient(&ptItem);
    ::PostMessageW(hSub, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 4));
    ::PostMessageW(hSub, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(ptItem.x, ptItem.y));
    ::PostMessageW(frame->GetSafeHwnd(), nEndMsg, wEnd, 0);
    PumpPending();
  }
  CUfxTearOffManager tearOffs;
  CUfxPopupMenu* sub = nullptr;
};

// While the tear-off strip's tip shows, the strip is lit; when it goes, so does the light.
TEST_F(TearOff, TheStripIsLitWhileItsTipShows) {
  const HWND hTip = sub->m_wndToolTip.GetSafeHwnd();
  ASSERT_NE(nullptr, hTip);
  ASSERT_FALSE(sub->m_bIsTearOffCaptionActive);
  NMHDR hdr = {hTip, 0, (UINT)TTN_SHOW};
  sub->SendMessage(WM_NOTIFY, 0, (LPARAM)&hdr);
  EXPECT_TRUE(sub->m_bIsTearOffCaptionActive);
  hdr.code = (UINT)TTN_POP;
  sub->SendMessage(WM_NOTIFY, 0, (LPARAM)&hdr);
  EXPECT_FALSE(sub->m_bIsTearOffCaptionActive);
}

TEST_F(TearOff, ADroppedBarIsKeptByTheFrame) {
  Drag(WM_LBUTTONUP, 0);
  CUfxToolBar* pBar = DYNAMIC_DOWNCAST(CUfxToolBar, frame->GetControlBar(kTearOffId));
  ASSERT_NE(nullptr, pBar);
  EXPECT_EQ(1, frame->GetFrameImpl()->GetTearOffBarCount());
  EXPECT_TRUE(pBar->IsFloating());
  EXPECT_EQ(2, pBar->GetButtonCount());
  EXPECT_EQ(nullptr, Popup());  // the menu closed
}

TEST_F(TearOff, ACancelledTearOffLeavesNoBarInTheFrameAndShowsTheMenuAgain) {
  const HWND hSub = sub->GetSafeHwnd();
  Drag(WM_KEYDOWN, VK_ESCAPE);
  EXPECT_EQ(nullptr, frame->GetControlBar(kTearOffId));
  EXPECT_EQ(0, frame->GetFrameImpl()->GetTearOffBarCount());
  ASSERT_TRUE(::IsWindow(hSub));
  EXPECT_TRUE(::IsWindowVisible(hSub));
}

}  // namespace
