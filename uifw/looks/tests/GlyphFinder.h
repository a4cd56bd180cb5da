// Finds a menu glyph among the pixels of a canvas: where each of its opaque pixels is alike.
#pragma once
#include "TestCanvas.h"
#include "bars/UfxMenuGlyphs.h"
#include <vector>

struct GlyphPixel {
  int x, y;
  COLORREF clr;
};

// The glyph's opaque pixels: those that come out alike on a white and on a black ground.
inline std::vector<GlyphPixel> GlyphPixels(int iGlyph) {
  const CSize size = CUfxMenuGlyphs::GetSize();
  CTestCanvas white(size.cx, size.cy, RGB(255, 255, 255)), black(size.cx, size.cy, RGB(0, 0, 0));
  CUfxMenuGlyphs::Draw(&white.dc(), iGlyph, CPoint(0, 0));
  CUfxMenuGlyphs::Draw(&black.dc(), iGlyph, CPoint(0, 0));
  std::vector<GlyphPixel> pixels;
  for (int y = 0; y < size.cy; ++y)
    for (int x = 0; x < size.cx; ++x)
      if (white.At(x, y) == black.At(x, y)) pixels.push_back({x, y, white.At(x, y)});
  return pixels;
}

// The top-left corner of the first place where the glyph shows; (-1, -1) when it shows nowhere.
inline CPoint FindGlyph(CTestCanvas& canvas, int iGlyph) {
  const std::vector<GlyphPixel> glyph = GlyphPixels(iGlyph);
  if (glyph.empty()) return CPoint(-1, -1);
  for (int y = 0; y + 9 <= canvas.Height(); ++y)
    for (int x = 0; x + 9 <= canvas.Width(); ++x) {
      bool all = true;
      for (const GlyphPixel& p : glyph)
        if (canvas.At(x + p.x, y + p.y) != p.clr) {
          all = false;
          break;
        }
      if (all) return CPoint(x, y);
    }
  return CPoint(-1, -1);
}
