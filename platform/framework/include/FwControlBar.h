// CControlBar: the base of every bar a frame lays out along its edges (tool, status, dialog and
// dock bars). A bar takes its share of the frame's client area through WM_SIZEPARENT, updates its
// controls at idle time against its owner, and can be docked, floated and dragged.
#pragma once
#include "FwFrame.h"

class CDockBar;
class CDockContext;
class CControlBarInfo;

// Modes of CControlBar::CalcDynamicLayout.
#define LM_STRETCH   0x01  // stretch to fill the frame's side
#define LM_HORZ      0x02  // horizontal (else vertical)
#define LM_MRUWIDTH  0x04  // the most recently used floating width
#define LM_HORZDOCK  0x08  // docked on a horizontal side
#define LM_VERTDOCK  0x10  // docked on a vertical side
#define LM_LENGTHY   0x20  // the length given is a height (else a width)
#define LM_COMMIT    0x40  // keep the result as the floating width

class CControlBar : public CWnd {
  DECLARE_DYNAMIC(CControlBar)
public:
  enum StateFlags { delayShow = 1, delayHide = 2, tempHide = 4, statusSet = 8 };

  CControlBar();
  ~CControlBar() override;

  // Styles: m_dwStyle holds the CBRS_* bar styles (the window style is separate).
  void SetBarStyle(DWORD dwStyle);
  DWORD GetBarStyle() const { return m_dwStyle; }
  void SetBorders(int cxLeft = 0, int cyTop = 0, int cxRight = 0, int cyBottom = 0);
  CRect GetBorders() const { return CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder); }
  // Allows docking on the CBRS_ALIGN_* sides given (0: none) and makes the dock context.
  void EnableDocking(DWORD dwDockStyle);
  BOOL IsFloating() const;
  // Visible, counting a pending delayed show or hide.
  BOOL IsVisible() const;
  virtual BOOL IsDockBar() const { return FALSE; }
  // The frame that holds the bar now: the main frame when docked, the floating frame when floating.
  CFrameWnd* GetDockingFrame() const;
  int GetCount() const { return m_nCount; }

  // Layout.
  virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
  virtual CSize CalcDynamicLayout(int nLength, DWORD nMode);
  virtual void CalcInsideRect(CRect& rect, BOOL bHorz) const;
  // Applies a pending delayed show or hide (now, unless lpLayout only queries) and answers the
  // window style the bar has once it is applied.
  DWORD RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout);
  void DelayShow(BOOL bShow);

  // Painting: DoPaint draws the borders and the gripper in the client area.
  virtual void DoPaint(CDC* pDC);
  void DrawBorders(CDC* pDC, CRect& rect);
  void DrawGripper(CDC* pDC, const CRect& rect);
  // Paints the non-client area: the button face and the CBRS_BORDER_* edges.
  void EraseNonClient();

  // Updates the bar's controls against pTarget (the owner frame) at idle time.
  virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler);
  virtual void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle);
  virtual BOOL SetStatusText(INT_PTR nHit);

  // Saved layout.
  virtual void SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd);
  virtual void GetBarInfo(CControlBarInfo* pInfo);

  BOOL DestroyWindow() override;
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;
  void PostNcDestroy() override;
  INT_PTR OnToolHitTest(CPoint point, TOOLINFOW* pTI) const override;

  // Fields, as the published layout has them.
  int m_cxLeftBorder = 6, m_cxRightBorder = 6;
  int m_cyTopBorder = 1, m_cyBottomBorder = 1;
  int m_cxDefaultGap = 2;
  UINT m_nMRUWidth = 32767;
  BOOL m_bAutoDelete = FALSE;
  int m_nCount = 0;      // elements in m_pData
  void* m_pData = nullptr;
  UINT m_nStateFlags = 0;
  DWORD m_dwStyle = 0;
  DWORD m_dwDockStyle = 0;
  CFrameWnd* m_pDockSite = nullptr;
  CDockBar* m_pDockBar = nullptr;
  CDockContext* m_pDockContext = nullptr;  // owned; a derived bar may put its own here

  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  afx_msg void OnDestroy();
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
  afx_msg void OnWindowPosChanging(WINDOWPOS* lpWndPos);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint pt);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint pt);
  afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT nMsg);
  afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);

protected:
  // Makes room for the CBRS_BORDER_* edges in the non-client area (WM_NCCALCSIZE).
  void CalcNonClientBorders(NCCALCSIZE_PARAMS* lpncsp);
  // One zero-filled element record per item (panes, buttons); FALSE when out of memory.
  BOOL AllocElements(int nElements, int cbElement);
  DECLARE_MESSAGE_MAP()
};
