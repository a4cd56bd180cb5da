// What the looks read of the framework's global colours: the screen's colour depth, the button
// highlight and the light brush.
#pragma once
#include <windows.h>

inline int UfxScreenBitsPerPixel() {
  HDC screen = ::GetDC(nullptr);
  int bits = ::GetDeviceCaps(screen, BITSPIXEL);
  ::ReleaseDC(nullptr, screen);
  return bits;
}
inline COLORREF UfxButtonHighlightColor() { return ::GetSysColor(COLOR_BTNHIGHLIGHT); }
inline HBRUSH UfxLightBrush() { return ::GetSysColorBrush(COLOR_3DLIGHT); }
