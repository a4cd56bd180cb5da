// Control bars in a frame: rows of docked bars, the layout pass, delayed showing and hiding,
// borders, routing to the owner, tooltips and fly-by prompts, the status bar, dialog bars.
#include "BarTestKit.h"

static CBarTestApp theApp;
CBarTestApp& TheApp() { return theApp; }

// A frame that handles command 0x8001 and counts it; 0x8002 has no handler.
class CRoutingFrame : public CFrameWnd {
public:
  int commands = 0, notifies = 0;
  afx_msg void OnOne() { ++commands; }
  afx_msg void OnUpdateOne(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }
  afx_msg void OnNotifyOne(NMHDR*, LRESULT* pResult) { ++notifies; *pResult = 5; }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CRoutingFrame, CFrameWnd)
  ON_COMMAND(0x8001, OnOne)
  ON_UPDATE_COMMAND_UI(0x8001, OnUpdateOne)
  ON_NOTIFY(NM_CLICK, 0x8001, OnNotifyOne)
END_MESSAGE_MAP()

class ControlBar : public BarFrameTest {
protected:
  CFrameWnd* MakeFrame() override { return new CRoutingFrame; }
};

struct RowCase {
  const char* name;
  UINT nDockBar;
  DWORD dwStyle;
  CRect first, secondOwnRow;  // in the dock bar's client area
  int thickness;              // of the dock bar with two rows
};

TEST_F(ControlBar, BarsDockedWithoutPlaceTakeRowsOfTheirOwn) {
  // Each bar starts 2 pixels before its row and overlaps the row before by 2 pixels.
  const RowCase cases[] = {
    {"top", AFX_IDW_DOCKBAR_TOP, CBRS_TOP, CRect(-2, -2, 98, 28), CRect(-2, 26, 78, 56), 56},
    {"left", AFX_IDW_DOCKBAR_LEFT, CBRS_LEFT, CRect(-2, -2, 28, 98), CRect(26, -2, 56, 78), 56},
    {"bottom", AFX_IDW_DOCKBAR_BOTTOM, CBRS_BOTTOM, CRect(-2, -2, 98, 28), CRect(-2, 26, 78, 56), 56},
  };
  UINT nID = 0xE900 - 100;
  for (const RowCase& c : cases) {
    SCOPED_TRACE(c.name);
    CFixedBar* one = NewBar(++nID, CSize(100, 30), WS_CHILD | WS_VISIBLE | c.dwStyle);
    CFixedBar* two = NewBar(++nID, CSize(80, 30), WS_CHILD | WS_VISIBLE | c.dwStyle);
    frame->DockControlBar(one, c.nDockBar);
    frame->DockControlBar(two, c.nDockBar);
    frame->RecalcLayout();
    CDockBar* pDock = DockBar(c.nDockBar);
    EXPECT_EQ(pDock, one->m_pDockBar);
    EXPECT_EQ(c.first, RectInParent(one));
    EXPECT_EQ(c.secondOwnRow, RectInParent(two));
    CRect rectDock = RectInParent(pDock);
    EXPECT_EQ(c.thickness, (c.dwStyle & CBRS_ORIENT_HORZ) ? rectDock.Height() : rectDock.Width());
    // Entry 0 is null, and each row ends with a null.
    ASSERT_EQ(5, pDock->m_arrBars.GetSize());
    EXPECT_EQ(nullptr, pDock->m_arrBars[0]);
    EXPECT_EQ(one, pDock->m_arrBars[1]);
    EXPECT_EQ(nullptr, pDock->m_arrBars[2]);
    EXPECT_EQ(2, pDock->GetDockedCount());
    one->DestroyWindow();
    two->DestroyWindow();
    // Destroyed bars leave the dock bar and the frame's list.
    EXPECT_EQ(0, pDock->GetDockedCount());
    EXPECT_EQ(nullptr, frame->GetControlBar(nID));
  }
}

TEST_F(ControlBar, BarDockedAtAPlaceJoinsThatRowAndKeepsItsOffset) {
  CFixedBar* one = DockedBar(0x7001);
  CFixedBar* two = NewBar(0x7002, CSize(80, 30));
  CDockBar* pTop = DockBar(AFX_IDW_DOCKBAR_TOP);
  DockAt(two, AFX_IDW_DOCKBAR_TOP, CRect(150, 0, 230, 30));
  frame->RecalcLayout();
  EXPECT_EQ(CRect(-2, -2, 98, 28), RectInParent(one));
  EXPECT_EQ(CRect(150, -2, 230, 28), RectInParent(two));
  EXPECT_EQ(28, RectInParent(pTop).Height());  // one row: 30 - 2 overlap + 2 border... less the top overlap
  ASSERT_EQ(4, pTop->m_arrBars.GetSize());
  EXPECT_EQ(two, pTop->m_arrBars[2]);
  // The layout remembers each bar's docked place.
  EXPECT_EQ(CRect(150, -2, 230, 28), two->m_pDockContext->m_rectMRUDockPos);
  EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_TOP, two->m_pDockContext->m_uMRUDockID);
  // A bar placed past the right edge comes back so that it ends at the edge.
  CRect client;
  frame->GetClientRect(&client);
  DockAt(two, AFX_IDW_DOCKBAR_TOP, CRect(client.right + 50, 0, client.right + 130, 30));
  frame->RecalcLayout();
  EXPECT_EQ(client.right + 2, RectInParent(two).right);
}

TEST_F(ControlBar, QueryPassMeasuresWithoutMovingOrShowing) {
  CFixedBar* bar = DockedBar(0x7001);
  CRect before = RectInParent(bar);
  frame->ShowControlBar(bar, FALSE, TRUE);
  CRect client;
  frame->GetClientRect(&client);
  CRect rect;
  frame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rect);
  // Measured as hidden, still shown and in place.
  EXPECT_EQ(client, rect);
  EXPECT_TRUE(bar->IsWindowVisible());
  EXPECT_FALSE(bar->IsVisible());
  EXPECT_EQ(before, RectInParent(bar));
}

TEST_F(ControlBar, DelayedHideHappensAtTheNextIdleOnly) {
  CFixedBar* bar = DockedBar(0x7001);
  CDockBar* pTop = DockBar(AFX_IDW_DOCKBAR_TOP);
  frame->ShowControlBar(bar, FALSE, TRUE);
  EXPECT_TRUE(bar->IsWindowVisible());
  EXPECT_EQ((UINT)CControlBar::delayHide, bar->m_nStateFlags);
  EXPECT_EQ(28, RectInParent(pTop).Height());
  theApp.OnIdle(0);
  EXPECT_FALSE(bar->IsWindowVisible());
  EXPECT_EQ(0u, bar->m_nStateFlags);
  EXPECT_EQ(0, RectInParent(pTop).Height());
  // A delayed show comes back the same way; the idle update reaches the shown bar.
  frame->ShowControlBar(bar, TRUE, TRUE);
  EXPECT_FALSE(bar->IsWindowVisible());
  EXPECT_TRUE(bar->IsVisible());
  int updates = bar->updates;
  theApp.OnIdle(0);
  EXPECT_TRUE(bar->IsWindowVisible());
  EXPECT_EQ(28, RectInParent(pTop).Height());
  EXPECT_GT(bar->updates, updates);
}

TEST_F(ControlBar, InsideRectangleLeavesBordersAndGripper) {
  struct Case {
    DWORD dwStyle;
    BOOL bHorz;
    CRect inside;  // of (0, 0, 100, 50)
  } cases[] = {
    {0, TRUE, CRect(6, 1, 94, 49)},
    {CBRS_BORDER_ANY, TRUE, CRect(8, 3, 92, 47)},
    {CBRS_BORDER_TOP | CBRS_GRIPPER, TRUE, CRect(13, 3, 94, 49)},
    {CBRS_GRIPPER | CBRS_FLOATING, TRUE, CRect(6, 1, 94, 49)},  // floating: no gripper
    {0, FALSE, CRect(1, 6, 99, 44)},                             // vertical: borders turned
    {CBRS_GRIPPER | CBRS_BORDER_LEFT, FALSE, CRect(3, 13, 99, 44)},
  };
  CFixedBar bar;
  for (const Case& c : cases) {
    bar.m_dwStyle = c.dwStyle;
    CRect rect(0, 0, 100, 50);
    bar.CalcInsideRect(rect, c.bHorz);
    EXPECT_EQ(c.inside, rect) << std::hex << c.dwStyle << " horz " << c.bHorz;
  }
}

TEST_F(ControlBar, UnhandledCommandsAndNotificationsGoToTheOwner) {
  CRoutingFrame* pFrame = (CRoutingFrame*)frame;
  CFixedBar* bar = NewBar(0x7001);
  frame->DockControlBar(bar, AFX_IDW_DOCKBAR_TOP);
  HWND hButton = ::CreateWindowExW(0, L"BUTTON", L"b", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, bar->m_hWnd, (HMENU)0x8001,
                                   nullptr, nullptr);
  bar->SendMessage(WM_COMMAND, MAKEWPARAM(0x8001, BN_CLICKED), (LPARAM)hButton);
  EXPECT_EQ(1, pFrame->commands);
  NMHDR nm = {hButton, 0x8001, (UINT)NM_CLICK};
  EXPECT_EQ(5, bar->SendMessage(WM_NOTIFY, 0x8001, (LPARAM)&nm));
  EXPECT_EQ(1, pFrame->notifies);
  // The owner stays the frame the bar was docked on, also while it floats.
  frame->FloatControlBar(bar, CPoint(300, 300));
  bar->SendMessage(WM_COMMAND, MAKEWPARAM(0x8001, BN_CLICKED), (LPARAM)hButton);
  EXPECT_EQ(2, pFrame->commands);
}

TEST_F(ControlBar, ToolTipAndFlyByPromptComeFromTheCommandString) {
  CStatusBar* status = new CStatusBar;
  status->m_bAutoDelete = TRUE;
  ASSERT_TRUE(status->Create(frame));
  UINT indicators[] = {ID_SEPARATOR};
  status->SetIndicators(indicators, 1);
  CFixedBar* bar = NewBar(0x7001, CSize(200, 30), WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY);
  frame->DockControlBar(bar, AFX_IDW_DOCKBAR_TOP);
  frame->RecalcLayout();
  HWND hButton = ::CreateWindowExW(0, L"BUTTON", L"b", WS_CHILD | WS_VISIBLE, 20, 5, 40, 20, bar->m_hWnd,
                                   (HMENU)0x8001, nullptr, nullptr);
  // The tooltip asks the bar; the frame answers with the text after the line break.
  NMTTDISPINFOW info = {};
  info.hdr.hwndFrom = hButton;
  info.hdr.idFrom = (UINT_PTR)hButton;
  info.hdr.code = TTN_NEEDTEXTW;
  info.uFlags = TTF_IDISHWND;
  bar->SendMessage(WM_NOTIFY, 0, (LPARAM)&info);
  EXPECT_STREQ(L"Tip of one", info.lpszText);
  // Moving over the button shows its prompt in the status bar; leaving brings the idle prompt.
  MSG msg = {hButton, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5)};
  msg.pt = CPoint(25, 10);
  ::ClientToScreen(bar->m_hWnd, &msg.pt);
  bar->PreTranslateMessage(&msg);
  EXPECT_STREQ(L"Prompt of one", status->GetPaneText(0));
  EXPECT_NE(nullptr, AfxGetThreadToolTip());  // the thread's tooltip control now exists
  msg.hwnd = bar->m_hWnd;
  msg.pt = CPoint(150, 10);
  ::ClientToScreen(bar->m_hWnd, &msg.pt);
  bar->PreTranslateMessage(&msg);
  EXPECT_STREQ(L"Ready", status->GetPaneText(0));
}

TEST_F(ControlBar, StatusBarPanesFollowIndicatorsAndUpdates) {
  CStatusBar* status = new CStatusBar;
  status->m_bAutoDelete = TRUE;
  ASSERT_TRUE(status->Create(frame));
  UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM};
  ASSERT_TRUE(status->SetIndicators(indicators, 3));
  EXPECT_EQ(3, status->GetCount());
  EXPECT_STREQ(L"CAP", status->GetPaneText(1));
  EXPECT_EQ(2, status->CommandToIndex(ID_INDICATOR_NUM));
  EXPECT_EQ(3, status->SendMessage(SB_GETPARTS, 0, 0));
  frame->SetMessageText(L"Working");
  EXPECT_STREQ(L"Working", status->GetPaneText(0));
  wchar_t text[32] = {};
  status->SendMessage(SB_GETTEXTW, 0, (LPARAM)text);
  EXPECT_STREQ(L"Working", text);
  // At the bottom, across the frame, as high as the font needs.
  frame->RecalcLayout();
  CRect client, rect = RectInParent(status);
  frame->GetClientRect(&client);
  EXPECT_EQ(client.bottom, rect.bottom);
  EXPECT_EQ(client.Width(), rect.Width());
  EXPECT_EQ(status->CalcFixedLayout(TRUE, TRUE).cy, rect.Height());
  // A disabled pane shows no text but keeps it.
  status->SetPaneStyle(2, SBPS_DISABLED);
  status->SendMessage(SB_GETTEXTW, 2, (LPARAM)text);
  EXPECT_STREQ(L"", text);
  EXPECT_STREQ(L"NUM", status->GetPaneText(2));
}

TEST_F(ControlBar, DialogBarTakesTemplateSizeAndUpdatesItsControls) {
  CDialogBar* bar = new CDialogBar;
  bar->m_bAutoDelete = TRUE;
  ASSERT_TRUE(bar->Create(frame, 200, CBRS_TOP, 0x7010));
  EXPECT_EQ(0x7010, bar->GetDlgCtrlID());
  EXPECT_GT(bar->m_sizeDefault.cx, 0);
  EXPECT_GT(bar->m_sizeDefault.cy, 0);
  EXPECT_EQ(bar, frame->GetControlBar(0x7010));
  frame->RecalcLayout();
  CRect client, rect = RectInParent(bar);
  frame->GetClientRect(&client);
  EXPECT_EQ(CRect(0, 0, client.right, bar->m_sizeDefault.cy), rect);
  // Idle time: a button without a handler is disabled, one with a handler enabled, a check box
  // without a handler left alone.
  theApp.OnIdle(0);
  EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(bar->m_hWnd, 0x8001)));
  EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(bar->m_hWnd, 0x8002)));
  EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(bar->m_hWnd, 0x8003)));
}

TEST_F(ControlBar, ElementArrayIsZeroFilled) {
  struct CElementBar : public CFixedBar {
    BOOL Alloc(int n, int cb) { return AllocElements(n, cb); }
  } bar;
  ASSERT_TRUE(bar.Alloc(3, 16));
  memset(bar.m_pData, 0x5A, 48);
  ASSERT_TRUE(bar.Alloc(5, 8));  // a new array replaces the old one, zero-filled
  EXPECT_EQ(5, bar.GetCount());
  for (int i = 0; i < 40; ++i) ASSERT_EQ(0, ((BYTE*)bar.m_pData)[i]);
  EXPECT_FALSE(bar.Alloc(-1, 8));
}

TEST_F(ControlBar, BarMenuCommandsFindFloatingBars) {
  CFixedBar* bar = NewBar(ID_VIEW_TOOLBAR);
  frame->DockControlBar(bar, AFX_IDW_DOCKBAR_TOP);
  frame->FloatControlBar(bar, CPoint(300, 300));
  // The menu check and the command see the floating bar through the frame's bar list.
  CRecordingCmdUI ui;
  ui.m_nID = ID_VIEW_TOOLBAR;
  ui.DoUpdate(frame, FALSE);
  EXPECT_EQ(1, ui.check);
  frame->SendMessage(WM_COMMAND, ID_VIEW_TOOLBAR);
  EXPECT_FALSE(bar->IsWindowVisible());
  EXPECT_FALSE(bar->GetDockingFrame()->IsWindowVisible());
  ui.DoUpdate(frame, FALSE);
  EXPECT_EQ(0, ui.check);
}

TEST_F(ControlBar, ReBarIsAsHighAsItsVisibleBandRows) {
  CReBar* rebar = new CReBar;
  rebar->m_bAutoDelete = TRUE;
  ASSERT_TRUE(rebar->Create(frame));
  EXPECT_EQ(rebar, frame->GetControlBar(AFX_IDW_REBAR));
  CFixedBar* one = NewBar(0x7001, CSize(100, 30));
  CFixedBar* two = NewBar(0x7002, CSize(120, 40));
  ASSERT_TRUE(rebar->AddBar(one));
  EXPECT_EQ(rebar->m_hWnd, ::GetParent(one->m_hWnd));  // the band holds the bar
  frame->RecalcLayout();
  // The bands' rows plus the rebar's bottom border.
  auto bandsHeight = [rebar] {
    CRect bound;
    for (int i = 0, n = (int)rebar->SendMessage(RB_GETBANDCOUNT); i < n; ++i) {
      CRect r;
      rebar->SendMessage(RB_GETRECT, i, (LPARAM)&r);
      bound.UnionRect(bound, r);
    }
    return bound.Height();
  };
  int oneRow = RectInParent(rebar).Height();
  EXPECT_GE(oneRow, 30 + 2);
  EXPECT_EQ(bandsHeight() + 2, oneRow);
  ASSERT_TRUE(rebar->AddBar(two, L"Two", nullptr, RBBS_GRIPPERALWAYS | RBBS_BREAK));
  frame->RecalcLayout();
  int twoRows = RectInParent(rebar).Height();
  EXPECT_GE(twoRows, oneRow + 40);
  EXPECT_EQ(bandsHeight() + 2, twoRows);
  // A hidden bar's band is hidden with it.
  frame->ShowControlBar(two, FALSE, FALSE);
  EXPECT_EQ(oneRow, RectInParent(rebar).Height());
  CRect client;
  frame->GetClientRect(&client);
  EXPECT_EQ(client.Width(), RectInParent(rebar).Width());
}
