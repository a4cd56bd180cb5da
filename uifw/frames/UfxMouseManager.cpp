#include "frames/UfxMouseManager.h"
#include "frames/UfxMapKeys.h"
#include "frames/UfxRegistryPtr.h"

IMPLEMENT_SERIAL(CUfxMouseManager, CObject, 1)

CUfxMouseManager* UfxMouseManager = nullptr;

namespace {
const wchar_t kValueMouse[] = L"Mouse";
}

CUfxMouseManager::CUfxMouseManager() {
  m_ViewsNames.InitHashTable(17);
  m_ViewsToCommands.InitHashTable(17);
  m_ViewsToIcons.InitHashTable(17);
  UfxMouseManager = this;
}

CUfxMouseManager::~CUfxMouseManager() {
  if (UfxMouseManager == this) UfxMouseManager = nullptr;
}

BOOL CUfxMouseManager::AddView(int iViewId, LPCWSTR lpszViewName, UINT uiIconId) {
  if (lpszViewName == nullptr || *lpszViewName == 0 || GetViewIdByName(lpszViewName) != -1) return FALSE;
  for (POSITION pos = m_ViewsNames.GetStartPosition(); pos != nullptr;) {
    CString name;
    int id;
    m_ViewsNames.GetNextAssoc(pos, name, id);
    if (id == iViewId) return FALSE;
  }
  m_ViewsNames.SetAt(lpszViewName, iViewId);
  if (uiIconId != 0) m_ViewsToIcons.SetAt(iViewId, uiIconId);
  return TRUE;
}

int CUfxMouseManager::GetViewIdByName(LPCWSTR lpszName) const {
  int id = -1;
  return m_ViewsNames.Lookup(lpszName ? lpszName : L"", id) ? id : -1;
}

void CUfxMouseManager::GetViewNames(CStringList& listOfNames) const {
  listOfNames.RemoveAll();
  UfxAppendMapKeys(m_ViewsNames, listOfNames);
}

UINT CUfxMouseManager::GetViewDblClickCommand(int iId) const {
  UINT uiCmd = 0;
  return m_ViewsToCommands.Lookup(iId, uiCmd) ? uiCmd : 0;
}

UINT CUfxMouseManager::GetViewIconId(int iViewId) const {
  UINT uiIcon = 0;
  return m_ViewsToIcons.Lookup(iViewId, uiIcon) ? uiIcon : 0;
}

void CUfxMouseManager::SetCommandForDblClick(int iViewId, UINT uiCmd) {
  if (uiCmd == 0) m_ViewsToCommands.RemoveKey(iViewId);
  else m_ViewsToCommands.SetAt(iViewId, uiCmd);
}

void CUfxMouseManager::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << (int)m_ViewsToCommands.GetCount();
    for (POSITION pos = m_ViewsToCommands.GetStartPosition(); pos != nullptr;) {
      int iViewId;
      UINT uiCmd;
      m_ViewsToCommands.GetNextAssoc(pos, iViewId, uiCmd);
      ar << iViewId << uiCmd;
    }
    return;
  }
  m_ViewsToCommands.RemoveAll();
  int nCount = 0;
  ar >> nCount;
  for (int i = 0; i < nCount; ++i) {
    int iViewId;
    UINT uiCmd;
    ar >> iViewId >> uiCmd;
    m_ViewsToCommands.SetAt(iViewId, uiCmd);
  }
}

BOOL CUfxMouseManager::LoadState(LPCWSTR lpszProfileName) {
  CUfxRegistryPtr reg;
  if (!reg.Create(FALSE, TRUE).Open(UfxGetRegPath(L"UfxMouseManager", lpszProfileName))) return FALSE;
  // A damaged value leaves the bindings as they were.
  CMap<int, int, UINT, UINT> kept;
  for (POSITION pos = m_ViewsToCommands.GetStartPosition(); pos != nullptr;) {
    int iViewId;
    UINT uiCmd;
    m_ViewsToCommands.GetNextAssoc(pos, iViewId, uiCmd);
    kept.SetAt(iViewId, uiCmd);
  }
  if (reg->Read(kValueMouse, *this)) return TRUE;
  m_ViewsToCommands.RemoveAll();
  for (POSITION pos = kept.GetStartPosition(); pos != nullptr;) {
    int iViewId;
    UINT uiCmd;
    kept.GetNextAssoc(pos, iViewId, uiCmd);
    m_ViewsToCommands.SetAt(iViewId, uiCmd);
  }
  return FALSE;
}

BOOL CUfxMouseManager::SaveState(LPCWSTR lpszProfileName) {
  CUfxRegistryPtr reg;
  if (!reg.Create(FALSE, FALSE).CreateKey(UfxGetRegPath(L"UfxMouseManager", lpszProfileName))) return FALSE;
  return reg->Write(kValueMouse, *this);
}
