#include "WorksheetPrintFormatter.h"

#include <algorithm>

#include "ScintillaColorerView.h"

CWorksheetPrintFormatter::CWorksheetPrintFormatter(CPrintInfo* pInfo, CScintillaColorerView* pView,
                                                   CScintillaColorerView* pResultsView)
    : CPrintFormatter(pInfo, pView) {
  if (pResultsView == nullptr) return;
  m_pResultsFormatter = pResultsView->CreatePrintFormatter(pInfo);
  // The results column sets the job's pages for itself alone: the longer column decides.
  const int nResultsPages = m_pResultsFormatter != nullptr ? m_pResultsFormatter->PageCount() : 1;
  SetJobPages(std::max(PageCount(), nResultsPages));
}

CWorksheetPrintFormatter::~CWorksheetPrintFormatter() { delete m_pResultsFormatter; }

int CWorksheetPrintFormatter::FormatPage(HDC hDC, const CRect& rectBody, const CRect& rectPage) {
  if (m_pResultsFormatter == nullptr) return CPrintFormatter::FormatPage(hDC, rectBody, rectPage);
  const int h = (rectBody.right - rectBody.left) / 2;
  CRect rectLeft = rectBody, rectRight = rectBody;
  rectLeft.right -= h;
  rectRight.left += h;
  CPrintFormatter::FormatPage(hDC, rectLeft, rectPage);
  const int nEnd = m_pResultsFormatter->FormatPage(hDC, rectRight, rectPage);
  // The job goes on while either column has lines left.
  m_pInfo->m_bContinuePrinting = !(HasEnded() && m_pResultsFormatter->HasEnded());
  return nEnd;
}

void CWorksheetPrintFormatter::DrawHeader(HDC hDC, const CRect& rectHeader) {
  const int f = PointsToPixels(16);
  HFONT hFont = ::CreateFontW(f, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, 0, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                              DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"Arial");
  HGDIOBJ hOldFont = ::SelectObject(hDC, hFont);
  const int nOldMode = ::SetBkMode(hDC, TRANSPARENT);

  CString title;
  if (CDocument* pDoc = m_pView->GetDocument()) title = pDoc->GetTitle();
  if (title.IsEmpty()) title.LoadString(IDS_PRINT_UNTITLED);
  ::TextOutW(hDC, rectHeader.left, rectHeader.bottom - f, title, title.GetLength());

  CString format, page;
  format.LoadString(IDS_PRINT_PAGE_OF);
  page.Format(format, (int)GetCurrentPage(), (int)m_pInfo->GetMaxPage());
  SIZE size = {};
  ::GetTextExtentPoint32W(hDC, page, page.GetLength(), &size);
  ::TextOutW(hDC, rectHeader.right - size.cx, rectHeader.bottom - f, page, page.GetLength());

  ::SelectObject(hDC, hOldFont);
  ::DeleteObject(hFont);
  ::SetBkMode(hDC, nOldMode);
}
