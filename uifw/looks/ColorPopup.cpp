#include "looks/ColorPopup.h"
#include "looks/UfxColorMenuButton.h"
#include "bars/UfxToolBar.h"

IMPLEMENT_DYNAMIC(CColorPopup, CUfxPopupMenu)

namespace {
const UINT kColorBarId = 1;
}

BEGIN_MESSAGE_MAP(CColorPopup, CUfxPopupMenu)
  ON_WM_CREATE()
END_MESSAGE_MAP()

CColorPopup::CColorPopup(CUfxColorButton* pParentBtn, const CArray<COLORREF, COLORREF>& colors, COLORREF color,
                         LPCWSTR lpszAutoColor, LPCWSTR lpszOtherColor, LPCWSTR lpszDocColors,
                         const CList<COLORREF, COLORREF>& lstDocColors, int nColumns, COLORREF colorAutomatic)
    : m_wndColorBar(colors, color, lpszAutoColor, lpszOtherColor, lpszDocColors, lstDocColors, nColumns, -1, -1,
                    colorAutomatic, (UINT)-1, pParentBtn) {}

CColorPopup::CColorPopup(const CArray<COLORREF, COLORREF>& colors, COLORREF color, LPCWSTR lpszAutoColor,
                         LPCWSTR lpszOtherColor, LPCWSTR lpszDocColors, const CList<COLORREF, COLORREF>& lstDocColors,
                         int nColumns, int nHorzDockRows, int nVertDockColumns, COLORREF colorAutomatic,
                         UINT uiCommandID)
    : m_wndColorBar(colors, color, lpszAutoColor, lpszOtherColor, lpszDocColors, lstDocColors, nColumns,
                    nHorzDockRows, nVertDockColumns, colorAutomatic, uiCommandID, nullptr) {}

CColorPopup::~CColorPopup() = default;

int CColorPopup::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CUfxToolBar::IsCustomizeMode() && !m_bEnabledInCustomizeMode) return -1;
  // The frame part of the popup only: the colour bar stands in for the menu bar.
  if (CMiniFrameWnd::OnCreate(lpCreateStruct) == -1) return -1;
  DWORD dwStyle = kColorBarStyle | CBRS_TOOLTIPS | CBRS_FLYBY;
  if (GetAnimationType() == NO_ANIMATION || CUfxToolBar::IsCustomizeMode()) dwStyle |= WS_VISIBLE;
  if (!m_wndColorBar.CreateEx(this, TBSTYLE_FLAT, dwStyle, CRect(0, 0, 0, 0), kColorBarId)) return -1;
  m_wndColorBar.SetOwner(GetParent() != nullptr ? GetParent() : GetOwner());
  if (!InitMenuBar()) return -1;
  return 0;
}

CControlBar* CColorPopup::CreateTearOffBar(CFrameWnd* pWndMain, UINT uiID, LPCWSTR lpszName) {
  CUfxColorMenuButton* pColorButton = DYNAMIC_DOWNCAST(CUfxColorMenuButton, GetParentButton());
  if (pColorButton == nullptr || pWndMain == nullptr) return nullptr;
  CUfxColorBar* pBar = new CUfxColorBar(m_wndColorBar, pColorButton->m_nID);
  if (!pBar->Create(pWndMain, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY, uiID)) {
    delete pBar;
    return nullptr;
  }
  pBar->SetWindowText(lpszName);
  pBar->SetBarStyle(pBar->GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY);
  pBar->EnableDocking(CBRS_ALIGN_ANY);
  return pBar;
}
