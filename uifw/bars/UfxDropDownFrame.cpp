#include "bars/UfxDropDownFrame.h"
#include "bars/UfxDropDownToolbarButton.h"
#include "frames/UfxGlobalData.h"

IMPLEMENT_SERIAL(CUfxDropDownFrame, CMiniFrameWnd, VERSIONABLE_SCHEMA | 1)

CString CUfxDropDownFrame::s_strClassName;

namespace {
const UINT kDropDownBarId = 59431;
const int kFrameBorder = 3;  // the frame's double edge and the gap inside it
}

BEGIN_MESSAGE_MAP(CUfxDropDownFrame, CMiniFrameWnd)
  ON_WM_CREATE()
  ON_WM_SIZE()
  ON_WM_PAINT()
  ON_WM_MOUSEACTIVATE()
  ON_WM_DESTROY()
  ON_WM_ERASEBKGND()
  ON_WM_ACTIVATEAPP()
END_MESSAGE_MAP()

CUfxDropDownFrame::~CUfxDropDownFrame() {
  if (m_pParentBtn != nullptr && m_pParentBtn->m_pPopupMenu == this) m_pParentBtn->m_pPopupMenu = nullptr;
}

CWnd* CUfxDropDownFrame::ParentBar() const { return m_pParentBtn != nullptr ? m_pParentBtn->m_pWndParent : nullptr; }

BOOL CUfxDropDownFrame::IsParentBarHorizontal() const {
  CControlBar* pBar = DYNAMIC_DOWNCAST(CControlBar, ParentBar());
  return pBar == nullptr || (pBar->GetBarStyle() & CBRS_ORIENT_HORZ) != 0;
}

BOOL CUfxDropDownFrame::Create(CWnd* pWndParent, int x, int y, CUfxDropDownToolBar* pWndOriginToolbar) {
  if (s_strClassName.IsEmpty())
    s_strClassName = AfxRegisterWndClass(CS_SAVEBITS, ::LoadCursorW(nullptr, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1));
  m_pWndOriginToolbar = pWndOriginToolbar;
  if (x == -1 && y == -1 && pWndParent != nullptr) {
    CRect rectParent;
    pWndParent->GetClientRect(rectParent);
    pWndParent->ClientToScreen(rectParent);
    x = rectParent.left + 5;
    y = rectParent.top + 5;
  }
  m_x = x;
  m_y = y;
  DWORD dwExStyle = 0;
  if (pWndParent != nullptr && (pWndParent->GetExStyle() & WS_EX_LAYOUTRTL)) dwExStyle |= WS_EX_LAYOUTRTL;
  CWnd* pOwner = pWndParent != nullptr ? pWndParent->GetOwner() : nullptr;
  if (pOwner == nullptr) pOwner = pWndParent;
  if (!CMiniFrameWnd::CreateEx(dwExStyle, s_strClassName, L"", WS_POPUP, CRect(x, y, x + 1, y + 1), pOwner, 0))
    return FALSE;
  ShowWindow(SW_SHOWNOACTIVATE);
  return TRUE;
}

int CUfxDropDownFrame::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CMiniFrameWnd::OnCreate(lpCreateStruct) == -1) return -1;
  const DWORD dwAlign = IsParentBarHorizontal() ? CBRS_ALIGN_LEFT : CBRS_ALIGN_TOP;
  if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | dwAlign, CRect(1, 1, 1, 1), kDropDownBarId))
    return -1;
  m_wndToolBar.SetOwner(ParentBar() != nullptr ? ParentBar()->GetOwner() : nullptr);
  if (m_pWndOriginToolbar != nullptr) m_wndToolBar.CopyFromSource(*m_pWndOriginToolbar);
  RecalcLayout();
  m_wndToolBar.SetCapture();
  return 0;
}

CPoint CUfxDropDownFrame::PlaceFrame(CPoint pt, CSize sizeFrame, const CRect& rectButton, BOOL bHorzBar,
                                     const CRect& rectBar, const CRect& rectWork) {
  if (pt.x + sizeFrame.cx > rectWork.right) {
    // Under a horizontal bar it ends one pixel inside the work area.
    pt.x = bHorzBar ? rectWork.right - sizeFrame.cx - 1 : rectBar.left - sizeFrame.cx;
  }
  if (pt.y + sizeFrame.cy > rectWork.bottom) {
    if (!rectButton.IsRectEmpty()) pt.y = rectButton.top - sizeFrame.cy - 4;
    else pt.y -= sizeFrame.cy;
    if (pt.y < rectWork.top) pt.y = rectWork.top;
  }
  return pt;
}

void CUfxDropDownFrame::RecalcLayout(BOOL) {
  if (m_wndToolBar.GetSafeHwnd() == nullptr) return;
  const BOOL bHorzToolbar = !IsParentBarHorizontal();
  CSize size = m_wndToolBar.CalcFixedLayout(FALSE, bHorzToolbar);
  size += CSize(2 * kFrameBorder, 2 * kFrameBorder);
  CRect rectButton;
  CRect rectBar;
  if (CWnd* pBar = ParentBar()) {
    rectButton = m_pParentBtn->Rect();
    pBar->ClientToScreen(rectButton);
    pBar->GetWindowRect(rectBar);
  }
  MONITORINFO mi = {sizeof(mi)};
  const HMONITOR hMonitor = ::MonitorFromPoint(rectButton.IsRectEmpty() ? CPoint(m_x, m_y) : rectButton.CenterPoint(),
                                               MONITOR_DEFAULTTONEAREST);
  CRect rectWork(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
  if (::GetMonitorInfoW(hMonitor, &mi)) rectWork = mi.rcWork;
  const CPoint pt = PlaceFrame(CPoint(m_x, m_y), size, rectButton, IsParentBarHorizontal(), rectBar, rectWork);
  SetWindowPos(nullptr, pt.x, pt.y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CUfxDropDownFrame::OnSize(UINT nType, int cx, int cy) {
  CMiniFrameWnd::OnSize(nType, cx, cy);
  if (m_wndToolBar.GetSafeHwnd() != nullptr)
    m_wndToolBar.SetWindowPos(nullptr, kFrameBorder - 1, kFrameBorder - 1, cx - 2 * (kFrameBorder - 1),
                              cy - 2 * (kFrameBorder - 1), SWP_NOZORDER | SWP_NOACTIVATE);
}

void CUfxDropDownFrame::OnPaint() {
  CPaintDC dc(this);
  CRect rect;
  GetClientRect(rect);
  dc.Draw3dRect(rect, UfxGlobalData.clrBtnLight, UfxGlobalData.clrBtnDkShadow);
  rect.DeflateRect(1, 1);
  dc.Draw3dRect(rect, UfxGlobalData.clrBtnHilite, UfxGlobalData.clrBtnShadow);
}

BOOL CUfxDropDownFrame::OnEraseBkgnd(CDC* pDC) {
  CRect rect;
  GetClientRect(rect);
  pDC->FillSolidRect(rect, UfxGlobalData.clrBtnFace);
  return TRUE;
}

int CUfxDropDownFrame::OnMouseActivate(CWnd*, UINT, UINT) { return MA_NOACTIVATE; }

void CUfxDropDownFrame::OnActivateApp(BOOL bActive, DWORD dwThreadID) {
  CMiniFrameWnd::OnActivateApp(bActive, dwThreadID);
  if (!bActive && !CUfxToolBar::IsCustomizeMode()) PostMessage(WM_CLOSE);
}

void CUfxDropDownFrame::OnDestroy() {
  CUfxDropDownToolbarButton* pButton = m_pParentBtn;
  if (pButton != nullptr) {
    pButton->m_pPopupMenu = nullptr;
    pButton->m_nStyle &= ~TBBS_PRESSED;
    // The bar that held the button pressed lets it go.
    if (CWnd* pBar = ParentBar()) {
      if (::IsWindow(pBar->GetSafeHwnd())) {
        CPoint point;
        ::GetCursorPos(&point);
        pBar->ScreenToClient(&point);
        pBar->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
      }
    }
  }
  CMiniFrameWnd::OnDestroy();
}

void CUfxDropDownFrame::PostNcDestroy() {
  CUfxDropDownToolbarButton* pButton = m_pParentBtn;
  m_pParentBtn = nullptr;
  if (pButton != nullptr) pButton->OnCancelMode();
  delete this;
}
