// CPropertySheetCtrl: a property sheet that lives as a child window of a dialog; its tab control
// and pages fill its client area. An optional accelerator table is tried first on every message.
#pragma once
#include "Framework.h"
#include "FwPropSheet.h"

class CPropertySheetCtrl : public CPropertySheet {
  DECLARE_DYNAMIC(CPropertySheetCtrl)
public:
  CPropertySheetCtrl(UINT nIDCaption = 0, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
  ~CPropertySheetCtrl() override;

  BOOL OnInitDialog() override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  // The sheet deletes itself when its window goes.
  void PostNcDestroy() override { delete this; }

  void SetAccelTable(HACCEL hAccel) { m_hAccel = hAccel; }
  // The tab control fills the client area; each created page keeps its place and takes the width
  // less three edges and the height down to the bottom less one edge.
  void FitPages();

  HACCEL m_hAccel = nullptr;

protected:
  afx_msg void OnSize(UINT nType, int cx, int cy);
  DECLARE_MESSAGE_MAP()
};
