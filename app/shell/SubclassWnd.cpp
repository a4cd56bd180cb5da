#include "SubclassWnd.h"

#include <map>

namespace {

// Window -> the first hook of its chain. Made on first use, freed at exit.
std::map<HWND, CSubclassWnd*>& HookMap() {
  static std::map<HWND, CSubclassWnd*> map;
  return map;
}

CSubclassWnd* ChainOf(HWND hWnd) {
  auto it = HookMap().find(hWnd);
  return it != HookMap().end() ? it->second : nullptr;
}

}  // namespace

CSubclassWnd::~CSubclassWnd() { Unhook(); }

BOOL CSubclassWnd::HookWindow(HWND hWnd) {
  Unhook();
  if (hWnd == nullptr) return TRUE;
  if (!::IsWindow(hWnd)) return FALSE;
  CSubclassWnd* head = ChainOf(hWnd);
  if (head != nullptr) {
    m_oldWndProc = head->m_oldWndProc;
  } else {
    m_oldWndProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CSubclassWnd::HookProc)));
    if (m_oldWndProc == nullptr) return FALSE;
  }
  m_next = head;
  m_hWnd = hWnd;
  HookMap()[hWnd] = this;
  return TRUE;
}

void CSubclassWnd::Unhook() {
  if (m_hWnd == nullptr) return;
  HWND hWnd = m_hWnd;
  CSubclassWnd* head = ChainOf(hWnd);
  if (head == this) {
    if (m_next != nullptr) {
      HookMap()[hWnd] = m_next;
    } else {
      HookMap().erase(hWnd);
      if (::IsWindow(hWnd)) ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_oldWndProc));
    }
  } else {
    for (CSubclassWnd* hook = head; hook != nullptr; hook = hook->m_next) {
      if (hook->m_next == this) {
        hook->m_next = m_next;
        break;
      }
    }
  }
  m_hWnd = nullptr;
  m_next = nullptr;
  m_oldWndProc = nullptr;
}

void CSubclassWnd::UnhookAll(HWND hWnd) {
  while (CSubclassWnd* head = ChainOf(hWnd)) head->Unhook();
}

LRESULT CSubclassWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_next != nullptr) return m_next->WindowProc(message, wParam, lParam);
  return ::CallWindowProcW(m_oldWndProc, m_hWnd, message, wParam, lParam);
}

LRESULT CALLBACK CSubclassWnd::HookProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CSubclassWnd* head = ChainOf(hWnd);
  if (head == nullptr) return ::DefWindowProcW(hWnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    WNDPROC own = head->m_oldWndProc;
    UnhookAll(hWnd);
    return ::CallWindowProcW(own, hWnd, message, wParam, lParam);
  }
  try {
    return head->WindowProc(message, wParam, lParam);
  } catch (...) {
    return 0;
  }
}
