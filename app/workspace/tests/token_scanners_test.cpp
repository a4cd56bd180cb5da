// The character-level scanners: text -> signed length (and value), one table per scanner.
#include <gtest/gtest.h>

#include <string>

#include "TokenScanners.h"

using namespace numbrook;

namespace {

struct IntCase {
  const wchar_t* text;
  int length;
  uint64_t value;
};

void CheckIntScanner(int (*scan)(std::wstring_view, size_t, uint64_t&),
                     std::initializer_list<IntCase> cases) {
  for (const IntCase& c : cases) {
    uint64_t value = 12345;
    EXPECT_EQ(c.length, scan(c.text, 0, value)) << "text: " << testing::PrintToString(std::wstring(c.text));
    if (c.length > 0) {
      EXPECT_EQ(c.value, value) << "text: " << testing::PrintToString(std::wstring(c.text));
    }
  }
}

TEST(TokenScanners, HexadecimalLiteral) {
  CheckIntScanner(ScanHexLiteral, {
      {L"0x1F", 4, 31},
      {L"0x1f+2", 4, 31},
      {L"0X1F", 4, 31},            // upper-case prefix, as the kernel reads it
      {L"0xffffffffffffffff", 18, ~0ull},
      {L"0x10000000000000001", 19, 1},  // wraps modulo 2^64
      {L"0x", -2, 0},              // prefix at the end of the text
      {L"0x ", 2, 0},              // bare prefix before a blank is zero
      {L"0x)", 2, 0},
      {L"0x1g", -3, 0},            // glued to a word
      {L"0xg", -2, 0},
      {L"0x_", -2, 0},
      {L"12", 0, 0},
      {L"x1", 0, 0},
      {L"", 0, 0},
  });
}

TEST(TokenScanners, OctalLiteral) {
  CheckIntScanner(ScanOctLiteral, {
      {L"0o17", 4, 15},
      {L"0O17", 4, 15},
      {L"0o8", -2, 0},
      {L"0o78", -3, 0},
      {L"0o", -2, 0},
      {L"0o ", 2, 0},
      {L"0o1a", -3, 0},
      {L"0x17", 0, 0},
  });
}

TEST(TokenScanners, BinaryLiteral) {
  CheckIntScanner(ScanBinLiteral, {
      {L"0b101", 5, 5},
      {L"0B101", 5, 5},
      {L"0b101 ", 5, 5},
      {L"0b2", -2, 0},
      {L"0b", -2, 0},
      {L"0b ", -2, 0},             // unlike 0x and 0o, a bare 0b is always malformed
      {L"0b+1", -2, 0},
      {L"0b12", -3, 0},
      {L"0b1x", -3, 0},
      {L"0b1111111111111111111111111111111111111111111111111111111111111111", 66, ~0ull},
  });
}

TEST(TokenScanners, HashAndDollarHexadecimal) {
  CheckIntScanner(ScanHashHexLiteral, {
      {L"#FF", 3, 255},
      {L"$ff", 3, 255},
      {L"#FF+1", 3, 255},
      {L"#", 0, 0},                // a lone sign is no literal
      {L"$ ", 0, 0},
      {L"#g", 0, 0},
      {L"#FFg", -3, 0},
      {L"FF", 0, 0},
  });
}

TEST(TokenScanners, RomanLiteral) {
  CheckIntScanner(ScanRomanLiteral, {
      {L"0r", 2, 0},
      {L"0r ", 2, 0},
      {L"0rIV", 4, 4},
      {L"0rMCMXCIX", 9, 1999},
      {L"0rmcmxciv", 9, 1994},
      {L"0RXII", 5, 12},
      {L"0rMMMM", 6, 4000},
      {L"0rIV+1", 4, 4},
      {L"0rIIII", -6, 0},          // not canonical
      {L"0rIC", -4, 0},
      {L"0rIIX", -5, 0},
      {L"0rIVz", -4, 0},           // glued to a word
      {L"0rX1", -3, 0},
      {L"0rz", -2, 0},
      {L"0x1", 0, 0},
  });
  EXPECT_EQ(L"0r", RomanText(0));
  EXPECT_EQ(L"0rMCMXCIV", RomanText(1994));
  EXPECT_EQ(L"0rMMMCDXLIV", RomanText(3444));
  // The shape alone does not check the spelling.
  EXPECT_EQ(6, ScanRomanShape(L"0rIIII", 0));
  EXPECT_EQ(-3, ScanRomanShape(L"0rI2", 0));
  EXPECT_EQ(3, ScanRomanShape(L"0rI", 0));
}

TEST(TokenScanners, DecimalNumber) {
  struct Case {
    const wchar_t* text;
    int length;
    bool isInteger;
  } cases[] = {
      {L"12", 2, true},
      {L"12+3", 2, true},
      {L"1.5", 3, false},
      {L"1e-5", 4, false},
      {L"1.5e+3*2", 6, false},
      {L".5", 2, false},
      {L"1.", -2, false},          // pending at the end
      {L"1e", -2, false},
      {L"1e+", -3, false},
      {L"1.2.3", -3, false},       // malformed over 1.2
      {L"1ee", 2, false},          // 1e, then "e"
      {L"1e5e", 3, false},
      {L"1e5+3", 3, false},
      {L".", -1, false},
      {L"1.e5", 4, false},
      {L"7x", 1, true},
      {L"e5", 0, true},
      {L"+1", 0, true},
  };
  for (const Case& c : cases) {
    bool isInteger = !c.isInteger;
    EXPECT_EQ(c.length, ScanDecimalNumber(c.text, 0, isInteger)) << testing::PrintToString(std::wstring(c.text));
    if (c.length != 0) {
      EXPECT_EQ(c.isInteger, isInteger) << testing::PrintToString(std::wstring(c.text));
    }
  }
}

// Scanners without a value: (scanner, text, start, expected length).
TEST(TokenScanners, LengthOnlyScanners) {
  auto brackets = [](std::wstring_view t, size_t s) { return ScanBracketGroup(t, s, L'[', L']'); };
  auto single = [](std::wstring_view t, size_t s) { return ScanQuotedString(t, s, L'\''); };
  auto dbl = [](std::wstring_view t, size_t s) { return ScanQuotedString(t, s, L'"'); };
  struct Case {
    const char* scanner;
    int (*scan)(std::wstring_view, size_t);
    const wchar_t* text;
    size_t start;
    int length;
  } cases[] = {
      {"blanks", ScanBlanks, L"  \t\r\nx", 0, 5},
      {"blanks", ScanBlanks, L"x ", 0, 0},
      {"blanks", ScanBlanks, L"x \u00A0 y", 1, 3},
      {"identifier", ScanIdentifier, L"a1_b+c", 0, 4},
      {"identifier", ScanIdentifier, L"_x", 0, 2},
      {"identifier", ScanIdentifier, L"1a", 0, 0},
      {"identifier", ScanIdentifier, L"x(", 0, 1},
      {"identifier", ScanIdentifier, L"ab", 1, 1},
      {"identifier", ScanIdentifier, L"ab", 2, 0},
      {"identifier", ScanIdentifier, L"ab", 9, 0},
      {"comment", ScanLineComment, L"//note\r\nx", 0, 6},
      {"comment", ScanLineComment, L"//note", 0, 6},
      {"comment", ScanLineComment, L"1 //a\nb", 2, 3},
      {"comment", ScanLineComment, L"/ 2", 0, 0},
      {"comment", ScanLineComment, L"/", 0, 0},
      {"brackets", brackets, L"[1+2]x", 0, 5},
      {"brackets", brackets, L"[1[2]]", 0, -6},   // nested
      {"brackets", brackets, L"[12", 0, 3},       // ends with the text
      {"brackets", brackets, L"x[1]", 0, 0},
      {"brackets", brackets, L"[]", 0, 2},
      {"quote", single, L"'abc'+1", 0, 5},
      {"quote", single, L"'a\\'b'", 0, 6},       // backslash keeps the quote open
      {"quote", single, L"'a\\\\'b", 0, -6},     // a doubled backslash protects it too
      {"quote", single, L"'a//b'", 0, 6},
      {"quote", single, L"'abc", 0, -4},         // unterminated
      {"quote", single, L"'", 0, -1},
      {"quote", single, L"'ab\r\n'c'", 0, -3},  // a string ends with its line
      {"quote", single, L"'ab\n", 0, -3},
      {"quote", single, L"abc'", 0, 0},
      {"quote", dbl, L"\"it's\"", 0, 6},
      {"quote", dbl, L"'x'", 0, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.length, c.scan(c.text, c.start))
        << c.scanner << " on " << testing::PrintToString(std::wstring(c.text)) << " at " << c.start;
  }
}

TEST(TokenScanners, OperatorRun) {
  struct Case {
    const wchar_t* text;
    size_t start;
    int length;
  } cases[] = {
      {L":=1", 0, 2},
      {L"x:=1", 1, 2},
      {L":1", 0, -1},            // ":" must be followed by "="
      {L":+1", 0, -1},
      {L"a:", 1, 1},             // ":" at the very end is accepted
      {L"+-1", 0, 2},
      {L"++1", 0, -2},           // doubled operators
      {L"==", 0, -2},
      {L"!!", 0, -2},
      {L"&&x", 0, 2},
      {L"&&&x", 0, -3},
      {L"||x", 0, 2},
      {L"|||", 0, -3},
      {L"<<x", 0, 2},
      {L"<<<x", 0, -3},
      {L">>>x", 0, -3},
      {L"<>", 0, 2},
      {L"<=", 0, 2},
      {L"><", 0, -2},
      {L";;", 0, 2},             // ";" is always accepted
      {L"*-(", 0, 2},
      {L"==1+2", 0, -2},         // once malformed, the run stays so
      {L"(", 0, 0},
      {L"#", 0, 0},
      {L"a+b", 0, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.length, ScanOperatorRun(c.text, c.start))
        << testing::PrintToString(std::wstring(c.text)) << " at " << c.start;
  }
}

}  // namespace
