#include "frames/UfxRegistryPtr.h"

CUfxRegistry& CUfxRegistryPtr::Create(BOOL bAdmin, BOOL bReadOnly) {
  if (m_pRegistry == nullptr) {
    m_pRegistry = new CUfxRegistry;
    m_pRegistry->SetRoot(bAdmin, bReadOnly);
  }
  return *m_pRegistry;
}
