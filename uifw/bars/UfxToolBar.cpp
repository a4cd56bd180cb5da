#include "UfxToolBar.h"
#include "UfxToolbarButton.h"
#include "UfxCommandUsage.h"
#include "UfxCustomizeButton.h"
#include "UfxToolbarSystemMenuButton.h"
#include "UfxCommandManager.h"
#include "UfxFrameHelper.h"
#include "UfxFrameWnd.h"
#include "UfxGlobalData.h"
#include "UfxKeyboardManager.h"
#include "UfxPopupMenu.h"
#include "UfxPopupMenuBar.h"
#include "UfxRegistry.h"
#include "UfxTrackMouse.h"
#include "UfxUserTool.h"
#include "UfxUserToolsManager.h"
#include "UfxVisualManager.h"
#include "UfxWorkspace.h"
#include "FwReBar.h"
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

namespace {
const UINT kMaxLength = 32767;
const UINT kCustomizeFirst = 16910;
const UINT kCustomizeLast = 16918;

void CopyList(CList<UINT, UINT>& dest, const CList<UINT, UINT>& src) {
  dest.RemoveAll();
  for (POSITION pos = src.GetHeadPosition(); pos != nullptr;) dest.AddTail(src.GetNext(pos));
}

CSize Doubled(CSize size, BOOL bDouble) { return bDouble ? CSize(size.cx * 2, size.cy * 2) : size; }

CUfxToolbarButton* AsButton(CObject* pObject) { return static_cast<CUfxToolbarButton*>(pObject); }

BOOL IsSeparator(CObject* pObject) { return (AsButton(pObject)->m_nStyle & TBBS_SEPARATOR) != 0; }

CUfxToolbarButton* NewSeparator() {
  CUfxToolbarButton* pSeparator = new CUfxToolbarButton;
  pSeparator->m_nStyle = TBBS_SEPARATOR;
  return pSeparator;
}

// The bar's font selected into a DC for the life of the object.
class CBarFontSelector {
public:
  CBarFontSelector(CDC& dc, BOOL bHorz) : m_dc(dc) {
    CFont& font = bHorz ? UfxGlobalData.fontRegular : UfxGlobalData.fontVert;
    m_hOld = font.GetSafeHandle() != nullptr ? ::SelectObject(dc.GetSafeHdc(), font.GetSafeHandle()) : nullptr;
  }
  ~CBarFontSelector() {
    if (m_hOld != nullptr) ::SelectObject(m_dc.GetSafeHdc(), m_hOld);
  }
private:
  CDC& m_dc;
  HGDIOBJ m_hOld;
};

// The paint buffer: one memory DC and bitmap shared by all bars of the thread, grown as needed.
// Making them anew for every paint costs more than drawing a few buttons.
struct PaintBuffer {
  CDC dc;
  CBitmap bitmap;
  CBitmap* pOldBitmap = nullptr;
  CSize size{0, 0};

  CDC* Get(CDC* pDCPaint, CSize sizeNeeded) {
    if (dc.GetSafeHdc() == nullptr && !dc.CreateCompatibleDC(pDCPaint)) return nullptr;
    if (sizeNeeded.cx > size.cx || sizeNeeded.cy > size.cy) {
      if (pOldBitmap != nullptr) dc.SelectObject(pOldBitmap);
      bitmap.DeleteObject();
      const CSize sizeNew(sizeNeeded.cx > size.cx ? sizeNeeded.cx : size.cx,
                          sizeNeeded.cy > size.cy ? sizeNeeded.cy : size.cy);
      if (!bitmap.CreateCompatibleBitmap(pDCPaint, sizeNew.cx, sizeNew.cy)) {
        size = CSize(0, 0);
        pOldBitmap = nullptr;
        return nullptr;
      }
      size = sizeNew;
      pOldBitmap = dc.SelectObject(&bitmap);
    }
    return &dc;
  }
  void Free() {
    if (pOldBitmap != nullptr) dc.SelectObject(pOldBitmap);
    pOldBitmap = nullptr;
    bitmap.DeleteObject();
    dc.DeleteDC();
    size = CSize(0, 0);
  }
};
PaintBuffer& ThePaintBuffer() {
  static PaintBuffer buffer;
  return buffer;
}

// The toolbar resource: version 1, image width, image height, count, then the ids, all 16-bit.
struct ToolbarResource {
  CSize sizeImage;
  CArray<UINT, UINT> ids;
};

BOOL ReadToolbarResource(UINT uiResID, ToolbarResource& res) {
  const HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCEW(uiResID), RT_TOOLBAR);
  HRSRC hRsrc = ::FindResourceW(hInst, MAKEINTRESOURCEW(uiResID), RT_TOOLBAR);
  if (hRsrc == nullptr) return FALSE;
  const DWORD cbSize = ::SizeofResource(hInst, hRsrc);
  HGLOBAL hGlobal = ::LoadResource(hInst, hRsrc);
  const WORD* pWords = hGlobal != nullptr ? static_cast<const WORD*>(::LockResource(hGlobal)) : nullptr;
  if (pWords == nullptr || cbSize < 8 || pWords[0] != 1) return FALSE;
  const WORD nCount = pWords[3];
  // The ids must all be there: a short resource is refused, never read past its end.
  if (cbSize < 8u + 2u * nCount) return FALSE;
  res.sizeImage = CSize(pWords[1], pWords[2]);
  res.ids.SetSize(nCount);
  for (int i = 0; i < nCount; ++i) res.ids[i] = pWords[4 + i];
  return TRUE;
}
}  // namespace

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
  // Drops are taken only where the thread runs OLE: registration fails quietly elsewhere.
  m_DropTarget.Register(this);
  m_penDrag.CreatePen(PS_SOLID, 1, UfxGlobalData.clrBtnText);
  s_lstAllToolbars.AddTail(this);
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
  CCustomizeButton* pCustomize = m_pCustomizeBtn;
  if (pCustomize != nullptr) {
    if (POSITION pos = m_Buttons.Find(pCustomize)) m_Buttons.RemoveAt(pos);
    m_pCustomizeBtn = nullptr;
  }
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
  if (pCustomize != nullptr) {
    CUfxToolbarButton* pButton = pCustomize;
    m_Buttons.AddTail(pButton);
    pButton->OnParentChanged(this);
    m_pCustomizeBtn = pCustomize;
  }
  if (GetSafeHwnd() != nullptr) {
    AfterResourceButtons();
    CWnd* pTarget = m_pDockSite != nullptr ? (CWnd*)m_pDockSite : GetParent();
    if (pTarget != nullptr) pTarget->SendMessage(UFXM_RESETTOOLBAR, m_uiOriginalResID);
  }
  return TRUE;
}

// ---- loading from resources -----------------------------------------------------------------------

BOOL CUfxToolBar::LoadToolBarImages(UINT uiResID, UINT uiColdResID, UINT uiDisabledResID, UINT uiLargeResID,
                                    UINT uiLargeColdResID, UINT uiLargeDisabledResID, UINT uiMenuResID,
                                    UINT uiMenuDisabledResID, BOOL bLocked) {
  CUfxToolBarParams params;
  params.m_uiImagesResID = uiResID;
  params.m_uiColdResID = uiColdResID;
  params.m_uiDisabledResID = uiDisabledResID;
  params.m_uiLargeResID = uiLargeResID;
  params.m_uiLargeColdResID = uiLargeColdResID;
  params.m_uiLargeDisabledResID = uiLargeDisabledResID;
  params.m_uiMenuResID = uiMenuResID;
  params.m_uiMenuDisabledResID = uiMenuDisabledResID;
  return LoadImageSet(params, bLocked);
}

BOOL CUfxToolBar::LoadToolBarResource(UINT uiToolbarResID, UINT uiResID, UINT uiColdResID, UINT uiDisabledResID,
                                      UINT uiLargeResID, UINT uiLargeColdResID, UINT uiLargeDisabledResID,
                                      UINT uiMenuResID, UINT uiMenuDisabledResID, BOOL bLocked) {
  CUfxToolBarParams params;
  params.m_uiImagesResID = uiResID;
  params.m_uiColdResID = uiColdResID;
  params.m_uiDisabledResID = uiDisabledResID;
  params.m_uiLargeResID = uiLargeResID;
  params.m_uiLargeColdResID = uiLargeColdResID;
  params.m_uiLargeDisabledResID = uiLargeDisabledResID;
  params.m_uiMenuResID = uiMenuResID;
  params.m_uiMenuDisabledResID = uiMenuDisabledResID;
  return LoadResourceSet(uiToolbarResID, params, bLocked);
}

BOOL CUfxToolBar::LoadImageSet(const CUfxToolBarParams& params, BOOL bLocked) {
  m_bLocked = bLocked;
  const UINT ids[] = {params.m_uiImagesResID,   params.m_uiColdResID,         params.m_uiDisabledResID,
                      params.m_uiLargeResID,    params.m_uiLargeColdResID,    params.m_uiLargeDisabledResID,
                      params.m_uiMenuResID,     params.m_uiMenuDisabledResID};
  const StripSet strips = m_bLocked ? LockedStrips() : SharedStrips();
  // A locked bar's strips become the resources; the shared strips take each resource once, and
  // this bar's images start where its resource's first image lies.
  for (size_t i = 0; i < strips.size(); ++i) {
    if (ids[i] == 0 && i != 0) continue;
    if (!strips[i]->Load(ids[i], nullptr, !m_bLocked)) return FALSE;
  }
  if (!m_bLocked) m_iImagesOffset = s_Images.GetResourceOffset(params.m_uiImagesResID);
  return TRUE;
}

BOOL CUfxToolBar::LoadResourceSet(UINT uiResID, const CUfxToolBarParams& paramsIn, BOOL bLocked) {
  ToolbarResource res;
  if (!ReadToolbarResource(uiResID, res)) return FALSE;
  m_bLocked = bLocked;
  const CSize sizeButton(res.sizeImage.cx + 6, res.sizeImage.cy + 6);
  if (m_bLocked) SetLockedSizes(sizeButton, res.sizeImage);
  else SetSizes(sizeButton, res.sizeImage);

  CUfxToolBarParams params = paramsIn;
  if (params.m_uiImagesResID == 0) params.m_uiImagesResID = uiResID;
  if (m_uiOriginalResID == 0 && !LoadImageSet(params, bLocked)) return FALSE;

  if (!m_bLocked) {
    int iImage = m_iImagesOffset;
    for (int i = 0; i < res.ids.GetSize(); ++i)
      if (res.ids[i] != 0) SetDefaultImage(res.ids[i], iImage++);
  }
  m_uiOriginalResID = uiResID;
  if (!SetButtons(res.ids.GetData(), (int)res.ids.GetSize(), TRUE)) {
    m_uiOriginalResID = 0;
    return FALSE;
  }
  return TRUE;
}

BOOL CUfxToolBar::LoadToolbarImagesOnly(UINT uiToolbarResID, UINT uiResID, UINT uiColdResID, UINT uiMenuResID,
                                        UINT uiDisabledResID, UINT uiMenuDisabledResID) {
  CUfxToolBar bar;
  return bar.LoadToolBarResource(uiToolbarResID, uiResID, uiColdResID, uiDisabledResID, 0, 0, 0, uiMenuResID,
                                 uiMenuDisabledResID);
}

void CUfxToolBar::ResetAllImages() {
  for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) AsButton(m_Buttons.GetNext(pos))->ResetImageToDefault();
  if (GetSafeHwnd() != nullptr && IsFloating()) AdjustLayout();
}

BOOL CUfxToolBar::RestoreResourceButtons() {
  if (m_uiOriginalResID == 0) return FALSE;
  ToolbarResource res;
  if (!ReadToolbarResource(m_uiOriginalResID, res)) return FALSE;
  // The images are in the strips already; only the buttons are built again.
  return SetButtons(res.ids.GetData(), (int)res.ids.GetSize(), TRUE);
}

void CUfxToolBar::FreeStaticImages() {
  for (CUfxToolBarImages* pImages : SharedStrips()) pImages->Clear();
  s_DefaultImages.RemoveAll();
  UfxCommandUsage.Reset();
  ThePaintBuffer().Free();
  CUfxToolBarImages::CleanUp();
}

CUfxToolBar::StripSet CUfxToolBar::SharedStrips() {
  return {&s_Images,      &s_ColdImages,          &s_DisabledImages, &s_LargeImages,
          &s_LargeColdImages, &s_LargeDisabledImages, &s_MenuImages,     &s_DisabledMenuImages};
}

CUfxToolBar::StripSet CUfxToolBar::LockedStrips() {
  return {&m_ImagesLocked,      &m_ColdImagesLocked,          &m_DisabledImagesLocked,
          &m_LargeImagesLocked, &m_LargeColdImagesLocked,     &m_LargeDisabledImagesLocked,
          &m_MenuImagesLocked,  &m_DisabledMenuImagesLocked};
}

void CUfxToolBar::SizeStrips(const StripSet& strips, CSize sizeImage) {
  // Roles 3 to 5 are the large strips.
  for (size_t i = 0; i < strips.size(); ++i) strips[i]->SetImageSize(Doubled(sizeImage, i >= 3 && i <= 5));
}

void CUfxToolBar::ReloadImages() {
  for (CUfxToolBarImages* pImages : SharedStrips()) pImages->Reload();
  for (CUfxToolBarImages* pImages : LockedStrips()) pImages->Reload();
  if (s_pUserImages != nullptr) s_pUserImages->Reload();
}

// ---- sizes ----------------------------------------------------------------------------------------

void CUfxToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage) {
  s_sizeButton = sizeButton;
  s_sizeImage = sizeImage;
  s_sizeCurButton = Doubled(sizeButton, s_bLargeIcons);
  s_sizeCurImage = Doubled(sizeImage, s_bLargeIcons);
  SizeStrips(SharedStrips(), sizeImage);
}

void CUfxToolBar::SetMenuSizes(SIZE sizeButton, SIZE sizeImage) {
  s_sizeMenuButton = sizeButton;
  s_sizeMenuImage = sizeImage;
}

void CUfxToolBar::SetLockedSizes(SIZE sizeButton, SIZE sizeImage) {
  m_sizeLockedButton = sizeButton;
  m_sizeLockedImage = sizeImage;
  m_sizeCurLockedButton = Doubled(sizeButton, s_bLargeIcons && m_bLargeIconsAreEnabled);
  m_sizeCurLockedImage = Doubled(sizeImage, s_bLargeIcons && m_bLargeIconsAreEnabled);
  SizeStrips(LockedStrips(), sizeImage);
}

void CUfxToolBar::SetLargeIcons(BOOL bLargeIcons) {
  s_bLargeIcons = bLargeIcons;
  UfxGlobalData.m_bLargeIcons = bLargeIcons;
  s_sizeCurButton = Doubled(s_sizeButton, s_bLargeIcons);
  s_sizeCurImage = Doubled(s_sizeImage, s_bLargeIcons);
  for (POSITION pos = s_lstAllToolbars.GetHeadPosition(); pos != nullptr;) {
    CUfxToolBar* pBar = static_cast<CUfxToolBar*>(s_lstAllToolbars.GetNext(pos));
    if (pBar->m_bLocked && pBar->m_bLargeIconsAreEnabled) {
      pBar->m_sizeCurLockedButton = Doubled(pBar->m_sizeLockedButton, s_bLargeIcons);
      pBar->m_sizeCurLockedImage = Doubled(pBar->m_sizeLockedImage, s_bLargeIcons);
    }
  }
  for (POSITION pos = s_lstAllToolbars.GetHeadPosition(); pos != nullptr;) {
    CUfxToolBar* pBar = static_cast<CUfxToolBar*>(s_lstAllToolbars.GetNext(pos));
    if (pBar->GetSafeHwnd() != nullptr) pBar->AdjustLayout();
  }
}

CSize CUfxToolBar::GetButtonSize() const {
  const BOOL bLarge = m_bLargeIconsAreEnabled;
  CSize size = m_bLocked ? (bLarge ? m_sizeCurLockedButton : m_sizeLockedButton) : (bLarge ? s_sizeCurButton : s_sizeButton);
  if (UsesExtraButtonBorder()) size += CUfxVisualManager::GetInstance()->GetButtonExtraBorder();
  return size;
}

CSize CUfxToolBar::GetImageSize() const {
  const BOOL bLarge = m_bLargeIconsAreEnabled;
  return m_bLocked ? (bLarge ? m_sizeCurLockedImage : m_sizeLockedImage) : (bLarge ? s_sizeCurImage : s_sizeImage);
}

CSize CUfxToolBar::GetMenuImageSize() { return s_sizeMenuImage.cx == -1 ? s_sizeCurImage : s_sizeMenuImage; }

CSize CUfxToolBar::GetMenuButtonSize() { return s_sizeMenuButton.cx == -1 ? s_sizeButton : s_sizeMenuButton; }

COLORREF CUfxToolBar::GetTextColor() { return s_clrText == (COLORREF)-1 ? UfxGlobalData.clrBtnText : s_clrText; }

int CUfxToolBar::GetCommandButtons(UINT uiCmd, CObList& listButtons) {
  listButtons.RemoveAll();
  if (uiCmd == 0) return 0;
  for (POSITION pos = s_lstAllToolbars.GetHeadPosition(); pos != nullptr;) {
    const CUfxToolBar* pBar = static_cast<CUfxToolBar*>(s_lstAllToolbars.GetNext(pos));
    for (POSITION posButton = pBar->m_Buttons.GetHeadPosition(); posButton != nullptr;) {
      CObject* pButton = pBar->m_Buttons.GetNext(posButton);
      if (AsButton(pButton)->m_nID == uiCmd) listButtons.AddTail(pButton);
    }
  }
  return (int)listButtons.GetCount();
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

// ---- layout ---------------------------------------------------------------------------------------

int CUfxToolBar::RowHeight() const {
  if (m_bDrawTextLabels) return m_nMaxBtnHeight;
  const int nButton = m_bMenuMode ? GetMenuButtonSize().cy : GetButtonSize().cy;
  const BOOL bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
  const int nFont = bHorz ? UfxGlobalData.m_nTextHeightHorz : UfxGlobalData.m_nTextHeightVert;
  return nButton > nFont ? nButton : nFont;
}

int CUfxToolBar::ColumnWidth() const { return m_bMenuMode ? GetMenuButtonSize().cx : GetButtonSize().cx; }

int CUfxToolBar::TallestLabelHeight() {
  m_bDrawTextLabels = FALSE;
  m_nMaxBtnHeight = 0;
  if (!m_bTextLabels || !(m_dwStyle & CBRS_ORIENT_HORZ) || GetSafeHwnd() == nullptr) return 0;
  CClientDC dc(this);
  CBarFontSelector font(dc, TRUE);
  const CSize sizeDefault(ColumnWidth(), RowHeight());
  int nMax = 0;
  for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
    CUfxToolbarButton* pButton = AsButton(m_Buttons.GetNext(pos));
    if ((pButton->m_nStyle & TBBS_SEPARATOR) || !pButton->m_bTextBelow) continue;
    if (pButton->m_strText.IsEmpty()) SetDefaultButtonText(pButton);
    const CSize size = pButton->OnCalculateSize(&dc, sizeDefault, TRUE);
    if (size.cy > nMax) nMax = size.cy;
  }
  if (nMax > GetButtonSize().cy) {
    m_bDrawTextLabels = TRUE;
    m_nMaxBtnHeight = nMax;
  }
  return nMax;
}

void CUfxToolBar::AdjustLayout() {
  if (GetSafeHwnd() == nullptr) return;
  const BOOL bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
  for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
    CUfxToolbarButton* pButton = AsButton(m_Buttons.GetNext(pos));
    if (!(pButton->m_nStyle & TBBS_SEPARATOR)) pButton->m_bTextBelow = m_bTextLabels && bHorz;
  }
  TallestLabelHeight();
  if (DYNAMIC_DOWNCAST(CReBar, GetParent()) != nullptr) {
    UpdateRebarBand();
  } else if (CFrameWnd* pFrame = GetParentFrame()) {
    // A hidden bar takes no room: the frame's layout does not change with it.
    if (IsWindowVisible()) pFrame->RecalcLayout();
  }
  LayoutButtons();
  RedrawWindow(nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void CUfxToolBar::UpdateRebarBand() {
  CWnd* pRebar = GetParent();
  const BOOL bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
  const int nBands = (int)pRebar->SendMessage(RB_GETBANDCOUNT);
  for (int i = 0; i < nBands; ++i) {
    REBARBANDINFOW rbbi = {};
    rbbi.cbSize = sizeof(rbbi);
    rbbi.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_IDEALSIZE;
    if (!pRebar->SendMessage(RB_GETBANDINFOW, i, (LPARAM)&rbbi) || rbbi.hwndChild != m_hWnd) continue;
    const CSize size = CalcFixedLayout(FALSE, bHorz);
    CRect rectInside(0, 0, 0, 0);
    CalcInsideRect(rectInside, bHorz);
    const UINT nRow = (UINT)(RowHeight() - rectInside.Height());
    rbbi.fMask = RBBIM_CHILDSIZE | RBBIM_IDEALSIZE;
    rbbi.cxMinChild = (UINT)size.cx > rbbi.cxMinChild ? (UINT)size.cx : rbbi.cxMinChild;
    rbbi.cyMinChild = (UINT)size.cy > nRow ? (UINT)size.cy : nRow;
    rbbi.cxIdeal = (UINT)size.cx;
    pRebar->SendMessage(RB_SETBANDINFOW, i, (LPARAM)&rbbi);
    break;
  }
}

int CUfxToolBar::WrapButtons(int nWidth, int nHeight) {
  const BOOL bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
  CClientDC dc(GetSafeHwnd() != nullptr ? this : nullptr);
  CBarFontSelector font(dc, bHorz);
  const CSize sizeDefault(ColumnWidth(), RowHeight());
  CUfxToolbarButton* pCustomize = m_pCustomizeBtn;
  if (pCustomize != nullptr && bHorz && !IsFloating()) nWidth -= pCustomize->OnCalculateSize(&dc, sizeDefault, bHorz).cx;

  int nRows = 1;
  int x = 0;
  int y = 0;
  int nPrevHeight = 0;
  CUfxToolbarButton* pPrev = nullptr;
  for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
    CUfxToolbarButton* pButton = AsButton(m_Buttons.GetNext(pos));
    pButton->m_bWrap = FALSE;
    if (pButton == pCustomize) continue;
    const BOOL bSeparator = (pButton->m_nStyle & TBBS_SEPARATOR) != 0;
    CSize size = pButton->OnCalculateSize(&dc, sizeDefault, bHorz);
    if (bSeparator && x == 0) size.cx = 0;
    if (pPrev != nullptr && x + size.cx > nWidth && !bSeparator &&
        y + nPrevHeight + kRowGap + size.cy <= nHeight) {
      pPrev->m_bWrap = TRUE;
      y += nPrevHeight + kRowGap;
      x = 0;
      ++nRows;
    }
    x += size.cx;
    nPrevHeight = size.cy;
    pPrev = pButton;
  }
  return nRows;
}

void CUfxToolBar::SizeToolBar(int nLength, BOOL bVert) {
  if (bVert) {
    // The length is a height: one row when that fits, else the narrowest width that does.
    WrapButtons((int)kMaxLength);
    if (ComputeButtonsSize(FALSE).cy < nLength) {
      const int nStep = ColumnWidth() > 0 ? ColumnWidth() : 1;
      int nWidth = 0;
      for (;; nWidth += nStep) {
        WrapButtons(nWidth);
        if (ComputeButtonsSize(FALSE).cy <= nLength || nWidth >= (int)kMaxLength) break;
      }
      WrapButtons(nWidth);
    }
    return;
  }
  const int nTarget = WrapButtons(nLength);
  int nWidth = nLength;
  if (WrapButtons(0) != nTarget) {
    int nLow = 0;
    int nHigh = nLength;
    for (;;) {
      const int nMid = (nLow + nHigh) / 2;
      if (nLow == nMid) {
        nWidth = nHigh;
        break;
      }
      if (WrapButtons(nMid) == nTarget) nHigh = nMid;
      else nLow = nMid;
    }
  }
  WrapButtons(nWidth);
}

CSize CUfxToolBar::ComputeButtonsSize(BOOL bVertical) {
  if (m_Buttons.IsEmpty()) return CControlBar::CalcFixedLayout(FALSE, !bVertical);
  CClientDC dc(GetSafeHwnd() != nullptr ? this : nullptr);
  CBarFontSelector font(dc, !bVertical);
  const CSize sizeDefault(ColumnWidth(), RowHeight());
  CSize sizeResult(0, 0);
  int x = 0;
  int y = 0;
  for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
    CUfxToolbarButton* pButton = AsButton(m_Buttons.GetNext(pos));
    CSize size = pButton->OnCalculateSize(&dc, sizeDefault, !bVertical);
    if (bVertical) {
      if ((pButton->m_nStyle & TBBS_SEPARATOR) && y == 0) size.cy = 0;
      if (size.cx < ColumnWidth()) size.cx = ColumnWidth();
      if (size.cx > sizeResult.cx) sizeResult.cx = size.cx;
      y += size.cy;
      sizeResult.cy = y;
      continue;
    }
    if ((pButton->m_nStyle & TBBS_SEPARATOR) && x == 0) size.cx = 0;
    x += size.cx;
    if (x > sizeResult.cx) sizeResult.cx = x;
    if (y + size.cy > sizeResult.cy) sizeResult.cy = y + size.cy;
    if (pButton->m_bWrap) {
      x = 0;
      y += RowHeight() + kRowGap;
    }
  }
  return sizeResult;
}

CSize CUfxToolBar::ComputeBarLayout(DWORD dwMode, int nLength) {
  const BOOL bHorz = (dwMode & LM_HORZ) != 0;
  TallestLabelHeight();
  if (!(m_dwStyle & CBRS_SIZE_FIXED)) {
    CRect rectInside(0, 0, 0, 0);
    CalcInsideRect(rectInside, bHorz);
    int nWrap;
    BOOL bHeight = FALSE;
    if (!(m_dwStyle & CBRS_SIZE_DYNAMIC)) nWrap = bHorz ? (int)kMaxLength : 0;
    else if (dwMode & LM_MRUWIDTH) nWrap = (int)m_nMRUWidth;
    else if (dwMode & LM_HORZDOCK) nWrap = (int)kMaxLength;
    else if (dwMode & LM_VERTDOCK) nWrap = 0;
    else if (nLength != -1) {
      // The inside rectangle of an empty one is as large as the borders, negative.
      bHeight = (dwMode & LM_LENGTHY) != 0;
      nWrap = nLength + (bHeight ? rectInside.Height() : rectInside.Width());
    } else if (IsFloating()) nWrap = (int)m_nMRUWidth;
    else nWrap = bHorz ? (int)kMaxLength : 0;
    SizeToolBar(nWrap, bHeight);
  }
  CSize size = ComputeButtonsSize(!bHorz);
  if ((dwMode & LM_COMMIT) && IsFloating() && (m_dwStyle & CBRS_SIZE_DYNAMIC) && bHorz) m_nMRUWidth = (UINT)size.cx;
  CRect rectInside(0, 0, 0, 0);
  CalcInsideRect(rectInside, bHorz);
  size.cx -= rectInside.Width();
  size.cy -= rectInside.Height();
  const CSize sizeFixed = CControlBar::CalcFixedLayout((dwMode & LM_STRETCH) != 0, bHorz);
  if (sizeFixed.cx > size.cx) size.cx = sizeFixed.cx;
  if (sizeFixed.cy > size.cy) size.cy = sizeFixed.cy;
  RebuildMnemonics();
  return size;
}

CSize CUfxToolBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  return ComputeBarLayout((bStretch ? LM_STRETCH : 0) | (bHorz ? LM_HORZ : 0), -1);
}

CSize CUfxToolBar::CalcDynamicLayout(int nLength, DWORD dwMode) {
  if (nLength == -1 && !(dwMode & (LM_MRUWIDTH | LM_COMMIT)) && (dwMode & (LM_HORZDOCK | LM_VERTDOCK)))
    return CalcFixedLayout((dwMode & LM_STRETCH) != 0, (dwMode & LM_HORZDOCK) != 0);
  return ComputeBarLayout(dwMode, nLength);
}

void CUfxToolBar::LayoutButtons() {
  if (GetSafeHwnd() == nullptr) return;
  CRect rectClient;
  GetClientRect(rectClient);
  const BOOL bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
  const BOOL bFloating = IsFloating();
  CClientDC dc(this);
  CBarFontSelector font(dc, bHorz);
  const CSize sizeDefault(ColumnWidth(), RowHeight());
  const int nRowHeight = RowHeight();

  CCustomizeButton* pCustomize = m_pCustomizeBtn;
  const BOOL bHideBehindCustomize = pCustomize != nullptr && !bFloating && !s_bCustomizeMode;
  CSize sizeCustomize(0, 0);
  if (pCustomize != nullptr) pCustomize->GetInvisibleButtons().RemoveAll();
  if (bHideBehindCustomize) sizeCustomize = pCustomize->OnCalculateSize(&dc, sizeDefault, bHorz);
  const BOOL bCustomizeCommand = pCustomize != nullptr && pCustomize->GetCustomizeCmdId() > 0;
  CObList lstHidden;
  int iLastReal = -1;
  {
    int i = 0;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr; ++i)
      if (m_Buttons.GetNext(pos) != pCustomize) iLastReal = i;
  }

  const int xStart = bHorz ? rectClient.left + 1 : rectClient.left;
  const int yStart = bHorz ? rectClient.top : rectClient.top + 1;
  const BOOL bCentreRows = bFloating && m_bTextLabels && bHorz;
  int x = xStart;
  int y = yStart;
  BOOL bPrevSeparator = FALSE;
  int i = 0;
  POSITION posRowStart = m_Buttons.GetHeadPosition();
  for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr; ++i) {
    CUfxToolbarButton* pButton = AsButton(m_Buttons.GetNext(pos));
    if (pButton == pCustomize) continue;
    const BOOL bSeparator = (pButton->m_nStyle & TBBS_SEPARATOR) != 0;
    const BOOL bRowStart = bHorz ? x == xStart : y == yStart;
    CSize size = pButton->OnCalculateSize(&dc, sizeDefault, bHorz);
    if (pButton->m_bTextBelow && bHorz) size.cy = nRowHeight;
    BOOL bVisible = TRUE;
    if (bSeparator && (bRowStart || bPrevSeparator)) {
      size = CSize(0, 0);
      bVisible = FALSE;
    }
    const CRect rect(x, y, x + size.cx, y + size.cy);
    if (bVisible && bHideBehindCustomize) {
      // The last real button needs no room for a customize button that would show nothing.
      const BOOL bReserve = i != iLastReal || bCustomizeCommand || !lstHidden.IsEmpty();
      const int nLimit = (bHorz ? rectClient.right - (bReserve ? sizeCustomize.cx : 0)
                                : rectClient.bottom - (bReserve ? sizeCustomize.cy : 0));
      if ((bHorz ? rect.right : rect.bottom) > nLimit) {
        bVisible = FALSE;
        lstHidden.AddTail(pButton);
      }
    }
    if (pButton->m_bVisible != bVisible) {
      pButton->m_bVisible = bVisible;
      pButton->Show(bVisible);
    }
    pButton->SetRect(rect);
    bPrevSeparator = bSeparator;
    if (!bHorz) {
      y += size.cy;
      continue;
    }
    x += size.cx;
    if (pButton->m_bWrap || pos == nullptr || (bCentreRows && m_Buttons.GetAt(pos) == pCustomize)) {
      if (bCentreRows) {
        // Each row of a floating labelled bar is centred.
        const int nShift = (rectClient.right - x) / 2;
        for (POSITION posRow = posRowStart; posRow != nullptr;) {
          CUfxToolbarButton* pRowButton = AsButton(m_Buttons.GetNext(posRow));
          if (pRowButton != pCustomize) {
            CRect rectRow = pRowButton->Rect();
            rectRow.OffsetRect(nShift, 0);
            pRowButton->SetRect(rectRow);
          }
          if (posRow == pos) break;
        }
        posRowStart = pos;
      }
      x = xStart;
      y += nRowHeight + kRowGap;
      bPrevSeparator = FALSE;
    }
  }
  PlaceCustomizeButton(lstHidden, sizeCustomize, bHideBehindCustomize);
  RebuildMnemonics();
}

void CUfxToolBar::PlaceCustomizeButton(const CObList& lstHidden, CSize sizeCustomize, BOOL bDocked) {
  CCustomizeButton* pCustomize = m_pCustomizeBtn;
  if (pCustomize == nullptr) return;
  pCustomize->GetInvisibleButtons().AddTail(const_cast<CObList*>(&lstHidden));
  CRect rectClient;
  GetClientRect(rectClient);
  const BOOL bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
  const BOOL bShow = bDocked && (pCustomize->GetCustomizeCmdId() > 0 || !lstHidden.IsEmpty());
  CRect rect(0, 0, 0, 0);
  if (bShow) {
    rect = bHorz ? CRect(rectClient.right - sizeCustomize.cx, rectClient.top, rectClient.right - 1, rectClient.bottom)
                 : CRect(rectClient.left, rectClient.bottom - 1 - sizeCustomize.cy, rectClient.right,
                         rectClient.bottom - 1);
  }
  if (pCustomize->m_bVisible != bShow) {
    pCustomize->m_bVisible = bShow;
    pCustomize->Show(bShow);
  }
  pCustomize->SetRect(rect);
}


void CUfxToolBar::RebuildMnemonics() {
  m_AcellKeys.RemoveAll();
  for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
    CUfxToolbarButton* pButton = AsButton(m_Buttons.GetNext(pos));
    if ((pButton->m_nStyle & TBBS_SEPARATOR) || !(pButton->m_bText || m_bMenuMode || pButton->m_bTextBelow)) continue;
    const CString& strText = pButton->m_strText;
    // The character after the first single "&"; "&&" stands for the character itself.
    for (int i = 0; i < strText.GetLength() - 1; ++i) {
      if (strText[i] != L'&') continue;
      if (strText[i + 1] == L'&') {
        ++i;
        continue;
      }
      const UINT uiChar = (UINT)(ULONG_PTR)::CharUpperW((LPWSTR)(ULONG_PTR)(WORD)strText[i + 1]);
      m_AcellKeys.SetAt(uiChar, pButton);
      break;
    }
  }
}

int CUfxToolBar::HitTest(CPoint point) {
  int i = 0;
  for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr; ++i) {
    CUfxToolbarButton* pButton = AsButton(m_Buttons.GetNext(pos));
    if (!pButton->m_bVisible || !pButton->Rect().PtInRect(point)) continue;
    return (pButton->m_nStyle & TBBS_SEPARATOR) ? -1 : i;
  }
  return -1;
}

// ---- painting -------------------------------------------------------------------------------------

CUfxToolBarImages* CUfxToolBar::GetImagesToDraw(CUfxToolBarImages** ppCold, CUfxToolBarImages** ppDisabled) {
  CUfxToolBarImages* pImages;
  CUfxToolBarImages* pCold;
  CUfxToolBarImages* pDisabled;
  CUfxToolBarImages* pLarge = m_bLocked ? &m_LargeImagesLocked : &s_LargeImages;
  if (m_bMenuMode) {
    pImages = m_bLocked ? &m_MenuImagesLocked : &s_MenuImages;
    if (pImages->GetCount() == 0) pImages = m_bLocked ? &m_ImagesLocked : &s_Images;
    pCold = nullptr;
    pDisabled = m_bLocked ? &m_DisabledMenuImagesLocked : &s_DisabledMenuImages;
  } else if (s_bLargeIcons && m_bLargeIconsAreEnabled && pLarge->GetCount() > 0) {
    pImages = pLarge;
    pCold = m_bLocked ? &m_LargeColdImagesLocked : &s_LargeColdImages;
    pDisabled = m_bLocked ? &m_LargeDisabledImagesLocked : &s_LargeDisabledImages;
  } else {
    pImages = m_bLocked ? &m_ImagesLocked : &s_Images;
    pCold = m_bLocked ? &m_ColdImagesLocked : &s_ColdImages;
    pDisabled = m_bLocked ? &m_DisabledImagesLocked : &s_DisabledImages;
  }
  if (ppCold != nullptr) *ppCold = pCold != nullptr && pCold->GetCount() > 0 ? pCold : nullptr;
  if (ppDisabled != nullptr) *ppDisabled = pDisabled->GetCount() > 0 ? pDisabled : nullptr;
  return pImages;
}

void CUfxToolBar::DoPaint(CDC* pDCPaint) {
  CRect rectClient;
  GetClientRect(rectClient);
  CRect rectClip;
  pDCPaint->GetClipBox(rectClip);
  if (!rectClip.IntersectRect(rectClip, rectClient)) return;
  const BOOL bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;

  // Everything goes to one off-screen bitmap, drawn at the clip box and copied out at the end.
  CDC* pDC = ThePaintBuffer().Get(pDCPaint, rectClip.Size());
  if (pDC == nullptr) return;
  const int nSavedDC = pDC->SaveDC();
  pDC->SetViewportOrg(-rectClip.left, -rectClip.top);
  pDC->IntersectClipRect(rectClip.left, rectClip.top, rectClip.right, rectClip.bottom);
  CUfxVisualManager* pVisManager = CUfxVisualManager::GetInstance();
  if (GetStyle() & TBSTYLE_TRANSPARENT) m_Impl.FillBackground(pDC);
  else pVisManager->OnFillBarBackground(pDC, this, rectClient, rectClip);
  AfterFillBackground(pDC);
  pDC->SetTextColor(UfxGlobalData.clrBtnText);
  pDC->SetBkMode(TRANSPARENT);
  CBarFontSelector font(*pDC, bHorz);

  CUfxToolBarImages* pCold = nullptr;
  CUfxToolBarImages* pDisabled = nullptr;
  CUfxToolBarImages* pImages = GetImagesToDraw(&pCold, &pDisabled);
  const BOOL bFadeWas = pVisManager->IsFadeInactiveImage();
  if (pCold != nullptr) pVisManager->SetFadeInactiveImage(FALSE);

  const BOOL bNoHighlight = s_bCustomizeMode && !m_bLocked;
  int i = 0;
  for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr; ++i) {
    CUfxToolbarButton* pButton = AsButton(m_Buttons.GetNext(pos));
    CRect rect = pButton->Rect();
    CRect rectInter;
    if (!pButton->m_bVisible || !rectInter.IntersectRect(rect, rectClip)) {
      // A separator ending a row is drawn in the gap below it, across the bar.
      if (!(pButton->m_bVisible && (pButton->m_nStyle & TBBS_SEPARATOR) && pButton->m_bWrap && bHorz)) continue;
    }
    if (pButton->m_nStyle & TBBS_SEPARATOR) {
      if (pButton->m_bWrap && bHorz) {
        const CRect rectRow(rectClient.left, rect.bottom, rectClient.right, rect.bottom + kRowGap);
        DrawBarSeparator(pDC, rectRow, FALSE);
      } else {
        DrawBarSeparator(pDC, rect, bHorz);
      }
      continue;
    }
    BOOL bHighlighted = (i == m_iHighlighted && (m_iButtonCapture == -1 || m_iButtonCapture == i)) ||
                        (m_bMenuMode && i == m_iHighlighted);
    if (bNoHighlight) bHighlighted = FALSE;
    CUfxToolBarImages* pButtonImages = pImages;
    BOOL bDrawDisabledImages = FALSE;
    if (pButton->m_bUserButton) {
      pButtonImages = s_pUserImages;
    } else {
      if ((pButton->m_nStyle & TBBS_DISABLED) && !s_bCustomizeMode && pDisabled != nullptr) {
        pButtonImages = pDisabled;
        bDrawDisabledImages = TRUE;
      }
      if (!bHighlighted && !(pButton->m_nStyle & (TBBS_CHECKED | TBBS_PRESSED)) && !pButton->IsDroppedDown() &&
          pCold != nullptr && !bDrawDisabledImages) {
        pButtonImages = pCold;
      }
    }
    DrawOneButton(pDC, pButton, pButtonImages, bHighlighted, bDrawDisabledImages);
  }
  if (pCold != nullptr) pVisManager->SetFadeInactiveImage(bFadeWas);
  DrawCustomizeSelection(pDC);
  pDC->SetViewportOrg(0, 0);
  pDCPaint->BitBlt(rectClip.left, rectClip.top, rectClip.Width(), rectClip.Height(), pDC, 0, 0, SRCCOPY);
  pDC->RestoreDC(nSavedDC);
}

void CUfxToolBar::DrawCustomizeSelection(CDC* pDC) {
  if (!s_bCustomizeMode || m_bLocked || s_pSelToolbar != this) return;
  CUfxToolbarButton* pSelected = GetButton(m_iSelected);
  if (pSelected != nullptr && pSelected->CanBeStored()) {
    CRect rect = pSelected->Rect();
    if (pSelected->GetHwnd() != nullptr) rect.InflateRect(0, 1);
    const COLORREF clr = UfxGlobalData.clrBtnText;
    pDC->Draw3dRect(rect, clr, clr);
    rect.DeflateRect(1, 1);
    pDC->Draw3dRect(rect, clr, clr);
  }
  if (m_iDragIndex >= 0) DrawInsertionMark(pDC);
}

void CUfxToolBar::DrawOneButton(CDC* pDC, CUfxToolbarButton* pButton, CUfxToolBarImages* pImages, BOOL bHighlighted,
                                BOOL bDrawDisabledImages) {
  const BOOL bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
  pButton->OnDraw(pDC, pButton->Rect(), pImages, bHorz, s_bCustomizeMode && !m_bLocked, bHighlighted, m_bDrawBorder,
                  m_bGrayDisabledButtons && !bDrawDisabledImages);
}

void CUfxToolBar::DrawBarSeparator(CDC* pDC, const CRect& rect, BOOL bHorz) {
  CUfxVisualManager::GetInstance()->OnDrawSeparator(pDC, this, rect, bHorz);
}

void CUfxToolBar::DrawInsertionMark(CDC* pDC) {
  if (m_rectDrag.IsRectEmpty() || m_penDrag.GetSafeHandle() == nullptr) return;
  CPen* pOldPen = pDC->SelectObject(&m_penDrag);
  const BOOL bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
  for (int i = 0; i < 2; ++i) {
    if (bHorz) {
      const int x = m_rectDrag.CenterPoint().x + i;
      pDC->MoveTo(x, m_rectDrag.top);
      pDC->LineTo(x, m_rectDrag.bottom - 1);
      pDC->MoveTo(m_rectDrag.left, m_rectDrag.top + i);
      pDC->LineTo(m_rectDrag.right, m_rectDrag.top + i);
      pDC->MoveTo(m_rectDrag.left, m_rectDrag.bottom - 1 - i);
      pDC->LineTo(m_rectDrag.right, m_rectDrag.bottom - 1 - i);
    } else {
      const int y = m_rectDrag.CenterPoint().y + i;
      pDC->MoveTo(m_rectDrag.left, y);
      pDC->LineTo(m_rectDrag.right - 1, y);
      pDC->MoveTo(m_rectDrag.left + i, m_rectDrag.top);
      pDC->LineTo(m_rectDrag.left + i, m_rectDrag.bottom);
      pDC->MoveTo(m_rectDrag.right - 1 - i, m_rectDrag.top);
      pDC->LineTo(m_rectDrag.right - 1 - i, m_rectDrag.bottom);
    }
  }
  pDC->SelectObject(pOldPen);
}

// ---- mouse --------------------------------------------------------------------------------------

namespace {
BOOL IsOfClass(const CObject* pObject, const char* pszClassName) {
  for (const CRuntimeClass* pClass = pObject->GetRuntimeClass(); pClass != nullptr; pClass = pClass->m_pBaseClass)
    if (strcmp(pClass->m_lpszClassName, pszClassName) == 0) return TRUE;
  return FALSE;
}

BOOL IsMenuButton(CUfxToolbarButton* pButton) { return DYNAMIC_DOWNCAST(CUfxToolbarMenuButton, pButton) != nullptr; }
}  // namespace

BOOL CUfxToolBar::IsAlive(HWND hwnd, const CUfxToolBar* pBar) {
  return ::IsWindow(hwnd) && CWnd::FromHandlePermanent(hwnd) == pBar;
}

void CUfxToolBar::TrackMouseLeave() {
  TRACKMOUSEEVENT tme = {};
  tme.cbSize = sizeof(tme);
  tme.dwFlags = TME_LEAVE;
  tme.hwndTrack = m_hWnd;
  m_bTracked = UfxTrackMouse(&tme);
}

void CUfxToolBar::OnMouseMove(UINT nFlags, CPoint point) {
  if (s_bCustomizeMode && !m_bLocked) {
    CControlBar::OnMouseMove(nFlags, point);
    return;
  }
  if (point == m_ptLastMouse) return;
  m_ptLastMouse = point;
  int iHit = HitTest(point);
  if (const CUfxToolbarButton* pHit = GetButton(iHit)) {
    if ((pHit->m_nStyle & TBBS_SEPARATOR) || ((pHit->m_nStyle & TBBS_DISABLED) && !HighlightsDisabledButtons()))
      iHit = -1;
  }
  if (iHit == -1 && ::GetFocus() == m_hWnd) iHit = m_iHighlighted;
  if (!m_bTracked) TrackMouseLeave();
  if (iHit == m_iHighlighted) return;

  if (CUfxToolbarButton* pPressed = GetButton(m_iButtonCapture)) {
    const UINT nOldStyle = pPressed->m_nStyle;
    if (iHit == m_iButtonCapture) pPressed->m_nStyle |= TBBS_PRESSED;
    else pPressed->m_nStyle &= ~TBBS_PRESSED;
    if (nOldStyle != pPressed->m_nStyle) InvalidateButton(m_iButtonCapture);
  }
  const int iOld = m_iHighlighted;
  m_iHighlighted = iHit;
  InvalidateButton(iOld);
  InvalidateButton(iHit);
  if (!IsHelpModeHookActive()) {
    if (const CUfxToolbarButton* pHit = GetButton(iHit)) ShowCommandPrompt(pHit->m_nID);
    else SendIdlePrompt();
  }
  const HWND hwnd = m_hWnd;
  SetHotButton(iHit);
  if (IsAlive(hwnd, this)) UpdateWindow();
}

void CUfxToolBar::OnLButtonDown(UINT nFlags, CPoint point) {
  const int iHit = HitTest(point);
  if (iHit < 0) {
    m_iButtonCapture = -1;
    CControlBar::OnLButtonDown(nFlags, point);
    return;
  }
  if (s_bCustomizeMode && !m_bLocked) {
    // Customize mode selects the button; dragging it is the customize mode's.
    CUfxToolBar* pOldSel = s_pSelToolbar;
    s_pSelToolbar = this;
    if (pOldSel != nullptr && pOldSel != this && IsAlive(pOldSel->m_hWnd, pOldSel)) {
      pOldSel->m_iSelected = -1;
      pOldSel->Invalidate();
    }
    m_iSelected = GetButton(iHit)->IsEditable() ? iHit : -1;
    Invalidate();
    return;
  }
  OnPressButton(iHit);
}

void CUfxToolBar::OnPressButton(int iButton) {
  m_iButtonCapture = iButton;
  UpdateButtonCmdUI(iButton);
  CUfxToolbarButton* pButton = GetButton(iButton);
  if (pButton == nullptr || m_iButtonCapture != iButton) return;
  if ((pButton->m_nStyle & TBBS_DISABLED) && !IsOfClass(pButton, "CUfxDropDownToolbarButton")) {
    m_iButtonCapture = -1;
    return;
  }
  pButton->m_nStyle |= TBBS_PRESSED;
  InvalidateButton(iButton);
  UpdateWindow();
  ShowCommandPrompt(pButton->m_nID);

  const HWND hwnd = m_hWnd;
  if (pButton->OnClick(this, FALSE)) {
    // A menu button opened its popup: the bar holds nothing pressed meanwhile.
    if (!IsAlive(hwnd, this)) return;
    if (ButtonToIndex(pButton) >= 0) pButton->m_nStyle &= ~TBBS_PRESSED;
    m_iButtonCapture = -1;
    m_iHighlighted = -1;
    SetHotButton(-1);
    return;
  }
  if (!IsAlive(hwnd, this)) return;
  m_pWndLastCapture = SetCapture();
}

void CUfxToolBar::OnLButtonUp(UINT nFlags, CPoint point) {
  if ((s_bCustomizeMode && !m_bLocked) || m_iButtonCapture < 0) {
    CControlBar::OnLButtonUp(nFlags, point);
    return;
  }
  const int iPressed = m_iButtonCapture;
  CUfxToolbarButton* pButton = GetButton(iPressed);
  if (GetCapture() == this) ::ReleaseCapture();
  m_pWndLastCapture = nullptr;
  if (pButton == nullptr) {
    m_iButtonCapture = -1;
    return;
  }
  pButton->m_nStyle &= ~TBBS_PRESSED;
  const BOOL bOver = HitTest(point) == iPressed;
  UINT nID = 0;
  if (bOver && !(pButton->m_nStyle & TBBS_DISABLED)) {
    if (pButton->m_nStyle & TBBS_CHECKBOX) {
      if (pButton->m_nStyle & TBBS_INDETERMINATE) pButton->m_nStyle &= ~(TBBS_INDETERMINATE | TBBS_CHECKED);
      else pButton->m_nStyle ^= TBBS_CHECKED;
    }
    nID = pButton->m_nID;
  }
  if (!IsHelpModeHookActive()) SendIdlePrompt();
  m_iButtonCapture = -1;
  m_iHighlighted = -1;
  const HWND hwnd = m_hWnd;
  RestoreFocus();
  if (!IsAlive(hwnd, this)) return;
  InvalidateButton(iPressed);
  if (bOver && !HandlesClickUp(pButton) && nID != 0 && nID != (UINT)-1) {
    UpdateWindow();
    UfxCommandUsage.AddCommand(nID);
    if (!pButton->OnClickUp()) {
      if (!IsAlive(hwnd, this)) return;
      if (UfxUserToolsManager == nullptr || !UfxUserToolsManager->InvokeTool(nID)) {
        if (CWnd* pTarget = GetCommandTarget()) pTarget->SendMessage(WM_COMMAND, nID);
      }
    }
  }
  // The command may have closed the frame, the bar or the button.
  if (!IsAlive(hwnd, this)) return;
  const int iNow = ButtonToIndex(pButton);
  if (iNow < 0) return;
  UpdateButtonCmdUI(iNow);
  InvalidateButton(iNow);
}

void CUfxToolBar::OnLButtonDblClk(UINT nFlags, CPoint point) {
  const int iHit = HitTest(point);
  CUfxToolbarButton* pButton = GetButton(iHit);
  if (pButton == nullptr) {
    CControlBar::OnLButtonDblClk(nFlags, point);
    return;
  }
  const HWND hwnd = m_hWnd;
  pButton->OnDblClick(this);
  if (!IsAlive(hwnd, this) || ButtonToIndex(pButton) < 0) return;
  if (!pButton->IsKindOf(RUNTIME_CLASS(CUfxToolbarSystemMenuButton))) OnLButtonDown(nFlags, point);
}

LRESULT CUfxToolBar::OnMouseLeave(WPARAM, LPARAM) {
  m_bTracked = FALSE;
  m_ptLastMouse = CPoint(-1, -1);
  if (IsHelpModeHookActive()) return 0;
  if (!s_bCustomizeMode && m_bMenuMode && GetDroppedDownMenu() != nullptr) return 0;
  if (::GetFocus() == m_hWnd || m_iHighlighted < 0) return 0;
  const int iOld = m_iHighlighted;
  CUfxToolbarButton* pButton = GetButton(iOld);
  m_iHighlighted = -1;
  InvalidateButton(iOld);
  UpdateWindow();
  if (pButton == nullptr || !pButton->IsDroppedDown()) SendIdlePrompt();
  return 0;
}

void CUfxToolBar::OnCancelMode() {
  CControlBar::OnCancelMode();
  if (m_bStretchButton) {
    m_bStretchButton = FALSE;
    m_rectTrack.SetRectEmpty();
  }
  if (GetCapture() == this) ::ReleaseCapture();
  if (CUfxToolbarButton* pPressed = GetButton(m_iButtonCapture)) pPressed->m_nStyle &= ~TBBS_PRESSED;
  m_iButtonCapture = -1;
  m_iHighlighted = -1;
  for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) AsButton(m_Buttons.GetNext(pos))->OnCancelMode();
  Invalidate();
}

void CUfxToolBar::OnContextMenu(CWnd* pWnd, CPoint point) {
  if (s_bCustomizeMode && !m_bLocked) return;  // the customize menu belongs to customize mode
  if (s_bCustomizeMode) {
    ::MessageBeep((UINT)-1);
    return;
  }
  CFrameWnd* pFrame = GetTopLevelFrame();
  if (pFrame == nullptr) return;
  if (point.x == -1 && point.y == -1) {
    CRect rect;
    GetWindowRect(rect);
    point = rect.TopLeft() + CPoint(5, 5);
  }
  pFrame->SendMessage(UFXM_TOOLBARMENU, (WPARAM)m_hWnd, MAKELPARAM(point.x, point.y));
}

void CUfxToolBar::OnCustomizeCommand(UINT) {}

BOOL CUfxToolBar::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  return CControlBar::OnSetCursor(pWnd, nHitTest, message);
}

// ---- commands and command UI --------------------------------------------------------------------

CWnd* CUfxToolBar::GetCommandTarget() const {
  CWnd* pOwner = GetOwner();
  CFrameWnd* pFrame = GetParentFrame();
  if (pOwner == nullptr) return pFrame;
  if (m_bRouteCommandsViaFrame && pFrame != nullptr && DYNAMIC_DOWNCAST(CFrameWnd, pOwner) == nullptr) return pFrame;
  return pOwner;
}

void CUfxToolBar::RunButtonCommand(CUfxToolbarButton* pButton) {
  const UINT nID = pButton->m_nID;
  if (nID == 0 || nID == (UINT)-1) return;
  UfxCommandUsage.AddCommand(nID);
  CWnd* pTarget = GetOwner();
  if (pTarget != nullptr) pTarget->PostMessage(WM_COMMAND, nID);
}

BOOL CUfxToolBar::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (s_bCustomizeMode && !m_bLocked) return CControlBar::OnCommand(wParam, lParam);
  const UINT nID = LOWORD(wParam);
  const int nCode = HIWORD(wParam);
  const HWND hwndFocus = ::GetFocus();
  const HWND hwndCtrl = (HWND)lParam;
  CWnd* pTarget = GetCommandTarget();
  for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
    CUfxToolbarButton* pButton = AsButton(m_Buttons.GetNext(pos));
    const HWND hwndButton = pButton->GetHwnd();
    if (hwndButton == nullptr) continue;
    if ((nID == IDOK || nID == IDCANCEL) && hwndFocus != nullptr &&
        (hwndFocus == hwndButton || ::IsChild(hwndButton, hwndFocus))) {
      if (nID == IDCANCEL) RestoreFocus();
      else if (pTarget != nullptr) pTarget->PostMessage(WM_COMMAND, pButton->m_nID);
      return TRUE;
    }
    if (hwndCtrl != nullptr && (hwndCtrl == hwndButton || ::IsChild(hwndButton, hwndCtrl))) {
      if (pButton->NotifyCommand(nCode) && pTarget != nullptr)
        pTarget->PostMessage(WM_COMMAND, MAKEWPARAM(pButton->m_nID, nCode), lParam);
      return TRUE;
    }
  }
  return CControlBar::OnCommand(wParam, lParam);
}

void CUfxToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
  CUfxToolBarCmdUI state;
  state.m_pOther = this;
  state.m_nIndexMax = (UINT)GetButtonCount();
  int i = 0;
  for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr; ++i) {
    const CUfxToolbarButton* pButton = AsButton(m_Buttons.GetNext(pos));
    const UINT nID = pButton->m_nID;
    if ((pButton->m_nStyle & TBBS_SEPARATOR) || nID == 0 || (nID >= 0xF000 && nID <= 0xF1EF) || nID >= 0xFF00)
      continue;
    state.m_nIndex = (UINT)i;
    state.m_nID = nID;
    const BOOL bUserTool = UfxUserToolsManager != nullptr && UfxUserToolsManager->IsUserToolCmd(nID);
    const int nCount = GetButtonCount();
    state.DoUpdate(pTarget, bUserTool ? FALSE : bDisableIfNoHndler);
    // A handler that changed the list ends this round; the next idle time goes on.
    if (GetButtonCount() != nCount) return;
  }
  UpdateDialogControls(pTarget, m_bDisableControlsIfNoHandler);
}

void CUfxToolBar::UpdateButtonCmdUI(int iButton) {
  const CUfxToolbarButton* pButton = GetButton(iButton);
  CWnd* pTarget = GetCommandTarget();
  if (pButton == nullptr || pTarget == nullptr || (pButton->m_nStyle & TBBS_SEPARATOR)) return;
  const UINT nID = pButton->m_nID;
  if (nID == 0 || (nID >= 0xF000 && nID <= 0xF1EF) || nID >= 0xFF00) return;
  CUfxToolBarCmdUI state;
  state.m_pOther = this;
  state.m_nIndexMax = (UINT)GetButtonCount();
  state.m_nIndex = (UINT)iButton;
  state.m_nID = nID;
  const BOOL bUserTool = UfxUserToolsManager != nullptr && UfxUserToolsManager->IsUserToolCmd(nID);
  state.DoUpdate(pTarget, bUserTool ? FALSE : TRUE);
}

void CUfxToolBarCmdUI::Enable(BOOL bOn) {
  m_bEnableChanged = TRUE;
  CUfxToolBar* pBar = static_cast<CUfxToolBar*>(m_pOther);
  UINT nNewStyle = pBar->GetButtonStyle((int)m_nIndex) & ~TBBS_DISABLED;
  if (!bOn) nNewStyle |= TBBS_DISABLED;
  pBar->SetButtonStyle((int)m_nIndex, nNewStyle);
}

void CUfxToolBarCmdUI::SetCheck(int nCheck) {
  if (nCheck > 2) nCheck = 1;
  CUfxToolBar* pBar = static_cast<CUfxToolBar*>(m_pOther);
  UINT nNewStyle = pBar->GetButtonStyle((int)m_nIndex) & ~(TBBS_CHECKED | TBBS_INDETERMINATE);
  nNewStyle |= TBBS_CHECKBOX;
  if (nCheck == 1) nNewStyle |= TBBS_CHECKED;
  else if (nCheck == 2) nNewStyle |= TBBS_INDETERMINATE;
  pBar->SetButtonStyle((int)m_nIndex, nNewStyle);
}

void CUfxToolBarCmdUI::SetRadio(BOOL bOn) {
  SetCheck(bOn ? 1 : 0);
  CUfxToolBar* pBar = static_cast<CUfxToolBar*>(m_pOther);
  if (CUfxToolbarButton* pButton = pBar->GetButton((int)m_nIndex)) pButton->SetRadio();
}

void CUfxToolBarCmdUI::SetText(LPCWSTR lpszText) {
  CUfxToolBar* pBar = static_cast<CUfxToolBar*>(m_pOther);
  CUfxToolbarButton* pButton = pBar->GetButton((int)m_nIndex);
  if (pButton == nullptr || pBar->m_bIgnoreSetText) return;
  CString strText = lpszText != nullptr ? lpszText : L"";
  const int iTab = strText.Find(L'\t');
  if (iTab >= 0) strText = strText.Left(iTab);
  if (pButton->m_strText == strText) return;
  pButton->m_strText = strText;
  pBar->AdjustLayout();
}

// ---- tooltips and prompts -----------------------------------------------------------------------

BOOL CUfxToolBar::ForwardToFrame(CUfxToolbarButton* pButton, CString& strTTText) const {
  CUfxFrameWnd* pFrame = DYNAMIC_DOWNCAST(CUfxFrameWnd, UfxGetTopLevelFrame(this));
  return pFrame != nullptr && pFrame->OnQueryButtonTooltip(pButton, strTTText);
}

CString CUfxToolBar::TooltipText(CUfxToolbarButton* pButton) const {
  CString strText;
  if (ForwardToFrame(pButton, strText)) return strText;
  if (pButton->GetRuntimeClass() == RUNTIME_CLASS(CUfxToolbarButton) || pButton->m_strText.IsEmpty()) {
    CUfxUserTool* pTool = UfxUserToolsManager != nullptr ? UfxUserToolsManager->FindTool(pButton->m_nID) : nullptr;
    if (pTool != nullptr) return pTool->m_strLabel;
    wchar_t szBuffer[256] = {};
    if (pButton->m_nID != 0 && pButton->m_nID != (UINT)-1 &&
        ::LoadStringW(AfxGetResourceHandle(), pButton->m_nID, szBuffer, 256) > 0) {
      strText = szBuffer;
      const int iLineFeed = strText.Find(L'\n');
      strText = iLineFeed >= 0 ? strText.Mid(iLineFeed + 1) : CString();
      const int iNext = strText.Find(L'\n');
      if (iNext >= 0) strText = strText.Left(iNext);
    }
    return strText;
  }
  strText = pButton->m_strText;
  strText.Remove(L'&');
  return strText;
}

INT_PTR CUfxToolBar::OnToolHitTest(CPoint point, TOOLINFOW* pTI) const {
  if (!s_bShowTooltips) return -1;
  // Controls on the bar answer for themselves.
  const HWND hwndChild = ::ChildWindowFromPointEx(m_hWnd, point, CWP_SKIPINVISIBLE);
  if (hwndChild != nullptr && hwndChild != m_hWnd) return CControlBar::OnToolHitTest(point, pTI);
  CUfxToolBar* pThis = const_cast<CUfxToolBar*>(this);
  CUfxToolbarButton* pButton = pThis->GetButton(pThis->HitTest(point));
  if (pButton == nullptr || (pButton->GetHwnd() != nullptr && pButton->IsWindowVisible())) return -1;
  CString strTip = TooltipText(pButton);
  if (strTip.IsEmpty()) return -1;
  if (s_bShowShortcutKeys) {
    CString strKey;
    CFrameWnd* pFrame = GetTopLevelFrame();
    BOOL bFound = pFrame != nullptr && CUfxKeyboardManager::GetShortcutText(pButton->m_nID, strKey, pFrame, TRUE);
    if (!bFound && pFrame != nullptr) {
      CFrameWnd* pActive = pFrame->GetActiveFrame();
      bFound = pActive != nullptr && pActive != pFrame &&
               CUfxKeyboardManager::GetShortcutText(pButton->m_nID, strKey, pActive, FALSE);
    }
    if (bFound) strTip += L" (" + strKey + L")";
  }
  const INT_PTR nHit = pButton->m_nID == (UINT)-1 ? 0 : (INT_PTR)pButton->m_nID;
  if (pTI != nullptr) {
    pTI->hwnd = m_hWnd;
    pTI->uId = (UINT_PTR)nHit;
    pTI->rect = pButton->Rect();
    pTI->lpszText = _wcsdup(strTip);
  }
  return nHit;
}

void CUfxToolBar::ShowCommandPrompt(UINT uiCmd) {
  if (IsHelpModeHookActive()) return;
  UINT uiPrompt = uiCmd;
  if (uiCmd == (UINT)-1) uiPrompt = AFX_IDS_IDLEMESSAGE;
  else if (uiCmd >= 0xF000 && uiCmd <= 0xF1EF) uiPrompt = 0xEF00 + (uiCmd - 0xF000) / 16;
  else if (uiCmd > 0xFEFF) uiPrompt = 0xEF1F;
  CWnd* pTarget = GetOwner();
  if (pTarget == nullptr) pTarget = GetParent();
  if (pTarget != nullptr) pTarget->SendMessage(WM_SETMESSAGESTRING, uiPrompt);
}

void CUfxToolBar::SendIdlePrompt() { ShowCommandPrompt((UINT)-1); }

// ---- keyboard and focus -------------------------------------------------------------------------

BOOL CUfxToolBar::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE) {
    if (m_bStretchButton) {
      OnCancelMode();
      return TRUE;
    }
    if (GetDroppedDownMenu() == nullptr) {
      Deactivate();
      RestoreFocus();
      return TRUE;
    }
  }
  return CControlBar::PreTranslateMessage(pMsg);
}

void CUfxToolBar::Deactivate() {
  const int iOld = m_iHighlighted;
  m_iHighlighted = -1;
  m_iHotKeyButton = -1;
  if (iOld >= 0) {
    InvalidateButton(iOld);
    UpdateWindow();
  }
  SendIdlePrompt();
  RestoreFocus();
}

void CUfxToolBar::RestoreFocus() {
  const HWND hwnd = m_hwndLastFocus;
  m_hwndLastFocus = nullptr;
  if (hwnd != nullptr && ::IsWindow(hwnd)) ::SetFocus(hwnd);
}

BOOL CUfxToolBar::ProcessMnemonicKey(UINT uiVirtKey) {
  BYTE keys[256] = {};
  ::GetKeyboardState(keys);
  WORD wChar = 0;
  if (::ToAsciiEx(uiVirtKey, ::MapVirtualKeyW(uiVirtKey, 0), keys, &wChar, 0, ::GetKeyboardLayout(0)) != 1) return FALSE;
  const UINT uiUpper = (UINT)(ULONG_PTR)::CharUpperW((LPWSTR)(ULONG_PTR)(wChar & 0xFF));
  CUfxToolbarButton* pButton = nullptr;
  if (!m_AcellKeys.Lookup(uiUpper, pButton) || (pButton->m_nStyle & TBBS_DISABLED)) return FALSE;
  if (IsMenuButton(pButton)) {
    const int iAnimation = s_iMenuAnimation;
    s_iMenuAnimation = 0;
    m_iHighlighted = ButtonToIndex(pButton);
    const HWND hwnd = m_hWnd;
    pButton->OnClick(this, FALSE);
    s_iMenuAnimation = iAnimation;
    if (!IsAlive(hwnd, this)) return TRUE;
    InvalidateButton(m_iHighlighted);
    SelectFirstPopupItem(pButton);
    return TRUE;
  }
  RunButtonCommand(pButton);
  return TRUE;
}

void CUfxToolBar::SelectFirstPopupItem(CUfxToolbarButton* pButton) {
  CUfxToolbarMenuButton* pMenuButton = DYNAMIC_DOWNCAST(CUfxToolbarMenuButton, pButton);
  CUfxPopupMenu* pPopup = pMenuButton != nullptr ? pMenuButton->GetPopupMenu() : nullptr;
  if (pPopup != nullptr && pPopup->GetSafeHwnd() != nullptr) pPopup->SendMessage(WM_KEYDOWN, VK_HOME);
}

BOOL CUfxToolBar::PrevMenu() { return MoveToMenu(-1); }

BOOL CUfxToolBar::NextMenu() { return MoveToMenu(1); }

BOOL CUfxToolBar::MoveToMenu(int nStep) {
  const int nCount = GetButtonCount();
  if (nCount == 0) return FALSE;
  const int iStart = m_iHotKeyButton >= 0 ? m_iHotKeyButton : m_iHighlighted;
  // Without a hot button the search starts before the first button going right, at it going left.
  const int iFrom = iStart >= 0 ? iStart : (nStep < 0 ? 0 : -1);
  for (int n = 1; n <= nCount; ++n) {
    const int i = ((iFrom + n * nStep) % nCount + nCount) % nCount;
    CUfxToolbarButton* pButton = GetButton(i);
    if (IsMenuButton(pButton) && !(pButton->m_nStyle & TBBS_DISABLED)) {
      m_iHighlighted = i;
      const HWND hwnd = m_hWnd;
      SetHotButton(i);
      if (IsAlive(hwnd, this)) SelectFirstPopupItem(pButton);
      return TRUE;
    }
  }
  return FALSE;
}

int CUfxToolBar::SetHotButton(int iHot) {
  const int iOld = m_iHotKeyButton;
  if (iHot == m_iHotKeyButton) {
    m_iHotKeyButton = -1;
    return iOld;
  }
  int iDropped = -1;
  CUfxToolbarButton* pDropped = GetDroppedDownMenu(&iDropped);
  m_iHotKeyButton = iHot;
  if (s_bCustomizeMode) m_iSelected = iHot;
  if (pDropped != nullptr && iDropped != iHot) {
    // Moving along a bar with an open popup closes it and opens the new button's.
    const HWND hwnd = m_hWnd;
    pDropped->OnCancelMode();
    if (!IsAlive(hwnd, this)) return iOld;
    CUfxToolbarButton* pNew = GetButton(iHot);
    if (pNew != nullptr && !(s_bCustomizeMode && pNew->IsKindOf(RUNTIME_CLASS(CUfxToolbarSystemMenuButton)))) {
      pNew->OnClick(this, FALSE);
      if (!IsAlive(hwnd, this)) return iOld;
    }
  }
  InvalidateButton(iOld);
  InvalidateButton(iHot);
  return iOld;
}

void CUfxToolBar::OnSetFocus(CWnd* pOldWnd) {
  CControlBar::OnSetFocus(pOldWnd);
  if (pOldWnd == nullptr) return;
  for (HWND hwnd = pOldWnd->GetSafeHwnd(); hwnd != nullptr; hwnd = ::GetParent(hwnd))
    if (DYNAMIC_DOWNCAST(CUfxToolBar, CWnd::FromHandlePermanent(hwnd)) != nullptr) return;
  m_hwndLastFocus = pOldWnd->GetSafeHwnd();
}

void CUfxToolBar::OnKillFocus(CWnd* pNewWnd) {
  CControlBar::OnKillFocus(pNewWnd);
  if (s_bCustomizeMode) return;
  // The focus went to a popup this bar opened: the bar stays active.
  if (pNewWnd != nullptr && GetDroppedDownMenu() != nullptr && ::GetWindow(pNewWnd->GetSafeHwnd(), GW_OWNER) != nullptr)
    return;
  // A control on the bar keeps the bar active and the window to go back to.
  if (pNewWnd != nullptr && ::IsChild(m_hWnd, pNewWnd->GetSafeHwnd())) return;
  // The focus has gone where the user sent it; it is not taken back.
  m_hwndLastFocus = nullptr;
  Deactivate();
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

// ---- help mode ----------------------------------------------------------------------------------

namespace {
LRESULT CALLBACK HelpModeMouseProc(int nCode, WPARAM wParam, LPARAM lParam) {
  if (nCode == HC_ACTION && wParam == WM_MOUSEMOVE) {
    try {
      CUfxToolBar::OnHelpModeMouseMove(reinterpret_cast<MOUSEHOOKSTRUCT*>(lParam)->pt);
    } catch (...) {
      // Nothing leaves a hook procedure.
    }
  }
  return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}
}  // namespace

void CUfxToolBar::OnHelpModeMouseMove(POINT ptScreen) {
  CUfxToolBar* pBar = nullptr;
  for (HWND hwnd = ::WindowFromPoint(ptScreen); hwnd != nullptr && pBar == nullptr; hwnd = ::GetParent(hwnd))
    pBar = DYNAMIC_DOWNCAST(CUfxToolBar, CWnd::FromHandlePermanent(hwnd));
  CUfxToolBar* pLast = s_pLastHookedToolbar;
  if (pLast != nullptr && pLast != pBar && s_lstAllToolbars.Find(pLast) != nullptr && pLast->m_iHighlighted >= 0) {
    const int iOld = pLast->m_iHighlighted;
    pLast->m_iHighlighted = -1;
    pLast->m_ptLastMouse = CPoint(-1, -1);
    pLast->InvalidateButton(iOld);
    pLast->UpdateWindow();
  }
  s_pLastHookedToolbar = pBar;
  if (pBar == nullptr) return;
  CPoint point(ptScreen);
  pBar->ScreenToClient(&point);
  pBar->OnMouseMove(0, point);
}

void CUfxToolBar::SetHelpModeHook(BOOL bSet) {
  if (bSet) {
    if (s_hookMouseHelp == nullptr)
      s_hookMouseHelp = ::SetWindowsHookExW(WH_MOUSE, HelpModeMouseProc, nullptr, ::GetCurrentThreadId());
    return;
  }
  if (s_hookMouseHelp == nullptr) return;
  ::UnhookWindowsHookEx(s_hookMouseHelp);
  s_hookMouseHelp = nullptr;
  s_pLastHookedToolbar = nullptr;
  for (POSITION pos = s_lstAllToolbars.GetHeadPosition(); pos != nullptr;) {
    CUfxToolBar* pBar = static_cast<CUfxToolBar*>(s_lstAllToolbars.GetNext(pos));
    if (pBar->m_iSelected >= 0) {
      pBar->m_iSelected = -1;
      if (pBar->GetSafeHwnd() != nullptr) pBar->Invalidate();
    }
  }
}

// ---- customize mode and drops ---------------------------------------------------------------------

BOOL CUfxToolBar::SetCustomizeMode(BOOL bSet) {
  if (s_bCustomizeMode == bSet) return FALSE;
  // A bar's change may create or destroy bars: the walk starts again when the count changes.
  for (;;) {
    const INT_PTR nCount = s_lstAllToolbars.GetCount();
    BOOL bRestart = FALSE;
    for (POSITION pos = s_lstAllToolbars.GetHeadPosition(); pos != nullptr;) {
      CUfxToolBar* pBar = static_cast<CUfxToolBar*>(s_lstAllToolbars.GetNext(pos));
      pBar->OnCustomizeModeChanged(bSet);
      if (s_lstAllToolbars.GetCount() != nCount) {
        bRestart = TRUE;
        break;
      }
    }
    if (!bRestart) break;
  }
  s_bCustomizeMode = bSet;
  if (!bSet) s_pSelToolbar = nullptr;
  for (POSITION pos = s_lstAllToolbars.GetHeadPosition(); pos != nullptr;) {
    CUfxToolBar* pBar = static_cast<CUfxToolBar*>(s_lstAllToolbars.GetNext(pos));
    if (pBar->GetSafeHwnd() == nullptr) continue;
    if (pBar->m_pCustomizeBtn != nullptr) pBar->AdjustLayout();
    pBar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  }
  return TRUE;
}

void CUfxToolBar::OnCustomizeModeChanged(BOOL bCustomizeMode) {
  m_iButtonCapture = -1;
  m_iHighlighted = -1;
  m_iSelected = -1;
  for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
    CUfxToolbarButton* pButton = AsButton(m_Buttons.GetNext(pos));
    pButton->OnCancelMode();
    if (!(pButton->m_nStyle & TBBS_DISABLED)) pButton->EnableWindow(!bCustomizeMode);
  }
}

BOOL CUfxToolBar::EnableContextMenuItems(CUfxToolbarButton* pButton, CMenu* pPopup) {
  return pButton != nullptr && pPopup != nullptr && pButton->OnCustomizeMenu(pPopup);
}

DROPEFFECT CUfxToolBar::OnDragEnter(COleDataObject*, DWORD, CPoint) { return DROPEFFECT_NONE; }

DROPEFFECT CUfxToolBar::OnDragOver(COleDataObject*, DWORD, CPoint) { return DROPEFFECT_NONE; }

void CUfxToolBar::OnDragLeave() {
  m_iDragIndex = -1;
  m_rectDrag.SetRectEmpty();
}

BOOL CUfxToolBar::OnDrop(COleDataObject*, DROPEFFECT, CPoint) { return FALSE; }

int CUfxToolBar::FindDropIndex(CPoint, CRect& rectDrag) const {
  rectDrag.SetRectEmpty();
  return -1;
}

CUfxToolbarButton* CUfxToolBar::CreateDroppedButton(COleDataObject* pDataObject) {
  return CUfxToolbarButton::CreateFromOleData(pDataObject);
}

BOOL CUfxBarDropTarget::Register(CUfxToolBar* pOwner) {
  m_pOwner = pOwner;
  return COleDropTarget::Register(pOwner);
}

DROPEFFECT CUfxBarDropTarget::OnDragEnter(CWnd*, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) {
  if (!CUfxToolBar::IsCustomizeMode() || !pDataObject->IsDataAvailable(CUfxToolbarButton::GetClipboardFormat()))
    return DROPEFFECT_NONE;
  return m_pOwner->OnDragEnter(pDataObject, dwKeyState, point);
}

DROPEFFECT CUfxBarDropTarget::OnDragOver(CWnd*, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) {
  if (!CUfxToolBar::IsCustomizeMode() || !pDataObject->IsDataAvailable(CUfxToolbarButton::GetClipboardFormat()))
    return DROPEFFECT_NONE;
  return m_pOwner->OnDragOver(pDataObject, dwKeyState, point);
}

void CUfxBarDropTarget::OnDragLeave(CWnd*) { m_pOwner->OnDragLeave(); }

BOOL CUfxBarDropTarget::OnDrop(CWnd*, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) {
  if (!CUfxToolBar::IsCustomizeMode() || !pDataObject->IsDataAvailable(CUfxToolbarButton::GetClipboardFormat()))
    return FALSE;
  return m_pOwner->OnDrop(pDataObject, dropEffect, point);
}

void CUfxToolBar::NotifyFontsChanged() {
  for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) AsButton(m_Buttons.GetNext(pos))->OnGlobalFontsChanged();
}

// ---- the archive -------------------------------------------------------------------------------

void CUfxToolBar::Serialize(CArchive& ar) {
  CControlBar::Serialize(ar);
  if (ar.IsStoring()) {
    CObList listStored;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
      CUfxToolbarButton* pButton = AsButton(m_Buttons.GetNext(pos));
      if (pButton->CanBeStored()) listStored.AddTail(pButton);
    }
    listStored.Serialize(ar);
    CString strName;
    if (GetSafeHwnd() != nullptr) GetWindowText(strName);
    ar << (DWORD)m_bTextLabels << strName;
    return;
  }
  // Everything is read first; the bar changes only once the whole archive was read. Stored data
  // may only make buttons.
  CObList listLoaded;
  DWORD bTextLabels = 0;
  CString strName;
  try {
    const DWORD_PTR nCount = ar.ReadCount();
    for (DWORD_PTR i = 0; i < nCount; ++i) {
      CObject* pObject = ar.ReadObject(RUNTIME_CLASS(CUfxToolbarButton));
      if (pObject == nullptr) AfxThrowArchiveException(CArchiveException::badIndex);
      listLoaded.AddTail(pObject);
    }
    ar >> bTextLabels >> strName;
  } catch (...) {
    DeleteButtons(listLoaded);
    throw;
  }
  CCustomizeButton* pCustomize = m_pCustomizeBtn;
  if (pCustomize != nullptr) {
    if (POSITION pos = m_Buttons.Find(pCustomize)) m_Buttons.RemoveAt(pos);
    m_pCustomizeBtn = nullptr;
  }
  RemoveAllButtons();
  while (!listLoaded.IsEmpty()) {
    CUfxToolbarButton* pButton = AsButton(listLoaded.RemoveHead());
    pButton->m_nStyle &= ~(TBBS_CHECKED | TBBS_PRESSED);
    // Forbidden commands never come back, however many of them were stored.
    if (InsertButton(pButton) < 0) delete pButton;
  }
  if (AllowsTextLabels()) m_bTextLabels = bTextLabels != 0;
  if (pCustomize != nullptr) {
    CUfxToolbarButton* pButton = pCustomize;
    m_Buttons.AddTail(pButton);
    pButton->OnParentChanged(this);
    m_pCustomizeBtn = pCustomize;
  }
  if (GetSafeHwnd() != nullptr) {
    SetWindowText(strName);
    LayoutButtons();
  }
}

// ---- saved state --------------------------------------------------------------------------------

namespace {
BOOL IsSmartUpdate() {
  CUfxWorkspace* pWorkspace = UfxGetWorkspace();
  return pWorkspace != nullptr && pWorkspace->IsResourceSmartUpdate();
}

CString ParametersKey(LPCWSTR lpszProfileName) {
  return UfxGetRegPath(L"UfxToolBars", lpszProfileName) + L"UfxToolbarParameters";
}
}  // namespace

CString CUfxToolBar::StateKey(LPCWSTR lpszProfileName, int nIndex, UINT uiID) const {
  const CString strPath = UfxGetRegPath(L"UfxToolBars", lpszProfileName);
  const int nBar = nIndex == -1 ? (GetSafeHwnd() != nullptr ? GetDlgCtrlID() : 0) : nIndex;
  CString strKey;
  if (uiID == (UINT)-1) strKey.Format(L"%sUfxToolBar-%d", (LPCWSTR)strPath, nBar);
  else strKey.Format(L"%sUfxToolBar-%d%x", (LPCWSTR)strPath, nBar, uiID);
  return strKey;
}

BOOL CUfxToolBar::SaveState(LPCWSTR lpszProfileName, int nIndex, UINT uiID) {
  CMemFile file(1024);
  try {
    CArchive ar(&file, CArchive::store, 4096);
    Serialize(ar);
    ar.Close();
  } catch (CException* e) {
    e->Delete();
    return FALSE;
  }
  const UINT nSize = (UINT)file.GetLength();
  BYTE* pData = file.Detach();
  CUfxRegistry reg(FALSE, FALSE);
  BOOL bResult = FALSE;
  if (reg.CreateKey(StateKey(lpszProfileName, nIndex, uiID))) {
    if (GetSafeHwnd() != nullptr) {
      CString strName;
      GetWindowText(strName);
      reg.Write(L"Name", (LPCWSTR)strName);
    }
    bResult = reg.Write(L"Buttons", pData, nSize);
  }
  free(pData);
  if (bResult && IsSmartUpdate()) SaveOriginalItems(reg);
  return bResult;
}

BOOL CUfxToolBar::LoadState(LPCWSTR lpszProfileName, int nIndex, UINT uiID) {
  CUfxRegistry reg(FALSE, TRUE);
  if (!reg.Open(StateKey(lpszProfileName, nIndex, uiID))) return FALSE;
  BYTE* pData = nullptr;
  UINT nSize = 0;
  if (!reg.Read(L"Buttons", &pData, &nSize) || pData == nullptr) return FALSE;
  BOOL bResult = FALSE;
  try {
    CMemFile file(pData, nSize);
    CArchive ar(&file, CArchive::load, 4096);
    Serialize(ar);
    bResult = TRUE;
  } catch (CException* e) {
    // Damaged data: the bar keeps what it had.
    e->Delete();
  }
  delete[] pData;
  if (bResult && IsSmartUpdate()) LoadOriginalItems(reg);
  AdjustLayout();
  return bResult;
}

BOOL CUfxToolBar::RemoveSavedState(LPCWSTR lpszProfileName, int nIndex, UINT uiID) {
  CUfxRegistry reg(FALSE, FALSE);
  return reg.DeleteKey(StateKey(lpszProfileName, nIndex, uiID));
}

BOOL CUfxToolBar::SaveParameters(LPCWSTR lpszProfileName) {
  CUfxRegistry reg(FALSE, FALSE);
  if (!reg.CreateKey(ParametersKey(lpszProfileName))) return FALSE;
  return reg.Write(L"Tooltips", (int)s_bShowTooltips) && reg.Write(L"ShortcutKeys", (int)s_bShowShortcutKeys) &&
         reg.Write(L"LargeIcons", (int)s_bLargeIcons) && reg.Write(L"MenuAnimation", s_iMenuAnimation) &&
         reg.Write(L"RecentlyUsedMenus", (int)s_bRecentlyUsedMenus) && reg.Write(L"MenuShadows", (int)s_bMenuShadows) &&
         reg.Write(L"ShowAllMenusAfterDelay", (int)s_bShowAllMenusAfterDelay) &&
         reg.Write(L"Look2000", (int)CUfxVisualManager::GetInstance()->IsLook2000()) &&
         reg.Write(L"CommandsUsage", static_cast<CObject&>(UfxCommandUsage));
}

BOOL CUfxToolBar::LoadParameters(LPCWSTR lpszProfileName) {
  CUfxRegistry reg(FALSE, TRUE);
  if (!reg.Open(ParametersKey(lpszProfileName))) return FALSE;
  int nLargeIcons = 0;
  int nMenuAnimation = 0;
  int nLook2000 = 0;
  // Read in order, up to the first value that is missing.
  (void)(reg.Read(L"Tooltips", s_bShowTooltips) && reg.Read(L"ShortcutKeys", s_bShowShortcutKeys) &&
         reg.Read(L"LargeIcons", nLargeIcons) && reg.Read(L"MenuAnimation", nMenuAnimation) &&
         reg.Read(L"RecentlyUsedMenus", s_bRecentlyUsedMenus) && reg.Read(L"MenuShadows", s_bMenuShadows) &&
         reg.Read(L"ShowAllMenusAfterDelay", s_bShowAllMenusAfterDelay) && reg.Read(L"Look2000", nLook2000) &&
         reg.Read(L"CommandsUsage", static_cast<CObject&>(UfxCommandUsage)));
  // Only the four known animations; anything else stored reads as none.
  s_iMenuAnimation = nMenuAnimation >= 0 && nMenuAnimation <= 3 ? nMenuAnimation : 0;
  CUfxVisualManager::GetInstance()->SetLook2000(nLook2000 != 0);
  SetLargeIcons(nLargeIcons != 0);
  return TRUE;
}

// ---- original items -----------------------------------------------------------------------------

BOOL CUfxToolBar::SaveOriginalItems(CUfxRegistry& reg) const {
  if (m_OrigButtons.IsEmpty()) return TRUE;
  return reg.Write(L"OriginalItems", const_cast<CObList&>(m_OrigButtons));
}

BOOL CUfxToolBar::LoadOriginalItems(CUfxRegistry& reg) {
  CObList lstSaved;
  // No stored original items: nothing to compare, nothing merged.
  if (!reg.Read(L"OriginalItems", lstSaved, RUNTIME_CLASS(CUfxToolbarButton))) return FALSE;
  const BOOL bResult = MergeOriginalItems(lstSaved);
  DeleteButtons(lstSaved);
  return bResult;
}

namespace {
BOOL ListHasEqual(const CObList& list, const CUfxToolbarButton* pButton) {
  for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
    if (AsButton(list.GetNext(pos))->CompareWith(*pButton)) return TRUE;
  return FALSE;
}
}  // namespace

BOOL CUfxToolBar::MergeOriginalItems(const CObList& lstOrigButtons) {
  m_bOriginalItemsChanged = FALSE;
  // Commands dropped from the resource leave the bar.
  for (POSITION pos = lstOrigButtons.GetHeadPosition(); pos != nullptr;) {
    const CUfxToolbarButton* pSaved = AsButton(lstOrigButtons.GetNext(pos));
    if (ListHasEqual(m_OrigButtons, pSaved)) continue;
    m_bOriginalItemsChanged = TRUE;
    const int iIndex = CommandToIndex(pSaved->m_nID);
    if (iIndex >= 0) RemoveButton(iIndex);
  }
  // Commands new in the resource join the bar at their resource position.
  int i = 0;
  for (POSITION pos = m_OrigButtons.GetHeadPosition(); pos != nullptr; ++i) {
    const CUfxToolbarButton* pOrig = AsButton(m_OrigButtons.GetNext(pos));
    if (ListHasEqual(lstOrigButtons, pOrig)) continue;
    m_bOriginalItemsChanged = TRUE;
    const int nLimit = GetButtonCount() - (m_pCustomizeBtn != nullptr ? 1 : 0);
    const int iInsertAt = i < nLimit ? i : nLimit;
    if (pOrig->m_nID == 0) {
      InsertSeparator(iInsertAt);
      continue;
    }
    int iImage = -1;
    if (!GetDefaultImage(pOrig->m_nID, iImage)) iImage = -1;
    CUfxToolbarButton* pButton = new CUfxToolbarButton(pOrig->m_nID, iImage, nullptr, FALSE, m_bLocked);
    if (InsertButton(pButton, iInsertAt) < 0) delete pButton;
  }
  if (lstOrigButtons.GetCount() != m_OrigButtons.GetCount()) return m_bOriginalItemsChanged = TRUE;
  POSITION posSaved = lstOrigButtons.GetHeadPosition();
  for (POSITION pos = m_OrigButtons.GetHeadPosition(); pos != nullptr;) {
    if (!AsButton(m_OrigButtons.GetNext(pos))->CompareWith(*AsButton(lstOrigButtons.GetNext(posSaved))))
      return m_bOriginalItemsChanged = TRUE;
  }
  return m_bOriginalItemsChanged;
}
