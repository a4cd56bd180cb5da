// CUfxExternalToolsPage: the customization sheet's page on which the user edits the user tools:
// adds, removes, renames and reorders them and sets each tool's program, arguments and initial
// directory. Every change goes straight to the user-tools manager's tool.
#pragma once
#include "Framework.h"
#include "FwPropSheet.h"
#include "looks/UfxListEditorCtrl.h"
#include "looks/UfxMenuButton.h"

class CUfxToolbarCustomize;
class CUfxUserTool;
class CUfxExternalToolsPage;

// The tools list: an edit list whose notifications go to the page.
class CUfxToolsListCtrl : public CUfxListEditorCtrl {
public:
  CUfxExternalToolsPage* m_pParent = nullptr;

  int OnGetImage(LV_ITEMW* pItem) override { return -1; }
  void OnSelectionChanged() override;
  BOOL OnBeforeRemoveItem(int iItem) override;
  void OnAfterAddItem(int iItem) override;
  void OnAfterRenameItem(int iItem) override;
  void OnAfterMoveItemUp(int iItem) override;
  void OnAfterMoveItemDown(int iItem) override;
};

class CUfxExternalToolsPage : public CPropertyPage {
  DECLARE_DYNCREATE(CUfxExternalToolsPage)
  friend class CUfxToolsListCtrl;
public:
  static const UINT IDD = 16928;
  static const UINT kToolsList = 16921;
  static const UINT kCommand = 16922;
  static const UINT kBrowse = 16923;
  static const UINT kArguments = 16924;
  static const UINT kInitialDir = 16925;
  static const UINT kArgumentsMenu = 16989;
  static const UINT kInitialDirMenu = 16997;
  static const UINT kMsgTooManyTools = 16024;
  static const UINT kMsgDeleteTool = 16023;

  CUfxExternalToolsPage();
  ~CUfxExternalToolsPage() override;

  BOOL OnInitDialog() override;
  BOOL OnKillActive() override;

  CUfxUserTool* GetSelectedTool() const { return m_pSelTool; }
  CUfxToolsListCtrl& GetToolsList() { return m_wndToolsList; }

  // Fields, in this order.
  CUfxMenuButton m_wndInitialDirBtn;
  CUfxMenuButton m_wndArgumentsBtn;
  CEdit m_wndArgumentsEdit;
  CEdit m_wndInitialDirEdit;
  CEdit m_wndCommandEdit;
  CButton m_wndBrowseBtn;
  CUfxToolsListCtrl m_wndToolsList;
  CString m_strCommand;
  CString m_strArguments;
  CString m_strInitialDirectory;
  CUfxUserTool* m_pSelTool = nullptr;
  CUfxToolbarCustomize* m_pParentSheet = nullptr;
  CMenu m_menuArguments;
  CMenu m_menuInitialDir;
  BOOL m_bFilling = FALSE;  // the page itself is filling the edits

protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

  void EnableControls();
  void OnSelectionChanged();
  void OnUpdateTool();
  void OnBrowse();
  // Types the chosen menu command's string into the edit, one WM_CHAR at a time.
  void OnMenuButton(CUfxMenuButton& button, CEdit& edit);
  void LoadButtonMenu(CUfxMenuButton& button, CMenu& menu, UINT uiMenuId);
  // A new tool, or null (and message 16024) when the id range is full.
  CUfxUserTool* CreateNewTool();
  CUfxUserTool* ToolOf(int iItem) const;
};
