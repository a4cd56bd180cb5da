// The hot-key dialog with real key presses: the driver beside this test plays the xdotool
// commands it asks for, so the keys come as a user's keys do, without the injected flag, and the
// captured handle is the one the keyboard hook will compare with.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <thread>

#include "TestPump.h"
#include "Framework.h"
#include "HotkeyDialog.h"
#include "KeyHandle.h"
#include "ShellTestKit.h"

namespace {

// Asks the driver to play these xdotool arguments and waits until it has; false when it never
// did. Runs on a thread of its own while the dialog's modal loop runs.
bool Play(const std::string& commands) {
  static int counter = 0;
  ::CreateDirectoryW(L"hotkeykeys", nullptr);
  const std::string name =
      "hotkeykeys\\keys" + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(++counter);
  {
    std::ofstream out(name + ".tmp", std::ios::binary);
    out << commands << "\n";
  }
  if (!::MoveFileA((name + ".tmp").c_str(), (name + ".req").c_str())) return false;
  // The driver takes the request away once it has played it.
  return PumpUntil([&] { return ::GetFileAttributesA((name + ".req").c_str()) == INVALID_FILE_ATTRIBUTES; }, 20000);
}

HWND FindHotkeyDialog() { return FindOwnWindow(L"#32770", L"Press a Key"); }

// Plays the keys once the dialog shows, with the X focus given to it first (there is no window
// manager to give it).
class KeysOnceOpen {
public:
  explicit KeysOnceOpen(std::string keys)
      : m_thread([this, keys] {
          PumpUntil([] { return FindHotkeyDialog() != nullptr; }, 10000);
          m_played = FindHotkeyDialog() != nullptr && Play("search --sync --name Press.a.Key windowraise windowfocus") &&
                     Play(keys);
          // Keys that were not played cannot end the dialog: Cancel does, so the test goes on.
          if (!m_played)
            if (HWND dialog = FindHotkeyDialog()) ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        }) {}
  bool Played() {
    if (m_thread.joinable()) m_thread.join();
    return m_played;
  }
  ~KeysOnceOpen() {
    if (m_thread.joinable()) m_thread.join();
  }

private:
  bool m_played = false;
  std::thread m_thread;
};

using HotkeyKeys = ResourceLibraryTest;

TEST_F(HotkeyKeys, CtrlF5IsCapturedAsItsHandle) {
  KeysOnceOpen keys("keydown ctrl keydown F5 keyup F5 keyup ctrl");
  long key = 0;
  EXPECT_TRUE(CaptureHotkey(nullptr, key));
  EXPECT_TRUE(keys.Played());
  EXPECT_EQ(75513716, key);
  EXPECT_STREQ(L"Ctrl + F5", KeyHandleToText(key));
}

}  // namespace
