// Shared by the bar and docking tests: an application object that records help calls, a
// fixed-size bar that records its layout questions and a frame with dock bars. The queue is pumped
// the way the framework's loop does (FrameworkPump.h).
#pragma once
#include "Framework.h"
#include "FrameworkPump.h"
#include <gtest/gtest.h>
#include <utility>
#include <vector>

class CBarTestApp : public CWinApp {
public:
  CBarTestApp() : CWinApp(L"FwBarTest") {}
  std::vector<std::pair<UINT, DWORD_PTR>> helpCalls;  // (command, data) of every help request
  BOOL CallWinHelp(HWND, LPCWSTR, UINT nCmd, DWORD_PTR dwData) override {
    helpCalls.emplace_back(nCmd, dwData);
    return TRUE;
  }
};
CBarTestApp& TheApp();

// A bar of a fixed size (cx x cy when horizontal, turned when vertical); a dynamic one takes
// the length it is asked for.
class CFixedBar : public CControlBar {
public:
  CSize size;
  std::vector<std::pair<int, DWORD>> layoutCalls;  // (length, mode) of CalcDynamicLayout
  int updates = 0;
  explicit CFixedBar(CSize sz = CSize(100, 30)) : size(sz) {}
  BOOL Create(CWnd* pParent, UINT nID, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP, LPCWSTR name = L"bar") {
    return CWnd::Create(nullptr, name, dwStyle, CRect(0, 0, 0, 0), pParent, nID);
  }
  CSize CalcFixedLayout(BOOL, BOOL bHorz) override { return bHorz ? size : CSize(size.cy, size.cx); }
  CSize CalcDynamicLayout(int nLength, DWORD nMode) override {
    layoutCalls.emplace_back(nLength, nMode);
    if ((nMode & (LM_HORZDOCK | LM_VERTDOCK)) || nLength <= 0 || (nMode & LM_MRUWIDTH))
      return CalcFixedLayout(FALSE, (nMode & LM_HORZ) != 0);
    if (nMode & LM_COMMIT) return size;
    return (nMode & LM_LENGTHY) ? CSize(size.cx, nLength) : CSize(nLength, size.cy);
  }
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisable) override {
    ++updates;
    CControlBar::OnUpdateCmdUI(pTarget, bDisable);
  }
};

// A frame at a known place with the four dock bars.
class BarFrameTest : public ::testing::Test {
protected:
  CFrameWnd* frame = nullptr;
  virtual CFrameWnd* MakeFrame() { return new CFrameWnd; }
  void SetUp() override {
    frame = MakeFrame();
    // A popup with a plain border: the display has no window manager to wait for.
    ASSERT_TRUE(frame->Create(nullptr, L"frame", WS_POPUP | WS_BORDER | WS_CLIPCHILDREN, CRect(100, 100, 700, 500)));
    frame->EnableDocking(CBRS_ALIGN_ANY);
    frame->ShowWindow(SW_SHOWNOACTIVATE);
    TheApp().m_pMainWnd = frame;
  }
  void TearDown() override {
    if (::IsWindow(frame->m_hWnd)) frame->DestroyWindow();
    TheApp().m_pMainWnd = nullptr;
    PumpPending();
  }
  CDockBar* DockBar(UINT nID) { return DYNAMIC_DOWNCAST(CDockBar, frame->GetControlBar(nID)); }
  // A bar's rectangle in its parent's client coordinates.
  static CRect RectInParent(CWnd* pWnd) {
    CRect r;
    pWnd->GetWindowRect(&r);
    ::MapWindowPoints(nullptr, ::GetParent(pWnd->m_hWnd), (LPPOINT)&r, 2);
    return r;
  }
  // A new bar docked alone in a new row of the top dock bar, laid out.
  CFixedBar* DockedBar(UINT nID, CSize size = CSize(100, 30)) {
    CFixedBar* pBar = NewBar(nID, size);
    frame->DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP);
    frame->RecalcLayout();
    return pBar;
  }
  // Docks pBar at a place given in the dock bar's client coordinates.
  void DockAt(CControlBar* pBar, UINT nDockBar, CRect place) {
    DockBar(nDockBar)->ClientToScreen(&place);
    frame->DockControlBar(pBar, nDockBar, &place);
  }
  // The frame's client area on the screen.
  CRect ScreenClient() {
    CRect client;
    frame->GetClientRect(&client);
    frame->ClientToScreen(&client);
    return client;
  }
  // A new dockable bar on the frame (deleted with its window).
  CFixedBar* NewBar(UINT nID, CSize size = CSize(100, 30), DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                    DWORD dwDock = CBRS_ALIGN_ANY) {
    CFixedBar* pBar = new CFixedBar(size);
    pBar->m_bAutoDelete = TRUE;
    EXPECT_TRUE(pBar->Create(frame, nID, dwStyle));
    pBar->EnableDocking(dwDock);
    return pBar;
  }
};

// Records what an update handler sets (-1: nothing).
struct CRecordingCmdUI : public CCmdUI {
  int check = -1, enabled = -1;
  void Enable(BOOL bOn) override { enabled = bOn; }
  void SetCheck(int nCheck) override { check = nCheck; }
};
