#include "MessageBoxHook.h"

#include "MainInterface.h"
#include "ManagerRef.h"
#include "NumbrookLib.h"
#include "ShellIds.h"

namespace {

typedef int(WINAPI* MessageBoxProc)(HWND, LPCWSTR, LPCWSTR, UINT);

// The real MessageBoxW: the address the hook saved, or, without a live hook, user32's export
// (this module's GetProcAddress is never redirected).
MessageBoxProc RealMessageBox() {
  PROC saved = CApiHook::FindOriginal("user32.dll", "MessageBoxW");
  if (saved != nullptr) return FunctionCast<MessageBoxProc>(saved);
  HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
  if (user32 == nullptr) user32 = ::LoadLibraryW(L"user32.dll");
  return user32 != nullptr ? FunctionCast<MessageBoxProc>(::GetProcAddress(user32, "MessageBoxW")) : nullptr;
}

// The main window, as the messenger knows it (null when there is none).
HWND MainFrameWindow() {
  CManagerRef<IKivMessenger> messenger(TakeManager(&INumbrookMain::GetMsgManager));
  long handle = 0;
  if (!messenger || FAILED(messenger->GetMainframeHandle(&handle))) return nullptr;
  return reinterpret_cast<HWND>(static_cast<LONG_PTR>(handle));
}

void BringMainWindowBack() {
  HWND frame = MainFrameWindow();
  if (frame != nullptr && ::GetWindowThreadProcessId(frame, nullptr) != ::GetCurrentThreadId()) {
    ::PostMessageW(frame, WM_COMMAND, ID_TRAY_RESTORE, 0);
    return;
  }
  CManagerRef<IKivTray> tray(TakeManager(&INumbrookMain::GetTrayManager));
  if (tray) tray->RestoreFromTray();
}

}  // namespace

int WINAPI MessageBoxHook(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
  MessageBoxProc real = RealMessageBox();
  if (real == nullptr) return IDCANCEL;
  try {
    BringMainWindowBack();
  } catch (...) {
    // The box matters more than the window: it is shown anyway.
  }
  return real(owner, text, caption, type);
}

CMessageBoxHook::CMessageBoxHook() : m_hook("user32.dll", "MessageBoxW", FunctionCast<PROC>(&MessageBoxHook), FALSE) {}
