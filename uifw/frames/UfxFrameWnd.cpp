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
  // The helper looks keys up as virtual keys: a letter's key is its capital.
  const UINT nKey = (UINT)(ULONG_PTR)::CharUpperW((LPWSTR)(ULONG_PTR)(WORD)nChar);
  if (m_Impl.OnMenuChar(nKey)) return (LRESULT)(DWORD)0xFFFF0002;
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
  // Only accelerator commands are probed: menu, tray and other windows' commands always arrive.
  if (HIWORD(wParam) == 1) {
    const UINT uiCmd = LOWORD(wParam);
    if (m_Impl.ProcessKeyboard(VK_ESCAPE)) return TRUE;
    if (UfxUserToolsManager != nullptr && UfxUserToolsManager->InvokeTool(uiCmd)) return TRUE;
  }
  return CFrameWnd::OnCommand(wParam, lParam);
}

BOOL CUfxFrameWnd::PreTranslateMessage(MSG* pMsg) {
  switch (pMsg->message) {
    case WM_SYSKEYDOWN:
    case WM_CONTEXTMENU:
    case WM_KEYDOWN: {
      if (OnKeyMessage(pMsg)) return TRUE;
      BOOL bProcessAccel = TRUE;
      if (pMsg->message == WM_KEYDOWN) {
        const BOOL bPlainF1 = pMsg->wParam == VK_F1 && (HIWORD(pMsg->lParam) & KF_REPEAT) == 0 &&
                              !(::GetKeyState(VK_SHIFT) & 0x8000) && !(::GetKeyState(VK_CONTROL) & 0x8000) &&
                              !(::GetKeyState(VK_MENU) & 0x8000);
        if (!bPlainF1 && m_Impl.ProcessKeyboard((int)pMsg->wParam, &bProcessAccel)) return TRUE;
      } else if (m_Impl.ProcessKeyboard((int)pMsg->wParam, &bProcessAccel)) {
        return TRUE;
      }
      if (!bProcessAccel) return FALSE;
      break;
    }
    case WM_SYSKEYUP:
      if (OnAltReleased(pMsg)) return TRUE;
      if (IsIconic()) return FALSE;  // a minimised frame translates nothing
      break;
    case WM_KEYUP:
    case WM_CHAR:
    case WM_SYSCHAR:
      if (IsIconic()) return FALSE;
      break;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONUP: {
      const CPoint ptScreen((short)LOWORD(pMsg->lParam), (short)HIWORD(pMsg->lParam));
      if (m_Impl.ProcessMouseClick(pMsg->message, ptScreen, pMsg->hwnd)) return TRUE;
      break;
    }
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
      if (OnMouseMessage(pMsg)) return TRUE;
      break;
  }
  return CFrameWnd::PreTranslateMessage(pMsg);
}

BOOL CUfxFrameWnd::OnKeyMessage(MSG* pMsg) {
  // Alt (or the context-menu key) closes an open popup menu.
  if (pMsg->message == WM_KEYDOWN || pMsg->wParam != VK_MENU) return FALSE;
  CUfxPopupMenu* pActivePopup = CUfxPopupMenu::GetActiveMenu();
  if (pActivePopup == nullptr || pActivePopup->GetSafeHwnd() == nullptr) return FALSE;
  pActivePopup->SendMessage(WM_CLOSE);
  return TRUE;
}

BOOL CUfxFrameWnd::OnAltReleased(MSG* pMsg) {
  CUfxMenuBar* pMenuBar = m_Impl.GetMenuBar();
  if (pMenuBar != nullptr && pMenuBar->GetSafeHwnd() != nullptr && pMsg->wParam == VK_MENU && !IsIconic()) {
    // Alt alone moves the focus into the menu bar and back.
    if (::GetFocus() == pMenuBar->GetSafeHwnd()) SetFocus();
    else pMenuBar->SetFocus();
    return TRUE;
  }
  CUfxPopupMenu* pActivePopup = CUfxPopupMenu::GetActiveMenu();
  return pActivePopup != nullptr && pActivePopup->GetSafeHwnd() != nullptr;
}

BOOL CUfxFrameWnd::OnMouseMessage(MSG* pMsg) {
  CPoint ptScreen((short)LOWORD(pMsg->lParam), (short)HIWORD(pMsg->lParam));
  if (!::IsWindow(pMsg->hwnd)) return TRUE;  // the click's window is gone
  ::ClientToScreen(pMsg->hwnd, &ptScreen);
  if (pMsg->message == WM_MOUSEMOVE) {
    // Moves over the open menu chain are the menu's own; the windows below it see no others.
    CUfxPopupMenu* pActivePopup = CUfxPopupMenu::GetActiveMenu();
    return !CUfxToolBar::IsCustomizeMode() && pActivePopup != nullptr && pActivePopup->GetSafeHwnd() != nullptr &&
           !pActivePopup->OnMouseMove(ptScreen);
  }
  // A bar offers its messages to its frame before the frame's own turn comes: one request each.
  const bool bSeen = m_msgLastMouse.hwnd == pMsg->hwnd && m_msgLastMouse.message == pMsg->message &&
                     m_msgLastMouse.lParam == pMsg->lParam && m_msgLastMouse.time == pMsg->time;
  m_msgLastMouse = *pMsg;
  if (bSeen) return FALSE;
  if (m_Impl.ProcessMouseClick(pMsg->message, ptScreen, pMsg->hwnd)) return TRUE;
  if (!::IsWindow(pMsg->hwnd)) return TRUE;
  if (pMsg->message == WM_RBUTTONUP && !CUfxToolBar::IsCustomizeMode() &&
      DYNAMIC_DOWNCAST(CDockBar, CWnd::FromHandlePermanent(pMsg->hwnd)) != nullptr)
    SendMessage(UFXM_TOOLBAR_POPUPMENU, (WPARAM)GetSafeHwnd(), MAKELPARAM(ptScreen.x, ptScreen.y));
  return FALSE;
}
