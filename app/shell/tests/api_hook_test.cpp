// The import-table hooks: MessageBoxW of every module reaches the tray-aware box, which first
// brings the main window back and then shows the real box; libraries loaded later are patched
// too, look-ups hand out the replacement, and data loads are left alone.
#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

#include "LoaderHooks.h"
#include "MainInterfaceRoot.h"
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

// The main window: a test frame with the real automation root, hidden in the tray.
CMainInterface* g_root = nullptr;
INumbrookMain* RootSource() { return g_root; }

class MessageBoxHookTest : public ::testing::Test {
protected:
  void SetUp() override {
    g_root = &m_root;
    SetMainInterfaceSource(&RootSource);
    ASSERT_EQ(S_OK, m_root.GetTray().MinimizeToTray());
  }
  void TearDown() override {
    SetMainInterfaceSource(nullptr);
    g_root = nullptr;
  }
  bool FrameShown() { return ::IsWindowVisible(m_frame.GetFrameHwnd()) != FALSE; }
  // Whether the restore command was posted to the main window.
  bool RestorePosted() {
    MSG msg;
    bool posted = false;
    while (::PeekMessageW(&msg, m_frame.GetFrameHwnd(), WM_COMMAND, WM_COMMAND, PM_REMOVE))
      posted = posted || msg.wParam == ID_TRAY_RESTORE;
    return posted;
  }
  TestFrame m_frame;
  CMainInterface m_root{&m_frame};
};

TEST_F(MessageBoxHookTest, BringsTheWindowBackThenShowsTheRealBox) {
  CMessageBoxHook hook;
  BoxCloser closer(L"ShellHookBox1");
  EXPECT_EQ(IDOK, ::MessageBoxW(nullptr, L"text", L"ShellHookBox1", MB_OK));
  EXPECT_TRUE(closer.Found());
  EXPECT_TRUE(FrameShown());
}

TEST_F(MessageBoxHookTest, ShowsTheBoxWithoutAMainWindow) {
  CMessageBoxHook hook;
  SetMainInterfaceSource(nullptr);
  BoxCloser closer(L"ShellHookBox2");
  EXPECT_EQ(IDOK, ::MessageBoxW(nullptr, L"text", L"ShellHookBox2", MB_OK));
  EXPECT_TRUE(closer.Found());
  EXPECT_FALSE(FrameShown());
}

TEST_F(MessageBoxHookTest, AnotherThreadPostsTheRestoreToTheWindow) {
  CMessageBoxHook hook;
  BoxCloser closer(L"ShellHookBox3");
  int answer = 0;
  std::thread worker([&] { answer = ::MessageBoxW(nullptr, L"text", L"ShellHookBox3", MB_OK); });
  worker.join();
  EXPECT_EQ(IDOK, answer);
  EXPECT_TRUE(closer.Found());
  EXPECT_FALSE(FrameShown()) << "the window belongs to this thread";
  EXPECT_TRUE(RestorePosted());
}

TEST_F(MessageBoxHookTest, RemovedHookLeavesTheRealFunction) {
  { CMessageBoxHook hook; }
  BoxCloser closer(L"ShellHookBox4");
  EXPECT_EQ(IDOK, ::MessageBoxW(nullptr, L"text", L"ShellHookBox4", MB_OK));
  EXPECT_TRUE(closer.Found());
  EXPECT_FALSE(FrameShown());
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
  for (const Case& c : cases) {
    m_root.GetTray().MinimizeToTray();
    BoxCloser closer(L"ShellLateBox");
    EXPECT_EQ(IDOK, c.load(L"ShellLateBox")) << c.loader;
    EXPECT_TRUE(closer.Found()) << c.loader;
    EXPECT_TRUE(FrameShown()) << c.loader;
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
