// CControlBar: creation and links to the frame, the layout pass, delayed show and hide, idle
// updates, borders and gripper, messages routed to the owner, fly-by prompts.
#include "Framework.h"
#include "FwDockContext.h"
#include "FwDockState.h"
#include <cstdlib>

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

// Gripper geometry: border, grip, border.
static const int kGripperBorder = 2, kGripper = 3, kGripperSpace = kGripperBorder + kGripper + kGripperBorder;

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_CTLCOLOR()
  ON_WM_WINDOWPOSCHANGING()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_MOUSEACTIVATE()
  ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
  ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
  ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
END_MESSAGE_MAP()

CControlBar::CControlBar() = default;

CControlBar::~CControlBar() {
  // Normally undone at WM_DESTROY; done again for bars that never had or lost their window.
  if (m_pDockBar != nullptr) m_pDockBar->ForgetBar(this);
  if (m_pDockSite != nullptr) m_pDockSite->RemoveControlBar(this);
  if (m_hWnd != nullptr) CWnd::DestroyWindow();
  delete m_pDockContext;
  m_pDockContext = nullptr;
  free(m_pData);
  m_pData = nullptr;
}

BOOL CControlBar::AllocElements(int nElements, int cbElement) {
  if (nElements < 0 || cbElement <= 0) return FALSE;
  void* pData = nullptr;
  if (nElements > 0) {
    pData = calloc((size_t)nElements, (size_t)cbElement);
    if (pData == nullptr) return FALSE;
  }
  free(m_pData);
  m_pData = pData;
  m_nCount = nElements;
  return TRUE;
}

BOOL CControlBar::PreCreateWindow(CREATESTRUCT& cs) {
  // The bar styles live in m_dwStyle. In a window of the bars' own class they are no window
  // styles; a control's class (status, rebar) keeps its low word, made by its Create.
  DWORD dwBarBits = CBRS_GRIPPER;
  if (cs.lpszClass == nullptr) {
    cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1));
    dwBarBits = CBRS_ALL;
  }
  m_dwStyle |= cs.style & dwBarBits;
  cs.style &= ~dwBarBits;
  cs.style |= WS_CLIPSIBLINGS;
  return CWnd::PreCreateWindow(cs);
}

int CControlBar::OnCreate(LPCREATESTRUCT lpcs) {
  if (CWnd::OnCreate(lpcs) == -1) return -1;
  if (m_dwStyle & CBRS_TOOLTIPS) EnableToolTips(TRUE);
  CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, CWnd::FromHandlePermanent(::GetParent(m_hWnd)));
  if (pFrame != nullptr) {
    m_pDockSite = pFrame;
    m_pDockSite->AddControlBar(this);
  }
  return 0;
}

void CControlBar::OnDestroy() {
  CancelToolTips();
  // Windows are going: the entry goes without relayouts or frames ending.
  if (m_pDockBar != nullptr) {
    m_pDockBar->ForgetBar(this);
    m_pDockBar = nullptr;
  }
  if (m_pDockSite != nullptr) {
    m_pDockSite->RemoveControlBar(this);
    m_pDockSite = nullptr;
  }
  CWnd::OnDestroy();
}

BOOL CControlBar::DestroyWindow() {
  // A floating bar goes with its floating frame.
  if (m_hWnd != nullptr && IsFloating()) {
    CFrameWnd* pFrame = GetDockingFrame();
    if (pFrame != nullptr && pFrame != m_pDockSite) return pFrame->DestroyWindow();
  }
  return CWnd::DestroyWindow();
}

void CControlBar::PostNcDestroy() {
  if (m_bAutoDelete) delete this;
}

void CControlBar::SetBorders(int cxLeft, int cyTop, int cxRight, int cyBottom) {
  m_cxLeftBorder = cxLeft;
  m_cyTopBorder = cyTop;
  m_cxRightBorder = cxRight;
  m_cyBottomBorder = cyBottom;
}

void CControlBar::SetBarStyle(DWORD dwStyle) {
  if (m_dwStyle == dwStyle) return;
  DWORD dwOldStyle = m_dwStyle;
  m_dwStyle = dwStyle;
  OnBarStyleChange(dwOldStyle, dwStyle);
}

void CControlBar::OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle) {
  if (m_hWnd != nullptr && ((dwOldStyle ^ dwNewStyle) & CBRS_TOOLTIPS))
    EnableToolTips((dwNewStyle & CBRS_TOOLTIPS) != 0);
}

void CControlBar::EnableDocking(DWORD dwDockStyle) {
  m_dwDockStyle = dwDockStyle;
  if (m_pDockContext == nullptr) m_pDockContext = new CDockContext(this);
  // Commands of a bar that may float still go to the frame it was made on.
  if (m_hWndOwner == nullptr) m_hWndOwner = ::GetParent(m_hWnd);
}

BOOL CControlBar::IsFloating() const {
  if (IsDockBar()) return ((const CDockBar*)this)->m_bFloating;
  return m_pDockBar != nullptr && m_pDockBar->m_bFloating;
}

BOOL CControlBar::IsVisible() const {
  if (m_nStateFlags & delayHide) return FALSE;
  return (m_nStateFlags & delayShow) || (GetStyle() & WS_VISIBLE);
}

CFrameWnd* CControlBar::GetDockingFrame() const {
  CFrameWnd* pFrame = GetParentFrame();
  return pFrame != nullptr ? pFrame : m_pDockSite;
}

// ---- layout ---------------------------------------------------------------------------------
CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  return CSize(bStretch && bHorz ? 32767 : 0, bStretch && !bHorz ? 32767 : 0);
}

CSize CControlBar::CalcDynamicLayout(int, DWORD nMode) {
  return CalcFixedLayout((nMode & LM_STRETCH) != 0, (nMode & LM_HORZ) != 0);
}

void CControlBar::CalcInsideRect(CRect& rect, BOOL bHorz) const {
  if (m_dwStyle & CBRS_BORDER_LEFT) rect.left += 2;
  if (m_dwStyle & CBRS_BORDER_TOP) rect.top += 2;
  if (m_dwStyle & CBRS_BORDER_RIGHT) rect.right -= 2;
  if (m_dwStyle & CBRS_BORDER_BOTTOM) rect.bottom -= 2;
  bool gripper = (m_dwStyle & (CBRS_GRIPPER | CBRS_FLOATING)) == CBRS_GRIPPER;
  if (bHorz) {
    rect.left += m_cxLeftBorder;
    rect.top += m_cyTopBorder;
    rect.right -= m_cxRightBorder;
    rect.bottom -= m_cyBottomBorder;
    if (gripper) rect.left += kGripperSpace;
  } else {
    rect.left += m_cyTopBorder;
    rect.top += m_cxLeftBorder;
    rect.right -= m_cyBottomBorder;
    rect.bottom -= m_cxRightBorder;
    if (gripper) rect.top += kGripperSpace;
  }
}

DWORD CControlBar::RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout) {
  DWORD dwStyle = GetStyle();
  if (!(m_nStateFlags & (delayHide | delayShow))) return dwStyle;
  if (m_nStateFlags & delayHide) dwStyle &= ~WS_VISIBLE;
  if (m_nStateFlags & delayShow) dwStyle |= WS_VISIBLE;
  // A query pass only measures; a real pass applies the change with the layout's batch.
  if (lpLayout == nullptr || lpLayout->hDWP != nullptr) {
    UINT swp = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
               ((dwStyle & WS_VISIBLE) ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
    if (lpLayout != nullptr) lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, m_hWnd, nullptr, 0, 0, 0, 0, swp);
    else ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, swp);
    m_nStateFlags &= ~(delayShow | delayHide);
  }
  return dwStyle;
}

void CControlBar::DelayShow(BOOL bShow) {
  m_nStateFlags &= ~(delayHide | delayShow);
  BOOL bVisible = (GetStyle() & WS_VISIBLE) != 0;
  if (bShow && !bVisible) m_nStateFlags |= delayShow;
  else if (!bShow && bVisible) m_nStateFlags |= delayHide;
}

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam) {
  AFX_SIZEPARENTPARAMS* lpLayout = (AFX_SIZEPARENTPARAMS*)lParam;
  DWORD dwStyle = RecalcDelayShow(lpLayout);
  if (!(dwStyle & WS_VISIBLE) || !(m_dwStyle & CBRS_ALIGN_ANY)) return 0;
  CRect rect(lpLayout->rect);
  CSize sizeAvail = rect.Size();
  DWORD dwMode = lpLayout->bStretch ? LM_STRETCH : 0;
  if ((m_dwStyle & CBRS_SIZE_DYNAMIC) && (m_dwStyle & CBRS_FLOATING)) dwMode |= LM_HORZ | LM_MRUWIDTH;
  else if (m_dwStyle & CBRS_ORIENT_HORZ) dwMode |= LM_HORZ | LM_HORZDOCK;
  else dwMode |= LM_VERTDOCK;
  CSize size = CalcDynamicLayout(-1, dwMode);
  size.cx = std::max(0L, std::min(size.cx, sizeAvail.cx));
  size.cy = std::max(0L, std::min(size.cy, sizeAvail.cy));
  if (m_dwStyle & CBRS_ORIENT_HORZ) {
    lpLayout->sizeTotal.cy += size.cy;
    lpLayout->sizeTotal.cx = std::max(lpLayout->sizeTotal.cx, size.cx);
    if (m_dwStyle & CBRS_ALIGN_TOP) {
      lpLayout->rect.top += size.cy;
    } else if (m_dwStyle & CBRS_ALIGN_BOTTOM) {
      rect.top = rect.bottom - size.cy;
      lpLayout->rect.bottom -= size.cy;
    }
  } else if (m_dwStyle & CBRS_ORIENT_VERT) {
    lpLayout->sizeTotal.cx += size.cx;
    lpLayout->sizeTotal.cy = std::max(lpLayout->sizeTotal.cy, size.cy);
    if (m_dwStyle & CBRS_ALIGN_LEFT) {
      lpLayout->rect.left += size.cx;
    } else if (m_dwStyle & CBRS_ALIGN_RIGHT) {
      rect.left = rect.right - size.cx;
      lpLayout->rect.right -= size.cx;
    }
  }
  rect.right = rect.left + size.cx;
  rect.bottom = rect.top + size.cy;
  // Only a real pass moves the bar; a query pass measures.
  if (lpLayout->hDWP != nullptr) AfxRepositionWindow(lpLayout, m_hWnd, &rect);
  return 0;
}

void CControlBar::OnWindowPosChanging(WINDOWPOS* lpWndPos) {
  CWnd::OnWindowPosChanging(lpWndPos);
  // A bar that changes size repaints its borders all over.
  if (!(lpWndPos->flags & SWP_NOSIZE)) Invalidate();
}

// ---- idle update ----------------------------------------------------------------------------
LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM) {
  BOOL bVisible = (GetStyle() & WS_VISIBLE) != 0;
  UINT swp = 0;
  if ((m_nStateFlags & delayHide) && bVisible) swp = SWP_HIDEWINDOW;
  else if ((m_nStateFlags & delayShow) && !bVisible) swp = SWP_SHOWWINDOW;
  m_nStateFlags &= ~(delayShow | delayHide);
  if (swp != 0)
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, swp | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  // Hidden bars, and bars of a hidden dock bar, need no update.
  if (!(GetStyle() & WS_VISIBLE)) return 0;
  if (m_pDockBar != nullptr && !(m_pDockBar->GetStyle() & WS_VISIBLE)) return 0;
  CFrameWnd* pTarget = DYNAMIC_DOWNCAST(CFrameWnd, GetOwner());
  if (pTarget == nullptr) pTarget = GetParentFrame();
  if (pTarget != nullptr) OnUpdateCmdUI(pTarget, (BOOL)wParam);
  return 0;
}

void CControlBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
  UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

// ---- painting -------------------------------------------------------------------------------
void CControlBar::OnPaint() {
  PAINTSTRUCT ps;
  HDC hdc = ::BeginPaint(m_hWnd, &ps);
  DoPaint(CDC::FromHandle(hdc));
  ::EndPaint(m_hWnd, &ps);
}

BOOL CControlBar::OnEraseBkgnd(CDC* pDC) {
  CRect rect;
  GetClientRect(&rect);
  ::FillRect(pDC->GetSafeHdc(), &rect, ::GetSysColorBrush(COLOR_BTNFACE));
  return TRUE;
}

HBRUSH CControlBar::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
  LRESULT lResult = 0;
  if (pWnd != nullptr && ReflectLastMsg(pWnd->m_hWnd, &lResult)) return (HBRUSH)lResult;
  // Static texts and check boxes on a bar show the bar's face.
  if (nCtlColor == CTLCOLOR_STATIC || nCtlColor == CTLCOLOR_BTN || nCtlColor == CTLCOLOR_DLG) {
    ::SetBkColor(pDC->GetSafeHdc(), ::GetSysColor(COLOR_BTNFACE));
    ::SetTextColor(pDC->GetSafeHdc(), ::GetSysColor(COLOR_BTNTEXT));
    return ::GetSysColorBrush(COLOR_BTNFACE);
  }
  return (HBRUSH)Default();
}

void CControlBar::DoPaint(CDC* pDC) {
  CRect rect;
  GetClientRect(&rect);
  DrawBorders(pDC, rect);
  DrawGripper(pDC, rect);
}

void CControlBar::DrawBorders(CDC* pDC, CRect& rect) {
  HDC hdc = pDC->GetSafeHdc();
  DWORD dwStyle = m_dwStyle;
  if (!(dwStyle & CBRS_BORDER_ANY)) return;
  COLORREF clrHilite = ::GetSysColor(COLOR_BTNHIGHLIGHT), clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
  auto line = [hdc](int x, int y, int cx, int cy, COLORREF clr) {
    ::SetBkColor(hdc, clr);
    CRect r(x, y, x + cx, y + cy);
    ::ExtTextOutW(hdc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
  };
  // Each border is a shadow line and a highlight line (2 pixels, as CalcInsideRect counts).
  if (dwStyle & CBRS_BORDER_TOP) {
    line(rect.left, rect.top, rect.Width(), 1, clrShadow);
    line(rect.left, rect.top + 1, rect.Width(), 1, clrHilite);
    rect.top += 2;
  }
  if (dwStyle & CBRS_BORDER_BOTTOM) {
    line(rect.left, rect.bottom - 2, rect.Width(), 1, clrShadow);
    line(rect.left, rect.bottom - 1, rect.Width(), 1, clrHilite);
    rect.bottom -= 2;
  }
  if (dwStyle & CBRS_BORDER_LEFT) {
    line(rect.left, rect.top, 1, rect.Height(), clrShadow);
    line(rect.left + 1, rect.top, 1, rect.Height(), clrHilite);
    rect.left += 2;
  }
  if (dwStyle & CBRS_BORDER_RIGHT) {
    line(rect.right - 2, rect.top, 1, rect.Height(), clrShadow);
    line(rect.right - 1, rect.top, 1, rect.Height(), clrHilite);
    rect.right -= 2;
  }
}

void CControlBar::DrawGripper(CDC* pDC, const CRect& rect) {
  if ((m_dwStyle & (CBRS_GRIPPER | CBRS_FLOATING)) != CBRS_GRIPPER) return;
  COLORREF clrHilite = ::GetSysColor(COLOR_BTNHIGHLIGHT), clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
  CRect grip;
  if (m_dwStyle & CBRS_ORIENT_HORZ)
    grip.SetRect(rect.left + kGripperBorder, rect.top + m_cyTopBorder, rect.left + kGripperBorder + kGripper,
                 rect.bottom - m_cyBottomBorder);
  else
    grip.SetRect(rect.left + m_cyTopBorder, rect.top + kGripperBorder, rect.right - m_cyBottomBorder,
                 rect.top + kGripperBorder + kGripper);
  pDC->Draw3dRect(&grip, clrHilite, clrShadow);
}

void CControlBar::EraseNonClient() {
  HDC hdc = ::GetWindowDC(m_hWnd);
  if (hdc == nullptr) return;
  CRect rectClient, rectWindow;
  GetClientRect(&rectClient);
  ClientToScreen(&rectClient);
  GetWindowRect(&rectWindow);
  rectClient.OffsetRect(-rectWindow.left, -rectWindow.top);
  ::ExcludeClipRect(hdc, rectClient.left, rectClient.top, rectClient.right, rectClient.bottom);
  rectWindow.OffsetRect(-rectWindow.left, -rectWindow.top);
  ::FillRect(hdc, &rectWindow, ::GetSysColorBrush(COLOR_BTNFACE));
  DrawBorders(CDC::FromHandle(hdc), rectWindow);
  ::ReleaseDC(m_hWnd, hdc);
}

void CControlBar::CalcNonClientBorders(NCCALCSIZE_PARAMS* lpncsp) {
  CRect rect;
  rect.SetRectEmpty();
  CalcInsideRect(rect, (m_dwStyle & CBRS_ORIENT_HORZ) != 0);
  RECT& r = lpncsp->rgrc[0];
  r.left += rect.left;
  r.top += rect.top;
  r.right += rect.right;
  r.bottom += rect.bottom;
  if (r.right < r.left) r.right = r.left;
  if (r.bottom < r.top) r.bottom = r.top;
}

// ---- mouse --------------------------------------------------------------------------------------
void CControlBar::OnLButtonDown(UINT nFlags, CPoint pt) {
  // A press outside any tool starts dragging the bar.
  if (m_pDockContext != nullptr && OnToolHitTest(pt, nullptr) == -1) {
    ClientToScreen(&pt);
    m_pDockContext->StartDrag(pt);
    return;
  }
  CWnd::OnLButtonDown(nFlags, pt);
}

void CControlBar::OnLButtonDblClk(UINT nFlags, CPoint pt) {
  if (m_pDockContext != nullptr) {
    m_pDockContext->ToggleDocking();
    return;
  }
  CWnd::OnLButtonDblClk(nFlags, pt);
}

int CControlBar::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT nMsg) {
  // Clicking a bar activates its frame's top-level window but never takes the focus itself.
  int nResult = CWnd::OnMouseActivate(pDesktopWnd, nHitTest, nMsg);
  if (nResult == MA_NOACTIVATE || nResult == MA_NOACTIVATEANDEAT) return nResult;
  return MA_ACTIVATE;
}

INT_PTR CControlBar::OnToolHitTest(CPoint point, TOOLINFOW* pTI) const {
  return CWnd::OnToolHitTest(point, pTI);
}

LRESULT CControlBar::OnHelpHitTest(WPARAM, LPARAM lParam) {
  INT_PTR nID = OnToolHitTest(CPoint((short)LOWORD(lParam), (short)HIWORD(lParam)), nullptr);
  if (nID != -1) return HID_BASE_COMMAND + nID;
  nID = GetDlgCtrlID();
  return nID != 0 ? HID_BASE_CONTROL + nID : 0;
}

// ---- routing to the owner -------------------------------------------------------------------
LRESULT CControlBar::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) {
  switch (nMsg) {
    case WM_NOTIFY: case WM_COMMAND: case WM_DRAWITEM: case WM_MEASUREITEM: case WM_DELETEITEM:
    case WM_COMPAREITEM: case WM_VKEYTOITEM: case WM_CHARTOITEM: {
      LRESULT lResult = 0;
      if (OnWndMsg(nMsg, wParam, lParam, &lResult)) return lResult;
      CWnd* pOwner = GetOwner();
      lResult = pOwner != nullptr ? pOwner->SendMessage(nMsg, wParam, lParam) : 0;
      // A tooltip text the owner did not give: the bar answers for itself.
      if (nMsg == WM_NOTIFY) {
        NMHDR* pNMHDR = (NMHDR*)lParam;
        if (pNMHDR->code == TTN_NEEDTEXTW) {
          NMTTDISPINFOW* pInfo = (NMTTDISPINFOW*)lParam;
          if (pInfo->hinst == nullptr && (pInfo->lpszText == nullptr || *pInfo->lpszText == 0))
            lResult = CWnd::WindowProc(nMsg, wParam, lParam);
        } else if (pNMHDR->code == TTN_NEEDTEXTA) {
          NMTTDISPINFOA* pInfo = (NMTTDISPINFOA*)lParam;
          if (pInfo->hinst == nullptr && (pInfo->lpszText == nullptr || *pInfo->lpszText == 0))
            lResult = CWnd::WindowProc(nMsg, wParam, lParam);
        }
      }
      return lResult;
    }
    default:
      return CWnd::WindowProc(nMsg, wParam, lParam);
  }
}

// The command whose prompt the fly-by status shows (-1: the idle prompt), per thread.
static thread_local INT_PTR t_nLastStatus = -1;
static thread_local HWND t_hWndLastStatus = nullptr;

BOOL CControlBar::SetStatusText(INT_PTR nHit) {
  CWnd* pOwner = GetOwner();
  if (pOwner == nullptr) return FALSE;
  if (nHit == -1) {
    // Leaving the tools brings the idle prompt back, once.
    if (m_nStateFlags & statusSet) {
      pOwner->SendMessage(WM_POPMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
      m_nStateFlags &= ~statusSet;
      t_nLastStatus = -1;
      t_hWndLastStatus = nullptr;
      return TRUE;
    }
    return FALSE;
  }
  if (nHit != t_nLastStatus || t_hWndLastStatus != m_hWnd) {
    pOwner->SendMessage(WM_SETMESSAGESTRING, (WPARAM)nHit);
    m_nStateFlags |= statusSet;
    t_nLastStatus = nHit;
    t_hWndLastStatus = m_hWnd;
  }
  return TRUE;
}

BOOL CControlBar::PreTranslateMessage(MSG* pMsg) {
  if (CWnd::PreTranslateMessage(pMsg)) return TRUE;
  UINT message = pMsg->message;
  const bool mouse = AfxIsMouseMessage(message);
  // Fly-by: the owner's status line shows the prompt of the tool under the mouse.
  if (mouse && (m_dwStyle & CBRS_FLYBY) && (pMsg->hwnd == m_hWnd || ::IsChild(m_hWnd, pMsg->hwnd))) {
    CPoint point = pMsg->pt;
    ScreenToClient(&point);
    TOOLINFOW ti = {};
    ti.cbSize = sizeof(ti);
    CRect client;
    GetClientRect(&client);
    INT_PTR nHit = client.PtInRect(point) ? OnToolHitTest(point, &ti) : -1;
    if (ti.lpszText != nullptr && ti.lpszText != LPSTR_TEXTCALLBACKW) free(ti.lpszText);
    // While a button is held the prompt stays.
    if (::GetKeyState(VK_LBUTTON) >= 0 || nHit != -1) SetStatusText(nHit);
  }
  // In help mode the bar's controls take no dialog keys.
  CFrameWnd* pFrame = GetTopLevelFrame();
  if (pFrame != nullptr && pFrame->m_bHelpMode) return FALSE;
  // Frame accelerators come before the bar's dialog navigation.
  for (CWnd* pOwner = GetOwner(); pOwner != nullptr; pOwner = pOwner->GetParentFrame())
    if (pOwner->PreTranslateMessage(pMsg)) return TRUE;
  return FALSE;
}
