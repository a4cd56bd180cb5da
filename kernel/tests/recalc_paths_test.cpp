// The short cuts a worksheet recalculation takes must answer exactly as the long way round:
// hashed name lookups, a library calling a function wrapper's set directly, call nodes that know
// their children's kinds, and the analyser's buffers kept between analyses.
#include "ExpressionAnalyzer.h"
#include "LibraryTestKit.h"
#include "Nodes.h"

using namespace evalkern;
using namespace evalkern::testkit;

static ::testing::Environment* const g_com =
    ::testing::AddGlobalTestEnvironment(new ComApartment());

namespace {

// --- names of a collection -----------------------------------------------------------------------

TEST(NamedValuesLookup, ThousandsOfNamesFoldCaseAndKeepTheirOrder) {
  NamedValues values;
  Var v(1LL);
  const int n = 5000;
  for (int i = 0; i < n; ++i) values.Add(L"Name_" + std::to_wstring(i), v.v);
  for (int i = 0; i < n; i += 7) {
    std::wstring other = L"nAME_" + std::to_wstring(i);
    ASSERT_EQ(values.GetIndex(other.data(), other.size()), i);
  }
  // A name added again under another spelling changes the value of the first entry in place.
  Var changed(42LL);
  values.Add(L"NAME_17", changed.v);
  EXPECT_EQ(values.Count(), n);
  EXPECT_EQ(values.At(17).Name, L"Name_17");
  EXPECT_EQ(values.At(17).Value.llVal, 42);

  struct Case {
    const wchar_t* name;
    long index;
  } misses[] = {{L"Name_", -1}, {L"Name_5000", -1}, {L"Name_17 ", -1}, {L"", -1}};
  for (const Case& c : misses)
    EXPECT_EQ(values.GetIndex(c.name, std::wcslen(c.name)), c.index) << c.name;

  values.Clear();
  EXPECT_EQ(values.GetIndex(L"name_0", 6), -1);
  values.Add(L"name_9", v.v);
  EXPECT_EQ(values.GetIndex(L"NAME_9", 6), 0);
}

// --- function wrappers in a library --------------------------------------------------------------

// The library and the wrapper are this program's own objects, so the library reaches the wrapper's
// binding directly.
struct WrapperInLibrary : ::testing::Test {
  ComPtr<ILibOrlen> lib;
  ComPtr<HostFuncs> set = NewHostFuncs();
  ComPtr<IShellFuncs> wrapper;
  TLibOrlen* native = nullptr;

  void SetUp() override {
    ASSERT_EQ(CreateLibOrlen(IID_ILibOrlen, reinterpret_cast<void**>(lib.GetAddressOf())), S_OK);
    native = AsLibOrlen(lib.Get());
    ASSERT_NE(native, nullptr);
    set->Add({L"f"}, 0, 0, [](IArguments*, VARIANT* r) { ReturnInt(r, 1); });
    set->Add({L"g"}, 1, 1, [](IArguments*, VARIANT* r) { ReturnInt(r, 2); });
    ASSERT_EQ(CreateShellFuncs(IID_IShellFuncs, reinterpret_cast<void**>(wrapper.GetAddressOf())),
              S_OK);
    ASSERT_EQ(wrapper->SetFuncs(set.Get(), 0), S_OK);
    AddItem(lib.Get(), wrapper.Get());
    ASSERT_EQ(lib->Refresh(), S_OK);
  }

  long long Call(long index) {
    ComPtr<IArguments> none = NewHollowArguments();
    Var r;
    native->CallFunc(index, none.Get(), r.Out());
    return r.AsInt();
  }
};

TEST_F(WrapperInLibrary, CallsAndCountChecksFollowTheWrappersBindingAtCallTime) {
  long i = native->FindFunc(L"f", 1, 0, cAll);
  ASSERT_EQ(i, 0);
  EXPECT_EQ(Call(i), 1);
  EXPECT_EQ(set->funcs[0].calls, 1);

  // Rebound without a refresh: the merged entry still has the old aliases, but calls and count
  // checks go where the wrapper now points, as they would through the wrapper itself.
  ASSERT_EQ(wrapper->SetFuncs(set.Get(), 1), S_OK);
  EXPECT_EQ(native->FindFunc(L"f", 1, 0, cAll), -1);  // g takes exactly one argument
  EXPECT_EQ(native->FindFunc(L"f", 1, 1, cAll), 0);
  EXPECT_EQ(Call(0), 2);
  EXPECT_EQ(set->funcs[1].calls, 1);
}

TEST_F(WrapperInLibrary, AWrapperUnboundAfterTheRefreshFailsTheCallAsItDoesItself) {
  auto sink = NewSink();
  lib->put_ErrorEvents(sink.Get());
  ASSERT_EQ(wrapper->SetFuncs(nullptr, 0), S_OK);
  Text through;
  ComPtr<IFunc> func;
  ASSERT_EQ(wrapper.As(&func), S_OK);
  Var r;
  EXPECT_TRUE(FAILED(func->Func(NewHollowArguments().Get(), r.Out())));
  ComPtr<IErrorInfo> info;
  ASSERT_EQ(GetErrorInfo(0, info.GetAddressOf()), S_OK);
  info->GetDescription(through.Out());

  Var empty;
  native->CallFunc(0, NewHollowArguments().Get(), empty.Out());
  EXPECT_EQ(empty.v.vt, VT_EMPTY);
  EXPECT_TRUE(sink->flag);
  EXPECT_EQ(sink->text, through.str());
  EXPECT_EQ(set->funcs[0].calls, 0);
}

// --- call nodes over nodes of other origins ------------------------------------------------------

// A literal node made by a host, not by the kernel.
class HostLiteral : public INodeLowermost, public TRefCount {
  EVALKERN_IUNKNOWN
 public:
  explicit HostLiteral(long long v) : value_(v) {}
  void* Cast(REFIID iid) {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_INodeParsing) ||
        IsEqualIID(iid, IID_INodeLowermost))
      return static_cast<INodeLowermost*>(this);
    return nullptr;
  }
  STDMETHODIMP get_Value(VARIANT* out) override {
    VariantInit(out);
    return VariantCopy(out, &value_.v);
  }

 private:
  Var value_;
};

TEST(KernelCallNodes, ChildrenOfAnotherOriginAreEvaluatedThroughTheirInterfaces) {
  for (bool local : {true, false}) {
    ComPtr<ILibOrlen> lib;
    if (local)
      ASSERT_EQ(CreateLibOrlen(IID_ILibOrlen, reinterpret_cast<void**>(lib.GetAddressOf())), S_OK);
    else
      lib = Make<ILibOrlen>(CLSID_LibOrlen);
    auto sink = NewSink();
    auto funcs = NewHostFuncs();
    funcs->Add({L"sum"}, 0, -1, SumBody);
    lib->put_ErrorEvents(sink.Get());
    AddItem(lib.Get(), funcs.Get());
    ASSERT_EQ(lib->Refresh(), S_OK);

    // Few children have their kinds kept in the node, many in a list of their own.
    for (int others : {1, 4}) {
      NodeChildren children;
      Var one(1LL);
      for (int k = 0; k < others; ++k) children.push_back(MakeLowermostNode(one.v));
      INodeParsing* host = new HostLiteral(4);
      host->AddRef();
      children.push_back(host);
      ComPtr<INodeParsing> tree;
      Adopt(tree, MakeFuncNode(L"sum", std::move(children)));
      TNodeFunc* call = AsFuncNode(tree.Get());
      EXPECT_EQ(call->KernelChild(0).kind, NodeKind::Lowermost);
      EXPECT_EQ(call->KernelChild(static_cast<size_t>(others)).kind, NodeKind::Foreign);

      TreeEvaluator evaluator(lib.Get());
      for (int run = 0; run < 2; ++run) {  // one evaluator, many runs
        Var r;
        evaluator.Evaluate(tree.Get(), r.Out());
        EXPECT_EQ(r.AsInt(), others + 4) << local;
        EXPECT_FALSE(sink->flag) << sink->text;
      }
    }
  }
}

// --- analyses inside analyses --------------------------------------------------------------------

const wchar_t kInnerText[] = L"max(1, 2) * (3 - -4) + not x";

// A host's sink that analyses a text of its own whenever it is told of an error.
class AnalysingSink : public TestSink {
 public:
  INodeParsing* inner = nullptr;

 protected:
  void OnText() override {
    if (!inner) AnalyzeExpression(kInnerText, nullptr, &inner);
  }
};

// The shape of a tree as text: calls with their children in brackets, leaves as "#" and names.
std::wstring Shape(INodeParsing* node) {
  if (TNodeFunc* f = AsFuncNode(node)) {
    std::wstring s = f->Name() + L"[";
    for (INodeParsing* c : f->ChildNodes()) s += Shape(c) + L" ";
    return s + L"]";
  }
  if (TNodeVariableOrConst* v = AsVariableOrConstNode(node)) return v->Name();
  if (AsLowermostNode(node)) return L"#";
  if (TNodeError* e = AsErrorNode(node)) return L"error: " + e->TextError();
  return L"?";
}

std::wstring ShapeOf(const wchar_t* text) {
  INodeParsing* tree = nullptr;
  AnalyzeExpression(text, nullptr, &tree);
  std::wstring shape = Shape(tree);
  if (tree) tree->Release();
  return shape;
}

TEST(AnalyserBuffers, AnAnalysisStartedByTheSinkOfAnotherLeavesBothIntact) {
  const std::wstring inner = ShapeOf(kInnerText);
  ASSERT_EQ(inner.rfind(L"([", 0), 0u) << inner;
  const wchar_t* const faulty[] = {
      L"1 + 0x",                    // the scanner's fault
      L"2 * (3 + ",                 // an unbalanced bracket
      L"0x1FFFFFFFFFFFFFFFF + a",   // a literal that does not fit, reported while grouping
  };
  ComPtr<AnalysingSink> sink(new AnalysingSink());
  for (const wchar_t* text : faulty) {
    const std::wstring alone = ShapeOf(text);
    ASSERT_EQ(alone.rfind(L"error: ", 0), 0u) << alone;
    sink->flag = VARIANT_FALSE;
    if (sink->inner) sink->inner->Release(), sink->inner = nullptr;
    INodeParsing* outer = nullptr;
    AnalyzeExpression(text, sink.Get(), &outer);
    ASSERT_NE(sink->inner, nullptr) << text;
    EXPECT_EQ(Shape(sink->inner), inner) << text;
    EXPECT_EQ(Shape(outer), alone) << text;
    if (outer) outer->Release();
  }
  if (sink->inner) sink->inner->Release();
  EXPECT_EQ(ShapeOf(kInnerText), inner);  // later analyses on the thread are whole again
}

}  // namespace
