// The toolbar's input: pressing and releasing buttons against a recording frame, check boxes,
// disabled buttons, commands that close the frame, command updates, tooltips, status prompts,
// mnemonics, Esc and the focus, the mouse-leave emulation, the help-mode hook and the TB_ queries.
#include "ToolbarTestKit.h"
#include "frames/UfxKeyboardManager.h"
#include "bars/UfxTrackMouse.h"
#include "looks/UfxAccelText.h"
#include <commctrl.h>

using namespace toolbar_test;

namespace {

// Real pointer moves, in screen coordinates.
void MoveMouseTo(CPoint pt) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dx = (pt.x * 65535 + ::GetSystemMetrics(SM_CXSCREEN) / 2) / (::GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = (pt.y * 65535 + ::GetSystemMetrics(SM_CYSCREEN) / 2) / (::GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  ::SendInput(1, &input, sizeof(input));
  ::SetCursorPos(pt.x, pt.y);
}

class ToolbarInputTest : public FrameFixture {
protected:
  ToolbarInputTest() : FrameFixture(CRect(100, 100, 600, 300), WS_POPUP | WS_VISIBLE) {}
  void SetUp() override {
    FrameFixture::SetUp();
    bar = new CUfxToolBar;
    bar->m_bAutoDelete = TRUE;  // the window deletes the bar, as in a frame that closes
    ASSERT_TRUE(bar->Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE801));
    hwndBar = bar->GetSafeHwnd();
    const UINT ids[] = {0xE100, 0xE101, 0, 0xE103};
    ASSERT_TRUE(bar->SetButtons(ids, 4));
    frame->handled = {0xE100, 0xE101, 0xE103};
    bar->SetWindowPos(nullptr, 0, 0, 300, 30, SWP_NOZORDER | SWP_NOACTIVATE);
    bar->LayoutButtons();
  }
  void TearDown() override {
    if (::IsWindow(hwndBar)) bar->DestroyWindow();
    FrameFixture::TearDown();
  }
  CPoint Centre(int i) {
    CRect rect;
    bar->GetButtonRect(i, rect);
    return rect.CenterPoint();
  }
  void Click(CPoint down, CPoint up) {
    ::PostMessageW(hwndBar, WM_LBUTTONDOWN, MK_LBUTTON, PointParam(down));
    ::PostMessageW(hwndBar, WM_LBUTTONUP, 0, PointParam(up));
    PumpPending();
  }
  CUfxToolBar* bar = nullptr;
  HWND hwndBar = nullptr;
};

TEST_F(ToolbarInputTest, AReleaseOverThePressedButtonSendsItsCommandOnce) {
  const struct {
    const char* name;
    int down;
    int up;
    std::vector<UINT> commands;
  } cases[] = {{"same button", 0, 0, {0xE100}},
               {"released over another", 0, 1, {}},
               {"pressed on the separator", 2, 2, {}},
               {"last button", 3, 3, {0xE103}}};
  for (const auto& c : cases) {
    frame->commands.clear();
    Click(Centre(c.down), Centre(c.up));
    EXPECT_EQ(c.commands, frame->commands) << c.name;
    EXPECT_EQ(-1, bar->GetPressedButton()) << c.name;
    for (int i = 0; i < bar->GetButtonCount(); ++i) EXPECT_FALSE(bar->GetButtonStyle(i) & TBBS_PRESSED) << c.name;
  }
}

TEST_F(ToolbarInputTest, CheckBoxesToggleOnlyOnAReleaseOverThem) {
  bar->SetButtonStyle(0, TBBS_CHECKBOX);
  Click(Centre(0), Centre(1));
  EXPECT_FALSE(bar->GetButtonStyle(0) & TBBS_CHECKED);
  Click(Centre(0), Centre(0));
  EXPECT_TRUE(bar->GetButtonStyle(0) & TBBS_CHECKED);
  Click(Centre(0), Centre(0));
  EXPECT_FALSE(bar->GetButtonStyle(0) & TBBS_CHECKED);
  // An indeterminate box becomes unchecked.
  bar->SetButtonStyle(0, TBBS_CHECKBOX | TBBS_INDETERMINATE);
  Click(Centre(0), Centre(0));
  EXPECT_EQ(0u, bar->GetButtonStyle(0) & (TBBS_CHECKED | TBBS_INDETERMINATE));
}

TEST_F(ToolbarInputTest, DisabledButtonsAreNeverPressedNorHighlighted) {
  frame->handled.erase(0xE101);  // no handler: the update disables it
  ::PostMessageW(hwndBar, WM_LBUTTONDOWN, MK_LBUTTON, PointParam(Centre(1)));
  PumpPending();
  EXPECT_TRUE(bar->GetButtonStyle(1) & TBBS_DISABLED);
  EXPECT_EQ(-1, bar->GetPressedButton());
  EXPECT_FALSE(bar->GetButtonStyle(1) & TBBS_PRESSED);
  ::PostMessageW(hwndBar, WM_LBUTTONUP, 0, PointParam(Centre(1)));
  ::PostMessageW(hwndBar, WM_MOUSEMOVE, 0, PointParam(Centre(1)));
  PumpPending();
  EXPECT_TRUE(frame->commands.empty());
  EXPECT_EQ(-1, bar->GetHighlightedButton());
}

TEST_F(ToolbarInputTest, ACommandThatClosesTheFrameEndsTheClickQuietly) {
  frame->destroyOnCommand = TRUE;
  Click(Centre(0), Centre(0));
  EXPECT_FALSE(::IsWindow(hwndBar));
  EXPECT_FALSE(::IsWindow(frameHandle));
}

TEST_F(ToolbarInputTest, CommandUpdatesSetChecksAndTextsUpToTheTab) {
  frame->checks[0xE100] = 2;
  frame->checks[0xE101] = 7;  // above 2 counts as checked
  frame->texts[0xE103] = L"Save all\tCtrl+L";
  bar->OnUpdateCmdUI(frame, TRUE);
  EXPECT_EQ((UINT)(TBBS_CHECKBOX | TBBS_INDETERMINATE), bar->GetButtonStyle(0));
  EXPECT_EQ((UINT)(TBBS_CHECKBOX | TBBS_CHECKED), bar->GetButtonStyle(1));
  EXPECT_EQ(CString(L"Save all"), bar->GetButtonText(3));
  // Without a handler the button is disabled.
  frame->handled.clear();
  bar->OnUpdateCmdUI(frame, TRUE);
  EXPECT_TRUE(bar->GetButtonStyle(0) & TBBS_DISABLED);
}

TEST_F(ToolbarInputTest, TooltipsAreOffPlainOrCarryTheShortcut) {
  ACCEL table[] = {{FVIRTKEY | FCONTROL, 'N', 0xE100}};
  frame->m_hAccelTable = ::CreateAcceleratorTableW(table, 1);
  // "Ctrl+N" in this system's key names.
  const CString ctrlN = CUfxAccelText::GetKeyName(VK_CONTROL) + L"+N";
  const struct {
    const char* name;
    BOOL tooltips;
    BOOL keys;
    int button;
    INT_PTR hit;
    CString text;
  } cases[] = {{"off", FALSE, TRUE, 0, -1, L""},
               {"plain", TRUE, FALSE, 0, 0xE100, L"New document"},
               {"with the shortcut", TRUE, TRUE, 0, 0xE100, L"New document (" + ctrlN + L")"},
               {"no shortcut for it", TRUE, TRUE, 1, 0xE101, L"Open"},
               {"separator", TRUE, TRUE, 2, -1, L""}};
  for (const auto& c : cases) {
    CUfxToolBar::SetShowTooltips(c.tooltips, c.keys);
    TOOLINFOW ti = {};
    ti.cbSize = sizeof(ti);
    EXPECT_EQ(c.hit, bar->OnToolHitTest(Centre(c.button), &ti)) << c.name;
    const CString text = ti.lpszText != nullptr ? CString(ti.lpszText) : CString();
    EXPECT_STREQ((LPCWSTR)c.text, (LPCWSTR)text) << c.name;
    if (c.hit != -1) {
      CRect rect;
      bar->GetButtonRect(c.button, rect);
      EXPECT_EQ(rect, CRect(ti.rect)) << c.name;
    }
    free(ti.lpszText);
  }
  ::DestroyAcceleratorTable(frame->m_hAccelTable);
  frame->m_hAccelTable = nullptr;
}

TEST_F(ToolbarInputTest, AContextMenuIsAskedOfTheFrameOutsideCustomizeMode) {
  bar->SendMessage(WM_CONTEXTMENU, (WPARAM)hwndBar, MAKELPARAM(321, 123));
  ASSERT_EQ(1u, frame->menus.size());
  EXPECT_EQ((WPARAM)hwndBar, frame->menus[0].first);
  EXPECT_EQ(MAKELPARAM(321, 123), frame->menus[0].second);
  ASSERT_TRUE(CUfxToolBar::SetCustomizeMode(TRUE));
  EXPECT_FALSE(CUfxToolBar::SetCustomizeMode(TRUE)) << "unchanged";
  bar->SendMessage(WM_CONTEXTMENU, (WPARAM)hwndBar, MAKELPARAM(321, 123));
  EXPECT_EQ(1u, frame->menus.size());
}

TEST_F(ToolbarInputTest, InCustomizeModeAClickSelectsAndRunsNothing) {
  ASSERT_TRUE(CUfxToolBar::SetCustomizeMode(TRUE));
  Click(Centre(3), Centre(3));
  EXPECT_TRUE(frame->commands.empty());
  EXPECT_EQ(3, bar->GetSelectedButton());
  EXPECT_EQ(bar, CUfxToolBar::GetSelectedToolbar());
  // Leaving customize mode drops the selection.
  ASSERT_TRUE(CUfxToolBar::SetCustomizeMode(FALSE));
  EXPECT_EQ(-1, bar->GetSelectedButton());
  EXPECT_EQ(nullptr, CUfxToolBar::GetSelectedToolbar());
  Click(Centre(3), Centre(3));
  EXPECT_EQ(std::vector<UINT>({0xE103}), frame->commands);
}

TEST_F(ToolbarInputTest, PromptsMapSystemAndHighCommandsToTheirStrings) {
  const struct {
    UINT cmd;
    WPARAM prompt;
  } cases[] = {{SC_CLOSE, 0xEF06}, {SC_SIZE, 0xEF00}, {0xFF00, 0xEF1F}, {(UINT)-1, AFX_IDS_IDLEMESSAGE},
               {0xE101, 0xE101}};
  for (const auto& c : cases) {
    frame->prompts.clear();
    bar->ShowCommandPrompt(c.cmd);
    EXPECT_EQ(std::vector<WPARAM>({c.prompt}), frame->prompts) << std::hex << c.cmd;
  }
  // Context-help mode keeps the status bar for itself.
  CUfxToolBar::SetHelpModeHook(TRUE);
  EXPECT_TRUE(CUfxToolBar::IsHelpModeHookActive());
  frame->prompts.clear();
  bar->ShowCommandPrompt(0xE101);
  EXPECT_TRUE(frame->prompts.empty());
  CUfxToolBar::SetHelpModeHook(FALSE);
  EXPECT_FALSE(CUfxToolBar::IsHelpModeHookActive());
}

TEST_F(ToolbarInputTest, EscGivesTheFocusBackToTheWindowThatHadIt) {
  CWnd edit;
  ASSERT_TRUE(edit.CreateEx(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, CRect(10, 100, 200, 120), frame, 300));
  ::SetForegroundWindow(frame->GetSafeHwnd());
  edit.SetFocus();
  ASSERT_EQ(edit.GetSafeHwnd(), ::GetFocus());
  bar->SetFocus();
  ASSERT_EQ(hwndBar, ::GetFocus());
  MSG msg = {hwndBar, WM_KEYDOWN, VK_ESCAPE, 0};
  EXPECT_TRUE(bar->PreTranslateMessage(&msg));
  EXPECT_EQ(edit.GetSafeHwnd(), ::GetFocus());
  EXPECT_EQ(-1, bar->GetHighlightedButton());
  edit.DestroyWindow();
}

TEST_F(ToolbarInputTest, MnemonicsRunEnabledButtonsOnlyAndNeverDoubleAmpersands) {
  bar->SetButtonTextMode(0, TRUE, L"&New");
  bar->SetButtonTextMode(1, TRUE, L"A&&B");
  bar->SetButtonTextMode(3, TRUE, L"&Save");
  bar->LayoutButtons();
  const struct {
    const char* name;
    UINT key;
    BOOL disabled;
    BOOL handled;
    std::vector<UINT> commands;
  } cases[] = {{"N", 'N', FALSE, TRUE, {0xE100}},
               {"S disabled", 'S', TRUE, FALSE, {}},
               {"B after &&", 'B', FALSE, FALSE, {}},
               {"unknown", 'Q', FALSE, FALSE, {}}};
  for (const auto& c : cases) {
    frame->commands.clear();
    bar->SetButtonStyle(3, c.disabled ? TBBS_DISABLED : 0);
    EXPECT_EQ(c.handled, bar->ProcessMnemonicKey(c.key)) << c.name;
    PumpPending();
    EXPECT_EQ(c.commands, frame->commands) << c.name;
  }
}

// A button that hosts an edit control and passes on its change notifications.
class CEditButton : public CUfxToolbarButton {
public:
  CEditButton() : CUfxToolbarButton(0xE103, -1) {}
  ~CEditButton() override { edit.DestroyWindow(); }
  void OnParentChanged(CWnd* pWndParent) override {
    CUfxToolbarButton::OnParentChanged(pWndParent);
    if (edit.GetSafeHwnd() == nullptr)
      edit.CreateEx(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, CRect(200, 2, 260, 20), pWndParent, 0xE103);
  }
  HWND GetHwnd() override { return edit.GetSafeHwnd(); }
  BOOL NotifyCommand(int iNotifyCode) override { return iNotifyCode == EN_CHANGE; }
  CWnd edit;
};

TEST_F(ToolbarInputTest, ControlsOnTheBarReachTheFrameThroughTheirButton) {
  bar->RemoveAllButtons();
  CEditButton* pButton = new CEditButton;
  ASSERT_EQ(0, bar->InsertButton(pButton));
  const HWND hwndEdit = pButton->GetHwnd();
  ASSERT_NE(nullptr, hwndEdit);
  // A notification the button takes goes on with its code; another one stops at the bar.
  bar->SendMessage(WM_COMMAND, MAKEWPARAM(0xE103, EN_CHANGE), (LPARAM)hwndEdit);
  bar->SendMessage(WM_COMMAND, MAKEWPARAM(0xE103, EN_SETFOCUS), (LPARAM)hwndEdit);
  PumpPending();
  EXPECT_EQ(std::vector<UINT>({0xE103}), frame->commands);

  // Enter in the focused control runs the button's command; Esc only gives the focus back.
  CWnd other;
  ASSERT_TRUE(other.CreateEx(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, CRect(10, 100, 100, 120), frame, 301));
  ::SetForegroundWindow(frame->GetSafeHwnd());
  other.SetFocus();
  bar->SetFocus();  // the bar remembers the window that had the focus
  ::SetFocus(hwndEdit);
  frame->commands.clear();
  bar->SendMessage(WM_COMMAND, IDOK, 0);
  PumpPending();
  EXPECT_EQ(std::vector<UINT>({0xE103}), frame->commands);
  frame->commands.clear();
  bar->SendMessage(WM_COMMAND, IDCANCEL, 0);
  PumpPending();
  EXPECT_TRUE(frame->commands.empty());
  EXPECT_EQ(other.GetSafeHwnd(), ::GetFocus());
  other.DestroyWindow();
}

TEST_F(ToolbarInputTest, HelpHitTestsNameTheCommandAndEndTheHook) {
  CUfxToolBar::SetHelpModeHook(TRUE);
  EXPECT_EQ(-1, bar->SendMessage(WM_HELPHITTEST, 0, PointParam(CPoint(299, 1)))) << "empty space";
  EXPECT_TRUE(CUfxToolBar::IsHelpModeHookActive());
  EXPECT_EQ((LRESULT)(HID_BASE_COMMAND + 0xE101), bar->SendMessage(WM_HELPHITTEST, 0, PointParam(Centre(1))));
  EXPECT_FALSE(CUfxToolBar::IsHelpModeHookActive());
}

TEST_F(ToolbarInputTest, ToolbarQueriesAnswerFromTheButtonList) {
  EXPECT_EQ(4, bar->SendMessage(TB_BUTTONCOUNT));
  RECT rect = {};
  EXPECT_TRUE(bar->SendMessage(TB_GETITEMRECT, 3, (LPARAM)&rect));
  CRect expected;
  bar->GetButtonRect(3, expected);
  EXPECT_EQ(expected, CRect(rect));
  EXPECT_FALSE(bar->SendMessage(TB_GETITEMRECT, 9, (LPARAM)&rect));
  bar->SetButtonStyle(1, TBBS_CHECKBOX | TBBS_CHECKED);
  TBBUTTON info = {};
  EXPECT_TRUE(bar->SendMessage(TB_GETBUTTON, 1, (LPARAM)&info));
  EXPECT_EQ(0xE101, info.idCommand);
  EXPECT_EQ(HIWORD(TBBS_CHECKED), info.fsState);
  EXPECT_EQ(LOWORD(TBBS_CHECKBOX), info.fsStyle);
  bar->SetButtonText(1, L"Open");
  EXPECT_EQ(4, bar->SendMessage(TB_GETBUTTONTEXTW, 0xE101, 0)) << "no buffer: the length";
  wchar_t text[16] = {};
  EXPECT_EQ(4, bar->SendMessage(TB_GETBUTTONTEXTW, 0xE101, (LPARAM)text));
  EXPECT_STREQ(L"Open", text);
  EXPECT_EQ(-1, bar->SendMessage(TB_GETBUTTONTEXTW, 0x1234, (LPARAM)text));
}

// A window that counts the WM_MOUSELEAVE messages it gets.
class CLeaveWatcher : public CWnd {
public:
  int leaves = 0;
protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_MOUSELEAVE) ++leaves;
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

// The watch is a timer of the window, its id the flags; each tick of it is a WM_TIMER taken from
// the queue.
TEST_F(ToolbarInputTest, MouseLeaveArrivesAtTheFirstTickAfterThePointerLeft) {
  CLeaveWatcher watcher;
  ASSERT_TRUE(watcher.CreateEx(0, AfxRegisterWndClass(0), L"", WS_POPUP | WS_VISIBLE, CRect(700, 100, 800, 200), nullptr, 0));
  const HWND hwnd = watcher.GetSafeHwnd();
  QueueWatch queue;
  auto ticks = [&] { return queue.Count(WM_TIMER, hwnd); };
  ::SetCursorPos(750, 150);
  TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, hwnd, 0};
  ASSERT_TRUE(UfxTrackMouse(&tme));
  ASSERT_TRUE(PumpUntil([&] { return ticks() >= 2; }));
  EXPECT_EQ(0, watcher.leaves) << "the pointer is still inside";
  ::SetCursorPos(10, 10);
  const int ticksInside = ticks();
  ASSERT_TRUE(PumpUntil([&] { return watcher.leaves > 0; }));
  EXPECT_EQ(ticksInside + 1, ticks()) << "the tick after the pointer left posts it";
  // Once: the timer is gone.
  EXPECT_FALSE(::KillTimer(hwnd, TME_LEAVE));
  ASSERT_TRUE(PumpRoundTrip(hwnd));
  EXPECT_EQ(1, watcher.leaves);
  // Records too small, windows that do not exist and other flags are refused.
  TRACKMOUSEEVENT small = {8, TME_LEAVE, hwnd, 0};
  EXPECT_FALSE(UfxTrackMouse(&small));
  TRACKMOUSEEVENT gone = {sizeof(tme), TME_LEAVE, (HWND)(ULONG_PTR)0x7FFF0, 0};
  EXPECT_FALSE(UfxTrackMouse(&gone));
  watcher.DestroyWindow();
}

TEST_F(ToolbarInputTest, TheBarLosesItsHighlightWhenThePointerLeavesIt) {
  CPoint inside = Centre(1);
  bar->ClientToScreen(&inside);
  MoveMouseTo(inside);
  ASSERT_TRUE(PumpUntil([&] { return bar->GetHighlightedButton() == 1; }));
  frame->prompts.clear();
  CRect rectBar;
  bar->GetWindowRect(rectBar);
  MoveMouseTo(CPoint(rectBar.left + 5, rectBar.bottom + 200));
  EXPECT_TRUE(PumpUntil([&] { return bar->GetHighlightedButton() == -1 && !frame->prompts.empty(); }));
  EXPECT_EQ(std::vector<WPARAM>({AFX_IDS_IDLEMESSAGE}), frame->prompts);
}

TEST_F(ToolbarInputTest, TheHelpModeHookFeedsMovesToTheBarUnderThePointer) {
  CPoint away(50, 50);
  MoveMouseTo(away);
  // Help mode: the frame has the mouse, the bar sees no moves of its own. The frame taking the
  // move over the bar shows that it has been handled.
  frame->SetCapture();
  CPoint over = Centre(3);
  bar->ClientToScreen(&over);
  QueueWatch queue;
  auto movesTo = [&](CPoint pt) {
    return queue.Count([&](const MSG& msg) { return msg.message == WM_MOUSEMOVE && CPoint(msg.pt) == pt; });
  };
  MoveMouseTo(over);
  ASSERT_TRUE(PumpUntil([&] { return movesTo(over) > 0; }));
  EXPECT_EQ(-1, bar->GetHighlightedButton());
  MoveMouseTo(away);
  ASSERT_TRUE(PumpUntil([&] { return movesTo(away) > 0; }));

  CUfxToolBar::SetHelpModeHook(TRUE);
  CUfxToolBar::SetHelpModeHook(TRUE);  // installed once
  MoveMouseTo(over);
  EXPECT_TRUE(PumpUntil([&] { return bar->GetHighlightedButton() == 3; }));
  // Leaving the bar under the hook clears its highlight.
  MoveMouseTo(away);
  EXPECT_TRUE(PumpUntil([&] { return bar->GetHighlightedButton() == -1; }));
  CUfxToolBar::SetHelpModeHook(FALSE);
  EXPECT_FALSE(CUfxToolBar::IsHelpModeHookActive());
  ::ReleaseCapture();
}

}  // namespace
