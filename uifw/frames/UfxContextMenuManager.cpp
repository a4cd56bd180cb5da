#include "frames/UfxContextMenuManager.h"
#include "bars/UfxDialog.h"
#include "looks/UfxPropertyPage.h"
#include "bars/UfxMenuBarStore.h"
#include "bars/UfxPopupMenu.h"
#include "bars/UfxPopupMenuBar.h"
#include "frames/UfxRegistry.h"
#include "frames/UfxMapKeys.h"
#include "frames/UfxTearOffManager.h"

CUfxContextMenuManager* UfxContextMenuManager = nullptr;

CUfxContextMenuManager::CUfxContextMenuManager() {
  m_Menus.InitHashTable(17);
  m_MenuNames.InitHashTable(17);
  UfxContextMenuManager = this;
}

CUfxContextMenuManager::~CUfxContextMenuManager() {
  for (POSITION pos = m_Menus.GetStartPosition(); pos != nullptr;) {
    UINT uiResId;
    HMENU hMenu;
    m_Menus.GetNextAssoc(pos, uiResId, hMenu);
    ::DestroyMenu(hMenu);
  }
  if (UfxContextMenuManager == this) UfxContextMenuManager = nullptr;
}

BOOL CUfxContextMenuManager::AddMenu(LPCWSTR lpszName, UINT uiMenuResId) {
  HMENU hMenu = ::LoadMenuW(AfxGetResourceHandle(), MAKEINTRESOURCEW(uiMenuResId));
  if (hMenu == nullptr) return FALSE;
  HMENU hExisting = nullptr;
  if (m_Menus.Lookup(uiMenuResId, hExisting)) {
    ::DestroyMenu(hMenu);
    return FALSE;
  }
  if (UfxTearOffManager != nullptr) UfxTearOffManager->SetupTearOffMenus(hMenu);
  m_Menus.SetAt(uiMenuResId, hMenu);
  m_MenuNames.SetAt(lpszName ? lpszName : L"", hMenu);
  return TRUE;
}

HMENU CUfxContextMenuManager::GetMenuByName(LPCWSTR lpszName, UINT* puiOrigResID) const {
  HMENU hMenu = nullptr;
  if (!m_MenuNames.Lookup(lpszName ? lpszName : L"", hMenu)) hMenu = nullptr;
  if (puiOrigResID != nullptr) {
    *puiOrigResID = 0;
    for (POSITION pos = m_Menus.GetStartPosition(); hMenu != nullptr && pos != nullptr;) {
      UINT uiResId;
      HMENU h;
      m_Menus.GetNextAssoc(pos, uiResId, h);
      if (h == hMenu) *puiOrigResID = uiResId;
    }
  }
  return hMenu;
}

HMENU CUfxContextMenuManager::GetMenuById(UINT uiMenuResId) const {
  HMENU hMenu = nullptr;
  return m_Menus.Lookup(uiMenuResId, hMenu) ? hMenu : nullptr;
}

void CUfxContextMenuManager::GetMenuNames(CStringList& listOfNames) const {
  listOfNames.RemoveAll();
  UfxAppendMapKeys(m_MenuNames, listOfNames);
}

BOOL CUfxContextMenuManager::ShowPopupMenu(UINT uiMenuResId, int x, int y, CWnd* pWndOwner, BOOL bOwnMessage,
                                           BOOL bRightAlign) {
  HMENU hMenu = GetMenuById(uiMenuResId);
  if (hMenu == nullptr) return FALSE;
  if (x == -1 && y == -1 && pWndOwner != nullptr && pWndOwner->GetSafeHwnd() != nullptr) {
    CPoint pt(0, 0);
    pWndOwner->ClientToScreen(&pt);
    x = pt.x + 5;
    y = pt.y + 5;
  }
  HMENU hSubMenu = ::GetSubMenu(hMenu, 0);
  if (hSubMenu == nullptr) return FALSE;
  return ShowPopupMenu(hSubMenu, x, y, pWndOwner, bOwnMessage, TRUE, bRightAlign) != nullptr;
}

CUfxPopupMenu* CUfxContextMenuManager::ShowPopupMenu(HMENU hmenuPopup, int x, int y, CWnd* pWndOwner,
                                                     BOOL bOwnMessage, BOOL bKeepMenu, BOOL bRightAlign) {
  // Dialogs and property pages show their own context menus.
  if (pWndOwner != nullptr && !bOwnMessage &&
      (pWndOwner->IsKindOf(RUNTIME_CLASS(CUfxDialog)) || pWndOwner->IsKindOf(RUNTIME_CLASS(CUfxPropertyPage))))
    return nullptr;
  if (UfxTearOffManager != nullptr) UfxTearOffManager->SetupTearOffMenus(hmenuPopup);
  if (m_bTrackMode) {
    bOwnMessage = TRUE;
  } else if (!bOwnMessage) {
    // Commands go to the top-level window, not to the child that asked.
    while (pWndOwner != nullptr && pWndOwner->GetSafeHwnd() != nullptr && (pWndOwner->GetStyle() & WS_CHILD))
      pWndOwner = pWndOwner->GetParent();
  }
  CUfxPopupMenu* pPopupMenu = new CUfxPopupMenu;
  if (bKeepMenu) {
    pPopupMenu->m_bDestroyMenuOnClose = FALSE;
    pPopupMenu->SetAutoDestroy(FALSE);
  }
  pPopupMenu->SetTrackMode(m_bTrackMode);
  pPopupMenu->SetRightAlign(bRightAlign);
  CUfxPopupMenu* pActive = CUfxPopupMenu::GetActiveMenu();
  if (pActive != nullptr && pActive->GetSafeHwnd() != nullptr) pActive->SendMessage(WM_CLOSE);
  // A popup whose window could not be made is not ours to delete (it may have gone with it).
  if (!pPopupMenu->Create(pWndOwner, x, y, hmenuPopup, FALSE, bOwnMessage)) return nullptr;
  return pPopupMenu;
}

namespace {
// The popup of a tracked menu lives while its window does and it has not ended.
bool PopupRuns(HWND hwndPopup, CUfxPopupMenu* pPopupMenu) {
  return ::IsWindow(hwndPopup) && CWnd::FromHandlePermanent(hwndPopup) == pPopupMenu && !pPopupMenu->IsEnded();
}
}  // namespace

UINT CUfxContextMenuManager::TrackPopupMenu(HMENU hmenuPopup, int x, int y, CWnd* pWndOwner, BOOL bRightAlign) {
  m_nLastCommandID = 0;
  CWinThread* pThread = AfxGetThread();
  if (pThread == nullptr) return 0;
  m_bTrackMode = TRUE;
  CUfxPopupMenu* pPopupMenu = ShowPopupMenu(hmenuPopup, x, y, pWndOwner, FALSE, TRUE, bRightAlign);
  // A dialog or page that the menu is shown over learns of it for its duration.
  CUfxDialog* pParentDialog = nullptr;
  CUfxPropertyPage* pParentPage = nullptr;
  if (pPopupMenu != nullptr && pWndOwner != nullptr && pWndOwner->GetSafeHwnd() != nullptr) {
    pParentDialog = DYNAMIC_DOWNCAST(CUfxDialog, pWndOwner->GetParent());
    pParentPage = DYNAMIC_DOWNCAST(CUfxPropertyPage, pWndOwner->GetParent());
  }
  if (pParentDialog != nullptr) pParentDialog->SetActivePopupMenu(pPopupMenu);
  if (pParentPage != nullptr) pParentPage->SetActiveMenu(pPopupMenu);
  m_bTrackMode = FALSE;

  const HWND hwndPopup = pPopupMenu != nullptr ? pPopupMenu->GetSafeHwnd() : nullptr;
  // The popup is tested before each message is taken: a message that arrives as it ends stays
  // queued for the program's own loop.
  while (hwndPopup != nullptr && PopupRuns(hwndPopup, pPopupMenu)) {
    MSG msg;
    if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::WaitMessage();
      continue;
    }
    if (msg.message == WM_QUIT) {
      // The program is ending: the menu closes and the quit is left for the program's loop.
      if (PopupRuns(hwndPopup, pPopupMenu)) pPopupMenu->SendMessage(WM_CLOSE);
      ::PostQuitMessage((int)msg.wParam);
      break;
    }
    if (!pThread->PreTranslateMessage(&msg)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    pThread->OnIdle(0);
  }
  if (pParentDialog != nullptr && pParentDialog->GetSafeHwnd() != nullptr) pParentDialog->SetActivePopupMenu(nullptr);
  if (pParentPage != nullptr && pParentPage->GetSafeHwnd() != nullptr) pParentPage->SetActiveMenu(nullptr);
  return m_nLastCommandID;
}

namespace {
// Runs the step on the first sub-menu of every registered menu (the menu its popups show), with the
// menu's resource id; the first step that answers FALSE ends the walk with FALSE.
template <class Step>
BOOL ForEachShownMenu(const CMap<UINT, UINT, HMENU, HMENU>& menus, Step step) {
  for (POSITION pos = menus.GetStartPosition(); pos != nullptr;) {
    UINT uiResId;
    HMENU hMenu;
    menus.GetNextAssoc(pos, uiResId, hMenu);
    HMENU hSubMenu = ::GetSubMenu(hMenu, 0);
    if (hSubMenu != nullptr && !step(uiResId, hSubMenu)) return FALSE;
  }
  return TRUE;
}
}  // namespace

BOOL CUfxContextMenuManager::LoadState(LPCWSTR lpszProfileName) {
  const CString strSection = UfxGetRegPath(L"UfxContextMenuManager", lpszProfileName);
  return ForEachShownMenu(m_Menus, [&](UINT uiResId, HMENU hSubMenu) {
    CUfxPopupMenuBar bar;
    if (!bar.ImportFromMenu(hSubMenu)) return FALSE;
    // The next popup of this menu shows the customized items.
    if (bar.LoadState(strSection, 0, uiResId)) UfxMenuBarStore.Save(hSubMenu, &bar);
    return TRUE;
  });
}

BOOL CUfxContextMenuManager::SaveState(LPCWSTR lpszProfileName) {
  const CString strSection = UfxGetRegPath(L"UfxContextMenuManager", lpszProfileName);
  return ForEachShownMenu(m_Menus, [&](UINT uiResId, HMENU hSubMenu) {
    CUfxPopupMenuBar bar;
    return !UfxMenuBarStore.Load(hSubMenu, &bar) || bar.SaveState(strSection, 0, uiResId);
  });
}
