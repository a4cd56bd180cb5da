#include "frames/UfxToolDockBar.h"
#include "bars/UfxMenuBar.h"
#include "frames/UfxSizingControlBar.h"
#include "bars/UfxToolBar.h"
#include "looks/UfxVisualManager.h"
#include <algorithm>

IMPLEMENT_DYNAMIC(CUfxToolDockBar, CDockBar)

namespace {
const int kStandardOverlap = 2;  // the platform dock bar's overlap between neighbours

// Coordinates along a row (main) and across rows (cross), for either orientation.
struct Axes {
  BOOL bHorz;
  LONG& Main(CRect& r) const { return bHorz ? r.left : r.top; }
  LONG& MainEnd(CRect& r) const { return bHorz ? r.right : r.bottom; }
  LONG& Cross(CRect& r) const { return bHorz ? r.top : r.left; }
  LONG& CrossEnd(CRect& r) const { return bHorz ? r.bottom : r.right; }
  LONG Main(const CSize& s) const { return bHorz ? s.cx : s.cy; }
  LONG Cross(const CSize& s) const { return bHorz ? s.cy : s.cx; }
  CRect Make(LONG main, LONG cross, LONG mainLen, LONG crossLen) const {
    return bHorz ? CRect(main, cross, main + mainLen, cross + crossLen)
                 : CRect(cross, main, cross + crossLen, main + mainLen);
  }
};
}  // namespace

CUfxToolDockBar::CUfxToolDockBar() = default;

CUfxToolDockBar::~CUfxToolDockBar() = default;

int CUfxToolDockBar::GetOverlap(const CControlBar* pBar) {
  if (pBar->IsKindOf(RUNTIME_CLASS(CUfxToolBar)) || pBar->IsKindOf(RUNTIME_CLASS(CUfxSizingControlBar))) return 0;
  return kStandardOverlap;
}

DWORD CUfxToolDockBar::GetLayoutMode(const CControlBar* pBar) {
  if ((pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) && (pBar->m_dwStyle & CBRS_FLOATING)) return LM_HORZ | LM_MRUWIDTH;
  if (pBar->m_dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) return LM_HORZ | LM_HORZDOCK;
  return LM_VERTDOCK;
}

CSize CUfxToolDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  const Axes ax{bHorz};
  CSize sizeFixed = CControlBar::CalcFixedLayout(bStretch, bHorz);
  CSize sizeMax = m_rectLayout.Size();
  if (m_rectLayout.IsRectEmpty()) {
    CRect rectFrame;
    if (CFrameWnd* pFrame = GetParentFrame()) pFrame->GetClientRect(&rectFrame);
    sizeMax = rectFrame.Size();
  }
  const LONG avail = ax.Main(sizeMax);
  const UINT nDockID = (UINT)GetDlgCtrlID();
  const bool bSideDock = nDockID >= AFX_IDW_DOCKBAR_TOP && nDockID <= AFX_IDW_DOCKBAR_BOTTOM;

  AFX_SIZEPARENTPARAMS layout = {};
  layout.hDWP = m_bLayoutQuery ? nullptr : ::BeginDeferWindowPos((int)m_arrBars.GetSize());
  LONG rowPos = 0;     // where the next bar of the row goes
  LONG rowCross = 0;   // where the row starts across
  LONG rowExtent = 0;  // how far the row's tallest bar reaches across
  LONG maxRowEnd = 0, maxCross = 0;
  BOOL bWrapped = FALSE;
  for (int nPos = 0; nPos < m_arrBars.GetSize(); ++nPos) {
    CControlBar* pBar = GetDockedControlBar(nPos);
    void* pVoid = m_arrBars[nPos];
    if (pBar != nullptr && pBar->IsVisible()) {
      const int ov = GetOverlap(pBar);
      const BOOL bMenuBar = pBar->IsKindOf(RUNTIME_CLASS(CUfxMenuBar));
      CSize sizeBar = pBar->CalcDynamicLayout(-1, GetLayoutMode(pBar));
      LONG len = bMenuBar ? avail : ax.Main(sizeBar);
      const LONG normalStart = rowPos - ov;
      CRect rectBar;
      pBar->GetWindowRect(&rectBar);
      ScreenToClient(&rectBar);
      LONG start = normalStart;
      if (!m_bFloating && !bWrapped) {
        // A bar keeps a place further along the row where it was put, but never hangs past the end:
        // it moves back (not before its normal place) and is cut when still too long.
        start = std::max(start, ax.Main(rectBar));
        if (start + len > avail) start = std::max(avail - (len - ov), normalStart);
        if (start + len > avail && start < avail) len = avail - start;
      }
      const BOOL bRowStart = nPos == 0 || m_arrBars[nPos - 1] == nullptr;
      if (!bWrapped && !m_bFloating && !bRowStart && (start >= avail - ov || bMenuBar)) {
        // It starts a row of its own: end this row here and place it again.
        m_arrBars.InsertAt(nPos, (void*)nullptr);
        pBar = nullptr;
        pVoid = nullptr;
        bWrapped = TRUE;
      } else {
        bWrapped = FALSE;
        CRect rect = ax.Make(start, rowCross - ov, len, ax.Cross(sizeBar));
        if (rect != rectBar) {
          if (!m_bLayoutQuery && !(pBar->m_dwStyle & CBRS_FLOATING) && pBar->m_pDockContext != nullptr) {
            pBar->m_pDockContext->m_rectMRUDockPos = rect;
            if (bSideDock) pBar->m_pDockContext->m_uMRUDockID = nDockID;
          }
          AfxRepositionWindow(&layout, pBar->m_hWnd, &rect);
        }
        rowPos = ax.MainEnd(rect);
        rowExtent = std::max(rowExtent, ax.CrossEnd(rect) - rowCross);
        maxRowEnd = std::max(maxRowEnd, rowPos);
      }
    }
    if (pBar != nullptr) pBar->RecalcDelayShow(&layout);
    if (pBar == nullptr && pVoid == nullptr && rowExtent != 0) {
      // End of a row: the next one starts across from its tallest bar.
      rowCross += rowExtent;
      maxCross = std::max(maxCross, rowCross - 1);
      rowPos = 0;
      rowExtent = 0;
    }
  }
  if (layout.hDWP != nullptr) ::EndDeferWindowPos(layout.hDWP);

  LONG& fixedMain = bHorz ? sizeFixed.cx : sizeFixed.cy;
  LONG& fixedCross = bHorz ? sizeFixed.cy : sizeFixed.cx;
  fixedMain = std::max(fixedMain, maxRowEnd);
  fixedCross = std::max(fixedCross, maxCross);
  CRect rectInside;
  rectInside.SetRectEmpty();
  CalcInsideRect(rectInside, bHorz);
  if ((!bStretch || !bHorz) && sizeFixed.cx != 0) sizeFixed.cx += -rectInside.right + rectInside.left + 1;
  if ((!bStretch || bHorz) && sizeFixed.cy != 0) sizeFixed.cy += -rectInside.bottom + rectInside.top + 1;
  return sizeFixed;
}

void CUfxToolDockBar::DoPaint(CDC* pDC) {
  CRect rectClient;
  GetClientRect(&rectClient);
  CUfxVisualManager::GetInstance()->OnFillBarBackground(pDC, this, rectClient, rectClient, FALSE);
}
