// The single-expression interpreter: a text, a library, settings and an error sink; Parsing
// turns the text into a tree, Calc evaluates it and leaves the result in Value, written in the
// notation the settings ask for.
#pragma once

#include <wrl/client.h>

#include <string>

#include "Creatable.h"
#include "KernelObject.h"

namespace evalkern {

using Microsoft::WRL::ComPtr;

HRESULT CreateSimpleInterpreterOrlen(REFIID iid, void** out);

// Converts an integer or floating result as the single-line interpreter shows it: integers in
// the settings' notation (decimal ones only when a picture is set, Roman ones only up to
// 100000), floats only when a float picture is set. Other values, and values that need no
// conversion, are left as they are.
void ConvertResult(VARIANT& value, ISettings* settings);

class TSimpleInterpreterOrlen : public ISimpleInterpreterOrlen, public TRefCount,
                                public TCreatable {
  EVALKERN_IUNKNOWN

 public:
  TSimpleInterpreterOrlen();
  ~TSimpleInterpreterOrlen() override;
  void* Cast(REFIID iid);

  STDMETHODIMP get_Text(BSTR* value) override;
  STDMETHODIMP put_Text(BSTR value) override;
  STDMETHODIMP Clear() override;
  STDMETHODIMP get_Settings(ISettings** value) override;
  STDMETHODIMP put_Settings(ISettings* value) override;
  STDMETHODIMP get_Lib(ILibOrlen** value) override;
  STDMETHODIMP put_Lib(ILibOrlen* value) override;
  STDMETHODIMP Parsing(VARIANT_BOOL* result) override;
  STDMETHODIMP get_IMainNode(INodeParsing** value) override;
  STDMETHODIMP Calc(VARIANT_BOOL* result) override;
  STDMETHODIMP get_Value(VARIANT* value) override;
  STDMETHODIMP get_ErrorEvents(IErrorEvents** value) override;
  STDMETHODIMP put_ErrorEvents(IErrorEvents* value) override;

 private:
  IErrorEvents* Sink();
  bool ParseText();

  ComPtr<ILibOrlen> Lib;
  ComPtr<ISettings> Settings;
  ComPtr<IErrorEvents> ErrorEvents;
  std::wstring Text;
  ComPtr<INodeParsing> IMainNode;
  VARIANT Value;
};

}  // namespace evalkern
