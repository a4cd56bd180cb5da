// CUfxHexColorCtrl: the owner-drawn picker of the colour dialog, in one of five kinds: the swatch
// of the new and the initial colour, the luminance bar, the hue/saturation plane, the hexagon of
// colour cells and the row of greys. A change made by the user is reported to the parent as the
// control's click; a double click in the plane, the hexagon or the greys as its double click.
#pragma once
#include "Framework.h"
#include <vector>

class CUfxHexCell;

class CUfxHexColorCtrl : public CButton {
  DECLARE_DYNAMIC(CUfxHexColorCtrl)
public:
  enum TYPE { CURRENT = 0, LUMINANCE = 1, PICKER = 2, HEX = 3, HEX_GREYSCALE = 4 };

  CUfxHexColorCtrl();
  ~CUfxHexColorCtrl() override;

  void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
  void PreSubclassWindow() override;

  void SetType(int nType);
  int GetType() const { return m_nType; }
  void SetPalette(CPalette* pPalette);
  void SetColor(COLORREF color);
  COLORREF GetColor() const { return m_colorNew; }
  void SetOriginalColor(COLORREF color);
  // Hue, lightness and saturation (0..1); the colour follows for the bar and the plane.
  void SetHLS(double hue, double luminance, double saturation, BOOL bInvalidate = TRUE);
  void GetHLS(double* hue, double* luminance, double* saturation) const;
  void SetHue(double hue);
  void SetLuminance(double luminance);
  void SetSaturation(double saturation);
  void SetLuminanceBarWidth(int w);
  // The hexagon or grey cell of that colour becomes the selected one (none when no cell has it).
  BOOL SelectCellHexagon(BYTE R, BYTE G, BYTE B);

  // The cells (built on first use for the client size); the selected one, or -1.
  int GetCellCount();
  CUfxHexCell* GetCell(int nIndex);
  int GetSelectedCell() const { return m_nSelected; }
  // Draws the whole control into a DC of the client size (painting and benchmarks).
  void DrawControl(CDC* pDC);
  // Builds the cached plane bitmap for the client size (kind 2).
  BOOL BuildPlaneBitmap(CDC* pDC);
  // The marker's point of the bar (its lightness) and of the plane (hue, saturation).
  CPoint GetMarkerPoint() const;

  int m_nType = PICKER;
  COLORREF m_colorNew = 0;
  COLORREF m_colorOriginal = 0;
  double m_dblHue = 0;
  double m_dblSat = 0;
  double m_dblLum = 0.5;
  int m_nLumBarWidth = 20;
  CPalette* m_pPalette = nullptr;
  std::vector<CUfxHexCell*> m_arCells;
  CBitmap m_bmpPicker;
  int m_nSelected = -1;

protected:
  void CreateCells();
  void CreateHexagon(const CRect& rectClient);
  void CreateGreyRow(const CRect& rectClient);
  void DeleteCells();
  void DrawSwatch(CDC* pDC, const CRect& rect);
  void DrawLuminanceBar(CDC* pDC, const CRect& rect);
  void DrawPlane(CDC* pDC, const CRect& rect);
  void DrawCells(CDC* pDC);
  CRect GetMarkerRect() const;
  // The user moved to the point (left button held): the values follow and the parent is told.
  void OnPointerAt(CPoint point);
  void RecalcColor();
  void NotifyParent(UINT nCode);
  void ChangeByKey(double& value, double delta);
  void RedrawMarker(const CRect& rectOld);
  int PaletteBits() const;

  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg UINT OnGetDlgCode();
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnSetFocus(CWnd* pOldWnd);
  afx_msg void OnKillFocus(CWnd* pNewWnd);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg BOOL OnQueryNewPalette();
  afx_msg void OnPaletteChanged(CWnd* pFocusWnd);
  DECLARE_MESSAGE_MAP()
};
