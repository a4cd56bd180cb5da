// The clipboard picker end to end: a standard EDIT control of this process is the "other
// program"; the picker copies its selection with simulated keys, evaluates it through a small
// kernel double and pastes the answer back, shows it in the tray double or leaves it on the
// clipboard.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "CalculatorKernel.h"
#include "ClipboardPicker.h"
#include "ClipboardText.h"
#include "FwComSupport.h"
#include "MainInterface.h"
#include "WorkspaceTestKit.h"

namespace {

CString Res(UINT id) {
  CString s;
  s.LoadString(id);
  return s;
}

// ---- doubles of the kernel bridge and the shell ------------------------------------------------

class KernelDouble : public KernelStub {
public:
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    *ppv = nullptr;
    if (riid != IID_IUnknown && riid != IID_ICalculatorKernel) return E_NOINTERFACE;
    *ppv = static_cast<ICalculatorKernel*>(this);
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 1; }
  STDMETHODIMP_(ULONG) Release() override { return 0; }
  // Known expressions give 64-bit integers; anything else fails with a message.
  STDMETHODIMP ParseExpression(BSTR Expression, ParseExpResult* Result) override {
    static const std::map<std::wstring, long long> values = {
        {L"0x1F + 1", 32}, {L"1+2", 3}, {L"2*3", 6}, {L"1+1", 2}};
    std::wstring e = Expression ? Expression : L"";
    evaluated.push_back(e);
    ::VariantInit(&Result->Value);
    auto it = values.find(e);
    if (it != values.end()) {
      Result->Type = rtVariant;
      V_VT(&Result->Value) = VT_I8;
      V_I8(&Result->Value) = it->second;
    } else {
      Result->Type = rtError;
      V_VT(&Result->Value) = VT_BSTR;
      V_BSTR(&Result->Value) = ::SysAllocString((L"Unknown name: " + e).c_str());
    }
    return S_OK;
  }

  std::vector<std::wstring> evaluated;
};

struct Balloon {
  std::wstring msg, title;
  long timeout;
  MessageType type;
};

class TrayDouble : public IKivTray {
public:
  STDMETHODIMP QueryInterface(REFIID, void** ppv) override { *ppv = nullptr; return E_NOINTERFACE; }
  STDMETHODIMP_(ULONG) AddRef() override { return 1; }
  STDMETHODIMP_(ULONG) Release() override { return 0; }
  STDMETHODIMP MinimizeToTray() override { return S_OK; }
  STDMETHODIMP RestoreFromTray() override { return S_OK; }
  STDMETHODIMP IsMinimized(VARIANT_BOOL*) override { return E_NOTIMPL; }
  STDMETHODIMP ShowMessage(BSTR Msg, BSTR Title, long TimeoutMs, MessageType MsgType) override {
    balloons.push_back({Msg ? Msg : L"", Title ? Title : L"", TimeoutMs, MsgType});
    return S_OK;
  }
  STDMETHODIMP get_MinToTray(VARIANT_BOOL*) override { return E_NOTIMPL; }
  STDMETHODIMP put_MinToTray(VARIANT_BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP get_CloseToTray(VARIANT_BOOL*) override { return E_NOTIMPL; }
  STDMETHODIMP put_CloseToTray(VARIANT_BOOL) override { return E_NOTIMPL; }

  std::vector<Balloon> balloons;
};

class MainDouble : public MainStub {
public:
  STDMETHODIMP QueryInterface(REFIID, void** ppv) override { *ppv = nullptr; return E_NOINTERFACE; }
  STDMETHODIMP_(ULONG) AddRef() override { return 1; }
  STDMETHODIMP_(ULONG) Release() override { return 0; }
  STDMETHODIMP GetTrayManager(IKivTray** m) override { *m = &tray; return S_OK; }

  TrayDouble tray;
};

MainDouble g_main;
INumbrookMain* MainSource() { return &g_main; }

// Counts the copy keys (Ctrl+Insert) the EDIT control receives.
int g_copies = 0;
WNDPROC g_editProc = nullptr;
LRESULT CALLBACK CountingEditProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_KEYDOWN && w == VK_INSERT && ::GetKeyState(VK_CONTROL) < 0) ++g_copies;
  return ::CallWindowProcW(g_editProc, h, m, w, l);
}

// Clipboard changes that reached the picker window (sent or posted), counted by a hook.
int g_draws = 0;
HWND g_pickerWnd = nullptr;
HHOOK g_sentHook = nullptr, g_postedHook = nullptr;
LRESULT CALLBACK CountSentDraws(int code, WPARAM w, LPARAM l) {
  const CWPSTRUCT* m = reinterpret_cast<const CWPSTRUCT*>(l);
  if (code == HC_ACTION && m->message == WM_DRAWCLIPBOARD && m->hwnd == g_pickerWnd) ++g_draws;
  return ::CallNextHookEx(nullptr, code, w, l);
}
LRESULT CALLBACK CountPostedDraws(int code, WPARAM w, LPARAM l) {
  const MSG* m = reinterpret_cast<const MSG*>(l);
  if (code == HC_ACTION && w == PM_REMOVE && m->message == WM_DRAWCLIPBOARD && m->hwnd == g_pickerWnd) ++g_draws;
  return ::CallNextHookEx(nullptr, code, w, l);
}

// ---- the fixture: a host window with an EDIT control and the picker under it ---------------------

class PickerHost : public ::testing::Test {
protected:
  static void Open(ICalculatorKernel* kernel) {
    resx = ::LoadLibraryW(L"BrookResx.dll");
    AfxSetResourceHandle(resx);
    SetMainInterfaceSource(MainSource);
    host = new CWnd;
    host->CreateEx(0, AfxRegisterWndClass(0, nullptr, (HBRUSH)(COLOR_WINDOW + 1)), L"Other program",
                   WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 400, 200, nullptr, nullptr);
    edit = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL, 0, 0, 380, 150,
                             host->GetSafeHwnd(), (HMENU)1, ::GetModuleHandleW(nullptr), nullptr);
    g_editProc = (WNDPROC)::SetWindowLongPtrW(edit, GWLP_WNDPROC, (LONG_PTR)CountingEditProc);
    picker = new ClipboardPicker(kernel, host);
    g_pickerWnd = picker->GetSafeHwnd();
    g_sentHook = ::SetWindowsHookExW(WH_CALLWNDPROC, CountSentDraws, nullptr, ::GetCurrentThreadId());
    g_postedHook = ::SetWindowsHookExW(WH_GETMESSAGE, CountPostedDraws, nullptr, ::GetCurrentThreadId());
  }
  static void Close() {
    ::UnhookWindowsHookEx(g_sentHook);
    ::UnhookWindowsHookEx(g_postedHook);
    g_pickerWnd = nullptr;
    delete picker;
    picker = nullptr;
    ::DestroyWindow(edit);
    host->DestroyWindow();
    delete host;
    SetMainInterfaceSource(nullptr);
    AfxSetResourceHandle(nullptr);
    if (resx) ::FreeLibrary(resx);
  }
  void SetUp() override {
    ASSERT_NE(nullptr, resx) << "BrookResx.dll not found beside the test";
    ASSERT_NE(nullptr, picker->GetSafeHwnd());
    g_main.tray.balloons.clear();
    g_copies = 0;
  }

  // Puts `text` in the EDIT control with [selStart, selEnd) selected and the focus, the user's
  // own text on the clipboard, then presses the action and waits for the run to end.
  void RunAction(const wchar_t* text, const wchar_t* templ, ActionProcessing mode, int selStart = 0,
                 int selEnd = -1) {
    ASSERT_TRUE(SetClipboardText(L"user's clipboard"));
    ::SetWindowTextW(edit, text);
    ::SetForegroundWindow(host->GetSafeHwnd());
    ::SetFocus(edit);
    ::SendMessageW(edit, EM_SETSEL, selStart, selEnd);
    PumpPending();
    _bstr_t t(templ);
    ASSERT_EQ(S_OK, picker->GetWatcher()->HotKeyProcess(t, mode));
    WaitForRun();
  }
  // Until the run has its copy (or has given up waiting for it).
  static void WaitForRun() {
    EXPECT_TRUE(PumpUntil([] { return !picker->IsPending(); }, 10000)) << "the run never ended";
  }
  // Until the other program shows `text` (pasted answers arrive as keys after the run).
  static void WaitForEdit(const std::wstring& text) {
    PumpUntil([&] { return EditText() == text; }, 5000);
    EXPECT_EQ(text, EditText());
  }
  // Until the picker has seen `count` more clipboard changes than `before`.
  static void WaitForDraws(int before, int count) {
    EXPECT_TRUE(PumpUntil([&] { return g_draws >= before + count; }, 5000)) << "no clipboard change arrived";
  }

  static std::wstring EditText() {
    wchar_t buf[512] = {};
    ::GetWindowTextW(edit, buf, 511);
    return buf;
  }

  static HMODULE resx;
  static CWnd* host;
  static HWND edit;
  static ClipboardPicker* picker;
};
HMODULE PickerHost::resx = nullptr;
CWnd* PickerHost::host = nullptr;
HWND PickerHost::edit = nullptr;
ClipboardPicker* PickerHost::picker = nullptr;

class ClipboardPickerTest : public PickerHost {
protected:
  static void SetUpTestSuite() { Open(&kernel); }
  static void TearDownTestSuite() { Close(); }
  void SetUp() override {
    PickerHost::SetUp();
    kernel.evaluated.clear();
  }
  static KernelDouble kernel;
};
KernelDouble ClipboardPickerTest::kernel;

TEST_F(ClipboardPickerTest, WatcherFaceAndStartState) {
  INumbrookClipboardWatcher* w = picker->GetWatcher();
  void* p = nullptr;
  EXPECT_EQ(S_OK, w->QueryInterface(IID_INumbrookClipboardWatcher, &p));
  EXPECT_EQ(w, p);
  EXPECT_EQ(S_OK, w->QueryInterface(IID_IUnknown, &p));
  EXPECT_EQ(E_NOINTERFACE, w->QueryInterface(IID_ICalculatorKernel, &p));
  EXPECT_EQ(nullptr, p);
  EXPECT_TRUE(picker->IsInChain());
  EXPECT_EQ((int)ClipboardPicker::WindowId, ::GetDlgCtrlID(picker->GetSafeHwnd()));
  EXPECT_EQ(host->GetSafeHwnd(), ::GetParent(picker->GetSafeHwnd()));
  EXPECT_FALSE(::IsWindowVisible(picker->GetSafeHwnd()));
}

// Each mode with each kind of outcome: what the other program, the clipboard and the tray see.
TEST_F(ClipboardPickerTest, ModesAndTemplates) {
  const std::wstring single = Res(2016).str(), nothing = Res(2037).str();
  struct Case {
    const wchar_t* selection;
    const wchar_t* templ;
    ActionProcessing mode;
    std::wstring editAfter, clipboardAfter;
    std::wstring balloon, balloonTitle;  // empty: no balloon
    MessageType balloonType;
  } cases[] = {
      {L"0x1F + 1", L"%s = %d", ApReplace, L"0x1F + 1 = 32", L"0x1F + 1 = 32", L"", L"", MsgNone},
      {L"0x1F + 1", L"%s = %h", ApCopyToClipboard, L"0x1F + 1", L"0x1F + 1 = 0x20", L"", L"", MsgNone},
      {L"0x1F + 1", L"%r", ApPopupTray, L"0x1F + 1", L"0rXXXII", L"0rXXXII", Res(229).str(), MsgInfo},
      {L"2*3", L"%s = %d, %e[1+1]%%%x", ApCopyToClipboard, L"2*3", L"2*3 = 6, 2%", L"", L"", MsgNone},
      // A trailing ";" and line break are not part of the expression.
      {L"1+2;\r\n", L"%s = %d", ApReplace, L"1+2 = 3", L"1+2 = 3", L"", L"", MsgNone},
      // More than one expression: the message is the answer (pasted only when replacing).
      {L"1;2", L"%s = %d", ApReplace, single, single, L"", L"", MsgNone},
      {L"1;2", L"%s = %d", ApPopupTray, L"1;2", L"1;2", single, Res(2017).str(), MsgWarning},
      // An evaluation error: its text is the answer, shown as a warning.
      {L"oops", L"%s = %d", ApPopupTray, L"oops", L"Unknown name: oops", L"Unknown name: oops", Res(2017).str(),
       MsgWarning},
      {L"2*3", L"%e[oops]", ApCopyToClipboard, L"2*3", L"Unknown name: oops", L"", L"", MsgNone},
      // Nothing but separators copied: a tray warning even when replacing, nothing pasted.
      {L";", L"%s = %d", ApReplace, L";", nothing, nothing, Res(2038).str(), MsgWarning},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.selection)) + " " +
                 testing::PrintToString(std::wstring(c.templ)) + " mode " + std::to_string(c.mode));
    g_main.tray.balloons.clear();
    RunAction(c.selection, c.templ, c.mode);
    WaitForEdit(c.editAfter);
    EXPECT_EQ(1, g_copies);
    g_copies = 0;
    EXPECT_EQ(c.clipboardAfter, GetClipboardText().str());
    if (c.balloon.empty()) {
      EXPECT_TRUE(g_main.tray.balloons.empty());
    } else {
      ASSERT_EQ(1u, g_main.tray.balloons.size());
      const Balloon& b = g_main.tray.balloons[0];
      EXPECT_EQ(c.balloon, b.msg);
      EXPECT_EQ(c.balloonTitle, b.title);
      EXPECT_EQ(c.balloonType, b.type);
      EXPECT_EQ(0, b.timeout);
    }
  }
}

TEST_F(ClipboardPickerTest, ReplacesOnlyTheSelection) {
  RunAction(L"x = 1+2 here", L"%d", ApReplace, 4, 7);
  WaitForEdit(L"x = 3 here");
}

// With nothing selected the other program copies nothing: after the wait the user is told, and
// the clipboard keeps what the user had put there.
TEST_F(ClipboardPickerTest, NoCopyLeavesTheClipboardAlone) {
  RunAction(L"abc", L"%s = %d", ApReplace, 1, 1);
  EXPECT_EQ(1, g_copies);  // the copy key arrived, but there was nothing to copy
  EXPECT_EQ(L"user's clipboard", GetClipboardText().str());
  EXPECT_EQ(L"abc", EditText());
  ASSERT_EQ(1u, g_main.tray.balloons.size());
  EXPECT_EQ(Res(2037).str(), g_main.tray.balloons[0].msg);
  EXPECT_EQ(Res(2038).str(), g_main.tray.balloons[0].title);
  EXPECT_EQ(MsgWarning, g_main.tray.balloons[0].type);
  EXPECT_TRUE(kernel.evaluated.empty());
  EXPECT_TRUE(picker->IsInChain());

  // A later copy of the user's own is not taken for the run's.
  const int draws = g_draws;
  ASSERT_TRUE(SetClipboardText(L"1+2"));
  WaitForDraws(draws, 1);
  EXPECT_TRUE(kernel.evaluated.empty());
  EXPECT_EQ(L"1+2", GetClipboardText().str());
}

// A second press while the first run waits starts nothing, but its template and mode apply.
TEST_F(ClipboardPickerTest, SecondPressDuringARunOnlyChangesTheAnswer) {
  ASSERT_TRUE(SetClipboardText(L"user's clipboard"));
  ::SetWindowTextW(edit, L"0x1F + 1");
  ::SetForegroundWindow(host->GetSafeHwnd());
  ::SetFocus(edit);
  ::SendMessageW(edit, EM_SETSEL, 0, -1);
  _bstr_t first(L"%s = %d"), second(L"%h");
  picker->GetWatcher()->HotKeyProcess(first, ApReplace);
  picker->GetWatcher()->HotKeyProcess(second, ApCopyToClipboard);
  EXPECT_EQ(L"%h", picker->GetAnswerTemplate().str());
  EXPECT_EQ(ApCopyToClipboard, picker->GetProcessing());
  WaitForRun();
  EXPECT_EQ(1, g_copies);
  EXPECT_EQ(L"0x20", GetClipboardText().str());
  EXPECT_EQ(L"0x1F + 1", EditText());
  EXPECT_EQ(1u, kernel.evaluated.size());
}

// A run still waiting (here for the Shift key to be released) blocks a new one for two whole
// seconds of the picker's clock; a later press starts a new run, and the copy is answered once.
TEST_F(ClipboardPickerTest, StaleRunGivesWayAfterTwoSeconds) {
  static time_t now = 1000000;
  picker->SetClock([] { return now; });
  ASSERT_TRUE(SetClipboardText(L"user's clipboard"));
  ::SetWindowTextW(edit, L"2*3");
  ::SetForegroundWindow(host->GetSafeHwnd());
  ::SetFocus(edit);
  ::SendMessageW(edit, EM_SETSEL, 0, -1);
  ::keybd_event(VK_SHIFT, 0, 0, 0);
  PumpUntil([] { return ::GetAsyncKeyState(VK_SHIFT) < 0; }, 5000);
  _bstr_t t(L"%d");
  const LPARAM runs = picker->GetRunCount();
  picker->GetWatcher()->HotKeyProcess(t, ApPopupTray);
  EXPECT_EQ(runs + 1, picker->GetRunCount());
  EXPECT_TRUE(picker->IsPending());
  now += ClipboardPicker::StaleRunSeconds;  // not more than two seconds: dropped
  picker->GetWatcher()->HotKeyProcess(t, ApPopupTray);
  EXPECT_EQ(runs + 1, picker->GetRunCount());
  now += 1;  // the first run is stale now
  picker->GetWatcher()->HotKeyProcess(t, ApPopupTray);
  EXPECT_EQ(runs + 2, picker->GetRunCount());
  EXPECT_EQ(0, g_copies) << "the workers wait for the key";
  ::keybd_event(VK_SHIFT, 0, KEYEVENTF_KEYUP, 0);
  WaitForRun();
  // Both workers press the copy keys; their presses can interleave (one worker's Ctrl released
  // before the other's Insert), so at least one copy arrives. Whichever comes first is answered,
  // a second one is the user's business.
  EXPECT_TRUE(PumpUntil([] { return g_copies >= 1 && !g_main.tray.balloons.empty(); }, 10000));
  EXPECT_EQ(std::vector<std::wstring>{L"2*3"}, kernel.evaluated);
  ASSERT_EQ(1u, g_main.tray.balloons.size());
  EXPECT_EQ(L"6", g_main.tray.balloons[0].msg);
  picker->SetClock(nullptr);
}

// Clipboard changes that no run asked for go to the next viewer and are not evaluated.
TEST_F(ClipboardPickerTest, PassesChangesAlongTheViewerChain) {
  static int drawn = 0;
  static HWND nextOfViewer = nullptr;
  struct Viewer {
    static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
      if (m == WM_DRAWCLIPBOARD) {
        ++drawn;
        if (nextOfViewer) ::SendMessageW(nextOfViewer, m, w, l);
        return 0;
      }
      if (m == WM_CHANGECBCHAIN) {
        if ((HWND)w == nextOfViewer) nextOfViewer = (HWND)l;
        else if (nextOfViewer) ::SendMessageW(nextOfViewer, m, w, l);
        return 0;
      }
      return ::DefWindowProcW(h, m, w, l);
    }
  };
  WNDCLASSW wc = {};
  wc.lpfnWndProc = Viewer::Proc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = L"PickerTestViewer";
  ::RegisterClassW(&wc);
  HWND viewer = ::CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr, wc.hInstance,
                                  nullptr);
  ASSERT_NE(nullptr, viewer);
  nextOfViewer = ::SetClipboardViewer(viewer);

  {
    // A second picker joins after the viewer and rejoins twice: it stays one link of the chain.
    ClipboardPicker second(&kernel, host);
    ::SendMessageW(second.GetSafeHwnd(), ClipboardPicker::DrawingMessage, ClipboardPicker::RejoinChain, 0);
    ::SendMessageW(second.GetSafeHwnd(), ClipboardPicker::DrawingMessage, ClipboardPicker::RejoinChain, 0);
    PumpPending();
    drawn = 0;
    ASSERT_TRUE(SetClipboardText(L"2*3"));
    EXPECT_TRUE(PumpUntil([] { return drawn >= 1; }, 5000));
    EXPECT_TRUE(kernel.evaluated.empty());
  }
  // The second picker has left; the chain still reaches the viewer and ends.
  PumpPending();
  drawn = 0;
  ASSERT_TRUE(SetClipboardText(L"1+1"));
  EXPECT_TRUE(PumpUntil([] { return drawn >= 1; }, 5000));
  ::ChangeClipboardChain(viewer, nextOfViewer);
  ::DestroyWindow(viewer);
  EXPECT_TRUE(kernel.evaluated.empty());
  EXPECT_TRUE(g_main.tray.balloons.empty());
}

// Text on the clipboard comes back exactly, also where the ANSI code page has no letters for it.
TEST(ClipboardText, RoundTrip) {
  for (const wchar_t* text : {L"1+2 = 3", L"\u03c0 \u2248 3.14159", L"", L"a\r\nb"}) {
    ASSERT_TRUE(SetClipboardText(text));
    EXPECT_EQ(std::wstring(text), GetClipboardText().str());
  }
}

// ---- through the kernel bridge and the registered kernel ---------------------------------------

class ClipboardPickerWithKernel : public PickerHost {
protected:
  static void SetUpTestSuite() {
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ::LoadLibraryW(L"BrookResx.dll");  // the bridge's own texts
    bridge = new CCalculatorKernel;
    Open(bridge);
  }
  static void TearDownTestSuite() {
    Close();
    delete bridge;
    ::CoUninitialize();
  }
  static CCalculatorKernel* bridge;
};
CCalculatorKernel* ClipboardPickerWithKernel::bridge = nullptr;

TEST_F(ClipboardPickerWithKernel, EvaluatesAndReportsErrors) {
  RunAction(L"0x1F + 1", L"%s = %d", ApReplace);
  WaitForEdit(L"0x1F + 1 = 32");

  RunAction(L"200000 + 7", L"%r / %e[5*5]", ApCopyToClipboard);
  EXPECT_EQ(L"200007 / 25", GetClipboardText().str());  // too large for Roman letters

  // The kernel reports the error of a statement and clears its flag again: the picker still
  // sees that its evaluation failed and answers with the error text alone.
  RunAction(L"1 +* 2", L"%s = %d", ApPopupTray);
  std::wstring error = GetClipboardText().str();
  EXPECT_EQ(std::wstring::npos, error.find(L"1 +* 2 = ")) << testing::PrintToString(error);
  EXPECT_FALSE(error.empty());
  ASSERT_EQ(1u, g_main.tray.balloons.size());
  EXPECT_EQ(error, g_main.tray.balloons[0].msg);
  EXPECT_EQ(Res(2017).str(), g_main.tray.balloons[0].title);
  EXPECT_EQ(MsgWarning, g_main.tray.balloons[0].type);

  g_main.tray.balloons.clear();
  RunAction(L"2", L"%s = %e[nosuchname + 1]", ApCopyToClipboard);
  std::wstring subError = GetClipboardText().str();
  EXPECT_EQ(std::wstring::npos, subError.find(L"2 = ")) << testing::PrintToString(subError);
  EXPECT_TRUE(g_main.tray.balloons.empty());
}

// A run whose copy arrives while the worksheet is being calculated is answered once the
// calculation has ended (the kernel takes one calculation at a time).
TEST_F(ClipboardPickerWithKernel, CopyArrivingDuringACalculationIsAnsweredAfterIt) {
  std::wstring sheet;
  for (int i = 0; i < 20000; ++i) sheet += L"x := 1+2*3\n";
  _bstr_t text(sheet.c_str());

  ASSERT_TRUE(SetClipboardText(L"user's clipboard"));
  ::SetWindowTextW(edit, L"1+2");
  ::SetForegroundWindow(host->GetSafeHwnd());
  ::SetFocus(edit);
  ::SendMessageW(edit, EM_SETSEL, 0, -1);
  _bstr_t t(L"%s = %d");
  picker->GetWatcher()->HotKeyProcess(t, ApCopyToClipboard);
  // The calculation (over half a second) pumps messages: the copy keys arrive meanwhile.
  ParseExpResult result;
  ASSERT_EQ(S_OK, bridge->ParseExpression(text, &result));
  ::VariantClear(&result.Value);
  WaitForRun();
  EXPECT_EQ(1, g_copies);
  EXPECT_EQ(L"1+2 = 3", GetClipboardText().str());
}

}  // namespace
