#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

#include "NumberText.h"
#include "Precision.h"

using namespace evalkern;

namespace {

constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
constexpr int64_t kMax = std::numeric_limits<int64_t>::max();

// Owns the VARIANT a reader fills.
struct Value {
  VARIANT v;
  Value() { VariantInit(&v); }
  ~Value() { VariantClear(&v); }
};

std::wstring Ones(size_t n) { return std::wstring(n, L'1'); }

// ---- StrToNumber: what each literal becomes ----

struct IntCase {
  const wchar_t* text;
  int64_t value;
};

TEST(StrToNumber, IntegersInEveryNotation) {
  const IntCase cases[] = {
      {L"0", 0},
      {L"42", 42},
      {L"-17", -17},
      {L"  +8", 8},
      {L"9223372036854775807", kMax},
      {L"-9223372036854775808", kMin},
      {L"0b1010", 10},
      {L"0b0", 0},
      {L"0o17", 15},
      {L"0o0000000000000000000017", 15},
      {L"0x1F", 31},
      {L"0x1f", 31},
      {L"0X1F", 31},  // through the plain integer conversion
      {L"#ff", 255},
      {L"$FF", 255},
      {L"x10", 16},
      {L"-$10", -16},
      {L"0rmcmxciv", 1994},
      {L"0rMCMXCIV", 1994},
      {L"0rIIII", 4},  // shapes are not checked
      {L"0rIC", 99},
      {L"0rIIX", 10},
      {L"0r", 0},  // the Roman text of zero reads back
  };
  for (const auto& c : cases) {
    Value v;
    ASSERT_NO_THROW(StrToNumber(c.text, v.v)) << c.text;
    EXPECT_EQ(v.v.vt, VT_I8) << c.text;
    EXPECT_EQ(v.v.llVal, c.value) << c.text;
  }
}

TEST(StrToNumber, SixtyFourBitPatternsReadAsTwosComplement) {
  const IntCase cases[] = {
      {L"0b1", 1},
      {L"0b1000000000000000000000000000000000000000000000000000000000000000", kMin},
      {L"0x8000000000000000", kMin},
      {L"0xFFFFFFFFFFFFFFFF", -1},
      {L"#FFFFFFFFFFFFFFFE", -2},
      {L"0o1777777777777777777777", -1},
      {L"0o1000000000000000000000", kMin},
      {L"0o0777777777777777777777", kMax},
  };
  for (const auto& c : cases) {
    Value v;
    ASSERT_NO_THROW(StrToNumber(c.text, v.v)) << c.text;
    EXPECT_EQ(v.v.vt, VT_I8) << c.text;
    EXPECT_EQ(v.v.llVal, c.value) << c.text;
  }
  Value ones;
  StrToNumber(L"0b" + Ones(64), ones.v);
  EXPECT_EQ(ones.v.llVal, -1);
}

TEST(StrToNumber, FractionsPercentagesAndHugeValues) {
  struct {
    const wchar_t* text;
    double value;
  } cases[] = {
      {L"1.5", 1.5},      {L".5", 0.5},    {L"5.", 5.0},         {L"1e3", 1000.0},
      {L"1.5E-3", 1.5e-3}, {L"50%", 0.5},   {L"0x10%", 0.16},     {L"12.5%", 0.125},
      {L"0r%", 0.0},      {L" 2.5 ", 2.5}, {L"9223372036854775808", 9223372036854775808.0},
      {L"1e308", 1e308},  {L"1e310%", 1e308},
  };
  for (const auto& c : cases) {
    Value v;
    ASSERT_NO_THROW(StrToNumber(c.text, v.v)) << c.text;
    EXPECT_EQ(v.v.vt, VT_R8) << c.text;
    EXPECT_DOUBLE_EQ(v.v.dblVal, c.value) << c.text;
  }
  // 1.6e308 and more stays the literal's own text (without its "%").
  for (const wchar_t* t : {L"1e400", L"1.6e308", L"1e400%", L"1e5000"}) {
    Value v;
    ASSERT_NO_THROW(StrToNumber(t, v.v)) << t;
    ASSERT_EQ(v.v.vt, VT_BSTR) << t;
    std::wstring expected = t;
    if (expected.back() == L'%') expected.pop_back();
    EXPECT_EQ(std::wstring(v.v.bstrVal), expected);
  }
}

// A decimal just above the midpoint of two doubles: read through extended first it would land
// on the midpoint and then round to even, one double too low.
TEST(StrToNumber, DecimalsReadStraightToTheNearestDouble) {
  Value v;
  StrToNumber(L"1.000000000000000111022302462515654042363166809082031250001", v.v);
  ASSERT_EQ(v.v.vt, VT_R8);
  EXPECT_EQ(v.v.dblVal, 1.0000000000000002);
}

// Every bad literal raises a conversion error with the user-facing text, and leaves the
// target untouched.
TEST(StrToNumber, BadLiteralsRaiseTheirMessage) {
  struct {
    std::wstring text;
    std::wstring message;
  } cases[] = {
      {L"0b2", L"0b2 is not a valid integer value"},
      {L"0b" + Ones(65), L"0b" + Ones(65) + L" is not a valid integer value"},
      {L"0o8", L"0o8 is not a valid integer value"},
      {L"0o" + Ones(23), L"0o" + Ones(23) + L" is not a valid integer value"},
      {L"0x1G", L"0x1G is not a valid integer value"},
      {L"0x" + Ones(17), L"0x" + Ones(17) + L" is not a valid integer value"},
      {L"#" + Ones(17), L"#" + Ones(17) + L" is not a valid integer value"},
      {L"$1z%", L"$1z is not a valid integer value"},
      {L"0rMZ", L"0rMZ is not a valid integer value"},
      {L"0B1", L"'0B1' is not a valid floating point value"},
      {L"0x", L"'0x' is not a valid floating point value"},
      {L"0b", L"'0b' is not a valid floating point value"},
      {L"2e", L"'2e' is not a valid floating point value"},
      {L".", L"'.' is not a valid floating point value"},
      {L"", L"'' is not a valid floating point value"},
      {L"1.2.3", L"'1.2.3' is not a valid floating point value"},
      {L"1,5", L"'1,5' is not a valid floating point value"},
      {L"5%%", L"'5%' is not a valid floating point value"},
      {L"abc", L"'abc' is not a valid floating point value"},
      {L"inf", L"'inf' is not a valid floating point value"},
      {L"0x1p3", L"0x1p3 is not a valid integer value"},
  };
  for (const auto& c : cases) {
    Value v;
    v.v.vt = VT_I4;
    v.v.lVal = 7;
    try {
      StrToNumber(c.text, v.v);
      ADD_FAILURE() << "no error for " << std::string(c.text.begin(), c.text.end());
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.text, c.message);
    }
    EXPECT_EQ(v.v.vt, VT_I4);
    EXPECT_EQ(v.v.lVal, 7);
  }
}

// Arbitrary short texts made of literal characters either read or raise one of the two
// reader errors; nothing else escapes.
TEST(StrToNumber, ArbitraryTextsReadOrRaiseAReaderError) {
  std::mt19937 rng(777);
  const std::wstring alphabet = L"0123456789abxorXBOR#$%.eE+- MCDIVLf";
  for (int i = 0; i < 20000; ++i) {
    std::wstring t;
    for (int k = static_cast<int>(rng() % 10); k > 0; --k) t += alphabet[rng() % alphabet.size()];
    for (int reader = 0; reader < 3; ++reader) {
      try {
        Value v;
        if (reader == 0) StrToNumber(t, v.v);
        if (reader == 1) StrToInt64Value(t);
        if (reader == 2) StrToFloatValue(t);
      } catch (const EConvertError&) {
      } catch (const EIntOverflow&) {
      } catch (...) {
        ADD_FAILURE() << "unexpected failure";
      }
    }
  }
}

// Wider than 64 bits is an overflow, never a changed value.
TEST(StrToNumber, WiderThanSixtyFourBitsOverflows) {
  for (const wchar_t* t : {L"0o2000000000000000000000", L"0o4000000000000000000000",
                           L"0o7777777777777777777777", L"0o3000000000000000000001"}) {
    Value v;
    EXPECT_THROW(StrToNumber(t, v.v), EIntOverflow) << t;
    EXPECT_THROW(StrToInt64Value(t), EIntOverflow) << t;
  }
  EXPECT_THROW(StrToFloatValue(L"0o2000000000000000000000%"), EIntOverflow);
  try {
    StrToInt64Value(L"0o4000000000000000000000");
  } catch (const KernelError& e) {
    EXPECT_EQ(e.text, L"Integer overflow");
  }
}

// ---- the two narrower readers ----

TEST(StrToFloatValue, SameNotationsAsExtended) {
  X87Precision precision;
  EXPECT_EQ(StrToFloatValue(L"0x10"), 16.0L);
  EXPECT_EQ(StrToFloatValue(L"0x10%"), 0.16L);
  EXPECT_EQ(StrToFloatValue(L"0rXL"), 40.0L);
  EXPECT_EQ(StrToFloatValue(L"-9223372036854775808"), -9223372036854775808.0L);
  EXPECT_EQ(StrToFloatValue(L"0.1"), 0.1L);  // read into extended, not through double
  EXPECT_EQ(StrToFloatValue(L"1e400"), 1e400L);
  EXPECT_THROW(StrToFloatValue(L"x"), EConvertError);
  EXPECT_THROW(StrToFloatValue(L"1e5000"), EConvertError);  // beyond the extended range
}

TEST(StrToInt64Value, IntegersOnly) {
  EXPECT_EQ(StrToInt64Value(L"0b101"), 5);
  EXPECT_EQ(StrToInt64Value(L"$ff"), 255);
  EXPECT_EQ(StrToInt64Value(L"-12"), -12);
  EXPECT_EQ(StrToInt64Value(L"0r"), 0);
  struct {
    const wchar_t* text;
    const wchar_t* message;
  } bad[] = {
      {L"50%", L"'50%' is not a valid integer value"},
      {L"1.5", L"'1.5' is not a valid integer value"},
      {L"9223372036854775808", L"'9223372036854775808' is not a valid integer value"},
      {L"", L"'' is not a valid integer value"},
      {L"0b3", L"0b3 is not a valid integer value"},
  };
  for (const auto& c : bad) {
    try {
      StrToInt64Value(c.text);
      ADD_FAILURE() << "no error";
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.text, c.message);
    }
  }
}

// ---- writers ----

TEST(IntegerWriters, DigitsOfThePattern) {
  struct {
    int64_t v;
    const wchar_t* hex;
    const wchar_t* oct;
    const wchar_t* bin;
  } cases[] = {
      {0, L"00", L"00", L"00"},
      {1, L"01", L"01", L"01"},
      {5, L"05", L"05", L"101"},
      {10, L"0A", L"12", L"1010"},
      {255, L"FF", L"377", L"11111111"},
      {-1, L"FFFFFFFFFFFFFFFF", L"1777777777777777777777",
       L"1111111111111111111111111111111111111111111111111111111111111111"},
      {kMin, L"8000000000000000", L"1000000000000000000000",
       L"1000000000000000000000000000000000000000000000000000000000000000"},
      {kMax, L"7FFFFFFFFFFFFFFF", L"777777777777777777777",
       L"111111111111111111111111111111111111111111111111111111111111111"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Int64ToHex(c.v, 2), c.hex) << c.v;
    EXPECT_EQ(Int64ToOct(c.v, 2), c.oct) << c.v;
    EXPECT_EQ(Int64ToBin(c.v, 2), c.bin) << c.v;
  }
  EXPECT_EQ(Int64ToHex(10, 4), L"000A");
}

// Everything written reads back as the same integer, in every notation.
TEST(IntegerWriters, RoundTripInEveryNotation) {
  const int64_t values[] = {0, 1, -1, 2, 7, 8, 100, -100, 4096, 1234567890123LL, -987654321,
                            kMin, kMax, kMin + 1, kMax - 1, int64_t{1} << 62};
  for (int64_t v : values) {
    EXPECT_EQ(StrToInt64Value(L"0x" + Int64ToHex(v, 2)), v);
    EXPECT_EQ(StrToInt64Value(L"#" + Int64ToHex(v, 2)), v);
    EXPECT_EQ(StrToInt64Value(L"0o" + Int64ToOct(v, 2)), v);
    EXPECT_EQ(StrToInt64Value(L"0b" + Int64ToBin(v, 2)), v);
    EXPECT_EQ(StrToInt64Value(std::to_wstring(v)), v);
    Value n;
    StrToNumber(L"0x" + Int64ToHex(v, 2), n.v);
    EXPECT_EQ(n.v.llVal, v);
  }
}

TEST(IntToRoman, KnownNumerals) {
  EXPECT_EQ(IntToRoman(0), L"0r");
  EXPECT_EQ(IntToRoman(1994), L"0rMCMXCIV");
  EXPECT_EQ(IntToRoman(-4), L"-0rIV");
  EXPECT_EQ(IntToRoman(3999), L"0rMMMCMXCIX");
  EXPECT_EQ(IntToRoman(100000), L"0r" + std::wstring(100, L'M'));
  for (int64_t v : {int64_t{100001}, int64_t{-100001}, kMin, kMax}) {
    try {
      IntToRoman(v);
      ADD_FAILURE() << v;
    } catch (const KernelError& e) {
      EXPECT_EQ(e.text, std::to_wstring(v) + L", is not convert value");
    }
  }
}

TEST(IntToRoman, RoundTripUpToTheLimit) {
  for (int64_t v = -kRomanLimit; v <= kRomanLimit; ++v) {
    std::wstring s = IntToRoman(v);
    int64_t back = v < 0 ? -StrToInt64Value(s.substr(1)) : StrToInt64Value(s);
    if (back != v) {
      ADD_FAILURE() << v;
      break;
    }
  }
}

// ---- LnGamma ----

TEST(LnGamma, Values) {
  X87Precision precision;
  EXPECT_EQ(LnGamma(1.0L), 0.0L);
  EXPECT_EQ(LnGamma(2.0L), 0.0L);
  struct {
    long double x, expected;
  } cases[] = {
      {0.5L, 0.57236494292470008707171367567652935L},  // ln sqrt(pi)
      {3.0L, 0.69314718055994530941723212145817657L},  // ln 2
      {10.0L, 12.801827480081469611207717874566706L},  // ln 9!
      {100.0L, 359.13420536957539877604401046028690L},
      {1e-10L, 23.025850929882735273697985931116831L},
      {1e6L, 12815504.569147611659976971785017113L},
      {1.5L, -0.12078223763524522234551844578164721L},
  };
  for (const auto& c : cases) {
    long double got = LnGamma(c.x);
    EXPECT_LE(std::fabs(got - c.expected), std::fabs(c.expected) * 4e-17L + 1e-18L)
        << static_cast<double>(c.x);
  }
  for (long double bad : {0.0L, -1.0L, -0.5L, std::numeric_limits<long double>::quiet_NaN()}) {
    try {
      LnGamma(bad);
      ADD_FAILURE() << static_cast<double>(bad);
    } catch (const KernelError& e) {
      EXPECT_EQ(e.text, L"Negative argument logGamma(X): Error!");
    }
  }
}

// Extended results even when the thread runs at double precision.
TEST(LnGamma, ExtendedOnADoublePrecisionThread) {
  unsigned short cw, dbl;
  __asm__ __volatile__("fnstcw %0" : "=m"(cw));
  dbl = static_cast<unsigned short>((cw & ~0x0300) | 0x0200);
  __asm__ __volatile__("fldcw %0" : : "m"(dbl));
  long double got = LnGamma(0.5L);
  unsigned during = X87Precision::Current();
  __asm__ __volatile__("fldcw %0" : : "m"(cw));
  EXPECT_EQ(during, 2u);  // the caller's setting is restored
  EXPECT_LE(std::fabs(got - 0.57236494292470008707171367567652935L), 2e-17L);
}

}  // namespace
