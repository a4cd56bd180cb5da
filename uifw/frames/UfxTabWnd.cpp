#include "frames/UfxTabWnd.h"
#include "frames/UfxGlobalData.h"
#include "looks/UfxVisualManager.h"
#include <algorithm>
#include <cmath>
#include <windowsx.h>

IMPLEMENT_DYNCREATE(CUfxTabWnd, CWnd)

const UINT UFXM_ONCHANGE_ACTIVE_TAB = ::RegisterWindowMessageW(L"UFXM_ONCHANGE_ACTIVE_TAB");
const UINT UFXM_ON_HSCROLL = ::RegisterWindowMessageW(L"UFXM_ON_HSCROLL");
const UINT UFXM_ON_RENAME_TAB = ::RegisterWindowMessageW(L"UFXM_ON_RENAME_TAB");
const UINT UFXM_ON_BEFOREMOVE_TAB = ::RegisterWindowMessageW(L"UFXM_ON_BEFOREMOVE_TAB");
const UINT UFXM_ON_MOVE_TAB = ::RegisterWindowMessageW(L"UFXM_ON_MOVE_TAB");

BOOL(WINAPI* CUfxTabWnd::s_pfnMessageBeep)(UINT) = ::MessageBeep;
BOOL CUfxTabWnd::s_bInHScroll = FALSE;

namespace {

// Timers of a dragged tab held beside the strip: one scroll step left or right per tick.
const UINT_PTR kTimerScrollLeft = 1, kTimerScrollRight = 2;
const UINT kMoveScrollDelay = 250;
const UINT kAutoRepeatDelay = 50;
// The menu glyphs the buttons show are this wide.
const int kMenuGlyphWidth = 9;
// The left/right sizing cursor of the sizing bars, in the resource library.
const UINT kSplitCursorId = 30980;

const COLORREF kAutoColors[] = {0xE6AF94, 0x75DBFF, 0x9FCDBD, 0x9F9EF0, 0xE1A6BA, 0xB4BF9A, 0x83B6F7, 0xBBA4D5};
const COLORREF kAutoColors8Bit[] = {0x00FF00, 0xFFFF00, 0xFF00FF, 0xC0C0C0, 0x00FFFF};

int ScreenBitsPerPixel() {
  HDC hdc = ::GetDC(nullptr);
  const int bits = ::GetDeviceCaps(hdc, BITSPIXEL);
  ::ReleaseDC(nullptr, hdc);
  return bits;
}

}  // namespace

BEGIN_MESSAGE_MAP(CUfxTabWnd, CWnd)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_SIZE()
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_LBUTTONDOWN()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONUP()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_HSCROLL()
  ON_WM_TIMER()
  ON_WM_SETCURSOR()
  ON_WM_CANCELMODE()
  ON_WM_SYSCOLORCHANGE()
  ON_WM_SETTINGCHANGE()
END_MESSAGE_MAP()

CUfxTabWnd::CUfxTabWnd() {
  m_rectTabsArea.SetRectEmpty();
  m_rectWndArea.SetRectEmpty();
  m_rectTabSplitter.SetRectEmpty();
}

CUfxTabWnd::~CUfxTabWnd() {
  for (CTabInfo* pTab : m_arTabs) delete pTab;
  m_arTabs.clear();
  delete m_pInPlaceEdit;
}

BOOL CUfxTabWnd::Create(Style style, const RECT& rect, CWnd* pParentWnd, UINT nID, Location location, BOOL bCloseBtn) {
  m_bFlat = style == STYLE_FLAT || style == STYLE_FLAT_SHARED_SCROLL;
  m_bSharedScroll = style == STYLE_FLAT_SHARED_SCROLL;
  m_bScrollButtons = style != STYLE_3D;
  m_bSloped = style == STYLE_3D_SLOPED;
  m_bHotTracking = m_bSloped;
  m_location = location;
  m_bCloseBtn = bCloseBtn;
  return CWnd::Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, rect, pParentWnd, nID);
}

// ---- Creation and destruction -------------------------------------------------------------------

int CUfxTabWnd::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CWnd::OnCreate(lpCreateStruct) == -1) return -1;
  if (m_bScrollButtons) CreateButtons();
  if (m_bSharedScroll) m_wndScrollWnd.Create(WS_CHILD | WS_VISIBLE | SBS_HORZ, CRect(0, 0, 0, 0), this, ID_SHARED_SCROLLBAR);
  if (m_bFlat) {
    m_brActiveTab.CreateSolidBrush(m_clrActiveTabFg == (COLORREF)-1 ? UfxGlobalData.clrBtnFace : m_clrActiveTabFg);
  } else {
    // The labels' tooltip comes with the first mouse message (CreateToolTip).
    m_bTabToolTips = !m_bScrollButtons;
  }
  ComputeStripHeight();
  return 0;
}

void CUfxTabWnd::CreateToolTip() {
  if (!m_bTabToolTips || m_ToolTip.GetSafeHwnd() != nullptr || m_hWnd == nullptr || !m_ToolTip.Create(this)) return;
  m_ToolTip.Activate(TRUE);
  if (UfxGlobalData.m_nMaxToolTipWidth != -1) m_ToolTip.SetMaxTipWidth(UfxGlobalData.m_nMaxToolTipWidth);
  ::SetWindowPos(m_ToolTip.GetSafeHwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  // The tabs made so far, with the rectangles their layout gave them.
  for (CTabInfo* pTab : m_arTabs) m_ToolTip.AddTool(this, pTab->strText, &pTab->rectTool, pTab->uiToolId);
}

CToolTipCtrl& CUfxTabWnd::GetToolTip() {
  CreateToolTip();
  return m_ToolTip;
}

void CUfxTabWnd::CreateButtons() {
  struct ButtonDef {
    CUfxTabButton* pButton;
    UINT nID;
    int nGlyph, nDisabledGlyph;
    BOOL bFlatOnly;
    LPCWSTR lpszTip;
  };
  const ButtonDef defs[] = {{&m_btnScrollFirst, ID_BUTTON_FIRST, 32, -1, TRUE, nullptr},
                            {&m_btnScrollLeft, ID_BUTTON_LEFT, 34, 39, FALSE, L"Scroll Left"},
                            {&m_btnScrollRight, ID_BUTTON_RIGHT, 26, 27, FALSE, L"Scroll Right"},
                            {&m_btnScrollLast, ID_BUTTON_LAST, 33, -1, TRUE, nullptr},
                            {&m_btnClose, ID_BUTTON_CLOSE, 12, -1, FALSE, L"Close"}};
  for (const ButtonDef& def : defs) {
    if (def.bFlatOnly && !m_bFlat) continue;
    if (!def.pButton->Create(L"", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 0, 0), this, def.nID)) continue;
    def.pButton->SetStdImage(def.nGlyph, def.nDisabledGlyph);
    def.pButton->m_bDrawFocus = FALSE;
    if ((def.nID == ID_BUTTON_LEFT || def.nID == ID_BUTTON_RIGHT) && !m_bSloped)
      def.pButton->SetAutorepeatMode(kAutoRepeatDelay);
    if (!m_bFlat && def.lpszTip != nullptr) def.pButton->SetTooltip(def.lpszTip);
    m_lstButtons.AddTail(def.pButton->GetSafeHwnd());
  }
}

void CUfxTabWnd::OnDestroy() {
  EndLabelEdit();
  for (CTabInfo* pTab : m_arTabs) {
    if (m_bAutoDestoyWindow && pTab->pWnd != nullptr && ::IsWindow(pTab->pWnd->GetSafeHwnd())) pTab->pWnd->DestroyWindow();
    delete pTab;
  }
  m_arTabs.clear();
  m_iActiveTab = -1;
  m_brActiveTab.DeleteObject();
  m_bmpFrame.DeleteObject();
  if (m_ToolTip.GetSafeHwnd() != nullptr) m_ToolTip.DestroyWindow();
  CWnd::OnDestroy();
}

CUfxTabButton* CUfxTabWnd::GetButton(UINT nID) {
  CUfxTabButton* buttons[] = {&m_btnScrollFirst, &m_btnScrollLeft, &m_btnScrollRight, &m_btnScrollLast, &m_btnClose};
  for (CUfxTabButton* pButton : buttons)
    if (pButton->GetSafeHwnd() != nullptr && (UINT)pButton->GetDlgCtrlID() == nID) return pButton;
  return nullptr;
}

void CUfxTabWnd::ComputeStripHeight() {
  if (!m_bFlat) {
    m_nTabsHeight = std::max(UfxGlobalData.m_nTextHeightHorz + 2, (int)m_sizeImage.cy + 2 * kImageMargin);
    return;
  }
  m_nTabsHeight = ::GetSystemMetrics(SM_CYHSCROLL) + 2;
  LOGFONTW lf = {};
  if (::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf) == 0) return;
  LOGFONTW font = {};
  font.lfHeight = lf.lfHeight;
  font.lfCharSet = lf.lfCharSet;
  wcscpy(font.lfFaceName, L"Arial");
  CClientDC dc(nullptr);
  for (;;) {
    m_fntTabs.DeleteObject();
    m_fntTabs.CreateFontIndirect(&font);
    CFont* pOld = dc.SelectObject(&m_fntTabs);
    TEXTMETRICW tm = {};
    dc.GetTextMetrics(&tm);
    dc.SelectObject(pOld);
    if (tm.tmHeight + 2 <= m_nTabsHeight || font.lfHeight == 0) break;
    font.lfHeight += font.lfHeight < 0 ? 1 : -1;
  }
  font.lfWeight = FW_BOLD;
  m_fntTabsBold.DeleteObject();
  m_fntTabsBold.CreateFontIndirect(&font);
  m_hMeasuredFont = nullptr;
}

// ---- Tabs -------------------------------------------------------------------------------------------

void CUfxTabWnd::InsertTabAt(CWnd* pTabWnd, LPCWSTR lpszTabLabel, int nInsertAt, int uiImageId) {
  const int count = GetTabsNum();
  if (nInsertAt < 0 || nInsertAt > count) nInsertAt = count;
  CTabInfo* pTab = new CTabInfo;
  pTab->strText = lpszTabLabel != nullptr ? lpszTabLabel : L"";
  pTab->iImage = m_bFlat ? -1 : uiImageId;
  pTab->pWnd = pTabWnd;
  if (pTabWnd != nullptr && pTabWnd->GetSafeHwnd() != nullptr) {
    wchar_t className[64] = {};
    ::GetClassNameW(pTabWnd->GetSafeHwnd(), className, 64);
    pTab->bIsListView = _wcsicmp(className, L"SysListView32") == 0;
  }
  pTab->uiToolId = m_nNextToolId;
  pTab->rect.SetRectEmpty();
  if (!m_bFlat && m_ToolTip.GetSafeHwnd() != nullptr) {
    CRect empty(0, 0, 0, 0);
    m_ToolTip.AddTool(this, pTab->strText, &empty, pTab->uiToolId);
  }
  m_nNextToolId++;
  m_arTabs.insert(m_arTabs.begin() + nInsertAt, pTab);
  // A tab inserted before the active one leaves the same tab active.
  if (m_iActiveTab >= 0 && nInsertAt < m_iActiveTab) m_iActiveTab++;
  ComputeLayout();

  if (GetTabsNum() == 1) {
    SetActiveTab(0);
    return;
  }
  if (pTabWnd != nullptr && pTabWnd->GetSafeHwnd() != nullptr) {
    if (nInsertAt == m_iActiveTab) {
      // The new tab takes the active place: the old active window (now after it) goes.
      CTabInfo* pOld = GetTab(m_iActiveTab + 1);
      if (m_bHideInactiveWnd && pOld != nullptr && pOld->pWnd->GetSafeHwnd() != nullptr) pOld->pWnd->ShowWindow(SW_HIDE);
      if (m_bAutoSizeWindow) PlaceTabWindow(pTab);
      pTabWnd->ShowWindow(SW_SHOWNORMAL);
    } else if (m_bHideInactiveWnd) {
      pTabWnd->ShowWindow(SW_HIDE);
    }
  }
  if (!m_bHideInactiveWnd) {
    if (CWnd* pActive = GetActiveTabWindow()) {
      if (pActive->GetSafeHwnd() != nullptr) pActive->BringWindowToTop();
    }
  }
}

BOOL CUfxTabWnd::DeleteTab(int iTab) {
  CTabInfo* pTab = GetTab(iTab);
  if (pTab == nullptr) return FALSE;
  if (GetTabsNum() == 1) {
    RemoveAllTabs();
    return TRUE;
  }
  if (m_ToolTip.GetSafeHwnd() != nullptr) m_ToolTip.DelTool(this, pTab->uiToolId);
  m_arTabs.erase(m_arTabs.begin() + iTab);
  if (m_bAutoDestoyWindow && pTab->pWnd != nullptr && ::IsWindow(pTab->pWnd->GetSafeHwnd())) pTab->pWnd->DestroyWindow();
  delete pTab;
  if (m_iHighlighted >= GetTabsNum()) m_iHighlighted = -1;

  int iNewActive = m_iActiveTab;
  int iPrevious = m_iActiveTab;
  if (m_iActiveTab >= iTab) {
    iNewActive = std::max(0, m_iActiveTab - 1);
    iPrevious = -1;
    m_iActiveTab = -1;  // the tab that becomes active is shown afresh
  }
  ComputeLayout();
  SetActiveTab(iNewActive);
  if (CWnd* pTarget = GetNotifyTarget()) pTarget->SendMessage(UFXM_ONCHANGE_ACTIVE_TAB, iNewActive, iPrevious);
  return TRUE;
}

void CUfxTabWnd::RemoveAllTabs() {
  for (CTabInfo* pTab : m_arTabs) {
    if (m_ToolTip.GetSafeHwnd() != nullptr) m_ToolTip.DelTool(this, pTab->uiToolId);
    if (m_bAutoDestoyWindow && pTab->pWnd != nullptr && ::IsWindow(pTab->pWnd->GetSafeHwnd())) pTab->pWnd->DestroyWindow();
    delete pTab;
  }
  m_arTabs.clear();
  m_iActiveTab = -1;
  m_iHighlighted = -1;
  m_iFirstShownTab = 0;
  m_nNextToolId = 1;
  ComputeLayout();
}

BOOL CUfxTabWnd::SetTabText(int iTab, LPCWSTR lpszLabel) {
  CTabInfo* pTab = GetTab(iTab);
  if (pTab == nullptr || lpszLabel == nullptr || *lpszLabel == 0) return FALSE;
  pTab->strText = lpszLabel;
  pTab->nLabelWidth = -1;
  if (m_ToolTip.GetSafeHwnd() != nullptr) m_ToolTip.UpdateTipText(pTab->strText, this, pTab->uiToolId);
  ComputeLayout();
  return TRUE;
}

BOOL CUfxTabWnd::GetTabLabel(int iTab, CString& strLabel) const {
  const CTabInfo* pTab = GetTab(iTab);
  if (pTab == nullptr) return FALSE;
  strLabel = pTab->bIconOnly ? CString() : pTab->strText;
  return TRUE;
}

BOOL CUfxTabWnd::SetTabImage(int iTab, int iImage) {
  CTabInfo* pTab = GetTab(iTab);
  if (pTab == nullptr || m_bFlat) return FALSE;
  pTab->iImage = iImage;
  ComputeLayout();
  return TRUE;
}

int CUfxTabWnd::GetTabIcon(int iTab) const {
  const CTabInfo* pTab = GetTab(iTab);
  return pTab != nullptr ? pTab->iImage : -1;
}

BOOL CUfxTabWnd::SetTabTextColor(int iTab, COLORREF clr) {
  CTabInfo* pTab = GetTab(iTab);
  if (pTab == nullptr) return FALSE;
  pTab->clrText = clr;
  RedrawTab(iTab);
  return TRUE;
}

BOOL CUfxTabWnd::SetTabBkColor(int iTab, COLORREF clr) {
  CTabInfo* pTab = GetTab(iTab);
  if (pTab == nullptr) return FALSE;
  pTab->clrBack = clr;
  RedrawTab(iTab);
  return TRUE;
}

COLORREF CUfxTabWnd::GetTabTextColor(int iTab) const {
  const CTabInfo* pTab = GetTab(iTab);
  return pTab != nullptr ? pTab->clrText : (COLORREF)-1;
}

COLORREF CUfxTabWnd::GetTabBkColor(int iTab) const {
  const CTabInfo* pTab = GetTab(iTab);
  if (pTab == nullptr) return (COLORREF)-1;
  if (pTab->clrBack != (COLORREF)-1 || !m_bIsAutoColor) return pTab->clrBack;
  if (m_arAutoColors.IsEmpty()) const_cast<CUfxTabWnd*>(this)->BuildAutoColorList();
  // A list that is still empty has no colour to give.
  if (m_arAutoColors.IsEmpty()) return (COLORREF)-1;
  return m_arAutoColors[iTab % m_arAutoColors.GetSize()];
}

BOOL CUfxTabWnd::SetTabIconOnly(int iTab, BOOL bIconOnly) {
  CTabInfo* pTab = GetTab(iTab);
  if (pTab == nullptr) return FALSE;
  pTab->bIconOnly = bIconOnly;
  ComputeLayout();
  return TRUE;
}

BOOL CUfxTabWnd::SetTabAlwaysTooltip(int iTab, BOOL bAlways) {
  CTabInfo* pTab = GetTab(iTab);
  if (pTab == nullptr) return FALSE;
  pTab->bAlwaysShowToolTip = bAlways;
  ComputeTabRects();
  return TRUE;
}

BOOL CUfxTabWnd::ShowTab(int iTab, BOOL bShow) {
  CTabInfo* pTab = GetTab(iTab);
  if (pTab == nullptr) return FALSE;
  pTab->bVisible = bShow;
  if (!bShow) pTab->rect.SetRectEmpty();
  ComputeLayout();
  return TRUE;
}

BOOL CUfxTabWnd::SetImageList(HIMAGELIST hImageList) {
  if (m_bFlat) return FALSE;
  m_Images.DeleteImageList();
  m_sizeImage = CSize(0, 0);
  if (hImageList != nullptr) {
    m_Images.Attach(::ImageList_Duplicate(hImageList));
    IMAGEINFO info = {};
    if (m_Images.GetImageCount() > 0 && m_Images.GetImageInfo(0, &info))
      m_sizeImage = CSize(info.rcImage.right - info.rcImage.left, info.rcImage.bottom - info.rcImage.top);
  }
  ComputeStripHeight();
  ComputeLayout();
  return TRUE;
}

int CUfxTabWnd::GetVisibleTabsNum() const {
  int n = 0;
  for (const CTabInfo* pTab : m_arTabs) n += pTab->bVisible ? 1 : 0;
  return n;
}

BOOL CUfxTabWnd::IsTabVisible(int iTab) const {
  const CTabInfo* pTab = GetTab(iTab);
  return pTab != nullptr && pTab->bVisible;
}

BOOL CUfxTabWnd::GetTabRectangle(int iTab, CRect& rect) const {
  const CTabInfo* pTab = GetTab(iTab);
  if (pTab == nullptr || !pTab->bVisible) {
    rect.SetRectEmpty();
    return FALSE;
  }
  rect = pTab->rect;
  return TRUE;
}

CWnd* CUfxTabWnd::GetTabWindow(int iTab) const {
  const CTabInfo* pTab = GetTab(iTab);
  return pTab != nullptr ? pTab->pWnd : nullptr;
}

int CUfxTabWnd::FindTabByWindow(HWND hWnd) const {
  for (int i = 0; i < GetTabsNum(); ++i)
    if (m_arTabs[i]->pWnd != nullptr && m_arTabs[i]->pWnd->GetSafeHwnd() == hWnd) return i;
  return -1;
}

int CUfxTabWnd::IndexOf(const CTabInfo* pTab) const {
  for (int i = 0; i < GetTabsNum(); ++i)
    if (m_arTabs[i] == pTab) return i;
  return -1;
}

int CUfxTabWnd::NextVisibleTab(int iFrom, int nStep) const {
  const int count = GetTabsNum();
  for (int n = 1; n <= count; ++n) {
    const int i = ((iFrom + nStep * n) % count + count) % count;
    if (m_arTabs[i]->bVisible) return i;
  }
  return -1;
}

void CUfxTabWnd::RedrawTab(int iTab) {
  const CTabInfo* pTab = GetTab(iTab);
  if (pTab == nullptr || m_hWnd == nullptr) return;
  CRect rect = pTab->rect;
  rect.InflateRect(m_nTabsHeight / 2 + 1, 2);  // flat and sloped tabs reach over their neighbours
  InvalidateRect(rect);
  UpdateWindow();
}

void CUfxTabWnd::SetStripLocation(Location location) {
  m_location = location;
  ComputeLayout();
  if (CWnd* pParent = GetParent()) pParent->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// ---- Options ------------------------------------------------------------------------------------------

void CUfxTabWnd::HideSingleTab(BOOL bHide) {
  m_bHideSingleTab = bHide;
  ComputeLayout();
}

void CUfxTabWnd::HideNoTabs(BOOL bHide) {
  m_bHideNoTabs = bHide;
  ComputeLayout();
}

void CUfxTabWnd::EnableAutoColor(BOOL bEnable) {
  if (bEnable && m_arAutoColors.IsEmpty()) BuildAutoColorList();
  m_bIsAutoColor = bEnable;
  if (m_hWnd != nullptr) Invalidate();
}

void CUfxTabWnd::EnableAutoHideScrollButtons(BOOL bEnable) {
  m_bAutoHideScroll = bEnable;
  ComputeLayout();
}

void CUfxTabWnd::SetAutoColors(const CArray<COLORREF, COLORREF>& colors) {
  m_arAutoColors.RemoveAll();
  for (INT_PTR i = 0; i < colors.GetSize(); ++i) m_arAutoColors.Add(colors[i]);
  m_bIsDefaultAutoColor = colors.IsEmpty();
  if (m_bIsDefaultAutoColor) BuildAutoColorList();
  if (m_hWnd != nullptr) Invalidate();
}

void CUfxTabWnd::BuildAutoColorList() {
  if (!m_bIsDefaultAutoColor) return;
  m_arAutoColors.RemoveAll();
  if (ScreenBitsPerPixel() <= 8) {
    for (COLORREF clr : kAutoColors8Bit) m_arAutoColors.Add(clr);
  } else {
    for (COLORREF clr : kAutoColors) m_arAutoColors.Add(clr);
  }
}

void CUfxTabWnd::SetFlatFrameColor(COLORREF clr) {
  m_clrActiveTabFg = clr;
  if (!m_bFlat || m_hWnd == nullptr) return;
  m_brActiveTab.DeleteObject();
  m_brActiveTab.CreateSolidBrush(clr == (COLORREF)-1 ? UfxGlobalData.clrBtnFace : clr);
  Invalidate();
}

void CUfxTabWnd::SetTabBorderSize(int nSize) {
  m_nTabBorderSize = std::max(0, nSize);
  ComputeLayout();
}

// ---- Activation ---------------------------------------------------------------------------------------

BOOL CUfxTabWnd::SetActiveTab(int iTab) {
  CTabInfo* pTab = GetTab(iTab);
  if (pTab == nullptr) return FALSE;
  if (iTab == m_iActiveTab) return TRUE;
  const int iPrevious = m_iActiveTab;
  if (CTabInfo* pOld = GetTab(iPrevious)) {
    if (m_bHideInactiveWnd && pOld->pWnd->GetSafeHwnd() != nullptr) pOld->pWnd->ShowWindow(SW_HIDE);
  }
  m_iActiveTab = iTab;
  CWnd* pWnd = pTab->pWnd;
  const BOOL bHasWindow = pWnd->GetSafeHwnd() != nullptr;
  if (bHasWindow) {
    if (m_bSharedScroll) {
      pWnd->ShowScrollBar(SB_HORZ, FALSE);
      pWnd->ModifyStyle(WS_HSCROLL, 0, SWP_FRAMECHANGED);
    }
    pWnd->ShowWindow(SW_SHOW);
    if (!m_bHideInactiveWnd) pWnd->BringWindowToTop();
    if (m_bAutoSizeWindow) {
      // One pixel wider and back: the window hears of its size even when it had it already.
      const CRect& r = m_rectWndArea;
      const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
      pWnd->SetWindowPos(nullptr, r.left, r.top, r.Width() + 1, r.Height(), flags);
      pWnd->SetWindowPos(nullptr, r.left, r.top, r.Width(), r.Height(), flags);
      pTab->rectPlaced = r;
    }
  }
  EnsureVisible(iTab);
  if (m_bFlat) SyncSharedScrollBar();
  RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
  if (iPrevious == -1 || !bHasWindow) return TRUE;

  CView* pView = DYNAMIC_DOWNCAST(CView, pWnd);
  CFrameWnd* pFrame = pView != nullptr ? pView->GetParentFrame() : nullptr;
  if (pFrame != nullptr && pFrame->IsChild(pView)) pFrame->SetActiveView(pView);
  else pWnd->SetFocus();
  return TRUE;
}

BOOL CUfxTabWnd::SwitchTabByKey(BOOL bNext) {
  if (m_iActiveTab < 0) return FALSE;
  const int iPrevious = m_iActiveTab;
  const int iNew = NextVisibleTab(m_iActiveTab, bNext ? 1 : -1);
  if (iNew < 0 || iNew == iPrevious) return FALSE;
  SetActiveTab(iNew);
  if (CWnd* pWnd = GetActiveTabWindow()) {
    if (pWnd->GetSafeHwnd() != nullptr) pWnd->SetFocus();
  }
  if (CWnd* pTarget = GetNotifyTarget()) pTarget->SendMessage(UFXM_ONCHANGE_ACTIVE_TAB, iNew, iPrevious);
  return TRUE;
}

// ---- Layout -------------------------------------------------------------------------------------------

BOOL CUfxTabWnd::IsStripHidden() const {
  if (m_bSharedScroll) return FALSE;
  const int visible = GetVisibleTabsNum();
  return (m_bHideSingleTab && visible < 2) || (m_bHideNoTabs && visible == 0);
}

int CUfxTabWnd::GetButtonSize() const { return std::max(0, std::min(m_nTabsHeight - 4, kMenuGlyphWidth + 6)); }

void CUfxTabWnd::ComputeLayout() {
  if (m_hWnd == nullptr) return;
  CRect rectClient;
  GetClientRect(rectClient);
  const BOOL bHidden = IsStripHidden();
  const int strip = bHidden ? 0 : m_nTabsHeight;
  const int border = m_nTabBorderSize;
  const int edge = border > 1 ? border - 1 : 0;

  m_rectTabsArea = rectClient;
  m_rectTabsArea.DeflateRect(border, 0);
  if (m_location == LOCATION_TOP) {
    m_rectTabsArea.top += edge;
    m_rectTabsArea.bottom = m_rectTabsArea.top + strip;
  } else {
    m_rectTabsArea.bottom -= edge;
    m_rectTabsArea.top = m_rectTabsArea.bottom - strip;
  }
  // A client area too low for the strip: no strip until the window grows again.
  m_bStripCollapsed = rectClient.Height() < strip + edge;
  if (m_bStripCollapsed) {
    if (m_location == LOCATION_TOP) m_rectTabsArea.bottom = m_rectTabsArea.top;
    else m_rectTabsArea.top = m_rectTabsArea.bottom;
  }

  const int s = GetButtonSize();
  const int nButtons = (int)m_lstButtons.GetCount() - ((m_bCloseBtn || m_lstButtons.IsEmpty()) ? 0 : 1);
  const int buttonsWidth = (bHidden || m_bStripCollapsed) ? 0 : s * nButtons;
  if (m_bFlat) {
    m_rectTabsArea.left += buttonsWidth + 1;
  } else if (m_bScrollButtons) {
    m_rectTabsArea.right -= buttonsWidth;
    if (m_bSloped) m_rectTabsArea.left += s;
  }
  LayoutButtons(s, buttonsWidth);
  if (!m_bFlat) m_rectTabsArea.right -= 2 * border;
  if (m_rectTabsArea.right < m_rectTabsArea.left) m_rectTabsArea.right = m_rectTabsArea.left;

  m_rectWndArea = rectClient;
  m_rectWndArea.DeflateRect(border + 1, border + 1);
  if (!bHidden && !m_bStripCollapsed) {
    if (m_bFlat) {
      if (m_location == LOCATION_TOP) m_rectWndArea.top = m_rectTabsArea.bottom + border;
      else m_rectWndArea.bottom = m_rectTabsArea.top;
      if (border == 0) {
        m_rectWndArea.left++;
        if (m_location == LOCATION_TOP) m_rectWndArea.top++;
        else m_rectWndArea.bottom--;
      }
    } else if (m_location == LOCATION_TOP) {
      m_rectWndArea.top = m_rectTabsArea.bottom + 2 * border;
    } else {
      m_rectWndArea.bottom = m_rectTabsArea.top - 2 * border;
    }
  }
  if (m_rectWndArea.bottom < m_rectWndArea.top) m_rectWndArea.bottom = m_rectWndArea.top;
  m_nScrollBarRight = m_rectTabsArea.right - ::GetSystemMetrics(SM_CXVSCROLL);

  if (m_bAutoSizeWindow) {
    // A hidden inactive window is placed when it is shown (SetActiveTab sizes it then).
    for (CTabInfo* pTab : m_arTabs) {
      if (!pTab->bVisible || pTab->pWnd->GetSafeHwnd() == nullptr) continue;
      if (m_bHideInactiveWnd && !pTab->pWnd->IsWindowVisible()) continue;
      PlaceTabWindow(pTab);
    }
  }
  PlaceSharedScrollBar();
  ComputeTabRects();
  ClampScrollOffset();
  RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
}

void CUfxTabWnd::PlaceTabWindow(CTabInfo* pTab) {
  if (pTab->pWnd->GetSafeHwnd() == nullptr || pTab->rectPlaced == m_rectWndArea) return;
  pTab->pWnd->SetWindowPos(nullptr, m_rectWndArea.left, m_rectWndArea.top, m_rectWndArea.Width(),
                           m_rectWndArea.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  pTab->rectPlaced = m_rectWndArea;
}

void CUfxTabWnd::LayoutButtons(int s, int buttonsWidth) {
  CRect rectClient;
  GetClientRect(rectClient);
  const BOOL bHidden = buttonsWidth == 0;
  const int y = m_rectTabsArea.top + (m_rectTabsArea.Height() - s) / 2;
  int x = m_bFlat ? rectClient.left + m_nTabBorderSize + 1 : m_rectTabsArea.right;
  const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
  int index = 0;
  for (POSITION pos = m_lstButtons.GetHeadPosition(); pos != nullptr; ++index) {
    HWND hButton = m_lstButtons.GetNext(pos);
    const BOOL bClose = hButton == m_btnClose.GetSafeHwnd();
    CRect rect(0, 0, 0, 0);
    if (bHidden || (bClose && !m_bCloseBtn)) {
      // no room on the strip
    } else if (m_bSloped && hButton == m_btnScrollLeft.GetSafeHwnd()) {
      // The sloped strip keeps its left button alone, just left of the tabs.
      rect = CRect(CPoint(m_rectTabsArea.left - s - 1, y), CSize(s, s));
    } else {
      rect = CRect(CPoint(x, y), CSize(s, s));
      x += s;
    }
    if (index < kButtonCount && m_rectButtons[index] == rect) continue;
    ::SetWindowPos(hButton, nullptr, rect.left, rect.top, rect.Width(), rect.Height(), flags);
    if (index < kButtonCount) m_rectButtons[index] = rect;
    ::InvalidateRect(hButton, nullptr, TRUE);
  }
}

void CUfxTabWnd::PlaceSharedScrollBar() {
  m_rectTabSplitter.SetRectEmpty();
  if (m_wndScrollWnd.GetSafeHwnd() == nullptr) return;
  const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS;
  const int minWidth = 2 * ::GetSystemMetrics(SM_CXHSCROLL);
  if (IsStripHidden() || m_bStripCollapsed || m_nHorzScrollWidth < minWidth) {
    m_wndScrollWnd.SetWindowPos(nullptr, 0, 0, 0, 0, flags);
    return;
  }
  CRect rectBar = m_rectTabsArea;
  rectBar.left = rectBar.right - m_nHorzScrollWidth;
  if (m_location == LOCATION_BOTTOM) rectBar.OffsetRect(0, 1);
  m_rectTabsArea.right = rectBar.left - 5;
  m_rectTabSplitter = CRect(m_rectTabsArea.right, m_rectTabsArea.top, rectBar.left, m_rectTabsArea.bottom);
  m_wndScrollWnd.SetWindowPos(nullptr, rectBar.left, rectBar.top, rectBar.Width(), rectBar.Height(), flags);
}

void CUfxTabWnd::OnSize(UINT nType, int cx, int cy) {
  CWnd::OnSize(nType, cx, cy);
  const int available = cx - 2 * m_nTabBorderSize - 4 * ::GetSystemMetrics(SM_CXVSCROLL);
  const int minWidth = 2 * ::GetSystemMetrics(SM_CXHSCROLL);
  if (available / 2 > minWidth) m_nHorzScrollWidth = available / 2;
  else if (available > minWidth) m_nHorzScrollWidth = available;
  else m_nHorzScrollWidth = 0;
  if (m_bSloped) {
    m_nTabsHorzOffset = 0;
    m_iFirstShownTab = 0;
  }
  // The buttons take their final state once, not the passing one of the restart.
  m_bDeferButtonStates = TRUE;
  ComputeLayout();
  SyncSharedScrollBar();
  if (m_bSloped && m_iActiveTab >= 0) EnsureVisible(m_iActiveTab);
  m_bDeferButtonStates = FALSE;
  UpdateScrollButtons();
}

// ---- Tab rectangles -----------------------------------------------------------------------------------

void CUfxTabWnd::SetToolRect(CTabInfo* pTab, const CRect& rect) {
  // Kept without the tooltip too: it takes the rectangle when it is made.
  if (pTab->rectTool == rect) return;
  pTab->rectTool = rect;
  if (m_ToolTip.GetSafeHwnd() != nullptr) m_ToolTip.SetToolRect(this, pTab->uiToolId, &rect);
}

void CUfxTabWnd::ComputeTabRects() {
  m_nTabsTotalWidth = 0;
  if (m_hWnd == nullptr) return;
  const BOOL bHidden = IsStripHidden();
  if (GetVisibleTabsNum() == 0 || bHidden || m_nTabsHeight == 0 || m_bStripCollapsed) {
    if (bHidden || m_bStripCollapsed) {
      for (CTabInfo* pTab : m_arTabs) {
        pTab->rect.SetRectEmpty();
        SetToolRect(pTab, pTab->rect);
      }
    }
    return;
  }
  CClientDC dc(this);
  CFont* pFont = m_bFlat ? &m_fntTabsBold : &UfxGlobalData.fontRegular;
  if ((HFONT)pFont->GetSafeHandle() != m_hMeasuredFont) {
    m_hMeasuredFont = (HFONT)pFont->GetSafeHandle();
    for (CTabInfo* pTab : m_arTabs) pTab->nLabelWidth = -1;
  }
  CFont* pOldFont = dc.SelectObject(pFont);
  int nTotal = 0;
  MeasureTabs(&dc, nTotal);
  dc.SelectObject(pOldFont);
  m_nTabsTotalWidth = nTotal;
  if (!m_bFlat && !m_bScrollButtons && nTotal > m_rectTabsArea.Width()) ShrinkTabsToFit();
  else m_nTabsTotalWidth += m_nTabsHeight / 2;
}

// Pass 1: every visible tab at its full width, from the scrolled start of the strip.
void CUfxTabWnd::MeasureTabs(CDC* pDC, int& nTotalWidth) {
  const int overlap = m_bSloped ? m_nTabsHeight - 5 : 0;
  const int shiftTop = m_location == LOCATION_TOP ? 2 : 0;
  int x = m_rectTabsArea.left - m_nTabsHorzOffset;
  for (CTabInfo* pTab : m_arTabs) {
    if (!pTab->bVisible) {
      pTab->rect.SetRectEmpty();
      SetToolRect(pTab, pTab->rect);
      continue;
    }
    if (pTab->nLabelWidth < 0) pTab->nLabelWidth = pDC->GetTextExtent(pTab->strText).cx;
    const int labelWidth = pTab->bIconOnly ? 0 : pTab->nLabelWidth;
    const BOOL bHasImage = !m_bFlat && pTab->iImage >= 0 && m_Images.GetSafeHandle() != nullptr;
    int width = labelWidth + 4 + (bHasImage ? m_sizeImage.cx : 0) + 8;
    if (m_bSloped) width += m_nTabsHeight + 8;
    pTab->nFullWidth = width;
    pTab->rect = CRect(x, m_rectTabsArea.top, x + width, m_rectTabsArea.bottom - 2);
    pTab->rect.OffsetRect(0, shiftTop);
    SetToolRect(pTab, pTab->bAlwaysShowToolTip ? pTab->rect : CRect(0, 0, 0, 0));
    x += width - overlap + 1;
    nTotalWidth += width - overlap + 1;
    if (m_bFlat) pTab->rect.right += m_nTabsHeight / 2;
  }
}

// Pass 2: the tabs of a 3D strip without scroll buttons share the area; cut tabs get a tooltip.
void CUfxTabWnd::ShrinkTabsToFit() {
  const int visible = GetVisibleTabsNum();
  int m = m_rectTabsArea.Width() / visible;
  int room = 0, wide = 0;
  for (const CTabInfo* pTab : m_arTabs) {
    if (!pTab->bVisible) continue;
    if (pTab->nFullWidth < m) room += m - pTab->nFullWidth;
    else wide++;
  }
  const BOOL bShared = room > 0 && wide > 0;
  if (wide > 0) m += room / wide;
  const int shiftTop = m_location == LOCATION_TOP ? 2 : 0;
  const int imageWidth = m_Images.GetSafeHandle() != nullptr ? m_sizeImage.cx : 0;
  int x = m_rectTabsArea.left;
  for (CTabInfo* pTab : m_arTabs) {
    if (!pTab->bVisible) continue;
    int w = std::min(pTab->nFullWidth, m);
    if (m < imageWidth + 4) w = (m_rectTabsArea.right + 2 * m_nTabBorderSize - m_rectTabsArea.left) / visible;
    if (pTab->strText.IsEmpty() || pTab->bIconOnly) w = imageWidth + 8;
    pTab->rect = CRect(x, m_rectTabsArea.top, x + w, m_rectTabsArea.bottom - 2);
    pTab->rect.OffsetRect(0, shiftTop);
    const BOOL bCut = pTab->nFullWidth > m;
    SetToolRect(pTab, (bCut || pTab->bAlwaysShowToolTip) ? pTab->rect : CRect(0, 0, 0, 0));
    x += w + (bShared ? 1 : 0);
  }
}

// ---- Scrolling ----------------------------------------------------------------------------------------

void CUfxTabWnd::ClampScrollOffset() {
  if (!m_bScrollButtons) {
    m_nTabsHorzOffset = 0;
    m_nTabsHorzOffsetMax = 0;
    return;
  }
  const int old = m_nTabsHorzOffset;
  if (GetVisibleTabsNum() > 0) {
    m_nTabsHorzOffsetMax = std::max(0, (int)(m_rectTabsArea.left + m_nTabsTotalWidth - m_rectTabsArea.right));
    if (m_nTabsHorzOffset < 0) m_nTabsHorzOffset = 0;
    if (!m_bSloped && m_nTabsHorzOffset > m_nTabsHorzOffsetMax) m_nTabsHorzOffset = m_nTabsHorzOffsetMax;
  } else {
    m_nTabsHorzOffsetMax = 0;
    m_nTabsHorzOffset = 0;
  }
  if (m_bAutoHideScroll) {
    const int nShow = m_nTabsHorzOffsetMax > 0 ? SW_SHOWNOACTIVATE : SW_HIDE;
    for (POSITION pos = m_lstButtons.GetHeadPosition(); pos != nullptr;) ::ShowWindow(m_lstButtons.GetNext(pos), nShow);
  }
  if (old != m_nTabsHorzOffset) {
    ComputeTabRects();
    InvalidateRect(m_rectTabsArea);
  }
  UpdateScrollButtons();
}

void CUfxTabWnd::UpdateScrollButtons() {
  if (m_bFlat || !m_bScrollButtons || m_bDeferButtonStates) return;
  BOOL bLeft, bRight;
  if (m_bSloped) {
    bLeft = m_iFirstShownTab > 0;
    int iLast = -1;
    for (int i = 0; i < GetTabsNum(); ++i)
      if (m_arTabs[i]->bVisible) iLast = i;
    bRight = iLast >= 0 && m_arTabs[iLast]->rect.right > m_rectTabsArea.right && m_iFirstShownTab < iLast;
  } else {
    bLeft = m_nTabsHorzOffset > 0;
    bRight = m_nTabsHorzOffset < m_nTabsHorzOffsetMax;
  }
  std::pair<CUfxTabButton*, BOOL> states[] = {{&m_btnScrollLeft, bLeft}, {&m_btnScrollRight, bRight}};
  for (auto& state : states) {
    CUfxTabButton* pButton = state.first;
    if (pButton->GetSafeHwnd() == nullptr) continue;
    // A button that becomes disabled stops repeating.
    if (!state.second && pButton->IsWindowEnabled()) pButton->SendMessage(WM_CANCELMODE);
    if ((pButton->IsWindowEnabled() != FALSE) != (state.second != FALSE)) pButton->EnableWindow(state.second);
  }
}

BOOL CUfxTabWnd::EnsureVisible(int iTab) {
  CTabInfo* pTab = GetTab(iTab);
  if (pTab == nullptr) return FALSE;
  if (!m_bScrollButtons || m_rectTabsArea.IsRectEmpty() || m_hWnd == nullptr) return TRUE;
  BOOL bResult = TRUE;
  if (pTab->rect.left < m_rectTabsArea.left) {
    m_nTabsHorzOffset -= m_rectTabsArea.left - pTab->rect.left;
    if (m_bSloped) m_iFirstShownTab = iTab;
  } else if (pTab->rect.right > m_rectTabsArea.right && pTab->rect.Width() < m_rectTabsArea.Width()) {
    if (!m_bSloped) {
      m_nTabsHorzOffset += pTab->rect.right - m_rectTabsArea.right;
    } else {
      // The sloped strip scrolls by whole tabs; every step moves all tabs left by the same amount.
      int right = pTab->rect.right;
      while (right > m_rectTabsArea.right) {
        CTabInfo* pFirst = GetTab(m_iFirstShownTab);
        if (pFirst == nullptr || m_iFirstShownTab >= GetTabsNum() - 1) {
          bResult = FALSE;
          break;
        }
        const int step = pFirst->rect.Width() - m_nTabsHeight + 5;
        m_nTabsHorzOffset += step;
        right -= step;
        m_iFirstShownTab++;
        if (step <= 0) {
          bResult = FALSE;
          break;
        }
      }
    }
  }
  ComputeTabRects();
  ClampScrollOffset();
  RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
  return bResult;
}

void CUfxTabWnd::ScrollStrip(UINT nButtonId) {
  const int old = m_nTabsHorzOffset;
  switch (nButtonId) {
    case ID_BUTTON_LEFT:
      if (!m_bSloped) {
        m_nTabsHorzOffset -= 20;
      } else if (m_iFirstShownTab > 0) {
        m_iFirstShownTab--;
        if (CTabInfo* pTab = GetTab(m_iFirstShownTab)) m_nTabsHorzOffset -= pTab->rect.Width() - m_nTabsHeight + 6;
      }
      break;
    case ID_BUTTON_RIGHT:
      if (!m_bSloped) {
        m_nTabsHorzOffset += 20;
      } else if (m_iFirstShownTab < GetTabsNum() - 1) {
        if (CTabInfo* pTab = GetTab(m_iFirstShownTab)) m_nTabsHorzOffset += pTab->rect.Width() - m_nTabsHeight + 5;
        m_iFirstShownTab++;
      }
      break;
    case ID_BUTTON_FIRST: m_nTabsHorzOffset = 0; break;
    case ID_BUTTON_LAST: m_nTabsHorzOffset = m_nTabsHorzOffsetMax; break;
  }
  if (m_nTabsHorzOffset < 0) m_nTabsHorzOffset = 0;
  if (!m_bSloped && m_nTabsHorzOffset > m_nTabsHorzOffsetMax) m_nTabsHorzOffset = m_nTabsHorzOffsetMax;
  if (m_nTabsHorzOffset == old) return;
  ComputeTabRects();
  UpdateScrollButtons();
  RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

BOOL CUfxTabWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  const UINT nID = LOWORD(wParam);
  const HWND hFrom = (HWND)lParam;
  const BOOL bFromButton = hFrom != nullptr && ::GetParent(hFrom) == m_hWnd;
  if (bFromButton && nID >= ID_BUTTON_FIRST && nID <= ID_BUTTON_LAST) {
    ScrollStrip(nID);
    return TRUE;
  }
  if (bFromButton && nID == ID_BUTTON_CLOSE) {
    if (CWnd* pWnd = GetActiveTabWindow()) {
      if (pWnd->GetSafeHwnd() != nullptr) pWnd->SendMessage(WM_CLOSE);
    }
    return TRUE;
  }
  return CWnd::OnCommand(wParam, lParam);
}

void CUfxTabWnd::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent == kTimerScrollLeft || nIDEvent == kTimerScrollRight) {
    ScrollStrip(nIDEvent == kTimerScrollLeft ? ID_BUTTON_LEFT : ID_BUTTON_RIGHT);
    return;
  }
  CWnd::OnTimer(nIDEvent);
}

// ---- Painting -----------------------------------------------------------------------------------------

BOOL CUfxTabWnd::OnEraseBkgnd(CDC* pDC) {
  if (!m_arTabs.empty() || m_bNoEraseBackground) return TRUE;
  CRect rectClient;
  GetClientRect(rectClient);
  pDC->FillRect(&rectClient, &UfxGlobalData.brBtnFace);
  return TRUE;
}

void CUfxTabWnd::OnPaint() {
  CPaintDC dcPaint(this);
  CRect rectClient;
  GetClientRect(rectClient);
  if (rectClient.IsRectEmpty()) return;
  // Drawn off screen and copied, the active window's area left out.
  CDC dc;
  dc.CreateCompatibleDC(&dcPaint);
  CBitmap bitmap;
  bitmap.CreateCompatibleBitmap(&dcPaint, rectClient.Width(), rectClient.Height());
  CBitmap* pOldBitmap = dc.SelectObject(&bitmap);
  PaintStrip(&dc);
  dcPaint.ExcludeClipRect(&m_rectWndArea);
  dcPaint.BitBlt(0, 0, rectClient.Width(), rectClient.Height(), &dc, 0, 0, SRCCOPY);
  dc.SelectObject(pOldBitmap);
}

void CUfxTabWnd::PaintStrip(CDC* pDC) {
  CUfxVisualManager* pManager = CUfxVisualManager::GetInstance();
  CRect rectClient;
  GetClientRect(rectClient);
  COLORREF clrDark, clrBlack, clrHighlight, clrFace, clrDarkShadow, clrLight;
  CBrush* pbrFace = nullptr;
  CBrush* pbrBlack = nullptr;
  pManager->GetTabFrameColors(this, clrDark, clrBlack, clrHighlight, clrFace, clrDarkShadow, clrLight, pbrFace, pbrBlack);

  PaintFrame(pDC, clrFace, clrHighlight);
  const CRect rectStrip(rectClient.left, m_rectTabsArea.top, rectClient.right, m_rectTabsArea.bottom);
  if (!rectStrip.IsRectEmpty()) pManager->OnEraseTabsArea(pDC, rectStrip, this);
  if (!m_bFlat && !m_rectWndArea.IsRectEmpty()) {
    CRect rectFrame = m_rectWndArea;
    rectFrame.InflateRect(1, 1);
    pDC->Draw3dRect(&rectFrame, clrDark, clrHighlight);
    rectFrame.InflateRect(1, 1);
    pDC->Draw3dRect(&rectFrame, clrDarkShadow, clrLight);
  }
  if (m_rectTabsArea.Height() > 0 && !m_arTabs.empty()) {
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF oldColor = pDC->SetTextColor(clrBlack);
    CFont* pOldFont = pDC->SelectObject(m_bFlat ? &m_fntTabs : &UfxGlobalData.fontRegular);
    CRect rectClip = m_rectTabsArea;
    rectClip.InflateRect(0, 2);
    CRgn rgn;
    rgn.CreateRectRgnIndirect(&rectClip);
    pDC->SelectClipRgn(&rgn);
    // Tabs scrolled out of the strip are not drawn at all.
    CRect rectShown = m_rectTabsArea;
    rectShown.InflateRect(m_nTabsHeight, 2);
    for (int i = GetTabsNum() - 1; i >= 0; --i) {
      if (i == m_iActiveTab) continue;
      if (m_arTabs[i]->rect.right < rectShown.left || m_arTabs[i]->rect.left > rectShown.right) continue;
      if (m_bFlat) PaintTabFlat(pDC, m_arTabs[i], FALSE);
      else PaintTab3D(pDC, m_arTabs[i], FALSE);
    }
    if (m_bTabMoving && m_nTabMoveTarget >= 0) {
      int x = m_rectTabsArea.right;
      if (const CTabInfo* pTarget = GetTab(m_nTabMoveTarget)) x = pTarget->rect.left;
      else if (const CTabInfo* pLast = GetTab(GetTabsNum() - 1)) x = pLast->rect.right;
      PaintMoveMarker(pDC, x, m_rectTabsArea.top, m_rectTabsArea.bottom, m_nTabsHeight / 2);
    }
    if (CTabInfo* pActive = GetTab(m_iActiveTab)) {
      if (m_bFlat) PaintTabFlat(pDC, pActive, TRUE);
      else PaintTab3D(pDC, pActive, TRUE);
    }
    pDC->SelectClipRgn(nullptr);
    pDC->SelectObject(pOldFont);
    pDC->SetTextColor(oldColor);
    pDC->SetBkMode(oldMode);
  }
  PaintSplitter(pDC, clrHighlight, clrDarkShadow, clrLight, clrDark, pbrFace);
  if (m_bFlat && m_nTabsHorzOffset > 0 && m_rectTabsArea.Height() > 0) {
    pDC->FillSolidRect(m_rectTabsArea.left, m_rectTabsArea.top, 1, m_rectTabsArea.Height(), clrDark);
  }
}

// The look erases the frame into a bitmap kept for the next paints: a gradient over the whole
// client area is costly, and it changes only with the size, the look and its colours.
void CUfxTabWnd::PaintFrame(CDC* pDC, COLORREF clrFace, COLORREF clrHighlight) {
  CUfxVisualManager* pManager = CUfxVisualManager::GetInstance();
  CRect rectClient;
  GetClientRect(rectClient);
  FrameCacheKey key;
  key.size = rectClient.Size();
  key.pLook = pManager->GetRuntimeClass();
  key.clrFace = clrFace;
  key.clrHighlight = clrHighlight;
  key.clrBarFace = UfxGlobalData.clrBarFace;
  key.clrBarHilite = UfxGlobalData.clrBarHilite;
  key.clrActive = GetTabBkColor(m_iActiveTab);
  key.location = m_location;
  CDC dcFrame;
  dcFrame.CreateCompatibleDC(pDC);
  if (m_bmpFrame.GetSafeHandle() == nullptr || !(key == m_keyFrame)) {
    m_bmpFrame.DeleteObject();
    m_bmpFrame.CreateCompatibleBitmap(pDC, rectClient.Width(), rectClient.Height());
    CBitmap* pOld = dcFrame.SelectObject(&m_bmpFrame);
    if (!pManager->OnEraseTabsFrame(&dcFrame, rectClient, this)) dcFrame.FillSolidRect(&rectClient, clrFace);
    dcFrame.SelectObject(pOld);
    m_keyFrame = key;
  }
  CBitmap* pOld = dcFrame.SelectObject(&m_bmpFrame);
  pDC->BitBlt(0, 0, rectClient.Width(), rectClient.Height(), &dcFrame, 0, 0, SRCCOPY);
  dcFrame.SelectObject(pOld);
}

void CUfxTabWnd::PaintSplitter(CDC* pDC, COLORREF clrHi, COLORREF clrDkShadow, COLORREF clrLight, COLORREF clrDark,
                               CBrush* pbrSplitter) {
  if (m_rectTabSplitter.IsRectEmpty()) return;
  CRect rect = m_rectTabSplitter;
  if (pbrSplitter != nullptr) pDC->FillRect(&rect, pbrSplitter);
  pDC->Draw3dRect(&rect, clrHi, clrDkShadow);
  rect.DeflateRect(1, 1);
  pDC->Draw3dRect(&rect, clrLight, clrDark);
}

int CUfxTabWnd::PaintTab3D(CDC* pDC, CTabInfo* pTab, BOOL bIsActive) {
  if (!pTab->bVisible || pTab->rect.IsRectEmpty()) return 0;
  if (m_bSloped && pTab->rect.left < m_rectTabsArea.left) return 0;
  CUfxVisualManager::GetInstance()->OnDrawTab(pDC, pTab->rect, IndexOf(pTab), bIsActive, this);
  return 1;
}

int CUfxTabWnd::PaintTabFlat(CDC* pDC, CTabInfo* pTab, BOOL bIsActive) {
  if (!pTab->bVisible || pTab->rect.IsRectEmpty()) return 0;
  // The active flat tab shows its label in bold.
  CFont* pOld = bIsActive ? pDC->SelectObject(&m_fntTabsBold) : nullptr;
  CUfxVisualManager::GetInstance()->OnDrawTab(pDC, pTab->rect, IndexOf(pTab), bIsActive, this);
  if (pOld != nullptr) pDC->SelectObject(pOld);
  return 1;
}

void CUfxTabWnd::PaintMoveMarker(CDC* pDC, int x, int nTop, int nBottom, int nSize) {
  if (!m_bFlat || nSize <= 0) return;
  // A triangle on the strip's far edge, pointing into the strip.
  POINT pts[3];
  if (m_location == LOCATION_BOTTOM) {
    pts[0] = {x - nSize / 2, nBottom};
    pts[1] = {x + nSize / 2, nBottom};
    pts[2] = {x, nBottom - nSize / 2};
  } else {
    pts[0] = {x - nSize / 2, nTop};
    pts[1] = {x + nSize / 2, nTop};
    pts[2] = {x, nTop + nSize / 2};
  }
  CBrush brush(UfxGlobalData.clrBarText);
  CPen pen(PS_SOLID, 1, UfxGlobalData.clrBarText);
  CBrush* pOldBrush = pDC->SelectObject(&brush);
  CPen* pOldPen = pDC->SelectObject(&pen);
  pDC->Polygon(pts, 3);
  pDC->SelectObject(pOldPen);
  pDC->SelectObject(pOldBrush);
}

// ---- Mouse --------------------------------------------------------------------------------------------

int CUfxTabWnd::HitTestTab(CPoint point) const {
  if (!m_rectTabsArea.PtInRect(point)) return -1;
  if (m_bSloped) {
    if (const CTabInfo* pActive = GetTab(m_iActiveTab)) {
      if (pActive->bVisible && pActive->rect.PtInRect(point)) {
        // Near the active tab's slanted edge the point belongs to the tab before it.
        const int h = m_nTabsHeight;
        const CPoint corner(pActive->rect.left, m_location == LOCATION_TOP ? pActive->rect.bottom : pActive->rect.top);
        const int dx = point.x - corner.x, dy = point.y - corner.y;
        if (dx < h && 2 * (dx * dx + dy * dy) < h * h) {
          for (int i = m_iActiveTab - 1; i >= 0; --i)
            if (m_arTabs[i]->bVisible) return i;
        }
        return m_iActiveTab;
      }
    }
  }
  for (int i = 0; i < GetTabsNum(); ++i)
    if (m_arTabs[i]->bVisible && m_arTabs[i]->rect.PtInRect(point)) return i;
  return -1;
}

void CUfxTabWnd::OnLButtonDown(UINT nFlags, CPoint point) {
  if (!m_rectTabSplitter.IsRectEmpty() && m_rectTabSplitter.PtInRect(point)) {
    m_bTrackSplitter = TRUE;
    SetCapture();
    return;
  }
  const BOOL bInArea = m_rectTabsArea.PtInRect(point);
  for (int i = 0; i < GetTabsNum(); ++i) {
    CTabInfo* pTab = m_arTabs[i];
    if (!pTab->bVisible || !pTab->rect.PtInRect(point)) continue;
    if (i != m_iActiveTab && bInArea) {
      const int iPrevious = m_iActiveTab;
      if (m_iHighlighted >= 0) {
        const int iHot = m_iHighlighted;
        m_iHighlighted = -1;
        if (GetCapture() == this) ::ReleaseCapture();
        RedrawTab(iHot);
      }
      SetActiveTab(i);
      if (CWnd* pTarget = GetNotifyTarget()) pTarget->SendMessage(UFXM_ONCHANGE_ACTIVE_TAB, i, iPrevious);
    }
    if (m_bEnableTabSwap && bInArea) {
      m_bTabMoving = TRUE;
      m_nTabMoveSource = m_nTabMoveTarget = i;
      SetCapture();
    }
    return;
  }
  if (point.y >= m_nTabsHeight) {
    if (CWnd* pParent = GetParent()) {
      CPoint pt = point;
      MapWindowPoints(pParent, &pt, 1);
      pParent->SendMessage(WM_LBUTTONDOWN, nFlags, MAKELPARAM(pt.x, pt.y));
    }
  }
}

void CUfxTabWnd::OnMouseMove(UINT nFlags, CPoint point) {
  if (m_bTrackSplitter) DragSplitter(point);
  else if (m_bTabMoving) TrackTabMove(point);
  else TrackHotTab(point);
  CWnd::OnMouseMove(nFlags, point);
}

void CUfxTabWnd::DragSplitter(CPoint point) {
  const int minWidth = 2 * ::GetSystemMetrics(SM_CXHSCROLL);
  int width = std::min(m_nScrollBarRight - point.x, m_nScrollBarRight - m_rectTabsArea.left - 5);
  width = std::max(width, minWidth);
  if (width == m_nHorzScrollWidth) return;
  CRect rectOld = m_rectTabSplitter;
  m_nHorzScrollWidth = width;
  // The bar takes its new width from the right end of the whole strip.
  m_rectTabsArea.right = m_nScrollBarRight + ::GetSystemMetrics(SM_CXVSCROLL);
  PlaceSharedScrollBar();
  for (CRect rect : {rectOld, m_rectTabSplitter}) {
    rect.InflateRect(0, m_nTabBorderSize + 1);
    rect.left -= 20;
    InvalidateRect(rect);
  }
  ComputeTabRects();
  ClampScrollOffset();
  UpdateWindow();
}

void CUfxTabWnd::TrackTabMove(CPoint point) {
  if (point.x >= m_rectTabsArea.left && point.x < m_rectTabsArea.right) {
    KillTimer(kTimerScrollLeft);
    KillTimer(kTimerScrollRight);
    for (int i = 0; i < GetTabsNum(); ++i) {
      const CTabInfo* pTab = m_arTabs[i];
      if (!pTab->bVisible || point.x < pTab->rect.left || point.x >= pTab->rect.right) continue;
      const int target = point.x < pTab->rect.CenterPoint().x ? i : i + 1;
      if (target != m_nTabMoveTarget) {
        m_nTabMoveTarget = target;
        InvalidateRect(m_rectTabsArea);
        UpdateWindow();
      }
      break;
    }
  } else if (point.x < m_rectTabsArea.left) {
    SetTimer(kTimerScrollLeft, kMoveScrollDelay);
    KillTimer(kTimerScrollRight);
  } else {
    SetTimer(kTimerScrollRight, kMoveScrollDelay);
    KillTimer(kTimerScrollLeft);
  }
}

void CUfxTabWnd::TrackHotTab(CPoint point) {
  if (m_bSloped && m_bHotTracking && !CUfxVisualManager::GetInstance()->IsTabHighlightSupported())
    m_bHotTracking = FALSE;
  const int iHot = HitTestTab(point);
  if (iHot == m_iHighlighted) return;
  const int iOld = m_iHighlighted;
  m_iHighlighted = iHot;
  if (!m_bHotTracking) return;
  if (iOld == -1 && iHot != -1) SetCapture();
  else if (iHot == -1 && GetCapture() == this) ::ReleaseCapture();
  RedrawTab(iOld);
  RedrawTab(iHot);
}

void CUfxTabWnd::OnLButtonUp(UINT nFlags, CPoint point) {
  if (m_bTrackSplitter) {
    m_bTrackSplitter = FALSE;
    if (GetCapture() == this) ::ReleaseCapture();
    return;
  }
  if (m_bTabMoving) {
    KillTimer(kTimerScrollLeft);
    KillTimer(kTimerScrollRight);
    m_bTabMoving = FALSE;
    if (GetCapture() == this) ::ReleaseCapture();
    MoveDraggedTab();
    InvalidateRect(m_rectTabsArea);
    UpdateWindow();
    return;
  }
  CWnd::OnLButtonUp(nFlags, point);
}

void CUfxTabWnd::MoveDraggedTab() {
  const int source = m_nTabMoveSource, target = m_nTabMoveTarget;
  m_nTabMoveSource = m_nTabMoveTarget = -1;
  if (source < 0 || target < 0 || source >= GetTabsNum() || target > GetTabsNum() || target == source) return;
  CWnd* pTarget = GetNotifyTarget();
  if (pTarget != nullptr && pTarget->SendMessage(UFXM_ON_BEFOREMOVE_TAB, source, target) != 0) return;
  CTabInfo* pTab = m_arTabs[source];
  m_arTabs.insert(m_arTabs.begin() + target, pTab);
  m_arTabs.erase(m_arTabs.begin() + (target > source ? source : source + 1));
  m_iActiveTab = target > source ? target - 1 : target;
  if (pTarget != nullptr) pTarget->SendMessage(UFXM_ON_MOVE_TAB, source, target);
  ComputeTabRects();
}

void CUfxTabWnd::OnLButtonDblClk(UINT nFlags, CPoint point) {
  const int iTab = HitTestTab(point);
  if (iTab >= 0 && BeginLabelEdit(iTab)) return;
  if (iTab >= 0 || point.y < m_nTabsHeight) return;
  if (CWnd* pParent = GetParent()) {
    CPoint pt = point;
    MapWindowPoints(pParent, &pt, 1);
    pParent->SendMessage(WM_LBUTTONDBLCLK, nFlags, MAKELPARAM(pt.x, pt.y));
  }
}

BOOL CUfxTabWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  CPoint point;
  ::GetCursorPos(&point);
  if (m_pInPlaceEdit != nullptr) {
    CRect rect;
    m_pInPlaceEdit->GetWindowRect(rect);
    if (rect.PtInRect(point)) {
      ::SetCursor(::LoadCursorW(nullptr, IDC_IBEAM));
      return TRUE;
    }
  }
  ScreenToClient(&point);
  if (!m_rectTabSplitter.IsRectEmpty() && m_rectTabSplitter.PtInRect(point)) {
    HCURSOR hCursor = ::LoadCursorW(AfxGetResourceHandle(), MAKEINTRESOURCEW(kSplitCursorId));
    ::SetCursor(hCursor != nullptr ? hCursor : ::LoadCursorW(nullptr, IDC_SIZEWE));
    return TRUE;
  }
  return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

void CUfxTabWnd::OnCancelMode() {
  CWnd::OnCancelMode();
  const BOOL bHadCapture = GetCapture() == this;
  m_bTrackSplitter = FALSE;
  EndLabelEdit();
  if (m_bTabMoving) {
    KillTimer(kTimerScrollLeft);
    KillTimer(kTimerScrollRight);
    m_bTabMoving = FALSE;
    m_nTabMoveSource = m_nTabMoveTarget = -1;
    InvalidateRect(m_rectTabsArea);
  }
  if (m_iHighlighted >= 0) {
    const int iHot = m_iHighlighted;
    m_iHighlighted = -1;
    RedrawTab(iHot);
  }
  if (bHadCapture && GetCapture() == this) ::ReleaseCapture();
}

// ---- Renaming -----------------------------------------------------------------------------------------

BOOL CUfxTabWnd::BeginLabelEdit(int iTab) {
  CTabInfo* pTab = GetTab(iTab);
  if (!m_bIsInPlaceEdit || pTab == nullptr || pTab->bIconOnly) return FALSE;
  EndLabelEdit();
  EnsureVisible(iTab);
  CRect rect = pTab->rect;
  rect.DeflateRect(m_nTabsHeight / 2, 1);
  CEdit* pEdit = new CEdit;
  if (!pEdit->Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, rect, this, ID_LABEL_EDITOR)) {
    delete pEdit;
    return FALSE;
  }
  m_pInPlaceEdit = pEdit;
  m_iEditedTab = iTab;
  pEdit->SetWindowText(pTab->strText);
  pEdit->SetFont(&UfxGlobalData.fontRegular);
  pEdit->SetSel(0, -1);
  pEdit->SetFocus();
  SetCapture();
  ::SetCursor(::LoadCursorW(nullptr, IDC_IBEAM));
  return TRUE;
}

BOOL CUfxTabWnd::CommitLabelEdit() {
  if (m_pInPlaceEdit == nullptr) return FALSE;
  CString strText;
  m_pInPlaceEdit->GetWindowText(strText);
  if (strText.IsEmpty() || !CanRenameTab(m_iEditedTab, strText)) return FALSE;
  CWnd* pTarget = GetNotifyTarget();
  if (pTarget != nullptr && pTarget->SendMessage(UFXM_ON_RENAME_TAB, m_iEditedTab, (LPARAM)&strText) != 0) return FALSE;
  return SetTabText(m_iEditedTab, strText);
}

void CUfxTabWnd::EndLabelEdit() {
  if (m_pInPlaceEdit == nullptr) return;
  CEdit* pEdit = m_pInPlaceEdit;
  m_pInPlaceEdit = nullptr;
  m_iEditedTab = -1;
  if (pEdit->GetSafeHwnd() != nullptr) pEdit->DestroyWindow();
  delete pEdit;
  if (GetCapture() == this) ::ReleaseCapture();
}

// While the editor is open: Enter commits, Esc cancels, keys go to the editor, a click elsewhere
// commits. A commit that fails beeps and keeps the editor.
BOOL CUfxTabWnd::HandleEditorMessage(MSG* pMsg) {
  const HWND hEdit = m_pInPlaceEdit->GetSafeHwnd();
  auto commit = [this]() {
    if (CommitLabelEdit()) EndLabelEdit();
    else s_pfnMessageBeep(MB_OK);
  };
  if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) {
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN) {
      commit();
      return TRUE;
    }
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE) {
      EndLabelEdit();
      return TRUE;
    }
    if (pMsg->hwnd != hEdit) {
      ::SendMessageW(hEdit, pMsg->message, pMsg->wParam, pMsg->lParam);
      return TRUE;
    }
    return FALSE;
  }
  if (pMsg->message < WM_MOUSEFIRST || pMsg->message > WM_MOUSELAST) return FALSE;
  CPoint ptScreen(GET_X_LPARAM(pMsg->lParam), GET_Y_LPARAM(pMsg->lParam));
  ::ClientToScreen(pMsg->hwnd, &ptScreen);
  if (pMsg->message == WM_MOUSEWHEEL || pMsg->message == WM_MOUSEHWHEEL)
    ptScreen = CPoint(GET_X_LPARAM(pMsg->lParam), GET_Y_LPARAM(pMsg->lParam));
  CRect rectEdit;
  ::GetWindowRect(hEdit, &rectEdit);
  if (rectEdit.PtInRect(ptScreen)) {
    if (pMsg->hwnd == hEdit) return FALSE;
    CPoint pt = ptScreen;
    ::ScreenToClient(hEdit, &pt);
    ::SendMessageW(hEdit, pMsg->message, pMsg->wParam, MAKELPARAM(pt.x, pt.y));
    return TRUE;
  }
  if (pMsg->message != WM_MOUSEMOVE) commit();
  return TRUE;
}

BOOL CUfxTabWnd::PreTranslateMessage(MSG* pMsg) {
  if (m_pInPlaceEdit != nullptr && HandleEditorMessage(pMsg)) return TRUE;
  if (m_pInPlaceEdit == nullptr && pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_PRIOR || pMsg->wParam == VK_NEXT) &&
      ::GetKeyState(VK_CONTROL) < 0 && m_iActiveTab >= 0) {
    if (SwitchTabByKey(pMsg->wParam == VK_NEXT)) return TRUE;
  }
  if (AfxIsMouseMessage(pMsg->message)) {
    CreateToolTip();
    if (m_ToolTip.GetSafeHwnd() != nullptr) m_ToolTip.RelayEvent(pMsg);
  }
  return CWnd::PreTranslateMessage(pMsg);
}

BOOL CUfxTabWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  const BOOL bResult = CWnd::OnNotify(wParam, lParam, pResult);
  const NMHDR* pHdr = (const NMHDR*)lParam;
  if (pHdr == nullptr) return bResult;
  if (pHdr->code == TTN_SHOW && pHdr->hwndFrom == m_ToolTip.GetSafeHwnd()) {
    ::SetWindowPos(pHdr->hwndFrom, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
  } else if (pHdr->code == HDN_ENDTRACKW || pHdr->code == HDN_ENDTRACKA) {
    SyncSharedScrollBar();
  }
  return bResult;
}

// ---- The shared scroll bar ----------------------------------------------------------------------------

void CUfxTabWnd::SyncSharedScrollBar(const SCROLLINFO* pScrollInfo) {
  if (m_wndScrollWnd.GetSafeHwnd() == nullptr) return;
  CWnd* pWnd = GetActiveTabWindow();
  SCROLLINFO info = {};
  info.cbSize = sizeof(info);
  if (pScrollInfo != nullptr) {
    info = *pScrollInfo;
  } else if (pWnd->GetSafeHwnd() == nullptr || !pWnd->GetScrollInfo(SB_HORZ, &info, SIF_ALL)) {
    info.nMin = info.nMax = 0;
  }
  if (info.nMax <= info.nMin || (info.nPage != 0 && (int)info.nPage > info.nMax - info.nMin)) {
    m_wndScrollWnd.EnableWindow(FALSE);
    ::EnableScrollBar(m_wndScrollWnd.GetSafeHwnd(), SB_CTL, ESB_DISABLE_BOTH);
    return;
  }
  m_wndScrollWnd.EnableWindow(TRUE);
  ::EnableScrollBar(m_wndScrollWnd.GetSafeHwnd(), SB_CTL, ESB_ENABLE_BOTH);
  info.fMask = SIF_ALL;
  m_wndScrollWnd.SetScrollInfo(&info);
  if (pWnd->GetSafeHwnd() != nullptr) pWnd->ShowScrollBar(SB_HORZ, FALSE);
}

void CUfxTabWnd::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
  if (pScrollBar == nullptr || pScrollBar->GetSafeHwnd() != m_wndScrollWnd.GetSafeHwnd()) {
    CWnd::OnHScroll(nSBCode, nPos, pScrollBar);
    return;
  }
  CWnd* pWnd = GetActiveTabWindow();
  if (s_bInHScroll || pWnd->GetSafeHwnd() == nullptr) return;
  s_bInHScroll = TRUE;
  CTabInfo* pTab = GetTab(m_iActiveTab);
  if (pTab->bIsListView && (nSBCode == SB_THUMBPOSITION || nSBCode == SB_THUMBTRACK)) {
    const int current = pWnd->GetScrollPos(SB_HORZ);
    pWnd->SendMessage(LVM_SCROLL, (WPARAM)((int)nPos - current), 0);
  }
  pWnd->SendMessage(WM_HSCROLL, MAKEWPARAM(nSBCode, nPos), 0);
  SCROLLINFO info = {};
  if (pWnd->GetScrollInfo(SB_HORZ, &info, SIF_ALL)) {
    info.fMask = SIF_POS;
    m_wndScrollWnd.SetScrollInfo(&info);
  }
  pWnd->ShowScrollBar(SB_HORZ, FALSE);
  if (CWnd* pTarget = GetNotifyTarget()) pTarget->SendMessage(UFXM_ON_HSCROLL, MAKEWPARAM(nSBCode, nPos), 0);
  s_bInHScroll = FALSE;
}

// ---- System changes -----------------------------------------------------------------------------------

void CUfxTabWnd::OnSysColorChange() {
  CWnd::OnSysColorChange();
  if (m_bFlat && m_clrActiveTabFg == (COLORREF)-1) {
    m_brActiveTab.DeleteObject();
    m_brActiveTab.CreateSolidBrush(UfxGlobalData.clrBtnFace);
    Invalidate();
  }
  BuildAutoColorList();
}

void CUfxTabWnd::OnSettingChange(UINT uFlags, LPCWSTR lpszSection) {
  CWnd::OnSettingChange(uFlags, lpszSection);
  if (!m_bFlat) return;
  ComputeStripHeight();
  ComputeLayout();
}
