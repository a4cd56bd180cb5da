#include "Settings.h"


namespace evalkern {

void* TSettings::Cast(REFIID iid) { return CastToOne<ISettings>(this, iid, IID_ISettings); }

namespace {

template <class T>
HRESULT GetValue(T* out, T value) {
  if (!out) return E_POINTER;
  *out = value;
  return S_OK;
}

HRESULT CopyOut(const std::wstring& text, BSTR* out) {
  if (!out) return E_POINTER;
  *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT CopyIn(BSTR value, std::wstring& field) {
  return Guard(ErrorSource{}, [&] { field.assign(value ? value : L"", value ? SysStringLen(value) : 0); });
}

}  // namespace

STDMETHODIMP TSettings::get_AngleMeasurement(TAngleMeasurement* value) {
  return GetValue(value, AngleMeasurement);
}
STDMETHODIMP TSettings::put_AngleMeasurement(TAngleMeasurement value) {
  AngleMeasurement = value;
  return S_OK;
}
STDMETHODIMP TSettings::get_IntegerFormatOut(TFormatOut* value) {
  return GetValue(value, IntegerFormatOut);
}
STDMETHODIMP TSettings::put_IntegerFormatOut(TFormatOut value) {
  IntegerFormatOut = value;
  return S_OK;
}
STDMETHODIMP TSettings::get_IntFormatStr(BSTR* value) { return CopyOut(IntFormatStr, value); }
STDMETHODIMP TSettings::put_IntFormatStr(BSTR value) { return CopyIn(value, IntFormatStr); }
STDMETHODIMP TSettings::get_FloatFormatOut(TFormatOut* value) {
  return GetValue(value, FloatFormatOut);
}
STDMETHODIMP TSettings::put_FloatFormatOut(TFormatOut value) {
  FloatFormatOut = value;
  return S_OK;
}
STDMETHODIMP TSettings::get_FloatFormatStr(BSTR* value) { return CopyOut(FloatFormatStr, value); }
STDMETHODIMP TSettings::put_FloatFormatStr(BSTR value) { return CopyIn(value, FloatFormatStr); }

ISettings* NewSettings() {
  ISettings* s = new TSettings;
  s->AddRef();
  return s;
}

}  // namespace evalkern
