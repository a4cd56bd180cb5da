#include "frames/UfxCommandManager.h"
#include "frames/UfxRegistryPtr.h"

namespace {
const wchar_t kValueCommandsWithoutImages[] = L"CommandsWithoutImages";
CUfxCommandManager g_commandManager;
}  // namespace

CUfxCommandManager* UfxGetCommandManager() { return &g_commandManager; }

CUfxCommandManager::CUfxCommandManager() {
  m_CommandIndex.InitHashTable(17);
  m_CommandIndexUser.InitHashTable(17);
}

int CUfxCommandManager::GetCmdImage(UINT uiCmd, BOOL bUserImage) const {
  int iImage = -1;
  (bUserImage ? m_CommandIndexUser : m_CommandIndex).Lookup(uiCmd, iImage);
  return iImage;
}

void CUfxCommandManager::SetCmdImage(UINT uiCmd, int iImage, BOOL bUserImage) {
  if (uiCmd == 0 || uiCmd == (UINT)-1) return;
  // A command keeps the kind of image it got first.
  if (GetCmdImage(uiCmd, !bUserImage) >= 0) return;
  (bUserImage ? m_CommandIndexUser : m_CommandIndex).SetAt(uiCmd, iImage);
}

void CUfxCommandManager::ClearUserCmdImage(UINT uiCmd) { m_CommandIndexUser.RemoveKey(uiCmd); }

void CUfxCommandManager::EnableMenuItemImage(UINT uiCmd, BOOL bEnable) {
  POSITION pos = m_lstCommandsWithoutImages.Find(uiCmd);
  if (bEnable) {
    if (pos != nullptr) m_lstCommandsWithoutImages.RemoveAt(pos);
  } else if (pos == nullptr) {
    m_lstCommandsWithoutImages.AddTail(uiCmd);
  }
}

void CUfxCommandManager::CleanUp() {
  m_CommandIndex.RemoveAll();
  m_CommandIndexUser.RemoveAll();
  m_lstCommandsWithoutImages.RemoveAll();
}

CString CUfxCommandManager::GetRegKey(LPCWSTR lpszProfileName) const {
  return UfxGetRegPath(L"UfxToolBars", lpszProfileName) + L"UfxCommandManager";
}

BOOL CUfxCommandManager::LoadState(LPCWSTR lpszProfileName) {
  CUfxRegistryPtr reg;
  if (!reg.Create(FALSE, TRUE).Open(GetRegKey(lpszProfileName))) return FALSE;
  CList<UINT, UINT> loaded;
  if (!reg->Read(kValueCommandsWithoutImages, loaded)) return FALSE;
  m_lstCommandsWithoutImages.RemoveAll();
  m_lstCommandsWithoutImages.AddTail(&loaded);
  return TRUE;
}

BOOL CUfxCommandManager::SaveState(LPCWSTR lpszProfileName) {
  CUfxRegistryPtr reg;
  if (!reg.Create(FALSE, FALSE).CreateKey(GetRegKey(lpszProfileName))) return FALSE;
  return reg->Write(kValueCommandsWithoutImages, m_lstCommandsWithoutImages);
}
