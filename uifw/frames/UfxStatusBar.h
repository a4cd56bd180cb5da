// CUfxStatusBar: the frame's status bar. It keeps its own pane records (id, style, text, icon or
// animation, progress, tooltip), lays them out itself with a size grip at the right end, and paints
// everything through the visual manager into an off-screen bitmap. Pane texts follow the command
// update route like commands (CUfxStatusCmdUI).
#pragma once
#include "Framework.h"

// One pane, as the bar's element array holds it (zero-filled when allocated).
struct UFX_STATUSPANE {
  RECT rect;             // in client coordinates, set by the layout
  UINT nID;              // command id; 0 = the message pane
  UINT nStyle;           // SBPS_*
  int cxText;            // width reserved for the text
  COLORREF clrText;      // 0 after allocation; -1 = the button-text colour
  int cxIcon;
  int cyIcon;
  LPWSTR lpszText;       // owned; null = empty
  LPWSTR lpszToolTip;    // owned; null = no tooltip
  HIMAGELIST hImageList; // owned: icon or animation frames
  int nFrameCount;       // > 0: animates with a timer whose id is the pane id
  int nCurrFrame;
  int nProgressCurr;
  int nProgressTotal;    // > 0: a progress bar instead of the text
  BOOL bProgressText;
  COLORREF clrProgressBar;      // -1 = COLOR_HIGHLIGHT
  COLORREF clrProgressBarDest;  // -1 = a solid bar
  COLORREF clrProgressText;     // -1 = COLOR_HIGHLIGHTTEXT
};

class CUfxStatusBar : public CControlBar {
  DECLARE_DYNAMIC(CUfxStatusBar)
public:
  CUfxStatusBar();
  ~CUfxStatusBar() override;

  virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                      UINT nID = AFX_IDW_STATUS_BAR);
  BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = 0, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                UINT nID = AFX_IDW_STATUS_BAR);
  using CWnd::CreateEx;

  BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

  // Panes.
  int CommandToIndex(UINT nIDFind) const;
  UINT GetItemID(int nIndex) const;
  void GetItemRect(int nIndex, LPRECT lpRect) const;
  CString GetPaneText(int nIndex) const;
  BOOL SetPaneText(int nIndex, LPCWSTR lpszNewText, BOOL bUpdate = TRUE);
  UINT GetPaneStyle(int nIndex) const;
  // A changed style is stored and the pane redrawn at once; the same style changes nothing.
  void SetPaneStyle(int nIndex, UINT nStyle);
  void SetPaneWidth(int nIndex, int cx);
  void SetPaneTextColor(int nIndex, COLORREF clrText = (COLORREF)-1, BOOL bUpdate = TRUE);
  void SetTipText(int nIndex, LPCWSTR lpszTipText);
  // An icon (null: none) shown left of the pane's text.
  void SetPaneIcon(int nIndex, HICON hIcon, BOOL bUpdate = TRUE);
  // The frames of an image list (taken over by the bar) played every uiElapse ms; null stops it.
  void SetPaneAnimation(int nIndex, HIMAGELIST hImageList, UINT uiElapse = 0, BOOL bUpdate = TRUE);
  // A progress bar in place of the text while the total is positive.
  void EnablePaneProgressBar(int nIndex, long nTotal = 100, BOOL bDisplayText = FALSE,
                             COLORREF clrBar = (COLORREF)-1, COLORREF clrBarDest = (COLORREF)-1,
                             COLORREF clrProgressText = (COLORREF)-1);
  void SetPaneProgress(int nIndex, long nCurr, BOOL bUpdate = TRUE);
  void EnablePaneDoubleClick(BOOL bEnable = TRUE) { m_bPaneDoubleClick = bEnable; }

  // The pane at a client point, or null.
  UFX_STATUSPANE* HitTest(CPoint pt) const;
  const UFX_STATUSPANE* GetPane(int nIndex) const { return _GetPanePtr(nIndex); }
  BOOL IsGripHidden() const { return m_bHideSizeBox; }
  CRect GetSizeBoxRect() const { return m_rectSizeBox; }
  HFONT GetCurrentFont() const;

  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  INT_PTR OnToolHitTest(CPoint point, TOOLINFOW* pTI) const override;
  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
  void DoPaint(CDC* pDC) override;
  virtual void OnDrawPane(CDC* pDC, UFX_STATUSPANE* pSBP);

  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  afx_msg void OnDestroy();
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg LRESULT OnSettingChange(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnStatusSizeParent(WPARAM wParam, LPARAM lParam);
  afx_msg UINT OnNcHitTest(CPoint point);
  afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint pt);
  afx_msg void OnTimer(UINT_PTR nIDEvent);

protected:
  HFONT m_hFont = nullptr;
  int m_cxSizeBox = 0;
  BOOL m_bHideSizeBox = FALSE;
  BOOL m_bPaneDoubleClick = FALSE;
  CRect m_rectSizeBox;

  UFX_STATUSPANE* _GetPanePtr(int nIndex) const;
  // Frees what the panes own: texts, tooltips, image lists and animation timers.
  void FreePanes();
  void RecalcLayout();
  // The pane's content area (inside its border) redrawn now.
  void InvalidatePaneContent(int nIndex);
  int MessagePaneIndex() const { return CommandToIndex(0); }
  DECLARE_MESSAGE_MAP()
};
