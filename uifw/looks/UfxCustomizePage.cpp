#include "looks/UfxCustomizePage.h"
#include "bars/UfxToolbarButton.h"
#include "frames/UfxCommandManager.h"
#include "looks/UfxCustomizeIds.h"
#include "looks/UfxToolbarCustomize.h"

IMPLEMENT_DYNCREATE(CUfxCustomizePage, CPropertyPage)

BEGIN_MESSAGE_MAP(CUfxCustomizePage, CPropertyPage)
  ON_LBN_SELCHANGE(IDC_UFX_CATEGORIES, OnSelchangeCategory)
  ON_LBN_SELCHANGE(IDC_UFX_COMMANDS, OnSelchangeCommand)
END_MESSAGE_MAP()

CUfxCustomizePage::CUfxCustomizePage() : CPropertyPage(IDD_UFX_COMMANDS_PAGE) {}

void CUfxCustomizePage::DoDataExchange(CDataExchange* pDX) {
  CPropertyPage::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_UFX_CATEGORIES, m_wndCategories);
  DDX_Control(pDX, IDC_UFX_COMMANDS, m_wndTools);
  DDX_Text(pDX, IDC_UFX_DESCRIPTION, m_strButtonDescription);
}

BOOL CUfxCustomizePage::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  m_wndTools.TakeItemSize();
  if (CUfxToolbarCustomize* pSheet = DYNAMIC_DOWNCAST(CUfxToolbarCustomize, GetParent()))
    pSheet->FillCategoriesListBox(m_wndCategories, TRUE);
  m_wndCategories.SetCurSel(0);
  OnSelchangeCategory();
  return TRUE;
}

void CUfxCustomizePage::OnSelchangeCategory() {
  UpdateData();
  const int iCategory = m_wndCategories.GetCurSel();
  if (iCategory < 0) return;
  CWaitCursor wait;
  m_wndTools.SetRedraw(FALSE);
  m_wndTools.ResetContent();
  m_strButtonDescription.Empty();
  m_pSelButton = nullptr;
  CString strCategory;
  m_wndCategories.GetText(iCategory, strCategory);
  const BOOL bAllCommands = strCategory == m_strAllCategory;
  const auto* pList = reinterpret_cast<const CUfxButtonList*>(m_wndCategories.GetItemDataPtr(iCategory));
  if (pList != nullptr) {
    // Texts that occur more than once in the category are told apart by their full names.
    const std::vector<CString> names = CUfxToolbarCustomize::DisplayNames(*pList, bAllCommands);
    CUfxCommandManager* pCommands = UfxGetCommandManager();
    size_t iName = 0;
    for (POSITION pos = pList->GetHeadPosition(); pos != nullptr; ++iName) {
      CUfxToolbarButton* pButton = pList->GetNext(pos);
      if (pButton->m_nID != (UINT)-1 && pCommands != nullptr && pCommands->GetCmdImage(pButton->m_nID, FALSE) < 0 &&
          pCommands->GetCmdImage(pButton->m_nID, TRUE) < 0) {
        pButton->m_bText = TRUE;
        pButton->m_bImage = FALSE;
      }
      const CString& strName = names[iName];
      int iItem = -1;
      if (bAllCommands) {
        // The all-commands category stays sorted by ordinal comparison.
        int iBefore = m_wndTools.GetCount();
        for (int i = 0; i < m_wndTools.GetCount(); i++) {
          CString strOther;
          m_wndTools.GetText(i, strOther);
          if (wcscmp(strOther, strName) > 0) {
            iBefore = i;
            break;
          }
        }
        iItem = m_wndTools.InsertString(iBefore, strName);
      } else {
        iItem = m_wndTools.AddString(strName);
      }
      m_wndTools.SetItemDataPtr(iItem, pButton);
    }
  }
  m_wndTools.SetRedraw(TRUE);
  m_wndTools.Invalidate();
  UpdateData(FALSE);
}

void CUfxCustomizePage::OnSelchangeCommand() {
  m_strButtonDescription.Empty();
  m_pSelButton = m_wndTools.GetButton(m_wndTools.GetCurSel());
  if (m_pSelButton != nullptr) {
    if (m_pSelButton->m_nID != 0) {
      CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd());
      if (CUfxToolbarCustomize* pSheet = DYNAMIC_DOWNCAST(CUfxToolbarCustomize, GetParent()))
        if (pSheet->GetParentFrame() != nullptr) pFrame = pSheet->GetParentFrame();
      if (pFrame != nullptr) pFrame->GetMessageString(m_pSelButton->m_nID, m_strButtonDescription);
    } else {
      m_strButtonDescription = m_pSelButton->m_strText;
    }
  }
  UpdateData(FALSE);
}
