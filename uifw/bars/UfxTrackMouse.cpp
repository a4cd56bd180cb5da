#include "bars/UfxTrackMouse.h"

namespace {
// Each tick: the pointer must still lie in the window's client area, over that very window.
VOID CALLBACK MouseLeaveTimerProc(HWND hwnd, UINT, UINT_PTR idEvent, DWORD) {
  POINT ptScreen;
  ::GetCursorPos(&ptScreen);
  POINT ptClient = ptScreen;
  ::ScreenToClient(hwnd, &ptClient);
  RECT rectClient;
  ::GetClientRect(hwnd, &rectClient);
  if (::PtInRect(&rectClient, ptClient) && ::WindowFromPoint(ptScreen) == hwnd) return;
  ::KillTimer(hwnd, idEvent);
  ::PostMessageW(hwnd, WM_MOUSELEAVE, 0, 0);
}
}  // namespace

BOOL UfxTrackMouse(LPTRACKMOUSEEVENT lpEventTrack) {
  if (lpEventTrack == nullptr || lpEventTrack->cbSize < 16 || !(lpEventTrack->dwFlags & TME_LEAVE) ||
      !::IsWindow(lpEventTrack->hwndTrack))
    return FALSE;
  return ::SetTimer(lpEventTrack->hwndTrack, lpEventTrack->dwFlags, 100, MouseLeaveTimerProc) != 0;
}
