#include "looks/UfxOptionsPage.h"
#include "bars/UfxCommandUsage.h"
#include "bars/UfxToolBar.h"
#include "looks/UfxCustomizeIds.h"
#include "looks/UfxToolbarCustomize.h"
#include "looks/UfxVisualManager.h"

IMPLEMENT_DYNCREATE(CUfxOptionsPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CUfxOptionsPage, CPropertyPage)
  ON_BN_CLICKED(IDC_UFX_TOOLTIPS, OnShowTooltips)
  ON_BN_CLICKED(IDC_UFX_SHORTCUT_TIPS, OnShowShortcutKeys)
  ON_BN_CLICKED(IDC_UFX_RECENTLY_USED, OnRecentlyUsedMenus)
  ON_BN_CLICKED(IDC_UFX_SHOW_ALL_DELAY, OnShowAllMenusDelay)
  ON_BN_CLICKED(IDC_UFX_LARGE_ICONS, OnLargeIcons)
  ON_BN_CLICKED(IDC_UFX_LOOK_2000, OnLook2000)
  ON_BN_CLICKED(IDC_UFX_RESET_USAGE, OnResetUsageData)
END_MESSAGE_MAP()

CUfxOptionsPage::CUfxOptionsPage(BOOL bIsMenuBarExist)
    : CPropertyPage(IDD_UFX_OPTIONS_PAGE), m_bIsMenuBarExist(bIsMenuBarExist) {
  m_bShowTooltips = CUfxToolBar::IsShowTooltips();
  m_bShowShortcutKeys = CUfxToolBar::IsShowShortcutKeys();
  m_bRecentlyUsedMenus = CUfxToolBar::IsRecentlyUsedMenus();
  m_bShowAllMenusDelay = CUfxToolBar::IsShowAllMenusAfterDelay();
  m_bLargeIcons = CUfxToolBar::IsLargeIcons();
  CUfxVisualManager* pLook = CUfxVisualManager::GetInstance();
  m_bLook2000 = pLook != nullptr && pLook->IsLook2000();
}

void CUfxOptionsPage::DoDataExchange(CDataExchange* pDX) {
  CPropertyPage::DoDataExchange(pDX);
  DDX_Check(pDX, IDC_UFX_TOOLTIPS, m_bShowTooltips);
  DDX_Check(pDX, IDC_UFX_SHORTCUT_TIPS, m_bShowShortcutKeys);
  DDX_Check(pDX, IDC_UFX_RECENTLY_USED, m_bRecentlyUsedMenus);
  DDX_Check(pDX, IDC_UFX_SHOW_ALL_DELAY, m_bShowAllMenusDelay);
  DDX_Check(pDX, IDC_UFX_LARGE_ICONS, m_bLargeIcons);
  DDX_Check(pDX, IDC_UFX_LOOK_2000, m_bLook2000);
}

void CUfxOptionsPage::HideAndDisable(int nId) {
  if (CWnd* pWnd = GetDlgItem(nId)) {
    pWnd->EnableWindow(FALSE);
    pWnd->ShowWindow(SW_HIDE);
  }
}

BOOL CUfxOptionsPage::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  if (CWnd* pWnd = GetDlgItem(IDC_UFX_SHORTCUT_TIPS)) pWnd->EnableWindow(m_bShowTooltips);
  if (CWnd* pWnd = GetDlgItem(IDC_UFX_SHOW_ALL_DELAY)) pWnd->EnableWindow(m_bRecentlyUsedMenus);
  if (!CUfxToolBar::HasCoreCommands() || !m_bIsMenuBarExist) {
    for (int id : {IDC_UFX_RECENTLY_USED, IDC_UFX_RESET_USAGE, IDC_UFX_RU_LABEL1, IDC_UFX_RU_LABEL2, IDC_UFX_SHOW_ALL_DELAY})
      HideAndDisable(id);
  }
  CUfxToolbarCustomize* pSheet = DYNAMIC_DOWNCAST(CUfxToolbarCustomize, GetParent());
  if (pSheet == nullptr || !(pSheet->GetFlags() & CUfxToolbarCustomize::Customize_Look2000)) HideAndDisable(IDC_UFX_LOOK_2000);
  HideAndDisable(IDC_UFX_OPTIONS_HIDDEN);
  return TRUE;
}

void CUfxOptionsPage::OnShowTooltips() {
  UpdateData();
  CUfxToolBar::SetShowTooltips(m_bShowTooltips, m_bShowShortcutKeys);
  if (CWnd* pWnd = GetDlgItem(IDC_UFX_SHORTCUT_TIPS)) pWnd->EnableWindow(m_bShowTooltips);
}

void CUfxOptionsPage::OnShowShortcutKeys() {
  UpdateData();
  CUfxToolBar::SetShowTooltips(m_bShowTooltips, m_bShowShortcutKeys);
}

void CUfxOptionsPage::OnRecentlyUsedMenus() {
  UpdateData();
  CUfxToolBar::SetRecentlyUsedMenus(m_bRecentlyUsedMenus);
  if (CWnd* pWnd = GetDlgItem(IDC_UFX_SHOW_ALL_DELAY)) pWnd->EnableWindow(m_bRecentlyUsedMenus);
}

void CUfxOptionsPage::OnShowAllMenusDelay() {
  UpdateData();
  CUfxToolBar::SetShowAllMenusAfterDelay(m_bShowAllMenusDelay);
}

void CUfxOptionsPage::OnLargeIcons() {
  UpdateData();
  CUfxToolBar::SetLargeIcons(m_bLargeIcons);
}

void CUfxOptionsPage::OnLook2000() {
  UpdateData();
  if (CUfxVisualManager* pLook = CUfxVisualManager::GetInstance()) pLook->SetLook2000(m_bLook2000);
  if (CWnd* pMain = AfxGetMainWnd()) pMain->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

void CUfxOptionsPage::OnResetUsageData() {
  CString strQuestion;
  strQuestion.LoadString(IDS_UFX_RESET_USAGE);
  if (AfxMessageBox(strQuestion, MB_YESNO | MB_ICONQUESTION) == IDYES) UfxCommandUsage.Reset();
}
