// The worksheet interpreter as the calculator drives it: created by class id from the registered
// server, given a text, parsed, calculated, and read back as one result line per worksheet line.
#include <windows.h>
#include <gtest/gtest.h>
#include <wrl/client.h>

#include <string>
#include <vector>

#include "Evalkern.h"
#include "Messages.h"
#include "WorksheetTestKit.h"

using Microsoft::WRL::ComPtr;
using evalkern::GetMessageText;
using evalkern::GetMessageTextFmt;

namespace {

const auto* const kCom = ::testing::AddGlobalTestEnvironment(new ComApartment);

// Answers a scripted sequence; counts how often it was asked.
class ScriptedHost : public IIsCalculationNeeded {
 public:
  explicit ScriptedHost(int falseOnCall) : falseOn_(falseOnCall) {}
  int calls = 0;
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IIsCalculationNeeded)) {
      *out = this;
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP IsCalculationNeeded(VARIANT_BOOL* answer) override {
    ++calls;
    *answer = calls == falseOn_ ? VARIANT_FALSE : VARIANT_TRUE;
    return S_OK;
  }

 private:
  int falseOn_;
};

class Worksheet : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_HRESULT_SUCCEEDED(worksheetkit::NewWorksheetInterpreter(&interp));
  }

  void Put(const std::wstring& text) {
    ASSERT_HRESULT_SUCCEEDED(worksheetkit::PutText(interp.Get(), text));
  }
  bool Parse() {
    VARIANT_BOOL ok = VARIANT_FALSE;
    EXPECT_HRESULT_SUCCEEDED(interp->Parsing(&ok));
    return ok != VARIANT_FALSE;
  }
  bool Calc() {
    VARIANT_BOOL ok = VARIANT_FALSE;
    EXPECT_HRESULT_SUCCEEDED(interp->Calc(&ok));
    return ok != VARIANT_FALSE;
  }
  std::wstring Output() {
    VARTYPE vt = VT_EMPTY;
    std::wstring s;
    EXPECT_HRESULT_SUCCEEDED(worksheetkit::GetOutput(interp.Get(), &vt, &s));
    return vt == VT_BSTR ? s : vt == VT_EMPTY ? L"<empty>" : L"<other>";
  }
  // Text in, output out, as a host does it on every edit.
  std::wstring Run(const std::wstring& text) {
    Put(text);
    Parse();
    Calc();
    return Output();
  }
  void SetNotation(TFormatOut notation, TAngleMeasurement angle) {
    ComPtr<ISettings> settings;
    ASSERT_HRESULT_SUCCEEDED(interp->get_Settings(&settings));
    settings->put_IntegerFormatOut(notation);
    settings->put_AngleMeasurement(angle);
  }

  ComPtr<IMultiLinesInterpreterOrlen> interp;
};

TEST_F(Worksheet, LayoutGivesOneResultLinePerWorksheetLine) {
  struct Case { const wchar_t* text; const wchar_t* output; } cases[] = {
      {L"1+2; 3*4\nx := 5\nx*2", L"3; 12\r\n5\r\n10"},
      {L"1+2; 3*4\r\nx := 5\r\nx*2", L"3; 12\r\n5\r\n10"},
      {L"", L""},
      {L"\n\n", L"\r\n\r\n"},
      {L"1;", L"1; "},
      {L"// a comment only\n2 // two", L"\r\n2"},
      {L"1\n", L"1\r\n"},
      {L"1\r2", L"1\r\n2"},
      {L"  7  ", L"7"},
      {L"'a//b'", L"a//b"},
      {L"'a;b'", L"a;b"},
      {L"s := 'x:=y'; s", L"x:=y; x:=y"},
      {L"x :=", L"Empty"},
      {L"1/3*3", L"1"},
      {L"0.1+0.2", L"0.3"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.output, Run(c.text)) << c.text;
}

TEST_F(Worksheet, AssignmentsFlowForwardAcrossLinesAndStatements) {
  EXPECT_EQ(L"2; 3\r\n6", Run(L"a := 2; b := a+1\nA*B"));  // names ignore ASCII case
  // Redefinition takes effect from where it stands.
  EXPECT_EQ(L"1\r\n1\r\n5\r\n5", Run(L"x := 1\nx\nx := 5\nx"));
  // The temporary variable holds the last value assigned.
  ComPtr<IVars> temp;
  ASSERT_HRESULT_SUCCEEDED(interp->get_TempVars(&temp));
  long count = 0;
  temp->get_Count(&count);
  EXPECT_EQ(1, count);
}

TEST_F(Worksheet, UsingAVariableBeforeItsAssignmentSeesThePreviousRun) {
  std::wstring first = Run(L"y\ny := 4");
  EXPECT_EQ(L"Empty\r\n4", first);
  // Calculated again without a new parse: y keeps 4 from the previous run.
  EXPECT_TRUE(Calc());
  EXPECT_EQ(L"4\r\n4", Output());
}

TEST_F(Worksheet, BadAssignmentsShowTheirMessageAndFailBothSteps) {
  struct Case { const wchar_t* text; std::wstring message; } cases[] = {
      {L"x := 1 := 2", GetMessageText(14030)},
      {L":= 5", GetMessageText(14031)},
      {L"1x := 5", GetMessageTextFmt(14032, L"1x")},
      {L"pi := 3", GetMessageTextFmt(14033, L"pi")},
  };
  for (const auto& c : cases) {
    Put(c.text);
    EXPECT_FALSE(Parse()) << c.text;
    EXPECT_FALSE(Calc()) << c.text;
    EXPECT_EQ(c.message, Output()) << c.text;
  }
}

TEST_F(Worksheet, AnErrorStaysInItsStatement) {
  Put(L"1/0; 2\n3");
  EXPECT_TRUE(Parse());
  EXPECT_FALSE(Calc());
  EXPECT_EQ(GetMessageText(14009) + L"; 2\r\n3", Output());
  ComPtr<IErrorEvents> sink;
  ASSERT_HRESULT_SUCCEEDED(interp->get_ErrorEvents(&sink));
  VARIANT_BOOL flag = VARIANT_TRUE;
  sink->get_ErrorFlag(&flag);
  EXPECT_EQ(VARIANT_FALSE, flag);  // cleared after every statement
}

TEST_F(Worksheet, AKeptTreeWithASyntaxErrorStillFails) {
  Put(L"1+\n2");
  EXPECT_FALSE(Parse());
  std::wstring first = (Calc(), Output());
  Put(L"0\n1+\n2");  // a line inserted above: both old trees are kept
  EXPECT_FALSE(Parse());
  EXPECT_FALSE(Calc());
  EXPECT_EQ(L"0\r\n" + first, Output());
}

TEST_F(Worksheet, ReparsingKeepsTheTreesOfUnchangedStatements) {
  Put(L"1+1\n2*3; 4");
  ASSERT_TRUE(Parse());
  ComPtr<INodeParsing> before;
  interp->get_IMainNode(&before);
  auto statement = [](INodeParsing* root, long line, long index) {
    ComPtr<INodeList> lines, statements;
    ComPtr<INodeParsing> lineNode, node;
    root->QueryInterface(IID_INodeList, reinterpret_cast<void**>(lines.GetAddressOf()));
    lines->get_ChildNodes(line, &lineNode);
    lineNode->QueryInterface(IID_INodeList, reinterpret_cast<void**>(statements.GetAddressOf()));
    statements->get_ChildNodes(index, &node);
    return node;
  };
  Put(L"9\n1+1\n2*3; 4");
  ASSERT_TRUE(Parse());
  ComPtr<INodeParsing> after;
  interp->get_IMainNode(&after);
  EXPECT_EQ(statement(before.Get(), 0, 0).Get(), statement(after.Get(), 1, 0).Get());
  EXPECT_EQ(statement(before.Get(), 1, 0).Get(), statement(after.Get(), 2, 0).Get());
  EXPECT_EQ(statement(before.Get(), 1, 1).Get(), statement(after.Get(), 2, 1).Get());
}

TEST_F(Worksheet, TheHostIsAskedBetweenLinesAndCanEndTheRun) {
  // Asked twice before the first line, then after every line but the last. A "no" before the
  // first line fails the run with no output; a later one keeps the lines done so far, and the
  // answer is the one reached so far.
  struct Case { int falseOn; bool result; const wchar_t* output; } cases[] = {
      {0, true, L"1\r\n2\r\n3"},   // never says no: 2 + 2 questions
      {1, false, L"<empty>"},
      {2, false, L"<empty>"},
      {3, true, L"1\r\n"},
      {4, true, L"1\r\n2\r\n"},
  };
  for (const auto& c : cases) {
    ScriptedHost host(c.falseOn);
    interp->put_IsCalculationNeeded(&host);
    Put(L"1\n2\n3");
    Parse();
    EXPECT_EQ(c.result, Calc()) << c.falseOn;
    EXPECT_EQ(c.output, Output()) << c.falseOn;
    if (!c.falseOn) EXPECT_EQ(4, host.calls);
    interp->put_IsCalculationNeeded(nullptr);
  }
}

TEST_F(Worksheet, SettingsChooseNotationAndAngleUnit) {
  SetNotation(foHex, amDegree);
  EXPECT_EQ(L"0.5\r\n0xff", Run(L"sin(30)\n255"));
}

TEST_F(Worksheet, PuttingNoSinkKeepsTheCurrentOne) {
  ComPtr<IErrorEvents> before, after;
  interp->get_ErrorEvents(&before);
  EXPECT_HRESULT_SUCCEEDED(interp->put_ErrorEvents(nullptr));
  interp->get_ErrorEvents(&after);
  EXPECT_EQ(before.Get(), after.Get());
}

TEST_F(Worksheet, ClearEmptiesTheWorksheet) {
  Run(L"x := 1\n2");
  EXPECT_HRESULT_SUCCEEDED(interp->Clear());
  EXPECT_TRUE(Calc());
  EXPECT_EQ(L"", Output());
}

}  // namespace

namespace {

TEST_F(Worksheet, AVeryDeepExpressionIsAnErrorNotACrash) {
  std::wstring deep;
  for (int i = 0; i < 4000; ++i) deep += L"sin(";
  deep += L"0";
  for (int i = 0; i < 4000; ++i) deep += L")";
  Put(deep + L"\n1+1");
  EXPECT_TRUE(Parse());
  EXPECT_FALSE(Calc());
  EXPECT_EQ(GetMessageText(14068) + L"\r\n2", Output());
}

// A worksheet beyond the interpreter's limits fails the whole parse, with the limit's text from
// the message module as the error description; one line less (or one statement less) is fine.
TEST_F(Worksheet, AWorksheetBeyondItsLimitsFailsWithTheLimitsText) {
  struct Case {
    std::wstring piece, separator;
    int message;
  } cases[] = {{L"1", L"\n", 14069}, {L"1", L";", 14070}};
  for (const Case& c : cases) {
    std::wstring text;
    for (int i = 0; i < 32767; ++i) text += (i ? c.separator : L"") + c.piece;
    Put(text);
    EXPECT_TRUE(Parse()) << c.message;
    Put(text + c.separator + c.piece);
    VARIANT_BOOL ok = VARIANT_TRUE;
    EXPECT_HRESULT_FAILED(interp->Parsing(&ok)) << c.message;
    ComPtr<IErrorInfo> info;
    ASSERT_EQ(S_OK, GetErrorInfo(0, &info)) << c.message;
    BSTR description = nullptr;
    ASSERT_HRESULT_SUCCEEDED(info->GetDescription(&description));
    EXPECT_EQ(GetMessageText(c.message), std::wstring(description ? description : L"")) << c.message;
    SysFreeString(description);
  }
}

}  // namespace
