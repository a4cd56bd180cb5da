// CUfxMenuBarStore: for every menu handle a menu bar has shown, a copy of the bar's buttons in a
// temporary file ("Ufx*.tmp", deleted when its handle closes), so that switching menus brings
// back the customized items instead of rebuilding them.
#pragma once
#include "Framework.h"

class CUfxToolBar;

class CUfxMenuBarStore : public CObject {
public:
  CUfxMenuBarStore();
  ~CUfxMenuBarStore() override;

  // Writes the bar into a new file for the handle; the entry is replaced only when that
  // succeeded. An empty bar is not stored and removes the handle's entry (FALSE).
  BOOL Save(HMENU hMenu, CUfxToolBar* pBar);
  // Fills the bar from the stored copy; FALSE (bar unchanged) without one or on damaged data.
  BOOL Load(HMENU hMenu, CUfxToolBar* pBar);
  // Closes the handle's file; TRUE when there was an entry.
  BOOL Remove(HMENU hMenu);
  BOOL IsStored(HMENU hMenu) const;
  int GetCount() const { return (int)m_StoredMenus.GetCount(); }
  // Closes every file and empties the map.
  void CleanUp();

protected:
  static HANDLE CreateTempFile();
  CMap<HMENU, HMENU, HANDLE, HANDLE> m_StoredMenus;
};

// The process's one store.
extern CUfxMenuBarStore UfxMenuBarStore;
