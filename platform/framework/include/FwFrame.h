// CFrameWnd: the top-level window that holds bars and views, routes commands and updates menus.
#pragma once
#include "FwView.h"
#include <vector>

class CControlBar;
class CDockBar;
class CDockState;
class CMiniDockFrameWnd;

class CFrameWnd : public CWnd {
  DECLARE_DYNCREATE(CFrameWnd)
public:
  enum { idleMenu = 1, idleTitle = 2, idleNotify = 4, idleLayout = 8 };
  CFrameWnd();
  ~CFrameWnd() override;
  static const std::vector<CFrameWnd*>& GetFrameList();
  static const CRect rectDefault;

  // Window title, icon, menu and accelerators from the resource nIDResource.
  virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                         CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
  BOOL Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
              const RECT& rect = rectDefault, CWnd* pParentWnd = nullptr, LPCWSTR lpszMenuName = nullptr,
              DWORD dwExStyle = 0, CCreateContext* pContext = nullptr);
  BOOL LoadAccelTable(LPCWSTR lpszResourceName);
  virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
  CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);

  // Lays out the bars (WM_SIZEPARENT) and gives the rest to the pane AFX_IDW_PANE_FIRST.
  virtual void RecalcLayout(BOOL bNotify = TRUE);
  void DelayRecalcLayout(BOOL bNotify = TRUE) { m_nIdleFlags |= idleLayout | (bNotify ? idleNotify : 0); }
  virtual void ActivateFrame(int nCmdShow = -1);
  virtual void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
  virtual CDocument* GetActiveDocument();
  CView* GetActiveView() const { return m_pViewActive; }
  void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
  virtual CFrameWnd* GetActiveFrame() { return this; }
  virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
  virtual void OnUpdateFrameMenu(HMENU hMenuAlt);
  void UpdateFrameTitleForDocument(LPCWSTR lpszDocName);
  virtual HACCEL GetDefaultAccelerator();
  void SetTitle(LPCWSTR lpszTitle) { m_strTitle = lpszTitle; }
  CString GetTitle() const { return m_strTitle; }
  // Status text: shown in the status bar (the child AFX_IDW_STATUS_BAR) when there is one.
  void SetMessageText(LPCWSTR lpszText);
  void SetMessageText(UINT nID);
  virtual void GetMessageString(UINT nID, CString& rMessage) const;
  CWnd* GetMessageBar();
  virtual void NegotiateBorderSpace(UINT nBorderCmd, LPRECT lpRectBorder);
  // Puts the menu, accelerators, control bars and main pane away for a print preview (TRUE) and
  // gives them back (FALSE); pState keeps what was put away.
  virtual void OnSetPreviewMode(BOOL bPreview, struct CPrintPreviewState* pState);
  // Ends the print preview the frame shows, as the preview's Close button does, through the close
  // procedure the preview gave the frame; TRUE at once without a preview. FALSE when the frame is
  // still in the preview afterwards: it must not close then.
  BOOL ClosePrintPreview();
  void BeginModalState();
  void EndModalState();
  BOOL InModalState() const { return m_cModalStack != 0; }

  // Control bars and docking. Every bar whose parent is this frame joins m_listControlBars;
  // EnableDocking makes the four dock bars (AFX_IDW_DOCKBAR_TOP ... _RIGHT).
  void EnableDocking(DWORD dwDockStyle);
  // Docks into the dock bar nDockBarID (0: the first allowed side), at lpRect (screen) when given.
  void DockControlBar(CControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr);
  void DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = nullptr);
  void ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = nullptr);
  // Floats pBar in a new floating frame whose top-left is point (screen).
  void FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle = CBRS_ALIGN_TOP);
  void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
  CControlBar* GetControlBar(UINT nID);
  void AddControlBar(CControlBar* pBar);
  void RemoveControlBar(CControlBar* pBar);
  virtual CMiniDockFrameWnd* CreateFloatingFrame(DWORD dwStyle);
  // The dock style (and dock bar) a rectangle (screen) would dock into; 0 when none.
  DWORD CanDock(CRect rect, DWORD dwDockStyle, CDockBar** ppDockBar = nullptr);
  void SetDockState(const CDockState& state);
  void GetDockState(CDockState& state) const;
  void LoadBarState(LPCWSTR lpszProfileName);
  void SaveBarState(LPCWSTR lpszProfileName) const;
  void NotifyFloatingWindows(DWORD dwFlags);

  // Help mode (Shift+F1): the cursor asks for help on what is clicked next.
  virtual void OnContextHelp();
  BOOL CanEnterHelpMode();
  void ExitHelpMode();
  // The help context at a screen point in help mode (0: none); -1 ends help mode.
  DWORD_PTR MapClientArea(HWND hWndHit, POINT point);
  afx_msg LRESULT OnCommandHelp(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnExitHelpMode(WPARAM wParam, LPARAM lParam);
  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);

  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void PostNcDestroy() override;

  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  afx_msg void OnDestroy();
  afx_msg void OnClose();
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnSetFocus(CWnd* pOldWnd);
  afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
  afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
  afx_msg void OnEnterIdle(UINT nWhy, CWnd* pWho);
  afx_msg void OnDropFiles(HDROP hDropInfo);
  afx_msg BOOL OnQueryEndSession();
  afx_msg void OnEndSession(BOOL bEnding);
  afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnPopMessageString(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnRecalcParent(WPARAM wParam, LPARAM lParam);
  // Tooltip text of a command or control: the part of its string resource after the line break.
  afx_msg BOOL OnToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnUpdateControlBarMenu(CCmdUI* pCmdUI);
  afx_msg BOOL OnBarCheck(UINT nID);

  HMENU m_hMenuDefault = nullptr;
  HACCEL m_hAccelTable = nullptr;
  UINT m_nIDHelp = 0;
  UINT m_nIdleFlags = 0;
  BOOL m_bAutoMenuEnable = TRUE;
  CString m_strTitle;
  CRect m_rectBorder;
  int m_nWindow = -1;            // view number shown in the title (-1: none)
  UINT m_nIDTracking = 0;        // command whose prompt is shown
  UINT m_nIDLastMessage = 0;
  CView* m_pViewActive = nullptr;
  int m_cModalStack = 0;
  // While a print preview is shown (or prepared): what a close of the frame does first; FALSE
  // keeps the frame open.
  BOOL (*m_lpfnCloseProc)(CFrameWnd* pFrameWnd) = nullptr;
  std::vector<HWND> m_disabledWindows;
  CPtrList m_listControlBars;                // CControlBar*, not owned
  CRuntimeClass* m_pFloatingFrameClass;      // what CreateFloatingFrame makes
  int m_nShowDelay = -1;                     // a show command the next idle update applies
  BOOL m_bInRecalcLayout = FALSE;
  enum { HELP_INACTIVE = 0, HELP_ACTIVE = 1, HELP_ENTERING = -1 };
  int m_bHelpMode = HELP_INACTIVE;
protected:
  // The help-mode loop: the context picked (0 when cancelled).
  BOOL ProcessHelpMsg(MSG& msg, DWORD_PTR* pContext);
  HWND SetHelpCapture(POINT point, BOOL* pbDescendant);
  DECLARE_MESSAGE_MAP()
};
