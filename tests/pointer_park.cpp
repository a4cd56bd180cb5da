// Puts the pointer in the bottom right corner of the screen before a windowed test program runs.
// A display's Wine server keeps the pointer where the previous program on that display left it,
// and a window that appears under the pointer gets a real mouse move: a test program would start
// with hot buttons or tabs depending on which program ran before it.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  return ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1) ? 0 : 1;
}
