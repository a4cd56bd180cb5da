// COM support classes: _bstr_t, _variant_t, smart interface pointers (_com_ptr_t and the
// XxxPtr typedefs), _com_error and the raise helpers. These replace the toolchain's comdef.h,
// comutil.h and comip.h, whose helpers do not link here; include this header instead of them.
#pragma once
#if defined(_INC_COMDEF) || defined(_INC_COMUTIL) || defined(_INC_COMIP)
#error "FwComSupport.h replaces comdef.h/comutil.h/comip.h; do not include both"
#endif
// Keep the toolchain's versions out from here on.
#define _INC_COMDEF
#define _INC_COMUTIL
#define _INC_COMIP

#include <windows.h>
#include <ole2.h>
#include <oleauto.h>
#include <wchar.h>

class _bstr_t;
class _variant_t;

// A failed COM call: the HRESULT and, when the callee set one, its error-info object.
class _com_error {
public:
  explicit _com_error(HRESULT hr, IErrorInfo* perrinfo = nullptr, bool fAddRef = false);
  _com_error(const _com_error& that);
  _com_error& operator=(const _com_error& that);
  virtual ~_com_error();
  HRESULT Error() const { return m_hresult; }
  WORD WCode() const;
  IErrorInfo* ErrorInfo() const;  // AddRef'ed, may be null
  _bstr_t Description() const;
  _bstr_t Source() const;
  GUID GUID() const;              // the interface that raised the error (GUID_NULL without info)
  _bstr_t HelpFile() const;
  DWORD HelpContext() const;
  const wchar_t* ErrorMessage() const;  // the system's text for the HRESULT
  static HRESULT WCodeToHRESULT(WORD wCode) { return wCode >= 0xFE00 ? 0x80040200 : 0x80040200 + wCode; }
private:
  HRESULT m_hresult;
  IErrorInfo* m_perrinfo;
  mutable wchar_t* m_pszMsg;
};

[[noreturn]] void __stdcall _com_raise_error(HRESULT hr, IErrorInfo* perrinfo = nullptr);
[[noreturn]] void __stdcall _com_issue_error(HRESULT hr);
// Raises hr with the thread's error info when punk says it supports error info for riid.
[[noreturn]] void __stdcall _com_issue_errorex(HRESULT hr, IUnknown* punk, REFIID riid);

// A shared, reference-counted BSTR with a narrow copy made on demand.
class _bstr_t {
public:
  _bstr_t() : m_Data(nullptr) {}
  _bstr_t(const _bstr_t& s) : m_Data(s.m_Data) { if (m_Data) ++m_Data->refs; }
  _bstr_t(const char* s);
  _bstr_t(const wchar_t* s);
  _bstr_t(const _variant_t& var);
  _bstr_t(BSTR bstr, bool fCopy);
  ~_bstr_t() { Release(); }
  _bstr_t& operator=(const _bstr_t& s);
  _bstr_t& operator=(const char* s) { return *this = _bstr_t(s); }
  _bstr_t& operator=(const wchar_t* s) { return *this = _bstr_t(s); }
  _bstr_t& operator=(const _variant_t& var) { return *this = _bstr_t(var); }
  _bstr_t& operator+=(const _bstr_t& s);
  _bstr_t operator+(const _bstr_t& s) const { _bstr_t r(*this); r += s; return r; }
  friend _bstr_t operator+(const wchar_t* a, const _bstr_t& b) { return _bstr_t(a) + b; }
  operator const wchar_t*() const { return m_Data ? m_Data->wstr : nullptr; }
  operator wchar_t*() const { return m_Data ? m_Data->wstr : nullptr; }
  operator const char*() const;
  operator char*() const { return const_cast<char*>((const char*)*this); }
  bool operator!() const { return m_Data == nullptr || m_Data->wstr == nullptr; }
  bool operator==(const _bstr_t& s) const { return Compare(s) == 0; }
  bool operator!=(const _bstr_t& s) const { return Compare(s) != 0; }
  bool operator<(const _bstr_t& s) const { return Compare(s) < 0; }
  bool operator>(const _bstr_t& s) const { return Compare(s) > 0; }
  BSTR copy(bool fCopy = true) const;
  unsigned int length() const { return m_Data ? ::SysStringLen(m_Data->wstr) : 0; }
  void Assign(BSTR s);
  BSTR& GetBSTR();
  BSTR* GetAddress();
  void Attach(BSTR s);
  BSTR Detach();
private:
  struct Data {
    BSTR wstr;
    mutable char* str;
    long refs;
  };
  int Compare(const _bstr_t& s) const;
  void Release();
  Data* m_Data;
};

// A VARIANT that frees itself; extraction operators convert (and throw _com_error on failure).
class _variant_t : public tagVARIANT {
public:
  _variant_t() { ::VariantInit(this); }
  _variant_t(const VARIANT& var);
  _variant_t(const VARIANT* pSrc);
  _variant_t(const _variant_t& var);
  _variant_t(VARIANT& var, bool fCopy);
  _variant_t(short s, VARTYPE vt = VT_I2);
  _variant_t(long l, VARTYPE vt = VT_I4);
  _variant_t(float f);
  _variant_t(double d, VARTYPE vt = VT_R8);
  _variant_t(const CY& cy);
  _variant_t(const _bstr_t& bstr);
  _variant_t(const wchar_t* s);
  _variant_t(const char* s);
  _variant_t(IDispatch* p, bool fAddRef = true);
  _variant_t(bool b);
  _variant_t(IUnknown* p, bool fAddRef = true);
  _variant_t(const DECIMAL& dec);
  _variant_t(BYTE b);
  _variant_t(char c);
  _variant_t(unsigned short us);
  _variant_t(unsigned long ul);
  _variant_t(int i);
  _variant_t(unsigned int ui);
  _variant_t(__int64 i8);
  _variant_t(unsigned __int64 ui8);
  ~_variant_t() { ::VariantClear(this); }

  _variant_t& operator=(const VARIANT& var);
  _variant_t& operator=(const _variant_t& var) { return *this = (const VARIANT&)var; }
  template <class T> _variant_t& operator=(T value) { return *this = (const VARIANT&)_variant_t(value); }

  operator short() const;
  operator long() const;
  operator float() const;
  operator double() const;
  operator bool() const;
  operator _bstr_t() const;
  operator IDispatch*() const;  // AddRef'ed
  operator IUnknown*() const;   // AddRef'ed
  operator BYTE() const;
  operator char() const;
  operator unsigned short() const;
  operator unsigned long() const;
  operator int() const;
  operator unsigned int() const;
  operator __int64() const;
  operator unsigned __int64() const;

  bool operator==(const VARIANT& var) const;
  bool operator!=(const VARIANT& var) const { return !(*this == var); }
  void Clear();
  void Attach(VARIANT& varSrc);
  VARIANT Detach();
  VARIANT& GetVARIANT() { return *this; }
  VARIANT* GetAddress() { Clear(); return this; }
  void ChangeType(VARTYPE vartype, const _variant_t* pSrc = nullptr);
  void SetString(const char* pSrc) { *this = _variant_t(pSrc); }
private:
  _variant_t Converted(VARTYPE vt) const;
};

extern const _variant_t vtMissing;

// Smart interface pointer; the IID comes from __uuidof(Interface).
template <class Interface>
class _com_ptr_t {
public:
  typedef Interface ThisInterface;
  static const IID& GetIID() { return __uuidof(Interface); }

  _com_ptr_t() : m_pInterface(nullptr) {}
  _com_ptr_t(decltype(nullptr)) : m_pInterface(nullptr) {}
  _com_ptr_t(int null) : m_pInterface(nullptr) { if (null != 0) _com_issue_error(E_POINTER); }
  _com_ptr_t(Interface* p) : m_pInterface(p) { if (p) p->AddRef(); }
  _com_ptr_t(Interface* p, bool fAddRef) : m_pInterface(p) { if (p && fAddRef) p->AddRef(); }
  _com_ptr_t(const _com_ptr_t& cp) : m_pInterface(cp.m_pInterface) { if (m_pInterface) m_pInterface->AddRef(); }
  template <class Other> _com_ptr_t(const _com_ptr_t<Other>& p) : m_pInterface(nullptr) {
    Acquire(p.GetInterfacePtr()); }
  // Any interface: QueryInterface for this one (null when it is not supported).
  template <class Other> explicit _com_ptr_t(Other* p) : m_pInterface(nullptr) { Acquire(p); }
  _com_ptr_t(const _variant_t& var) : m_pInterface(nullptr) {
    IUnknown* p = (IUnknown*)var;
    Acquire(p);
    if (p) p->Release();
  }
  explicit _com_ptr_t(const CLSID& clsid, IUnknown* pOuter = nullptr, DWORD dwClsContext = CLSCTX_ALL)
      : m_pInterface(nullptr) {
    HRESULT hr = CreateInstance(clsid, pOuter, dwClsContext);
    if (FAILED(hr) && hr != E_NOINTERFACE) _com_issue_error(hr);
  }
  ~_com_ptr_t() { _Release(); }

  _com_ptr_t& operator=(Interface* p) {
    if (m_pInterface != p) {
      Interface* old = m_pInterface;
      m_pInterface = p;
      if (p) p->AddRef();
      if (old) old->Release();
    }
    return *this;
  }
  _com_ptr_t& operator=(const _com_ptr_t& cp) { return *this = cp.m_pInterface; }
  template <class Other> _com_ptr_t& operator=(const _com_ptr_t<Other>& p) {
    _com_ptr_t tmp(p);
    Attach(tmp.Detach());
    return *this;
  }
  _com_ptr_t& operator=(decltype(nullptr)) { _Release(); m_pInterface = nullptr; return *this; }
  _com_ptr_t& operator=(int null) {
    if (null != 0) _com_issue_error(E_POINTER);
    _Release();
    m_pInterface = nullptr;
    return *this;
  }

  void Attach(Interface* p) { _Release(); m_pInterface = p; }
  void Attach(Interface* p, bool fAddRef) { _Release(); m_pInterface = p; if (p && fAddRef) p->AddRef(); }
  Interface* Detach() { Interface* p = m_pInterface; m_pInterface = nullptr; return p; }
  void Release() {
    if (m_pInterface == nullptr) _com_issue_error(E_POINTER);
    m_pInterface->Release();
    m_pInterface = nullptr;
  }
  void AddRef() {
    if (m_pInterface == nullptr) _com_issue_error(E_POINTER);
    m_pInterface->AddRef();
  }
  Interface* GetInterfacePtr() const { return m_pInterface; }
  Interface*& GetInterfacePtr() { return m_pInterface; }
  operator Interface*() const { return m_pInterface; }
  Interface& operator*() const {
    if (m_pInterface == nullptr) _com_issue_error(E_POINTER);
    return *m_pInterface;
  }
  Interface* operator->() const {
    if (m_pInterface == nullptr) _com_issue_error(E_POINTER);
    return m_pInterface;
  }
  // For out-parameters: releases what is held first.
  Interface** operator&() {
    _Release();
    m_pInterface = nullptr;
    return &m_pInterface;
  }
  explicit operator bool() const { return m_pInterface != nullptr; }
  bool operator!() const { return m_pInterface == nullptr; }
  template <class Other> bool operator==(Other* p) const { return IsSameObject(p); }
  template <class Other> bool operator!=(Other* p) const { return !IsSameObject(p); }
  bool operator==(decltype(nullptr)) const { return m_pInterface == nullptr; }
  bool operator!=(decltype(nullptr)) const { return m_pInterface != nullptr; }

  HRESULT CreateInstance(const CLSID& rclsid, IUnknown* pOuter = nullptr, DWORD dwClsContext = CLSCTX_ALL) {
    _Release();
    m_pInterface = nullptr;
    return ::CoCreateInstance(rclsid, pOuter, dwClsContext, GetIID(), (void**)&m_pInterface);
  }
  HRESULT CreateInstance(LPCWSTR clsidString, IUnknown* pOuter = nullptr, DWORD dwClsContext = CLSCTX_ALL) {
    CLSID clsid;
    HRESULT hr = clsidString && clsidString[0] == L'{' ? ::CLSIDFromString(clsidString, &clsid)
                                                        : ::CLSIDFromProgID(clsidString, &clsid);
    if (FAILED(hr)) return hr;
    return CreateInstance(clsid, pOuter, dwClsContext);
  }
  template <class Other> HRESULT QueryInterface(const IID& iid, Other*& p) const {
    if (m_pInterface == nullptr) return E_POINTER;
    return m_pInterface->QueryInterface(iid, (void**)&p);
  }
  template <class Other> HRESULT QueryInterface(const IID& iid, Other** p) const {
    if (m_pInterface == nullptr) return E_POINTER;
    return m_pInterface->QueryInterface(iid, (void**)p);
  }
private:
  template <class Other> void Acquire(Other* p) {
    if (p == nullptr) return;
    HRESULT hr = p->QueryInterface(GetIID(), (void**)&m_pInterface);
    if (FAILED(hr)) {
      m_pInterface = nullptr;
      if (hr != E_NOINTERFACE) _com_issue_error(hr);
    }
  }
  template <class Other> bool IsSameObject(Other* p) const {
    if (m_pInterface == nullptr || p == nullptr) return (IUnknown*)m_pInterface == (IUnknown*)p;
    IUnknown *a = nullptr, *b = nullptr;
    m_pInterface->QueryInterface(IID_IUnknown, (void**)&a);
    p->QueryInterface(IID_IUnknown, (void**)&b);
    bool same = a == b;
    if (a) a->Release();
    if (b) b->Release();
    return same;
  }
  void _Release() {
    if (m_pInterface) m_pInterface->Release();
  }
  Interface* m_pInterface;
};

// The IID argument is accepted for compatibility; the pointer uses __uuidof(Interface).
#define _COM_SMARTPTR_TYPEDEF(Interface, IID) typedef _com_ptr_t<Interface> Interface##Ptr

_COM_SMARTPTR_TYPEDEF(IUnknown, __uuidof(IUnknown));
_COM_SMARTPTR_TYPEDEF(IDispatch, __uuidof(IDispatch));
_COM_SMARTPTR_TYPEDEF(IErrorInfo, __uuidof(IErrorInfo));
_COM_SMARTPTR_TYPEDEF(ISupportErrorInfo, __uuidof(ISupportErrorInfo));
