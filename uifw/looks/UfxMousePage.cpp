#include "looks/UfxMousePage.h"
#include "frames/UfxMouseManager.h"
#include "looks/UfxCustomizeIds.h"
#include "looks/UfxToolbarCustomize.h"
#include <algorithm>
#include <commctrl.h>

IMPLEMENT_DYNCREATE(CUfxMousePage, CPropertyPage)

BEGIN_MESSAGE_MAP(CUfxMousePage, CPropertyPage)
  ON_NOTIFY(LVN_ITEMCHANGED, IDC_UFX_VIEWS, OnItemchangedViews)
  ON_BN_CLICKED(IDC_UFX_NO_DBLCLICK, OnNoDblClick)
  ON_BN_CLICKED(IDC_UFX_USE_DBLCLICK, OnUseDblClick)
  ON_LBN_SELCHANGE(IDC_UFX_DBLCLICK_COMMANDS, OnSelchangeCommands)
END_MESSAGE_MAP()

CUfxMousePage::CUfxMousePage() : CPropertyPage(IDD_UFX_MOUSE_PAGE) {}

void CUfxMousePage::DoDataExchange(CDataExchange* pDX) {
  CPropertyPage::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_UFX_VIEWS, m_wndListOfViews);
  DDX_Control(pDX, IDC_UFX_DBLCLICK_COMMANDS, m_wndListOfCommands);
  DDX_Text(pDX, IDC_UFX_MOUSE_DESCRIPTION, m_strCommandDescription);
}

BOOL CUfxMousePage::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  if (UfxMouseManager == nullptr) return TRUE;
  CStringList names;
  UfxMouseManager->GetViewNames(names);
  const int cxIcon = ::GetSystemMetrics(SM_CXSMICON), cyIcon = ::GetSystemMetrics(SM_CYSMICON);
  m_ViewsImages.Create(cxIcon, cyIcon, ILC_COLOR32 | ILC_MASK, (int)names.GetCount(), 1);
  m_wndListOfViews.SetImageList(&m_ViewsImages, LVSIL_SMALL);
  CRect rectClient;
  m_wndListOfViews.GetClientRect(rectClient);
  m_wndListOfViews.InsertColumn(0, L"", LVCFMT_LEFT, rectClient.Width() - 1);
  int cxWidest = 0;
  CClientDC dc(&m_wndListOfViews);
  CFont* pOldFont = dc.SelectObject(m_wndListOfViews.GetFont());
  for (POSITION pos = names.GetHeadPosition(); pos != nullptr;) {
    const CString& strName = names.GetNext(pos);
    const int iViewId = UfxMouseManager->GetViewIdByName(strName);
    int iImage = -1;
    if (const UINT uiIcon = UfxMouseManager->GetViewIconId(iViewId)) {
      if (HICON hIcon = (HICON)::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(uiIcon), IMAGE_ICON, cxIcon, cyIcon, 0)) {
        iImage = m_ViewsImages.Add(hIcon);
        ::DestroyIcon(hIcon);
      }
    }
    // Sorted by ordinal comparison.
    int iBefore = m_wndListOfViews.GetItemCount();
    for (int i = 0; i < m_wndListOfViews.GetItemCount(); i++) {
      if (wcscmp(m_wndListOfViews.GetItemText(i, 0), strName) > 0) {
        iBefore = i;
        break;
      }
    }
    const int iItem = m_wndListOfViews.InsertItem(iBefore, strName, iImage);
    m_wndListOfViews.SetItemData(iItem, (DWORD_PTR)iViewId);
    cxWidest = std::max(cxWidest, (int)dc.GetTextExtent(strName).cx);
  }
  dc.SelectObject(pOldFont);
  m_wndListOfViews.SetColumnWidth(0, cxWidest + cxIcon + 10);
  if (CUfxToolbarCustomize* pSheet = DYNAMIC_DOWNCAST(CUfxToolbarCustomize, GetParent()))
    pSheet->FillAllCommandsList(m_wndListOfCommands);
  if (m_wndListOfViews.GetItemCount() > 0) {
    m_wndListOfViews.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    m_wndListOfViews.EnsureVisible(0, FALSE);
  }
  return TRUE;
}

CString CUfxMousePage::PromptOf(UINT uiCmd) const {
  CString strPrompt;
  CUfxToolbarCustomize* pSheet = DYNAMIC_DOWNCAST(CUfxToolbarCustomize, GetParent());
  CFrameWnd* pFrame = pSheet != nullptr ? pSheet->GetParentFrame() : nullptr;
  if (pFrame != nullptr) pFrame->GetMessageString(uiCmd, strPrompt);
  return strPrompt;
}

void CUfxMousePage::EnableCommandList(BOOL bEnable) {
  m_wndListOfCommands.EnableWindow(bEnable);
  if (CWnd* pWnd = GetDlgItem(IDC_UFX_MOUSE_DESCRIPTION)) pWnd->EnableWindow(bEnable);
  if (!bEnable) {
    m_wndListOfCommands.SetCurSel(-1);
    m_strCommandDescription.Empty();
    UpdateData(FALSE);
  }
}

void CUfxMousePage::OnItemchangedViews(NMHDR* pNMHDR, LRESULT* pResult) {
  *pResult = 0;
  const NMLISTVIEW* pInfo = reinterpret_cast<NMLISTVIEW*>(pNMHDR);
  if (!(pInfo->uChanged & LVIF_STATE) || UfxMouseManager == nullptr) return;
  const int iItem = m_wndListOfViews.GetNextItem(-1, LVNI_SELECTED);
  if (iItem < 0) return;
  m_iCurrViewId = (int)m_wndListOfViews.GetItemData(iItem);
  const UINT uiCmd = UfxMouseManager->GetViewDblClickCommand(m_iCurrViewId);
  CheckDlgButton(IDC_UFX_USE_DBLCLICK, uiCmd != 0 ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(IDC_UFX_NO_DBLCLICK, uiCmd != 0 ? BST_UNCHECKED : BST_CHECKED);
  EnableCommandList(uiCmd != 0);
  if (uiCmd == 0) return;
  for (int i = 0; i < m_wndListOfCommands.GetCount(); i++) {
    if ((UINT)m_wndListOfCommands.GetItemData(i) != uiCmd) continue;
    m_wndListOfCommands.SetCurSel(i);
    m_wndListOfCommands.SetTopIndex(i);
    break;
  }
  m_strCommandDescription = PromptOf(uiCmd);
  UpdateData(FALSE);
}

void CUfxMousePage::OnNoDblClick() {
  if (UfxMouseManager != nullptr && m_iCurrViewId >= 0) UfxMouseManager->SetCommandForDblClick(m_iCurrViewId, 0);
  EnableCommandList(FALSE);
}

void CUfxMousePage::OnUseDblClick() {
  EnableCommandList(TRUE);
  if (m_iCurrViewId < 0 || UfxMouseManager == nullptr) {
    ::MessageBeep((UINT)-1);
    return;
  }
  UfxMouseManager->SetCommandForDblClick(m_iCurrViewId, 0);
}

void CUfxMousePage::OnSelchangeCommands() {
  if (m_iCurrViewId < 0 || UfxMouseManager == nullptr) {
    ::MessageBeep((UINT)-1);
    return;
  }
  const int iItem = m_wndListOfCommands.GetCurSel();
  if (iItem < 0) return;
  const UINT uiCmd = (UINT)m_wndListOfCommands.GetItemData(iItem);
  UfxMouseManager->SetCommandForDblClick(m_iCurrViewId, uiCmd);
  m_strCommandDescription = PromptOf(uiCmd);
  UpdateData(FALSE);
}
