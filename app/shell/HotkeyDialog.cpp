#include "HotkeyDialog.h"

#include "KeyHandle.h"

namespace {

CHotkeyDialog* g_current = nullptr;
long g_captured = 0;
// Keys whose press the hook saw while the dialog was open. A release counts only for these, so
// the release of the key that opened the dialog is not taken for the answer; they also give the
// modifier state, since a withheld press never reaches the system's key state.
bool g_down[256] = {};
// Keys already held when the dialog opened: their repeated presses (a held key repeats) belong to
// the press from before and do not count either, until the key is released.
bool g_heldAtOpen[256] = {};

bool IsDown(BYTE generic, BYTE left, BYTE right) {
  return g_down[generic] || g_down[left] || g_down[right] || (::GetAsyncKeyState(generic) & 0x8000) != 0;
}

long HeldModifiers() {
  long modifiers = 0;
  if (IsDown(VK_SHIFT, VK_LSHIFT, VK_RSHIFT)) modifiers |= kKeyShift;
  if (IsDown(VK_MENU, VK_LMENU, VK_RMENU)) modifiers |= kKeyAlt;
  if (IsDown(VK_CONTROL, VK_LCONTROL, VK_RCONTROL)) modifiers |= kKeyCtrl;
  return modifiers;
}

void ForgetKeys() {
  for (bool& down : g_down) down = false;
  for (bool& held : g_heldAtOpen) held = false;
}

void NoteHeldKeys() {
  for (int key = 1; key < 256; ++key) g_heldAtOpen[key] = (::GetAsyncKeyState(key) & 0x8000) != 0;
}

}  // namespace

IMPLEMENT_DYNAMIC(CHotkeyDialog, CDialog)

BEGIN_MESSAGE_MAP(CHotkeyDialog, CDialog)
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CHotkeyDialog::CHotkeyDialog(CWnd* parent) : CDialog(IDD_HOTKEY_DIALOG, parent) {
  g_current = this;
  g_captured = 0;
  ForgetKeys();
}

CHotkeyDialog::~CHotkeyDialog() {
  if (g_current == this) g_current = nullptr;
  g_captured = 0;
  ForgetKeys();
}

BOOL CHotkeyDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  ForgetKeys();
  NoteHeldKeys();
  m_hHook = ::SetWindowsHookExW(WH_KEYBOARD_LL, &CHotkeyDialog::HookProc, AfxGetInstanceHandle(), 0);
  return TRUE;
}

void CHotkeyDialog::OnDestroy() {
  CDialog::OnDestroy();
  if (m_hHook != nullptr) {
    ::UnhookWindowsHookEx(m_hHook);
    m_hHook = nullptr;
  }
}

LRESULT CALLBACK CHotkeyDialog::HookProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code != HC_ACTION || g_current == nullptr || g_captured != 0 || lParam == 0)
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
  const KBDLLHOOKSTRUCT& event = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
  const BYTE key = static_cast<BYTE>(event.vkCode);
  switch (wParam) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (!g_heldAtOpen[key]) g_down[key] = true;
      return 1;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      if (!g_down[key]) {
        g_heldAtOpen[key] = false;
        break;
      }
      g_captured = MakeKeyHandle(event, HeldModifiers());
      g_down[key] = false;
      try {
        if (g_current->GetSafeHwnd() != nullptr) g_current->EndDialog(IDOK);
      } catch (...) {
        // The key is taken; the dialog closes with its window.
      }
      return 1;
    default:
      break;
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

long GetCapturedHotkey() { return g_captured; }

bool CaptureHotkey(CWnd* parent, long& key) {
  CHotkeyDialog dialog(parent);
  if (dialog.DoModal() != IDOK || GetCapturedHotkey() == 0) return false;
  key = GetCapturedHotkey();
  return true;
}
