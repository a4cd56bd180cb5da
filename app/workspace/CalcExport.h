// Text and HTML export of the worksheet: each expression line beside its result, written as
// plain text or as an HTML table whose expressions carry the editor's colours.
//
// The pieces are plain objects over plain inputs so that they run without windows: a line
// source (the two panes, or anything else), a line formatter (text or HTML) and a file
// writer. The writer fills a temporary file in the target's folder and puts it in place of
// the target only when everything was written, so a failed export never leaves a partial
// file behind and never damages the file it was to replace.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "FwString.h"
#include "NumbrookLib.h"

namespace numbrook {
class IWordClassifier;
}

// The options handed between the export dialog and the writer.
struct ExportSettings {
  long IncludeResults = 1;  // the result of each line beside its expression
  long NumberLines = 1;     // the line number in front of each line
  CString Separator;        // between expression and result in the text format
  long HtmlFormat = 1;      // 1: HTML page; otherwise plain text
  CString FilePath;         // the output file

  ExportSettings() : Separator(L"[Tab]") {}
};

namespace CalcExport {

enum ErrorCode {
  ErrorCannotOpen = 0,   // the file cannot be opened for writing
  ErrorWriteFailed = 1,  // writing or putting the finished file in place failed
};

// The failure raised by the writer.
class Exception {
 public:
  explicit Exception(long code) : m_code(code) {}
  long GetCode() const { return m_code; }

 private:
  long m_code;
};

// The lines of the worksheet: expression i and result i, trailing blanks already removed.
class ILineSource {
 public:
  virtual ~ILineSource() = default;
  virtual int GetLineCount() = 0;
  virtual CString GetExpressionLine(int line) = 0;
  virtual CString GetResultLine(int line) = 0;
};

// Turns the lines into the text of the file.
class ILineFormatter {
 public:
  virtual ~ILineFormatter() = default;
  virtual CString Header() = 0;
  virtual CString FormatLine(int line, const CString& expression, const CString& result) = 0;
  virtual CString Footer() = 0;
};

// Removes every trailing space, CR, LF and tab.
CString TrimLineEnd(const CString& text);

// &, <, >, " and ' as character references.
CString EscapeHtml(const CString& text);

// A COLORREF (0x00BBGGRR) as "#rrggbb".
CString HtmlColour(COLORREF colour);

// The CSS class of an editor style, or null when the style has none.
LPCWSTR CssClassOfStyle(int style);

// The editor style of a lexeme class (LexemeTypeBracketsHilight 34, unknown classes 32).
int StyleOfLexemeType(long type);

// The fore colour a lexeme class has when its own is AutoColor.
COLORREF DefaultForeColour(long type);

class CTextLineFormatter : public ILineFormatter {
 public:
  explicit CTextLineFormatter(const ExportSettings& settings) : m_settings(settings) {}
  CString Header() override { return CString(); }
  CString FormatLine(int line, const CString& expression, const CString& result) override;
  CString Footer() override { return CString(); }

 private:
  ExportSettings m_settings;
};

// Colours the expressions with the lexer and names the CSS classes by editor style. The
// styles come from the expression pane's ICodeFormatter; `defaultBack` is the back colour of
// the editor's default style, which stands for a lexeme class without a back colour of its
// own. A failing ICodeFormatter call is raised as _com_error.
class CHtmlLineFormatter : public ILineFormatter {
 public:
  CHtmlLineFormatter(const ExportSettings& settings, ICodeFormatter* formatter,
                     COLORREF defaultBack, numbrook::IWordClassifier& classifier);
  CString Header() override;
  CString FormatLine(int line, const CString& expression, const CString& result) override;
  CString Footer() override;

  CString StyleSheet();
  CString ColourExpression(const CString& expression);

 private:
  CString ClassRule(long type);

  ExportSettings m_settings;
  ICodeFormatter* m_formatter;
  COLORREF m_defaultBack;
  numbrook::IWordClassifier& m_classifier;
};

// Writes UTF-16 text as ANSI (the system code page) bytes into a temporary file beside the
// target; Commit puts it in place of the target. Destroyed uncommitted, it removes the
// temporary file and leaves the target as it was.
class CFileWriter {
 public:
  // Raises Exception(ErrorCannotOpen) when the target cannot be written.
  explicit CFileWriter(const CString& path);
  ~CFileWriter();
  CFileWriter(const CFileWriter&) = delete;
  CFileWriter& operator=(const CFileWriter&) = delete;

  void Write(const CString& text);
  void WriteLine();  // CR LF
  // Raises Exception(ErrorWriteFailed) when the data or the replacement of the target failed.
  void Commit();

 private:
  void Flush();
  void Discard();

  CString m_path;
  CString m_tempPath;
  HANDLE m_file = INVALID_HANDLE_VALUE;
  std::string m_buffer;
};

// The text formatter, or the HTML one when settings.HtmlFormat is 1.
std::unique_ptr<ILineFormatter> CreateFormatter(const ExportSettings& settings,
                                                ICodeFormatter* formatter, COLORREF defaultBack,
                                                numbrook::IWordClassifier& classifier);

// Writes the whole file at settings.FilePath: header, one formatted line and CR LF per line
// of the source, footer. Raises Exception; the target is then unchanged.
void WriteExport(const ExportSettings& settings, ILineSource& lines, ILineFormatter& formatter);

}  // namespace CalcExport
