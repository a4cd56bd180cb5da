#include "looks/UfxGdiEffects.h"
#include "looks/UfxColorMath.h"
#include "frames/UfxGlobalData.h"
#include <math.h>
#include <algorithm>
#include <vector>

namespace {

const double kDegree = 0.017453292222222222;

// DIB pixels are blue, green, red from the low byte: the opposite order of COLORREF.
inline DWORD SwapRedBlue(COLORREF c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); }

// One scratch 32-bit DIB section in its memory DC, kept between effects and grown when an area
// does not fit: a fresh DIB section costs far more than the effect itself. UI thread only.
struct CScratchDib {
  HDC dc = nullptr;
  HBITMAP dib = nullptr;
  HGDIOBJ old = nullptr;
  DWORD* bits = nullptr;
  int width = 0, height = 0;

  bool Fit(HDC compatible, int w, int h) {
    if (bits != nullptr && w <= width && h <= height) return true;
    Free();
    const int newW = std::max(w, width), newH = std::max(h, height);
    dc = ::CreateCompatibleDC(compatible);
    if (dc == nullptr) return false;
    BITMAPINFOHEADER bih = {};
    bih.biSize = sizeof(bih);
    bih.biWidth = newW;
    bih.biHeight = newH;  // rows bottom-up
    bih.biPlanes = 1;
    bih.biBitCount = 32;
    bih.biCompression = BI_RGB;
    bih.biSizeImage = newW * newH;
    void* p = nullptr;
    dib = ::CreateDIBSection(compatible, (BITMAPINFO*)&bih, DIB_RGB_COLORS, &p, nullptr, 0);
    if (dib == nullptr || p == nullptr) {
      Free();
      return false;
    }
    old = ::SelectObject(dc, dib);
    bits = (DWORD*)p;
    width = newW;
    height = newH;
    return true;
  }
  void Free() {
    if (dc != nullptr && old != nullptr) ::SelectObject(dc, old);
    if (dib != nullptr) ::DeleteObject(dib);
    if (dc != nullptr) ::DeleteDC(dc);
    dc = nullptr;
    dib = nullptr;
    old = nullptr;
    bits = nullptr;
    width = height = 0;
  }
  ~CScratchDib() { Free(); }
};

CScratchDib s_scratch;

// The area of the bound DC copied into the scratch DIB, changed there, and copied back.
class CDibArea {
public:
  CDibArea(CDC& dc, const CRect& area) : m_dc(dc), m_area(area) {
    if (area.IsRectEmpty() || !s_scratch.Fit(dc.GetSafeHdc(), area.Width(), area.Height())) return;
    if (!::BitBlt(s_scratch.dc, 0, 0, area.Width(), area.Height(), dc.GetSafeHdc(), area.left, area.top, SRCCOPY)) return;
    ::GdiFlush();
    m_ok = true;
  }
  bool Ok() const { return m_ok; }
  int Width() const { return m_area.Width(); }
  int Height() const { return m_area.Height(); }
  // (x, y) from the area's top-left corner.
  DWORD& At(int x, int y) { return s_scratch.bits[(s_scratch.height - 1 - y) * s_scratch.width + x]; }
  // Each pixel of the area once, row by row.
  template <class F> void ForEach(F f) {
    for (int y = 0; y < Height(); ++y) {
      DWORD* row = &At(0, y);
      for (int x = 0; x < Width(); ++x) f(row[x]);
    }
  }
  void CopyBack() {
    ::GdiFlush();
    ::BitBlt(m_dc.GetSafeHdc(), m_area.left, m_area.top, Width(), Height(), s_scratch.dc, 0, 0, SRCCOPY);
  }

private:
  CDC& m_dc;
  CRect m_area;
  bool m_ok = false;
};

// Halfway toward the button highlight, channel by channel (the effects' default percentage).
inline DWORD HalfwayToHighlight(DWORD pixel, DWORD highlight) {
  DWORD out = 0;
  for (int k = 0; k < 3; ++k) {
    int x = (pixel >> (8 * k)) & 0xFF, h = (highlight >> (8 * k)) & 0xFF;
    int v = x + (h - x) / 2;
    out |= (DWORD)(v < 0 ? 0 : (v > 255 ? 255 : v)) << (8 * k);
  }
  return out;
}

// Both pixel effects: the light brush on palette screens, else one pass over the DIB.
template <class Change>
BOOL ChangePixels(CDC& dc, const CRect& rect, COLORREF transparent, Change change) {
  if (rect.IsRectEmpty()) return TRUE;
  if (UfxGlobalData.m_nBitsPerPixel <= 8) {
    dc.FillRect(&rect, &UfxGlobalData.brLight);
    return TRUE;
  }
  CDibArea dib(dc, rect);
  if (!dib.Ok()) return FALSE;
  const bool keep = transparent != (COLORREF)-1;
  const DWORD keepPixel = SwapRedBlue(transparent);
  dib.ForEach([&](DWORD& p) {
    const DWORD pixel = p & 0xFFFFFF;
    if (!keep || pixel != keepPixel) p = change(pixel);
  });
  dib.CopyBack();
  return TRUE;
}

// A solid band of one colour, with a brush made for it.
void FillBand(CDC& dc, const CRect& band, COLORREF color) {
  CBrush brush(color);
  dc.FillRect(&band, &brush);
}

inline COLORREF BandColor(COLORREF start, COLORREF finish, int k) {
  int ch[3];
  for (int c = 0; c < 3; ++c)
    ch[c] = ((int)((start >> (8 * c)) & 0xFF) * (64 - k) + (int)((finish >> (8 * c)) & 0xFF) * k) >> 6;
  return RGB(ch[0], ch[1], ch[2]);
}

}  // namespace

BOOL CUfxGdiEffects::HighlightRect(CRect rect, int percent, COLORREF transparent) {
  if (percent == 100) return TRUE;
  const DWORD highlight = SwapRedBlue(UfxGlobalData.clrBtnHilite);
  return ChangePixels(m_dc, rect, transparent, [&](DWORD pixel) -> DWORD {
    return percent == -1 ? HalfwayToHighlight(pixel, highlight) : ScaleColorChannels(pixel, percent, percent, percent);
  });
}

BOOL CUfxGdiEffects::GrayRect(CRect rect, int percent, COLORREF transparent) {
  const DWORD highlight = SwapRedBlue(UfxGlobalData.clrBtnHilite);
  return ChangePixels(m_dc, rect, transparent, [&](DWORD pixel) -> DWORD {
    double h, s, l;
    RGBToHLS(pixel, &h, &s, &l);  // channel order does not change the lightness
    DWORD grey = HLSToRGB(h, l, 0);
    return percent == -1 ? HalfwayToHighlight(grey, highlight) : ScaleColorByFactor(grey, percent * 0.01);
  });
}

void CUfxGdiEffects::FillGradient(CRect rect, COLORREF start, COLORREF finish, BOOL vertical) {
  if (start == finish) {
    FillBand(m_dc, rect, start);
    return;
  }
  const int width = rect.Width(), height = rect.Height();
  for (int k = 0; k < 64; ++k) {
    CRect band = rect;
    if (vertical) {
      band.top = rect.bottom - height * (k + 1) / 64;
      band.bottom = rect.bottom - height * k / 64;
    } else {
      band.left = rect.left + width * k / 64;
      band.right = rect.left + width * (k + 1) / 64;
    }
    if (band.IsRectEmpty()) continue;
    FillBand(m_dc, band, BandColor(start, finish, k));
  }
}

void CUfxGdiEffects::FillGradientAngle(CRect rect, COLORREF start, COLORREF finish, int angle) {
  if (start == finish) {
    FillBand(m_dc, rect, start);
    return;
  }
  switch (angle) {
    case 0: case 360: FillGradient(rect, start, finish, FALSE); return;
    case 90: FillGradient(rect, start, finish, TRUE); return;
    case 180: FillGradient(rect, finish, start, FALSE); return;
    case 270: FillGradient(rect, finish, start, TRUE); return;
  }
  const int width = rect.Width(), height = rect.Height();
  if (width <= 0 || height <= 0) return;
  CDC mem;
  CBitmap bmp;
  if (!mem.CreateCompatibleDC(&m_dc) || !bmp.CreateCompatibleBitmap(&m_dc, width, height)) return;
  CBitmap* oldBmp = mem.SelectObject(&bmp);
  CGdiObject* oldPen = mem.SelectStockObject(NULL_PEN);
  const int slant = (int)(cos((angle + 180) * kDegree) * height);
  const int run = abs(slant) + width;
  const int x0 = slant >= 1 ? -slant : 0;
  for (int k = 0; k < 64; ++k) {
    int a = x0 + run * k / 64, b = x0 + run * (k + 1) / 64;
    if (a == b) continue;
    CBrush brush(BandColor(start, finish, k));
    CBrush* oldBrush = mem.SelectObject(&brush);
    POINT pts[4] = {{a, 0}, {b, 0}, {b + slant, height}, {a + slant, height}};
    mem.Polygon(pts, 4);
    mem.SelectObject(oldBrush);
  }
  m_dc.BitBlt(rect.left, rect.top, width, height, &mem, 0, 0, SRCCOPY);
  mem.SelectObject(oldPen);
  mem.SelectObject(oldBmp);
}

BOOL CUfxGdiEffects::DrawGradientRing(CRect rect, COLORREF start, COLORREF finish, COLORREF border, int startAngle,
                                      int rings, COLORREF centre) {
  if (rect.Width() < 5 || rect.Height() < 5) return FALSE;
  if (centre != (COLORREF)-1) {
    // The inside: a circle, or a bar rounded at both ends along the longer side.
    CBrush brush(centre);
    CBrush* oldBrush = m_dc.SelectObject(&brush);
    CGdiObject* oldPen = m_dc.SelectStockObject(NULL_PEN);
    const int side = rect.Width() < rect.Height() ? rect.Width() : rect.Height();
    if (rect.Width() == rect.Height()) {
      m_dc.Ellipse(rect.left, rect.top, rect.right + 1, rect.bottom + 1);
    } else if (rect.Width() > rect.Height()) {
      m_dc.Ellipse(rect.left, rect.top, rect.left + side + 1, rect.bottom + 1);
      m_dc.Ellipse(rect.right - side, rect.top, rect.right + 1, rect.bottom + 1);
      m_dc.Rectangle(rect.left + side / 2, rect.top, rect.right - side / 2 + 1, rect.bottom + 1);
    } else {
      m_dc.Ellipse(rect.left, rect.top, rect.right + 1, rect.top + side + 1);
      m_dc.Ellipse(rect.left, rect.bottom - side, rect.right + 1, rect.bottom + 1);
      m_dc.Rectangle(rect.left, rect.top + side / 2, rect.right + 1, rect.bottom - side / 2 + 1);
    }
    m_dc.SelectObject(oldPen);
    m_dc.SelectObject(oldBrush);
  }
  CDibArea dib(m_dc, rect);
  if (!dib.Ok()) return FALSE;
  const double begin = startAngle * kDegree, end = begin + 6.2831852;
  CRect ring(0, 0, rect.Width(), rect.Height());
  // A pixel that several one-degree steps touch takes the colour of the step nearest to it, so
  // that the start angle shows the start colour and the opposite point the finish colour.
  std::vector<double> nearest((size_t)dib.Width() * dib.Height());
  for (int n = 0; n < rings && ring.Width() >= 1 && ring.Height() >= 1; ++n) {
    std::fill(nearest.begin(), nearest.end(), 1e9);
    auto put = [&](int x, int y, double distance, DWORD pixel) {
      if (x < 0 || y < 0 || x >= dib.Width() || y >= dib.Height()) return;
      double& best = nearest[(size_t)y * dib.Width() + x];
      if (distance < best) {
        best = distance;
        dib.At(x, y) = pixel;
      }
    };
    const int w = ring.Width() - 1, h = ring.Height() - 1;
    const double r = (w < h ? w : h) / 2.0;
    const double cx = ring.left + w / 2.0, cy = ring.top + h / 2.0;
    const double pushX = w > h ? (w - h) / 2.0 : 0, pushY = h > w ? (h - w) / 2.0 : 0;
    int prevX = 0, prevY = 0;
    bool havePrev = false;
    for (int step = 0; step < 360; ++step) {
      const double a = begin + step * kDegree;
      if (a >= end) break;
      const int index = step <= 180 ? step : 360 - step;
      DWORD pixel;
      if (n == 0 && border != (COLORREF)-1) {
        pixel = SwapRedBlue(border);
      } else {
        int ch[3];
        for (int c = 0; c < 3; ++c) {
          double s = (start >> (8 * c)) & 0xFF, f = (finish >> (8 * c)) & 0xFF;
          double v = s + index * ((f + 0.5) - s) / 180 + 0.5;
          ch[c] = v < 0 ? 0 : (v > 255 ? 255 : (int)v);
        }
        pixel = SwapRedBlue(RGB(ch[0], ch[1], ch[2]));
      }
      const double ca = cos(a), sa = sin(a);
      const double px = cx + r * ca + (ca > 1e-9 ? pushX : (ca < -1e-9 ? -pushX : 0));
      const double py = cy + r * sa + (sa > 1e-9 ? pushY : (sa < -1e-9 ? -pushY : 0));
      const int x = (int)floor(px + 0.5), y = (int)floor(py + 0.5);
      // Along the straight part of a long ring the points jump: fill the run between them.
      if (havePrev && (abs(x - prevX) > 1 || abs(y - prevY) > 1)) {
        int steps = abs(x - prevX) > abs(y - prevY) ? abs(x - prevX) : abs(y - prevY);
        for (int i = 1; i < steps; ++i) put(prevX + (x - prevX) * i / steps, prevY + (y - prevY) * i / steps, 0.5, pixel);
      }
      put(x, y, hypot(px - x, py - y), pixel);
      prevX = x;
      prevY = y;
      havePrev = true;
    }
    ring.DeflateRect(1, 1);
  }
  dib.CopyBack();
  return TRUE;
}

BOOL CUfxGdiEffects::DrawShadow(CRect rect, int depth, int outerPercent, int innerPercent, CBitmap* bottomStrip,
                                CBitmap* sideStrip, BOOL rightSide) {
  const int width = rect.Width(), height = rect.Height();
  if (depth <= 0 || rect.IsRectEmpty() || depth >= width || depth >= height) return TRUE;
  const int sideX = rightSide ? rect.right : rect.left - depth;
  const int bottomX = rightSide ? rect.left : rect.left - depth;
  if (bottomStrip && sideStrip && bottomStrip->GetSafeHandle() && sideStrip->GetSafeHandle()) {
    m_dc.DrawState(CPoint(sideX, rect.top), CSize(depth, height + depth), (HBITMAP)sideStrip->GetSafeHandle(), DSS_NORMAL);
    m_dc.DrawState(CPoint(bottomX, rect.bottom), CSize(width + depth, depth), (HBITMAP)bottomStrip->GetSafeHandle(), DSS_NORMAL);
    return TRUE;
  }
  CRect area(rightSide ? rect.left : rect.left - depth, rect.top, 0, 0);
  area.right = area.left + width + depth;
  area.bottom = area.top + height + depth;
  CDibArea dib(m_dc, area);
  if (!dib.Ok()) return FALSE;
  const int step = (outerPercent - innerPercent) / depth;
  auto value = [&](int n) { return innerPercent + n * step; };
  // u runs away from the shadowed side: the rectangle covers u < width, v < height.
  auto scale = [&](int u, int v, int percent) {
    int x = rightSide ? u : area.Width() - 1 - u;
    DWORD& p = dib.At(x, v);
    p = ScaleColor(p & 0xFFFFFF, percent);
  };
  for (int v = depth; v < height; ++v)  // side band
    for (int n = 0; n < depth; ++n) {
      int percent = value(n);
      if (v < 2 * depth) percent = std::max(percent, value(depth - (v - depth)));
      scale(width + n, v, percent);
    }
  for (int n = 0; n < depth; ++n) {  // bottom band and the corner square
    for (int u = depth; u < width; ++u) {
      int percent = value(n);
      if (u < 2 * depth) percent = std::max(percent, value(depth - (u - depth)));
      scale(u, height + n, percent);
    }
    for (int m = 0; m < depth; ++m) scale(width + m, height + n, std::max(value(n), value(m)));
  }
  dib.CopyBack();
  // The finished strips, read where a restoring call draws them back.
  if (sideStrip) {
    sideStrip->DeleteObject();
    CDC mem;
    if (mem.CreateCompatibleDC(&m_dc) && sideStrip->CreateCompatibleBitmap(&m_dc, depth + 1, height + depth)) {
      CBitmap* old = mem.SelectObject(sideStrip);
      mem.BitBlt(0, 0, depth + 1, height + depth, &m_dc, sideX, rect.top, SRCCOPY);
      mem.SelectObject(old);
    }
  }
  if (bottomStrip) {
    bottomStrip->DeleteObject();
    CDC mem;
    if (mem.CreateCompatibleDC(&m_dc) && bottomStrip->CreateCompatibleBitmap(&m_dc, width + depth, depth + 1)) {
      CBitmap* old = mem.SelectObject(bottomStrip);
      mem.BitBlt(0, 0, width + depth, depth + 1, &m_dc, bottomX, rect.bottom, SRCCOPY);
      mem.SelectObject(old);
    }
  }
  return TRUE;
}
