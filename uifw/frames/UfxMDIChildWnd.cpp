#include "frames/UfxMDIChildWnd.h"

#include "bars/UfxPopupMenu.h"
#include "frames/UfxMDIFrameWnd.h"
#include "frames/UfxPopupMenuHost.h"

IMPLEMENT_DYNCREATE(CUfxMDIChildWnd, CMDIChildWnd)

BEGIN_MESSAGE_MAP(CUfxMDIChildWnd, CMDIChildWnd)
  ON_WM_CREATE()
  ON_MESSAGE(WM_SETTEXT, OnSetText)
  ON_MESSAGE(WM_SETICON, OnSetIcon)
  ON_WM_MDIACTIVATE()
END_MESSAGE_MAP()

CUfxMDIChildWnd::CUfxMDIChildWnd() = default;

int CUfxMDIChildWnd::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CMDIChildWnd::OnCreate(lpCreateStruct) == -1) return -1;
  m_pMDIFrame = DYNAMIC_DOWNCAST(CUfxMDIFrameWnd, GetMDIFrame());
  return 0;
}

CString CUfxMDIChildWnd::GetFrameText() const {
  CString strText;
  GetWindowText(strText);
  return strText;
}

HICON CUfxMDIChildWnd::GetFrameIcon() const {
  HICON hIcon = (HICON)::SendMessageW(m_hWnd, WM_GETICON, ICON_SMALL, 0);
  if (hIcon == nullptr) hIcon = (HICON)::GetClassLongPtrW(m_hWnd, GCLP_HICONSM);
  return hIcon;
}

void CUfxMDIChildWnd::UpdateClientTabs(BOOL bSetActive) {
  if (m_pMDIFrame != nullptr) m_pMDIFrame->GetClientWnd().UpdateTabs(bSetActive);
}

LRESULT CUfxMDIChildWnd::OnSetText(WPARAM, LPARAM) {
  const LRESULT lResult = Default();
  UpdateClientTabs(TRUE);
  return lResult;
}

LRESULT CUfxMDIChildWnd::OnSetIcon(WPARAM, LPARAM) {
  const LRESULT lResult = Default();
  UpdateClientTabs(FALSE);
  return lResult;
}

void CUfxMDIChildWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
  CMDIChildWnd::OnUpdateFrameTitle(bAddToTitle);
  UpdateClientTabs(FALSE);
}

void CUfxMDIChildWnd::OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd) {
  CMDIChildWnd::OnMDIActivate(bActivate, pActivateWnd, pDeactivateWnd);
  if (!bActivate || m_pMDIFrame == nullptr || !m_pMDIFrame->GetClientWnd().AreMDITabs()) return;
  CUfxTabWnd& tabs = m_pMDIFrame->GetClientWnd().GetTabWnd();
  const int iTab = tabs.GetSafeHwnd() != nullptr ? tabs.FindTabByWindow(m_hWnd) : -1;
  if (iTab >= 0) tabs.SetActiveTab(iTab);
}

BOOL CUfxMDIChildWnd::PreTranslateMessage(MSG* pMsg) {
  // While a popup menu is open the keys are the menu's.
  if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && CUfxPopupMenu::GetActiveMenu() != nullptr &&
      CUfxPopupMenuHost::FromFrame(GetTopLevelFrame()) != nullptr)
    return FALSE;
  return CMDIChildWnd::PreTranslateMessage(pMsg);
}
