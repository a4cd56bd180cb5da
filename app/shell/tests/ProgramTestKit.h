// What the tests of the program as a whole share: a copy of Numbrook.exe in a folder of its
// own, started as a process of its own, and the search for its windows.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace {

bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs = 15000) {
  for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
    if (condition()) return true;
    ::Sleep(50);
  }
  return condition();
}

// ---- the program ----------------------------------------------------------------------------------

// A folder with a copy of the program and the libraries it loads from its own folder.
class ProgramFolder {
public:
  explicit ProgramFolder(std::vector<std::wstring> files) {
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    m_path = std::wstring(temp) + L"nbprogram" + std::to_wstring(::GetCurrentProcessId()) + L"_" +
             std::to_wstring(s_counter++);
    ::CreateDirectoryW(m_path.c_str(), nullptr);
    for (const std::wstring& file : files) Add(file);
  }
  ~ProgramFolder() {
    for (const std::wstring& file : m_files) ::DeleteFileW((m_path + L"\\" + file).c_str());
    ::RemoveDirectoryW(m_path.c_str());
  }
  void Add(const std::wstring& file) {
    ::CopyFileW(file.c_str(), (m_path + L"\\" + file).c_str(), FALSE);
    m_files.push_back(file);
  }
  const std::wstring& Path() const { return m_path; }

private:
  static int s_counter;
  std::wstring m_path;
  std::vector<std::wstring> m_files;
};
int ProgramFolder::s_counter = 0;

const std::vector<std::wstring> kProgramFiles = {L"Numbrook.exe", L"BrookResx.dll", L"BrookEdit.dll"};

struct WindowSearch {
  DWORD pid;
  bool visibleOnly;
  HWND found;
};

BOOL CALLBACK HasEditorChild(HWND child, LPARAM flag) {
  wchar_t name[64] = {};
  ::GetClassNameW(child, name, 64);
  if (wcscmp(name, L"SimpleEditorsci") == 0) {
    *reinterpret_cast<bool*>(flag) = true;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK FindFrameOf(HWND hWnd, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hWnd, &pid);
  if (pid != search->pid || (search->visibleOnly && !::IsWindowVisible(hWnd))) return TRUE;
  bool hasEditor = false;
  ::EnumChildWindows(hWnd, HasEditorChild, reinterpret_cast<LPARAM>(&hasEditor));
  if (!hasEditor) return TRUE;
  search->found = hWnd;
  return FALSE;
}

BOOL CALLBACK CollectEditors(HWND child, LPARAM param) {
  wchar_t name[64] = {};
  ::GetClassNameW(child, name, 64);
  if (wcscmp(name, L"SimpleEditorsci") == 0) reinterpret_cast<std::vector<HWND>*>(param)->push_back(child);
  return TRUE;
}

// A started copy of the program; it is ended when the object goes.
class Program {
public:
  Program(const std::wstring& folder, const std::wstring& arguments, const std::wstring& currentDir = L"") {
    std::wstring commandLine = L"\"" + folder + L"\\Numbrook.exe\" " + arguments;
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    m_started = ::CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                                 currentDir.empty() ? folder.c_str() : currentDir.c_str(), &si, &m_pi) != FALSE;
  }
  ~Program() {
    if (!m_started) return;
    if (::WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT) {
      ::TerminateProcess(m_pi.hProcess, 1);
      ::WaitForSingleObject(m_pi.hProcess, 10000);
    }
    ::CloseHandle(m_pi.hThread);
    ::CloseHandle(m_pi.hProcess);
  }
  bool Started() const { return m_started; }
  DWORD Pid() const { return m_pi.dwProcessId; }

  // The main frame (the window with the editing controls), once it exists.
  HWND Frame(bool visibleOnly) {
    HWND frame = nullptr;
    WaitFor([&] {
      WindowSearch search = {m_pi.dwProcessId, visibleOnly, nullptr};
      ::EnumWindows(FindFrameOf, reinterpret_cast<LPARAM>(&search));
      frame = search.found;
      return frame != nullptr;
    });
    return frame;
  }
  // The expression pane's and the results pane's editing controls, left to right.
  std::pair<HWND, HWND> Panes(HWND frame) {
    std::vector<HWND> editors;
    ::EnumChildWindows(frame, CollectEditors, reinterpret_cast<LPARAM>(&editors));
    if (editors.size() != 2) return {nullptr, nullptr};
    RECT a, b;
    ::GetWindowRect(editors[0], &a);
    ::GetWindowRect(editors[1], &b);
    if (a.left > b.left) std::swap(editors[0], editors[1]);
    return {editors[0], editors[1]};
  }
  // A top-level window of the program with that caption.
  HWND Box(LPCWSTR caption, DWORD timeoutMs = 15000) {
    HWND box = nullptr;
    WaitFor(
        [&] {
          box = ::FindWindowW(nullptr, caption);
          DWORD pid = 0;
          if (box != nullptr) ::GetWindowThreadProcessId(box, &pid);
          return box != nullptr && pid == m_pi.dwProcessId;
        },
        timeoutMs);
    return box;
  }
  bool Ended(DWORD timeoutMs = 20000) { return ::WaitForSingleObject(m_pi.hProcess, timeoutMs) == WAIT_OBJECT_0; }

private:
  PROCESS_INFORMATION m_pi = {};
  bool m_started = false;
};

}  // namespace
