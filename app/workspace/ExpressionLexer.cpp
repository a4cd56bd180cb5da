#include "ExpressionLexer.h"

#include <windows.h>

#include "TokenScanners.h"

namespace numbrook {

namespace {

bool IsBracketChar(wchar_t c) {
  return c == L'(' || c == L')' || c == L'[' || c == L']' || c == L'{' || c == L'}';
}

// A number at `start`: the prefixed forms first (a malformed one does not count, so that
// "0x1g" falls back to the number 0 and a name), then the decimal scan.
void ScanNumberToken(TokenCursor& cur, size_t start) {
  struct Prefixed {
    int (*scan)(std::wstring_view, size_t, uint64_t&);
    NumberForm form;
  };
  static const Prefixed prefixed[] = {{ScanHexLiteral, NfHexadecimal},
                                      {ScanBinLiteral, NfBinary},
                                      {ScanOctLiteral, NfOctal},
                                      {ScanRomanLiteral, NfRoman}};
  for (const Prefixed& p : prefixed) {
    uint64_t value = 0;
    int length = p.scan(cur.Text, start, value);
    if (length > 0) {
      cur.Kind = TkNumber;
      cur.TokenLength = length;
      cur.Form = p.form;
      cur.Value = value;
      return;
    }
  }
  bool isInteger = false;
  int length = ScanDecimalNumber(cur.Text, start, isInteger);
  if (length > 0) {
    cur.Kind = TkNumber;
    cur.TokenLength = length;
    cur.Form = isInteger ? NfDecimalInteger : NfDecimalReal;
  } else {
    cur.Kind = TkError;
    cur.TokenLength = -length;
  }
}

// Operators, brackets and whatever else is left: one stray character when nothing applies.
void ScanOtherToken(TokenCursor& cur, size_t start) {
  int length = ScanOperatorRun(cur.Text, start);
  if (length != 0) {
    cur.Kind = length > 0 ? TkOperator : TkError;
    cur.TokenLength = length > 0 ? length : -length;
  } else {
    cur.Kind = IsBracketChar(cur.Text[start]) ? TkBracket : TkStray;
    cur.TokenLength = 1;
  }
}

// Byte length of a piece of text in the control's ANSI code page.
int AnsiLength(const wchar_t* text, int length) {
  if (length <= 0) return 0;
  int bytes = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
  return bytes > 0 ? bytes : length;
}

bool SameWordNoCase(const std::wstring& a, const std::wstring& b) {
  if (a.empty() || b.empty()) return false;
  return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                              static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace

bool NextToken(TokenCursor& cur) {
  cur.Form = NfNone;
  cur.Value = 0;
  if (cur.Position < 0 || cur.Position >= cur.Length) {
    cur.Kind = TkStray;
    cur.TokenLength = 0;
    return false;
  }
  const size_t start = static_cast<size_t>(cur.Position);
  const wchar_t c = cur.Text[start];
  int length = 0;

  if (IsDigitChar(c) || c == L'.') {
    ScanNumberToken(cur, start);
  } else if (IsWordStartChar(c)) {
    cur.Kind = TkName;
    cur.TokenLength = ScanIdentifier(cur.Text, start);
  } else if (c == L'/') {
    length = ScanLineComment(cur.Text, start);
    cur.Kind = length > 0 ? TkComment : TkOperator;
    cur.TokenLength = length > 0 ? length : 1;
  } else if (IsBlankChar(c)) {
    cur.Kind = TkBlank;
    cur.TokenLength = ScanBlanks(cur.Text, start);
  } else if (c == L'\'' || c == L'"') {
    length = ScanQuotedString(cur.Text, start, c);
    cur.Kind = length > 0 ? TkString : TkError;
    cur.TokenLength = length > 0 ? length : -length;
  } else if ((c == L'#' || c == L'$') &&
             (length = ScanHashHexLiteral(cur.Text, start, cur.Value)) != 0) {
    // #FF and $FF are hexadecimal numbers for the kernel; a lone sign is a stray character.
    cur.Kind = length > 0 ? TkNumber : TkError;
    cur.TokenLength = length > 0 ? length : -length;
    cur.Form = length > 0 ? NfHexadecimal : NfNone;
    if (length < 0) cur.Value = 0;
  } else {
    ScanOtherToken(cur, start);
  }

  if (cur.TokenLength <= 0) cur.TokenLength = 1;  // a token is never empty
  if (cur.TokenLength > cur.Length - cur.Position) cur.TokenLength = cur.Length - cur.Position;
  cur.Position += cur.TokenLength;
  return true;
}

int StyleOfToken(TokenKind kind) {
  switch (kind) {
    case TkStray: return StyleStray;
    case TkError: return LexemeTypeError;
    case TkBlank: return 0;  // the style of LexemeTypeSeparator
    case TkOperator: return LexemeTypeOperator;
    case TkBracket: return LexemeTypeBracket;
    case TkNumber: return LexemeTypeDigitNumber;
    case TkComment: return LexemeTypeComment;
    case TkString: return LexemeTypeString;
    default: return StyleDefault;
  }
}

void ColourRange(IStyledText& editor, IWordClassifier& classifier, int start, int end) {
  const int total = editor.GetLength();
  if (end < 0 || end > total) end = total;
  if (start < 0) start = 0;
  if (start >= end) return;

  editor.StartStyling(start);
  const std::wstring text = editor.GetTextRange(start, end);
  TokenCursor cur(text);
  while (NextToken(cur)) {
    const int tokenStart = cur.Position - cur.TokenLength;
    int style;
    if (cur.Kind == TkName) {
      style = classifier.ClassifyWord(text.substr(tokenStart, cur.TokenLength));
    } else {
      style = StyleOfToken(cur.Kind);
    }
    editor.SetStyling(AnsiLength(text.data() + tokenStart, cur.TokenLength), style);
  }
  const int styledEnd = editor.GetEndStyled();
  if (styledEnd < end) editor.SetStyling(end - styledEnd, StyleDefault);
}

int ClassifyWordByKernel(ICalculatorKernel* kernel, const std::wstring& word,
                         const std::wstring& trueWord, const std::wstring& falseWord) {
  if (kernel != nullptr) {
    BSTR text = SysAllocStringLen(word.data(), static_cast<UINT>(word.size()));
    CalcObjectType type = CotUnknown;
    int index = -1;
    HRESULT hr = text != nullptr ? kernel->IsDefined(text, &type, &index) : E_OUTOFMEMORY;
    SysFreeString(text);
    if (hr == S_OK) {
      switch (type) {
        case CotConstant: return 1;
        case CotFunction: return 9;
        case CotOperator: return 3;
        case CotVariable: return 2;
        default: break;
      }
    }
  }
  if (SameWordNoCase(word, trueWord) || SameWordNoCase(word, falseWord)) {
    return LexemeTypeDigitNumber;
  }
  return LexemeTypeError;
}

}  // namespace numbrook
