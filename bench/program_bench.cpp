// Numbrook.exe as a user meets it: start-up to a shown window with a 100-line worksheet's
// results (against Wine's notepad until its window shows), keystroke to results on a 1,000-line
// worksheet, and resident memory after start and over 1,000 recalculations.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "BenchClock.h"

namespace {

const wchar_t kProfile[] = L"Software\\Ferrow Software\\Numbrook";

std::wstring Worksheet() {
  wchar_t folder[MAX_PATH] = {};
  ::GetEnvironmentVariableW(L"APPDATA", folder, MAX_PATH);
  std::wstring path = std::wstring(folder) + L"\\Ferrow Software";
  ::CreateDirectoryW(path.c_str(), nullptr);
  path += L"\\Numbrook";
  ::CreateDirectoryW(path.c_str(), nullptr);
  return path + L"\\NumbrookDoc.txt";
}

void WriteWorksheet(int lines) {
  std::string text;
  for (int i = 1; i <= lines; ++i) text += "x" + std::to_string(i) + " := " + std::to_string(i) + " * 3 + sqrt(" +
                                          std::to_string(i) + ")\r\n";
  HANDLE file = ::CreateFileW(Worksheet().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  ::CloseHandle(file);
}

struct Started {
  PROCESS_INFORMATION pi = {};
  double at = 0;
};

Started Start(const std::wstring& commandLine) {
  Started started;
  std::wstring line = commandLine;
  STARTUPINFOW si = {};
  si.cb = sizeof(si);
  started.at = Now();
  ::CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &started.pi);
  return started;
}

void Stop(Started& started) {
  ::TerminateProcess(started.pi.hProcess, 0);
  ::WaitForSingleObject(started.pi.hProcess, 10000);
  ::CloseHandle(started.pi.hThread);
  ::CloseHandle(started.pi.hProcess);
}

struct Search {
  DWORD pid;
  const wchar_t* childClass;  // null: any visible top-level window
  HWND found;
};

BOOL CALLBACK HasChildClass(HWND child, LPARAM param) {
  wchar_t name[64] = {};
  ::GetClassNameW(child, name, 64);
  if (wcscmp(name, reinterpret_cast<const wchar_t*>(param)) == 0) {
    ::SetLastError(1);
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK FindVisible(HWND hWnd, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hWnd, &pid);
  if (pid != search->pid || !::IsWindowVisible(hWnd)) return TRUE;
  if (search->childClass != nullptr) {
    ::SetLastError(0);
    ::EnumChildWindows(hWnd, HasChildClass, reinterpret_cast<LPARAM>(search->childClass));
    if (::GetLastError() != 1) return TRUE;
  }
  search->found = hWnd;
  return FALSE;
}

HWND WaitWindow(DWORD pid, const wchar_t* childClass, double timeout = 30) {
  double end = Now() + timeout;
  while (Now() < end) {
    Search search = {pid, childClass, nullptr};
    ::EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr) return search.found;
    ::Sleep(1);
  }
  return nullptr;
}

BOOL CALLBACK CollectEditors(HWND child, LPARAM param) {
  wchar_t name[64] = {};
  ::GetClassNameW(child, name, 64);
  if (wcscmp(name, L"SimpleEditorsci") == 0) reinterpret_cast<std::vector<HWND>*>(param)->push_back(child);
  return TRUE;
}

// The expression pane's and the results pane's editors.
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

LRESULT TextLength(HWND editor) { return ::SendMessageW(editor, WM_GETTEXTLENGTH, 0, 0); }

// Polls every millisecond: each poll is a message the program answers, so polling faster
// would slow down what is measured.
bool WaitUntil(const std::function<bool()>& condition, double timeout = 30) {
  double end = Now() + timeout;
  while (Now() < end) {
    if (condition()) return true;
    ::Sleep(1);
  }
  return false;
}

SIZE_T WorkingSet(HANDLE process) {
  PROCESS_MEMORY_COUNTERS counters = {};
  counters.cb = sizeof(counters);
  return ::GetProcessMemoryInfo(process, &counters, sizeof(counters)) ? counters.WorkingSetSize : 0;
}

std::wstring ProgramPath() {
  wchar_t path[MAX_PATH];
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  return L"\"" + folder.substr(0, folder.rfind(L'\\')) + L"\\Numbrook.exe\"";
}

void Fresh() { ::RegDeleteTreeW(HKEY_CURRENT_USER, kProfile); }

}  // namespace

int main() {
  // Notepad until its window shows, the best of three.
  double notepad = 1e9;
  SIZE_T notepadMemory = 0;
  for (int run = 0; run < 3; ++run) {
    Started started = Start(L"notepad.exe");
    HWND window = WaitWindow(started.pi.dwProcessId, nullptr);
    if (window != nullptr) notepad = std::min(notepad, Now() - started.at);
    ::Sleep(500);
    notepadMemory = WorkingSet(started.pi.hProcess);
    Stop(started);
  }

  // Numbrook until its window shows the results of a 100-line worksheet, the best of three.
  double numbrook = 1e9;
  for (int run = 0; run < 3; ++run) {
    Fresh();
    WriteWorksheet(100);
    Started started = Start(ProgramPath());
    HWND frame = WaitWindow(started.pi.dwProcessId, L"SimpleEditorsci");
    if (frame != nullptr) {
      auto panes = Panes(frame);
      // 100 results and the empty last line: 101 lines.
      if (panes.second != nullptr &&
          WaitUntil([&] { return ::SendMessageW(panes.second, 2154 /* the editor's line count */, 0, 0) >= 101 && TextLength(panes.second) > 300; }))
        numbrook = std::min(numbrook, Now() - started.at);
    }
    Stop(started);
  }
  std::printf("%-60s %10.0f ms   notepad %0.0f ms, ratio %.2f (target <= 1.5)  %s\n",
              "start-up to a shown 100-line worksheet", numbrook * 1000, notepad * 1000, numbrook / notepad,
              numbrook <= 1.5 * notepad ? "ok" : "SLOW");

  // Keystrokes at the end of a 1,000-line worksheet, each until its result shows.
  Fresh();
  WriteWorksheet(1000);
  Started started = Start(ProgramPath());
  HWND frame = WaitWindow(started.pi.dwProcessId, L"SimpleEditorsci");
  auto panes = frame != nullptr ? Panes(frame) : std::pair<HWND, HWND>(nullptr, nullptr);
  if (panes.first == nullptr) {
    std::printf("Numbrook did not start\n");
    return 1;
  }
  WaitUntil([&] { return TextLength(panes.second) > 3000; });
  ::Sleep(1000);
  const SIZE_T startMemory = WorkingSet(started.pi.hProcess);
  std::printf("%-60s %10.1f MB   notepad %.1f MB, ratio %.2f (target <= 2)  %s\n", "resident memory after start",
              startMemory / 1048576.0, notepadMemory / 1048576.0, (double)startMemory / (double)notepadMemory,
              startMemory <= 2 * notepadMemory ? "ok" : "OVER");

  std::vector<double> times;
  // Each digit makes the last line's result one character longer; a line break starts again.
  auto keystroke = [&](wchar_t c) {
    const LRESULT before = TextLength(panes.second);
    double at = Now();
    ::PostMessageW(panes.first, WM_CHAR, c, 0);
    if (WaitUntil([&] { return TextLength(panes.second) != before; }, 5)) times.push_back(Now() - at);
  };
  for (int i = 0; i < 1000; ++i) {
    if (i % 10 == 0) {
      ::PostMessageW(panes.first, WM_KEYDOWN, VK_RETURN, 0);
      ::Sleep(5);
    }
    keystroke(L'7');
    if (i == 99) {
      std::vector<double> sorted = times;
      std::sort(sorted.begin(), sorted.end());
      if (!sorted.empty()) Report("keystroke to results, 1,000 lines (median of 100)", sorted[sorted.size() / 2] * 1e6, 16000);
    }
  }
  const SIZE_T endMemory = WorkingSet(started.pi.hProcess);
  const double growth = ((double)endMemory - (double)startMemory) / 1048576.0;
  std::printf("%-60s %10.2f MB   (target < 4 MB)  %s  [%zu results seen]\n", "memory growth over 1,000 recalculations",
              growth, growth < 4 ? "ok" : "OVER", times.size());
  Stop(started);
  Fresh();
  ::DeleteFileW(Worksheet().c_str());
  return 0;
}
