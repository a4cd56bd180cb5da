#include "looks/UfxBarCheckList.h"

IMPLEMENT_DYNAMIC(CUfxBarCheckList, CCheckListBox)

BEGIN_MESSAGE_MAP(CUfxBarCheckList, CCheckListBox)
  ON_MESSAGE(LB_ADDSTRING, OnAddString)
  ON_MESSAGE(LB_INSERTSTRING, OnInsertString)
  ON_MESSAGE(LB_DELETESTRING, OnDeleteString)
  ON_MESSAGE(LB_RESETCONTENT, OnResetContent)
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_KEYDOWN()
END_MESSAGE_MAP()

void CUfxBarCheckList::SetCheckable(int nIndex, BOOL bCheckable) {
  if (nIndex < 0 || nIndex >= (int)m_arCheckable.size()) return;
  m_arCheckable[nIndex] = bCheckable ? 1 : 0;
}

BOOL CUfxBarCheckList::IsCheckable(int nIndex) const {
  return nIndex < 0 || nIndex >= (int)m_arCheckable.size() || m_arCheckable[nIndex] != 0;
}

LRESULT CUfxBarCheckList::OnAddString(WPARAM wParam, LPARAM lParam) {
  const LRESULT nIndex = CCheckListBox::OnAddString(wParam, lParam);
  if (nIndex >= 0 && nIndex <= (LRESULT)m_arCheckable.size()) m_arCheckable.insert(m_arCheckable.begin() + nIndex, 1);
  return nIndex;
}

LRESULT CUfxBarCheckList::OnInsertString(WPARAM wParam, LPARAM lParam) {
  const LRESULT nIndex = CCheckListBox::OnInsertString(wParam, lParam);
  if (nIndex >= 0 && nIndex <= (LRESULT)m_arCheckable.size()) m_arCheckable.insert(m_arCheckable.begin() + nIndex, 1);
  return nIndex;
}

LRESULT CUfxBarCheckList::OnDeleteString(WPARAM wParam, LPARAM lParam) {
  const LRESULT nResult = CCheckListBox::OnDeleteString(wParam, lParam);
  if (nResult != LB_ERR && (size_t)wParam < m_arCheckable.size()) m_arCheckable.erase(m_arCheckable.begin() + wParam);
  return nResult;
}

LRESULT CUfxBarCheckList::OnResetContent(WPARAM wParam, LPARAM lParam) {
  m_arCheckable.clear();
  return CCheckListBox::OnResetContent(wParam, lParam);
}

BOOL CUfxBarCheckList::RefusedAt(CPoint point) {
  const int nIndex = BoxItemFromPoint(point);
  if (nIndex < 0 || IsCheckable(nIndex)) return FALSE;
  ::MessageBeep((UINT)-1);
  return TRUE;
}

void CUfxBarCheckList::OnLButtonDown(UINT nFlags, CPoint point) {
  if (RefusedAt(point)) return;
  CCheckListBox::OnLButtonDown(nFlags, point);
}

void CUfxBarCheckList::OnLButtonDblClk(UINT nFlags, CPoint point) {
  if (RefusedAt(point)) return;
  CCheckListBox::OnLButtonDblClk(nFlags, point);
  if (GetParent() != nullptr)
    GetParent()->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), CLBN_CHKCHANGE), (LPARAM)m_hWnd);
}

void CUfxBarCheckList::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (nChar == VK_SPACE && !IsCheckable(GetCaretIndex())) {
    ::MessageBeep((UINT)-1);
    return;
  }
  CCheckListBox::OnKeyDown(nChar, nRepCnt, nFlags);
}
