// Small helpers for the values that cross the program's interfaces.
#pragma once

#include <windows.h>

// Stores a value through an out-parameter: S_OK, or E_POINTER for a null one.
template <class T>
HRESULT Give(T* out, T value) {
  if (out == nullptr) return E_POINTER;
  *out = value;
  return S_OK;
}

// Any non-zero flag as VARIANT_TRUE.
inline VARIANT_BOOL AsVariantBool(long flag) { return flag != 0 ? VARIANT_TRUE : VARIANT_FALSE; }
