#include "TokenScanners.h"

#include <cwctype>

namespace numbrook {

namespace {

// Positions outside the text read as 0xFFFF, which matches no class and no operator.
wchar_t At(std::wstring_view text, size_t i) { return i < text.size() ? text[i] : wchar_t(0xFFFF); }

int Signed(size_t length, bool malformed) {
  return malformed ? -static_cast<int>(length) : static_cast<int>(length);
}

int HexDigit(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}

int RomanLetterValue(wchar_t c) {
  switch (c) {
    case L'C': case L'c': return 100;
    case L'D': case L'd': return 500;
    case L'I': case L'i': return 1;
    case L'L': case L'l': return 50;
    case L'M': case L'm': return 1000;
    case L'V': case L'v': return 5;
    case L'X': case L'x': return 10;
    default: return 0;
  }
}

bool HasPrefix(std::wstring_view text, size_t start, wchar_t letter) {
  return At(text, start) == L'0' && std::towlower(At(text, start + 1)) == letter;
}

// A literal ends at the first character that is not one of its digits; a digit or word start
// there makes the literal malformed (0x1g, 0o8).
bool GluedToWord(wchar_t c) { return IsDigitChar(c) || IsWordStartChar(c); }

// "0x"/"0o" literals: digits of the base after the prefix. A bare prefix is malformed at the
// end of the text or before a word, and the literal of zero elsewhere.
int ScanRadixLiteral(std::wstring_view text, size_t start, wchar_t letter, unsigned base,
                     uint64_t& value) {
  value = 0;
  if (!HasPrefix(text, start, letter)) return 0;
  size_t i = start + 2;
  for (;; ++i) {
    int d = HexDigit(At(text, i));
    if (d < 0 || static_cast<unsigned>(d) >= base) break;
    value = value * base + static_cast<unsigned>(d);
  }
  bool malformed = (i == start + 2 && i >= text.size()) || GluedToWord(At(text, i));
  return Signed(i - start, malformed);
}

}  // namespace

bool IsBlankChar(wchar_t c) {
  return c == 0 || c == L'\t' || c == L'\n' || c == L'\r' || std::iswspace(c);
}

bool IsWordStartChar(wchar_t c) { return c == L'_' || (c != 0xFFFF && std::iswalpha(c)); }

bool IsDigitChar(wchar_t c) { return c != 0xFFFF && std::iswdigit(c); }

int ScanBlanks(std::wstring_view text, size_t start) {
  size_t i = start;
  while (i < text.size() && IsBlankChar(text[i])) ++i;
  return Signed(i > start ? i - start : 0, false);
}

int ScanIdentifier(std::wstring_view text, size_t start) {
  if (start >= text.size() || !IsWordStartChar(text[start])) return 0;
  size_t i = start + 1;
  while (i < text.size() && (IsWordStartChar(text[i]) || IsDigitChar(text[i]))) ++i;
  return Signed(i - start, false);
}

int ScanDecimalNumber(std::wstring_view text, size_t start, bool& isInteger) {
  bool dot = false, exponent = false, digit = false, pending = false;
  size_t i = start;
  for (; i < text.size(); ++i) {
    wchar_t c = text[i];
    if (IsDigitChar(c)) {
      digit = true;
      pending = false;
    } else if (c == L'+' || c == L'-') {
      if (!exponent || digit) {
        pending = false;
        break;
      }
      digit = false;
      pending = true;
    } else if (c == L'.') {
      if (dot || exponent) {
        pending = true;
        break;
      }
      dot = true;
      pending = true;
    } else if (c == L'e' || c == L'E') {
      if (exponent || !digit) {
        pending = false;
        break;
      }
      exponent = true;
      digit = false;
      pending = true;
    } else {
      break;
    }
  }
  isInteger = !dot && !exponent;
  return Signed(i - start, pending);
}

int ScanHexLiteral(std::wstring_view text, size_t start, uint64_t& value) {
  return ScanRadixLiteral(text, start, L'x', 16, value);
}

int ScanOctLiteral(std::wstring_view text, size_t start, uint64_t& value) {
  return ScanRadixLiteral(text, start, L'o', 8, value);
}

int ScanBinLiteral(std::wstring_view text, size_t start, uint64_t& value) {
  value = 0;
  if (!HasPrefix(text, start, L'b')) return 0;
  size_t i = start + 2;
  for (; At(text, i) == L'0' || At(text, i) == L'1'; ++i) value = value * 2 + (text[i] - L'0');
  // Unlike the other prefixes, "0b" with no digit is always malformed.
  bool malformed = i == start + 2 || GluedToWord(At(text, i));
  return Signed(i - start, malformed);
}

int ScanHashHexLiteral(std::wstring_view text, size_t start, uint64_t& value) {
  value = 0;
  if (At(text, start) != L'#' && At(text, start) != L'$') return 0;
  size_t i = start + 1;
  for (int d; (d = HexDigit(At(text, i))) >= 0; ++i) value = value * 16 + static_cast<unsigned>(d);
  if (i == start + 1) return 0;
  return Signed(i - start, GluedToWord(At(text, i)));
}

int ScanRomanShape(std::wstring_view text, size_t start) {
  if (!HasPrefix(text, start, L'r')) return 0;
  size_t i = start + 2;
  while (RomanLetterValue(At(text, i)) != 0) ++i;
  return Signed(i - start, GluedToWord(At(text, i)));
}

std::wstring RomanText(uint64_t value) {
  static const struct { unsigned value; const wchar_t* symbol; } table[] = {
      {1000, L"M"}, {900, L"CM"}, {500, L"D"}, {400, L"CD"}, {100, L"C"}, {90, L"XC"}, {50, L"L"},
      {40, L"XL"},  {10, L"X"},   {9, L"IX"},  {5, L"V"},    {4, L"IV"},  {1, L"I"}};
  std::wstring out = L"0r";
  for (const auto& row : table) {
    for (; value >= row.value; value -= row.value) out += row.symbol;
  }
  return out;
}

int ScanRomanLiteral(std::wstring_view text, size_t start, uint64_t& value) {
  value = 0;
  int length = ScanRomanShape(text, start);
  if (length < 3) return length;
  // Read from the last letter back: a letter smaller than the one to its right subtracts.
  int64_t sum = 0;
  int right = 0;
  for (size_t i = start + static_cast<size_t>(length); i-- > start + 2;) {
    int v = RomanLetterValue(text[i]);
    sum += v < right ? -v : v;
    right = v;
  }
  if (sum < 0) return -length;
  value = static_cast<uint64_t>(sum);
  // Well-formed only when the canonical spelling of the value is just as long.
  bool canonical = RomanText(value).size() == static_cast<size_t>(length);
  return canonical ? length : -length;
}

int ScanBracketGroup(std::wstring_view text, size_t start, wchar_t open, wchar_t close) {
  int opened = 0, closed = 0;
  bool nested = false;
  size_t i = start;
  while (i < text.size()) {
    wchar_t c = text[i++];
    if (c == open) ++opened;
    else if (c == close) ++closed;
    if (opened > 1 || closed > 1) nested = true;
    if (opened == closed) break;
  }
  if (opened == 0) return 0;
  return Signed(i - start, nested);
}

int ScanQuotedString(std::wstring_view text, size_t start, wchar_t quote) {
  if (At(text, start) != quote) return 0;
  size_t i = start + 1;
  for (; i < text.size(); ++i) {
    if (text[i] == quote && text[i - 1] != L'\\') return Signed(i + 1 - start, false);
    // The kernel reads a worksheet line by line, so a string never continues on the next
    // line: an unclosed one ends, malformed, at its line end.
    if (text[i] == L'\r' || text[i] == L'\n') break;
  }
  return Signed(i - start, true);
}

int ScanLineComment(std::wstring_view text, size_t start) {
  if (At(text, start) != L'/' || At(text, start + 1) != L'/') return 0;
  size_t i = start + 2;
  while (i < text.size() && text[i] != L'\r' && text[i] != L'\n') ++i;
  return Signed(i - start, false);
}

int ScanOperatorRun(std::wstring_view text, size_t start) {
  static const std::wstring_view operators = L"!%*+,-/=^~&|:;<>";
  static const std::wstring_view noDoubling = L"!%*+,-/=^~";
  bool malformed = false;
  size_t i = start;
  for (; i < text.size() && operators.find(text[i]) != std::wstring_view::npos; ++i) {
    wchar_t c = text[i];
    wchar_t next = At(text, i + 1);
    wchar_t prev = i > 0 ? text[i - 1] : wchar_t(0xFFFF);
    wchar_t prev2 = i > 1 ? text[i - 2] : wchar_t(0xFFFF);
    if (noDoubling.find(c) != std::wstring_view::npos) {
      if (next == c) malformed = true;
    } else if (c == L'&' || c == L'|') {
      if (At(text, i + 2) == c) malformed = true;
    } else if (c == L':') {
      if (next != L'=' && i + 1 < text.size()) {
        ++i;  // the ":" belongs to the run, which ends after it
        malformed = true;
        break;
      }
    } else if (c == L'<') {
      if ((prev == L'<' && prev2 == L'<') || prev == L'>') malformed = true;
    } else if (c == L'>') {
      if (prev == L'>' && prev2 == L'>') malformed = true;
    }
  }
  return Signed(i - start, malformed);
}

}  // namespace numbrook
