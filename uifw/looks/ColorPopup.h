// CColorPopup: a popup menu whose bar is a colour bar. A colour menu button and the owner-drawn
// colour button drop it; the menu button's popup can be torn off into a floating colour bar.
#pragma once
#include "bars/UfxPopupMenu.h"
#include "looks/UfxColorBar.h"

class CUfxColorButton;

class CColorPopup : public CUfxPopupMenu {
  DECLARE_DYNAMIC(CColorPopup)
  friend class CUfxColorMenuButton;
  friend class CUfxColorButton;
public:
  // For the owner-drawn colour button: docked counts -1, command id -1.
  CColorPopup(CUfxColorButton* pParentBtn, const CArray<COLORREF, COLORREF>& colors, COLORREF color,
              LPCWSTR lpszAutoColor, LPCWSTR lpszOtherColor, LPCWSTR lpszDocColors,
              const CList<COLORREF, COLORREF>& lstDocColors, int nColumns, COLORREF colorAutomatic);
  // For the colour menu button.
  CColorPopup(const CArray<COLORREF, COLORREF>& colors, COLORREF color, LPCWSTR lpszAutoColor,
              LPCWSTR lpszOtherColor, LPCWSTR lpszDocColors, const CList<COLORREF, COLORREF>& lstDocColors,
              int nColumns, int nHorzDockRows, int nVertDockColumns, COLORREF colorAutomatic, UINT uiCommandID);
  ~CColorPopup() override;

  CUfxPopupMenuBar* GetMenuBar() override { return &m_wndColorBar; }
  CControlBar* CreateTearOffBar(CFrameWnd* pWndMain, UINT uiID, LPCWSTR lpszName) override;

  CUfxColorBar& GetColorBar() { return m_wndColorBar; }

  CUfxColorBar m_wndColorBar;
  BOOL m_bEnabledInCustomizeMode = FALSE;

  // The window style the colour bar is created with: WS_CHILD and the bar's border bits.
  static constexpr DWORD kColorBarStyle = 1077946376;

protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  DECLARE_MESSAGE_MAP()
};
