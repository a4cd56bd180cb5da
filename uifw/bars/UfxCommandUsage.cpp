#include "bars/UfxCommandUsage.h"
#include "bars/UfxToolBar.h"
#include "bars/UfxPopupMenuBar.h"

CUfxCommandUsage UfxCommandUsage;

CUfxCommandUsage::CUfxCommandUsage() : m_CommandsUsage(10) { m_CommandsUsage.InitHashTable(17); }

void CUfxCommandUsage::AddCommand(UINT nCommand) {
  if (CUfxToolBar::IsCustomizeMode() || nCommand == 0 || nCommand == (UINT)-1) return;
  if (CUfxToolBar::IsCoreCommand(nCommand) || UfxIsReservedCommand(nCommand)) return;
  UINT nCount = 0;
  m_CommandsUsage.Lookup(nCommand, nCount);
  m_CommandsUsage.SetAt(nCommand, nCount + 1);
  m_nTotalUsage++;
}

void CUfxCommandUsage::Reset() {
  m_CommandsUsage.RemoveAll();
  m_nTotalUsage = 0;
}

UINT CUfxCommandUsage::GetCount(UINT nCommand) const {
  UINT nCount = 0;
  m_CommandsUsage.Lookup(nCommand, nCount);
  return nCount;
}

BOOL CUfxCommandUsage::IsFrequentlyUsedCommand(UINT nCommand) const {
  if (m_nTotalUsage == 0) return FALSE;
  // In 64 bits: a count above 42 million must not wrap the product.
  return (ULONGLONG)100 * GetCount(nCommand) / m_nTotalUsage > kFrequentPercent;
}

void CUfxCommandUsage::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << (DWORD)m_nTotalUsage;
    ar.WriteCount(m_CommandsUsage.GetCount());
    for (POSITION pos = m_CommandsUsage.GetStartPosition(); pos != nullptr;) {
      UINT nCommand = 0, nCount = 0;
      m_CommandsUsage.GetNextAssoc(pos, nCommand, nCount);
      ar << (DWORD)nCommand << (DWORD)nCount;
    }
    return;
  }
  DWORD nTotal = 0;
  ar >> nTotal;
  const DWORD_PTR nEntries = ar.ReadCount();
  CMap<UINT, UINT, UINT, UINT> mapRead(10);
  mapRead.InitHashTable(17);
  for (DWORD_PTR i = 0; i < nEntries; i++) {
    DWORD nCommand = 0, nCount = 0;
    ar >> nCommand >> nCount;
    mapRead.SetAt(nCommand, nCount);
  }
  m_CommandsUsage.RemoveAll();
  for (POSITION pos = mapRead.GetStartPosition(); pos != nullptr;) {
    UINT nCommand = 0, nCount = 0;
    mapRead.GetNextAssoc(pos, nCommand, nCount);
    m_CommandsUsage.SetAt(nCommand, nCount);
  }
  m_nTotalUsage = nTotal;
}
