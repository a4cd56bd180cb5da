// The expression line lexer: lines -> tokens (kind, number form, text), colouring of an
// editor range through a stand-in editor, and the classification of names by the kernel.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "ExpressionLexer.h"
#include "WorkspaceTestKit.h"

using namespace numbrook;

namespace {

// Tokens as "kind[text]" separated by blanks; numbers carry their form ("num4[0x1F]").
std::wstring Tokens(const std::wstring& line) {
  static const std::map<int, std::wstring> names = {
      {TkStray, L"stray"}, {TkError, L"err"},  {TkBlank, L"blank"},  {TkName, L"name"},
      {TkOperator, L"op"}, {TkBracket, L"br"}, {TkNumber, L"num"},   {TkComment, L"rem"},
      {TkString, L"str"}};
  TokenCursor cur(line);
  std::wstring out;
  while (NextToken(cur)) {
    if (!out.empty()) out += L" ";
    out += names.at(cur.Kind);
    if (cur.Kind == TkNumber) out += std::to_wstring(cur.Form);
    out += L"[" + line.substr(cur.Position - cur.TokenLength, cur.TokenLength) + L"]";
  }
  EXPECT_EQ(cur.Length, cur.Position);
  EXPECT_EQ(0, cur.TokenLength);
  EXPECT_EQ(TkStray, cur.Kind);
  return out;
}

TEST(ExpressionLexer, LinesToTokens) {
  struct Case {
    const wchar_t* line;
    const wchar_t* tokens;
  } cases[] = {
      {L"", L""},
      // numbers in every notation, and malformed prefixed literals falling back to 0 and a name
      {L"0x1F", L"num4[0x1F]"},
      {L"0X1F", L"num4[0X1F]"},
      {L"0x1G", L"num2[0] name[x1G]"},
      {L"0b101+0o17", L"num1[0b101] op[+] num3[0o17]"},
      {L"0B1", L"num1[0B1]"},
      {L"0b2", L"num2[0] name[b2]"},
      {L"1+0b", L"num2[1] op[+] num2[0] name[b]"},
      {L"0rIV", L"num5[0rIV]"},
      {L"0rIIII", L"num2[0] name[rIIII]"},
      {L"0r", L"num5[0r]"},
      {L"#FF", L"num4[#FF]"},
      {L"$ff*2", L"num4[$ff] op[*] num2[2]"},
      {L"#FFg", L"err[#FF] name[g]"},
      {L"#", L"stray[#]"},
      {L"$ 1", L"stray[$] blank[ ] num2[1]"},
      {L"1.5e-3", L"num6[1.5e-3]"},
      {L"12", L"num2[12]"},
      {L".5", L"num6[.5]"},
      {L"1e", L"err[1e]"},
      {L"1..2", L"err[1.] num6[.2]"},
      {L".", L"err[.]"},
      // names, operators, brackets
      {L"a:=b", L"name[a] op[:=] name[b]"},
      {L"_x1 = sin(pi)", L"name[_x1] blank[ ] op[=] blank[ ] name[sin] br[(] name[pi] br[)]"},
      {L"x:1", L"name[x] err[:] num2[1]"},
      {L"2 ++ 3", L"num2[2] blank[ ] err[++] blank[ ] num2[3]"},
      {L"a&&b|c", L"name[a] op[&&] name[b] op[|] name[c]"},
      {L"[1]{2}", L"br[[] num2[1] br[]] br[{] num2[2] br[}]"},
      {L"a ; b", L"name[a] blank[ ] op[;] blank[ ] name[b]"},
      {L"1?@", L"num2[1] stray[?] stray[@]"},
      // comments and the single slash
      {L"1/2", L"num2[1] op[/] num2[2]"},
      {L"1 // note", L"num2[1] blank[ ] rem[// note]"},
      {L"a//b\r\nc", L"name[a] rem[//b] blank[\r\n] name[c]"},
      {L"/-1", L"op[/] op[-] num2[1]"},
      // strings: quotes protect "//"; a backslash keeps a quote open; an open quote runs on
      {L"'a//b' + 1", L"str['a//b'] blank[ ] op[+] blank[ ] num2[1]"},
      {L"\"x\" 'it\\'s'", L"str[\"x\"] blank[ ] str['it\\'s']"},
      {L"'abc + 1", L"err['abc + 1]"},
      {L"'abc\r\n2 // x", L"err['abc] blank[\r\n] num2[2] blank[ ] rem[// x]"},
      {L"\"a'b\"", L"str[\"a'b\"]"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(std::wstring(c.tokens), Tokens(c.line)) << testing::PrintToString(std::wstring(c.line));
  }
}

// Whatever the text, tokens are never empty and cover it exactly, end to end.
TEST(ExpressionLexer, RandomTextIsCoveredExactly) {
  const std::wstring alphabet =
      L"0123456789abcxXoObBrRIVMe.+-*/=<>:;!%^~&|,()[]{}'\"\\#$_ \t\r\n?@\u00e9\u00a0\u4e00";
  unsigned seed = 12345;
  auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 16; };
  for (int round = 0; round < 3000; ++round) {
    std::wstring text;
    for (unsigned n = next() % 40; n > 0; --n) text += alphabet[next() % alphabet.size()];
    TokenCursor cur(text);
    int covered = 0;
    while (NextToken(cur)) {
      ASSERT_GT(cur.TokenLength, 0) << testing::PrintToString(text);
      covered += cur.TokenLength;
      ASSERT_EQ(covered, cur.Position) << testing::PrintToString(text);
    }
    ASSERT_EQ(static_cast<int>(text.size()), covered) << testing::PrintToString(text);
  }
}

TEST(ExpressionLexer, NumberValues) {
  struct Case {
    const wchar_t* text;
    NumberForm form;
    uint64_t value;
  } cases[] = {
      {L"0x1F", NfHexadecimal, 31}, {L"0X1f", NfHexadecimal, 31}, {L"#FF", NfHexadecimal, 255},
      {L"$10", NfHexadecimal, 16},  {L"0b101", NfBinary, 5},      {L"0o17", NfOctal, 15},
      {L"0rMCMXCIX", NfRoman, 1999}, {L"42", NfDecimalInteger, 0}, {L"4.2", NfDecimalReal, 0},
  };
  for (const Case& c : cases) {
    TokenCursor cur(c.text);
    ASSERT_TRUE(NextToken(cur));
    EXPECT_EQ(TkNumber, cur.Kind) << testing::PrintToString(std::wstring(c.text));
    EXPECT_EQ(c.form, cur.Form) << testing::PrintToString(std::wstring(c.text));
    EXPECT_EQ(c.value, cur.Value) << testing::PrintToString(std::wstring(c.text));
    EXPECT_FALSE(NextToken(cur));
  }
}

// A stand-in for the editing control: one byte per character, a styling position, and a text
// range that stops at an embedded NUL as the control's NUL-terminated buffer does.
class FakeEditor : public IStyledText {
 public:
  explicit FakeEditor(std::wstring text) : text_(std::move(text)), styles_(text_.size(), -1) {}

  int GetLength() override { return static_cast<int>(text_.size()); }
  std::wstring GetTextRange(int start, int end) override {
    std::wstring range = text_.substr(start, end - start);
    return range.substr(0, range.find(L'\0'));
  }
  int GetEndStyled() override { return pos_; }
  void StartStyling(int pos) override {
    ++starts_;
    pos_ = pos;
  }
  void SetStyling(int length, int style) override {
    ASSERT_GT(length, 0);
    ASSERT_LE(pos_ + length, GetLength());
    for (int i = 0; i < length; ++i) styles_[pos_ + i] = style;
    pos_ += length;
  }

  // Styles as runs "text:style" separated by "|"; "-" marks an unstyled character.
  std::wstring Runs() const {
    std::wstring out;
    for (size_t i = 0; i < text_.size();) {
      size_t j = i;
      while (j < text_.size() && styles_[j] == styles_[i]) ++j;
      if (!out.empty()) out += L"|";
      out += text_.substr(i, j - i) + L":" + (styles_[i] < 0 ? L"-" : std::to_wstring(styles_[i]));
      i = j;
    }
    return out;
  }

  int starts_ = 0;

 private:
  std::wstring text_;
  std::vector<int> styles_;
  int pos_ = 0;
};

class MapClassifier : public IWordClassifier {
 public:
  int ClassifyWord(const std::wstring& word) override {
    asked.push_back(word);
    auto it = styles.find(word);
    return it == styles.end() ? LexemeTypeError : it->second;
  }
  std::map<std::wstring, int> styles = {{L"x", 2}, {L"sin", 9}, {L"pi", 1}, {L"mod", 3}};
  std::vector<std::wstring> asked;
};

TEST(ExpressionLexer, ColourRangeStylesEveryToken) {
  struct Case {
    const wchar_t* text;
    int start, end;
    const wchar_t* runs;
  } cases[] = {
      {L"x := sin(pi) + 0x1F // c", 0, -1,
       L"x:2| :0|:=:3| :0|sin:9|(:5|pi:1|):5| :0|+:3| :0|0x1F:6| :0|// c:7"},
      {L"y mod 'a' $ '", 0, -1, L"y:8| :0|mod:3| :0|'a':10| :0|$:31| :0|':8"},
      {L"1 ++ 2\r\n3", 0, -1, L"1:6| :0|++:8| :0|2:6|\r\n:0|3:6"},
      // a part of the text: only that part is styled, scanned as if it started there
      {L"abc + def", 4, 8, L"abc :-|+:3| :0|de:8|f:-"},
      {L"0x1F", 1, -1, L"0:-|x1F:8"},
      // an end beyond the text is the end of the text; an empty range styles nothing
      {L"1+2", 0, 99, L"1:6|+:3|2:6"},
      {L"1+2", 2, 2, L"1+2:-"},
      {L"1+2", 3, -1, L"1+2:-"},
  };
  for (const Case& c : cases) {
    FakeEditor editor(c.text);
    MapClassifier classifier;
    ColourRange(editor, classifier, c.start, c.end);
    EXPECT_EQ(std::wstring(c.runs), editor.Runs()) << testing::PrintToString(std::wstring(c.text));
  }
}

// What the control does not hand over (the text after a NUL) gets the default style.
TEST(ExpressionLexer, ColourRangeAfterEmbeddedNul) {
  const std::wstring text(L"ab\0cd", 5);
  FakeEditor editor(text);
  MapClassifier classifier;
  ColourRange(editor, classifier, 0, -1);
  std::wstring expected = L"ab:8|";
  expected += std::wstring(L"\0cd", 3) + L":32";
  EXPECT_EQ(expected, editor.Runs());
  EXPECT_EQ(std::vector<std::wstring>{L"ab"}, classifier.asked);
}

TEST(ExpressionLexer, ColourRangeLeavesAnEmptyRangeAlone) {
  FakeEditor editor(L"1+2");
  MapClassifier classifier;
  ColourRange(editor, classifier, 2, 1);
  EXPECT_EQ(0, editor.starts_);
  EXPECT_EQ(L"1+2:-", editor.Runs());
}

// A kernel bridge that knows a few names; everything but IsDefined is unused here.
class FakeKernel : public KernelStub {
 public:
  std::map<std::wstring, CalcObjectType> defined;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
  ULONG STDMETHODCALLTYPE Release() override { return 0; }
  HRESULT STDMETHODCALLTYPE IsDefined(BSTR text, CalcObjectType* type, int* index) override {
    *type = CotUnknown;
    *index = -1;
    auto it = defined.find(text);
    if (it == defined.end()) return S_FALSE;
    *type = it->second;
    *index = 0;
    return S_OK;
  }
};

TEST(ExpressionLexer, ClassifyWordByKernel) {
  FakeKernel kernel;
  kernel.defined = {{L"pi", CotConstant}, {L"sin", CotFunction}, {L"mod", CotOperator},
                    {L"x", CotVariable},  {L"panel", CotCategory}, {L"TRUE", CotUnknown}};
  struct Case {
    const wchar_t* word;
    int style;
  } cases[] = {
      {L"pi", 1},    {L"sin", 9},   {L"mod", 3},  {L"x", 2},
      {L"panel", 8},                               // a kind that is not coloured as a name
      {L"true", 6},  {L"FALSE", 6}, {L"False", 6}, {L"TRUE", 6},
      {L"truex", 8}, {L"y", 8},     {L"", 8},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.style, ClassifyWordByKernel(&kernel, c.word, L"True", L"False"))
        << testing::PrintToString(std::wstring(c.word));
  }
  EXPECT_EQ(8, ClassifyWordByKernel(nullptr, L"pi", L"True", L"False"));
  EXPECT_EQ(6, ClassifyWordByKernel(nullptr, L"true", L"True", L"False"));
}

}  // namespace
