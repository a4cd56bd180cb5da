// The COM face of an object that lives inside another one (a window, the automation root):
// nothing is counted, AddRef and Release answer 1, and QueryInterface answers IUnknown and the
// object's own interface with the object itself.
#pragma once

#include <windows.h>

template <class Interface>
class CEmbeddedObject : public Interface {
public:
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (ppv == nullptr) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, __uuidof(Interface))) {
      *ppv = static_cast<Interface*>(this);
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 1; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }

protected:
  CEmbeddedObject() = default;
  ~CEmbeddedObject() = default;
};
