// A 32-bit memory canvas whose pixels read back exactly (tests and benchmarks of the looks).
#pragma once
#include "Framework.h"
#include <string>

class CTestCanvas {
public:
  CTestCanvas(int width, int height, COLORREF fill = RGB(255, 255, 255)) : m_width(width), m_height(height) {
    CClientDC screen(nullptr);
    m_dc.CreateCompatibleDC(&screen);
    BITMAPINFOHEADER bih = {sizeof(bih), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    m_bitmap.Attach(::CreateDIBSection(screen.GetSafeHdc(), (BITMAPINFO*)&bih, DIB_RGB_COLORS, &bits, nullptr, 0));
    m_old = ::SelectObject(m_dc.GetSafeHdc(), m_bitmap.GetSafeHandle());
    Fill(fill);
  }
  ~CTestCanvas() { ::SelectObject(m_dc.GetSafeHdc(), m_old); }
  CDC& dc() { return m_dc; }
  int Width() const { return m_width; }
  int Height() const { return m_height; }
  // Takes the pixels of a device context, from (x, y) on.
  void CopyFrom(HDC hdc, int x, int y) { ::BitBlt(m_dc.GetSafeHdc(), 0, 0, m_width, m_height, hdc, x, y, SRCCOPY); }
  void Fill(COLORREF c) { m_dc.FillSolidRect(0, 0, m_width, m_height, c); }
  COLORREF At(int x, int y) { ::GdiFlush(); return m_dc.GetPixel(x, y); }
  // Every pixel, row by row, to compare two drawings.
  std::basic_string<COLORREF> Pixels() {
    std::basic_string<COLORREF> all;
    for (int y = 0; y < m_height; ++y)
      for (int x = 0; x < m_width; ++x) all.push_back(At(x, y));
    return all;
  }

private:
  int m_width, m_height;
  CDC m_dc;
  CBitmap m_bitmap;
  HGDIOBJ m_old = nullptr;
};
