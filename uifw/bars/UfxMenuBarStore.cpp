#include "UfxMenuBarStore.h"
#include "UfxToolBar.h"
#include "UfxToolbarMenuButton.h"
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
  // The bar is written in memory first and goes to its file in one piece: the copy is read back
  // only through its handle and goes when that closes, so it is never forced to disk either.
  CMemFile image(4096);
  try {
    CArchive ar(&image, CArchive::store, kArchiveBuffer);
    CUfxToolbarMenuButton::AlwaysTearOffIdScope scope;
    pBar->Serialize(ar);
    ar.Close();
  } catch (CException* e) {
    e->Delete();
    return FALSE;
  } catch (...) {
    return FALSE;
  }
  const UINT nSize = (UINT)image.GetLength();
  BYTE* pData = image.Detach();
  HANDLE hFile = CreateTempFile();
  BOOL bSaved = FALSE;
  if (hFile != INVALID_HANDLE_VALUE) {
    DWORD dwWritten = 0;
    bSaved = ::WriteFile(hFile, pData, nSize, &dwWritten, nullptr) && dwWritten == nSize;
  }
  free(pData);
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
  // The whole copy is read at once and the bar read from memory.
  std::vector<BYTE> data;
  LARGE_INTEGER size = {};
  LARGE_INTEGER start = {};
  if (!::GetFileSizeEx(hFile, &size) || size.QuadPart <= 0 || size.QuadPart >= 0x7FFFFFFF ||
      !::SetFilePointerEx(hFile, start, nullptr, FILE_BEGIN))
    return FALSE;
  try {
    data.resize((size_t)size.QuadPart);
    DWORD dwRead = 0;
    if (!::ReadFile(hFile, data.data(), (DWORD)data.size(), &dwRead, nullptr) || dwRead != data.size()) return FALSE;
    CMemFile file(data.data(), (UINT)data.size());
    CArchive ar(&file, CArchive::load, kArchiveBuffer);
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
