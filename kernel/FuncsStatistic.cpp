// Statistical bodies over any number of arguments.
#include <cmath>
#include <vector>

#include "BasicSetFuncs.h"

namespace evalkern {

namespace {

// Every argument through ArgAsFloat in index order, checking after each; false when the body
// must stop (result left VT_EMPTY).
bool AllFloats(IErrorEvents* sink, IArguments* args, long n, std::vector<long double>& xs) {
  xs.clear();
  xs.reserve(n > 0 ? static_cast<size_t>(n) : 0);
  for (long i = 0; i < n; ++i) {
    long double x = FloatArgAt(args, i, sink);
    if (ErrorPending(sink)) return false;
    xs.push_back(x);
  }
  return true;
}

// The count of a body that takes `least` or more arguments; -1 after reporting too few.
long CountAtLeast(IErrorEvents* sink, IArguments* args, VARIANT* result, long least) {
  long n = ArgCount(args);
  if (n < least) {
    ReportTooFewArgs(sink, result);
    return -1;
  }
  return n;
}

void Finite(IErrorEvents* sink, VARIANT* result, long double x, const wchar_t* name) {
  if (IsFiniteValue(x)) SetFloatResult(result, x);
  else ReportNotFinite(sink, result, name);
}

// Sum of squared deviations from the mean, in two passes.
long double SquaredDeviations(const std::vector<long double>& xs) {
  long double m = 0;
  for (long double x : xs) m += x;
  m /= static_cast<long double>(xs.size());
  long double s = 0;
  for (long double x : xs) s += (x - m) * (x - m);
  return s;
}

enum class Pick { Min, Max };

void Extreme(IErrorEvents* sink, IArguments* args, VARIANT* result, Pick pick) {
  long n = CountAtLeast(sink, args, result, 1);
  if (n < 0) return;
  long double best = 0;
  for (long i = 0; i < n; ++i) {
    long double x = FloatArgAt(args, i, sink);
    if (ErrorPending(sink)) return;
    // Ties keep the earlier argument.
    if (i == 0 || (pick == Pick::Min ? x < best : x > best)) best = x;
  }
  SetFloatResult(result, best);
}

}  // namespace

void FuncSum(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  std::vector<long double> xs;
  if (!AllFloats(sink, args, ArgCount(args), xs)) return;
  long double s = 0;
  for (long double x : xs) s += x;
  Finite(sink, result, s, L"sum");
}

void FuncMulti(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  long n = CountAtLeast(sink, args, result, 1);
  std::vector<long double> xs;
  if (n < 0 || !AllFloats(sink, args, n, xs)) return;
  long double p = 1;
  for (long double x : xs) p *= x;
  Finite(sink, result, p, L"multi");
}

void FuncMin(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  Extreme(sink, args, result, Pick::Min);
}

void FuncMax(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  Extreme(sink, args, result, Pick::Max);
}

void FuncAverage(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  long n = CountAtLeast(sink, args, result, 1);
  std::vector<long double> xs;
  if (n < 0 || !AllFloats(sink, args, n, xs)) return;
  long double s = 0;
  for (long double x : xs) s += x;
  SetFloatResult(result, s / n);
}

void FuncSumsqr(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  std::vector<long double> xs;
  if (!AllFloats(sink, args, ArgCount(args), xs)) return;
  long double s = 0;
  for (long double x : xs) s += x * x;
  Finite(sink, result, s, L"sumsqr");
}

void FuncStdev(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  long n = CountAtLeast(sink, args, result, 2);
  std::vector<long double> xs;
  if (n < 0 || !AllFloats(sink, args, n, xs)) return;
  Finite(sink, result, ::sqrtl(SquaredDeviations(xs) / (n - 1)), L"stdev");
}

void FuncStdevp(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  long n = CountAtLeast(sink, args, result, 1);
  std::vector<long double> xs;
  if (n < 0 || !AllFloats(sink, args, n, xs)) return;
  Finite(sink, result, ::sqrtl(SquaredDeviations(xs) / n), L"stdevp");
}

}  // namespace evalkern
