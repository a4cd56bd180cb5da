#include "bars/UfxDropDownToolbarButton.h"
#include "bars/UfxDropDownFrame.h"
#include "bars/UfxDropDownToolBar.h"
#include "bars/UfxToolbarMenuButton.h"
#include "bars/UfxPopupMenuBar.h"
#include "frames/UfxGlobalData.h"
#include "looks/UfxVisualManager.h"

IMPLEMENT_SERIAL(CUfxDropDownToolbarButton, CUfxToolbarButton, VERSIONABLE_SCHEMA | 1)

CUfxDropDownToolbarButton* CUfxDropDownToolbarButton::s_pWaitingButton = nullptr;

namespace {
const UINT_PTR kHoldTimerId = 1;

// The image fields of a button stand for the current command while it measures or draws.
class CurrentImageScope {
public:
  CurrentImageScope(CUfxToolbarButton& button, int iImage, BOOL bUserImage)
      : m_button(button), m_iImage(button.m_iImage), m_iUserImage(button.m_iUserImage),
        m_bUser(button.m_bUserButton) {
    button.m_bUserButton = bUserImage;
    if (bUserImage) button.m_iUserImage = iImage;
    else button.m_iImage = iImage;
  }
  ~CurrentImageScope() {
    m_button.m_iImage = m_iImage;
    m_button.m_iUserImage = m_iUserImage;
    m_button.m_bUserButton = m_bUser;
  }
private:
  CUfxToolbarButton& m_button;
  int m_iImage;
  int m_iUserImage;
  BOOL m_bUser;
};

BOOL IsHorizontalBar(const CWnd* pWnd) {
  const CControlBar* pBar = DYNAMIC_DOWNCAST(CControlBar, const_cast<CWnd*>(pWnd));
  return pBar == nullptr || !pBar->IsKindOf(RUNTIME_CLASS(CUfxToolBar)) || (pBar->GetBarStyle() & CBRS_ORIENT_HORZ);
}
}  // namespace

CUfxDropDownToolbarButton::CUfxDropDownToolbarButton() { m_bLocked = TRUE; }

CUfxDropDownToolbarButton::CUfxDropDownToolbarButton(LPCWSTR lpszName, CUfxDropDownToolBar* pToolBar)
    : m_pToolBar(pToolBar), m_strName(lpszName != nullptr ? lpszName : L"") {
  m_bLocked = TRUE;
}

CUfxDropDownToolbarButton::~CUfxDropDownToolbarButton() {
  KillHoldTimer();
  CloseFrame();
}

void CUfxDropDownToolbarButton::KillHoldTimer() {
  if (m_uiTimer != 0) {
    if (m_pWndParent != nullptr && ::IsWindow(m_pWndParent->GetSafeHwnd())) ::KillTimer(m_pWndParent->GetSafeHwnd(), kHoldTimerId);
    m_uiTimer = 0;
  }
  if (s_pWaitingButton == this) s_pWaitingButton = nullptr;
}

void CUfxDropDownToolbarButton::CloseFrame() {
  CUfxDropDownFrame* pFrame = m_pPopupMenu;
  if (pFrame == nullptr) return;
  m_pPopupMenu = nullptr;
  pFrame->m_pParentBtn = nullptr;
  if (::IsWindow(pFrame->GetSafeHwnd())) pFrame->DestroyWindow();
}

void CUfxDropDownToolbarButton::SetDefaultCommand(UINT uiCmd) {
  m_nID = uiCmd;
  m_bLocalUserButton = FALSE;
  m_iSelectedImage = 0;
  if (m_pToolBar == nullptr) return;
  int iPosition = 0;
  for (POSITION pos = m_pToolBar->GetAllButtons().GetHeadPosition(); pos != nullptr;) {
    const CUfxToolbarButton* pButton = static_cast<CUfxToolbarButton*>(m_pToolBar->GetAllButtons().GetNext(pos));
    if (pButton->m_nStyle & TBBS_SEPARATOR) continue;
    if (pButton->m_nID == uiCmd) {
      m_bLocalUserButton = pButton->m_bUserButton;
      // A locked strip holds its images in button order.
      m_iSelectedImage = m_bLocalUserButton ? pButton->m_iUserImage : iPosition;
      return;
    }
    ++iPosition;
  }
}

SIZE CUfxDropDownToolbarButton::OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) {
  if (m_nID == 0 && m_pToolBar != nullptr) {
    for (POSITION pos = m_pToolBar->GetAllButtons().GetHeadPosition(); pos != nullptr;) {
      const CUfxToolbarButton* pButton = static_cast<CUfxToolbarButton*>(m_pToolBar->GetAllButtons().GetNext(pos));
      if (pButton->m_nStyle & TBBS_SEPARATOR) continue;
      SetDefaultCommand(pButton->m_nID);
      break;
    }
  }
  CSize size;
  {
    CurrentImageScope scope(*this, m_iSelectedImage, m_bLocalUserButton);
    size = CUfxToolbarButton::OnCalculateSize(pDC, sizeDefault, bHorz);
  }
  size.cx += CUfxToolBar::IsLargeIcons() ? 9 : 4;
  return size;
}

void CUfxDropDownToolbarButton::OnDraw(CDC* pDC, const CRect& rect, CUfxToolBarImages*, BOOL bHorz,
                                       BOOL bCustomizeMode, BOOL bHighlight, BOOL bDrawBorder,
                                       BOOL bGrayDisabledButtons) {
  FillInterior(pDC, rect, bHighlight);
  const BOOL bLarge = CUfxToolBar::IsLargeIcons();
  CUfxToolBarImages* pImages = nullptr;
  if (m_bLocalUserButton) pImages = CUfxToolBar::GetUserImages();
  else if (m_pToolBar != nullptr) pImages = m_pToolBar->GetImagesToDraw();
  if (pImages != nullptr && pImages->GetTransparentColor() != UfxGlobalData.clrBtnFace)
    pImages->SetTransparentColor(UfxGlobalData.clrBtnFace);
  CRect rectImage = rect;
  rectImage.right -= bLarge ? 8 : 4;
  {
    CurrentImageScope scope(*this, m_iSelectedImage, m_bLocalUserButton);
    const BOOL bText = m_bText;
    m_bText = FALSE;
    m_bDisableFill = TRUE;
    m_bInternalDraw = TRUE;
    CUfxToolbarButton::OnDraw(pDC, rectImage, pImages, bHorz, bCustomizeMode, bHighlight, FALSE, bGrayDisabledButtons);
    m_bInternalDraw = FALSE;
    m_bDisableFill = FALSE;
    m_bText = bText;
  }
  // The triangle in the bottom-right corner.
  const int nSide = bLarge ? 14 : 7;
  const int nOffset = (m_nStyle & TBBS_PRESSED) ? 1 : 0;
  const CPoint ptCorner(rect.right - 2 + nOffset, rect.bottom - 2 + nOffset);
  POINT triangle[3] = {{ptCorner.x - nSide, ptCorner.y}, {ptCorner.x, ptCorner.y}, {ptCorner.x, ptCorner.y - nSide}};
  CBrush brush(UfxGlobalData.clrBtnText);
  CBrush* pOldBrush = pDC->SelectObject(&brush);
  CPen* pOldPen = (CPen*)pDC->SelectStockObject(NULL_PEN);
  pDC->Polygon(triangle, 3);
  pDC->SelectObject(pOldPen);
  pDC->SelectObject(pOldBrush);
  if (bCustomizeMode || !IsBorderDrawn() || !bDrawBorder) return;
  CUfxVisualManager* pVisManager = CUfxVisualManager::GetInstance();
  const BOOL bRealCommand = m_nID != 0 && m_nID != (UINT)-1;
  if (m_pPopupMenu != nullptr || (m_nStyle & (TBBS_CHECKED | TBBS_PRESSED)))
    pVisManager->OnDrawButtonBorder(pDC, this, rect,
                                    bRealCommand ? CUfxVisualManager::ButtonsIsPressed : CUfxVisualManager::ButtonsIsHighlighted);
  else if (bHighlight && !(m_nStyle & (TBBS_CHECKED | TBBS_DISABLED | TBBS_INDETERMINATE)))
    pVisManager->OnDrawButtonBorder(pDC, this, rect, CUfxVisualManager::ButtonsIsHighlighted);
}

void CALLBACK CUfxDropDownToolbarButton::HoldTimerProc(HWND hwnd, UINT, UINT_PTR idEvent, DWORD) {
  try {
    CUfxDropDownToolbarButton* pButton = s_pWaitingButton;
    if (pButton == nullptr || pButton->m_pWndParent == nullptr || pButton->m_pWndParent->GetSafeHwnd() != hwnd) {
      ::KillTimer(hwnd, idEvent);
      return;
    }
    pButton->OnClick(pButton->m_pWndParent, FALSE);
  } catch (...) {
    // Nothing leaves a timer procedure.
  }
}

BOOL CUfxDropDownToolbarButton::OnClick(CWnd* pWnd, BOOL bDelay) {
  if (m_pWndParent == nullptr) return FALSE;
  if (m_uiTimer == 0) {
    // The first press: the command runs on release unless the button is held.
    if (s_pWaitingButton != nullptr && s_pWaitingButton != this) s_pWaitingButton->KillHoldTimer();
    m_uiTimer = ::SetTimer(m_pWndParent->GetSafeHwnd(), kHoldTimerId, kHoldTime, HoldTimerProc);
    s_pWaitingButton = this;
    return FALSE;
  }
  KillHoldTimer();
  if (m_pPopupMenu != nullptr) {
    CloseFrame();
  } else {
    const BOOL bPopupBar = m_pWndParent->IsKindOf(RUNTIME_CLASS(CUfxPopupMenuBar));
    if (!(bDelay && bPopupBar && !CUfxToolBar::IsCustomizeMode())) DropDownToolbar(pWnd);
  }
  if (CUfxToolBar* pBar = DYNAMIC_DOWNCAST(CUfxToolBar, m_pWndParent)) {
    const int iIndex = pBar->ButtonToIndex(this);
    if (iIndex >= 0) pBar->InvalidateButton(iIndex);
  }
  return FALSE;
}

BOOL CUfxDropDownToolbarButton::OnClickUp() {
  if (m_uiTimer != 0) {
    KillHoldTimer();
    return FALSE;
  }
  CloseFrame();
  return TRUE;
}

BOOL CUfxDropDownToolbarButton::DropDownToolbar(CWnd* pWnd) {
  if (m_pToolBar == nullptr || m_pPopupMenu != nullptr) return FALSE;
  if (pWnd == nullptr) pWnd = m_pWndParent;
  if (pWnd == nullptr) return FALSE;
  CRect rectButton = m_rect;
  pWnd->ClientToScreen(rectButton);
  const CPoint ptCorner = IsHorizontalBar(pWnd) ? CPoint(rectButton.left, rectButton.bottom - 1)
                                                : CPoint(rectButton.right + 1, rectButton.top);
  CUfxDropDownFrame* pFrame = new CUfxDropDownFrame;
  pFrame->m_pParentBtn = this;
  m_pPopupMenu = pFrame;
  if (!pFrame->Create(pWnd, ptCorner.x, ptCorner.y, m_pToolBar)) {
    // A frame whose window never came about is still ours to delete.
    if (pFrame->GetSafeHwnd() == nullptr) {
      pFrame->m_pParentBtn = nullptr;
      delete pFrame;
    }
    m_pPopupMenu = nullptr;
    return FALSE;
  }
  return TRUE;
}

void CUfxDropDownToolbarButton::OnCancelMode() {
  KillHoldTimer();
  if (CUfxToolBar* pBar = DYNAMIC_DOWNCAST(CUfxToolBar, m_pWndParent)) {
    if (::IsWindow(pBar->GetSafeHwnd())) {
      const int iIndex = pBar->ButtonToIndex(this);
      if (iIndex >= 0) pBar->InvalidateButton(iIndex);
    }
  }
}

void CUfxDropDownToolbarButton::OnParentChanged(CWnd* pWndParent) {
  CUfxToolbarButton::OnParentChanged(pWndParent);
  m_pWndParent = pWndParent;
  m_bText = FALSE;
  m_strText.Empty();
  m_bUserButton = FALSE;
}

BOOL CUfxDropDownToolbarButton::OnCustomizeMenu(CMenu* pPopup) {
  for (UINT uiCmd : {16911u, 16913u, 16914u, 16915u, 16916u}) pPopup->EnableMenuItem(uiCmd, MF_BYCOMMAND | MF_GRAYED);
  return TRUE;
}

int CUfxDropDownToolbarButton::OnDrawOnCustomizeList(CDC* pDC, const CRect& rect, BOOL bSelected) {
  const CString strText = m_strText;
  m_strText = m_strName;
  const int nWidth = CUfxToolbarButton::OnDrawOnCustomizeList(pDC, rect, bSelected);
  m_strText = strText;
  return nWidth;
}

BOOL CUfxDropDownToolbarButton::ExportToMenuButton(CUfxToolbarMenuButton& menuButton) const {
  if (m_pToolBar == nullptr || !CUfxToolbarButton::ExportToMenuButton(menuButton)) return FALSE;
  HMENU hMenu = ::CreatePopupMenu();
  if (hMenu == nullptr) return FALSE;
  for (POSITION pos = m_pToolBar->GetAllButtons().GetHeadPosition(); pos != nullptr;) {
    const CUfxToolbarButton* pButton = static_cast<CUfxToolbarButton*>(m_pToolBar->GetAllButtons().GetNext(pos));
    if (pButton->m_nStyle & TBBS_SEPARATOR) {
      ::AppendMenuW(hMenu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    if (pButton->m_nID == 0 || pButton->m_nID == (UINT)-1) continue;
    CString strText = pButton->m_strText;
    if (strText.IsEmpty()) {
      CString strMessage;
      if (strMessage.LoadString(pButton->m_nID)) {
        const int iLineFeed = strMessage.Find(L'\n');
        if (iLineFeed >= 0) strText = strMessage.Mid(iLineFeed + 1);
      }
    }
    ::AppendMenuW(hMenu, MF_STRING, pButton->m_nID, strText);
  }
  menuButton.m_nID = 0;
  menuButton.m_strText = m_strName;
  menuButton.m_iImage = -1;
  menuButton.m_bImage = FALSE;
  menuButton.CreateFromMenu(hMenu);
  ::DestroyMenu(hMenu);
  return TRUE;
}

void CUfxDropDownToolbarButton::CopyFrom(const CUfxToolbarButton& src) {
  CUfxToolbarButton::CopyFrom(src);
  const CUfxDropDownToolbarButton* pSrc =
      DYNAMIC_DOWNCAST(CUfxDropDownToolbarButton, const_cast<CUfxToolbarButton*>(&src));
  if (pSrc != nullptr) {
    m_pToolBar = pSrc->m_pToolBar;
    m_strName = pSrc->m_strName;
    m_iSelectedImage = pSrc->m_iSelectedImage;
    m_bLocalUserButton = pSrc->m_bLocalUserButton;
  }
  m_bStored = FALSE;
}

void CUfxDropDownToolbarButton::Serialize(CArchive& ar) {
  CUfxToolbarButton::Serialize(ar);
  if (ar.IsStoring()) {
    const DWORD dwToolbarId = m_pToolBar != nullptr && m_pToolBar->GetSafeHwnd() != nullptr
                                  ? (DWORD)m_pToolBar->GetDlgCtrlID() : 0;
    ar << dwToolbarId << m_strName << (DWORD)m_iSelectedImage;
    return;
  }
  // The button shows the current command's image, never a text of its own: the base's rule for
  // a stored image index of -1 does not apply.
  m_bText = FALSE;
  m_bImage = TRUE;
  DWORD dwToolbarId = 0, dwImage = 0;
  ar >> dwToolbarId >> m_strName >> dwImage;
  m_iSelectedImage = (int)dwImage;
  m_pToolBar = nullptr;
  for (POSITION pos = CUfxToolBar::GetAllToolbars().GetHeadPosition(); pos != nullptr && dwToolbarId != 0;) {
    CUfxDropDownToolBar* pBar = DYNAMIC_DOWNCAST(CUfxDropDownToolBar, CUfxToolBar::GetAllToolbars().GetNext(pos));
    if (pBar != nullptr && pBar->GetSafeHwnd() != nullptr && (DWORD)pBar->GetDlgCtrlID() == dwToolbarId) {
      m_pToolBar = pBar;
      break;
    }
  }
}
