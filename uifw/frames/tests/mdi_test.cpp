// An MDI test application on the framework's MDI frame: with tabs off the client area keeps the
// whole room; the window menu's popup shows one button per child entry and never the overflow
// entry, which only brings the more-windows command when there is one; a mnemonic taken by a
// toolbar answers WM_MENUCHAR with "execute".
#include "FramesTestKit.h"
#include "bars/UfxPopupMenu.h"
#include "bars/UfxPopupMenuBar.h"
#include "bars/UfxToolBar.h"
#include "bars/UfxToolbarButton.h"
#include "frames/UfxMDIChildWnd.h"
#include "frames/UfxMDIFrameWnd.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

class CTestApp : public CWinApp {
public:
  CTestApp() : CWinApp(L"MdiFrameTest") {}
};
CTestApp theApp;

const UINT kMenuId = 300;
const UINT kMoreWindowsCmd = 0xE1F0;

class MdiFrame : public ::testing::Test {
protected:
  CUfxMDIFrameWnd* frame = nullptr;
  std::vector<CUfxMDIChildWnd*> children;
  void SetUp() override {
    frame = new CUfxMDIFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, L"MDI", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(50, 50, 650, 500), nullptr,
                              MAKEINTRESOURCEW(kMenuId)));
    AfxGetApp()->m_pMainWnd = frame;
    PumpPending();
  }
  void TearDown() override {
    frame->DestroyWindow();
    AfxGetApp()->m_pMainWnd = nullptr;
    PumpPending();
  }
  void OpenChildren(int n) {
    for (int i = 0; i < n; ++i) {
      auto* child = new CUfxMDIChildWnd;
      CString title;
      title.Format(L"Sheet %d", i + 1);
      ASSERT_TRUE(child->Create(nullptr, title, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault, frame));
      children.push_back(child);
    }
    PumpPending();
  }
  // The commands of an opened window-menu popup's buttons.
  std::vector<UINT> PopupCommands() {
    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenuW(hMenu, MF_STRING, ID_WINDOW_CASCADE, L"&Cascade");
    auto* popup = new CUfxPopupMenu;
    std::vector<UINT> ids;
    if (!popup->Create(frame, 200, 200, hMenu, FALSE, TRUE)) {
      ADD_FAILURE() << "the popup did not open";
      return ids;
    }
    PumpPending();
    CUfxPopupMenuBar* bar = popup->GetMenuBar();
    for (int i = 0; i < bar->GetButtonCount(); ++i) ids.push_back(bar->GetButton(i)->m_nID);
    popup->SendMessage(WM_CLOSE);
    PumpPending();
    return ids;
  }
};

TEST_F(MdiFrame, WithTabsOffTheClientKeepsTheWholeArea) {
  ASSERT_FALSE(frame->GetClientWnd().AreMDITabs());
  ASSERT_EQ(frame->m_hWndMDIClient, frame->GetClientWnd().m_hWnd) << "the client is subclassed";
  OpenChildren(2);
  frame->RecalcLayout();
  CRect client, area;
  frame->GetClientRect(&client);
  ::GetWindowRect(frame->m_hWndMDIClient, &area);
  frame->ScreenToClient(&area);
  EXPECT_EQ(client, area);
  CUfxTabWnd& tabs = frame->GetClientWnd().GetTabWnd();
  ASSERT_NE(nullptr, tabs.GetSafeHwnd());
  EXPECT_FALSE(tabs.IsWindowVisible());
  EXPECT_EQ(0, tabs.GetTabsNum());
}

TEST_F(MdiFrame, TheWindowMenuPopupShowsOneButtonPerChildAndNeverTheOverflowEntry) {
  ASSERT_NE(nullptr, frame->GetWindowMenu());
  OpenChildren(11);  // nine entries and the overflow entry in the window menu
  bool overflowInMenu = false;
  for (int i = 0; i < ::GetMenuItemCount(frame->GetWindowMenu()); ++i)
    overflowInMenu |= ::GetMenuItemID(frame->GetWindowMenu(), i) == AFX_IDM_FIRST_MDICHILD + 9;
  ASSERT_TRUE(overflowInMenu);
  struct Case {
    UINT uiMoreWindows;
    bool moreButton;
  } cases[] = {{0, false}, {kMoreWindowsCmd, true}};
  for (const Case& c : cases) {
    frame->EnableWindowsDialog(c.uiMoreWindows, L"&Windows...");
    const std::vector<UINT> ids = PopupCommands();
    int childButtons = 0;
    bool overflow = false, more = false;
    for (UINT id : ids) {
      if (id == AFX_IDM_FIRST_MDICHILD + 9) overflow = true;
      else if (id >= AFX_IDM_FIRST_MDICHILD) ++childButtons;
      more |= id == kMoreWindowsCmd;
    }
    EXPECT_EQ(9, childButtons) << "more-windows command " << c.uiMoreWindows;
    EXPECT_FALSE(overflow);
    EXPECT_EQ(c.moreButton, more);
    if (c.moreButton) EXPECT_EQ(kMoreWindowsCmd, ids.back());
  }
}

TEST_F(MdiFrame, AMnemonicTakenByAToolbarAnswersExecute) {
  auto* bar = new CUfxToolBar;
  ASSERT_TRUE(bar->Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR));
  auto* button = new CUfxToolbarButton(40001, -1, L"&Go");
  button->m_bText = TRUE;
  bar->InsertButton(button);
  frame->RecalcLayout();
  PumpPending();
  EXPECT_EQ((LRESULT)(DWORD)0xFFFF0002, frame->SendMessage(WM_MENUCHAR, MAKEWPARAM('g', MF_POPUP), 0));
  EXPECT_NE((LRESULT)(DWORD)0xFFFF0002, frame->SendMessage(WM_MENUCHAR, MAKEWPARAM('q', MF_POPUP), 0));
}

}  // namespace
