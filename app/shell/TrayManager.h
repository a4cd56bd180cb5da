// CTrayManager (IKivTray): hides the main window in the notification area and brings it back,
// shows balloons of the tray icon, and keeps the two tray options (both on by default).
// Whether the window is "minimized" is read from the window itself: hidden or iconic.
#pragma once

#include "EmbeddedObject.h"
#include "NumbrookLib.h"
#include "TrayIcon.h"

class IShellFrame;

class CTrayManager : public CEmbeddedObject<IKivTray> {
public:
  explicit CTrayManager(IShellFrame* frame);

  CTrayIcon& GetTrayIcon() { return m_trayIcon; }

  STDMETHODIMP MinimizeToTray() override;
  STDMETHODIMP RestoreFromTray() override;
  STDMETHODIMP IsMinimized(VARIANT_BOOL* Minimized) override;
  STDMETHODIMP ShowMessage(BSTR Msg, BSTR Title, long TimeoutMs, MessageType MsgType) override;
  STDMETHODIMP get_MinToTray(VARIANT_BOOL* Value) override;
  STDMETHODIMP put_MinToTray(VARIANT_BOOL Value) override;
  STDMETHODIMP get_CloseToTray(VARIANT_BOOL* Value) override;
  STDMETHODIMP put_CloseToTray(VARIANT_BOOL Value) override;

  // The balloon icon flags of a message type: error over warning over info, plus no-sound.
  static DWORD BalloonFlags(long msgType);

private:
  IShellFrame* m_frame;
  CTrayIcon m_trayIcon;
  VARIANT_BOOL m_minToTray = VARIANT_TRUE;
  VARIANT_BOOL m_closeToTray = VARIANT_TRUE;
};
