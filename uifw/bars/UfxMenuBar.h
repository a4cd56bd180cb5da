// CUfxMenuBar: the frame's menu as a toolbar; docked, it takes a row of its own.
#pragma once
#include "UfxToolBar.h"

class CUfxMenuBar : public CUfxToolBar {
  DECLARE_DYNAMIC(CUfxMenuBar)
public:
  CUfxMenuBar();
  ~CUfxMenuBar() override;
};
