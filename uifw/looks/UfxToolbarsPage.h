// CUfxToolbarsPage: the customization sheet's page of toolbars: a check shows or hides a toolbar;
// buttons reset one toolbar or all, switch text labels, and make, rename and delete toolbars of
// the user's own.
#pragma once
#include "Framework.h"
#include "looks/UfxBarCheckList.h"

class CUfxToolBar;

class CUfxToolbarsPage : public CPropertyPage {
  DECLARE_DYNCREATE(CUfxToolbarsPage)
public:
  explicit CUfxToolbarsPage(CFrameWnd* pParentFrame = nullptr);
  void ShowToolBar(CUfxToolBar* pToolBar, BOOL bShow);
  void EnableUserDefinedToolbars(BOOL bEnable) { m_bUserDefinedToolbars = bEnable; }
  BOOL OnInitDialog() override;

  CUfxBarCheckList m_wndToolbarList;
  CUfxToolBar* m_pSelectedToolbar = nullptr;
  int m_bTextLabels = 0;

protected:
  void DoDataExchange(CDataExchange* pDX) override;
  afx_msg void OnSelchangeToolbarList();
  afx_msg void OnDblclkToolbarList();
  afx_msg void OnCheckChange();
  afx_msg void OnTextLabels();
  afx_msg void OnResetToolbar();
  afx_msg void OnResetAllToolbars();
  afx_msg void OnNewToolbar();
  afx_msg void OnRenameToolbar();
  afx_msg void OnDeleteToolbar();
  int FindItem(CUfxToolBar* pToolBar) const;
  // Lists a toolbar at the end, checked when visible, and selects it.
  int AddToolbarItem(CUfxToolBar* pToolBar, BOOL bSelect);
  CString ToolbarName(CUfxToolBar* pToolBar) const;
  void EnableControl(int nId, BOOL bEnable);

  CFrameWnd* m_pParentFrame = nullptr;
  BOOL m_bUserDefinedToolbars = FALSE;
  DECLARE_MESSAGE_MAP()
};
