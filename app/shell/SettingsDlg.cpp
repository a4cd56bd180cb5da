#include "SettingsDlg.h"
#include "MainFrame.h"
#include "SettingsPages.h"

IMPLEMENT_DYNAMIC(CSettingsDlg, CUfxPropertySheet)

namespace {
int g_nLastActivePage = 0;
}

BEGIN_MESSAGE_MAP(CSettingsDlg, CUfxPropertySheet)
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CSettingsDlg::CSettingsDlg(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CUfxPropertySheet(nIDCaption, pParentWnd, iSelectPage) {
  SetLook(PropSheetLook_OutlookBar, 100);
  SetIconsList(IDB_SETTINGS_ICONS, 32, RGB(255, 0, 255));
  AddPage(&m_GeneralPage);
  AddPage(&m_CodeFormatPage);
  AddPage(&m_KbdPage);
  AddPage(&m_TextEditorPage);
  SetActivePage(g_nLastActivePage < GetPageCount() ? g_nLastActivePage : 0);
  if (CMainInterface* root = ShellRoot()) root->GetMessenger().FireOnBeforeUpdate();
}

int CSettingsDlg::GetLastActivePage() { return g_nLastActivePage; }

void CSettingsDlg::OnDestroy() {
  g_nLastActivePage = GetActiveIndex();
  CUfxPropertySheet::OnDestroy();
}
