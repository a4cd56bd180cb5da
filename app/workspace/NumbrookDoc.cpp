#include "NumbrookDoc.h"

#include <shlobj.h>

#include "MainInterface.h"
#include "NumbrookLib.h"
#include "SafeReplace.h"
#include "ScintillaColorerView.h"
#include "ScintillaWnd.h"

IMPLEMENT_DYNCREATE(CNumbrookDoc, CScintillaColorerDoc)

namespace {

const wchar_t kCompanyFolder[] = L"\\Ferrow Software";
const wchar_t kProgramFolder[] = L"\\Numbrook";
const wchar_t kWorksheetFile[] = L"\\NumbrookDoc.txt";
const wchar_t kFallbackPath[] = L".\\NumbrookDoc.txt";

CRuntimeClass* g_pExpressionViewClass = nullptr;

// Anything but blanks and line breaks.
bool HoldsText(CScintillaWnd& editor) {
  const CString text = editor.GetText();
  for (int i = 0; i < text.GetLength(); ++i)
    if (!iswspace(text[i])) return true;
  return false;
}

// Creates the folder, or finds it already there (as a folder, not as a file of that name).
bool EnsureFolder(const CString& folder) {
  if (::CreateDirectoryW(folder, nullptr)) return true;
  if (::GetLastError() != ERROR_ALREADY_EXISTS) return false;
  DWORD attr = ::GetFileAttributesW(folder);
  return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

bool MakeAutoSavePath(const CString& appDataFolder, CString& path) {
  if (appDataFolder.IsEmpty()) return false;
  CString folder = appDataFolder;
  folder.TrimRight(L"\\/");
  folder += kCompanyFolder;
  if (!EnsureFolder(folder)) return false;
  folder += kProgramFolder;
  if (!EnsureFolder(folder)) return false;
  path = folder + kWorksheetFile;
  return true;
}

BOOL SaveEditorTextSafely(CScintillaWnd& editor, LPCWSTR path) {
  // Without its window the editor has no text to give: an empty file would replace the worksheet.
  if (path == nullptr || *path == 0 || !::IsWindow(editor.GetSafeHwnd())) return FALSE;
  // A read-only or locked file, or a folder of that name, is never replaced.
  CString temp;
  if (!TargetReplaceable(path) || !MakeTempBeside(path, L"nbk", temp)) return FALSE;
  if (editor.SaveFile(temp) && FlushToDisk(temp) && ReplaceWithTemp(temp, path)) return TRUE;
  ::DeleteFileW(temp);
  return FALSE;
}

int CNumbrookDoc::s_nReplacing = 0;

CNumbrookDoc::CNumbrookDoc() : m_bAutoSaveWorksheet(FALSE) {}

void CNumbrookDoc::SetExpressionViewClass(CRuntimeClass* pClass) { g_pExpressionViewClass = pClass; }

CScintillaColorerView* CNumbrookDoc::GetExpressionView() const {
  CRuntimeClass* pClass = g_pExpressionViewClass ? g_pExpressionViewClass : RUNTIME_CLASS(CLeftView);
  POSITION pos = GetFirstViewPosition();
  while (pos != nullptr) {
    CView* pView = GetNextView(pos);
    if (pView != nullptr && pView->IsKindOf(pClass)) return static_cast<CScintillaColorerView*>(pView);
  }
  return nullptr;
}

BOOL CNumbrookDoc::OnNewDocument() {
  m_strPathName.Empty();
  int model = -1;
  if (IKivSettingsManager* pSettings = TakeManager(&INumbrookMain::GetSettingsManager)) {
    DocumentModel current = PDI;
    if (SUCCEEDED(pSettings->get_DocModel(&current))) model = current;
    pSettings->Release();
  }
  if (model < 0) {
    CWinApp* pApp = AfxGetApp();
    model = pApp != nullptr ? (int)pApp->GetProfileInt(L"Settings", L"DocumentModel", PDI) : PDI;
  }
  m_bAutoSaveWorksheet = model == PDI ? TRUE : FALSE;
  return CScintillaColorerDoc::OnNewDocument();
}

BOOL CNumbrookDoc::OnOpenDocument(LPCWSTR lpszPathName) {
  if (m_strPathName.IsEmpty() && m_bAutoSaveWorksheet) {
    CScintillaColorerView* pView = GetExpressionView();
    if (pView != nullptr && pView->GetEditor()->GetSafeHwnd() != nullptr) SaveDocumentText(*pView->GetEditor());
  }
  return CScintillaColorerDoc::OnOpenDocument(lpszPathName);
}

BOOL CNumbrookDoc::OnSaveDocument(LPCWSTR lpszPathName) {
  CScintillaColorerView* pView = GetExpressionView();
  // Without the pane there is no text: the file is left alone rather than emptied.
  BOOL saved = pView != nullptr && pView->GetEditor()->GetSafeHwnd() != nullptr &&
               KeepOriginalOf(lpszPathName) && SaveEditorTextSafely(*pView->GetEditor(), lpszPathName);
  if (!saved) {
    ResourceMessageBox(nullptr, AFX_IDP_FAILED_TO_SAVE_DOC, AFX_IDS_APP_TITLE, MB_ICONEXCLAMATION);
    return FALSE;
  }
  SetModifiedFlag(FALSE);
  return TRUE;
}

BOOL CNumbrookDoc::SaveModified() {
  SaveApplicationState();
  if (m_strPathName.IsEmpty() && m_bAutoSaveWorksheet) {
    CScintillaColorerView* pView = GetExpressionView();
    if (pView == nullptr || pView->GetEditor()->GetSafeHwnd() == nullptr) {
      SetModifiedFlag(FALSE);  // no pane, no text to keep
    } else if (AutoSave(*pView->GetEditor())) {
      SetModifiedFlag(FALSE);
      if (s_nReplacing > 0 && HoldsText(*pView->GetEditor())) return AskBeforeReplacing();
    } else if (IsModified()) {
      // The changes are still only in the pane: say so, then ask the usual question, whose Yes
      // saves them under a name of the user's choice.
      ReportAutoSaveFailure();
      if (!CScintillaColorerDoc::SaveModified()) return FALSE;
      // No: the user let the text go; the pane's destruction does not ask again.
      if (IsModified()) SetModifiedFlag(FALSE);
      return TRUE;
    }
  }
  return CScintillaColorerDoc::SaveModified();
}

BOOL CNumbrookDoc::AskBeforeReplacing() {
  SetModifiedFlag(TRUE);
  const BOOL go = CScintillaColorerDoc::SaveModified();
  // Kept (Cancel) or let go (No): the text already stands in the auto-save file.
  if (!go || IsModified()) SetModifiedFlag(FALSE);
  return go;
}

CString CNumbrookDoc::GetDocumentPath() {
  CString path;
  if (!MakeAutoSavePath(GetAppDataFolder(), path)) {
    ResourceMessageBox(nullptr, IDS_AUTOSAVE_FOLDER_FAILED, IDS_AUTOSAVE_FOLDER_CAPTION, MB_ICONERROR);
    path = kFallbackPath;
  }
  return path;
}

BOOL CNumbrookDoc::AutoSave(CScintillaWnd& editor) {
  const CString path = GetDocumentPath();
  // A worksheet file that the pane does not hold as it is stays untouched until the user
  // changes the text.
  if (IsAwaitingBackup(path) && !IsModified()) return TRUE;
  return KeepOriginalOf(path) && SaveEditorTextSafely(editor, path);
}

bool CNumbrookDoc::IsAwaitingBackup(const CString& path) const {
  for (const CString& file : m_awaitingBackup)
    if (file.CompareNoCase(path) == 0) return true;
  return false;
}

BOOL CNumbrookDoc::KeepOriginalOf(LPCWSTR path) {
  for (auto it = m_awaitingBackup.begin(); it != m_awaitingBackup.end(); ++it) {
    if (it->CompareNoCase(path) != 0) continue;
    if (!KeepBackupOf(path)) return FALSE;
    m_awaitingBackup.erase(it);
    return TRUE;
  }
  return TRUE;
}

void CNumbrookDoc::ReportAutoSaveFailure() {
  ResourceMessageBox(nullptr, IDS_AUTOSAVE_FAILED, IDS_AUTOSAVE_FAILED_CAPTION, MB_ICONERROR);
}

BOOL CNumbrookDoc::SaveDocumentText(CScintillaWnd& editor) {
  if (!m_strPathName.IsEmpty() || !m_bAutoSaveWorksheet) return TRUE;
  if (AutoSave(editor)) return TRUE;
  if (IsModified()) ReportAutoSaveFailure();
  return FALSE;
}

BOOL CNumbrookDoc::LoadWorksheet(CScintillaWnd& editor, BOOL bFirstUpdate) {
  const bool first = bFirstUpdate && m_bAutoSaveWorksheet;
  CString path = m_strPathName;
  if (path.IsEmpty() && first) path = GetDocumentPath();
  const WorksheetLoad load = editor.LoadFileChecked(path);  // an empty path leaves the editor empty
  if (load == WorksheetLoad::Altered || load == WorksheetLoad::Unreadable) {
    // The file is more than the pane holds: the first save over it in this run keeps it first.
    if (!IsAwaitingBackup(path)) m_awaitingBackup.push_back(path);
    ResourceMessageBox(nullptr, load == WorksheetLoad::Altered ? IDS_WORKSHEET_ALTERED : IDS_WORKSHEET_UNREAD,
                       IDS_WORKSHEET_KEPT_CAPTION, MB_ICONWARNING);
  }
  if (first) {
    int last = editor.GetLineCount() - 1;
    if (last >= 0 && editor.GetLineLength(last) > 0) editor.InsertText(L"\r\n", editor.GetLength());
    editor.GotoPosition(editor.GetLength());
  }
  return load == WorksheetLoad::Exact || load == WorksheetLoad::Altered;
}

void CNumbrookDoc::EndWorksheetLoad(CDocument& doc, CScintillaColorerView& view) {
  CScintillaWnd* editor = view.GetEditor();
  editor->EmptyUndoBuffer();
  view.ColourRange(0, editor->GetLength());
  doc.SetModifiedFlag(FALSE);
}

CString CNumbrookDoc::GetAppDataFolder() {
  wchar_t folder[MAX_PATH] = {};
  if (!::SHGetSpecialFolderPathW(nullptr, folder, CSIDL_APPDATA, FALSE)) return CString();
  return CString(folder);
}

void CNumbrookDoc::SaveApplicationState() {
  if (auto* pWriter = dynamic_cast<IApplicationStateWriter*>(AfxGetApp())) pWriter->SaveState(nullptr, nullptr);
}

int CNumbrookDoc::ResourceMessageBox(HWND hOwner, UINT nTextId, UINT nCaptionId, UINT nType) {
  return ::ResourceMessageBox(hOwner, nTextId, nCaptionId, nType);
}
