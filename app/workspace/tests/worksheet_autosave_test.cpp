// The automatically stored worksheet behind the two real panes in a split frame, over the
// registered kernel: the stored worksheet comes back with its results when the program starts,
// closing writes the edited text byte for byte, and a save that fails leaves the old file,
// the text and the program as they were.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "CalculatorKernel.h"
#include "LeftView.h"
#include "NumbrookDoc.h"
#include "RightView.h"
#include "WorkspaceTestKit.h"

namespace {

CString g_appData;
std::vector<std::pair<UINT, UINT>> g_errorBoxes;
std::vector<UINT> g_questions;
int g_answer = IDNO;
int g_stateSaves = 0;

class CTestApp : public CWinApp, public IApplicationStateWriter {
public:
  CTestApp() : CWinApp(L"WorkspaceWorksheetAutosaveTest") {}
  BOOL SaveState(LPCWSTR, CUfxFrameHelper*) override {
    ++g_stateSaves;
    return TRUE;
  }
  int DoMessageBox(LPCWSTR, UINT, UINT nIDPrompt) override {
    g_questions.push_back(nIDPrompt);
    return g_answer;
  }
};
CTestApp theApp;

class CTestDoc : public CNumbrookDoc {
  DECLARE_DYNCREATE(CTestDoc)
protected:
  CString GetAppDataFolder() override { return g_appData; }
  int ResourceMessageBox(HWND, UINT nTextId, UINT nCaptionId, UINT) override {
    g_errorBoxes.emplace_back(nTextId, nCaptionId);
    return IDOK;
  }
};
IMPLEMENT_DYNCREATE(CTestDoc, CNumbrookDoc)

std::unique_ptr<CCalculatorKernel> g_kernel;

class WorksheetAutosave : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ASSERT_NE(nullptr, ::LoadLibraryW(L"BrookEdit.dll"));
    try {
      g_kernel.reset(new CCalculatorKernel);
    } catch (...) {
      FAIL() << "is Evalkern registered?";
    }
    PaneShellServices services;
    services.GetCalculatorKernel = []() -> ICalculatorKernel* { return g_kernel.get(); };
    SetPaneShellServices(services);
    theApp.AddDocTemplate(new CSingleDocTemplate(200, RUNTIME_CLASS(CTestDoc), RUNTIME_CLASS(CPanesFrame),
                                                 RUNTIME_CLASS(CLeftView)));
    g_appData = TempPathFor(L"nbautosave");
    ::CreateDirectoryW(g_appData, nullptr);
    ::CreateDirectoryW(g_appData + L"\\Ferrow Software", nullptr);
    ::CreateDirectoryW(g_appData + L"\\Ferrow Software\\Numbrook", nullptr);
  }
  static void TearDownTestSuite() {
    ::SetFileAttributesW(File(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileW(File());
    ::RemoveDirectoryW(g_appData + L"\\Ferrow Software\\Numbrook");
    ::RemoveDirectoryW(g_appData + L"\\Ferrow Software");
    ::RemoveDirectoryW(g_appData);
    SetPaneShellServices(PaneShellServices());
  }
  static CString File() { return g_appData + L"\\Ferrow Software\\Numbrook\\NumbrookDoc.txt"; }

  void SetUp() override {
    ASSERT_NE(nullptr, g_kernel);
    g_errorBoxes.clear();
    g_questions.clear();
    g_stateSaves = 0;
    ::SetFileAttributesW(File(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileW(File());
  }
  void TearDown() override {
    if (::IsWindow(m_hFrame)) {
      g_answer = IDNO;
      ::SendMessageW(m_hFrame, WM_CLOSE, 0, 0);
    }
    PumpPending();
  }

  // Starts the program: its first document loads the stored worksheet.
  void Start() {
    CLeftView::ResetFirstInitialUpdate();
    theApp.OnFileNew();
    m_frame = DYNAMIC_DOWNCAST(CPanesFrame, theApp.m_pMainWnd);
    ASSERT_NE(nullptr, m_frame);
    m_hFrame = m_frame->m_hWnd;
    m_frame->ShowWindow(SW_SHOW);
    m_left = DYNAMIC_DOWNCAST(CLeftView, m_frame->m_wndSplitter.GetPane(0, 0));
    m_right = DYNAMIC_DOWNCAST(CRightView, m_frame->m_wndSplitter.GetPane(0, 1));
    ASSERT_NE(nullptr, m_left);
    ASSERT_NE(nullptr, m_right);
    m_doc = DYNAMIC_DOWNCAST(CNumbrookDoc, m_left->GetDocument());
    ASSERT_NE(nullptr, m_doc);
    ServeCalculations();
  }
  bool Close() {
    ::SendMessageW(m_hFrame, WM_CLOSE, 0, 0);
    PumpPending();
    return !::IsWindow(m_hFrame);
  }
  // Serves every calculation asked for.
  void ServeCalculations() {
    if (!PumpUntil([&] { return !::IsWindow(m_hFrame) || m_left->GetPendingCalculations() == 0; }))
      ADD_FAILURE() << "calculations still pending";
  }
  void Type(LPCWSTR text) {
    m_left->GetEditor()->SetText(text);
    ServeCalculations();
  }
  std::string Expressions() { return AnsiBytes(m_left->GetEditor()->GetText()); }
  std::string Results() { return AnsiBytes(m_right->GetEditor()->GetText()); }

  CPanesFrame* m_frame = nullptr;
  HWND m_hFrame = nullptr;
  CLeftView* m_left = nullptr;
  CRightView* m_right = nullptr;
  CNumbrookDoc* m_doc = nullptr;
};

TEST_F(WorksheetAutosave, StartLoadsAndCalculatesTheStoredWorksheetAndCloseStoresTheEditedOne) {
  WriteBytes(File(), "1+2; 3*4\r\nx := 5\r\nx*2");
  Start();
  EXPECT_EQ("1+2; 3*4\r\nx := 5\r\nx*2\r\n", Expressions());
  EXPECT_EQ("3; 12\r\n5\r\n10\r\n", Results());
  EXPECT_FALSE(m_doc->IsModified());
  EXPECT_FALSE(m_left->GetEditor()->CanUndo());

  Type(L"y := 2^10\r\ny/4\r\n");
  EXPECT_EQ("1024\r\n256\r\n", Results());
  EXPECT_TRUE(m_doc->IsModified());
  ASSERT_TRUE(Close());
  EXPECT_EQ("y := 2^10\r\ny/4\r\n", ReadBytes(File()));
  EXPECT_EQ(1, g_stateSaves);
  EXPECT_TRUE(g_questions.empty());
  EXPECT_TRUE(g_errorBoxes.empty());
}

TEST_F(WorksheetAutosave, AFailedSaveLeavesTheOldFileTheTextAndTheProgram) {
  WriteBytes(File(), "old");
  ASSERT_TRUE(::SetFileAttributesW(File(), FILE_ATTRIBUTE_READONLY));
  Start();
  Type(L"2*21");
  EXPECT_EQ("42", Results());
  g_answer = IDCANCEL;
  ASSERT_FALSE(Close());
  EXPECT_EQ((std::vector<std::pair<UINT, UINT>>{{IDS_AUTOSAVE_FAILED, IDS_AUTOSAVE_FAILED_CAPTION}}), g_errorBoxes);
  EXPECT_EQ((std::vector<UINT>{AFX_IDP_ASK_TO_SAVE}), g_questions);
  EXPECT_EQ("old", ReadBytes(File()));
  EXPECT_EQ("2*21", Expressions());
  EXPECT_EQ("42", Results());
  EXPECT_TRUE(m_doc->IsModified());
  g_answer = IDNO;
  EXPECT_TRUE(Close());
  EXPECT_EQ("old", ReadBytes(File()));
  EXPECT_EQ(2u, g_errorBoxes.size()) << "told again for the second attempt, not once more by the pane";
}

// A worksheet stored as UTF-16 without its mark (by another editor, say): the panes show its
// text and results, the user is told, and the first save keeps the original bytes beside it.
TEST_F(WorksheetAutosave, AWorksheetThePaneCannotHoldIsShownToldAndKeptBesideIt) {
  wchar_t wide[] = L"6*7\r\nx := 2";
  const std::string original((const char*)wide, sizeof(wide) - sizeof(wchar_t));
  WriteBytes(File(), original);
  ::DeleteFileW(File() + L".bak");
  Start();
  EXPECT_EQ("6*7\r\nx := 2\r\n", Expressions());
  EXPECT_EQ("42\r\n2\r\n", Results());
  EXPECT_EQ((std::vector<std::pair<UINT, UINT>>{{IDS_WORKSHEET_ALTERED, IDS_WORKSHEET_KEPT_CAPTION}}), g_errorBoxes);
  Type(L"x := 3\r\n");
  ASSERT_TRUE(Close());
  EXPECT_EQ("x := 3\r\n", ReadBytes(File()));
  EXPECT_EQ(original, ReadBytes(File() + L".bak"));
  ::DeleteFileW(File() + L".bak");
}

}  // namespace
