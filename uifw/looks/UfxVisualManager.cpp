#include "bars/UfxToolbarButton.h"
#include "looks/UfxVisualManager.h"
#include "looks/UfxButton.h"
#include "frames/UfxCaptionBar.h"
#include "frames/UfxCaptionButton.h"
#include "looks/UfxGdiEffects.h"
#include "frames/UfxGlobalData.h"
#include "bars/UfxMenuGlyphs.h"
#include "frames/UfxOutlookBar.h"
#include "frames/UfxTabWnd.h"
#include <algorithm>

IMPLEMENT_DYNCREATE(CUfxVisualManager, CObject)

CUfxVisualManager* CUfxVisualManager::s_pVisManager = nullptr;
CRuntimeClass* CUfxVisualManager::s_pRTIDefault = nullptr;

namespace {

const UINT kRedrawFlags = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW;



}  // namespace

CUfxVisualManager::CUfxVisualManager(BOOL bIsTemporary) : m_bIsTemporary(bIsTemporary) {
  // A temporary manager changes no global state: the current look keeps its bar colours.
  if (bIsTemporary) return;
  if (s_pVisManager == nullptr) s_pVisManager = this;
  UfxGlobalData.UpdateSysColors();
}

CUfxVisualManager::~CUfxVisualManager() {
  if (!m_bIsTemporary && s_pVisManager == this) s_pVisManager = nullptr;
}

void CUfxVisualManager::SetTasksPaneMetrics(const int (&metrics)[9], BOOL bFlag) {
  for (int i = 0; i < 9; ++i) m_TasksPaneMetrics[i] = metrics[i];
  m_bActiveCaptions = bFlag;
}

CUfxVisualManager* CUfxVisualManager::GetInstance() {
  if (s_pVisManager != nullptr) return s_pVisManager;
  CUfxVisualManager* pManager = nullptr;
  if (s_pRTIDefault != nullptr) {
    CObject* pObject = s_pRTIDefault->CreateObject();
    pManager = DYNAMIC_DOWNCAST(CUfxVisualManager, pObject);
    if (pManager == nullptr) delete pObject;
  }
  if (pManager == nullptr) pManager = new CUfxVisualManager(FALSE);  // a class that cannot be made: the base look
  s_pVisManager = pManager;
  pManager->m_bAutoDestroy = TRUE;
  pManager->OnUpdateSystemColors();
  return pManager;
}

void CUfxVisualManager::SetDefaultManager(CRuntimeClass* pRTI) {
  if (pRTI != nullptr && !pRTI->IsDerivedFrom(RUNTIME_CLASS(CUfxVisualManager))) return;
  s_pRTIDefault = pRTI;
  if (CUfxVisualManager* pOld = s_pVisManager) {
    s_pVisManager = nullptr;
    // A manager the application made itself stays the application's.
    if (pOld->m_bAutoDestroy) delete pOld;
  }
  UfxGlobalData.UpdateSysColors();
  RedrawAll();
}

void CUfxVisualManager::DeleteAutoCreatedInstance() {
  if (s_pVisManager != nullptr && s_pVisManager->m_bAutoDestroy) delete s_pVisManager;
}

void CUfxVisualManager::RedrawAll() {
  if (CWnd* pMain = AfxGetMainWnd()) {
    if (pMain->GetSafeHwnd() != nullptr) pMain->RedrawWindow(nullptr, nullptr, kRedrawFlags);
  }
  // The framework's bars: each one whose window still belongs to its object.
  for (POSITION pos = UfxAllControlBars.GetHeadPosition(); pos != nullptr;) {
    CWnd* pBar = (CWnd*)UfxAllControlBars.GetNext(pos);
    HWND hwnd = pBar->GetSafeHwnd();
    if (hwnd != nullptr && CWnd::FromHandlePermanent(hwnd) == pBar) pBar->RedrawWindow(nullptr, nullptr, kRedrawFlags);
  }
}

void CUfxVisualManager::SetLook2000(BOOL bLook2000) {
  m_bLook2000 = bLook2000;
  if (CWnd* pMain = AfxGetMainWnd()) {
    if (pMain->GetSafeHwnd() != nullptr)
      pMain->RedrawWindow(nullptr, nullptr,
                          RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW | RDW_FRAME);
  }
  RedrawAll();
}

void CUfxVisualManager::DrawFrame(CDC* pDC, const CRect& rect, COLORREF clrTopLeft, COLORREF clrBottomRight) {
  pDC->Draw3dRect(&rect, clrTopLeft, clrBottomRight);
}

void CUfxVisualManager::FillSolid(CDC* pDC, const CRect& rect, COLORREF clr) {
  CBrush brush(clr);
  pDC->FillRect(&rect, &brush);
}

// ---- The base look ----

void CUfxVisualManager::OnUpdateSystemColors() {}

void CUfxVisualManager::OnFillBarBackground(CDC* pDC, CControlBar* pBar, CRect rectClient, CRect rectClip, BOOL) {
  const CRect* pRect = rectClip.IsRectEmpty() ? &rectClient : &rectClip;
  // An outlook bar fills its work area itself (its colour or its background image).
  if (CUfxOutlookBar* pOutlookBar = DYNAMIC_DOWNCAST(CUfxOutlookBar, pBar)) {
    pOutlookBar->OnFillBackground(pDC, *pRect);
    return;
  }
  // A caption bar shows its own background colour, else the shadow colour.
  if (const CUfxCaptionBar* pCaptionBar = DYNAMIC_DOWNCAST(CUfxCaptionBar, pBar)) {
    pDC->FillSolidRect(pRect, pCaptionBar->m_clrBarBackground != (COLORREF)-1 ? pCaptionBar->m_clrBarBackground
                                                                               : UfxGlobalData.clrBtnShadow);
    return;
  }
  pDC->FillRect(pRect, &UfxGlobalData.brBarFace);
}

void CUfxVisualManager::DrawBarBorderLines(CDC* pDC, CControlBar* pBar, CRect& rect, COLORREF clrTopLeft,
                                           COLORREF clrBottomRight, COLORREF clrTopFirst, COLORREF clrTopSecond) {
  const DWORD dwStyle = pBar->GetBarStyle();
  if (!(dwStyle & CBRS_BORDER_ANY)) return;
  const COLORREF oldBk = pDC->GetBkColor();
  const CRect r = rect;
  if (dwStyle & CBRS_BORDER_LEFT) pDC->FillSolidRect(r.left, r.top, 1, r.Height(), clrTopLeft);
  if (dwStyle & CBRS_BORDER_TOP) pDC->FillSolidRect(r.left, r.top, r.Width(), 1, clrTopLeft);
  if (dwStyle & CBRS_BORDER_RIGHT) pDC->FillSolidRect(r.right - 1, r.top, 1, r.Height(), clrBottomRight);
  if (dwStyle & CBRS_BORDER_BOTTOM) pDC->FillSolidRect(r.left, r.bottom - 1, r.Width(), 1, clrBottomRight);
  if (pBar->m_pDockContext == nullptr) {  // never made dockable
    pDC->FillSolidRect(r.left, r.top, r.Width(), 1, clrTopFirst);
    pDC->FillSolidRect(r.left, r.top + 1, r.Width(), 1, clrTopSecond);
  }
  if (dwStyle & CBRS_BORDER_LEFT) rect.left++;
  if (dwStyle & CBRS_BORDER_TOP) rect.top++;
  if (dwStyle & CBRS_BORDER_RIGHT) rect.right--;
  if (dwStyle & CBRS_BORDER_BOTTOM) rect.bottom--;
  pDC->SetBkColor(oldBk);
}

void CUfxVisualManager::OnDrawBarBorder(CDC* pDC, CControlBar* pBar, CRect& rect) {
  const UFX_GLOBAL_DATA& g = UfxGlobalData;
  const COLORREF clrTopLeft = (pBar->GetBarStyle() & CBRS_BORDER_3D) ? g.clrBarHilite : g.clrBarShadow;
  DrawBarBorderLines(pDC, pBar, rect, clrTopLeft, g.clrBarShadow, g.clrBarShadow, g.clrBarHilite);
}

void CUfxVisualManager::OnDrawMenuBorder(CDC* pDC, CUfxPopupMenu* pMenu, CRect rect) {
  DrawMenuBorder(pDC, DescribeMenu(pMenu), rect);
}

void CUfxVisualManager::DrawMenuBorder(CDC* pDC, const UFX_MENU_FACTS&, CRect rect) {
  DrawFrame(pDC, rect, UfxGlobalData.clrBarLight, UfxGlobalData.clrBarDkShadow);
  rect.DeflateRect(1, 1);
  DrawFrame(pDC, rect, UfxGlobalData.clrBarHilite, UfxGlobalData.clrBarShadow);
}

void CUfxVisualManager::OnDrawBarGripper(CDC* pDC, CRect rectGripper, BOOL bHorz, CControlBar*) {
  const int n = m_bLook2000 ? 0 : 1;
  CRect line = rectGripper;
  if (bHorz) {
    line.DeflateRect(0, 3 - n);
    line.left = (rectGripper.left + rectGripper.right) / 2 - n - 1;
    line.right = line.left + 3;
  } else {
    line.top += n;
    line.DeflateRect(3 - n, 0);
    line.top = (rectGripper.top + rectGripper.bottom) / 2 - n - 1;
    line.bottom = line.top + 3;
  }
  for (int i = 0; i <= n; ++i) {
    DrawFrame(pDC, line, UfxGlobalData.clrBarHilite, UfxGlobalData.clrBarShadow);
    if (!m_bLook2000) {
      if (bHorz) pDC->SetPixel(line.left, line.bottom - 1, UfxGlobalData.clrBarHilite);
      else pDC->SetPixel(line.right - 1, line.top, UfxGlobalData.clrBarHilite);
    }
    if (bHorz) line.OffsetRect(4, 0);
    else line.OffsetRect(0, 4);
  }
}

void CUfxVisualManager::OnDrawSeparator(CDC* pDC, CControlBar*, CRect rect, BOOL bIsHoriz) {
  CRect line = rect;
  if (bIsHoriz) {
    line.left += rect.Width() / 2 - 1;
    line.right = line.left + 2;
  } else {
    line.top += rect.Height() / 2 - 1;
    line.bottom = line.top + 2;
  }
  DrawFrame(pDC, line, UfxGlobalData.clrBarShadow, UfxGlobalData.clrBarHilite);
}

int CUfxVisualManager::CaptionButtonGlyph(const CUfxCaptionButton* pButton, BOOL bHorz, BOOL bMaximized,
                                          BOOL bDisabled) {
  if (pButton->m_nHit == CUfxCaptionButton::HIT_CLOSE) return 20;
  if (bHorz) return bMaximized ? 2 : (bDisabled ? 3 : 19);
  return bMaximized ? 0 : (bDisabled ? 17 : 16);
}

void CUfxVisualManager::OnDrawCaptionButton(CDC* pDC, CUfxCaptionButton* pButton, BOOL bHorz, BOOL bMaximized,
                                            BOOL bDisabled) {
  CRect rect = pButton->GetRect();
  const int glyph = CaptionButtonGlyph(pButton, bHorz, bMaximized, bDisabled);
  const UFX_GLOBAL_DATA& g = UfxGlobalData;
  if (pButton->m_bPushed && pButton->m_bFocused) {
    DrawFrame(pDC, rect, g.clrBarDkShadow, g.clrBarLight);
    rect.DeflateRect(1, 1);
    DrawFrame(pDC, rect, g.clrBarDkShadow, g.clrBarHilite);
  } else if (!m_bLook2000) {
    DrawFrame(pDC, rect, g.clrBarLight, g.clrBarDkShadow);
    rect.DeflateRect(1, 1);
    DrawFrame(pDC, rect, g.clrBarHilite, g.clrBarShadow);
  } else if ((pButton->m_bFocused || pButton->m_bPushed) && glyph != 17 && glyph != 3) {
    DrawFrame(pDC, rect, g.clrBarHilite, g.clrBarShadow);
  }
  DrawCaptionButtonGlyph(pDC, pButton, glyph, pButton->m_bPushed && pButton->m_bFocused ? 3 : 2);
}

void CUfxVisualManager::DrawCaptionButtonGlyph(CDC* pDC, const CUfxCaptionButton* pButton, int iGlyph, int nOffset) {
  if (pButton->m_bHidden) return;
  CUfxMenuGlyphs::Draw(pDC, iGlyph, pButton->GetRect().TopLeft() + CPoint(nOffset, nOffset));
}

void CUfxVisualManager::OnDrawMenuSystemButton(CDC* pDC, CRect rect, UINT uiSystemCommand, UINT nStyle, BOOL) {
  UINT uiState;
  switch (uiSystemCommand) {
    case SC_CLOSE: uiState = DFCS_CAPTIONCLOSE; break;
    case SC_MINIMIZE: uiState = DFCS_CAPTIONMIN; break;
    case SC_RESTORE: uiState = DFCS_CAPTIONRESTORE; break;
    default: return;
  }
  if (nStyle & 0x40000) uiState |= DFCS_INACTIVE;
  if (nStyle & 0x20000) uiState |= DFCS_PUSHED;
  pDC->DrawFrameControl(rect, DFC_CAPTION, uiState);
}

void CUfxVisualManager::OnDrawStatusBarPaneBorder(CDC* pDC, CUfxStatusBar*, CRect rectPane, UINT, UINT nStyle) {
  if (nStyle & 0x100) return;  // SBPS_NOBORDERS
  if (nStyle & 0x200) DrawFrame(pDC, rectPane, UfxGlobalData.clrBtnHilite, UfxGlobalData.clrBtnShadow);  // SBPS_POPOUT
  else DrawFrame(pDC, rectPane, UfxGlobalData.clrBtnShadow, UfxGlobalData.clrBtnHilite);
}

void CUfxVisualManager::OnDrawStatusBarProgress(CDC* pDC, CUfxStatusBar*, CRect rectProgress, int nProgressTotal,
                                                int nProgressCurr, COLORREF clrBar, COLORREF clrProgressBarDest,
                                                COLORREF clrProgressText, BOOL bProgressText) {
  if (nProgressTotal <= 0) return;
  const long long pos = nProgressCurr < 0 ? 0 : (nProgressCurr > nProgressTotal ? nProgressTotal : nProgressCurr);
  CRect done = rectProgress;
  done.right = done.left + (int)(rectProgress.Width() * pos / nProgressTotal);
  if (clrProgressBarDest == (COLORREF)-1) FillSolid(pDC, done, clrBar);
  else CUfxGdiEffects(*pDC).FillGradient(done, clrBar, clrProgressBarDest, FALSE);
  if (!bProgressText) return;
  CString text;
  text.Format(L"%d%%", (int)(pos * 100 / nProgressTotal));
  const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
  int oldMode = pDC->SetBkMode(TRANSPARENT);
  COLORREF oldColor = pDC->SetTextColor(UfxGlobalData.clrBtnText);
  pDC->DrawText(text, &rectProgress, format);
  CRgn clip;
  clip.CreateRectRgnIndirect(&done);
  pDC->SelectClipRgn(&clip);
  pDC->SetTextColor(clrProgressText == (COLORREF)-1 ? ::GetSysColor(COLOR_HIGHLIGHTTEXT) : clrProgressText);
  pDC->DrawText(text, &rectProgress, format);
  pDC->SelectClipRgn(nullptr);
  pDC->SetTextColor(oldColor);
  pDC->SetBkMode(oldMode);
}

void CUfxVisualManager::OnDrawStatusBarSizeBox(CDC* pDC, CUfxStatusBar*, CRect rectSizeBox) {
  // The status bar paints into its own window's DC: a right-to-left window (whose DCs are
  // mirrored) shows the mirrored grip.
  HWND hwnd = ::WindowFromDC(pDC->GetSafeHdc());
  const BOOL bRtl = (hwnd != nullptr && (::GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0) ||
                    (::GetLayout(pDC->GetSafeHdc()) & LAYOUT_RTL) != 0;
  CFont* pOldFont = pDC->SelectObject(&UfxGlobalData.fontMarlett);
  UINT oldAlign = pDC->SetTextAlign(TA_RIGHT | TA_BOTTOM);
  COLORREF oldColor = pDC->SetTextColor(UfxGlobalData.clrBtnShadow);
  int oldMode = pDC->SetBkMode(TRANSPARENT);
  pDC->ExtTextOut(rectSizeBox.right, rectSizeBox.bottom, ETO_CLIPPED, &rectSizeBox, bRtl ? L"x" : L"o", 1, nullptr);
  pDC->SetBkMode(oldMode);
  pDC->SetTextColor(oldColor);
  pDC->SetTextAlign(oldAlign);
  pDC->SelectObject(pOldFont);
}

void CUfxVisualManager::OnDrawComboDropButton(CDC* pDC, CRect rect, BOOL, BOOL bIsDropped, BOOL bIsHighlighted,
                                              CUfxToolbarComboBoxButton*) {
  pDC->FillRect(&rect, &UfxGlobalData.brBarFace);
  DrawFrame(pDC, rect, UfxGlobalData.clrBarHilite, UfxGlobalData.clrBarHilite);
  // The arrow glyph of the menu glyph strip goes centred, one pixel further while pushed.
  if (bIsDropped) DrawFrame(pDC, rect, UfxGlobalData.clrBarShadow, UfxGlobalData.clrBarHilite);
  else if (bIsHighlighted) DrawFrame(pDC, rect, UfxGlobalData.clrBarHilite, UfxGlobalData.clrBarShadow);
}

void CUfxVisualManager::OnDrawComboBorder(CDC* pDC, CRect rect, BOOL, BOOL bIsDropped, BOOL bIsHighlighted,
                                          CUfxToolbarComboBoxButton*) {
  if (!bIsHighlighted && !bIsDropped) return;
  if (m_bMenuFlatLook) {
    rect.DeflateRect(1, 1);
    DrawFrame(pDC, rect, UfxGlobalData.clrBarDkShadow, UfxGlobalData.clrBarDkShadow);
  } else {
    DrawFrame(pDC, rect, UfxGlobalData.clrBarShadow, UfxGlobalData.clrBarHilite);
  }
}

void CUfxVisualManager::OnDrawEditBorder(CDC* pDC, CRect rect, BOOL, BOOL bIsHighlighted, CUfxToolbarEditBoxButton*) {
  if (bIsHighlighted) pDC->DrawEdge(rect, EDGE_SUNKEN, BF_RECT);
}

void CUfxVisualManager::OnDrawTearOffCaption(CDC* pDC, CRect rect, BOOL bIsActive) {
  pDC->FillRect(&rect, &UfxGlobalData.brBarFace);
  rect.DeflateRect(2, 1);
  pDC->FillRect(&rect, CBrush::FromHandle(::GetSysColorBrush(bIsActive ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION)));
}

void CUfxVisualManager::FillButtonInterior(CDC* pDC, const UFX_BUTTON_FACTS& button, CRect rect,
                                           UFX_BUTTON_STATE state) {
  if (button.bShowAllButton) {
    if (state == ButtonsIsHighlighted) CUfxGdiEffects(*pDC).HighlightRect(rect);
    return;
  }
  if (button.bOutlookButton || button.bCustomizeMode) return;
  if ((button.nStyle & (TBBS_CHECKED | TBBS_INDETERMINATE)) && state != ButtonsIsHighlighted) {
    rect.DeflateRect(button.sizeButtonBorder.cx, button.sizeButtonBorder.cy);
    pDC->FillRect(&rect, &UfxGlobalData.brLight);
  }
}

void CUfxVisualManager::DrawButtonBorder(CDC* pDC, const UFX_BUTTON_FACTS& button, CRect rect,
                                         UFX_BUTTON_STATE state) {
  const COLORREF shadow = button.bOutlookButton ? UfxGlobalData.clrBarDkShadow : UfxGlobalData.clrBarShadow;
  if (state == ButtonsIsPressed) DrawFrame(pDC, rect, shadow, UfxGlobalData.clrBarHilite);
  else if (state == ButtonsIsHighlighted) DrawFrame(pDC, rect, UfxGlobalData.clrBarHilite, shadow);
}

COLORREF CUfxVisualManager::ToolbarButtonTextColor(const UFX_BUTTON_FACTS& button, UFX_BUTTON_STATE state) {
  const BOOL bDisabled = button.bCustomizeMode ? !button.bCanCustomize : (button.nStyle & TBBS_DISABLED) != 0;
  if (button.bOutlookButton) return ::GetSysColor(bDisabled ? COLOR_BTNFACE : COLOR_WINDOW);
  if (bDisabled) return UfxGlobalData.clrGrayedText;
  // The toolbar library's hot text colour is the bar text until the toolbars set their own.
  return UfxGlobalData.clrBarText;
}

void CUfxVisualManager::OnFillButtonInterior(CDC* pDC, CUfxToolbarButton* pButton, CRect rect, UFX_BUTTON_STATE state) {
  FillButtonInterior(pDC, DescribeButton(pButton), rect, state);
}

void CUfxVisualManager::OnDrawButtonBorder(CDC* pDC, CUfxToolbarButton* pButton, CRect rect, UFX_BUTTON_STATE state) {
  DrawButtonBorder(pDC, DescribeButton(pButton), rect, state);
}

void CUfxVisualManager::OnDrawMenuButtonBorder(CDC* pDC, CUfxToolbarMenuButton* pButton, CRect rect,
                                               UFX_BUTTON_STATE state, BOOL) {
  const UFX_BUTTON_FACTS button = DescribeButton(pButton);
  if (m_bMenuFlatLook && button.bPopupOpen) return;
  DrawButtonBorder(pDC, button, rect, state);
}

void CUfxVisualManager::OnHighlightMenuItem(CDC* pDC, CUfxToolbarMenuButton*, CRect rect, COLORREF&) {
  pDC->FillRect(&rect, &UfxGlobalData.brHilite);
}

void CUfxVisualManager::OnHighlightRarelyUsedMenuItems(CDC* pDC, CRect rectRarelyUsed) {
  CUfxGdiEffects(*pDC).HighlightRect(rectRarelyUsed);
  DrawFrame(pDC, rectRarelyUsed, UfxGlobalData.clrBarShadow, UfxGlobalData.clrBarHilite);
}

COLORREF CUfxVisualManager::GetToolbarButtonTextColor(CUfxToolbarButton* pButton, UFX_BUTTON_STATE state) {
  return ToolbarButtonTextColor(DescribeButton(pButton), state);
}

COLORREF CUfxVisualManager::GetCaptionBarTextColor(CUfxCaptionBar*) { return ::GetSysColor(COLOR_WINDOW); }

BOOL CUfxVisualManager::OnFillOutlookPageButton(CDC*, const CRect&, BOOL, BOOL, COLORREF&) { return FALSE; }

BOOL CUfxVisualManager::OnDrawOutlookPageButtonBorder(CDC*, CRect&, BOOL, BOOL) { return FALSE; }

void CUfxVisualManager::OnFillOutlookBarButton(CDC* pDC, CRect rect, BOOL, BOOL) {
  pDC->FillRect(&rect, &UfxGlobalData.brBarFace);
}

void CUfxVisualManager::OnDrawOutlookBarButtonBorder(CDC* pDC, CRect rect, BOOL bIsHighlighted, BOOL bIsPressed) {
  if (bIsHighlighted && bIsPressed) DrawFrame(pDC, rect, UfxGlobalData.clrBarDkShadow, UfxGlobalData.clrBarHilite);
  else if (bIsHighlighted || bIsPressed) DrawFrame(pDC, rect, UfxGlobalData.clrBarHilite, UfxGlobalData.clrBarDkShadow);
}

void CUfxVisualManager::OnEraseTabsArea(CDC* pDC, CRect rect, const CUfxTabWnd* pTabWnd) {
  pDC->FillRect(&rect, &UfxGlobalData.brBarFace);
  if (pTabWnd == nullptr || !pTabWnd->IsSlopedStyle()) return;
  const COLORREF clrActive = pTabWnd->GetTabBkColor(pTabWnd->GetActiveTab());
  if (clrActive != (COLORREF)-1) pDC->FillSolidRect(rect.left, rect.bottom - 2, rect.Width(), 2, clrActive);
}

int CUfxVisualManager::GetSlopedTabPoints(const CRect& rectTab, BOOL bBottom, int nAreaRight, POINT* pts) {
  const int l = rectTab.left, t = rectTab.top, yb = rectTab.bottom - 1, h = rectTab.Height();
  const int r = std::min((int)rectTab.right, nAreaRight + 1);
  // Drawn for a strip at the bottom (the tab hangs from its top edge) and mirrored for the top.
  POINT shape[8] = {{l, t},         {l + 1, t + 1},  {l + h - 3, yb - 2}, {l + h - 1, yb},
                    {r - 3, yb},    {r - 1, yb - 2}, {r - 1, t + 1},      {r - 1, t}};
  for (int i = 0; i < 8; ++i) {
    pts[i] = shape[i];
    if (pts[i].x > r - 1) pts[i].x = r - 1;  // the cut side closes with a vertical line
    if (!bBottom) pts[i].y = t + yb - pts[i].y;
  }
  return 8;
}

void CUfxVisualManager::DrawFlatTab(CDC* pDC, const CRect& rectTab, BOOL bIsActive, COLORREF clrFill,
                                    const CUfxTabWnd* pTabWnd) {
  const BOOL bBottom = pTabWnd->GetLocation() == CUfxTabWnd::LOCATION_BOTTOM;
  const int slant = pTabWnd->GetTabsHeight() / 2;
  const int l = rectTab.left, r = rectTab.right - 1;
  const int yNear = bBottom ? rectTab.top : rectTab.bottom - 1;  // the edge towards the window
  const int yFar = bBottom ? rectTab.bottom - 1 : rectTab.top;
  POINT pts[4] = {{l, yNear}, {l + slant, yFar}, {r - slant, yFar}, {r, yNear}};
  if (clrFill != (COLORREF)-1) {
    POINT area[4] = {{l, yNear}, {l + slant, yFar + (bBottom ? 1 : 0)}, {r - slant + 1, yFar + (bBottom ? 1 : 0)},
                     {r + 1, yNear}};
    CRgn rgn;
    rgn.CreatePolygonRgn(area, 4, ALTERNATE);
    CBrush brush(clrFill);
    pDC->FillRgn(&rgn, &brush);
  }
  CPen pen(PS_SOLID, 1, UfxGlobalData.clrBarDkShadow);
  CPen* pOldPen = pDC->SelectObject(&pen);
  pDC->Polyline(pts, 4);
  if (!bIsActive) {  // the active tab stays open towards its window
    pDC->MoveTo(l, yNear);
    pDC->LineTo(r + 1, yNear);
  }
  pDC->SelectObject(pOldPen);
}

void CUfxVisualManager::DrawSlopedTabOutline(CDC* pDC, const CRect& rectTab, const CUfxTabWnd* pTabWnd,
                                             COLORREF clrLit, COLORREF clrDark) {
  POINT pts[8];
  const BOOL bBottom = pTabWnd->GetLocation() == CUfxTabWnd::LOCATION_BOTTOM;
  GetSlopedTabPoints(rectTab, bBottom, pTabWnd->GetTabsArea().right, pts);
  CPen penLit(PS_SOLID, 1, clrLit), penDark(PS_SOLID, 1, clrDark);
  CPen* pOldPen = pDC->SelectObject(&penLit);
  pDC->Polyline(pts, 4);  // the slanted edge
  pDC->SelectObject(&penDark);
  pDC->Polyline(pts + 3, 5);  // the far edge, the chamfer and the side
  pDC->SelectObject(pOldPen);
}

void CUfxVisualManager::Draw3DTab(CDC* pDC, const CRect& rectTab, BOOL bIsActive, COLORREF clrTab,
                                  const CUfxTabWnd* pTabWnd) {
  const UFX_GLOBAL_DATA& g = UfxGlobalData;
  const BOOL bBottom = pTabWnd->GetLocation() == CUfxTabWnd::LOCATION_BOTTOM;
  const int l = rectTab.left, t = rectTab.top, r = rectTab.right, b = rectTab.bottom, h = rectTab.Height();
  if (clrTab != (COLORREF)-1 || bIsActive) {
    CRect inner = rectTab;
    inner.DeflateRect(1, 1);
    pDC->FillSolidRect(&inner, clrTab != (COLORREF)-1 ? clrTab : g.clrBarFace);
  }
  if (bBottom) {
    pDC->FillSolidRect(l, t, 1, h - 2, g.clrBarHilite);          // lit left side
    pDC->FillSolidRect(l + 2, b - 1, r - l - 4, 1, g.clrBarDkShadow);  // outer dark bottom
    pDC->FillSolidRect(l + 2, b - 2, r - l - 4, 1, g.clrBarShadow);
    pDC->SetPixel(l + 1, b - 2, g.clrBarShadow);
    pDC->SetPixel(r - 2, b - 2, g.clrBarDkShadow);
    pDC->FillSolidRect(r - 1, t, 1, h - 2, g.clrBarDkShadow);      // outer dark right side
    pDC->FillSolidRect(r - 2, t, 1, h - 2, g.clrBarShadow);
  } else {
    pDC->FillSolidRect(l, t + 2, 1, h - 2, g.clrBarHilite);
    pDC->FillSolidRect(l + 2, t, r - l - 4, 1, g.clrBarHilite);
    pDC->SetPixel(l + 1, t + 1, g.clrBarHilite);
    pDC->SetPixel(r - 2, t + 1, g.clrBarDkShadow);
    pDC->FillSolidRect(r - 1, t + 2, 1, h - 2, g.clrBarDkShadow);
    pDC->FillSolidRect(r - 2, t + 2, 1, h - 2, g.clrBarShadow);
  }
  if (bIsActive) {
    // The active tab joins the area of its window.
    const COLORREF clrJoin = (pTabWnd->IsSlopedStyle() && clrTab != (COLORREF)-1) ? clrTab : g.clrBarFace;
    if (bBottom) pDC->FillSolidRect(l + 1, t - 3, r - l - 3, 3, clrJoin);
    else pDC->FillSolidRect(l + 1, b, r - l - 3, 3, clrJoin);
  }
}

void CUfxVisualManager::DrawTabContentIn(CDC* pDC, const CRect& rectTab, int iTab, BOOL bIsActive,
                                         const CUfxTabWnd* pTabWnd, COLORREF clrDefault) {
  COLORREF clrText = clrDefault;
  const COLORREF clrOwn = pTabWnd->GetTabTextColor(iTab);
  if (!bIsActive && clrOwn != (COLORREF)-1) clrText = clrOwn;
  const COLORREF clrOld = pDC->SetTextColor(clrText);
  OnDrawTabContent(pDC, rectTab, iTab, bIsActive, pTabWnd, clrText);
  pDC->SetTextColor(clrOld);
}

void CUfxVisualManager::OnDrawTab(CDC* pDC, CRect rectTab, int iTab, BOOL bIsActive, const CUfxTabWnd* pTabWnd) {
  if (pTabWnd == nullptr) return;
  const COLORREF clrTab = pTabWnd->GetTabBkColor(iTab);
  if (pTabWnd->IsFlatTab()) {
    const COLORREF clrFill = bIsActive ? UfxGlobalData.clrWindow : clrTab;
    DrawFlatTab(pDC, rectTab, bIsActive, clrFill, pTabWnd);
  } else if (pTabWnd->IsSlopedStyle()) {
    POINT pts[8];
    const BOOL bBottom = pTabWnd->GetLocation() == CUfxTabWnd::LOCATION_BOTTOM;
    GetSlopedTabPoints(rectTab, bBottom, pTabWnd->GetTabsArea().right, pts);
    CRgn rgn;
    rgn.CreatePolygonRgn(pts, 8, ALTERNATE);
    CBrush brush(clrTab != (COLORREF)-1 ? clrTab : UfxGlobalData.clrBtnFace);
    pDC->FillRgn(&rgn, &brush);
    DrawSlopedTabOutline(pDC, rectTab, pTabWnd, UfxGlobalData.clrBarHilite, UfxGlobalData.clrBarShadow);
  } else {
    Draw3DTab(pDC, rectTab, bIsActive, clrTab, pTabWnd);
  }
  DrawTabContentIn(pDC, rectTab, iTab, bIsActive, pTabWnd, pDC->GetTextColor());
}

void CUfxVisualManager::OnDrawTabContent(CDC* pDC, CRect rectTab, int iTab, BOOL bIsActive, const CUfxTabWnd* pTabWnd,
                                         COLORREF clrText) {
  if (pTabWnd == nullptr) return;
  CString strLabel;
  pTabWnd->GetTabLabel(iTab, strLabel);
  const UINT noPrefix = pTabWnd->IsLabelNoPrefix() ? DT_NOPREFIX : 0;
  pDC->SetTextColor(clrText);
  const int oldMode = pDC->SetBkMode(TRANSPARENT);
  if (pTabWnd->IsFlatTab()) {
    pDC->DrawText(strLabel, &rectTab, DT_CENTER | DT_VCENTER | DT_SINGLELINE | noPrefix);
    pDC->SetBkMode(oldMode);
    return;
  }
  CRect rectText = rectTab;
  const BOOL bSloped = pTabWnd->IsSlopedStyle();
  if (bSloped) rectText.left += pTabWnd->GetTabsHeight();  // after the slanted edge
  const int margin = CUfxTabWnd::kImageMargin;
  CImageList* pImages = pTabWnd->GetImageList();
  const int iImage = pTabWnd->GetTabIcon(iTab);
  const CSize sizeImage = pTabWnd->GetImageSize();
  if (pImages != nullptr && iImage >= 0 && rectText.Width() > sizeImage.cx + margin) {
    const BOOL bBottom = pTabWnd->GetLocation() == CUfxTabWnd::LOCATION_BOTTOM;
    const int y = rectText.top + (rectText.Height() - sizeImage.cy) / 2 - ((bIsActive && bBottom) ? 1 : 0);
    pImages->Draw(pDC, iImage, CPoint(rectText.left + margin, y), ILD_TRANSPARENT);
    rectText.left += margin + sizeImage.cx + 6;
  } else {
    rectText.left += margin;
  }
  if (rectText.Width() > 0 && !strLabel.IsEmpty())
    pDC->DrawText(strLabel, &rectText, DT_END_ELLIPSIS | DT_VCENTER | DT_SINGLELINE | noPrefix | (bSloped ? DT_CENTER : 0));
  pDC->SetBkMode(oldMode);
}

void CUfxVisualManager::OnEraseTabsButton(CDC* pDC, CRect rect, CUfxButton*, CUfxTabWnd*) {
  pDC->FillRect(&rect, &UfxGlobalData.brBarFace);
}

void CUfxVisualManager::OnDrawTabsButtonBorder(CDC* pDC, CRect& rect, CUfxButton* pButton, UINT uiState, CUfxTabWnd*) {
  BOOL bPressed = (uiState & 1) != 0;
  if (!bPressed && pButton != nullptr) bPressed = pButton->IsPressed();
  if (bPressed) {
    DrawFrame(pDC, rect, UfxGlobalData.clrBtnDkShadow, UfxGlobalData.clrBtnHilite);
    rect.left += 2;
    rect.top += 2;
  } else {
    DrawFrame(pDC, rect, UfxGlobalData.clrBtnHilite, UfxGlobalData.clrBtnDkShadow);
  }
  rect.DeflateRect(2, 2);
}

void CUfxVisualManager::GetTabFrameColors(const CUfxTabWnd* pTabWnd, COLORREF& clrDark, COLORREF& clrBlack,
                                          COLORREF& clrHighlight, COLORREF& clrFace, COLORREF& clrDarkShadow,
                                          COLORREF& clrLight, CBrush*& pbrFace, CBrush*& pbrBlack) {
  clrDark = UfxGlobalData.clrBarShadow;
  clrBlack = UfxGlobalData.clrBarText;
  clrHighlight = UfxGlobalData.clrBarHilite;
  clrFace = UfxGlobalData.clrBarFace;
  if (pTabWnd != nullptr && pTabWnd->IsSlopedStyle()) {
    const COLORREF clrActive = pTabWnd->GetTabBkColor(pTabWnd->GetActiveTab());
    if (clrActive != (COLORREF)-1) clrFace = clrActive;
  }
  clrDarkShadow = UfxGlobalData.clrBarDkShadow;
  clrLight = UfxGlobalData.clrBarLight;
  pbrFace = &UfxGlobalData.brBarFace;
  pbrBlack = &UfxGlobalData.brBlack;
}

BOOL CUfxVisualManager::OnEraseTabsFrame(CDC* pDC, CRect rect, const CUfxTabWnd* pTabWnd) {
  if (pTabWnd == nullptr || !pTabWnd->IsSlopedStyle()) return FALSE;
  const COLORREF clrActive = pTabWnd->GetTabBkColor(pTabWnd->GetActiveTab());
  if (clrActive == (COLORREF)-1) return FALSE;
  pDC->FillSolidRect(&rect, clrActive);
  return TRUE;
}

BOOL CUfxVisualManager::IsTabHighlightSupported() const { return FALSE; }

COLORREF CUfxVisualManager::OnFillCommandsListBackground(CDC* pDC, CRect rect, BOOL bIsSelected) {
  if (!bIsSelected) {
    pDC->FillRect(&rect, &UfxGlobalData.brBtnFace);
    return UfxGlobalData.clrBarText;
  }
  pDC->FillRect(&rect, &UfxGlobalData.brHilite);
  CRect inner = rect;
  inner.DeflateRect(1, 1);
  pDC->PatBlt(inner.left, inner.top, inner.Width(), 1, PATINVERT);
  pDC->PatBlt(inner.left, inner.bottom - 1, inner.Width(), 1, PATINVERT);
  pDC->PatBlt(inner.left, inner.top + 1, 1, inner.Height() - 2, PATINVERT);
  pDC->PatBlt(inner.right - 1, inner.top + 1, 1, inner.Height() - 2, PATINVERT);
  return UfxGlobalData.clrTextHilite;
}

CSize CUfxVisualManager::GetButtonExtraBorder() const { return CSize(0, 0); }

void CUfxVisualManager::OnFillHeaderCtrlBackground(CUfxHeaderCtrl*, CDC* pDC, CRect rect) {
  pDC->FillRect(&rect, &UfxGlobalData.brBtnFace);
}

void CUfxVisualManager::OnDrawHeaderCtrlBorder(CUfxHeaderCtrl*, CDC* pDC, CRect& rect, BOOL bIsPressed, BOOL) {
  if (bIsPressed) {
    DrawFrame(pDC, rect, UfxGlobalData.clrBtnShadow, UfxGlobalData.clrBtnShadow);
    rect.left++;
    rect.top++;
  } else {
    DrawFrame(pDC, rect, UfxGlobalData.clrBtnHilite, UfxGlobalData.clrBtnShadow);
  }
}

void CUfxVisualManager::OnDrawHeaderCtrlSortArrow(CUfxHeaderCtrl*, CDC* pDC, CRect& rect, BOOL bIsUp) {
  CPen lit(PS_SOLID, 1, UfxGlobalData.clrBtnHilite), dark(PS_SOLID, 1, UfxGlobalData.clrBtnDkShadow);
  CPen* pOld = pDC->SelectObject(&lit);
  const int mid = rect.CenterPoint().x;
  if (bIsUp) {
    pDC->MoveTo(rect.left, rect.bottom);
    pDC->LineTo(rect.right, rect.bottom);
    pDC->LineTo(mid, rect.top);
    pDC->SelectObject(&dark);
    pDC->LineTo(rect.left, rect.bottom);
  } else {
    pDC->SelectObject(&dark);
    pDC->MoveTo(rect.right, rect.top);
    pDC->LineTo(rect.left, rect.top);
    pDC->LineTo(mid, rect.bottom);
    pDC->SelectObject(&lit);
    pDC->LineTo(rect.right, rect.top);
  }
  pDC->SelectObject(pOld);
}

// The tasks pane has no caller in this program: each operation is its one-line drawing.
void CUfxVisualManager::OnFillTasksPaneBackground(CDC* pDC, CRect rect) { pDC->FillRect(&rect, &UfxGlobalData.brWindow); }
void CUfxVisualManager::OnDrawTasksGroupCaption(CDC*, CUfxTasksGroup*, BOOL, BOOL, BOOL) {}
void CUfxVisualManager::OnTasksPaneReservedHook() {}
void CUfxVisualManager::OnFillTasksGroupInterior(CDC*, CRect, BOOL) {}
void CUfxVisualManager::OnDrawTasksGroupAreaBorder(CDC* pDC, CRect rect, BOOL bSpecial, BOOL) {
  COLORREF clr = bSpecial ? UfxGlobalData.clrHilite : UfxGlobalData.clrBtnFace;
  DrawFrame(pDC, rect, clr, clr);
}
void CUfxVisualManager::OnDrawTask(CDC*, CUfxTask*, CImageList*, BOOL, BOOL) {}
void CUfxVisualManager::OnDrawScrollButton(CDC* pDC, CRect rect, BOOL, BOOL bIsHighlighted, BOOL, BOOL) {
  pDC->FillRect(&rect, &UfxGlobalData.brBarFace);
  if (bIsHighlighted) DrawFrame(pDC, rect, UfxGlobalData.clrBarHilite, UfxGlobalData.clrBarShadow);
}
void CUfxVisualManager::OnDrawExpandingBox(CDC* pDC, CRect rect, BOOL bIsOpened, COLORREF colorBox) {
  DrawFrame(pDC, rect, colorBox, colorBox);
  CPoint c = rect.CenterPoint();
  FillSolid(pDC, CRect(rect.left + 2, c.y, rect.right - 2, c.y + 1), colorBox);
  if (!bIsOpened) FillSolid(pDC, CRect(c.x, rect.top + 2, c.x + 1, rect.bottom - 2), colorBox);
}

int CUfxVisualManager::GetShowAllMenuItemsHeight(CDC*, const CSize& sizeDefault) { return sizeDefault.cy + 6; }

void CUfxVisualManager::OnDrawShowAllMenuItems(CDC*, CRect, UFX_BUTTON_STATE) {
  // The show-all glyph of the menu glyph strip, centred.
}

void CUfxVisualManager::DrawWindowFrame(CWnd* pWnd, COLORREF clrTopLeft, COLORREF clrBottomRight) {
  CRect rect;
  pWnd->GetWindowRect(rect);
  rect.OffsetRect(-rect.left, -rect.top);
  CWindowDC dc(pWnd);
  DrawFrame(&dc, rect, clrTopLeft, clrBottomRight);
}

void CUfxVisualManager::OnDrawControlBorder(CWnd* pWndCtrl) {
  DrawWindowFrame(pWndCtrl, UfxGlobalData.clrBarHilite, UfxGlobalData.clrBarDkShadow);
}

int CUfxVisualManager::GetMenuImageMargin() const { return 2; }
BOOL CUfxVisualManager::IsLook2000Allowed() const { return TRUE; }
int CUfxVisualManager::GetToolbarCustomizeButtonMargin() const { return 2; }
BOOL CUfxVisualManager::IsOffsetPressedButton() const { return TRUE; }
int CUfxVisualManager::GetReservedSettingA() const { return m_nReservedA; }
int CUfxVisualManager::GetReservedSettingB() const { return m_nReservedB; }
