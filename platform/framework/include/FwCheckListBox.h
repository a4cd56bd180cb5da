// CCheckListBox: an owner-drawn list box with a check box before every item.
#pragma once
#include "FwControls.h"
#include <vector>

#define CLBN_CHKCHANGE 40   // WM_COMMAND notification to the parent: an item's check changed

class CCheckListBox : public CListBox {
  DECLARE_DYNAMIC(CCheckListBox)
public:
  CCheckListBox() = default;
  // Adds LBS_OWNERDRAWFIXED and LBS_HASSTRINGS when the style has neither owner-draw kind.
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

  // BS_CHECKBOX, BS_AUTOCHECKBOX (the default), BS_3STATE or BS_AUTO3STATE; the automatic
  // kinds change the check on a click on the box, a double click on it or the space key.
  void SetCheckStyle(UINT nStyle);
  UINT GetCheckStyle() const { return m_nStyle; }
  void SetCheck(int nIndex, int nCheck);
  int GetCheck(int nIndex) const;
  // A disabled item is drawn grey and keeps its check.
  void Enable(int nIndex, BOOL bEnabled = TRUE);
  BOOL IsEnabled(int nIndex) const;
  // The size of the box area at the left of every item.
  int CheckBoxWidth() const;

  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
  void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;
  void PreSubclassWindow() override;

  // Adding, inserting, deleting and emptying arrive here as the list box messages (a derived
  // class can watch them in its own map); the checks are kept beside the items, so item data
  // stays the caller's.
  afx_msg LRESULT OnAddString(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnInsertString(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnDeleteString(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnResetContent(WPARAM wParam, LPARAM lParam);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);

protected:
  struct ItemState {
    int check = 0;
    BOOL enabled = TRUE;
  };
  // The item whose box lies under the point, or -1.
  int BoxItemFromPoint(CPoint point) const;
  // Moves an automatic check on and tells the parent (CLBN_CHKCHANGE).
  void Toggle(int nIndex);
  void InvalidateItem(int nIndex);
  int ItemHeight() const;
  void InsertState(int nIndex);
  UINT m_nStyle = BS_AUTOCHECKBOX;
  std::vector<ItemState> m_states;
  DECLARE_MESSAGE_MAP()
};
