// Text and HTML export: the files byte for byte for a small worksheet, escaping, colouring of
// the expressions, and failures that must leave no partial file and no damaged target.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "CalcExport.h"
#include "ExpressionLexer.h"
#include "FwComSupport.h"
#include "WorkspaceTestKit.h"

using namespace CalcExport;

namespace {

// ---- fixtures -------------------------------------------------------------------------------

class FakeCodeFormatter : public ICodeFormatter {
 public:
  FakeCodeFormatter() {
    for (auto& f : formats) f = {AutoColor, AutoColor, 0, 0, 0, UnderlineTypeNone};
    formats[LexemeTypeComment].CfForeColor = 0x00112233;
    formats[LexemeTypeComment].CfItalic = 1;
    formats[LexemeTypeFunction].CfBackColor = 0x00EEDDCC;
    formats[LexemeTypeFunction].CfBold = 1;
    formats[LexemeTypeVariable].CfUnderline = UnderlineTypeWave;
    formats[LexemeTypeError].CfStrikeout = 1;  // not exported
  }

  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (riid == IID_IUnknown || riid == IID_ICodeFormatter) {
      *ppv = static_cast<ICodeFormatter*>(this);
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 1; }
  STDMETHODIMP_(ULONG) Release() override { return 0; }

  STDMETHODIMP GetCharFormat(LexemeType type, CharFormat* format) override {
    if (failCharFormat) return E_FAIL;
    if (type < LexemeTypeMin || type > LexemeTypeMax) return E_INVALIDARG;
    *format = formats[type];
    return S_OK;
  }
  STDMETHODIMP SetCharFormat(LexemeType, CharFormat) override { return E_NOTIMPL; }
  STDMETHODIMP GetCommonFormat(CodeCommonFormat* format) override {
    format->CcfBackColor = commonBack;
    format->CcfFontHeight = 210;
    format->CcfFontCharSet = 0;
    format->CcfFontName = SysAllocString(L"Lucida Console");
    return S_OK;
  }
  STDMETHODIMP SetCommonFormat(CodeCommonFormat) override { return E_NOTIMPL; }
  STDMETHODIMP EndUpdate() override { return S_OK; }

  CharFormat formats[LexemeTypeMax + 1];
  unsigned long commonBack = AutoColor;
  bool failCharFormat = false;
};

class FakeClassifier : public numbrook::IWordClassifier {
 public:
  int ClassifyWord(const std::wstring& word) override {
    static const std::map<std::wstring, int> styles = {
        {L"x", 2}, {L"sin", 9}, {L"pi", 1}, {L"mod", 3}, {L"blank", 4}, {L"odd", 32}};
    auto it = styles.find(word);
    return it == styles.end() ? 8 : it->second;
  }
};

class VectorLines : public ILineSource {
 public:
  VectorLines(std::vector<std::wstring> expressions, std::vector<std::wstring> results)
      : m_expressions(std::move(expressions)), m_results(std::move(results)) {}
  int GetLineCount() override { return static_cast<int>(m_expressions.size()); }
  CString GetExpressionLine(int line) override {
    if (line == throwAt) throw std::runtime_error("line source failed");
    return CString(m_expressions[line]);
  }
  CString GetResultLine(int line) override {
    return line < static_cast<int>(m_results.size()) ? CString(m_results[line]) : CString();
  }
  int throwAt = -1;

 private:
  std::vector<std::wstring> m_expressions;
  std::vector<std::wstring> m_results;
};

// A fresh folder of its own under the temporary folder, removed with everything in it.
class TempFolder {
 public:
  TempFolder() {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    static int counter = 0;
    m_path = base;
    m_path += L"nbexport" + std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(++counter);
    CreateDirectoryW(m_path.c_str(), nullptr);
  }
  ~TempFolder() {
    for (const auto& name : Files()) {
      const std::wstring file = m_path + L"\\" + name;
      SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileW(file.c_str());
    }
    RemoveDirectoryW(m_path.c_str());
  }
  std::wstring operator/(const std::wstring& name) const { return m_path + L"\\" + name; }
  std::vector<std::wstring> Files() const {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    HANDLE h = FindFirstFileW((m_path + L"\\*").c_str(), &data);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
      if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(data.cFileName);
    } while (FindNextFileW(h, &data));
    FindClose(h);
    return names;
  }

 private:
  std::wstring m_path;
};

std::string Narrow(const CString& text) {
  std::string out;
  for (int i = 0; i < text.GetLength(); ++i) out += static_cast<char>(text[i]);
  return out;
}

// The small worksheet of the byte-for-byte tests: the results pane has one line less, and the
// expression pane's last line is empty.
VectorLines SmallWorksheet() {
  return VectorLines({L"x := 2", L"sin(x)*3 // c", L""}, {L"2", L"2.7278922804770"});
}

std::string ExportBytes(ExportSettings settings, ILineSource& lines, const TempFolder& folder) {
  FakeCodeFormatter formatter;
  FakeClassifier classifier;
  settings.FilePath = (folder / L"out.txt").c_str();
  auto lineFormatter = CreateFormatter(settings, &formatter, RGB(0xF0, 0xF0, 0xF0), classifier);
  WriteExport(settings, lines, *lineFormatter);
  return ReadBytes(folder / L"out.txt");
}

// ---- text -----------------------------------------------------------------------------------

TEST(TextExport, EachSettingGivesItsBytes) {
  struct Case {
    const char* name;
    long numberLines;
    long includeResults;
    const wchar_t* separator;
    const char* expected;
  } cases[] = {
      {"numbers and results, tab", 1, 1, L"\t",
       "1:\tx := 2\t2\r\n2:\tsin(x)*3 // c\t2.7278922804770\r\n3:\t\t\r\n"},
      {"no numbers, no results", 0, 0, L"\t", "x := 2\r\nsin(x)*3 // c\r\n\r\n"},
      {"numbers only", 1, 0, L" = ", "1:\tx := 2\r\n2:\tsin(x)*3 // c\r\n3:\t\r\n"},
      {"own separator", 0, 1, L" = ", "x := 2 = 2\r\nsin(x)*3 // c = 2.7278922804770\r\n = \r\n"},
      {"empty separator is a tab", 0, 1, L"", "x := 2\t2\r\nsin(x)*3 // c\t2.7278922804770\r\n\t\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    ExportSettings settings;
    settings.HtmlFormat = 0;
    settings.NumberLines = c.numberLines;
    settings.IncludeResults = c.includeResults;
    settings.Separator = c.separator;
    VectorLines lines = SmallWorksheet();
    EXPECT_EQ(ExportBytes(settings, lines, folder), c.expected);
  }
}

TEST(TextExport, DefaultsAndAnyHtmlValueButOne) {
  ExportSettings settings;
  EXPECT_EQ(settings.IncludeResults, 1);
  EXPECT_EQ(settings.NumberLines, 1);
  EXPECT_EQ(settings.HtmlFormat, 1);
  EXPECT_STREQ(settings.Separator, L"[Tab]");
  EXPECT_TRUE(settings.FilePath.IsEmpty());

  // The separator reaches the file as the dialog handed it over; only 1 selects HTML.
  TempFolder folder;
  settings.HtmlFormat = 2;
  VectorLines lines({L"2+3"}, {L"5"});
  EXPECT_EQ(ExportBytes(settings, lines, folder), "1:\t2+3[Tab]5\r\n");
}

TEST(TextExport, WritesTheAnsiCodePageAndNoDoubledLineEnds) {
  TempFolder folder;
  ExportSettings settings;
  settings.HtmlFormat = 0;
  settings.NumberLines = 0;
  settings.Separator = L"\t";
  VectorLines lines({L"\x00e9 + 1"}, {L"r\r"});  // a stray CR stays a single byte
  char e = 0;
  WideCharToMultiByte(CP_ACP, 0, L"\x00e9", 1, &e, 1, nullptr, nullptr);
  EXPECT_EQ(ExportBytes(settings, lines, folder), std::string(1, e) + " + 1\tr\r\r\n");
}

// ---- HTML -----------------------------------------------------------------------------------

const char kHtmlHead[] =
    "<html>\r\n<head>\r\n<title>PATH</title>\r\n"
    "<meta name=\"GENERATOR\" content=\"Ferrow Software Numbrook 1.0.3\">\r\n"
    "<style>\r\ntable { border-collapse: collapse; }\r\n"
    "td { border-bottom: 1px solid threedlightshadow; }\r\n"
    "body { font-family: Lucida Console;font-size: 10px;background-color: #ffffff;}\r\n"
    ".CalcStyleBracket { color: #000000; background-color: #f0f0f0; font-weight: normal; font-style: normal; text-decoration: none; }\r\n"
    ".CalcStyleComment { color: #332211; background-color: #f0f0f0; font-weight: normal; font-style: italic; text-decoration: none; }\r\n"
    ".CalcStyleConstant { color: #000000; background-color: #f0f0f0; font-weight: normal; font-style: normal; text-decoration: none; }\r\n"
    ".CalcStyleDigitNumber { color: #000080; background-color: #f0f0f0; font-weight: normal; font-style: normal; text-decoration: none; }\r\n"
    ".CalcStyleError { color: #ff0000; background-color: #f0f0f0; font-weight: normal; font-style: normal; text-decoration: none; }\r\n"
    ".CalcStyleFunction { color: #000000; background-color: #ccddee; font-weight: bold; font-style: normal; text-decoration: none; }\r\n"
    ".CalcStyleOperator { color: #0000ff; background-color: #f0f0f0; font-weight: normal; font-style: normal; text-decoration: none; }\r\n"
    ".CalcStyleSpace { color: #000000; background-color: #f0f0f0; font-weight: normal; font-style: normal; text-decoration: none; }\r\n"
    ".CalcStyleLiteral { color: #ff00ff; background-color: #f0f0f0; font-weight: normal; font-style: normal; text-decoration: none; }\r\n"
    ".CalcStyleVariable { color: #000000; background-color: #f0f0f0; font-weight: normal; font-style: normal; text-decoration: underline; }\r\n"
    "\r\n</style>\r\n</head>\r\n<body>\r\n<table border=\"0\" width=\"100%\">\r\n";

const char kHtmlRowsDefault[] =
    "<tr>\r\n<td align=right>1:</td>\r\n<td width=50%>"
    "<span class=\"CalcStyleVariable\">x</span><span class=\"CalcStyleSpace\"> </span>"
    "<span class=\"CalcStyleOperator\">:=</span><span class=\"CalcStyleSpace\"> </span>"
    "<span class=\"CalcStyleDigitNumber\">2</span></td>\r\n<td width=50%>2</td>\r\n</tr>\r\n\r\n"
    "<tr>\r\n<td align=right>2:</td>\r\n<td width=50%>"
    "<span class=\"CalcStyleFunction\">sin</span><span class=\"CalcStyleBracket\">(</span>"
    "<span class=\"CalcStyleVariable\">x</span><span class=\"CalcStyleBracket\">)</span>"
    "<span class=\"CalcStyleOperator\">*</span><span class=\"CalcStyleDigitNumber\">3</span>"
    "<span class=\"CalcStyleSpace\"> </span><span class=\"CalcStyleComment\">// c</span>"
    "</td>\r\n<td width=50%>2.7278922804770</td>\r\n</tr>\r\n\r\n"
    "<tr>\r\n<td align=right>3:</td>\r\n<td width=50%></td>\r\n<td width=50%></td>\r\n</tr>\r\n\r\n";

const char kHtmlRowsBare[] =
    "<tr>\r\n<td width=100%>"
    "<span class=\"CalcStyleVariable\">x</span><span class=\"CalcStyleSpace\"> </span>"
    "<span class=\"CalcStyleOperator\">:=</span><span class=\"CalcStyleSpace\"> </span>"
    "<span class=\"CalcStyleDigitNumber\">2</span></td>\r\n</tr>\r\n\r\n"
    "<tr>\r\n<td width=100%>"
    "<span class=\"CalcStyleFunction\">sin</span><span class=\"CalcStyleBracket\">(</span>"
    "<span class=\"CalcStyleVariable\">x</span><span class=\"CalcStyleBracket\">)</span>"
    "<span class=\"CalcStyleOperator\">*</span><span class=\"CalcStyleDigitNumber\">3</span>"
    "<span class=\"CalcStyleSpace\"> </span><span class=\"CalcStyleComment\">// c</span>"
    "</td>\r\n</tr>\r\n\r\n"
    "<tr>\r\n<td width=100%></td>\r\n</tr>\r\n\r\n";

const char kHtmlFoot[] = "</table>\r\n</body>\r\n</html>\r\n";

TEST(HtmlExport, SmallWorksheetByteForByte) {
  struct Case {
    const char* name;
    long numberLines;
    long includeResults;
    const char* rows;
  } cases[] = {
      {"defaults", 1, 1, kHtmlRowsDefault},
      {"no numbers, no results", 0, 0, kHtmlRowsBare},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    ExportSettings settings;
    settings.NumberLines = c.numberLines;
    settings.IncludeResults = c.includeResults;
    VectorLines lines = SmallWorksheet();
    std::string head = kHtmlHead;
    head.replace(head.find("PATH"), 4, Narrow((folder / L"out.txt").c_str()));
    EXPECT_EQ(ExportBytes(settings, lines, folder), head + c.rows + kHtmlFoot);
  }
}

TEST(HtmlExport, OneSettingAtATimeChangesItsCell) {
  FakeCodeFormatter formatter;
  FakeClassifier classifier;
  struct Case {
    long numberLines;
    long includeResults;
    const char* expected;
  } cases[] = {
      {1, 0, "<tr>\r\n<td align=right>7:</td>\r\n<td width=100%><span class=\"CalcStyleDigitNumber\">1</span></td>\r\n</tr>\r\n"},
      {0, 1, "<tr>\r\n<td width=50%><span class=\"CalcStyleDigitNumber\">1</span></td>\r\n<td width=50%>r</td>\r\n</tr>\r\n"},
  };
  for (const Case& c : cases) {
    ExportSettings settings;
    settings.NumberLines = c.numberLines;
    settings.IncludeResults = c.includeResults;
    CHtmlLineFormatter html(settings, &formatter, 0, classifier);
    EXPECT_EQ(Narrow(html.FormatLine(6, L"1", L"r")), c.expected);
  }
}

TEST(HtmlExport, StyleSheetColours) {
  FakeClassifier classifier;
  ExportSettings settings;
  struct Case {
    const char* name;
    unsigned long commonBack;
    COLORREF defaultBack;
    const char* body;
    const char* bracketBack;
  } cases[] = {
      {"automatic common back is white", AutoColor, RGB(1, 2, 3), "background-color: #ffffff;", "background-color: #010203;"},
      {"colours are written as rrggbb", RGB(0x12, 0x34, 0x56), RGB(0xAB, 0, 0xCD), "background-color: #123456;", "background-color: #ab00cd;"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeCodeFormatter formatter;
    formatter.commonBack = c.commonBack;
    CHtmlLineFormatter html(settings, &formatter, c.defaultBack, classifier);
    const std::string sheet = Narrow(html.StyleSheet());
    EXPECT_NE(sheet.find(std::string("font-size: 10px;") + c.body), std::string::npos) << sheet;
    EXPECT_NE(sheet.find(std::string(".CalcStyleBracket { color: #000000; ") + c.bracketBack), std::string::npos) << sheet;
  }
}

TEST(HtmlExport, ExpressionTokensAndTheirClasses) {
  FakeCodeFormatter formatter;
  FakeClassifier classifier;
  ExportSettings settings;
  CHtmlLineFormatter html(settings, &formatter, 0, classifier);
  struct Case {
    const wchar_t* expression;
    const char* expected;
  } cases[] = {
      // A stray character gets the class without a rule of its own.
      {L"a#", "<span class=\"CalcStyleError\">a</span><span class=\"CalcStyleUnknown\">#</span>"},
      // Styles without a class (4, 32) are written as bare text.
      {L"blank odd", "blank<span class=\"CalcStyleSpace\"> </span>odd"},
      {L"pi mod 'txt'", "<span class=\"CalcStyleConstant\">pi</span><span class=\"CalcStyleSpace\"> </span>"
                        "<span class=\"CalcStyleOperator\">mod</span><span class=\"CalcStyleSpace\"> </span>"
                        "<span class=\"CalcStyleLiteral\">&#39;txt&#39;</span>"},
      {L"0x1G", "<span class=\"CalcStyleDigitNumber\">0</span><span class=\"CalcStyleError\">x1G</span>"},
      {L"", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Narrow(html.ColourExpression(c.expression)), c.expected) << Narrow(c.expression);
  }
}

TEST(HtmlExport, EscapesExpressionsResultsAndTitle) {
  TempFolder folder;
  FakeCodeFormatter formatter;
  FakeClassifier classifier;
  ExportSettings settings;
  settings.FilePath = (folder / L"R&D <\"1\">.html").c_str();
  VectorLines lines({L"x<2 & \"s>\""}, {L"<b>&'"});
  CHtmlLineFormatter html(settings, &formatter, 0, classifier);
  // Quotes and angle brackets are not allowed in Windows file names: the title is checked on
  // the header alone and the file goes to a name the system accepts.
  const std::string header = Narrow(html.Header());
  EXPECT_NE(header.find("R&amp;D &lt;&quot;1&quot;&gt;.html</title>"), std::string::npos) << header;

  settings.FilePath = (folder / L"R&D.html").c_str();
  CHtmlLineFormatter writer(settings, &formatter, 0, classifier);
  WriteExport(settings, lines, writer);
  const std::string bytes = ReadBytes(folder / L"R&D.html");
  EXPECT_NE(bytes.find("R&amp;D.html</title>"), std::string::npos);
  EXPECT_NE(bytes.find("<span class=\"CalcStyleVariable\">x</span><span class=\"CalcStyleOperator\">&lt;</span>"
                       "<span class=\"CalcStyleDigitNumber\">2</span><span class=\"CalcStyleSpace\"> </span>"
                       "<span class=\"CalcStyleOperator\">&amp;</span><span class=\"CalcStyleSpace\"> </span>"
                       "<span class=\"CalcStyleLiteral\">&quot;s&gt;&quot;</span>"),
            std::string::npos)
      << bytes;
  EXPECT_NE(bytes.find("<td width=50%>&lt;b&gt;&amp;&#39;</td>"), std::string::npos) << bytes;
  EXPECT_EQ(bytes.find("<b>"), std::string::npos);
}

TEST(HtmlExport, FormatterFailureIsAComErrorAndWritesNothing) {
  TempFolder folder;
  FakeCodeFormatter formatter;
  FakeClassifier classifier;
  formatter.failCharFormat = true;
  ExportSettings settings;
  settings.FilePath = (folder / L"out.html").c_str();
  VectorLines lines({L"1"}, {L"1"});
  auto html = CreateFormatter(settings, &formatter, 0, classifier);
  try {
    WriteExport(settings, lines, *html);
    FAIL() << "no error";
  } catch (const _com_error& e) {
    EXPECT_EQ(e.Error(), E_FAIL);
  }
  EXPECT_TRUE(folder.Files().empty());

  CHtmlLineFormatter noFormatter(settings, nullptr, 0, classifier);
  EXPECT_THROW(noFormatter.Header(), _com_error);
}

// ---- lines ----------------------------------------------------------------------------------

TEST(ExportLines, TrailingBlanksAreRemovedOnlyAtTheEnd) {
  EXPECT_STREQ(TrimLineEnd(L"  1 + 2 \t\r\n"), L"  1 + 2");
  EXPECT_STREQ(TrimLineEnd(L" \r\n"), L"");
  EXPECT_STREQ(TrimLineEnd(L"a\tb"), L"a\tb");
}

TEST(ExportLines, LexemeClassesMapToEditorStyles) {
  const int styles[] = {9, 1, 2, 3, 0, 5, 6, 7, 8, 34, 10};
  for (long type = LexemeTypeMin; type <= LexemeTypeMax; ++type) {
    EXPECT_EQ(StyleOfLexemeType(type), styles[type]) << type;
  }
  EXPECT_EQ(StyleOfLexemeType(11), 32);
  EXPECT_EQ(CssClassOfStyle(4), nullptr);
  EXPECT_EQ(CssClassOfStyle(32), nullptr);
  EXPECT_EQ(CssClassOfStyle(34), nullptr);
}

// ---- failures -------------------------------------------------------------------------------

TEST(ExportFailure, TargetThatCannotBeWrittenIsReportedAndLeftAlone) {
  TempFolder folder;
  WriteBytes(folder / L"locked.txt", "old");
  SetFileAttributesW((folder / L"locked.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  CreateDirectoryW((folder / L"dir").c_str(), nullptr);

  struct Case {
    const char* name;
    std::wstring path;
  } cases[] = {
      {"missing folder", folder / L"no such folder\\out.txt"},
      {"read-only file", folder / L"locked.txt"},
      {"folder", folder / L"dir"},
      {"empty path", L""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ExportSettings settings;
    settings.HtmlFormat = 0;
    settings.FilePath = c.path.c_str();
    CTextLineFormatter text(settings);
    VectorLines lines({L"1"}, {L"1"});
    try {
      WriteExport(settings, lines, text);
      FAIL() << "no error";
    } catch (const Exception& e) {
      EXPECT_EQ(e.GetCode(), ErrorCannotOpen);
    }
    EXPECT_EQ(folder.Files(), std::vector<std::wstring>{L"locked.txt"});
  }
  EXPECT_EQ(ReadBytes(folder / L"locked.txt"), "old");
}

TEST(ExportFailure, FailureHalfwayKeepsTheOldFileAndLeavesNoTemporaryFile) {
  TempFolder folder;
  WriteBytes(folder / L"out.txt", "previous export");
  ExportSettings settings;
  settings.HtmlFormat = 0;
  settings.NumberLines = 0;
  settings.IncludeResults = 0;
  settings.FilePath = (folder / L"out.txt").c_str();
  CTextLineFormatter text(settings);
  std::vector<std::wstring> many(5000, std::wstring(40, L'7'));  // past the write buffer
  VectorLines lines(many, {});
  lines.throwAt = 4000;
  EXPECT_THROW(WriteExport(settings, lines, text), std::runtime_error);
  EXPECT_EQ(ReadBytes(folder / L"out.txt"), "previous export");
  EXPECT_EQ(folder.Files(), std::vector<std::wstring>{L"out.txt"});

  // The same export without the failure replaces the old file.
  lines.throwAt = -1;
  WriteExport(settings, lines, text);
  const std::string bytes = ReadBytes(folder / L"out.txt");
  EXPECT_EQ(bytes.size(), 5000u * (40 + 2));
  EXPECT_EQ(bytes.substr(0, 42), std::string(40, '7') + "\r\n");
  EXPECT_EQ(folder.Files(), std::vector<std::wstring>{L"out.txt"});
}

TEST(ExportFile, BareNameIsWrittenInTheCurrentFolder) {
  TempFolder folder;
  wchar_t previous[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, previous);
  ASSERT_TRUE(SetCurrentDirectoryW((folder / L"").c_str()));
  ExportSettings settings;
  settings.HtmlFormat = 0;
  settings.NumberLines = 0;
  settings.IncludeResults = 0;
  settings.FilePath = L"bare.txt";
  CTextLineFormatter text(settings);
  VectorLines lines({L"1"}, {});
  WriteExport(settings, lines, text);
  SetCurrentDirectoryW(previous);
  EXPECT_EQ(ReadBytes(folder / L"bare.txt"), "1\r\n");
  EXPECT_EQ(folder.Files(), std::vector<std::wstring>{L"bare.txt"});
}

TEST(ExportFailure, WriterAfterCommitRefusesMoreText) {
  TempFolder folder;
  CFileWriter writer((folder / L"w.txt").c_str());
  writer.Write(L"a");
  writer.WriteLine();
  writer.Commit();
  EXPECT_EQ(ReadBytes(folder / L"w.txt"), "a\r\n");
  try {
    writer.Write(L"b");
    FAIL() << "no error";
  } catch (const Exception& e) {
    EXPECT_EQ(e.GetCode(), ErrorWriteFailed);
  }
  EXPECT_EQ(ReadBytes(folder / L"w.txt"), "a\r\n");
}

}  // namespace
