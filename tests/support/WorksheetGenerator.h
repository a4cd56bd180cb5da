// Random worksheets for the soak test and the recalculation benchmark: lines built from the real
// grammar (every notation, calls of every family, assignments and later uses, comments, blank
// lines, a few bad lines), plus, when asked, raw random characters and very long lines.
#pragma once

#include <random>
#include <string>
#include <vector>

namespace worksheetgen {

class Generator {
 public:
  explicit Generator(unsigned seed) : rng_(seed) {}

  // One realistic line; `lineNo` makes assigned names unique enough to be reused later.
  std::wstring RealisticLine(int lineNo) {
    switch (Pick(20)) {
      case 0: return L"";
      case 1: return L"// note " + std::to_wstring(lineNo);
      case 2: case 3: {
        std::wstring name = L"v" + std::to_wstring(lineNo);
        names_.push_back(name);
        return name + L" := " + Expression(2);
      }
      case 4: return Expression(2) + L"; " + Expression(1);
      case 5: return Expression(2) + L" // with a comment";
      case 6: return Pick(3) == 0 ? L"1/0" : L"sqrt(-4)";  // an error line now and then
      default: return Expression(3);
    }
  }

  // A worksheet of `lines` realistic lines, joined with CR LF as the editor holds them.
  std::wstring RealisticWorksheet(int lines) {
    names_.clear();
    std::wstring text;
    for (int i = 0; i < lines; ++i) {
      if (i) text += L"\r\n";
      text += RealisticLine(i);
    }
    return text;
  }

  // Anything at all: grammar fragments, operators, brackets, quotes and random characters.
  std::wstring WildLine(int maxLength) {
    static const wchar_t* const pieces[] = {
        L"(", L")", L",", L";", L":=", L"//", L"'", L"\"", L"+", L"-", L"*", L"/", L"^", L"!",
        L"%", L"div", L"mod", L"and", L"not", L"shl", L"0x", L"0b", L"0r", L"#", L"$", L"1e",
        L"9223372036854775807", L"1.5", L"pi", L"sin", L"max", L"if", L"mol", L"char", L" ",
        L"0rMMXXV", L"e+", L".", L"\t", L"x", L":"};
    std::wstring line;
    int length = Pick(maxLength + 1);
    while (static_cast<int>(line.size()) < length) {
      if (Pick(4) == 0) {
        wchar_t c = static_cast<wchar_t>(1 + Pick(0x2FF));
        line.push_back(c == L'\n' || c == L'\r' ? L'?' : c);  // line ends are the caller's
      }
      else
        line += pieces[Pick(sizeof(pieces) / sizeof(pieces[0]))];
    }
    return line;
  }

  int Pick(int n) { return static_cast<int>(rng_() % static_cast<unsigned>(n)); }

 private:
  std::wstring Number() {
    switch (Pick(9)) {
      case 0: return L"0x" + Hex(1 + Pick(0xFFFF));
      case 1: return L"0b101101";
      case 2: return L"0o17";
      case 3: return L"#FF";
      case 4: return L"0rXIV";
      case 5: return std::to_wstring(Pick(1000)) + L"." + std::to_wstring(Pick(100));
      case 6: return std::to_wstring(Pick(50)) + L"%";
      default: return std::to_wstring(Pick(100000));
    }
  }
  static std::wstring Hex(int v) {
    static const wchar_t digits[] = L"0123456789abcdef";
    std::wstring s;
    do { s.insert(s.begin(), digits[v % 16]); v /= 16; } while (v);
    return s;
  }
  std::wstring Operand(int depth) {
    if (!names_.empty() && Pick(4) == 0) return names_[Pick(static_cast<int>(names_.size()))];
    if (depth <= 0) return Number();
    switch (Pick(12)) {
      case 0: return L"sin(" + Expression(depth - 1) + L")";
      case 1: return L"sqrt(" + Number() + L")";
      case 2: return L"max(" + Expression(depth - 1) + L", " + Number() + L", 3)";
      case 3: return L"average(1, 2, " + Number() + L")";
      case 4: return L"hex(" + std::to_wstring(Pick(4096)) + L")";
      case 5: return L"round(" + Number() + L", 2)";
      case 6: return L"(" + Expression(depth - 1) + L")";
      case 7: return L"if(" + Number() + L" > 50, 1, 2)";
      case 8: return std::to_wstring(Pick(15)) + L"!";
      case 9: return L"pi";
      case 10: return L"ln(" + Number() + L" + 1)";
      default: return Number();
    }
  }
  std::wstring Expression(int depth) {
    static const wchar_t* const ops[] = {L" + ", L" - ", L" * ", L" / ", L" div ", L" mod ", L" and "};
    std::wstring e = Operand(depth);
    int terms = Pick(3);
    for (int i = 0; i < terms; ++i) {
      if (Pick(8) == 0)
        e += L" ^ " + std::to_wstring(Pick(4));  // powers as people write them: small exponents
      else
        e += ops[Pick(7)] + Operand(depth - 1);
    }
    return e;
  }

  std::mt19937 rng_;
  std::vector<std::wstring> names_;
};

}  // namespace worksheetgen
