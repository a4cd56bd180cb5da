// The export over the two panes of the worksheet: the expression pane's lines beside the
// results pane's, written with the options the export dialog handed back.
#pragma once

#include "CalcExport.h"

class CScintillaWnd;
class CWnd;

// Line i of the expression pane and line i of the results pane, trailing blanks removed. The
// expression pane decides the number of lines; a results pane with fewer lines (or none)
// gives empty results.
class CPaneLineSource : public CalcExport::ILineSource {
 public:
  CPaneLineSource(CScintillaWnd& expressions, CScintillaWnd* results)
      : m_expressions(expressions), m_results(results) {}
  int GetLineCount() override;
  CString GetExpressionLine(int line) override;
  CString GetResultLine(int line) override;

 private:
  CScintillaWnd& m_expressions;
  CScintillaWnd* m_results;
};

// Writes settings.FilePath from the panes; the HTML page takes its styles from `formatter`
// and the default back colour from the expression pane's default style. A file that cannot
// be written is reported in a message box owned by `owner` (strings 2025 and 2026) and
// answers false; the target is then left as it was. A failing ICodeFormatter call is raised
// as _com_error.
bool ExportPanes(CWnd* owner, const ExportSettings& settings, CScintillaWnd& expressions,
                 CScintillaWnd* results, ICodeFormatter* formatter,
                 numbrook::IWordClassifier& classifier);
