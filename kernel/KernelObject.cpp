#include "KernelObject.h"

namespace evalkern {

namespace {
LONG g_serverLocks = 0;
}

void ServerLock() { InterlockedIncrement(&g_serverLocks); }
void ServerUnlock() { InterlockedDecrement(&g_serverLocks); }
long ServerLockCount() { return g_serverLocks; }

void RaiseError(const std::wstring& text, HRESULT hr) { throw KernelError{text, hr}; }

void Check(HRESULT hr) {
  if (SUCCEEDED(hr)) return;
  std::wstring text;
  IErrorInfo* info = nullptr;
  if (GetErrorInfo(0, &info) == S_OK && info) {
    BSTR desc = nullptr;
    if (SUCCEEDED(info->GetDescription(&desc)) && desc) text.assign(desc, SysStringLen(desc));
    SysFreeString(desc);
    info->Release();
  }
  if (text.empty()) {
    wchar_t* sys = nullptr;
    if (FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                           FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, static_cast<DWORD>(hr), 0, reinterpret_cast<wchar_t*>(&sys), 0,
                       nullptr) && sys) {
      text = sys;
      LocalFree(sys);
      while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r')) text.pop_back();
    } else {
      wchar_t buf[32];
      wsprintfW(buf, L"Error 0x%08X", static_cast<unsigned>(hr));
      text = buf;
    }
  }
  throw KernelError{text, hr};
}

void SetErrorInfoFor(const ErrorSource& src, const KernelError& e) {
  if (!src.progId) return;
  ICreateErrorInfo* create = nullptr;
  if (FAILED(CreateErrorInfo(&create))) return;
  if (src.iid) create->SetGUID(*src.iid);
  create->SetSource(const_cast<LPOLESTR>(src.progId));
  create->SetDescription(const_cast<LPOLESTR>(e.text.c_str()));
  create->SetHelpContext(e.helpContext);
  IErrorInfo* info = nullptr;
  if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)))) {
    SetErrorInfo(0, info);
    info->Release();
  }
  create->Release();
}

}  // namespace evalkern
