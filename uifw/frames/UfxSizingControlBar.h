// CUfxSizingControlBar: the framework's resizable docking pane. It docks at any side of a frame,
// floats in a mini frame or shares a dock row with other sizing bars; the user changes its width or
// height by dragging a splitter edge. A docked bar shows a caption strip with a close and an
// expand-in-row button. Each bar keeps three sizes (docked horizontally, docked vertically,
// floating), obeys a minimum and an optional maximum, and keeps its sizes, expanded and roll-up
// state in the registry.
#pragma once
#include "Framework.h"
#include "frames/UfxCaptionButton.h"

class CUfxTabWnd;

class CUfxSizingControlBar : public CControlBar {
  DECLARE_DYNAMIC(CUfxSizingControlBar)
public:
  // Edge-style bits: which edges are sizable, and whether edges are drawn at all.
  enum { EDGE_LEFT = 0x01, EDGE_RIGHT = 0x02, EDGE_TOP = 0x04, EDGE_BOTTOM = 0x08, EDGE_ANY = 0x0F, DRAW_EDGES = 0x10 };
  // Hit-test codes over the caption buttons.
  enum { HIT_CLOSE = CUfxCaptionButton::HIT_CLOSE, HIT_EXPAND = CUfxCaptionButton::HIT_EXPAND };
  // Tooltip texts of the caption buttons.
  enum { IDS_CLOSE_TIP = 16011, IDS_EXPAND_TIP = 16012, IDS_RESTORE_TIP = 16013 };
  // The edge cursors in the resource module.
  enum { IDC_SPLIT_LEFTRIGHT = 30980, IDC_SPLIT_UPDOWN = 30981 };

  CUfxSizingControlBar();
  ~CUfxSizingControlBar() override;

  BOOL DestroyWindow() override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  // The caption buttons' tooltip, made when the mouse first comes to the bar.
  void CreateToolTip();
  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  CSize CalcDynamicLayout(int nLength, DWORD nMode) override;
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

  virtual BOOL Create(LPCWSTR lpszWindowName, CWnd* pParentWnd, CSize sizeDefault, BOOL bHasGripper, UINT nID,
                      DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP);
  virtual void SetMinSize(int cx, int cy);
  virtual void SetMaxSize(int cx, int cy);
  // The bar's sizes and states in "<profile>-SCBar-<id>"; FALSE when the key cannot be opened.
  virtual BOOL LoadState(LPCWSTR lpszProfileName);
  virtual BOOL SaveState(LPCWSTR lpszProfileName);
  // Asked before the close button or the floating frame's close hides the bar.
  virtual BOOL CanBeClosed() const { return TRUE; }
  virtual void StartSplitterDrag(UINT nHitTest);
  virtual void StopSplitterDrag();
  virtual void TrackSplitterDrag(CPoint point);
  virtual void InvertSplitterTracker();
  // Places the bars of the row one after the other from the dock bar's start.
  virtual void ArrangeRow();
  virtual void DrawTitleCaption(CDC* pDC, const CRect& rect);
  virtual void DisableChildWindows(BOOL bDisable);
  virtual BOOL ClipNcPaintToUpdateRegion() const { return TRUE; }

  // The row: first, last and own index in the dock bar's bar array.
  void FindRowBounds(int& nFirst, int& nLast, int& nThis) const;
  BOOL IsLastInRow() const;
  // The row's visible sizing bars, first to last.
  void CollectRowBars(CPtrArray& arrBars) const;
  // Shares the row's length out among its sizing bars; FALSE when the bar had to go to a row of
  // its own because the row cannot hold every bar at its minimum.
  BOOL FitRowToLength(int nLength, BOOL bHorz);
  BOOL IsEdgeSizable(UINT nHitTest) const;
  // The strip of an edge inside the window rectangle (same coordinates); FALSE when not sizable.
  BOOL CalcEdgeRect(const CRect& rectWindow, UINT nHitTest, CRect& rectEdge) const;
  void ToggleExpand();
  void RedrawCaptionButton(CUfxCaptionButton* pButton);
  void UpdateCaptionButtonHover(CPoint ptScreen);
  // The one tab-window child (null when none or more than one).
  CUfxTabWnd* FindTabWindowChild() const;
  // Makes the bar dockable with the framework's dock context.
  void EnableDocking(DWORD dwDockStyle);

  // Where the bar is: docked top or bottom (horizontal), left or right (vertical), else floating.
  BOOL IsHorzDocked() const { return m_nDockBarID == AFX_IDW_DOCKBAR_TOP || m_nDockBarID == AFX_IDW_DOCKBAR_BOTTOM; }
  BOOL IsVertDocked() const { return m_nDockBarID == AFX_IDW_DOCKBAR_LEFT || m_nDockBarID == AFX_IDW_DOCKBAR_RIGHT; }
  BOOL IsSideDocked() const { return IsHorzDocked() || IsVertDocked(); }
  BOOL IsExpanded() const { return m_bExpanded; }
  BOOL IsRolled() const { return m_bRolled; }
  int GetRollUpMode() const { return m_nRollUpMode; }
  BOOL IsSingleInRow() const { return m_bSingleInRow; }
  // The size along and across the row that the bar's docking side uses.
  CSize& RowSize() { return IsVertDocked() ? m_szVert : m_szHorz; }
  CUfxCaptionButton& GetCloseButton() { return m_btnClose; }
  CUfxCaptionButton& GetExpandButton() { return m_btnExpand; }

  // Whether a control bar is a live sizing bar (by the class-wide table, not by its class).
  static BOOL IsSizingBar(const void* pBar);
  // Every live sizing-bar window, in creation order: what the workspace loads and saves.
  static const CPtrList& GetSizingBarList() { return s_listBars; }

  // Fields, as the bar's layout has them.
  BOOL m_bSaveActiveTab = TRUE;
  CSize m_szHorz = CSize(200, 200);
  CSize m_szVert = CSize(200, 200);
  CSize m_szFloat = CSize(200, 200);
  DWORD m_dwSCBStyle = 0;
  UINT m_nDragEdge = 0;
  CSize m_szMax = CSize(-1, -1);
  CSize m_szMin = CSize(33, 32);
  CSize m_szMinT = CSize(0, 0);
  CSize m_szMaxT = CSize(0, 0);
  CSize m_szOld = CSize(0, 0);
  CPoint m_ptOld = CPoint(0, 0);
  BOOL m_bDragging = FALSE;
  BOOL m_bKeepSize = FALSE;
  BOOL m_bParentSizing = FALSE;
  UINT m_nDockBarID = 0;
  int m_nEdgeWidth = 6;
  int m_nCaptionSize = 0;
  BOOL m_bExpanded = FALSE;
  CToolTipCtrl m_ToolTip;
  BOOL m_bSingleInRow = FALSE;
  BOOL m_bActive = FALSE;
  CRect m_rectRedraw;
  int m_nBorderInset = 5;
  int m_nRollUpMode = 0;  // "RolledFloatDynamicState"
  BOOL m_bRolled = FALSE;  // "RolledFloat"
  CUfxCaptionButton m_btnClose;
  CUfxCaptionButton m_btnExpand;

  // Class-wide switches (never switched on in this program): captions drawn as title bars,
  // gradient title bars, no expand button for a bar alone in its row.
  static BOOL s_bCaptionTitleBar;
  static BOOL s_bGradientTitleBar;
  static BOOL s_bHideAloneExpandButton;
  // The registry entry name of the bars' sections.
  static CString s_strRegEntry;

  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  afx_msg void OnDestroy();
  afx_msg void OnNcDestroy();
  afx_msg void OnPaint();
  afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
  afx_msg UINT OnNcHitTest(CPoint point);
  afx_msg LRESULT OnNcPaintMsg(WPARAM wParam, LPARAM lParam);
  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
  afx_msg void OnCaptureChanged(CWnd* pWnd);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
  afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnNcRButtonUp(UINT nHitTest, CPoint point);
  afx_msg void OnWindowPosChanging(WINDOWPOS* lpWndPos);
  afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);

protected:
  // Puts the caption buttons' tools where the buttons are; the client area starts at ptClient
  // from the window's corner.
  void SetToolRects(CPoint ptClient);
  // The registry key of the bar's state below HKEY_CURRENT_USER.
  CString GetStateKey(LPCWSTR lpszProfileName) const;
  // The bar's neighbour in the row on the side of an edge (null when none).
  CUfxSizingControlBar* GetRowNeighbour(UINT nHitTest) const;
  BOOL IsAlongRowEdge(UINT nHitTest) const;
  // One pass of the row fitting: moves the row's bars by whole pixels toward nDiff (shrinking
  // none below its minimum, skipping bars marked keep-size) and returns how much moved.
  static LONGLONG SpreadRowDifference(CPtrArray& arrBars, BOOL bHorz, LONGLONG nDiff, BOOL& bAnyKept);
  // The largest size a stored value may give a bar: the virtual screen, and at least the minimum.
  CSize GetStoredSizeLimit() const;
  // The frame the bar reports to: its dock site, else its parent frame.
  CFrameWnd* GetReportFrame() const;
  void SendPopupMenuRequest(CPoint ptScreen);
  // The splitter drag's end at button up: bars at the limit of a row of two become expanded.
  void FinishSplitterDrag();
  // The button-up of a pushed caption button.
  void ReleaseCaptionButton();
  void ClearCaptionButtons();
  void PlaceCaptionButtons(const CRect& rectClient, const CRect& rectWindow);
  // Non-client painting, by part.
  void PaintEdges(CDC* pDC, const CRect& rectWindow);
  void PaintCaption(CDC* pDC, const CRect& rectWindow, const CRect& rectClient);
  void SetExpandTooltip(UINT nTextId);
  void RemoveFromClassLists(BOOL bTable, BOOL bList);
  static void RemoveFromTable(const void* pBar);

  static CPtrArray s_arrBars;  // every created bar (the sizing-bar table)
  static CPtrList s_listBars;  // every live bar window
  static HCURSOR s_hcurLeftRight;
  static HCURSOR s_hcurUpDown;
  DECLARE_MESSAGE_MAP()
};
