// CView: document link, activation, initial update and printing.
#include "Framework.h"
#include "FwPreview.h"

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
  if (!m_strPageDesc.LoadString(AFX_IDS_PREVIEWPAGEDESC)) m_strPageDesc = L"Page %u\nPages %u-%u\n";
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

// The pages to print: all of them, or the range chosen in the print dialog kept within the
// document's pages once OnBeginPrinting knows them.
static void ClipPageRange(CPrintInfo& info) {
  PRINTDLGW& pd = info.m_pPD->m_pd;
  UINT minPage = info.GetMinPage(), maxPage = info.GetMaxPage();
  if (!(pd.Flags & PD_PAGENUMS)) {
    pd.nFromPage = (WORD)minPage;
    pd.nToPage = (WORD)maxPage;
    return;
  }
  UINT from = pd.nFromPage, to = pd.nToPage;
  if (from < minPage) from = minPage;
  if (to > maxPage) to = maxPage;
  pd.nFromPage = (WORD)from;
  pd.nToPage = (WORD)to;  // an empty range (from > to) prints nothing
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
  ClipPageRange(printInfo);
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
  auto* pState = new CPrintPreviewState;
  if (!DoPrintPreview(AFX_IDD_PREVIEW_TOOLBAR, this, RUNTIME_CLASS(CPreviewView), pState)) {
    AfxMessageBox(AFX_IDP_COMMAND_FAILURE);
    delete pState;
  }
}

BOOL CView::DoPrintPreview(UINT nIDResource, CView* pPrintView, CRuntimeClass* pPreviewViewClass,
                           CPrintPreviewState* pState) {
  CFrameWnd* pParent = GetTopLevelFrame();
  if (pParent == nullptr || pPreviewViewClass == nullptr || !pPreviewViewClass->IsDerivedFrom(RUNTIME_CLASS(CPreviewView)))
    return FALSE;
  auto* pView = (CPreviewView*)pPreviewViewClass->CreateObject();
  if (pView == nullptr) return FALSE;
  pView->m_pOrigView = this;
  pView->m_nIDToolBar = nIDResource;
  pState->pViewActiveOld = pParent->GetActiveView();
  pParent->OnSetPreviewMode(TRUE, pState);
  // The preview's bar of buttons, when the program has its template; it exists before the view
  // does, so that the view can lay bars of its own over it. Its commands reach the preview as
  // the active view.
  LPCWSTR lpszBar = MAKEINTRESOURCEW(nIDResource);
  if (::FindResourceW(AfxFindResourceHandle(lpszBar, (LPCWSTR)RT_DIALOG), lpszBar, (LPCWSTR)RT_DIALOG) != nullptr) {
    auto* pBar = new CDialogBar;
    if (pBar->Create(pParent, lpszBar, CBRS_TOP, AFX_IDW_PREVIEW_BAR)) {
      pBar->m_bAutoDelete = TRUE;
      pView->m_pToolBar = pBar;
    } else {
      delete pBar;
    }
  }
  CCreateContext context;
  context.m_pCurrentFrame = pParent;
  context.m_pCurrentDoc = GetDocument();
  context.m_pLastView = this;
  if (!pView->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 0, 0), pParent, AFX_IDW_PANE_FIRST, &context)) {
    // The view deleted itself.
    if (CWnd* pBar = pView->m_pToolBar) pBar->DestroyWindow();
    pParent->OnSetPreviewMode(FALSE, pState);
    return FALSE;
  }
  if (!pView->SetPrintView(pPrintView)) {
    if (pView->m_pToolBar != nullptr) pView->m_pToolBar->DestroyWindow();
    pView->DestroyWindow();
    pParent->OnSetPreviewMode(FALSE, pState);
    pParent->SetActiveView(pState->pViewActiveOld, FALSE);
    return FALSE;
  }
  pView->m_pPreviewState = pState;
  pParent->SetActiveView(pView);
  pParent->RecalcLayout();
  pView->SetFocus();
  pView->UpdateWindow();
  return TRUE;
}

void CView::OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT, CPreviewView* pPreview) {
  OnEndPrinting(pDC, pInfo);
  if (pPreview == nullptr) return;
  CFrameWnd* pParent = pPreview->GetTopLevelFrame();
  CPrintPreviewState* pState = pPreview->m_pPreviewState;
  pPreview->m_pPreviewState = nullptr;
  if (pPreview->m_pToolBar != nullptr) pPreview->m_pToolBar->DestroyWindow();  // it deletes itself
  pPreview->DestroyWindow();  // the preview's DC and job record go with it
  if (pParent == nullptr || pState == nullptr) {
    delete pState;
    return;
  }
  pParent->OnSetPreviewMode(FALSE, pState);
  pParent->SetActiveView(pState->pViewActiveOld);
  delete pState;
  pParent->RecalcLayout();
}
