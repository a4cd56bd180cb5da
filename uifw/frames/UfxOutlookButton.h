// CUfxOutlookButton: a shortcut button of an outlook bar: a large image with its text below it
// (beside it on a horizontal bar), belonging to one page of the bar.
#pragma once
#include "bars/UfxToolbarButton.h"

class CUfxOutlookBar;

class CUfxOutlookButton : public CUfxToolbarButton {
  DECLARE_SERIAL(CUfxOutlookButton)
public:
  CUfxOutlookButton();
  ~CUfxOutlookButton() override;

  void Serialize(CArchive& ar) override;
  void CopyFrom(const CUfxToolbarButton& src) override;
  BOOL CompareWith(const CUfxToolbarButton& other) const override;
  void OnParentChanged(CWnd* pWndParent) override;
  SIZE OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
  void OnDraw(CDC* pDC, const CRect& rect, CUfxToolBarImages* pImages, BOOL bHorz = TRUE, BOOL bCustomizeMode = FALSE,
              BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE, BOOL bGrayDisabledButtons = TRUE) override;

  // Fields, in this order.
  CUfxOutlookBar* m_pWndParentBar = nullptr;
  int m_iPageId = 0;
  CSize m_sizeImage{0, 0};
  BOOL m_bIsWholeText = TRUE;  // the text fits the button's width

protected:
  void DrawText(CDC* pDC, const CRect& rectText, BOOL bDisabled, BOOL bHighlight, BOOL bPressed);
  // The label measured word-wrapped within a width (a one-pixel column of a height for a
  // horizontal bar); kept while label, font and limit stay the same.
  CSize MeasureLabel(CDC* pDC, BOOL bHorz, int nLimit);
  CString m_strMeasured;
  HGDIOBJ m_hMeasuredFont = nullptr;
  int m_nMeasuredLimit = -1;
  BOOL m_bMeasuredHorz = FALSE;
  CSize m_sizeMeasured;
};
