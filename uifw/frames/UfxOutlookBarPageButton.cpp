#include "frames/UfxOutlookBarPageButton.h"

#include "looks/UfxVisualManager.h"

IMPLEMENT_DYNAMIC(CUfxOutlookBarPageButton, CUfxButton)

void CUfxOutlookBarPageButton::OnFillBackground(CDC* pDC, const CRect& rectClient) {
  // The look may choose the text colour with the fill.
  COLORREF clrText = m_clrRegular;
  if (CUfxVisualManager::GetInstance()->OnFillOutlookPageButton(pDC, rectClient, IsHighlighted(), IsPressed(), clrText)) {
    m_clrRegular = m_clrHover = clrText;
    return;
  }
  CUfxButton::OnFillBackground(pDC, rectClient);
}

void CUfxOutlookBarPageButton::OnDrawBorder(CDC* pDC, CRect& rectClient, UINT uiState) {
  if (CUfxVisualManager::GetInstance()->OnDrawOutlookPageButtonBorder(pDC, rectClient, IsHighlighted(), IsPressed()))
    return;
  CUfxButton::OnDrawBorder(pDC, rectClient, uiState);
}
