// Numbrook as a new user meets it, driven from another process: File > New and Open over a
// worksheet that was never saved under a name, the recent files of the File menu (with real key
// presses, which the driver beside this test plays), the results pane scrolling the expressions
// with it, the colours of pasted definitions, and the pane's font and bookmarks after File > New.
// The program runs as a copy under a name of its own, so its settings live in a registry key of
// this test's own.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "EditorMessages.h"
#include "GesturePlayer.h"
#include "ProgramDriver.h"
#include "ProgramTestKit.h"

namespace {

const wchar_t kExe[] = L"NumbrookFirstUse.exe";
const wchar_t kProfile[] = L"Software\\Ferrow Software\\NumbrookFirstUse";
const wchar_t kAppTitle[] = L"NumbrookFirstUse";  // the message boxes' caption: the program's name
const UINT kFileNew = 0xE100;
const UINT kFileOpen = 0xE101;
const UINT kFileSaveAs = 0xE104;
const UINT kEditPaste = 0xE125;
const UINT kAppExit = 0xE141;
const UINT kToggleBookmark = 22889;
const int kVariableStyle = 2;
const int kErrorStyle = 8;

// Has the driver play these xdotool arguments (see GesturePlayer.h).
bool Play(const std::string& commands) { return PlayGesture("shellfirstuse", commands); }

LRESULT Sci(HWND editor, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return ::SendMessageW(editor, message, wParam, lParam);
}

std::wstring WindowText(HWND window) {
  wchar_t text[512] = {};
  ::GetWindowTextW(window, text, 512);
  return text;
}

void DeleteFolderFile(const std::wstring& path) { ::DeleteFileW(path.c_str()); }

// The program as a copy named kExe in a folder of its own, started by the test.
class FirstUse : public ::testing::Test {
protected:
  void SetUp() override {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kProfile);
    DeleteFolderFile(AppDataWorksheet());
    ASSERT_TRUE(::CopyFileW(L"Numbrook.exe", Exe().c_str(), FALSE));
  }
  void TearDown() override {
    m_program.reset();
    DeleteFolderFile(Exe());
    for (const std::wstring& file : m_files) DeleteFolderFile(file);
    DeleteFolderFile(AppDataWorksheet());
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kProfile);
  }

  std::wstring Exe() const { return m_folder.Path() + L"\\" + kExe; }
  // A file of the program's folder that the test removes at the end.
  std::wstring FolderFile(const std::wstring& name) {
    m_files.push_back(m_folder.Path() + L"\\" + name);
    return m_files.back();
  }

  // Starts the program and waits for its frame and the first results.
  void Start() {
    m_program.reset(new StartedProgram(L"\"" + Exe() + L"\"", m_folder.Path()));
    ASSERT_TRUE(m_program->Started());
    m_frame = m_program->Frame(true);
    ASSERT_NE(nullptr, m_frame);
    std::tie(m_expressions, m_results) = WorksheetPanes(m_frame);
    ASSERT_NE(nullptr, m_expressions);
  }
  void Exit() {
    ::PostMessageW(m_frame, WM_COMMAND, kAppExit, 0);
    ASSERT_TRUE(m_program->Ended());
    m_program.reset();
  }
  void TypeAndCalculate(const std::wstring& text, const std::wstring& results) {
    Type(m_expressions, text);
    ASSERT_TRUE(PumpUntil([&] { return EditorText(m_results) == results; })) << EditorText(m_results).c_str();
  }
  // A dialog window of the program with that caption.
  HWND Dialog(const wchar_t* caption, DWORD timeoutMs = 15000) { return m_program->Box(caption, timeoutMs); }
  // Answers the Save As (or Open) dialog with a path.
  void ChooseFile(const wchar_t* caption, const std::wstring& path) {
    HWND dialog = Dialog(caption);
    ASSERT_NE(nullptr, dialog);
    // The dialog is found as soon as it exists: its file name field is filled once it shows and
    // has set itself up.
    HWND name = nullptr;
    ASSERT_TRUE(PumpUntil([&] {
      name = ::GetDlgItem(dialog, 0x480);  // the file name field
      if (name == nullptr) name = ::GetDlgItem(dialog, 0x47C);
      return name != nullptr && ::IsWindowVisible(dialog);
    }));
    ASSERT_TRUE(m_program->Settled());
    ::SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    ASSERT_EQ(path, EditorText(name));
    ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(PumpUntil([&] { return !::IsWindow(dialog); }));
  }

  ProgramFolder m_folder{{L"BrookResx.dll", L"BrookEdit.dll"}};
  std::vector<std::wstring> m_files;
  std::unique_ptr<StartedProgram> m_program;
  HWND m_frame = nullptr;
  HWND m_expressions = nullptr;
  HWND m_results = nullptr;
};

// ---- replacing a worksheet that was never saved under a name ------------------------------------

struct ReplaceAnswer {
  const char* name;
  UINT command;             // New, or Open with the file "other.txt" (holding "2*3")
  int button;
  std::wstring paneAfter;   // the expression pane once the answer was handled
  std::string namedFile;    // what the file chosen in Save As holds ("<missing>": none chosen)
};

class ReplacingAStoredWorksheet : public FirstUse, public ::testing::WithParamInterface<ReplaceAnswer> {};

TEST_P(ReplacingAStoredWorksheet, AsksFirstAndDoesWhatTheAnswerSays) {
  const std::wstring named = FolderFile(L"kept.txt");
  const std::wstring other = FolderFile(L"other.txt");
  ASSERT_TRUE(WriteFileBytes(other, "2*3"));
  Start();
  TypeAndCalculate(L"1+1", L"2");
  ::PostMessageW(m_frame, WM_COMMAND, GetParam().command, 0);
  if (GetParam().command == kFileOpen) ChooseFile(L"Open", other);

  HWND question = Dialog(kAppTitle);
  ASSERT_NE(nullptr, question) << "File > New or Open asks before the text is replaced";
  EXPECT_EQ(L"Save changes to Untitled?", WindowText(::GetDlgItem(question, 0xFFFF)));
  ::PostMessageW(question, WM_COMMAND, GetParam().button, 0);
  if (GetParam().button == IDYES) ChooseFile(L"Save As", named);

  EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(question) && EditorText(m_expressions) == GetParam().paneAfter; }))
      << EditorText(m_expressions).c_str();
  // The text stood in the auto-save file before the question; no answer loses it there.
  EXPECT_EQ("1+1", ReadFileBytes(AppDataWorksheet()));
  EXPECT_EQ(GetParam().namedFile, ReadFileBytes(named));
}

INSTANTIATE_TEST_SUITE_P(Answers, ReplacingAStoredWorksheet,
                         ::testing::Values(ReplaceAnswer{"NewCancel", kFileNew, IDCANCEL, L"1+1", "<missing>"},
                                           ReplaceAnswer{"NewNo", kFileNew, IDNO, L"", "<missing>"},
                                           ReplaceAnswer{"NewYes", kFileNew, IDYES, L"", "1+1"},
                                           ReplaceAnswer{"OpenNo", kFileOpen, IDNO, L"2*3", "<missing>"}),
                         [](const ::testing::TestParamInfo<ReplaceAnswer>& info) { return info.param.name; });

TEST_F(FirstUse, NewOverAnEmptyWorksheetAsksNothingKeepsTheCodeFormatAndDropsTheBookmarks) {
  Start();
  const LRESULT size = Sci(m_expressions, EDM_GETSTYLESIZE, STYLE_DEFAULT);
  ASSERT_GT(size, 0);
  ::PostMessageW(m_frame, WM_COMMAND, kToggleBookmark, 0);
  ASSERT_TRUE(PumpUntil([&] { return Sci(m_expressions, SCI_MARKERNEXT, 0, 1) == 0; }));
  // Sent: it returns once the new worksheet stands (a question would hold it up).
  DWORD_PTR answer = 0;
  EXPECT_NE(0, ::SendMessageTimeoutW(m_frame, WM_COMMAND, kFileNew, 0, SMTO_NORMAL, 10000, &answer));
  EXPECT_EQ(nullptr, Dialog(kAppTitle, 0));
  EXPECT_EQ(size, Sci(m_expressions, EDM_GETSTYLESIZE, STYLE_DEFAULT));
  EXPECT_EQ(size, Sci(m_expressions, EDM_GETSTYLESIZE, kVariableStyle));
  EXPECT_EQ(-1, Sci(m_expressions, SCI_MARKERNEXT, 0, 1)) << "bookmarks belong to the worksheet they were set in";
  Exit();

  // The next start shows the same size.
  Start();
  EXPECT_EQ(size, Sci(m_expressions, EDM_GETSTYLESIZE, STYLE_DEFAULT));
}

// ---- recent files -----------------------------------------------------------------------------------

TEST_F(FirstUse, WorksheetSavedUnderANameIsListedInTheFileMenuAfterARestart) {
  const std::wstring named = FolderFile(L"listed.txt");
  Start();
  TypeAndCalculate(L"6*7", L"42");
  ::PostMessageW(m_frame, WM_COMMAND, kFileSaveAs, 0);
  ChooseFile(L"Save As", named);
  ASSERT_TRUE(PumpUntil([&] { return ReadFileBytes(named) == "6*7"; }));
  Exit();

  Start();
  ASSERT_EQ(L"", EditorText(m_expressions));
  // The File menu with the keyboard, then its first recent file by its number.
  ASSERT_TRUE(Play("search --sync --onlyvisible --name Untitled windowraise windowfocus"));
  ASSERT_TRUE(Play("key --delay 200 alt+f 1"));
  EXPECT_TRUE(PumpUntil([&] { return EditorText(m_expressions) == L"6*7"; })) << EditorText(m_expressions).c_str();
}

// ---- the panes --------------------------------------------------------------------------------------

TEST_F(FirstUse, WheelOnTheResultsPaneScrollsBothPanes) {
  std::string worksheet;
  for (int i = 1; i <= 200; ++i) worksheet += std::to_string(i) + "\r\n";
  // The worksheet's folders, as the program makes them at its first start.
  const std::wstring file = AppDataWorksheet();
  const std::wstring program = file.substr(0, file.rfind(L'\\'));
  ::CreateDirectoryW(program.substr(0, program.rfind(L'\\')).c_str(), nullptr);
  ::CreateDirectoryW(program.c_str(), nullptr);
  ASSERT_TRUE(WriteFileBytes(file, worksheet));
  Start();
  ASSERT_TRUE(PumpUntil([&] { return Sci(m_results, SCI_GETLINECOUNT) >= 200; }));
  // The caret starts at the end: both panes show the last lines.
  const LRESULT start = Sci(m_expressions, SCI_GETFIRSTVISIBLELINE);
  ASSERT_GT(start, 0);
  ASSERT_EQ(start, Sci(m_results, SCI_GETFIRSTVISIBLELINE));

  RECT rect;
  ::GetWindowRect(m_results, &rect);
  ::PostMessageW(m_results, WM_MOUSEWHEEL, MAKEWPARAM(0, 3 * WHEEL_DELTA),
                 MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2));
  EXPECT_TRUE(PumpUntil([&] {
    const LRESULT first = Sci(m_results, SCI_GETFIRSTVISIBLELINE);
    return first < start && Sci(m_expressions, SCI_GETFIRSTVISIBLELINE) == first;
  })) << Sci(m_results, SCI_GETFIRSTVISIBLELINE) << " " << Sci(m_expressions, SCI_GETFIRSTVISIBLELINE);
}

TEST_F(FirstUse, PastedDefinitionColoursItsLaterUsesOnceCalculated) {
  Start();
  const std::wstring pasted = L"x := 5\r\nx*2";
  ASSERT_TRUE(::OpenClipboard(nullptr));
  ::EmptyClipboard();
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, (pasted.size() + 1) * sizeof(wchar_t));
  memcpy(::GlobalLock(block), pasted.c_str(), (pasted.size() + 1) * sizeof(wchar_t));
  ::GlobalUnlock(block);
  ::SetClipboardData(CF_UNICODETEXT, block);
  ::CloseClipboard();

  ::PostMessageW(m_frame, WM_COMMAND, kEditPaste, 0);
  ASSERT_TRUE(PumpUntil([&] { return EditorText(m_results) == L"5\r\n10"; })) << EditorText(m_results).c_str();
  const WPARAM use = 8;  // the x of the second line
  EXPECT_TRUE(PumpUntil([&] { return Sci(m_expressions, SCI_GETSTYLEAT, use) == kVariableStyle; }))
      << Sci(m_expressions, SCI_GETSTYLEAT, use);
  EXPECT_NE(Sci(m_expressions, EDM_GETSTYLEFORE, kErrorStyle),
            Sci(m_expressions, EDM_GETSTYLEFORE, Sci(m_expressions, SCI_GETSTYLEAT, use)));
}

}  // namespace
