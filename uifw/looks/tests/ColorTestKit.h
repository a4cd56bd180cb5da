// Shared pieces of the colour controls' tests: an action run from inside a modal loop, finding
// the dialog it shows, a parent window that records the commands its controls send, and the
// archive of an object in memory. Pumping is the tests' shared pump, through the framework.
#pragma once
#include "ArchiveBytes.h"
#include "Framework.h"
#include "FrameworkPump.h"
#include "bars/UfxToolBar.h"
#include "frames/UfxGlobalData.h"
#include "looks/UfxVisualManager.h"
#include <gtest/gtest.h>
#include <functional>
#include <vector>

namespace color_test {

using archive_bytes::Load;
using archive_bytes::Store;

// Runs an action from inside whatever loop takes the next messages (a modal dialog's or a
// menu's), once, shortly after. An action that finds nothing to do yet may run itself again.
inline std::function<void()>& SoonAction() {
  static std::function<void()> action;
  return action;
}
inline void RunSoon(std::function<void()> action) {
  SoonAction() = std::move(action);
  ::SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR idEvent, DWORD) {
    ::KillTimer(nullptr, idEvent);
    std::function<void()> run;
    run.swap(SoonAction());
    if (run) run();
  });
}

// A visible dialog window of this thread other than the one given, or null.
inline HWND FindVisibleDialog(HWND hwndExcept = nullptr) {
  struct Search {
    HWND hwndExcept, hwndFound;
  } search = {hwndExcept, nullptr};
  ::EnumThreadWindows(
      ::GetCurrentThreadId(),
      [](HWND hwnd, LPARAM lParam) -> BOOL {
        Search* p = (Search*)lParam;
        wchar_t szClass[16] = {};
        ::GetClassNameW(hwnd, szClass, 16);
        if (hwnd == p->hwndExcept || !::IsWindowVisible(hwnd) || wcscmp(szClass, L"#32770") != 0) return TRUE;
        p->hwndFound = hwnd;
        return FALSE;
      },
      (LPARAM)&search);
  return search.hwndFound;
}

// A top-level window that records the commands of its children: (id, notification, sender).
class CCommandRecorder : public CWnd {
public:
  struct Command {
    UINT id;
    UINT code;
    HWND sender;
  };
  std::vector<Command> commands;
  BOOL Make(int x = 40, int y = 40, int cx = 400, int cy = 300, DWORD dwStyle = WS_POPUP) {
    return CreateEx(0, AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1)),
                    L"colours", dwStyle, x, y, cx, cy, nullptr, nullptr);
  }
  int Count(UINT id) const {
    int n = 0;
    for (const Command& c : commands) n += c.id == id;
    return n;
  }
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    commands.push_back({LOWORD(wParam), HIWORD(wParam), (HWND)lParam});
    CWnd::OnCommand(wParam, lParam);  // a control's own handler of its notification runs too
    return TRUE;
  }
};

inline void AppendInt(std::vector<BYTE>& v, DWORD n) {
  for (int i = 0; i < 4; ++i) v.push_back((BYTE)(n >> (8 * i)));
}

// A string as the platform's archive writes it: the Unicode mark, the length, UTF-16 characters.
inline void AppendString(std::vector<BYTE>& v, const wchar_t* s) {
  const size_t n = wcslen(s);
  v.insert(v.end(), {0xFF, 0xFE, 0xFF, (BYTE)n});
  for (size_t i = 0; i < n; ++i) {
    v.push_back((BYTE)(s[i] & 0xFF));
    v.push_back((BYTE)(s[i] >> 8));
  }
}

// Each test starts with the shared bar settings and looks at their defaults.
class ColorTest : public ::testing::Test {
protected:
  void SetUp() override { Reset(); }
  void TearDown() override { Reset(); }
  static void Reset() {
    CUfxToolBar::SetCustomizeMode(FALSE);
    CUfxToolBar::SetLargeIcons(FALSE);
    CUfxToolBar::SetSizes(CSize(23, 22), CSize(16, 15));
    CUfxToolBar::SetMenuSizes(CSize(-1, -1), CSize(-1, -1));
    CUfxToolBar::SetShowTooltips(TRUE, TRUE);
    CUfxToolBar::SetMenuAnimation(0);
    CUfxToolBar::SetMenuShadows(FALSE);
    CUfxVisualManager::SetDefaultManager(nullptr);
    CUfxVisualManager::DeleteAutoCreatedInstance();
    UfxGlobalData.UpdateSysColors();
  }
};

}  // namespace color_test
