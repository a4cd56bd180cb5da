// Floating and docking: floating frames that fit their bars, toggling back to the same row and
// place, drags and resizes driven by posted mouse messages, and floating frames that hide with
// their last bar.
#include "BarTestKit.h"

static CBarTestApp theApp;
CBarTestApp& TheApp() { return theApp; }

class Docking : public BarFrameTest {
protected:
  // Posts a mouse message to the bar at a screen point.
  static void PostMouse(CWnd* pBar, UINT message, CPoint ptScreen, WPARAM wParam = 0) {
    CPoint pt = ptScreen;
    pBar->ScreenToClient(&pt);
    pBar->PostMessage(message, wParam, MAKELPARAM(pt.x, pt.y));
  }
  static CPoint Center(CWnd* pWnd) {
    CRect r;
    pWnd->GetWindowRect(&r);
    return r.CenterPoint();
  }
};

TEST_F(Docking, FloatingFrameFitsTheBarAndToggleDockingReturnsToItsRowAndPlace) {
  DockedBar(0x7001);
  CFixedBar* two = NewBar(0x7002, CSize(80, 30));
  CFixedBar* three = NewBar(0x7003, CSize(60, 30));
  CDockBar* pTop = DockBar(AFX_IDW_DOCKBAR_TOP);
  DockAt(two, AFX_IDW_DOCKBAR_TOP, CRect(150, 0, 230, 30));
  frame->DockControlBar(three, AFX_IDW_DOCKBAR_TOP);
  frame->RecalcLayout();
  CRect docked = RectInParent(two);
  std::vector<void*> rows(pTop->m_arrBars.GetData(), pTop->m_arrBars.GetData() + pTop->m_arrBars.GetSize());

  two->m_pDockContext->ToggleDocking();
  ASSERT_TRUE(two->IsFloating());
  CMiniDockFrameWnd* pFloat = DYNAMIC_DOWNCAST(CMiniDockFrameWnd, two->GetDockingFrame());
  ASSERT_NE(nullptr, pFloat);
  EXPECT_TRUE(pFloat->IsWindowVisible());
  // The frame's client area is the bar less the 2-pixel edge its dock bar covers on each side.
  CRect client;
  pFloat->GetClientRect(&client);
  EXPECT_EQ(CSize(80 - 4, 30 - 4), client.Size());
  EXPECT_EQ(CRect(-2, -2, 78, 28), RectInParent(two));
  // The bar's place is kept by its id in the row it left.
  EXPECT_EQ((void*)(UINT_PTR)0x7002, pTop->m_arrBars[2]);
  EXPECT_EQ(2, pTop->GetDockedCount());

  two->m_pDockContext->ToggleDocking();
  PumpPending();
  EXPECT_FALSE(two->IsFloating());
  EXPECT_EQ(pTop, two->m_pDockBar);
  std::vector<void*> after(pTop->m_arrBars.GetData(), pTop->m_arrBars.GetData() + pTop->m_arrBars.GetSize());
  EXPECT_EQ(rows, after);
  EXPECT_EQ(docked, RectInParent(two));
  // The floating frame went with its last bar.
  EXPECT_FALSE(::IsWindow(pFloat->m_hWnd));
}

TEST_F(Docking, DoubleClickTogglesDocking) {
  CFixedBar* bar = DockedBar(0x7001);
  bar->PostMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(50, 10));
  PumpPending();
  EXPECT_TRUE(bar->IsFloating());
  bar->PostMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(50, 10));
  PumpPending();
  EXPECT_FALSE(bar->IsFloating());
}

TEST_F(Docking, DragToTheLeftEdgeDocksLeftAndEscapeLeavesTheBar) {
  CFixedBar* bar = DockedBar(0x7001);
  CRect client = ScreenClient();
  CPoint start = Center(bar);
  CPoint leftEdge(client.left + 4, client.top + 200);

  // Escape: the bar stays where it was.
  CRect before = RectInParent(bar);
  PostMouse(bar, WM_LBUTTONDOWN, start, MK_LBUTTON);
  PostMouse(bar, WM_MOUSEMOVE, leftEdge, MK_LBUTTON);
  bar->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
  PumpPending();
  EXPECT_EQ(DockBar(AFX_IDW_DOCKBAR_TOP), bar->m_pDockBar);
  EXPECT_EQ(before, RectInParent(bar));
  EXPECT_EQ(nullptr, ::GetCapture());

  // Button up over the left edge: docked left, turned upright.
  PostMouse(bar, WM_LBUTTONDOWN, start, MK_LBUTTON);
  PostMouse(bar, WM_MOUSEMOVE, leftEdge, MK_LBUTTON);
  PostMouse(bar, WM_LBUTTONUP, leftEdge);
  PumpPending();
  CDockBar* pLeft = DockBar(AFX_IDW_DOCKBAR_LEFT);
  EXPECT_EQ(pLeft, bar->m_pDockBar);
  EXPECT_EQ((DWORD)CBRS_ALIGN_LEFT, bar->GetBarStyle() & CBRS_ALIGN_ANY);
  EXPECT_EQ(CSize(30, 100), RectInParent(bar).Size());
  EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_LEFT, bar->m_pDockContext->m_uMRUDockID);
  EXPECT_EQ(0, DockBar(AFX_IDW_DOCKBAR_TOP)->GetDockedCount());
}

TEST_F(Docking, DragAwayFromTheFrameFloatsAndCtrlKeepsItFloating) {
  CFixedBar* bar = DockedBar(0x7001);
  CRect client = ScreenClient();
  // Ctrl held over the top edge: it floats anyway.
  CPoint start = Center(bar);
  CPoint overTop(client.left + 300, client.top + 5);
  PostMouse(bar, WM_LBUTTONDOWN, start, MK_LBUTTON);
  bar->PostMessage(WM_KEYDOWN, VK_CONTROL, 0);
  PostMouse(bar, WM_MOUSEMOVE, overTop, MK_LBUTTON | MK_CONTROL);
  PostMouse(bar, WM_LBUTTONUP, overTop, MK_CONTROL);
  PumpPending();
  ASSERT_TRUE(bar->IsFloating());
  CFrameWnd* pFloat = bar->GetDockingFrame();
  EXPECT_EQ((DWORD)CBRS_ALIGN_TOP, bar->m_pDockContext->m_dwMRUFloatStyle & CBRS_ALIGN_ANY);
  CRect rect;
  pFloat->GetWindowRect(&rect);
  EXPECT_EQ(bar->m_pDockContext->m_ptMRUFloatPos, rect.TopLeft());
}

TEST_F(Docking, QuitDuringADragEndsTheLoopAndReachesTheProgramLoop) {
  CFixedBar* bar = DockedBar(0x7001);
  CPoint start = Center(bar);
  PostMouse(bar, WM_LBUTTONDOWN, start, MK_LBUTTON);
  PostMouse(bar, WM_MOUSEMOVE, start + CPoint(0, 200), MK_LBUTTON);
  ::PostQuitMessage(7);
  MSG msg;
  ASSERT_TRUE(::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  ASSERT_EQ((UINT)WM_LBUTTONDOWN, msg.message);
  ::DispatchMessageW(&msg);  // the drag loop runs and ends here
  EXPECT_EQ(nullptr, ::GetCapture());
  EXPECT_FALSE(bar->IsFloating());
  ASSERT_TRUE(::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ((UINT)WM_QUIT, msg.message);
  EXPECT_EQ(7u, msg.wParam);
}

TEST_F(Docking, ResizingAFloatingDynamicBarAsksForLengthsInTheDocumentedModes) {
  struct Case {
    UINT nHitTest;
    CPoint move;     // from the press
    DWORD dwStretchMode;
    CSize final;     // of the bar
  } cases[] = {
    {HTRIGHT, CPoint(40, 0), LM_HORZ, CSize(140, 30)},
    {HTLEFT, CPoint(-30, 0), LM_HORZ, CSize(130, 30)},
    {HTBOTTOM, CPoint(0, 25), LM_HORZ | LM_LENGTHY, CSize(100, 55)},
  };
  UINT nID = 0x7100;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.nHitTest);
    // A dynamic bar that keeps the size it is committed to.
    struct CDynamicBar : public CFixedBar {
      CSize CalcDynamicLayout(int nLength, DWORD nMode) override {
        layoutCalls.emplace_back(nLength, nMode);
        if (nMode & (LM_HORZDOCK | LM_VERTDOCK)) return CalcFixedLayout(FALSE, (nMode & LM_HORZ) != 0);
        if (nMode & LM_MRUWIDTH) return size;
        CSize s = (nMode & LM_LENGTHY) ? CSize(size.cx, nLength) : CSize(nLength, size.cy);
        if (nMode & LM_COMMIT) size = CSize(nLength, size.cy), s = size;
        return s;
      }
    };
    CDynamicBar* bar = new CDynamicBar;
    bar->m_bAutoDelete = TRUE;
    ASSERT_TRUE(bar->Create(frame, ++nID, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC));
    bar->EnableDocking(CBRS_ALIGN_ANY);
    frame->FloatControlBar(bar, CPoint(300, 300));
    CFrameWnd* pFloat = bar->GetDockingFrame();
    CRect frameRect;
    pFloat->GetWindowRect(&frameRect);
    CPoint press = c.nHitTest == HTRIGHT ? CPoint(frameRect.right - 1, frameRect.CenterPoint().y)
                   : c.nHitTest == HTLEFT ? CPoint(frameRect.left, frameRect.CenterPoint().y)
                                          : CPoint(frameRect.CenterPoint().x, frameRect.bottom - 1);
    bar->layoutCalls.clear();
    pFloat->PostMessage(WM_NCLBUTTONDOWN, c.nHitTest, MAKELPARAM(press.x, press.y));
    PostMouse(bar, WM_MOUSEMOVE, press + c.move, MK_LBUTTON);
    PostMouse(bar, WM_LBUTTONUP, press + c.move);
    PumpPending();
    ASSERT_GE(bar->layoutCalls.size(), 3u);
    // First the floating size, then a length per step, last the commit of the width.
    EXPECT_EQ(std::make_pair(0, (DWORD)(LM_HORZ | LM_MRUWIDTH)), bar->layoutCalls.front());
    bool stretched = false;
    for (auto& call : bar->layoutCalls) stretched = stretched || call == std::make_pair((int)(c.nHitTest == HTBOTTOM ? 55 : c.final.cx), c.dwStretchMode);
    EXPECT_TRUE(stretched);
    bool committed = false;
    for (auto& call : bar->layoutCalls) committed = committed || call.second == (DWORD)(LM_HORZ | LM_COMMIT);
    EXPECT_TRUE(committed);
    bar->DestroyWindow();
  }
}

TEST_F(Docking, HidingTheLastBarOfAFloatingFrameHidesTheFrame) {
  CFixedBar* one = NewBar(0x7001);
  CFixedBar* two = NewBar(0x7002);
  frame->FloatControlBar(one, CPoint(300, 300));
  CMiniDockFrameWnd* pFloat = DYNAMIC_DOWNCAST(CMiniDockFrameWnd, one->GetDockingFrame());
  ASSERT_NE(nullptr, pFloat);
  // Two bars in one floating frame: hiding one keeps the frame.
  pFloat->m_wndDockBar.DockControlBar(two);
  pFloat->RecalcLayout();
  frame->ShowControlBar(one, FALSE, FALSE);
  EXPECT_TRUE(pFloat->IsWindowVisible());
  frame->ShowControlBar(two, FALSE, TRUE);  // delayed: at the next idle time
  EXPECT_TRUE(pFloat->IsWindowVisible());
  theApp.OnIdle(0);
  EXPECT_FALSE(pFloat->IsWindowVisible());
  // Showing a bar shows the frame again; closing the frame hides its bars and itself.
  frame->ShowControlBar(one, TRUE, FALSE);
  EXPECT_TRUE(pFloat->IsWindowVisible());
  pFloat->SendMessage(WM_CLOSE);
  EXPECT_FALSE(one->IsWindowVisible());
  EXPECT_FALSE(pFloat->IsWindowVisible());
  EXPECT_TRUE(::IsWindow(pFloat->m_hWnd));  // hidden, not destroyed
}

TEST_F(Docking, MiniFrameStylesGiveAToolWindowAndBlockedSizing) {
  CMiniFrameWnd* pMini = new CMiniFrameWnd;
  ASSERT_TRUE(pMini->CreateEx(0, nullptr, L"mini", WS_POPUP | WS_CAPTION | MFS_THICKFRAME | MFS_MOVEFRAME,
                              CRect(200, 200, 400, 300), frame));
  EXPECT_TRUE(pMini->GetExStyle() & WS_EX_TOOLWINDOW);
  EXPECT_TRUE(pMini->GetStyle() & WS_THICKFRAME);
  // With MFS_MOVEFRAME the border moves the frame instead of sizing it.
  CRect rect;
  pMini->GetWindowRect(&rect);
  EXPECT_EQ((LRESULT)HTCAPTION, pMini->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(rect.left + 1, rect.CenterPoint().y)));
  pMini->DestroyWindow();
  // A plain popup mini frame (menus, drop-downs) has no caption.
  CMiniFrameWnd* pPopup = new CMiniFrameWnd;
  ASSERT_TRUE(pPopup->CreateEx(0, nullptr, nullptr, WS_POPUP | WS_BORDER, CRect(0, 0, 50, 50), frame));
  EXPECT_FALSE(pPopup->GetExStyle() & WS_EX_TOOLWINDOW);
  pPopup->DestroyWindow();
}
