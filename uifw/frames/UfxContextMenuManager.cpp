#include "UfxContextMenuManager.h"
#include "UfxMapKeys.h"
#include "UfxTearOffManager.h"

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
