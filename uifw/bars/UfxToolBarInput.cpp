// CUfxToolBar: the mouse, the keyboard, the focus and the help-mode hook.
#include "bars/UfxToolBarShared.h"
#include "bars/UfxToolbarButton.h"
#include "bars/UfxCommandUsage.h"
#include "bars/UfxCustomizeButton.h"
#include "bars/UfxToolbarSystemMenuButton.h"
#include "frames/UfxCommandManager.h"
#include "frames/UfxFrameHelper.h"
#include "frames/UfxFrameWnd.h"
#include "frames/UfxGlobalData.h"
#include "frames/UfxKeyboardManager.h"
#include "bars/UfxPopupMenu.h"
#include "bars/UfxPopupMenuBar.h"
#include "frames/UfxRegistry.h"
#include "bars/UfxTrackMouse.h"
#include "bars/UfxUserTool.h"
#include "frames/UfxUserToolsManager.h"
#include "looks/UfxVisualManager.h"
#include "frames/UfxWorkspace.h"
#include "FwReBar.h"
#include <commctrl.h>

using namespace ufx_toolbar;

// ---- mouse --------------------------------------------------------------------------------------

namespace {
BOOL IsOfClass(const CObject* pObject, const char* pszClassName) {
  for (const CRuntimeClass* pClass = pObject->GetRuntimeClass(); pClass != nullptr; pClass = pClass->m_pBaseClass)
    if (strcmp(pClass->m_lpszClassName, pszClassName) == 0) return TRUE;
  return FALSE;
}

BOOL IsMenuButton(CUfxToolbarButton* pButton) { return DYNAMIC_DOWNCAST(CUfxToolbarMenuButton, pButton) != nullptr; }
}  // namespace

BOOL CUfxToolBar::IsAlive(HWND hwnd, const CUfxToolBar* pBar) {
  return ::IsWindow(hwnd) && CWnd::FromHandlePermanent(hwnd) == pBar;
}

void CUfxToolBar::TrackMouseLeave() {
  TRACKMOUSEEVENT tme = {};
  tme.cbSize = sizeof(tme);
  tme.dwFlags = TME_LEAVE;
  tme.hwndTrack = m_hWnd;
  m_bTracked = UfxTrackMouse(&tme);
}

void CUfxToolBar::OnMouseMove(UINT nFlags, CPoint point) {
  if (m_bStretchButton) {
    TrackStretch(point);
    return;
  }
  if (s_bCustomizeMode && !m_bLocked) {
    CControlBar::OnMouseMove(nFlags, point);
    return;
  }
  if (point == m_ptLastMouse) return;
  m_ptLastMouse = point;
  int iHit = HitTest(point);
  if (const CUfxToolbarButton* pHit = GetButton(iHit)) {
    if ((pHit->m_nStyle & TBBS_SEPARATOR) || ((pHit->m_nStyle & TBBS_DISABLED) && !HighlightsDisabledButtons()))
      iHit = -1;
  }
  if (iHit == -1 && ::GetFocus() == m_hWnd) iHit = m_iHighlighted;
  if (!m_bTracked) TrackMouseLeave();
  if (iHit == m_iHighlighted) return;

  if (CUfxToolbarButton* pPressed = GetButton(m_iButtonCapture)) {
    const UINT nOldStyle = pPressed->m_nStyle;
    if (iHit == m_iButtonCapture) pPressed->m_nStyle |= TBBS_PRESSED;
    else pPressed->m_nStyle &= ~TBBS_PRESSED;
    if (nOldStyle != pPressed->m_nStyle) InvalidateButton(m_iButtonCapture);
  }
  const int iOld = m_iHighlighted;
  m_iHighlighted = iHit;
  // SetHotButton below repaints the old hot button and the new one unless the new one was hot
  // already; each rectangle is invalidated once (every invalidation is a trip to the server).
  if (iOld != m_iHotKeyButton) InvalidateButton(iOld);
  if (iHit == m_iHotKeyButton) InvalidateButton(iHit);
  if (!IsHelpModeHookActive()) {
    if (const CUfxToolbarButton* pHit = GetButton(iHit)) ShowCommandPrompt(pHit->m_nID);
    else SendIdlePrompt();
  }
  const HWND hwnd = m_hWnd;
  SetHotButton(iHit);
  if (IsAlive(hwnd, this)) UpdateWindow();
}

void CUfxToolBar::OnLButtonDown(UINT nFlags, CPoint point) {
  const int iHit = HitTest(point);
  if (iHit < 0) {
    m_iButtonCapture = -1;
    if (s_bCustomizeMode && !m_bLocked) {
      SelectForCustomize(-1);
      SetHotButton(-1);
    }
    CControlBar::OnLButtonDown(nFlags, point);
    return;
  }
  if (IsCustomizeClick(nFlags)) {
    // Customize mode (or Alt) selects the button and drags or resizes it.
    StartCustomizeDrag(iHit, nFlags, point);
    return;
  }
  OnPressButton(iHit);
}

void CUfxToolBar::OnPressButton(int iButton) {
  m_iButtonCapture = iButton;
  UpdateButtonCmdUI(iButton);
  CUfxToolbarButton* pButton = GetButton(iButton);
  if (pButton == nullptr || m_iButtonCapture != iButton) return;
  if ((pButton->m_nStyle & TBBS_DISABLED) && !IsOfClass(pButton, "CUfxDropDownToolbarButton")) {
    m_iButtonCapture = -1;
    return;
  }
  pButton->m_nStyle |= TBBS_PRESSED;
  InvalidateButton(iButton);
  UpdateWindow();
  ShowCommandPrompt(pButton->m_nID);

  const HWND hwnd = m_hWnd;
  if (pButton->OnClick(this, FALSE)) {
    // A menu button opened its popup: the bar holds nothing pressed meanwhile.
    if (!IsAlive(hwnd, this)) return;
    if (ButtonToIndex(pButton) >= 0) pButton->m_nStyle &= ~TBBS_PRESSED;
    m_iButtonCapture = -1;
    m_iHighlighted = -1;
    SetHotButton(-1);
    return;
  }
  if (!IsAlive(hwnd, this)) return;
  m_pWndLastCapture = SetCapture();
}

void CUfxToolBar::OnLButtonUp(UINT nFlags, CPoint point) {
  if (m_bStretchButton) {
    EndStretch(point);
    return;
  }
  if ((s_bCustomizeMode && !m_bLocked) || m_iButtonCapture < 0) {
    CControlBar::OnLButtonUp(nFlags, point);
    return;
  }
  const int iPressed = m_iButtonCapture;
  CUfxToolbarButton* pButton = GetButton(iPressed);
  if (GetCapture() == this) ::ReleaseCapture();
  m_pWndLastCapture = nullptr;
  if (pButton == nullptr) {
    m_iButtonCapture = -1;
    return;
  }
  pButton->m_nStyle &= ~TBBS_PRESSED;
  const BOOL bOver = HitTest(point) == iPressed;
  UINT nID = 0;
  if (bOver && !(pButton->m_nStyle & TBBS_DISABLED)) {
    if (pButton->m_nStyle & TBBS_CHECKBOX) {
      if (pButton->m_nStyle & TBBS_INDETERMINATE) pButton->m_nStyle &= ~(TBBS_INDETERMINATE | TBBS_CHECKED);
      else pButton->m_nStyle ^= TBBS_CHECKED;
    }
    nID = pButton->m_nID;
  }
  if (!IsHelpModeHookActive()) SendIdlePrompt();
  m_iButtonCapture = -1;
  m_iHighlighted = -1;
  const HWND hwnd = m_hWnd;
  RestoreFocus();
  if (!IsAlive(hwnd, this)) return;
  InvalidateButton(iPressed);
  if (bOver && !HandlesClickUp(pButton) && nID != 0 && nID != (UINT)-1) {
    UpdateWindow();
    UfxCommandUsage.AddCommand(nID);
    if (!pButton->OnClickUp()) {
      if (!IsAlive(hwnd, this)) return;
      if (UfxUserToolsManager == nullptr || !UfxUserToolsManager->InvokeTool(nID)) {
        if (CWnd* pTarget = GetCommandTarget()) pTarget->SendMessage(WM_COMMAND, nID);
      }
    }
  }
  // The command may have closed the frame, the bar or the button.
  if (!IsAlive(hwnd, this)) return;
  const int iNow = ButtonToIndex(pButton);
  if (iNow < 0) return;
  UpdateButtonCmdUI(iNow);
  InvalidateButton(iNow);
}

void CUfxToolBar::OnLButtonDblClk(UINT nFlags, CPoint point) {
  const int iHit = HitTest(point);
  CUfxToolbarButton* pButton = GetButton(iHit);
  if (pButton == nullptr) {
    CControlBar::OnLButtonDblClk(nFlags, point);
    return;
  }
  const HWND hwnd = m_hWnd;
  pButton->OnDblClick(this);
  if (!IsAlive(hwnd, this) || ButtonToIndex(pButton) < 0) return;
  if (!pButton->IsKindOf(RUNTIME_CLASS(CUfxToolbarSystemMenuButton))) OnLButtonDown(nFlags, point);
}

LRESULT CUfxToolBar::OnMouseLeave(WPARAM, LPARAM) {
  m_bTracked = FALSE;
  m_ptLastMouse = CPoint(-1, -1);
  if (IsHelpModeHookActive()) return 0;
  if (!s_bCustomizeMode && m_bMenuMode && GetDroppedDownMenu() != nullptr) return 0;
  if (::GetFocus() == m_hWnd || m_iHighlighted < 0) return 0;
  const int iOld = m_iHighlighted;
  CUfxToolbarButton* pButton = GetButton(iOld);
  m_iHighlighted = -1;
  InvalidateButton(iOld);
  UpdateWindow();
  if (pButton == nullptr || !pButton->IsDroppedDown()) SendIdlePrompt();
  return 0;
}

void CUfxToolBar::OnCancelMode() {
  CControlBar::OnCancelMode();
  CancelStretch();
  if (GetCapture() == this) ::ReleaseCapture();
  if (CUfxToolbarButton* pPressed = GetButton(m_iButtonCapture)) pPressed->m_nStyle &= ~TBBS_PRESSED;
  m_iButtonCapture = -1;
  m_iHighlighted = -1;
  for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) AsButton(m_Buttons.GetNext(pos))->OnCancelMode();
  Invalidate();
}

void CUfxToolBar::OnContextMenu(CWnd* pWnd, CPoint point) {
  if (s_bCustomizeMode) {
    ShowCustomizeMenu(point);
    return;
  }
  CFrameWnd* pFrame = GetTopLevelFrame();
  if (pFrame == nullptr) return;
  if (point.x == -1 && point.y == -1) {
    CRect rect;
    GetWindowRect(rect);
    point = rect.TopLeft() + CPoint(5, 5);
  }
  pFrame->SendMessage(UFXM_TOOLBARMENU, (WPARAM)m_hWnd, MAKELPARAM(point.x, point.y));
}

BOOL CUfxToolBar::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  // The resize cursor while resizing, and over the right edge of a selected stretchable button.
  BOOL bResize = m_bStretchButton;
  if (!bResize && s_bCustomizeMode && !m_bLocked && nHitTest == HTCLIENT) {
    const CUfxToolbarButton* pSelected = GetButton(m_iSelected);
    if (pSelected != nullptr && pSelected->CanBeStretched()) {
      CPoint point;
      ::GetCursorPos(&point);
      ScreenToClient(&point);
      bResize = IsNearRightEdge(pSelected, point);
    }
  }
  if (bResize) {
    if (HCURSOR hcur = ::LoadCursorW(AfxGetResourceHandle(), MAKEINTRESOURCEW(30980))) {
      ::SetCursor(hcur);
      return TRUE;
    }
  }
  return CControlBar::OnSetCursor(pWnd, nHitTest, message);
}

// ---- keyboard and focus -------------------------------------------------------------------------

BOOL CUfxToolBar::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE) {
    if (m_bStretchButton) {
      CancelStretch();
      return TRUE;
    }
    if (GetDroppedDownMenu() == nullptr) {
      Deactivate();
      RestoreFocus();
      return TRUE;
    }
  }
  return CControlBar::PreTranslateMessage(pMsg);
}

void CUfxToolBar::Deactivate() {
  const int iOld = m_iHighlighted;
  m_iHighlighted = -1;
  m_iHotKeyButton = -1;
  if (iOld >= 0) {
    InvalidateButton(iOld);
    UpdateWindow();
  }
  SendIdlePrompt();
  RestoreFocus();
}

void CUfxToolBar::RestoreFocus() {
  const HWND hwnd = m_hwndLastFocus;
  m_hwndLastFocus = nullptr;
  if (hwnd != nullptr && ::IsWindow(hwnd)) ::SetFocus(hwnd);
}

BOOL CUfxToolBar::ProcessMnemonicKey(UINT uiVirtKey) {
  BYTE keys[256] = {};
  ::GetKeyboardState(keys);
  WORD wChar = 0;
  if (::ToAsciiEx(uiVirtKey, ::MapVirtualKeyW(uiVirtKey, 0), keys, &wChar, 0, ::GetKeyboardLayout(0)) != 1) return FALSE;
  const UINT uiUpper = (UINT)(ULONG_PTR)::CharUpperW((LPWSTR)(ULONG_PTR)(wChar & 0xFF));
  CUfxToolbarButton* pButton = nullptr;
  if (!m_AcellKeys.Lookup(uiUpper, pButton) || (pButton->m_nStyle & TBBS_DISABLED)) return FALSE;
  if (IsMenuButton(pButton)) {
    const int iAnimation = s_iMenuAnimation;
    s_iMenuAnimation = 0;
    m_iHighlighted = ButtonToIndex(pButton);
    const HWND hwnd = m_hWnd;
    pButton->OnClick(this, FALSE);
    s_iMenuAnimation = iAnimation;
    if (!IsAlive(hwnd, this)) return TRUE;
    InvalidateButton(m_iHighlighted);
    SelectFirstPopupItem(pButton);
    return TRUE;
  }
  RunButtonCommand(pButton);
  return TRUE;
}

void CUfxToolBar::SelectFirstPopupItem(CUfxToolbarButton* pButton) {
  CUfxToolbarMenuButton* pMenuButton = DYNAMIC_DOWNCAST(CUfxToolbarMenuButton, pButton);
  CUfxPopupMenu* pPopup = pMenuButton != nullptr ? pMenuButton->GetPopupMenu() : nullptr;
  if (pPopup != nullptr && pPopup->GetSafeHwnd() != nullptr) pPopup->SendMessage(WM_KEYDOWN, VK_HOME);
}

BOOL CUfxToolBar::PrevMenu() { return MoveToMenu(-1); }

BOOL CUfxToolBar::NextMenu() { return MoveToMenu(1); }

BOOL CUfxToolBar::MoveToMenu(int nStep) {
  const int nCount = GetButtonCount();
  if (nCount == 0) return FALSE;
  const int iStart = m_iHotKeyButton >= 0 ? m_iHotKeyButton : m_iHighlighted;
  // Without a hot button the search starts before the first button going right, at it going left.
  const int iFrom = iStart >= 0 ? iStart : (nStep < 0 ? 0 : -1);
  for (int n = 1; n <= nCount; ++n) {
    const int i = ((iFrom + n * nStep) % nCount + nCount) % nCount;
    CUfxToolbarButton* pButton = GetButton(i);
    if (IsMenuButton(pButton) && !(pButton->m_nStyle & TBBS_DISABLED)) {
      m_iHighlighted = i;
      const HWND hwnd = m_hWnd;
      SetHotButton(i);
      if (IsAlive(hwnd, this)) SelectFirstPopupItem(pButton);
      return TRUE;
    }
  }
  return FALSE;
}

int CUfxToolBar::SetHotButton(int iHot) {
  const int iOld = m_iHotKeyButton;
  if (iHot == m_iHotKeyButton) {
    m_iHotKeyButton = -1;
    return iOld;
  }
  int iDropped = -1;
  CUfxToolbarButton* pDropped = GetDroppedDownMenu(&iDropped);
  m_iHotKeyButton = iHot;
  if (s_bCustomizeMode) m_iSelected = iHot;
  if (pDropped != nullptr && iDropped != iHot) {
    // Moving along a bar with an open popup closes it and opens the new button's.
    const HWND hwnd = m_hWnd;
    pDropped->OnCancelMode();
    if (!IsAlive(hwnd, this)) return iOld;
    CUfxToolbarButton* pNew = GetButton(iHot);
    if (pNew != nullptr && !(s_bCustomizeMode && pNew->IsKindOf(RUNTIME_CLASS(CUfxToolbarSystemMenuButton)))) {
      pNew->OnClick(this, FALSE);
      if (!IsAlive(hwnd, this)) return iOld;
    }
  }
  InvalidateButton(iOld);
  InvalidateButton(iHot);
  return iOld;
}

void CUfxToolBar::OnSetFocus(CWnd* pOldWnd) {
  CControlBar::OnSetFocus(pOldWnd);
  if (pOldWnd == nullptr) return;
  for (HWND hwnd = pOldWnd->GetSafeHwnd(); hwnd != nullptr; hwnd = ::GetParent(hwnd))
    if (DYNAMIC_DOWNCAST(CUfxToolBar, CWnd::FromHandlePermanent(hwnd)) != nullptr) return;
  m_hwndLastFocus = pOldWnd->GetSafeHwnd();
}

void CUfxToolBar::OnKillFocus(CWnd* pNewWnd) {
  CControlBar::OnKillFocus(pNewWnd);
  if (s_bCustomizeMode) return;
  // The focus went to a popup this bar opened: the bar stays active.
  if (pNewWnd != nullptr && GetDroppedDownMenu() != nullptr && ::GetWindow(pNewWnd->GetSafeHwnd(), GW_OWNER) != nullptr)
    return;
  // A control on the bar keeps the bar active and the window to go back to.
  if (pNewWnd != nullptr && ::IsChild(m_hWnd, pNewWnd->GetSafeHwnd())) return;
  // The focus has gone where the user sent it; it is not taken back.
  m_hwndLastFocus = nullptr;
  Deactivate();
}

// ---- help mode ----------------------------------------------------------------------------------

namespace {
LRESULT CALLBACK HelpModeMouseProc(int nCode, WPARAM wParam, LPARAM lParam) {
  if (nCode == HC_ACTION && wParam == WM_MOUSEMOVE) {
    try {
      CUfxToolBar::OnHelpModeMouseMove(reinterpret_cast<MOUSEHOOKSTRUCT*>(lParam)->pt);
    } catch (...) {
      // Nothing leaves a hook procedure.
    }
  }
  return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}
}  // namespace

void CUfxToolBar::OnHelpModeMouseMove(POINT ptScreen) {
  CUfxToolBar* pBar = nullptr;
  for (HWND hwnd = ::WindowFromPoint(ptScreen); hwnd != nullptr && pBar == nullptr; hwnd = ::GetParent(hwnd))
    pBar = DYNAMIC_DOWNCAST(CUfxToolBar, CWnd::FromHandlePermanent(hwnd));
  CUfxToolBar* pLast = s_pLastHookedToolbar;
  if (pLast != nullptr && pLast != pBar && s_lstAllToolbars.Find(pLast) != nullptr && pLast->m_iHighlighted >= 0) {
    const int iOld = pLast->m_iHighlighted;
    pLast->m_iHighlighted = -1;
    pLast->m_ptLastMouse = CPoint(-1, -1);
    pLast->InvalidateButton(iOld);
    pLast->UpdateWindow();
  }
  s_pLastHookedToolbar = pBar;
  if (pBar == nullptr) return;
  CPoint point(ptScreen);
  pBar->ScreenToClient(&point);
  pBar->OnMouseMove(0, point);
}

void CUfxToolBar::SetHelpModeHook(BOOL bSet) {
  if (bSet) {
    if (s_hookMouseHelp == nullptr)
      s_hookMouseHelp = ::SetWindowsHookExW(WH_MOUSE, HelpModeMouseProc, nullptr, ::GetCurrentThreadId());
    return;
  }
  if (s_hookMouseHelp == nullptr) return;
  ::UnhookWindowsHookEx(s_hookMouseHelp);
  s_hookMouseHelp = nullptr;
  s_pLastHookedToolbar = nullptr;
  for (POSITION pos = s_lstAllToolbars.GetHeadPosition(); pos != nullptr;) {
    CUfxToolBar* pBar = static_cast<CUfxToolBar*>(s_lstAllToolbars.GetNext(pos));
    if (pBar->m_iSelected >= 0) {
      pBar->m_iSelected = -1;
      if (pBar->GetSafeHwnd() != nullptr) pBar->Invalidate();
    }
  }
}
