// Character-level scanners over worksheet text, shared by the expression line lexer, the
// recalculation and the clipboard picker.
//
// Every scanner looks at `text` from index `start` and answers a signed length L:
//   L == 0  no token of this kind starts there (also when `start` is at or past the end);
//   L >  0  a well-formed token of L characters;
//   L <  0  a malformed token covering -L characters, to be treated as one erroneous piece.
// Scanners that read an integer also deliver its value; digits accumulate modulo 2^64.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace numbrook {

// Character classes.
bool IsBlankChar(wchar_t c);      // NUL, tab, LF, CR or iswspace
bool IsWordStartChar(wchar_t c);  // iswalpha or "_"
bool IsDigitChar(wchar_t c);      // iswdigit

// Run of blank characters.
int ScanBlanks(std::wstring_view text, size_t start);

// A word start followed by word starts and digits.
int ScanIdentifier(std::wstring_view text, size_t start);

// Decimal literal: digits, optional "." and optional exponent with sign. `isInteger` tells
// whether the literal has neither point nor exponent.
int ScanDecimalNumber(std::wstring_view text, size_t start, bool& isInteger);

// Prefixed integer literals. The prefix letter is taken in either case ("0x" and "0X", and
// so on), as the kernel reads both.
int ScanHexLiteral(std::wstring_view text, size_t start, uint64_t& value);  // 0x1F
int ScanOctLiteral(std::wstring_view text, size_t start, uint64_t& value);  // 0o17
int ScanBinLiteral(std::wstring_view text, size_t start, uint64_t& value);  // 0b101

// Hexadecimal literal written with "#" or "$" (#FF, $ff). 0 when no digit follows the sign.
int ScanHashHexLiteral(std::wstring_view text, size_t start, uint64_t& value);

// Roman literal: the shape only ("0r" and the letters C D I L M V X in either case) ...
int ScanRomanShape(std::wstring_view text, size_t start);
// ... and the shape read as a value; malformed unless the letters are written canonically.
int ScanRomanLiteral(std::wstring_view text, size_t start, uint64_t& value);

// The canonical Roman text of a value: "0r" and the greedy letters (0 gives "0r").
std::wstring RomanText(uint64_t value);

// A group from `open` to its matching `close`; negative when it holds a nested group.
int ScanBracketGroup(std::wstring_view text, size_t start, wchar_t open, wchar_t close);

// A string in `quote` characters; a backslash keeps the next character from closing it.
// Negative when the text or the line (CR or LF) ends before the closing quote.
int ScanQuotedString(std::wstring_view text, size_t start, wchar_t quote);

// "//" up to (not including) the next CR or LF, or the end of the text.
int ScanLineComment(std::wstring_view text, size_t start);

// A run of the operator characters ! % * + , - / = ^ ~ & | : ; < >; negative when the run
// holds a doubled operator such as "++", "==", "&&&", "<<<" or a ":" not followed by "=".
int ScanOperatorRun(std::wstring_view text, size_t start);

}  // namespace numbrook
