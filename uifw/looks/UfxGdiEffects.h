// Pixel effects on one device context: gradients, highlight, grey, gradient ring and the soft
// shadow. The pixel effects copy the area into a 32-bit DIB section, change it there and copy it
// back; on palette screens (8 bits per pixel or fewer) they fill with the light brush instead.
#pragma once
#include "Framework.h"

class CUfxGdiEffects {
public:
  explicit CUfxGdiEffects(CDC& dc) : m_dc(dc) {}
  virtual ~CUfxGdiEffects() = default;

  // percent -1: each channel halfway toward the button-highlight colour; 100: nothing.
  // Pixels of the transparent colour (-1: none) keep their value.
  BOOL HighlightRect(CRect rect, int percent = -1, COLORREF transparent = (COLORREF)-1);
  // Each pixel becomes the grey of its lightness, then halfway toward the button highlight
  // (percent -1) or scaled by percent.
  BOOL GrayRect(CRect rect, int percent = -1, COLORREF transparent = (COLORREF)-1);
  // 64 bands from start to finish: columns left to right, or rows bottom to top when vertical.
  void FillGradient(CRect rect, COLORREF start, COLORREF finish, BOOL vertical = TRUE);
  void FillGradientAngle(CRect rect, COLORREF start, COLORREF finish, int angle = 45);
  // A ring running from start at startAngle to finish opposite it and back; FALSE under 5 pixels.
  BOOL DrawGradientRing(CRect rect, COLORREF start, COLORREF finish, COLORREF border = (COLORREF)-1,
                        int startAngle = 0, int rings = 1, COLORREF centre = (COLORREF)-1);
  // A shadow depth pixels wide right of (left of, when not rightSide) and below the rectangle,
  // darkest (inner %) next to it. Given strip bitmaps receive the finished strips; when both
  // already hold one, they are drawn back instead of darkening the screen again.
  BOOL DrawShadow(CRect rect, int depth, int outerPercent = 100, int innerPercent = 75,
                  CBitmap* bottomStrip = nullptr, CBitmap* sideStrip = nullptr, BOOL rightSide = TRUE);

protected:
  CDC& m_dc;
};
