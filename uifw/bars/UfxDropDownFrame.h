// CUfxDropDownFrame: the small popup frame a drop-down button opens under (or beside) itself,
// holding a copy of the button's source toolbar.
#pragma once
#include "bars/UfxDropDownToolBar.h"
#include "FwMiniFrame.h"

class CUfxDropDownToolbarButton;

class CUfxDropDownFrame : public CMiniFrameWnd {
  DECLARE_SERIAL(CUfxDropDownFrame)
public:
  CUfxDropDownFrame() = default;
  ~CUfxDropDownFrame() override;

  // x, y -1: 5 pixels inside the parent's client area.
  virtual BOOL Create(CWnd* pWndParent, int x, int y, CUfxDropDownToolBar* pWndOriginToolbar);
  void RecalcLayout(BOOL bNotify = TRUE) override;
  // Where a frame of that size goes for a corner point, inside the work area, beside the button.
  static CPoint PlaceFrame(CPoint ptCorner, CSize sizeFrame, const CRect& rectButtonScreen, BOOL bHorzBar,
                           const CRect& rectBarScreen, const CRect& rectWork);

  CUfxDropDownToolBar m_wndToolBar;
  CUfxDropDownToolbarButton* m_pParentBtn = nullptr;
  int m_x = 0;
  int m_y = 0;
  CUfxDropDownToolBar* m_pWndOriginToolbar = nullptr;
  static CString s_strClassName;

protected:
  void PostNcDestroy() override;
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnPaint();
  afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
  afx_msg void OnDestroy();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
  DECLARE_MESSAGE_MAP()

  // The bar that holds the owning button, and whether it lies horizontally.
  CWnd* ParentBar() const;
  BOOL IsParentBarHorizontal() const;
};
