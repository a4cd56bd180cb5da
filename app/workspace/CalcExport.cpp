#include "CalcExport.h"

#include "ExpressionLexer.h"
#include "FwComSupport.h"
#include "SafeReplace.h"

namespace CalcExport {

namespace {

const wchar_t kGenerator[] = L"Ferrow Software Numbrook 1.0.3";

// The write buffer goes to the file whenever it grows past this size.
const size_t kFlushSize = 64 * 1024;

CString Number(long value) {
  CString text;
  text.Format(L"%ld", value);
  return text;
}

}  // namespace

CString TrimLineEnd(const CString& text) {
  CString trimmed(text);
  trimmed.TrimRight(L" \r\n\t");
  return trimmed;
}

CString EscapeHtml(const CString& text) {
  CString escaped;
  escaped.Preallocate(text.GetLength());
  for (int i = 0; i < text.GetLength(); ++i) {
    const wchar_t c = text[i];
    switch (c) {
      case L'&': escaped += L"&amp;"; break;
      case L'<': escaped += L"&lt;"; break;
      case L'>': escaped += L"&gt;"; break;
      case L'"': escaped += L"&quot;"; break;
      case L'\'': escaped += L"&#39;"; break;
      default: escaped += c; break;
    }
  }
  return escaped;
}

CString HtmlColour(COLORREF colour) {
  const unsigned long rgb = (static_cast<unsigned long>(GetRValue(colour)) << 16) |
                            (static_cast<unsigned long>(GetGValue(colour)) << 8) |
                            GetBValue(colour);
  CString text;
  text.Format(L"#%.6lx", rgb);
  return text;
}

LPCWSTR CssClassOfStyle(int style) {
  switch (style) {
    case 0: return L"CalcStyleSpace";
    case 1: return L"CalcStyleConstant";
    case 2: return L"CalcStyleVariable";
    case 3: return L"CalcStyleOperator";
    case 5: return L"CalcStyleBracket";
    case 6: return L"CalcStyleDigitNumber";
    case 7: return L"CalcStyleComment";
    case 8: return L"CalcStyleError";
    case 9: return L"CalcStyleFunction";
    case 10: return L"CalcStyleLiteral";
    case numbrook::StyleStray: return L"CalcStyleUnknown";
    default: return nullptr;
  }
}

int StyleOfLexemeType(long type) {
  switch (type) {
    case LexemeTypeFunction: return 9;
    case LexemeTypeSeparator: return 0;
    case LexemeTypeBracketsHilight: return 34;
    case LexemeTypeConstant:
    case LexemeTypeVariable:
    case LexemeTypeOperator:
    case LexemeTypeBracket:
    case LexemeTypeDigitNumber:
    case LexemeTypeComment:
    case LexemeTypeError:
    case LexemeTypeString:
      return static_cast<int>(type);
    default:
      return numbrook::StyleDefault;
  }
}

COLORREF DefaultForeColour(long type) {
  switch (type) {
    case LexemeTypeOperator: return DefaultForeColorLexemeOperator;
    case LexemeTypeDigitNumber: return DefaultForeColorLexemeDigitNumber;
    case LexemeTypeComment: return DefaultForeColorLexemeComment;
    case LexemeTypeError: return DefaultForeColorLexemeError;
    case LexemeTypeString: return DefaultForeColorLexemeString;
    default: return 0;
  }
}

// ---- text ---------------------------------------------------------------------------------

CString CTextLineFormatter::FormatLine(int line, const CString& expression, const CString& result) {
  CString text;
  if (m_settings.NumberLines) text.Format(L"%i:\t", line + 1);
  text += expression;
  if (m_settings.IncludeResults) {
    if (m_settings.Separator.IsEmpty()) {
      text += L'\t';
    } else {
      text += m_settings.Separator;
    }
    text += result;
  }
  return text;
}

// ---- HTML ---------------------------------------------------------------------------------

namespace {

class CommonFormatHolder {
 public:
  CommonFormatHolder() { ZeroMemory(&m_format, sizeof(m_format)); }
  ~CommonFormatHolder() { SysFreeString(m_format.CcfFontName); }
  CodeCommonFormat* operator&() { return &m_format; }
  const CodeCommonFormat& operator*() const { return m_format; }

 private:
  CodeCommonFormat m_format;
};

void CheckFormatter(HRESULT hr, ICodeFormatter* formatter) {
  if (FAILED(hr)) _com_issue_errorex(hr, formatter, IID_ICodeFormatter);
}

}  // namespace

CHtmlLineFormatter::CHtmlLineFormatter(const ExportSettings& settings, ICodeFormatter* formatter,
                                       COLORREF defaultBack,
                                       numbrook::IWordClassifier& classifier)
    : m_settings(settings),
      m_formatter(formatter),
      m_defaultBack(defaultBack),
      m_classifier(classifier) {}

CString CHtmlLineFormatter::ClassRule(long type) {
  CharFormat format = {};
  CheckFormatter(m_formatter->GetCharFormat(static_cast<LexemeType>(type), &format), m_formatter);
  const COLORREF back = format.CfBackColor == AutoColor ? m_defaultBack : format.CfBackColor;
  const COLORREF fore = format.CfForeColor == AutoColor ? DefaultForeColour(type) : format.CfForeColor;

  CString rule(L".");
  rule += CssClassOfStyle(StyleOfLexemeType(type));
  rule += L" { color: ";
  rule += HtmlColour(fore);
  rule += L"; background-color: ";
  rule += HtmlColour(back);
  rule += L"; font-weight: ";
  rule += format.CfBold ? L"bold" : L"normal";
  rule += L"; font-style: ";
  rule += format.CfItalic ? L"italic" : L"normal";
  rule += L"; text-decoration: ";
  rule += format.CfUnderline != UnderlineTypeNone ? L"underline" : L"none";
  rule += L"; }\r\n";
  return rule;
}

CString CHtmlLineFormatter::StyleSheet() {
  if (m_formatter == nullptr) _com_issue_error(E_POINTER);
  CommonFormatHolder common;
  CheckFormatter(m_formatter->GetCommonFormat(&common), m_formatter);

  CString sheet(L"body { font-family: ");
  if ((*common).CcfFontName != nullptr) sheet += (*common).CcfFontName;
  sheet += L";font-size: ";
  sheet += Number((*common).CcfFontHeight / 20);
  sheet += L"px;background-color: ";
  sheet += HtmlColour((*common).CcfBackColor);
  sheet += L";}\r\n";

  static const long kOrder[] = {
      LexemeTypeBracket,  LexemeTypeComment,  LexemeTypeConstant,  LexemeTypeDigitNumber,
      LexemeTypeError,    LexemeTypeFunction, LexemeTypeOperator,  LexemeTypeSeparator,
      LexemeTypeString,   LexemeTypeVariable,
  };
  for (long type : kOrder) sheet += ClassRule(type);
  return sheet;
}

CString CHtmlLineFormatter::Header() {
  CString header(L"<html>\r\n<head>\r\n<title>");
  header += EscapeHtml(m_settings.FilePath);
  header += L"</title>\r\n<meta name=\"GENERATOR\" content=\"";
  header += kGenerator;
  header +=
      L"\">\r\n<style>\r\ntable { border-collapse: collapse; }\r\n"
      L"td { border-bottom: 1px solid threedlightshadow; }\r\n";
  header += StyleSheet();
  header += L"\r\n</style>\r\n</head>\r\n<body>\r\n<table border=\"0\" width=\"100%\">\r\n";
  return header;
}

CString CHtmlLineFormatter::ColourExpression(const CString& expression) {
  const std::wstring& text = expression.str();
  numbrook::TokenCursor cur(text);
  CString html;
  while (numbrook::NextToken(cur)) {
    const std::wstring token = text.substr(cur.Position - cur.TokenLength, cur.TokenLength);
    const int style = cur.Kind == numbrook::TkName ? m_classifier.ClassifyWord(token)
                                                   : numbrook::StyleOfToken(cur.Kind);
    const LPCWSTR cls = CssClassOfStyle(style);
    if (cls == nullptr) {
      html += EscapeHtml(CString(token));
      continue;
    }
    html += L"<span class=\"";
    html += cls;
    html += L"\">";
    html += EscapeHtml(CString(token));
    html += L"</span>";
  }
  return html;
}

CString CHtmlLineFormatter::FormatLine(int line, const CString& expression, const CString& result) {
  CString row(L"<tr>\r\n");
  if (m_settings.NumberLines) {
    row += L"<td align=right>";
    row += Number(line + 1);
    row += L":</td>\r\n";
  }
  row += m_settings.IncludeResults ? L"<td width=50%>" : L"<td width=100%>";
  row += ColourExpression(expression);
  row += L"</td>\r\n";
  if (m_settings.IncludeResults) {
    row += L"<td width=50%>";
    row += EscapeHtml(result);
    row += L"</td>\r\n";
  }
  row += L"</tr>\r\n";
  return row;
}

CString CHtmlLineFormatter::Footer() {
  return CString(L"</table>\r\n</body>\r\n</html>\r\n");
}

// ---- file ---------------------------------------------------------------------------------

CFileWriter::CFileWriter(const CString& path) : m_path(path) {
  if (path.IsEmpty() || !TargetReplaceable(path)) throw Exception(ErrorCannotOpen);
  if (!MakeTempBeside(path, L"nbx", m_tempPath)) throw Exception(ErrorCannotOpen);
  m_file = CreateFileW(m_tempPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (m_file == INVALID_HANDLE_VALUE) {
    Discard();
    throw Exception(ErrorCannotOpen);
  }
}

CFileWriter::~CFileWriter() { Discard(); }

void CFileWriter::Discard() {
  if (m_file != INVALID_HANDLE_VALUE) {
    CloseHandle(m_file);
    m_file = INVALID_HANDLE_VALUE;
  }
  if (!m_tempPath.IsEmpty()) {
    DeleteFileW(m_tempPath);
    m_tempPath.Empty();
  }
}

void CFileWriter::Write(const CString& text) {
  if (m_file == INVALID_HANDLE_VALUE) throw Exception(ErrorWriteFailed);
  const int length = text.GetLength();
  if (length == 0) return;
  const int bytes = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) throw Exception(ErrorWriteFailed);
  const size_t at = m_buffer.size();
  m_buffer.resize(at + static_cast<size_t>(bytes));
  if (WideCharToMultiByte(CP_ACP, 0, text, length, &m_buffer[at], bytes, nullptr, nullptr) != bytes) {
    throw Exception(ErrorWriteFailed);
  }
  if (m_buffer.size() >= kFlushSize) Flush();
}

void CFileWriter::WriteLine() {
  if (m_file == INVALID_HANDLE_VALUE) throw Exception(ErrorWriteFailed);
  m_buffer += "\r\n";
  if (m_buffer.size() >= kFlushSize) Flush();
}

void CFileWriter::Flush() {
  size_t done = 0;
  while (done < m_buffer.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(m_buffer.size() - done, 1u << 20));
    DWORD written = 0;
    if (!WriteFile(m_file, m_buffer.data() + done, chunk, &written, nullptr) || written == 0) {
      throw Exception(ErrorWriteFailed);
    }
    done += written;
  }
  m_buffer.clear();
}

void CFileWriter::Commit() {
  if (m_file == INVALID_HANDLE_VALUE) throw Exception(ErrorWriteFailed);
  Flush();
  const BOOL flushed = FlushFileBuffers(m_file);
  const BOOL closed = CloseHandle(m_file);
  m_file = INVALID_HANDLE_VALUE;
  if (!flushed || !closed) throw Exception(ErrorWriteFailed);
  if (!ReplaceWithTemp(m_tempPath, m_path)) throw Exception(ErrorWriteFailed);
  m_tempPath.Empty();
}

// ---- the export ---------------------------------------------------------------------------

std::unique_ptr<ILineFormatter> CreateFormatter(const ExportSettings& settings,
                                                ICodeFormatter* formatter, COLORREF defaultBack,
                                                numbrook::IWordClassifier& classifier) {
  if (settings.HtmlFormat == 1) {
    return std::make_unique<CHtmlLineFormatter>(settings, formatter, defaultBack, classifier);
  }
  return std::make_unique<CTextLineFormatter>(settings);
}

void WriteExport(const ExportSettings& settings, ILineSource& lines, ILineFormatter& formatter) {
  CFileWriter writer(settings.FilePath);
  writer.Write(formatter.Header());
  const int count = lines.GetLineCount();
  for (int i = 0; i < count; ++i) {
    writer.Write(formatter.FormatLine(i, lines.GetExpressionLine(i), lines.GetResultLine(i)));
    writer.WriteLine();
  }
  writer.Write(formatter.Footer());
  writer.Commit();
}

}  // namespace CalcExport
