#include "KbdManager.h"

#include "ShellFrame.h"

STDMETHODIMP CKbdManager::TranslateKbdAccel(void* Message, VARIANT_BOOL* Translated) {
  if (Message == nullptr || Translated == nullptr) return E_POINTER;
  HWND frame = m_frame->GetFrameHwnd();
  HACCEL accel = m_frame->GetAccelTable();
  bool done = frame != nullptr && accel != nullptr && ::TranslateAcceleratorW(frame, accel, static_cast<MSG*>(Message));
  *Translated = done ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}
