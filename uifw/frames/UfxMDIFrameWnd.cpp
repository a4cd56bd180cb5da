#include "frames/UfxMDIFrameWnd.h"

#include "FwPreview.h"
#include "bars/UfxMenuBar.h"
#include "bars/UfxPopupMenu.h"
#include "bars/UfxPopupMenuBar.h"
#include "bars/UfxToolBar.h"
#include "bars/UfxToolbarMenuButton.h"
#include "frames/UfxFrameWnd.h"

IMPLEMENT_DYNCREATE(CUfxMDIFrameWnd, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CUfxMDIFrameWnd, CMDIFrameWnd)
  ON_WM_CLOSE()
  ON_WM_DESTROY()
  ON_WM_ACTIVATE()
  ON_WM_MENUCHAR()
  ON_WM_WINDOWPOSCHANGED()
  ON_COMMAND(ID_CONTEXT_HELP, OnContextHelp)
  ON_REGISTERED_MESSAGE(UFXM_CREATETOOLBAR, OnToolbarCreateNew)
  ON_REGISTERED_MESSAGE(UFXM_DELETETOOLBAR, OnToolbarDelete)
END_MESSAGE_MAP()

namespace {
const UINT kMoreWindowsEntry = AFX_IDM_FIRST_MDICHILD + 9;  // the window menu's overflow entry
}  // namespace

CUfxMDIFrameWnd::CUfxMDIFrameWnd() : m_Impl(this) {}
CUfxMDIFrameWnd::~CUfxMDIFrameWnd() = default;

// ---- what every framework frame does ---------------------------------------------------------------

BOOL CUfxMDIFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
  m_Impl.RestorePosition(cs);
  return CMDIFrameWnd::PreCreateWindow(cs);
}

BOOL CUfxMDIFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext) {
  if (!CMDIFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext)) return FALSE;
  m_Impl.OnLoadFrame(nIDResource);
  return TRUE;
}

BOOL CUfxMDIFrameWnd::PreTranslateMessage(MSG* pMsg) {
  switch (m_Impl.FilterFrameMessage(pMsg)) {
    case CUfxFrameHelper::FilterConsumed: return TRUE;
    case CUfxFrameHelper::FilterNoTranslate: return FALSE;
    default: return CMDIFrameWnd::PreTranslateMessage(pMsg);
  }
}

BOOL CUfxMDIFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (m_Impl.TakeFrameCommand(wParam)) return TRUE;
  return CMDIFrameWnd::OnCommand(wParam, lParam);
}

void CUfxMDIFrameWnd::WinHelp(DWORD_PTR dwData, UINT nCmd) {
  if (dwData != 0 || !m_bContextHelp) CMDIFrameWnd::WinHelp(dwData, nCmd);
  else OnContextHelp();
}

void CUfxMDIFrameWnd::OnContextHelp() {
  m_bContextHelp = TRUE;
  if (m_bHelpMode != HELP_ACTIVE && CanEnterHelpMode()) CUfxToolBar::SetHelpModeHook(TRUE);
  CMDIFrameWnd::OnContextHelp();
  if (m_bHelpMode != HELP_ACTIVE) CUfxToolBar::SetHelpModeHook(FALSE);
  m_bContextHelp = FALSE;
}

void CUfxMDIFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) {
  CMDIFrameWnd::OnActivate(nState, pWndOther, bMinimized);
  if (nState == WA_INACTIVE) {
    CUfxMenuBar* pMenuBar = m_Impl.GetMenuBar();
    if (!CUfxToolBar::IsCustomizeMode() && CUfxPopupMenu::GetActiveMenu() != nullptr && pMenuBar != nullptr)
      pMenuBar->OnFrameDeactivated();
  } else if (nState == WA_CLICKACTIVE) {
    UpdateWindow();
  }
}

LRESULT CUfxMDIFrameWnd::OnMenuChar(UINT nChar, UINT, CMenu*) {
  if (m_Impl.TakeMenuChar(nChar)) return (LRESULT)(DWORD)0xFFFF0002;
  return Default();
}

void CUfxMDIFrameWnd::OnDestroy() {
  if (m_hAccelTable != nullptr) {
    ::DestroyAcceleratorTable(m_hAccelTable);
    m_hAccelTable = nullptr;
  }
  CMDIFrameWnd::OnDestroy();
}

void CUfxMDIFrameWnd::OnClose() {
  // An item active in place is deactivated before the frame goes; this layer hosts none.
  m_Impl.OnCloseFrame();
  CFrameWnd::OnClose();
}

LRESULT CUfxMDIFrameWnd::OnToolbarCreateNew(WPARAM, LPARAM lParam) {
  return (LRESULT)m_Impl.CreateNewToolbar((LPCWSTR)lParam);
}

LRESULT CUfxMDIFrameWnd::OnToolbarDelete(WPARAM, LPARAM lParam) {
  return m_Impl.DeleteToolbar((CUfxToolBar*)lParam);
}

void CUfxMDIFrameWnd::OnClosePopupMenu(CUfxPopupMenu* pMenuPopup) {
  if (CUfxPopupMenu::GetActiveMenu() == pMenuPopup) CUfxPopupMenu::SetActiveMenu(nullptr);
}

COleClientItem* CUfxMDIFrameWnd::GetInPlaceActiveItem() {
  CFrameWnd* pActiveFrame = GetActiveFrame();
  CView* pView = pActiveFrame != nullptr ? pActiveFrame->GetActiveView() : nullptr;
  return pView != nullptr ? AfxGetInPlaceActiveItem(pView) : nullptr;
}

// ---- the MDI side ------------------------------------------------------------------------------

BOOL CUfxMDIFrameWnd::CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu) {
  if (!CMDIFrameWnd::CreateClient(lpCreateStruct, pWindowMenu)) return FALSE;
  if (m_bDoSubclass) m_wndClientArea.SubclassWindow(m_hWndMDIClient);
  return TRUE;
}

HMENU CUfxMDIFrameWnd::GetWindowMenuPopup(HMENU hMenuBar) {
  m_hmenuWindow = CMDIFrameWnd::GetWindowMenuPopup(hMenuBar);
  return m_hmenuWindow;
}

BOOL CUfxMDIFrameWnd::OnSetMenu(HMENU hmenu) {
  CUfxMenuBar* pMenuBar = m_Impl.GetMenuBar();
  if (GetInPlaceActiveItem() != nullptr || pMenuBar == nullptr || pMenuBar->GetSafeHwnd() == nullptr) return FALSE;
  ::SetMenu(m_hWnd, nullptr);
  pMenuBar->CreateFromMenu(hmenu != nullptr ? hmenu : m_Impl.GetDefaultMenu(), FALSE, FALSE);
  return TRUE;
}

void CUfxMDIFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt) {
  CMDIFrameWnd::OnUpdateFrameMenu(hMenuAlt);
  CUfxMenuBar* pMenuBar = m_Impl.GetMenuBar();
  if (pMenuBar != nullptr && pMenuBar->GetSafeHwnd() != nullptr && pMenuBar->IsWindowVisible() &&
      GetInPlaceActiveItem() == nullptr)
    ::SetMenu(m_hWnd, nullptr);
}

void CUfxMDIFrameWnd::OnWindowPosChanged(WINDOWPOS* lpWndPos) {
  CMDIFrameWnd::OnWindowPosChanged(lpWndPos);
  CUfxMenuBar* pMenuBar = m_Impl.GetMenuBar();
  if (pMenuBar == nullptr || pMenuBar->GetSafeHwnd() == nullptr) return;
  BOOL bMaximized = FALSE;
  CMDIChildWnd* pChild = MDIGetActive(&bMaximized);
  pMenuBar->SetMaximizeMode(bMaximized, bMaximized ? pChild : nullptr);
}

void CUfxMDIFrameWnd::OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) {
  CUfxTabWnd& tabs = m_wndClientArea.GetTabWnd();
  if (m_wndClientArea.AreMDITabs() && tabs.GetSafeHwnd() != nullptr)
    tabs.ShowWindow(bPreview ? SW_HIDE : SW_SHOWNOACTIVATE);
  CMDIFrameWnd::OnSetPreviewMode(bPreview, pState);
}

void CUfxMDIFrameWnd::EnableWindowsDialog(UINT uiMenuId, LPCWSTR lpszMenuText, BOOL bShowAllways) {
  m_uiWindowsDlgMenuId = uiMenuId;
  m_strWindowsDlgMenuText = lpszMenuText != nullptr ? lpszMenuText : L"";
  m_bShowWindowsDlgAlways = bShowAllways;
}

BOOL CUfxMDIFrameWnd::ShowPopupMenu(CUfxPopupMenu* pMenuPopup) {
  if (!m_Impl.OnShowPopupMenu(pMenuPopup)) return FALSE;
  if (pMenuPopup == nullptr) return OnShowPopupMenu(nullptr);
  if (pMenuPopup->IsShown()) return TRUE;  // its buttons are there already
  if (!CUfxToolBar::IsCustomizeMode()) AddWindowMenuButtons(pMenuPopup);
  if (pMenuPopup->IsCustomizePane()) return TRUE;
  return OnShowPopupMenu(pMenuPopup);
}

BOOL CUfxMDIFrameWnd::AddWindowMenuButtons(CUfxPopupMenu* pMenuPopup) {
  HMENU hPopup = pMenuPopup->GetHMenu();
  if (m_hmenuWindow == nullptr || hPopup == nullptr) return FALSE;
  BOOL bWindowMenu = FALSE;
  for (int i = 0, n = ::GetMenuItemCount(hPopup); i < n && !bWindowMenu; ++i) {
    const UINT uiId = ::GetMenuItemID(hPopup, i);
    bWindowMenu = uiId >= AFX_IDM_WINDOW_FIRST && uiId <= AFX_IDM_WINDOW_LAST;
  }
  if (!bWindowMenu) return FALSE;
  BOOL bMoreWindows = FALSE, bFirst = TRUE;
  for (int i = 0; i < ::GetMenuItemCount(m_hmenuWindow); ++i) {
    const UINT uiId = ::GetMenuItemID(m_hmenuWindow, i);
    if (uiId < AFX_IDM_FIRST_MDICHILD || uiId == (UINT)-1) continue;
    if (uiId == kMoreWindowsEntry) {
      // The overflow entry is never a button; it only says that there are more windows.
      if (m_uiWindowsDlgMenuId != 0) bMoreWindows = TRUE;
      continue;
    }
    if (bFirst) {
      pMenuPopup->InsertSeparator();
      ::SendMessageW(m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
      bFirst = FALSE;
    }
    wchar_t szText[256] = {};
    ::GetMenuStringW(m_hmenuWindow, (UINT)i, szText, 256, MF_BYPOSITION);
    CUfxToolbarMenuButton button(uiId, nullptr, -1, szText);
    if (::GetMenuState(m_hmenuWindow, (UINT)i, MF_BYPOSITION) & MF_CHECKED) button.m_nStyle |= TBBS_CHECKED;
    pMenuPopup->InsertItem(button);
  }
  if (m_uiWindowsDlgMenuId != 0 && (bMoreWindows || m_bShowWindowsDlgAlways)) {
    if (CUfxToolBar::IsRecentlyUsedMenus()) CUfxToolBar::AddCoreCommand(m_uiWindowsDlgMenuId);
    pMenuPopup->InsertItem(CUfxToolbarMenuButton(m_uiWindowsDlgMenuId, nullptr, -1, m_strWindowsDlgMenuText));
  }
  return TRUE;
}
