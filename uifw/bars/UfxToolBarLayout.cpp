// CUfxToolBar: rows and columns, wrapping, sizing to a length and the hit test.
#include "bars/UfxToolBarShared.h"
#include "bars/UfxToolbarButton.h"
#include "bars/UfxCommandUsage.h"
#include "bars/UfxCustomizeButton.h"
#include "bars/UfxToolbarSystemMenuButton.h"
#include "frames/UfxCommandManager.h"
#include "frames/UfxFrameHelper.h"
#include "frames/UfxFrameWnd.h"
#include "frames/UfxGlobalData.h"
#include "frames/UfxKeyboardManager.h"
#include "bars/UfxPopupMenu.h"
#include "bars/UfxPopupMenuBar.h"
#include "frames/UfxRegistry.h"
#include "bars/UfxTrackMouse.h"
#include "bars/UfxUserTool.h"
#include "frames/UfxUserToolsManager.h"
#include "looks/UfxVisualManager.h"
#include "frames/UfxWorkspace.h"
#include "FwReBar.h"
#include <commctrl.h>

using namespace ufx_toolbar;

// ---- layout ---------------------------------------------------------------------------------------

int CUfxToolBar::RowHeight() const {
  if (m_bDrawTextLabels) return m_nMaxBtnHeight;
  const int nButton = m_bMenuMode ? GetMenuButtonSize().cy : GetButtonSize().cy;
  const BOOL bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
  const int nFont = bHorz ? UfxGlobalData.m_nTextHeightHorz : UfxGlobalData.m_nTextHeightVert;
  return nButton > nFont ? nButton : nFont;
}

int CUfxToolBar::ColumnWidth() const { return m_bMenuMode ? GetMenuButtonSize().cx : GetButtonSize().cx; }

int CUfxToolBar::TallestLabelHeight() {
  m_bDrawTextLabels = FALSE;
  m_nMaxBtnHeight = 0;
  if (!m_bTextLabels || !(m_dwStyle & CBRS_ORIENT_HORZ) || GetSafeHwnd() == nullptr) return 0;
  CClientDC dc(this);
  CBarFontSelector font(dc, TRUE);
  const CSize sizeDefault(ColumnWidth(), RowHeight());
  int nMax = 0;
  for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
    CUfxToolbarButton* pButton = AsButton(m_Buttons.GetNext(pos));
    if ((pButton->m_nStyle & TBBS_SEPARATOR) || !pButton->m_bTextBelow) continue;
    if (pButton->m_strText.IsEmpty()) SetDefaultButtonText(pButton);
    const CSize size = pButton->OnCalculateSize(&dc, sizeDefault, TRUE);
    if (size.cy > nMax) nMax = size.cy;
  }
  if (nMax > GetButtonSize().cy) {
    m_bDrawTextLabels = TRUE;
    m_nMaxBtnHeight = nMax;
  }
  return nMax;
}

void CUfxToolBar::AdjustLayout() {
  if (GetSafeHwnd() == nullptr) return;
  const BOOL bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
  for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
    CUfxToolbarButton* pButton = AsButton(m_Buttons.GetNext(pos));
    if (!(pButton->m_nStyle & TBBS_SEPARATOR)) pButton->m_bTextBelow = m_bTextLabels && bHorz;
  }
  TallestLabelHeight();
  if (DYNAMIC_DOWNCAST(CReBar, GetParent()) != nullptr) {
    UpdateRebarBand();
  } else if (CFrameWnd* pFrame = GetParentFrame()) {
    // A hidden bar takes no room: the frame's layout does not change with it.
    if (IsWindowVisible()) pFrame->RecalcLayout();
  }
  LayoutButtons();
  RedrawWindow(nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void CUfxToolBar::UpdateRebarBand() {
  CWnd* pRebar = GetParent();
  const BOOL bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
  const int nBands = (int)pRebar->SendMessage(RB_GETBANDCOUNT);
  for (int i = 0; i < nBands; ++i) {
    REBARBANDINFOW rbbi = {};
    rbbi.cbSize = sizeof(rbbi);
    rbbi.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_IDEALSIZE;
    if (!pRebar->SendMessage(RB_GETBANDINFOW, i, (LPARAM)&rbbi) || rbbi.hwndChild != m_hWnd) continue;
    const CSize size = CalcFixedLayout(FALSE, bHorz);
    CRect rectInside(0, 0, 0, 0);
    CalcInsideRect(rectInside, bHorz);
    const UINT nRow = (UINT)(RowHeight() - rectInside.Height());
    rbbi.fMask = RBBIM_CHILDSIZE | RBBIM_IDEALSIZE;
    rbbi.cxMinChild = (UINT)size.cx > rbbi.cxMinChild ? (UINT)size.cx : rbbi.cxMinChild;
    rbbi.cyMinChild = (UINT)size.cy > nRow ? (UINT)size.cy : nRow;
    rbbi.cxIdeal = (UINT)size.cx;
    pRebar->SendMessage(RB_SETBANDINFOW, i, (LPARAM)&rbbi);
    break;
  }
}

int CUfxToolBar::WrapButtons(int nWidth, int nHeight) {
  const BOOL bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
  CClientDC dc(GetSafeHwnd() != nullptr ? this : nullptr);
  CBarFontSelector font(dc, bHorz);
  const CSize sizeDefault(ColumnWidth(), RowHeight());
  CUfxToolbarButton* pCustomize = m_pCustomizeBtn;
  if (pCustomize != nullptr && bHorz && !IsFloating()) nWidth -= pCustomize->OnCalculateSize(&dc, sizeDefault, bHorz).cx;

  int nRows = 1;
  int x = 0;
  int y = 0;
  int nPrevHeight = 0;
  CUfxToolbarButton* pPrev = nullptr;
  for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
    CUfxToolbarButton* pButton = AsButton(m_Buttons.GetNext(pos));
    pButton->m_bWrap = FALSE;
    if (pButton == pCustomize) continue;
    const BOOL bSeparator = (pButton->m_nStyle & TBBS_SEPARATOR) != 0;
    CSize size = pButton->OnCalculateSize(&dc, sizeDefault, bHorz);
    if (bSeparator && x == 0) size.cx = 0;
    if (pPrev != nullptr && x + size.cx > nWidth && !bSeparator &&
        y + nPrevHeight + kRowGap + size.cy <= nHeight) {
      pPrev->m_bWrap = TRUE;
      y += nPrevHeight + kRowGap;
      x = 0;
      ++nRows;
    }
    x += size.cx;
    nPrevHeight = size.cy;
    pPrev = pButton;
  }
  return nRows;
}

void CUfxToolBar::SizeToolBar(int nLength, BOOL bVert) {
  if (bVert) {
    // The length is a height: one row when that fits, else the narrowest width that does.
    WrapButtons((int)kMaxLength);
    if (ComputeButtonsSize(FALSE).cy < nLength) {
      const int nStep = ColumnWidth() > 0 ? ColumnWidth() : 1;
      int nWidth = 0;
      for (;; nWidth += nStep) {
        WrapButtons(nWidth);
        if (ComputeButtonsSize(FALSE).cy <= nLength || nWidth >= (int)kMaxLength) break;
      }
      WrapButtons(nWidth);
    }
    return;
  }
  const int nTarget = WrapButtons(nLength);
  int nWidth = nLength;
  if (WrapButtons(0) != nTarget) {
    int nLow = 0;
    int nHigh = nLength;
    for (;;) {
      const int nMid = (nLow + nHigh) / 2;
      if (nLow == nMid) {
        nWidth = nHigh;
        break;
      }
      if (WrapButtons(nMid) == nTarget) nHigh = nMid;
      else nLow = nMid;
    }
  }
  WrapButtons(nWidth);
}

CSize CUfxToolBar::ComputeButtonsSize(BOOL bVertical) {
  if (m_Buttons.IsEmpty()) return CControlBar::CalcFixedLayout(FALSE, !bVertical);
  CClientDC dc(GetSafeHwnd() != nullptr ? this : nullptr);
  CBarFontSelector font(dc, !bVertical);
  const CSize sizeDefault(ColumnWidth(), RowHeight());
  CSize sizeResult(0, 0);
  int x = 0;
  int y = 0;
  for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
    CUfxToolbarButton* pButton = AsButton(m_Buttons.GetNext(pos));
    CSize size = pButton->OnCalculateSize(&dc, sizeDefault, !bVertical);
    if (bVertical) {
      if ((pButton->m_nStyle & TBBS_SEPARATOR) && y == 0) size.cy = 0;
      if (size.cx < ColumnWidth()) size.cx = ColumnWidth();
      if (size.cx > sizeResult.cx) sizeResult.cx = size.cx;
      y += size.cy;
      sizeResult.cy = y;
      continue;
    }
    if ((pButton->m_nStyle & TBBS_SEPARATOR) && x == 0) size.cx = 0;
    x += size.cx;
    if (x > sizeResult.cx) sizeResult.cx = x;
    if (y + size.cy > sizeResult.cy) sizeResult.cy = y + size.cy;
    if (pButton->m_bWrap) {
      x = 0;
      y += RowHeight() + kRowGap;
    }
  }
  return sizeResult;
}

CSize CUfxToolBar::ComputeBarLayout(DWORD dwMode, int nLength) {
  const BOOL bHorz = (dwMode & LM_HORZ) != 0;
  TallestLabelHeight();
  if (!(m_dwStyle & CBRS_SIZE_FIXED)) {
    CRect rectInside(0, 0, 0, 0);
    CalcInsideRect(rectInside, bHorz);
    int nWrap;
    BOOL bHeight = FALSE;
    if (!(m_dwStyle & CBRS_SIZE_DYNAMIC)) nWrap = bHorz ? (int)kMaxLength : 0;
    else if (dwMode & LM_MRUWIDTH) nWrap = (int)m_nMRUWidth;
    else if (dwMode & LM_HORZDOCK) nWrap = (int)kMaxLength;
    else if (dwMode & LM_VERTDOCK) nWrap = 0;
    else if (nLength != -1) {
      // The inside rectangle of an empty one is as large as the borders, negative.
      bHeight = (dwMode & LM_LENGTHY) != 0;
      nWrap = nLength + (bHeight ? rectInside.Height() : rectInside.Width());
    } else if (IsFloating()) nWrap = (int)m_nMRUWidth;
    else nWrap = bHorz ? (int)kMaxLength : 0;
    SizeToolBar(nWrap, bHeight);
  }
  CSize size = ComputeButtonsSize(!bHorz);
  if ((dwMode & LM_COMMIT) && IsFloating() && (m_dwStyle & CBRS_SIZE_DYNAMIC) && bHorz) m_nMRUWidth = (UINT)size.cx;
  CRect rectInside(0, 0, 0, 0);
  CalcInsideRect(rectInside, bHorz);
  size.cx -= rectInside.Width();
  size.cy -= rectInside.Height();
  const CSize sizeFixed = CControlBar::CalcFixedLayout((dwMode & LM_STRETCH) != 0, bHorz);
  if (sizeFixed.cx > size.cx) size.cx = sizeFixed.cx;
  if (sizeFixed.cy > size.cy) size.cy = sizeFixed.cy;
  RebuildMnemonics();
  return size;
}

CSize CUfxToolBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  return ComputeBarLayout((bStretch ? LM_STRETCH : 0) | (bHorz ? LM_HORZ : 0), -1);
}

CSize CUfxToolBar::CalcDynamicLayout(int nLength, DWORD dwMode) {
  if (nLength == -1 && !(dwMode & (LM_MRUWIDTH | LM_COMMIT)) && (dwMode & (LM_HORZDOCK | LM_VERTDOCK)))
    return CalcFixedLayout((dwMode & LM_STRETCH) != 0, (dwMode & LM_HORZDOCK) != 0);
  return ComputeBarLayout(dwMode, nLength);
}

void CUfxToolBar::LayoutButtons() {
  if (GetSafeHwnd() == nullptr) return;
  CRect rectClient;
  GetClientRect(rectClient);
  const BOOL bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
  const BOOL bFloating = IsFloating();
  CClientDC dc(this);
  CBarFontSelector font(dc, bHorz);
  const CSize sizeDefault(ColumnWidth(), RowHeight());
  const int nRowHeight = RowHeight();

  CCustomizeButton* pCustomize = m_pCustomizeBtn;
  const BOOL bHideBehindCustomize = pCustomize != nullptr && !bFloating && !s_bCustomizeMode;
  CSize sizeCustomize(0, 0);
  if (pCustomize != nullptr) pCustomize->GetInvisibleButtons().RemoveAll();
  if (bHideBehindCustomize) sizeCustomize = pCustomize->OnCalculateSize(&dc, sizeDefault, bHorz);
  const BOOL bCustomizeCommand = pCustomize != nullptr && pCustomize->GetCustomizeCmdId() > 0;
  CObList lstHidden;
  int iLastReal = -1;
  {
    int i = 0;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr; ++i)
      if (m_Buttons.GetNext(pos) != pCustomize) iLastReal = i;
  }

  const int xStart = bHorz ? rectClient.left + 1 : rectClient.left;
  const int yStart = bHorz ? rectClient.top : rectClient.top + 1;
  const BOOL bCentreRows = bFloating && m_bTextLabels && bHorz;
  int x = xStart;
  int y = yStart;
  BOOL bPrevSeparator = FALSE;
  int i = 0;
  POSITION posRowStart = m_Buttons.GetHeadPosition();
  for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr; ++i) {
    CUfxToolbarButton* pButton = AsButton(m_Buttons.GetNext(pos));
    if (pButton == pCustomize) continue;
    const BOOL bSeparator = (pButton->m_nStyle & TBBS_SEPARATOR) != 0;
    const BOOL bRowStart = bHorz ? x == xStart : y == yStart;
    CSize size = pButton->OnCalculateSize(&dc, sizeDefault, bHorz);
    if (pButton->m_bTextBelow && bHorz) size.cy = nRowHeight;
    BOOL bVisible = TRUE;
    if (bSeparator && (bRowStart || bPrevSeparator)) {
      size = CSize(0, 0);
      bVisible = FALSE;
    }
    const CRect rect(x, y, x + size.cx, y + size.cy);
    if (bVisible && bHideBehindCustomize) {
      // The last real button needs no room for a customize button that would show nothing.
      const BOOL bReserve = i != iLastReal || bCustomizeCommand || !lstHidden.IsEmpty();
      const int nLimit = (bHorz ? rectClient.right - (bReserve ? sizeCustomize.cx : 0)
                                : rectClient.bottom - (bReserve ? sizeCustomize.cy : 0));
      if ((bHorz ? rect.right : rect.bottom) > nLimit) {
        bVisible = FALSE;
        lstHidden.AddTail(pButton);
      }
    }
    if (pButton->m_bVisible != bVisible) {
      pButton->m_bVisible = bVisible;
      pButton->Show(bVisible);
    }
    pButton->SetRect(rect);
    bPrevSeparator = bSeparator;
    if (!bHorz) {
      y += size.cy;
      continue;
    }
    x += size.cx;
    if (pButton->m_bWrap || pos == nullptr || (bCentreRows && m_Buttons.GetAt(pos) == pCustomize)) {
      if (bCentreRows) {
        // Each row of a floating labelled bar is centred.
        const int nShift = (rectClient.right - x) / 2;
        for (POSITION posRow = posRowStart; posRow != nullptr;) {
          CUfxToolbarButton* pRowButton = AsButton(m_Buttons.GetNext(posRow));
          if (pRowButton != pCustomize) {
            CRect rectRow = pRowButton->Rect();
            rectRow.OffsetRect(nShift, 0);
            pRowButton->SetRect(rectRow);
          }
          if (posRow == pos) break;
        }
        posRowStart = pos;
      }
      x = xStart;
      y += nRowHeight + kRowGap;
      bPrevSeparator = FALSE;
    }
  }
  PlaceCustomizeButton(lstHidden, sizeCustomize, bHideBehindCustomize);
  RebuildMnemonics();
}

void CUfxToolBar::PlaceCustomizeButton(const CObList& lstHidden, CSize sizeCustomize, BOOL bDocked) {
  CCustomizeButton* pCustomize = m_pCustomizeBtn;
  if (pCustomize == nullptr) return;
  pCustomize->GetInvisibleButtons().AddTail(const_cast<CObList*>(&lstHidden));
  CRect rectClient;
  GetClientRect(rectClient);
  const BOOL bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
  const BOOL bShow = bDocked && (pCustomize->GetCustomizeCmdId() > 0 || !lstHidden.IsEmpty());
  CRect rect(0, 0, 0, 0);
  if (bShow) {
    rect = bHorz ? CRect(rectClient.right - sizeCustomize.cx, rectClient.top, rectClient.right - 1, rectClient.bottom)
                 : CRect(rectClient.left, rectClient.bottom - 1 - sizeCustomize.cy, rectClient.right,
                         rectClient.bottom - 1);
  }
  if (pCustomize->m_bVisible != bShow) {
    pCustomize->m_bVisible = bShow;
    pCustomize->Show(bShow);
  }
  pCustomize->SetRect(rect);
}


void CUfxToolBar::RebuildMnemonics() {
  m_AcellKeys.RemoveAll();
  for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
    CUfxToolbarButton* pButton = AsButton(m_Buttons.GetNext(pos));
    if ((pButton->m_nStyle & TBBS_SEPARATOR) || !(pButton->m_bText || m_bMenuMode || pButton->m_bTextBelow)) continue;
    const CString& strText = pButton->m_strText;
    // The character after the first single "&"; "&&" stands for the character itself.
    for (int i = 0; i < strText.GetLength() - 1; ++i) {
      if (strText[i] != L'&') continue;
      if (strText[i + 1] == L'&') {
        ++i;
        continue;
      }
      const UINT uiChar = (UINT)(ULONG_PTR)::CharUpperW((LPWSTR)(ULONG_PTR)(WORD)strText[i + 1]);
      m_AcellKeys.SetAt(uiChar, pButton);
      break;
    }
  }
}

int CUfxToolBar::HitTest(CPoint point) {
  int i = 0;
  for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr; ++i) {
    CUfxToolbarButton* pButton = AsButton(m_Buttons.GetNext(pos));
    if (!pButton->m_bVisible || !pButton->Rect().PtInRect(point)) continue;
    return (pButton->m_nStyle & TBBS_SEPARATOR) ? -1 : i;
  }
  return -1;
}
