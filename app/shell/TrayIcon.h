// CTrayIcon: the program's icon in the notification area, with its menu, double-click and
// balloons. It hears its callback message and the shell's "TaskbarCreated" broadcast through
// two window subclasses (the notification window and its top-level parent), so the frame's own
// message map needs nothing for it; both messages go on to the frame as well.
//
// Every call of the shell goes through a replaceable function (Shell_NotifyIconW by default),
// so that the icon's traffic can be watched where no notification area shows.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include "SubclassWnd.h"

class IShellFrame;

class CTrayIcon {
public:
  typedef BOOL(WINAPI* NotifyIconProc)(DWORD message, PNOTIFYICONDATAW data);
  // Replaces the shell call; null puts Shell_NotifyIconW back. Answers the previous one.
  static NotifyIconProc SetNotifyIconProc(NotifyIconProc proc);
  // The registered "TaskbarCreated" message.
  static UINT TaskbarCreatedMessage();

  // The icon `id` (also the id of its menu and of its first tip string); `frame` answers the
  // customization mode and shows the menu (may be null).
  CTrayIcon(UINT id, IShellFrame* frame);
  virtual ~CTrayIcon();
  CTrayIcon(const CTrayIcon&) = delete;
  CTrayIcon& operator=(const CTrayIcon&) = delete;

  // The window that gets the callback message; it and its top-level parent are subclassed.
  void SetNotificationWnd(HWND hWnd, UINT callbackMessage);
  // Adds, changes or (without an icon) deletes the icon; a tip replaces the current one.
  BOOL SetNotifyIcon(HICON icon, LPCWSTR tip);
  // The icon and the tip from the resource library (0: none); SetIcon(0, 0) deletes the icon.
  BOOL SetIcon(UINT iconId, UINT tipId);
  // A balloon; the text is cut to 255 characters and the title to 63.
  BOOL ShowBalloon(LPCWSTR text, LPCWSTR title, UINT timeoutMs, DWORD flags);

  HICON GetIcon() const { return m_data.hIcon; }
  LPCWSTR GetTip() const { return m_data.szTip; }

  // The callback message: the menu on a right-button release, the first menu command and the
  // one-time show/hide tip on a double-click.
  virtual LRESULT OnTrayNotification(WPARAM wParam, LPARAM lParam);
  // The shell restarted: the icon is added again.
  virtual LRESULT OnTaskBarCreate(WPARAM wParam, LPARAM lParam);

private:
  class CHook : public CSubclassWnd {
  public:
    explicit CHook(CTrayIcon* owner) : m_owner(owner) {}

  protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    CTrayIcon* m_owner;
  };

  void ShowMenu(HMENU subMenu);
  void ShowShowHideTipOnce();

  IShellFrame* m_frame;
  NOTIFYICONDATAW m_data;
  CHook m_notifyHook{this};
  CHook m_topHook{this};
};
