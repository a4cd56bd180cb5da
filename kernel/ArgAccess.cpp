#include "ArgAccess.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "KernelObject.h"
#include "ErrorEvents.h"
#include "Format.h"
#include "Messages.h"
#include "NameCompare.h"
#include "NumberText.h"
#include "Precision.h"

namespace evalkern {

// ---- reading arguments ----

long ArgCount(IArguments* args) {
  if (!args) RaiseError(L"No arguments object", E_POINTER);
  long n = 0;
  Check(args->get_Count(&n));
  return n;
}

OwnedVariant FetchArg(IArguments* args, long index) {
  OwnedVariant v;
  Check(args->get_Value(index, v.Out()));
  return v;
}

// ---- the error sink ----

bool ErrorPending(IErrorEvents* sink) {
  VARIANT_BOOL flag = VARIANT_FALSE;
  Check(sink->get_ErrorFlag(&flag));
  return flag != VARIANT_FALSE;
}

void ReportText(IErrorEvents* sink, const std::wstring& text) { ReportFlagThenText(sink, text); }

void ReportMessage(IErrorEvents* sink, int id) { ReportText(sink, GetMessageText(id)); }

void ReportMessageFmt(IErrorEvents* sink, int id, const std::wstring& arg) {
  ReportText(sink, GetMessageTextFmt(id, arg));
}

void RaiseFault(const std::wstring& text) { RaiseError(text, E_FAIL); }

void EndWithFault(IErrorEvents* sink, VARIANT* result, const std::wstring& text) {
  VariantClear(result);
  ReportText(sink, text);
  result->vt = VT_ERROR;
  result->scode = E_FAIL;
}

// ---- conversions ----

namespace {

std::wstring BstrText(const VARIANT& v) {
  return v.bstrVal ? std::wstring(v.bstrVal, SysStringLen(v.bstrVal)) : std::wstring();
}

// A text read as a 64-bit integer; one that is none is raised, or handed to `fault` when given.
int64_t TextAsInt64(const std::wstring& text, std::wstring* fault) {
  if (!fault) return StrToInt64Value(text);
  int64_t v = 0;
  if (ReadInt64Value(text, v)) return v;
  *fault = NotIntegerText(text);
  return kFailureInt;
}

}  // namespace

bool IsIntegerVariant(VARTYPE vt) {
  switch (vt) {
    case VT_I2: case VT_I4: case VT_I1: case VT_UI1: case VT_UI2: case VT_UI4: case VT_I8:
      return true;
    default:
      return false;
  }
}

namespace {

int64_t IntegerValue(const VARIANT& v) {
  switch (v.vt) {
    case VT_I2: return v.iVal;
    case VT_I4: return v.lVal;
    case VT_I1: return v.cVal;
    case VT_UI1: return v.bVal;
    case VT_UI2: return v.uiVal;
    case VT_UI4: return v.ulVal;
    case VT_I8: return v.llVal;
    default: return 0;
  }
}

// Currency to the nearest integer, halves to the even one.
int64_t CurrencyToInt64(const CY& cy) {
  int64_t q = cy.int64 / 10000, r = cy.int64 % 10000;
  if (r > 5000 || (r == 5000 && (q & 1))) ++q;
  else if (r < -5000 || (r == -5000 && (q & 1))) --q;
  return q;
}

enum class TrueFalse { True, False, Other };
TrueFalse ReadTrueFalse(const std::wstring& s) {
  if (NamesEqual(s, std::wstring(L"true"))) return TrueFalse::True;
  if (NamesEqual(s, std::wstring(L"false"))) return TrueFalse::False;
  return TrueFalse::Other;
}

// A float with no fractional part, as shown, inside the signed 64-bit range, truncated; else
// 14002.
int64_t CheckInt64Range(long double x, IErrorEvents* sink) {
  if (x != ::truncl(x)) x = AsShown(x);
  if (std::isfinite(x) && x == ::truncl(x) && x >= -9223372036854775808.0L &&
      x <= 9223372036854775807.0L)
    return static_cast<int64_t>(x);
  ReportMessage(sink, msg::ArgNotInteger);
  return kFailureInt;
}

}  // namespace

int64_t IntegerVariantValue(const VARIANT& v) {
  return v.vt == VT_CY ? CurrencyToInt64(v.cyVal) : IntegerValue(v);
}

// These two sit on the path of every nested call, so they fetch without a further frame.
long double FloatArgAt(IArguments* args, long index, IErrorEvents* sink) {
  OwnedVariant v;
  Check(args->get_Value(index, v.Out()));
  return ArgAsFloat(v.Get(), sink);
}

int64_t Int64ArgAt(IArguments* args, long index, IErrorEvents* sink, std::wstring* fault) {
  OwnedVariant v;
  Check(args->get_Value(index, v.Out()));
  return ArgAsInt64(v.Get(), sink, fault);
}

long double ArgAsFloat(const VARIANT& v, IErrorEvents* sink) {
  if (ErrorPending(sink)) return kFailureFloat;
  if (IsIntegerVariant(v.vt)) return static_cast<long double>(IntegerValue(v));
  switch (v.vt) {
    case VT_EMPTY:
    case VT_ERROR:
      ReportMessage(sink, msg::ArgNoValue);
      return kFailureFloat;
    case VT_CY: return static_cast<long double>(v.cyVal.int64) / 10000.0L;
    case VT_R4: return v.fltVal;
    case VT_R8: return v.dblVal;
    case VT_BSTR: return StrToFloatValue(BstrText(v));
    default:
      ReportMessage(sink, msg::ArgNotNumber);
      return kFailureFloat;
  }
}

int64_t ArgAsInt64(const VARIANT& v, IErrorEvents* sink, std::wstring* fault) {
  if (ErrorPending(sink)) return kFailureInt;
  if (IsIntegerVariant(v.vt)) return IntegerValue(v);
  switch (v.vt) {
    case VT_EMPTY:
    case VT_ERROR:
      ReportMessage(sink, msg::ArgNoValue);
      return kFailureInt;
    case VT_CY: return CurrencyToInt64(v.cyVal);
    case VT_R4: return CheckInt64Range(v.fltVal, sink);
    case VT_R8: return CheckInt64Range(v.dblVal, sink);
    case VT_BSTR: return TextAsInt64(BstrText(v), fault);
    default:
      ReportMessage(sink, msg::ArgNotInteger);
      return kFailureInt;
  }
}

bool ArgAsBoolean(const VARIANT& v, IErrorEvents* sink) {
  if (ErrorPending(sink)) return false;
  switch (v.vt) {
    case VT_EMPTY:
    case VT_ERROR:
      ReportMessage(sink, msg::ArgNoValue);
      return false;
    case VT_BOOL: return v.boolVal != VARIANT_FALSE;
    case VT_BSTR:
      switch (ReadTrueFalse(BstrText(v))) {
        case TrueFalse::True: return true;
        case TrueFalse::False: return false;
        default: break;
      }
      break;
    default: break;
  }
  ReportMessage(sink, msg::ArgNotBoolean);
  return false;
}

OwnedVariant ArgAsLogical(const VARIANT& v, IErrorEvents* sink, std::wstring* fault) {
  OwnedVariant out;
  if (ErrorPending(sink)) return out;
  if (IsIntegerVariant(v.vt) || v.vt == VT_CY || v.vt == VT_BOOL) {
    Check(VariantCopy(out.Out(), const_cast<VARIANT*>(&v)));
    return out;
  }
  switch (v.vt) {
    case VT_EMPTY:
    case VT_ERROR:
      ReportMessage(sink, msg::ArgNoValue);
      return out;
    case VT_R4:
    case VT_R8: {
      long double x = v.vt == VT_R4 ? v.fltVal : v.dblVal;
      // A float shown as a whole number counts as an integer; outside the 64-bit range it
      // cannot be one.
      if (x != ::truncl(x)) x = AsShown(x);
      if (std::isfinite(x) && x == ::truncl(x) && x >= -9223372036854775808.0L &&
          x <= 9223372036854775807.0L) {
        SetIntResult(out.Out(), static_cast<int64_t>(x));
        return out;
      }
      break;
    }
    case VT_BSTR: {
      std::wstring s = BstrText(v);
      switch (ReadTrueFalse(s)) {
        case TrueFalse::True: SetBoolResult(out.Out(), true); return out;
        case TrueFalse::False: SetBoolResult(out.Out(), false); return out;
        default: {
          const int64_t i = TextAsInt64(s, fault);
          if (!fault || fault->empty()) SetIntResult(out.Out(), i);
          return out;
        }
      }
    }
    default: break;
  }
  ReportMessage(sink, msg::ArgNotLogical);
  return out;
}

OwnedVariant CompareArgs(const VARIANT& v, IErrorEvents* sink) {
  OwnedVariant out;
  if (ErrorPending(sink)) return out;
  if (IsIntegerVariant(v.vt) || v.vt == VT_CY || v.vt == VT_BOOL || v.vt == VT_R4 ||
      v.vt == VT_R8) {
    Check(VariantCopy(out.Out(), const_cast<VARIANT*>(&v)));
    return out;
  }
  switch (v.vt) {
    case VT_EMPTY:
    case VT_ERROR:
      ReportMessage(sink, msg::ArgNoValue);
      return out;
    case VT_BSTR: {
      std::wstring s = BstrText(v);
      switch (ReadTrueFalse(s)) {
        case TrueFalse::True: SetBoolResult(out.Out(), true); return out;
        case TrueFalse::False: SetBoolResult(out.Out(), false); return out;
        default: StrToNumber(s, *out.Out()); return out;
      }
    }
    default:
      ReportMessage(sink, msg::ArgNotComparable);
      return out;
  }
}

// ---- results ----

bool IsFiniteValue(long double x) { return std::isfinite(x); }

namespace {

constexpr uint64_t kPowersOfTen[] = {
    1ull, 10ull, 100ull, 1000ull, 10000ull, 100000ull, 1000000ull, 10000000ull, 100000000ull,
    1000000000ull, 10000000000ull, 100000000000ull, 1000000000000ull, 10000000000000ull,
    100000000000000ull, 1000000000000000ull, 10000000000000000ull, 100000000000000000ull,
    1000000000000000000ull, 10000000000000000000ull};

// m * 10^k / 2^shift as fifteen digits: -1 when its integer part has fewer, +1 when more, else
// 0 and `digits` that number rounded to an integer (halves to the even one, as the digit writer
// of the runtime rounds; 10^15 when it rounds up to it).
int FifteenDigits(uint64_t m, int shift, int k, uint64_t& digits) {
  const unsigned __int128 p = static_cast<unsigned __int128>(m) * kPowersOfTen[k];
  const unsigned __int128 whole = p >> shift;
  if (whole < kPowersOfTen[14]) return -1;
  if (whole >= kPowersOfTen[15]) return 1;
  const unsigned __int128 rest = p - (whole << shift);
  const unsigned __int128 half = static_cast<unsigned __int128>(1) << (shift - 1);
  digits = static_cast<uint64_t>(whole);
  if (rest > half || (rest == half && (digits & 1))) ++digits;
  return 0;
}

// RoundTo15Digits for 1e-5 <= |x| < 1e15, worked out exactly instead of through a decimal text:
// with |x| = m * 2^-shift, the fifteen digits are m * 10^k / 2^shift rounded, for the k that puts
// fifteen digits before the point (k <= 19, so the product fits into 128 bits); those digits
// divided by 10^k (both exact in the extended type, the quotient rounded once) are the extended
// value nearest to the decimal number, as reading its text gives. False outside that range.
bool RoundTo15DigitsExactly(long double x, long double& rounded) {
  const long double a = std::fabs(x);
  if (!(a >= 1e-5L && a < 1e15L)) return false;
  int e = 0;
  const long double f = std::frexp(a, &e);  // a = f * 2^e, 0.5 <= f < 1
  const uint64_t m = static_cast<uint64_t>(std::ldexp(f, 64));
  const int shift = 64 - e;  // between 14 and 81 in this range
  int k = 14 - static_cast<int>(std::floor(std::log10(a)));  // a guess, checked below
  for (int attempt = 0; attempt < 3; ++attempt) {
    if (k < 0 || k > 19) return false;
    uint64_t digits = 0;
    const int fit = FifteenDigits(m, shift, k, digits);
    if (fit != 0) {
      k -= fit;
      continue;
    }
    X87Precision precision;
    const long double r = static_cast<long double>(digits) / static_cast<long double>(kPowersOfTen[k]);
    rounded = x < 0 ? -r : r;
    return true;
  }
  return false;
}

}  // namespace

long double RoundTo15Digits(long double x) {
  if (!std::isfinite(x) || x == 0) return x;
  long double rounded;
  if (RoundTo15DigitsExactly(x, rounded)) return rounded;
  char buf[64];
  __mingw_snprintf(buf, sizeof buf, "%.14Le", x);
  return __mingw_strtold(buf, nullptr);
}

long double AsShown(long double x) { return std::fabs(x) < 1e15L ? RoundTo15Digits(x) : x; }

void SetIntResult(VARIANT* result, int64_t v) {
  VariantClear(result);
  result->vt = VT_I8;
  result->llVal = v;
}

void SetBoolResult(VARIANT* result, bool b) {
  VariantClear(result);
  result->vt = VT_BOOL;
  result->boolVal = b ? VARIANT_TRUE : VARIANT_FALSE;
}

void SetTextResult(VARIANT* result, const std::wstring& text) {
  VariantClear(result);
  BSTR b = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  if (!b) throw std::bad_alloc();
  result->vt = VT_BSTR;
  result->bstrVal = b;
}

void SetErrorResult(VARIANT* result) {
  VariantClear(result);
  result->vt = VT_ERROR;
  result->scode = E_INVALIDARG;
}

void SetFloatResult(VARIANT* result, long double x) {
  const long double a = std::fabs(x);
  if (a <= 9e18L) {
    // A whole extended value keeps all its 64 bits; only a fraction is rounded to a double, and
    // one that rounds to a whole number (1/3*3) becomes that integer.
    if (x == ::truncl(x)) {
      SetIntResult(result, static_cast<int64_t>(x));
      return;
    }
    double d = static_cast<double>(x);
    if (d == std::trunc(d)) {
      SetIntResult(result, static_cast<int64_t>(d));
    } else {
      VariantClear(result);
      result->vt = VT_R8;
      result->dblVal = d;
    }
  } else if (a < 1.6e308L) {
    VariantClear(result);
    result->vt = VT_R8;
    result->dblVal = static_cast<double>(x);
  } else {
    // A NaN carries no meaningful sign (the x87 default NaN has it set): always "NAN".
    SetTextResult(result, std::isnan(x) ? std::wstring(L"NAN") : FloatToGeneralText(x));
  }
}

// ---- reporters ----

void ReportMixedBoolean(IErrorEvents* sink, VARIANT* result) {
  ReportMessage(sink, msg::MixedBoolean);
  SetErrorResult(result);
}

void ReportTooManyArgs(IErrorEvents* sink, VARIANT* result) {
  ReportMessage(sink, msg::TooManyArgs);
  SetErrorResult(result);
}

void ReportTooFewArgs(IErrorEvents* sink, VARIANT* result) {
  ReportMessage(sink, msg::TooFewArgs);
  SetErrorResult(result);
}

namespace {
void ReportCountError(IErrorEvents* sink, VARIANT* result, long count, long wanted) {
  ReportMessage(sink, count < wanted ? msg::TooFewArgs : msg::TooManyArgs);
  SetErrorResult(result);
}
}  // namespace

void ReportCountError1(IErrorEvents* sink, VARIANT* result, long count) {
  ReportCountError(sink, result, count, 1);
}
void ReportCountError2(IErrorEvents* sink, VARIANT* result, long count) {
  ReportCountError(sink, result, count, 2);
}
void ReportCountError3(IErrorEvents* sink, VARIANT* result, long count) {
  ReportCountError(sink, result, count, 3);
}

void ReportNotFinite(IErrorEvents* sink, VARIANT* result, const wchar_t* name) {
  ReportMessageFmt(sink, msg::NotFiniteFmt, name);
  SetErrorResult(result);
}

// ---- argument-count rules ----

namespace {
// n - k, held inside the 32-bit range (a count from outside may be anything).
long Excess(long n, long k) {
  int64_t d = static_cast<int64_t>(n) - k;
  if (d < INT32_MIN) return INT32_MIN;
  if (d > INT32_MAX) return INT32_MAX;
  return static_cast<long>(d);
}
}  // namespace

long CheckArgsExactly1(long n) { return Excess(n, 1); }
long CheckArgsExactly2(long n) { return Excess(n, 2); }
long CheckArgsExactly3(long n) { return Excess(n, 3); }
long CheckArgsAtLeast1(long n) { return n >= 1 ? 0 : Excess(n, 1); }
long CheckArgsAny(long n) { return n >= 0 ? 0 : n; }
long CheckArgsAtLeast2(long n) { return n >= 2 ? 0 : Excess(n, 2); }
long CheckArgs0To2(long n) { return (n >= 0 && n <= 2) ? 0 : Excess(n, 2); }
long CheckArgs1Or2(long n) { return n <= 0 ? Excess(n, 1) : (n >= 3 ? Excess(n, 2) : 0); }
long CheckArgsNone(long n) { return n; }
long CheckArgs1Or3(long n) { return (n == 1 || n == 3) ? 0 : Excess(n, 3); }

// ---- names ----

bool MatchAlias(const std::vector<std::wstring>& aliases, const std::wstring& name) {
  for (const std::wstring& a : aliases)
    if (NamesEqual(a, name)) return true;
  return false;
}

}  // namespace evalkern
