// The tray-aware message box. Every MessageBoxW of the process is routed here (an import-table
// hook made at the end of start-up): it first brings the main window back from the
// notification area, so that no box appears without a visible owner, and then shows the real
// box through the address saved by the hook.
#pragma once

#include <windows.h>

#include "ApiHook.h"

// The replacement itself. The main window is brought back through the tray manager when the
// caller runs on the window's thread; any other thread posts the restore command to the
// window instead. The box is shown in every case, also without a main window; IDCANCEL only
// when the real MessageBoxW cannot be found.
int WINAPI MessageBoxHook(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);

// The hook object of MessageBoxW ("user32.dll", every module of the process patched).
class CMessageBoxHook {
public:
  CMessageBoxHook();

private:
  CApiHook m_hook;
};
