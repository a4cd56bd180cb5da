// CUfxToolBar: the bar archive, the saved state and the original items.
#include "bars/UfxToolBarShared.h"
#include "bars/UfxToolbarButton.h"
#include "bars/UfxCommandUsage.h"
#include "bars/UfxCustomizeButton.h"
#include "bars/UfxToolbarSystemMenuButton.h"
#include "frames/UfxCommandManager.h"
#include "frames/UfxFrameHelper.h"
#include "frames/UfxFrameWnd.h"
#include "frames/UfxGlobalData.h"
#include "frames/UfxKeyboardManager.h"
#include "bars/UfxPopupMenu.h"
#include "bars/UfxPopupMenuBar.h"
#include "frames/UfxRegistry.h"
#include "bars/UfxTrackMouse.h"
#include "bars/UfxUserTool.h"
#include "frames/UfxUserToolsManager.h"
#include "looks/UfxVisualManager.h"
#include "frames/UfxWorkspace.h"
#include "FwReBar.h"
#include <commctrl.h>

using namespace ufx_toolbar;

// ---- the archive -------------------------------------------------------------------------------

void CUfxToolBar::Serialize(CArchive& ar) {
  CControlBar::Serialize(ar);
  if (ar.IsStoring()) {
    CObList listStored;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
      CUfxToolbarButton* pButton = AsButton(m_Buttons.GetNext(pos));
      if (pButton->CanBeStored()) listStored.AddTail(pButton);
    }
    listStored.Serialize(ar);
    CString strName;
    if (GetSafeHwnd() != nullptr) GetWindowText(strName);
    ar << (DWORD)m_bTextLabels << strName;
    return;
  }
  // Everything is read first; the bar changes only once the whole archive was read. Stored data
  // may only make buttons, and each of them once: the bar owns and deletes what it reads.
  CObList listLoaded;
  DWORD bTextLabels = 0;
  CString strName;
  try {
    const DWORD_PTR nCount = ar.ReadCount();
    for (DWORD_PTR i = 0; i < nCount; ++i) {
      CObject* pObject = ar.ReadOwnedObject(RUNTIME_CLASS(CUfxToolbarButton));
      if (pObject == nullptr) AfxThrowArchiveException(CArchiveException::badIndex);
      // Forbidden commands never come back, however many of them were stored.
      if (!IsCommandAllowed(AsButton(pObject)->m_nID)) {
        delete pObject;
        continue;
      }
      try {
        listLoaded.AddTail(pObject);
      } catch (...) {
        delete pObject;
        throw;
      }
    }
    ar >> bTextLabels >> strName;
    // An open popup of a button that goes closes before the list is touched.
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) AsButton(m_Buttons.GetNext(pos))->OnCancelMode();
    ReserveButtonNodes(listLoaded.GetCount());
  } catch (...) {
    DeleteButtons(listLoaded);
    throw;
  }
  ReplaceButtons(listLoaded);
  if (AllowsTextLabels()) m_bTextLabels = bTextLabels != 0;
  if (GetSafeHwnd() != nullptr) {
    SetWindowText(strName);
    LayoutButtons();
  }
}

void CUfxToolBar::ReserveButtonNodes(INT_PTR nButtons) {
  // Empty entries at the head, each taken by a loaded button.
  const INT_PTR nOwn = GetButtonCount() - (m_pCustomizeBtn != nullptr ? 1 : 0);
  INT_PTR nAdded = 0;
  try {
    for (; nOwn + nAdded < nButtons; ++nAdded) m_Buttons.AddHead((CObject*)nullptr);
  } catch (...) {
    while (nAdded-- > 0) m_Buttons.RemoveHead();
    throw;
  }
}

void CUfxToolBar::ReplaceButtons(CObList& listLoaded) {
  m_iButtonCapture = m_iHighlighted = m_iSelected = -1;
  m_AcellKeys.RemoveAll();
  for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
    const POSITION posThis = pos;
    CObject* pOld = m_Buttons.GetNext(pos);
    if (pOld != nullptr && pOld == m_pCustomizeBtn) continue;
    delete pOld;
    if (listLoaded.IsEmpty()) {
      m_Buttons.RemoveAt(posThis);
      continue;
    }
    CUfxToolbarButton* pButton = AsButton(listLoaded.RemoveHead());
    pButton->m_nStyle &= ~(TBBS_CHECKED | TBBS_PRESSED);
    m_Buttons.SetAt(posThis, pButton);
    pButton->OnParentChanged(this);
  }
}

// ---- saved state --------------------------------------------------------------------------------

namespace {
BOOL IsSmartUpdate() {
  CUfxWorkspace* pWorkspace = UfxGetWorkspace();
  return pWorkspace != nullptr && pWorkspace->IsResourceSmartUpdate();
}

CString ParametersKey(LPCWSTR lpszProfileName) {
  return UfxGetRegPath(L"UfxToolBars", lpszProfileName) + L"UfxToolbarParameters";
}
}  // namespace

CString CUfxToolBar::StateKey(LPCWSTR lpszProfileName, int nIndex, UINT uiID) const {
  return StateKeyOf(lpszProfileName, nIndex == -1 ? (GetSafeHwnd() != nullptr ? GetDlgCtrlID() : 0) : nIndex, uiID);
}

CString CUfxToolBar::StateKeyOf(LPCWSTR lpszProfileName, int nBar, UINT uiID) {
  const CString strPath = UfxGetRegPath(L"UfxToolBars", lpszProfileName);
  CString strKey;
  if (uiID == (UINT)-1) strKey.Format(L"%sUfxToolBar-%d", (LPCWSTR)strPath, nBar);
  else strKey.Format(L"%sUfxToolBar-%d%x", (LPCWSTR)strPath, nBar, uiID);
  return strKey;
}

BOOL CUfxToolBar::SaveState(LPCWSTR lpszProfileName, int nIndex, UINT uiID) {
  CMemFile file(1024);
  try {
    CArchive ar(&file, CArchive::store, 4096);
    Serialize(ar);
    ar.Close();
  } catch (CException* e) {
    e->Delete();
    return FALSE;
  }
  const UINT nSize = (UINT)file.GetLength();
  BYTE* pData = file.Detach();
  CUfxRegistry reg(FALSE, FALSE);
  BOOL bResult = FALSE;
  if (reg.CreateKey(StateKey(lpszProfileName, nIndex, uiID))) {
    if (GetSafeHwnd() != nullptr) {
      CString strName;
      GetWindowText(strName);
      reg.Write(L"Name", (LPCWSTR)strName);
    }
    bResult = reg.Write(L"Buttons", pData, nSize);
  }
  free(pData);
  if (bResult && IsSmartUpdate()) SaveOriginalItems(reg);
  return bResult;
}

BOOL CUfxToolBar::LoadState(LPCWSTR lpszProfileName, int nIndex, UINT uiID) {
  CUfxRegistry reg(FALSE, TRUE);
  if (!reg.Open(StateKey(lpszProfileName, nIndex, uiID))) return FALSE;
  BYTE* pData = nullptr;
  UINT nSize = 0;
  if (!reg.Read(L"Buttons", &pData, &nSize) || pData == nullptr) return FALSE;
  BOOL bResult = FALSE;
  try {
    CMemFile file(pData, nSize);
    CArchive ar(&file, CArchive::load, 4096);
    Serialize(ar);
    bResult = TRUE;
  } catch (CException* e) {
    // Damaged data: the bar keeps what it had.
    e->Delete();
  } catch (...) {
    // Out of memory or any other failure while reading: the same answer as damaged data.
  }
  delete[] pData;
  if (bResult && IsSmartUpdate()) LoadOriginalItems(reg);
  AdjustLayout();
  return bResult;
}

BOOL CUfxToolBar::HasSavedState(LPCWSTR lpszProfileName, int nIndex, UINT uiID) {
  CUfxRegistry reg(FALSE, TRUE);
  return reg.KeyExists(StateKeyOf(lpszProfileName, nIndex, uiID));
}

BOOL CUfxToolBar::RemoveSavedState(LPCWSTR lpszProfileName, int nIndex, UINT uiID) {
  CUfxRegistry reg(FALSE, FALSE);
  return reg.DeleteKey(StateKey(lpszProfileName, nIndex, uiID));
}

BOOL CUfxToolBar::SaveParameters(LPCWSTR lpszProfileName) {
  CUfxRegistry reg(FALSE, FALSE);
  if (!reg.CreateKey(ParametersKey(lpszProfileName))) return FALSE;
  return reg.Write(L"Tooltips", (int)s_bShowTooltips) && reg.Write(L"ShortcutKeys", (int)s_bShowShortcutKeys) &&
         reg.Write(L"LargeIcons", (int)s_bLargeIcons) && reg.Write(L"MenuAnimation", s_iMenuAnimation) &&
         reg.Write(L"RecentlyUsedMenus", (int)s_bRecentlyUsedMenus) && reg.Write(L"MenuShadows", (int)s_bMenuShadows) &&
         reg.Write(L"ShowAllMenusAfterDelay", (int)s_bShowAllMenusAfterDelay) &&
         reg.Write(L"Look2000", (int)CUfxVisualManager::GetInstance()->IsLook2000()) &&
         reg.Write(L"CommandsUsage", static_cast<CObject&>(UfxCommandUsage));
}

BOOL CUfxToolBar::LoadParameters(LPCWSTR lpszProfileName) {
  CUfxRegistry reg(FALSE, TRUE);
  if (!reg.Open(ParametersKey(lpszProfileName))) return FALSE;
  int nLargeIcons = 0;
  int nMenuAnimation = 0;
  int nLook2000 = 0;
  // Read in order, up to the first value that is missing.
  (void)(reg.Read(L"Tooltips", s_bShowTooltips) && reg.Read(L"ShortcutKeys", s_bShowShortcutKeys) &&
         reg.Read(L"LargeIcons", nLargeIcons) && reg.Read(L"MenuAnimation", nMenuAnimation) &&
         reg.Read(L"RecentlyUsedMenus", s_bRecentlyUsedMenus) && reg.Read(L"MenuShadows", s_bMenuShadows) &&
         reg.Read(L"ShowAllMenusAfterDelay", s_bShowAllMenusAfterDelay) && reg.Read(L"Look2000", nLook2000) &&
         reg.Read(L"CommandsUsage", static_cast<CObject&>(UfxCommandUsage)));
  // Only the four known animations; anything else stored reads as none.
  s_iMenuAnimation = nMenuAnimation >= 0 && nMenuAnimation <= 3 ? nMenuAnimation : 0;
  // Applying a value that is already in force would lay out and repaint every bar for nothing.
  CUfxVisualManager* pManager = CUfxVisualManager::GetInstance();
  const BOOL bLook2000 = nLook2000 != 0, bLargeIcons = nLargeIcons != 0;
  if ((pManager->IsLook2000() != FALSE) != (bLook2000 != FALSE)) pManager->SetLook2000(bLook2000);
  if ((s_bLargeIcons != FALSE) != (bLargeIcons != FALSE))
    SetLargeIcons(bLargeIcons);
  else
    UfxGlobalData.m_bLargeIcons = bLargeIcons;
  return TRUE;
}

// ---- original items -----------------------------------------------------------------------------

BOOL CUfxToolBar::SaveOriginalItems(CUfxRegistry& reg) const {
  if (m_OrigButtons.IsEmpty()) return TRUE;
  return reg.Write(L"OriginalItems", const_cast<CObList&>(m_OrigButtons));
}

BOOL CUfxToolBar::LoadOriginalItems(CUfxRegistry& reg) {
  CObList lstSaved;
  // No stored original items: nothing to compare, nothing merged.
  if (!reg.Read(L"OriginalItems", lstSaved, RUNTIME_CLASS(CUfxToolbarButton))) return FALSE;
  const BOOL bResult = MergeOriginalItems(lstSaved);
  DeleteButtons(lstSaved);
  return bResult;
}

namespace {
BOOL ListHasEqual(const CObList& list, const CUfxToolbarButton* pButton) {
  for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
    if (AsButton(list.GetNext(pos))->CompareWith(*pButton)) return TRUE;
  return FALSE;
}
}  // namespace

BOOL CUfxToolBar::MergeOriginalItems(const CObList& lstOrigButtons) {
  m_bOriginalItemsChanged = FALSE;
  // Commands dropped from the resource leave the bar.
  for (POSITION pos = lstOrigButtons.GetHeadPosition(); pos != nullptr;) {
    const CUfxToolbarButton* pSaved = AsButton(lstOrigButtons.GetNext(pos));
    if (ListHasEqual(m_OrigButtons, pSaved)) continue;
    m_bOriginalItemsChanged = TRUE;
    const int iIndex = CommandToIndex(pSaved->m_nID);
    if (iIndex >= 0) RemoveButton(iIndex);
  }
  // Commands new in the resource join the bar at their resource position.
  int i = 0;
  for (POSITION pos = m_OrigButtons.GetHeadPosition(); pos != nullptr; ++i) {
    const CUfxToolbarButton* pOrig = AsButton(m_OrigButtons.GetNext(pos));
    if (ListHasEqual(lstOrigButtons, pOrig)) continue;
    m_bOriginalItemsChanged = TRUE;
    const int nLimit = GetButtonCount() - (m_pCustomizeBtn != nullptr ? 1 : 0);
    const int iInsertAt = i < nLimit ? i : nLimit;
    if (pOrig->m_nID == 0) {
      InsertSeparator(iInsertAt);
      continue;
    }
    int iImage = -1;
    if (!GetDefaultImage(pOrig->m_nID, iImage)) iImage = -1;
    CUfxToolbarButton* pButton = new CUfxToolbarButton(pOrig->m_nID, iImage, nullptr, FALSE, m_bLocked);
    if (InsertButton(pButton, iInsertAt) < 0) delete pButton;
  }
  if (lstOrigButtons.GetCount() != m_OrigButtons.GetCount()) return m_bOriginalItemsChanged = TRUE;
  POSITION posSaved = lstOrigButtons.GetHeadPosition();
  for (POSITION pos = m_OrigButtons.GetHeadPosition(); pos != nullptr;) {
    if (!AsButton(m_OrigButtons.GetNext(pos))->CompareWith(*AsButton(lstOrigButtons.GetNext(posSaved))))
      return m_bOriginalItemsChanged = TRUE;
  }
  return m_bOriginalItemsChanged;
}
