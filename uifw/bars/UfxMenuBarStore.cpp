#include "UfxMenuBarStore.h"
#include "UfxToolBar.h"

CUfxMenuBarStore UfxMenuBarStore;

CUfxMenuBarStore::CUfxMenuBarStore() = default;
CUfxMenuBarStore::~CUfxMenuBarStore() { CleanUp(); }
BOOL CUfxMenuBarStore::Save(HMENU, CUfxToolBar*) { return FALSE; }
BOOL CUfxMenuBarStore::Load(HMENU, CUfxToolBar*) { return FALSE; }
BOOL CUfxMenuBarStore::Remove(HMENU) { return FALSE; }
BOOL CUfxMenuBarStore::IsStored(HMENU hMenu) const {
  HANDLE h = nullptr;
  return m_StoredMenus.Lookup(hMenu, h);
}
void CUfxMenuBarStore::CleanUp() {}
HANDLE CUfxMenuBarStore::CreateTempFile() { return INVALID_HANDLE_VALUE; }
