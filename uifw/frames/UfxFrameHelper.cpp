#include "frames/UfxFrameHelper.h"
#include "frames/UfxFrameWnd.h"
#include "frames/UfxKeyboardManager.h"
#include "bars/UfxMenuBar.h"
#include "frames/UfxMiniDockFrameWnd.h"
#include "bars/UfxPopupMenu.h"
#include "bars/UfxPopupMenuBar.h"
#include "frames/UfxRegistryPtr.h"
#include "bars/UfxToolBar.h"
#include "bars/UfxToolbarButton.h"
#include "bars/UfxToolbarMenuButton.h"
#include "frames/UfxToolDockBar.h"
#include "frames/UfxUserToolsManager.h"
#include "frames/UfxWorkspace.h"
#include <algorithm>

namespace {
// The work area of the monitor nearest the point, or the primary one's.
CRect WorkAreaNear(POINT pt) {
  CRect rectWork;
  MONITORINFO mi = {};
  mi.cbSize = sizeof(mi);
  if (::GetMonitorInfoW(::MonitorFromPoint(pt, MONITOR_DEFAULTTONEAREST), &mi)) return CRect(mi.rcWork);
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rectWork, 0);
  return rectWork;
}
}  // namespace

CUfxFrameHelper::CUfxFrameHelper(CFrameWnd* pFrame) : m_pFrame(pFrame) {}

CUfxFrameHelper::~CUfxFrameHelper() {
  while (!m_listUserDefinedToolbars.IsEmpty()) delete (CUfxToolBar*)m_listUserDefinedToolbars.RemoveHead();
  while (!m_listTearOffToolbars.IsEmpty()) delete (CControlBar*)m_listTearOffToolbars.RemoveHead();
}

void CUfxFrameHelper::OnLoadFrame(UINT uiFrameResId, BOOL bLoadState) {
  m_uiFrameResId = uiFrameResId;
  // A menu bar made while the frame was being created learns its menu's resource id only now.
  if (m_pMenuBar != nullptr) m_pMenuBar->SetDefaultMenuResId(uiFrameResId);
  if (!bLoadState) return;
  if (CUfxWorkspace* pWorkspace = UfxGetWorkspace()) pWorkspace->LoadState(nullptr, this);
}

void CUfxFrameHelper::RestorePosition(CREATESTRUCT& cs) {
  CUfxWorkspace* pWorkspace = UfxGetWorkspace();
  if (pWorkspace == nullptr || cs.hInstance == nullptr) return;
  CRect rect(cs.x, cs.y, cs.x + cs.cx, cs.y + cs.cy);
  int nFlags = 0;
  int nShowCmd = SW_SHOWNORMAL;
  if (!pWorkspace->LoadWindowPlacement(rect, nFlags, nShowCmd)) return;
  if (nShowCmd != SW_SHOWMAXIMIZED) nShowCmd = SW_SHOWNORMAL;
  // A start-up that asked for minimised or hidden keeps that; anything else takes the stored state.
  if (CWinApp* pApp = AfxGetApp()) {
    const int nAppShow = pApp->m_nCmdShow;
    if (nAppShow < 2 || nAppShow > 7 || nAppShow == 4 || nAppShow == 5) pApp->m_nCmdShow = nShowCmd;
  }
  // The stored size is no larger than the virtual screen, and its corner no farther from it
  // than that, whatever the values say.
  const CRect rectScreen(CPoint(::GetSystemMetrics(SM_XVIRTUALSCREEN), ::GetSystemMetrics(SM_YVIRTUALSCREEN)),
                         CSize(::GetSystemMetrics(SM_CXVIRTUALSCREEN), ::GetSystemMetrics(SM_CYVIRTUALSCREEN)));
  const LONGLONG nWidth = (LONGLONG)rect.right - rect.left, nHeight = (LONGLONG)rect.bottom - rect.top;
  if (nWidth <= 0 || nHeight <= 0 || rect.left < rectScreen.left - rectScreen.Width() || rect.left > rectScreen.right ||
      rect.top < rectScreen.top - rectScreen.Height() || rect.top > rectScreen.bottom)
    return;
  rect.right = rect.left + (LONG)std::min<LONGLONG>(nWidth, rectScreen.Width());
  rect.bottom = rect.top + (LONG)std::min<LONGLONG>(nHeight, rectScreen.Height());
  const CRect rectWork = WorkAreaNear(rect.TopLeft());
  CRect rectVisible;
  if (!rectVisible.IntersectRect(rectWork, rect)) return;  // wholly outside: where the program put it
  cs.x = rectVisible.left;
  cs.y = rectVisible.top;
  cs.cx = rect.Width();
  cs.cy = rect.Height();
}

void CUfxFrameHelper::OnCloseFrame() {
  // Torn-off bars the user closed are not kept.
  for (POSITION pos = m_listTearOffToolbars.GetHeadPosition(); pos != nullptr;) {
    const POSITION posThis = pos;
    CControlBar* pBar = (CControlBar*)m_listTearOffToolbars.GetNext(pos);
    if (pBar->GetSafeHwnd() != nullptr && pBar->IsVisible()) continue;
    m_listTearOffToolbars.RemoveAt(posThis);
    if (pBar->GetSafeHwnd() != nullptr) pBar->DestroyWindow();
    delete pBar;
  }
  CUfxWorkspace* pWorkspace = UfxGetWorkspace();
  if (pWorkspace != nullptr) pWorkspace->OnClosingMainFrame(this);
  if (pWorkspace == nullptr || m_pFrame == nullptr || m_pFrame->GetSafeHwnd() == nullptr) return;
  WINDOWPLACEMENT wp = {};
  wp.length = sizeof(wp);
  if (!m_pFrame->GetWindowPlacement(&wp)) return;
  if (wp.showCmd != SW_SHOWMAXIMIZED) wp.showCmd = SW_SHOWNORMAL;
  // The normal position counts from the work area; the stored one from the screen.
  CRect rectWork;
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rectWork, 0);
  CRect rect(wp.rcNormalPosition);
  rect.OffsetRect(rectWork.TopLeft());
  pWorkspace->StoreWindowPlacement(rect, (int)wp.flags, (int)wp.showCmd);
}

void CUfxFrameHelper::InitUserToolbars(LPCWSTR lpszRegEntry, UINT uiUserToolbarFirst, UINT uiUserToolbarLast) {
  if (uiUserToolbarFirst == (UINT)-1 || uiUserToolbarLast == (UINT)-1) return;
  m_uiUserToolbarFirst = uiUserToolbarFirst;
  m_uiUserToolbarLast = uiUserToolbarLast;
  if (lpszRegEntry != nullptr) m_strControlBarRegEntry = lpszRegEntry;
  else if (CUfxWorkspace* pWorkspace = UfxGetWorkspace()) m_strControlBarRegEntry = pWorkspace->GetRegSectionPath();
  else m_strControlBarRegEntry.Empty();
}

BOOL CUfxFrameHelper::IsUserDefinedToolbarId(UINT uiId) const {
  return m_uiUserToolbarFirst != (UINT)-1 && uiId >= m_uiUserToolbarFirst && uiId <= m_uiUserToolbarLast;
}

BOOL CUfxFrameHelper::IsUserDefinedToolbar(const CControlBar* pBar) const {
  return pBar != nullptr && pBar->GetSafeHwnd() != nullptr && IsUserDefinedToolbarId((UINT)pBar->GetDlgCtrlID());
}

CUfxToolBar* CUfxFrameHelper::GetUserBarByIndex(int iIndex) const {
  POSITION pos = m_listUserDefinedToolbars.FindIndex(iIndex);
  return pos != nullptr ? (CUfxToolBar*)m_listUserDefinedToolbars.GetAt(pos) : nullptr;
}

UINT CUfxFrameHelper::GetFreeUserToolbarId() const {
  if (m_uiUserToolbarFirst == (UINT)-1 || m_uiUserToolbarLast == (UINT)-1 || m_uiUserToolbarLast < m_uiUserToolbarFirst)
    return 0;
  if (m_listUserDefinedToolbars.GetCount() >= (INT_PTR)(m_uiUserToolbarLast - m_uiUserToolbarFirst + 1)) return 0;
  for (UINT uiId = m_uiUserToolbarFirst; uiId <= m_uiUserToolbarLast; ++uiId) {
    BOOL bTaken = FALSE;
    for (POSITION pos = m_listUserDefinedToolbars.GetHeadPosition(); pos != nullptr && !bTaken;) {
      CUfxToolBar* pBar = (CUfxToolBar*)m_listUserDefinedToolbars.GetNext(pos);
      bTaken = pBar->GetSafeHwnd() != nullptr && (UINT)pBar->GetDlgCtrlID() == uiId;
    }
    if (!bTaken) return uiId;
  }
  return 0;
}

int CUfxFrameHelper::SetupToolbarMenu(CMenu& menu, UINT uiCmdFirst, UINT uiCmdLast) {
  int i = 0;
  while (i < (int)menu.GetMenuItemCount()) {
    const UINT uiCmd = menu.GetMenuItemID(i);
    if (uiCmd < uiCmdFirst || uiCmd > uiCmdLast) {
      ++i;
      continue;
    }
    CUfxToolBar* pBar = GetUserBarByIndex((int)(uiCmd - uiCmdFirst));
    if (pBar == nullptr || pBar->GetSafeHwnd() == nullptr) {
      menu.DeleteMenu(i, MF_BYPOSITION);  // the next item moves into this place
      continue;
    }
    CString strName;
    pBar->GetWindowText(strName);
    menu.ModifyMenu(i, MF_BYPOSITION | MF_STRING, uiCmd, strName);
    ++i;
  }
  return (int)menu.GetMenuItemCount();
}

namespace {
// A button's own control (an edit or combo box) holds the keyboard focus.
BOOL AnyButtonHasFocus() {
  const HWND hwndFocus = ::GetFocus();
  if (hwndFocus == nullptr) return FALSE;
  const CObList& bars = CUfxToolBar::GetAllToolbars();
  for (POSITION pos = bars.GetHeadPosition(); pos != nullptr;) {
    CUfxToolBar* pBar = (CUfxToolBar*)bars.GetNext(pos);
    if (pBar->GetSafeHwnd() == nullptr) continue;
    for (int i = 0; i < pBar->GetButtonCount(); ++i) {
      CUfxToolbarButton* pButton = pBar->GetButton(i);
      const HWND hwnd = pButton != nullptr ? pButton->GetHwnd() : nullptr;
      if (hwnd != nullptr && (hwnd == hwndFocus || ::IsChild(hwnd, hwndFocus))) return TRUE;
    }
  }
  return FALSE;
}
}  // namespace

BOOL CUfxFrameHelper::ProcessKeyboard(int nKey, BOOL* pbProcessAccel) {
  if (pbProcessAccel != nullptr) *pbProcessAccel = TRUE;
  if (CUfxPopupMenu* pActivePopup = CUfxPopupMenu::GetActiveMenu()) {
    if (pActivePopup->GetSafeHwnd() != nullptr) {
      pActivePopup->SendMessage(WM_KEYDOWN, (WPARAM)nKey);
      return TRUE;
    }
  }
  // A minimised frame leaves every key to the system (Alt+F4, Alt+Space) and translates none.
  if (m_pFrame != nullptr && m_pFrame->GetSafeHwnd() != nullptr && m_pFrame->IsIconic()) {
    if (pbProcessAccel != nullptr) *pbProcessAccel = FALSE;
    return FALSE;
  }
  if (CUfxToolBar::IsCustomizeMode()) return FALSE;
  const BOOL bButtonFocused = AnyButtonHasFocus();
  BYTE fVirt = 0;
  if (::GetKeyState(VK_CONTROL) & 0x8000) fVirt |= FCONTROL;
  if (::GetKeyState(VK_MENU) & 0x8000) fVirt |= FALT;
  if (::GetKeyState(VK_SHIFT) & 0x8000) fVirt |= FSHIFT;
  if (!bButtonFocused &&
      (CUfxKeyboardManager::IsKeyInAccelTable((UINT)nKey, fVirt | FVIRTKEY, m_pFrame, TRUE) ||
       (m_pFrame != nullptr &&
        CUfxKeyboardManager::IsKeyInAccelTable((UINT)nKey, fVirt | FVIRTKEY, m_pFrame->GetActiveFrame(), FALSE))))
    return FALSE;  // the accelerator runs
  if (fVirt == FALT && OnMenuChar((UINT)nKey)) return TRUE;
  if (bButtonFocused && pbProcessAccel != nullptr) *pbProcessAccel = FALSE;
  return FALSE;
}

BOOL CUfxFrameHelper::OnMenuChar(UINT nChar) {
  if (m_pMenuBar != nullptr && m_pMenuBar->GetSafeHwnd() != nullptr && m_pMenuBar->IsVisible() &&
      m_pMenuBar->TranslateChar(nChar))
    return TRUE;
  const CObList& bars = CUfxToolBar::GetAllToolbars();
  for (POSITION pos = bars.GetHeadPosition(); pos != nullptr;) {
    CUfxToolBar* pBar = (CUfxToolBar*)bars.GetNext(pos);
    if (pBar == (CUfxToolBar*)m_pMenuBar || pBar->GetSafeHwnd() == nullptr || !pBar->IsVisible()) continue;
    if (pBar->IsKindOf(RUNTIME_CLASS(CUfxPopupMenuBar)) || UfxGetTopLevelFrame(pBar) != m_pFrame) continue;
    if (pBar->ProcessMnemonicKey(nChar)) return TRUE;
  }
  return FALSE;
}

BOOL CUfxFrameHelper::OnShowPopupMenu(CUfxPopupMenu* pMenuPopup) {
  CUfxPopupMenu::SetActiveMenu(pMenuPopup);
  return TRUE;
}

void CUfxFrameHelper::CloseActivePopup(CUfxPopupMenu* pActivePopup) {
  pActivePopup->SendMessage(WM_CLOSE);
  if (m_pFrame != nullptr && m_pFrame->GetSafeHwnd() != nullptr) m_pFrame->SetFocus();
}

BOOL CUfxFrameHelper::ProcessCustomizeOrAltClick(UINT uiMsg, POINT ptScreen, HWND hwnd) {
  if (uiMsg != WM_LBUTTONDOWN || !(CUfxToolBar::IsCustomizeMode() || (::GetKeyState(VK_MENU) & 0x8000))) return FALSE;
  // A click on a button's own control (an edit or combo box) reaches its bar.
  const CObList& bars = CUfxToolBar::GetAllToolbars();
  for (POSITION pos = bars.GetHeadPosition(); pos != nullptr;) {
    CUfxToolBar* pBar = (CUfxToolBar*)bars.GetNext(pos);
    if (pBar->GetSafeHwnd() == nullptr) continue;
    CPoint ptClient = ptScreen;
    pBar->ScreenToClient(&ptClient);
    for (int i = 0; i < pBar->GetButtonCount(); ++i) {
      CRect rect;
      if (!pBar->GetButtonRect(i, rect) || !rect.PtInRect(ptClient)) continue;
      CUfxToolbarButton* pButton = pBar->GetButton(i);
      if (pButton == nullptr || pButton->GetHwnd() != hwnd) return FALSE;
      pBar->SendMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(ptClient.x, ptClient.y));
      return TRUE;
    }
  }
  return FALSE;
}

BOOL CUfxFrameHelper::ProcessClickOnParentButton(CUfxPopupMenu* pActivePopup, POINT ptScreen) {
  CUfxToolbarMenuButton* pParentButton = pActivePopup->GetParentButton();
  CWnd* pParentBar = pParentButton != nullptr ? pParentButton->GetParentWnd() : nullptr;
  const BOOL bOnPopupBar = pParentBar != nullptr && pParentBar->IsKindOf(RUNTIME_CLASS(CUfxPopupMenuBar));
  if (pParentButton != nullptr && pParentBar != nullptr && pParentBar->GetSafeHwnd() != nullptr) {
    CRect rectButton = pParentButton->Rect();
    pParentBar->ClientToScreen(&rectButton);
    if (rectButton.PtInRect(ptScreen)) {
      // The button drops the menu itself (or, on a popup, keeps it open).
      if (bOnPopupBar) return TRUE;
      if (!pActivePopup->IsAlwaysClose()) pActivePopup->SendMessage(WM_CLOSE);
      return TRUE;
    }
    if (bOnPopupBar) {
      CUfxPopupMenu* pParentPopup = ((CUfxPopupMenuBar*)pParentBar)->GetParentPopup();
      if (pParentPopup != nullptr && pParentPopup->GetSafeHwnd() != nullptr) {
        switch (pParentPopup->CheckArea(ptScreen)) {
          case CUfxPopupMenu::MENU:
          case CUfxPopupMenu::LOGO:
          case CUfxPopupMenu::TEAROFF_CAPTION:
            return FALSE;  // the parent menu's own click
          case CUfxPopupMenu::SHADOW_RIGHT:
          case CUfxPopupMenu::SHADOW_BOTTOM:
            CloseActivePopup(pParentPopup);
            return TRUE;
          default:
            break;
        }
      }
    }
  }
  if (pActivePopup->IsAlwaysClose()) return FALSE;
  const HWND hwndFocus = ::GetFocus();
  const BOOL bPopupBarHadFocus =
      hwndFocus != nullptr && DYNAMIC_DOWNCAST(CUfxPopupMenuBar, CWnd::FromHandlePermanent(hwndFocus)) != nullptr;
  pActivePopup->SendMessage(WM_CLOSE);
  if (bPopupBarHadFocus && m_pFrame != nullptr && m_pFrame->GetSafeHwnd() != nullptr) m_pFrame->SetFocus();
  return pParentButton != nullptr;
}

BOOL CUfxFrameHelper::ProcessMouseClick(UINT uiMsg, POINT ptScreen, HWND hwnd) {
  if (ProcessCustomizeOrAltClick(uiMsg, ptScreen, hwnd)) return TRUE;
  CUfxPopupMenu* pActivePopup = CUfxPopupMenu::GetActiveMenu();
  if (CUfxToolBar::IsCustomizeMode() || pActivePopup == nullptr || pActivePopup->GetSafeHwnd() == nullptr) return FALSE;
  switch (pActivePopup->CheckArea(ptScreen)) {
    case CUfxPopupMenu::SHADOW_RIGHT:
    case CUfxPopupMenu::SHADOW_BOTTOM:
      CloseActivePopup(pActivePopup);
      return TRUE;
    case CUfxPopupMenu::OUTSIDE:
      return ProcessClickOnParentButton(pActivePopup, ptScreen);
    default:
      return FALSE;
  }
}

void CUfxFrameHelper::SetMenuBar(CUfxMenuBar* pMenuBar) {
  m_pMenuBar = pMenuBar;
  if (m_pMenuBar == nullptr || m_pFrame == nullptr) return;
  m_hDefaultMenu = m_pFrame->GetSafeHwnd() != nullptr ? ::GetMenu(m_pFrame->GetSafeHwnd()) : nullptr;
  m_pMenuBar->SetDefaultMenuResId(m_uiFrameResId);
  m_pMenuBar->CreateFromMenu(m_hDefaultMenu, TRUE);
  if (m_pFrame->GetSafeHwnd() != nullptr) ::SetMenu(m_pFrame->GetSafeHwnd(), nullptr);
}

void CUfxFrameHelper::AddTearOffBar(CControlBar* pBar) {
  if (pBar != nullptr && m_listTearOffToolbars.Find(pBar) == nullptr) m_listTearOffToolbars.AddTail(pBar);
}

void CUfxFrameHelper::RemoveTearOffBar(CControlBar* pBar) {
  if (POSITION pos = m_listTearOffToolbars.Find(pBar)) m_listTearOffToolbars.RemoveAt(pos);
}

BOOL CUfxFrameHelper::IsOwnBar(CControlBar* pBar, BOOL bFrameBarsOnly) const {
  return !bFrameBarsOnly || (pBar->GetSafeHwnd() != nullptr && UfxGetTopLevelFrame(pBar) == m_pFrame);
}

namespace {
const struct {
  UINT nID;
  DWORD dwStyle;
} kDockSides[] = {{AFX_IDW_DOCKBAR_TOP, CBRS_ALIGN_TOP},
                  {AFX_IDW_DOCKBAR_BOTTOM, CBRS_ALIGN_BOTTOM},
                  {AFX_IDW_DOCKBAR_LEFT, CBRS_ALIGN_LEFT},
                  {AFX_IDW_DOCKBAR_RIGHT, CBRS_ALIGN_RIGHT}};
}  // namespace

void CUfxFrameHelper::EnableDocking(DWORD dwDockStyle) {
  // The framework's own dock bars are made only for sides this leaves without one.
  for (const auto& side : kDockSides) {
    if (!(side.dwStyle & dwDockStyle & CBRS_ALIGN_ANY)) continue;
    CControlBar* pOld = m_pFrame->GetControlBar(side.nID);
    if (pOld != nullptr && pOld->IsKindOf(RUNTIME_CLASS(CUfxToolDockBar))) continue;
    if (pOld != nullptr) {
      m_pFrame->RemoveControlBar(pOld);
      pOld->m_pDockSite = nullptr;
      const BOOL bAutoDelete = pOld->m_bAutoDelete;
      pOld->DestroyWindow();
      if (!bAutoDelete) delete pOld;
    }
    CUfxToolDockBar* pDockBar = new CUfxToolDockBar;
    if (!pDockBar->Create(m_pFrame, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | side.dwStyle,
                          side.nID)) {
      delete pDockBar;
      AfxThrowResourceException();
    }
  }
  m_pFrame->EnableDocking(dwDockStyle);
  m_pFrame->m_pFloatingFrameClass = RUNTIME_CLASS(CUfxMiniDockFrameWnd);
}

void CUfxFrameHelper::DockControlBarLeftOf(CControlBar* pBar, CControlBar* pLeftOf) {
  if (pBar == nullptr || pLeftOf == nullptr) return;
  m_pFrame->RecalcLayout(TRUE);
  CRect rect;
  pLeftOf->GetWindowRect(&rect);
  rect.OffsetRect(1, 1);
  const DWORD dwStyle = pLeftOf->GetBarStyle();
  UINT nDockBarID = 0;
  if (dwStyle & CBRS_ALIGN_TOP) nDockBarID = AFX_IDW_DOCKBAR_TOP;
  else if (dwStyle & CBRS_ALIGN_BOTTOM) nDockBarID = AFX_IDW_DOCKBAR_BOTTOM;
  else if (dwStyle & CBRS_ALIGN_LEFT) nDockBarID = AFX_IDW_DOCKBAR_LEFT;
  else if (dwStyle & CBRS_ALIGN_RIGHT) nDockBarID = AFX_IDW_DOCKBAR_RIGHT;
  m_pFrame->DockControlBar(pBar, nDockBarID, &rect);
}

BOOL CUfxFrameHelper::IsDockStateValid(const CDockState& state) const {
  for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); ++i) {
    const CControlBarInfo* pInfo = (const CControlBarInfo*)state.m_arrBarInfo[i];
    if (!pInfo->m_bFloating && m_pFrame->GetControlBar(pInfo->m_nBarID) == nullptr) return FALSE;
  }
  return TRUE;
}

void CUfxFrameHelper::DropMissingBars(CDockState& state) const {
  for (INT_PTR i = state.m_arrBarInfo.GetSize() - 1; i >= 0; --i) {
    CControlBarInfo* pInfo = (CControlBarInfo*)state.m_arrBarInfo[i];
    if (!pInfo->m_bFloating && m_pFrame->GetControlBar(pInfo->m_nBarID) == nullptr) {
      delete pInfo;
      state.m_arrBarInfo.RemoveAt(i);
    }
  }
  // (ids inside row lists that name no bar are skipped when the state is applied)
}

void CUfxFrameHelper::SetDockState(const CDockState& state) {
  m_pFrame->SetDockState(state);
  m_pFrame->m_nIdleFlags |= CFrameWnd::idleLayout | CFrameWnd::idleNotify;
  if (CWinApp* pApp = AfxGetApp()) {
    if (pApp->m_nCmdShow == SW_MINIMIZE || pApp->m_nCmdShow == SW_SHOWMINNOACTIVE)
      m_pFrame->m_nIdleFlags &= ~CFrameWnd::idleLayout;
  }
}

namespace {
// User and torn-off toolbars: docked on top with a gripper, hidden with the frame in place.
const DWORD kUserToolbarStyle = WS_CHILD | WS_VISIBLE | CBRS_GRIPPER | CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM |
                                CBRS_HIDE_INPLACE;
const DWORD kUserToolbarBarStyle = CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC;
const UINT kIdsTooManyToolbars = 16243;
}  // namespace

BOOL CUfxFrameHelper::CreateUserBar(CUfxToolBar* pBar, UINT uiId, LPCWSTR lpszName) {
  if (!pBar->Create(m_pFrame, kUserToolbarStyle, uiId)) return FALSE;
  pBar->SetWindowText(lpszName != nullptr ? lpszName : L"");
  pBar->SetBarStyle(pBar->GetBarStyle() | kUserToolbarBarStyle);
  pBar->EnableDocking(CBRS_ALIGN_ANY);
  return TRUE;
}

CUfxToolBar* CUfxFrameHelper::CreateNewToolbar(LPCWSTR lpszName) {
  const UINT uiId = GetFreeUserToolbarId();
  if (uiId == 0) {
    CString strFormat, strMessage;
    strFormat.LoadString(kIdsTooManyToolbars);
    strMessage.Format(strFormat, (int)(m_uiUserToolbarLast - m_uiUserToolbarFirst + 1));
    AfxMessageBox(strMessage, MB_OK | MB_ICONINFORMATION);
    return nullptr;
  }
  CUfxToolBar* pBar = new CUfxToolBar;
  if (!CreateUserBar(pBar, uiId, lpszName)) {
    delete pBar;
    return nullptr;
  }
  m_pFrame->FloatControlBar(
      pBar, CPoint(::GetSystemMetrics(SM_CXFULLSCREEN) / 2, ::GetSystemMetrics(SM_CYFULLSCREEN) / 2), CBRS_ALIGN_TOP);
  m_pFrame->RecalcLayout();
  m_listUserDefinedToolbars.AddTail(pBar);
  return pBar;
}

BOOL CUfxFrameHelper::DeleteToolbar(CUfxToolBar* pBar) {
  POSITION pos = m_listUserDefinedToolbars.Find(pBar);
  if (pos == nullptr) return FALSE;
  m_listUserDefinedToolbars.RemoveAt(pos);
  if (pBar->GetSafeHwnd() != nullptr) {
    pBar->RemoveSavedState(m_strControlBarRegEntry, -1, (UINT)-1);
    pBar->DestroyWindow();
  }
  delete pBar;
  m_pFrame->RecalcLayout();
  return TRUE;
}

void CUfxFrameHelper::LoadUserToolbars() {
  if (m_uiUserToolbarFirst == (UINT)-1 || m_uiUserToolbarLast == (UINT)-1 || m_uiUserToolbarLast < m_uiUserToolbarFirst)
    return;
  for (UINT uiId = m_uiUserToolbarFirst; uiId <= m_uiUserToolbarLast; ++uiId) {
    if (IsBarIdUsed(uiId)) continue;  // made already (a second load of the same frame)
    // Only toolbars whose state was stored come back: no window for the others.
    if (!CUfxToolBar::HasSavedState(m_strControlBarRegEntry, (int)uiId)) continue;
    CUfxToolBar* pBar = new CUfxToolBar;
    if (!pBar->Create(m_pFrame, kUserToolbarStyle, uiId)) {
      delete pBar;
      continue;
    }
    if (!pBar->LoadState(m_strControlBarRegEntry, -1, (UINT)-1)) {
      pBar->DestroyWindow();
      delete pBar;
      continue;
    }
    pBar->SetBarStyle(pBar->GetBarStyle() | kUserToolbarBarStyle);
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    m_pFrame->DockControlBar(pBar);
    m_listUserDefinedToolbars.AddTail(pBar);
  }
}

void CUfxFrameHelper::SaveUserToolbars(BOOL bFrameBarsOnly) {
  for (POSITION pos = m_listUserDefinedToolbars.GetHeadPosition(); pos != nullptr;) {
    CUfxToolBar* pBar = (CUfxToolBar*)m_listUserDefinedToolbars.GetNext(pos);
    if (pBar->GetSafeHwnd() != nullptr && IsOwnBar(pBar, bFrameBarsOnly))
      pBar->SaveState(m_strControlBarRegEntry, -1, (UINT)-1);
  }
}

CString CUfxFrameHelper::GetTearOffSection(int iIndex) const {
  CUfxWorkspace* pWorkspace = UfxGetWorkspace();
  const CString strSection = pWorkspace != nullptr ? pWorkspace->GetRegSectionPath() : CString();
  CString strKey;
  strKey.Format(L"%s-%d", (LPCWSTR)(strSection + L"ControlBars-TearOff"), iIndex);
  return strKey;
}

BOOL CUfxFrameHelper::IsBarIdUsed(UINT uiId) const {
  CControlBar* pBar = m_pFrame->GetControlBar(uiId);
  return pBar != nullptr && pBar->GetSafeHwnd() != nullptr;
}

void CUfxFrameHelper::DeleteTearOffBars() {
  while (!m_listTearOffToolbars.IsEmpty()) {
    CControlBar* pBar = (CControlBar*)m_listTearOffToolbars.RemoveHead();
    if (pBar->GetSafeHwnd() != nullptr) pBar->DestroyWindow();
    delete pBar;
  }
}

void CUfxFrameHelper::LoadTearOffMenus() {
  DeleteTearOffBars();
  for (int i = 0;; ++i) {
    CUfxRegistryPtr reg;
    CUfxRegistry& in = reg.Create(FALSE, TRUE);
    if (!in.Open(GetTearOffSection(i))) break;
    int iId = 0;
    CString strName;
    // An id of 0 or one a bar of the frame has already makes the key unreadable: loading stops.
    if (!in.Read(L"ID", iId) || iId == 0 || IsBarIdUsed((UINT)iId) || !in.Read(L"Name", strName)) break;
    CObject* pObject = nullptr;
    if (!in.Read(L"State", pObject, RUNTIME_CLASS(CUfxToolBar)) || pObject == nullptr) break;
    CUfxToolBar* pBar = (CUfxToolBar*)pObject;  // of that class or one derived from it
    if (!CreateUserBar(pBar, (UINT)iId, strName)) {
      delete pBar;
      break;
    }
    pBar->AdjustLayout();
    m_pFrame->DockControlBar(pBar);
    m_listTearOffToolbars.AddTail(pBar);
  }
}

void CUfxFrameHelper::SaveTearOffMenus(BOOL bFrameBarsOnly) {
  {
    // Keys of an older, longer list go first.
    CUfxRegistryPtr reg;
    CUfxRegistry& out = reg.Create(FALSE, FALSE);
    for (int i = 0; out.DeleteKey(GetTearOffSection(i), FALSE); ++i) {
    }
  }
  int iIndex = 0;
  for (POSITION pos = m_listTearOffToolbars.GetHeadPosition(); pos != nullptr;) {
    CControlBar* pBar = (CControlBar*)m_listTearOffToolbars.GetNext(pos);
    if (pBar->GetSafeHwnd() == nullptr || !IsOwnBar(pBar, bFrameBarsOnly)) continue;
    CUfxRegistryPtr reg;
    CUfxRegistry& out = reg.Create(FALSE, FALSE);
    if (!out.CreateKey(GetTearOffSection(iIndex))) continue;
    CString strName;
    pBar->GetWindowText(strName);
    out.Write(L"ID", (int)pBar->GetDlgCtrlID());
    out.Write(L"Name", (LPCWSTR)strName);
    out.Write(L"State", (CObject*)pBar);
    ++iIndex;
  }
}

BOOL CUfxFrameHelper::TakeMenuChar(UINT nChar) {
  // Keys are looked up as virtual keys: a letter's key is its capital.
  return OnMenuChar((UINT)(ULONG_PTR)::CharUpperW((LPWSTR)(ULONG_PTR)(WORD)nChar));
}

BOOL CUfxFrameHelper::TakeFrameCommand(WPARAM wParam) {
  // Only accelerator commands are probed: menu, tray and other windows' commands always arrive.
  if (HIWORD(wParam) != 1) return FALSE;
  if (ProcessKeyboard(VK_ESCAPE)) return TRUE;
  return UfxUserToolsManager != nullptr && UfxUserToolsManager->InvokeTool(LOWORD(wParam));
}

// ---- the frames' message filter ---------------------------------------------------------------

CUfxFrameHelper::FilterResult CUfxFrameHelper::FilterFrameMessage(MSG* pMsg) {
  switch (pMsg->message) {
    case WM_SYSKEYDOWN:
    case WM_CONTEXTMENU:
    case WM_KEYDOWN: {
      if (OnKeyMessage(pMsg)) return FilterConsumed;
      BOOL bProcessAccel = TRUE;
      if (pMsg->message == WM_KEYDOWN) {
        const BOOL bPlainF1 = pMsg->wParam == VK_F1 && (HIWORD(pMsg->lParam) & KF_REPEAT) == 0 &&
                              !(::GetKeyState(VK_SHIFT) & 0x8000) && !(::GetKeyState(VK_CONTROL) & 0x8000) &&
                              !(::GetKeyState(VK_MENU) & 0x8000);
        if (!bPlainF1 && ProcessKeyboard((int)pMsg->wParam, &bProcessAccel)) return FilterConsumed;
      } else if (ProcessKeyboard((int)pMsg->wParam, &bProcessAccel)) {
        return FilterConsumed;
      }
      if (!bProcessAccel) return FilterNoTranslate;
      break;
    }
    case WM_SYSKEYUP:
      if (OnAltReleased(pMsg)) return FilterConsumed;
      if (m_pFrame->IsIconic()) return FilterNoTranslate;  // a minimised frame translates nothing
      break;
    case WM_KEYUP:
    case WM_CHAR:
    case WM_SYSCHAR:
      if (m_pFrame->IsIconic()) return FilterNoTranslate;
      break;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONUP: {
      const CPoint ptScreen((short)LOWORD(pMsg->lParam), (short)HIWORD(pMsg->lParam));
      if (ProcessMouseClick(pMsg->message, ptScreen, pMsg->hwnd)) return FilterConsumed;
      break;
    }
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
      if (OnMouseMessage(pMsg)) return FilterConsumed;
      break;
  }
  return FilterPassOn;
}

BOOL CUfxFrameHelper::OnKeyMessage(MSG* pMsg) {
  // Alt (or the context-menu key) closes an open popup menu.
  if (pMsg->message == WM_KEYDOWN || pMsg->wParam != VK_MENU) return FALSE;
  CUfxPopupMenu* pActivePopup = CUfxPopupMenu::GetActiveMenu();
  if (pActivePopup == nullptr || pActivePopup->GetSafeHwnd() == nullptr) return FALSE;
  pActivePopup->SendMessage(WM_CLOSE);
  return TRUE;
}

BOOL CUfxFrameHelper::OnAltReleased(MSG* pMsg) {
  CUfxMenuBar* pMenuBar = m_pMenuBar;
  if (pMenuBar != nullptr && pMenuBar->GetSafeHwnd() != nullptr && pMsg->wParam == VK_MENU && !m_pFrame->IsIconic()) {
    // Alt alone moves the focus into the menu bar and back.
    if (::GetFocus() == pMenuBar->GetSafeHwnd()) m_pFrame->SetFocus();
    else pMenuBar->SetFocus();
    return TRUE;
  }
  CUfxPopupMenu* pActivePopup = CUfxPopupMenu::GetActiveMenu();
  return pActivePopup != nullptr && pActivePopup->GetSafeHwnd() != nullptr;
}

BOOL CUfxFrameHelper::OnMouseMessage(MSG* pMsg) {
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
  if (ProcessMouseClick(pMsg->message, ptScreen, pMsg->hwnd)) return TRUE;
  if (!::IsWindow(pMsg->hwnd)) return TRUE;
  if (pMsg->message == WM_RBUTTONUP && !CUfxToolBar::IsCustomizeMode() &&
      DYNAMIC_DOWNCAST(CDockBar, CWnd::FromHandlePermanent(pMsg->hwnd)) != nullptr)
    m_pFrame->SendMessage(UFXM_TOOLBAR_POPUPMENU, (WPARAM)m_pFrame->GetSafeHwnd(), MAKELPARAM(ptScreen.x, ptScreen.y));
  return FALSE;
}

// ---- in-place frames ---------------------------------------------------------------------------

BOOL CUfxFrameHelper::FilterInPlaceFrameMessage(MSG* pMsg) {
  const UINT message = pMsg->message;
  if (message >= WM_NCLBUTTONDOWN && message <= WM_NCMBUTTONUP) {
    const CPoint ptScreen((short)LOWORD(pMsg->lParam), (short)HIWORD(pMsg->lParam));
    return ProcessMouseClick(message, ptScreen, pMsg->hwnd);
  }
  if (message == WM_KEYDOWN) {
    const BOOL bPlainF1 = pMsg->wParam == VK_F1 && (HIWORD(pMsg->lParam) & KF_REPEAT) == 0 &&
                          !(::GetKeyState(VK_SHIFT) & 0x8000) && !(::GetKeyState(VK_CONTROL) & 0x8000) &&
                          !(::GetKeyState(VK_MENU) & 0x8000);
    return !bPlainF1 && ProcessKeyboard((int)pMsg->wParam);
  }
  if (message == WM_MOUSEMOVE || message == WM_LBUTTONDOWN || (message >= WM_LBUTTONDBLCLK && message <= WM_MBUTTONDBLCLK))
    return OnMouseMessage(pMsg);
  return FALSE;
}

void CUfxFrameHelper::OnInPlaceActivate(UINT nState, HWND& hwndPrevTop, BOOL bAlwaysDropMenu) {
  if (nState == WA_INACTIVE) {
    if (m_pMenuBar != nullptr && m_pMenuBar->GetSafeHwnd() != nullptr &&
        (bAlwaysDropMenu || !CUfxToolBar::IsCustomizeMode()))
      m_pMenuBar->OnFrameDeactivated();
    CUfxPopupMenu* pActivePopup = CUfxPopupMenu::GetActiveMenu();
    if (pActivePopup != nullptr && pActivePopup->GetSafeHwnd() != nullptr) pActivePopup->SendMessage(WM_CLOSE);
    if (UfxFrameOverride == m_pFrame) {
      UfxFrameOverride = DYNAMIC_DOWNCAST(CFrameWnd, CWnd::FromHandlePermanent(hwndPrevTop));
      hwndPrevTop = nullptr;
    }
    return;
  }
  if (nState == WA_CLICKACTIVE) m_pFrame->UpdateWindow();
  if (UfxFrameOverride == m_pFrame) return;  // active already: what it replaced stays remembered
  hwndPrevTop = UfxFrameOverride != nullptr ? UfxFrameOverride->GetSafeHwnd() : nullptr;
  UfxFrameOverride = m_pFrame;
}

void CUfxFrameHelper::OnInPlaceDestroy(HWND& hwndPrevTop) {
  CUfxPopupMenu* pActivePopup = CUfxPopupMenu::GetActiveMenu();
  if (pActivePopup != nullptr && pActivePopup->GetSafeHwnd() != nullptr) pActivePopup->SendMessage(WM_CLOSE);
  if (UfxFrameOverride == m_pFrame) UfxFrameOverride = DYNAMIC_DOWNCAST(CFrameWnd, CWnd::FromHandlePermanent(hwndPrevTop));
  hwndPrevTop = nullptr;
  if (m_pMenuBar != nullptr && m_pMenuBar->GetSafeHwnd() != nullptr) m_pMenuBar->OnFrameDeactivated();
  if (m_pFrame->m_hAccelTable != nullptr) {
    ::DestroyAcceleratorTable(m_pFrame->m_hAccelTable);
    m_pFrame->m_hAccelTable = nullptr;
  }
}
