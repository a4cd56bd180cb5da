// Argument conversions by VARIANT type, the result rules of SetFloatResult and the count checks.
#include <cmath>
#include <random>

#include "FuncTestKit.h"
#include "Precision.h"

using namespace evalkern;
using namespace evalkern::funckit;

namespace {

struct SinkFixture : ::testing::Test {
  RecordingSink* sink = new RecordingSink();
  ~SinkFixture() override { sink->Release(); }
  std::wstring Error() const { return sink->flag ? sink->text : L""; }
};

std::string ResultOf(long double x) {
  VARIANT r;
  VariantInit(&r);
  SetFloatResult(&r, x);
  std::string s = Describe(r);
  VariantClear(&r);
  return s;
}

}  // namespace

using ArgAccess = SinkFixture;

TEST_F(ArgAccess, ArgAsFloatByType) {
  struct {
    Arg arg;
    long double value;
    int error;
  } cases[] = {
      {I(7), 7, 0},           {I4(-3), -3, 0},        {F(2.5), 2.5L, 0},
      {Cy(15000), 1.5L, 0},   {S(L"0x10"), 16, 0},    {S(L"50%"), 0.5L, 0},
      {Empty(), -9999, 14000}, {OfType(VT_ERROR), -9999, 14000},
      {B(true), -9999, 14001}, {OfType(VT_NULL), -9999, 14001}, {OfType(VT_DATE), -9999, 14001},
  };
  for (auto& c : cases) {
    sink->Clear();
    EXPECT_EQ(ArgAsFloat(c.arg.v, sink), c.value);
    EXPECT_EQ(Error(), c.error ? Msg(c.error) : L"");
  }
}

TEST_F(ArgAccess, ArgAsInt64ByType) {
  struct {
    Arg arg;
    int64_t value;
    int error;
  } cases[] = {
      {I(INT64_MIN), INT64_MIN, 0}, {F(2.0), 2, 0},      {F(2.5), -9999, 14002},
      {F(1e19), -9999, 14002},      {F(-9223372036854775808.0), INT64_MIN, 0},
      {F(9223372036854775808.0), -9999, 14002},          {F(NAN), -9999, 14002},
      {Cy(25000), 2, 0},            {Cy(35000), 4, 0},   {Cy(-25000), -2, 0},  // halves to even
      {S(L"#ff"), 255, 0},          {B(false), -9999, 14002},  {Empty(), -9999, 14000},
  };
  for (auto& c : cases) {
    sink->Clear();
    EXPECT_EQ(ArgAsInt64(c.arg.v, sink), c.value);
    EXPECT_EQ(Error(), c.error ? Msg(c.error) : L"");
  }
}

TEST_F(ArgAccess, ArgAsBooleanAndArgAsLogical) {
  EXPECT_TRUE(ArgAsBoolean(B(true).v, sink));
  EXPECT_TRUE(ArgAsBoolean(S(L"TrUe").v, sink));
  EXPECT_FALSE(ArgAsBoolean(S(L"false").v, sink));
  EXPECT_EQ(Error(), L"");
  EXPECT_FALSE(ArgAsBoolean(I(1).v, sink));
  EXPECT_EQ(Error(), Msg(14003));

  struct {
    Arg arg;
    const char* result;
    int error;
  } cases[] = {
      {F(3.0), "I8:3", 0},       {F(3.5), "EMPTY", 14004},   {S(L"TRUE"), "BOOL:true", 0},
      {S(L"0x10"), "I8:16", 0},  {I4(5), "I4:5", 0},         {B(false), "BOOL:false", 0},
      {F(1e19), "EMPTY", 14004}, {OfType(VT_NULL), "EMPTY", 14004}, {Empty(), "EMPTY", 14000},
  };
  for (auto& c : cases) {
    sink->Clear();
    OwnedVariant v = ArgAsLogical(c.arg.v, sink);
    EXPECT_EQ(Describe(v.Get()), c.result);
    EXPECT_EQ(Error(), c.error ? Msg(c.error) : L"");
  }
}

TEST_F(ArgAccess, CompareArgsReadsTextsAsNumbersOrBooleans) {
  struct {
    Arg arg;
    const char* result;
    int error;
  } cases[] = {
      {S(L"12"), "I8:12", 0},   {S(L"1.5"), "R8:1.5", 0},   {S(L"True"), "BOOL:true", 0},
      {F(2.5), "R8:2.5", 0},    {OfType(VT_DATE), "EMPTY", 14005}, {Empty(), "EMPTY", 14000},
  };
  for (auto& c : cases) {
    sink->Clear();
    OwnedVariant v = CompareArgs(c.arg.v, sink);
    EXPECT_EQ(Describe(v.Get()), c.result);
    EXPECT_EQ(Error(), c.error ? Msg(c.error) : L"");
  }
}

TEST_F(ArgAccess, ConversionsFailSilentlyOnceTheFlagIsSet) {
  sink->flag = VARIANT_TRUE;
  sink->text = L"earlier";
  EXPECT_EQ(ArgAsFloat(I(3).v, sink), -9999);
  EXPECT_EQ(ArgAsInt64(I(3).v, sink), -9999);
  EXPECT_FALSE(ArgAsBoolean(B(true).v, sink));
  EXPECT_EQ(ArgAsLogical(I(3).v, sink).Type(), VT_EMPTY);
  EXPECT_EQ(CompareArgs(I(3).v, sink).Type(), VT_EMPTY);
  EXPECT_EQ(sink->text, L"earlier");
  EXPECT_EQ(sink->calls, "");
}

TEST(SetFloatResult, KindsByMagnitude) {
  struct {
    long double x;
    const char* result;
  } cases[] = {
      {6.0L, "I8:6"},
      {0.5L, "R8:0.5"},
      {1.0L / 3, "R8:0.333333333333333"},
      {1e19L, "R8:1e+19"},
      {1e-20L, "R8:1e-20"},
      {9e18L, "I8:9000000000000000000"},
      {-9e18L, "I8:-9000000000000000000"},
      {9007199254740993.0L, "I8:9007199254740993"},  // whole: all 64 bits kept
      {1.0L - 1e-17L, "I8:1"},                        // a fraction that rounds to a whole double
      {-0.0L, "I8:0"},
      {1.6e308L, "BSTR:1.6E308"},
      {-2e400L, "BSTR:-2E400"},
      {INFINITY, "BSTR:INF"},
      {-INFINITY, "BSTR:-INF"},
  };
  for (const auto& c : cases) EXPECT_EQ(ResultOf(c.x), c.result);
  volatile long double inf = INFINITY;
  EXPECT_EQ(ResultOf(inf - inf), "BSTR:NAN");  // the x87 default NaN has its sign bit set
  EXPECT_EQ(ResultOf(NAN), "BSTR:NAN");
}

// The value a 15-digit decimal text of x reads back as: what RoundTo15Digits must give.
long double ThroughText(long double x) {
  char buf[64];
  __mingw_snprintf(buf, sizeof buf, "%.14Le", x);
  return __mingw_strtold(buf, nullptr);
}

TEST(RoundTo15Digits, AgreesWithTheDecimalText) {
  X87Precision precision;
  const long double edges[] = {
      0.1L + 0.2L, 0.29L * 100, 1.0L / 3, 2.0L / 3, 123456789012345.5L, 123456789012344.5L,
      999999999999999.5L, 99999999999999.95L, 9.999999999999995L, 1e-5L, 0.99999999999999995e-5L,
      1e15L, 999999999999999.9L, 1.0L + 0x1p-60L, 0.5L, 18.01528L, 1e-300L, 1e300L, 7e18L,
  };
  for (long double x : edges)
    for (long double v : {x, -x}) EXPECT_EQ(RoundTo15Digits(v), ThroughText(v)) << static_cast<double>(v);
  // Random significands over every decade the exact path covers and a little beyond.
  std::mt19937_64 rng(17);
  for (int i = 0; i < 200000; ++i) {
    const int decade = static_cast<int>(rng() % 24) - 7;
    const long double x = std::ldexp(static_cast<long double>(rng() | (1ull << 63)), -64) *
                          std::pow(10.0L, static_cast<long double>(decade));
    ASSERT_EQ(RoundTo15Digits(x), ThroughText(x)) << static_cast<double>(x);
  }
}

TEST(SetFloatResult, FiniteTest) {
  EXPECT_TRUE(IsFiniteValue(1e4000L));
  EXPECT_FALSE(IsFiniteValue(INFINITY));
  EXPECT_FALSE(IsFiniteValue(-INFINITY));
  EXPECT_FALSE(IsFiniteValue(NAN));
}

TEST(CountChecks, AnswerTheDistanceToTheNearestAllowedCount) {
  struct {
    CountCheck check;
    long n, expect;
  } cases[] = {
      {CheckArgs1Or3, 2, -1},   {CheckArgs1Or3, 0, -3},  {CheckArgs1Or3, 4, 1},
      {CheckArgs1Or3, 1, 0},    {CheckArgs1Or3, 3, 0},   {CheckArgs1Or2, 0, -1},
      {CheckArgs1Or2, 3, 1},    {CheckArgs1Or2, 2, 0},   {CheckArgs0To2, 5, 3},
      {CheckArgs0To2, -1, -3},  {CheckArgs0To2, 0, 0},   {CheckArgsNone, 2, 2},
      {CheckArgsNone, 0, 0},    {CheckArgsAny, 7, 0},    {CheckArgsAny, -4, -4},
      {CheckArgsAtLeast1, 0, -1}, {CheckArgsAtLeast1, 9, 0}, {CheckArgsAtLeast2, 1, -1},
      {CheckArgsExactly1, 3, 2},  {CheckArgsExactly2, 1, -1}, {CheckArgsExactly3, 3, 0},
      // A count from outside may be anything; the answer never wraps around.
      {CheckArgsExactly3, INT32_MIN, INT32_MIN}, {CheckArgsAtLeast2, INT32_MIN, INT32_MIN},
  };
  for (const auto& c : cases) EXPECT_EQ(c.check(c.n), c.expect) << c.n;
}

TEST(AliasMatch, FoldsOnlyAsciiLetters) {
  std::vector<std::wstring> aliases = {L"arcsin", L"asin"};
  EXPECT_TRUE(MatchAlias(aliases, L"ASIN"));
  EXPECT_TRUE(MatchAlias(aliases, L"ArcSin"));
  EXPECT_FALSE(MatchAlias(aliases, L"asin "));
  EXPECT_FALSE(MatchAlias(aliases, L""));
  EXPECT_FALSE(MatchAlias({L"\u00e9"}, L"\u00c9"));
}
