// Message-map search, command dispatch and CCmdUI.
#include "Framework.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
  static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr, nullptr}};
  static const AFX_MSGMAP map = {nullptr, &entries[0]};
  return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

BOOL CCmdTarget::DispatchCmdMsg(CCmdTarget* pTarget, UINT nID, int nCode, const AFX_MSGMAP_ENTRY* pEntry,
                                void* pExtra, UINT nMsg) {
  LRESULT result = 0;
  AFX_DISPATCH d = {nMsg, 0, 0, nID, nCode, pExtra, &result};
  if (nCode == (int)CN_UPDATE_COMMAND_UI) {
    CCmdUI* pCmdUI = (CCmdUI*)pExtra;
    pCmdUI->m_bContinueRouting = FALSE;
    pEntry->pfn(pTarget, d);
    return !pCmdUI->m_bContinueRouting;
  }
  return pEntry->pfn(pTarget, d);
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  UINT nMsg = 0;
  if (nCode != (int)CN_UPDATE_COMMAND_UI) {
    nMsg = HIWORD(nCode);
    nCode = LOWORD(nCode);
  }
  if (nMsg == 0) nMsg = WM_COMMAND;
  for (const AFX_MSGMAP* map = GetMessageMap(); map != nullptr;
       map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
    for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->pfn != nullptr; ++e) {
      if (e->pRegMsg != nullptr || e->nMessage != nMsg || e->nCode != (UINT)nCode) continue;
      if (nID < e->nID || nID > e->nLastID) continue;
      if (pHandlerInfo != nullptr) {
        pHandlerInfo->pTarget = this;
        pHandlerInfo->pEntry = e;
        return TRUE;
      }
      return DispatchCmdMsg(this, nID, nCode, e, pExtra, nMsg);
    }
  }
  return FALSE;
}

static int g_nWaitCursorCount = 0;
static HCURSOR g_hcurWaitCursorRestore = nullptr;

void CCmdTarget::BeginWaitCursor() {
  if (g_nWaitCursorCount++ == 0) g_hcurWaitCursorRestore = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
  else ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
}

void CCmdTarget::EndWaitCursor() {
  if (g_nWaitCursorCount > 0 && --g_nWaitCursorCount == 0) ::SetCursor(g_hcurWaitCursorRestore);
}

void CCmdTarget::RestoreWaitCursor() {
  if (g_nWaitCursorCount > 0) ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
}

// ---- CCmdUI -------------------------------------------------------------------------------
CCmdUI::CCmdUI()
    : m_nID(0), m_nIndex(0), m_pMenu(nullptr), m_pSubMenu(nullptr), m_pParentMenu(nullptr), m_pOther(nullptr),
      m_bEnableChanged(FALSE), m_bContinueRouting(FALSE), m_nIndexMax(0) {}

void CCmdUI::Enable(BOOL bOn) {
  if (m_pMenu != nullptr) {
    if (m_pSubMenu != nullptr) return;  // popups are enabled through their items
    m_pMenu->EnableMenuItem(m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
  } else if (m_pOther != nullptr) {
    // Move the focus away from a control that is about to be disabled.
    if (!bOn && ::GetFocus() == m_pOther->m_hWnd) {
      HWND hParent = ::GetParent(m_pOther->m_hWnd);
      if (hParent) ::SendMessageW(hParent, WM_NEXTDLGCTL, 0, FALSE);
    }
    m_pOther->EnableWindow(bOn);
  }
  m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck) {
  if (m_pMenu != nullptr) {
    if (m_pSubMenu != nullptr) return;
    m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
  } else if (m_pOther != nullptr) {
    if (m_pOther->SendMessage(WM_GETDLGCODE) & DLGC_BUTTON) m_pOther->SendMessage(BM_SETCHECK, (WPARAM)nCheck);
  }
}

void CCmdUI::SetRadio(BOOL bOn) {
  if (m_pMenu != nullptr) {
    if (m_pSubMenu != nullptr) return;
    MENUITEMINFOW mii = {sizeof(mii)};
    mii.fMask = MIIM_FTYPE;
    if (m_pMenu->GetMenuItemInfo(m_nIndex, &mii, TRUE)) {
      mii.fType = bOn ? (mii.fType | MFT_RADIOCHECK) : (mii.fType & ~MFT_RADIOCHECK);
      m_pMenu->SetMenuItemInfo(m_nIndex, &mii, TRUE);
    }
    m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (bOn ? MF_CHECKED : MF_UNCHECKED));
  } else {
    SetCheck(bOn ? 1 : 0);
  }
}

void CCmdUI::SetText(LPCWSTR lpszText) {
  if (lpszText == nullptr) lpszText = L"";
  if (m_pMenu != nullptr) {
    if (m_pSubMenu != nullptr) return;
    UINT state = m_pMenu->GetMenuState(m_nIndex, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED | MF_CHECKED);
    m_pMenu->ModifyMenu(m_nIndex, MF_BYPOSITION | MF_STRING | state, m_nID, lpszText);
  } else if (m_pOther != nullptr) {
    CString current;
    m_pOther->GetWindowText(current);
    if (current != lpszText) m_pOther->SetWindowText(lpszText);
  }
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) {
  if (m_nID == 0 || LOWORD(m_nID) == 0xFFFF) return TRUE;  // separators and popups
  m_bEnableChanged = FALSE;
  BOOL bResult = pTarget->OnCmdMsg(m_nID, (int)CN_UPDATE_COMMAND_UI, this, nullptr);
  if (bDisableIfNoHndler && !m_bEnableChanged) {
    AFX_CMDHANDLERINFO info = {nullptr, nullptr};
    BOOL bHandler = pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info);
    Enable(bHandler);
  }
  return bResult;
}
