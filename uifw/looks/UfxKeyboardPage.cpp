#include "looks/UfxKeyboardPage.h"
#include "bars/UfxToolbarButton.h"
#include "frames/UfxKeyboardManager.h"
#include "looks/UfxAccelText.h"
#include "looks/UfxCustomizeIds.h"
#include "looks/UfxToolbarCustomize.h"
#include "bars/UfxToolBar.h"
#include "FwMDI.h"
#include <algorithm>
#include <vector>

IMPLEMENT_DYNCREATE(CUfxKeyboardPage, CPropertyPage)

namespace {
const BYTE kKeyFlagsMask = FVIRTKEY | FSHIFT | FCONTROL | FALT;  // 0x1D
}

BEGIN_MESSAGE_MAP(CUfxKeyboardPage, CPropertyPage)
  ON_CBN_SELCHANGE(IDC_UFX_CATEGORIES, OnSelchangeCategory)
  ON_LBN_SELCHANGE(IDC_UFX_KEY_COMMANDS, OnSelchangeCommands)
  ON_LBN_SELCHANGE(IDC_UFX_CURRENT_KEYS, OnSelchangeCurrentKeys)
  ON_CBN_SELCHANGE(IDC_UFX_VIEW_TYPE, OnSelchangeViewType)
  ON_EN_UPDATE(IDC_UFX_NEW_SHORTCUT, OnUpdateNewShortcut)
  ON_BN_CLICKED(IDC_UFX_ASSIGN, OnAssign)
  ON_BN_CLICKED(IDC_UFX_REMOVE, OnRemove)
  ON_BN_CLICKED(IDC_UFX_RESET_KEYS, OnResetAll)
END_MESSAGE_MAP()

CUfxKeyboardPage::CUfxKeyboardPage(CFrameWnd* pParentFrame, BOOL bAutoSet)
    : CPropertyPage(IDD_UFX_KEYBOARD_PAGE), m_pParentFrame(pParentFrame), m_bAutoSet(bAutoSet) {}

void CUfxKeyboardPage::DoDataExchange(CDataExchange* pDX) {
  CPropertyPage::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_UFX_CATEGORIES, m_wndCategoryList);
  DDX_Control(pDX, IDC_UFX_KEY_COMMANDS, m_wndCommandsList);
  DDX_Control(pDX, IDC_UFX_CURRENT_KEYS, m_wndCurrentKeysList);
  DDX_Control(pDX, IDC_UFX_VIEW_TYPE, m_wndViewTypeList);
  DDX_Control(pDX, IDC_UFX_VIEW_ICON, m_wndViewIcon);
  DDX_Control(pDX, IDC_UFX_NEW_SHORTCUT, m_wndNewKey);
  DDX_Text(pDX, IDC_UFX_KEY_DESCRIPTION, m_strDescription);
  DDX_Text(pDX, IDC_UFX_ASSIGNED_TO, m_strAssignedTo);
}

BOOL CUfxKeyboardPage::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  if (CUfxToolbarCustomize* pSheet = DYNAMIC_DOWNCAST(CUfxToolbarCustomize, GetParent()))
    pSheet->FillCategoriesComboBox(m_wndCategoryList, FALSE);
  m_wndCategoryList.SetCurSel(0);
  if (m_bAutoSet) {
    std::vector<UINT> listed;
    CWinApp* pApp = AfxGetApp();
    for (POSITION pos = pApp != nullptr ? pApp->GetFirstDocTemplatePosition() : nullptr; pos != nullptr;) {
      CMultiDocTemplate* pTemplate = DYNAMIC_DOWNCAST(CMultiDocTemplate, pApp->GetNextDocTemplate(pos));
      if (pTemplate == nullptr || pTemplate->m_hAccelTable == nullptr) continue;
      if (std::find(listed.begin(), listed.end(), pTemplate->m_nIDResource) != listed.end()) continue;
      listed.push_back(pTemplate->m_nIDResource);
      CString strName;
      pTemplate->GetDocString(strName, CDocTemplate::fileNewName);
      const int i = m_wndViewTypeList.AddString(strName);
      m_wndViewTypeList.SetItemDataPtr(i, pTemplate);
    }
  }
  if (m_pParentFrame != nullptr && m_pParentFrame->m_hAccelTable != nullptr) {
    CString strFrame;
    strFrame.LoadString(IDS_UFX_VIEW_DEFAULT_FRAME);
    const int i = m_wndViewTypeList.AddString(strFrame);
    m_wndViewTypeList.SetItemDataPtr(i, nullptr);
    m_wndViewTypeList.SetCurSel(i);
  }
  if (m_wndViewTypeList.GetCurSel() < 0) m_wndViewTypeList.SetCurSel(0);
  OnSelchangeViewType();
  OnSelchangeCategory();
  return TRUE;
}

void CUfxKeyboardPage::OnSelchangeCategory() {
  m_wndCommandsList.ResetContent();
  m_wndNewKey.EnableWindow(FALSE);
  const int iCategory = m_wndCategoryList.GetCurSel();
  if (iCategory >= 0) {
    CString strCategory;
    m_wndCategoryList.GetLBText(iCategory, strCategory);
    const auto* pList = reinterpret_cast<const CUfxButtonList*>(m_wndCategoryList.GetItemDataPtr(iCategory));
    if (pList != nullptr) {
      const std::vector<CString> names = CUfxToolbarCustomize::DisplayNames(*pList, strCategory == m_strAllCategory);
      size_t iName = 0;
      for (POSITION pos = pList->GetHeadPosition(); pos != nullptr; ++iName) {
        CUfxToolbarButton* pButton = pList->GetNext(pos);
        if (pButton->m_nID == 0 || pButton->m_nID == (UINT)-1) continue;
        const int i = m_wndCommandsList.AddString(names[iName]);
        m_wndCommandsList.SetItemDataPtr(i, pButton);
      }
    }
  }
  m_wndCommandsList.SetCurSel(0);
  OnSelchangeCommands();
}

void CUfxKeyboardPage::OnSelchangeCommands() {
  m_strAssignedTo.Empty();
  m_wndCurrentKeysList.ResetContent();
  m_iSelEntry = -1;
  if (CWnd* pRemove = GetDlgItem(IDC_UFX_REMOVE)) pRemove->EnableWindow(FALSE);
  const int iCommand = m_wndCommandsList.GetCurSel();
  m_pSelButton = iCommand >= 0 ? reinterpret_cast<CUfxToolbarButton*>(m_wndCommandsList.GetItemDataPtr(iCommand)) : nullptr;
  if (m_pSelButton == nullptr) {
    m_wndNewKey.EnableWindow(FALSE);
    UpdateData(FALSE);
    return;
  }
  m_strDescription.Empty();
  if (m_pParentFrame != nullptr) m_pParentFrame->GetMessageString(m_pSelButton->m_nID, m_strDescription);
  ListKeysOfCommand();
  m_wndNewKey.EnableWindow(TRUE);
  UpdateData(FALSE);
}

void CUfxKeyboardPage::ListKeysOfCommand() {
  m_wndCurrentKeysList.ResetContent();
  if (m_pSelButton == nullptr) return;
  for (size_t i = 0; i < m_Accels.size(); i++) {
    if (m_Accels[i].cmd != (WORD)m_pSelButton->m_nID) continue;
    CString strKey;
    CUfxAccelText(&m_Accels[i]).Format(strKey);
    const int iItem = m_wndCurrentKeysList.AddString(strKey);
    m_wndCurrentKeysList.SetItemData(iItem, (DWORD_PTR)i);
  }
}

void CUfxKeyboardPage::OnSelchangeCurrentKeys() {
  const int iItem = m_wndCurrentKeysList.GetCurSel();
  m_iSelEntry = iItem >= 0 ? (int)m_wndCurrentKeysList.GetItemData(iItem) : -1;
  if (CWnd* pRemove = GetDlgItem(IDC_UFX_REMOVE)) pRemove->EnableWindow(m_iSelEntry >= 0);
}

void CUfxKeyboardPage::OnSelchangeViewType() {
  m_Accels.clear();
  m_hAccelTable = nullptr;
  m_pSelTemplate = nullptr;
  const int iView = m_wndViewTypeList.GetCurSel();
  if (iView < 0) {
    m_wndViewIcon.SetIcon(nullptr);
    return;
  }
  HICON hIcon = nullptr;
  m_pSelTemplate = reinterpret_cast<CDocTemplate*>(m_wndViewTypeList.GetItemDataPtr(iView));
  if (CMultiDocTemplate* pTemplate = DYNAMIC_DOWNCAST(CMultiDocTemplate, m_pSelTemplate)) {
    hIcon = ::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(pTemplate->m_nIDResource));
    m_hAccelTable = pTemplate->m_hAccelTable;
  } else if (m_pParentFrame != nullptr) {
    hIcon = (HICON)::GetClassLongPtrW(m_pParentFrame->GetSafeHwnd(), GCLP_HICON);
    m_hAccelTable = m_pParentFrame->m_hAccelTable;
  }
  if (hIcon == nullptr) hIcon = ::LoadIconW(nullptr, IDI_APPLICATION);
  m_wndViewIcon.SetIcon(hIcon);
  if (m_hAccelTable != nullptr) {
    const int nCount = ::CopyAcceleratorTableW(m_hAccelTable, nullptr, 0);
    m_Accels.resize(nCount > 0 ? nCount : 0);
    if (nCount > 0) ::CopyAcceleratorTableW(m_hAccelTable, m_Accels.data(), nCount);
  }
  ListKeysOfCommand();
}

void CUfxKeyboardPage::OnUpdateNewShortcut() {
  m_strAssignedTo.Empty();
  CWnd* pLabel = GetDlgItem(IDC_UFX_ASSIGNED_LABEL);
  if (pLabel != nullptr) pLabel->ShowWindow(SW_HIDE);
  if (CWnd* pAssign = GetDlgItem(IDC_UFX_ASSIGN)) pAssign->EnableWindow(FALSE);
  if (m_wndNewKey.IsKeyDefined()) {
    const ACCEL& key = m_wndNewKey.GetAccel();
    BOOL bTaken = FALSE;
    for (const ACCEL& entry : m_Accels) {
      if (entry.key != key.key || (entry.fVirt & kKeyFlagsMask) != (key.fVirt & kKeyFlagsMask)) continue;
      CUfxToolbarCustomize* pSheet = DYNAMIC_DOWNCAST(CUfxToolbarCustomize, GetParent());
      LPCWSTR lpszName = pSheet != nullptr ? pSheet->GetCommandName(entry.cmd) : nullptr;
      m_strAssignedTo = lpszName != nullptr ? lpszName : L"????";
      bTaken = TRUE;
      break;
    }
    if (!bTaken) {
      m_strAssignedTo.LoadString(IDS_UFX_CUSTOMIZE_EXISTS);
      if (CWnd* pAssign = GetDlgItem(IDC_UFX_ASSIGN)) pAssign->EnableWindow(TRUE);
    }
    if (pLabel != nullptr) pLabel->ShowWindow(SW_SHOW);
  }
  if (CWnd* pText = GetDlgItem(IDC_UFX_ASSIGNED_TO)) pText->SetWindowText(m_strAssignedTo);
}

BOOL CUfxKeyboardPage::InstallTable() {
  const BOOL bInstalled = CUfxKeyboardManager::UpdateAccelTable(m_pSelTemplate, m_Accels.data(), (int)m_Accels.size(),
                                                                m_pParentFrame);
  if (!bInstalled) return FALSE;
  if (CMultiDocTemplate* pTemplate = DYNAMIC_DOWNCAST(CMultiDocTemplate, m_pSelTemplate)) m_hAccelTable = pTemplate->m_hAccelTable;
  else if (m_pParentFrame != nullptr) m_hAccelTable = m_pParentFrame->m_hAccelTable;
  return TRUE;
}

void CUfxKeyboardPage::OnAssign() {
  if (m_pSelButton == nullptr || !m_wndNewKey.IsKeyDefined()) return;
  std::vector<ACCEL> saved = m_Accels;
  ACCEL entry = m_wndNewKey.GetAccel();
  entry.cmd = (WORD)m_pSelButton->m_nID;
  m_Accels.push_back(entry);
  // The keyboard manager may refuse the table: the page then keeps what it had.
  if (!InstallTable()) {
    m_Accels.swap(saved);
    ::MessageBeep((UINT)-1);
    return;
  }
  ListKeysOfCommand();
  m_wndNewKey.ResetKey();
  OnUpdateNewShortcut();
  m_wndCommandsList.SetFocus();
}

void CUfxKeyboardPage::OnRemove() {
  if (m_iSelEntry < 0 || m_iSelEntry >= (int)m_Accels.size()) return;
  std::vector<ACCEL> saved = m_Accels;
  m_Accels.erase(m_Accels.begin() + m_iSelEntry);
  if (!InstallTable()) {
    m_Accels.swap(saved);
    ::MessageBeep((UINT)-1);
    return;
  }
  m_iSelEntry = -1;
  if (CWnd* pRemove = GetDlgItem(IDC_UFX_REMOVE)) pRemove->EnableWindow(FALSE);
  ListKeysOfCommand();
  m_wndCommandsList.SetFocus();
}

void CUfxKeyboardPage::OnResetAll() {
  CString strQuestion;
  strQuestion.LoadString(IDS_UFX_RESET_KEYBOARD);
  if (AfxMessageBox(strQuestion, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  if (UfxKeyboardManager != nullptr) UfxKeyboardManager->ResetAll();
  if (m_pParentFrame != nullptr && m_pParentFrame->GetSafeHwnd() != nullptr) m_pParentFrame->SendMessage(UFXM_RESETKEYBOARD);
  OnSelchangeViewType();
  OnSelchangeCommands();
}
