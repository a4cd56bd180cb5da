#include "looks/UfxExternalToolsPage.h"
#include "bars/UfxUserTool.h"
#include "frames/UfxUserToolsManager.h"
#include "looks/UfxToolbarCustomize.h"

IMPLEMENT_DYNCREATE(CUfxExternalToolsPage, CPropertyPage)

// ---- the list's notifications ------------------------------------------------------------------------

void CUfxToolsListCtrl::OnSelectionChanged() {
  if (m_pParent != nullptr) m_pParent->OnSelectionChanged();
}

BOOL CUfxToolsListCtrl::OnBeforeRemoveItem(int iItem) {
  CUfxUserTool* pTool = m_pParent != nullptr ? m_pParent->ToolOf(iItem) : nullptr;
  if (pTool == nullptr || UfxUserToolsManager == nullptr) return TRUE;
  // A tool goes only when the user says so.
  CString strQuestion;
  AfxFormatString1(strQuestion, CUfxExternalToolsPage::kMsgDeleteTool, pTool->m_strLabel);
  if (AfxMessageBox(strQuestion, MB_YESNO | MB_ICONQUESTION) != IDYES) {
    ::MessageBeep((UINT)-1);
    return FALSE;
  }
  UfxUserToolsManager->RemoveTool(pTool);
  m_pParent->m_pSelTool = nullptr;
  return TRUE;
}

void CUfxToolsListCtrl::OnAfterAddItem(int iItem) {
  if (m_pParent == nullptr) return;
  CUfxUserTool* pTool = m_pParent->CreateNewTool();
  if (pTool == nullptr) {
    RemoveItem(iItem);
  } else {
    pTool->m_strLabel = GetItemText(iItem);
    SetItemData(iItem, (DWORD_PTR)pTool);
  }
  m_pParent->OnSelectionChanged();
}

void CUfxToolsListCtrl::OnAfterRenameItem(int iItem) {
  if (CUfxUserTool* pTool = m_pParent != nullptr ? m_pParent->ToolOf(iItem) : nullptr) pTool->m_strLabel = GetItemText(iItem);
}

void CUfxToolsListCtrl::OnAfterMoveItemUp(int iItem) {
  CUfxUserTool* pTool = m_pParent != nullptr ? m_pParent->ToolOf(iItem) : nullptr;
  if (pTool != nullptr && UfxUserToolsManager != nullptr) UfxUserToolsManager->MoveToolUp(pTool);
}

void CUfxToolsListCtrl::OnAfterMoveItemDown(int iItem) {
  CUfxUserTool* pTool = m_pParent != nullptr ? m_pParent->ToolOf(iItem) : nullptr;
  if (pTool != nullptr && UfxUserToolsManager != nullptr) UfxUserToolsManager->MoveToolDown(pTool);
}

// ---- the page ------------------------------------------------------------------------------------------------

CUfxExternalToolsPage::CUfxExternalToolsPage() : CPropertyPage(IDD) { m_wndToolsList.m_pParent = this; }

CUfxExternalToolsPage::~CUfxExternalToolsPage() = default;

void CUfxExternalToolsPage::DoDataExchange(CDataExchange* pDX) {
  CPropertyPage::DoDataExchange(pDX);
  DDX_Text(pDX, kCommand, m_strCommand);
  DDX_Text(pDX, kArguments, m_strArguments);
  DDX_Text(pDX, kInitialDir, m_strInitialDirectory);
}

CUfxUserTool* CUfxExternalToolsPage::ToolOf(int iItem) const {
  if (iItem < 0 || iItem >= m_wndToolsList.GetCount()) return nullptr;
  return (CUfxUserTool*)m_wndToolsList.GetItemData(iItem);
}

BOOL CUfxExternalToolsPage::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  m_wndInitialDirBtn.SubclassDlgItem(kInitialDirMenu, this);
  m_wndArgumentsBtn.SubclassDlgItem(kArgumentsMenu, this);
  m_wndArgumentsEdit.SubclassDlgItem(kArguments, this);
  m_wndInitialDirEdit.SubclassDlgItem(kInitialDir, this);
  m_wndCommandEdit.SubclassDlgItem(kCommand, this);
  m_wndBrowseBtn.SubclassDlgItem(kBrowse, this);
  m_wndToolsList.SubclassDlgItem(kToolsList, this);

  m_pParentSheet = DYNAMIC_DOWNCAST(CUfxToolbarCustomize, GetParent());
  m_wndToolsList.SetStandardButtons();  // new, delete, up and down
  if (m_pParentSheet != nullptr) m_pParentSheet->OnInitToolsPage();

  if (UfxUserToolsManager != nullptr) {
    const CObList& tools = UfxUserToolsManager->GetUserTools();
    for (POSITION pos = tools.GetHeadPosition(); pos != nullptr;) {
      CUfxUserTool* pTool = (CUfxUserTool*)tools.GetNext(pos);
      m_wndToolsList.AddItem(pTool->m_strLabel, (DWORD_PTR)pTool);
    }
    LoadButtonMenu(m_wndArgumentsBtn, m_menuArguments, UfxUserToolsManager->GetArgumentsMenuID());
    LoadButtonMenu(m_wndInitialDirBtn, m_menuInitialDir, UfxUserToolsManager->GetInitialDirMenuID());
  }
  OnSelectionChanged();
  return TRUE;
}

void CUfxExternalToolsPage::LoadButtonMenu(CUfxMenuButton& button, CMenu& menu, UINT uiMenuId) {
  button.m_bRightArrow = TRUE;
  if (uiMenuId == 0 || !menu.LoadMenu(uiMenuId)) return;
  button.ShowWindow(SW_SHOW);
  CMenu* pPopup = menu.GetSubMenu(0);
  button.m_hMenu = pPopup != nullptr ? pPopup->GetSafeHmenu() : menu.GetSafeHmenu();
}

void CUfxExternalToolsPage::EnableControls() {
  const BOOL bTool = m_pSelTool != nullptr;
  m_wndCommandEdit.EnableWindow(bTool);
  m_wndArgumentsEdit.EnableWindow(bTool);
  m_wndInitialDirEdit.EnableWindow(bTool);
  m_wndBrowseBtn.EnableWindow(bTool);
  m_wndArgumentsBtn.EnableWindow(bTool);
  m_wndInitialDirBtn.EnableWindow(bTool);
}

void CUfxExternalToolsPage::OnSelectionChanged() {
  m_pSelTool = ToolOf(m_wndToolsList.GetSelItem());
  if (m_pSelTool != nullptr) {
    m_strCommand = m_pSelTool->GetCommand();
    m_strArguments = m_pSelTool->m_strArguments;
    m_strInitialDirectory = m_pSelTool->m_strInitialDirectory;
  } else {
    m_strCommand.Empty();
    m_strArguments.Empty();
    m_strInitialDirectory.Empty();
  }
  // Filling the edits raises their change notifications: they must not write back half the tool.
  m_bFilling = TRUE;
  UpdateData(FALSE);
  m_bFilling = FALSE;
  EnableControls();
}

CUfxUserTool* CUfxExternalToolsPage::CreateNewTool() {
  if (UfxUserToolsManager == nullptr) return nullptr;
  const int nMaxTools = UfxUserToolsManager->GetMaxTools();
  if (UfxUserToolsManager->GetUserTools().GetCount() == nMaxTools) {
    CString strMessage;
    strMessage.Format(CString(MAKEINTRESOURCEW(kMsgTooManyTools)), nMaxTools);
    AfxMessageBox(strMessage, MB_OK | MB_ICONINFORMATION);
    return nullptr;
  }
  return UfxUserToolsManager->CreateNewTool();
}

// ---- editing the selected tool ------------------------------------------------------------------------------

BOOL CUfxExternalToolsPage::OnCommand(WPARAM wParam, LPARAM lParam) {
  const UINT uiID = LOWORD(wParam);
  const UINT uiCode = HIWORD(wParam);
  if ((uiID == kCommand || uiID == kArguments || uiID == kInitialDir) && uiCode == EN_UPDATE) {
    OnUpdateTool();
    return TRUE;
  }
  if (uiCode == BN_CLICKED) {
    switch (uiID) {
      case kBrowse: OnBrowse(); return TRUE;
      case kArgumentsMenu: OnMenuButton(m_wndArgumentsBtn, m_wndArgumentsEdit); return TRUE;
      case kInitialDirMenu: OnMenuButton(m_wndInitialDirBtn, m_wndInitialDirEdit); return TRUE;
    }
  }
  return CPropertyPage::OnCommand(wParam, lParam);
}

void CUfxExternalToolsPage::OnUpdateTool() {
  if (m_bFilling) return;
  UpdateData(TRUE);
  if (m_pSelTool != nullptr) {
    m_pSelTool->SetCommand(m_strCommand);
    m_pSelTool->m_strArguments = m_strArguments;
    m_pSelTool->m_strInitialDirectory = m_strInitialDirectory;
  } else if (!m_strCommand.IsEmpty() || !m_strArguments.IsEmpty() || !m_strInitialDirectory.IsEmpty()) {
    m_strCommand.Empty();
    m_strArguments.Empty();
    m_strInitialDirectory.Empty();
    m_bFilling = TRUE;
    UpdateData(FALSE);
    m_bFilling = FALSE;
  }
}

void CUfxExternalToolsPage::OnBrowse() {
  if (UfxUserToolsManager == nullptr) return;
  CFileDialog dlg(TRUE, UfxUserToolsManager->m_strDefExt, nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST,
                  UfxUserToolsManager->m_strFilter, this);
  if (dlg.DoModal() != IDOK) return;
  m_strCommand = dlg.GetPathName();
  m_bFilling = TRUE;
  UpdateData(FALSE);
  m_bFilling = FALSE;
  OnUpdateTool();
}

void CUfxExternalToolsPage::OnMenuButton(CUfxMenuButton& button, CEdit& edit) {
  if (button.m_nMenuResult == 0) return;
  CString strText;
  if (!strText.LoadString(button.m_nMenuResult)) return;
  edit.SetFocus();
  for (int i = 0; i < strText.GetLength(); i++) edit.SendMessage(WM_CHAR, (WPARAM)strText[i]);
}

BOOL CUfxExternalToolsPage::OnKillActive() {
  if (!CPropertyPage::OnKillActive()) return FALSE;
  if (m_pParentSheet == nullptr || UfxUserToolsManager == nullptr) return TRUE;
  return m_pParentSheet->CheckToolsValidity(UfxUserToolsManager->GetUserTools());
}
