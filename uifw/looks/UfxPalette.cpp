#include "looks/UfxPalette.h"
#include <algorithm>
#include <vector>

namespace {
// Room for a logical palette of n entries.
std::vector<BYTE> PaletteBuffer(int n) { return std::vector<BYTE>(sizeof(LOGPALETTE) + std::max(n, 1) * sizeof(PALETTEENTRY)); }
}  // namespace

BOOL UfxCreatePaletteOfColors(CPalette& palette, const CArray<COLORREF, COLORREF>& colors, int nMaxColors) {
  if (palette.GetSafeHandle() != nullptr) palette.DeleteObject();
  const int nColors = std::min<int>((int)colors.GetSize(), nMaxColors);
  if (nColors <= 0) return FALSE;
  std::vector<BYTE> buffer = PaletteBuffer(nColors);
  LOGPALETTE* pLogPalette = (LOGPALETTE*)buffer.data();
  pLogPalette->palVersion = 0x300;
  pLogPalette->palNumEntries = (WORD)nColors;
  for (int i = 0; i < nColors; ++i)
    pLogPalette->palPalEntry[i] = {GetRValue(colors[i]), GetGValue(colors[i]), GetBValue(colors[i]), 0};
  return palette.CreatePalette(pLogPalette);
}

BOOL UfxCreateSystemPalette(CPalette& palette, CPalette* pSource) {
  if (palette.GetSafeHandle() != nullptr) palette.DeleteObject();
  std::vector<BYTE> buffer = PaletteBuffer(256);
  LOGPALETTE* pLogPalette = (LOGPALETTE*)buffer.data();
  pLogPalette->palVersion = 0x300;
  UINT nEntries = 0;
  if (pSource != nullptr && pSource->GetSafeHandle() != nullptr) {
    nEntries = ::GetPaletteEntries((HPALETTE)pSource->GetSafeHandle(), 0, 256, pLogPalette->palPalEntry);
  } else {
    HDC hdc = ::GetDC(nullptr);
    nEntries = ::GetSystemPaletteEntries(hdc, 0, 256, pLogPalette->palPalEntry);
    ::ReleaseDC(nullptr, hdc);
  }
  if (nEntries == 0)
    nEntries = ::GetPaletteEntries((HPALETTE)::GetStockObject(DEFAULT_PALETTE), 0, 256, pLogPalette->palPalEntry);
  pLogPalette->palNumEntries = (WORD)nEntries;
  return palette.CreatePalette(pLogPalette);
}
