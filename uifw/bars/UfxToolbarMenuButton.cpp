#include "bars/UfxToolbarMenuButton.h"
#include "bars/UfxPopupMenu.h"
#include "bars/UfxPopupMenuBar.h"
#include "bars/UfxMenuBar.h"
#include "bars/UfxMenuGlyphs.h"
#include "bars/UfxShowAllButton.h"
#include "bars/UfxCustomizeButton.h"
#include "bars/UfxToolBar.h"
#include "bars/UfxToolBarImages.h"
#include "frames/UfxCommandManager.h"
#include "bars/UfxCommandUsage.h"
#include "frames/UfxTearOffManager.h"
#include "frames/UfxKeyboardManager.h"
#include "frames/UfxUserToolsManager.h"
#include "bars/UfxUserTool.h"
#include "frames/UfxWorkspace.h"
#include "frames/UfxFrameWnd.h"
#include "frames/UfxGlobalData.h"
#include "looks/UfxVisualManager.h"

IMPLEMENT_SERIAL(CUfxToolbarMenuButton, CUfxToolbarButton, VERSIONABLE_SCHEMA | 1)

namespace {
typedef CUfxVisualManager::UFX_BUTTON_STATE ButtonState;

const int kMenuBorder = 2;        // the popup's border beside its button
const int kMaxNesting = 64;       // deeper archived submenus are damaged data
int g_nLoadDepth = 0;             // submenu levels being read
int g_nAlwaysTearOffId = 0;       // archives that always carry the tear-off id (store files, drag data)

}  // namespace

// ---- life -----------------------------------------------------------------------------------------

CUfxToolbarMenuButton::CUfxToolbarMenuButton() = default;

CUfxToolbarMenuButton::CUfxToolbarMenuButton(UINT uiID, HMENU hMenu, int iImage, LPCWSTR lpszText, BOOL bUserButton)
    : CUfxToolbarButton(uiID, iImage, lpszText, bUserButton) {
  CreateFromMenu(hMenu);
}

CUfxToolbarMenuButton::~CUfxToolbarMenuButton() {
  if (m_pPopupMenu != nullptr) m_pPopupMenu->m_pParentBtn = nullptr;
  RemoveAllSubItems();
  if (m_uiTearOffBarID != 0 && UfxTearOffManager != nullptr) UfxTearOffManager->SetInUse(m_uiTearOffBarID, FALSE);
}

void CUfxToolbarMenuButton::RemoveAllSubItems() {
  while (!m_listCommands.IsEmpty()) delete m_listCommands.RemoveHead();
}

// ---- the submenu as data --------------------------------------------------------------------------

void CUfxToolbarMenuButton::CreateFromMenu(HMENU hMenu) {
  RemoveAllSubItems();
  if (hMenu == nullptr || !::IsMenu(hMenu)) return;
  const UINT uiDefault = ::GetMenuDefaultItem(hMenu, FALSE, GMDI_USEDISABLED);
  const int nCount = ::GetMenuItemCount(hMenu);
  for (int i = 0; i < nCount; ++i) {
    const UINT uiID = ::GetMenuItemID(hMenu, i);
    WCHAR szText[1025] = L"";
    ::GetMenuStringW(hMenu, i, szText, 1024, MF_BYPOSITION);
    CString strText = szText;
    CUfxToolbarMenuButton* pItem = new CUfxToolbarMenuButton;
    pItem->m_nID = uiID;
    if (uiID == (UINT)-1) {
      if (UfxTearOffManager != nullptr) pItem->SetTearOffId(UfxTearOffManager->Parse(strText));
      pItem->CreateFromMenu(::GetSubMenu(hMenu, i));
    }
    pItem->m_strText = strText;
    pItem->m_bText = TRUE;
    if (uiID != 0 && uiID != (UINT)-1 && uiID == uiDefault) pItem->m_bDefault = TRUE;
    if (::GetMenuState(hMenu, i, MF_BYPOSITION) & MF_MENUBREAK) pItem->m_nStyle |= TBBS_BREAK;
    if (uiID == 0) pItem->m_nStyle |= TBBS_SEPARATOR;
    m_listCommands.AddTail(pItem);
  }
}

HMENU CUfxToolbarMenuButton::ExportToMenu() const {
  if (m_listCommands.IsEmpty() && m_nID != 0 && m_nID != (UINT)-1 && !m_bMenuOnly) return nullptr;
  HMENU hMenu = ::CreatePopupMenu();
  if (hMenu == nullptr) return nullptr;
  for (POSITION pos = m_listCommands.GetHeadPosition(); pos != nullptr;) {
    const CUfxToolbarMenuButton* pItem = static_cast<CUfxToolbarMenuButton*>(m_listCommands.GetNext(pos));
    UINT uiFlags = 0;
    if (pItem->m_nStyle & TBBS_BREAK) uiFlags |= MF_MENUBREAK;
    if (pItem->IsTearOff()) uiFlags |= MF_MENUBARBREAK;
    BOOL bAppended = FALSE;
    if (pItem->m_nID == 0) {
      bAppended = ::AppendMenuW(hMenu, uiFlags | MF_SEPARATOR, 0, nullptr);
    } else if (pItem->m_nID == (UINT)-1) {
      HMENU hSub = pItem->ExportToMenu();
      if (hSub == nullptr) hSub = ::CreatePopupMenu();
      CString strText = pItem->m_strText;
      if (pItem->m_uiTearOffBarID != 0 && UfxTearOffManager != nullptr)
        UfxTearOffManager->Build(pItem->m_uiTearOffBarID, strText);
      bAppended = ::AppendMenuW(hMenu, uiFlags | MF_POPUP | MF_STRING, (UINT_PTR)hSub, strText);
      if (!bAppended && hSub != nullptr) ::DestroyMenu(hSub);
    } else {
      bAppended = ::AppendMenuW(hMenu, uiFlags | MF_STRING, pItem->m_nID, pItem->m_strText);
      if (bAppended && pItem->m_bDefault) ::SetMenuDefaultItem(hMenu, pItem->m_nID, FALSE);
    }
    if (!bAppended) {
      ::DestroyMenu(hMenu);
      return nullptr;
    }
  }
  return hMenu;
}

void CUfxToolbarMenuButton::SetTearOffId(UINT uiBarID) {
  if (m_uiTearOffBarID == uiBarID) return;
  if (UfxTearOffManager != nullptr) {
    if (m_uiTearOffBarID != 0) UfxTearOffManager->SetInUse(m_uiTearOffBarID, FALSE);
    if (uiBarID != 0) UfxTearOffManager->SetInUse(uiBarID, TRUE);
  }
  m_uiTearOffBarID = uiBarID;
}

CUfxToolbarMenuButton::AlwaysTearOffIdScope::AlwaysTearOffIdScope() { ++g_nAlwaysTearOffId; }
CUfxToolbarMenuButton::AlwaysTearOffIdScope::~AlwaysTearOffIdScope() { --g_nAlwaysTearOffId; }

BOOL CUfxToolbarMenuButton::ArchiveCarriesTearOffId(BOOL bStoring) {
  if (g_nAlwaysTearOffId > 0) return TRUE;
  CUfxWorkspace* pWorkspace = UfxGetWorkspace();
  if (pWorkspace == nullptr) return FALSE;
  if (bStoring) return TRUE;
  const int iMajor = pWorkspace->GetDataVersionMajor();
  const int iMinor = pWorkspace->GetDataVersionMinor();
  return iMajor < 0 || iMajor > 4 || (iMajor == 4 && iMinor > 70);
}

void CUfxToolbarMenuButton::Serialize(CArchive& ar) {
  CUfxToolbarButton::Serialize(ar);
  if (ar.IsStoring()) {
    if (ArchiveCarriesTearOffId(TRUE)) ar << (DWORD)m_uiTearOffBarID;
    ar.WriteCount(m_listCommands.GetCount());
    for (POSITION pos = m_listCommands.GetHeadPosition(); pos != nullptr;) ar.WriteObject(m_listCommands.GetNext(pos));
    return;
  }
  RemoveAllSubItems();
  DWORD dwTearOff = 0;
  if (ArchiveCarriesTearOffId(FALSE)) ar >> dwTearOff;
  SetTearOffId(dwTearOff);
  // Nesting deeper than any menu has is damaged data; the caller's bar stays as it was.
  if (g_nLoadDepth >= kMaxNesting) AfxThrowArchiveException(CArchiveException::badIndex);
  ++g_nLoadDepth;
  try {
    const DWORD_PTR nCount = ar.ReadCount();
    for (DWORD_PTR i = 0; i < nCount; ++i) {
      // The button owns its items: one read before, already someone's, is damaged data.
      CObject* pObject = ar.ReadOwnedObject(RUNTIME_CLASS(CUfxToolbarMenuButton));
      if (pObject == nullptr) AfxThrowArchiveException(CArchiveException::badIndex);
      try {
        m_listCommands.AddTail(pObject);
      } catch (...) {
        delete pObject;
        throw;
      }
    }
  } catch (...) {
    --g_nLoadDepth;
    RemoveAllSubItems();
    throw;
  }
  --g_nLoadDepth;
}

void CUfxToolbarMenuButton::CopyFrom(const CUfxToolbarButton& s) {
  CUfxToolbarButton::CopyFrom(s);
  const CUfxToolbarMenuButton* pSrc = DYNAMIC_DOWNCAST(CUfxToolbarMenuButton, const_cast<CUfxToolbarButton*>(&s));
  if (pSrc == nullptr) return;
  m_bDefault = pSrc->m_bDefault;
  m_bMenuOnly = pSrc->m_bMenuOnly;
  m_bIsRadio = pSrc->m_bIsRadio;
  SetTearOffId(pSrc->m_uiTearOffBarID);
  RemoveAllSubItems();
  for (POSITION pos = pSrc->m_listCommands.GetHeadPosition(); pos != nullptr;) {
    const CUfxToolbarMenuButton* pItem = static_cast<CUfxToolbarMenuButton*>(pSrc->m_listCommands.GetNext(pos));
    CUfxToolbarMenuButton* pCopy = static_cast<CUfxToolbarMenuButton*>(pItem->GetRuntimeClass()->CreateObject());
    if (pCopy == nullptr) continue;
    pCopy->CopyFrom(*pItem);
    m_listCommands.AddTail(pCopy);
  }
}

BOOL CUfxToolbarMenuButton::CompareWith(const CUfxToolbarButton& other) const {
  if (m_nID != other.m_nID) return FALSE;
  const CUfxToolbarMenuButton* pOther = DYNAMIC_DOWNCAST(CUfxToolbarMenuButton, const_cast<CUfxToolbarButton*>(&other));
  if (pOther == nullptr) return m_listCommands.IsEmpty();
  if (m_listCommands.GetCount() != pOther->m_listCommands.GetCount()) return FALSE;
  POSITION p1 = m_listCommands.GetHeadPosition();
  POSITION p2 = pOther->m_listCommands.GetHeadPosition();
  while (p1 != nullptr && p2 != nullptr) {
    const CUfxToolbarButton* a = static_cast<CUfxToolbarButton*>(m_listCommands.GetNext(p1));
    const CUfxToolbarButton* b = static_cast<CUfxToolbarButton*>(pOther->m_listCommands.GetNext(p2));
    if (!a->CompareWith(*b)) return FALSE;
  }
  return TRUE;
}

void CUfxToolbarMenuButton::ResetImageToDefault() {
  CUfxToolbarButton::ResetImageToDefault();
  for (POSITION pos = m_listCommands.GetHeadPosition(); pos != nullptr;)
    static_cast<CUfxToolbarButton*>(m_listCommands.GetNext(pos))->ResetImageToDefault();
}

void CUfxToolbarMenuButton::GetCheckAreaMetrics(int& iCheckColumnHalf, int& iGlyphWidth) {
  iCheckColumnHalf = CUfxToolBar::GetMenuImageSize().cx / 2 + 3;
  iGlyphWidth = CUfxMenuGlyphs::GetSize().cx;
}

// ---- parent and popup -----------------------------------------------------------------------------

void CUfxToolbarMenuButton::OnParentChanged(CWnd* pWndParent) {
  CUfxToolbarButton::OnParentChanged(pWndParent);
  if (pWndParent != nullptr && pWndParent->IsKindOf(RUNTIME_CLASS(CUfxMenuBar))) {
    m_bDrawDownArrow = (m_nID != 0 && !m_listCommands.IsEmpty()) || CUfxMenuBar::IsDrawAllArrows();
    m_bText = TRUE;
    m_bImage = FALSE;
  } else {
    m_bDrawDownArrow = m_nID == 0 || !m_listCommands.IsEmpty();
  }
  if (pWndParent != nullptr && pWndParent->IsKindOf(RUNTIME_CLASS(CUfxPopupMenuBar))) {
    m_bMenuMode = TRUE;
    m_bText = TRUE;
    m_bImage = FALSE;
  } else {
    m_bMenuMode = FALSE;
  }
  m_pWndParent = pWndParent;
}

CUfxPopupMenu* CUfxToolbarMenuButton::CreatePopupMenu() { return new CUfxPopupMenu; }

void CUfxToolbarMenuButton::RedrawOnParent() {
  if (m_pWndParent == nullptr || !::IsWindow(m_pWndParent->GetSafeHwnd())) return;
  CRect rect = m_rect;
  rect.InflateRect(kMenuBorder, kMenuBorder);
  m_pWndParent->RedrawWindow(rect, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

CRect CUfxToolbarMenuButton::ArrowRect(const CRect& rect, BOOL bHorz) const {
  const CSize sizeGlyph = CUfxMenuGlyphs::GetSize();
  const int nFactor = CUfxToolBar::IsLargeIcons() ? 2 : 1;
  const CSize sizeExtra = CUfxVisualManager::GetInstance()->GetButtonExtraBorder();
  CRect rectArrow = rect;
  if (bHorz) rectArrow.left = rectArrow.right - (sizeGlyph.cx * nFactor + sizeExtra.cx + 2);
  else rectArrow.top = rectArrow.bottom - (sizeGlyph.cy * nFactor + sizeExtra.cy + 2);
  return rectArrow;
}

BOOL CUfxToolbarMenuButton::IsSplitButton() const {
  return m_bDrawDownArrow && m_nID != 0 && m_nID != (UINT)-1 && !m_bMenuOnly;
}

BOOL CUfxToolbarMenuButton::OnClick(CWnd* pWnd, BOOL bDelay) {
  m_bClickedOnMenu = FALSE;
  if (m_bDrawDownArrow && !bDelay && !m_bMenuMode) {
    if (m_nID == 0 || m_nID == (UINT)-1) {
      m_bClickedOnMenu = TRUE;
    } else if (pWnd != nullptr) {
      CPoint pt;
      ::GetCursorPos(&pt);
      pWnd->ScreenToClient(&pt);
      m_bClickedOnMenu = ArrowRect(m_rect, m_bHorz).PtInRect(pt);
      if (!m_bClickedOnMenu) return FALSE;
    }
  }
  if (!m_bClickedOnMenu && m_nID > 0 && m_nID != (UINT)-1 && !m_bDrawDownArrow && !m_bMenuOnly) return FALSE;

  CUfxMenuBar* pMenuBar = DYNAMIC_DOWNCAST(CUfxMenuBar, m_pWndParent);
  if (m_pPopupMenu != nullptr) {
    CUfxPopupMenu* pPopup = m_pPopupMenu;
    m_pPopupMenu = nullptr;
    pPopup->m_pParentBtn = nullptr;
    if (::IsWindow(pPopup->GetSafeHwnd())) pPopup->DestroyWindow();
    if (pMenuBar != nullptr) pMenuBar->OnPopupClosed(this);
  } else {
    CUfxPopupMenuBar* pPopupBar = DYNAMIC_DOWNCAST(CUfxPopupMenuBar, pWnd);
    if (bDelay && pPopupBar != nullptr && !CUfxToolBar::IsCustomizeMode()) {
      pPopupBar->StartPopupMenuTimer(this, 1);
    } else {
      if (pMenuBar != nullptr) {
        int iDropped = -1;
        CUfxToolbarMenuButton* pDropped = pMenuBar->GetDroppedMenuButton(iDropped);
        if (pDropped != nullptr && pDropped != this) pDropped->OnCancelMode();
      }
      if (!OpenPopupMenu(pWnd)) return FALSE;
    }
    if (pMenuBar != nullptr) pMenuBar->OnPopupOpened(this);
  }
  RedrawOnParent();
  return TRUE;
}

BOOL CUfxToolbarMenuButton::OpenPopupMenu(CWnd* pWnd) {
  if (m_pPopupMenu != nullptr) return FALSE;
  if (pWnd == nullptr) pWnd = m_pWndParent;
  if (pWnd == nullptr) return FALSE;
  HMENU hMenu = ExportToMenu();
  if (hMenu == nullptr && !IsEmptyMenuAllowed()) return FALSE;

  CUfxPopupMenu* pPopup = CreatePopupMenu();
  if (pPopup == nullptr) {
    if (hMenu != nullptr) ::DestroyMenu(hMenu);
    return FALSE;
  }
  if (pPopup->GetMenuItemCount() > 0 && hMenu != nullptr) {
    ::DestroyMenu(hMenu);
    hMenu = nullptr;
  }

  CRect rectBtn = m_rect;
  CPoint point;
  int nDirection = CUfxPopupMenu::DROP_DOWN;
  CUfxPopupMenuBar* pParentMenu = DYNAMIC_DOWNCAST(CUfxPopupMenuBar, m_pWndParent);
  CUfxMenuBar* pMenuBar = DYNAMIC_DOWNCAST(CUfxMenuBar, m_pWndParent);
  if (pParentMenu != nullptr) {
    CPoint ptTop(rectBtn.left, rectBtn.top - 2);
    pParentMenu->ClientToScreen(&ptTop);
    CRect rectFrame;
    CWnd* pFrame = pParentMenu->GetParent();
    if (pFrame != nullptr) pFrame->GetWindowRect(rectFrame);
    else pParentMenu->GetWindowRect(rectFrame);
    const BOOL bRTL = pFrame != nullptr && (pFrame->GetExStyle() & WS_EX_LAYOUTRTL);
    point.y = ptTop.y;
    if (bRTL) {
      point.x = rectFrame.left - 1;
      nDirection = CUfxPopupMenu::DROP_LEFT;
    } else {
      point.x = rectFrame.right + 1;
      nDirection = CUfxPopupMenu::DROP_RIGHT;
    }
  } else {
    m_pWndParent->ClientToScreen(&rectBtn);
    BOOL bHorzBar = TRUE;
    if (pMenuBar != nullptr) bHorzBar = (pMenuBar->GetBarStyle() & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0 ||
                                        (pMenuBar->GetBarStyle() & CBRS_ALIGN_ANY) == 0;
    if (bHorzBar || pMenuBar == nullptr) {
      const BOOL bRTL = (m_pWndParent->GetExStyle() & WS_EX_LAYOUTRTL) != 0;
      point = CPoint(bRTL ? rectBtn.right - 2 : rectBtn.left, rectBtn.bottom - 1);
      nDirection = CUfxPopupMenu::DROP_DOWN;
    } else {
      point = CPoint(rectBtn.right, rectBtn.top);
      nDirection = CUfxPopupMenu::DROP_RIGHT;
    }
  }

  pPopup->m_pParentBtn = this;
  pPopup->m_DropDirection = (CUfxPopupMenu::DROP_DIRECTION)nDirection;
  m_pPopupMenu = pPopup;
  if (!pPopup->Create(pWnd, point.x, point.y, hMenu, FALSE, FALSE)) {
    // A popup whose window never came about is still ours to delete.
    if (m_pPopupMenu == pPopup && pPopup->GetSafeHwnd() == nullptr) delete pPopup;
    m_pPopupMenu = nullptr;
    return FALSE;
  }
  if (m_pPopupMenu == nullptr) return FALSE;  // refused and closed at once
  CUfxPopupMenu* pParentPopup = DYNAMIC_DOWNCAST(CUfxPopupMenu, m_pWndParent->GetParent());
  if (pParentPopup != nullptr) pPopup->m_pMessageWnd = pParentPopup->m_pMessageWnd;
  return TRUE;
}

void CUfxToolbarMenuButton::OnCancelMode() {
  // The popup deletes itself when its window goes: the button lets go of it before closing it
  // and touches it afterwards only while its window is still there.
  CUfxPopupMenu* pPopup = m_pPopupMenu;
  m_pPopupMenu = nullptr;
  const HWND hwndPopup = pPopup != nullptr ? pPopup->GetSafeHwnd() : nullptr;
  if (hwndPopup != nullptr && ::IsWindow(hwndPopup)) {
    if (!pPopup->GetMenuBar()->m_bInCommand) {
      for (int i = 0; i < pPopup->GetMenuBar()->GetButtonCount(); ++i) {
        CUfxToolbarButton* pItem = pPopup->GetMenuBar()->GetButton(i);
        if (pItem != nullptr) pItem->OnCancelMode();
      }
      pPopup->CloseMenu(FALSE);
    }
    if (::IsWindow(hwndPopup) && CWnd::FromHandlePermanent(hwndPopup) == pPopup) pPopup->m_pParentBtn = nullptr;
  }
  RedrawOnParent();
  m_bToBeClosed = FALSE;
}

void CUfxToolbarMenuButton::CloseTopPopup() {
  CUfxPopupMenu* pPopup = m_pWndParent != nullptr ? DYNAMIC_DOWNCAST(CUfxPopupMenu, m_pWndParent->GetParent()) : nullptr;
  if (pPopup == nullptr) return;
  while (pPopup->GetParentPopupMenu() != nullptr) pPopup = pPopup->GetParentPopupMenu();
  pPopup->CloseMenu(FALSE);
}

BOOL CUfxToolbarMenuButton::CloseSubMenus() {
  if (m_pPopupMenu != nullptr && ::IsWindow(m_pPopupMenu->GetSafeHwnd())) {
    CUfxPopupMenuBar& bar = *m_pPopupMenu->GetMenuBar();
    for (int i = 0; i < bar.GetButtonCount(); ++i) bar.GetButton(i)->OnCancelMode();
  }
  return TRUE;
}

void CUfxToolbarMenuButton::SetRadio() {
  m_bIsRadio = TRUE;
  if (m_pWndParent == nullptr || !::IsWindow(m_pWndParent->GetSafeHwnd())) return;
  const int nMargin = CUfxVisualManager::GetInstance()->GetMenuImageMargin();
  CRect rectImage = m_rect;
  rectImage.left += nMargin;
  rectImage.right = rectImage.left + CUfxToolBar::GetMenuImageSize().cx + nMargin;
  m_pWndParent->InvalidateRect(rectImage);
}

// ---- size ---------------------------------------------------------------------------------------

CString CUfxToolbarMenuButton::ShortcutText() const {
  if (UfxKeyboardManager == nullptr || (m_nID >= 61440 && m_nID <= 61935) || m_nID == 0 || m_nID == (UINT)-1)
    return CString();
  CFrameWnd* pFrame = UfxFrameOverride;
  if (pFrame == nullptr && m_pWndParent != nullptr) pFrame = UfxGetTopLevelFrame(m_pWndParent);
  if (pFrame == nullptr) pFrame = DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd());
  if (pFrame == nullptr) return CString();
  CString strKey;
  if (CUfxKeyboardManager::GetShortcutText(m_nID, strKey, pFrame, FALSE)) return strKey;
  CFrameWnd* pActive = pFrame->GetActiveFrame();
  if (pActive != nullptr && CUfxKeyboardManager::GetShortcutText(m_nID, strKey, pActive, TRUE)) return strKey;
  return CString();
}

SIZE CUfxToolbarMenuButton::OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) {
  m_bHorz = bHorz;
  int nArrowExtent = 0;
  if (m_bDrawDownArrow || m_bMenuMode)
    nArrowExtent = CUfxMenuGlyphs::GetSize().cx * (CUfxToolBar::IsLargeIcons() ? 2 : 1) - 1;

  if (m_bMenuMode && UfxKeyboardManager != nullptr && !(m_nID >= 61440 && m_nID <= 61935)) {
    const int iTab = m_strText.Find(L'\t');
    if (iTab >= 0) m_strText = m_strText.Left(iTab);
    const CString strKey = ShortcutText();
    if (!strKey.IsEmpty()) m_strText += L"\t" + strKey;
  }

  CSize size = CUfxToolbarButton::OnCalculateSize(pDC, sizeDefault, bHorz);
  if (bHorz) size.cx += nArrowExtent;
  if (m_bMenuMode) {
    size.cx += CUfxToolBar::GetMenuImageSize().cx + 6;
    CUfxPopupMenuBar* pBar = DYNAMIC_DOWNCAST(CUfxPopupMenuBar, m_pWndParent);
    if (pBar != nullptr) size.cy = pBar->GetRowHeight();
  } else if (!bHorz) {
    size.cy += nArrowExtent;
  }
  if (!m_bMenuMode) {
    const int nMargin = CUfxVisualManager::GetInstance()->GetMenuImageMargin();
    if (bHorz) size.cx += 2 * nMargin;
    else size.cy += 2 * nMargin;
  }
  return size;
}

// ---- drawing --------------------------------------------------------------------------------------

void CUfxToolbarMenuButton::OnDraw(CDC* pDC, const CRect& rect, CUfxToolBarImages* pImages, BOOL bHorz,
                                   BOOL bCustomizeMode, BOOL bHighlight, BOOL bDrawBorder, BOOL bGrayDisabledButtons) {
  if (m_bMenuMode) {
    DrawMenuItem(pDC, rect, pImages, bCustomizeMode, bHighlight, bGrayDisabledButtons);
    return;
  }
  DrawOnBar(pDC, rect, pImages, bHorz, bCustomizeMode, bHighlight, bGrayDisabledButtons);
}

void CUfxToolbarMenuButton::DrawOnBar(CDC* pDC, const CRect& rect, CUfxToolBarImages* pImages, BOOL bHorz,
                                      BOOL bCustomizeMode, BOOL bHighlight, BOOL bGrayDisabledButtons) {
  CUfxVisualManager* pVM = CUfxVisualManager::GetInstance();
  const BOOL bOpen = m_pPopupMenu != nullptr;
  FillInterior(pDC, rect, bHighlight || bOpen);

  const int nFactor = CUfxToolBar::IsLargeIcons() ? 2 : 1;
  const CSize sizeGlyph(CUfxMenuGlyphs::GetSize().cx * nFactor, CUfxMenuGlyphs::GetSize().cy * nFactor);
  CRect rectParent = rect;
  if (m_bOnToolbar) {
    const CSize sizeExtra = pVM->GetButtonExtraBorder();
    rectParent.DeflateRect(sizeExtra.cx / 2, sizeExtra.cy / 2);
  }
  const int nMargin = pVM->GetMenuImageMargin();
  if (bHorz) rectParent.DeflateRect(nMargin, 0);
  else rectParent.DeflateRect(0, nMargin);
  CRect rectArrow = rectParent;
  if (m_bDrawDownArrow) {
    if (bHorz) {
      rectParent.right -= sizeGlyph.cx + 2;
      rectArrow.left = rectParent.right;
    } else {
      rectParent.bottom -= sizeGlyph.cy + 2;
      rectArrow.top = rectParent.bottom;
    }
  }

  const UINT nStyleSaved = m_nStyle;
  if (pVM->IsMenuFlatLook()) {
    m_nStyle &= ~(TBBS_PRESSED | TBBS_CHECKED);
  } else {
    if (m_bClickedOnMenu && IsSplitButton()) m_nStyle &= ~TBBS_PRESSED;
    else if (bOpen) m_nStyle |= TBBS_PRESSED;
  }
  const BOOL bDisableFill = m_bDisableFill;
  m_bDisableFill = TRUE;
  const BOOL bOnToolbar = m_bOnToolbar;
  m_bOnToolbar = FALSE;
  CUfxToolbarButton::OnDraw(pDC, rectParent, pImages, bHorz, bCustomizeMode, bHighlight, FALSE, bGrayDisabledButtons);
  m_bOnToolbar = bOnToolbar;
  m_bDisableFill = bDisableFill;

  const BOOL bPressed = (m_nStyle & TBBS_PRESSED) != 0 || bOpen;
  if (m_bDrawDownArrow) {
    if ((bHighlight || bPressed) && IsSplitButton())
      pVM->OnDrawMenuButtonBorder(pDC, this, rectArrow,
                                  bPressed ? CUfxVisualManager::ButtonsIsPressed : CUfxVisualManager::ButtonsIsHighlighted,
                                  bHorz);
    const BOOL bDisabled = bCustomizeMode ? !IsEditable() : (m_nStyle & TBBS_DISABLED) != 0;
    int iGlyph = (bHorz && !m_bMenuOnly) ? CUfxMenuGlyphs::IdArowDown : CUfxMenuGlyphs::IdArowRight;
    if (bDisabled) ++iGlyph;
    CPoint pt(rectArrow.left + (rectArrow.Width() - sizeGlyph.cx) / 2,
              rectArrow.top + (rectArrow.Height() - sizeGlyph.cy) / 2);
    if (bPressed) pt.Offset(1, 1);
    CUfxMenuGlyphs::Draw(pDC, iGlyph, pt, sizeGlyph);
  }

  if (bPressed && !pVM->IsMenuFlatLook() && m_bClickedOnMenu && IsSplitButton()) {
    pVM->OnDrawButtonBorder(pDC, this, rect, CUfxVisualManager::ButtonsIsHighlighted);
    CRect rectArrowBorder = rectArrow;
    rectArrowBorder.right--;
    rectArrowBorder.bottom--;
    pVM->OnDrawButtonBorder(pDC, this, rectArrowBorder, CUfxVisualManager::ButtonsIsPressed);
  } else if (bPressed || (m_nStyle & TBBS_CHECKED) ||
             (bHighlight && !(m_nStyle & (TBBS_CHECKED | TBBS_DISABLED | TBBS_INDETERMINATE)))) {
    const ButtonState state = (bPressed || (m_nStyle & TBBS_CHECKED)) ? CUfxVisualManager::ButtonsIsPressed
                                                                      : CUfxVisualManager::ButtonsIsHighlighted;
    pVM->OnDrawButtonBorder(pDC, this, rect, state);
  }
  m_nStyle = nStyleSaved;
}

void CUfxToolbarMenuButton::DrawMenuItem(CDC* pDC, const CRect& rect, CUfxToolBarImages* pImages, BOOL bCustomizeMode,
                                         BOOL bHighlight, BOOL bGrayDisabledButtons) {
  CUfxVisualManager* pVM = CUfxVisualManager::GetInstance();
  const BOOL bDisabled = bCustomizeMode ? !IsEditable() : (m_nStyle & TBBS_DISABLED) != 0;
  if (m_pPopupMenu != nullptr && !m_bToBeClosed) bHighlight = TRUE;

  CFont* pOldFont = nullptr;
  CUfxPopupMenuBar* pBar = DYNAMIC_DOWNCAST(CUfxPopupMenuBar, m_pWndParent);
  if (pBar != nullptr && m_nID != 0 && m_nID == pBar->GetDefaultMenuId())
    pOldFont = pDC->SelectObject(&UfxGlobalData.fontBold);

  const CSize sizeImage = CUfxToolBar::GetMenuImageSize();
  const int nMargin = pVM->GetMenuImageMargin();
  CRect rectImage = rect;
  rectImage.left += nMargin;
  rectImage.right = rectImage.left + sizeImage.cx + 2 * nMargin;

  // The highlight first: it lies under image and text.
  COLORREF clrText = bDisabled ? UfxGlobalData.clrGrayedText : UfxGlobalData.clrMenuText;
  if (bHighlight) pVM->OnHighlightMenuItem(pDC, this, rect, clrText);

  BOOL bHasImage = FALSE;
  const BOOL bNoImage = UfxGetCommandManager()->IsMenuItemWithoutImage(m_nID);
  int iImage = m_bUserButton ? m_iUserImage : m_iImage;
  if (iImage < 0) iImage = m_bUserButton ? m_iImage : m_iUserImage;
  CUfxUserTool* pTool = UfxUserToolsManager != nullptr ? UfxUserToolsManager->FindTool(m_nID) : nullptr;
  if (!bNoImage && m_bImage && pImages != nullptr && iImage >= 0) {
    CPoint pt(rectImage.left + (rectImage.Width() - sizeImage.cx) / 2,
              rectImage.top + (rectImage.Height() - sizeImage.cy) / 2);
    if ((m_nStyle & TBBS_CHECKED) && !bCustomizeMode && !pVM->IsShadowHighlightedImage()) pt.Offset(1, 1);
    pImages->Draw(pDC, pt.x, pt.y, iImage, FALSE, bDisabled && bGrayDisabledButtons);
    bHasImage = TRUE;
  } else if (!bNoImage && pTool != nullptr) {
    DrawImage(pDC, pImages, CPoint(rectImage.left + (rectImage.Width() - sizeImage.cx) / 2,
                                   rectImage.top + (rectImage.Height() - sizeImage.cy) / 2),
              FALSE, bDisabled, FALSE);
    bHasImage = TRUE;
  }

  if (m_nStyle & TBBS_CHECKED) {
    if (bHasImage) {
      pVM->OnDrawButtonBorder(pDC, this, rectImage,
                              bHighlight ? CUfxVisualManager::ButtonsIsHighlighted : CUfxVisualManager::ButtonsIsPressed);
    } else {
      if (!bHighlight) {
        CRect rectFill = rectImage;
        rectFill.DeflateRect(0, 1);
        pDC->FillRect(&rectFill, &UfxGlobalData.brLight);
      }
      int iGlyph = m_bIsRadio ? CUfxMenuGlyphs::IdRadio : CUfxMenuGlyphs::IdCheck;
      if (bDisabled) ++iGlyph;
      const CSize sizeGlyph = CUfxMenuGlyphs::GetSize();
      CUfxMenuGlyphs::Draw(pDC, iGlyph,
                           CPoint(rectImage.left + (rectImage.Width() - sizeGlyph.cx) / 2,
                                  rectImage.top + (rectImage.Height() - sizeGlyph.cy) / 2));
    }
  }

  int iSysGlyph = -1;
  switch (m_nID) {
    case 61472: iSysGlyph = CUfxMenuGlyphs::IdMinimize; break;
    case 61488: iSysGlyph = CUfxMenuGlyphs::IdMaximize; break;
    case 61536: iSysGlyph = CUfxMenuGlyphs::IdClose; break;
    case 61728: iSysGlyph = CUfxMenuGlyphs::IdRestore; break;
    default: break;
  }
  if (iSysGlyph >= 0) {
    if (bDisabled) ++iSysGlyph;
    CRect rectSys = rectImage;
    rectSys.DeflateRect(nMargin, nMargin);
    const CSize sizeGlyph = CUfxMenuGlyphs::GetSize();
    CUfxMenuGlyphs::Draw(pDC, iSysGlyph,
                         CPoint(rectSys.left + (rectSys.Width() - sizeGlyph.cx) / 2,
                                rectSys.top + (rectSys.Height() - sizeGlyph.cy) / 2));
    if (bHighlight) pVM->OnDrawButtonBorder(pDC, this, rectSys, CUfxVisualManager::ButtonsIsHighlighted);
  }

  // Label and shortcut.
  CString strLabel = m_strText, strShortcut;
  const int iTab = strLabel.Find(L'\t');
  if (iTab >= 0) {
    strShortcut = strLabel.Mid(iTab + 1);
    strLabel = strLabel.Left(iTab);
  }
  const CSize sizeGlyph = CUfxMenuGlyphs::GetSize();
  CRect rectText = rect;
  rectText.left = rectImage.right + 3 * nMargin - 1;
  rectText.right -= sizeGlyph.cx + 3;
  if (!m_bWrapText) {
    CSize sizeLabel = pDC->GetTextExtent(StripMnemonics(strLabel));
    CString strCut = strLabel;
    while (sizeLabel.cx > rectText.Width() && !strCut.IsEmpty()) {
      strCut = strCut.Left(strCut.GetLength() - 1);
      strLabel = strCut + L"...";
      sizeLabel = pDC->GetTextExtent(StripMnemonics(strLabel));
    }
  }
  const int nOldMode = pDC->SetBkMode(TRANSPARENT);
  auto drawTexts = [&](COLORREF clr, int dx) {
    pDC->SetTextColor(clr);
    CRect r = rectText;
    r.OffsetRect(dx, dx);
    pDC->DrawText(strLabel, r, DT_SINGLELINE | DT_VCENTER);
    if (!strShortcut.IsEmpty()) pDC->DrawText(strShortcut, r, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
  };
  if (bDisabled && !bHighlight && pVM->IsEmbossDisabledImage()) drawTexts(UfxGlobalData.clrBtnHilite, 1);
  drawTexts(clrText, 0);

  if (m_nID == (UINT)-1 || m_bDrawDownArrow || m_bMenuOnly) {
    if (m_nID != 0 && (m_nID == (UINT)-1 || !m_listCommands.IsEmpty() || m_bMenuOnly)) {
      const BOOL bRTL = pBar != nullptr && (pBar->GetExStyle() & WS_EX_LAYOUTRTL);
      CFont* pFontPrev = pDC->SelectObject(&UfxGlobalData.fontMarlett);
      CRect rectArrow = rect;
      rectArrow.right -= 2;
      pDC->DrawText(bRTL ? L"3" : L"4", rectArrow, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
      pDC->SelectObject(pFontPrev);
    }
  }
  pDC->SetBkMode(nOldMode);
  if (pOldFont != nullptr) pDC->SelectObject(pOldFont);
}

int CUfxToolbarMenuButton::OnDrawOnCustomizeList(CDC* pDC, const CRect& rect, BOOL bSelected) {
  const int nWidth = CUfxToolbarButton::OnDrawOnCustomizeList(pDC, rect, bSelected);
  if (m_nID == 0 || m_nID == (UINT)-1 || !m_listCommands.IsEmpty()) {
    const CSize sizeGlyph = CUfxMenuGlyphs::GetSize();
    CRect rectArrow = rect;
    rectArrow.left = rectArrow.right - rect.Height();
    CUfxMenuGlyphs::Draw(pDC, bSelected ? CUfxMenuGlyphs::IdArowRightSelected : CUfxMenuGlyphs::IdArowRight,
                         CPoint(rectArrow.left + (rectArrow.Width() - sizeGlyph.cx) / 2,
                                rectArrow.top + (rectArrow.Height() - sizeGlyph.cy) / 2));
    CRect rectLine(rectArrow.left - 2, rect.top + 2, rectArrow.left, rect.bottom - 2);
    pDC->Draw3dRect(rectLine, UfxGlobalData.clrBtnShadow, UfxGlobalData.clrBtnHilite);
  }
  return nWidth;
}
