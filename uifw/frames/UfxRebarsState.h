// The band layout of every rebar in a frame, kept under "<section>UfxRebar-<id>": "RBI" holds one
// 80-byte band record per band (the 32-bit layout, whatever this program's bitness), "IDs" the
// control id of each band's window.
#pragma once
#include "Framework.h"

BOOL SaveRebarsState(LPCWSTR lpszProfileName, CWnd* pParentWnd = nullptr);
BOOL LoadRebarsState(LPCWSTR lpszProfileName, CWnd* pParentWnd = nullptr);
