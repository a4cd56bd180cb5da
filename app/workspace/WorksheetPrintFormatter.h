// CWorksheetPrintFormatter: the worksheet printed as two columns, the expression pane's lines on
// the left half of each page and the results pane's on the right, under a header with the
// document's title and the page number. Each column keeps its own page layout and continues on
// the next page where it stopped; the job has as many pages as the longer column needs.
#pragma once

#include "PrintFormatter.h"

class CWorksheetPrintFormatter : public CPrintFormatter {
public:
  // pResultsView null: the expression pane prints alone.
  CWorksheetPrintFormatter(CPrintInfo* pInfo, CScintillaColorerView* pView, CScintillaColorerView* pResultsView);
  ~CWorksheetPrintFormatter() override;

  int FormatPage(HDC hDC, const CRect& rectBody, const CRect& rectPage) override;
  void DrawHeader(HDC hDC, const CRect& rectHeader) override;

  CPrintFormatter* GetResultsFormatter() const { return m_pResultsFormatter; }

protected:
  CPrintFormatter* m_pResultsFormatter = nullptr;  // owned
};
