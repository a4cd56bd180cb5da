// CUfxListEditorCtrl: an edit list whose items stand in a one-column report list view and are
// edited in place.
#pragma once
#include "looks/UfxEditListBase.h"
#include "looks/UfxPathEdit.h"

class CUfxListEditorCtrl : public CUfxEditListBase {
  DECLARE_DYNAMIC(CUfxListEditorCtrl)
public:
  CUfxListEditorCtrl();
  ~CUfxListEditorCtrl() override;

  int AddItem(const CString& strText, DWORD_PTR dwData = 0, int iIndex = -1) override;
  BOOL RemoveItem(int iIndex) override;
  int GetCount() const override;
  int GetSelItem() const override;
  BOOL SelectItem(int iItem) override;
  CString GetItemText(int iIndex) const override;
  BOOL SetItemText(int iIndex, const CString& strText) override;
  DWORD_PTR GetItemData(int iIndex) const override;
  BOOL SetItemData(int iIndex, DWORD_PTR dwData) override;
  BOOL EditItem(int iIndex) override;
  void OnKey(UINT uiKey, UINT uiFlags) override;
  void OnEndEditLabel(LPCWSTR lpszLabel) override;
  void CreateNewItem() override;
  HWND GetListHwnd() const override { return m_pWndList != nullptr ? m_pWndList->GetSafeHwnd() : nullptr; }
  void CreateList() override;
  void AdjustColumnWidth() override;

  CListCtrl* GetList() const { return m_pWndList; }
  CUfxPathEdit& GetEdit() { return m_wndEdit; }

  // Fields, in this order.
  CListCtrl* m_pWndList = nullptr;
  CPoint m_ptClick = CPoint(-1, -1);
  CUfxPathEdit m_wndEdit;

  // A key of the list that is a button's key clicks the button before the list sees it.
  BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  void OnListKeyDown(UINT uiKey);
  // The button whose key this is with the modifiers held now, or -1.
  int FindKeyButton(UINT uiKey) const;
  // Click to edit: the press held back from the list, and the release that edits.
  BOOL HoldBackClick(CPoint point);
  BOOL EditOnRelease(CPoint point);
  afx_msg void OnDestroy();
  DECLARE_MESSAGE_MAP()
};
