#include "WorksheetText.h"

#include <gtest/gtest.h>

using namespace evalkern;
using Strings = std::vector<std::wstring>;

TEST(WorksheetLines, EveryLineEndCountsOnce) {
  struct Case { const wchar_t* text; Strings lines; } cases[] = {
      {L"", {L""}},
      {L"1", {L"1"}},
      {L"1\n", {L"1", L""}},
      {L"1\r\n2", {L"1", L"2"}},
      {L"1\r2", {L"1", L"2"}},       // a lone CR ends a line too
      {L"1\r\r\n2", {L"1", L"", L"2"}},
      {L"\n\n", {L"", L"", L""}},
  };
  for (const auto& c : cases) EXPECT_EQ(c.lines, SplitWorksheetLines(c.text)) << c.text;
}

TEST(WorksheetStatements, CommentsAndSemicolonsOutsideQuotes) {
  struct Case { const wchar_t* line; Strings statements; } cases[] = {
      {L"  1+2; 3*4  ", {L"1+2", L"3*4"}},
      {L"1;", {L"1", L""}},
      {L"// only a comment", {L""}},
      {L"2 // two", {L"2"}},
      {L"'a//b'", {L"'a//b'"}},
      {L"'a;b'; 2", {L"'a;b'", L"2"}},
      {L"\"it's\"; 'say \"hi\"'", {L"\"it's\"", L"'say \"hi\"'"}},
      {L"'don''t; stop' // c", {L"'don''t; stop'"}},
      {L"'unclosed; // still string", {L"'unclosed; // still string"}},
      {L" a ; b ;c ", {L"a ", L" b ", L"c"}},  // only the last keeps no blanks
  };
  for (const auto& c : cases) EXPECT_EQ(c.statements, SplitLineStatements(c.line)) << c.line;
}

TEST(WorksheetAssignments, NamesAndTheirErrors) {
  struct Case { const wchar_t* statement; const wchar_t* name; const wchar_t* expression; int error; } cases[] = {
      {L"x := 5", L"x", L" 5", 0},
      {L"  _a1:=2", L"_a1", L"2", 0},
      {L"x :=", L"x", L"", 0},
      {L"1+2", L"", L"1+2", 0},
      {L"s := 'a:=b'", L"s", L" 'a:=b'", 0},
      {L"x := 1 := 2", L"x", L"", 14030},
      {L" := 5", L"", L"", 14031},
      {L"1x := 5", L"1x", L"", 14032},
      {L"a b := 5", L"a b", L"", 14032},
      {L"\u00e9 := 5", L"\u00e9", L"", 14032},
  };
  for (const auto& c : cases) {
    StatementParts p = SplitAssignment(c.statement);
    EXPECT_EQ(c.error, p.error) << c.statement;
    EXPECT_EQ(c.name, p.name) << c.statement;
    if (!c.error) EXPECT_EQ(c.expression, p.expression) << c.statement;
  }
}
