// CDockBar: rows of docked bars, docking at a point, place holders for hidden or floated bars,
// and the row layout (one deferred batch, 2-pixel overlap, wrapping at the edge).
#include "Framework.h"
#include "FwDockContext.h"
#include <algorithm>
#include <vector>

IMPLEMENT_DYNAMIC(CDockBar, CControlBar)

// Neighbouring bars overlap by their 2-pixel borders.
static const int kOverlap = 2;

BEGIN_MESSAGE_MAP(CDockBar, CControlBar)
  ON_WM_NCCALCSIZE()
  ON_WM_NCPAINT()
  ON_WM_WINDOWPOSCHANGING()
  ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

CDockBar::CDockBar(BOOL bFloating) : m_bFloating(bFloating) {
  m_arrBars.Add(nullptr);
  m_bAutoDelete = TRUE;
  m_cxLeftBorder = m_cxRightBorder = m_cyTopBorder = m_cyBottomBorder = 0;
}

CDockBar::~CDockBar() {
  // Bars still docked here lose their link (their windows go with this one).
  for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i) {
    CControlBar* pBar = GetDockedControlBar((int)i);
    if (pBar != nullptr && pBar->m_pDockBar == this) pBar->m_pDockBar = nullptr;
  }
  m_arrBars.RemoveAll();
}

BOOL CDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
  m_dwStyle = dwStyle & CBRS_ALL;
  LPCWSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1));
  return CWnd::Create(lpszClass, nullptr, dwStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

// ---- the bar array ----------------------------------------------------------------------------
// Removes the entry at nPos, and the row end after it when the row is left empty.
static void RemoveEntry(CPtrArray& arrBars, int nPos) {
  arrBars.RemoveAt(nPos);
  if (nPos < arrBars.GetSize() && arrBars[nPos - 1] == nullptr && arrBars[nPos] == nullptr) arrBars.RemoveAt(nPos);
}

CControlBar* CDockBar::GetDockedControlBar(int nPos) const {
  if (nPos < 0 || nPos >= m_arrBars.GetSize()) return nullptr;
  void* p = m_arrBars[nPos];
  return AfxIsPlaceHolder(p) ? nullptr : (CControlBar*)p;
}

int CDockBar::GetDockedCount() const {
  int n = 0;
  for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
    if (GetDockedControlBar((int)i) != nullptr) ++n;
  return n;
}

int CDockBar::GetDockedVisibleCount() const {
  int n = 0;
  for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i) {
    CControlBar* pBar = GetDockedControlBar((int)i);
    if (pBar != nullptr && pBar->IsVisible()) ++n;
  }
  return n;
}

int CDockBar::FindBar(CControlBar* pBar, int nPosExclude) {
  for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i)
    if (i != nPosExclude && m_arrBars[i] == pBar) return (int)i;
  return -1;
}

void CDockBar::RemovePlaceHolder(CControlBar* pBar) {
  if (pBar->m_hWnd == nullptr) return;
  void* holder = (void*)(UINT_PTR)(WORD)pBar->GetDlgCtrlID();
  if (!AfxIsPlaceHolder(holder)) return;
  int nPos = FindBar((CControlBar*)holder);
  if (nPos > 0) RemoveEntry(m_arrBars, nPos);
}

void CDockBar::ForgetBar(CControlBar* pBar) {
  int nPos = FindBar(pBar);
  if (nPos > 0) RemoveEntry(m_arrBars, nPos);
  if (pBar->m_pDockBar == this) pBar->m_pDockBar = nullptr;
}

BOOL CDockBar::RemoveControlBar(CControlBar* pBar, int nPosExclude, int nAddPlaceHolder) {
  int nPos = FindBar(pBar, nPosExclude);
  if (nPos <= 0) return FALSE;
  void* holder = (void*)(UINT_PTR)(WORD)(pBar->m_hWnd != nullptr ? pBar->GetDlgCtrlID() : 0);
  if (nAddPlaceHolder == 1 && AfxIsPlaceHolder(holder)) {
    m_arrBars[nPos] = holder;
    // One place holder per bar: an older one goes.
    int nPosOld = FindBar((CControlBar*)holder, nPos);
    if (nPosOld > 0) RemoveEntry(m_arrBars, nPosOld);
  } else {
    RemoveEntry(m_arrBars, nPos);
    if (nAddPlaceHolder != -1) RemovePlaceHolder(pBar);
  }
  if (pBar->m_pDockBar == this) pBar->m_pDockBar = nullptr;
  // While windows are being destroyed nothing more is done.
  if (m_hWnd == nullptr || pBar->m_pDockContext == nullptr) return FALSE;
  CFrameWnd* pFrame = GetDockingFrame();
  if (pFrame == nullptr) return FALSE;
  if (m_bFloating && GetDockedVisibleCount() == 0) {
    if (GetDockedCount() == 0) {
      pFrame->DestroyWindow();  // the floating frame has nothing left to hold
      return TRUE;
    }
    pFrame->ShowWindow(SW_HIDE);
  } else {
    pFrame->DelayRecalcLayout();
  }
  return FALSE;
}

int CDockBar::Insert(CControlBar* pBarIns, CRect rect, CPoint ptMid) {
  BOOL bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
  int nPosInsAfter = 0;
  int nWidth = 0, nTotalWidth = 0;
  for (int nPos = 0; nPos < m_arrBars.GetSize(); ++nPos) {
    void* p = m_arrBars[nPos];
    if (p != nullptr) {
      // Hidden bars and place holders take no room in the row.
      CControlBar* pBar = GetDockedControlBar(nPos);
      if (pBar == nullptr || pBar == pBarIns || !pBar->IsVisible()) continue;
      CRect rectBar;
      pBar->GetWindowRect(&rectBar);
      ScreenToClient(&rectBar);
      nWidth = std::max(nWidth, bHorz ? rectBar.Height() : rectBar.Width() - 1);
      if (bHorz ? rect.left > rectBar.left : rect.top > rectBar.top) nPosInsAfter = nPos;
      continue;
    }
    // A row ends here: the point falls in this row, or the search goes on.
    nTotalWidth += nWidth - kOverlap;
    nWidth = 0;
    if ((bHorz ? ptMid.y : ptMid.x) < nTotalWidth) {
      if (nPos == 0) m_arrBars.InsertAt(nPosInsAfter + 1, (void*)nullptr);  // a new first row
      m_arrBars.InsertAt(nPosInsAfter + 1, (void*)pBarIns);
      return nPosInsAfter + 1;
    }
    nPosInsAfter = nPos;
  }
  // Past the last row: a new row.
  m_arrBars.InsertAt(nPosInsAfter + 1, (void*)nullptr);
  m_arrBars.InsertAt(nPosInsAfter + 1, (void*)pBarIns);
  return nPosInsAfter + 1;
}

// ---- docking -----------------------------------------------------------------------------------
void CDockBar::AttachBar(CControlBar* pBar) {
  // The bar takes this side's alignment and all borders.
  if (m_bFloating && (pBar->m_dwDockStyle & CBRS_FLOAT_MULTI)) m_dwStyle |= CBRS_FLOAT_MULTI;
  m_dwStyle &= ~(CBRS_SIZE_FIXED | CBRS_SIZE_DYNAMIC);
  m_dwStyle |= pBar->m_dwStyle & (CBRS_SIZE_FIXED | CBRS_SIZE_DYNAMIC);
  if (!(m_dwStyle & CBRS_FLOAT_MULTI)) {
    CString title;
    pBar->GetWindowText(title);
    SetWindowText(title);
  }
  DWORD dwStyle = pBar->GetBarStyle();
  dwStyle &= ~CBRS_ALIGN_ANY;
  dwStyle |= (m_dwStyle & CBRS_ALIGN_ANY) | CBRS_BORDER_ANY;
  if (m_bFloating) dwStyle |= CBRS_FLOATING;
  else dwStyle &= ~CBRS_FLOATING;
  pBar->SetBarStyle(dwStyle);
}

void CDockBar::DockControlBar(CControlBar* pBar, LPCRECT lpRect) {
  CRect rectBar;
  pBar->GetWindowRect(&rectBar);
  if (pBar->m_pDockBar == this && (lpRect == nullptr || rectBar == *lpRect)) return;
  AttachBar(pBar);
  // Hidden while it changes parents, to avoid flashing.
  BOOL bShow = FALSE;
  if (pBar->m_pDockBar != this && pBar->IsWindowVisible()) {
    pBar->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    bShow = TRUE;
  }
  int nPos = -1;
  if (lpRect != nullptr) {
    CRect rect(lpRect);
    ScreenToClient(&rect);
    CPoint ptMid(rect.left + rect.Width() / 2, rect.top + rect.Height() / 2);
    nPos = Insert(pBar, rect, ptMid);
    pBar->SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
  } else {
    // A bar docked without a place gets a row of its own at the end.
    m_arrBars.Add(pBar);
    m_arrBars.Add(nullptr);
    pBar->SetWindowPos(nullptr, -kOverlap, -kOverlap, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
  }
  if (pBar->GetParent() != this) pBar->SetParent(this);
  if (pBar->m_pDockBar == this) {
    RemoveControlBar(pBar, nPos);
  } else if (pBar->m_pDockBar != nullptr) {
    // Floating a docked bar leaves its place behind for docking it again.
    pBar->m_pDockBar->RemoveControlBar(pBar, -1, m_bFloating && !pBar->m_pDockBar->m_bFloating);
  }
  pBar->m_pDockBar = this;
  if (bShow)
    pBar->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  RemovePlaceHolder(pBar);
  CFrameWnd* pFrame = GetDockingFrame();
  if (pFrame != nullptr) pFrame->DelayRecalcLayout();
}

void CDockBar::ReDockControlBar(CControlBar* pBar, LPCRECT lpRect) {
  void* holder = (void*)(UINT_PTR)(WORD)pBar->GetDlgCtrlID();
  int nPos = AfxIsPlaceHolder(holder) ? FindBar((CControlBar*)holder) : -1;
  if (nPos <= 0 || pBar->m_pDockBar == this) {
    DockControlBar(pBar, lpRect);
    return;
  }
  // The bar goes back to where its place holder is.
  AttachBar(pBar);
  BOOL bShow = FALSE;
  if (pBar->IsWindowVisible()) {
    pBar->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    bShow = TRUE;
  }
  m_arrBars[nPos] = pBar;
  if (lpRect != nullptr) {
    CRect rect(lpRect);
    ScreenToClient(&rect);
    pBar->SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
  } else {
    pBar->SetWindowPos(nullptr, -kOverlap, -kOverlap, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
  }
  if (pBar->GetParent() != this) pBar->SetParent(this);
  CDockBar* pOld = pBar->m_pDockBar;
  pBar->m_pDockBar = this;
  if (pOld != nullptr) pOld->RemoveControlBar(pBar);  // may end the old floating frame
  pBar->m_pDockBar = this;
  if (bShow)
    pBar->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  CFrameWnd* pFrame = GetDockingFrame();
  if (pFrame != nullptr) pFrame->DelayRecalcLayout();
}

void CDockBar::ShowAll(BOOL bShow) {
  for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i) {
    CControlBar* pBar = GetDockedControlBar((int)i);
    if (pBar == nullptr) continue;
    CFrameWnd* pFrame = pBar->m_pDockSite != nullptr ? pBar->m_pDockSite : GetDockingFrame();
    if (pFrame != nullptr) pFrame->ShowControlBar(pBar, bShow, FALSE);
    // Showing or hiding may have changed the array (a frame ending): stop when this bar is gone.
    if (m_hWnd == nullptr) return;
  }
}

// ---- layout -----------------------------------------------------------------------------------
LRESULT CDockBar::OnSizeParent(WPARAM wParam, LPARAM lParam) {
  AFX_SIZEPARENTPARAMS* lpLayout = (AFX_SIZEPARENTPARAMS*)lParam;
  // The pass tells whether this is only a query and how much room there is.
  BOOL bLayoutQuery = m_bLayoutQuery;
  CRect rectLayout = m_rectLayout;
  m_bLayoutQuery = lpLayout->hDWP == nullptr;
  m_rectLayout = lpLayout->rect;
  LRESULT lResult = CControlBar::OnSizeParent(wParam, lParam);
  m_bLayoutQuery = bLayoutQuery;
  m_rectLayout = rectLayout;
  return lResult;
}

static DWORD DockedLayoutMode(const CControlBar* pBar) {
  if ((pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) && (pBar->m_dwStyle & CBRS_FLOATING)) return LM_HORZ | LM_MRUWIDTH;
  if (pBar->m_dwStyle & CBRS_ORIENT_HORZ) return LM_HORZ | LM_HORZDOCK;
  return LM_VERTDOCK;
}

CSize CDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  CSize sizeFixed = CControlBar::CalcFixedLayout(bStretch, bHorz);
  CSize sizeMax;
  if (!m_rectLayout.IsRectEmpty()) {
    sizeMax = m_rectLayout.Size();
  } else {
    CRect rectFrame;
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != nullptr) pFrame->GetClientRect(&rectFrame);
    sizeMax = rectFrame.Size();
  }
  AFX_SIZEPARENTPARAMS layout = {};
  layout.hDWP = m_bLayoutQuery ? nullptr : ::BeginDeferWindowPos((int)m_arrBars.GetSize());
  CPoint pt(-kOverlap, -kOverlap);
  int nWidth = 0;
  BOOL bWrapped = FALSE;
  UINT nDockID = (UINT)GetDlgCtrlID();
  bool sideDock = nDockID >= AFX_IDW_DOCKBAR_TOP && nDockID <= AFX_IDW_DOCKBAR_BOTTOM;
  for (int nPos = 0; nPos < m_arrBars.GetSize(); ++nPos) {
    CControlBar* pBar = GetDockedControlBar(nPos);
    void* pVoid = m_arrBars[nPos];
    if (pBar != nullptr) {
      if (pBar->IsVisible()) {
        CSize sizeBar = pBar->CalcDynamicLayout(-1, DockedLayoutMode(pBar));
        CRect rect(pt, sizeBar);
        CRect rectBar;
        pBar->GetWindowRect(&rectBar);
        ScreenToClient(&rectBar);
        LONG& start = bHorz ? rect.left : rect.top;
        int end = bHorz ? rect.right : rect.bottom;
        int barStart = bHorz ? rectBar.left : rectBar.top;
        int avail = bHorz ? sizeMax.cx : sizeMax.cy;
        int length = bHorz ? rect.Width() : rect.Height();
        int rowPt = bHorz ? pt.x : pt.y;
        auto shift = [&](int d) { if (bHorz) rect.OffsetRect(d, 0); else rect.OffsetRect(0, d); };
        // A bar keeps a place further along the row where it was put.
        if (barStart > start && !m_bFloating) shift(barStart - start);
        // A bar past the end moves back (not before its normal place).
        end = bHorz ? rect.right : rect.bottom;
        if (end > avail && !m_bFloating) {
          int x = std::max(avail - (length - kOverlap), rowPt);
          shift(x - start);
        }
        if (bWrapped) {
          bWrapped = FALSE;
          shift(-(start + kOverlap));
        } else if (start >= avail - kOverlap && nPos > 0 && m_arrBars[nPos - 1] != nullptr && !m_bFloating) {
          // Nothing of it would show: it starts a new row.
          m_arrBars.InsertAt(nPos, (void*)nullptr);
          pBar = nullptr;
          pVoid = nullptr;
          bWrapped = TRUE;
        }
        if (!bWrapped) {
          if (rect != rectBar) {
            if (!m_bLayoutQuery && !(pBar->m_dwStyle & CBRS_FLOATING) && pBar->m_pDockContext != nullptr) {
              pBar->m_pDockContext->m_rectMRUDockPos = rect;
              if (sideDock) pBar->m_pDockContext->m_uMRUDockID = nDockID;
            }
            AfxRepositionWindow(&layout, pBar->m_hWnd, &rect);
          }
          if (bHorz) {
            pt.x = rect.left + sizeBar.cx - kOverlap;
            nWidth = std::max(nWidth, (int)sizeBar.cy);
          } else {
            pt.y = rect.top + sizeBar.cy - kOverlap;
            nWidth = std::max(nWidth, (int)sizeBar.cx);
          }
        }
      }
      if (pBar != nullptr) pBar->RecalcDelayShow(&layout);
    }
    if (pBar == nullptr && pVoid == nullptr && nWidth != 0) {
      // End of a row: the next one starts below (or beside) it.
      if (bHorz) {
        pt.y += nWidth - kOverlap;
        sizeFixed.cx = std::max(sizeFixed.cx, (LONG)pt.x);
        sizeFixed.cy = std::max(sizeFixed.cy, (LONG)pt.y);
        pt.x = -kOverlap;
      } else {
        pt.x += nWidth - kOverlap;
        sizeFixed.cx = std::max(sizeFixed.cx, (LONG)pt.x);
        sizeFixed.cy = std::max(sizeFixed.cy, (LONG)pt.y);
        pt.y = -kOverlap;
      }
      nWidth = 0;
    }
  }
  if (layout.hDWP != nullptr) ::EndDeferWindowPos(layout.hDWP);
  // The dock bar's own borders.
  CRect rect;
  rect.SetRectEmpty();
  CalcInsideRect(rect, bHorz);
  if ((!bStretch || !bHorz) && sizeFixed.cx != 0) sizeFixed.cx += -rect.right + rect.left;
  if ((!bStretch || bHorz) && sizeFixed.cy != 0) sizeFixed.cy += -rect.bottom + rect.top;
  return sizeFixed;
}

void CDockBar::OnUpdateCmdUI(CFrameWnd*, BOOL) {
  // The docked bars update themselves.
}

// ---- non-client borders and painting ---------------------------------------------------------
void CDockBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp) { CalcNonClientBorders(lpncsp); }

void CDockBar::OnNcPaint() { EraseNonClient(); }

void CDockBar::OnWindowPosChanging(WINDOWPOS* lpWndPos) {
  CWnd::OnWindowPosChanging(lpWndPos);
  // The borders are in the non-client area: repaint it when the size changes.
  if (!(lpWndPos->flags & SWP_NOSIZE)) lpWndPos->flags |= SWP_FRAMECHANGED;
}

void CDockBar::DoPaint(CDC*) {
  // The background brush painted it; the borders are non-client.
}

// ---- saved rows ---------------------------------------------------------------------------------
// Stored form of an entry: 0 ends a row, an id names a bar, an id with 0x10000 a place holder.
static const UINT_PTR kStoredPlaceHolder = 0x10000;

void CDockBar::GetDockedBarIDs(CPtrArray& arrBarID) const {
  arrBarID.RemoveAll();
  for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i) {
    void* p = m_arrBars[i];
    if (p == nullptr) arrBarID.Add(nullptr);
    else if (AfxIsPlaceHolder(p)) arrBarID.Add((void*)((UINT_PTR)p | kStoredPlaceHolder));
    else arrBarID.Add((void*)(UINT_PTR)(WORD)((CControlBar*)p)->GetDlgCtrlID());
  }
}

void CDockBar::SetDockedBarIDs(const CPtrArray& arrBarID, CFrameWnd* pFrameWnd) {
  CPtrArray arrNew;
  arrNew.Add(nullptr);
  std::vector<CControlBar*> placed;
  for (INT_PTR i = 0; i < arrBarID.GetSize(); ++i) {
    UINT_PTR v = (UINT_PTR)arrBarID[i];
    if (v == 0) {
      if (arrNew[arrNew.GetSize() - 1] != nullptr) arrNew.Add(nullptr);
      continue;
    }
    UINT nID = (UINT)(v & 0xFFFF);
    CControlBar* pBar = pFrameWnd != nullptr ? pFrameWnd->GetControlBar(nID) : nullptr;
    if (pBar == nullptr || pBar->IsDockBar() || pBar == this) continue;  // not a bar of this frame
    if (v & kStoredPlaceHolder) {
      void* holder = (void*)(UINT_PTR)nID;
      bool known = false;
      for (INT_PTR k = 0; k < arrNew.GetSize(); ++k) known = known || arrNew[k] == holder;
      if (!known) arrNew.Add(holder);
      continue;
    }
    if (std::find(placed.begin(), placed.end(), pBar) != placed.end()) continue;
    placed.push_back(pBar);
    arrNew.Add(pBar);
  }
  if (arrNew[arrNew.GetSize() - 1] != nullptr) arrNew.Add(nullptr);
  // Bars docked here that the layout does not name keep a row of their own.
  for (INT_PTR i = 0; i < m_arrBars.GetSize(); ++i) {
    CControlBar* pBar = GetDockedControlBar((int)i);
    if (pBar == nullptr || std::find(placed.begin(), placed.end(), pBar) != placed.end()) continue;
    placed.push_back(pBar);
    arrNew.Add(pBar);
    arrNew.Add(nullptr);
  }
  // Bars named here leave the dock bars they are in now.
  for (CControlBar* pBar : placed) {
    CDockBar* pOld = pBar->m_pDockBar;
    if (pOld != nullptr && pOld != this) {
      pOld->ForgetBar(pBar);
      // A floating frame left without visible bars hides (it is not ended here).
      if (pOld->m_bFloating && pOld->GetDockedVisibleCount() == 0 && pOld->GetParentFrame() != nullptr)
        pOld->GetParentFrame()->ShowWindow(SW_HIDE);
      if (pOld->m_hWnd != nullptr && pOld->GetDockingFrame() != nullptr) pOld->GetDockingFrame()->DelayRecalcLayout();
    }
    if (pBar->m_pDockBar != this) AttachBar(pBar);
    if (pBar->GetParent() != this) pBar->SetParent(this);
    pBar->m_pDockBar = this;
  }
  m_arrBars.RemoveAll();
  for (INT_PTR i = 0; i < arrNew.GetSize(); ++i) m_arrBars.Add(arrNew[i]);
}
