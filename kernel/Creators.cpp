#include "Creators.h"

#include <vector>

namespace evalkern {

namespace {

// Asking the runtime for a class object looks the class up in the registry every time, which
// costs hundreds of microseconds, and the library asks for a wrapper object per function and
// per variable on every refresh. So a class object that turns out to live in this very module
// is kept and asked directly from then on: it is the same object the runtime hands out, and it
// lives as long as the code that keeps it. Class objects of another module (a test program
// holding its own copy of the kernel's code) are never kept, since that module may be freed.
struct KeptFactory {
  CLSID clsid;
  IClassFactory* factory;
};
thread_local std::vector<KeptFactory> t_kept;

HMODULE ModuleOf(const void* address) {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     static_cast<LPCWSTR>(address), &module);
  return module;
}

IClassFactory* KeptFactoryFor(const CLSID& clsid) {
  for (const KeptFactory& k : t_kept)
    if (IsEqualCLSID(k.clsid, clsid)) return k.factory;
  IClassFactory* factory = nullptr;
  if (FAILED(CoGetClassObject(clsid, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                              reinterpret_cast<void**>(&factory))) || !factory)
    return nullptr;
  const void* code = *reinterpret_cast<void**>(factory);  // the class object's function table
  if (ModuleOf(code) != ModuleOf(reinterpret_cast<const void*>(&KeptFactoryFor))) {
    factory->Release();
    return nullptr;
  }
  t_kept.push_back({clsid, factory});  // one reference, held for the life of the thread
  return factory;
}

}  // namespace

void CreateByClassId(const CLSID& clsid, const IID& iid, void** out) {
  *out = nullptr;
  IUnknown* object = nullptr;
  if (IClassFactory* factory = KeptFactoryFor(clsid))
    Check(factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&object)));
  else
    Check(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IUnknown,
                           reinterpret_cast<void**>(&object)));
  HRESULT hr = object->QueryInterface(iid, out);
  object->Release();
  if (FAILED(hr) || !*out) {
    *out = nullptr;
    RaiseError(L"Interface not supported");
  }
}

}  // namespace evalkern
