#include "LeftView.h"

#include "CalcExportPanes.h"
#include "ClipboardText.h"
#include "EditorMessages.h"
#include "FwComSupport.h"
#include "MainInterface.h"
#include "NumbrookDoc.h"
#include "Recalculation.h"
#include "RightView.h"
#include "ScintillaStyledText.h"
#include "WorksheetPrintFormatter.h"
#include "frames/UfxPrintPreviewView.h"

namespace {

PaneShellServices g_services;

// The worksheet file is loaded automatically only by the first initial update of the process.
bool g_firstInitialUpdateDone = false;

const UINT WM_DO_CALCULATION = CalculationRequestId();

// The empty object handed out for InternalMathCodeParser: only its identity is used.
struct CMathCodeParser {};

long ResultFormatOfCommand(UINT nID) {
  switch (nID) {
    case ID_RESULT_BINARY: return crfBin;
    case ID_RESULT_OCTAL: return crfOct;
    case ID_RESULT_HEXADECIMAL: return crfHex;
    case ID_RESULT_DECIMAL: return crfDec;
    case ID_RESULT_ROMAN: return crfRoman;
  }
  return 0;
}

long AngleFormatOfCommand(UINT nID) {
  switch (nID) {
    case ID_ANGLE_RADIANS: return cafRadians;
    case ID_ANGLE_DEGREES: return cafDegrees;
    case ID_ANGLE_GRADS: return cafGrads;
  }
  return 0;
}

const COLORREF AutoColour = (COLORREF)-1;

// Receives the application messenger's events for one expression pane.
class CLeftViewMessengerSink final : public ICBMessengerEvents {
public:
  explicit CLeftViewMessengerSink(CLeftView* view) : m_pView(view) {}
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (ppv == nullptr) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_ICBMessengerEvents) {
      *ppv = static_cast<ICBMessengerEvents*>(this);
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 1; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP OnCommand(long) override { return S_OK; }
  STDMETHODIMP OnMessage(long Message, long, long) override {
    if (Message == WM_SETFOCUS && m_pView->GetSafeHwnd() != nullptr) m_pView->SetFocus();
    return S_OK;
  }
  STDMETHODIMP OnCalcCommand(CalcCommand Command) override {
    try {
      m_pView->InsertCommand(Command);
    } catch (...) {
      return E_FAIL;
    }
    return S_OK;
  }
  STDMETHODIMP OnCalcAction(CalcAction Action, VARIANT_BOOL, VARIANT_BOOL, VARIANT_BOOL) override {
    try {
      INumbrookClipboardWatcher* watcher = TakeManager(&INumbrookMain::GetClipboardWatcher);
      if (watcher == nullptr) return S_FALSE;
      HRESULT hr = watcher->HotKeyProcess(Action.Template, (unsigned long)Action.Processing);
      watcher->Release();
      return FAILED(hr) ? S_FALSE : S_OK;
    } catch (...) {
      return S_FALSE;
    }
  }
  STDMETHODIMP OnKbdModifier(VARIANT_BOOL, VARIANT_BOOL, VARIANT_BOOL) override { return S_OK; }
  STDMETHODIMP OnBeforeUpdate() override { return S_OK; }
  STDMETHODIMP OnAfterUpdate(PropertyPage page) override {
    if (auto* writer = dynamic_cast<IApplicationStateWriter*>(AfxGetApp())) writer->SaveState(nullptr, nullptr);
    if (page == FontsAndColorsPage && m_pView->GetEditor()->GetSafeHwnd() != nullptr)
      m_pView->ColourRange(0, m_pView->GetEditor()->GetLength());
    return S_OK;
  }

private:
  CLeftView* m_pView;
};

// Removes the selection without putting it on the clipboard.
void DeleteSelection(CScintillaWnd& editor) {
  if (editor.GetSelectionStart() != editor.GetSelectionEnd()) editor.SendMessage(SCI_REPLACESEL, 0, (LPARAM) "");
}

int ByteLength(const CString& text) { return (int)EditorTextToAnsi(text).size(); }

}  // namespace

void SetPaneShellServices(const PaneShellServices& services) { g_services = services; }
const PaneShellServices& GetPaneShellServices() { return g_services; }

void ShowPaneContextMenu(UINT nMenuId, SCNotification* pNotify, CWnd* pWnd) {
  if (pNotify == nullptr || g_services.ShowPopupMenu == nullptr) return;
  POINT point = {pNotify->x, pNotify->y};
  g_services.ShowPopupMenu(nMenuId, point, pWnd);
  pNotify->wParam = 0;
}

IMPLEMENT_DYNCREATE(CLeftView, CScintillaColorerView)

BEGIN_MESSAGE_MAP(CLeftView, CScintillaColorerView)
  ON_COMMAND_RANGE(ID_RESULT_BINARY, ID_RESULT_HEXADECIMAL, OnResultFormat)
  ON_COMMAND_RANGE(ID_RESULT_ROMAN, ID_RESULT_ROMAN, OnResultFormat)
  ON_UPDATE_COMMAND_UI_RANGE(ID_RESULT_BINARY, ID_RESULT_HEXADECIMAL, OnUpdateResultFormat)
  ON_UPDATE_COMMAND_UI_RANGE(ID_RESULT_ROMAN, ID_RESULT_ROMAN, OnUpdateResultFormat)
  ON_COMMAND_RANGE(ID_ANGLE_DEGREES, ID_ANGLE_GRADS, OnAngleFormat)
  ON_UPDATE_COMMAND_UI_RANGE(ID_ANGLE_DEGREES, ID_ANGLE_GRADS, OnUpdateAngleFormat)
  ON_COMMAND(ID_BOOKMARK_TOGGLE, OnToggleBookmark)
  ON_UPDATE_COMMAND_UI(ID_BOOKMARK_TOGGLE, OnUpdateToggleBookmark)
  ON_COMMAND(ID_BOOKMARK_CLEAR_ALL, OnClearBookmarks)
  ON_COMMAND(ID_BOOKMARK_NEXT, OnNextBookmark)
  ON_COMMAND(ID_BOOKMARK_PREVIOUS, OnPreviousBookmark)
  ON_COMMAND(ID_VIEW_LINE_NUMBERS, OnLineNumbers)
  ON_UPDATE_COMMAND_UI(ID_VIEW_LINE_NUMBERS, OnUpdateLineNumbers)
  ON_COMMAND(ID_VIEW_ZOOM_OUT, OnZoomOut)
  ON_COMMAND(ID_VIEW_ZOOM_IN, OnZoomIn)
  ON_COMMAND(ID_FILE_EXPORT, OnFileExport)
  ON_COMMAND(ID_EDIT_CLEAR, OnEditClear)
  ON_COMMAND(ID_EDIT_SELECT_ALL, OnEditSelectAll)
  ON_COMMAND(ID_FILE_PRINT_PREVIEW, OnFilePrintPreview)
  ON_REGISTERED_MESSAGE(WM_DO_CALCULATION, OnCalculationRequest)
  ON_MESSAGE(WM_COLOUR_VISIBLE_LINES, OnColourVisibleLines)
  ON_WM_SETFOCUS()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CLeftView::CLeftView()
    : m_xCodeFormatter(this),
      m_xKeyFilter(this),
      m_xClassifier(this),
      m_pKbdManager(nullptr),
      m_pParserObject(new CMathCodeParser),
      m_pKernel(nullptr),
      m_pMessengerSink(nullptr),
      m_subscription(GUID_NULL),
      m_bSubscribed(FALSE),
      m_nMarkedResultLine(0),
      m_nResultFormat(crfDec),
      m_nAngleFormat(cafRadians),
      m_bSavedEditableMode(1),
      m_bSavedButtonsBarVisible(1),
      m_bSavedCaptionBarVisible(1),
      m_bDocumentLoaded(0),
      m_nPendingCalculations(0),
      m_nCalculationDepth(0),
      m_bWindowGone(FALSE),
      m_bDeleteWhenIdle(FALSE) {
  if (g_services.GetCalculatorKernel != nullptr) m_pKernel = g_services.GetCalculatorKernel();
  if (m_pKernel == nullptr) m_pKernel = TakeManager(&INumbrookMain::GetCalculatorKernel);
  m_strTrueWord.LoadString(IDS_TRUE_WORD);
  m_strFalseWord.LoadString(IDS_FALSE_WORD);
}

CLeftView::~CLeftView() {
  delete static_cast<CMathCodeParser*>(m_pParserObject);
  delete static_cast<CLeftViewMessengerSink*>(m_pMessengerSink);
  if (m_pKernel != nullptr) m_pKernel->Release();
  if (m_pKbdManager != nullptr) m_pKbdManager->Release();
}

void CLeftView::PostNcDestroy() {
  if (m_nCalculationDepth > 0) {
    // A calculation further up the stack still uses this object; it deletes it on return.
    if (m_pDocument != nullptr) m_pDocument->RemoveView(this);
    m_bDeleteWhenIdle = TRUE;
    return;
  }
  CScintillaColorerView::PostNcDestroy();
}

// ---- set-up and destruction ---------------------------------------------------------------

void CLeftView::OnInitialUpdate() {
  CScintillaColorerView::OnInitialUpdate();
  m_wndEditor.SetKeyFilter(&m_xKeyFilter);
  if (m_pKbdManager == nullptr) m_pKbdManager = TakeManager(&INumbrookMain::GetKbdManager);
  SubscribeMessenger();
  LoadWorksheet();
}

void CLeftView::SubscribeMessenger() {
  if (m_pMessengerSink == nullptr) m_pMessengerSink = new CLeftViewMessengerSink(this);
  if (m_bSubscribed) return;
  if (IKivMessenger* messenger = TakeManager(&INumbrookMain::GetMsgManager)) {
    GUID handle = GUID_NULL;
    if (SUCCEEDED(messenger->EventsSubscribe(m_pMessengerSink, &handle))) {
      m_subscription = handle;
      m_bSubscribed = TRUE;
    }
    messenger->Release();
  }
}

void CLeftView::UnsubscribeMessenger() {
  if (!m_bSubscribed) return;
  if (IKivMessenger* messenger = TakeManager(&INumbrookMain::GetMsgManager)) {
    messenger->EventsUnscribe(m_subscription);
    messenger->Release();
  }
  m_bSubscribed = FALSE;
}

void CLeftView::LoadWorksheet() {
  CDocument* doc = GetDocument();
  if (doc == nullptr) {
    m_wndEditor.EmptyUndoBuffer();
    return;
  }
  // The worksheet document knows where its text lives and how it is kept safe; any other
  // document is loaded from its own file, if it has one, and never stored by the pane.
  CNumbrookDoc* worksheet = DYNAMIC_DOWNCAST(CNumbrookDoc, doc);
  m_wndEditor.SendMessage(SCI_MARKERDELETEALL, (WPARAM)-1, 0);  // bookmarks belong to a worksheet
  if (worksheet != nullptr) worksheet->LoadWorksheet(m_wndEditor, !g_firstInitialUpdateDone);
  else m_wndEditor.LoadFile(doc->GetPathName());
  // Loading queued requests of its own; this calculation serves them.
  CalculateNow();
  CNumbrookDoc::EndWorksheetLoad(*doc, *this);
  g_firstInitialUpdateDone = true;
  m_bDocumentLoaded = 1;
}

void CLeftView::ResetFirstInitialUpdate() { g_firstInitialUpdateDone = false; }

void CLeftView::SaveDocumentText() {
  CDocument* doc = GetDocument();
  if (doc == nullptr || m_wndEditor.GetSafeHwnd() == nullptr) return;
  // Only the worksheet document stores itself, through its safe replacement of the file.
  if (CNumbrookDoc* worksheet = DYNAMIC_DOWNCAST(CNumbrookDoc, doc)) worksheet->SaveDocumentText(m_wndEditor);
}

void CLeftView::OnDestroy() {
  m_bWindowGone = TRUE;
  UnsubscribeMessenger();
  SaveDocumentText();
  // No calculation request outlives the window.
  MSG msg;
  while (::PeekMessageW(&msg, m_hWnd, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      ::PostQuitMessage((int)msg.wParam);
      break;
    }
  }
  CScintillaColorerView::OnDestroy();
}

void CLeftView::OnSetFocus(CWnd*) {
  if (m_wndEditor.GetSafeHwnd() != nullptr) m_wndEditor.SetFocus();
}

// ---- the results pane ---------------------------------------------------------------------

CRightView* CLeftView::GetResultsPane() const {
  return static_cast<CRightView*>(FindDocumentView(RUNTIME_CLASS(CRightView)));
}

void CLeftView::SyncZoomTo(CScintillaColorerView* pOther) {
  CRightView* results = DYNAMIC_DOWNCAST(CRightView, pOther);
  if (results == nullptr || results->IsZoomSyncInProgress()) return;
  if (results->GetEditor()->GetSafeHwnd() == nullptr) return;
  m_bZoomSyncInProgress = 1;
  // The other pane takes this pane's zoom exactly, whatever happened in between.
  const LRESULT zoom = m_wndEditor.SendMessage(SCI_GETZOOM);
  if (results->GetEditor()->SendMessage(SCI_GETZOOM) != zoom)
    results->GetEditor()->SendMessage(SCI_SETZOOM, (WPARAM)zoom, 0);
  if (m_wndEditor.IsLineNumbersShown()) {
    m_wndEditor.ShowLineNumbers(FALSE);
    m_wndEditor.ShowLineNumbers(TRUE);
  }
  m_bZoomSyncInProgress = 0;
}

LRESULT CLeftView::OnEditorNotify(UINT nCode, SCNotification* pNotify) {
  switch (nCode) {
    case SCN_DOUBLECLICK:
    case SCN_UPDATEUI:
      MarkCaretLine(GetResultsPane());
      break;
    case SCN_CLICK:
      try {
        ShowHint(BuildCaretHint());
      } catch (...) {
        // no hint for this click
      }
      break;
    case SCN_ZOOM:
      SyncZoomTo(GetResultsPane());
      break;
    case EDN_FIRSTLINECHANGED:
      SyncScrollTo(GetResultsPane());
      break;
    case EDN_CONTEXTMENU:
      ShowPaneContextMenu(IDR_EXPRESSION_PANE_MENU, pNotify, this);
      break;
  }
  return CScintillaColorerView::OnEditorNotify(nCode, pNotify);
}

void CLeftView::OnEditorChanged() {
  if (GetResultsPane() == nullptr) return;
  RequestCalculation();
  if (CDocument* doc = GetDocument()) doc->SetModifiedFlag(TRUE);
}

// ---- colouring ----------------------------------------------------------------------------

void CLeftView::ColourRange(int nStart, int nEnd) {
  if (m_wndEditor.GetSafeHwnd() == nullptr) return;
  CScintillaStyledText text(m_wndEditor);
  numbrook::ColourRange(text, m_xClassifier, nStart, nEnd);
}

int CLeftView::ClassifyWord(const CString& word) {
  return numbrook::ClassifyWordByKernel(m_pKernel, std::wstring((LPCWSTR)word, (size_t)word.GetLength()),
                                        std::wstring((LPCWSTR)m_strTrueWord), std::wstring((LPCWSTR)m_strFalseWord));
}

void CLeftView::ColourVisibleLines() {
  const int first = m_wndEditor.GetFirstVisibleLine();
  const int count = m_wndEditor.LinesOnScreen();
  ColourRange(m_wndEditor.PositionFromLine(first), m_wndEditor.PositionFromLine(first + count + 1));
}

LRESULT CLeftView::OnColourVisibleLines(WPARAM, LPARAM) {
  ColourVisibleLines();
  return 0;
}

// ---- commands -----------------------------------------------------------------------------

void CLeftView::SetResultFormat(long format) {
  m_nResultFormat = format;
  RequestCalculation();
}

void CLeftView::SetAngleFormat(long format) {
  m_nAngleFormat = format;
  RequestCalculation();
}

void CLeftView::OnResultFormat(UINT nID) { SetResultFormat(ResultFormatOfCommand(nID)); }

void CLeftView::OnUpdateResultFormat(CCmdUI* pCmdUI) {
  pCmdUI->SetCheck(m_nResultFormat == ResultFormatOfCommand(pCmdUI->m_nID) ? 1 : 0);
}

void CLeftView::OnAngleFormat(UINT nID) { SetAngleFormat(AngleFormatOfCommand(nID)); }

void CLeftView::OnUpdateAngleFormat(CCmdUI* pCmdUI) {
  pCmdUI->SetCheck(m_nAngleFormat == AngleFormatOfCommand(pCmdUI->m_nID) ? 1 : 0);
}

void CLeftView::OnToggleBookmark() {
  const int line = m_wndEditor.GetCurrentLine();
  if (m_wndEditor.HasMarker(line)) m_wndEditor.DeleteMarker(line);
  else m_wndEditor.AddMarker(line);
}

void CLeftView::OnUpdateToggleBookmark(CCmdUI* pCmdUI) {
  pCmdUI->SetCheck(m_wndEditor.HasMarker(m_wndEditor.GetCurrentLine()) ? 1 : 0);
}

void CLeftView::OnClearBookmarks() { m_wndEditor.SendMessage(SCI_MARKERDELETEALL, (WPARAM)-1, 0); }
void CLeftView::OnNextBookmark() { m_wndEditor.GotoNextMarker(); }
void CLeftView::OnPreviousBookmark() { m_wndEditor.GotoPreviousMarker(); }

void CLeftView::OnLineNumbers() { m_wndEditor.ShowLineNumbers(!m_wndEditor.IsLineNumbersShown()); }

void CLeftView::OnUpdateLineNumbers(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_wndEditor.IsLineNumbersShown() ? 1 : 0); }

void CLeftView::OnZoomOut() {
  for (int i = 0; i < 4; ++i) m_wndEditor.SendMessage(SCI_ZOOMOUT, 1, 0);
}

void CLeftView::OnZoomIn() {
  for (int i = 0; i < 4; ++i) m_wndEditor.SendMessage(SCI_ZOOMIN, 1, 0);
}

void CLeftView::OnEditClear() { m_wndEditor.Clear(); }
void CLeftView::OnEditSelectAll() { m_wndEditor.SelectAll(); }

void CLeftView::OnFileExport() {
  if (g_services.RunExportDialog == nullptr) return;
  ExportSettings settings;
  if (!g_services.RunExportDialog(this, settings)) return;
  CRightView* results = GetResultsPane();
  ExportPanes(this, settings, m_wndEditor, results != nullptr ? results->GetEditor() : nullptr, &m_xCodeFormatter,
              m_xClassifier);
}

LRESULT CLeftView::OnFindReplaceMessage(WPARAM wParam, LPARAM lParam) {
  LRESULT answer = CScintillaColorerView::OnFindReplaceMessage(wParam, lParam);
  if (answer != -1) return answer;
  ResourceMessageBox(m_hWnd, IDS_FIND_NOT_FOUND, IDS_FIND_NOT_FOUND_CAPTION, MB_ICONEXCLAMATION);
  return 0;
}

// ---- printing and print preview -----------------------------------------------------------

CPrintFormatter* CLeftView::CreatePrintFormatter(CPrintInfo* pInfo) {
  return new CWorksheetPrintFormatter(pInfo, this, GetResultsPane());
}

void CLeftView::OnFilePrintPreview() {
  if (IKivPanelsManager* panels = TakeManager(&INumbrookMain::GetPanelsManager)) {
    VARIANT_BOOL visible = VARIANT_FALSE;
    if (SUCCEEDED(panels->IsToolbarVisible(TbButtonsBar, &visible)))
      m_bSavedButtonsBarVisible = visible == VARIANT_TRUE;
    visible = VARIANT_FALSE;
    if (SUCCEEDED(panels->IsToolbarVisible(TbCaptionBar, &visible)))
      m_bSavedCaptionBarVisible = visible == VARIANT_TRUE;
    VARIANT_BOOL editable = m_bSavedEditableMode ? VARIANT_TRUE : VARIANT_FALSE;
    if (SUCCEEDED(panels->get_DocEditableMode(&editable))) m_bSavedEditableMode = editable != 0;
    panels->ShowToolbar(TbButtonsBar, VARIANT_FALSE);
    panels->ShowToolbar(TbCaptionBar, VARIANT_FALSE);
    panels->put_DocEditableMode(VARIANT_FALSE);
    panels->Release();
  }
  // A preview that could not start would never give the bars back: they come back now.
  if (!UfxPrintPreview(this)) RestoreBarsAfterPreview();
}

void CLeftView::OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT point, CPreviewView* pPreview) {
  CScintillaColorerView::OnEndPrintPreview(pDC, pInfo, point, pPreview);
  RestoreBarsAfterPreview();
}

void CLeftView::RestoreBarsAfterPreview() {
  if (IKivPanelsManager* panels = TakeManager(&INumbrookMain::GetPanelsManager)) {
    panels->put_DocEditableMode(m_bSavedEditableMode ? VARIANT_TRUE : VARIANT_FALSE);
    panels->ShowToolbar(TbButtonsBar, m_bSavedButtonsBarVisible ? VARIANT_TRUE : VARIANT_FALSE);
    panels->ShowToolbar(TbCaptionBar, m_bSavedCaptionBarVisible ? VARIANT_TRUE : VARIANT_FALSE);
    panels->Release();
  }
}

// ---- hints --------------------------------------------------------------------------------

void CLeftView::ShowHint(const CString& text) {
  IKivCaptionBar* caption = TakeManager(&INumbrookMain::GetCaptionbarManager);
  if (caption == nullptr) return;
  caption->put_Type(CaptionTypeInfo);
  _bstr_t value((LPCWSTR)text);
  caption->put_Text(value);
  caption->Release();
}

// ---- clipboard ----------------------------------------------------------------------------

void CLeftView::OnEditCopy() { SetClipboardText(m_wndEditor.GetSelectedText()); }

void CLeftView::OnEditPaste() {
  if (IsEditorReadOnly()) return;
  CString text = GetClipboardText();
  text.Replace(L'\x00A0', L' ');
  DeleteSelection(m_wndEditor);
  const int position = m_wndEditor.GetCurrentPosition();
  m_wndEditor.InsertText(text, position);
  const int end = position + ByteLength(text);
  m_wndEditor.GotoPosition(end);
  RequestCalculation();
  ColourRange(position, end);
}

// ---- command insertion --------------------------------------------------------------------

void CLeftView::InsertCommand(const CalcCommand& command) {
  CString text(command.CalcCommandText ? command.CalcCommandText : L"");
  const int length = ByteLength(text);
  const CString selection = m_wndEditor.GetSelectedText();
  DeleteSelection(m_wndEditor);
  m_wndEditor.BeginUndoAction();
  try {
    const int caret = m_wndEditor.GetCurrentPosition();
    int start = caret + length;
    int end = start;
    if (command.CalcCommandType == CotFunction) {
      start = caret + length + 1;  // just after the opening parenthesis
      end = start;
      FnProcessing processing = FpReplace;
      if (IKivSettingsManager* settings = TakeManager(&INumbrookMain::GetSettingsManager)) {
        FnProcessing current = FpReplace;
        if (SUCCEEDED(settings->get_CurrentFnProcessing(&current))) processing = current;
        settings->Release();
      }
      const CString name = text;
      if (processing == FpInsert && selection.Find(L'\n') < 0) {
        // The former selection stands selected between the parentheses.
        text += L"(";
        text += selection;
        text += L")";
        end = start + ByteLength(selection);
      } else {
        text += L"()";
      }
      ShowHint(HintForWord(name));
    }
    m_wndEditor.InsertText(text, caret);
    m_wndEditor.SetSelectionStart(start);
    m_wndEditor.SetSelectionEnd(end);
    m_wndEditor.SetFocus();
  } catch (...) {
    m_wndEditor.EndUndoAction();
    throw;
  }
  m_wndEditor.EndUndoAction();
}

// ---- key filter ---------------------------------------------------------------------------

LONG CLeftView::FilterMessage(MSG* pMsg) {
  VARIANT_BOOL translated = VARIANT_FALSE;
  if (m_pKbdManager != nullptr && pMsg != nullptr) {
    if (FAILED(m_pKbdManager->TranslateKbdAccel(pMsg, &translated))) translated = VARIANT_FALSE;
  }
  if (pMsg != nullptr && pMsg->message == WM_KEYDOWN && translated == VARIANT_FALSE &&
      ::GetKeyState(VK_CONTROL) < 0) {
    const WPARAM key = pMsg->wParam;
    // Ctrl with a letter (L excepted), "<", ">", the Windows key or the menu key belongs to
    // the application's accelerators: when none ran, the key does nothing here either.
    if (key == 0x3C || key == 0x3E || (key >= 0x41 && key <= 0x4B) || (key >= 0x4D && key <= 0x5B) || key == 0x5D)
      return 0;
  }
  return translated == VARIANT_TRUE ? 0 : 1;
}

// ---- ICodeFormatter -----------------------------------------------------------------------

HRESULT CLeftView::QueryFace(REFIID riid, void** ppv) {
  if (ppv == nullptr) return E_POINTER;
  *ppv = nullptr;
  if (riid == IID_IUnknown || riid == IID_ICodeFormatter) {
    *ppv = static_cast<ICodeFormatter*>(&m_xCodeFormatter);
  } else if (riid == IID_IEditorKeyFilter) {
    *ppv = static_cast<IEditorKeyFilter*>(&m_xKeyFilter);
  } else if (riid == IID_InternalMathCodeParser) {
    *ppv = m_pParserObject;
    return S_OK;
  } else {
    return E_NOINTERFACE;
  }
  static_cast<IUnknown*>(*ppv)->AddRef();
  return S_OK;
}

HRESULT CLeftView::GetCharFormat(LexemeType type, CharFormat* pFormat) {
  if (pFormat == nullptr) return E_POINTER;
  const int style = CalcExport::StyleOfLexemeType(type);
  pFormat->CfBackColor = m_wndEditor.GetStyleBack(style);
  pFormat->CfForeColor = m_wndEditor.GetStyleFore(style);
  pFormat->CfBold = m_wndEditor.GetStyleBold(style) ? 1 : 0;
  pFormat->CfItalic = m_wndEditor.GetStyleItalic(style) ? 1 : 0;
  pFormat->CfStrikeout = 0;
  const UnderlineTypes kind =
      type >= LexemeTypeMin && type <= LexemeTypeMax && m_underlineKinds[type] != UnderlineTypeNone ? m_underlineKinds[type]
                                                                                                  : UnderlineTypeSimple;
  pFormat->CfUnderline = m_wndEditor.GetStyleUnderline(style) ? kind : UnderlineTypeNone;
  // Colours equal to the defaults are reported as "automatic".
  if (pFormat->CfBackColor == m_wndEditor.GetStyleBack(STYLE_DEFAULT)) pFormat->CfBackColor = AutoColour;
  if (type < LexemeTypeMin || type > LexemeTypeMax || type == LexemeTypeBracketsHilight)
    pFormat->CfForeColor = AutoColour;
  else if (pFormat->CfForeColor == CalcExport::DefaultForeColour(type))
    pFormat->CfForeColor = AutoColour;
  return S_OK;
}

HRESULT CLeftView::SetCharFormat(LexemeType type, const CharFormat& format) {
  const int style = CalcExport::StyleOfLexemeType(type);
  const COLORREF back = format.CfBackColor == AutoColour ? m_wndEditor.GetStyleBack(STYLE_DEFAULT) : format.CfBackColor;
  const COLORREF fore = format.CfForeColor == AutoColour ? CalcExport::DefaultForeColour(type) : format.CfForeColor;
  if (type >= LexemeTypeMin && type <= LexemeTypeMax) m_underlineKinds[type] = format.CfUnderline;
  CRightView* results = GetResultsPane();
  CScintillaWnd* editors[] = {&m_wndEditor, results != nullptr ? results->GetEditor() : nullptr};
  for (CScintillaWnd* editor : editors) {
    if (editor == nullptr || editor->GetSafeHwnd() == nullptr) continue;
    editor->SetStyleBack(style, back);
    editor->SetStyleBold(style, format.CfBold);
    editor->SetStyleFore(style, fore);
    editor->SetStyleItalic(style, format.CfItalic);
    editor->SetStyleUnderline(style, format.CfUnderline != UnderlineTypeNone);
  }
  return S_OK;
}

HRESULT CLeftView::GetCommonFormat(CodeCommonFormat* pFormat) {
  if (pFormat == nullptr) return E_POINTER;
  const COLORREF back = m_wndEditor.GetStyleBack(STYLE_DEFAULT);
  pFormat->CcfBackColor = back == ::GetSysColor(COLOR_WINDOW) ? AutoColour : back;
  pFormat->CcfFontName = m_wndEditor.GetStyleFont(STYLE_DEFAULT).AllocSysString();
  pFormat->CcfFontHeight = m_wndEditor.GetStyleSize(STYLE_DEFAULT) * 20;
  pFormat->CcfFontCharSet = 1;
  return S_OK;
}

HRESULT CLeftView::SetCommonFormat(const CodeCommonFormat& format) {
  static const LexemeType kept[] = {LexemeTypeBracket, LexemeTypeComment, LexemeTypeConstant, LexemeTypeDigitNumber,
                                    LexemeTypeError, LexemeTypeFunction, LexemeTypeOperator, LexemeTypeSeparator,
                                    LexemeTypeVariable, LexemeTypeString};
  CharFormat saved[10];
  for (int i = 0; i < 10; ++i) GetCharFormat(kept[i], &saved[i]);
  const COLORREF back = format.CcfBackColor == AutoColour ? ::GetSysColor(COLOR_WINDOW) : format.CcfBackColor;
  const COLORREF fore = ::GetSysColor(COLOR_BTNTEXT);
  const int size = format.CcfFontHeight / 20;
  const wchar_t* font = format.CcfFontName != nullptr ? format.CcfFontName : L"";
  m_wndEditor.SetDefaultStyles(font, size, back, fore);
  if (CRightView* results = GetResultsPane()) {
    if (results->GetEditor()->GetSafeHwnd() != nullptr) results->GetEditor()->SetDefaultStyles(font, size, back, fore);
  }
  for (int i = 0; i < 10; ++i) SetCharFormat(kept[i], saved[i]);
  return S_OK;
}

HRESULT CLeftView::EndUpdate() {
  ColourRange(0, m_wndEditor.GetLength());
  return S_OK;
}
