// Maps from system handles to the framework objects that wrap them.
#pragma once
#include <windows.h>
#include <mutex>
#include <unordered_map>

// Only the low 32 bits of a window or menu handle count. Once a handle's value passes 0x80000000
// (after many windows were made) the system hands the same window out sign-extended from one call
// and zero-extended from another, so these handles are looked up by their low half.
template <class H> inline H HandleKey(H h) { return h; }
template <> inline HWND HandleKey(HWND h) { return (HWND)(LONG_PTR)(LONG)(ULONG_PTR)h; }
template <> inline HMENU HandleKey(HMENU h) { return (HMENU)(LONG_PTR)(LONG)(ULONG_PTR)h; }

// Permanent entries belong to objects that attached the handle; temporary ones are made on
// demand by FromHandle and deleted at idle time.
template <class T, class H>
class CHandleMap {
public:
  void SetPermanent(H h, T* p) { std::lock_guard<std::recursive_mutex> l(m_lock); m_perm[HandleKey(h)] = p; }
  void RemoveHandle(H h) {
    std::lock_guard<std::recursive_mutex> l(m_lock);
    m_perm.erase(HandleKey(h));
    m_temp.erase(HandleKey(h));
  }
  T* LookupPermanent(H h) {
    std::lock_guard<std::recursive_mutex> l(m_lock);
    auto it = m_perm.find(HandleKey(h));
    return it == m_perm.end() ? nullptr : it->second;
  }
  template <class Make>
  T* FromHandle(H h, Make make) {
    if (h == nullptr) return nullptr;
    std::lock_guard<std::recursive_mutex> l(m_lock);
    auto it = m_perm.find(HandleKey(h));
    if (it != m_perm.end()) return it->second;
    auto jt = m_temp.find(HandleKey(h));
    if (jt != m_temp.end()) return jt->second;
    T* p = make(h);
    m_temp[HandleKey(h)] = p;
    return p;
  }
  template <class Release>
  void DeleteTemp(Release release) {
    std::unordered_map<H, T*> old;
    {
      std::lock_guard<std::recursive_mutex> l(m_lock);
      old.swap(m_temp);
    }
    for (auto& e : old) release(e.second);
  }
private:
  std::recursive_mutex m_lock;
  std::unordered_map<H, T*> m_perm, m_temp;
};
