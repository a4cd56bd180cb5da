// CWnd: handle map, creation hook, window procedure, reflection, layout and modal loop.
#include "Framework.h"
#include "HandleMap.h"
#include <stdio.h>

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
  ON_WM_NCDESTROY()
  ON_WM_DRAWITEM()
  ON_WM_MEASUREITEM()
  ON_WM_CTLCOLOR()
  ON_WM_HSCROLL()
  ON_WM_VSCROLL()
  ON_WM_PARENTNOTIFY()
  ON_WM_COMPAREITEM()
  ON_WM_DELETEITEM()
  ON_WM_CHARTOITEM()
  ON_WM_VKEYTOITEM()
END_MESSAGE_MAP()

static CHandleMap<CWnd, HWND>& WndMap() {
  static CHandleMap<CWnd, HWND> map;
  return map;
}

// The message being handled on this thread (for Default and GetCurrentMessage).
static thread_local MSG t_lastSentMsg = {};
// Creation hook state of this thread.
static thread_local HHOOK t_hHookOldCbtFilter = nullptr;
static thread_local CWnd* t_pWndInit = nullptr;

CWnd::~CWnd() {
  if (m_hWnd != nullptr && WndMap().LookupPermanent(m_hWnd) == this) DestroyWindow();
}

CWnd* CWnd::FromHandle(HWND hWnd) {
  return WndMap().FromHandle(hWnd, [](HWND h) { CWnd* p = new CWnd; p->m_hWnd = h; return p; });
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) { return hWnd ? WndMap().LookupPermanent(hWnd) : nullptr; }

void CWnd::DeleteTempMap() {
  WndMap().DeleteTemp([](CWnd* p) { p->m_hWnd = nullptr; delete p; });
}

BOOL CWnd::Attach(HWND hWndNew) {
  if (hWndNew == nullptr) return FALSE;
  CWnd* pOther = WndMap().LookupPermanent(hWndNew);
  if (pOther != nullptr && pOther != this) return FALSE;  // one object per window
  WndMap().SetPermanent(hWndNew, this);
  m_hWnd = hWndNew;
  return TRUE;
}

HWND CWnd::Detach() {
  HWND h = m_hWnd;
  if (h != nullptr) WndMap().RemoveHandle(h);
  m_hWnd = nullptr;
  return h;
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
  if (hWnd == nullptr || !::IsWindow(hWnd) || FromHandlePermanent(hWnd) != nullptr) return FALSE;
  if (!Attach(hWnd)) return FALSE;
  PreSubclassWindow();
  WNDPROC old = (WNDPROC)::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, (LONG_PTR)AfxWndProc);
  if (old != AfxWndProc) m_pfnSuper = old;
  return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent) {
  HWND h = ::GetDlgItem(pParent->GetSafeHwnd(), (int)nID);
  return h != nullptr && SubclassWindow(h);
}

HWND CWnd::UnsubclassWindow() {
  if (m_hWnd == nullptr) return nullptr;
  if (m_pfnSuper != nullptr) ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, (LONG_PTR)m_pfnSuper);
  m_pfnSuper = nullptr;
  return Detach();
}

// ---- creation ----------------------------------------------------------------------------
static LRESULT CALLBACK CbtFilterHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND && t_pWndInit != nullptr) {
    HWND hWnd = (HWND)wParam;
    CWnd* pWnd = t_pWndInit;
    t_pWndInit = nullptr;
    pWnd->Attach(hWnd);
    pWnd->PreSubclassWindow();
    WNDPROC old = (WNDPROC)::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, (LONG_PTR)AfxWndProc);
    if (old != AfxWndProc) pWnd->m_pfnSuper = old;
  }
  return ::CallNextHookEx(t_hHookOldCbtFilter, code, wParam, lParam);
}

void AfxHookWindowCreate(CWnd* pWnd) {
  if (t_hHookOldCbtFilter == nullptr)
    t_hHookOldCbtFilter = ::SetWindowsHookExW(WH_CBT, CbtFilterHook, nullptr, ::GetCurrentThreadId());
  t_pWndInit = pWnd;
}

BOOL AfxUnhookWindowCreate() {
  if (t_hHookOldCbtFilter != nullptr) {
    ::UnhookWindowsHookEx(t_hHookOldCbtFilter);
    t_hHookOldCbtFilter = nullptr;
  }
  if (t_pWndInit != nullptr) {
    t_pWndInit = nullptr;
    return FALSE;  // the hook never saw the window
  }
  return TRUE;
}

BOOL AfxRegisterClass(WNDCLASSW* lpWndClass) {
  WNDCLASSW existing;
  if (::GetClassInfoW(lpWndClass->hInstance, lpWndClass->lpszClassName, &existing)) return TRUE;
  return ::RegisterClassW(lpWndClass) != 0;
}

LPCWSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon) {
  // The name encodes the attributes, so equal requests share one class.
  static std::recursive_mutex lock;
  static std::unordered_map<std::wstring, std::wstring*> names;
  wchar_t name[128];
  HINSTANCE hInst = AfxGetInstanceHandle();
  _snwprintf(name, 127, L"BrookFw:%p:%x:%p:%p:%p", (void*)hInst, nClassStyle, (void*)hCursor, (void*)hbrBackground,
             (void*)hIcon);
  name[127] = 0;
  std::lock_guard<std::recursive_mutex> g(lock);
  auto it = names.find(name);
  if (it != names.end()) return it->second->c_str();
  WNDCLASSW wc = {};
  wc.style = nClassStyle;
  wc.lpfnWndProc = ::DefWindowProcW;
  wc.hInstance = hInst;
  wc.hIcon = hIcon;
  wc.hCursor = hCursor;
  wc.hbrBackground = hbrBackground;
  wc.lpszClassName = name;
  if (!AfxRegisterClass(&wc)) AfxThrowResourceException();
  std::wstring* stored = new std::wstring(name);  // lives as long as the class
  names[name] = stored;
  return stored->c_str();
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs) {
  if (cs.lpszClass == nullptr)
    cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1));
  return TRUE;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam) {
  CREATESTRUCTW cs = {};
  cs.dwExStyle = dwExStyle;
  cs.lpszClass = lpszClassName;
  cs.lpszName = lpszWindowName;
  cs.style = (LONG)dwStyle;
  cs.x = x;
  cs.y = y;
  cs.cx = nWidth;
  cs.cy = nHeight;
  cs.hwndParent = hWndParent;
  cs.hMenu = nIDorHMenu;
  cs.hInstance = AfxGetInstanceHandle();
  cs.lpCreateParams = lpParam;
  if (!PreCreateWindow(cs)) {
    PostNcDestroy();
    return FALSE;
  }
  AfxHookWindowCreate(this);
  HWND hWnd = ::CreateWindowExW(cs.dwExStyle, cs.lpszClass, cs.lpszName, (DWORD)cs.style, cs.x, cs.y, cs.cx, cs.cy,
                                cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
  if (!AfxUnhookWindowCreate()) PostNcDestroy();  // never attached: clean up as after destruction
  return hWnd != nullptr;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                    CWnd* pParentWnd, UINT nID, LPVOID lpParam) {
  return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, rect.right - rect.left,
                  rect.bottom - rect.top, pParentWnd->GetSafeHwnd(), (HMENU)(UINT_PTR)nID, lpParam);
}

BOOL CWnd::Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                  UINT nID, CCreateContext* pContext) {
  return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect.left, rect.top, rect.right - rect.left,
                  rect.bottom - rect.top, pParentWnd->GetSafeHwnd(), (HMENU)(UINT_PTR)nID, (LPVOID)pContext);
}

BOOL CWnd::DestroyWindow() {
  HWND h = m_hWnd;
  if (h == nullptr) return FALSE;
  bool permanent = WndMap().LookupPermanent(h) == this;
  BOOL ok = ::DestroyWindow(h);
  // A permanent object is detached by its WM_NCDESTROY (and may be gone); others here.
  if (!permanent) {
    m_hWnd = nullptr;
  } else if (WndMap().LookupPermanent(h) == this) {
    Detach();
  }
  return ok;
}

void CWnd::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType) {
  DWORD dwExStyle = GetExStyle();
  if (nAdjustType == 0) dwExStyle &= ~WS_EX_CLIENTEDGE;
  ::AdjustWindowRectEx(lpClientRect, GetStyle(), FALSE, dwExStyle);
}

// ---- message handling ---------------------------------------------------------------------
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
  CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
  if (pWnd == nullptr) return ::DefWindowProcW(hWnd, nMsg, wParam, lParam);
  return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
}

LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
  MSG saved = t_lastSentMsg;
  t_lastSentMsg.hwnd = hWnd;
  t_lastSentMsg.message = nMsg;
  t_lastSentMsg.wParam = wParam;
  t_lastSentMsg.lParam = lParam;
  LRESULT lResult = 0;
  try {
    lResult = pWnd->WindowProc(nMsg, wParam, lParam);
  } catch (CException* e) {
    CWinThread* pThread = AfxGetThread();
    if (pThread != nullptr) lResult = pThread->ProcessWndProcException(e, &t_lastSentMsg);
    else e->Delete();
  } catch (...) {
    // Nothing may unwind through the system's window procedure.
    ::MessageBoxW(nullptr, L"An unexpected error occurred while handling a window message.", nullptr, MB_ICONERROR);
    lResult = nMsg == WM_CREATE ? -1 : 0;
  }
  if (nMsg == WM_NCDESTROY) {
    // A handler that skipped the base clean-up still leaves the map consistent.
    CWnd* p = CWnd::FromHandlePermanent(hWnd);
    if (p != nullptr) {
      WndMap().RemoveHandle(hWnd);
      p->m_hWnd = nullptr;
    }
  }
  t_lastSentMsg = saved;
  return lResult;
}

const MSG* CWnd::GetCurrentMessage() { return &t_lastSentMsg; }

LRESULT CWnd::Default() {
  const MSG& m = t_lastSentMsg;
  return DefWindowProc(m.message, m.wParam, m.lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_pfnSuper != nullptr) return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
  return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT lResult = 0;
  if (!OnWndMsg(message, wParam, lParam, &lResult)) lResult = DefWindowProc(message, wParam, lParam);
  return lResult;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  LRESULT lResult = 0;
  if (message == WM_COMMAND) {
    if (!OnCommand(wParam, lParam)) return FALSE;
    if (pResult) *pResult = 1;
    return TRUE;
  }
  if (message == WM_NOTIFY) {
    NMHDR* pNMHDR = (NMHDR*)lParam;
    if (pNMHDR == nullptr || pNMHDR->hwndFrom == nullptr || !OnNotify(wParam, lParam, &lResult)) return FALSE;
    if (pResult) *pResult = lResult;
    return TRUE;
  }
  // The colour messages share one handler, as do their reflected forms.
  UINT lookup = message;
  if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) lookup = WM_CTLCOLOR;
  else if (message >= WM_REFLECT_BASE + WM_CTLCOLORMSGBOX && message <= WM_REFLECT_BASE + WM_CTLCOLORSTATIC)
    lookup = WM_REFLECT_BASE + WM_CTLCOLOR;
  for (const AFX_MSGMAP* map = GetMessageMap(); map != nullptr;
       map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
    for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->pfn != nullptr; ++e) {
      bool match;
      if (e->pRegMsg != nullptr) match = message >= 0xC000 && *e->pRegMsg == message;
      else match = e->nMessage == lookup && e->nCode == 0 && e->nID == 0 && e->nLastID == 0 &&
                   lookup != WM_COMMAND && lookup != WM_NOTIFY;
      if (!match) continue;
      AFX_DISPATCH d = {message, wParam, lParam, 0, 0, nullptr, &lResult};
      if (!e->pfn(this, d)) continue;
      if (pResult) *pResult = lResult;
      return TRUE;
    }
  }
  return FALSE;
}

namespace {
// Finds out whether a menu or accelerator command is currently enabled.
class CTestCmdUI : public CCmdUI {
public:
  BOOL m_bEnabled = TRUE;
  void Enable(BOOL bOn) override { m_bEnabled = bOn; m_bEnableChanged = TRUE; }
  void SetCheck(int) override {}
  void SetRadio(BOOL) override {}
  void SetText(LPCWSTR) override {}
};
}  // namespace

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  UINT nID = LOWORD(wParam);
  HWND hWndCtrl = (HWND)lParam;
  int nCode = HIWORD(wParam);
  if (hWndCtrl == nullptr) {
    if (nID == 0) return FALSE;
    // Menu items and accelerators of disabled commands do nothing.
    CTestCmdUI state;
    state.m_nID = nID;
    OnCmdMsg(nID, (int)CN_UPDATE_COMMAND_UI, &state, nullptr);
    if (!state.m_bEnabled) return TRUE;
    nCode = CN_COMMAND;
  } else {
    if (ReflectLastMsg(hWndCtrl)) return TRUE;  // the control handled its own notification
    if (nID == 0) return FALSE;
  }
  return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) {
  NMHDR* pNMHDR = (NMHDR*)lParam;
  HWND hWndCtrl = pNMHDR->hwndFrom;
  // The sender's window id (for tooltips idFrom names the tool, not the sender).
  UINT nID = (UINT)(WORD)::GetDlgCtrlID(hWndCtrl);
  int nCode = (int)pNMHDR->code;
  if (ReflectLastMsg(hWndCtrl, pResult)) return TRUE;
  AFX_NOTIFY notify = {pResult, pNMHDR};
  return OnCmdMsg(nID, (int)MAKELONG(nCode, WM_NOTIFY), &notify, nullptr);
}

BOOL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult) {
  CWnd* pWnd = FromHandlePermanent(hWndChild);
  if (pWnd == nullptr) return FALSE;
  return pWnd->SendChildNotifyLastMsg(pResult);
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult) {
  const MSG& m = t_lastSentMsg;
  return OnChildNotify(m.message, m.wParam, m.lParam, pResult);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  switch (uMsg) {
    case WM_HSCROLL: case WM_VSCROLL: case WM_PARENTNOTIFY: case WM_DRAWITEM: case WM_MEASUREITEM:
    case WM_DELETEITEM: case WM_VKEYTOITEM: case WM_CHARTOITEM: case WM_COMPAREITEM:
      return OnWndMsg(WM_REFLECT_BASE + uMsg, wParam, lParam, pResult);
    case WM_COMMAND: {
      int nCode = HIWORD(wParam);
      if (OnCmdMsg(0, (int)MAKELONG(nCode, WM_REFLECT_BASE + WM_COMMAND), nullptr, nullptr)) {
        if (pResult) *pResult = 1;
        return TRUE;
      }
      return FALSE;
    }
    case WM_NOTIFY: {
      NMHDR* pNMHDR = (NMHDR*)lParam;
      LRESULT dummy = 0;
      AFX_NOTIFY notify = {pResult ? pResult : &dummy, pNMHDR};
      return OnCmdMsg(0, (int)MAKELONG(pNMHDR->code, WM_REFLECT_BASE + WM_NOTIFY), &notify, nullptr);
    }
    default:
      if (uMsg >= WM_CTLCOLORMSGBOX && uMsg <= WM_CTLCOLORSTATIC)
        return OnWndMsg(WM_REFLECT_BASE + uMsg, wParam, lParam, pResult);
      return FALSE;
  }
}

void CWnd::OnNcDestroy() {
  CWinThread* pThread = AfxGetThread();
  if (pThread != nullptr && pThread->m_pMainWnd == this) {
    // The main window is gone: the thread's message loop ends.
    ::PostQuitMessage(0);
    pThread->m_pMainWnd = nullptr;
  }
  if (pThread != nullptr && pThread->m_pActiveWnd == this) pThread->m_pActiveWnd = nullptr;
  Default();
  HWND h = m_hWnd;
  if (m_pfnSuper != nullptr && ::IsWindow(h) &&
      (WNDPROC)::GetWindowLongPtrW(h, GWLP_WNDPROC) == AfxWndProc)
    ::SetWindowLongPtrW(h, GWLP_WNDPROC, (LONG_PTR)m_pfnSuper);
  Detach();
  PostNcDestroy();  // may delete this
}

void CWnd::OnHScroll(UINT, UINT, CScrollBar* pScrollBar) {
  if (pScrollBar != nullptr && ReflectLastMsg(pScrollBar->GetSafeHwnd())) return;
  Default();
}

void CWnd::OnVScroll(UINT, UINT, CScrollBar* pScrollBar) {
  if (pScrollBar != nullptr && ReflectLastMsg(pScrollBar->GetSafeHwnd())) return;
  Default();
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT) {
  LRESULT lResult = 0;
  if (pWnd != nullptr && ReflectLastMsg(pWnd->m_hWnd, &lResult)) return (HBRUSH)lResult;
  return (HBRUSH)Default();
}

void CWnd::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct) {
  if (lpDrawItemStruct->CtlType == ODT_MENU) {
    CMenu* pMenu = CMenu::FromHandlePermanent((HMENU)lpDrawItemStruct->hwndItem);
    if (pMenu != nullptr) {
      pMenu->DrawItem(lpDrawItemStruct);
      return;
    }
  } else if (ReflectLastMsg(lpDrawItemStruct->hwndItem)) {
    return;
  }
  Default();
}

void CWnd::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct) {
  if (lpMeasureItemStruct->CtlType != ODT_MENU && ReflectLastMsg(::GetDlgItem(m_hWnd, nIDCtl))) return;
  Default();
}

// Owner-drawn list messages go to the control's object first.
int CWnd::OnCompareItem(int nIDCtl, LPCOMPAREITEMSTRUCT lpCompareItemStruct) {
  LRESULT lResult = 0;
  if (ReflectLastMsg(lpCompareItemStruct->hwndItem, &lResult)) return (int)lResult;
  return (int)Default();
}

void CWnd::OnDeleteItem(int, LPDELETEITEMSTRUCT lpDeleteItemStruct) {
  if (ReflectLastMsg(lpDeleteItemStruct->hwndItem)) return;
  Default();
}

int CWnd::OnCharToItem(UINT, CListBox* pListBox, UINT) {
  LRESULT lResult = 0;
  if (pListBox != nullptr && ReflectLastMsg(((CWnd*)pListBox)->m_hWnd, &lResult)) return (int)lResult;
  return (int)Default();
}

int CWnd::OnVKeyToItem(UINT, CListBox* pListBox, UINT) {
  LRESULT lResult = 0;
  if (pListBox != nullptr && ReflectLastMsg(((CWnd*)pListBox)->m_hWnd, &lResult)) return (int)lResult;
  return (int)Default();
}

void CWnd::OnParentNotify(UINT message, LPARAM lParam) {
  if ((LOWORD(message) == WM_CREATE || LOWORD(message) == WM_DESTROY) && ReflectLastMsg((HWND)lParam)) return;
  Default();
}

BOOL CWnd::PreTranslateMessage(MSG* pMsg) {
  if (m_bToolTips) FilterToolTipMessage(pMsg);
  return FALSE;
}

// ---- tooltips -------------------------------------------------------------------------------
// One tooltip control per thread, owned by the window whose tools it shows.
static thread_local CToolTipCtrl* t_pToolTip = nullptr;
static thread_local TOOLINFOW t_lastInfo = {};
static thread_local INT_PTR t_nLastHit = -1;
static thread_local HWND t_hLastOwner = nullptr;

CToolTipCtrl* AfxGetThreadToolTip() {
  return t_pToolTip != nullptr && t_pToolTip->m_hWnd != nullptr ? t_pToolTip : nullptr;
}

static void RemoveLastTool() {
  if (t_pToolTip != nullptr && t_nLastHit != -1 && t_pToolTip->m_hWnd != nullptr)
    t_pToolTip->SendMessage(TTM_DELTOOLW, 0, (LPARAM)&t_lastInfo);
  t_nLastHit = -1;
  memset(&t_lastInfo, 0, sizeof(t_lastInfo));
}

void CWnd::CancelToolTips(BOOL) {
  if (t_pToolTip != nullptr && t_pToolTip->m_hWnd != nullptr) t_pToolTip->SendMessage(TTM_POP);
  RemoveLastTool();
}

BOOL CWnd::EnableToolTips(BOOL bEnable) {
  BOOL old = m_bToolTips;
  m_bToolTips = bEnable;
  if (!bEnable && t_hLastOwner == m_hWnd) CancelToolTips();
  return old;
}

INT_PTR CWnd::OnToolHitTest(CPoint point, TOOLINFOW* pTI) const {
  // The visible child window under the point, named by its window handle.
  HWND hChild = ::ChildWindowFromPointEx(m_hWnd, point, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
  if (hChild == nullptr || hChild == m_hWnd) return -1;
  INT_PTR nHit = ::GetDlgCtrlID(hChild);
  if (pTI != nullptr) {
    pTI->hwnd = m_hWnd;
    pTI->uId = (UINT_PTR)hChild;
    pTI->uFlags |= TTF_IDISHWND;
    pTI->lpszText = LPSTR_TEXTCALLBACKW;
  }
  return nHit != 0 ? nHit : -1;
}

void CWnd::FilterToolTipMessage(MSG* pMsg) {
  UINT message = pMsg->message;
  bool mouseMove = message == WM_MOUSEMOVE || message == WM_NCMOUSEMOVE;
  bool mouseUp = message == WM_LBUTTONUP || message == WM_RBUTTONUP || message == WM_MBUTTONUP;
  bool cancels = (message >= WM_KEYFIRST && message <= WM_KEYLAST) || message == WM_LBUTTONDOWN ||
                 message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN || message == WM_NCLBUTTONDOWN;
  if (!mouseMove && !mouseUp && !cancels) return;
  if (cancels) {
    if (t_hLastOwner == m_hWnd) CancelToolTips(TRUE);
    return;
  }
  // The control follows the window that shows tools.
  if (t_pToolTip != nullptr && (t_hLastOwner != m_hWnd || t_pToolTip->m_hWnd == nullptr)) {
    RemoveLastTool();
    t_pToolTip->DestroyWindow();
    delete t_pToolTip;
    t_pToolTip = nullptr;
  }
  if (t_pToolTip == nullptr) {
    t_pToolTip = new CToolTipCtrl;
    if (!t_pToolTip->Create(this, TTS_ALWAYSTIP)) {
      delete t_pToolTip;
      t_pToolTip = nullptr;
      return;
    }
    t_pToolTip->SetMaxTipWidth(SHRT_MAX);
    t_hLastOwner = m_hWnd;
  }
  CPoint point = pMsg->pt;
  ScreenToClient(&point);
  TOOLINFOW ti = {};
  ti.cbSize = sizeof(ti);
  INT_PTR nHit = -1;
  // Only mouse messages of this window or its children, inside its client area, find tools.
  CRect client;
  GetClientRect(&client);
  if ((pMsg->hwnd == m_hWnd || ::IsChild(m_hWnd, pMsg->hwnd)) && client.PtInRect(point))
    nHit = OnToolHitTest(point, &ti);
  bool same = nHit == t_nLastHit && ti.hwnd == t_lastInfo.hwnd && ti.uId == t_lastInfo.uId;
  if (!same) {
    RemoveLastTool();
    if (nHit != -1) {
      if (ti.hwnd == nullptr) ti.hwnd = m_hWnd;
      if (!(ti.uFlags & TTF_IDISHWND) && ::IsRectEmpty(&ti.rect)) GetClientRect(&ti.rect);
      ti.uFlags &= ~TTF_SUBCLASS;  // the framework relays the mouse itself
      t_pToolTip->SendMessage(TTM_ADDTOOLW, 0, (LPARAM)&ti);
      t_pToolTip->Activate(TRUE);
      t_nLastHit = nHit;
      t_lastInfo = ti;
      t_lastInfo.lpszText = nullptr;
    } else {
      t_pToolTip->Activate(FALSE);
    }
  }
  // The control keeps its own copy of a text; a heap copy from the hit test is ours to free.
  if (ti.lpszText != nullptr && ti.lpszText != LPSTR_TEXTCALLBACKW) free(ti.lpszText);
  if (nHit != -1) t_pToolTip->RelayEvent(pMsg);
}

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg) {
  for (HWND hWnd = pMsg->hwnd; hWnd != nullptr; hWnd = ::GetParent(hWnd)) {
    CWnd* pWnd = FromHandlePermanent(hWnd);
    if (pWnd != nullptr && pWnd->PreTranslateMessage(pMsg)) return TRUE;
    if (hWnd == hWndStop) break;
  }
  return FALSE;
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm) {
  for (HWND hChild = ::GetTopWindow(m_hWnd); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
    if (bOnlyPerm) {
      CWnd* pWnd = FromHandlePermanent(hChild);
      if (pWnd != nullptr) AfxCallWndProc(pWnd, hChild, message, wParam, lParam);
    } else {
      ::SendMessageW(hChild, message, wParam, lParam);
    }
    if (bDeep && ::GetTopWindow(hChild) != nullptr) {
      CWnd tmp(hChild);
      tmp.SendMessageToDescendants(message, wParam, lParam, bDeep, bOnlyPerm);
      tmp.m_hWnd = nullptr;
    }
  }
}

// ---- family -------------------------------------------------------------------------------
CWnd* CWnd::GetOwner() const {
  return m_hWndOwner != nullptr ? FromHandle(m_hWndOwner) : GetParent();
}

static HWND ParentOwner(HWND hWnd) {
  if (::GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_CHILD) return ::GetParent(hWnd);
  return ::GetWindow(hWnd, GW_OWNER);
}

CWnd* CWnd::GetParentOwner() const {
  HWND h = m_hWnd;
  while (h != nullptr && (::GetWindowLongPtrW(h, GWL_STYLE) & WS_CHILD)) h = ::GetParent(h);
  return FromHandle(h);
}

CWnd* CWnd::GetTopLevelParent() const {
  if (m_hWnd == nullptr) return nullptr;
  HWND h = m_hWnd, t;
  while ((t = ParentOwner(h)) != nullptr) h = t;
  return FromHandle(h);
}

CWnd* CWnd::GetTopLevelOwner() const {
  if (m_hWnd == nullptr) return nullptr;
  HWND h = m_hWnd, t;
  while ((t = ::GetWindow(h, GW_OWNER)) != nullptr) h = t;
  return FromHandle(h);
}

CFrameWnd* CWnd::GetParentFrame() const {
  if (m_hWnd == nullptr) return nullptr;
  for (CWnd* p = GetParent(); p != nullptr; p = p->GetParent())
    if (p->IsKindOf(RUNTIME_CLASS(CFrameWnd))) return (CFrameWnd*)p;
  return nullptr;
}

CFrameWnd* CWnd::GetTopLevelFrame() const {
  if (m_hWnd == nullptr) return nullptr;
  CFrameWnd* pFrame = IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? (CFrameWnd*)this : GetParentFrame();
  while (pFrame != nullptr) {
    CFrameWnd* pUp = pFrame->GetParentFrame();
    if (pUp == nullptr) break;
    pFrame = pUp;
  }
  return pFrame;
}

CWnd* CWnd::GetDescendantWindow(int nID, BOOL bOnlyPerm) const {
  HWND hChild = ::GetDlgItem(m_hWnd, nID);
  if (hChild != nullptr) {
    if (::GetTopWindow(hChild) != nullptr) {
      // A child that carries the same id as its parent wins (splitter panes).
      CWnd tmp(hChild);
      CWnd* pFound = tmp.GetDescendantWindow(nID, bOnlyPerm);
      tmp.m_hWnd = nullptr;
      if (pFound != nullptr) return pFound;
    }
    if (!bOnlyPerm) return FromHandle(hChild);
    if (CWnd* p = FromHandlePermanent(hChild)) return p;
  }
  for (hChild = ::GetTopWindow(m_hWnd); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
    if (::GetTopWindow(hChild) == nullptr) continue;
    CWnd tmp(hChild);
    CWnd* pFound = tmp.GetDescendantWindow(nID, bOnlyPerm);
    tmp.m_hWnd = nullptr;
    if (pFound != nullptr) return pFound;
  }
  return nullptr;
}

BOOL CWnd::ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
  DWORD style = (DWORD)::GetWindowLongPtrW(hWnd, GWL_STYLE);
  DWORD newStyle = (style & ~dwRemove) | dwAdd;
  if (style == newStyle) return FALSE;
  ::SetWindowLongPtrW(hWnd, GWL_STYLE, (LONG_PTR)newStyle);
  if (nFlags != 0) ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
  return TRUE;
}

BOOL CWnd::ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
  DWORD style = (DWORD)::GetWindowLongPtrW(hWnd, GWL_EXSTYLE);
  DWORD newStyle = (style & ~dwRemove) | dwAdd;
  if (style == newStyle) return FALSE;
  ::SetWindowLongPtrW(hWnd, GWL_EXSTYLE, (LONG_PTR)newStyle);
  if (nFlags != 0) ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
  return TRUE;
}

void CWnd::CenterWindow(CWnd* pAlternateOwner) {
  CRect rcDlg;
  GetWindowRect(&rcDlg);
  CRect rcArea, rcCenter;
  HWND hCenter = pAlternateOwner ? pAlternateOwner->m_hWnd
                                 : ((GetStyle() & WS_CHILD) ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER));
  MONITORINFO mi = {sizeof(mi)};
  ::GetMonitorInfoW(::MonitorFromWindow(hCenter ? hCenter : m_hWnd, MONITOR_DEFAULTTONEAREST), &mi);
  rcArea = mi.rcWork;
  if (hCenter != nullptr && ::IsWindowVisible(hCenter) && !::IsIconic(hCenter)) ::GetWindowRect(hCenter, &rcCenter);
  else rcCenter = rcArea;
  if (GetStyle() & WS_CHILD) {
    HWND hParent = ::GetParent(m_hWnd);
    ::GetClientRect(hParent, &rcArea);
    if (hCenter == hParent) ::GetClientRect(hCenter, &rcCenter);
    else ::MapWindowPoints(nullptr, hParent, (LPPOINT)&rcCenter, 2);
  }
  int x = (rcCenter.left + rcCenter.right) / 2 - rcDlg.Width() / 2;
  int y = (rcCenter.top + rcCenter.bottom) / 2 - rcDlg.Height() / 2;
  if (x + rcDlg.Width() > rcArea.right) x = rcArea.right - rcDlg.Width();
  if (x < rcArea.left) x = rcArea.left;
  if (y + rcDlg.Height() > rcArea.bottom) y = rcArea.bottom - rcDlg.Height();
  if (y < rcArea.top) y = rcArea.top;
  ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// ---- text, fonts, menus, DCs ----------------------------------------------------------------
void CWnd::GetWindowText(CString& rString) const {
  int n = ::GetWindowTextLengthW(m_hWnd);
  LPWSTR p = rString.GetBuffer(n + 1);
  int got = ::GetWindowTextW(m_hWnd, p, n + 1);
  rString.ReleaseBuffer(got);
}

int CWnd::GetDlgItemText(int nID, CString& rString) const {
  HWND h = ::GetDlgItem(m_hWnd, nID);
  rString.Empty();
  if (h == nullptr) return 0;
  CWnd tmp(h);
  tmp.GetWindowText(rString);
  tmp.m_hWnd = nullptr;
  return rString.GetLength();
}

int CWnd::GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton) const {
  for (int id = nIDFirstButton; id <= nIDLastButton; ++id)
    if (::IsDlgButtonChecked(m_hWnd, id)) return id;
  return 0;
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw) { SendMessage(WM_SETFONT, (WPARAM)pFont->GetSafeHandle(), bRedraw); }
CFont* CWnd::GetFont() const { return CFont::FromHandle((HFONT)SendMessage(WM_GETFONT)); }
CMenu* CWnd::GetMenu() const { return CMenu::FromHandle(::GetMenu(m_hWnd)); }
BOOL CWnd::SetMenu(CMenu* pMenu) { return ::SetMenu(m_hWnd, pMenu->GetSafeHmenu()); }
CMenu* CWnd::GetSystemMenu(BOOL bRevert) const { return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert)); }
CDC* CWnd::GetDC() { return CDC::FromHandle(::GetDC(m_hWnd)); }
CDC* CWnd::GetWindowDC() { return CDC::FromHandle(::GetWindowDC(m_hWnd)); }
int CWnd::ReleaseDC(CDC* pDC) { return ::ReleaseDC(m_hWnd, pDC->GetSafeHdc()); }
void CWnd::DragAcceptFiles(BOOL bAccept) { ::DragAcceptFiles(m_hWnd, bAccept); }

// ---- layout -----------------------------------------------------------------------------------
void AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect) {
  HWND hParent = ::GetParent(hWnd);
  CRect rcOld;
  ::GetWindowRect(hWnd, &rcOld);
  ::MapWindowPoints(nullptr, hParent, (LPPOINT)&rcOld, 2);
  if (::EqualRect(&rcOld, lpRect)) return;
  if (lpLayout != nullptr && lpLayout->hDWP != nullptr) {
    lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, hWnd, nullptr, lpRect->left, lpRect->top,
                                      lpRect->right - lpRect->left, lpRect->bottom - lpRect->top,
                                      SWP_NOACTIVATE | SWP_NOZORDER);
  } else {
    ::SetWindowPos(hWnd, nullptr, lpRect->left, lpRect->top, lpRect->right - lpRect->left,
                   lpRect->bottom - lpRect->top, SWP_NOACTIVATE | SWP_NOZORDER);
  }
}

void CWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag, LPRECT lpRectParam,
                          LPCRECT lpRectClient, BOOL bStretch) {
  AFX_SIZEPARENTPARAMS layout = {};
  layout.bStretch = bStretch;
  layout.hDWP = (nFlag & reposQuery) ? nullptr : ::BeginDeferWindowPos(8);
  if (lpRectClient != nullptr) layout.rect = *lpRectClient;
  else ::GetClientRect(m_hWnd, &layout.rect);
  HWND hLeftOver = nullptr;
  for (HWND hChild = ::GetTopWindow(m_hWnd); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
    UINT nID = (UINT)::GetDlgCtrlID(hChild);
    CWnd* pWnd = FromHandlePermanent(hChild);
    if (nID == nIDLeftOver) hLeftOver = hChild;
    else if (nID >= nIDFirst && nID <= nIDLast && pWnd != nullptr)
      ::SendMessageW(hChild, WM_SIZEPARENT, 0, (LPARAM)&layout);
  }
  if ((nFlag & ~reposNoPosLeftOver) == reposQuery) {
    // Only report the space left for the pane.
    if (bStretch) ::CopyRect(lpRectParam, &layout.rect);
    else {
      lpRectParam->left = lpRectParam->top = 0;
      lpRectParam->right = layout.sizeTotal.cx;
      lpRectParam->bottom = layout.sizeTotal.cy;
    }
    return;
  }
  if (hLeftOver != nullptr && !(nFlag & reposNoPosLeftOver)) {
    CRect rect(layout.rect);
    if ((nFlag & ~reposNoPosLeftOver) == reposExtra && lpRectParam != nullptr) {
      rect.left += lpRectParam->left;
      rect.top += lpRectParam->top;
      rect.right -= lpRectParam->right;
      rect.bottom -= lpRectParam->bottom;
    }
    CWnd* pLeftOver = FromHandle(hLeftOver);
    pLeftOver->CalcWindowRect(&rect);
    AfxRepositionWindow(&layout, hLeftOver, &rect);
  }
  if (layout.hDWP != nullptr) ::EndDeferWindowPos(layout.hDWP);
}

// ---- dialog data and control updates ---------------------------------------------------------
BOOL CWnd::UpdateData(BOOL bSaveAndValidate) {
  CDataExchange dx(this, bSaveAndValidate);
  try {
    DoDataExchange(&dx);
    return TRUE;
  } catch (CUserException* e) {
    e->Delete();  // the user has already been told
    return FALSE;
  } catch (CException* e) {
    e->ReportError(MB_ICONEXCLAMATION, AFX_IDP_INTERNAL_FAILURE);
    e->Delete();
    return FALSE;
  }
}

BOOL CWnd::BeginChildUpdate(HWND hChild, CCmdUI& state, CWnd& wndTemp) {
  wndTemp.m_hWnd = hChild;
  state.m_pOther = &wndTemp;
  state.m_nID = (UINT)(WORD)::GetDlgCtrlID(hChild);
  // Objects of the control may answer for themselves (reflection of the update).
  CWnd* pPerm = FromHandlePermanent(hChild);
  return pPerm != nullptr &&
         pPerm->OnCmdMsg(0, (int)MAKELONG((WORD)CN_UPDATE_COMMAND_UI, WM_COMMAND + WM_REFLECT_BASE), &state, nullptr);
}

void CWnd::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) {
  CCmdUI state;
  CWnd wndTemp;
  for (HWND hChild = ::GetTopWindow(m_hWnd); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
    if (BeginChildUpdate(hChild, state, wndTemp)) continue;
    // Only push buttons go grey for want of a handler: other controls (a tab window, a list, a
    // check box) keep their state unless a handler says otherwise.
    BOOL bDisable = bDisableIfNoHndler;
    if (bDisable) {
      const UINT type = (UINT)::GetWindowLongPtrW(hChild, GWL_STYLE) & BS_TYPEMASK;
      bDisable = (::SendMessageW(hChild, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON) != 0 &&
                 (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || type == BS_USERBUTTON);
    }
    state.DoUpdate(pTarget, bDisable);
  }
  wndTemp.m_hWnd = nullptr;
}

// ---- modal loop ---------------------------------------------------------------------------
BOOL CWnd::ContinueModal() { return m_bInModalLoop; }

void CWnd::EndModalLoop(int nResult) {
  m_nModalResult = nResult;
  if (m_bInModalLoop) {
    m_bInModalLoop = FALSE;
    PostMessage(WM_NULL);
  }
}

int CWnd::RunModalLoop(DWORD dwFlags) {
  BOOL bIdle = TRUE;
  LONG lIdleCount = 0;
  BOOL bShowIdle = (dwFlags & MLF_SHOWONIDLE) && !(GetStyle() & WS_VISIBLE);
  HWND hWndParent = ::GetParent(m_hWnd);
  m_bInModalLoop = TRUE;
  m_nModalResult = -1;
  CWinThread* pThread = AfxGetThread();
  MSG msg;
  for (;;) {
    while (bIdle && !::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      if (bShowIdle) {
        ShowWindow(SW_SHOWNORMAL);
        UpdateWindow();
        bShowIdle = FALSE;
      }
      if (!(dwFlags & MLF_NOIDLEMSG) && hWndParent != nullptr && lIdleCount == 0)
        ::SendMessageW(hWndParent, WM_ENTERIDLE, MSGF_DIALOGBOX, (LPARAM)m_hWnd);
      if ((dwFlags & MLF_NOKICKIDLE) || !SendMessage(WM_KICKIDLE, MSGF_DIALOGBOX, lIdleCount++)) bIdle = FALSE;
      if (!ContinueModal()) goto done;
    }
    do {
      if (!ContinueModal()) goto done;
      BOOL ok = pThread != nullptr ? pThread->PumpMessage() : AfxInternalPumpMessage();
      if (!ok) {
        ::PostQuitMessage(0);  // keep WM_QUIT for the outer loop
        m_bInModalLoop = FALSE;
        return -1;
      }
      if (bShowIdle && (msg.message == 0x118 || msg.message == WM_SYSKEYDOWN)) {
        ShowWindow(SW_SHOWNORMAL);
        UpdateWindow();
        bShowIdle = FALSE;
      }
      if (!ContinueModal()) goto done;
      bIdle = TRUE;
      lIdleCount = 0;
    } while (::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
  }
done:
  m_bInModalLoop = FALSE;
  return m_nModalResult;
}
