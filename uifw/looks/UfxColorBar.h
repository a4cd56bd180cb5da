// CUfxColorBar: a bar of colour cells built on the popup-menu bar. It sits in a colour popup (of
// a colour menu button or of an owner-drawn colour button), floats or docks as a toolbar, or
// stands in a dialog as a plain control, and hands a chosen colour to whoever hosts it.
#pragma once
#include "bars/UfxPopupMenuBar.h"

class CColorButton;
class CUfxColorButton;
class CUfxColorMenuButton;

class CUfxColorBar : public CUfxPopupMenuBar {
  DECLARE_SERIAL(CUfxColorBar)
  friend class CColorPopup;
  friend class CUfxColorMenuButton;
public:
  // For dynamic creation and for a dialog control.
  CUfxColorBar();
  // For the popups of the colour buttons: copies the colours and the document colours.
  CUfxColorBar(const CArray<COLORREF, COLORREF>& colors, COLORREF color, LPCWSTR lpszAutoColor,
               LPCWSTR lpszOtherColor, LPCWSTR lpszDocColors, const CList<COLORREF, COLORREF>& lstDocColors,
               int nColumns, int nRowsDockHorz, int nColDockVert, COLORREF colorAutomatic, UINT nCommandID,
               CUfxColorButton* pParentBtn);
  // A copy of another bar with a command id (a torn-off or re-created popup).
  CUfxColorBar(CUfxColorBar& src, UINT uiCommandID);
  ~CUfxColorBar() override;

  void Serialize(CArchive& ar) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
  void DoPaint(CDC* pDC) override;
  CSize CalcSize() override { return CalcSize(FALSE); }
  int GetRowHeight() const override { return m_nRowHeight; }
  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
  void LayoutButtons() override;
  BOOL HandleMenuKey(UINT nChar) override;
  INT_PTR OnToolHitTest(CPoint point, TOOLINFOW* pTI) const override;

  virtual CSize CalcSize(BOOL bVertDock);
  virtual BOOL OnSendCommand(const CUfxToolbarButton* pButton);
  virtual void OnSetMessageString(UINT uiCmd);
  virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID, CPalette* pPalette = nullptr, int nColumns = 0,
                      int nRowsDockHorz = 0, int nColDockVert = 0);
  // A visible child bar in a dialog, fitted into the rectangle.
  virtual BOOL CreateControl(CWnd* pParentWnd, const CRect& rect, UINT nID, int nColumns = -1,
                             CPalette* pPalette = nullptr);
  virtual BOOL OpenColorDialog(const COLORREF colorDefault, COLORREF& colorRes);
  // Builds the cells from the colours, labels and document colours.
  virtual void Rebuild();

  void SetColor(COLORREF color);
  COLORREF GetColor() const { return m_ColorSelected; }
  UINT GetCommandID() const { return m_nCommandID; }
  void SetCommandID(UINT nCommandID) { m_nCommandID = nCommandID; }
  CPalette* GetPalette();
  CColorButton* GetCell(int iIndex) const;
  // Rows and columns for the colours where the bar stands now.
  void GetColumnsAndRows(int& nColumns, int& nRows, BOOL bVertDock = FALSE) const;
  int GetExtraHeight(int nColumns) const;
  BOOL IsFloatingBar() const;
  BOOL IsDockedVertically() const;

  // The colours a palette holds (20 stock colours when none is given).
  static int InitColors(CPalette* pPalette, CArray<COLORREF, COLORREF>& arColors);

  // Fields, in this order.
  int m_nNumColumns = 0;
  int m_nNumRowsHorz = 0;
  int m_nNumColumnsVert = 0;
  CArray<COLORREF, COLORREF> m_colors;
  CPalette m_Palette;
  int m_BoxWidth = 0;
  int m_BoxHeight = 0;
  int m_nRowHeight = 0;
  COLORREF m_ColorSelected = (COLORREF)-1;
  COLORREF m_ColorAutomatic = (COLORREF)-1;
  CString m_strAutoColor;
  CString m_strOtherColor;
  CString m_strDocColors;
  CList<COLORREF, COLORREF> m_lstDocColors;
  UINT m_nCommandID = 0;
  BOOL m_bStdColorDlg = FALSE;
  BOOL m_bIsEnabled = TRUE;
  BOOL m_bIsTearOff = TRUE;   // the toolbar flag: an ordinary dockable bar
  BOOL m_bIsPopup = FALSE;
  CUfxColorButton* m_pParentBtn = nullptr;
  int m_nHorzOffset = 0;
  int m_nVertOffset = 0;
  BOOL m_bInternal = FALSE;   // takes the mouse while the toolbars are being customized
  int m_nVertMargin = 4;
  int m_nHorzMargin = 4;
  // Further state: the bar stands in a dialog (no non-client area, no docking).
  BOOL m_bIsDlgControl = FALSE;

protected:
  void SetCellSize();
  // Whether the document-colours block is shown (caption and colours present).
  BOOL HasDocColors() const { return !m_strDocColors.IsEmpty() && !m_lstDocColors.IsEmpty(); }
  BOOL ShowsDocColors() const;
  void BuildPalette();
  // Hands the colour to the host (menu button, colour button) or to the owner.
  void DeliverColor(COLORREF color);
  // The other-colours entry of a bar in a popup: the popup closes, then the dialog runs.
  void OpenColorDialogForPopup(COLORREF colorStart);
  // The platform's colour dialog or the framework's; TRUE and the colour on OK.
  static BOOL RunColorDialog(BOOL bStdColorDlg, COLORREF colorDefault, CWnd* pParent, COLORREF& colorRes);
  // The popup window this bar lives in, or null.
  CWnd* PopupWindow() const;
  void ClosePopup();
  BOOL IgnoresMouse() const { return CUfxToolBar::IsCustomizeMode() && !m_bInternal; }

  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnDestroy();
  afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
  afx_msg void OnNcPaint();
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
  afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
  afx_msg void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg BOOL OnQueryNewPalette();
  afx_msg void OnPaletteChanged(CWnd* pFocusWnd);
  DECLARE_MESSAGE_MAP()
};
