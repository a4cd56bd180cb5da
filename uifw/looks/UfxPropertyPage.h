// CUfxPropertyPage: the framework's property page. It tells a CUfxPropertySheet when it becomes
// active, and its popup-menu helper sees its messages and commands first, so that a framework
// popup menu opened over the page closes on a click elsewhere.
#pragma once
#include "Framework.h"
#include "bars/UfxDialogMenuHelper.h"

class CUfxPopupMenu;
class CUfxPropSheetCategory;

class CUfxPropertyPage : public CPropertyPage {
  DECLARE_DYNCREATE(CUfxPropertyPage)
public:
  CUfxPropertyPage();
  explicit CUfxPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
  ~CUfxPropertyPage() override;

  // Records the popup menu open over this page (null: none). With a menu a thread mouse hook is
  // installed once, so that a click outside closes it; with null the hook goes. One at a time.
  void SetActiveMenu(CUfxPopupMenu* pMenu);
  static CUfxPopupMenu* GetActiveMenu() { return s_pActiveMenu; }

  BOOL OnSetActive() override;
  BOOL PreTranslateMessage(MSG* pMsg) override;

  // The tree look of the sheet: the page's category, its images (plain and active) and item.
  CUfxPropSheetCategory* m_pCategory = nullptr;
  int m_nIcon = -1;
  int m_nSelIconNum = -1;
  HTREEITEM m_hTreeNode = nullptr;

protected:
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
  afx_msg BOOL OnNcActivate(BOOL bActive);

  CUfxDialogMenuHelper m_Impl;
  static CUfxPopupMenu* s_pActiveMenu;
  static CUfxPropertyPage* s_pActivePage;
  DECLARE_MESSAGE_MAP()
};
