// CColorButton: one cell of a colour bar. A plain cell shows a colour; special cells are the
// automatic entry, the other-colours entry, the document-colours caption and the last-colour cell
// that shows a current colour found in no other cell.
#pragma once
#include "bars/UfxToolbarButton.h"

class CUfxColorBar;

class CColorButton : public CUfxToolbarButton {
  DECLARE_SERIAL(CColorButton)
public:
  CColorButton();
  // A colour cell, or (with a label) the automatic, other-colours or caption cell.
  CColorButton(COLORREF color, BOOL bIsAutomatic = FALSE, BOOL bIsOther = FALSE, LPCWSTR lpszColorName = nullptr,
               BOOL bIsLabel = FALSE, BOOL bIsDocument = FALSE, BOOL bIsOtherColor = FALSE);
  ~CColorButton() override;

  void OnDraw(CDC* pDC, const CRect& rect, CUfxToolBarImages* pImages, BOOL bHorz = TRUE, BOOL bCustomizeMode = FALSE,
              BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE, BOOL bGrayDisabledButtons = TRUE) override;
  void OnParentChanged(CWnd* pWndParent) override;
  BOOL OnToolHitTest(const CWnd* pWnd, TOOLINFOW* pTI) override;

  // The tooltip: the cell's label, the colour's registered name, or "Hex={RR,GG,BB}".
  CString GetTooltipText() const;

  // The names tooltips show for colours (none is registered by the program itself).
  static void SetColorName(COLORREF color, const CString& strName);
  static BOOL GetColorName(COLORREF color, CString& strName);
  static void ClearColorNames();

  COLORREF m_Color = (COLORREF)-1;
  BOOL m_bHighlight = FALSE;
  BOOL m_bIsAutomatic = FALSE;
  BOOL m_bIsOther = FALSE;
  BOOL m_bIsLabel = FALSE;
  BOOL m_bIsDocument = FALSE;
  BOOL m_bIsOtherColor = FALSE;  // the last-colour cell
  CUfxColorBar* m_pParentBar = nullptr;

  BOOL IsSpecial() const { return m_bIsAutomatic || m_bIsOther || m_bIsLabel; }
};
