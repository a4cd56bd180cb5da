// CUfxSizingControlBar: the framework's resizable docking pane.
#pragma once
#include "Framework.h"

class CUfxSizingControlBar : public CControlBar {
  DECLARE_DYNAMIC(CUfxSizingControlBar)
public:
  CUfxSizingControlBar();
  ~CUfxSizingControlBar() override;
};
