#include "looks/UfxHexCell.h"
#include "frames/UfxGlobalData.h"
#include <cstdlib>

CUfxHexCell::CUfxHexCell(int x, int y, int nSize, COLORREF color, int nTolerance, CPalette* pPalette)
    : m_x(x), m_y(y), m_nSize(nSize) {
  GetVertices(x, y, nSize, m_arPoints);
  m_Color = SnapColor(color, nTolerance);
  m_DrawColor = m_Color;
  if (UfxGlobalData.m_nBitsPerPixel == 8 && pPalette != nullptr && pPalette->GetSafeHandle() != nullptr)
    m_DrawColor = PALETTEINDEX(::GetNearestPaletteIndex((HPALETTE)pPalette->GetSafeHandle(), m_Color));
}

CUfxHexCell::~CUfxHexCell() = default;

void CUfxHexCell::GetVertices(int x, int y, int s, POINT points[6]) {
  const int h = s / 2;
  const int d = (int)(s * 0.57735026) / 2;
  points[0] = {x - h, y - d};
  points[1] = {x, y - h};
  points[2] = {x + h, y - d};
  points[3] = {x + h, y + d};
  points[4] = {x, y + h};
  points[5] = {x - h, y + d};
}

COLORREF CUfxHexCell::SnapColor(COLORREF color, int t) {
  if (t == 0) return color;
  auto snap = [t](int c) {
    if (c < t) return 0;
    if (255 - t < c) return 255;
    if (std::abs(c - 128) < t) return 128;
    if (std::abs(c - 192) < t) return 192;
    return c;
  };
  return RGB(snap(GetRValue(color)), snap(GetGValue(color)), snap(GetBValue(color)));
}

BOOL CUfxHexCell::HitTest(CPoint point) const {
  HRGN hRgn = ::CreatePolygonRgn(m_arPoints, 6, ALTERNATE);
  if (hRgn == nullptr) return FALSE;
  const BOOL bHit = ::PtInRegion(hRgn, point.x, point.y);
  ::DeleteObject(hRgn);
  return bHit;
}

CRect CUfxHexCell::GetBoundingRect() const {
  const int h = (m_nSize + 2) / 2 + 2;
  return CRect(m_x - h, m_y - h - 1, m_x + h + 1, m_y + h + 1);
}

void CUfxHexCell::Draw(CDC* pDC) const {
  CBrush brush(m_DrawColor);
  CPen pen(PS_SOLID, 1, m_DrawColor);
  CBrush* pOldBrush = pDC->SelectObject(&brush);
  CPen* pOldPen = pDC->SelectObject(&pen);
  pDC->Polygon(m_arPoints, 6);
  pDC->SelectObject(pOldPen);
  pDC->SelectObject(pOldBrush);
}

void CUfxHexCell::DrawSelected(CDC* pDC) const {
  auto frame = [pDC](int x, int y, int s, COLORREF color, int nWidth) {
    POINT points[6];
    GetVertices(x, y, s, points);
    HRGN hRgn = ::CreatePolygonRgn(points, 6, ALTERNATE);
    if (hRgn == nullptr) return;
    HBRUSH hBrush = ::CreateSolidBrush(color);
    ::FrameRgn(pDC->GetSafeHdc(), hRgn, hBrush, nWidth, nWidth);
    ::DeleteObject(hBrush);
    ::DeleteObject(hRgn);
  };
  frame(m_x, m_y - 1, m_nSize + 2, RGB(255, 255, 255), 2);
  frame(m_x, m_y, m_nSize + 2, RGB(0, 0, 0), 1);
  frame(m_x, m_y, m_nSize - 1, RGB(0, 0, 0), 1);
}
