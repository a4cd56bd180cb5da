// CFrameToolBar: the main frame's toolbars. Outside customization mode a right click asks the
// top-level frame (also for a floating bar) for the toolbar menu, as every framework toolbar
// does.
#pragma once

#include "bars/UfxToolBar.h"

class CFrameToolBar : public CUfxToolBar {
  DECLARE_DYNAMIC(CFrameToolBar)
public:
  CFrameToolBar() = default;
};
