// CKbdManager (IKivKbdManager): the main window's accelerators for windows that read keys
// before the frame does (the panels' browser).
#pragma once

#include "EmbeddedObject.h"
#include "NumbrookLib.h"

class IShellFrame;

class CKbdManager : public CEmbeddedObject<IKivKbdManager> {
public:
  explicit CKbdManager(IShellFrame* frame) : m_frame(frame) {}

  // Message is a MSG*; Translated is true when an accelerator of the frame took it.
  STDMETHODIMP TranslateKbdAccel(void* Message, VARIANT_BOOL* Translated) override;

private:
  IShellFrame* m_frame;
};
