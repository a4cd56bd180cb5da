// The main frame in a test program of its own: made by a document template with the worksheet
// kept in a temporary folder, asked for commands and system commands by messages.
#include <windows.h>
#include <htmlhelp.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "KeyboardHook.h"
#include "MainFrameTestKit.h"
#include "RightView.h"
#include "ShellTestKit.h"
#include "bars/UfxToolBar.h"

CWinApp theApp(L"ShellMainFrameTest");

namespace {

// What the help viewer was asked.
struct HelpCall {
  std::wstring file;
  UINT command;
  DWORD_PTR data;
  std::wstring keyword;
  UINT querySize;
};
std::vector<HelpCall> g_helpCalls;
bool g_helpFound = true;

HWND WINAPI RecordHelp(HWND caller, LPCWSTR file, UINT command, DWORD_PTR data) {
  HelpCall call = {file, command, data, L"", 0};
  if (command == HH_DISPLAY_INDEX && data != 0) call.keyword = reinterpret_cast<LPCWSTR>(data);
  if (command == HH_DISPLAY_SEARCH && data != 0) call.querySize = reinterpret_cast<HH_FTS_QUERY*>(data)->cbStruct;
  g_helpCalls.push_back(call);
  return g_helpFound ? caller : nullptr;
}

class MainFrame : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    SetUpFrameSuite(theApp);
    SetHtmlHelpProc(&RecordHelp);
  }
  static void TearDownTestSuite() {
    SetHtmlHelpProc(nullptr);
    TearDownFrameSuite();
  }

  void SetUp() override {
    FreshProfile();
    g_helpCalls.clear();
    g_helpFound = true;
    CUfxToolBar::SetCustomizeMode(FALSE);
    theApp.OnFileNew();
    m_frame = dynamic_cast<CMainFrame*>(theApp.m_pMainWnd);
    ASSERT_NE(nullptr, m_frame);
    m_hWnd = m_frame->GetSafeHwnd();
    PumpPending();
  }
  void TearDown() override {
    CUfxToolBar::SetCustomizeMode(FALSE);
    if (::IsWindow(m_hWnd)) {
      if (CDocument* doc = m_frame->GetActiveDocument()) doc->SetModifiedFlag(FALSE);
      ::DestroyWindow(m_hWnd);
    }
    theApp.m_pMainWnd = nullptr;
    PumpPending();
  }

  void Command(UINT id) { ::SendMessageW(m_hWnd, WM_COMMAND, id, 0); }
  void SysCommand(UINT command) { ::SendMessageW(m_hWnd, WM_SYSCOMMAND, command, 0); }
  CLeftView* ExpressionPane() { return dynamic_cast<CLeftView*>(m_frame->GetSplitter().GetPane(0, 0)); }

  CMainFrame* m_frame = nullptr;
  HWND m_hWnd = nullptr;
};

TEST_F(MainFrame, StaysHiddenUntilStartUpShowsItAndOwnsTheHook) {
  EXPECT_FALSE(::IsWindowVisible(m_hWnd));
  EXPECT_TRUE(IsKeyboardHookInstalled());
  EXPECT_NE(nullptr, m_frame->GetBarHwnd(TbCaptionBar));
  EXPECT_NE(nullptr, ExpressionPane());
  EXPECT_NE(nullptr, dynamic_cast<CRightView*>(m_frame->GetSplitter().GetPane(0, 1)));

  // A later activation shows it as usual.
  m_frame->ActivateFrame(SW_SHOW);
  EXPECT_TRUE(::IsWindowVisible(m_hWnd));

  ::DestroyWindow(m_hWnd);
  EXPECT_FALSE(IsKeyboardHookInstalled());
}

TEST_F(MainFrame, HelpCommandsAskTheViewerForTheProgramsHelpFile) {
  ExpressionPane()->GetEditor()->SetText(L"sqrt\r\nabs");
  ExpressionPane()->GetEditor()->SelectAll();
  Command(ID_HELP_CONTENTS);
  Command(ID_HELP_SEARCH);
  Command(ID_HELP_INDEX);
  ExpressionPane()->GetEditor()->SetSelectionStart(0);
  ExpressionPane()->GetEditor()->SetSelectionEnd(0);
  Command(ID_HELP_INDEX);

  ASSERT_EQ(4u, g_helpCalls.size());
  for (const HelpCall& call : g_helpCalls) {
    EXPECT_EQ(L"\\Help\\Numbrook.chm", call.file.substr(call.file.size() - 18)) << call.file.c_str();
    EXPECT_EQ(L':', call.file[1]) << "a full path";
  }
  EXPECT_EQ(static_cast<UINT>(HH_DISPLAY_TOC), g_helpCalls[0].command);
  EXPECT_EQ(0u, g_helpCalls[0].data);
  EXPECT_EQ(static_cast<UINT>(HH_DISPLAY_SEARCH), g_helpCalls[1].command);
  EXPECT_EQ(sizeof(HH_FTS_QUERY), g_helpCalls[1].querySize);
  EXPECT_EQ(static_cast<UINT>(HH_DISPLAY_INDEX), g_helpCalls[2].command);
  EXPECT_EQ(L"sqrt", g_helpCalls[2].keyword) << "only the first line of the selection";
  EXPECT_EQ(0u, g_helpCalls[3].data) << "no selection, no keyword";
}

TEST_F(MainFrame, MissingHelpIsToldToTheUser) {
  g_helpFound = false;
  BoxCloser closer(L"Help not found");
  Command(ID_HELP_CONTENTS);
  EXPECT_TRUE(closer.Found());
}

struct SysCase {
  const char* name;
  UINT command;
  bool toTray;
  bool customizing;
  bool visibleAfter;
  bool aliveAfter;
};

class MainFrameSysCommand : public MainFrame, public ::testing::WithParamInterface<SysCase> {};

TEST_P(MainFrameSysCommand, MinimiseAndCloseFollowTheTrayOptions) {
  const SysCase& c = GetParam();
  CTrayManager& tray = m_frame->GetRoot().GetTray();
  tray.put_MinToTray(c.toTray ? VARIANT_TRUE : VARIANT_FALSE);
  tray.put_CloseToTray(c.toTray ? VARIANT_TRUE : VARIANT_FALSE);
  m_frame->ActivateFrame(SW_SHOW);
  ASSERT_TRUE(::IsWindowVisible(m_hWnd));
  CUfxToolBar::SetCustomizeMode(c.customizing ? TRUE : FALSE);

  SysCommand(c.command);
  PumpPending();
  EXPECT_EQ(c.aliveAfter, ::IsWindow(m_hWnd) != FALSE);
  if (c.aliveAfter) {
    EXPECT_EQ(c.visibleAfter, ::IsWindowVisible(m_hWnd) != FALSE);
    // Hiding in the tray keeps the hook; only the window's end removes it.
    EXPECT_TRUE(IsKeyboardHookInstalled());
  } else {
    EXPECT_FALSE(IsKeyboardHookInstalled());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MainFrameSysCommand,
    ::testing::Values(SysCase{"MinimiseToTray", SC_MINIMIZE, true, false, false, true},
                      SysCase{"MinimiseToTaskbar", SC_MINIMIZE, false, false, true, true},
                      SysCase{"CloseToTray", SC_CLOSE, true, false, false, true},
                      SysCase{"CloseForReal", SC_CLOSE, false, false, false, false},
                      SysCase{"MinimiseWhileCustomizing", SC_MINIMIZE, true, true, true, true},
                      SysCase{"CloseWhileCustomizing", SC_CLOSE, false, true, true, true}),
    [](const ::testing::TestParamInfo<SysCase>& info) { return std::string(info.param.name); });

TEST_F(MainFrame, CommandsReachTheMessengersSubscribersFirst) {
  CommandRecorder recorder(*m_frame);
  Command(22818);  // a command the frame itself does nothing with
  EXPECT_EQ(std::vector<long>{22818}, recorder.commands);
}

}  // namespace
