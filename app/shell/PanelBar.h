// CPanelBar: the docking bar that holds the command panels. Its child window (id 1) is the
// framework's tab window: one tab per panel, the panel windows its children; it always fills
// the bar.
#pragma once

#include "frames/UfxSizingControlBar.h"
#include "frames/UfxTabWnd.h"

class CPanelBar : public CUfxSizingControlBar {
  DECLARE_DYNAMIC(CPanelBar)
public:
  CPanelBar() = default;
  CUfxTabWnd& GetTabWnd() { return m_wndTabs; }

protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  DECLARE_MESSAGE_MAP()

private:
  CUfxTabWnd m_wndTabs;
};
