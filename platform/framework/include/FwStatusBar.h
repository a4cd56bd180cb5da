// CStatusBar: the frame's status line over the common status control; panes named by
// indicator ids get their texts from string resources and the command-update route.
// CDialogBar: a bar made from a dialog template whose controls update at idle time.
#pragma once
#include "FwControlBar.h"

struct AFX_STATUSPANE {
  UINT nID;
  UINT nStyle;     // SBPS_* and SBT_*
  int cxText;      // width of the text area in pixels
  CString* pstrText;
};

#define SBPS_NORMAL     0x0000
#define SBPS_NOBORDERS  SBT_NOBORDERS
#define SBPS_POPOUT     SBT_POPOUT
#define SBPS_OWNERDRAW  SBT_OWNERDRAW
#define SBPS_DISABLED   0x04000000
#define SBPS_STRETCH    0x08000000

class CStatusBar : public CControlBar {
  DECLARE_DYNAMIC(CStatusBar)
public:
  CStatusBar();
  ~CStatusBar() override;
  virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                      UINT nID = AFX_IDW_STATUS_BAR);
  BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = 0, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                UINT nID = AFX_IDW_STATUS_BAR);
  using CWnd::CreateEx;
  BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);
  int CommandToIndex(UINT nIDFind) const;
  UINT GetItemID(int nIndex) const;
  void GetItemRect(int nIndex, LPRECT lpRect) const;
  CString GetPaneText(int nIndex) const;
  void GetPaneText(int nIndex, CString& rString) const;
  BOOL SetPaneText(int nIndex, LPCWSTR lpszNewText, BOOL bUpdate = TRUE);
  void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;
  void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
  UINT GetPaneStyle(int nIndex) const;
  void SetPaneStyle(int nIndex, UINT nStyle);
  // The status control's own messages (SB_*), sent to this window.
  HWND GetStatusBarCtrl() const { return m_hWnd; }

  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
  void DoPaint(CDC* pDC) override;

  afx_msg void OnPaint();
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSetMinHeight(WPARAM wParam, LPARAM lParam);
  afx_msg UINT OnNcHitTest(CPoint point);
  afx_msg LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);

  HFONT m_hFont = nullptr;
  int m_nMinHeight = 0;
protected:
  AFX_STATUSPANE* _GetPanePtr(int nIndex) const { return ((AFX_STATUSPANE*)m_pData) + nIndex; }
  void UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText);
  void FreePanes();
  DECLARE_MESSAGE_MAP()
};

class CDialogBar : public CControlBar {
  DECLARE_DYNAMIC(CDialogBar)
public:
  CDialogBar();
  ~CDialogBar() override;
  virtual BOOL Create(CWnd* pParentWnd, LPCWSTR lpszTemplateName, UINT nStyle, UINT nID);
  BOOL Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, UINT nID) {
    return Create(pParentWnd, MAKEINTRESOURCEW(nIDTemplate), nStyle, nID); }
  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;

  afx_msg LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);

  CSize m_sizeDefault;
  LPCWSTR m_lpszTemplateName = nullptr;
protected:
  DECLARE_MESSAGE_MAP()
};
