// CFrameToolBar: the main frame's toolbars. Outside customization mode a right click asks the
// frame for the toolbar menu.
#pragma once

#include "UfxToolBar.h"

class CFrameToolBar : public CUfxToolBar {
  DECLARE_DYNAMIC(CFrameToolBar)
public:
  CFrameToolBar() = default;

protected:
  afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
  DECLARE_MESSAGE_MAP()
};
