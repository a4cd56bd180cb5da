// The editing control driven by messages, as the program drives it: BrookEdit.dll is loaded,
// a hidden parent window hosts one control and records its notifications.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "EditorMessages.h"

namespace {

struct Notice {
  int code;
  int position;
  int length;
  int modificationType;
  int linesAdded;
  int line;
  int x, y;
  std::string text;
  WPARAM idFrom;
};

std::vector<Notice> g_notices;
UINT_PTR g_contextAnswer = 1;  // what the parent writes into wParam of the context-menu request
int g_destroyOn = 0;           // a notification on which the parent destroys the control

LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NOTIFY) {
    SCNotification* scn = reinterpret_cast<SCNotification*>(lp);
    Notice n{static_cast<int>(scn->nmhdr.code), scn->position, scn->length, scn->modificationType,
             scn->linesAdded, scn->line, scn->x, scn->y,
             scn->text && scn->length > 0 ? std::string(scn->text, scn->length) : std::string(), wp};
    g_notices.push_back(n);
    if (scn->nmhdr.code == EDN_CONTEXTMENU) scn->wParam = g_contextAnswer;
    if (g_destroyOn != 0 && static_cast<int>(scn->nmhdr.code) == g_destroyOn) DestroyWindow(scn->nmhdr.hwndFrom);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

class EditorWindow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    library_ = LoadLibraryW(L"BrookEdit.dll");
    ASSERT_NE(library_, nullptr);
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ParentProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"EditorTestParent";
    RegisterClassW(&wc);
  }

  void SetUp() override {
    parent_ = CreateWindowExW(0, L"EditorTestParent", L"", WS_OVERLAPPEDWINDOW, 0, 0, 500, 400, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(parent_, nullptr);
    editor_ = CreateWindowExW(0, EDITOR_WINDOW_CLASS, L"", WS_CHILD | WS_VISIBLE, 0, 0, 480, 360, parent_,
                              reinterpret_cast<HMENU>(7), GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(editor_, nullptr);
    g_notices.clear();
    g_contextAnswer = 1;
    g_destroyOn = 0;
  }

  void TearDown() override {
    DestroyWindow(parent_);
    BYTE keys[256] = {};
    SetKeyboardState(keys);
  }

  LRESULT Send(UINT msg, WPARAM wp = 0, LPARAM lp = 0) { return SendMessageW(editor_, msg, wp, lp); }
  LRESULT Send(UINT msg, WPARAM wp, const std::string& s) { return Send(msg, wp, reinterpret_cast<LPARAM>(s.c_str())); }

  std::string Text() {
    int n = static_cast<int>(Send(SCI_GETLENGTH));
    std::string s(n + 1, '\0');
    Send(SCI_GETTEXT, n + 1, reinterpret_cast<LPARAM>(&s[0]));
    s.resize(n);
    return s;
  }
  void SetText(const char* s) {
    Send(SCI_SETTEXT, 0, s);
    g_notices.clear();
  }
  void Key(int vk, bool shift = false, bool ctrl = false) {
    BYTE keys[256] = {};
    if (shift) keys[VK_SHIFT] = 0x80;
    if (ctrl) keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    Send(WM_KEYDOWN, vk, 0);
    BYTE none[256] = {};
    SetKeyboardState(none);
  }
  void Type(const char* s) {
    for (; *s; ++s) Send(WM_CHAR, static_cast<unsigned char>(*s), 0);
  }
  std::vector<int> Codes() {
    std::vector<int> codes;
    for (const Notice& n : g_notices) codes.push_back(n.code);
    return codes;
  }

  static HMODULE library_;
  HWND parent_ = nullptr;
  HWND editor_ = nullptr;
};

HMODULE EditorWindow::library_ = nullptr;

TEST_F(EditorWindow, LoadingTheLibraryRegistersTheClass) {
  WNDCLASSEXW wc = {sizeof(wc)};
  EXPECT_TRUE(GetClassInfoExW(library_, EDITOR_WINDOW_CLASS, &wc));
  EXPECT_TRUE(wc.style & CS_DBLCLKS);
}

// A table of text operations and the control's answers.
TEST_F(EditorWindow, TextOperationsAndAnswers) {
  SetText("alpha\r\nbeta\r\n\tgamma");
  struct Case {
    const char* what;
    UINT msg;
    WPARAM wp;
    LPARAM lp;
    LRESULT expected;
  } cases[] = {
      {"length", SCI_GETLENGTH, 0, 0, 19},
      {"text length", SCI_GETTEXTLENGTH, 0, 0, 19},
      {"line count", SCI_GETLINECOUNT, 0, 0, 3},
      {"line of 0", SCI_LINEFROMPOSITION, 0, 0, 0},
      {"line of the CR LF", SCI_LINEFROMPOSITION, 6, 0, 0},
      {"line of 7", SCI_LINEFROMPOSITION, 7, 0, 1},
      {"line of the end", SCI_LINEFROMPOSITION, 19, 0, 2},
      {"line past the end", SCI_LINEFROMPOSITION, 999, 0, 2},
      {"start of line 1", SCI_POSITIONFROMLINE, 1, 0, 7},
      {"start of line 2", SCI_POSITIONFROMLINE, 2, 0, 13},
      {"start past the last line", SCI_POSITIONFROMLINE, 3, 0, -1},
      {"start of line -1", SCI_POSITIONFROMLINE, static_cast<WPARAM>(-1), 0, -1},
      {"line length with its end", SCI_LINELENGTH, 0, 0, 7},
      {"last line length", SCI_LINELENGTH, 2, 0, 6},
      {"line end position", SCI_GETLINEENDPOSITION, 1, 0, 11},
      {"column after a tab", SCI_GETCOLUMN, 14, 0, 8},
      {"char at", SCI_GETCHARAT, 7, 0, 'b'},
      {"eol mode", SCI_GETEOLMODE, 0, 0, SC_EOL_CRLF},
      {"caret after set text", SCI_GETCURRENTPOS, 0, 0, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(Send(c.msg, c.wp, c.lp), c.expected) << c.what;

  char line[16] = {};
  EXPECT_EQ(Send(SCI_GETLINE, 1, reinterpret_cast<LPARAM>(line)), 6);
  EXPECT_STREQ(line, "beta\r\n");
  char range[8] = {};
  TextRange tr = {{7, 11}, range};
  EXPECT_EQ(Send(SCI_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&tr)), 4);
  EXPECT_STREQ(range, "beta");
  char small[4];
  EXPECT_EQ(Send(SCI_GETTEXT, 4, reinterpret_cast<LPARAM>(small)), 3);
  EXPECT_STREQ(small, "alp");

  Send(SCI_SETSEL, 7, 11);
  char sel[8] = {};
  EXPECT_EQ(Send(SCI_GETSELTEXT, 0, reinterpret_cast<LPARAM>(sel)), 5);
  EXPECT_STREQ(sel, "beta");
  EXPECT_EQ(Send(SCI_GETSELECTIONSTART), 7);
  EXPECT_EQ(Send(SCI_GETSELECTIONEND), 11);
  Send(SCI_REPLACESEL, 0, "BETA!");
  EXPECT_EQ(Text(), "alpha\r\nBETA!\r\n\tgamma");
  EXPECT_EQ(Send(SCI_GETCURRENTPOS), 12);
  Send(SCI_INSERTTEXT, 0, ">");
  Send(SCI_INSERTTEXT, static_cast<WPARAM>(-1), "|");  // at the caret
  EXPECT_EQ(Text(), ">alpha\r\nBETA!|\r\n\tgamma");
  Send(SCI_SETSELECTIONSTART, 1);
  Send(SCI_SETSELECTIONEND, 6);
  EXPECT_EQ(Send(SCI_GETSELECTIONSTART), 1);
  EXPECT_EQ(Send(SCI_GETSELECTIONEND), 6);
  Send(SCI_CLEAR);
  EXPECT_EQ(Text(), ">\r\nBETA!|\r\n\tgamma");
  Send(SCI_GOTOLINE, 99);
  EXPECT_EQ(Send(SCI_GETCURRENTPOS), 11);
  Send(SCI_GOTOPOS, 2);  // inside CR LF: the caret never splits the pair
  EXPECT_EQ(Send(SCI_GETCURRENTPOS), 3);
  Send(SCI_CONVERTEOLS, SC_EOL_LF);
  EXPECT_EQ(Text(), ">\nBETA!|\n\tgamma");
  Send(SCI_CLEARALL);
  EXPECT_EQ(Text(), "");
  EXPECT_EQ(Send(SCI_GETLINECOUNT), 1);
}

TEST_F(EditorWindow, WindowTextMessagesReadAndSetTheText) {
  EXPECT_TRUE(SendMessageW(editor_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"x = 1\r\nca\u00E9")));
  EXPECT_EQ(Text(), "x = 1\r\nca\xE9");
  EXPECT_EQ(SendMessageW(editor_, WM_GETTEXTLENGTH, 0, 0), 10);
  wchar_t buf[32];
  EXPECT_EQ(SendMessageW(editor_, WM_GETTEXT, 32, reinterpret_cast<LPARAM>(buf)), 10);
  EXPECT_STREQ(buf, L"x = 1\r\nca\u00E9");
  EXPECT_EQ(SendMessageW(editor_, WM_GETTEXT, 4, reinterpret_cast<LPARAM>(buf)), 3);
  EXPECT_STREQ(buf, L"x =");
  EXPECT_EQ(GetWindowTextLengthW(editor_), 10);
}

TEST_F(EditorWindow, UndoRedoSequences) {
  SetText("");
  Send(SCI_EMPTYUNDOBUFFER);
  EXPECT_EQ(Send(SCI_CANUNDO), 0);
  Type("abc");
  Key(VK_RETURN);
  Type("d");
  EXPECT_EQ(Text(), "abc\r\nd");
  EXPECT_EQ(Send(SCI_CANUNDO), 1);
  Send(SCI_UNDO);
  EXPECT_EQ(Text(), "abc\r\n");
  Send(SCI_UNDO);
  EXPECT_EQ(Text(), "abc");
  Send(SCI_UNDO);
  EXPECT_EQ(Text(), "") << "typed characters undo as one step";
  EXPECT_EQ(Send(SCI_CANREDO), 1);
  Send(SCI_REDO);
  EXPECT_EQ(Text(), "abc");
  EXPECT_EQ(Send(SCI_GETCURRENTPOS), 3);

  Send(SCI_BEGINUNDOACTION);
  Send(SCI_INSERTTEXT, 0, "1");
  Send(SCI_INSERTTEXT, 4, "2");
  Send(SCI_ENDUNDOACTION);
  EXPECT_EQ(Text(), "1abc2");
  Key('Z', false, true);
  EXPECT_EQ(Text(), "abc");
  Key('Z', true, true);  // Ctrl+Shift+Z redoes
  EXPECT_EQ(Text(), "1abc2");
  Key('Y', false, true);
  EXPECT_EQ(Text(), "1abc2");
  Send(SCI_EMPTYUNDOBUFFER);
  EXPECT_EQ(Send(SCI_CANUNDO), 0);
  Send(SCI_UNDO);
  EXPECT_EQ(Text(), "1abc2");
}

TEST_F(EditorWindow, ReadOnlyRefusesEveryChange) {
  SetText("fixed\r\ntext");
  Type("x");
  Send(SCI_SETREADONLY, 1);
  EXPECT_EQ(Send(SCI_GETREADONLY), 1);
  Send(SCI_SETSEL, 0, 5);
  Send(SCI_COPY);
  g_notices.clear();
  struct Attempt {
    const char* what;
    UINT msg;
    WPARAM wp;
    LPARAM lp;
  } attempts[] = {
      {"set text", SCI_SETTEXT, 0, reinterpret_cast<LPARAM>("new")},
      {"insert", SCI_INSERTTEXT, 0, reinterpret_cast<LPARAM>("new")},
      {"replace selection", SCI_REPLACESEL, 0, reinterpret_cast<LPARAM>("new")},
      {"add text", SCI_ADDTEXT, 3, reinterpret_cast<LPARAM>("new")},
      {"cut", SCI_CUT, 0, 0},
      {"clear", SCI_CLEAR, 0, 0},
      {"clear all", SCI_CLEARALL, 0, 0},
      {"paste", SCI_PASTE, 0, 0},
      {"undo", SCI_UNDO, 0, 0},
      {"convert line ends", SCI_CONVERTEOLS, SC_EOL_LF, 0},
      {"typing", WM_CHAR, 'q', 0},
      {"window text", WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"new")},
  };
  for (const Attempt& a : attempts) {
    Send(a.msg, a.wp, a.lp);
    EXPECT_EQ(Text(), "xfixed\r\ntext") << a.what;
  }
  Key(VK_BACK);
  Key(VK_DELETE);
  Key(VK_RETURN);
  Send(SCI_SETTARGETSTART, 0);
  Send(SCI_SETTARGETEND, 3);
  Send(SCI_REPLACETARGET, 1, "z");
  EXPECT_EQ(Text(), "xfixed\r\ntext");
  EXPECT_EQ(Send(SCI_CANUNDO), 0);
  EXPECT_EQ(Send(SCI_CANPASTE), 0);
  for (const Notice& n : g_notices) EXPECT_NE(n.code, SCN_MODIFIED);
  int attemptsSeen = 0;
  for (const Notice& n : g_notices) attemptsSeen += n.code == SCN_MODIFYATTEMPTRO;
  EXPECT_GE(attemptsSeen, 12);
  Send(SCI_SETREADONLY, 0);
  Send(SCI_UNDO);
  EXPECT_EQ(Text(), "fixed\r\ntext");
}

TEST_F(EditorWindow, KeyboardEditingAndCaretMovement) {
  SetText("one two\r\nthree");
  struct Step {
    int vk;
    bool shift, ctrl;
    int caret, anchor;
  } steps[] = {
      {VK_END, false, false, 7, 7},     {VK_RIGHT, false, false, 9, 9},  // over CR LF at once
      {VK_LEFT, true, false, 7, 9},     {VK_HOME, false, false, 0, 0},   {VK_RIGHT, false, true, 4, 4},
      {VK_RIGHT, true, true, 7, 4},     {VK_DOWN, false, false, 14, 14}, {VK_UP, false, false, 7, 7},  // keeps the column
      {VK_END, false, true, 14, 14},    {VK_LEFT, false, true, 9, 9},    {VK_HOME, true, true, 0, 9},
      {VK_NEXT, false, false, 14, 14},  {VK_PRIOR, false, false, 0, 0},
  };
  for (const Step& s : steps) {
    Key(s.vk, s.shift, s.ctrl);
    EXPECT_EQ(Send(SCI_GETCURRENTPOS), s.caret) << "key " << s.vk;
    EXPECT_EQ(Send(SCI_GETANCHOR), s.anchor) << "key " << s.vk;
  }
  Send(SCI_GOTOPOS, 3);
  Key(VK_BACK);
  EXPECT_EQ(Text(), "on two\r\nthree");
  Key(VK_DELETE);
  EXPECT_EQ(Text(), "ontwo\r\nthree");
  Key(VK_END);
  Key(VK_DELETE);  // joins the lines, CR LF as one
  EXPECT_EQ(Text(), "ontwothree");
  Key(VK_RETURN);
  EXPECT_EQ(Text(), "ontwo\r\nthree");
  Key(VK_INSERT);
  EXPECT_EQ(Send(SCI_GETOVERTYPE), 1);
  Type("TH");
  EXPECT_EQ(Text(), "ontwo\r\nTHree");
  Key(VK_END);
  Type("!");  // at the line end overtype adds
  EXPECT_EQ(Text(), "ontwo\r\nTHree!");
  Key(VK_INSERT);
  Key(VK_BACK, false, true);  // Ctrl+Backspace removes a word
  EXPECT_EQ(Text(), "ontwo\r\nTHree");
  Send(SCI_SETSEL, 0, 5);
  Type("x");
  EXPECT_EQ(Text(), "x\r\nTHree");
}

TEST_F(EditorWindow, ClipboardCarriesAnsiAndUnicodeText) {
  SetText("caf\xE9 au lait");
  Send(SCI_SETSEL, 0, 4);
  Send(SCI_COPY);
  ASSERT_TRUE(OpenClipboard(nullptr));
  HANDLE a = GetClipboardData(CF_TEXT);
  HANDLE w = GetClipboardData(CF_UNICODETEXT);
  ASSERT_NE(a, nullptr);
  ASSERT_NE(w, nullptr);
  EXPECT_STREQ(static_cast<const char*>(GlobalLock(a)), "caf\xE9");
  EXPECT_STREQ(static_cast<const wchar_t*>(GlobalLock(w)), L"caf\u00E9");
  GlobalUnlock(a);
  GlobalUnlock(w);
  CloseClipboard();
  EXPECT_EQ(Send(SCI_CANPASTE), 1);
  Send(SCI_CUT);
  EXPECT_EQ(Text(), " au lait");
  Key(VK_END, false, true);
  Send(SCI_PASTE);
  EXPECT_EQ(Text(), " au laitcaf\xE9");

  // Unicode text from another program arrives in the ANSI code page.
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, 16);
  std::memcpy(GlobalLock(h), L"\u00C4+1", 8);
  GlobalUnlock(h);
  SetClipboardData(CF_UNICODETEXT, h);
  CloseClipboard();
  Send(SCI_SETSEL, 0, 3);
  Key('V', false, true);
  EXPECT_EQ(Text(), "\xC4+1 laitcaf\xE9");
  EXPECT_EQ(Send(SCI_GETCURRENTPOS), 3);
}

TEST_F(EditorWindow, StylingAndThePrivateGetters) {
  SetText("sin(x)");
  Send(SCI_STARTSTYLING, 0, 31);
  Send(SCI_SETSTYLING, 3, 9);
  Send(SCI_SETSTYLING, 1, 5);
  EXPECT_EQ(Send(SCI_GETSTYLEAT, 0), 9);
  EXPECT_EQ(Send(SCI_GETSTYLEAT, 3), 5);
  EXPECT_EQ(Send(SCI_GETSTYLEAT, 4), 0);
  EXPECT_EQ(Send(SCI_GETENDSTYLED), 4);

  struct Case {
    int style;
    COLORREF fore, back;
    int size;
    const char* font;
    int bold, italic, underline;
  } cases[] = {
      {0, RGB(1, 2, 3), RGB(250, 250, 240), 9, "Tahoma", 1, 0, 0},
      {9, RGB(0, 0, 255), RGB(255, 255, 255), 12, "Arial", 0, 1, 1},
      {32, RGB(0, 0, 0), RGB(255, 255, 224), 10, "Courier New", 0, 0, 0},
      {33, RGB(80, 80, 80), RGB(245, 245, 245), 8, "Tahoma", 1, 1, 0},
      {34, RGB(255, 0, 0), RGB(255, 255, 255), 10, "Courier New", 1, 0, 1},
  };
  for (const Case& c : cases) {
    Send(SCI_STYLESETFORE, c.style, c.fore);
    Send(SCI_STYLESETBACK, c.style, c.back);
    Send(SCI_STYLESETSIZE, c.style, c.size);
    Send(SCI_STYLESETFONT, c.style, c.font);
    Send(SCI_STYLESETBOLD, c.style, c.bold);
    Send(SCI_STYLESETITALIC, c.style, c.italic);
    Send(SCI_STYLESETUNDERLINE, c.style, c.underline);
  }
  for (const Case& c : cases) {
    EXPECT_EQ(static_cast<COLORREF>(Send(EDM_GETSTYLEFORE, c.style)), c.fore) << c.style;
    EXPECT_EQ(static_cast<COLORREF>(Send(EDM_GETSTYLEBACK, c.style)), c.back) << c.style;
    EXPECT_EQ(Send(EDM_GETSTYLESIZE, c.style), c.size) << c.style;
    char font[EDM_STYLEFONT_BUFFER];
    std::memset(font, 'x', sizeof(font));
    Send(EDM_GETSTYLEFONT, c.style, reinterpret_cast<LPARAM>(font));
    EXPECT_STREQ(font, c.font) << c.style;
    EXPECT_EQ(Send(EDM_GETSTYLEBOLD, c.style), c.bold) << c.style;
    EXPECT_EQ(Send(EDM_GETSTYLEITALIC, c.style), c.italic) << c.style;
    EXPECT_EQ(Send(EDM_GETSTYLEUNDERLINE, c.style) != 0, c.underline != 0) << c.style;
  }
  // A font name longer than the buffer is cut, never overrun.
  std::string longName(100, 'F');
  Send(SCI_STYLESETFONT, 1, longName.c_str());
  char font[EDM_STYLEFONT_BUFFER + 8];
  std::memset(font, 'x', sizeof(font));
  Send(EDM_GETSTYLEFONT, 1, reinterpret_cast<LPARAM>(font));
  EXPECT_EQ(std::strlen(font), static_cast<size_t>(EDM_STYLEFONT_BUFFER - 1));
  EXPECT_EQ(font[EDM_STYLEFONT_BUFFER], 'x');
  EXPECT_EQ(Send(EDM_GETSTYLESIZE, 99), 0);  // no such style

  int nine = static_cast<int>(Send(SCI_TEXTWIDTH, STYLE_LINENUMBER, "9"));
  EXPECT_GT(nine, 0);
  EXPECT_EQ(Send(SCI_TEXTWIDTH, STYLE_LINENUMBER, "99"), 2 * nine);
  int height = static_cast<int>(Send(SCI_TEXTHEIGHT, 0));
  EXPECT_GT(height, 0);
  Send(SCI_SETZOOM, 6);
  EXPECT_GT(Send(SCI_TEXTWIDTH, STYLE_LINENUMBER, "9"), nine) << "widths follow the zoom";
  EXPECT_GT(Send(SCI_TEXTHEIGHT, 0), height);

  Send(SCI_CLEARDOCUMENTSTYLE);
  EXPECT_EQ(Send(SCI_GETSTYLEAT, 0), 0);
  EXPECT_EQ(Send(SCI_GETENDSTYLED), 0);
}

TEST_F(EditorWindow, MarkersAndMargins) {
  SetText("a\r\nb\r\nc\r\nd");
  Send(SCI_MARKERDEFINE, 0, SC_MARK_CIRCLE);
  Send(SCI_MARKERDEFINE, 1, SC_MARK_SHORTARROW);
  EXPECT_GT(Send(SCI_MARKERADD, 1, 0), 0);
  EXPECT_GT(Send(SCI_MARKERADD, 3, 0), 0);
  EXPECT_GT(Send(SCI_MARKERADD, 3, 1), 0);
  EXPECT_EQ(Send(SCI_MARKERADD, 9, 0), -1);
  struct Case {
    UINT msg;
    WPARAM wp;
    LPARAM lp;
    LRESULT expected;
  } cases[] = {
      {SCI_MARKERGET, 1, 0, 1},     {SCI_MARKERGET, 3, 0, 3},      {SCI_MARKERGET, 0, 0, 0},
      {SCI_MARKERNEXT, 0, 1, 1},    {SCI_MARKERNEXT, 2, 1, 3},     {SCI_MARKERNEXT, 4, 1, -1},
      {SCI_MARKERNEXT, 0, 2, 3},    {SCI_MARKERPREVIOUS, 2, 1, 1}, {SCI_MARKERPREVIOUS, 0, 1, -1},
      {SCI_MARKERPREVIOUS, static_cast<WPARAM>(-1), 1, -1},
  };
  for (const Case& c : cases) EXPECT_EQ(Send(c.msg, c.wp, c.lp), c.expected) << c.msg << " " << c.wp;
  Send(SCI_MARKERDELETE, 3, 0);
  EXPECT_EQ(Send(SCI_MARKERGET, 3), 2);
  Send(SCI_MARKERDELETEALL, 1);
  EXPECT_EQ(Send(SCI_MARKERGET, 3), 0);
  EXPECT_EQ(Send(SCI_MARKERGET, 1), 1);
  Send(SCI_MARKERDELETEALL, static_cast<WPARAM>(-1));
  EXPECT_EQ(Send(SCI_MARKERNEXT, 0, -1), -1);

  EXPECT_EQ(Send(SCI_GETMARGINWIDTHN, 0), 0);
  EXPECT_EQ(Send(SCI_GETMARGINWIDTHN, 1), 16);
  EXPECT_EQ(Send(SCI_GETMARGINWIDTHN, 2), 0);
  Send(SCI_SETMARGINWIDTHN, 0, 30);
  EXPECT_EQ(Send(SCI_GETMARGINWIDTHN, 0), 30);
  EXPECT_EQ(Send(SCI_POINTXFROMPOSITION, 0, 0), 30 + 16 + 2) << "text starts after the margins";
  EXPECT_EQ(Send(SCI_GETFOLDLEVEL, 0) & 0xFFF, SC_FOLDLEVELBASE);

  // A click in the marker margin selects the line; in a sensitive margin it is reported instead.
  int lh = static_cast<int>(Send(SCI_TEXTHEIGHT, 0));
  Send(WM_LBUTTONDOWN, 0, MAKELPARAM(35, lh + lh / 2));
  Send(WM_LBUTTONUP, 0, MAKELPARAM(35, lh + lh / 2));
  EXPECT_EQ(Send(SCI_GETSELECTIONSTART), 3);
  EXPECT_EQ(Send(SCI_GETSELECTIONEND), 6);
  Send(SCI_SETMARGINSENSITIVEN, 1, 1);
  g_notices.clear();
  Send(WM_LBUTTONDOWN, 0, MAKELPARAM(35, 2 * lh + lh / 2));
  Send(WM_LBUTTONUP, 0, MAKELPARAM(35, 2 * lh + lh / 2));
  ASSERT_EQ(g_notices.size(), 1u);
  EXPECT_EQ(g_notices[0].code, SCN_MARGINCLICK);
  EXPECT_EQ(g_notices[0].position, 6);
  EXPECT_EQ(Send(SCI_GETSELECTIONSTART), 3) << "the selection stays";
}

TEST_F(EditorWindow, BraceMatchAndSearch) {
  SetText("max(a, (b)) + Max maximum");
  EXPECT_EQ(Send(SCI_BRACEMATCH, 3), 10);
  EXPECT_EQ(Send(SCI_BRACEMATCH, 9), 7);
  EXPECT_EQ(Send(SCI_BRACEMATCH, 0), -1);
  struct Case {
    long cpMin, cpMax;
    int flags;
    LRESULT expected;
  } cases[] = {
      {1, 25, 0, 14},
      {1, 25, SCFIND_MATCHCASE, 18},
      {1, 25, SCFIND_WHOLEWORD, 14},
      {15, 25, SCFIND_WHOLEWORD, -1},
      {25, 0, 0, 18},  // backwards
      {17, 0, SCFIND_MATCHCASE, 0},
      {25, 0, SCFIND_WHOLEWORD | SCFIND_MATCHCASE, 0},
  };
  for (const Case& c : cases) {
    TextToFind ttf = {{c.cpMin, c.cpMax}, "max", {-1, -1}};
    EXPECT_EQ(Send(SCI_FINDTEXT, c.flags, reinterpret_cast<LPARAM>(&ttf)), c.expected)
        << c.cpMin << ".." << c.cpMax << " flags " << c.flags;
    if (c.expected >= 0) {
      EXPECT_EQ(ttf.chrgText.cpMin, c.expected);
      EXPECT_EQ(ttf.chrgText.cpMax, c.expected + 3);
    }
  }
  Send(SCI_SETSEARCHFLAGS, SCFIND_WHOLEWORD);
  Send(SCI_SETSEL, 10, 25);
  Send(SCI_TARGETFROMSELECTION);
  EXPECT_EQ(Send(SCI_SEARCHINTARGET, 3, "max"), 14);
  EXPECT_EQ(Send(SCI_GETTARGETSTART), 14);
  EXPECT_EQ(Send(SCI_GETTARGETEND), 17);
  EXPECT_EQ(Send(SCI_REPLACETARGET, static_cast<WPARAM>(-1), "min"), 3);
  EXPECT_EQ(Text(), "max(a, (b)) + min maximum");
  EXPECT_EQ(Send(SCI_SEARCHINTARGET, 0, ""), -1);
}

// The notifications and their order for the changes a worksheet pane reacts to.
TEST_F(EditorWindow, NotificationOrder) {
  SetText("ab\r\ncd");
  Send(SCI_SETMODEVENTMASK, SC_MOD_INSERTTEXT | SC_MOD_DELETETEXT);

  Send(SCI_INSERTTEXT, 5, "X");
  EXPECT_EQ(Codes(), (std::vector<int>{SCN_MODIFIED, EDN_RESTYLERANGE, SCN_UPDATEUI}));
  EXPECT_EQ(g_notices[0].modificationType, SC_MOD_INSERTTEXT | SC_PERFORMED_USER);
  EXPECT_EQ(g_notices[0].position, 5);
  EXPECT_EQ(g_notices[0].text, "X");
  EXPECT_EQ(g_notices[0].idFrom, 7u);
  EXPECT_EQ(g_notices[1].position, 4);  // the whole line "cXd"
  EXPECT_EQ(g_notices[1].length, 3);

  g_notices.clear();
  Send(SCI_GOTOPOS, 2);
  g_notices.clear();
  Key(VK_DELETE);  // removes the line end
  EXPECT_EQ(Codes(), (std::vector<int>{SCN_MODIFIED, EDN_RESTYLERANGE, SCN_UPDATEUI}));
  EXPECT_EQ(g_notices[0].modificationType, SC_MOD_DELETETEXT | SC_PERFORMED_USER);
  EXPECT_EQ(g_notices[0].linesAdded, -1);
  EXPECT_EQ(g_notices[0].text, "\r\n");

  g_notices.clear();
  Send(SCI_SETSEL, 0, 2);
  Send(SCI_CUT);
  EXPECT_EQ(Codes(), (std::vector<int>{SCN_UPDATEUI, EDN_DELETEBEGIN, SCN_MODIFIED, EDN_DELETEEND, SCN_UPDATEUI}));

  g_notices.clear();
  Send(SCI_SETSEL, 0, 1);
  Send(SCI_PASTE);
  EXPECT_EQ(Codes(), (std::vector<int>{SCN_UPDATEUI, EDN_INSERTBEGIN, SCN_MODIFIED, SCN_MODIFIED, EDN_INSERTEND,
                                       SCN_UPDATEUI}));
  EXPECT_EQ(g_notices[2].modificationType & SC_MOD_DELETETEXT, SC_MOD_DELETETEXT);
  EXPECT_EQ(g_notices[3].text, "ab");
  EXPECT_EQ(Text(), "abXd");

  g_notices.clear();
  Send(SCI_ZOOMIN, 3);  // one step, whatever the argument
  EXPECT_EQ(Codes(), (std::vector<int>{SCN_ZOOM}));
  EXPECT_EQ(Send(SCI_GETZOOM), 1);
  g_notices.clear();
  Send(SCI_SETZOOM, 1);  // no change, no notice
  Send(SCI_SETZOOM, 99);
  EXPECT_EQ(Send(SCI_GETZOOM), SCZOOM_MAX);
  Send(SCI_ZOOMIN);
  EXPECT_EQ(Codes(), (std::vector<int>{SCN_ZOOM}));

  // The default event mask also reports what is about to change.
  Send(SCI_SETMODEVENTMASK, SC_MODEVENTMASKALL);
  g_notices.clear();
  Send(SCI_INSERTTEXT, 0, "Q");
  ASSERT_GE(g_notices.size(), 2u);
  EXPECT_EQ(g_notices[0].modificationType, SC_MOD_BEFOREINSERT | SC_PERFORMED_USER);
  EXPECT_EQ(g_notices[1].modificationType, SC_MOD_INSERTTEXT | SC_PERFORMED_USER);
  Send(SCI_SETMODEVENTMASK, 0);
  g_notices.clear();
  Send(SCI_INSERTTEXT, 0, "R");
  EXPECT_EQ(Codes(), (std::vector<int>{EDN_RESTYLERANGE, SCN_UPDATEUI}));
}

TEST_F(EditorWindow, StyleNeededScrollAndContextMenuNotifications) {
  std::string many;
  for (int i = 0; i < 100; ++i) many += "line\r\n";
  SetText(many.c_str());
  Send(SCI_COLOURISE, 0, -1);
  ASSERT_EQ(Codes(), (std::vector<int>{SCN_STYLENEEDED}));
  EXPECT_EQ(g_notices[0].position, static_cast<int>(many.size()));
  Send(SCI_STARTSTYLING, 0, 31);
  Send(SCI_SETSTYLING, static_cast<WPARAM>(many.size()), 0);
  g_notices.clear();
  Send(SCI_COLOURISE, 0, -1);  // everything is styled: nothing asked
  EXPECT_TRUE(g_notices.empty());

  Send(SCI_LINESCROLL, 0, 10);
  EXPECT_EQ(Send(SCI_GETFIRSTVISIBLELINE), 10);
  ASSERT_FALSE(g_notices.empty());
  EXPECT_EQ(g_notices[0].code, EDN_FIRSTLINECHANGED);
  EXPECT_EQ(g_notices[0].line, 10);
  g_notices.clear();
  Send(SCI_LINESCROLL, 0, 0);
  EXPECT_TRUE(g_notices.empty());
  int los = static_cast<int>(Send(SCI_LINESONSCREEN));
  EXPECT_GT(los, 1);
  Send(SCI_LINESCROLL, 0, 1000);
  EXPECT_EQ(Send(SCI_GETFIRSTVISIBLELINE), 101 - los) << "the last line stays at the bottom";
  SCROLLINFO si = {sizeof(si), SIF_ALL};
  ASSERT_TRUE(GetScrollInfo(editor_, SB_VERT, &si));
  EXPECT_EQ(si.nPos, 101 - los);
  EXPECT_EQ(si.nMax, 100);
  EXPECT_EQ(static_cast<int>(si.nPage), los);
  Send(WM_VSCROLL, SB_LINEUP);
  EXPECT_EQ(Send(SCI_GETFIRSTVISIBLELINE), 100 - los);
  Send(WM_VSCROLL, SB_TOP);
  EXPECT_EQ(Send(SCI_GETFIRSTVISIBLELINE), 0);
  Send(SCI_GOTOLINE, 60);  // the caret is brought into view
  EXPECT_LE(Send(SCI_GETFIRSTVISIBLELINE), 60);
  EXPECT_GT(Send(SCI_GETFIRSTVISIBLELINE) + los, 60);
  Send(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(10, 10));
  EXPECT_LT(Send(SCI_GETFIRSTVISIBLELINE), 101 - los);
  g_notices.clear();
  Send(WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, -WHEEL_DELTA), MAKELPARAM(10, 10));
  EXPECT_EQ(Send(SCI_GETZOOM), -1);
  EXPECT_EQ(Codes(), (std::vector<int>{SCN_ZOOM}));

  g_notices.clear();
  Send(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(editor_), MAKELPARAM(120, 80));
  ASSERT_EQ(Codes(), (std::vector<int>{EDN_CONTEXTMENU}));
  EXPECT_EQ(g_notices[0].x, 120);
  EXPECT_EQ(g_notices[0].y, 80);
}

// A host gives a hidden editor its whole table of styles before it first shows: the scroll bars
// follow the fonts by the time the editor is drawn, and at once while it is on screen.
TEST_F(EditorWindow, StylesGivenWhileHiddenReachTheScrollBarsWhenItShows) {
  std::string many;
  for (int i = 0; i < 100; ++i) many += "line\r\n";
  SetText(many.c_str());
  auto pageMatchesTheScreen = [&] {
    SCROLLINFO si = {sizeof(si), SIF_ALL};
    return GetScrollInfo(editor_, SB_VERT, &si) && static_cast<int>(si.nPage) == Send(SCI_LINESONSCREEN);
  };
  ASSERT_TRUE(pageMatchesTheScreen());
  for (int size : {30, 20, 40}) Send(SCI_STYLESETSIZE, STYLE_DEFAULT, size);
  ShowWindow(parent_, SW_SHOWNOACTIVATE);
  UpdateWindow(parent_);
  EXPECT_TRUE(pageMatchesTheScreen()) << "after the first drawing";
  Send(SCI_STYLESETSIZE, STYLE_DEFAULT, 10);
  EXPECT_TRUE(pageMatchesTheScreen()) << "on screen, at once";
}

TEST_F(EditorWindow, DoubleClickSelectsAWordAndNotifies) {
  SetText("x = sqrt(value)");
  Send(SCI_SETMARGINWIDTHN, 1, 0);
  int x = static_cast<int>(Send(SCI_POINTXFROMPOSITION, 0, 11));
  Send(WM_LBUTTONDBLCLK, 0, MAKELPARAM(x + 1, 3));
  EXPECT_EQ(Send(SCI_GETSELECTIONSTART), 9);
  EXPECT_EQ(Send(SCI_GETSELECTIONEND), 14);
  bool seen = false;
  for (const Notice& n : g_notices) {
    if (n.code == SCN_DOUBLECLICK) {
      seen = true;
      EXPECT_EQ(n.position, 11);
      EXPECT_EQ(n.line, 0);
    }
  }
  EXPECT_TRUE(seen);
  int x4 = static_cast<int>(Send(SCI_POINTXFROMPOSITION, 0, 4));
  Send(WM_LBUTTONDOWN, 0, MAKELPARAM(x4 + 1, 3));
  Send(WM_LBUTTONUP, 0, MAKELPARAM(x4 + 1, 3));
  EXPECT_EQ(Send(SCI_GETCURRENTPOS), 4);
  EXPECT_EQ(Send(SCI_POSITIONFROMPOINT, x4 + 1, 3), 4);
}

// FORMATRANGE into a memory DC: the answer is the first position not printed.
TEST_F(EditorWindow, FormatRangeMeasuresAndDraws) {
  SetText("first line\r\nsecond line\r\nthird line\r\nfourth");
  Send(SCI_STYLESETFORE, STYLE_DEFAULT, RGB(0, 0, 0));
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, 400, 200);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bmp);
  RECT all = {0, 0, 400, 200};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));

  RangeToFormat fr = {};
  fr.hdc = fr.hdcTarget = dc;
  fr.rcPage = {0, 0, 400, 200};
  fr.chrg = {0, static_cast<long>(Send(SCI_GETLENGTH))};
  fr.rc = {10, 10, 390, 190};
  EXPECT_EQ(Send(SCI_FORMATRANGE, 0, reinterpret_cast<LPARAM>(&fr)), fr.chrg.cpMax) << "everything fits";
  auto inkIn = [&](int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) n += GetPixel(dc, x, y) != RGB(255, 255, 255);
    return n;
  };
  EXPECT_EQ(inkIn(0, 0, 400, 200), 0) << "measuring draws nothing";

  int lh = static_cast<int>(Send(SCI_TEXTHEIGHT, 0));  // screen and memory DC share the resolution
  fr.rc = {10, 10, 390, 10 + 2 * lh + lh / 2};  // room for two lines
  LRESULT next = Send(SCI_FORMATRANGE, 1, reinterpret_cast<LPARAM>(&fr));
  EXPECT_EQ(next, 25) << "the third line starts the next page";
  EXPECT_GT(inkIn(10, 10, 390, 10 + 2 * lh), 20) << "the text was drawn";
  EXPECT_EQ(inkIn(0, 10 + 2 * lh + lh / 2, 400, 200), 0) << "nothing below the rectangle";
  EXPECT_EQ(inkIn(0, 0, 10, 200), 0) << "nothing left of the rectangle";

  fr.chrg.cpMin = static_cast<long>(next);
  EXPECT_EQ(Send(SCI_FORMATRANGE, 0, reinterpret_cast<LPARAM>(&fr)), fr.chrg.cpMax);
  fr.rc = {10, 10, 390, 12};  // too small for a line: one line is still taken
  fr.chrg.cpMin = 0;
  EXPECT_EQ(Send(SCI_FORMATRANGE, 0, reinterpret_cast<LPARAM>(&fr)), 12);
  fr.chrg = {5, 5};
  EXPECT_EQ(Send(SCI_FORMATRANGE, 0, reinterpret_cast<LPARAM>(&fr)), 5);

  Send(SCI_SETPRINTMAGNIFICATION, 20);
  EXPECT_EQ(Send(SCI_GETPRINTMAGNIFICATION), 20);
  fr.rc = {10, 10, 390, 10 + 2 * lh + lh / 2};
  fr.chrg = {0, static_cast<long>(Send(SCI_GETLENGTH))};
  EXPECT_EQ(Send(SCI_FORMATRANGE, 0, reinterpret_cast<LPARAM>(&fr)), 12) << "larger print, fewer lines";
  Send(SCI_SETPRINTCOLOURMODE, SC_PRINT_COLOURONWHITEDEFAULTBG);
  EXPECT_EQ(Send(SCI_GETPRINTCOLOURMODE), SC_PRINT_COLOURONWHITEDEFAULTBG);
  Send(SCI_SETPRINTWRAPMODE, SC_WRAP_NONE);
  EXPECT_EQ(Send(SCI_GETPRINTWRAPMODE), SC_WRAP_NONE);

  // Word wrapping: a narrow page breaks "first line" after "first " and goes on in the line.
  Send(SCI_SETPRINTMAGNIFICATION, 0);
  int firstWidth = static_cast<int>(Send(SCI_TEXTWIDTH, STYLE_DEFAULT, "first l"));
  fr.rc = {10, 10, 10 + firstWidth, 10 + lh + lh / 2};
  EXPECT_EQ(Send(SCI_FORMATRANGE, 0, reinterpret_cast<LPARAM>(&fr)), 12) << "no wrapping: the line is cut";
  Send(SCI_SETPRINTWRAPMODE, SC_WRAP_WORD);
  EXPECT_EQ(Send(SCI_FORMATRANGE, 0, reinterpret_cast<LPARAM>(&fr)), 6) << "wrapped after the blank";
  fr.chrg.cpMin = 6;
  EXPECT_EQ(Send(SCI_FORMATRANGE, 0, reinterpret_cast<LPARAM>(&fr)), 12);

  SelectObject(dc, old);
  DeleteObject(bmp);
  DeleteDC(dc);
}

// Painting into a memory DC shows the styles' colours, the selection and the markers.
TEST_F(EditorWindow, PaintingShowsStylesMarkersAndSelection) {
  SetText("red text\r\nplain");
  Send(SCI_STYLESETBACK, STYLE_DEFAULT, RGB(255, 255, 255));
  Send(SCI_STYLECLEARALL);
  Send(SCI_STYLESETBACK, 1, RGB(255, 0, 0));
  Send(SCI_STARTSTYLING, 0, 31);
  Send(SCI_SETSTYLING, 3, 1);
  Send(SCI_MARKERDEFINE, 0, SC_MARK_CIRCLE);
  Send(SCI_MARKERSETBACK, 0, RGB(0, 0, 255));
  Send(SCI_MARKERADD, 1, 0);
  Send(SCI_SETSELBACK, 1, RGB(0, 255, 0));
  Send(SCI_SETSEL, 10, 15);

  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, 480, 360);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bmp);
  Send(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  int lh = static_cast<int>(Send(SCI_TEXTHEIGHT, 0));
  auto count = [&](COLORREF c, int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) n += GetPixel(dc, x, y) == c;
    return n;
  };
  EXPECT_GT(count(RGB(255, 0, 0), 18, 0, 200, lh), 10) << "style 1 background on line 0";
  EXPECT_EQ(count(RGB(255, 0, 0), 0, lh, 480, 360), 0);
  EXPECT_GT(count(RGB(0, 255, 0), 18, lh, 200, 2 * lh), 10) << "selection on line 1";
  EXPECT_GT(count(RGB(0, 0, 255), 0, lh, 16, 2 * lh), 3) << "marker in the marker margin";
  EXPECT_EQ(count(RGB(0, 0, 255), 0, 0, 16, lh), 0);

  int eolX = static_cast<int>(Send(SCI_POINTXFROMPOSITION, 0, 8));
  EXPECT_EQ(count(RGB(0, 0, 0), eolX, 0, eolX + 30, lh), 0);
  Send(SCI_SETVIEWEOL, 1);
  Send(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  EXPECT_GT(count(RGB(0, 0, 0), eolX, 0, eolX + 30, lh), 30) << "the line end is shown";
  SelectObject(dc, old);
  DeleteObject(bmp);
  DeleteDC(dc);
}

// A host may close the pane while the control is telling it about a change.
TEST_F(EditorWindow, DestroyedWhileNotifyingDoesNotCrash) {
  const int codes[] = {SCN_MODIFIED, EDN_RESTYLERANGE, SCN_UPDATEUI, EDN_INSERTBEGIN, SCN_ZOOM};
  for (int code : codes) {
    HWND ed = CreateWindowExW(0, EDITOR_WINDOW_CLASS, L"", WS_CHILD, 0, 0, 200, 100, parent_, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(ed, nullptr);
    g_destroyOn = code;
    SendMessageW(ed, SCI_SETTEXT, 0, reinterpret_cast<LPARAM>("abc"));
    if (IsWindow(ed)) SendMessageW(ed, SCI_INSERTTEXT, 0, reinterpret_cast<LPARAM>("x"));
    if (IsWindow(ed)) SendMessageW(ed, SCI_ZOOMIN, 0, 0);
    EXPECT_FALSE(IsWindow(ed)) << code;
  }
}

}  // namespace
