#include "SimpleInterpreter.h"

#include <cstdint>
#include <new>

#include "ClassRegistry.h"
#include "ErrorEvents.h"
#include "Evaluator.h"
#include "ExpressionAnalyzer.h"
#include "Format.h"
#include "Settings.h"

namespace evalkern {

namespace {

const ErrorSource kSource{L"Evalkern.SimpleInterpreterOrlen", &IID_ISimpleInterpreterOrlen};

constexpr std::int64_t kRomanLimit = 100000;

std::wstring ReadText(HRESULT (STDMETHODCALLTYPE ISettings::*get)(BSTR*), ISettings* s) {
  BSTR b = nullptr;
  Check((s->*get)(&b));
  std::wstring text = FromBstr(b);
  SysFreeString(b);
  return text;
}

bool ReadInteger(const VARIANT& v, std::int64_t& out) {
  switch (v.vt) {
    case VT_I2: out = v.iVal; return true;
    case VT_I4: out = v.lVal; return true;
    case VT_I1: out = v.cVal; return true;
    case VT_UI1: out = v.bVal; return true;
    case VT_UI2: out = v.uiVal; return true;
    case VT_UI4: out = v.ulVal; return true;
    case VT_I8: out = v.llVal; return true;
    default: return false;
  }
}

void PutText(VARIANT& value, const std::wstring& text) {
  BSTR b = MakeBstr(text);
  VariantClear(&value);
  value.vt = VT_BSTR;
  value.bstrVal = b;
}

}  // namespace

void ConvertResult(VARIANT& value, ISettings* settings) {
  if (!settings) return;
  std::int64_t v = 0;
  if (ReadInteger(value, v)) {
    TFormatOut notation = foDecimal;
    Check(settings->get_IntegerFormatOut(&notation));
    std::wstring picture = ReadText(&ISettings::get_IntFormatStr, settings);
    long n = static_cast<long>(notation);
    if (n == foBinary || n == foHex || n == foOct) {
      PutText(value, FormatInteger(v, n, picture, LocaleSeparators()));
      return;
    }
    bool roman = n != foDecimal && v >= -kRomanLimit && v <= kRomanLimit;
    if (roman)
      PutText(value, FormatInteger(v, foRoman, picture, LocaleSeparators()));
    else if (!picture.empty())
      PutText(value, FormatInteger(v, foDecimal, picture, LocaleSeparators()));
    return;
  }
  if (value.vt == VT_R4 || value.vt == VT_R8 || value.vt == VT_CY) {
    std::wstring picture = ReadText(&ISettings::get_FloatFormatStr, settings);
    if (picture.empty()) return;
    VARIANT d;
    VariantInit(&d);
    Check(VariantChangeType(&d, &value, 0, VT_R8));
    PutText(value, FormatFloat(static_cast<long double>(d.dblVal), picture, LocaleSeparators()));
  }
}

TSimpleInterpreterOrlen::TSimpleInterpreterOrlen() : TCreatable(CLSID_SimpleInterpreterOrlen) {
  VariantInit(&Value);
  Adopt(ErrorEvents, NewErrorEvents());
  Adopt(Settings, NewSettings());
}

TSimpleInterpreterOrlen::~TSimpleInterpreterOrlen() { VariantClear(&Value); }

void* TSimpleInterpreterOrlen::Cast(REFIID iid) {
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_ISimpleInterpreterOrlen))
    return static_cast<ISimpleInterpreterOrlen*>(this);
  return CreatableCast(iid);
}

IErrorEvents* TSimpleInterpreterOrlen::Sink() { return MadeOnDemand(ErrorEvents, NewErrorEvents); }

STDMETHODIMP TSimpleInterpreterOrlen::get_Text(BSTR* value) {
  return GuardOut(kSource, value, [&] { *value = MakeBstr(Text); });
}

STDMETHODIMP TSimpleInterpreterOrlen::put_Text(BSTR value) {
  return Guard(kSource, [&] {
    std::wstring text = FromBstr(value);
    // Compared exactly: a change of letter case is a change of text.
    if (text == Text) return;
    Clear();
    Text = std::move(text);
  });
}

STDMETHODIMP TSimpleInterpreterOrlen::Clear() {
  Text.clear();
  IMainNode.Reset();
  return S_OK;
}

STDMETHODIMP TSimpleInterpreterOrlen::get_Settings(ISettings** value) {
  return GetMadeOnDemand(kSource, Settings, NewSettings, value);
}

STDMETHODIMP TSimpleInterpreterOrlen::put_Settings(ISettings* value) {
  return PutField(Settings, value);
}

STDMETHODIMP TSimpleInterpreterOrlen::get_Lib(ILibOrlen** value) { return GetField(Lib, value); }

STDMETHODIMP TSimpleInterpreterOrlen::put_Lib(ILibOrlen* value) { return PutField(Lib, value); }

// Analyses the text into the tree; true when the sink's flag is clear afterwards.
bool TSimpleInterpreterOrlen::ParseText() {
  IErrorEvents* sink = Sink();
  Check(sink->put_ErrorFlag(VARIANT_FALSE));
  AnalyzeExpression(Text, sink, IMainNode.ReleaseAndGetAddressOf());
  return !ErrorFlagSet(sink);
}

STDMETHODIMP TSimpleInterpreterOrlen::Parsing(VARIANT_BOOL* result) {
  return GuardOut(kSource, result, [&] { *result = ParseText() ? VARIANT_TRUE : VARIANT_FALSE; });
}

STDMETHODIMP TSimpleInterpreterOrlen::get_IMainNode(INodeParsing** value) {
  return GetField(IMainNode, value);
}

STDMETHODIMP TSimpleInterpreterOrlen::Calc(VARIANT_BOOL* result) {
  if (!result) return E_POINTER;
  *result = VARIANT_FALSE;
  VariantClear(&Value);
  return Guard(kSource, [&] {
    if (Text.empty() || !Lib) return;

    // The library works with this interpreter's sink and settings, so that evaluation errors
    // reach the sink that decides the answer, and the angle unit is this interpreter's.
    if (!Settings) Adopt(Settings, NewSettings());
    IErrorEvents* sink = Sink();
    Check(Lib->put_ErrorEvents(sink));
    Check(Lib->put_Settings(Settings.Get()));
    if (!HasBracketFunc(Lib.Get())) {
      ComPtr<IFunc> bracket = NewBracketFunc();
      LONG at = -1;
      Check(Lib->Insert(bracket.Get(), 0, &at));
    }
    Check(Lib->Refresh());

    try {
      Check(sink->put_ErrorFlag(VARIANT_FALSE));
      if (!IMainNode && !ParseText()) return;
      EvaluateNode(IMainNode.Get(), Lib.Get(), &Value);
      bool ok = !ErrorFlagSet(sink);
      ConvertResult(Value, Settings.Get());
      *result = ok ? VARIANT_TRUE : VARIANT_FALSE;
    } catch (const KernelError& e) {
      VariantClear(&Value);
      *result = VARIANT_FALSE;
      ReportFlagThenText(sink, e.text);
    }
  });
}

STDMETHODIMP TSimpleInterpreterOrlen::get_Value(VARIANT* value) {
  if (!value) return E_POINTER;
  VariantInit(value);
  return VariantCopy(value, &Value);
}

STDMETHODIMP TSimpleInterpreterOrlen::get_ErrorEvents(IErrorEvents** value) {
  return GetMadeOnDemand(kSource, ErrorEvents, NewErrorEvents, value);
}

STDMETHODIMP TSimpleInterpreterOrlen::put_ErrorEvents(IErrorEvents* value) {
  return PutField(ErrorEvents, value);
}

HRESULT CreateSimpleInterpreterOrlen(REFIID iid, void** out) {
  return CreateObject<TSimpleInterpreterOrlen>(iid, out);
}

EVALKERN_CLASS(SimpleInterpreterOrlen, &CreateSimpleInterpreterOrlen);

}  // namespace evalkern
