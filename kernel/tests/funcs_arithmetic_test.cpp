// The arithmetic and statistical bodies, called through IFuncs::Func of a BasicSetFuncs object:
// results, result kinds, errors by message id, and which arguments get evaluated.
#include <cmath>

#include "FuncTestKit.h"
#include "NumberText.h"

using namespace evalkern;
using namespace evalkern::funckit;

namespace {

constexpr int kAny = -1;  // a fault of the body: its own text, whatever it says

struct Case {
  const wchar_t* fn;
  std::vector<Arg> args;
  const char* result;         // Describe() of the result
  int error = 0;              // message id the sink must hold, 0 for none, kAny for a fault
  const wchar_t* errorArg = nullptr;
};

std::string Label(const Case& c) {
  std::string s;
  for (const wchar_t* p = c.fn; *p; ++p) s += static_cast<char>(*p);
  return s + "/" + std::to_string(c.args.size());
}

void RunCases(const std::vector<Case>& cases) {
  FuncSet set;
  for (const Case& c : cases) {
    auto o = set.Call(c.fn, c.args);
    SCOPED_TRACE(Label(c));
    EXPECT_EQ(o.hr, S_OK);
    EXPECT_EQ(o.result, c.result);
    if (c.error == kAny) EXPECT_NE(o.error, L"");
    else if (c.error) EXPECT_EQ(o.error, Msg(c.error, c.errorArg));
    else EXPECT_EQ(o.error, L"");
  }
}

const char* kErr = "ERROR:E_INVALIDARG";
const char* kFault = "ERROR:E_FAIL";

}  // namespace

TEST(ArithmeticFuncs, OperatorsAndResultKinds) {
  RunCases({
      {L"plus", {I(2), I(3)}, "I8:5"},
      {L"plus", {F(0.1), F(0.2)}, "R8:0.3"},
      {L"plus", {I(9007199254740993LL), I(0)}, "I8:9007199254740993"},  // no loss through double
      {L"plus", {S(L"1e4932"), S(L"1e4932")}, kErr, 14054, L"+"},
      {L"plus", {F(1e308), F(1e308)}, "BSTR:2E308"},
      {L"minus", {I(2), I(5)}, "I8:-3"},
      {L"minus", {F(INFINITY), I(1)}, "BSTR:INF"},  // no overflow test: the value as it is
      {L"*", {I(6), I(7)}, "I8:42"},
      {L"*", {S(L"1e3000"), S(L"1e3000")}, kErr, 14054, L"*"},
      {L"/", {I(0), I(5)}, "I8:0"},
      {L"/", {I(7), I(2)}, "R8:3.5"},
      {L"/", {I(1), I(3)}, "R8:0.333333333333333"},
      {L"/", {I(6), I(3)}, "I8:2"},
      {L"/", {I(1), I(0)}, kErr, 14009},
      {L"unarminus", {I(5)}, "I8:-5"},
      {L"abs", {F(-2.5)}, "R8:2.5"},
      {L"%", {I(50)}, "R8:0.5"},
      {L"plus", {B(true), I(1)}, "EMPTY", 14001},
      {L"plus", {Empty(), I(1)}, "EMPTY", 14000},
      {L"plus", {S(L"0x10"), S(L"50%")}, "R8:16.5"},
  });
}

TEST(ArithmeticFuncs, FractionsTravelAsNumbersSoOneThirdTimesThreeIsOne) {
  FuncSet set;
  auto third = set.Call(L"/", {I(1), I(3)});
  ASSERT_EQ(third.result, "R8:0.333333333333333");
  VARIANT r;
  VariantInit(&r);
  r.vt = VT_R8;
  r.dblVal = 1.0 / 3.0;
  Arg a;
  VariantCopy(&a.v, &r);
  EXPECT_EQ(set.Call(L"*", {a, I(3)}).result, "I8:1");
}

TEST(ArithmeticFuncs, DivideDoesNotEvaluateTheDividendAfterAZeroDivisor) {
  FuncSet set;
  auto o = set.Call(L"/", {Poison(), I(0)});
  EXPECT_EQ(o.error, Msg(14009));
  EXPECT_EQ(o.evaluated, (std::vector<int>{0, 1}));
  o = set.Call(L"div", {Poison(), I(0)});
  EXPECT_EQ(o.error, Msg(14009));
  EXPECT_EQ(o.evaluated, (std::vector<int>{0, 1}));
}

TEST(ArithmeticFuncs, PowersLogsRoots) {
  RunCases({
      {L"power", {I(0), I(0)}, "I8:1"},
      {L"power", {I(0), I(5)}, "I8:0"},
      {L"power", {I(2), I(10)}, "I8:1024"},
      {L"power", {I(-2), I(3)}, "I8:-8"},
      {L"power", {I(2), I(-2)}, "R8:0.25"},
      {L"power", {I(2), F(0.5)}, "R8:1.4142135623731"},
      {L"power", {I(-8), F(1.0 / 3)}, kErr, 14054, L"power"},
      {L"power", {I(0), I(-1)}, kErr, 14054, L"power"},
      {L"power", {I(10), I(5000)}, kErr, 14054, L"power"},
      {L"^", {I(-8), F(1.0 / 3)}, kErr, 14054, L"^"},
      {L"^", {I(3), I(3)}, "I8:27"},
      {L"log", {I(2), I(8)}, "I8:3"},
      {L"log", {I(1), I(5)}, kErr, 14011},
      {L"log", {I(0), I(5)}, kErr, 14010},
      {L"log", {I(2), I(-1)}, kErr, 14010},
      {L"logarithm", {I(10), I(1000)}, "I8:3"},
      {L"log10", {I(1000)}, "I8:3"},
      {L"lg", {I(0)}, kErr, 14010},
      {L"log2", {I(1024)}, "I8:10"},
      {L"ln", {I(1)}, "I8:0"},
      {L"ln", {I(0)}, kErr, 14010},
      {L"ln", {F(NAN)}, kErr, 14010},
      {L"sqrt", {I(16)}, "I8:4"},
      {L"sqrt", {I(2)}, "R8:1.4142135623731"},
      {L"sqrt", {I(-1)}, kErr, 14015, L"sqrt"},
      {L"sqr", {I(-3)}, "I8:9"},
      {L"sqr", {S(L"1e3000")}, kErr, 14054, L"sqr"},
      {L"exp", {I(0)}, "I8:1"},
      {L"exp", {I(1)}, "R8:2.71828182845905"},
      {L"exp", {I(100000)}, kErr, 14054, L"exp"},
  });
}

TEST(ArithmeticFuncs, FracIntSign) {
  RunCases({
      {L"frac", {F(2.75)}, "R8:0.75"},
      {L"frac", {F(-2.75)}, "R8:-0.75"},
      {L"frac", {I(3)}, "I4:0"},
      {L"int", {F(-3.9)}, "I8:-3"},
      {L"trunc", {F(3.9)}, "I8:3"},
      {L"int", {F(1e19)}, kFault, kAny},  // no 64-bit truncation: reported, never undefined
      {L"sign", {F(-0.0)}, "I4:0"},
      {L"sign", {I(-7)}, "I4:-1"},
      {L"sign", {F(0.1)}, "I4:1"},
  });
}

TEST(ArithmeticFuncs, Rounding) {
  RunCases({
      {L"round", {F(2.5)}, "I8:3"},
      {L"round", {F(-2.5)}, "I8:-3"},
      // A whole-number result is taken from the value as shown: the double just below one half
      // shows as 0.5 and rounds like round(x, 0) does; a value shown below one half gives 0.
      {L"round", {F(0.49999999999999994)}, "I8:1"},
      {L"round", {F(0.499999999999999)}, "I8:0"},
      {L"rounddn", {F(28.999999999999996)}, "I8:29"},  // 0.29*100
      {L"int", {F(-28.999999999999996)}, "I8:-29"},
      {L"frac", {F(434.99999999999994)}, "I4:0"},     // 4.35*100
      {L"round", {F(3.14159), I(2)}, "R8:3.14"},
      {L"round", {F(2.675), I(2)}, "R8:2.68"},
      {L"round", {I(1234), I(-2)}, "I8:1200"},
      {L"round", {I(1), I(-6000)}, "I8:0"},
      {L"rounddn", {F(-2.7)}, "I8:-2"},
      {L"rounddn", {F(0.29), I(2)}, "R8:0.29"},
      {L"rounddn", {F(-1.55), I(1)}, "R8:-1.5"},
      {L"roundup", {F(1.1), I(1)}, "R8:1.1"},
      {L"roundup", {F(1.11), I(1)}, "R8:1.2"},
      {L"roundup", {F(2.1)}, "I8:3"},
      {L"roundup", {F(-2.1)}, "I8:-3"},
      {L"roundup", {I(2)}, "I8:2"},
      {L"roundup", {I(0)}, "I8:0"},
      {L"round", {F(1.5), I(3000000000LL)}, kFault, kAny},  // digits beyond 32 bits
      {L"round", {F(1e19)}, kFault, kAny},
      {L"round", {}, kErr, 14008},
      {L"round", {I(1), I(2), I(3)}, kErr, 14007},
  });
}

TEST(ArithmeticFuncs, RoundingFetchesTheDigitsFirst) {
  FuncSet set;
  auto o = set.Call(L"round", {I(1), Poison()});
  EXPECT_EQ(o.result, "EMPTY");
  EXPECT_EQ(o.evaluated, (std::vector<int>{0, 1}));
}

TEST(ArithmeticFuncs, IntegerDivision) {
  RunCases({
      {L"div", {I(-7), I(2)}, "I8:-3"},
      {L"mod", {I(-7), I(2)}, "I8:-1"},
      {L"mod", {I(7), I(-2)}, "I8:1"},
      {L"div", {I(5), I(0)}, kErr, 14009},
      {L"mod", {I(5), I(0)}, kErr, 14009},
      {L"div", {F(7.5), I(2)}, "EMPTY", 14002},
      {L"div", {S(L"0x10"), I(4)}, "I8:4"},
      // The one quotient that does not fit: detected before the division.
      {L"div", {I(INT64_MIN), I(-1)}, kFault, kAny},
      {L"mod", {I(INT64_MIN), I(-1)}, kFault, kAny},
      {L"div", {I(INT64_MIN), I(1)}, "I8:-9223372036854775808"},
  });
}

TEST(ArithmeticFuncs, FactorialsLnGammaPermutations) {
  RunCases({
      {L"!", {I(0)}, "I8:1"},
      {L"!", {I(5)}, "I8:120"},
      {L"!", {I(20)}, "I8:2432902008176640000"},
      {L"!", {I(21)}, "R8:5.10909421717094e+19"},
      {L"!", {I(170)}, "R8:7.257415615308e+306"},
      {L"!", {I(171)}, "BSTR:1.24101807021767E309"},
      {L"!", {I(1754)}, "BSTR:1.97926189010501E4930"},
      {L"!", {I(1755)}, kErr, 14054, L"factorial"},
      {L"!", {I(-1)}, kErr, 14015, L"factorial"},
      {L"!", {F(0.5)}, "R8:0.886226925452758"},
      {L"lngamma", {I(1)}, "I8:0"},
      {L"lngamma", {I(10)}, "R8:12.8018274800815"},
      {L"lngamma", {F(0.5)}, "R8:0.5723649429247"},
      {L"lngamma", {I(0)}, kErr, 14064, L"lngamma"},
      {L"permut", {I(5), I(2)}, "I8:20"},
      {L"permut", {I(5), I(0)}, "I8:1"},
      {L"permut", {I(30), I(5)}, "I8:17100720"},
      {L"permut", {I(3000), I(2)}, "I8:8997000"},  // through LnGamma, still whole
      {L"permut", {I(2), I(5)}, kErr, 14065},
      {L"permut", {I(-1), I(0)}, kErr, 14015, L"permut"},
  });
}

TEST(ArithmeticFuncs, FactorialTableEnds) {
  EXPECT_EQ(FactorialEntry(0), 1.0L);
  EXPECT_EQ(FactorialEntry(1), 1.0L);
  EXPECT_EQ(FactorialEntry(20), 2432902008176640000.0L);
  EXPECT_TRUE(std::isfinite(FactorialEntry(1754)));
  EXPECT_GT(FactorialEntry(1754), 1.9e4930L);
}

TEST(StatisticFuncs, Bodies) {
  RunCases({
      {L"sum", {}, "I8:0"},
      {L"sum", {I(1), I(2), F(0.5)}, "R8:3.5"},
      {L"sum", {S(L"1e4932"), S(L"1e4932")}, kErr, 14054, L"sum"},
      {L"multi", {I(2), I(3), I(4)}, "I8:24"},
      {L"multi", {}, kErr, 14008},
      {L"min", {I(3), I(1), I(2)}, "I8:1"},
      {L"minimum", {F(-0.5), I(7)}, "R8:-0.5"},
      {L"max", {I(3), I(1), I(2)}, "I8:3"},
      {L"maximal", {I(4)}, "I8:4"},
      {L"min", {B(true)}, "EMPTY", 14001},
      {L"max", {}, kErr, 14008},
      {L"average", {I(1), I(2)}, "R8:1.5"},
      {L"average", {}, kErr, 14008},
      {L"sumsqr", {I(1), I(2), I(3)}, "I8:14"},
      {L"stdev", {I(1)}, kErr, 14008},
      {L"stdev", {I(2), I(4)}, "R8:1.4142135623731"},
      {L"stdevp", {I(2), I(4)}, "I8:1"},
      {L"stdevp", {I(5)}, "I8:0"},
  });
}

TEST(StatisticFuncs, StopAtTheFirstArgumentThatFails) {
  FuncSet set;
  auto o = set.Call(L"sum", {I(1), Poison(), I(3)});
  EXPECT_EQ(o.result, "EMPTY");
  EXPECT_EQ(o.error, L"poisoned argument");
  EXPECT_EQ(o.evaluated, (std::vector<int>{1, 1, 0}));
  o = set.Call(L"stdev", {I(1), I(2), Poison()});
  EXPECT_EQ(o.result, "EMPTY");
  EXPECT_EQ(o.evaluated, (std::vector<int>{1, 1, 1}));
}

// A thread may run with the x87 unit at 53-bit precision; the set computes in extended precision
// all the same.
TEST(ArithmeticFuncs, ExtendedPrecisionOnAThreadSetTo53Bits) {
  FuncSet set;
  std::string exact;
  std::pair<FuncSet*, std::string*> job(&set, &exact);
  HANDLE t = CreateThread(
      nullptr, 0,
      [](void* p) -> DWORD {
        auto* s = static_cast<std::pair<FuncSet*, std::string*>*>(p);
        unsigned short cw;
        __asm__ __volatile__("fnstcw %0" : "=m"(cw));
        cw = static_cast<unsigned short>((cw & ~0x0300) | 0x0200);  // 53-bit significands
        __asm__ __volatile__("fldcw %0" : : "m"(cw));
        *s->second = s->first->Call(L"plus", {I(9007199254740993LL), I(0)}).result;
        return 0;
      },
      &job, 0, nullptr);
  ASSERT_NE(t, nullptr);
  WaitForSingleObject(t, INFINITE);
  CloseHandle(t);
  EXPECT_EQ(exact, "I8:9007199254740993");
}
