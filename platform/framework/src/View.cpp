// CView: document link, activation, initial update and printing.
#include "Framework.h"

IMPLEMENT_DYNAMIC(CView, CWnd)

BEGIN_MESSAGE_MAP(CView, CWnd)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_PAINT()
  ON_WM_MOUSEACTIVATE()
  ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdateMessage)
  ON_COMMAND(ID_FILE_PRINT, OnFilePrint)
  ON_COMMAND(ID_FILE_PRINT_DIRECT, OnFilePrint)
  ON_COMMAND(ID_FILE_PRINT_PREVIEW, OnFilePrintPreview)
END_MESSAGE_MAP()

static CPrintPreviewSupport* g_pPreview = nullptr;
void CView::SetPrintPreviewSupport(CPrintPreviewSupport* pSupport) { g_pPreview = pSupport; }
CPrintPreviewSupport* CView::GetPrintPreviewSupport() { return g_pPreview; }

CView::~CView() {
  if (m_pDocument != nullptr) m_pDocument->RemoveView(this);
}

BOOL CView::PreCreateWindow(CREATESTRUCT& cs) {
  if (cs.lpszClass == nullptr)
    cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1));
  if (cs.style & WS_BORDER) {
    // Views show a sunken edge instead of a flat border.
    cs.dwExStyle |= WS_EX_CLIENTEDGE;
    cs.style &= ~WS_BORDER;
  }
  return TRUE;
}

int CView::OnCreate(LPCREATESTRUCT lpcs) {
  if (CWnd::OnCreate(lpcs) == -1) return -1;
  CCreateContext* pContext = (CCreateContext*)lpcs->lpCreateParams;
  if (pContext != nullptr && pContext->m_pCurrentDoc != nullptr) pContext->m_pCurrentDoc->AddView(this);
  return 0;
}

void CView::OnDestroy() {
  CFrameWnd* pFrame = GetParentFrame();
  if (pFrame != nullptr && pFrame->GetActiveView() == this) pFrame->SetActiveView(nullptr, FALSE);
  CWnd::OnDestroy();
}

void CView::PostNcDestroy() { delete this; }

void CView::OnPaint() {
  CPaintDC dc(this);
  OnPrepareDC(&dc);
  OnDraw(&dc);
}

void CView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo) {
  if (pInfo != nullptr) pInfo->m_bContinuePrinting = pInfo->GetMaxPage() != 0xFFFF || pInfo->m_nCurPage == 1;
}

int CView::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message) {
  int nResult = CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
  if (nResult == MA_NOACTIVATE || nResult == MA_NOACTIVATEANDEAT) return nResult;
  CFrameWnd* pFrame = GetParentFrame();
  if (pFrame != nullptr) {
    HWND hFocus = ::GetFocus();
    if (pFrame->GetActiveView() == this) {
      // Already the active view: only bring the focus back when it went elsewhere.
      if (hFocus != m_hWnd && !::IsChild(m_hWnd, hFocus)) OnActivateView(TRUE, this, this);
    } else {
      pFrame->SetActiveView(this);
    }
  }
  return nResult;
}

LRESULT CView::OnInitialUpdateMessage(WPARAM, LPARAM) {
  OnInitialUpdate();
  return 0;
}

void CView::OnInitialUpdate() { OnUpdate(nullptr, 0, nullptr); }

void CView::OnUpdate(CView* pSender, LPARAM, CObject*) {
  if (m_hWnd != nullptr) Invalidate(TRUE);
}

void CView::OnActivateView(BOOL bActivate, CView* pActivateView, CView*) {
  if (!bActivate || pActivateView != this) return;
  // Take the focus while the program is the active one, unless a child of this view has it.
  CWnd* pTop = GetTopLevelParent();
  if (pTop == nullptr || ::GetActiveWindow() != pTop->m_hWnd) return;
  HWND hFocus = ::GetFocus();
  if (hFocus != m_hWnd && !::IsChild(m_hWnd, hFocus)) SetFocus();
}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  return m_pDocument != nullptr && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

// ---- printing ------------------------------------------------------------------------------------
CPrintInfo::CPrintInfo()
    : m_pPD(new CPrintDialog(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOSELECTION)), m_bDirect(FALSE),
      m_bPreview(FALSE), m_bContinuePrinting(TRUE), m_nCurPage(1), m_nNumPreviewPages(0), m_lpUserData(nullptr),
      m_nOffsetPage(0) {
  SetMinPage(1);
  SetMaxPage(0xFFFF);
  m_pPD->m_pd.nFromPage = 1;
  m_pPD->m_pd.nToPage = 0xFFFF;
}

CPrintInfo::~CPrintInfo() {
  if (m_pPD != nullptr) {
    if (m_pPD->m_pd.hDC != nullptr) ::DeleteDC(m_pPD->m_pd.hDC);
    delete m_pPD;
  }
}

void CPrintInfo::SetMinPage(UINT n) { m_pPD->m_pd.nMinPage = (WORD)n; }
void CPrintInfo::SetMaxPage(UINT n) { m_pPD->m_pd.nMaxPage = (WORD)n; }
UINT CPrintInfo::GetMinPage() const { return m_pPD->m_pd.nMinPage; }
UINT CPrintInfo::GetMaxPage() const { return m_pPD->m_pd.nMaxPage; }
UINT CPrintInfo::GetFromPage() const { return m_pPD->m_pd.nFromPage; }
UINT CPrintInfo::GetToPage() const { return m_pPD->m_pd.nToPage; }

BOOL CView::DoPreparePrinting(CPrintInfo* pInfo) {
  CWinApp* pApp = AfxGetApp();
  if (pInfo->m_bPreview || pInfo->m_bDirect) {
    // No dialog: the default printer.
    if (pInfo->m_pPD->m_pd.hDC == nullptr) {
      if (!pApp->GetPrinterDeviceDefaults(&pInfo->m_pPD->m_pd)) {
        // No default printer: the print dialog tells the user and lets one be chosen.
        if (pApp->DoPrintDialog(pInfo->m_pPD) != IDOK) return FALSE;
      }
      if (pInfo->m_pPD->m_pd.hDC == nullptr) pInfo->m_pPD->m_pd.hDC = pInfo->m_pPD->CreatePrinterDC();
      if (pInfo->m_pPD->m_pd.hDC == nullptr) return FALSE;
    }
    pInfo->m_pPD->m_pd.nFromPage = (WORD)pInfo->GetMinPage();
    pInfo->m_pPD->m_pd.nToPage = (WORD)pInfo->GetMaxPage();
  } else {
    if (pApp->DoPrintDialog(pInfo->m_pPD) != IDOK) return FALSE;
  }
  return pInfo->m_pPD->m_pd.hDC != nullptr;
}

void CView::OnFilePrint() {
  CPrintInfo printInfo;
  const MSG* pMsg = GetCurrentMessage();
  if (pMsg->message == WM_COMMAND && LOWORD(pMsg->wParam) == ID_FILE_PRINT_DIRECT) printInfo.m_bDirect = TRUE;
  if (!OnPreparePrinting(&printInfo)) return;
  CDC dcPrint;
  dcPrint.Attach(printInfo.m_pPD->m_pd.hDC);
  printInfo.m_pPD->m_pd.hDC = nullptr;  // the DC now belongs to dcPrint
  dcPrint.m_bPrinting = TRUE;
  dcPrint.m_hAttribDC = dcPrint.m_hDC;
  CString title = m_pDocument ? m_pDocument->GetTitle() : CString(L"");
  if (title.GetLength() > 31) title = title.Left(31);
  DOCINFOW docInfo = {sizeof(docInfo), title, nullptr, nullptr, 0};
  OnBeginPrinting(&dcPrint, &printInfo);
  if (dcPrint.StartDoc(&docInfo) <= 0) {
    OnEndPrinting(&dcPrint, &printInfo);
    AfxMessageBox(AFX_IDP_FAILED_TO_START_PRINT);
    return;
  }
  UINT nEndPage = printInfo.GetToPage();
  BOOL bError = FALSE;
  for (printInfo.m_nCurPage = printInfo.GetFromPage(); printInfo.m_nCurPage <= nEndPage; ++printInfo.m_nCurPage) {
    OnPrepareDC(&dcPrint, &printInfo);
    if (!printInfo.m_bContinuePrinting) break;
    printInfo.m_rectDraw.SetRect(0, 0, dcPrint.GetDeviceCaps(HORZRES), dcPrint.GetDeviceCaps(VERTRES));
    dcPrint.DPtoLP(&printInfo.m_rectDraw);
    if (dcPrint.StartPage() < 0) { bError = TRUE; break; }
    OnPrepareDC(&dcPrint, &printInfo);
    OnPrint(&dcPrint, &printInfo);
    if (dcPrint.EndPage() < 0) { bError = TRUE; break; }
  }
  if (bError) dcPrint.AbortDoc();
  else dcPrint.EndDoc();
  OnEndPrinting(&dcPrint, &printInfo);
}

void CView::OnFilePrintPreview() {
  if (g_pPreview != nullptr) g_pPreview->DoPrintPreview(this);
  else AfxMessageBox(L"Print preview is not available.", MB_ICONINFORMATION);
}

void CView::OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT point, CPreviewView* pPreview) {
  if (g_pPreview != nullptr) g_pPreview->EndPrintPreview(this, pDC, pInfo, point, pPreview);
  else OnEndPrinting(pDC, pInfo);
}
