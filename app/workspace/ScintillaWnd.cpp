#include "ScintillaWnd.h"

#include <new>

#include "ChangedSpan.h"
#include "EditorMessages.h"
#include "MainInterface.h"

extern "C" const IID IID_IEditorKeyFilter = {
    0xE508BDA8, 0x6988, 0x4506, {0x86, 0xBC, 0xBF, 0xAF, 0x33, 0xED, 0x94, 0x15}};

namespace {

const int kMarginWidth = 16;
const int kVsOffice2003 = 3;
const UINT kStyleMask = 31;

bool KeyDown(int vk) { return ::GetKeyState(vk) < 0; }

}  // namespace

std::string EditorTextToAnsi(LPCWSTR text) {
  if (text == nullptr || *text == 0) return std::string();
  int n = ::WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 1) return std::string();
  std::string out(static_cast<size_t>(n), '\0');
  ::WideCharToMultiByte(CP_ACP, 0, text, -1, &out[0], n, nullptr, nullptr);
  out.resize(static_cast<size_t>(n - 1));
  return out;
}

CString EditorTextFromAnsi(const char* text, int length) {
  if (text == nullptr) return CString();
  if (length < 0) length = lstrlenA(text);
  if (length == 0) return CString();
  int n = ::MultiByteToWideChar(CP_ACP, 0, text, length, nullptr, 0);
  if (n <= 0) return CString();
  std::wstring out(static_cast<size_t>(n), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, text, length, &out[0], n);
  return CString(out);
}

IMPLEMENT_DYNCREATE(CScintillaWnd, CWnd)

BEGIN_MESSAGE_MAP(CScintillaWnd, CWnd)
  ON_WM_SYSCOLORCHANGE()
  ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

CScintillaWnd::CScintillaWnd()
    : m_bLineNumbers(FALSE),
      m_bMarkerMargin(TRUE),
      m_bFoldMargin(FALSE),
      m_dwSearchFlags(0),
      m_pKeyFilter(nullptr) {}

CScintillaWnd::~CScintillaWnd() {
  if (m_pKeyFilter != nullptr) {
    IEditorKeyFilter* p = m_pKeyFilter;
    m_pKeyFilter = nullptr;
    p->Release();
  }
}

void CScintillaWnd::SetSearchFlags(DWORD dwFlags) { m_dwSearchFlags = dwFlags; }

DWORD CScintillaWnd::GetSearchFlags() const { return m_dwSearchFlags; }

BOOL CScintillaWnd::Create(LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CreateEx(0, EDITOR_WINDOW_CLASS, lpszWindowName, dwStyle, rect, pParentWnd, nID, nullptr);
}

void CScintillaWnd::SetReadOnly(BOOL bReadOnly) { Send(SCI_SETREADONLY, bReadOnly ? 1 : 0); }

void CScintillaWnd::SetDefaultStyles(LPCWSTR lpszFont, int nSize, COLORREF crBack, COLORREF crFore) {
  Send(SCI_CLEARDOCUMENTSTYLE);
  for (int style = 0; style <= 31; ++style) {
    SetStyleBack(style, crBack);
    SetStyleFont(style, lpszFont);
    SetStyleBold(style, FALSE);
    SetStyleItalic(style, FALSE);
    SetStyleUnderline(style, FALSE);
    SetStyleSize(style, nSize);
  }
  SetStyleFont(STYLE_DEFAULT, lpszFont);
  SetStyleSize(STYLE_DEFAULT, nSize);
  SetStyleBack(STYLE_DEFAULT, crBack);
  SetStyleFore(STYLE_DEFAULT, crFore);
  ApplySystemColours();
  SetStyleSize(STYLE_BRACELIGHT, nSize);
  SetStyleFont(STYLE_BRACELIGHT, lpszFont);
}

void CScintillaWnd::InitEditor() {
  Send(SCI_SETSTYLEBITS, 7);
  Send(SCI_SETTABWIDTH, 4);
  Send(SCI_SETINDENT, 4);
  Send(SCI_SETCARETPERIOD, 400);
  Send(SCI_SETMODEVENTMASK, SC_MOD_INSERTTEXT | SC_MOD_DELETETEXT);
  Send(SCI_SETLEXER, SCLEX_CONTAINER);
  SetStyleBack(STYLE_BRACELIGHT, ::GetSysColor(COLOR_WINDOW));
  SetStyleBold(STYLE_BRACELIGHT, TRUE);
  ApplySystemColours();
  Send(SCI_CONVERTEOLS, SC_EOL_CRLF);
  Send(SCI_SETEOLMODE, SC_EOL_CRLF);
  Send(SCI_SETVIEWEOL, 0);
  Send(SCI_SETHSCROLLBAR, 1);
  Send(SCI_SETVSCROLLBAR, 1);
  Send(SCI_MARKERDEFINE, 0, SC_MARK_CIRCLE);
  SetDefaultStyles(L"Courier New", 10, ::GetSysColor(COLOR_WINDOW), ::GetSysColor(COLOR_WINDOWTEXT));
  ShowMarkerMargin(TRUE);
}

int CScintillaWnd::GetLineLength(int nLine) { return (int)Send(SCI_LINELENGTH, (WPARAM)nLine); }

int CScintillaWnd::GetLineCount() { return (int)Send(SCI_GETLINECOUNT); }

int CScintillaWnd::LineFromPosition(int nPos) { return (int)Send(SCI_LINEFROMPOSITION, (WPARAM)nPos); }

int CScintillaWnd::PositionFromLine(int nLine) { return (int)Send(SCI_POSITIONFROMLINE, (WPARAM)nLine); }

int CScintillaWnd::GetEndStyled() { return (int)Send(SCI_GETENDSTYLED); }

void CScintillaWnd::StartStyling(int nPos) { Send(SCI_STARTSTYLING, (WPARAM)nPos, kStyleMask); }

void CScintillaWnd::SetStyling(int nLength, int nStyle) { Send(SCI_SETSTYLING, (WPARAM)nLength, nStyle); }

int CScintillaWnd::GetFirstVisibleLine() { return (int)Send(SCI_GETFIRSTVISIBLELINE); }

CString CScintillaWnd::GetLine(int nLine) {
  int length = GetLineLength(nLine);
  if (length <= 0) return CString();
  std::string buffer;
  try {
    buffer.assign(static_cast<size_t>(length) + 1, '\0');
  } catch (const std::bad_alloc&) {
    return CString();
  }
  Send(SCI_GETLINE, (WPARAM)nLine, (LPARAM)&buffer[0]);
  buffer[static_cast<size_t>(length)] = '\0';
  return EditorTextFromAnsi(buffer.data(), length);
}

int CScintillaWnd::GetLength() { return (int)Send(SCI_GETLENGTH); }

void CScintillaWnd::SetAnsiText(const char* text) {
  if (text != nullptr) Send(SCI_SETTEXT, 0, (LPARAM)text);
  GotoPosition(0);
  ::SetFocus(m_hWnd);
}

void CScintillaWnd::SetText(LPCWSTR lpszText) {
  if (lpszText == nullptr) {
    SetAnsiText(nullptr);
    return;
  }
  std::string text = EditorTextToAnsi(lpszText);
  SetAnsiText(text.c_str());
}

void CScintillaWnd::ReplaceChangedText(LPCWSTR lpszText) {
  const std::string text = EditorTextToAnsi(lpszText);
  std::string current;
  if (!GetAnsiText(current)) {
    Send(SCI_SETTEXT, 0, (LPARAM)text.c_str());
    return;
  }
  const ChangedSpan span = FindChangedSpan(current, text);
  if (span.Empty()) return;
  Send(SCI_SETTARGETSTART, (WPARAM)span.start);
  Send(SCI_SETTARGETEND, (WPARAM)span.oldEnd);
  Send(SCI_REPLACETARGET, (WPARAM)(span.newEnd - span.start), (LPARAM)(text.c_str() + span.start));
}

bool CScintillaWnd::GetAnsiText(std::string& text) {
  LRESULT length = Send(SCI_GETLENGTH);
  text.clear();
  if (length < 0 || length >= 0x7FFFFFFF) return false;
  try {
    text.assign(static_cast<size_t>(length) + 2, '\0');
  } catch (const std::bad_alloc&) {
    return false;
  }
  LRESULT got = Send(SCI_GETTEXT, (WPARAM)(length + 1), (LPARAM)&text[0]);
  if (got < 0 || got > length) got = length;
  text.resize(static_cast<size_t>(got));
  return true;
}

CString CScintillaWnd::GetText() {
  std::string text;
  if (!GetAnsiText(text)) return CString();
  return EditorTextFromAnsi(text.data(), (int)text.size());
}

CString CScintillaWnd::GetTextRange(int nStart, int nEnd) {
  // The control writes end - start bytes and a NUL: keep the range inside the text so that the
  // buffer always fits what is written.
  int length = GetLength();
  if (nEnd < 0 || nEnd > length) nEnd = length;
  if (nStart < 0) nStart = 0;
  if (nStart >= nEnd) return CString();
  std::string buffer;
  try {
    buffer.assign(static_cast<size_t>(nEnd - nStart) + 1, '\0');
  } catch (const std::bad_alloc&) {
    return CString();
  }
  TextRange range;
  range.chrg.cpMin = nStart;
  range.chrg.cpMax = nEnd;
  range.lpstrText = &buffer[0];
  LRESULT got = Send(SCI_GETTEXTRANGE, 0, (LPARAM)&range);
  if (got < 0 || got > nEnd - nStart) got = nEnd - nStart;
  return EditorTextFromAnsi(buffer.data(), (int)got);
}

void CScintillaWnd::InsertText(LPCWSTR lpszText, int nPos) {
  std::string text = EditorTextToAnsi(lpszText);
  Send(SCI_INSERTTEXT, (WPARAM)nPos, (LPARAM)text.c_str());
}

BOOL CScintillaWnd::LoadFile(LPCWSTR lpszPath) {
  const WorksheetLoad load = LoadFileChecked(lpszPath);
  return load == WorksheetLoad::Exact || load == WorksheetLoad::Altered;
}

WorksheetLoad CScintillaWnd::LoadFileChecked(LPCWSTR lpszPath) {
  SetAnsiText("");
  if (lpszPath == nullptr || *lpszPath == 0) return WorksheetLoad::Absent;

  std::string bytes;
  CFile file;
  if (!file.Open(lpszPath, CFile::modeRead | CFile::shareDenyWrite)) {
    // Not there at all, or there and kept from us (locked by another program, say).
    return ::GetFileAttributesW(lpszPath) == INVALID_FILE_ATTRIBUTES ? WorksheetLoad::Absent
                                                                     : WorksheetLoad::Unreadable;
  }
  try {
    ULONGLONG size = file.GetLength();
    if (size == 0) {
      file.Close();
      return WorksheetLoad::Absent;
    }
    if (size >= 0x7FFFFFFF) {
      file.Abort();
      return WorksheetLoad::Unreadable;
    }
    bytes.assign(static_cast<size_t>(size), '\0');
    UINT got = file.Read(&bytes[0], (UINT)size);
    file.Close();
    if (got != size) return WorksheetLoad::Unreadable;
  } catch (CException* e) {
    e->Delete();
    file.Abort();
    return WorksheetLoad::Unreadable;
  } catch (const std::bad_alloc&) {
    file.Abort();
    return WorksheetLoad::Unreadable;
  }

  WorksheetFileText text;
  try {
    text = DecodeWorksheetBytes(bytes);
  } catch (const std::bad_alloc&) {
    return WorksheetLoad::Unreadable;
  }
  SetAnsiText(text.ansi.c_str());
  return text.exact ? WorksheetLoad::Exact : WorksheetLoad::Altered;
}

BOOL CScintillaWnd::SaveFile(LPCWSTR lpszPath) {
  if (lpszPath == nullptr || *lpszPath == 0) return FALSE;
  // Take the text first: without it nothing is written, so the file on disk stays as it was.
  std::string text;
  if (!GetAnsiText(text)) return FALSE;
  CFile file;
  if (!file.Open(lpszPath, CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite)) return FALSE;
  try {
    file.Write(text.data(), (UINT)text.size());
    file.Close();
  } catch (CException* e) {
    e->Delete();
    file.Abort();
    return FALSE;
  }
  return TRUE;
}

int CScintillaWnd::GetLineNumberDigits() {
  int count = GetLineCount();
  int digits = 1;
  for (; count > 0; count /= 10) ++digits;
  return digits;
}

int CScintillaWnd::GetLineNumberWidth() {
  int nine = (int)Send(SCI_TEXTWIDTH, STYLE_LINENUMBER, (LPARAM) "9");
  return (GetLineNumberDigits() + 1) * nine;
}

void CScintillaWnd::ShowLineNumbers(BOOL bShow) {
  if ((bShow != FALSE) == (m_bLineNumbers != FALSE)) return;
  int width = bShow ? GetLineNumberWidth() + 4 : 0;
  Send(SCI_SETMARGINWIDTHN, 0, width);
  m_bLineNumbers = bShow ? TRUE : FALSE;
}

void CScintillaWnd::ShowMarkerMargin(BOOL bShow) {
  m_bMarkerMargin = bShow ? TRUE : FALSE;
  Send(SCI_SETMARGINWIDTHN, 1, bShow ? kMarginWidth : 0);
}

void CScintillaWnd::ShowFoldMargin(BOOL bShow) {
  m_bFoldMargin = bShow ? TRUE : FALSE;
  Send(SCI_SETMARGINWIDTHN, 2, bShow ? kMarginWidth : 0);
}

void CScintillaWnd::CutToClipboard() {
  Copy();
  Send(SCI_CUT);
}

void CScintillaWnd::Cut() { Send(SCI_CUT); }
void CScintillaWnd::Copy() { Send(SCI_COPY); }
void CScintillaWnd::Paste() { Send(SCI_PASTE); }
void CScintillaWnd::Clear() { Send(SCI_CLEAR); }
void CScintillaWnd::Undo() { Send(SCI_UNDO); }
void CScintillaWnd::Redo() { Send(SCI_REDO); }
BOOL CScintillaWnd::CanUndo() { return Send(SCI_CANUNDO) != 0; }
BOOL CScintillaWnd::CanRedo() { return Send(SCI_CANREDO) != 0; }
BOOL CScintillaWnd::CanPaste() { return Send(SCI_CANPASTE) != 0; }
void CScintillaWnd::SelectAll() { Send(SCI_SELECTALL); }
void CScintillaWnd::BeginUndoAction() { Send(SCI_BEGINUNDOACTION); }
void CScintillaWnd::EndUndoAction() { Send(SCI_ENDUNDOACTION); }
void CScintillaWnd::EmptyUndoBuffer() { Send(SCI_EMPTYUNDOBUFFER); }

int CScintillaWnd::GetCurrentLine() { return LineFromPosition(GetCurrentPosition()); }

int CScintillaWnd::LinesOnScreen() { return (int)Send(SCI_LINESONSCREEN); }

void CScintillaWnd::LineScroll(int nColumns, int nLines) { Send(SCI_LINESCROLL, (WPARAM)nColumns, nLines); }

int CScintillaWnd::GetCurrentColumn() { return (int)Send(SCI_GETCOLUMN, (WPARAM)GetCurrentPosition()); }

int CScintillaWnd::GetCurrentPosition() { return (int)Send(SCI_GETCURRENTPOS); }

void CScintillaWnd::SetCurrentPosition(int nPos) { Send(SCI_SETCURRENTPOS, (WPARAM)nPos); }

void CScintillaWnd::SetSelectionStart(int nPos) { Send(SCI_SETSELECTIONSTART, (WPARAM)nPos); }

void CScintillaWnd::SetSelectionEnd(int nPos) { Send(SCI_SETSELECTIONEND, (WPARAM)nPos); }

int CScintillaWnd::GetCurrentStyle() { return (int)Send(SCI_GETSTYLEAT, (WPARAM)GetCurrentPosition()); }

int CScintillaWnd::GetCurrentFoldLevel() {
  int level = (int)Send(SCI_GETFOLDLEVEL, (WPARAM)GetCurrentLine());
  return (level & 0xFFF) - SC_FOLDLEVELBASE;
}

void CScintillaWnd::SetStyleFont(int nStyle, LPCWSTR lpszFont) {
  std::string font = EditorTextToAnsi(lpszFont);
  Send(SCI_STYLESETFONT, (WPARAM)nStyle, (LPARAM)font.c_str());
}

CString CScintillaWnd::GetStyleFont(int nStyle) {
  char buffer[EDM_STYLEFONT_BUFFER] = {};
  Send(EDM_GETSTYLEFONT, (WPARAM)nStyle, (LPARAM)buffer);
  buffer[EDM_STYLEFONT_BUFFER - 1] = '\0';
  return EditorTextFromAnsi(buffer);
}

void CScintillaWnd::SetStyleSize(int nStyle, int nPoints) { Send(SCI_STYLESETSIZE, (WPARAM)nStyle, nPoints); }
int CScintillaWnd::GetStyleSize(int nStyle) { return (int)Send(EDM_GETSTYLESIZE, (WPARAM)nStyle); }
int CScintillaWnd::GetDefaultStyleSize() { return (int)Send(EDM_GETSTYLESIZE, STYLE_DEFAULT); }
int CScintillaWnd::GetTextHeight(int nLine) { return (int)Send(SCI_TEXTHEIGHT, (WPARAM)nLine); }
void CScintillaWnd::SetStyleFore(int nStyle, COLORREF cr) { Send(SCI_STYLESETFORE, (WPARAM)nStyle, (LPARAM)cr); }
COLORREF CScintillaWnd::GetStyleFore(int nStyle) { return (COLORREF)Send(EDM_GETSTYLEFORE, (WPARAM)nStyle); }
void CScintillaWnd::SetStyleBack(int nStyle, COLORREF cr) { Send(SCI_STYLESETBACK, (WPARAM)nStyle, (LPARAM)cr); }
COLORREF CScintillaWnd::GetStyleBack(int nStyle) { return (COLORREF)Send(EDM_GETSTYLEBACK, (WPARAM)nStyle); }
void CScintillaWnd::SetStyleBold(int nStyle, BOOL bBold) { Send(SCI_STYLESETBOLD, (WPARAM)nStyle, bBold); }
BOOL CScintillaWnd::GetStyleBold(int nStyle) { return (BOOL)Send(EDM_GETSTYLEBOLD, (WPARAM)nStyle); }
void CScintillaWnd::SetStyleItalic(int nStyle, BOOL bItalic) { Send(SCI_STYLESETITALIC, (WPARAM)nStyle, bItalic); }
BOOL CScintillaWnd::GetStyleItalic(int nStyle) { return (BOOL)Send(EDM_GETSTYLEITALIC, (WPARAM)nStyle); }
void CScintillaWnd::SetStyleUnderline(int nStyle, BOOL bUnderline) {
  Send(SCI_STYLESETUNDERLINE, (WPARAM)nStyle, bUnderline);
}
BOOL CScintillaWnd::GetStyleUnderline(int nStyle) { return (BOOL)Send(EDM_GETSTYLEUNDERLINE, (WPARAM)nStyle); }
BOOL CScintillaWnd::GetOvertype() { return (BOOL)Send(SCI_GETOVERTYPE); }
void CScintillaWnd::SetOvertype(BOOL bOvertype) { Send(SCI_SETOVERTYPE, bOvertype ? 1 : 0); }

void CScintillaWnd::UpdateBraceHighlight() {
  // Only the character before the caret is considered.
  int pos = GetCurrentPosition() - 1;
  int match = (int)Send(SCI_BRACEMATCH, (WPARAM)pos);
  if (match < 0) Send(SCI_BRACEHIGHLIGHT, (WPARAM)-1, -1);
  else Send(SCI_BRACEHIGHLIGHT, (WPARAM)pos, match);
}

void CScintillaWnd::OnMarginClick(int nMargin, int nPos) {
  if (nMargin == 2) Send(SCI_TOGGLEFOLD, (WPARAM)LineFromPosition(nPos));
}

void CScintillaWnd::Colourise() { Send(SCI_COLOURISE, 0, -1); }

int CScintillaWnd::AddMarker(int nLine) { return (int)Send(SCI_MARKERADD, (WPARAM)nLine, 0); }

int CScintillaWnd::DeleteMarker(int nLine) {
  BOOL has = HasMarker(nLine);
  if (!has) return has;
  return (int)Send(SCI_MARKERDELETE, (WPARAM)nLine, 0);
}

BOOL CScintillaWnd::HasMarker(int nLine) { return (Send(SCI_MARKERGET, (WPARAM)nLine) & 1) != 0; }

BOOL CScintillaWnd::HasAnyMarker() { return Send(SCI_MARKERNEXT, 0, 1) >= 0; }

int CScintillaWnd::GotoNextMarker() {
  int line = (int)Send(SCI_MARKERNEXT, (WPARAM)(GetCurrentLine() + 1), 1);
  if (line < 0) line = (int)Send(SCI_MARKERNEXT, 0, 1);
  if (line < 0) return line;
  GotoLine(line);
  return line;
}

int CScintillaWnd::GotoPreviousMarker() {
  int line = (int)Send(SCI_MARKERPREVIOUS, (WPARAM)(GetCurrentLine() - 1), 1);
  if (line < 0) line = (int)Send(SCI_MARKERPREVIOUS, (WPARAM)(GetLineCount() - 1), 1);
  if (line < 0) return line;
  GotoLine(line);
  return line;
}

void CScintillaWnd::GotoLine(int nLine) { Send(SCI_GOTOLINE, (WPARAM)nLine); }

void CScintillaWnd::GotoPosition(int nPos) { Send(SCI_GOTOPOS, (WPARAM)nPos); }

BOOL CScintillaWnd::FindInRange(LPCWSTR lpszText, int nFrom, int nTo) {
  if (lpszText == nullptr) return FALSE;
  std::string text = EditorTextToAnsi(lpszText);
  if (text.empty()) return FALSE;
  TextToFind find = {};
  find.chrg.cpMin = nFrom;
  find.chrg.cpMax = nTo;
  find.lpstrText = text.c_str();
  if (Send(SCI_FINDTEXT, m_dwSearchFlags, (LPARAM)&find) < 0) return FALSE;
  ::SetFocus(m_hWnd);
  GotoPosition(find.chrgText.cpMin);
  Send(SCI_SETSEL, (WPARAM)find.chrgText.cpMin, find.chrgText.cpMax);
  return TRUE;
}

BOOL CScintillaWnd::FindNext(LPCWSTR lpszText) {
  // The search starts one byte after the caret, so a match at the caret itself is skipped.
  int from = GetCurrentPosition() + 1;
  int length = GetLength();
  if (from > length) return FALSE;  // a start past the end would turn into a backward search
  return FindInRange(lpszText, from, length);
}

BOOL CScintillaWnd::FindPrevious(LPCWSTR lpszText) {
  int start = GetSelectionStart();
  if (start < 0) start = GetCurrentPosition();
  if (start - 1 < 0) return FALSE;  // nothing lies before the selection
  return FindInRange(lpszText, start - 1, 0);
}

void CScintillaWnd::ReplaceSelection(LPCWSTR lpszText) {
  if (lpszText == nullptr) return;
  std::string text = EditorTextToAnsi(lpszText);
  Send(SCI_TARGETFROMSELECTION);
  Send((m_dwSearchFlags & SCFIND_REGEXP) ? SCI_REPLACETARGETRE : SCI_REPLACETARGET, text.size(),
       (LPARAM)text.c_str());
}

void CScintillaWnd::SetLexer(int nLexer) { Send(SCI_SETLEXER, (WPARAM)nLexer); }

int CScintillaWnd::GetSelectionStart() { return (int)Send(SCI_GETSELECTIONSTART); }

int CScintillaWnd::GetSelectionEnd() { return (int)Send(SCI_GETSELECTIONEND); }

CString CScintillaWnd::GetSelectedText() {
  int start = GetSelectionStart();
  int end = GetSelectionEnd();
  if (end - start + 1 <= 0) return CString();
  std::string buffer;
  try {
    buffer.assign(static_cast<size_t>(end - start) + 2, '\0');
  } catch (const std::bad_alloc&) {
    return CString();
  }
  Send(SCI_GETSELTEXT, 0, (LPARAM)&buffer[0]);
  return EditorTextFromAnsi(buffer.data(), end - start);
}

int CScintillaWnd::ReplaceAll(LPCWSTR lpszFind, LPCWSTR lpszReplace, BOOL bInSelection) {
  if (lpszFind == nullptr || *lpszFind == 0) return 0;
  std::string find = EditorTextToAnsi(lpszFind);
  std::string replace = EditorTextToAnsi(lpszReplace);
  if (find.empty()) return 0;
  // Replace all follows the same match-case and whole-word choices as find.
  Send(SCI_SETSEARCHFLAGS, m_dwSearchFlags);
  const UINT replaceMsg = (m_dwSearchFlags & SCFIND_REGEXP) ? SCI_REPLACETARGETRE : SCI_REPLACETARGET;
  int rangeStart = bInSelection ? GetSelectionStart() : 0;
  int rangeEnd = bInSelection ? GetSelectionEnd() : (int)Send(SCI_GETTEXTLENGTH);
  Send(SCI_SETTARGETSTART, (WPARAM)rangeStart);
  Send(SCI_SETTARGETEND, (WPARAM)rangeEnd);
  int count = 0;
  int pos = (int)Send(SCI_SEARCHINTARGET, find.size(), (LPARAM)find.c_str());
  while (pos >= 0 && pos < rangeEnd) {
    int matched = (int)(Send(SCI_GETTARGETEND) - Send(SCI_GETTARGETSTART));
    int written = (int)Send(replaceMsg, replace.size(), (LPARAM)replace.c_str());
    ++count;
    rangeEnd += written - matched;
    int next = pos + written;
    if (matched <= 0) ++next;  // an empty match must not be found again at the same place
    if (next > rangeEnd) break;
    Send(SCI_SETTARGETSTART, (WPARAM)next);
    Send(SCI_SETTARGETEND, (WPARAM)rangeEnd);
    pos = (int)Send(SCI_SEARCHINTARGET, find.size(), (LPARAM)find.c_str());
  }
  return count;
}

void CScintillaWnd::SetKeyFilter(IEditorKeyFilter* pFilter) {
  if (pFilter != nullptr) pFilter->AddRef();
  IEditorKeyFilter* old = m_pKeyFilter;
  m_pKeyFilter = pFilter;
  if (old != nullptr) old->Release();
}

BOOL CScintillaWnd::PreTranslateMessage(MSG* pMsg) {
  if (m_pKeyFilter != nullptr && m_pKeyFilter->FilterMessage(pMsg) == 0) return TRUE;
  if (pMsg->message != WM_KEYDOWN) return CWnd::PreTranslateMessage(pMsg);

  const bool shift = KeyDown(VK_SHIFT);
  const bool ctrl = KeyDown(VK_CONTROL);
  const UINT key = (UINT)pMsg->wParam;

  if ((key == VK_DELETE || key == VK_BACK) && GetSelectionEnd() != GetSelectionStart()) {
    // Deleting a selection leaves the clipboard alone: only cut, copy and paste touch it.
    Clear();
    return TRUE;
  }
  if (ctrl) {
    switch (key) {
      case VK_INSERT:
      case 'C': Copy(); return TRUE;
      case 'A': SelectAll(); return TRUE;
      case 'V': Paste(); return TRUE;
      case 'X': CutToClipboard(); return TRUE;
      case 'Y': Redo(); return TRUE;
      case 'Z':
        if (shift) Redo();
        else Undo();
        return TRUE;
      case 'K':
        if (shift) {
          GotoNextMarker();
        } else {
          int line = GetCurrentLine();
          if (HasMarker(line)) DeleteMarker(line);
          else AddMarker(line);
        }
        return TRUE;
      case VK_LWIN:
      case VK_APPS:
        return TRUE;
      default:
        if (key == 'B' || key == 'W' || (key >= 'D' && key <= 'J') || (key >= 'M' && key <= 'U')) return TRUE;
        return CWnd::PreTranslateMessage(pMsg);
    }
  }
  if (shift && key == VK_INSERT) {
    Paste();
    return TRUE;
  }
  return CWnd::PreTranslateMessage(pMsg);
}

void CScintillaWnd::ApplySystemColours() {
  Send(SCI_SETSELBACK, 1, (LPARAM)::GetSysColor(COLOR_HIGHLIGHT));
  Send(SCI_SETSELFORE, 1, (LPARAM)::GetSysColor(COLOR_HIGHLIGHTTEXT));
  if (GetCurrentVisualStyle() == kVsOffice2003) {
    SetStyleBack(STYLE_LINENUMBER, ::GetSysColor(COLOR_GRADIENTINACTIVECAPTION));
    SetStyleFore(STYLE_LINENUMBER, ::GetSysColor(COLOR_INACTIVECAPTIONTEXT));
  } else {
    SetStyleBack(STYLE_LINENUMBER, ::GetSysColor(COLOR_BTNFACE));
    SetStyleFore(STYLE_LINENUMBER, ::GetSysColor(COLOR_BTNTEXT));
  }
}

void CScintillaWnd::OnSysColorChange() {
  ApplySystemColours();
  CWnd::OnSysColorChange();
}

void CScintillaWnd::OnLButtonDown(UINT nFlags, CPoint point) {
  CWnd::OnLButtonDown(nFlags, point);
  HWND self = m_hWnd;
  if (self == nullptr || !::IsWindow(self)) return;
  HWND parent = ::GetParent(self);
  if (parent == nullptr) return;
  SCNotification scn = {};
  scn.nmhdr.hwndFrom = self;
  scn.nmhdr.idFrom = 0;
  scn.nmhdr.code = SCN_CLICK;
  ::SendMessageW(parent, WM_NOTIFY, 0, (LPARAM)&scn);
}
