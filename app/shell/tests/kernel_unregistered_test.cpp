// Numbrook.exe in a Wine prefix where the calculator kernel was never registered: the user is
// told what is missing and the program ends without a main window.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const wchar_t* const kProgramFiles[] = {L"Numbrook.exe", L"BrookResx.dll", L"BrookEdit.dll", L"Evalkern.dll"};

struct Found {
  DWORD pid;
  HWND box;
  bool frame;
};

BOOL CALLBACK IsEditor(HWND child, LPARAM flag) {
  wchar_t name[64] = {};
  ::GetClassNameW(child, name, 64);
  if (wcscmp(name, L"SimpleEditorsci") != 0) return TRUE;
  *reinterpret_cast<bool*>(flag) = true;
  return FALSE;
}

BOOL CALLBACK FindWindowsOf(HWND hWnd, LPARAM param) {
  auto* found = reinterpret_cast<Found*>(param);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hWnd, &pid);
  if (pid != found->pid) return TRUE;
  wchar_t name[64] = {};
  ::GetClassNameW(hWnd, name, 64);
  if (wcscmp(name, L"#32770") == 0 && ::IsWindowVisible(hWnd)) found->box = hWnd;
  // The main frame is the window with the editing controls.
  ::EnumChildWindows(hWnd, IsEditor, reinterpret_cast<LPARAM>(&found->frame));
  return TRUE;
}

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
  // A copy of the program in a folder of its own, the kernel's library beside it but not
  // registered in this prefix.
  wchar_t temp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + L"nbunregistered" + std::to_wstring(::GetCurrentProcessId());
  ::CreateDirectoryW(folder.c_str(), nullptr);
  for (const wchar_t* file : kProgramFiles)
    ASSERT_TRUE(::CopyFileW(file, (folder + L"\\" + file).c_str(), FALSE)) << file;

  std::wstring commandLine = L"\"" + folder + L"\\Numbrook.exe\"";
  STARTUPINFOW si = {};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi = {};
  ASSERT_TRUE(::CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi));

  Found found = {pi.dwProcessId, nullptr, false};
  for (int i = 0; i < 600 && found.box == nullptr; ++i) {
    ::EnumWindows(FindWindowsOf, reinterpret_cast<LPARAM>(&found));
    if (found.box == nullptr) ::Sleep(50);
  }
  ASSERT_NE(nullptr, found.box) << "no message";
  wchar_t caption[256] = {};
  ::GetWindowTextW(found.box, caption, 256);
  EXPECT_EQ(ResourceString(2036), caption);
  std::wstring texts;
  ::EnumChildWindows(found.box, CollectTexts, reinterpret_cast<LPARAM>(&texts));
  const std::wstring reason = ResourceString(2018);
  ASSERT_FALSE(reason.empty());
  EXPECT_NE(std::wstring::npos, texts.find(reason)) << texts.c_str();
  EXPECT_FALSE(found.frame) << "no main window before the kernel";

  ::PostMessageW(found.box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(pi.hProcess, 20000));
  DWORD code = 0;
  ::GetExitCodeProcess(pi.hProcess, &code);
  EXPECT_NE(STILL_ACTIVE, code);
  if (::WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT) ::TerminateProcess(pi.hProcess, 1);
  ::CloseHandle(pi.hThread);
  ::CloseHandle(pi.hProcess);
  for (const wchar_t* file : kProgramFiles) ::DeleteFileW((folder + L"\\" + file).c_str());
  ::RemoveDirectoryW(folder.c_str());
}

}  // namespace
