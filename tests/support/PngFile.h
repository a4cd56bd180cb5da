// Writes a window's or a DC's pixels as a PNG file (uncompressed), so that a test leaves a picture
// of what it drew beside its output.
#pragma once
#include "Framework.h"
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace png_file {

inline uint32_t Crc(const uint8_t* data, size_t n, uint32_t crc = 0xFFFFFFFFu) {
  for (size_t i = 0; i < n; ++i) {
    crc ^= data[i];
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return crc;
}

inline void Put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) out.push_back((uint8_t)(v >> s));
}

inline void Chunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
  Put32(out, (uint32_t)data.size());
  std::vector<uint8_t> body(type, type + 4);
  body.insert(body.end(), data.begin(), data.end());
  out.insert(out.end(), body.begin(), body.end());
  Put32(out, Crc(body.data(), body.size()) ^ 0xFFFFFFFFu);
}

}  // namespace png_file

// Saves the width x height pixels of hdc at (x, y) to path; FALSE when the file cannot be written.
inline BOOL SavePng(HDC hdc, int x, int y, int width, int height, const std::string& path) {
  using namespace png_file;
  // Copied into a 32-bit top-down DIB first: reading pixel by pixel is slow on screen DCs.
  BITMAPINFOHEADER bih = {sizeof(bih), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP hbm = ::CreateDIBSection(hdc, (BITMAPINFO*)&bih, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (hbm == nullptr) return FALSE;
  HDC mem = ::CreateCompatibleDC(hdc);
  HGDIOBJ old = ::SelectObject(mem, hbm);
  ::BitBlt(mem, 0, 0, width, height, hdc, x, y, SRCCOPY);
  ::GdiFlush();
  std::vector<uint8_t> raw;
  const uint8_t* px = (const uint8_t*)bits;
  for (int row = 0; row < height; ++row) {
    raw.push_back(0);  // no filter
    for (int col = 0; col < width; ++col) {
      const uint8_t* p = px + ((size_t)row * width + col) * 4;
      raw.push_back(p[2]);
      raw.push_back(p[1]);
      raw.push_back(p[0]);
    }
  }
  ::SelectObject(mem, old);
  ::DeleteDC(mem);
  ::DeleteObject(hbm);
  std::vector<uint8_t> z = {0x78, 0x01};
  uint32_t a = 1, b = 0;
  for (uint8_t v : raw) {
    a = (a + v) % 65521;
    b = (b + a) % 65521;
  }
  for (size_t pos = 0; pos < raw.size() || pos == 0; pos += 65535) {
    const size_t n = std::min<size_t>(65535, raw.size() - pos);
    z.push_back(pos + n >= raw.size() ? 1 : 0);
    z.push_back((uint8_t)(n & 0xFF));
    z.push_back((uint8_t)(n >> 8));
    z.push_back((uint8_t)(~n & 0xFF));
    z.push_back((uint8_t)((~n >> 8) & 0xFF));
    z.insert(z.end(), raw.begin() + pos, raw.begin() + pos + n);
    if (raw.empty()) break;
  }
  Put32(z, (b << 16) | a);
  std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  std::vector<uint8_t> ihdr;
  Put32(ihdr, (uint32_t)width);
  Put32(ihdr, (uint32_t)height);
  ihdr.insert(ihdr.end(), {8, 2, 0, 0, 0});
  Chunk(out, "IHDR", ihdr);
  Chunk(out, "IDAT", z);
  Chunk(out, "IEND", {});
  FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return FALSE;
  const bool ok = std::fwrite(out.data(), 1, out.size(), f) == out.size();
  std::fclose(f);
  return ok;
}

// The client area of a window as it is on the screen.
inline BOOL SaveWindowPng(HWND hwnd, const std::string& path) {
  RECT rc;
  ::GetClientRect(hwnd, &rc);
  HDC hdc = ::GetDC(hwnd);
  const BOOL ok = SavePng(hdc, 0, 0, rc.right, rc.bottom, path);
  ::ReleaseDC(hwnd, hdc);
  return ok;
}
