// A counted reference to a manager of the automation root (or any interface), released when it
// goes out of scope.
#pragma once

#include "NumbrookLib.h"

template <class Manager>
class CManagerRef {
public:
  explicit CManagerRef(Manager* manager = nullptr) : m_manager(manager) {}
  // The manager from one of the root's getters; null (and the getter's failure kept) when the
  // getter fails.
  CManagerRef(INumbrookMain* root, HRESULT (STDMETHODCALLTYPE INumbrookMain::*getter)(Manager**)) {
    m_result = (root->*getter)(&m_manager);
    if (FAILED(m_result)) m_manager = nullptr;
  }
  ~CManagerRef() {
    if (m_manager != nullptr) m_manager->Release();
  }
  CManagerRef(const CManagerRef&) = delete;
  CManagerRef& operator=(const CManagerRef&) = delete;

  Manager* operator->() const { return m_manager; }
  Manager* get() const { return m_manager; }
  explicit operator bool() const { return m_manager != nullptr; }
  // Why there is no manager: the getter's failure, or E_POINTER when it gave none.
  HRESULT Failure() const { return FAILED(m_result) ? m_result : E_POINTER; }

private:
  Manager* m_manager = nullptr;
  HRESULT m_result = S_OK;
};
