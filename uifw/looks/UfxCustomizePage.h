// CUfxCustomizePage: the customization sheet's commands page: categories on the left, their
// commands on the right, ready to be dragged onto toolbars and menus.
#pragma once
#include "Framework.h"
#include "looks/UfxDragCommandList.h"

class CUfxToolbarButton;

class CUfxCustomizePage : public CPropertyPage {
  DECLARE_DYNCREATE(CUfxCustomizePage)
public:
  CUfxCustomizePage();
  void SetAllCategory(LPCWSTR lpszCategory) { m_strAllCategory = lpszCategory != nullptr ? lpszCategory : L""; }
  BOOL OnInitDialog() override;

  CListBox m_wndCategories;
  CUfxDragCommandList m_wndTools;
  CString m_strButtonDescription;
  CUfxToolbarButton* m_pSelButton = nullptr;

protected:
  void DoDataExchange(CDataExchange* pDX) override;
  afx_msg void OnSelchangeCategory();
  afx_msg void OnSelchangeCommand();
  CString m_strAllCategory;
  DECLARE_MESSAGE_MAP()
};
