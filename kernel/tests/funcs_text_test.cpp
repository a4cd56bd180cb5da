// char with its escapes and control-character names, the progressions, and mol, called through
// IFuncs::Func of a BasicSetFuncs object.
#include "FuncTestKit.h"

using namespace evalkern;
using namespace evalkern::funckit;

namespace {
const char* kErr = "ERROR:E_INVALIDARG";
const char* kFault = "ERROR:E_FAIL";

std::string Named(const std::wstring& prefix, int id) {
  return "BSTR:" + Narrow((prefix + GetMessageText(id) + L" */'").c_str());
}
}  // namespace

TEST(CharFunc, TextsToCodes) {
  FuncSet set;
  RunCallCases(set, {
      {L"char", {S(L"A")}, "I4:65"},
      {L"char", {S(L"5")}, "I4:53"},  // one character is a character, not a number
      {L"char", {S(L"\\a")}, "I4:7"},
      {L"char", {S(L"\\b")}, "I4:8"},
      {L"char", {S(L"\\f")}, "I4:12"},
      {L"char", {S(L"\\n")}, "I4:10"},
      {L"char", {S(L"\\r")}, "I4:13"},
      {L"char", {S(L"\\t")}, "I4:9"},
      {L"char", {S(L"\\v")}, "I4:11"},
      {L"char", {S(L"\\q")}, "I4:113"},
      {L"char", {S(L"\\\\")}, "I4:92"},
      {L"char", {S(L" ")}, "I4:32"},
      {L"char", {S(L"\t")}, "I4:9"},
      {L"char", {S(L"  A \r\n")}, "I4:65"},
      {L"char", {S(L"'x'")}, "I4:120"},
      {L"char", {S(L"\"y\"")}, "I4:121"},
      {L"char", {S(L"\u00e9")}, "I4:233"},  // its byte in the ANSI code page (1252)
      {L"char", {S(L"\u00a0")}, "I4:160"},  // the no-break space is no blank to trim
      {L"char", {S(L"\u4e2d")}, "EMPTY", 14016, L"char"},  // no single byte for it
      {L"char", {S(L"")}, "EMPTY", 14066},
      {L"char", {S(L" \r\n ")}, "EMPTY", 14066},
      {L"char", {S(L"abc")}, kFault, kAnyError},  // neither a form of char nor a number
      {L"char", {S(L"\\x4g")}, kFault, kAnyError},
  });
}

TEST(CharFunc, CodesToDisplays) {
  FuncSet set;
  RunCallCases(set, {
      {L"char", {I(65)}, "BSTR:'A'"},
      {L"char", {I4(97)}, "BSTR:'a'"},
      {L"char", {F(66.0)}, "BSTR:'B'"},
      {L"char", {S(L"66")}, "BSTR:'B'"},
      {L"char", {S(L"0x43")}, "BSTR:'C'"},
      {L"char", {S(L"\\x41")}, "BSTR:'A'"},
      {L"char", {S(L"\\x4a")}, "BSTR:'J'"},
      {L"char", {S(L"\\101")}, "BSTR:'A'"},
      {L"char", {S(L"\\x0041")}, "BSTR:'A'"},
      {L"char", {I(233)}, "BSTR:'\xe9'"},
      {L"char", {I(256)}, "EMPTY", 14016, L"char"},
      {L"char", {I(-1)}, "EMPTY", 14016, L"char"},
      {L"char", {S(L"\\777")}, "EMPTY", 14016, L"char"},
      {L"char", {S(L"\\x0100")}, "EMPTY", 14016, L"char"},
      {L"char", {I(5000000000LL)}, kFault, kAnyError},  // beyond 32 bits: a range fault
      {L"char", {F(65.5)}, "EMPTY", 14002},
      {L"char", {B(true)}, "EMPTY", 14002},
      {L"char", {Empty()}, "EMPTY", 14000},
      {L"char", {Poison()}, "EMPTY", kAnyError},
      {L"char", {}, kErr, 14008},
      {L"char", {I(1), I(2)}, kErr, 14007},
  });
  struct {
    long long code;
    std::wstring prefix;
    int id;
  } named[] = {{0, L"'\\x00 /* ", 15004}, {7, L"'\\a /* ", 15006},  {8, L"'\\b /* ", 15007},
               {9, L"'\\t /* ", 15002},   {10, L"'\\n /* ", 15000}, {11, L"'\\v /* ", 15005},
               {12, L"'\\f /* ", 15008},  {13, L"'\\r /* ", 15001}, {32, L"' /* ", 15003},
               {160, L"'\u00a0/* ", 15003}};
  for (const auto& n : named)
    EXPECT_EQ(set.Call(L"char", {I(n.code)}).result, Named(n.prefix, n.id)) << n.code;
  // The escapes of four and six characters give the display too.
  EXPECT_EQ(set.Call(L"char", {S(L"\\x0a")}).result, Named(L"'\\n /* ", 15000));
  EXPECT_EQ(set.Call(L"char", {S(L"\\011")}).result, Named(L"'\\t /* ", 15002));
  EXPECT_EQ(set.Call(L"char", {S(L"\\x0000")}).result, Named(L"'\\x00 /* ", 15004));
}

TEST(ProgressionFuncs, FormulasAndErrors) {
  FuncSet set;
  RunCallCases(set, {
      {L"aprog", {I(1), I(2), I(3)}, "I8:7"},
      {L"aprog", {F(0.5), F(0.25), I(0)}, "R8:0.5"},
      {L"aprogs", {I(1), I(2), I(3)}, "I8:16"},
      {L"aprogs", {I(1), I(1), I(100)}, "I8:5151"},
      {L"gprog", {I(1), I(2), I(10)}, "I8:1024"},
      {L"gprog", {I(3), F(0.5), I(2)}, "R8:0.75"},
      {L"gprog", {I(5), I(0), I(0)}, "I8:5"},
      {L"gprog", {I(3), I(3), I(38)}, "I8:4052555153018976267"},  // 3^39 exact, not via double
      {L"gprogs", {I(1), I(2), I(3)}, "I8:15"},
      {L"gprogs", {I(1), F(0.5), I(2)}, "R8:1.75"},
      {L"gprogs", {I(2), I(1), I(4)}, "I8:10"},  // ratio 1: n + 1 equal terms, not 0/0
      {L"aprog", {I(1), I(2), I(-1)}, "EMPTY", 14056, L"aprog"},
      {L"aprogs", {I(1), I(2), I(-1)}, "EMPTY", 14056, L"aprogs"},
      {L"gprog", {I(1), I(2), I(-1)}, "EMPTY", 14056, L"gprog"},
      {L"gprogs", {I(1), I(2), I(-3)}, "EMPTY", 14056, L"gprogs"},
      {L"gprog", {I(10), I(10), I(5000)}, kErr, 14054, L"gprog"},
      {L"gprogs", {I(1), I(10), I(5000)}, kErr, 14054, L"gprogs"},
      {L"aprog", {S(L"1e4000"), S(L"1e4932"), I(10)}, kErr, 14054, L"aprog"},
      {L"aprogs", {S(L"1e4932"), I(1), I(10)}, kErr, 14054, L"aprogs"},
      {L"gprog", {I(1), I(2), I(3000000000LL)}, kFault, kAnyError},   // n beyond 32 bits
      {L"gprogs", {I(1), I(2), I(2147483647LL)}, kFault, kAnyError},  // n + 1 overflows
      {L"aprog", {I(1), F(2.5), F(0.5)}, "EMPTY", 14002},
      {L"aprog", {B(false), I(1), I(1)}, "EMPTY", 14001},
      {L"aprogs", {I(1), I(2)}, kErr, 14008},
      {L"gprog", {I(1), I(2), I(3), I(4)}, kErr, 14007},
  });
  // All three arguments are fetched before the one check of the flag.
  auto o = set.Call(L"aprog", {Poison(), I(1), I(2)});
  EXPECT_EQ(o.result, "EMPTY");
  EXPECT_EQ(o.evaluated, (std::vector<int>{1, 1, 1}));
}

TEST(MolFunc, FormulasKindsAndErrors) {
  FuncSet set;
  RunCallCases(set, {
      {L"mol", {S(L"H2O")}, "R8:18.0153"},
      {L"mol", {S(L"H2 O")}, "R8:18.0153"},
      {L"mol", {S(L"Ca(OH)2")}, "R8:74.0947"},
      {L"mol", {S(L"Ca[OH]2")}, "R8:74.0947"},
      {L"mol", {S(L"CO")}, "R8:28.0102"},
      {L"mol", {S(L"Co")}, "R8:58.9332"},
      {L"mol", {S(L"CO2")}, "R8:44.0096"},  // the count belongs to the element before it
      {L"mol", {S(L"H2SO4")}, "R8:98.0735"},
      {L"mol", {S(L"K4[Fe(CN)6]")}, "R8:368.3452"},
      {L"mol", {S(L"")}, "R8:0"},  // a double also when whole
      {L"mol", {S(L"h2o")}, "R8:-9999", 14062, L"o"},  // the rightmost error
      {L"mol", {S(L"NaXy")}, "R8:-9999", 14062, L"Xy"},
      {L"mol", {S(L"2H")}, "R8:-9999", 14061},
      {L"mol", {S(L"(H")}, "R8:-9999", 14059},
      {L"mol", {S(L"H)")}, "R8:-9999", 14058},
      {L"mol", {S(L"()")}, "R8:-9999", 14027},
      {L"mol", {S(L"(H))")}, "R8:-9999", 14046},
      {L"mol", {S(L"H2 3")}, "R8:-9999", 14060},
      {L"mol", {S(L"(2H)")}, "R8:-9999", 14063},
      {L"mol", {S(L"H$O")}, "R8:-9999", 14044, L"$"},
      {L"mol", {S((L"H" + std::wstring(400, L'9')).c_str())}, kErr, 14054, L"mol"},
      {L"mol", {I(5)}, kErr, 14057, L"mol"},
      {L"mol", {B(true)}, kErr, 14057, L"mol"},
      {L"mol", {Empty()}, "EMPTY", 14000},
      {L"mol", {Poison()}, "EMPTY", kAnyError},
      {L"mol", {}, kErr, 14008},
      {L"mol", {S(L"H"), S(L"O")}, kErr, 14007},
  });
  VARIANT e;
  VariantInit(&e);
  e.vt = VT_ERROR;
  e.scode = E_INVALIDARG;
  Arg error;
  VariantCopy(&error.v, &e);
  auto o = set.Call(L"mol", {error});
  EXPECT_EQ(o.result, "EMPTY");
  EXPECT_EQ(o.error, Msg(14000));
}
