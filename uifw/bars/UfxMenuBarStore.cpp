#include "bars/UfxMenuBarStore.h"
#include "bars/UfxToolBar.h"
#include "bars/UfxToolbarMenuButton.h"

#include <memory>
#include <vector>

CUfxMenuBarStore UfxMenuBarStore;

namespace {
const UINT kArchiveBuffer = 4096;

void CloseHandleOnce(HANDLE& h) {
  if (h != nullptr && h != INVALID_HANDLE_VALUE) ::CloseHandle(h);
  h = INVALID_HANDLE_VALUE;
}
}  // namespace

CUfxMenuBarStore::CUfxMenuBarStore() { m_StoredMenus.InitHashTable(17); }

CUfxMenuBarStore::~CUfxMenuBarStore() { CleanUp(); }

HANDLE CUfxMenuBarStore::CreateTempFile() {
  WCHAR szPath[MAX_PATH] = L"";
  WCHAR szFile[MAX_PATH] = L"";
  if (::GetTempPathW(MAX_PATH, szPath) == 0) return INVALID_HANDLE_VALUE;
  if (::GetTempFileNameW(szPath, L"Ufx", 0, szFile) == 0) return INVALID_HANDLE_VALUE;
  // GetTempFileName made the (empty) file already; it is opened again to go when its handle does.
  HANDLE h = ::CreateFileW(szFile, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (h == INVALID_HANDLE_VALUE) ::DeleteFileW(szFile);
  return h;
}

BOOL CUfxMenuBarStore::Save(HMENU hMenu, CUfxToolBar* pBar) {
  if (pBar == nullptr) return FALSE;
  if (pBar->GetButtonCount() == 0) {
    // An empty bar is not stored; what was stored for the handle no longer holds.
    Remove(hMenu);
    return FALSE;
  }
  HANDLE hFile = CreateTempFile();
  if (hFile == INVALID_HANDLE_VALUE) return FALSE;
  BOOL bSaved = FALSE;
  try {
    // The archive is made in memory and goes to the file in one write: the file system sees
    // one call instead of one for every field.
    CMemFile mem(kArchiveBuffer);
    {
      CArchive ar(&mem, CArchive::store, kArchiveBuffer);
      CUfxToolbarMenuButton::AlwaysTearOffIdScope scope;
      pBar->Serialize(ar);
      ar.Close();
    }
    const UINT nBytes = (UINT)mem.GetLength();
    std::unique_ptr<BYTE, void (*)(void*)> bytes(mem.Detach(), free);
    CFile file(hFile);
    file.Write(bytes.get(), nBytes);
    bSaved = TRUE;
  } catch (CException* e) {
    e->Delete();
  } catch (...) {
  }
  if (!bSaved) {
    CloseHandleOnce(hFile);
    return FALSE;
  }
  // Only now does the new copy replace the old one.
  HANDLE hOld = INVALID_HANDLE_VALUE;
  if (m_StoredMenus.Lookup(hMenu, hOld)) CloseHandleOnce(hOld);
  m_StoredMenus.SetAt(hMenu, hFile);
  return TRUE;
}

BOOL CUfxMenuBarStore::Load(HMENU hMenu, CUfxToolBar* pBar) {
  HANDLE hFile = INVALID_HANDLE_VALUE;
  if (pBar == nullptr || !m_StoredMenus.Lookup(hMenu, hFile)) return FALSE;
  try {
    // The whole file is read at once and the archive read from memory.
    CFile file(hFile);
    file.SeekToBegin();
    const ULONGLONG nLength = file.GetLength();
    if (nLength == 0 || nLength > 0x7FFFFFFF) return FALSE;
    std::vector<BYTE> bytes((size_t)nLength);
    if (file.Read(bytes.data(), (UINT)nLength) != (UINT)nLength) return FALSE;
    CMemFile mem(bytes.data(), (UINT)nLength);
    CArchive ar(&mem, CArchive::load, kArchiveBuffer);
    CUfxToolbarMenuButton::AlwaysTearOffIdScope scope;
    pBar->Serialize(ar);
    ar.Close();
  } catch (CException* e) {
    e->Delete();
    return FALSE;
  } catch (...) {
    return FALSE;
  }
  return TRUE;
}

BOOL CUfxMenuBarStore::Remove(HMENU hMenu) {
  HANDLE hFile = INVALID_HANDLE_VALUE;
  if (!m_StoredMenus.Lookup(hMenu, hFile)) return FALSE;
  CloseHandleOnce(hFile);
  m_StoredMenus.RemoveKey(hMenu);
  return TRUE;
}

BOOL CUfxMenuBarStore::IsStored(HMENU hMenu) const {
  HANDLE h = nullptr;
  return m_StoredMenus.Lookup(hMenu, h);
}

void CUfxMenuBarStore::CleanUp() {
  for (POSITION pos = m_StoredMenus.GetStartPosition(); pos != nullptr;) {
    HMENU hMenu = nullptr;
    HANDLE hFile = INVALID_HANDLE_VALUE;
    m_StoredMenus.GetNextAssoc(pos, hMenu, hFile);
    CloseHandleOnce(hFile);
  }
  m_StoredMenus.RemoveAll();
}
