// CUfxContextMenuManager: the application's context menus, registered once by name and resource
// id, shown as the framework's own popup menus and saved with the workspace.
#pragma once
#include "Framework.h"

class CUfxContextMenuManager : public CObject {
public:
  CUfxContextMenuManager();
  ~CUfxContextMenuManager() override;

  // Loads the menu from the resource library and registers it; FALSE when it cannot be loaded or
  // the id is registered already.
  BOOL AddMenu(LPCWSTR lpszName, UINT uiMenuResId);
  // The menu registered under the name (null when none) and, when asked, its resource id.
  HMENU GetMenuByName(LPCWSTR lpszName, UINT* puiOrigResID = nullptr) const;
  HMENU GetMenuById(UINT uiMenuResId) const;
  void GetMenuNames(CStringList& listOfNames) const;

protected:
  CMap<UINT, UINT, HMENU, HMENU> m_Menus;
  CMap<CString, LPCWSTR, HMENU, HMENU> m_MenuNames;
  UINT m_nLastCommandID = 0;
  BOOL m_bTrackMode = FALSE;
};

// The application's context-menu manager, null when it has none.
extern CUfxContextMenuManager* UfxContextMenuManager;
