#include "bars/UfxDialogMenuHelper.h"
#include "bars/UfxPopupMenu.h"
#include "bars/UfxPopupMenuBar.h"
#include "bars/UfxMenuBar.h"
#include "bars/UfxToolbarMenuButton.h"
#include "bars/UfxCommandUsage.h"
#include "frames/UfxUserToolsManager.h"

CUfxPopupMenu* CUfxDialogMenuHelper::s_pActivePopup = nullptr;
CUfxDialogMenuHelper* CUfxDialogMenuHelper::s_pActiveHelper = nullptr;
HHOOK CUfxDialogMenuHelper::s_hookMouse = nullptr;

CUfxDialogMenuHelper::~CUfxDialogMenuHelper() {
  if (s_pActiveHelper == this) SetActiveMenu(nullptr);
}

void CUfxDialogMenuHelper::SetActiveMenu(CUfxPopupMenu* pMenu) {
  s_pActivePopup = pMenu;
  if (pMenu != nullptr) {
    if (s_hookMouse == nullptr) s_hookMouse = ::SetWindowsHookExW(WH_MOUSE, MouseHookProc, nullptr, ::GetCurrentThreadId());
    s_pActiveHelper = this;
  } else {
    if (s_hookMouse != nullptr) ::UnhookWindowsHookEx(s_hookMouse);
    s_hookMouse = nullptr;
    s_pActiveHelper = nullptr;
  }
}

BOOL CUfxDialogMenuHelper::IsPopupLive() const {
  return s_pActivePopup != nullptr && ::IsWindow(s_pActivePopup->GetSafeHwnd());
}

void CUfxDialogMenuHelper::ClosePopup(CUfxPopupMenu* pMenu) {
  if (pMenu == nullptr || !::IsWindow(pMenu->GetSafeHwnd()) || pMenu->InCommand()) return;
  pMenu->SendMessage(WM_CLOSE);
}

BOOL CUfxDialogMenuHelper::TestParentPopup(CUfxPopupMenu* pPopup, POINT pt, BOOL& bConsumed) {
  switch (pPopup->CheckArea(pt)) {
    case CUfxPopupMenu::MENU:
    case CUfxPopupMenu::LOGO:
    case CUfxPopupMenu::TEAROFF_CAPTION:
      bConsumed = FALSE;
      return TRUE;
    case CUfxPopupMenu::SHADOW_RIGHT:
    case CUfxPopupMenu::SHADOW_BOTTOM:
      ClosePopup(pPopup);
      if (m_pOwner != nullptr && m_pOwner->GetSafeHwnd() != nullptr) m_pOwner->SetFocus();
      bConsumed = TRUE;
      return TRUE;
    default:
      return FALSE;
  }
}

BOOL CUfxDialogMenuHelper::ProcessMouseClick(POINT pt) {
  if (CUfxToolBar::IsCustomizeMode() || !IsPopupLive()) return FALSE;
  CUfxPopupMenu* pPopup = s_pActivePopup;
  switch (pPopup->CheckArea(pt)) {
    case CUfxPopupMenu::SHADOW_RIGHT:
    case CUfxPopupMenu::SHADOW_BOTTOM:
      ClosePopup(pPopup);
      if (m_pOwner != nullptr && m_pOwner->GetSafeHwnd() != nullptr) m_pOwner->SetFocus();
      return TRUE;
    case CUfxPopupMenu::OUTSIDE:
      break;
    default:
      return FALSE;
  }
  CUfxToolbarMenuButton* pParentButton = pPopup->GetParentButton();
  CWnd* pParentBar = pParentButton != nullptr ? pParentButton->GetParentWnd() : nullptr;
  if (pParentButton != nullptr && pParentBar != nullptr && pParentBar->GetSafeHwnd() != nullptr) {
    CRect rectButton = pParentButton->Rect();
    pParentBar->ClientToScreen(&rectButton);
    const BOOL bOnPopupBar = pParentBar->IsKindOf(RUNTIME_CLASS(CUfxPopupMenuBar));
    if (rectButton.PtInRect(pt)) {
      if (!bOnPopupBar) ClosePopup(pPopup);
      return TRUE;
    }
    if (bOnPopupBar) {
      CUfxPopupMenuBar* pBar = static_cast<CUfxPopupMenuBar*>(pParentBar);
      pBar->CancelDelayTimer();
      BOOL bConsumed = FALSE;
      if (CUfxPopupMenu* pParentPopup = pBar->GetParentPopup())
        if (TestParentPopup(pParentPopup, pt, bConsumed)) return bConsumed;
    }
  }
  const HWND hwndFocus = ::GetFocus();
  const BOOL bMenuBarFocus = hwndFocus != nullptr && DYNAMIC_DOWNCAST(CUfxMenuBar, CWnd::FromHandlePermanent(hwndFocus)) != nullptr;
  ClosePopup(pPopup);
  if (bMenuBarFocus && m_pOwner != nullptr && m_pOwner->GetSafeHwnd() != nullptr) m_pOwner->SetFocus();
  return FALSE;
}

BOOL CUfxDialogMenuHelper::ProcessMouseMove(POINT pt) {
  if (CUfxToolBar::IsCustomizeMode() || !IsPopupLive()) return FALSE;
  return !s_pActivePopup->OnMouseMove(pt);
}

BOOL CUfxDialogMenuHelper::ProcessMessage(MSG* pMsg) {
  switch (pMsg->message) {
    case WM_SYSKEYDOWN:
      if (pMsg->wParam == VK_MENU && IsPopupLive()) {
        s_pActivePopup->SendMessage(WM_CLOSE);
        return TRUE;
      }
      return FALSE;
    case WM_CONTEXTMENU:
      // wParam is a window here, never a key: an open popup closes whatever it says.
      if (IsPopupLive()) {
        s_pActivePopup->SendMessage(WM_CLOSE);
        return TRUE;
      }
      return FALSE;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONUP: {
      POINT pt = {(short)LOWORD(pMsg->lParam), (short)HIWORD(pMsg->lParam)};
      return ProcessMouseClick(pt);
    }
    case WM_KEYDOWN:
      if (IsPopupLive()) {
        s_pActivePopup->SendMessage(WM_KEYDOWN, pMsg->wParam, pMsg->lParam);
        return TRUE;
      }
      return FALSE;
    case WM_SYSKEYUP:
      return IsPopupLive();
    case WM_MOUSEMOVE: {
      POINT pt = {(short)LOWORD(pMsg->lParam), (short)HIWORD(pMsg->lParam)};
      ::ClientToScreen(pMsg->hwnd, &pt);
      return ProcessMouseMove(pt);
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP: {
      POINT pt = {(short)LOWORD(pMsg->lParam), (short)HIWORD(pMsg->lParam)};
      ::ClientToScreen(pMsg->hwnd, &pt);
      const HWND hwnd = pMsg->hwnd;
      if (ProcessMouseClick(pt) || !::IsWindow(hwnd)) return TRUE;
      if (pMsg->message == WM_RBUTTONUP && !CUfxToolBar::IsCustomizeMode() && m_pOwner != nullptr &&
          DYNAMIC_DOWNCAST(CDockBar, CWnd::FromHandlePermanent(hwnd)) != nullptr)
        m_pOwner->SendMessage(UFXM_TOOLBARMENU, (WPARAM)m_pOwner->GetSafeHwnd(), MAKELPARAM(pt.x, pt.y));
      return FALSE;
    }
    default:
      return FALSE;
  }
}

LRESULT CALLBACK CUfxDialogMenuHelper::MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam) {
  if (nCode == HC_ACTION && s_pActiveHelper != nullptr) {
    switch (wParam) {
      case WM_LBUTTONDOWN:
      case WM_RBUTTONDOWN:
      case WM_MBUTTONDOWN:
      case WM_NCLBUTTONDOWN:
      case WM_NCRBUTTONDOWN:
      case WM_NCMBUTTONDOWN: {
        const MOUSEHOOKSTRUCT* pInfo = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
        CWnd* pOwner = s_pActiveHelper->m_pOwner;
        CRect rectOwner;
        if (pOwner != nullptr && pOwner->GetSafeHwnd() != nullptr) pOwner->GetWindowRect(rectOwner);
        if (pInfo != nullptr && !rectOwner.PtInRect(pInfo->pt)) s_pActiveHelper->ProcessMouseClick(pInfo->pt);
        break;
      }
      default:
        break;
    }
  }
  return ::CallNextHookEx(s_hookMouse, nCode, wParam, lParam);
}

BOOL CUfxDialogMenuHelper::OnCommand(WPARAM wParam) {
  if (HIWORD(wParam) != 1) return FALSE;  // accelerators only
  const UINT uiCmd = LOWORD(wParam);
  if (!UfxIsReservedCommand(uiCmd) && !CUfxToolBar::IsCoreCommand(uiCmd)) UfxCommandUsage.AddCommand(uiCmd);
  if (IsPopupLive()) {
    s_pActivePopup->SendMessage(WM_KEYDOWN, VK_ESCAPE);
    return TRUE;
  }
  return UfxUserToolsManager != nullptr && UfxUserToolsManager->InvokeTool(uiCmd);
}

void CUfxDialogMenuHelper::OnNcActivate(BOOL& bActive) {
  if (m_pOwner == nullptr || m_pOwner->GetSafeHwnd() == nullptr) return;
  if (m_dwOwnerState & kCaptionActiveFlag) bActive = TRUE;
  if (!m_pOwner->IsWindowEnabled()) bActive = FALSE;
}

void CUfxDialogMenuHelper::OnActivate(UINT nState, CWnd* pWndOther) {
  m_dwOwnerState &= ~kCaptionActiveFlag;
  if (nState != WA_INACTIVE || (pWndOther != nullptr && (pWndOther == m_pOwner ||
                                                          pWndOther->SendMessage(WM_FLOATSTATUS, FS_SYNCACTIVE) != 0)))
    m_dwOwnerState |= kCaptionActiveFlag;
  if (pWndOther == nullptr && m_pOwner != nullptr && m_pOwner->GetSafeHwnd() != nullptr)
    m_pOwner->SendMessage(WM_NCACTIVATE, (m_dwOwnerState & kCaptionActiveFlag) != 0);
}
