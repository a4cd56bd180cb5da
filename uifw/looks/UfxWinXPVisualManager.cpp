#include "bars/UfxToolbarButton.h"
#include "looks/UfxWinXPVisualManager.h"
#include "looks/UfxButton.h"
#include "frames/UfxCaptionButton.h"
#include "looks/UfxGdiEffects.h"
#include "frames/UfxGlobalData.h"

IMPLEMENT_DYNCREATE(CUfxWinXPVisualManager, CUfxVisualManagerXP)


CUfxWinXPVisualManager::CUfxWinXPVisualManager(BOOL bIsTemporary) : CUfxVisualManagerXP(bIsTemporary) {
  SetTasksPaneMetrics({12, 12, 15, 25, 13, 7, 12, 5, 4}, TRUE);
  m_bShadowHighlightedImage = FALSE;
  CUfxWinXPVisualManager::OnUpdateSystemColors();
}

CUfxWinXPVisualManager::~CUfxWinXPVisualManager() = default;

BOOL CUfxWinXPVisualManager::IsWinXPThemeAvailable() {
  if (auto* pCurrent = dynamic_cast<CUfxWinXPVisualManager*>(GetCurrentInstance()))
    return pCurrent->m_hThemeWindow != nullptr;
  // A temporary manager neither registers itself nor touches the global colours.
  CUfxWinXPVisualManager temporary(TRUE);
  return temporary.m_hThemeWindow != nullptr;
}

void CUfxWinXPVisualManager::OnUpdateSystemColors() {
  RefreshThemes();  // never draw with the handles of a theme that has changed
  CUfxVisualManagerXP::OnUpdateSystemColors();
  m_bShadowHighlightedImage = m_hThemeWindow == nullptr;
}

void CUfxWinXPVisualManager::OnFillBarBackground(CDC* pDC, CControlBar* pBar, CRect rectClient, CRect rectClip,
                                                 BOOL bNCArea) {
  CUfxVisualManagerXP::OnFillBarBackground(pDC, pBar, rectClient, rectClip, bNCArea);
}

void CUfxWinXPVisualManager::DrawMenuBorder(CDC* pDC, const UFX_MENU_FACTS& menu, CRect rect) {
  if (m_hThemeWindow == nullptr) {
    CUfxVisualManagerXP::DrawMenuBorder(pDC, menu, rect);
  } else if (!m_bOfficeStyleMenus) {
    CUfxVisualManager::DrawMenuBorder(pDC, menu, rect);
  } else {
    // Flat menus under a theme join only the menu bar's buttons, and not while customizing.
    DrawMenuBorderJoinedIf(pDC, menu, rect, menu.bOnMenuBar && !menu.bCustomizeMode);
  }
}

void CUfxWinXPVisualManager::OnDrawBarGripper(CDC* pDC, CRect rectGripper, BOOL bHorz, CControlBar* pBar) {
  if (!DrawThemePart(m_hThemeRebar, pDC, bHorz ? RP_GRIPPER : RP_GRIPPERVERT, 0, rectGripper))
    CUfxVisualManagerXP::OnDrawBarGripper(pDC, rectGripper, bHorz, pBar);
}

void CUfxWinXPVisualManager::OnDrawSeparator(CDC* pDC, CControlBar* pBar, CRect rect, BOOL bIsHoriz) {
  if (!DrawThemePart(m_hThemeToolBar, pDC, bIsHoriz ? TP_SEPARATOR : TP_SEPARATORVERT, 0, rect))
    CUfxVisualManagerXP::OnDrawSeparator(pDC, pBar, rect, bIsHoriz);
}

void CUfxWinXPVisualManager::OnDrawCaptionButton(CDC* pDC, CUfxCaptionButton* pButton, BOOL bHorz, BOOL bMaximized,
                                                 BOOL bDisabled) {
  int nState = PBS_HOT;
  if (bDisabled) nState = PBS_DISABLED;
  else if (!pButton->m_bPushed) nState = PBS_NORMAL;
  else if (pButton->m_bFocused) nState = PBS_PRESSED;
  if (!DrawThemePart(m_hThemeButton, pDC, BP_PUSHBUTTON, nState, pButton->GetRect()))
    CUfxVisualManagerXP::OnDrawCaptionButton(pDC, pButton, bHorz, bMaximized, bDisabled);
  else  // the flat look's glyph, without its fill
    DrawCaptionButtonGlyph(pDC, pButton, CaptionButtonGlyph(pButton, bHorz, bMaximized, bDisabled), 2);
}

void CUfxWinXPVisualManager::OnDrawMenuSystemButton(CDC* pDC, CRect rect, UINT uiSystemCommand, UINT nStyle,
                                                    BOOL bHighlight) {
  if (m_hThemeWindow == nullptr) {
    CUfxVisualManagerXP::OnDrawMenuSystemButton(pDC, rect, uiSystemCommand, nStyle, bHighlight);
    return;
  }
  int nPart;
  switch (uiSystemCommand) {
    case SC_MINIMIZE: nPart = WP_MDIMINBUTTON; break;
    case SC_CLOSE: nPart = WP_MDICLOSEBUTTON; break;
    case SC_RESTORE: nPart = WP_MDIRESTOREBUTTON; break;
    default: return;
  }
  int nState = 1;
  if (nStyle & TBBS_DISABLED) nState = 4;
  else if (bHighlight && (nStyle & TBBS_PRESSED)) nState = 3;
  else if (bHighlight) nState = 2;
  DrawThemePart(m_hThemeWindow, pDC, nPart, nState, rect);
}

void CUfxWinXPVisualManager::OnDrawStatusBarPaneBorder(CDC* pDC, CUfxStatusBar* pBar, CRect rectPane, UINT uiID,
                                                       UINT nStyle) {
  if (!DrawThemePart(m_hThemeStatusBar, pDC, SP_PANE, 0, rectPane))
    CUfxVisualManagerXP::OnDrawStatusBarPaneBorder(pDC, pBar, rectPane, uiID, nStyle);
}

void CUfxWinXPVisualManager::OnDrawStatusBarProgress(CDC* pDC, CUfxStatusBar* pStatusBar, CRect rectProgress,
                                                     int nProgressTotal, int nProgressCurr, COLORREF clrBar,
                                                     COLORREF clrProgressBarDest, COLORREF clrProgressText,
                                                     BOOL bProgressText) {
  if (!DrawStatusBarProgress(pDC, pStatusBar, rectProgress, nProgressTotal, nProgressCurr, clrBar, clrProgressBarDest,
                             clrProgressText, bProgressText))
    CUfxVisualManager::OnDrawStatusBarProgress(pDC, pStatusBar, rectProgress, nProgressTotal, nProgressCurr, clrBar,
                                               clrProgressBarDest, clrProgressText, bProgressText);
}

void CUfxWinXPVisualManager::OnDrawStatusBarSizeBox(CDC* pDC, CUfxStatusBar* pStatBar, CRect rectSizeBox) {
  if (!DrawThemePart(m_hThemeScrollBar, pDC, SBP_SIZEBOX, SZB_RIGHTALIGN, rectSizeBox))
    CUfxVisualManager::OnDrawStatusBarSizeBox(pDC, pStatBar, rectSizeBox);
}

void CUfxWinXPVisualManager::OnDrawComboDropButton(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped,
                                                   BOOL bIsHighlighted, CUfxToolbarComboBoxButton* pButton) {
  int nState = CBXS_NORMAL;
  if (bDisabled) nState = CBXS_DISABLED;
  else if (bIsDropped) nState = CBXS_PRESSED;
  else if (bIsHighlighted) nState = CBXS_HOT;
  if (!DrawThemePart(m_hThemeComboBox, pDC, CP_DROPDOWNBUTTON, nState, rect))
    CUfxVisualManagerXP::OnDrawComboDropButton(pDC, rect, bDisabled, bIsDropped, bIsHighlighted, pButton);
}

void CUfxWinXPVisualManager::OnDrawComboBorder(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped,
                                               BOOL bIsHighlighted, CUfxToolbarComboBoxButton* pButton) {
  if (m_hThemeWindow == nullptr) {
    CUfxVisualManagerXP::OnDrawComboBorder(pDC, rect, bDisabled, bIsDropped, bIsHighlighted, pButton);
    return;
  }
  if (!bIsHighlighted && !bIsDropped) return;
  rect.DeflateRect(1, 1);
  const COLORREF clr = ::GetSysColor(COLOR_HIGHLIGHT);
  pDC->Draw3dRect(&rect, clr, clr);
}

void CUfxWinXPVisualManager::OnDrawEditBorder(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsHighlighted,
                                              CUfxToolbarEditBoxButton* pButton) {
  if (m_hThemeWindow == nullptr) {
    CUfxVisualManagerXP::OnDrawEditBorder(pDC, rect, bDisabled, bIsHighlighted, pButton);
    return;
  }
  if (!bIsHighlighted) return;
  const COLORREF clr = ::GetSysColor(COLOR_HIGHLIGHT);
  pDC->Draw3dRect(&rect, clr, clr);
}

void CUfxWinXPVisualManager::OnDrawTearOffCaption(CDC* pDC, CRect rect, BOOL bIsActive) {
  CUfxVisualManagerXP::OnDrawTearOffCaption(pDC, rect, bIsActive);
}

void CUfxWinXPVisualManager::OnFillButtonInterior(CDC* pDC, CUfxToolbarButton* pButton, CRect rect,
                                                  UFX_BUTTON_STATE state) {
  const UFX_BUTTON_FACTS button = DescribeButton(pButton);
  const BOOL bMenuItem = button.bMenuButton && (button.bMenuItem || button.bOnMenuBar);
  if (m_hThemeToolBar == nullptr || (m_bOfficeStyleMenus && bMenuItem)) {
    CUfxVisualManagerXP::OnFillButtonInterior(pDC, pButton, rect, state);
    return;
  }
  const BOOL bChecked = (button.nStyle & TBBS_CHECKED) != 0;
  int nState = TS_NORMAL;
  if (button.nStyle & TBBS_DISABLED) nState = TS_DISABLED;
  else if (bChecked && state == ButtonsIsHighlighted) nState = TS_HOTCHECKED;
  else if (bChecked) nState = TS_CHECKED;
  else if (state == ButtonsIsPressed) nState = TS_PRESSED;
  else if (state == ButtonsIsHighlighted) nState = TS_HOT;
  DrawThemePart(m_hThemeToolBar, pDC, TP_BUTTON, nState, rect);
}

void CUfxWinXPVisualManager::OnDrawButtonBorder(CDC* pDC, CUfxToolbarButton* pButton, CRect rect,
                                                UFX_BUTTON_STATE state) {
  const UFX_BUTTON_FACTS button = DescribeButton(pButton);
  const BOOL bMenuItem = button.bMenuButton && (button.bMenuItem || button.bOnMenuBar);
  if (m_hThemeToolBar == nullptr || (m_bOfficeStyleMenus && bMenuItem))
    CUfxVisualManagerXP::OnDrawButtonBorder(pDC, pButton, rect, state);
}

void CUfxWinXPVisualManager::OnDrawMenuButtonBorder(CDC* pDC, CUfxToolbarMenuButton* pButton, CRect rect,
                                                    UFX_BUTTON_STATE state, BOOL bHorz) {
  if (m_hThemeToolBar == nullptr) {
    CUfxVisualManager::OnDrawMenuButtonBorder(pDC, pButton, rect, state, bHorz);
    return;
  }
  rect.InflateRect(2, 2);
  DrawThemePart(m_hThemeToolBar, pDC, bHorz ? TP_SEPARATOR : TP_SEPARATORVERT, 0, rect);
}

void CUfxWinXPVisualManager::OnHighlightMenuItem(CDC* pDC, CUfxToolbarMenuButton* pButton, CRect rect,
                                                 COLORREF& clrText) {
  if (m_hThemeWindow != nullptr && !m_bOfficeStyleMenus) CUfxVisualManager::OnHighlightMenuItem(pDC, pButton, rect, clrText);
  else CUfxVisualManagerXP::OnHighlightMenuItem(pDC, pButton, rect, clrText);
}

void CUfxWinXPVisualManager::OnHighlightRarelyUsedMenuItems(CDC* pDC, CRect rectRarelyUsed) {
  CUfxVisualManagerXP::OnHighlightRarelyUsedMenuItems(pDC, rectRarelyUsed);
}

BOOL CUfxWinXPVisualManager::OnFillOutlookPageButton(CDC* pDC, const CRect& rect, BOOL bIsHighlighted, BOOL bIsPressed,
                                                     COLORREF& clrText) {
  if (m_hThemeButton == nullptr)
    return CUfxVisualManager::OnFillOutlookPageButton(pDC, rect, bIsHighlighted, bIsPressed, clrText);
  int nState = PBS_NORMAL;
  if (bIsHighlighted) nState = bIsPressed ? PBS_PRESSED : PBS_HOT;
  CRect r = rect;
  r.InflateRect(1, 1);
  DrawThemePart(m_hThemeButton, pDC, BP_PUSHBUTTON, nState, r);
  return TRUE;
}

BOOL CUfxWinXPVisualManager::OnDrawOutlookPageButtonBorder(CDC* pDC, CRect& rectBtn, BOOL bIsHighlighted,
                                                           BOOL bIsPressed) {
  if (m_hThemeButton == nullptr)
    return CUfxVisualManager::OnDrawOutlookPageButtonBorder(pDC, rectBtn, bIsHighlighted, bIsPressed);
  return TRUE;
}

void CUfxWinXPVisualManager::OnFillOutlookBarButton(CDC* pDC, CRect rect, BOOL bIsHighlighted, BOOL bIsPressed) {
  if (m_hThemeButton == nullptr) CUfxVisualManagerXP::OnFillOutlookBarButton(pDC, rect, bIsHighlighted, bIsPressed);
}

void CUfxWinXPVisualManager::OnDrawOutlookBarButtonBorder(CDC* pDC, CRect rect, BOOL bIsHighlighted, BOOL bIsPressed) {
  if (m_hThemeButton == nullptr) {
    CUfxVisualManagerXP::OnDrawOutlookBarButtonBorder(pDC, rect, bIsHighlighted, bIsPressed);
    return;
  }
  CRect r = rect;
  r.InflateRect(1, 1);
  pDC->FillRect(&r, &UfxGlobalData.brBarFace);
  if (bIsPressed) DrawThemePart(m_hThemeButton, pDC, BP_PUSHBUTTON, PBS_PRESSED, rect);
  else if (bIsHighlighted) DrawThemePart(m_hThemeButton, pDC, BP_PUSHBUTTON, PBS_NORMAL, rect);
}

void CUfxWinXPVisualManager::OnEraseTabsButton(CDC* pDC, CRect rect, CUfxButton* pButton, CUfxTabWnd* pWndTab) {
  CUfxVisualManagerXP::OnEraseTabsButton(pDC, rect, pButton, pWndTab);
}

void CUfxWinXPVisualManager::OnDrawTabsButtonBorder(CDC* pDC, CRect& rect, CUfxButton* pButton, UINT uiState,
                                                    CUfxTabWnd* pWndTab) {
  if (m_hThemeButton == nullptr || pButton == nullptr) {
    CUfxVisualManagerXP::OnDrawTabsButtonBorder(pDC, rect, pButton, uiState, pWndTab);
    return;
  }
  int nState = PBS_NORMAL;
  if (!pButton->IsWindowEnabled()) nState = PBS_DISABLED;
  else if (pButton->IsPressed() || pButton->IsChecked()) nState = PBS_PRESSED;
  else if (pButton->IsHighlighted()) nState = PBS_HOT;
  UfxGlobalData.DrawParentBackground(pButton, pDC, &rect);
  DrawThemePart(m_hThemeButton, pDC, BP_PUSHBUTTON, nState, rect);
}

COLORREF CUfxWinXPVisualManager::OnFillCommandsListBackground(CDC* pDC, CRect rect, BOOL bIsSelected) {
  if (m_hThemeWindow == nullptr || m_bOfficeStyleMenus)
    return CUfxVisualManagerXP::OnFillCommandsListBackground(pDC, rect, bIsSelected);
  pDC->FillRect(&rect, CBrush::FromHandle(::GetSysColorBrush(COLOR_MENU)));
  if (bIsSelected) {
    const COLORREF clr = ::GetSysColor(COLOR_MENUTEXT);
    pDC->Draw3dRect(&rect, clr, clr);
  }
  return ::GetSysColor(COLOR_MENUTEXT);
}

CSize CUfxWinXPVisualManager::GetButtonExtraBorder() const {
  return m_hThemeWindow != nullptr ? CSize(2, 2) : CSize(0, 0);
}

void CUfxWinXPVisualManager::OnDrawHeaderCtrlBorder(CUfxHeaderCtrl* pCtrl, CDC* pDC, CRect& rect, BOOL bIsPressed,
                                                    BOOL bIsHighlighted) {
  const int nState = bIsPressed ? HIS_PRESSED : (bIsHighlighted ? HIS_HOT : HIS_NORMAL);
  if (!DrawThemePart(m_hThemeHeader, pDC, HP_HEADERITEM, nState, rect))
    CUfxVisualManager::OnDrawHeaderCtrlBorder(pCtrl, pDC, rect, bIsPressed, bIsHighlighted);
}

void CUfxWinXPVisualManager::OnDrawHeaderCtrlSortArrow(CUfxHeaderCtrl* pCtrl, CDC* pDC, CRect& rect, BOOL bIsUp) {
  if (m_hThemeHeader == nullptr) {
    CUfxVisualManager::OnDrawHeaderCtrlSortArrow(pCtrl, pDC, rect, bIsUp);
    return;
  }
  CBrush brush(UfxGlobalData.clrBarShadow);
  CBrush* pOldBrush = pDC->SelectObject(&brush);
  CGdiObject* pOldPen = pDC->SelectStockObject(NULL_PEN);
  const int mid = rect.CenterPoint().x;
  POINT up[3] = {{mid, rect.top}, {rect.right, rect.bottom}, {rect.left, rect.bottom}};
  POINT down[3] = {{rect.left, rect.top}, {rect.right, rect.top}, {mid, rect.bottom}};
  pDC->Polygon(bIsUp ? up : down, 3);
  pDC->SelectObject(pOldPen);
  pDC->SelectObject(pOldBrush);
}

void CUfxWinXPVisualManager::OnFillTasksPaneBackground(CDC* pDC, CRect rectWorkArea) {
  if (!DrawThemePart(m_hThemeExplorerBar, pDC, EBP_HEADERBACKGROUND, 0, rectWorkArea))
    CUfxVisualManagerXP::OnFillTasksPaneBackground(pDC, rectWorkArea);
}

void CUfxWinXPVisualManager::OnDrawExpandingBox(CDC* pDC, CRect rect, BOOL bIsOpened, COLORREF colorBox) {
  if (!DrawThemePart(m_hThemeTree, pDC, TVP_GLYPH, bIsOpened ? GLPS_OPENED : GLPS_CLOSED, rect))
    CUfxVisualManagerXP::OnDrawExpandingBox(pDC, rect, bIsOpened, colorBox);
}

void CUfxWinXPVisualManager::OnDrawControlBorder(CWnd* pWndCtrl) {
  if (m_hThemeWindow == nullptr) {
    CUfxVisualManagerXP::OnDrawControlBorder(pWndCtrl);
    return;
  }
  DrawWindowFrame(pWndCtrl, m_colors.clrHighlightFrame, m_colors.clrHighlightFrame);
}
