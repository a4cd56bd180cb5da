// CPersistManager (IKivPersistManager): named values below the application's profile key
// (HKCU\Software\<registry key>\<profile>\<section>), through the application's profile
// functions. Integers are DWORD values, strings string values; a missing or unreadable value
// gives the caller's default. A write that fails, or a call without an application, answers a
// failing HRESULT.
#pragma once

#include "EmbeddedObject.h"
#include "NumbrookLib.h"

class IShellFrame;

class CPersistManager : public CEmbeddedObject<IKivPersistManager> {
public:
  explicit CPersistManager(IShellFrame* frame) : m_frame(frame) {}

  STDMETHODIMP WriteInteger(BSTR Section, BSTR Name, long Value) override;
  STDMETHODIMP WriteString(BSTR Section, BSTR Name, BSTR Value) override;
  STDMETHODIMP WriteBLOB(BSTR Section, BSTR Name, VARIANT BLOB) override { return E_NOTIMPL; }
  STDMETHODIMP ReadInteger(BSTR Section, BSTR Name, long DefaultValue, long* Value) override;
  STDMETHODIMP ReadString(BSTR Section, BSTR Name, BSTR DefaultValue, BSTR* Value) override;
  STDMETHODIMP ReadBLOB(BSTR Section, BSTR Name, VARIANT* Value) override { return E_NOTIMPL; }

private:
  IShellFrame* m_frame;
};
