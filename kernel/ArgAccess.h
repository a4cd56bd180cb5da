// Common ground of the built-in function bodies: how a body is called, how it reads its lazily
// evaluated arguments, how it reports a problem and how it stores its result.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <cstdint>
#include <string>
#include <vector>

#include "Evalkern.h"

namespace evalkern {

// Message ids the bodies report (texts live in the message module).
namespace msg {
enum : int {
  ArgNoValue = 14000,        // the argument has no value
  ArgNotNumber = 14001,      // not a number
  ArgNotInteger = 14002,     // not an integer
  ArgNotBoolean = 14003,     // not a boolean
  ArgNotLogical = 14004,     // neither logical nor integer
  ArgNotComparable = 14005,  // cannot be compared
  MixedBoolean = 14006,      // one operand boolean, the other not
  TooManyArgs = 14007,
  TooFewArgs = 14008,
  DivisionByZero = 14009,
  LogNotPositive = 14010,
  LogBaseOne = 14011,
  AsinDomain = 14012,
  AcosDomain = 14013,
  NegativeShift = 14014,
  NegativeArgFmt = 14015,     // %s: function
  OutOfRangeFmt = 14016,      // %s: function (rgb, char)
  RgbValueRange = 14017,
  EmptyBrackets = 14027,
  BadCharacterFmt = 14044,    // %s: the character
  UnbalancedBrackets = 14046,
  NotFiniteFmt = 14054,       // %s: function
  ProgressionIndexFmt = 14056,
  MolArgKindFmt = 14057,
  MolCloseAtStart = 14058,
  MolOpenNeverClosed = 14059,
  MolTwoNumbers = 14060,
  MolStartsWithNumber = 14061,
  MolUnknownElementFmt = 14062,
  MolNumberAfterOpen = 14063,
  LngammaDomainFmt = 14064,
  PermutKAboveN = 14065,
  CharEmptyText = 14066,
  RomanRange = 14067,
};
}  // namespace msg

// Owns one VARIANT for the length of a scope.
class OwnedVariant {
 public:
  OwnedVariant() { VariantInit(&v_); }
  ~OwnedVariant() { VariantClear(&v_); }
  OwnedVariant(const OwnedVariant&) = delete;
  OwnedVariant& operator=(const OwnedVariant&) = delete;
  OwnedVariant(OwnedVariant&& o) noexcept : v_(o.v_) { VariantInit(&o.v_); }
  VARIANT* Out() { VariantClear(&v_); return &v_; }
  const VARIANT& Get() const { return v_; }
  VARIANT& Get() { return v_; }
  VARTYPE Type() const { return v_.vt; }
  // Hands the value over to `dest` (which is cleared first); this holder becomes empty.
  void MoveTo(VARIANT* dest) { VariantClear(dest); *dest = v_; VariantInit(&v_); }

 private:
  VARIANT v_;
};

// The calling form of every built-in body: error sink, settings, lazily evaluated arguments,
// result (cleared to VT_EMPTY before the call). Problems with the arguments are reported through
// the sink; only unexpected faults leave a body as a raised KernelError.
using FuncBody = void (*)(IErrorEvents* sink, ISettings* settings, IArguments* args, VARIANT* result);

// An argument-count rule: the count minus the nearest allowed count (0 when allowed).
using CountCheck = long (*)(long n);

// ---- reading arguments ----
long ArgCount(IArguments* args);
// Evaluates argument `index` (every call evaluates it again).
OwnedVariant FetchArg(IArguments* args, long index);

// Fetch and convert in one step.
long double FloatArgAt(IArguments* args, long index, IErrorEvents* sink);
int64_t Int64ArgAt(IArguments* args, long index, IErrorEvents* sink, std::wstring* fault = nullptr);

// Integer VARIANT types (VT_I1 .. VT_I8, VT_UI1 .. VT_UI4).
bool IsIntegerVariant(VARTYPE vt);
// The value of an integer VARIANT, or of a currency rounded to the nearest integer (halves to
// the even one); 0 for other types.
int64_t IntegerVariantValue(const VARIANT& v);

// ---- the error sink ----
bool ErrorPending(IErrorEvents* sink);
// Flag first, then text: the order every built-in uses.
void ReportText(IErrorEvents* sink, const std::wstring& text);
void ReportMessage(IErrorEvents* sink, int id);
void ReportMessageFmt(IErrorEvents* sink, int id, const std::wstring& arg);
// Raises the failure that the function set reports as a fault of a body (result E_FAIL).
[[noreturn]] void RaiseFault(const std::wstring& text);
// How a fault of a body ends the call: the text reported, the result VT_ERROR holding E_FAIL.
void EndWithFault(IErrorEvents* sink, VARIANT* result, const std::wstring& text);

// ---- conversions by VARIANT type (each reports its own error and returns the failure value) ----
// A text that is no integer is a fault of the body and raised; a caller that passes `fault`
// gets its text there instead (with the failure value) and ends the body itself through
// EndWithFault, which is far cheaper than raising on some systems.
constexpr long double kFailureFloat = -9999.0L;
constexpr int64_t kFailureInt = -9999;
long double ArgAsFloat(const VARIANT& v, IErrorEvents* sink);
int64_t ArgAsInt64(const VARIANT& v, IErrorEvents* sink, std::wstring* fault = nullptr);
bool ArgAsBoolean(const VARIANT& v, IErrorEvents* sink);
// A VT_BOOL or an integer VARIANT (VT_EMPTY on failure).
OwnedVariant ArgAsLogical(const VARIANT& v, IErrorEvents* sink, std::wstring* fault = nullptr);
// A VARIANT ready for comparison (VT_EMPTY on failure).
OwnedVariant CompareArgs(const VARIANT& v, IErrorEvents* sink);

// ---- results ----
// Whole values within +-9e18 become VT_I8; other finite values up to 1.6e308 VT_R8; larger
// magnitudes, infinities and NaN their 15-digit general text.
void SetFloatResult(VARIANT* result, long double x);
void SetIntResult(VARIANT* result, int64_t v);
void SetBoolResult(VARIANT* result, bool b);
void SetTextResult(VARIANT* result, const std::wstring& text);
// VT_ERROR holding E_INVALIDARG.
void SetErrorResult(VARIANT* result);
bool IsFiniteValue(long double x);
// x rounded to 15 significant digits (specials unchanged).
long double RoundTo15Digits(long double x);
// x as the user sees it: below 10^15 in magnitude, to 15 significant digits, so that a product
// shown as 29 (0.29*100, really 28.999...96) is 29 where a whole number is wanted; larger
// values are shown in scientific notation and stay as they are.
long double AsShown(long double x);

// ---- reporters (report, then store the error result) ----
void ReportMixedBoolean(IErrorEvents* sink, VARIANT* result);
void ReportTooManyArgs(IErrorEvents* sink, VARIANT* result);
void ReportCountError1(IErrorEvents* sink, VARIANT* result, long count);
void ReportCountError2(IErrorEvents* sink, VARIANT* result, long count);
void ReportCountError3(IErrorEvents* sink, VARIANT* result, long count);
void ReportTooFewArgs(IErrorEvents* sink, VARIANT* result);
// 14054 with the function's name, and the error result.
void ReportNotFinite(IErrorEvents* sink, VARIANT* result, const wchar_t* name);

// ---- common frames of a body ----
// True when the call has `wanted` (1, 2 or 3) arguments; else reports the count error.
inline __attribute__((always_inline)) bool CountIs(IErrorEvents* sink, IArguments* args,
                                                   VARIANT* result, long wanted) {
  long n = ArgCount(args);
  if (n == wanted) return true;
  if (wanted == 1) ReportCountError1(sink, result, n);
  else if (wanted == 2) ReportCountError2(sink, result, n);
  else ReportCountError3(sink, result, n);
  return false;
}

// The one argument of a call through ArgAsFloat or ArgAsInt64; false when the body must stop
// (result left VT_EMPTY).
inline __attribute__((always_inline)) bool OneFloat(IErrorEvents* sink, IArguments* args,
                                                    VARIANT* result, long double& x) {
  if (!CountIs(sink, args, result, 1)) return false;
  x = FloatArgAt(args, 0, sink);
  return !ErrorPending(sink);
}
inline __attribute__((always_inline)) bool OneInt(IErrorEvents* sink, IArguments* args,
                                                  VARIANT* result, int64_t& v) {
  if (!CountIs(sink, args, result, 1)) return false;
  v = Int64ArgAt(args, 0, sink);
  return !ErrorPending(sink);
}

// ---- argument-count rules ----
long CheckArgsExactly1(long n);
long CheckArgsExactly2(long n);
long CheckArgsExactly3(long n);
long CheckArgsAtLeast1(long n);
long CheckArgsAny(long n);
long CheckArgsAtLeast2(long n);
long CheckArgs0To2(long n);
long CheckArgs1Or2(long n);
long CheckArgsNone(long n);
long CheckArgs1Or3(long n);

// ---- names ----
// True when some alias equals the name with the ASCII letters' case folded; aliases are tried in
// order and the first match ends the search.
bool MatchAlias(const std::vector<std::wstring>& aliases, const std::wstring& name);

}  // namespace evalkern
