#include "KbdPage.h"
#include "HotkeyDialog.h"
#include "KeyHandle.h"
#include "MainFrame.h"
#include "SettingsPages.h"
#include "ShellIds.h"
#include "bars/UfxPopupMenu.h"

IMPLEMENT_DYNAMIC(CKbdPage, CUfxPropertyPage)
IMPLEMENT_DYNAMIC(CActionNameDlg, CDialog)

namespace {
// What each command of the template menu inserts into the template.
struct TemplateText {
  UINT nID;
  const wchar_t* text;
};
const TemplateText kTemplateTexts[] = {
    {ID_TEMPLATE_SELECTION, L"%s"}, {ID_TEMPLATE_PERCENT, L"%%"}, {ID_TEMPLATE_RESULT, L"%d"},
    {ID_TEMPLATE_EXAMPLE, L"%e[sin(%s + %d)]"}, {ID_TEMPLATE_BINARY, L"%b"}, {ID_TEMPLATE_OCTAL, L"%o"},
    {ID_TEMPLATE_HEX, L"%h"}};
const int kActionControls[] = {IDC_ACTION_KEY, IDC_ACTION_TEMPLATE, IDC_PASS_ACTION_KEY, IDC_CAPTURE_ACTION_KEY,
                               IDC_TEMPLATE_MENU, IDC_PROCESS_REPLACE, IDC_PROCESS_TRAY, IDC_PROCESS_CLIPBOARD};

CString Formatted(UINT nId, std::initializer_list<LPCWSTR> args) {
  CString strFormat;
  strFormat.LoadString(nId);
  std::vector<LPCWSTR> list(args);
  CString strText;
  AfxFormatStrings(strText, strFormat, list.data(), (int)list.size());
  return strText;
}
}  // namespace

BEGIN_MESSAGE_MAP(CKbdPage, CUfxPropertyPage)
  ON_BN_CLICKED(IDC_CAPTURE_SHOW_HIDE, OnCaptureShowHideKey)
  ON_BN_CLICKED(IDC_PASS_SHOW_HIDE, OnModified)
  ON_BN_CLICKED(IDC_ADD_ACTION, OnAddAction)
  ON_BN_CLICKED(IDC_DELETE_ACTION, OnDeleteAction)
  ON_LBN_SELCHANGE(IDC_ACTIONS, OnActionSelChange)
  ON_CONTROL(CLBN_CHKCHANGE, IDC_ACTIONS, OnActionCheckChange)
  ON_BN_CLICKED(IDC_CAPTURE_ACTION_KEY, OnCaptureActionKey)
  ON_EN_CHANGE(IDC_ACTION_TEMPLATE, OnTemplateChange)
  ON_BN_CLICKED(IDC_PROCESS_REPLACE, OnProcessing)
  ON_BN_CLICKED(IDC_PROCESS_TRAY, OnProcessing)
  ON_BN_CLICKED(IDC_PROCESS_CLIPBOARD, OnProcessing)
  ON_BN_CLICKED(IDC_PASS_ACTION_KEY, OnPassActionKey)
  ON_BN_CLICKED(IDC_TEMPLATE_MENU, OnTemplateMenu)
  ON_COMMAND_RANGE(ID_TEMPLATE_SELECTION, ID_TEMPLATE_HEX, OnTemplateCommand)
  ON_UPDATE_COMMAND_UI_RANGE(ID_TEMPLATE_SELECTION, ID_TEMPLATE_HEX, OnUpdateTemplateCommand)
END_MESSAGE_MAP()

CKbdPage::CKbdPage() : CUfxPropertyPage(IDD_KBD_PAGE) {}

void CKbdPage::DoDataExchange(CDataExchange* pDX) {
  CUfxPropertyPage::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_ACTIONS, m_wndActions);
  DDX_Radio(pDX, IDC_PROCESS_REPLACE, m_nProcessing);
}

BOOL CKbdPage::OnInitDialog() {
  CUfxPropertyPage::OnInitDialog();
  CMainInterface* root = ShellRoot();
  if (root != nullptr) {
    CSettingsManager& settings = root->GetSettings();
    settings.get_ShowHideKey(&m_showHideKey);
    VARIANT_BOOL pass = VARIANT_FALSE;
    settings.get_PassShowHideKey(&pass);
    CheckDlgButton(IDC_PASS_SHOW_HIDE, pass != VARIANT_FALSE ? BST_CHECKED : BST_UNCHECKED);
    long count = 0;
    settings.get_KbdActionsCount(&count);
    for (long i = 0; i < count; i++) {
      CalcActionEx record = {};
      if (FAILED(settings.GetKbdActionEx(i, &record))) continue;
      const Action action = KbdActionOf(record);
      ::SysFreeString(record.BaseAction.Template);
      ::SysFreeString(record.Name);
      m_actions.push_back(action);
      const int iItem = m_wndActions.AddString(action.Name);
      m_wndActions.SetCheck(iItem, action.Activated ? 1 : 0);
    }
  }
  SetDlgItemText(IDC_SHOW_HIDE_KEY, KeyHandleToText(m_showHideKey));
  const BOOL bAny = !m_actions.empty();
  EnableActionControls(bAny);
  if (CWnd* pDelete = GetDlgItem(IDC_DELETE_ACTION)) pDelete->EnableWindow(bAny);
  if (bAny) m_wndActions.SetCurSel(0);
  ShowSelectedAction();
  return TRUE;
}

CKbdPage::Action* CKbdPage::SelectedAction() {
  const int i = m_wndActions.GetCurSel();
  return i >= 0 && i < (int)m_actions.size() ? &m_actions[i] : nullptr;
}

void CKbdPage::EnableActionControls(BOOL bEnable) {
  for (int id : kActionControls)
    if (CWnd* pWnd = GetDlgItem(id)) pWnd->EnableWindow(bEnable);
}

void CKbdPage::ShowSelectedAction() {
  m_bShowing = TRUE;
  const Action* pAction = SelectedAction();
  SetDlgItemText(IDC_ACTION_KEY, KeyHandleToText(pAction != nullptr ? pAction->KeyHandle : 0));
  SetDlgItemText(IDC_ACTION_TEMPLATE, pAction != nullptr ? pAction->Template : CString());
  CheckDlgButton(IDC_PASS_ACTION_KEY, pAction != nullptr && pAction->Pass ? BST_CHECKED : BST_UNCHECKED);
  m_nProcessing = pAction != nullptr ? (int)pAction->Processing : -1;
  UpdateData(FALSE);
  if (pAction != nullptr) EnableActionControls(pAction->Activated != 0);
  m_bShowing = FALSE;
}

void CKbdPage::OnModified() { SetModified(); }

void CKbdPage::OnCaptureShowHideKey() {
  long key = 0;
  if (!CaptureHotkey(this, key)) return;
  m_showHideKey = key;
  SetDlgItemText(IDC_SHOW_HIDE_KEY, KeyHandleToText(key));
  SetModified();
}

void CKbdPage::OnActionSelChange() { ShowSelectedAction(); }

void CKbdPage::OnActionCheckChange() {
  // The notification names no item: every action takes its item's check.
  for (int i = 0; i < (int)m_actions.size() && i < m_wndActions.GetCount(); i++)
    m_actions[i].Activated = m_wndActions.GetCheck(i) ? 1 : 0;
  ShowSelectedAction();
  SetModified();
}

void CKbdPage::OnCaptureActionKey() {
  Action* pAction = SelectedAction();
  long key = 0;
  if (pAction == nullptr || !CaptureHotkey(this, key)) return;
  pAction->KeyHandle = key;
  SetDlgItemText(IDC_ACTION_KEY, KeyHandleToText(key));
  if (CWnd* pKey = GetDlgItem(IDC_ACTION_KEY)) pKey->SetFocus();
  SetModified();
}

void CKbdPage::OnTemplateChange() {
  if (m_bShowing) return;
  if (Action* pAction = SelectedAction()) GetDlgItemText(IDC_ACTION_TEMPLATE, pAction->Template);
  SetModified();
}

void CKbdPage::OnProcessing() {
  UpdateData(TRUE);
  if (Action* pAction = SelectedAction()) {
    if (m_nProcessing >= ApReplace && m_nProcessing <= ApCopyToClipboard) pAction->Processing = (ActionProcessing)m_nProcessing;
  }
  SetModified();
}

void CKbdPage::OnPassActionKey() {
  if (Action* pAction = SelectedAction()) pAction->Pass = IsDlgButtonChecked(IDC_PASS_ACTION_KEY) == BST_CHECKED;
  SetModified();
}

void CKbdPage::OnAddAction() {
  CActionNameDlg dlg(this);
  if (dlg.DoModal() != IDOK) return;
  for (const Action& action : m_actions) {
    if (action.Name != dlg.m_strName) continue;  // names differ by letter case too
    CString strCaption;
    strCaption.LoadString(IDS_ACTION_NAME_TAKEN_CAPTION);
    ::MessageBoxW(m_hWnd, Formatted(IDS_ACTION_NAME_TAKEN, {dlg.m_strName}), strCaption, MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  SetModified();
  Action action;
  action.Name = dlg.m_strName;
  m_actions.push_back(action);
  const int iItem = m_wndActions.AddString(action.Name);
  m_wndActions.SetCurSel(iItem);
  m_wndActions.SetCheck(iItem, action.Activated ? 1 : 0);
  ShowSelectedAction();
  EnableActionControls(TRUE);
  if (CWnd* pDelete = GetDlgItem(IDC_DELETE_ACTION)) pDelete->EnableWindow(TRUE);
}

void CKbdPage::OnDeleteAction() {
  const int i = m_wndActions.GetCurSel();
  if (i < 0 || i >= (int)m_actions.size()) return;
  SetModified();
  m_actions.erase(m_actions.begin() + i);
  m_wndActions.DeleteString(i);
  if (!m_actions.empty()) {
    m_wndActions.SetCurSel(i > 0 ? i - 1 : 0);
  } else {
    EnableActionControls(FALSE);
    if (CWnd* pDelete = GetDlgItem(IDC_DELETE_ACTION)) pDelete->EnableWindow(FALSE);
  }
  ShowSelectedAction();
}

void CKbdPage::OnTemplateMenu() {
  HMENU hMenu = ::LoadMenuW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_TEMPLATE_MENU));
  CWnd* pButton = GetDlgItem(IDC_TEMPLATE_MENU);
  if (hMenu == nullptr || pButton == nullptr) return;
  // The first sub-menu on its own, for the popup to own.
  HMENU hPopupItems = ::GetSubMenu(hMenu, 0);
  if (hPopupItems != nullptr) ::RemoveMenu(hMenu, 0, MF_BYPOSITION);
  ::DestroyMenu(hMenu);
  if (hPopupItems == nullptr) return;
  CRect rect;
  pButton->GetWindowRect(rect);
  CUfxPopupMenu* pPopup = new CUfxPopupMenu;
  if (pPopup->Create(this, rect.left + 1, rect.bottom, hPopupItems, FALSE, TRUE)) SetActiveMenu(pPopup);
}

void CKbdPage::OnUpdateTemplateCommand(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }

void CKbdPage::OnTemplateCommand(UINT nID) {
  for (const TemplateText& entry : kTemplateTexts) {
    if (entry.nID != nID) continue;
    CEdit* pEdit = static_cast<CEdit*>(GetDlgItem(IDC_ACTION_TEMPLATE));
    if (pEdit == nullptr) return;
    pEdit->ReplaceSel(entry.text, TRUE);
    pEdit->SetFocus();
    return;
  }
}

BOOL CKbdPage::Ask(const CString& strText, UINT nCaptionId) {
  if (CPropertySheet* pSheet = GetSheet()) pSheet->SetActivePage(this);
  CString strCaption;
  strCaption.LoadString(nCaptionId);
  return ::MessageBoxW(m_hWnd, strText, strCaption, MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
}

BOOL CKbdPage::OnApply() {
  if (m_showHideKey == 0) {
    CString strText;
    strText.LoadString(IDS_NO_SHOW_HIDE_KEY);
    if (!Ask(strText, IDS_NO_KEY)) return FALSE;
  }
  for (const Action& action : m_actions)
    if (action.KeyHandle == 0 && !Ask(Formatted(IDS_ACTION_WITHOUT_KEY, {action.Name}), IDS_NO_KEY)) return FALSE;
  for (const Action& action : m_actions) {
    if (action.KeyHandle == 0 || action.KeyHandle != m_showHideKey) continue;
    if (!Ask(Formatted(IDS_KEY_OF_SHOW_HIDE, {KeyHandleToText(action.KeyHandle), action.Name}), IDS_KEYS_CLASH_CAPTION))
      return FALSE;
  }
  for (size_t i = 0; i < m_actions.size(); i++) {
    for (size_t j = i + 1; j < m_actions.size(); j++) {
      if (m_actions[i].KeyHandle == 0 || m_actions[i].KeyHandle != m_actions[j].KeyHandle) continue;
      if (!Ask(Formatted(IDS_ACTIONS_SHARE_KEY,
                         {KeyHandleToText(m_actions[i].KeyHandle), m_actions[i].Name, m_actions[j].Name}),
               IDS_KEYS_CLASH_CAPTION))
        return FALSE;
    }
  }
  if (CMainInterface* root = ShellRoot()) {
    CSettingsManager& settings = root->GetSettings();
    settings.put_ShowHideKey(m_showHideKey);
    settings.put_PassShowHideKey(IsDlgButtonChecked(IDC_PASS_SHOW_HIDE) == BST_CHECKED ? VARIANT_TRUE : VARIANT_FALSE);
    settings.put_KbdActionsCount((long)m_actions.size());
    for (size_t i = 0; i < m_actions.size(); i++) {
      const Action& action = m_actions[i];
      CalcActionEx record = {};
      record.BaseAction.Processing = action.Processing;
      record.BaseAction.Template = ::SysAllocString(action.Template);
      record.Name = ::SysAllocString(action.Name);
      record.Activated = action.Activated;
      record.KeyHandle = action.KeyHandle;
      record.Pass = action.Pass;
      settings.SetKbdActionEx((long)i, record);
      ::SysFreeString(record.BaseAction.Template);
      ::SysFreeString(record.Name);
    }
    root->GetMessenger().FireOnAfterUpdate(KeyboardPage);
  }
  return CUfxPropertyPage::OnApply();
}

// ---- the name of a new action ----------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CActionNameDlg, CDialog)
  ON_EN_CHANGE(IDC_ACTION_NAME, OnNameChange)
END_MESSAGE_MAP()

CActionNameDlg::CActionNameDlg(CWnd* pParent) : CDialog(IDD_ACTION_NAME, pParent) {}

BOOL CActionNameDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  OnNameChange();
  return TRUE;
}

void CActionNameDlg::OnNameChange() {
  CString strName;
  GetDlgItemText(IDC_ACTION_NAME, strName);
  if (CWnd* pOk = GetDlgItem(IDOK)) pOk->EnableWindow(!strName.IsEmpty());
}

void CActionNameDlg::OnOK() {
  GetDlgItemText(IDC_ACTION_NAME, m_strName);
  CDialog::OnOK();
}
