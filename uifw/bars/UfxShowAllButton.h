// CUfxShowAllButton: the last item of a popup menu that hides its rarely used commands; a click
// (or a rest on it) shows the whole menu.
#pragma once
#include "bars/UfxToolbarMenuButton.h"

class CUfxShowAllButton : public CUfxToolbarMenuButton {
  DECLARE_DYNCREATE(CUfxShowAllButton)
public:
  CUfxShowAllButton();
  ~CUfxShowAllButton() override;

  void OnDraw(CDC* pDC, const CRect& rect, CUfxToolBarImages* pImages, BOOL bHorz = TRUE,
              BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
              BOOL bGrayDisabledButtons = TRUE) override;
  SIZE OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
  BOOL OnClick(CWnd* pWnd, BOOL bDelay = TRUE) override;
  BOOL OnToolHitTest(const CWnd* pWnd, TOOLINFOW* pTI) override;
  BOOL OpenPopupMenu(CWnd* pWnd = nullptr) override;

  // The tooltip: string 16025 with the Ctrl+Down shortcut text in its first "%s".
  static CString TooltipText();
};
