// The kernel bridge against the registered kernel: settings, worksheets, names, getters, the
// message pump that runs inside a calculation, and evaluations requested while one runs.
#include <gtest/gtest.h>
#include <algorithm>
#include <memory>
#include <string>
#include <vector>
#include "CalculatorKernel.h"
#include "FwComSupport.h"
#include "WorkspaceTestKit.h"

namespace {

const UINT WM_COUNT = WM_APP + 1;       // counted by the test window
const UINT WM_REPOST_SELF = WM_APP + 2; // handled, then posted again (an endless stream)
const UINT WM_EVALUATE = WM_APP + 3;    // evaluates an expression through the bridge
const UINT WM_POST_REQUEST = WM_APP + 4; // posts a calculation request, as typing does
const UINT WM_ARM_TIMER = WM_APP + 5;    // starts a timer whose tick posts a calculation request

UINT RequestMessage() { return ::RegisterWindowMessageW(L"DoCalculationFerrow"); }

void DrainQueue() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
  }
}

std::wstring Text(const VARIANT& v) {
  if (V_VT(&v) != VT_BSTR) return L"<vt " + std::to_wstring(V_VT(&v)) + L">";
  return V_BSTR(&v) ? V_BSTR(&v) : L"";
}

std::wstring Take(BSTR& s) {
  std::wstring r = s ? s : L"";
  ::SysFreeString(s);
  s = nullptr;
  return r;
}

// What the test window saw.
struct WindowLog {
  int counted = 0;
  int reposted = 0;
  bool stopReposting = false;
  CCalculatorKernel* kernel = nullptr;
  std::vector<HRESULT> evaluationResults;
  std::vector<std::wstring> evaluationTexts;
};
WindowLog g_log;

LRESULT CALLBACK TestWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COUNT:
      ++g_log.counted;
      return 0;
    case WM_REPOST_SELF:
      ++g_log.reposted;
      if (!g_log.stopReposting) ::PostMessageW(hwnd, WM_REPOST_SELF, 0, 0);
      return 0;
    case WM_EVALUATE: {
      ParseExpResult result;
      BSTR text = ::SysAllocString(L"2*3");
      HRESULT hr = g_log.kernel->ParseExpression(text, &result);
      ::SysFreeString(text);
      g_log.evaluationResults.push_back(hr);
      g_log.evaluationTexts.push_back(hr == S_OK ? Text(result.Value) : L"");
      ::VariantClear(&result.Value);
      return 0;
    }
    case WM_POST_REQUEST:
      ::PostMessageW(hwnd, RequestMessage(), 0, 0);
      return 0;
    case WM_ARM_TIMER:
      ::SetTimer(hwnd, 1, static_cast<UINT>(wParam), nullptr);
      return 0;
    case WM_TIMER:
      ::KillTimer(hwnd, wParam);
      ::PostMessageW(hwnd, RequestMessage(), 0, 0);
      return 0;
  }
  return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

class CalculatorKernelTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    resources = ::LoadLibraryW(L"BrookResx.dll");
    if (resources) AfxSetResourceHandle(resources);
    WNDCLASSW wc = {};
    wc.lpfnWndProc = TestWndProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"CalculatorKernelTestWindow";
    ::RegisterClassW(&wc);
  }
  static void TearDownTestSuite() { ::CoUninitialize(); }

  void SetUp() override {
    ASSERT_NE(nullptr, resources) << "BrookResx.dll not found beside the test";
    ASSERT_NO_THROW(kernel.reset(new CCalculatorKernel)) << "is Evalkern registered?";
    g_log = WindowLog();
    g_log.kernel = kernel.get();
    window = ::CreateWindowW(L"CalculatorKernelTestWindow", L"", WS_OVERLAPPED, 0, 0, 10, 10,
                             nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(nullptr, window);
    DrainQueue();
  }
  void TearDown() override {
    if (window) ::DestroyWindow(window);
    DrainQueue();
    kernel.reset();
  }

  // The worksheet's result text, with the result's kind.
  std::wstring Parse(const wchar_t* text, ResultType* type = nullptr) {
    ParseExpResult result;
    BSTR expression = ::SysAllocString(text);
    EXPECT_EQ(S_OK, kernel->ParseExpression(expression, &result));
    ::SysFreeString(expression);
    if (type) *type = result.Type;
    std::wstring answer = V_VT(&result.Value) == VT_EMPTY ? L"<empty>" : Text(result.Value);
    ::VariantClear(&result.Value);
    return answer;
  }

  int Count(CalcObjectType type) {
    int n = -1;
    EXPECT_EQ(S_OK, kernel->GetCountObjects(type, &n));
    return n;
  }

  int Requests(HWND* hwnd = nullptr, WPARAM* wParam = nullptr, LPARAM* lParam = nullptr) {
    int n = 0;
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, RequestMessage(), RequestMessage(), PM_REMOVE)) {
      ++n;
      if (hwnd) *hwnd = msg.hwnd;
      if (wParam) *wParam = msg.wParam;
      if (lParam) *lParam = msg.lParam;
    }
    return n;
  }

  static HMODULE resources;
  std::unique_ptr<CCalculatorKernel> kernel;
  HWND window = nullptr;
};
HMODULE CalculatorKernelTest::resources = nullptr;

// ---- creation ----------------------------------------------------------------------------------

// A class object that refuses to make anything, registered over the kernel's interpreter.
class RefusingFactory : public IClassFactory {
public:
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    *ppv = (riid == IID_IUnknown || riid == IID_IClassFactory) ? this : nullptr;
    return *ppv ? S_OK : E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP CreateInstance(IUnknown*, REFIID, void** ppv) override {
    if (ppv) *ppv = nullptr;
    return REGDB_E_CLASSNOTREG;
  }
  STDMETHODIMP LockServer(BOOL) override { return S_OK; }
};

TEST_F(CalculatorKernelTest, AKernelThatCannotBeCreatedIsReportedAndStopsTheCreator) {
  RefusingFactory factory;
  DWORD cookie = 0;
  ASSERT_EQ(S_OK, ::CoRegisterClassObject(CLSID_BasicMultiLinesInterpreterOrlen, &factory,
                                          CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie));
  MessageBoxCloser closer;
  HANDLE thread = ::CreateThread(nullptr, 0, MessageBoxCloser::Run, &closer, 0, nullptr);
  HRESULT raised = S_OK;
  try {
    CCalculatorKernel refused;
    ADD_FAILURE() << "created although the interpreter was refused";
  } catch (const _com_error& e) {
    raised = e.Error();
  }
  ::CoRevokeClassObject(cookie);
  ::WaitForSingleObject(thread, 15000);
  ::CloseHandle(thread);
  EXPECT_EQ(REGDB_E_CLASSNOTREG, raised);
  CString notCreated, caption;
  notCreated.LoadString(2018);
  caption.LoadString(2036);
  EXPECT_EQ(caption.str(), closer.caption);
  EXPECT_EQ(0u, closer.text.find(notCreated.str() + L"\r\n")) << "then the system's text";
}

// ---- mapping and settings ----------------------------------------------------------------------

TEST(CalculatorKernelMapping, AngleUnitsAndNotationsBothWays) {
  const struct { long program; TAngleMeasurement kernel; } angles[] = {
      {cafRadians, amRadian}, {cafDegrees, amDegree}, {cafGrads, amGrade}};
  for (const auto& c : angles) {
    TAngleMeasurement out = (TAngleMeasurement)-1;
    EXPECT_TRUE(AngleFormatToKernel(c.program, out)) << c.program;
    EXPECT_EQ(c.kernel, out) << c.program;
    EXPECT_EQ(c.program, AngleFormatFromKernel(c.kernel));
  }
  const struct { long program; TFormatOut kernel; } formats[] = {
      {crfBin, foBinary}, {crfOct, foOct}, {crfHex, foHex}, {crfDec, foDecimal}, {crfRoman, foRoman}};
  for (const auto& c : formats) {
    TFormatOut out = (TFormatOut)-1;
    EXPECT_TRUE(ResultFormatToKernel(c.program, out)) << c.program;
    EXPECT_EQ(c.kernel, out) << c.program;
    EXPECT_EQ(c.program, ResultFormatFromKernel(c.kernel));
  }
  for (long bad : {0L, 4L, -1L}) {
    TAngleMeasurement angle = amGrade;
    EXPECT_FALSE(AngleFormatToKernel(bad, angle));
    EXPECT_EQ(amGrade, angle);
  }
  for (long bad : {0L, 6L, -1L}) {
    TFormatOut format = foRoman;
    EXPECT_FALSE(ResultFormatToKernel(bad, format));
    EXPECT_EQ(foRoman, format);
  }
}

TEST_F(CalculatorKernelTest, SettingsStartAtRadiansAndDecimalAndIgnoreUnknownValues) {
  CalcAngleFormat angle = (CalcAngleFormat)0;
  CalcResultFormat format = (CalcResultFormat)0;
  EXPECT_EQ(S_OK, kernel->GetCalcAngleFormat(&angle));
  EXPECT_EQ(S_OK, kernel->GetCalcResultFormat(&format));
  EXPECT_EQ(cafRadians, angle);
  EXPECT_EQ(crfDec, format);

  EXPECT_EQ(S_OK, kernel->SetCalcSettings(cafDegrees, crfHex));
  EXPECT_EQ(S_OK, kernel->SetCalcSettings((CalcAngleFormat)0, (CalcResultFormat)0));
  kernel->GetCalcAngleFormat(&angle);
  kernel->GetCalcResultFormat(&format);
  EXPECT_EQ(cafDegrees, angle);
  EXPECT_EQ(crfHex, format);

  EXPECT_EQ(S_OK, kernel->SetCalcSettings((CalcAngleFormat)9, crfRoman));
  kernel->GetCalcAngleFormat(&angle);
  kernel->GetCalcResultFormat(&format);
  EXPECT_EQ(cafDegrees, angle);
  EXPECT_EQ(crfRoman, format);
}

// ---- worksheets --------------------------------------------------------------------------------

TEST_F(CalculatorKernelTest, WorksheetsGiveTheResultTextInTheChosenUnitAndNotation) {
  const struct {
    CalcAngleFormat angle;
    CalcResultFormat format;
    const wchar_t* text;
    const wchar_t* expected;
  } cases[] = {
      {cafDegrees, crfHex, L"sin(30)\n255", L"0.5\r\n0xff"},
      {cafRadians, crfDec, L"1+2; 3*4\nx := 5\n// note\nx*2", L"3; 12\r\n5\r\n\r\n10"},
      {cafGrads, crfDec, L"sin(100)", L"1"},
      {cafRadians, crfBin, L"5; 0x10", L"0b101; 0b10000"},
      {cafRadians, crfOct, L"8", L"0o10"},
      {cafRadians, crfHex, L"0.5", L"0.5"},
      {cafRadians, crfDec, L"", L""},
  };
  for (const auto& c : cases) {
    kernel->SetCalcSettings(c.angle, c.format);
    ResultType type = rtError;
    EXPECT_EQ(c.expected, Parse(c.text, &type)) << c.text;
    EXPECT_EQ(rtVariant, type) << c.text;
  }
}

TEST_F(CalculatorKernelTest, StatementErrorsShowInTheTextAndMarkTheBridge) {
  ResultType type = rtError;
  std::wstring text = Parse(L"1+2\n1 +* ", &type);
  EXPECT_EQ(rtVariant, type);
  ASSERT_EQ(0u, text.find(L"3\r\n"));
  EXPECT_GT(text.size(), 3u + 2u) << "the failed line shows its message";
  EXPECT_TRUE(kernel->IsErrorSeen());

  EXPECT_EQ(L"3", Parse(L"1+2"));
  EXPECT_FALSE(kernel->IsErrorSeen());
}

TEST_F(CalculatorKernelTest, AKernelFailureAnswersTheKernelsOwnTextAndTheBridgeGoesOn) {
  // The interpreter refuses a text of more than 32767 lines, or a line of more statements.
  const struct {
    std::wstring text;
    const wchar_t* answer;
  } cases[] = {
      {std::wstring(40000, L'\n'), L"The worksheet has too many lines to calculate (at most 32767)"},
      {std::wstring(40000, L';'), L"A line has too many statements to calculate (at most 32767)"},
  };
  for (const auto& c : cases) {
    ResultType type = rtVariant;
    EXPECT_EQ(c.answer, Parse(c.text.c_str(), &type));
    EXPECT_EQ(rtError, type);
    EXPECT_EQ(L"7", Parse(L"3+4", &type));
    EXPECT_EQ(rtVariant, type);
  }
}

TEST_F(CalculatorKernelTest, VariablesOfAWorksheetAreListedWithTheirValues) {
  Parse(L"alpha := 2\nbeta := alpha*3");
  int count = Count(CotVariable);
  int alpha = -1, beta = -1;
  for (int i = 0; i < count; ++i) {
    BSTR name = nullptr;
    EXPECT_EQ(S_OK, kernel->GetVarName(i, &name));
    std::wstring n = Take(name);
    if (n == L"alpha") alpha = i;
    if (n == L"beta") beta = i;
  }
  ASSERT_GE(alpha, 0);
  ASSERT_GE(beta, 0);
  VARIANT v;
  EXPECT_EQ(S_OK, kernel->GetVarValue(beta, &v));
  EXPECT_EQ(L"6", std::wstring(CCalculatorKernel::VariantToText(v)));
  ::VariantClear(&v);

  // No such index: an empty name, the double 0.
  for (int bad : {-1, count}) {
    BSTR name = nullptr;
    EXPECT_EQ(S_FALSE, kernel->GetVarName(bad, &name));
    EXPECT_EQ(L"", Take(name));
    VARIANT value;
    EXPECT_EQ(S_FALSE, kernel->GetVarValue(bad, &value));
    EXPECT_EQ(VT_R8, V_VT(&value));
    EXPECT_EQ(0.0, V_R8(&value));
  }
}

// ---- names -------------------------------------------------------------------------------------

TEST_F(CalculatorKernelTest, IsDefinedClassifiesFunctionsAliasesOperatorsConstantsAndVariables) {
  Parse(L"total := 1");
  auto functionIndex = [&](const wchar_t* name) {
    int index = -2;
    BSTR s = ::SysAllocString(name);
    kernel->GetFunctionIndex(s, &index);
    ::SysFreeString(s);
    return index;
  };
  auto variableIndex = [&](const wchar_t* name) {
    for (int i = 0, n = Count(CotVariable); i < n; ++i) {
      BSTR s = nullptr;
      kernel->GetVarName(i, &s);
      if (Take(s) == name) return i;
    }
    return -1;
  };
  const int pi = [&] {
    for (int i = 0, n = Count(CotConstant); i < n; ++i) {
      CalcConstant c;
      kernel->GetConstant(i, &c);
      std::wstring name = Take(c.Name);
      ::SysFreeString(c.Dimension);
      ::VariantClear(&c.Value);
      if (name == L"pi") return i;
    }
    return -1;
  }();
  ASSERT_GE(pi, 0);

  const struct {
    const wchar_t* text;
    HRESULT hr;
    CalcObjectType type;
    int index;
  } cases[] = {
      {L"sin", S_OK, CotFunction, functionIndex(L"sin")},
      {L"SQRT", S_OK, CotFunction, functionIndex(L"sqrt")},
      {L"AND", S_OK, CotOperator, functionIndex(L"and")},
      {L"Shr", S_OK, CotOperator, functionIndex(L"shr")},
      {L"logarithm", S_OK, CotFunction, -1},  // an alias only
      {L"plus", S_OK, CotFunction, -1},
      {L"PI", S_OK, CotConstant, pi},
      {L"total", S_OK, CotVariable, variableIndex(L"total")},
      {L"nosuchname", S_FALSE, CotUnknown, -1},
      {L"", S_FALSE, CotUnknown, -1},
  };
  for (const auto& c : cases) {
    CalcObjectType type = (CalcObjectType)-7;
    int index = -7;
    BSTR text = ::SysAllocString(c.text);
    EXPECT_EQ(c.hr, kernel->IsDefined(text, &type, &index)) << c.text;
    ::SysFreeString(text);
    EXPECT_EQ(c.type, type) << c.text;
    EXPECT_EQ(c.index, index) << c.text;
  }
  EXPECT_GE(functionIndex(L"sin"), 0);
  EXPECT_GE(functionIndex(L"and"), 0);
  EXPECT_GE(variableIndex(L"total"), 0);
}

TEST(CalculatorKernelNames, WordOperatorsAndAsciiCaseFolding) {
  for (const wchar_t* w : {L"and", L"DIV", L"Mod", L"nOt", L"OR", L"shl", L"SHR", L"xor"})
    EXPECT_TRUE(IsWordOperator(w)) << w;
  for (const wchar_t* w : {L"an", L"ands", L"sin", L"", L"+"})
    EXPECT_FALSE(IsWordOperator(w)) << w;
  EXPECT_TRUE(SameName(L"Sin", L"sIN"));
  EXPECT_TRUE(SameName(nullptr, L""));
  EXPECT_FALSE(SameName(L"\u00c4", L"\u00e4")) << "only ASCII letters fold";
}

// ---- getters -----------------------------------------------------------------------------------

TEST_F(CalculatorKernelTest, FunctionGettersFindNamesButNotAliases) {
  BSTR name = ::SysAllocString(L"SIN");
  int index = -2;
  EXPECT_EQ(S_OK, kernel->GetFunctionIndex(name, &index));
  ::SysFreeString(name);
  ASSERT_GE(index, 0);

  CalcFunction f;
  EXPECT_EQ(S_OK, kernel->GetFunction(index, &f));
  EXPECT_EQ(L"sin", Take(f.CfnName));
  EXPECT_FALSE(Take(f.CfnSignature).empty());
  EXPECT_FALSE(Take(f.CfnDescription).empty());
  EXPECT_EQ(cTrigonometric, f.CfnCategoryId);

  name = ::SysAllocString(L"logarithm");
  EXPECT_EQ(S_FALSE, kernel->GetFunctionIndex(name, &index));
  ::SysFreeString(name);
  EXPECT_EQ(-1, index);

  const int count = Count(CotFunction);
  EXPECT_GE(count, 79);
  for (int bad : {-1, count}) {
    CalcFunction missing;
    missing.CfnCategoryId = 77;
    EXPECT_EQ(S_FALSE, kernel->GetFunction(bad, &missing));
    EXPECT_EQ(nullptr, missing.CfnName);
    EXPECT_EQ(nullptr, missing.CfnSignature);
    EXPECT_EQ(nullptr, missing.CfnDescription);
  }
}

TEST_F(CalculatorKernelTest, ConstantsCarryNameValueAndAnEmptyDimension) {
  const int count = Count(CotConstant);
  ASSERT_GT(count, 0);
  bool sawPi = false;
  for (int i = 0; i < count; ++i) {
    CalcConstant c;
    ASSERT_EQ(S_OK, kernel->GetConstant(i, &c));
    std::wstring name = Take(c.Name);
    EXPECT_EQ(L"", Take(c.Dimension));
    if (name == L"pi") {
      sawPi = true;
      EXPECT_EQ(L"3.14159265358979323846", std::wstring(CCalculatorKernel::VariantToText(c.Value)));
    }
    ::VariantClear(&c.Value);
  }
  EXPECT_TRUE(sawPi);
  CalcConstant missing;
  EXPECT_EQ(S_FALSE, kernel->GetConstant(count, &missing));
  EXPECT_EQ(nullptr, missing.Name);
  EXPECT_EQ(VT_EMPTY, V_VT(&missing.Value));
}

TEST_F(CalculatorKernelTest, OperatorsAndCategories) {
  const wchar_t* texts[] = {L"+", L"-", L"/", L"*", L"+", L"-", L"^", L"!", L"="};
  for (int i = 0; i < 9; ++i) {
    CalcOperator op;
    EXPECT_EQ(S_OK, kernel->GetOperator(i, &op));
    EXPECT_EQ(texts[i], Take(op.Operator));
  }
  CalcOperator op;
  EXPECT_EQ(S_FALSE, kernel->GetOperator(9, &op));
  EXPECT_EQ(nullptr, op.Operator);
  EXPECT_EQ(0, Count(CotOperator));
  EXPECT_EQ(0, Count(CotExpression));
  EXPECT_EQ(12, Count(CotCategory));

  const struct { int index; HRESULT hr; int id; bool hidden; } cases[] = {
      {0, S_FALSE, -1, true}, {1, S_OK, cCommon, false}, {11, S_OK, cComputer, false},
      {12, S_FALSE, -1, true}, {-1, S_FALSE, -1, true}};
  for (const auto& c : cases) {
    CalcCategory cat;
    EXPECT_EQ(c.hr, kernel->GetCategory(c.index, &cat)) << c.index;
    EXPECT_EQ(c.id, cat.ccCategoryId) << c.index;
    EXPECT_EQ(c.index, cat.ccCategoryIndex) << c.index;
    std::wstring name = Take(cat.ccName);
    if (c.hidden)
      EXPECT_EQ(L"Hidden", name);
    else
      EXPECT_FALSE(name.empty());
  }
  const struct { int id; int index; } indexes[] = {{cAll, -1}, {cHidden, -1}, {cTrigonometric, 2}};
  for (const auto& c : indexes) {
    int index = -7;
    EXPECT_EQ(S_OK, kernel->GetCategoryIndex(c.id, &index));
    EXPECT_EQ(c.index, index);
  }
  int index = 5;
  EXPECT_TRUE(FAILED(kernel->GetCategoryIndex(-3, &index)));
  EXPECT_EQ(-1, index);
}

// ---- COM rules ---------------------------------------------------------------------------------

TEST_F(CalculatorKernelTest, QueryInterfaceFollowsTheComRulesOnEveryFace) {
  CCalculatorKernel* k = kernel.get();
  IUnknown* faces[] = {static_cast<ICalculatorKernel*>(k), static_cast<IErrorEvents*>(k),
                       static_cast<IIsCalculationNeeded*>(k)};
  const struct { const IID* iid; void* expected; } cases[] = {
      {&IID_ICalculatorKernel, static_cast<ICalculatorKernel*>(k)},
      {&IID_IUnknown, static_cast<IErrorEvents*>(k)},
      {&IID_IErrorEvents, static_cast<IErrorEvents*>(k)},
      {&IID_IIsCalculationNeeded, static_cast<IIsCalculationNeeded*>(k)},
      {&IID_InternalCalculatorKernel, static_cast<ICalculatorKernel*>(k)},
      {&IID_IDispatch, nullptr},
      {&IID_ICodeFormatter, nullptr},
  };
  for (IUnknown* face : faces)
    for (const auto& c : cases) {
      void* out = reinterpret_cast<void*>(1);
      EXPECT_EQ(c.expected ? S_OK : E_NOINTERFACE, face->QueryInterface(*c.iid, &out));
      EXPECT_EQ(c.expected, out);
    }
  EXPECT_EQ(E_POINTER, faces[0]->QueryInterface(IID_IUnknown, nullptr));
  EXPECT_EQ(1u, faces[1]->AddRef());
  EXPECT_EQ(0u, faces[2]->Release());

  EXPECT_EQ(k, CCalculatorKernel::FromInterface(k));
  EXPECT_EQ(nullptr, CCalculatorKernel::FromInterface(nullptr));
}

TEST_F(CalculatorKernelTest, ErrorSinkKeepsFlagAndText) {
  IErrorEvents* sink = kernel.get();
  BSTR text = nullptr;
  EXPECT_EQ(S_OK, sink->put_ErrorText(nullptr));
  EXPECT_EQ(S_OK, sink->get_ErrorText(&text));
  ASSERT_NE(nullptr, text);
  EXPECT_EQ(L"", Take(text));
  BSTR message = ::SysAllocString(L"bad line");
  sink->put_ErrorText(message);
  ::SysFreeString(message);
  sink->get_ErrorText(&text);
  EXPECT_EQ(L"bad line", Take(text));

  VARIANT_BOOL flag = VARIANT_FALSE;
  sink->put_ErrorFlag(VARIANT_TRUE);
  EXPECT_FALSE(kernel->IsErrorSeen()) << "seen only once read";
  sink->get_ErrorFlag(&flag);
  EXPECT_EQ(VARIANT_TRUE, flag);
  EXPECT_TRUE(kernel->IsErrorSeen());
  sink->put_ErrorFlag(VARIANT_FALSE);
  sink->get_ErrorFlag(&flag);
  EXPECT_FALSE(kernel->IsErrorSeen());
}

// ---- texts -------------------------------------------------------------------------------------

TEST_F(CalculatorKernelTest, VariantToTextAndEvaluateToText) {
  CString yes, no;
  yes.LoadString(11004);
  no.LoadString(11005);
  ASSERT_FALSE(yes.IsEmpty());
  struct Case { VARIANT v; std::wstring expected; };
  std::vector<Case> cases(7);
  for (auto& c : cases) ::VariantInit(&c.v);
  V_VT(&cases[0].v) = VT_BOOL, V_BOOL(&cases[0].v) = VARIANT_TRUE, cases[0].expected = yes.str();
  V_VT(&cases[1].v) = VT_BOOL, V_BOOL(&cases[1].v) = VARIANT_FALSE, cases[1].expected = no.str();
  V_VT(&cases[2].v) = VT_I8, V_I8(&cases[2].v) = -9000000000000000001LL,
  cases[2].expected = L"-9000000000000000001";
  V_VT(&cases[3].v) = VT_UI8, V_UI8(&cases[3].v) = 18446744073709551615ULL,
  cases[3].expected = L"18446744073709551615";
  cases[4].expected = L"0";  // empty
  V_VT(&cases[5].v) = VT_R8, V_R8(&cases[5].v) = 0.25, cases[5].expected = L"0.25";
  V_VT(&cases[6].v) = VT_BSTR, V_BSTR(&cases[6].v) = ::SysAllocString(L"0xff"),
  cases[6].expected = L"0xff";
  for (auto& c : cases) {
    EXPECT_EQ(c.expected, std::wstring(CCalculatorKernel::VariantToText(c.v))) << V_VT(&c.v);
    ::VariantClear(&c.v);
  }
  VARIANT unknown;
  ::VariantInit(&unknown);
  V_VT(&unknown) = VT_UNKNOWN;
  V_UNKNOWN(&unknown) = nullptr;
  EXPECT_THROW(CCalculatorKernel::VariantToText(unknown), _com_error);

  kernel->SetCalcSettings(cafRadians, crfDec);
  EXPECT_STREQ(L"32", kernel->EvaluateToText(L"0x1F + 1"));
  EXPECT_FALSE(kernel->IsErrorSeen());
  EXPECT_STRNE(L"", kernel->EvaluateToText(L"nosuchfunction(1)"));
  EXPECT_TRUE(kernel->IsErrorSeen());
}

// ---- the message pump inside a calculation -----------------------------------------------------

TEST_F(CalculatorKernelTest, APendingRequestEndsTheRunAndStaysQueuedOnce) {
  ::PostMessageW(window, RequestMessage(), 7, 9);
  EXPECT_EQ(L"<empty>", Parse(L"1\n2\n3"));
  HWND hwnd = nullptr;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  EXPECT_EQ(1, Requests(&hwnd, &wParam, &lParam));
  EXPECT_EQ(window, hwnd);
  EXPECT_EQ(7u, wParam);
  EXPECT_EQ(9, lParam);

  // Without a request the same worksheet runs to its end.
  EXPECT_EQ(L"1\r\n2\r\n3", Parse(L"1\n2\n3"));
}

TEST_F(CalculatorKernelTest, ARequestPostedDuringTheRunEndsIt) {
  // Other messages are handled inside the calculation; one of them posts a newer request.
  for (int i = 0; i < 3; ++i) ::PostMessageW(window, WM_COUNT, 0, 0);
  ::PostMessageW(window, WM_POST_REQUEST, 0, 0);
  std::wstring text = Parse(L"1\n2\n3");
  EXPECT_NE(L"1\r\n2\r\n3", text);
  EXPECT_EQ(3, g_log.counted);
  EXPECT_EQ(1, Requests());
}

TEST_F(CalculatorKernelTest, ARequestArrivingLateInALongRunEndsItBeforeItsLastLine) {
  // The queue is not looked at after every line, but a request that comes in long after the
  // run's first look still ends it early; the window's own messages are handled meanwhile.
  std::wstring text;
  for (int i = 0; i < 30000; ++i) text += L"sqrt(2)*3+sin(1)\n";
  text += L"1";
  // Handled at the run's first look; the request follows 20 ms into the run.
  ::PostMessageW(window, WM_ARM_TIMER, 20, 0);
  const std::wstring answer = Parse(text.c_str());
  ::KillTimer(window, 1);
  const size_t lines = std::count(answer.begin(), answer.end(), L'\n');
  EXPECT_GT(lines, 0u) << "the run ended at its first look";
  EXPECT_LT(lines, 30000u) << "the run went on to its end";
  EXPECT_EQ(1, Requests()) << "the request is queued again, once";
}

TEST_F(CalculatorKernelTest, OneCallbackDispatchesAtMost10002Messages) {
  ::PostMessageW(window, WM_REPOST_SELF, 0, 0);
  IIsCalculationNeeded* callback = kernel.get();
  VARIANT_BOOL answer = VARIANT_FALSE;
  EXPECT_EQ(S_OK, callback->IsCalculationNeeded(&answer));
  EXPECT_EQ(VARIANT_TRUE, answer);
  EXPECT_EQ(10002, g_log.reposted);
  g_log.stopReposting = true;
  DrainQueue();
}

TEST_F(CalculatorKernelTest, AQuitMessageSurvivesTheRunAndEndsIt) {
  ::PostQuitMessage(3);
  EXPECT_EQ(L"<empty>", Parse(L"1\n2"));
  MSG msg;
  ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(3u, msg.wParam);
  EXPECT_FALSE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(L"1\r\n2", Parse(L"1\n2"));
}

TEST_F(CalculatorKernelTest, AnEvaluationAskedForDuringARunIsDeferredUntilTheRunEnds) {
  ::PostMessageW(window, WM_EVALUATE, 0, 0);
  // The handler runs inside this calculation and must not disturb it.
  EXPECT_EQ(L"1\r\n4", Parse(L"1\n2*2"));
  ASSERT_EQ(1u, g_log.evaluationResults.size());
  EXPECT_EQ(E_PENDING, g_log.evaluationResults[0]);
  EXPECT_FALSE(kernel->IsBusy());

  // The request is queued again, once; handled now, it is evaluated.
  QueueWatch queue;
  PumpPending();
  EXPECT_EQ(1, queue.Count(WM_EVALUATE));
  ASSERT_EQ(2u, g_log.evaluationResults.size());
  EXPECT_EQ(S_OK, g_log.evaluationResults[1]);
  EXPECT_EQ(L"6", g_log.evaluationTexts[1]);
}

}  // namespace
