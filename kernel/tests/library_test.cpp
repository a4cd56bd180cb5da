// The library object and the collections, driven through their COM interfaces as a host would.
#include "LibraryTestKit.h"
#include "Settings.h"

using namespace evalkern;
using namespace evalkern::testkit;

static ::testing::Environment* const g_com =
    ::testing::AddGlobalTestEnvironment(new ComApartment());

namespace {

// The text `get(i, out)` gives for each entry of a view, in order.
template <class View, class Get>
std::vector<std::wstring> EntryTexts(View* view, Get get) {
  std::vector<std::wstring> names;
  LONG n = 0;
  EXPECT_EQ(view->get_Count(&n), S_OK);
  for (LONG i = 0; i < n; ++i) {
    Text t;
    EXPECT_EQ(get(i, t.Out()), S_OK);
    names.push_back(t.str());
  }
  return names;
}

std::vector<std::wstring> Names(IConsts* view) {
  return EntryTexts(view, [&](LONG i, BSTR* t) { return view->get_Name(i, t); });
}

std::vector<std::wstring> FuncNames(IFuncs* view) {
  return EntryTexts(view, [&](LONG i, BSTR* t) { return view->get_Alias(i, 0, t); });
}

long long ValueOf(IConsts* view, const wchar_t* name) {
  Text n(name);
  LONG i = -1;
  EXPECT_EQ(view->GetIndex(n.p, &i), S_OK);
  if (i < 0) return -1;
  Var v;
  EXPECT_EQ(view->Value(i, v.Out()), S_OK);
  return v.AsInt();
}

struct LibFixture : ::testing::Test {
  ComPtr<ILibOrlen> lib = Make<ILibOrlen>(CLSID_LibOrlen);
  ComPtr<RecordingSink> sink = NewSink();
  ComPtr<IFuncs> funcs;
  ComPtr<IConsts> consts;
  ComPtr<IVars> vars;
  void SetUp() override {
    ASSERT_TRUE(lib);
    lib->put_ErrorEvents(sink.Get());
    lib->get_Funcs(funcs.GetAddressOf());
    lib->get_Consts(consts.GetAddressOf());
    lib->get_Vars(vars.GetAddressOf());
  }
  LONG Refresh() { return lib->Refresh(); }
};

TEST_F(LibFixture, MergedViewsFollowTheLibraryOrder) {
  auto c1 = NewConsts({{L"pi", 3}, {L"e", 2}});
  auto v = NewVars({{L"x", 10}, {L"pi", 99}});
  auto c2 = NewConsts({{L"PI", 4}, {L"g", 9}});
  auto f = NewHostFuncs();
  f->Add({L"first"}, 0, 0);
  f->Add({L"second", L"2nd"}, 1, 1);
  ASSERT_EQ(AddItem(lib.Get(), c1.Get()), 0);
  ASSERT_EQ(AddItem(lib.Get(), v.Get()), 1);
  ASSERT_EQ(AddItem(lib.Get(), f.Get()), 2);
  ASSERT_EQ(AddItem(lib.Get(), c2.Get()), 3);
  ASSERT_EQ(Refresh(), S_OK);

  EXPECT_EQ(Names(consts.Get()), (std::vector<std::wstring>{L"pi", L"e", L"PI", L"g"}));
  // A variable set counts only as variables, never as constants.
  EXPECT_EQ(Names(vars.Get()), (std::vector<std::wstring>{L"x", L"pi"}));
  EXPECT_EQ(FuncNames(funcs.Get()), (std::vector<std::wstring>{L"first", L"second"}));
  // The earlier of two same-named constants wins, whatever the letter case.
  EXPECT_EQ(ValueOf(consts.Get(), L"Pi"), 3);
  EXPECT_EQ(ValueOf(consts.Get(), L"G"), 9);
  EXPECT_EQ(ValueOf(vars.Get(), L"X"), 10);
  EXPECT_EQ(ValueOf(consts.Get(), L"x"), -1);

  // Moving the second constant set to the front changes the winner after the next refresh.
  EXPECT_EQ(lib->Move(3, 0), S_OK);
  ASSERT_EQ(Refresh(), S_OK);
  EXPECT_EQ(ValueOf(consts.Get(), L"pi"), 4);

  // Values are read at call time through the wrappers; names are those of the last refresh.
  Text x(L"x");
  Var nine(9LL);
  EXPECT_EQ(vars->SetValue(0, nine.v), S_OK);
  LONG i = -1;
  v->GetIndex(x.p, &i);
  Var read;
  EXPECT_EQ(v->Value(i, read.Out()), S_OK);
  EXPECT_EQ(read.AsInt(), 9);
}

TEST_F(LibFixture, SingleItemsGoToTheirOwnListAndOtherObjectsToNone) {
  auto set = NewVars({{L"a", 1}, {L"b", 2}});
  ComPtr<IConst> item;
  ASSERT_EQ(set->get_Item(1, item.GetAddressOf()), S_OK);  // a single variable
  auto constants = NewConsts({{L"c", 3}});
  ComPtr<IConst> single;
  ASSERT_EQ(constants->get_Item(0, single.GetAddressOf()), S_OK);  // a single constant
  ComPtr<IFunc> bracket = NewBracketFunc();                         // a single function
  ComPtr<ISettings> other;
  Adopt(other, NewSettings());                                      // none of them
  for (IUnknown* p : {static_cast<IUnknown*>(item.Get()), static_cast<IUnknown*>(single.Get()),
                      static_cast<IUnknown*>(bracket.Get()), static_cast<IUnknown*>(other.Get())})
    AddItem(lib.Get(), p);
  ASSERT_EQ(Refresh(), S_OK);
  EXPECT_EQ(Names(vars.Get()), (std::vector<std::wstring>{L"b"}));
  EXPECT_EQ(Names(consts.Get()), (std::vector<std::wstring>{L"c"}));
  EXPECT_EQ(FuncNames(funcs.Get()), (std::vector<std::wstring>{L"("}));
  LONG n = 0;
  lib->get_Count(&n);
  EXPECT_EQ(n, 4);
  // The single items got the library's sink too.
  ComPtr<IErrorEvents> seen;
  bracket->get_ErrorEvents(seen.GetAddressOf());
  EXPECT_EQ(seen.Get(), sink.Get());
  set->get_ErrorEvents(seen.ReleaseAndGetAddressOf());
  EXPECT_EQ(seen.Get(), sink.Get());
}

TEST_F(LibFixture, NamesFoldOnlyAsciiLetters) {
  auto c = NewConsts({{L"Alpha", 1}, {L"\u00c4rger", 2}, {L"\u0399", 3}});
  AddItem(lib.Get(), c.Get());
  ASSERT_EQ(Refresh(), S_OK);
  struct Case {
    const wchar_t* name;
    LONG index;
  } cases[] = {
      {L"alpha", 0},       {L"ALPHA", 0},        {L"\u00c4RGER", 1}, {L"\u00e4rger", -1},
      {L"\u03b9", -1},     {L"\u0399", 2},       {L"alph", -1},      {L"", -1},
  };
  for (const Case& k : cases) {
    Text n(k.name);
    LONG i = -9;
    EXPECT_EQ(consts->GetIndex(n.p, &i), S_OK);
    EXPECT_EQ(i, k.index) << "name index " << (&k - cases);
  }
}

TEST_F(LibFixture, FunctionLookupByAliasCountAndCategory) {
  auto f = NewHostFuncs();
  f->Add({L"sin"}, 1, 1, nullptr, cTrigonometric);      // 0
  f->Add({L"f", L"eff"}, 3, 3, nullptr, cArithmetic);   // 1
  f->Add({L"f"}, 1, 1, nullptr, cStatistic);            // 2
  f->Add({L"plus"}, 2, 2, nullptr, cHidden);            // 3
  f->Add({L"any"}, 0, -1, nullptr, cComputer);          // 4
  auto g = NewHostFuncs();
  g->Add({L"F"}, 1, 1, nullptr, cArithmetic);           // 5
  AddItem(lib.Get(), f.Get());
  AddItem(lib.Get(), g.Get());
  ASSERT_EQ(Refresh(), S_OK);
  struct Case {
    const wchar_t* name;
    LONG count;
    CategoryOrlen category;
    LONG expected;
  } cases[] = {
      {L"SIN", 1, cAll, 0},          {L"sin", 2, cAll, -1},
      {L"sin", 1, cComputer, -1},    {L"sin", 1, cTrigonometric, 0},
      {L"f", 3, cAll, 1},            {L"EFF", 3, cAll, 1},
      {L"f", 1, cAll, 2},            {L"f", 1, cArithmetic, 5},
      {L"plus", 2, cHidden, 3},      {L"plus", 2, cArithmetic, -1},
      {L"any", 0, cAll, 4},          {L"any", 40, cAll, 4},
      {L"f(...)", 1, cAll, -1},      {L"missing", 0, cAll, -1},
  };
  for (const Case& k : cases) {
    Text n(k.name);
    LONG i = -9;
    EXPECT_EQ(funcs->GetFirstEntryIndex(n.p, k.count, k.category, &i), S_OK);
    EXPECT_EQ(i, k.expected) << "case " << (&k - cases);
  }

  // Signatures of every function bearing the name, one per line.
  Text name(L"F"), sig;
  EXPECT_EQ(lib->get_FuncSignature(name.p, sig.Out()), S_OK);
  EXPECT_EQ(sig.str(), L"f(...)\r\nf(...)\r\nF(...)");
  Text none(L"nothing");
  EXPECT_EQ(lib->get_FuncSignature(none.p, sig.Out()), S_OK);
  EXPECT_EQ(sig.str(), L"");
}

TEST_F(LibFixture, InsertCutMoveAndGetIndex) {
  auto a = NewConsts({{L"a", 1}});
  auto b = NewConsts({{L"b", 2}});
  auto c = NewConsts({{L"c", 3}});
  LONG at = -2;
  EXPECT_EQ(lib->Insert(a.Get(), 0, &at), S_OK);
  EXPECT_EQ(at, 0);
  EXPECT_EQ(lib->Insert(c.Get(), 1, &at), S_OK);  // at Count: appends
  EXPECT_EQ(at, 1);
  EXPECT_EQ(lib->Insert(b.Get(), 1, &at), S_OK);
  EXPECT_EQ(at, 1);
  EXPECT_TRUE(sink->calls.empty());

  auto Order = [&] {
    std::vector<LONG> order;
    for (IUnknown* p : {static_cast<IUnknown*>(a.Get()), static_cast<IUnknown*>(b.Get()),
                        static_cast<IUnknown*>(c.Get())}) {
      LONG i = -9;
      lib->GetIndex(p, &i);
      order.push_back(i);
    }
    return order;
  };
  EXPECT_EQ(Order(), (std::vector<LONG>{0, 1, 2}));

  // Positions outside 0..Count: message 14034, flag first, result -1, list unchanged.
  for (LONG bad : {4L, -1L}) {
    sink->Reset();
    auto d = NewConsts({});
    EXPECT_EQ(lib->Insert(d.Get(), bad, &at), S_OK);
    EXPECT_EQ(at, -1);
    EXPECT_EQ(sink->calls, (std::vector<std::wstring>{L"flag on", L"text"}));
    EXPECT_EQ(sink->text, GetMessageText(14034));
  }
  LONG count = 0;
  lib->get_Count(&count);
  EXPECT_EQ(count, 3);

  // The same pointer twice is kept once.
  EXPECT_EQ(lib->Add(b.Get(), &at), S_OK);
  lib->get_Count(&count);
  EXPECT_EQ(count, 3);

  EXPECT_EQ(lib->Move(0, 2), S_OK);  // a, b, c -> b, c, a
  EXPECT_EQ(Order(), (std::vector<LONG>{2, 0, 1}));
  EXPECT_EQ(lib->Move(0, 3), S_OK);  // out of range: nothing happens
  EXPECT_EQ(lib->Move(-1, 0), S_OK);
  EXPECT_EQ(Order(), (std::vector<LONG>{2, 0, 1}));
  EXPECT_EQ(lib->Move(2, 0), S_OK);  // back to a, b, c
  EXPECT_EQ(Order(), (std::vector<LONG>{0, 1, 2}));

  // GetIndex compares pointers as given: another interface of the same item is not found.
  auto nested = Make<ILibOrlen>(CLSID_LibOrlen);
  ASSERT_EQ(AddItem(lib.Get(), nested.Get()), 3);
  ComPtr<IFuncs> nestedView;
  nested->get_Funcs(nestedView.GetAddressOf());
  LONG i = -9;
  lib->GetIndex(nestedView.Get(), &i);
  EXPECT_EQ(i, -1);
  lib->GetIndex(nested.Get(), &i);
  EXPECT_EQ(i, 3);
  EXPECT_EQ(lib->Delete(3), S_OK);

  ComPtr<IUnknown> cut;
  EXPECT_EQ(lib->Cut(1, cut.GetAddressOf()), S_OK);
  EXPECT_EQ(cut.Get(), static_cast<IUnknown*>(b.Get()));
  EXPECT_EQ(Order(), (std::vector<LONG>{0, -1, 1}));
  EXPECT_EQ(lib->Delete(0), S_OK);
  EXPECT_EQ(Order(), (std::vector<LONG>{-1, -1, 0}));

  // Every position from a caller is checked.
  ComPtr<IUnknown> item;
  EXPECT_TRUE(FAILED(lib->get_Items(1, item.GetAddressOf())));
  EXPECT_EQ(item.Get(), nullptr);
  EXPECT_TRUE(FAILED(lib->get_Items(-1, item.GetAddressOf())));
  EXPECT_TRUE(FAILED(lib->Cut(5, item.GetAddressOf())));
  EXPECT_TRUE(FAILED(lib->Delete(1)));
  EXPECT_TRUE(FAILED(lib->Add(nullptr, &at)));
}

TEST_F(LibFixture, ViewsCheckEveryIndex) {
  auto c = NewConsts({{L"one", 1}});
  auto v = NewVars({{L"x", 1}});
  auto f = NewHostFuncs();
  f->Add({L"f"}, 0, 0);
  for (IUnknown* p : {static_cast<IUnknown*>(c.Get()), static_cast<IUnknown*>(v.Get()),
                      static_cast<IUnknown*>(f.Get())})
    AddItem(lib.Get(), p);
  ASSERT_EQ(Refresh(), S_OK);
  for (LONG bad : {-1L, 1L, 1000L}) {
    Text t;
    Var r;
    ComPtr<IFunc> fn;
    ComPtr<IConst> k;
    CategoryOrlen cat;
    LONG n;
    EXPECT_TRUE(FAILED(funcs->get_FuncInterface(bad, fn.GetAddressOf())));
    EXPECT_EQ(fn.Get(), nullptr);
    EXPECT_EQ(funcs->get_Name(bad, t.Out()), E_UNEXPECTED);  // the kernel's failure code
    EXPECT_TRUE(FAILED(funcs->CheckArgumentsNumber(bad, 0, &n)));
    EXPECT_TRUE(FAILED(funcs->Func(bad, NewHollowArguments().Get(), r.Out())));
    EXPECT_TRUE(FAILED(funcs->get_Alias(bad, 0, t.Out())));
    EXPECT_TRUE(FAILED(funcs->get_Category(bad, &cat)));
    EXPECT_TRUE(FAILED(consts->get_Item(bad, k.GetAddressOf())));
    EXPECT_TRUE(FAILED(consts->Value(bad, r.Out())));
    EXPECT_TRUE(FAILED(consts->get_Description(bad, t.Out())));
    EXPECT_TRUE(FAILED(vars->get_Name(bad, t.Out())));
    EXPECT_TRUE(FAILED(vars->SetValue(bad, r.v)));
  }
  EXPECT_EQ(f->funcs[0].calls, 0);
}

TEST_F(LibFixture, RefreshHandsDownSinkAndSettingsAndFlattensNestedLibraries) {
  ComPtr<ISettings> settings;
  Adopt(settings, NewSettings());
  lib->put_Settings(settings.Get());

  auto inner = Make<ILibOrlen>(CLSID_LibOrlen);
  auto innerFuncs = NewHostFuncs();
  innerFuncs->Add({L"inner"}, 0, 0);
  auto innerConsts = NewConsts({{L"k", 7}});
  auto innerVars = NewVars({{L"w", 8}});
  AddItem(inner.Get(), innerFuncs.Get());
  AddItem(inner.Get(), innerConsts.Get());
  AddItem(inner.Get(), innerVars.Get());

  auto outerFuncs = NewHostFuncs();
  outerFuncs->Add({L"outer"}, 0, 0);
  auto outerConsts = NewConsts({{L"k", 1}});
  AddItem(lib.Get(), outerFuncs.Get());
  AddItem(lib.Get(), inner.Get());
  AddItem(lib.Get(), outerConsts.Get());
  ASSERT_EQ(Refresh(), S_OK);

  EXPECT_EQ(FuncNames(funcs.Get()), (std::vector<std::wstring>{L"outer", L"inner"}));
  EXPECT_EQ(Names(consts.Get()), (std::vector<std::wstring>{L"k", L"k"}));
  EXPECT_EQ(ValueOf(consts.Get(), L"k"), 7);  // the nested library comes first
  EXPECT_EQ(Names(vars.Get()), (std::vector<std::wstring>{L"w"}));

  // Sink and settings reached every level.
  EXPECT_EQ(outerFuncs->sink.Get(), sink.Get());
  EXPECT_EQ(outerFuncs->settings.Get(), settings.Get());
  EXPECT_EQ(innerFuncs->sink.Get(), sink.Get());
  EXPECT_EQ(innerFuncs->settings.Get(), settings.Get());
  ComPtr<IErrorEvents> seen;
  innerConsts->get_ErrorEvents(seen.GetAddressOf());
  EXPECT_EQ(seen.Get(), sink.Get());
  innerVars->get_ErrorEvents(seen.ReleaseAndGetAddressOf());
  EXPECT_EQ(seen.Get(), sink.Get());
  ComPtr<ISettings> innerSettings;
  inner->get_Settings(innerSettings.GetAddressOf());
  EXPECT_EQ(innerSettings.Get(), settings.Get());

  // Clear empties items and views but keeps sink and settings.
  EXPECT_EQ(lib->Clear(), S_OK);
  LONG n = -1;
  lib->get_Count(&n);
  EXPECT_EQ(n, 0);
  funcs->get_Count(&n);
  EXPECT_EQ(n, 0);
  consts->get_Count(&n);
  EXPECT_EQ(n, 0);
  lib->get_ErrorEvents(seen.ReleaseAndGetAddressOf());
  EXPECT_EQ(seen.Get(), sink.Get());
  lib->get_Settings(innerSettings.ReleaseAndGetAddressOf());
  EXPECT_EQ(innerSettings.Get(), settings.Get());
}

TEST_F(LibFixture, ALibraryCannotHoldItself) {
  LONG at = -2;
  EXPECT_EQ(lib->Add(lib.Get(), &at), E_UNEXPECTED);
  EXPECT_EQ(at, -1);
  EXPECT_EQ(lib->Add(funcs.Get(), &at), E_UNEXPECTED);  // its own view is the same library

  auto a = Make<ILibOrlen>(CLSID_LibOrlen);
  auto b = Make<ILibOrlen>(CLSID_LibOrlen);
  ASSERT_EQ(AddItem(a.Get(), b.Get()), 0);
  ASSERT_EQ(AddItem(b.Get(), lib.Get()), 0);
  EXPECT_EQ(lib->Add(a.Get(), &at), E_UNEXPECTED);  // lib -> a -> b -> lib
  LONG n = -1;
  lib->get_Count(&n);
  EXPECT_EQ(n, 0);
  EXPECT_EQ(lib->Refresh(), S_OK);
  EXPECT_EQ(a->Refresh(), S_OK);
}

// A host's own library object that hands every call to another library: an identity the kernel
// cannot see through, so a cycle made with it is found only when the libraries are refreshed.
class ForwardingLib : public ILibOrlen, public TRefCount {
  EVALKERN_IUNKNOWN
 public:
  explicit ForwardingLib(ILibOrlen* to) : to_(to) {}
  void* Cast(REFIID iid) { return CastToOne<ILibOrlen>(this, iid, IID_ILibOrlen); }
  STDMETHODIMP get_Funcs(IFuncs** v) override { return to_->get_Funcs(v); }
  STDMETHODIMP get_Consts(IConsts** v) override { return to_->get_Consts(v); }
  STDMETHODIMP get_Vars(IVars** v) override { return to_->get_Vars(v); }
  STDMETHODIMP get_Items(LONG i, IUnknown** v) override { return to_->get_Items(i, v); }
  STDMETHODIMP get_Count(LONG* v) override { return to_->get_Count(v); }
  STDMETHODIMP Add(IUnknown* item, LONG* r) override { return to_->Add(item, r); }
  STDMETHODIMP Insert(IUnknown* item, LONG i, LONG* r) override { return to_->Insert(item, i, r); }
  STDMETHODIMP Cut(LONG i, IUnknown** r) override { return to_->Cut(i, r); }
  STDMETHODIMP Delete(LONG i) override { return to_->Delete(i); }
  STDMETHODIMP Move(LONG a, LONG b) override { return to_->Move(a, b); }
  STDMETHODIMP GetIndex(IUnknown* item, LONG* r) override { return to_->GetIndex(item, r); }
  STDMETHODIMP get_FuncSignature(BSTR n, BSTR* v) override { return to_->get_FuncSignature(n, v); }
  STDMETHODIMP Refresh() override { return to_->Refresh(); }
  STDMETHODIMP Clear() override { return to_->Clear(); }
  STDMETHODIMP get_Settings(ISettings** v) override { return to_->get_Settings(v); }
  STDMETHODIMP put_Settings(ISettings* v) override { return to_->put_Settings(v); }
  STDMETHODIMP get_ErrorEvents(IErrorEvents** v) override { return to_->get_ErrorEvents(v); }
  STDMETHODIMP put_ErrorEvents(IErrorEvents* v) override { return to_->put_ErrorEvents(v); }

 private:
  ComPtr<ILibOrlen> to_;
};

TEST_F(LibFixture, ACycleThroughAHostsLibraryFailsTheRefreshInsteadOfOverflowing) {
  auto b = Make<ILibOrlen>(CLSID_LibOrlen);
  ComPtr<ILibOrlen> viaHost(new ForwardingLib(b.Get()));
  ASSERT_EQ(AddItem(lib.Get(), viaHost.Get()), 0);  // lib -> host object -> b
  ASSERT_EQ(AddItem(b.Get(), lib.Get()), 0);        // b -> lib: b did not hold lib yet
  EXPECT_TRUE(FAILED(lib->Refresh()));
  EXPECT_TRUE(FAILED(b->Refresh()));
  // Breaking the cycle makes both usable again.
  EXPECT_EQ(b->Delete(0), S_OK);
  EXPECT_EQ(lib->Refresh(), S_OK);
}

TEST_F(LibFixture, AFailedRefreshKeepsTheLastLists) {
  auto c = NewConsts({{L"keep", 1}});
  auto f = NewHostFuncs();
  f->Add({L"f"}, 0, 0);
  AddItem(lib.Get(), c.Get());
  AddItem(lib.Get(), f.Get());
  ASSERT_EQ(Refresh(), S_OK);

  // A set whose entry cannot be read (it claims more aliases than it has) fails the refresh.
  struct Liar : HostFuncs {
    STDMETHODIMP get_CountAlias(LONG, LONG* v) override {
      *v = 3;
      return S_OK;
    }
  };
  auto more = NewConsts({{L"new", 2}});
  AddItem(lib.Get(), more.Get());
  ComPtr<HostFuncs> liar(new Liar());
  liar->Add({L"one"}, 0, 0);
  AddItem(lib.Get(), liar.Get());
  EXPECT_TRUE(FAILED(Refresh()));
  EXPECT_EQ(Names(consts.Get()), (std::vector<std::wstring>{L"keep"}));
  LONG n = 0;
  funcs->get_Count(&n);
  EXPECT_EQ(n, 1);
}

TEST_F(LibFixture, AFailingFunctionIsReportedAndGivesEmpty) {
  auto f = NewHostFuncs();
  f->Add({L"boom"}, 0, 0, [&](IArguments*, VARIANT* r) {
    ReturnInt(r, 5);
    ComPtr<ICreateErrorInfo> create;
    CreateErrorInfo(create.GetAddressOf());
    create->SetDescription(const_cast<LPOLESTR>(L"Floating point overflow"));
    ComPtr<IErrorInfo> info;
    create.As(&info);
    SetErrorInfo(0, info.Get());
  });
  f->lastHr = E_FAIL;
  AddItem(lib.Get(), f.Get());
  ASSERT_EQ(Refresh(), S_OK);
  Var r;
  EXPECT_EQ(funcs->Func(0, NewHollowArguments().Get(), r.Out()), S_OK);
  EXPECT_EQ(r.v.vt, VT_EMPTY);
  EXPECT_EQ(sink->calls, (std::vector<std::wstring>{L"flag on", L"text"}));
  EXPECT_EQ(sink->text, L"Floating point overflow");

  // Without a sink the failure goes to the caller.
  lib->put_ErrorEvents(nullptr);
  EXPECT_TRUE(FAILED(funcs->Func(0, NewHollowArguments().Get(), r.Out())));
}

TEST(LibOrlen, AnswersItsViewsButTheWrappersOnlyTheirOwn) {
  auto lib = Make<IUnknown>(CLSID_LibOrlen);
  for (const IID* iid : {&IID_ILibOrlen, &IID_IFuncs, &IID_IConsts, &IID_IVars}) {
    ComPtr<IUnknown> p;
    EXPECT_EQ(lib->QueryInterface(*iid, reinterpret_cast<void**>(p.GetAddressOf())), S_OK);
    // Every view shares the object's identity.
    ComPtr<IUnknown> id;
    p.As(&id);
    EXPECT_EQ(id.Get(), lib.Get());
  }
  // A failure carries error information naming the class.
  ComPtr<ILibOrlen> asLib;
  lib.As(&asLib);
  ComPtr<IUnknown> none;
  EXPECT_TRUE(FAILED(asLib->get_Items(0, none.GetAddressOf())));
  ComPtr<IErrorInfo> info;
  ASSERT_EQ(GetErrorInfo(0, info.GetAddressOf()), S_OK);
  Text source, description;
  info->GetSource(source.Out());
  info->GetDescription(description.Out());
  EXPECT_EQ(source.str(), L"Evalkern.LibOrlen");
  EXPECT_FALSE(description.str().empty());
  ComPtr<ISupportErrorInfo> support;
  ASSERT_EQ(lib.As(&support), S_OK);
  EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_IFuncs), S_OK);

  auto shell = Make<IUnknown>(CLSID_ShellConsts);
  ComPtr<IConsts> set;
  EXPECT_EQ(shell.As(&set), E_NOINTERFACE);
  ComPtr<IConst> one;
  EXPECT_EQ(shell.As(&one), S_OK);
}

// --- collections -----------------------------------------------------------------------------------

TEST(Collections, AddReplacesASameNamedEntryAndKeepsItsName) {
  for (bool vars : {false, true}) {
    ComPtr<IConsts> set;
    if (vars)
      set = NewVars({{L"X", 1}, {L"y", 2}, {L"x", 3}});
    else
      set = NewConsts({{L"X", 1}, {L"y", 2}, {L"x", 3}});
    EXPECT_EQ(Names(set.Get()), (std::vector<std::wstring>{L"X", L"y"}));
    EXPECT_EQ(ValueOf(set.Get(), L"x"), 3);
    CategoryOrlen cat = cUnknown;
    for (LONG i = 0; i < 2; ++i) {
      EXPECT_EQ(set->get_Category(i, &cat), S_OK);
      EXPECT_EQ(cat, cCustom);
    }
    Text t;
    Var r;
    ComPtr<IConst> item;
    EXPECT_TRUE(FAILED(set->get_Name(2, t.Out())));
    EXPECT_TRUE(FAILED(set->Value(-1, r.Out())));
    EXPECT_TRUE(FAILED(set->get_Category(2, &cat)));
    EXPECT_TRUE(FAILED(set->get_Item(2, item.GetAddressOf())));
  }
}

TEST(Collections, DescriptionIsTheFormattedValue) {
  auto c = Make<ICollectionConsts>(CLSID_CollectionConsts);
  struct Case {
    const wchar_t* name;
    Var value;
    const wchar_t* text;
  } cases[] = {
      {L"twelve", Var(12LL), L"12"},
      {L"nothing", Var(), L"Empty"},
      {L"word", Var(L"hello"), L"hello"},
  };
  for (Case& k : cases) {
    Text n(k.name);
    ASSERT_EQ(c->Add(n.p, k.value.v), S_OK);
  }
  for (LONG i = 0; i < 3; ++i) {
    Text d;
    EXPECT_EQ(c->get_Description(i, d.Out()), S_OK);
    EXPECT_EQ(d.str(), cases[i].text);
  }
}

TEST(Collections, WrappersReadAndWriteTheirCollectionAtCallTime) {
  auto vars = NewVars({{L"a", 1}, {L"b", 2}});
  ComPtr<IConst> item;
  ASSERT_EQ(vars->get_Item(1, item.GetAddressOf()), S_OK);
  ComPtr<IVar> var;
  ASSERT_EQ(item.As(&var), S_OK);
  Text name;
  EXPECT_EQ(var->get_Name(name.Out()), S_OK);
  EXPECT_EQ(name.str(), L"b");

  Var seven(7LL);
  EXPECT_EQ(var->SetValue(seven.v), S_OK);
  Var read;
  EXPECT_EQ(vars->Value(1, read.Out()), S_OK);
  EXPECT_EQ(read.AsInt(), 7);

  // The sink of a wrapper is its collection's.
  auto sink = NewSink();
  EXPECT_EQ(var->put_ErrorEvents(sink.Get()), S_OK);
  ComPtr<IErrorEvents> seen;
  vars->get_ErrorEvents(seen.GetAddressOf());
  EXPECT_EQ(seen.Get(), sink.Get());

  // After the collection shrinks, calls through the wrapper fail instead of reading past it.
  vars->Clear();
  EXPECT_TRUE(FAILED(var->Value(read.Out())));
  EXPECT_TRUE(FAILED(var->SetValue(seven.v)));

  // A wrapper that was never bound fails too.
  auto loose = Make<IShellFuncs>(CLSID_ShellFuncs);
  EXPECT_TRUE(FAILED(loose->get_Name(name.Out())));
}

}  // namespace
