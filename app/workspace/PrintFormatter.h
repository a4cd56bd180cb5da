// CPrintFormatter: lays one pane's text out on printed pages through the editing control's
// range formatting, with half-inch margins and a header band above the text. The view creates
// it when a print job is prepared, hands it every page and deletes it when the job ends.
#pragma once

#include "Framework.h"

#include <vector>

class CScintillaColorerView;

// Resource library strings of the printed header.
#define IDS_PRINT_PAGE_OF 2032   // "Page %d of %d": the current page and the page count
#define IDS_PRINT_UNTITLED 61443 // the title of a document that has none

class CPrintFormatter {
public:
  // Lays the pane's whole text out for the job's printer and sets the job's page range.
  CPrintFormatter(CPrintInfo* pInfo, CScintillaColorerView* pView);
  virtual ~CPrintFormatter();

  virtual CRect GetPageRect();
  // Left, top, right and bottom margins in printer pixels (held in a rectangle's four sides).
  virtual CRect GetMargins();
  virtual CRect GetHeaderRect(const CRect& rectPage, const CRect& rectMargins);
  virtual CRect GetBodyRect(const CRect& rectPage, const CRect& rectMargins, const CRect& rectHeader);
  virtual int GetLineHeight();
  // Lines of the pane's text that fit on one page of the printer.
  virtual int LinesPerPage();
  // Pages the pane's text takes on the printer (at least 1).
  virtual int PageCount();
  virtual int GetLineCount();
  virtual UINT GetCurrentPage();
  // Draws the current page's part of the text into the body; answers where the page ends.
  virtual int FormatPage(HDC hDC, const CRect& rectBody, const CRect& rectPage);
  virtual void DrawHeader(HDC hDC, const CRect& rectHeader);
  virtual int PointsToPixels(int nPoints);

  // One page of the job: the rectangles, then the text and the header.
  void PrintPage(CDC* pDC);
  // The text position where page nPage (1-based) starts; the text length past the last page.
  int PageStart(UINT nPage) const;
  BOOL HasEnded() const { return m_bEnded; }
  HDC GetPrinterDC() const { return m_hPrinterDC; }

protected:
  // The job's pages become 1 to nPages; a range chosen in the print dialog stays, cut to them.
  void SetJobPages(int nPages);
  // Lays the text out page by page for the printer; the page starts of m_pageStarts.
  void Paginate();
  // Formats (bDraw) or measures the text from nStart up to nEnd into the body; answers where it
  // stopped.
  int FormatRange(HDC hDC, const CRect& rectBody, const CRect& rectPage, int nStart, int nEnd, BOOL bDraw);

  BOOL m_bDraw = FALSE;            // non-zero once construction is complete: pages are drawn
  int m_nTextLength = 0;           // the pane's text length when the job was prepared
  std::vector<int> m_pageStarts;   // entry n: where page n + 1 starts, laid out for the printer
  CPrintInfo* m_pInfo;
  CScintillaColorerView* m_pView;
  HDC m_hPrinterDC = nullptr;      // the job's printer DC (the print dialog's or the job's own)
  BOOL m_bEnded = FALSE;           // the last page formatted reached the end of the text
  UINT m_nUserFromPage = 1;        // the range of the print dialog before this job's pages were set
  UINT m_nUserToPage = 0xFFFF;
};
