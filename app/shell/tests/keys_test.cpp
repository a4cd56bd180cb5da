// Keyboard actions of the running program with real key presses: the driver beside this test
// plays the xdotool commands it asks for. A copy of Numbrook.exe waits in the notification area
// while this program's EDIT has the focus and a selected expression.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GesturePlayer.h"
#include "TestPump.h"

namespace {

// The program keeps its settings under a profile of this program's own (NUMBROOK_PROFILE).
const wchar_t kProfileName[] = L"NumbrookKeysTest";
const wchar_t kProfile[] = L"Software\\Ferrow Software\\NumbrookKeysTest";
const wchar_t kTargetTitle[] = L"NbKeysTarget";

// Has the driver play these xdotool arguments (see GesturePlayer.h).
bool Play(const std::string& commands) { return PlayGesture("shellkeys", commands); }

// ---- the key the actions use: measured from a real press -----------------------------------

KBDLLHOOKSTRUCT g_seen = {};
bool g_seenKey = false;

LRESULT CALLBACK Watch(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && (wParam == WM_KEYUP || wParam == WM_SYSKEYUP)) {
    const auto* event = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    if (event->vkCode == VK_F9) {
      g_seen = *event;
      g_seenKey = true;
    }
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// The program's handle of a real F9 press: virtual key, scan code and the flag byte with the
// key-up bit, no modifiers.
long MeasureF9Handle() {
  HHOOK hook = ::SetWindowsHookExW(WH_KEYBOARD_LL, Watch, ::GetModuleHandleW(nullptr), 0);
  if (hook == nullptr) return 0;
  g_seenKey = false;
  Play("key F9");
  PumpUntil([] { return g_seenKey; }, 5000);
  ::UnhookWindowsHookEx(hook);
  if (!g_seenKey) return 0;
  return static_cast<long>((g_seen.vkCode & 0xFF) | ((g_seen.scanCode & 0xFF) << 8) | ((g_seen.flags | 0x80) << 16));
}

// ---- the program --------------------------------------------------------------------------------

void SetDword(LPCWSTR name, DWORD value) {
  ::RegSetKeyValueW(HKEY_CURRENT_USER, (std::wstring(kProfile) + L"\\Settings\\Keyboard").c_str(), name, REG_DWORD,
                    &value, sizeof(value));
}

void SetText(LPCWSTR name, LPCWSTR text) {
  ::RegSetKeyValueW(HKEY_CURRENT_USER, (std::wstring(kProfile) + L"\\Settings\\Keyboard").c_str(), name, REG_SZ, text,
                    static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t)));
}

class Program {
public:
  explicit Program(const std::wstring& arguments) {
    wchar_t folder[MAX_PATH];
    ::GetCurrentDirectoryW(MAX_PATH, folder);
    std::wstring commandLine = L"\"" + std::wstring(folder) + L"\\Numbrook.exe\" " + arguments;
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    m_started = ::CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder, &si, &m_pi);
  }
  ~Program() {
    if (!m_started) return;
    ::TerminateProcess(m_pi.hProcess, 1);
    ::WaitForSingleObject(m_pi.hProcess, 10000);
    ::CloseHandle(m_pi.hThread);
    ::CloseHandle(m_pi.hProcess);
  }
  bool Started() const { return m_started != FALSE; }
  DWORD Pid() const { return m_pi.dwProcessId; }

private:
  PROCESS_INFORMATION m_pi = {};
  BOOL m_started = FALSE;
};

// The program's clipboard picker: its hidden window is there once start-up has finished.
BOOL CALLBACK FindPicker(HWND hWnd, LPARAM param) {
  auto* found = reinterpret_cast<std::pair<DWORD, bool>*>(param);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hWnd, &pid);
  if (pid == found->first && ::GetDlgItem(hWnd, 0x787878) != nullptr) {
    found->second = true;
    return FALSE;
  }
  return TRUE;
}

// ---- the target: a window with an EDIT that counts the action key's messages --------------------

int g_actionKeyMessages = 0;
// A key no action takes: its release reaching the EDIT proves that every key pressed before it
// has been handled (real input arrives in order).
constexpr UINT kMarkerKey = VK_F8;
int g_markerKeyUps = 0;
WNDPROC g_editProc = nullptr;

LRESULT CALLBACK CountingEdit(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if ((message == WM_KEYDOWN || message == WM_KEYUP) && wParam == VK_F9) ++g_actionKeyMessages;
  if (message == WM_KEYUP && wParam == kMarkerKey) ++g_markerKeyUps;
  return ::CallWindowProcW(g_editProc, hWnd, message, wParam, lParam);
}

std::wstring EditText(HWND edit) {
  wchar_t text[256] = {};
  ::GetWindowTextW(edit, text, 256);
  return text;
}

class KeyboardActions : public ::testing::Test {
protected:
  void SetUp() override {
    ::SetEnvironmentVariableW(L"NUMBROOK_PROFILE", kProfileName);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kProfile);
    wchar_t appData[MAX_PATH] = {};
    ::GetEnvironmentVariableW(L"APPDATA", appData, MAX_PATH);
    ::DeleteFileW((std::wstring(appData) + L"\\Ferrow Software\\Numbrook\\NumbrookDoc.txt").c_str());
    m_frame = ::CreateWindowExW(0, L"STATIC", kTargetTitle, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400, 120,
                                nullptr, nullptr, nullptr, nullptr);
    m_edit = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, 10, 10, 360, 24,
                               m_frame, nullptr, nullptr, nullptr);
    g_editProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(m_edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountingEdit)));
    g_actionKeyMessages = 0;
  }
  void TearDown() override {
    ::SetEnvironmentVariableW(L"NUMBROOK_PROFILE", nullptr);
    ::DestroyWindow(m_frame);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kProfile);
  }

  // The target window gets the X focus (there is no window manager to give it), the EDIT the
  // keyboard focus.
  bool FocusTarget() {
    // A display that has just started may still be busy: a few tries.
    std::string title(kTargetTitle, kTargetTitle + wcslen(kTargetTitle));
    for (int attempt = 0; attempt < 5; ++attempt) {
      Play("search --sync --name " + title + " windowraise windowfocus");
      ::SetForegroundWindow(m_frame);
      ::SetFocus(m_edit);
      if (PumpUntil([&] { return ::GetFocus() == m_edit && ::GetForegroundWindow() == m_frame; }, 2000)) return true;
    }
    return false;
  }

  HWND m_frame = nullptr;
  HWND m_edit = nullptr;
};

TEST_F(KeyboardActions, ReplaceActionAppendsTheAnswerToTheSelectionAndSwallowsItsKey) {
  ASSERT_TRUE(FocusTarget());
  const long key = MeasureF9Handle();
  ASSERT_NE(0, key) << "no real key press reached this program";

  SetDword(L"KbdActionsCount", 1);
  SetText(L"Action1Name", L"Replace");
  SetText(L"Action1Template", L"%s = %d");
  SetDword(L"Action1Processing", 0);  // replace the selection
  SetDword(L"Action1Activated", 1);
  SetDword(L"Action1KeyHandle", static_cast<DWORD>(key));
  SetDword(L"Action1Pass", 0);

  Program program(L"/tray");
  ASSERT_TRUE(program.Started());
  std::pair<DWORD, bool> picker(program.Pid(), false);
  ASSERT_TRUE(PumpUntil([&] {
    picker.second = false;
    ::EnumWindows(FindPicker, reinterpret_cast<LPARAM>(&picker));
    return picker.second;
  }));

  ::SetWindowTextW(m_edit, L"0x1F + 1");
  ASSERT_TRUE(FocusTarget());
  ::SendMessageW(m_edit, EM_SETSEL, 0, -1);
  g_actionKeyMessages = 0;
  ASSERT_TRUE(Play("key F9"));
  EXPECT_TRUE(PumpUntil([&] { return EditText(m_edit) == L"0x1F + 1 = 32"; })) << EditText(m_edit).c_str();
  g_markerKeyUps = 0;
  ASSERT_TRUE(Play("key F8"));
  ASSERT_TRUE(PumpUntil([] { return g_markerKeyUps > 0; }));
  EXPECT_EQ(0, g_actionKeyMessages);
}

}  // namespace
