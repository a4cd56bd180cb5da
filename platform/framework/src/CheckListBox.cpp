// CCheckListBox: the checks beside the items, drawing, and the mouse and key toggles.
#include "Framework.h"
#include "FwCheckListBox.h"

IMPLEMENT_DYNAMIC(CCheckListBox, CListBox)

BEGIN_MESSAGE_MAP(CCheckListBox, CListBox)
  ON_MESSAGE(LB_ADDSTRING, OnAddString)
  ON_MESSAGE(LB_INSERTSTRING, OnInsertString)
  ON_MESSAGE(LB_DELETESTRING, OnDeleteString)
  ON_MESSAGE(LB_RESETCONTENT, OnResetContent)
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_KEYDOWN()
END_MESSAGE_MAP()

BOOL CCheckListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  if (!(dwStyle & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE))) dwStyle |= LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
  return CListBox::Create(dwStyle, rect, pParentWnd, nID);
}

void CCheckListBox::SetCheckStyle(UINT nStyle) { m_nStyle = nStyle; }

void CCheckListBox::SetCheck(int nIndex, int nCheck) {
  if (nIndex < 0 || nIndex >= (int)m_states.size()) return;
  m_states[nIndex].check = nCheck;
  InvalidateItem(nIndex);
}

int CCheckListBox::GetCheck(int nIndex) const {
  return nIndex >= 0 && nIndex < (int)m_states.size() ? m_states[nIndex].check : 0;
}

void CCheckListBox::Enable(int nIndex, BOOL bEnabled) {
  if (nIndex < 0 || nIndex >= (int)m_states.size()) return;
  m_states[nIndex].enabled = bEnabled;
  InvalidateItem(nIndex);
}

BOOL CCheckListBox::IsEnabled(int nIndex) const {
  return nIndex >= 0 && nIndex < (int)m_states.size() ? m_states[nIndex].enabled : FALSE;
}

int CCheckListBox::CheckBoxWidth() const { return ::GetSystemMetrics(SM_CXMENUCHECK) + 4; }

int CCheckListBox::ItemHeight() const {
  HDC hDC = ::GetDC(m_hWnd);
  HGDIOBJ old = ::SelectObject(hDC, (HGDIOBJ)SendMessage(WM_GETFONT));
  TEXTMETRICW tm = {};
  ::GetTextMetricsW(hDC, &tm);
  ::SelectObject(hDC, old);
  ::ReleaseDC(m_hWnd, hDC);
  int box = ::GetSystemMetrics(SM_CYMENUCHECK) + 2;
  return tm.tmHeight > box ? (int)tm.tmHeight : box;
}

void CCheckListBox::PreSubclassWindow() {
  // A list from a dialog template was measured before this object knew it.
  if (GetStyle() & LBS_OWNERDRAWFIXED) SetItemHeight(0, (UINT)ItemHeight());
}

void CCheckListBox::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) { lpMeasureItemStruct->itemHeight = ItemHeight(); }

void CCheckListBox::DrawItem(LPDRAWITEMSTRUCT lpDis) {
  if ((int)lpDis->itemID < 0) return;
  CDC* pDC = CDC::FromHandle(lpDis->hDC);
  CRect rc(lpDis->rcItem);
  CRect box(rc.left, rc.top, rc.left + CheckBoxWidth(), rc.bottom);
  const int check = GetCheck((int)lpDis->itemID);
  const BOOL enabled = IsEnabled((int)lpDis->itemID) && IsWindowEnabled();
  // The box: a square of the system's check size, centred in its area.
  int side = ::GetSystemMetrics(SM_CXMENUCHECK);
  CRect square(box.left + (box.Width() - side) / 2, box.top + (box.Height() - side) / 2, 0, 0);
  square.right = square.left + side;
  square.bottom = square.top + side;
  UINT state = DFCS_BUTTONCHECK | DFCS_FLAT;
  if (check == 1) state |= DFCS_CHECKED;
  if (check == 2) state = DFCS_BUTTON3STATE | DFCS_CHECKED | DFCS_FLAT;
  if (!enabled) state |= DFCS_INACTIVE;
  ::FillRect(lpDis->hDC, &box, ::GetSysColorBrush(COLOR_WINDOW));
  ::DrawFrameControl(lpDis->hDC, &square, DFC_BUTTON, state);
  // The text, selected or not.
  CRect text(box.right, rc.top, rc.right, rc.bottom);
  const bool selected = (lpDis->itemState & ODS_SELECTED) != 0;
  ::FillRect(lpDis->hDC, &text, ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  COLORREF fore = !enabled ? ::GetSysColor(COLOR_GRAYTEXT) : ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
  COLORREF oldFore = pDC->SetTextColor(fore);
  int oldMode = pDC->SetBkMode(TRANSPARENT);
  if (GetStyle() & LBS_HASSTRINGS) {
    CString s;
    GetText((int)lpDis->itemID, s);
    CRect t = text;
    t.left += 2;
    pDC->DrawText(s, &t, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  }
  pDC->SetBkMode(oldMode);
  pDC->SetTextColor(oldFore);
  if (lpDis->itemState & ODS_FOCUS) ::DrawFocusRect(lpDis->hDC, &text);
}

void CCheckListBox::InvalidateItem(int nIndex) {
  CRect rc;
  if (m_hWnd != nullptr && GetItemRect(nIndex, &rc) != LB_ERR) InvalidateRect(&rc, FALSE);
}

void CCheckListBox::InsertState(int nIndex) {
  if (nIndex < 0) return;  // LB_ERR or LB_ERRSPACE: nothing was added
  if (nIndex > (int)m_states.size()) nIndex = (int)m_states.size();
  m_states.insert(m_states.begin() + nIndex, ItemState());
}

LRESULT CCheckListBox::OnAddString(WPARAM, LPARAM) {
  LRESULT n = Default();
  InsertState((int)n);
  return n;
}

LRESULT CCheckListBox::OnInsertString(WPARAM, LPARAM) {
  LRESULT n = Default();
  InsertState((int)n);
  return n;
}

LRESULT CCheckListBox::OnDeleteString(WPARAM wParam, LPARAM) {
  LRESULT n = Default();
  if (n != LB_ERR && (size_t)wParam < m_states.size()) m_states.erase(m_states.begin() + (int)wParam);
  return n;
}

LRESULT CCheckListBox::OnResetContent(WPARAM, LPARAM) {
  LRESULT n = Default();
  m_states.clear();
  return n;
}

int CCheckListBox::BoxItemFromPoint(CPoint point) const {
  if (point.x < 0 || point.x >= CheckBoxWidth()) return -1;
  BOOL outside = TRUE;
  int n = (int)ItemFromPoint(point, outside);
  return outside || n >= GetCount() ? -1 : n;
}

void CCheckListBox::Toggle(int nIndex) {
  if (nIndex < 0 || !IsEnabled(nIndex)) return;
  if (m_nStyle != BS_AUTOCHECKBOX && m_nStyle != BS_AUTO3STATE) return;
  int next = GetCheck(nIndex) + 1;
  if (next > (m_nStyle == BS_AUTO3STATE ? 2 : 1)) next = 0;
  SetCheck(nIndex, next);
  if (HWND hParent = ::GetParent(m_hWnd))
    ::SendMessageW(hParent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), CLBN_CHKCHANGE), (LPARAM)m_hWnd);
}

void CCheckListBox::OnLButtonDown(UINT, CPoint point) {
  int n = BoxItemFromPoint(point);
  Default();  // selection and focus as usual
  if (n >= 0) Toggle(n);
}

void CCheckListBox::OnLButtonDblClk(UINT, CPoint point) {
  int n = BoxItemFromPoint(point);
  if (n < 0) {
    Default();
    return;
  }
  Toggle(n);
}

void CCheckListBox::OnKeyDown(UINT nChar, UINT, UINT) {
  if (nChar == VK_SPACE) {
    int n = GetCaretIndex();
    if (n >= 0 && n < GetCount()) {
      Toggle(n);
      return;
    }
  }
  Default();
}
