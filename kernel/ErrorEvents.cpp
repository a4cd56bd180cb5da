#include "ErrorEvents.h"

namespace evalkern {

void* TErrorEvents::Cast(REFIID iid) {
  return CastToOne<IErrorEvents>(this, iid, IID_IErrorEvents);
}

STDMETHODIMP TErrorEvents::get_ErrorFlag(VARIANT_BOOL* value) {
  if (!value) return E_POINTER;
  *value = ErrorFlag;
  return S_OK;
}

STDMETHODIMP TErrorEvents::put_ErrorFlag(VARIANT_BOOL value) {
  ErrorFlag = value;
  return S_OK;
}

STDMETHODIMP TErrorEvents::get_ErrorText(BSTR* value) {
  if (!value) return E_POINTER;
  *value = SysAllocStringLen(ErrorText.data(), static_cast<UINT>(ErrorText.size()));
  return *value ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP TErrorEvents::put_ErrorText(BSTR value) {
  return Guard(ErrorSource{}, [&] {
    ErrorText.assign(value ? value : L"", value ? SysStringLen(value) : 0);
  });
}

IErrorEvents* NewErrorEvents() {
  IErrorEvents* e = new TErrorEvents;
  e->AddRef();
  return e;
}

namespace {

void PutText(IErrorEvents* sink, const std::wstring& text) {
  BSTR b = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  if (!b) RaiseError(L"Out of memory", E_OUTOFMEMORY);
  HRESULT hr = sink->put_ErrorText(b);
  SysFreeString(b);
  Check(hr);
}

void PutFlag(IErrorEvents* sink) { Check(sink->put_ErrorFlag(VARIANT_TRUE)); }

}  // namespace

void ReportTextThenFlag(IErrorEvents* sink, const std::wstring& text) {
  if (!sink) return;
  PutText(sink, text);
  PutFlag(sink);
}

void ReportFlagThenText(IErrorEvents* sink, const std::wstring& text) {
  if (!sink) return;
  PutFlag(sink);
  PutText(sink, text);
}

}  // namespace evalkern
