#include "bars/UfxPopupMenuBar.h"
#include "bars/UfxPopupMenu.h"
#include "bars/UfxMenuBar.h"
#include "bars/UfxToolbarMenuButton.h"
#include "bars/UfxShowAllButton.h"
#include "bars/UfxMenuSoundPlayer.h"
#include "frames/UfxCommandManager.h"
#include "bars/UfxCommandUsage.h"
#include "frames/UfxContextMenuManager.h"
#include "frames/UfxTearOffManager.h"
#include "frames/UfxKeyboardManager.h"
#include "frames/UfxUserToolsManager.h"
#include "frames/UfxFrameWnd.h"
#include "frames/UfxGlobalData.h"
#include "looks/UfxVisualManager.h"
#include "bars/UfxToolBarShared.h"

IMPLEMENT_SERIAL(CUfxPopupMenuBar, CUfxToolBar, 1)

int CUfxPopupMenuBar::m_nMenuShowDelay = -1;

namespace {
const UINT_PTR kOpenTimer = 1;
const UINT_PTR kCloseTimer = 2;
const int kSeparatorHeight = 8;
const int kInsertionMarkHeight = 6;
const int kEmptyWidth = 50;
const int kEmptyHeight = 20;

// Asks the command route of the target whether a command is enabled.
class CEnabledCmdUI : public CCmdUI {
public:
  explicit CEnabledCmdUI(UINT uiCmd) { m_nID = uiCmd; }
  void Enable(BOOL bOn) override {
    m_bEnabled = bOn;
    m_bEnableChanged = TRUE;
  }
  void SetCheck(int) override {}
  void SetRadio(BOOL) override {}
  void SetText(LPCWSTR) override {}
  BOOL m_bEnabled = TRUE;
};

// The tracked context menu's result goes to the context-menu manager.
void StoreTrackedCommand(UINT uiCommandId) {
  if (UfxContextMenuManager != nullptr) UfxContextMenuManager->SetLastCommandID(uiCommandId);
}

BOOL IsSeparator(const CUfxToolbarButton* p) { return p != nullptr && (p->m_nStyle & TBBS_SEPARATOR) != 0; }

// The character after the first single "&" of a label, upper-cased; 0 when none.
UINT MnemonicOf(const CString& strText) {
  for (int i = 0; i + 1 < strText.GetLength(); ++i) {
    if (strText[i] != L'&') continue;
    if (strText[i + 1] == L'&') {
      ++i;
      continue;
    }
    return (UINT)(ULONG_PTR)::CharUpperW((LPWSTR)(ULONG_PTR)(WORD)strText[i + 1]);
  }
  return 0;
}
}  // namespace

BOOL UfxIsReservedCommand(UINT uiCmdId) {
  if (uiCmdId >= 0xE110 && uiCmdId <= 0xE11F) return TRUE;  // recent files
  if (uiCmdId >= 0xE210 && uiCmdId <= 0xE21F) return TRUE;  // OLE verbs
  if (uiCmdId >= 0xF000 && uiCmdId <= 0xF1EF) return TRUE;  // system commands
  if (uiCmdId > 0xFEFF) return TRUE;
  return UfxUserToolsManager != nullptr && uiCmdId == UfxUserToolsManager->GetToolsEntryCmd();
}

BEGIN_MESSAGE_MAP(CUfxPopupMenuBar, CUfxToolBar)
  ON_WM_NCPAINT()
  ON_WM_NCCALCSIZE()
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_TIMER()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_MOUSEMOVE()
  ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
  ON_COMMAND(16916, OnToolbarImageAndText)
  ON_COMMAND(16915, OnToolbarText)
END_MESSAGE_MAP()

CUfxPopupMenuBar::CUfxPopupMenuBar() {
  m_bMenuMode = TRUE;
  m_bLocked = TRUE;
  m_HiddenItemsAccel.InitHashTable(17);
}

CUfxPopupMenuBar::~CUfxPopupMenuBar() = default;

// ---- the menu show delay ----------------------------------------------------------------------

int CUfxPopupMenuBar::ParseMenuShowDelay(LPCWSTR lpszValue) {
  if (lpszValue == nullptr) return 500;
  while (*lpszValue == L' ') ++lpszValue;
  const wchar_t* p = lpszValue;
  if (*p == L'-' || *p == L'+') ++p;
  if (*p < L'0' || *p > L'9') return 500;
  wchar_t* pEnd = nullptr;
  const long long n = wcstoll(lpszValue, &pEnd, 10);
  while (pEnd != nullptr && *pEnd == L' ') ++pEnd;
  if (pEnd == nullptr || *pEnd != 0) return 500;
  if (n > 5000) return 5000;
  if (n <= 0) return 1;
  return (int)n;
}

int CUfxPopupMenuBar::GetMenuShowDelay() {
  if (m_nMenuShowDelay >= 0) return m_nMenuShowDelay;
  m_nMenuShowDelay = 500;
  HKEY hKey = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, KEY_READ, &hKey) == ERROR_SUCCESS) {
    WCHAR szValue[64] = L"";
    DWORD dwType = 0, cb = sizeof(szValue) - sizeof(WCHAR);
    if (::RegQueryValueExW(hKey, L"MenuShowDelay", nullptr, &dwType, (LPBYTE)szValue, &cb) == ERROR_SUCCESS &&
        dwType == REG_SZ) {
      szValue[cb / sizeof(WCHAR)] = 0;
      m_nMenuShowDelay = ParseMenuShowDelay(szValue);
    }
    ::RegCloseKey(hKey);
  }
  return m_nMenuShowDelay;
}

int CUfxPopupMenuBar::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CUfxToolBar::OnCreate(lpCreateStruct) == -1) return -1;
  GetMenuShowDelay();
  m_bMenuMode = TRUE;
  return 0;
}

void CUfxPopupMenuBar::OnDestroy() {
  KillTimer(kOpenTimer);
  KillTimer(kCloseTimer);
  m_pDelayedPopupMenuButton = nullptr;
  m_pDelayedClosePopupMenuButton = nullptr;
  for (int i = 0; i < GetButtonCount(); ++i) {
    CUfxToolbarMenuButton* pItem = DYNAMIC_DOWNCAST(CUfxToolbarMenuButton, GetButton(i));
    if (pItem != nullptr && pItem->IsDroppedDown()) pItem->OnCancelMode();
  }
  CUfxToolBar::OnDestroy();
}

CUfxPopupMenu* CUfxPopupMenuBar::GetParentPopup() const {
  return DYNAMIC_DOWNCAST(CUfxPopupMenu, GetParent());
}

// ---- rarely used commands ---------------------------------------------------------------------

BOOL CUfxPopupMenuBar::IsRarelyUsedCommand(UINT uiCmd) { return CUfxToolBar::IsRarelyUsedCommand(uiCmd); }

BOOL CUfxPopupMenuBar::IsRarelyUsedButton(const CUfxToolbarButton* pButton) const {
  return pButton != nullptr && !IsSeparator(pButton) && IsRarelyUsedCommand(pButton->m_nID);
}

UINT CUfxPopupMenuBar::GetHiddenMnemonicCommand(TCHAR ch) const {
  UINT uiCmd = 0;
  return m_HiddenItemsAccel.Lookup((UINT)(ULONG_PTR)::CharUpperW((LPWSTR)(ULONG_PTR)(WORD)ch), uiCmd) ? uiCmd : 0;
}

// ---- import and export ------------------------------------------------------------------------

BOOL CUfxPopupMenuBar::ImportFromMenu(HMENU hMenu, BOOL bShowAllCommands) {
  RemoveAllButtons();
  m_bAreAllCommandsShown = TRUE;
  m_HiddenItemsAccel.RemoveAll();
  m_uiDefaultMenuCmdId = 0;
  if (hMenu == nullptr || !::IsMenu(hMenu)) return FALSE;

  CUfxPopupMenu* pPopup = GetParentPopup();
  CWnd* pTarget = pPopup != nullptr ? pPopup->GetMessageWnd() : nullptr;
  if (pTarget == nullptr) pTarget = UfxFrameOverride;
  if (pTarget == nullptr) pTarget = UfxGetTopLevelFrame(this);
  if (pTarget == nullptr) pTarget = AfxGetMainWnd();
  if (pTarget != nullptr && pTarget->GetSafeHwnd() != nullptr)
    pTarget->SendMessage(WM_INITMENUPOPUP, (WPARAM)hMenu, MAKELPARAM(m_iOffset, 0));
  if (!::IsMenu(hMenu)) return FALSE;

  const BOOL bShowAll = m_bTrackMode || bShowAllCommands || CUfxPopupMenu::GetForceShowAllMenus() ||
                        !CUfxToolBar::IsRecentlyUsedMenus() || !UfxCommandUsage.HasEnoughStatistics();
  const int nCount = ::GetMenuItemCount(hMenu);
  BOOL bLastWasSeparator = FALSE;
  for (int i = 0; i < nCount; ++i) {
    WCHAR szText[1025] = L"";
    MENUITEMINFOW mii = {};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STATE | MIIM_STRING;
    mii.dwTypeData = szText;
    mii.cch = 1024;
    if (!::GetMenuItemInfoW(hMenu, i, TRUE, &mii)) continue;
    if (mii.fType & MFT_SEPARATOR) {
      if (!bLastWasSeparator && GetButtonCount() > 0 && i != nCount - 1 && InsertSeparator() >= 0)
        bLastWasSeparator = TRUE;
      continue;
    }
    CString strText = szText;
    UINT uiID = mii.hSubMenu != nullptr ? (UINT)-1 : mii.wID;
    UINT uiTearOff = 0;
    if (mii.hSubMenu != nullptr && UfxTearOffManager != nullptr) uiTearOff = UfxTearOffManager->Parse(strText);
    const BOOL bGrayed = (mii.fState & (MFS_DISABLED | MFS_GRAYED)) != 0;
    if (uiID != (UINT)-1 && !bShowAll && IsRarelyUsedCommand(uiID)) {
      if (CUfxToolBar::IsCommandAllowed(uiID)) {
        m_bAreAllCommandsShown = FALSE;
        const UINT uiKey = MnemonicOf(strText);
        // Only an enabled item's mnemonic may run it while it is hidden.
        if (uiKey != 0 && !bGrayed) m_HiddenItemsAccel.SetAt(uiKey, uiID);
      }
      continue;
    }
    CUfxToolbarMenuButton* pItem = new CUfxToolbarMenuButton(uiID, mii.hSubMenu, -1, strText);
    pItem->m_bText = TRUE;
    CUfxCommandManager* pCmd = UfxGetCommandManager();
    pItem->m_bImage = uiID != (UINT)-1 && (pCmd->GetCmdImage(uiID, FALSE) >= 0 || pCmd->GetCmdImage(uiID, TRUE) >= 0);
    const BOOL bUserTool = UfxUserToolsManager != nullptr && uiID >= UfxUserToolsManager->GetFirstCmd() &&
                           uiID <= UfxUserToolsManager->GetLastCmd();
    if (bGrayed && !bUserTool) pItem->m_nStyle |= TBBS_DISABLED;
    if (mii.fState & MFS_CHECKED) pItem->m_nStyle |= TBBS_CHECKED;
    if (mii.fType & MFT_RADIOCHECK) pItem->m_bIsRadio = TRUE;
    if (mii.fType & MFT_MENUBREAK) pItem->m_nStyle |= TBBS_BREAK;
    if (uiTearOff != 0) pItem->SetTearOffId(uiTearOff);
    if (InsertButton(pItem) < 0) {
      delete pItem;
      continue;
    }
    bLastWasSeparator = FALSE;
  }
  // Rarely used items left out may have left a separator at the end.
  while (GetButtonCount() > 0 && IsSeparator(GetButton(GetButtonCount() - 1))) RemoveButton(GetButtonCount() - 1);
  m_uiDefaultMenuCmdId = ::GetMenuDefaultItem(hMenu, FALSE, GMDI_USEDISABLED);
  if (m_uiDefaultMenuCmdId == (UINT)-1) m_uiDefaultMenuCmdId = 0;
  return TRUE;
}

HMENU CUfxPopupMenuBar::ExportToMenu() const {
  HMENU hMenu = ::CreatePopupMenu();
  if (hMenu == nullptr) return nullptr;
  for (int i = 0; i < GetButtonCount(); ++i) {
    CUfxToolbarButton* pButton = GetButton(i);
    if (IsSeparator(pButton)) {
      ::AppendMenuW(hMenu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    if (pButton->IsKindOf(RUNTIME_CLASS(CUfxShowAllButton))) continue;
    CUfxToolbarMenuButton* pMenuButton = DYNAMIC_DOWNCAST(CUfxToolbarMenuButton, pButton);
    HMENU hSub = pMenuButton != nullptr ? pMenuButton->ExportToMenu() : nullptr;
    CString strText = pButton->m_strText;
    if (hSub != nullptr && pMenuButton->m_nID == (UINT)-1) {
      UINT uiFlags = MF_POPUP | MF_STRING;
      if (pButton->m_nStyle & TBBS_BREAK) uiFlags |= MF_MENUBREAK;
      if (pMenuButton->GetTearOffId() != 0 && UfxTearOffManager != nullptr)
        UfxTearOffManager->Build(pMenuButton->GetTearOffId(), strText);
      ::AppendMenuW(hMenu, uiFlags, (UINT_PTR)hSub, strText);
    } else {
      if (hSub != nullptr) ::DestroyMenu(hSub);
      UINT uiFlags = MF_STRING;
      if (pButton->m_nStyle & TBBS_BREAK) uiFlags |= MF_MENUBREAK;
      ::AppendMenuW(hMenu, uiFlags, pButton->m_nID, strText);
    }
  }
  if (m_uiDefaultMenuCmdId != 0) ::SetMenuDefaultItem(hMenu, m_uiDefaultMenuCmdId, FALSE);
  return hMenu;
}

BOOL CUfxPopupMenuBar::SetDefaultButtonText(CUfxToolbarButton* pButton) {
  CUfxPopupMenu* pPopup = GetParentPopup();
  CUfxMenuBar* pMenuBar = nullptr;
  for (CUfxPopupMenu* p = pPopup; p != nullptr; p = p->GetParentPopupMenu())
    if (p->GetParentMenuBar() != nullptr) pMenuBar = p->GetParentMenuBar();
  if (pMenuBar != nullptr && pButton != nullptr) {
    const CString strText = pMenuBar->MenuItemText(pButton->m_nID);
    if (!strText.IsEmpty()) {
      pButton->m_strText = strText;
      return TRUE;
    }
  }
  return CUfxToolBar::SetDefaultButtonText(pButton);
}

void CUfxPopupMenuBar::SetButtonStyle(int nIndex, UINT nStyle) {
  CUfxToolbarButton* pButton = GetButton(nIndex);
  if (pButton == nullptr) return;
  // A menu item keeps its column break whatever the command update says.
  CUfxToolBar::SetButtonStyle(nIndex, (nStyle & ~TBBS_BREAK) | (pButton->m_nStyle & TBBS_BREAK));
}

// ---- size and layout ----------------------------------------------------------------------------

int CUfxPopupMenuBar::GetRowHeight() const {
  const CSize sizeImage = CUfxToolBar::GetMenuImageSize();
  int nHeight = std::max<int>(sizeImage.cy + 2, CUfxToolBar::GetMenuButtonSize().cy);
  return std::max<int>(nHeight, UfxGlobalData.m_nTextHeightHorz + 4);
}

CSize CUfxPopupMenuBar::CalcSize() {
  m_arColumns.RemoveAll();
  if (GetButtonCount() == 0) {
    m_sizeItems = CSize(kEmptyWidth, kEmptyHeight);
    return m_sizeItems;
  }
  CWindowDC dcScreen(nullptr);
  CDC* pDC = &dcScreen;
  CFont* pOldFont = pDC->SelectObject(&UfxGlobalData.fontRegular);
  const CSize sizeImage = CUfxToolBar::GetMenuImageSize();
  const CSize sizeDefault(sizeImage.cx + 2, sizeImage.cy + 2);
  const int nRowHeight = GetRowHeight();
  int nColumnWidth = 0, nColumnHeight = 0, nMaxHeight = 0;
  for (int i = 0; i < GetButtonCount(); ++i) {
    CUfxToolbarButton* pButton = GetButton(i);
    if ((pButton->m_nStyle & TBBS_BREAK) && nColumnHeight > 0) {
      m_arColumns.Add(nColumnWidth);
      nMaxHeight = std::max(nMaxHeight, nColumnHeight);
      nColumnWidth = nColumnHeight = 0;
    }
    if (IsSeparator(pButton)) {
      nColumnHeight += kSeparatorHeight;
      continue;
    }
    CFont* pItemFont = nullptr;
    if (pButton->m_nID != 0 && pButton->m_nID == m_uiDefaultMenuCmdId) pItemFont = pDC->SelectObject(&UfxGlobalData.fontBold);
    CSize size = pButton->OnCalculateSize(pDC, sizeDefault, TRUE);
    if (pItemFont != nullptr) pDC->SelectObject(pItemFont);
    if (pButton->m_strText.Find(L'\t') > 0) size.cx += 10;
    pButton->m_bWrapText = m_iMaxWidth <= 0 || size.cx <= m_iMaxWidth - 2;
    nColumnWidth = std::max<int>(nColumnWidth, size.cx);
    nColumnHeight += std::max<int>(nRowHeight, size.cy);
  }
  m_arColumns.Add(nColumnWidth);
  nMaxHeight = std::max(nMaxHeight, nColumnHeight);
  pDC->SelectObject(pOldFont);
  int nWidth = 0;
  for (INT_PTR i = 0; i < m_arColumns.GetSize(); ++i) nWidth += (int)m_arColumns[i] + (i > 0 ? 1 : 0);
  CSize size(nWidth + 2, nMaxHeight + 2);
  if (m_iMaxWidth > 0 && size.cx > m_iMaxWidth) size.cx = m_iMaxWidth;
  m_sizeItems = size;
  return size;
}

CSize CUfxPopupMenuBar::ComputeButtonsSize(BOOL) { return CalcSize(); }

void CUfxPopupMenuBar::LayoutButtons() {
  if (GetSafeHwnd() == nullptr) return;
  if (m_arColumns.GetSize() == 0 && GetButtonCount() > 0) CalcSize();
  CRect rectClient;
  GetClientRect(rectClient);
  const int nRowHeight = GetRowHeight();
  const int yTop = rectClient.top + 1 - m_iOffset * nRowHeight;
  int x = rectClient.left + 1, y = yTop;
  int iColumn = 0;
  for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
    CUfxToolbarButton* pButton = ufx_toolbar::AsButton(m_Buttons.GetNext(pos));
    if ((pButton->m_nStyle & TBBS_BREAK) && y > yTop) {
      x += (int)m_arColumns[iColumn] + 1;
      if (iColumn + 1 < m_arColumns.GetSize()) ++iColumn;
      y = yTop;
    }
    const int nWidth = iColumn < m_arColumns.GetSize() ? (int)m_arColumns[iColumn] : rectClient.Width() - 2;
    const int nHeight = IsSeparator(pButton) ? kSeparatorHeight : nRowHeight;
    pButton->SetRect(CRect(x, y, x + nWidth, y + nHeight));
    pButton->m_bVisible = TRUE;
    y += nHeight;
  }
  // Once cleared the flag stays so: the cursor need not be asked again.
  if (!m_bAllowReleaseExecute) return;
  CPoint pt;
  ::GetCursorPos(&pt);
  ScreenToClient(&pt);
  if (HitItem(pt) >= 0) m_bAllowReleaseExecute = FALSE;
}

// ---- dropping in customize mode ------------------------------------------------------------------

int CUfxPopupMenuBar::FindDropIndex(CPoint point, CRect& rectDrag) const {
  rectDrag.SetRectEmpty();
  // A menu cannot go inside itself: no drop while the selected button opened this popup or
  // one of its parents.
  CUfxToolBar* pSelBar = GetSelectedToolbar();
  CUfxToolbarButton* pSelected = pSelBar != nullptr ? pSelBar->GetButton(pSelBar->GetSelectedButton()) : nullptr;
  if (pSelected != nullptr)
    for (CUfxPopupMenu* p = GetParentPopup(); p != nullptr; p = p->GetParentPopupMenu())
      if (p->GetParentButton() == pSelected) return -1;

  CRect rectClient;
  GetClientRect(rectClient);
  const int nHalf = kInsertionMarkHeight / 2;
  if (GetButtonCount() == 0) {
    rectDrag.SetRect(rectClient.left + 1, rectClient.top + 1 - nHalf, rectClient.right - 1, rectClient.top + 1 + nHalf);
    return 0;
  }
  for (int i = 0; i < GetButtonCount(); ++i) {
    const CRect rect = GetButton(i)->Rect();
    if (point.x < rect.left || point.x >= rect.right) continue;  // another column
    const BOOL bLastInColumn =
        i + 1 == GetButtonCount() || (GetButton(i + 1)->m_nStyle & TBBS_BREAK) || GetButton(i + 1)->Rect().left != rect.left;
    if (point.y < rect.CenterPoint().y) {
      rectDrag.SetRect(rect.left, rect.top - nHalf, rect.right, rect.top + nHalf);
      return i;
    }
    if (point.y < rect.bottom || bLastInColumn) {
      rectDrag.SetRect(rect.left, rect.bottom - nHalf, rect.right, rect.bottom + nHalf);
      return i + 1;
    }
  }
  return -1;
}

// An I-beam across the column, centred between the two rows the button goes between.
void CUfxPopupMenuBar::DrawInsertionMark(CDC* pDC) {
  if (m_rectDrag.IsRectEmpty()) return;
  CPen pen(PS_SOLID, 1, UfxGlobalData.clrBtnText);
  CPen* pOldPen = pDC->SelectObject(m_penDrag.GetSafeHandle() != nullptr ? &m_penDrag : &pen);
  const CRect& r = m_rectDrag;
  const int y = r.top + r.Height() / 2;
  for (int i = 0; i < 2; ++i) {
    pDC->MoveTo(r.left, y - 1 + i);
    pDC->LineTo(r.right, y - 1 + i);
    pDC->MoveTo(r.left + i, r.top);
    pDC->LineTo(r.left + i, r.bottom);
    pDC->MoveTo(r.right - 1 - i, r.top);
    pDC->LineTo(r.right - 1 - i, r.bottom);
  }
  pDC->SelectObject(pOldPen);
}

void CUfxPopupMenuBar::SetOffset(int iOffset) {
  if (iOffset < 0) iOffset = 0;
  if (m_iOffset == iOffset) return;
  m_iOffset = iOffset;
  LayoutButtons();
  // Every row moves; the bar paints its own background.
  if (GetSafeHwnd() != nullptr) Invalidate(FALSE);
}

BOOL CUfxPopupMenuBar::IsScrollDnAvailable() {
  if (GetButtonCount() == 0 || GetSafeHwnd() == nullptr) return FALSE;
  CRect rectClient;
  GetClientRect(rectClient);
  return GetButton(GetButtonCount() - 1)->Rect().bottom > rectClient.bottom;
}

int CUfxPopupMenuBar::HitItem(CPoint point) const {
  int i = 0;
  for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr; ++i) {
    const CUfxToolbarButton* pButton = ufx_toolbar::AsButton(m_Buttons.GetNext(pos));
    if (pButton->m_bVisible && pButton->Rect().PtInRect(point)) return IsSeparator(pButton) ? -1 : i;
  }
  return -1;
}

// ---- painting ---------------------------------------------------------------------------------------

void CUfxPopupMenuBar::DrawBarSeparator(CDC* pDC, const CRect& rect, BOOL) {
  CUfxVisualManager::GetInstance()->OnDrawSeparator(pDC, this, rect, FALSE);
}

void CUfxPopupMenuBar::AfterFillBackground(CDC* pDC) {
  if (!CUfxToolBar::IsRecentlyUsedMenus() || CUfxToolBar::IsCustomizeMode()) return;
  CUfxPopupMenu* pPopup = GetParentPopup();
  if (pPopup == nullptr || pPopup->GetParentButton() == nullptr) return;
  OnFillRarelyUsed(pDC);
}

void CUfxPopupMenuBar::OnFillRarelyUsed(CDC* pDC) {
  CRect rectRun;
  BOOL bInRun = FALSE;
  auto flush = [&]() {
    if (bInRun) CUfxVisualManager::GetInstance()->OnHighlightRarelyUsedMenuItems(pDC, rectRun);
    bInRun = FALSE;
  };
  for (int i = 0; i < GetButtonCount(); ++i) {
    CUfxToolbarButton* pButton = GetButton(i);
    if (IsSeparator(pButton)) {
      // A separator between two rarely used items belongs to their run.
      const BOOL bNextRare = i + 1 < GetButtonCount() && IsRarelyUsedButton(GetButton(i + 1));
      if (bInRun && bNextRare) rectRun.UnionRect(rectRun, pButton->Rect());
      else flush();
      continue;
    }
    if (IsRarelyUsedButton(pButton)) {
      if (bInRun) rectRun.UnionRect(rectRun, pButton->Rect());
      else rectRun = pButton->Rect();
      bInRun = TRUE;
    } else {
      flush();
    }
  }
  flush();
}

INT_PTR CUfxPopupMenuBar::OnToolHitTest(CPoint point, TOOLINFOW* pTI) const {
  const int iHit = HitItem(point);
  CUfxToolbarButton* pButton = GetButton(iHit);
  // Menu items have no tooltips; the show-all item and the frame may supply one.
  if (pButton == nullptr || !pButton->IsKindOf(RUNTIME_CLASS(CUfxShowAllButton))) return -1;
  return pButton->OnToolHitTest(this, pTI) ? 0 : -1;
}

CWnd* CUfxPopupMenuBar::GetCommandTarget() const {
  CUfxPopupMenu* pPopup = GetParentPopup();
  if (pPopup != nullptr && pPopup->GetMessageWnd() != nullptr) return pPopup->GetMessageWnd();
  CWnd* pFrame = UfxGetTopLevelFrame(this);
  return pFrame != nullptr ? pFrame : CUfxToolBar::GetCommandTarget();
}

void CUfxPopupMenuBar::UpdateCommands(BOOL bDisableIfNoHndler) {
  CFrameWnd* pTarget = DYNAMIC_DOWNCAST(CFrameWnd, GetCommandTarget());
  if (pTarget == nullptr) pTarget = UfxGetTopLevelFrame(this);
  if (pTarget != nullptr) OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
}

LRESULT CUfxPopupMenuBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM) {
  if (m_bTrackMode) return 0;
  if (IsWindowVisible() && GetParent() != nullptr && GetParent()->IsWindowVisible()) UpdateCommands((BOOL)wParam);
  return 0;
}

CUfxToolbarButton* CUfxPopupMenuBar::CreateDroppedButton(COleDataObject* pDataObject) {
  CUfxToolbarButton* pButton = CUfxToolBar::CreateDroppedButton(pDataObject);
  if (pButton == nullptr || pButton->IsKindOf(RUNTIME_CLASS(CUfxToolbarMenuButton))) return pButton;
  // A toolbar button dropped into a menu becomes a menu item with text.
  CUfxToolbarMenuButton* pItem = new CUfxToolbarMenuButton;
  pItem->CopyFrom(*pButton);
  pItem->m_bText = TRUE;
  delete pButton;
  return pItem;
}

BOOL CUfxPopupMenuBar::EnableContextMenuItems(CUfxToolbarButton* pButton, CMenu* pPopup) {
  CUfxToolBar::EnableContextMenuItems(pButton, pPopup);
  if (pButton == nullptr || pPopup == nullptr) return TRUE;
  const BOOL bImage = pButton->m_bImage && pButton->GetImage() >= 0;
  pPopup->EnableMenuItem(16915, MF_BYCOMMAND | (bImage ? MF_ENABLED : MF_GRAYED));
  pPopup->EnableMenuItem(16916, MF_BYCOMMAND | (bImage ? MF_ENABLED : MF_GRAYED));
  pPopup->CheckMenuItem(16915, MF_BYCOMMAND |
                                   (UfxGetCommandManager()->IsMenuItemWithoutImage(pButton->m_nID) ? MF_CHECKED : MF_UNCHECKED));
  pPopup->EnableMenuItem(16914, MF_BYCOMMAND | MF_GRAYED);
  return TRUE;
}

void CUfxPopupMenuBar::OnToolbarText() {
  CUfxToolbarButton* pButton = GetButton(m_iSelected);
  if (pButton == nullptr) return;
  UfxGetCommandManager()->EnableMenuItemImage(pButton->m_nID, FALSE);
  AdjustLayout();
}

void CUfxPopupMenuBar::OnToolbarImageAndText() {
  CUfxToolbarButton* pButton = GetButton(m_iSelected);
  if (pButton == nullptr) return;
  UfxGetCommandManager()->EnableMenuItemImage(pButton->m_nID, TRUE);
  AdjustLayout();
}

// ---- highlight and submenu timing ---------------------------------------------------------------

void CUfxPopupMenuBar::SetHighlightedItem(int iItem, BOOL bByKey) {
  const int iOld = m_iHighlighted;
  if (iOld == iItem) return;
  m_iHighlighted = iItem;
  if (CUfxToolBar::IsCustomizeMode()) m_iSelected = iItem;
  // Only the two items repaint: a menu item's drawing stays inside its rectangle.
  CUfxToolbarButton* pOld = GetButton(iOld);
  CUfxToolbarButton* pNew = GetButton(iItem);
  InvalidateItems(pOld != nullptr ? pOld->Rect() : CRect(0, 0, 0, 0), pNew != nullptr ? pNew->Rect() : CRect(0, 0, 0, 0));
  ShowCommandPrompt(pNew != nullptr ? pNew->m_nID : (UINT)-1);

  // The submenu that was open closes: at once from the keyboard, after the delay from the mouse.
  int iDropped = -1;
  CUfxToolbarMenuButton* pDropped = GetDroppedDownMenu(&iDropped);
  if (pDropped != nullptr && iDropped != iItem) {
    if (bByKey || CUfxToolBar::IsCustomizeMode()) {
      pDropped->OnCancelMode();
      if (CUfxPopupMenu* pPopup = GetParentPopup()) CUfxPopupMenu::ActivatePopupMenu(UfxGetTopLevelFrame(this), pPopup);
    } else {
      m_pDelayedClosePopupMenuButton = pDropped;
      SetTimer(kCloseTimer, std::max(1, GetMenuShowDelay() - 1), nullptr);
    }
  }
  if (bByKey) return;
  // A parent popup waiting to close this popup's button keeps it.
  if (CUfxPopupMenu* pPopup = GetParentPopup()) {
    CUfxPopupMenu* pParent = pPopup->GetParentPopupMenu();
    if (pParent != nullptr && pParent->GetMenuBar()->m_pDelayedClosePopupMenuButton == pPopup->GetParentButton()) {
      pParent->GetMenuBar()->KillTimer(kCloseTimer);
      pParent->GetMenuBar()->m_pDelayedClosePopupMenuButton = nullptr;
    }
  }
  CUfxToolbarMenuButton* pMenuButton = DYNAMIC_DOWNCAST(CUfxToolbarMenuButton, pNew);
  if (pMenuButton == nullptr || (pMenuButton->m_nStyle & TBBS_DISABLED)) return;
  if (pMenuButton == m_pDelayedClosePopupMenuButton) {
    KillTimer(kCloseTimer);
    m_pDelayedClosePopupMenuButton = nullptr;
    return;
  }
  const BOOL bOpens = pMenuButton->m_nID == (UINT)-1 || !pMenuButton->GetCommands().IsEmpty() || pMenuButton->IsMenuOnly();
  if (pMenuButton->IsKindOf(RUNTIME_CLASS(CUfxShowAllButton)) || bOpens) pMenuButton->OnClick(this, TRUE);
}

void CUfxPopupMenuBar::InvalidateItems(const CRect& rectOld, const CRect& rectNew) {
  // The bar draws its background itself: no erase. Neighbouring items (a step by key) cover
  // exactly their union, one region change instead of two.
  CRect rectUnion;
  rectUnion.UnionRect(rectOld, rectNew);
  const auto area = [](const CRect& r) { return (long long)r.Width() * r.Height(); };
  CRect rectOverlap;
  const long long nOverlap = rectOverlap.IntersectRect(rectOld, rectNew) ? area(rectOverlap) : 0;
  if (area(rectUnion) == area(rectOld) + area(rectNew) - nOverlap) {
    if (!rectUnion.IsRectEmpty()) InvalidateRect(rectUnion, FALSE);
    return;
  }
  if (!rectOld.IsRectEmpty()) InvalidateRect(rectOld, FALSE);
  if (!rectNew.IsRectEmpty()) InvalidateRect(rectNew, FALSE);
}

int CUfxPopupMenuBar::SetHotButton(int iHot) {
  const int iOld = m_iHotKeyButton;
  m_iHotKeyButton = iHot;
  return iOld;
}

void CUfxPopupMenuBar::StartPopupMenuTimer(CUfxToolbarMenuButton* pMenuButton, int nDelayFactor) {
  if (m_pDelayedPopupMenuButton != nullptr) KillTimer(kOpenTimer);
  m_pDelayedPopupMenuButton = pMenuButton;
  if (pMenuButton == nullptr) return;
  if (pMenuButton == m_pDelayedClosePopupMenuButton) {
    RestoreDelayedSubMenu();
    m_pDelayedPopupMenuButton = nullptr;
    return;
  }
  SetTimer(kOpenTimer, GetMenuShowDelay() * nDelayFactor, nullptr);
}

void CUfxPopupMenuBar::CancelDelayTimer() {
  KillTimer(kOpenTimer);
  m_pDelayedPopupMenuButton = nullptr;
}

void CUfxPopupMenuBar::RestoreDelayedSubMenu() {
  if (m_pDelayedClosePopupMenuButton == nullptr) return;
  KillTimer(kCloseTimer);
  m_pDelayedClosePopupMenuButton = nullptr;
}

void CUfxPopupMenuBar::OnTimer(UINT_PTR nIDEvent) {
  CPoint pt;
  ::GetCursorPos(&pt);
  ScreenToClient(&pt);
  if (nIDEvent == kOpenTimer) {
    KillTimer(kOpenTimer);
    if (m_pDelayedClosePopupMenuButton != nullptr) {
      if (m_pDelayedClosePopupMenuButton->Rect().PtInRect(pt)) return;
      CUfxToolbarMenuButton* pClose = m_pDelayedClosePopupMenuButton;
      m_pDelayedClosePopupMenuButton = nullptr;
      KillTimer(kCloseTimer);
      pClose->OnCancelMode();
    }
    CUfxToolbarMenuButton* pOpen = m_pDelayedPopupMenuButton;
    m_pDelayedPopupMenuButton = nullptr;
    if (pOpen != nullptr && ButtonToIndex(pOpen) == m_iHighlighted && ButtonToIndex(pOpen) >= 0) {
      if (pOpen->IsKindOf(RUNTIME_CLASS(CUfxShowAllButton))) {
        if (CUfxPopupMenu* pPopup = GetParentPopup()) pPopup->ShowAllCommands();
      } else if (!pOpen->IsDroppedDown()) {
        pOpen->OnClick(this, FALSE);
      }
    }
    return;
  }
  if (nIDEvent == kCloseTimer) {
    KillTimer(kCloseTimer);
    CUfxToolbarMenuButton* pClose = m_pDelayedClosePopupMenuButton;
    m_pDelayedClosePopupMenuButton = nullptr;
    if (pClose == nullptr || pClose->Rect().PtInRect(pt)) return;
    pClose->OnCancelMode();
    if (CUfxPopupMenu* pPopup = GetParentPopup()) CUfxPopupMenu::ActivatePopupMenu(UfxGetTopLevelFrame(this), pPopup);
    return;
  }
  CUfxToolBar::OnTimer(nIDEvent);
}

// ---- mouse --------------------------------------------------------------------------------------

CUfxToolBar* CUfxPopupMenuBar::BarAtScreenPoint(CPoint ptScreen) const {
  for (CUfxPopupMenu* p = GetParentPopup(); p != nullptr;) {
    CUfxToolbarMenuButton* pButton = p->GetParentButton();
    CWnd* pParentBar = pButton != nullptr ? pButton->GetParentWnd() : nullptr;
    CUfxToolBar* pBar = DYNAMIC_DOWNCAST(CUfxToolBar, pParentBar);
    if (pBar == nullptr || pBar->GetSafeHwnd() == nullptr) return nullptr;
    CRect rect;
    pBar->GetWindowRect(rect);
    if (rect.PtInRect(ptScreen)) return pBar;
    p = DYNAMIC_DOWNCAST(CUfxPopupMenu, pBar->GetParent());
  }
  return nullptr;
}

void CUfxPopupMenuBar::RelayMouse(CUfxToolBar* pBar, UINT message, WPARAM wParam, CPoint ptScreen) {
  pBar->ScreenToClient(&ptScreen);
  pBar->SendMessage(message, wParam, MAKELPARAM(ptScreen.x, ptScreen.y));
}

BOOL CUfxPopupMenuBar::RelayOutside(UINT message, UINT nFlags, CPoint point, BOOL* pbRelayed) {
  CRect rectClient;
  GetClientRect(rectClient);
  if (rectClient.PtInRect(point)) return FALSE;
  CPoint ptScreen = point;
  ClientToScreen(&ptScreen);
  CUfxToolBar* pBar = BarAtScreenPoint(ptScreen);
  if (pBar != nullptr) RelayMouse(pBar, message, nFlags, ptScreen);
  if (pbRelayed != nullptr) *pbRelayed = pBar != nullptr;
  return TRUE;
}

void CUfxPopupMenuBar::OnMouseMove(UINT nFlags, CPoint point) {
  if (m_bFirstMove) {
    m_bFirstMove = FALSE;
    m_ptLastMouse = point;
    return;
  }
  if (RelayOutside(WM_MOUSEMOVE, nFlags, point)) return;
  if (point == m_ptLastMouse) return;
  m_ptLastMouse = point;
  if (!m_bTracked) TrackMouseLeave();
  const int iHit = HitItem(point);
  if (iHit < 0) return;
  SetHighlightedItem(iHit, FALSE);
}

void CUfxPopupMenuBar::OnLButtonDown(UINT nFlags, CPoint point) {
  if (RelayOutside(WM_LBUTTONDOWN, nFlags, point)) return;
  if (CUfxToolBar::IsCustomizeMode() && !m_bLocked) {
    CUfxToolBar::OnLButtonDown(nFlags, point);
    return;
  }
  m_bFirstClick = FALSE;
  m_bPressed = TRUE;
  const int iHit = HitItem(point);
  if (iHit < 0) return;
  SetHighlightedItem(iHit, FALSE);
  CUfxToolbarMenuButton* pMenuButton = DYNAMIC_DOWNCAST(CUfxToolbarMenuButton, GetButton(iHit));
  if (pMenuButton != nullptr && pMenuButton->m_nID == (UINT)-1 && !pMenuButton->IsDroppedDown() &&
      !(pMenuButton->m_nStyle & TBBS_DISABLED)) {
    CancelDelayTimer();
    pMenuButton->OnClick(this, FALSE);
  }
}

void CUfxPopupMenuBar::OnLButtonUp(UINT nFlags, CPoint point) {
  if (GetCapture() == this) ::ReleaseCapture();
  BOOL bRelayed = FALSE;
  if (RelayOutside(WM_LBUTTONUP, nFlags, point, &bRelayed)) {
    if (bRelayed) return;
    // Released outside every bar of the chain: the whole chain closes (not the press that
    // opened it, which never came into the bar).
    if (!m_bFirstClick) {
      if (CUfxPopupMenu* pPopup = GetParentPopup()) pPopup->GetTopLevelPopup()->CloseMenu(FALSE);
    }
    return;
  }
  const int iHit = HitItem(point);
  const BOOL bPressedInside = !m_bFirstClick;
  m_bPressed = FALSE;
  if (iHit < 0) return;
  if (!bPressedInside && !m_bAllowReleaseExecute) return;
  m_bFirstClick = FALSE;
  SetHighlightedItem(iHit, FALSE);
  SendCommandOf(iHit);
}

void CUfxPopupMenuBar::OnLButtonDblClk(UINT nFlags, CPoint point) {
  const int iHit = HitItem(point);
  CUfxToolbarButton* pButton = GetButton(iHit);
  if (pButton != nullptr && pButton->m_nID == (UINT)-1) {
    pButton->OnDblClick(this);
    return;
  }
  OnLButtonDown(nFlags, point);
  OnLButtonUp(nFlags, point);
}

// ---- keys and commands --------------------------------------------------------------------------

void CUfxPopupMenuBar::MoveHighlight(UINT nChar) {
  const int nCount = GetButtonCount();
  if (nCount == 0) return;
  const BOOL bDown = nChar == VK_DOWN || nChar == VK_HOME;
  const int iStart = (nChar == VK_HOME || nChar == VK_END) ? -1 : m_iHighlighted;
  // Each button is visited at most once; when none qualifies the highlight stays.
  for (int n = 1; n <= nCount; ++n) {
    int i;
    if (bDown) i = ((iStart < 0 ? -1 : iStart) + n) % nCount;
    else i = ((iStart < 0 ? nCount : iStart) - n + nCount * 2) % nCount;
    const CUfxToolbarButton* pButton = GetButton(i);
    if (IsSeparator(pButton) || !pButton->m_bVisible) continue;
    SetHighlightedItem(i, TRUE);
    return;
  }
}

void CUfxPopupMenuBar::SendCommandOf(int iButton) {
  CUfxToolbarButton* pButton = GetButton(iButton);
  if (pButton == nullptr || (pButton->m_nStyle & TBBS_DISABLED)) return;
  CUfxToolbarMenuButton* pMenuButton = DYNAMIC_DOWNCAST(CUfxToolbarMenuButton, pButton);
  if (pButton->IsKindOf(RUNTIME_CLASS(CUfxShowAllButton))) {
    pButton->OnClick(this, FALSE);
    return;
  }
  if (pMenuButton != nullptr && (pMenuButton->m_nID == (UINT)-1 || pMenuButton->IsMenuOnly())) {
    if (!pMenuButton->IsDroppedDown()) pMenuButton->OnClick(this, FALSE);
    return;
  }
  if (pButton->OnClickUp()) return;
  ExecuteCommand(pButton->m_nID, pButton);
}

BOOL CUfxPopupMenuBar::OnMnemonic(UINT nChar) {
  BYTE keys[256] = {};
  ::GetKeyboardState(keys);
  WORD wChar = 0;
  if (::ToAsciiEx(nChar, ::MapVirtualKeyW(nChar, 0), keys, &wChar, 0, ::GetKeyboardLayout(0)) != 1) return FALSE;
  const UINT uiUpper = (UINT)(ULONG_PTR)::CharUpperW((LPWSTR)(ULONG_PTR)(wChar & 0xFF));
  for (int i = 0; i < GetButtonCount(); ++i) {
    CUfxToolbarButton* pButton = GetButton(i);
    if (IsSeparator(pButton) || MnemonicOf(pButton->m_strText) != uiUpper) continue;
    SetHighlightedItem(i, TRUE);
    if (pButton->m_nStyle & TBBS_DISABLED) {
      // A disabled item runs nothing; the menu closes.
      if (CUfxPopupMenu* pPopup = GetParentPopup()) pPopup->GetTopLevelPopup()->CloseMenu(TRUE);
      return TRUE;
    }
    CUfxToolbarMenuButton* pMenuButton = DYNAMIC_DOWNCAST(CUfxToolbarMenuButton, pButton);
    if (pMenuButton != nullptr && pMenuButton->m_nID == (UINT)-1) {
      if (!pMenuButton->IsDroppedDown()) pMenuButton->OnClick(this, FALSE);
      if (pMenuButton->GetPopupMenu() != nullptr) pMenuButton->GetPopupMenu()->SendMessage(WM_KEYDOWN, VK_HOME);
      return TRUE;
    }
    SendCommandOf(i);
    return TRUE;
  }
  if (!m_bAreAllCommandsShown && CUfxToolBar::IsRecentlyUsedMenus()) {
    UINT uiCmd = 0;
    if (m_HiddenItemsAccel.Lookup(uiUpper, uiCmd)) {
      CEnabledCmdUI state(uiCmd);
      CWnd* pTarget = GetCommandTarget();
      if (pTarget != nullptr) state.DoUpdate(pTarget, FALSE);
      if (state.m_bEnabled) ExecuteCommand(uiCmd, nullptr);
      return TRUE;
    }
  }
  return FALSE;
}

BOOL CUfxPopupMenuBar::HandleMenuKey(UINT nChar) {
  switch (nChar) {
    case VK_TAB:
      MoveHighlight((::GetKeyState(VK_SHIFT) & 0x8000) ? VK_UP : VK_DOWN);
      return TRUE;
    case VK_UP:
    case VK_DOWN:
    case VK_HOME:
    case VK_END:
      MoveHighlight(nChar);
      return TRUE;
    case VK_RETURN: {
      CUfxToolbarButton* pButton = GetButton(m_iHighlighted);
      if (pButton == nullptr) return TRUE;
      CUfxToolbarMenuButton* pMenuButton = DYNAMIC_DOWNCAST(CUfxToolbarMenuButton, pButton);
      if (pMenuButton != nullptr && pMenuButton->m_nID == (UINT)-1) {
        if (!pMenuButton->IsDroppedDown() && !(pButton->m_nStyle & TBBS_DISABLED)) pMenuButton->OnClick(this, FALSE);
        if (pMenuButton->GetPopupMenu() != nullptr) pMenuButton->GetPopupMenu()->SendMessage(WM_KEYDOWN, VK_HOME);
        return TRUE;
      }
      SendIdlePrompt();
      SendCommandOf(m_iHighlighted);
      return TRUE;
    }
    default:
      if (CUfxToolBar::IsCustomizeMode() || (::GetKeyState(VK_CONTROL) & 0x8000)) return FALSE;
      return OnMnemonic(nChar);
  }
}

void CUfxPopupMenuBar::SetInCommand(BOOL bInCommand) {
  m_bInCommand = bInCommand;
  for (CUfxPopupMenu* p = GetParentPopup(); p != nullptr; p = p->GetParentPopupMenu()) {
    CUfxPopupMenu* pParent = p->GetParentPopupMenu();
    if (pParent != nullptr) pParent->GetMenuBar()->m_bInCommand = bInCommand;
  }
}

void CUfxPopupMenuBar::ExecuteCommand(UINT uiCommandId, CUfxToolbarButton*) {
  CUfxPopupMenu* pPopup = GetParentPopup();
  CUfxPopupMenu* pTop = pPopup != nullptr ? pPopup->GetTopLevelPopup() : nullptr;
  CWnd* pMessageWnd = pPopup != nullptr ? pPopup->GetMessageWnd() : nullptr;
  CWnd* pOwner = pMessageWnd != nullptr ? pMessageWnd : GetOwner();
  if (pOwner != nullptr && pOwner->GetSafeHwnd() != nullptr)
    pOwner->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);

  CUfxMenuBar* pMenuBar = pTop != nullptr ? pTop->GetParentMenuBar() : nullptr;
  const HWND hwndMenuBar = pMenuBar != nullptr ? pMenuBar->GetSafeHwnd() : nullptr;
  SetInCommand(TRUE);
  CUfxMenuSoundPlayer::Play(CUfxMenuSoundPlayer::kCommand);
  if (m_bTrackMode) {
    StoreTrackedCommand(uiCommandId);
  } else {
    if (!UfxIsReservedCommand(uiCommandId) && !CUfxToolBar::IsCoreCommand(uiCommandId))
      UfxCommandUsage.AddCommand(uiCommandId);
    if (pMessageWnd != nullptr && pMessageWnd->GetSafeHwnd() != nullptr) {
      pMessageWnd->PostMessage(WM_COMMAND, uiCommandId);
    } else if (UfxUserToolsManager == nullptr || !UfxUserToolsManager->InvokeTool(uiCommandId)) {
      CWnd* pTarget = GetOwner();
      if (pTarget == nullptr) pTarget = UfxGetTopLevelFrame(this);
      if (pTarget != nullptr && pTarget->GetSafeHwnd() != nullptr) pTarget->PostMessage(WM_COMMAND, uiCommandId);
    }
  }
  SetInCommand(FALSE);
  // The chain closes; the menu bar that opened it drops its highlight.
  if (pTop != nullptr && ::IsWindow(pTop->GetSafeHwnd())) pTop->DestroyWindow();
  if (hwndMenuBar != nullptr && ::IsWindow(hwndMenuBar)) pMenuBar->Deactivate();
}

void CUfxPopupMenuBar::DoPaint(CDC* pDCPaint) {
  CRect rectClient, rectClip;
  GetClientRect(rectClient);
  pDCPaint->GetClipBox(rectClip);
  if (!rectClip.IntersectRect(rectClip, rectClient)) return;
  // The bars' shared off-screen bitmap: making one for every key step costs more than the drawing.
  CDC* pDC = ufx_toolbar::ThePaintBuffer().Get(pDCPaint, rectClip.Size());
  if (pDC == nullptr) return;
  const int nSavedDC = pDC->SaveDC();
  pDC->SetViewportOrg(-rectClip.left, -rectClip.top);
  pDC->IntersectClipRect(rectClip.left, rectClip.top, rectClip.right, rectClip.bottom);
  CUfxVisualManager* pVM = CUfxVisualManager::GetInstance();
  pVM->OnFillBarBackground(pDC, this, rectClient, rectClip);
  AfterFillBackground(pDC);
  pDC->SetTextColor(UfxGlobalData.clrBtnText);
  pDC->SetBkMode(TRANSPARENT);
  pDC->SelectObject(&UfxGlobalData.fontRegular);
  CUfxToolBarImages* pDisabled = nullptr;
  CUfxToolBarImages* pImages = GetImagesToDraw(nullptr, &pDisabled);
  int i = 0;
  for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr; ++i) {
    CUfxToolbarButton* pButton = ufx_toolbar::AsButton(m_Buttons.GetNext(pos));
    CRect rectInter;
    if (!pButton->m_bVisible || !rectInter.IntersectRect(pButton->Rect(), rectClip)) continue;
    if (IsSeparator(pButton)) {
      DrawBarSeparator(pDC, pButton->Rect(), FALSE);
      continue;
    }
    const BOOL bDisabledImages = (pButton->m_nStyle & TBBS_DISABLED) && pDisabled != nullptr && pDisabled->GetCount() > 0;
    CUfxToolBarImages* pButtonImages = pButton->m_bUserButton ? CUfxToolBar::GetUserImages()
                                       : bDisabledImages       ? pDisabled
                                                               : pImages;
    DrawOneButton(pDC, pButton, pButtonImages, i == m_iHighlighted, bDisabledImages);
  }
  pDC->SetViewportOrg(0, 0);
  pDCPaint->BitBlt(rectClip.left, rectClip.top, rectClip.Width(), rectClip.Height(), pDC, 0, 0, SRCCOPY);
  pDC->RestoreDC(nSavedDC);
}
