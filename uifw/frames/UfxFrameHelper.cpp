#include "UfxFrameHelper.h"
#include "UfxKeyboardManager.h"
#include "UfxMiniDockFrameWnd.h"
#include "UfxToolBar.h"
#include "UfxToolDockBar.h"
#include "UfxWorkspace.h"

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
}

void CUfxFrameHelper::OnLoadFrame(UINT uiFrameResId) {
  m_uiFrameResId = uiFrameResId;
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
  const CRect rectWork = WorkAreaNear(rect.TopLeft());
  CRect rectVisible;
  if (!rectVisible.IntersectRect(rectWork, rect)) return;  // wholly outside: where the program put it
  cs.x = rectVisible.left;
  cs.y = rectVisible.top;
  cs.cx = rect.Width();
  cs.cy = rect.Height();
}

void CUfxFrameHelper::OnCloseFrame() {
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

BOOL CUfxFrameHelper::ProcessKeyboard(int nKey, BOOL* pbProcessAccel) {
  if (pbProcessAccel != nullptr) *pbProcessAccel = TRUE;
  // A minimised frame leaves every key to the system (Alt+F4, Alt+Space) and translates none.
  if (m_pFrame != nullptr && m_pFrame->GetSafeHwnd() != nullptr && m_pFrame->IsIconic()) {
    if (pbProcessAccel != nullptr) *pbProcessAccel = FALSE;
    return FALSE;
  }
  BYTE fVirt = FVIRTKEY;
  if (::GetKeyState(VK_CONTROL) & 0x8000) fVirt |= FCONTROL;
  if (::GetKeyState(VK_MENU) & 0x8000) fVirt |= FALT;
  if (::GetKeyState(VK_SHIFT) & 0x8000) fVirt |= FSHIFT;
  if (CUfxKeyboardManager::IsKeyInAccelTable((UINT)nKey, fVirt, m_pFrame, TRUE) ||
      (m_pFrame != nullptr &&
       CUfxKeyboardManager::IsKeyInAccelTable((UINT)nKey, fVirt, m_pFrame->GetActiveFrame(), FALSE)))
    return FALSE;  // the accelerator runs
  return FALSE;
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
  m_pFrame->EnableDocking(dwDockStyle);
  m_pFrame->m_pFloatingFrameClass = RUNTIME_CLASS(CUfxMiniDockFrameWnd);
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
