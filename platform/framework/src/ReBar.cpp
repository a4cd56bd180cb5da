// CReBar: bands of bars in the rebar control; the bar's height is that of its visible bands.
#include "Framework.h"
#include "FwReBar.h"

IMPLEMENT_DYNAMIC(CReBar, CControlBar)

BEGIN_MESSAGE_MAP(CReBar, CControlBar)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_NCCALCSIZE()
  ON_WM_NCPAINT()
  ON_NOTIFY_REFLECT(RBN_HEIGHTCHANGE, OnHeightChange)
END_MESSAGE_MAP()

CReBar::CReBar() { SetBorders(); }

BOOL CReBar::Create(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID) {
  m_dwStyle = dwStyle & CBRS_ALL;
  if (nID == AFX_IDW_REBAR) m_dwStyle |= CBRS_HIDE_INPLACE;
  dwStyle &= ~CBRS_ALL;
  // The frame places the control; its height follows its bands.
  dwStyle |= CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NODIVIDER | CCS_NORESIZE | RBS_VARHEIGHT | dwCtrlStyle;
  return CWnd::Create(REBARCLASSNAMEW, nullptr, dwStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

BOOL CReBar::InsertBand(CWnd* pBar, REBARBANDINFOW* pRBBI) {
  if (pBar == nullptr || !::IsWindow(pBar->m_hWnd)) return FALSE;
  pRBBI->cbSize = sizeof(REBARBANDINFOW);
  pRBBI->fMask |= RBBIM_CHILD | RBBIM_CHILDSIZE;
  pRBBI->hwndChild = pBar->m_hWnd;
  // A control bar's band is as big as its fixed layout; another window's as its window.
  CSize size;
  if (CControlBar* pControlBar = DYNAMIC_DOWNCAST(CControlBar, pBar)) {
    size = pControlBar->CalcFixedLayout(FALSE, (m_dwStyle & CBRS_ORIENT_HORZ) != 0);
  } else {
    CRect rect;
    pBar->GetWindowRect(&rect);
    size = rect.Size();
  }
  pRBBI->cxMinChild = (UINT)size.cx;
  pRBBI->cyMinChild = (UINT)size.cy;
  BOOL bResult = (BOOL)DefWindowProc(RB_INSERTBANDW, (WPARAM)-1, (LPARAM)pRBBI);
  CFrameWnd* pFrame = GetParentFrame();
  if (pFrame != nullptr) pFrame->RecalcLayout();
  return bResult;
}

BOOL CReBar::AddBar(CWnd* pBar, LPCWSTR pszText, CBitmap* pbmp, DWORD dwStyle) {
  REBARBANDINFOW rbBand = {};
  rbBand.fMask = RBBIM_STYLE;
  rbBand.fStyle = dwStyle;
  if (pszText != nullptr) {
    rbBand.fMask |= RBBIM_TEXT;
    rbBand.lpText = const_cast<LPWSTR>(pszText);
  }
  if (pbmp != nullptr) {
    rbBand.fMask |= RBBIM_BACKGROUND;
    rbBand.hbmBack = (HBITMAP)pbmp->GetSafeHandle();
  }
  return InsertBand(pBar, &rbBand);
}

BOOL CReBar::AddBar(CWnd* pBar, COLORREF clrFore, COLORREF clrBack, LPCWSTR pszText, DWORD dwStyle) {
  REBARBANDINFOW rbBand = {};
  rbBand.fMask = RBBIM_STYLE | RBBIM_COLORS;
  rbBand.fStyle = dwStyle;
  rbBand.clrFore = clrFore;
  rbBand.clrBack = clrBack;
  if (pszText != nullptr) {
    rbBand.fMask |= RBBIM_TEXT;
    rbBand.lpText = const_cast<LPWSTR>(pszText);
  }
  return InsertBand(pBar, &rbBand);
}

CSize CReBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  int nCount = (int)DefWindowProc(RB_GETBANDCOUNT, 0, 0);
  REBARBANDINFOW rbBand = {};
  rbBand.cbSize = sizeof(rbBand);
  // Bands follow the visibility of their bars (pending changes counted).
  for (int i = nCount; i-- > 0;) {
    rbBand.fMask = RBBIM_CHILD | RBBIM_STYLE;
    if (!DefWindowProc(RB_GETBANDINFOW, (WPARAM)i, (LPARAM)&rbBand)) continue;
    CControlBar* pBar = DYNAMIC_DOWNCAST(CControlBar, CWnd::FromHandlePermanent(rbBand.hwndChild));
    BOOL bWindowVisible = pBar != nullptr ? pBar->IsVisible()
                                          : (::GetWindowLongPtrW(rbBand.hwndChild, GWL_STYLE) & WS_VISIBLE) != 0;
    BOOL bBandVisible = !(rbBand.fStyle & RBBS_HIDDEN);
    if (bWindowVisible != bBandVisible) DefWindowProc(RB_SHOWBAND, (WPARAM)i, bWindowVisible);
  }
  // The bar covers its visible bands.
  CRect rectBound;
  rectBound.SetRectEmpty();
  for (int i = nCount; i-- > 0;) {
    rbBand.fMask = RBBIM_STYLE;
    if (!DefWindowProc(RB_GETBANDINFOW, (WPARAM)i, (LPARAM)&rbBand) || (rbBand.fStyle & RBBS_HIDDEN)) continue;
    CRect rect;
    if (DefWindowProc(RB_GETRECT, (WPARAM)i, (LPARAM)&rect)) rectBound.UnionRect(rectBound, rect);
  }
  if (!rectBound.IsRectEmpty()) {
    CRect rect;
    rect.SetRectEmpty();
    CalcInsideRect(rect, bHorz);
    rectBound.right -= rect.Width();
    rectBound.bottom -= rect.Height();
  }
  return CSize(bHorz && bStretch ? 32767 : rectBound.Width(), !bHorz && bStretch ? 32767 : rectBound.Height());
}

CSize CReBar::CalcDynamicLayout(int, DWORD dwMode) {
  if (dwMode & LM_HORZDOCK) return CalcFixedLayout(TRUE, TRUE);
  if (dwMode & LM_VERTDOCK) return CalcFixedLayout(TRUE, FALSE);
  return CalcFixedLayout(FALSE, (dwMode & LM_HORZ) != 0);
}

void CReBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
  UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

INT_PTR CReBar::OnToolHitTest(CPoint point, TOOLINFOW* pTI) const {
  // The bands' bars show their own tools.
  return CWnd::OnToolHitTest(point, pTI);
}

void CReBar::OnPaint() { Default(); }
BOOL CReBar::OnEraseBkgnd(CDC*) { return (BOOL)Default(); }
void CReBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp) { CalcNonClientBorders(lpncsp); }
void CReBar::OnNcPaint() { EraseNonClient(); }

void CReBar::OnHeightChange(NMHDR*, LRESULT* pResult) {
  // Bands moved to another row: the frame lays itself out again.
  CFrameWnd* pFrame = GetParentFrame();
  if (pFrame != nullptr) pFrame->RecalcLayout();
  *pResult = 0;
}
