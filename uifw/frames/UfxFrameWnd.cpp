#include "UfxFrameWnd.h"
#include "UfxUserToolsManager.h"

IMPLEMENT_DYNCREATE(CUfxFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CUfxFrameWnd, CFrameWnd)
  ON_WM_CLOSE()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CFrameWnd* UfxFrameOverride = nullptr;
const UINT UFXM_TOOLBAR_POPUPMENU = ::RegisterWindowMessageW(L"UFXTOOLBAR_POPUPMENU");

CFrameWnd* UfxGetTopLevelFrame(const CWnd* pWnd) {
  if (UfxFrameOverride != nullptr) return UfxFrameOverride;
  if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr) return nullptr;
  if (CFrameWnd* pTop = pWnd->GetTopLevelFrame()) return pTop;
  return DYNAMIC_DOWNCAST(CFrameWnd, const_cast<CWnd*>(pWnd));
}

CUfxFrameWnd::CUfxFrameWnd() : m_Impl(this) {}

CUfxFrameWnd::~CUfxFrameWnd() = default;

void CUfxFrameWnd::OnClosePopupMenu(CUfxPopupMenu* pMenuPopup) {}

BOOL CUfxFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext) {
  if (!CFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext)) return FALSE;
  m_Impl.OnLoadFrame(nIDResource);
  return TRUE;
}

BOOL CUfxFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
  m_Impl.RestorePosition(cs);
  return CFrameWnd::PreCreateWindow(cs);
}

void CUfxFrameWnd::OnClose() {
  m_Impl.OnCloseFrame();
  CFrameWnd::OnClose();
}

void CUfxFrameWnd::OnDestroy() {
  // The frame's own table (the keyboard manager builds it) goes with the frame.
  if (m_hAccelTable != nullptr) {
    ::DestroyAcceleratorTable(m_hAccelTable);
    m_hAccelTable = nullptr;
  }
  CFrameWnd::OnDestroy();
}

BOOL CUfxFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  // Only accelerator commands are probed: menu, tray and other windows' commands always arrive.
  if (HIWORD(wParam) == 1) {
    const UINT uiCmd = LOWORD(wParam);
    if (m_Impl.ProcessKeyboard(VK_ESCAPE)) return TRUE;
    if (UfxUserToolsManager != nullptr && UfxUserToolsManager->InvokeTool(uiCmd)) return TRUE;
  }
  return CFrameWnd::OnCommand(wParam, lParam);
}

BOOL CUfxFrameWnd::PreTranslateMessage(MSG* pMsg) {
  switch (pMsg->message) {
    case WM_SYSKEYDOWN:
    case WM_CONTEXTMENU: {
      BOOL bProcessAccel = TRUE;
      if (m_Impl.ProcessKeyboard((int)pMsg->wParam, &bProcessAccel)) return TRUE;
      if (!bProcessAccel) return FALSE;
      break;
    }
    case WM_KEYDOWN: {
      const BOOL bPlainF1 = pMsg->wParam == VK_F1 && (HIWORD(pMsg->lParam) & KF_REPEAT) == 0 &&
                            !(::GetKeyState(VK_SHIFT) & 0x8000) && !(::GetKeyState(VK_CONTROL) & 0x8000) &&
                            !(::GetKeyState(VK_MENU) & 0x8000);
      if (!bPlainF1) {
        BOOL bProcessAccel = TRUE;
        if (m_Impl.ProcessKeyboard((int)pMsg->wParam, &bProcessAccel)) return TRUE;
        if (!bProcessAccel) return FALSE;
      }
      break;
    }
    case WM_RBUTTONUP:
      if (OnMouseMessage(pMsg)) return TRUE;
      break;
    case WM_SYSKEYUP:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_SYSCHAR:
      if (IsIconic()) return FALSE;  // a minimised frame translates nothing
      break;
  }
  return CFrameWnd::PreTranslateMessage(pMsg);
}

BOOL CUfxFrameWnd::OnMouseMessage(MSG* pMsg) {
  CPoint ptScreen((short)LOWORD(pMsg->lParam), (short)HIWORD(pMsg->lParam));
  ::ClientToScreen(pMsg->hwnd, &ptScreen);
  if (!::IsWindow(pMsg->hwnd)) return TRUE;
  // A bar offers its messages to its frame before the frame's own turn comes: one request each.
  const bool bSeen = m_msgLastMouse.hwnd == pMsg->hwnd && m_msgLastMouse.message == pMsg->message &&
                     m_msgLastMouse.lParam == pMsg->lParam && m_msgLastMouse.time == pMsg->time;
  m_msgLastMouse = *pMsg;
  if (!bSeen && pMsg->message == WM_RBUTTONUP &&
      DYNAMIC_DOWNCAST(CDockBar, CWnd::FromHandlePermanent(pMsg->hwnd)) != nullptr)
    SendMessage(UFXM_TOOLBAR_POPUPMENU, (WPARAM)GetSafeHwnd(), MAKELPARAM(ptScreen.x, ptScreen.y));
  return FALSE;
}
