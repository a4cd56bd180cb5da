#include "looks/UfxPropertySheet.h"
#include "looks/UfxPropertyPage.h"
#include "looks/UfxPropSheetCategory.h"
#include "bars/UfxToolbarButton.h"
#include "frames/UfxOutlookBar.h"
#include "frames/UfxTabWnd.h"
#include <algorithm>
#include <commctrl.h>

IMPLEMENT_DYNAMIC(CUfxPropertySheet, CPropertySheet)

namespace {
// The sheet's buttons, in the order the row is laid out.
const int kButtonIds[] = {IDOK, IDCANCEL, ID_APPLY_NOW, IDHELP};
const int kButtonMargin = 5;
// Posted to the sheet after a page became active in the outlook look: check and show its button.
const UINT WM_UFX_SHOW_OUTLOOK_BUTTON = 0x07E9;
// The outlook bar's bar style in the sheet: aligned left, fly-by, tooltips, sized by its content.
const DWORD kOutlookBarStyle = 0x1034;
}  // namespace

// The tab window of the tab-window look: activating a tab activates its page.
class CUfxPropSheetTabWnd : public CUfxTabWnd {
public:
  explicit CUfxPropSheetTabWnd(CUfxPropertySheet* pSheet) : m_pSheet(pSheet) {}
  BOOL SetActiveTab(int iTab) override {
    CWaitCursor wait;
    if (m_pSheet->GetActiveIndex() != iTab && iTab >= 0 && iTab < m_pSheet->GetPageCount())
      m_pSheet->SetActivePage(iTab);
    const BOOL bDone = CUfxTabWnd::SetActiveTab(iTab);
    m_pSheet->PlacePageInTabWnd();
    return bDone;
  }

private:
  CUfxPropertySheet* m_pSheet;
};

// The outlook bar of the outlook look: its buttons' commands and their update go to the sheet,
// not to the frame behind it, and they are never disabled for want of a handler.
class CUfxPropSheetOutlookBar : public CUfxOutlookBar {
public:
  explicit CUfxPropSheetOutlookBar(CUfxPropertySheet* pSheet) : m_pSheet(pSheet) { SetRouteCommandsViaFrame(FALSE); }
  void OnUpdateCmdUI(CFrameWnd*, BOOL) override {
    CUfxOutlookBar::OnUpdateCmdUI(reinterpret_cast<CFrameWnd*>(m_pSheet), FALSE);
  }

private:
  CUfxPropertySheet* m_pSheet;
};

BEGIN_MESSAGE_MAP(CUfxPropertySheet, CPropertySheet)
  ON_MESSAGE(WM_UFX_SHOW_OUTLOOK_BUTTON, OnShowOutlookButton)
  ON_NOTIFY(TVN_GETDISPINFOW, CUfxPropertySheet::ID_NAV_TREE, OnTreeGetDispInfo)
  ON_NOTIFY(TVN_GETDISPINFOA, CUfxPropertySheet::ID_NAV_TREE, OnTreeGetDispInfo)
  ON_NOTIFY(TVN_SELCHANGEDW, CUfxPropertySheet::ID_NAV_TREE, OnTreeSelChanged)
  ON_NOTIFY(TVN_SELCHANGEDA, CUfxPropertySheet::ID_NAV_TREE, OnTreeSelChanged)
END_MESSAGE_MAP()

CUfxPropertySheet::CUfxPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(nIDCaption, pParentWnd, iSelectPage), m_Impl(this) {}

CUfxPropertySheet::~CUfxPropertySheet() {
  while (!m_lstTreeCategories.IsEmpty()) delete m_lstTreeCategories.RemoveHead();
  delete m_pTabWnd;
  delete m_pOutlookBar;
}

void CUfxPropertySheet::SetLook(PropSheetLook look, int nNavControlWidth) {
  m_look = look;
  m_nBarWidth = nNavControlWidth;
  if (look != PropSheetLook_Tabs) EnableStackedTabs(FALSE);
}

BOOL CUfxPropertySheet::SetIconsList(UINT uiImageListResID, int nImageWidth, COLORREF clrMask) {
  CBitmap bmp;
  if (!bmp.LoadBitmap(uiImageListResID)) return FALSE;
  BITMAP info = {};
  bmp.GetBitmap(&info);
  UINT nFlags = ILC_COLOR4;
  switch (info.bmBitsPixel) {
    case 8: nFlags = ILC_COLOR8; break;
    case 16: nFlags = ILC_COLOR16; break;
    case 24: nFlags = ILC_COLOR24; break;
    case 32: nFlags = ILC_COLOR32; break;
  }
  if (clrMask != (COLORREF)-1) nFlags |= ILC_MASK;
  CImageList icons;
  if (!icons.Create(nImageWidth, info.bmHeight, nFlags, 0, 0)) return FALSE;
  icons.Add(&bmp, clrMask);
  m_Icons.DeleteImageList();
  m_Icons.Attach(icons.Detach());
  return TRUE;
}

void CUfxPropertySheet::AddPage(CPropertyPage* pPage) {
  CPropertySheet::AddPage(pPage);
  if (GetSafeHwnd() != nullptr && m_look != PropSheetLook_Tabs) AddPageToNavigation(GetPageCount() - 1);
}

CWnd* CUfxPropertySheet::GetNavigationControl() const {
  switch (m_look) {
    case PropSheetLook_OutlookBar: return m_pOutlookBar;
    case PropSheetLook_Tree: return m_wndTree.GetSafeHwnd() != nullptr ? const_cast<CTreeCtrl*>(&m_wndTree) : nullptr;
    case PropSheetLook_TabWindow: return m_pTabWnd;
    default: return nullptr;
  }
}

// ---- the navigation controls ----------------------------------------------------------------------

CWnd* CUfxPropertySheet::InitNavigationControl() {
  switch (m_look) {
    case PropSheetLook_OutlookBar: {
      m_pOutlookBar = new CUfxPropSheetOutlookBar(this);
      if (!m_pOutlookBar->Create(this, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_LEFT, ID_NAV_OUTLOOKBAR)) {
        delete m_pOutlookBar;
        m_pOutlookBar = nullptr;
        return nullptr;
      }
      m_pOutlookBar->SetBarStyle(kOutlookBarStyle);
      m_pOutlookBar->EnableTextLabels(TRUE);
      m_pOutlookBar->EnableSplitter(FALSE);
      m_pOutlookBar->SetOwner(this);
      break;
    }
    case PropSheetLook_Tree: {
      if (!m_wndTree.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                                TVS_SHOWSELALWAYS,
                            CRect(0, 0, 0, 0), this, ID_NAV_TREE))
        return nullptr;
      m_wndTree.ModifyStyleEx(0, WS_EX_CLIENTEDGE);
      if (m_Icons.GetSafeHandle() != nullptr) {
        m_wndTree.SetImageList(&m_Icons, TVSIL_NORMAL);
        m_wndTree.SetImageList(&m_Icons, TVSIL_STATE);
      }
      for (POSITION pos = m_lstTreeCategories.GetHeadPosition(); pos != nullptr;)
        InsertCategory(m_lstTreeCategories.GetNext(pos));
      break;
    }
    case PropSheetLook_TabWindow: {
      m_pTabWnd = new CUfxPropSheetTabWnd(this);
      if (!m_pTabWnd->Create(CUfxTabWnd::STYLE_3D_SLOPED, CRect(0, 0, 0, 0), this, ID_NAV_TABWND,
                             CUfxTabWnd::LOCATION_TOP, FALSE)) {
        delete m_pTabWnd;
  delete m_pOutlookBar;
        m_pTabWnd = nullptr;
        return nullptr;
      }
      // The sheet shows and places its pages itself.
      m_pTabWnd->SetHideInactiveWindows(FALSE);
      m_pTabWnd->SetResizeTabWindows(FALSE);
      if (m_Icons.GetSafeHandle() != nullptr) m_pTabWnd->SetImageList(m_Icons.GetSafeHandle());
      break;
    }
    default:
      return nullptr;
  }
  for (int i = 0; i < GetPageCount(); i++) AddPageToNavigation(i);
  return GetNavigationControl();
}

void CUfxPropertySheet::InsertCategory(CUfxPropSheetCategory* pCategory) {
  const HTREEITEM hParent =
      pCategory->m_pParentCategory != nullptr ? pCategory->m_pParentCategory->m_hTreeItem : TVI_ROOT;
  pCategory->m_hTreeItem = m_wndTree.InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM,
                                                pCategory->m_strName, I_IMAGECALLBACK, I_IMAGECALLBACK, 0, 0,
                                                (LPARAM)pCategory, hParent, TVI_LAST);
  for (POSITION pos = pCategory->m_lstSubCategories.GetHeadPosition(); pos != nullptr;)
    InsertCategory(pCategory->m_lstSubCategories.GetNext(pos));
}

void CUfxPropertySheet::AddPageToNavigation(int iPage) {
  CPropertyPage* pPage = GetPage(iPage);
  if (pPage == nullptr) return;
  wchar_t text[256] = {};
  TCITEMW item = {};
  item.mask = TCIF_TEXT;
  item.pszText = text;
  item.cchTextMax = 255;
  if (CTabCtrl* pTabs = GetTabControl()) pTabs->SendMessage(TCM_GETITEMW, (WPARAM)iPage, (LPARAM)&item);
  switch (m_look) {
    case PropSheetLook_OutlookBar: {
      if (m_pOutlookBar == nullptr || iPage > ID_NAV_LAST_PAGE - ID_NAV_FIRST_PAGE) return;
      const UINT uiCmd = ID_NAV_FIRST_PAGE + iPage;
      HICON hIcon = m_Icons.GetSafeHandle() != nullptr ? ::ImageList_GetIcon(m_Icons.GetSafeHandle(), iPage, ILD_NORMAL)
                                                       : nullptr;
      if (hIcon != nullptr) {
        m_pOutlookBar->AddButton(hIcon, text, uiCmd);
        ::DestroyIcon(hIcon);
      } else {
        m_pOutlookBar->AddButton(-1, text, uiCmd);
      }
      break;
    }
    case PropSheetLook_Tree: {
      CUfxPropertyPage* pUfxPage = DYNAMIC_DOWNCAST(CUfxPropertyPage, pPage);
      if (pUfxPage == nullptr || m_wndTree.GetSafeHwnd() == nullptr) return;
      const HTREEITEM hParent = pUfxPage->m_pCategory != nullptr ? pUfxPage->m_pCategory->m_hTreeItem : TVI_ROOT;
      pUfxPage->m_hTreeNode = m_wndTree.InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM, text,
                                                   I_IMAGECALLBACK, I_IMAGECALLBACK, 0, 0, (LPARAM)pUfxPage,
                                                   hParent, TVI_LAST);
      break;
    }
    case PropSheetLook_TabWindow:
      if (m_pTabWnd != nullptr) m_pTabWnd->AddTab(pPage, text, m_Icons.GetSafeHandle() != nullptr ? iPage : -1);
      break;
    default:
      break;
  }
}

// ---- layout ---------------------------------------------------------------------------------------

BOOL CUfxPropertySheet::OnInitDialog() {
  const BOOL bResult = CPropertySheet::OnInitDialog();
  CWnd* pNavigation = InitNavigationControl();
  if (pNavigation == nullptr) return bResult;
  if (m_look == PropSheetLook_TabWindow) LayoutTabWindow();
  else LayoutLeftPane(pNavigation);
  MoveButtons();
  return bResult;
}

int CUfxPropertySheet::TabRowHeight() const {
  CTabCtrl* pTabs = GetTabControl();
  if (pTabs == nullptr || pTabs->GetSafeHwnd() == nullptr) return 0;
  CRect rectItem;
  if (!pTabs->SendMessage(TCM_GETITEMRECT, 0, (LPARAM)&rectItem)) return 0;
  const int nRows = std::max(1, (int)pTabs->SendMessage(TCM_GETROWCOUNT));
  return rectItem.Height() * nRows;
}

void CUfxPropertySheet::LayoutTabWindow() {
  CTabCtrl* pTabs = GetTabControl();
  if (pTabs == nullptr || m_pTabWnd == nullptr) return;
  CRect rectTabs;
  pTabs->GetWindowRect(rectTabs);
  ScreenToClient(rectTabs);
  rectTabs.InflateRect(2, 0);
  m_pTabWnd->SetWindowPos(nullptr /* top */, rectTabs.left, rectTabs.top, rectTabs.Width(), rectTabs.Height(),
                          SWP_NOACTIVATE);
  // A tab window whose strip is higher than the platform's tab row needs the difference.
  const int nDiff = m_pTabWnd->GetTabsHeight() - TabRowHeight();
  if (nDiff > 0) {
    CRect rectWindow;
    GetWindowRect(rectWindow);
    SetWindowPos(nullptr, 0, 0, rectWindow.Width(), rectWindow.Height() + nDiff + kButtonMargin,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_pTabWnd->SetWindowPos(nullptr, 0, 0, rectTabs.Width(), rectTabs.Height() + nDiff,
                            SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  pTabs->ModifyStyle(WS_TABSTOP, 0);
  pTabs->ShowWindow(SW_HIDE);
  if (GetPageCount() > 0) m_pTabWnd->SetActiveTab(0);
  PlacePageInTabWnd();
}

void CUfxPropertySheet::LayoutLeftPane(CWnd* pNavigation) {
  CTabCtrl* pTabs = GetTabControl();
  if (pTabs == nullptr) return;
  CRect rectClient;
  GetClientRect(rectClient);
  // The tab row goes out of sight above the client area; the pane takes the left.
  const int r = TabRowHeight() + 5;
  SetWindowPos(nullptr, 0, 0, m_nBarWidth + rectClient.Width(), rectClient.Height() - r + 20,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  CRect rectNew;
  GetClientRect(rectNew);
  const int nTabsHeight = rectNew.Height() - 10;
  pTabs->SetWindowPos(nullptr, m_nBarWidth, -r, rectNew.Width() - m_nBarWidth, nTabsHeight,
                      SWP_NOZORDER | SWP_NOACTIVATE);
  CRect rectNav(0, rectNew.top, m_nBarWidth, nTabsHeight - r);
  rectNav.DeflateRect(1, 1);
  pNavigation->SetWindowPos(nullptr /* top */, rectNav.left, rectNav.top, rectNav.Width(), rectNav.Height(),
                            SWP_NOACTIVATE);
  // The active page fills the new area.
  const int iActive = GetActiveIndex();
  if (iActive >= 0) {
    SetActivePage(iActive == 0 && GetPageCount() > 1 ? 1 : 0);
    SetActivePage(iActive);
  }
}

void CUfxPropertySheet::MoveButtons() {
  CRect rectClient;
  GetClientRect(rectClient);
  int nRight = -1;
  CWnd* buttons[4] = {};
  for (int i = 0; i < 4; i++) {
    const int id = kButtonIds[i];
    if (id == IDHELP && !(m_psh.dwFlags & PSH_HASHELP)) continue;
    if (id == ID_APPLY_NOW && (m_psh.dwFlags & PSH_NOAPPLYNOW)) continue;
    CWnd* pButton = GetDlgItem(id);
    if (pButton == nullptr) continue;
    CRect rect;
    pButton->GetWindowRect(rect);
    ScreenToClient(rect);
    rect.OffsetRect(0, rectClient.bottom - kButtonMargin - rect.bottom);
    pButton->SetWindowPos(nullptr, rect.left, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    nRight = rect.right;
    buttons[i] = pButton;
  }
  if (nRight < 0) return;
  const int dx = rectClient.right - nRight - kButtonMargin;
  for (CWnd* pButton : buttons) {
    if (pButton == nullptr) continue;
    CRect rect;
    pButton->GetWindowRect(rect);
    ScreenToClient(rect);
    pButton->SetWindowPos(nullptr, rect.left + dx, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void CUfxPropertySheet::PlacePageInTabWnd() {
  CPropertyPage* pPage = GetActivePage();
  if (m_pTabWnd == nullptr || pPage == nullptr || pPage->GetSafeHwnd() == nullptr) return;
  CRect rect = m_pTabWnd->GetWndArea();
  m_pTabWnd->MapWindowPoints(this, rect);
  pPage->SetWindowPos(nullptr /* top */, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOACTIVATE);
}

// ---- keeping the navigation in step ----------------------------------------------------------------

void CUfxPropertySheet::OnActivatePage(CPropertyPage* pPage) {
  const int iPage = GetPageIndex(pPage);
  switch (m_look) {
    case PropSheetLook_OutlookBar:
      // The button shown before loses its check; the new one gets it once the page is shown.
      if (m_pOutlookBar != nullptr && m_nActivePage >= 0 && m_nActivePage < m_pOutlookBar->GetButtonCount())
        m_pOutlookBar->GetButton(m_nActivePage)->m_nStyle &= ~TBBS_CHECKED;
      m_nActivePage = iPage;
      if (GetSafeHwnd() != nullptr) PostMessage(WM_UFX_SHOW_OUTLOOK_BUTTON);
      break;
    case PropSheetLook_Tree: {
      CUfxPropertyPage* pUfxPage = DYNAMIC_DOWNCAST(CUfxPropertyPage, pPage);
      if (pUfxPage == nullptr || pUfxPage->m_hTreeNode == nullptr || m_wndTree.GetSafeHwnd() == nullptr) break;
      if (!m_bIsInSelectTree) m_wndTree.SelectItem(pUfxPage->m_hTreeNode);
      m_wndTree.EnsureVisible(pUfxPage->m_hTreeNode);
      break;
    }
    case PropSheetLook_TabWindow:
      if (m_pTabWnd != nullptr && iPage >= 0 && m_pTabWnd->GetActiveTab() != iPage) {
        m_pTabWnd->SetActiveTab(iPage);
        m_pTabWnd->EnsureVisible(iPage);
      }
      break;
    default:
      break;
  }
}

LRESULT CUfxPropertySheet::OnShowOutlookButton(WPARAM, LPARAM) {
  if (m_pOutlookBar == nullptr || m_nActivePage < 0 || m_nActivePage >= m_pOutlookBar->GetButtonCount()) return 0;
  m_pOutlookBar->GetButton(m_nActivePage)->m_nStyle |= TBBS_CHECKED;
  // Scrolled one button at a time until the button shows, or a step changes nothing.
  CRect rectWork;
  m_pOutlookBar->GetWorkArea(rectWork);
  for (;;) {
    const CRect rectButton = m_pOutlookBar->GetButton(m_nActivePage)->Rect();
    const int iFirst = m_pOutlookBar->GetFirstVisible();
    if (rectButton.top < rectWork.top) m_pOutlookBar->ScrollUp();
    else if (rectButton.bottom > rectWork.bottom) m_pOutlookBar->ScrollDown();
    else break;
    if (m_pOutlookBar->GetFirstVisible() == iFirst) break;
  }
  m_pOutlookBar->Invalidate();
  return 0;
}

BOOL CUfxPropertySheet::OnCommand(WPARAM wParam, LPARAM lParam) {
  const UINT uiCmd = LOWORD(wParam);
  if (m_look == PropSheetLook_OutlookBar && uiCmd >= ID_NAV_FIRST_PAGE && uiCmd <= ID_NAV_LAST_PAGE) {
    ActivatePageFromNavigation((int)(uiCmd - ID_NAV_FIRST_PAGE));
    return TRUE;
  }
  return CPropertySheet::OnCommand(wParam, lParam);
}

BOOL CUfxPropertySheet::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  // The outlook bar's buttons are always available.
  if (nCode == CN_UPDATE_COMMAND_UI && pExtra != nullptr && m_look == PropSheetLook_OutlookBar &&
      nID >= ID_NAV_FIRST_PAGE && nID <= ID_NAV_LAST_PAGE) {
    static_cast<CCmdUI*>(pExtra)->Enable(TRUE);
    return TRUE;
  }
  return CPropertySheet::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CUfxPropertySheet::ActivatePageFromNavigation(int iPage) {
  CWaitCursor wait;
  if (iPage >= 0 && iPage < GetPageCount() && iPage != GetActiveIndex()) SetActivePage(iPage);
}

void CUfxPropertySheet::OnTreeGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult) {
  *pResult = 0;
  // The image fields sit at the same place in the wide and narrow forms.
  TVITEMW& item = reinterpret_cast<NMTVDISPINFOW*>(pNMHDR)->item;
  CObject* pObject = reinterpret_cast<CObject*>(item.lParam);
  if (pObject == nullptr) return;
  int nImage = -1;
  if (CUfxPropertyPage* pPage = DYNAMIC_DOWNCAST(CUfxPropertyPage, pObject)) {
    nImage = pPage == GetActivePage() ? pPage->m_nSelIconNum : pPage->m_nIcon;
  } else if (CUfxPropSheetCategory* pCategory = DYNAMIC_DOWNCAST(CUfxPropSheetCategory, pObject)) {
    const BOOL bExpanded = (m_wndTree.GetItemState(item.hItem, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
    nImage = bExpanded ? pCategory->m_nSelectedIcon : pCategory->m_nIcon;
  }
  if (item.mask & TVIF_IMAGE) item.iImage = nImage;
  if (item.mask & TVIF_SELECTEDIMAGE) item.iSelectedImage = nImage;
}

void CUfxPropertySheet::OnTreeSelChanged(NMHDR* pNMHDR, LRESULT* pResult) {
  *pResult = 0;
  // The items sit at the same place in the wide and narrow forms.
  const NMTREEVIEWW* pInfo = reinterpret_cast<NMTREEVIEWW*>(pNMHDR);
  OnTreeSelection(pInfo->itemNew.hItem, pInfo->itemOld.hItem);
}

void CUfxPropertySheet::OnTreeSelection(HTREEITEM hItem, HTREEITEM hOldItem) {
  if (hItem == nullptr) return;
  CObject* pObject = reinterpret_cast<CObject*>(m_wndTree.GetItemData(hItem));
  if (pObject == nullptr) return;
  m_bIsInSelectTree = TRUE;
  CUfxPropertyPage* pOldPage = DYNAMIC_DOWNCAST(CUfxPropertyPage, GetActivePage());
  // The category shown before: that of the item selected before (the page may have changed
  // already when the sheet itself selected the item).
  CUfxPropSheetCategory* pOldCategory = pOldPage != nullptr ? pOldPage->m_pCategory : nullptr;
  if (CObject* pOld = hOldItem != nullptr ? reinterpret_cast<CObject*>(m_wndTree.GetItemData(hOldItem)) : nullptr) {
    if (CUfxPropertyPage* pPage = DYNAMIC_DOWNCAST(CUfxPropertyPage, pOld)) pOldCategory = pPage->m_pCategory;
    else pOldCategory = DYNAMIC_DOWNCAST(CUfxPropSheetCategory, pOld);
  }
  CUfxPropSheetCategory* pNewCategory = nullptr;
  if (CUfxPropertyPage* pPage = DYNAMIC_DOWNCAST(CUfxPropertyPage, pObject)) {
    ActivatePageFromNavigation(GetPageIndex(pPage));
    RedrawPageItem(pOldPage);
    pNewCategory = pPage->m_pCategory;
  } else if (CUfxPropSheetCategory* pCategory = DYNAMIC_DOWNCAST(CUfxPropSheetCategory, pObject)) {
    // Down through the first sub-categories to a leaf; its first page, if it has one.
    while (!pCategory->m_lstSubCategories.IsEmpty()) pCategory = pCategory->m_lstSubCategories.GetHead();
    if (!pCategory->m_lstPages.IsEmpty()) {
      CUfxPropertyPage* pFirst = pCategory->m_lstPages.GetHead();
      ActivatePageFromNavigation(GetPageIndex(pFirst));
      RedrawPageItem(pFirst);
    }
    pNewCategory = pCategory;
  }
  if (pNewCategory != pOldCategory) {
    if (pOldCategory != nullptr && pOldCategory->m_hTreeItem != nullptr)
      m_wndTree.Expand(pOldCategory->m_hTreeItem, TVE_COLLAPSE);
    if (pNewCategory != nullptr && pNewCategory->m_hTreeItem != nullptr)
      m_wndTree.Expand(pNewCategory->m_hTreeItem, TVE_EXPAND);
  }
  m_bIsInSelectTree = FALSE;
}

void CUfxPropertySheet::RedrawPageItem(CPropertyPage* pPage) {
  CUfxPropertyPage* pUfxPage = DYNAMIC_DOWNCAST(CUfxPropertyPage, pPage);
  if (pUfxPage == nullptr || pUfxPage->m_hTreeNode == nullptr) return;
  CRect rect;
  if (m_wndTree.GetItemRect(pUfxPage->m_hTreeNode, rect, FALSE)) m_wndTree.InvalidateRect(rect);
}

BOOL CUfxPropertySheet::PreTranslateMessage(MSG* pMsg) {
  if (m_Impl.ProcessMessage(pMsg)) return TRUE;
  return CPropertySheet::PreTranslateMessage(pMsg);
}
