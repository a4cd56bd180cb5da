// What the toolbar benchmarks share: a strip of 40 images of 16 x 15 in the toolbars' shared
// images, so that every button draws one, and bars filled with buttons showing them.
#pragma once
#include "bars/UfxToolBar.h"
#include "bars/UfxToolbarButton.h"

const int kBenchImages = 40;

inline void MakeBenchImages() {
  HDC hdcScreen = ::GetDC(nullptr);
  HDC hdc = ::CreateCompatibleDC(hdcScreen);
  HBITMAP hbmp = ::CreateCompatibleBitmap(hdcScreen, 16 * kBenchImages, 15);
  HGDIOBJ hOld = ::SelectObject(hdc, hbmp);
  for (int i = 0; i < kBenchImages; ++i) {
    RECT rect = {i * 16, 0, i * 16 + 16, 15};
    HBRUSH hbr = ::CreateSolidBrush(RGB(i * 6, 255 - i * 6, (i * 37) & 0xFF));
    ::FillRect(hdc, &rect, hbr);
    ::DeleteObject(hbr);
  }
  ::SelectObject(hdc, hOld);
  ::DeleteDC(hdc);
  ::ReleaseDC(nullptr, hdcScreen);
  CUfxToolBar::GetImages()->SetImageSize(CSize(16, 15));
  CUfxToolBar::GetImages()->AddImage(hbmp);
  ::DeleteObject(hbmp);
}

// nButtons buttons from command uiFirst on, every eighth place a separator.
inline void FillBenchBar(CUfxToolBar& bar, int nButtons, UINT uiFirst) {
  for (int i = 0; i < nButtons; ++i) {
    if (i % 8 == 7) bar.InsertSeparator();
    else bar.InsertButton(new CUfxToolbarButton(uiFirst + i, i % kBenchImages));
  }
}
