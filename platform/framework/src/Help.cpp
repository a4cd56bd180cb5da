// Help: WinHelp through the application's one help call, F1 help for what has the focus, and
// help mode (Shift+F1), where the next click names the thing help is wanted for.
#include "Framework.h"

// ---- the application's help call --------------------------------------------------------------
BOOL CWinApp::CallWinHelp(HWND hWndMain, LPCWSTR lpszHelpFile, UINT nCmd, DWORD_PTR dwData) {
  return ::WinHelpW(hWndMain, lpszHelpFile, nCmd, dwData);
}

void CWinApp::WinHelp(DWORD_PTR dwData, UINT nCmd) {
  CWnd* pMainWnd = AfxGetMainWnd();
  if (pMainWnd != nullptr) pMainWnd->WinHelp(dwData, nCmd);
  else CallWinHelp(nullptr, m_pszHelpFilePath, nCmd, dwData);
}

void CWinApp::WinHelpInternal(DWORD_PTR dwData, UINT nCmd) { WinHelp(dwData, nCmd); }

void CWnd::WinHelp(DWORD_PTR dwData, UINT nCmd) {
  CWinApp* pApp = AfxGetApp();
  if (pApp == nullptr) return;
  HCURSOR hOld = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
  PrepareForHelp();
  CWnd* pWnd = GetTopLevelParent();
  BOOL ok = pApp->CallWinHelp(pWnd->GetSafeHwnd(), pApp->m_pszHelpFilePath, nCmd, dwData);
  ::SetCursor(hOld);
  if (!ok) AfxMessageBox(AFX_IDP_FAILED_TO_LAUNCH_HELP);
}

void CWnd::PrepareForHelp() {
  // Menus, drags and help mode end before the help window comes.
  CFrameWnd* pFrame = GetTopLevelFrame();
  if (pFrame != nullptr) pFrame->ExitHelpMode();
  CWnd* pTop = GetTopLevelParent();
  if (pTop != nullptr) {
    pTop->SendMessage(WM_CANCELMODE);
    pTop->SendMessageToDescendants(WM_CANCELMODE, 0, 0, TRUE, TRUE);
  }
  HWND hCapture = ::GetCapture();
  if (hCapture != nullptr) ::SendMessageW(hCapture, WM_CANCELMODE, 0, 0);
}

// The next window up: the parent of a child, the owner of a popup.
static HWND ParentOwner(HWND hWnd) {
  if (::GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_CHILD) return ::GetParent(hWnd);
  return ::GetWindow(hWnd, GW_OWNER);
}

void CWnd::OnHelp() {
  // Whoever tracks the mouse, then whoever has the focus, may answer for itself.
  for (HWND hWnd = ::GetCapture(); hWnd != nullptr; hWnd = ParentOwner(hWnd))
    if (::SendMessageW(hWnd, WM_COMMANDHELP, 0, 0)) return;
  for (HWND hWnd = ::GetFocus(); hWnd != nullptr; hWnd = ParentOwner(hWnd))
    if (::SendMessageW(hWnd, WM_COMMANDHELP, 0, 0)) return;
  CWnd* pTop = GetTopLevelParent();
  if (pTop != nullptr && pTop->SendMessage(WM_COMMANDHELP, 0, 0)) return;
  // Nothing had a context: the default help.
  CWnd* pMain = AfxGetMainWnd();
  if (pMain != nullptr) pMain->SendMessage(WM_COMMAND, ID_DEFAULT_HELP);
}

// ---- the frame's part ---------------------------------------------------------------------------
LRESULT CFrameWnd::OnCommandHelp(WPARAM, LPARAM lParam) {
  if (lParam == 0) {
    if (m_nIDTracking != 0 && m_nIDTracking != AFX_IDS_IDLEMESSAGE) lParam = HID_BASE_COMMAND + m_nIDTracking;
    else if (m_nIDHelp != 0) lParam = HID_BASE_RESOURCE + m_nIDHelp;
  }
  if (lParam == 0) return FALSE;
  CWinApp* pApp = AfxGetApp();
  if (pApp != nullptr) pApp->WinHelpInternal((DWORD_PTR)lParam);
  return TRUE;
}

LRESULT CFrameWnd::OnHelpHitTest(WPARAM, LPARAM) {
  return m_nIDHelp != 0 ? HID_BASE_RESOURCE + m_nIDHelp : 0;
}

LRESULT CFrameWnd::OnExitHelpMode(WPARAM, LPARAM) { return 0; }

BOOL CFrameWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  if (m_bHelpMode == HELP_ACTIVE) {
    ::SetCursor(::LoadCursorW(nullptr, IDC_HELP));
    return TRUE;
  }
  return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

BOOL CFrameWnd::CanEnterHelpMode() {
  if (m_bHelpMode == HELP_ACTIVE) return FALSE;
  if (::LoadCursorW(nullptr, IDC_HELP) == nullptr) return FALSE;
  // Help mode needs somebody to handle the context-help command.
  AFX_CMDHANDLERINFO info = {};
  return OnCmdMsg(ID_CONTEXT_HELP, CN_COMMAND, nullptr, &info);
}

void CFrameWnd::ExitHelpMode() {
  if (m_bHelpMode == HELP_INACTIVE) return;
  MSG msg;
  if (!::PeekMessageW(&msg, m_hWnd, WM_EXITHELPMODE, WM_EXITHELPMODE, PM_NOREMOVE))
    ::PostMessageW(m_hWnd, WM_EXITHELPMODE, 0, 0);
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
  CFrameWnd* pTop = GetTopLevelFrame();
  if (pTop != nullptr) pTop->m_bHelpMode = HELP_INACTIVE;
  m_bHelpMode = HELP_INACTIVE;
}

namespace {
// Where a mouse message happened, on the screen (posted messages carry it only in lParam).
POINT MouseMessagePoint(const MSG& msg) {
  POINT pt = {(short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam)};
  if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST && msg.hwnd != nullptr) ::ClientToScreen(msg.hwnd, &pt);
  return pt;
}

bool IsDescendant(HWND hWndParent, HWND hWnd) {
  for (HWND h = hWnd; h != nullptr; h = ParentOwner(h))
    if (h == hWndParent) return true;
  return false;
}
}  // namespace

HWND CFrameWnd::SetHelpCapture(POINT point, BOOL* pbDescendant) {
  if (pbDescendant != nullptr) *pbDescendant = FALSE;
  if (m_bHelpMode == HELP_INACTIVE) return nullptr;
  HWND hWndHit = ::WindowFromPoint(point);
  HWND hWndCapture = ::GetCapture();
  bool ours = hWndHit != nullptr && hWndHit != ::GetDesktopWindow() &&
              ::GetWindowThreadProcessId(hWndHit, nullptr) == ::GetCurrentThreadId() && IsDescendant(m_hWnd, hWndHit);
  HWND hActive = ::GetActiveWindow();
  HWND hTopActive = hActive != nullptr ? ::GetAncestor(hActive, GA_ROOTOWNER) : nullptr;
  HWND hTopHit = hWndHit != nullptr ? ::GetAncestor(hWndHit, GA_ROOTOWNER) : nullptr;
  if (!ours) {
    // Outside this frame the mouse behaves as usual.
    if (hWndCapture == m_hWnd) ::ReleaseCapture();
    if (hWndHit != nullptr && ::GetWindowThreadProcessId(hWndHit, nullptr) != ::GetCurrentThreadId()) hWndHit = nullptr;
    return hWndHit;
  }
  if (pbDescendant != nullptr) *pbDescendant = TRUE;
  if (hTopActive != nullptr && hTopActive != hTopHit) return nullptr;
  if (hWndCapture != m_hWnd) ::SetCapture(m_hWnd);
  ::SetCursor(::LoadCursorW(nullptr, IDC_HELP));
  return hWndHit;
}

DWORD_PTR CFrameWnd::MapClientArea(HWND hWndHit, POINT point) {
  // The window hit answers, else its parents up to this frame.
  for (HWND hWnd = hWndHit; hWnd != nullptr; hWnd = ParentOwner(hWnd)) {
    POINT ptClient = point;
    ::ScreenToClient(hWnd, &ptClient);
    DWORD_PTR dwContext = (DWORD_PTR)::SendMessageW(hWnd, WM_HELPHITTEST, 0, MAKELPARAM(ptClient.x, ptClient.y));
    if (dwContext != 0) return dwContext;
    if (hWnd == m_hWnd) break;
  }
  return (DWORD_PTR)-1;  // the default help
}

BOOL CFrameWnd::ProcessHelpMsg(MSG& msg, DWORD_PTR* pContext) {
  if (msg.message == WM_QUIT) {
    // The program ends: help mode ends, and the quit goes on to the outer loop.
    ::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    ::PostQuitMessage((int)msg.wParam);
    return FALSE;
  }
  if (msg.message == WM_EXITHELPMODE || (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE)) {
    ::PeekMessageW(&msg, nullptr, msg.message, msg.message, PM_REMOVE);
    return FALSE;
  }
  if (AfxIsMouseMessage(msg.message)) {
    BOOL bDescendant = FALSE;
    POINT pt = MouseMessagePoint(msg);
    HWND hWndHit = SetHelpCapture(pt, &bDescendant);
    ::PeekMessageW(&msg, nullptr, msg.message, msg.message, PM_REMOVE);
    if (hWndHit == nullptr) return TRUE;
    if (!bDescendant) {
      ::DispatchMessageW(&msg);  // other windows work as usual
      return TRUE;
    }
    if (msg.message != WM_LBUTTONDOWN && msg.message != WM_NCLBUTTONDOWN) return TRUE;  // eaten
    int iHit = (int)::SendMessageW(hWndHit, WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y));
    if (iHit == HTCLIENT) *pContext = MapClientArea(hWndHit, pt);
    else *pContext = HID_BASE_NCAREAS + (DWORD_PTR)iHit;
    return FALSE;
  }
  if (msg.message == WM_SYSCOMMAND || (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST)) {
    if (::GetCapture() != nullptr) ::ReleaseCapture();
    ::PeekMessageW(&msg, nullptr, msg.message, msg.message, PM_REMOVE);
    if (!PreTranslateMessage(&msg)) {
      ::TranslateMessage(&msg);
      // Only system keys and commands work in help mode.
      if (msg.message == WM_SYSCOMMAND || (msg.message >= WM_SYSKEYDOWN && msg.message <= WM_SYSDEADCHAR))
        ::DispatchMessageW(&msg);
    }
    POINT point;
    ::GetCursorPos(&point);
    SetHelpCapture(point, nullptr);
    return TRUE;
  }
  if (::PeekMessageW(&msg, nullptr, msg.message, msg.message, PM_REMOVE)) ::DispatchMessageW(&msg);
  return TRUE;
}

void CFrameWnd::OnContextHelp() {
  if (m_bHelpMode == HELP_ACTIVE || !CanEnterHelpMode()) return;
  MSG msg;
  if (::PeekMessageW(&msg, m_hWnd, WM_EXITHELPMODE, WM_EXITHELPMODE, PM_NOREMOVE)) {
    // A pending exit (or quit) wins over entering.
    if (msg.message == WM_EXITHELPMODE) ::PeekMessageW(&msg, m_hWnd, WM_EXITHELPMODE, WM_EXITHELPMODE, PM_REMOVE);
    return;
  }
  m_bHelpMode = HELP_ACTIVE;
  UINT nMsgSave = (UINT)SendMessage(WM_SETMESSAGESTRING, (WPARAM)AFX_IDS_HELPMODEMESSAGE);
  if (nMsgSave == 0) nMsgSave = AFX_IDS_IDLEMESSAGE;
  DWORD_PTR dwContext = 0;
  POINT point;
  ::GetCursorPos(&point);
  SetHelpCapture(point, nullptr);
  CWinThread* pThread = AfxGetThread();
  LONG lIdleCount = 0;
  while (m_bHelpMode == HELP_ACTIVE) {
    if (::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      if (!ProcessHelpMsg(msg, &dwContext)) break;
    } else if (pThread == nullptr || !pThread->OnIdle(lIdleCount++)) {
      lIdleCount = 0;
      ::WaitMessage();
    }
  }
  m_bHelpMode = HELP_INACTIVE;
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
  SendMessage(WM_SETMESSAGESTRING, (WPARAM)nMsgSave);
  if (dwContext != 0) {
    CWinApp* pApp = AfxGetApp();
    if (dwContext == (DWORD_PTR)-1) SendMessage(WM_COMMAND, ID_DEFAULT_HELP);
    else if (pApp != nullptr) pApp->WinHelpInternal(dwContext);
  }
  PostMessage(WM_KICKIDLE);
}
