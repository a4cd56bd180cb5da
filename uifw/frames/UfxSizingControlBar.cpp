#include "frames/UfxSizingControlBar.h"
#include "frames/UfxBarDockContext.h"
#include "frames/UfxFrameWnd.h"
#include "looks/UfxGdiEffects.h"
#include "frames/UfxGlobalData.h"
#include "frames/UfxMiniDockFrameWnd.h"
#include "frames/UfxRegistryPtr.h"
#include "frames/UfxTabWnd.h"
#include "bars/UfxToolBar.h"
#include "looks/UfxVisualManager.h"
#include <algorithm>
#include <climits>
#include <vector>

IMPLEMENT_DYNAMIC(CUfxSizingControlBar, CControlBar)

BEGIN_MESSAGE_MAP(CUfxSizingControlBar, CControlBar)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_NCDESTROY()
  ON_WM_PAINT()
  ON_WM_NCCALCSIZE()
  ON_WM_NCHITTEST()
  ON_MESSAGE(WM_NCPAINT, OnNcPaintMsg)
  ON_WM_SETCURSOR()
  ON_WM_NCLBUTTONDOWN()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_MOUSEMOVE()
  ON_WM_NCMOUSEMOVE()
  ON_WM_CAPTURECHANGED()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_NCLBUTTONDBLCLK()
  ON_WM_RBUTTONDOWN()
  ON_WM_NCRBUTTONUP()
  ON_WM_WINDOWPOSCHANGING()
  ON_MESSAGE(WM_SETTEXT, OnSetText)
END_MESSAGE_MAP()

CPtrArray CUfxSizingControlBar::s_arrBars;
CPtrList CUfxSizingControlBar::s_listBars;
HCURSOR CUfxSizingControlBar::s_hcurLeftRight = nullptr;
HCURSOR CUfxSizingControlBar::s_hcurUpDown = nullptr;
BOOL CUfxSizingControlBar::s_bCaptionTitleBar = FALSE;
BOOL CUfxSizingControlBar::s_bGradientTitleBar = FALSE;
BOOL CUfxSizingControlBar::s_bHideAloneExpandButton = FALSE;
CString CUfxSizingControlBar::s_strRegEntry = L"UfxSizingControlBar";

namespace {
const UINT kToolClose = 1;
const UINT kToolExpand = 2;

// Along and across a row of either orientation.
LONG& Along(CSize& s, BOOL bHorz) { return bHorz ? s.cx : s.cy; }
LONG& Across(CSize& s, BOOL bHorz) { return bHorz ? s.cy : s.cx; }

CString LoadText(UINT nId) {
  CString str;
  str.LoadString(nId);
  return str;
}

// The bar's window rectangle moved to (0, 0), and its client rectangle in the same coordinates.
void GetNcRects(CWnd* pWnd, CRect& rectWindow, CRect& rectClient) {
  pWnd->GetWindowRect(&rectWindow);
  pWnd->GetClientRect(&rectClient);
  pWnd->ClientToScreen(&rectClient);
  rectClient.OffsetRect(-rectWindow.left, -rectWindow.top);
  rectWindow.OffsetRect(-rectWindow.left, -rectWindow.top);
}
}  // namespace

CUfxSizingControlBar::CUfxSizingControlBar()
    : m_btnClose(HIT_CLOSE, IDS_CLOSE_TIP), m_btnExpand(HIT_EXPAND, IDS_EXPAND_TIP) {
  m_rectRedraw.SetRectEmpty();
}

CUfxSizingControlBar::~CUfxSizingControlBar() {
  RemoveFromClassLists(TRUE, TRUE);
  if (m_ToolTip.m_hWnd != nullptr) m_ToolTip.DestroyWindow();
}

// ---- class-wide table and list ----------------------------------------------------------------

BOOL CUfxSizingControlBar::IsSizingBar(const void* pBar) {
  if (pBar == nullptr) return FALSE;
  for (INT_PTR i = 0; i < s_arrBars.GetSize(); ++i)
    if (s_arrBars[i] == pBar) return TRUE;
  return FALSE;
}

void CUfxSizingControlBar::RemoveFromTable(const void* pBar) {
  for (INT_PTR i = s_arrBars.GetSize() - 1; i >= 0; --i)
    if (s_arrBars[i] == pBar) s_arrBars.RemoveAt(i);
}

void CUfxSizingControlBar::RemoveFromClassLists(BOOL bTable, BOOL bList) {
  if (bTable) RemoveFromTable(this);
  if (bList) {
    if (POSITION pos = s_listBars.Find(this)) s_listBars.RemoveAt(pos);
    if (POSITION pos = UfxAllControlBars.Find(this)) UfxAllControlBars.RemoveAt(pos);
  }
}

// ---- creation ---------------------------------------------------------------------------------

BOOL CUfxSizingControlBar::Create(LPCWSTR lpszWindowName, CWnd* pParentWnd, CSize sizeDefault, BOOL bHasGripper,
                                  UINT nID, DWORD dwStyle) {
  m_dwStyle = dwStyle & CBRS_ALL;
  m_szHorz = m_szVert = m_szFloat = sizeDefault;
  m_nCaptionSize = bHasGripper ? std::max(UfxGlobalData.m_nTextHeightHorz, 12) : 0;
  LPCWSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1));
  const DWORD dwWndStyle = (dwStyle & ~CBRS_ALL) | WS_CLIPCHILDREN;
  if (!CWnd::Create(lpszClass, lpszWindowName, dwWndStyle, CRect(0, 0, 0, 0), pParentWnd, nID)) return FALSE;
  SetBarStyle(m_dwStyle | CBRS_SIZE_DYNAMIC);
  return TRUE;
}

int CUfxSizingControlBar::OnCreate(LPCREATESTRUCT lpcs) {
  if (CControlBar::OnCreate(lpcs) == -1) return -1;
  if (!IsSizingBar(this)) s_arrBars.Add(this);
  m_dwSCBStyle |= DRAW_EDGES;
  // The caption buttons' tooltip comes with the first mouse message (CreateToolTip).
  EnableToolTips(TRUE);
  m_btnClose.m_pParentBar = this;
  m_btnExpand.m_pParentBar = this;
  // The edge cursors come once from the resource module; the system's own stand in without it.
  if (s_hcurLeftRight == nullptr) {
    s_hcurLeftRight = ::LoadCursorW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDC_SPLIT_LEFTRIGHT));
    if (s_hcurLeftRight == nullptr) s_hcurLeftRight = ::LoadCursorW(nullptr, IDC_SIZEWE);
  }
  if (s_hcurUpDown == nullptr) {
    s_hcurUpDown = ::LoadCursorW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDC_SPLIT_UPDOWN));
    if (s_hcurUpDown == nullptr) s_hcurUpDown = ::LoadCursorW(nullptr, IDC_SIZENS);
  }
  if (s_listBars.Find(this) == nullptr) s_listBars.AddTail(this);
  if (UfxAllControlBars.Find(this) == nullptr) UfxAllControlBars.AddTail(this);
  return 0;
}

BOOL CUfxSizingControlBar::DestroyWindow() {
  RemoveFromTable(this);
  return CControlBar::DestroyWindow();
}

void CUfxSizingControlBar::OnDestroy() {
  RemoveFromClassLists(FALSE, TRUE);
  CControlBar::OnDestroy();
}

void CUfxSizingControlBar::OnNcDestroy() {
  // Destroyed with its parent, DestroyWindow never ran: the table entry goes here.
  RemoveFromClassLists(TRUE, TRUE);
  CControlBar::OnNcDestroy();
}

void CUfxSizingControlBar::EnableDocking(DWORD dwDockStyle) {
  CControlBar::EnableDocking(dwDockStyle);
  delete m_pDockContext;
  m_pDockContext = new CUfxBarDockContext(this);
}

void CUfxSizingControlBar::SetMinSize(int cx, int cy) {
  m_szMin = CSize(cx, cy);
  m_szFloat.cx = std::max(m_szFloat.cx, (LONG)cx);
  m_szFloat.cy = std::max(m_szFloat.cy, (LONG)cy);
}

void CUfxSizingControlBar::SetMaxSize(int cx, int cy) {
  m_szMax = CSize(cx, cy);
  if (cx > 0) m_szFloat.cx = std::min((LONG)cx, m_szFloat.cx);
  if (cy > 0) m_szFloat.cy = std::min((LONG)cy, m_szFloat.cy);
}

void CUfxSizingControlBar::CreateToolTip() {
  if (m_ToolTip.m_hWnd != nullptr || m_hWnd == nullptr || !m_ToolTip.Create(this)) return;
  m_ToolTip.Activate(TRUE);
  if (UfxGlobalData.m_nMaxToolTipWidth != -1) m_ToolTip.SetMaxTipWidth(UfxGlobalData.m_nMaxToolTipWidth);
  const CRect rectEmpty(0, 0, 0, 0);
  m_ToolTip.AddTool(this, LoadText(m_btnClose.m_nTooltipId), &rectEmpty, kToolClose);
  m_ToolTip.AddTool(this, LoadText(m_btnExpand.m_nTooltipId), &rectEmpty, kToolExpand);
  CRect rectWindow;
  GetWindowRect(&rectWindow);
  CPoint ptClient(0, 0);
  ClientToScreen(&ptClient);
  SetToolRects(ptClient - rectWindow.TopLeft());
}

void CUfxSizingControlBar::SetToolRects(CPoint ptClient) {
  // The tools are in client coordinates; the buttons are placed from the window's corner, and
  // the client area starts at ptClient from it.
  CRect rectClose = m_btnClose.GetRect(), rectExpand = m_btnExpand.GetRect();
  rectClose.OffsetRect(-ptClient);
  rectExpand.OffsetRect(-ptClient);
  m_ToolTip.SetToolRect(this, kToolClose, &rectClose);
  m_ToolTip.SetToolRect(this, kToolExpand, &rectExpand);
}

BOOL CUfxSizingControlBar::PreTranslateMessage(MSG* pMsg) {
  if (AfxIsMouseMessage(pMsg->message)) CreateToolTip();
  if (m_ToolTip.m_hWnd != nullptr) m_ToolTip.RelayEvent(pMsg);
  return CControlBar::PreTranslateMessage(pMsg);
}

void CUfxSizingControlBar::DisableChildWindows(BOOL bDisable) {
  for (CWnd* pChild = GetWindow(GW_CHILD); pChild != nullptr; pChild = pChild->GetWindow(GW_HWNDNEXT))
    pChild->EnableWindow(!bDisable);
}

CUfxTabWnd* CUfxSizingControlBar::FindTabWindowChild() const {
  CUfxTabWnd* pFound = nullptr;
  for (CWnd* pChild = GetWindow(GW_CHILD); pChild != nullptr; pChild = pChild->GetWindow(GW_HWNDNEXT)) {
    CUfxTabWnd* pTabWnd = DYNAMIC_DOWNCAST(CUfxTabWnd, CWnd::FromHandlePermanent(pChild->m_hWnd));
    if (pTabWnd == nullptr) continue;
    if (pFound != nullptr) return nullptr;
    pFound = pTabWnd;
  }
  return pFound;
}

// ---- the row ------------------------------------------------------------------------------------

void CUfxSizingControlBar::FindRowBounds(int& nFirst, int& nLast, int& nThis) const {
  nFirst = nLast = nThis = -1;
  if (m_pDockBar == nullptr) return;
  const CPtrArray& arr = m_pDockBar->m_arrBars;
  for (int i = 0; i < arr.GetSize(); ++i)
    if (arr[i] == this) nThis = i;
  if (nThis < 0) return;
  nFirst = nThis;
  while (nFirst > 0 && arr[nFirst - 1] != nullptr) --nFirst;
  nLast = nThis;
  while (nLast + 1 < arr.GetSize() && arr[nLast + 1] != nullptr) ++nLast;
}

BOOL CUfxSizingControlBar::IsLastInRow() const {
  int nFirst, nLast, nThis;
  FindRowBounds(nFirst, nLast, nThis);
  return nThis == nLast;
}

void CUfxSizingControlBar::CollectRowBars(CPtrArray& arrBars) const {
  arrBars.RemoveAll();
  int nFirst, nLast, nThis;
  FindRowBounds(nFirst, nLast, nThis);
  if (nThis < 0) return;
  for (int i = nFirst; i <= nLast; ++i) {
    void* p = m_pDockBar->m_arrBars[i];
    if (p == nullptr || AfxIsPlaceHolder(p) || !IsSizingBar(p)) continue;
    CUfxSizingControlBar* pBar = (CUfxSizingControlBar*)p;
    if (pBar->m_hWnd != nullptr && pBar->IsVisible()) arrBars.Add(pBar);
  }
}

BOOL CUfxSizingControlBar::FitRowToLength(int nLength, BOOL bHorz) {
  if (!IsSideDocked()) return TRUE;
  int nFirst, nLast, nThis;
  FindRowBounds(nFirst, nLast, nThis);
  if (nThis < 0) return TRUE;
  // Other kinds of bars in the row keep their lengths.
  for (int i = nFirst; i <= nLast; ++i) {
    void* p = m_pDockBar->m_arrBars[i];
    if (p == nullptr || AfxIsPlaceHolder(p) || IsSizingBar(p)) continue;
    CControlBar* pBar = (CControlBar*)p;
    if (pBar->m_hWnd == nullptr || !pBar->IsVisible()) continue;
    CRect rect;
    pBar->GetWindowRect(&rect);
    nLength -= bHorz ? rect.Width() : rect.Height();
  }
  CPtrArray arrBars;
  CollectRowBars(arrBars);
  // Sums in 64 bits: no stored or set size can make them wrap.
  LONGLONG nTotal = 0, nNeeded = 2;
  LONG nThickness = 0;
  for (INT_PTR i = 0; i < arrBars.GetSize(); ++i) {
    CUfxSizingControlBar* pBar = (CUfxSizingControlBar*)arrBars[i];
    CSize& size = bHorz ? pBar->m_szHorz : pBar->m_szVert;
    nTotal += Along(size, bHorz);
    nNeeded += Along(pBar->m_szMin, bHorz);
    nThickness = std::max(nThickness, Across(size, bHorz));
  }
  if (nLength < nNeeded) {
    if (arrBars.GetSize() > 1) {
      // The bar goes to a row of its own right after this one.
      CPtrArray& arr = m_pDockBar->m_arrBars;
      arr.InsertAt(nLast + 1, (void*)nullptr);
      arr.InsertAt(nLast + 2, this);
      arr.RemoveAt(nThis);
    }
    return FALSE;
  }
  for (INT_PTR i = 0; i < arrBars.GetSize(); ++i) {
    CUfxSizingControlBar* pBar = (CUfxSizingControlBar*)arrBars[i];
    Across(bHorz ? pBar->m_szHorz : pBar->m_szVert, bHorz) = nThickness;
  }
  // The difference goes one pixel per bar in turn; bars being shown keep their length while
  // the others can take it.
  LONGLONG nDiff = nLength - nTotal;
  while (nDiff != 0) {
    BOOL bAnyProgress = FALSE, bAnyKept = FALSE;
    while (nDiff != 0) {
      const LONGLONG nMoved = SpreadRowDifference(arrBars, bHorz, nDiff, bAnyKept);
      if (nMoved == 0) break;
      nDiff -= nMoved;
      bAnyProgress = TRUE;
    }
    for (INT_PTR i = 0; i < arrBars.GetSize(); ++i) ((CUfxSizingControlBar*)arrBars[i])->m_bKeepSize = FALSE;
    if (!bAnyProgress && !bAnyKept) break;  // nothing can move any more
  }
  return TRUE;
}

LONGLONG CUfxSizingControlBar::SpreadRowDifference(CPtrArray& arrBars, BOOL bHorz, LONGLONG nDiff, BOOL& bAnyKept) {
  // The bars that can move now, and the most each of them can give while shrinking.
  std::vector<CUfxSizingControlBar*> movable;
  LONGLONG nRoom = LLONG_MAX;
  for (INT_PTR i = 0; i < arrBars.GetSize(); ++i) {
    CUfxSizingControlBar* pBar = (CUfxSizingControlBar*)arrBars[i];
    if (pBar->m_bKeepSize) {
      bAnyKept = TRUE;
      continue;
    }
    const LONGLONG nLen = Along(bHorz ? pBar->m_szHorz : pBar->m_szVert, bHorz);
    const LONGLONG nMin = Along(pBar->m_szMin, bHorz);
    if (nDiff < 0 && nLen <= nMin) continue;
    if (nDiff < 0) nRoom = std::min(nRoom, nLen - nMin);
    movable.push_back(pBar);
  }
  const LONGLONG nCount = (LONGLONG)movable.size();
  if (nCount == 0) return 0;
  const LONGLONG nSign = nDiff > 0 ? 1 : -1;
  // Whole rounds of one pixel per bar are taken in one step, as many as the difference and the
  // first bar to reach its minimum allow; what is left goes a pixel a bar in row order.
  const LONGLONG nRounds = std::min(nDiff * nSign / nCount, nRoom);
  const LONGLONG nStep = nRounds > 0 ? nRounds : 1;
  LONGLONG nMoved = 0;
  for (CUfxSizingControlBar* pBar : movable) {
    if (nMoved * nSign >= nDiff * nSign) break;
    LONG& len = Along(bHorz ? pBar->m_szHorz : pBar->m_szVert, bHorz);
    len = (LONG)(len + nSign * nStep);
    nMoved += nSign * nStep;
  }
  return nMoved;
}

void CUfxSizingControlBar::ArrangeRow() {
  int nFirst, nLast, nThis;
  FindRowBounds(nFirst, nLast, nThis);
  if (nThis < 0) return;
  const BOOL bHorz = !IsVertDocked();
  int nOffset = 0;
  BOOL bMoved = FALSE;
  CControlBar* pPrev = nullptr;
  for (int i = nFirst; i <= nLast; ++i) {
    void* p = m_pDockBar->m_arrBars[i];
    if (p == nullptr || AfxIsPlaceHolder(p)) continue;
    CControlBar* pBar = (CControlBar*)p;
    if (pBar->m_hWnd == nullptr || !pBar->IsVisible()) continue;
    CRect rectOld;
    pBar->GetWindowRect(&rectOld);
    m_pDockBar->ScreenToClient(&rectOld);
    CSize size = rectOld.Size();
    if (IsSizingBar(pBar)) {
      CUfxSizingControlBar* pSizing = (CUfxSizingControlBar*)pBar;
      size = bHorz ? pSizing->m_szHorz : pSizing->m_szVert;
    }
    const CRect rectNew = bHorz ? CRect(CPoint(nOffset, rectOld.top), size) : CRect(CPoint(rectOld.left, nOffset), size);
    if (rectNew != rectOld) {
      pBar->SetWindowPos(nullptr, rectNew.left, rectNew.top, rectNew.Width(), rectNew.Height(),
                         SWP_NOACTIVATE | SWP_NOZORDER);
      bMoved = TRUE;
    }
    // Each bar lies just behind the one after it (a bar already there is left alone).
    if (bMoved && pPrev != nullptr && ::GetWindow(pBar->m_hWnd, GW_HWNDNEXT) != pPrev->m_hWnd)
      pPrev->SetWindowPos(pBar, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    pPrev = pBar;
    nOffset += bHorz ? size.cx : size.cy;
  }
  if (bMoved && m_pDockSite != nullptr) m_pDockSite->DelayRecalcLayout(TRUE);
}

// ---- layout -------------------------------------------------------------------------------------

CSize CUfxSizingControlBar::CalcDynamicLayout(int nLength, DWORD nMode) {
  if (m_bRolled) {
    CWnd* pFocus = CWnd::GetFocus();
    if (pFocus == nullptr || (pFocus->m_hWnd != m_hWnd && !IsChild(pFocus)))
      return CSize(m_szFloat.cx, ::GetSystemMetrics(SM_CYFRAME) - 1);
  }
  if (nMode & (LM_HORZDOCK | LM_VERTDOCK)) {
    if (nLength == -1) m_bParentSizing = TRUE;
    return CControlBar::CalcDynamicLayout(nLength, nMode);
  }
  if (nMode & (LM_MRUWIDTH | LM_COMMIT)) return m_szFloat;
  if (nMode & LM_LENGTHY) m_szFloat.cy = nLength;
  else m_szFloat.cx = nLength;
  if (m_szMax.cx > 0) m_szFloat.cx = std::min(m_szFloat.cx, m_szMax.cx);
  if (m_szMax.cy > 0) m_szFloat.cy = std::min(m_szFloat.cy, m_szMax.cy);
  m_szFloat.cx = std::max(m_szFloat.cx, m_szMin.cx);
  m_szFloat.cy = std::max(m_szFloat.cy, m_szMin.cy);
  return m_szFloat;
}

CSize CUfxSizingControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  if (bStretch) return bHorz ? CSize(32767, m_szHorz.cy) : CSize(m_szVert.cx, 32767);

  CPtrArray arrBars;
  CollectRowBars(arrBars);
  const BOOL bQuery = m_pDockBar != nullptr && m_pDockBar->m_bLayoutQuery;
  // (a batch only when some bar of the row has a delayed show or hide to apply)
  BOOL bPending = FALSE;
  for (INT_PTR i = 0; i < arrBars.GetSize(); ++i)
    if (((CControlBar*)arrBars[i])->m_nStateFlags & (delayShow | delayHide)) bPending = TRUE;
  AFX_SIZEPARENTPARAMS layout = {};
  layout.hDWP = bQuery || !bPending ? nullptr : ::BeginDeferWindowPos((int)arrBars.GetSize());
  BOOL bOtherExpanded = FALSE;
  for (INT_PTR i = 0; i < arrBars.GetSize(); ++i) {
    CUfxSizingControlBar* pBar = (CUfxSizingControlBar*)arrBars[i];
    if (bPending) pBar->RecalcDelayShow(&layout);
    if (pBar != this && pBar->m_bExpanded) bOtherExpanded = TRUE;
  }
  if (layout.hDWP != nullptr) ::EndDeferWindowPos(layout.hDWP);
  m_bSingleInRow = arrBars.GetSize() < 2;

  CRect rectRow;
  rectRow.SetRectEmpty();
  if (m_pDockBar != nullptr) rectRow = m_pDockBar->m_rectLayout;
  if (rectRow.IsRectEmpty() && m_pDockSite != nullptr) m_pDockSite->GetClientRect(&rectRow);
  const int nRowLength = bHorz ? rectRow.Width() : rectRow.Height() - 2;

  if (IsVisible() && IsSideDocked() && m_bParentSizing && arrBars.GetSize() > 0 && arrBars[0] == this) {
    if (FitRowToLength(nRowLength, bHorz)) ArrangeRow();
  }
  m_bParentSizing = FALSE;

  CSize size = bHorz ? m_szHorz : m_szVert;
  if (!bHorz && m_szMax.cx > 0) size.cx = std::min(size.cx, m_szMax.cx);
  if (bHorz && m_szMax.cy > 0) size.cy = std::min(size.cy, m_szMax.cy);
  size.cx = std::max(size.cx, m_szMin.cx);
  size.cy = std::max(size.cy, m_szMin.cy);
  if (bOtherExpanded)
    Along(size, bHorz) = Along(m_szMin, bHorz);
  else if (m_bExpanded)
    Along(size, bHorz) = nRowLength - Along(m_szMin, bHorz) * (LONG)(arrBars.GetSize() - 1);
  return size;
}

void CUfxSizingControlBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
  UpdateDialogControls(pTarget, bDisableIfNoHndler);
  if (!IsSideDocked()) return;
  CWnd* pFocus = CWnd::GetFocus();
  const BOOL bActive = pFocus != nullptr && IsChild(pFocus);
  if (bActive != m_bActive) {
    m_bActive = bActive;
    SendMessage(WM_NCPAINT);
  }
}

// ---- non-client area ----------------------------------------------------------------------------

void CUfxSizingControlBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp) {
  const CRect rectWindow(lpncsp->rgrc[0]);
  CRect rc = rectWindow;
  rc.DeflateRect(m_nBorderInset, m_nBorderInset);
  m_dwSCBStyle &= ~EDGE_ANY;
  const BOOL bRTL = (GetExStyle() & WS_EX_LAYOUTRTL) != 0;
  switch (m_nDockBarID) {
    case AFX_IDW_DOCKBAR_TOP:
    case AFX_IDW_DOCKBAR_BOTTOM:
      m_dwSCBStyle |= m_nDockBarID == AFX_IDW_DOCKBAR_TOP ? EDGE_BOTTOM : EDGE_TOP;
      if (bRTL) rc.right -= m_nCaptionSize;
      else rc.left += m_nCaptionSize;
      break;
    case AFX_IDW_DOCKBAR_LEFT:
    case AFX_IDW_DOCKBAR_RIGHT:
      m_dwSCBStyle |= m_nDockBarID == AFX_IDW_DOCKBAR_LEFT ? EDGE_RIGHT : EDGE_LEFT;
      rc.top += m_nCaptionSize;
      break;
    default:
      break;
  }
  if (IsSideDocked()) {
    CPtrArray arrBars;
    CollectRowBars(arrBars);
    INT_PTR nIndex = -1;
    for (INT_PTR i = 0; i < arrBars.GetSize(); ++i)
      if (arrBars[i] == this) nIndex = i;
    if (nIndex > 0) m_dwSCBStyle |= IsHorzDocked() ? EDGE_LEFT : EDGE_TOP;
    if (nIndex >= 0 && nIndex < arrBars.GetSize() - 1) m_dwSCBStyle |= IsHorzDocked() ? EDGE_RIGHT : EDGE_BOTTOM;
  }
  if (m_dwSCBStyle & DRAW_EDGES) {
    if (IsEdgeSizable(HTBOTTOM)) rc.bottom -= m_nEdgeWidth;
    if (IsEdgeSizable(HTTOP)) rc.top += m_nEdgeWidth;
    if (IsEdgeSizable(HTRIGHT)) {
      if (bRTL) rc.left += m_nEdgeWidth;
      else rc.right -= m_nEdgeWidth;
    }
    if (IsEdgeSizable(HTLEFT)) {
      if (bRTL) rc.right -= m_nEdgeWidth;
      else rc.left += m_nEdgeWidth;
    }
  }
  PlaceCaptionButtons(rc, rectWindow);
  if (rc.right < rc.left) rc.right = rc.left;
  if (rc.bottom < rc.top) rc.bottom = rc.top;
  lpncsp->rgrc[0] = rc;
  if (!m_bDragging && ::GetCapture() == m_hWnd) ::ReleaseCapture();
}

void CUfxSizingControlBar::PlaceCaptionButtons(const CRect& rc, const CRect& rectWindow) {
  const int w = CUfxCaptionButton::GLYPH_SIZE + CUfxCaptionButton::MARGIN;
  const int h = w;
  const BOOL bRTL = (GetExStyle() & WS_EX_LAYOUTRTL) != 0;
  m_btnExpand.m_bHidden = s_bHideAloneExpandButton && m_bSingleInRow;
  CPoint ptFirst, ptStep;
  if (IsHorzDocked()) {
    int x = rc.left - m_nCaptionSize + (m_nCaptionSize - w) / 2 - 3;
    if (bRTL) x = rc.right + (m_nCaptionSize - w) / 2 + 3;
    ptFirst = CPoint(x, rc.top - 3);
    ptStep = CPoint(0, h + 2);
  } else {
    int x = rc.right - CUfxCaptionButton::GLYPH_SIZE - 5;
    if (bRTL) x -= m_nEdgeWidth;
    ptFirst = CPoint(x, rc.top - m_nCaptionSize + (m_nCaptionSize - CUfxCaptionButton::GLYPH_SIZE - 5) / 2 - 3);
    ptStep = CPoint(-(w + 2), 0);
  }
  CPoint pt = ptFirst - rectWindow.TopLeft();
  for (CUfxCaptionButton* pButton : {&m_btnClose, &m_btnExpand}) {
    pButton->m_ptOrg = pt;
    pButton->m_bPushed = FALSE;
    pButton->m_bFocused = FALSE;
    if (!pButton->m_bHidden) pt += ptStep;
  }
  // The client area starts at rc.
  if (m_ToolTip.m_hWnd != nullptr) SetToolRects(rc.TopLeft() - rectWindow.TopLeft());
}

BOOL CUfxSizingControlBar::IsEdgeSizable(UINT nHitTest) const {
  switch (nHitTest) {
    case HTLEFT:
      return m_nDockBarID == AFX_IDW_DOCKBAR_RIGHT && (m_dwSCBStyle & EDGE_LEFT);
    case HTRIGHT:
      return (m_nDockBarID == AFX_IDW_DOCKBAR_LEFT || !IsLastInRow()) && (m_dwSCBStyle & EDGE_RIGHT);
    case HTTOP:
      return m_nDockBarID == AFX_IDW_DOCKBAR_BOTTOM && (m_dwSCBStyle & EDGE_TOP);
    case HTBOTTOM:
      return m_nDockBarID == AFX_IDW_DOCKBAR_TOP || (!IsLastInRow() && (m_dwSCBStyle & EDGE_BOTTOM));
    default:
      return FALSE;
  }
}

BOOL CUfxSizingControlBar::CalcEdgeRect(const CRect& rectWindow, UINT nHitTest, CRect& rectEdge) const {
  if (!IsEdgeSizable(nHitTest)) {
    rectEdge.SetRectEmpty();
    return FALSE;
  }
  rectEdge = rectWindow;
  if (m_dwSCBStyle & DRAW_EDGES) rectEdge.DeflateRect(1, 1);
  const int w = m_nEdgeWidth;
  const BOOL bHorz = IsHorzDocked();
  switch (nHitTest) {
    case HTLEFT:
    case HTRIGHT:
      if (nHitTest == HTLEFT) rectEdge.right = rectEdge.left + w;
      else rectEdge.left = rectEdge.right - w;
      if (bHorz) rectEdge.DeflateRect(0, w);
      if (m_nDockBarID == AFX_IDW_DOCKBAR_TOP) rectEdge.top--;
      if (m_nDockBarID == AFX_IDW_DOCKBAR_BOTTOM) rectEdge.bottom++;
      break;
    case HTTOP:
    case HTBOTTOM:
      if (nHitTest == HTTOP) rectEdge.bottom = rectEdge.top + w;
      else rectEdge.top = rectEdge.bottom - w;
      if (!bHorz) rectEdge.DeflateRect(w, 0);
      if (m_nDockBarID == AFX_IDW_DOCKBAR_LEFT) rectEdge.left--;
      if (m_nDockBarID == AFX_IDW_DOCKBAR_RIGHT) rectEdge.right++;
      break;
  }
  return TRUE;
}

UINT CUfxSizingControlBar::OnNcHitTest(CPoint point) {
  CRect rectWindow;
  GetWindowRect(&rectWindow);
  if (GetExStyle() & WS_EX_LAYOUTRTL) point.x = rectWindow.right - (point.x - rectWindow.left);
  for (UINT nHit : {(UINT)HTLEFT, (UINT)HTTOP, (UINT)HTRIGHT, (UINT)HTBOTTOM}) {
    CRect rectEdge;
    if (CalcEdgeRect(rectWindow, nHit, rectEdge) && rectEdge.PtInRect(point)) return nHit;
  }
  if (!IsSideDocked()) return CControlBar::OnNcHitTest(point);
  if (m_nCaptionSize > 0) {
    for (CUfxCaptionButton* pButton : {&m_btnClose, &m_btnExpand}) {
      CRect rect = pButton->GetRect();
      rect.OffsetRect(rectWindow.TopLeft());
      if (!pButton->m_bHidden && rect.PtInRect(point)) return pButton->m_nHit;
    }
  }
  CRect rectClient;
  GetClientRect(&rectClient);
  ClientToScreen(&rectClient);
  return rectClient.PtInRect(point) ? HTCLIENT : HTCAPTION;
}

LRESULT CUfxSizingControlBar::OnNcPaintMsg(WPARAM wParam, LPARAM) {
  if (m_bDragging) return 0;
  CWindowDC dc(this);
  CRect rectWindow, rectClient;
  GetNcRects(this, rectWindow, rectClient);
  dc.ExcludeClipRect(&rectClient);
  if (!m_rectRedraw.IsRectEmpty()) dc.IntersectClipRect(&m_rectRedraw);
  dc.IntersectClipRect(&rectWindow);
  if (ClipNcPaintToUpdateRegion() && wParam > 1) {
    CRect rectScreen;
    GetWindowRect(&rectScreen);
    HRGN hrgn = ::CreateRectRgn(0, 0, 0, 0);
    if (::CombineRgn(hrgn, (HRGN)wParam, nullptr, RGN_COPY) != ERROR) {
      ::OffsetRgn(hrgn, -rectScreen.left, -rectScreen.top);
      ::ExtSelectClipRgn(dc.GetSafeHdc(), hrgn, RGN_AND);
    }
    ::DeleteObject(hrgn);
  }
  CUfxVisualManager::GetInstance()->OnFillBarBackground(&dc, this, rectWindow, rectWindow, TRUE);
  if (m_dwSCBStyle & DRAW_EDGES) PaintEdges(&dc, rectWindow);
  if (m_nCaptionSize > 0 && IsSideDocked()) PaintCaption(&dc, rectWindow, rectClient);
  return 0;
}

void CUfxSizingControlBar::PaintEdges(CDC* pDC, const CRect& rectWindow) {
  const UFX_GLOBAL_DATA& g = UfxGlobalData;
  const BOOL bLook2000 = CUfxVisualManager::GetInstance()->IsLook2000();
  for (UINT nHit : {(UINT)HTBOTTOM, (UINT)HTRIGHT, (UINT)HTTOP, (UINT)HTLEFT}) {
    CRect rectEdge;
    if (!CalcEdgeRect(rectWindow, nHit, rectEdge)) continue;
    if (bLook2000) {
      pDC->Draw3dRect(&rectEdge, g.clrBarHilite, g.clrBarShadow);
    } else {
      pDC->Draw3dRect(&rectEdge, g.clrBarLight, g.clrBarDkShadow);
      rectEdge.DeflateRect(1, 1);
      pDC->Draw3dRect(&rectEdge, g.clrBarHilite, g.clrBarShadow);
    }
  }
}

void CUfxSizingControlBar::PaintCaption(CDC* pDC, const CRect& rectWindow, const CRect& rectClient) {
  CRect rc = rectWindow;
  rc.DeflateRect(1, 1);
  const BOOL bHorz = IsHorzDocked();
  const CUfxCaptionButton& btnLast = m_btnExpand.m_bHidden ? m_btnClose : m_btnExpand;
  const CRect rectLast = btnLast.GetRect();
  CRect rectStrip;
  if (bHorz)
    rectStrip.SetRect(rc.left + 1, rectLast.bottom + 3, rc.left + 1 + m_nCaptionSize, rectClient.bottom);
  else
    rectStrip.SetRect(rectClient.left, rc.top + 1, rectLast.left - 3, rc.top + 1 + m_nCaptionSize);
  CUfxVisualManager* pManager = CUfxVisualManager::GetInstance();
  if (s_bCaptionTitleBar) DrawTitleCaption(pDC, rectStrip);
  else pManager->OnDrawBarGripper(pDC, rectStrip, bHorz, this);
  for (CUfxCaptionButton* pButton : {&m_btnClose, &m_btnExpand}) {
    if (pButton->m_bHidden) continue;
    const BOOL bDisabled = pButton == &m_btnExpand && m_bSingleInRow;
    pManager->OnDrawCaptionButton(pDC, pButton, bHorz, m_bExpanded, bDisabled);
  }
}

void CUfxSizingControlBar::DrawTitleCaption(CDC* pDC, const CRect& rect) {
  const COLORREF clrCaption = ::GetSysColor(m_bActive ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
  const BOOL bHorz = IsHorzDocked();
  if (s_bGradientTitleBar) {
    // Along the text: upwards beside a horizontal bar, rightwards above a vertical one.
    BOOL bSystemGradients = FALSE;
    ::SystemParametersInfoW(SPI_GETGRADIENTCAPTIONS, 0, &bSystemGradients, 0);
    const COLORREF clrEnd =
        bSystemGradients ? ::GetSysColor(m_bActive ? COLOR_GRADIENTACTIVECAPTION : COLOR_GRADIENTINACTIVECAPTION)
                         : UfxGlobalData.clrBarFace;
    CUfxGdiEffects(*pDC).FillGradient(rect, clrCaption, clrEnd, bHorz);
  } else {
    pDC->FillSolidRect(&rect, clrCaption);
  }
  CFont* pOldFont = pDC->SelectObject(bHorz ? &UfxGlobalData.fontVertCaption : &UfxGlobalData.fontRegular);
  pDC->SetTextColor(::GetSysColor(m_bActive ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
  pDC->SetBkMode(TRANSPARENT);
  CString strTitle;
  GetWindowText(strTitle);
  const CPoint pt = bHorz ? CPoint(rect.left, rect.bottom - 3) : CPoint(rect.left + 3, rect.top);
  pDC->ExtTextOut(pt.x, pt.y, ETO_CLIPPED, &rect, strTitle, nullptr);
  pDC->SelectObject(pOldFont);
}

void CUfxSizingControlBar::OnPaint() {
  CPaintDC dc(this);  // only validates
}

BOOL CUfxSizingControlBar::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  if (IsSideDocked()) {
    if ((nHitTest == HTLEFT || nHitTest == HTRIGHT) && s_hcurLeftRight != nullptr) {
      ::SetCursor(s_hcurLeftRight);
      return TRUE;
    }
    if ((nHitTest == HTTOP || nHitTest == HTBOTTOM) && s_hcurUpDown != nullptr) {
      ::SetCursor(s_hcurUpDown);
      return TRUE;
    }
  }
  return (BOOL)Default();
}

// ---- caption buttons ------------------------------------------------------------------------------

void CUfxSizingControlBar::RedrawCaptionButton(CUfxCaptionButton* pButton) {
  if (m_hWnd == nullptr || pButton == nullptr) return;
  m_rectRedraw = pButton->GetRect();
  SendMessage(WM_NCPAINT);
  m_rectRedraw.SetRectEmpty();
  UpdateWindow();
}

void CUfxSizingControlBar::ClearCaptionButtons() {
  for (CUfxCaptionButton* pButton : {&m_btnClose, &m_btnExpand}) {
    const BOOL bHad = pButton->m_bPushed || pButton->m_bFocused;
    pButton->m_bPushed = pButton->m_bFocused = FALSE;
    if (bHad) RedrawCaptionButton(pButton);
  }
}

void CUfxSizingControlBar::UpdateCaptionButtonHover(CPoint ptScreen) {
  if (m_nCaptionSize <= 0 || !IsSideDocked()) return;
  CRect rectWindow;
  GetWindowRect(&rectWindow);
  if (GetExStyle() & WS_EX_LAYOUTRTL) ptScreen.x = rectWindow.right - (ptScreen.x - rectWindow.left);
  const BOOL bAnyPushed = m_btnClose.m_bPushed || m_btnExpand.m_bPushed;
  const BOOL bLook2000 = CUfxVisualManager::GetInstance()->IsLook2000();
  BOOL bWasHighlighted = FALSE, bIsHighlighted = FALSE;
  for (CUfxCaptionButton* pButton : {&m_btnClose, &m_btnExpand}) {
    bWasHighlighted |= pButton->m_bFocused;
    CRect rect = pButton->GetRect();
    rect.OffsetRect(rectWindow.TopLeft());
    const BOOL bDisabled = pButton == &m_btnExpand && m_bSingleInRow;
    const BOOL bOver = !pButton->m_bHidden && rect.PtInRect(ptScreen) && !bDisabled && (!bAnyPushed || pButton->m_bPushed);
    if ((bLook2000 || pButton->m_bPushed) && bOver != pButton->m_bFocused) {
      pButton->m_bFocused = bOver;
      RedrawCaptionButton(pButton);
    }
    bIsHighlighted |= pButton->m_bFocused;
  }
  if (bAnyPushed) return;
  if (bIsHighlighted && !bWasHighlighted) SetCapture();
  else if (!bIsHighlighted && bWasHighlighted && ::GetCapture() == m_hWnd) ::ReleaseCapture();
}

void CUfxSizingControlBar::OnNcLButtonDown(UINT nHitTest, CPoint point) {
  if (!IsSideDocked()) {
    Default();
    return;
  }
  if (m_bDragging) return;
  if (nHitTest == HIT_CLOSE || nHitTest == HIT_EXPAND) {
    CUfxCaptionButton* pButton = nHitTest == HIT_CLOSE ? &m_btnClose : &m_btnExpand;
    if (pButton == &m_btnExpand && m_bSingleInRow) return;
    pButton->m_bPushed = pButton->m_bFocused = TRUE;
    RedrawCaptionButton(pButton);
    SetCapture();
    return;
  }
  if (nHitTest >= HTSIZEFIRST && nHitTest <= HTSIZELAST) {
    StartSplitterDrag(nHitTest);
    return;
  }
  if (nHitTest == HTCAPTION && m_pDockContext != nullptr) m_pDockContext->StartDrag(point);
}

void CUfxSizingControlBar::ReleaseCaptionButton() {
  CUfxCaptionButton* pButton = m_btnClose.m_bPushed ? &m_btnClose : m_btnExpand.m_bPushed ? &m_btnExpand : nullptr;
  if (pButton == nullptr) return;
  const BOOL bFire = pButton->m_bFocused;
  pButton->m_bPushed = pButton->m_bFocused = FALSE;
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
  RedrawCaptionButton(pButton);
  if (!bFire) return;
  if (pButton == &m_btnExpand) {
    ToggleExpand();
  } else if (CanBeClosed() && m_pDockSite != nullptr) {
    m_pDockSite->ShowControlBar(this, FALSE, FALSE);
  }
}

void CUfxSizingControlBar::OnLButtonDown(UINT nFlags, CPoint point) {
  if (m_pDockBar == nullptr) {
    Default();
    return;
  }
  if (m_btnClose.m_bPushed || m_btnClose.m_bFocused || m_btnExpand.m_bPushed || m_btnExpand.m_bFocused) {
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    ClearCaptionButtons();
  }
  CRect rectClient;
  GetClientRect(&rectClient);
  CPoint ptScreen = point;
  ClientToScreen(&ptScreen);
  if (rectClient.PtInRect(point)) {
    if (m_pDockContext != nullptr) m_pDockContext->StartDrag(ptScreen);
    return;
  }
  OnNcLButtonDown((UINT)SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptScreen.x, ptScreen.y)), ptScreen);
}

void CUfxSizingControlBar::OnLButtonUp(UINT nFlags, CPoint point) {
  if (m_bDragging) {
    FinishSplitterDrag();
    return;
  }
  if (m_btnClose.m_bPushed || m_btnExpand.m_bPushed) {
    ReleaseCaptionButton();
    return;
  }
  Default();
}

void CUfxSizingControlBar::OnMouseMove(UINT nFlags, CPoint point) {
  if (m_bDragging) {
    TrackSplitterDrag(point);
    return;
  }
  ClientToScreen(&point);
  UpdateCaptionButtonHover(point);
}

void CUfxSizingControlBar::OnNcMouseMove(UINT nHitTest, CPoint point) {
  if (!m_bDragging) UpdateCaptionButtonHover(point);
  Default();
}

void CUfxSizingControlBar::OnCaptureChanged(CWnd* pWnd) {
  if (m_bDragging && (pWnd == nullptr || pWnd->m_hWnd != m_hWnd)) StopSplitterDrag();
  ClearCaptionButtons();
  Default();
}

void CUfxSizingControlBar::OnLButtonDblClk(UINT nFlags, CPoint point) {
  if (m_pDockBar != nullptr && m_pDockContext != nullptr) {
    m_pDockContext->ToggleDocking();
    return;
  }
  Default();
}

void CUfxSizingControlBar::OnNcLButtonDblClk(UINT nHitTest, CPoint point) {
  if (m_pDockBar == nullptr || m_pDockContext == nullptr) {
    Default();
    return;
  }
  if (nHitTest < HTSIZEFIRST || nHitTest > HTSIZELAST) m_pDockContext->ToggleDocking();
}

// ---- context menu request -----------------------------------------------------------------------

CFrameWnd* CUfxSizingControlBar::GetReportFrame() const {
  return m_pDockSite != nullptr ? m_pDockSite : GetParentFrame();
}

void CUfxSizingControlBar::SendPopupMenuRequest(CPoint ptScreen) {
  CFrameWnd* pFrame = GetReportFrame();
  if (pFrame != nullptr && pFrame->m_hWnd != nullptr)
    pFrame->SendMessage(UFXM_TOOLBAR_POPUPMENU, (WPARAM)m_hWnd, MAKELPARAM(ptScreen.x, ptScreen.y));
}

void CUfxSizingControlBar::OnRButtonDown(UINT nFlags, CPoint point) {
  if (m_bDragging) {
    StopSplitterDrag();
    Default();
    return;
  }
  if (CUfxToolBar::IsCustomizeMode()) {
    Default();
    return;
  }
  ClientToScreen(&point);
  SendPopupMenuRequest(point);
}

void CUfxSizingControlBar::OnNcRButtonUp(UINT nHitTest, CPoint point) {
  if (CUfxToolBar::IsCustomizeMode()) {
    Default();
    return;
  }
  SendPopupMenuRequest(point);
}

// ---- position and text --------------------------------------------------------------------------

void CUfxSizingControlBar::OnWindowPosChanging(WINDOWPOS* lpWndPos) {
  lpWndPos->flags |= SWP_FRAMECHANGED;
  CControlBar::OnWindowPosChanging(lpWndPos);
  CWnd* pParent = GetParent();
  m_nDockBarID = pParent != nullptr ? (UINT)pParent->GetDlgCtrlID() : 0;
  if (IsSideDocked() && (lpWndPos->flags & SWP_SHOWWINDOW)) m_bKeepSize = TRUE;
}

LRESULT CUfxSizingControlBar::OnSetText(WPARAM, LPARAM lParam) {
  const LRESULT lResult = Default();
  LPCWSTR lpszText = (LPCWSTR)lParam;
  if (!IsSideDocked()) {
    if (CFrameWnd* pFrame = GetParentFrame()) pFrame->SetWindowText(lpszText);
  }
  if (m_pDockBar != nullptr) m_pDockBar->SetWindowText(lpszText);
  SendMessage(WM_NCPAINT);
  return lResult;
}

// ---- splitter drag ------------------------------------------------------------------------------

BOOL CUfxSizingControlBar::IsAlongRowEdge(UINT nHitTest) const {
  if (IsHorzDocked()) return nHitTest == HTLEFT || nHitTest == HTRIGHT;
  return nHitTest == HTTOP || nHitTest == HTBOTTOM;
}

CUfxSizingControlBar* CUfxSizingControlBar::GetRowNeighbour(UINT nHitTest) const {
  CPtrArray arrBars;
  CollectRowBars(arrBars);
  for (INT_PTR i = 0; i < arrBars.GetSize(); ++i) {
    if (arrBars[i] != this) continue;
    const INT_PTR nOther = (nHitTest == HTLEFT || nHitTest == HTTOP) ? i - 1 : i + 1;
    return nOther >= 0 && nOther < arrBars.GetSize() ? (CUfxSizingControlBar*)arrBars[nOther] : nullptr;
  }
  return nullptr;
}

void CUfxSizingControlBar::StartSplitterDrag(UINT nHitTest) {
  SetCapture();
  RedrawWindow(nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  const BOOL bHorz = IsHorzDocked();
  m_szOld = RowSize();
  const DWORD dwPos = ::GetMessagePos();
  m_ptOld = CPoint((short)LOWORD(dwPos), (short)HIWORD(dwPos));
  ScreenToClient(&m_ptOld);
  m_nDragEdge = nHitTest;
  m_bDragging = TRUE;

  m_szMinT = m_szMin;
  CPtrArray arrBars;
  CollectRowBars(arrBars);
  LONG nRowMax = 0;
  for (INT_PTR i = 0; i < arrBars.GetSize(); ++i) {
    CUfxSizingControlBar* pBar = (CUfxSizingControlBar*)arrBars[i];
    Across(m_szMinT, bHorz) = std::max(Across(m_szMinT, bHorz), Across(pBar->m_szMin, bHorz));
    const LONG nMax = Across(pBar->m_szMax, bHorz);
    if (nRowMax != -1) nRowMax = nMax == -1 ? -1 : std::max(nRowMax, nMax);
  }

  if (IsAlongRowEdge(nHitTest)) {
    CUfxSizingControlBar* pNeighbour = GetRowNeighbour(nHitTest);
    if (pNeighbour != nullptr)
      m_szMaxT = pNeighbour->RowSize() + m_szOld - pNeighbour->m_szMin;
    else
      m_szMaxT = m_szOld;
  } else {
    CRect rectRoom(0, 0, 0, 0);
    if (m_pDockSite != nullptr) {
      m_pDockSite->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rectRoom);
      m_pDockSite->SendMessage(WM_IDLEUPDATECMDUI);
    }
    m_szMaxT = CSize(rectRoom.Width() + m_szOld.cx - 4, rectRoom.Height() + m_szOld.cy - 4);
    if (nRowMax > 0 && nRowMax < Across(m_szMaxT, bHorz)) Across(m_szMaxT, bHorz) = nRowMax;
  }
  InvertSplitterTracker();
}

void CUfxSizingControlBar::TrackSplitterDrag(CPoint point) {
  if (point == m_ptOld) return;
  CSize size = m_szOld;
  switch (m_nDragEdge) {
    case HTLEFT: size.cx += m_ptOld.x - point.x; break;
    case HTRIGHT: size.cx += point.x - m_ptOld.x; break;
    case HTTOP: size.cy += m_ptOld.y - point.y; break;
    case HTBOTTOM: size.cy += point.y - m_ptOld.y; break;
  }
  size.cx = std::max(m_szMinT.cx, std::min(m_szMaxT.cx, size.cx));
  size.cy = std::max(m_szMinT.cy, std::min(m_szMaxT.cy, size.cy));
  const CSize delta = size - RowSize();
  InvertSplitterTracker();
  RowSize() = size;
  const BOOL bHorz = IsHorzDocked();
  if (IsAlongRowEdge(m_nDragEdge)) {
    if (CUfxSizingControlBar* pNeighbour = GetRowNeighbour(m_nDragEdge))
      Along(pNeighbour->RowSize(), bHorz) -= bHorz ? delta.cx : delta.cy;
  } else {
    CPtrArray arrBars;
    CollectRowBars(arrBars);
    for (INT_PTR i = 0; i < arrBars.GetSize(); ++i)
      Across(((CUfxSizingControlBar*)arrBars[i])->RowSize(), bHorz) = Across(size, bHorz);
  }
  InvertSplitterTracker();
}

void CUfxSizingControlBar::StopSplitterDrag() {
  InvertSplitterTracker();
  m_bDragging = FALSE;
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
  if (m_pDockSite != nullptr) m_pDockSite->DelayRecalcLayout(TRUE);
}

void CUfxSizingControlBar::FinishSplitterDrag() {
  StopSplitterDrag();
  const BOOL bHorz = IsHorzDocked();
  CPtrArray arrBars;
  CollectRowBars(arrBars);
  for (INT_PTR i = 0; i < arrBars.GetSize(); ++i) {
    CUfxSizingControlBar* pBar = (CUfxSizingControlBar*)arrBars[i];
    const BOOL bWasExpanded = pBar->m_bExpanded;
    LONG& len = Along(pBar->RowSize(), bHorz);
    if (len == Along(m_szMaxT, bHorz) && arrBars.GetSize() == 2) {
      pBar->m_bExpanded = TRUE;
      LONG& saved = Along(pBar->m_szOld, bHorz);
      if (saved == len) saved = len / 2;
    } else {
      pBar->m_bExpanded = FALSE;
    }
    if (pBar->m_bExpanded != bWasExpanded) {
      pBar->SetExpandTooltip(pBar->m_bExpanded ? IDS_RESTORE_TIP : IDS_EXPAND_TIP);
      pBar->RedrawCaptionButton(&pBar->m_btnExpand);
    }
  }
}

void CUfxSizingControlBar::InvertSplitterTracker() {
  if (m_pDockBar == nullptr || m_pDockSite == nullptr) return;
  CRect rectWindow, rectTracker;
  GetWindowRect(&rectWindow);
  if (!CalcEdgeRect(rectWindow, m_nDragEdge, rectTracker)) return;
  if (GetExStyle() & WS_EX_LAYOUTRTL) {  // the edge is a logical one: mirrored inside the bar
    const int left = rectWindow.left + rectWindow.right - rectTracker.right;
    rectTracker.right = rectWindow.left + rectWindow.right - rectTracker.left;
    rectTracker.left = left;
  }
  if (!IsAlongRowEdge(m_nDragEdge)) {
    CRect rectDock;
    m_pDockBar->GetWindowRect(&rectDock);
    if (IsHorzDocked()) {
      rectTracker.left = rectDock.left + 1;
      rectTracker.right = rectDock.right - 1;
    } else {
      rectTracker.top = rectDock.top + 1;
      rectTracker.bottom = rectDock.bottom - 1;
    }
  }
  CRect rectSite;
  m_pDockSite->GetWindowRect(&rectSite);
  rectTracker.OffsetRect(-rectSite.left, -rectSite.top);
  if (m_pDockSite->GetExStyle() & WS_EX_LAYOUTRTL) {  // the frame's window DC counts from its right
    const int left = rectSite.Width() - rectTracker.right;
    rectTracker.right = rectSite.Width() - rectTracker.left;
    rectTracker.left = left;
  }
  CSize shift = RowSize() - m_szOld;
  if (m_nDragEdge == HTLEFT || m_nDragEdge == HTTOP) shift = -shift;
  if (m_nDragEdge == HTLEFT || m_nDragEdge == HTRIGHT) shift.cy = 0;
  else shift.cx = 0;
  if (GetExStyle() & WS_EX_LAYOUTRTL) shift.cx = -shift.cx;
  if (m_pDockSite->GetExStyle() & WS_EX_LAYOUTRTL) shift.cx = -shift.cx;
  rectTracker.OffsetRect(shift);
  HDC hdc = ::GetDCEx(m_pDockSite->m_hWnd, nullptr, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE);
  if (hdc == nullptr) return;
  CDC* pDC = CDC::FromHandle(hdc);
  CBrush* pOldBrush = pDC->SelectObject(CDC::GetHalftoneBrush());
  pDC->PatBlt(rectTracker.left, rectTracker.top, rectTracker.Width(), rectTracker.Height(), PATINVERT);
  pDC->SelectObject(pOldBrush);
  ::ReleaseDC(m_pDockSite->m_hWnd, hdc);
}

// ---- expanding ----------------------------------------------------------------------------------

void CUfxSizingControlBar::SetExpandTooltip(UINT nTextId) {
  m_btnExpand.m_nTooltipId = nTextId;
  if (m_ToolTip.m_hWnd != nullptr) m_ToolTip.UpdateTipText(LoadText(nTextId), this, kToolExpand);
}

void CUfxSizingControlBar::ToggleExpand() {
  if (!IsSideDocked()) return;
  CPtrArray arrBars;
  CollectRowBars(arrBars);
  if (arrBars.GetSize() < 2) return;
  const BOOL bHorz = IsHorzDocked();
  m_bExpanded = !m_bExpanded;
  CRect rectRow;
  rectRow.SetRectEmpty();
  if (m_pDockBar != nullptr) rectRow = m_pDockBar->m_rectLayout;
  if (rectRow.IsRectEmpty() && m_pDockSite != nullptr) m_pDockSite->GetClientRect(&rectRow);
  if (m_bExpanded) {
    for (INT_PTR i = 0; i < arrBars.GetSize(); ++i) {
      CUfxSizingControlBar* pBar = (CUfxSizingControlBar*)arrBars[i];
      if (pBar == this || !pBar->m_bExpanded) continue;
      pBar->m_bExpanded = FALSE;
      pBar->SetExpandTooltip(IDS_EXPAND_TIP);
      pBar->RedrawCaptionButton(&pBar->m_btnExpand);
    }
    for (INT_PTR i = 0; i < arrBars.GetSize(); ++i) {
      CUfxSizingControlBar* pBar = (CUfxSizingControlBar*)arrBars[i];
      pBar->m_szOld = pBar->RowSize();
      if (pBar == this) {
        if (bHorz) pBar->m_szHorz.cx = rectRow.Width() + 2;
        else pBar->m_szVert.cy = rectRow.Height() - 2;
      } else {
        Along(pBar->RowSize(), bHorz) = Along(pBar->m_szMin, bHorz);
      }
    }
  } else {
    for (INT_PTR i = 0; i < arrBars.GetSize(); ++i) {
      CUfxSizingControlBar* pBar = (CUfxSizingControlBar*)arrBars[i];
      pBar->RowSize() = pBar->m_szOld;
    }
  }
  SetExpandTooltip(m_bExpanded ? IDS_RESTORE_TIP : IDS_EXPAND_TIP);
  if (m_pDockSite != nullptr) m_pDockSite->DelayRecalcLayout(TRUE);
}

// ---- saved state --------------------------------------------------------------------------------

CString CUfxSizingControlBar::GetStateKey(LPCWSTR lpszProfileName) const {
  CString strSection = UfxGetRegPath(s_strRegEntry, lpszProfileName);
  // A whole path (no profile given) ends in a backslash; a profile section is below the
  // application's key.
  if (strSection.Right(1) == L"\\") strSection = strSection.Left(strSection.GetLength() - 1);
  CString strKey;
  strKey.Format(L"%s-SCBar-%d", (LPCWSTR)strSection, GetDlgCtrlID());
  if (lpszProfileName == nullptr || *lpszProfileName == 0) return strKey;
  CString strApp = L"Software\\";
  CWinApp* pApp = AfxGetApp();
  if (pApp != nullptr && pApp->m_pszRegistryKey != nullptr && *pApp->m_pszRegistryKey != 0) {
    strApp += pApp->m_pszRegistryKey;
    strApp += L"\\";
  }
  if (pApp != nullptr && pApp->m_pszProfileName != nullptr) strApp += pApp->m_pszProfileName;
  return strApp + L"\\" + strKey;
}

CSize CUfxSizingControlBar::GetStoredSizeLimit() const {
  return CSize(std::max(::GetSystemMetrics(SM_CXVIRTUALSCREEN), (int)m_szMin.cx),
               std::max(::GetSystemMetrics(SM_CYVIRTUALSCREEN), (int)m_szMin.cy));
}

BOOL CUfxSizingControlBar::LoadState(LPCWSTR lpszProfileName) {
  if (m_hWnd == nullptr) return FALSE;
  CUfxRegistryPtr reg;
  CUfxRegistry& in = reg.Create(FALSE, TRUE);
  if (!in.Open(GetStateKey(lpszProfileName))) return FALSE;
  // A stored size lies between the minimum and the virtual screen: a damaged or foreign value
  // never makes a bar larger than every monitor together.
  const CSize szLimit = GetStoredSizeLimit();
  auto readSize = [&](LPCWSTR lpszCX, LPCWSTR lpszCY, CSize& size) {
    int cx = size.cx, cy = size.cy;
    in.Read(lpszCX, cx);
    in.Read(lpszCY, cy);
    size = CSize(std::min(std::max(cx, (int)m_szMin.cx), (int)szLimit.cx),
                 std::min(std::max(cy, (int)m_szMin.cy), (int)szLimit.cy));
  };
  readSize(L"sizeHorzCX", L"sizeHorzCY", m_szHorz);
  readSize(L"sizeVertCX", L"sizeVertCY", m_szVert);
  readSize(L"sizeFloatCX", L"sizeFloatCY", m_szFloat);
  int nExpanded = 0;
  in.Read(L"Expanded", nExpanded);
  int nRolled = m_bRolled;
  in.Read(L"RolledFloat", nRolled);
  m_bRolled = nRolled != 0;
  in.Read(L"RolledFloatDynamicState", m_nRollUpMode);
  if (m_nRollUpMode == 2 || m_nRollUpMode == 4) m_bRolled = TRUE;
  if (m_nRollUpMode != 0) {
    if (CUfxMiniDockFrameWnd* pFrame = DYNAMIC_DOWNCAST(CUfxMiniDockFrameWnd, GetParentFrame())) {
      pFrame->m_nRollUpMode = m_nRollUpMode;
      pFrame->m_bRolled = m_bRolled;
    }
  }
  if (m_bSaveActiveTab) {
    if (CUfxTabWnd* pTabWnd = FindTabWindowChild()) {
      int nTab = 0;
      in.Read(L"ActiveTab", nTab);
      pTabWnd->SetActiveTab(nTab);
    }
  }
  // A bar loaded twice is not collapsed by its own state.
  if (nExpanded != 0 && !m_bExpanded) ToggleExpand();
  return TRUE;
}

BOOL CUfxSizingControlBar::SaveState(LPCWSTR lpszProfileName) {
  if (m_hWnd == nullptr) return FALSE;
  CUfxRegistryPtr reg;
  CUfxRegistry& out = reg.Create(FALSE, FALSE);
  if (!out.CreateKey(GetStateKey(lpszProfileName))) return FALSE;
  const CSize szHorz = m_bExpanded && IsHorzDocked() ? m_szOld : m_szHorz;
  const CSize szVert = m_bExpanded && IsVertDocked() ? m_szOld : m_szVert;
  BOOL bOk = out.Write(L"sizeHorzCX", (int)szHorz.cx) && out.Write(L"sizeHorzCY", (int)szHorz.cy) &&
             out.Write(L"sizeVertCX", (int)szVert.cx) && out.Write(L"sizeVertCY", (int)szVert.cy) &&
             out.Write(L"sizeFloatCX", (int)m_szFloat.cx) && out.Write(L"sizeFloatCY", (int)m_szFloat.cy) &&
             out.Write(L"Expanded", (int)m_bExpanded);
  if (m_nRollUpMode != 0)
    bOk = bOk && out.Write(L"RolledFloat", (int)m_bRolled) && out.Write(L"RolledFloatDynamicState", m_nRollUpMode);
  if (m_bSaveActiveTab) {
    if (CUfxTabWnd* pTabWnd = FindTabWindowChild()) bOk = bOk && out.Write(L"ActiveTab", pTabWnd->GetActiveTab());
  }
  return bOk;
}
