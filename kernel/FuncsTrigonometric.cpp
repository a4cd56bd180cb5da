// Trigonometric bodies in the angle unit of the settings, and the hyperbolic bodies.
#include <cmath>
#include <cstdint>

#include "BasicSetFuncs.h"
#include "KernelObject.h"

namespace evalkern {

namespace {

constexpr long double kPi = 3.14159265358979323851L;
constexpr long double kSnap = 5e-14L;
constexpr long double kTiny = 1e-16L;
constexpr long double kTwoPow63 = 9223372036854775808.0L;

// The argument of asin and acos: x within [-1, 1] and the root of 1 - x^2, taken as
// (1 - x)(1 + x) so that it does not cancel near the ends; false when the body must stop (a
// value outside is reported with `domainMessage`).
bool UnitArg(IErrorEvents* sink, IArguments* args, VARIANT* result, int domainMessage,
             long double& x, long double& root) {
  if (!OneFloat(sink, args, result, x)) return false;
  if (!(x >= -1 && x <= 1)) {
    ReportMessage(sink, domainMessage);
    SetErrorResult(result);
    return false;
  }
  root = ::sqrtl((1 - x) * (1 + x));
  return true;
}

// The unit is read at every call; anything but degrees and grads counts as radians.
TAngleMeasurement AngleUnit(ISettings* settings) {
  TAngleMeasurement am = amRadian;
  if (settings) Check(settings->get_AngleMeasurement(&am));
  return am;
}

// Whole turns of degrees and grads are dropped first (fmodl is exact), so a large angle keeps
// its exact zeros and poles: sin of 10^6 turns plus 180 degrees is 0, its tangent at 90 a pole.
long double ToRadians(long double x, TAngleMeasurement am) {
  if (am == amDegree) return (::fmodl(x, 360) * kPi) / 180;
  if (am == amGrade) return (::fmodl(x, 400) * kPi) / 200;
  return x;
}

long double FromRadians(long double r, TAngleMeasurement am) {
  if (am == amDegree) return (r * 180) / kPi;
  if (am == amGrade) return (r * 200) / kPi;
  return r;
}

// Values within 5e-14 of 1, -1 or 0 become exactly that, so sin 180 degrees is 0.
long double Snap(long double v) {
  if (::fabsl(v - 1) <= kSnap) return 1;
  if (::fabsl(v + 1) <= kSnap) return -1;
  if (::fabsl(v) <= kSnap) return 0;
  return v;
}

void Finite(IErrorEvents* sink, VARIANT* result, long double x, const wchar_t* name) {
  if (IsFiniteValue(x)) SetFloatResult(result, x);
  else ReportNotFinite(sink, result, name);
}

// A radian value as whole quarter turns (counted modulo 4) and what is left, at most pi/4 in
// magnitude.
struct QuarterTurns {
  unsigned quarter;
  long double rest;
};

// The hardware reduces its argument with a 66-bit pi, which spoils shown digits near every
// multiple of pi/2 (the tangent of 1.57079632679 from its 10th digit, the sine of 710 in its
// 15th). So every value beyond pi/4 is reduced here, by quarter turns against 192 bits of 2/pi:
// for any 64-bit significand below 2^63 that leaves more than 64 good bits of the rest, however
// close the value lies to a multiple of pi/2.
QuarterTurns ReduceQuarterTurns(long double a) {  // 0 <= a < 2^63
  if (a <= kPi / 4) return {0, a};
  static const uint64_t kTwoOverPi[3] = {0xA2F9836E4E441529ull, 0xFC2757D1F534DDC0ull,
                                         0xDB6295993C439041ull};
  int e;
  const long double fr = ::frexpl(a, &e);                          // a = fr * 2^e, e in 0..63
  const uint64_t m = static_cast<uint64_t>(::ldexpl(fr, 64));      // a = m * 2^(e - 64)
  // m times the 192 bits, a 256-bit product with a zero word above it; a * 2/pi = product *
  // 2^(e - 256)
  uint64_t p[5] = {};
  using u128 = unsigned __int128;
  const u128 p2 = static_cast<u128>(m) * kTwoOverPi[2];
  const u128 p1 = static_cast<u128>(m) * kTwoOverPi[1];
  const u128 p0 = static_cast<u128>(m) * kTwoOverPi[0];
  p[0] = static_cast<uint64_t>(p2);
  u128 t = (p2 >> 64) + static_cast<uint64_t>(p1);
  p[1] = static_cast<uint64_t>(t);
  t = (t >> 64) + (p1 >> 64) + static_cast<uint64_t>(p0);
  p[2] = static_cast<uint64_t>(t);
  p[3] = static_cast<uint64_t>((t >> 64) + (p0 >> 64));
  auto bits64 = [&p](int at) {  // the 64 bits of the product from bit "at" up
    const int i = at / 64, sh = at % 64;
    uint64_t v = p[i] >> sh;
    if (sh) v |= p[i + 1] << (64 - sh);
    return v;
  };
  const int unit = 256 - e;  // bit of the product that counts whole quarter turns
  unsigned quarter = static_cast<unsigned>(bits64(unit)) & 3;
  // 128 bits of the fraction of a quarter turn. From a half on it is the next quarter turn less
  // the complement, taken in whole bits so that no digit cancels.
  u128 fraction = (static_cast<u128>(bits64(unit - 64)) << 64) | bits64(unit - 128);
  const bool back = static_cast<bool>(fraction >> 127);
  if (back) {
    fraction = -fraction;
    quarter = (quarter + 1) & 3;
  }
  const long double f =
      (static_cast<long double>(static_cast<uint64_t>(fraction >> 64)) +
       ::ldexpl(static_cast<long double>(static_cast<uint64_t>(fraction)), -64)) * 0x1p-64L;
  return {quarter, (back ? -f : f) * (kPi / 2)};
}

// The sine and cosine of a radian value below 2^63 in magnitude.
void SinCosRadians(long double r, long double& s, long double& c) {
  const QuarterTurns turns = ReduceQuarterTurns(::fabsl(r));
  const long double sy = ::sinl(turns.rest), cy = ::cosl(turns.rest);
  switch (turns.quarter) {
    case 0: s = sy; c = cy; break;
    case 1: s = cy; c = -sy; break;
    case 2: s = -sy; c = -cy; break;
    default: s = -cy; c = sy; break;
  }
  if (r < 0) s = -s;
}

// The sine and cosine of the argument, not snapped: the tangent is formed from them. An angle of
// 2^63 radians or more is beyond the reduction: 14054 rather than a silent 0.
bool SinCos(IErrorEvents* sink, ISettings* settings, IArguments* args, VARIANT* result,
            const wchar_t* name, long double& s, long double& c) {
  long double x;
  if (!OneFloat(sink, args, result, x)) return false;
  long double r = ToRadians(x, AngleUnit(settings));
  if (!(::fabsl(r) < kTwoPow63)) {
    ReportNotFinite(sink, result, name);
    return false;
  }
  SinCosRadians(r, s, c);
  return true;
}

// A tangent or cotangent: the quotient of the unsnapped sine and cosine, snapped as a value of its
// own, so that only the result is rounded to 0 or 1, never the sine or cosine in it. The pole
// is where the divisor snaps to 0: tan 90 degrees is an error, not a huge number.
void SetTangent(IErrorEvents* sink, VARIANT* result, long double dividend, long double divisor,
                const wchar_t* name) {
  if (Snap(divisor) == 0) ReportNotFinite(sink, result, name);
  else Finite(sink, result, Snap(dividend / divisor), name);
}

// Below 1 in magnitude e^x - e^-x cancels; through e^x - 1 it keeps every digit.
long double Sinh(long double x) {
  if (::fabsl(x) <= kTiny) return 0;
  if (::fabsl(x) < 1) {
    const long double e = ::expm1l(x);  // e^-x - 1 = -e / (e + 1)
    return (e + e / (e + 1)) / 2;
  }
  return (::expl(x) - ::expl(-x)) / 2;
}

long double Cosh(long double x) {
  if (::fabsl(x) <= kTiny) return 1;
  return (::expl(x) + ::expl(-x)) / 2;
}

}  // namespace

void FuncSin(IErrorEvents* sink, ISettings* settings, IArguments* args, VARIANT* result) {
  long double s, c;
  if (SinCos(sink, settings, args, result, L"sin", s, c)) SetFloatResult(result, Snap(s));
}

void FuncCos(IErrorEvents* sink, ISettings* settings, IArguments* args, VARIANT* result) {
  long double s, c;
  if (SinCos(sink, settings, args, result, L"cos", s, c)) SetFloatResult(result, Snap(c));
}

void FuncTan(IErrorEvents* sink, ISettings* settings, IArguments* args, VARIANT* result) {
  long double s, c;
  if (SinCos(sink, settings, args, result, L"tan", s, c)) SetTangent(sink, result, s, c, L"tan");
}

void FuncCtan(IErrorEvents* sink, ISettings* settings, IArguments* args, VARIANT* result) {
  long double s, c;
  if (SinCos(sink, settings, args, result, L"ctan", s, c)) SetTangent(sink, result, c, s, L"ctan");
}

void FuncAsin(IErrorEvents* sink, ISettings* settings, IArguments* args, VARIANT* result) {
  long double x, root;
  if (UnitArg(sink, args, result, msg::AsinDomain, x, root))
    SetFloatResult(result, FromRadians(::atan2l(x, root), AngleUnit(settings)));
}

void FuncAcos(IErrorEvents* sink, ISettings* settings, IArguments* args, VARIANT* result) {
  long double x, root;
  if (UnitArg(sink, args, result, msg::AcosDomain, x, root))
    SetFloatResult(result, FromRadians(::atan2l(root, x), AngleUnit(settings)));
}

void FuncAtan(IErrorEvents* sink, ISettings* settings, IArguments* args, VARIANT* result) {
  long double x;
  if (OneFloat(sink, args, result, x))
    SetFloatResult(result, FromRadians(::atanl(x), AngleUnit(settings)));
}

void FuncActan(IErrorEvents* sink, ISettings* settings, IArguments* args, VARIANT* result) {
  long double x;
  if (!OneFloat(sink, args, result, x)) return;
  long double a = ::fabsl(x) <= kTiny ? kPi / 2 : ::atanl(1 / x);
  SetFloatResult(result, FromRadians(a, AngleUnit(settings)));
}

void FuncSinh(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  long double x;
  if (OneFloat(sink, args, result, x)) Finite(sink, result, Sinh(x), L"sinh");
}

void FuncCosh(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  long double x;
  if (OneFloat(sink, args, result, x)) Finite(sink, result, Cosh(x), L"cosh");
}

void FuncTanh(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  long double x;
  if (!OneFloat(sink, args, result, x)) return;
  long double t;
  if (x >= 1000) t = 1;
  else if (x <= -1000) t = -1;
  else if (::fabsl(x) <= kTiny) t = 0;
  else t = Sinh(x) / Cosh(x);
  Finite(sink, result, t, L"tanh");
}

void FuncCtanh(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  long double x;
  if (!OneFloat(sink, args, result, x)) return;
  long double r;
  if (::fabsl(x) <= 1e-6L) {
    long double q = x * x;
    long double c = 1 + q / 2;
    long double s = x * (1 + q / 6);
    if (s == 0) {
      ReportNotFinite(sink, result, L"ctanh");
      return;
    }
    r = c / s;
  } else if (::fabsl(x) < 1) {
    r = Cosh(x) / Sinh(x);  // e^x - e^-x would cancel away digits here
  } else {
    long double p = ::expl(x), m = ::expl(-x);
    r = (p + m) / (p - m);
  }
  Finite(sink, result, r, L"ctanh");
}

// The inverse hyperbolic functions report 14054 outside their domain instead of giving NAN.
void FuncAsinh(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  long double x;
  if (!OneFloat(sink, args, result, x)) return;
  // Taken on |x| and signed afterwards: x + sqrt(x^2 + 1) cancels for large negative x.
  // Below 1 the logarithm of 1 + a small amount is taken as such, so small values keep their digits.
  long double a = ::fabsl(x);
  long double r = a < 1 ? ::log1pl(a + a * a / (1 + ::sqrtl(a * a + 1)))
                        : ::logl(a + ::sqrtl(a * a + 1));
  Finite(sink, result, x < 0 ? -r : r, L"asinh");
}

void FuncAcosh(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  long double x;
  if (!OneFloat(sink, args, result, x)) return;
  if (!(x >= 1)) {
    ReportNotFinite(sink, result, L"acosh");
    return;
  }
  const long double t = (x + 1) * ::sqrtl((x - 1) / (x + 1));
  Finite(sink, result, x < 2 ? ::log1pl((x - 1) + t) : ::logl(x + t), L"acosh");
}

void FuncAtanh(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  long double x;
  if (!OneFloat(sink, args, result, x)) return;
  long double r;
  if (::fabsl(x - 1) <= kTiny) r = INFINITY;
  else if (::fabsl(x + 1) <= kTiny) r = -INFINITY;
  else if (::fabsl(x) < 0.5L) r = ::log1pl(2 * x / (1 - x)) / 2;  // (1+x)/(1-x) near 1
  else r = ::logl((1 + x) / (1 - x)) / 2;
  Finite(sink, result, r, L"atanh");
}

void FuncActanh(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  long double x;
  if (!OneFloat(sink, args, result, x)) return;
  long double r;
  if (::fabsl(x - 1) <= kTiny) r = INFINITY;
  else if (::fabsl(x + 1) <= kTiny) r = -INFINITY;
  else if (::fabsl(x) > 2) r = ::log1pl(2 / (x - 1)) / 2;  // (x+1)/(x-1) near 1
  else r = ::logl((x + 1) / (x - 1)) / 2;
  Finite(sink, result, r, L"actanh");
}

}  // namespace evalkern
