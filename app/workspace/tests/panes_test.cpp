// The two worksheet panes in a plain frame with a static splitter, over the registered kernel:
// recalculation while typing, the request protocol, failures inside a calculation, zoom,
// scroll and marker synchronisation, the focus rule, the commands with their check marks, the
// key filter, paste and command insertion, colouring, the code formatter and the messenger.
// The application shell is played by small doubles behind INumbrookMain.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <memory>
#include <string>
#include <vector>

#include "CalculatorKernel.h"
#include "ClipboardText.h"
#include "EditorMessages.h"
#include "FwComSupport.h"
#include "LeftView.h"
#include "MainInterface.h"
#include "NumbrookDoc.h"
#include "Recalculation.h"
#include "RightView.h"
#include "ScintillaColorerDoc.h"
#include "PngFile.h"
#include "WorkspaceTestKit.h"
#include "bars/UfxToolbarButton.h"
#include "frames/UfxFramesResources.h"
#include "frames/UfxPrintPreviewView.h"
#include "frames/UfxStatusBar.h"

namespace {

int g_savedStates = 0;

class CTestApp : public CWinApp, public IApplicationStateWriter {
public:
  CTestApp() : CWinApp(L"WorkspacePanesTest") {}
  BOOL SaveState(LPCWSTR, CUfxFrameHelper*) override {
    ++g_savedStates;
    return TRUE;
  }
};
CTestApp theApp;

// ---- the kernel: the real bridge behind a proxy that can fail on demand ----------------------

enum class Failure { None, ParseHResult, ParseThrows, SettingsHResult };

class CKernelProxy : public ICalculatorKernel {
public:
  CCalculatorKernel* real = nullptr;
  Failure failure = Failure::None;
  std::function<void(int call)> onParse;  // runs before each calculation
  std::function<void()> afterParse;       // runs when a calculation has returned
  int parses = 0;
  CString lastText;
  CalcAngleFormat lastAngle = cafRadians;
  CalcResultFormat lastResult = crfDec;

  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override { return real->QueryInterface(riid, ppv); }
  STDMETHODIMP_(ULONG) AddRef() override { return 1; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP ParseExpression(BSTR Expression, ParseExpResult* Result) override {
    int call = parses++;
    lastText = Expression ? Expression : L"";
    if (onParse) onParse(call);
    if (failure == Failure::ParseHResult) return E_FAIL;
    if (failure == Failure::ParseThrows) throw std::runtime_error("fault inside the calculation");
    HRESULT hr = real->ParseExpression(Expression, Result);
    if (afterParse) afterParse();
    return hr;
  }
  STDMETHODIMP GetVarValue(int Index, VARIANT* Value) override { return real->GetVarValue(Index, Value); }
  STDMETHODIMP GetVarName(int Index, BSTR* Name) override { return real->GetVarName(Index, Name); }
  STDMETHODIMP IsDefined(BSTR Text, CalcObjectType* defType, int* findIndex) override {
    return real->IsDefined(Text, defType, findIndex);
  }
  STDMETHODIMP GetCountObjects(CalcObjectType t, int* Count) override { return real->GetCountObjects(t, Count); }
  STDMETHODIMP GetFunction(int Index, CalcFunction* f) override { return real->GetFunction(Index, f); }
  STDMETHODIMP GetFunctionIndex(BSTR name, int* Index) override { return real->GetFunctionIndex(name, Index); }
  STDMETHODIMP GetConstant(int Index, CalcConstant* c) override { return real->GetConstant(Index, c); }
  STDMETHODIMP GetOperator(int Index, CalcOperator* o) override { return real->GetOperator(Index, o); }
  STDMETHODIMP GetCategory(int Index, CalcCategory* c) override { return real->GetCategory(Index, c); }
  STDMETHODIMP GetCategoryIndex(int id, int* Index) override { return real->GetCategoryIndex(id, Index); }
  STDMETHODIMP GetCalcAngleFormat(CalcAngleFormat* f) override { return real->GetCalcAngleFormat(f); }
  STDMETHODIMP GetCalcResultFormat(CalcResultFormat* f) override { return real->GetCalcResultFormat(f); }
  STDMETHODIMP SetCalcSettings(CalcAngleFormat a, CalcResultFormat r) override {
    if (failure == Failure::SettingsHResult) return E_FAIL;
    lastAngle = a;
    lastResult = r;
    return real->SetCalcSettings(a, r);
  }
};
CKernelProxy g_kernel;

// ---- the shell's doubles ----------------------------------------------------------------------

template <class I>
class CDouble : public I {
public:
  STDMETHODIMP QueryInterface(REFIID, void** ppv) override {
    *ppv = this;
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 1; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
};

class CCaptionDouble : public CDouble<IKivCaptionBar> {
public:
  CaptionType type = CaptionTypeNone;
  std::wstring text;
  int puts = 0;
  STDMETHODIMP get_Visible(VARIANT_BOOL*) override { return E_NOTIMPL; }
  STDMETHODIMP put_Visible(VARIANT_BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP get_Text(BSTR*) override { return E_NOTIMPL; }
  STDMETHODIMP put_Text(BSTR value) override {
    text = value ? value : L"";
    ++puts;
    return S_OK;
  }
  STDMETHODIMP get_Type(CaptionType*) override { return E_NOTIMPL; }
  STDMETHODIMP put_Type(CaptionType value) override {
    type = value;
    return S_OK;
  }
};

class CKbdDouble : public CDouble<IKivKbdManager> {
public:
  VARIANT_BOOL translate = VARIANT_FALSE;
  STDMETHODIMP TranslateKbdAccel(void*, VARIANT_BOOL* translated) override {
    *translated = translate;
    return S_OK;
  }
};

class CMessengerDouble : public CDouble<IKivMessenger> {
public:
  ICBMessengerEvents* sink = nullptr;
  int unsubscribed = 0;
  STDMETHODIMP RunCommand(long) override { return E_NOTIMPL; }
  STDMETHODIMP EventsSubscribe(ICBMessengerEvents* handler, GUID* id) override {
    sink = handler;
    *id = GUID{1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};
    return S_OK;
  }
  STDMETHODIMP EventsUnscribe(GUID) override {
    ++unsubscribed;
    return S_OK;
  }
  STDMETHODIMP get_HookIsRunning(VARIANT_BOOL*) override { return E_NOTIMPL; }
  STDMETHODIMP put_HookIsRunning(VARIANT_BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP GetMainframeHandle(long*) override { return E_NOTIMPL; }
};

class CSettingsDouble : public CDouble<SettingsStub> {
public:
  FnProcessing processing = FpReplace;
  STDMETHODIMP get_CurrentStyle(VisualStyle* v) override {
    *v = VsSimple;
    return S_OK;
  }
  STDMETHODIMP get_DocModel(DocumentModel* v) override {
    *v = SDI;
    return S_OK;
  }
  STDMETHODIMP get_CurrentFnProcessing(FnProcessing* v) override {
    *v = processing;
    return S_OK;
  }
};

class CWatcherDouble : public CDouble<INumbrookClipboardWatcher> {
public:
  std::wstring format;
  unsigned long params = 99;
  HRESULT answer = S_OK;
  STDMETHODIMP HotKeyProcess(BSTR Format, unsigned long dwParams) override {
    format = Format ? Format : L"";
    params = dwParams;
    return answer;
  }
};

class CPanelsDouble : public CDouble<IKivPanelsManager> {
public:
  VARIANT_BOOL visible[5] = {VARIANT_TRUE, VARIANT_TRUE, VARIANT_TRUE, VARIANT_TRUE, VARIANT_TRUE};
  VARIANT_BOOL editable = VARIANT_TRUE;
  std::vector<std::pair<int, VARIANT_BOOL>> shown;  // ShowToolbar calls
  std::vector<VARIANT_BOOL> editableSet;
  STDMETHODIMP Clear() override { return E_NOTIMPL; }
  STDMETHODIMP AddPanel(BSTR, PanelViewType, VARIANT_BOOL, ICBCommandPanel*, long*) override { return E_NOTIMPL; }
  STDMETHODIMP get_ActivePanel(long*) override { return E_NOTIMPL; }
  STDMETHODIMP put_ActivePanel(long) override { return E_NOTIMPL; }
  STDMETHODIMP ShowToolbar(Toolbar id, VARIANT_BOOL show) override {
    shown.emplace_back((int)id, show);
    visible[id] = show;
    return S_OK;
  }
  STDMETHODIMP IsToolbarVisible(Toolbar id, VARIANT_BOOL* v) override {
    *v = visible[id];
    return S_OK;
  }
  STDMETHODIMP get_DocEditableMode(VARIANT_BOOL* v) override {
    *v = editable;
    return S_OK;
  }
  STDMETHODIMP put_DocEditableMode(VARIANT_BOOL v) override {
    editable = v;
    editableSet.push_back(v);
    return S_OK;
  }
};

class CMainDouble : public CDouble<MainStub> {
public:
  CPanelsDouble panels;
  CCaptionDouble caption;
  CKbdDouble kbd;
  CMessengerDouble messenger;
  CSettingsDouble settings;
  CWatcherDouble watcher;
  STDMETHODIMP GetMsgManager(IKivMessenger** m) override {
    *m = &messenger;
    return S_OK;
  }
  STDMETHODIMP GetCaptionbarManager(IKivCaptionBar** m) override {
    *m = &caption;
    return S_OK;
  }
  STDMETHODIMP GetSettingsManager(IKivSettingsManager** m) override {
    *m = &settings;
    return S_OK;
  }
  STDMETHODIMP GetCalculatorKernel(ICalculatorKernel** k) override {
    *k = &g_kernel;
    return S_OK;
  }
  STDMETHODIMP GetPanelsManager(IKivPanelsManager** m) override {
    *m = &panels;
    return S_OK;
  }
  STDMETHODIMP GetKbdManager(IKivKbdManager** m) override {
    *m = &kbd;
    return S_OK;
  }
  STDMETHODIMP GetClipboardWatcher(INumbrookClipboardWatcher** w) override {
    *w = &watcher;
    return S_OK;
  }
};
CMainDouble g_main;

// The shell's services besides INumbrookMain: the context menus and the export dialog.
struct PopupShown {
  UINT menu;
  POINT point;
  CWnd* wnd;
};
std::vector<PopupShown> g_popups;
bool g_exportAccepted = false;
ExportSettings g_exportChoice;


// ---- the frame ------------------------------------------------------------------------------

// Counts deletions of the expression pane.
class CProbeLeftView : public CLeftView {
  DECLARE_DYNCREATE(CProbeLeftView)
public:
  static int deleted;
  static bool refusePrinting;  // no printer: the preview cannot start
  ~CProbeLeftView() override { ++deleted; }
  BOOL OnPreparePrinting(CPrintInfo* pInfo) override { return !refusePrinting && CLeftView::OnPreparePrinting(pInfo); }
};
bool CProbeLeftView::refusePrinting = false;
int CProbeLeftView::deleted = 0;
IMPLEMENT_DYNCREATE(CProbeLeftView, CLeftView)


class CProbeCmdUI : public CCmdUI {
public:
  int checked = -1;
  int enabled = -1;
  void SetCheck(int nCheck) override { checked = nCheck; }
  void Enable(BOOL bOn) override { enabled = bOn ? 1 : 0; }
};

std::wstring Str(const CString& s) { return std::wstring((LPCWSTR)s, (size_t)s.GetLength()); }

class Panes : public ::testing::Test {
protected:
  static CPanesFrame* frame;
  static CLeftView* left;
  static CRightView* right;
  static std::unique_ptr<CCalculatorKernel> kernel;

  static void SetUpTestSuite() {
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    HMODULE resources = ::LoadLibraryW(L"BrookResx.dll");
    if (resources) AfxSetResourceHandle(resources);
    if (!::LoadLibraryW(L"BrookEdit.dll")) return;
    try {
      kernel.reset(new CCalculatorKernel);
    } catch (...) {
      return;
    }
    g_kernel.real = kernel.get();
    PaneShellServices services;
    services.GetCalculatorKernel = []() -> ICalculatorKernel* { return &g_kernel; };
    services.ShowPopupMenu = [](UINT menu, POINT point, CWnd* wnd) -> BOOL {
      g_popups.push_back({menu, point, wnd});
      return TRUE;
    };
    services.RunExportDialog = [](CWnd*, ExportSettings& settings) {
      if (g_exportAccepted) settings = g_exportChoice;
      return g_exportAccepted;
    };
    ::SetWindowsHookExW(WH_CBT, NoDialogs, nullptr, ::GetCurrentThreadId());
    SetPaneShellServices(services);
    CPanesFrame::s_pExpressionPane = RUNTIME_CLASS(CProbeLeftView);
    SetMainInterfaceSource([]() -> INumbrookMain* { return &g_main; });
    theApp.AddDocTemplate(new CSingleDocTemplate(200, RUNTIME_CLASS(CScintillaColorerDoc),
                                                 RUNTIME_CLASS(CPanesFrame), RUNTIME_CLASS(CProbeLeftView)));
    OpenFrame();
  }
  // The frame with both panes; made again when a test closed it.
  static void OpenFrame() {
    frame = CPanesFrame::OpenNew(left, right);
  }
  static void TearDownTestSuite() {
    SetMainInterfaceSource(nullptr);
  }

  void SetUp() override {
    ASSERT_NE(nullptr, kernel) << "is Evalkern registered?";
    if (frame == nullptr) OpenFrame();
    ASSERT_NE(nullptr, left);
    ASSERT_NE(nullptr, right);
    g_kernel.failure = Failure::None;
    g_kernel.onParse = nullptr;
    SetText(L"");
  }

  CScintillaWnd& Ed() { return *left->GetEditor(); }
  CScintillaWnd& Res() { return *right->GetEditor(); }
  std::wstring Results() { return Str(Res().GetText()); }

  // Runs the message loop until every requested calculation has been served.
  void ServeCalculations() {
    if (!PumpUntil([] { return left->GetPendingCalculations() == 0; }))
      ADD_FAILURE() << "calculations still pending: " << left->GetPendingCalculations();
  }
  void SetText(const wchar_t* text) {
    Ed().SetText(text);
    Ed().GotoPosition(Ed().GetLength());
    ServeCalculations();
  }
  // Posts the keystrokes of `text` ("\n" is the Enter key) to the expression editor.
  void PostKeys(const std::wstring& text) {
    for (wchar_t c : text) {
      if (c == L'\n') ::PostMessageW(Ed().m_hWnd, WM_KEYDOWN, VK_RETURN, 0);
      else ::PostMessageW(Ed().m_hWnd, WM_CHAR, c, 0);
    }
  }
  int Checked(CView* view, UINT id) {
    CProbeCmdUI ui;
    ui.m_nID = id;
    view->OnCmdMsg(id, (int)CN_UPDATE_COMMAND_UI, &ui, nullptr);
    return ui.checked;
  }
  void Command(CView* view, UINT id) { view->SendMessage(WM_COMMAND, id, 0); }
  int Zoom(CScintillaWnd& editor) { return (int)editor.SendMessage(SCI_GETZOOM); }
};
CPanesFrame* Panes::frame = nullptr;
CLeftView* Panes::left = nullptr;
CRightView* Panes::right = nullptr;
std::unique_ptr<CCalculatorKernel> Panes::kernel;

// ---- recalculation ----------------------------------------------------------------------------

TEST_F(Panes, TypingAWorksheetGivesItsResultsLineByLine) {
  PostKeys(L"1+2; 3*4\nx := 5\nx*2");
  ServeCalculations();
  EXPECT_EQ(L"1+2; 3*4\r\nx := 5\r\nx*2", Str(Ed().GetText()));
  EXPECT_EQ(L"3; 12\r\n5\r\n10", Results());
  EXPECT_EQ(0, left->GetPendingCalculations());
  // The results pane stays read-only with nothing to undo, and its arrow is on the caret line.
  EXPECT_NE(0, Res().SendMessage(SCI_GETREADONLY));
  EXPECT_FALSE(Res().SendMessage(SCI_CANUNDO));
  EXPECT_EQ(2, left->GetMarkedResultLine());
  EXPECT_TRUE(Res().HasMarker(2));
  EXPECT_FALSE(Res().HasMarker(0));
  // The caption bar shows the hint for the name before the caret.
  EXPECT_EQ(CaptionTypeInfo, g_main.caption.type);
  EXPECT_EQ(L"x=5", g_main.caption.text);
}

TEST_F(Panes, ManyFastKeystrokesEndWithTheResultsOfTheFinalText) {
  std::wstring keys;
  const wchar_t* pieces[] = {L"12+7", L"\n", L"y := 3*4", L"; y-1", L"\n", L"2^10", L"\n", L"(1+2)*(3+4)", L"\n"};
  for (int i = 0; keys.size() < 200; ++i) keys += pieces[i % 9];
  keys.resize(200);
  g_kernel.parses = 0;
  PostKeys(keys);
  ServeCalculations();
  const CString text = Ed().GetText();
  // Every keystroke arrived; Enter writes CR LF.
  EXPECT_EQ((int)(keys.size() + std::count(keys.begin(), keys.end(), L'\n')), text.GetLength());
  // Five rounds of the four lines, then the first two again and "2" of the cut-off "2^10".
  std::wstring expected;
  const wchar_t* results[] = {L"19", L"12; 11", L"1024", L"21"};
  for (int line = 0; line < 22; ++line) expected += std::wstring(results[line % 4]) + L"\r\n";
  expected += L"2";
  EXPECT_EQ(expected, Results());
  EXPECT_EQ(0, left->GetPendingCalculations());
}

// The results pane takes each answer by replacing what changed: whatever the edit, it ends up
// holding exactly the answer, and the rest of it (the caret there, say) is left alone.
TEST_F(Panes, EditsAnywhereGiveExactlyTheNewResults) {
  struct Step {
    const wchar_t* text;
    const wchar_t* results;
  } steps[] = {
      {L"1+1\r\n2+2\r\n3+3\r\n4+4", L"2\r\n4\r\n6\r\n8"},
      {L"1+1\r\n2+20\r\n3+3\r\n4+4", L"2\r\n22\r\n6\r\n8"},      // a line in the middle
      {L"1+1\r\n3+3\r\n4+4", L"2\r\n6\r\n8"},                     // a line removed
      {L"7\r\n1+1\r\n3+3\r\n4+4", L"7\r\n2\r\n6\r\n8"},         // a line at the start
      {L"7\r\n1+1\r\n3+3\r\n4+4\r\n", L"7\r\n2\r\n6\r\n8\r\n"}, // a line break at the end
      {L"7\r\n1+1\r\n3+3\r\n4+4\r\n\r\n", L"7\r\n2\r\n6\r\n8\r\n\r\n"},
      {L"7\r\n1+1\r\n3+3\r\n4+4", L"7\r\n2\r\n6\r\n8"},         // the line breaks taken away
      {L"7\r\n1+1\r\n3+3\r\n4+44", L"7\r\n2\r\n6\r\n48"},       // the last line
      {L"77", L"77"},
      {L"", L""},
  };
  for (const Step& step : steps) {
    SetText(step.text);
    EXPECT_EQ(step.results, Results()) << step.text;
    EXPECT_NE(0, Res().SendMessage(SCI_GETREADONLY));
    EXPECT_FALSE(Res().SendMessage(SCI_CANUNDO));
  }

  SetText(L"1+1\r\n2+2");
  Res().GotoPosition(1);
  Ed().GotoPosition(Ed().GetLength());
  ::PostMessageW(Ed().m_hWnd, WM_CHAR, L'2', 0);
  ServeCalculations();
  ASSERT_EQ(L"2\r\n24", Results());
  EXPECT_EQ(1, Res().GetCurrentPosition()) << "the unchanged first line kept the caret";
}

TEST_F(Panes, RequestsQueuedBehindEachOtherAreServedByOneCalculation) {
  SetText(L"1+1");
  ASSERT_EQ(L"2", Results());
  Ed().SetText(L"2*21\r\nz := 5; z+1");
  ServeCalculations();
  g_kernel.parses = 0;
  for (int i = 0; i < 3; ++i) left->RequestCalculation();
  EXPECT_EQ(3, left->GetPendingCalculations());
  ServeCalculations();
  EXPECT_EQ(1, g_kernel.parses);
  EXPECT_EQ(L"2*21\r\nz := 5; z+1", Str(g_kernel.lastText));
  EXPECT_EQ(L"42\r\n5; 6", Results());
  EXPECT_EQ(0, left->GetPendingCalculations());
}

// The program calculates what start-up queued before its window first shows: the queued requests
// are served at once by one calculation and leave nothing behind for the message loop.
TEST_F(Panes, QueuedRequestsServedAtOnceLeaveNothingQueued) {
  SetText(L"1+1");
  ASSERT_EQ(L"2", Results());
  g_kernel.parses = 0;
  EXPECT_FALSE(left->ServeQueuedCalculations()) << "nothing queued, nothing done";
  EXPECT_EQ(0, g_kernel.parses);

  Ed().SetText(L"6*7");
  for (int i = 0; i < 2; ++i) left->RequestCalculation();
  ASSERT_LT(0, left->GetPendingCalculations());
  EXPECT_TRUE(left->ServeQueuedCalculations());
  EXPECT_EQ(1, g_kernel.parses);
  EXPECT_EQ(L"42", Results()) << "shown at once, without the message loop";
  EXPECT_EQ(0, left->GetPendingCalculations());
  ASSERT_TRUE(PumpRoundTrip(left->m_hWnd));
  EXPECT_EQ(1, g_kernel.parses) << "the requests were taken off the queue";
}

TEST_F(Panes, AnAnswerOvertakenByANewerRequestIsNeverShown) {
  SetText(L"7");
  ASSERT_EQ(L"7", Results());
  Ed().GotoPosition(Ed().GetLength());
  std::vector<std::wstring> shownAtParse;
  g_kernel.onParse = [&](int) {
    shownAtParse.push_back(Results());
    // A keystroke arrives while the first calculation runs.
    if (shownAtParse.size() == 1) ::PostMessageW(Ed().m_hWnd, WM_CHAR, L'0', 0);
  };
  PostKeys(L"+1");
  ServeCalculations();
  g_kernel.onParse = nullptr;
  EXPECT_EQ(L"17", Results()) << "7+10";
  // No intermediate answer ("7+", "8") ever reached the pane before the last calculation.
  ASSERT_FALSE(shownAtParse.empty());
  for (auto& shown : shownAtParse) EXPECT_EQ(L"7", shown);
  EXPECT_EQ(0, left->GetPendingCalculations());
}

// A calculation that fails as a whole never leaves the results of an older text in the results
// pane: the failure's text takes their place; the expression pane is never touched.
TEST_F(Panes, AFailureInsideACalculationShowsTheFailureNotOlderResults) {
  const Failure failures[] = {Failure::ParseHResult, Failure::ParseThrows, Failure::SettingsHResult};
  for (Failure failure : failures) {
    SetText(L"1+2");
    ASSERT_EQ(L"3", Results());
    g_kernel.failure = failure;
    Ed().SetText(L"5*5");
    ServeCalculations();
    EXPECT_EQ(L"5*5", Str(Ed().GetText()));
    EXPECT_EQ(L"The calculation failed.", Results()) << (int)failure;
    EXPECT_NE(0, Res().SendMessage(SCI_GETREADONLY));
    EXPECT_EQ(0, left->GetPendingCalculations());
    // The program goes on: the next calculation is shown.
    g_kernel.failure = Failure::None;
    left->RequestCalculation();
    ServeCalculations();
    EXPECT_EQ(L"25", Results()) << (int)failure;
  }
}

// The kernel's own limit, told by the kernel and shown as it says it; a shorter worksheet brings
// the results back.
TEST_F(Panes, AWorksheetBeyondTheKernelsLimitShowsTheLimitsText) {
  std::wstring lines;
  for (int i = 0; i < 40000; ++i) lines += L"1\r\n";
  SetText(lines.c_str());
  EXPECT_EQ(L"The worksheet has too many lines to calculate (at most 32767)", Results());
  EXPECT_EQ(40001, Ed().GetLineCount()) << "the worksheet itself is untouched";
  SetText(L"6*7\r\n2^8");
  EXPECT_EQ(L"42\r\n256", Results());
}

TEST_F(Panes, TheDirectCalculationAtSetUpLeavesNoPendingRequest) {
  Ed().SetText(L"2*21");
  ServeCalculations();
  left->OnCalculate();
  EXPECT_EQ(0, left->GetPendingCalculations());
  EXPECT_EQ(L"42", Results());
}

// ---- focus ------------------------------------------------------------------------------------

TEST_F(Panes, FocusReturnsToTheExpressionPaneOnlyWhenItWasThere) {
  SetText(L"1");
  for (bool inExpressionPane : {true, false}) {
    CScintillaWnd& target = inExpressionPane ? Ed() : Res();
    target.SetFocus();
    ASSERT_EQ(target.m_hWnd, ::GetFocus());
    left->RequestCalculation();
    ServeCalculations();
    EXPECT_EQ(target.m_hWnd, ::GetFocus()) << (inExpressionPane ? "expression pane" : "results pane");
  }
}

// ---- synchronisation --------------------------------------------------------------------------

TEST_F(Panes, ZoomOfEitherPaneIsTakenExactlyByTheOther) {
  struct Step {
    bool fromLeft;
    UINT message;  // a control message, or a command when WPARAM is 0 and message is an id
    WPARAM value;
    int zoom;  // both panes afterwards
  } steps[] = {
      {true, SCI_SETZOOM, 0, 0},
      {true, ID_VIEW_ZOOM_IN, 0, 4},   // four steps in the expression pane
      {true, ID_VIEW_ZOOM_OUT, 0, 0},
      {true, SCI_SETZOOM, 6, 6},       // a jump of several steps at once
      {false, SCI_SETZOOM, (WPARAM)-3, -3},  // from the results pane
      {false, SCI_ZOOMIN, 1, -2},      // one wheel step in the results pane
      {true, SCI_SETZOOM, 0, 0},
  };
  for (auto& s : steps) {
    if (s.message == ID_VIEW_ZOOM_IN || s.message == ID_VIEW_ZOOM_OUT) Command(left, s.message);
    else (s.fromLeft ? Ed() : Res()).SendMessage(s.message, s.value, 0);
    EXPECT_EQ(s.zoom, Zoom(Ed())) << s.message << " " << (int)s.value;
    EXPECT_EQ(s.zoom, Zoom(Res())) << s.message << " " << (int)s.value;
    EXPECT_FALSE(left->IsZoomSyncInProgress());
    EXPECT_FALSE(right->IsZoomSyncInProgress());
  }
}

TEST_F(Panes, PanesScrollInStepFromEitherSide) {
  std::wstring text;
  for (int i = 0; i < 120; ++i) text += std::to_wstring(i) + L"\r\n";
  SetText(text.c_str());
  ASSERT_EQ(Res().GetLineCount(), Ed().GetLineCount());
  struct Step {
    bool fromResults;
    int first;
  };
  for (Step step : {Step{false, 50}, Step{false, 10}, Step{true, 70}, Step{true, 0}, Step{false, 30}}) {
    CScintillaWnd& scrolled = step.fromResults ? Res() : Ed();
    scrolled.LineScroll(0, step.first - scrolled.GetFirstVisibleLine());
    ServeCalculations();
    EXPECT_EQ(step.first, Ed().GetFirstVisibleLine()) << step.fromResults;
    EXPECT_EQ(step.first, Res().GetFirstVisibleLine()) << step.fromResults;
  }
  // A recalculation leaves them in step.
  left->RequestCalculation();
  ServeCalculations();
  EXPECT_EQ(30, Res().GetFirstVisibleLine());
  EXPECT_EQ(30, Ed().GetFirstVisibleLine());
}

TEST_F(Panes, TheArrowFollowsTheCaretLine) {
  SetText(L"1\r\n2\r\n3");
  for (int line : {0, 2, 1}) {
    Ed().GotoLine(line);
    ServeCalculations();
    EXPECT_EQ(line, left->GetMarkedResultLine());
    for (int i = 0; i < 3; ++i) EXPECT_EQ(i == line, (bool)Res().HasMarker(i)) << line << " " << i;
  }
}

// ---- commands and check marks -----------------------------------------------------------------

TEST_F(Panes, NotationAndAngleCommandsSetTheKernelAndTheirCheckMarks) {
  struct {
    UINT id;
    CalcResultFormat format;
  } notations[] = {{ID_RESULT_HEXADECIMAL, crfHex}, {ID_RESULT_BINARY, crfBin}, {ID_RESULT_OCTAL, crfOct},
                   {ID_RESULT_ROMAN, crfRoman}, {ID_RESULT_DECIMAL, crfDec}};
  struct {
    UINT id;
    CalcAngleFormat format;
  } angles[] = {{ID_ANGLE_DEGREES, cafDegrees}, {ID_ANGLE_GRADS, cafGrads}, {ID_ANGLE_RADIANS, cafRadians}};
  SetText(L"10");
  for (int round = 0; round < 2; ++round) {
    // The same commands sent to the results pane concern the expression pane.
    CView* target = round == 0 ? (CView*)left : (CView*)right;
    for (auto& n : notations) {
      Command(target, n.id);
      Command(target, n.id);  // the same choice twice still asks twice
      EXPECT_EQ(2, left->GetPendingCalculations());
      ServeCalculations();
      EXPECT_EQ(n.format, g_kernel.lastResult);
      EXPECT_EQ(n.format, left->GetResultFormat());
      for (auto& other : notations) {
        EXPECT_EQ(other.id == n.id ? 1 : 0, Checked(left, other.id)) << n.id << " " << other.id;
        EXPECT_EQ(other.id == n.id ? 1 : 0, Checked(right, other.id)) << n.id << " " << other.id;
      }
    }
    for (auto& a : angles) {
      Command(target, a.id);
      ServeCalculations();
      EXPECT_EQ(a.format, g_kernel.lastAngle);
      for (auto& other : angles) {
        EXPECT_EQ(other.id == a.id ? 1 : 0, Checked(left, other.id));
        EXPECT_EQ(other.id == a.id ? 1 : 0, Checked(right, other.id));
      }
    }
  }
  Command(left, ID_RESULT_HEXADECIMAL);
  ServeCalculations();
  EXPECT_EQ(L"0x0a", Results());
  Command(left, ID_RESULT_DECIMAL);
  ServeCalculations();
  EXPECT_EQ(L"10", Results());
}

TEST_F(Panes, BookmarkAndLineNumberCommandsWithTheirCheckMarks) {
  SetText(L"a\r\nb\r\nc\r\nd");
  Ed().GotoLine(1);
  EXPECT_EQ(0, Checked(left, ID_BOOKMARK_TOGGLE));
  Command(right, ID_BOOKMARK_TOGGLE);  // from the results pane: the expression pane's bookmark
  EXPECT_TRUE(Ed().HasMarker(1));
  EXPECT_EQ(1, Checked(left, ID_BOOKMARK_TOGGLE));
  EXPECT_EQ(1, Checked(right, ID_BOOKMARK_TOGGLE));
  Ed().GotoLine(3);
  Command(left, ID_BOOKMARK_TOGGLE);
  Ed().GotoLine(0);
  Command(left, ID_BOOKMARK_NEXT);
  EXPECT_EQ(1, Ed().GetCurrentLine());
  Command(left, ID_BOOKMARK_NEXT);
  EXPECT_EQ(3, Ed().GetCurrentLine());
  Command(right, ID_BOOKMARK_PREVIOUS);
  EXPECT_EQ(1, Ed().GetCurrentLine());
  Command(left, ID_BOOKMARK_TOGGLE);
  EXPECT_FALSE(Ed().HasMarker(1));
  Command(left, ID_BOOKMARK_CLEAR_ALL);
  EXPECT_FALSE(Ed().HasAnyMarker());

  const BOOL shown = Ed().IsLineNumbersShown();
  Command(left, ID_VIEW_LINE_NUMBERS);
  EXPECT_EQ(!shown, Ed().IsLineNumbersShown());
  EXPECT_EQ(shown ? 0 : 1, Checked(right, ID_VIEW_LINE_NUMBERS));
  Command(right, ID_VIEW_LINE_NUMBERS);
  EXPECT_EQ(shown, Ed().IsLineNumbersShown());
  EXPECT_EQ(shown ? 1 : 0, Checked(left, ID_VIEW_LINE_NUMBERS));
}

TEST_F(Panes, EditCommandsOfTheResultsPane) {
  SetText(L"1+1");
  PostKeys(L"0");
  ServeCalculations();
  ASSERT_EQ(L"1+10", Str(Ed().GetText()));
  // Undo from the results pane undoes the expression pane's last edit.
  CProbeCmdUI ui;
  ui.m_nID = ID_EDIT_UNDO;
  right->OnCmdMsg(ID_EDIT_UNDO, (int)CN_UPDATE_COMMAND_UI, &ui, nullptr);
  EXPECT_EQ(1, ui.enabled);
  Command(right, ID_EDIT_UNDO);
  ServeCalculations();
  EXPECT_EQ(L"1+1", Str(Ed().GetText()));
  EXPECT_EQ(L"2", Results());
  // Cut and paste are off in the results pane, and paste changes nothing there.
  for (UINT id : {(UINT)ID_EDIT_CUT, (UINT)ID_EDIT_PASTE}) {
    CProbeCmdUI probe;
    probe.m_nID = id;
    right->OnCmdMsg(id, (int)CN_UPDATE_COMMAND_UI, &probe, nullptr);
    EXPECT_EQ(0, probe.enabled) << id;
  }
  ASSERT_TRUE(SetClipboardText(L"999"));
  Command(right, ID_EDIT_PASTE);
  EXPECT_EQ(L"2", Results());
  // Select all selects the results pane's own text; copy puts it on the clipboard.
  Command(right, ID_EDIT_SELECT_ALL);
  EXPECT_EQ(0, Res().GetSelectionStart());
  EXPECT_EQ(1, Res().GetSelectionEnd());
  Command(right, ID_EDIT_COPY);
  EXPECT_EQ(CString(L"2"), GetClipboardText());
}

TEST_F(Panes, ExportWritesEachExpressionBesideItsResult) {
  SetText(L"1+2\r\nx := 4");
  wchar_t folder[MAX_PATH];
  ::GetTempPathW(MAX_PATH, folder);
  const std::wstring path = std::wstring(folder) + L"panes_export_test.txt";
  ::DeleteFileW(path.c_str());
  g_exportChoice = ExportSettings();
  g_exportChoice.HtmlFormat = 0;
  g_exportChoice.Separator = L" = ";
  g_exportChoice.FilePath = path.c_str();
  // Cancelled: nothing is written.
  g_exportAccepted = false;
  Command(left, ID_FILE_EXPORT);
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(path.c_str()));
  // From the results pane the command is the expression pane's.
  g_exportAccepted = true;
  Command(right, ID_FILE_EXPORT);
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, file);
  char bytes[256] = {};
  DWORD read = 0;
  ::ReadFile(file, bytes, sizeof(bytes) - 1, &read, nullptr);
  ::CloseHandle(file);
  ::DeleteFileW(path.c_str());
  EXPECT_EQ(std::string("1:\t1+2 = 3\r\n2:\tx := 4 = 4\r\n"), std::string(bytes, read));
  g_exportAccepted = false;
}

TEST_F(Panes, AClickShowsTheHintForTheNameAroundTheCaret) {
  CString none;
  none.LoadString(IDS_CARET_HINT_NONE);
  struct {
    const wchar_t* text;
    int caret;
    std::wstring hintStart;
  } table[] = {{L"sqrt(16)+1", 6, L"sqrt ( "}, {L"12+3", 2, Str(none)}, {L"w := 7\r\n2*w", 11, L"w=7"}};
  for (auto& t : table) {
    SetText(t.text);
    Ed().GotoPosition(t.caret);
    g_main.caption.text.clear();
    g_main.caption.type = CaptionTypeNone;
    SCNotification scn = {};
    scn.nmhdr.hwndFrom = Ed().m_hWnd;
    scn.nmhdr.code = SCN_CLICK;
    left->SendMessage(WM_NOTIFY, 0, (LPARAM)&scn);
    EXPECT_EQ(CaptionTypeInfo, g_main.caption.type);
    EXPECT_EQ(0u, g_main.caption.text.find(t.hintStart)) << g_main.caption.text;
  }
}

TEST_F(Panes, ContextMenusOfThePanes) {
  struct {
    CScintillaColorerView* view;
    UINT menu;
  } table[] = {{nullptr, IDR_EXPRESSION_PANE_MENU}, {nullptr, IDR_RESULTS_PANE_MENU}};
  table[0].view = left;
  table[1].view = right;
  for (auto& t : table) {
    g_popups.clear();
    SCNotification scn = {};
    scn.nmhdr.hwndFrom = t.view->GetEditor()->m_hWnd;
    scn.nmhdr.code = EDN_CONTEXTMENU;
    scn.x = 120;
    scn.y = 45;
    scn.wParam = 1;
    t.view->SendMessage(WM_NOTIFY, 0, (LPARAM)&scn);
    ASSERT_EQ(1u, g_popups.size());
    EXPECT_EQ(t.menu, g_popups[0].menu);
    EXPECT_EQ(120, g_popups[0].point.x);
    EXPECT_EQ(45, g_popups[0].point.y);
    EXPECT_EQ(t.view, g_popups[0].wnd);
    EXPECT_EQ(0u, scn.wParam) << "handled";
  }
}

TEST_F(Panes, PrintPreviewHidesTheBarsAndGivesThemBack) {
  CPanelsDouble& panels = g_main.panels;
  panels.visible[TbButtonsBar] = VARIANT_TRUE;
  panels.visible[TbCaptionBar] = VARIANT_FALSE;
  panels.editable = VARIANT_TRUE;
  panels.shown.clear();
  panels.editableSet.clear();
  Command(left, ID_FILE_PRINT_PREVIEW);
  ASSERT_NE(nullptr, DYNAMIC_DOWNCAST(CPreviewView, frame->GetActiveView())) << "the preview is up";
  using Shown = std::vector<std::pair<int, VARIANT_BOOL>>;
  EXPECT_EQ((Shown{{TbButtonsBar, VARIANT_FALSE}, {TbCaptionBar, VARIANT_FALSE}}), panels.shown);
  EXPECT_EQ(std::vector<VARIANT_BOOL>{VARIANT_FALSE}, panels.editableSet);
  panels.shown.clear();
  frame->SendMessage(WM_COMMAND, ID_PREVIEW_CLOSE, 0);
  EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CPreviewView, frame->GetActiveView()));
  EXPECT_EQ((Shown{{TbButtonsBar, VARIANT_TRUE}, {TbCaptionBar, VARIANT_FALSE}}), panels.shown);
  EXPECT_EQ((std::vector<VARIANT_BOOL>{VARIANT_FALSE, VARIANT_TRUE}), panels.editableSet);

  // The results pane previews itself and leaves the bars alone.
  panels.shown.clear();
  Command(right, ID_FILE_PRINT_PREVIEW);
  ASSERT_NE(nullptr, DYNAMIC_DOWNCAST(CPreviewView, frame->GetActiveView()));
  EXPECT_TRUE(panels.shown.empty());
  frame->SendMessage(WM_COMMAND, ID_PREVIEW_CLOSE, 0);
  EXPECT_TRUE(panels.shown.empty());

  // A preview whose print job cannot be prepared gives the bars back at once and adds no message
  // of its own: preparing the job told the user why.
  CProbeLeftView::refusePrinting = true;
  const int boxes = g_boxes;
  Command(left, ID_FILE_PRINT_PREVIEW);
  CProbeLeftView::refusePrinting = false;
  EXPECT_EQ(boxes, g_boxes);
  EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CPreviewView, frame->GetActiveView()));
  EXPECT_EQ((Shown{{TbButtonsBar, VARIANT_FALSE}, {TbCaptionBar, VARIANT_FALSE}, {TbButtonsBar, VARIANT_TRUE},
                   {TbCaptionBar, VARIANT_FALSE}}),
            panels.shown);
}

TEST_F(Panes, ThePreviewLaysItsToolbarOverTheDialogBarAndShowsThePageInTheStatusBar) {
  CUfxStatusBar status;
  ASSERT_TRUE(status.Create(frame));
  const UINT indicators[] = {ID_SEPARATOR};
  status.SetIndicators(indicators, 1);
  frame->RecalcLayout();
  std::wstring text;
  for (int i = 0; i < 150; ++i) text += L"1+" + std::to_wstring(i) + L"\r\n";
  SetText(text.c_str());

  Command(left, ID_FILE_PRINT_PREVIEW);
  auto* preview = DYNAMIC_DOWNCAST(CUfxPrintPreviewView, frame->GetActiveView());
  ASSERT_NE(nullptr, preview) << "the framework's preview is up";
  CWnd* dialogBar = frame->GetDlgItem(AFX_IDW_PREVIEW_BAR);
  ASSERT_NE(nullptr, dialogBar);
  auto* toolbar = DYNAMIC_DOWNCAST(CUfxToolBar, CWnd::FromHandlePermanent(::GetDlgItem(dialogBar->m_hWnd, AFX_IDW_TOOLBAR)));
  ASSERT_EQ(preview->GetToolBar(), toolbar);
  // The toolbar covers the dialog bar, which is exactly as high, across the frame.
  CRect bar, tool, client;
  dialogBar->GetWindowRect(&bar);
  toolbar->GetWindowRect(&tool);
  frame->GetClientRect(&client);
  EXPECT_TRUE(toolbar->IsWindowVisible());
  EXPECT_EQ(bar.TopLeft(), tool.TopLeft());
  EXPECT_EQ(bar.Height(), tool.Height());
  EXPECT_EQ(client.Width(), tool.Width());
  EXPECT_GT(tool.Height(), 0);
  // Nothing of the dialog bar shows beside it.
  for (HWND h = ::GetWindow(dialogBar->m_hWnd, GW_CHILD); h != nullptr; h = ::GetWindow(h, GW_HWNDNEXT))
    if (h != toolbar->m_hWnd) EXPECT_FALSE(::IsWindowVisible(h));
  ::CreateDirectoryA("screenshots", nullptr);
  frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  EXPECT_TRUE(SaveWindowPng(frame->m_hWnd, "screenshots/print_preview.png"));

  // Print shows its text beside its image, Close its text alone; the two-page button is gone.
  CUfxToolbarButton* print = toolbar->GetButton(toolbar->CommandToIndex(ID_PREVIEW_PRINT));
  CUfxToolbarButton* close = toolbar->GetButton(toolbar->CommandToIndex(ID_PREVIEW_CLOSE));
  ASSERT_NE(nullptr, print);
  ASSERT_NE(nullptr, close);
  EXPECT_TRUE(print->m_bText && print->m_bImage);
  EXPECT_EQ(L"Print", Str(print->m_strText));
  EXPECT_TRUE(close->m_bText && !close->m_bImage);
  EXPECT_EQ(L"Close", Str(close->m_strText));
  EXPECT_EQ(-1, toolbar->CommandToIndex(ID_UFX_PREVIEW_TWOPAGE));

  // The framework's status bar is no platform status bar: the page goes to its first pane.
  PumpUntil([] { return true; });
  EXPECT_EQ(0, Str(status.GetPaneText(0)).rfind(L"Page", 0)) << Str(status.GetPaneText(0));

  // The page-count button shows the layout its command switches to, and switches back.
  CUfxToolbarButton* pages = toolbar->GetButton(toolbar->CommandToIndex(ID_PREVIEW_NUMPAGE));
  ASSERT_NE(nullptr, pages);
  std::vector<int> images;
  for (int i = 0; i < 3; ++i) {
    if (i > 0) frame->SendMessage(WM_COMMAND, ID_PREVIEW_NUMPAGE, 0);
    toolbar->SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
    images.push_back(pages->GetImage());
  }
  EXPECT_NE(images[0], images[1]);
  EXPECT_EQ(images[0], images[2]);
  // One page is shown at first: the button offers two, with the two-page image (the strip's
  // image after the one-page one).
  EXPECT_EQ(images[1] + 1, images[0]);
  // Both are images of the toolbar's strip: the page-count button's and the two-page button's.
  EXPECT_EQ(1, std::abs(images[0] - images[1]));

  frame->SendMessage(WM_COMMAND, ID_PREVIEW_CLOSE, 0);
  EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CPreviewView, frame->GetActiveView()));
  EXPECT_EQ(nullptr, frame->GetDlgItem(AFX_IDW_PREVIEW_BAR));
  EXPECT_FALSE(::IsWindow(toolbar->m_hWnd));
  status.DestroyWindow();
  frame->RecalcLayout();
}

// ---- key filter -------------------------------------------------------------------------------

TEST_F(Panes, KeyFilterLeavesCtrlLettersToTheApplication) {
  struct {
    UINT message;
    WPARAM key;
    bool ctrl;
    VARIANT_BOOL translated;
    LONG answer;  // 0 swallows
  } table[] = {
      {WM_KEYDOWN, 'B', true, VARIANT_FALSE, 0},   // no accelerator bound: nothing happens
      {WM_KEYDOWN, 'L', true, VARIANT_FALSE, 1},   // Ctrl+L reaches the control
      {WM_KEYDOWN, '1', true, VARIANT_FALSE, 1},   // Ctrl with a digit too
      {WM_KEYDOWN, 'Z', true, VARIANT_FALSE, 0},
      {WM_KEYDOWN, VK_APPS, true, VARIANT_FALSE, 0},
      {WM_KEYDOWN, 'B', false, VARIANT_FALSE, 1},  // without Ctrl every key is the control's
      {WM_KEYDOWN, 'B', false, VARIANT_TRUE, 0},   // an accelerator ran
      {WM_KEYDOWN, 'L', true, VARIANT_TRUE, 0},
      {WM_CHAR, 'B', true, VARIANT_FALSE, 1},
  };
  BYTE keys[256];
  ::GetKeyboardState(keys);
  for (auto& t : table) {
    keys[VK_CONTROL] = t.ctrl ? 0x80 : 0;
    ::SetKeyboardState(keys);
    g_main.kbd.translate = t.translated;
    MSG msg = {Ed().m_hWnd, t.message, t.key, 0};
    EXPECT_EQ(t.answer, left->GetKeyFilter()->FilterMessage(&msg)) << (char)t.key << " ctrl " << t.ctrl;
    EXPECT_EQ(t.answer, right->GetKeyFilter()->FilterMessage(&msg)) << "results pane, " << (char)t.key;
  }
  keys[VK_CONTROL] = 0;
  ::SetKeyboardState(keys);
  g_main.kbd.translate = VARIANT_FALSE;
  EXPECT_EQ(left->GetKeyFilter(), Ed().GetKeyFilter());
  EXPECT_EQ(right->GetKeyFilter(), Res().GetKeyFilter());
}

// ---- paste and command insertion --------------------------------------------------------------

TEST_F(Panes, PasteReplacesTheSelectionWithoutTouchingTheClipboard) {
  SetText(L"1+100");
  Ed().SetSelectionStart(2);
  Ed().SetSelectionEnd(5);
  ASSERT_TRUE(SetClipboardText(L"2\x00A0*\x00A0" L"3"));
  Command(left, ID_EDIT_PASTE);
  ServeCalculations();
  EXPECT_EQ(L"1+2 * 3", Str(Ed().GetText()));
  EXPECT_EQ(7, Ed().GetCurrentPosition());
  EXPECT_EQ(L"7", Results());
  EXPECT_EQ(CString(L"2\x00A0*\x00A0" L"3"), GetClipboardText()) << "the replaced selection is not on the clipboard";
}

TEST_F(Panes, CommandsOfAPanelAreInsertedAtTheCaret) {
  struct {
    CalcObjectType type;
    const wchar_t* command;
    FnProcessing processing;
    const wchar_t* text;
    int selStart, selEnd;
    const wchar_t* after;
    int afterStart, afterEnd;
  } table[] = {
      // A function wraps the selection when the setting says so; it stays selected inside.
      {CotFunction, L"sqrt", FpInsert, L"1+16", 2, 4, L"1+sqrt(16)", 7, 9},
      // Otherwise the selection goes and the caret stands between the parentheses.
      {CotFunction, L"sqrt", FpReplace, L"1+16", 2, 4, L"1+sqrt()", 7, 7},
      // A selection over lines is never wrapped.
      {CotFunction, L"sqrt", FpInsert, L"1\r\n2", 0, 4, L"sqrt()", 5, 5},
      {CotConstant, L"pi", FpInsert, L"2*", 2, 2, L"2*pi", 4, 4},
      {CotOperator, L"mod", FpReplace, L"7  2", 2, 2, L"7 mod 2", 5, 5},
  };
  ICBMessengerEvents* sink = g_main.messenger.sink;
  ASSERT_NE(nullptr, sink);
  ASSERT_EQ(left->GetMessengerSink(), sink);
  for (auto& t : table) {
    SetText(t.text);
    Ed().SetSelectionStart(t.selStart);
    Ed().SetSelectionEnd(t.selEnd);
    ASSERT_TRUE(SetClipboardText(L"clip"));
    g_main.settings.processing = t.processing;
    g_main.caption.text.clear();
    CalcCommand command = {};
    command.CalcCommandType = t.type;
    _bstr_t text(t.command);
    command.CalcCommandText = text;
    EXPECT_EQ(S_OK, sink->OnCalcCommand(command));
    EXPECT_EQ(t.after, Str(Ed().GetText())) << t.after;
    EXPECT_EQ(t.afterStart, Ed().GetSelectionStart()) << t.after;
    EXPECT_EQ(t.afterEnd, Ed().GetSelectionEnd()) << t.after;
    EXPECT_EQ(CString(L"clip"), GetClipboardText());
    if (t.type == CotFunction) {
      EXPECT_EQ(0u, g_main.caption.text.find(L"sqrt ( ")) << g_main.caption.text;
    }
    ServeCalculations();
  }
}

// ---- colouring --------------------------------------------------------------------------------

TEST_F(Panes, NamesAreClassifiedByTheKernel) {
  SetText(L"v := 2");
  struct {
    const wchar_t* word;
    int style;
  } table[] = {{L"sin", 9}, {L"SIN", 9}, {L"v", 2}, {L"mod", 3}, {L"nowhere", 8}};
  for (auto& t : table) EXPECT_EQ(t.style, left->ClassifyWord(t.word)) << Str(t.word);
  CString pi(L"pi");
  EXPECT_EQ(1, left->ClassifyWord(pi));
}

TEST_F(Panes, OnlyTheVisibleLinesAreColoured) {
  std::wstring text;
  for (int i = 0; i < 200; ++i) text += L"sin(1)+1 // note\r\n";
  SetText(text.c_str());
  const int length = Ed().GetLength();
  Ed().StartStyling(0);
  Ed().SetStyling(length, 20);  // a style the lexer never gives
  Ed().LineScroll(0, 100 - Ed().GetFirstVisibleLine());
  left->SendMessage(WM_COLOUR_VISIBLE_LINES, 0, 0);
  auto styleAt = [&](int line, int column) {
    return (int)Ed().SendMessage(SCI_GETSTYLEAT, Ed().PositionFromLine(line) + column);
  };
  const int onScreen = Ed().LinesOnScreen();
  ASSERT_GT(onScreen, 0);
  for (int line : {100, 100 + onScreen - 1}) {
    EXPECT_EQ(9, styleAt(line, 0)) << line;    // sin
    EXPECT_EQ(5, styleAt(line, 3)) << line;    // (
    EXPECT_EQ(6, styleAt(line, 4)) << line;    // 1
    EXPECT_EQ(3, styleAt(line, 6)) << line;    // +
    EXPECT_EQ(7, styleAt(line, 10)) << line;   // comment
  }
  EXPECT_EQ(20, styleAt(10, 0));
  EXPECT_EQ(20, styleAt(190, 0));
}

// ---- code formatter ---------------------------------------------------------------------------

TEST_F(Panes, CodeFormatterReportsDefaultsAsAutomaticAndSetsBothPanes) {
  ICodeFormatter* formatter = left->GetCodeFormatter();
  const unsigned long automatic = (unsigned long)-1;
  struct {
    LexemeType type;
    int style;
    COLORREF defaultFore;
  } table[] = {{LexemeTypeOperator, 3, 0xFF0000}, {LexemeTypeFunction, 9, 0}, {LexemeTypeComment, 7, 0x008000},
               {LexemeTypeBracketsHilight, 34, 0}, {LexemeTypeString, 10, 0xFF00FF}};
  for (auto& t : table) {
    CharFormat set = {automatic, automatic, 1, 0, 0, UnderlineTypeSimple};
    EXPECT_EQ(S_OK, formatter->SetCharFormat(t.type, set));
    for (CScintillaWnd* editor : {&Ed(), &Res()}) {
      EXPECT_EQ(t.defaultFore, editor->GetStyleFore(t.style)) << t.type;
      EXPECT_EQ(editor->GetStyleBack(32), editor->GetStyleBack(t.style)) << t.type;
      EXPECT_TRUE(editor->GetStyleBold(t.style)) << t.type;
      EXPECT_TRUE(editor->GetStyleUnderline(t.style)) << t.type;
    }
    CharFormat got = {};
    EXPECT_EQ(S_OK, formatter->GetCharFormat(t.type, &got));
    EXPECT_EQ(automatic, got.CfBackColor) << t.type;
    EXPECT_EQ(automatic, got.CfForeColor) << t.type;
    EXPECT_EQ(1, got.CfBold);
    EXPECT_EQ(UnderlineTypeSimple, got.CfUnderline);

    CharFormat own = {0x123456, 0x00AA00, 0, 1, 1, UnderlineTypeWave};
    formatter->SetCharFormat(t.type, own);
    formatter->GetCharFormat(t.type, &got);
    EXPECT_EQ(0x123456u, got.CfBackColor);
    EXPECT_EQ(t.type == LexemeTypeBracketsHilight ? automatic : 0x00AA00u, got.CfForeColor) << t.type;
    EXPECT_EQ(1, got.CfItalic);
    EXPECT_EQ(0, got.CfStrikeout);
    // The editor draws every kind as a plain underline, but the pane keeps the kind chosen.
    EXPECT_EQ(UnderlineTypeWave, got.CfUnderline) << t.type;
    EXPECT_TRUE(Ed().GetStyleUnderline(t.style)) << t.type;
    formatter->SetCharFormat(t.type, CharFormat{automatic, automatic, 0, 0, 0, UnderlineTypeNone});
  }

  // The common format keeps every lexeme colour across a change of font and background.
  formatter->SetCharFormat(LexemeTypeVariable, CharFormat{automatic, 0x0000AA, 0, 0, 0, UnderlineTypeNone});
  CodeCommonFormat common = {};
  ASSERT_EQ(S_OK, formatter->GetCommonFormat(&common));
  EXPECT_EQ(Ed().GetStyleSize(32) * 20, common.CcfFontHeight);
  _bstr_t oldFont;
  oldFont.Attach(common.CcfFontName);
  CodeCommonFormat changed = {0x00F0F0F0, 14 * 20, 0, ::SysAllocString(L"Tahoma")};
  EXPECT_EQ(S_OK, formatter->SetCommonFormat(changed));
  ::SysFreeString(changed.CcfFontName);
  for (CScintillaWnd* editor : {&Ed(), &Res()}) {
    EXPECT_EQ(0x00F0F0F0u, editor->GetStyleBack(32));
    EXPECT_EQ(14, editor->GetStyleSize(32));
  }
  CharFormat variable = {};
  formatter->GetCharFormat(LexemeTypeVariable, &variable);
  EXPECT_EQ(0x0000AAu, variable.CfForeColor);
  EXPECT_EQ(automatic, variable.CfBackColor) << "follows the new default background";
  ASSERT_EQ(S_OK, formatter->GetCommonFormat(&common));
  EXPECT_EQ(0x00F0F0F0u, common.CcfBackColor);
  EXPECT_EQ(280, common.CcfFontHeight);
  EXPECT_EQ(1, common.CcfFontCharSet);
  ::SysFreeString(common.CcfFontName);
  // Back to the window colour, which reads as automatic.
  CodeCommonFormat restore = {automatic, 10 * 20, 0, oldFont};
  formatter->SetCommonFormat(restore);
  formatter->GetCommonFormat(&common);
  EXPECT_EQ(automatic, common.CcfBackColor);
  ::SysFreeString(common.CcfFontName);
}

TEST_F(Panes, FacesAnswerForTheExpressionPane) {
  struct {
    const IID* iid;
    void* expected;
  } table[] = {{&IID_IUnknown, left->GetCodeFormatter()},
               {&IID_ICodeFormatter, left->GetCodeFormatter()},
               {&IID_IEditorKeyFilter, left->GetKeyFilter()},
               {&IID_ICBMessengerEvents, nullptr}};
  for (IUnknown* face : {(IUnknown*)left->GetCodeFormatter(), (IUnknown*)left->GetKeyFilter(),
                         (IUnknown*)right->GetKeyFilter()}) {
    for (auto& t : table) {
      void* got = (void*)1;
      HRESULT hr = face->QueryInterface(*t.iid, &got);
      EXPECT_EQ(t.expected ? S_OK : E_NOINTERFACE, hr);
      EXPECT_EQ(t.expected, got);
    }
    void* parser = nullptr;
    EXPECT_EQ(S_OK, face->QueryInterface(IID_InternalMathCodeParser, &parser));
    EXPECT_NE(nullptr, parser);
  }
}

// ---- messenger --------------------------------------------------------------------------------

TEST_F(Panes, MessengerEvents) {
  ICBMessengerEvents* sink = g_main.messenger.sink;
  ASSERT_NE(nullptr, sink);
  // A keyboard action goes to the clipboard watcher.
  CalcAction action = {ApPopupTray, ::SysAllocString(L"= %r")};
  EXPECT_EQ(S_OK, sink->OnCalcAction(action, VARIANT_FALSE, VARIANT_FALSE, VARIANT_TRUE));
  EXPECT_EQ(L"= %r", g_main.watcher.format);
  EXPECT_EQ((unsigned long)ApPopupTray, g_main.watcher.params);
  g_main.watcher.answer = E_FAIL;
  EXPECT_EQ(S_FALSE, sink->OnCalcAction(action, VARIANT_FALSE, VARIANT_FALSE, VARIANT_FALSE));
  g_main.watcher.answer = S_OK;
  ::SysFreeString(action.Template);

  // The options sheet applied: settings saved, and the fonts page recolours the text.
  SetText(L"sin(1)");
  Ed().StartStyling(0);
  Ed().SetStyling(Ed().GetLength(), 20);
  const int saved = g_savedStates;
  EXPECT_EQ(S_OK, sink->OnAfterUpdate(CommonPage));
  EXPECT_EQ(saved + 1, g_savedStates);
  EXPECT_EQ(20, Ed().SendMessage(SCI_GETSTYLEAT, 0));
  EXPECT_EQ(S_OK, sink->OnAfterUpdate(FontsAndColorsPage));
  EXPECT_EQ(saved + 2, g_savedStates);
  EXPECT_EQ(9, Ed().SendMessage(SCI_GETSTYLEAT, 0));

  // Focus requests bring the focus into the expression editor.
  Res().SetFocus();
  EXPECT_EQ(S_OK, sink->OnMessage(WM_SETFOCUS, 0, 0));
  EXPECT_EQ(Ed().m_hWnd, ::GetFocus());
  EXPECT_EQ(S_OK, sink->OnCommand(1));
  EXPECT_EQ(S_OK, sink->OnBeforeUpdate());
  EXPECT_EQ(S_OK, sink->OnKbdModifier(VARIANT_TRUE, VARIANT_FALSE, VARIANT_FALSE));
}

// ---- closing ----------------------------------------------------------------------------------

// The frame goes away; the next test opens another.
TEST_F(Panes, ClosingTheWindowDuringACalculationWaitsForIt) {
  SetText(L"1+1");
  left->GetDocument()->SetModifiedFlag(FALSE);  // no question on closing
  HWND frameWnd = frame->m_hWnd;
  const int deleted = CProbeLeftView::deleted;
  // The user closes the window while the kernel works; the kernel's pump dispatches it.
  g_kernel.onParse = [&](int) { ::PostMessageW(frameWnd, WM_CLOSE, 0, 0); };
  bool closedDuringCalculation = false, paneAliveAfterCalculation = false;
  g_kernel.afterParse = [&]() {
    closedDuringCalculation = !::IsWindow(frameWnd);
    paneAliveAfterCalculation = CProbeLeftView::deleted == deleted;
  };
  left->RequestCalculation();
  PumpUntil([&] { return !::IsWindow(frameWnd); });
  g_kernel.onParse = nullptr;
  g_kernel.afterParse = nullptr;
  EXPECT_FALSE(::IsWindow(frameWnd));
  EXPECT_TRUE(closedDuringCalculation);
  EXPECT_TRUE(paneAliveAfterCalculation) << "the pane outlives its window until the calculation has returned";
  EXPECT_EQ(deleted + 1, CProbeLeftView::deleted) << "the pane is freed once the calculation has returned";
  EXPECT_EQ(L"1+1", Str(g_kernel.lastText));
  PumpPending();
  left = nullptr;
  right = nullptr;
  frame = nullptr;
}

}  // namespace
