#include "looks/ColorButton.h"
#include "looks/UfxColorBar.h"
#include "looks/UfxVisualManager.h"
#include "bars/UfxToolBar.h"
#include "frames/UfxGlobalData.h"

IMPLEMENT_SERIAL(CColorButton, CUfxToolbarButton, 1)

namespace {
// Colour names by colour; the table hashes colour / 16.
CMap<COLORREF, COLORREF, CString, const CString&>& ColorNames() {
  static CMap<COLORREF, COLORREF, CString, const CString&> names;
  static const bool init = (names.InitHashTable(17), true);
  (void)init;
  return names;
}
}  // namespace

CColorButton::CColorButton() = default;

CColorButton::CColorButton(COLORREF color, BOOL bIsAutomatic, BOOL bIsOther, LPCWSTR lpszColorName, BOOL bIsLabel,
                           BOOL bIsDocument, BOOL bIsOtherColor)
    : m_Color(color), m_bIsAutomatic(bIsAutomatic), m_bIsOther(bIsOther), m_bIsLabel(bIsLabel),
      m_bIsDocument(bIsDocument), m_bIsOtherColor(bIsOtherColor) {
  m_strText = lpszColorName != nullptr ? lpszColorName : L"";
  m_bText = !m_strText.IsEmpty();
  m_bImage = FALSE;
  m_bLocked = TRUE;
}

CColorButton::~CColorButton() = default;

void CColorButton::SetColorName(COLORREF color, const CString& strName) { ColorNames().SetAt(color, strName); }

BOOL CColorButton::GetColorName(COLORREF color, CString& strName) { return ColorNames().Lookup(color, strName); }

void CColorButton::ClearColorNames() { ColorNames().RemoveAll(); }

void CColorButton::OnParentChanged(CWnd* pWndParent) {
  CUfxToolbarButton::OnParentChanged(pWndParent);
  m_pParentBar = DYNAMIC_DOWNCAST(CUfxColorBar, pWndParent);
}

CString CColorButton::GetTooltipText() const {
  if (!m_strText.IsEmpty()) return m_strText;
  CString strText;
  if (m_Color != (COLORREF)-1 && GetColorName(m_Color, strText)) return strText;
  strText.Format(L"Hex={%02X,%02X,%02X}", GetRValue(m_Color), GetGValue(m_Color), GetBValue(m_Color));
  return strText;
}

BOOL CColorButton::OnToolHitTest(const CWnd* pWnd, TOOLINFOW* pTI) {
  if ((m_nStyle & TBBS_DISABLED) || !CUfxToolBar::IsShowTooltips() || pTI == nullptr) return FALSE;
  pTI->lpszText = _wcsdup(GetTooltipText());
  return TRUE;
}

void CColorButton::OnDraw(CDC* pDC, const CRect& rect, CUfxToolBarImages*, BOOL, BOOL, BOOL bHighlight, BOOL, BOOL) {
  if (rect.IsRectEmpty()) return;
  CPalette* pOldPalette = nullptr;
  CPalette* pPalette = m_pParentBar != nullptr ? m_pParentBar->GetPalette() : nullptr;
  if (pPalette != nullptr && pPalette->GetSafeHandle() != nullptr) {
    pOldPalette = pDC->SelectPalette(pPalette, FALSE);
    pDC->RealizePalette();
  }
  const BOOL bDisabled = (m_nStyle & TBBS_DISABLED) != 0;
  if (m_bHighlight || (bHighlight && !bDisabled)) {
    CUfxVisualManager::GetInstance()->OnDrawButtonBorder(
        pDC, this, rect, m_bHighlight && !bHighlight ? CUfxVisualManager::ButtonsIsPressed : CUfxVisualManager::ButtonsIsHighlighted);
  }
  const int nBorder = ::GetSystemMetrics(SM_CXBORDER);
  CRect rectColor = rect;
  rectColor.DeflateRect(2 * nBorder, 2 * nBorder);

  if (IsSpecial()) {
    CRect rectText = rectColor;
    if (m_bIsAutomatic && m_Color != (COLORREF)-1 && !bDisabled) {
      CRect rectSwatch = rectColor;
      rectSwatch.right = rectSwatch.left + rectSwatch.Height();
      rectSwatch.DeflateRect(1, 1);
      pDC->FillSolidRect(rectSwatch, PALETTERGB(GetRValue(m_Color), GetGValue(m_Color), GetBValue(m_Color)));
      pDC->Draw3dRect(rectSwatch, UfxGlobalData.clrBtnShadow, UfxGlobalData.clrBtnShadow);
      rectText.left = rectSwatch.right + 1;
    }
    CFont* pOldFont = pDC->SelectObject(&UfxGlobalData.fontRegular);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(bDisabled ? UfxGlobalData.clrGrayedText : UfxGlobalData.clrBtnText);
    const UINT uiFormat = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | (m_bIsLabel ? DT_LEFT : DT_CENTER);
    pDC->DrawText(m_strText, rectText, uiFormat);
    pDC->SelectObject(pOldFont);
  } else if (!bDisabled) {
    CBrush brush(PALETTERGB(GetRValue(m_Color), GetGValue(m_Color), GetBValue(m_Color)));
    CBrush* pOldBrush = pDC->SelectObject(&brush);
    CPen* pOldPen = (CPen*)pDC->SelectStockObject(NULL_PEN);
    pDC->Rectangle(rectColor.left, rectColor.top, rectColor.right + 1, rectColor.bottom + 1);
    pDC->SelectObject(pOldPen);
    pDC->SelectObject(pOldBrush);
    pDC->Draw3dRect(rectColor, UfxGlobalData.clrBtnShadow, UfxGlobalData.clrBtnShadow);
  }
  if (pOldPalette != nullptr) pDC->SelectPalette(pOldPalette, TRUE);
}
