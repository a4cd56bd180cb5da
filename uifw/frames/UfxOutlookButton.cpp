#include "frames/UfxOutlookButton.h"

#include "bars/UfxToolBarImages.h"
#include "frames/UfxGlobalData.h"
#include "frames/UfxOutlookBar.h"
#include "looks/UfxGdiEffects.h"
#include "looks/UfxVisualManager.h"

#include <algorithm>

IMPLEMENT_SERIAL(CUfxOutlookButton, CUfxToolbarButton, 1)

CUfxOutlookButton::CUfxOutlookButton() = default;
CUfxOutlookButton::~CUfxOutlookButton() = default;

void CUfxOutlookButton::Serialize(CArchive& ar) {
  CUfxToolbarButton::Serialize(ar);
  if (!CUfxOutlookBar::ArchiveCarriesPages(ar.IsStoring())) {
    if (!ar.IsStoring()) m_iPageId = 0;
    return;
  }
  if (ar.IsStoring()) {
    ar << (DWORD)m_iPageId;
  } else {
    DWORD dwPage = 0;
    ar >> dwPage;
    m_iPageId = (int)dwPage;
  }
}

void CUfxOutlookButton::CopyFrom(const CUfxToolbarButton& src) {
  CUfxToolbarButton::CopyFrom(src);
  if (const auto* pSrc = DYNAMIC_DOWNCAST(CUfxOutlookButton, const_cast<CUfxToolbarButton*>(&src)))
    m_iPageId = pSrc->m_iPageId;
}

BOOL CUfxOutlookButton::CompareWith(const CUfxToolbarButton& other) const {
  if (!CUfxToolbarButton::CompareWith(other)) return FALSE;
  const auto* pOther = DYNAMIC_DOWNCAST(CUfxOutlookButton, const_cast<CUfxToolbarButton*>(&other));
  return pOther != nullptr && pOther->m_iPageId == m_iPageId;
}

void CUfxOutlookButton::OnParentChanged(CWnd* pWndParent) {
  CUfxToolbarButton::OnParentChanged(pWndParent);
  m_pWndParentBar = DYNAMIC_DOWNCAST(CUfxOutlookBar, pWndParent);
}

CSize CUfxOutlookButton::MeasureLabel(CDC* pDC, BOOL bHorz, int nLimit) {
  HGDIOBJ hFont = ::GetCurrentObject(pDC->m_hDC, OBJ_FONT);
  if (m_nMeasuredLimit == nLimit && m_bMeasuredHorz == bHorz && m_hMeasuredFont == hFont && m_strMeasured == m_strText)
    return m_sizeMeasured;
  CRect rectText = bHorz ? CRect(0, 0, 1, nLimit) : CRect(0, 0, nLimit, 1);
  pDC->DrawText(m_strText, &rectText, DT_CALCRECT | DT_WORDBREAK);
  m_strMeasured = m_strText;
  m_hMeasuredFont = hFont;
  m_nMeasuredLimit = nLimit;
  m_bMeasuredHorz = bHorz;
  m_sizeMeasured = rectText.Size();
  return m_sizeMeasured;
}

SIZE CUfxOutlookButton::OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) {
  CSize size = sizeDefault;
  m_bIsWholeText = TRUE;
  if (m_pWndParentBar == nullptr || !m_pWndParentBar->AreTextLabels() || m_strText.IsEmpty()) return size;
  if (!bHorz) {
    // Three spaces of the font stay free beside the label.
    const int cxSpaces = pDC->GetTextExtent(L"   ", 3).cx;
    const CSize sizeText = MeasureLabel(pDC, FALSE, std::max<int>(1, sizeDefault.cx - cxSpaces));
    size.cx = std::max<int>(m_sizeImage.cx, std::min<int>(sizeDefault.cx, sizeText.cx));
    size.cy = sizeDefault.cy + sizeText.cy + 10;
    m_bIsWholeText = sizeDefault.cx >= sizeText.cx;
  } else {
    const CSize sizeText = MeasureLabel(pDC, TRUE, sizeDefault.cy);
    size.cx = sizeDefault.cx + sizeText.cx + 10;
    size.cy = std::max<int>(m_sizeImage.cy, std::min<int>(sizeDefault.cy, sizeText.cy));
  }
  return size;
}

void CUfxOutlookButton::OnDraw(CDC* pDC, const CRect& rect, CUfxToolBarImages* pImages, BOOL bHorz,
                               BOOL bCustomizeMode, BOOL bHighlight, BOOL, BOOL) {
  const BOOL bDisabled = (m_nStyle & TBBS_DISABLED) != 0;
  const BOOL bPressed = (m_nStyle & TBBS_PRESSED) != 0;
  const BOOL bChecked = (m_nStyle & TBBS_CHECKED) != 0;
  const BOOL bBackImage = m_pWndParentBar != nullptr && m_pWndParentBar->HasBackImage();
  CSize sizeImage = m_sizeImage;
  if (pImages != nullptr && (sizeImage.cx <= 0 || sizeImage.cy <= 0)) sizeImage = pImages->GetImageSize();
  CPoint ptImage = !bHorz ? CPoint(rect.left + (rect.Width() - sizeImage.cx) / 2, rect.top + 5)
                          : CPoint(rect.left + 5, rect.top + (rect.Height() - sizeImage.cy) / 2);
  if (bPressed && bHighlight) ptImage.Offset(1, 1);
  CRect rectFrame(ptImage, sizeImage);
  rectFrame.InflateRect(2, 2);
  if (!bCustomizeMode && (bHighlight || bPressed || bChecked)) {
    if (!bBackImage) FillInterior(pDC, rectFrame, bHighlight);
    else if (bHighlight) CUfxGdiEffects(*pDC).HighlightRect(rectFrame);
    const auto state = (bPressed && bHighlight) || bChecked ? CUfxVisualManager::ButtonsIsPressed
                                                             : CUfxVisualManager::ButtonsIsHighlighted;
    CUfxVisualManager::GetInstance()->OnDrawButtonBorder(pDC, this, rectFrame, state);
  }
  if (pImages != nullptr && GetImage() >= 0) pImages->Draw(pDC, ptImage.x, ptImage.y, GetImage(), FALSE, bDisabled);
  if (m_strText.IsEmpty()) return;
  CRect rectText = rect;
  if (!bHorz) rectText.top += sizeImage.cy + 2 + 5;
  else rectText.left += sizeImage.cx + 10;
  DrawText(pDC, rectText, bDisabled, bHighlight, bPressed);
}

void CUfxOutlookButton::DrawText(CDC* pDC, const CRect& rectText, BOOL bDisabled, BOOL bHighlight, BOOL bPressed) {
  const BOOL bBackImage = m_pWndParentBar != nullptr && m_pWndParentBar->HasBackImage();
  const auto state = bPressed && bHighlight ? CUfxVisualManager::ButtonsIsPressed
                     : bHighlight           ? CUfxVisualManager::ButtonsIsHighlighted
                                            : CUfxVisualManager::ButtonsIsRegular;
  COLORREF clrText;
  if (bDisabled) {
    clrText = bBackImage ? ::GetSysColor(COLOR_GRAYTEXT)
                         : CUfxVisualManager::GetInstance()->GetToolbarButtonTextColor(this, state);
  } else {
    const COLORREF clrBar = m_pWndParentBar != nullptr ? m_pWndParentBar->GetTextColor() : (COLORREF)-1;
    clrText = clrBar != (COLORREF)-1 ? clrBar
              : bBackImage          ? ::GetSysColor(COLOR_WINDOWTEXT)
                                    : CUfxVisualManager::GetInstance()->GetToolbarButtonTextColor(this, state);
  }
  const COLORREF clrOld = pDC->SetTextColor(clrText);
  CRect rect = rectText;
  pDC->DrawText(m_strText, &rect, m_bIsWholeText ? (DT_CENTER | DT_WORDBREAK) : (DT_WORDBREAK | DT_END_ELLIPSIS));
  pDC->SetTextColor(clrOld);
}
