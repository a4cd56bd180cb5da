// CUfxToolbarMenuButtonsButton: the minimize, restore and close buttons at the right of the menu
// bar while an MDI child is maximized.
#pragma once
#include "bars/UfxToolbarButton.h"

class CUfxToolbarMenuButtonsButton : public CUfxToolbarButton {
  DECLARE_DYNCREATE(CUfxToolbarMenuButtonsButton)
public:
  CUfxToolbarMenuButtonsButton();
  explicit CUfxToolbarMenuButtonsButton(UINT uiCmdId);
  ~CUfxToolbarMenuButtonsButton() override;

  void Serialize(CArchive& ar) override {}
  void CopyFrom(const CUfxToolbarButton& src) override;
  void OnDraw(CDC* pDC, const CRect& rect, CUfxToolBarImages* pImages, BOOL bHorz = TRUE,
              BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
              BOOL bGrayDisabledButtons = TRUE) override;
  SIZE OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
  BOOL CanBeStored() const override { return FALSE; }
  BOOL IsBorderDrawn() const override { return FALSE; }

  UINT m_uiSystemCommand = 0;  // SC_MINIMIZE, SC_RESTORE or SC_CLOSE
};
