// CMiniFrameWnd: small-caption frames (tool windows and plain popups). CMiniDockFrameWnd: the
// floating frame of docked bars, sized to its bars, dragged and resized through their context.
#include "Framework.h"

IMPLEMENT_DYNCREATE(CMiniFrameWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(CMiniDockFrameWnd, CMiniFrameWnd)

BEGIN_MESSAGE_MAP(CMiniFrameWnd, CFrameWnd)
  ON_WM_NCACTIVATE()
  ON_WM_SYSCOMMAND()
  ON_WM_GETMINMAXINFO()
  ON_WM_NCHITTEST()
  ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
END_MESSAGE_MAP()

CMiniFrameWnd::CMiniFrameWnd() = default;

BOOL CMiniFrameWnd::Create(LPCWSTR lpClassName, LPCWSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                           CWnd* pParentWnd, UINT nID) {
  return CreateEx(0, lpClassName, lpWindowName, dwStyle, rect, pParentWnd, nID);
}

BOOL CMiniFrameWnd::CreateEx(DWORD dwExStyle, LPCWSTR lpClassName, LPCWSTR lpWindowName, DWORD dwStyle,
                             const RECT& rect, CWnd* pParentWnd, UINT nID) {
  m_strCaption = lpWindowName != nullptr ? lpWindowName : L"";
  m_strTitle = m_strCaption;
  if (lpClassName == nullptr) lpClassName = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW));
  bool systemPlaced = ::EqualRect(&rect, &rectDefault) != FALSE;
  int x = systemPlaced ? 0 : rect.left, y = systemPlaced ? 0 : rect.top;
  int cx = systemPlaced ? 0 : rect.right - rect.left, cy = systemPlaced ? 0 : rect.bottom - rect.top;
  // A child mini frame has an id; a popup has none.
  HMENU hMenuOrId = (dwStyle & WS_CHILD) ? (HMENU)(UINT_PTR)nID : nullptr;
  return CWnd::CreateEx(dwExStyle, lpClassName, lpWindowName, dwStyle, x, y, cx, cy, pParentWnd->GetSafeHwnd(),
                        hMenuOrId);
}

BOOL CMiniFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
  // The thick-frame styles give the system's sizing border; a caption makes a tool window.
  if (cs.style & (MFS_4THICKFRAME | MFS_THICKFRAME)) cs.style |= WS_THICKFRAME;
  if ((cs.style & WS_CAPTION) == WS_CAPTION) cs.dwExStyle |= WS_EX_TOOLWINDOW;
  // The blocked system menu is ours to handle; the bit means something else to the system.
  if (cs.style & MFS_BLOCKSYSMENU) {
    m_bInSys = TRUE;
    cs.style &= ~MFS_BLOCKSYSMENU;
  }
  if (!CFrameWnd::PreCreateWindow(cs)) return FALSE;
  cs.style &= ~FWS_PREFIXTITLE;
  cs.dwExStyle &= ~WS_EX_CLIENTEDGE;
  return TRUE;
}

UINT CMiniFrameWnd::OnNcHitTest(CPoint point) {
  DWORD dwStyle = GetStyle();
  UINT nHit = CFrameWnd::OnNcHitTest(point);
  if (m_bInSys) {
    // A blocked system menu is part of the caption.
    if (nHit == HTSYSMENU) nHit = HTCAPTION;
  }
  if ((nHit < HTSIZEFIRST || nHit > HTSIZELAST) && nHit != HTGROWBOX) return nHit;
  if (dwStyle & MFS_MOVEFRAME) return HTCAPTION;  // the border moves the frame
  if (dwStyle & MFS_4THICKFRAME) {
    // No diagonal sizing: a corner sizes along the side the point is nearer.
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    rectWindow.InflateRect(-::GetSystemMetrics(SM_CXFRAME), -::GetSystemMetrics(SM_CYFRAME));
    switch (nHit) {
      case HTTOPLEFT: return point.y < rectWindow.top ? HTTOP : HTLEFT;
      case HTTOPRIGHT: return point.y < rectWindow.top ? HTTOP : HTRIGHT;
      case HTBOTTOMLEFT: return point.y > rectWindow.bottom ? HTBOTTOM : HTLEFT;
      case HTGROWBOX: case HTBOTTOMRIGHT: return point.y > rectWindow.bottom ? HTBOTTOM : HTRIGHT;
      default: break;
    }
  }
  return nHit;
}

BOOL CMiniFrameWnd::OnNcActivate(BOOL bActive) {
  // A synchronised frame looks active while its owner frame is.
  if ((GetStyle() & MFS_SYNCACTIVE) && !bActive) {
    CWnd* pOwner = GetTopLevelOwner();
    if (pOwner != nullptr && pOwner->m_hWnd == ::GetActiveWindow()) bActive = TRUE;
  }
  m_bActive = bActive;
  return (BOOL)DefWindowProc(WM_NCACTIVATE, bActive, 0);
}

LRESULT CMiniFrameWnd::OnFloatStatus(WPARAM wParam, LPARAM) {
  if (wParam & (FS_ACTIVATE | FS_DEACTIVATE)) {
    BOOL bActive = (wParam & FS_ACTIVATE) != 0;
    if (bActive != m_bActive) {
      m_bActive = bActive;
      DefWindowProc(WM_NCACTIVATE, bActive, 0);
    }
  }
  if (wParam & FS_SHOW) ShowWindow(SW_SHOWNA);
  if (wParam & FS_HIDE) ShowWindow(SW_HIDE);
  if (wParam & (FS_ENABLE | FS_DISABLE)) EnableWindow((wParam & FS_ENABLE) != 0);
  return 1;
}

void CMiniFrameWnd::OnSysCommand(UINT nID, LPARAM lParam) {
  // A blocked system menu offers only moving and closing.
  UINT nCmd = nID & 0xFFF0;
  if (m_bInSys && nCmd != SC_MOVE && nCmd != SC_CLOSE && nCmd != SC_SIZE) return;
  CFrameWnd::OnSysCommand(nID, lParam);
}

void CMiniFrameWnd::OnGetMinMaxInfo(MINMAXINFO* pMMI) {
  CFrameWnd::OnGetMinMaxInfo(pMMI);
  // A mini frame may be as small as its caption.
  pMMI->ptMinTrackSize.x = ::GetSystemMetrics(SM_CXSMSIZE) * 2;
  pMMI->ptMinTrackSize.y = ::GetSystemMetrics(SM_CYSMCAPTION);
}

// ---- CMiniDockFrameWnd --------------------------------------------------------------------------
BEGIN_MESSAGE_MAP(CMiniDockFrameWnd, CMiniFrameWnd)
  ON_WM_CLOSE()
  ON_WM_NCLBUTTONDOWN()
  ON_WM_NCLBUTTONDBLCLK()
  ON_WM_MOUSEACTIVATE()
END_MESSAGE_MAP()

CMiniDockFrameWnd::CMiniDockFrameWnd() : m_wndDockBar(TRUE) {
  m_wndDockBar.m_bAutoDelete = FALSE;
}

BOOL CMiniDockFrameWnd::Create(CWnd* pParent, DWORD dwBarStyle) {
  // No layout until something is docked.
  m_bInRecalcLayout = TRUE;
  DWORD dwStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | MFS_MOVEFRAME | MFS_4THICKFRAME | MFS_SYNCACTIVE |
                  MFS_BLOCKSYSMENU | FWS_SNAPTOBARS;
  if (dwBarStyle & CBRS_SIZE_DYNAMIC) dwStyle &= ~MFS_MOVEFRAME;
  if (!CMiniFrameWnd::CreateEx(0, nullptr, L"", dwStyle, rectDefault, pParent)) {
    m_bInRecalcLayout = FALSE;
    return FALSE;
  }
  DWORD dwDockStyle = (dwBarStyle & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) ? CBRS_ALIGN_LEFT : CBRS_ALIGN_TOP;
  dwDockStyle |= dwBarStyle & CBRS_FLOAT_MULTI;
  HMENU hSysMenu = ::GetSystemMenu(m_hWnd, FALSE);
  if (hSysMenu != nullptr) {
    ::DeleteMenu(hSysMenu, SC_SIZE, MF_BYCOMMAND);
    ::DeleteMenu(hSysMenu, SC_MINIMIZE, MF_BYCOMMAND);
    ::DeleteMenu(hSysMenu, SC_MAXIMIZE, MF_BYCOMMAND);
    ::DeleteMenu(hSysMenu, SC_RESTORE, MF_BYCOMMAND);
    CString strHide;
    if (strHide.LoadString(AFX_IDS_HIDE)) {
      ::DeleteMenu(hSysMenu, SC_CLOSE, MF_BYCOMMAND);
      ::AppendMenuW(hSysMenu, MF_STRING | MF_ENABLED, SC_CLOSE, strHide);
    }
  }
  // Made on the docking frame (so it joins that frame's bars), then moved in here.
  if (!m_wndDockBar.Create(pParent, WS_CHILD | WS_VISIBLE | dwDockStyle, AFX_IDW_DOCKBAR_FLOAT)) {
    m_bInRecalcLayout = FALSE;
    return FALSE;
  }
  m_wndDockBar.SetParent(this);
  m_bInRecalcLayout = FALSE;
  return TRUE;
}

void CMiniDockFrameWnd::RecalcLayout(BOOL bNotify) {
  if (m_bInRecalcLayout) return;
  CMiniFrameWnd::RecalcLayout(bNotify);
  // The caption shows what the dock bar shows (the bar's name).
  CString title;
  m_wndDockBar.GetWindowText(title);
  CString current;
  GetWindowText(current);
  if (current != title) SetWindowText(title);
  // Nothing visible to hold: the frame hides.
  if (m_wndDockBar.m_hWnd != nullptr && m_wndDockBar.GetDockedVisibleCount() == 0 && IsWindowVisible())
    ShowWindow(SW_HIDE);
}

// The first bar docked in this frame, whose dock context drives drags and resizes.
static CControlBar* FirstDockedBar(CDockBar& dockBar) {
  for (int nPos = 1; nPos < dockBar.m_arrBars.GetSize(); ++nPos)
    if (CControlBar* pBar = dockBar.GetDockedControlBar(nPos)) return pBar;
  return nullptr;
}

void CMiniDockFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point) {
  if (nHitTest == HTCAPTION || (nHitTest >= HTSIZEFIRST && nHitTest <= HTSIZELAST)) {
    // Activate the frame the bars belong to, not the floating frame.
    CWnd* pTop = GetTopLevelOwner();
    if (pTop != nullptr) pTop->SetActiveWindow();
    CControlBar* pBar = FirstDockedBar(m_wndDockBar);
    bool single = !(m_wndDockBar.m_dwStyle & CBRS_FLOAT_MULTI);
    if (pBar != nullptr && pBar->m_pDockContext != nullptr && single) {
      if (nHitTest == HTCAPTION) pBar->m_pDockContext->StartDrag(point);
      else pBar->m_pDockContext->StartResize((int)nHitTest, point);
      return;
    }
  }
  CMiniFrameWnd::OnNcLButtonDown(nHitTest, point);
}

void CMiniDockFrameWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint point) {
  if (nHitTest == HTCAPTION && !(m_wndDockBar.m_dwStyle & CBRS_FLOAT_MULTI)) {
    CControlBar* pBar = FirstDockedBar(m_wndDockBar);
    if (pBar != nullptr && pBar->m_pDockContext != nullptr) {
      pBar->m_pDockContext->ToggleDocking();
      return;
    }
  }
  CMiniFrameWnd::OnNcLButtonDblClk(nHitTest, point);
}

int CMiniDockFrameWnd::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT nMsg) {
  // Sizing a floating frame does not take the activation from the main frame.
  if (nHitTest >= HTSIZEFIRST && nHitTest <= HTSIZELAST) return MA_NOACTIVATE;
  return CMiniFrameWnd::OnMouseActivate(pDesktopWnd, nHitTest, nMsg);
}

void CMiniDockFrameWnd::OnClose() {
  // Closing hides the bars (the frame follows them); it does not destroy them.
  m_wndDockBar.ShowAll(FALSE);
}
