// The editing-control wrapper against the real control (BrookEdit.dll): text transfer, file
// load and save byte for byte, margins, bookmarks, search and replace-all, key pre-translation,
// the key filter and the synthesised click notification.
#include "ScintillaWnd.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ChangedSpan.h"
#include "EditorMessages.h"
#include "MainInterface.h"
#include "NumbrookLib.h"
#include "ScintillaStyledText.h"
#include "WorkspaceTestKit.h"

namespace {

CWinApp theApp(L"WorkspaceEditorWrapperTest");

// A top-level window that hosts the control and records the notifications it receives.
class CHostWnd : public CWnd {
public:
  std::vector<NMHDR> notices;
  BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) override {
    notices.push_back(*(NMHDR*)lParam);
    *pResult = 0;
    return TRUE;
  }
};

std::wstring TempPath(const wchar_t* name) {
  return std::wstring(TempPathFor(L"wedit")) + L"_" + name;
}

std::string Ansi(const wchar_t* text) { return EditorTextToAnsi(text); }

class EditorWrapper : public ::testing::Test {
protected:
  static CHostWnd* host;
  static void SetUpTestSuite() {
    ASSERT_NE(nullptr, ::LoadLibraryW(L"BrookEdit.dll"));
    host = new CHostWnd;
    ASSERT_TRUE(host->CreateEx(0, AfxRegisterWndClass(0), L"host", WS_OVERLAPPEDWINDOW, 0, 0, 500, 400, nullptr,
                               nullptr));
  }
  static void TearDownTestSuite() {
    host->DestroyWindow();
    delete host;
  }
  void SetUp() override {
    ASSERT_TRUE(editor.Create(L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(0, 0, 400, 300), host, 7));
    editor.InitEditor();
    host->notices.clear();
  }
  void TearDown() override { SetKeys(false, false); }

  // The control's text exactly as it holds it.
  std::string Bytes() {
    int n = (int)editor.SendMessage(SCI_GETLENGTH);
    std::string s((size_t)n + 1, '\0');
    editor.SendMessage(SCI_GETTEXT, (WPARAM)n + 1, (LPARAM)&s[0]);
    s.resize((size_t)n);
    return s;
  }
  static void SetKeys(bool ctrl, bool shift) {
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] = ctrl ? 0x80 : 0;
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    ::SetKeyboardState(keys);
  }
  BOOL Key(UINT vk, bool ctrl = false, bool shift = false) {
    SetKeys(ctrl, shift);
    MSG msg = {editor.m_hWnd, WM_KEYDOWN, vk, 0};
    BOOL eaten = editor.PreTranslateMessage(&msg);
    SetKeys(false, false);
    return eaten;
  }
  static void PutClipboard(const char* text) {
    ASSERT_TRUE(::OpenClipboard(host->m_hWnd));
    ::EmptyClipboard();
    size_t n = strlen(text) + 1;
    HGLOBAL mem = ::GlobalAlloc(GMEM_MOVEABLE, n);
    memcpy(::GlobalLock(mem), text, n);
    ::GlobalUnlock(mem);
    ::SetClipboardData(CF_TEXT, mem);
    ::CloseClipboard();
  }
  static std::string GetClipboard() {
    std::string out;
    if (!::OpenClipboard(host->m_hWnd)) return out;
    if (HANDLE mem = ::GetClipboardData(CF_TEXT)) {
      out = (const char*)::GlobalLock(mem);
      ::GlobalUnlock(mem);
    }
    ::CloseClipboard();
    return out;
  }

  CScintillaWnd editor;
};
CHostWnd* EditorWrapper::host = nullptr;

TEST_F(EditorWrapper, InitialSetUpAndDefaultStyles) {
  EXPECT_EQ(0, editor.SendMessage(SCI_GETLEXER));
  EXPECT_EQ(SC_EOL_CRLF, editor.SendMessage(SCI_GETEOLMODE));
  EXPECT_EQ(4, editor.SendMessage(SCI_GETTABWIDTH));
  EXPECT_EQ(SC_MOD_INSERTTEXT | SC_MOD_DELETETEXT, editor.SendMessage(SCI_GETMODEVENTMASK));
  EXPECT_EQ(0, editor.SendMessage(SCI_GETMARGINWIDTHN, 0));
  EXPECT_EQ(16, editor.SendMessage(SCI_GETMARGINWIDTHN, 1));
  EXPECT_EQ(0, editor.SendMessage(SCI_GETMARGINWIDTHN, 2));
  EXPECT_FALSE(editor.IsLineNumbersShown());
  EXPECT_TRUE(editor.IsMarkerMarginShown());

  for (int style : {0, 17, 31, STYLE_DEFAULT, STYLE_BRACELIGHT}) {
    EXPECT_EQ(CString(L"Courier New"), editor.GetStyleFont(style)) << style;
    EXPECT_EQ(10, editor.GetStyleSize(style)) << style;
  }
  EXPECT_EQ(::GetSysColor(COLOR_WINDOW), editor.GetStyleBack(5));
  EXPECT_EQ(::GetSysColor(COLOR_WINDOWTEXT), editor.GetStyleFore(STYLE_DEFAULT));
  EXPECT_TRUE(editor.GetStyleBold(STYLE_BRACELIGHT));
  // Without the application's settings the line-number margin takes the simple look.
  EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), editor.GetStyleBack(STYLE_LINENUMBER));
  EXPECT_EQ(::GetSysColor(COLOR_BTNTEXT), editor.GetStyleFore(STYLE_LINENUMBER));

  editor.SetDefaultStyles(L"Tahoma", 14, RGB(1, 2, 3), RGB(4, 5, 6));
  editor.SetStyleBold(3, TRUE);
  editor.SetStyleItalic(3, TRUE);
  editor.SetStyleUnderline(3, TRUE);
  EXPECT_EQ(CString(L"Tahoma"), editor.GetStyleFont(3));
  EXPECT_EQ(14, editor.GetDefaultStyleSize());
  EXPECT_EQ(RGB(1, 2, 3), editor.GetStyleBack(3));
  EXPECT_EQ(RGB(4, 5, 6), editor.GetStyleFore(STYLE_DEFAULT));
  EXPECT_TRUE(editor.GetStyleBold(3) && editor.GetStyleItalic(3) && editor.GetStyleUnderline(3));
}

TEST_F(EditorWrapper, TextTravelsInTheAnsiCodePage) {
  const wchar_t* text = L"a:=1\r\nb:=a*2 // \u00e9t\u00e9\r\n\r\nc";
  editor.SetText(text);
  EXPECT_EQ(Ansi(text), Bytes());
  EXPECT_EQ(CString(text), editor.GetText());
  EXPECT_EQ((int)Ansi(text).size(), editor.GetLength());
  EXPECT_EQ(0, editor.GetCurrentPosition());
  EXPECT_EQ(4, editor.GetLineCount());
  EXPECT_EQ(CString(L"a:=1\r\n"), editor.GetLine(0));
  EXPECT_EQ(CString(L"c"), editor.GetLine(3));
  EXPECT_EQ(CString(), editor.GetLine(9));
  EXPECT_EQ(6, editor.PositionFromLine(1));
  EXPECT_EQ(1, editor.LineFromPosition(7));

  // Ranges are kept inside the text whatever the caller asks for.
  struct { int start, end; const wchar_t* text; } ranges[] = {
      {0, 4, L"a:=1"}, {-5, 4, L"a:=1"}, {(int)Ansi(text).size() - 1, 100000, L"c"},
      {5, 2, L""}, {3, 3, L""}, {-1, -1, text}, {100000, 100001, L""}};
  for (auto& r : ranges) EXPECT_EQ(CString(r.text), editor.GetTextRange(r.start, r.end)) << r.start << ".." << r.end;

  editor.InsertText(L"x", 0);
  EXPECT_EQ(CString(L"xa:=1\r\n"), editor.GetLine(0));
  editor.SetSelectionStart(1);
  editor.SetSelectionEnd(4);
  EXPECT_EQ(CString(L"a:="), editor.GetSelectedText());
  editor.SetSelectionEnd(1);
  EXPECT_EQ(CString(), editor.GetSelectedText());

  editor.SetText(nullptr);  // no text: only the caret moves
  EXPECT_EQ(CString(L"xa:=1\r\n"), editor.GetLine(0));
}

// Only what differs is replaced, and never half a line break.
TEST(ChangedSpanOfTwoTexts, SmallestSpanWithLineBreaksWhole) {
  struct {
    const char* older;
    const char* newer;
    size_t start, oldEnd, newEnd;
  } cases[] = {
      {"", "", 0, 0, 0},
      {"1\r\n2", "1\r\n2", 4, 4, 4},
      {"", "12", 0, 0, 2},
      {"12", "", 0, 2, 0},
      {"1\r\n2\r\n3", "1\r\n27\r\n3", 4, 4, 5},
      {"1\r\n22\r\n3", "1\r\n2\r\n3", 4, 5, 4},
      {"1\r\n2", "1\r\n2\r\n", 4, 4, 6},
      {"1\r\n2", "1\r\n\r\n2", 3, 3, 5},
      {"a\r\nb", "a\rX\nb", 1, 3, 4},              // widened: the break goes whole
      {"a\rb", "a\rXb", 1, 2, 3},                   // a lone CR counts as a break too
      {"aaa", "aa", 2, 3, 2},                       // repeats: the ending never overlaps the start
  };
  for (auto& c : cases) {
    const ChangedSpan span = FindChangedSpan(c.older, c.newer);
    EXPECT_EQ(c.start, span.start) << c.older << " -> " << c.newer;
    EXPECT_EQ(c.oldEnd, span.oldEnd) << c.older << " -> " << c.newer;
    EXPECT_EQ(c.newEnd, span.newEnd) << c.older << " -> " << c.newer;
    // The span and the text around it make the newer text.
    const std::string older(c.older), newer(c.newer);
    EXPECT_EQ(newer, older.substr(0, span.start) + newer.substr(span.start, span.newEnd - span.start) +
                         older.substr(span.oldEnd));
  }
}

TEST_F(EditorWrapper, ReplacingTheChangedTextLeavesTheRestAlone) {
  editor.SetText(L"1\r\n2\r\n3");
  editor.GotoPosition(1);
  editor.EmptyUndoBuffer();
  editor.ReplaceChangedText(L"1\r\n\u00e92\r\n3\r\n4");
  EXPECT_EQ(Ansi(L"1\r\n\u00e92\r\n3\r\n4"), Bytes());
  EXPECT_EQ(1, editor.GetCurrentPosition());
  editor.SetReadOnly(TRUE);
  editor.ReplaceChangedText(L"9");
  EXPECT_EQ(Ansi(L"1\r\n\u00e92\r\n3\r\n4"), Bytes()) << "refused while read-only";
  editor.SetReadOnly(FALSE);
  editor.ReplaceChangedText(L"");
  EXPECT_EQ("", Bytes());
}

TEST_F(EditorWrapper, FilesRoundTripByteForByteOrSayTheyCannot) {
  wchar_t wide[] = L"\xFEFFx:=2\r\ny:=x\u00e9";
  std::string utf16((const char*)wide, sizeof(wide) - sizeof(wchar_t));
  wchar_t greek[] = L"\xFEFFr:=2\r\n\u03c0*r^2";
  std::string utf16Greek((const char*)greek, sizeof(greek) - sizeof(wchar_t));
  std::string utf16NoMark = utf16.substr(2);
  const WorksheetLoad exact = WorksheetLoad::Exact, altered = WorksheetLoad::Altered;
  struct {
    const wchar_t* name;
    std::string file;   // what lies on disk
    WorksheetLoad load;
    std::string text;   // what the control then holds
    std::string saved;  // what saving that text writes
  } cases[] = {
      {L"ansi_crlf.txt", "a:=1\r\nb:=a+2 // \xE9t\xE9\r\n\r\n", exact, "a:=1\r\nb:=a+2 // \xE9t\xE9\r\n\r\n",
       "a:=1\r\nb:=a+2 // \xE9t\xE9\r\n\r\n"},
      {L"ansi_lf.txt", "1\n2\n3", exact, "1\n2\n3", "1\n2\n3"},
      {L"utf16_bom.txt", utf16, exact, Ansi(L"x:=2\r\ny:=x\u00e9"), Ansi(L"x:=2\r\ny:=x\u00e9")},
      {L"bom_only.txt", "\xFF\xFE", exact, "", ""},
      {L"empty.txt", "", WorksheetLoad::Absent, "", ""},
      // Written by earlier versions: every line end doubled its CR and a NUL closed the file.
      {L"legacy.txt", std::string("a\r\r\nb\r\r\n\0", 9), exact, "a\r\nb\r\n", "a\r\nb\r\n"},
      // What the control cannot give back as it was: the whole text is still shown.
      {L"utf16_no_mark.txt", utf16NoMark, altered, Ansi(L"x:=2\r\ny:=x\u00e9"), Ansi(L"x:=2\r\ny:=x\u00e9")},
      {L"utf16_greek.txt", utf16Greek, altered, "r:=2\r\n?*r^2", "r:=2\r\n?*r^2"},
      {L"nul_inside.txt", std::string("1+1\0\r\n2+2", 9), altered, "1+1\r\n2+2", "1+1\r\n2+2"},
  };
  for (auto& c : cases) {
    std::wstring path = TempPath(c.name);
    WriteBytes(path, c.file);
    editor.SetText(L"left over");
    EXPECT_EQ(c.load, editor.LoadFileChecked(path.c_str())) << c.name;
    EXPECT_EQ(c.text, Bytes()) << c.name;
    std::wstring out = path + L".saved";
    EXPECT_TRUE(editor.SaveFile(out.c_str())) << c.name;
    EXPECT_EQ(c.saved, ReadBytes(out)) << c.name;
    ::DeleteFileW(path.c_str());
    ::DeleteFileW(out.c_str());
  }
}

TEST_F(EditorWrapper, FilesThatCannotBeReadOrWrittenReportFailure) {
  std::wstring missing = TempPath(L"does_not_exist.txt");
  ::DeleteFileW(missing.c_str());
  wchar_t dir[MAX_PATH];
  ::GetTempPathW(MAX_PATH, dir);
  const wchar_t* unreadable[] = {nullptr, L"", missing.c_str()};
  for (const wchar_t* path : unreadable) {
    editor.SetText(L"something");
    EXPECT_FALSE(editor.LoadFile(path)) << (path ? path : L"(null)");
    EXPECT_EQ(0, editor.GetLength()) << "the control is left empty";
  }
  // A file that is there but kept from the program is not taken for a missing one.
  std::wstring kept = TempPath(L"kept_from_us.txt");
  WriteBytes(kept, "1+1");
  HANDLE lock = ::CreateFileW(kept.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, lock);
  EXPECT_EQ(WorksheetLoad::Unreadable, editor.LoadFileChecked(kept.c_str()));
  EXPECT_EQ(WorksheetLoad::Absent, editor.LoadFileChecked(missing.c_str()));
  ::CloseHandle(lock);
  ::DeleteFileW(kept.c_str());

  editor.SetText(L"keep me");
  std::wstring noFolder = TempPath(L"no_such_folder\\sheet.txt");
  const wchar_t* unwritable[] = {nullptr, L"", noFolder.c_str(), dir};
  for (const wchar_t* path : unwritable) EXPECT_FALSE(editor.SaveFile(path)) << (path ? path : L"(null)");
  EXPECT_EQ(std::string("keep me"), Bytes());

  // A file held open without write sharing cannot be replaced.
  std::wstring locked = TempPath(L"locked.txt");
  WriteBytes(locked, "old");
  HANDLE h = ::CreateFileW(locked.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, h);
  EXPECT_FALSE(editor.SaveFile(locked.c_str()));
  ::CloseHandle(h);
  EXPECT_EQ(std::string("old"), ReadBytes(locked));
  ::DeleteFileW(locked.c_str());
}

TEST_F(EditorWrapper, LineNumberMarginFollowsTheLineCount) {
  const int nine = (int)editor.SendMessage(SCI_TEXTWIDTH, STYLE_LINENUMBER, (LPARAM) "9");
  ASSERT_GT(nine, 0);
  struct { const wchar_t* text; int lines, digits; } table[] = {
      {L"", 1, 2}, {L"1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9", 9, 2}, {L"1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n", 10, 3}};
  for (auto& t : table) {
    editor.SetText(t.text);
    EXPECT_EQ(t.lines, editor.GetLineCount());
    EXPECT_EQ(t.digits, editor.GetLineNumberDigits()) << t.lines;
    EXPECT_EQ((t.digits + 1) * nine, editor.GetLineNumberWidth()) << t.lines;
  }
  editor.ShowLineNumbers(TRUE);
  EXPECT_TRUE(editor.IsLineNumbersShown());
  EXPECT_EQ(4 * nine + 4, editor.SendMessage(SCI_GETMARGINWIDTHN, 0));
  // The same flag again sends nothing: a width set behind the wrapper's back stays.
  editor.SendMessage(SCI_SETMARGINWIDTHN, 0, 3);
  editor.ShowLineNumbers(TRUE);
  EXPECT_EQ(3, editor.SendMessage(SCI_GETMARGINWIDTHN, 0));
  editor.ShowLineNumbers(FALSE);
  EXPECT_EQ(0, editor.SendMessage(SCI_GETMARGINWIDTHN, 0));

  editor.ShowFoldMargin(TRUE);
  editor.ShowMarkerMargin(FALSE);
  EXPECT_EQ(16, editor.SendMessage(SCI_GETMARGINWIDTHN, 2));
  EXPECT_EQ(0, editor.SendMessage(SCI_GETMARGINWIDTHN, 1));
  EXPECT_TRUE(editor.IsFoldMarginShown());
  EXPECT_FALSE(editor.IsMarkerMarginShown());
}

TEST_F(EditorWrapper, BookmarksWrapAroundAndLeaveTheCaretWhenThereAreNone) {
  editor.SetText(L"0\r\n1\r\n2\r\n3\r\n4");
  EXPECT_FALSE(editor.HasAnyMarker());
  editor.GotoLine(2);
  EXPECT_LT(editor.GotoNextMarker(), 0);
  EXPECT_LT(editor.GotoPreviousMarker(), 0);
  EXPECT_EQ(2, editor.GetCurrentLine());
  EXPECT_EQ(0, editor.DeleteMarker(2));

  editor.AddMarker(1);
  editor.AddMarker(3);
  EXPECT_TRUE(editor.HasAnyMarker());
  EXPECT_TRUE(editor.HasMarker(3));
  EXPECT_FALSE(editor.HasMarker(2));
  struct { int from; bool next; int to; } moves[] = {
      {0, true, 1}, {1, true, 3}, {3, true, 1}, {4, true, 1}, {4, false, 3}, {3, false, 1}, {1, false, 3}, {0, false, 3}};
  for (auto& m : moves) {
    editor.GotoLine(m.from);
    EXPECT_EQ(m.to, m.next ? editor.GotoNextMarker() : editor.GotoPreviousMarker()) << m.from << m.next;
    EXPECT_EQ(m.to, editor.GetCurrentLine()) << m.from << m.next;
  }
  editor.DeleteMarker(1);
  editor.DeleteMarker(3);
  EXPECT_FALSE(editor.HasAnyMarker());
}

TEST_F(EditorWrapper, FindNeverMatchesAtTheCaretAndSelectsTheMatch) {
  editor.SetText(L"ab ab ab");
  editor.SetSearchFlags(0);
  EXPECT_TRUE(editor.FindNext(L"ab"));  // the caret is at 0: the first match is skipped
  EXPECT_EQ(3, editor.GetSelectionStart());
  EXPECT_EQ(5, editor.GetSelectionEnd());
  EXPECT_TRUE(editor.FindNext(L"ab"));
  EXPECT_EQ(6, editor.GetSelectionStart());
  EXPECT_FALSE(editor.FindNext(L"ab"));
  EXPECT_TRUE(editor.FindPrevious(L"ab"));
  EXPECT_EQ(3, editor.GetSelectionStart());
  EXPECT_TRUE(editor.FindPrevious(L"ab"));
  EXPECT_EQ(0, editor.GetSelectionStart());
  EXPECT_FALSE(editor.FindPrevious(L"ab"));
  EXPECT_FALSE(editor.FindNext(nullptr));
  EXPECT_FALSE(editor.FindNext(L"zz"));

  editor.SetText(L"Sin sin");
  editor.SetSearchFlags(SCFIND_MATCHCASE);
  EXPECT_FALSE(editor.FindNext(L"Sin"));
  editor.SetSearchFlags(0);
  EXPECT_TRUE(editor.FindNext(L"Sin"));
  EXPECT_EQ(4, editor.GetSelectionStart());
}

TEST_F(EditorWrapper, ReplaceAllCountsAndKeepsToItsRange) {
  struct {
    const wchar_t* text;
    const wchar_t* find;
    const wchar_t* replace;
    DWORD flags;
    int selStart, selEnd;  // -1: whole text
    int count;
    const wchar_t* result;
  } table[] = {
      {L"x+x*x", L"x", L"yy", 0, -1, -1, 3, L"yy+yy*yy"},
      {L"a a a", L"a", L"aa", 0, -1, -1, 3, L"aa aa aa"},  // the replacement is not searched again
      {L"abc", L"b", L"", 0, -1, -1, 1, L"ac"},
      {L"abc", L"b", nullptr, 0, -1, -1, 1, L"ac"},
      {L"abc", L"", L"z", 0, -1, -1, 0, L"abc"},
      {L"abc", nullptr, L"z", 0, -1, -1, 0, L"abc"},
      {L"Pi pi PI", L"pi", L"3", 0, -1, -1, 3, L"3 3 3"},
      {L"Pi pi PI", L"pi", L"3", SCFIND_MATCHCASE, -1, -1, 1, L"Pi 3 PI"},
      {L"sin sinh sin", L"sin", L"cos", SCFIND_WHOLEWORD, -1, -1, 2, L"cos sinh cos"},
      {L"1 1 1 1", L"1", L"22", 0, 2, 5, 2, L"1 22 22 1"},
  };
  for (auto& t : table) {
    editor.SetText(t.text);
    editor.SetSearchFlags(t.flags);
    if (t.selStart >= 0) {
      editor.SetSelectionStart(t.selStart);
      editor.SetSelectionEnd(t.selEnd);
    }
    EXPECT_EQ(t.count, editor.ReplaceAll(t.find, t.replace, t.selStart >= 0)) << t.text << " / " << (t.find ? t.find : L"(null)");
    EXPECT_EQ(CString(t.result), editor.GetText()) << t.text;
  }
  editor.SetSearchFlags(0);
}

TEST_F(EditorWrapper, ReplaceSelectionReplacesWhatIsSelected) {
  editor.SetText(L"1+2");
  editor.SetSelectionStart(0);
  editor.SetSelectionEnd(1);
  editor.ReplaceSelection(L"10");
  EXPECT_EQ(CString(L"10+2"), editor.GetText());
  editor.ReplaceSelection(nullptr);
  EXPECT_EQ(CString(L"10+2"), editor.GetText());
}

TEST_F(EditorWrapper, KeyPreTranslation) {
  editor.SetText(L"line0\r\nline1\r\nline2");
  editor.GotoLine(1);

  // Ctrl+K toggles the bookmark of the caret line, Ctrl+Shift+K jumps to the next one.
  EXPECT_TRUE(Key('K', true));
  EXPECT_TRUE(editor.HasMarker(1));
  editor.AddMarker(2);
  EXPECT_TRUE(Key('K', true, true));
  EXPECT_EQ(2, editor.GetCurrentLine());
  editor.GotoLine(1);
  EXPECT_TRUE(Key('K', true));
  EXPECT_FALSE(editor.HasMarker(1));

  // Swallowed without any action, and keys that go on to the control.
  std::string before = Bytes();
  for (UINT vk : {(UINT)'B', (UINT)'D', (UINT)'J', (UINT)'M', (UINT)'T', (UINT)'U', (UINT)'W', (UINT)VK_LWIN, (UINT)VK_APPS})
    EXPECT_TRUE(Key(vk, true)) << vk;
  for (UINT vk : {(UINT)'L', (UINT)'0', (UINT)'5', (UINT)VK_RWIN, (UINT)VK_F5, (UINT)VK_LEFT, (UINT)VK_RETURN})
    EXPECT_FALSE(Key(vk, true)) << vk;
  EXPECT_FALSE(Key('A'));
  EXPECT_FALSE(Key(VK_DELETE));  // no selection: the control deletes by itself
  EXPECT_EQ(before, Bytes());

  // Editing keys: select all, copy, cut, paste, undo, redo.
  EXPECT_TRUE(Key('A', true));
  EXPECT_EQ(0, editor.GetSelectionStart());
  EXPECT_EQ(editor.GetLength(), editor.GetSelectionEnd());
  editor.SetText(L"12345");
  editor.SetSelectionStart(1);
  editor.SetSelectionEnd(3);
  EXPECT_TRUE(Key('C', true));
  EXPECT_EQ(std::string("23"), GetClipboard());
  EXPECT_TRUE(Key('X', true));
  EXPECT_EQ(std::string("145"), Bytes());
  EXPECT_TRUE(Key(VK_INSERT, false, true));
  EXPECT_EQ(std::string("12345"), Bytes());
  EXPECT_TRUE(Key('Z', true));
  EXPECT_EQ(std::string("145"), Bytes());
  EXPECT_TRUE(Key('Z', true, true));
  EXPECT_EQ(std::string("12345"), Bytes());
  EXPECT_TRUE(Key('Z', true));
  EXPECT_TRUE(Key('Y', true));
  EXPECT_EQ(std::string("12345"), Bytes());
  editor.GotoPosition(0);
  EXPECT_TRUE(Key('V', true));
  EXPECT_EQ(std::string("2312345"), Bytes());

  // Deleting a selection removes it without touching the clipboard.
  PutClipboard("kept");
  for (UINT vk : {(UINT)VK_DELETE, (UINT)VK_BACK}) {
    editor.SetText(L"abcdef");
    editor.SetSelectionStart(1);
    editor.SetSelectionEnd(3);
    EXPECT_TRUE(Key(vk)) << vk;
    EXPECT_EQ(std::string("adef"), Bytes()) << vk;
  }
  EXPECT_EQ(std::string("kept"), GetClipboard());
}

// A key filter that swallows one key and counts its references.
class CountingFilter : public IEditorKeyFilter {
public:
  LONG refs = 1;
  UINT swallow = 'Q';
  int seen = 0;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    if (riid == IID_IUnknown || riid == IID_IEditorKeyFilter) {
      *ppv = this;
      AddRef();
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return (ULONG)++refs; }
  ULONG STDMETHODCALLTYPE Release() override { return (ULONG)--refs; }
  LONG STDMETHODCALLTYPE FilterMessage(MSG* pMsg) override {
    ++seen;
    return pMsg->message == WM_KEYDOWN && pMsg->wParam == swallow ? 0 : 1;
  }
};

TEST_F(EditorWrapper, KeyFilterIsAskedFirstAndItsReferenceIsOwned) {
  CountingFilter first, second;
  {
    CScintillaWnd local;
    ASSERT_TRUE(local.Create(L"", WS_CHILD, CRect(0, 0, 10, 10), host, 8));
    local.SetKeyFilter(&first);
    EXPECT_EQ(2, first.refs);
    MSG q = {local.m_hWnd, WM_KEYDOWN, 'Q', 0};
    MSG l = {local.m_hWnd, WM_KEYDOWN, 'L', 0};
    MSG ch = {local.m_hWnd, WM_CHAR, 'q', 0};
    EXPECT_TRUE(local.PreTranslateMessage(&q));
    EXPECT_FALSE(local.PreTranslateMessage(&l));
    EXPECT_FALSE(local.PreTranslateMessage(&ch));
    EXPECT_EQ(3, first.seen);
    local.SetKeyFilter(&second);
    EXPECT_EQ(1, first.refs);
    EXPECT_EQ(2, second.refs);
    local.SetKeyFilter(&second);  // the same filter again keeps one reference
    EXPECT_EQ(2, second.refs);
  }
  EXPECT_EQ(1, second.refs) << "the wrapper releases its filter when it goes";
}

TEST_F(EditorWrapper, ClickIsReportedToTheParent) {
  editor.SetText(L"abc");
  editor.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 5));
  editor.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(40, 5));
  int clicks = 0;
  for (const NMHDR& n : host->notices) {
    if (n.code != SCN_CLICK) continue;
    ++clicks;
    EXPECT_EQ(editor.m_hWnd, n.hwndFrom);
    EXPECT_EQ(0u, n.idFrom);
  }
  EXPECT_EQ(1, clicks);

  CScintillaWnd orphan;  // no parent: nothing to tell
  ASSERT_TRUE(orphan.CreateEx(0, EDITOR_WINDOW_CLASS, L"", WS_POPUP, CRect(0, 0, 50, 50), nullptr, 0));
  orphan.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  orphan.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

TEST_F(EditorWrapper, EditOperationsAndTheirQueries) {
  editor.SetText(L"abc");
  editor.EmptyUndoBuffer();
  EXPECT_FALSE(editor.CanUndo());
  editor.BeginUndoAction();
  editor.InsertText(L"1", 0);
  editor.InsertText(L"2", 0);
  editor.EndUndoAction();
  EXPECT_EQ(1, editor.CanUndo());
  editor.Undo();
  EXPECT_EQ(CString(L"abc"), editor.GetText()) << "one undo step for the grouped inserts";
  EXPECT_EQ(1, editor.CanRedo());
  editor.Redo();
  EXPECT_EQ(CString(L"21abc"), editor.GetText());
  editor.SelectAll();
  editor.Clear();
  EXPECT_EQ(0, editor.GetLength());

  editor.SetText(L"abc");
  editor.SetReadOnly(TRUE);
  EXPECT_EQ(1, editor.SendMessage(SCI_GETREADONLY));
  editor.SetReadOnly(FALSE);
  editor.SetOvertype(TRUE);
  EXPECT_TRUE(editor.GetOvertype());
  editor.SetOvertype(FALSE);
  editor.GotoPosition(2);
  EXPECT_EQ(2, editor.GetCurrentColumn());
  editor.SetCurrentPosition(1);
  EXPECT_EQ(1, editor.GetCurrentPosition());
}

// Names get the style the kernel would give them; here every name is a variable.
class VariableNames : public numbrook::IWordClassifier {
public:
  int ClassifyWord(const std::wstring&) override { return LexemeTypeVariable; }
};

TEST_F(EditorWrapper, ExpressionLexerColoursTheControlThroughTheWrapper) {
  // One accented character before the number: positions count bytes of the control's text.
  const wchar_t* text = L"\u00e9:=12 // note";
  editor.SetText(text);
  CScintillaStyledText styled(editor);
  VariableNames names;
  numbrook::ColourRange(styled, names, 0, -1);
  EXPECT_EQ(editor.GetLength(), editor.GetEndStyled());
  struct { int pos; int style; } expected[] = {
      {0, LexemeTypeVariable}, {1, LexemeTypeOperator}, {3, LexemeTypeDigitNumber}, {4, LexemeTypeDigitNumber},
      {6, LexemeTypeComment}, {(int)Ansi(text).size() - 1, LexemeTypeComment}};
  for (auto& e : expected) EXPECT_EQ(e.style, editor.SendMessage(SCI_GETSTYLEAT, e.pos)) << e.pos;
  EXPECT_EQ(CString(L":=12"), CString(styled.GetTextRange(1, 5).c_str()));
}

// The application's main interface with just a settings manager that knows the visual style.
class FakeSettings : public SettingsStub {
public:
  LONG refs = 1;
  VisualStyle style = VsSimple;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** ppv) override { *ppv = nullptr; return E_NOINTERFACE; }
  ULONG STDMETHODCALLTYPE AddRef() override { return (ULONG)++refs; }
  ULONG STDMETHODCALLTYPE Release() override { return (ULONG)--refs; }
  HRESULT STDMETHODCALLTYPE get_CurrentStyle(VisualStyle* v) override { *v = style; return S_OK; }
};

class FakeMain : public MainStub {
public:
  LONG refs = 1;
  FakeSettings settings;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** ppv) override { *ppv = nullptr; return E_NOINTERFACE; }
  ULONG STDMETHODCALLTYPE AddRef() override { return (ULONG)++refs; }
  ULONG STDMETHODCALLTYPE Release() override { return (ULONG)--refs; }
  HRESULT STDMETHODCALLTYPE GetSettingsManager(IKivSettingsManager** p) override {
    settings.AddRef();
    *p = &settings;
    return S_OK;
  }
};
FakeMain g_main;
INumbrookMain* CountedMain() {
  g_main.AddRef();
  return &g_main;
}

TEST_F(EditorWrapper, SystemColoursFollowTheVisualStyle) {
  SetMainInterfaceSource(CountedMain);
  struct { VisualStyle style; int back, fore; } table[] = {
      {VsOffice2003, COLOR_GRADIENTINACTIVECAPTION, COLOR_INACTIVECAPTIONTEXT},
      {VsOfficeXP, COLOR_BTNFACE, COLOR_BTNTEXT},
      {VsSimple, COLOR_BTNFACE, COLOR_BTNTEXT}};
  for (auto& t : table) {
    g_main.settings.style = t.style;
    editor.SetStyleBack(STYLE_LINENUMBER, RGB(9, 9, 9));
    editor.SendMessage(WM_SYSCOLORCHANGE);
    EXPECT_EQ(::GetSysColor(t.back), editor.GetStyleBack(STYLE_LINENUMBER)) << t.style;
    EXPECT_EQ(::GetSysColor(t.fore), editor.GetStyleFore(STYLE_LINENUMBER)) << t.style;
  }
  SetMainInterfaceSource(nullptr);
  EXPECT_EQ(1, g_main.refs) << "every reference taken is given back";
  EXPECT_EQ(1, g_main.settings.refs);
}

}  // namespace
