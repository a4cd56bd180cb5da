#include "bars/UfxMenuBar.h"
#include "looks/UfxMenuPage.h"
#include "bars/UfxToolbarMenuButton.h"
#include "bars/UfxToolbarSystemMenuButton.h"
#include "bars/UfxToolbarMenuButtonsButton.h"
#include "bars/UfxPopupMenu.h"
#include "bars/UfxMenuBarStore.h"
#include "frames/UfxTearOffManager.h"
#include "frames/UfxRegistry.h"
#include "bars/UfxCommandUsage.h"
#include "frames/UfxFrameWnd.h"
#include "frames/UfxGlobalData.h"
#include "looks/UfxVisualManager.h"
#include <algorithm>

IMPLEMENT_SERIAL(CUfxMenuBar, CUfxToolBar, VERSIONABLE_SCHEMA | 1)

BOOL CUfxMenuBar::m_bDrawAllArrows = FALSE;
HHOOK CUfxMenuBar::m_hookMouseDrag = nullptr;
CUfxMenuBar* CUfxMenuBar::m_pDraggedMenuBar = nullptr;

namespace {
const UINT_PTR kShowAllTimer = 1;
const UINT kShowAllDelay = 5000;

BOOL IsMdiButton(const CUfxToolbarButton* p) {
  return p != nullptr && (p->IsKindOf(RUNTIME_CLASS(CUfxToolbarMenuButtonsButton)) ||
                          p->IsKindOf(RUNTIME_CLASS(CUfxToolbarSystemMenuButton)));
}

// The text of a command anywhere in the menu tree, or empty.
CString FindItemText(HMENU hMenu, UINT uiCmd, int nDepth = 0) {
  if (hMenu == nullptr || nDepth > 64) return CString();
  const int nCount = ::GetMenuItemCount(hMenu);
  for (int i = 0; i < nCount; ++i) {
    HMENU hSub = ::GetSubMenu(hMenu, i);
    if (hSub != nullptr) {
      const CString str = FindItemText(hSub, uiCmd, nDepth + 1);
      if (!str.IsEmpty()) return str;
    } else if (::GetMenuItemID(hMenu, i) == uiCmd) {
      WCHAR sz[1025] = L"";
      ::GetMenuStringW(hMenu, i, sz, 1024, MF_BYPOSITION);
      return sz;
    }
  }
  return CString();
}

// The document templates with a shared menu.
void Templates(CPtrList& list) {
  CWinApp* pApp = AfxGetApp();
  if (pApp == nullptr || pApp->m_pDocManager == nullptr) return;
  for (POSITION pos = pApp->GetFirstDocTemplatePosition(); pos != nullptr;) {
    CMultiDocTemplate* pTemplate = DYNAMIC_DOWNCAST(CMultiDocTemplate, pApp->GetNextDocTemplate(pos));
    if (pTemplate != nullptr && pTemplate->m_hMenuShared != nullptr) list.AddTail(pTemplate);
  }
}
}  // namespace

BEGIN_MESSAGE_MAP(CUfxMenuBar, CUfxToolBar)
  ON_WM_CREATE()
  ON_WM_LBUTTONDOWN()
  ON_WM_SETFOCUS()
  ON_WM_WINDOWPOSCHANGED()
  ON_WM_TIMER()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_SETTINGCHANGE()
END_MESSAGE_MAP()

CUfxMenuBar::CUfxMenuBar() {
  m_bMenuMode = TRUE;
  m_szSystemButton = CSize(::GetSystemMetrics(SM_CXMENUSIZE), ::GetSystemMetrics(SM_CYMENUSIZE));
}

CUfxMenuBar::~CUfxMenuBar() {
  if (m_hookMouseDrag != nullptr && m_pDraggedMenuBar == this) {
    ::UnhookWindowsHookEx(m_hookMouseDrag);
    m_hookMouseDrag = nullptr;
    m_pDraggedMenuBar = nullptr;
  }
  if (m_hDefaultMenu != nullptr && ::IsMenu(m_hDefaultMenu)) {
    UfxMenuBarStore.Remove(m_hDefaultMenu);
    ::DestroyMenu(m_hDefaultMenu);
  }
}

BOOL CUfxMenuBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
  return CreateEx(pParentWnd, TBSTYLE_FLAT, dwStyle, CRect(1, 1, 1, 1), nID);
}

BOOL CUfxMenuBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect rcBorders, UINT nID) {
  m_pParentWnd = DYNAMIC_DOWNCAST(CFrameWnd, pParentWnd);
  return CUfxToolBar::CreateEx(pParentWnd, dwCtrlStyle, dwStyle, rcBorders, nID);
}

// The frame helper learns of its menu bar and hands it the frame's menu.
void CUfxMenuBar::LinkToFrame() {
  if (CUfxFrameWnd* pFrame = DYNAMIC_DOWNCAST(CUfxFrameWnd, m_pParentWnd)) pFrame->SetMenuBar(this);
}

int CUfxMenuBar::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CUfxToolBar::OnCreate(lpCreateStruct) == -1) return -1;
  m_bMenuMode = TRUE;
  LinkToFrame();
  CString strTitle;
  strTitle.LoadString(16006);
  SetWindowText(strTitle);
  SetBarStyle(GetBarStyle() | CBRS_HIDE_INPLACE);
  m_szSystemButton = CSize(::GetSystemMetrics(SM_CXMENUSIZE), ::GetSystemMetrics(SM_CYMENUSIZE));
  return 0;
}

CFont& CUfxMenuBar::GetMenuFont(BOOL bHorz) { return bHorz ? UfxGlobalData.fontRegular : UfxGlobalData.fontVert; }

CString CUfxMenuBar::RegPath(LPCWSTR lpszProfileName) { return UfxGetRegPath(L"UfxMenuBar", lpszProfileName); }

// ---- building from a menu ----------------------------------------------------------------------

void CUfxMenuBar::BuildFromMenu(HMENU hMenu) {
  if (UfxTearOffManager != nullptr) UfxTearOffManager->SetupTearOffMenus(hMenu);
  RemoveAllButtons();
  const int nCount = hMenu != nullptr ? ::GetMenuItemCount(hMenu) : 0;
  for (int i = 0; i < nCount; ++i) {
    WCHAR sz[1025] = L"";
    ::GetMenuStringW(hMenu, i, sz, 1024, MF_BYPOSITION);
    CString strText = sz;
    const UINT uiID = ::GetMenuItemID(hMenu, i);
    HMENU hSub = ::GetSubMenu(hMenu, i);
    if (uiID == 0 && hSub == nullptr) {
      InsertSeparator();
    } else if (hSub != nullptr) {
      const UINT uiTearOff = UfxTearOffManager != nullptr ? UfxTearOffManager->Parse(strText) : 0;
      CUfxToolbarMenuButton* pTitle = new CUfxToolbarMenuButton(0, hSub, -1, strText);
      pTitle->m_bText = TRUE;
      pTitle->m_bImage = FALSE;
      pTitle->SetTearOffId(uiTearOff);
      if (InsertButton(pTitle) < 0) delete pTitle;
    } else {
      CUfxToolbarButton* pButton = new CUfxToolbarButton(uiID, -1, strText);
      pButton->m_bText = TRUE;
      if (InsertButton(pButton) < 0) delete pButton;
    }
  }
}

void CUfxMenuBar::CreateFromMenu(HMENU hMenu, BOOL bDefaultMenu, BOOL bForceUpdate) {
  if (GetSafeHwnd() != nullptr && ::GetFocus() == m_hWnd && m_pParentWnd != nullptr) m_pParentWnd->SetFocus();
  const BOOL bSame = hMenu == m_hMenu && !CUfxToolBar::IsCustomizeMode() && !bForceUpdate;
  if (bSame) {
    RemoveSystemButtons();
    AdjustLayout();
    return;
  }
  if (m_hMenu != nullptr) {
    if (UfxTearOffManager != nullptr) UfxTearOffManager->Reset(m_hMenu);
    RemoveSystemButtons();
    UfxMenuBarStore.Save(m_hMenu, this);
  }
  m_nSystemButtonsNumSaved = m_nSystemButtonsNum;
  m_hMenu = hMenu;
  if (bDefaultMenu) m_hDefaultMenu = hMenu;
  if (!UfxMenuBarStore.Load(hMenu, this)) BuildFromMenu(hMenu);
  if (m_bMaximizeMode) AddSystemButtons();
  if (GetSafeHwnd() != nullptr) AdjustLayout();
}

CString CUfxMenuBar::MenuItemText(UINT uiCmd) const { return FindItemText(m_hMenu, uiCmd); }

BOOL CUfxMenuBar::SetDefaultButtonText(CUfxToolbarButton* pButton) {
  if (pButton != nullptr) {
    const CString strText = MenuItemText(pButton->m_nID);
    if (!strText.IsEmpty()) {
      pButton->m_strText = strText;
      return TRUE;
    }
  }
  return CUfxToolBar::SetDefaultButtonText(pButton);
}

// ---- MDI buttons -------------------------------------------------------------------------------

void CUfxMenuBar::RemoveSystemButtons() {
  while (GetButtonCount() > 0 && GetButton(GetButtonCount() - 1)->IsKindOf(RUNTIME_CLASS(CUfxToolbarMenuButtonsButton)))
    RemoveButton(GetButtonCount() - 1);
  if (GetButtonCount() > 0 && GetButton(0)->IsKindOf(RUNTIME_CLASS(CUfxToolbarSystemMenuButton))) RemoveButton(0);
  m_nSystemButtonsNum = 0;
}

void CUfxMenuBar::AddSystemButtons() {
  if (m_hSysMenu == nullptr) return;
  CUfxToolbarSystemMenuButton* pSysButton = new CUfxToolbarSystemMenuButton(m_hSysMenu, m_hSysIcon);
  if (InsertButton(pSysButton, 0) < 0) delete pSysButton;
  m_nSystemButtonsNum = 0;
  CMDIChildWnd* pChild = nullptr;
  if (CMDIFrameWnd* pMDIFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, m_pParentWnd)) pChild = pMDIFrame->MDIGetActive();
  const DWORD dwStyle = pChild != nullptr ? pChild->GetStyle() : (WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
  auto add = [&](UINT uiCmd, BOOL bDisabled) {
    CUfxToolbarMenuButtonsButton* pButton = new CUfxToolbarMenuButtonsButton(uiCmd);
    if (bDisabled) pButton->m_nStyle |= TBBS_DISABLED;
    if (InsertButton(pButton) < 0) delete pButton;
    else ++m_nSystemButtonsNum;
  };
  if (dwStyle & WS_MINIMIZEBOX) add(SC_MINIMIZE, FALSE);
  if (dwStyle & WS_MAXIMIZEBOX) add(SC_RESTORE, FALSE);
  const UINT uiClose = ::GetMenuState(m_hSysMenu, SC_CLOSE, MF_BYCOMMAND);
  add(SC_CLOSE, uiClose == (UINT)-1 || (uiClose & (MF_GRAYED | MF_DISABLED)) != 0);
}

void CUfxMenuBar::SetMaximizeMode(BOOL bMax, CWnd* pWnd, BOOL bRecalcLayout) {
  RemoveSystemButtons();
  m_bMaximizeMode = FALSE;
  m_hSysMenu = nullptr;
  m_hSysIcon = nullptr;
  if (bMax && pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr) {
    HMENU hSysMenu = ::GetSystemMenu(pWnd->GetSafeHwnd(), FALSE);
    if (hSysMenu != nullptr) {
      m_hSysMenu = hSysMenu;
      m_hSysIcon = (HICON)pWnd->SendMessage(WM_GETICON, ICON_SMALL);
      if (m_hSysIcon == nullptr) m_hSysIcon = (HICON)::GetClassLongPtrW(pWnd->GetSafeHwnd(), GCLP_HICONSM);
      m_bMaximizeMode = TRUE;
      AddSystemButtons();
    }
  }
  if (bRecalcLayout && GetSafeHwnd() != nullptr) AdjustLayout();
}

void CUfxMenuBar::RestoreMaximizeMode() {
  if (m_bMaximizeMode) AddSystemButtons();
  if (GetSafeHwnd() != nullptr) AdjustLayout();
}

BOOL CUfxMenuBar::OnSendCommand(const CUfxToolbarButton* pButton) {
  const CUfxToolbarMenuButtonsButton* pSys = DYNAMIC_DOWNCAST(CUfxToolbarMenuButtonsButton, const_cast<CUfxToolbarButton*>(pButton));
  if (pSys == nullptr) return FALSE;
  CMDIFrameWnd* pMDIFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, m_pParentWnd);
  CMDIChildWnd* pChild = pMDIFrame != nullptr ? pMDIFrame->MDIGetActive() : nullptr;
  if (pChild == nullptr) {
    ::MessageBeep((UINT)-1);
    return TRUE;
  }
  pChild->SendMessage(WM_SYSCOMMAND, pSys->m_uiSystemCommand);
  return TRUE;
}

// ---- layout ------------------------------------------------------------------------------------

int CUfxMenuBar::RowHeight() const {
  return std::max<int>(CUfxToolBar::RowHeight(), UfxGlobalData.m_nTextHeightHorz + 6);
}

int CUfxMenuBar::ColumnWidth() const { return CUfxToolBar::ColumnWidth(); }

CSize CUfxMenuBar::ComputeBarLayout(DWORD dwMode, int nLength) {
  CSize size = CUfxToolBar::ComputeBarLayout(dwMode, nLength);
  if (IsFloating() || m_pParentWnd == nullptr || m_pParentWnd->GetSafeHwnd() == nullptr) return size;
  // Docked, the menu bar takes the whole side of its frame.
  CRect rectFrame;
  m_pParentWnd->GetClientRect(rectFrame);
  if (dwMode & LM_HORZ) size.cx = std::max<int>(size.cx, rectFrame.Width());
  else size.cy = std::max<int>(size.cy, rectFrame.Height());
  return size;
}

void CUfxMenuBar::LayoutButtons() {
  CUfxToolBar::LayoutButtons();
  if (m_nSystemButtonsNum == 0 || GetSafeHwnd() == nullptr) return;
  // The MDI buttons sit at the far end, one button size each, 1 pixel apart.
  CRect rectClient;
  GetClientRect(rectClient);
  const BOOL bHorz = (GetBarStyle() & CBRS_ORIENT_HORZ) != 0;
  int nPos = bHorz ? rectClient.right - 1 : rectClient.bottom - 1;
  for (int i = GetButtonCount() - 1; i >= 0 && i >= GetButtonCount() - m_nSystemButtonsNum; --i) {
    CUfxToolbarButton* pButton = GetButton(i);
    CRect rect;
    if (bHorz) {
      rect = CRect(nPos - m_szSystemButton.cx, rectClient.top + (rectClient.Height() - m_szSystemButton.cy) / 2, nPos, 0);
      rect.bottom = rect.top + m_szSystemButton.cy;
      nPos = rect.left - 1;
    } else {
      rect = CRect(rectClient.left + (rectClient.Width() - m_szSystemButton.cx) / 2, nPos - m_szSystemButton.cy, 0, nPos);
      rect.right = rect.left + m_szSystemButton.cx;
      nPos = rect.top - 1;
    }
    pButton->SetRect(rect);
  }
}

INT_PTR CUfxMenuBar::OnToolHitTest(CPoint point, TOOLINFOW* pTI) const {
  CUfxMenuBar* pThis = const_cast<CUfxMenuBar*>(this);
  if (DYNAMIC_DOWNCAST(CUfxToolbarMenuButton, pThis->GetButton(pThis->HitTest(point))) != nullptr) return -1;
  return CUfxToolBar::OnToolHitTest(point, pTI);
}

int CUfxMenuBar::FindDropIndex(CPoint point, CRect& rectDrag) const {
  const int iIndex = CUfxToolBar::FindDropIndex(point, rectDrag);
  // No drop among the MDI buttons.
  const int iLimit = GetButtonCount() - m_nSystemButtonsNum;
  return iIndex > iLimit ? iLimit : iIndex;
}

CSize CUfxMenuBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) { return CUfxToolBar::CalcFixedLayout(bStretch, bHorz); }

CSize CUfxMenuBar::CalcDynamicLayout(int nLength, DWORD dwMode) {
  if ((dwMode & (LM_MRUWIDTH | LM_COMMIT)) == 0 && nLength == -1 && (dwMode & (LM_HORZDOCK | LM_VERTDOCK)) == 0)
    return CalcFixedLayout(dwMode & LM_STRETCH, dwMode & LM_HORZ);
  // While the bar is dragged, a drop lands at the start of the monitor's work area.
  if (!(dwMode & LM_COMMIT) && (::GetKeyState(VK_LBUTTON) & 0x8000) && m_hookMouseDrag == nullptr) {
    m_pDraggedMenuBar = this;
    m_hookMouseDrag = ::SetWindowsHookExW(WH_MOUSE, DragMouseHook, nullptr, ::GetCurrentThreadId());
  }
  return CUfxToolBar::CalcDynamicLayout(nLength, dwMode);
}

LRESULT CALLBACK CUfxMenuBar::DragMouseHook(int nCode, WPARAM wParam, LPARAM lParam) {
  if (nCode == HC_ACTION && (wParam == WM_LBUTTONUP || wParam == WM_NCLBUTTONUP) && m_pDraggedMenuBar != nullptr) {
    CDockContext* pContext = m_pDraggedMenuBar->m_pDockContext;
    if (pContext != nullptr && m_pDraggedMenuBar->GetSafeHwnd() != nullptr) {
      MONITORINFO mi = {};
      mi.cbSize = sizeof(mi);
      CRect rectBar;
      m_pDraggedMenuBar->GetWindowRect(rectBar);
      if (::GetMonitorInfoW(::MonitorFromRect(rectBar, MONITOR_DEFAULTTONEAREST), &mi)) {
        const int nWidth = pContext->m_rectDragHorz.Width();
        pContext->m_rectDragHorz.left = mi.rcWork.left;
        pContext->m_rectDragHorz.right = mi.rcWork.left + nWidth;
        const int nHeight = pContext->m_rectDragVert.Height();
        pContext->m_rectDragVert.top = mi.rcWork.top;
        pContext->m_rectDragVert.bottom = mi.rcWork.top + nHeight;
      }
    }
  }
  return ::CallNextHookEx(m_hookMouseDrag, nCode, wParam, lParam);
}

void CUfxMenuBar::OnWindowPosChanged(WINDOWPOS* lpwndpos) {
  CUfxToolBar::OnWindowPosChanged(lpwndpos);
  if (m_hookMouseDrag != nullptr && m_pDraggedMenuBar == this && !(::GetKeyState(VK_LBUTTON) & 0x8000)) {
    ::UnhookWindowsHookEx(m_hookMouseDrag);
    m_hookMouseDrag = nullptr;
    m_pDraggedMenuBar = nullptr;
  }
}

void CUfxMenuBar::OnSettingChange(UINT uFlags, LPCTSTR lpszSection) {
  CUfxToolBar::OnSettingChange(uFlags, lpszSection);
  m_szSystemButton = CSize(::GetSystemMetrics(SM_CXMENUSIZE), ::GetSystemMetrics(SM_CYMENUSIZE));
  AdjustLayout();
  Invalidate();
}

// ---- keyboard menu mode and focus --------------------------------------------------------------

BOOL CUfxMenuBar::IsTitle(int iIndex) const {
  const CUfxToolbarButton* p = GetButton(iIndex);
  return p != nullptr && !(p->m_nStyle & (TBBS_SEPARATOR | TBBS_DISABLED)) && !IsMdiButton(p);
}

CUfxToolbarMenuButton* CUfxMenuBar::GetDroppedMenuButton(int& iIndex) const {
  return GetDroppedDownMenu(&iIndex);
}

int CUfxMenuBar::GetDroppedIndex() const {
  int iIndex = -1;
  GetDroppedDownMenu(&iIndex);
  return iIndex;
}

// The title's popup opens with its first item highlighted.
static void OpenWithFirstItem(CUfxMenuBar* pBar, CUfxToolbarButton* pButton) {
  CUfxToolbarMenuButton* pMenuButton = DYNAMIC_DOWNCAST(CUfxToolbarMenuButton, pButton);
  if (pMenuButton == nullptr) return;
  const int iAnimation = CUfxToolBar::GetMenuAnimation();
  CUfxToolBar::SetMenuAnimation(0);
  if (!pMenuButton->IsDroppedDown()) pMenuButton->OnClick(pBar, FALSE);
  CUfxToolBar::SetMenuAnimation(iAnimation);
  if (CUfxPopupMenu* pPopup = pMenuButton->GetPopupMenu()) pPopup->SendMessage(WM_KEYDOWN, VK_HOME);
}

BOOL CUfxMenuBar::MoveHighlight(int iDir) {
  const int nCount = GetButtonCount();
  if (nCount == 0) return FALSE;
  int iDropped = -1;
  CUfxToolbarMenuButton* pDropped = GetDroppedDownMenu(&iDropped);
  const int iStart = iDropped >= 0 ? iDropped : m_iHighlighted;
  // Each title is visited at most once; with none the highlight stays.
  for (int n = 1; n <= nCount; ++n) {
    const int i = iDir > 0 ? ((iStart < 0 ? -1 : iStart) + n) % nCount
                           : ((iStart < 0 ? 0 : iStart) - n + nCount * 2) % nCount;
    if (!IsTitle(i) || i == iStart) continue;
    const int iOld = m_iHighlighted;
    m_iHighlighted = i;
    InvalidateButton(iOld);
    InvalidateButton(i);
    if (pDropped != nullptr) {
      pDropped->OnCancelMode();
      OpenWithFirstItem(this, GetButton(i));
      m_iHighlighted = i;
    }
    UpdateWindow();
    return TRUE;
  }
  return FALSE;
}

BOOL CUfxMenuBar::PrevMenu() { return MoveHighlight(-1); }
BOOL CUfxMenuBar::NextMenu() { return MoveHighlight(1); }

BOOL CUfxMenuBar::TranslateChar(UINT nChar) {
  BYTE keys[256] = {};
  ::GetKeyboardState(keys);
  keys[VK_MENU] = 0;
  keys[VK_CONTROL] = 0;
  WORD wChar = 0;
  UINT uiUpper = nChar;
  if (::ToAsciiEx(nChar, ::MapVirtualKeyW(nChar, 0), keys, &wChar, 0, ::GetKeyboardLayout(0)) == 1)
    uiUpper = (UINT)(ULONG_PTR)::CharUpperW((LPWSTR)(ULONG_PTR)(wChar & 0xFF));
  for (int i = 0; i < GetButtonCount(); ++i) {
    CUfxToolbarButton* pButton = GetButton(i);
    if (!IsTitle(i)) continue;
    const CString& str = pButton->m_strText;
    const int iAmp = str.Find(L'&');
    if (iAmp < 0 || iAmp + 1 >= str.GetLength()) continue;
    if ((UINT)(ULONG_PTR)::CharUpperW((LPWSTR)(ULONG_PTR)(WORD)str[iAmp + 1]) != uiUpper) continue;
    const int iOld = m_iHighlighted;
    m_iHighlighted = i;
    InvalidateButton(iOld);
    InvalidateButton(i);
    if (pButton->IsKindOf(RUNTIME_CLASS(CUfxToolbarMenuButton))) {
      int iDropped = -1;
      CUfxToolbarMenuButton* pDropped = GetDroppedDownMenu(&iDropped);
      if (pDropped != nullptr && iDropped != i) pDropped->OnCancelMode();
      OpenWithFirstItem(this, pButton);
      m_iHighlighted = i;
    } else {
      RunButtonCommand(pButton);
    }
    return TRUE;
  }
  return FALSE;
}

BOOL CUfxMenuBar::PreTranslateMessage(MSG* pMsg) {
  // Keys typed while a title's menu is open belong to that menu.
  if (pMsg->message == WM_KEYDOWN && pMsg->hwnd == m_hWnd && GetDroppedDownMenu() != nullptr) {
    CUfxPopupMenu* pActive = CUfxPopupMenu::GetActiveMenu();
    if (pActive != nullptr && ::IsWindow(pActive->GetSafeHwnd())) {
      pActive->SendMessage(WM_KEYDOWN, pMsg->wParam, pMsg->lParam);
      return TRUE;
    }
  }
  if (pMsg->message == WM_KEYDOWN && pMsg->hwnd == m_hWnd && GetDroppedDownMenu() == nullptr && m_iHighlighted >= 0 &&
      !CUfxToolBar::IsCustomizeMode()) {
    CUfxToolbarButton* pButton = GetButton(m_iHighlighted);
    switch (pMsg->wParam) {
      case VK_RETURN:
      case VK_DOWN:
        if (pButton != nullptr && pButton->IsKindOf(RUNTIME_CLASS(CUfxToolbarMenuButton))) OpenWithFirstItem(this, pButton);
        else if (pButton != nullptr && pMsg->wParam == VK_RETURN) RunButtonCommand(pButton);
        return TRUE;
      case VK_ESCAPE:
        CUfxPopupMenu::SetForceShowAllMenus(FALSE);
        Deactivate();
        return TRUE;
      case VK_LEFT:
        PrevMenu();
        return TRUE;
      case VK_RIGHT:
        NextMenu();
        return TRUE;
      default:
        if (TranslateChar((UINT)pMsg->wParam)) return TRUE;
        break;
    }
  }
  return CUfxToolBar::PreTranslateMessage(pMsg);
}

void CUfxMenuBar::OnSetFocus(CWnd* pOldWnd) {
  CUfxToolBar::OnSetFocus(pOldWnd);
  if (m_pParentWnd != nullptr) m_pParentWnd->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
  if (m_iHighlighted >= 0) return;
  int iFirst = 0;
  if (GetButtonCount() > 1 && GetButton(0)->IsKindOf(RUNTIME_CLASS(CUfxToolbarSystemMenuButton))) iFirst = 1;
  for (int i = iFirst; i < GetButtonCount(); ++i) {
    if (!IsTitle(i)) continue;
    m_iHighlighted = i;
    InvalidateButton(i);
    break;
  }
}

void CUfxMenuBar::Deactivate() {
  KillTimer(kShowAllTimer);
  CUfxToolBar::Deactivate();
}

void CUfxMenuBar::OnFrameDeactivated() {
  int iDropped = -1;
  if (CUfxToolbarMenuButton* pDropped = GetDroppedDownMenu(&iDropped)) pDropped->OnCancelMode();
  Deactivate();
}

int CUfxMenuBar::SetHotButton(int iHot) {
  const int iOld = m_iHotKeyButton;
  int iDropped = -1;
  CUfxToolbarMenuButton* pDropped = GetDroppedDownMenu(&iDropped);
  if (pDropped == nullptr) {
    CUfxPopupMenu::SetForceShowAllMenus(FALSE);
    m_iHotKeyButton = iHot;
    return iOld;
  }
  // With a menu open, moving to another title opens that one instead.
  if (iHot >= 0 && iHot != iDropped && IsTitle(iHot)) {
    m_iHotKeyButton = iHot;
    pDropped->OnCancelMode();
    CUfxToolbarButton* pNew = GetButton(iHot);
    if (pNew != nullptr && pNew->IsKindOf(RUNTIME_CLASS(CUfxToolbarMenuButton))) pNew->OnClick(this, FALSE);
    m_iHighlighted = iHot;
    SetTimer(kShowAllTimer, kShowAllDelay, nullptr);
  }
  return iOld;
}

void CUfxMenuBar::OnPopupOpened(CUfxToolbarMenuButton* pButton) {
  const int iIndex = ButtonToIndex(pButton);
  if (iIndex >= 0) m_iHighlighted = iIndex;
  SetTimer(kShowAllTimer, kShowAllDelay, nullptr);
}

void CUfxMenuBar::OnPopupClosed(CUfxToolbarMenuButton* pButton) {
  KillTimer(kShowAllTimer);
  InvalidateButton(ButtonToIndex(pButton));
  // Without a popup and without the focus nothing stays highlighted.
  if (CUfxPopupMenu::GetActiveMenu() == nullptr || CUfxPopupMenu::GetActiveMenu()->GetParentButton() == pButton) {
    if (::GetFocus() != m_hWnd) {
      const int iOld = m_iHighlighted;
      m_iHighlighted = -1;
      InvalidateButton(iOld);
    }
  }
}

void CUfxMenuBar::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent != kShowAllTimer) {
    CUfxToolBar::OnTimer(nIDEvent);
    return;
  }
  KillTimer(kShowAllTimer);
  int iDropped = -1;
  CUfxToolbarMenuButton* pDropped = GetDroppedDownMenu(&iDropped);
  if (pDropped == nullptr) return;
  CPoint pt;
  ::GetCursorPos(&pt);
  ScreenToClient(&pt);
  CUfxPopupMenu* pPopup = pDropped->GetPopupMenu();
  if (pDropped->Rect().PtInRect(pt) && pPopup != nullptr && !pPopup->GetMenuBar()->AreAllCommandsShown())
    pPopup->ShowAllCommands();
}

void CUfxMenuBar::OnLButtonDown(UINT nFlags, CPoint point) {
  // Empty bar space does nothing while a menu is open.
  if (HitTest(point) < 0 && GetDroppedDownMenu() != nullptr) return;
  CUfxToolbarButton* pButton = GetButton(HitTest(point));
  if (pButton != nullptr && pButton->IsKindOf(RUNTIME_CLASS(CUfxToolbarMenuButtonsButton)) &&
      !(pButton->m_nStyle & TBBS_DISABLED)) {
    OnSendCommand(pButton);
    return;
  }
  CUfxToolBar::OnLButtonDown(nFlags, point);
}

void CUfxMenuBar::OnLButtonDblClk(UINT nFlags, CPoint point) {
  const int iHit = HitTest(point);
  CUfxToolbarMenuButton* pButton = DYNAMIC_DOWNCAST(CUfxToolbarMenuButton, GetButton(iHit));
  if (pButton != nullptr && !pButton->IsKindOf(RUNTIME_CLASS(CUfxToolbarSystemMenuButton)) &&
      CUfxToolBar::IsRecentlyUsedMenus() && UfxCommandUsage.HasEnoughStatistics() && !CUfxToolBar::IsCustomizeMode()) {
    CUfxPopupMenu* pPopup = pButton->GetPopupMenu();
    if (pPopup != nullptr && !pPopup->GetMenuBar()->AreAllCommandsShown()) {
      CUfxPopupMenu::SetForceShowAllMenus(TRUE);
      pButton->OnCancelMode();
      pButton->OnClick(this, FALSE);
      return;
    }
  }
  CUfxToolBar::OnLButtonDblClk(nFlags, point);
}

BOOL CUfxMenuBar::IsMenuOnlyButton(CUfxToolbarButton* pButton) const {
  return pButton != nullptr && (pButton->IsKindOf(RUNTIME_CLASS(CUfxToolbarMenuButton)) || m_bMenuMode);
}

// ---- saved state -------------------------------------------------------------------------------

void CUfxMenuBar::ResetMenu(HMENU hMenu, UINT uiResId) {
  BuildFromMenu(hMenu);
  CFrameWnd* pTop = UfxGetTopLevelFrame(this);
  if (pTop == nullptr) pTop = m_pParentWnd;
  if (pTop != nullptr && pTop->GetSafeHwnd() != nullptr) pTop->SendMessage(UFXM_RESETMENU, uiResId);
}

BOOL CUfxMenuBar::LoadMenuState(const CString& strPath, UINT uiResId, HMENU hMenu) {
  // The items of the menu resource are the original items the saved state is compared with.
  BuildFromMenu(hMenu);
  const BOOL bLoaded = CUfxToolBar::LoadState(strPath, -1, uiResId == 0 ? (UINT)-1 : uiResId);
  if (bLoaded && !OriginalItemsChanged()) {
    UfxMenuBarStore.Save(hMenu, this);
    return TRUE;
  }
  ResetMenu(hMenu, uiResId);
  UfxMenuBarStore.Save(hMenu, this);
  return FALSE;
}

BOOL CUfxMenuBar::LoadState(LPCWSTR lpszProfileName, int, UINT) {
  const CString strPath = RegPath(lpszProfileName);
  RemoveSystemButtons();
  BOOL bAllLoaded = TRUE;
  if (m_bMenuDocMenus) {
    CPtrList templates;
    Templates(templates);
    for (POSITION pos = templates.GetHeadPosition(); pos != nullptr;) {
      CMultiDocTemplate* pTemplate = static_cast<CMultiDocTemplate*>(templates.GetNext(pos));
      if (!LoadMenuState(strPath, pTemplate->m_nIDResource, pTemplate->m_hMenuShared)) bAllLoaded = FALSE;
    }
  }
  if (m_hDefaultMenu != nullptr) {
    BuildFromMenu(m_hDefaultMenu);
    const BOOL bLoaded = CUfxToolBar::LoadState(strPath, -1, (UINT)-1);
    if (!bLoaded || OriginalItemsChanged()) {
      bAllLoaded = FALSE;
      BuildFromMenu(m_hDefaultMenu);
      if (m_uiDefMenuResId == 0 && GetParent() != nullptr) GetParent()->SendMessage(0x0366);
      CFrameWnd* pTop = UfxGetTopLevelFrame(this);
      if (pTop == nullptr) pTop = m_pParentWnd;
      if (pTop != nullptr && pTop->GetSafeHwnd() != nullptr) pTop->SendMessage(UFXM_RESETMENU, m_uiDefMenuResId);
    }
    UfxMenuBarStore.Save(m_hDefaultMenu, this);
  }
  if (!UfxMenuBarStore.Load(m_hMenu, this)) BuildFromMenu(m_hMenu);
  RestoreMaximizeMode();
  return bAllLoaded;
}

BOOL CUfxMenuBar::SaveMenuState(const CString& strPath, UINT uiResId, HMENU hMenu) {
  if (!UfxMenuBarStore.Load(hMenu, this)) return TRUE;  // never shown: nothing customized
  return CUfxToolBar::SaveState(strPath, -1, uiResId == 0 ? (UINT)-1 : uiResId);
}

BOOL CUfxMenuBar::SaveState(LPCWSTR lpszProfileName, int, UINT) {
  const CString strPath = RegPath(lpszProfileName);
  RemoveSystemButtons();
  if (m_hMenu != nullptr) UfxMenuBarStore.Save(m_hMenu, this);
  BOOL bAllSaved = TRUE;
  if (m_bMenuDocMenus) {
    CPtrList templates;
    Templates(templates);
    for (POSITION pos = templates.GetHeadPosition(); pos != nullptr;) {
      CMultiDocTemplate* pTemplate = static_cast<CMultiDocTemplate*>(templates.GetNext(pos));
      if (!SaveMenuState(strPath, pTemplate->m_nIDResource, pTemplate->m_hMenuShared)) bAllSaved = FALSE;
    }
  }
  if (m_hDefaultMenu != nullptr && !SaveMenuState(strPath, 0, m_hDefaultMenu)) bAllSaved = FALSE;
  if (!UfxMenuBarStore.Load(m_hMenu, this)) BuildFromMenu(m_hMenu);
  RestoreMaximizeMode();
  return bAllSaved;
}

BOOL CUfxMenuBar::RestoreOriginalState() {
  if (m_hMenu != nullptr) UfxMenuBarStore.Save(m_hMenu, this);
  if (UfxTearOffManager != nullptr) UfxTearOffManager->Reset(nullptr);
  RemoveSystemButtons();
  HINSTANCE hInst = AfxGetResourceHandle();
  HMENU hActive = m_hMenu;
  CPtrList templates;
  Templates(templates);
  for (POSITION pos = templates.GetHeadPosition(); pos != nullptr;) {
    CMultiDocTemplate* pTemplate = static_cast<CMultiDocTemplate*>(templates.GetNext(pos));
    HMENU hNew = ::LoadMenuW(hInst, MAKEINTRESOURCEW(pTemplate->m_nIDResource));
    if (hNew == nullptr) continue;  // the bar in use stays
    BuildFromMenu(hNew);
    UfxMenuBarStore.Save(hNew, this);
    HMENU hOld = pTemplate->m_hMenuShared;
    pTemplate->m_hMenuShared = hNew;
    UpdateMDIChildrenMenus(pTemplate);
    UfxMenuBarStore.Remove(hOld);
    if (hActive == hOld) hActive = hNew;
    ::DestroyMenu(hOld);
  }
  if (m_uiDefMenuResId != 0) {
    HMENU hNew = ::LoadMenuW(hInst, MAKEINTRESOURCEW(m_uiDefMenuResId));
    if (hNew != nullptr) {
      OnDefaultMenuLoaded(hNew);
      BuildFromMenu(hNew);
      UfxMenuBarStore.Save(hNew, this);
      HMENU hOld = m_hDefaultMenu;
      if (CMDIFrameWnd* pMDIFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, m_pParentWnd)) pMDIFrame->m_hMenuDefault = hNew;
      m_hDefaultMenu = hNew;
      if (hActive == hOld) hActive = hNew;
      if (hOld != nullptr) {
        UfxMenuBarStore.Remove(hOld);
        ::DestroyMenu(hOld);
      }
    }
  }
  m_hMenu = hActive;
  if (!UfxMenuBarStore.Load(m_hMenu, this)) BuildFromMenu(m_hMenu);
  if (m_pParentWnd != nullptr && m_pParentWnd->GetSafeHwnd() != nullptr) m_pParentWnd->OnUpdateFrameMenu(m_hMenu);
  RestoreMaximizeMode();
  // A menu page open in the customization sheet shows the active template's menu again.
  if (CUfxMenuPage* pPage = DYNAMIC_DOWNCAST(CUfxMenuPage, m_pMenuPage)) {
    CDocTemplate* pActiveTemplate = nullptr;
    for (POSITION pos = templates.GetHeadPosition(); pos != nullptr;) {
      CMultiDocTemplate* pTemplate = static_cast<CMultiDocTemplate*>(templates.GetNext(pos));
      if (pTemplate->m_hMenuShared == m_hMenu) pActiveTemplate = pTemplate;
    }
    pPage->SelectMenu(pActiveTemplate, FALSE);
  }
  return TRUE;
}

void CUfxMenuBar::ForEachStoredBar(void (*fn)(CUfxToolbarButton* pButton, LPARAM lParam), LPARAM lParam) {
  auto applyHere = [&]() {
    for (int i = 0; i < GetButtonCount(); ++i) fn(GetButton(i), lParam);
  };
  applyHere();
  if (m_hMenu != nullptr) UfxMenuBarStore.Save(m_hMenu, this);
  CPtrList templates;
  Templates(templates);
  CList<HMENU, HMENU> menus;
  for (POSITION pos = templates.GetHeadPosition(); pos != nullptr;)
    menus.AddTail(static_cast<CMultiDocTemplate*>(templates.GetNext(pos))->m_hMenuShared);
  if (m_hDefaultMenu != nullptr) menus.AddTail(m_hDefaultMenu);
  for (POSITION pos = menus.GetHeadPosition(); pos != nullptr;) {
    HMENU hMenu = menus.GetNext(pos);
    if (hMenu == m_hMenu || !UfxMenuBarStore.Load(hMenu, this)) continue;
    applyHere();
    UfxMenuBarStore.Save(hMenu, this);
  }
  if (!UfxMenuBarStore.Load(m_hMenu, this)) BuildFromMenu(m_hMenu);
  RestoreMaximizeMode();
}

void CUfxMenuBar::UpdateMDIChildrenMenus(CMultiDocTemplate* pTemplate) {
  if (pTemplate == nullptr) return;
  for (POSITION pos = pTemplate->GetFirstDocPosition(); pos != nullptr;) {
    CDocument* pDoc = pTemplate->GetNextDoc(pos);
    for (POSITION posView = pDoc->GetFirstViewPosition(); posView != nullptr;) {
      CView* pView = pDoc->GetNextView(posView);
      CMDIChildWnd* pChild = DYNAMIC_DOWNCAST(CMDIChildWnd, pView->GetParentFrame());
      if (pChild == nullptr) continue;
      pChild->m_hMenuShared = pTemplate->m_hMenuShared;
      pChild->m_hAccelTable = pTemplate->m_hAccelTable;
    }
  }
}
