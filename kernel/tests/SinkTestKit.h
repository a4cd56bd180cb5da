// The error sink a host writes, for tests: it keeps the flag and the text and tells a derived
// sink of every put, after storing it, so that each test records the calls in its own words.
#pragma once

#include <string>

#include "KernelObject.h"

namespace evalkern {
namespace testkit {

// Reference counted: the count starts at 0, as for every kernel object.
class TestSink : public IErrorEvents, public TRefCount {
  EVALKERN_IUNKNOWN
 public:
  void* Cast(REFIID iid) { return CastToOne<IErrorEvents>(this, iid, IID_IErrorEvents); }
  STDMETHODIMP get_ErrorFlag(VARIANT_BOOL* v) override {
    *v = flag;
    return S_OK;
  }
  STDMETHODIMP put_ErrorFlag(VARIANT_BOOL v) override {
    flag = v;
    OnFlag(v);
    return S_OK;
  }
  STDMETHODIMP get_ErrorText(BSTR* v) override {
    *v = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return S_OK;
  }
  STDMETHODIMP put_ErrorText(BSTR v) override {
    text = v ? std::wstring(v, SysStringLen(v)) : std::wstring();
    OnText();
    return S_OK;
  }

  VARIANT_BOOL flag = VARIANT_FALSE;
  std::wstring text;

 protected:
  virtual void OnFlag(VARIANT_BOOL) {}
  virtual void OnText() {}
};

}  // namespace testkit
}  // namespace evalkern
