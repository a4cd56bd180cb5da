// The base every kernel object stands on: reference counting, the server's live-object count,
// and the kernel's failure type with its conversion into an HRESULT at the COM boundary.
#pragma once

#include <windows.h>
#include <oleauto.h>
#include <wrl/client.h>

#include <new>
#include <string>
#include <utility>

#include "Evalkern.h"

namespace evalkern {

// Live objects and LockServer locks; DllCanUnloadNow answers from this count.
void ServerLock();
void ServerUnlock();
long ServerLockCount();

// A failure raised inside the kernel. At the COM boundary it becomes the HRESULT and, for the
// creatable classes, the thread's error information with `text` as description.
struct KernelError {
  std::wstring text;
  HRESULT hr = E_UNEXPECTED;
  DWORD helpContext = 0;
};

[[noreturn]] void RaiseError(const std::wstring& text, HRESULT hr = E_UNEXPECTED);

// Turns a failure HRESULT of an outgoing call back into a raised KernelError that carries the
// error information's description (or a text made from the HRESULT).
void Check(HRESULT hr);

// Runs `body` and turns anything it raises into an HRESULT; out-parameters are the caller's job.
// Creatable classes pass their CLSID/ProgID so that the error information names them.
struct ErrorSource {
  const wchar_t* progId = nullptr;  // "Evalkern.<Coclass>", or null for internal objects
  const IID* iid = nullptr;         // the class's default interface
};
void SetErrorInfoFor(const ErrorSource& src, const KernelError& e);

template <class F>
HRESULT Guard(const ErrorSource& src, F&& body) noexcept {
  try {
    body();
    return S_OK;
  } catch (const KernelError& e) {
    SetErrorInfoFor(src, e);
    return FAILED(e.hr) ? e.hr : E_UNEXPECTED;
  } catch (const std::bad_alloc&) {
    KernelError e{L"Out of memory", E_OUTOFMEMORY};
    SetErrorInfoFor(src, e);
    return E_OUTOFMEMORY;
  } catch (...) {
    KernelError e{L"Unexpected failure", E_UNEXPECTED};
    SetErrorInfoFor(src, e);
    return E_UNEXPECTED;
  }
}

// The common shape of a member with one out-parameter: a null pointer is refused, the out value
// starts empty (null, zero, cUnknown, VT_EMPTY), then `body` runs under Guard.
template <class T, class F>
HRESULT GuardOut(const ErrorSource& src, T* out, F&& body) noexcept {
  if (!out) return E_POINTER;
  *out = T{};
  return Guard(src, std::forward<F>(body));
}
template <class F>
HRESULT GuardOut(const ErrorSource& src, VARIANT* out, F&& body) noexcept {
  if (!out) return E_POINTER;
  VariantInit(out);
  return Guard(src, std::forward<F>(body));
}

// Hands out the interface `value` holds (or null) with a reference of the caller's own.
template <class T>
void PutOut(T** out, const Microsoft::WRL::ComPtr<T>& value) {
  *out = value.Get();
  if (*out) (*out)->AddRef();
}

// get_ and put_ of an interface property kept in a field.
template <class T>
HRESULT GetField(const Microsoft::WRL::ComPtr<T>& field, T** value) {
  if (!value) return E_POINTER;
  PutOut(value, field);
  return S_OK;
}
template <class T>
HRESULT PutField(Microsoft::WRL::ComPtr<T>& field, T* value) {
  field = value;
  return S_OK;
}

// Cast of an object that answers one interface, `own`, besides IUnknown.
template <class I>
void* CastToOne(I* self, REFIID iid, REFIID own) {
  return IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, own) ? self : nullptr;
}

// The interface `iid` of `item`, or a raised failure.
template <class T>
Microsoft::WRL::ComPtr<T> QueryChecked(IUnknown* item, REFIID iid) {
  Microsoft::WRL::ComPtr<T> p;
  Check(item->QueryInterface(iid, reinterpret_cast<void**>(p.GetAddressOf())));
  return p;
}

// Creation of a kernel object for a class factory: makes a T, hands out its `iid` interface and
// lets the object go again when that interface is refused.
template <class T, class... Args>
HRESULT CreateObject(REFIID iid, void** out, Args&&... args) {
  if (!out) return E_POINTER;
  *out = nullptr;
  T* object = new (std::nothrow) T(std::forward<Args>(args)...);
  if (!object) return E_OUTOFMEMORY;
  object->AddRef();
  HRESULT hr = object->QueryInterface(iid, out);
  object->Release();
  return hr;
}

// The same for a class whose Initialize() fills it after construction and may fail.
template <class T>
HRESULT CreateInitialized(const ErrorSource& src, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  T* object = nullptr;
  HRESULT hr = Guard(src, [&] {
    object = new T();
    object->AddRef();
    object->Initialize();
  });
  if (FAILED(hr)) {
    if (object) object->Release();
    return hr;
  }
  hr = object->QueryInterface(iid, out);
  object->Release();
  return hr;
}

// Takes over the one reference that `raw` carries. The toolchain's ComPtr::Attach adds a
// reference of its own (unlike the documented behaviour), so the kernel never uses it.
template <class T, class U>
void Adopt(Microsoft::WRL::ComPtr<T>& holder, U* raw) {
  *holder.ReleaseAndGetAddressOf() = raw;
}

// The object kept in `field`, made by `make` (which hands over one reference) on first demand;
// and get_ of a property kept so.
template <class T>
T* MadeOnDemand(Microsoft::WRL::ComPtr<T>& field, T* (*make)()) {
  if (!field) Adopt(field, make());
  return field.Get();
}
template <class T>
HRESULT GetMadeOnDemand(const ErrorSource& src, Microsoft::WRL::ComPtr<T>& field, T* (*make)(),
                        T** value) {
  return GuardOut(src, value, [&] {
    *value = MadeOnDemand(field, make);
    (*value)->AddRef();
  });
}

// Reference counting for one object; counts itself in the server lock while alive.
class TRefCount {
 public:
  TRefCount() { ServerLock(); }
  virtual ~TRefCount() { ServerUnlock(); }
  TRefCount(const TRefCount&) = delete;
  TRefCount& operator=(const TRefCount&) = delete;

 protected:
  ULONG AddRefImpl() { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
  ULONG ReleaseImpl() {
    LONG r = InterlockedDecrement(&refs_);
    if (r == 0) delete this;
    return static_cast<ULONG>(r);
  }

 private:
  LONG refs_ = 0;
};

}  // namespace evalkern

// Declares IUnknown for a class with any number of COM bases. The class implements
//   void* Cast(REFIID iid)   -> the interface pointer for iid (cast from this), or nullptr.
#define EVALKERN_IUNKNOWN                                                              \
 public:                                                                               \
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {                       \
    if (!out) return E_POINTER;                                                        \
    *out = Cast(iid);                                                                  \
    if (!*out) return E_NOINTERFACE;                                                   \
    static_cast<IUnknown*>(*out)->AddRef();                                            \
    return S_OK;                                                                       \
  }                                                                                    \
  STDMETHODIMP_(ULONG) AddRef() override { return AddRefImpl(); }                      \
  STDMETHODIMP_(ULONG) Release() override { return ReleaseImpl(); }
