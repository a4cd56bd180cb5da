// Bitmap files written by the image tests: 24-bit, bottom-up, as a paint program saves them.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

// A 24-bit bitmap file of w x h pixels, colours from a function of (x, y) counted from the top.
inline void WriteBmp24(const wchar_t* path, int w, int h, const std::function<COLORREF(int, int)>& pixel) {
  const int cbRow = (w * 3 + 3) & ~3;
  std::vector<BYTE> data((size_t)cbRow * h);
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++) {
      const COLORREF c = pixel(x, h - 1 - y);
      BYTE* p = &data[(size_t)y * cbRow + x * 3];
      p[0] = GetBValue(c), p[1] = GetGValue(c), p[2] = GetRValue(c);
    }
  BITMAPINFOHEADER bih = {sizeof(bih), w, h, 1, 24, BI_RGB, (DWORD)data.size(), 0, 0, 0, 0};
  BITMAPFILEHEADER bfh = {0x4D42, (DWORD)(sizeof(bfh) + sizeof(bih) + data.size()), 0, 0, sizeof(bfh) + sizeof(bih)};
  HANDLE file = ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, file);
  DWORD cb = 0;
  ::WriteFile(file, &bfh, sizeof(bfh), &cb, nullptr);
  ::WriteFile(file, &bih, sizeof(bih), &cb, nullptr);
  ::WriteFile(file, data.data(), (DWORD)data.size(), &cb, nullptr);
  ::CloseHandle(file);
}
