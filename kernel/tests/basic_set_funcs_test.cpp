// The built-in function set: its table, the lookup by alias, count and category, the texts, and
// the calling protocol of Func (sink, faults, indexes).
#include <set>

#include "ComTestKit.h"
#include "FuncTestKit.h"
#include "NameCompare.h"

using namespace evalkern;
using namespace evalkern::funckit;

TEST(BuiltinTable, HasSeventyNineRowsAndNoAliasTwice) {
  const auto& rows = BuiltinFuncRows();
  ASSERT_EQ(rows.size(), static_cast<size_t>(kBuiltinFuncCount));
  std::vector<std::wstring> seen;
  for (const auto& r : rows)
    for (const wchar_t* a : r.aliases) {
      for (const auto& s : seen) EXPECT_FALSE(NamesEqual(s, a)) << "alias twice";
      seen.push_back(a);
    }
}

TEST(BuiltinTable, EveryAliasFindsItsOwnRow) {
  FuncSet set;
  const auto& rows = BuiltinFuncRows();
  for (size_t i = 0; i < rows.size(); ++i)
    for (const wchar_t* a : rows[i].aliases) {
      long found = -1;
      for (long n = 0; n <= 3 && found < 0; ++n) found = set.Index(a, n);
      EXPECT_EQ(found, static_cast<long>(i)) << "row " << i;
    }
}

TEST(BuiltinTable, LookupByAliasCountAndCategory) {
  FuncSet set;
  struct {
    const wchar_t* name;
    long count;
    CategoryOrlen cat;
    long index;
  } cases[] = {
      {L"PLUS", 2, cAll, 0},     {L"+", 2, cAll, -1},          // the sign is a name, not an alias
      {L"plus", 3, cAll, -1},    {L"rand", 0, cAll, 64},       {L"random", 3, cAll, -1},
      {L"rgb", 2, cAll, -1},     {L"rgb", 1, cAll, 49},        {L"rgb", 3, cAll, 49},
      {L"sin", 1, cComputer, -1}, {L"sin", 1, cTrigonometric, 18}, {L"sum", 0, cAll, 1},
      {L"plus", 2, cHidden, 0},  {L"ArcCotGH", 1, cAll, 60},   {L"||", 2, cAll, 45},
      {L"", 0, cAll, -1},        {L"nosuch", 1, cAll, -1},
  };
  for (const auto& c : cases) EXPECT_EQ(set.Index(c.name, c.count, c.cat), c.index) << c.count;
}

TEST(BuiltinTable, CountChecksThroughTheSet) {
  FuncSet set;
  long r = 99;
  struct {
    long index, count, expect;
  } cases[] = {{49, 2, -1}, {30, 1, 1}, {67, 1, -1}, {1, 0, 0}, {64, 3, 1}, {50, 0, -1}};
  for (const auto& c : cases) {
    ASSERT_EQ(set.funcs->CheckArgumentsNumber(c.index, c.count, &r), S_OK);
    EXPECT_EQ(r, c.expect) << c.index;
  }
}

TEST(BuiltinTable, NamesAliasesTextsAndCategories) {
  FuncSet set;
  long n = 0;
  ASSERT_EQ(set.funcs->get_Count(&n), S_OK);
  EXPECT_EQ(n, 79);

  BSTR b = nullptr;
  ASSERT_EQ(set.funcs->get_Alias(60, 4, &b), S_OK);
  EXPECT_EQ(TakeBstr(b), L"actanh");
  EXPECT_TRUE(FAILED(set.funcs->get_Alias(60, 5, &b)));
  EXPECT_TRUE(FAILED(set.funcs->get_Alias(60, -1, &b)));
  ASSERT_EQ(set.funcs->get_CountAlias(25, &n), S_OK);
  EXPECT_EQ(n, 5);

  ASSERT_EQ(set.funcs->get_Name(17, &b), S_OK);
  EXPECT_EQ(TakeBstr(b), L"-");
  ASSERT_EQ(set.funcs->get_Description(70, &b), S_OK);
  EXPECT_EQ(TakeBstr(b), L"Converts a character to its AnsiChar code, or a code to its character");
  ASSERT_EQ(set.funcs->get_Description(29, &b), S_OK);
  EXPECT_EQ(TakeBstr(b), L"Sign of a number: 1, 0 or -1");
  ASSERT_EQ(set.funcs->get_Signature(78, &b), S_OK);
  EXPECT_EQ(TakeBstr(b), L"base, exponent");

  CategoryOrlen cat = cAll;
  ASSERT_EQ(set.funcs->get_Category(71, &cat), S_OK);
  EXPECT_EQ(cat, cPhysical);
  ASSERT_EQ(set.funcs->get_Category(0, &cat), S_OK);
  EXPECT_EQ(cat, cHidden);
}

TEST(BuiltinTable, EveryIndexFromACallerIsChecked) {
  FuncSet set;
  BSTR b = nullptr;
  long n = 0;
  CategoryOrlen cat;
  for (long bad : {-1L, 79L, 0x7FFFFFFFL}) {
    EXPECT_TRUE(FAILED(set.funcs->get_Name(bad, &b)));
    EXPECT_TRUE(FAILED(set.funcs->get_Description(bad, &b)));
    EXPECT_TRUE(FAILED(set.funcs->get_Signature(bad, &b)));
    EXPECT_TRUE(FAILED(set.funcs->get_Category(bad, &cat)));
    EXPECT_TRUE(FAILED(set.funcs->get_CountAlias(bad, &n)));
    EXPECT_TRUE(FAILED(set.funcs->CheckArgumentsNumber(bad, 1, &n)));
    auto o = set.CallAt(bad, {I(1)});
    EXPECT_TRUE(FAILED(o.hr));
  }
}

TEST(BuiltinFuncCall, WithoutAnErrorSinkFailsUnexpected) {
  ComPtr<IFuncs> funcs;
  ASSERT_EQ(CreateBasicSetFuncs(IID_IFuncs, reinterpret_cast<void**>(funcs.GetAddressOf())), S_OK);
  RecordingSink* sink = new RecordingSink();
  auto* args = new FakeArgs({I(1), I(2)}, sink);
  VARIANT r;
  VariantInit(&r);
  EXPECT_EQ(funcs->Func(0, args, &r), E_UNEXPECTED);
  EXPECT_EQ(args->evaluated, (std::vector<int>{0, 0}));
  args->Release();
  sink->Release();
}

TEST(BuiltinFuncCall, ErrorsPutTheFlagBeforeTheText) {
  // The message module is there, so that ids tell apart in every test of the functions.
  ASSERT_NE(GetMessageText(14007), GetMessageText(14008));
  FuncSet set;
  auto o = set.Call(L"/", {I(1), I(0)});
  EXPECT_EQ(o.error, Msg(14009));
  EXPECT_EQ(set.sink->calls, "FT");
}

TEST(BuiltinFuncCall, AFaultInsideABodyIsReportedAndTheCallSucceeds) {
  FuncSet set;
  // A text that is no number makes the reader raise; the set reports its message.
  auto o = set.Call(L"plus", {S(L"abc"), I(1)});
  EXPECT_EQ(o.hr, S_OK);
  EXPECT_EQ(o.result, "ERROR:E_FAIL");
  EXPECT_NE(o.error.find(L"abc"), std::wstring::npos);
  EXPECT_EQ(set.sink->calls, "FT");
}

TEST(BuiltinFuncCall, BodiesCheckTheirCountBeforeEvaluating) {
  FuncSet set;
  auto o = set.CallAt(0, {I(1)});  // "+" takes exactly 2
  EXPECT_EQ(o.error, Msg(14008));
  EXPECT_EQ(o.result, "ERROR:E_INVALIDARG");
  EXPECT_EQ(o.evaluated, (std::vector<int>{0}));
  o = set.CallAt(0, {I(1), I(2), Poison()});
  EXPECT_EQ(o.error, Msg(14007));
  EXPECT_EQ(o.evaluated, (std::vector<int>{0, 0, 0}));
  o = set.CallAt(36, {B(true)});  // if
  EXPECT_EQ(o.error, Msg(14008));
  o = set.CallAt(13, {});  // ln
  EXPECT_EQ(o.error, Msg(14008));
}

TEST(BuiltinFuncCall, SettingsAndSinkReadBack) {
  FuncSet set;
  ComPtr<IErrorEvents> e;
  ASSERT_EQ(set.funcs->get_ErrorEvents(e.GetAddressOf()), S_OK);
  EXPECT_EQ(e.Get(), static_cast<IErrorEvents*>(set.sink));
  ComPtr<ISettings> s;
  ASSERT_EQ(set.funcs->get_Settings(s.GetAddressOf()), S_OK);
  EXPECT_EQ(s.Get(), nullptr);
}

// Views are made through the COM runtime, so this needs the registered server.
TEST(BuiltinTable, FuncInterfaceViewsOneEntry) {
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  {
    FuncSet set;
    ComPtr<IFunc> f;
    ASSERT_EQ(set.funcs->get_FuncInterface(61, f.GetAddressOf()), S_OK);
    BSTR b = nullptr;
    ASSERT_EQ(f->get_Name(&b), S_OK);
    EXPECT_EQ(TakeBstr(b), L"div");
    long r = 0;
    ASSERT_EQ(f->CheckArgumentsNumber(1, &r), S_OK);
    EXPECT_EQ(r, -1);
    ComPtr<IFunc> none;
    EXPECT_TRUE(FAILED(set.funcs->get_FuncInterface(79, none.GetAddressOf())));
  }
  CoUninitialize();
}

TEST(BuiltinTable, WithoutTheMessageModuleTheFunctionsStillWork) {
  ReloadMessageModuleForTests(L"NoSuchMessageModule.dll");
  {
    FuncSet set;
    BSTR b = nullptr;
    ASSERT_EQ(set.funcs->get_Description(70, &b), S_OK);
    EXPECT_EQ(TakeBstr(b), L"String table was not loaded");
    ASSERT_EQ(set.funcs->get_Signature(0, &b), S_OK);
    EXPECT_EQ(TakeBstr(b), L"String table was not loaded");
    EXPECT_EQ(set.Call(L"plus", {I(1), I(2)}).result, "I8:3");
    auto o = set.Call(L"/", {I(1), I(0)});
    EXPECT_EQ(o.error, L"String table was not loaded");  // still reported, with the fallback
    EXPECT_EQ(o.result, "ERROR:E_INVALIDARG");
  }
  ReloadMessageModuleForTests(kMessageModuleName);
  EXPECT_NE(GetMessageText(14009), L"String table was not loaded");
}
