// CNumbrookApp: the program's application object. It keeps the program to one running instance,
// loads the resource library and the editor library from the program's own folder, creates the
// kernel bridge and the worksheet's document template with the main frame, reads the settings,
// shows the frame or puts it in the notification area, creates the clipboard picker and routes
// every message box of the process through the tray-aware replacement. At exit it frees what it
// made, in the reverse order.
#pragma once

#include <memory>

#include "Framework.h"
#include "NumbrookLib.h"
#include "NumbrookDoc.h"
#include "ShellSettings.h"
#include "frames/UfxWorkspace.h"

class CCalculatorKernel;
class ClipboardPicker;
class CLeftView;
class CMessageBoxHook;

// The name of the single-instance mutex.
#define NUMBROOK_MUTEX_NAME L"Numbrook-108E3B45-FF80-4ef1-BA59-CEE06DAE42C8"

// Message boxes shown when a library the program needs is missing.
#define IDP_OLE_INIT_FAILED 200
#define IDS_EDITOR_MISSING 2014
#define IDS_EDITOR_MISSING_CAPTION 2015
#define IDS_EDITOR_LIBRARY 2035
#define IDS_EXPRESSION_MENU_NAME 2021
#define IDS_RESULTS_MENU_NAME 2022
#define IDR_MAINFRAME_NB 228

class CNumbrookApp : public CWinApp, public CUfxWorkspace, public IApplicationStateWriter {
public:
  CNumbrookApp();
  ~CNumbrookApp() override;

  BOOL InitInstance() override;
  int ExitInstance() override;
  BOOL OnIdle(LONG lCount) override;
  void PreLoadState() override;
  // Opening a file (Open, a recent file, a dropped file, the command line) replaces the
  // worksheet: the document asks before it gives up an unnamed one with text.
  CDocument* OpenDocumentFile(LPCWSTR lpszFileName) override;

  // Pushes the saved settings into the main frame's managers and rebuilds the command panels.
  void LoadSettings();
  // Writes the settings and then the framework's workspace; FALSE when anything could not be
  // written (the workspace is saved in every case).
  BOOL SaveSettings(LPCWSTR lpszSectionName, CUfxFrameHelper* pFrameImpl);
  // The workspace save of the framework and of the worksheet document: SaveSettings.
  BOOL SaveState(LPCWSTR lpszSectionName = nullptr, CUfxFrameHelper* pFrameImpl = nullptr) override;

  // A counted reference to the kernel bridge's ICalculatorKernel, or null before it exists.
  ICalculatorKernel* GetCalculatorKernel();
  ClipboardPicker* GetClipboardPicker() { return m_picker; }
  // The first expression pane of the main frame's active document, or null.
  CLeftView* GetActiveLeftView();
  // Invalidates the panes and lets both editing controls re-read the system colours.
  void RedrawPanes();
  // The first-run copy of the sample worksheet into the auto-save file.
  void CopySampleDocument();

  // The folder of this program file, without a trailing backslash.
  static CString GetProgramFolder();

  // The main frame is closing: a failed settings save is told to the user (once).
  BOOL m_bClosingFrame = FALSE;

  // File > New, which replaces the worksheet as opening a file does.
  afx_msg void OnFileNew();

protected:
  afx_msg void OnNoAction();
  afx_msg void OnStyleSimple();
  afx_msg void OnStyleWinXP();
  afx_msg void OnStyleOfficeXP();
  afx_msg void OnStyleOffice2003();
  afx_msg void OnUpdateStyle(CCmdUI* pCmdUI);
  afx_msg void OnAppAbout();
  DECLARE_MESSAGE_MAP()

private:
  // Start-up steps that can end it (FALSE: the process ends).
  BOOL LoadResourceLibrary();
  BOOL CreateKernel();
  BOOL LoadEditorLibrary();
  void CreateDocumentTemplate();
  BOOL ShowMainWindow(const class CNumbrookCommandLineInfo& cmdInfo);
  void CreateClipboardPicker();
  void SetStyle(int style);

  CCalculatorKernel* m_kernel = nullptr;
  ClipboardPicker* m_picker = nullptr;
  HMODULE m_editorLibrary = nullptr;
  HMODULE m_resourceLibrary = nullptr;
  CommandPanels m_panels;
  // The user was told once that the settings could not be saved.
  BOOL m_settingsFailureShown = FALSE;
};

// The application object as a CNumbrookApp (null in programs with another application object).
CNumbrookApp* GetNumbrookApp();

// The tray-aware message-box hook of the process, made at the end of start-up (null before).
extern CMessageBoxHook* g_messageBoxHook;

// Ends the process with a message when the system has no Unicode functions.
int CheckUnicodeOS();
