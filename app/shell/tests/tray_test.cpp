// The tray: what the icon asks of the shell (watched through the replaceable shell call), its
// callback message and the shell's restart broadcast, the one-time tip, balloons, hiding in
// and coming back from the notification area, and the window subclasses under it all.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "FwComSupport.h"
#include "MainInterfaceRoot.h"
#include "ShellIds.h"
#include "ShellTestKit.h"
#include "SubclassWnd.h"

CWinApp theApp(L"ShellTrayTest");

namespace {

struct NotifyCall {
  DWORD message;
  NOTIFYICONDATAW data;
};
std::vector<NotifyCall> g_calls;
BOOL g_notifyAnswer = TRUE;

BOOL WINAPI RecordNotify(DWORD message, PNOTIFYICONDATAW data) {
  g_calls.push_back({message, *data});
  return g_notifyAnswer;
}

// Records the commands that reach a window, in front of whatever else hooks it.
class CommandRecorder : public CSubclassWnd {
public:
  std::vector<WPARAM> commands;

protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_COMMAND) commands.push_back(wParam);
    return CSubclassWnd::WindowProc(message, wParam, lParam);
  }
};

class Tray : public ::testing::Test {
protected:
  void SetUp() override {
    m_profile = FreshProfile();
    g_calls.clear();
    g_notifyAnswer = TRUE;
    CTrayIcon::SetNotifyIconProc(&RecordNotify);
    m_tray = std::make_unique<CMainInterface>(&m_frame);
    icon().SetNotificationWnd(frame(), WM_TRAY_NOTIFY);
    icon().SetIcon(IDI_TRAY_ICON, IDS_APP_TITLE_TIP);
  }
  void TearDown() override {
    m_tray.reset();
    CTrayIcon::SetNotifyIconProc(nullptr);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, m_profile);
  }
  CTrayIcon& icon() { return m_tray->GetTray().GetTrayIcon(); }
  CTrayManager& tray() { return m_tray->GetTray(); }
  HWND frame() { return m_frame.GetFrameHwnd(); }
  LRESULT Notify(LPARAM mouse) { return ::SendMessageW(frame(), WM_TRAY_NOTIFY, IDR_TRAY_MENU, mouse); }

  CString m_profile;
  TestFrame m_frame;
  std::unique_ptr<CMainInterface> m_tray;
};

TEST_F(Tray, IconIsAddedChangedAndDeleted) {
  ASSERT_EQ(1u, g_calls.size());
  const NotifyCall& add = g_calls[0];
  EXPECT_EQ(static_cast<DWORD>(NIM_ADD), add.message);
  EXPECT_EQ(sizeof(NOTIFYICONDATAW), add.data.cbSize);
  EXPECT_EQ(static_cast<UINT>(IDR_TRAY_MENU), add.data.uID);
  EXPECT_EQ(frame(), add.data.hWnd);
  EXPECT_EQ(static_cast<UINT>(WM_TRAY_NOTIFY), add.data.uCallbackMessage);
  EXPECT_EQ(static_cast<UINT>(NIF_ICON | NIF_TIP | NIF_MESSAGE), add.data.uFlags);
  EXPECT_NE(nullptr, add.data.hIcon);
  EXPECT_STREQ(L"Numbrook test tip", add.data.szTip);

  icon().SetIcon(IDI_TRAY_ICON, 0);
  EXPECT_EQ(static_cast<DWORD>(NIM_MODIFY), g_calls.back().message);
  m_tray.reset();
  EXPECT_EQ(static_cast<DWORD>(NIM_DELETE), g_calls.back().message);
}

TEST_F(Tray, ShellRestartAddsTheIconAgain) {
  HICON shown = icon().GetIcon();
  ::SendMessageW(frame(), CTrayIcon::TaskbarCreatedMessage(), 0, 0);
  ASSERT_EQ(2u, g_calls.size());
  EXPECT_EQ(static_cast<DWORD>(NIM_ADD), g_calls[1].message);
  EXPECT_EQ(shown, g_calls[1].data.hIcon);
  EXPECT_STREQ(L"Numbrook test tip", g_calls[1].data.szTip);
}

TEST_F(Tray, FailedCallIsRetriedAsAnAdd) {
  g_notifyAnswer = FALSE;
  EXPECT_FALSE(icon().SetIcon(IDI_TRAY_ICON, 0));
  EXPECT_EQ(static_cast<DWORD>(NIM_MODIFY), g_calls.back().message);
  g_notifyAnswer = TRUE;
  EXPECT_TRUE(icon().SetIcon(IDI_TRAY_ICON, 0));
  EXPECT_EQ(static_cast<DWORD>(NIM_ADD), g_calls.back().message);
}

TEST_F(Tray, BalloonsPickOneIconAndAreCut) {
  struct Case {
    long type;
    DWORD flags;
  } cases[] = {
      {MsgNone, NIIF_NONE},
      {MsgInfo, NIIF_INFO},
      {MsgWarning | MsgNoSound, NIIF_WARNING | NIIF_NOSOUND},
      {MsgError | MsgWarning | MsgInfo, NIIF_ERROR},
      {MsgWarning | MsgInfo, NIIF_WARNING},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(S_OK, tray().ShowMessage(_bstr_t(L"32"), _bstr_t(L"Result"), 500, static_cast<MessageType>(c.type)));
    EXPECT_EQ(c.flags, g_calls.back().data.dwInfoFlags) << c.type;
    EXPECT_EQ(static_cast<UINT>(NIF_INFO), g_calls.back().data.uFlags);
    EXPECT_EQ(static_cast<DWORD>(NIM_MODIFY), g_calls.back().message);
  }
  CString text(L'x', 300), title(L'y', 100);
  tray().ShowMessage(_bstr_t(static_cast<LPCWSTR>(text)), _bstr_t(static_cast<LPCWSTR>(title)), 0, MsgInfo);
  EXPECT_EQ(255u, wcslen(g_calls.back().data.szInfo));
  EXPECT_EQ(63u, wcslen(g_calls.back().data.szInfoTitle));
}

TEST_F(Tray, RightClickShowsTheMenuUnlessCustomizing) {
  Notify(WM_RBUTTONUP);
  EXPECT_EQ(std::vector<UINT>{ID_TRAY_RESTORE}, m_frame.popupItems);
  for (LPARAM other : {WM_LBUTTONUP, WM_RBUTTONDOWN, WM_LBUTTONDOWN}) Notify(other);
  ::SendMessageW(frame(), WM_TRAY_NOTIFY, 99, WM_RBUTTONUP);  // another icon
  EXPECT_EQ(1u, m_frame.popupItems.size());
  m_frame.customizing = TRUE;
  Notify(WM_RBUTTONUP);
  EXPECT_EQ(1u, m_frame.popupItems.size());
  EXPECT_EQ(1, icon().OnTrayNotification(IDR_TRAY_MENU, WM_RBUTTONUP)) << "handled: only a beep";
  EXPECT_EQ(0, icon().OnTrayNotification(IDR_TRAY_MENU, WM_LBUTTONUP));
}

TEST_F(Tray, DoubleClickRunsTheFirstItemAndShowsTheTipOnce) {
  CommandRecorder recorder;
  recorder.HookWindow(frame());
  {
    BoxCloser closer(L"ShellTrayTip");
    Notify(WM_LBUTTONDBLCLK);
    EXPECT_TRUE(closer.Found());
  }
  EXPECT_EQ(0u, AfxGetApp()->GetProfileInt(L"Settings", L"ShowTipAboutShowHide", 1));
  Notify(WM_LBUTTONDBLCLK);
  EXPECT_EQ(nullptr, ::FindWindowW(nullptr, L"ShellTrayTip"));
  EXPECT_EQ((std::vector<WPARAM>{ID_TRAY_RESTORE, ID_TRAY_RESTORE}), recorder.commands);
}

TEST_F(Tray, HidesInTheTrayOrMinimizesAndComesBack) {
  ::ShowWindow(frame(), SW_SHOW);
  VARIANT_BOOL minimized = VARIANT_TRUE;
  tray().IsMinimized(&minimized);
  EXPECT_EQ(VARIANT_FALSE, minimized);

  EXPECT_EQ(S_OK, tray().MinimizeToTray());
  EXPECT_FALSE(::IsWindowVisible(frame()));
  tray().IsMinimized(&minimized);
  EXPECT_EQ(VARIANT_TRUE, minimized);
  EXPECT_EQ(S_OK, tray().RestoreFromTray());
  EXPECT_TRUE(::IsWindowVisible(frame()));

  tray().put_MinToTray(VARIANT_FALSE);
  EXPECT_EQ(S_OK, tray().MinimizeToTray());
  EXPECT_TRUE(::IsIconic(frame()));
  tray().IsMinimized(&minimized);
  EXPECT_EQ(VARIANT_TRUE, minimized);
  tray().RestoreFromTray();
  EXPECT_FALSE(::IsIconic(frame()));

  m_frame.customizing = TRUE;
  EXPECT_EQ(S_FALSE, tray().MinimizeToTray());
  EXPECT_TRUE(::IsWindowVisible(frame()) && !::IsIconic(frame()));
  EXPECT_EQ(1u, g_calls.size()) << "hiding does not touch the icon";
}

// ---- window subclasses ----------------------------------------------------------------------------

TEST(SubclassWnd, ChainsPassMessagesOnAndComeOffInAnyOrder) {
  HWND hWnd = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  WNDPROC own = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hWnd, GWLP_WNDPROC));
  CommandRecorder first, second;
  ASSERT_TRUE(first.HookWindow(hWnd));
  ASSERT_TRUE(second.HookWindow(hWnd));
  ::SendMessageW(hWnd, WM_COMMAND, 1, 0);
  first.HookWindow(nullptr);
  ::SendMessageW(hWnd, WM_COMMAND, 2, 0);
  EXPECT_EQ((std::vector<WPARAM>{1}), first.commands);
  EXPECT_EQ((std::vector<WPARAM>{1, 2}), second.commands);
  second.HookWindow(nullptr);
  EXPECT_EQ(own, reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hWnd, GWLP_WNDPROC)));

  first.HookWindow(hWnd);
  second.HookWindow(hWnd);
  ::DestroyWindow(hWnd);
  EXPECT_FALSE(first.IsHooked());
  EXPECT_FALSE(second.IsHooked());
}

}  // namespace
