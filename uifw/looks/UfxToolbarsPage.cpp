#include "looks/UfxToolbarsPage.h"
#include "bars/UfxDropDownToolBar.h"
#include "bars/UfxToolBar.h"
#include "frames/UfxCommandManager.h"
#include "frames/UfxFrameWnd.h"
#include "looks/UfxBarNameDlg.h"
#include "looks/UfxCustomizeIds.h"
#include "looks/UfxToolbarCustomize.h"
#include "FwMiniFrame.h"

IMPLEMENT_DYNCREATE(CUfxToolbarsPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CUfxToolbarsPage, CPropertyPage)
  ON_LBN_SELCHANGE(IDC_UFX_TOOLBAR_LIST, OnSelchangeToolbarList)
  ON_LBN_DBLCLK(IDC_UFX_TOOLBAR_LIST, OnDblclkToolbarList)
  ON_CONTROL(CLBN_CHKCHANGE, IDC_UFX_TOOLBAR_LIST, OnCheckChange)
  ON_BN_CLICKED(IDC_UFX_TEXT_LABELS, OnTextLabels)
  ON_BN_CLICKED(IDC_UFX_RESET, OnResetToolbar)
  ON_BN_CLICKED(IDC_UFX_RESET_ALL, OnResetAllToolbars)
  ON_BN_CLICKED(IDC_UFX_NEW_TOOLBAR, OnNewToolbar)
  ON_BN_CLICKED(IDC_UFX_RENAME_TOOLBAR, OnRenameToolbar)
  ON_BN_CLICKED(IDC_UFX_DELETE_TOOLBAR, OnDeleteToolbar)
END_MESSAGE_MAP()

CUfxToolbarsPage::CUfxToolbarsPage(CFrameWnd* pParentFrame)
    : CPropertyPage(IDD_UFX_TOOLBARS_PAGE), m_pParentFrame(pParentFrame) {}

void CUfxToolbarsPage::DoDataExchange(CDataExchange* pDX) {
  CPropertyPage::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_UFX_TOOLBAR_LIST, m_wndToolbarList);
  DDX_Check(pDX, IDC_UFX_TEXT_LABELS, m_bTextLabels);
}

void CUfxToolbarsPage::EnableControl(int nId, BOOL bEnable) {
  if (CWnd* pWnd = GetDlgItem(nId)) pWnd->EnableWindow(bEnable);
}

CString CUfxToolbarsPage::ToolbarName(CUfxToolBar* pToolBar) const {
  CString strName;
  pToolBar->GetWindowText(strName);
  if (strName.IsEmpty()) strName.LoadString(IDS_UFX_UNNAMED_TOOLBAR);
  return strName;
}

int CUfxToolbarsPage::AddToolbarItem(CUfxToolBar* pToolBar, BOOL bSelect) {
  const int nIndex = m_wndToolbarList.AddString(ToolbarName(pToolBar));
  m_wndToolbarList.SetItemDataPtr(nIndex, pToolBar);
  m_wndToolbarList.SetCheck(nIndex, pToolBar->IsWindowVisible() ? 1 : 0);
  m_wndToolbarList.SetCheckable(nIndex, pToolBar->IsClosable());
  if (bSelect) {
    m_wndToolbarList.SetCurSel(nIndex);
    m_wndToolbarList.SetTopIndex(nIndex);
  }
  return nIndex;
}

BOOL CUfxToolbarsPage::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  if (!m_bUserDefinedToolbars) {
    for (int id : {IDC_UFX_NEW_TOOLBAR, IDC_UFX_RENAME_TOOLBAR, IDC_UFX_DELETE_TOOLBAR}) {
      EnableControl(id, FALSE);
      if (CWnd* pWnd = GetDlgItem(id)) pWnd->ShowWindow(SW_HIDE);
    }
  }
  CFrameWnd* pTopFrame = m_pParentFrame != nullptr ? UfxGetTopLevelFrame(m_pParentFrame) : nullptr;
  const CObList& bars = CUfxToolBar::GetAllToolbars();
  for (POSITION pos = bars.GetHeadPosition(); pos != nullptr;) {
    CUfxToolBar* pToolBar = DYNAMIC_DOWNCAST(CUfxToolBar, bars.GetNext(pos));
    if (pToolBar == nullptr || CWnd::FromHandlePermanent(pToolBar->GetSafeHwnd()) != pToolBar) continue;
    if (pToolBar->IsKindOf(RUNTIME_CLASS(CUfxDropDownToolBar))) continue;
    if (pTopFrame != nullptr && UfxGetTopLevelFrame(pToolBar) != pTopFrame) continue;
    AddToolbarItem(pToolBar, FALSE);
  }
  CUfxToolbarCustomize* pSheet = DYNAMIC_DOWNCAST(CUfxToolbarCustomize, GetParent());
  if (pSheet == nullptr || !(pSheet->GetFlags() & CUfxToolbarCustomize::Customize_TextLabels)) {
    if (CWnd* pWnd = GetDlgItem(IDC_UFX_TEXT_LABELS)) pWnd->ShowWindow(SW_HIDE);
  }
  OnSelchangeToolbarList();
  return TRUE;
}

int CUfxToolbarsPage::FindItem(CUfxToolBar* pToolBar) const {
  for (int i = 0; i < m_wndToolbarList.GetCount(); i++)
    if (m_wndToolbarList.GetItemDataPtr(i) == pToolBar) return i;
  return -1;
}

void CUfxToolbarsPage::ShowToolBar(CUfxToolBar* pToolBar, BOOL bShow) {
  const int nIndex = FindItem(pToolBar);
  if (nIndex >= 0) m_wndToolbarList.SetCheck(nIndex, bShow ? 1 : 0);
}

void CUfxToolbarsPage::OnSelchangeToolbarList() {
  const int nIndex = m_wndToolbarList.GetCurSel();
  m_pSelectedToolbar = nIndex >= 0 ? reinterpret_cast<CUfxToolBar*>(m_wndToolbarList.GetItemDataPtr(nIndex)) : nullptr;
  if (m_pSelectedToolbar == nullptr) {
    for (int id : {IDC_UFX_RESET, IDC_UFX_RENAME_TOOLBAR, IDC_UFX_DELETE_TOOLBAR, IDC_UFX_TEXT_LABELS}) EnableControl(id, FALSE);
    return;
  }
  const BOOL bUserToolbar = m_pSelectedToolbar->IsUserDefinedToolbar();
  EnableControl(IDC_UFX_RESET, m_pSelectedToolbar->HasResourceButtons());
  EnableControl(IDC_UFX_RENAME_TOOLBAR, bUserToolbar);
  EnableControl(IDC_UFX_DELETE_TOOLBAR, bUserToolbar);
  EnableControl(IDC_UFX_TEXT_LABELS, m_pSelectedToolbar->AllowsTextLabels());
  m_bTextLabels = m_pSelectedToolbar->AreTextLabels();
  UpdateData(FALSE);
}

void CUfxToolbarsPage::OnDblclkToolbarList() {
  const int nIndex = m_wndToolbarList.GetCurSel();
  CUfxToolBar* pToolBar = nIndex >= 0 ? reinterpret_cast<CUfxToolBar*>(m_wndToolbarList.GetItemDataPtr(nIndex)) : nullptr;
  if (pToolBar != nullptr && pToolBar->IsClosable()) {
    m_wndToolbarList.SetCheck(nIndex, !m_wndToolbarList.GetCheck(nIndex));
    OnCheckChange();
  } else {
    ::MessageBeep((UINT)-1);
  }
  OnSelchangeToolbarList();
}

void CUfxToolbarsPage::OnCheckChange() {
  const int nIndex = m_wndToolbarList.GetCurSel();
  if (nIndex < 0) return;
  CUfxToolBar* pToolBar = reinterpret_cast<CUfxToolBar*>(m_wndToolbarList.GetItemDataPtr(nIndex));
  if (pToolBar == nullptr) return;
  const BOOL bCheck = m_wndToolbarList.GetCheck(nIndex) != 0;
  if (pToolBar->IsClosable()) {
    if (CFrameWnd* pFrame = pToolBar->GetParentFrame()) pFrame->ShowControlBar(pToolBar, bCheck, FALSE);
  } else if (!bCheck) {
    m_wndToolbarList.SetCheck(nIndex, 1);
    ::MessageBeep((UINT)-1);
  }
}

void CUfxToolbarsPage::OnTextLabels() {
  UpdateData();
  if (m_pSelectedToolbar != nullptr) m_pSelectedToolbar->EnableTextLabels(m_bTextLabels);
}

void CUfxToolbarsPage::OnResetToolbar() {
  if (m_pSelectedToolbar == nullptr) return;
  CString strQuestion;
  AfxFormatString1(strQuestion, IDS_UFX_RESET_TOOLBAR, ToolbarName(m_pSelectedToolbar));
  if (AfxMessageBox(strQuestion, MB_YESNO | MB_ICONQUESTION) == IDYES) m_pSelectedToolbar->RestoreResourceButtons();
}

void CUfxToolbarsPage::OnResetAllToolbars() {
  CString strQuestion;
  strQuestion.LoadString(IDS_UFX_RESET_ALL_TOOLBARS);
  if (AfxMessageBox(strQuestion, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  // Every command gets the image its toolbar resource gave it again.
  if (CUfxCommandManager* pCommands = UfxGetCommandManager()) {
    pCommands->CleanUp();
    const CMap<UINT, UINT, int, int>& images = CUfxToolBar::GetDefaultImages();
    for (POSITION pos = images.GetStartPosition(); pos != nullptr;) {
      UINT uiCmd = 0;
      int iImage = -1;
      images.GetNextAssoc(pos, uiCmd, iImage);
      pCommands->SetCmdImage(uiCmd, iImage, FALSE);
    }
  }
  for (int i = 0; i < m_wndToolbarList.GetCount(); i++) {
    CUfxToolBar* pToolBar = reinterpret_cast<CUfxToolBar*>(m_wndToolbarList.GetItemDataPtr(i));
    if (pToolBar != nullptr && pToolBar->HasResourceButtons()) pToolBar->RestoreResourceButtons();
  }
}

void CUfxToolbarsPage::OnNewToolbar() {
  CUfxBarNameDlg dlg(nullptr, this);
  if (dlg.DoModal() != IDOK) return;
  if (m_pParentFrame == nullptr) {
    ::MessageBeep(MB_ICONASTERISK);
    return;
  }
  CUfxToolBar* pNew = reinterpret_cast<CUfxToolBar*>(
      m_pParentFrame->SendMessage(UFXM_CREATETOOLBAR, 0, (LPARAM)(LPCWSTR)dlg.m_strToolbarName));
  if (pNew == nullptr) return;
  AddToolbarItem(pNew, TRUE);
  OnSelchangeToolbarList();
}

void CUfxToolbarsPage::OnRenameToolbar() {
  if (m_pSelectedToolbar == nullptr) return;
  CString strOld;
  m_pSelectedToolbar->GetWindowText(strOld);
  CUfxBarNameDlg dlg(strOld, this);
  if (dlg.DoModal() != IDOK) return;
  CUfxToolBar* pToolBar = m_pSelectedToolbar;
  pToolBar->SetWindowText(dlg.m_strToolbarName);
  if (pToolBar->IsFloating()) {
    // The floating frame and the bar inside it carry the name too.
    if (CMiniDockFrameWnd* pMiniFrame = DYNAMIC_DOWNCAST(CMiniDockFrameWnd, pToolBar->GetParentFrame())) {
      pMiniFrame->SetWindowText(dlg.m_strToolbarName);
      if (CWnd* pInner = pMiniFrame->GetWindow(GW_CHILD)) pInner->SetWindowText(dlg.m_strToolbarName);
    }
  }
  const int nIndex = FindItem(pToolBar);
  if (nIndex >= 0) m_wndToolbarList.DeleteString(nIndex);
  AddToolbarItem(pToolBar, TRUE);
  OnSelchangeToolbarList();
}

void CUfxToolbarsPage::OnDeleteToolbar() {
  if (m_pSelectedToolbar == nullptr) return;
  if (m_pParentFrame == nullptr) {
    ::MessageBeep(MB_ICONASTERISK);
    return;
  }
  CString strQuestion;
  AfxFormatString1(strQuestion, IDS_UFX_DELETE_TOOLBAR, ToolbarName(m_pSelectedToolbar));
  if (AfxMessageBox(strQuestion, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  CUfxToolBar* pToolBar = m_pSelectedToolbar;
  if (m_pParentFrame->SendMessage(UFXM_DELETETOOLBAR, 0, (LPARAM)pToolBar) == 0) {
    ::MessageBeep(MB_ICONASTERISK);
    return;
  }
  const int nIndex = FindItem(pToolBar);
  if (nIndex >= 0) m_wndToolbarList.DeleteString(nIndex);
  m_wndToolbarList.SetCurSel(0);
  OnSelchangeToolbarList();
}
