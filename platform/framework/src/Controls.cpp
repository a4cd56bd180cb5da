// The control wrappers' members that need more than one message.
#include "Framework.h"
#include "FwControls.h"

IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CListBox, CWnd)
IMPLEMENT_DYNAMIC(CComboBox, CWnd)
IMPLEMENT_DYNAMIC(CScrollBar, CWnd)
IMPLEMENT_DYNAMIC(CSpinButtonCtrl, CWnd)
IMPLEMENT_DYNAMIC(CHotKeyCtrl, CWnd)
IMPLEMENT_DYNAMIC(CProgressCtrl, CWnd)
IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)
IMPLEMENT_DYNAMIC(CTabCtrl, CWnd)
IMPLEMENT_DYNAMIC(CListCtrl, CWnd)
IMPLEMENT_DYNAMIC(CTreeCtrl, CWnd)

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  // Owner-drawn buttons draw themselves.
  if (message == WM_DRAWITEM) {
    DrawItem((LPDRAWITEMSTRUCT)lParam);
    if (pResult) *pResult = TRUE;
    return TRUE;
  }
  return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

// Owner-drawn items: the parent reflects WM_DRAWITEM, WM_MEASUREITEM, WM_COMPAREITEM and
// WM_DELETEITEM to the control object, which answers through its virtuals.
template <class T>
static BOOL OwnerDrawNotify(T* pCtl, UINT message, LPARAM lParam, LRESULT* pResult) {
  LRESULT r = TRUE;
  switch (message) {
    case WM_DRAWITEM: pCtl->DrawItem((LPDRAWITEMSTRUCT)lParam); break;
    case WM_MEASUREITEM: pCtl->MeasureItem((LPMEASUREITEMSTRUCT)lParam); break;
    case WM_COMPAREITEM: r = pCtl->CompareItem((LPCOMPAREITEMSTRUCT)lParam); break;
    case WM_DELETEITEM: pCtl->DeleteItem((LPDELETEITEMSTRUCT)lParam); break;
    default: return FALSE;
  }
  if (pResult) *pResult = r;
  return TRUE;
}

BOOL CListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  return OwnerDrawNotify(this, message, lParam, pResult) || CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

BOOL CComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  return OwnerDrawNotify(this, message, lParam, pResult) || CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

void CListBox::GetText(int nIndex, CString& rString) const {
  int n = GetTextLen(nIndex);
  if (n == LB_ERR) { rString.Empty(); return; }
  SendMessage(LB_GETTEXT, (WPARAM)nIndex, (LPARAM)rString.GetBuffer(n + 1));
  rString.ReleaseBuffer(n);
}

void CComboBox::GetLBText(int nIndex, CString& rString) const {
  int n = GetLBTextLen(nIndex);
  if (n == CB_ERR) { rString.Empty(); return; }
  SendMessage(CB_GETLBTEXT, (WPARAM)nIndex, (LPARAM)rString.GetBuffer(n + 1));
  rString.ReleaseBuffer(n);
}

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle) {
  BOOL ok = CWnd::CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP | dwStyle,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, pParentWnd->GetSafeHwnd(), nullptr);
  if (ok) SetOwner(pParentWnd);
  return ok;
}

static void FillToolInfo(TOOLINFOW& ti, CWnd* pOwner, CWnd* pWnd, UINT_PTR nIDTool) {
  memset(&ti, 0, sizeof(ti));
  ti.cbSize = sizeof(ti);
  ti.hwnd = pOwner->GetSafeHwnd();
  if (nIDTool == 0) {
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.uId = (UINT_PTR)pWnd->GetSafeHwnd();
  } else {
    ti.hwnd = pWnd->GetSafeHwnd();
    ti.uFlags = TTF_SUBCLASS;
    ti.uId = nIDTool;
  }
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCWSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool) {
  TOOLINFOW ti;
  FillToolInfo(ti, pWnd->GetParent() ? pWnd->GetParent() : pWnd, pWnd, nIDTool);
  if (lpRectTool) ti.rect = *lpRectTool;
  ti.lpszText = const_cast<LPWSTR>(lpszText ? lpszText : LPSTR_TEXTCALLBACKW);
  return (BOOL)SendMessage(TTM_ADDTOOLW, 0, (LPARAM)&ti);
}

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT_PTR nIDTool) {
  TOOLINFOW ti;
  FillToolInfo(ti, pWnd->GetParent() ? pWnd->GetParent() : pWnd, pWnd, nIDTool);
  SendMessage(TTM_DELTOOLW, 0, (LPARAM)&ti);
}

void CToolTipCtrl::UpdateTipText(LPCWSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool) {
  TOOLINFOW ti;
  FillToolInfo(ti, pWnd->GetParent() ? pWnd->GetParent() : pWnd, pWnd, nIDTool);
  ti.lpszText = const_cast<LPWSTR>(lpszText);
  SendMessage(TTM_UPDATETIPTEXTW, 0, (LPARAM)&ti);
}

void CToolTipCtrl::SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect) {
  TOOLINFOW ti;
  FillToolInfo(ti, pWnd->GetParent() ? pWnd->GetParent() : pWnd, pWnd, nIDTool);
  ti.rect = *lpRect;
  SendMessage(TTM_NEWTOOLRECTW, 0, (LPARAM)&ti);
}

BOOL CToolTipCtrl::GetToolInfo(TOOLINFOW& toolInfo, CWnd* pWnd, UINT_PTR nIDTool) const {
  FillToolInfo(toolInfo, pWnd->GetParent() ? pWnd->GetParent() : pWnd, pWnd, nIDTool);
  toolInfo.lpszText = nullptr;
  return (BOOL)::SendMessageW(m_hWnd, TTM_GETTOOLINFOW, 0, (LPARAM)&toolInfo);
}

int CListCtrl::InsertColumn(int nCol, LPCWSTR lpszHeading, int nFormat, int nWidth, int nSubItem) {
  LVCOLUMNW col = {};
  col.mask = LVCF_TEXT | LVCF_FMT;
  col.fmt = nFormat;
  col.pszText = const_cast<LPWSTR>(lpszHeading);
  if (nWidth != -1) { col.mask |= LVCF_WIDTH; col.cx = nWidth; }
  if (nSubItem != -1) { col.mask |= LVCF_SUBITEM; col.iSubItem = nSubItem; }
  return (int)SendMessage(LVM_INSERTCOLUMNW, (WPARAM)nCol, (LPARAM)&col);
}

int CListCtrl::InsertItem(int nItem, LPCWSTR lpszItem) { return InsertItem(LVIF_TEXT, nItem, lpszItem, 0, 0, 0, 0); }

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCWSTR lpszText) {
  LVITEMW item = {};
  item.iSubItem = nSubItem;
  item.pszText = const_cast<LPWSTR>(lpszText);
  return (BOOL)SendMessage(LVM_SETITEMTEXTW, (WPARAM)nItem, (LPARAM)&item);
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const {
  wchar_t buf[1024] = {0};
  LVITEMW item = {};
  item.iSubItem = nSubItem;
  item.pszText = buf;
  item.cchTextMax = 1024;
  SendMessage(LVM_GETITEMTEXTW, (WPARAM)nItem, (LPARAM)&item);
  return buf;
}

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask) {
  LVITEMW item = {};
  item.state = nState;
  item.stateMask = nMask;
  return (BOOL)SendMessage(LVM_SETITEMSTATE, (WPARAM)nItem, (LPARAM)&item);
}

BOOL CListCtrl::SetItemData(int nItem, DWORD_PTR dwData) {
  LVITEMW item = {};
  item.mask = LVIF_PARAM;
  item.iItem = nItem;
  item.lParam = (LPARAM)dwData;
  return (BOOL)SendMessage(LVM_SETITEMW, 0, (LPARAM)&item);
}

DWORD_PTR CListCtrl::GetItemData(int nItem) const {
  LVITEMW item = {};
  item.mask = LVIF_PARAM;
  item.iItem = nItem;
  SendMessage(LVM_GETITEMW, 0, (LPARAM)&item);
  return (DWORD_PTR)item.lParam;
}

HTREEITEM CTreeCtrl::InsertItem(LPCWSTR lpszItem, HTREEITEM hParent, HTREEITEM hInsertAfter) {
  return InsertItem(TVIF_TEXT, lpszItem, 0, 0, 0, 0, 0, hParent, hInsertAfter);
}

CString CTreeCtrl::GetItemText(HTREEITEM hItem) const {
  wchar_t buf[1024] = {0};
  TVITEMW item = {};
  item.mask = TVIF_TEXT;
  item.hItem = hItem;
  item.pszText = buf;
  item.cchTextMax = 1024;
  SendMessage(TVM_GETITEMW, 0, (LPARAM)&item);
  return buf;
}

BOOL CTreeCtrl::SetItemData(HTREEITEM hItem, DWORD_PTR dwData) {
  TVITEMW item = {};
  item.mask = TVIF_PARAM;
  item.hItem = hItem;
  item.lParam = (LPARAM)dwData;
  return (BOOL)SendMessage(TVM_SETITEMW, 0, (LPARAM)&item);
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM hItem) const {
  TVITEMW item = {};
  item.mask = TVIF_PARAM;
  item.hItem = hItem;
  SendMessage(TVM_GETITEMW, 0, (LPARAM)&item);
  return (DWORD_PTR)item.lParam;
}

int CListCtrl::InsertItem(UINT nMask, int nItem, LPCWSTR lpszItem, UINT nState, UINT nStateMask, int nImage, LPARAM lParam) {
  LVITEMW item = {};
  item.mask = nMask;
  item.iItem = nItem;
  item.pszText = const_cast<LPWSTR>(lpszItem);
  item.state = nState;
  item.stateMask = nStateMask;
  item.iImage = nImage;
  item.lParam = lParam;
  return (int)SendMessage(LVM_INSERTITEMW, 0, (LPARAM)&item);
}

int CListCtrl::HitTest(CPoint pt, UINT* pFlags) const {
  LVHITTESTINFO info = {};
  info.pt = pt;
  int n = HitTest(&info);
  if (pFlags != nullptr) *pFlags = info.flags;
  return n;
}

HTREEITEM CTreeCtrl::InsertItem(UINT nMask, LPCWSTR lpszItem, int nImage, int nSelectedImage, UINT nState,
                                UINT nStateMask, LPARAM lParam, HTREEITEM hParent, HTREEITEM hInsertAfter) {
  TVINSERTSTRUCTW tvis = {};
  tvis.hParent = hParent;
  tvis.hInsertAfter = hInsertAfter;
  tvis.item.mask = nMask;
  tvis.item.pszText = const_cast<LPWSTR>(lpszItem);
  tvis.item.iImage = nImage;
  tvis.item.iSelectedImage = nSelectedImage;
  tvis.item.state = nState;
  tvis.item.stateMask = nStateMask;
  tvis.item.lParam = lParam;
  return (HTREEITEM)SendMessage(TVM_INSERTITEMW, 0, (LPARAM)&tvis);
}
