// CDocument, CDocTemplate, CSingleDocTemplate and the document manager.
#include "Framework.h"
#include <shlwapi.h>

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)
IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)
IMPLEMENT_DYNAMIC(CSingleDocTemplate, CDocTemplate)

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
  ON_COMMAND(ID_FILE_CLOSE, OnFileClose)
  ON_COMMAND(ID_FILE_SAVE, OnFileSave)
  ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
END_MESSAGE_MAP()

CDocument::CDocument() = default;

CDocument::~CDocument() {
  // Views still attached forget their document.
  for (CView* pView : m_viewList) pView->m_pDocument = nullptr;
  m_viewList.clear();
  if (m_pDocTemplate != nullptr) m_pDocTemplate->RemoveDocument(this);
}

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  return m_pDocTemplate != nullptr && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CDocument::SetTitle(LPCWSTR lpszTitle) {
  m_strTitle = lpszTitle;
  UpdateFrameCounts();
}

void CDocument::SetPathName(LPCWSTR lpszPathName, BOOL bAddToMRU) {
  wchar_t full[MAX_PATH * 2];
  if (!::GetFullPathNameW(lpszPathName, MAX_PATH * 2, full, nullptr)) lstrcpynW(full, lpszPathName, MAX_PATH * 2);
  m_strPathName = full;
  SetTitle(::PathFindFileNameW(full));
  if (bAddToMRU && AfxGetApp() != nullptr) AfxGetApp()->AddToRecentFileList(m_strPathName);
}

void CDocument::AddView(CView* pView) {
  m_viewList.push_back(pView);
  pView->m_pDocument = this;
  OnChangedViewList();
}

void CDocument::RemoveView(CView* pView) {
  for (auto it = m_viewList.begin(); it != m_viewList.end(); ++it) {
    if (*it == pView) {
      m_viewList.erase(it);
      pView->m_pDocument = nullptr;
      OnChangedViewList();
      return;
    }
  }
}

POSITION CDocument::GetFirstViewPosition() const {
  return m_viewList.empty() ? nullptr : (POSITION)(UINT_PTR)1;
}

CView* CDocument::GetNextView(POSITION& rPosition) const {
  size_t i = (size_t)(UINT_PTR)rPosition - 1;
  if (rPosition == nullptr || i >= m_viewList.size()) {
    rPosition = nullptr;
    return nullptr;
  }
  CView* pView = m_viewList[i];
  rPosition = (i + 1 < m_viewList.size()) ? (POSITION)(UINT_PTR)(i + 2) : nullptr;
  return pView;
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint) {
  std::vector<CView*> views = m_viewList;
  for (CView* pView : views)
    if (pView != pSender) pView->OnUpdate(pSender, lHint, pHint);
}

void CDocument::OnChangedViewList() {
  if (m_viewList.empty() && m_bAutoDelete) {
    OnCloseDocument();
    return;
  }
  UpdateFrameCounts();
}

void CDocument::UpdateFrameCounts() {
  // Number the frames that show this document when there are several; the title follows.
  std::vector<CFrameWnd*> frames;
  for (CView* pView : m_viewList) {
    if (pView->m_hWnd == nullptr || !pView->IsWindowVisible()) continue;
    CFrameWnd* pFrame = pView->GetParentFrame();
    if (pFrame == nullptr) continue;
    bool seen = false;
    for (CFrameWnd* f : frames) seen = seen || f == pFrame;
    if (!seen) frames.push_back(pFrame);
  }
  int n = (int)frames.size();
  int i = 1;
  for (CFrameWnd* pFrame : frames) {
    pFrame->m_nWindow = n > 1 ? i++ : -1;
    pFrame->OnUpdateFrameTitle(TRUE);
  }
}

BOOL CDocument::OnNewDocument() {
  DeleteContents();
  m_strPathName.Empty();
  SetModifiedFlag(FALSE);
  return TRUE;
}

namespace {
// Saving goes to a temporary file beside the target, which replaces the target only when the
// whole document was written: a failed save leaves the old file as it was.
class CMirrorFile : public CFile {
public:
  CString m_strMirrorName;
  BOOL Open(LPCWSTR lpszFileName, UINT nOpenFlags, CFileException* pError) override {
    m_strMirrorName.Empty();
    if ((nOpenFlags & modeCreate) && !(nOpenFlags & modeNoTruncate) &&
        ::GetFileAttributesW(lpszFileName) != INVALID_FILE_ATTRIBUTES) {
      wchar_t full[MAX_PATH * 2], dir[MAX_PATH * 2], temp[MAX_PATH * 2];
      if (::GetFullPathNameW(lpszFileName, MAX_PATH * 2, full, nullptr)) {
        lstrcpynW(dir, full, MAX_PATH * 2);
        ::PathRemoveFileSpecW(dir);
        if (::GetTempFileNameW(dir, L"MFT", 0, temp) && CFile::Open(temp, nOpenFlags, pError)) {
          m_strMirrorName = temp;
          m_strFileName = full;  // errors name the real file
          return TRUE;
        }
      }
    }
    return CFile::Open(lpszFileName, nOpenFlags, pError);
  }
  void Close() override {
    CString target = m_strFileName;
    CFile::Close();
    if (!m_strMirrorName.IsEmpty()) {
      CString mirror = m_strMirrorName;
      m_strMirrorName.Empty();
      if (!::MoveFileExW(mirror, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED)) {
        LONG err = (LONG)::GetLastError();
        ::DeleteFileW(mirror);
        AfxThrowFileException(CFileException::OsErrorToException(err), err, target);
      }
    }
  }
  void Abort() override {
    CFile::Abort();
    if (!m_strMirrorName.IsEmpty()) ::DeleteFileW(m_strMirrorName);
    m_strMirrorName.Empty();
  }
};
}  // namespace

CFile* CDocument::GetFile(LPCWSTR lpszFileName, UINT nOpenFlags, CFileException* pError) {
  CFile* pFile = (nOpenFlags & CFile::modeCreate) ? new CMirrorFile : new CFile;
  if (!pFile->Open(lpszFileName, nOpenFlags, pError)) {
    delete pFile;
    return nullptr;
  }
  return pFile;
}

void CDocument::ReleaseFile(CFile* pFile, BOOL bAbort) {
  if (bAbort) pFile->Abort();
  else pFile->Close();
  delete pFile;
}

void CDocument::ReportSaveLoadException(LPCWSTR lpszPathName, CException* e, BOOL bSaving, UINT nIDPDefault) {
  wchar_t text[1024];
  if (e != nullptr && !e->IsKindOf(RUNTIME_CLASS(CUserException)) && e->GetErrorMessage(text, 1024)) {
    AfxMessageBox(text, MB_ICONEXCLAMATION);
    return;
  }
  if (e != nullptr && e->IsKindOf(RUNTIME_CLASS(CUserException))) return;
  CString prompt;
  AfxFormatString1(prompt, nIDPDefault, lpszPathName);
  if (prompt.IsEmpty()) prompt.Format(bSaving ? L"Failed to save %s." : L"Failed to open %s.", lpszPathName);
  AfxMessageBox(prompt, MB_ICONEXCLAMATION);
}

BOOL CDocument::OnOpenDocument(LPCWSTR lpszPathName) {
  CFileException fe;
  CFile* pFile = GetFile(lpszPathName, CFile::modeRead | CFile::shareDenyWrite, &fe);
  if (pFile == nullptr) {
    ReportSaveLoadException(lpszPathName, &fe, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
    return FALSE;
  }
  DeleteContents();
  SetModifiedFlag(TRUE);
  CArchive ar(pFile, CArchive::load | CArchive::bNoFlushOnDelete);
  ar.m_pDocument = this;
  ar.m_bForceFlat = FALSE;
  // Out of memory, or any other fault of the reading, fails the open like a damaged file: the
  // caller then puts an empty document in the half-read one's place.
  bool failed = false;
  CException* failure = nullptr;
  try {
    Serialize(ar);
    ar.Close();
    ReleaseFile(pFile, FALSE);
  } catch (CException* e) {
    failed = true;
    failure = e;
  } catch (...) {
    failed = true;
  }
  if (failed) {
    ar.Abort();
    ReleaseFile(pFile, TRUE);
    DeleteContents();
    ReportSaveLoadException(lpszPathName, failure, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
    if (failure != nullptr) failure->Delete();
    return FALSE;
  }
  SetModifiedFlag(FALSE);
  return TRUE;
}

BOOL CDocument::OnSaveDocument(LPCWSTR lpszPathName) {
  CFileException fe;
  CFile* pFile = GetFile(lpszPathName, CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive, &fe);
  if (pFile == nullptr) {
    ReportSaveLoadException(lpszPathName, &fe, TRUE, AFX_IDP_INVALID_FILENAME);
    return FALSE;
  }
  CArchive ar(pFile, CArchive::store | CArchive::bNoFlushOnDelete);
  ar.m_pDocument = this;
  ar.m_bForceFlat = FALSE;
  try {
    Serialize(ar);
    ar.Close();
    ReleaseFile(pFile, FALSE);
  } catch (CException* e) {
    ar.Abort();
    ReleaseFile(pFile, TRUE);
    ReportSaveLoadException(lpszPathName, e, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
    e->Delete();
    return FALSE;
  }
  SetModifiedFlag(FALSE);
  return TRUE;
}

void CDocument::OnCloseDocument() {
  // Closing the frames may delete this document through its views; hold that off.
  BOOL bAutoDelete = m_bAutoDelete;
  m_bAutoDelete = FALSE;
  while (!m_viewList.empty()) {
    CView* pView = m_viewList.front();
    CFrameWnd* pFrame = pView->GetParentFrame();
    if (pFrame != nullptr) {
      PreCloseFrame(pFrame);
      pFrame->DestroyWindow();
    } else {
      pView->DestroyWindow();
    }
    // A view that did not go away with its window is dropped from the list.
    if (!m_viewList.empty() && m_viewList.front() == pView) RemoveView(pView);
  }
  m_bAutoDelete = bAutoDelete;
  DeleteContents();
  if (m_bAutoDelete) delete this;
}

BOOL CDocument::CanCloseFrame(CFrameWnd* pFrameArg) {
  // Only the last frame that shows the document asks to save it.
  for (CView* pView : m_viewList) {
    CFrameWnd* pFrame = pView->GetParentFrame();
    if (pFrame != nullptr && pFrame != pFrameArg) return TRUE;
  }
  return SaveModified();
}

BOOL CDocument::SaveModified() {
  if (!IsModified()) return TRUE;
  CString name;
  if (m_strPathName.IsEmpty()) {
    name = m_strTitle;
    if (name.IsEmpty() && !name.LoadString(AFX_IDS_UNTITLED)) name = L"Untitled";
  } else {
    name = ::PathFindFileNameW(m_strPathName);
  }
  CString prompt;
  AfxFormatString1(prompt, AFX_IDP_ASK_TO_SAVE, name);
  if (prompt.IsEmpty()) prompt.Format(L"Save changes to %s?", (LPCWSTR)name);
  switch (AfxMessageBox(prompt, MB_YESNOCANCEL, AFX_IDP_ASK_TO_SAVE)) {
    case IDCANCEL: return FALSE;
    case IDYES: return DoFileSave();
    default: return TRUE;
  }
}

BOOL CDocument::DoFileSave() {
  DWORD attr = m_strPathName.IsEmpty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesW(m_strPathName);
  if (attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_READONLY)) return DoSave(nullptr);
  return DoSave(m_strPathName.IsEmpty() ? nullptr : (LPCWSTR)m_strPathName);
}

BOOL CDocument::DoSave(LPCWSTR lpszPathName, BOOL bReplace) {
  CString newName = lpszPathName ? lpszPathName : L"";
  if (newName.IsEmpty()) {
    newName = m_strPathName;
    if (bReplace && newName.IsEmpty()) {
      newName = m_strTitle;
      newName.Remove(L':');
      newName.Remove(L'\\');
      newName.Remove(L'/');
      CString ext;
      if (m_pDocTemplate != nullptr && m_pDocTemplate->GetDocString(ext, CDocTemplate::filterExt) && !ext.IsEmpty()) {
        int semi = ext.Find(L';');
        if (semi >= 0) ext = ext.Left(semi);
        newName += ext;
      }
    }
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr || !pApp->DoPromptFileName(newName, bReplace ? AFX_IDS_SAVEFILE : AFX_IDS_SAVEFILECOPY,
                                                    OFN_HIDEREADONLY | OFN_PATHMUSTEXIST, FALSE, m_pDocTemplate))
      return FALSE;
  }
  if (!OnSaveDocument(newName)) return FALSE;
  if (bReplace) SetPathName(newName);
  return TRUE;
}

void CDocument::OnFileClose() {
  if (!SaveModified()) return;
  OnCloseDocument();
}

void CDocument::OnFileSave() { DoFileSave(); }
void CDocument::OnFileSaveAs() { DoSave(nullptr); }

// ---- CDocTemplate ------------------------------------------------------------------------------
CDocTemplate::CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                           CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass), m_pViewClass(pViewClass) {
  LoadTemplate();
}

void CDocTemplate::LoadTemplate() {
  if (m_strDocStrings.IsEmpty()) m_strDocStrings.LoadString(m_nIDResource);
}

BOOL CDocTemplate::GetDocString(CString& rString, DocStringIndex i) const {
  return AfxExtractSubString(rString, m_strDocStrings, (int)i);
}

void CDocTemplate::AddDocument(CDocument* pDoc) { pDoc->m_pDocTemplate = this; }
void CDocTemplate::RemoveDocument(CDocument* pDoc) { pDoc->m_pDocTemplate = nullptr; }
void CDocTemplate::SetContainerInfo(UINT nIDOleInPlaceContainer) { m_nIDContainerResource = nIDOleInPlaceContainer; }

CDocument* CDocTemplate::CreateNewDocument() {
  if (m_pDocClass == nullptr) return nullptr;
  CDocument* pDoc = (CDocument*)m_pDocClass->CreateObject();
  if (pDoc == nullptr) return nullptr;
  AddDocument(pDoc);
  return pDoc;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther) {
  CCreateContext context;
  context.m_pCurrentFrame = pOther;
  context.m_pCurrentDoc = pDoc;
  context.m_pNewViewClass = m_pViewClass;
  context.m_pNewDocTemplate = this;
  if (m_pFrameClass == nullptr) return nullptr;
  CFrameWnd* pFrame = (CFrameWnd*)m_pFrameClass->CreateObject();
  if (pFrame == nullptr) return nullptr;
  if (!pFrame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context)) {
    // A frame whose window never came to be has deleted itself (PostNcDestroy).
    return nullptr;
  }
  return pFrame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible) {
  pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

BOOL CDocTemplate::SaveAllModified() {
  POSITION pos = GetFirstDocPosition();
  while (pos != nullptr) {
    CDocument* pDoc = GetNextDoc(pos);
    if (!pDoc->SaveModified()) return FALSE;
  }
  return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL) {
  POSITION pos = GetFirstDocPosition();
  while (pos != nullptr) {
    CDocument* pDoc = GetNextDoc(pos);
    pDoc->OnCloseDocument();
  }
}

CDocTemplate::Confidence CDocTemplate::MatchDocType(LPCWSTR lpszPathName, CDocument*& rpDocMatch) {
  rpDocMatch = nullptr;
  POSITION pos = GetFirstDocPosition();
  while (pos != nullptr) {
    CDocument* pDoc = GetNextDoc(pos);
    if (pDoc->GetPathName().CompareNoCase(lpszPathName) == 0) {
      rpDocMatch = pDoc;
      return yesAlreadyOpen;
    }
  }
  CString ext;
  if (GetDocString(ext, filterExt) && !ext.IsEmpty()) {
    LPCWSTR dot = ::PathFindExtensionW(lpszPathName);
    int start = 0;
    for (CString one = ext.Tokenize(L";", start); start != -1; one = ext.Tokenize(L";", start))
      if (one.CompareNoCase(dot) == 0) return yesAttemptNative;
  }
  return yesAttemptForeign;
}

void CDocTemplate::OnIdle() {
  POSITION pos = GetFirstDocPosition();
  while (pos != nullptr) GetNextDoc(pos)->OnIdle();
}

// ---- CSingleDocTemplate ------------------------------------------------------------------------
CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                                       CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass) {}

CSingleDocTemplate::~CSingleDocTemplate() {
  if (m_pOnlyDoc != nullptr) m_pOnlyDoc->m_pDocTemplate = nullptr;
}

void CSingleDocTemplate::AddDocument(CDocument* pDoc) {
  CDocTemplate::AddDocument(pDoc);
  m_pOnlyDoc = pDoc;
}

void CSingleDocTemplate::RemoveDocument(CDocument* pDoc) {
  CDocTemplate::RemoveDocument(pDoc);
  if (m_pOnlyDoc == pDoc) m_pOnlyDoc = nullptr;
}

POSITION CSingleDocTemplate::GetFirstDocPosition() const { return m_pOnlyDoc ? BEFORE_START_POSITION : nullptr; }

CDocument* CSingleDocTemplate::GetNextDoc(POSITION& rPos) const {
  CDocument* pDoc = rPos == BEFORE_START_POSITION ? m_pOnlyDoc : nullptr;
  rPos = nullptr;
  return pDoc;
}

void CSingleDocTemplate::SetDefaultTitle(CDocument* pDocument) {
  CString title;
  if (!GetDocString(title, docName) || title.IsEmpty())
    if (!title.LoadString(AFX_IDS_UNTITLED)) title = L"Untitled";
  pDocument->SetTitle(title);
}

CDocument* CDocTemplate::CreateDocumentWithFrame(CFrameWnd*& rpFrame) {
  rpFrame = nullptr;
  CDocument* pDocument = CreateNewDocument();
  if (pDocument == nullptr) {
    AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
    return nullptr;
  }
  BOOL bAutoDelete = pDocument->m_bAutoDelete;
  pDocument->m_bAutoDelete = FALSE;  // a failing frame must not delete the document
  rpFrame = CreateNewFrame(pDocument, nullptr);
  pDocument->m_bAutoDelete = bAutoDelete;
  if (rpFrame == nullptr) {
    AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
    delete pDocument;
    return nullptr;
  }
  return pDocument;
}

// The document's open, with every fault that escapes it counted as a failed open that may have
// touched the contents (so the caller does not keep them under the old path).
BOOL CDocTemplate::OpenOrFail(CDocument* pDocument, LPCWSTR lpszPathName) {
  CException* failure = nullptr;
  try {
    return pDocument->OnOpenDocument(lpszPathName);
  } catch (CException* e) {
    failure = e;
  } catch (...) {
  }
  pDocument->SetModifiedFlag(TRUE);
  pDocument->ReportSaveLoadException(lpszPathName, failure, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
  if (failure != nullptr) failure->Delete();
  return FALSE;
}

CDocument* CSingleDocTemplate::OpenDocumentFile(LPCWSTR lpszPathName, BOOL bMakeVisible) {
  CDocument* pDocument = nullptr;
  CFrameWnd* pFrame = nullptr;
  BOOL bCreated = FALSE;
  BOOL bWasModified = FALSE;
  if (m_pOnlyDoc != nullptr) {
    // Reuse the document (and its frame) after the user agreed to drop the current contents.
    pDocument = m_pOnlyDoc;
    if (!pDocument->SaveModified()) return nullptr;
    POSITION pos = pDocument->GetFirstViewPosition();
    CView* pView = pos ? pDocument->GetNextView(pos) : nullptr;
    pFrame = pView ? pView->GetParentFrame() : nullptr;
  } else {
    pDocument = CreateDocumentWithFrame(pFrame);
    if (pDocument == nullptr) return nullptr;
    bCreated = TRUE;
  }
  if (lpszPathName == nullptr) {
    SetDefaultTitle(pDocument);
    if (!bMakeVisible) pDocument->m_bEmbedded = TRUE;
    if (!pDocument->OnNewDocument()) {
      if (bCreated && pFrame != nullptr) pFrame->DestroyWindow();  // also ends the document
      return nullptr;
    }
  } else {
    CWaitCursor wait;
    bWasModified = pDocument->IsModified();
    pDocument->SetModifiedFlag(FALSE);
    if (!OpenOrFail(pDocument, lpszPathName)) {
      if (bCreated) {
        if (pFrame != nullptr) pFrame->DestroyWindow();
      } else if (!pDocument->IsModified()) {
        pDocument->SetModifiedFlag(bWasModified);
      } else {
        // The old contents are gone: start an empty document instead.
        SetDefaultTitle(pDocument);
        pDocument->OnNewDocument();
      }
      return nullptr;
    }
    pDocument->SetPathName(lpszPathName);
  }
  CWinThread* pThread = AfxGetThread();
  if (bCreated && pThread != nullptr && pThread->m_pMainWnd == nullptr) pThread->m_pMainWnd = pFrame;
  if (pFrame != nullptr) InitialUpdateFrame(pFrame, pDocument, bMakeVisible);
  return pDocument;
}

// ---- CDocManager -------------------------------------------------------------------------------
CDocManager::~CDocManager() {
  for (CDocTemplate* p : m_templateList)
    if (p->m_bAutoDelete) delete p;
  m_templateList.clear();
}

void CDocManager::AddDocTemplate(CDocTemplate* pTemplate) {
  if (pTemplate == nullptr) return;
  pTemplate->LoadTemplate();
  m_templateList.push_back(pTemplate);
}

POSITION CDocManager::GetFirstDocTemplatePosition() const {
  return m_templateList.empty() ? nullptr : (POSITION)(UINT_PTR)1;
}

CDocTemplate* CDocManager::GetNextDocTemplate(POSITION& pos) const {
  size_t i = (size_t)(UINT_PTR)pos - 1;
  if (pos == nullptr || i >= m_templateList.size()) {
    pos = nullptr;
    return nullptr;
  }
  pos = (i + 1 < m_templateList.size()) ? (POSITION)(UINT_PTR)(i + 2) : nullptr;
  return m_templateList[i];
}

int CDocManager::GetOpenDocumentCount() {
  int n = 0;
  for (CDocTemplate* t : m_templateList) {
    POSITION pos = t->GetFirstDocPosition();
    while (pos != nullptr) {
      t->GetNextDoc(pos);
      ++n;
    }
  }
  return n;
}

BOOL CDocManager::SaveAllModified() {
  for (CDocTemplate* t : m_templateList)
    if (!t->SaveAllModified()) return FALSE;
  return TRUE;
}

void CDocManager::CloseAllDocuments(BOOL bEndSession) {
  for (CDocTemplate* t : m_templateList) t->CloseAllDocuments(bEndSession);
}

CDocument* CDocManager::OpenDocumentFile(LPCWSTR lpszFileName) {
  if (lpszFileName == nullptr || m_templateList.empty()) return nullptr;
  CDocTemplate* pBest = nullptr;
  CDocTemplate::Confidence best = CDocTemplate::noAttempt;
  for (CDocTemplate* t : m_templateList) {
    CDocument* pOpen = nullptr;
    CDocTemplate::Confidence c = t->MatchDocType(lpszFileName, pOpen);
    if (c == CDocTemplate::yesAlreadyOpen && pOpen != nullptr) {
      POSITION pos = pOpen->GetFirstViewPosition();
      if (pos != nullptr) {
        CView* pView = pOpen->GetNextView(pos);
        if (CFrameWnd* pFrame = pView->GetParentFrame()) pFrame->ActivateFrame();
      }
      return pOpen;
    }
    if (c > best) {
      best = c;
      pBest = t;
    }
  }
  return pBest ? pBest->OpenDocumentFile(lpszFileName) : nullptr;
}

void CDocManager::OnFileNew() {
  if (m_templateList.empty()) {
    AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
    return;
  }
  // With several templates the first one is used; choosing among them is not offered.
  m_templateList.front()->OpenDocumentFile(nullptr);
}

void CDocManager::OnFileOpen() {
  CString newName;
  if (!DoPromptFileName(newName, AFX_IDS_OPENFILE, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, TRUE, nullptr)) return;
  AfxGetApp()->OpenDocumentFile(newName);
}

BOOL CDocManager::DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                                   CDocTemplate* pTemplate) {
  CString filter;
  std::vector<CDocTemplate*> templates;
  if (pTemplate != nullptr) templates.push_back(pTemplate);
  else templates = m_templateList;
  for (CDocTemplate* t : templates) {
    CString name, ext;
    if (t->GetDocString(name, CDocTemplate::filterName) && !name.IsEmpty() &&
        t->GetDocString(ext, CDocTemplate::filterExt) && !ext.IsEmpty()) {
      CString pattern = L"*" + ext;
      pattern.Replace(L";", L";*");
      filter += name + L"|" + pattern + L"|";
    }
  }
  CString all;
  if (!all.LoadString(AFX_IDS_ALLFILTER)) all = L"All Files (*.*)";
  filter += all + L"|*.*||";
  CFileDialog dlg(bOpenFileDialog, nullptr, fileName.IsEmpty() ? nullptr : (LPCWSTR)fileName,
                  lFlags | OFN_OVERWRITEPROMPT * (!bOpenFileDialog), filter, AfxGetMainWnd());
  CString title;
  if (title.LoadString(nIDSTitle)) dlg.m_ofn.lpstrTitle = title;
  if (dlg.DoModal() != IDOK) return FALSE;
  fileName = dlg.GetPathName();
  return TRUE;
}
