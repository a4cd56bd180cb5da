// CMainInterface (INumbrookMain): the automation root that the main frame embeds. It holds the
// seven managers and hands out interior pointers to them, and reaches the kernel bridge, the
// expression pane's formatter and the clipboard picker through the frame. Nothing is counted.
#pragma once

#include "CaptionbarManager.h"
#include "EmbeddedObject.h"
#include "KbdManager.h"
#include "MsgManager.h"
#include "NumbrookLib.h"
#include "PanelsManager.h"
#include "PersistManager.h"
#include "SettingsManager.h"
#include "TrayManager.h"

class IShellFrame;

class CMainInterface : public CEmbeddedObject<INumbrookMain> {
public:
  explicit CMainInterface(IShellFrame* frame);
  CMainInterface(const CMainInterface&) = delete;
  CMainInterface& operator=(const CMainInterface&) = delete;

  STDMETHODIMP GetTrayManager(IKivTray** Manager) override;
  STDMETHODIMP GetMsgManager(IKivMessenger** Manager) override;
  STDMETHODIMP GetCaptionbarManager(IKivCaptionBar** Manager) override;
  STDMETHODIMP GetSettingsManager(IKivSettingsManager** Manager) override;
  STDMETHODIMP GetPersistManager(IKivPersistManager** Manager) override;
  // Null and a failing HRESULT while the application has no kernel bridge.
  STDMETHODIMP GetCalculatorKernel(ICalculatorKernel** Kernel) override;
  // Null and S_FALSE without an expression pane.
  STDMETHODIMP GetCodeFormatter(ICodeFormatter** Formatter) override;
  STDMETHODIMP GetPanelsManager(IKivPanelsManager** Manager) override;
  STDMETHODIMP GetKbdManager(IKivKbdManager** Manager) override;
  // Null and a failing HRESULT before the clipboard picker exists.
  STDMETHODIMP GetClipboardWatcher(INumbrookClipboardWatcher** Watcher) override;

  CMsgManager& GetMessenger() { return m_messenger; }
  CTrayManager& GetTray() { return m_tray; }
  CSettingsManager& GetSettings() { return m_settings; }
  CPanelsManager& GetPanels() { return m_panels; }

private:
  IShellFrame* m_frame;
  CMsgManager m_messenger;
  CTrayManager m_tray;
  CCaptionbarManager m_captionBar;
  CSettingsManager m_settings;
  CPersistManager m_persist;
  CPanelsManager m_panels;
  CKbdManager m_kbd;
};
