// A whole framework program: entry, InitInstance with the command line and a document template,
// the message loop with idle updates, closing the main window, ExitInstance's exit code.
#include "Framework.h"
#include <stdio.h>

static int g_failures = 0;
#define CHECK(c) \
  do { \
    if (!(c)) { ++g_failures; fprintf(stderr, "failed: %s (line %d)\n", #c, __LINE__); } \
  } while (0)

class CEntryDoc : public CDocument {
  DECLARE_DYNCREATE(CEntryDoc)
};
IMPLEMENT_DYNCREATE(CEntryDoc, CDocument)

static int g_idleUpdates = 0;
class CEntryView : public CView {
  DECLARE_DYNCREATE(CEntryView)
public:
  void OnDraw(CDC*) override {}
  afx_msg LRESULT OnIdleUpdate(WPARAM, LPARAM) { ++g_idleUpdates; return 0; }
  DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CEntryView, CView)
BEGIN_MESSAGE_MAP(CEntryView, CView)
  ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdate)
END_MESSAGE_MAP()

class CEntryFrame : public CFrameWnd {
  DECLARE_DYNCREATE(CEntryFrame)
public:
  afx_msg void OnTimer(UINT_PTR) {
    // Close once the loop has been idle at least once.
    if (g_idleUpdates > 0) {
      KillTimer(1);
      PostMessage(WM_CLOSE);
    }
  }
  DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CEntryFrame, CFrameWnd)
BEGIN_MESSAGE_MAP(CEntryFrame, CFrameWnd)
  ON_WM_TIMER()
END_MESSAGE_MAP()

class CEntryApp : public CWinApp {
public:
  BOOL InitInstance() override {
    CHECK(m_hInstance == ::GetModuleHandleW(nullptr));
    CHECK(m_pszExeName != nullptr && wcslen(m_pszExeName) > 0);
    CCommandLineInfo info;
    ParseCommandLine(info);  // the test runner's own switch is not one of ours
    CHECK(info.m_nShellCommand == CCommandLineInfo::FileNew);
    AddDocTemplate(new CSingleDocTemplate(300, RUNTIME_CLASS(CEntryDoc), RUNTIME_CLASS(CEntryFrame),
                                          RUNTIME_CLASS(CEntryView)));
    if (!ProcessShellCommand(info)) return FALSE;
    CHECK(m_pMainWnd != nullptr && m_pMainWnd->IsKindOf(RUNTIME_CLASS(CEntryFrame)));
    m_pMainWnd->SetTimer(1, 50, nullptr);
    return TRUE;
  }
  int ExitInstance() override {
    int code = CWinApp::ExitInstance();
    CHECK(code == 0);
    CHECK(m_pMainWnd == nullptr);
    CHECK(g_idleUpdates > 0);
    CHECK(GetOpenDocumentCount() == 0);
    if (g_failures == 0) printf("framework program ran and ended cleanly\n");
    return g_failures;
  }
};
static CEntryApp theApp;
