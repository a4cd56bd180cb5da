// CUfxMDIClientWnd: the MDI client area of a CUfxMDIFrameWnd, subclassed. It keeps the optional
// MDI tabs (a tab window with one tab per child window, off unless the application turns them
// on), passes the frame's menu and background to the frame, and lays itself out beside the tabs.
#pragma once
#include "Framework.h"
#include "frames/UfxTabWnd.h"

class CUfxMDIClientWnd : public CWnd {
public:
  CUfxMDIClientWnd();
  ~CUfxMDIClientWnd() override;

  // Brings the tabs in line with the children (nothing while tabs are off); with bSetActive the
  // active child's tab becomes the active one and is scrolled into view.
  void UpdateTabs(BOOL bSetActive = FALSE);
  BOOL AreMDITabs() const { return m_bIsMDITabbed; }
  CUfxTabWnd& GetTabWnd() { return m_wndTab; }

  void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = 0) override;

protected:
  void PreSubclassWindow() override;
  // The tab's image of a child's icon (-1: none); each icon enters the image list once.
  int TabImageOf(CWnd* pChild);

  afx_msg LRESULT OnMDIDestroy(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnMDIRefreshMenu(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnMDISetMenu(WPARAM wParam, LPARAM lParam);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg LRESULT OnUpdateTabsMessage(WPARAM wParam, LPARAM lParam);

  // Fields, in this order.
  CUfxTabWnd m_wndTab;
  int m_location = 0;
  BOOL m_bIsMDITabbed = FALSE;
  CImageList m_TabIcons;
  BOOL m_bTabIcons = TRUE;
  int m_nTabOption = 0;
  CMap<HICON, HICON, int, int> m_mapIcons;
  DECLARE_MESSAGE_MAP()
};

// Asks the client to update its tabs without changing the active one.
#define UFXM_UPDATE_MDI_TABS 0x0465
