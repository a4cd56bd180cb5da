#include "looks/UfxPixelCanvas.h"
#include "bars/UfxToolBarImages.h"
#include "frames/UfxGlobalData.h"
#include "looks/UfxPixelEditorDlg.h"
#include <algorithm>

IMPLEMENT_DYNAMIC(CUfxPixelCanvas, CButton)

namespace {
// The cursor of each tool, by tool number.
const UINT kToolCursors[CUfxPixelCanvas::ToolCount] = {16144, 16142, 16143, 16140, 16141, 16145};
}  // namespace

BEGIN_MESSAGE_MAP(CUfxPixelCanvas, CButton)
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_MOUSEMOVE()
  ON_WM_CANCELMODE()
  ON_WM_SETCURSOR()
  ON_WM_ERASEBKGND()
  ON_WM_SIZE()
END_MESSAGE_MAP()

CUfxPixelCanvas::CUfxPixelCanvas() {
  m_rectTrack.SetRectEmpty();
  for (int i = 0; i < ToolCount; i++)
    m_hCursors[i] = (HCURSOR)::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(kToolCursors[i]), IMAGE_CURSOR, 0, 0, 0);
  m_penDraw.CreatePen(PS_SOLID, 1, m_clrDraw);
}

CUfxPixelCanvas::~CUfxPixelCanvas() {
  UnselectBitmap();
  for (HCURSOR& hCursor : m_hCursors) {
    if (hCursor != nullptr) ::DestroyCursor(hCursor);
    hCursor = nullptr;
  }
}

void CUfxPixelCanvas::SetBitmap(CBitmap* pBitmap) {
  UnselectBitmap();
  m_pBitmap = nullptr;
  m_cxImage = m_cyImage = 0;
  m_cxCell = m_cyCell = 0;
  BITMAP info = {};
  // A bitmap without width or height counts as none.
  if (pBitmap != nullptr && pBitmap->GetSafeHandle() != nullptr && pBitmap->GetBitmap(&info) && info.bmWidth > 0 &&
      info.bmHeight > 0) {
    m_pBitmap = pBitmap;
    m_cxImage = info.bmWidth;
    m_cyImage = info.bmHeight;
  }
  if (m_pBitmap != nullptr && GetSafeHwnd() != nullptr) {
    CRect rectClient;
    GetClientRect(rectClient);
    // A cell is at least one pixel, whatever the image's size.
    m_cxCell = std::max(1, (rectClient.Width() - 2) / m_cxImage);
    m_cyCell = std::max(1, (rectClient.Height() - 2) / m_cyImage);
  }
  m_penStretch.DeleteObject();
  m_penStretch.CreatePen(PS_SOLID, std::max(1, std::min(m_cxCell, m_cyCell)), UfxGlobalData.clrBtnText);
  if (GetSafeHwnd() != nullptr) Invalidate();
}

void CUfxPixelCanvas::OnSize(UINT nType, int cx, int cy) {
  CButton::OnSize(nType, cx, cy);
  if (m_pBitmap != nullptr) SetBitmap(m_pBitmap);
}

void CUfxPixelCanvas::SetColor(COLORREF color) {
  m_clrDraw = color;
  m_penDraw.DeleteObject();
  m_penDraw.CreatePen(PS_SOLID, 1, m_clrDraw);
}

void CUfxPixelCanvas::SetTool(int iTool) {
  if (iTool < 0 || iTool >= ToolCount) return;
  m_iTool = iTool;
  m_rectTrack.SetRectEmpty();
}

CPoint CUfxPixelCanvas::PointToPixel(CPoint point) const {
  if (m_cxCell <= 0 || m_cyCell <= 0) return CPoint(0, 0);
  const int x = (point.x - 1) / m_cxCell;
  const int y = (point.y - 1) / m_cyCell;
  return CPoint(std::max(0, std::min(x, m_cxImage - 1)), std::max(0, std::min(y, m_cyImage - 1)));
}

CPoint CUfxPixelCanvas::PixelCenter(CPoint pixel) const {
  return CPoint(1 + pixel.x * m_cxCell + m_cxCell / 2, 1 + pixel.y * m_cyCell + m_cyCell / 2);
}

CRect CUfxPixelCanvas::GridRect() const { return CRect(1, 1, 1 + m_cxImage * m_cxCell, 1 + m_cyImage * m_cyCell); }

BOOL CUfxPixelCanvas::SelectBitmap() {
  if (m_pBitmap == nullptr) return FALSE;
  if (m_memDC.GetSafeHdc() == nullptr) {
    CClientDC dcScreen(nullptr);
    if (!m_memDC.CreateCompatibleDC(&dcScreen)) return FALSE;
  }
  if (m_pOldBitmap == nullptr) m_pOldBitmap = m_memDC.SelectObject(m_pBitmap);
  return TRUE;
}

void CUfxPixelCanvas::UnselectBitmap() {
  if (m_pOldBitmap != nullptr && m_memDC.GetSafeHdc() != nullptr) m_memDC.SelectObject(m_pOldBitmap);
  m_pOldBitmap = nullptr;
}

// ---- painting ------------------------------------------------------------------------------------------

BOOL CUfxPixelCanvas::OnEraseBkgnd(CDC*) { return TRUE; }

void CUfxPixelCanvas::DrawItem(LPDRAWITEMSTRUCT lpDIS) {
  CDC* pDC = CDC::FromHandle(lpDIS->hDC);
  CRect rectClient;
  GetClientRect(rectClient);
  pDC->FillRect(rectClient, &UfxGlobalData.brBtnFace);
  if (m_pBitmap == nullptr || m_cxCell <= 0 || m_cyCell <= 0) return;

  CRect rectGrid = GridRect();
  CRect rectFrame = rectGrid;
  rectFrame.InflateRect(1, 1);
  pDC->Draw3dRect(rectFrame, UfxGlobalData.clrBtnDkShadow, UfxGlobalData.clrBtnHilite);
  CPen penGrid(PS_SOLID, 1, UfxGlobalData.clrBtnShadow);
  CPen* pOldPen = pDC->SelectObject(&penGrid);
  for (int x = 1; x < m_cxImage; x++) {
    pDC->MoveTo(rectGrid.left + x * m_cxCell, rectGrid.top);
    pDC->LineTo(rectGrid.left + x * m_cxCell, rectGrid.bottom);
  }
  for (int y = 1; y < m_cyImage; y++) {
    pDC->MoveTo(rectGrid.left, rectGrid.top + y * m_cyCell);
    pDC->LineTo(rectGrid.right, rectGrid.top + y * m_cyCell);
  }
  pDC->SelectObject(pOldPen);

  if (!SelectBitmap()) return;
  for (int y = 0; y < m_cyImage; y++) {
    for (int x = 0; x < m_cxImage; x++) {
      const COLORREF color = m_memDC.GetPixel(x, y);
      if (color == CLR_INVALID) continue;
      CRect rectCell(rectGrid.left + x * m_cxCell, rectGrid.top + y * m_cyCell, 0, 0);
      rectCell.right = rectCell.left + m_cxCell;
      rectCell.bottom = rectCell.top + m_cyCell;
      if (m_cxCell > 2 && m_cyCell > 2) rectCell.DeflateRect(1, 1);
      pDC->FillSolidRect(rectCell, UfxMapSysColorToStdColor(color));
    }
  }
  UnselectBitmap();
}

// ---- drawing on the bitmap -------------------------------------------------------------------------------

void CUfxPixelCanvas::WritePixel(CPoint pixel) {
  if (!SelectBitmap()) return;
  m_memDC.SetPixel(pixel.x, pixel.y, UfxMapStdColorToSysColor(m_clrDraw));
  UnselectBitmap();
  CRect rectCell(1 + pixel.x * m_cxCell, 1 + pixel.y * m_cyCell, 0, 0);
  rectCell.right = rectCell.left + m_cxCell;
  rectCell.bottom = rectCell.top + m_cyCell;
  if (m_cxCell > 2 && m_cyCell > 2) rectCell.DeflateRect(1, 1);
  CClientDC dc(this);
  dc.FillSolidRect(rectCell, m_clrDraw);
  if (m_pParentDlg != nullptr) m_pParentDlg->InvalidatePreview();
}

void CUfxPixelCanvas::DrawShapeOnBitmap() {
  if (!SelectBitmap()) return;
  CPen penSys(PS_SOLID, 1, UfxMapStdColorToSysColor(m_clrDraw));
  CPen* pOldPen = m_memDC.SelectObject(&penSys);
  CGdiObject* pOldBrush = m_memDC.SelectStockObject(NULL_BRUSH);
  const CPoint ptAnchor = m_rectTrack.TopLeft();
  const CPoint ptEnd = m_rectTrack.BottomRight();
  if (m_iTool == ToolLine) {
    m_memDC.MoveTo(ptAnchor);
    m_memDC.LineTo(ptEnd);
    m_memDC.SetPixel(ptEnd.x, ptEnd.y, UfxMapStdColorToSysColor(m_clrDraw));
  } else {
    CRect rect = m_rectTrack;
    rect.NormalizeRect();
    // The end pixel belongs to the shape: the larger corner moves out by one on each axis with extent.
    if (rect.Width() > 0) rect.right++;
    if (rect.Height() > 0) rect.bottom++;
    if (rect.Width() == 0 && rect.Height() == 0) {
      m_memDC.SetPixel(rect.left, rect.top, UfxMapStdColorToSysColor(m_clrDraw));
    } else if (m_iTool == ToolRect) {
      if (rect.Width() == 0) rect.right++;
      if (rect.Height() == 0) rect.bottom++;
      m_memDC.Rectangle(rect);
    } else {
      if (rect.Width() == 0) rect.right++;
      if (rect.Height() == 0) rect.bottom++;
      m_memDC.Ellipse(rect);
    }
  }
  m_memDC.SelectObject(pOldBrush);
  m_memDC.SelectObject(pOldPen);
  UnselectBitmap();
}

void CUfxPixelCanvas::FloodFill(CPoint pixel) {
  if (!SelectBitmap()) return;
  const COLORREF clrSurface = m_memDC.GetPixel(pixel.x, pixel.y);
  CBrush brush(UfxMapStdColorToSysColor(m_clrDraw));
  CBrush* pOldBrush = m_memDC.SelectObject(&brush);
  ::ExtFloodFill(m_memDC.GetSafeHdc(), pixel.x, pixel.y, clrSurface, FLOODFILLSURFACE);
  m_memDC.SelectObject(pOldBrush);
  UnselectBitmap();
}

void CUfxPixelCanvas::PickColor(CPoint pixel) {
  if (!SelectBitmap()) return;
  const COLORREF color = m_memDC.GetPixel(pixel.x, pixel.y);
  UnselectBitmap();
  if (color == CLR_INVALID) return;
  if (m_pParentDlg != nullptr) m_pParentDlg->SetColor(UfxMapSysColorToStdColor(color));
  else SetColor(UfxMapSysColorToStdColor(color));
}

void CUfxPixelCanvas::DrawRubberBand() {
  CClientDC dc(this);
  CRgn rgn;
  rgn.CreateRectRgnIndirect(GridRect());
  dc.SelectClipRgn(&rgn);
  CPen* pOldPen = dc.SelectObject(&m_penStretch);
  CGdiObject* pOldBrush = dc.SelectStockObject(NULL_BRUSH);
  const int nOldRop = dc.SetROP2(R2_NOT);
  const CPoint ptFrom = PixelCenter(m_rectTrack.TopLeft());
  const CPoint ptTo = PixelCenter(m_rectTrack.BottomRight());
  switch (m_iTool) {
    case ToolLine:
      dc.MoveTo(ptFrom);
      dc.LineTo(ptTo);
      break;
    case ToolRect: dc.Rectangle(CRect(ptFrom, ptTo)); break;
    case ToolEllipse: dc.Ellipse(CRect(ptFrom, ptTo)); break;
    default: break;
  }
  dc.SetROP2(nOldRop);
  dc.SelectObject(pOldBrush);
  dc.SelectObject(pOldPen);
  ::SelectClipRgn(dc.GetSafeHdc(), nullptr);
}

void CUfxPixelCanvas::AfterChange() {
  Invalidate();
  if (m_pParentDlg != nullptr) m_pParentDlg->InvalidatePreview();
}

// ---- mouse ------------------------------------------------------------------------------------------------

static BOOL IsShapeTool(int iTool) {
  return iTool == CUfxPixelCanvas::ToolLine || iTool == CUfxPixelCanvas::ToolRect || iTool == CUfxPixelCanvas::ToolEllipse;
}

void CUfxPixelCanvas::OnLButtonDown(UINT, CPoint point) {
  if (m_pBitmap == nullptr) return;
  SetCapture();
  const CPoint pixel = PointToPixel(point);
  if (m_iTool == ToolPen) WritePixel(pixel);
  else if (IsShapeTool(m_iTool)) m_rectTrack = CRect(pixel, pixel);
}

void CUfxPixelCanvas::OnMouseMove(UINT nFlags, CPoint point) {
  if (m_pBitmap == nullptr || !(nFlags & MK_LBUTTON) || GetCapture() != this) return;
  CRect rectClient;
  GetClientRect(rectClient);
  point.x = std::max<LONG>(rectClient.left, std::min<LONG>(point.x, rectClient.right - 1));
  point.y = std::max<LONG>(rectClient.top, std::min<LONG>(point.y, rectClient.bottom - 1));
  const CPoint pixel = PointToPixel(point);
  if (m_iTool == ToolPen) {
    WritePixel(pixel);
  } else if (IsShapeTool(m_iTool)) {
    if (pixel == m_rectTrack.BottomRight()) return;
    DrawRubberBand();
    m_rectTrack.right = pixel.x;
    m_rectTrack.bottom = pixel.y;
    DrawRubberBand();
  }
}

void CUfxPixelCanvas::OnLButtonUp(UINT, CPoint point) {
  if (GetCapture() != this) return;
  ReleaseCapture();
  if (m_pBitmap == nullptr) return;
  const CPoint pixel = PointToPixel(point);
  switch (m_iTool) {
    case ToolFill:
      FloodFill(pixel);
      break;
    case ToolLine:
    case ToolRect:
    case ToolEllipse:
      m_rectTrack.right = pixel.x;
      m_rectTrack.bottom = pixel.y;
      DrawShapeOnBitmap();
      m_rectTrack.SetRectEmpty();
      break;
    case ToolPick:
      PickColor(pixel);
      return;
    default:
      break;
  }
  AfterChange();
}

void CUfxPixelCanvas::OnCancelMode() {
  CButton::OnCancelMode();
  if (GetCapture() == this) ReleaseCapture();
  m_rectTrack.SetRectEmpty();
}

BOOL CUfxPixelCanvas::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  if (nHitTest == HTCLIENT && m_hCursors[m_iTool] != nullptr) {
    ::SetCursor(m_hCursors[m_iTool]);
    return TRUE;
  }
  return CButton::OnSetCursor(pWnd, nHitTest, message);
}
