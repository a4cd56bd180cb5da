// CUfxImageGridCtrl: a scrollable grid of toolbar image buttons, one per image of an image strip,
// with selection by mouse and keys. The button appearance dialog offers the user images in it.
#pragma once
#include "Framework.h"
#include "FwControls.h"

class CUfxToolbarButton;
class CUfxToolBarImages;

class CUfxImageGridCtrl : public CButton {
  DECLARE_DYNAMIC(CUfxImageGridCtrl)
public:
  CUfxImageGridCtrl();
  ~CUfxImageGridCtrl() override;

  // Sets the images and the cell size; removes every button.
  void SetImages(CUfxToolBarImages* pImages);
  // Appends a button (the grid owns it from now on).
  void AddButton(CUfxToolbarButton* pButton);
  // Selects the button showing that image (-1: none); FALSE when no button has it.
  BOOL SelectButton(int iImage);
  void SelectButton(CUfxToolbarButton* pButton);
  void RemoveAll();

  CUfxToolbarButton* GetSelected() const { return m_pSelButton; }
  int GetCount() const { return (int)m_Buttons.GetCount(); }
  int GetScrollOffset() const { return m_iScrollOffset; }
  int GetScrollMax() const { return m_iScrollTotal; }
  int GetRowsPerPage() const { return m_iScrollPage; }
  CScrollBar& GetScrollBar() { return m_wndScrollBar; }
  void EnableDragFromList(BOOL bEnable = TRUE) { m_bEnableDrag = bEnable; }

  // Fields, in this order.
  CList<CUfxToolbarButton*, CUfxToolbarButton*> m_Buttons;
  CUfxToolBarImages* m_pImages = nullptr;
  CSize m_sizeButton = CSize(0, 0);
  BOOL m_bHasFocus = FALSE;
  CUfxToolbarButton* m_pSelButton = nullptr;
  int m_iScrollOffset = 0;
  int m_iScrollTotal = 0;
  int m_iScrollPage = 0;
  CScrollBar m_wndScrollBar;
  BOOL m_bInited = FALSE;
  BOOL m_bEnableDrag = FALSE;

protected:
  void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
  void PreSubclassWindow() override;

  // Places the buttons in rows and decides whether a scroll bar is needed.
  void RebuildLocations();
  int RowStep() const { return m_sizeButton.cy + 5; }
  void RedrawSelection(CUfxToolbarButton* pButton);
  void EnsureVisible(CUfxToolbarButton* pButton);
  CUfxToolbarButton* HitTest(CPoint point) const;
  void ScrollTo(int iOffset);
  // The next or previous button of the selection; null at the ends.
  CUfxToolbarButton* Neighbour(BOOL bNext) const;

  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnPaint();
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg UINT OnGetDlgCode();
  afx_msg void OnSetFocus(CWnd* pOldWnd);
  afx_msg void OnKillFocus(CWnd* pNewWnd);
  afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnSysColorChange();
  afx_msg void OnEnable(BOOL bEnable);
  DECLARE_MESSAGE_MAP()
};
