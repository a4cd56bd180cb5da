#include "looks/UfxColorMenuButton.h"
#include "looks/ColorPopup.h"
#include "looks/UfxColorBar.h"
#include "looks/UfxColorChooserDlg.h"
#include "looks/UfxPalette.h"
#include "looks/UfxVisualManager.h"
#include "bars/UfxMenuBar.h"
#include "bars/UfxMenuGlyphs.h"
#include "bars/UfxToolBar.h"
#include "frames/UfxFrameWnd.h"
#include "frames/UfxGlobalData.h"
#include "frames/UfxWorkspace.h"
#include <algorithm>
#include <vector>

IMPLEMENT_SERIAL(CUfxColorMenuButton, CUfxToolbarMenuButton, VERSIONABLE_SCHEMA | 1)

const UINT UFXM_GETDOCUMENTCOLORS = ::RegisterWindowMessageW(L"UFXTOOLBAR__GETDOCUMENTCOLORS");

namespace {
const int kMaxPaletteColors = 100;
}

CMap<UINT, UINT, COLORREF, COLORREF>& CUfxColorMenuButton::ColorsByCmdID() {
  static CMap<UINT, UINT, COLORREF, COLORREF> table;
  static const bool init = (table.InitHashTable(17), true);
  (void)init;
  return table;
}

void CUfxColorMenuButton::SetColorByCmdID(UINT uiCmdID, COLORREF color) { ColorsByCmdID().SetAt(uiCmdID, color); }

COLORREF CUfxColorMenuButton::GetColorByCmdID(UINT uiCmdID) {
  COLORREF color = (COLORREF)-1;
  ColorsByCmdID().Lookup(uiCmdID, color);
  return color;
}

void CUfxColorMenuButton::ClearColorsByCmdID() { ColorsByCmdID().RemoveAll(); }

void CUfxColorMenuButton::SerializeColorsByCmdID(CArchive& ar) {
  CMap<UINT, UINT, COLORREF, COLORREF>& table = ColorsByCmdID();
  if (ar.IsStoring()) {
    ar << (int)table.GetCount();
    for (POSITION pos = table.GetStartPosition(); pos != nullptr;) {
      UINT uiCmd = 0;
      COLORREF color = 0;
      table.GetNextAssoc(pos, uiCmd, color);
      ar << uiCmd << (DWORD)color;
    }
    return;
  }
  int nCount = 0;
  ar >> nCount;
  if (nCount < 0) AfxThrowArchiveException(CArchiveException::badIndex);
  ar.CheckCount((ULONGLONG)nCount, 2 * sizeof(DWORD));
  std::vector<std::pair<UINT, COLORREF>> entries((size_t)nCount);
  for (auto& entry : entries) {
    DWORD dwColor = 0;
    ar >> entry.first >> dwColor;
    entry.second = dwColor;
  }
  table.RemoveAll();
  for (const auto& entry : entries) table.SetAt(entry.first, entry.second);
}

CUfxColorMenuButton::CUfxColorMenuButton() = default;

CUfxColorMenuButton::CUfxColorMenuButton(UINT uiCmdID, LPCWSTR lpszText, CPalette* pPalette)
    : CUfxToolbarMenuButton(uiCmdID, nullptr, -1, lpszText) {
  CUfxColorBar::InitColors(pPalette, m_Colors);
  m_Color = GetColorByCmdID(uiCmdID);
}

CUfxColorMenuButton::~CUfxColorMenuButton() = default;

void CUfxColorMenuButton::EnableAutomaticButton(LPCWSTR lpszLabel, COLORREF colorAutomatic, BOOL bEnable) {
  m_bIsAutomaticButton = bEnable;
  m_strAutomaticButtonLabel = lpszLabel != nullptr ? lpszLabel : L"";
  m_colorAutomatic = colorAutomatic;
}

void CUfxColorMenuButton::EnableOtherButton(LPCWSTR lpszLabel, BOOL bAltColorDlg, BOOL bEnable) {
  m_bIsOtherButton = bEnable;
  m_strOtherButtonLabel = lpszLabel != nullptr ? lpszLabel : L"";
  m_bStdColorDlg = !bAltColorDlg;
}

void CUfxColorMenuButton::EnableDocumentColors(LPCWSTR lpszLabel, BOOL bEnable) {
  m_bIsDocumentColors = bEnable;
  m_strDocumentColorsLabel = lpszLabel != nullptr ? lpszLabel : L"";
}

BOOL CUfxColorMenuButton::ArchiveHasExtendedFields() {
  CUfxWorkspace* pWorkspace = UfxGetWorkspace();
  if (pWorkspace == nullptr) return FALSE;
  const int iMajor = pWorkspace->GetDataVersionMajor();
  const int iMinor = pWorkspace->GetDataVersionMinor();
  return iMajor > 4 || (iMajor == 4 && iMinor > 70);
}

void CUfxColorMenuButton::Serialize(CArchive& ar) {
  CUfxToolbarMenuButton::Serialize(ar);
  const BOOL bExtended = ArchiveHasExtendedFields();
  if (ar.IsStoring()) {
    ar << (int)m_Colors.GetSize();
    for (INT_PTR i = 0; i < m_Colors.GetSize(); ++i) ar << (DWORD)m_Colors[i];
    ar << m_nColumns;
    if (bExtended) {
      ar << m_nVertDockColumns << m_nHorzDockRows;
      ar << (int)m_bIsAutomaticButton << (int)m_bIsOtherButton << (int)m_bIsDocumentColors;
      ar << m_strAutomaticButtonLabel << m_strOtherButtonLabel << m_strDocumentColorsLabel;
      ar << (DWORD)m_colorAutomatic << (int)m_bStdColorDlg;
    }
    return;
  }
  // Everything is read first: a damaged record leaves the button as it was.
  int nCount = 0;
  ar >> nCount;
  if (nCount < 0) AfxThrowArchiveException(CArchiveException::badIndex);
  ar.CheckCount((ULONGLONG)nCount, sizeof(DWORD));
  CArray<COLORREF, COLORREF> colors;
  colors.SetSize(nCount);
  for (int i = 0; i < nCount; ++i) {
    DWORD dw = 0;
    ar >> dw;
    colors[i] = dw;
  }
  int nColumns = -1, nVertDockColumns = -1, nHorzDockRows = -1;
  ar >> nColumns;
  if (bExtended) {
    int nAuto = 0, nOther = 0, nDoc = 0, nStd = 0;
    DWORD dwAutomatic = 0;
    CString strAuto, strOther, strDoc;
    ar >> nVertDockColumns >> nHorzDockRows >> nAuto >> nOther >> nDoc >> strAuto >> strOther >> strDoc >> dwAutomatic >>
        nStd;
    m_bIsAutomaticButton = nAuto;
    m_bIsOtherButton = nOther;
    m_bIsDocumentColors = nDoc;
    m_strAutomaticButtonLabel = strAuto;
    m_strOtherButtonLabel = strOther;
    m_strDocumentColorsLabel = strDoc;
    m_colorAutomatic = dwAutomatic;
    m_bStdColorDlg = nStd;
  }
  m_Colors.Copy(colors);
  m_nColumns = nColumns;
  m_nVertDockColumns = nVertDockColumns;
  m_nHorzDockRows = nHorzDockRows;
  if (m_Palette.GetSafeHandle() != nullptr) m_Palette.DeleteObject();
  // A colour chosen on another button of the same command wins.
  CObList lstButtons;
  CUfxToolBar::GetCommandButtons(m_nID, lstButtons);
  for (POSITION pos = lstButtons.GetHeadPosition(); pos != nullptr;) {
    CUfxColorMenuButton* pOther = DYNAMIC_DOWNCAST(CUfxColorMenuButton, lstButtons.GetNext(pos));
    if (pOther != nullptr && pOther != this && pOther->m_Color != (COLORREF)-1) {
      m_Color = pOther->m_Color;
      break;
    }
  }
}

void CUfxColorMenuButton::CopyFrom(const CUfxToolbarButton& s) {
  CUfxToolbarMenuButton::CopyFrom(s);
  const CUfxColorMenuButton* pSrc = DYNAMIC_DOWNCAST(CUfxColorMenuButton, const_cast<CUfxToolbarButton*>(&s));
  if (pSrc == nullptr) return;
  m_Color = pSrc->m_Color;
  SetColorByCmdID(m_nID, m_Color);
  m_Colors.Copy(pSrc->m_Colors);
  m_bIsAutomaticButton = pSrc->m_bIsAutomaticButton;
  m_bIsOtherButton = pSrc->m_bIsOtherButton;
  m_bIsDocumentColors = pSrc->m_bIsDocumentColors;
  m_strAutomaticButtonLabel = pSrc->m_strAutomaticButtonLabel;
  m_strOtherButtonLabel = pSrc->m_strOtherButtonLabel;
  m_strDocumentColorsLabel = pSrc->m_strDocumentColorsLabel;
  m_colorAutomatic = pSrc->m_colorAutomatic;
  m_nColumns = pSrc->m_nColumns;
  m_nVertDockColumns = pSrc->m_nVertDockColumns;
  m_nHorzDockRows = pSrc->m_nHorzDockRows;
  m_bStdColorDlg = pSrc->m_bStdColorDlg;
}

void CUfxColorMenuButton::OnParentChanged(CWnd* pWndParent) {
  CUfxToolbarMenuButton::OnParentChanged(pWndParent);
  m_bMenuBarGeometry = DYNAMIC_DOWNCAST(CUfxPopupMenuBar, pWndParent) != nullptr ||
                       DYNAMIC_DOWNCAST(CUfxMenuBar, pWndParent) != nullptr;
  m_pWndParent = pWndParent;
}

void CUfxColorMenuButton::SetColor(COLORREF clr, BOOL bNotify) {
  m_Color = clr;
  SetColorByCmdID(m_nID, clr);
  if (m_pWndParent != nullptr && m_pWndParent->GetSafeHwnd() != nullptr) {
    m_pWndParent->InvalidateRect(m_rect);
    m_pWndParent->UpdateWindow();
  }
  if (!bNotify) return;
  CObList lstButtons;
  CUfxToolBar::GetCommandButtons(m_nID, lstButtons);
  for (POSITION pos = lstButtons.GetHeadPosition(); pos != nullptr;) {
    CUfxColorMenuButton* pOther = DYNAMIC_DOWNCAST(CUfxColorMenuButton, lstButtons.GetNext(pos));
    if (pOther != nullptr && pOther != this) pOther->SetColor(clr, FALSE);
  }
  const CObList& lstBars = CUfxToolBar::GetAllToolbars();
  for (POSITION pos = lstBars.GetHeadPosition(); pos != nullptr;) {
    CUfxColorBar* pBar = DYNAMIC_DOWNCAST(CUfxColorBar, lstBars.GetNext(pos));
    if (pBar != nullptr && pBar->GetSafeHwnd() != nullptr && pBar->GetCommandID() == m_nID) pBar->SetColor(clr);
  }
}

CUfxPopupMenu* CUfxColorMenuButton::CreatePopupMenu() {
  CList<COLORREF, COLORREF> lstDocColors;
  if (m_bIsDocumentColors && m_pWndParent != nullptr && m_pWndParent->GetSafeHwnd() != nullptr) {
    CFrameWnd* pFrame = UfxGetTopLevelFrame(m_pWndParent);
    if (pFrame != nullptr && pFrame->GetSafeHwnd() != nullptr)
      pFrame->SendMessage(UFXM_GETDOCUMENTCOLORS, m_nID, (LPARAM)&lstDocColors);
  }
  return new CColorPopup(m_Colors, m_Color, m_bIsAutomaticButton ? (LPCWSTR)m_strAutomaticButtonLabel : nullptr,
                         m_bIsOtherButton ? (LPCWSTR)m_strOtherButtonLabel : nullptr,
                         m_bIsDocumentColors ? (LPCWSTR)m_strDocumentColorsLabel : nullptr, lstDocColors, m_nColumns,
                         m_nHorzDockRows, m_nVertDockColumns, m_colorAutomatic, m_nID);
}

BOOL CUfxColorMenuButton::OpenColorDialog(const COLORREF colorDefault, COLORREF& colorRes) {
  CWnd* pParent = m_pWndParent != nullptr && m_pWndParent->GetSafeHwnd() != nullptr ? m_pWndParent : nullptr;
  if (m_bStdColorDlg) {
    CColorDialog dlg(colorDefault, CC_FULLOPEN | CC_ANYCOLOR, pParent);
    if (dlg.DoModal() != IDOK) return FALSE;
    colorRes = dlg.GetColor();
    return TRUE;
  }
  CUfxColorChooserDlg dlg(colorDefault, pParent);
  if (dlg.DoModal() != IDOK) return FALSE;
  colorRes = dlg.GetColor();
  return TRUE;
}

void CUfxColorMenuButton::BuildPalette() {
  if (m_Palette.GetSafeHandle() == nullptr) UfxCreatePaletteOfColors(m_Palette, m_Colors, kMaxPaletteColors);
}

CRect CUfxColorMenuButton::GetSwatchRect(const CRect& rect) const {
  CUfxVisualManager* pVM = CUfxVisualManager::GetInstance();
  if (m_bMenuBarGeometry) {
    const CSize sizeImage = CUfxToolBar::GetMenuImageSize();
    const int x = rect.left + pVM->GetMenuImageMargin() + 1;
    return CRect(x, rect.bottom - 7, x + sizeImage.cx, rect.bottom - 2);
  }
  CUfxToolBar* pBar = DYNAMIC_DOWNCAST(CUfxToolBar, m_pWndParent);
  const CSize sizeImage = pBar != nullptr ? pBar->GetImageSize() : CUfxToolBar::GetMenuImageSize();
  CRect rectButton = rect;
  if (m_bDrawDownArrow) rectButton.right -= (CUfxMenuGlyphs::GetSize().cx + 2);
  const int xImage = rectButton.left + (rectButton.Width() - sizeImage.cx) / 2;
  const int yImage = m_bTextBelow && m_bText ? rect.top + 3 : rect.top + (rect.Height() - sizeImage.cy) / 2;
  CRect rectSwatch(xImage, yImage + sizeImage.cy - 1 - 5, xImage + sizeImage.cx, yImage + sizeImage.cy - 1);
  rectSwatch.DeflateRect(4, 0);
  if (!(m_bTextBelow && m_bText)) rectSwatch.OffsetRect(0, 1);
  if ((m_nStyle & (TBBS_PRESSED | TBBS_CHECKED)) && pVM->IsOffsetPressedButton()) rectSwatch.OffsetRect(1, 1);
  return rectSwatch;
}

void CUfxColorMenuButton::OnDraw(CDC* pDC, const CRect& rect, CUfxToolBarImages* pImages, BOOL bHorz,
                                 BOOL bCustomizeMode, BOOL bHighlight, BOOL bDrawBorder, BOOL bGrayDisabledButtons) {
  CUfxToolbarMenuButton::OnDraw(pDC, rect, pImages, bHorz, bCustomizeMode, bHighlight, bDrawBorder,
                                bGrayDisabledButtons);
  if (!m_bImage || GetImage() < 0) return;
  CPalette* pOldPalette = nullptr;
  if (UfxGlobalData.m_nBitsPerPixel == 8) {
    BuildPalette();
    if (m_Palette.GetSafeHandle() != nullptr) {
      pOldPalette = pDC->SelectPalette(&m_Palette, FALSE);
      pDC->RealizePalette();
    }
  }
  const CRect rectSwatch = GetSwatchRect(rect);
  COLORREF color = m_Color == (COLORREF)-1 ? m_colorAutomatic : m_Color;
  if (m_nStyle & TBBS_DISABLED) color = UfxGlobalData.clrBtnShadow;
  CBrush brush(PALETTERGB(GetRValue(color), GetGValue(color), GetBValue(color)));
  CBrush* pOldBrush = pDC->SelectObject(&brush);
  CPen* pOldPen = (CPen*)pDC->SelectStockObject(NULL_PEN);
  pDC->Rectangle(rectSwatch.left, rectSwatch.top, rectSwatch.right + 1, rectSwatch.bottom + 1);
  pDC->SelectObject(pOldPen);
  pDC->SelectObject(pOldBrush);
  if (!CUfxVisualManager::GetInstance()->IsMenuFlatLook()) {
    pDC->Draw3dRect(rectSwatch, UfxGlobalData.clrBtnShadow, UfxGlobalData.clrBtnLight);
  } else if (color == UfxGlobalData.clrBtnFace) {
    pDC->Draw3dRect(rectSwatch, UfxGlobalData.clrBtnDkShadow, UfxGlobalData.clrBtnDkShadow);
  }
  if (pOldPalette != nullptr) pDC->SelectPalette(pOldPalette, TRUE);
}
