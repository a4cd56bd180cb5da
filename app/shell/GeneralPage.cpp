#include "GeneralPage.h"
#include "ComValues.h"
#include "MainFrame.h"
#include "SettingsPages.h"

IMPLEMENT_DYNAMIC(CGeneralPage, CUfxPropertyPage)

BEGIN_MESSAGE_MAP(CGeneralPage, CUfxPropertyPage)
  ON_BN_CLICKED(IDC_MIN_TO_TRAY, OnMinToTray)
  ON_BN_CLICKED(IDC_START_HIDDEN, OnModified)
  ON_BN_CLICKED(IDC_CLOSE_TO_TRAY, OnModified)
  ON_BN_CLICKED(IDC_ALWAYS_ON_TOP, OnModified)
  ON_BN_CLICKED(IDC_DOC_MODEL_SDI, OnModified)
  ON_BN_CLICKED(IDC_DOC_MODEL_PDI, OnModified)
END_MESSAGE_MAP()

CGeneralPage::CGeneralPage() : CUfxPropertyPage(IDD_GENERAL_PAGE) {}

void CGeneralPage::DoDataExchange(CDataExchange* pDX) {
  CUfxPropertyPage::DoDataExchange(pDX);
  DDX_Check(pDX, IDC_MIN_TO_TRAY, m_bMinToTray);
  DDX_Check(pDX, IDC_CLOSE_TO_TRAY, m_bCloseToTray);
  DDX_Check(pDX, IDC_START_HIDDEN, m_bStartHidden);
  DDX_Check(pDX, IDC_ALWAYS_ON_TOP, m_bAlwaysOnTop);
}

BOOL CGeneralPage::OnInitDialog() {
  CUfxPropertyPage::OnInitDialog();
  if (CMainInterface* root = ShellRoot()) {
    VARIANT_BOOL value = VARIANT_FALSE;
    if (SUCCEEDED(root->GetSettings().get_ShowAtStartup(&value))) m_bStartHidden = value == VARIANT_FALSE;
    if (SUCCEEDED(root->GetTray().get_CloseToTray(&value))) m_bCloseToTray = value != VARIANT_FALSE;
    if (SUCCEEDED(root->GetTray().get_MinToTray(&value))) m_bMinToTray = value != VARIANT_FALSE;
    if (SUCCEEDED(root->GetSettings().get_AlwaysOnTop(&value))) m_bAlwaysOnTop = value != VARIANT_FALSE;
    DocumentModel model = SDI;
    if (SUCCEEDED(root->GetSettings().get_DocModel(&model))) {
      if (model == SDI) CheckDlgButton(IDC_DOC_MODEL_SDI, BST_CHECKED);
      else if (model == PDI) CheckDlgButton(IDC_DOC_MODEL_PDI, BST_CHECKED);
    }
  }
  // Without the tray, a hidden start and closing to the tray mean nothing.
  if (!m_bMinToTray) m_bStartHidden = m_bCloseToTray = FALSE;
  EnableTrayOptions();
  UpdateData(FALSE);
  return TRUE;
}

void CGeneralPage::EnableTrayOptions() {
  for (int id : {IDC_TRAY_OPTIONS, IDC_START_HIDDEN, IDC_CLOSE_TO_TRAY})
    if (CWnd* pWnd = GetDlgItem(id)) pWnd->EnableWindow(m_bMinToTray);
}

void CGeneralPage::OnMinToTray() {
  SetModified();
  UpdateData(TRUE);
  if (!m_bMinToTray) {
    m_bStartHidden = m_bCloseToTray = FALSE;
    UpdateData(FALSE);
  }
  EnableTrayOptions();
}

void CGeneralPage::OnModified() { SetModified(); }

BOOL CGeneralPage::OnApply() {
  UpdateData(TRUE);
  if (CMainInterface* root = ShellRoot()) {
    root->GetTray().put_MinToTray(AsVariantBool(m_bMinToTray));
    root->GetTray().put_CloseToTray(AsVariantBool(m_bCloseToTray));
    root->GetSettings().put_ShowAtStartup(AsVariantBool(!m_bStartHidden));
    root->GetSettings().put_AlwaysOnTop(AsVariantBool(m_bAlwaysOnTop));
    if (IsDlgButtonChecked(IDC_DOC_MODEL_PDI) == BST_CHECKED) root->GetSettings().put_DocModel(PDI);
    else if (IsDlgButtonChecked(IDC_DOC_MODEL_SDI) == BST_CHECKED) root->GetSettings().put_DocModel(SDI);
    root->GetMessenger().FireOnAfterUpdate(CommonPage);
  }
  return CUfxPropertyPage::OnApply();
}
