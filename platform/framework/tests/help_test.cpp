// Help: requests reach the application's one help call; F1 asks the frame for its context;
// in help mode the next click names the command under the mouse.
#include "BarTestKit.h"

static CBarTestApp theApp;
CBarTestApp& TheApp() { return theApp; }

class Help : public BarFrameTest {
protected:
  void SetUp() override {
    BarFrameTest::SetUp();
    theApp.helpCalls.clear();
  }
};

TEST_F(Help, WinHelpGoesThroughTheApplicationsHelpCall) {
  frame->WinHelp(0x1234);
  theApp.WinHelp(0x55, HELP_CONTENTS);
  ASSERT_EQ(2u, theApp.helpCalls.size());
  EXPECT_EQ(std::make_pair((UINT)HELP_CONTEXT, (DWORD_PTR)0x1234), theApp.helpCalls[0]);
  EXPECT_EQ(std::make_pair((UINT)HELP_CONTENTS, (DWORD_PTR)0x55), theApp.helpCalls[1]);
}

TEST_F(Help, F1AsksTheFrameForItsResourceContext) {
  frame->m_nIDHelp = 0x80;
  frame->SendMessage(WM_COMMAND, ID_HELP);
  ASSERT_EQ(1u, theApp.helpCalls.size());
  EXPECT_EQ(HID_BASE_RESOURCE + 0x80, theApp.helpCalls[0].second);
}

TEST_F(Help, HelpModeClickReachesWinHelpWithTheCommandUnderTheMouse) {
  CFixedBar* bar = DockedBar(0x7001, CSize(200, 30));
  HWND hButton = ::CreateWindowExW(0, L"BUTTON", L"b", WS_CHILD | WS_VISIBLE, 20, 5, 40, 20, bar->m_hWnd,
                                   (HMENU)0x8001, nullptr, nullptr);
  ::UpdateWindow(frame->m_hWnd);
  EXPECT_TRUE(frame->CanEnterHelpMode());
  // The click is queued before help mode starts; help mode takes it instead of the button.
  ::PostMessageW(hButton, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  frame->SendMessage(WM_COMMAND, ID_CONTEXT_HELP);
  EXPECT_EQ(CFrameWnd::HELP_INACTIVE, frame->m_bHelpMode);
  ASSERT_EQ(1u, theApp.helpCalls.size());
  EXPECT_EQ(HID_BASE_COMMAND + 0x8001, theApp.helpCalls[0].second);
  EXPECT_EQ(nullptr, ::GetCapture());
}

TEST_F(Help, EscapeAndQuitEndHelpModeWithoutHelp) {
  frame->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
  frame->SendMessage(WM_COMMAND, ID_CONTEXT_HELP);
  EXPECT_EQ(CFrameWnd::HELP_INACTIVE, frame->m_bHelpMode);
  EXPECT_TRUE(theApp.helpCalls.empty());
  PumpPending();
  // A window that ends the program while help mode waits for the click.
  struct CQuitter : public CWnd {
    LRESULT WindowProc(UINT m, WPARAM w, LPARAM l) override {
      if (m == WM_APP + 1) ::PostQuitMessage(3);
      return CWnd::WindowProc(m, w, l);
    }
  } quitter;
  ASSERT_TRUE(quitter.CreateEx(0, nullptr, L"q", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr));
  quitter.PostMessage(WM_APP + 1);
  frame->SendMessage(WM_COMMAND, ID_CONTEXT_HELP);
  EXPECT_EQ(CFrameWnd::HELP_INACTIVE, frame->m_bHelpMode);
  EXPECT_TRUE(theApp.helpCalls.empty());
  quitter.DestroyWindow();
  // The quit is still there for the program's loop.
  MSG msg;
  bool quit = false;
  while (!quit && ::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) quit = msg.message == WM_QUIT;
  ASSERT_TRUE(quit);
  EXPECT_EQ(3u, msg.wParam);
}
