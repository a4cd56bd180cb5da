// CUfxBarCheckList: the toolbars page's check list, whose items can refuse a change of their
// check (the menu bar cannot be hidden).
#pragma once
#include "Framework.h"
#include "FwCheckListBox.h"
#include <vector>

class CUfxBarCheckList : public CCheckListBox {
  DECLARE_DYNAMIC(CUfxBarCheckList)
public:
  CUfxBarCheckList() = default;
  // Whether the user may change the item's check; an index outside the list is ignored.
  void SetCheckable(int nIndex, BOOL bCheckable);
  BOOL IsCheckable(int nIndex) const;

protected:
  afx_msg LRESULT OnAddString(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnInsertString(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnDeleteString(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnResetContent(WPARAM wParam, LPARAM lParam);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  // The item whose box is under the point, when it may not change: refused with a beep.
  BOOL RefusedAt(CPoint point);
  std::vector<int> m_arCheckable;
  DECLARE_MESSAGE_MAP()
};
