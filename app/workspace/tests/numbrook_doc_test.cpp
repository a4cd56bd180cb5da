// The worksheet document in a small frame/document/view program with the real editing control:
// the auto-saved worksheet written on close byte for byte and loaded by the next start, the
// document models, a worksheet saved under its own name, and saves that fail without losing
// the old file or the text.
#include "NumbrookDoc.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <string>
#include <utility>
#include <vector>

#include "MainInterface.h"
#include "NumbrookLib.h"
#include "ScintillaColorerView.h"
#include "ScintillaWnd.h"
#include "WorkspaceTestKit.h"

namespace {

// ---- doubles of the shell and the user ---------------------------------------------------------
CString g_appData;                                // the application-data folder the document sees
std::vector<std::pair<UINT, UINT>> g_errorBoxes;  // resource message boxes: text id, caption id
std::vector<UINT> g_questions;                    // framework message boxes by prompt id
int g_answer = IDNO;                              // the user's answer to a question
CString g_saveAsName;                             // chosen in the save dialog; empty: cancelled
int g_stateSaves = 0;
std::string g_fileAtStateSave;  // the worksheet file when the application saved its settings

CString WorksheetFolder() { return g_appData + L"\\Ferrow Software\\Numbrook"; }
CString WorksheetFile() { return WorksheetFolder() + L"\\NumbrookDoc.txt"; }

class CTestDocManager : public CDocManager {
public:
  BOOL DoPromptFileName(CString& fileName, UINT, DWORD, BOOL, CDocTemplate*) override {
    if (g_saveAsName.IsEmpty()) return FALSE;
    fileName = g_saveAsName;
    return TRUE;
  }
};

class CTestApp : public CWinApp, public IApplicationStateWriter {
public:
  CTestApp() : CWinApp(L"WorkspaceNumbrookDocTest") {}
  BOOL SaveState(LPCWSTR lpszSection, CUfxFrameHelper* pFrameHelper) override {
    EXPECT_EQ(nullptr, lpszSection);
    EXPECT_EQ(nullptr, pFrameHelper);
    ++g_stateSaves;
    g_fileAtStateSave = ReadBytes(WorksheetFile());
    return TRUE;
  }
  int DoMessageBox(LPCWSTR, UINT, UINT nIDPrompt) override {
    g_questions.push_back(nIDPrompt);
    return g_answer;
  }
};
CTestApp theApp;

// The document as the program makes it, its application-data folder and message boxes redirected.
class CTestDoc : public CNumbrookDoc {
  DECLARE_DYNCREATE(CTestDoc)
protected:
  CString GetAppDataFolder() override { return g_appData; }
  int ResourceMessageBox(HWND, UINT nTextId, UINT nCaptionId, UINT nType) override {
    EXPECT_NE(0u, nType & MB_ICONMASK);
    g_errorBoxes.emplace_back(nTextId, nCaptionId);
    return IDOK;
  }
};
IMPLEMENT_DYNCREATE(CTestDoc, CNumbrookDoc)

// Stands in for the expression pane: the document's share of its initial update and of its
// destruction, around a first calculation that is only counted here.
class CPaneView : public CScintillaColorerView {
  DECLARE_DYNCREATE(CPaneView)
public:
  static BOOL s_bDocumentLoaded;  // once per program start
  static int s_calculations;
  CNumbrookDoc* GetDoc() { return static_cast<CNumbrookDoc*>(GetDocument()); }
  void OnInitialUpdate() override {
    CScintillaColorerView::OnInitialUpdate();
    GetDoc()->LoadWorksheet(m_wndEditor, !s_bDocumentLoaded);
    ++s_calculations;
    CNumbrookDoc::EndWorksheetLoad(*GetDoc(), *this);
    s_bDocumentLoaded = TRUE;
  }
  afx_msg void OnDestroy() {
    GetDoc()->SaveDocumentText(m_wndEditor);
    CScintillaColorerView::OnDestroy();
  }
  DECLARE_MESSAGE_MAP()
};
BOOL CPaneView::s_bDocumentLoaded = FALSE;
int CPaneView::s_calculations = 0;
IMPLEMENT_DYNCREATE(CPaneView, CScintillaColorerView)
BEGIN_MESSAGE_MAP(CPaneView, CScintillaColorerView)
  ON_WM_DESTROY()
END_MESSAGE_MAP()

// A settings manager that knows only the document model.
class SettingsDouble : public SettingsStub {
public:
  DocumentModel model = PDI;
  STDMETHODIMP QueryInterface(REFIID, void** ppv) override { *ppv = nullptr; return E_NOINTERFACE; }
  STDMETHODIMP_(ULONG) AddRef() override { return 1; }
  STDMETHODIMP_(ULONG) Release() override { return 0; }
  STDMETHODIMP get_DocModel(DocumentModel* v) override { *v = model; return S_OK; }
};

class MainDouble : public MainStub {
public:
  SettingsDouble settings;
  STDMETHODIMP QueryInterface(REFIID, void** ppv) override { *ppv = nullptr; return E_NOINTERFACE; }
  STDMETHODIMP_(ULONG) AddRef() override { return 1; }
  STDMETHODIMP_(ULONG) Release() override { return 0; }
  STDMETHODIMP GetSettingsManager(IKivSettingsManager** m) override { *m = &settings; return S_OK; }
};
MainDouble g_main;
INumbrookMain* MainSource() { return &g_main; }

// ---- fixture -----------------------------------------------------------------------------------
class WorksheetDoc : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    ASSERT_NE(nullptr, ::LoadLibraryW(L"BrookEdit.dll"));
    theApp.m_pDocManager = new CTestDocManager;
    CNumbrookDoc::SetExpressionViewClass(RUNTIME_CLASS(CPaneView));
    theApp.AddDocTemplate(new CSingleDocTemplate(200, RUNTIME_CLASS(CTestDoc), RUNTIME_CLASS(CFrameWnd),
                                                 RUNTIME_CLASS(CPaneView)));
  }

  void SetUp() override {
    static int counter = 0;
    CString base;
    base.Format(L"%s_%d", (LPCWSTR)TempPathFor(L"nbdoc"), ++counter);
    RemoveTree(base);
    ASSERT_TRUE(::CreateDirectoryW(base, nullptr));
    g_appData = base + L"\\AppData";
    ASSERT_TRUE(::CreateDirectoryW(g_appData, nullptr));
    m_base = base;
    g_errorBoxes.clear();
    g_questions.clear();
    g_answer = IDNO;
    g_saveAsName.Empty();
    g_stateSaves = 0;
    g_fileAtStateSave.clear();
    CPaneView::s_calculations = 0;
  }

  void TearDown() override {
    if (m_frame != nullptr && ::IsWindow(m_hFrame)) {
      g_answer = IDNO;
      m_frame->SendMessage(WM_CLOSE);
      if (::IsWindow(m_hFrame)) m_frame->DestroyWindow();
    }
    DrainQuit();
    SetMainInterfaceSource(nullptr);
    theApp.WriteProfileString(L"Settings", L"DocumentModel", nullptr);
    RemoveTree(m_base);
  }

  // Starts the program: a new document in a new frame, the pane's first initial update run.
  void Start() {
    ASSERT_EQ(nullptr, theApp.m_pMainWnd);
    CPaneView::s_bDocumentLoaded = FALSE;
    theApp.OnFileNew();
    m_frame = DYNAMIC_DOWNCAST(CFrameWnd, theApp.m_pMainWnd);
    ASSERT_NE(nullptr, m_frame);
    m_hFrame = m_frame->m_hWnd;
    m_view = DYNAMIC_DOWNCAST(CPaneView, m_frame->GetActiveView());
    ASSERT_NE(nullptr, m_view);
    m_doc = DYNAMIC_DOWNCAST(CTestDoc, m_view->GetDocument());
    ASSERT_NE(nullptr, m_doc);
    m_editor = m_view->GetEditor();
  }

  // Closes the main window as the user does; true when it went away.
  bool Close() {
    m_frame->SendMessage(WM_CLOSE);
    bool closed = !::IsWindow(m_hFrame);
    if (closed) {
      m_frame = nullptr;
      m_view = nullptr;
      m_doc = nullptr;
      m_editor = nullptr;
    }
    DrainQuit();
    return closed;
  }

  static void DrainQuit() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }

  // Types a new text: the whole worksheet is replaced, the document becomes modified.
  void Type(LPCWSTR text) {
    m_editor->SetText(text);
    ASSERT_TRUE(m_doc->IsModified());
  }

  std::string EditorBytes() { return AnsiBytes(m_editor->GetText()); }

  CString m_base;
  CFrameWnd* m_frame = nullptr;
  HWND m_hFrame = nullptr;
  CPaneView* m_view = nullptr;
  CTestDoc* m_doc = nullptr;
  CScintillaWnd* m_editor = nullptr;
};

const std::vector<std::pair<UINT, UINT>> kSaveFailedOnce{{IDS_AUTOSAVE_FAILED, IDS_AUTOSAVE_FAILED_CAPTION}};

// ---- the auto-saved worksheet ------------------------------------------------------------------

TEST_F(WorksheetDoc, FirstStartWithoutWorksheetFileIsEmptyAndSilent) {
  Start();
  EXPECT_TRUE(m_doc->IsAutoSaveWorksheet()) << "the default model stores the worksheet";
  EXPECT_TRUE(m_doc->GetPathName().IsEmpty());
  EXPECT_EQ(0, m_editor->GetLength());
  EXPECT_FALSE(m_doc->IsModified());
  EXPECT_EQ(1, CPaneView::s_calculations);
  EXPECT_TRUE(g_errorBoxes.empty());
  EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(WorksheetFolder())) << "folders made on the way";
  EXPECT_EQ(m_view, m_doc->GetExpressionView());
  EXPECT_EQ(WorksheetFile(), m_doc->GetDocumentPath());
}

TEST_F(WorksheetDoc, ClosingStoresTheWorksheetByteForByteAndTheNextStartReloadsIt) {
  Start();
  Type(L"1+2; 3*4\r\nx := 5\r\n\tx*2 // done");
  ASSERT_TRUE(Close());
  EXPECT_EQ(std::string("1+2; 3*4\r\nx := 5\r\n\tx*2 // done"), ReadBytes(WorksheetFile()));
  EXPECT_EQ(1, g_stateSaves);
  EXPECT_EQ(kMissing, g_fileAtStateSave) << "the application saves its settings before the worksheet";
  EXPECT_TRUE(g_questions.empty()) << "the worksheet is stored without a question";
  EXPECT_TRUE(g_errorBoxes.empty());
  std::vector<CString> files = FilesIn(WorksheetFolder());
  ASSERT_EQ(1u, files.size()) << "no temporary file stays behind";
  EXPECT_STREQ(L"NumbrookDoc.txt", files[0]);

  Start();  // the next program start
  EXPECT_EQ("1+2; 3*4\r\nx := 5\r\n\tx*2 // done\r\n", EditorBytes()) << "a line break ends the last line";
  EXPECT_EQ(m_editor->GetLength(), m_editor->GetCurrentPosition()) << "the caret starts on the empty last line";
  EXPECT_FALSE(m_doc->IsModified());
  EXPECT_FALSE(m_editor->CanUndo());
  ASSERT_TRUE(Close());
  EXPECT_EQ("1+2; 3*4\r\nx := 5\r\n\tx*2 // done\r\n", ReadBytes(WorksheetFile()));
}

TEST_F(WorksheetDoc, LoadEndsTheWorksheetWithAnEmptyLineOnlyOnTheFirstStart) {
  struct Case {
    std::string file, loaded;
  } cases[] = {
      {"", ""},                   // an empty file loads as nothing
      {"1+1", "1+1\r\n"},         // last line with text
      {"1+1\r\n", "1+1\r\n"},     // already ends with a line break
      {"a\r\n\r\n", "a\r\n\r\n"}, // an empty last line stays as it is
      {"  ", "  \r\n"},           // blanks are text
  };
  ::CreateDirectoryW(g_appData + L"\\Ferrow Software", nullptr);
  ::CreateDirectoryW(WorksheetFolder(), nullptr);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    WriteBytes(WorksheetFile(), c.file);
    Start();
    EXPECT_EQ(c.loaded, EditorBytes());
    EXPECT_EQ(m_editor->GetLength(), m_editor->GetCurrentPosition());
    EXPECT_FALSE(m_doc->IsModified());
    ASSERT_TRUE(Close());
  }
  // A new document later in the same run starts empty: the worksheet file is read once.
  Start();
  Type(L"7*6");
  m_doc->SetModifiedFlag(FALSE);
  theApp.OnFileNew();
  EXPECT_EQ(0, m_editor->GetLength());
  EXPECT_EQ("7*6", ReadBytes(WorksheetFile())) << "the replaced worksheet was stored first";
}

// A worksheet file that the pane cannot hold as it is: the user is told once at start, an exit
// without an edit leaves the file alone, and the first save after an edit keeps the original
// bytes in "NumbrookDoc.txt.bak" before the new text replaces the file.
TEST_F(WorksheetDoc, AFileThePaneCannotHoldIsToldAndKeptAsABackupBeforeItIsReplaced) {
  wchar_t noMark[] = L"1+2\r\nx := 5";
  wchar_t greek[] = L"\xFEFFr := 2\r\n\u03c0*r^2";
  struct Case {
    const char* name;
    std::string bytes;
    bool locked;  // another program holds the file while the program starts
    UINT told;
  } cases[] = {
      {"UTF-16 without a mark", std::string((const char*)noMark, sizeof(noMark) - sizeof(wchar_t)), false,
       IDS_WORKSHEET_ALTERED},
      {"characters outside the code page", std::string((const char*)greek, sizeof(greek) - sizeof(wchar_t)), false,
       IDS_WORKSHEET_ALTERED},
      {"NUL bytes", std::string("1+1\0\0\r\n2+2", 10), false, IDS_WORKSHEET_ALTERED},
      {"locked at start", "precious", true, IDS_WORKSHEET_UNREAD},
  };
  ::CreateDirectoryW(g_appData + L"\\Ferrow Software", nullptr);
  ::CreateDirectoryW(WorksheetFolder(), nullptr);
  const CString backup = WorksheetFile() + L".bak";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteBytes(WorksheetFile(), c.bytes);
    ::DeleteFileW(backup);
    for (bool edit : {false, true}) {
      g_errorBoxes.clear();
      HANDLE lock = c.locked ? ::CreateFileW(WorksheetFile(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)
                             : INVALID_HANDLE_VALUE;
      Start();
      if (lock != INVALID_HANDLE_VALUE) ::CloseHandle(lock);
      EXPECT_EQ((std::vector<std::pair<UINT, UINT>>{{c.told, IDS_WORKSHEET_KEPT_CAPTION}}), g_errorBoxes);
      if (edit) Type(L"new text");
      ASSERT_TRUE(Close());
      if (!edit) {
        EXPECT_EQ(c.bytes, ReadBytes(WorksheetFile())) << "an exit without an edit leaves the file alone";
        EXPECT_EQ(kMissing, ReadBytes(backup));
      }
    }
    EXPECT_EQ("new text", ReadBytes(WorksheetFile()));
    EXPECT_EQ(c.bytes, ReadBytes(backup)) << "the original bytes are kept beside it";
    EXPECT_EQ(2u, FilesIn(WorksheetFolder()).size()) << "no temporary file stays behind";
  }
}

TEST_F(WorksheetDoc, TheBackupIsMadeOnceAndAFailedBackupSavesNothing) {
  ::CreateDirectoryW(g_appData + L"\\Ferrow Software", nullptr);
  ::CreateDirectoryW(WorksheetFolder(), nullptr);
  const std::string original("a\0b", 3);
  const CString backup = WorksheetFile() + L".bak";
  WriteBytes(WorksheetFile(), original);
  ASSERT_TRUE(::CreateDirectoryW(backup, nullptr)) << "a folder where the backup belongs";
  Start();
  Type(L"first");
  g_answer = IDCANCEL;
  ASSERT_FALSE(Close()) << "without its backup the file is not replaced";
  EXPECT_EQ(original, ReadBytes(WorksheetFile()));
  ASSERT_TRUE(::RemoveDirectoryW(backup));
  WriteBytes(backup, "an older backup");

  // Now the backup can be made; it replaces the older one, and a later save of the same run
  // does not touch it again.
  theApp.OnFileNew();  // stores the worksheet first
  EXPECT_EQ("first", ReadBytes(WorksheetFile()));
  EXPECT_EQ(original, ReadBytes(backup));
  Type(L"second");
  ASSERT_TRUE(Close());
  EXPECT_EQ("second", ReadBytes(WorksheetFile()));
  EXPECT_EQ(original, ReadBytes(backup));
}

// ---- document models ---------------------------------------------------------------------------

TEST_F(WorksheetDoc, SdiModelAsksTheUsualQuestionAndNeverTouchesTheWorksheetFile) {
  ::CreateDirectoryW(g_appData + L"\\Ferrow Software", nullptr);
  ::CreateDirectoryW(WorksheetFolder(), nullptr);
  WriteBytes(WorksheetFile(), "kept");
  theApp.WriteProfileInt(L"Settings", L"DocumentModel", SDI);
  Start();
  EXPECT_FALSE(m_doc->IsAutoSaveWorksheet());
  EXPECT_EQ(0, m_editor->GetLength()) << "nothing is loaded automatically";
  Type(L"1+1");
  g_answer = IDCANCEL;
  ASSERT_FALSE(Close()) << "Cancel keeps the program open";
  EXPECT_EQ("1+1", EditorBytes());
  g_answer = IDNO;
  EXPECT_TRUE(Close());
  EXPECT_EQ((std::vector<UINT>{AFX_IDP_ASK_TO_SAVE, AFX_IDP_ASK_TO_SAVE}), g_questions);
  EXPECT_EQ(2, g_stateSaves);
  EXPECT_EQ("kept", ReadBytes(WorksheetFile()));
}

TEST_F(WorksheetDoc, TheSettingsManagersModelWinsOverTheProfile) {
  theApp.WriteProfileInt(L"Settings", L"DocumentModel", PDI);
  g_main.settings.model = SDI;
  SetMainInterfaceSource(MainSource);
  Start();
  EXPECT_FALSE(m_doc->IsAutoSaveWorksheet());
  ASSERT_TRUE(Close());
  EXPECT_EQ(kMissing, ReadBytes(WorksheetFile()));
  g_main.settings.model = PDI;
  theApp.WriteProfileInt(L"Settings", L"DocumentModel", SDI);
  Start();
  EXPECT_TRUE(m_doc->IsAutoSaveWorksheet());
}

// ---- a worksheet of the user's own -------------------------------------------------------------

TEST_F(WorksheetDoc, AWorksheetWithItsOwnNameIsNeverWrittenToTheWorksheetFile) {
  CString own = m_base + L"\\own.txt";
  WriteBytes(own, "2^10");
  Start();
  Type(L"sheet");
  ASSERT_NE(nullptr, theApp.OpenDocumentFile(own));
  EXPECT_EQ("sheet", ReadBytes(WorksheetFile())) << "stored before the other file replaced it";
  EXPECT_EQ("2^10", EditorBytes());
  EXPECT_EQ(own, m_doc->GetPathName());
  Type(L"2^11\r\n");
  g_answer = IDYES;
  ASSERT_TRUE(Close());
  EXPECT_EQ((std::vector<UINT>{AFX_IDP_ASK_TO_SAVE}), g_questions);
  EXPECT_EQ("2^11\r\n", ReadBytes(own));
  EXPECT_EQ("sheet", ReadBytes(WorksheetFile()));
}

// ---- failures ----------------------------------------------------------------------------------

TEST_F(WorksheetDoc, AFailedSaveKeepsTheOldFileTheTextAndTheModifiedFlag) {
  ::CreateDirectoryW(g_appData + L"\\Ferrow Software", nullptr);
  ::CreateDirectoryW(WorksheetFolder(), nullptr);
  WriteBytes(WorksheetFile(), "old\r\nlines");
  ASSERT_TRUE(::SetFileAttributesW(WorksheetFile(), FILE_ATTRIBUTE_READONLY));
  Start();
  ASSERT_EQ("old\r\nlines\r\n", EditorBytes());
  Type(L"new text");

  g_answer = IDCANCEL;
  ASSERT_FALSE(Close()) << "the program stays open with the unsaved worksheet";
  EXPECT_EQ(kSaveFailedOnce, g_errorBoxes);
  EXPECT_EQ((std::vector<UINT>{AFX_IDP_ASK_TO_SAVE}), g_questions) << "then the usual question";
  EXPECT_EQ("new text", EditorBytes());
  EXPECT_TRUE(m_doc->IsModified());
  EXPECT_EQ("old\r\nlines", ReadBytes(WorksheetFile()));
  EXPECT_EQ(1u, FilesIn(WorksheetFolder()).size()) << "no temporary file stays behind";

  // Yes with a cancelled save dialog saves nothing and keeps the program open as well.
  g_answer = IDYES;
  ASSERT_FALSE(Close());
  EXPECT_TRUE(m_doc->IsModified());

  // Yes with a name: the text goes there, the worksheet file stays as it was.
  g_saveAsName = m_base + L"\\rescued.txt";
  g_errorBoxes.clear();
  EXPECT_TRUE(Close());
  EXPECT_EQ("new text", ReadBytes(g_saveAsName));
  EXPECT_EQ("old\r\nlines", ReadBytes(WorksheetFile()));
  EXPECT_EQ(kSaveFailedOnce, g_errorBoxes) << "told once per attempt";
}

TEST_F(WorksheetDoc, AnsweringNoToTheQuestionAfterAFailedSaveIsNotAskedAgain) {
  ::CreateDirectoryW(g_appData + L"\\Ferrow Software", nullptr);
  ::CreateDirectoryW(WorksheetFolder(), nullptr);
  WriteBytes(WorksheetFile(), "old");
  ASSERT_TRUE(::SetFileAttributesW(WorksheetFile(), FILE_ATTRIBUTE_READONLY));
  Start();
  Type(L"discarded");
  g_answer = IDNO;
  EXPECT_TRUE(Close());
  EXPECT_EQ(kSaveFailedOnce, g_errorBoxes);
  EXPECT_EQ("old", ReadBytes(WorksheetFile()));
}

TEST_F(WorksheetDoc, AnUnusableFolderFallsBackToTheCurrentFolderWithAMessage) {
  WriteBytes(g_appData + L"\\Ferrow Software", "a file where the folder belongs");
  wchar_t previous[MAX_PATH];
  ::GetCurrentDirectoryW(MAX_PATH, previous);
  ASSERT_TRUE(::SetCurrentDirectoryW(m_base));
  Start();
  EXPECT_EQ((std::vector<std::pair<UINT, UINT>>{{IDS_AUTOSAVE_FOLDER_FAILED, IDS_AUTOSAVE_FOLDER_CAPTION}}),
            g_errorBoxes);
  Type(L"1/3");
  EXPECT_TRUE(Close());
  ::SetCurrentDirectoryW(previous);
  EXPECT_EQ("1/3", ReadBytes(m_base + L"\\NumbrookDoc.txt"));
}

TEST_F(WorksheetDoc, SavingUnderANameThatCannotBeWrittenKeepsTheFileAndTheFlag) {
  CString own = m_base + L"\\own.txt";
  WriteBytes(own, "mine");
  ASSERT_TRUE(::SetFileAttributesW(own, FILE_ATTRIBUTE_READONLY));
  Start();
  Type(L"replacement");
  EXPECT_FALSE(m_doc->OnSaveDocument(own));
  EXPECT_EQ("mine", ReadBytes(own));
  EXPECT_TRUE(m_doc->IsModified());
  EXPECT_EQ((std::vector<std::pair<UINT, UINT>>{{AFX_IDP_FAILED_TO_SAVE_DOC, AFX_IDS_APP_TITLE}}), g_errorBoxes);
  EXPECT_TRUE(m_doc->OnSaveDocument(m_base + L"\\other.txt"));
  EXPECT_FALSE(m_doc->IsModified());
  EXPECT_EQ("replacement", ReadBytes(m_base + L"\\other.txt"));
}

// ---- the real application-data folder ----------------------------------------------------------

TEST(WorksheetPath, LiesInTheUsersApplicationDataFolder) {
  wchar_t appData[MAX_PATH] = {};
  ASSERT_TRUE(::SHGetSpecialFolderPathW(nullptr, appData, CSIDL_APPDATA, FALSE));
  CNumbrookDoc doc;
  CString path = doc.GetDocumentPath();
  EXPECT_EQ(CString(appData) + L"\\Ferrow Software\\Numbrook\\NumbrookDoc.txt", path);
  CString folder = CString(appData) + L"\\Ferrow Software\\Numbrook";
  const DWORD attributes = ::GetFileAttributesW(folder);
  ASSERT_NE(INVALID_FILE_ATTRIBUTES, attributes) << "the folder was made";
  EXPECT_NE(0u, attributes & FILE_ATTRIBUTE_DIRECTORY);
}

TEST(WorksheetPath, FoldersAreMadeOnceAndAFileInTheWayFails) {
  const CString base = TempPathFor(L"nbpath");
  RemoveTree(base);
  ASSERT_TRUE(::CreateDirectoryW(base, nullptr));
  CString path;
  EXPECT_TRUE(MakeAutoSavePath(base + L"\\", path)) << "a trailing separator is not doubled";
  EXPECT_EQ(base + L"\\Ferrow Software\\Numbrook\\NumbrookDoc.txt", path);
  EXPECT_TRUE(MakeAutoSavePath(base, path)) << "existing folders count as made";
  RemoveTree(base + L"\\Ferrow Software");
  ::CreateDirectoryW(base + L"\\Ferrow Software", nullptr);
  WriteBytes(base + L"\\Ferrow Software\\Numbrook", "x");
  CString untouched = L"unchanged";
  EXPECT_FALSE(MakeAutoSavePath(base, untouched));
  EXPECT_EQ(CString(L"unchanged"), untouched);
  EXPECT_FALSE(MakeAutoSavePath(CString(), untouched)) << "no application-data folder";
  RemoveTree(base);
}

TEST(WorksheetFile, AnEditorWithoutItsWindowNeverReplacesTheFile) {
  const CString base = TempPathFor(L"nbsafe");
  RemoveTree(base);
  ASSERT_TRUE(::CreateDirectoryW(base, nullptr));
  WriteBytes(base + L"\\sheet.txt", "1+1");
  CScintillaWnd noWindow;
  EXPECT_FALSE(SaveEditorTextSafely(noWindow, base + L"\\sheet.txt"));
  EXPECT_EQ("1+1", ReadBytes(base + L"\\sheet.txt"));
  EXPECT_EQ(1u, FilesIn(base).size()) << "no temporary file stays behind";
  RemoveTree(base);
}

}  // namespace
