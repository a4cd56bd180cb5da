#include "bars/UfxPopupMenu.h"
#include "bars/UfxToolbarMenuButton.h"
#include "bars/UfxShowAllButton.h"
#include "bars/UfxMenuBar.h"
#include "bars/UfxCustomizeButton.h"
#include "bars/UfxMenuBarStore.h"
#include "bars/UfxMenuGlyphs.h"
#include "bars/UfxMenuSoundPlayer.h"
#include "bars/UfxDialog.h"
#include "frames/UfxCommandManager.h"
#include "frames/UfxTearOffManager.h"
#include "frames/UfxUserToolsManager.h"
#include "bars/UfxUserTool.h"
#include "frames/UfxFrameWnd.h"
#include "frames/UfxMiniDockFrameWnd.h"
#include "frames/UfxGlobalData.h"
#include "looks/UfxVisualManager.h"
#include "looks/UfxGdiEffects.h"
#include <algorithm>

IMPLEMENT_SERIAL(CUfxPopupMenu, CMiniFrameWnd, VERSIONABLE_SCHEMA | 1)

UINT CUfxPopupMenu::m_AnimationSpeed = 30;
BOOL CUfxPopupMenu::m_bForceShowAllMenus = FALSE;
CUfxPopupMenu* CUfxPopupMenu::m_pActivePopupMenu = nullptr;

namespace {
const int kBorder = 2;               // the menu border inside the window, each side
const int kTearOffHeight = 10;
const UINT kMenuBarId = 1;
const UINT kRecentFileFirst = 0xE110;

CFrameWnd* TopFrameOf(const CWnd* pWnd) {
  CFrameWnd* pFrame = UfxGetTopLevelFrame(pWnd);
  if (pFrame == nullptr) pFrame = DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd());
  return pFrame;
}
// The frame learns of the opening popup and may refuse it.
BOOL ShowThroughFrame(CUfxPopupMenuHost* pHost, CUfxPopupMenu* pPopupMenu) {
  if (!pHost->ShowPopupMenu(pPopupMenu)) return FALSE;
  CUfxPopupMenu::SetActiveMenu(pPopupMenu);
  return TRUE;
}

}  // namespace

BEGIN_MESSAGE_MAP(CUfxPopupMenu, CMiniFrameWnd)
  ON_WM_CREATE()
  ON_WM_SIZE()
  ON_WM_PAINT()
  ON_WM_MOUSEACTIVATE()
  ON_WM_DESTROY()
  ON_WM_KEYDOWN()
  ON_WM_ERASEBKGND()
  ON_WM_TIMER()
  ON_MESSAGE(WM_MOUSEMOVE, OnMouseMoveMsg)
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_ACTIVATEAPP()
  ON_WM_CLOSE()
END_MESSAGE_MAP()

CUfxPopupMenu::CUfxPopupMenu() {
  // Fading needs more than 256 colours.
  if (GetAnimationType() == FADE && UfxGlobalData.m_nBitsPerPixel != 0 && UfxGlobalData.m_nBitsPerPixel <= 8)
    SetAnimationType(NO_ANIMATION);
}

CUfxPopupMenu::CUfxPopupMenu(CObject* pCustPage, LPCWSTR lpszTitle) : CUfxPopupMenu() {
  m_pCustPage = pCustPage;
  m_strCaption = lpszTitle != nullptr ? lpszTitle : L"";
}

CUfxPopupMenu::~CUfxPopupMenu() {
  if (m_bDestroyMenuOnClose && m_hMenu != nullptr && ::IsMenu(m_hMenu)) ::DestroyMenu(m_hMenu);
  if (m_pActivePopupMenu == this) m_pActivePopupMenu = nullptr;
}

void CUfxPopupMenu::SetAnimationSpeed(UINT nElapse) { m_AnimationSpeed = nElapse == 0 ? 1 : nElapse; }
void CUfxPopupMenu::EnableMenuSound(BOOL bEnable) { CUfxMenuSoundPlayer::EnableSounds(bEnable); }
BOOL CUfxPopupMenu::IsMenuSound() { return CUfxMenuSoundPlayer::AreSoundsEnabled(); }

void CUfxPopupMenu::SetMaxWidth(int iMaxWidth) {
  m_iMaxWidth = iMaxWidth;
  GetMenuBar()->m_iMaxWidth = iMaxWidth;
}

// ---- the chain ---------------------------------------------------------------------------------

CUfxToolBar* CUfxPopupMenu::GetParentToolBar() const {
  return m_pParentBtn != nullptr ? DYNAMIC_DOWNCAST(CUfxToolBar, m_pParentBtn->GetParentWnd()) : nullptr;
}

CUfxPopupMenu* CUfxPopupMenu::GetParentPopupMenu() const {
  CUfxPopupMenuBar* pBar = DYNAMIC_DOWNCAST(CUfxPopupMenuBar, GetParentToolBar());
  return pBar != nullptr ? pBar->GetParentPopup() : nullptr;
}

CUfxMenuBar* CUfxPopupMenu::GetParentMenuBar() const { return DYNAMIC_DOWNCAST(CUfxMenuBar, GetParentToolBar()); }

CUfxPopupMenu* CUfxPopupMenu::GetTopLevelPopup() {
  CUfxPopupMenu* p = this;
  while (p->GetParentPopupMenu() != nullptr) p = p->GetParentPopupMenu();
  return p;
}

// ---- creation ----------------------------------------------------------------------------------

BOOL CUfxPopupMenu::Create(CWnd* pWndParent, int x, int y, HMENU hMenu, BOOL bLocked, BOOL bOwnMessage) {
  CUfxMenuSoundPlayer::Play(CUfxMenuSoundPlayer::kPopup);
  static LPCWSTR s_lpszClass = nullptr;
  if (s_lpszClass == nullptr)
    s_lpszClass = AfxRegisterWndClass(CS_SAVEBITS, ::LoadCursorW(nullptr, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1));

  m_hMenu = hMenu;
  if (x == -1 && y == -1) {
    CPoint pt(5, 5);
    if (pWndParent != nullptr && pWndParent->GetSafeHwnd() != nullptr) pWndParent->ClientToScreen(&pt);
    else pt = CPoint(0, 0);
    x = pt.x;
    y = pt.y;
  }
  m_x = x;
  m_y = y;
  m_ptLocationInitial = CPoint(x, y);

  CUfxPopupMenu* pParentPopup = GetParentPopupMenu();
  if (bOwnMessage) m_pMessageWnd = pWndParent;
  else if (pParentPopup != nullptr) m_pMessageWnd = pParentPopup->m_pMessageWnd;
  if (pParentPopup != nullptr) {
    SetTrackMode(pParentPopup->m_bTrackMode);
    if (m_iMaxWidth < 0) SetMaxWidth(pParentPopup->m_iMaxWidth);
  }
  GetMenuBar()->m_bTrackMode = m_bTrackMode;
  GetMenuBar()->m_iMaxWidth = m_iMaxWidth;
  GetMenuBar()->m_bLocked = TRUE;
  (void)bLocked;

  DWORD dwStyle = WS_POPUP;
  if (!m_strCaption.IsEmpty()) dwStyle |= WS_CAPTION | WS_SYSMENU;
  DWORD dwExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
  if (pWndParent != nullptr && pWndParent->GetSafeHwnd() != nullptr && (pWndParent->GetExStyle() & WS_EX_LAYOUTRTL))
    dwExStyle |= WS_EX_LAYOUTRTL;
  CWnd* pOwner = pWndParent != nullptr && pWndParent->GetSafeHwnd() != nullptr ? pWndParent->GetTopLevelParent() : nullptr;
  if (pOwner == nullptr) pOwner = pWndParent;
  m_bEnded = FALSE;
  if (!CMiniFrameWnd::CreateEx(dwExStyle, s_lpszClass, m_strCaption, dwStyle, CRect(x, y, x + 1, y + 1), pOwner, 0))
    return FALSE;
  if (GetSafeHwnd() == nullptr || m_bInCloseMenu) return GetSafeHwnd() != nullptr;

  if (m_bRightAlign) {
    CRect rectWindow;
    GetWindowRect(rectWindow);
    m_x -= rectWindow.Width() - 1;
    RecalcLayout();
  }
  if (GetAnimationType() != NO_ANIMATION && !CUfxToolBar::IsCustomizeMode()) StartAnimation();
  // Shown on top without activation, in one step.
  ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  if (CUfxToolBar::IsCustomizeMode()) GetMenuBar()->RedrawWindow();
  // The press that opened the menu may be released over an item: the bar follows the mouse.
  if (!CUfxToolBar::IsCustomizeMode() && (::GetKeyState(VK_LBUTTON) & 0x8000)) GetMenuBar()->SetCapture();
  return TRUE;
}

int CUfxPopupMenu::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CMiniFrameWnd::OnCreate(lpCreateStruct) == -1) return -1;
  m_wndMenuBar.m_bFirstMove = TRUE;
  m_wndMenuBar.m_bFirstClick = TRUE;
  if (!m_wndMenuBar.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_LEFT, CRect(0, 0, 0, 0), kMenuBarId))
    return -1;
  m_wndMenuBar.SetOwner(GetOwner());
  m_wndMenuBar.SetMenuMode(TRUE);
  if (!InitMenuBar()) return -1;
  return 0;
}

BOOL CUfxPopupMenu::InitMenuBar() {
  const BOOL bFromStore = m_pParentBtn == nullptr && m_hMenu != nullptr && UfxMenuBarStore.Load(m_hMenu, GetMenuBar());
  if (!bFromStore && m_hMenu != nullptr) {
    if (!GetMenuBar()->ImportFromMenu(m_hMenu, m_pParentBtn == nullptr)) {
      if (!::IsMenu(m_hMenu)) return FALSE;
    }
  }
  if (!CUfxToolBar::IsCustomizeMode()) {
    InsertRecentFiles();
    InsertUserTools();
  }
  GetMenuBar()->UpdateCommands(FALSE);
  if (!ActivatePopupMenu(TopFrameOf(m_pParentBtn != nullptr ? m_pParentBtn->GetParentWnd() : GetOwner()), this))
    return FALSE;
  RecalcLayout();
  return TRUE;
}

void CUfxPopupMenu::InsertRecentFiles() {
  CWinApp* pApp = AfxGetApp();
  CRecentFileList* pList = pApp != nullptr ? pApp->m_pRecentFileList : nullptr;
  const int iPlace = GetMenuBar()->CommandToIndex(kRecentFileFirst);
  if (iPlace < 0) return;
  CUfxToolbarButton* pPlaceholder = GetMenuBar()->GetButton(iPlace);
  if (pPlaceholder == nullptr || pPlaceholder->m_strText != L"Recent File") return;
  if (pList == nullptr) return;
  const BOOL bAfterSeparator = iPlace > 0 && (GetMenuBar()->GetButton(iPlace - 1)->m_nStyle & TBBS_SEPARATOR);
  GetMenuBar()->RemoveButton(iPlace);

  WCHAR szCurDir[MAX_PATH + 2] = L"";
  ::GetCurrentDirectoryW(MAX_PATH, szCurDir);
  const int nCurDir = (int)wcslen(szCurDir);
  if (nCurDir > 0 && szCurDir[nCurDir - 1] != L'\\') wcscat(szCurDir, L"\\");
  int iInsert = iPlace, nInserted = 0;
  for (int j = 0; j < pList->GetSize(); ++j) {
    CString strName;
    if ((*pList)[j].IsEmpty() || !pList->GetDisplayName(strName, j, szCurDir, (int)wcslen(szCurDir))) continue;
    strName.Replace(L"&", L"&&");  // a file name's "&" is no mnemonic
    CString strText;
    strText.Format(L"&%d %s", ++nInserted, (LPCWSTR)strName);
    CUfxToolbarMenuButton* pItem = new CUfxToolbarMenuButton(kRecentFileFirst + j, nullptr, -1, strText);
    pItem->m_bText = TRUE;
    pItem->m_bImage = FALSE;
    if (GetMenuBar()->InsertButton(pItem, iInsert) < 0) delete pItem;
    else ++iInsert;
  }
  // No file: the separator that came after the placeholder goes too.
  if (nInserted == 0 && bAfterSeparator && iPlace < GetMenuBar()->GetButtonCount() &&
      (GetMenuBar()->GetButton(iPlace)->m_nStyle & TBBS_SEPARATOR))
    GetMenuBar()->RemoveButton(iPlace);
}

void CUfxPopupMenu::InsertUserTools() {
  if (UfxUserToolsManager == nullptr) return;
  const int iPlace = GetMenuBar()->CommandToIndex(UfxUserToolsManager->GetToolsEntryCmd());
  if (iPlace < 0) return;
  GetMenuBar()->RemoveButton(iPlace);
  const CObList& tools = UfxUserToolsManager->GetUserTools();
  int iInsert = iPlace;
  if (!tools.IsEmpty() && iPlace > 0 && !(GetMenuBar()->GetButton(iPlace - 1)->m_nStyle & TBBS_SEPARATOR)) {
    GetMenuBar()->InsertSeparator(iInsert);
    ++iInsert;
  }
  for (POSITION pos = tools.GetHeadPosition(); pos != nullptr;) {
    CUfxUserTool* pTool = static_cast<CUfxUserTool*>(tools.GetNext(pos));
    const int iUserImage = UfxGetCommandManager()->GetCmdImage(pTool->GetCommandId(), TRUE);
    CUfxToolbarMenuButton* pItem = new CUfxToolbarMenuButton(pTool->GetCommandId(), nullptr,
                                                             iUserImage >= 0 ? iUserImage : 0, pTool->m_strLabel,
                                                             iUserImage >= 0);
    pItem->m_bText = TRUE;
    if (GetMenuBar()->InsertButton(pItem, iInsert) < 0) delete pItem;
    else ++iInsert;
  }
  if (!tools.IsEmpty() && iInsert < GetMenuBar()->GetButtonCount() &&
      !(GetMenuBar()->GetButton(iInsert)->m_nStyle & TBBS_SEPARATOR))
    GetMenuBar()->InsertSeparator(iInsert);
  // No two separators side by side.
  for (int i = GetMenuBar()->GetButtonCount() - 1; i > 0; --i)
    if ((GetMenuBar()->GetButton(i)->m_nStyle & TBBS_SEPARATOR) && (GetMenuBar()->GetButton(i - 1)->m_nStyle & TBBS_SEPARATOR))
      GetMenuBar()->RemoveButton(i);
}

BOOL CUfxPopupMenu::ActivatePopupMenu(CFrameWnd* pTopFrame, CUfxPopupMenu* pPopupMenu) {
  if (pPopupMenu == nullptr) return TRUE;
  if (CUfxDialog* pDialog = DYNAMIC_DOWNCAST(CUfxDialog, pPopupMenu->m_pMessageWnd)) pDialog->SetActivePopupMenu(pPopupMenu);
  if (CUfxPopupMenuHost* pHost = CUfxPopupMenuHost::FromFrame(pTopFrame)) {
    if (!ShowThroughFrame(pHost, pPopupMenu)) {
      if (!pPopupMenu->m_bInCloseMenu && pPopupMenu->GetSafeHwnd() != nullptr) {
        pPopupMenu->m_bInCloseMenu = TRUE;
        pPopupMenu->PostMessage(WM_CLOSE);
      }
      return FALSE;
    }
  } else {
    m_pActivePopupMenu = pPopupMenu;
  }
  CUfxPopupMenuBar* pBar = pPopupMenu->GetMenuBar();
  if (pPopupMenu->m_pParentBtn != nullptr && !pBar->AreAllCommandsShown()) {
    const int nCount = pBar->GetButtonCount();
    if (nCount == 0 || !pBar->GetButton(nCount - 1)->IsKindOf(RUNTIME_CLASS(CUfxShowAllButton)))
      pBar->InsertButton(new CUfxShowAllButton);
  }
  if (pPopupMenu->m_bTrackMode) m_pActivePopupMenu = pPopupMenu;
  return TRUE;
}

// ---- placement ---------------------------------------------------------------------------------

CRect CUfxPopupMenu::WorkAreaAt(CPoint pt) const {
  MONITORINFO mi = {};
  mi.cbSize = sizeof(mi);
  HMONITOR hMonitor = ::MonitorFromPoint(pt, MONITOR_DEFAULTTONEAREST);
  if (hMonitor != nullptr && ::GetMonitorInfoW(hMonitor, &mi)) return CRect(mi.rcWork);
  CRect rect;
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rect, 0);
  return rect;
}

void CUfxPopupMenu::UpdateShadow() {
  m_iShadowSize = 0;
  if (!AreMenuShadows() || CUfxToolBar::IsCustomizeMode() || UfxGlobalData.m_nBitsPerPixel <= 8) return;
  m_iShadowSize = CUfxVisualManager::GetInstance()->GetMenuShadowDepth();
  // The shadow stays only while the popup with it lies inside the program's main window.
  CWnd* pMain = AfxGetMainWnd();
  if (pMain == nullptr || pMain->GetSafeHwnd() == nullptr) {
    m_iShadowSize = 0;
    return;
  }
  CRect rectMain, rectMenu(CPoint(m_x, m_y), m_FinalSize + CSize(m_iShadowSize, m_iShadowSize));
  pMain->GetWindowRect(rectMain);
  CRect rectUnion;
  rectUnion.UnionRect(rectMain, rectMenu);
  if (rectUnion != rectMain) m_iShadowSize = 0;
}

void CUfxPopupMenu::RecalcLayout(BOOL) {
  // The size set below comes back as WM_SIZE, whose frame handling asks for this again.
  if (m_bInRecalcLayout || GetSafeHwnd() == nullptr || GetMenuBar()->GetSafeHwnd() == nullptr) return;
  m_bInRecalcLayout = TRUE;
  PlaceWindow();
  m_bInRecalcLayout = FALSE;
}

void CUfxPopupMenu::PlaceWindow() {
  CRect rectScreen = WorkAreaAt(CPoint(m_x, m_y));
  m_x = std::max<int>(rectScreen.left, std::min<int>(m_x, rectScreen.right));
  m_y = std::max<int>(rectScreen.top, std::min<int>(m_y, rectScreen.bottom));

  CSize size = GetMenuBar()->CalcSize();
  size.cx += 2 * kBorder;
  size.cy += 2 * kBorder;
  if (m_iLogoWidth > 0) {
    if (m_nLogoLocation == MENU_LOGO_LEFT || m_nLogoLocation == MENU_LOGO_RIGHT) size.cx += m_iLogoWidth;
    else size.cy += m_iLogoWidth;
  }
  if (!m_strCaption.IsEmpty())
    size.cy += ::GetSystemMetrics(SM_CYSMCAPTION) + 2 * ::GetSystemMetrics(SM_CYBORDER) + 5;
  m_rectTearOffCaption.SetRectEmpty();
  if (m_pParentBtn != nullptr && m_pParentBtn->IsTearOff() && !CUfxToolBar::IsCustomizeMode()) {
    m_rectTearOffCaption = CRect(2, 2, size.cx - 4, 2 + kTearOffHeight);
    size.cy += kTearOffHeight;
    if (m_wndToolTip.GetSafeHwnd() == nullptr && m_wndToolTip.Create(this)) {
      CString strTip;
      strTip.LoadString(16028);
      m_wndToolTip.AddTool(this, strTip, m_rectTearOffCaption, 1);
    }
  }
  PlaceHorizontally(size, rectScreen);
  PlaceVertically(size, rectScreen);

  m_FinalSize = size;
  UpdateShadow();
  CSize sizeWindow = size;
  if (m_iShadowSize > 0) sizeWindow += CSize(m_iShadowSize, m_iShadowSize);
  const BOOL bRTL = (GetExStyle() & WS_EX_LAYOUTRTL) != 0;
  const int xLeft = bRTL ? m_x - sizeWindow.cx : m_x;
  const BOOL bSaveStrips = m_iShadowSize > 0 && !IsWindowVisible();
  if (bSaveStrips) SaveShadowStrips(CPoint(xLeft, m_y));
  RepaintParentButtonUnderShadow(CPoint(xLeft, m_y), bSaveStrips);
  UINT uiFlags = SWP_NOZORDER | SWP_NOACTIVATE;
  if (!m_strCaption.IsEmpty()) uiFlags |= SWP_NOMOVE;
  SetWindowPos(nullptr, xLeft, m_y, sizeWindow.cx, sizeWindow.cy, uiFlags);
  CRect rectClient;
  GetClientRect(rectClient);
  m_sizePlacedClient = rectClient.Size();
  AdjustScrollButtons();
}

// A shadow strip that falls on the button this popup drops from would keep the button's look of
// before it opened: the button is drawn again, and the strips just saved take that part of it
// from the bar itself.
void CUfxPopupMenu::RepaintParentButtonUnderShadow(CPoint ptWindow, BOOL bStripsSaved) {
  CUfxToolBar* pParentBar = GetParentToolBar();
  if (m_iShadowSize <= 0 || m_pParentBtn == nullptr || pParentBar == nullptr || pParentBar->GetSafeHwnd() == nullptr)
    return;
  const int nDepth = m_iShadowSize;
  const CRect rectRight(CPoint(ptWindow.x + m_FinalSize.cx, ptWindow.y), CSize(nDepth, m_FinalSize.cy + nDepth));
  const CRect rectBottom(CPoint(ptWindow.x, ptWindow.y + m_FinalSize.cy), CSize(m_FinalSize.cx, nDepth));
  CPoint ptBar(0, 0);
  pParentBar->ClientToScreen(&ptBar);
  CRect rectButton = m_pParentBtn->Rect();
  rectButton.OffsetRect(ptBar);
  CRect rectOnRight, rectOnBottom;
  const BOOL bRight = rectOnRight.IntersectRect(rectRight, rectButton);
  const BOOL bBottom = rectOnBottom.IntersectRect(rectBottom, rectButton);
  if (!bRight && !bBottom) return;
  pParentBar->InvalidateRect(m_pParentBtn->Rect());
  pParentBar->UpdateWindow();
  if (!bStripsSaved) return;
  CClientDC dcBar(pParentBar);
  CDC dcMem;
  if (!dcMem.CreateCompatibleDC(&dcBar)) return;
  auto copyInto = [&](CBitmap& bmp, const CRect& rectStrip, const CRect& rectPart) {
    if (bmp.GetSafeHandle() == nullptr || rectPart.IsRectEmpty()) return;
    CBitmap* pOld = dcMem.SelectObject(&bmp);
    dcMem.BitBlt(rectPart.left - rectStrip.left, rectPart.top - rectStrip.top, rectPart.Width(), rectPart.Height(),
                 &dcBar, rectPart.left - ptBar.x, rectPart.top - ptBar.y, SRCCOPY);
    dcMem.SelectObject(pOld);
  };
  if (bRight) copyInto(m_bmpShadowRight, rectRight, rectOnRight);
  if (bBottom) copyInto(m_bmpShadowBottom, rectBottom, rectOnBottom);
}

void CUfxPopupMenu::SaveShadowStrips(CPoint ptWindow) {
  m_bmpShadowRight.DeleteObject();
  m_bmpShadowBottom.DeleteObject();
  CWindowDC dcScreen(nullptr);
  CDC dcMem;
  if (!dcMem.CreateCompatibleDC(&dcScreen)) return;
  const int nDepth = m_iShadowSize;
  if (m_bmpShadowRight.CreateCompatibleBitmap(&dcScreen, nDepth, m_FinalSize.cy + nDepth)) {
    CBitmap* pOld = dcMem.SelectObject(&m_bmpShadowRight);
    dcMem.BitBlt(0, 0, nDepth, m_FinalSize.cy + nDepth, &dcScreen, ptWindow.x + m_FinalSize.cx, ptWindow.y, SRCCOPY);
    dcMem.SelectObject(pOld);
  }
  if (m_bmpShadowBottom.CreateCompatibleBitmap(&dcScreen, m_FinalSize.cx, nDepth)) {
    CBitmap* pOld = dcMem.SelectObject(&m_bmpShadowBottom);
    dcMem.BitBlt(0, 0, m_FinalSize.cx, nDepth, &dcScreen, ptWindow.x, ptWindow.y + m_FinalSize.cy, SRCCOPY);
    dcMem.SelectObject(pOld);
  }
}

void CUfxPopupMenu::PlaceHorizontally(CSize& size, const CRect& rectScreen) {
  const BOOL bRTL = (GetExStyle() & WS_EX_LAYOUTRTL) != 0;
  const BOOL bDoesNotFit = m_bRightAlign ? m_x < rectScreen.left : (bRTL ? m_x - size.cx < rectScreen.left
                                                                        : m_x + size.cx > rectScreen.right);
  if (bDoesNotFit) {
    CUfxPopupMenu* pParentPopup = GetParentPopupMenu();
    CUfxToolBar* pParentBar = GetParentToolBar();
    BOOL bVertBar = FALSE;
    if (pParentBar != nullptr && pParentPopup == nullptr)
      bVertBar = (pParentBar->GetBarStyle() & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) != 0 &&
                 !(pParentBar->GetBarStyle() & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM));
    if (pParentPopup != nullptr) {
      CRect rectParent;
      pParentPopup->GetWindowRect(rectParent);
      m_x = bRTL ? rectParent.right + size.cx : rectParent.left - size.cx;
      m_DropDirection = DROP_LEFT;
    } else if (bVertBar) {
      CRect rectBar;
      pParentBar->GetWindowRect(rectBar);
      m_x = bRTL ? rectBar.right + size.cx : rectBar.left - size.cx;
      m_DropDirection = bRTL ? DROP_RIGHT : DROP_LEFT;
    } else {
      m_x = bRTL ? rectScreen.left + 1 + size.cx : rectScreen.right - 1 - size.cx;
      m_DropDirection = DROP_NORMAL;
    }
    m_bIsAnimRight = FALSE;
  }
  if (!bRTL && m_x < rectScreen.left) {
    m_x = rectScreen.left;
    m_DropDirection = DROP_NORMAL;
  }
  if (GetAnimationType() == FADE) {
    m_bIsAnimRight = FALSE;
    m_bIsAnimDown = FALSE;
  }
}

void CUfxPopupMenu::PlaceVertically(CSize& size, const CRect& rectScreen) {
  m_bScrollable = FALSE;
  if (m_y + size.cy > rectScreen.bottom) {
    m_bIsAnimDown = FALSE;
    CUfxToolBar* pParentBar = GetParentToolBar();
    CUfxPopupMenu* pParentPopup = GetParentPopupMenu();
    if (pParentBar != nullptr && pParentPopup == nullptr && m_pParentBtn != nullptr) {
      CRect rectBtn = m_pParentBtn->Rect();
      pParentBar->ClientToScreen(&rectBtn);
      const int nAbove = rectBtn.top - rectScreen.top;
      const int nBelow = rectScreen.bottom - rectBtn.bottom;
      if (rectBtn.top - size.cy >= rectScreen.top) {
        m_y = rectBtn.top - size.cy;
        m_DropDirection = DROP_UP;
      } else if (nAbove > nBelow) {
        size.cy = nAbove;
        m_y = rectScreen.top;
        m_bScrollable = TRUE;
        m_DropDirection = DROP_UP;
      } else {
        m_y = rectBtn.bottom;
        size.cy = nBelow;
        m_bScrollable = TRUE;
      }
    } else if (pParentPopup != nullptr) {
      m_y -= size.cy;
      m_y += GetMenuBar()->GetRowHeight() + 4;
    } else {
      m_y -= size.cy;
    }
  }
  if (m_y < rectScreen.top) {
    m_y = rectScreen.top;
    m_DropDirection = DROP_NORMAL;
  }
  if (m_y + size.cy > rectScreen.bottom) {
    size.cy = rectScreen.bottom - m_y;
    m_bScrollable = TRUE;
  }
}

void CUfxPopupMenu::OnSize(UINT nType, int cx, int cy) {
  // The size the placement set, now or (after creation) once more: it placed the scroll
  // buttons and the bar for it already, and placing again would find the same.
  if (m_bInRecalcLayout || (nType == SIZE_RESTORED && CSize(cx, cy) == m_sizePlacedClient)) {
    CWnd::OnSize(nType, cx, cy);
    return;
  }
  CMiniFrameWnd::OnSize(nType, cx, cy);
  AdjustScrollButtons();
}

void CUfxPopupMenu::AdjustScrollButtons() {
  if (GetMenuBar()->GetSafeHwnd() == nullptr) return;
  CRect rectClient;
  GetClientRect(rectClient);
  rectClient.right = rectClient.left + m_FinalSize.cx;
  rectClient.bottom = rectClient.top + m_FinalSize.cy;
  rectClient.DeflateRect(kBorder, kBorder);
  if (m_iLogoWidth > 0) {
    switch (m_nLogoLocation) {
      case MENU_LOGO_LEFT: rectClient.left += m_iLogoWidth; break;
      case MENU_LOGO_RIGHT: rectClient.right -= m_iLogoWidth; break;
      case MENU_LOGO_TOP: rectClient.top += m_iLogoWidth; break;
      case MENU_LOGO_BOTTOM: rectClient.bottom -= m_iLogoWidth; break;
    }
  }
  if (!m_rectTearOffCaption.IsRectEmpty()) rectClient.top += kTearOffHeight;
  m_iScrollBtnHeight = CUfxMenuGlyphs::GetSize().cy + 4;
  const CRect rectUpOld = m_rectScrollUp, rectDnOld = m_rectScrollDn;
  m_rectScrollUp.SetRectEmpty();
  m_rectScrollDn.SetRectEmpty();
  if (m_bScrollable) {
    if (GetMenuBar()->GetOffset() > 0) {
      m_rectScrollUp = CRect(rectClient.left, rectClient.top, rectClient.right, rectClient.top + m_iScrollBtnHeight);
      rectClient.top += m_iScrollBtnHeight;
    }
    // The down button while the last item lies below what is shown.
    const int nRows = (rectClient.Height() - 2) / std::max(1, GetMenuBar()->GetRowHeight());
    const int nItemsHeight = GetMenuBar()->m_sizeItems.cy;
    if (nItemsHeight - GetMenuBar()->GetOffset() * GetMenuBar()->GetRowHeight() > rectClient.Height() && nRows > 0) {
      m_rectScrollDn = CRect(rectClient.left, rectClient.bottom - m_iScrollBtnHeight, rectClient.right, rectClient.bottom);
      rectClient.bottom -= m_iScrollBtnHeight;
    }
  }
  m_nMenuBarHeight = rectClient.Height();
  CRect rectBar;
  GetMenuBar()->GetWindowRect(rectBar);
  ScreenToClient(rectBar);
  if (rectBar != rectClient)
    GetMenuBar()->SetWindowPos(nullptr, rectClient.left, rectClient.top, rectClient.Width(), rectClient.Height(),
                              SWP_NOZORDER | SWP_NOACTIVATE);
  // A new size has laid the bar out already (its WM_SIZE).
  if (rectBar.Size() == rectClient.Size()) GetMenuBar()->LayoutButtons();
  if (rectUpOld != m_rectScrollUp || rectDnOld != m_rectScrollDn) Invalidate();
}

void CUfxPopupMenu::EnsureHighlightedVisible() {
  if (!m_bScrollable) return;
  const int iHighlighted = GetMenuBar()->GetHighlighted();
  if (iHighlighted < 0) return;
  const int nRowHeight = std::max(1, GetMenuBar()->GetRowHeight());
  // Rows before the highlighted item, in the bar's own order.
  int iRow = 0;
  for (int i = 0; i < iHighlighted; ++i) iRow += (GetMenuBar()->GetButton(i)->m_nStyle & TBBS_SEPARATOR) ? 0 : 1;
  int nVisibleRows = std::max(1, (m_nMenuBarHeight - 2) / nRowHeight);
  int iOffset = GetMenuBar()->GetOffset();
  if (iRow < iOffset) iOffset = iRow;
  else if (iRow >= iOffset + nVisibleRows) iOffset = iRow - nVisibleRows + 1;
  const int nTotalRows = GetMenuBar()->m_sizeItems.cy / nRowHeight;
  iOffset = std::max(0, std::min(iOffset, std::max(0, nTotalRows - nVisibleRows)));
  ScrollTo(iOffset);
}

void CUfxPopupMenu::ScrollTo(int iOffset) {
  if (iOffset < 0) iOffset = 0;
  const int iOld = GetMenuBar()->GetOffset();
  if (iOffset == iOld) return;
  CRect rectBarBefore;
  GetMenuBar()->GetWindowRect(rectBarBefore);
  GetMenuBar()->m_iOffset = iOffset;
  // Placing the scroll buttons lays the items out too: once per step.
  AdjustScrollButtons();
  CRect rectBar;
  GetMenuBar()->GetWindowRect(rectBar);
  CRect rectItems;
  GetMenuBar()->GetClientRect(rectItems);
  const int dy = (iOld - iOffset) * GetMenuBar()->GetRowHeight();
  if (rectBar != rectBarBefore || std::abs(dy) >= rectItems.Height()) {
    GetMenuBar()->Invalidate(FALSE);
    return;
  }
  // The rows on screen move with the items; only the rows that come into view are drawn. Every
  // row's drawing stays inside its rectangle and the background beside them does not change
  // from top to bottom, so this shows what a full repaint would. What was waiting to be
  // repainted (the rows whose highlight changed) moves with its rows: scrolling a window
  // moves its update region too.
  ::ScrollWindowEx(GetMenuBar()->GetSafeHwnd(), 0, dy, &rectItems, &rectItems, nullptr, nullptr, SW_INVALIDATE);
}

// ---- painting and animation --------------------------------------------------------------------

BOOL CUfxPopupMenu::OnEraseBkgnd(CDC*) { return TRUE; }

void CUfxPopupMenu::OnPaint() {
  CPaintDC dc(this);
  if (!m_bAnimationIsDone && GetAnimationType() != NO_ANIMATION && m_AnimSize.cx > 0) {
    if (GetAnimationType() == FADE) DrawFade(&dc);
    else DrawAnimation(&dc);
    return;
  }
  PaintMenu(dc);
  m_bShown = TRUE;
}

CRect CUfxPopupMenu::LogoRect() const {
  CRect rectLogo(CPoint(0, 0), m_FinalSize);
  rectLogo.DeflateRect(kBorder, kBorder);
  switch (m_nLogoLocation) {
    case MENU_LOGO_LEFT: rectLogo.right = rectLogo.left + m_iLogoWidth; break;
    case MENU_LOGO_RIGHT: rectLogo.left = rectLogo.right - m_iLogoWidth; break;
    case MENU_LOGO_TOP: rectLogo.bottom = rectLogo.top + m_iLogoWidth; break;
    case MENU_LOGO_BOTTOM: rectLogo.top = rectLogo.bottom - m_iLogoWidth; break;
  }
  return rectLogo;
}

void CUfxPopupMenu::PaintMenu(CDC& dc) {
  CUfxVisualManager* pVM = CUfxVisualManager::GetInstance();
  const CRect rectMenu(CPoint(0, 0), m_FinalSize);
  dc.FillRect(&rectMenu, &UfxGlobalData.brBarFace);
  pVM->OnDrawMenuBorder(&dc, this, rectMenu);
  if (m_iLogoWidth > 0) {
    const CRect rectLogo = LogoRect();
    if (CUfxFrameWnd* pFrame = DYNAMIC_DOWNCAST(CUfxFrameWnd, TopFrameOf(GetOwner()))) pFrame->OnDrawMenuLogo(&dc, this, rectLogo);
  }
  if (!m_rectTearOffCaption.IsRectEmpty()) pVM->OnDrawTearOffCaption(&dc, m_rectTearOffCaption, m_bIsTearOffCaptionActive);
  const CSize sizeGlyph = CUfxMenuGlyphs::GetSize();
  auto drawScroll = [&](const CRect& rect, int iGlyph, BOOL bActive) {
    if (rect.IsRectEmpty()) return;
    dc.FillRect(&rect, &UfxGlobalData.brBarFace);
    CUfxMenuGlyphs::Draw(&dc, iGlyph, CPoint(rect.left + (rect.Width() - sizeGlyph.cx) / 2,
                                             rect.top + (rect.Height() - sizeGlyph.cy) / 2));
    if (bActive) dc.Draw3dRect(rect, UfxGlobalData.clrBtnHilite, UfxGlobalData.clrBtnShadow);
  };
  drawScroll(m_rectScrollUp, CUfxMenuGlyphs::IdArowUp, m_iScrollMode < 0);
  drawScroll(m_rectScrollDn, CUfxMenuGlyphs::IdArowDown, m_iScrollMode > 0);
  if (m_iShadowSize > 0) {
    // What lay on the screen under the shadow, darkened towards the menu.
    CRect rectWindow;
    GetWindowRect(rectWindow);
    CDC dcStrip;
    if (dcStrip.CreateCompatibleDC(&dc)) {
      if (m_bmpShadowRight.GetSafeHandle() != nullptr) {
        CBitmap* pOld = dcStrip.SelectObject(&m_bmpShadowRight);
        dc.BitBlt(m_FinalSize.cx, 0, m_iShadowSize, m_FinalSize.cy + m_iShadowSize, &dcStrip, 0, 0, SRCCOPY);
        dcStrip.SelectObject(pOld);
      }
      if (m_bmpShadowBottom.GetSafeHandle() != nullptr) {
        CBitmap* pOld = dcStrip.SelectObject(&m_bmpShadowBottom);
        dc.BitBlt(0, m_FinalSize.cy, m_FinalSize.cx, m_iShadowSize, &dcStrip, 0, 0, SRCCOPY);
        dcStrip.SelectObject(pOld);
      }
    }
    CUfxGdiEffects(dc).DrawShadow(CRect(CPoint(0, 0), m_FinalSize), m_iShadowSize, 100, 65);
  }
}

void CUfxPopupMenu::StartAnimation() {
  const int nRow = GetMenuBar()->GetRowHeight();
  switch (GetAnimationType()) {
    case UNFOLD: m_AnimSize = CSize(std::min<int>(m_FinalSize.cx, CUfxToolBar::GetMenuButtonSize().cx), nRow); break;
    case SLIDE: m_AnimSize = CSize(m_FinalSize.cx + m_iShadowSize, nRow); break;
    default: m_AnimSize = m_FinalSize + CSize(m_iShadowSize, m_iShadowSize); break;
  }
  m_iFadePercent = 0;
  m_bAnimationIsDone = FALSE;
  m_bmpScreenDst.DeleteObject();
  m_bmpScreenSrc.DeleteObject();
  if (GetAnimationType() == FADE) {
    // What the screen shows where the menu fades in.
    CRect rectWindow;
    GetWindowRect(rectWindow);
    CWindowDC dcScreen(nullptr);
    CDC dcMem;
    if (dcMem.CreateCompatibleDC(&dcScreen) &&
        m_bmpScreenSrc.CreateCompatibleBitmap(&dcScreen, rectWindow.Width(), rectWindow.Height())) {
      CBitmap* pOld = dcMem.SelectObject(&m_bmpScreenSrc);
      dcMem.BitBlt(0, 0, rectWindow.Width(), rectWindow.Height(), &dcScreen, rectWindow.left, rectWindow.top, SRCCOPY);
      dcMem.SelectObject(pOld);
    }
  }
  GetMenuBar()->ShowWindow(SW_HIDE);
  m_dwAnimStart = m_dwLastAnimTick = ::GetTickCount();
  SetTimer(kAnimTimerId, m_AnimationSpeed, nullptr);
}

BOOL CUfxPopupMenu::RenderMenuImage(CDC* pDC) {
  // The whole menu, items included, once into a bitmap that the animation reveals.
  if (m_bmpScreenDst.GetSafeHandle() != nullptr) return TRUE;
  const CSize size = m_FinalSize + CSize(m_iShadowSize, m_iShadowSize);
  CDC dcMem;
  if (!dcMem.CreateCompatibleDC(pDC) || !m_bmpScreenDst.CreateCompatibleBitmap(pDC, size.cx, size.cy)) return FALSE;
  CBitmap* pOld = dcMem.SelectObject(&m_bmpScreenDst);
  PaintMenu(dcMem);
  CRect rectBar;
  GetMenuBar()->GetWindowRect(rectBar);
  ScreenToClient(rectBar);
  const CPoint ptOrg = dcMem.SetViewportOrg(rectBar.left, rectBar.top);
  dcMem.IntersectClipRect(0, 0, rectBar.Width(), rectBar.Height());
  GetMenuBar()->DoPaint(&dcMem);
  dcMem.SetViewportOrg(ptOrg);
  dcMem.SelectObject(pOld);
  return TRUE;
}

void CUfxPopupMenu::DrawAnimation(CDC* pDC) {
  if (!RenderMenuImage(pDC)) return;  // no bitmap: nothing drawn this time
  CDC dcMem;
  if (!dcMem.CreateCompatibleDC(pDC)) return;
  CBitmap* pOld = dcMem.SelectObject(&m_bmpScreenDst);
  const CSize sizeAll = m_FinalSize + CSize(m_iShadowSize, m_iShadowSize);
  const int cx = std::min<int>(m_AnimSize.cx, sizeAll.cx), cy = std::min<int>(m_AnimSize.cy, sizeAll.cy);
  // Anchored where the reveal starts: top or bottom, left or right.
  const int xDst = m_bIsAnimRight ? 0 : sizeAll.cx - cx, yDst = m_bIsAnimDown ? 0 : sizeAll.cy - cy;
  const int xSrc = m_bIsAnimRight ? sizeAll.cx - cx : 0, ySrc = m_bIsAnimDown ? sizeAll.cy - cy : 0;
  pDC->BitBlt(xDst, yDst, cx, cy, &dcMem, GetAnimationType() == SLIDE ? xSrc : xDst, GetAnimationType() == SLIDE ? ySrc : yDst,
              SRCCOPY);
  dcMem.SelectObject(pOld);
}

void CUfxPopupMenu::DrawFade(CDC* pDC) {
  if (!RenderMenuImage(pDC) || m_bmpScreenSrc.GetSafeHandle() == nullptr) return;
  const CSize sizeAll = m_FinalSize + CSize(m_iShadowSize, m_iShadowSize);
  CDC dcScreen, dcMenu;
  if (!dcScreen.CreateCompatibleDC(pDC) || !dcMenu.CreateCompatibleDC(pDC)) return;
  CBitmap* pOldScreen = dcScreen.SelectObject(&m_bmpScreenSrc);
  CBitmap* pOldMenu = dcMenu.SelectObject(&m_bmpScreenDst);
  // screen x (100 - p) + menu x p, per channel: the screen first, the menu over it at p %.
  pDC->BitBlt(0, 0, sizeAll.cx, sizeAll.cy, &dcScreen, 0, 0, SRCCOPY);
  BLENDFUNCTION blend = {AC_SRC_OVER, 0, (BYTE)(std::min(100, m_iFadePercent) * 255 / 100), 0};
  ::GdiAlphaBlend(pDC->GetSafeHdc(), 0, 0, sizeAll.cx, sizeAll.cy, dcMenu.GetSafeHdc(), 0, 0, sizeAll.cx, sizeAll.cy, blend);
  dcScreen.SelectObject(pOldScreen);
  dcMenu.SelectObject(pOldMenu);
}

void CUfxPopupMenu::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent == kAnimTimerId) {
    const DWORD dwNow = ::GetTickCount();
    const int nSteps = (int)((double)(dwNow - m_dwLastAnimTick) / m_AnimationSpeed + 0.5);
    m_dwLastAnimTick = dwNow;
    const int nRow = GetMenuBar()->GetRowHeight();
    BOOL bDone = FALSE;
    switch (GetAnimationType()) {
      case UNFOLD:
        m_AnimSize.cx += nSteps * CUfxToolBar::GetMenuButtonSize().cx;
        m_AnimSize.cy += nSteps * nRow;
        bDone = m_AnimSize.cy - m_iShadowSize >= m_FinalSize.cy && m_AnimSize.cx - m_iShadowSize >= m_FinalSize.cx;
        break;
      case SLIDE:
        m_AnimSize.cy += nSteps * nRow;
        bDone = m_AnimSize.cy - m_iShadowSize >= m_FinalSize.cy;
        break;
      default:
        m_iFadePercent += 10;
        bDone = m_iFadePercent > 100;
        break;
    }
    if (bDone) {
      KillTimer(kAnimTimerId);
      m_AnimSize = m_FinalSize + CSize(m_iShadowSize, m_iShadowSize);
      GetMenuBar()->ShowWindow(SW_SHOWNOACTIVATE);
      GetMenuBar()->ValidateRect(nullptr);
      m_bAnimationIsDone = TRUE;
      m_bmpScreenDst.DeleteObject();
      m_bmpScreenSrc.DeleteObject();
      GetMenuBar()->Invalidate();
    }
    Invalidate();
    return;
  }
  if (nIDEvent == kScrollTimerId) {
    CPoint pt;
    ::GetCursorPos(&pt);
    ScreenToClient(&pt);
    const int iOffset = GetMenuBar()->GetOffset();
    if (m_iScrollMode < 0 && m_rectScrollUp.PtInRect(pt) && iOffset > 0) {
      ScrollTo(iOffset - 1);
    } else if (m_iScrollMode > 0 && m_rectScrollDn.PtInRect(pt) && !m_rectScrollDn.IsRectEmpty()) {
      ScrollTo(iOffset + 1);
    } else {
      KillTimer(kScrollTimerId);
      m_iScrollMode = 0;
      InvalidateRect(m_rectScrollUp);
      InvalidateRect(m_rectScrollDn);
    }
    return;
  }
  CMiniFrameWnd::OnTimer(nIDEvent);
}

void CUfxPopupMenu::UpdateAllShadows(LPRECT lprectScreen) {
  for (CUfxPopupMenu* p = m_pActivePopupMenu; p != nullptr; p = p->GetParentPopupMenu()) {
    if (p->GetSafeHwnd() == nullptr || p->m_iShadowSize == 0) continue;
    CRect rectWindow;
    p->GetWindowRect(rectWindow);
    const int nDepth = p->m_iShadowSize;
    const CRect rectRight(rectWindow.left + p->m_FinalSize.cx, rectWindow.top, rectWindow.right, rectWindow.bottom);
    const CRect rectBottom(rectWindow.left, rectWindow.top + p->m_FinalSize.cy, rectWindow.right, rectWindow.bottom);
    CRect rectInter;
    if (lprectScreen != nullptr && !rectInter.IntersectRect(rectRight, lprectScreen) &&
        !rectInter.IntersectRect(rectBottom, lprectScreen))
      continue;
    // The shadow goes, what it covered is drawn again and kept, and the shadow comes back.
    p->m_bmpShadowRight.DeleteObject();
    p->m_bmpShadowBottom.DeleteObject();
    p->SetWindowPos(nullptr, 0, 0, p->m_FinalSize.cx, p->m_FinalSize.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (CWnd* pMain = AfxGetMainWnd()) {
      CRect rectUncovered = rectWindow;
      pMain->ScreenToClient(&rectUncovered);
      pMain->RedrawWindow(rectUncovered, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    }
    p->SaveShadowStrips(rectWindow.TopLeft());
    p->SetWindowPos(nullptr, 0, 0, p->m_FinalSize.cx + nDepth, p->m_FinalSize.cy + nDepth,
                    SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    p->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  }
}

// ---- keys, mouse and areas ---------------------------------------------------------------------

int CUfxPopupMenu::OnMouseActivate(CWnd*, UINT, UINT) { return MA_NOACTIVATE; }

void CUfxPopupMenu::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  CUfxMenuBar* pMenuBar = GetParentMenuBar();
  switch (nChar) {
    case VK_ESCAPE:
      CloseMenu(TRUE);
      return;
    case VK_LEFT:
      if (pMenuBar != nullptr) pMenuBar->PrevMenu();
      else if (GetParentPopupMenu() != nullptr) CloseMenu(FALSE);
      return;
    case VK_RIGHT: {
      CUfxToolbarMenuButton* pItem = DYNAMIC_DOWNCAST(CUfxToolbarMenuButton, GetMenuBar()->GetButton(GetMenuBar()->GetHighlighted()));
      if (pItem != nullptr && pItem->m_nID == (UINT)-1 && !(pItem->m_nStyle & TBBS_DISABLED)) {
        const int iAnimation = CUfxToolBar::GetMenuAnimation();
        CUfxToolBar::SetMenuAnimation(NO_ANIMATION);
        if (!pItem->IsDroppedDown()) pItem->OnClick(GetMenuBar(), FALSE);
        CUfxToolBar::SetMenuAnimation(iAnimation);
        if (pItem->GetPopupMenu() != nullptr) pItem->GetPopupMenu()->SendMessage(WM_KEYDOWN, VK_HOME);
        return;
      }
      if (pMenuBar != nullptr) pMenuBar->NextMenu();
      else if (CUfxPopupMenu* pParent = GetParentPopupMenu()) pParent->SendMessage(WM_KEYDOWN, VK_RIGHT);
      return;
    }
    case VK_DOWN:
      if (!GetMenuBar()->AreAllCommandsShown() && (::GetKeyState(VK_CONTROL) & 0x8000)) {
        ShowAllCommands();
        return;
      }
      break;
    default:
      break;
  }
  if (!GetMenuBar()->HandleMenuKey(nChar)) {
    CMiniFrameWnd::OnKeyDown(nChar, nRepCnt, nFlags);
    return;
  }
  if ((nChar == VK_UP || nChar == VK_DOWN || nChar == VK_HOME || nChar == VK_END) && ::IsWindow(m_hWnd))
    EnsureHighlightedVisible();
}

CUfxPopupMenu::MENUAREA_TYPE CUfxPopupMenu::CheckArea(const CPoint& ptScreen) const {
  if (GetSafeHwnd() == nullptr) return OUTSIDE;
  CRect rectWindow;
  GetWindowRect(rectWindow);
  if (!rectWindow.PtInRect(ptScreen)) return OUTSIDE;
  CPoint pt = ptScreen - rectWindow.TopLeft();
  if (m_iShadowSize > 0) {
    if (pt.x >= m_FinalSize.cx) return SHADOW_RIGHT;
    if (pt.y >= m_FinalSize.cy) return SHADOW_BOTTOM;
  }
  if (!m_rectTearOffCaption.IsRectEmpty() && m_rectTearOffCaption.PtInRect(pt)) return TEAROFF_CAPTION;
  if (m_iLogoWidth > 0) {
    const CRect rectLogo = LogoRect();
    if (rectLogo.PtInRect(pt)) return LOGO;
  }
  return MENU;
}

BOOL CUfxPopupMenu::OnMouseMove(const CPoint& ptScreen) {
  for (const CUfxPopupMenu* p = this; p != nullptr; p = p->GetParentPopupMenu()) {
    if (p->CheckArea(ptScreen) != OUTSIDE) return TRUE;
    // The bar that opened the chain (a menu bar, a toolbar) takes its moves too.
    CUfxToolBar* pBar = p->GetParentToolBar();
    if (pBar == nullptr || pBar->GetSafeHwnd() == nullptr || pBar->IsKindOf(RUNTIME_CLASS(CUfxPopupMenuBar))) continue;
    CRect rectBar;
    pBar->GetWindowRect(rectBar);
    if (rectBar.PtInRect(ptScreen)) return TRUE;
  }
  return FALSE;
}

BOOL CUfxPopupMenu::PostCommand(UINT uiCommandID) {
  if (m_pMessageWnd == nullptr || m_pMessageWnd->GetSafeHwnd() == nullptr) return FALSE;
  return m_pMessageWnd->PostMessage(WM_COMMAND, uiCommandID);
}

// (The public OnMouseMove takes screen points for the frame: this is the window's own message.)
LRESULT CUfxPopupMenu::OnMouseMoveMsg(WPARAM, LPARAM lParam) {
  const CPoint point((short)LOWORD(lParam), (short)HIWORD(lParam));
  if (m_bTearOffTracking && !m_rectTearOffCaption.PtInRect(point)) {
    m_bTearOffTracking = FALSE;
    ::ReleaseCapture();
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    TearOff(ptScreen);
    return 0;
  }
  const int iMode = m_rectScrollUp.PtInRect(point) ? -1 : (m_rectScrollDn.PtInRect(point) ? 1 : 0);
  if (iMode != 0 && iMode != m_iScrollMode) {
    m_iScrollMode = iMode;
    SetTimer(kScrollTimerId, kScrollTimerDuration, nullptr);
    InvalidateRect(iMode < 0 ? m_rectScrollUp : m_rectScrollDn);
  }
  SetTearOffCaptionActive(m_rectTearOffCaption.PtInRect(point));
  return 0;
}

void CUfxPopupMenu::SetTearOffCaptionActive(BOOL bActive) {
  if (bActive == m_bIsTearOffCaptionActive) return;
  m_bIsTearOffCaptionActive = bActive;
  InvalidateRect(m_rectTearOffCaption);
}

BOOL CUfxPopupMenu::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  const NMHDR* pHdr = reinterpret_cast<const NMHDR*>(lParam);
  if (pHdr != nullptr && m_wndToolTip.GetSafeHwnd() != nullptr && pHdr->hwndFrom == m_wndToolTip.GetSafeHwnd() &&
      !m_rectTearOffCaption.IsRectEmpty()) {
    if (pHdr->code == TTN_SHOW) SetTearOffCaptionActive(TRUE);
    else if (pHdr->code == TTN_POP) SetTearOffCaptionActive(FALSE);
  }
  return CMiniFrameWnd::OnNotify(wParam, lParam, pResult);
}

void CUfxPopupMenu::OnLButtonDown(UINT nFlags, CPoint point) {
  if (!m_rectTearOffCaption.IsRectEmpty() && m_rectTearOffCaption.PtInRect(point)) {
    m_bTearOffTracking = TRUE;
    SetCapture();
    return;
  }
  CMiniFrameWnd::OnLButtonDown(nFlags, point);
}

void CUfxPopupMenu::OnLButtonUp(UINT nFlags, CPoint point) {
  if (m_bTearOffTracking) {
    m_bTearOffTracking = FALSE;
    ::ReleaseCapture();
  }
  CMiniFrameWnd::OnLButtonUp(nFlags, point);
}

BOOL CUfxPopupMenu::PreTranslateMessage(MSG* pMsg) {
  if (m_wndToolTip.GetSafeHwnd() != nullptr && pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST)
    m_wndToolTip.RelayEvent(pMsg);
  return CMiniFrameWnd::PreTranslateMessage(pMsg);
}

BOOL CUfxPopupMenu::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (CMiniFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  return m_pMessageWnd != nullptr && m_pMessageWnd->GetSafeHwnd() != nullptr &&
         m_pMessageWnd->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

// ---- items -------------------------------------------------------------------------------------

int CUfxPopupMenu::InsertItem(const CUfxToolbarMenuButton& button, int iInsertAt) {
  CUfxToolbarMenuButton* pItem = static_cast<CUfxToolbarMenuButton*>(button.GetRuntimeClass()->CreateObject());
  if (pItem == nullptr) return -1;
  pItem->CopyFrom(button);
  const int iIndex = GetMenuBar()->InsertButton(pItem, iInsertAt);
  if (iIndex < 0) delete pItem;
  return iIndex;
}

int CUfxPopupMenu::InsertSeparator(int iInsertAt) { return GetMenuBar()->InsertSeparator(iInsertAt); }

void CUfxPopupMenu::RemoveAllItems() { GetMenuBar()->RemoveAllButtons(); }

void CUfxPopupMenu::ShowAllCommands() {
  if (m_pParentBtn == nullptr) return;
  GetMenuBar()->CancelDelayTimer();
  SetForceShowAllMenus(TRUE);
  CUfxMenuSoundPlayer::Play(CUfxMenuSoundPlayer::kPopup);
  ShowWindow(SW_HIDE);
  m_x = m_ptLocationInitial.x;
  m_y = m_ptLocationInitial.y;
  if (m_hMenu != nullptr) GetMenuBar()->ImportFromMenu(m_hMenu, TRUE);
  GetMenuBar()->UpdateCommands(FALSE);
  RecalcLayout();
  ShowWindow(SW_SHOWNOACTIVATE);
  Invalidate();
  GetMenuBar()->Invalidate();
  if (CWnd* pParentBar = m_pParentBtn->GetParentWnd()) {
    CRect rect = m_pParentBtn->Rect();
    pParentBar->InvalidateRect(rect);
  }
}

// ---- tear-off ----------------------------------------------------------------------------------

BOOL CUfxPopupMenu::TearOff(CPoint point) {
  if (m_pParentBtn == nullptr || m_pParentBtn->GetTearOffId() == 0) return FALSE;
  const UINT uiID = m_pParentBtn->GetTearOffId();
  CFrameWnd* pFrame = TopFrameOf(m_pParentBtn->GetParentWnd());
  if (pFrame == nullptr) return FALSE;
  CControlBar* pBar = pFrame->GetControlBar(uiID);
  if (pBar != nullptr) {
    pFrame->FloatControlBar(pBar, point, CBRS_ALIGN_TOP);
    pFrame->ShowControlBar(pBar, TRUE, FALSE);
    CloseMenu(FALSE);
    return TRUE;
  }
  const CString strName = CUfxToolbarButton::StripMnemonics(m_pParentBtn->m_strText);
  pBar = CreateTearOffBar(pFrame, uiID, strName);
  if (pBar == nullptr) return FALSE;
  CUfxFrameWnd* pUfxFrame = DYNAMIC_DOWNCAST(CUfxFrameWnd, pFrame);
  if (pUfxFrame != nullptr && !pUfxFrame->OnTearOffMenu(this, pBar)) {
    pBar->DestroyWindow();
    delete pBar;
    return FALSE;
  }
  if (pUfxFrame != nullptr) pUfxFrame->AddTearOffBar(pBar);
  pBar->OnUpdateCmdUI(pFrame, TRUE);
  pFrame->FloatControlBar(pBar, point, CBRS_ALIGN_TOP);
  // The new bar follows the mouse until it is dropped (the menu closes) or the drag is cancelled
  // (the menu shows again and the bar is gone, also from the frame's list).
  if (CUfxMiniDockFrameWnd* pMiniFrame = DYNAMIC_DOWNCAST(CUfxMiniDockFrameWnd, pBar->GetParentFrame()))
    return pMiniFrame->StartTearOff(this);
  CloseMenu(FALSE);
  return TRUE;
}

CControlBar* CUfxPopupMenu::CreateTearOffBar(CFrameWnd* pWndMain, UINT uiID, LPCWSTR lpszName) {
  if (m_hMenu == nullptr || pWndMain == nullptr) return nullptr;
  CUfxToolBar* pBar = new CUfxToolBar;
  if (!pBar->Create(pWndMain, WS_CHILD | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY, uiID)) {
    delete pBar;
    return nullptr;
  }
  pBar->SetWindowText(lpszName);
  const int nCount = ::GetMenuItemCount(m_hMenu);
  for (int i = 0; i < nCount; ++i) {
    WCHAR szText[1025] = L"";
    ::GetMenuStringW(m_hMenu, i, szText, 1024, MF_BYPOSITION);
    CString strText = szText;
    const UINT uiCmd = ::GetMenuItemID(m_hMenu, i);
    if (uiCmd == 0) {
      if (i != nCount - 1) pBar->InsertSeparator();
    } else if (uiCmd == (UINT)-1) {
      UINT uiTearOff = UfxTearOffManager != nullptr ? UfxTearOffManager->Parse(strText) : 0;
      const int iTab = strText.Find(L'\t');
      if (iTab >= 0) strText = strText.Left(iTab);
      CUfxToolbarMenuButton* pItem = new CUfxToolbarMenuButton((UINT)-1, ::GetSubMenu(m_hMenu, i), -1, strText);
      pItem->SetTearOffId(uiTearOff);
      pItem->m_bText = TRUE;
      if (pBar->InsertButton(pItem) < 0) delete pItem;
    } else if (!UfxIsReservedCommand(uiCmd)) {
      const int iTab = strText.Find(L'\t');
      if (iTab >= 0) strText = strText.Left(iTab);
      CUfxToolbarButton* pItem = new CUfxToolbarButton(uiCmd, -1, strText);
      if (pItem->GetImage() < 0) pItem->m_bText = TRUE;
      if (pBar->InsertButton(pItem) < 0) delete pItem;
    }
  }
  pBar->EnableDocking(CBRS_ALIGN_ANY);
  return pBar;
}

// ---- closing -----------------------------------------------------------------------------------

void CUfxPopupMenu::WriteBackInCustomize() {
  if (!CUfxToolBar::IsCustomizeMode()) return;
  for (CUfxPopupMenu* p = this; p != nullptr; p = p->GetParentPopupMenu()) {
    if (p->m_pParentBtn == nullptr || p->GetMenuBar()->GetSafeHwnd() == nullptr) continue;
    HMENU hMenu = p->GetMenuBar()->ExportToMenu();
    if (hMenu == nullptr) continue;
    p->m_pParentBtn->CreateFromMenu(hMenu);
    ::DestroyMenu(hMenu);
  }
}

void CUfxPopupMenu::CloseMenu(BOOL bSetFocusToBar) {
  if (m_bInCloseMenu || GetSafeHwnd() == nullptr) return;
  m_bInCloseMenu = TRUE;
  WriteBackInCustomize();
  CUfxPopupMenu* pParent = GetParentPopupMenu();
  // The parent popup stays open: it becomes the active one again.
  m_bAutoDestroyParent = FALSE;
  CFrameWnd* pTopFrame = TopFrameOf(m_pParentBtn != nullptr ? m_pParentBtn->GetParentWnd() : GetOwner());
  if (pParent != nullptr) ActivatePopupMenu(pTopFrame, pParent);
  CUfxMenuBar* pMenuBar = GetParentMenuBar();
  if (pMenuBar != nullptr && bSetFocusToBar && pMenuBar->GetSafeHwnd() != nullptr) pMenuBar->SetFocus();
  SendMessage(WM_CLOSE);
}

void CUfxPopupMenu::OnClose() { DestroyWindow(); }

void CUfxPopupMenu::OnActivateApp(BOOL bActive, DWORD dwThreadID) {
  CMiniFrameWnd::OnActivateApp(bActive, dwThreadID);
  if (!bActive && !CUfxToolBar::IsCustomizeMode() && !GetMenuBar()->IsInCommand()) PostMessage(WM_CLOSE);
}

BOOL CUfxPopupMenu::NotifyParentDlg(BOOL bActivate) {
  CUfxDialog* pDialog = DYNAMIC_DOWNCAST(CUfxDialog, m_pMessageWnd);
  if (pDialog == nullptr) return FALSE;
  if (bActivate) pDialog->SetActivePopupMenu(this);
  else if (CUfxDialog::GetActivePopupMenu() == this) pDialog->SetActivePopupMenu(nullptr);
  return TRUE;
}

void CUfxPopupMenu::OnDestroy() {
  KillTimer(kAnimTimerId);
  KillTimer(kScrollTimerId);
  m_bEnded = TRUE;
  m_bInCloseMenu = TRUE;
  CUfxMenuBar* pMenuBar = GetParentMenuBar();
  CUfxPopupMenu* pParent = GetParentPopupMenu();
  if (m_pParentBtn != nullptr) {
    WriteBackInCustomize();
    CUfxToolbarMenuButton* pButton = m_pParentBtn;
    m_pParentBtn = nullptr;
    if (pButton->GetPopupMenu() == this) pButton->ResetPopupLink();
    pButton->m_nStyle &= ~TBBS_PRESSED;
    if (CWnd* pBarWnd = pButton->GetParentWnd()) {
      if (::IsWindow(pBarWnd->GetSafeHwnd())) {
        CRect rect = pButton->Rect();
        rect.InflateRect(2, 2);
        pBarWnd->InvalidateRect(rect);
      }
    }
    if (pMenuBar != nullptr) pMenuBar->OnPopupClosed(pButton);
    if (m_bAutoDestroyParent && !CUfxToolBar::IsCustomizeMode() && pParent != nullptr && !pParent->m_bInCloseMenu)
      pParent->CloseMenu(FALSE);
  }
  if (pParent == nullptr) SetForceShowAllMenus(FALSE);  // the chain's root goes
  NotifyParentDlg(FALSE);
  CFrameWnd* pTopFrame = TopFrameOf(pMenuBar != nullptr ? (CWnd*)pMenuBar : GetOwner());
  if (CUfxPopupMenuHost* pHost = CUfxPopupMenuHost::FromFrame(pTopFrame)) pHost->OnClosePopupMenu(this);
  if (m_pActivePopupMenu == this) m_pActivePopupMenu = pParent;
  if (m_bTrackMode && m_pActivePopupMenu == this) m_pActivePopupMenu = nullptr;
  CMiniFrameWnd::OnDestroy();
}

void CUfxPopupMenu::PostNcDestroy() {
  if (m_pParentBtn != nullptr) {
    CUfxToolbarMenuButton* pButton = m_pParentBtn;
    m_pParentBtn = nullptr;
    if (pButton->GetPopupMenu() == this) pButton->ResetPopupLink();
  }
  delete this;
}
