#include "NumbrookApp.h"

#include "AboutDlg.h"

#include <commctrl.h>
#include <shlobj.h>
#include <shlwapi.h>

#include "ApiHook.h"
#include "CalculatorKernel.h"
#include "ClipboardPicker.h"
#include "InstanceRecord.h"
#include "LeftView.h"
#include "MainFrame.h"
#include "MainInterface.h"
#include "MessageBoxHook.h"
#include "NumbrookDoc.h"
#include "NumbrookCommandLineInfo.h"
#include "SampleDocument.h"
#include "ShellServices.h"
#include "ShellIds.h"
#include "frames/UfxContextMenuManager.h"
#include "frames/UfxGlobalData.h"

CMessageBoxHook* g_messageBoxHook = nullptr;

namespace {

bool IsUsableModule(HMODULE module) { return module != nullptr && module != INVALID_HANDLE_VALUE; }

// The automation library keeps freed strings for reuse, a few of every size up to 64 KB, and never
// gives that memory back. Every recalculation hands the whole worksheet and its answer over as
// such strings, one character longer with each keystroke: each size is new, and the cache would
// grow by the worksheet's size at every key. The program goes without it.
void TurnOffAutomationStringCache() {
  using SetOaNoCacheProc = void(WINAPI*)();
  HMODULE library = ::GetModuleHandleW(L"oleaut32.dll");
  if (library == nullptr) return;
  auto proc = FunctionCast<SetOaNoCacheProc>(::GetProcAddress(library, "SetOaNoCache"));
  if (proc != nullptr) proc();
}

// A run under test keeps its settings apart from the user's: the environment variable
// NUMBROOK_PROFILE, when set, names the profile key below the company key in place of the
// program's name.
void UseProfileOfTheEnvironment(CWinApp& app) {
  wchar_t name[128] = {};
  const DWORD length = ::GetEnvironmentVariableW(L"NUMBROOK_PROFILE", name, _countof(name));
  if (length == 0 || length >= _countof(name)) return;
  free((void*)app.m_pszProfileName);
  app.m_pszProfileName = _wcsdup(name);
}

}  // namespace

CNumbrookApp* GetNumbrookApp() { return dynamic_cast<CNumbrookApp*>(AfxGetApp()); }

int CheckUnicodeOS() {
  if (::GetWindowsDirectoryW(nullptr, 0) != 0) return 1;
  char caption[128] = {};
  ::GetModuleFileNameA(nullptr, caption, sizeof(caption));
  ::MessageBoxA(::GetActiveWindow(), "This application requires an OS that supports Unicode.", caption, MB_OK);
  ::ExitProcess(0);
  return 0;
}

BEGIN_MESSAGE_MAP(CNumbrookApp, CWinApp)
  ON_COMMAND(ID_FILE_NEW, OnFileNew)
  ON_COMMAND(ID_FILE_OPEN, CWinApp::OnFileOpen)
  ON_COMMAND(ID_FILE_PRINT_SETUP, CWinApp::OnFilePrintSetup)
  ON_COMMAND(ID_SEPARATOR_TAB, OnNoAction)
  ON_COMMAND(ID_SEPARATOR_LINE_BREAK, OnNoAction)
  ON_COMMAND(ID_SEPARATOR_CHARACTER, OnNoAction)
  ON_COMMAND(ID_TEMPLATE_SELECTION, OnNoAction)
  ON_COMMAND(ID_TEMPLATE_PERCENT, OnNoAction)
  ON_COMMAND(ID_TEMPLATE_RESULT, OnNoAction)
  ON_COMMAND(ID_TEMPLATE_EXAMPLE, OnNoAction)
  ON_COMMAND(ID_TEMPLATE_BINARY, OnNoAction)
  ON_COMMAND(ID_TEMPLATE_OCTAL, OnNoAction)
  ON_COMMAND(ID_TEMPLATE_HEX, OnNoAction)
  ON_COMMAND(ID_STYLE_SIMPLE, OnStyleSimple)
  ON_COMMAND(ID_STYLE_WINXP, OnStyleWinXP)
  ON_COMMAND(ID_STYLE_OFFICEXP, OnStyleOfficeXP)
  ON_COMMAND(ID_STYLE_OFFICE2003, OnStyleOffice2003)
  ON_UPDATE_COMMAND_UI(ID_STYLE_SIMPLE, OnUpdateStyle)
  ON_UPDATE_COMMAND_UI(ID_STYLE_WINXP, OnUpdateStyle)
  ON_UPDATE_COMMAND_UI(ID_STYLE_OFFICEXP, OnUpdateStyle)
  ON_UPDATE_COMMAND_UI(ID_STYLE_OFFICE2003, OnUpdateStyle)
  // The About box is not part of this program yet.
  ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
END_MESSAGE_MAP()

// The workspace refreshes the toolbars when their resources changed since their state was saved.
// The program's name, and with it its registry profile, is its file's name (Numbrook).
CNumbrookApp::CNumbrookApp() : CWinApp(nullptr), CUfxWorkspace(TRUE) {}

CNumbrookApp::~CNumbrookApp() {
  m_panels.categories.reset();
  m_panels.firstDefined.reset();
  m_panels.secondDefined.reset();
  delete m_picker;
  m_picker = nullptr;
  delete m_kernel;
  m_kernel = nullptr;
  delete g_messageBoxHook;
  g_messageBoxHook = nullptr;
}

CString CNumbrookApp::GetProgramFolder() {
  wchar_t path[1039] = {};
  ::GetModuleFileNameW(nullptr, path, _countof(path));
  CString folder(path);
  const int slash = folder.ReverseFind(L'\\');
  return slash >= 0 ? folder.Left(slash) : CString(L".");
}

// ---- start-up -------------------------------------------------------------------------------------

BOOL CNumbrookApp::InitInstance() {
  CNumbrookCommandLineInfo cmdInfo;
  ParseCommandLine(cmdInfo);
  // No automation server here: such a start ends before it could hold the instance mutex.
  if (cmdInfo.m_bRunEmbedded || cmdInfo.m_bRunAutomated) return FALSE;

  HANDLE mutex = ::CreateMutexW(nullptr, TRUE, NUMBROOK_MUTEX_NAME);
  const DWORD error = ::GetLastError();
  if (mutex != nullptr) ::ReleaseMutex(mutex);  // kept open while the program runs
  if (error == ERROR_ALREADY_EXISTS) {
    ActivateRecordedInstance();
    return FALSE;
  }

  TurnOffAutomationStringCache();
  CopySampleDocument();
  if (!LoadResourceLibrary()) return FALSE;

  CWinApp::InitInstance();
  ::CoInitialize(nullptr);
  AfxEnableControlContainer();
  if (!AfxOleInit()) {
    AfxMessageBox(IDP_OLE_INIT_FAILED);
    return FALSE;
  }
  ::InitCommonControls();

  if (!CreateKernel() || !LoadEditorLibrary()) return FALSE;

  SetRegistryKey(L"Ferrow Software");
  UseProfileOfTheEnvironment(*this);
  LoadStdProfileSettings(16);
  SetRegistryBase(L"Settings");
  InitContextMenuManager();
  CreateDocumentTemplate();
  InstallShellServices();

  if (cmdInfo.m_nShellCommand == CCommandLineInfo::AppRegister ||
      cmdInfo.m_nShellCommand == CCommandLineInfo::AppUnregister)
    return FALSE;

  if (!ProcessShellCommand(cmdInfo)) {
    SetInstanceWindow(m_pMainWnd != nullptr ? m_pMainWnd->GetSafeHwnd() : nullptr);
    if (!::IsWindow(GetInstanceWindow())) SetInstanceWindow(nullptr);
    return FALSE;
  }
  SetInstanceWindow(m_pMainWnd->GetSafeHwnd());
  LoadSettings();
  // What loading queued is calculated before the window shows: its first paint has the results.
  if (CLeftView* view = GetActiveLeftView()) view->ServeQueuedCalculations();
  if (!ShowMainWindow(cmdInfo)) return FALSE;
  CreateClipboardPicker();
  g_messageBoxHook = new CMessageBoxHook;
  return TRUE;
}

BOOL CNumbrookApp::LoadResourceLibrary() {
  // Only the library beside the program: one in the current folder is never taken.
  const CString path = GetProgramFolder() + L"\\BrookResx.dll";
  HMODULE library = ::LoadLibraryW(path);
  if (!IsUsableModule(library)) {
    ::MessageBoxW(nullptr,
                  L"File 'BrookResx.dll' was not found.\r\nTry to find it and copy into the same folder, which "
                  L"contains 'Numbrook.exe', or reinstall application.",
                  L"BrookResx.dll not found", MB_ICONERROR);
    return FALSE;
  }
  m_resourceLibrary = library;
  AfxSetResourceHandle(library);
  return TRUE;
}

BOOL CNumbrookApp::CreateKernel() {
  try {
    m_kernel = new CCalculatorKernel;
  } catch (...) {
    // The bridge has told the user why.
    m_kernel = nullptr;
    return FALSE;
  }
  return TRUE;
}

BOOL CNumbrookApp::LoadEditorLibrary() {
  CString name;
  name.LoadString(IDS_EDITOR_LIBRARY);
  HMODULE library = name.IsEmpty() ? nullptr : ::LoadLibraryW(GetProgramFolder() + L"\\" + name);
  if (!IsUsableModule(library)) {
    ResourceMessageBox(nullptr, IDS_EDITOR_MISSING, IDS_EDITOR_MISSING_CAPTION, MB_ICONERROR);
    return FALSE;
  }
  m_editorLibrary = library;
  return TRUE;
}

void CNumbrookApp::CreateDocumentTemplate() {
  CSingleDocTemplate* pTemplate = new CSingleDocTemplate(IDR_MAINFRAME_NB, RUNTIME_CLASS(CNumbrookDoc),
                                                         RUNTIME_CLASS(CMainFrame), RUNTIME_CLASS(CLeftView));
  pTemplate->SetContainerInfo(6);
  AddDocTemplate(pTemplate);
  EnableShellOpen();
}

BOOL CNumbrookApp::ShowMainWindow(const CNumbrookCommandLineInfo& cmdInfo) {
  CMainFrame* frame = dynamic_cast<CMainFrame*>(m_pMainWnd);
  if (frame == nullptr) return FALSE;
  CTrayManager& tray = frame->GetRoot().GetTray();
  VARIANT_BOOL showAtStartup = VARIANT_TRUE, minToTray = VARIANT_FALSE;
  frame->GetRoot().GetSettings().get_ShowAtStartup(&showAtStartup);
  tray.get_MinToTray(&minToTray);
  if ((!showAtStartup && minToTray) || cmdInfo.tray) {
    tray.MinimizeToTray();
  } else {
    const int show = frame->GetRecordedShowCommand();
    frame->ShowWindow(show >= 0 ? show : SW_SHOW);
    frame->UpdateWindow();
  }
  ::DragAcceptFiles(frame->GetSafeHwnd(), TRUE);
  return TRUE;
}

void CNumbrookApp::CreateClipboardPicker() {
  ICalculatorKernel* kernel = GetCalculatorKernel();
  try {
    m_picker = new ClipboardPicker(kernel);
  } catch (...) {
    // Without its window the picker is not there; the worksheet works without it.
    m_picker = nullptr;
  }
  if (kernel != nullptr) kernel->Release();
}

void CNumbrookApp::CopySampleDocument() {
  wchar_t folder[MAX_PATH] = {};
  if (!::SHGetSpecialFolderPathW(nullptr, folder, CSIDL_APPDATA, FALSE)) return;
  CString worksheet;
  if (!MakeAutoSavePath(folder, worksheet)) return;
  ::CopySampleDocument(worksheet);
}

// ---- settings -------------------------------------------------------------------------------------

void CNumbrookApp::LoadSettings() {
  INumbrookMain* main = ::GetMainInterface();
  if (main == nullptr) return;
  LoadShellSettings(main, m_panels);
  main->Release();
}

BOOL CNumbrookApp::SaveSettings(LPCWSTR lpszSectionName, CUfxFrameHelper* pFrameImpl) {
  bool saved = true;
  if (CMainFrame* frame = dynamic_cast<CMainFrame*>(m_pMainWnd)) {
    if (INumbrookMain* main = ::GetMainInterface()) {
      saved = SaveShellSettings(main, frame->GetLeftPaneWidth());
      main->Release();
    }
  }
  const BOOL workspaceSaved = CUfxWorkspace::SaveState(lpszSectionName, pFrameImpl);
  if (!saved && m_bClosingFrame && !m_settingsFailureShown) {
    m_settingsFailureShown = TRUE;
    ResourceMessageBox(m_pMainWnd != nullptr ? m_pMainWnd->GetSafeHwnd() : nullptr, IDS_SETTINGS_NOT_SAVED,
                       IDS_SETTINGS_NOT_SAVED_CAPTION, MB_ICONWARNING);
  }
  return saved && workspaceSaved;
}

BOOL CNumbrookApp::SaveState(LPCWSTR lpszSectionName, CUfxFrameHelper* pFrameImpl) {
  return SaveSettings(lpszSectionName, pFrameImpl);
}

void CNumbrookApp::PreLoadState() {
  if (UfxContextMenuManager == nullptr) return;
  CString name;
  name.LoadString(IDS_EXPRESSION_MENU_NAME);
  UfxContextMenuManager->AddMenu(name, IDR_EXPRESSION_PANE_MENU);
  name.LoadString(IDS_RESULTS_MENU_NAME);
  UfxContextMenuManager->AddMenu(name, IDR_RESULTS_PANE_MENU);
}

// ---- shutdown -------------------------------------------------------------------------------------

int CNumbrookApp::ExitInstance() {
  UfxCleanUp();
  if (m_editorLibrary != nullptr) {
    ::FreeLibrary(m_editorLibrary);
    m_editorLibrary = nullptr;
  }
  return CWinApp::ExitInstance();
}

BOOL CNumbrookApp::OnIdle(LONG lCount) { return CWinApp::OnIdle(lCount); }

// ---- services -------------------------------------------------------------------------------------

ICalculatorKernel* CNumbrookApp::GetCalculatorKernel() {
  if (m_kernel == nullptr) return nullptr;
  ICalculatorKernel* kernel = nullptr;
  if (FAILED(m_kernel->QueryInterface(IID_ICalculatorKernel, reinterpret_cast<void**>(&kernel)))) return nullptr;
  return kernel;
}

CLeftView* CNumbrookApp::GetActiveLeftView() {
  CMainFrame* frame = dynamic_cast<CMainFrame*>(m_pMainWnd);
  return frame != nullptr ? frame->GetExpressionPane() : nullptr;
}

void CNumbrookApp::RedrawPanes() {
  CMainFrame* frame = dynamic_cast<CMainFrame*>(m_pMainWnd);
  if (frame == nullptr || frame->GetSplitter().GetSafeHwnd() == nullptr) return;
  frame->GetSplitter().RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
  for (int col = 0; col < 2; ++col) {
    auto* view = dynamic_cast<CScintillaColorerView*>(frame->GetSplitter().GetPane(0, col));
    if (CScintillaWnd* editor = view != nullptr ? view->GetEditor() : nullptr) editor->OnSysColorChange();
  }
}

// ---- commands -------------------------------------------------------------------------------------

void CNumbrookApp::OnFileNew() {
  CNumbrookDoc::ReplacingScope replacing;
  CWinApp::OnFileNew();
}

CDocument* CNumbrookApp::OpenDocumentFile(LPCWSTR lpszFileName) {
  CNumbrookDoc::ReplacingScope replacing;
  return CWinApp::OpenDocumentFile(lpszFileName);
}

void CNumbrookApp::OnNoAction() {}

void CNumbrookApp::SetStyle(int style) {
  CMainFrame* frame = dynamic_cast<CMainFrame*>(m_pMainWnd);
  if (frame == nullptr) return;
  frame->GetRoot().GetSettings().put_CurrentStyle(static_cast<VisualStyle>(style));
  RedrawPanes();
}

void CNumbrookApp::OnStyleSimple() { SetStyle(0); }
void CNumbrookApp::OnStyleWinXP() { SetStyle(1); }
void CNumbrookApp::OnStyleOfficeXP() { SetStyle(2); }
void CNumbrookApp::OnStyleOffice2003() { SetStyle(3); }

void CNumbrookApp::OnUpdateStyle(CCmdUI* pCmdUI) {
  UINT command = ID_STYLE_SIMPLE;
  switch (GetCurrentVisualStyle()) {
    case 1: command = ID_STYLE_WINXP; break;
    case 2: command = ID_STYLE_OFFICEXP; break;
    case 3: command = ID_STYLE_OFFICE2003; break;
  }
  pCmdUI->SetCheck(pCmdUI->m_nID == command);
}

void CNumbrookApp::OnAppAbout() {
  CAboutDlg about;
  about.DoModal();
}
