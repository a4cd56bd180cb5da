// CUfxHexCell: one hexagonal cell of the colour hexagon or the grey row: its six vertices, its
// (snapped) colour and the colour it is drawn with.
#pragma once
#include "Framework.h"

class CUfxHexCell : public CObject {
public:
  // A cell of size nSize centred at (x, y); the colour is snapped with the tolerance (0: none).
  CUfxHexCell(int x, int y, int nSize, COLORREF color, int nTolerance = 0, CPalette* pPalette = nullptr);
  ~CUfxHexCell() override;

  BOOL HitTest(CPoint point) const;
  void Draw(CDC* pDC) const;
  // The three frames of the selected cell.
  void DrawSelected(CDC* pDC) const;
  CRect GetBoundingRect() const;

  // The vertices of a hexagon of size s around (x, y).
  static void GetVertices(int x, int y, int s, POINT points[6]);
  // Components near 0, 128, 192 or 255 (closer than the tolerance) become that value.
  static COLORREF SnapColor(COLORREF color, int nTolerance);

  POINT m_arPoints[6];
  COLORREF m_Color = 0;
  COLORREF m_DrawColor = 0;
  int m_x = 0;
  int m_y = 0;
  int m_nSize = 0;
};
