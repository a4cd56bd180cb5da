// Numbrook.exe as a user meets it: start-up to a shown window with a 100-line worksheet's
// results (against Wine's notepad until its window shows), keystroke to results on a 1,000-line
// worksheet, and resident memory after start and over 1,000 recalculations.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "ProgramDriver.h"

namespace {

// The program keeps its settings under a profile of this program's own (NUMBROOK_PROFILE).
const wchar_t kProfileName[] = L"NumbrookProgramBench";
const wchar_t kProfile[] = L"Software\\Ferrow Software\\NumbrookProgramBench";

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

LRESULT TextLength(HWND editor) { return ::SendMessageW(editor, WM_GETTEXTLENGTH, 0, 0); }

// The pump asks again within a millisecond of the last change, then less and less often: each
// question is a message the program answers, so asking faster would slow down what is measured.
bool WaitUntil(const std::function<bool()>& condition, double timeoutSeconds = 30) {
  return PumpUntil(condition, static_cast<DWORD>(timeoutSeconds * 1000));
}

SIZE_T WorkingSet(HANDLE process) {
  PROCESS_MEMORY_COUNTERS counters = {};
  counters.cb = sizeof(counters);
  return ::GetProcessMemoryInfo(process, &counters, sizeof(counters)) ? counters.WorkingSetSize : 0;
}

// The folder of this benchmark, which holds the program too.
std::wstring ProgramFolder() {
  wchar_t path[MAX_PATH];
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  return folder.substr(0, folder.rfind(L'\\'));
}

void Fresh() { ::RegDeleteTreeW(HKEY_CURRENT_USER, kProfile); }

// The minimum, median and maximum of a list of seconds, in milliseconds.
std::string Spread(std::vector<double> seconds) {
  if (seconds.empty()) return "none";
  std::sort(seconds.begin(), seconds.end());
  char text[64];
  std::snprintf(text, sizeof(text), "%.0f/%.0f/%.0f", seconds.front() * 1000, seconds[seconds.size() / 2] * 1000,
                seconds.back() * 1000);
  return text;
}

// Numbrook until its window shows the results of a 100-line worksheet.
double NumbrookStartUp() {
  Fresh();
  WriteWorksheet(100);
  const double at = Now();
  NumbrookProcess started(ProgramFolder(), L"");
  HWND frame = started.Frame(true, 30000);
  if (frame == nullptr) return -1;
  auto panes = WorksheetPanes(frame);
  // 100 results and the empty last line: 101 lines.
  if (panes.second == nullptr ||
      !WaitUntil([&] { return ::SendMessageW(panes.second, 2154 /* the editor's line count */, 0, 0) >= 101 && TextLength(panes.second) > 300; }))
    return -1;
  const double seconds = Now() - at;
  // Closed as a user closes it: a program ended by force holds up the next start under Wine by
  // about two seconds.
  ::PostMessageW(frame, WM_CLOSE, 0, 0);
  ::WaitForSingleObject(started.Process(), 10000);
  return seconds;
}

}  // namespace

// With "--startup N" only start-up is measured, N times each.
int main(int argc, char** argv) {
  ::SetEnvironmentVariableW(L"NUMBROOK_PROFILE", kProfileName);
  const bool startupOnly = argc >= 3 && std::string(argv[1]) == "--startup";
  const int runs = startupOnly ? std::max(1, std::atoi(argv[2])) : 3;
  // Notepad until its window shows; the best of the runs.
  std::vector<double> notepadTimes, numbrookTimes;
  SIZE_T notepadMemory = 0;
  for (int run = 0; run < runs; ++run) {
    const double at = Now();
    StartedProgram started(L"notepad.exe");
    HWND window = started.Window(nullptr, true, 30000);
    if (window != nullptr) notepadTimes.push_back(Now() - at);
    ::Sleep(500);
    notepadMemory = WorkingSet(started.Process());
    if (window != nullptr) {
      ::PostMessageW(window, WM_CLOSE, 0, 0);
      ::WaitForSingleObject(started.Process(), 10000);
    }
  }
  for (int run = 0; run < runs; ++run) {
    const double seconds = NumbrookStartUp();
    if (seconds >= 0) numbrookTimes.push_back(seconds);
  }
  const double notepad = notepadTimes.empty() ? 1e9 : *std::min_element(notepadTimes.begin(), notepadTimes.end());
  const double numbrook = numbrookTimes.empty() ? 1e9 : *std::min_element(numbrookTimes.begin(), numbrookTimes.end());
  std::printf("%-60s %10.0f ms   notepad %0.0f ms, ratio %.2f (target <= 1.5)  %s\n",
              "start-up to a shown 100-line worksheet", numbrook * 1000, notepad * 1000, numbrook / notepad,
              numbrook <= 1.5 * notepad ? "ok" : "SLOW");
  std::printf("%-60s %s ms   notepad %s ms\n", "  min/median/max of the runs", Spread(numbrookTimes).c_str(),
              Spread(notepadTimes).c_str());
  if (startupOnly) {
    Fresh();
    ::DeleteFileW(Worksheet().c_str());
    return 0;
  }

  // Keystrokes at the end of a 1,000-line worksheet, each until its result shows.
  Fresh();
  WriteWorksheet(1000);
  NumbrookProcess started(ProgramFolder(), L"");
  HWND frame = started.Frame(true, 30000);
  auto panes = frame != nullptr ? WorksheetPanes(frame) : std::pair<HWND, HWND>(nullptr, nullptr);
  if (panes.first == nullptr) {
    std::printf("Numbrook did not start\n");
    return 1;
  }
  WaitUntil([&] { return TextLength(panes.second) > 3000; });
  ::Sleep(1000);
  const SIZE_T startMemory = WorkingSet(started.Process());
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
  const SIZE_T endMemory = WorkingSet(started.Process());
  const double growth = ((double)endMemory - (double)startMemory) / 1048576.0;
  std::printf("%-60s %10.2f MB   (target < 4 MB)  %s  [%zu results seen]\n", "memory growth over 1,000 recalculations",
              growth, growth < 4 ? "ok" : "OVER", times.size());
  Fresh();
  ::DeleteFileW(Worksheet().c_str());
  return 0;
}
