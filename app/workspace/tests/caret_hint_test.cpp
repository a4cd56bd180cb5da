// The caret hint: which name the hint describes for a caret position, and the hint text of a
// name by what the kernel says it is (a small kernel double stands in for the bridge).
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "CalculatorKernel.h"
#include "FwComSupport.h"
#include "Recalculation.h"
#include "WorkspaceTestKit.h"

namespace {

TEST(CaretHintWord, FollowsWordsAndBracketGroups) {
  struct {
    const wchar_t* line;
    int column;
    bool found;
    const wchar_t* word;
  } table[] = {
      {L"sin(1+2)", 5, true, L"sin"},        // on a number inside the group: the function
      {L"sin(1+2)", 4, true, L"sin"},        // just after "("
      {L"sin(1+2)", 2, true, L"sin"},        // inside the name
      {L"sin(1+2)", 0, true, L"sin"},        // before the name
      {L"x := 5", 1, true, L"x"},            // right after the name
      {L"x := 5", 3, true, L"x"},            // nothing at the caret: the column walks left
      {L"12+34", 4, false, L""},             // numbers only: the column runs below 0
      {L"", 0, false, L""},                  // empty line
      {L"max(sqrt(4), 9)", 10, true, L"sqrt"},  // innermost group first
      {L"max(sqrt(4), 9)", 13, true, L"max"},   // outside the inner group
      {L"2*(3+4)", 4, false, L""},           // a group with no name before it, then numbers
      {L"a_1 + b2", 8, true, L"b2"},         // digits belong to a word
      {L"f((1))", 3, true, L"f"},            // nested groups without names go outwards
      {L"abc", 99, true, L"abc"},            // a column past the end counts from the end
  };
  for (auto& t : table) {
    std::wstring word = L"unchanged";
    bool found = numbrook::FindCaretHintWord(t.line, t.column, word);
    EXPECT_EQ(t.found, found) << testing::PrintToString(std::wstring(t.line)) << " at " << t.column;
    if (t.found) {
      EXPECT_EQ(std::wstring(t.word), word) << testing::PrintToString(std::wstring(t.line)) << " at " << t.column;
    }
  }
}

// Answers IsDefined and the getters from a fixed table of names.
class CKernelDouble : public KernelStub {
public:
  struct Entry {
    CalcObjectType type;
    int index;
  };
  std::map<std::wstring, Entry> names;
  std::map<std::wstring, int> functionIndexes;
  HRESULT failIsDefined = S_OK;

  STDMETHODIMP QueryInterface(REFIID, void** ppv) override {
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 1; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP GetVarValue(int Index, VARIANT* Value) override {
    V_VT(Value) = VT_R8;
    V_R8(Value) = Index + 0.5;
    return S_OK;
  }
  STDMETHODIMP IsDefined(BSTR Text, CalcObjectType* defType, int* findIndex) override {
    if (FAILED(failIsDefined)) return failIsDefined;
    auto it = names.find(Text);
    if (it == names.end()) {
      *defType = CotUnknown;
      *findIndex = -1;
      return S_FALSE;
    }
    *defType = it->second.type;
    *findIndex = it->second.index;
    return S_OK;
  }
  STDMETHODIMP GetFunction(int Index, CalcFunction* Function) override {
    Function->CfnName = ::SysAllocString(L"f");
    Function->CfnSignature = ::SysAllocString(Index == 3 ? L"x" : L"a; b");
    Function->CfnCategoryId = 0;
    Function->CfnDescription = ::SysAllocString(L"");
    return S_OK;
  }
  STDMETHODIMP GetFunctionIndex(BSTR funcName, int* Index) override {
    auto it = functionIndexes.find(funcName);
    *Index = it == functionIndexes.end() ? -1 : it->second;
    return *Index >= 0 ? S_OK : S_FALSE;
  }
  STDMETHODIMP GetConstant(int, CalcConstant* Constant) override {
    Constant->Name = ::SysAllocString(L"PI");
    ::VariantInit(&Constant->Value);
    V_VT(&Constant->Value) = VT_I8;
    V_I8(&Constant->Value) = 3;
    Constant->Dimension = ::SysAllocString(L"");
    return S_OK;
  }
};

TEST(CaretHintText, DependsOnWhatTheNameIs) {
  HMODULE resources = ::LoadLibraryW(L"BrookResx.dll");
  ASSERT_NE(nullptr, resources);
  AfxSetResourceHandle(resources);
  CString none;
  none.LoadString(203);
  ASSERT_FALSE(none.IsEmpty());

  CKernelDouble kernel;
  kernel.names = {{L"pi", {CotConstant, 0}},
                  {L"sin", {CotFunction, 7}},
                  {L"sinus", {CotFunction, 7}},
                  {L"x", {CotVariable, 2}},
                  {L"mod", {CotOperator, 4}}};
  kernel.functionIndexes = {{L"sin", 3}};
  struct {
    const wchar_t* word;
    CString hint;
  } table[] = {
      {L"pi", L"PI=3"},          // the constant's own name and its value
      {L"sin", L"sin ( x )"},    // the name as written and the signature
      {L"sinus", L""},           // only an alias: no hint
      {L"x", L"x=2.5"},          // variable value
      {L"mod", none},            // operators have no hint
      {L"nothing", none},        // nor names defined nowhere
  };
  for (auto& t : table) EXPECT_EQ(t.hint, CaretHintForWord(&kernel, t.word)) << testing::PrintToString(std::wstring(t.word));
  EXPECT_EQ(none, CaretHintForWord(nullptr, L"pi"));

  kernel.failIsDefined = E_FAIL;
  EXPECT_THROW(CaretHintForWord(&kernel, L"pi"), _com_error);
}

TEST(ResultValueText, UsesTheSystemConversion) {
  _variant_t text(L"3; 12\r\n5");
  EXPECT_EQ(CString(L"3; 12\r\n5"), ResultValueText(text));
  _variant_t empty;
  EXPECT_EQ(CString(L""), ResultValueText(empty));
  VARIANT unknown;
  ::VariantInit(&unknown);
  V_VT(&unknown) = VT_UNKNOWN;
  V_UNKNOWN(&unknown) = nullptr;
  EXPECT_THROW(ResultValueText(unknown), _com_error);
}

}  // namespace
