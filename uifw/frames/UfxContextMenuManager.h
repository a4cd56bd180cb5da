// CUfxContextMenuManager: the application's context menus, registered once by name and resource
// id, shown as the framework's own popup menus and saved with the workspace.
#pragma once
#include "Framework.h"

class CUfxPopupMenu;

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

  // Shows the first sub-menu of a registered menu at the point ((-1, -1): 5 pixels inside the
  // window's client origin). TRUE when a popup was created.
  virtual BOOL ShowPopupMenu(UINT uiMenuResId, int x, int y, CWnd* pWndOwner, BOOL bOwnMessage = FALSE,
                             BOOL bRightAlign = FALSE);
  // Shows the menu as the framework's popup; commands go to the window's top-level window unless
  // bOwnMessage. The popup, or null when none was created.
  // bKeepMenu: the popup leaves the menu handle alone when it closes.
  virtual CUfxPopupMenu* ShowPopupMenu(HMENU hmenuPopup, int x, int y, CWnd* pWndOwner, BOOL bOwnMessage,
                                       BOOL bKeepMenu, BOOL bRightAlign = FALSE);
  // Shows the menu modally and answers the chosen command, 0 when none was chosen.
  virtual UINT TrackPopupMenu(HMENU hmenuPopup, int x, int y, CWnd* pWndOwner, BOOL bRightAlign = FALSE);

  // The customized items of every registered menu (as popup-menu bars), in the section
  // UfxGetRegPath("UfxContextMenuManager", profile).
  virtual BOOL LoadState(LPCWSTR lpszProfileName = nullptr);
  virtual BOOL SaveState(LPCWSTR lpszProfileName = nullptr);

  // The popup menu that TrackPopupMenu shows hands its chosen command here instead of sending it.
  void SetLastCommandID(UINT uiCmd) { m_nLastCommandID = uiCmd; }
  UINT GetLastCommandID() const { return m_nLastCommandID; }
  BOOL IsTrackMode() const { return m_bTrackMode; }

protected:
  CMap<UINT, UINT, HMENU, HMENU> m_Menus;
  CMap<CString, LPCWSTR, HMENU, HMENU> m_MenuNames;
  UINT m_nLastCommandID = 0;
  BOOL m_bTrackMode = FALSE;
};

// The application's context-menu manager, null when it has none.
extern CUfxContextMenuManager* UfxContextMenuManager;
