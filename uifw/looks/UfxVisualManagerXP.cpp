#include "bars/UfxToolbarButton.h"
#include "looks/UfxVisualManagerXP.h"
#include "looks/UfxButton.h"
#include "frames/UfxCaptionButton.h"
#include "looks/UfxColorBar.h"
#include "looks/UfxColorMath.h"
#include "looks/UfxGdiEffects.h"
#include "frames/UfxGlobalData.h"
#include "bars/UfxMenuBar.h"
#include "bars/UfxPopupMenuBar.h"
#include "frames/UfxTabWnd.h"
#include "bars/UfxToolBar.h"

IMPLEMENT_DYNCREATE(CUfxVisualManagerXP, CUfxVisualManager)

namespace {


void Frame(CDC* pDC, const CRect& rect, COLORREF clr) { pDC->Draw3dRect(&rect, clr, clr); }

}  // namespace

UFX_XP_COLOR_INPUTS UFX_XP_COLOR_INPUTS::FromGlobalData() {
  const UFX_GLOBAL_DATA& g = UfxGlobalData;
  return {g.clrBarFace, g.clrBarShadow, g.clrBarWindow, g.clrWindow, g.clrHilite,
          g.clrBtnFace, g.clrBtnShadow, g.clrBtnDkShadow, g.m_nBitsPerPixel};
}

CUfxVisualManagerXP::CUfxVisualManagerXP(BOOL bIsTemporary) : CUfxVisualManager(bIsTemporary) {
  m_bLook2000 = TRUE;
  m_nMenuShadowDepth = 4;
  m_bMenuFlatLook = TRUE;
  m_bShadowHighlightedImage = TRUE;
  m_bEmbossDisabledImage = FALSE;
  m_bFadeInactiveImage = TRUE;
  SetTasksPaneMetrics({4, 4, 4, 0, 0, 0, 12, 5, 4}, FALSE);
  m_nReservedA = 1;
  m_nReservedB = 1;
  CUfxVisualManagerXP::OnUpdateSystemColors();
}

CUfxVisualManagerXP::~CUfxVisualManagerXP() = default;

UFX_XP_COLORS CUfxVisualManagerXP::ComputeColors(const UFX_XP_COLOR_INPUTS& in) {
  UFX_XP_COLORS c;
  if (in.nBitsPerPixel > 8) {
    double H, S, L;
    RGBToHLS(in.clrBarFace, &H, &S, &L);
    c.clrMenuLight = ScaleColorByFactor(in.clrWindow, 0.976, 0.973, 0.969);
    double tabL = (L + 1) / 2, tabS = S == 0 ? 0 : (S >= 0.1 ? S * 2 : S + 0.1);
    c.clrTabBack = HLSToRGB(H, tabL > 1 ? 1 : tabL, tabS > 1 ? 1 : tabS);
    c.clrToolBar = L > 0.9 ? in.clrBarFace : HLSToRGB(H, L * 1.03, S);
    c.clrInactiveTabText = HLSToRGB(H, L * 0.4, S);
    int m3[3], m6[3];
    for (int k = 0; k < 3; ++k) {
      int h = (in.clrHilite >> (8 * k)) & 0xFF, m = (c.clrMenuLight >> (8 * k)) & 0xFF;
      m3[k] = (h + 2 * m) / 3;
      m6[k] = (h + 5 * m) / 6;
    }
    c.clrHighlight = ScaleColor(RGB(m3[0], m3[1], m3[2]), 105);
    c.clrHighlightDn = ScaleColorByFactor(c.clrHighlight, 0.87);
    c.clrHighlightChecked = ScaleColor(RGB(m6[0], m6[1], m6[2]), 100);
    c.clrSeparator = ScaleColorByFactor(in.clrBarFace, 0.86);
    c.clrPaneBorder = ScaleColor(in.clrBarFace, 108);
    c.clrMenuBorder = ScaleColor(in.clrBarFace, 55);
    c.clrTabButtonBorder = ScaleColor(in.clrBarShadow, 110);
  } else {
    c.clrMenuLight = in.clrBarWindow;
    c.clrToolBar = c.clrHighlight = c.clrHighlightDn = in.clrBtnFace;
    c.clrHighlightChecked = in.clrBarWindow;
    c.clrInactiveTabText = in.clrBtnDkShadow;
    c.clrTabBack = in.clrBtnFace;
    c.clrSeparator = in.clrBtnShadow;
    c.clrPaneBorder = in.clrBtnShadow;
    c.clrMenuBorder = in.clrBtnDkShadow;
    c.clrTabButtonBorder = in.clrBtnShadow;
  }
  c.clrHighlightFrame = in.clrHilite;
  return c;
}

void CUfxVisualManagerXP::ApplyColors(const UFX_XP_COLORS& c) {
  m_colors = c;
  const struct {
    CBrush& brush;
    COLORREF clr;
  } solid[] = {{m_brMenuLight, c.clrMenuLight}, {m_brBarBkgnd, c.clrToolBar},     {m_brHighlight, c.clrHighlight},
               {m_brHighlightDn, c.clrHighlightDn}, {m_brHighlightChecked, c.clrHighlightChecked},
               {m_brTabBack, c.clrTabBack}};
  for (const auto& s : solid) {
    s.brush.DeleteObject();
    s.brush.CreateSolidBrush(s.clr);
  }
  m_penSeparator.DeleteObject();
  m_penSeparator.CreatePen(PS_SOLID, 1, c.clrSeparator);
}

void CUfxVisualManagerXP::OnUpdateSystemColors() {
  CUfxVisualManager::OnUpdateSystemColors();
  ApplyColors(ComputeColors(UFX_XP_COLOR_INPUTS::FromGlobalData()));
}

void CUfxVisualManagerXP::CreateGripperBrush() {
  WORD horz[8], vert[8];
  for (int i = 0; i < 8; ++i) {
    horz[i] = (i % 2) == 0 ? 0xFF : 0x00;
    vert[i] = 0xAA;
  }
  CBitmap bmpHorz, bmpVert;
  bmpHorz.CreateBitmap(8, 8, 1, 1, horz);
  bmpVert.CreateBitmap(8, 8, 1, 1, vert);
  m_brGripperHorz.DeleteObject();
  m_brGripperHorz.CreatePatternBrush(&bmpHorz);
  m_brGripperVert.DeleteObject();
  m_brGripperVert.CreatePatternBrush(&bmpVert);
}

void CUfxVisualManagerXP::AdjustMenuConnectionRect(const CUfxToolbarMenuButton* pButton, CRect& rect) {
  AdjustMenuConnectionRect(DescribeButton(const_cast<CUfxToolbarMenuButton*>(pButton)), rect);
}

void CUfxVisualManagerXP::AdjustMenuConnectionRect(const UFX_BUTTON_FACTS& button, CRect& rect) {
  if (!button.bPopupOpen) return;
  const BOOL narrower = button.rectPopup.Width() < rect.Width();
  const BOOL lower = button.rectPopup.Height() < rect.Height();
  switch (button.nDropDirection) {
    case 1: rect.bottom += narrower ? 1 : 4; break;   // down
    case 2: rect.top -= narrower ? 0 : 4; break;      // up
    case 3: rect.right += lower ? 1 : 4; break;       // right
    case 4: rect.left -= lower ? 1 : 4; break;        // left
  }
}

void CUfxVisualManagerXP::OnFillHighlightedArea(CDC* pDC, CRect rect, CBrush* pBrush, CUfxToolbarButton*) {
  pDC->FillRect(&rect, pBrush);
}

CRect CUfxVisualManagerXP::MenuImageColumn(const CRect& rectBar) const {
  CRect rect = rectBar;
  rect.right = rect.left + CUfxToolBar::GetMenuImageSize().cx + 2 * GetMenuImageMargin() + 1;
  return rect;
}

void CUfxVisualManagerXP::OnFillBarBackground(CDC* pDC, CControlBar* pBar, CRect rectClient, CRect rectClip,
                                              BOOL bNCArea) {
  const CRect rectFill = rectClip.IsRectEmpty() ? rectClient : rectClip;
  if (DYNAMIC_DOWNCAST(CUfxPopupMenuBar, pBar) != nullptr) {
    // The menu's background with its darker image column.
    pDC->FillRect(&rectFill, &m_brMenuLight);
    CRect rectColumn;
    if (rectColumn.IntersectRect(MenuImageColumn(rectClient), rectFill)) pDC->FillRect(&rectColumn, &m_brBarBkgnd);
    return;
  }
  if (DYNAMIC_DOWNCAST(CUfxToolBar, pBar) != nullptr && DYNAMIC_DOWNCAST(CUfxMenuBar, pBar) == nullptr) {
    pDC->FillRect(&rectFill, &m_brBarBkgnd);
    return;
  }
  CUfxVisualManager::OnFillBarBackground(pDC, pBar, rectClient, rectClip, bNCArea);
}

void CUfxVisualManagerXP::OnDrawBarBorder(CDC* pDC, CControlBar* pBar, CRect& rect) {
  const COLORREF face = UfxGlobalData.clrBarFace;  // the border disappears into the bar
  DrawBarBorderLines(pDC, pBar, rect, face, face, face, face);
}

void CUfxVisualManagerXP::DrawMenuBorder(CDC* pDC, const UFX_MENU_FACTS& menu, CRect rect) {
  const CRect rectMenu = rect;
  Frame(pDC, rect, m_colors.clrMenuBorder);
  rect.DeflateRect(1, 1);
  Frame(pDC, rect, m_colors.clrMenuLight);
  pDC->FillRect(CRect(rect.left, rect.top, rect.left + 1, rect.bottom), &m_brBarBkgnd);
  if (!m_bConnectMenuToParent) return;
  if (!menu.bHasParentButton) return;
  const CRect& b = menu.rectButton;
  // The piece of the outer border that touches the button opens into it.
  CRect rectJoin;
  switch (menu.nDropDirection) {
    case 1:
    case 2:
      if (rectMenu.Width() < b.Width() - 5) return;
      rectJoin.SetRect(b.left + 1, 0, b.right - 2, 1);
      rectJoin.OffsetRect(0, menu.nDropDirection == 1 ? rect.top - 1 : rect.bottom);
      break;
    case 3:
    case 4:
      if (rectMenu.Height() < b.Height() - 5) return;
      rectJoin.SetRect(0, b.top + 1, 1, b.bottom - 2);
      rectJoin.OffsetRect(menu.nDropDirection == 3 ? rect.left - 1 : rect.right, 0);
      break;
    default: return;
  }
  CRect rectMenuOut = rectMenu, rectButtonOut = b;
  rectMenuOut.InflateRect(1, 1);
  rectButtonOut.InflateRect(1, 1);
  rectJoin.IntersectRect(rectJoin, rectMenuOut);
  rectJoin.IntersectRect(rectJoin, rectButtonOut);
  if (!rectJoin.IsRectEmpty()) pDC->FillRect(&rectJoin, &m_brBarBkgnd);
}

void CUfxVisualManagerXP::DrawMenuBorderJoinedIf(CDC* pDC, const UFX_MENU_FACTS& menu, const CRect& rect, BOOL bJoin) {
  const BOOL bConnect = m_bConnectMenuToParent;
  m_bConnectMenuToParent = bConnect && bJoin;
  CUfxVisualManagerXP::DrawMenuBorder(pDC, menu, rect);
  m_bConnectMenuToParent = bConnect;
}

void CUfxVisualManagerXP::OnDrawBarGripper(CDC* pDC, CRect rectGripper, BOOL bHorz, CControlBar*) {
  if (m_brGripperHorz.GetSafeHandle() == nullptr) CreateGripperBrush();
  CRect band = rectGripper;
  if (bHorz) {
    const int w = (rectGripper.Width() % 2) ? 3 : 4;
    band.left = rectGripper.left + (rectGripper.Width() - w) / 2;
    band.right = band.left + w;
    band.DeflateRect(0, 6);
  } else {
    const int h = (rectGripper.Height() % 2) ? 3 : 4;
    band.top = rectGripper.top + (rectGripper.Height() - h) / 2;
    band.bottom = band.top + h;
    band.DeflateRect(6, 0);
  }
  COLORREF oldText = pDC->SetTextColor(m_colors.clrTabButtonBorder);
  COLORREF oldBk = pDC->SetBkColor(m_colors.clrToolBar);
  pDC->FillRect(&band, bHorz ? &m_brGripperHorz : &m_brGripperVert);
  pDC->SetBkColor(oldBk);
  pDC->SetTextColor(oldText);
}

void CUfxVisualManagerXP::OnDrawSeparator(CDC* pDC, CControlBar* pBar, CRect rect, BOOL bIsHoriz) {
  CPen* pOld = pDC->SelectObject(&m_penSeparator);
  if (bIsHoriz) {
    const int x = (rect.left + rect.right) / 2;
    pDC->MoveTo(x, rect.top);
    pDC->LineTo(x, rect.bottom);
  } else {
    const int y = (rect.top + rect.bottom) / 2;
    // In a menu the line leaves the image column alone; a colour bar has no such column.
    if (DYNAMIC_DOWNCAST(CUfxPopupMenuBar, pBar) != nullptr && DYNAMIC_DOWNCAST(CUfxColorBar, pBar) == nullptr)
      rect.left += CUfxToolBar::GetMenuImageSize().cx + GetMenuImageMargin() + 1;
    pDC->MoveTo(rect.left, y);
    pDC->LineTo(rect.right, y);
  }
  pDC->SelectObject(pOld);
}

void CUfxVisualManagerXP::OnDrawCaptionButton(CDC* pDC, CUfxCaptionButton* pButton, BOOL bHorz, BOOL bMaximized,
                                              BOOL bDisabled) {
  const CRect rect = pButton->GetRect();
  const int glyph = CaptionButtonGlyph(pButton, bHorz, bMaximized, bDisabled);
  if (!bDisabled || pButton->m_nHit == CUfxCaptionButton::HIT_CLOSE) {
    if (pButton->m_bFocused) {
      pDC->FillRect(&rect, pButton->m_bPushed ? &m_brHighlightDn : &m_brHighlight);
      Frame(pDC, rect, m_colors.clrHighlightFrame);
    } else if (pButton->m_bPushed) {
      pDC->FillRect(&rect, &m_brHighlight);
      Frame(pDC, rect, m_colors.clrHighlightFrame);
    }
  }
  DrawCaptionButtonGlyph(pDC, pButton, glyph, 2);
}

void CUfxVisualManagerXP::OnDrawMenuSystemButton(CDC* pDC, CRect rect, UINT uiSystemCommand, UINT nStyle,
                                                 BOOL bHighlight) {
  if (uiSystemCommand != SC_CLOSE && uiSystemCommand != SC_MINIMIZE && uiSystemCommand != SC_RESTORE) return;
  if (bHighlight && !(nStyle & TBBS_DISABLED)) {
    pDC->FillRect(&rect, (nStyle & TBBS_PRESSED) ? &m_brHighlightDn : &m_brHighlight);
    Frame(pDC, rect, m_colors.clrHighlightFrame);
  }
  // The glyph of the menu glyph strip is centred over it.
}

void CUfxVisualManagerXP::OnDrawStatusBarPaneBorder(CDC* pDC, CUfxStatusBar*, CRect rectPane, UINT, UINT nStyle) {
  if (nStyle & 0x100) return;
  if (nStyle & 0x200) CUfxGdiEffects(*pDC).HighlightRect(rectPane);
  Frame(pDC, rectPane, m_colors.clrPaneBorder);
}

void CUfxVisualManagerXP::OnDrawComboDropButton(CDC* pDC, CRect rect, BOOL, BOOL bIsDropped, BOOL bIsHighlighted,
                                                CUfxToolbarComboBoxButton*) {
  if (!bIsDropped && !bIsHighlighted) {
    pDC->FillRect(&rect, &UfxGlobalData.brBarFace);
    Frame(pDC, rect, UfxGlobalData.clrBarHilite);
  } else {
    OnFillHighlightedArea(pDC, rect, bIsDropped ? &m_brHighlightDn : &m_brHighlight, nullptr);
    CBrush frame(m_colors.clrHighlightFrame);
    pDC->FillRect(CRect(rect.left, rect.top, rect.left + 1, rect.bottom), &frame);
  }
}

void CUfxVisualManagerXP::OnDrawComboBorder(CDC* pDC, CRect rect, BOOL, BOOL bIsDropped, BOOL bIsHighlighted,
                                            CUfxToolbarComboBoxButton*) {
  if (!bIsHighlighted && !bIsDropped) return;
  rect.DeflateRect(1, 1);
  Frame(pDC, rect, m_colors.clrHighlightFrame);
}

void CUfxVisualManagerXP::OnDrawEditBorder(CDC* pDC, CRect rect, BOOL, BOOL bIsHighlighted,
                                           CUfxToolbarEditBoxButton*) {
  if (bIsHighlighted) Frame(pDC, rect, m_colors.clrHighlightFrame);
}

void CUfxVisualManagerXP::OnDrawTearOffCaption(CDC* pDC, CRect rect, BOOL bIsActive) {
  pDC->FillRect(&rect, &m_brMenuLight);
  CRect inner = rect;
  inner.DeflateRect(1, 1);
  OnFillHighlightedArea(pDC, inner, bIsActive ? &m_brHighlight : &m_brBarBkgnd, nullptr);
  if (m_brGripperHorz.GetSafeHandle() == nullptr) CreateGripperBrush();
  const int width = 20;  // at least 20, twice the menu image width when that is wider
  CRect band(rect.CenterPoint().x - width / 2, inner.top + (bIsActive ? 2 : 1), 0, inner.bottom - (bIsActive ? 2 : 1));
  band.right = band.left + width;
  COLORREF oldText = pDC->SetTextColor(bIsActive ? UfxGlobalData.clrBarDkShadow : UfxGlobalData.clrBarShadow);
  COLORREF oldBk = pDC->SetBkColor(bIsActive ? m_colors.clrHighlight : m_colors.clrToolBar);
  pDC->FillRect(&band, &m_brGripperHorz);
  pDC->SetBkColor(oldBk);
  pDC->SetTextColor(oldText);
  if (bIsActive) Frame(pDC, rect, UfxGlobalData.clrBarDkShadow);
}

void CUfxVisualManagerXP::OnFillButtonInterior(CDC* pDC, CUfxToolbarButton* pButton, CRect rect,
                                               UFX_BUTTON_STATE state) {
  const UFX_BUTTON_FACTS button = DescribeButton(pButton);
  if (button.bCustomizeMode || (state != ButtonsIsPressed && state != ButtonsIsHighlighted)) return;
  if (state != ButtonsIsHighlighted || !button.bMenuItem) {
    rect.right--;
    rect.bottom--;
  }
  CBrush* pBrush = ((button.nStyle & TBBS_PRESSED) && !button.bMenuItem) ? &m_brHighlightDn : &m_brHighlight;
  if (button.bMenuButton && button.bPopupOpen && !button.bMenuItem) {
    AdjustMenuConnectionRect(button, rect);
    pBrush = &m_brBarBkgnd;
  }
  const BOOL bChecked = (button.nStyle & TBBS_CHECKED) != 0;
  if (bChecked) pBrush = state == ButtonsIsHighlighted ? &m_brHighlightDn : &m_brHighlightChecked;
  if (button.bMenuButton && (button.nStyle & TBBS_DISABLED)) pBrush = &m_brMenuLight;
  if (!bChecked) rect.DeflateRect(1, 1);
  else if (button.bMenuItem) rect.left++;
  OnFillHighlightedArea(pDC, rect, pBrush, pButton);
}

void CUfxVisualManagerXP::OnDrawButtonBorder(CDC* pDC, CUfxToolbarButton* pButton, CRect rect, UFX_BUTTON_STATE state) {
  if (state != ButtonsIsPressed && state != ButtonsIsHighlighted) return;
  const UFX_BUTTON_FACTS button = DescribeButton(pButton);
  COLORREF clrFrame = m_colors.clrHighlightFrame;
  if (button.bMenuButton && button.bPopupOpen) {
    clrFrame = m_colors.clrMenuBorder;
    AdjustMenuConnectionRect(button, rect);
    // The button casts the open menu's shadow.
    if (button.bMenuShadows && !button.bCustomizeMode && UfxGlobalData.m_nBitsPerPixel > 8)
      CUfxGdiEffects(*pDC).DrawShadow(rect, m_nMenuShadowDepth, 100, 75);
  }
  Frame(pDC, rect, clrFrame);
}

void CUfxVisualManagerXP::OnHighlightMenuItem(CDC* pDC, CUfxToolbarMenuButton* pButton, CRect rect, COLORREF& clrText) {
  const UFX_BUTTON_FACTS button = DescribeButton(pButton);
  const BOOL bDisabled = (button.nStyle & TBBS_DISABLED) != 0;
  OnFillHighlightedArea(pDC, rect, bDisabled ? &m_brMenuLight : &m_brHighlight, (CUfxToolbarButton*)pButton);
  Frame(pDC, rect, m_colors.clrHighlightFrame);
  if (bDisabled) clrText = UfxGlobalData.clrGrayedText;
  else clrText = (GetRValue(m_colors.clrHighlight) > 128 && GetGValue(m_colors.clrHighlight) > 128 && GetBValue(m_colors.clrHighlight) > 128)
                     ? RGB(0, 0, 0) : RGB(255, 255, 255);
}

void CUfxVisualManagerXP::OnHighlightRarelyUsedMenuItems(CDC* pDC, CRect rectRarelyUsed) {
  rectRarelyUsed.left--;
  CUfxGdiEffects(*pDC).HighlightRect(rectRarelyUsed, 94);
}

COLORREF CUfxVisualManagerXP::GetToolbarButtonTextColor(CUfxToolbarButton* pButton, UFX_BUTTON_STATE state) {
  const UFX_BUTTON_FACTS button = DescribeButton(pButton);
  if (button.bOutlookButton)
    return (button.nStyle & TBBS_DISABLED) ? UfxGlobalData.clrGrayedText : UfxGlobalData.clrBarText;
  if (state == ButtonsIsHighlighted && (button.nStyle & (TBBS_PRESSED | TBBS_CHECKED))) return UfxGlobalData.clrTextHilite;
  return ToolbarButtonTextColor(button, state);
}

void CUfxVisualManagerXP::OnFillOutlookBarButton(CDC* pDC, CRect rect, BOOL bIsHighlighted, BOOL bIsPressed) {
  if (bIsHighlighted) pDC->FillRect(&rect, bIsPressed ? &m_brHighlightDn : &m_brHighlight);
  else pDC->FillRect(&rect, &UfxGlobalData.brBarFace);
}

void CUfxVisualManagerXP::OnDrawOutlookBarButtonBorder(CDC* pDC, CRect rect, BOOL bIsHighlighted, BOOL bIsPressed) {
  if (bIsHighlighted || bIsPressed) Frame(pDC, rect, UfxGlobalData.clrBarDkShadow);
}

void CUfxVisualManagerXP::OnEraseTabsArea(CDC* pDC, CRect rect, const CUfxTabWnd* pTabWnd) {
  if (pTabWnd == nullptr || pTabWnd->IsFlatTab()) {
    CUfxVisualManager::OnEraseTabsArea(pDC, rect, pTabWnd);
    return;
  }
  pDC->FillRect(&rect, &m_brTabBack);
  if (pTabWnd->GetLocation() == CUfxTabWnd::LOCATION_BOTTOM)
    pDC->FillSolidRect(rect.left, rect.bottom - 1, rect.Width(), 1, UfxGlobalData.clrBarHilite);
}

void CUfxVisualManagerXP::OnDrawTab(CDC* pDC, CRect rectTab, int iTab, BOOL bIsActive, const CUfxTabWnd* pTabWnd) {
  if (pTabWnd == nullptr || pTabWnd->IsFlatTab() || pTabWnd->IsSlopedStyle()) {
    CUfxVisualManager::OnDrawTab(pDC, rectTab, iTab, bIsActive, pTabWnd);
    return;
  }
  COLORREF clrDark, clrBlack, clrHighlight, clrFace, clrDarkShadow, clrLight;
  CBrush* pbrFace = nullptr;
  CBrush* pbrBlack = nullptr;
  GetTabFrameColors(pTabWnd, clrDark, clrBlack, clrHighlight, clrFace, clrDarkShadow, clrLight, pbrFace, pbrBlack);
  const BOOL bBottom = pTabWnd->GetLocation() == CUfxTabWnd::LOCATION_BOTTOM;
  const CRect& r = rectTab;
  if (bIsActive) {
    pDC->FillRect(&r, pbrFace);
    CPen penLit(PS_SOLID, 1, clrHighlight), penDark(PS_SOLID, 1, clrDarkShadow);
    CPen* pOldPen = pDC->SelectObject(&penLit);
    if (bBottom) {
      pDC->MoveTo(r.left, r.top);
      pDC->LineTo(r.left, r.bottom - 1);
      pDC->SelectObject(&penDark);
      pDC->LineTo(r.right - 1, r.bottom - 1);
      pDC->LineTo(r.right - 1, r.top - 1);
    } else {
      pDC->MoveTo(r.left, r.bottom);
      pDC->LineTo(r.left, r.top);
      pDC->LineTo(r.right - 1, r.top);
      pDC->SelectObject(&penDark);
      pDC->LineTo(r.right - 1, r.bottom);
    }
    pDC->SelectObject(pOldPen);
  } else if (iTab + 1 != pTabWnd->GetActiveTab()) {
    // Inactive tabs are parted by a line, but not from the active tab after them.
    pDC->FillSolidRect(r.right - 1, r.top + 3, 1, r.Height() - 6, clrDark);
  }
  DrawTabContentIn(pDC, rectTab, iTab, bIsActive, pTabWnd,
                   bIsActive ? UfxGlobalData.clrBarText : m_colors.clrInactiveTabText);
}

void CUfxVisualManagerXP::OnEraseTabsButton(CDC* pDC, CRect rect, CUfxButton* pButton, CUfxTabWnd* pWndTab) {
  if (pWndTab == nullptr || !pWndTab->IsFlatTab()) {
    pDC->FillRect(&rect, &m_brTabBack);
    return;
  }
  if (pButton != nullptr && pButton->IsHighlighted())
    OnFillHighlightedArea(pDC, rect, pButton->IsPushed() ? &m_brHighlightDn : &m_brHighlight, nullptr);
  else
    pDC->FillRect(&rect, &UfxGlobalData.brBarFace);
}

void CUfxVisualManagerXP::OnDrawTabsButtonBorder(CDC* pDC, CRect& rect, CUfxButton* pButton, UINT, CUfxTabWnd* pWndTab) {
  const BOOL bHot = pButton != nullptr && pButton->IsHighlighted();
  const BOOL bPushed = pButton != nullptr && pButton->IsPushed();
  if (pWndTab != nullptr && pWndTab->IsFlatTab()) {
    if (bHot || bPushed) Frame(pDC, rect, UfxGlobalData.clrBarDkShadow);
    return;
  }
  if (bHot && bPushed) pDC->Draw3dRect(&rect, UfxGlobalData.clrBarDkShadow, m_colors.clrTabButtonBorder);
  else if (bHot || bPushed) pDC->Draw3dRect(&rect, m_colors.clrTabButtonBorder, UfxGlobalData.clrBarDkShadow);
}

COLORREF CUfxVisualManagerXP::OnFillCommandsListBackground(CDC* pDC, CRect rect, BOOL bIsSelected) {
  if (bIsSelected) {
    OnFillHighlightedArea(pDC, rect, &m_brHighlight, nullptr);
    Frame(pDC, rect, m_colors.clrHighlightFrame);
    const BOOL dark = GetRValue(m_colors.clrHighlight) < 129 || GetGValue(m_colors.clrHighlight) < 129 || GetBValue(m_colors.clrHighlight) < 129;
    return dark ? RGB(255, 255, 255) : RGB(0, 0, 0);
  }
  pDC->FillRect(&rect, &m_brMenuLight);
  return UfxGlobalData.clrBarText;
}

void CUfxVisualManagerXP::OnDrawTasksGroupCaption(CDC*, CUfxTasksGroup*, BOOL, BOOL, BOOL) {}
void CUfxVisualManagerXP::OnFillTasksGroupInterior(CDC*, CRect, BOOL) {}
void CUfxVisualManagerXP::OnDrawTasksGroupAreaBorder(CDC*, CRect, BOOL, BOOL) {}
void CUfxVisualManagerXP::OnDrawTask(CDC*, CUfxTask*, CImageList*, BOOL, BOOL) {}
void CUfxVisualManagerXP::OnDrawScrollButton(CDC* pDC, CRect rect, BOOL, BOOL bIsHighlighted, BOOL, BOOL) {
  pDC->FillRect(&rect, bIsHighlighted ? &m_brHighlight : &UfxGlobalData.brBarFace);
  Frame(pDC, rect, bIsHighlighted ? m_colors.clrHighlightFrame : UfxGlobalData.clrBarShadow);
}

int CUfxVisualManagerXP::GetMenuImageMargin() const { return 3; }
BOOL CUfxVisualManagerXP::IsLook2000Allowed() const { return FALSE; }
