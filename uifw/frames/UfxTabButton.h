// CUfxTabButton: a scroll or close button of a tab window's strip. Its face and border are drawn
// by the visual manager's tab-button operations, given the button and its tab window.
#pragma once
#include "looks/UfxButton.h"

class CUfxTabWnd;

class CUfxTabButton : public CUfxButton {
  DECLARE_DYNCREATE(CUfxTabButton)
public:
  CUfxTabButton() = default;
  // The tab window this button belongs to (its parent).
  CUfxTabWnd* GetTabWnd() const;

  void OnFillBackground(CDC* pDC, const CRect& rectClient) override;
  void OnDrawBorder(CDC* pDC, CRect& rectClient, UINT uiState) override;
};
