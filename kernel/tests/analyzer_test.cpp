#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "ExpressionAnalyzer.h"
#include "Messages.h"
#include "Nodes.h"
#include "SinkTestKit.h"

using namespace evalkern;

namespace {

// An error sink that records every put in order.
class RecordingSink : public testkit::TestSink {
 public:
  std::vector<std::wstring> calls;

 protected:
  void OnFlag(VARIANT_BOOL) override { calls.push_back(L"flag"); }
  void OnText() override { calls.push_back(L"text"); }
};

std::wstring ValueText(const VARIANT& v) {
  wchar_t buf[64];
  switch (v.vt) {
    case VT_I8:
      swprintf(buf, 64, L"%lld", static_cast<long long>(v.llVal));
      return buf;
    case VT_R8: {
      std::wstring s = (swprintf(buf, 64, L"%.15g", v.dblVal), buf);
      if (s.find_first_of(L".en") == std::wstring::npos) s += L".0";
      return s;
    }
    case VT_BOOL:
      return v.boolVal ? L"TRUE" : L"FALSE";
    case VT_BSTR:
      return L"\"" + std::wstring(v.bstrVal, SysStringLen(v.bstrVal)) + L"\"";
    case VT_EMPTY:
      return L"<empty>";
    default:
      return L"<vt " + std::to_wstring(v.vt) + L">";
  }
}

// Compact prefix text of a tree: a call is "(name args...)", a bracket group "[args...]",
// a name bare, a value as ValueText, an error node "error: <text>".
std::wstring Print(INodeParsing* node) {
  if (!node) return L"<null>";
  if (TNodeFunc* f = AsFuncNode(node)) {
    const bool bracket = f->Name() == L"(";
    std::wstring s = bracket ? L"[" : L"(" + f->Name();
    bool first = true;
    for (INodeParsing* c : f->ChildNodes()) {
      if (!(bracket && first)) s += L" ";
      s += Print(c);
      first = false;
    }
    return s + (bracket ? L"]" : L")");
  }
  if (TNodeVariableOrConst* v = AsVariableOrConstNode(node)) return v->Name();
  if (TNodeLowermost* l = AsLowermostNode(node)) return ValueText(l->Value());
  if (TNodeError* e = AsErrorNode(node)) return L"error: " + e->TextError();
  return L"<foreign>";
}

struct Analysis {
  std::wstring tree;
  std::wstring sinkText;
  VARIANT_BOOL flag;
  std::vector<std::wstring> calls;
};

Analysis Analyze(const std::wstring& text) {
  RecordingSink* sink = new RecordingSink;
  sink->AddRef();
  INodeParsing* root = nullptr;
  AnalyzeExpression(text, sink, &root);
  Analysis a{Print(root), sink->text, sink->flag, sink->calls};
  if (root) root->Release();
  sink->Release();
  return a;
}

std::string Narrow(const std::wstring& w) {
  std::string s;
  for (wchar_t c : w) s += (c < 128) ? static_cast<char>(c) : '?';
  return s;
}

}  // namespace

// ---- trees ----

struct TreeCase {
  const wchar_t* text;
  const wchar_t* tree;
};
void PrintTo(const TreeCase& c, std::ostream* os) { *os << Narrow(c.text); }

class AnalyzerTree : public ::testing::TestWithParam<TreeCase> {};

TEST_P(AnalyzerTree, BuildsTheTree) {
  const TreeCase& c = GetParam();
  Analysis a = Analyze(c.text);
  EXPECT_EQ(Narrow(c.tree), Narrow(a.tree)) << "text: " << Narrow(c.text);
  EXPECT_EQ(0, a.flag);
  EXPECT_TRUE(a.calls.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Operands, AnalyzerTree,
    ::testing::Values(
        TreeCase{L"1", L"[1]"}, TreeCase{L"  \t 42 \r\n", L"[42]"}, TreeCase{L"x", L"[x]"},
        TreeCase{L"MyVar_2", L"[MyVar_2]"}, TreeCase{L"1.5", L"[1.5]"}, TreeCase{L".5", L"[0.5]"},
        TreeCase{L"1.5e+3", L"[1500.0]"}, TreeCase{L"2E3", L"[2000.0]"},
        TreeCase{L"12%", L"[0.12]"}, TreeCase{L"0B1010", L"[10]"}, TreeCase{L"0x1F", L"[31]"},
        TreeCase{L"0XfF", L"[255]"}, TreeCase{L"#ff", L"[255]"}, TreeCase{L"$10", L"[16]"},
        TreeCase{L"0o17", L"[15]"}, TreeCase{L"0rXIV", L"[14]"}, TreeCase{L"0rxiv", L"[14]"},
        TreeCase{L"true", L"[TRUE]"}, TreeCase{L"FALSE", L"[FALSE]"},
        TreeCase{L"\"abc\"", L"[\"abc\"]"}, TreeCase{L"'it''s'", L"[\"it's\"]"},
        TreeCase{L"\"say \"\"hi\"\"\"", L"[\"say \"hi\"\"]"},
        TreeCase{L"\"it's\"", L"[\"it's\"]"}, TreeCase{L"'a\"b'", L"[\"a\"b\"]"},
        TreeCase{L"\"open", L"[\"open\"]"}, TreeCase{L"''", L"[\"\"]"},
        // quoted keywords stay texts
        TreeCase{L"\"and\"", L"[\"and\"]"}, TreeCase{L"'TRUE'", L"[\"TRUE\"]"},
        TreeCase{L"\"-\" + x", L"[(plus \"-\" x)]"},
        TreeCase{L"a\xA0+\tb", L"[(plus a b)]"},
        // there is no "!=": a postfix "!" and a comparison
        TreeCase{L"a != b", L"[(= (! a) b)]"}));

INSTANTIATE_TEST_SUITE_P(
    Calls, AnalyzerTree,
    ::testing::Values(
        TreeCase{L"f()", L"[(f)]"}, TreeCase{L"pi", L"[pi]"}, TreeCase{L"sin(x)", L"[(sin x)]"},
        TreeCase{L"sin (x)", L"[(sin x)]"}, TreeCase{L"max(1, 2, 3)", L"[(max 1 2 3)]"},
        TreeCase{L"f(x, -1)", L"[(f x (unarminus 1))]"},
        TreeCase{L"f(g(1), h(2, 3), 4)", L"[(f (g 1) (h 2 3) 4)]"},
        TreeCase{L"(1, 2)", L"[[1 2]]"}, TreeCase{L"((x))", L"[[[x]]]"},
        TreeCase{L"f((1))", L"[(f [1])]"}, TreeCase{L"f(1+2, 3*4)", L"[(f (plus 1 2) (* 3 4))]"},
        TreeCase{L"f(\"a,b\")", L"[(f \"a,b\")]"}));

INSTANTIATE_TEST_SUITE_P(
    Precedence, AnalyzerTree,
    ::testing::Values(
        TreeCase{L"1+2*3", L"[(plus 1 (* 2 3))]"}, TreeCase{L"1*2+3", L"[(plus (* 1 2) 3)]"},
        // each multiplicative spelling is a level of its own: ^ then / then * then div then mod
        TreeCase{L"2^3^2", L"[(^ (^ 2 3) 2)]"}, TreeCase{L"8/2/2", L"[(/ (/ 8 2) 2)]"},
        TreeCase{L"a*b/c", L"[(* a (/ b c))]"}, TreeCase{L"a/b*c", L"[(* (/ a b) c)]"},
        TreeCase{L"a*b^c", L"[(* a (^ b c))]"}, TreeCase{L"a^b*c", L"[(* (^ a b) c)]"},
        TreeCase{L"a div b*c", L"[(div a (* b c))]"}, TreeCase{L"a mod b div c", L"[(mod a (div b c))]"},
        TreeCase{L"a div b mod c", L"[(mod (div a b) c)]"},
        TreeCase{L"a DIV b", L"[(div a b)]"}, TreeCase{L"a Mod b", L"[(mod a b)]"},
        // minus binds tighter than plus
        TreeCase{L"1-2+3", L"[(plus (minus 1 2) 3)]"}, TreeCase{L"1+2-3", L"[(plus 1 (minus 2 3))]"},
        TreeCase{L"1-2-3", L"[(minus (minus 1 2) 3)]"}, TreeCase{L"1+2+3", L"[(plus (plus 1 2) 3)]"},
        TreeCase{L"a-b*c", L"[(minus a (* b c))]"},
        // shifts, then comparisons, then logical operators, each spelling its own level
        TreeCase{L"1+2 shl 3", L"[(shl (plus 1 2) 3)]"},
        TreeCase{L"a << b shr c", L"[(<< a (shr b c))]"}, TreeCase{L"a >> b SHL c", L"[(shl (>> a b) c)]"},
        TreeCase{L"a = b << c", L"[(= a (<< b c))]"},
        TreeCase{L"a < b = c", L"[(= (< a b) c)]"}, TreeCase{L"a = b < c", L"[(= a (< b c))]"},
        TreeCase{L"a <= b >= c", L"[(>= (<= a b) c)]"}, TreeCase{L"a <> b ne c", L"[(ne (<> a b) c)]"},
        TreeCase{L"a > b gt c", L"[(gt (> a b) c)]"}, TreeCase{L"a lt b eq c", L"[(eq (lt a b) c)]"},
        TreeCase{L"a Le b", L"[(le a b)]"}, TreeCase{L"a GE b", L"[(ge a b)]"},
        TreeCase{L"a and b = c", L"[(and a (= b c))]"},
        TreeCase{L"a or b and c", L"[(or a (and b c))]"}, TreeCase{L"a and b or c", L"[(or (and a b) c)]"},
        TreeCase{L"a && b & c", L"[(& (&& a b) c)]"}, TreeCase{L"a | b || c", L"[(|| (| a b) c)]"},
        TreeCase{L"a xor b ~ c", L"[(~ (xor a b) c)]"}, TreeCase{L"a ~ b or c", L"[(~ a (or b c))]"},
        TreeCase{L"a AND b", L"[(and a b)]"}, TreeCase{L"a Or b", L"[(or a b)]"},
        TreeCase{L"a XOR b", L"[(xor a b)]"}, TreeCase{L"a ShR b", L"[(shr a b)]"},
        TreeCase{L"(1+2)*3", L"[(* [(plus 1 2)] 3)]"}, TreeCase{L"2*(3-1)^2", L"[(* 2 (^ [(minus 3 1)] 2))]"}));

INSTANTIATE_TEST_SUITE_P(
    Unary, AnalyzerTree,
    ::testing::Values(
        TreeCase{L"-2^2", L"[(^ (unarminus 2) 2)]"}, TreeCase{L"2^-2", L"[(^ 2 (unarminus 2))]"},
        TreeCase{L"-x!", L"[(! (unarminus x))]"}, TreeCase{L"2*-3!", L"[(* 2 (! (unarminus 3)))]"},
        TreeCase{L"+5", L"[5]"}, TreeCase{L"-5", L"[(unarminus 5)]"}, TreeCase{L"--5", L"[5]"},
        TreeCase{L"-+-5", L"[5]"}, TreeCase{L"3--2", L"[(plus 3 2)]"}, TreeCase{L"3-+2", L"[(minus 3 2)]"},
        TreeCase{L"3+-2", L"[(minus 3 2)]"}, TreeCase{L"3++2", L"[(plus 3 2)]"},
        TreeCase{L"2*+3", L"[(* 2 3)]"}, TreeCase{L"-(1+2)", L"[(unarminus [(plus 1 2)])]"},
        TreeCase{L"-f(x)", L"[(unarminus (f x))]"}, TreeCase{L"1 - -x", L"[(plus 1 x)]"},
        TreeCase{L"not 1 = 2", L"[(= (not 1) 2)]"}, TreeCase{L"not not x", L"[x]"},
        TreeCase{L"not not not x", L"[(not x)]"}, TreeCase{L"NOT x", L"[(not x)]"},
        TreeCase{L"Not(1)", L"[(not [1])]"}, TreeCase{L"-not x", L"[(unarminus (not x))]"},
        TreeCase{L"not(a) and not(b) or c", L"[(or (and (not [a]) (not [b])) c)]"},
        TreeCase{L"a and not b", L"[(and a (not b))]"},
        TreeCase{L"not -1", L"[(not (unarminus 1))]"}));

INSTANTIATE_TEST_SUITE_P(
    Postfix, AnalyzerTree,
    ::testing::Values(
        TreeCase{L"x!", L"[(! x)]"}, TreeCase{L"x%", L"[(% x)]"}, TreeCase{L"(5)%", L"[(% [5])]"},
        TreeCase{L"x!!", L"[(! (! x))]"}, TreeCase{L"3!^2", L"[(^ (! 3) 2)]"},
        TreeCase{L"2^3!", L"[(^ 2 (! 3))]"}, TreeCase{L"f(2)!", L"[(! (f 2))]"},
        TreeCase{L"12%!", L"[(! 0.12)]"}, TreeCase{L"not x!", L"[(! (not x))]"},
        TreeCase{L"\"s\"!", L"[(! \"s\")]"}));

// ---- errors ----

struct ErrorCase {
  const wchar_t* text;
  int id;
  const wchar_t* arg;  // the "%s" filling, or null for a message without one
};
void PrintTo(const ErrorCase& c, std::ostream* os) { *os << Narrow(c.text) << " -> " << c.id; }

class AnalyzerError : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(AnalyzerError, ReportsTheMessageTextThenTheFlag) {
  const ErrorCase& c = GetParam();
  const std::wstring expected = c.arg ? GetMessageTextFmt(c.id, c.arg) : GetMessageText(c.id);
  Analysis a = Analyze(c.text);
  EXPECT_EQ(Narrow(L"error: " + expected), Narrow(a.tree)) << "text: " << Narrow(c.text);
  EXPECT_EQ(Narrow(expected), Narrow(a.sinkText));
  EXPECT_EQ(VARIANT_TRUE, a.flag);
  EXPECT_EQ((std::vector<std::wstring>{L"text", L"flag"}), a.calls);
}

INSTANTIATE_TEST_SUITE_P(
    Scanning, AnalyzerError,
    ::testing::Values(
        ErrorCase{L"", 14038, nullptr}, ErrorCase{L" \t\r\n ", 14038, nullptr},
        ErrorCase{L" \xA0 ", 14038, nullptr},
        ErrorCase{L"0bz", 14039, nullptr}, ErrorCase{L"0b2", 14039, nullptr},
        ErrorCase{L"0b", 14039, nullptr}, ErrorCase{L"1+0b", 14039, nullptr},
        ErrorCase{L"#", 14040, nullptr}, ErrorCase{L"$", 14040, nullptr},
        ErrorCase{L"0xg", 14040, nullptr}, ErrorCase{L"0X", 14040, nullptr},
        ErrorCase{L"#g", 14040, nullptr}, ErrorCase{L"0o8", 14041, nullptr},
        ErrorCase{L"0o", 14041, nullptr}, ErrorCase{L"0rz", 14042, nullptr},
        ErrorCase{L"0R", 14042, nullptr}, ErrorCase{L".", 14043, nullptr},
        ErrorCase{L"a.b", 14043, nullptr}, ErrorCase{L"1+.", 14043, nullptr},
        ErrorCase{L"a ; b", 14044, L";"}, ErrorCase{L"1\n2", 14044, L"\n"},
        ErrorCase{L"1\r+2", 14044, L"\r"}, ErrorCase{L"x@", 14044, L"@"},
        ErrorCase{L"\x00e9", 14044, L"\x00e9"},
        // a character beyond the basic plane is named whole, both halves of its pair
        ErrorCase{L"1+\xD83D\xDE00", 14044, L"\xD83D\xDE00"}));

INSTANTIATE_TEST_SUITE_P(
    Rewriting, AnalyzerError,
    ::testing::Values(
        // literals the number readers reject
        ErrorCase{L"2e-x", 14035, L"2e"}, ErrorCase{L".e5", 14035, L".e5"},
        ErrorCase{L"0x11112222333344445", 14035, L"0x11112222333344445"},
        ErrorCase{L"f(0o77777777777777777777777)", 14035, L"0o77777777777777777777777"},
        // commas
        ErrorCase{L"1,2", 14036, nullptr}, ErrorCase{L"f(1,,2)", 14036, nullptr},
        ErrorCase{L"f(,1)", 14036, nullptr}, ErrorCase{L"+,1", 14036, nullptr},
        ErrorCase{L",1", 14050, nullptr}, ErrorCase{L"1,", 14050, nullptr},
        ErrorCase{L"(1),", 14050, nullptr}, ErrorCase{L"f(1,", 14046, nullptr},
        // not
        ErrorCase{L"not )", 14045, nullptr}, ErrorCase{L"not ,1", 14045, nullptr},
        ErrorCase{L"(not)", 14048, L"not"}, ErrorCase{L"not", 14048, L"not"},
        ErrorCase{L"not (1", 14052, L"not"},
        // brackets
        ErrorCase{L"(1", 14046, nullptr}, ErrorCase{L"1)", 14046, nullptr},
        ErrorCase{L"(1)),((2)", 14046, nullptr}, ErrorCase{L")(", 14046, nullptr},
        ErrorCase{L"f(1", 14046, nullptr},
        // operands side by side
        ErrorCase{L"2 3", 14047, nullptr}, ErrorCase{L"2(3)", 14047, nullptr},
        ErrorCase{L"f(1)(2)", 14047, nullptr}, ErrorCase{L"\"a\" x", 14047, nullptr},
        ErrorCase{L"1.2.3", 14047, nullptr}, ErrorCase{L"true(1)", 14046, nullptr},
        // operators without operands
        ErrorCase{L"*2", 14048, L"*"}, ErrorCase{L"2*", 14048, L"*"},
        ErrorCase{L"2**3", 14048, L"*"}, ErrorCase{L"1 and", 14048, L"and"},
        ErrorCase{L"AND 1", 14048, L"AND"}, ErrorCase{L"!x", 14048, L"!"},
        ErrorCase{L"x =", 14048, L"="}, ErrorCase{L"a<<=b", 14048, L"<<"},
        ErrorCase{L"f(x,!)", 14048, L"!"}, ErrorCase{L"(!)", 14048, L"!"},
        ErrorCase{L"+", 14048, L"+"}, ErrorCase{L"-", 14048, L"-"},
        ErrorCase{L"+-+", 14048, L"-"},
        ErrorCase{L"-)", 14048, L"-"}, ErrorCase{L"-) + 1", 14048, L"-"},
        ErrorCase{L"-,1", 14048, L"-"}, ErrorCase{L"(-)", 14048, L"-"},
        ErrorCase{L"(+)", 14048, L"+"}, ErrorCase{L"f(1-,2)", 14048, L"-"},
        // a final sign
        ErrorCase{L"1+", 14049, nullptr}, ErrorCase{L"-1+", 14049, nullptr},
        ErrorCase{L"1-", 14049, nullptr},
        // an operand cut by a bracket
        ErrorCase{L"-(1", 14052, L"-"}, ErrorCase{L"2*-(1", 14052, L"-"},
        ErrorCase{L"1^(2", 14052, L"^"}, ErrorCase{L"1-(2", 14052, L"minus"},
        ErrorCase{L"1 and (2", 14052, L"and"},
        ErrorCase{L"a)^2", 14053, L"^"}, ErrorCase{L"1)!", 14053, L"!"},
        ErrorCase{L"1)+2", 14053, L"plus"}));

TEST(Analyzer, AFlagAlreadySetEndsInAnErrorNodeWithTheSinksText) {
  RecordingSink* sink = new RecordingSink;
  sink->AddRef();
  sink->flag = VARIANT_TRUE;
  sink->text = L"earlier fault";
  INodeParsing* root = MakeVariableOrConstNode(L"stale");  // released by the analysis
  AnalyzeExpression(L"1+2", sink, &root);
  EXPECT_EQ("error: earlier fault", Narrow(Print(root)));
  EXPECT_TRUE(sink->calls.empty());
  root->Release();
  sink->Release();
}

TEST(Analyzer, WorksWithoutASink) {
  INodeParsing* root = nullptr;
  AnalyzeExpression(L"f(1) + g", nullptr, &root);
  EXPECT_EQ("[(plus (f 1) g)]", Narrow(Print(root)));
  AnalyzeExpression(L"f(1", nullptr, &root);
  EXPECT_EQ(Narrow(L"error: " + GetMessageText(14046)), Narrow(Print(root)));
  AnalyzeExpression(L"f(99999999999999999x)", nullptr, &root);
  EXPECT_EQ(Narrow(L"error: " + GetMessageText(14047)), Narrow(Print(root)));
  root->Release();
}

// ---- robustness ----

namespace {

// Walks a successful tree and checks every node is well formed; counts the nodes.
size_t CheckTree(INodeParsing* node) {
  if (TNodeFunc* f = AsFuncNode(node)) {
    size_t n = 1;
    for (INodeParsing* c : f->ChildNodes()) {
      EXPECT_NE(nullptr, c);
      if (c) n += CheckTree(c);
    }
    return n;
  }
  EXPECT_TRUE(AsVariableOrConstNode(node) || AsLowermostNode(node));
  return 1;
}

void AnalyzeAndCheck(const std::wstring& text, size_t& trees, size_t& errors) {
  RecordingSink* sink = new RecordingSink;
  sink->AddRef();
  INodeParsing* root = nullptr;
  AnalyzeExpression(text, sink, &root);
  ASSERT_NE(nullptr, root) << Narrow(text);
  if (TNodeError* e = AsErrorNode(root)) {
    ++errors;
    EXPECT_EQ(VARIANT_TRUE, sink->flag) << Narrow(text);
    EXPECT_EQ(sink->text, e->TextError()) << Narrow(text);
    EXPECT_FALSE(e->TextError().empty()) << Narrow(text);
  } else {
    ++trees;
    EXPECT_EQ(0, sink->flag) << Narrow(text);
    TNodeFunc* f = AsFuncNode(root);
    ASSERT_NE(nullptr, f) << Narrow(text);
    EXPECT_EQ(L"(", f->Name());
    EXPECT_EQ(1u, f->ChildNodes().size()) << Narrow(text);
    CheckTree(root);
  }
  root->Release();
  sink->Release();
}

}  // namespace

TEST(Analyzer, RandomInputGivesATreeOrAnErrorNode) {
  static const wchar_t* const kPieces[] = {
      L"1", L"2.5", L"0x1f", L"0b1", L"0r", L"#", L"12%", L"1e", L"x", L"y", L"f(", L"g(",
      L"(", L")", L")", L",", L"+", L"-", L"-", L"*", L"/", L"^", L"!", L"%", L"div", L"MOD",
      L"not", L"Not(", L"and", L"or", L"xor", L"shl", L"shr", L"<<", L">>", L"=", L"<>", L"<",
      L">=", L"&", L"&&", L"|", L"||", L"~", L"eq", L"true", L"\"s\"", L"'", L".", L" ",
      L"0", L"0x", L"$"};
  const long before = ServerLockCount();
  std::mt19937 rng(20261210);
  size_t trees = 0, errors = 0;
  for (int i = 0; i < 12000; ++i) {
    std::wstring text;
    const int n = 1 + static_cast<int>(rng() % 12);
    for (int k = 0; k < n; ++k) text += kPieces[rng() % (sizeof kPieces / sizeof *kPieces)];
    AnalyzeAndCheck(text, trees, errors);
  }
  for (int i = 0; i < 6000; ++i) {
    std::wstring text;
    const int n = static_cast<int>(rng() % 16);
    for (int k = 0; k < n; ++k) {
      const unsigned r = rng();
      // mostly the characters the scanner knows, sometimes any UTF-16 unit
      text += (r & 3) ? static_cast<wchar_t>(32 + (r >> 8) % 96) : static_cast<wchar_t>(r >> 16);
    }
    AnalyzeAndCheck(text, trees, errors);
  }
  EXPECT_GT(trees, 500u);  // the generator does reach the tree builder
  EXPECT_GT(errors, 500u);
  EXPECT_EQ(before, ServerLockCount());  // every node of every tree was freed
}

TEST(Analyzer, DeepTreesAreBuiltAndFreedWithoutRecursion) {
  // Deep enough to overflow the stack if building or freeing a tree recursed per level.
  const long before = ServerLockCount();
  const int depth = 30000;
  std::wstring nested = std::wstring(depth, L'(') + L"x" + std::wstring(depth, L')');
  INodeParsing* root = nullptr;
  AnalyzeExpression(nested, nullptr, &root);
  int levels = 0;
  for (INodeParsing* n = root; TNodeFunc* f = AsFuncNode(n); n = f->ChildNodes()[0]) {
    ASSERT_EQ(1u, f->ChildNodes().size());
    ++levels;
  }
  EXPECT_EQ(depth + 1, levels);
  root->Release();
  EXPECT_EQ(before, ServerLockCount());

  std::wstring sum = L"1";
  for (int i = 0; i < 300; ++i) sum += L"+1";
  size_t trees = 0, errors = 0;
  AnalyzeAndCheck(sum, trees, errors);
  EXPECT_EQ(1u, trees);
}
