#include "frames/UfxPrintPreviewView.h"

#include <commctrl.h>

#include "bars/UfxToolbarButton.h"
#include "frames/UfxFramesResources.h"

IMPLEMENT_DYNCREATE(CUfxPrintPreviewView, CPreviewView)

BEGIN_MESSAGE_MAP(CUfxPrintPreviewView, CPreviewView)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_SIZE()
  ON_UPDATE_COMMAND_UI(ID_PREVIEW_NUMPAGE, OnUpdatePreviewNumPage)
END_MESSAGE_MAP()

namespace {
// The status control's simple pane.
const WPARAM kSimplePane = 255;
}  // namespace

BOOL UfxPrintPreview(CView* pView) {
  auto* pState = new CPrintPreviewState;
  if (!pView->DoPrintPreview(IDD_UFX_PRINTPREVIEW_BAR, pView, RUNTIME_CLASS(CUfxPrintPreviewView), pState)) {
    AfxMessageBox(AFX_IDP_COMMAND_FAILURE);
    delete pState;
    return FALSE;
  }
  return TRUE;
}

CUfxPrintPreviewView::CUfxPrintPreviewView() = default;
CUfxPrintPreviewView::~CUfxPrintPreviewView() = default;

int CUfxPrintPreviewView::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CPreviewView::OnCreate(lpCreateStruct) == -1) return -1;
  CreateToolBar();
  TakeStatusBar();
  return 0;
}

void CUfxPrintPreviewView::CreateToolBar() {
  const DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM | CBRS_BORDER_3D | CBRS_FLYBY |
                        CBRS_TOOLTIPS | CBRS_HIDE_INPLACE;
  if (m_pToolBar == nullptr || !m_wndToolBar.Create(m_pToolBar, dwStyle, AFX_IDW_TOOLBAR) ||
      !m_wndToolBar.LoadToolBarResource(IDR_UFX_PRINTPREVIEW_TOOLBAR, 0, 0, 0, 0, 0, 0, 0, 0, TRUE))
    return;
  // The page-count button swaps its image for the one of the two-page button, which goes. A
  // toolbar without either keeps its images as they are.
  const int iTwoPages = m_wndToolBar.CommandToIndex(ID_UFX_PREVIEW_TWOPAGE);
  CUfxToolbarButton* pPages = m_wndToolBar.GetButton(m_wndToolBar.CommandToIndex(ID_PREVIEW_NUMPAGE));
  CUfxToolbarButton* pTwoPages = m_wndToolBar.GetButton(iTwoPages);
  if (pPages != nullptr && pTwoPages != nullptr) {
    m_iOnePageImageIndex = pPages->GetImage();
    m_iTwoPageImageIndex = pTwoPages->GetImage();
  }
  if (pTwoPages != nullptr) m_wndToolBar.RemoveButton(iTwoPages);
  if (m_iTwoPageImageIndex >= 0) m_iPagesBtnIndex = m_wndToolBar.CommandToIndex(ID_PREVIEW_NUMPAGE);
  m_wndToolBar.SetButtonTextMode(m_wndToolBar.CommandToIndex(ID_PREVIEW_PRINT), TRUE, nullptr, TRUE);
  m_wndToolBar.SetButtonTextMode(m_wndToolBar.CommandToIndex(ID_PREVIEW_CLOSE), TRUE, nullptr, FALSE);
  m_wndToolBar.AdjustLayout();
  // The toolbar takes the place of the dialog bar's own buttons.
  for (HWND hChild = ::GetWindow(m_pToolBar->m_hWnd, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    if (hChild != m_wndToolBar.m_hWnd) ::ShowWindow(hChild, SW_HIDE);
  LayoutToolBar();
}

void CUfxPrintPreviewView::LayoutToolBar() {
  CFrameWnd* pFrame = GetParentFrame();
  if (m_wndToolBar.GetSafeHwnd() == nullptr || pFrame == nullptr || m_bInLayout) return;
  m_bInLayout = TRUE;
  const CSize size = m_wndToolBar.CalcFixedLayout(FALSE, TRUE);
  CRect rectClient;
  pFrame->GetClientRect(&rectClient);
  m_wndToolBar.SetWindowPos(nullptr, 0, 0, rectClient.Width(), size.cy,
                            SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  if (auto* pDialogBar = DYNAMIC_DOWNCAST(CDialogBar, m_pToolBar)) pDialogBar->m_sizeDefault.cy = size.cy;
  pFrame->RecalcLayout();
  pFrame->UpdateWindow();
  m_bInLayout = FALSE;
}

void CUfxPrintPreviewView::TakeStatusBar() {
  CFrameWnd* pFrame = GetParentFrame();
  if (pFrame == nullptr) return;
  m_pWndStatusBar =
      DYNAMIC_DOWNCAST(CStatusBar, CWnd::FromHandlePermanent(::GetDlgItem(pFrame->m_hWnd, AFX_IDW_STATUS_BAR)));
  if (m_pWndStatusBar == nullptr) return;
  m_bIsStatusBarSimple = (BOOL)m_pWndStatusBar->SendMessage(SB_ISSIMPLE);
  m_nSimpleType = HIWORD(m_pWndStatusBar->SendMessage(SB_GETTEXTLENGTHW, kSimplePane));
  m_pWndStatusBar->SendMessage(SB_SETTEXTW, kSimplePane | SBT_NOBORDERS, (LPARAM)L"");
  m_pWndStatusBar->SendMessage(SB_SIMPLE, TRUE);
}

void CUfxPrintPreviewView::GiveBackStatusBar() {
  if (m_pWndStatusBar == nullptr || !::IsWindow(m_pWndStatusBar->m_hWnd)) return;
  m_pWndStatusBar->SendMessage(SB_SETTEXTW, (WPARAM)m_nSimpleType | kSimplePane, 0);
  m_pWndStatusBar->SendMessage(SB_SIMPLE, (WPARAM)m_bIsStatusBarSimple);
  m_pWndStatusBar = nullptr;
}

void CUfxPrintPreviewView::ShowPageDescription() {
  if (m_pPreviewInfo == nullptr) return;
  if (m_pWndStatusBar == nullptr) {
    CPreviewView::ShowPageDescription();
    return;
  }
  const CString text = GetPageDescription();
  m_pWndStatusBar->SendMessage(SB_SETTEXTW, kSimplePane | SBT_NOBORDERS, (LPARAM)(LPCWSTR)text);
}

void CUfxPrintPreviewView::OnDestroy() {
  GiveBackStatusBar();
  if (m_wndToolBar.GetSafeHwnd() != nullptr) m_wndToolBar.DestroyWindow();
  CPreviewView::OnDestroy();
}

void CUfxPrintPreviewView::OnSize(UINT nType, int cx, int cy) {
  CPreviewView::OnSize(nType, cx, cy);
  LayoutToolBar();
}

void CUfxPrintPreviewView::OnUpdatePreviewNumPage(CCmdUI* pCmdUI) {
  CPreviewView::OnUpdateNumPageChange(pCmdUI);
  CUfxToolbarButton* pButton = m_wndToolBar.GetButton(m_iPagesBtnIndex);
  if (pButton == nullptr || m_iOnePageImageIndex < 0 || m_iTwoPageImageIndex < 0) return;
  // The button offers the layout that the command switches to.
  const int iImage = m_nZoomOutPages == 1 ? m_iTwoPageImageIndex : m_iOnePageImageIndex;
  if (pButton->m_iImage == iImage) return;
  pButton->m_iImage = iImage;
  m_wndToolBar.InvalidateButton(m_iPagesBtnIndex);
}
