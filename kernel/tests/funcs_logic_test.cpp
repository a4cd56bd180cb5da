// if, the comparisons, the logical operators and the shifts, through IFuncs::Func.
#include <cmath>

#include "FuncTestKit.h"

using namespace evalkern;
using namespace evalkern::funckit;

namespace {

struct Case {
  const wchar_t* fn;
  std::vector<Arg> args;
  const char* result;
  int error = 0;
};

void RunCases(const std::vector<Case>& cases) {
  FuncSet set;
  for (const Case& c : cases) {
    auto o = set.Call(c.fn, c.args);
    std::string label;
    for (const wchar_t* p = c.fn; *p; ++p) label += static_cast<char>(*p);
    SCOPED_TRACE(label);
    EXPECT_EQ(o.hr, S_OK);
    EXPECT_EQ(o.result, c.result);
    EXPECT_EQ(o.error, c.error ? Msg(c.error) : L"");
  }
}

const char* kErr = "ERROR:E_INVALIDARG";

}  // namespace

TEST(IfFunc, EvaluatesOnlyTheBranchTaken) {
  FuncSet set;
  auto o = set.Call(L"if", {B(true), I(1), Poison()});
  EXPECT_EQ(o.result, "I8:1");
  EXPECT_EQ(o.error, L"");
  EXPECT_EQ(o.evaluated, (std::vector<int>{1, 1, 0}));

  o = set.Call(L"if", {S(L"FALSE"), Poison(), S(L"text")});
  EXPECT_EQ(o.result, "BSTR:text");  // returned as it comes
  EXPECT_EQ(o.evaluated, (std::vector<int>{1, 0, 1}));

  o = set.Call(L"if", {I(1), I(2), I(3)});
  EXPECT_EQ(o.error, Msg(14003));  // a number is no boolean for if
  EXPECT_EQ(o.result, "EMPTY");
  EXPECT_EQ(o.evaluated, (std::vector<int>{1, 0, 0}));

  o = set.Call(L"if", {B(true), I(2)});
  EXPECT_EQ(o.error, Msg(14008));
  EXPECT_EQ(o.evaluated, (std::vector<int>{0, 0}));
}

TEST(CompareFuncs, MixedTypes) {
  RunCases({
      {L"=", {I(1), F(1.0)}, "BOOL:true"},
      {L"eq", {I(9007199254740993LL), I(9007199254740992LL)}, "BOOL:false"},  // exact integers
      {L"=", {F(0.1 + 0.2), F(0.3)}, "BOOL:true"},  // 0.30000000000000004 shows as 0.3
      {L"=", {F(0.1 * 3 * 10), I(3)}, "BOOL:true"},
      {L"<", {F(0.3), F(0.30000000000001)}, "BOOL:true"},
      {L"=", {B(true), I(1)}, kErr, 14006},
      {L"<", {S(L"2"), I(10)}, "BOOL:true"},   // text read as a number, not as text
      {L"=", {S(L"True"), B(true)}, "BOOL:true"},
      {L"<", {B(false), B(true)}, "BOOL:true"},
      {L"<>", {I(1), I(2)}, "BOOL:true"},
      {L"ne", {F(1.5), S(L"1.5")}, "BOOL:false"},
      {L">", {I(2), I(1)}, "BOOL:true"},
      {L"<=", {I(2), I(2)}, "BOOL:true"},
      {L">=", {I(1), I(2)}, "BOOL:false"},
      {L"ge", {S(L"1e400"), F(1e308)}, "BOOL:true"},
      {L"=", {Empty(), I(1)}, "EMPTY", 14000},
      {L"=", {OfType(VT_DATE), I(1)}, "EMPTY", 14005},
      {L"=", {F(NAN), F(NAN)}, "BOOL:false"},
      {L"<>", {F(NAN), F(NAN)}, "BOOL:true"},
  });
}

TEST(CompareFuncs, FetchOrder) {
  FuncSet set;
  // =, <> and < fetch both operands before checking; >, <= and >= check in between.
  for (const wchar_t* fn : {L"=", L"<>", L"<"})
    EXPECT_EQ(set.Call(fn, {Poison(), I(1)}).evaluated, (std::vector<int>{1, 1}));
  for (const wchar_t* fn : {L">", L"<=", L">="})
    EXPECT_EQ(set.Call(fn, {Poison(), I(1)}).evaluated, (std::vector<int>{1, 0}));
}

TEST(LogicFuncs, ResultFollowsTheOperandType) {
  RunCases({
      {L"and", {I(6), I(3)}, "I8:2"},
      {L"&&", {B(true), B(false)}, "BOOL:false"},
      {L"&", {B(true), I(1)}, kErr, 14006},
      {L"or", {I4(1), I4(2)}, "I4:3"},          // both 32-bit: 32-bit result
      {L"|", {I4(1), I(4)}, "I8:5"},            // either 64-bit: 64-bit result
      {L"||", {F(2.0), I(5)}, "I8:7"},          // a whole float is an integer
      {L"xor", {B(true), B(true)}, "BOOL:false"},
      {L"~", {I(-1), I(1)}, "I8:-2"},
      {L"and", {F(2.5), I(1)}, "EMPTY", 14004},
      {L"and", {F(1e19), I(1)}, "EMPTY", 14004},  // beyond 64 bits: no wrapped value
      {L"or", {S(L"TRUE"), B(false)}, "BOOL:true"},
      {L"and", {S(L"0x10"), I(0xFF)}, "I8:16"},
      {L"not", {I(0)}, "I8:-1"},
      {L"not", {I4(0)}, "I4:-1"},
      {L"not", {B(true)}, "BOOL:false"},
      {L"not", {Cy(50000)}, "I4:-6"},
      {L"not", {OfType(VT_DATE)}, "EMPTY", 14004},
  });
}

TEST(LogicFuncs, OrFetchesBothBeforeChecking) {
  FuncSet set;
  EXPECT_EQ(set.Call(L"or", {Poison(), I(1)}).evaluated, (std::vector<int>{1, 1}));
  EXPECT_EQ(set.Call(L"and", {Poison(), I(1)}).evaluated, (std::vector<int>{1, 0}));
  EXPECT_EQ(set.Call(L"xor", {Poison(), I(1)}).evaluated, (std::vector<int>{1, 0}));
}

// A text operand that is no integer (pi's value, a fraction) is a fault of the call: its text is
// reported, the result is E_FAIL, and the operand after it is never fetched.
TEST(IntegerOperators, TextThatIsNoIntegerEndsTheCallAsAFault) {
  FuncSet set;
  const std::wstring pi = L"3.14159265358979323846";
  const std::wstring fault = L"'" + pi + L"' is not a valid integer value";
  struct {
    const wchar_t* fn;
    std::vector<Arg> args;
    std::vector<int> evaluated;
  } cases[] = {
      {L"and", {S(pi.c_str()), I(1)}, {1, 0}},  {L"or", {S(pi.c_str()), I(1)}, {1, 0}},
      {L"xor", {I(1), S(pi.c_str())}, {1, 1}},  {L"div", {I(7), S(pi.c_str())}, {0, 1}},
      {L"div", {S(pi.c_str()), I(2)}, {1, 1}},  {L"mod", {I(7), S(pi.c_str())}, {0, 1}},
  };
  for (auto& c : cases) {
    auto o = set.Call(c.fn, c.args);
    std::string label;
    for (const wchar_t* p = c.fn; *p; ++p) label += static_cast<char>(*p);
    SCOPED_TRACE(label);
    EXPECT_EQ(o.hr, S_OK);
    EXPECT_EQ(o.result, "ERROR:E_FAIL");
    EXPECT_EQ(o.error, fault);
    EXPECT_EQ(o.evaluated, c.evaluated);
  }
  // A bad notation after a prefix keeps its own message.
  auto o = set.Call(L"and", {S(L"0x1G"), I(1)});
  EXPECT_EQ(o.result, "ERROR:E_FAIL");
  EXPECT_EQ(o.error, L"0x1G is not a valid integer value");
}

TEST(ShiftFuncs, WidthsAndErrors) {
  RunCases({
      {L"shl", {I(1), I(0)}, "I8:1"},
      {L"shl", {I(1), I(63)}, "I8:-9223372036854775808"},
      {L"<<", {I(1), I(64)}, "I8:0"},
      {L"shl", {I(5), I(1000)}, "I8:0"},
      {L"shr", {I(-1), I(60)}, "I8:15"},
      {L"shr", {I(-1), I(63)}, "I8:1"},
      {L">>", {I(-1), I(64)}, "I8:0"},
      {L"shr", {I(8), I(0)}, "I8:8"},
      {L"shr", {I(8), I(-1)}, "EMPTY", 14014},  // no error value, just Empty
      {L"shl", {F(1e19), I(1)}, "EMPTY", 14004},
      {L"shl", {F(2.5), I(1)}, "EMPTY", 14002},
      {L"shl", {I(1)}, kErr, 14008},
  });
}
