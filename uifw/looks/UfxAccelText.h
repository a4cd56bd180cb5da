// CUfxAccelText: the display text of one accelerator entry ("Ctrl+Shift+F5"): modifier names,
// then the key's name (or its character when the entry is not a virtual key).
#pragma once
#include "Framework.h"

class CUfxAccelText {
public:
  explicit CUfxAccelText(LPACCEL lpAccel = nullptr) : m_lpAccel(lpAccel) {}
  void SetAccelerator(LPACCEL lpAccel) { m_lpAccel = lpAccel; }
  // Empty without an entry.
  void Format(CString& str) const;
  // The keyboard layout's name of a virtual key: lower case with its first letter upper case.
  static CString GetKeyName(UINT uiVirtKey);

protected:
  LPACCEL m_lpAccel;
};
