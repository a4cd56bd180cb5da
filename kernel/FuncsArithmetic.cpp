// Arithmetic bodies: operators, elementary functions, rounding, integer division, factorials.
#include <climits>
#include <cmath>

#include "BasicSetFuncs.h"
#include "Format.h"
#include "NumberText.h"
#include "Precision.h"

namespace evalkern {

namespace {

// ---- factorial table, filled when the kernel is loaded ----

struct FactorialTable {
  long double entry[kFactorialTableSize];
  FactorialTable() {
    X87Precision precision;
    entry[0] = 1;
    entry[1] = 1;
    for (int i = 2; i < kFactorialTableSize; ++i) entry[i] = entry[i - 1] * i;
  }
};
const FactorialTable g_factorials;

// ---- common frames ----

// Two arguments fetched 0, 1, then one check.
inline __attribute__((always_inline)) bool TwoFloats(IErrorEvents* sink, IArguments* args, VARIANT* result, long double& x,
               long double& y) {
  if (!CountIs(sink, args, result, 2)) return false;
  x = FloatArgAt(args, 0, sink);
  y = FloatArgAt(args, 1, sink);
  return !ErrorPending(sink);
}

// Stores x, or reports 14054 with the function's name when x is not finite.
void FiniteResult(IErrorEvents* sink, VARIANT* result, long double x, const wchar_t* name) {
  if (IsFiniteValue(x)) SetFloatResult(result, x);
  else ReportNotFinite(sink, result, name);
}

// x truncated toward zero; a value with no 64-bit truncation is a fault, never undefined.
int64_t TruncToInt64(long double x) {
  long double t = ::truncl(x);
  if (!(t >= -9223372036854775808.0L && t <= 9223372036854775807.0L))
    RaiseFault(L"Integer overflow");
  return static_cast<int64_t>(t);
}

// b to the power e (e >= 0) by repeated squaring.
long double PowerUnsigned(long double b, unsigned long long e) {
  long double r = 1;
  while (e) {
    if (e & 1) r *= b;
    e >>= 1;
    if (e) b *= b;
  }
  return r;
}

long double PowerValue(long double b, long double e) {
  if (e == 0) return 1;
  if (b == 0 && e > 0) return 0;
  if (e == ::truncl(e) && ::fabsl(e) <= 2147483647.0L) {
    long long n = static_cast<long long>(e);
    if (n >= 0) return PowerUnsigned(b, static_cast<unsigned long long>(n));
    return 1 / PowerUnsigned(b, static_cast<unsigned long long>(-n));
  }
  if (!(b > 0)) return NAN;  // logarithm of a negative or zero base: no real power
  return ::expl(e * ::logl(b));
}

void PowerBody(IErrorEvents* sink, IArguments* args, VARIANT* result, const wchar_t* name) {
  if (!CountIs(sink, args, result, 2)) return;
  long double b = FloatArgAt(args, 0, sink);
  if (ErrorPending(sink)) return;
  long double e = FloatArgAt(args, 1, sink);
  if (ErrorPending(sink)) return;
  FiniteResult(sink, result, PowerValue(b, e), name);
}

// Logarithm of a positive argument; 14010 otherwise (a NaN fails "x > 0" as well).
void LogBody(IErrorEvents* sink, IArguments* args, VARIANT* result, long double (*fn)(long double),
             const wchar_t* name) {
  long double x;
  if (!OneFloat(sink, args, result, x)) return;
  if (!(x > 0)) {
    ReportMessage(sink, msg::LogNotPositive);
    SetErrorResult(result);
    return;
  }
  FiniteResult(sink, result, fn(x), name);
}

long double Ln(long double x) { return ::logl(x); }
long double Log10(long double x) { return ::log10l(x); }
long double Log2(long double x) { return ::log2l(x); }

// 10 to the power n (n >= 0) in extended precision.
long double Pow10(unsigned long long n) { return PowerUnsigned(10.0L, n); }

enum class RoundKind { Nearest, Down, Up };

// Rounds a value with no further scaling: halves away from zero, toward zero, or away from zero.
long double RoundWhole(long double s, RoundKind kind) {
  long double t = ::truncl(s);
  switch (kind) {
    case RoundKind::Nearest: return s >= 0 ? ::truncl(s + 0.5L) : ::truncl(s - 0.5L);
    case RoundKind::Down: return t;
    case RoundKind::Up: return s - t > 0 ? t + 1 : (s - t < 0 ? t - 1 : t);
  }
  return t;
}

void RoundBody(IErrorEvents* sink, IArguments* args, VARIANT* result, RoundKind kind,
               const wchar_t* name) {
  long n = ArgCount(args);
  if (n == 1) {
    long double x = FloatArgAt(args, 0, sink);
    if (ErrorPending(sink)) return;
    if (!IsFiniteValue(x)) RaiseFault(L"Integer overflow");
    SetIntResult(result, TruncToInt64(RoundWhole(AsShown(x), kind)));
    return;
  }
  if (n != 2) {
    ReportCountError2(sink, result, n);
    return;
  }
  int64_t digits = Int64ArgAt(args, 1, sink);
  if (ErrorPending(sink)) return;
  long double x = FloatArgAt(args, 0, sink);
  if (ErrorPending(sink)) return;
  if (digits < INT_MIN || digits > INT_MAX) RaiseFault(L"Range check error");
  // Scale, drop what lies beyond 15 significant digits (so 0.29 * 100 is 29, not 28.99...),
  // round, and scale back.
  const bool up = digits >= 0;
  const long double p = Pow10(static_cast<unsigned long long>(up ? digits : -digits));
  long double s = RoundTo15Digits(up ? x * p : x / p);
  long double t = RoundWhole(s, kind);
  long double r = t == 0 ? 0.0L : (up ? t / p : t * p);
  FiniteResult(sink, result, r, name);
}

// Integer division frame: divisor first; the dividend is not evaluated after a zero divisor.
// `pi div 2` is common in a worksheet: a text that is no integer ends the body here.
bool IntDivisionArgs(IErrorEvents* sink, IArguments* args, VARIANT* result, int64_t& a,
                     int64_t& b) {
  if (!CountIs(sink, args, result, 2)) return false;
  std::wstring fault;
  b = Int64ArgAt(args, 1, sink, &fault);
  if (!fault.empty()) {
    EndWithFault(sink, result, fault);
    return false;
  }
  if (ErrorPending(sink)) return false;
  if (b == 0) {
    ReportMessage(sink, msg::DivisionByZero);
    SetErrorResult(result);
    return false;
  }
  a = Int64ArgAt(args, 0, sink, &fault);
  if (!fault.empty()) {
    EndWithFault(sink, result, fault);
    return false;
  }
  if (ErrorPending(sink)) return false;
  if (a == INT64_MIN && b == -1) RaiseFault(L"Integer overflow");
  return true;
}

// A whole-number result of the factorial family: integer, double, or its text.
void WholeResult(VARIANT* result, long double t) {
  if (t <= 9223372036854775807.0L) {
    SetIntResult(result, static_cast<int64_t>(t));
  } else if (t < 1.6e308L) {
    VariantClear(result);
    result->vt = VT_R8;
    result->dblVal = static_cast<double>(t);
  } else {
    SetTextResult(result, FloatToGeneralText(t));
  }
}

}  // namespace

long double FactorialEntry(int i) { return g_factorials.entry[i]; }

// ---- operators and elementary functions ----

void FuncPlus(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  long double x, y;
  if (TwoFloats(sink, args, result, x, y)) FiniteResult(sink, result, x + y, L"+");
}

void FuncMinus(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  long double x, y;
  if (TwoFloats(sink, args, result, x, y)) SetFloatResult(result, x - y);
}

void FuncMultiply(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  long double x, y;
  if (TwoFloats(sink, args, result, x, y)) FiniteResult(sink, result, x * y, L"*");
}

void FuncDivide(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  if (!CountIs(sink, args, result, 2)) return;
  long double y = FloatArgAt(args, 1, sink);
  if (ErrorPending(sink)) return;
  if (y == 0) {
    ReportMessage(sink, msg::DivisionByZero);
    SetErrorResult(result);
    return;
  }
  long double x = FloatArgAt(args, 0, sink);
  if (ErrorPending(sink)) return;
  SetFloatResult(result, x / y);
}

void FuncPower(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  PowerBody(sink, args, result, L"power");
}

void FuncCaret(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  PowerBody(sink, args, result, L"^");
}

void FuncLog(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  long double base, x;
  if (!TwoFloats(sink, args, result, base, x)) return;
  if (!(base > 0) || !(x > 0)) {
    ReportMessage(sink, msg::LogNotPositive);
    SetErrorResult(result);
  } else if (base == 1) {
    ReportMessage(sink, msg::LogBaseOne);
    SetErrorResult(result);
  } else {
    FiniteResult(sink, result, ::logl(x) / ::logl(base), L"log");
  }
}

void FuncLog10(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  LogBody(sink, args, result, Log10, L"log10");
}

void FuncLog2(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  LogBody(sink, args, result, Log2, L"log2");
}

void FuncLn(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  LogBody(sink, args, result, Ln, L"ln");
}

void FuncSqrt(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  long double x;
  if (!OneFloat(sink, args, result, x)) return;
  if (!(x >= 0)) {
    ReportMessageFmt(sink, msg::NegativeArgFmt, L"sqrt");
    SetErrorResult(result);
    return;
  }
  SetFloatResult(result, ::sqrtl(x));
}

void FuncSqr(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  long double x;
  if (OneFloat(sink, args, result, x)) FiniteResult(sink, result, x * x, L"sqr");
}

void FuncExp(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  long double x;
  if (OneFloat(sink, args, result, x)) FiniteResult(sink, result, ::expl(x), L"exp");
}

void FuncAbs(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  long double x;
  if (OneFloat(sink, args, result, x)) SetFloatResult(result, ::fabsl(x));
}

void FuncUnarMinus(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  long double x;
  if (OneFloat(sink, args, result, x)) SetFloatResult(result, -x);
}

void FuncPercent(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  long double x;
  if (OneFloat(sink, args, result, x)) SetFloatResult(result, x / 100);
}

void FuncFrac(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  long double x;
  if (!OneFloat(sink, args, result, x)) return;
  x = AsShown(x);  // 4.35*100 is shown as 435 and has no fraction
  long double f = x - ::truncl(x);
  VariantClear(result);
  if (f != 0) {
    result->vt = VT_R8;
    result->dblVal = static_cast<double>(f);
  } else {
    result->vt = VT_I4;
    result->lVal = 0;
  }
}

void FuncInt(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  long double x;
  if (OneFloat(sink, args, result, x)) SetIntResult(result, TruncToInt64(AsShown(x)));
}

void FuncSign(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  long double x;
  if (!OneFloat(sink, args, result, x)) return;
  VariantClear(result);
  result->vt = VT_I4;
  result->lVal = x > 0 ? 1 : (x == 0 ? 0 : -1);
}

// ---- rounding ----

void FuncRound(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  RoundBody(sink, args, result, RoundKind::Nearest, L"round");
}

void FuncRounddn(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  RoundBody(sink, args, result, RoundKind::Down, L"rounddn");
}

void FuncRoundup(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  RoundBody(sink, args, result, RoundKind::Up, L"roundup");
}

// ---- integer division ----

void FuncDiv(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  int64_t a, b;
  if (IntDivisionArgs(sink, args, result, a, b)) SetIntResult(result, a / b);
}

void FuncMod(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  int64_t a, b;
  if (IntDivisionArgs(sink, args, result, a, b)) SetIntResult(result, a % b);
}

// ---- factorials and permutations ----

void FuncFactorial(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  long double x;
  if (!OneFloat(sink, args, result, x)) return;
  if (!(x >= 0)) {
    ReportMessageFmt(sink, msg::NegativeArgFmt, L"factorial");
    SetErrorResult(result);
  } else if (x > 1754.54834290446L) {
    ReportNotFinite(sink, result, L"factorial");
  } else if (x != ::truncl(x)) {
    FiniteResult(sink, result, ::expl(LnGamma(x + 1)), L"factorial");
  } else {
    WholeResult(result, g_factorials.entry[static_cast<int>(x)]);
  }
}

void FuncLngamma(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  long double x;
  if (!OneFloat(sink, args, result, x)) return;
  if (!(x > 0)) {
    ReportMessageFmt(sink, msg::LngammaDomainFmt, L"lngamma");
    SetErrorResult(result);
    return;
  }
  long double r = (x == ::truncl(x) && x <= kFactorialTableSize - 1)
                      ? ::logl(g_factorials.entry[static_cast<int>(x) - 1])
                      : LnGamma(x);
  FiniteResult(sink, result, r, L"lngamma");
}

void FuncPermut(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  if (!CountIs(sink, args, result, 2)) return;
  int64_t n = Int64ArgAt(args, 0, sink);
  if (ErrorPending(sink)) return;
  int64_t k = Int64ArgAt(args, 1, sink);
  if (ErrorPending(sink)) return;
  if (n < 0 || k < 0) {
    ReportMessageFmt(sink, msg::NegativeArgFmt, L"permut");
    SetErrorResult(result);
    return;
  }
  if (n < k) {
    ReportMessage(sink, msg::PermutKAboveN);
    SetErrorResult(result);
    return;
  }
  long double r;
  if (n < kFactorialTableSize) {
    r = g_factorials.entry[n] / g_factorials.entry[n - k];
  } else {
    // n (n-1) ... (n-k+1) itself: exact while it fits 64 bits, where the difference of two
    // large logarithms already misses the last shown digits (permut(100000, 3)). Its first j
    // factors make at least j!, so it overflows within 1755 of them.
    r = 1;
    for (int64_t i = 0; i < k && IsFiniteValue(r); ++i) r *= static_cast<long double>(n - i);
    if (!IsFiniteValue(r)) {
      ReportNotFinite(sink, result, L"permut");
      return;
    }
  }
  // The count of selections is whole; the quotient of two rounded table entries may miss that
  // by a last-place error, which must not be truncated away.
  WholeResult(result, ::roundl(r));
}

}  // namespace evalkern
