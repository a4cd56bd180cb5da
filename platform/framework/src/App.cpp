// CWinThread, CWinApp, the command line, profile settings and the recent-file list.
#include "Framework.h"
#include <algorithm>
#include <shlwapi.h>
#include <stdlib.h>

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)
IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

static CWinApp* g_pApp = nullptr;
static CWinThread* g_pThread = nullptr;
static BOOL g_bControlContainer = FALSE;
static BOOL g_bOleInitialized = FALSE;

CWinApp* AfxGetApp() { return g_pApp; }
CWinThread* AfxGetThread() { return g_pThread; }
CWnd* AfxGetMainWnd() { return g_pThread ? g_pThread->GetMainWnd() : nullptr; }
LPCWSTR AfxGetAppName() { return g_pApp ? g_pApp->m_pszAppName : L""; }
void AfxPostQuitMessage(int nExitCode) { ::PostQuitMessage(nExitCode); }
void AfxEnableControlContainer() { g_bControlContainer = TRUE; }
BOOL AfxControlContainerEnabled() { return g_bControlContainer; }
BOOL AfxOleInit() {
  // Once per program; undone when the program's entry returns.
  if (g_bOleInitialized) return TRUE;
  HRESULT hr = ::OleInitialize(nullptr);
  if (FAILED(hr)) return FALSE;
  g_bOleInitialized = TRUE;
  return TRUE;
}

void AfxDeleteTempMaps() {
  CWnd::DeleteTempMap();
  CDC::DeleteTempMap();
  CGdiObject::DeleteTempMap();
  CMenu::DeleteTempMap();
  CImageList::DeleteTempMap();
}

int AfxMessageBox(LPCWSTR lpszText, UINT nType, UINT nIDHelp) {
  CWinApp* pApp = AfxGetApp();
  if (pApp != nullptr) return pApp->DoMessageBox(lpszText, nType, nIDHelp);
  return ::MessageBoxW(::GetActiveWindow(), lpszText, nullptr, nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp) {
  CString s;
  if (!s.LoadString(nIDPrompt)) s.Format(L"Message %u", nIDPrompt);
  if (nIDHelp == (UINT)-1) nIDHelp = nIDPrompt;
  return AfxMessageBox(s, nType, nIDHelp);
}

// ---- CWinThread -------------------------------------------------------------------------------
BEGIN_MESSAGE_MAP(CWinThread, CCmdTarget)
END_MESSAGE_MAP()

CWinThread::CWinThread() {
  m_nThreadID = ::GetCurrentThreadId();
  if (g_pThread == nullptr) g_pThread = this;
}

int CWinThread::ExitInstance() { return (int)m_msgCur.wParam; }

BOOL CWinThread::DispatchThreadMessageEx(MSG* pMsg) {
  for (const AFX_MSGMAP* map = GetMessageMap(); map != nullptr;
       map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
    for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->pfn != nullptr; ++e) {
      bool match = e->pRegMsg ? (pMsg->message >= 0xC000 && *e->pRegMsg == pMsg->message)
                              : (e->nMessage == pMsg->message && e->nCode == 0 && e->nID == 0 && pMsg->message < 0xC000);
      if (!match) continue;
      LRESULT r = 0;
      AFX_DISPATCH d = {pMsg->message, pMsg->wParam, pMsg->lParam, 0, 0, nullptr, &r};
      e->pfn(this, d);
      return TRUE;
    }
  }
  return FALSE;
}

BOOL AfxPreTranslateMessage(MSG* pMsg) {
  CWinThread* pThread = AfxGetThread();
  return pThread ? pThread->PreTranslateMessage(pMsg) : CWnd::WalkPreTranslateTree(nullptr, pMsg);
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->hwnd == nullptr && DispatchThreadMessageEx(pMsg)) return TRUE;
  CWnd* pMainWnd = AfxGetMainWnd();
  if (CWnd::WalkPreTranslateTree(pMainWnd->GetSafeHwnd(), pMsg)) return TRUE;
  // Messages of windows outside the main window's tree (modeless dialogs) still get its accelerators.
  if (pMainWnd != nullptr && pMsg->hwnd != nullptr) {
    CWnd* pWnd = CWnd::FromHandle(pMsg->hwnd);
    if (pWnd->GetTopLevelParent() != pMainWnd) return pMainWnd->PreTranslateMessage(pMsg);
  }
  return FALSE;
}

BOOL CWinThread::PumpMessage() {
  if (!::GetMessageW(&m_msgCur, nullptr, 0, 0)) return FALSE;
  if (m_msgCur.message != WM_KICKIDLE && !PreTranslateMessage(&m_msgCur)) {
    ::TranslateMessage(&m_msgCur);
    ::DispatchMessageW(&m_msgCur);
  }
  return TRUE;
}

BOOL AfxInternalPumpMessage() {
  MSG msg;
  if (!::GetMessageW(&msg, nullptr, 0, 0)) return FALSE;
  if (!AfxPreTranslateMessage(&msg)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return TRUE;
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg) {
  // A mouse move to where the mouse already was, a caret blink and repaints do not restart idle.
  if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE) {
    if (m_ptCursorLast.x == pMsg->pt.x && m_ptCursorLast.y == pMsg->pt.y && pMsg->message == m_nMsgLast) return FALSE;
    m_ptCursorLast = pMsg->pt;
    m_nMsgLast = pMsg->message;
    return TRUE;
  }
  return pMsg->message != WM_PAINT && pMsg->message != 0x0118;
}

static void UpdateFrameCmdUI(CWnd* pWnd) {
  if (pWnd == nullptr || pWnd->m_hWnd == nullptr || !pWnd->IsWindowVisible()) return;
  AfxCallWndProc(pWnd, pWnd->m_hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
  pWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
}

BOOL CWinThread::OnIdle(LONG lCount) {
  if (lCount <= 0) {
    CWnd* pMainWnd = m_pMainWnd;
    UpdateFrameCmdUI(pMainWnd);
    // Other top-level frames of the thread (floating frames, secondary windows); a show or
    // hide that a frame put off to this idle time happens around its update.
    std::vector<CFrameWnd*> frames = CFrameWnd::GetFrameList();
    for (CFrameWnd* pFrame : frames) {
      auto& list = CFrameWnd::GetFrameList();
      if (std::find(list.begin(), list.end(), pFrame) == list.end()) continue;  // gone meanwhile
      if (pFrame == pMainWnd || pFrame->m_hWnd == nullptr || (pFrame->GetStyle() & WS_CHILD)) continue;
      int nShowDelay = pFrame->m_nShowDelay;
      pFrame->m_nShowDelay = -1;
      if (nShowDelay == SW_HIDE) pFrame->ShowWindow(SW_HIDE);
      if (nShowDelay > SW_HIDE) {
        AfxCallWndProc(pFrame, pFrame->m_hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
        pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        pFrame->ShowWindow(nShowDelay);
      } else {
        UpdateFrameCmdUI(pFrame);
      }
    }
  } else {
    AfxDeleteTempMaps();
  }
  return lCount < 0;
}

int CWinThread::Run() {
  BOOL bIdle = TRUE;
  LONG lIdleCount = 0;
  for (;;) {
    while (bIdle && !::PeekMessageW(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE)) {
      if (!OnIdle(lIdleCount++)) bIdle = FALSE;
    }
    do {
      if (!PumpMessage()) return ExitInstance();
      if (IsIdleMessage(&m_msgCur)) {
        bIdle = TRUE;
        lIdleCount = 0;
      }
    } while (::PeekMessageW(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE));
  }
}

LRESULT CWinThread::ProcessWndProcException(CException* e, const MSG* pMsg) {
  LRESULT result = 0;
  if (pMsg->message == WM_CREATE) result = -1;
  else if (pMsg->message == WM_PAINT) ::ValidateRect(pMsg->hwnd, nullptr);
  if (!e->IsKindOf(RUNTIME_CLASS(CUserException))) e->ReportError(MB_ICONEXCLAMATION, AFX_IDP_INTERNAL_FAILURE);
  e->Delete();
  return result;
}

// ---- CCommandLineInfo -----------------------------------------------------------------------
CCommandLineInfo::CCommandLineInfo()
    : m_bShowSplash(TRUE), m_bRunEmbedded(FALSE), m_bRunAutomated(FALSE), m_nShellCommand(FileNew) {}

void CCommandLineInfo::ParseParam(const wchar_t* pszParam, BOOL bFlag, BOOL bLast) {
  if (bFlag) ParseParamFlag(pszParam);
  else ParseParamNotFlag(pszParam);
  ParseLast(bLast);
}

void CCommandLineInfo::ParseParamFlag(const wchar_t* pszParam) {
  if (_wcsicmp(pszParam, L"pt") == 0) m_nShellCommand = FilePrintTo;
  else if (_wcsicmp(pszParam, L"p") == 0) m_nShellCommand = FilePrint;
  else if (_wcsicmp(pszParam, L"Unregister") == 0 || _wcsicmp(pszParam, L"Unregserver") == 0) m_nShellCommand = AppUnregister;
  else if (_wcsicmp(pszParam, L"Register") == 0 || _wcsicmp(pszParam, L"Regserver") == 0) m_nShellCommand = AppRegister;
  else if (_wcsicmp(pszParam, L"dde") == 0) m_nShellCommand = FileDDE;
  else if (_wcsicmp(pszParam, L"Embedding") == 0) { m_bRunEmbedded = TRUE; m_bShowSplash = FALSE; }
  else if (_wcsicmp(pszParam, L"Automation") == 0) { m_bRunAutomated = TRUE; m_bShowSplash = FALSE; }
}

void CCommandLineInfo::ParseParamNotFlag(const wchar_t* pszParam) {
  if (m_strFileName.IsEmpty()) m_strFileName = pszParam;
  else if (m_nShellCommand == FilePrintTo && m_strPrinterName.IsEmpty()) m_strPrinterName = pszParam;
  else if (m_nShellCommand == FilePrintTo && m_strDriverName.IsEmpty()) m_strDriverName = pszParam;
  else if (m_nShellCommand == FilePrintTo && m_strPortName.IsEmpty()) m_strPortName = pszParam;
}

void CCommandLineInfo::ParseLast(BOOL bLast) {
  if (bLast) {
    if (m_nShellCommand == FileNew && !m_strFileName.IsEmpty()) m_nShellCommand = FileOpen;
    m_bShowSplash = !m_bRunEmbedded && !m_bRunAutomated;
  }
}

// ---- CWinApp -----------------------------------------------------------------------------------
BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
  ON_COMMAND(ID_APP_EXIT, OnAppExit)
  ON_COMMAND_EX_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE16, OnOpenRecentFile)
  ON_UPDATE_COMMAND_UI(ID_FILE_MRU_FILE1, OnUpdateRecentFileMenu)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCWSTR lpszAppName) {
  g_pApp = this;
  g_pThread = this;
  if (lpszAppName != nullptr) m_pszAppName = _wcsdup(lpszAppName);
}

CWinApp::~CWinApp() {
  delete m_pDocManager;
  m_pDocManager = nullptr;
  delete m_pRecentFileList;
  m_pRecentFileList = nullptr;
  if (m_hDevMode) ::GlobalFree(m_hDevMode);
  if (m_hDevNames) ::GlobalFree(m_hDevNames);
  free((void*)m_pszAppName);
  free((void*)m_pszExeName);
  free((void*)m_pszHelpFilePath);
  free((void*)m_pszProfileName);
  free((void*)m_pszRegistryKey);
  if (g_pApp == this) g_pApp = nullptr;
  if (g_pThread == this) g_pThread = nullptr;
}

BOOL AfxWinInit(HINSTANCE hInstance, HINSTANCE, LPWSTR lpCmdLine, int nCmdShow) {
  AfxSetInstanceHandle(hInstance);
  CWinApp* pApp = AfxGetApp();
  if (pApp == nullptr) return TRUE;
  pApp->m_hInstance = hInstance;
  pApp->m_lpCmdLine = lpCmdLine;
  pApp->m_nCmdShow = nCmdShow;
  wchar_t path[MAX_PATH];
  ::GetModuleFileNameW(hInstance, path, MAX_PATH);
  wchar_t exe[MAX_PATH];
  lstrcpynW(exe, ::PathFindFileNameW(path), MAX_PATH);
  ::PathRemoveExtensionW(exe);
  if (pApp->m_pszExeName == nullptr) pApp->m_pszExeName = _wcsdup(exe);
  if (pApp->m_pszAppName == nullptr) {
    CString title;
    pApp->m_pszAppName = _wcsdup(title.LoadString(AFX_IDS_APP_TITLE) ? (LPCWSTR)title : exe);
  }
  if (pApp->m_pszHelpFilePath == nullptr) {
    ::PathRenameExtensionW(path, L".HLP");
    pApp->m_pszHelpFilePath = _wcsdup(path);
  }
  if (pApp->m_pszProfileName == nullptr) {
    CString ini = CString(exe) + L".INI";
    pApp->m_pszProfileName = _wcsdup(ini);
  }
  return TRUE;
}

int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nCmdShow) {
  int nReturnCode = -1;
  CWinThread* pThread = AfxGetThread();
  CWinApp* pApp = AfxGetApp();
  if (!AfxWinInit(hInstance, hPrevInstance, lpCmdLine, nCmdShow)) return nReturnCode;
  if (pApp != nullptr && !pApp->InitApplication()) return nReturnCode;
  if (pThread == nullptr) return nReturnCode;
  if (!pThread->InitInstance()) {
    if (pThread->m_pMainWnd != nullptr) pThread->m_pMainWnd->DestroyWindow();
    nReturnCode = pThread->ExitInstance();
  } else {
    nReturnCode = pThread->Run();
  }
  AfxDeleteTempMaps();
  if (g_bOleInitialized) {
    ::OleUninitialize();
    g_bOleInitialized = FALSE;
  }
  return nReturnCode;
}

BOOL CWinApp::InitApplication() {
  if (m_pDocManager == nullptr) m_pDocManager = new CDocManager;
  return TRUE;
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() {
  SaveStdProfileSettings();
  return CWinThread::ExitInstance();
}

int CWinApp::Run() {
  if (m_pMainWnd == nullptr) ::PostQuitMessage(0);  // nothing to run without a main window
  return CWinThread::Run();
}

BOOL CWinApp::OnIdle(LONG lCount) {
  if (lCount <= 0) {
    CWinThread::OnIdle(lCount);
    // Documents get their idle time too.
    if (m_pDocManager != nullptr)
      for (CDocTemplate* pTemplate : m_pDocManager->m_templateList) pTemplate->OnIdle();
  } else if (lCount == 1) {
    CWinThread::OnIdle(lCount);
  }
  return lCount < 1;
}

int CWinApp::DoMessageBox(LPCWSTR lpszPrompt, UINT nType, UINT) {
  HWND hOwner = nullptr;
  CWnd* pMain = AfxGetMainWnd();
  if (pMain != nullptr && pMain->m_hWnd != nullptr) hOwner = ::GetLastActivePopup(pMain->m_hWnd);
  else hOwner = ::GetActiveWindow();
  if ((nType & MB_ICONMASK) == 0) {
    switch (nType & MB_TYPEMASK) {
      case MB_OK: case MB_OKCANCEL: nType |= MB_ICONEXCLAMATION; break;
      case MB_YESNO: case MB_YESNOCANCEL: nType |= MB_ICONQUESTION; break;
      case MB_ABORTRETRYIGNORE: case MB_RETRYCANCEL: break;
    }
  }
  return ::MessageBoxW(hOwner, lpszPrompt, m_pszAppName, nType);
}

void CWinApp::HideApplication() {
  if (m_pMainWnd != nullptr && m_pMainWnd->m_hWnd != nullptr) {
    m_pMainWnd->ShowWindow(SW_HIDE);
    m_pMainWnd->ShowOwnedPopups(FALSE);
  }
}

void CWinApp::DoWaitCursor(int nCode) {
  if (nCode > 0) BeginWaitCursor();
  else if (nCode < 0) EndWaitCursor();
  else RestoreWaitCursor();
}

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate) {
  if (m_pDocManager == nullptr) m_pDocManager = new CDocManager;
  m_pDocManager->AddDocTemplate(pTemplate);
}

POSITION CWinApp::GetFirstDocTemplatePosition() const {
  return m_pDocManager ? m_pDocManager->GetFirstDocTemplatePosition() : nullptr;
}

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& pos) const { return m_pDocManager->GetNextDocTemplate(pos); }

BOOL CWinApp::SaveAllModified() { return m_pDocManager ? m_pDocManager->SaveAllModified() : TRUE; }

void CWinApp::CloseAllDocuments(BOOL bEndSession) {
  if (m_pDocManager) m_pDocManager->CloseAllDocuments(bEndSession);
}

CDocument* CWinApp::OpenDocumentFile(LPCWSTR lpszFileName) {
  return m_pDocManager ? m_pDocManager->OpenDocumentFile(lpszFileName) : nullptr;
}

BOOL CWinApp::DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                               CDocTemplate* pTemplate) {
  return m_pDocManager ? m_pDocManager->DoPromptFileName(fileName, nIDSTitle, lFlags, bOpenFileDialog, pTemplate) : FALSE;
}

void CWinApp::OnFileNew() {
  if (m_pDocManager) m_pDocManager->OnFileNew();
}

void CWinApp::OnFileOpen() {
  if (m_pDocManager) m_pDocManager->OnFileOpen();
}

void CWinApp::OnAppExit() {
  if (m_pMainWnd != nullptr) m_pMainWnd->SendMessage(WM_CLOSE);
}

void CWinApp::AddToRecentFileList(LPCWSTR lpszPathName) {
  if (m_pRecentFileList != nullptr) m_pRecentFileList->Add(lpszPathName);
}

BOOL CWinApp::OnOpenRecentFile(UINT nID) {
  if (m_pRecentFileList == nullptr) return FALSE;
  int nIndex = (int)(nID - ID_FILE_MRU_FILE1);
  if (nIndex < 0 || nIndex >= m_pRecentFileList->GetSize() || (*m_pRecentFileList)[nIndex].IsEmpty()) return FALSE;
  CString path = (*m_pRecentFileList)[nIndex];
  if (OpenDocumentFile(path) == nullptr) m_pRecentFileList->Remove(nIndex);
  return TRUE;
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* pCmdUI) {
  if (m_pRecentFileList == nullptr) pCmdUI->Enable(FALSE);
  else m_pRecentFileList->UpdateMenu(pCmdUI);
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo) {
  int argc = 0;
  LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  for (int i = 1; i < argc; ++i) {
    const wchar_t* p = argv[i];
    BOOL bFlag = FALSE;
    if (*p == L'-' || *p == L'/') {
      bFlag = TRUE;
      ++p;
    }
    rCmdInfo.ParseParam(p, bFlag, i == argc - 1);
  }
  if (argv) ::LocalFree(argv);
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo) {
  switch (rCmdInfo.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
      if (!OnCmdMsg(ID_FILE_NEW, 0, nullptr, nullptr)) OnFileNew();
      return m_pMainWnd != nullptr;
    case CCommandLineInfo::FileOpen:
      return OpenDocumentFile(rCmdInfo.m_strFileName) != nullptr;
    case CCommandLineInfo::FilePrint:
    case CCommandLineInfo::FilePrintTo:
      if (OpenDocumentFile(rCmdInfo.m_strFileName) == nullptr) return FALSE;
      if (m_pMainWnd != nullptr) m_pMainWnd->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
      return FALSE;
    case CCommandLineInfo::FileDDE:
      m_nCmdShow = SW_HIDE;
      return TRUE;
    case CCommandLineInfo::AppRegister:
    case CCommandLineInfo::AppUnregister:
      return FALSE;
    default:
      return TRUE;
  }
}

HICON CWinApp::LoadIcon(LPCWSTR lpszResourceName) const {
  return ::LoadIconW(AfxFindResourceHandle(lpszResourceName, (LPCWSTR)RT_GROUP_ICON), lpszResourceName);
}

HCURSOR CWinApp::LoadCursor(LPCWSTR lpszResourceName) const {
  return ::LoadCursorW(AfxFindResourceHandle(lpszResourceName, (LPCWSTR)RT_GROUP_CURSOR), lpszResourceName);
}

// ---- profile ------------------------------------------------------------------------------------
void CWinApp::SetRegistryKey(LPCWSTR lpszRegistryKey) {
  free((void*)m_pszRegistryKey);
  m_pszRegistryKey = _wcsdup(lpszRegistryKey);
  free((void*)m_pszProfileName);
  m_pszProfileName = _wcsdup(m_pszAppName ? m_pszAppName : L"");
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey) {
  CString key;
  key.LoadString(nIDRegistryKey);
  SetRegistryKey(key);
}

namespace {

// The current user's key Software\<company>\<application>[\<section>], made with every level
// that is missing, in one call of the registry rather than one per level (an empty name adds
// no level).
HKEY CreateUserKey(LPCWSTR company, LPCWSTR application, LPCWSTR section) {
  CString path = L"Software";
  for (LPCWSTR part : {company, application, section}) {
    if (part != nullptr && *part != 0) path += CString(L"\\") + part;
  }
  HKEY key = nullptr;
  DWORD disposition = 0;
  if (::RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE | KEY_READ, nullptr,
                        &key, &disposition) != ERROR_SUCCESS)
    return nullptr;
  return key;
}

}  // namespace

HKEY CWinApp::GetAppRegistryKey() {
  if (m_pszRegistryKey == nullptr || m_pszProfileName == nullptr) return nullptr;
  return CreateUserKey(m_pszRegistryKey, m_pszProfileName, nullptr);
}

HKEY CWinApp::GetSectionKey(LPCWSTR lpszSection) {
  if (m_pszRegistryKey == nullptr || m_pszProfileName == nullptr) return nullptr;
  return CreateUserKey(m_pszRegistryKey, m_pszProfileName, lpszSection);
}

UINT CWinApp::GetProfileInt(LPCWSTR lpszSection, LPCWSTR lpszEntry, int nDefault) {
  if (m_pszRegistryKey != nullptr) {
    HKEY hSec = GetSectionKey(lpszSection);
    if (hSec == nullptr) return (UINT)nDefault;
    DWORD value = 0, type = 0, size = sizeof(value);
    LONG r = ::RegQueryValueExW(hSec, lpszEntry, nullptr, &type, (LPBYTE)&value, &size);
    ::RegCloseKey(hSec);
    if (r == ERROR_SUCCESS && type == REG_DWORD && size == sizeof(value)) return (UINT)value;
    return (UINT)nDefault;
  }
  return ::GetPrivateProfileIntW(lpszSection, lpszEntry, nDefault, m_pszProfileName);
}

BOOL CWinApp::WriteProfileInt(LPCWSTR lpszSection, LPCWSTR lpszEntry, int nValue) {
  if (m_pszRegistryKey != nullptr) {
    HKEY hSec = GetSectionKey(lpszSection);
    if (hSec == nullptr) return FALSE;
    DWORD value = (DWORD)nValue;
    LONG r = ::RegSetValueExW(hSec, lpszEntry, 0, REG_DWORD, (const BYTE*)&value, sizeof(value));
    ::RegCloseKey(hSec);
    return r == ERROR_SUCCESS;
  }
  wchar_t buf[16];
  _snwprintf(buf, 15, L"%d", nValue);
  buf[15] = 0;
  return ::WritePrivateProfileStringW(lpszSection, lpszEntry, buf, m_pszProfileName);
}

namespace {

// A string value of the registry. The value may change between asking its size and reading it:
// the read is repeated with the new size, and the text always ends inside its buffer.
bool ReadRegistryString(HKEY hKey, LPCWSTR lpszEntry, CString& value) {
  for (int attempt = 0; attempt < 8; ++attempt) {
    DWORD type = 0, size = 0;
    LONG r = ::RegQueryValueExW(hKey, lpszEntry, nullptr, &type, nullptr, &size);
    if (r != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return false;
    const int capacity = (int)(size / sizeof(wchar_t)) + 1;
    std::vector<wchar_t> buffer((size_t)capacity, L'\0');
    DWORD got = (DWORD)(buffer.size() * sizeof(wchar_t));
    r = ::RegQueryValueExW(hKey, lpszEntry, nullptr, &type, (LPBYTE)buffer.data(), &got);
    if (r == ERROR_MORE_DATA) continue;  // it grew meanwhile
    if (r != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return false;
    int length = (int)(got / sizeof(wchar_t));
    if (length >= capacity) length = capacity - 1;
    buffer[(size_t)length] = 0;
    value = buffer.data();
    return true;
  }
  return false;
}

// A value of an INI file, read into a buffer that grows until the whole value fits.
CString ReadIniString(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPCWSTR lpszDefault, LPCWSTR lpszFile) {
  std::vector<wchar_t> buffer(4096);
  for (;;) {
    DWORD n = ::GetPrivateProfileStringW(lpszSection, lpszEntry, lpszDefault, buffer.data(), (DWORD)buffer.size(),
                                         lpszFile);
    if (n + 1 < buffer.size() || buffer.size() >= (1u << 24)) return CString(buffer.data(), (int)n);
    buffer.assign(buffer.size() * 2, L'\0');
  }
}

}  // namespace

CString CWinApp::GetProfileString(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPCWSTR lpszDefault) {
  if (m_pszRegistryKey != nullptr) {
    HKEY hSec = GetSectionKey(lpszSection);
    if (hSec == nullptr) return lpszDefault ? lpszDefault : L"";
    CString value;
    const bool found = ReadRegistryString(hSec, lpszEntry, value);
    ::RegCloseKey(hSec);
    if (found) return value;
    return lpszDefault ? lpszDefault : L"";
  }
  return ReadIniString(lpszSection, lpszEntry, lpszDefault ? lpszDefault : L"", m_pszProfileName);
}

BOOL CWinApp::WriteProfileString(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPCWSTR lpszValue) {
  if (m_pszRegistryKey != nullptr) {
    if (lpszEntry == nullptr) {
      HKEY hApp = GetAppRegistryKey();
      if (hApp == nullptr) return FALSE;
      LONG r = ::RegDeleteTreeW(hApp, lpszSection);
      ::RegCloseKey(hApp);
      return r == ERROR_SUCCESS || r == ERROR_FILE_NOT_FOUND;
    }
    HKEY hSec = GetSectionKey(lpszSection);
    if (hSec == nullptr) return FALSE;
    LONG r;
    if (lpszValue == nullptr) {
      r = ::RegDeleteValueW(hSec, lpszEntry);
      if (r == ERROR_FILE_NOT_FOUND) r = ERROR_SUCCESS;
    } else {
      r = ::RegSetValueExW(hSec, lpszEntry, 0, REG_SZ, (const BYTE*)lpszValue,
                           (DWORD)((wcslen(lpszValue) + 1) * sizeof(wchar_t)));
    }
    ::RegCloseKey(hSec);
    return r == ERROR_SUCCESS;
  }
  return ::WritePrivateProfileStringW(lpszSection, lpszEntry, lpszValue, m_pszProfileName);
}

BOOL CWinApp::GetProfileBinary(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPBYTE* ppData, UINT* pBytes) {
  *ppData = nullptr;
  *pBytes = 0;
  if (m_pszRegistryKey != nullptr) {
    HKEY hSec = GetSectionKey(lpszSection);
    if (hSec == nullptr) return FALSE;
    DWORD type = 0, size = 0;
    LONG r = ::RegQueryValueExW(hSec, lpszEntry, nullptr, &type, nullptr, &size);
    if (r == ERROR_SUCCESS && type == REG_BINARY) {
      *ppData = new BYTE[size ? size : 1];
      r = ::RegQueryValueExW(hSec, lpszEntry, nullptr, &type, *ppData, &size);
    }
    ::RegCloseKey(hSec);
    if (r == ERROR_SUCCESS && type == REG_BINARY) {
      *pBytes = size;
      return TRUE;
    }
    delete[] *ppData;
    *ppData = nullptr;
    return FALSE;
  }
  // In an INI file the bytes are two letters each, 'A' plus the low and the high nibble.
  CString text = GetProfileString(lpszSection, lpszEntry, nullptr);
  if (text.IsEmpty() || text.GetLength() % 2 != 0) return FALSE;
  for (int i = 0; i < text.GetLength(); ++i)
    if (text[i] < L'A' || text[i] > L'P') return FALSE;  // not a nibble letter: not our value
  UINT n = (UINT)text.GetLength() / 2;
  *ppData = new BYTE[n];
  for (UINT i = 0; i < n; ++i)
    (*ppData)[i] = (BYTE)(((text[(int)(2 * i + 1)] - L'A') << 4) | (text[(int)(2 * i)] - L'A'));
  *pBytes = n;
  return TRUE;
}

BOOL CWinApp::WriteProfileBinary(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPBYTE pData, UINT nBytes) {
  if (m_pszRegistryKey != nullptr) {
    HKEY hSec = GetSectionKey(lpszSection);
    if (hSec == nullptr) return FALSE;
    LONG r = ::RegSetValueExW(hSec, lpszEntry, 0, REG_BINARY, pData, nBytes);
    ::RegCloseKey(hSec);
    return r == ERROR_SUCCESS;
  }
  CString text;
  for (UINT i = 0; i < nBytes; ++i) {
    text += (wchar_t)(L'A' + (pData[i] & 0x0F));
    text += (wchar_t)(L'A' + ((pData[i] >> 4) & 0x0F));
  }
  return WriteProfileString(lpszSection, lpszEntry, text);
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU) {
  if (nMaxMRU > 16) nMaxMRU = 16;
  m_nNumPreviewPages = GetProfileInt(L"Settings", L"PreviewPages", 0);
  if (nMaxMRU != 0) {
    delete m_pRecentFileList;
    m_pRecentFileList = new CRecentFileList(0, L"Recent File List", L"File%d", (int)nMaxMRU);
    m_pRecentFileList->ReadList();
  }
}

void CWinApp::SaveStdProfileSettings() {
  if (m_pRecentFileList != nullptr) m_pRecentFileList->WriteList();
  if (m_nNumPreviewPages != 0) WriteProfileInt(L"Settings", L"PreviewPages", (int)m_nNumPreviewPages);
}

// ---- printer defaults ----------------------------------------------------------------------------
BOOL CWinApp::GetPrinterDeviceDefaults(PRINTDLGW* pPrintDlg) {
  if (m_hDevNames == nullptr) {
    PRINTDLGW pd = {sizeof(pd)};
    pd.Flags = PD_RETURNDEFAULT;
    if (!::PrintDlgW(&pd)) return FALSE;
    m_hDevMode = pd.hDevMode;
    m_hDevNames = pd.hDevNames;
  }
  pPrintDlg->hDevMode = m_hDevMode;
  pPrintDlg->hDevNames = m_hDevNames;
  return TRUE;
}

void CWinApp::SelectPrinter(HANDLE hDevNames, HANDLE hDevMode, BOOL bFreeOld) {
  if (bFreeOld) {
    if (m_hDevNames != nullptr && m_hDevNames != hDevNames) ::GlobalFree(m_hDevNames);
    if (m_hDevMode != nullptr && m_hDevMode != hDevMode) ::GlobalFree(m_hDevMode);
  }
  m_hDevNames = hDevNames;
  m_hDevMode = hDevMode;
}

BOOL CWinApp::CreatePrinterDC(CDC& dc) {
  if (m_hDevNames == nullptr) {
    PRINTDLGW pd = {sizeof(pd)};
    if (!GetPrinterDeviceDefaults(&pd)) return FALSE;
  }
  LPDEVNAMES names = (LPDEVNAMES)::GlobalLock(m_hDevNames);
  LPDEVMODEW mode = m_hDevMode ? (LPDEVMODEW)::GlobalLock(m_hDevMode) : nullptr;
  HDC hDC = ::CreateDCW((LPCWSTR)names + names->wDriverOffset, (LPCWSTR)names + names->wDeviceOffset,
                        (LPCWSTR)names + names->wOutputOffset, mode);
  ::GlobalUnlock(m_hDevNames);
  if (m_hDevMode) ::GlobalUnlock(m_hDevMode);
  if (hDC == nullptr) return FALSE;
  dc.Attach(hDC);
  return TRUE;
}

INT_PTR CWinApp::DoPrintDialog(CPrintDialog* pPD) {
  GetPrinterDeviceDefaults(&pPD->m_pd);
  INT_PTR r = pPD->DoModal();
  if (r == IDOK) SelectPrinter(pPD->m_pd.hDevNames, pPD->m_pd.hDevMode, FALSE);
  return r;
}

void CWinApp::OnFilePrintSetup() {
  CPrintDialog pd(TRUE);
  DoPrintDialog(&pd);
}

// ---- recent files ----------------------------------------------------------------------------------
CRecentFileList::CRecentFileList(UINT nStart, LPCWSTR lpszSection, LPCWSTR lpszEntryFormat, int nSize, int nMaxDispLen)
    : m_nStart(nStart), m_strSectionName(lpszSection), m_strEntryFormat(lpszEntryFormat),
      m_nMaxDisplayLength(nMaxDispLen), m_arrNames((size_t)nSize), m_nSize(nSize) {}

void CRecentFileList::Add(LPCWSTR lpszPathName) {
  if (lpszPathName == nullptr || *lpszPathName == 0 || m_nSize == 0) return;
  wchar_t full[MAX_PATH * 2];
  if (!::GetFullPathNameW(lpszPathName, MAX_PATH * 2, full, nullptr)) lstrcpynW(full, lpszPathName, MAX_PATH * 2);
  int i;
  for (i = 0; i < m_nSize - 1; ++i)
    if (m_arrNames[(size_t)i].CompareNoCase(full) == 0) break;
  for (; i > 0; --i) m_arrNames[(size_t)i] = m_arrNames[(size_t)i - 1];
  m_arrNames[0] = full;
}

void CRecentFileList::Remove(int nIndex) {
  if (nIndex < 0 || nIndex >= m_nSize) return;
  for (int i = nIndex; i < m_nSize - 1; ++i) m_arrNames[(size_t)i] = m_arrNames[(size_t)i + 1];
  m_arrNames[(size_t)m_nSize - 1].Empty();
}

void CRecentFileList::ReadList() {
  CWinApp* pApp = AfxGetApp();
  for (int i = 0; i < m_nSize; ++i) {
    CString entry;
    entry.Format(m_strEntryFormat, i + 1);
    m_arrNames[(size_t)i] = pApp->GetProfileString(m_strSectionName, entry, L"");
  }
}

void CRecentFileList::WriteList() {
  CWinApp* pApp = AfxGetApp();
  pApp->WriteProfileString(m_strSectionName, nullptr, nullptr);  // the list is rewritten whole
  for (int i = 0; i < m_nSize; ++i) {
    if (m_arrNames[(size_t)i].IsEmpty()) continue;
    CString entry;
    entry.Format(m_strEntryFormat, i + 1);
    pApp->WriteProfileString(m_strSectionName, entry, m_arrNames[(size_t)i]);
  }
}

// The part of a path after the directory lpszDir (nDir characters, with or without its closing
// backslash), when the file lies directly in that directory; else null.
static LPCWSTR NameInDirectory(const CString& path, LPCWSTR lpszDir, int nDir) {
  if (lpszDir == nullptr || nDir <= 0 || path.GetLength() <= nDir || _wcsnicmp(path, lpszDir, (size_t)nDir) != 0)
    return nullptr;
  LPCWSTR lpszRest = (LPCWSTR)path + nDir;
  if (lpszDir[nDir - 1] != L'\\' && *lpszRest++ != L'\\') return nullptr;  // "C:\dir" is no prefix of "C:\dir2"
  return *lpszRest != 0 && wcschr(lpszRest, L'\\') == nullptr ? lpszRest : nullptr;
}

BOOL CRecentFileList::GetDisplayName(CString& strName, int nIndex, LPCWSTR lpszCurDir, int nCurDir, BOOL) const {
  if (nIndex < 0 || nIndex >= m_nSize || m_arrNames[(size_t)nIndex].IsEmpty()) return FALSE;
  // A file in the current directory is shown by its name alone.
  LPCWSTR lpszShort = NameInDirectory(m_arrNames[(size_t)nIndex], lpszCurDir, nCurDir);
  const CString path = lpszShort != nullptr ? CString(lpszShort) : m_arrNames[(size_t)nIndex];
  if (path.GetLength() <= m_nMaxDisplayLength) strName = path;
  else {
    wchar_t buf[MAX_PATH * 2];
    lstrcpynW(buf, path, MAX_PATH * 2);
    ::PathCompactPathExW(buf, path, (UINT)m_nMaxDisplayLength + 1, 0);
    strName = buf;
  }
  return TRUE;
}

void CRecentFileList::UpdateMenu(CCmdUI* pCmdUI) {
  CMenu* pMenu = pCmdUI->m_pMenu;
  if (pMenu == nullptr) {
    pCmdUI->Enable(!m_arrNames.empty() && !m_arrNames[0].IsEmpty());
    return;
  }
  if (m_arrNames.empty() || m_arrNames[0].IsEmpty()) {
    pCmdUI->Enable(FALSE);  // keeps the placeholder text
    return;
  }
  // Remove the previous entries, then insert one item per file at the placeholder.
  for (int i = 0; i < m_nSize; ++i) pMenu->DeleteMenu(pCmdUI->m_nID + (UINT)i, MF_BYCOMMAND);
  wchar_t szCurDir[MAX_PATH + 1] = L"";
  const int nCurDir = (int)::GetCurrentDirectoryW(MAX_PATH, szCurDir);
  int nAdded = 0;
  for (int i = 0; i < m_nSize; ++i) {
    CString name;
    if (!GetDisplayName(name, i, szCurDir, nCurDir > MAX_PATH ? 0 : nCurDir)) break;
    name.Replace(L"&", L"&&");
    CString text;
    text.Format(L"&%d %s", (i + 1) % 10, (LPCWSTR)name);
    pMenu->InsertMenu(pCmdUI->m_nIndex + (UINT)nAdded, MF_STRING | MF_BYPOSITION, pCmdUI->m_nID + (UINT)i, text);
    ++nAdded;
  }
  pCmdUI->m_nIndex += (UINT)nAdded - 1;
  pCmdUI->m_nIndexMax = pMenu->GetMenuItemCount();
  pCmdUI->m_bEnableChanged = TRUE;
}
