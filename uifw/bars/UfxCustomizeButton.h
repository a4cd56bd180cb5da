// CCustomizeButton: the button at the far end of a docked toolbar. It lists the bar's buttons that
// did not fit (its popup offers them) and may carry one command that customizes the bar.
#pragma once
#include "bars/UfxToolbarMenuButton.h"

class CUfxToolBar;

class CCustomizeButton : public CUfxToolbarMenuButton {
  DECLARE_SERIAL(CCustomizeButton)
public:
  CCustomizeButton();
  // iCustomizeCmdId 0 or less: no customize item.
  CCustomizeButton(int iCustomizeCmdId, const CString& strCustomizeText);
  ~CCustomizeButton() override;

  void CopyFrom(const CUfxToolbarButton& src) override;
  void OnDraw(CDC* pDC, const CRect& rect, CUfxToolBarImages* pImages, BOOL bHorz = TRUE,
              BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
              BOOL bGrayDisabledButtons = TRUE) override;
  SIZE OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
  void OnParentChanged(CWnd* pWndParent) override;
  BOOL CanBeStored() const override { return FALSE; }
  BOOL IsBorderDrawn() const override { return FALSE; }
  void OnCancelMode() override;
  BOOL IsEditable() const override { return FALSE; }
  // The hidden buttons, then the customize item.
  CUfxPopupMenu* CreatePopupMenu() override;

  int GetCustomizeCmdId() const { return m_iCustomizeCmdId; }
  const CString& GetCustomizeText() const { return m_strCustomizeText; }
  // The bar's buttons that did not fit, in bar order (not owned); the bar's layout fills it.
  CObList& GetInvisibleButtons() { return m_lstInvisibleButtons; }

  // Fields, in this order.
  int m_iCustomizeCmdId = 0;
  CString m_strCustomizeText;
  CUfxToolBar* m_pWndParentToolbar = nullptr;
  BOOL m_bIsEmpty = FALSE;  // takes no space
  BOOL m_bReserved = TRUE;
  // When either is set, closing the popup repaints the button on its bar.
  BOOL m_bOnRebar = FALSE;
  BOOL m_bMenuRightAlign = FALSE;
  CObList m_lstInvisibleButtons;
  // How far a look that paints the button out to the bar's window edge reaches past its rect on
  // each side; the bar's border paint stores it, the button's own paint reads it.
  CRect m_rectExtra;
};
