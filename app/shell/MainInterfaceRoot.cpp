#include "MainInterfaceRoot.h"

#include "ComValues.h"
#include "ShellFrame.h"

namespace {

// A counted object of the application, or null and E_UNEXPECTED while there is none.
template <class Interface>
HRESULT GiveCounted(Interface** out, Interface* object) {
  if (out == nullptr) return E_POINTER;
  *out = object;
  return object != nullptr ? S_OK : E_UNEXPECTED;
}

}  // namespace

CMainInterface::CMainInterface(IShellFrame* frame)
    : m_frame(frame), m_messenger(frame), m_tray(frame), m_captionBar(frame), m_settings(frame), m_persist(frame),
      m_panels(frame, &m_messenger), m_kbd(frame) {}

STDMETHODIMP CMainInterface::GetTrayManager(IKivTray** Manager) { return Give<IKivTray*>(Manager, &m_tray); }
STDMETHODIMP CMainInterface::GetMsgManager(IKivMessenger** Manager) {
  return Give<IKivMessenger*>(Manager, &m_messenger);
}
STDMETHODIMP CMainInterface::GetCaptionbarManager(IKivCaptionBar** Manager) {
  return Give<IKivCaptionBar*>(Manager, &m_captionBar);
}
STDMETHODIMP CMainInterface::GetSettingsManager(IKivSettingsManager** Manager) {
  return Give<IKivSettingsManager*>(Manager, &m_settings);
}
STDMETHODIMP CMainInterface::GetPersistManager(IKivPersistManager** Manager) {
  return Give<IKivPersistManager*>(Manager, &m_persist);
}
STDMETHODIMP CMainInterface::GetPanelsManager(IKivPanelsManager** Manager) {
  return Give<IKivPanelsManager*>(Manager, &m_panels);
}
STDMETHODIMP CMainInterface::GetKbdManager(IKivKbdManager** Manager) { return Give<IKivKbdManager*>(Manager, &m_kbd); }

STDMETHODIMP CMainInterface::GetCalculatorKernel(ICalculatorKernel** Kernel) {
  return GiveCounted(Kernel, Kernel != nullptr ? m_frame->GetCalculatorKernel() : nullptr);
}

STDMETHODIMP CMainInterface::GetClipboardWatcher(INumbrookClipboardWatcher** Watcher) {
  return GiveCounted(Watcher, Watcher != nullptr ? m_frame->GetClipboardWatcher() : nullptr);
}

STDMETHODIMP CMainInterface::GetCodeFormatter(ICodeFormatter** Formatter) {
  if (Formatter == nullptr) return E_POINTER;
  *Formatter = m_frame->GetCodeFormatter();
  return *Formatter != nullptr ? S_OK : S_FALSE;
}
