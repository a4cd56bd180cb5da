// The outlook bar: layout, page switching, painting, scrolling, the splitter, the caption band and
// the page-name edit.
#include <algorithm>

#include "bars/UfxMenuGlyphs.h"
#include "frames/UfxGlobalData.h"
#include "frames/UfxOutlookBar.h"
#include "frames/UfxOutlookBarPage.h"
#include "frames/UfxOutlookButton.h"
#include "looks/UfxVisualManager.h"

namespace {
CUfxOutlookBarPage* AsPage(CObject* p) { return static_cast<CUfxOutlookBarPage*>(p); }
// The point a mouse message carries (signed coordinates).
CPoint MessagePoint(const MSG* pMsg) { return CPoint((short)LOWORD(pMsg->lParam), (short)HIWORD(pMsg->lParam)); }
const UINT kMoveFlags = SWP_NOZORDER | SWP_NOACTIVATE;
}  // namespace

// ---- areas -----------------------------------------------------------------------------------------

void CUfxOutlookBar::GetWorkArea(CRect& rect) const {
  GetClientRect(&rect);
  if (!m_rectCaption.IsRectEmpty()) {
    if (IsHorizontalBar()) rect.left = m_rectCaption.right;
    else rect.top = m_rectCaption.bottom;
  }
  if (!m_bEnableSplitter) return;
  // 3 pixels away from the splitter on its side.
  if (m_dwStyle & CBRS_ALIGN_LEFT) rect.right -= 3;
  else if (m_dwStyle & CBRS_ALIGN_RIGHT) rect.left += 3;
  else if (m_dwStyle & CBRS_ALIGN_TOP) rect.bottom -= 3;
  else if (m_dwStyle & CBRS_ALIGN_BOTTOM) rect.top += 3;
}

void CUfxOutlookBar::CalcSplitterRect() {
  m_rectSplitter.SetRectEmpty();
  if (!m_bEnableSplitter || GetSafeHwnd() == nullptr) return;
  CRect rect;
  GetClientRect(&rect);
  if (m_dwStyle & CBRS_ALIGN_LEFT) m_rectSplitter.SetRect(rect.right - 3, rect.top, rect.right, rect.bottom);
  else if (m_dwStyle & CBRS_ALIGN_RIGHT) m_rectSplitter.SetRect(rect.left, rect.top, rect.left + 3, rect.bottom);
  else if (m_dwStyle & CBRS_ALIGN_TOP) m_rectSplitter.SetRect(rect.left, rect.bottom - 3, rect.right, rect.bottom);
  else if (m_dwStyle & CBRS_ALIGN_BOTTOM) m_rectSplitter.SetRect(rect.left, rect.top, rect.right, rect.top + 3);
}

void CUfxOutlookBar::CalcCaptionRect() {
  m_rectCaption.SetRectEmpty();
  if (m_dwCaptionStyle == 0 || GetSafeHwnd() == nullptr) return;
  CRect rect;
  GetClientRect(&rect);
  rect.DeflateRect(1, 1);
  const int nThickness = UfxGlobalData.m_nTextHeightHorz + 5;
  if (IsHorizontalBar()) {
    rect.right = rect.left + nThickness;
    if (m_dwStyle & CBRS_ALIGN_TOP) rect.bottom -= 4;
    else if (m_dwStyle & CBRS_ALIGN_BOTTOM) rect.top += 4;
  } else {
    rect.bottom = rect.top + nThickness;
    if (m_dwStyle & CBRS_ALIGN_LEFT) rect.right -= 4;
    else if (m_dwStyle & CBRS_ALIGN_RIGHT) rect.left += 4;
  }
  CRect client;
  GetClientRect(&client);
  if (rect.Width() > 0 && rect.Height() > 0 && (rect & client) == rect) m_rectCaption = rect;
}

// ---- layout ----------------------------------------------------------------------------------------

CSize CUfxOutlookBar::CalcFixedLayout(BOOL, BOOL bHorz) {
  int nSize = m_nSize;
  if (nSize == -1) {
    nSize = 2 * (bHorz ? m_sizeImage.cy : m_sizeImage.cx) + 10;
    if (m_bTextLabels && GetSafeHwnd() != nullptr) {
      CClientDC dc(this);
      CFont* pOldFont = dc.SelectObject(&UfxGlobalData.fontRegular);
      for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
        const auto* pButton = static_cast<CUfxToolbarButton*>(m_Buttons.GetNext(pos));
        CRect rectText(0, 0, 1, 1);
        dc.DrawText(pButton->m_strText, &rectText, DT_CALCRECT | DT_WORDBREAK);
        nSize = std::max(nSize, bHorz ? rectText.Height() : rectText.Width());
      }
      dc.SelectObject(pOldFont);
    }
    // The width is kept once there are images to measure it by; a bar laid out before its
    // images arrive measures again.
    if (m_sizeImage.cx > 0 && m_sizeImage.cy > 0) m_nSize = nSize;
  }
  return bHorz ? CSize(32767, nSize) : CSize(nSize, 32767);
}

void CUfxOutlookBar::LayoutButtons() {
  if (GetSafeHwnd() == nullptr) return;
  if (m_btnClose.GetSafeHwnd() != nullptr) m_btnClose.SendMessage(WM_CANCELMODE);
  const BOOL bHorz = IsHorizontalBar();
  CRect rectArea;
  GetWorkArea(rectArea);
  if (!bHorz) {
    rectArea.DeflateRect(2, 0);
    if (m_rectCaption.IsRectEmpty()) rectArea.top += 1;
    rectArea.bottom -= 1;
    if (m_bEnableSplitter) rectArea.right -= 3;
  } else {
    rectArea.DeflateRect(0, 1);
    rectArea.right -= 1;
    if (m_rectCaption.IsRectEmpty()) rectArea.left += 1;
    if (m_bEnableSplitter) rectArea.top += 3;
  }
  LayoutPageButtons(rectArea);
  LayoutScrollButtons(rectArea, TRUE);
  const int nEnd = LayoutShortcuts(rectArea);
  if (CUfxOutlookBarPage* pActive = FindPage(m_iActivePage)) {
    if (pActive->m_hwndHosted != nullptr)
      ::SetWindowPos(pActive->m_hwndHosted, nullptr, rectArea.left, rectArea.top, rectArea.Width(), rectArea.Height(),
                     kMoveFlags);
  }
  m_bCanScrollDown = nEnd > (bHorz ? rectArea.right : rectArea.bottom);
  LayoutScrollButtons(rectArea, FALSE);
  LayoutCloseButton();
  for (POSITION pos = m_lstPages.GetHeadPosition(); pos != nullptr;) {
    CUfxOutlookBarPage* pPage = AsPage(m_lstPages.GetNext(pos));
    if (pPage->m_btnPage.GetSafeHwnd() != nullptr)
      pPage->m_btnPage.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  }
  for (CUfxButton* pButton : {&m_btnUp, &m_btnDown})
    if (pButton->GetSafeHwnd() != nullptr) pButton->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  m_rectWorkArea = rectArea;
}

void CUfxOutlookBar::LayoutPageButtons(CRect& rectArea) {
  const int nBand = UfxGlobalData.m_nTextHeightHorz + 4;
  // Pages up to the active one stack at the top, the ones after it at the bottom.
  POSITION posActive = nullptr;
  for (POSITION pos = m_lstPages.GetHeadPosition(); pos != nullptr;) {
    POSITION posPage = pos;
    CUfxOutlookBarPage* pPage = AsPage(m_lstPages.GetNext(pos));
    pPage->m_rectButton.SetRect(rectArea.left, rectArea.top, rectArea.right, rectArea.top + nBand);
    rectArea.top += nBand;
    if (pPage->m_iId == m_iActivePage) {
      posActive = posPage;
      break;
    }
  }
  for (POSITION pos = m_lstPages.GetTailPosition(); posActive != nullptr && pos != posActive;) {
    CUfxOutlookBarPage* pPage = AsPage(m_lstPages.GetPrev(pos));
    pPage->m_rectButton.SetRect(rectArea.left, rectArea.bottom - nBand, rectArea.right, rectArea.bottom);
    rectArea.bottom -= nBand;
  }
  for (POSITION pos = m_lstPages.GetHeadPosition(); pos != nullptr;) {
    CUfxOutlookBarPage* pPage = AsPage(m_lstPages.GetNext(pos));
    if (pPage->m_btnPage.GetSafeHwnd() == nullptr) continue;
    const CRect& r = pPage->m_rectButton;
    pPage->m_btnPage.SetWindowPos(nullptr, r.left, r.top, r.Width(), r.Height(), kMoveFlags | SWP_SHOWWINDOW);
  }
}

void CUfxOutlookBar::LayoutScrollButtons(const CRect& rectArea, BOOL bUp) {
  CUfxButton& button = bUp ? m_btnUp : m_btnDown;
  if (button.GetSafeHwnd() == nullptr) return;
  CSize size = CUfxMenuGlyphs::GetSize();
  size += CSize(2, 2);
  const BOOL bFits = rectArea.Width() >= size.cx + 5 && rectArea.Height() >= size.cy + 5;
  const BOOL bShow = bFits && (bUp ? m_iFirstVisible >= 1 : m_bCanScrollDown);
  if (!bShow) {
    button.ShowWindow(SW_HIDE);
    return;
  }
  const BOOL bHorz = IsHorizontalBar();
  CRect rect;
  if (bUp) {
    const int nInset = m_bEnableSplitter ? 10 : 5;
    rect.top = rectArea.top + 5;
    rect.left = bHorz ? rectArea.left + nInset : rectArea.right - nInset - size.cx;
  } else {
    rect.left = rectArea.right - (m_bEnableSplitter ? 10 : 5) - size.cx;
    rect.top = bHorz ? rectArea.top + 5 : rectArea.bottom - 5 - size.cy;
  }
  rect.right = rect.left + size.cx;
  rect.bottom = rect.top + size.cy;
  ::SetWindowPos(button.m_hWnd, bUp ? nullptr : HWND_TOP, rect.left, rect.top, size.cx, size.cy,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW | (bUp ? SWP_NOZORDER : 0));
}

int CUfxOutlookBar::LayoutShortcuts(const CRect& rectArea) {
  const BOOL bHorz = IsHorizontalBar();
  CSize sizeDefault = bHorz ? CSize(m_sizeImage.cx, rectArea.Height()) : CSize(rectArea.Width(), m_sizeImage.cy);
  if (UsesExtraButtonBorder()) sizeDefault += CUfxVisualManager::GetInstance()->GetButtonExtraBorder();
  int nCursor = m_nButtonSpacing + (bHorz ? rectArea.left : rectArea.top) - m_iScrollOffset;
  CClientDC dc(this);
  CFont* pOldFont = dc.SelectObject(&UfxGlobalData.fontRegular);
  const BOOL bPages = !m_lstPages.IsEmpty();
  for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
    auto* pButton = static_cast<CUfxToolbarButton*>(m_Buttons.GetNext(pos));
    auto* pShortcut = DYNAMIC_DOWNCAST(CUfxOutlookButton, pButton);
    if (pShortcut == nullptr || (bPages && pShortcut->m_iPageId != m_iActivePage)) {
      pButton->SetRect(CRect(-1, -1, -1, -1));
      pButton->m_bVisible = FALSE;
      continue;
    }
    pShortcut->m_bText = m_bTextLabels;
    pShortcut->m_sizeImage = m_sizeImage;
    pShortcut->m_bVisible = TRUE;
    const CSize size = pShortcut->OnCalculateSize(&dc, sizeDefault, bHorz);
    CRect rect;
    if (!bHorz) {
      const int cx = std::min<int>(size.cx, rectArea.Width() - 1);
      rect.SetRect(rectArea.left + (rectArea.Width() - cx) / 2, nCursor, 0, nCursor + size.cy);
      rect.right = rect.left + cx;
      nCursor = rect.bottom + m_nButtonSpacing;
    } else {
      const int cy = std::min<int>(size.cy, rectArea.Height() - 1);
      rect.SetRect(nCursor, rectArea.top + (rectArea.Height() - cy) / 2, nCursor + size.cx, 0);
      rect.bottom = rect.top + cy;
      nCursor = rect.right + m_nButtonSpacing;
    }
    pShortcut->SetRect(rect);
  }
  dc.SelectObject(pOldFont);
  return nCursor;
}

void CUfxOutlookBar::LayoutCloseButton() {
  if (m_btnClose.GetSafeHwnd() == nullptr) return;
  if (m_rectCaption.IsRectEmpty()) {
    m_btnClose.SetWindowPos(nullptr, 0, 0, 0, 0, kMoveFlags | SWP_NOSIZE | SWP_HIDEWINDOW);
    return;
  }
  const BOOL bHorz = IsHorizontalBar();
  const int nThickness = bHorz ? m_rectCaption.Width() : m_rectCaption.Height();
  const int nSide = nThickness - 6;
  const int nLength = bHorz ? m_rectCaption.Height() : m_rectCaption.Width();
  const int x = bHorz ? m_rectCaption.left + 3 : m_rectCaption.right - nThickness + 3;
  const int y = m_rectCaption.top + 3;
  const BOOL bShow = m_bCloseButton && nSide > 0 && nLength >= nThickness;
  m_btnClose.SetWindowPos(nullptr, x, y, nSide, nSide, kMoveFlags | (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

// ---- page switching --------------------------------------------------------------------------------

void CUfxOutlookBar::SetActivePage(int iPageId, BOOL bAnimate) {
  if (iPageId == m_iActivePage) return;
  CUfxOutlookBarPage* pNew = FindPage(iPageId);
  if (pNew == nullptr && iPageId != -1) return;
  CUfxOutlookBarPage* pOld = FindPage(m_iActivePage);
  const CRect rectOldBefore = pOld != nullptr ? pOld->m_rectButton : CRect();
  const CRect rectNewBefore = pNew != nullptr ? pNew->m_rectButton : CRect();
  if (pOld != nullptr && pOld->m_hwndHosted != nullptr) ::ShowWindow(pOld->m_hwndHosted, SW_HIDE);
  if (pNew != nullptr && pNew->m_hwndHosted != nullptr) ::ShowWindow(pNew->m_hwndHosted, SW_SHOWNOACTIVATE);
  m_iActivePage = iPageId;
  OnActivatePage();
  m_iScrollOffset = 0;
  m_iFirstVisible = 0;
  m_bCanScrollDown = FALSE;
  LayoutButtons();
  m_rectActivePageBtn.SetRectEmpty();
  if (pNew != nullptr && GetSafeHwnd() != nullptr) {
    m_rectActivePageBtn = pNew->m_rectButton;
    ClientToScreen(&m_rectActivePageBtn);
  }
  if (GetSafeHwnd() == nullptr || !m_bPageAnimation || !bAnimate || rectOldBefore.IsRectEmpty()) {
    if (GetSafeHwnd() != nullptr) RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    return;
  }
  // The new page's button slides to its place; when it keeps its place, the old one slides.
  if (pNew != nullptr && rectNewBefore != pNew->m_rectButton) AnimatePageButton(pNew, rectNewBefore, pNew->m_rectButton);
  else if (pOld != nullptr && rectOldBefore != pOld->m_rectButton) AnimatePageButton(pOld, rectOldBefore, pOld->m_rectButton);
  LayoutButtons();
  RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CUfxOutlookBar::AnimatePageButton(CUfxOutlookBarPage* pPage, CRect rectFrom, CRect rectTo) {
  if (pPage->m_btnPage.GetSafeHwnd() == nullptr || rectTo.Height() <= 0) return;
  CRect rectClip;
  GetWorkArea(rectClip);
  const int nStep = rectTo.top > rectFrom.top ? rectTo.Height() : -rectTo.Height();
  CRect rect = rectFrom;
  CClientDC dc(this);
  dc.IntersectClipRect(&rectClip);
  while (nStep > 0 ? rect.top < rectTo.top : rect.top > rectTo.top) {
    InvalidateRect(&rect);
    rect.OffsetRect(0, nStep);
    if (nStep > 0 ? rect.top > rectTo.top : rect.top < rectTo.top) rect.OffsetRect(0, rectTo.top - rect.top);
    pPage->m_btnPage.SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(), kMoveFlags);
    OnFillWorkArea(&dc, rectClip);
    UpdateWindow();
    ::Sleep(10);
  }
}

// ---- scrolling -------------------------------------------------------------------------------------

void CUfxOutlookBar::ScrollDown() {
  CObList lstActive;
  ActivePageButtons(lstActive);
  POSITION pos = lstActive.FindIndex(m_iFirstVisible);
  if (!m_bCanScrollDown || pos == nullptr || m_iFirstVisible + 1 >= (int)lstActive.GetCount()) {
    KillTimer(kTimerScrollDown);
    return;
  }
  const CRect rect = static_cast<CUfxToolbarButton*>(lstActive.GetAt(pos))->Rect();
  ++m_iFirstVisible;
  m_iScrollOffset += (IsHorizontalBar() ? rect.Width() : rect.Height()) + m_nButtonSpacing;
  LayoutButtons();
  if (!m_bCanScrollDown) KillTimer(kTimerScrollDown);  // the end: a held button stops here
  InvalidateRect(&m_rectWorkArea);
  UpdateWindow();
}

void CUfxOutlookBar::ScrollUp() {
  CObList lstActive;
  ActivePageButtons(lstActive);
  if (m_iScrollOffset <= 0 || m_iFirstVisible <= 0) {
    m_iScrollOffset = 0;
    m_iFirstVisible = 0;
    KillTimer(kTimerScrollUp);
    LayoutButtons();
    return;
  }
  --m_iFirstVisible;
  POSITION pos = lstActive.FindIndex(m_iFirstVisible);
  const CRect rect = pos != nullptr ? static_cast<CUfxToolbarButton*>(lstActive.GetAt(pos))->Rect() : CRect();
  m_iScrollOffset -= (IsHorizontalBar() ? rect.Width() : rect.Height()) + m_nButtonSpacing;
  if (m_iFirstVisible == 0 || m_iScrollOffset < 0) m_iScrollOffset = 0;
  LayoutButtons();
  if (m_iFirstVisible == 0) KillTimer(kTimerScrollUp);
  InvalidateRect(&m_rectWorkArea);
  UpdateWindow();
}

BOOL CUfxOutlookBar::ForwardToScrollButton(MSG* pMsg) {
  if (pMsg->message < WM_MOUSEFIRST || pMsg->message > WM_MOUSELAST) return FALSE;
  for (CUfxButton* pButton : {&m_btnUp, &m_btnDown}) {
    if (pButton->GetSafeHwnd() == nullptr || !pButton->IsWindowVisible()) continue;
    CPoint point = MessagePoint(pMsg);
    ::ClientToScreen(pMsg->hwnd, &point);
    CRect rect;
    pButton->GetWindowRect(&rect);
    if (pMsg->hwnd != pButton->GetSafeHwnd() && !(pMsg->hwnd == m_hWnd && rect.PtInRect(point))) continue;
    pButton->ScreenToClient(&point);
    pButton->SendMessage(pMsg->message, pMsg->wParam, MAKELPARAM(point.x, point.y));
    if (pMsg->message == WM_LBUTTONDOWN) {
      const BOOL bUp = pButton == &m_btnUp;
      SetTimer(bUp ? kTimerScrollUp : kTimerScrollDown, kScrollDelay, nullptr);
      if (bUp) ScrollUp();
      else ScrollDown();
    } else if (pMsg->message == WM_LBUTTONUP) {
      KillTimer(kTimerScrollUp);
      KillTimer(kTimerScrollDown);
    }
    return TRUE;
  }
  return FALSE;
}

void CUfxOutlookBar::OnTimer(UINT_PTR nIDEvent) {
  switch (nIDEvent) {
    case kTimerScrollUp:
      if (m_btnUp.IsPressed()) ScrollUp();
      break;
    case kTimerScrollDown:
      if (m_btnDown.IsPressed()) ScrollDown();
      break;
    case kTimerDragHover: {
      KillTimer(kTimerDragHover);
      CPoint point;
      ::GetCursorPos(&point);
      ScreenToClient(&point);
      CUfxOutlookBarPage* pPage = PageButtonAt(point);
      if (pPage != nullptr && pPage->m_iId == m_iHoverPage) SetActivePage(m_iHoverPage, FALSE);
      m_iHoverPage = -1;
      break;
    }
    default:
      CUfxToolBar::OnTimer(nIDEvent);
  }
}

void CUfxOutlookBar::OnSize(UINT nType, int cx, int cy) {
  CUfxToolBar::OnSize(nType, cx, cy);
  CalcCaptionRect();
  CalcSplitterRect();
  LayoutButtons();
  // A bar made larger scrolls back while its last button ends above the bottom.
  CObList lstActive;
  while (m_iScrollOffset > 0 && ActivePageButtons(lstActive) > 0) {
    const CRect rectLast = static_cast<CUfxToolbarButton*>(lstActive.GetTail())->Rect();
    lstActive.RemoveAll();
    if ((IsHorizontalBar() ? rectLast.right : rectLast.bottom) >= (IsHorizontalBar() ? m_rectWorkArea.right : m_rectWorkArea.bottom))
      break;
    const int nBefore = m_iScrollOffset;
    ScrollUp();
    if (m_iScrollOffset == nBefore) break;
  }
  Invalidate();
}

void CUfxOutlookBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp) {
  RECT& rect = lpncsp->rgrc[0];
  rect.left += m_cxLeftBorder;
  rect.top += m_cyTopBorder;
  rect.right -= m_cxRightBorder;
  rect.bottom -= m_cyBottomBorder;
}

void CUfxOutlookBar::OnSysColorChange() {
  CUfxToolBar::OnSysColorChange();
  m_clrBackColor = UfxGlobalData.clrBtnShadow;
  Invalidate();
}

// ---- painting --------------------------------------------------------------------------------------

void CUfxOutlookBar::DoPaint(CDC* pDCPaint) {
  CRect rectClip;
  pDCPaint->GetClipBox(&rectClip);
  CRect rectClient;
  GetClientRect(&rectClient);
  rectClip &= rectClient;
  if (rectClip.IsRectEmpty()) return;
  CDC dcMem;
  CBitmap bmpMem;
  CDC* pDC = pDCPaint;
  CBitmap* pOldBitmap = nullptr;
  if (dcMem.CreateCompatibleDC(pDCPaint) && bmpMem.CreateCompatibleBitmap(pDCPaint, rectClient.Width(), rectClient.Height())) {
    pOldBitmap = dcMem.SelectObject(&bmpMem);
    pDC = &dcMem;
  }
  CRect rectFrame = rectClient;
  if (m_bEnableSplitter && !m_rectSplitter.IsRectEmpty()) {
    if (m_dwStyle & CBRS_ALIGN_LEFT) rectFrame.right = m_rectSplitter.left;
    else if (m_dwStyle & CBRS_ALIGN_RIGHT) rectFrame.left = m_rectSplitter.right;
    else if (m_dwStyle & CBRS_ALIGN_TOP) rectFrame.bottom = m_rectSplitter.top;
    else rectFrame.top = m_rectSplitter.bottom;
    pDC->FillRect(&m_rectSplitter, &UfxGlobalData.brBarFace);
  }
  if (!m_bFlatFrame) {
    pDC->DrawEdge(&rectFrame, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  } else {
    pDC->FillRect(&rectFrame, &UfxGlobalData.brBtnFace);
    pDC->Draw3dRect(rectFrame, UfxGlobalData.clrBtnShadow, UfxGlobalData.clrBtnHilite);
  }
  CString strTitle;
  GetWindowText(strTitle);
  if (!m_rectCaption.IsRectEmpty()) {
    pDC->SetTextColor(UfxGlobalData.clrBtnText);
    pDC->SetBkMode(TRANSPARENT);
    OnDrawCaption(pDC, m_rectCaption, strTitle, !IsHorizontalBar());
  }
  CUfxOutlookBarPage* pActive = FindPage(m_iActivePage);
  if (pActive == nullptr || pActive->m_hwndHosted == nullptr) OnFillWorkArea(pDC, m_rectWorkArea);
  if (!m_Buttons.IsEmpty()) {
    pDC->SetTextColor(UfxGlobalData.clrBtnText);
    pDC->SetBkMode(TRANSPARENT);
    CFont* pOldFont = pDC->SelectObject(&UfxGlobalData.fontRegular);
    m_ShortcutImages.SetTransparentColor(m_clrTransparent);
    CUfxDrawState ds;
    const BOOL bImages = m_ShortcutImages.GetCount() > 0 && m_ShortcutImages.PrepareDraw(ds);
    const BOOL bCustomize = IsCustomizeMode() && !m_bLocked;
    int i = 0;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr; ++i) {
      auto* pButton = static_cast<CUfxToolbarButton*>(m_Buttons.GetNext(pos));
      const CRect rect = pButton->Rect();
      if (!pButton->m_bVisible || (rect & rectClip).IsRectEmpty() || (rect & m_rectWorkArea).IsRectEmpty()) continue;
      BOOL bHighlight = i == m_iHighlighted || (i == m_iButtonCapture && (m_iButtonCapture == m_iHighlighted || m_iHighlighted < 0));
      if (bCustomize) bHighlight = FALSE;
      pDC->SaveDC();
      pDC->IntersectClipRect(&m_rectWorkArea);
      pButton->OnDraw(pDC, rect, bImages ? &m_ShortcutImages : nullptr, IsHorizontalBar(), bCustomize, bHighlight, FALSE,
                      TRUE);
      pDC->RestoreDC(-1);
    }
    if (bImages) m_ShortcutImages.EndDraw(ds);
    pDC->SelectObject(pOldFont);
    DrawCustomizeSelection(pDC);
  }
  if (pDC == &dcMem) {
    pDCPaint->BitBlt(rectClip.left, rectClip.top, rectClip.Width(), rectClip.Height(), &dcMem, rectClip.left,
                     rectClip.top, SRCCOPY);
    dcMem.SelectObject(pOldBitmap);
  }
}

void CUfxOutlookBar::OnDrawCaption(CDC* pDC, CRect rect, const CString& strTitle, BOOL bVertical) {
  pDC->FillRect(&rect, &UfxGlobalData.brBarFace);
  if (!m_bFlatFrame) {
    pDC->Draw3dRect(rect, UfxGlobalData.clrBtnShadow, UfxGlobalData.clrBtnDkShadow);
    rect.DeflateRect(1, 1);
    pDC->Draw3dRect(rect, UfxGlobalData.clrBtnHilite, UfxGlobalData.clrBtnShadow);
  }
  CFont* pOldFont = pDC->SelectObject(bVertical ? &UfxGlobalData.fontRegular : &UfxGlobalData.fontVertCaption);
  if (bVertical) pDC->ExtTextOut(rect.left + 3, rect.top + 1, ETO_CLIPPED, &rect, strTitle, nullptr);
  else pDC->ExtTextOut(rect.left + 1, rect.bottom - 3, ETO_CLIPPED, &rect, strTitle, nullptr);
  pDC->SelectObject(pOldFont);
}

void CUfxOutlookBar::OnFillWorkArea(CDC* pDC, CRect rectClip) {
  CUfxVisualManager::GetInstance()->OnFillBarBackground(pDC, this, rectClip, rectClip);
}

void CUfxOutlookBar::OnFillBackground(CDC* pDC, CRect rect) {
  if (!m_bBackImage) {
    pDC->FillSolidRect(&rect, m_clrBackColor);
    return;
  }
  const CSize size = m_BackImages.GetImageSize();
  if (size.cx <= 0 || size.cy <= 0) return;
  CUfxDrawState ds;
  if (!m_BackImages.PrepareDraw(ds)) return;
  pDC->SaveDC();
  pDC->IntersectClipRect(&rect);
  for (int y = rect.top; y < rect.bottom; y += size.cy)
    for (int x = rect.left; x < rect.right; x += size.cx) m_BackImages.Draw(pDC, x, y, 0);
  pDC->RestoreDC(-1);
  m_BackImages.EndDraw(ds);
}

// ---- mouse, keys and the splitter ------------------------------------------------------------------

BOOL CUfxOutlookBar::PreTranslateMessage(MSG* pMsg) {
  if (m_pPageNameEdit != nullptr) return FilterEditMessage(pMsg);
  if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE && m_bTracking) {
    StopTracking(FALSE);
    return TRUE;
  }
  if (pMsg->message == WM_LBUTTONDOWN && !m_rectActivePageBtn.IsRectEmpty()) {
    CPoint point = MessagePoint(pMsg);
    ::ClientToScreen(pMsg->hwnd, &point);
    if (m_rectActivePageBtn.PtInRect(point)) return TRUE;
  }
  if (ForwardToScrollButton(pMsg)) return TRUE;
  if (pMsg->message == WM_LBUTTONUP) {
    KillTimer(kTimerScrollUp);
    KillTimer(kTimerScrollDown);
  }
  return CUfxToolBar::PreTranslateMessage(pMsg);
}

BOOL CUfxOutlookBar::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  CPoint point;
  ::GetCursorPos(&point);
  ScreenToClient(&point);
  if (m_bEnableSplitter && (m_bTracking || m_rectSplitter.PtInRect(point))) {
    HCURSOR hCursor = IsHorizontalBar() ? s_hcurSplitVert : s_hcurSplitHorz;
    if (hCursor != nullptr) {
      ::SetCursor(hCursor);
      return TRUE;
    }
  }
  return CUfxToolBar::OnSetCursor(pWnd, nHitTest, message);
}

void CUfxOutlookBar::OnLButtonDown(UINT nFlags, CPoint point) {
  if (m_bEnableSplitter && m_rectSplitter.PtInRect(point)) {
    StartTracking(point);
    return;
  }
  CUfxToolBar::OnLButtonDown(nFlags, point);
}

void CUfxOutlookBar::OnMouseMove(UINT nFlags, CPoint point) {
  if (m_bTracking) {
    MoveTracker(point);
    return;
  }
  CUfxToolBar::OnMouseMove(nFlags, point);
}

void CUfxOutlookBar::OnLButtonUp(UINT nFlags, CPoint point) {
  KillTimer(kTimerScrollUp);
  KillTimer(kTimerScrollDown);
  if (m_bTracking) {
    MoveTracker(point);
    StopTracking(TRUE);
    return;
  }
  CUfxToolBar::OnLButtonUp(nFlags, point);
}

void CUfxOutlookBar::OnCancelMode() {
  if (m_bTracking) StopTracking(FALSE);
  CUfxToolBar::OnCancelMode();
}

void CUfxOutlookBar::OnContextMenu(CWnd* pWnd, CPoint point) {
  CPoint ptClient = point;
  ScreenToClient(&ptClient);
  if (CUfxOutlookBarPage* pPage = PageButtonAt(ptClient)) pPage->m_btnPage.SendMessage(WM_CANCELMODE);
  CUfxToolBar::OnContextMenu(pWnd, point);
}

void CUfxOutlookBar::StartTracking(CPoint point) {
  SetCapture();
  m_hwndFocusBeforeTracking = ::GetFocus();
  SetFocus();
  m_bTracking = TRUE;
  m_nTrackerPos = IsHorizontalBar() ? m_rectSplitter.top : m_rectSplitter.left;
  m_rectTracker = m_rectSplitter;
  DrawTracker();
  MoveTracker(point);
}

void CUfxOutlookBar::MoveTracker(CPoint point) {
  if (!m_bTracking) return;
  DrawTracker();  // erases the old one
  // The tracker stays inside the parent's client area.
  CRect rectParent;
  GetParent()->GetClientRect(&rectParent);
  GetParent()->ClientToScreen(&rectParent);
  ScreenToClient(&rectParent);
  if (IsHorizontalBar()) {
    m_nTrackerPos = std::max<int>(rectParent.top, std::min<int>(point.y, rectParent.bottom - 3));
    m_rectTracker.SetRect(m_rectSplitter.left, m_nTrackerPos, m_rectSplitter.right, m_nTrackerPos + 3);
  } else {
    m_nTrackerPos = std::max<int>(rectParent.left, std::min<int>(point.x, rectParent.right - 3));
    m_rectTracker.SetRect(m_nTrackerPos, m_rectSplitter.top, m_nTrackerPos + 3, m_rectSplitter.bottom);
  }
  DrawTracker();
}

void CUfxOutlookBar::DrawTracker() {
  if (m_rectTracker.IsRectEmpty()) return;
  CRect rect = m_rectTracker;
  ClientToScreen(&rect);
  CWnd* pParent = GetParent();
  pParent->ScreenToClient(&rect);
  HDC hDC = ::GetDCEx(pParent->m_hWnd, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
  if (hDC == nullptr) return;
  static const WORD kPattern[8] = {0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA};
  HBITMAP hPattern = ::CreateBitmap(8, 8, 1, 1, kPattern);
  HBRUSH hBrush = ::CreatePatternBrush(hPattern);
  HGDIOBJ hOld = ::SelectObject(hDC, hBrush);
  ::PatBlt(hDC, rect.left, rect.top, rect.Width(), rect.Height(), PATINVERT);
  ::SelectObject(hDC, hOld);
  ::DeleteObject(hBrush);
  ::DeleteObject(hPattern);
  ::ReleaseDC(pParent->m_hWnd, hDC);
}

void CUfxOutlookBar::StopTracking(BOOL bApply) {
  if (!m_bTracking) return;
  DrawTracker();
  m_rectTracker.SetRectEmpty();
  m_bTracking = FALSE;
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
  if (m_hwndFocusBeforeTracking != nullptr && ::IsWindow(m_hwndFocusBeforeTracking)) ::SetFocus(m_hwndFocusBeforeTracking);
  m_hwndFocusBeforeTracking = nullptr;
  if (!bApply) return;
  CRect rectClient;
  GetClientRect(&rectClient);
  const BOOL bNear = (m_dwStyle & (CBRS_ALIGN_LEFT | CBRS_ALIGN_TOP)) != 0;
  const int nExtent = IsHorizontalBar() ? rectClient.Height() : rectClient.Width();
  m_nSize = std::max(3, bNear ? m_nTrackerPos + 3 : nExtent - m_nTrackerPos);
  if (CFrameWnd* pFrame = GetParentFrame()) {
    pFrame->RecalcLayout();
  } else {
    CRect rect;
    GetWindowRect(&rect);
    SetWindowPos(nullptr, 0, 0, IsHorizontalBar() ? rect.Width() : m_nSize, IsHorizontalBar() ? m_nSize : rect.Height(),
                 SWP_NOMOVE | kMoveFlags);
  }
}

// ---- page names ------------------------------------------------------------------------------------

BOOL CUfxOutlookBar::EditPageName(int iPageId) {
  CUfxOutlookBarPage* pPage = FindPage(iPageId);
  if (pPage == nullptr || pPage->m_btnPage.GetSafeHwnd() == nullptr || m_pPageNameEdit != nullptr) return FALSE;
  m_pPageNameEdit = new CEdit;
  if (!m_pPageNameEdit->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, pPage->m_rectButton, this, 0xFFFF)) {
    delete m_pPageNameEdit;
    m_pPageNameEdit = nullptr;
    return FALSE;
  }
  m_iEditedPage = iPageId;
  m_pPageNameEdit->SetFont(&UfxGlobalData.fontRegular);
  m_pPageNameEdit->SetWindowText(pPage->m_strName);
  m_pPageNameEdit->SetSel(0, -1);
  m_pPageNameEdit->SetFocus();
  SetCapture();
  return TRUE;
}

BOOL CUfxOutlookBar::FilterEditMessage(MSG* pMsg) {
  if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE)) {
    if (pMsg->wParam == VK_RETURN) {
      CString strName;
      m_pPageNameEdit->GetWindowText(strName);
      if (strName.IsEmpty()) {
        ::MessageBeep((UINT)-1);
        return TRUE;  // editing goes on
      }
    }
    EndEditPageName(pMsg->wParam == VK_RETURN);
    return TRUE;
  }
  if (pMsg->message < WM_MOUSEFIRST || pMsg->message > WM_MOUSELAST) return FALSE;
  CPoint point = MessagePoint(pMsg);
  ::ClientToScreen(pMsg->hwnd, &point);
  CRect rectEdit;
  m_pPageNameEdit->GetWindowRect(&rectEdit);
  if (rectEdit.PtInRect(point)) {
    m_pPageNameEdit->ScreenToClient(&point);
    m_pPageNameEdit->SendMessage(pMsg->message, pMsg->wParam, MAKELPARAM(point.x, point.y));
    return TRUE;
  }
  if (pMsg->message != WM_MOUSEMOVE) EndEditPageName(FALSE);
  return TRUE;
}

void CUfxOutlookBar::EndEditPageName(BOOL bTake) {
  if (m_pPageNameEdit == nullptr) return;
  if (bTake) {
    CString strName;
    m_pPageNameEdit->GetWindowText(strName);
    SetPageName(m_iEditedPage, strName);
  }
  m_pPageNameEdit->DestroyWindow();
  delete m_pPageNameEdit;
  m_pPageNameEdit = nullptr;
  m_iEditedPage = -1;
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
}
