// CUfxToolBar: the shared state, the window and its creation, the button list, the command lists
// and the window messages that are not input. The other concerns have files of their own.
#include "bars/UfxToolBarShared.h"
#include "bars/UfxToolbarButton.h"
#include "bars/UfxCommandUsage.h"
#include "bars/UfxCustomizeButton.h"
#include "bars/UfxToolbarSystemMenuButton.h"
#include "frames/UfxCommandManager.h"
#include "frames/UfxFrameHelper.h"
#include "frames/UfxFrameWnd.h"
#include "frames/UfxGlobalData.h"
#include "frames/UfxKeyboardManager.h"
#include "bars/UfxPopupMenu.h"
#include "bars/UfxPopupMenuBar.h"
#include "frames/UfxRegistry.h"
#include "bars/UfxTrackMouse.h"
#include "bars/UfxUserTool.h"
#include "frames/UfxUserToolsManager.h"
#include "looks/UfxVisualManager.h"
#include "frames/UfxWorkspace.h"
#include "FwReBar.h"
#include "looks/UfxToolbarCustomize.h"
#include <commctrl.h>

IMPLEMENT_SERIAL(CUfxToolBar, CControlBar, VERSIONABLE_SCHEMA | 1)

const UINT UFXM_TOOLBARMENU = ::RegisterWindowMessageW(L"UFXTOOLBAR_POPUPMENU");
const UINT UFXM_CUSTOMIZETOOLBAR = ::RegisterWindowMessageW(L"UFXTOOLBAR_CUSTOMIZE");
const UINT UFXM_CREATETOOLBAR = ::RegisterWindowMessageW(L"UFXTOOLBAR_CREATE");
const UINT UFXM_DELETETOOLBAR = ::RegisterWindowMessageW(L"UFXTOOLBAR_DELETE");
const UINT UFXM_CUSTOMIZEHELP = ::RegisterWindowMessageW(L"UFXTOOLBAR_CUSTOMIZEHELP");
const UINT UFXM_RESETTOOLBAR = ::RegisterWindowMessageW(L"UFXTOOLBAR_RESETTOOLBAR");
const UINT UFXM_RESETMENU = ::RegisterWindowMessageW(L"UFXTOOLBAR_RESETMENU");
const UINT UFXM_SHOWREGULARMENU = ::RegisterWindowMessageW(L"UFXTOOLBAR_SHOWREGULARMENU");
const UINT UFXM_RESETCONTEXTMENU = ::RegisterWindowMessageW(L"UFXTOOLBAR_RESETCONTEXTMENU");
// The name is spelled so by every peer that listens for it.
const UINT UFXM_RESETKEYBOARD = ::RegisterWindowMessageW(L"UFXTOOLBAR_RESETKEYBAORD");
namespace {
// Posted to a bar of a frame that is still being built: its drop target registers then.
const UINT UFXM_REGISTERDROPTARGET = ::RegisterWindowMessageW(L"UFXTOOLBAR_REGISTERDROPTARGET");
}  // namespace

CObList CUfxToolBar::s_lstAllToolbars;
BOOL CUfxToolBar::s_bCustomizeMode = FALSE;
BOOL CUfxToolBar::s_bLargeIcons = FALSE;
CSize CUfxToolBar::s_sizeButton(23, 22);
CSize CUfxToolBar::s_sizeImage(16, 15);
CSize CUfxToolBar::s_sizeCurButton(23, 22);
CSize CUfxToolBar::s_sizeCurImage(16, 15);
CSize CUfxToolBar::s_sizeMenuImage(-1, -1);
CSize CUfxToolBar::s_sizeMenuButton(-1, -1);
BOOL CUfxToolBar::s_bShowTooltips = TRUE;
BOOL CUfxToolBar::s_bShowShortcutKeys = TRUE;
COLORREF CUfxToolBar::s_clrText = (COLORREF)-1;
int CUfxToolBar::s_iMenuAnimation = 0;
BOOL CUfxToolBar::s_bRecentlyUsedMenus = TRUE;
BOOL CUfxToolBar::s_bMenuShadows = TRUE;
BOOL CUfxToolBar::s_bShowAllMenusAfterDelay = TRUE;
CUfxToolBarImages* CUfxToolBar::s_pUserImages = nullptr;
CUfxToolBarImages CUfxToolBar::s_Images;
CUfxToolBarImages CUfxToolBar::s_ColdImages;
CUfxToolBarImages CUfxToolBar::s_DisabledImages;
CUfxToolBarImages CUfxToolBar::s_LargeImages;
CUfxToolBarImages CUfxToolBar::s_LargeColdImages;
CUfxToolBarImages CUfxToolBar::s_LargeDisabledImages;
CUfxToolBarImages CUfxToolBar::s_MenuImages;
CUfxToolBarImages CUfxToolBar::s_DisabledMenuImages;
CMap<UINT, UINT, int, int> CUfxToolBar::s_DefaultImages(10);
CList<UINT, UINT> CUfxToolBar::s_lstForbiddenCommands;
CList<UINT, UINT> CUfxToolBar::s_lstCoreCommands;
CUfxToolBar* CUfxToolBar::s_pSelToolbar = nullptr;
HHOOK CUfxToolBar::s_hookMouseHelp = nullptr;
CUfxToolBar* CUfxToolBar::s_pLastHookedToolbar = nullptr;
BOOL CUfxToolBar::s_bWrapLabels = TRUE;
int CUfxToolBar::s_nLabelGap = 2;

using namespace ufx_toolbar;

BEGIN_MESSAGE_MAP(CUfxToolBar, CControlBar)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_SIZE()
  ON_WM_SETCURSOR()
  ON_WM_NCCALCSIZE()
  ON_WM_NCHITTEST()
  ON_WM_NCPAINT()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_CONTEXTMENU()
  ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
  ON_REGISTERED_MESSAGE(UFXM_REGISTERDROPTARGET, OnRegisterDropTarget)
  ON_WM_CANCELMODE()
  ON_WM_SYSCOLORCHANGE()
  ON_WM_SETTINGCHANGE()
  ON_WM_SETFOCUS()
  ON_WM_KILLFOCUS()
  ON_WM_ERASEBKGND()
  ON_WM_WINDOWPOSCHANGING()
  ON_WM_WINDOWPOSCHANGED()
  ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
  ON_MESSAGE(TB_BUTTONCOUNT, OnToolbarQuery)
  ON_MESSAGE(TB_GETITEMRECT, OnToolbarQuery)
  ON_MESSAGE(TB_GETBUTTON, OnToolbarQuery)
  ON_MESSAGE(TB_GETBUTTONTEXTW, OnToolbarQuery)
  ON_COMMAND_RANGE(kCustomizeFirst, kCustomizeLast, OnCustomizeCommand)
END_MESSAGE_MAP()

CUfxToolBar::CUfxToolBar() : m_Impl(this), m_AcellKeys(17) {
  m_cyTopBorder = 1;
  m_cyBottomBorder = 1;
  m_rectDrag.SetRectEmpty();
  m_rectTrack.SetRectEmpty();
}

CUfxToolBar::~CUfxToolBar() {
  DeleteButtons(m_Buttons);
  DeleteButtons(m_OrigButtons);
  m_pCustomizeBtn = nullptr;
  // A bar deleted without its window leaves the lists too.
  if (POSITION pos = s_lstAllToolbars.Find(this)) s_lstAllToolbars.RemoveAt(pos);
  if (s_pSelToolbar == this) s_pSelToolbar = nullptr;
  if (s_pLastHookedToolbar == this) s_pLastHookedToolbar = nullptr;
}

void CUfxToolBar::DeleteButtons(CObList& list) {
  while (!list.IsEmpty()) delete list.RemoveHead();
}

// ---- creation -----------------------------------------------------------------------------------

BOOL CUfxToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
  return CreateEx(pParentWnd, TBSTYLE_FLAT, dwStyle, CRect(1, 1, 1, 1), nID);
}

BOOL CUfxToolBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect rcBorders, UINT nID) {
  SetBorders(rcBorders.left < 1 ? 1 : rcBorders.left, rcBorders.top < 1 ? 1 : rcBorders.top, rcBorders.right,
             rcBorders.bottom);
  m_dwStyle = (dwStyle & 0xFFFF) | CBRS_GRIPPER;
  if (nID == AFX_IDW_TOOLBAR) m_dwStyle |= CBRS_HIDE_INPLACE;

  const HINSTANCE hInst = AfxGetInstanceHandle();
  const HCURSOR hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  const HBRUSH hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
  CString strClass;
  strClass.Format(L"UfxToolBar:%llx:%x:%llx:%llx", (unsigned long long)(ULONG_PTR)hInst, (unsigned)CS_DBLCLKS,
                  (unsigned long long)(ULONG_PTR)hCursor, (unsigned long long)(ULONG_PTR)hbrBackground);
  WNDCLASSW wc = {};
  if (!::GetClassInfoW(hInst, strClass, &wc)) {
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = hInst;
    wc.hCursor = hCursor;
    wc.hbrBackground = hbrBackground;
    wc.lpszClassName = strClass;
    if (!AfxRegisterClass(&wc)) AfxThrowResourceException();
  }
  const DWORD dwWindowStyle = dwCtrlStyle | (dwStyle & ~0xFFFFu & ~(DWORD)CBRS_ALL) | 0x4E;
  return CWnd::Create(strClass, nullptr, dwWindowStyle | (dwStyle & WS_VISIBLE) | WS_CHILD, CRect(0, 0, 0, 0),
                      pParentWnd, nID);
}

int CUfxToolBar::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CControlBar::OnCreate(lpCreateStruct) == -1) return -1;
  // Drops are taken only where the thread runs OLE: registration fails quietly elsewhere. Each
  // registration marshals an interface: the bars of a main frame that is not on screen yet
  // register once the message loop runs, when nothing can be dragged onto them before.
  CFrameWnd* pTop = GetTopLevelFrame();
  if (pTop != nullptr && pTop->IsKindOf(RUNTIME_CLASS(CUfxFrameWnd)) && !pTop->IsWindowVisible())
    PostMessage(UFXM_REGISTERDROPTARGET);
  else
    m_DropTarget.Register(this);
  m_penDrag.CreatePen(PS_SOLID, 1, UfxGlobalData.clrBtnText);
  s_lstAllToolbars.AddTail(this);
  return 0;
}

LRESULT CUfxToolBar::OnRegisterDropTarget(WPARAM, LPARAM) {
  if (m_DropTarget.m_hWnd == nullptr) m_DropTarget.Register(this);
  return 0;
}

void CUfxToolBar::OnDestroy() {
  if (m_DropTarget.m_hWnd != nullptr) m_DropTarget.Revoke();
  m_penDrag.DeleteObject();
  if (s_pSelToolbar == this) s_pSelToolbar = nullptr;
  if (s_pLastHookedToolbar == this) s_pLastHookedToolbar = nullptr;
  if (POSITION pos = s_lstAllToolbars.Find(this)) s_lstAllToolbars.RemoveAt(pos);
  CControlBar::OnDestroy();
}

// ---- the button list ------------------------------------------------------------------------------

int CUfxToolBar::InsertButton(CUfxToolbarButton* pButton, int iInsertAt) {
  if (pButton == nullptr || !IsCommandAllowed(pButton->m_nID)) return -1;
  // Nothing ever lands after the customize button.
  const int nLimit = GetButtonCount() - (m_pCustomizeBtn != nullptr ? 1 : 0);
  if (iInsertAt == -1) iInsertAt = nLimit;
  if (iInsertAt < 0 || iInsertAt > nLimit) return -1;
  if (iInsertAt == GetButtonCount()) m_Buttons.AddTail(pButton);
  else m_Buttons.InsertBefore(m_Buttons.FindIndex(iInsertAt), pButton);
  pButton->OnParentChanged(this);
  return iInsertAt;
}

int CUfxToolBar::InsertButtonCopy(const CUfxToolbarButton& button, int iInsertAt) {
  CUfxToolbarButton* pCopy = DYNAMIC_DOWNCAST(CUfxToolbarButton, button.GetRuntimeClass()->CreateObject());
  if (pCopy == nullptr) return -1;
  pCopy->CopyFrom(button);
  const int iIndex = InsertButton(pCopy, iInsertAt);
  if (iIndex < 0) delete pCopy;
  return iIndex;
}

int CUfxToolBar::InsertSeparator(int iInsertAt) {
  if (GetButtonCount() == 0 || iInsertAt == 0) return -1;
  CUfxToolbarButton* pSeparator = NewSeparator();
  const int iIndex = InsertButton(pSeparator, iInsertAt);
  if (iIndex < 0) delete pSeparator;
  return iIndex;
}

void CUfxToolBar::SetCustomizeButton(CCustomizeButton* pButton) {
  if (m_pCustomizeBtn != nullptr) {
    if (POSITION pos = m_Buttons.Find(m_pCustomizeBtn)) m_Buttons.RemoveAt(pos);
    delete m_pCustomizeBtn;
    m_pCustomizeBtn = nullptr;
  }
  if (pButton == nullptr) return;
  m_Buttons.AddTail(pButton);
  pButton->OnParentChanged(this);
  m_pCustomizeBtn = pButton;
}

CCustomizeButton* CUfxToolBar::DetachCustomizeButton() {
  CCustomizeButton* pCustomize = m_pCustomizeBtn;
  if (pCustomize != nullptr) {
    if (POSITION pos = m_Buttons.Find(pCustomize)) m_Buttons.RemoveAt(pos);
    m_pCustomizeBtn = nullptr;
  }
  return pCustomize;
}

BOOL CUfxToolBar::RemoveButton(int iIndex) {
  POSITION pos = iIndex >= 0 ? m_Buttons.FindIndex(iIndex) : nullptr;
  if (pos == nullptr) return FALSE;
  CUfxToolbarButton* pButton = AsButton(m_Buttons.GetAt(pos));
  if (pButton == m_pCustomizeBtn) return FALSE;
  m_Buttons.RemoveAt(pos);
  pButton->OnCancelMode();
  delete pButton;
  AfterButtonRemoved(iIndex);
  RebuildMnemonics();
  return TRUE;
}

void CUfxToolBar::AfterButtonRemoved(int iIndex) {
  for (int* pIndex : {&m_iSelected, &m_iButtonCapture, &m_iHighlighted}) {
    if (*pIndex == iIndex) *pIndex = -1;
    else if (*pIndex > iIndex) (*pIndex)--;
  }
  // Separators left at the end (before the customize button) go.
  for (;;) {
    const int iLast = GetButtonCount() - 1 - (m_pCustomizeBtn != nullptr ? 1 : 0);
    if (iLast < 0 || !IsSeparator(GetButton(iLast))) break;
    RemoveButton(iLast);
  }
  // Of two separators that met, one goes.
  if (iIndex > 0 && iIndex < GetButtonCount() && IsSeparator(GetButton(iIndex)) && IsSeparator(GetButton(iIndex - 1)))
    RemoveButton(iIndex);
}

void CUfxToolBar::RemoveAllButtons() {
  m_iButtonCapture = m_iHighlighted = m_iSelected = -1;
  while (!m_Buttons.IsEmpty()) {
    CUfxToolbarButton* pButton = AsButton(m_Buttons.RemoveHead());
    pButton->OnCancelMode();
    delete pButton;
  }
  m_pCustomizeBtn = nullptr;
  m_AcellKeys.RemoveAll();
}

CUfxToolbarButton* CUfxToolBar::GetButton(int iIndex) const {
  POSITION pos = iIndex >= 0 ? m_Buttons.FindIndex(iIndex) : nullptr;
  return pos != nullptr ? AsButton(m_Buttons.GetAt(pos)) : nullptr;
}

int CUfxToolBar::CommandToIndex(UINT nIDFind, int iIndexFirst) const {
  int i = 0;
  for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr; ++i) {
    const CUfxToolbarButton* pButton = AsButton(m_Buttons.GetNext(pos));
    if (i >= iIndexFirst && pButton->m_nID == nIDFind) return i;
  }
  return -1;
}

int CUfxToolBar::ButtonToIndex(const CUfxToolbarButton* pButton) const {
  int i = 0;
  for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr; ++i)
    if (m_Buttons.GetNext(pos) == pButton) return i;
  return -1;
}

BOOL CUfxToolBar::GetButtonRect(int iIndex, CRect& rect) const {
  const CUfxToolbarButton* pButton = GetButton(iIndex);
  if (pButton == nullptr) {
    rect.SetRectEmpty();
    return FALSE;
  }
  rect = pButton->Rect();
  return TRUE;
}

BOOL CUfxToolBar::GetButtonRepaintRect(int iIndex, CRect& rect) const { return GetButtonRect(iIndex, rect); }

UINT CUfxToolBar::GetButtonStyle(int iIndex) const {
  const CUfxToolbarButton* pButton = GetButton(iIndex);
  return pButton != nullptr ? pButton->m_nStyle : 0;
}

void CUfxToolBar::SetButtonStyle(int iIndex, UINT nStyle) {
  CUfxToolbarButton* pButton = GetButton(iIndex);
  if (pButton == nullptr) return;
  const UINT nOldStyle = pButton->m_nStyle;
  if (nStyle & TBBS_DISABLED) nStyle &= ~TBBS_PRESSED;  // a disabled button is never held down
  if (nOldStyle == nStyle) return;
  pButton->SetStyle(nStyle);
  // A button that stays pressed is repainted by whoever pressed it.
  if ((nOldStyle ^ nStyle) != TBBS_PRESSED && GetSafeHwnd() != nullptr) InvalidateButton(iIndex);
}

CString CUfxToolBar::GetButtonText(int iIndex) const {
  const CUfxToolbarButton* pButton = GetButton(iIndex);
  return pButton != nullptr ? pButton->m_strText : CString();
}

void CUfxToolBar::SetButtonText(int iIndex, LPCWSTR lpszText) {
  if (CUfxToolbarButton* pButton = GetButton(iIndex)) pButton->m_strText = lpszText != nullptr ? lpszText : L"";
}

BOOL CUfxToolBar::SetDefaultButtonText(CUfxToolbarButton* pButton) {
  if (pButton == nullptr || pButton->m_nID == 0 || pButton->m_nID == (UINT)-1) return FALSE;
  CString strMessage;
  if (!strMessage.LoadString(pButton->m_nID)) return FALSE;
  const int iLineFeed = strMessage.Find(L'\n');
  if (iLineFeed < 0) return FALSE;
  CString strText = strMessage.Mid(iLineFeed + 1);
  const int iNext = strText.Find(L'\n');
  if (iNext >= 0) strText = strText.Left(iNext);
  if (strText.IsEmpty()) return FALSE;
  pButton->m_strText = strText;
  return TRUE;
}

void CUfxToolBar::SetButtonTextMode(int iIndex, BOOL bShowText, LPCWSTR lpszText, BOOL bShowImage) {
  CUfxToolbarButton* pButton = GetButton(iIndex);
  if (pButton == nullptr) return;
  pButton->m_bText = bShowText;
  pButton->m_bImage = bShowImage;
  if (!bShowText) return;
  if (lpszText != nullptr) pButton->m_strText = lpszText;
  else SetDefaultButtonText(pButton);
}

CUfxToolbarButton* CUfxToolBar::InvalidateButton(int iIndex) {
  CUfxToolbarButton* pButton = GetButton(iIndex);
  if (pButton == nullptr || GetSafeHwnd() == nullptr) return pButton;
  CRect rect;
  GetButtonRepaintRect(iIndex, rect);
  if (!rect.IsRectEmpty()) {
    rect.InflateRect(10, 10);
    InvalidateRect(rect);
  }
  // A look may paint the customize button out over the border to the window edge.
  if (pButton == m_pCustomizeBtn && !m_pCustomizeBtn->m_rectExtra.IsRectNull()) {
    CRect rectExtra = pButton->Rect();
    const CRect& extra = m_pCustomizeBtn->m_rectExtra;
    rectExtra.InflateRect(extra.left, extra.top, extra.right, extra.bottom);
    RedrawWindow(rectExtra, nullptr, RDW_INVALIDATE | RDW_FRAME);
  }
  return pButton;
}

void CUfxToolBar::EnableTextLabels(BOOL bEnable) {
  if (m_bMenuMode) return;
  m_bTextLabels = bEnable;
  AdjustLayout();
}

CUfxToolbarMenuButton* CUfxToolBar::GetDroppedDownMenu(int* pIndex) const {
  int i = 0;
  for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr; ++i) {
    CUfxToolbarButton* pButton = AsButton(m_Buttons.GetNext(pos));
    if (pButton->IsDroppedDown()) {
      if (pIndex != nullptr) *pIndex = i;
      return DYNAMIC_DOWNCAST(CUfxToolbarMenuButton, pButton);
    }
  }
  if (pIndex != nullptr) *pIndex = -1;
  return nullptr;
}

BOOL CUfxToolBar::SetButtons(const UINT* lpIDArray, int nIDCount, BOOL bRemapImages) {
  // The customize button stays the bar's last button.
  CCustomizeButton* pCustomize = DetachCustomizeButton();
  RemoveAllButtons();
  DeleteButtons(m_OrigButtons);
  if (lpIDArray == nullptr) {
    for (int i = 0; i < nIDCount; ++i) {
      CUfxToolbarButton* pSeparator = NewSeparator();
      if (InsertButton(pSeparator) < 0) delete pSeparator;
    }
  } else {
    int iImage = m_iImagesOffset;
    for (int i = 0; i < nIDCount; ++i) {
      const UINT uiCmd = lpIDArray[i];
      m_OrigButtons.AddTail(new CUfxToolbarButton(uiCmd, -1, nullptr, FALSE, TRUE));
      if (uiCmd == 0) {
        CUfxToolbarButton* pSeparator = NewSeparator();
        if (InsertButton(pSeparator) < 0) delete pSeparator;
        continue;
      }
      int iButtonImage = -1;
      if (bRemapImages) {
        iButtonImage = iImage++;
        if (!m_bLocked) SetDefaultImage(uiCmd, iButtonImage);
      } else if (!GetDefaultImage(uiCmd, iButtonImage)) {
        continue;
      }
      CUfxToolbarButton* pButton = new CUfxToolbarButton(uiCmd, iButtonImage, nullptr, FALSE, m_bLocked);
      if (InsertButton(pButton) < 0) delete pButton;
    }
  }
  SetCustomizeButton(pCustomize);
  if (GetSafeHwnd() != nullptr) {
    AfterResourceButtons();
    CWnd* pTarget = m_pDockSite != nullptr ? (CWnd*)m_pDockSite : GetParent();
    if (pTarget != nullptr) pTarget->SendMessage(UFXM_RESETTOOLBAR, m_uiOriginalResID);
  }
  return TRUE;
}

// ---- command lists ------------------------------------------------------------------------------

void CUfxToolBar::SetNonPermittedCommands(const CList<UINT, UINT>& lstCommands) {
  CopyList(s_lstForbiddenCommands, lstCommands);
}

void CUfxToolBar::AddCoreCommand(UINT uiCmd) {
  if (!IsCoreCommand(uiCmd)) s_lstCoreCommands.AddTail(uiCmd);
}

void CUfxToolBar::SetCoreCommands(const CList<UINT, UINT>& lstCommands) { CopyList(s_lstCoreCommands, lstCommands); }

BOOL CUfxToolBar::IsRarelyUsedCommand(UINT uiCmd) {
  if (s_bCustomizeMode || uiCmd == 0 || uiCmd == (UINT)-1 || UfxIsReservedCommand(uiCmd)) return FALSE;
  if (s_lstCoreCommands.IsEmpty() || IsCoreCommand(uiCmd)) return FALSE;
  return !UfxCommandUsage.IsFrequentlyUsedCommand(uiCmd);
}

BOOL CUfxToolBar::IsUserDefinedToolbar() const {
  CWnd* pMain = AfxGetMainWnd();
  CWnd* pFrame = pMain != nullptr ? pMain : GetTopLevelFrame();
  CUfxFrameWnd* pUfxFrame = DYNAMIC_DOWNCAST(CUfxFrameWnd, pFrame);
  return pUfxFrame != nullptr && pUfxFrame->GetFrameImpl()->IsUserDefinedToolbar(this);
}

// ---- other messages -----------------------------------------------------------------------------

void CUfxToolBar::OnSize(UINT nType, int cx, int cy) {
  CControlBar::OnSize(nType, cx, cy);
  if (s_bCustomizeMode && m_iSelected >= 0) {
    m_iSelected = -1;
    Invalidate();
  }
  LayoutButtons();
  if (!IsFloating()) return;
  CFrameWnd* pFrame = GetParentFrame();
  CMenu* pSysMenu = pFrame != nullptr ? pFrame->GetSystemMenu(FALSE) : nullptr;
  if (pSysMenu == nullptr) return;
  pSysMenu->DeleteMenu(SC_RESTORE, MF_BYCOMMAND);
  pSysMenu->DeleteMenu(SC_MINIMIZE, MF_BYCOMMAND);
  pSysMenu->DeleteMenu(SC_MAXIMIZE, MF_BYCOMMAND);
  if (!IsClosable()) pSysMenu->EnableMenuItem(SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
}

void CUfxToolBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp) { m_Impl.CalcNcSize(&lpncsp->rgrc[0]); }

LRESULT CUfxToolBar::OnNcHitTest(CPoint) { return HTCLIENT; }

void CUfxToolBar::OnNcPaint() { m_Impl.DrawNcArea(); }

BOOL CUfxToolBar::OnEraseBkgnd(CDC*) { return TRUE; }

void CUfxToolBar::OnWindowPosChanging(WINDOWPOS* lpWndPos) {
  CControlBar::OnWindowPosChanging(lpWndPos);
  if (DYNAMIC_DOWNCAST(CReBar, GetParent()) != nullptr) LayoutButtons();
}

void CUfxToolBar::OnWindowPosChanged(WINDOWPOS* lpWndPos) {
  CControlBar::OnWindowPosChanged(lpWndPos);
  // Shown again after a delayed show: a docked bar lays its buttons out anew.
  if ((lpWndPos->flags & SWP_SHOWWINDOW) && !IsFloating()) LayoutButtons();
  // The customization sheet keeps its list of shown bars.
  if ((lpWndPos->flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)) && s_bCustomizeMode && !m_bLocked) {
    const BOOL bShow = (lpWndPos->flags & SWP_SHOWWINDOW) != 0;
    if (!bShow && s_pSelToolbar == this) {
      m_iSelected = -1;
      s_pSelToolbar = nullptr;
    }
    if (s_pCustomizeSheet != nullptr) s_pCustomizeSheet->ShowToolBar(this, bShow);
  }
}

void CUfxToolBar::OnSettingChange(UINT uFlags, LPCWSTR lpszSection) {
  CControlBar::OnSettingChange(uFlags, lpszSection);
  if (uFlags == SPI_SETNONCLIENTMETRICS) {
    UfxGlobalData.UpdateFonts();
    AdjustLayout();
  }
}

void CUfxToolBar::OnSysColorChange() {
  CControlBar::OnSysColorChange();
  UfxGlobalData.UpdateSysColors();
  CUfxVisualManager::GetInstance()->OnUpdateSystemColors();
  ReloadImages();
  Invalidate();
}

HBRUSH CUfxToolBar::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
  if (s_bCustomizeMode && !m_bLocked && pWnd != nullptr) {
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
      CUfxToolbarButton* pButton = AsButton(m_Buttons.GetNext(pos));
      if (pButton->IsOwnerOf(pWnd->GetSafeHwnd())) {
        if (HBRUSH hbr = pButton->OnCtlColor(pDC, nCtlColor)) return hbr;
        break;
      }
    }
  }
  return CControlBar::OnCtlColor(pDC, pWnd, nCtlColor);
}

LRESULT CUfxToolBar::OnHelpHitTest(WPARAM wParam, LPARAM lParam) {
  OnCancelMode();
  const CPoint point((short)LOWORD(lParam), (short)HIWORD(lParam));
  CUfxToolbarButton* pButton = GetButton(HitTest(point));
  if (pButton == nullptr) {
    ::MessageBeep((UINT)-1);
    return -1;
  }
  if (pButton->DropDownMenu(this)) return -1;
  const LRESULT lResult = CControlBar::OnHelpHitTest(wParam, lParam);
  if (lResult > 0) SetHelpModeHook(FALSE);
  return lResult;
}

LRESULT CUfxToolBar::OnToolbarQuery(WPARAM wParam, LPARAM lParam) {
  const MSG* pMsg = GetCurrentMessage();
  switch (pMsg->message) {
    case TB_BUTTONCOUNT:
      return GetButtonCount();
    case TB_GETITEMRECT: {
      CRect rect;
      if (lParam == 0 || !GetButtonRect((int)wParam, rect)) return FALSE;
      *reinterpret_cast<RECT*>(lParam) = rect;
      return TRUE;
    }
    case TB_GETBUTTON: {
      const CUfxToolbarButton* pButton = GetButton((int)wParam);
      if (pButton == nullptr || lParam == 0) return FALSE;
      TBBUTTON* pInfo = reinterpret_cast<TBBUTTON*>(lParam);
      memset(pInfo, 0, sizeof(*pInfo));
      pInfo->iBitmap = pButton->GetImage();
      pInfo->idCommand = (int)pButton->m_nID;
      pInfo->fsState = (BYTE)HIWORD(pButton->m_nStyle);
      pInfo->fsStyle = (BYTE)LOWORD(pButton->m_nStyle);
      return TRUE;
    }
    case TB_GETBUTTONTEXTW: {
      const int iIndex = CommandToIndex((UINT)wParam);
      if (iIndex < 0) return -1;
      const CString strText = GetButtonText(iIndex);
      // Without a buffer the caller asks for the length.
      if (lParam != 0) wcscpy(reinterpret_cast<LPWSTR>(lParam), strText);
      return strText.GetLength();
    }
  }
  return 0;
}
