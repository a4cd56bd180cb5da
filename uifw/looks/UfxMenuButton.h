// CUfxMenuButton: a dialog push button that opens a popup menu below (or right of) itself and
// reports the chosen command to its parent as the button's click; an arrow at its right end
// shows where the menu opens.
#pragma once
#include "looks/UfxButton.h"

class CUfxMenuButton : public CUfxButton {
  DECLARE_DYNAMIC(CUfxMenuButton)
public:
  CUfxMenuButton();
  ~CUfxMenuButton() override;

  CSize SizeToContent(BOOL bCalcOnly = FALSE) override;
  void OnDraw(CDC* pDC, const CRect& rect, UINT uiState) override;
  virtual void OnShowMenu();

  // The screen point the menu is anchored at for the current mode.
  CPoint GetMenuAnchor() const;
  BOOL IsMenuOpen() const { return m_bMenuIsActive; }

  // Fields, in this order.
  BOOL m_bRightArrow = FALSE;
  HMENU m_hMenu = nullptr;
  int m_nMenuResult = 0;
  BOOL m_bStayPressed = FALSE;
  BOOL m_bOSMenu = TRUE;
  BOOL m_bDefaultClick = FALSE;
  // Further state: the menu is open.
  BOOL m_bMenuIsActive = FALSE;

  // Menu glyphs of the arrow (the disabled form follows each).
  static constexpr int kGlyphDown = 24;
  static constexpr int kGlyphRight = 26;

protected:
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg UINT OnGetDlgCode();
  DECLARE_MESSAGE_MAP()
};
