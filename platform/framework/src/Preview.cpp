// Print preview: the preview DC and the preview view with its commands.
#include "Framework.h"
#include "FwPreview.h"

IMPLEMENT_DYNAMIC(CPreviewDC, CDC)
IMPLEMENT_DYNCREATE(CPreviewView, CView)

#define AFX_IDS_ONEPAGE 0xF041
#define AFX_IDS_TWOPAGE 0xF042

// ---- preview DC --------------------------------------------------------------------------------

CPreviewDC::~CPreviewDC() {
  // Neither DC is this object's: the printer's belongs to the print job, the screen's to its painter.
  m_hDC = nullptr;
  m_hAttribDC = nullptr;
}

void CPreviewDC::SetAttribDC(HDC hDC) { m_hAttribDC = hDC; }
void CPreviewDC::SetOutputDC(HDC hDC) { m_hDC = hDC; }
void CPreviewDC::ReleaseOutputDC() { m_hDC = nullptr; }

CSize CPreviewDC::GetPrinterPageSize() const {
  return CSize(::GetDeviceCaps(m_hAttribDC, HORZRES), ::GetDeviceCaps(m_hAttribDC, VERTRES));
}

void CPreviewDC::MapToPage(const CRect& rcPage) {
  m_sizeWinExt = GetPrinterPageSize();
  m_sizeVpExt = rcPage.Size();
  m_ptVpOrg = rcPage.TopLeft();
  ::SetMapMode(m_hDC, MM_ANISOTROPIC);
  ::SetWindowExtEx(m_hDC, m_sizeWinExt.cx, m_sizeWinExt.cy, nullptr);
  ::SetViewportExtEx(m_hDC, m_sizeVpExt.cx, m_sizeVpExt.cy, nullptr);
  ::SetViewportOrgEx(m_hDC, m_ptVpOrg.x, m_ptVpOrg.y, nullptr);
  ::IntersectClipRect(m_hDC, 0, 0, m_sizeWinExt.cx, m_sizeWinExt.cy);
}

void CPreviewDC::PrinterDPtoScreenDP(LPPOINT lpPoint) const {
  if (m_sizeWinExt.cx == 0 || m_sizeWinExt.cy == 0) return;
  lpPoint->x = m_ptVpOrg.x + ::MulDiv(lpPoint->x, m_sizeVpExt.cx, m_sizeWinExt.cx);
  lpPoint->y = m_ptVpOrg.y + ::MulDiv(lpPoint->y, m_sizeVpExt.cy, m_sizeWinExt.cy);
}

CPrintPreviewState::CPrintPreviewState()
    : nIDMainPane(AFX_IDW_PANE_FIRST), hMenu(nullptr), dwStates(0), pViewActiveOld(nullptr), lpfnCloseProc(nullptr),
      hAccelTable(nullptr) {}

// ---- preview view ------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CPreviewView, CView)
  ON_COMMAND(ID_PREVIEW_CLOSE, OnPreviewClose)
  ON_COMMAND(ID_PREVIEW_NUMPAGE, OnNumPageChange)
  ON_COMMAND(ID_PREVIEW_NEXT, OnNextPage)
  ON_COMMAND(ID_PREVIEW_PREV, OnPrevPage)
  ON_COMMAND(ID_PREVIEW_PRINT, OnPreviewPrint)
  ON_COMMAND(ID_PREVIEW_ZOOMIN, OnZoomIn)
  ON_COMMAND(ID_PREVIEW_ZOOMOUT, OnZoomOut)
  ON_UPDATE_COMMAND_UI(ID_PREVIEW_NUMPAGE, OnUpdateNumPageChange)
  ON_UPDATE_COMMAND_UI(ID_PREVIEW_NEXT, OnUpdateNextPage)
  ON_UPDATE_COMMAND_UI(ID_PREVIEW_PREV, OnUpdatePrevPage)
  ON_UPDATE_COMMAND_UI(ID_PREVIEW_ZOOMIN, OnUpdateZoomIn)
  ON_UPDATE_COMMAND_UI(ID_PREVIEW_ZOOMOUT, OnUpdateZoomOut)
  ON_WM_SIZE()
  ON_WM_ERASEBKGND()
  ON_WM_KEYDOWN()
END_MESSAGE_MAP()

CPreviewView::CPreviewView() = default;

CPreviewView::~CPreviewView() {
  delete m_pPreviewDC;
  delete m_pPreviewInfo;
  delete m_pPreviewState;
}

BOOL CPreviewView::SetPrintView(CView* pPrintView) {
  m_pPrintView = pPrintView;
  m_pPreviewInfo = new CPrintInfo;
  m_pPreviewInfo->m_bPreview = TRUE;
  if (!m_pPrintView->OnPreparePrinting(m_pPreviewInfo) || m_pPreviewInfo->m_pPD->m_pd.hDC == nullptr) return FALSE;
  m_pPreviewDC = new CPreviewDC;
  m_pPreviewDC->SetAttribDC(m_pPreviewInfo->m_pPD->m_pd.hDC);
  m_pPreviewDC->m_bPrinting = TRUE;
  // The job begins with the screen as output, as every page will be drawn.
  HDC hScreen = ::GetDC(m_hWnd);
  m_pPreviewDC->SetOutputDC(hScreen);
  m_pPrintView->OnBeginPrinting(m_pPreviewDC, m_pPreviewInfo);
  m_pPreviewDC->ReleaseOutputDC();
  ::ReleaseDC(m_hWnd, hScreen);
  UINT pages = m_pPreviewInfo->m_nNumPreviewPages;
  if (pages == 0 && AfxGetApp() != nullptr) pages = AfxGetApp()->m_nNumPreviewPages;
  m_nZoomOutPages = m_nPages = pages >= 2 ? 2 : 1;
  SetCurrentPage(m_pPreviewInfo->GetMinPage(), TRUE);
  return TRUE;
}

void CPreviewView::SetCurrentPage(UINT nPage, BOOL) {
  UINT minPage = m_pPreviewInfo != nullptr ? m_pPreviewInfo->GetMinPage() : 1;
  UINT maxPage = m_pPreviewInfo != nullptr ? m_pPreviewInfo->GetMaxPage() : 1;
  if (nPage < minPage) nPage = minPage;
  if (nPage > maxPage) nPage = maxPage;
  m_nCurrentPage = nPage;
  if (m_hWnd != nullptr) Invalidate(TRUE);
  ShowPageDescription();
}

CString CPreviewView::GetPageDescription() const {
  if (m_pPreviewInfo == nullptr) return CString();
  CString desc = m_pPreviewInfo->m_strPageDesc, one, many, text;
  AfxExtractSubString(one, desc, 0);
  AfxExtractSubString(many, desc, 1);
  UINT last = m_nCurrentPage + (UINT)m_nPages - 1;
  if (m_nPages == 1 || last > m_pPreviewInfo->GetMaxPage()) text.Format(one, m_nCurrentPage);
  else text.Format(many, m_nCurrentPage, last);
  return text;
}

void CPreviewView::ShowPageDescription() {
  if (m_pPreviewInfo == nullptr) return;
  if (CFrameWnd* pFrame = GetParentFrame()) pFrame->SetMessageText(GetPageDescription());
}

void CPreviewView::Layout() {
  m_pageRects.clear();
  if (m_hWnd == nullptr || m_pPreviewDC == nullptr) return;
  CRect client;
  GetClientRect(&client);
  const int margin = 8;
  // The sheet keeps the printer's proportions: its physical size seen at the screen's resolution.
  HDC hPrinter = m_pPreviewDC->m_hAttribDC;
  HDC hScreen = ::GetDC(m_hWnd);
  double width = (double)::GetDeviceCaps(hPrinter, HORZRES) / ::GetDeviceCaps(hPrinter, LOGPIXELSX) *
                 ::GetDeviceCaps(hScreen, LOGPIXELSX);
  double height = (double)::GetDeviceCaps(hPrinter, VERTRES) / ::GetDeviceCaps(hPrinter, LOGPIXELSY) *
                  ::GetDeviceCaps(hScreen, LOGPIXELSY);
  ::ReleaseDC(m_hWnd, hScreen);
  const int n = m_nZoomState == ZOOM_OUT ? m_nPages : 1;
  double availW = (double)(client.Width() - (n + 1) * margin) / n, availH = (double)(client.Height() - 2 * margin);
  double fit = std::min(availW / width, availH / height);
  if (fit <= 0) fit = 0.01;
  double scale = m_nZoomState == ZOOM_OUT ? fit : m_nZoomState == ZOOM_IN ? 1.0 : (fit + 1.0) / 2;
  int w = (int)(width * scale + 0.5), h = (int)(height * scale + 0.5);
  int total = n * w + (n - 1) * margin;
  int x = m_nZoomState == ZOOM_OUT ? (client.Width() - total) / 2 : margin;
  int y = m_nZoomState == ZOOM_OUT ? (client.Height() - h) / 2 : margin;
  for (int i = 0; i < n; ++i) m_pageRects.emplace_back(x + i * (w + margin), y, x + i * (w + margin) + w, y + h);
}

const std::vector<CRect>& CPreviewView::GetPageRects() {
  Layout();
  return m_pageRects;
}

BOOL CPreviewView::OnEraseBkgnd(CDC*) { return TRUE; }  // OnDraw covers everything

void CPreviewView::OnDraw(CDC* pDC) {
  CRect client;
  GetClientRect(&client);
  ::FillRect(pDC->m_hDC, &client, ::GetSysColorBrush(COLOR_APPWORKSPACE));
  if (m_pPreviewInfo == nullptr) return;
  Layout();
  for (size_t i = 0; i < m_pageRects.size(); ++i) {
    UINT page = m_nCurrentPage + (UINT)i;
    if (page > m_pPreviewInfo->GetMaxPage()) break;
    DrawPage(pDC, page, m_pageRects[i]);
  }
}

void CPreviewView::DrawPage(CDC* pDC, UINT nPage, const CRect& rcPage) {
  CRect shadow = rcPage;
  shadow.OffsetRect(3, 3);
  ::FillRect(pDC->m_hDC, &shadow, (HBRUSH)::GetStockObject(DKGRAY_BRUSH));
  ::FillRect(pDC->m_hDC, &rcPage, (HBRUSH)::GetStockObject(WHITE_BRUSH));
  ::FrameRect(pDC->m_hDC, &rcPage, (HBRUSH)::GetStockObject(BLACK_BRUSH));
  int saved = ::SaveDC(pDC->m_hDC);
  m_pPreviewDC->SetOutputDC(pDC->m_hDC);
  m_pPreviewDC->MapToPage(rcPage);
  CSize page = m_pPreviewDC->GetPrinterPageSize();
  m_pPreviewInfo->m_nCurPage = nPage;
  m_pPreviewInfo->m_rectDraw.SetRect(0, 0, page.cx, page.cy);
  m_pPrintView->OnPrepareDC(m_pPreviewDC, m_pPreviewInfo);
  if (m_pPreviewInfo->m_bContinuePrinting) m_pPrintView->OnPrint(m_pPreviewDC, m_pPreviewInfo);
  m_pPreviewDC->ReleaseOutputDC();
  ::RestoreDC(pDC->m_hDC, saved);
}

void CPreviewView::OnSize(UINT nType, int cx, int cy) {
  CView::OnSize(nType, cx, cy);
  Invalidate(TRUE);
}

void CPreviewView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  switch (nChar) {
    case VK_NEXT: OnNextPage(); break;
    case VK_PRIOR: OnPrevPage(); break;
    case VK_ESCAPE: OnPreviewClose(); break;
    default: CView::OnKeyDown(nChar, nRepCnt, nFlags);
  }
}

void CPreviewView::OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) {
  CView::OnActivateView(bActivate, pActivateView, pDeactiveView);
}

void CPreviewView::OnPreviewClose() {
  // Ends the preview; this view is gone afterwards.
  m_pOrigView->OnEndPrintPreview(m_pPreviewDC, m_pPreviewInfo, CPoint(0, 0), this);
}

void CPreviewView::OnNumPageChange() {
  m_nZoomOutPages = m_nZoomOutPages == 1 ? 2 : 1;
  if (m_nZoomState == ZOOM_OUT) m_nPages = m_nZoomOutPages;
  SetCurrentPage(m_nCurrentPage, TRUE);
}

void CPreviewView::OnNextPage() {
  if (m_nCurrentPage + (UINT)m_nPages - 1 < m_pPreviewInfo->GetMaxPage()) SetCurrentPage(m_nCurrentPage + 1, TRUE);
}

void CPreviewView::OnPrevPage() {
  if (m_nCurrentPage > m_pPreviewInfo->GetMinPage()) SetCurrentPage(m_nCurrentPage - 1, TRUE);
}

void CPreviewView::OnPreviewPrint() {
  CView* pOrigView = m_pOrigView;
  OnPreviewClose();
  pOrigView->SendMessage(WM_COMMAND, ID_FILE_PRINT);
}

void CPreviewView::OnZoomIn() {
  if (m_nZoomState == ZOOM_IN) return;
  ++m_nZoomState;
  m_nPages = 1;
  SetCurrentPage(m_nCurrentPage, TRUE);
}

void CPreviewView::OnZoomOut() {
  if (m_nZoomState == ZOOM_OUT) return;
  if (--m_nZoomState == ZOOM_OUT) m_nPages = m_nZoomOutPages;
  SetCurrentPage(m_nCurrentPage, TRUE);
}

void CPreviewView::OnUpdateNumPageChange(CCmdUI* pCmdUI) {
  // The button offers the other layout.
  CString text;
  UINT id = m_nZoomOutPages == 1 ? AFX_IDS_TWOPAGE : AFX_IDS_ONEPAGE;
  if (!text.LoadString(id)) text = m_nZoomOutPages == 1 ? L"&Two Page" : L"&One Page";
  pCmdUI->SetText(text);
  pCmdUI->Enable(m_nZoomState == ZOOM_OUT && m_pPreviewInfo != nullptr &&
                 m_pPreviewInfo->GetMaxPage() > m_pPreviewInfo->GetMinPage());
}

void CPreviewView::OnUpdateNextPage(CCmdUI* pCmdUI) {
  pCmdUI->Enable(m_pPreviewInfo != nullptr && m_nCurrentPage + (UINT)m_nPages - 1 < m_pPreviewInfo->GetMaxPage());
}

void CPreviewView::OnUpdatePrevPage(CCmdUI* pCmdUI) {
  pCmdUI->Enable(m_pPreviewInfo != nullptr && m_nCurrentPage > m_pPreviewInfo->GetMinPage());
}

void CPreviewView::OnUpdateZoomIn(CCmdUI* pCmdUI) { pCmdUI->Enable(m_nZoomState != ZOOM_IN); }
void CPreviewView::OnUpdateZoomOut(CCmdUI* pCmdUI) { pCmdUI->Enable(m_nZoomState != ZOOM_OUT); }
