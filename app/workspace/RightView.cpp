#include "RightView.h"

#include "ClipboardText.h"
#include "EditorMessages.h"
#include "LeftView.h"
#include "frames/UfxPrintPreviewView.h"

namespace {

// The update handlers whose check marks are the expression pane's: its settings and its
// bookmark on the current line.
bool IsExpressionPaneUpdate(UINT nID) {
  switch (nID) {
    case ID_RESULT_BINARY:
    case ID_RESULT_OCTAL:
    case ID_RESULT_DECIMAL:
    case ID_RESULT_HEXADECIMAL:
    case ID_RESULT_ROMAN:
    case ID_ANGLE_DEGREES:
    case ID_ANGLE_RADIANS:
    case ID_ANGLE_GRADS:
    case ID_VIEW_LINE_NUMBERS:
    case ID_BOOKMARK_TOGGLE:
      return true;
  }
  return false;
}

// Commands whose handling is the expression pane's: the settings, the bookmarks and the zoom
// always concern the expression pane.
bool IsExpressionPaneCommand(UINT nID) {
  if (IsExpressionPaneUpdate(nID)) return true;
  switch (nID) {
    case ID_VIEW_ZOOM_IN:
    case ID_VIEW_ZOOM_OUT:
    case ID_BOOKMARK_NEXT:
    case ID_BOOKMARK_CLEAR_ALL:
    case ID_BOOKMARK_PREVIOUS:
    case ID_FILE_EXPORT:
    case ID_EDIT_CLEAR:
      return true;
  }
  return false;
}

}  // namespace

IMPLEMENT_DYNCREATE(CRightView, CScintillaColorerView)

BEGIN_MESSAGE_MAP(CRightView, CScintillaColorerView)
  ON_COMMAND(ID_EDIT_SELECT_ALL, OnEditSelectAll)
  ON_COMMAND(ID_EDIT_PASTE, OnEditPasteNothing)
  ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, OnUpdateDisabled)
  ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, OnUpdateDisabled)
  ON_COMMAND(ID_FILE_PRINT_PREVIEW, OnFilePrintPreview)
END_MESSAGE_MAP()

CRightView::CRightView() : m_xKeyFilter(this) {}

CLeftView* CRightView::GetExpressionPane() const {
  return static_cast<CLeftView*>(FindDocumentView(RUNTIME_CLASS(CLeftView)));
}

BOOL CRightView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  const bool forwarded = (nCode == (int)CN_COMMAND && IsExpressionPaneCommand(nID)) ||
                         (nCode == (int)CN_UPDATE_COMMAND_UI && IsExpressionPaneUpdate(nID));
  if (forwarded) {
    if (CLeftView* left = GetExpressionPane()) return left->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
  }
  return CScintillaColorerView::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CRightView::OnInitialUpdate() {
  CScintillaColorerView::OnInitialUpdate();
  m_wndEditor.SetKeyFilter(&m_xKeyFilter);
  m_bColouringEnabled = FALSE;
  m_wndEditor.SetReadOnly(TRUE);
  m_wndEditor.SendMessage(SCI_MARKERDEFINE, RESULT_LINE_MARKER, SC_MARK_SHORTARROW);
}

void CRightView::OnEditorChanged() {}
void CRightView::OnEditCut() {}

// The expression pane's copy: the selection as text on the clipboard.
void CRightView::OnEditCopy() { SetClipboardText(m_wndEditor.GetSelectedText()); }

void CRightView::OnEditUndo() {
  if (CLeftView* left = GetExpressionPane()) left->OnEditUndo();
}

void CRightView::OnEditRedo() {
  if (CLeftView* left = GetExpressionPane()) left->OnEditRedo();
}

void CRightView::OnUpdateEditUndo(CCmdUI* pCmdUI) {
  if (CLeftView* left = GetExpressionPane()) left->OnUpdateEditUndo(pCmdUI);
  else pCmdUI->Enable(FALSE);
}

void CRightView::OnUpdateEditRedo(CCmdUI* pCmdUI) {
  if (CLeftView* left = GetExpressionPane()) left->OnUpdateEditRedo(pCmdUI);
  else pCmdUI->Enable(FALSE);
}

void CRightView::OnEditSelectAll() { m_wndEditor.SelectAll(); }
void CRightView::OnEditPasteNothing() {}
void CRightView::OnUpdateDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }

LRESULT CRightView::OnEditorNotify(UINT nCode, SCNotification* pNotify) {
  switch (nCode) {
    case SCN_ZOOM: {
      CLeftView* left = GetExpressionPane();
      if (left == nullptr || left->IsZoomSyncInProgress() || left->GetEditor()->GetSafeHwnd() == nullptr) break;
      m_bZoomSyncInProgress = 1;
      // The expression pane takes this pane's zoom exactly.
      const LRESULT zoom = m_wndEditor.SendMessage(SCI_GETZOOM);
      if (left->GetEditor()->SendMessage(SCI_GETZOOM) != zoom)
        left->GetEditor()->SendMessage(SCI_SETZOOM, (WPARAM)zoom, 0);
      m_bZoomSyncInProgress = 0;
      break;
    }
    case EDN_CONTEXTMENU:
      ShowPaneContextMenu(IDR_RESULTS_PANE_MENU, pNotify, this);
      break;
  }
  return CScintillaColorerView::OnEditorNotify(nCode, pNotify);
}

STDMETHODIMP CRightView::XKeyFilter::QueryInterface(REFIID riid, void** ppv) {
  if (CLeftView* left = m_pView->GetExpressionPane()) return left->QueryFace(riid, ppv);
  if (ppv != nullptr) *ppv = nullptr;
  return E_NOINTERFACE;
}

LONG STDMETHODCALLTYPE CRightView::XKeyFilter::FilterMessage(MSG* pMsg) {
  if (CLeftView* left = m_pView->GetExpressionPane()) return left->FilterMessage(pMsg);
  return 1;
}

// The results pane alone, in the framework's preview.
void CRightView::OnFilePrintPreview() { UfxPrintPreview(this); }
