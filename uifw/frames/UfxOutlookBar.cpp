// The outlook bar: creation, pages and shortcuts, images, commands, saved state and drag and
// drop. Layout, painting, scrolling and the splitter are in UfxOutlookBarLayout.cpp.
#include "frames/UfxOutlookBar.h"

#include <algorithm>

#include "bars/UfxMenuGlyphs.h"
#include "bars/UfxToolbarButton.h"
#include "frames/UfxFramesResources.h"
#include "frames/UfxGlobalData.h"
#include "frames/UfxOutlookBarPage.h"
#include "frames/UfxOutlookButton.h"
#include "frames/UfxRegistry.h"
#include "frames/UfxWorkspace.h"
#include "looks/UfxVisualManager.h"

IMPLEMENT_DYNAMIC(CUfxOutlookBar, CUfxToolBar)

BEGIN_MESSAGE_MAP(CUfxOutlookBar, CUfxToolBar)
  ON_WM_CREATE()
  ON_WM_SIZE()
  ON_WM_NCCALCSIZE()
  ON_WM_NCPAINT()
  ON_WM_SYSCOLORCHANGE()
  ON_WM_TIMER()
  ON_WM_SETCURSOR()
  ON_WM_MOUSEMOVE()
  ON_WM_CANCELMODE()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_CONTEXTMENU()
  ON_MESSAGE(WM_STYLECHANGED, OnStyleChanged)
END_MESSAGE_MAP()

HCURSOR CUfxOutlookBar::s_hcurSplitHorz = nullptr;
HCURSOR CUfxOutlookBar::s_hcurSplitVert = nullptr;

namespace {
CUfxOutlookBarPage* AsPage(CObject* p) { return static_cast<CUfxOutlookBarPage*>(p); }

// The version of the state being read (or written, which is always the current one): none
// without a workspace.
BOOL StoredVersionAtLeast(BOOL bStoring, int iMinor, BOOL bInclusive) {
  CUfxWorkspace* pWorkspace = UfxGetWorkspace();
  if (pWorkspace == nullptr) return FALSE;
  if (bStoring) return TRUE;
  const int iMajor = pWorkspace->GetDataVersionMajor(), iMinorSaved = pWorkspace->GetDataVersionMinor();
  return iMajor > 4 || (iMajor == 4 && (bInclusive ? iMinorSaved >= iMinor : iMinorSaved > iMinor));
}
}  // namespace

BOOL CUfxOutlookBar::ArchiveCarriesWidth(BOOL bStoring) { return StoredVersionAtLeast(bStoring, 70, TRUE); }
BOOL CUfxOutlookBar::ArchiveCarriesPages(BOOL bStoring) { return StoredVersionAtLeast(bStoring, 70, FALSE); }

CUfxOutlookBar::CUfxOutlookBar() : m_clrBackColor(UfxGlobalData.clrBtnShadow) {}

CUfxOutlookBar::~CUfxOutlookBar() {
  DeletePages(m_lstPages);
  DeletePages(m_lstOrigPages);
  delete m_pPageNameEdit;
}

void CUfxOutlookBar::DeletePages(CObList& list) {
  while (!list.IsEmpty()) delete AsPage(list.RemoveHead());
}

void CUfxOutlookBar::CopyPages(const CObList& from, CObList& to) const {
  for (POSITION pos = from.GetHeadPosition(); pos != nullptr;) {
    auto* pPage = new CUfxOutlookBarPage;
    pPage->CopyFrom(*AsPage(from.GetNext(pos)));
    to.AddTail(pPage);
  }
}

// ---- creation ------------------------------------------------------------------------------------

BOOL CUfxOutlookBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
  m_dwCaptionStyle = dwStyle & WS_CAPTION;
  return CUfxToolBar::Create(pParentWnd, (dwStyle & ~WS_CAPTION) | WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, nID);
}

int CUfxOutlookBar::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CUfxToolBar::OnCreate(lpCreateStruct) == -1) return -1;
  SetBarStyle(GetBarStyle() & 0xFFBFF0FF);  // no borders, no gripper
  m_cxLeftBorder = m_cxRightBorder = m_cyTopBorder = m_cyBottomBorder = 0;
  if (!IsHorizontalBar()) {
    ::SetWindowPos(m_hWnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  } else if (CWnd* pParent = GetParent()) {
    if (CWnd* pStatus = pParent->GetDlgItem(AFX_IDW_STATUS_BAR))
      SetWindowPos(pStatus, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  CUfxMenuGlyphs::Initialize();
  CRect rectButton(CPoint(0, 0), CUfxMenuGlyphs::GetSize());
  rectButton.InflateRect(2, 2);
  const BOOL bHorz = IsHorizontalBar();
  m_btnUp.Create(L"", WS_CHILD | BS_PUSHBUTTON, rectButton, this, kScrollUpId);
  m_btnUp.SetStdImage(bHorz ? 19 : 16);
  m_btnDown.Create(L"", WS_CHILD | BS_PUSHBUTTON, rectButton, this, kScrollDownId);
  m_btnDown.SetStdImage(bHorz ? 2 : 0);
  m_btnClose.Create(L"", WS_CHILD | BS_PUSHBUTTON, rectButton, this, kCloseId);
  m_btnClose.SetStdImage(12);
  CString strTip;
  strTip.LoadString(IDS_UFX_OUTLOOKBAR_CLOSE);
  m_btnClose.SetTooltip(strTip);
  SetWindowText(L"Shortcuts");
  if (m_bEnableSplitter && s_hcurSplitHorz == nullptr) {
    HINSTANCE hRes = AfxGetResourceHandle();
    s_hcurSplitHorz = ::LoadCursorW(hRes, MAKEINTRESOURCEW(IDC_UFX_SPLITTER_HORZ));
    s_hcurSplitVert = ::LoadCursorW(hRes, MAKEINTRESOURCEW(IDC_UFX_SPLITTER_VERT));
  }
  return 0;
}

LRESULT CUfxOutlookBar::OnStyleChanged(WPARAM wParam, LPARAM lParam) {
  const auto* pStyles = reinterpret_cast<const STYLESTRUCT*>(lParam);
  if (wParam == (WPARAM)GWL_STYLE && pStyles != nullptr && (pStyles->styleNew & WS_CAPTION) != 0) {
    m_dwCaptionStyle = pStyles->styleNew & WS_CAPTION;
    ModifyStyle(WS_CAPTION, 0);
  }
  return Default();
}

// ---- pages and shortcuts -------------------------------------------------------------------------

CUfxOutlookBarPage* CUfxOutlookBar::FindPage(int iPageId) const {
  for (POSITION pos = m_lstPages.GetHeadPosition(); pos != nullptr;) {
    CUfxOutlookBarPage* pPage = AsPage(m_lstPages.GetNext(pos));
    if (pPage->m_iId == iPageId) return pPage;
  }
  return nullptr;
}

BOOL CUfxOutlookBar::AddPage(int iPageId, LPCWSTR lpszName, HWND hwndHosted) {
  if (iPageId == -1 || FindPage(iPageId) != nullptr) return FALSE;
  auto* pPage = new CUfxOutlookBarPage(iPageId, lpszName, hwndHosted);
  m_lstPages.AddTail(pPage);
  if (GetSafeHwnd() != nullptr) pPage->CreatePageButton(this);
  if (hwndHosted != nullptr) ::ShowWindow(hwndHosted, SW_HIDE);
  if (m_lstPages.GetCount() == 1) {
    m_iActivePage = -2;  // no page yet: the first one becomes active without a slide
    SetActivePage(iPageId, FALSE);
  } else if (GetSafeHwnd() != nullptr) {
    LayoutButtons();
    Invalidate();
  }
  return TRUE;
}

BOOL CUfxOutlookBar::AddButton(int iImage, LPCWSTR lpszLabel, UINT uiCmd, int iPageId, int iInsertAt) {
  if (!m_lstPages.IsEmpty()) {
    if (iPageId == -1) iPageId = AsPage(m_lstPages.GetHead())->m_iId;
    CUfxOutlookBarPage* pPage = FindPage(iPageId);
    if (pPage == nullptr || pPage->m_hwndHosted != nullptr) return FALSE;
  }
  auto* pButton = new CUfxOutlookButton;
  pButton->m_nID = uiCmd;
  pButton->m_strText = lpszLabel != nullptr ? lpszLabel : L"";
  pButton->SetImage(iImage);
  pButton->m_iPageId = iPageId;
  pButton->m_bText = m_bTextLabels;
  pButton->m_sizeImage = m_sizeImage;
  if (InsertButton(pButton, iInsertAt) < 0) {
    delete pButton;
    return FALSE;
  }
  if (GetSafeHwnd() != nullptr) {
    LayoutButtons();
    Invalidate();
  }
  return TRUE;
}

BOOL CUfxOutlookBar::AddButton(HICON hIcon, LPCWSTR lpszLabel, UINT uiCmd, int iPageId, int iInsertAt) {
  ICONINFO info = {};
  if (hIcon == nullptr || !::GetIconInfo(hIcon, &info)) return FALSE;
  BITMAP bm = {};
  ::GetObject(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof(bm), &bm);
  const int cx = bm.bmWidth, cy = info.hbmColor != nullptr ? bm.bmHeight : bm.bmHeight / 2;
  if (info.hbmColor != nullptr) ::DeleteObject(info.hbmColor);
  if (info.hbmMask != nullptr) ::DeleteObject(info.hbmMask);
  HDC hScreen = ::GetDC(nullptr);
  HDC hMem = ::CreateCompatibleDC(hScreen);
  HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, cx, cy);
  HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
  RECT rect = {0, 0, cx, cy};
  HBRUSH hBrush = ::CreateSolidBrush(m_clrTransparent);
  ::FillRect(hMem, &rect, hBrush);
  ::DeleteObject(hBrush);
  ::DrawIconEx(hMem, 0, 0, hIcon, cx, cy, 0, nullptr, DI_NORMAL);
  ::SelectObject(hMem, hOld);
  ::DeleteDC(hMem);
  ::ReleaseDC(nullptr, hScreen);
  const int iImage = AddImage(hBitmap);
  ::DeleteObject(hBitmap);
  return iImage >= 0 && AddButton(iImage, lpszLabel, uiCmd, iPageId, iInsertAt);
}

int CUfxOutlookBar::AddImage(HBITMAP hBitmap) {
  if (hBitmap == nullptr) return -1;
  if (m_ShortcutImages.GetCount() == 0) {
    BITMAP bm = {};
    if (!::GetObject(hBitmap, sizeof(bm), &bm)) return -1;
    // One image per bitmap unless the strip's size is known already.
    m_sizeImage = CSize(bm.bmWidth, bm.bmHeight);
    m_ShortcutImages.SetImageSize(m_sizeImage);
    m_ShortcutImages.SetTransparentColor(m_clrTransparent);
    if (m_bEnableSplitter && m_nSize == -1) m_nSize = 4 * (IsHorizontalBar() ? m_sizeImage.cy : m_sizeImage.cx) + 12;
  }
  // The strip takes the bitmap over: it gets a copy.
  HBITMAP hCopy = (HBITMAP)::CopyImage(hBitmap, IMAGE_BITMAP, 0, 0, 0);
  const int iIndex = hCopy != nullptr ? m_ShortcutImages.AddImage(hCopy) : -1;
  return iIndex;
}

void CUfxOutlookBar::SetBackImage(HBITMAP hBitmap) {
  m_BackImages.Clear();
  m_bBackImage = FALSE;
  if (hBitmap != nullptr) {
    BITMAP bm = {};
    ::GetObject(hBitmap, sizeof(bm), &bm);
    m_BackImages.SetImageSize(CSize(bm.bmWidth, bm.bmHeight));
    HBITMAP hCopy = (HBITMAP)::CopyImage(hBitmap, IMAGE_BITMAP, 0, 0, 0);
    m_bBackImage = hCopy != nullptr && m_BackImages.AddImage(hCopy) >= 0 && UfxGlobalData.m_nBitsPerPixel > 8;
  }
  if (GetSafeHwnd() != nullptr) RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CUfxOutlookBar::SetBackImage(UINT uiResId) {
  if (uiResId == m_uiBackImageId) return;
  m_uiBackImageId = uiResId;
  HBITMAP hBitmap = nullptr;
  if (uiResId != 0)
    hBitmap = (HBITMAP)::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(uiResId), IMAGE_BITMAP, 0, 0,
                                    LR_CREATEDIBSECTION | LR_LOADMAP3DCOLORS);
  SetBackImage(hBitmap);
  if (hBitmap != nullptr) ::DeleteObject(hBitmap);
}

void CUfxOutlookBar::EnableSplitter(BOOL bEnable) {
  m_bEnableSplitter = bEnable;
  m_rectSplitter.SetRectEmpty();
  m_rectTracker.SetRectEmpty();
  m_bTracking = FALSE;
  CalcSplitterRect();
  if (GetSafeHwnd() != nullptr) {
    LayoutButtons();
    Invalidate();
  }
}

BOOL CUfxOutlookBar::SetPageName(int iPageId, LPCWSTR lpszName) {
  CUfxOutlookBarPage* pPage = FindPage(iPageId);
  if (pPage == nullptr) return FALSE;
  pPage->m_strName = lpszName != nullptr ? lpszName : L"";
  if (pPage->m_btnPage.GetSafeHwnd() != nullptr) {
    pPage->m_btnPage.SetWindowText(pPage->m_strName);
    pPage->m_btnPage.Invalidate();
  }
  return TRUE;
}

int CUfxOutlookBar::ActivePageButtons(CObList& list) const {
  for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
    auto* pButton = DYNAMIC_DOWNCAST(CUfxOutlookButton, m_Buttons.GetNext(pos));
    if (pButton != nullptr && (m_lstPages.IsEmpty() || pButton->m_iPageId == m_iActivePage)) list.AddTail(pButton);
  }
  return (int)list.GetCount();
}

void CUfxOutlookBar::RemoveAllButtons() {
  CUfxToolBar::RemoveAllButtons();
  m_iScrollOffset = 0;
  m_iFirstVisible = 0;
  m_bCanScrollDown = FALSE;
  if (GetSafeHwnd() != nullptr) {
    LayoutButtons();
    Invalidate();
  }
}

int CUfxOutlookBar::HitTest(CPoint point) { return CUfxToolBar::HitTest(point); }

// ---- commands --------------------------------------------------------------------------------------

BOOL CUfxOutlookBar::OnCommand(WPARAM wParam, LPARAM lParam) {
  const HWND hwndFrom = (HWND)lParam;
  for (POSITION pos = m_lstPages.GetHeadPosition(); pos != nullptr && hwndFrom != nullptr;) {
    CUfxOutlookBarPage* pPage = AsPage(m_lstPages.GetNext(pos));
    if (pPage->m_btnPage.GetSafeHwnd() == hwndFrom) {
      SetActivePage(pPage->m_iId, TRUE);
      return TRUE;
    }
  }
  if (hwndFrom != nullptr && hwndFrom == m_btnClose.GetSafeHwnd() && LOWORD(wParam) == kCloseId) {
    if (CFrameWnd* pFrame = GetParentFrame()) pFrame->ShowControlBar(this, FALSE, FALSE);
    return TRUE;
  }
  // The scroll buttons scroll through the press they get (PreTranslateMessage) and the timer.
  if (hwndFrom != nullptr && (hwndFrom == m_btnUp.GetSafeHwnd() || hwndFrom == m_btnDown.GetSafeHwnd())) return TRUE;
  return CUfxToolBar::OnCommand(wParam, lParam);
}

BOOL CUfxOutlookBar::EnableContextMenuItems(CUfxToolbarButton* pButton, CMenu* pPopup) {
  if (IsCustomizeMode() && pPopup != nullptr) {
    for (UINT uiCmd : {16914u, 16915u, 16916u, 16913u, 16917u, 16910u, 16911u})
      pPopup->EnableMenuItem(uiCmd, MF_BYCOMMAND | MF_GRAYED);
  }
  CUfxToolBar::EnableContextMenuItems(pButton, pPopup);
  return TRUE;
}

// ---- saved state -----------------------------------------------------------------------------------

void CUfxOutlookBar::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    CUfxToolBar::Serialize(ar);
    if (ArchiveCarriesWidth(TRUE)) ar << (DWORD)m_nSize;
    if (ArchiveCarriesPages(TRUE)) {
      ar.WriteCount(m_lstPages.GetCount());
      for (POSITION pos = m_lstPages.GetHeadPosition(); pos != nullptr;) ar.WriteObject(m_lstPages.GetNext(pos));
    }
    return;
  }
  // Damaged data leaves the bar as it was: its buttons are put back when anything fails.
  CObList lstKeptButtons;
  for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
    CUfxToolbarButton* pButton = static_cast<CUfxToolbarButton*>(m_Buttons.GetNext(pos));
    auto* pCopy = static_cast<CUfxToolbarButton*>(pButton->GetRuntimeClass()->CreateObject());
    if (pCopy == nullptr) continue;
    pCopy->CopyFrom(*pButton);
    lstKeptButtons.AddTail(pCopy);
  }
  DWORD dwSize = (DWORD)m_nSize;
  CObList lstLoaded;
  const BOOL bWidth = ArchiveCarriesWidth(FALSE), bPages = ArchiveCarriesPages(FALSE);
  try {
    CUfxToolBar::Serialize(ar);
    if (bWidth) ar >> dwSize;
    if (bPages) {
      const DWORD_PTR nCount = ar.ReadCount();
      for (DWORD_PTR i = 0; i < nCount; ++i) {
        // Only pages are read; the class is checked before anything is made.
        CObject* pObject = ar.ReadObject(RUNTIME_CLASS(CUfxOutlookBarPage));
        if (pObject == nullptr) AfxThrowArchiveException(CArchiveException::badClass);
        lstLoaded.AddTail(pObject);
      }
    }
  } catch (...) {
    DeletePages(lstLoaded);
    CUfxToolBar::RemoveAllButtons();
    while (!lstKeptButtons.IsEmpty()) {
      auto* pButton = static_cast<CUfxToolbarButton*>(lstKeptButtons.RemoveHead());
      if (InsertButton(pButton) < 0) delete pButton;
    }
    if (GetSafeHwnd() != nullptr) LayoutButtons();
    throw;
  }
  while (!lstKeptButtons.IsEmpty()) delete static_cast<CUfxToolbarButton*>(lstKeptButtons.RemoveHead());
  if (bWidth) m_nSize = (int)dwSize;
  // The loaded pages get back the windows that the pages of the same ids hosted.
  for (POSITION pos = lstLoaded.GetHeadPosition(); pos != nullptr;) {
    CUfxOutlookBarPage* pPage = AsPage(lstLoaded.GetNext(pos));
    if (CUfxOutlookBarPage* pOld = FindPage(pPage->m_iId)) {
      pPage->m_hwndHosted = pOld->m_hwndHosted;
      pOld->m_hwndHosted = nullptr;  // not hidden with the old page
    }
  }
  DeletePages(m_lstPages);
  m_iActivePage = -1;
  m_lstPages.AddTail(&lstLoaded);
  if (GetSafeHwnd() != nullptr)
    for (POSITION pos = m_lstPages.GetHeadPosition(); pos != nullptr;) AsPage(m_lstPages.GetNext(pos))->CreatePageButton(this);
  if (!m_lstPages.IsEmpty()) {
    m_iActivePage = -2;
    SetActivePage(AsPage(m_lstPages.GetHead())->m_iId, FALSE);
  } else if (GetSafeHwnd() != nullptr) {
    LayoutButtons();
  }
}

void CUfxOutlookBar::SaveAsOriginalState() {
  DeleteButtons(m_OrigButtons);
  for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
    CUfxToolbarButton* pButton = static_cast<CUfxToolbarButton*>(m_Buttons.GetNext(pos));
    auto* pCopy = static_cast<CUfxToolbarButton*>(pButton->GetRuntimeClass()->CreateObject());
    if (pCopy == nullptr) continue;
    pCopy->CopyFrom(*pButton);
    m_OrigButtons.AddTail(pCopy);
  }
  DeletePages(m_lstOrigPages);
  CopyPages(m_lstPages, m_lstOrigPages);
}

BOOL CUfxOutlookBar::RestoreOriginalState() {
  if (m_OrigButtons.IsEmpty()) return FALSE;
  const int iWasActive = m_iActivePage;
  CUfxToolBar::RemoveAllButtons();
  for (POSITION pos = m_OrigButtons.GetHeadPosition(); pos != nullptr;) {
    auto* pOrig = static_cast<CUfxToolbarButton*>(m_OrigButtons.GetNext(pos));
    auto* pCopy = static_cast<CUfxToolbarButton*>(pOrig->GetRuntimeClass()->CreateObject());
    if (pCopy == nullptr) continue;
    pCopy->CopyFrom(*pOrig);
    if (InsertButton(pCopy) < 0) delete pCopy;
  }
  CObList lstPages;
  CopyPages(m_lstOrigPages, lstPages);
  for (POSITION pos = lstPages.GetHeadPosition(); pos != nullptr;) {
    CUfxOutlookBarPage* pPage = AsPage(lstPages.GetNext(pos));
    if (CUfxOutlookBarPage* pOld = FindPage(pPage->m_iId)) pOld->m_hwndHosted = nullptr;
  }
  DeletePages(m_lstPages);
  m_lstPages.AddTail(&lstPages);
  m_iScrollOffset = m_iFirstVisible = 0;
  if (GetSafeHwnd() != nullptr)
    for (POSITION pos = m_lstPages.GetHeadPosition(); pos != nullptr;) AsPage(m_lstPages.GetNext(pos))->CreatePageButton(this);
  m_iActivePage = -2;
  if (FindPage(iWasActive) != nullptr) SetActivePage(iWasActive, FALSE);
  else if (!m_lstPages.IsEmpty()) SetActivePage(AsPage(m_lstPages.GetHead())->m_iId, FALSE);
  else m_iActivePage = -1;
  if (GetSafeHwnd() != nullptr) {
    LayoutButtons();
    Invalidate();
  }
  return TRUE;
}

BOOL CUfxOutlookBar::SaveOriginalItems(CUfxRegistry& reg) const {
  if (!CUfxToolBar::SaveOriginalItems(reg)) return FALSE;
  if (m_lstOrigPages.IsEmpty()) return TRUE;
  return reg.Write(L"OriginalPages", const_cast<CObList&>(m_lstOrigPages));
}

BOOL CUfxOutlookBar::LoadOriginalItems(CUfxRegistry& reg) {
  if (CUfxToolBar::LoadOriginalItems(reg)) return TRUE;
  CObList lstSaved;
  if (!reg.Read(L"OriginalPages", lstSaved, RUNTIME_CLASS(CUfxOutlookBarPage))) return FALSE;
  BOOL bDiffers = lstSaved.GetCount() != m_lstOrigPages.GetCount();
  for (POSITION a = lstSaved.GetHeadPosition(), b = m_lstOrigPages.GetHeadPosition(); !bDiffers && a != nullptr && b != nullptr;)
    bDiffers = AsPage(lstSaved.GetNext(a))->m_strName != AsPage(m_lstOrigPages.GetNext(b))->m_strName;
  DeletePages(lstSaved);
  return bDiffers && RestoreOriginalState();
}

BOOL CUfxOutlookBar::MergeOriginalItems(const CObList& lstOrigButtons) {
  if (lstOrigButtons.IsEmpty()) return FALSE;
  BOOL bDiffers = lstOrigButtons.GetCount() != m_OrigButtons.GetCount();
  for (POSITION a = lstOrigButtons.GetHeadPosition(), b = m_OrigButtons.GetHeadPosition(); !bDiffers && a != nullptr && b != nullptr;) {
    auto* pSaved = static_cast<CUfxToolbarButton*>(lstOrigButtons.GetNext(a));
    bDiffers = !static_cast<CUfxToolbarButton*>(m_OrigButtons.GetNext(b))->CompareWith(*pSaved);
  }
  return bDiffers && RestoreOriginalState();
}

// ---- drag and drop in customization ----------------------------------------------------------------

CUfxOutlookBarPage* CUfxOutlookBar::PageButtonAt(CPoint point) const {
  for (POSITION pos = m_lstPages.GetHeadPosition(); pos != nullptr;) {
    CUfxOutlookBarPage* pPage = AsPage(m_lstPages.GetNext(pos));
    if (pPage->m_btnPage.GetSafeHwnd() == nullptr || !pPage->m_btnPage.IsWindowVisible()) continue;
    CRect rect;
    pPage->m_btnPage.GetWindowRect(&rect);
    ScreenToClient(&rect);
    if (rect.PtInRect(point)) return pPage;
  }
  return nullptr;
}

DROPEFFECT CUfxOutlookBar::OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) {
  if (CUfxOutlookBarPage* pPage = PageButtonAt(point)) {
    if (pPage->m_iId == m_iActivePage || pPage->m_hwndHosted != nullptr) {
      KillTimer(kTimerDragHover);
      m_iHoverPage = -1;
      return DROPEFFECT_NONE;
    }
    if (m_iHoverPage != pPage->m_iId) {
      m_iHoverPage = pPage->m_iId;
      SetTimer(kTimerDragHover, kDragHoverDelay, nullptr);
    }
    return DROPEFFECT_MOVE;
  }
  KillTimer(kTimerDragHover);
  m_iHoverPage = -1;
  // Only shortcut buttons are taken.
  CUfxToolbarButton* pButton = CUfxToolbarButton::CreateFromOleData(pDataObject);
  const BOOL bShortcut = DYNAMIC_DOWNCAST(CUfxOutlookButton, pButton) != nullptr;
  delete pButton;
  if (!bShortcut) return DROPEFFECT_NONE;
  const BOOL bHorz = IsHorizontalBar();
  if ((bHorz ? point.x : point.y) < (bHorz ? m_rectWorkArea.left : m_rectWorkArea.top)) {
    ScrollUp();
    return DROPEFFECT_NONE;
  }
  if ((bHorz ? point.x : point.y) > (bHorz ? m_rectWorkArea.right : m_rectWorkArea.bottom)) {
    ScrollDown();
    return DROPEFFECT_NONE;
  }
  return CUfxToolBar::OnDragOver(pDataObject, dwKeyState, point);
}

int CUfxOutlookBar::FindDropIndex(CPoint point, CRect& rectDrag) const {
  CObList lstActive;
  if (!m_lstPages.IsEmpty() && ActivePageButtons(lstActive) == 0) {
    // An empty page takes the button at its start.
    rectDrag = m_rectWorkArea;
    if (IsHorizontalBar()) rectDrag.right = rectDrag.left + 6;
    else rectDrag.bottom = rectDrag.top + 6;
    return 0;
  }
  return CUfxToolBar::FindDropIndex(point, rectDrag);
}

CUfxToolbarButton* CUfxOutlookBar::CreateDroppedButton(COleDataObject* pDataObject) {
  CUfxToolbarButton* pButton = CUfxToolBar::CreateDroppedButton(pDataObject);
  auto* pShortcut = DYNAMIC_DOWNCAST(CUfxOutlookButton, pButton);
  if (pShortcut == nullptr) {
    delete pButton;
    return nullptr;
  }
  pShortcut->m_iPageId = m_iActivePage;
  return pShortcut;
}

// ---- the close button's look -----------------------------------------------------------------------

void CUfxOutlookBar::CCloseButton::OnFillBackground(CDC* pDC, const CRect& rectClient) {
  CUfxVisualManager::GetInstance()->OnFillOutlookBarButton(pDC, rectClient, IsHighlighted(), IsPressed());
}

void CUfxOutlookBar::CCloseButton::OnDrawBorder(CDC* pDC, CRect& rectClient, UINT) {
  CUfxVisualManager::GetInstance()->OnDrawOutlookBarButtonBorder(pDC, rectClient, IsHighlighted(), IsPressed());
}
