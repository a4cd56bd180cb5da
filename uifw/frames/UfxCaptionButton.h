// CUfxCaptionButton: one button of a sizing bar's caption (close or expand), a plain record that
// the bar hit-tests and the visual manager draws.
#pragma once
#include "Framework.h"

class CControlBar;

class CUfxCaptionButton {
public:
  // Menu glyphs are 9 x 9: a caption button is a glyph with 5 pixels around it.
  enum { GLYPH_SIZE = 9, MARGIN = 5 };
  // The kinds of button: the bar's hit-test codes over them.
  enum { HIT_CLOSE = 19, HIT_EXPAND = 9 };

  CUfxCaptionButton() = default;
  CUfxCaptionButton(UINT nHit, UINT nTooltipId) : m_nHit(nHit), m_nTooltipId(nTooltipId) {}

  BOOL m_bPushed = FALSE;
  BOOL m_bFocused = FALSE;  // highlighted: the cursor is over it
  UINT m_nHit = 0;          // the bar's hit-test code over it (HIT_CLOSE, HIT_EXPAND): its kind
  UINT m_nTooltipId = 0;
  BOOL m_bHidden = FALSE;   // a hidden button has no size and is not drawn
  CControlBar* m_pParentBar = nullptr;
  CPoint m_ptOrg = CPoint(0, 0);  // from the bar window's top-left corner

  CRect GetRect() const {
    const int size = m_bHidden ? 0 : GLYPH_SIZE + MARGIN;
    return CRect(m_ptOrg, CSize(size, size));
  }
};
