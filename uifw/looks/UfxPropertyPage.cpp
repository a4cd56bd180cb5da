#include "looks/UfxPropertyPage.h"
#include "looks/UfxPropertySheet.h"

IMPLEMENT_DYNCREATE(CUfxPropertyPage, CPropertyPage)

CUfxPopupMenu* CUfxPropertyPage::s_pActiveMenu = nullptr;
CUfxPropertyPage* CUfxPropertyPage::s_pActivePage = nullptr;

BEGIN_MESSAGE_MAP(CUfxPropertyPage, CPropertyPage)
  ON_WM_ACTIVATE()
  ON_WM_NCACTIVATE()
END_MESSAGE_MAP()

CUfxPropertyPage::CUfxPropertyPage() : m_Impl(this) {}

CUfxPropertyPage::CUfxPropertyPage(UINT nIDTemplate, UINT nIDCaption)
    : CPropertyPage(nIDTemplate, nIDCaption), m_Impl(this) {}

CUfxPropertyPage::~CUfxPropertyPage() {
  if (s_pActivePage == this) SetActiveMenu(nullptr);
}

void CUfxPropertyPage::SetActiveMenu(CUfxPopupMenu* pMenu) {
  s_pActiveMenu = pMenu;
  s_pActivePage = pMenu != nullptr ? this : nullptr;
  m_Impl.SetActiveMenu(pMenu);
}

BOOL CUfxPropertyPage::OnSetActive() {
  if (CUfxPropertySheet* pSheet = DYNAMIC_DOWNCAST(CUfxPropertySheet, GetParent())) pSheet->OnActivatePage(this);
  return CPropertyPage::OnSetActive();
}

BOOL CUfxPropertyPage::PreTranslateMessage(MSG* pMsg) {
  if (m_Impl.ProcessMessage(pMsg)) return TRUE;
  return CPropertyPage::PreTranslateMessage(pMsg);
}

BOOL CUfxPropertyPage::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (m_Impl.OnCommand(wParam)) return TRUE;
  return CPropertyPage::OnCommand(wParam, lParam);
}

void CUfxPropertyPage::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) {
  m_Impl.OnActivate(nState, pWndOther);
  CPropertyPage::OnActivate(nState, pWndOther, bMinimized);
}

BOOL CUfxPropertyPage::OnNcActivate(BOOL bActive) {
  m_Impl.OnNcActivate(bActive);
  return (BOOL)DefWindowProc(WM_NCACTIVATE, bActive, 0);
}
