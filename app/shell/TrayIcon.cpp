#include "TrayIcon.h"

#include "Framework.h"
#include "MainInterface.h"
#include "ShellFrame.h"
#include "ShellIds.h"

namespace {

CTrayIcon::NotifyIconProc g_notifyIcon = &::Shell_NotifyIconW;

// Copies as much of `text` as the field holds, always terminated.
template <size_t N>
void CopyCut(WCHAR (&field)[N], LPCWSTR text) {
  lstrcpynW(field, text != nullptr ? text : L"", static_cast<int>(N));
}

}  // namespace

CTrayIcon::NotifyIconProc CTrayIcon::SetNotifyIconProc(NotifyIconProc proc) {
  NotifyIconProc previous = g_notifyIcon;
  g_notifyIcon = proc != nullptr ? proc : &::Shell_NotifyIconW;
  return previous;
}

UINT CTrayIcon::TaskbarCreatedMessage() {
  static const UINT message = ::RegisterWindowMessageW(L"TaskbarCreated");
  return message;
}

CTrayIcon::CTrayIcon(UINT id, IShellFrame* frame) : m_frame(frame) {
  ZeroMemory(&m_data, sizeof(m_data));
  m_data.cbSize = sizeof(m_data);
  m_data.uID = id;
  CString tip;
  if (tip.LoadString(id)) CopyCut(m_data.szTip, tip);
}

CTrayIcon::~CTrayIcon() {
  SetIcon(0, 0);
  m_topHook.HookWindow(nullptr);
  m_notifyHook.HookWindow(nullptr);
}

void CTrayIcon::SetNotificationWnd(HWND hWnd, UINT callbackMessage) {
  m_data.hWnd = hWnd;
  m_data.uCallbackMessage = callbackMessage;
  m_notifyHook.HookWindow(hWnd);
  HWND top = hWnd != nullptr ? ::GetAncestor(hWnd, GA_ROOT) : nullptr;
  m_topHook.HookWindow(top != hWnd ? top : nullptr);
}

BOOL CTrayIcon::SetNotifyIcon(HICON icon, LPCWSTR tip) {
  m_data.uFlags = 0;
  DWORD operation;
  if (icon != nullptr) {
    operation = m_data.hIcon != nullptr ? NIM_MODIFY : NIM_ADD;
    m_data.hIcon = icon;
    m_data.uFlags |= NIF_ICON;
  } else {
    if (m_data.hIcon == nullptr) return TRUE;
    operation = NIM_DELETE;
  }
  if (tip != nullptr) CopyCut(m_data.szTip, tip);
  if (m_data.szTip[0] != 0) m_data.uFlags |= NIF_TIP;
  if (m_data.hWnd != nullptr && m_data.uCallbackMessage != 0) m_data.uFlags |= NIF_MESSAGE;
  m_data.cbSize = sizeof(m_data);
  BOOL done = g_notifyIcon(operation, &m_data);
  if (operation == NIM_DELETE || !done) m_data.hIcon = nullptr;
  return done;
}

BOOL CTrayIcon::SetIcon(UINT iconId, UINT tipId) {
  HICON icon = nullptr;
  if (iconId != 0)
    icon = static_cast<HICON>(::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(iconId), IMAGE_ICON,
                                           ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), 0));
  if (tipId != 0) {
    CString tip;
    if (tip.LoadString(tipId)) CopyCut(m_data.szTip, tip);
  }
  return SetNotifyIcon(icon, nullptr);
}

BOOL CTrayIcon::ShowBalloon(LPCWSTR text, LPCWSTR title, UINT timeoutMs, DWORD flags) {
  m_data.cbSize = sizeof(m_data);
  m_data.uFlags = NIF_INFO;
  m_data.uTimeout = timeoutMs;
  m_data.dwInfoFlags = flags;
  CopyCut(m_data.szInfo, text);
  CopyCut(m_data.szInfoTitle, title);
  return g_notifyIcon(NIM_MODIFY, &m_data);
}

LRESULT CTrayIcon::OnTrayNotification(WPARAM wParam, LPARAM lParam) {
  if (wParam != m_data.uID || (lParam != WM_RBUTTONUP && lParam != WM_LBUTTONDBLCLK)) return 0;
  CMenu menu;
  if (!menu.LoadMenu(m_data.uID)) return 0;
  HMENU subMenu = ::GetSubMenu(menu.GetSafeHmenu(), 0);
  if (subMenu == nullptr) return 0;
  if (lParam == WM_RBUTTONUP) {
    if (m_frame != nullptr && m_frame->IsCustomizing()) {
      ::MessageBeep(MB_ICONEXCLAMATION);
      return 1;
    }
    ShowMenu(subMenu);
  } else {
    ::SendMessageW(m_data.hWnd, WM_COMMAND, ::GetMenuItemID(subMenu, 0), 0);
    ShowShowHideTipOnce();
  }
  return 1;
}

void CTrayIcon::ShowMenu(HMENU subMenu) {
  ::SetMenuDefaultItem(subMenu, 0, TRUE);
  POINT point = {};
  ::GetCursorPos(&point);
  ::SetForegroundWindow(m_data.hWnd);
  if (m_frame != nullptr) m_frame->ShowPopupMenu(subMenu, point);
  ::PostMessageW(m_data.hWnd, WM_NULL, 0, 0);
}

void CTrayIcon::ShowShowHideTipOnce() {
  CWinApp* app = AfxGetApp();
  if (app == nullptr || app->GetProfileInt(L"Settings", L"ShowTipAboutShowHide", 1) == 0) return;
  // Cleared first, so that a second double-click while the tip is open does not show it again.
  app->WriteProfileInt(L"Settings", L"ShowTipAboutShowHide", 0);
  HWND owner = m_frame != nullptr ? m_frame->GetFrameHwnd() : m_data.hWnd;
  ResourceMessageBox(owner, IDS_TIP_SHOW_HIDE, IDS_TIP_SHOW_HIDE_CAPTION, MB_ICONINFORMATION);
}

LRESULT CTrayIcon::OnTaskBarCreate(WPARAM, LPARAM) {
  HICON icon = m_data.hIcon;
  m_data.hIcon = nullptr;
  return SetNotifyIcon(icon, nullptr);
}

LRESULT CTrayIcon::CHook::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == m_owner->m_data.uCallbackMessage && message != 0 && GetHooked() == m_owner->m_data.hWnd)
    m_owner->OnTrayNotification(wParam, lParam);
  else if (message == TaskbarCreatedMessage())
    m_owner->OnTaskBarCreate(wParam, lParam);
  return CSubclassWnd::WindowProc(message, wParam, lParam);
}
