// CUfxDragCommandList: the commands page's list of commands, each drawn the way a toolbar button
// draws itself in a list; a press on the selected command drags it onto a toolbar or menu.
#pragma once
#include "Framework.h"

class CUfxToolbarButton;

class CUfxDragCommandList : public CListBox {
  DECLARE_DYNAMIC(CUfxDragCommandList)
public:
  CUfxDragCommandList();
  // Takes the item size from the toolbars' image size once the control is attached.
  void TakeItemSize();
  CUfxToolbarButton* GetButton(int iItem) const;

  void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;
  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

protected:
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  int m_nItemWidth = 0;
  int m_nItemHeight = 0;
  DECLARE_MESSAGE_MAP()
};
