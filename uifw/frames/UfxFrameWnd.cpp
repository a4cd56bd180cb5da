#include "frames/UfxFrameWnd.h"
#include "bars/UfxMenuBar.h"
#include "bars/UfxPopupMenu.h"
#include "bars/UfxToolBar.h"
#include "frames/UfxUserToolsManager.h"

IMPLEMENT_DYNCREATE(CUfxFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CUfxFrameWnd, CFrameWnd)
  ON_WM_CLOSE()
  ON_WM_DESTROY()
  ON_WM_ACTIVATE()
  ON_WM_MENUCHAR()
  ON_REGISTERED_MESSAGE(UFXM_CREATETOOLBAR, OnToolbarCreateNew)
  ON_REGISTERED_MESSAGE(UFXM_DELETETOOLBAR, OnToolbarDelete)
END_MESSAGE_MAP()

CFrameWnd* UfxFrameOverride = nullptr;
const UINT UFXM_TOOLBAR_POPUPMENU = ::RegisterWindowMessageW(L"UFXTOOLBAR_POPUPMENU");

CFrameWnd* UfxGetTopLevelFrame(const CWnd* pWnd) {
  if (UfxFrameOverride != nullptr) return UfxFrameOverride;
  if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr) return nullptr;
  if (CFrameWnd* pTop = pWnd->GetTopLevelFrame()) return pTop;
  return DYNAMIC_DOWNCAST(CFrameWnd, const_cast<CWnd*>(pWnd));
}

CUfxPopupMenuHost* CUfxPopupMenuHost::FromFrame(CWnd* pFrame) { return dynamic_cast<CUfxPopupMenuHost*>(pFrame); }

CUfxFrameWnd::CUfxFrameWnd() : m_Impl(this) {}

CUfxFrameWnd::~CUfxFrameWnd() = default;

void CUfxFrameWnd::OnClosePopupMenu(CUfxPopupMenu* pMenuPopup) {
  if (CUfxPopupMenu::GetActiveMenu() == pMenuPopup) CUfxPopupMenu::SetActiveMenu(nullptr);
}

BOOL CUfxFrameWnd::ShowPopupMenu(CUfxPopupMenu* pMenuPopup) {
  if (!m_Impl.OnShowPopupMenu(pMenuPopup)) return FALSE;
  if (pMenuPopup != nullptr && pMenuPopup->IsShown()) return TRUE;
  return OnShowPopupMenu(pMenuPopup);
}

void CUfxFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) {
  CFrameWnd::OnActivate(nState, pWndOther, bMinimized);
  if (nState == WA_INACTIVE) {
    CUfxMenuBar* pMenuBar = m_Impl.GetMenuBar();
    if (!CUfxToolBar::IsCustomizeMode() && CUfxPopupMenu::GetActiveMenu() != nullptr && pMenuBar != nullptr)
      pMenuBar->OnFrameDeactivated();
  } else if (nState == WA_CLICKACTIVE) {
    UpdateWindow();
  }
}

LRESULT CUfxFrameWnd::OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu) {
  if (m_Impl.TakeMenuChar(nChar)) return (LRESULT)(DWORD)0xFFFF0002;
  return Default();
}

void CUfxFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt) {
  CFrameWnd::OnUpdateFrameMenu(hMenuAlt);
  // With a visible menu bar the frame shows no window menu of its own.
  CUfxMenuBar* pMenuBar = m_Impl.GetMenuBar();
  if (pMenuBar != nullptr && pMenuBar->GetSafeHwnd() != nullptr && pMenuBar->IsVisible()) SetMenu(nullptr);
}

void CUfxFrameWnd::WinHelp(DWORD_PTR dwData, UINT nCmd) {
  if (dwData != 0 || !m_bContextHelp) CFrameWnd::WinHelp(dwData, nCmd);
  else OnContextHelp();
}

void CUfxFrameWnd::OnContextHelp() {
  m_bContextHelp = TRUE;
  if (m_bHelpMode != HELP_ACTIVE && CanEnterHelpMode()) CUfxToolBar::SetHelpModeHook(TRUE);
  CFrameWnd::OnContextHelp();
  if (m_bHelpMode != HELP_ACTIVE) CUfxToolBar::SetHelpModeHook(FALSE);
  m_bContextHelp = FALSE;
}

LRESULT CUfxFrameWnd::OnToolbarCreateNew(WPARAM, LPARAM lParam) {
  return (LRESULT)m_Impl.CreateNewToolbar((LPCWSTR)lParam);
}

LRESULT CUfxFrameWnd::OnToolbarDelete(WPARAM, LPARAM lParam) {
  return m_Impl.DeleteToolbar((CUfxToolBar*)lParam);
}

BOOL CUfxFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext) {
  if (!CFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext)) return FALSE;
  m_Impl.OnLoadFrame(nIDResource);
  return TRUE;
}

BOOL CUfxFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
  m_Impl.RestorePosition(cs);
  return CFrameWnd::PreCreateWindow(cs);
}

void CUfxFrameWnd::OnClose() {
  m_Impl.OnCloseFrame();
  CFrameWnd::OnClose();
}

void CUfxFrameWnd::OnDestroy() {
  // The frame's own table (the keyboard manager builds it) goes with the frame.
  if (m_hAccelTable != nullptr) {
    ::DestroyAcceleratorTable(m_hAccelTable);
    m_hAccelTable = nullptr;
  }
  CFrameWnd::OnDestroy();
}

BOOL CUfxFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (m_Impl.TakeFrameCommand(wParam)) return TRUE;
  return CFrameWnd::OnCommand(wParam, lParam);
}

BOOL CUfxFrameWnd::PreTranslateMessage(MSG* pMsg) {
  switch (m_Impl.FilterFrameMessage(pMsg)) {
    case CUfxFrameHelper::FilterConsumed: return TRUE;
    case CUfxFrameHelper::FilterNoTranslate: return FALSE;
    default: return CFrameWnd::PreTranslateMessage(pMsg);
  }
}
