// What the tests that drive the registered worksheet interpreter share: a new interpreter, and the
// text in and out of it (the apartment comes from ComTestKit.h). The calls answer their
// HRESULTs, so that each test keeps its own checks on them.
#pragma once

#include <windows.h>
#include <gtest/gtest.h>
#include <wrl/client.h>

#include <string>

#include "ComTestKit.h"
#include "Evalkern.h"

namespace worksheetkit {

using Microsoft::WRL::ComPtr;

// A BasicMultiLinesInterpreterOrlen made by class id from the registered server.
inline HRESULT NewWorksheetInterpreter(ComPtr<IMultiLinesInterpreterOrlen>* interp) {
  return CoCreateInstance(CLSID_BasicMultiLinesInterpreterOrlen, nullptr, CLSCTX_INPROC_SERVER,
                          IID_IMultiLinesInterpreterOrlen,
                          reinterpret_cast<void**>(interp->ReleaseAndGetAddressOf()));
}

inline HRESULT PutText(IMultiLinesInterpreterOrlen* interp, const std::wstring& text) {
  BSTR b = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  HRESULT hr = interp->put_Text(b);
  SysFreeString(b);
  return hr;
}

// The interpreter's Value: its type in `vt`, and in `text` the text when it is one.
inline HRESULT GetOutput(IMultiLinesInterpreterOrlen* interp, VARTYPE* vt, std::wstring* text) {
  VARIANT v;
  VariantInit(&v);
  HRESULT hr = interp->get_Value(&v);
  *vt = v.vt;
  text->clear();
  if (v.vt == VT_BSTR && v.bstrVal) text->assign(v.bstrVal, SysStringLen(v.bstrVal));
  VariantClear(&v);
  return hr;
}

}  // namespace worksheetkit
