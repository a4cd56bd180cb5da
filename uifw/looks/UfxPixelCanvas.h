// CUfxPixelCanvas: the enlarged paint area of the button image editor. Each pixel of the bitmap is
// a cell; the tools (pen, fill, line, rectangle, ellipse, colour pick) change the bitmap directly.
#pragma once
#include "Framework.h"
#include "FwControls.h"
#include "FwGdi.h"

class CUfxPixelEditorDlg;

class CUfxPixelCanvas : public CButton {
  DECLARE_DYNAMIC(CUfxPixelCanvas)
public:
  enum Tool { ToolPen = 0, ToolFill = 1, ToolLine = 2, ToolRect = 3, ToolEllipse = 4, ToolPick = 5, ToolCount = 6 };

  CUfxPixelCanvas();
  ~CUfxPixelCanvas() override;

  // Takes the bitmap (not owned): the zoom and the rubber-band pen follow from its size. Null (or
  // a bitmap without width or height) leaves the area empty.
  void SetBitmap(CBitmap* pBitmap);
  void SetColor(COLORREF color);
  COLORREF GetColor() const { return m_clrDraw; }
  void SetTool(int iTool);
  int GetTool() const { return m_iTool; }
  void SetPreviewRect(const CRect& rect) { m_rectPreview = rect; }
  void SetOwnerDialog(CUfxPixelEditorDlg* pDlg) { m_pParentDlg = pDlg; }
  CSize GetCellSize() const { return CSize(m_cxCell, m_cyCell); }
  // The pixel under a client point, limited to the image.
  CPoint PointToPixel(CPoint point) const;
  // The client point at the centre of a pixel's cell.
  CPoint PixelCenter(CPoint pixel) const;

  // Fields, in this order.
  CRect m_rectPreview;
  COLORREF m_clrDraw = 0;
  CDC m_memDC;
  int m_cxImage = 0;
  int m_cyImage = 0;
  CBitmap* m_pBitmap = nullptr;
  int m_iTool = ToolPen;
  HCURSOR m_hCursors[ToolCount] = {};
  CUfxPixelEditorDlg* m_pParentDlg = nullptr;
  int m_cxCell = 0;
  int m_cyCell = 0;
  CRect m_rectTrack;  // anchor and end pixel of a line, rectangle or ellipse being dragged
  CPen m_penDraw;
  CPen m_penStretch;

protected:
  void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;

  CRect GridRect() const;
  // Sets one pixel of the bitmap to the current colour and paints its cell.
  void WritePixel(CPoint pixel);
  // Draws the shape of the track on the bitmap with the one-pixel pen (line, rectangle, ellipse).
  void DrawShapeOnBitmap();
  void FloodFill(CPoint pixel);
  void PickColor(CPoint pixel);
  // The rubber band between the centres of the anchor and end cells, drawn in NOT mode.
  void DrawRubberBand();
  void AfterChange();
  BOOL SelectBitmap();
  void UnselectBitmap();

  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnCancelMode();
  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  DECLARE_MESSAGE_MAP()

private:
  CBitmap* m_pOldBitmap = nullptr;
};
