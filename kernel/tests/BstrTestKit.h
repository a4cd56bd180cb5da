// A BSTR that a call handed out, taken over by the test as a std::wstring.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>

// The text of `b` (empty for null); `b` is freed.
inline std::wstring TakeBstr(BSTR b) {
  std::wstring s(b ? b : L"", b ? SysStringLen(b) : 0);
  SysFreeString(b);
  return s;
}
