// The tasks pane's toolbar: the page menu (one page command per page, the active one checked),
// the page-menu button spanning the bar and opening the pane's menu, its tip, and the delayed
// show and hide that the idle update carries out.
#include "FramesTestKit.h"
#include "frames/TasksPaneMenuButton.h"
#include "frames/TasksPaneToolBar.h"
#include "frames/UfxFramesResources.h"
#include "frames/UfxTasksPane.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

class CTestApp : public CWinApp {
public:
  CTestApp() : CWinApp(L"TasksPaneTest") {}
};
CTestApp theApp;

// A pane with named pages: the menu positions and the active page are the test's.
class CTestTasksPane : public CUfxTasksPane {
public:
  void SetPages(const std::vector<CString>& names, const std::vector<int>& positions, int iActive) {
    m_lstTaskPages.RemoveAll();
    for (const CString& name : names) m_lstTaskPages.AddTail(name);
    m_arrPagesMenuPos.RemoveAll();
    for (int pos : positions) m_arrPagesMenuPos.Add(pos);
    m_iActivePageIndex = iActive;
  }
};

// Checks command 4000 of whatever asks it.
class CCheckingFrame : public CFrameWnd {
public:
  afx_msg void OnUpdate4000(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CCheckingFrame, CFrameWnd)
  ON_UPDATE_COMMAND_UI(4000, OnUpdate4000)
END_MESSAGE_MAP()

class TasksPaneTest : public ::testing::Test {
protected:
  CCheckingFrame* frame = nullptr;
  CTestTasksPane pane;
  CTasksPaneToolBar toolbar;
  void SetUp() override {
    static HMODULE resources = ::LoadLibraryW(L"BrookResx.dll");
    if (resources != nullptr) AfxSetResourceHandle(resources);
    frame = NewDockingFrame<CCheckingFrame>();
    ASSERT_TRUE(pane.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_LEFT, AFX_IDW_TOOLBAR));
    pane.SetBarWidth(200);
    frame->RecalcLayout();
    ASSERT_TRUE(toolbar.Create(&pane, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, AFX_IDW_TOOLBAR + 1));
    toolbar.SetWindowPos(nullptr, 0, 0, 180, 26, SWP_NOZORDER | SWP_NOACTIVATE);
    pane.SetPages({L"Alpha", L"Beta", L"Gamma"}, {0, 1, 2}, 1);
    PumpPending();
  }
  void TearDown() override {
    if (frame != nullptr) frame->DestroyWindow();
    PumpPending();
  }
};

TEST_F(TasksPaneTest, ThePageMenuHasOnePageCommandPerPageWithTheActiveOneChecked) {
  struct Case {
    int active;
    std::vector<int> positions;
    int checked;
  } cases[] = {{1, {0, 1, 2}, 1}, {0, {2, 0, 1}, 2}, {2, {0, 1, 0}, 0}};
  for (const Case& c : cases) {
    pane.SetPages({L"Alpha", L"Beta", L"Gamma"}, c.positions, c.active);
    HMENU hMenu = pane.CreatePageMenu();
    ASSERT_NE(nullptr, hMenu);
    ASSERT_EQ(3, ::GetMenuItemCount(hMenu));
    const wchar_t* names[] = {L"Alpha", L"Beta", L"Gamma"};
    for (int i = 0; i < 3; ++i) {
      wchar_t text[32] = {};
      ::GetMenuStringW(hMenu, (UINT)i, text, 32, MF_BYPOSITION);
      EXPECT_EQ(std::wstring(names[i]), text);
      EXPECT_EQ((UINT)ID_UFX_TASKSPANE_PAGE, ::GetMenuItemID(hMenu, i));
      const bool checked = (::GetMenuState(hMenu, (UINT)i, MF_BYPOSITION) & MF_CHECKED) != 0;
      EXPECT_EQ(i == c.checked, checked) << "active " << c.active << " item " << i;
    }
    ::DestroyMenu(hMenu);
  }
  EXPECT_TRUE(CUfxToolBar::IsCoreCommand(ID_UFX_TASKSPANE_PAGE));
  // An active page the menu has no position for is an error of the caller.
  pane.SetPages({L"Alpha"}, {0}, 3);
  bool thrown = false;
  try {
    pane.CreatePageMenu();
  } catch (CException* e) {
    e->Delete();
    thrown = true;
  }
  EXPECT_TRUE(thrown);
}

TEST_F(TasksPaneTest, TheMenuButtonSpansTheBarAndOpensThePanesMenu) {
  auto* pMenuButton = new CTasksPaneMenuButton;
  ASSERT_GE(toolbar.InsertButton(pMenuButton), 0);
  toolbar.LayoutButtons();
  CRect client;
  toolbar.GetClientRect(&client);
  EXPECT_EQ(client.right - 1, pMenuButton->Rect().right);
  EXPECT_EQ(&pane, pMenuButton->GetTasksPane());
  HMENU hMenu = pMenuButton->ExportToMenu();
  ASSERT_NE(nullptr, hMenu);
  EXPECT_EQ(3, ::GetMenuItemCount(hMenu));
  ::DestroyMenu(hMenu);
  CString tip;
  EXPECT_TRUE(toolbar.ForwardToFrame(pMenuButton, tip));
  CString expected;
  expected.LoadString(IDS_UFX_TASKSPANE_MENU);
  EXPECT_FALSE(expected.IsEmpty());
  EXPECT_EQ(std::wstring((LPCWSTR)expected), std::wstring((LPCWSTR)tip));
  // A button of no pane has no menu.
  CTasksPaneMenuButton loose;
  EXPECT_EQ(nullptr, loose.ExportToMenu());
}

TEST_F(TasksPaneTest, TheIdleUpdateCarriesOutADelayedHideAndShow) {
  ASSERT_TRUE(toolbar.IsWindowVisible());
  toolbar.DelayShow(FALSE);
  EXPECT_TRUE(toolbar.IsWindowVisible()) << "nothing before the idle update";
  toolbar.SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
  EXPECT_FALSE(toolbar.IsWindowVisible());
  toolbar.DelayShow(TRUE);
  toolbar.SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
  EXPECT_TRUE(toolbar.IsWindowVisible());
  // Its buttons are updated through its owner.
  ASSERT_EQ(0, toolbar.InsertButton(new CUfxToolbarButton(4000, 0, L"checked")));
  toolbar.SetOwner(frame);
  toolbar.SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
  EXPECT_NE(0u, toolbar.GetButtonStyle(0) & TBBS_CHECKED);

}

}  // namespace
