// CUfxRegistryPtr: a holder that makes one registry object on demand and deletes it with itself.
#pragma once
#include "frames/UfxRegistry.h"

// Owns one CUfxRegistry for the length of one load or save.
class CUfxRegistryPtr {
public:
  CUfxRegistryPtr() = default;
  ~CUfxRegistryPtr() { delete m_pRegistry; }
  // Made on the first call; later calls answer the same object unchanged.
  CUfxRegistry& Create(BOOL bAdmin, BOOL bReadOnly);
  CUfxRegistry* operator->() const { return m_pRegistry; }
  CUfxRegistry* Get() const { return m_pRegistry; }
private:
  CUfxRegistryPtr(const CUfxRegistryPtr&) = delete;
  void operator=(const CUfxRegistryPtr&) = delete;
  CUfxRegistry* m_pRegistry = nullptr;
};
