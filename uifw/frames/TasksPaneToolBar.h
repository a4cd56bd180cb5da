// CTasksPaneToolBar: the small toolbar at the top of a tasks pane. Its page-menu button spans the
// bar, and it shows and hides itself on the idle update like any control bar, updating its
// buttons through its owner.
#pragma once
#include "bars/UfxToolBar.h"

class CTasksPaneToolBar : public CUfxToolBar {
  DECLARE_SERIAL(CTasksPaneToolBar)
public:
  void LayoutButtons() override;
  BOOL ForwardToFrame(CUfxToolbarButton* pButton, CString& strTTText) const override;

protected:
  afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()
};
