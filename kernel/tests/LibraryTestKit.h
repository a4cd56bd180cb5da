// What the library, evaluator and interpreter tests share: COM set-up, creation of kernel objects
// by class id, a host-style error sink that records the order of its calls, and a host-defined
// function set whose entries are plain lambdas and count their calls.
#pragma once

#include <gtest/gtest.h>
#include <wrl/client.h>

#include <functional>
#include <string>
#include <vector>

#include "ClassRegistry.h"
#include "Collections.h"
#include "ComTestKit.h"
#include "Evaluator.h"
#include "KernelObject.h"
#include "Library.h"
#include "Messages.h"
#include "NameCompare.h"
#include "SinkTestKit.h"

namespace evalkern {
namespace testkit {

using Microsoft::WRL::ComPtr;

// A BSTR owned by the test.
struct Text {
  BSTR p = nullptr;
  Text() = default;
  explicit Text(const std::wstring& s) : p(SysAllocStringLen(s.data(), (UINT)s.size())) {}
  Text(const Text&) = delete;
  Text& operator=(const Text&) = delete;
  ~Text() { SysFreeString(p); }
  BSTR* Out() {
    SysFreeString(p);
    p = nullptr;
    return &p;
  }
  std::wstring str() const { return p ? std::wstring(p, SysStringLen(p)) : std::wstring(); }
};

// A VARIANT owned by the test.
struct Var {
  VARIANT v;
  Var() { VariantInit(&v); }
  explicit Var(long long i) {
    VariantInit(&v);
    v.vt = VT_I8;
    v.llVal = i;
  }
  explicit Var(double d) {
    VariantInit(&v);
    v.vt = VT_R8;
    v.dblVal = d;
  }
  explicit Var(const wchar_t* s) {
    VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = SysAllocString(s);
  }
  Var(const Var& o) {
    VariantInit(&v);
    VariantCopy(&v, const_cast<VARIANT*>(&o.v));
  }
  Var& operator=(const Var& o) {
    if (this != &o) VariantCopy(&v, const_cast<VARIANT*>(&o.v));
    return *this;
  }
  ~Var() { VariantClear(&v); }
  VARIANT* Out() {
    VariantClear(&v);
    return &v;
  }
  long long AsInt() const {
    VARIANT t;
    VariantInit(&t);
    if (FAILED(VariantChangeType(&t, const_cast<VARIANT*>(&v), 0, VT_I8))) return -999999;
    return t.llVal;
  }
};

// Objects of the kernel's creatable classes, made through COM by class id as a host makes them
// (the registered Evalkern.dll serves them).
template <class I>
ComPtr<I> Make(const CLSID& clsid) {
  ComPtr<I> p;
  HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, __uuidof(I),
                                reinterpret_cast<void**>(p.GetAddressOf()));
  EXPECT_EQ(hr, S_OK) << "is Evalkern.dll registered?";
  return p;
}

// A host's error sink: keeps the flag and the text and records every put, in order.
class RecordingSink : public TestSink {
 public:
  void Reset() {
    flag = VARIANT_FALSE;
    text.clear();
    calls.clear();
  }
  std::vector<std::wstring> calls;

 protected:
  void OnFlag(VARIANT_BOOL v) override { calls.push_back(v ? L"flag on" : L"flag off"); }
  void OnText() override { calls.push_back(L"text"); }
};

inline ComPtr<RecordingSink> NewSink() { return ComPtr<RecordingSink>(new RecordingSink()); }

// A host-defined function set. Each entry has aliases, an accepted count range (min..max,
// max < 0 = no limit), a category and a body; the set counts the calls of each body.
struct HostFunc {
  std::vector<std::wstring> aliases;
  long min = 0, max = 0;
  CategoryOrlen category = cCustom;
  std::function<void(IArguments*, VARIANT*)> body;
  std::wstring signature;
  std::function<long(long)> check;  // replaces the min..max rule when set
  int calls = 0;
};

class HostFuncs : public IFuncs, public TRefCount {
  EVALKERN_IUNKNOWN
 public:
  void* Cast(REFIID iid) { return CastToOne<IFuncs>(this, iid, IID_IFuncs); }
  STDMETHODIMP get_Count(LONG* v) override {
    *v = (LONG)funcs.size();
    return S_OK;
  }
  STDMETHODIMP get_FuncInterface(LONG i, IFunc** v) override {
    *v = nullptr;
    if (!Valid(i)) return E_INVALIDARG;
    ComPtr<IShellFuncs> shell;
    HRESULT hr = CreateShellFuncs(IID_IShellFuncs, (void**)shell.GetAddressOf());
    if (FAILED(hr)) return hr;
    shell->SetFuncs(this, i);
    *v = shell.Detach();
    return S_OK;
  }
  STDMETHODIMP GetFirstEntryIndex(BSTR name, LONG n, CategoryOrlen cat, LONG* r) override {
    *r = -1;
    for (LONG i = 0; i < (LONG)funcs.size(); ++i) {
      LONG c = 0;
      CheckArgumentsNumber(i, n, &c);
      if (Named(i, name) && c == 0 && (cat == cAll || cat == funcs[i].category)) {
        *r = i;
        break;
      }
    }
    return S_OK;
  }
  STDMETHODIMP get_Name(LONG i, BSTR* v) override { return Alias(i, 0, v); }
  STDMETHODIMP CheckArgumentsNumber(LONG i, LONG n, LONG* r) override {
    if (!Valid(i)) return E_INVALIDARG;
    const HostFunc& f = funcs[i];
    if (f.check) {
      *r = f.check(n);
      return S_OK;
    }
    *r = n < f.min ? n - f.min : (f.max >= 0 && n > f.max ? n - f.max : 0);
    return S_OK;
  }
  STDMETHODIMP Func(LONG i, IArguments* args, VARIANT* r) override {
    VariantInit(r);
    if (!Valid(i)) return E_INVALIDARG;
    ++funcs[i].calls;
    if (!funcs[i].body) return S_OK;
    funcs[i].body(args, r);
    return lastHr;
  }
  STDMETHODIMP get_Description(LONG i, BSTR* v) override { return Alias(i, 0, v); }
  STDMETHODIMP get_Category(LONG i, CategoryOrlen* v) override {
    if (!Valid(i)) return E_INVALIDARG;
    *v = funcs[i].category;
    return S_OK;
  }
  STDMETHODIMP get_Signature(LONG i, BSTR* v) override {
    if (!Valid(i)) return E_INVALIDARG;
    *v = SysAllocString(funcs[i].signature.c_str());
    return S_OK;
  }
  STDMETHODIMP get_CountAlias(LONG i, LONG* v) override {
    if (!Valid(i)) return E_INVALIDARG;
    *v = (LONG)funcs[i].aliases.size();
    return S_OK;
  }
  STDMETHODIMP get_Alias(LONG i, LONG j, BSTR* v) override { return Alias(i, j, v); }
  STDMETHODIMP get_Settings(ISettings** v) override {
    *v = settings.Get();
    if (*v) (*v)->AddRef();
    return S_OK;
  }
  STDMETHODIMP put_Settings(ISettings* v) override {
    settings = v;
    return S_OK;
  }
  STDMETHODIMP get_ErrorEvents(IErrorEvents** v) override {
    *v = sink.Get();
    if (*v) (*v)->AddRef();
    return S_OK;
  }
  STDMETHODIMP put_ErrorEvents(IErrorEvents* v) override {
    sink = v;
    return S_OK;
  }

  HostFunc& Add(std::vector<std::wstring> aliases, long min, long max,
                std::function<void(IArguments*, VARIANT*)> body = nullptr,
                CategoryOrlen category = cCustom) {
    HostFunc f;
    f.aliases = std::move(aliases);
    f.min = min;
    f.max = max;
    f.body = std::move(body);
    f.category = category;
    f.signature = f.aliases.empty() ? L"" : f.aliases[0] + L"(...)";
    funcs.push_back(std::move(f));
    return funcs.back();
  }

  std::vector<HostFunc> funcs;
  ComPtr<IErrorEvents> sink;
  ComPtr<ISettings> settings;
  HRESULT lastHr = S_OK;

 private:
  bool Valid(LONG i) const { return i >= 0 && i < (LONG)funcs.size(); }
  bool Named(LONG i, BSTR name) const {
    for (const std::wstring& a : funcs[i].aliases)
      if (NamesEqual(a, name)) return true;
    return false;
  }
  HRESULT Alias(LONG i, LONG j, BSTR* v) {
    *v = nullptr;
    if (!Valid(i) || j < 0 || j >= (LONG)funcs[i].aliases.size()) return E_INVALIDARG;
    *v = SysAllocString(funcs[i].aliases[j].c_str());
    return S_OK;
  }
};

inline ComPtr<HostFuncs> NewHostFuncs() { return ComPtr<HostFuncs>(new HostFuncs()); }

// Bodies for the host set.
inline void ReturnInt(VARIANT* r, long long v) {
  r->vt = VT_I8;
  r->llVal = v;
}

// The sum of all arguments, each asked for once.
inline void SumBody(IArguments* args, VARIANT* r) {
  LONG n = 0;
  args->get_Count(&n);
  long long total = 0;
  for (LONG i = 0; i < n; ++i) {
    Var v;
    args->get_Value(i, v.Out());
    total += v.AsInt();
  }
  ReturnInt(r, total);
}

using NamedInts = std::vector<std::pair<std::wstring, long long>>;

// A collection of constants or variables made by class id and filled with `entries`.
template <class I>
ComPtr<I> NewCollection(const CLSID& clsid, const NamedInts& entries) {
  ComPtr<I> c = Make<I>(clsid);
  for (auto& e : entries) {
    Text name(e.first);
    Var value(e.second);
    EXPECT_EQ(c->Add(name.p, value.v), S_OK);
  }
  return c;
}

inline ComPtr<ICollectionConsts> NewConsts(NamedInts entries) {
  return NewCollection<ICollectionConsts>(CLSID_CollectionConsts, entries);
}

inline ComPtr<ICollectionVars> NewVars(NamedInts entries) {
  return NewCollection<ICollectionVars>(CLSID_CollectionVars, entries);
}

inline LONG AddItem(ILibOrlen* lib, IUnknown* item) {
  LONG at = -2;
  EXPECT_EQ(lib->Add(item, &at), S_OK);
  return at;
}

}  // namespace testkit
}  // namespace evalkern
