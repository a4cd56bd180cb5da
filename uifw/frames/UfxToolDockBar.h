// CUfxToolDockBar: the framework's dock bar. Framework bars sit edge to edge in its rows, a docked
// menu bar takes a row of its own, bars never hang past its end, and the visual manager paints it.
#pragma once
#include "Framework.h"

class CUfxToolDockBar : public CDockBar {
  DECLARE_DYNAMIC(CUfxToolDockBar)
public:
  CUfxToolDockBar();
  ~CUfxToolDockBar() override;

  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  void DoPaint(CDC* pDC) override;

  // How far a bar reaches over its neighbours: 0 for the framework's own bars.
  static int GetOverlap(const CControlBar* pBar);
  // The layout mode a docked bar is asked for its size with.
  static DWORD GetLayoutMode(const CControlBar* pBar);
};
