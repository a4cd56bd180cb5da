#include "PanelBar.h"

IMPLEMENT_DYNAMIC(CPanelBar, CUfxSizingControlBar)

BEGIN_MESSAGE_MAP(CPanelBar, CUfxSizingControlBar)
  ON_WM_CREATE()
  ON_WM_SIZE()
END_MESSAGE_MAP()

int CPanelBar::OnCreate(LPCREATESTRUCT lpcs) {
  if (CUfxSizingControlBar::OnCreate(lpcs) == -1) return -1;
  if (!m_wndTabs.Create(CUfxTabWnd::STYLE_3D, CRect(0, 0, 0, 0), this, 1)) return -1;
  // The panels manager owns the panel windows: a removed tab leaves its window to it.
  m_wndTabs.SetDestroyTabWindows(FALSE);
  return 0;
}

void CPanelBar::OnSize(UINT nType, int cx, int cy) {
  CUfxSizingControlBar::OnSize(nType, cx, cy);
  if (m_wndTabs.GetSafeHwnd() != nullptr)
    m_wndTabs.SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}
