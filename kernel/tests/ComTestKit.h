// What the tests that talk to kernel objects through COM share: the apartment of the test
// program, and a returned BSTR taken over as a std::wstring.
#pragma once

#include <windows.h>
#include <gtest/gtest.h>
#include <oleauto.h>

#include <string>

// The apartment every test of a program runs in, as a global test environment.
struct ComApartment : ::testing::Environment {
  void SetUp() override { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
  void TearDown() override { CoUninitialize(); }
};

// The text of `b` (empty for null); `b` is freed.
inline std::wstring TakeBstr(BSTR b) {
  std::wstring s(b ? b : L"", b ? SysStringLen(b) : 0);
  SysFreeString(b);
  return s;
}
