// CUfxColorButton: an owner-drawn push button for dialogs that shows a colour and drops a colour
// popup below itself; a chosen colour is stored and reported to the parent as the button's click.
#pragma once
#include "looks/UfxButton.h"

class CColorPopup;

class CUfxColorButton : public CUfxButton {
  DECLARE_DYNAMIC(CUfxColorButton)
public:
  CUfxColorButton();
  ~CUfxColorButton() override;

  CSize SizeToContent(BOOL bCalcOnly = FALSE) override;
  void OnFillBackground(CDC* pDC, const CRect& rectClient) override;
  void OnDrawBorder(CDC* pDC, CRect& rectClient, UINT uiState) override;
  void OnDrawFocusRect(CDC* pDC, const CRect& rectClient) override;
  void OnDraw(CDC* pDC, const CRect& rect, UINT uiState) override;
  virtual void OnShowColorPopup();

  void SetColor(COLORREF color);
  COLORREF GetColor() const { return m_Color; }
  void EnableAutomaticButton(LPCWSTR lpszLabel, COLORREF colorAutomatic, BOOL bEnable = TRUE);
  void EnableOtherButton(LPCWSTR lpszLabel, BOOL bAltColorDlg = TRUE, BOOL bEnable = TRUE);
  void SetColumnsNumber(int nColumns) { m_nColumns = nColumns; }
  void SetPalette(CPalette* pPalette);
  // Called by the colour bar on a choice: stores, repaints and reports to the parent.
  void UpdateColor(COLORREF color);
  CColorPopup* GetPopup() const { return m_pPopup; }
  // The part at the right end that shows the arrow.
  CRect GetDropDownRect(const CRect& rect) const;

  // Fields, in this order.
  BOOL m_bEnabledInCustomizeMode = FALSE;
  BOOL m_bAutoSetFocus = TRUE;
  COLORREF m_Color = 0;
  COLORREF m_ColorAutomatic = (COLORREF)-1;
  CArray<COLORREF, COLORREF> m_Colors;
  CList<COLORREF, COLORREF> m_lstDocColors;
  int m_nColumns = -1;
  CColorPopup* m_pPopup = nullptr;
  CString m_strOtherText;
  CString m_strDocColorsText;
  CString m_strAutoColorText;
  BOOL m_bAltColorDlg = TRUE;
  CPalette* m_pPalette = nullptr;

protected:
  BOOL IsThemedLook() const;
  void RebuildPalette(CPalette* pPalette);

  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg UINT OnGetDlgCode();
  afx_msg void OnSysColorChange();
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  DECLARE_MESSAGE_MAP()
};
