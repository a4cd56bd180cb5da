// TErrorEvents: the one-slot error sink (a flag and a text) of a parse-and-calculate run, and the
// two ways in which the kernel reports into any sink, its own or a host's.
#pragma once
#include <string>

#include "KernelObject.h"

namespace evalkern {

class TErrorEvents : public TRefCount, public IErrorEvents {
  EVALKERN_IUNKNOWN
 public:
  STDMETHODIMP get_ErrorFlag(VARIANT_BOOL* value) override;
  STDMETHODIMP put_ErrorFlag(VARIANT_BOOL value) override;
  STDMETHODIMP get_ErrorText(BSTR* value) override;
  STDMETHODIMP put_ErrorText(BSTR value) override;

 private:
  void* Cast(REFIID iid);

  VARIANT_BOOL ErrorFlag = VARIANT_FALSE;
  std::wstring ErrorText;
};

// A new, clear error sink, one reference held by the caller.
IErrorEvents* NewErrorEvents();

// Reporting is two calls on the sink, and a host's sink may see their order. Name resolution and
// the expression analyser put the text first, so the text is in place when the flag turns on:
void ReportTextThenFlag(IErrorEvents* sink, const std::wstring& text);
// Everything else (error nodes, the bracket function, caught exceptions, argument checks, the
// library's insert, assignments) puts the flag first:
void ReportFlagThenText(IErrorEvents* sink, const std::wstring& text);
// Both do nothing without a sink and raise the sink's own failure as a KernelError.

}  // namespace evalkern
