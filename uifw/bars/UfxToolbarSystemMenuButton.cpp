#include "bars/UfxToolbarSystemMenuButton.h"
#include "bars/UfxPopupMenu.h"
#include "bars/UfxPopupMenuBar.h"
#include "bars/UfxToolBar.h"

IMPLEMENT_SERIAL(CUfxToolbarSystemMenuButton, CUfxToolbarMenuButton, VERSIONABLE_SCHEMA | 1)

CUfxToolbarSystemMenuButton::CUfxToolbarSystemMenuButton() = default;

CUfxToolbarSystemMenuButton::CUfxToolbarSystemMenuButton(HMENU hSystemMenu, HICON hSystemIcon)
    : CUfxToolbarMenuButton(0, hSystemMenu, -1), m_hSysMenuIcon(hSystemIcon), m_hSysMenu(hSystemMenu) {}

CUfxToolbarSystemMenuButton::~CUfxToolbarSystemMenuButton() = default;

void CUfxToolbarSystemMenuButton::CopyFrom(const CUfxToolbarButton& src) {
  CUfxToolbarMenuButton::CopyFrom(src);
  const CUfxToolbarSystemMenuButton* p = DYNAMIC_DOWNCAST(CUfxToolbarSystemMenuButton, const_cast<CUfxToolbarButton*>(&src));
  if (p == nullptr) return;
  m_hSysMenuIcon = p->m_hSysMenuIcon;
  m_hSysMenu = p->m_hSysMenu;
}

void CUfxToolbarSystemMenuButton::CreateFromMenu(HMENU hMenu) { m_hSysMenu = hMenu; }

HMENU CUfxToolbarSystemMenuButton::ExportToMenu() const {
  // The popup is built from the live system menu every time.
  if (m_hSysMenu == nullptr || !::IsMenu(m_hSysMenu)) return nullptr;
  CUfxToolbarMenuButton live;
  live.CUfxToolbarMenuButton::CreateFromMenu(m_hSysMenu);
  HMENU hMenu = live.ExportToMenu();
  if (hMenu == nullptr) return nullptr;
  const int nCount = ::GetMenuItemCount(m_hSysMenu);
  for (int i = 0; i < nCount; ++i) {
    const UINT uiID = ::GetMenuItemID(m_hSysMenu, i);
    if (uiID == 0 || uiID == (UINT)-1) continue;
    const UINT uiState = ::GetMenuState(m_hSysMenu, i, MF_BYPOSITION) & (MF_CHECKED | MF_DISABLED | MF_GRAYED);
    MENUITEMINFOW mii = {};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_STATE;
    mii.fState = ((uiState & MF_CHECKED) ? MFS_CHECKED : 0) | ((uiState & (MF_DISABLED | MF_GRAYED)) ? MFS_GRAYED : 0);
    ::SetMenuItemInfoW(hMenu, uiID, FALSE, &mii);
  }
  return hMenu;
}

SIZE CUfxToolbarSystemMenuButton::OnCalculateSize(CDC*, const CSize& sizeDefault, BOOL) {
  return CSize(::GetSystemMetrics(SM_CXSMICON), sizeDefault.cy);
}

void CUfxToolbarSystemMenuButton::OnDraw(CDC* pDC, const CRect& rect, CUfxToolBarImages*, BOOL, BOOL, BOOL, BOOL, BOOL) {
  if (m_hSysMenuIcon == nullptr) return;
  CSize sizeIcon(::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON));
  if (::GetSystemMetrics(SM_CYSMSIZE) < sizeIcon.cy) sizeIcon = CSize(16, 16);
  ::DrawIconEx(pDC->GetSafeHdc(), rect.left, rect.top + (rect.Height() - sizeIcon.cy) / 2, m_hSysMenuIcon, sizeIcon.cx,
               sizeIcon.cy, 0, nullptr, DI_NORMAL);
}

void CUfxToolbarSystemMenuButton::OnDblClick(CWnd* pWnd) {
  if (CUfxToolBar::IsCustomizeMode()) return;
  OnCancelMode();
  CWnd* pBar = pWnd != nullptr ? pWnd : m_pWndParent;
  if (pBar == nullptr) return;
  CWnd* pFrameWnd = pBar->GetParent();
  if (pFrameWnd != nullptr && pFrameWnd->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd))) pFrameWnd = pFrameWnd->GetParent();
  // A docked bar's parent is a dock bar of the frame.
  CFrameWnd* pFrame = pBar->GetParentFrame();
  while (pFrame != nullptr && !pFrame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd))) pFrame = pFrame->GetParentFrame();
  CMDIFrameWnd* pMDIFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, pFrame);
  if (pMDIFrame == nullptr) pMDIFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, pFrameWnd);
  if (pMDIFrame == nullptr) return;
  CMDIChildWnd* pChild = pMDIFrame->MDIGetActive();
  if (pChild == nullptr) return;
  HMENU hSysMenu = ::GetSystemMenu(pChild->GetSafeHwnd(), FALSE);
  if (hSysMenu == nullptr) return;
  const UINT uiState = ::GetMenuState(hSysMenu, SC_CLOSE, MF_BYCOMMAND);
  if (uiState == (UINT)-1 || (uiState & (MF_GRAYED | MF_DISABLED))) return;
  pChild->SendMessage(WM_SYSCOMMAND, SC_CLOSE);
}

void CUfxToolbarSystemMenuButton::OnCancelMode() {
  CUfxPopupMenu* pPopup = GetPopupMenu();
  if (pPopup != nullptr && ::IsWindow(pPopup->GetSafeHwnd()) && !pPopup->InCommand()) pPopup->CloseMenu(FALSE);
  ResetPopupLink();
  m_bToBeClosed = FALSE;
}
