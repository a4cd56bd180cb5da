#include "CalcExportPanes.h"

#include "ExpressionLexer.h"
#include "MainInterface.h"
#include "ScintillaWnd.h"

namespace {

const UINT IDS_EXPORT_NOT_WRITTEN = 2025;
const UINT IDS_EXPORT_CAPTION = 2026;

// The editor's style that stands for text without a style of its own.
const int kDefaultStyle = 32;

}  // namespace

int CPaneLineSource::GetLineCount() { return m_expressions.GetLineCount(); }

CString CPaneLineSource::GetExpressionLine(int line) {
  return CalcExport::TrimLineEnd(m_expressions.GetLine(line));
}

CString CPaneLineSource::GetResultLine(int line) {
  if (m_results == nullptr || line >= m_results->GetLineCount()) return CString();
  return CalcExport::TrimLineEnd(m_results->GetLine(line));
}

bool ExportPanes(CWnd* owner, const ExportSettings& settings, CScintillaWnd& expressions,
                 CScintillaWnd* results, ICodeFormatter* formatter,
                 numbrook::IWordClassifier& classifier) {
  try {
    CPaneLineSource lines(expressions, results);
    auto lineFormatter = CalcExport::CreateFormatter(
        settings, formatter, expressions.GetStyleBack(kDefaultStyle), classifier);
    CalcExport::WriteExport(settings, lines, *lineFormatter);
    return true;
  } catch (const CalcExport::Exception&) {
    ResourceMessageBox(owner != nullptr ? owner->GetSafeHwnd() : nullptr, IDS_EXPORT_NOT_WRITTEN,
                       IDS_EXPORT_CAPTION, MB_ICONERROR);
    return false;
  }
}
