// The reference count of the framework's small COM objects: the object starts with one reference
// and deletes itself when the last one goes; it answers for IUnknown and its interface I.
#pragma once
#include <windows.h>
#include <unknwn.h>

template <class I>
class CCounted : public I {
public:
  virtual ~CCounted() = default;
  ULONG STDMETHODCALLTYPE AddRef() override { return (ULONG)::InterlockedIncrement(&m_cRef); }
  ULONG STDMETHODCALLTYPE Release() override {
    LONG n = ::InterlockedDecrement(&m_cRef);
    if (n == 0) delete this;
    return (ULONG)n;
  }
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    return Answer(ppv, riid == IID_IUnknown || riid == __uuidof(I) ? static_cast<I*>(this) : nullptr);
  }

protected:
  // The end of a QueryInterface: pInterface (null: not supported) handed out with a reference.
  HRESULT Answer(void** ppv, void* pInterface) {
    if (ppv == nullptr) return E_POINTER;
    *ppv = pInterface;
    if (pInterface == nullptr) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }

private:
  LONG m_cRef = 1;
};
