// Drag outlines: the halftone brush and an inverted frame that moves without flicker.
#include "Framework.h"

CBrush* CDC::GetHalftoneBrush() {
  static thread_local CBrush* t_pBrush = nullptr;
  if (t_pBrush == nullptr) {
    WORD grayPattern[8];
    for (int i = 0; i < 8; ++i) grayPattern[i] = (WORD)(0x5555 << (i & 1));
    HBITMAP hBitmap = ::CreateBitmap(8, 8, 1, 1, grayPattern);
    if (hBitmap == nullptr) return nullptr;
    t_pBrush = new CBrush;
    t_pBrush->Attach(::CreatePatternBrush(hBitmap));
    ::DeleteObject(hBitmap);
  }
  return t_pBrush;
}

// The frame of rect, size thick, as a region.
static HRGN FrameRegion(LPCRECT lpRect, SIZE size) {
  HRGN hOutside = ::CreateRectRgnIndirect(lpRect);
  CRect inside(*lpRect);
  inside.InflateRect(-size.cx, -size.cy);
  inside.IntersectRect(inside, lpRect);
  HRGN hInside = ::CreateRectRgnIndirect(&inside);
  HRGN hFrame = ::CreateRectRgn(0, 0, 0, 0);
  ::CombineRgn(hFrame, hOutside, hInside, RGN_XOR);
  ::DeleteObject(hOutside);
  ::DeleteObject(hInside);
  return hFrame;
}

static void InvertRegion(HDC hdc, HRGN hRgn, HBRUSH hBrush) {
  ::SelectClipRgn(hdc, hRgn);
  CRect box;
  ::GetClipBox(hdc, &box);
  HGDIOBJ hOld = ::SelectObject(hdc, hBrush);
  ::PatBlt(hdc, box.left, box.top, box.Width(), box.Height(), PATINVERT);
  ::SelectObject(hdc, hOld);
}

void CDC::DrawDragRect(LPCRECT lpRect, SIZE size, LPCRECT lpRectLast, SIZE sizeLast, CBrush* pBrush,
                       CBrush* pBrushLast) {
  if (pBrush == nullptr) pBrush = GetHalftoneBrush();
  if (pBrushLast == nullptr) pBrushLast = pBrush;
  HRGN hNew = FrameRegion(lpRect, size);
  HRGN hLast = lpRectLast != nullptr ? FrameRegion(lpRectLast, sizeLast) : nullptr;
  HRGN hUpdate = nullptr;
  bool sameBrush = pBrush->m_hObject == pBrushLast->m_hObject;
  if (hLast != nullptr && sameBrush) {
    // Only what differs between the old frame and the new one is inverted.
    hUpdate = ::CreateRectRgn(0, 0, 0, 0);
    ::CombineRgn(hUpdate, hLast, hNew, RGN_XOR);
  } else if (hLast != nullptr) {
    InvertRegion(m_hDC, hLast, (HBRUSH)pBrushLast->m_hObject);  // a different brush: erase first
  }
  InvertRegion(m_hDC, hUpdate != nullptr ? hUpdate : hNew, (HBRUSH)pBrush->m_hObject);
  ::SelectClipRgn(m_hDC, nullptr);
  ::DeleteObject(hNew);
  if (hLast != nullptr) ::DeleteObject(hLast);
  if (hUpdate != nullptr) ::DeleteObject(hUpdate);
}
