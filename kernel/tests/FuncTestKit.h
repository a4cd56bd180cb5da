// What the tests of the built-in functions share: a BasicSetFuncs object with a recording error
// sink, argument lists that count how often each argument is evaluated, and a compact text for
// a result VARIANT so that cases read as one table row each.
#pragma once

#include <gtest/gtest.h>
#include <wrl/client.h>

#include <cstdio>
#include <string>
#include <vector>

#include "ArgAccess.h"
#include "BasicSetFuncs.h"
#include "Messages.h"
#include "Settings.h"
#include "SinkTestKit.h"

namespace evalkern {
namespace funckit {

using Microsoft::WRL::ComPtr;

// A sink that keeps the flag and text and the order of the calls ("F" flag on, "f" flag off,
// "T" text). It is made with one reference, its creator's.
class RecordingSink : public testkit::TestSink {
 public:
  RecordingSink() { AddRef(); }
  void Clear() {
    flag = VARIANT_FALSE;
    text.clear();
    calls.clear();
  }
  std::string calls;

 protected:
  void OnFlag(VARIANT_BOOL v) override { calls += v ? "F" : "f"; }
  void OnText() override { calls += "T"; }
};

// One argument of a call: a value, or a "poison" argument that stands for an expression whose
// evaluation fails (like an unknown name): it reports on the sink and yields Empty.
struct Arg {
  enum Kind { Value, Poison } kind = Value;
  VARIANT v;
  Arg() { VariantInit(&v); }
  Arg(const Arg& o) : kind(o.kind) {
    VariantInit(&v);
    VariantCopy(&v, const_cast<VARIANT*>(&o.v));
  }
  Arg& operator=(const Arg&) = delete;
  ~Arg() { VariantClear(&v); }
};

inline Arg I(long long x) {
  Arg a;
  a.v.vt = VT_I8;
  a.v.llVal = x;
  return a;
}
inline Arg I4(long x) {
  Arg a;
  a.v.vt = VT_I4;
  a.v.lVal = x;
  return a;
}
inline Arg F(double x) {
  Arg a;
  a.v.vt = VT_R8;
  a.v.dblVal = x;
  return a;
}
inline Arg S(const wchar_t* s) {
  Arg a;
  a.v.vt = VT_BSTR;
  a.v.bstrVal = SysAllocString(s);
  return a;
}
inline Arg B(bool b) {
  Arg a;
  a.v.vt = VT_BOOL;
  a.v.boolVal = b ? VARIANT_TRUE : VARIANT_FALSE;
  return a;
}
inline Arg Cy(long long tenThousandths) {
  Arg a;
  a.v.vt = VT_CY;
  a.v.cyVal.int64 = tenThousandths;
  return a;
}
inline Arg Empty() { return Arg(); }
inline Arg Poison() {
  Arg a;
  a.kind = Arg::Poison;
  return a;
}
inline Arg OfType(VARTYPE vt) {
  Arg a;
  a.v.vt = vt;
  return a;
}

// Arguments evaluated on demand, as the evaluator hands them to a function. Made with one
// reference, its creator's.
class FakeArgs : public IArguments, public TRefCount {
  EVALKERN_IUNKNOWN
 public:
  FakeArgs(std::vector<Arg> args, IErrorEvents* sink)
      : args_(std::move(args)), sink_(sink), evaluated(args_.size(), 0) {
    AddRef();
  }
  void* Cast(REFIID iid) { return CastToOne<IArguments>(this, iid, IID_IArguments); }
  STDMETHODIMP get_Count(long* n) override {
    *n = static_cast<long>(args_.size());
    return S_OK;
  }
  STDMETHODIMP get_Value(long i, VARIANT* out) override {
    VariantInit(out);
    if (i < 0 || static_cast<size_t>(i) >= args_.size()) return E_INVALIDARG;
    ++evaluated[static_cast<size_t>(i)];
    VARIANT_BOOL flag = VARIANT_FALSE;
    sink_->get_ErrorFlag(&flag);
    if (flag) return S_OK;  // after the first error nothing more is evaluated
    if (args_[static_cast<size_t>(i)].kind == Arg::Poison) {
      BSTR t = SysAllocString(L"poisoned argument");
      sink_->put_ErrorText(t);
      SysFreeString(t);
      sink_->put_ErrorFlag(VARIANT_TRUE);
      return S_OK;
    }
    return VariantCopy(out, &args_[static_cast<size_t>(i)].v);
  }

 private:
  std::vector<Arg> args_;
  IErrorEvents* sink_;

 public:
  std::vector<int> evaluated;
};

// A compact text of a result: "I8:120", "R8:0.75" (17 significant digits trimmed), "I4:0",
// "BSTR:INF", "BOOL:true", "EMPTY", "ERROR:E_INVALIDARG", "ERROR:E_FAIL".
inline std::string Describe(const VARIANT& v) {
  char buf[128];
  switch (v.vt) {
    case VT_EMPTY: return "EMPTY";
    case VT_I8: std::snprintf(buf, sizeof buf, "I8:%lld", (long long)v.llVal); return buf;
    case VT_I4: std::snprintf(buf, sizeof buf, "I4:%ld", (long)v.lVal); return buf;
    case VT_I2: std::snprintf(buf, sizeof buf, "I2:%d", (int)v.iVal); return buf;
    case VT_UI1: std::snprintf(buf, sizeof buf, "UI1:%u", (unsigned)v.bVal); return buf;
    case VT_R8: std::snprintf(buf, sizeof buf, "R8:%.15g", v.dblVal); return buf;
    case VT_BOOL: return v.boolVal ? "BOOL:true" : "BOOL:false";
    case VT_BSTR: {
      std::string s = "BSTR:";
      for (const wchar_t* p = v.bstrVal; p && *p; ++p) s += static_cast<char>(*p);
      return s;
    }
    case VT_ERROR:
      if (v.scode == E_INVALIDARG) return "ERROR:E_INVALIDARG";
      if (v.scode == E_FAIL) return "ERROR:E_FAIL";
      std::snprintf(buf, sizeof buf, "ERROR:0x%08lX", (unsigned long)v.scode);
      return buf;
    default: std::snprintf(buf, sizeof buf, "VT%u", (unsigned)v.vt); return buf;
  }
}

// A BasicSetFuncs object with a recording sink; calls by alias or by index.
class FuncSet {
 public:
  FuncSet() {
    HRESULT hr = CreateBasicSetFuncs(IID_IFuncs, reinterpret_cast<void**>(funcs.GetAddressOf()));
    if (FAILED(hr)) ADD_FAILURE() << "CreateBasicSetFuncs failed";
    sink = new RecordingSink();
    funcs->put_ErrorEvents(sink);
    sink->Release();  // the set holds it now
  }

  ~FuncSet() {
    if (settings) settings->Release();
  }

  // Gives the set a settings object (once) with this angle unit.
  void SetAngle(TAngleMeasurement am) {
    if (!settings) {
      settings = NewSettings();
      funcs->put_Settings(settings);
    }
    settings->put_AngleMeasurement(am);
  }

  long Index(const wchar_t* alias, long count, CategoryOrlen cat = cAll) {
    BSTR name = SysAllocString(alias);
    long i = -2;
    funcs->GetFirstEntryIndex(name, count, cat, &i);
    SysFreeString(name);
    return i;
  }

  struct Outcome {
    std::string result;     // Describe() of the result
    std::wstring error;     // the sink's text when its flag is set, else empty
    std::vector<int> evaluated;
    HRESULT hr = S_OK;
  };

  Outcome CallAt(long index, std::vector<Arg> args) {
    sink->Clear();
    auto* a = new FakeArgs(std::move(args), sink);
    VARIANT r;
    VariantInit(&r);
    Outcome o;
    o.hr = funcs->Func(index, a, &r);
    o.result = Describe(r);
    if (sink->flag) o.error = sink->text;
    o.evaluated = a->evaluated;
    VariantClear(&r);
    a->Release();
    return o;
  }

  // Finds the entry by alias and argument count (any entry of the alias when the count does not
  // fit, so that a body's own count check can be seen).
  Outcome Call(const wchar_t* alias, std::vector<Arg> args) {
    long i = Index(alias, static_cast<long>(args.size()));
    if (i < 0)
      for (long n = 0; n < 4 && i < 0; ++n) i = Index(alias, n);
    EXPECT_GE(i, 0) << "no entry for alias";
    return CallAt(i, std::move(args));
  }

  ComPtr<IFuncs> funcs;
  RecordingSink* sink = nullptr;
  ISettings* settings = nullptr;
};

// The text an error id reports (with its "%s" filled when `arg` is given).
inline std::wstring Msg(int id, const wchar_t* arg = nullptr) {
  return arg ? GetMessageTextFmt(id, arg) : GetMessageText(id);
}

// One row of a table of calls: the function, its arguments, the Describe() text of the result,
// and the message id the sink must hold (0 for none, kAnyError for a fault's own text), with the
// text put into its "%s".
constexpr int kAnyError = -1;

struct CallCase {
  const wchar_t* fn;
  std::vector<Arg> args;
  const char* result;
  int error = 0;
  const wchar_t* errorArg = nullptr;
};

inline std::string Narrow(const wchar_t* s) {
  std::string r;
  for (; *s; ++s) r += static_cast<char>(*s);
  return r;
}

inline void RunCallCases(FuncSet& set, const std::vector<CallCase>& cases) {
  for (const CallCase& c : cases) {
    auto o = set.Call(c.fn, c.args);
    SCOPED_TRACE(Narrow(c.fn) + "/" + std::to_string(c.args.size()));
    EXPECT_EQ(o.hr, S_OK);
    EXPECT_EQ(o.result, c.result);
    if (c.error == kAnyError) EXPECT_NE(o.error, L"");
    else if (c.error) EXPECT_EQ(o.error, Msg(c.error, c.errorArg));
    else EXPECT_EQ(o.error, L"");
  }
}


}  // namespace funckit
}  // namespace evalkern
