#include "KeyboardHook.h"

#include "KeyHandle.h"
#include "ManagerRef.h"
#include "MainInterface.h"
#include "MsgManager.h"
#include "NumbrookLib.h"

namespace {

HHOOK g_hook = nullptr;

// The module that holds this code (found by an object of the same image).
const wchar_t g_ownModuleMark = 0;
HINSTANCE OwnInstance() {
  HMODULE module = nullptr;
  ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       &g_ownModuleMark, &module);
  return module;
}

bool IsKeyUp(WPARAM wParam) { return wParam == WM_KEYUP || wParam == WM_SYSKEYUP; }

void ToggleMainWindow() {
  CManagerRef<IKivTray> tray(TakeManager(&INumbrookMain::GetTrayManager));
  if (!tray) return;
  VARIANT_BOOL minimized = VARIANT_FALSE;
  if (FAILED(tray->IsMinimized(&minimized))) return;
  if (minimized)
    tray->RestoreFromTray();
  else
    tray->MinimizeToTray();
}

// The hook only posts the show or hide: hiding or showing a window can take longer than the
// system lets a low-level hook run (the key would then reach the program in front). A
// message-only window of the hook's thread receives the request.
const UINT kToggleMainWindow = WM_APP + 1;
const wchar_t kMailboxClass[] = L"NumbrookKeyboardHookMailbox";
HWND g_mailbox = nullptr;

LRESULT CALLBACK MailboxProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != kToggleMainWindow) return ::DefWindowProcW(hWnd, message, wParam, lParam);
  try {
    ToggleMainWindow();
  } catch (...) {
    // nothing leaves the window procedure
  }
  return 0;
}

void CreateMailbox() {
  if (g_mailbox != nullptr) return;
  WNDCLASSW wc = {};
  wc.lpfnWndProc = &MailboxProc;
  wc.hInstance = OwnInstance();
  wc.lpszClassName = kMailboxClass;
  ::RegisterClassW(&wc);  // fails harmlessly when already registered
  g_mailbox = ::CreateWindowExW(0, kMailboxClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, OwnInstance(), nullptr);
}

void DestroyMailbox() {
  if (g_mailbox != nullptr) ::DestroyWindow(g_mailbox);
  g_mailbox = nullptr;
}

// The first enabled action with this key, or -1.
long FindAction(IKivSettingsManager* settings, long handle) {
  long count = 0;
  if (FAILED(settings->get_KbdActionsCount(&count))) return -1;
  for (long i = 0; i < count; ++i) {
    long key = 0;
    VARIANT_BOOL activated = VARIANT_FALSE;
    if (FAILED(settings->GetKeyHandle(i, &key)) || key == 0 || key != handle) continue;
    if (SUCCEEDED(settings->GetKeyActivated(i, &activated)) && activated) return i;
  }
  return -1;
}

void FireAction(IKivSettingsManager* settings, long index, long handle) {
  CMsgManager* messenger = CMsgManager::GetInstance();
  CalcAction action = {};
  if (messenger == nullptr || FAILED(settings->GetKbdAction(index, &action))) return;
  messenger->FireOnCalcAction(action, (handle & kKeyAlt) != 0, (handle & kKeyShift) != 0, (handle & kKeyCtrl) != 0);
  ::SysFreeString(action.Template);
}

// TRUE when the event is swallowed.
bool HandleKeyEvent(WPARAM wParam, const KBDLLHOOKSTRUCT& event) {
  CManagerRef<IKivSettingsManager> settings(TakeManager(&INumbrookMain::GetSettingsManager));
  if (!settings) return false;
  long handle = MakeKeyHandle(event);
  if (handle & (kKeyAlt | kKeyShift | kKeyCtrl)) {
    if (CMsgManager* messenger = CMsgManager::GetInstance())
      messenger->FireOnKbdModifier((handle & kKeyAlt) != 0, (handle & kKeyShift) != 0, (handle & kKeyCtrl) != 0);
  }
  long showHideKey = 0;
  if (SUCCEEDED(settings->get_ShowHideKey(&showHideKey)) && showHideKey != 0 && showHideKey == handle) {
    if (IsKeyUp(wParam)) {
      CreateMailbox();
      ::PostMessageW(g_mailbox, kToggleMainWindow, 0, 0);
    }
    VARIANT_BOOL pass = VARIANT_TRUE;
    return SUCCEEDED(settings->get_PassShowHideKey(&pass)) && !pass;
  }
  long index = FindAction(settings.get(), handle);
  if (index < 0) return false;
  if (IsKeyUp(wParam)) FireAction(settings.get(), index, handle);
  VARIANT_BOOL pass = VARIANT_TRUE;
  return SUCCEEDED(settings->GetKeyPass(index, &pass)) && !pass;
}

}  // namespace

HHOOK InstallKeyboardHook() {
  if (g_hook == nullptr) g_hook = ::SetWindowsHookExW(WH_KEYBOARD_LL, &LowLevelKeyboardProc, OwnInstance(), 0);
  return g_hook;
}

void RemoveKeyboardHook() {
  if (g_hook != nullptr) ::UnhookWindowsHookEx(g_hook);
  g_hook = nullptr;
  DestroyMailbox();
}

bool IsKeyboardHookInstalled() { return g_hook != nullptr; }

LRESULT CALLBACK LowLevelKeyboardProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code >= 0 && lParam != 0 &&
      (wParam == WM_KEYDOWN || wParam == WM_SYSKEYDOWN || wParam == WM_KEYUP || wParam == WM_SYSKEYUP)) {
    try {
      if (HandleKeyEvent(wParam, *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam))) return -1;
    } catch (...) {
      // Nothing leaves the hook: the event goes on.
    }
  }
  return ::CallNextHookEx(g_hook, code, wParam, lParam);
}
