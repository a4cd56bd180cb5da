// CHotkeyDialog: captures one key combination for the keyboard settings (the show/hide key or
// the key of a keyboard action). While it is open its own low-level keyboard hook withholds
// every key press from all programs, so keys that the system or other programs would handle are
// caught too; the first key released after the hook saw it go down (a key held since before the
// dialog opened does not count, however often it repeats) is the captured key and closes the
// dialog with OK. The mouse can still cancel.
#pragma once

#include "Framework.h"

#define IDD_HOTKEY_DIALOG 273

class CHotkeyDialog : public CDialog {
  DECLARE_DYNAMIC(CHotkeyDialog)
public:
  // Becomes the dialog that is currently open.
  explicit CHotkeyDialog(CWnd* parent = nullptr);
  // Clears the current dialog and the captured key.
  ~CHotkeyDialog() override;
  CHotkeyDialog(const CHotkeyDialog&) = delete;
  CHotkeyDialog& operator=(const CHotkeyDialog&) = delete;

  BOOL OnInitDialog() override;

  // The hook procedure.
  static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);

protected:
  afx_msg void OnDestroy();
  DECLARE_MESSAGE_MAP()

private:
  HHOOK m_hHook = nullptr;
};

// The key handle captured by the open (or just closed) dialog; 0 when none.
long GetCapturedHotkey();

// Runs the dialog modally over `parent`: true and the key when a key was captured, false (key
// untouched) when the dialog ended any other way.
bool CaptureHotkey(CWnd* parent, long& key);
