#include "looks/UfxHexColorCtrl.h"
#include "looks/UfxHexCell.h"
#include "looks/UfxColorMath.h"
#include "frames/UfxGlobalData.h"
#include <algorithm>
#include <cmath>

IMPLEMENT_DYNAMIC(CUfxHexColorCtrl, CButton)

namespace {
const double kPi = 3.14159265358979323846;
const int kBarInset = 5;       // the luminance bar leaves 5 pixels at top and bottom
const int kLumMarkerSize = 9;
const int kPlaneMarkerSize = 19;
const double kKeyStep = 0.05;

double Clamp01(double v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }
}  // namespace

BEGIN_MESSAGE_MAP(CUfxHexColorCtrl, CButton)
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_MOUSEMOVE()
  ON_WM_KEYDOWN()
  ON_WM_GETDLGCODE()
  ON_WM_SIZE()
  ON_WM_SETFOCUS()
  ON_WM_KILLFOCUS()
  ON_WM_ERASEBKGND()
  ON_WM_QUERYNEWPALETTE()
  ON_WM_PALETTECHANGED()
END_MESSAGE_MAP()

// The values of black, with lightness 0.5.
CUfxHexColorCtrl::CUfxHexColorCtrl() {
  RGBToHLS(RGB(0, 0, 0), &m_dblHue, &m_dblSat, &m_dblLum);
  m_dblLum = 0.5;
}

CUfxHexColorCtrl::~CUfxHexColorCtrl() { DeleteCells(); }

void CUfxHexColorCtrl::PreSubclassWindow() {
  ModifyStyle(0x0F, BS_OWNERDRAW);
  CButton::PreSubclassWindow();
}

int CUfxHexColorCtrl::PaletteBits() const { return UfxGlobalData.m_nBitsPerPixel; }

void CUfxHexColorCtrl::SetType(int nType) {
  m_nType = nType;
  DeleteCells();
  if (m_bmpPicker.GetSafeHandle() != nullptr) m_bmpPicker.DeleteObject();
  if (GetSafeHwnd() != nullptr) Invalidate();
}

void CUfxHexColorCtrl::SetPalette(CPalette* pPalette) {
  m_pPalette = pPalette;
  DeleteCells();
  if (m_bmpPicker.GetSafeHandle() != nullptr) m_bmpPicker.DeleteObject();
  if (GetSafeHwnd() != nullptr) Invalidate();
}

void CUfxHexColorCtrl::SetColor(COLORREF color) {
  m_colorNew = color;
  if (GetSafeHwnd() != nullptr) Invalidate();
}

void CUfxHexColorCtrl::SetOriginalColor(COLORREF color) {
  m_colorOriginal = color;
  if (GetSafeHwnd() != nullptr) Invalidate();
}

void CUfxHexColorCtrl::SetHLS(double hue, double luminance, double saturation, BOOL bInvalidate) {
  m_dblHue = Clamp01(hue);
  m_dblLum = Clamp01(luminance);
  m_dblSat = Clamp01(saturation);
  if (m_nType == LUMINANCE || m_nType == PICKER) m_colorNew = HLSToRGB(m_dblHue, m_dblLum, m_dblSat);
  if (bInvalidate && GetSafeHwnd() != nullptr) Invalidate();
}

void CUfxHexColorCtrl::GetHLS(double* hue, double* luminance, double* saturation) const {
  if (hue != nullptr) *hue = m_dblHue;
  if (luminance != nullptr) *luminance = m_dblLum;
  if (saturation != nullptr) *saturation = m_dblSat;
}

void CUfxHexColorCtrl::SetHue(double hue) { SetHLS(hue, m_dblLum, m_dblSat); }
void CUfxHexColorCtrl::SetLuminance(double luminance) { SetHLS(m_dblHue, luminance, m_dblSat); }
void CUfxHexColorCtrl::SetSaturation(double saturation) { SetHLS(m_dblHue, m_dblLum, saturation); }

void CUfxHexColorCtrl::SetLuminanceBarWidth(int w) {
  CRect rect;
  if (GetSafeHwnd() != nullptr) {
    GetClientRect(rect);
    w = std::min(w, rect.Width() * 3 / 4);
  }
  m_nLumBarWidth = std::max(0, w);
  if (GetSafeHwnd() != nullptr) Invalidate();
}

// ---- cells -------------------------------------------------------------------------------------

void CUfxHexColorCtrl::DeleteCells() {
  for (CUfxHexCell* pCell : m_arCells) delete pCell;
  m_arCells.clear();
  m_nSelected = -1;
}

void CUfxHexColorCtrl::CreateCells() {
  if (!m_arCells.empty() || GetSafeHwnd() == nullptr) return;
  CRect rectClient;
  GetClientRect(rectClient);
  if (m_nType == HEX) CreateHexagon(rectClient);
  else if (m_nType == HEX_GREYSCALE) CreateGreyRow(rectClient);
  // The selection follows the current colour.
  for (size_t i = 0; i < m_arCells.size(); ++i)
    if (m_arCells[i]->m_Color == m_colorNew) {
      m_nSelected = (int)i;
      break;
    }
}

void CUfxHexColorCtrl::CreateHexagon(const CRect& rectClient) {
  CRect rect = rectClient;
  if (rect.Width() > rect.Height()) rect.DeflateRect((rect.Width() - rect.Height()) / 2, 0);
  else rect.DeflateRect(0, (rect.Height() - rect.Width()) / 2);
  const int s = rect.Height() / 13 + 1;
  // A picker too small for one cell shows none.
  if (rect.Height() < 13 || s < 2) return;
  const int cx = rect.CenterPoint().x, cy = rect.CenterPoint().y;
  m_arCells.push_back(new CUfxHexCell(cx, cy, s, RGB(255, 255, 255), 0, m_pPalette));
  static const double kDirections[6][2] = {{-0.5, 0.866025}, {-1, 0}, {-0.5, -0.866025},
                                           {0.5, -0.866025}, {1, 0},  {0.5, 0.866025}};
  for (int r = 1; r <= 6; ++r) {
    int x = cx + r * s, y = cy;
    const double dblLum = (7.0 - r) / 7.0 + 0.1;
    for (const auto& dir : kDirections) {
      const int dx = (int)(s * dir[0]), dy = (int)(s * dir[1]);
      for (int k = 0; k < r; ++k) {
        const int nHue = (int)(std::atan2((double)(y - cy), (double)(x - cx)) * 180.0 / kPi);
        m_arCells.push_back(new CUfxHexCell(x, y, s, HLSToRGBDegrees(nHue, dblLum, 1.0), 16, m_pPalette));
        x += dx;
        y += dy;
      }
    }
  }
}

void CUfxHexColorCtrl::CreateGreyRow(const CRect& rectClient) {
  int s = std::min(rectClient.Height() / 2 - 2, rectClient.Width() / 13);
  if (s % 2 != 0) ++s;
  if (s < 2) return;
  const int yMiddle = rectClient.CenterPoint().y;
  const int e = (int)(s * 0.57735026 * 1.5);
  const int yUpper = yMiddle - e / 2, yLower = yUpper + e;
  const int xLast = rectClient.left + 3 * s + 14 * (s / 2);
  const int x0 = (rectClient.right - 2 * (s / 2) - xLast - 2 * s) / 2;
  m_arCells.push_back(new CUfxHexCell(x0 + s, yMiddle, 2 * s, RGB(255, 255, 255), 0, m_pPalette));
  int x = x0 + 3 * s;
  for (int i = 0; i < 15; ++i) {
    const int nGrey = 240 - 15 * i;
    m_arCells.push_back(new CUfxHexCell(x, i % 2 == 0 ? yUpper : yLower, s, RGB(nGrey, nGrey, nGrey), 7, m_pPalette));
    if (i < 14) x += s / 2;
  }
  m_arCells.push_back(new CUfxHexCell(x + 2 * (s / 2) + s - 1, yMiddle, 2 * s, RGB(0, 0, 0), 0, m_pPalette));
}

int CUfxHexColorCtrl::GetCellCount() {
  CreateCells();
  return (int)m_arCells.size();
}

CUfxHexCell* CUfxHexColorCtrl::GetCell(int nIndex) {
  CreateCells();
  return nIndex >= 0 && nIndex < (int)m_arCells.size() ? m_arCells[nIndex] : nullptr;
}

BOOL CUfxHexColorCtrl::SelectCellHexagon(BYTE R, BYTE G, BYTE B) {
  CreateCells();
  const COLORREF color = RGB(R, G, B);
  m_colorNew = color;
  m_nSelected = -1;
  for (size_t i = 0; i < m_arCells.size(); ++i)
    if (m_arCells[i]->m_Color == color) {
      m_nSelected = (int)i;
      break;
    }
  if (GetSafeHwnd() != nullptr) Invalidate();
  return m_nSelected >= 0;
}

// ---- drawing -----------------------------------------------------------------------------------

void CUfxHexColorCtrl::DrawItem(LPDRAWITEMSTRUCT lpDIS) {
  CDC* pDC = CDC::FromHandle(lpDIS->hDC);
  CRect rectClient;
  GetClientRect(rectClient);
  if (rectClient.IsRectEmpty()) return;
  CDC dcMem;
  CBitmap bmpMem;
  if (!dcMem.CreateCompatibleDC(pDC) || !bmpMem.CreateCompatibleBitmap(pDC, rectClient.Width(), rectClient.Height())) {
    DrawControl(pDC);
    return;
  }
  CBitmap* pOldBitmap = dcMem.SelectObject(&bmpMem);
  DrawControl(&dcMem);
  CPalette* pOldPalette = nullptr;
  if (m_pPalette != nullptr && m_pPalette->GetSafeHandle() != nullptr) {
    pOldPalette = pDC->SelectPalette(m_pPalette, FALSE);
    pDC->RealizePalette();
  }
  pDC->BitBlt(0, 0, rectClient.Width(), rectClient.Height(), &dcMem, 0, 0, SRCCOPY);
  if (pOldPalette != nullptr) pDC->SelectPalette(pOldPalette, TRUE);
  dcMem.SelectObject(pOldBitmap);
}

void CUfxHexColorCtrl::DrawControl(CDC* pDC) {
  CRect rectClient;
  GetClientRect(rectClient);
  CPalette* pOldPalette = nullptr;
  if (m_pPalette != nullptr && m_pPalette->GetSafeHandle() != nullptr) {
    pOldPalette = pDC->SelectPalette(m_pPalette, FALSE);
    pDC->RealizePalette();
  }
  if (!UfxGlobalData.DrawParentBackground(this, pDC, rectClient)) pDC->FillRect(rectClient, &UfxGlobalData.brBtnFace);
  switch (m_nType) {
    case CURRENT: DrawSwatch(pDC, rectClient); break;
    case LUMINANCE: DrawLuminanceBar(pDC, rectClient); break;
    case PICKER: DrawPlane(pDC, rectClient); break;
    default: DrawCells(pDC); break;
  }
  if (pOldPalette != nullptr) pDC->SelectPalette(pOldPalette, TRUE);
}

void CUfxHexColorCtrl::DrawSwatch(CDC* pDC, const CRect& rect) {
  CRect rectNew = rect, rectOld = rect;
  rectNew.bottom = rect.top + rect.Height() / 2;
  rectOld.top = rectNew.bottom;
  auto fill = [&](const CRect& r, COLORREF c) {
    if (PaletteBits() == 8 && m_pPalette != nullptr && m_pPalette->GetSafeHandle() != nullptr)
      c = PALETTEINDEX(::GetNearestPaletteIndex((HPALETTE)m_pPalette->GetSafeHandle(), c));
    CBrush brush(c);
    pDC->FillRect(r, &brush);
  };
  fill(rectNew, m_colorNew);
  fill(rectOld, m_colorOriginal);
  pDC->Draw3dRect(rect, UfxGlobalData.clrBtnShadow, UfxGlobalData.clrBtnShadow);
}

void CUfxHexColorCtrl::DrawLuminanceBar(CDC* pDC, const CRect& rect) {
  const int top = rect.top + kBarInset, bottom = rect.bottom - kBarInset;
  if (bottom <= top || m_nLumBarWidth <= 0) return;
  for (int y = top; y <= bottom; ++y) {
    const double dblLum = (double)(bottom - y) / (double)(bottom - top);
    CPen pen(PS_SOLID, 1, HLSToRGB(m_dblHue, dblLum, m_dblSat));
    CPen* pOldPen = pDC->SelectObject(&pen);
    pDC->MoveTo(rect.left, y);
    pDC->LineTo(rect.left + m_nLumBarWidth, y);
    pDC->SelectObject(pOldPen);
  }
  const CPoint pt = GetMarkerPoint();
  POINT triangle[3] = {{pt.x - 4, pt.y}, {pt.x + 4, pt.y - 4}, {pt.x + 4, pt.y + 4}};
  const COLORREF clr = GetFocus() == this ? UfxGlobalData.clrBtnText : UfxGlobalData.clrBtnShadow;
  CBrush brush(clr);
  CPen pen(PS_SOLID, 1, clr);
  CBrush* pOldBrush = pDC->SelectObject(&brush);
  CPen* pOldPen = pDC->SelectObject(&pen);
  pDC->Polygon(triangle, 3);
  pDC->SelectObject(pOldPen);
  pDC->SelectObject(pOldBrush);
}

BOOL CUfxHexColorCtrl::BuildPlaneBitmap(CDC* pDC) {
  CRect rect;
  GetClientRect(rect);
  const int width = rect.Width(), height = rect.Height();
  if (width <= 0 || height <= 0) return FALSE;
  if (m_bmpPicker.GetSafeHandle() != nullptr) m_bmpPicker.DeleteObject();
  BITMAPINFOHEADER bih = {sizeof(bih), width, height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* pBits = nullptr;
  HBITMAP hBitmap = ::CreateDIBSection(pDC->GetSafeHdc(), (BITMAPINFO*)&bih, DIB_RGB_COLORS, &pBits, nullptr, 0);
  if (hBitmap == nullptr || pBits == nullptr) return FALSE;
  // Rows run bottom-up: row 0 is the bottom line, saturation 0.
  DWORD* pPixels = (DWORD*)pBits;
  const int nBlock = PaletteBits() <= 8 ? 4 : 1;
  for (int row = 0; row < height; row += nBlock) {
    for (int x = 0; x < width; x += nBlock) {
      const COLORREF c = HLSToRGB((double)x / width, 0.5, (double)row / height);
      const DWORD dw = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
      for (int by = row; by < std::min(height, row + nBlock); ++by)
        for (int bx = x; bx < std::min(width, x + nBlock); ++bx) pPixels[by * width + bx] = dw;
    }
  }
  m_bmpPicker.Attach(hBitmap);
  return TRUE;
}

void CUfxHexColorCtrl::DrawPlane(CDC* pDC, const CRect& rect) {
  if (m_bmpPicker.GetSafeHandle() == nullptr && !BuildPlaneBitmap(pDC)) return;
  CDC dcMem;
  if (dcMem.CreateCompatibleDC(pDC)) {
    CBitmap* pOld = dcMem.SelectObject(&m_bmpPicker);
    pDC->BitBlt(rect.left, rect.top, rect.Width(), rect.Height(), &dcMem, 0, 0, SRCCOPY);
    dcMem.SelectObject(pOld);
  }
  pDC->Draw3dRect(rect, UfxGlobalData.clrBtnShadow, UfxGlobalData.clrBtnHilite);
  const CPoint pt = GetMarkerPoint();
  const COLORREF clr = GetFocus() == this ? RGB(0, 0, 0) : RGB(255, 255, 255);
  pDC->FillSolidRect(pt.x - 1, pt.y - 8, 3, 5, clr);
  pDC->FillSolidRect(pt.x - 1, pt.y + 4, 3, 5, clr);
  pDC->FillSolidRect(pt.x - 8, pt.y - 1, 5, 3, clr);
  pDC->FillSolidRect(pt.x + 4, pt.y - 1, 5, 3, clr);
}

void CUfxHexColorCtrl::DrawCells(CDC* pDC) {
  CreateCells();
  for (const CUfxHexCell* pCell : m_arCells) pCell->Draw(pDC);
  if (m_nSelected >= 0 && m_nSelected < (int)m_arCells.size()) m_arCells[m_nSelected]->DrawSelected(pDC);
}

CPoint CUfxHexColorCtrl::GetMarkerPoint() const {
  CRect rect;
  if (GetSafeHwnd() != nullptr) GetClientRect(rect);
  if (m_nType == LUMINANCE) {
    const int top = rect.top + kBarInset, bottom = rect.bottom - kBarInset;
    return CPoint(rect.left + m_nLumBarWidth + 6, bottom - (int)(m_dblLum * (bottom - top)));
  }
  return CPoint(rect.left + (int)(rect.Width() * m_dblHue), rect.top + (int)((1.0 - m_dblSat) * rect.Height()));
}

CRect CUfxHexColorCtrl::GetMarkerRect() const {
  const CPoint pt = GetMarkerPoint();
  const int nSize = m_nType == LUMINANCE ? kLumMarkerSize : kPlaneMarkerSize;
  return CRect(pt.x - nSize / 2, pt.y - nSize / 2, pt.x + nSize / 2 + 1, pt.y + nSize / 2 + 1);
}

void CUfxHexColorCtrl::RedrawMarker(const CRect& rectOld) {
  if (m_nType == LUMINANCE || m_nType == PICKER) {
    InvalidateRect(rectOld, FALSE);
    InvalidateRect(GetMarkerRect(), FALSE);
  } else {
    Invalidate(FALSE);
  }
  UpdateWindow();
}

// ---- input -------------------------------------------------------------------------------------

void CUfxHexColorCtrl::RecalcColor() {
  if (m_nType == LUMINANCE || m_nType == PICKER) m_colorNew = HLSToRGB(m_dblHue, m_dblLum, m_dblSat);
}

void CUfxHexColorCtrl::NotifyParent(UINT nCode) {
  CWnd* pParent = GetParent();
  if (pParent != nullptr) pParent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), nCode), (LPARAM)m_hWnd);
}

void CUfxHexColorCtrl::OnPointerAt(CPoint point) {
  CRect rect;
  GetClientRect(rect);
  if (rect.IsRectEmpty()) return;
  point.x = std::max<int>(rect.left, std::min<int>(point.x, rect.right - 1));
  point.y = std::max<int>(rect.top, std::min<int>(point.y, rect.bottom - 1));
  const CRect rectOld = GetMarkerRect();
  switch (m_nType) {
    case LUMINANCE: {
      const int top = rect.top + kBarInset, bottom = rect.bottom - kBarInset;
      if (bottom <= top) return;
      const int y = std::max(top, std::min<int>(point.y, bottom));
      m_dblLum = (double)(bottom - y) / (double)(bottom - top);
      break;
    }
    case PICKER:
      if (!(::GetKeyState(VK_CONTROL) & 0x8000)) m_dblHue = Clamp01((double)point.x / rect.Width());
      if (!(::GetKeyState(VK_SHIFT) & 0x8000)) m_dblSat = Clamp01(1.0 - (double)point.y / rect.Height());
      break;
    case HEX:
    case HEX_GREYSCALE: {
      CreateCells();
      int nHit = -1;
      for (size_t i = 0; i < m_arCells.size(); ++i)
        if (m_arCells[i]->HitTest(point)) {
          nHit = (int)i;
          break;
        }
      if (nHit < 0) return;
      m_nSelected = nHit;
      m_colorNew = m_arCells[nHit]->m_Color;
      RGBToHLS(m_colorNew, &m_dblHue, &m_dblSat, &m_dblLum);
      break;
    }
    default: return;
  }
  RecalcColor();
  RedrawMarker(rectOld);
  NotifyParent(BN_CLICKED);
}

void CUfxHexColorCtrl::OnLButtonDown(UINT, CPoint point) {
  if (m_nType == CURRENT) return;
  SetCapture();
  SetFocus();
  OnPointerAt(point);
}

void CUfxHexColorCtrl::OnMouseMove(UINT, CPoint point) {
  if (m_nType == CURRENT || GetCapture() != this) return;
  OnPointerAt(point);
}

void CUfxHexColorCtrl::OnLButtonUp(UINT, CPoint) {
  if (GetCapture() == this) ::ReleaseCapture();
}

void CUfxHexColorCtrl::OnLButtonDblClk(UINT nFlags, CPoint point) {
  if (m_nType == CURRENT || m_nType == LUMINANCE) return;
  OnPointerAt(point);
  if (m_nType == HEX || m_nType == HEX_GREYSCALE) {
    // Only a double click on a cell chooses.
    BOOL bOnCell = FALSE;
    for (const CUfxHexCell* pCell : m_arCells) bOnCell = bOnCell || pCell->HitTest(point);
    if (!bOnCell) return;
  }
  NotifyParent(BN_DOUBLECLICKED);
}

void CUfxHexColorCtrl::ChangeByKey(double& value, double delta) {
  const CRect rectOld = GetMarkerRect();
  const double dblNew = Clamp01(value + delta);
  if (dblNew == value) return;
  value = dblNew;
  RecalcColor();
  RedrawMarker(rectOld);
  NotifyParent(BN_CLICKED);
}

void CUfxHexColorCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (m_nType == LUMINANCE && (nChar == VK_UP || nChar == VK_DOWN)) {
    ChangeByKey(m_dblLum, nChar == VK_UP ? kKeyStep : -kKeyStep);
    return;
  }
  if (m_nType == PICKER) {
    switch (nChar) {
      case VK_LEFT: ChangeByKey(m_dblHue, -kKeyStep); return;
      case VK_RIGHT: ChangeByKey(m_dblHue, kKeyStep); return;
      case VK_UP: ChangeByKey(m_dblSat, kKeyStep); return;
      case VK_DOWN: ChangeByKey(m_dblSat, -kKeyStep); return;
    }
  }
  Default();
}

UINT CUfxHexColorCtrl::OnGetDlgCode() { return DLGC_WANTARROWS; }

void CUfxHexColorCtrl::OnSize(UINT nType, int cx, int cy) {
  Default();
  DeleteCells();
  if (m_bmpPicker.GetSafeHandle() != nullptr) m_bmpPicker.DeleteObject();
  if (m_nType == LUMINANCE && m_nLumBarWidth > cx * 3 / 4) m_nLumBarWidth = cx * 3 / 4;
}

void CUfxHexColorCtrl::OnSetFocus(CWnd*) {
  Default();
  Invalidate();
}

void CUfxHexColorCtrl::OnKillFocus(CWnd*) {
  Default();
  Invalidate();
}

BOOL CUfxHexColorCtrl::OnEraseBkgnd(CDC*) { return TRUE; }

BOOL CUfxHexColorCtrl::OnQueryNewPalette() {
  Invalidate();
  return TRUE;
}

void CUfxHexColorCtrl::OnPaletteChanged(CWnd*) { Invalidate(); }
