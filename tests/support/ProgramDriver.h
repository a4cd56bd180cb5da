// A program driven from another process, as the end-to-end tests and the benchmark drive
// Numbrook.exe: starting it, waiting for its windows, finding the worksheet's two editing
// controls, reading their text, and reading back the registry values it saved.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "TestPump.h"

// One registry key's values: DWORDs as their signed number, strings in quotes, anything else "?".
typedef std::map<std::wstring, std::wstring> RegistryValues;
inline RegistryValues ReadRegistryValues(HKEY root, const std::wstring& path) {
  RegistryValues values;
  HKEY key = nullptr;
  if (::RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return values;
  for (DWORD i = 0;; ++i) {
    wchar_t name[256];
    BYTE data[2048];
    DWORD nameLength = 256, size = sizeof(data), type = 0;
    if (::RegEnumValueW(key, i, name, &nameLength, nullptr, &type, data, &size) != ERROR_SUCCESS) break;
    if (type == REG_DWORD)
      values[name] = std::to_wstring(static_cast<long>(*reinterpret_cast<DWORD*>(data)));
    else if (type == REG_SZ)
      values[name] = L"\"" + std::wstring(reinterpret_cast<wchar_t*>(data)) + L"\"";
    else
      values[name] = L"?";
  }
  ::RegCloseKey(key);
  return values;
}

// The auto-saved worksheet of the program.
inline std::wstring AppDataWorksheet() {
  wchar_t folder[MAX_PATH] = {};
  ::GetEnvironmentVariableW(L"APPDATA", folder, MAX_PATH);
  return std::wstring(folder) + L"\\Ferrow Software\\Numbrook\\NumbrookDoc.txt";
}

// A file's bytes; "<missing>" when it cannot be read.
inline std::string ReadFileBytes(const std::wstring& path) {
  std::string bytes;
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<missing>";
  char buffer[4096];
  DWORD read = 0;
  while (::ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0) bytes.append(buffer, read);
  ::CloseHandle(file);
  return bytes;
}

inline bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  ::CloseHandle(file);
  return ok && written == bytes.size();
}

// Types into an editing control: characters as WM_CHAR, a line break as the Enter key.
inline void Type(HWND editor, const std::wstring& text) {
  for (wchar_t c : text) {
    if (c == L'\n')
      ::PostMessageW(editor, WM_KEYDOWN, VK_RETURN, 0);
    else
      ::PostMessageW(editor, WM_CHAR, c, 0);
  }
}

// The descendant of `parent` with that control id, or null.
inline HWND FindControl(HWND parent, int id) {
  std::pair<int, HWND> probe = {id, nullptr};
  ::EnumChildWindows(
      parent,
      [](HWND child, LPARAM param) -> BOOL {
        auto* p = reinterpret_cast<std::pair<int, HWND>*>(param);
        if (::GetDlgCtrlID(child) != p->first) return TRUE;
        p->second = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&probe));
  return probe.second;
}

// The window class of the program's editing controls.
constexpr const wchar_t* kEditorClass = L"SimpleEditorsci";

// An editing control's text.
inline std::wstring EditorText(HWND editor) {
  const int length = static_cast<int>(::SendMessageW(editor, WM_GETTEXTLENGTH, 0, 0));
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  ::SendMessageW(editor, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]));
  text.resize(static_cast<size_t>(length));
  return text;
}

// The worksheet's editing controls in a frame: the expression pane's and the results pane's,
// left to right; both null unless there are exactly two.
inline std::pair<HWND, HWND> WorksheetPanes(HWND frame) {
  std::vector<HWND> editors;
  ::EnumChildWindows(
      frame,
      [](HWND child, LPARAM param) -> BOOL {
        wchar_t name[64] = {};
        ::GetClassNameW(child, name, 64);
        if (wcscmp(name, kEditorClass) == 0) reinterpret_cast<std::vector<HWND>*>(param)->push_back(child);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&editors));
  if (editors.size() != 2) return {nullptr, nullptr};
  RECT a, b;
  ::GetWindowRect(editors[0], &a);
  ::GetWindowRect(editors[1], &b);
  if (a.left > b.left) std::swap(editors[0], editors[1]);
  return {editors[0], editors[1]};
}

// A started program; it is ended, if it still runs, when the object goes.
class StartedProgram {
public:
  StartedProgram(const std::wstring& commandLine, const std::wstring& currentDir = L"") {
    std::wstring line = commandLine;
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    m_started = ::CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr,
                                 currentDir.empty() ? nullptr : currentDir.c_str(), &si, &m_pi) != FALSE;
  }
  ~StartedProgram() {
    if (!m_started) return;
    if (::WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT) {
      ::TerminateProcess(m_pi.hProcess, 1);
      ::WaitForSingleObject(m_pi.hProcess, 10000);
    }
    ::CloseHandle(m_pi.hThread);
    ::CloseHandle(m_pi.hProcess);
  }
  StartedProgram(const StartedProgram&) = delete;
  StartedProgram& operator=(const StartedProgram&) = delete;

  bool Started() const { return m_started; }
  DWORD Pid() const { return m_pi.dwProcessId; }
  HANDLE Process() const { return m_pi.hProcess; }

  // A top-level window of the program (only a visible one, if asked) that has a child of
  // `childClass` (any window when null), once there is one; null after the time-out.
  HWND Window(const wchar_t* childClass, bool visibleOnly, DWORD timeoutMs = kPumpTimeoutMs) const {
    HWND found = nullptr;
    PumpUntil([&] { return (found = FindWindowOf(childClass, visibleOnly)) != nullptr; }, timeoutMs);
    return found;
  }
  // The main frame: the window with the editing controls.
  HWND Frame(bool visibleOnly, DWORD timeoutMs = kPumpTimeoutMs) const {
    return Window(kEditorClass, visibleOnly, timeoutMs);
  }
  // A top-level window of the program with that caption.
  HWND Box(LPCWSTR caption, DWORD timeoutMs = kPumpTimeoutMs) const {
    HWND box = nullptr;
    PumpUntil(
        [&] {
          box = ::FindWindowW(nullptr, caption);
          DWORD pid = 0;
          if (box != nullptr) ::GetWindowThreadProcessId(box, &pid);
          return box != nullptr && pid == m_pi.dwProcessId;
        },
        timeoutMs);
    return box;
  }
  bool Ended(DWORD timeoutMs = kPumpTimeoutMs) const {
    return PumpUntil([&] { return ::WaitForSingleObject(m_pi.hProcess, 0) == WAIT_OBJECT_0; }, timeoutMs);
  }
  // The program has started and waits for input with nothing left to do: what it does at start-up
  // (showing its window or not) has been done.
  bool Settled(DWORD timeoutMs = kPumpTimeoutMs) const {
    return ::WaitForInputIdle(m_pi.hProcess, timeoutMs) == 0;
  }

private:
  struct Search {
    DWORD pid;
    const wchar_t* childClass;
    bool visibleOnly;
    HWND found;
  };
  HWND FindWindowOf(const wchar_t* childClass, bool visibleOnly) const {
    Search search = {m_pi.dwProcessId, childClass, visibleOnly, nullptr};
    ::EnumWindows(
        [](HWND hWnd, LPARAM param) -> BOOL {
          auto* s = reinterpret_cast<Search*>(param);
          DWORD pid = 0;
          ::GetWindowThreadProcessId(hWnd, &pid);
          if (pid != s->pid || (s->visibleOnly && !::IsWindowVisible(hWnd))) return TRUE;
          if (s->childClass != nullptr && !HasDescendant(hWnd, s->childClass)) return TRUE;
          s->found = hWnd;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
  }
  static bool HasDescendant(HWND parent, const wchar_t* childClass) {
    std::pair<const wchar_t*, bool> probe = {childClass, false};
    ::EnumChildWindows(
        parent,
        [](HWND child, LPARAM param) -> BOOL {
          auto* p = reinterpret_cast<std::pair<const wchar_t*, bool>*>(param);
          wchar_t name[64] = {};
          ::GetClassNameW(child, name, 64);
          if (wcscmp(name, p->first) != 0) return TRUE;
          p->second = true;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&probe));
    return probe.second;
  }

  PROCESS_INFORMATION m_pi = {};
  bool m_started = false;
};

// Numbrook.exe of `folder` with those arguments, its current folder `currentDir` (the program's
// folder when empty).
class NumbrookProcess : public StartedProgram {
public:
  NumbrookProcess(const std::wstring& folder, const std::wstring& arguments, const std::wstring& currentDir = L"")
      : StartedProgram(L"\"" + folder + L"\\Numbrook.exe\" " + arguments, currentDir.empty() ? folder : currentDir) {}
};
