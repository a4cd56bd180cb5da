// CWinThread and CWinApp: the message loop, idle processing, profile settings, recent files,
// document templates and the command line.
#pragma once
#include "FwWnd.h"
#include <vector>

class CDocTemplate;
class CDocument;
class CWinApp;

class CWinThread : public CCmdTarget {
  DECLARE_DYNAMIC(CWinThread)
public:
  CWinThread();
  ~CWinThread() override = default;
  CWnd* m_pMainWnd = nullptr;
  CWnd* m_pActiveWnd = nullptr;
  BOOL m_bAutoDelete = TRUE;
  HANDLE m_hThread = nullptr;
  DWORD m_nThreadID = 0;
  MSG m_msgCur = {};

  virtual BOOL InitInstance() { return FALSE; }
  virtual int ExitInstance();
  // The message loop: idle processing while the queue is empty, pumping otherwise; ends at WM_QUIT.
  virtual int Run();
  virtual BOOL PreTranslateMessage(MSG* pMsg);
  virtual BOOL PumpMessage();
  // lCount counts the idle calls since the last message; answer TRUE for more idle time.
  virtual BOOL OnIdle(LONG lCount);
  virtual BOOL IsIdleMessage(MSG* pMsg);
  virtual LRESULT ProcessWndProcException(CException* e, const MSG* pMsg);
  virtual CWnd* GetMainWnd() { return m_pMainWnd; }
  // Thread messages (posted with a null window) to this object's ON_THREAD_MESSAGE entries.
  BOOL DispatchThreadMessageEx(MSG* pMsg);
protected:
  DECLARE_MESSAGE_MAP()
private:
  POINT m_ptCursorLast = {-1, -1};
  UINT m_nMsgLast = 0;
};

class CCommandLineInfo : public CObject {
public:
  enum { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, AppRegister, AppUnregister, FileNothing = -1 };
  CCommandLineInfo();
  ~CCommandLineInfo() override = default;
  // Called once per argument; bFlag when it began with '/' or '-' (removed), bLast for the last one.
  virtual void ParseParam(const wchar_t* pszParam, BOOL bFlag, BOOL bLast);
  BOOL m_bShowSplash;
  BOOL m_bRunEmbedded;
  BOOL m_bRunAutomated;
  int m_nShellCommand;
  CString m_strFileName;
  CString m_strPrinterName;
  CString m_strDriverName;
  CString m_strPortName;
protected:
  void ParseParamFlag(const wchar_t* pszParam);
  void ParseParamNotFlag(const wchar_t* pszParam);
  void ParseLast(BOOL bLast);
};

// The most recently used files, newest first, kept in the profile section "Recent File List".
class CRecentFileList {
public:
  CRecentFileList(UINT nStart, LPCWSTR lpszSection, LPCWSTR lpszEntryFormat, int nSize, int nMaxDispLen = 64);
  virtual ~CRecentFileList() = default;
  int GetSize() const { return (int)m_arrNames.size(); }
  CString& operator[](int nIndex) { return m_arrNames[(size_t)nIndex]; }
  virtual void Add(LPCWSTR lpszPathName);
  virtual void Remove(int nIndex);
  virtual void ReadList();
  virtual void WriteList();
  // Puts the list into the menu in place of the first recent-file item.
  virtual void UpdateMenu(CCmdUI* pCmdUI);
  BOOL GetDisplayName(CString& strName, int nIndex, LPCWSTR lpszCurDir, int nCurDir, BOOL bAtLeastName = TRUE) const;
  UINT m_nStart;
  CString m_strSectionName;
  CString m_strEntryFormat;
  int m_nMaxDisplayLength;
  std::vector<CString> m_arrNames;   // GetSize() entries, empty ones are unused
  int m_nSize;
};

// The document templates of the application.
class CDocManager : public CObject {
public:
  CDocManager() = default;
  ~CDocManager() override;
  virtual void AddDocTemplate(CDocTemplate* pTemplate);
  POSITION GetFirstDocTemplatePosition() const;
  CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
  int GetOpenDocumentCount();
  virtual BOOL SaveAllModified();
  virtual void CloseAllDocuments(BOOL bEndSession);
  virtual CDocument* OpenDocumentFile(LPCWSTR lpszFileName);
  virtual void OnFileNew();
  virtual void OnFileOpen();
  virtual BOOL DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                                CDocTemplate* pTemplate);
  virtual BOOL OnDDECommand(LPWSTR lpszCommand) { return FALSE; }
  std::vector<CDocTemplate*> m_templateList;
};

class CWinApp : public CWinThread {
  DECLARE_DYNAMIC(CWinApp)
public:
  explicit CWinApp(LPCWSTR lpszAppName = nullptr);
  ~CWinApp() override;

  LPCWSTR m_pszAppName = nullptr;      // title (malloc'ed copy)
  LPCWSTR m_pszExeName = nullptr;      // module name without extension
  LPCWSTR m_pszHelpFilePath = nullptr;
  LPCWSTR m_pszProfileName = nullptr;  // profile: registry sub-key or INI file
  LPCWSTR m_pszRegistryKey = nullptr;  // company key under HKCU\Software; null: INI file
  HINSTANCE m_hInstance = nullptr;
  LPWSTR m_lpCmdLine = nullptr;
  int m_nCmdShow = SW_SHOWNORMAL;
  CRecentFileList* m_pRecentFileList = nullptr;
  CDocManager* m_pDocManager = nullptr;
  HGLOBAL m_hDevMode = nullptr;
  HGLOBAL m_hDevNames = nullptr;
  BOOL m_bShellOpenEnabled = FALSE;
  UINT m_nNumPreviewPages = 0;  // pages the print preview shows side by side (0: its choice)

  virtual BOOL InitApplication();
  BOOL InitInstance() override;
  int ExitInstance() override;
  int Run() override;
  BOOL OnIdle(LONG lCount) override;
  virtual int DoMessageBox(LPCWSTR lpszPrompt, UINT nType, UINT nIDPrompt);
  virtual BOOL SaveAllModified();
  virtual void CloseAllDocuments(BOOL bEndSession);
  virtual CDocument* OpenDocumentFile(LPCWSTR lpszFileName);
  virtual void AddToRecentFileList(LPCWSTR lpszPathName);
  virtual BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);
  void ParseCommandLine(CCommandLineInfo& rCmdInfo);
  void AddDocTemplate(CDocTemplate* pTemplate);
  POSITION GetFirstDocTemplatePosition() const;
  CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
  int GetOpenDocumentCount() { return m_pDocManager ? m_pDocManager->GetOpenDocumentCount() : 0; }
  BOOL DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog, CDocTemplate* pTemplate);
  void HideApplication();
  void EnableShellOpen() { m_bShellOpenEnabled = TRUE; }
  void DoWaitCursor(int nCode);
  // Help: WinHelp asks the main window; every help request reaches the help system through
  // CallWinHelp (the one place that calls it, overridable).
  virtual void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT);
  virtual void WinHelpInternal(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT);
  virtual BOOL CallWinHelp(HWND hWndMain, LPCWSTR lpszHelpFile, UINT nCmd, DWORD_PTR dwData);

  // Settings: HKCU\Software\<registry key>\<profile name>\<section>, or the INI file without a key.
  void SetRegistryKey(LPCWSTR lpszRegistryKey);
  void SetRegistryKey(UINT nIDRegistryKey);
  HKEY GetAppRegistryKey();
  HKEY GetSectionKey(LPCWSTR lpszSection);
  UINT GetProfileInt(LPCWSTR lpszSection, LPCWSTR lpszEntry, int nDefault);
  BOOL WriteProfileInt(LPCWSTR lpszSection, LPCWSTR lpszEntry, int nValue);
  CString GetProfileString(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPCWSTR lpszDefault = nullptr);
  // A null entry deletes the section; a null value deletes the entry.
  BOOL WriteProfileString(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPCWSTR lpszValue);
  // *ppData is allocated with new[]; the caller deletes it.
  BOOL GetProfileBinary(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPBYTE* ppData, UINT* pBytes);
  BOOL WriteProfileBinary(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPBYTE pData, UINT nBytes);
  void LoadStdProfileSettings(UINT nMaxMRU = 4);
  void SaveStdProfileSettings();

  HICON LoadIcon(LPCWSTR lpszResourceName) const;
  HICON LoadIcon(UINT nIDResource) const { return LoadIcon(MAKEINTRESOURCEW(nIDResource)); }
  HICON LoadStandardIcon(LPCWSTR lpszIconName) const { return ::LoadIconW(nullptr, lpszIconName); }
  HCURSOR LoadCursor(LPCWSTR lpszResourceName) const;
  HCURSOR LoadCursor(UINT nIDResource) const { return LoadCursor(MAKEINTRESOURCEW(nIDResource)); }
  HCURSOR LoadStandardCursor(LPCWSTR lpszCursorName) const { return ::LoadCursorW(nullptr, lpszCursorName); }

  BOOL GetPrinterDeviceDefaults(PRINTDLGW* pPrintDlg);
  void SelectPrinter(HANDLE hDevNames, HANDLE hDevMode, BOOL bFreeOld = TRUE);
  BOOL CreatePrinterDC(CDC& dc);
  virtual INT_PTR DoPrintDialog(class CPrintDialog* pPD);

  afx_msg void OnFileNew();
  afx_msg void OnFileOpen();
  afx_msg void OnFilePrintSetup();
  afx_msg void OnAppExit();
  afx_msg BOOL OnOpenRecentFile(UINT nID);
  afx_msg void OnUpdateRecentFileMenu(CCmdUI* pCmdUI);
protected:
  DECLARE_MESSAGE_MAP()
};

CWinApp* AfxGetApp();
CWinThread* AfxGetThread();
CWnd* AfxGetMainWnd();
LPCWSTR AfxGetAppName();
BOOL AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nCmdShow);
int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nCmdShow);
// One message through the thread's pre-translation and dispatch (FALSE at WM_QUIT).
BOOL AfxInternalPumpMessage();
BOOL AfxPreTranslateMessage(MSG* pMsg);
void AfxPostQuitMessage(int nExitCode);
// Hosting of ActiveX controls in dialogs and OLE start-up.
void AfxEnableControlContainer();
BOOL AfxOleInit();
BOOL AfxControlContainerEnabled();
// Deletes the temporary window, GDI, menu and image-list objects made by FromHandle.
void AfxDeleteTempMaps();

// Shows the wait cursor for the life of the object.
class CWaitCursor {
public:
  CWaitCursor() { AfxGetApp() ? AfxGetApp()->BeginWaitCursor() : (void)0; }
  ~CWaitCursor() { AfxGetApp() ? AfxGetApp()->EndWaitCursor() : (void)0; }
  void Restore() { AfxGetApp() ? AfxGetApp()->RestoreWaitCursor() : (void)0; }
};
