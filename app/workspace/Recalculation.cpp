// Recalculation of the worksheet: the request counter, the handler that sends the whole text to
// the kernel bridge and writes the answer into the results pane, and the caret hint.
#include "Recalculation.h"

#include <algorithm>

#include "CalculatorKernel.h"
#include "EditorMessages.h"
#include "FwComSupport.h"
#include "LeftView.h"
#include "MainInterface.h"
#include "RightView.h"
#include "TokenScanners.h"

namespace {

constexpr UINT IDS_CALCULATION_FAILED = 2031;

void Check(HRESULT hr) {
  if (FAILED(hr)) _com_issue_error(hr);
}

bool IsWordChar(wchar_t c) { return numbrook::IsWordStartChar(c) || numbrook::IsDigitChar(c); }

// Releases what a kernel record holds when it leaves scope.
struct ConstantRecord : CalcConstant {
  ConstantRecord() : CalcConstant() { ::VariantInit(&Value); }
  ~ConstantRecord() {
    ::SysFreeString(Name);
    ::SysFreeString(Dimension);
    ::VariantClear(&Value);
  }
};
struct FunctionRecord : CalcFunction {
  FunctionRecord() : CalcFunction() {}
  ~FunctionRecord() {
    ::SysFreeString(CfnName);
    ::SysFreeString(CfnSignature);
    ::SysFreeString(CfnDescription);
  }
};

CString NoHint() {
  CString text;
  text.LoadString(IDS_CARET_HINT_NONE);
  return text;
}

}  // namespace

namespace numbrook {

std::wstring WordAt(std::wstring_view line, int column) {
  const int length = (int)line.size();
  if (column < 0 || column > length) return std::wstring();
  int begin = column;
  while (begin > 0 && IsWordChar(line[begin - 1])) --begin;
  int end = column;
  while (end < length && IsWordChar(line[end])) ++end;
  return std::wstring(line.substr(begin, end - begin));
}

bool FindCaretHintWord(std::wstring_view line, int column, std::wstring& word) {
  const int length = (int)line.size();
  int c = column > length ? length : column;
  while (c >= 0) {
    word = WordAt(line, c);
    bool digitsOnly = true;
    for (wchar_t ch : word) digitsOnly = digitsOnly && IsDigitChar(ch);
    if (!word.empty() && !digitsOnly) return true;

    // The bracket group around c: its "(" to the left, its ")" to the right.
    int start = -1;
    for (int i = c - 1, opening = 0, closing = 1; i >= 0; --i) {
      if (line[i] == L'(') ++opening;
      else if (line[i] == L')') ++closing;
      if (opening == closing) {
        start = i;
        break;
      }
    }
    int end = -1;
    for (int i = c, closing = 0, opening = 1; start >= 0 && i < length; ++i) {
      if (line[i] == L')') ++closing;
      else if (line[i] == L'(') ++opening;
      if (opening == closing) {
        end = i;
        break;
      }
    }
    if (start < 0 || end < 0 || line[start] != L'(' || line[end] != L')') {
      --c;
      continue;
    }
    word = WordAt(line, start);
    if (!word.empty()) return true;
    c = start - 1;
  }
  word.clear();
  return false;
}

}  // namespace numbrook

CString CaretHintForWord(ICalculatorKernel* kernel, const CString& word) {
  if (kernel == nullptr || word.IsEmpty()) return NoHint();
  _bstr_t name((LPCWSTR)word);
  CalcObjectType type = CotUnknown;
  int index = -1;
  Check(kernel->IsDefined(name, &type, &index));
  switch (type) {
    case CotConstant: {
      ConstantRecord constant;
      Check(kernel->GetConstant(index, &constant));
      CString hint(constant.Name ? constant.Name : L"");
      hint += L"=";
      hint += CCalculatorKernel::VariantToText(constant.Value);
      return hint;
    }
    case CotFunction: {
      int function = -1;
      Check(kernel->GetFunctionIndex(name, &function));
      if (function < 0) return CString();  // only an alias of a function
      FunctionRecord record;
      Check(kernel->GetFunction(function, &record));
      CString hint(word);
      hint += L" ( ";
      hint += record.CfnSignature ? record.CfnSignature : L"";
      hint += L" )";
      return hint;
    }
    case CotVariable: {
      _variant_t value;
      Check(kernel->GetVarValue(index, &value));
      CString hint(word);
      hint += L"=";
      hint += CCalculatorKernel::VariantToText(value);
      return hint;
    }
    default:
      return NoHint();
  }
}

CString ResultValueText(const VARIANT& value) {
  VARIANT text;
  ::VariantInit(&text);
  Check(::VariantChangeType(&text, const_cast<VARIANT*>(&value), 0, VT_BSTR));
  CString answer(V_BSTR(&text) ? V_BSTR(&text) : L"", (int)::SysStringLen(V_BSTR(&text)));
  ::VariantClear(&text);
  return answer;
}

// ---- the expression pane's part ----------------------------------------------------------------

UINT CalculationRequestId() {
  static const UINT id = ::RegisterWindowMessageW(L"DoCalculationFerrow");
  return id;
}

void CLeftView::RequestCalculation() {
  // A request without a window would never be served and would hide every later answer.
  if (m_hWnd == nullptr || !::IsWindow(m_hWnd)) return;
  // Only a request that is on its way counts: one that was never posted would hold back every
  // later answer.
  if (::PostMessageW(m_hWnd, CalculationRequestId(), 0, 0)) ++m_nPendingCalculations;
}

int CLeftView::TakeQueuedRequests() {
  int taken = 0;
  MSG msg;
  while (m_hWnd != nullptr &&
         ::PeekMessageW(&msg, m_hWnd, CalculationRequestId(), CalculationRequestId(), PM_REMOVE | PM_NOYIELD))
    ++taken;
  m_nPendingCalculations = std::max(0, m_nPendingCalculations - taken);
  return taken;
}

void CLeftView::CalculateNow() {
  TakeQueuedRequests();
  OnCalculate();
}

BOOL CLeftView::ServeQueuedCalculations() {
  if (m_nCalculationDepth > 0 || TakeQueuedRequests() == 0) return FALSE;
  OnCalculate();
  return TRUE;
}

LRESULT CLeftView::OnCalculationRequest(WPARAM, LPARAM) {
  // With another request queued behind this one, its calculation would take the same text and
  // its answer would not be shown (ShowAnswer): the later request does the work. A request that
  // arrives while a calculation runs is always served, since that calculation's text is older.
  if (m_nCalculationDepth == 0 && m_nPendingCalculations > 1) {
    --m_nPendingCalculations;
    return 0;
  }
  OnCalculate();
  return 0;
}

void CLeftView::OnCalculate() {
  // Focus returns to the expression pane afterwards only when it was there before.
  const BOOL focusWasHere = m_wndEditor.GetSafeHwnd() != nullptr && ::GetFocus() == m_wndEditor.GetSafeHwnd();
  ++m_nCalculationDepth;
  bool shown = false;
  try {
    if (m_pKernel == nullptr) _com_issue_error(E_POINTER);
    const CString text = m_wndEditor.GetText();
    Check(m_pKernel->SetCalcSettings((CalcAngleFormat)m_nAngleFormat, (CalcResultFormat)m_nResultFormat));
    ParseExpResult result;
    ::VariantInit(&result.Value);
    result.Type = rtVariant;
    _bstr_t expression((LPCWSTR)text);
    HRESULT hr = m_pKernel->ParseExpression(expression, &result);
    _variant_t value;
    value.Attach(result.Value);  // freed on every way out
    Check(hr);
    // On rtError the value is the error text, shown like any result.
    const CString answer = ResultValueText(value);

    // The calculation pumped messages: the window may be gone, and a newer request may wait.
    shown = ShowAnswer(answer);
    if (!m_bWindowGone) {
      if (focusWasHere && ::GetFocus() != m_wndEditor.GetSafeHwnd()) m_wndEditor.SetFocus();
      ShowHint(BuildCaretHint());
    }
  } catch (const _com_error& e) {
    // A calculation that failed as a whole leaves no results of an older text behind: its
    // failure takes their place. The program goes on.
    if (!shown) ShowFailure(e.Description());
  } catch (...) {
    if (!shown) ShowFailure(nullptr);
  }
  --m_nCalculationDepth;
  if (--m_nPendingCalculations < 0) m_nPendingCalculations = 0;
  if (m_bDeleteWhenIdle && m_nCalculationDepth == 0) delete this;
}

bool CLeftView::ShowAnswer(const CString& answer) {
  if (m_bWindowGone || m_nPendingCalculations > 1) return false;
  CRightView* results = GetResultsPane();
  if (results == nullptr) return false;
  ShowResults(results, answer);
  return true;
}

void CLeftView::ShowFailure(const wchar_t* description) {
  try {
    CString text(description != nullptr ? description : L"");
    if (text.IsEmpty()) text.LoadString(IDS_CALCULATION_FAILED);
    ShowAnswer(text);
  } catch (...) {
    // nothing more to show
  }
}

void CLeftView::ShowResults(CRightView* pResults, const CString& text) {
  CScintillaWnd* editor = pResults->GetEditor();
  if (editor->GetSafeHwnd() == nullptr) return;
  editor->SetReadOnly(FALSE);
  // Mostly a line or two of a long answer changes from one calculation to the next.
  editor->ReplaceChangedText(text);
  editor->EmptyUndoBuffer();
  editor->SetReadOnly(TRUE);
  MarkCaretLine(pResults);
  SyncScrollTo(pResults);
  // Names that this answer's calculation defined take their colour on the lines in view.
  PostMessage(WM_COLOUR_VISIBLE_LINES);
}

void CLeftView::MarkCaretLine(CScintillaColorerView* pOther) {
  if (pOther == nullptr || pOther->GetEditor()->GetSafeHwnd() == nullptr) return;
  CScintillaWnd* editor = pOther->GetEditor();
  const int line = m_wndEditor.GetCurrentLine();
  editor->SendMessage(SCI_MARKERDELETEALL, (WPARAM)-1, 0);
  if (!editor->HasMarker(line)) editor->AddMarker(line);
  m_nMarkedResultLine = line;
}

CString CLeftView::BuildCaretHint() {
  CScintillaWnd* editor = &m_wndEditor;
  const int position = editor->GetCurrentPosition();
  const int line = editor->LineFromPosition(position);
  const int lineStart = editor->PositionFromLine(line);
  const CString text = editor->GetLine(line);
  // Positions count bytes of the control's text; the scan works on characters.
  const std::string bytes = EditorTextToAnsi(text);
  int byteColumn = position - lineStart;
  if (byteColumn > (int)bytes.size()) byteColumn = (int)bytes.size();
  if (byteColumn < 0) byteColumn = 0;
  const int column = EditorTextFromAnsi(bytes.data(), byteColumn).GetLength();

  std::wstring word;
  if (!numbrook::FindCaretHintWord(std::wstring_view((LPCWSTR)text, (size_t)text.GetLength()), column, word)) {
    return NoHint();
  }
  return HintForWord(CString(word.c_str(), (int)word.size()));
}

CString CLeftView::HintForWord(const CString& word) {
  // The kernel is asked of the main window each time; the pane's own serves without one.
  ICalculatorKernel* kernel = TakeManager(&INumbrookMain::GetCalculatorKernel);
  if (kernel == nullptr && m_pKernel != nullptr) {
    kernel = m_pKernel;
    kernel->AddRef();
  }
  CString hint;
  try {
    hint = CaretHintForWord(kernel, word);
  } catch (...) {
    if (kernel != nullptr) kernel->Release();
    throw;
  }
  if (kernel != nullptr) kernel->Release();
  return hint;
}
