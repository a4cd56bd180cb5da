// CWnd::InvokeHelper and the property helpers: calls into a hosted control's dispatch interface
// with arguments described by VTS_ codes.
#include "Framework.h"
#include "FwOleControl.h"
#include <cstdarg>

// Reads one argument of the given code from the list into a VARIANT (strings are copied).
static void ReadArgument(BYTE code, va_list& args, VARIANT& v) {
  ::VariantInit(&v);
  const bool byRef = (code & VT_MFCBYREF) != 0;
  VARTYPE vt = (VARTYPE)(code & ~VT_MFCBYREF);
  if (byRef) {
    v.vt = (VARTYPE)(vt | VT_BYREF);
    v.byref = va_arg(args, void*);
    return;
  }
  v.vt = vt;
  switch (vt) {
    case VT_I2: v.iVal = (SHORT)va_arg(args, int); break;
    case VT_I4: v.lVal = va_arg(args, long); break;
    case VT_R4: v.fltVal = (float)va_arg(args, double); break;
    case VT_R8: v.dblVal = va_arg(args, double); break;
    case VT_BOOL: v.boolVal = va_arg(args, BOOL) ? VARIANT_TRUE : VARIANT_FALSE; break;
    case VT_BSTR: {
      LPCWSTR s = va_arg(args, LPCWSTR);
      v.bstrVal = ::SysAllocString(s != nullptr ? s : L"");
      break;
    }
    case VT_DISPATCH: v.pdispVal = va_arg(args, IDispatch*); break;
    case VT_UNKNOWN: v.punkVal = va_arg(args, IUnknown*); break;
    case VT_VARIANT: {
      const VARIANT* p = va_arg(args, const VARIANT*);
      v.vt = VT_EMPTY;
      if (p != nullptr) ::VariantCopy(&v, const_cast<VARIANT*>(p));
      break;
    }
    default: AfxThrowOleException(DISP_E_BADVARTYPE);
  }
}

// Hands the result over in the caller's type (VT_BSTR into a CString, as the callers expect).
static void StoreResult(VARTYPE vtRet, VARIANT& result, void* pvRet) {
  if (vtRet == VT_EMPTY || pvRet == nullptr) return;
  if (vtRet == VT_VARIANT) {
    *(VARIANT*)pvRet = result;
    ::VariantInit(&result);
    return;
  }
  VARIANT t;
  ::VariantInit(&t);
  HRESULT hr = ::VariantChangeType(&t, &result, 0, vtRet);
  if (FAILED(hr)) AfxThrowOleException(hr);
  switch (vtRet) {
    case VT_I2: *(short*)pvRet = t.iVal; break;
    case VT_I4: *(long*)pvRet = t.lVal; break;
    case VT_R4: *(float*)pvRet = t.fltVal; break;
    case VT_R8: *(double*)pvRet = t.dblVal; break;
    case VT_BOOL: *(BOOL*)pvRet = t.boolVal != VARIANT_FALSE; break;
    case VT_BSTR: *(CString*)pvRet = t.bstrVal != nullptr ? t.bstrVal : L""; break;
    case VT_DISPATCH: *(IDispatch**)pvRet = t.pdispVal; t.vt = VT_EMPTY; break;
    case VT_UNKNOWN: *(IUnknown**)pvRet = t.punkVal; t.vt = VT_EMPTY; break;
    default: ::VariantClear(&t); AfxThrowOleException(DISP_E_BADVARTYPE);
  }
  ::VariantClear(&t);
}

static void InvokeV(HWND hWnd, DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet, const BYTE* pbParamInfo,
                    va_list& args) {
  COleControlSite* pSite = COleControlSite::FromHandle(hWnd);
  IDispatch* pDispatch = pSite != nullptr ? pSite->GetDispatch() : nullptr;
  if (pDispatch == nullptr) AfxThrowOleException(E_NOINTERFACE);
  size_t n = pbParamInfo != nullptr ? strlen((const char*)pbParamInfo) : 0;
  std::vector<VARIANT> argv(n);
  // Dispatch arguments go last first.
  for (size_t i = 0; i < n; ++i) ReadArgument(pbParamInfo[i], args, argv[n - 1 - i]);
  DISPID put = DISPID_PROPERTYPUT;
  DISPPARAMS params = {argv.data(), nullptr, (UINT)n, 0};
  if (wFlags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
    params.rgdispidNamedArgs = &put;
    params.cNamedArgs = 1;
  }
  VARIANT result;
  ::VariantInit(&result);
  EXCEPINFO excep = {};
  UINT argErr = 0;
  HRESULT hr = pDispatch->Invoke(dwDispID, IID_NULL, 0, wFlags, &params, vtRet != VT_EMPTY ? &result : nullptr, &excep,
                                 &argErr);
  for (VARIANT& v : argv)
    if (!(v.vt & VT_BYREF)) ::VariantClear(&v);
  if (excep.bstrSource) ::SysFreeString(excep.bstrSource);
  if (excep.bstrDescription) ::SysFreeString(excep.bstrDescription);
  if (excep.bstrHelpFile) ::SysFreeString(excep.bstrHelpFile);
  if (FAILED(hr)) {
    ::VariantClear(&result);
    AfxThrowOleException(hr == DISP_E_EXCEPTION && FAILED(excep.scode) ? excep.scode : hr);
  }
  try {
    StoreResult(vtRet, result, pvRet);
  } catch (...) {
    ::VariantClear(&result);
    throw;
  }
  ::VariantClear(&result);
}

void CWnd::InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet, const BYTE* pbParamInfo, ...) {
  va_list args;
  va_start(args, pbParamInfo);
  try {
    InvokeV(m_hWnd, dwDispID, wFlags, vtRet, pvRet, pbParamInfo, args);
  } catch (...) {
    va_end(args);
    throw;
  }
  va_end(args);
}

void CWnd::GetProperty(DISPID dwDispID, VARTYPE vtProp, void* pvProp) const {
  const_cast<CWnd*>(this)->InvokeHelper(dwDispID, DISPATCH_PROPERTYGET, vtProp, pvProp, nullptr);
}

void CWnd::SetProperty(DISPID dwDispID, VARTYPE vtProp, ...) {
  BYTE info[2] = {(BYTE)vtProp, 0};
  va_list args;
  va_start(args, vtProp);
  WORD flags = (vtProp == VT_DISPATCH || vtProp == VT_UNKNOWN) ? DISPATCH_PROPERTYPUTREF : DISPATCH_PROPERTYPUT;
  try {
    InvokeV(m_hWnd, dwDispID, flags, VT_EMPTY, nullptr, info, args);
  } catch (...) {
    va_end(args);
    throw;
  }
  va_end(args);
}
