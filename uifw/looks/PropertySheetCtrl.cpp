#include "looks/PropertySheetCtrl.h"

IMPLEMENT_DYNAMIC(CPropertySheetCtrl, CPropertySheet)

BEGIN_MESSAGE_MAP(CPropertySheetCtrl, CPropertySheet)
  ON_WM_SIZE()
END_MESSAGE_MAP()

CPropertySheetCtrl::CPropertySheetCtrl(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(nIDCaption, pParentWnd, iSelectPage) {}

CPropertySheetCtrl::~CPropertySheetCtrl() = default;

BOOL CPropertySheetCtrl::OnInitDialog() {
  const BOOL bResult = CPropertySheet::OnInitDialog();
  ModifyStyleEx(0, WS_EX_CONTROLPARENT);
  FitPages();
  return bResult;
}

BOOL CPropertySheetCtrl::PreTranslateMessage(MSG* pMsg) {
  if (m_hAccel != nullptr && ::TranslateAcceleratorW(m_hWnd, m_hAccel, pMsg)) return TRUE;
  return CPropertySheet::PreTranslateMessage(pMsg);
}

BOOL CPropertySheetCtrl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  const BOOL bResult = CPropertySheet::OnNotify(wParam, lParam, pResult);
  const NMHDR* pHdr = (const NMHDR*)lParam;
  if (pHdr != nullptr && pHdr->code == TCN_SELCHANGE) FitPages();
  return bResult;
}

void CPropertySheetCtrl::OnSize(UINT nType, int cx, int cy) {
  Default();
  FitPages();
}

void CPropertySheetCtrl::FitPages() {
  if (GetSafeHwnd() == nullptr) return;
  CRect rectClient;
  GetClientRect(rectClient);
  CTabCtrl* pTab = GetTabControl();
  if (pTab != nullptr && pTab->GetSafeHwnd() != nullptr) pTab->MoveWindow(rectClient);
  const int cxEdge = ::GetSystemMetrics(SM_CXEDGE), cyEdge = ::GetSystemMetrics(SM_CYEDGE);
  for (int i = 0; i < GetPageCount(); ++i) {
    CPropertyPage* pPage = GetPage(i);
    if (pPage == nullptr || pPage->GetSafeHwnd() == nullptr) continue;
    CRect rectPage;
    pPage->GetWindowRect(rectPage);
    ScreenToClient(rectPage);
    pPage->SetWindowPos(nullptr, rectPage.left, rectPage.top, rectClient.Width() - 3 * cxEdge,
                        rectClient.bottom - rectPage.top - cyEdge, SWP_NOZORDER | SWP_NOACTIVATE);
  }
}
