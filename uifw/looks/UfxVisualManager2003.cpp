#include "looks/UfxVisualManager2003.h"
#include "looks/UfxColorMath.h"
#include "looks/UfxGdiEffects.h"
#include "frames/UfxGlobalData.h"
#include "frames/UfxCaptionBar.h"
#include "bars/UfxMenuBar.h"
#include "bars/UfxPopupMenuBar.h"
#include "frames/UfxSizingControlBar.h"
#include "frames/UfxStatusBar.h"
#include "frames/UfxTabWnd.h"
#include "bars/UfxToolBar.h"
#include "looks/UfxButton.h"
#include <algorithm>
#include <utility>

IMPLEMENT_DYNCREATE(CUfxVisualManager2003, CUfxVisualManagerXP)

BOOL CUfxVisualManager2003::s_bUseGlobalTheme = TRUE;
BOOL CUfxVisualManager2003::s_bStatusBarOfficeXPLook = TRUE;

namespace {

// Theme schema property ids.
const int kAccentColorHint = 3823, kBorderColorHint = 3822, kFillColorHint = 3821;
// The index written for the menu bar colour (COLOR_MENUBAR is 30).
const int kMenuBarColorIndex = 29;

void SolidRect(CDC* pDC, const CRect& rect, COLORREF clr) {
  CBrush brush(clr);
  pDC->FillRect(&rect, &brush);
}

void Frame(CDC* pDC, const CRect& rect, COLORREF clr) { pDC->Draw3dRect(&rect, clr, clr); }

}  // namespace

CUfxVisualManager2003::CUfxVisualManager2003(BOOL bIsTemporary) : CUfxVisualManagerXP(bIsTemporary) {
  m_nMenuShadowDepth = 3;
  m_bShadowHighlightedImage = FALSE;
  m_bFadeInactiveImage = FALSE;
  SetTasksPaneMetrics({8, 8, 8, 18, 3, 3, 8, 5, 4}, TRUE);
  CUfxVisualManager2003::OnUpdateSystemColors();
}

CUfxVisualManager2003::~CUfxVisualManager2003() = default;

UFX_2003_COLORS CUfxVisualManager2003::ComputeColors(const UFX_2003_COLOR_INPUTS& in) {
  UFX_2003_COLORS c = {};
  const BOOL bDeep = in.xp.nBitsPerPixel > 8;
  const BOOL bThemed = in.bThemed;
  const BOOL bHomestead = bThemed && in.bHomestead, bMetallic = bThemed && in.bMetallic;

  // The scheme's gradient colours from a base colour (the theme's highlight, or the bar face).
  auto gradients = [&](COLORREF a) {
    if (bHomestead) {
      c.clrToolBarGradientLight = ScaleColor(a, 120);
      c.clrMenuBarGradientLight = MixColors(a, in.tscBtnFace, 0.87, 1, 3);
      c.clrToolBarGradientDark = MixColors(a, in.tscWindow, 1, 2, 1);
      c.clrMenuBarGradientDark = MixColors(a, in.tscWindow, 1.03, 1, 1);
    } else if (bMetallic) {
      c.clrToolBarGradientLight = MixColors(a, in.tscBtnFace, 0.75, 2, 1);
      c.clrMenuBarGradientLight = ScaleColor(a, 120);
      c.clrToolBarGradientDark = MixColors(a, in.tscWindow, 1.03, 1, 1);
      c.clrMenuBarGradientDark = c.clrToolBarGradientDark;
    } else {
      c.clrToolBarGradientLight = MixColors(a, in.tscBtnFace, 0.93, 2, 1);
      c.clrMenuBarGradientLight = MixColors(a, in.tsc3DLight, 0.99, 2, 1);
      c.clrToolBarGradientDark = MixColors(a, in.tscWindow, 1.03, 1, 1);
      c.clrMenuBarGradientDark = c.clrToolBarGradientDark;
    }
  };

  // The bar colours of the scheme. A derived scheme reads the toolbar gradient, which is worked
  // out first so that one computation gives the final colours.
  if (bDeep && bThemed) {
    gradients(in.tscHighlight);
    if (bHomestead) c.clrBarFace = MixColors(c.clrToolBarGradientLight, c.clrToolBarGradientDark, 1, 2, 1);
    else if (bMetallic) c.clrBarFace = ScaleColor(MixColors(c.clrToolBarGradientLight, c.clrToolBarGradientDark, 1, 1, 1), 95);
    else c.clrBarFace = MixColors(in.tscMenuBar, in.tscWindow, 1, 1, 1);
    c.clrBarShadow = ScaleColor(c.clrBarFace, 70);
    c.clrBarHilite = ScaleColor(c.clrBarFace, 130);
    c.clrBarDkShadow = ScaleColor(c.clrBarFace, 50);
    c.clrBarLight = ScaleColor(c.clrBarFace, 110);
  } else {
    c.clrBarFace = in.buttonFace;
    c.clrBarShadow = in.buttonShadow;
    c.clrBarHilite = in.buttonHilite;
    c.clrBarDkShadow = in.buttonDkShadow;
    c.clrBarLight = in.buttonLight;
  }

  UFX_XP_COLOR_INPUTS xp = in.xp;
  xp.clrBarFace = c.clrBarFace;
  xp.clrBarShadow = c.clrBarShadow;
  c.xp = CUfxVisualManagerXP::ComputeColors(xp);
  if (!bDeep) return c;

  const COLORREF a = bThemed ? in.tscHighlight : c.clrBarFace;
  gradients(a);
  c.clrToolBarGradientVertLight = c.clrToolBarGradientDark;
  c.clrToolBarGradientVertDark = ScaleColor(c.clrToolBarGradientLight, 98);

  if (bThemed) {
    c.clrHighlightMenuItem = MixColors(in.themeB1, in.themeB2, 1.3, 1, 1);
    c.clrHighlightGradientLight = MixColors(in.themeB1, in.themeW, 1.55, 2, 1);
    c.clrHighlightGradientDark = MixColors(in.themeB1, in.themeB2, 1.03, 2, 1);
    c.clrHighlightDnGradientLight = MixColors(in.themeB1, in.themeW, 1.03, 1, 2);
    c.clrCustomizeButtonGradientLight = MixColors(in.themeB3, a, 0.63, 1, 3);
    c.clrBarDkShadow = c.clrCustomizeButtonGradientLight;
    c.clrCustomizeButtonGradientDark = MixColors(in.themeB4, a, 1.2, 1, 3);
    c.clrBarShadow = MixColors(in.themeB4, a, 1.4, 1, 3);
    c.clrToolBarBottomLine = ScaleColor(c.clrToolBarGradientLight, 50);
    c.colorToolBarCornerTop = ScaleColor(c.clrToolBarGradientDark, 92);
    c.colorToolBarCornerBottom = ScaleColor(c.clrToolBarGradientLight, 97);
    c.clrGripper = ScaleColor(c.clrToolBarGradientVertDark, 40);
    c.clrSeparator = ScaleColor(c.clrToolBarGradientVertDark, 81);
    c.xp.clrHighlightFrame = c.clrGripper;
  } else {
    c.clrHighlightMenuItem = (COLORREF)-1;
    c.clrHighlightGradientLight = c.xp.clrHighlight;
    c.clrHighlightGradientDark = c.xp.clrHighlightDn;
    c.clrHighlightDnGradientLight = ScaleColor(c.xp.clrHighlight, 120);
    c.clrCustomizeButtonGradientLight = c.clrBarShadow;
    c.clrCustomizeButtonGradientDark = ScaleColor(c.clrBarShadow, 125);
    c.clrToolBarBottomLine = c.clrToolBarGradientLight;
    c.colorToolBarCornerTop = c.clrBarLight;
    c.colorToolBarCornerBottom = c.clrToolBarGradientLight;
    c.clrGripper = c.clrBarShadow;
    c.clrSeparator = c.clrBarShadow;
  }
  c.clrHighlightDnGradientDark = c.clrHighlightGradientDark;
  c.clrHighlightCheckedGradientLight = c.clrHighlightGradientDark;
  c.clrHighlightCheckedGradientDark = ScaleColor(c.clrHighlightDnGradientLight, 120);
  c.clrCaptionBarGradientLight = c.clrBarShadow;
  c.clrCaptionBarGradientDark = c.clrBarDkShadow;
  // The flat look's tab area and separator take the scheme's colours.
  c.xp.clrTabBack = c.clrToolBarGradientDark;
  c.xp.clrSeparator = c.clrSeparator;
  return c;
}

UFX_2003_COLOR_INPUTS CUfxVisualManager2003::ReadColorInputs() const {
  UFX_2003_COLOR_INPUTS in;
  in.xp = UFX_XP_COLOR_INPUTS::FromGlobalData();
  in.bThemed = m_bIsStandardWinXPTheme;
  in.bHomestead = in.bThemed && m_strWinXPThemeColor.CompareNoCase(L"homestead") == 0;
  in.bMetallic = in.bThemed && m_strWinXPThemeColor.CompareNoCase(L"metallic") == 0;
  in.tscHighlight = GetThemeSysColorOr(COLOR_HIGHLIGHT);
  in.tscBtnFace = GetThemeSysColorOr(COLOR_BTNFACE);
  in.tsc3DLight = GetThemeSysColorOr(COLOR_3DLIGHT);
  in.tscWindow = GetThemeSysColorOr(COLOR_WINDOW);
  in.tscMenuBar = GetThemeSysColorOr(kMenuBarColorIndex);
  auto button = [&](int index) {
    return (m_hThemeButton != nullptr && m_pfGetThemeSysColor != nullptr) ? m_pfGetThemeSysColor(m_hThemeButton, index)
                                                                          : ::GetSysColor(index);
  };
  in.buttonFace = button(COLOR_BTNFACE);
  in.buttonShadow = button(COLOR_BTNSHADOW);
  in.buttonHilite = button(COLOR_BTNHIGHLIGHT);
  in.buttonDkShadow = button(COLOR_3DDKSHADOW);
  in.buttonLight = button(COLOR_3DLIGHT);
  if (in.bThemed) {
    in.themeB1 = GetThemeColorOr(m_hThemeButton, 1, 0, kAccentColorHint, in.tscHighlight);
    in.themeB2 = GetThemeColorOr(m_hThemeButton, 2, 0, kAccentColorHint, in.tscHighlight);
    in.themeW = GetThemeColorOr(m_hThemeWindow, 18, 0, kFillColorHint, in.tscWindow);
    in.themeB3 = GetThemeColorOr(m_hThemeButton, 2, 0, kBorderColorHint, in.tscHighlight);
    in.themeB4 = GetThemeColorOr(m_hThemeButton, 1, 5, kAccentColorHint, in.tscHighlight);
  }
  return in;
}

void CUfxVisualManager2003::OnUpdateSystemColors() {
  RefreshThemes();  // reopened only when the theme changed
  m_bIsStandardWinXPTheme = FALSE;
  m_strWinXPThemeColor.Empty();
  CWnd* pMain = AfxGetMainWnd();
  const BOOL bCounts = s_bUseGlobalTheme ||
                       (m_pfGetWindowTheme != nullptr && m_pfGetWindowTheme(pMain->GetSafeHwnd()) != nullptr);
  if (bCounts && m_pfGetCurrentThemeName != nullptr) {
    WCHAR file[256] = L"", color[256] = L"";
    if (SUCCEEDED(m_pfGetCurrentThemeName(file, 255, color, 255, nullptr, 0))) {
      m_strWinXPThemeColor = color;
      // The theme file's base name, without folder and extension.
      CString name = file;
      int slash = std::max(name.ReverseFind(L'\\'), name.ReverseFind(L'/'));
      if (slash >= 0) name = name.Mid(slash + 1);
      int dot = name.ReverseFind(L'.');
      if (dot >= 0) name = name.Left(dot);
      m_bIsStandardWinXPTheme = name.CompareNoCase(L"Luna") == 0;
    }
  }
  m_scheme = ComputeColors(ReadColorInputs());
  UpdateSchemeColors();
  ApplyColors(m_scheme.xp);
  m_penBarHilite.DeleteObject();
  m_penBarHilite.CreatePen(PS_SOLID, 1, UfxGlobalData.clrBarHilite);
  m_brBarFace.DeleteObject();
  m_brBarFace.CreateSolidBrush(UfxGlobalData.clrBarFace);
  m_brTabBack2.DeleteObject();
  m_brTabBack2.CreateSolidBrush(m_scheme.clrToolBarGradientDark);
  for (int i = 0; i < 11; ++i) m_clrTasksPane[i] = i % 2 ? m_scheme.clrToolBarGradientDark : m_scheme.clrCustomizeButtonGradientLight;
}

void CUfxVisualManager2003::UpdateSchemeColors() {
  UFX_GLOBAL_DATA& g = UfxGlobalData;
  g.clrBarFace = m_scheme.clrBarFace;
  g.clrBarShadow = m_scheme.clrBarShadow;
  g.clrBarHilite = m_scheme.clrBarHilite;
  g.clrBarDkShadow = m_scheme.clrBarDkShadow;
  g.clrBarLight = m_scheme.clrBarLight;
  g.brBarFace.DeleteObject();
  g.brBarFace.CreateSolidBrush(g.clrBarFace);
}

// ---- Drawing ----

void CUfxVisualManager2003::FillToolBarGradient(CDC* pDC, CRect rect, BOOL bHorz, BOOL bDocked) {
  CUfxGdiEffects effects(*pDC);
  const COLORREF from = bHorz ? m_scheme.clrToolBarGradientLight : m_scheme.clrToolBarGradientVertLight;
  const COLORREF to = bHorz ? m_scheme.clrToolBarGradientDark : m_scheme.clrToolBarGradientVertDark;
  if (!bDocked) {
    effects.FillGradient(rect, from, to, bHorz);
    return;
  }
  // Docked: the outermost corner pixels keep what lies behind the bar. The end columns take the
  // gradient of the whole rect, so that their rows match the rows beside them.
  CRect rectInner = rect;
  rectInner.DeflateRect(1, 0);
  effects.FillGradient(rectInner, from, to, bHorz);
  for (int x : {rect.left, rect.right - 1}) {
    const int nSaved = pDC->SaveDC();
    pDC->IntersectClipRect(x, rect.top + 1, x + 1, rect.bottom - 1);
    effects.FillGradient(CRect(x, rect.top, x + 1, rect.bottom), from, to, bHorz);
    pDC->RestoreDC(nSaved);
  }
  CPen pen(PS_SOLID, 1, m_scheme.clrToolBarBottomLine);
  CPen* pOld = pDC->SelectObject(&pen);
  if (bHorz) {
    pDC->MoveTo(rect.left + 2, rect.bottom - 1);
    pDC->LineTo(rect.right - 2, rect.bottom - 1);
  } else {
    pDC->MoveTo(rect.right - 1, rect.top + 2);
    pDC->LineTo(rect.right - 1, rect.bottom - 2);
  }
  pDC->SelectObject(pOld);
  const COLORREF a = m_scheme.colorToolBarCornerTop, b = m_scheme.colorToolBarCornerBottom;
  pDC->SetPixel(rect.left + 1, rect.top, a);
  pDC->SetPixel(rect.left, rect.top + 1, a);
  pDC->SetPixel(rect.right - 2, rect.top, a);
  pDC->SetPixel(rect.right - 1, rect.top + 1, a);
  pDC->SetPixel(rect.left + 1, rect.bottom - 2, b);
  pDC->SetPixel(rect.right - 2, rect.bottom - 2, b);
}

void CUfxVisualManager2003::OnFillBarBackground(CDC* pDC, CControlBar* pBar, CRect rectClient, CRect rectClip,
                                                BOOL bNCArea) {
  if (UfxGlobalData.m_nBitsPerPixel <= 8 || DYNAMIC_DOWNCAST(CUfxSizingControlBar, pBar) != nullptr) {
    CUfxVisualManagerXP::OnFillBarBackground(pDC, pBar, rectClient, rectClip, bNCArea);
    return;
  }
  const CRect rectFill = rectClip.IsRectEmpty() ? rectClient : rectClip;
  CUfxGdiEffects effects(*pDC);
  if (DYNAMIC_DOWNCAST(CUfxStatusBar, pBar) != nullptr && s_bStatusBarOfficeXPLook) {
    pDC->FillRect(&rectFill, &UfxGlobalData.brBtnFace);
  } else if (DYNAMIC_DOWNCAST(CUfxCaptionBar, pBar) != nullptr) {
    effects.FillGradient(rectClient, m_scheme.clrCaptionBarGradientDark, m_scheme.clrCaptionBarGradientLight, TRUE);
  } else if (DYNAMIC_DOWNCAST(CUfxPopupMenuBar, pBar) != nullptr) {
    // The menu's background; its image column runs from the toolbar gradient's end to its start.
    pDC->FillRect(&rectFill, &m_brMenuLight);
    effects.FillGradient(MenuImageColumn(rectClient), m_scheme.clrToolBarGradientDark,
                         m_scheme.clrToolBarGradientLight, FALSE);
  } else if (DYNAMIC_DOWNCAST(CUfxToolBar, pBar) != nullptr && DYNAMIC_DOWNCAST(CUfxMenuBar, pBar) == nullptr) {
    const BOOL bHorz = (pBar->GetBarStyle() & CBRS_ORIENT_HORZ) != 0;
    if (bNCArea && !pBar->IsFloating()) {
      FillDockedToolBar(pDC, pBar, rectClient, bHorz);
    } else {
      // A docked bar's border carries the same gradient: the client area continues it rather than
      // starting it anew at the client's edge.
      CRect rectGradient = rectClient;
      if (!bNCArea && !pBar->IsFloating() && pBar->GetSafeHwnd() != nullptr) {
        pBar->GetWindowRect(rectGradient);
        pBar->ScreenToClient(rectGradient);
      }
      FillToolBarGradient(pDC, rectGradient, bHorz, FALSE);
    }
  } else {
    // The menu bar and the other bars: one gradient across the screen, to the work area's edge.
    const BOOL bHorz = pBar == nullptr || (pBar->GetBarStyle() & CBRS_ORIENT_HORZ) != 0;
    CRect rect = rectClient;
    if (pBar != nullptr && pBar->GetSafeHwnd() != nullptr) {
      CRect rectWork;
      MONITORINFO mi = {};
      mi.cbSize = sizeof(mi);
      CRect rectBar;
      pBar->GetWindowRect(rectBar);
      if (::GetMonitorInfoW(::MonitorFromRect(&rectBar, MONITOR_DEFAULTTONEAREST), &mi)) rectWork = mi.rcWork;
      else ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rectWork, 0);
      CPoint ptRight(rectWork.right, 0);
      pBar->ScreenToClient(&ptRight);
      rect.right = std::max<int>(rect.right, ptRight.x);
    }
    effects.FillGradient(rect, m_scheme.clrMenuBarGradientLight, m_scheme.clrMenuBarGradientDark, !bHorz);
  }
}

void CUfxVisualManager2003::FillDockedToolBar(CDC* pDC, CControlBar* pBar, CRect rectWindow, BOOL bHorz) {
  // The dock bar's own background first, with its client origin moved to where the bar sits.
  CWnd* pDockWnd = pBar->GetParent();
  CControlBar* pDockBar = DYNAMIC_DOWNCAST(CControlBar, pDockWnd);
  if (pDockBar != nullptr && pDockBar->GetSafeHwnd() != nullptr) {
    CRect rectDock, rectBar;
    pDockBar->GetClientRect(rectDock);
    pBar->GetWindowRect(rectBar);
    pDockBar->ScreenToClient(rectBar);
    const CPoint ptOrg = pDC->OffsetViewportOrg(-rectBar.left, -rectBar.top);
    OnFillBarBackground(pDC, pDockBar, rectDock, rectBar, FALSE);
    pDC->SetViewportOrg(ptOrg);
  }
  FillToolBarGradient(pDC, rectWindow, bHorz, TRUE);
  DrawCustomizeButtonAtEdge(pDC, pBar, rectWindow, bHorz);
}

void CUfxVisualManager2003::DrawCustomizeButtonAtEdge(CDC* pDC, CControlBar* pBar, const CRect& rectWindow,
                                                      BOOL bHorz) {
  const UFX_TOOLBAR_FACTS bar = DescribeToolBar(pBar);
  if (bar.pCustomizeButton == nullptr) return;
  const UFX_BUTTON_FACTS button = DescribeButton(bar.pCustomizeButton);
  if (button.rectButton.IsRectEmpty()) return;

  // The button in window coordinates, stretched to the window's edge at the bar's end and sides.
  CRect rectClient;
  pBar->GetClientRect(rectClient);
  pBar->ClientToScreen(rectClient);
  CRect rectBarScreen;
  pBar->GetWindowRect(rectBarScreen);
  CRect rectButton = button.rectButton;
  rectButton.OffsetRect(rectClient.left - rectBarScreen.left, rectClient.top - rectBarScreen.top);
  CRect rect = rectButton;
  if (bHorz) {
    rect.top = rectWindow.top;
    rect.bottom = rectWindow.bottom;
    rect.right = rectWindow.right;
  } else {
    rect.left = rectWindow.left;
    rect.right = rectWindow.right;
    rect.bottom = rectWindow.bottom;
  }
  if (bar.pCustomizeExtra != nullptr) {
    bar.pCustomizeExtra->SetRect(rectButton.left - rect.left, rectButton.top - rect.top, rect.right - rectButton.right,
                                 rect.bottom - rectButton.bottom);
  }
  UFX_BUTTON_STATE state = ButtonsIsRegular;
  if (bar.bCustomizeHighlighted || button.bPopupOpen) state = ButtonsIsHighlighted;
  else if (bar.bCustomizePushed) state = ButtonsIsPressed;
  OnDrawToolbarCustomizeButton(pDC, rect, bHorz, state, bar.bHasHiddenButtons, bar.bHasCustomizeMenu);
}

void CUfxVisualManager2003::OnDrawBarBorder(CDC* pDC, CControlBar* pBar, CRect& rect) {
  if (UfxGlobalData.m_nBitsPerPixel <= 8) CUfxVisualManagerXP::OnDrawBarBorder(pDC, pBar, rect);
}

void CUfxVisualManager2003::DrawMenuBorder(CDC* pDC, const UFX_MENU_FACTS& menu, CRect rect) {
  // A popup of the customize button does not join it.
  const BOOL bJoin = UfxGlobalData.m_nBitsPerPixel <= 8 || !menu.bCustomizeButton;
  DrawMenuBorderJoinedIf(pDC, menu, rect, bJoin);
}

void CUfxVisualManager2003::DrawGripperDots(CDC* pDC, CRect rectGripper, BOOL bHorz, BOOL bToolBar,
                                            int nButtonImageDiff) {
  CRect band = rectGripper;
  const int shorten = nButtonImageDiff > 0 ? nButtonImageDiff / 2 : 0;
  if (bHorz) {
    if (bToolBar) band.left = rectGripper.right - 2 - 4;
    else band.left = rectGripper.left + (rectGripper.Width() - 4) / 2;
    band.right = band.left + 4;
    band.DeflateRect(0, shorten);
  } else {
    if (bToolBar) band.top = rectGripper.bottom - 2 - 4;
    else band.top = rectGripper.top + (rectGripper.Height() - 4) / 2;
    band.bottom = band.top + 4;
    band.DeflateRect(shorten, 0);
  }
  CBrush light(UfxGlobalData.clrBarHilite), dark(m_scheme.clrGripper);
  if (bHorz) {
    for (int y = band.top + 2; y + 3 <= band.bottom; y += 4) {
      pDC->FillRect(CRect(band.left + 1, y + 1, band.left + 3, y + 3), &light);
      pDC->FillRect(CRect(band.left, y, band.left + 2, y + 2), &dark);
    }
  } else {
    for (int x = band.left + 2; x + 3 <= band.right; x += 4) {
      pDC->FillRect(CRect(x + 1, band.top + 1, x + 3, band.top + 3), &light);
      pDC->FillRect(CRect(x, band.top, x + 2, band.top + 2), &dark);
    }
  }
}

void CUfxVisualManager2003::OnDrawBarGripper(CDC* pDC, CRect rectGripper, BOOL bHorz, CControlBar* pBar) {
  if (UfxGlobalData.m_nBitsPerPixel <= 8) {
    CUfxVisualManagerXP::OnDrawBarGripper(pDC, rectGripper, bHorz, pBar);
    return;
  }
  DrawGripperDots(pDC, rectGripper, bHorz, TRUE, 0);
}

void CUfxVisualManager2003::OnDrawSeparator(CDC* pDC, CControlBar* pBar, CRect rect, BOOL bIsHoriz) {
  // Menus take the flat look's single line.
  if (UfxGlobalData.m_nBitsPerPixel <= 8 || DYNAMIC_DOWNCAST(CUfxPopupMenuBar, pBar) != nullptr) {
    CUfxVisualManagerXP::OnDrawSeparator(pDC, pBar, rect, bIsHoriz);
    return;
  }
  CPen* pOld = pDC->SelectObject(&m_penSeparator);
  if (bIsHoriz) {
    const int x = (rect.left + rect.right) / 2;
    pDC->MoveTo(x, rect.top);
    pDC->LineTo(x, rect.bottom);
    pDC->SelectObject(&m_penBarHilite);
    pDC->MoveTo(x + 1, rect.top + 1);
    pDC->LineTo(x + 1, rect.bottom + 1);
  } else {
    const int y = (rect.top + rect.bottom) / 2;
    pDC->MoveTo(rect.left, y);
    pDC->LineTo(rect.right, y);
    pDC->SelectObject(&m_penBarHilite);
    pDC->MoveTo(rect.left + 1, y + 1);
    pDC->LineTo(rect.right + 1, y + 1);
  }
  pDC->SelectObject(pOld);
}

void CUfxVisualManager2003::OnDrawComboDropButton(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped,
                                                  BOOL bIsHighlighted, CUfxToolbarComboBoxButton* pButton) {
  if (UfxGlobalData.m_nBitsPerPixel <= 8) {
    CUfxVisualManagerXP::OnDrawComboDropButton(pDC, rect, bDisabled, bIsDropped, bIsHighlighted, pButton);
    return;
  }
  if (!bIsDropped && !bIsHighlighted) {
    CUfxGdiEffects(*pDC).FillGradient(rect, m_scheme.clrToolBarGradientLight, m_scheme.clrToolBarGradientDark, FALSE);
    Frame(pDC, rect, UfxGlobalData.clrBarWindow);
  } else {
    OnFillHighlightedArea(pDC, rect, bIsDropped ? &m_brHighlightDn : &m_brHighlight, nullptr);
    SolidRect(pDC, CRect(rect.left, rect.top, rect.left + 1, rect.bottom), m_colors.clrHighlightFrame);
  }
}

void CUfxVisualManager2003::OnDrawComboBorder(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped,
                                              BOOL bIsHighlighted, CUfxToolbarComboBoxButton* pButton) {
  if (UfxGlobalData.m_nBitsPerPixel <= 8) {
    CUfxVisualManagerXP::OnDrawComboBorder(pDC, rect, bDisabled, bIsDropped, bIsHighlighted, pButton);
    return;
  }
  if (!bIsHighlighted && !bIsDropped && !bDisabled) return;
  rect.DeflateRect(1, 1);
  Frame(pDC, rect, bDisabled ? UfxGlobalData.clrBarShadow : m_colors.clrHighlightFrame);
}

void CUfxVisualManager2003::OnDrawTearOffCaption(CDC* pDC, CRect rect, BOOL bIsActive) {
  if (UfxGlobalData.m_nBitsPerPixel <= 8) {
    CUfxVisualManagerXP::OnDrawTearOffCaption(pDC, rect, bIsActive);
    return;
  }
  pDC->FillRect(&rect, &m_brMenuLight);
  CRect inner = rect;
  inner.DeflateRect(1, 1);
  if (bIsActive) OnFillHighlightedArea(pDC, inner, &m_brHighlight, nullptr);
  else pDC->FillRect(&inner, &m_brBarFace);
  DrawGripperDots(pDC, inner, FALSE, FALSE, 0);
  if (bIsActive) Frame(pDC, rect, m_colors.clrMenuBorder);
}

void CUfxVisualManager2003::OnFillButtonInterior(CDC* pDC, CUfxToolbarButton* pButton, CRect rect,
                                                 UFX_BUTTON_STATE state) {
  const UFX_BUTTON_FACTS button = DescribeButton(pButton);
  if (UfxGlobalData.m_nBitsPerPixel <= 8 || !button.bCustomizeButton) {
    CUfxVisualManagerXP::OnFillButtonInterior(pDC, pButton, rect, state);
    return;
  }
  // Over the same rect as the bar's border paint, out to the window edge, so the two parts meet.
  const CRect& extra = button.rectExtra;
  rect.InflateRect(extra.left, extra.top, extra.right, extra.bottom);
  OnDrawToolbarCustomizeButton(pDC, rect, button.bHorz, state, FALSE, FALSE);
}

void CUfxVisualManager2003::OnDrawButtonBorder(CDC* pDC, CUfxToolbarButton* pButton, CRect rect,
                                               UFX_BUTTON_STATE state) {
  const UFX_BUTTON_FACTS button = DescribeButton(pButton);
  if (UfxGlobalData.m_nBitsPerPixel > 8 && button.bCustomizeButton) return;
  CUfxVisualManagerXP::OnDrawButtonBorder(pDC, pButton, rect, state);
}

void CUfxVisualManager2003::OnFillHighlightedArea(CDC* pDC, CRect rect, CBrush* pBrush, CUfxToolbarButton* pButton) {
  if (!m_bIsStandardWinXPTheme || UfxGlobalData.m_nBitsPerPixel <= 8) {
    CUfxVisualManagerXP::OnFillHighlightedArea(pDC, rect, pBrush, pButton);
    return;
  }
  const UFX_BUTTON_FACTS button = DescribeButton(pButton);
  const UFX_2003_COLORS& s = m_scheme;
  if (button.bMenuItem && pBrush == &m_brHighlight && s.clrHighlightMenuItem != (COLORREF)-1) {
    SolidRect(pDC, rect, s.clrHighlightMenuItem);
    return;
  }
  COLORREF from, to;
  if (pBrush == &m_brHighlight) {
    from = s.clrHighlightGradientDark;
    to = button.bMenuItem ? from : s.clrHighlightGradientLight;
  } else if (pBrush == &m_brHighlightDn) {
    from = button.bMenuItem ? s.clrHighlightDnGradientLight : s.clrHighlightDnGradientDark;
    to = s.clrHighlightDnGradientLight;
  } else if (pBrush == &m_brHighlightChecked) {
    from = button.bMenuItem ? s.clrHighlightCheckedGradientLight : s.clrHighlightCheckedGradientDark;
    to = s.clrHighlightCheckedGradientLight;
  } else if (button.bMenuButton && button.bPopupOpen) {
    from = s.clrToolBarGradientLight;
    to = s.clrToolBarGradientDark;
  } else {
    CUfxVisualManagerXP::OnFillHighlightedArea(pDC, rect, pBrush, pButton);
    return;
  }
  CUfxGdiEffects(*pDC).FillGradient(rect, from, to, button.bHorz);
}

void CUfxVisualManager2003::OnDrawToolbarCustomizeButton(CDC* pDC, CRect rect, BOOL bHorz, UFX_BUTTON_STATE state,
                                                         BOOL, BOOL) {
  const UFX_2003_COLORS& s = m_scheme;
  const COLORREF first = state != ButtonsIsRegular ? s.clrHighlightGradientDark : s.clrCustomizeButtonGradientLight;
  const COLORREF second = state != ButtonsIsRegular ? s.clrHighlightGradientLight : s.clrCustomizeButtonGradientDark;
  const COLORREF end = ScaleColor(second, 90);
  if (bHorz) {
    // Two lines along the top and the bottom, their end pixels rounded off.
    for (int row : {rect.top, rect.bottom - 2}) {
      SolidRect(pDC, CRect(rect.left, row, rect.right, row + 1), row == rect.top ? first : second);
      SolidRect(pDC, CRect(rect.left, row + 1, rect.right, row + 2), row == rect.top ? second : first);
      pDC->SetPixel(rect.left, row, second);
      pDC->SetPixel(rect.right - 1, row, end);
    }
    rect.DeflateRect(0, 2);
  } else {
    for (int col : {rect.left, rect.right - 2}) {
      SolidRect(pDC, CRect(col, rect.top, col + 1, rect.bottom), col == rect.left ? first : second);
      SolidRect(pDC, CRect(col + 1, rect.top, col + 2, rect.bottom), col == rect.left ? second : first);
      pDC->SetPixel(col, rect.top, second);
      pDC->SetPixel(col, rect.bottom - 1, end);
    }
    rect.DeflateRect(2, 0);
  }
  CUfxGdiEffects(*pDC).FillGradient(rect, first, second, bHorz);
  // The hidden-buttons and menu glyphs of the menu glyph strip go on top of it.
}

void CUfxVisualManager2003::OnFillFramedArea(CDC* pDC, CRect rect, COLORREF clr, BOOL bNoFrame) {
  SolidRect(pDC, rect, clr == (COLORREF)-1 ? m_scheme.clrCustomizeButtonGradientDark : clr);
  if (!bNoFrame) pDC->Draw3dRect(&rect, m_scheme.clrCustomizeButtonGradientDark, m_scheme.clrToolBarBottomLine);
}

BOOL CUfxVisualManager2003::OnFillOutlookPageButton(CDC* pDC, const CRect& rect, BOOL bIsHighlighted, BOOL bIsPressed,
                                                    COLORREF& clrText) {
  if (UfxGlobalData.m_nBitsPerPixel <= 8)
    return CUfxVisualManagerXP::OnFillOutlookPageButton(pDC, rect, bIsHighlighted, bIsPressed, clrText);
  const UFX_2003_COLORS& s = m_scheme;
  CUfxGdiEffects effects(*pDC);
  if (bIsPressed && bIsHighlighted) effects.FillGradient(rect, s.clrHighlightDnGradientDark, s.clrHighlightDnGradientLight, TRUE);
  else if (bIsHighlighted) effects.FillGradient(rect, s.clrHighlightGradientDark, s.clrHighlightGradientLight, TRUE);
  else effects.FillGradient(rect, s.clrMenuBarGradientLight, s.clrMenuBarGradientDark, TRUE);
  clrText = UfxGlobalData.clrBarText;
  return TRUE;
}

BOOL CUfxVisualManager2003::OnDrawOutlookPageButtonBorder(CDC* pDC, CRect& rectBtn, BOOL bIsHighlighted,
                                                          BOOL bIsPressed) {
  if (UfxGlobalData.m_nBitsPerPixel <= 8)
    return CUfxVisualManagerXP::OnDrawOutlookPageButtonBorder(pDC, rectBtn, bIsHighlighted, bIsPressed);
  pDC->Draw3dRect(&rectBtn, UfxGlobalData.clrBarHilite, m_scheme.clrGripper);
  return TRUE;
}

void CUfxVisualManager2003::OnFillOutlookBarButton(CDC* pDC, CRect rect, BOOL bIsHighlighted, BOOL bIsPressed) {
  if (UfxGlobalData.m_nBitsPerPixel <= 8) {
    CUfxVisualManagerXP::OnFillOutlookBarButton(pDC, rect, bIsHighlighted, bIsPressed);
    return;
  }
  if (!bIsHighlighted && !bIsPressed) pDC->FillRect(&rect, &m_brBarFace);
  else OnFillHighlightedArea(pDC, rect, (bIsHighlighted && bIsPressed) ? &m_brHighlightDn : &m_brHighlight, nullptr);
}

void CUfxVisualManager2003::OnEraseTabsArea(CDC* pDC, CRect rect, const CUfxTabWnd* pTabWnd) {
  if (UfxGlobalData.m_nBitsPerPixel <= 8 || pTabWnd == nullptr || pTabWnd->IsFlatTab()) {
    CUfxVisualManagerXP::OnEraseTabsArea(pDC, rect, pTabWnd);
    return;
  }
  const BOOL bBottom = pTabWnd->GetLocation() == CUfxTabWnd::LOCATION_BOTTOM;
  const COLORREF plain = m_scheme.clrToolBarGradientDark, light = ScaleColor(plain, 120);
  // Tabs at the top: from the lighter colour to the plain one; at the bottom the other way.
  if (bBottom) CUfxGdiEffects(*pDC).FillGradient(rect, plain, light, TRUE);
  else CUfxGdiEffects(*pDC).FillGradient(rect, light, plain, TRUE);
  if (!pTabWnd->IsSlopedStyle()) return;
  COLORREF clrActive = pTabWnd->GetTabBkColor(pTabWnd->GetActiveTab());
  if (clrActive == (COLORREF)-1) clrActive = RGB(255, 255, 255);
  // The strip's edge where the tabs hang takes the active tab's colour.
  if (bBottom) pDC->FillSolidRect(rect.left, rect.top, rect.Width(), 2, clrActive);
  else pDC->FillSolidRect(rect.left, rect.bottom - 2, rect.Width(), 2, clrActive);
}

void CUfxVisualManager2003::OnDrawTab(CDC* pDC, CRect rectTab, int iTab, BOOL bIsActive, const CUfxTabWnd* pTabWnd) {
  if (UfxGlobalData.m_nBitsPerPixel <= 8 || pTabWnd == nullptr || !pTabWnd->IsSlopedStyle()) {
    CUfxVisualManagerXP::OnDrawTab(pDC, rectTab, iTab, bIsActive, pTabWnd);
    return;
  }
  COLORREF clrFirst, clrSecond;
  if (bIsActive && m_scheme.clrHighlightMenuItem == (COLORREF)-1) {
    clrFirst = m_scheme.clrToolBarGradientLight;
    clrSecond = m_scheme.clrToolBarGradientDark;
  } else {
    COLORREF clr = bIsActive ? m_scheme.clrHighlightMenuItem : pTabWnd->GetTabBkColor(iTab);
    if (clr == (COLORREF)-1) clr = RGB(255, 255, 255);
    clrFirst = clr;
    clrSecond = ScaleColor(clr, 150);
  }
  const BOOL bBottom = pTabWnd->GetLocation() == CUfxTabWnd::LOCATION_BOTTOM;
  if (bBottom) std::swap(clrFirst, clrSecond);
  POINT pts[8];
  GetSlopedTabPoints(rectTab, bBottom, pTabWnd->GetTabsArea().right, pts);
  CRgn rgn;
  rgn.CreatePolygonRgn(pts, 8, ALTERNATE);
  const int nSaved = pDC->SaveDC();
  pDC->SelectClipRgn(&rgn, RGN_AND);
  CUfxGdiEffects(*pDC).FillGradient(rectTab, clrFirst, clrSecond, TRUE);
  pDC->RestoreDC(nSaved);
  DrawSlopedTabOutline(pDC, rectTab, pTabWnd, UfxGlobalData.clrBarDkShadow, UfxGlobalData.clrBarShadow);
  DrawTabContentIn(pDC, rectTab, iTab, bIsActive, pTabWnd, pDC->GetTextColor());
}

void CUfxVisualManager2003::OnEraseTabsButton(CDC* pDC, CRect rect, CUfxButton* pButton, CUfxTabWnd* pWndTab) {
  if (UfxGlobalData.m_nBitsPerPixel <= 8 || pWndTab == nullptr || pWndTab->IsFlatTab()) {
    CUfxVisualManagerXP::OnEraseTabsButton(pDC, rect, pButton, pWndTab);
    return;
  }
  if (pWndTab->IsSlopedStyle() && pButton != nullptr && pButton->IsHighlighted()) {
    const UFX_2003_COLORS& c = m_scheme;
    if (pButton->IsPushed())
      CUfxGdiEffects(*pDC).FillGradient(rect, c.clrHighlightDnGradientDark, c.clrHighlightDnGradientLight, TRUE);
    else
      CUfxGdiEffects(*pDC).FillGradient(rect, c.clrHighlightGradientDark, c.clrHighlightGradientLight, TRUE);
    return;
  }
  // The button shows the strip's background behind it: the whole strip, mapped into the button.
  CRect rectStrip = pWndTab->GetTabsArea();
  CRect rectClient;
  pWndTab->GetClientRect(rectClient);
  rectStrip.left = rectClient.left;
  rectStrip.right = rectClient.right;
  if (pButton != nullptr && pButton->GetSafeHwnd() != nullptr) pWndTab->MapWindowPoints(pButton, rectStrip);
  const int nSaved = pDC->SaveDC();
  pDC->IntersectClipRect(&rect);
  OnEraseTabsArea(pDC, rectStrip, pWndTab);
  pDC->RestoreDC(nSaved);
}

void CUfxVisualManager2003::GetTabFrameColors(const CUfxTabWnd* pTabWnd, COLORREF& clrDark, COLORREF& clrBlack,
                                              COLORREF& clrHighlight, COLORREF& clrFace, COLORREF& clrDarkShadow,
                                              COLORREF& clrLight, CBrush*& pbrFace, CBrush*& pbrBlack) {
  CUfxVisualManagerXP::GetTabFrameColors(pTabWnd, clrDark, clrBlack, clrHighlight, clrFace, clrDarkShadow, clrLight,
                                         pbrFace, pbrBlack);
  if (UfxGlobalData.m_nBitsPerPixel <= 8 || pTabWnd == nullptr || !pTabWnd->IsSlopedStyle()) return;
  if (pTabWnd->GetTabBkColor(pTabWnd->GetActiveTab()) == (COLORREF)-1) clrFace = RGB(255, 255, 255);
  clrDark = clrBlack = clrHighlight = clrDarkShadow = clrLight = UfxGlobalData.clrBarDkShadow;
}

BOOL CUfxVisualManager2003::OnEraseTabsFrame(CDC* pDC, CRect rect, const CUfxTabWnd* pTabWnd) {
  if (UfxGlobalData.m_nBitsPerPixel <= 8 || pTabWnd == nullptr)
    return CUfxVisualManagerXP::OnEraseTabsFrame(pDC, rect, pTabWnd);
  COLORREF clrFirst = UfxGlobalData.clrBarFace, clrSecond = UfxGlobalData.clrBarHilite;
  if (pTabWnd->IsSlopedStyle()) {
    clrFirst = pTabWnd->GetTabBkColor(pTabWnd->GetActiveTab());
    if (clrFirst == (COLORREF)-1) clrFirst = RGB(255, 255, 255);
    clrSecond = ScaleColor(clrFirst, 130);
  }
  if (pTabWnd->GetLocation() == CUfxTabWnd::LOCATION_BOTTOM) std::swap(clrFirst, clrSecond);
  CUfxGdiEffects(*pDC).FillGradientAngle(rect, clrFirst, clrSecond, 45);
  return TRUE;
}

BOOL CUfxVisualManager2003::IsTabHighlightSupported() const { return TRUE; }

COLORREF CUfxVisualManager2003::OnFillCommandsListBackground(CDC* pDC, CRect rect, BOOL bIsSelected) {
  if (UfxGlobalData.m_nBitsPerPixel <= 8) return CUfxVisualManagerXP::OnFillCommandsListBackground(pDC, rect, bIsSelected);
  if (bIsSelected) {
    const COLORREF fill = m_scheme.clrHighlightMenuItem != (COLORREF)-1 ? m_scheme.clrHighlightMenuItem : m_colors.clrHighlight;
    SolidRect(pDC, rect, fill);
    Frame(pDC, rect, m_colors.clrHighlightFrame);
    const BOOL dark = GetRValue(fill) <= 128 || GetGValue(fill) <= 128 || GetBValue(fill) <= 128;
    return dark ? RGB(255, 255, 255) : RGB(0, 0, 0);
  }
  pDC->FillRect(&rect, &m_brMenuLight);
  return UfxGlobalData.clrBarText;
}

void CUfxVisualManager2003::OnFillTasksPaneBackground(CDC* pDC, CRect rect) {
  CUfxGdiEffects(*pDC).FillGradient(rect, m_clrTasksPane[0], m_clrTasksPane[1], TRUE);
}
void CUfxVisualManager2003::OnDrawTasksGroupCaption(CDC*, CUfxTasksGroup*, BOOL, BOOL, BOOL) {}
void CUfxVisualManager2003::OnFillTasksGroupInterior(CDC* pDC, CRect rect, BOOL) { SolidRect(pDC, rect, m_clrTasksPane[2]); }
void CUfxVisualManager2003::OnDrawTasksGroupAreaBorder(CDC* pDC, CRect rect, BOOL, BOOL) { Frame(pDC, rect, m_clrTasksPane[3]); }
void CUfxVisualManager2003::OnDrawTask(CDC*, CUfxTask*, CImageList*, BOOL, BOOL) {}
void CUfxVisualManager2003::OnDrawScrollButton(CDC* pDC, CRect rect, BOOL bIsUp, BOOL bIsHighlighted, BOOL bIsPressed,
                                               BOOL bIsDisabled) {
  CUfxVisualManagerXP::OnDrawScrollButton(pDC, rect, bIsUp, bIsHighlighted, bIsPressed, bIsDisabled);
}

int CUfxVisualManager2003::GetShowAllMenuItemsHeight(CDC* pDC, const CSize& sizeDefault) {
  return CUfxVisualManagerXP::GetShowAllMenuItemsHeight(pDC, sizeDefault) + 4;
}

void CUfxVisualManager2003::OnDrawShowAllMenuItems(CDC* pDC, CRect rect, UFX_BUTTON_STATE state) {
  if (UfxGlobalData.m_nBitsPerPixel > 8) {
    const int side = std::min(rect.Width(), rect.Height());
    CRect square(rect.CenterPoint().x - side / 2, rect.CenterPoint().y - side / 2, 0, 0);
    square.right = square.left + side;
    square.bottom = square.top + side;
    CUfxGdiEffects(*pDC).DrawGradientRing(square, m_scheme.clrToolBarGradientLight, m_colors.clrMenuLight, (COLORREF)-1, 45);
  }
  CUfxVisualManagerXP::OnDrawShowAllMenuItems(pDC, rect, state);
}

int CUfxVisualManager2003::GetToolbarCustomizeButtonMargin() const { return 1; }
BOOL CUfxVisualManager2003::IsOffsetPressedButton() const { return FALSE; }
