// CUfxDropDownToolBar: the toolbar of a drop-down button's source commands, and the copy of it
// that the drop-down frame shows. It is always locked; a command chosen in the frame becomes the
// drop-down button's current command.
#pragma once
#include "bars/UfxToolBar.h"

class CUfxDropDownToolBar : public CUfxToolBar {
  DECLARE_SERIAL(CUfxDropDownToolBar)
public:
  CUfxDropDownToolBar() = default;

  BOOL LoadToolBarImages(UINT uiResID, UINT uiColdResID = 0, UINT uiDisabledResID = 0, UINT uiLargeResID = 0,
                         UINT uiLargeColdResID = 0, UINT uiLargeDisabledResID = 0, UINT uiMenuResID = 0,
                         UINT uiMenuDisabledResID = 0, BOOL bLocked = TRUE) override;
  BOOL LoadToolBarResource(UINT uiToolbarResID, UINT uiResID = 0, UINT uiColdResID = 0, UINT uiDisabledResID = 0,
                           UINT uiLargeResID = 0, UINT uiLargeColdResID = 0, UINT uiLargeDisabledResID = 0,
                           UINT uiMenuResID = 0, UINT uiMenuDisabledResID = 0, BOOL bLocked = TRUE) override;
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

  // The frame's bar takes the source bar's strips, sizes and buttons.
  void CopyFromSource(CUfxToolBar& source);
  // The command chosen in the frame: the button's current command, posted to its owner.
  virtual BOOL OnSendCommand(const CUfxToolbarButton* pButton);

protected:
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  DECLARE_MESSAGE_MAP()
};
