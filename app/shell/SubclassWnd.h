// CSubclassWnd: a window-procedure subclass that several objects can put on one window. The
// hooks of a window form a chain (the last one put on is called first); each passes a message
// on with the base WindowProc, and the end of the chain calls the window's own procedure.
// When the window is destroyed (WM_NCDESTROY) every hook is taken off before the window's own
// procedure sees the message.
#pragma once

#include <windows.h>

class CSubclassWnd {
public:
  CSubclassWnd() = default;
  virtual ~CSubclassWnd();
  CSubclassWnd(const CSubclassWnd&) = delete;
  CSubclassWnd& operator=(const CSubclassWnd&) = delete;

  // With a window: puts this hook at the front of its chain (a hook already on a window is
  // taken off it first). With null: takes this hook off its window. TRUE on success.
  BOOL HookWindow(HWND hWnd);
  BOOL IsHooked() const { return m_hWnd != nullptr; }
  HWND GetHooked() const { return m_hWnd; }

protected:
  // Passes the message to the next hook, or at the end of the chain to the window's own
  // procedure.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

private:
  static LRESULT CALLBACK HookProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
  static void UnhookAll(HWND hWnd);
  void Unhook();

  HWND m_hWnd = nullptr;
  WNDPROC m_oldWndProc = nullptr;
  CSubclassWnd* m_next = nullptr;
};
