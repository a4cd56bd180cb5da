// Numbrook.exe in a Wine prefix where the calculator kernel was never registered: the user is
// told what is missing and the program ends without a main window.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "ProgramTestKit.h"

namespace {

BOOL CALLBACK CollectTexts(HWND child, LPARAM param) {
  wchar_t text[1024] = {};
  ::GetWindowTextW(child, text, 1024);
  reinterpret_cast<std::wstring*>(param)->append(text).append(L"|");
  return TRUE;
}

std::wstring ResourceString(UINT id) {
  HMODULE resx = ::LoadLibraryExW(L"BrookResx.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE);
  wchar_t text[1024] = {};
  if (resx != nullptr) ::LoadStringW(resx, id, text, 1024);
  if (resx != nullptr) ::FreeLibrary(resx);
  return text;
}

TEST(KernelUnregistered, StartTellsTheUserAndEndsWithoutAWindow) {
  // The kernel's library lies beside the program but is not registered in this prefix.
  ProgramFolder folder({L"Numbrook.exe", L"BrookResx.dll", L"BrookEdit.dll", L"Evalkern.dll"});
  NumbrookProcess program(folder.Path(), L"");
  ASSERT_TRUE(program.Started());
  const std::wstring caption = ResourceString(2036), reason = ResourceString(2018);
  ASSERT_FALSE(reason.empty());
  HWND box = program.Box(caption.c_str(), 30000);
  ASSERT_NE(nullptr, box) << "no message";
  std::wstring texts;
  ::EnumChildWindows(box, CollectTexts, reinterpret_cast<LPARAM>(&texts));
  EXPECT_NE(std::wstring::npos, texts.find(reason)) << texts.c_str();
  EXPECT_EQ(nullptr, program.Frame(false, 0)) << "no main window without the kernel";

  ::PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(program.Ended());
}

}  // namespace
