#include "ScintillaColorerView.h"

#include "EditorMessages.h"
#include "MainInterface.h"
#include "PrintFormatter.h"

namespace {
const UINT WM_FINDREPLACE_MSG = ::RegisterWindowMessageW(FINDMSGSTRING);
}

IMPLEMENT_DYNCREATE(CScintillaColorerView, CView)

BEGIN_MESSAGE_MAP(CScintillaColorerView, CView)
  ON_WM_SIZE()
  ON_WM_CREATE()
  ON_COMMAND(ID_EDIT_UNDO, OnEditUndo)
  ON_COMMAND(ID_EDIT_REDO, OnEditRedo)
  ON_COMMAND(ID_EDIT_CUT, OnEditCut)
  ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
  ON_COMMAND(ID_EDIT_PASTE, OnEditPaste)
  ON_COMMAND(ID_EDIT_FIND, OnEditFind)
  ON_COMMAND(ID_EDIT_REPLACE, OnEditReplace)
  ON_UPDATE_COMMAND_UI(ID_EDIT_UNDO, OnUpdateEditUndo)
  ON_UPDATE_COMMAND_UI(ID_EDIT_REDO, OnUpdateEditRedo)
  ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, OnUpdateEditCut)
  ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateEditCopy)
  ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, OnUpdateEditPaste)
  ON_UPDATE_COMMAND_UI(ID_EDIT_FIND, OnUpdateEditFind)
  ON_UPDATE_COMMAND_UI(ID_EDIT_REPLACE, OnUpdateEditReplace)
  ON_COMMAND(ID_FILE_PRINT, OnFilePrint)
  ON_COMMAND(ID_FILE_PRINT_DIRECT, OnFilePrint)
  ON_COMMAND(ID_FILE_PRINT_PREVIEW, OnFilePrintPreview)
  ON_REGISTERED_MESSAGE(WM_FINDREPLACE_MSG, OnFindReplaceMessage)
  ON_COMMAND(ID_EDIT_FIND_NEXT, OnFindNext)
  ON_UPDATE_COMMAND_UI(ID_EDIT_FIND_NEXT, OnUpdateFindNext)
END_MESSAGE_MAP()

CScintillaColorerView::CScintillaColorerView()
    : m_bInsertNoticesHeld(0),
      m_bDeleteNoticesHeld(0),
      m_bColouringEnabled(TRUE),
      m_bZoomSyncInProgress(0),
      m_pFindDialog(nullptr),
      m_pPrintFormatter(nullptr) {}

CScintillaColorerView::~CScintillaColorerView() {
  DeletePrintFormatter();
  if (m_wndEditor.GetSafeHwnd() != nullptr) m_wndEditor.DestroyWindow();
}

CPrintFormatter* CScintillaColorerView::CreatePrintFormatter(CPrintInfo* pInfo) {
  return new CPrintFormatter(pInfo, this);
}

void CScintillaColorerView::DeletePrintFormatter() {
  delete m_pPrintFormatter;
  m_pPrintFormatter = nullptr;
}

CScintillaWnd* CScintillaColorerView::GetEditor() { return &m_wndEditor; }

CView* CScintillaColorerView::FindDocumentView(CRuntimeClass* pClass) const {
  CDocument* doc = GetDocument();
  if (doc == nullptr) return nullptr;
  POSITION pos = doc->GetFirstViewPosition();
  while (pos != nullptr) {
    CView* view = doc->GetNextView(pos);
    if (view != nullptr && view->IsKindOf(pClass)) return view;
  }
  return nullptr;
}

BOOL CScintillaColorerView::IsEditorReadOnly() {
  return m_wndEditor.GetSafeHwnd() != nullptr && m_wndEditor.SendMessage(SCI_GETREADONLY) != 0;
}

void CScintillaColorerView::ColourRange(int nStart, int nEnd) {
  CScintillaWnd* editor = GetEditor();
  if (nEnd < 0) nEnd = editor->GetLength();
  editor->StartStyling(nStart);
  int length = (int)EditorTextToAnsi(editor->GetTextRange(nStart, nEnd)).size();
  int styled = editor->GetEndStyled();
  if (styled - nStart < length) editor->SetStyling(length + nStart - styled, STYLE_DEFAULT);
}

void CScintillaColorerView::OnEditorChanged() {
  if (CDocument* doc = GetDocument()) doc->SetModifiedFlag(TRUE);
}

LRESULT CScintillaColorerView::OnFindReplaceMessage(WPARAM, LPARAM) {
  CFindReplaceDialog* dlg = m_pFindDialog;
  if (dlg == nullptr) return 0;
  if (dlg->IsTerminating()) {
    m_pFindDialog = nullptr;
    return 0;
  }
  m_strFind = dlg->GetFindString();
  m_strReplace = dlg->GetReplaceString();
  DWORD flags = 0;
  if (dlg->MatchCase()) flags |= SCFIND_MATCHCASE;
  if (dlg->MatchWholeWord()) flags |= SCFIND_WHOLEWORD;
  CScintillaWnd* editor = GetEditor();
  editor->SetSearchFlags(flags);

  const BOOL replace = dlg->ReplaceCurrent();
  if (replace || dlg->FindNext()) {
    // Replace only what a search has selected; a caret or a foreign selection is left alone.
    if (replace && SelectionMatchesFindText()) editor->ReplaceSelection(m_strReplace);
    BOOL found = dlg->SearchDown() ? editor->FindNext(m_strFind) : editor->FindPrevious(m_strFind);
    return found ? 0 : -1;
  }
  if (dlg->ReplaceAll()) editor->ReplaceAll(m_strFind, m_strReplace, FALSE);
  return 0;
}

BOOL CScintillaColorerView::SelectionMatchesFindText() {
  CScintillaWnd* editor = GetEditor();
  int start = editor->GetSelectionStart();
  int end = editor->GetSelectionEnd();
  std::string find = EditorTextToAnsi(m_strFind);
  if (end <= start || find.empty()) return FALSE;
  TextToFind range = {};
  range.chrg.cpMin = start;
  range.chrg.cpMax = end;
  range.lpstrText = find.c_str();
  LRESULT at = editor->SendMessage(SCI_FINDTEXT, editor->GetSearchFlags(), (LPARAM)&range);
  return at == start && range.chrgText.cpMax == end;
}

LRESULT CScintillaColorerView::OnEditorNotify(UINT nCode, SCNotification* pNotify) {
  CScintillaWnd* editor = GetEditor();
  switch (nCode) {
    case SCN_STYLENEEDED:
      if (m_bColouringEnabled) OnStyleNeeded(pNotify);
      break;
    case SCN_UPDATEUI:
      editor->UpdateBraceHighlight();
      break;
    case SCN_MODIFIED:
      if (!m_bInsertNoticesHeld && !m_bDeleteNoticesHeld) OnEditorChanged();
      break;
    case SCN_MARGINCLICK:
      editor->OnMarginClick(pNotify->margin, pNotify->position);
      break;
    case EDN_RESTYLERANGE:
      if (m_bColouringEnabled) ColourRange(pNotify->position, pNotify->position + pNotify->length);
      break;
    case EDN_INSERTBEGIN:
      m_bInsertNoticesHeld = 1;
      break;
    case EDN_DELETEBEGIN:
      m_bDeleteNoticesHeld = 1;
      break;
    case EDN_INSERTEND:
    case EDN_DELETEEND:
      if (nCode == EDN_INSERTEND) m_bInsertNoticesHeld = 0;
      else m_bDeleteNoticesHeld = 0;
      OnEditorChanged();
      if (m_bColouringEnabled) ColourRange(0, editor->GetLength());
      break;
    default:
      break;
  }
  return 0;
}

void CScintillaColorerView::OnStyleNeeded(SCNotification* pNotify) {
  CScintillaWnd* editor = GetEditor();
  int styledEnd = editor->GetEndStyled();
  int line = editor->LineFromPosition(styledEnd);
  int lineStart = editor->PositionFromLine(line);
  int lineLength = editor->GetLineLength(line);
  int end = pNotify->position;
  int nextLine = editor->PositionFromLine(line + 1);
  if (end < nextLine) end = nextLine;
  if (lineLength > 0) {
    ColourRange(lineStart, end > lineStart + lineLength ? end : lineStart + lineLength);
    editor->SendMessage(SCI_POINTXFROMPOSITION, 0, 0);
  }
}

void CScintillaColorerView::OpenFindDialog(BOOL bFindOnly) {
  if (m_pFindDialog != nullptr) {
    // One dialog per view: a second request brings the open one forward.
    m_pFindDialog->SetActiveWindow();
    return;
  }
  CFindReplaceDialog* dlg = new CFindReplaceDialog;
  m_pFindDialog = dlg;
  // A dialog that fails to open has already deleted itself.
  if (!dlg->Create(bFindOnly, m_strFind, bFindOnly ? nullptr : (LPCWSTR)m_strReplace, FR_DOWN, this)) {
    m_pFindDialog = nullptr;
    return;
  }
  dlg->ShowWindow(SW_SHOW);
}

void CScintillaColorerView::OnEditFind() { OpenFindDialog(TRUE); }

void CScintillaColorerView::OnEditReplace() {
  if (IsEditorReadOnly()) return;
  OpenFindDialog(FALSE);
}

void CScintillaColorerView::OnSize(UINT nType, int cx, int cy) {
  CView::OnSize(nType, cx, cy);
  if (m_wndEditor.GetSafeHwnd() == nullptr) return;
  CRect client;
  GetClientRect(&client);
  m_wndEditor.MoveWindow(&client, TRUE);
}

int CScintillaColorerView::OnCreate(LPCREATESTRUCT lpcs) {
  if (CView::OnCreate(lpcs) == -1) return -1;
  if (!m_wndEditor.Create(L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(0, 0, 0, 0), this, 0)) return -1;
  return 0;
}

void CScintillaColorerView::OnEditCut() {
  if (!IsEditorReadOnly()) GetEditor()->CutToClipboard();
}

void CScintillaColorerView::OnEditCopy() { GetEditor()->Copy(); }

void CScintillaColorerView::OnEditUndo() {
  if (!IsEditorReadOnly()) GetEditor()->Undo();
}

void CScintillaColorerView::OnEditRedo() {
  if (!IsEditorReadOnly()) GetEditor()->Redo();
}

void CScintillaColorerView::OnEditPaste() {
  if (!IsEditorReadOnly()) GetEditor()->Paste();
}

void CScintillaColorerView::OnUpdateEditPaste(CCmdUI* pCmdUI) {
  pCmdUI->Enable(!IsEditorReadOnly() && GetEditor()->CanPaste());
}

void CScintillaColorerView::OnUpdateEditUndo(CCmdUI* pCmdUI) {
  pCmdUI->Enable(!IsEditorReadOnly() && GetEditor()->CanUndo());
}

void CScintillaColorerView::OnUpdateEditCopy(CCmdUI* pCmdUI) {
  CScintillaWnd* editor = GetEditor();
  pCmdUI->Enable(editor->GetSelectionStart() != editor->GetSelectionEnd());
}

void CScintillaColorerView::OnUpdateEditCut(CCmdUI* pCmdUI) {
  CScintillaWnd* editor = GetEditor();
  pCmdUI->Enable(!IsEditorReadOnly() && editor->GetSelectionStart() != editor->GetSelectionEnd());
}

void CScintillaColorerView::OnUpdateEditRedo(CCmdUI* pCmdUI) {
  pCmdUI->Enable(!IsEditorReadOnly() && GetEditor()->CanRedo());
}

void CScintillaColorerView::OnUpdateEditFind(CCmdUI* pCmdUI) { pCmdUI->Enable(m_pFindDialog == nullptr); }

void CScintillaColorerView::OnUpdateEditReplace(CCmdUI* pCmdUI) {
  pCmdUI->Enable(!IsEditorReadOnly() && m_pFindDialog == nullptr);
}

void CScintillaColorerView::OnFindNext() {
  CScintillaWnd* editor = GetEditor();
  if (editor->FindNext(m_strFind)) return;
  // Wrap to the top; the search from the top includes a match at the very first position.
  editor->SetSelectionStart(0);
  editor->SetSelectionEnd(0);
  if (editor->FindInRange(m_strFind, 0, editor->GetLength())) return;
  ResourceMessageBox(m_hWnd, IDS_FIND_NOT_FOUND, IDS_FIND_NOT_FOUND_CAPTION, MB_ICONEXCLAMATION);
}

void CScintillaColorerView::OnUpdateFindNext(CCmdUI* pCmdUI) { pCmdUI->Enable(!m_strFind.IsEmpty()); }

void CScintillaColorerView::OnDraw(CDC*) {}  // the control paints itself

void CScintillaColorerView::OnInitialUpdate() {
  CView::OnInitialUpdate();
  m_wndEditor.InitEditor();
}

BOOL CScintillaColorerView::OnPreparePrinting(CPrintInfo* pInfo) {
  BOOL prepared = DoPreparePrinting(pInfo);
  DeletePrintFormatter();
  if (prepared) m_pPrintFormatter = CreatePrintFormatter(pInfo);
  return prepared;
}

void CScintillaColorerView::OnBeginPrinting(CDC*, CPrintInfo*) {}

void CScintillaColorerView::OnPrint(CDC* pDC, CPrintInfo*) {
  if (m_pPrintFormatter != nullptr) m_pPrintFormatter->PrintPage(pDC);
}

void CScintillaColorerView::OnEndPrinting(CDC*, CPrintInfo*) { DeletePrintFormatter(); }

BOOL CScintillaColorerView::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  NMHDR* header = (NMHDR*)lParam;
  if (header == nullptr || header->hwndFrom == nullptr || header->hwndFrom != m_wndEditor.GetSafeHwnd())
    return CView::OnNotify(wParam, lParam, pResult);
  LRESULT answer = OnEditorNotify(header->code, (SCNotification*)lParam);
  if (pResult != nullptr) *pResult = answer;
  CView::OnNotify(wParam, lParam, pResult);
  return TRUE;
}
