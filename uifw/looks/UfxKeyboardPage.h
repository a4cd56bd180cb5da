// CUfxKeyboardPage: the customization page on which the user gives commands shortcut keys and
// takes them away, per accelerator table (the frame's own and each document template's).
#pragma once
#include "Framework.h"
#include "looks/UfxShortcutEdit.h"
#include <vector>

class CUfxToolbarButton;

class CUfxKeyboardPage : public CPropertyPage {
  DECLARE_DYNCREATE(CUfxKeyboardPage)
public:
  explicit CUfxKeyboardPage(CFrameWnd* pParentFrame = nullptr, BOOL bAutoSet = FALSE);
  void SetAllCategory(LPCWSTR lpszCategory) { m_strAllCategory = lpszCategory != nullptr ? lpszCategory : L""; }
  BOOL OnInitDialog() override;

  CComboBox m_wndCategoryList;
  CListBox m_wndCommandsList;
  CListBox m_wndCurrentKeysList;
  CComboBox m_wndViewTypeList;
  CStatic m_wndViewIcon;
  CUfxShortcutEdit m_wndNewKey;
  CString m_strDescription;
  CString m_strAssignedTo;
  // The table being edited, as a copy of its entries.
  HACCEL m_hAccelTable = nullptr;
  std::vector<ACCEL> m_Accels;
  CDocTemplate* m_pSelTemplate = nullptr;
  CUfxToolbarButton* m_pSelButton = nullptr;
  int m_iSelEntry = -1;  // into m_Accels

protected:
  void DoDataExchange(CDataExchange* pDX) override;
  afx_msg void OnSelchangeCategory();
  afx_msg void OnSelchangeCommands();
  afx_msg void OnSelchangeCurrentKeys();
  afx_msg void OnSelchangeViewType();
  afx_msg void OnUpdateNewShortcut();
  afx_msg void OnAssign();
  afx_msg void OnRemove();
  afx_msg void OnResetAll();
  void ListKeysOfCommand();
  // Installs the copy as the table of the template (or the frame) and keeps the new handle.
  BOOL InstallTable();

  CFrameWnd* m_pParentFrame = nullptr;
  BOOL m_bAutoSet = FALSE;
  CString m_strAllCategory;
  DECLARE_MESSAGE_MAP()
};
