#include "ClipboardPicker.h"

#include "FwComSupport.h"

#include "CalculatorKernel.h"
#include "ClipboardText.h"
#include "MainInterface.h"

using numbrook::Evaluation;

namespace {

// Resource strings of the picker.
constexpr UINT IDS_RESULT = 229;
constexpr UINT IDS_SINGLE_EXPRESSION_ONLY = 2016;
constexpr UINT IDS_CALCULATION_ERROR = 2017;
constexpr UINT IDS_UNEXPECTED_FAILURE = 2018;
constexpr UINT IDS_CALCULATION_FAILED = 2031;
constexpr UINT IDS_NOTHING_COPIED = 2037;
constexpr UINT IDS_NOTHING_COPIED_TITLE = 2038;

CString ResourceString(UINT id) {
  CString text;
  text.LoadString(id);
  return text;
}

// The kernel bridge is in the middle of a calculation further up the stack; it posts the
// message being handled again once the calculation has ended.
struct EvaluationDeferred {};

struct RunParams {
  HWND picker;
  LPARAM run;
};

void KeyEvent(BYTE key, BYTE scan, DWORD flags) { ::keybd_event(key, scan, flags, 0); }

bool AnyModifierDown() {
  // The physical state: the worker thread has no input state of its own to ask.
  for (int key : {VK_SCROLL, VK_MENU, VK_CONTROL, VK_SHIFT})
    if (::GetAsyncKeyState(key) < 0) return true;
  return false;
}

// Worker thread of a run: lets the user release the action's keys, makes the foreground
// program copy its selection and, when no copy has arrived after a while, tells the picker.
// It touches no picker data, only the picker's window.
DWORD WINAPI SimulateCopy(void* parameter) {
  RunParams params = *static_cast<RunParams*>(parameter);
  delete static_cast<RunParams*>(parameter);

  bool altWasDown = ::GetAsyncKeyState(VK_MENU) < 0;
  bool down;
  do {
    down = AnyModifierDown();
    ::Sleep(50);
  } while (down);
  if (altWasDown) {
    // A lone Alt press and release would open the foreground program's menu; another one
    // cancels it.
    KeyEvent(VK_MENU, 0, 0);
    KeyEvent(VK_MENU, 0, KEYEVENTF_KEYUP);
  }
  KeyEvent(VK_CONTROL, 0x1D, 0);
  KeyEvent(VK_INSERT, 0x52, KEYEVENTF_EXTENDEDKEY);
  KeyEvent(VK_INSERT, 0x52, KEYEVENTF_EXTENDEDKEY | KEYEVENTF_KEYUP);
  KeyEvent(VK_CONTROL, 0x1D, KEYEVENTF_KEYUP);

  ::Sleep(ClipboardPicker::CopyWaitMs);
  if (::SendMessageW(params.picker, ClipboardPicker::DrawingMessage, ClipboardPicker::IsRunPending, params.run) != 0)
    ::PostMessageW(params.picker, ClipboardPicker::DrawingMessage, ClipboardPicker::NoCopyArrived, params.run);
  return 0;
}

}  // namespace

const UINT ClipboardPicker::DrawingMessage = ::RegisterWindowMessageW(L"BROOK_DO_INITIALIZE_CLIPBOAD_DRAWING");

BEGIN_MESSAGE_MAP(ClipboardPicker, CWnd)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_DRAWCLIPBOARD()
  ON_WM_CHANGECBCHAIN()
  ON_REGISTERED_MESSAGE(ClipboardPicker::DrawingMessage, OnDrawingRequest)
END_MESSAGE_MAP()

ClipboardPicker::ClipboardPicker(ICalculatorKernel* kernel, CWnd* parent)
    : m_lastStart(SystemTime()), m_kernel(kernel) {
  if (parent == nullptr) parent = AfxGetMainWnd();
  HWND hWndParent = parent != nullptr ? parent->GetSafeHwnd() : nullptr;
  // Without a main window (a program without a shell) the picker lives as a message-only window.
  if (hWndParent == nullptr) hWndParent = HWND_MESSAGE;
  if (!CreateEx(0, AfxRegisterWndClass(0), L"ClipboardPicker", WS_CHILD, 0, 0, 100, 100, hWndParent,
                (HMENU)(UINT_PTR)m_windowId))
    AfxThrowResourceException();
}

ClipboardPicker::~ClipboardPicker() {
  // Here, while the picker's handlers still answer, so that it leaves the viewer chain.
  if (m_hWnd != nullptr) DestroyWindow();
}

// ---- the watcher face ----------------------------------------------------------------------

STDMETHODIMP ClipboardPicker::WatcherFace::QueryInterface(REFIID riid, void** ppv) {
  if (ppv == nullptr) return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_INumbrookClipboardWatcher) {
    *ppv = static_cast<INumbrookClipboardWatcher*>(this);
    AddRef();
    return S_OK;
  }
  *ppv = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP ClipboardPicker::WatcherFace::HotKeyProcess(BSTR Format, unsigned long dwParams) {
  ActionProcessing mode = dwParams <= ApCopyToClipboard ? (ActionProcessing)dwParams : ApCopyToClipboard;
  try {
    m_owner->HotKeyProcess(Format, mode);
  } catch (...) {
    // Nothing to report to the caller: a run that cannot start is the same as none.
  }
  return S_OK;
}

// ---- runs -----------------------------------------------------------------------------------

void ClipboardPicker::HotKeyProcess(LPCWSTR answerTemplate, ActionProcessing mode) {
  m_processing = mode;
  // An empty template would paste nothing over the user's selection.
  m_answerTemplate = answerTemplate != nullptr && *answerTemplate != L'\0' ? answerTemplate : L"%s = %d";

  time_t now = m_clock();
  if (now - m_lastStart > StaleRunSeconds) m_pending = 0;
  if (m_pending == 0) StartRun();
}

void ClipboardPicker::StartRun() {
  m_pending = 1;
  m_lastStart = m_clock();
  ++m_run;
  auto* params = new RunParams{m_hWnd, m_run};
  HANDLE thread = ::CreateThread(nullptr, 0, SimulateCopy, params, 0, nullptr);
  if (thread == nullptr) {
    SimulateCopy(params);
    return;
  }
  ::SetThreadPriority(thread, THREAD_PRIORITY_HIGHEST);
  ::CloseHandle(thread);
}

LRESULT ClipboardPicker::OnDrawingRequest(WPARAM wParam, LPARAM lParam) {
  switch (wParam) {
    case IsRunPending:
      return m_pending != 0 && lParam == m_run;
    case EvaluateLater:
      ProcessCopiedText();
      return 0;
    case NoCopyArrived:
      // The clipboard still holds what the user put there; it is not touched.
      if (m_pending != 0 && lParam == m_run) {
        m_pending = 0;
        ShowTrayMessage(ResourceString(IDS_NOTHING_COPIED), ResourceString(IDS_NOTHING_COPIED_TITLE), MsgWarning);
      }
      RejoinClipboardChain();
      return 0;
    default:
      RejoinClipboardChain();
      return 0;
  }
}

// ---- the clipboard-viewer chain ---------------------------------------------------------------

void ClipboardPicker::RejoinClipboardChain() {
  if (m_inChain) ::ChangeClipboardChain(m_hWnd, m_hWndNextViewer);
  HWND next = ::SetClipboardViewer(m_hWnd);
  // Never our own successor: messages passed on to it would come straight back.
  m_hWndNextViewer = next != m_hWnd ? next : nullptr;
  m_inChain = 1;
}

int ClipboardPicker::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CWnd::OnCreate(lpCreateStruct) == -1) return -1;
  OnDrawingRequest(RejoinChain, 0);
  return 0;
}

void ClipboardPicker::OnDestroy() {
  if (m_inChain) {
    ::ChangeClipboardChain(m_hWnd, m_hWndNextViewer);
    m_inChain = 0;
    m_hWndNextViewer = nullptr;
  }
  CWnd::OnDestroy();
}

void ClipboardPicker::OnChangeCbChain(HWND hWndRemove, HWND hWndAfter) {
  if (!m_inChain) return;
  Default();
  if (hWndRemove == m_hWndNextViewer)
    m_hWndNextViewer = hWndAfter != m_hWnd ? hWndAfter : nullptr;
  else if (m_hWndNextViewer != nullptr && m_hWndNextViewer != m_hWnd)
    ::SendMessageW(m_hWndNextViewer, WM_CHANGECBCHAIN, (WPARAM)hWndRemove, (LPARAM)hWndAfter);
}

void ClipboardPicker::OnDrawClipboard() {
  if (!m_inChain) return;
  Default();
  if (::IsWindow(m_hWndNextViewer) && m_hWndNextViewer != m_hWnd)
    ::PostMessageW(m_hWndNextViewer, WM_DRAWCLIPBOARD, 0, 0);
  // Only the copy of a run is evaluated; the user's own copies are none of the picker's business.
  if (m_pending == 0) return;
  m_pending = 0;
  if (KernelIsBusy())
    PostMessage(DrawingMessage, EvaluateLater, 0);
  else
    ProcessCopiedText();
}

// ---- evaluation and delivery ------------------------------------------------------------------

bool ClipboardPicker::KernelIsBusy() const {
  CCalculatorKernel* bridge = CCalculatorKernel::FromInterface(m_kernel.Get());
  return bridge != nullptr && bridge->IsBusy();
}

Evaluation ClipboardPicker::Evaluate(const std::wstring& expression) {
  if (!m_kernel) throw CalculatorKernel::Exception{ResourceString(IDS_CALCULATION_FAILED)};
  // The kernel clears its error flag after every statement; the bridge remembers whether the
  // statement reported one.
  CCalculatorKernel* bridge = CCalculatorKernel::FromInterface(m_kernel.Get());
  _bstr_t text(expression.c_str());
  ParseExpResult result;
  ::VariantInit(&result.Value);
  result.Type = rtVariant;
  HRESULT hr = m_kernel->ParseExpression(text, &result);
  if (hr == E_PENDING) {
    ::VariantClear(&result.Value);
    throw EvaluationDeferred{};
  }
  Evaluation answer;
  try {
    if (hr != S_OK) _com_issue_error(hr);
    answer.text = CCalculatorKernel::VariantToText(result.Value).str();
    answer.failed = result.Type == rtError || (bridge != nullptr && bridge->IsErrorSeen());
  } catch (const _com_error&) {
    answer.text = ResourceString(IDS_CALCULATION_FAILED).str();
    answer.failed = true;
  }
  ::VariantClear(&result.Value);
  return answer;
}

void ClipboardPicker::ProcessCopiedText() {
  ActionProcessing mode = m_processing;
  bool failed = false;
  CString title;
  CString answer;
  try {
    std::wstring text = numbrook::TrimSelection(GetClipboardText().str());
    if (!numbrook::IsSingleExpression(text))
      throw CalculatorKernel::Exception{ResourceString(IDS_SINGLE_EXPRESSION_ONLY)};
    Evaluation result;
    if (text.empty()) {
      result = {ResourceString(IDS_NOTHING_COPIED).str(), true};
      title = ResourceString(IDS_NOTHING_COPIED_TITLE);
      mode = ApPopupTray;
    } else {
      result = Evaluate(text);
    }
    if (result.failed) {
      answer = result.text;
      failed = true;
    } else {
      std::wstring formatted = numbrook::FormatAnswer(m_answerTemplate.str(), text, result.text);
      Evaluation expanded =
          numbrook::ExpandSubExpressions(formatted, [this](const std::wstring& e) { return Evaluate(e); });
      answer = expanded.text;
      failed = expanded.failed;
    }
    SetClipboardText(answer);
  } catch (const EvaluationDeferred&) {
    return;
  } catch (const CalculatorKernel::Exception& e) {
    answer = e.Message;
    failed = true;
    if (mode == ApReplace) SetClipboardText(answer);
  } catch (...) {
    answer = ResourceString(IDS_UNEXPECTED_FAILURE);
    failed = true;
  }
  Deliver(answer, title, mode, failed);
}

void ClipboardPicker::Deliver(const CString& answer, const CString& title, ActionProcessing mode, bool failed) {
  switch (mode) {
    case ApReplace:
      // The foreground program pastes the answer over its selection.
      KeyEvent(VK_SHIFT, 0, 0);
      KeyEvent(VK_INSERT, 0, KEYEVENTF_EXTENDEDKEY);
      KeyEvent(VK_INSERT, 0, KEYEVENTF_EXTENDEDKEY | KEYEVENTF_KEYUP);
      KeyEvent(VK_SHIFT, 0, KEYEVENTF_KEYUP);
      break;
    case ApPopupTray:
      if (failed)
        ShowTrayMessage(answer, title.IsEmpty() ? ResourceString(IDS_CALCULATION_ERROR) : title, MsgWarning);
      else
        ShowTrayMessage(answer, ResourceString(IDS_RESULT), MsgInfo);
      ::Sleep(300);
      break;
    case ApCopyToClipboard:
      break;
  }
}

void ClipboardPicker::ShowTrayMessage(const CString& message, const CString& title, MessageType type) {
  if (IKivTray* tray = TakeManager(&INumbrookMain::GetTrayManager)) {
    _bstr_t msg(message.GetString()), caption(title.GetString());
    tray->ShowMessage(msg, caption, 0, type);
    tray->Release();
  }
}
