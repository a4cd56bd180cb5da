#include "AnswerTemplate.h"

#include <algorithm>
#include <cwctype>

#include "TokenScanners.h"

namespace numbrook {

namespace {

std::wstring Digits(uint64_t value, unsigned base) {
  static const wchar_t digits[] = L"0123456789abcdef";
  std::wstring out;
  do {
    out += digits[value % base];
    value /= base;
  } while (value != 0);
  std::reverse(out.begin(), out.end());
  return out;
}

// A decimal integer literal as a 64-bit value; false when it does not fit.
bool ReadDecimal(std::wstring_view digits, uint64_t& value) {
  value = 0;
  for (wchar_t c : digits) {
    unsigned d = static_cast<unsigned>(c - L'0');
    if (d > 9) return false;
    if (value > (UINT64_MAX - d) / 10) return false;
    value = value * 10 + d;
  }
  return true;
}

// The length of the integer literal at `start` (with its value), or 0 when the span there is
// no integer literal of 64 bits; `span` is then the length to copy unchanged.
int IntegerLiteralAt(std::wstring_view text, size_t start, uint64_t& value, size_t& span) {
  int (*const prefixed[])(std::wstring_view, size_t, uint64_t&) = {ScanHexLiteral, ScanBinLiteral,
                                                                     ScanOctLiteral, ScanRomanLiteral};
  for (auto scan : prefixed) {
    int length = scan(text, start, value);
    if (length > 0) {
      span = static_cast<size_t>(length);
      return length;
    }
  }
  bool isInteger = false;
  int length = ScanDecimalNumber(text, start, isInteger);
  span = std::max<size_t>(1, static_cast<size_t>(length < 0 ? -length : length));
  if (length > 0 && isInteger && ReadDecimal(text.substr(start, span), value)) return length;
  return 0;
}

bool IsTrimmed(wchar_t c) { return c == L'\r' || c == L'\n' || c == L'\t' || c == L';'; }

}  // namespace

std::wstring IntegerText(uint64_t value, IntegerNotation notation) {
  switch (notation) {
    case IntegerNotation::Binary: return L"0b" + Digits(value, 2);
    case IntegerNotation::Octal: return L"0o" + Digits(value, 8);
    case IntegerNotation::Hexadecimal: return L"0x" + Digits(value, 16);
    case IntegerNotation::Roman:
      // Beyond the limit a Roman numeral is a wall of "M"s; the kernel writes decimal there.
      return value <= kLargestRomanValue ? RomanText(value) : Digits(value, 10);
    case IntegerNotation::Decimal: break;
  }
  return Digits(value, 10);
}

std::wstring ConvertLiterals(std::wstring_view text, IntegerNotation notation) {
  std::wstring out;
  size_t i = 0;
  while (i < text.size()) {
    wchar_t c = text[i];
    size_t span = 1;
    if (IsDigitChar(c) || c == L'.') {
      uint64_t value = 0;
      if (IntegerLiteralAt(text, i, value, span) > 0) {
        out += IntegerText(value, notation);
        i += span;
        continue;
      }
    } else if (IsWordStartChar(c)) {
      span = static_cast<size_t>(ScanIdentifier(text, i));
    } else if (IsBlankChar(c)) {
      span = static_cast<size_t>(ScanBlanks(text, i));
    }
    span = std::max<size_t>(1, std::min(span, text.size() - i));
    out.append(text.substr(i, span));
    i += span;
  }
  return out;
}

std::wstring FormatAnswer(std::wstring_view answerTemplate, std::wstring_view source,
                          std::wstring_view result) {
  std::wstring out;
  for (size_t i = 0; i < answerTemplate.size(); ++i) {
    wchar_t c = answerTemplate[i];
    if (c != L'%' || i + 1 == answerTemplate.size()) {
      out += c;
      continue;
    }
    wchar_t p = answerTemplate[++i];
    switch (std::towlower(p)) {
      case L'%': out += L'%'; break;
      case L's': out.append(source); break;
      case L'd': out += ConvertLiterals(result, IntegerNotation::Decimal); break;
      case L'b': out += ConvertLiterals(result, IntegerNotation::Binary); break;
      case L'o': out += ConvertLiterals(result, IntegerNotation::Octal); break;
      case L'h': out += ConvertLiterals(result, IntegerNotation::Hexadecimal); break;
      case L'r': out += ConvertLiterals(result, IntegerNotation::Roman); break;
      case L'e': out += L'%'; out += p; break;
      default: break;  // an unknown placeholder disappears
    }
  }
  return out;
}

Evaluation ExpandSubExpressions(std::wstring_view text, const Evaluator& evaluate) {
  Evaluation answer;
  size_t i = 0;
  while (i < text.size()) {
    if (text[i] != L'%' || i + 1 >= text.size() || std::towlower(text[i + 1]) != L'e') {
      answer.text += text[i++];
      continue;
    }
    size_t start = i + 2;
    int length = start < text.size() && text[start] == L'[' ? ScanBracketGroup(text, start, L'[', L']') : 0;
    size_t span = static_cast<size_t>(length < 0 ? -length : length);
    std::wstring_view group = text.substr(start, span);
    if (span > 0 && std::count(group.begin(), group.end(), L'[') != std::count(group.begin(), group.end(), L']')) {
      // Never closed: not a sub-expression, the text stays as written.
      answer.text.append(text.substr(i, 2));
      i = start;
      continue;
    }
    i = start + span;
    if (span <= 2) continue;  // "%e" alone or "%e[]"
    std::wstring inner(group.substr(1, span - 2));
    Evaluation part = length < 0 ? ExpandSubExpressions(inner, evaluate) : evaluate(inner);
    if (part.failed) return part;
    answer.text += part.text;
  }
  return answer;
}

std::wstring TrimSelection(std::wstring_view text) {
  size_t first = 0, last = text.size();
  while (last > first && IsTrimmed(text[last - 1])) --last;
  while (first < last && IsTrimmed(text[first])) ++first;
  return std::wstring(text.substr(first, last - first));
}

bool IsSingleExpression(std::wstring_view text) {
  return text.find_first_of(L"\r\n;") == std::wstring_view::npos;
}

}  // namespace numbrook
