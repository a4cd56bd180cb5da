// Logic bodies: if, the comparisons, the logical operators and the shifts.
#include <cmath>
#include <cstdint>

#include "BasicSetFuncs.h"
#include "NumberText.h"

namespace evalkern {

namespace {

// ---- comparisons ----

bool IsFloatKind(VARTYPE vt) { return vt == VT_R4 || vt == VT_R8 || vt == VT_CY || vt == VT_BSTR; }

long double NumberOf(const VARIANT& v) {
  switch (v.vt) {
    case VT_R4: return v.fltVal;
    case VT_R8: return v.dblVal;
    case VT_CY: return static_cast<long double>(v.cyVal.int64) / 10000.0L;
    case VT_BSTR:  // a number too large for a double, kept as its text
      return StrToFloatValue(std::wstring(v.bstrVal ? v.bstrVal : L"", SysStringLen(v.bstrVal)));
    default: return static_cast<long double>(IntegerVariantValue(v));
  }
}

enum class Cmp { Eq, Ne, Lt, Gt, Le, Ge };

bool Outcome(Cmp op, long double a, long double b) {
  switch (op) {
    case Cmp::Eq: return a == b;
    case Cmp::Ne: return !(a == b);
    case Cmp::Lt: return a < b;
    case Cmp::Gt: return a > b;
    case Cmp::Le: return a <= b;
    case Cmp::Ge: return a >= b;
  }
  return false;
}

template <class T>
bool OutcomeExact(Cmp op, T a, T b) {
  switch (op) {
    case Cmp::Eq: return a == b;
    case Cmp::Ne: return a != b;
    case Cmp::Lt: return a < b;
    case Cmp::Gt: return a > b;
    case Cmp::Le: return a <= b;
    case Cmp::Ge: return a >= b;
  }
  return false;
}

// `checkBetween`: the comparisons that test the error flag after the first operand as well.
void Compare(IErrorEvents* sink, IArguments* args, VARIANT* result, Cmp op, bool checkBetween) {
  if (!CountIs(sink, args, result, 2)) return;
  OwnedVariant a = [&] { OwnedVariant v = FetchArg(args, 0); return CompareArgs(v.Get(), sink); }();
  if (checkBetween && ErrorPending(sink)) return;
  OwnedVariant b = [&] { OwnedVariant v = FetchArg(args, 1); return CompareArgs(v.Get(), sink); }();
  if (ErrorPending(sink)) return;
  const VARIANT& x = a.Get();
  const VARIANT& y = b.Get();
  const bool xb = x.vt == VT_BOOL, yb = y.vt == VT_BOOL;
  if (xb != yb) {
    ReportMixedBoolean(sink, result);
    return;
  }
  bool r;
  if (xb) {
    r = OutcomeExact(op, x.boolVal != VARIANT_FALSE, y.boolVal != VARIANT_FALSE);
  } else if (!IsFloatKind(x.vt) && !IsFloatKind(y.vt)) {
    r = OutcomeExact(op, IntegerVariantValue(x), IntegerVariantValue(y));
  } else {
    // Fractions compare as they are shown, to 15 significant digits, so that 0.1 + 0.2 = 0.3.
    long double p = NumberOf(x), q = NumberOf(y);
    if (IsFloatKind(x.vt)) p = RoundTo15Digits(p);
    if (IsFloatKind(y.vt)) q = RoundTo15Digits(q);
    r = Outcome(op, p, q);
  }
  SetBoolResult(result, r);
}

// ---- logical operators ----

bool IsNarrow(VARTYPE vt) { return vt == VT_I1 || vt == VT_I2 || vt == VT_I4 || vt == VT_UI1; }

enum class Logic { And, Or, Xor };

template <class T>
T Combine(Logic op, T a, T b) {
  switch (op) {
    case Logic::And: return a & b;
    case Logic::Or: return a | b;
    case Logic::Xor: return a ^ b;
  }
  return 0;
}

// A text that is no integer ends the body at once (`pi and 1`).
void LogicBody(IErrorEvents* sink, IArguments* args, VARIANT* result, Logic op, bool checkBetween) {
  if (!CountIs(sink, args, result, 2)) return;
  std::wstring fault;
  auto operand = [&](long index) {
    OwnedVariant v = FetchArg(args, index);
    return ArgAsLogical(v.Get(), sink, &fault);
  };
  OwnedVariant a = operand(0);
  if (!fault.empty()) return EndWithFault(sink, result, fault);
  if (checkBetween && ErrorPending(sink)) return;
  OwnedVariant b = operand(1);
  if (!fault.empty()) return EndWithFault(sink, result, fault);
  if (ErrorPending(sink)) return;
  const VARIANT& x = a.Get();
  const VARIANT& y = b.Get();
  const bool xb = x.vt == VT_BOOL, yb = y.vt == VT_BOOL;
  if (xb != yb) {
    ReportMixedBoolean(sink, result);
    return;
  }
  if (xb) {
    SetBoolResult(result, Combine(op, x.boolVal != VARIANT_FALSE, y.boolVal != VARIANT_FALSE));
  } else if (IsNarrow(x.vt) && IsNarrow(y.vt)) {
    VariantClear(result);
    result->vt = VT_I4;
    result->lVal = Combine(op, static_cast<int32_t>(IntegerVariantValue(x)),
                           static_cast<int32_t>(IntegerVariantValue(y)));
  } else {
    uint64_t r = Combine(op, static_cast<uint64_t>(IntegerVariantValue(x)),
                         static_cast<uint64_t>(IntegerVariantValue(y)));
    SetIntResult(result, static_cast<int64_t>(r));
  }
}

// A float beyond the 64-bit range cannot be a shift operand: 14004 rather than a wrapped value.
int64_t ShiftOperand(IArguments* args, long index, IErrorEvents* sink) {
  OwnedVariant v = FetchArg(args, index);
  const VARIANT& x = v.Get();
  if ((x.vt == VT_R4 || x.vt == VT_R8) && !ErrorPending(sink)) {
    long double f = x.vt == VT_R4 ? x.fltVal : x.dblVal;
    if (!(f >= -9223372036854775808.0L && f <= 9223372036854775807.0L)) {
      ReportMessage(sink, msg::ArgNotLogical);
      return kFailureInt;
    }
  }
  return ArgAsInt64(x, sink);
}

void ShiftBody(IErrorEvents* sink, IArguments* args, VARIANT* result, bool left) {
  if (!CountIs(sink, args, result, 2)) return;
  int64_t a = ShiftOperand(args, 0, sink);
  if (ErrorPending(sink)) return;
  int64_t c = ShiftOperand(args, 1, sink);
  if (ErrorPending(sink)) return;
  if (c < 0) {
    ReportMessage(sink, msg::NegativeShift);  // the result stays VT_EMPTY
    return;
  }
  uint64_t u = static_cast<uint64_t>(a);
  uint64_t r = c >= 64 ? 0 : (left ? u << c : u >> c);
  SetIntResult(result, static_cast<int64_t>(r));
}

}  // namespace

// ---- if ----

void FuncIf(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  if (!CountIs(sink, args, result, 3)) return;
  bool c = [&] { OwnedVariant v = FetchArg(args, 0); return ArgAsBoolean(v.Get(), sink); }();
  if (ErrorPending(sink)) return;
  // Only the branch taken is evaluated.
  OwnedVariant chosen = FetchArg(args, c ? 1 : 2);
  chosen.MoveTo(result);
}

// ---- comparisons ----

void FuncEq(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  Compare(sink, args, result, Cmp::Eq, false);
}
void FuncNe(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  Compare(sink, args, result, Cmp::Ne, false);
}
void FuncLt(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  Compare(sink, args, result, Cmp::Lt, false);
}
void FuncGt(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  Compare(sink, args, result, Cmp::Gt, true);
}
void FuncLe(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  Compare(sink, args, result, Cmp::Le, true);
}
void FuncGe(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  Compare(sink, args, result, Cmp::Ge, true);
}

// ---- logical operators ----

void FuncNot(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  if (!CountIs(sink, args, result, 1)) return;
  OwnedVariant a = [&] { OwnedVariant v = FetchArg(args, 0); return ArgAsLogical(v.Get(), sink); }();
  if (ErrorPending(sink)) return;
  const VARIANT& x = a.Get();
  VariantClear(result);
  switch (x.vt) {
    case VT_BOOL: SetBoolResult(result, x.boolVal == VARIANT_FALSE); return;
    case VT_I1: result->vt = VT_I1; result->cVal = static_cast<CHAR>(~x.cVal); return;
    case VT_I2: result->vt = VT_I2; result->iVal = static_cast<SHORT>(~x.iVal); return;
    case VT_I4: result->vt = VT_I4; result->lVal = ~x.lVal; return;
    case VT_UI1: result->vt = VT_UI1; result->bVal = static_cast<BYTE>(~x.bVal); return;
    case VT_UI2: result->vt = VT_UI2; result->uiVal = static_cast<USHORT>(~x.uiVal); return;
    case VT_UI4: result->vt = VT_UI4; result->ulVal = ~x.ulVal; return;
    case VT_CY: {
      int64_t c = ~IntegerVariantValue(x);
      if (c >= INT32_MIN && c <= INT32_MAX) {
        result->vt = VT_I4;
        result->lVal = static_cast<LONG>(c);
      } else {
        SetIntResult(result, c);
      }
      return;
    }
    default: SetIntResult(result, ~IntegerVariantValue(x)); return;
  }
}

void FuncAnd(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  LogicBody(sink, args, result, Logic::And, true);
}
void FuncOr(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  LogicBody(sink, args, result, Logic::Or, false);
}
void FuncXor(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  LogicBody(sink, args, result, Logic::Xor, true);
}

// ---- shifts ----

void FuncShr(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  ShiftBody(sink, args, result, false);
}
void FuncShl(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  ShiftBody(sink, args, result, true);
}

}  // namespace evalkern
