// CUfxBarNcHelper: the non-client part of a framework bar (borders and gripper), sized and painted
// through the visual manager for the bar that owns it, and the parent's background behind the bar.
#pragma once
#include "Framework.h"

class CUfxBarNcHelper {
public:
  explicit CUfxBarNcHelper(CControlBar* pBar) : m_pBar(pBar) {}
  virtual ~CUfxBarNcHelper() = default;

  // WM_NCCALCSIZE: the client rectangle shrinks by the bar's inside borders.
  void CalcNcSize(LPRECT lpRect);
  // WM_NCPAINT: borders, background and (docked bars only) the gripper, within the update region.
  void DrawNcArea();
  // The parent's background into the DC.
  void FillBackground(CDC* pDC);

protected:
  CControlBar* m_pBar;
};
