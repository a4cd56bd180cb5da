// CUfxToolBar: commands of buttons and embedded controls, command UI, tooltips and prompts.
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

// ---- commands and command UI --------------------------------------------------------------------

CWnd* CUfxToolBar::GetCommandTarget() const {
  CWnd* pOwner = GetOwner();
  CFrameWnd* pFrame = GetParentFrame();
  if (pOwner == nullptr) return pFrame;
  if (m_bRouteCommandsViaFrame && pFrame != nullptr && DYNAMIC_DOWNCAST(CFrameWnd, pOwner) == nullptr) return pFrame;
  return pOwner;
}

void CUfxToolBar::RunButtonCommand(CUfxToolbarButton* pButton) {
  const UINT nID = pButton->m_nID;
  if (nID == 0 || nID == (UINT)-1) return;
  UfxCommandUsage.AddCommand(nID);
  CWnd* pTarget = GetOwner();
  if (pTarget != nullptr) pTarget->PostMessage(WM_COMMAND, nID);
}

BOOL CUfxToolBar::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (s_bCustomizeMode && !m_bLocked) return CControlBar::OnCommand(wParam, lParam);
  const UINT nID = LOWORD(wParam);
  const int nCode = HIWORD(wParam);
  const HWND hwndFocus = ::GetFocus();
  const HWND hwndCtrl = (HWND)lParam;
  CWnd* pTarget = GetCommandTarget();
  for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
    CUfxToolbarButton* pButton = AsButton(m_Buttons.GetNext(pos));
    const HWND hwndButton = pButton->GetHwnd();
    if (hwndButton == nullptr) continue;
    if ((nID == IDOK || nID == IDCANCEL) && hwndFocus != nullptr &&
        (hwndFocus == hwndButton || ::IsChild(hwndButton, hwndFocus))) {
      if (nID == IDCANCEL) RestoreFocus();
      else if (pTarget != nullptr) pTarget->PostMessage(WM_COMMAND, pButton->m_nID);
      return TRUE;
    }
    if (hwndCtrl != nullptr && (hwndCtrl == hwndButton || ::IsChild(hwndButton, hwndCtrl))) {
      if (pButton->NotifyCommand(nCode) && pTarget != nullptr)
        pTarget->PostMessage(WM_COMMAND, MAKEWPARAM(pButton->m_nID, nCode), lParam);
      return TRUE;
    }
  }
  return CControlBar::OnCommand(wParam, lParam);
}

void CUfxToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
  CUfxToolBarCmdUI state;
  state.m_pOther = this;
  state.m_nIndexMax = (UINT)GetButtonCount();
  int i = 0;
  for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr; ++i) {
    const CUfxToolbarButton* pButton = AsButton(m_Buttons.GetNext(pos));
    const UINT nID = pButton->m_nID;
    if ((pButton->m_nStyle & TBBS_SEPARATOR) || nID == 0 || (nID >= 0xF000 && nID <= 0xF1EF) || nID >= 0xFF00)
      continue;
    state.m_nIndex = (UINT)i;
    state.m_nID = nID;
    const BOOL bUserTool = UfxUserToolsManager != nullptr && UfxUserToolsManager->IsUserToolCmd(nID);
    const int nCount = GetButtonCount();
    state.DoUpdate(pTarget, bUserTool ? FALSE : bDisableIfNoHndler);
    // A handler that changed the list ends this round; the next idle time goes on.
    if (GetButtonCount() != nCount) return;
  }
  UpdateDialogControls(pTarget, m_bDisableControlsIfNoHandler);
}

void CUfxToolBar::UpdateButtonCmdUI(int iButton) {
  const CUfxToolbarButton* pButton = GetButton(iButton);
  CWnd* pTarget = GetCommandTarget();
  if (pButton == nullptr || pTarget == nullptr || (pButton->m_nStyle & TBBS_SEPARATOR)) return;
  const UINT nID = pButton->m_nID;
  if (nID == 0 || (nID >= 0xF000 && nID <= 0xF1EF) || nID >= 0xFF00) return;
  CUfxToolBarCmdUI state;
  state.m_pOther = this;
  state.m_nIndexMax = (UINT)GetButtonCount();
  state.m_nIndex = (UINT)iButton;
  state.m_nID = nID;
  const BOOL bUserTool = UfxUserToolsManager != nullptr && UfxUserToolsManager->IsUserToolCmd(nID);
  state.DoUpdate(pTarget, bUserTool ? FALSE : TRUE);
}

void CUfxToolBarCmdUI::Enable(BOOL bOn) {
  m_bEnableChanged = TRUE;
  CUfxToolBar* pBar = static_cast<CUfxToolBar*>(m_pOther);
  UINT nNewStyle = pBar->GetButtonStyle((int)m_nIndex) & ~TBBS_DISABLED;
  if (!bOn) nNewStyle |= TBBS_DISABLED;
  pBar->SetButtonStyle((int)m_nIndex, nNewStyle);
}

void CUfxToolBarCmdUI::SetCheck(int nCheck) {
  if (nCheck > 2) nCheck = 1;
  CUfxToolBar* pBar = static_cast<CUfxToolBar*>(m_pOther);
  UINT nNewStyle = pBar->GetButtonStyle((int)m_nIndex) & ~(TBBS_CHECKED | TBBS_INDETERMINATE);
  nNewStyle |= TBBS_CHECKBOX;
  if (nCheck == 1) nNewStyle |= TBBS_CHECKED;
  else if (nCheck == 2) nNewStyle |= TBBS_INDETERMINATE;
  pBar->SetButtonStyle((int)m_nIndex, nNewStyle);
}

void CUfxToolBarCmdUI::SetRadio(BOOL bOn) {
  SetCheck(bOn ? 1 : 0);
  CUfxToolBar* pBar = static_cast<CUfxToolBar*>(m_pOther);
  if (CUfxToolbarButton* pButton = pBar->GetButton((int)m_nIndex)) pButton->SetRadio();
}

void CUfxToolBarCmdUI::SetText(LPCWSTR lpszText) {
  CUfxToolBar* pBar = static_cast<CUfxToolBar*>(m_pOther);
  CUfxToolbarButton* pButton = pBar->GetButton((int)m_nIndex);
  if (pButton == nullptr || pBar->m_bIgnoreSetText) return;
  CString strText = lpszText != nullptr ? lpszText : L"";
  const int iTab = strText.Find(L'\t');
  if (iTab >= 0) strText = strText.Left(iTab);
  if (pButton->m_strText == strText) return;
  pButton->m_strText = strText;
  pBar->AdjustLayout();
}

// ---- tooltips and prompts -----------------------------------------------------------------------

BOOL CUfxToolBar::ForwardToFrame(CUfxToolbarButton* pButton, CString& strTTText) const {
  CUfxFrameWnd* pFrame = DYNAMIC_DOWNCAST(CUfxFrameWnd, UfxGetTopLevelFrame(this));
  return pFrame != nullptr && pFrame->OnQueryButtonTooltip(pButton, strTTText);
}

CString CUfxToolBar::TooltipText(CUfxToolbarButton* pButton) const {
  CString strText;
  if (ForwardToFrame(pButton, strText)) return strText;
  if (pButton->GetRuntimeClass() == RUNTIME_CLASS(CUfxToolbarButton) || pButton->m_strText.IsEmpty()) {
    CUfxUserTool* pTool = UfxUserToolsManager != nullptr ? UfxUserToolsManager->FindTool(pButton->m_nID) : nullptr;
    if (pTool != nullptr) return pTool->m_strLabel;
    wchar_t szBuffer[256] = {};
    if (pButton->m_nID != 0 && pButton->m_nID != (UINT)-1 &&
        ::LoadStringW(AfxGetResourceHandle(), pButton->m_nID, szBuffer, 256) > 0) {
      strText = szBuffer;
      const int iLineFeed = strText.Find(L'\n');
      strText = iLineFeed >= 0 ? strText.Mid(iLineFeed + 1) : CString();
      const int iNext = strText.Find(L'\n');
      if (iNext >= 0) strText = strText.Left(iNext);
    }
    return strText;
  }
  strText = pButton->m_strText;
  strText.Remove(L'&');
  return strText;
}

INT_PTR CUfxToolBar::OnToolHitTest(CPoint point, TOOLINFOW* pTI) const {
  if (!s_bShowTooltips) return -1;
  // Controls on the bar answer for themselves.
  const HWND hwndChild = ::ChildWindowFromPointEx(m_hWnd, point, CWP_SKIPINVISIBLE);
  if (hwndChild != nullptr && hwndChild != m_hWnd) return CControlBar::OnToolHitTest(point, pTI);
  CUfxToolBar* pThis = const_cast<CUfxToolBar*>(this);
  CUfxToolbarButton* pButton = pThis->GetButton(pThis->HitTest(point));
  if (pButton == nullptr || (pButton->GetHwnd() != nullptr && pButton->IsWindowVisible())) return -1;
  CString strTip = TooltipText(pButton);
  if (strTip.IsEmpty()) return -1;
  if (s_bShowShortcutKeys) {
    CString strKey;
    CFrameWnd* pFrame = GetTopLevelFrame();
    BOOL bFound = pFrame != nullptr && CUfxKeyboardManager::GetShortcutText(pButton->m_nID, strKey, pFrame, TRUE);
    if (!bFound && pFrame != nullptr) {
      CFrameWnd* pActive = pFrame->GetActiveFrame();
      bFound = pActive != nullptr && pActive != pFrame &&
               CUfxKeyboardManager::GetShortcutText(pButton->m_nID, strKey, pActive, FALSE);
    }
    if (bFound) strTip += L" (" + strKey + L")";
  }
  const INT_PTR nHit = pButton->m_nID == (UINT)-1 ? 0 : (INT_PTR)pButton->m_nID;
  if (pTI != nullptr) {
    pTI->hwnd = m_hWnd;
    pTI->uId = (UINT_PTR)nHit;
    pTI->rect = pButton->Rect();
    pTI->lpszText = _wcsdup(strTip);
  }
  return nHit;
}

void CUfxToolBar::ShowCommandPrompt(UINT uiCmd) {
  if (IsHelpModeHookActive()) return;
  UINT uiPrompt = uiCmd;
  if (uiCmd == (UINT)-1) uiPrompt = AFX_IDS_IDLEMESSAGE;
  else if (uiCmd >= 0xF000 && uiCmd <= 0xF1EF) uiPrompt = 0xEF00 + (uiCmd - 0xF000) / 16;
  else if (uiCmd > 0xFEFF) uiPrompt = 0xEF1F;
  CWnd* pTarget = GetOwner();
  if (pTarget == nullptr) pTarget = GetParent();
  if (pTarget != nullptr) pTarget->SendMessage(WM_SETMESSAGESTRING, uiPrompt);
}

void CUfxToolBar::SendIdlePrompt() { ShowCommandPrompt((UINT)-1); }
