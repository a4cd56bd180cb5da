// CToolbarCustomizeSheet: the program's customization sheet. While it is open the worksheet
// cannot be edited.
#pragma once
#include "NumbrookLib.h"
#include "looks/UfxToolbarCustomize.h"

class CToolbarCustomizeSheet : public CUfxToolbarCustomize {
  DECLARE_DYNAMIC(CToolbarCustomizeSheet)
public:
  CToolbarCustomizeSheet(CFrameWnd* pFrame, INumbrookMain* pRoot);
  ~CToolbarCustomizeSheet() override;
  BOOL OnInitDialog() override;

protected:
  afx_msg void OnDestroy();
  void SetDocEditable(BOOL bEditable);
  INumbrookMain* m_pRoot = nullptr;
  DECLARE_MESSAGE_MAP()
};
