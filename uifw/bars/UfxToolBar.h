// CUfxToolBar: the framework's toolbar, a control bar of button objects.
#pragma once
#include "Framework.h"

class CUfxToolBar : public CControlBar {
  DECLARE_DYNAMIC(CUfxToolBar)
public:
  CUfxToolBar();
  ~CUfxToolBar() override;
};
