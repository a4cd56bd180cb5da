// CUfxTabWnd: the framework's tab control. A strip of tabs above or below the window of the active
// tab, in flat or 3D looks; the strip can scroll with small buttons, share one horizontal scroll
// bar with the active tab's window, rename a tab in place and reorder tabs by dragging. Every
// frame, tab and button is drawn by the visual manager; the parent hears of changes through the
// registered messages below.
#pragma once
#include "Framework.h"
#include "frames/UfxTabButton.h"

// Sent to the parent: wParam the new active tab, lParam the previous one (-1 when none).
extern const UINT UFXM_ONCHANGE_ACTIVE_TAB;
// Sent to the parent after the shared scroll bar scrolled the active tab's window: wParam the
// scroll code (low word) and position (high word).
extern const UINT UFXM_ON_HSCROLL;
// Sent to the parent on a committed rename: wParam the tab, lParam a CString* with the new
// label; a non-zero answer vetoes it.
extern const UINT UFXM_ON_RENAME_TAB;
// Sent to the parent before and after a dragged tab moves: wParam the tab, lParam the target
// position; a non-zero answer to the first vetoes the move.
extern const UINT UFXM_ON_BEFOREMOVE_TAB;
extern const UINT UFXM_ON_MOVE_TAB;

class CUfxTabWnd : public CWnd {
  DECLARE_DYNCREATE(CUfxTabWnd)
public:
  enum Style {
    STYLE_3D = 0,                  // tabs shrink to fit, cut tabs get a tooltip
    STYLE_FLAT = 1,                // first, left, right and last buttons
    STYLE_FLAT_SHARED_SCROLL = 2,  // ... and a horizontal scroll bar shared with the active window
    STYLE_3D_SCROLLED = 3,         // left and right buttons
    STYLE_3D_SLOPED = 4            // overlapping sloped tabs, hot tracking
  };
  enum Location { LOCATION_BOTTOM = 0, LOCATION_TOP = 1 };
  // Command ids of the strip's buttons.
  enum { ID_BUTTON_FIRST = 101, ID_BUTTON_LEFT, ID_BUTTON_RIGHT, ID_BUTTON_LAST, ID_BUTTON_CLOSE,
         ID_SHARED_SCROLLBAR, ID_LABEL_EDITOR };
  static const int kImageMargin = 4;

  // One tab, deleted with its tab.
  struct CTabInfo {
    CString strText;
    int iImage = -1;
    CRect rect;
    BOOL bVisible = TRUE;
    CWnd* pWnd = nullptr;
    BOOL bIsListView = FALSE;
    int nFullWidth = 0;
    UINT uiToolId = 0;
    COLORREF clrText = (COLORREF)-1;
    COLORREF clrBack = (COLORREF)-1;
    BOOL bIconOnly = FALSE;
    BOOL bAlwaysShowToolTip = FALSE;
    // Kept to spare repeated work on large strips: where the window was last placed, the tool
    // rectangle last given to the tooltip control, the label's measured width (-1: not measured).
    CRect rectPlaced;
    CRect rectTool;
    int nLabelWidth = -1;
  };

  CUfxTabWnd();
  ~CUfxTabWnd() override;

  BOOL Create(Style style, const RECT& rect, CWnd* pParentWnd, UINT nID, Location location = LOCATION_BOTTOM,
              BOOL bCloseBtn = FALSE);

  // ---- Own virtual operations, in this order ----
  virtual BOOL SetActiveTab(int iTab);
  virtual BOOL BeginLabelEdit(int iTab);
  virtual BOOL CanRenameTab(int iTab, const CString& strNewLabel) { return TRUE; }
  virtual void RedrawTab(int iTab);
  virtual BOOL IsSlopedStyle() const { return m_bSloped; }
  virtual int GetFirstShownTab() const { return m_iFirstShownTab; }
  virtual void SetStripLocation(Location location);
  virtual int PaintTab3D(CDC* pDC, CTabInfo* pTab, BOOL bIsActive);
  virtual int PaintTabFlat(CDC* pDC, CTabInfo* pTab, BOOL bIsActive);
  virtual void PaintMoveMarker(CDC* pDC, int x, int nTop, int nBottom, int nSize);
  virtual void BuildAutoColorList();

  // ---- Tabs ----
  void AddTab(CWnd* pTabWnd, LPCWSTR lpszTabLabel, int uiImageId = -1) {
    InsertTabAt(pTabWnd, lpszTabLabel, -1, uiImageId);
  }
  void InsertTabAt(CWnd* pTabWnd, LPCWSTR lpszTabLabel, int nInsertAt, int uiImageId = -1);
  BOOL DeleteTab(int iTab);
  void RemoveAllTabs();
  BOOL SetTabText(int iTab, LPCWSTR lpszLabel);
  BOOL GetTabLabel(int iTab, CString& strLabel) const;
  BOOL SetTabImage(int iTab, int iImage);
  int GetTabIcon(int iTab) const;
  BOOL SetTabTextColor(int iTab, COLORREF clr);
  BOOL SetTabBkColor(int iTab, COLORREF clr);
  COLORREF GetTabTextColor(int iTab) const;
  COLORREF GetTabBkColor(int iTab) const;
  BOOL SetTabIconOnly(int iTab, BOOL bIconOnly = TRUE);
  BOOL SetTabAlwaysTooltip(int iTab, BOOL bAlways = TRUE);
  BOOL ShowTab(int iTab, BOOL bShow = TRUE);
  BOOL SetImageList(HIMAGELIST hImageList);
  CImageList* GetImageList() const { return m_Images.GetSafeHandle() != nullptr ? (CImageList*)&m_Images : nullptr; }
  CSize GetImageSize() const { return m_sizeImage; }
  int GetTabsNum() const { return (int)m_arTabs.size(); }
  int GetVisibleTabsNum() const;
  BOOL IsTabVisible(int iTab) const;
  BOOL GetTabRectangle(int iTab, CRect& rect) const;
  CWnd* GetTabWindow(int iTab) const;
  CWnd* GetActiveTabWindow() const { return GetTabWindow(m_iActiveTab); }
  int GetActiveTab() const { return m_iActiveTab; }
  int FindTabByWindow(HWND hWnd) const;
  int HitTestTab(CPoint point) const;
  BOOL EnsureVisible(int iTab);

  // ---- Layout ----
  void ComputeLayout();
  void ComputeTabRects();
  void ClampScrollOffset();
  void UpdateScrollButtons();
  void ComputeStripHeight();
  void SyncSharedScrollBar(const SCROLLINFO* pScrollInfo = nullptr);

  // ---- What the looks and the owner read ----
  Location GetLocation() const { return m_location; }
  BOOL IsFlatTab() const { return m_bFlat; }
  BOOL IsSharedScroll() const { return m_bSharedScroll; }
  BOOL HasScrollButtons() const { return m_bScrollButtons; }
  int GetTabsHeight() const { return m_nTabsHeight; }
  CRect GetTabsArea() const { return m_rectTabsArea; }
  CRect GetWndArea() const { return m_rectWndArea; }
  CRect GetSplitterRect() const { return m_rectTabSplitter; }
  int GetScrollOffset() const { return m_nTabsHorzOffset; }
  int GetMaxScrollOffset() const { return m_nTabsHorzOffsetMax; }
  int GetTabsTotalWidth() const { return m_nTabsTotalWidth; }
  int GetHighlightedTab() const { return m_iHighlighted; }
  int GetHorzScrollWidth() const { return m_nHorzScrollWidth; }
  int GetTabBorderSize() const { return m_nTabBorderSize; }
  BOOL IsAutoColor() const { return m_bIsAutoColor; }
  BOOL IsLabelNoPrefix() const { return m_bLabelNoPrefix; }
  BOOL IsHotTracking() const { return m_bHotTracking; }
  BOOL IsMovingTab() const { return m_bTabMoving; }
  int GetMoveTarget() const { return m_nTabMoveTarget; }
  BOOL IsSplitterDragging() const { return m_bTrackSplitter; }
  CEdit* GetLabelEditor() const { return m_pInPlaceEdit; }
  int GetEditedTab() const { return m_iEditedTab; }
  const CArray<COLORREF, COLORREF>& GetAutoColors() const { return m_arAutoColors; }
  CUfxTabButton* GetButton(UINT nID);
  CScrollBar& GetSharedScrollBar() { return m_wndScrollWnd; }
  // The labels' tooltip (made on first use).
  CToolTipCtrl& GetToolTip();
  CFont& GetFlatFont(BOOL bBold) { return bBold ? m_fntTabsBold : m_fntTabs; }

  // ---- Options ----
  void HideSingleTab(BOOL bHide = TRUE);
  void HideNoTabs(BOOL bHide = TRUE);
  void EnableInPlaceEdit(BOOL bEnable = TRUE) { m_bIsInPlaceEdit = bEnable; }
  void EnableTabSwap(BOOL bEnable = TRUE) { m_bEnableTabSwap = bEnable; }
  void EnableAutoColor(BOOL bEnable = TRUE);
  void EnableAutoHideScrollButtons(BOOL bEnable = TRUE);
  // A list of colours instead of the built-in one; an empty list restores the built-in one.
  void SetAutoColors(const CArray<COLORREF, COLORREF>& colors);
  void SetFlatFrameColor(COLORREF clr);
  void SetTabBorderSize(int nSize);
  void SetHideInactiveWindows(BOOL bHide) { m_bHideInactiveWnd = bHide; }
  void SetResizeTabWindows(BOOL bResize) { m_bAutoSizeWindow = bResize; }
  void SetDestroyTabWindows(BOOL bDestroy) { m_bAutoDestoyWindow = bDestroy; }
  void SetLabelNoPrefix(BOOL bNoPrefix) { m_bLabelNoPrefix = bNoPrefix; }

  // The beep of a refused rename (a test may put its own in).
  static BOOL(WINAPI* s_pfnMessageBeep)(UINT);

  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnDestroy();
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  afx_msg void OnTimer(UINT_PTR nIDEvent);
  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  afx_msg void OnCancelMode();
  afx_msg void OnSysColorChange();
  afx_msg void OnSettingChange(UINT uFlags, LPCWSTR lpszSection);
  DECLARE_MESSAGE_MAP()

  // Parts of creation, layout, painting and input.
  void CreateButtons();
  void CreateToolTip();
  void LayoutButtons(int nButtonSize, int nButtonsWidth);
  void PlaceTabWindow(CTabInfo* pTab);
  void PlaceSharedScrollBar();
  void MeasureTabs(CDC* pDC, int& nTotalWidth);
  void ShrinkTabsToFit();
  void SetToolRect(CTabInfo* pTab, const CRect& rect);
  void PaintStrip(CDC* pDC);
  void PaintSplitter(CDC* pDC, COLORREF clrHi, COLORREF clrDkShadow, COLORREF clrLight, COLORREF clrDark,
                     CBrush* pbrSplitter);
  void ScrollStrip(UINT nButtonId);
  void MoveDraggedTab();
  void DragSplitter(CPoint point);
  void TrackTabMove(CPoint point);
  void TrackHotTab(CPoint point);
  BOOL SwitchTabByKey(BOOL bNext);
  BOOL HandleEditorMessage(MSG* pMsg);
  BOOL CommitLabelEdit();
  void EndLabelEdit();
  int IndexOf(const CTabInfo* pTab) const;
  int NextVisibleTab(int iFrom, int nStep) const;
  CTabInfo* GetTab(int iTab) const { return iTab >= 0 && iTab < GetTabsNum() ? m_arTabs[iTab] : nullptr; }
  BOOL IsStripHidden() const;
  int GetButtonSize() const;
  CWnd* GetNotifyTarget() const { return GetParent(); }

  BOOL m_bFlat = FALSE;
  BOOL m_bSloped = FALSE;
  BOOL m_bSharedScroll = FALSE;
  BOOL m_bScrollButtons = FALSE;
  BOOL m_bAutoHideScroll = FALSE;
  BOOL m_bCloseBtn = FALSE;
  BOOL m_bHotTracking = FALSE;
  Location m_location = LOCATION_BOTTOM;
  std::vector<CTabInfo*> m_arTabs;
  int m_iActiveTab = -1;
  int m_nScrollBarRight = 0;
  CRect m_rectTabsArea;
  CRect m_rectWndArea;
  int m_nTabsHeight = 0;
  CImageList m_Images;
  CSize m_sizeImage = CSize(0, 0);
  CToolTipCtrl m_ToolTip;
  BOOL m_bTabToolTips = FALSE;  // the style shows labels in a tooltip
  CScrollBar m_wndScrollWnd;
  CUfxTabButton m_btnScrollFirst, m_btnScrollLeft, m_btnScrollRight, m_btnScrollLast, m_btnClose;
  int m_iHighlighted = -1;
  CList<HWND, HWND> m_lstButtons;
  int m_nTabsHorzOffset = 0;
  int m_nTabsHorzOffsetMax = 0;
  int m_nTabsTotalWidth = 0;
  int m_iFirstShownTab = 0;
  int m_nHorzScrollWidth = 0;
  CRect m_rectTabSplitter;
  BOOL m_bTrackSplitter = FALSE;
  COLORREF m_clrActiveTabFg = (COLORREF)-1;  // flat strip colour (-1: the global face)
  CBrush m_brActiveTab;                      // flat strip brush
  CFont m_fntTabs;
  CFont m_fntTabsBold;
  int m_nTabBorderSize = 3;
  BOOL m_bHideInactiveWnd = TRUE;
  BOOL m_bAutoSizeWindow = TRUE;
  BOOL m_bAutoDestoyWindow = TRUE;
  UINT m_nNextToolId = 1;
  BOOL m_bHideSingleTab = FALSE;
  BOOL m_bHideNoTabs = FALSE;
  BOOL m_bIsInPlaceEdit = FALSE;
  CEdit* m_pInPlaceEdit = nullptr;
  int m_iEditedTab = -1;
  BOOL m_bEnableTabSwap = FALSE;
  BOOL m_bTabMoving = FALSE;
  int m_nTabMoveSource = -1;
  int m_nTabMoveTarget = -1;
  BOOL m_bIsAutoColor = FALSE;
  CArray<COLORREF, COLORREF> m_arAutoColors;
  BOOL m_bIsDefaultAutoColor = TRUE;
  BOOL m_bLabelNoPrefix = FALSE;
  BOOL m_bNoEraseBackground = FALSE;
  // The strip is too low for the client area: it shows nothing until the window grows again.
  BOOL m_bStripCollapsed = FALSE;
  BOOL m_bDeferButtonStates = FALSE;  // a resize sets the buttons' states at its end

  // The frame background as the look last erased it, redrawn only when what it shows changes.
  struct FrameCacheKey {
    CSize size;
    CRuntimeClass* pLook = nullptr;
    COLORREF clrFace = 0, clrHighlight = 0, clrBarFace = 0, clrBarHilite = 0, clrActive = 0;
    Location location = LOCATION_BOTTOM;
    bool operator==(const FrameCacheKey& o) const {
      return size == o.size && pLook == o.pLook && clrFace == o.clrFace && clrHighlight == o.clrHighlight &&
             clrBarFace == o.clrBarFace && clrBarHilite == o.clrBarHilite && clrActive == o.clrActive &&
             location == o.location;
    }
  };
  void PaintFrame(CDC* pDC, COLORREF clrFace, COLORREF clrHighlight);
  static const int kButtonCount = 5;
  CRect m_rectButtons[kButtonCount];  // where each button of the list was last placed
  CBitmap m_bmpFrame;
  FrameCacheKey m_keyFrame;
  HFONT m_hMeasuredFont = nullptr;  // the font the cached label widths were measured in

  static BOOL s_bInHScroll;  // re-entry guard of the shared scroll bar
};
