#include "Creators.h"

namespace evalkern {

void CreateByClassId(const CLSID& clsid, const IID& iid, void** out) {
  *out = nullptr;
  IUnknown* object = nullptr;
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
