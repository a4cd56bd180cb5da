// CPanelBar: the docking bar that holds the command panels. Its child window (id 1) is the
// parent of the panel windows and always fills the bar.
#pragma once

#include "UfxSizingControlBar.h"

class CPanelBar : public CUfxSizingControlBar {
  DECLARE_DYNAMIC(CPanelBar)
public:
  CPanelBar() = default;
  CWnd& GetPanelHolder() { return m_wndHolder; }

protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  DECLARE_MESSAGE_MAP()

private:
  CWnd m_wndHolder;
};
