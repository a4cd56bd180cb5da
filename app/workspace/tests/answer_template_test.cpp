// Answers of keyboard actions: templates, notations of the result's integers, sub-expressions
// and the trimming of the copied selection.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "AnswerTemplate.h"

using namespace numbrook;

namespace {

std::string Show(const std::wstring& s) { return testing::PrintToString(s); }

TEST(AnswerTemplate, IntegerTextInEveryNotation) {
  struct Case {
    uint64_t value;
    IntegerNotation notation;
    std::wstring text;
  } cases[] = {
      {32, IntegerNotation::Decimal, L"32"},
      {0, IntegerNotation::Decimal, L"0"},
      {~0ull, IntegerNotation::Decimal, L"18446744073709551615"},  // read as unsigned
      {5, IntegerNotation::Binary, L"0b101"},
      {0, IntegerNotation::Binary, L"0b0"},
      {15, IntegerNotation::Octal, L"0o17"},
      {255, IntegerNotation::Hexadecimal, L"0xff"},
      {1999, IntegerNotation::Roman, L"0rMCMXCIX"},
      {0, IntegerNotation::Roman, L"0r"},
      {100000, IntegerNotation::Roman, L"0r" + std::wstring(100, L'M')},
      {100001, IntegerNotation::Roman, L"100001"},  // decimal beyond the Roman range
      {~0ull, IntegerNotation::Roman, L"18446744073709551615"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.text, IntegerText(c.value, c.notation)) << c.value << " notation " << (int)c.notation;
}

TEST(AnswerTemplate, ConvertLiteralsRewritesOnlyIntegers) {
  struct Case {
    const wchar_t* text;
    IntegerNotation notation;
    const wchar_t* converted;
  } cases[] = {
      {L"32", IntegerNotation::Hexadecimal, L"0x20"},
      {L"0x20", IntegerNotation::Decimal, L"32"},
      {L"0b101 + 0o17", IntegerNotation::Decimal, L"5 + 15"},
      {L"0rXIV", IntegerNotation::Binary, L"0b1110"},
      {L"-5", IntegerNotation::Hexadecimal, L"-0x5"},
      {L"1.5 and 2", IntegerNotation::Hexadecimal, L"1.5 and 0x2"},     // real numbers stay
      {L"1e5", IntegerNotation::Hexadecimal, L"1e5"},
      {L".5", IntegerNotation::Hexadecimal, L".5"},
      {L"x2 + 12abc", IntegerNotation::Hexadecimal, L"x2 + 0xcabc"},   // names keep their digits
      {L"0x1g", IntegerNotation::Decimal, L"0x1g"},                  // malformed: 0 then the name x1g
      {L"0rIIII", IntegerNotation::Decimal, L"0rIIII"},               // not canonical: 0 then rIIII
      {L"99999999999999999999", IntegerNotation::Hexadecimal, L"99999999999999999999"},  // over 64 bits
      {L"18446744073709551615", IntegerNotation::Hexadecimal, L"0xffffffffffffffff"},
      {L"\t7\r\n", IntegerNotation::Roman, L"\t0rVII\r\n"},
      {L"", IntegerNotation::Decimal, L""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(std::wstring(c.converted), ConvertLiterals(c.text, c.notation)) << Show(c.text);
}

TEST(AnswerTemplate, FormatAnswerPlaceholders) {
  struct Case {
    const wchar_t* templ;
    const wchar_t* answer;
  } cases[] = {
      {L"%s = %d", L"0x1F + 1 = 32"},
      {L"%s = %h", L"0x1F + 1 = 0x20"},
      {L"%S = %D", L"0x1F + 1 = 32"},  // letters in either case
      {L"%b %o %r", L"0b100000 0o40 0rXXXII"},
      {L"100%%", L"100%"},
      {L"a%xb", L"ab"},                // unknown placeholder vanishes
      {L"%e[2*3] %E[1]", L"%e[2*3] %E[1]"},  // left for the sub-expressions
      {L"50%", L"50%"},                // a trailing "%" stays
      {L"", L""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(std::wstring(c.answer), FormatAnswer(c.templ, L"0x1F + 1", L"32")) << Show(c.templ);
}

class SubExpressions : public ::testing::Test {
protected:
  // A tiny evaluator: known expressions give their value; "bad" fails.
  Evaluator evaluate = [this](const std::wstring& e) -> Evaluation {
    evaluated.push_back(e);
    static const std::map<std::wstring, std::wstring> values = {{L"2*3", L"6"}, {L"1+1", L"2"}};
    auto it = values.find(e);
    if (it != values.end()) return {it->second, false};
    return {L"error in " + e, true};
  };
  std::vector<std::wstring> evaluated;
};

TEST_F(SubExpressions, ExpandsGroups) {
  struct Case {
    const wchar_t* text;
    const wchar_t* expanded;
  } cases[] = {
      {L"x = %e[2*3]", L"x = 6"},
      {L"%E[1+1]%e[2*3]", L"26"},
      {L"a%eb", L"ab"},              // no group: "%e" vanishes
      {L"a%e[]b", L"ab"},            // empty group
      {L"a%e", L"a"},
      {L"%e[2*3", L"%e[2*3"},        // never closed: stays as written
      {L"%e[[1+1] %e[2*3]", L"%e[[1+1] 6"},
      {L"%e[%e[2*3]+1]", L"6+1"},    // a nested group is expanded, then written as text
      {L"50% %x", L"50% %x"},        // other "%" pairs stay
  };
  for (const Case& c : cases) {
    Evaluation e = ExpandSubExpressions(c.text, evaluate);
    EXPECT_FALSE(e.failed) << Show(c.text);
    EXPECT_EQ(std::wstring(c.expanded), e.text) << Show(c.text);
  }
}

TEST_F(SubExpressions, FirstFailureBecomesTheWholeAnswer) {
  Evaluation e = ExpandSubExpressions(L"x %e[bad] y %e[2*3]", evaluate);
  EXPECT_TRUE(e.failed);
  EXPECT_EQ(L"error in bad", e.text);
  EXPECT_EQ(std::vector<std::wstring>{L"bad"}, evaluated);  // expansion stops there

  e = ExpandSubExpressions(L"%e[%e[bad]]", evaluate);
  EXPECT_TRUE(e.failed);
  EXPECT_EQ(L"error in bad", e.text);
}

TEST(AnswerTemplate, SelectionTrimmingAndSingleExpression) {
  struct Case {
    const wchar_t* selection;
    const wchar_t* trimmed;
    bool single;
  } cases[] = {
      {L"1+2;\r\n", L"1+2", true},
      {L"\r\n\t1+2\t;;", L"1+2", true},
      {L" 1+2 ", L" 1+2 ", true},      // blanks are the kernel's business
      {L"1;2", L"1;2", false},
      {L"1\r\n2\r\n", L"1\r\n2", false},
      {L"1\n2", L"1\n2", false},
      {L";\r\n", L"", true},
      {L"", L"", true},
  };
  for (const Case& c : cases) {
    std::wstring t = TrimSelection(c.selection);
    EXPECT_EQ(std::wstring(c.trimmed), t) << Show(c.selection);
    EXPECT_EQ(c.single, IsSingleExpression(t)) << Show(c.selection);
  }
}

}  // namespace
