// The single-expression interpreter end to end: text in, value out, against a host-built
// library of collections and host-defined functions.
#include "LibraryTestKit.h"
#include "SimpleInterpreter.h"

using namespace evalkern;
using namespace evalkern::testkit;

static ::testing::Environment* const g_com =
    ::testing::AddGlobalTestEnvironment(new ComApartment());

namespace {

struct InterpFixture : ::testing::Test {
  ComPtr<ISimpleInterpreterOrlen> interp =
      Make<ISimpleInterpreterOrlen>(CLSID_SimpleInterpreterOrlen);
  ComPtr<ILibOrlen> lib = Make<ILibOrlen>(CLSID_LibOrlen);
  ComPtr<HostFuncs> funcs = NewHostFuncs();
  ComPtr<ISettings> settings;
  ComPtr<IErrorEvents> sink;

  void SetUp() override {
    ASSERT_TRUE(interp);
    funcs->Add({L"sum"}, 0, -1, SumBody);
    funcs->Add({L"twice"}, 1, 1, [](IArguments* a, VARIANT* r) {
      Var x;
      a->get_Value(0, x.Out());
      ReturnInt(r, 2 * x.AsInt());
    });
    AddItem(lib.Get(), funcs.Get());
    AddItem(lib.Get(), NewConsts({{L"answer", 42}}).Get());
    interp->put_Lib(lib.Get());
    interp->get_Settings(settings.GetAddressOf());
    interp->get_ErrorEvents(sink.GetAddressOf());
  }

  // Puts the text, calculates, and gives the answer of Calc.
  bool Calc(const wchar_t* text) {
    Text t(text);
    EXPECT_EQ(interp->put_Text(t.p), S_OK);
    VARIANT_BOOL ok = VARIANT_FALSE;
    EXPECT_EQ(interp->Calc(&ok), S_OK);
    return ok != VARIANT_FALSE;
  }
  Var Value() {
    Var v;
    EXPECT_EQ(interp->get_Value(v.Out()), S_OK);
    return v;
  }
  std::wstring ErrorText() {
    Text t;
    sink->get_ErrorText(t.Out());
    return t.str();
  }
};

TEST_F(InterpFixture, CalculatesLiteralsBracketsConstantsAndHostFunctions) {
  struct Case {
    const wchar_t* text;
    long long value;
  } cases[] = {
      {L"42", 42},          {L"(7)", 7},           {L"((7))", 7},
      {L"answer", 42},      {L"twice(21)", 42},    {L"sum(1, (2), twice(3))", 9},
      {L"SUM()", 0},        {L"twice((answer))", 84},
  };
  for (const Case& k : cases) {
    EXPECT_TRUE(Calc(k.text)) << "case " << (&k - cases);
    EXPECT_EQ(Value().AsInt(), k.value) << "case " << (&k - cases);
  }
  // The bracket function was added once, at the front, and stays.
  LONG count = 0;
  lib->get_Count(&count);
  EXPECT_EQ(count, 3);
  ComPtr<IUnknown> first;
  lib->get_Items(0, first.GetAddressOf());
  ComPtr<IFunc> bracket;
  ASSERT_EQ(first.As(&bracket), S_OK);
  Text name;
  bracket->get_Name(name.Out());
  EXPECT_EQ(name.str(), L"(");
}

TEST_F(InterpFixture, ErrorsMakeCalcAnswerFalseWithTheMessageOnTheInterpretersSink) {
  struct Case {
    const wchar_t* text;
    std::wstring message;
  } cases[] = {
      {L"nosuch(1)", GetMessageTextFmt(14018, L"nosuch")},
      {L"twice(1, 2)", GetMessageTextFmt(14024, L"twice")},
      {L"twice", GetMessageTextFmt(14023, L"twice")},
      {L"unknown", GetMessageTextFmt(14028, L"unknown")},
  };
  for (const Case& k : cases) {
    EXPECT_FALSE(Calc(k.text)) << "case " << (&k - cases);
    EXPECT_EQ(Value().v.vt, VT_EMPTY);
    EXPECT_EQ(ErrorText(), k.message) << "case " << (&k - cases);
  }
  // A good text after a bad one: the flag is cleared first.
  EXPECT_TRUE(Calc(L"twice(2)"));
  EXPECT_EQ(Value().AsInt(), 4);
}

TEST_F(InterpFixture, ParseErrorsAndTheTree) {
  Text t(L"twice(");
  interp->put_Text(t.p);
  VARIANT_BOOL ok = VARIANT_TRUE;
  EXPECT_EQ(interp->Parsing(&ok), S_OK);
  EXPECT_EQ(ok, VARIANT_FALSE);
  std::wstring message = ErrorText();
  EXPECT_FALSE(message.empty());
  ComPtr<INodeParsing> tree;
  interp->get_IMainNode(tree.GetAddressOf());
  ASSERT_TRUE(tree);
  ComPtr<INodeError> error;
  EXPECT_EQ(tree.As(&error), S_OK);
  // Calc evaluates the erroneous tree again instead of parsing, and fails with its message.
  EXPECT_EQ(interp->Calc(&ok), S_OK);
  EXPECT_EQ(ok, VARIANT_FALSE);
  EXPECT_EQ(ErrorText(), message);
}

TEST_F(InterpFixture, TextPutComparesExactlyAndClearKeepsTheValue) {
  EXPECT_TRUE(Calc(L"answer"));
  ComPtr<INodeParsing> tree;
  interp->get_IMainNode(tree.GetAddressOf());
  ASSERT_TRUE(tree);

  // The same text keeps the tree.
  Text same(L"answer");
  interp->put_Text(same.p);
  ComPtr<INodeParsing> again;
  interp->get_IMainNode(again.GetAddressOf());
  EXPECT_EQ(again.Get(), tree.Get());

  // Only the letter case changed: still a new text, and the tree is dropped.
  Text upper(L"ANSWER");
  interp->put_Text(upper.p);
  interp->get_IMainNode(again.ReleaseAndGetAddressOf());
  EXPECT_EQ(again.Get(), nullptr);
  Text read;
  interp->get_Text(read.Out());
  EXPECT_EQ(read.str(), L"ANSWER");

  // Clear empties the text and the tree but not the value.
  EXPECT_EQ(interp->Clear(), S_OK);
  interp->get_Text(read.Out());
  EXPECT_EQ(read.str(), L"");
  EXPECT_EQ(Value().AsInt(), 42);
}

TEST_F(InterpFixture, CalcWithoutTextOrLibraryAnswersFalse) {
  EXPECT_TRUE(Calc(L"answer"));
  EXPECT_FALSE(Calc(L""));
  EXPECT_EQ(Value().v.vt, VT_EMPTY);
  interp->put_Lib(nullptr);
  EXPECT_FALSE(Calc(L"42"));
  EXPECT_EQ(Value().v.vt, VT_EMPTY);
}

TEST_F(InterpFixture, TheLibraryWorksWithTheInterpretersSinkAndSettings) {
  // A host had put its own sink, with an error still standing, into the library.
  auto stale = NewSink();
  stale->flag = VARIANT_TRUE;
  lib->put_ErrorEvents(stale.Get());
  EXPECT_TRUE(Calc(L"twice(5)"));
  EXPECT_EQ(Value().AsInt(), 10);
  ComPtr<IErrorEvents> libSink;
  lib->get_ErrorEvents(libSink.GetAddressOf());
  EXPECT_EQ(libSink.Get(), sink.Get());
  EXPECT_EQ(funcs->sink.Get(), sink.Get());
  EXPECT_EQ(funcs->settings.Get(), settings.Get());

  // A sink and settings put later are the ones the library uses at the next Calc.
  auto fresh = NewSink();
  interp->put_ErrorEvents(fresh.Get());
  interp->put_Settings(nullptr);
  EXPECT_FALSE(Calc(L"nosuch"));
  EXPECT_EQ(fresh->text, GetMessageTextFmt(14028, L"nosuch"));
  EXPECT_EQ(funcs->sink.Get(), static_cast<IErrorEvents*>(fresh.Get()));
  ComPtr<ISettings> made;
  interp->get_Settings(made.GetAddressOf());
  EXPECT_NE(made.Get(), settings.Get());
  EXPECT_EQ(funcs->settings.Get(), made.Get());
}

TEST_F(InterpFixture, ResultsAreWrittenInTheChosenNotation) {
  settings->put_IntegerFormatOut(foHex);
  EXPECT_TRUE(Calc(L"255"));
  Var v = Value();
  ASSERT_EQ(v.v.vt, VT_BSTR);
  EXPECT_EQ(std::wstring(v.v.bstrVal), L"0xff");
}

TEST(ConvertResult, FollowsTheNotationAndPictures) {
  ComPtr<ISimpleInterpreterOrlen> interp =
      Make<ISimpleInterpreterOrlen>(CLSID_SimpleInterpreterOrlen);
  struct Case {
    TFormatOut notation;
    const wchar_t* intPicture;
    const wchar_t* floatPicture;
    Var value;
    VARTYPE type;       // type after conversion
    const wchar_t* text;  // its text when a string
    long long number;   // its value when an integer
  } cases[] = {
      {foDecimal, L"", L"", Var(255LL), VT_I8, nullptr, 255},
      {foHex, L"", L"", Var(255LL), VT_BSTR, L"0xff", 0},
      {foBinary, L"", L"", Var(5LL), VT_BSTR, L"0b101", 0},
      {foOct, L"", L"", Var(8LL), VT_BSTR, L"0o10", 0},
      {foRoman, L"", L"", Var(12LL), VT_BSTR, L"0rXII", 0},
      {foRoman, L"", L"", Var(200000LL), VT_I8, nullptr, 200000},
      {(TFormatOut)7, L"", L"", Var(4LL), VT_BSTR, L"0rIV", 0},
      {(TFormatOut)-1, L"", L"", Var(4LL), VT_BSTR, L"0rIV", 0},
      {foRoman, L"", L"", Var(-4LL), VT_BSTR, L"-0rIV", 0},
      {foDecimal, L"0.00", L"", Var(-5LL), VT_BSTR, L"-5.00", 0},
      {foDecimal, L"", L"", Var(1.5), VT_R8, nullptr, 0},
      {foHex, L"", L"0.000", Var(1.5), VT_BSTR, L"1.500", 0},
      {foHex, L"", L"", Var(L"text"), VT_BSTR, L"text", 0},
  };
  for (Case& k : cases) {
    ComPtr<ISettings> settings;
    interp->get_Settings(settings.GetAddressOf());
    settings->put_IntegerFormatOut(k.notation);
    Text ip(k.intPicture), fp(k.floatPicture);
    settings->put_IntFormatStr(ip.p);
    settings->put_FloatFormatStr(fp.p);
    Var v = k.value;
    ConvertResult(v.v, settings.Get());
    ASSERT_EQ(v.v.vt, k.type) << "case " << (&k - cases);
    if (k.type == VT_BSTR) {
      EXPECT_EQ(std::wstring(v.v.bstrVal), k.text) << "case " << (&k - cases);
    } else if (k.type == VT_I8) {
      EXPECT_EQ(v.v.llVal, k.number);
    }
  }
}

}  // namespace

namespace {

// A host-built library of a constant collection, a variable collection and the built-in
// function set, in that order.
TEST(SimpleInterpreterWithBuiltins, OperatorsConstantsVariablesAndErrors) {
  auto interp = Make<ISimpleInterpreterOrlen>(CLSID_SimpleInterpreterOrlen);
  auto lib = Make<ILibOrlen>(CLSID_LibOrlen);
  auto builtins = Make<IFuncs>(CLSID_BasicSetFuncs);
  ASSERT_TRUE(interp && lib && builtins);
  AddItem(lib.Get(), NewConsts({{L"answer", 42}}).Get());
  AddItem(lib.Get(), NewVars({{L"x", 5}}).Get());
  AddItem(lib.Get(), builtins.Get());
  interp->put_Lib(lib.Get());

  struct Case {
    const wchar_t* text;
    bool ok;
    long long value;
    int message;  // 0, or the message id expected on the interpreter's sink
  } cases[] = {
      {L"(1+2)*answer", true, 126, 0},
      {L"x - 2", true, 3, 0},
      {L"max(x, answer, 7)", true, 42, 0},
      {L"1/0", false, 0, 14009},
      {L"-(3)", true, -3, 0},
  };
  ComPtr<IErrorEvents> sink;
  interp->get_ErrorEvents(sink.GetAddressOf());
  for (const Case& k : cases) {
    Text t(k.text);
    interp->put_Text(t.p);
    VARIANT_BOOL ok = VARIANT_FALSE;
    ASSERT_EQ(interp->Calc(&ok), S_OK);
    EXPECT_EQ(ok != VARIANT_FALSE, k.ok) << "case " << (&k - cases);
    Var v;
    interp->get_Value(v.Out());
    if (k.ok) {
      EXPECT_EQ(v.AsInt(), k.value) << "case " << (&k - cases);
    }
    if (k.message) {
      Text text;
      sink->get_ErrorText(text.Out());
      EXPECT_EQ(text.str(), GetMessageText(k.message)) << "case " << (&k - cases);
    }
  }

  // The merged view finds the built-ins behind the bracket function and the two collections.
  ComPtr<IFuncs> funcs;
  lib->get_Funcs(funcs.GetAddressOf());
  Text plus(L"PLUS"), sign(L"+"), sin(L"sin");
  LONG i = -9;
  funcs->GetFirstEntryIndex(plus.p, 2, cAll, &i);
  EXPECT_EQ(i, 1);  // "(" is first, then the table's row 0
  funcs->GetFirstEntryIndex(sign.p, 2, cAll, &i);
  EXPECT_EQ(i, -1);  // the sign is the display name, not an alias
  funcs->GetFirstEntryIndex(plus.p, 2, cHidden, &i);
  EXPECT_EQ(i, 1);
  funcs->GetFirstEntryIndex(sin.p, 1, cComputer, &i);
  EXPECT_EQ(i, -1);
  funcs->GetFirstEntryIndex(sin.p, 1, cTrigonometric, &i);
  EXPECT_EQ(i, 19);
}

}  // namespace
