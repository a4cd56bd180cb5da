// The global low-level keyboard hook: the show/hide key and the keyboard actions.
//
// The hook watches every key event of the desktop on the user-interface thread. The show/hide
// key hides the main window in the notification area or brings it back (on its key-up, by a
// message posted to the hook's own message-only window, so the hook returns at once); an
// enabled keyboard action whose key it is fires once per press (on the key-up) through the
// messenger. A matched key is swallowed, both down and up, unless its pass flag lets it go on
// to the program in front. Anything else, and any failure on the way, passes the event on.
#pragma once

#include <windows.h>

// Installs the hook unless one is installed; answers the hook (null when it failed).
HHOOK InstallKeyboardHook();
// Removes the hook when there is one.
void RemoveKeyboardHook();
bool IsKeyboardHookInstalled();

// The hook procedure.
LRESULT CALLBACK LowLevelKeyboardProc(int code, WPARAM wParam, LPARAM lParam);
