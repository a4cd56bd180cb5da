#include "FrameToolBar.h"

#include "UfxFrameWnd.h"

IMPLEMENT_DYNAMIC(CFrameToolBar, CUfxToolBar)

BEGIN_MESSAGE_MAP(CFrameToolBar, CUfxToolBar)
  ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

void CFrameToolBar::OnContextMenu(CWnd* pWnd, CPoint point) {
  // The customization sheet's menu of a button comes with the sheet; here only the frame's.
  if (IsCustomizeMode()) return;
  if (CFrameWnd* frame = GetParentFrame())
    frame->SendMessage(UFXM_TOOLBAR_POPUPMENU, (WPARAM)m_hWnd, MAKELPARAM(point.x, point.y));
}
