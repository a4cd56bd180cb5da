// CUfxToolBar: the framework's toolbar, a control bar of button objects.
#pragma once
#include "Framework.h"

class CUfxToolBar : public CControlBar {
  DECLARE_DYNAMIC(CUfxToolBar)
public:
  CUfxToolBar();
  ~CUfxToolBar() override;

  // The framework-wide customization mode: while it is on, bars offer no context menus.
  static BOOL IsCustomizeMode() { return s_bCustomizeMode; }
  static void SetCustomizeMode(BOOL bSet) { s_bCustomizeMode = bSet; }

protected:
  static BOOL s_bCustomizeMode;
};
