// The global keyboard: key handles and their texts, the hook procedure's show/hide key and
// keyboard actions (fed with low-level events), and the hook's installation.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "FwComSupport.h"
#include "KeyHandle.h"
#include "KeyboardHook.h"
#include "MainInterface.h"
#include "MainInterfaceRoot.h"
#include "ShellTestKit.h"
#include "FrameworkPump.h"

namespace {

// ---- key handles --------------------------------------------------------------------------------

TEST(KeyHandle, JoinsTheEventAndTheModifiers) {
  KBDLLHOOKSTRUCT scrollLock = {VK_SCROLL, 70, 0, 0, 0};
  EXPECT_EQ(8406673, MakeKeyHandle(scrollLock, 0)) << "the default action key";
  KBDLLHOOKSTRUCT up = {VK_SCROLL, 70, LLKHF_UP, 0, 0};
  EXPECT_EQ(MakeKeyHandle(scrollLock, 0), MakeKeyHandle(up, 0)) << "down and up give one handle";
  KBDLLHOOKSTRUCT injected = {VK_SCROLL, 70, LLKHF_INJECTED, 0, 0};
  EXPECT_NE(MakeKeyHandle(scrollLock, 0), MakeKeyHandle(injected, 0));
  EXPECT_EQ(8406673 | kKeyCtrl | kKeyShift, MakeKeyHandle(scrollLock, kKeyCtrl | kKeyShift));
}

TEST(KeyHandle, NamesKeysAndModifiers) {
  struct Case {
    long handle;
    LPCWSTR text;
  } cases[] = {
      {kKeyShift | kKeyCtrl | 116, L"Shift + Ctrl + F5"},
      {kKeyCtrl | kKeyAlt | kKeyShift | 'A', L"Shift + Alt + Ctrl + A"},
      {55, L"7"},
      {255, L"Key#255"},
      {0, L"Key#0"},  // a handle with flags but no key code is not "no key"
      {135, L"F24"},
      {101, L"Num 5"},
      {12, L"Num 5"},
      {106, L"Gray *"},
      {145 | (70 << 8) | (0x80 << 16), L"ScrollLock"},
      {220, L"\\"},
      {226, L"Backslash"},
      {254, L"Clear"},
      {7, L"Key#7"},
  };
  for (const Case& c : cases) {
    long handle = c.handle != 0 ? c.handle : (0x80 << 16);
    EXPECT_STREQ(c.text, KeyHandleToText(handle)) << c.handle;
  }
}

// ---- the hook procedure ---------------------------------------------------------------------------

// Records the actions and modifiers that the messenger delivers.
class SinkDouble : public ICBMessengerEvents {
public:
  std::vector<CString> actions;
  int modifiers = 0;
  STDMETHODIMP QueryInterface(REFIID, void** ppv) override {
    *ppv = this;
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 1; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP OnCommand(long) override { return S_OK; }
  STDMETHODIMP OnMessage(long, long, long) override { return S_OK; }
  STDMETHODIMP OnCalcCommand(CalcCommand) override { return S_OK; }
  STDMETHODIMP OnCalcAction(CalcAction action, VARIANT_BOOL, VARIANT_BOOL, VARIANT_BOOL) override {
    actions.emplace_back(action.Template);
    return S_OK;
  }
  STDMETHODIMP OnKbdModifier(VARIANT_BOOL, VARIANT_BOOL, VARIANT_BOOL) override {
    ++modifiers;
    return S_OK;
  }
  STDMETHODIMP OnBeforeUpdate() override { return S_OK; }
  STDMETHODIMP OnAfterUpdate(PropertyPage) override { return S_OK; }
};

CMainInterface* g_root = nullptr;
INumbrookMain* RootSource() { return g_root; }

constexpr DWORD kF9 = VK_F9;
constexpr DWORD kF9Scan = 67;

class KeyboardHookProc : public ::testing::Test {
protected:
  void SetUp() override {
    g_root = &m_root;
    SetMainInterfaceSource(&RootSource);
    GUID cookie;
    m_root.GetMessenger().EventsSubscribe(&m_sink, &cookie);
    ::ShowWindow(m_frame.GetFrameHwnd(), SW_SHOW);
  }
  void TearDown() override {
    SetMainInterfaceSource(nullptr);
    g_root = nullptr;
    RemoveKeyboardHook();
  }
  // One key event through the hook procedure; true when it was swallowed.
  bool Key(DWORD vk, DWORD scan, bool up, DWORD flags = 0) {
    KBDLLHOOKSTRUCT event = {vk, scan, flags | (up ? LLKHF_UP : 0), 0, 0};
    return LowLevelKeyboardProc(HC_ACTION, up ? WM_KEYUP : WM_KEYDOWN, reinterpret_cast<LPARAM>(&event)) == -1;
  }
  // A press: returns how many of the down and up events were swallowed.
  int Press(DWORD vk, DWORD scan) { return int(Key(vk, scan, false)) + int(Key(vk, scan, true)); }
  long HandleOf(DWORD vk, DWORD scan) {
    KBDLLHOOKSTRUCT event = {vk, scan, 0, 0, 0};
    return MakeKeyHandle(event, 0);
  }
  void AddAction(LPCWSTR answer, long key, long activated, long pass) {
    long count = 0;
    settings().get_KbdActionsCount(&count);
    settings().put_KbdActionsCount(count + 1);
    _bstr_t text(answer), name(L"action");
    settings().SetKbdActionEx(count, CalcActionEx{{ApReplace, text}, name, activated, key, pass});
  }
  CSettingsManager& settings() { return m_root.GetSettings(); }
  bool FrameVisible() { return ::IsWindowVisible(m_frame.GetFrameHwnd()) != FALSE; }

  TestFrame m_frame;
  SinkDouble m_sink;
  CMainInterface m_root{&m_frame};
};

TEST_F(KeyboardHookProc, ShowHideKeyHidesAndRestoresOnItsKeyUp) {
  settings().put_ShowHideKey(HandleOf(kF9, kF9Scan));
  EXPECT_TRUE(Key(kF9, kF9Scan, false)) << "swallowed while pass is off";
  PumpPending();
  EXPECT_TRUE(FrameVisible()) << "nothing happens on the key-down";
  EXPECT_TRUE(Key(kF9, kF9Scan, true));
  // The hook only posts the request: the window changes once the thread handles it.
  EXPECT_TRUE(FrameVisible());
  EXPECT_TRUE(PumpUntil([&] { return !FrameVisible(); }));
  EXPECT_EQ(2, Press(kF9, kF9Scan));
  EXPECT_TRUE(PumpUntil([&] { return FrameVisible(); }));

  settings().put_PassShowHideKey(VARIANT_TRUE);
  EXPECT_EQ(0, Press(kF9, kF9Scan)) << "passed on";
  EXPECT_TRUE(PumpUntil([&] { return !FrameVisible(); }));
}

TEST_F(KeyboardHookProc, ActionFiresOncePerPressOnItsKeyUp) {
  AddAction(L"%s = %d", HandleOf(kF9, kF9Scan), 1, 0);
  EXPECT_TRUE(Key(kF9, kF9Scan, false));
  EXPECT_TRUE(m_sink.actions.empty());
  EXPECT_TRUE(Key(kF9, kF9Scan, true));
  ASSERT_EQ(1u, m_sink.actions.size());
  EXPECT_STREQ(L"%s = %d", m_sink.actions[0]);
  EXPECT_EQ(0, m_sink.modifiers);
}

TEST_F(KeyboardHookProc, FirstEnabledActionWinsAndPassDecides) {
  long f9 = HandleOf(kF9, kF9Scan);
  AddAction(L"disabled", f9, 0, 0);
  AddAction(L"enabled", f9, 1, 1);
  AddAction(L"later", f9, 1, 0);
  EXPECT_EQ(0, Press(kF9, kF9Scan)) << "the enabled action passes its key on";
  EXPECT_EQ(std::vector<CString>{L"enabled"}, m_sink.actions);
}

TEST_F(KeyboardHookProc, OtherKeysAndEventsPassOn) {
  long f9 = HandleOf(kF9, kF9Scan);
  AddAction(L"f9", f9, 1, 0);
  settings().put_ShowHideKey(HandleOf(VK_F8, 66));
  EXPECT_EQ(0, Press(VK_F10, 68)) << "another key";
  EXPECT_FALSE(Key(kF9, kF9Scan, true, LLKHF_INJECTED)) << "an injected event never matches";
  KBDLLHOOKSTRUCT event = {kF9, kF9Scan, LLKHF_UP, 0, 0};
  EXPECT_NE(-1, LowLevelKeyboardProc(-1, WM_KEYUP, reinterpret_cast<LPARAM>(&event))) << "a negative code";
  EXPECT_NE(-1, LowLevelKeyboardProc(HC_ACTION, WM_CHAR, reinterpret_cast<LPARAM>(&event))) << "another message";
  SetMainInterfaceSource(nullptr);
  EXPECT_EQ(0, Press(kF9, kF9Scan)) << "no main window";
  EXPECT_TRUE(m_sink.actions.empty());
  EXPECT_TRUE(FrameVisible());
}

TEST_F(KeyboardHookProc, ActionWithAZeroKeyNeverMatches) {
  AddAction(L"none", 0, 1, 0);
  KBDLLHOOKSTRUCT event = {0, 0, 0, 0, 0};
  // A handle is never 0 (the key-up bit is always set), and a stored 0 names no key.
  EXPECT_NE(0, MakeKeyHandle(event, 0));
  EXPECT_EQ(0, Press(kF9, kF9Scan));
  EXPECT_TRUE(m_sink.actions.empty());
}

TEST_F(KeyboardHookProc, OnlyOneHookIsInstalled) {
  VARIANT_BOOL running = VARIANT_TRUE;
  CMsgManager& messenger = m_root.GetMessenger();
  messenger.get_HookIsRunning(&running);
  EXPECT_EQ(VARIANT_FALSE, running);
  HHOOK first = InstallKeyboardHook();
  ASSERT_NE(nullptr, first);
  EXPECT_EQ(first, InstallKeyboardHook());
  messenger.put_HookIsRunning(VARIANT_TRUE);
  EXPECT_EQ(first, InstallKeyboardHook());
  messenger.get_HookIsRunning(&running);
  EXPECT_EQ(VARIANT_TRUE, running);
  messenger.put_HookIsRunning(VARIANT_FALSE);
  messenger.get_HookIsRunning(&running);
  EXPECT_EQ(VARIANT_FALSE, running);
  EXPECT_FALSE(IsKeyboardHookInstalled());
}

}  // namespace
