// Holds the Wine desktop of a prefix open for a whole test run. Wine closes a desktop about a
// second after its last program ends and starts it anew for the next one; a program that starts
// while the old desktop is still closing finds no display driver and can make no window. This
// program keeps a hidden message-only window until the prefix's server is stopped.
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  HWND keeper = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
  if (keeper == nullptr) return 1;
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  return 0;
}
