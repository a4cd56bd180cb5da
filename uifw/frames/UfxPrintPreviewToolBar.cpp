#include "frames/UfxPrintPreviewToolBar.h"

BEGIN_MESSAGE_MAP(CUfxPrintPreviewToolBar, CUfxToolBar)
  ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

INT_PTR CUfxPrintPreviewToolBar::OnToolHitTest(CPoint point, TOOLINFOW* pTI) const {
  // The tips are the framework's strings, read from the resource library in force.
  return CUfxToolBar::OnToolHitTest(point, pTI);
}

void CUfxPrintPreviewToolBar::OnContextMenu(CWnd*, CPoint) {}
