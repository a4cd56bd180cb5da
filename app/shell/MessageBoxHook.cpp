#include "MessageBoxHook.h"

#include "MainInterface.h"
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
  HWND frame = nullptr;
  if (IKivMessenger* messenger = TakeManager(&INumbrookMain::GetMsgManager)) {
    long handle = 0;
    if (SUCCEEDED(messenger->GetMainframeHandle(&handle)))
      frame = reinterpret_cast<HWND>(static_cast<LONG_PTR>(handle));
    messenger->Release();
  }
  return frame;
}

void BringMainWindowBack() {
  HWND frame = MainFrameWindow();
  if (frame != nullptr && ::GetWindowThreadProcessId(frame, nullptr) != ::GetCurrentThreadId()) {
    ::PostMessageW(frame, WM_COMMAND, ID_TRAY_RESTORE, 0);
    return;
  }
  if (IKivTray* tray = TakeManager(&INumbrookMain::GetTrayManager)) {
    tray->RestoreFromTray();
    tray->Release();
  }
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
