#include "PrintFormatter.h"

#include <algorithm>

#include "EditorMessages.h"
#include "ScintillaColorerView.h"

// The editing control's point query, sent before printing for its side effect of laying the
// view out; its answer does not matter here.
#define SCI_POINTXFROMPOSITION_PROBE 2164

namespace {

// Zero zoom for the formatting and no zoom mirroring meanwhile; both come back when the scope
// ends, also when formatting throws.
class CPrintZoomScope {
public:
  CPrintZoomScope(CScintillaColorerView* pView, CWnd* pEditor) : m_pView(pView), m_pEditor(pEditor) {
    m_bSavedSync = m_pView->ZoomSyncFlag();
    m_pView->ZoomSyncFlag() = 0;
    m_nZoom = (int)m_pEditor->SendMessage(SCI_GETZOOM);
    if (m_nZoom != 0) m_pEditor->SendMessage(SCI_SETZOOM, 0, 0);
    m_pEditor->SendMessage(SCI_POINTXFROMPOSITION_PROBE, 0, 0);
  }
  ~CPrintZoomScope() {
    if ((int)m_pEditor->SendMessage(SCI_GETZOOM) != m_nZoom) m_pEditor->SendMessage(SCI_SETZOOM, (WPARAM)m_nZoom, 0);
    m_pView->ZoomSyncFlag() = m_bSavedSync;
  }
  CPrintZoomScope(const CPrintZoomScope&) = delete;
  CPrintZoomScope& operator=(const CPrintZoomScope&) = delete;

private:
  CScintillaColorerView* m_pView;
  CWnd* m_pEditor;
  BYTE m_bSavedSync = 0;
  int m_nZoom = 0;
};

}  // namespace

CPrintFormatter::CPrintFormatter(CPrintInfo* pInfo, CScintillaColorerView* pView) : m_pInfo(pInfo), m_pView(pView) {
  PRINTDLGW& pd = m_pInfo->m_pPD->m_pd;
  pd.Flags |= PD_RETURNDC;
  m_nTextLength = m_pView->GetEditor()->GetLength();
  m_nUserFromPage = pd.nFromPage;
  m_nUserToPage = pd.nToPage;
  if (pd.hDC == nullptr) pd.hDC = m_pInfo->m_pPD->CreatePrinterDC();
  m_hPrinterDC = pd.hDC;
  // Without a drawing rectangle of its own the job draws on the printable area.
  CRect& rectDraw = m_pInfo->m_rectDraw;
  if ((rectDraw.IsRectEmpty() || rectDraw.left < 0 || rectDraw.top < 0 || rectDraw.right < 0 || rectDraw.bottom < 0) &&
      m_hPrinterDC != nullptr)
    rectDraw.SetRect(0, 0, ::GetDeviceCaps(m_hPrinterDC, HORZRES), ::GetDeviceCaps(m_hPrinterDC, VERTRES));
  Paginate();
  SetJobPages(PageCount());
  m_bDraw = TRUE;
}

CPrintFormatter::~CPrintFormatter() = default;

void CPrintFormatter::SetJobPages(int nPages) {
  PRINTDLGW& pd = m_pInfo->m_pPD->m_pd;
  m_pInfo->m_nCurPage = 1;
  m_pInfo->SetMinPage(1);
  m_pInfo->SetMaxPage((UINT)nPages);
  if (pd.Flags & PD_PAGENUMS) {
    pd.nFromPage = (WORD)std::max<UINT>(m_nUserFromPage, 1);
    pd.nToPage = (WORD)std::min<UINT>(m_nUserToPage, (UINT)nPages);
  } else {
    pd.nFromPage = 1;
    pd.nToPage = (WORD)nPages;
  }
}

CRect CPrintFormatter::GetPageRect() { return m_pInfo->m_rectDraw; }

CRect CPrintFormatter::GetMargins() {
  if (m_hPrinterDC == nullptr) return CRect(0, 0, 0, 0);
  const int x = ::GetDeviceCaps(m_hPrinterDC, LOGPIXELSX) / 2, y = ::GetDeviceCaps(m_hPrinterDC, LOGPIXELSY) / 2;
  return CRect(x, y, x, y);
}

CRect CPrintFormatter::GetHeaderRect(const CRect& rectPage, const CRect& rectMargins) {
  CRect rect(rectPage.left + rectMargins.left, rectPage.top + rectMargins.top, rectPage.right - rectMargins.right, 0);
  rect.bottom = rect.top + PointsToPixels(32);
  return rect;
}

CRect CPrintFormatter::GetBodyRect(const CRect& rectPage, const CRect& rectMargins, const CRect& rectHeader) {
  return CRect(rectPage.left + rectMargins.left, rectHeader.bottom, rectPage.right - rectMargins.right,
               rectPage.bottom - rectMargins.bottom);
}

int CPrintFormatter::GetLineHeight() { return m_pView->GetEditor()->GetTextHeight(0); }

int CPrintFormatter::GetLineCount() { return m_pView->GetEditor()->GetLineCount(); }

UINT CPrintFormatter::GetCurrentPage() { return m_pInfo->m_nCurPage; }

int CPrintFormatter::PointsToPixels(int nPoints) {
  return m_hPrinterDC != nullptr ? ::MulDiv(nPoints, ::GetDeviceCaps(m_hPrinterDC, LOGPIXELSY), 72) : nPoints;
}

int CPrintFormatter::LinesPerPage() {
  if (m_pageStarts.size() < 2) return std::max(1, GetLineCount());
  return std::max(1, m_pView->GetEditor()->LineFromPosition(m_pageStarts[1]));
}

int CPrintFormatter::PageCount() { return std::max(1, (int)m_pageStarts.size()); }

int CPrintFormatter::PageStart(UINT nPage) const {
  if (nPage == 0) return 0;
  return nPage <= m_pageStarts.size() ? m_pageStarts[nPage - 1] : m_nTextLength;
}

void CPrintFormatter::Paginate() {
  m_pageStarts.assign(1, 0);
  if (m_hPrinterDC == nullptr || m_nTextLength == 0) return;
  const CRect page = GetPageRect(), margins = GetMargins(), header = GetHeaderRect(page, margins);
  const CRect body = GetBodyRect(page, margins, header);
  CWnd* pEditor = m_pView->GetEditor();
  CPrintZoomScope zoom(m_pView, pEditor);
  pEditor->SendMessage(SCI_SETPRINTMAGNIFICATION, 0, 0);
  pEditor->SendMessage(SCI_SETPRINTWRAPMODE, 0, 0);
  for (int nStart = 0;;) {
    const int nEnd = FormatRange(m_hPrinterDC, body, page, nStart, m_nTextLength, FALSE);
    if (nEnd >= m_nTextLength || nEnd <= nStart) break;
    m_pageStarts.push_back(nEnd);
    nStart = nEnd;
  }
}

int CPrintFormatter::FormatRange(HDC hDC, const CRect& rectBody, const CRect& rectPage, int nStart, int nEnd,
                                 BOOL bDraw) {
  if (nStart >= nEnd) return nEnd;
  RangeToFormat range = {};
  range.hdc = range.hdcTarget = hDC;
  range.rc = {rectBody.left, rectBody.top, rectBody.right, rectBody.bottom};
  range.rcPage = {rectPage.left, rectPage.top, rectPage.right, rectPage.bottom};
  range.chrg.cpMin = nStart;
  range.chrg.cpMax = nEnd;
  return (int)m_pView->GetEditor()->SendMessage(SCI_FORMATRANGE, bDraw ? 1 : 0, (LPARAM)&range);
}

int CPrintFormatter::FormatPage(HDC hDC, const CRect& rectBody, const CRect& rectPage) {
  CWnd* pEditor = m_pView->GetEditor();
  pEditor->SendMessage(SCI_SETPRINTCOLOURMODE, SC_PRINT_COLOURONWHITEDEFAULTBG, 0);
  int nEnd = m_nTextLength;
  {
    CPrintZoomScope zoom(m_pView, pEditor);
    pEditor->SendMessage(SCI_SETPRINTMAGNIFICATION, 0, 0);
    if (m_pInfo->m_bPreview && m_hPrinterDC != nullptr) {
      // The preview draws on the screen: the text keeps the printer's proportions.
      const int s = m_pView->GetEditor()->GetDefaultStyleSize();
      const int nScreen = std::max(1, ::GetDeviceCaps(hDC, LOGPIXELSY));
      pEditor->SendMessage(SCI_SETPRINTMAGNIFICATION,
                           (WPARAM)(::MulDiv(s, ::GetDeviceCaps(m_hPrinterDC, LOGPIXELSY), nScreen) - s), 0);
    }
    pEditor->SendMessage(SCI_SETPRINTWRAPMODE, 0, 0);
    const UINT nPage = GetCurrentPage();
    // Each page holds the lines the printer's layout gave it, no more, however the screen
    // measures them in a preview.
    if (nPage <= m_pageStarts.size()) nEnd = FormatRange(hDC, rectBody, rectPage, PageStart(nPage), PageStart(nPage + 1), m_bDraw);
    pEditor->SendMessage(SCI_SETPRINTMAGNIFICATION, 0, 0);
  }
  m_bEnded = GetCurrentPage() >= m_pageStarts.size();
  if (m_bEnded) m_pInfo->m_bContinuePrinting = FALSE;
  return nEnd;
}

void CPrintFormatter::DrawHeader(HDC, const CRect&) {}

void CPrintFormatter::PrintPage(CDC* pDC) {
  const CRect page = GetPageRect(), margins = GetMargins(), header = GetHeaderRect(page, margins);
  const CRect body = GetBodyRect(page, margins, header);
  FormatPage(pDC->m_hDC, body, page);
  DrawHeader(pDC->m_hDC, header);
}
