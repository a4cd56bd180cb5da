// Speed of the editing control on a 100,000-line worksheet: single-character edits, line and
// position look-ups at the end of the text, and painting one screen. Prints one line per figure
// with its target; the exit code is 0 either way (figures are read, not asserted).
#include <windows.h>

#include <cstdio>
#include <string>

#include "BenchClock.h"
#include "EditorMessages.h"

namespace {

LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NOTIFY) return 0;  // a host that listens to every notification but does nothing
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

int main() {
  if (!LoadLibraryW(L"BrookEdit.dll")) {
    std::printf("BrookEdit.dll not found\n");
    return 1;
  }
  WNDCLASSW wc = {};
  wc.lpfnWndProc = ParentProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"EditorBenchParent";
  RegisterClassW(&wc);
  HWND parent = CreateWindowExW(0, wc.lpszClassName, L"bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 900, 700,
                                nullptr, nullptr, wc.hInstance, nullptr);
  HWND ed = CreateWindowExW(0, EDITOR_WINDOW_CLASS, L"", WS_CHILD | WS_VISIBLE, 0, 0, 880, 660, parent, nullptr,
                            wc.hInstance, nullptr);
  auto send = [ed](UINT m, WPARAM w = 0, LPARAM l = 0) { return SendMessageW(ed, m, w, l); };

  std::string text;
  for (int i = 0; i < 100000; ++i) text += "x" + std::to_string(i) + " = sin(" + std::to_string(i % 360) + ")*2\r\n";
  double t0 = Now();
  send(SCI_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  std::printf("%-52s %10.2f ms\n", "set text (100,000 lines)", (Now() - t0) * 1e3);
  send(SCI_SETMODEVENTMASK, SC_MOD_INSERTTEXT | SC_MOD_DELETETEXT);
  send(SCI_STYLESETSIZE, STYLE_DEFAULT, 10);
  send(SCI_SETMARGINWIDTHN, 0, 40);
  for (int s = 0; s <= 10; ++s) send(SCI_STYLESETFORE, s, RGB(s * 20, 0, 200 - s * 15));
  send(SCI_STARTSTYLING, 0, 31);
  for (int i = 0; i < 2000; ++i) send(SCI_SETSTYLING, 3, i % 11);  // a styled first screen

  int length = static_cast<int>(send(SCI_GETLENGTH));
  int lines = static_cast<int>(send(SCI_GETLINECOUNT));
  std::printf("%-52s %10d lines, %d bytes\n", "document", lines, length);
  const int n = 2000;

  int middle = static_cast<int>(send(SCI_POSITIONFROMLINE, 50000));
  Report("insert a character (SCI_INSERTTEXT, middle)",
         MicrosecondsEach(n, [&](int i) { send(SCI_INSERTTEXT, middle + i, reinterpret_cast<LPARAM>("a")); }), 50);
  Report("insert a line end (SCI_INSERTTEXT CR LF, middle)", MicrosecondsEach(n, [&](int i) {
           send(SCI_INSERTTEXT, middle + n + 2 * i, reinterpret_cast<LPARAM>("\r\n"));
         }), 50);
  send(SCI_GOTOPOS, middle + n);
  Report("delete a character (SCI_CLEAR, middle)", MicrosecondsEach(n, [&](int) {
           send(SCI_SETSEL, middle + n, middle + n);
           send(SCI_CLEAR);
         }), 50);
  send(SCI_GOTOPOS, static_cast<WPARAM>(send(SCI_GETLENGTH)));
  Report("type a character (WM_CHAR, end)", MicrosecondsEach(n, [&](int) { send(WM_CHAR, 'z', 0); }), 50);
  // The key path asks the system for the state of Shift and Ctrl once per key; under Wine that
  // request alone takes tens of microseconds.
  Report("Backspace key (WM_KEYDOWN, end)", MicrosecondsEach(n, [&](int) { send(WM_KEYDOWN, VK_BACK, 0); }), 50);
  Report("  of which: reading the key state once", MicrosecondsEach(n, [&](int) {
           BYTE keys[256];
           GetKeyboardState(keys);
         }), 50);
  // Alternating far-apart edits move the whole text across the gap each time: the worst case,
  // shown for information (an edit costs the distance from the previous one, once).
  std::printf("%-52s %10.2f us   (worst case, no target)\n", "insert at start and end alternately",
              MicrosecondsEach(200, [&](int i) {
                int p = (i % 2) ? static_cast<int>(send(SCI_GETLENGTH)) : 0;
                send(SCI_INSERTTEXT, p, reinterpret_cast<LPARAM>("b"));
              }));

  int endPos = static_cast<int>(send(SCI_GETLENGTH)) - 1;
  int lastLine = static_cast<int>(send(SCI_GETLINECOUNT)) - 1;
  volatile LRESULT sink = 0;
  Report("SCI_LINEFROMPOSITION at the end",
         MicrosecondsEach(100000, [&](int) { sink = sink + send(SCI_LINEFROMPOSITION, endPos); }), 50);
  Report("SCI_POSITIONFROMLINE at the end",
         MicrosecondsEach(100000, [&](int) { sink = sink + send(SCI_POSITIONFROMLINE, lastLine); }), 50);

  UpdateWindow(ed);
  auto paint = [&](int) {
    InvalidateRect(ed, nullptr, FALSE);
    UpdateWindow(ed);
  };
  send(SCI_GOTOPOS, 0);
  paint(0);
  Report("paint one screen (top, styled)", MicrosecondsEach(200, paint), 5000);
  send(SCI_GOTOPOS, static_cast<WPARAM>(send(SCI_GETLENGTH)));
  paint(0);
  Report("paint one screen (end)", MicrosecondsEach(200, paint), 5000);
  std::printf("%-52s %10d lines on screen\n", "screen", static_cast<int>(send(SCI_LINESONSCREEN)));
  DestroyWindow(parent);
  return 0;
}
