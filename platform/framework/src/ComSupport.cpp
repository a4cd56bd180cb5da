// _com_error, _bstr_t and _variant_t.
#include "FwComSupport.h"
#include <stdlib.h>
#include <string.h>

// ---- _com_error ------------------------------------------------------------------------------
_com_error::_com_error(HRESULT hr, IErrorInfo* perrinfo, bool fAddRef)
    : m_hresult(hr), m_perrinfo(perrinfo), m_pszMsg(nullptr) {
  if (m_perrinfo && fAddRef) m_perrinfo->AddRef();
}

_com_error::_com_error(const _com_error& that) : m_hresult(that.m_hresult), m_perrinfo(that.m_perrinfo), m_pszMsg(nullptr) {
  if (m_perrinfo) m_perrinfo->AddRef();
}

_com_error& _com_error::operator=(const _com_error& that) {
  if (this != &that) {
    if (that.m_perrinfo) that.m_perrinfo->AddRef();
    if (m_perrinfo) m_perrinfo->Release();
    m_perrinfo = that.m_perrinfo;
    m_hresult = that.m_hresult;
    if (m_pszMsg) ::LocalFree(m_pszMsg);
    m_pszMsg = nullptr;
  }
  return *this;
}

_com_error::~_com_error() {
  if (m_perrinfo) m_perrinfo->Release();
  if (m_pszMsg) ::LocalFree(m_pszMsg);
}

WORD _com_error::WCode() const {
  return (m_hresult >= (HRESULT)0x80040200 && m_hresult <= (HRESULT)0x8004FFFF) ? (WORD)(m_hresult - 0x80040200) : 0;
}

IErrorInfo* _com_error::ErrorInfo() const {
  if (m_perrinfo) m_perrinfo->AddRef();
  return m_perrinfo;
}

_bstr_t _com_error::Description() const {
  BSTR s = nullptr;
  if (m_perrinfo) m_perrinfo->GetDescription(&s);
  return _bstr_t(s, false);
}

_bstr_t _com_error::Source() const {
  BSTR s = nullptr;
  if (m_perrinfo) m_perrinfo->GetSource(&s);
  return _bstr_t(s, false);
}

GUID _com_error::GUID() const {
  ::GUID g = GUID_NULL;
  if (m_perrinfo) m_perrinfo->GetGUID(&g);
  return g;
}

_bstr_t _com_error::HelpFile() const {
  BSTR s = nullptr;
  if (m_perrinfo) m_perrinfo->GetHelpFile(&s);
  return _bstr_t(s, false);
}

DWORD _com_error::HelpContext() const {
  DWORD d = 0;
  if (m_perrinfo) m_perrinfo->GetHelpContext(&d);
  return d;
}

const wchar_t* _com_error::ErrorMessage() const {
  if (m_pszMsg == nullptr) {
    ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                     (DWORD)m_hresult, 0, (LPWSTR)&m_pszMsg, 0, nullptr);
    if (m_pszMsg != nullptr) {
      // Drop the line break the system puts at the end.
      size_t n = wcslen(m_pszMsg);
      while (n > 0 && (m_pszMsg[n - 1] == L'\n' || m_pszMsg[n - 1] == L'\r')) m_pszMsg[--n] = 0;
    } else {
      m_pszMsg = (wchar_t*)::LocalAlloc(0, 64 * sizeof(wchar_t));
      if (m_pszMsg) _snwprintf(m_pszMsg, 63, L"Unknown error 0x%08lX", (unsigned long)m_hresult);
    }
  }
  return m_pszMsg;
}

void __stdcall _com_raise_error(HRESULT hr, IErrorInfo* perrinfo) { throw _com_error(hr, perrinfo); }
void __stdcall _com_issue_error(HRESULT hr) { _com_raise_error(hr, nullptr); }

void __stdcall _com_issue_errorex(HRESULT hr, IUnknown* punk, REFIID riid) {
  IErrorInfo* perrinfo = nullptr;
  if (punk != nullptr) {
    ISupportErrorInfo* psei = nullptr;
    if (SUCCEEDED(punk->QueryInterface(IID_ISupportErrorInfo, (void**)&psei))) {
      HRESULT supports = psei->InterfaceSupportsErrorInfo(riid);
      psei->Release();
      if (supports == S_OK && ::GetErrorInfo(0, &perrinfo) != S_OK) perrinfo = nullptr;
    }
  }
  _com_raise_error(hr, perrinfo);
}

// ---- _bstr_t --------------------------------------------------------------------------------
static BSTR AllocOrThrow(const wchar_t* s, UINT n) {
  BSTR b = ::SysAllocStringLen(s, n);
  if (b == nullptr && (s != nullptr || n != 0)) _com_issue_error(E_OUTOFMEMORY);
  return b;
}

_bstr_t::_bstr_t(const wchar_t* s) : m_Data(nullptr) {
  if (s == nullptr) return;
  m_Data = new Data{AllocOrThrow(s, (UINT)wcslen(s)), nullptr, 1};
}

_bstr_t::_bstr_t(const char* s) : m_Data(nullptr) {
  if (s == nullptr) return;
  int n = ::MultiByteToWideChar(CP_ACP, 0, s, -1, nullptr, 0);
  BSTR b = ::SysAllocStringLen(nullptr, (UINT)(n > 0 ? n - 1 : 0));
  if (b == nullptr) _com_issue_error(E_OUTOFMEMORY);
  if (n > 0) ::MultiByteToWideChar(CP_ACP, 0, s, -1, b, n);
  m_Data = new Data{b, nullptr, 1};
}

_bstr_t::_bstr_t(BSTR bstr, bool fCopy) : m_Data(nullptr) {
  if (fCopy && bstr == nullptr) return;
  m_Data = new Data{fCopy ? AllocOrThrow(bstr, ::SysStringLen(bstr)) : bstr, nullptr, 1};
}

_bstr_t::_bstr_t(const _variant_t& var) : m_Data(nullptr) {
  if (V_VT(&var) == VT_BSTR) {
    *this = _bstr_t(V_BSTR(&var), true);
    return;
  }
  _variant_t copy;
  HRESULT hr = ::VariantChangeType(&copy, const_cast<_variant_t*>(&var), 0, VT_BSTR);
  if (FAILED(hr)) _com_issue_error(hr);
  *this = _bstr_t(V_BSTR(&copy), true);
}

void _bstr_t::Release() {
  if (m_Data != nullptr && --m_Data->refs == 0) {
    ::SysFreeString(m_Data->wstr);
    delete[] m_Data->str;
    delete m_Data;
  }
  m_Data = nullptr;
}

_bstr_t& _bstr_t::operator=(const _bstr_t& s) {
  if (m_Data != s.m_Data) {
    if (s.m_Data) ++s.m_Data->refs;
    Release();
    m_Data = s.m_Data;
  }
  return *this;
}

_bstr_t& _bstr_t::operator+=(const _bstr_t& s) {
  UINT a = length(), b = s.length();
  BSTR joined = ::SysAllocStringLen(nullptr, a + b);
  if (joined == nullptr) _com_issue_error(E_OUTOFMEMORY);
  if (a) memcpy(joined, m_Data->wstr, a * sizeof(wchar_t));
  if (b) memcpy(joined + a, s.m_Data->wstr, b * sizeof(wchar_t));
  joined[a + b] = 0;
  Release();
  m_Data = new Data{joined, nullptr, 1};
  return *this;
}

_bstr_t::operator const char*() const {
  if (m_Data == nullptr || m_Data->wstr == nullptr) return nullptr;
  if (m_Data->str == nullptr) {
    int n = ::WideCharToMultiByte(CP_ACP, 0, m_Data->wstr, (int)length() + 1, nullptr, 0, nullptr, nullptr);
    m_Data->str = new char[(size_t)(n > 0 ? n : 1)];
    m_Data->str[0] = 0;
    ::WideCharToMultiByte(CP_ACP, 0, m_Data->wstr, (int)length() + 1, m_Data->str, n, nullptr, nullptr);
  }
  return m_Data->str;
}

int _bstr_t::Compare(const _bstr_t& s) const {
  UINT a = length(), b = s.length();
  if (a == 0 || b == 0) return (int)a - (int)b;  // null and empty compare equal
  int c = wmemcmp(m_Data->wstr, s.m_Data->wstr, a < b ? a : b);
  return c != 0 ? c : (int)a - (int)b;
}

BSTR _bstr_t::copy(bool fCopy) const {
  if (m_Data == nullptr) return nullptr;
  return fCopy ? AllocOrThrow(m_Data->wstr, length()) : m_Data->wstr;
}

void _bstr_t::Assign(BSTR s) { *this = _bstr_t(s, true); }

BSTR& _bstr_t::GetBSTR() {
  if (m_Data == nullptr) m_Data = new Data{nullptr, nullptr, 1};
  return m_Data->wstr;
}

BSTR* _bstr_t::GetAddress() {
  Release();
  m_Data = new Data{nullptr, nullptr, 1};
  return &m_Data->wstr;
}

void _bstr_t::Attach(BSTR s) {
  Release();
  m_Data = new Data{s, nullptr, 1};
}

BSTR _bstr_t::Detach() {
  if (m_Data == nullptr) return nullptr;
  if (m_Data->refs > 1) {  // shared: hand out a copy
    BSTR c = copy();
    Release();
    return c;
  }
  BSTR s = m_Data->wstr;
  m_Data->wstr = nullptr;
  Release();
  return s;
}

// ---- _variant_t -------------------------------------------------------------------------------
const _variant_t vtMissing(DISP_E_PARAMNOTFOUND, VT_ERROR);

static void CheckHr(HRESULT hr) {
  if (FAILED(hr)) _com_issue_error(hr);
}

_variant_t::_variant_t(const VARIANT& var) {
  ::VariantInit(this);
  CheckHr(::VariantCopy(this, const_cast<VARIANT*>(&var)));
}
_variant_t::_variant_t(const VARIANT* pSrc) {
  ::VariantInit(this);
  if (pSrc == nullptr) _com_issue_error(E_POINTER);
  CheckHr(::VariantCopy(this, const_cast<VARIANT*>(pSrc)));
}
_variant_t::_variant_t(const _variant_t& var) {
  ::VariantInit(this);
  CheckHr(::VariantCopy(this, const_cast<_variant_t*>(&var)));
}
_variant_t::_variant_t(VARIANT& var, bool fCopy) {
  ::VariantInit(this);
  if (fCopy) CheckHr(::VariantCopy(this, &var));
  else {
    memcpy((VARIANT*)this, &var, sizeof(VARIANT));
    V_VT(&var) = VT_EMPTY;
  }
}
_variant_t::_variant_t(short s, VARTYPE vt) {
  ::VariantInit(this);
  if (vt == VT_BOOL) { V_VT(this) = VT_BOOL; V_BOOL(this) = s ? VARIANT_TRUE : VARIANT_FALSE; }
  else { V_VT(this) = VT_I2; V_I2(this) = s; }
}
_variant_t::_variant_t(long l, VARTYPE vt) {
  ::VariantInit(this);
  if (vt == VT_ERROR) { V_VT(this) = VT_ERROR; V_ERROR(this) = l; }
  else if (vt == VT_BOOL) { V_VT(this) = VT_BOOL; V_BOOL(this) = l ? VARIANT_TRUE : VARIANT_FALSE; }
  else { V_VT(this) = VT_I4; V_I4(this) = l; }
}
_variant_t::_variant_t(float f) { ::VariantInit(this); V_VT(this) = VT_R4; V_R4(this) = f; }
_variant_t::_variant_t(double d, VARTYPE vt) {
  ::VariantInit(this);
  if (vt == VT_DATE) { V_VT(this) = VT_DATE; V_DATE(this) = d; }
  else { V_VT(this) = VT_R8; V_R8(this) = d; }
}
_variant_t::_variant_t(const CY& cy) { ::VariantInit(this); V_VT(this) = VT_CY; V_CY(this) = cy; }
_variant_t::_variant_t(const _bstr_t& bstr) {
  ::VariantInit(this);
  V_VT(this) = VT_BSTR;
  V_BSTR(this) = bstr.copy();
}
_variant_t::_variant_t(const wchar_t* s) {
  ::VariantInit(this);
  V_VT(this) = VT_BSTR;
  V_BSTR(this) = ::SysAllocString(s);
  if (V_BSTR(this) == nullptr && s != nullptr) _com_issue_error(E_OUTOFMEMORY);
}
_variant_t::_variant_t(const char* s) {
  ::VariantInit(this);
  V_VT(this) = VT_BSTR;
  V_BSTR(this) = _bstr_t(s).copy();
}
_variant_t::_variant_t(IDispatch* p, bool fAddRef) {
  ::VariantInit(this);
  V_VT(this) = VT_DISPATCH;
  V_DISPATCH(this) = p;
  if (p && fAddRef) p->AddRef();
}
_variant_t::_variant_t(bool b) { ::VariantInit(this); V_VT(this) = VT_BOOL; V_BOOL(this) = b ? VARIANT_TRUE : VARIANT_FALSE; }
_variant_t::_variant_t(IUnknown* p, bool fAddRef) {
  ::VariantInit(this);
  V_VT(this) = VT_UNKNOWN;
  V_UNKNOWN(this) = p;
  if (p && fAddRef) p->AddRef();
}
_variant_t::_variant_t(const DECIMAL& dec) { ::VariantInit(this); V_DECIMAL(this) = dec; V_VT(this) = VT_DECIMAL; }
_variant_t::_variant_t(BYTE b) { ::VariantInit(this); V_VT(this) = VT_UI1; V_UI1(this) = b; }
_variant_t::_variant_t(char c) { ::VariantInit(this); V_VT(this) = VT_I1; V_I1(this) = c; }
_variant_t::_variant_t(unsigned short us) { ::VariantInit(this); V_VT(this) = VT_UI2; V_UI2(this) = us; }
_variant_t::_variant_t(unsigned long ul) { ::VariantInit(this); V_VT(this) = VT_UI4; V_UI4(this) = ul; }
_variant_t::_variant_t(int i) { ::VariantInit(this); V_VT(this) = VT_I4; V_I4(this) = i; }
_variant_t::_variant_t(unsigned int ui) { ::VariantInit(this); V_VT(this) = VT_UI4; V_UI4(this) = ui; }
_variant_t::_variant_t(__int64 i8) { ::VariantInit(this); V_VT(this) = VT_I8; V_I8(this) = i8; }
_variant_t::_variant_t(unsigned __int64 ui8) { ::VariantInit(this); V_VT(this) = VT_UI8; V_UI8(this) = ui8; }

_variant_t& _variant_t::operator=(const VARIANT& var) {
  if (&var != this) CheckHr(::VariantCopy(this, const_cast<VARIANT*>(&var)));
  return *this;
}

_variant_t _variant_t::Converted(VARTYPE vt) const {
  if (V_VT(this) == vt) return *this;
  _variant_t out;
  CheckHr(::VariantChangeType(&out, const_cast<_variant_t*>(this), 0, vt));
  return out;
}

_variant_t::operator short() const {
  _variant_t v = Converted(VT_I2);
  return V_I2(&v);
}
_variant_t::operator long() const {
  _variant_t v = Converted(VT_I4);
  return V_I4(&v);
}
_variant_t::operator float() const {
  _variant_t v = Converted(VT_R4);
  return V_R4(&v);
}
_variant_t::operator double() const {
  _variant_t v = Converted(VT_R8);
  return V_R8(&v);
}
_variant_t::operator bool() const {
  _variant_t v = Converted(VT_BOOL);
  return V_BOOL(&v) != VARIANT_FALSE;
}
_variant_t::operator _bstr_t() const { return _bstr_t(*this); }
_variant_t::operator BYTE() const {
  _variant_t v = Converted(VT_UI1);
  return V_UI1(&v);
}
_variant_t::operator char() const {
  _variant_t v = Converted(VT_I1);
  return V_I1(&v);
}
_variant_t::operator unsigned short() const {
  _variant_t v = Converted(VT_UI2);
  return V_UI2(&v);
}
_variant_t::operator unsigned long() const {
  _variant_t v = Converted(VT_UI4);
  return V_UI4(&v);
}
_variant_t::operator int() const {
  _variant_t v = Converted(VT_I4);
  return V_I4(&v);
}
_variant_t::operator unsigned int() const {
  _variant_t v = Converted(VT_UI4);
  return V_UI4(&v);
}
_variant_t::operator __int64() const {
  _variant_t v = Converted(VT_I8);
  return V_I8(&v);
}
_variant_t::operator unsigned __int64() const {
  _variant_t v = Converted(VT_UI8);
  return V_UI8(&v);
}

_variant_t::operator IDispatch*() const {
  _variant_t v = Converted(VT_DISPATCH);
  IDispatch* p = V_DISPATCH(&v);
  if (p) p->AddRef();
  return p;
}

_variant_t::operator IUnknown*() const {
  _variant_t v = Converted(VT_UNKNOWN);
  IUnknown* p = V_UNKNOWN(&v);
  if (p) p->AddRef();
  return p;
}

bool _variant_t::operator==(const VARIANT& var) const {
  if (&var == this) return true;
  if (V_VT(this) != V_VT(&var)) return false;
  switch (V_VT(this)) {
    case VT_EMPTY: case VT_NULL: return true;
    case VT_BOOL: return V_BOOL(this) == V_BOOL(&var);
    case VT_I1: case VT_UI1: return V_UI1(this) == V_UI1(&var);
    case VT_I2: case VT_UI2: return V_UI2(this) == V_UI2(&var);
    case VT_I4: case VT_UI4: case VT_INT: case VT_UINT: case VT_ERROR: return V_UI4(this) == V_UI4(&var);
    case VT_I8: case VT_UI8: return V_UI8(this) == V_UI8(&var);
    case VT_R4: return V_R4(this) == V_R4(&var);
    case VT_R8: case VT_DATE: return V_R8(this) == V_R8(&var);
    case VT_CY: return V_CY(this).int64 == V_CY(&var).int64;
    case VT_BSTR:
      return ::SysStringByteLen(V_BSTR(this)) == ::SysStringByteLen(V_BSTR(&var)) &&
             memcmp(V_BSTR(this), V_BSTR(&var), ::SysStringByteLen(V_BSTR(this))) == 0;
    case VT_DISPATCH: case VT_UNKNOWN: return V_UNKNOWN(this) == V_UNKNOWN(&var);
    case VT_DECIMAL: return memcmp(&V_DECIMAL(this), &V_DECIMAL(&var), sizeof(DECIMAL)) == 0;
    default: return false;
  }
}

void _variant_t::Clear() { CheckHr(::VariantClear(this)); }

void _variant_t::Attach(VARIANT& varSrc) {
  Clear();
  memcpy((VARIANT*)this, &varSrc, sizeof(VARIANT));
  V_VT(&varSrc) = VT_EMPTY;
}

VARIANT _variant_t::Detach() {
  VARIANT v = *this;
  V_VT(this) = VT_EMPTY;
  return v;
}

void _variant_t::ChangeType(VARTYPE vartype, const _variant_t* pSrc) {
  if (pSrc == nullptr) pSrc = this;
  if (pSrc != this || V_VT(this) != vartype)
    CheckHr(::VariantChangeType(this, const_cast<_variant_t*>(pSrc), 0, vartype));
}
