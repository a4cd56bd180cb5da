#include "PanelBar.h"

IMPLEMENT_DYNAMIC(CPanelBar, CUfxSizingControlBar)

BEGIN_MESSAGE_MAP(CPanelBar, CUfxSizingControlBar)
  ON_WM_CREATE()
  ON_WM_SIZE()
END_MESSAGE_MAP()

int CPanelBar::OnCreate(LPCREATESTRUCT lpcs) {
  if (CUfxSizingControlBar::OnCreate(lpcs) == -1) return -1;
  // The framework's tab window takes this place once it is there.
  if (!m_wndHolder.CreateEx(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, CRect(0, 0, 0, 0), this, 1))
    return -1;
  return 0;
}

void CPanelBar::OnSize(UINT nType, int cx, int cy) {
  CUfxSizingControlBar::OnSize(nType, cx, cy);
  if (m_wndHolder.GetSafeHwnd() != nullptr)
    m_wndHolder.SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}
