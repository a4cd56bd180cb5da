// CUfxMousePage: the customization page that picks, for each kind of view, the command a double
// click in it runs.
#pragma once
#include "Framework.h"

class CUfxMousePage : public CPropertyPage {
  DECLARE_DYNCREATE(CUfxMousePage)
public:
  CUfxMousePage();
  BOOL OnInitDialog() override;

  CListCtrl m_wndListOfViews;
  CListBox m_wndListOfCommands;
  CImageList m_ViewsImages;
  CString m_strCommandDescription;
  int m_iCurrViewId = -1;

protected:
  void DoDataExchange(CDataExchange* pDX) override;
  afx_msg void OnItemchangedViews(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnNoDblClick();
  afx_msg void OnUseDblClick();
  afx_msg void OnSelchangeCommands();
  void EnableCommandList(BOOL bEnable);
  CString PromptOf(UINT uiCmd) const;
  DECLARE_MESSAGE_MAP()
};
