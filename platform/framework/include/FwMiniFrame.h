// CMiniFrameWnd: a frame with a small caption, as a tool window or a plain popup (drop-down
// frames, menus). CMiniDockFrameWnd: the floating frame of docked bars: it holds one floating
// dock bar, snaps its size to its bars, drags and resizes through their dock context.
#pragma once
#include "FwDockBar.h"

#define MFS_SYNCACTIVE   0x00000100L
#define MFS_4THICKFRAME  0x00000200L
#define MFS_THICKFRAME   0x00000400L
#define MFS_MOVEFRAME    0x00000800L
#define MFS_BLOCKSYSMENU 0x00010000L

// WM_FLOATSTATUS flags: a frame tells its floating frames what happened to it.
#define FS_SHOW       0x01
#define FS_HIDE       0x02
#define FS_ACTIVATE   0x04
#define FS_DEACTIVATE 0x08
#define FS_ENABLE     0x10
#define FS_DISABLE    0x20
#define FS_SYNCACTIVE 0x40

class CMiniFrameWnd : public CFrameWnd {
  DECLARE_DYNCREATE(CMiniFrameWnd)
public:
  CMiniFrameWnd();
  BOOL Create(LPCWSTR lpClassName, LPCWSTR lpWindowName, DWORD dwStyle, const RECT& rect,
              CWnd* pParentWnd = nullptr, UINT nID = 0);
  BOOL CreateEx(DWORD dwExStyle, LPCWSTR lpClassName, LPCWSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd = nullptr, UINT nID = 0);
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;

  afx_msg BOOL OnNcActivate(BOOL bActive);
  afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
  afx_msg void OnGetMinMaxInfo(MINMAXINFO* pMMI);
  afx_msg LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);
  afx_msg UINT OnNcHitTest(CPoint point);

  BOOL m_bSysTracking = FALSE;
  BOOL m_bInSys = FALSE;
  BOOL m_bActive = FALSE;
  CString m_strCaption;
protected:
  DECLARE_MESSAGE_MAP()
};

class CMiniDockFrameWnd : public CMiniFrameWnd {
  DECLARE_DYNCREATE(CMiniDockFrameWnd)
public:
  CMiniDockFrameWnd();
  virtual BOOL Create(CWnd* pParent, DWORD dwBarStyle);
  using CMiniFrameWnd::Create;
  void RecalcLayout(BOOL bNotify = TRUE) override;

  afx_msg void OnClose();
  afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
  afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
  afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT nMsg);

  CDockBar m_wndDockBar;
protected:
  DECLARE_MESSAGE_MAP()
};
