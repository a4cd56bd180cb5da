// The ground every other test stands on: the ANSI code page, a display, COM.
#include <windows.h>
#include <objbase.h>
#include <gtest/gtest.h>

TEST(Environment, AnsiCodePageIs1252) { EXPECT_EQ(1252u, GetACP()); }

TEST(Environment, WindowsCanBeCreated) {
  HWND w = CreateWindowExW(0, L"STATIC", L"probe", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(nullptr, w);
  DestroyWindow(w);
}

TEST(Environment, ComInitialises) {
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  CoUninitialize();
}

TEST(Environment, ExtendedPrecisionIsAvailable) {
  volatile long double third = 1.0L / 3.0L;
  EXPECT_EQ(64, __LDBL_MANT_DIG__);
  EXPECT_NE(static_cast<double>(third), third);
}
