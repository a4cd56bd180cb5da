// Plain text on the system clipboard.
#pragma once

#include "FwString.h"

// The Unicode text on the clipboard, read no further than its block holds and up to the first
// NUL; empty when the clipboard cannot be opened or holds no text.
CString GetClipboardText();

// Puts the text on the clipboard as Unicode text, with its ANSI and OEM forms beside it.
// Everything is prepared before the clipboard is emptied: false, and the clipboard as it was,
// when memory runs out or the clipboard cannot be opened.
bool SetClipboardText(LPCWSTR text);
