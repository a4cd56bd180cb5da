#include "frames/UfxTearOffManager.h"

CUfxTearOffManager* UfxTearOffManager = nullptr;

namespace {
const wchar_t kMark = 1;

// The text of a menu item by position.
CString ItemText(HMENU hMenu, int i) {
  wchar_t buf[512] = {};
  MENUITEMINFOW mii = {};
  mii.cbSize = sizeof(mii);
  mii.fMask = MIIM_STRING;
  mii.dwTypeData = buf;
  mii.cch = 511;
  if (!::GetMenuItemInfoW(hMenu, (UINT)i, TRUE, &mii)) return CString();
  return CString(buf);
}
}  // namespace

CUfxTearOffManager::CUfxTearOffManager() { UfxTearOffManager = this; }

CUfxTearOffManager::~CUfxTearOffManager() {
  if (UfxTearOffManager == this) UfxTearOffManager = nullptr;
}

void CUfxTearOffManager::Initialize(UINT uiTearOffFirst, UINT uiTearOffLast) {
  m_uiTearOffMenuFirst = uiTearOffFirst;
  m_uiTearOffMenuLast = uiTearOffLast;
  m_arTearOffIDsUsage.RemoveAll();
  if (uiTearOffFirst != 0 && uiTearOffLast >= uiTearOffFirst)
    m_arTearOffIDsUsage.SetSize((INT_PTR)(uiTearOffLast - uiTearOffFirst + 1));
}

UINT CUfxTearOffManager::GetFreeTearOffID() {
  if (m_uiTearOffMenuFirst == 0 || m_uiTearOffMenuLast == 0 || m_uiTearOffMenuLast < m_uiTearOffMenuFirst) return 0;
  for (INT_PTR i = 0; i < m_arTearOffIDsUsage.GetSize(); ++i) {
    if (m_arTearOffIDsUsage[i] == 0) {
      m_arTearOffIDsUsage[i] = 1;
      return m_uiTearOffMenuFirst + (UINT)i;
    }
  }
  return 0;
}

void CUfxTearOffManager::SetInUse(UINT uiCmdId, BOOL bUse) {
  if (uiCmdId < m_uiTearOffMenuFirst || uiCmdId > m_uiTearOffMenuLast) return;
  const INT_PTR i = (INT_PTR)(uiCmdId - m_uiTearOffMenuFirst);
  if (i >= m_arTearOffIDsUsage.GetSize()) return;
  UINT& count = m_arTearOffIDsUsage[i];
  if (bUse) ++count;
  else if (count > 0) --count;
}

BOOL CUfxTearOffManager::IsInUse(UINT uiCmdId) const {
  if (uiCmdId < m_uiTearOffMenuFirst || uiCmdId > m_uiTearOffMenuLast) return FALSE;
  const INT_PTR i = (INT_PTR)(uiCmdId - m_uiTearOffMenuFirst);
  return i < m_arTearOffIDsUsage.GetSize() && m_arTearOffIDsUsage[i] > 0;
}

UINT CUfxTearOffManager::Parse(CString& str) {
  if (str.IsEmpty() || str[0] != kMark) return 0;
  const int iEnd = str.ReverseFind(kMark);
  if (iEnd <= 0) return 0;
  const UINT uiID = (UINT)_wtol((LPCWSTR)str + 1);
  str = str.Mid(iEnd + 1);
  return uiID;
}

void CUfxTearOffManager::Build(UINT uiID, CString& strText) {
  CString strNew;
  strNew.Format(L"%c%d%c%s", kMark, uiID, kMark, (LPCWSTR)strText);
  strText = strNew;
}

void CUfxTearOffManager::SetupTearOffMenus(HMENU hMenu) { SetupTree(hMenu); }

// FALSE when the ids ran out: the whole walk stops.
BOOL CUfxTearOffManager::SetupTree(HMENU hMenu) {
  if (hMenu == nullptr) return TRUE;
  const int n = ::GetMenuItemCount(hMenu);
  for (int i = 0; i < n; ++i) {
    HMENU hSub = ::GetSubMenu(hMenu, i);
    if (hSub == nullptr) continue;
    const UINT uiState = ::GetMenuState(hMenu, (UINT)i, MF_BYPOSITION);
    CString strText = ItemText(hMenu, i);
    if ((uiState & MF_MENUBARBREAK) && (strText.IsEmpty() || strText[0] != kMark)) {
      const UINT uiID = GetFreeTearOffID();
      if (uiID == 0) return FALSE;
      Build(uiID, strText);
      // Only the text changes: the item keeps its sub-menu, its state and its break mark.
      MENUITEMINFOW mii = {};
      mii.cbSize = sizeof(mii);
      mii.fMask = MIIM_STRING;
      mii.dwTypeData = const_cast<LPWSTR>((LPCWSTR)strText);
      ::SetMenuItemInfoW(hMenu, (UINT)i, TRUE, &mii);
    }
    if (!SetupTree(hSub)) return FALSE;
  }
  return TRUE;
}

int CUfxTearOffManager::Reset(HMENU hMenu) {
  if (hMenu == nullptr) {
    for (INT_PTR i = 0; i < m_arTearOffIDsUsage.GetSize(); ++i) m_arTearOffIDsUsage[i] = 0;
    return (int)m_arTearOffIDsUsage.GetSize();
  }
  ResetTree(hMenu);
  return ::GetMenuItemCount(hMenu);
}

void CUfxTearOffManager::ResetTree(HMENU hMenu) {
  const int n = ::GetMenuItemCount(hMenu);
  for (int i = 0; i < n; ++i) {
    CString strText = ItemText(hMenu, i);
    const UINT uiID = Parse(strText);
    if (uiID >= m_uiTearOffMenuFirst && uiID <= m_uiTearOffMenuLast && uiID != 0) {
      const INT_PTR k = (INT_PTR)(uiID - m_uiTearOffMenuFirst);
      if (k < m_arTearOffIDsUsage.GetSize()) m_arTearOffIDsUsage[k] = 0;
    }
    if (HMENU hSub = ::GetSubMenu(hMenu, i)) ResetTree(hSub);
  }
}
