#include "UfxToolBarImages.h"

CUfxToolBarImages::CUfxToolBarImages() : m_sizeImage(16, 15) {}

CUfxToolBarImages::~CUfxToolBarImages() {
  EndDraw();
  Clear();
}

void CUfxToolBarImages::Clear() {
  if (m_hbmImages != nullptr) ::DeleteObject(m_hbmImages);
  m_hbmImages = nullptr;
  m_iCount = 0;
}

int CUfxToolBarImages::AddImage(HBITMAP hbmp) {
  BITMAP bm = {};
  if (hbmp == nullptr || !::GetObjectW(hbmp, sizeof(bm), &bm) || m_sizeImage.cx <= 0 || m_sizeImage.cy <= 0) return -1;
  const int nAdded = bm.bmWidth / m_sizeImage.cx;
  if (nAdded <= 0) return -1;
  HDC hdcScreen = ::GetDC(nullptr);
  HBITMAP hbmNew = ::CreateCompatibleBitmap(hdcScreen, (m_iCount + nAdded) * m_sizeImage.cx, m_sizeImage.cy);
  HDC hdcDst = ::CreateCompatibleDC(hdcScreen), hdcSrc = ::CreateCompatibleDC(hdcScreen);
  ::ReleaseDC(nullptr, hdcScreen);
  if (hbmNew == nullptr || hdcDst == nullptr || hdcSrc == nullptr) {
    if (hbmNew != nullptr) ::DeleteObject(hbmNew);
    if (hdcDst != nullptr) ::DeleteDC(hdcDst);
    if (hdcSrc != nullptr) ::DeleteDC(hdcSrc);
    return -1;
  }
  HGDIOBJ hOldDst = ::SelectObject(hdcDst, hbmNew);
  HGDIOBJ hOldSrc = nullptr;
  if (m_hbmImages != nullptr) {
    hOldSrc = ::SelectObject(hdcSrc, m_hbmImages);
    ::BitBlt(hdcDst, 0, 0, m_iCount * m_sizeImage.cx, m_sizeImage.cy, hdcSrc, 0, 0, SRCCOPY);
    ::SelectObject(hdcSrc, hOldSrc);
  }
  hOldSrc = ::SelectObject(hdcSrc, hbmp);
  ::BitBlt(hdcDst, m_iCount * m_sizeImage.cx, 0, nAdded * m_sizeImage.cx, m_sizeImage.cy, hdcSrc, 0, 0, SRCCOPY);
  ::SelectObject(hdcSrc, hOldSrc);
  ::SelectObject(hdcDst, hOldDst);
  ::DeleteDC(hdcSrc);
  ::DeleteDC(hdcDst);
  if (m_hbmImages != nullptr) ::DeleteObject(m_hbmImages);
  m_hbmImages = hbmNew;
  const int iFirst = m_iCount;
  m_iCount += nAdded;
  return iFirst;
}

BOOL CUfxToolBarImages::PrepareDraw() {
  if (m_hbmImages == nullptr || m_iCount == 0) return FALSE;
  EndDraw();
  m_hdcDraw = ::CreateCompatibleDC(nullptr);
  if (m_hdcDraw == nullptr) return FALSE;
  m_hbmOldDraw = ::SelectObject(m_hdcDraw, m_hbmImages);
  return TRUE;
}

BOOL CUfxToolBarImages::Draw(CDC* pDC, int x, int y, int iImage, BOOL, BOOL bDisabled, CSize sizeDest) {
  if (m_hdcDraw == nullptr || iImage < 0 || iImage >= m_iCount) return FALSE;
  const int cx = sizeDest.cx > 0 ? sizeDest.cx : m_sizeImage.cx;
  const int cy = sizeDest.cy > 0 ? sizeDest.cy : m_sizeImage.cy;
  const int xSrc = iImage * m_sizeImage.cx;
  HDC hdc = pDC->GetSafeHdc();
  if (bDisabled) {
    // A disabled image is its shape in the shadow colour.
    RECT rect = {x, y, x + cx, y + cy};
    ::FillRect(hdc, &rect, ::GetSysColorBrush(COLOR_BTNSHADOW));
    return TRUE;
  }
  if (m_clrTransparent != (COLORREF)-1)
    return ::GdiTransparentBlt(hdc, x, y, cx, cy, m_hdcDraw, xSrc, 0, m_sizeImage.cx, m_sizeImage.cy, m_clrTransparent);
  return ::StretchBlt(hdc, x, y, cx, cy, m_hdcDraw, xSrc, 0, m_sizeImage.cx, m_sizeImage.cy, SRCCOPY);
}

void CUfxToolBarImages::EndDraw() {
  if (m_hdcDraw == nullptr) return;
  ::SelectObject(m_hdcDraw, m_hbmOldDraw);
  ::DeleteDC(m_hdcDraw);
  m_hdcDraw = nullptr;
  m_hbmOldDraw = nullptr;
}
