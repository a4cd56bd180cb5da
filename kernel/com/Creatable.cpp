#include "Creatable.h"

#include <string>

namespace evalkern {

void* TCreatable::CreatableCast(REFIID iid) {
  if (IsEqualIID(iid, IID_ISupportErrorInfo)) return static_cast<ISupportErrorInfo*>(this);
  if (IsEqualIID(iid, IID_IProvideClassInfo)) return static_cast<IProvideClassInfo*>(this);
  return nullptr;
}

STDMETHODIMP TCreatable::InterfaceSupportsErrorInfo(REFIID iid) {
  IUnknown* found = nullptr;
  if (FAILED(static_cast<ISupportErrorInfo*>(this)->QueryInterface(iid, reinterpret_cast<void**>(&found))) ||
      !found)
    return S_FALSE;
  found->Release();
  return S_OK;
}

STDMETHODIMP TCreatable::GetClassInfo(ITypeInfo** info) {
  if (!info) return E_POINTER;
  *info = nullptr;
  ITypeLib* lib = nullptr;
  HRESULT hr = LoadKernelTypeLib(&lib);
  if (FAILED(hr)) return hr;
  hr = lib->GetTypeInfoOfGuid(clsid_, info);
  lib->Release();
  return hr;
}

HRESULT LoadKernelTypeLib(ITypeLib** lib) {
  *lib = nullptr;
  HMODULE self = nullptr;
  if (GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                             GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCWSTR>(&LoadKernelTypeLib), &self)) {
    wchar_t path[MAX_PATH * 2];
    DWORD n = GetModuleFileNameW(self, path, MAX_PATH * 2);
    // Only a module with a TYPELIB resource is asked, so that no other file is searched for.
    if (n > 0 && n < MAX_PATH * 2 && FindResourceW(self, MAKEINTRESOURCEW(1), L"TYPELIB") &&
        SUCCEEDED(LoadTypeLibEx(path, REGKIND_NONE, lib)))
      return S_OK;
  }
  return LoadRegTypeLib(LIBID_Evalkern, 1, 0, 1033, lib);  // registered under its own LCID
}

}  // namespace evalkern
