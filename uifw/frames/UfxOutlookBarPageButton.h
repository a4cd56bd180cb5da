// CUfxOutlookBarPageButton: the push button that spans an outlook bar and activates its page. It
// fills and frames itself through the visual manager's page-button drawing, and as a plain
// button where the look does not draw page buttons.
#pragma once
#include "looks/UfxButton.h"

class CUfxOutlookBarPageButton : public CUfxButton {
  DECLARE_DYNAMIC(CUfxOutlookBarPageButton)
public:
  void OnFillBackground(CDC* pDC, const CRect& rectClient) override;
  void OnDrawBorder(CDC* pDC, CRect& rectClient, UINT uiState) override;
};
