#include "PersistManager.h"

#include "Framework.h"

namespace {
LPCWSTR Text(BSTR s) { return s != nullptr ? s : L""; }
}  // namespace

STDMETHODIMP CPersistManager::WriteInteger(BSTR Section, BSTR Name, long Value) {
  CWinApp* app = AfxGetApp();
  if (app == nullptr) return E_UNEXPECTED;
  return app->WriteProfileInt(Text(Section), Text(Name), Value) ? S_OK : E_FAIL;
}

STDMETHODIMP CPersistManager::WriteString(BSTR Section, BSTR Name, BSTR Value) {
  CWinApp* app = AfxGetApp();
  if (app == nullptr) return E_UNEXPECTED;
  return app->WriteProfileString(Text(Section), Text(Name), Text(Value)) ? S_OK : E_FAIL;
}

STDMETHODIMP CPersistManager::ReadInteger(BSTR Section, BSTR Name, long DefaultValue, long* Value) {
  if (Value == nullptr) return E_POINTER;
  *Value = DefaultValue;
  CWinApp* app = AfxGetApp();
  if (app == nullptr) return E_UNEXPECTED;
  *Value = static_cast<long>(app->GetProfileInt(Text(Section), Text(Name), DefaultValue));
  return S_OK;
}

STDMETHODIMP CPersistManager::ReadString(BSTR Section, BSTR Name, BSTR DefaultValue, BSTR* Value) {
  if (Value == nullptr) return E_POINTER;
  CWinApp* app = AfxGetApp();
  CString value = app != nullptr ? app->GetProfileString(Text(Section), Text(Name), Text(DefaultValue))
                                 : CString(Text(DefaultValue));
  *Value = ::SysAllocStringLen(value, static_cast<UINT>(value.GetLength()));
  if (*Value == nullptr) return E_OUTOFMEMORY;
  return app != nullptr ? S_OK : E_UNEXPECTED;
}
