// Conversion bodies (notations, Roman, decimal) and computer bodies (rgb, random, guid, winerror).
#include <cwchar>

#include "FuncTestKit.h"

using namespace evalkern;
using namespace evalkern::funckit;

namespace {
const char* kErr = "ERROR:E_INVALIDARG";
}

TEST(ConversionFuncs, Notations) {
  FuncSet set;
  RunCallCases(set, {
      {L"hex", {I(255)}, "BSTR:0xff"},
      {L"hex", {I(5)}, "BSTR:0x05"},
      {L"hex", {I(-1)}, "BSTR:0xffffffffffffffff"},
      {L"bin", {I(5)}, "BSTR:0b101"},
      {L"bin", {I(0)}, "BSTR:0b00"},
      {L"oct", {I(8)}, "BSTR:0o10"},
      {L"oct", {I(-1)}, "BSTR:0o1777777777777777777777"},
      {L"decimal", {S(L"0xff")}, "BSTR:255"},
      {L"decimal", {F(2.0)}, "BSTR:2"},
      {L"decimal", {I(INT64_MIN)}, "BSTR:-9223372036854775808"},
      {L"decimal", {F(2.5)}, "EMPTY", 14002},
      {L"roman", {I(1994)}, "BSTR:0rMCMXCIV"},
      {L"roman", {I(-4)}, "BSTR:-0rIV"},
      {L"roman", {I(0)}, "BSTR:0r"},
      {L"roman", {I(100001)}, "EMPTY", 14067},  // Empty, not the error value
      {L"roman", {I(INT64_MIN)}, "EMPTY", 14067},
      {L"hex", {}, kErr, 14008},
  });
  auto o = set.Call(L"roman", {I(100000)});
  EXPECT_EQ(o.result, "BSTR:0r" + std::string(100, 'M'));
}

TEST(ComputerFuncs, Rgb) {
  FuncSet set;
  RunCallCases(set, {
      {L"rgb", {I(255), I(0), I(0)}, "I4:16711680"},
      {L"rgb", {I(0), I(0), I(255)}, "I4:255"},
      {L"rgb", {I(256), I(0), I(0)}, "EMPTY", 14016, L"rgb"},
      {L"rgb", {I(0), I(-1), I(0)}, "EMPTY", 14016, L"rgb"},
      {L"rgb", {I(16777216)}, "EMPTY", 14017},
      {L"rgb", {I(-1)}, "EMPTY", 14017},
      {L"rgb", {I(1), I(2)}, kErr, 14008},
      {L"rgb", {I(1), I(2), I(3), I(4)}, kErr, 14007},
  });
  auto o = set.Call(L"rgb", {I(0xFF0080)});
  std::wstring expect = L"'(" + GetMessageText(10064) + L": 255, " + GetMessageText(10065) +
                        L": 0, " + GetMessageText(10066) + L": 128)'";
  EXPECT_EQ(o.result, "BSTR:" + Narrow(expect.c_str()));
  // The three components are fetched before the one check.
  o = set.Call(L"rgb", {Poison(), I(1), I(2)});
  EXPECT_EQ(o.evaluated, (std::vector<int>{1, 1, 1}));
  EXPECT_EQ(o.result, "EMPTY");
}

namespace {
double NumberOf(const std::string& described) {
  return std::stod(described.substr(described.find(':') + 1));
}
}  // namespace

TEST(ComputerFuncs, RandomRangesAndSteps) {
  FuncSet set;
  for (int i = 0; i < 50; ++i) {
    double u = NumberOf(set.Call(L"random", {}).result);
    EXPECT_GE(u, 0.0);
    EXPECT_LT(u, 1.0);
    double t = NumberOf(set.Call(L"rand", {I(10)}).result);
    EXPECT_GE(t, 0.0);
    EXPECT_LT(t, 10.0);
    double w = NumberOf(set.Call(L"random", {I(5), I(6)}).result);
    EXPECT_GE(w, 5.0);
    EXPECT_LT(w, 6.0);
  }
  // Seeded once and then stepped: two calls in a row differ.
  EXPECT_NE(set.Call(L"random", {}).result, set.Call(L"random", {}).result);
  auto o = set.Call(L"random", {I(1), I(2), I(3)});
  EXPECT_EQ(o.error, Msg(14007));
  EXPECT_EQ(o.result, kErr);
}

TEST(ComputerFuncs, Guid) {
  FuncSet set;
  auto o = set.Call(L"guid", {});
  ASSERT_EQ(o.result.size(), 5u + 38u);
  EXPECT_EQ(o.result[5], '{');
  EXPECT_EQ(o.result.back(), '}');
  for (char c : o.result.substr(6, 36)) EXPECT_TRUE(c == '-' || isdigit(c) || (c >= 'A' && c <= 'F'));
  EXPECT_NE(set.Call(L"guid", {}).result, o.result);
  o = set.Call(L"guid", {I(1)});
  EXPECT_EQ(o.error, Msg(14007));
  EXPECT_EQ(o.result, kErr);
}

TEST(ComputerFuncs, Winerror) {
  FuncSet set;
  auto o = set.Call(L"winerror", {I(2)});
  ASSERT_GT(o.result.size(), 7u);
  EXPECT_EQ(o.result.substr(0, 6), "BSTR:\"");
  EXPECT_EQ(o.result.back(), '"');
  EXPECT_EQ(o.result.find_first_of("\r\n"), std::string::npos);
  EXPECT_NE(o.result[6], ' ');
  EXPECT_NE(o.result[o.result.size() - 2], ' ');
  EXPECT_EQ(set.Call(L"winerror", {I(0x2FFFFFF1)}).result, "BSTR:\"\"");
  o = set.Call(L"winerror", {I(-1)});  // outside 32 bits: a fault, reported
  EXPECT_EQ(o.result, "ERROR:E_FAIL");
  EXPECT_NE(o.error, L"");
}
