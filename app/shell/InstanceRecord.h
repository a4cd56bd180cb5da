// The single-instance record: the main window of the instance that owns the single-instance
// mutex, kept in a data section (".shr") that every running copy of the program shares. The
// handle is stored as 32 bits (window handles fit) and sign-extended back; 0 means none.
#pragma once

#include <windows.h>

// Only the owner of the mutex writes the record.
void SetInstanceWindow(HWND hWnd);
HWND GetInstanceWindow();
// Clears the record when it still names `hWnd` (the owner's main window going away).
void ClearInstanceWindow(HWND hWnd);

// For a second start: brings the recorded window to the front (shown, restored when iconic),
// but only when it is a live window of a process that runs this same program file. True when
// a window was brought to the front.
bool ActivateRecordedInstance();
