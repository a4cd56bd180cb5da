#include "looks/UfxListEditorCtrl.h"
#include "looks/UfxButton.h"
#include <cstdlib>

IMPLEMENT_DYNAMIC(CUfxListEditorCtrl, CUfxEditListBase)

namespace {
const UINT kListId = 1;
}

BEGIN_MESSAGE_MAP(CUfxListEditorCtrl, CUfxEditListBase)
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CUfxListEditorCtrl::CUfxListEditorCtrl() = default;

CUfxListEditorCtrl::~CUfxListEditorCtrl() { delete m_pWndList; }

void CUfxListEditorCtrl::CreateList() {
  if (m_pWndList != nullptr) return;
  m_pWndList = new CListCtrl;
  const DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                        LVS_NOCOLUMNHEADER | LVS_EDITLABELS;
  if (!m_pWndList->CreateEx(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"", dwStyle, CRect(0, 0, 0, 0), this, kListId)) {
    delete m_pWndList;
    m_pWndList = nullptr;
    return;
  }
  m_pWndList->SetExtendedStyle(LVS_EX_FULLROWSELECT);
  m_pWndList->InsertColumn(0, L"");
  if (m_font.GetSafeHandle() != nullptr) m_pWndList->SetFont(&m_font);
}

void CUfxListEditorCtrl::OnDestroy() {
  if (m_wndEdit.GetSafeHwnd() != nullptr) m_wndEdit.UnsubclassWindow();
  if (m_pWndList != nullptr && m_pWndList->GetSafeHwnd() != nullptr) m_pWndList->DestroyWindow();
  CUfxEditListBase::OnDestroy();
}

void CUfxListEditorCtrl::AdjustColumnWidth() {
  if (GetListHwnd() == nullptr) return;
  CRect rectClient;
  GetClientRect(rectClient);
  const int cx = rectClient.Width() - 2 * ::GetSystemMetrics(SM_CXEDGE) - ::GetSystemMetrics(SM_CXVSCROLL);
  m_pWndList->SendMessage(LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(cx > 0 ? cx : 0, 0));
}

int CUfxListEditorCtrl::AddItem(const CString& strText, DWORD_PTR dwData, int iIndex) {
  if (GetListHwnd() == nullptr) return -1;
  if (iIndex < 0) iIndex = m_pWndList->GetItemCount();
  const BOOL bWasEmpty = m_pWndList->GetItemCount() == 0;
  LVITEMW item = {};
  item.mask = LVIF_TEXT | LVIF_PARAM;
  item.iItem = iIndex;
  item.pszText = const_cast<LPWSTR>((LPCWSTR)strText);
  item.lParam = (LPARAM)dwData;
  const int iItem = m_pWndList->InsertItem(&item);
  if (iItem >= 0 && bWasEmpty) SelectItem(iItem);
  return iItem;
}

BOOL CUfxListEditorCtrl::RemoveItem(int iIndex) {
  if (GetListHwnd() == nullptr || iIndex < 0 || iIndex >= GetCount()) return FALSE;
  const BOOL bWasSelected = GetSelItem() == iIndex;
  if (!m_pWndList->DeleteItem(iIndex)) return FALSE;
  const int nCount = GetCount();
  if (bWasSelected && nCount > 0 && m_bIsActualDelete) SelectItem(iIndex < nCount ? iIndex : nCount - 1);
  return TRUE;
}

int CUfxListEditorCtrl::GetCount() const { return GetListHwnd() != nullptr ? m_pWndList->GetItemCount() : 0; }

int CUfxListEditorCtrl::GetSelItem() const {
  return GetListHwnd() != nullptr ? m_pWndList->GetNextItem(-1, LVNI_SELECTED) : -1;
}

BOOL CUfxListEditorCtrl::SelectItem(int iItem) {
  if (GetListHwnd() == nullptr || iItem < 0 || iItem >= GetCount()) return FALSE;
  m_pWndList->SetItemState(iItem, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  m_pWndList->SendMessage(LVM_ENSUREVISIBLE, (WPARAM)iItem, FALSE);
  return TRUE;
}

CString CUfxListEditorCtrl::GetItemText(int iIndex) const {
  return GetListHwnd() != nullptr ? m_pWndList->GetItemText(iIndex, 0) : CString();
}

BOOL CUfxListEditorCtrl::SetItemText(int iIndex, const CString& strText) {
  return GetListHwnd() != nullptr && m_pWndList->SetItemText(iIndex, 0, strText);
}

DWORD_PTR CUfxListEditorCtrl::GetItemData(int iIndex) const {
  return GetListHwnd() != nullptr ? m_pWndList->GetItemData(iIndex) : 0;
}

BOOL CUfxListEditorCtrl::SetItemData(int iIndex, DWORD_PTR dwData) {
  return GetListHwnd() != nullptr && m_pWndList->SetItemData(iIndex, dwData);
}

void CUfxListEditorCtrl::CreateNewItem() {
  const int iItem = AddItem(L"");
  if (iItem < 0) return;
  SelectItem(iItem);
  m_bNewItem = TRUE;
  EditItem(iItem);
}

BOOL CUfxListEditorCtrl::EditItem(int iIndex) {
  if (GetListHwnd() == nullptr || iIndex < 0 || iIndex >= GetCount()) return FALSE;
  m_pWndList->SetFocus();
  CEdit* pEdit = m_pWndList->EditLabel(iIndex);
  if (pEdit == nullptr || pEdit->GetSafeHwnd() == nullptr) return FALSE;
  if (m_wndEdit.GetSafeHwnd() != nullptr) m_wndEdit.UnsubclassWindow();
  m_wndEdit.m_bIsFrozen = FALSE;
  m_wndEdit.SetOwner(this);
  m_wndEdit.SubclassWindow(pEdit->GetSafeHwnd());
  m_wndEdit.EnableBrowseButton(m_bBrowseButton);
  CRect rectEdit;
  m_wndEdit.GetWindowRect(rectEdit);
  m_pWndList->ScreenToClient(rectEdit);
  CRect rectList;
  m_pWndList->GetClientRect(rectList);
  const int cx = rectList.Width() - 2 * ::GetSystemMetrics(SM_CXBORDER) - ::GetSystemMetrics(SM_CXVSCROLL);
  m_wndEdit.SetWindowPos(nullptr, rectEdit.left, rectEdit.top, cx, rectEdit.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  m_wndEdit.Freeze();
  EnableButtons(FALSE);
  return TRUE;
}

void CUfxListEditorCtrl::OnEndEditLabel(LPCWSTR lpszLabel) {
  EnableButtons(TRUE);
  const CString strText = lpszLabel != nullptr ? lpszLabel : L"";
  const int iSel = GetSelItem();
  if (iSel >= 0) {
    if (!strText.IsEmpty()) {
      SetItemText(iSel, strText);
      if (m_bNewItem) OnAfterAddItem(iSel);
      else OnAfterRenameItem(iSel);
    } else if (m_bNewItem) {
      RemoveItem(iSel);
    }
  }
  m_bNewItem = FALSE;
}

void CUfxListEditorCtrl::OnKey(UINT uiKey, UINT uiFlags) {
  if ((uiKey == VK_SPACE || uiKey == VK_F2) && uiFlags == 0) EditItem(GetSelItem());
}

int CUfxListEditorCtrl::FindKeyButton(UINT uiKey) const {
  const UINT uiModifiers = GetModifiers();
  int i = 0;
  for (POSITION pos = m_lstKeyAccell.GetHeadPosition(); pos != nullptr; ++i) {
    const DWORD dwKey = m_lstKeyAccell.GetNext(pos);
    if (dwKey != 0 && LOWORD(dwKey) == uiKey && (UINT)((dwKey >> 16) & 0xFF) == uiModifiers) return i;
  }
  return -1;
}

void CUfxListEditorCtrl::OnListKeyDown(UINT uiKey) {
  const int iButton = FindKeyButton(uiKey);
  if (iButton < 0) {
    OnKey(uiKey, GetModifiers());
    return;
  }
  CUfxButton* pButton = GetButton(iButton);
  if (pButton != nullptr && pButton->IsWindowEnabled()) OnClickButton(iButton);
}

BOOL CUfxListEditorCtrl::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->hwnd != GetListHwnd() || GetListHwnd() == nullptr) return CUfxEditListBase::PreTranslateMessage(pMsg);
  switch (pMsg->message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (FindKeyButton((UINT)pMsg->wParam) < 0) break;
      OnListKeyDown((UINT)pMsg->wParam);
      return TRUE;
    case WM_LBUTTONDOWN:
      return HoldBackClick(CPoint((short)LOWORD(pMsg->lParam), (short)HIWORD(pMsg->lParam)));
    case WM_LBUTTONUP:
      return EditOnRelease(CPoint((short)LOWORD(pMsg->lParam), (short)HIWORD(pMsg->lParam)));
  }
  return CUfxEditListBase::PreTranslateMessage(pMsg);
}

// A press on the label of the item that is selected and focused already, in a list that has the
// focus and no edit open, is kept from the list: its release starts the edit.
BOOL CUfxListEditorCtrl::HoldBackClick(CPoint point) {
  m_ptClick = CPoint(-1, -1);
  if (::GetFocus() != GetListHwnd() || m_pWndList->GetEditControl() != nullptr) return FALSE;
  LVHITTESTINFO hit = {};
  hit.pt = point;
  const int iItem = m_pWndList->HitTest(&hit);
  if (iItem < 0 || !(hit.flags & LVHT_ONITEMLABEL)) return FALSE;
  const UINT uiState = LVIS_SELECTED | LVIS_FOCUSED;
  if (m_pWndList->GetItemState(iItem, uiState) != uiState) return FALSE;
  m_ptClick = point;
  return TRUE;
}

BOOL CUfxListEditorCtrl::EditOnRelease(CPoint point) {
  if (m_ptClick == CPoint(-1, -1)) return FALSE;
  const CPoint ptPress = m_ptClick;
  m_ptClick = CPoint(-1, -1);
  const int iPressed = m_pWndList->HitTest(ptPress);
  const BOOL bNear = std::abs(point.x - ptPress.x) <= ::GetSystemMetrics(SM_CXDRAG) &&
                     std::abs(point.y - ptPress.y) <= ::GetSystemMetrics(SM_CYDRAG);
  if (iPressed >= 0 && bNear && m_pWndList->HitTest(point) == iPressed) EditItem(iPressed);
  return TRUE;
}

BOOL CUfxListEditorCtrl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  const NMHDR* pHdr = (const NMHDR*)lParam;
  if (pHdr == nullptr || pHdr->hwndFrom != GetListHwnd()) return CUfxEditListBase::OnNotify(wParam, lParam, pResult);
  switch (pHdr->code) {
    case LVN_KEYDOWN:
      OnListKeyDown(((const NMLVKEYDOWN*)lParam)->wVKey);
      *pResult = 0;
      return TRUE;
    case LVN_ENDLABELEDITW: {
      const NMLVDISPINFOW* pInfo = (const NMLVDISPINFOW*)lParam;
      if (m_wndEdit.GetSafeHwnd() != nullptr) m_wndEdit.UnsubclassWindow();
      OnEndEditLabel(pInfo->item.pszText);
      *pResult = 0;  // the text is set here, not by the list
      return TRUE;
    }
    case LVN_ITEMCHANGED: {
      const NMLISTVIEW* pInfo = (const NMLISTVIEW*)lParam;
      if (m_bIsActualDelete && (pInfo->uChanged & LVIF_STATE) &&
          ((pInfo->uNewState ^ pInfo->uOldState) & LVIS_SELECTED))
        OnSelectionChanged();
      *pResult = 0;
      return TRUE;
    }
    case NM_DBLCLK: {
      const int iSel = GetSelItem();
      if (iSel >= 0) EditItem(iSel);
      else if (m_uiStandardBtns & BGCEDITLISTBOX_BTN_NEW) CreateNewItem();
      *pResult = 0;
      return TRUE;
    }
  }
  return CUfxEditListBase::OnNotify(wParam, lParam, pResult);
}
