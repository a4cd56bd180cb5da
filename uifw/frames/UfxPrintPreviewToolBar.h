// CUfxPrintPreviewToolBar: the print preview's toolbar, laid over the preview's dialog bar. It
// offers no context menu.
#pragma once
#include "bars/UfxToolBar.h"

class CUfxPrintPreviewToolBar : public CUfxToolBar {
public:
  INT_PTR OnToolHitTest(CPoint point, TOOLINFOW* pTI) const override;

protected:
  afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
  DECLARE_MESSAGE_MAP()
};
