// The evaluator against a host-built library: name resolution, lazy arguments and the messages
// of calls and names that do not resolve.
#include <climits>

#include "LibraryTestKit.h"
#include "Nodes.h"

using namespace evalkern;
using namespace evalkern::testkit;

static ::testing::Environment* const g_com =
    ::testing::AddGlobalTestEnvironment(new ComApartment());

namespace {

// Tree builders; every builder hands its reference to the caller or to the parent node.
INodeParsing* Num(long long v) {
  Var value(v);
  return MakeLowermostNode(value.v);
}
INodeParsing* Id(const wchar_t* name) { return MakeVariableOrConstNode(name); }
INodeParsing* Call(const wchar_t* name, NodeChildren children = {}) {
  return MakeFuncNode(name, std::move(children));
}

// The library either comes from the registered server (the evaluator reaches it through COM) or
// is made by this program's own copy of the kernel (the evaluator reaches it directly).
ComPtr<ILibOrlen> NewLibrary(bool local) {
  if (!local) return Make<ILibOrlen>(CLSID_LibOrlen);
  ComPtr<ILibOrlen> lib;
  EXPECT_EQ(CreateLibOrlen(IID_ILibOrlen, reinterpret_cast<void**>(lib.GetAddressOf())), S_OK);
  return lib;
}

struct EvalFixture : ::testing::TestWithParam<bool> {
  ComPtr<ILibOrlen> lib = NewLibrary(GetParam());
  ComPtr<RecordingSink> sink = NewSink();
  ComPtr<HostFuncs> funcs = NewHostFuncs();
  ComPtr<ICollectionConsts> consts = NewConsts({{L"pi", 3}, {L"both", 1}});
  ComPtr<ICollectionVars> vars = NewVars({{L"both", 2}, {L"v", 5}, {L"pi", 4}});

  void SetUp() override {
    lib->put_ErrorEvents(sink.Get());
    AddItem(lib.Get(), funcs.Get());
    AddItem(lib.Get(), consts.Get());
    AddItem(lib.Get(), vars.Get());
    AddItem(lib.Get(), NewBracketFunc().Get());
  }
  void Refresh() { ASSERT_EQ(lib->Refresh(), S_OK); }

  // Evaluates a tree (taking its reference) and gives the value.
  Var Eval(INodeParsing* tree) {
    ComPtr<INodeParsing> root;
    Adopt(root, tree);
    Var r;
    EvaluateNode(root.Get(), lib.Get(), r.Out());
    return r;
  }
};

TEST_P(EvalFixture, NamesResolveAsConstantThenVariableThenFunction) {
  funcs->Add({L"pi"}, 0, 0, [](IArguments*, VARIANT* r) { ReturnInt(r, 100); });
  funcs->Add({L"v"}, 0, 0, [](IArguments*, VARIANT* r) { ReturnInt(r, 200); });
  LONG seenCount = -1;
  Var seenValue;
  funcs->Add({L"onlyFunc"}, 0, 0, [&](IArguments* a, VARIANT* r) {
    a->get_Count(&seenCount);
    a->get_Value(5, seenValue.Out());
    ReturnInt(r, 7);
  });
  Refresh();
  struct Case {
    const wchar_t* name;
    long long value;
  } cases[] = {{L"PI", 3}, {L"both", 1}, {L"V", 5}, {L"onlyfunc", 7}};
  for (const Case& k : cases) {
    Var r = Eval(Id(k.name));
    EXPECT_EQ(r.AsInt(), k.value) << "name index " << (&k - cases);
  }
  EXPECT_EQ(funcs->funcs[0].calls, 0);
  EXPECT_EQ(funcs->funcs[1].calls, 0);
  // A bare name calls its function with no arguments, each of which reads as 0.
  EXPECT_EQ(seenCount, 0);
  EXPECT_EQ(seenValue.v.vt, VT_I4);
  EXPECT_EQ(seenValue.v.lVal, 0);
  EXPECT_TRUE(sink->calls.empty());

  // Calls, literals, brackets and nested calls.
  funcs->Add({L"sum", L"plus"}, 0, -1, SumBody);
  Refresh();
  Var r = Eval(Call(L"(", {Call(L"Plus", {Num(1), Call(L"(", {Call(L"sum", {Id(L"v"), Num(2)})})})}));
  EXPECT_EQ(r.AsInt(), 8);
  EXPECT_TRUE(sink->calls.empty());
}

TEST_P(EvalFixture, ArgumentsAreEvaluatedEachTimeTheyAreAskedFor) {
  HostFunc& tick = funcs->Add({L"tick"}, 0, 0, [](IArguments*, VARIANT* r) { ReturnInt(r, 1); });
  (void)tick;
  funcs->Add({L"twice"}, 1, 1, [](IArguments* a, VARIANT* r) {
    Var x, y;
    a->get_Value(0, x.Out());
    a->get_Value(0, y.Out());
    ReturnInt(r, x.AsInt() + y.AsInt());
  });
  funcs->Add({L"ignore"}, 1, 1, [](IArguments*, VARIANT* r) { ReturnInt(r, 0); });
  funcs->Add({L"first"}, 2, 2, [](IArguments* a, VARIANT* r) {
    Var x, y;
    a->get_Value(0, x.Out());
    a->get_Value(1, y.Out());
    VariantCopy(r, &x.v);
  });
  Refresh();

  EXPECT_EQ(Eval(Call(L"twice", {Call(L"tick")})).AsInt(), 2);
  EXPECT_EQ(funcs->funcs[0].calls, 2);
  EXPECT_EQ(Eval(Call(L"ignore", {Call(L"tick")})).AsInt(), 0);
  EXPECT_EQ(funcs->funcs[0].calls, 2);
  EXPECT_EQ(Eval(Call(L"twice", {Id(L"tick")})).AsInt(), 2);
  EXPECT_EQ(funcs->funcs[0].calls, 4);

  // An error in the first argument stops everything after it: the second is never evaluated.
  Var r = Eval(Call(L"first", {Id(L"nosuch"), Call(L"tick")}));
  EXPECT_EQ(r.v.vt, VT_EMPTY);
  EXPECT_EQ(funcs->funcs[0].calls, 4);
  EXPECT_EQ(sink->text, GetMessageTextFmt(14028, L"nosuch"));

  // An index outside the call's arguments fails the request; it reads nothing.
  sink->Reset();
  HRESULT outside = S_OK;
  LONG count = -1;
  funcs->Add({L"peek"}, 1, 1, [&](IArguments* a, VARIANT* r) {
    a->get_Count(&count);
    Var x;
    outside = a->get_Value(1, x.Out());
    ReturnInt(r, 0);
  });
  Refresh();
  Eval(Call(L"peek", {Call(L"tick")}));
  EXPECT_EQ(count, 1);
  EXPECT_TRUE(FAILED(outside));
  EXPECT_EQ(funcs->funcs[0].calls, 4);
  EXPECT_EQ(sink->flag, VARIANT_FALSE);

  // While the flag stands nothing at all is evaluated.
  Eval(Id(L"nosuch"));
  r = Eval(Call(L"tick"));
  EXPECT_EQ(r.v.vt, VT_EMPTY);
  EXPECT_EQ(funcs->funcs[0].calls, 4);
}

TEST_P(EvalFixture, CallsThatDoNotResolveReportThePreciseMessage) {
  funcs->Add({L"sin"}, 1, 1);
  funcs->Add({L"f"}, 1, 1);
  funcs->Add({L"f"}, 3, 3);
  funcs->Add({L"three"}, 3, 3);
  funcs->Add({L"one"}, 1, 1);
  for (const wchar_t* name : {L"pi", L"v", L"odd"}) {
    HostFunc& h = funcs->Add({name}, 0, 0);
    h.check = [](long) { return LONG_MAX; };
  }
  Refresh();
  struct Case {
    const wchar_t* name;
    int args;
    int id;
    bool withName;
  } cases[] = {
      {L"nosuch", 1, 14018, true},  // no function bears the name
      {L"pi", 1, 14019, true},      // a constant of the library
      {L"v", 1, 14020, true},       // a variable of the library
      {L"odd", 1, 14021, true},
      {L"one", 4, 14022, true},     // three too many
      {L"sin", 2, 14024, true},     // one too many
      {L"f", 2, 14024, true},       // 1 and 3 accepted: the one-too-many answer wins
      {L"sin", 0, 14025, true},     // one missing
      {L"THREE", 1, 14023, true},   // two missing
      {L"(", 2, 14026, false},
      {L"(", 3, 14026, false},
      {L"(", 0, 14027, false},
  };
  for (const Case& k : cases) {
    sink->Reset();
    NodeChildren args;
    for (int i = 0; i < k.args; ++i) args.push_back(Num(i));
    Var r = Eval(Call(k.name, args));
    EXPECT_EQ(r.v.vt, VT_EMPTY);
    std::wstring expected = k.withName ? GetMessageTextFmt(k.id, k.name) : GetMessageText(k.id);
    EXPECT_EQ(sink->text, expected) << "case " << (&k - cases);
    EXPECT_EQ(sink->calls, (std::vector<std::wstring>{L"text", L"flag on"}))
        << "case " << (&k - cases);
  }
}

TEST_P(EvalFixture, UnknownNamesErrorNodesAndListNodes) {
  funcs->Add({L"needsArgs"}, 1, 1);
  Refresh();
  // The messages come from the message module, not from its fallback.
  ASSERT_NE(GetMessageTextFmt(14028, L"x").find(L"x"), std::wstring::npos);
  struct Case {
    const wchar_t* name;
    int id;
  } cases[] = {{L"nosuch", 14028}, {L"NeedsArgs", 14023}};
  for (const Case& k : cases) {
    sink->Reset();
    Var r = Eval(Id(k.name));
    EXPECT_EQ(r.v.vt, VT_EMPTY);
    EXPECT_EQ(sink->text, GetMessageTextFmt(k.id, k.name));
    EXPECT_EQ(sink->calls, (std::vector<std::wstring>{L"text", L"flag on"}));
  }

  // An error node reports its own text again, flag first.
  sink->Reset();
  Var r = Eval(Call(L"(", {MakeErrorNode(L"Bad syntax")}));
  EXPECT_EQ(r.v.vt, VT_EMPTY);
  EXPECT_EQ(sink->text, L"Bad syntax");
  EXPECT_EQ(sink->calls, (std::vector<std::wstring>{L"flag on", L"text"}));

  // A list node has no value and no error.
  sink->Reset();
  r = Eval(MakeListNode({Num(1), Num(2)}));
  EXPECT_EQ(r.v.vt, VT_EMPTY);
  EXPECT_TRUE(sink->calls.empty());
}

TEST_P(EvalFixture, TheBracketFunctionCalledDirectly) {
  ComPtr<IFunc> bracket = NewBracketFunc();
  LONG check = 0;
  for (LONG n : {0L, 1L, 2L}) {
    bracket->CheckArgumentsNumber(n, &check);
    EXPECT_EQ(check, n - 1);
  }
  Text name, sig, alias;
  CategoryOrlen cat;
  bracket->get_Name(name.Out());
  bracket->get_Signature(sig.Out());
  bracket->get_Alias(3, alias.Out());
  bracket->get_Category(&cat);
  EXPECT_EQ(name.str(), L"(");
  EXPECT_EQ(sig.str(), L"X");
  EXPECT_EQ(alias.str(), L"(");
  EXPECT_EQ(cat, cHidden);

  // Without arguments: 14027 flag first and the error value E_INVALIDARG.
  bracket->put_ErrorEvents(sink.Get());
  Var r;
  EXPECT_EQ(bracket->Func(NewHollowArguments().Get(), r.Out()), S_OK);
  EXPECT_EQ(r.v.vt, VT_ERROR);
  EXPECT_EQ(r.v.scode, E_INVALIDARG);
  EXPECT_EQ(sink->text, GetMessageText(14027));
  EXPECT_EQ(sink->calls, (std::vector<std::wstring>{L"flag on", L"text"}));

  // Without a sink the error value comes back all the same.
  bracket->put_ErrorEvents(nullptr);
  EXPECT_EQ(bracket->Func(NewHollowArguments().Get(), r.Out()), S_OK);
  EXPECT_EQ(r.v.vt, VT_ERROR);
}

TEST_P(EvalFixture, NearestCountMismatch) {
  for (auto range : {std::pair<long, long>{1, 1}, {3, 3}, {0, 0}, {2, -1}}) funcs->Add({L"f"}, range.first, range.second);
  funcs->Add({L"g"}, 0, 0).check = [](long) { return LONG_MIN; };
  struct Case {
    const wchar_t* name;
    long count;
    long expected;
  } cases[] = {
      {L"f", 2, 0},    {L"f", 5, 0},  {L"nosuch", 1, LONG_MIN},  {L"g", 1, LONG_MIN},
  };
  for (const Case& k : cases) {
    Text n(k.name);
    EXPECT_EQ(NearestCountMismatch(funcs.Get(), n.p, k.count), k.expected);
  }
  // Only exact counts: the smallest positive answer wins over any negative one.
  auto only = NewHostFuncs();
  only->Add({L"h"}, 1, 1);
  only->Add({L"h"}, 3, 3);
  only->Add({L"h"}, 6, 6);
  struct Case2 {
    long count;
    long expected;
  } cases2[] = {{2, 1}, {4, 1}, {0, -1}, {5, 2}, {9, 3}};
  Text h(L"H");
  for (const Case2& k : cases2)
    EXPECT_EQ(NearestCountMismatch(only.Get(), h.p, k.count), k.expected) << k.count;
}

TEST_P(EvalFixture, FailuresInsideEvaluationAreReportedNotThrown) {
  funcs->Add({L"bad"}, 0, 0, [](IArguments*, VARIANT*) {});
  funcs->lastHr = E_FAIL;
  Refresh();
  Var r = Eval(Call(L"bad"));
  EXPECT_EQ(r.v.vt, VT_EMPTY);
  EXPECT_EQ(sink->flag, VARIANT_TRUE);
  EXPECT_EQ(sink->calls.front(), L"flag on");
}

TEST_P(EvalFixture, ALibraryWithoutSinkFailsTheEvaluation) {
  funcs->Add({L"one"}, 0, 0, [](IArguments*, VARIANT* r) { ReturnInt(r, 1); });
  Refresh();
  lib->put_ErrorEvents(nullptr);
  ComPtr<INodeParsing> root;
  Adopt(root, Call(L"one"));
  Var r;
  EXPECT_THROW(EvaluateNode(root.Get(), lib.Get(), r.Out()), KernelError);
  EXPECT_EQ(funcs->funcs[0].calls, 0);
}

INSTANTIATE_TEST_SUITE_P(ServerOrLocalLibrary, EvalFixture, ::testing::Bool());

}  // namespace
