// COM support classes: strings, variants, smart pointers and the error object.
#include "Framework.h"
#include "FwComSupport.h"
#include <comdef.h>  // must stay harmless after FwComSupport.h
#include <gtest/gtest.h>

TEST(BStr, SharingConcatenationAndComparison) {
  _bstr_t a(L"abc");
  _bstr_t b = a;  // shared
  EXPECT_EQ((const wchar_t*)a, (const wchar_t*)b);
  b += L"def";
  EXPECT_STREQ(L"abc", (const wchar_t*)a);
  EXPECT_STREQ(L"abcdef", (const wchar_t*)b);
  EXPECT_EQ(6u, b.length());
  EXPECT_STREQ("abcdef", (const char*)b);
  EXPECT_TRUE(_bstr_t() == _bstr_t(L""));  // null equals empty
  EXPECT_TRUE(_bstr_t(L"a") < _bstr_t(L"b"));
  EXPECT_TRUE(!_bstr_t());
  BSTR copy = a.copy();
  EXPECT_NE((BSTR)(const wchar_t*)a, copy);
  ::SysFreeString(copy);
  BSTR detached = b.Detach();
  EXPECT_STREQ(L"abcdef", detached);
  EXPECT_TRUE(!b);
  ::SysFreeString(detached);
  _bstr_t embedded(::SysAllocStringLen(L"x\0y", 3), false);  // takes ownership, keeps the length
  EXPECT_EQ(3u, embedded.length());
}

TEST(Variant, ConversionsAndFailures) {
  _variant_t n(42L);
  EXPECT_EQ(42, (long)n);
  EXPECT_DOUBLE_EQ(42.0, (double)n);
  EXPECT_STREQ(L"42", (const wchar_t*)(_bstr_t)n);
  _variant_t s(L"17");
  EXPECT_EQ(17, (int)s);
  _variant_t big((__int64)1 << 40);
  EXPECT_EQ(VT_I8, V_VT(&big));
  EXPECT_EQ((__int64)1 << 40, (__int64)big);
  _variant_t flag(true);
  EXPECT_EQ(VARIANT_TRUE, V_BOOL(&flag));
  EXPECT_TRUE(_variant_t(L"abc") == _variant_t(L"abc"));
  EXPECT_FALSE(_variant_t(L"abc") == _variant_t(L"abd"));
  HRESULT hr = S_OK;
  try {
    (void)(long)_variant_t(L"not a number");
  } catch (const _com_error& e) {
    hr = e.Error();
  }
  EXPECT_EQ(DISP_E_TYPEMISMATCH, hr);
  VARIANT raw;
  ::VariantInit(&raw);
  V_VT(&raw) = VT_BSTR;
  V_BSTR(&raw) = ::SysAllocString(L"owned");
  _variant_t attached;
  attached.Attach(raw);  // takes the string; raw is empty now
  EXPECT_EQ(VT_EMPTY, V_VT(&raw));
  EXPECT_STREQ(L"owned", V_BSTR(&attached));
}

TEST(ComError, CarriesHresultInterfaceAndDescription) {
  ICreateErrorInfo* create = nullptr;
  ASSERT_EQ(S_OK, ::CreateErrorInfo(&create));
  create->SetGUID(IID_IDispatch);
  create->SetDescription(const_cast<LPOLESTR>(L"bad thing"));
  IErrorInfo* info = nullptr;
  create->QueryInterface(IID_IErrorInfo, (void**)&info);
  create->Release();
  try {
    _com_raise_error(E_FAIL, info);  // takes over the reference
  } catch (const _com_error& e) {
    EXPECT_EQ(E_FAIL, e.Error());
    EXPECT_TRUE(IsEqualGUID(IID_IDispatch, e.GUID()));
    EXPECT_STREQ(L"bad thing", (const wchar_t*)e.Description());
    EXPECT_NE(nullptr, e.ErrorMessage());
    _com_error copy = e;
    IErrorInfo* again = copy.ErrorInfo();
    EXPECT_EQ(info, again);
    again->Release();
  }
  try {
    _com_issue_error(E_OUTOFMEMORY);
  } catch (const _com_error& e) {
    EXPECT_EQ(E_OUTOFMEMORY, e.Error());
    EXPECT_TRUE(IsEqualGUID(GUID_NULL, e.GUID()));
    EXPECT_EQ(nullptr, e.ErrorInfo());
  }
}

// A small object with two interfaces and a visible reference count.
class CCounted : public IErrorInfo, public ISupportErrorInfo {
public:
  LONG refs = 1;
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IErrorInfo)) *ppv = (IErrorInfo*)this;
    else if (IsEqualIID(riid, IID_ISupportErrorInfo)) *ppv = (ISupportErrorInfo*)this;
    else { *ppv = nullptr; return E_NOINTERFACE; }
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return (ULONG)++refs; }
  STDMETHODIMP_(ULONG) Release() override { return (ULONG)--refs; }
  STDMETHODIMP GetGUID(GUID* g) override { *g = GUID_NULL; return S_OK; }
  STDMETHODIMP GetSource(BSTR* s) override { *s = nullptr; return S_OK; }
  STDMETHODIMP GetDescription(BSTR* s) override { *s = ::SysAllocString(L"d"); return S_OK; }
  STDMETHODIMP GetHelpFile(BSTR* s) override { *s = nullptr; return S_OK; }
  STDMETHODIMP GetHelpContext(DWORD* d) override { *d = 0; return S_OK; }
  STDMETHODIMP InterfaceSupportsErrorInfo(REFIID) override { return S_OK; }
};

TEST(SmartPointer, CountsReferencesAndQueries) {
  CCounted obj;
  {
    IErrorInfoPtr p(&obj);
    EXPECT_EQ(2, obj.refs);
    ISupportErrorInfoPtr q(p);  // QueryInterface
    ASSERT_TRUE(q);
    EXPECT_EQ(3, obj.refs);
    IDispatchPtr none(p);       // not supported: null, no error
    EXPECT_TRUE(!none);
    EXPECT_TRUE(p == (ISupportErrorInfo*)q);
    IErrorInfoPtr r;
    r = p;
    EXPECT_EQ(4, obj.refs);
    IErrorInfo** out = &r;  // an out-parameter releases what it held
    EXPECT_EQ(3, obj.refs);
    EXPECT_EQ(nullptr, *out);
    IErrorInfo* raw = p.Detach();
    EXPECT_EQ(3, obj.refs);
    raw->Release();
  }
  EXPECT_EQ(1, obj.refs);
  IErrorInfoPtr empty;
  EXPECT_THROW(empty->AddRef(), _com_error);
  ::CoInitialize(nullptr);
  IUnknownPtr created;
  EXPECT_EQ(REGDB_E_CLASSNOTREG, created.CreateInstance(CLSID_NULL));
  EXPECT_TRUE(!created);
  ::CoUninitialize();
}
