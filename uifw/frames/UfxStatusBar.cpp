#include "frames/UfxStatusBar.h"
#include "frames/UfxGlobalData.h"
#include "frames/UfxStatusCmdUI.h"
#include "looks/UfxVisualManager.h"

IMPLEMENT_DYNAMIC(CUfxStatusBar, CControlBar)

BEGIN_MESSAGE_MAP(CUfxStatusBar, CControlBar)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_SIZE()
  ON_WM_NCHITTEST()
  ON_WM_SYSCOMMAND()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_TIMER()
  ON_MESSAGE(WM_SETTINGCHANGE, OnSettingChange)
  ON_MESSAGE(WM_SETFONT, OnSetFont)
  ON_MESSAGE(WM_GETFONT, OnGetFont)
  ON_MESSAGE(WM_SETTEXT, OnSetText)
  ON_MESSAGE(WM_GETTEXT, OnGetText)
  ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
  ON_MESSAGE(WM_SIZEPARENT, OnStatusSizeParent)
END_MESSAGE_MAP()

namespace {

LPWSTR CopyText(LPCWSTR lpsz) {
  const size_t n = wcslen(lpsz) + 1;
  LPWSTR p = (LPWSTR)malloc(n * sizeof(wchar_t));
  if (p != nullptr) memcpy(p, lpsz, n * sizeof(wchar_t));
  return p;
}

// The rectangle of a pane's content: inside its border unless it has none.
CRect ContentRect(const UFX_STATUSPANE* pSBP) {
  CRect rect(pSBP->rect);
  if (!(pSBP->nStyle & SBPS_NOBORDERS)) rect.DeflateRect(2, 1);
  return rect;
}

}  // namespace

CUfxStatusBar::CUfxStatusBar() {
  m_cxLeftBorder = 4;
  m_cyTopBorder = 2;
  m_cxRightBorder = 0;
  m_cyBottomBorder = 0;
  m_rectSizeBox.SetRectEmpty();
}

CUfxStatusBar::~CUfxStatusBar() {
  FreePanes();
  if (POSITION pos = UfxAllControlBars.Find(this)) UfxAllControlBars.RemoveAt(pos);
}

UFX_STATUSPANE* CUfxStatusBar::_GetPanePtr(int nIndex) const {
  if (nIndex < 0 || nIndex >= m_nCount || m_pData == nullptr) return nullptr;
  return ((UFX_STATUSPANE*)m_pData) + nIndex;
}

void CUfxStatusBar::FreePanes() {
  for (int i = 0; i < m_nCount; ++i) {
    UFX_STATUSPANE* pSBP = _GetPanePtr(i);
    free(pSBP->lpszText);
    pSBP->lpszText = nullptr;
    free(pSBP->lpszToolTip);
    pSBP->lpszToolTip = nullptr;
    if (pSBP->nFrameCount > 0 && m_hWnd != nullptr) KillTimer(pSBP->nID);
    if (pSBP->hImageList != nullptr) ::ImageList_Destroy(pSBP->hImageList);
    pSBP->hImageList = nullptr;
    pSBP->nFrameCount = 0;
    pSBP->nCurrFrame = 0;
  }
}

// ---- creation ----------------------------------------------------------------------------------

BOOL CUfxStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
  return CreateEx(pParentWnd, 0, dwStyle, nID);
}

BOOL CUfxStatusBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID) {
  m_dwStyle = dwStyle & CBRS_ALL;
  LPCWSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, (LPCWSTR)IDC_ARROW),
                                          (HBRUSH)(COLOR_BTNFACE + 1), nullptr);
  if (!CWnd::Create(lpszClass, nullptr, dwCtrlStyle | dwStyle, CRect(0, 0, 0, 0), pParentWnd, nID)) return FALSE;
  RecalcLayout();
  return TRUE;
}

BOOL CUfxStatusBar::PreCreateWindow(CREATESTRUCT& cs) {
  // A bottom bar with a top border draws no border lines of its own.
  if ((m_dwStyle & (CBRS_ALIGN_ANY | CBRS_BORDER_ANY)) == CBRS_BOTTOM) m_dwStyle &= ~(CBRS_BORDER_ANY | CBRS_BORDER_3D);
  // The bar styles live in the bar style alone, not in the window's.
  cs.style &= ~CBRS_ALL;
  return CControlBar::PreCreateWindow(cs);
}

int CUfxStatusBar::OnCreate(LPCREATESTRUCT lpcs) {
  if (CControlBar::OnCreate(lpcs) == -1) return -1;
  if (UfxAllControlBars.Find(this) == nullptr) UfxAllControlBars.AddTail(this);
  return 0;
}

void CUfxStatusBar::OnDestroy() {
  FreePanes();
  if (POSITION pos = UfxAllControlBars.Find(this)) UfxAllControlBars.RemoveAt(pos);
  CControlBar::OnDestroy();
}

// ---- indicators and panes ----------------------------------------------------------------------

BOOL CUfxStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount) {
  FreePanes();
  if (!AllocElements(nIDCount, sizeof(UFX_STATUSPANE))) return FALSE;
  BOOL bResult = TRUE;
  if (lpIDArray != nullptr) {
    HDC hdc = ::GetDC(nullptr);
    HGDIOBJ hOldFont = ::SelectObject(hdc, GetCurrentFont());
    for (int i = 0; i < nIDCount; ++i) {
      UFX_STATUSPANE* pSBP = _GetPanePtr(i);
      pSBP->nID = lpIDArray[i];
      if (pSBP->nID == 0) {
        pSBP->cxText = ::GetSystemMetrics(SM_CXSCREEN) / 4;
        if (i == 0) pSBP->nStyle |= SBPS_STRETCH | SBPS_NOBORDERS;
        continue;
      }
      CString text;
      if (!text.LoadString(pSBP->nID) || text.IsEmpty() || !SetPaneText(i, text, FALSE)) {
        bResult = FALSE;
        break;
      }
      SIZE size = {};
      ::GetTextExtentPoint32W(hdc, text, text.GetLength(), &size);
      pSBP->cxText = size.cx;
    }
    ::SelectObject(hdc, hOldFont);
    ::ReleaseDC(nullptr, hdc);
  }
  RecalcLayout();
  return bResult;
}

int CUfxStatusBar::CommandToIndex(UINT nIDFind) const {
  for (int i = 0; i < m_nCount; ++i)
    if (_GetPanePtr(i)->nID == nIDFind) return i;
  return -1;
}

UINT CUfxStatusBar::GetItemID(int nIndex) const {
  const UFX_STATUSPANE* pSBP = _GetPanePtr(nIndex);
  return pSBP != nullptr ? pSBP->nID : 0;
}

void CUfxStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const {
  const UFX_STATUSPANE* pSBP = _GetPanePtr(nIndex);
  if (pSBP != nullptr) *lpRect = pSBP->rect;
  else ::SetRectEmpty(lpRect);
}

CString CUfxStatusBar::GetPaneText(int nIndex) const {
  const UFX_STATUSPANE* pSBP = _GetPanePtr(nIndex);
  return CString(pSBP != nullptr && pSBP->lpszText != nullptr ? pSBP->lpszText : L"");
}

BOOL CUfxStatusBar::SetPaneText(int nIndex, LPCWSTR lpszNewText, BOOL bUpdate) {
  UFX_STATUSPANE* pSBP = _GetPanePtr(nIndex);
  if (pSBP == nullptr) return FALSE;
  if (lpszNewText == nullptr) lpszNewText = L"";
  const LPCWSTR lpszOld = pSBP->lpszText != nullptr ? pSBP->lpszText : L"";
  if (wcscmp(lpszOld, lpszNewText) == 0) return TRUE;
  LPWSTR lpszCopy = nullptr;
  if (*lpszNewText != 0 && (lpszCopy = CopyText(lpszNewText)) == nullptr) return FALSE;
  free(pSBP->lpszText);
  pSBP->lpszText = lpszCopy;
  if (bUpdate) InvalidatePaneContent(nIndex);
  return TRUE;
}

UINT CUfxStatusBar::GetPaneStyle(int nIndex) const {
  const UFX_STATUSPANE* pSBP = _GetPanePtr(nIndex);
  return pSBP != nullptr ? pSBP->nStyle : 0;
}

void CUfxStatusBar::SetPaneStyle(int nIndex, UINT nStyle) {
  UFX_STATUSPANE* pSBP = _GetPanePtr(nIndex);
  if (pSBP == nullptr || pSBP->nStyle == nStyle) return;
  pSBP->nStyle = nStyle;
  if (m_hWnd == nullptr) return;
  InvalidateRect(&pSBP->rect, FALSE);
  UpdateWindow();
}

void CUfxStatusBar::SetPaneWidth(int nIndex, int cx) {
  UFX_STATUSPANE* pSBP = _GetPanePtr(nIndex);
  if (pSBP == nullptr || pSBP->cxText == cx) return;
  pSBP->cxText = std::max(0, cx);
  RecalcLayout();
  if (m_hWnd != nullptr) Invalidate(FALSE);
}

void CUfxStatusBar::SetPaneTextColor(int nIndex, COLORREF clrText, BOOL bUpdate) {
  UFX_STATUSPANE* pSBP = _GetPanePtr(nIndex);
  if (pSBP == nullptr) return;
  pSBP->clrText = clrText;
  if (bUpdate) InvalidatePaneContent(nIndex);
}

void CUfxStatusBar::SetTipText(int nIndex, LPCWSTR lpszTipText) {
  UFX_STATUSPANE* pSBP = _GetPanePtr(nIndex);
  if (pSBP == nullptr) return;
  free(pSBP->lpszToolTip);
  pSBP->lpszToolTip = lpszTipText != nullptr && *lpszTipText != 0 ? CopyText(lpszTipText) : nullptr;
}

void CUfxStatusBar::SetPaneIcon(int nIndex, HICON hIcon, BOOL bUpdate) {
  UFX_STATUSPANE* pSBP = _GetPanePtr(nIndex);
  if (pSBP == nullptr) return;
  SetPaneAnimation(nIndex, nullptr, 0, FALSE);
  if (hIcon != nullptr) {
    ICONINFO info = {};
    BITMAP bm = {};
    if (::GetIconInfo(hIcon, &info)) {
      ::GetObjectW(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof(bm), &bm);
      if (info.hbmColor == nullptr) bm.bmHeight /= 2;
      if (info.hbmColor != nullptr) ::DeleteObject(info.hbmColor);
      if (info.hbmMask != nullptr) ::DeleteObject(info.hbmMask);
    }
    pSBP->hImageList = ::ImageList_Create(bm.bmWidth, bm.bmHeight, ILC_COLOR32 | ILC_MASK, 1, 0);
    if (pSBP->hImageList != nullptr) {
      ::ImageList_AddIcon(pSBP->hImageList, hIcon);
      pSBP->cxIcon = bm.bmWidth;
      pSBP->cyIcon = bm.bmHeight;
    }
  }
  RecalcLayout();
  if (bUpdate && m_hWnd != nullptr) Invalidate(FALSE);
}

void CUfxStatusBar::SetPaneAnimation(int nIndex, HIMAGELIST hImageList, UINT uiElapse, BOOL bUpdate) {
  UFX_STATUSPANE* pSBP = _GetPanePtr(nIndex);
  if (pSBP == nullptr) return;
  if (pSBP->nFrameCount > 0 && m_hWnd != nullptr) KillTimer(pSBP->nID);
  if (pSBP->hImageList != nullptr) ::ImageList_Destroy(pSBP->hImageList);
  pSBP->hImageList = hImageList;
  pSBP->nFrameCount = 0;
  pSBP->nCurrFrame = 0;
  pSBP->cxIcon = pSBP->cyIcon = 0;
  if (hImageList != nullptr) {
    ::ImageList_GetIconSize(hImageList, &pSBP->cxIcon, &pSBP->cyIcon);
    pSBP->nFrameCount = ::ImageList_GetImageCount(hImageList);
    if (pSBP->nFrameCount > 0 && m_hWnd != nullptr) SetTimer(pSBP->nID, uiElapse != 0 ? uiElapse : 100);
  }
  RecalcLayout();
  if (bUpdate && m_hWnd != nullptr) Invalidate(FALSE);
}

void CUfxStatusBar::EnablePaneProgressBar(int nIndex, long nTotal, BOOL bDisplayText, COLORREF clrBar,
                                          COLORREF clrBarDest, COLORREF clrProgressText) {
  UFX_STATUSPANE* pSBP = _GetPanePtr(nIndex);
  if (pSBP == nullptr) return;
  pSBP->nProgressTotal = (int)nTotal;
  pSBP->nProgressCurr = 0;
  pSBP->bProgressText = bDisplayText;
  pSBP->clrProgressBar = clrBar;
  pSBP->clrProgressBarDest = clrBarDest;
  pSBP->clrProgressText = clrProgressText;
  InvalidatePaneContent(nIndex);
}

void CUfxStatusBar::SetPaneProgress(int nIndex, long nCurr, BOOL bUpdate) {
  UFX_STATUSPANE* pSBP = _GetPanePtr(nIndex);
  if (pSBP == nullptr) return;
  pSBP->nProgressCurr = (int)nCurr;
  if (bUpdate) InvalidatePaneContent(nIndex);
}

void CUfxStatusBar::InvalidatePaneContent(int nIndex) {
  const UFX_STATUSPANE* pSBP = _GetPanePtr(nIndex);
  if (pSBP == nullptr || m_hWnd == nullptr || ::IsRectEmpty(&pSBP->rect)) return;
  CRect rect = ContentRect(pSBP);
  InvalidateRect(&rect, FALSE);
  UpdateWindow();
}

UFX_STATUSPANE* CUfxStatusBar::HitTest(CPoint pt) const {
  for (int i = 0; i < m_nCount; ++i) {
    UFX_STATUSPANE* pSBP = _GetPanePtr(i);
    if (::PtInRect(&pSBP->rect, pt)) return pSBP;
  }
  return nullptr;
}

HFONT CUfxStatusBar::GetCurrentFont() const {
  return m_hFont != nullptr ? m_hFont : (HFONT)UfxGlobalData.fontRegular.GetSafeHandle();
}

// ---- layout ------------------------------------------------------------------------------------

void CUfxStatusBar::RecalcLayout() {
  if (m_hWnd == nullptr) return;
  CRect rect;
  GetClientRect(&rect);
  CalcInsideRect(rect, TRUE);
  const int cyInside = rect.Height();
  m_cxSizeBox = ::GetSystemMetrics(SM_CXVSCROLL) + 1 < cyInside ? ::GetSystemMetrics(SM_CXVSCROLL) + 1 : cyInside;
  int xMax;
  if (!m_bHideSizeBox) {
    rect.right -= m_cxSizeBox;
    xMax = rect.right;
  } else {
    xMax = rect.right + m_cxRightBorder + 1;
  }
  // What the stretching pane gets on top of its own width: the panes then end at xMax.
  int cxExtra = rect.right - rect.left + m_cxDefaultGap;
  for (int i = 0; i < m_nCount; ++i) {
    const UFX_STATUSPANE* pSBP = _GetPanePtr(i);
    cxExtra -= pSBP->cxText + pSBP->cxIcon + m_cxDefaultGap + 4;
    if (pSBP->cxText > 0 && pSBP->cxIcon > 0) cxExtra -= 4;
  }
  BOOL bStretched = FALSE;
  int x = rect.left, xReached = rect.right;
  BOOL bPlaced = FALSE;
  for (int i = 0; i < m_nCount; ++i) {
    UFX_STATUSPANE* pSBP = _GetPanePtr(i);
    if (x >= xMax) {
      ::SetRectEmpty(&pSBP->rect);
      continue;
    }
    int cx = pSBP->cxText + pSBP->cxIcon;
    if (pSBP->cxText > 0 && pSBP->cxIcon > 0) cx += 4;
    if ((pSBP->nStyle & SBPS_STRETCH) && !bStretched) {
      bStretched = TRUE;
      if (cxExtra > 0) cx += cxExtra;
    }
    pSBP->rect.left = x;
    pSBP->rect.top = rect.top;
    pSBP->rect.right = std::min(x + cx + 4, xMax);
    pSBP->rect.bottom = rect.bottom;
    x = pSBP->rect.right + m_cxDefaultGap;
    xReached = pSBP->rect.right;
    bPlaced = TRUE;
  }
  if (!bPlaced) xReached = rect.right;
  if (!m_bHideSizeBox) {
    m_rectSizeBox.SetRect(xReached, rect.top, xReached + std::min(m_cxSizeBox, cyInside + m_cyTopBorder),
                          rect.bottom);
  } else {
    m_rectSizeBox.SetRectEmpty();
  }
}

CSize CUfxStatusBar::CalcFixedLayout(BOOL, BOOL bHorz) {
  TEXTMETRICW tm = {};
  HDC hdc = ::GetDC(nullptr);
  HGDIOBJ hOld = ::SelectObject(hdc, GetCurrentFont());
  ::GetTextMetricsW(hdc, &tm);
  ::SelectObject(hdc, hOld);
  ::ReleaseDC(nullptr, hdc);
  int cy = tm.tmHeight - tm.tmInternalLeading;
  for (int i = 0; i < m_nCount; ++i) cy = std::max(cy, _GetPanePtr(i)->cyIcon);
  CRect rect;
  rect.SetRectEmpty();
  CalcInsideRect(rect, bHorz);
  return CSize(32767, cy - rect.Height() + 4);
}

void CUfxStatusBar::OnSize(UINT nType, int cx, int cy) {
  CControlBar::OnSize(nType, cx, cy);
  RecalcLayout();
  Invalidate();
  UpdateWindow();
}

LRESULT CUfxStatusBar::OnSettingChange(WPARAM, LPARAM) {
  RecalcLayout();
  return 0;
}

LRESULT CUfxStatusBar::OnSetFont(WPARAM wParam, LPARAM lParam) {
  m_hFont = (HFONT)wParam;
  RecalcLayout();
  if (lParam != 0) {
    Invalidate();
    UpdateWindow();
  }
  return 0;
}

LRESULT CUfxStatusBar::OnGetFont(WPARAM, LPARAM) { return (LRESULT)GetCurrentFont(); }

// ---- painting ----------------------------------------------------------------------------------

void CUfxStatusBar::DoPaint(CDC* pDCPaint) {
  CRect rectClient, rectClip;
  GetClientRect(&rectClient);
  pDCPaint->GetClipBox(&rectClip);

  CDC dcMem;
  CBitmap bmpMem;
  CDC* pDC = pDCPaint;
  CBitmap* pOldBmp = nullptr;
  if (dcMem.CreateCompatibleDC(pDCPaint) &&
      bmpMem.CreateCompatibleBitmap(pDCPaint, rectClient.Width(), rectClient.Height())) {
    pOldBmp = dcMem.SelectObject(&bmpMem);
    dcMem.IntersectClipRect(&rectClip);
    pDC = &dcMem;
  }

  CUfxVisualManager::GetInstance()->OnFillBarBackground(pDC, this, rectClient, rectClip);
  CControlBar::DoPaint(pDC);

  HGDIOBJ hOldFont = ::SelectObject(pDC->GetSafeHdc(), GetCurrentFont());
  const int nOldMode = pDC->SetBkMode(TRANSPARENT);
  const COLORREF clrOldText = pDC->SetTextColor(UfxGlobalData.clrBtnText);
  const COLORREF clrOldBk = pDC->SetBkColor(UfxGlobalData.clrBtnFace);
  for (int i = 0; i < m_nCount; ++i) OnDrawPane(pDC, _GetPanePtr(i));
  if (!m_rectSizeBox.IsRectEmpty()) CUfxVisualManager::GetInstance()->OnDrawStatusBarSizeBox(pDC, this, m_rectSizeBox);
  ::SelectObject(pDC->GetSafeHdc(), hOldFont);
  pDC->SetTextColor(clrOldText);
  pDC->SetBkColor(clrOldBk);
  pDC->SetBkMode(nOldMode);

  if (pDC == &dcMem) {
    pDCPaint->BitBlt(rectClip.left, rectClip.top, rectClip.Width(), rectClip.Height(), &dcMem, rectClip.left,
                     rectClip.top, SRCCOPY);
    dcMem.SelectObject(pOldBmp);
  }
}

void CUfxStatusBar::OnDrawPane(CDC* pDC, UFX_STATUSPANE* pSBP) {
  CRect rect(pSBP->rect);
  if (rect.IsRectEmpty() || !pDC->RectVisible(&rect)) return;
  CUfxVisualManager::GetInstance()->OnDrawStatusBarPaneBorder(pDC, this, rect, pSBP->nID, pSBP->nStyle);
  rect = ContentRect(pSBP);

  if (pSBP->hImageList != nullptr && pSBP->cxIcon > 0) {
    const int y = pSBP->cyIcon > rect.Height() ? rect.top : rect.top + (rect.Height() - pSBP->cyIcon) / 2;
    ::ImageList_DrawEx(pSBP->hImageList, pSBP->nCurrFrame, pDC->GetSafeHdc(), rect.left, y, pSBP->cxIcon,
                       pSBP->cyIcon, CLR_NONE, CLR_NONE, ILD_NORMAL);
  }
  if (pSBP->cxIcon > 0) rect.left += pSBP->cxIcon + 4;

  if (pSBP->nProgressTotal > 0) {
    CRect rectProgress = rect;
    rectProgress.DeflateRect(1, 1);
    const COLORREF clrBar =
        pSBP->clrProgressBar == (COLORREF)-1 ? ::GetSysColor(COLOR_HIGHLIGHT) : pSBP->clrProgressBar;
    CUfxVisualManager::GetInstance()->OnDrawStatusBarProgress(pDC, this, rectProgress, pSBP->nProgressTotal,
                                                              pSBP->nProgressCurr, clrBar, pSBP->clrProgressBarDest,
                                                              pSBP->clrProgressText, pSBP->bProgressText);
    return;
  }
  if (pSBP->lpszText == nullptr || pSBP->cxText <= 0) return;
  COLORREF clrText;
  if (pSBP->nStyle & SBPS_DISABLED) clrText = UfxGlobalData.clrGrayedText;
  else clrText = pSBP->clrText == (COLORREF)-1 ? UfxGlobalData.clrBtnText : pSBP->clrText;
  const COLORREF clrOld = pDC->SetTextColor(clrText);
  pDC->DrawText(pSBP->lpszText, -1, &rect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  pDC->SetTextColor(clrOld);
}

// ---- text messages -----------------------------------------------------------------------------

LRESULT CUfxStatusBar::OnSetText(WPARAM, LPARAM lParam) {
  const int nIndex = MessagePaneIndex();
  if (nIndex < 0) return FALSE;
  return SetPaneText(nIndex, (LPCWSTR)lParam, TRUE) ? TRUE : FALSE;
}

LRESULT CUfxStatusBar::OnGetText(WPARAM wParam, LPARAM lParam) {
  const int cchMax = (int)wParam;
  LPWSTR lpszDest = (LPWSTR)lParam;
  if (cchMax <= 0 || lpszDest == nullptr) return 0;
  const UFX_STATUSPANE* pSBP = _GetPanePtr(MessagePaneIndex());
  const LPCWSTR lpszText = pSBP != nullptr && pSBP->lpszText != nullptr ? pSBP->lpszText : L"";
  const int n = std::min((int)wcslen(lpszText), cchMax - 1);
  memcpy(lpszDest, lpszText, (size_t)n * sizeof(wchar_t));
  lpszDest[n] = 0;
  return n;
}

LRESULT CUfxStatusBar::OnGetTextLength(WPARAM, LPARAM) {
  const UFX_STATUSPANE* pSBP = _GetPanePtr(MessagePaneIndex());
  return pSBP != nullptr && pSBP->lpszText != nullptr ? (LRESULT)wcslen(pSBP->lpszText) : 0;
}

// ---- size grip ---------------------------------------------------------------------------------

LRESULT CUfxStatusBar::OnStatusSizeParent(WPARAM wParam, LPARAM lParam) {
  AFX_SIZEPARENTPARAMS* lpLayout = (AFX_SIZEPARENTPARAMS*)lParam;
  CWnd* pParent = GetParentFrame();
  if (lpLayout != nullptr && lpLayout->hDWP != nullptr && pParent != nullptr) {
    CRect rectFrame;
    pParent->GetClientRect(&rectFrame);
    const BOOL bCanSize = !pParent->IsZoomed() && (pParent->GetStyle() & WS_THICKFRAME) &&
                          lpLayout->rect.right == rectFrame.right && lpLayout->rect.bottom == rectFrame.bottom;
    if (bCanSize == m_bHideSizeBox) {
      m_bHideSizeBox = !bCanSize;
      RecalcLayout();
      Invalidate();
      UpdateWindow();
    }
  }
  return CControlBar::OnSizeParent(wParam, lParam);
}

UINT CUfxStatusBar::OnNcHitTest(CPoint point) {
  if (!m_bHideSizeBox) {
    CRect rect;
    GetClientRect(&rect);
    CalcInsideRect(rect, TRUE);
    rect.left = rect.right - std::min(m_cxSizeBox - 1, rect.Height());
    CPoint pt = point;
    ScreenToClient(&pt);
    if (rect.PtInRect(pt)) return (GetExStyle() & WS_EX_LAYOUTRTL) ? HTBOTTOMLEFT : HTBOTTOMRIGHT;
  }
  return (UINT)Default();
}

void CUfxStatusBar::OnSysCommand(UINT nID, LPARAM lParam) {
  if (!m_bHideSizeBox && (nID & 0xFFF0) == SC_SIZE) {
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != nullptr) {
      pFrame->SendMessage(WM_SYSCOMMAND, nID, lParam);
      return;
    }
  }
  Default();
}

// ---- mouse, timer, tooltips, updates -----------------------------------------------------------

void CUfxStatusBar::OnLButtonDblClk(UINT nFlags, CPoint pt) {
  if (m_bPaneDoubleClick) {
    const UFX_STATUSPANE* pSBP = HitTest(pt);
    if (pSBP != nullptr) {
      CWnd* pTarget = GetOwner();
      if (pTarget == nullptr) pTarget = GetParent();
      if (pTarget != nullptr) pTarget->PostMessage(WM_COMMAND, pSBP->nID, 0);
    }
  }
  CControlBar::OnLButtonDblClk(nFlags, pt);
}

void CUfxStatusBar::OnTimer(UINT_PTR nIDEvent) {
  const int nIndex = CommandToIndex((UINT)nIDEvent);
  UFX_STATUSPANE* pSBP = _GetPanePtr(nIndex);
  if (pSBP == nullptr || pSBP->nFrameCount <= 0) {
    CControlBar::OnTimer(nIDEvent);
    return;
  }
  if (++pSBP->nCurrFrame >= pSBP->nFrameCount) pSBP->nCurrFrame = 0;
  CRect rect(pSBP->rect);
  if (pSBP->nStyle & SBPS_NOBORDERS) rect.top--;
  else rect.DeflateRect(1, 1);
  rect.right = rect.left + pSBP->cxIcon;
  InvalidateRect(&rect, FALSE);
  UpdateWindow();
}

INT_PTR CUfxStatusBar::OnToolHitTest(CPoint point, TOOLINFOW* pTI) const {
  INT_PTR nHit = CControlBar::OnToolHitTest(point, pTI);
  if (nHit == -1) {
    const UFX_STATUSPANE* pSBP = HitTest(point);
    if (pSBP != nullptr && pSBP->lpszToolTip != nullptr) {
      nHit = pSBP->nID;
      if (pTI != nullptr) {
        pTI->lpszText = CopyText(pSBP->lpszToolTip);
        pTI->rect = pSBP->rect;
        pTI->uFlags = 0;
        pTI->hwnd = m_hWnd;
        pTI->uId = pSBP->nID;
      }
    }
  }
  if (CToolTipCtrl* pToolTip = AfxGetThreadToolTip())
    pToolTip->SendMessage(WM_SETFONT, (WPARAM)UfxGlobalData.fontStatus.GetSafeHandle(), FALSE);
  return nHit;
}

void CUfxStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
  CUfxStatusCmdUI state(this);
  state.m_nIndexMax = (UINT)m_nCount;
  for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++) {
    state.m_nID = _GetPanePtr((int)state.m_nIndex)->nID;
    state.DoUpdate(pTarget, bDisableIfNoHndler);
  }
  UpdateDialogControls(pTarget, bDisableIfNoHndler);
}
