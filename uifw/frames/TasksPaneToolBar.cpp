#include "frames/TasksPaneToolBar.h"

#include <algorithm>

#include "frames/TasksPaneMenuButton.h"
#include "frames/UfxFramesResources.h"

IMPLEMENT_SERIAL(CTasksPaneToolBar, CUfxToolBar, 1)

BEGIN_MESSAGE_MAP(CTasksPaneToolBar, CUfxToolBar)
  ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

void CTasksPaneToolBar::LayoutButtons() {
  if (GetSafeHwnd() == nullptr) return;
  CUfxToolBar::LayoutButtons();
  CRect rectClient;
  GetClientRect(&rectClient);
  for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
    auto* pButton = DYNAMIC_DOWNCAST(CTasksPaneMenuButton, m_Buttons.GetNext(pos));
    if (pButton == nullptr || !pButton->m_bVisible) continue;
    // The page-menu button runs to the bar's right edge.
    CRect rect = pButton->Rect();
    rect.right = std::max<int>(rectClient.right - 1, rect.left + 3 * rect.Height());
    pButton->SetRect(rect);
    break;
  }
}

BOOL CTasksPaneToolBar::ForwardToFrame(CUfxToolbarButton* pButton, CString& strTTText) const {
  if (DYNAMIC_DOWNCAST(CTasksPaneMenuButton, pButton) != nullptr) {
    strTTText.LoadString(IDS_UFX_TASKSPANE_MENU);
    return TRUE;
  }
  return CUfxToolBar::ForwardToFrame(pButton, strTTText);
}

LRESULT CTasksPaneToolBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM) {
  const BOOL bVisible = (GetStyle() & WS_VISIBLE) != 0;
  UINT swp = 0;
  if ((m_nStateFlags & delayShow) && !bVisible) swp = SWP_SHOWWINDOW;
  else if ((m_nStateFlags & delayHide) && bVisible) swp = SWP_HIDEWINDOW;
  m_nStateFlags &= ~(delayShow | delayHide);
  if (swp != 0)
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, swp | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (!(GetStyle() & WS_VISIBLE)) return 0;
  if (m_pDockBar != nullptr && !(m_pDockBar->GetStyle() & WS_VISIBLE)) return 0;
  // The owner, or the parent when there is none, answers the buttons' updates.
  CWnd* pTarget = GetOwner();
  if (pTarget == nullptr) pTarget = GetParent();
  if (pTarget != nullptr) OnUpdateCmdUI(static_cast<CFrameWnd*>(pTarget), (BOOL)wParam);
  return 0;
}
