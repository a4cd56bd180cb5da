#include "frames/UfxMDIClientWnd.h"

#include "frames/UfxMDIChildWnd.h"
#include "frames/UfxMDIFrameWnd.h"

BEGIN_MESSAGE_MAP(CUfxMDIClientWnd, CWnd)
  ON_MESSAGE(WM_MDIDESTROY, OnMDIDestroy)
  ON_MESSAGE(WM_MDIREFRESHMENU, OnMDIRefreshMenu)
  ON_MESSAGE(WM_MDISETMENU, OnMDISetMenu)
  ON_WM_ERASEBKGND()
  ON_MESSAGE(UFXM_UPDATE_MDI_TABS, OnUpdateTabsMessage)
END_MESSAGE_MAP()

namespace {
CUfxMDIFrameWnd* FrameOf(CWnd* pClient) { return DYNAMIC_DOWNCAST(CUfxMDIFrameWnd, pClient->GetParentFrame()); }
}  // namespace

CUfxMDIClientWnd::CUfxMDIClientWnd() { m_mapIcons.InitHashTable(17); }
CUfxMDIClientWnd::~CUfxMDIClientWnd() = default;

void CUfxMDIClientWnd::PreSubclassWindow() {
  CWnd::PreSubclassWindow();
  CWnd* pParent = GetParent();
  if (pParent == nullptr) return;
  m_wndTab.Create(CUfxTabWnd::STYLE_3D_SCROLLED, CRect(0, 0, 0, 0), pParent, (UINT)-1,
                  m_location == 0 ? CUfxTabWnd::LOCATION_TOP : CUfxTabWnd::LOCATION_BOTTOM);
  // The tabs only name the children: the client area keeps its windows.
  m_wndTab.SetResizeTabWindows(FALSE);
  m_wndTab.SetHideInactiveWindows(FALSE);
  m_wndTab.SetDestroyTabWindows(FALSE);
  m_wndTab.HideSingleTab(FALSE);
  m_wndTab.HideNoTabs(TRUE);
  m_wndTab.SetLabelNoPrefix(TRUE);
  if (!m_bIsMDITabbed) m_wndTab.ShowWindow(SW_HIDE);
  m_TabIcons.Create(::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), ILC_COLOR8 | ILC_MASK, 0, 1);
}

LRESULT CUfxMDIClientWnd::OnMDIDestroy(WPARAM wParam, LPARAM lParam) {
  CWnd* pChild = CWnd::FromHandlePermanent((HWND)wParam);
  const BOOL bTabsVisible = m_wndTab.GetSafeHwnd() != nullptr && m_wndTab.IsWindowVisible();
  const int iTab = m_wndTab.GetSafeHwnd() != nullptr ? m_wndTab.FindTabByWindow((HWND)wParam) : -1;
  if (iTab >= 0) {
    if (auto* pUfxChild = DYNAMIC_DOWNCAST(CUfxMDIChildWnd, pChild)) pUfxChild->SetTabbedClosing();
    m_wndTab.DeleteTab(iTab);
  }
  const LRESULT lResult = Default();
  if (iTab >= 0 && m_wndTab.GetSafeHwnd() != nullptr && bTabsVisible != m_wndTab.IsWindowVisible()) {
    if (CFrameWnd* pFrame = GetParentFrame()) pFrame->RecalcLayout();
  }
  return lResult;
}

LRESULT CUfxMDIClientWnd::OnMDIRefreshMenu(WPARAM, LPARAM) {
  const LRESULT lResult = Default();
  // The window menu is found again in the menu bar's menu.
  if (CUfxMDIFrameWnd* pFrame = FrameOf(this)) pFrame->GetWindowMenuPopup(::GetMenu(pFrame->m_hWnd));
  return lResult;
}

LRESULT CUfxMDIClientWnd::OnMDISetMenu(WPARAM wParam, LPARAM lParam) {
  CUfxMDIFrameWnd* pFrame = FrameOf(this);
  if (pFrame != nullptr && pFrame->OnSetMenu((HMENU)wParam)) wParam = 0;  // the menu bar shows it
  return DefWindowProc(WM_MDISETMENU, wParam, lParam);
}

BOOL CUfxMDIClientWnd::OnEraseBkgnd(CDC* pDC) {
  CUfxMDIFrameWnd* pFrame = FrameOf(this);
  if (pFrame != nullptr && pFrame->OnEraseMDIClientBackground(pDC)) return TRUE;
  return (BOOL)Default();
}

LRESULT CUfxMDIClientWnd::OnUpdateTabsMessage(WPARAM, LPARAM) {
  UpdateTabs(FALSE);
  return 0;
}

void CUfxMDIClientWnd::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType) {
  if (m_wndTab.GetSafeHwnd() != nullptr) {
    if (m_bIsMDITabbed) {
      CRect rectOld;
      m_wndTab.GetWindowRect(&rectOld);
      m_wndTab.SetWindowPos(nullptr, lpClientRect->left, lpClientRect->top, lpClientRect->right - lpClientRect->left,
                            lpClientRect->bottom - lpClientRect->top, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
      CRect rectNew;
      m_wndTab.GetWindowRect(&rectNew);
      const CRect rectArea = m_wndTab.GetWndArea();
      *lpClientRect = rectArea;
      m_wndTab.ClientToScreen(lpClientRect);
      GetParent()->ScreenToClient(lpClientRect);
      if (rectOld != rectNew)
        RedrawWindow(nullptr, nullptr,
                     RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    } else {
      m_wndTab.ShowWindow(SW_HIDE);
    }
  }
  CWnd::CalcWindowRect(lpClientRect, nAdjustType);
}

int CUfxMDIClientWnd::TabImageOf(CWnd* pChild) {
  if (!m_bTabIcons) return -1;
  HICON hIcon = nullptr;
  if (auto* pUfxChild = DYNAMIC_DOWNCAST(CUfxMDIChildWnd, pChild)) {
    hIcon = pUfxChild->GetFrameIcon();
  } else {
    hIcon = (HICON)pChild->SendMessage(WM_GETICON, ICON_SMALL);
    if (hIcon == nullptr) hIcon = (HICON)::GetClassLongPtrW(pChild->m_hWnd, GCLP_HICONSM);
  }
  if (hIcon == nullptr) return -1;
  int iImage = -1;
  if (m_mapIcons.Lookup(hIcon, iImage)) return iImage;
  iImage = ImageList_ReplaceIcon((HIMAGELIST)m_TabIcons.GetSafeHandle(), -1, hIcon);
  if (iImage < 0) return -1;
  m_mapIcons.SetAt(hIcon, iImage);
  if (iImage == 0) m_wndTab.SetImageList((HIMAGELIST)m_TabIcons.GetSafeHandle());
  return iImage;
}

void CUfxMDIClientWnd::UpdateTabs(BOOL bSetActive) {
  if (m_wndTab.GetSafeHwnd() == nullptr || !m_bIsMDITabbed) return;
  BOOL bChanged = FALSE;
  for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
    CWnd* pChild = CWnd::FromHandle(hChild);
    auto* pUfxChild = DYNAMIC_DOWNCAST(CUfxMDIChildWnd, pChild);
    const int iImage = TabImageOf(pChild);
    CString strText;
    if (pUfxChild != nullptr) strText = pUfxChild->GetFrameText();
    else pChild->GetWindowText(strText);
    const int iTab = m_wndTab.FindTabByWindow(hChild);
    if (iTab >= 0) {
      if (!::IsWindowVisible(hChild)) {
        m_wndTab.DeleteTab(iTab);
        bChanged = TRUE;
        continue;
      }
      CString strOld;
      m_wndTab.GetTabLabel(iTab, strOld);
      if (strOld != strText) {
        m_wndTab.SetTabText(iTab, strText);
        bChanged = TRUE;
      }
      if (m_wndTab.GetTabIcon(iTab) != iImage) {
        m_wndTab.SetTabImage(iTab, iImage);
        bChanged = TRUE;
      }
    } else if (pUfxChild == nullptr || !pUfxChild->IsTabbedClosing()) {
      // A child being destroyed never gets a tab again.
      m_wndTab.AddTab(pChild, strText, iImage);
      m_wndTab.SetActiveTab(m_wndTab.GetTabsNum() - 1);
      bChanged = TRUE;
    }
  }
  if (bChanged) {
    if (CFrameWnd* pFrame = GetParentFrame()) pFrame->RecalcLayout();
  }
  if (!bSetActive) return;
  HWND hActive = (HWND)SendMessage(WM_MDIGETACTIVE);
  const int iActive = hActive != nullptr ? m_wndTab.FindTabByWindow(hActive) : -1;
  if (iActive >= 0) {
    m_wndTab.SetActiveTab(iActive);
    m_wndTab.EnsureVisible(iActive);
  }
}
