// CUfxToolBar: the double-buffered paint and the drawing of buttons and separators.
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


// ---- painting -------------------------------------------------------------------------------------

CUfxToolBarImages* CUfxToolBar::GetImagesToDraw(CUfxToolBarImages** ppCold, CUfxToolBarImages** ppDisabled) {
  CUfxToolBarImages* pImages;
  CUfxToolBarImages* pCold;
  CUfxToolBarImages* pDisabled;
  CUfxToolBarImages* pLarge = m_bLocked ? &m_LargeImagesLocked : &s_LargeImages;
  if (m_bMenuMode) {
    pImages = m_bLocked ? &m_MenuImagesLocked : &s_MenuImages;
    if (pImages->GetCount() == 0) pImages = m_bLocked ? &m_ImagesLocked : &s_Images;
    pCold = nullptr;
    pDisabled = m_bLocked ? &m_DisabledMenuImagesLocked : &s_DisabledMenuImages;
  } else if (s_bLargeIcons && m_bLargeIconsAreEnabled && pLarge->GetCount() > 0) {
    pImages = pLarge;
    pCold = m_bLocked ? &m_LargeColdImagesLocked : &s_LargeColdImages;
    pDisabled = m_bLocked ? &m_LargeDisabledImagesLocked : &s_LargeDisabledImages;
  } else {
    pImages = m_bLocked ? &m_ImagesLocked : &s_Images;
    pCold = m_bLocked ? &m_ColdImagesLocked : &s_ColdImages;
    pDisabled = m_bLocked ? &m_DisabledImagesLocked : &s_DisabledImages;
  }
  if (ppCold != nullptr) *ppCold = pCold != nullptr && pCold->GetCount() > 0 ? pCold : nullptr;
  if (ppDisabled != nullptr) *ppDisabled = pDisabled->GetCount() > 0 ? pDisabled : nullptr;
  return pImages;
}

void CUfxToolBar::DoPaint(CDC* pDCPaint) {
  CRect rectClient;
  GetClientRect(rectClient);
  CRect rectClip;
  pDCPaint->GetClipBox(rectClip);
  if (!rectClip.IntersectRect(rectClip, rectClient)) return;
  const BOOL bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;

  // Everything goes to one off-screen bitmap, drawn at the clip box and copied out at the end.
  CDC* pDC = ThePaintBuffer().Get(pDCPaint, rectClip.Size());
  if (pDC == nullptr) return;
  const int nSavedDC = pDC->SaveDC();
  pDC->SetViewportOrg(-rectClip.left, -rectClip.top);
  pDC->IntersectClipRect(rectClip.left, rectClip.top, rectClip.right, rectClip.bottom);
  CUfxVisualManager* pVisManager = CUfxVisualManager::GetInstance();
  if (GetStyle() & TBSTYLE_TRANSPARENT) m_Impl.FillBackground(pDC);
  else pVisManager->OnFillBarBackground(pDC, this, rectClient, rectClip);
  AfterFillBackground(pDC);
  pDC->SetTextColor(UfxGlobalData.clrBtnText);
  pDC->SetBkMode(TRANSPARENT);
  CBarFontSelector font(*pDC, bHorz);

  CUfxToolBarImages* pCold = nullptr;
  CUfxToolBarImages* pDisabled = nullptr;
  CUfxToolBarImages* pImages = GetImagesToDraw(&pCold, &pDisabled);
  const BOOL bFadeWas = pVisManager->IsFadeInactiveImage();
  if (pCold != nullptr) pVisManager->SetFadeInactiveImage(FALSE);

  const BOOL bNoHighlight = s_bCustomizeMode && !m_bLocked;
  int i = 0;
  for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr; ++i) {
    CUfxToolbarButton* pButton = AsButton(m_Buttons.GetNext(pos));
    CRect rect = pButton->Rect();
    CRect rectInter;
    if (!pButton->m_bVisible || !rectInter.IntersectRect(rect, rectClip)) {
      // A separator ending a row is drawn in the gap below it, across the bar.
      if (!(pButton->m_bVisible && (pButton->m_nStyle & TBBS_SEPARATOR) && pButton->m_bWrap && bHorz)) continue;
    }
    if (pButton->m_nStyle & TBBS_SEPARATOR) {
      if (pButton->m_bWrap && bHorz) {
        const CRect rectRow(rectClient.left, rect.bottom, rectClient.right, rect.bottom + kRowGap);
        DrawBarSeparator(pDC, rectRow, FALSE);
      } else {
        DrawBarSeparator(pDC, rect, bHorz);
      }
      continue;
    }
    BOOL bHighlighted = (i == m_iHighlighted && (m_iButtonCapture == -1 || m_iButtonCapture == i)) ||
                        (m_bMenuMode && i == m_iHighlighted);
    if (bNoHighlight) bHighlighted = FALSE;
    CUfxToolBarImages* pButtonImages = pImages;
    BOOL bDrawDisabledImages = FALSE;
    if (pButton->m_bUserButton) {
      pButtonImages = s_pUserImages;
    } else {
      if ((pButton->m_nStyle & TBBS_DISABLED) && !s_bCustomizeMode && pDisabled != nullptr) {
        pButtonImages = pDisabled;
        bDrawDisabledImages = TRUE;
      }
      if (!bHighlighted && !(pButton->m_nStyle & (TBBS_CHECKED | TBBS_PRESSED)) && !pButton->IsDroppedDown() &&
          pCold != nullptr && !bDrawDisabledImages) {
        pButtonImages = pCold;
      }
    }
    DrawOneButton(pDC, pButton, pButtonImages, bHighlighted, bDrawDisabledImages);
  }
  if (pCold != nullptr) pVisManager->SetFadeInactiveImage(bFadeWas);
  DrawCustomizeSelection(pDC);
  pDC->SetViewportOrg(0, 0);
  pDCPaint->BitBlt(rectClip.left, rectClip.top, rectClip.Width(), rectClip.Height(), pDC, 0, 0, SRCCOPY);
  pDC->RestoreDC(nSavedDC);
}

void CUfxToolBar::DrawCustomizeSelection(CDC* pDC) {
  if (!s_bCustomizeMode || m_bLocked || s_pSelToolbar != this) return;
  CUfxToolbarButton* pSelected = GetButton(m_iSelected);
  if (pSelected != nullptr && pSelected->CanBeStored()) {
    CRect rect = pSelected->Rect();
    if (pSelected->GetHwnd() != nullptr) rect.InflateRect(0, 1);
    const COLORREF clr = UfxGlobalData.clrBtnText;
    pDC->Draw3dRect(rect, clr, clr);
    rect.DeflateRect(1, 1);
    pDC->Draw3dRect(rect, clr, clr);
  }
  if (m_iDragIndex >= 0) DrawInsertionMark(pDC);
}

void CUfxToolBar::DrawOneButton(CDC* pDC, CUfxToolbarButton* pButton, CUfxToolBarImages* pImages, BOOL bHighlighted,
                                BOOL bDrawDisabledImages) {
  const BOOL bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
  pButton->OnDraw(pDC, pButton->Rect(), pImages, bHorz, s_bCustomizeMode && !m_bLocked, bHighlighted, m_bDrawBorder,
                  m_bGrayDisabledButtons && !bDrawDisabledImages);
}

void CUfxToolBar::DrawBarSeparator(CDC* pDC, const CRect& rect, BOOL bHorz) {
  CUfxVisualManager::GetInstance()->OnDrawSeparator(pDC, this, rect, bHorz);
}

void CUfxToolBar::DrawInsertionMark(CDC* pDC) {
  if (m_rectDrag.IsRectEmpty() || m_penDrag.GetSafeHandle() == nullptr) return;
  CPen* pOldPen = pDC->SelectObject(&m_penDrag);
  const BOOL bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
  for (int i = 0; i < 2; ++i) {
    if (bHorz) {
      const int x = m_rectDrag.CenterPoint().x + i;
      pDC->MoveTo(x, m_rectDrag.top);
      pDC->LineTo(x, m_rectDrag.bottom - 1);
      pDC->MoveTo(m_rectDrag.left, m_rectDrag.top + i);
      pDC->LineTo(m_rectDrag.right, m_rectDrag.top + i);
      pDC->MoveTo(m_rectDrag.left, m_rectDrag.bottom - 1 - i);
      pDC->LineTo(m_rectDrag.right, m_rectDrag.bottom - 1 - i);
    } else {
      const int y = m_rectDrag.CenterPoint().y + i;
      pDC->MoveTo(m_rectDrag.left, y);
      pDC->LineTo(m_rectDrag.right - 1, y);
      pDC->MoveTo(m_rectDrag.left + i, m_rectDrag.top);
      pDC->LineTo(m_rectDrag.left + i, m_rectDrag.bottom);
      pDC->MoveTo(m_rectDrag.right - 1 - i, m_rectDrag.top);
      pDC->LineTo(m_rectDrag.right - 1 - i, m_rectDrag.bottom);
    }
  }
  pDC->SelectObject(pOldPen);
}
