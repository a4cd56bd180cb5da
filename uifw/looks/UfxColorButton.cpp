#include "looks/UfxColorButton.h"
#include "looks/ColorPopup.h"
#include "looks/UfxColorBar.h"
#include "looks/UfxPalette.h"
#include "looks/UfxVisualManager.h"
#include "looks/UfxWinXPVisualManager.h"
#include "bars/UfxMenuGlyphs.h"
#include "frames/UfxGlobalData.h"

IMPLEMENT_DYNAMIC(CUfxColorButton, CUfxButton)

BEGIN_MESSAGE_MAP(CUfxColorButton, CUfxButton)
  ON_WM_LBUTTONDOWN()
  ON_WM_KEYDOWN()
  ON_WM_GETDLGCODE()
  ON_WM_SYSCOLORCHANGE()
  ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

CUfxColorButton::CUfxColorButton() = default;

CUfxColorButton::~CUfxColorButton() {
  delete m_pPalette;
  m_pPalette = nullptr;
}

void CUfxColorButton::SetColor(COLORREF color) {
  m_Color = color;
  if (GetSafeHwnd() != nullptr) Invalidate();
}

void CUfxColorButton::EnableAutomaticButton(LPCWSTR lpszLabel, COLORREF colorAutomatic, BOOL) {
  m_strAutoColorText = lpszLabel != nullptr ? lpszLabel : L"";
  m_ColorAutomatic = colorAutomatic;
}

void CUfxColorButton::EnableOtherButton(LPCWSTR lpszLabel, BOOL bAltColorDlg, BOOL) {
  m_strOtherText = lpszLabel != nullptr ? lpszLabel : L"";
  m_bAltColorDlg = bAltColorDlg;
}

void CUfxColorButton::UpdateColor(COLORREF color) {
  SetColor(color);
  CWnd* pParent = GetParent();
  if (pParent != nullptr) pParent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED), (LPARAM)m_hWnd);
}

void CUfxColorButton::SetPalette(CPalette* pPalette) { RebuildPalette(pPalette); }

void CUfxColorButton::RebuildPalette(CPalette* pPalette) {
  CPalette* pNew = new CPalette;
  if (!UfxCreateSystemPalette(*pNew, pPalette)) {
    delete pNew;
    pNew = nullptr;
  }
  delete m_pPalette;
  m_pPalette = pNew;
}

void CUfxColorButton::OnSysColorChange() {
  CUfxButton::Default();
  UfxGlobalData.UpdateSysColors();
  RebuildPalette(nullptr);
  Invalidate();
}

BOOL CUfxColorButton::IsThemedLook() const {
  return UfxGlobalData.IsThemeActive() &&
         DYNAMIC_DOWNCAST(CUfxWinXPVisualManager, CUfxVisualManager::GetInstance()) != nullptr;
}

CRect CUfxColorButton::GetDropDownRect(const CRect& rect) const {
  CRect rectArrow = rect;
  rectArrow.left = rectArrow.right - (CUfxMenuGlyphs::GetSize().cx + 8);
  return rectArrow;
}

CSize CUfxColorButton::SizeToContent(BOOL bCalcOnly) {
  CSize size = CUfxButton::SizeToContent(TRUE);
  size.cx += CUfxMenuGlyphs::GetSize().cx;
  if (!bCalcOnly) SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  return size;
}

void CUfxColorButton::OnFillBackground(CDC* pDC, const CRect& rectClient) {
  if (IsThemedLook()) {
    pDC->FillSolidRect(rectClient, UfxGlobalData.clrWindow);
    return;
  }
  CUfxButton::OnFillBackground(pDC, rectClient);
}

void CUfxColorButton::OnDrawBorder(CDC* pDC, CRect& rectClient, UINT uiState) {
  if (IsThemedLook()) {
    CUfxVisualManager::GetInstance()->OnDrawComboBorder(pDC, rectClient, !IsWindowEnabled(), m_pPopup != nullptr,
                                                        m_bHighlighted, nullptr);
    rectClient.DeflateRect(2, 2);
    return;
  }
  pDC->Draw3dRect(rectClient, UfxGlobalData.clrBtnHilite, UfxGlobalData.clrBtnShadow);
  rectClient.DeflateRect(1, 1);
  if (m_nFlatStyle != BUTTONSTYLE_FLAT || m_bHighlighted) {
    pDC->Draw3dRect(rectClient, UfxGlobalData.clrBtnDkShadow, UfxGlobalData.clrBtnLight);
  }
  rectClient.DeflateRect(1, 1);
}

void CUfxColorButton::OnDrawFocusRect(CDC* pDC, const CRect& rectClient) {
  CRect rect = rectClient;
  rect.right -= CUfxMenuGlyphs::GetSize().cx + 8;
  CUfxButton::OnDrawFocusRect(pDC, rect);
}

void CUfxColorButton::OnDraw(CDC* pDC, const CRect& rect, UINT uiState) {
  if (m_pPalette == nullptr) RebuildPalette(nullptr);
  CPalette* pOldPalette = nullptr;
  if (m_pPalette != nullptr && m_pPalette->GetSafeHandle() != nullptr) {
    pOldPalette = pDC->SelectPalette(m_pPalette, FALSE);
    pDC->RealizePalette();
  }
  const BOOL bDisabled = (uiState & ODS_DISABLED) != 0 || !IsWindowEnabled();
  const CRect rectArrow = GetDropDownRect(rect);
  CRect rectColor = rect;
  rectColor.right = rectArrow.left;

  const COLORREF color = m_Color == (COLORREF)-1 ? m_ColorAutomatic : m_Color;
  rectColor.DeflateRect(2, 2);
  pDC->Draw3dRect(rectColor, UfxGlobalData.clrBtnHilite, UfxGlobalData.clrBtnDkShadow);
  rectColor.DeflateRect(1, 1);
  if (!bDisabled && color != (COLORREF)-1) {
    COLORREF clrFill = color;
    if (UfxGlobalData.m_nBitsPerPixel == 8 && m_pPalette != nullptr && m_pPalette->GetSafeHandle() != nullptr)
      clrFill = PALETTEINDEX(::GetNearestPaletteIndex((HPALETTE)m_pPalette->GetSafeHandle(), color));
    CBrush brush(clrFill);
    pDC->FillRect(rectColor, &brush);
  }
  if (m_Color == (COLORREF)-1 && !m_strAutoColorText.IsEmpty()) {
    CFont* pOldFont = SelectFont(pDC);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(bDisabled ? UfxGlobalData.clrGrayedText : UfxGlobalData.clrBtnText);
    CRect rectText = rectColor;
    pDC->DrawText(m_strAutoColorText, rectText, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_END_ELLIPSIS);
    pDC->SelectObject(pOldFont);
  }

  if (IsThemedLook()) {
    CUfxVisualManager::GetInstance()->OnDrawComboDropButton(pDC, rectArrow, bDisabled, m_pPopup != nullptr,
                                                            m_bHighlighted, nullptr);
  } else {
    pDC->FillRect(rectArrow, &UfxGlobalData.brBtnFace);
    const CSize sizeGlyph = CUfxMenuGlyphs::GetSize();
    const CPoint ptGlyph(rectArrow.left + (rectArrow.Width() - sizeGlyph.cx) / 2,
                         rectArrow.top + (rectArrow.Height() - sizeGlyph.cy) / 2);
    CUfxMenuGlyphs::Draw(pDC, bDisabled ? CUfxMenuGlyphs::IdArowDownDsbl : CUfxMenuGlyphs::IdArowDown, ptGlyph);
    CRect rectFrame = rectArrow;
    pDC->Draw3dRect(rectFrame, UfxGlobalData.clrBtnLight, UfxGlobalData.clrBtnDkShadow);
    rectFrame.DeflateRect(1, 1);
    pDC->Draw3dRect(rectFrame, UfxGlobalData.clrBtnHilite, UfxGlobalData.clrBtnShadow);
  }
  if (pOldPalette != nullptr) pDC->SelectPalette(pOldPalette, TRUE);
}

void CUfxColorButton::OnShowColorPopup() {
  if (m_pPopup != nullptr) {
    CColorPopup* pPopup = m_pPopup;
    m_pPopup = nullptr;
    pPopup->SendMessage(WM_CLOSE);
    Invalidate();
    return;
  }
  if (m_Colors.GetSize() == 0) CUfxColorBar::InitColors(nullptr, m_Colors);
  m_pPopup = new CColorPopup(this, m_Colors, m_Color, m_strAutoColorText, m_strOtherText, m_strDocColorsText,
                             m_lstDocColors, m_nColumns, m_ColorAutomatic);
  m_pPopup->m_bEnabledInCustomizeMode = m_bEnabledInCustomizeMode;
  CRect rectWindow;
  GetWindowRect(rectWindow);
  // A popup whose window cannot be made has already deleted itself.
  if (!m_pPopup->Create(this, rectWindow.left, rectWindow.bottom, nullptr, FALSE)) {
    m_pPopup = nullptr;
  } else {
    if (m_bEnabledInCustomizeMode) m_pPopup->GetColorBar().m_bInternal = TRUE;
    if (m_bAutoSetFocus) m_pPopup->GetColorBar().SetFocus();
  }
  if (m_bCaptured) {
    m_bCaptured = FALSE;
    if (GetCapture() == this) ::ReleaseCapture();
  }
  Invalidate();
}

void CUfxColorButton::OnLButtonDown(UINT, CPoint) {
  SetFocus();
  OnShowColorPopup();
}

void CUfxColorButton::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (nChar == VK_SPACE || nChar == VK_DOWN) {
    OnShowColorPopup();
    return;
  }
  Default();
}

UINT CUfxColorButton::OnGetDlgCode() { return DLGC_WANTARROWS; }

void CUfxColorButton::OnMouseMove(UINT nFlags, CPoint point) {
  if (!IsThemedLook()) {
    CUfxButton::OnMouseMove(nFlags, point);
    return;
  }
  // Tracked as a flat button so the themed drop button shows its hot state.
  const int nOldStyle = m_nFlatStyle;
  m_nFlatStyle = BUTTONSTYLE_FLAT;
  CUfxButton::OnMouseMove(nFlags, point);
  m_nFlatStyle = nOldStyle;
}
