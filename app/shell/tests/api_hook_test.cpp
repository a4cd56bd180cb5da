// The import-table hooks: MessageBoxW of every module reaches the tray-aware box, which first
// brings the main window back and then shows the real box; libraries loaded later are patched
// too, look-ups hand out the replacement, and data loads are left alone.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

#include "LoaderHooks.h"
#include "MainInterface.h"
#include "MessageBoxHook.h"
#include "NumbrookLib.h"
#include "ShellIds.h"
#include "ShellTestKit.h"

extern "C" __declspec(dllimport) int LoadAndShowW(LPCWSTR library, LPCWSTR caption);
extern "C" __declspec(dllimport) int LoadExAndShowW(LPCWSTR library, LPCWSTR caption);
extern "C" __declspec(dllimport) int LoadAndShowA(LPCSTR library, LPCWSTR caption);
extern "C" __declspec(dllimport) BOOL LoadAsDataW(LPCWSTR library, DWORD flags);
extern "C" __declspec(dllimport) FARPROC LookUpMessageBox();

namespace {

// ---- a main window's root that records what the box asks of it ---------------------------------

class TrayDouble : public IKivTray {
public:
  std::atomic<int> restores{0};
  DWORD restoreThread = 0;
  STDMETHODIMP QueryInterface(REFIID, void** ppv) override { *ppv = this; return S_OK; }
  STDMETHODIMP_(ULONG) AddRef() override { return 1; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP MinimizeToTray() override { return E_NOTIMPL; }
  STDMETHODIMP RestoreFromTray() override {
    ++restores;
    restoreThread = ::GetCurrentThreadId();
    return S_OK;
  }
  STDMETHODIMP IsMinimized(VARIANT_BOOL*) override { return E_NOTIMPL; }
  STDMETHODIMP ShowMessage(BSTR, BSTR, long, MessageType) override { return E_NOTIMPL; }
  STDMETHODIMP get_MinToTray(VARIANT_BOOL*) override { return E_NOTIMPL; }
  STDMETHODIMP put_MinToTray(VARIANT_BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP get_CloseToTray(VARIANT_BOOL*) override { return E_NOTIMPL; }
  STDMETHODIMP put_CloseToTray(VARIANT_BOOL) override { return E_NOTIMPL; }
};

class MessengerDouble : public IKivMessenger {
public:
  HWND frame = nullptr;
  STDMETHODIMP QueryInterface(REFIID, void** ppv) override { *ppv = this; return S_OK; }
  STDMETHODIMP_(ULONG) AddRef() override { return 1; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP RunCommand(long) override { return E_NOTIMPL; }
  STDMETHODIMP EventsSubscribe(ICBMessengerEvents*, GUID*) override { return E_NOTIMPL; }
  STDMETHODIMP EventsUnscribe(GUID) override { return E_NOTIMPL; }
  STDMETHODIMP get_HookIsRunning(VARIANT_BOOL*) override { return E_NOTIMPL; }
  STDMETHODIMP put_HookIsRunning(VARIANT_BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP GetMainframeHandle(long* handle) override {
    *handle = static_cast<long>(reinterpret_cast<LONG_PTR>(frame));
    return S_OK;
  }
};

class RootDouble : public INumbrookMain {
public:
  TrayDouble tray;
  MessengerDouble messenger;
  STDMETHODIMP QueryInterface(REFIID, void** ppv) override { *ppv = this; return S_OK; }
  STDMETHODIMP_(ULONG) AddRef() override { return 1; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP GetTrayManager(IKivTray** m) override { *m = &tray; return S_OK; }
  STDMETHODIMP GetMsgManager(IKivMessenger** m) override { *m = &messenger; return S_OK; }
  STDMETHODIMP GetCaptionbarManager(IKivCaptionBar**) override { return E_NOTIMPL; }
  STDMETHODIMP GetSettingsManager(IKivSettingsManager**) override { return E_NOTIMPL; }
  STDMETHODIMP GetPersistManager(IKivPersistManager**) override { return E_NOTIMPL; }
  STDMETHODIMP GetCalculatorKernel(ICalculatorKernel**) override { return E_NOTIMPL; }
  STDMETHODIMP GetCodeFormatter(ICodeFormatter**) override { return E_NOTIMPL; }
  STDMETHODIMP GetPanelsManager(IKivPanelsManager**) override { return E_NOTIMPL; }
  STDMETHODIMP GetKbdManager(IKivKbdManager**) override { return E_NOTIMPL; }
  STDMETHODIMP GetClipboardWatcher(INumbrookClipboardWatcher**) override { return E_NOTIMPL; }
};

RootDouble* g_root = nullptr;
INumbrookMain* RootSource() { return g_root; }

// The main window of the root double: a plain window of the test thread.
class MessageBoxHookTest : public ::testing::Test {
protected:
  void SetUp() override {
    m_frame = ::CreateWindowExW(0, L"STATIC", L"ShellHookFrame", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, m_frame);
    m_root.messenger.frame = m_frame;
    g_root = &m_root;
    SetMainInterfaceSource(&RootSource);
  }
  void TearDown() override {
    SetMainInterfaceSource(nullptr);
    g_root = nullptr;
    ::DestroyWindow(m_frame);
  }
  // Whether the restore command was posted to the main window.
  bool RestorePosted() {
    MSG msg;
    bool posted = false;
    while (::PeekMessageW(&msg, m_frame, WM_COMMAND, WM_COMMAND, PM_REMOVE))
      posted = posted || msg.wParam == ID_TRAY_RESTORE;
    return posted;
  }
  HWND m_frame = nullptr;
  RootDouble m_root;
};

TEST_F(MessageBoxHookTest, BringsTheWindowBackThenShowsTheRealBox) {
  CMessageBoxHook hook;
  BoxCloser closer(L"ShellHookBox1");
  EXPECT_EQ(IDOK, ::MessageBoxW(nullptr, L"text", L"ShellHookBox1", MB_OK));
  EXPECT_TRUE(closer.Found());
  EXPECT_EQ(1, m_root.tray.restores.load());
  EXPECT_EQ(::GetCurrentThreadId(), m_root.tray.restoreThread);
}

TEST_F(MessageBoxHookTest, ShowsTheBoxWithoutAMainWindow) {
  CMessageBoxHook hook;
  SetMainInterfaceSource(nullptr);
  BoxCloser closer(L"ShellHookBox2");
  EXPECT_EQ(IDOK, ::MessageBoxW(nullptr, L"text", L"ShellHookBox2", MB_OK));
  EXPECT_TRUE(closer.Found());
  EXPECT_EQ(0, m_root.tray.restores.load());
}

TEST_F(MessageBoxHookTest, AnotherThreadPostsTheRestoreToTheWindow) {
  CMessageBoxHook hook;
  BoxCloser closer(L"ShellHookBox3");
  int answer = 0;
  std::thread worker([&] { answer = ::MessageBoxW(nullptr, L"text", L"ShellHookBox3", MB_OK); });
  worker.join();
  EXPECT_EQ(IDOK, answer);
  EXPECT_TRUE(closer.Found());
  EXPECT_EQ(0, m_root.tray.restores.load());
  EXPECT_TRUE(RestorePosted());
}

TEST_F(MessageBoxHookTest, RemovedHookLeavesTheRealFunction) {
  { CMessageBoxHook hook; }
  BoxCloser closer(L"ShellHookBox4");
  EXPECT_EQ(IDOK, ::MessageBoxW(nullptr, L"text", L"ShellHookBox4", MB_OK));
  EXPECT_TRUE(closer.Found());
  EXPECT_EQ(0, m_root.tray.restores.load());
}

// A library loaded after the hooks, by another module, through each loader.
TEST_F(MessageBoxHookTest, LateLoadedLibraryReachesTheHook) {
  CLoaderHooks loaders;
  CMessageBoxHook hook;
  struct Case {
    const char* loader;
    int (*load)(LPCWSTR caption);
  } cases[] = {
      {"LoadLibraryW", [](LPCWSTR c) { return LoadAndShowW(L"ShellLateBox.dll", c); }},
      {"LoadLibraryExW", [](LPCWSTR c) { return LoadExAndShowW(L"ShellLateBox.dll", c); }},
      {"LoadLibraryA", [](LPCWSTR c) { return LoadAndShowA("ShellLateBox.dll", c); }},
  };
  int expected = 0;
  for (const Case& c : cases) {
    BoxCloser closer(L"ShellLateBox");
    EXPECT_EQ(IDOK, c.load(L"ShellLateBox")) << c.loader;
    EXPECT_TRUE(closer.Found()) << c.loader;
    EXPECT_EQ(++expected, m_root.tray.restores.load()) << c.loader;
  }
}

TEST_F(MessageBoxHookTest, LookUpsHandOutTheReplacementWhileTheHookLives) {
  CLoaderHooks loaders;
  FARPROC real = LookUpMessageBox();
  {
    CMessageBoxHook hook;
    EXPECT_EQ(FunctionCast<FARPROC>(&MessageBoxHook), LookUpMessageBox());
  }
  EXPECT_EQ(real, LookUpMessageBox());
  EXPECT_NE(FunctionCast<FARPROC>(&MessageBoxHook), real);
}

TEST_F(MessageBoxHookTest, DataAndImageLoadsAreNeverParsed) {
  CLoaderHooks loaders;
  CMessageBoxHook hook;
  for (DWORD flags : {0x2u, 0x20u, 0x40u, 0x22u})
    EXPECT_TRUE(LoadAsDataW(L"ShellLateBox.dll", flags)) << flags;
}

}  // namespace
