#include "TrayManager.h"

#include "ComValues.h"
#include "ShellFrame.h"
#include "ShellIds.h"

CTrayManager::CTrayManager(IShellFrame* frame) : m_frame(frame), m_trayIcon(IDR_TRAY_MENU, frame) {}

STDMETHODIMP CTrayManager::MinimizeToTray() {
  if (m_frame->IsCustomizing()) {
    ::MessageBeep(MB_ICONEXCLAMATION);
    return S_FALSE;
  }
  if (HWND frame = m_frame->GetFrameHwnd()) ::ShowWindow(frame, m_minToTray ? SW_HIDE : SW_MINIMIZE);
  return S_OK;
}

STDMETHODIMP CTrayManager::RestoreFromTray() {
  HWND frame = m_frame->GetFrameHwnd();
  if (frame == nullptr) return S_OK;
  DWORD self = ::GetCurrentThreadId();
  HWND foreground = ::GetForegroundWindow();
  DWORD front = foreground != nullptr ? ::GetWindowThreadProcessId(foreground, nullptr) : 0;
  BOOL attached = front != 0 && front != self && ::AttachThreadInput(self, front, TRUE);
  ::ShowWindow(frame, SW_SHOW);
  if (::IsIconic(frame)) ::ShowWindow(frame, SW_RESTORE);
  ::SetForegroundWindow(frame);
  if (attached) ::AttachThreadInput(self, front, FALSE);
  return S_OK;
}

STDMETHODIMP CTrayManager::IsMinimized(VARIANT_BOOL* Minimized) {
  HWND frame = m_frame->GetFrameHwnd();
  return Give(Minimized, AsVariantBool(frame != nullptr && (!::IsWindowVisible(frame) || ::IsIconic(frame))));
}

DWORD CTrayManager::BalloonFlags(long msgType) {
  DWORD flags = NIIF_NONE;
  if (msgType & MsgError)
    flags = NIIF_ERROR;
  else if (msgType & MsgWarning)
    flags = NIIF_WARNING;
  else if (msgType & MsgInfo)
    flags = NIIF_INFO;
  if (msgType & MsgNoSound) flags |= NIIF_NOSOUND;
  return flags;
}

STDMETHODIMP CTrayManager::ShowMessage(BSTR Msg, BSTR Title, long TimeoutMs, MessageType MsgType) {
  return m_trayIcon.ShowBalloon(Msg, Title, static_cast<UINT>(TimeoutMs), BalloonFlags(MsgType)) ? S_OK : E_FAIL;
}

STDMETHODIMP CTrayManager::get_MinToTray(VARIANT_BOOL* Value) { return Give(Value, m_minToTray); }
STDMETHODIMP CTrayManager::put_MinToTray(VARIANT_BOOL Value) {
  m_minToTray = AsVariantBool(Value);
  return S_OK;
}

STDMETHODIMP CTrayManager::get_CloseToTray(VARIANT_BOOL* Value) { return Give(Value, m_closeToTray); }
STDMETHODIMP CTrayManager::put_CloseToTray(VARIANT_BOOL Value) {
  m_closeToTray = AsVariantBool(Value);
  return S_OK;
}
