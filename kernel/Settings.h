// TSettings: how angles are measured and how results are written, shared by everything that
// takes part in one parse-and-calculate run. Made only inside the kernel (no class factory).
#pragma once
#include <string>

#include "KernelObject.h"

namespace evalkern {

class TSettings : public TRefCount, public ISettings {
  EVALKERN_IUNKNOWN
 public:
  STDMETHODIMP get_AngleMeasurement(TAngleMeasurement* value) override;
  STDMETHODIMP put_AngleMeasurement(TAngleMeasurement value) override;
  STDMETHODIMP get_IntegerFormatOut(TFormatOut* value) override;
  STDMETHODIMP put_IntegerFormatOut(TFormatOut value) override;
  STDMETHODIMP get_IntFormatStr(BSTR* value) override;
  STDMETHODIMP put_IntFormatStr(BSTR value) override;
  STDMETHODIMP get_FloatFormatOut(TFormatOut* value) override;
  STDMETHODIMP put_FloatFormatOut(TFormatOut value) override;
  STDMETHODIMP get_FloatFormatStr(BSTR* value) override;
  STDMETHODIMP put_FloatFormatStr(BSTR value) override;

 private:
  void* Cast(REFIID iid);

  TAngleMeasurement AngleMeasurement = amRadian;
  TFormatOut IntegerFormatOut = foDecimal;
  TFormatOut FloatFormatOut = foDecimal;  // kept for the host; result formatting ignores it
  std::wstring FloatFormatStr;
  std::wstring IntFormatStr;
};

// A new settings object with the defaults, one reference held by the caller.
ISettings* NewSettings();

}  // namespace evalkern
