#include "looks/UfxColorBar.h"
#include "looks/ColorButton.h"
#include "looks/ColorPopup.h"
#include "looks/UfxColorButton.h"
#include "looks/UfxColorMenuButton.h"
#include "looks/UfxColorChooserDlg.h"
#include "looks/UfxPalette.h"
#include "frames/UfxFrameWnd.h"
#include "frames/UfxGlobalData.h"
#include <algorithm>
#include <cmath>
#include <vector>

IMPLEMENT_SERIAL(CUfxColorBar, CUfxPopupMenuBar, 1)

namespace {
const int kSeparatorHeight = 4;
const int kMaxPaletteColors = 100;

int DivUp(int a, int b) { return b <= 0 ? 0 : (a + b - 1) / b; }
}  // namespace

BEGIN_MESSAGE_MAP(CUfxColorBar, CUfxPopupMenuBar)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_NCCALCSIZE()
  ON_WM_NCPAINT()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_LBUTTONDBLCLK()
  ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
  ON_WM_CONTEXTMENU()
  ON_WM_SYSKEYDOWN()
  ON_WM_QUERYNEWPALETTE()
  ON_WM_PALETTECHANGED()
END_MESSAGE_MAP()

CUfxColorBar::CUfxColorBar() { m_bMenuMode = FALSE; }

CUfxColorBar::CUfxColorBar(const CArray<COLORREF, COLORREF>& colors, COLORREF color, LPCWSTR lpszAutoColor,
                           LPCWSTR lpszOtherColor, LPCWSTR lpszDocColors,
                           const CList<COLORREF, COLORREF>& lstDocColors, int nColumns, int nRowsDockHorz,
                           int nColDockVert, COLORREF colorAutomatic, UINT nCommandID, CUfxColorButton* pParentBtn)
    : m_nNumColumns(nColumns), m_nNumRowsHorz(nRowsDockHorz), m_nNumColumnsVert(nColDockVert),
      m_ColorSelected(color), m_ColorAutomatic(colorAutomatic), m_strAutoColor(lpszAutoColor ? lpszAutoColor : L""),
      m_strOtherColor(lpszOtherColor ? lpszOtherColor : L""), m_strDocColors(lpszDocColors ? lpszDocColors : L""),
      m_nCommandID(nCommandID), m_bIsTearOff(FALSE), m_bIsPopup(TRUE), m_pParentBtn(pParentBtn) {
  m_bMenuMode = FALSE;
  m_colors.Copy(colors);
  for (POSITION pos = lstDocColors.GetHeadPosition(); pos != nullptr;) m_lstDocColors.AddTail(lstDocColors.GetNext(pos));
  m_bStdColorDlg = pParentBtn != nullptr ? !pParentBtn->m_bAltColorDlg : FALSE;
}

CUfxColorBar::CUfxColorBar(CUfxColorBar& src, UINT uiCommandID)
    : m_nNumColumns(src.m_nNumColumns), m_nNumRowsHorz(src.m_nNumRowsHorz), m_nNumColumnsVert(src.m_nNumColumnsVert),
      m_ColorSelected(src.m_ColorSelected), m_ColorAutomatic(src.m_ColorAutomatic), m_strAutoColor(src.m_strAutoColor),
      m_strOtherColor(src.m_strOtherColor), m_strDocColors(src.m_strDocColors), m_nCommandID(uiCommandID),
      m_bStdColorDlg(src.m_bStdColorDlg) {
  m_bMenuMode = FALSE;
  m_colors.Copy(src.m_colors);
  for (POSITION pos = src.m_lstDocColors.GetHeadPosition(); pos != nullptr;)
    m_lstDocColors.AddTail(src.m_lstDocColors.GetNext(pos));
}

CUfxColorBar::~CUfxColorBar() = default;

// ---- colours and palette -----------------------------------------------------------------------

int CUfxColorBar::InitColors(CPalette* pPalette, CArray<COLORREF, COLORREF>& arColors) {
  HPALETTE hPalette = pPalette != nullptr ? (HPALETTE)pPalette->GetSafeHandle() : nullptr;
  if (hPalette == nullptr) hPalette = (HPALETTE)::GetStockObject(DEFAULT_PALETTE);
  int nCount = 0;
  ::GetObjectW(hPalette, sizeof(WORD), &nCount);
  nCount &= 0xFFFF;
  if (pPalette == nullptr || pPalette->GetSafeHandle() == nullptr) nCount = std::min(nCount, 20);
  std::vector<PALETTEENTRY> entries(std::max(nCount, 1));
  nCount = (int)::GetPaletteEntries(hPalette, 0, nCount, entries.data());
  arColors.SetSize(nCount);
  for (int i = 0; i < nCount; ++i) arColors[i] = RGB(entries[i].peRed, entries[i].peGreen, entries[i].peBlue);
  return nCount;
}

void CUfxColorBar::BuildPalette() {
  if (m_Palette.GetSafeHandle() != nullptr) m_Palette.DeleteObject();
  if (UfxGlobalData.m_nBitsPerPixel == 8) UfxCreatePaletteOfColors(m_Palette, m_colors, kMaxPaletteColors);
}

CPalette* CUfxColorBar::GetPalette() {
  if (m_pParentBtn != nullptr && m_pParentBtn->m_pPalette != nullptr && m_pParentBtn->m_pPalette->GetSafeHandle() != nullptr)
    return m_pParentBtn->m_pPalette;
  if (m_Palette.GetSafeHandle() == nullptr && UfxGlobalData.m_nBitsPerPixel == 8) BuildPalette();
  return m_Palette.GetSafeHandle() != nullptr ? &m_Palette : nullptr;
}

// ---- creation ----------------------------------------------------------------------------------

BOOL CUfxColorBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID, CPalette* pPalette, int nColumns,
                          int nRowsDockHorz, int nColDockVert) {
  if (m_colors.GetSize() == 0) {
    m_nNumColumns = nColumns;
    m_nNumRowsHorz = nRowsDockHorz;
    m_nNumColumnsVert = nColDockVert;
    InitColors(pPalette, m_colors);
  }
  return CUfxPopupMenuBar::Create(pParentWnd, dwStyle, nID);
}

void CUfxColorBar::SetCellSize() {
  const CSize sizeImage = CUfxToolBar::GetMenuImageSize();
  m_BoxWidth = sizeImage.cx + 1;
  m_BoxHeight = sizeImage.cy + 1;
  m_nRowHeight = (3 * sizeImage.cy + 3) / 2;
}

int CUfxColorBar::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CUfxPopupMenuBar::OnCreate(lpCreateStruct) == -1) return -1;
  m_bMenuMode = FALSE;
  SetCellSize();
  BuildPalette();
  Rebuild();
  if (m_pParentBtn != nullptr) {
    m_pParentBtn->m_bCaptured = FALSE;
    SetCapture();
  }
  return 0;
}

void CUfxColorBar::OnDestroy() {
  if (GetCapture() == this) ::ReleaseCapture();
  if (m_pParentBtn != nullptr) {
    m_pParentBtn->m_pPopup = nullptr;
    if (m_pParentBtn->GetSafeHwnd() != nullptr) m_pParentBtn->SetFocus();
  }
  CUfxPopupMenuBar::OnDestroy();
}

BOOL CUfxColorBar::CreateControl(CWnd* pParentWnd, const CRect& rect, UINT nID, int nColumns, CPalette* pPalette) {
  InitColors(pPalette, m_colors);
  if (nColumns <= 0) {
    // The column count that gives the largest square cells in the rectangle.
    const int nColors = std::max<int>(1, (int)m_colors.GetSize());
    const int cx = rect.Width() - 2 * m_nHorzMargin, cy = rect.Height() - 2 * m_nVertMargin;
    int nBest = -1;
    nColumns = 1;
    for (int c = 1; c <= nColors; ++c) {
      const int nSide = std::min(cx / c, cy / DivUp(nColors, c));
      if (nSide > nBest) {
        nBest = nSide;
        nColumns = c;
      }
    }
  }
  m_nNumColumns = nColumns;
  m_bIsDlgControl = TRUE;
  if (!Create(pParentWnd, WS_CHILD | WS_VISIBLE, nID, pPalette, nColumns)) return FALSE;
  SetBarStyle(GetBarStyle() & ~(CBRS_BORDER_ANY | CBRS_GRIPPER));
  MoveWindow(rect);
  CRect rectClient;
  GetClientRect(rectClient);

  // The largest cell (at least 1 x 1) whose bar fits the height, then the width.
  auto fits = [&](int cx, int cy) {
    m_BoxWidth = cx;
    m_BoxHeight = cy;
    m_nRowHeight = cy * 3 / 2;
    const CSize size = CalcSize(FALSE);
    return size.cx <= rectClient.Width() && size.cy <= rectClient.Height();
  };
  int cy = 1;
  while (fits(1, cy + 1)) ++cy;
  int cx = 1;
  while (fits(cx + 1, cy)) ++cx;
  // Square cells: the smaller side for both.
  const int nSide = std::min(cx, cy);
  fits(nSide, nSide);
  const CSize size = CalcSize(FALSE);
  m_nHorzOffset = std::max<int>(0, (rectClient.Width() - size.cx) / 2);
  m_nVertOffset = std::max<int>(0, (rectClient.Height() - size.cy) / 2);
  ::SetWindowPos(m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SetOwner(pParentWnd);
  m_nCommandID = nID;
  Rebuild();
  LayoutButtons();
  return TRUE;
}

// ---- size and layout ---------------------------------------------------------------------------

BOOL CUfxColorBar::IsFloatingBar() const { return GetSafeHwnd() != nullptr && m_bIsTearOff && IsFloating(); }

BOOL CUfxColorBar::IsDockedVertically() const {
  return m_bIsTearOff && !IsFloatingBar() && (m_dwStyle & CBRS_ORIENT_VERT) != 0 && (m_dwStyle & CBRS_ORIENT_HORZ) == 0;
}

void CUfxColorBar::GetColumnsAndRows(int& nColumns, int& nRows, BOOL bVertDock) const {
  const int nColors = (int)m_colors.GetSize();
  const BOOL bDocked = m_bIsTearOff && !m_bIsDlgControl && !IsFloatingBar() && GetSafeHwnd() != nullptr;
  if (bDocked && !bVertDock && m_nNumRowsHorz > 0) {
    nRows = m_nNumRowsHorz;
    nColumns = DivUp(nColors, nRows);
    return;
  }
  if (bDocked && bVertDock && m_nNumColumnsVert > 0) {
    nColumns = m_nNumColumnsVert;
    nRows = DivUp(nColors, nColumns);
    return;
  }
  nColumns = m_nNumColumns > 0 ? m_nNumColumns : (int)std::sqrt((double)nColors) + 1;
  nRows = DivUp(nColors, nColumns);
}

BOOL CUfxColorBar::ShowsDocColors() const { return HasDocColors() && (m_bIsPopup || IsFloatingBar()); }

int CUfxColorBar::GetExtraHeight(int nColumns) const {
  int nHeight = 0;
  if (!m_strAutoColor.IsEmpty()) nHeight += m_nRowHeight;
  else if (!m_strOtherColor.IsEmpty()) nHeight += m_nVertMargin;
  if (!m_strOtherColor.IsEmpty()) nHeight += m_nRowHeight;
  if (ShowsDocColors())
    nHeight += m_nVertMargin + DivUp((int)m_lstDocColors.GetCount(), nColumns) * m_BoxHeight + m_nRowHeight + 4;
  return nHeight;
}

CSize CUfxColorBar::CalcSize(BOOL bVertDock) {
  int nColumns = 0, nRows = 0;
  GetColumnsAndRows(nColumns, nRows, bVertDock);
  return CSize(nColumns * m_BoxWidth + 2 * m_nHorzMargin,
               GetExtraHeight(nColumns) + nRows * m_BoxHeight + 2 * m_nVertMargin);
}

CSize CUfxColorBar::CalcFixedLayout(BOOL, BOOL bHorz) {
  CSize size = CalcSize(!bHorz);
  if (m_bIsTearOff && !m_bIsDlgControl) {
    CRect rect(0, 0, 0, 0);
    m_Impl.CalcNcSize(&rect);
    size += CSize(-rect.Width(), -rect.Height());
  }
  return size;
}

CSize CUfxColorBar::CalcDynamicLayout(int, DWORD dwMode) {
  return CalcFixedLayout((dwMode & LM_STRETCH) != 0, (dwMode & LM_VERTDOCK) == 0 && (dwMode & LM_HORZ) != 0);
}

void CUfxColorBar::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp) {
  if (m_bIsTearOff && !m_bIsDlgControl) CUfxToolBar::OnNcCalcSize(bCalcValidRects, lpncsp);
}

void CUfxColorBar::OnNcPaint() {
  if (m_bIsTearOff && !m_bIsDlgControl) CUfxToolBar::OnNcPaint();
}

void CUfxColorBar::LayoutButtons() {
  if (GetSafeHwnd() == nullptr) return;
  CRect rectClient;
  GetClientRect(rectClient);
  CRect rect = rectClient;
  rect.DeflateRect(m_nHorzMargin + m_nHorzOffset, m_nVertMargin + m_nVertOffset);
  int nColumns = 0, nRows = 0;
  GetColumnsAndRows(nColumns, nRows, IsDockedVertically());
  rect.right = std::min<int>(rect.right, rect.left + nColumns * m_BoxWidth);

  const BOOL bHideDoc = !ShowsDocColors();
  BOOL bLastShown = m_ColorSelected != (COLORREF)-1;
  for (int i = 0; i < GetButtonCount() && bLastShown; ++i) {
    CColorButton* pCell = GetCell(i);
    if (pCell != nullptr && !pCell->IsSpecial() && !pCell->m_bIsOtherColor && pCell->m_Color == m_ColorSelected &&
        !(pCell->m_bIsDocument && bHideDoc))
      bLastShown = FALSE;
  }

  int x = rect.left, y = rect.top;
  auto newRow = [&]() {
    if (x != rect.left) {
      x = rect.left;
      y += m_BoxHeight;
    }
  };
  CRect rectOther;
  for (int i = 0; i < GetButtonCount(); ++i) {
    CUfxToolbarButton* pButton = GetButton(i);
    if (pButton->m_nStyle & TBBS_SEPARATOR) {
      newRow();
      pButton->SetRect(CRect(rect.left, y + 1, rect.right, y + 3));
      y += kSeparatorHeight;
      continue;
    }
    CColorButton* pCell = DYNAMIC_DOWNCAST(CColorButton, pButton);
    if (pCell == nullptr) {
      pButton->SetRect(CRect(0, 0, 0, 0));
      continue;
    }
    if (pCell->IsSpecial()) {
      newRow();
      CRect rectCell(rect.left, y, rect.right, y + m_nRowHeight - m_nVertMargin / 2);
      if (pCell->m_bIsOther) {
        rectCell.DeflateRect(m_nHorzMargin / 2, 0);
        if (bLastShown) rectCell.right -= m_BoxWidth;
        rectOther = rectCell;
      }
      pCell->SetRect(rectCell);
      y += rectCell.Height();
      continue;
    }
    if (pCell->m_bIsOtherColor) {
      if (bLastShown && !rectOther.IsRectEmpty())
        pCell->SetRect(CRect(rectOther.right, rectOther.top, rectOther.right + m_BoxWidth, rectOther.bottom));
      else pCell->SetRect(CRect(0, 0, 0, 0));
      continue;
    }
    if (pCell->m_bIsDocument && bHideDoc) {
      pCell->SetRect(CRect(0, 0, 0, 0));
      continue;
    }
    if (x + m_BoxWidth > rect.right && x != rect.left) {
      x = rect.left;
      y += m_BoxHeight;
    }
    pCell->SetRect(CRect(x, y, x + m_BoxWidth, y + m_BoxHeight));
    x += m_BoxWidth;
  }
}

// ---- cells -------------------------------------------------------------------------------------

CColorButton* CUfxColorBar::GetCell(int iIndex) const { return DYNAMIC_DOWNCAST(CColorButton, GetButton(iIndex)); }

void CUfxColorBar::Rebuild() {
  RemoveAllButtons();
  if (!m_strAutoColor.IsEmpty()) {
    CColorButton* pAuto = new CColorButton(m_ColorAutomatic, TRUE, FALSE, m_strAutoColor);
    pAuto->m_bHighlight = m_ColorSelected == (COLORREF)-1;
    InsertButton(pAuto);
  }
  BOOL bFound = FALSE;
  for (INT_PTR i = 0; i < m_colors.GetSize(); ++i) {
    CColorButton* pCell = new CColorButton(m_colors[i]);
    pCell->m_bHighlight = m_colors[i] == m_ColorSelected;
    bFound = bFound || pCell->m_bHighlight;
    InsertButton(pCell);
  }
  if (HasDocColors()) {
    InsertSeparator();
    InsertButton(new CColorButton((COLORREF)-1, FALSE, FALSE, m_strDocColors, TRUE));
    for (POSITION pos = m_lstDocColors.GetHeadPosition(); pos != nullptr;) {
      const COLORREF color = m_lstDocColors.GetNext(pos);
      CColorButton* pCell = new CColorButton(color, FALSE, FALSE, nullptr, FALSE, TRUE);
      pCell->m_bHighlight = !bFound && color == m_ColorSelected;
      InsertButton(pCell);
    }
  }
  if (!m_strOtherColor.IsEmpty()) {
    InsertSeparator();
    InsertButton(new CColorButton((COLORREF)-1, FALSE, TRUE, m_strOtherColor));
    CColorButton* pLast = new CColorButton(m_ColorSelected, FALSE, FALSE, nullptr, FALSE, FALSE, TRUE);
    pLast->m_bHighlight = TRUE;
    InsertButton(pLast);
  }
  if (!m_bIsEnabled)
    for (int i = 0; i < GetButtonCount(); ++i) GetButton(i)->m_nStyle |= TBBS_DISABLED;
}

void CUfxColorBar::SetColor(COLORREF color) {
  if (m_ColorSelected == color && GetButtonCount() > 0) return;
  m_ColorSelected = color;
  if (GetSafeHwnd() == nullptr) return;
  BOOL bFound = FALSE;
  CRect rectLastBefore;
  for (int i = 0; i < GetButtonCount(); ++i) {
    CColorButton* pCell = GetCell(i);
    if (pCell == nullptr || pCell->m_bIsLabel || pCell->m_bIsOther) continue;
    if (pCell->m_bIsOtherColor) {
      rectLastBefore = pCell->Rect();
      pCell->m_Color = color;
      continue;
    }
    if (pCell->m_bIsAutomatic) pCell->m_bHighlight = color == (COLORREF)-1;
    else {
      pCell->m_bHighlight = !bFound && color != (COLORREF)-1 && pCell->m_Color == color;
      bFound = bFound || pCell->m_bHighlight;
    }
  }
  LayoutButtons();
  Invalidate();
  UpdateWindow();
}

// ---- painting and tooltips ---------------------------------------------------------------------

void CUfxColorBar::DoPaint(CDC* pDC) {
  CPalette* pPalette = GetPalette();
  CPalette* pOldPalette = nullptr;
  if (pPalette != nullptr) {
    pOldPalette = pDC->SelectPalette(pPalette, FALSE);
    pDC->RealizePalette();
  }
  CUfxPopupMenuBar::DoPaint(pDC);
  if (pOldPalette != nullptr) pDC->SelectPalette(pOldPalette, TRUE);
}

INT_PTR CUfxColorBar::OnToolHitTest(CPoint point, TOOLINFOW* pTI) const {
  if (!CUfxToolBar::IsShowTooltips()) return -1;
  const int iHit = HitItem(point);
  CColorButton* pCell = GetCell(iHit);
  if (pCell == nullptr || !pCell->OnToolHitTest(this, pTI)) return -1;
  if (pTI != nullptr) {
    pTI->hwnd = m_hWnd;
    pTI->uId = (UINT_PTR)(iHit + 1);
    pTI->rect = pCell->Rect();
  }
  return iHit + 1;
}

// ---- commands ----------------------------------------------------------------------------------

void CUfxColorBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
  if (m_nCommandID == 0 || m_nCommandID == (UINT)-1 || pTarget == nullptr) return;
  class CEnabledState : public CCmdUI {
  public:
    void Enable(BOOL bOn) override {
      m_bEnabled = bOn;
      m_bEnableChanged = TRUE;
    }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(LPCWSTR) override {}
    BOOL m_bEnabled = TRUE;
  } state;
  state.m_nID = m_nCommandID;
  state.DoUpdate(pTarget, bDisableIfNoHndler);
  if (state.m_bEnabled == m_bIsEnabled) return;
  m_bIsEnabled = state.m_bEnabled;
  for (int i = 0; i < GetButtonCount(); ++i) {
    if (m_bIsEnabled) GetButton(i)->m_nStyle &= ~TBBS_DISABLED;
    else GetButton(i)->m_nStyle |= TBBS_DISABLED;
  }
  Invalidate();
  UpdateWindow();
}

CWnd* CUfxColorBar::PopupWindow() const { return DYNAMIC_DOWNCAST(CColorPopup, GetParent()); }

void CUfxColorBar::ClosePopup() {
  if (CWnd* pPopup = PopupWindow()) pPopup->SendMessage(WM_CLOSE);
}

BOOL CUfxColorBar::OpenColorDialog(const COLORREF colorDefault, COLORREF& colorRes) {
  CColorPopup* pPopup = DYNAMIC_DOWNCAST(CColorPopup, GetParent());
  CUfxColorMenuButton* pMenuButton =
      pPopup != nullptr ? DYNAMIC_DOWNCAST(CUfxColorMenuButton, pPopup->GetParentButton()) : nullptr;
  if (pMenuButton != nullptr) return pMenuButton->OpenColorDialog(colorDefault, colorRes);
  return RunColorDialog(m_bStdColorDlg, colorDefault, GetOwner(), colorRes);
}

BOOL CUfxColorBar::OnSendCommand(const CUfxToolbarButton* pButton) {
  const CColorButton* pCell = DYNAMIC_DOWNCAST(CColorButton, pButton);
  if (pCell == nullptr || pCell->m_bIsLabel || (pCell->m_nStyle & TBBS_DISABLED)) return FALSE;
  if (pCell->m_bIsOther) {
    const COLORREF colorStart = m_ColorSelected == (COLORREF)-1 ? m_ColorAutomatic : m_ColorSelected;
    if (PopupWindow() != nullptr) {
      OpenColorDialogForPopup(colorStart);
      return TRUE;
    }
    COLORREF color = (COLORREF)-1;
    if (!OpenColorDialog(colorStart, color)) {
      SetFocus();
      return TRUE;
    }
    DeliverColor(color);
    return TRUE;
  }
  DeliverColor(pCell->m_bIsAutomatic ? (COLORREF)-1 : pCell->m_Color);
  return TRUE;
}

// A popup goes before the dialog comes: left open behind it, the popup became the dialog's owner
// and closed under it. What the bar knows is taken along, and the host gets the answer.
void CUfxColorBar::OpenColorDialogForPopup(COLORREF colorStart) {
  CColorPopup* pPopup = DYNAMIC_DOWNCAST(CColorPopup, GetParent());
  CUfxColorMenuButton* pMenuButton =
      pPopup != nullptr ? DYNAMIC_DOWNCAST(CUfxColorMenuButton, pPopup->GetParentButton()) : nullptr;
  CUfxColorButton* pHost = m_pParentBtn;
  const BOOL bStdColorDlg = m_bStdColorDlg;
  CWnd* pOwner = GetOwner();
  const HWND hwndOwner = pOwner != nullptr ? pOwner->GetSafeHwnd() : nullptr;
  const HWND hwndHost = pHost != nullptr ? pHost->GetSafeHwnd() : nullptr;
  CWnd* pMenuParent = pMenuButton != nullptr ? pMenuButton->GetParentWnd() : nullptr;
  const HWND hwndMenuParent = pMenuParent != nullptr ? pMenuParent->GetSafeHwnd() : nullptr;
  if (GetCapture() == this) ::ReleaseCapture();
  if (pMenuButton != nullptr && pPopup != nullptr) pPopup->GetTopLevelPopup()->SendMessage(WM_CLOSE);
  else ClosePopup();
  // From here on the bar is gone with its popup.

  COLORREF color = (COLORREF)-1;
  if (pMenuButton != nullptr) {
    if (!::IsWindow(hwndMenuParent) || !pMenuButton->OpenColorDialog(colorStart, color)) return;
    pMenuButton->SetColor(color, TRUE);
    CFrameWnd* pFrame = UfxGetTopLevelFrame(CWnd::FromHandle(hwndMenuParent));
    if (pFrame != nullptr) pFrame->PostMessage(WM_COMMAND, pMenuButton->m_nID);
    return;
  }
  if (!RunColorDialog(bStdColorDlg, colorStart, ::IsWindow(hwndOwner) ? CWnd::FromHandle(hwndOwner) : nullptr, color))
    return;
  if (pHost != nullptr && ::IsWindow(hwndHost)) pHost->UpdateColor(color);
}

BOOL CUfxColorBar::RunColorDialog(BOOL bStdColorDlg, COLORREF colorDefault, CWnd* pParent, COLORREF& colorRes) {
  if (bStdColorDlg) {
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

void CUfxColorBar::DeliverColor(COLORREF color) {
  CColorPopup* pPopup = DYNAMIC_DOWNCAST(CColorPopup, GetParent());
  CUfxColorMenuButton* pMenuButton =
      pPopup != nullptr ? DYNAMIC_DOWNCAST(CUfxColorMenuButton, pPopup->GetParentButton()) : nullptr;
  if (pMenuButton != nullptr) {
    pMenuButton->SetColor(color, TRUE);
    ExecuteCommand(pMenuButton->m_nID, pMenuButton);
    return;
  }
  if (m_pParentBtn != nullptr) {
    CUfxColorButton* pHost = m_pParentBtn;
    const HWND hwnd = m_hWnd;
    pHost->UpdateColor(color);
    if (::IsWindow(hwnd)) ClosePopup();
    return;
  }
  SetColor(color);
  CUfxColorMenuButton::SetColorByCmdID(m_nCommandID, color);
  CObList lstButtons;
  if (CUfxToolBar::GetCommandButtons(m_nCommandID, lstButtons) > 0)
    for (POSITION pos = lstButtons.GetHeadPosition(); pos != nullptr;)
      if (CUfxColorMenuButton* pOther = DYNAMIC_DOWNCAST(CUfxColorMenuButton, lstButtons.GetNext(pos)))
        pOther->SetColor(color, FALSE);
  CWnd* pOwner = GetOwner();
  const HWND hwnd = m_hWnd;
  if (pOwner != nullptr && pOwner->GetSafeHwnd() != nullptr) pOwner->SendMessage(WM_COMMAND, m_nCommandID);
  if (!::IsWindow(hwnd)) return;
  if (CFrameWnd* pFrame = UfxGetTopLevelFrame(this)) pFrame->SetFocus();
}

void CUfxColorBar::OnSetMessageString(UINT uiCmd) {
  CWnd* pOwner = GetOwner();
  if (pOwner != nullptr && pOwner->GetSafeHwnd() != nullptr) pOwner->SendMessage(WM_SETMESSAGESTRING, uiCmd);
}

// ---- input -------------------------------------------------------------------------------------

BOOL CUfxColorBar::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->hwnd == m_hWnd && pMsg->message == WM_KEYDOWN && HandleMenuKey((UINT)pMsg->wParam)) return TRUE;
  return CUfxPopupMenuBar::PreTranslateMessage(pMsg);
}

BOOL CUfxColorBar::HandleMenuKey(UINT nChar) {
  switch (nChar) {
    case VK_ESCAPE:
      if (PopupWindow() != nullptr) ClosePopup();
      return TRUE;
    case VK_RETURN: {
      CUfxToolbarButton* pButton = GetButton(m_iHighlighted);
      if (pButton != nullptr) {
        OnSetMessageString(AFX_IDS_IDLEMESSAGE);
        OnSendCommand(pButton);
      }
      return TRUE;
    }
    case VK_UP:
    case VK_DOWN:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_HOME:
    case VK_END:
      MoveHighlight(nChar == VK_LEFT ? VK_UP : nChar == VK_RIGHT ? VK_DOWN : nChar);
      return TRUE;
  }
  return FALSE;
}

void CUfxColorBar::OnMouseMove(UINT nFlags, CPoint point) {
  if (IgnoresMouse()) return;
  if (!m_bTracked) TrackMouseLeave();
  const int iHit = HitItem(point);
  const CColorButton* pCell = GetCell(iHit);
  SetHighlightedItem(pCell != nullptr && !pCell->m_bIsLabel ? iHit : -1, FALSE);
}

void CUfxColorBar::OnLButtonDown(UINT nFlags, CPoint point) {
  if (IgnoresMouse()) return;
  CRect rectClient;
  GetClientRect(rectClient);
  if (!rectClient.PtInRect(point)) {
    if (m_pParentBtn != nullptr) ClosePopup();
    return;
  }
  m_bPressed = TRUE;
  const int iHit = HitItem(point);
  if (iHit >= 0) SetHighlightedItem(iHit, FALSE);
}

void CUfxColorBar::OnLButtonUp(UINT nFlags, CPoint point) {
  if (IgnoresMouse()) return;
  const BOOL bPressed = m_bPressed;
  m_bPressed = FALSE;
  CRect rectClient;
  GetClientRect(rectClient);
  if (!rectClient.PtInRect(point) || !bPressed) return;
  CUfxToolbarButton* pButton = GetButton(HitItem(point));
  if (pButton != nullptr) OnSendCommand(pButton);
}

void CUfxColorBar::OnLButtonDblClk(UINT nFlags, CPoint point) {
  if (IgnoresMouse()) return;
  OnLButtonDown(nFlags, point);
}

LRESULT CUfxColorBar::OnMouseLeave(WPARAM, LPARAM) {
  m_bTracked = FALSE;
  if (PopupWindow() != nullptr) {
    SetHighlightedItem(-1, FALSE);
    OnSetMessageString(AFX_IDS_IDLEMESSAGE);
  }
  return 0;
}

void CUfxColorBar::OnContextMenu(CWnd*, CPoint) {
  if (m_pParentBtn != nullptr) ClosePopup();
}

void CUfxColorBar::OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (m_pParentBtn != nullptr) {
    ClosePopup();
    return;
  }
  Default();
}

BOOL CUfxColorBar::OnQueryNewPalette() {
  Invalidate();
  UpdateWindow();
  return TRUE;
}

void CUfxColorBar::OnPaletteChanged(CWnd* pFocusWnd) {
  if (pFocusWnd != this) {
    Invalidate();
    UpdateWindow();
  }
}

// ---- archive -----------------------------------------------------------------------------------

void CUfxColorBar::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << m_nNumColumns << m_nNumRowsHorz << m_nNumColumnsVert << (DWORD)m_ColorAutomatic;
    ar << m_strAutoColor << m_strOtherColor << m_strDocColors;
    ar << (int)m_bIsTearOff << (int)m_nCommandID << (int)m_bStdColorDlg;
    ar << (int)m_colors.GetSize();
    for (INT_PTR i = 0; i < m_colors.GetSize(); ++i) ar << (DWORD)m_colors[i];
    return;
  }
  // Everything is read first: a damaged record leaves the bar as it was.
  int nColumns = 0, nRowsHorz = 0, nColumnsVert = 0, nTearOff = 0, nCommandID = 0, nStdDlg = 0, nCount = 0;
  DWORD dwAutomatic = 0;
  CString strAuto, strOther, strDoc;
  ar >> nColumns >> nRowsHorz >> nColumnsVert >> dwAutomatic;
  ar >> strAuto >> strOther >> strDoc;
  ar >> nTearOff >> nCommandID >> nStdDlg >> nCount;
  if (nCount < 0) AfxThrowArchiveException(CArchiveException::badIndex);
  ar.CheckCount((ULONGLONG)nCount, sizeof(DWORD));
  CArray<COLORREF, COLORREF> colors;
  colors.SetSize(nCount);
  for (int i = 0; i < nCount; ++i) {
    DWORD dw = 0;
    ar >> dw;
    colors[i] = dw;
  }
  m_nNumColumns = nColumns;
  m_nNumRowsHorz = nRowsHorz;
  m_nNumColumnsVert = nColumnsVert;
  m_ColorAutomatic = dwAutomatic;
  m_strAutoColor = strAuto;
  m_strOtherColor = strOther;
  m_strDocColors = strDoc;
  m_bIsTearOff = nTearOff;
  m_nCommandID = (UINT)nCommandID;
  m_bStdColorDlg = nStdDlg;
  m_colors.Copy(colors);
  if (GetSafeHwnd() != nullptr) {
    BuildPalette();
    Rebuild();
    AdjustLayout();
  }
}
