// Thin wrappers over the standard and common controls: creation by class name and the messages.
#pragma once
#include "FwGdi.h"
#include <commctrl.h>

#define FW_CONTROL_CREATE(cls) \
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) { \
    return CWnd::Create(cls, nullptr, dwStyle, rect, pParentWnd, nID); }

class CStatic : public CWnd {
  DECLARE_DYNAMIC(CStatic)
public:
  BOOL Create(LPCWSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID = 0xFFFF) {
    return CWnd::Create(L"STATIC", lpszText, dwStyle, rect, pParentWnd, nID); }
  HICON SetIcon(HICON hIcon) { return (HICON)SendMessage(STM_SETICON, (WPARAM)hIcon); }
  HBITMAP SetBitmap(HBITMAP hBitmap) { return (HBITMAP)SendMessage(STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)hBitmap); }
};

class CButton : public CWnd {
  DECLARE_DYNAMIC(CButton)
public:
  BOOL Create(LPCWSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create(L"BUTTON", lpszCaption, dwStyle, rect, pParentWnd, nID); }
  int GetCheck() const { return (int)SendMessage(BM_GETCHECK); }
  void SetCheck(int nCheck) { SendMessage(BM_SETCHECK, (WPARAM)nCheck); }
  UINT GetState() const { return (UINT)SendMessage(BM_GETSTATE); }
  void SetState(BOOL bHighlight) { SendMessage(BM_SETSTATE, (WPARAM)bHighlight); }
  UINT GetButtonStyle() const { return (UINT)GetStyle() & 0xFFFF; }
  void SetButtonStyle(UINT nStyle, BOOL bRedraw = TRUE) { SendMessage(BM_SETSTYLE, nStyle, bRedraw); }
  HICON SetIcon(HICON hIcon) { return (HICON)SendMessage(BM_SETIMAGE, IMAGE_ICON, (LPARAM)hIcon); }
  HBITMAP SetBitmap(HBITMAP hBitmap) { return (HBITMAP)SendMessage(BM_SETIMAGE, IMAGE_BITMAP, (LPARAM)hBitmap); }
  virtual void DrawItem(LPDRAWITEMSTRUCT) {}
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

class CEdit : public CWnd {
  DECLARE_DYNAMIC(CEdit)
public:
  FW_CONTROL_CREATE(L"EDIT")
  void GetSel(int& nStart, int& nEnd) const { SendMessage(EM_GETSEL, (WPARAM)&nStart, (LPARAM)&nEnd); }
  void SetSel(int nStart, int nEnd, BOOL bNoScroll = FALSE) {
    SendMessage(EM_SETSEL, (WPARAM)nStart, nEnd); if (!bNoScroll) SendMessage(EM_SCROLLCARET); }
  void ReplaceSel(LPCWSTR lpszNewText, BOOL bCanUndo = FALSE) { SendMessage(EM_REPLACESEL, bCanUndo, (LPARAM)lpszNewText); }
  void SetLimitText(UINT nMax) { SendMessage(EM_SETLIMITTEXT, nMax); }
  void LimitText(int nChars = 0) { SendMessage(EM_LIMITTEXT, (WPARAM)nChars); }
  BOOL SetReadOnly(BOOL bReadOnly = TRUE) { return (BOOL)SendMessage(EM_SETREADONLY, bReadOnly); }
  int GetLineCount() const { return (int)SendMessage(EM_GETLINECOUNT); }
  BOOL GetModify() const { return (BOOL)SendMessage(EM_GETMODIFY); }
  void SetModify(BOOL bModified = TRUE) { SendMessage(EM_SETMODIFY, bModified); }
  BOOL Undo() { return (BOOL)SendMessage(EM_UNDO); }
  void Clear() { SendMessage(WM_CLEAR); }
  void Copy() { SendMessage(WM_COPY); }
  void Cut() { SendMessage(WM_CUT); }
  void Paste() { SendMessage(WM_PASTE); }
};

class CListBox : public CWnd {
  DECLARE_DYNAMIC(CListBox)
public:
  FW_CONTROL_CREATE(L"LISTBOX")
  int GetCount() const { return (int)SendMessage(LB_GETCOUNT); }
  int GetCurSel() const { return (int)SendMessage(LB_GETCURSEL); }
  int SetCurSel(int nSelect) { return (int)SendMessage(LB_SETCURSEL, (WPARAM)nSelect); }
  int AddString(LPCWSTR s) { return (int)SendMessage(LB_ADDSTRING, 0, (LPARAM)s); }
  int InsertString(int nIndex, LPCWSTR s) { return (int)SendMessage(LB_INSERTSTRING, (WPARAM)nIndex, (LPARAM)s); }
  int DeleteString(UINT nIndex) { return (int)SendMessage(LB_DELETESTRING, nIndex); }
  void ResetContent() { SendMessage(LB_RESETCONTENT); }
  int FindString(int nStartAfter, LPCWSTR s) const { return (int)SendMessage(LB_FINDSTRING, (WPARAM)nStartAfter, (LPARAM)s); }
  int FindStringExact(int nStartAfter, LPCWSTR s) const { return (int)SendMessage(LB_FINDSTRINGEXACT, (WPARAM)nStartAfter, (LPARAM)s); }
  void GetText(int nIndex, CString& rString) const;
  int GetTextLen(int nIndex) const { return (int)SendMessage(LB_GETTEXTLEN, (WPARAM)nIndex); }
  DWORD_PTR GetItemData(int nIndex) const { return (DWORD_PTR)SendMessage(LB_GETITEMDATA, (WPARAM)nIndex); }
  int SetItemData(int nIndex, DWORD_PTR dwItemData) { return (int)SendMessage(LB_SETITEMDATA, (WPARAM)nIndex, (LPARAM)dwItemData); }
  void* GetItemDataPtr(int nIndex) const { return (void*)GetItemData(nIndex); }
  int SetItemDataPtr(int nIndex, void* pData) { return SetItemData(nIndex, (DWORD_PTR)pData); }
  int GetSel(int nIndex) const { return (int)SendMessage(LB_GETSEL, (WPARAM)nIndex); }
  int SetSel(int nIndex, BOOL bSelect = TRUE) { return (int)SendMessage(LB_SETSEL, bSelect, nIndex); }
  int GetTopIndex() const { return (int)SendMessage(LB_GETTOPINDEX); }
  int SetTopIndex(int nIndex) { return (int)SendMessage(LB_SETTOPINDEX, (WPARAM)nIndex); }
  int GetItemRect(int nIndex, LPRECT lpRect) const { return (int)SendMessage(LB_GETITEMRECT, (WPARAM)nIndex, (LPARAM)lpRect); }
  int SetItemHeight(int nIndex, UINT cyItemHeight) { return (int)SendMessage(LB_SETITEMHEIGHT, (WPARAM)nIndex, cyItemHeight); }
  int GetItemHeight(int nIndex) const { return (int)SendMessage(LB_GETITEMHEIGHT, (WPARAM)nIndex); }
  int GetCaretIndex() const { return (int)SendMessage(LB_GETCARETINDEX); }
  UINT ItemFromPoint(CPoint pt, BOOL& bOutside) const {
    DWORD d = (DWORD)SendMessage(LB_ITEMFROMPOINT, 0, MAKELPARAM(pt.x, pt.y)); bOutside = HIWORD(d) != 0; return LOWORD(d); }
  // Owner-drawn lists draw, measure, compare and forget their items here (the parent reflects them).
  virtual void DrawItem(LPDRAWITEMSTRUCT) {}
  virtual void MeasureItem(LPMEASUREITEMSTRUCT) {}
  virtual int CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }
  virtual void DeleteItem(LPDELETEITEMSTRUCT) {}
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

class CComboBox : public CWnd {
  DECLARE_DYNAMIC(CComboBox)
public:
  FW_CONTROL_CREATE(L"COMBOBOX")
  int GetCount() const { return (int)SendMessage(CB_GETCOUNT); }
  int GetCurSel() const { return (int)SendMessage(CB_GETCURSEL); }
  int SetCurSel(int nSelect) { return (int)SendMessage(CB_SETCURSEL, (WPARAM)nSelect); }
  int AddString(LPCWSTR s) { return (int)SendMessage(CB_ADDSTRING, 0, (LPARAM)s); }
  int InsertString(int nIndex, LPCWSTR s) { return (int)SendMessage(CB_INSERTSTRING, (WPARAM)nIndex, (LPARAM)s); }
  int DeleteString(UINT nIndex) { return (int)SendMessage(CB_DELETESTRING, nIndex); }
  void ResetContent() { SendMessage(CB_RESETCONTENT); }
  int FindString(int nStartAfter, LPCWSTR s) const { return (int)SendMessage(CB_FINDSTRING, (WPARAM)nStartAfter, (LPARAM)s); }
  int FindStringExact(int nStartAfter, LPCWSTR s) const { return (int)SendMessage(CB_FINDSTRINGEXACT, (WPARAM)nStartAfter, (LPARAM)s); }
  int SelectString(int nStartAfter, LPCWSTR s) { return (int)SendMessage(CB_SELECTSTRING, (WPARAM)nStartAfter, (LPARAM)s); }
  void GetLBText(int nIndex, CString& rString) const;
  int GetLBTextLen(int nIndex) const { return (int)SendMessage(CB_GETLBTEXTLEN, (WPARAM)nIndex); }
  DWORD_PTR GetItemData(int nIndex) const { return (DWORD_PTR)SendMessage(CB_GETITEMDATA, (WPARAM)nIndex); }
  int SetItemData(int nIndex, DWORD_PTR d) { return (int)SendMessage(CB_SETITEMDATA, (WPARAM)nIndex, (LPARAM)d); }
  void* GetItemDataPtr(int nIndex) const { return (void*)GetItemData(nIndex); }
  int SetItemDataPtr(int nIndex, void* pData) { return SetItemData(nIndex, (DWORD_PTR)pData); }
  BOOL LimitText(int nMaxChars) { return (BOOL)SendMessage(CB_LIMITTEXT, (WPARAM)nMaxChars); }
  void ShowDropDown(BOOL bShow = TRUE) { SendMessage(CB_SHOWDROPDOWN, bShow); }
  BOOL GetDroppedState() const { return (BOOL)SendMessage(CB_GETDROPPEDSTATE); }
  DWORD GetEditSel() const { return (DWORD)SendMessage(CB_GETEDITSEL); }
  BOOL SetEditSel(int nStart, int nEnd) { return (BOOL)SendMessage(CB_SETEDITSEL, 0, MAKELONG(nStart, nEnd)); }
  int SetItemHeight(int nIndex, UINT cyItemHeight) { return (int)SendMessage(CB_SETITEMHEIGHT, (WPARAM)nIndex, cyItemHeight); }
  int GetItemHeight(int nIndex) const { return (int)SendMessage(CB_GETITEMHEIGHT, (WPARAM)nIndex); }
  // Owner-drawn combo boxes draw, measure, compare and forget their items here.
  virtual void DrawItem(LPDRAWITEMSTRUCT) {}
  virtual void MeasureItem(LPMEASUREITEMSTRUCT) {}
  virtual int CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }
  virtual void DeleteItem(LPDELETEITEMSTRUCT) {}
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

class CScrollBar : public CWnd {
  DECLARE_DYNAMIC(CScrollBar)
public:
  FW_CONTROL_CREATE(L"SCROLLBAR")
  int GetScrollPos() const { return ::GetScrollPos(m_hWnd, SB_CTL); }
  int SetScrollPos(int nPos, BOOL bRedraw = TRUE) { return ::SetScrollPos(m_hWnd, SB_CTL, nPos, bRedraw); }
  void SetScrollRange(int nMin, int nMax, BOOL bRedraw = TRUE) { ::SetScrollRange(m_hWnd, SB_CTL, nMin, nMax, bRedraw); }
  BOOL SetScrollInfo(LPSCROLLINFO p, BOOL bRedraw = TRUE) { p->cbSize = sizeof(*p); ::SetScrollInfo(m_hWnd, SB_CTL, p, bRedraw); return TRUE; }
  BOOL GetScrollInfo(LPSCROLLINFO p, UINT nMask = SIF_ALL) { p->cbSize = sizeof(*p); p->fMask = nMask; return ::GetScrollInfo(m_hWnd, SB_CTL, p); }
};

class CSpinButtonCtrl : public CWnd {
  DECLARE_DYNAMIC(CSpinButtonCtrl)
public:
  FW_CONTROL_CREATE(UPDOWN_CLASSW)
  void SetRange(int nLower, int nUpper) { SendMessage(UDM_SETRANGE32, (WPARAM)nLower, nUpper); }
  int SetPos(int nPos) { return (int)SendMessage(UDM_SETPOS32, 0, nPos); }
  int GetPos() const { return (int)SendMessage(UDM_GETPOS32); }
  CWnd* SetBuddy(CWnd* pWndBuddy) { return CWnd::FromHandle((HWND)SendMessage(UDM_SETBUDDY, (WPARAM)pWndBuddy->GetSafeHwnd())); }
};

class CHotKeyCtrl : public CWnd {
  DECLARE_DYNAMIC(CHotKeyCtrl)
public:
  FW_CONTROL_CREATE(HOTKEY_CLASSW)
  void SetHotKey(WORD wVirtualKeyCode, WORD wModifiers) { SendMessage(HKM_SETHOTKEY, MAKEWORD(wVirtualKeyCode, wModifiers)); }
  DWORD GetHotKey() const { return (DWORD)SendMessage(HKM_GETHOTKEY); }
  void GetHotKey(WORD& wVirtualKeyCode, WORD& wModifiers) const {
    DWORD d = GetHotKey(); wVirtualKeyCode = LOBYTE(LOWORD(d)); wModifiers = HIBYTE(LOWORD(d)); }
  void SetRules(WORD wInvalidComb, WORD wModifiers) { SendMessage(HKM_SETRULES, wInvalidComb, MAKELPARAM(wModifiers, 0)); }
};

class CProgressCtrl : public CWnd {
  DECLARE_DYNAMIC(CProgressCtrl)
public:
  FW_CONTROL_CREATE(PROGRESS_CLASSW)
  void SetRange32(int nLower, int nUpper) { SendMessage(PBM_SETRANGE32, (WPARAM)nLower, nUpper); }
  int SetPos(int nPos) { return (int)SendMessage(PBM_SETPOS, (WPARAM)nPos); }
  int GetPos() const { return (int)SendMessage(PBM_GETPOS); }
};

class CToolTipCtrl : public CWnd {
  DECLARE_DYNAMIC(CToolTipCtrl)
public:
  BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);
  BOOL AddTool(CWnd* pWnd, LPCWSTR lpszText, LPCRECT lpRectTool = nullptr, UINT_PTR nIDTool = 0);
  void DelTool(CWnd* pWnd, UINT_PTR nIDTool = 0);
  void UpdateTipText(LPCWSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool = 0);
  void Activate(BOOL bActivate) { SendMessage(TTM_ACTIVATE, bActivate); }
  void RelayEvent(LPMSG lpMsg) { SendMessage(TTM_RELAYEVENT, 0, (LPARAM)lpMsg); }
  void SetMaxTipWidth(int n) { SendMessage(TTM_SETMAXTIPWIDTH, 0, n); }
  void SetDelayTime(UINT nDelay) { SendMessage(TTM_SETDELAYTIME, TTDT_AUTOMATIC, (LPARAM)nDelay); }
  void Pop() { SendMessage(TTM_POP); }
  // The tool's rectangle (in pWnd's client coordinates) and record; the text is not fetched.
  void SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect);
  BOOL GetToolInfo(TOOLINFOW& toolInfo, CWnd* pWnd, UINT_PTR nIDTool = 0) const;
};

// The tooltip control the framework shows tools of this thread's windows in (null until a window
// with tooltips enabled first needed it).
CToolTipCtrl* AfxGetThreadToolTip();

class CTabCtrl : public CWnd {
  DECLARE_DYNAMIC(CTabCtrl)
public:
  FW_CONTROL_CREATE(WC_TABCONTROLW)
  int GetItemCount() const { return (int)SendMessage(TCM_GETITEMCOUNT); }
  int GetCurSel() const { return (int)SendMessage(TCM_GETCURSEL); }
  int SetCurSel(int nItem) { return (int)SendMessage(TCM_SETCURSEL, (WPARAM)nItem); }
  LONG InsertItem(int nItem, LPCWSTR lpszItem) {
    TCITEMW item = {}; item.mask = TCIF_TEXT; item.pszText = const_cast<LPWSTR>(lpszItem);
    return (LONG)SendMessage(TCM_INSERTITEMW, (WPARAM)nItem, (LPARAM)&item); }
  BOOL DeleteItem(int nItem) { return (BOOL)SendMessage(TCM_DELETEITEM, (WPARAM)nItem); }
  BOOL DeleteAllItems() { return (BOOL)SendMessage(TCM_DELETEALLITEMS); }
  void AdjustRect(BOOL bLarger, LPRECT lpRect) { SendMessage(TCM_ADJUSTRECT, bLarger, (LPARAM)lpRect); }
  BOOL GetItemRect(int nItem, LPRECT lpRect) const { return (BOOL)SendMessage(TCM_GETITEMRECT, (WPARAM)nItem, (LPARAM)lpRect); }
  BOOL GetItem(int nItem, TCITEMW* pTabCtrlItem) const { return (BOOL)SendMessage(TCM_GETITEMW, (WPARAM)nItem, (LPARAM)pTabCtrlItem); }
  BOOL SetItem(int nItem, TCITEMW* pTabCtrlItem) { return (BOOL)SendMessage(TCM_SETITEMW, (WPARAM)nItem, (LPARAM)pTabCtrlItem); }
  LONG InsertItem(int nItem, TCITEMW* pTabCtrlItem) { return (LONG)SendMessage(TCM_INSERTITEMW, (WPARAM)nItem, (LPARAM)pTabCtrlItem); }
  int GetRowCount() const { return (int)SendMessage(TCM_GETROWCOUNT); }
  int HitTest(TCHITTESTINFO* pHitTestInfo) const { return (int)SendMessage(TCM_HITTEST, 0, (LPARAM)pHitTestInfo); }
  CImageList* SetImageList(CImageList* pImageList) {
    return CImageList::FromHandle((HIMAGELIST)SendMessage(TCM_SETIMAGELIST, 0, (LPARAM)pImageList->GetSafeHandle())); }
};

class CListCtrl : public CWnd {
  DECLARE_DYNAMIC(CListCtrl)
public:
  FW_CONTROL_CREATE(WC_LISTVIEWW)
  int GetItemCount() const { return (int)SendMessage(LVM_GETITEMCOUNT); }
  int InsertColumn(int nCol, LPCWSTR lpszHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1, int nSubItem = -1);
  int InsertItem(int nItem, LPCWSTR lpszItem);
  BOOL SetItemText(int nItem, int nSubItem, LPCWSTR lpszText);
  CString GetItemText(int nItem, int nSubItem) const;
  BOOL DeleteItem(int nItem) { return (BOOL)SendMessage(LVM_DELETEITEM, (WPARAM)nItem); }
  BOOL DeleteAllItems() { return (BOOL)SendMessage(LVM_DELETEALLITEMS); }
  int GetNextItem(int nItem, int nFlags) const { return (int)SendMessage(LVM_GETNEXTITEM, (WPARAM)nItem, MAKELPARAM(nFlags, 0)); }
  BOOL SetItemState(int nItem, UINT nState, UINT nMask);
  UINT GetItemState(int nItem, UINT nMask) const { return (UINT)SendMessage(LVM_GETITEMSTATE, (WPARAM)nItem, nMask); }
  BOOL SetItemData(int nItem, DWORD_PTR dwData);
  DWORD_PTR GetItemData(int nItem) const;
  DWORD SetExtendedStyle(DWORD dwNewStyle) { return (DWORD)SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, (LPARAM)dwNewStyle); }
  CImageList* SetImageList(CImageList* pImageList, int nImageListType) {
    return CImageList::FromHandle((HIMAGELIST)SendMessage(LVM_SETIMAGELIST, (WPARAM)nImageListType, (LPARAM)pImageList->GetSafeHandle())); }
  BOOL EnsureVisible(int nItem, BOOL bPartialOK) { return (BOOL)SendMessage(LVM_ENSUREVISIBLE, (WPARAM)nItem, bPartialOK); }
  // An item with its image and data (mask LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM and the state bits given).
  int InsertItem(UINT nMask, int nItem, LPCWSTR lpszItem, UINT nState, UINT nStateMask, int nImage, LPARAM lParam);
  int InsertItem(int nItem, LPCWSTR lpszItem, int nImage) { return InsertItem(LVIF_TEXT | LVIF_IMAGE, nItem, lpszItem, 0, 0, nImage, 0); }
  int InsertItem(const LVITEMW* pItem) { return (int)SendMessage(LVM_INSERTITEMW, 0, (LPARAM)pItem); }
  BOOL GetItem(LVITEMW* pItem) const { return (BOOL)SendMessage(LVM_GETITEMW, 0, (LPARAM)pItem); }
  BOOL SetItem(const LVITEMW* pItem) { return (BOOL)SendMessage(LVM_SETITEMW, 0, (LPARAM)pItem); }
  BOOL SetColumnWidth(int nCol, int cx) { return (BOOL)SendMessage(LVM_SETCOLUMNWIDTH, (WPARAM)nCol, MAKELPARAM(cx, 0)); }
  int GetColumnWidth(int nCol) const { return (int)SendMessage(LVM_GETCOLUMNWIDTH, (WPARAM)nCol); }
  int GetStringWidth(LPCWSTR lpsz) const { return (int)SendMessage(LVM_GETSTRINGWIDTHW, 0, (LPARAM)lpsz); }
  CEdit* EditLabel(int nItem) { return (CEdit*)CWnd::FromHandle((HWND)SendMessage(LVM_EDITLABELW, (WPARAM)nItem)); }
  CEdit* GetEditControl() const { return (CEdit*)CWnd::FromHandle((HWND)SendMessage(LVM_GETEDITCONTROL)); }
  int HitTest(LVHITTESTINFO* pHitTestInfo) const { return (int)SendMessage(LVM_HITTEST, 0, (LPARAM)pHitTestInfo); }
  int HitTest(CPoint pt, UINT* pFlags = nullptr) const;
  // The item's rectangle: nCode LVIR_BOUNDS, LVIR_ICON, LVIR_LABEL or LVIR_SELECTBOUNDS.
  BOOL GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const {
    lpRect->left = (LONG)nCode; return (BOOL)SendMessage(LVM_GETITEMRECT, (WPARAM)nItem, (LPARAM)lpRect); }
  CImageList* GetImageList(int nImageListType) const {
    return CImageList::FromHandle((HIMAGELIST)SendMessage(LVM_GETIMAGELIST, (WPARAM)nImageListType)); }
  int GetTopIndex() const { return (int)SendMessage(LVM_GETTOPINDEX); }
  int GetSelectedCount() const { return (int)SendMessage(LVM_GETSELECTEDCOUNT); }
};

class CTreeCtrl : public CWnd {
  DECLARE_DYNAMIC(CTreeCtrl)
public:
  FW_CONTROL_CREATE(WC_TREEVIEWW)
  HTREEITEM InsertItem(LPCWSTR lpszItem, HTREEITEM hParent = TVI_ROOT, HTREEITEM hInsertAfter = TVI_LAST);
  BOOL DeleteItem(HTREEITEM hItem) { return (BOOL)SendMessage(TVM_DELETEITEM, 0, (LPARAM)hItem); }
  BOOL DeleteAllItems() { return (BOOL)SendMessage(TVM_DELETEITEM, 0, (LPARAM)TVI_ROOT); }
  HTREEITEM GetNextItem(HTREEITEM hItem, UINT nCode) const { return (HTREEITEM)SendMessage(TVM_GETNEXTITEM, nCode, (LPARAM)hItem); }
  HTREEITEM GetSelectedItem() const { return GetNextItem(nullptr, TVGN_CARET); }
  HTREEITEM GetRootItem() const { return GetNextItem(nullptr, TVGN_ROOT); }
  HTREEITEM GetChildItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_CHILD); }
  HTREEITEM GetNextSiblingItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_NEXT); }
  BOOL SelectItem(HTREEITEM hItem) { return (BOOL)SendMessage(TVM_SELECTITEM, TVGN_CARET, (LPARAM)hItem); }
  BOOL Expand(HTREEITEM hItem, UINT nCode) { return (BOOL)SendMessage(TVM_EXPAND, nCode, (LPARAM)hItem); }
  CString GetItemText(HTREEITEM hItem) const;
  BOOL SetItemData(HTREEITEM hItem, DWORD_PTR dwData);
  DWORD_PTR GetItemData(HTREEITEM hItem) const;
  // An item with images (I_IMAGECALLBACK asks the parent through TVN_GETDISPINFO) and data.
  HTREEITEM InsertItem(UINT nMask, LPCWSTR lpszItem, int nImage, int nSelectedImage, UINT nState, UINT nStateMask,
                       LPARAM lParam, HTREEITEM hParent, HTREEITEM hInsertAfter);
  HTREEITEM InsertItem(LPCWSTR lpszItem, int nImage, int nSelectedImage, HTREEITEM hParent = TVI_ROOT,
                       HTREEITEM hInsertAfter = TVI_LAST) {
    return InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE, lpszItem, nImage, nSelectedImage, 0, 0, 0, hParent, hInsertAfter); }
  HTREEITEM InsertItem(LPTVINSERTSTRUCTW lpInsertStruct) { return (HTREEITEM)SendMessage(TVM_INSERTITEMW, 0, (LPARAM)lpInsertStruct); }
  CImageList* SetImageList(CImageList* pImageList, int nImageListType) {
    return CImageList::FromHandle((HIMAGELIST)SendMessage(TVM_SETIMAGELIST, (WPARAM)nImageListType, (LPARAM)pImageList->GetSafeHandle())); }
  CImageList* GetImageList(int nImageListType) const {
    return CImageList::FromHandle((HIMAGELIST)SendMessage(TVM_GETIMAGELIST, (WPARAM)nImageListType)); }
  BOOL EnsureVisible(HTREEITEM hItem) { return (BOOL)SendMessage(TVM_ENSUREVISIBLE, 0, (LPARAM)hItem); }
  HTREEITEM GetParentItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PARENT); }
  UINT GetItemState(HTREEITEM hItem, UINT nStateMask) const { return (UINT)SendMessage(TVM_GETITEMSTATE, (WPARAM)hItem, nStateMask); }
  UINT GetCount() const { return (UINT)SendMessage(TVM_GETCOUNT); }
  BOOL GetItemRect(HTREEITEM hItem, LPRECT lpRect, BOOL bTextOnly) const {
    *(HTREEITEM*)lpRect = hItem; return (BOOL)SendMessage(TVM_GETITEMRECT, (WPARAM)bTextOnly, (LPARAM)lpRect); }
};
