#include "looks/UfxMenuPage.h"
#include "bars/UfxMenuBar.h"
#include "bars/UfxMenuBarStore.h"
#include "bars/UfxPopupMenu.h"
#include "bars/UfxPopupMenuBar.h"
#include "bars/UfxToolBar.h"
#include "frames/UfxContextMenuManager.h"
#include "frames/UfxFrameWnd.h"
#include "looks/UfxCustomizeIds.h"
#include "looks/UfxToolbarCustomize.h"
#include "FwMDI.h"
#include <algorithm>
#include <vector>

IMPLEMENT_DYNCREATE(CUfxMenuPage, CPropertyPage)

int CUfxMenuPage::s_iMenuLastX = 0;
int CUfxMenuPage::s_iMenuLastY = 0;

BEGIN_MESSAGE_MAP(CUfxMenuPage, CPropertyPage)
  ON_CBN_SELCHANGE(IDC_UFX_APP_MENUS, OnSelchangeMenuList)
  ON_CBN_SELCHANGE(IDC_UFX_CONTEXT_MENUS, OnSelchangeContextMenuList)
  ON_BN_CLICKED(IDC_UFX_RESET_CONTEXT_MENU, OnResetContextMenu)
  ON_BN_CLICKED(IDC_UFX_RESET_MENU, OnResetMenu)
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CUfxMenuPage::CUfxMenuPage(CFrameWnd* pParentFrame, BOOL bAutoSet)
    : CPropertyPage(IDD_UFX_MENU_PAGE), m_bAutoSet(bAutoSet), m_pParentFrame(pParentFrame) {
  m_iMenuAnimationType = CUfxToolBar::GetMenuAnimation();
  m_bMenuShadows = CUfxToolBar::IsMenuShadows();
}

void CUfxMenuPage::DoDataExchange(CDataExchange* pDX) {
  CPropertyPage::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_UFX_ANIMATION, m_wndMenuAnimations);
  DDX_Control(pDX, IDC_UFX_MENU_SHADOWS, m_wndMenuShadows);
  DDX_Control(pDX, IDC_UFX_CONTEXT_MENUS, m_wndContextMenus);
  DDX_Control(pDX, IDC_UFX_APP_MENUS, m_wndMenuesList);
  DDX_Control(pDX, IDC_UFX_MENU_ICON, m_wndIcon);
  DDX_Text(pDX, IDC_UFX_MENU_DESCRIPTION, m_strMenuDescr);
  DDX_CBString(pDX, IDC_UFX_CONTEXT_MENUS, m_strContextMenuName);
  DDX_CBString(pDX, IDC_UFX_APP_MENUS, m_strMenuName);
  DDX_CBIndex(pDX, IDC_UFX_ANIMATION, m_iMenuAnimationType);
  DDX_Check(pDX, IDC_UFX_MENU_SHADOWS, m_bMenuShadows);
}

void CUfxMenuPage::HideControl(int nId) {
  if (CWnd* pWnd = GetDlgItem(nId)) pWnd->ShowWindow(SW_HIDE);
}

BOOL CUfxMenuPage::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  const CObList& bars = CUfxToolBar::GetAllToolbars();
  for (POSITION pos = bars.GetHeadPosition(); pos != nullptr && m_pMenuBar == nullptr;) {
    CUfxMenuBar* pBar = DYNAMIC_DOWNCAST(CUfxMenuBar, bars.GetNext(pos));
    if (pBar != nullptr && CWnd::FromHandlePermanent(pBar->GetSafeHwnd()) == pBar) m_pMenuBar = pBar;
  }
  if (m_pMenuBar != nullptr) {
    m_pMenuBar->m_pMenuPage = this;
    m_hmenuCurr = m_pMenuBar->GetHMenu();
    m_pMenuBar->SetHotButton(-1);
    UfxMenuBarStore.Save(m_hmenuCurr, m_pMenuBar);
    int iCurrent = -1;
    if (m_bAutoSet) {
      std::vector<UINT> listed;
      CWinApp* pApp = AfxGetApp();
      for (POSITION pos = pApp != nullptr ? pApp->GetFirstDocTemplatePosition() : nullptr; pos != nullptr;) {
        CMultiDocTemplate* pTemplate = DYNAMIC_DOWNCAST(CMultiDocTemplate, pApp->GetNextDocTemplate(pos));
        if (pTemplate == nullptr || pTemplate->m_hMenuShared == nullptr) continue;
        if (std::find(listed.begin(), listed.end(), pTemplate->m_nIDResource) != listed.end()) continue;
        listed.push_back(pTemplate->m_nIDResource);
        CString strName;
        pTemplate->GetDocString(strName, CDocTemplate::fileNewName);
        const int i = m_wndMenuesList.AddString(strName);
        m_wndMenuesList.SetItemDataPtr(i, pTemplate);
        if (pTemplate->m_hMenuShared == m_hmenuCurr) iCurrent = i;
      }
    }
    CString strDefault;
    strDefault.LoadString(IDS_UFX_DEFAULT_MENU);
    const int iDefault = m_wndMenuesList.AddString(strDefault);
    m_wndMenuesList.SetItemDataPtr(iDefault, nullptr);
    if (iCurrent < 0) {
      iCurrent = iDefault;
      m_bIsDefaultMDIMenu = TRUE;
    }
    m_wndMenuesList.SetCurSel(iCurrent);
    m_hmenuSelected = m_hmenuCurr;
    OnSelchangeMenuList();
  } else {
    m_wndMenuesList.EnableWindow(FALSE);
    if (CWnd* pReset = GetDlgItem(IDC_UFX_RESET_MENU)) pReset->EnableWindow(FALSE);
    m_strMenuDescr.LoadString(IDS_UFX_NO_MENU_BAR);
  }

  CString strNone;
  strNone.LoadString(IDS_UFX_NO_CONTEXT_MENU);
  m_wndContextMenus.AddString(strNone);
  m_wndContextMenus.SetCurSel(0);
  if (UfxContextMenuManager != nullptr) {
    CStringList names;
    UfxContextMenuManager->GetMenuNames(names);
    for (POSITION pos = names.GetHeadPosition(); pos != nullptr;) m_wndContextMenus.AddString(names.GetNext(pos));
    const BOOL bAny = m_wndContextMenus.GetCount() > 1;
    m_wndContextMenus.EnableWindow(bAny);
    if (CWnd* pLabel = GetDlgItem(IDC_UFX_CONTEXT_LABEL)) pLabel->EnableWindow(bAny);
  } else {
    for (int id : {IDC_UFX_CONTEXT_MENUS, IDC_UFX_CONTEXT_LABEL, IDC_UFX_CONTEXT_STATIC1, IDC_UFX_CONTEXT_STATIC2,
                   IDC_UFX_RESET_CONTEXT_MENU})
      HideControl(id);
  }
  if (CWnd* pReset = GetDlgItem(IDC_UFX_RESET_CONTEXT_MENU)) pReset->EnableWindow(FALSE);

  CUfxToolbarCustomize* pSheet = DYNAMIC_DOWNCAST(CUfxToolbarCustomize, GetParent());
  const UINT uiFlags = pSheet != nullptr ? pSheet->GetFlags() : 0;
  if (!(uiFlags & CUfxToolbarCustomize::Customize_MenuShadows)) HideControl(IDC_UFX_MENU_SHADOWS);
  if (!(uiFlags & CUfxToolbarCustomize::Customize_MenuAnimations)) {
    HideControl(IDC_UFX_ANIMATION);
    HideControl(IDC_UFX_ANIMATION_LABEL);
  }
  UpdateData(FALSE);
  return TRUE;
}

void CUfxMenuPage::StoreShownMenu() {
  if (m_pMenuBar == nullptr) return;
  m_pMenuBar->SetHotButton(-1);
  if (m_hmenuSelected != nullptr) UfxMenuBarStore.Save(m_hmenuSelected, m_pMenuBar);
}

void CUfxMenuPage::OnSelchangeMenuList() {
  UpdateData();
  if (m_pMenuBar == nullptr) return;
  StoreShownMenu();
  const int iSel = m_wndMenuesList.GetCurSel();
  HICON hIcon = nullptr;
  if (iSel < 0) {
    m_strMenuDescr.Empty();
    m_hmenuSelected = nullptr;
  } else if (CMultiDocTemplate* pTemplate = reinterpret_cast<CMultiDocTemplate*>(m_wndMenuesList.GetItemDataPtr(iSel))) {
    pTemplate->GetDocString(m_strMenuDescr, CDocTemplate::regFileTypeName);
    hIcon = ::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(pTemplate->m_nIDResource));
    if (hIcon == nullptr) hIcon = ::LoadIconW(nullptr, IDI_APPLICATION);
    m_hmenuSelected = pTemplate->m_hMenuShared;
  } else {
    m_strMenuDescr.LoadString(IDS_UFX_DEFAULT_MENU_DESCR);
    if (CWnd* pMain = AfxGetMainWnd()) hIcon = (HICON)::GetClassLongPtrW(pMain->GetSafeHwnd(), GCLP_HICON);
    m_hmenuSelected = m_pMenuBar->GetDefaultMenu();
  }
  if (m_hmenuSelected != nullptr) m_pMenuBar->CreateFromMenu(m_hmenuSelected, FALSE, FALSE);
  m_wndIcon.SetIcon(hIcon);
  UpdateData(FALSE);
}

BOOL CUfxMenuPage::SelectMenu(CDocTemplate* pTemplate, BOOL bSaveMenu) {
  for (int i = 0; i < m_wndMenuesList.GetCount(); i++) {
    if (m_wndMenuesList.GetItemDataPtr(i) != pTemplate) continue;
    if (!bSaveMenu) m_hmenuSelected = nullptr;
    if (m_pMenuBar != nullptr) m_hmenuCurr = m_pMenuBar->GetDefaultMenu();
    m_wndMenuesList.SetCurSel(i);
    OnSelchangeMenuList();
    return TRUE;
  }
  return FALSE;
}

void CUfxMenuPage::CloseEditingPopup() {
  if (m_pContextMenu == nullptr) return;
  CUfxPopupMenu* pMenu = m_pContextMenu;
  m_pContextMenu = nullptr;
  if (pMenu->GetSafeHwnd() == nullptr) return;
  CRect rect;
  pMenu->GetWindowRect(rect);
  s_iMenuLastX = rect.left;
  s_iMenuLastY = rect.top;
  if (UfxContextMenuManager != nullptr && m_uiContextMenuResId != 0)
    UfxMenuBarStore.Save(UfxContextMenuManager->GetMenuById(m_uiContextMenuResId), pMenu->GetMenuBar());
  pMenu->SendMessage(WM_CLOSE);
}

void CUfxMenuPage::CloseContextMenu(CUfxPopupMenu* pMenu) {
  if (pMenu == nullptr || pMenu != m_pContextMenu) return;
  if (pMenu->GetSafeHwnd() != nullptr) {
    CRect rect;
    pMenu->GetWindowRect(rect);
    s_iMenuLastX = rect.left;
    s_iMenuLastY = rect.top;
  }
  m_pContextMenu = nullptr;
  if (m_wndContextMenus.GetSafeHwnd() != nullptr) m_wndContextMenus.SetCurSel(0);
  if (CWnd* pReset = GetDlgItem(IDC_UFX_RESET_CONTEXT_MENU)) pReset->EnableWindow(FALSE);
}

void CUfxMenuPage::OnSelchangeContextMenuList() {
  if (CWnd* pReset = GetDlgItem(IDC_UFX_RESET_CONTEXT_MENU)) pReset->EnableWindow(FALSE);
  if (UfxContextMenuManager == nullptr) return;
  CloseEditingPopup();
  const int iSel = m_wndContextMenus.GetCurSel();
  if (iSel <= 0) return;
  m_wndContextMenus.GetLBText(iSel, m_strContextMenuName);
  UINT uiResId = 0;
  HMENU hMenu = UfxContextMenuManager->GetMenuByName(m_strContextMenuName, &uiResId);
  if (hMenu == nullptr) {
    ::MessageBeep((UINT)-1);
    return;
  }
  HMENU hSubMenu = ::GetSubMenu(hMenu, 0);
  CUfxPopupMenu* pPopup = new CUfxPopupMenu(this, m_strContextMenuName);
  pPopup->m_bDestroyMenuOnClose = FALSE;
  CWnd* pOwner = m_pParentFrame != nullptr ? UfxGetTopLevelFrame(m_pParentFrame) : AfxGetMainWnd();
  if (hSubMenu == nullptr || !pPopup->Create(pOwner, s_iMenuLastX, s_iMenuLastY, hSubMenu, FALSE, TRUE)) {
    AfxMessageBox(L"Can't create context menu!");
    return;
  }
  m_pContextMenu = pPopup;
  m_uiContextMenuResId = uiResId;
  if (CWnd* pReset = GetDlgItem(IDC_UFX_RESET_CONTEXT_MENU)) pReset->EnableWindow(TRUE);
}

void CUfxMenuPage::OnResetContextMenu() {
  if (m_pContextMenu == nullptr || UfxContextMenuManager == nullptr) return;
  CString strQuestion;
  AfxFormatString1(strQuestion, IDS_UFX_RESET_MENU, m_strContextMenuName);
  if (AfxMessageBox(strQuestion, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  UINT uiResId = 0;
  HMENU hMenu = UfxContextMenuManager->GetMenuByName(m_strContextMenuName, &uiResId);
  if (hMenu == nullptr) {
    ::MessageBeep((UINT)-1);
    return;
  }
  CUfxPopupMenuBar* pBar = m_pContextMenu->GetMenuBar();
  pBar->ImportFromMenu(::GetSubMenu(hMenu, 0));
  if (CWnd* pFrame = m_pParentFrame) pFrame->SendMessage(UFXM_RESETCONTEXTMENU, uiResId, (LPARAM)m_pContextMenu);
  m_pContextMenu->RecalcLayout();
  pBar->Invalidate();
  pBar->UpdateWindow();
}

void CUfxMenuPage::OnResetMenu() {
  UpdateData();
  const int iSel = m_wndMenuesList.GetCurSel();
  if (m_pMenuBar == nullptr || iSel < 0) return;
  CString strName;
  m_wndMenuesList.GetLBText(iSel, strName);
  CString strQuestion;
  AfxFormatString1(strQuestion, IDS_UFX_RESET_MENU, strName);
  if (AfxMessageBox(strQuestion, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  if (CMultiDocTemplate* pTemplate = reinterpret_cast<CMultiDocTemplate*>(m_wndMenuesList.GetItemDataPtr(iSel)))
    ResetTemplateMenu(pTemplate);
  else
    ResetDefaultMenu();
}

void CUfxMenuPage::ResetTemplateMenu(CMultiDocTemplate* pTemplate) {
  HMENU hOld = pTemplate->m_hMenuShared;
  HMENU hNew = ::LoadMenuW(AfxGetResourceHandle(), MAKEINTRESOURCEW(pTemplate->m_nIDResource));
  if (hNew == nullptr) {
    ::MessageBeep((UINT)-1);
    return;
  }
  pTemplate->m_hMenuShared = hNew;
  m_pMenuBar->CreateFromMenu(hNew, FALSE, FALSE);
  if (m_pParentFrame != nullptr && m_pParentFrame->SendMessage(UFXM_RESETMENU, pTemplate->m_nIDResource) != 0)
    m_pMenuBar->AdjustLayout();
  UfxMenuBarStore.Save(hNew, m_pMenuBar);
  if (hOld == m_hmenuCurr) m_hmenuCurr = hNew;
  m_hmenuSelected = hNew;
  UfxMenuBarStore.Remove(hOld);
  if (hOld != nullptr && ::IsMenu(hOld)) ::DestroyMenu(hOld);
  m_pMenuBar->Invalidate();
}

void CUfxMenuPage::ResetDefaultMenu() {
  // Without the default menu's resource the menu in use stays: nothing to reset from.
  const UINT uiResId = m_pMenuBar->GetDefaultMenuResId();
  if (uiResId == 0) {
    ::MessageBeep((UINT)-1);
    return;
  }
  HMENU hNew = ::LoadMenuW(AfxGetResourceHandle(), MAKEINTRESOURCEW(uiResId));
  if (hNew == nullptr) {
    ::MessageBeep((UINT)-1);
    return;
  }
  HMENU hOld = m_pMenuBar->GetDefaultMenu();
  m_pMenuBar->CreateFromMenu(hNew, TRUE, FALSE);
  if (m_pParentFrame != nullptr && m_pParentFrame->SendMessage(UFXM_RESETMENU, uiResId) != 0) m_pMenuBar->AdjustLayout();
  UfxMenuBarStore.Save(hNew, m_pMenuBar);
  if (m_bIsDefaultMDIMenu) m_hmenuCurr = hNew;
  m_hmenuSelected = hNew;
  if (CUfxFrameWnd* pFrame = DYNAMIC_DOWNCAST(CUfxFrameWnd, m_pParentFrame)) pFrame->OnUpdateFrameMenu(hNew);
  if (hOld != nullptr && hOld != hNew) {
    UfxMenuBarStore.Remove(hOld);
    if (::IsMenu(hOld)) ::DestroyMenu(hOld);
  }
  m_pMenuBar->Invalidate();
}

void CUfxMenuPage::OnDestroy() {
  UpdateData();
  CUfxToolBar::SetMenuAnimation(m_iMenuAnimationType);
  if (m_pMenuBar != nullptr) {
    m_pMenuBar->m_pMenuPage = nullptr;
    StoreShownMenu();
    if (m_hmenuCurr != nullptr) m_pMenuBar->CreateFromMenu(m_hmenuCurr, FALSE, FALSE);
  }
  CloseEditingPopup();
  CUfxToolBar::SetMenuShadows(m_bMenuShadows);
  CPropertyPage::OnDestroy();
}
