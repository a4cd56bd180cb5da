// The framework's dock rows and saved bar layout, on a frame under the display: framework bars
// touch, a menu bar takes its own row, a bar is never left hanging past the edge; the layout of
// docked and floating bars comes back after the frame is made again; a right click on a dock bar
// asks the frame for the toolbar menu.
#include "FramesTestKit.h"
#include "frames/UfxFrameWnd.h"
#include "bars/UfxMenuBar.h"
#include "bars/UfxToolBar.h"
#include "frames/UfxToolDockBar.h"
#include "frames/UfxWorkspace.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

class CDockTestApp : public CWinApp, public CUfxWorkspace {
public:
  CDockTestApp() : CWinApp(L"DockTest"), CUfxWorkspace(FALSE) {}
};
CDockTestApp theApp;

// Bars of a fixed size (turned when vertical), of three kinds: the platform's own, a framework
// toolbar and a framework menu bar.
template <class Base> class CSizedBar : public Base {
public:
  CSize size;
  explicit CSizedBar(CSize sz) : size(sz) { this->m_bAutoDelete = TRUE; }
  BOOL Make(CWnd* pParent, UINT nID, DWORD dwAlign = CBRS_TOP) {
    if (!this->CWnd::Create(nullptr, L"bar", WS_CHILD | WS_VISIBLE | dwAlign, CRect(0, 0, 0, 0), pParent, nID))
      return FALSE;
    this->EnableDocking(CBRS_ALIGN_ANY);
    return TRUE;
  }
  CSize CalcFixedLayout(BOOL, BOOL bHorz) override { return bHorz ? size : CSize(size.cy, size.cx); }
  CSize CalcDynamicLayout(int, DWORD nMode) override { return CalcFixedLayout(FALSE, (nMode & LM_HORZ) != 0); }
};
using CPlainBar = CSizedBar<CControlBar>;
using CToolBarDouble = CSizedBar<CUfxToolBar>;
using CMenuBarDouble = CSizedBar<CUfxMenuBar>;

std::vector<std::pair<WPARAM, LPARAM>> g_popupRequests;

class CDockFrame : public CUfxFrameWnd {
public:
  afx_msg LRESULT OnToolbarPopup(WPARAM wParam, LPARAM lParam) {
    g_popupRequests.emplace_back(wParam, lParam);
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CDockFrame, CUfxFrameWnd)
  ON_REGISTERED_MESSAGE(UFXM_TOOLBAR_POPUPMENU, OnToolbarPopup)
END_MESSAGE_MAP()


const wchar_t kAppKey[] = L"Software\\Ferrow Software\\DockTest";

class DockingTest : public ::testing::Test {
protected:
  void SetUp() override {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kAppKey);
    theApp.SetRegistryKey(L"Ferrow Software");
    theApp.SetRegistryBase(L"Settings");
    frame = NewFrame();
  }
  void TearDown() override {
    if (frame != nullptr && ::IsWindow(frame->m_hWnd)) frame->DestroyWindow();
    theApp.m_pMainWnd = nullptr;
    PumpPending();
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kAppKey);
  }
  static CDockFrame* NewFrame() { return NewDockingFrame<CDockFrame>(); }
  template <class Bar> Bar* Add(CDockFrame* pFrame, UINT nID, CSize size, UINT nDockBar = AFX_IDW_DOCKBAR_TOP,
                                LPCRECT lpRect = nullptr) {
    Bar* pBar = new Bar(size);
    EXPECT_TRUE(pBar->Make(pFrame, nID));
    pFrame->DockControlBar(pBar, nDockBar, lpRect);
    return pBar;
  }
  static CRect InParent(CWnd* pWnd) {
    CRect r;
    pWnd->GetWindowRect(&r);
    ::MapWindowPoints(nullptr, ::GetParent(pWnd->m_hWnd), (LPPOINT)&r, 2);
    return r;
  }
  CDockBar* Dock(UINT nID) const { return DYNAMIC_DOWNCAST(CDockBar, frame->GetControlBar(nID)); }
  CDockFrame* frame = nullptr;
};

TEST_F(DockingTest, TheFrameHasFrameworkDockBarsOnEverySide) {
  for (UINT nID : {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT}) {
    CControlBar* pBar = frame->GetControlBar(nID);
    ASSERT_NE(nullptr, pBar) << nID;
    EXPECT_TRUE(pBar->IsKindOf(RUNTIME_CLASS(CUfxToolDockBar))) << nID;
  }
  CControlBar* pTop = frame->GetControlBar(AFX_IDW_DOCKBAR_TOP);
  frame->EnableDocking(CBRS_ALIGN_TOP);  // a second call keeps them
  EXPECT_EQ(pTop, frame->GetControlBar(AFX_IDW_DOCKBAR_TOP));
}

TEST_F(DockingTest, FrameworkBarsTouchAndPlatformBarsOverlap) {
  CToolBarDouble* a = Add<CToolBarDouble>(frame, 1001, CSize(100, 26));
  CToolBarDouble* b = Add<CToolBarDouble>(frame, 1002, CSize(80, 26));
  frame->DockControlBarLeftOf(b, a);
  frame->RecalcLayout();
  const CRect ra = InParent(a), rb = InParent(b);
  EXPECT_EQ(0, ra.left);
  EXPECT_EQ(0, ra.top);
  EXPECT_EQ(ra.top, rb.top);      // one row
  EXPECT_EQ(ra.right, rb.left);   // edge to edge

  CPlainBar* c = Add<CPlainBar>(frame, 1003, CSize(100, 26), AFX_IDW_DOCKBAR_BOTTOM);
  CPlainBar* d = Add<CPlainBar>(frame, 1004, CSize(100, 26), AFX_IDW_DOCKBAR_BOTTOM);
  frame->DockControlBarLeftOf(d, c);
  frame->RecalcLayout();
  const CRect rc = InParent(c), rd = InParent(d);
  EXPECT_EQ(rc.top, rd.top);
  EXPECT_EQ(rc.right - 2, rd.left);  // the platform's own overlap
}

TEST_F(DockingTest, AMenuBarTakesItsOwnFullWidthRow) {
  CToolBarDouble* tools = Add<CToolBarDouble>(frame, 1001, CSize(100, 26));
  CMenuBarDouble* menu = Add<CMenuBarDouble>(frame, 1002, CSize(150, 20));
  frame->DockControlBarLeftOf(menu, tools);  // asked to share the toolbar's row
  frame->RecalcLayout();
  CRect rectDock;
  Dock(AFX_IDW_DOCKBAR_TOP)->GetClientRect(&rectDock);
  const CRect rt = InParent(tools), rm = InParent(menu);
  EXPECT_EQ(0, rm.left);
  EXPECT_EQ(rectDock.Width(), rm.Width());
  EXPECT_NE(rt.top, rm.top);
  EXPECT_EQ(rt.bottom, rm.top);  // the next row, touching
}

TEST_F(DockingTest, ABarPastTheRightEdgeIsPulledBackOrCut) {
  CRect rectFrame;
  frame->GetClientRect(&rectFrame);
  const int width = rectFrame.Width();
  CToolBarDouble* first = Add<CToolBarDouble>(frame, 1001, CSize(100, 26));
  frame->RecalcLayout();
  CRect rectFirst;
  first->GetWindowRect(&rectFirst);
  // Dropped in the first bar's row, far to the right.
  CRect drop(rectFirst.left + width - 40, rectFirst.top + 1, rectFirst.left + width + 60, rectFirst.bottom);
  CToolBarDouble* moved = Add<CToolBarDouble>(frame, 1002, CSize(100, 26), AFX_IDW_DOCKBAR_TOP, &drop);
  frame->RecalcLayout();
  CRect rm = InParent(moved);
  EXPECT_EQ(width, rm.right);
  EXPECT_EQ(100, rm.Width());
  EXPECT_EQ(InParent(first).top, rm.top);

  CToolBarDouble* wide = Add<CToolBarDouble>(frame, 1003, CSize(width + 200, 26), AFX_IDW_DOCKBAR_BOTTOM);
  frame->RecalcLayout();
  const CRect rw = InParent(wide);
  EXPECT_EQ(0, rw.left);
  EXPECT_EQ(width, rw.right);  // cut at the edge
}

TEST_F(DockingTest, RightButtonUpOverADockBarAsksForTheToolbarMenu) {
  Add<CToolBarDouble>(frame, 1001, CSize(100, 26));
  frame->RecalcLayout();
  g_popupRequests.clear();
  CDockBar* pDock = Dock(AFX_IDW_DOCKBAR_TOP);
  CRect rectDock;
  pDock->GetWindowRect(&rectDock);
  const CPoint ptClient(rectDock.Width() - 10, 5);  // beside the toolbar, on the dock bar itself
  ::PostMessageW(pDock->m_hWnd, WM_RBUTTONUP, 0, MAKELPARAM(ptClient.x, ptClient.y));
  PumpPending();
  ASSERT_EQ(1u, g_popupRequests.size());
  EXPECT_EQ((WPARAM)frame->m_hWnd, g_popupRequests[0].first);
  const CPoint ptScreen = rectDock.TopLeft() + ptClient;
  EXPECT_EQ(MAKELPARAM(ptScreen.x, ptScreen.y), g_popupRequests[0].second);
}

// The rows, a hidden bar and a floating bar come back in a frame made again.
TEST_F(DockingTest, TheSavedLayoutComesBackInANewFrame) {
  auto build = [this](CDockFrame* pFrame) {
    Add<CPlainBar>(pFrame, 1001, CSize(100, 26));
    Add<CPlainBar>(pFrame, 1002, CSize(120, 26));
    Add<CPlainBar>(pFrame, 1003, CSize(90, 26), AFX_IDW_DOCKBAR_LEFT);
    Add<CPlainBar>(pFrame, 1004, CSize(110, 26));
  };
  build(frame);
  frame->RecalcLayout();
  // Bar 1002 joins the row of 1001; 1004 floats.
  frame->DockControlBarLeftOf((CControlBar*)frame->GetControlBar(1002), frame->GetControlBar(1001));
  frame->FloatControlBar(frame->GetControlBar(1004), CPoint(300, 600));
  frame->RecalcLayout();
  const CRect r1 = InParent(frame->GetControlBar(1001)), r2 = InParent(frame->GetControlBar(1002));
  const CRect r3 = InParent(frame->GetControlBar(1003));
  CRect rFloat;
  frame->GetControlBar(1004)->GetParentFrame()->GetWindowRect(&rFloat);
  ASSERT_TRUE(theApp.SaveState(nullptr, frame->GetFrameImpl()));
  frame->DestroyWindow();
  PumpPending();

  frame = NewFrame();
  build(frame);
  ASSERT_TRUE(theApp.LoadState(nullptr, frame->GetFrameImpl()));
  frame->RecalcLayout();
  PumpPending();
  EXPECT_EQ(r1, InParent(frame->GetControlBar(1001)));
  EXPECT_EQ(r2, InParent(frame->GetControlBar(1002)));
  EXPECT_EQ(r3, InParent(frame->GetControlBar(1003)));
  CControlBar* pFloating = frame->GetControlBar(1004);
  ASSERT_TRUE(pFloating->IsFloating());
  CRect rFloat2;
  pFloating->GetParentFrame()->GetWindowRect(&rFloat2);
  EXPECT_EQ(rFloat.TopLeft(), rFloat2.TopLeft());
}

TEST_F(DockingTest, ALayoutNamingAMissingBarLoadsWithoutIt) {
  Add<CPlainBar>(frame, 1001, CSize(100, 26));
  Add<CPlainBar>(frame, 1002, CSize(100, 26), AFX_IDW_DOCKBAR_LEFT);
  Add<CPlainBar>(frame, 1005, CSize(100, 26));
  frame->FloatControlBar(frame->GetControlBar(1005), CPoint(300, 600));
  frame->RecalcLayout();
  const CRect r2 = InParent(frame->GetControlBar(1002));
  ASSERT_TRUE(theApp.SaveState(nullptr, frame->GetFrameImpl()));
  frame->DestroyWindow();
  PumpPending();

  frame = NewFrame();  // bar 1005 (a deleted user toolbar) is gone
  Add<CPlainBar>(frame, 1001, CSize(100, 26));
  Add<CPlainBar>(frame, 1002, CSize(100, 26));  // docked on top by default
  EXPECT_TRUE(theApp.LoadState(nullptr, frame->GetFrameImpl()));
  frame->RecalcLayout();
  EXPECT_EQ(r2, InParent(frame->GetControlBar(1002)));  // back on the left
  EXPECT_EQ(nullptr, frame->GetControlBar(1005));
}

// A rebar with two bands (the second of a fixed size) holding plain child windows 2001 and 2002.
CReBar* AddRebar(CFrameWnd* pFrame) {
  CReBar* pRebar = new CReBar;
  pRebar->m_bAutoDelete = TRUE;
  EXPECT_TRUE(pRebar->Create(pFrame));
  for (int id : {2001, 2002}) {
    HWND hChild = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 90, 24, pFrame->m_hWnd,
                                    (HMENU)(INT_PTR)id, nullptr, nullptr);
    pRebar->AddBar(CWnd::FromHandle(hChild), id == 2001 ? L"A" : L"B", nullptr,
                   RBBS_GRIPPERALWAYS | (id == 2002 ? RBBS_FIXEDSIZE : 0));
  }
  return pRebar;
}

struct Band {
  int id;
  UINT cx, cxMinChild;
  bool operator==(const Band& o) const { return id == o.id && cx == o.cx && cxMinChild == o.cxMinChild; }
};
std::vector<Band> Bands(CReBar* pRebar) {
  std::vector<Band> bands;
  const int n = (int)pRebar->SendMessage(RB_GETBANDCOUNT);
  for (int i = 0; i < n; ++i) {
    REBARBANDINFOW rbbi = {};
    rbbi.cbSize = sizeof(rbbi);
    rbbi.fMask = RBBIM_CHILD | RBBIM_SIZE | RBBIM_CHILDSIZE;
    pRebar->SendMessage(RB_GETBANDINFOW, i, (LPARAM)&rbbi);
    bands.push_back({(int)::GetWindowLongW(rbbi.hwndChild, GWL_ID), rbbi.cx, rbbi.cxMinChild});
  }
  return bands;
}

TEST_F(DockingTest, RebarBandsComeBackInANewFrameWithoutGrowing) {
  CReBar* pRebar = AddRebar(frame);
  pRebar->SendMessage(RB_MOVEBAND, 1, 0);  // B first
  REBARBANDINFOW rbbi = {};
  rbbi.cbSize = sizeof(rbbi);
  rbbi.fMask = RBBIM_SIZE;
  rbbi.cx = 230;
  pRebar->SendMessage(RB_SETBANDINFOW, 1, (LPARAM)&rbbi);
  frame->RecalcLayout();
  const std::vector<Band> saved = Bands(pRebar);
  ASSERT_EQ(2002, saved[0].id);
  ASSERT_TRUE(theApp.SaveState(nullptr, frame->GetFrameImpl()));

  const CString key = CString(kAppKey) + L"\\Settings\\UfxRebar-" + CString(std::to_wstring(AFX_IDW_REBAR).c_str());
  BYTE bytes[200];
  DWORD cb = sizeof(bytes);
  ASSERT_EQ(ERROR_SUCCESS, ::RegGetValueW(HKEY_CURRENT_USER, key, L"RBI", RRF_RT_REG_BINARY, nullptr, bytes, &cb));
  ASSERT_EQ(160u, cb);
  for (int i = 0; i < 2; ++i) {
    const BYTE* rec = bytes + 80 * i;
    EXPECT_EQ(80u, *(const UINT*)rec);
    EXPECT_EQ(0xB61u, *(const UINT*)(rec + 4));
    EXPECT_EQ(0u, *(const UINT*)(rec + 32));  // no window handle
  }
  int ids[4] = {};
  cb = sizeof(ids);
  ASSERT_EQ(ERROR_SUCCESS, ::RegGetValueW(HKEY_CURRENT_USER, key, L"IDs", RRF_RT_REG_BINARY, nullptr, ids, &cb));
  ASSERT_EQ(8u, cb);
  EXPECT_EQ(2002, ids[0]);
  EXPECT_EQ(2001, ids[1]);

  for (int run = 0; run < 3; ++run) {  // each start loads what the last one saved
    frame->DestroyWindow();
    PumpPending();
    frame = NewFrame();
    pRebar = AddRebar(frame);
    ASSERT_TRUE(theApp.LoadState(nullptr, frame->GetFrameImpl()));
    frame->RecalcLayout();
    EXPECT_EQ(saved, Bands(pRebar)) << "run " << run;
    ASSERT_TRUE(theApp.SaveState(nullptr, frame->GetFrameImpl()));
  }
}

TEST_F(DockingTest, ARebarWithOtherBandsIsLeftAlone) {
  CReBar* pRebar = AddRebar(frame);
  pRebar->SendMessage(RB_MOVEBAND, 1, 0);
  ASSERT_TRUE(theApp.SaveState(nullptr, frame->GetFrameImpl()));
  frame->DestroyWindow();
  PumpPending();
  frame = NewFrame();
  pRebar = AddRebar(frame);
  HWND hThird = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 50, 24, frame->m_hWnd,
                                  (HMENU)(INT_PTR)2003, nullptr, nullptr);
  pRebar->AddBar(CWnd::FromHandle(hThird), L"C");
  const std::vector<Band> before = Bands(pRebar);
  ASSERT_TRUE(theApp.LoadState(nullptr, frame->GetFrameImpl()));
  EXPECT_EQ(before, Bands(pRebar));
}

}  // namespace
