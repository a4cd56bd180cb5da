#include "InstanceRecord.h"

#include <vector>

namespace {

// Shared by every process of this program file.
volatile LONG g_instanceWindow __attribute__((section(".shr"), shared)) = 0;

// The full path of a process's program file, or empty.
std::vector<wchar_t> ProgramOf(DWORD processId) {
  std::vector<wchar_t> path(32768, L'\0');
  HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
  if (process == nullptr) return {};
  DWORD size = static_cast<DWORD>(path.size());
  BOOL ok = ::QueryFullProcessImageNameW(process, 0, path.data(), &size);
  ::CloseHandle(process);
  if (!ok) return {};
  path.resize(size + 1);
  return path;
}

bool RunsThisProgram(HWND hWnd) {
  DWORD processId = 0;
  ::GetWindowThreadProcessId(hWnd, &processId);
  if (processId == 0) return false;
  std::vector<wchar_t> other = ProgramOf(processId);
  std::vector<wchar_t> own = ProgramOf(::GetCurrentProcessId());
  return !other.empty() && !own.empty() && lstrcmpiW(other.data(), own.data()) == 0;
}

}  // namespace

void SetInstanceWindow(HWND hWnd) {
  ::InterlockedExchange(&g_instanceWindow, static_cast<LONG>(reinterpret_cast<LONG_PTR>(hWnd)));
}

HWND GetInstanceWindow() {
  LONG value = ::InterlockedCompareExchange(&g_instanceWindow, 0, 0);
  return reinterpret_cast<HWND>(static_cast<LONG_PTR>(value));
}

void ClearInstanceWindow(HWND hWnd) {
  ::InterlockedCompareExchange(&g_instanceWindow, 0, static_cast<LONG>(reinterpret_cast<LONG_PTR>(hWnd)));
}

bool ActivateRecordedInstance() {
  HWND hWnd = GetInstanceWindow();
  if (hWnd == nullptr || !::IsWindow(hWnd) || !RunsThisProgram(hWnd)) return false;
  ::ShowWindow(hWnd, SW_SHOW);
  ::SetForegroundWindow(hWnd);
  if (::IsIconic(hWnd)) ::ShowWindow(hWnd, SW_RESTORE);
  return true;
}
