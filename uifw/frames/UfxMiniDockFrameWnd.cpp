#include "frames/UfxMiniDockFrameWnd.h"
#include "frames/UfxFrameWnd.h"
#include "frames/UfxSizingControlBar.h"
#include "bars/UfxToolBar.h"
#include <algorithm>
#include "bars/UfxMenuGlyphs.h"
#include "bars/UfxPopupMenu.h"
#include "bars/UfxToolbarMenuButton.h"

IMPLEMENT_DYNCREATE(CUfxMiniDockFrameWnd, CMiniDockFrameWnd)

BEGIN_MESSAGE_MAP(CUfxMiniDockFrameWnd, CMiniDockFrameWnd)
  ON_WM_NCLBUTTONDOWN()
  ON_WM_NCRBUTTONDOWN()
  ON_WM_NCPAINT()
  ON_WM_NCACTIVATE()
  ON_WM_SIZE()
  ON_WM_WINDOWPOSCHANGING()
  ON_WM_WINDOWPOSCHANGED()
  ON_WM_NCMOUSEMOVE()
  ON_WM_TIMER()
  ON_WM_CLOSE()
END_MESSAGE_MAP()

BOOL CUfxMiniDockFrameWnd::s_bMovingOnScreen = FALSE;

namespace {
// Menu glyphs of the roll-up button.
const int kGlyphAutoRollUp = 19;
const int kGlyphUnrolled = 16;
const int kGlyphRolled = 0;

BOOL IsAutoRollUp(int nMode) { return nMode == 2 || nMode == 4; }

// The frame's border thickness by its style.
CSize FrameThickness(DWORD dwStyle) {
  if (dwStyle & WS_THICKFRAME) return CSize(::GetSystemMetrics(SM_CXFRAME), ::GetSystemMetrics(SM_CYFRAME));
  return CSize(::GetSystemMetrics(SM_CXDLGFRAME), ::GetSystemMetrics(SM_CYDLGFRAME));
}
}  // namespace

CUfxMiniDockFrameWnd::CUfxMiniDockFrameWnd() {
  m_rectRollUp.SetRectEmpty();
  m_rectRolledFrame.SetRect(-1, 0, -1, 0);
}

CUfxMiniDockFrameWnd::~CUfxMiniDockFrameWnd() = default;

BOOL CUfxMiniDockFrameWnd::Create(CWnd* pParent, DWORD dwBarStyle) {
  if (!CMiniDockFrameWnd::Create(pParent, dwBarStyle)) return FALSE;
  ModifyStyle(MFS_4THICKFRAME, 0);
  ModifyStyleEx(0, WS_EX_TOOLWINDOW);
  return TRUE;
}

CControlBar* CUfxMiniDockFrameWnd::GetFirstBar() const {
  const CDockBar& dockBar = m_wndDockBar;
  for (int nPos = 1; nPos < dockBar.m_arrBars.GetSize(); ++nPos)
    if (CControlBar* pBar = dockBar.GetDockedControlBar(nPos)) return pBar;
  return nullptr;
}

CUfxSizingControlBar* CUfxMiniDockFrameWnd::GetSizingBar() const {
  return DYNAMIC_DOWNCAST(CUfxSizingControlBar, GetFirstBar());
}

void CUfxMiniDockFrameWnd::CopyRollUpState() {
  if (CUfxSizingControlBar* pBar = GetSizingBar()) {
    if (pBar->m_nRollUpMode != 0) {
      m_nRollUpMode = pBar->m_nRollUpMode;
      m_bRolled = pBar->m_bRolled;
    }
  }
}

BOOL CUfxMiniDockFrameWnd::IsPopupMenuActive() {
  return CUfxPopupMenu::GetActiveMenu() != nullptr;
}

BOOL CUfxMiniDockFrameWnd::IsCursorInside() const {
  CPoint pt;
  ::GetCursorPos(&pt);
  HWND hWnd = ::WindowFromPoint(pt);
  return hWnd != nullptr && (hWnd == m_hWnd || ::IsChild(m_hWnd, hWnd));
}

BOOL CUfxMiniDockFrameWnd::IsFocusInside() const {
  HWND hFocus = ::GetFocus();
  return hFocus != nullptr && (hFocus == m_hWnd || ::IsChild(m_hWnd, hFocus));
}

// ---- the roll-up button -------------------------------------------------------------------------

void CUfxMiniDockFrameWnd::OnSize(UINT nType, int cx, int cy) {
  CMiniDockFrameWnd::OnSize(nType, cx, cy);
  m_nRollUpMode = 0;
  m_rectRollUp.SetRectEmpty();
  CUfxSizingControlBar* pBar = GetSizingBar();
  if (pBar == nullptr || pBar->m_nRollUpMode == 0) return;
  m_nRollUpMode = pBar->m_nRollUpMode;
  m_bRolled = pBar->m_bRolled;
  CRect rectWindow;
  GetWindowRect(&rectWindow);
  const int right = rectWindow.Width();
  const CSize frame = FrameThickness(GetStyle());
  const int cxSize = ::GetSystemMetrics(SM_CXSMSIZE), cySize = ::GetSystemMetrics(SM_CYSMSIZE);
  m_rectRollUp.SetRect(right - frame.cx - 2 * cxSize, frame.cy + 2, right - frame.cx - cxSize - 2,
                       frame.cy + cySize - 2);
  RedrawWindow(nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void CUfxMiniDockFrameWnd::OnNcPaint() {
  Default();
  if (m_nRollUpMode != 0) DrawRollUpButton();
}

void CUfxMiniDockFrameWnd::DrawRollUpButton() {
  if (m_rectRollUp.IsRectEmpty()) return;
  CWindowDC dc(this);
  CRect rect = m_rectRollUp;
  dc.DrawFrameControl(&rect, DFC_BUTTON, DFCS_BUTTONPUSH);
  const int nGlyph = IsAutoRollUp(m_nRollUpMode) ? kGlyphAutoRollUp : m_bRolled ? kGlyphRolled : kGlyphUnrolled;
  const CSize sizeGlyph = CUfxMenuGlyphs::GetSize();
  const CPoint pt(rect.left + (rect.Width() - sizeGlyph.cx) / 2, rect.top + (rect.Height() - sizeGlyph.cy) / 2);
  CUfxMenuGlyphs::Draw(&dc, nGlyph, pt);
}

void CUfxMiniDockFrameWnd::ClickRollUpButton() {
  CUfxSizingControlBar* pBar = GetSizingBar();
  if (pBar == nullptr || pBar->m_nRollUpMode == 0) return;
  switch (pBar->m_nRollUpMode) {
    case 2: pBar->m_nRollUpMode = 3; pBar->m_bRolled = FALSE; break;
    case 3: pBar->m_nRollUpMode = 2; break;
    case 4: pBar->m_nRollUpMode = 5; pBar->m_bRolled = FALSE; break;
    case 5: pBar->m_nRollUpMode = 4; break;
    default: pBar->m_bRolled = !pBar->m_bRolled; break;
  }
  m_nRollUpMode = pBar->m_nRollUpMode;
  m_bRolled = pBar->m_bRolled;
  SendMessage(WM_NCPAINT);
  DelayRecalcLayout(TRUE);
}

// ---- mouse in the non-client area ---------------------------------------------------------------

void CUfxMiniDockFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point) {
  CRect rectWindow;
  GetWindowRect(&rectWindow);
  if (m_nRollUpMode != 0 && m_rectRollUp.PtInRect(CPoint(point.x - rectWindow.left, point.y - rectWindow.top))) {
    ClickRollUpButton();
    return;
  }
  CControlBar* pBar = GetFirstBar();
  if (nHitTest == HTCAPTION) {
    if (CWnd* pTop = GetTopLevelParent()) pTop->SetActiveWindow();
    ::SetWindowPos(m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if ((m_wndDockBar.m_dwStyle & CBRS_FLOAT_MULTI) || pBar == nullptr || pBar->m_pDockContext == nullptr) {
      Default();
      return;
    }
    pBar->m_pDockContext->StartDrag(point);
    return;
  }
  if (nHitTest >= HTSIZEFIRST && nHitTest <= HTSIZELAST) {
    if (CWnd* pTop = GetTopLevelParent()) pTop->SetActiveWindow();
    CUfxSizingControlBar* pSizing = GetSizingBar();
    if (pSizing != nullptr && pSizing->m_pDockContext != nullptr) {
      pSizing->m_pDockContext->StartResize((int)nHitTest, point);
      return;
    }
    CMiniDockFrameWnd::OnNcLButtonDown(nHitTest, point);
    return;
  }
  Default();
}

void CUfxMiniDockFrameWnd::OnNcRButtonDown(UINT nHitTest, CPoint point) {
  if (CUfxToolBar::IsCustomizeMode()) return;
  CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, GetParent());
  if (pFrame != nullptr)
    pFrame->SendMessage(UFXM_TOOLBAR_POPUPMENU, (WPARAM)m_hWnd, MAKELPARAM(point.x, point.y));
}

BOOL CUfxMiniDockFrameWnd::OnNcActivate(BOOL bActive) {
  const BOOL bResult = CMiniDockFrameWnd::OnNcActivate(bActive);
  SendMessage(WM_NCPAINT);
  if (bActive) {
    if (CControlBar* pBar = GetFirstBar())
      pBar->RedrawWindow(nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_ERASE | RDW_INVALIDATE);
  }
  return bResult;
}

void CUfxMiniDockFrameWnd::OnClose() {
  CUfxSizingControlBar* pBar = GetSizingBar();
  if (pBar == nullptr || pBar->CanBeClosed()) CMiniDockFrameWnd::OnClose();
}

// ---- automatic roll-up --------------------------------------------------------------------------

void CUfxMiniDockFrameWnd::OnWindowPosChanging(WINDOWPOS* lpWndPos) {
  Default();
  CUfxSizingControlBar* pBar = GetSizingBar();
  if (pBar == nullptr || pBar->m_nRollUpMode == 0) return;
  m_nRollUpMode = pBar->m_nRollUpMode;
  m_bRolled = pBar->m_bRolled;
  if (!m_bRolled) return;
  lpWndPos->cy = ::GetSystemMetrics(SM_CYSMCAPTION) + 2 * ::GetSystemMetrics(SM_CYFRAME) - 1;
  if (m_nRollUpMode != 4) return;
  if (m_rectRolledFrame.left == -1 && m_rectRolledFrame.right == -1) {
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    CString strTitle;
    pBar->GetWindowText(strTitle);
    CWindowDC dc(this);
    const int cxText = dc.GetTextExtent(strTitle).cx;
    m_rectRolledFrame = rectWindow;
    m_rectRolledFrame.right = rectWindow.left + cxText + 3 * ::GetSystemMetrics(SM_CXSMSIZE) +
                              2 * ::GetSystemMetrics(SM_CXFRAME) + 4;
  }
  lpWndPos->cx = m_rectRolledFrame.Width();
}

void CUfxMiniDockFrameWnd::OnNcMouseMove(UINT nHitTest, CPoint point) {
  Default();
  CUfxSizingControlBar* pBar = GetSizingBar();
  if (pBar == nullptr || !IsAutoRollUp(pBar->m_nRollUpMode)) return;
  CWnd* pMain = AfxGetMainWnd();
  if ((pMain != nullptr && !pMain->IsWindowEnabled()) || IsPopupMenuActive() || ::GetFocus() == nullptr) return;
  pBar->m_bRolled = FALSE;
  m_bRolled = FALSE;
  ::SetWindowPos(m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  DelayRecalcLayout(TRUE);
  SetTimer((UINT_PTR)pBar->GetDlgCtrlID(), kRollUpTimerPeriod, nullptr);
  m_nLeaveCountdown = kLeaveTicks;
}

void CUfxMiniDockFrameWnd::OnTimer(UINT_PTR nIDEvent) {
  CUfxSizingControlBar* pBar = GetSizingBar();
  if (pBar == nullptr || nIDEvent != (UINT_PTR)pBar->GetDlgCtrlID()) {
    CMiniDockFrameWnd::OnTimer(nIDEvent);
    return;
  }
  if (IsCursorInside()) {
    m_nLeaveCountdown = kLeaveTicks;
    if (!IsPopupMenuActive() && IsWindowEnabled() && ::GetFocus() != nullptr)
      ::SetWindowPos(m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return;
  }
  if (IsFocusInside() || ::GetCapture() == pBar->m_hWnd || IsPopupMenuActive()) {
    m_nLeaveCountdown = kLeaveTicks;
    return;
  }
  if (IsAutoRollUp(pBar->m_nRollUpMode) && m_nLeaveCountdown <= 0) {
    pBar->m_bRolled = TRUE;
    m_bRolled = TRUE;
    DelayRecalcLayout(TRUE);
    KillTimer(nIDEvent);
  }
  --m_nLeaveCountdown;
}

// ---- the caption stays on the work area -------------------------------------------------------

void CUfxMiniDockFrameWnd::OnWindowPosChanged(WINDOWPOS* lpWndPos) {
  Default();
  if (s_bMovingOnScreen || (lpWndPos->flags & SWP_NOMOVE)) return;
  CControlBar* pBar = GetFirstBar();
  if (pBar == nullptr || !pBar->IsFloating()) return;
  CRect rectWindow;
  GetWindowRect(&rectWindow);
  CRect rectWork;
  MONITORINFO mi = {};
  mi.cbSize = sizeof(mi);
  if (::GetMonitorInfoW(::MonitorFromPoint(rectWindow.TopLeft(), MONITOR_DEFAULTTONEAREST), &mi))
    rectWork = mi.rcWork;
  else
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rectWork, 0);
  CPoint pt = rectWindow.TopLeft();
  const int cyCaption = ::GetSystemMetrics(SM_CYSMCAPTION);
  if (pt.y < rectWork.top) pt.y = rectWork.top;
  else if (pt.y + cyCaption > rectWork.bottom) pt.y = std::max(rectWork.bottom - cyCaption, rectWork.top);
  if (pt == rectWindow.TopLeft()) return;
  s_bMovingOnScreen = TRUE;
  SetWindowPos(nullptr, pt.x, pt.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  s_bMovingOnScreen = FALSE;
}

// ---- tearing off ------------------------------------------------------------------------------

BOOL CUfxMiniDockFrameWnd::StartTearOff(CUfxPopupMenu* pMenuPopup) {
  HWND hPopup = pMenuPopup != nullptr ? pMenuPopup->GetSafeHwnd() : nullptr;
  if (hPopup != nullptr) {
    pMenuPopup->ShowWindow(SW_HIDE);
    CUfxToolbarMenuButton* pButton = pMenuPopup->GetParentButton();
    CUfxToolBar* pParentBar = pMenuPopup->GetParentToolBar();
    if (pButton != nullptr && pParentBar != nullptr && pParentBar->GetSafeHwnd() != nullptr) {
      CRect rect = pButton->Rect();
      rect.InflateRect(4, 4);
      pParentBar->InvalidateRect(&rect);
      pParentBar->UpdateWindow();
    }
  }
  CControlBar* pBar = GetFirstBar();
  if (pBar == nullptr) return FALSE;
  const DWORD dwDockStyle = pBar->m_dwDockStyle;
  pBar->EnableDocking(0);

  MSG msg;
  while (::PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE) && msg.message == WM_PAINT)
    ::DispatchMessageW(&msg);
  if (::GetCapture() != nullptr) {
    pBar->EnableDocking(dwDockStyle);
    return FALSE;
  }
  pBar->SetCapture();
  CRect rectFrame;
  GetWindowRect(&rectFrame);
  const CPoint ptGrip(rectFrame.Width() / 2, 5);
  ::SetCursorPos(rectFrame.left + ptGrip.x, rectFrame.top + ptGrip.y);

  BOOL bDropped = FALSE;
  while (::GetCapture() == pBar->m_hWnd) {
    if (!::GetMessageW(&msg, nullptr, 0, 0)) {
      ::PostQuitMessage((int)msg.wParam);
      break;
    }
    if (msg.message == WM_MOUSEMOVE) {
      CPoint pt((short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam));
      ::ClientToScreen(msg.hwnd, &pt);
      SetWindowPos(nullptr, pt.x - ptGrip.x, pt.y - ptGrip.y, 0, 0, SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOSIZE);
    } else if (msg.message == WM_LBUTTONUP) {
      bDropped = TRUE;
      break;
    } else if ((msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) || msg.message == WM_RBUTTONDOWN) {
      break;
    } else {
      ::DispatchMessageW(&msg);
    }
  }
  if (::GetCapture() == pBar->m_hWnd) ::ReleaseCapture();
  pBar->EnableDocking(dwDockStyle);

  if (hPopup != nullptr && ::IsWindow(hPopup)) {
    if (bDropped) {
      ::SendMessageW(hPopup, WM_CLOSE, 0, 0);
      if (CFrameWnd* pTop = UfxGetTopLevelFrame(this)) pTop->SetFocus();
    } else {
      ::ShowWindow(hPopup, SW_SHOWNOACTIVATE);
    }
  }
  if (!bDropped) {
    // A cancelled tear-off leaves nothing behind: the frame keeps no pointer to the deleted bar.
    if (CUfxFrameWnd* pTop = DYNAMIC_DOWNCAST(CUfxFrameWnd, UfxGetTopLevelFrame(this))) pTop->RemoveTearOffBar(pBar);
    const BOOL bAutoDelete = pBar->m_bAutoDelete;
    pBar->DestroyWindow();
    if (!bAutoDelete) delete pBar;
  }
  return bDropped;
}
