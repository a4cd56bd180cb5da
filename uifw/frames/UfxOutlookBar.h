// CUfxOutlookBar: a shortcut bar. Its buttons are large image-and-text shortcuts stacked in one
// column and grouped into pages; each page has a push button spanning the bar, and clicking it
// slides the page buttons and shows that page's shortcuts (or the window the page hosts). Scroll
// buttons appear when the shortcuts do not fit, a splitter band on the inner edge sets the bar's
// width, and a caption band can show the bar's title with a close button. Pages, shortcuts and
// the width are stored with the toolbar state.
#pragma once
#include "bars/UfxToolBar.h"
#include "looks/UfxButton.h"

class CUfxOutlookBarPage;
class CUfxOutlookButton;

class CUfxOutlookBar : public CUfxToolBar {
  DECLARE_DYNAMIC(CUfxOutlookBar)
public:
  // Child ids of the scroll and close buttons, and the timers of the scroll buttons and of the
  // page switch under a dragged button.
  enum { kScrollUpId = 1, kScrollDownId = 2, kCloseId = 20 };
  enum { kTimerScrollUp = 1, kTimerScrollDown = 2, kTimerDragHover = 3 };
  static const UINT kScrollDelay = 200;
  static const UINT kDragHoverDelay = 500;

  CUfxOutlookBar();
  ~CUfxOutlookBar() override;

  // WS_CAPTION in the style asks for the caption band.
  BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_LEFT,
              UINT nID = AFX_IDW_TOOLBAR) override;

  // A page of shortcuts (hwndHosted null) or one that hosts a window; FALSE for an id in use.
  // The first page added becomes the active one.
  BOOL AddPage(int iPageId, LPCWSTR lpszName, HWND hwndHosted = nullptr);
  // A shortcut on a page (-1: the first page when there are pages) at a position (-1: the end);
  // FALSE for an unknown page or one that hosts a window.
  BOOL AddButton(int iImage, LPCWSTR lpszLabel, UINT uiCmd, int iPageId = -1, int iInsertAt = -1);
  BOOL AddButton(HICON hIcon, LPCWSTR lpszLabel, UINT uiCmd, int iPageId = -1, int iInsertAt = -1);
  // Appends the bitmap's images to the shortcut strip; the first new index, -1 on failure.
  int AddImage(HBITMAP hBitmap);
  void SetBackImage(HBITMAP hBitmap);
  void SetBackImage(UINT uiResId);
  void EnableSplitter(BOOL bEnable = TRUE);
  void EnablePageAnimation(BOOL bEnable = TRUE) { m_bPageAnimation = bEnable; }
  void EnableCloseButton(BOOL bEnable = TRUE) { m_bCloseButton = bEnable; }
  void SetFlatFrame(BOOL bFlat = TRUE) { m_bFlatFrame = bFlat; }
  void SetButtonSpacing(int nSpacing) { m_nButtonSpacing = nSpacing; }
  void SetActivePage(int iPageId, BOOL bAnimate = TRUE);
  int GetActivePage() const { return m_iActivePage; }
  BOOL SetPageName(int iPageId, LPCWSTR lpszName);
  // Starts editing the page's name in place (Enter takes it, Escape keeps the old one).
  BOOL EditPageName(int iPageId);
  // The area of the shortcuts and page buttons: the client area beside the caption, away from
  // the splitter.
  void GetWorkArea(CRect& rect) const;

  CUfxOutlookBarPage* FindPage(int iPageId) const;
  const CObList& GetPages() const { return m_lstPages; }
  int GetBarWidth() const { return m_nSize; }
  void SetBarWidth(int nSize) { m_nSize = nSize; }
  COLORREF GetTextColor() const { return m_clrText; }
  void SetTextColor(COLORREF clr) { m_clrText = clr; }
  BOOL HasBackImage() const { return m_bBackImage; }
  int GetFirstVisible() const { return m_iFirstVisible; }
  int GetScrollOffset() const { return m_iScrollOffset; }
  BOOL CanScrollDown() const { return m_bCanScrollDown; }
  CUfxButton& GetScrollUpButton() { return m_btnUp; }
  CUfxButton& GetScrollDownButton() { return m_btnDown; }
  CUfxButton& GetCloseButton() { return m_btnClose; }
  const CRect& GetSplitterRect() const { return m_rectSplitter; }
  const CRect& GetCaptionRect() const { return m_rectCaption; }
  BOOL IsHorizontalBar() const { return (m_dwStyle & CBRS_ORIENT_HORZ) != 0; }
  // The page set before customization becomes the current one.
  void SaveAsOriginalState();
  // Buttons and pages become copies of the originals; FALSE without original buttons.
  BOOL RestoreOriginalState();
  // The stored pages and buttons follow the library version of the stored state (see the frames'
  // version rule): the width from 4.70 on, pages and the shortcuts' pages after 4.70.
  static BOOL ArchiveCarriesWidth(BOOL bStoring);
  static BOOL ArchiveCarriesPages(BOOL bStoring);

  // ---- virtual operations, in slot order after the toolbar's ----
  virtual void OnActivatePage() {}
  virtual void OnDrawCaption(CDC* pDC, CRect rect, const CString& strTitle, BOOL bVertical);
  virtual void OnFillWorkArea(CDC* pDC, CRect rectClip);
  virtual void OnFillBackground(CDC* pDC, CRect rect);

  // ---- toolbar overrides ----
  void Serialize(CArchive& ar) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  void DoPaint(CDC* pDC) override;
  void RemoveAllButtons() override;
  int HitTest(CPoint point) override;
  BOOL RestoreResourceButtons() override { return RestoreOriginalState(); }
  DROPEFFECT OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
  int FindDropIndex(CPoint point, CRect& rectDrag) const override;
  void LayoutButtons() override;
  CUfxToolbarButton* CreateDroppedButton(COleDataObject* pDataObject) override;
  BOOL EnableContextMenuItems(CUfxToolbarButton* pButton, CMenu* pPopup) override;
  BOOL SaveOriginalItems(CUfxRegistry& reg) const override;
  BOOL LoadOriginalItems(CUfxRegistry& reg) override;
  BOOL MergeOriginalItems(const CObList& lstOrigButtons) override;
  BOOL UsesExtraButtonBorder() const override { return TRUE; }

  // Scrolling one button up or down.
  void ScrollUp();
  void ScrollDown();

protected:
  // The outlook look of the close button: the visual manager's outlook-bar button fill and border.
  class CCloseButton : public CUfxButton {
  public:
    void OnFillBackground(CDC* pDC, const CRect& rectClient) override;
    void OnDrawBorder(CDC* pDC, CRect& rectClient, UINT uiState) override;
  };

  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
  afx_msg void OnNcPaint() {}
  afx_msg void OnSysColorChange();
  afx_msg void OnTimer(UINT_PTR nIDEvent);
  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnCancelMode();
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
  afx_msg LRESULT OnStyleChanged(WPARAM wParam, LPARAM lParam);

  // Layout pieces.
  void LayoutPageButtons(CRect& rectArea);
  void LayoutScrollButtons(const CRect& rectArea, BOOL bUp);
  int LayoutShortcuts(const CRect& rectArea);
  void LayoutCloseButton();
  void CalcCaptionRect();
  void CalcSplitterRect();
  // The page switch's slide of one page button.
  void AnimatePageButton(CUfxOutlookBarPage* pPage, CRect rectFrom, CRect rectTo);
  // The page whose button is at the client point, or null.
  CUfxOutlookBarPage* PageButtonAt(CPoint point) const;
  // Buttons of the active page (all buttons without pages), in order.
  int ActivePageButtons(CObList& list) const;
  // Splitter tracking.
  void StartTracking(CPoint point);
  void StopTracking(BOOL bApply);
  void MoveTracker(CPoint point);
  void DrawTracker();
  // Editing a page name in place.
  BOOL FilterEditMessage(MSG* pMsg);
  void EndEditPageName(BOOL bTake);
  // Mouse messages over a visible scroll button go to that button; a press scrolls and holds.
  BOOL ForwardToScrollButton(MSG* pMsg);
  static void DeletePages(CObList& list);
  void CopyPages(const CObList& from, CObList& to) const;

  // Fields, in this order.
  COLORREF m_clrText = (COLORREF)-1;
  COLORREF m_clrTransparent = RGB(255, 0, 255);
  COLORREF m_clrBackColor;
  BOOL m_bEnableSplitter = TRUE;
  BOOL m_bPageAnimation = TRUE;
  BOOL m_bCloseButton = TRUE;
  int m_nSize = -1;
  CRect m_rectWorkArea;
  CSize m_sizeImage{0, 0};
  CUfxToolBarImages m_BackImages;
  UINT m_uiBackImageId = 0;
  CUfxButton m_btnUp;
  CUfxButton m_btnDown;
  int m_iScrollOffset = 0;
  int m_iFirstVisible = 0;
  BOOL m_bCanScrollDown = FALSE;
  CUfxToolBarImages m_ShortcutImages;
  BOOL m_bBackImage = FALSE;
  CRect m_rectSplitter;
  CRect m_rectTracker;
  BOOL m_bTracking = FALSE;
  int m_nTrackerPos = 0;
  int m_iActivePage = -1;
  int m_iEditedPage = -1;
  int m_iHoverPage = -1;
  CObList m_lstPages;
  CObList m_lstOrigPages;
  CRect m_rectActivePageBtn;  // screen
  CEdit* m_pPageNameEdit = nullptr;
  DWORD m_dwCaptionStyle = 0;
  CRect m_rectCaption;
  CCloseButton m_btnClose;
  BOOL m_bFlatFrame = FALSE;
  int m_nButtonSpacing = 0;
  HWND m_hwndFocusBeforeTracking = nullptr;

  static HCURSOR s_hcurSplitHorz;
  static HCURSOR s_hcurSplitVert;

  DECLARE_MESSAGE_MAP()
};
