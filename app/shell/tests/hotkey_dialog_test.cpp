// The hot-key dialog with keys through the system's input path: the first key released after
// its press closes the dialog with that key (modifiers held at that moment included), Escape
// and Enter are keys like any other, a release whose press the dialog never saw does not count,
// and Cancel leaves nothing captured.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "TestPump.h"
#include "Framework.h"
#include "HotkeyDialog.h"
#include "KeyHandle.h"
#include "ShellTestKit.h"

namespace {

struct KeyStroke {
  WORD key;
  WORD scan;
  bool up;
};

INPUT KeyInput(const KeyStroke& stroke) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = stroke.key;
  input.ki.wScan = stroke.scan;
  input.ki.dwFlags = stroke.up ? KEYEVENTF_KEYUP : 0;
  return input;
}

HWND FindHotkeyDialog() { return FindOwnWindow(L"#32770", L"Press a Key"); }

// Plays the strokes once the dialog shows, from a thread of its own: the hook runs on the
// dialog's thread, inside its modal loop. `then` runs on that thread after the strokes.
class KeyPlayer {
public:
  KeyPlayer(std::vector<KeyStroke> strokes, void (*then)(HWND) = nullptr)
      : m_thread([this, strokes, then] { Run(strokes, then); }) {}
  ~KeyPlayer() {
    if (m_thread.joinable()) m_thread.join();
  }
  bool SawDialog() {
    if (m_thread.joinable()) m_thread.join();
    return m_saw;
  }

private:
  void Run(const std::vector<KeyStroke>& strokes, void (*then)(HWND)) {
    HWND dialog = nullptr;
    PumpUntil([&] { return (dialog = FindHotkeyDialog()) != nullptr; }, 10000);
    m_saw = dialog != nullptr;
    if (!m_saw) return;
    for (const KeyStroke& stroke : strokes) {
      INPUT input = KeyInput(stroke);
      ::SendInput(1, &input, sizeof(input));
    }
    if (then != nullptr) then(dialog);
  }
  bool m_saw = false;
  std::thread m_thread;
};

using HotkeyDialog = ResourceLibraryTest;

// Keys played through SendInput carry the injected flag, which a real key has not.
constexpr long kInjected = LLKHF_INJECTED << 16;

const WORD kScanCtrl = 0x1D, kScanF5 = 0x3F, kScanEscape = 0x01, kScanEnter = 0x1C, kScanA = 0x1E;

struct CaptureCase {
  const char* name;
  std::vector<KeyStroke> before;  // played before the dialog opens
  std::vector<KeyStroke> strokes;
  long expected;         // the handle a real key would give
  const wchar_t* text;   // as the keyboard settings show it
};

TEST_F(HotkeyDialog, TheFirstReleasedKeyIsCapturedWithTheModifiersHeld) {
  const CaptureCase cases[] = {
      {"Ctrl+F5",
       {},
       {{VK_LCONTROL, kScanCtrl, false}, {VK_F5, kScanF5, false}, {VK_F5, kScanF5, true}, {VK_LCONTROL, kScanCtrl, true}},
       75513716,
       L"Ctrl + F5"},
      {"Ctrl released first: Ctrl itself",
       {},
       {{VK_LCONTROL, kScanCtrl, false}, {VK_F5, kScanF5, false}, {VK_LCONTROL, kScanCtrl, true}, {VK_F5, kScanF5, true}},
       VK_LCONTROL | (kScanCtrl << 8) | (LLKHF_UP << 16) | kKeyCtrl,
       L"Ctrl + LControl"},
      {"Escape is a key, not Cancel",
       {},
       {{VK_ESCAPE, kScanEscape, false}, {VK_ESCAPE, kScanEscape, true}},
       VK_ESCAPE | (kScanEscape << 8) | (LLKHF_UP << 16),
       L"Esc"},
      {"the release of the Enter that opened it does not count",
       {},
       {{VK_RETURN, kScanEnter, true}, {'A', kScanA, false}, {'A', kScanA, true}},
       'A' | (kScanA << 8) | (LLKHF_UP << 16),
       L"A"},
      {"nor do the repeats of an Enter held since before",
       {{VK_RETURN, kScanEnter, false}},
       {{VK_RETURN, kScanEnter, false}, {VK_RETURN, kScanEnter, true}, {'A', kScanA, false}, {'A', kScanA, true}},
       'A' | (kScanA << 8) | (LLKHF_UP << 16),
       L"A"},
  };
  for (const CaptureCase& c : cases) {
    SCOPED_TRACE(c.name);
    long key = 0;
    bool captured = false;
    for (const KeyStroke& stroke : c.before) {
      INPUT input = KeyInput(stroke);
      ::SendInput(1, &input, sizeof(input));
    }
    {
      KeyPlayer player(c.strokes);
      captured = CaptureHotkey(nullptr, key);
      EXPECT_TRUE(player.SawDialog());
    }
    EXPECT_TRUE(captured);
    EXPECT_EQ(c.expected, key & ~kInjected);
    EXPECT_EQ(kInjected, key & kInjected);
    EXPECT_STREQ(c.text, KeyHandleToText(key));
    EXPECT_EQ(0, GetCapturedHotkey()) << "the dialog object is gone, and the key with it";
  }
}

TEST_F(HotkeyDialog, CancelWithTheMouseCapturesNothing) {
  long key = 1234;
  bool captured = true;
  {
    KeyPlayer player({}, [](HWND dialog) {
      HWND cancel = ::GetDlgItem(dialog, IDCANCEL);
      ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(cancel));
    });
    captured = CaptureHotkey(nullptr, key);
    EXPECT_TRUE(player.SawDialog());
  }
  EXPECT_FALSE(captured);
  EXPECT_EQ(1234, key) << "the caller's key stays";
}

TEST_F(HotkeyDialog, TheHookIsOnlyThereWhileTheDialogIsOpen) {
  // After the dialog, keys reach the program again: a key played now is seen by the thread.
  {
    KeyPlayer player({{VK_ESCAPE, kScanEscape, false}, {VK_ESCAPE, kScanEscape, true}});
    long key = 0;
    EXPECT_TRUE(CaptureHotkey(nullptr, key));
  }
  HWND edit = ::CreateWindowExW(0, L"EDIT", L"", WS_POPUP | WS_VISIBLE, 10, 10, 100, 20, nullptr, nullptr, nullptr,
                                nullptr);
  ASSERT_NE(nullptr, edit);
  ::SetForegroundWindow(edit);
  ::SetFocus(edit);
  INPUT inputs[2] = {KeyInput({'B', 0x30, false}), KeyInput({'B', 0x30, true})};
  ::SendInput(2, inputs, sizeof(INPUT));
  wchar_t text[8] = L"";
  EXPECT_TRUE(PumpUntil([&] { return ::GetWindowTextW(edit, text, 8) > 0; }));
  EXPECT_STREQ(L"b", text);
  ::DestroyWindow(edit);
}

}  // namespace
