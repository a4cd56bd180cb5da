#include "looks/ColorPage1.h"
#include "looks/UfxColorChooserDlg.h"
#include "LooksIds.h"

IMPLEMENT_DYNAMIC(CColorPage1, CPropertyPage)

BEGIN_MESSAGE_MAP(CColorPage1, CPropertyPage)
  ON_BN_CLICKED(IDC_UFX_COLOR_GREYS, OnGreyscale)
  ON_BN_CLICKED(IDC_UFX_COLOR_HEXAGON, OnHexColor)
  ON_BN_DOUBLECLICKED(IDC_UFX_COLOR_GREYS, OnDoubleClickedColor)
  ON_BN_DOUBLECLICKED(IDC_UFX_COLOR_HEXAGON, OnDoubleClickedColor)
END_MESSAGE_MAP()

CColorPage1::CColorPage1() : CPropertyPage(IDD_UFX_COLOR_PAGE1) {}

CColorPage1::~CColorPage1() = default;

BOOL CColorPage1::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  m_hexpicker.SubclassDlgItem(IDC_UFX_COLOR_HEXAGON, this);
  m_hexpicker_greyscale.SubclassDlgItem(IDC_UFX_COLOR_GREYS, this);
  CPalette* pPalette = m_pDialog != nullptr ? m_pDialog->GetPalette() : nullptr;
  m_hexpicker.SetPalette(pPalette);
  m_hexpicker.SetType(CUfxHexColorCtrl::HEX);
  m_hexpicker_greyscale.SetPalette(pPalette);
  m_hexpicker_greyscale.SetType(CUfxHexColorCtrl::HEX_GREYSCALE);
  m_bIsReady = TRUE;
  if (m_pDialog != nullptr) {
    const COLORREF color = m_pDialog->GetColor();
    m_pDialog->SetPageOne(GetRValue(color), GetGValue(color), GetBValue(color));
  }
  return TRUE;
}

void CColorPage1::OnHexColor() {
  if (m_pDialog == nullptr) return;
  const COLORREF color = m_hexpicker.GetColor();
  m_pDialog->SetNewColor(color);
  m_pDialog->SetPageTwo(GetRValue(color), GetGValue(color), GetBValue(color));
  m_hexpicker_greyscale.SelectCellHexagon(GetRValue(color), GetGValue(color), GetBValue(color));
}

void CColorPage1::OnGreyscale() {
  if (m_pDialog == nullptr) return;
  const COLORREF color = m_hexpicker_greyscale.GetColor();
  m_pDialog->SetNewColor(color);
  m_pDialog->SetPageTwo(GetRValue(color), GetGValue(color), GetBValue(color));
  m_hexpicker.SelectCellHexagon(GetRValue(color), GetGValue(color), GetBValue(color));
}

void CColorPage1::OnDoubleClickedColor() {
  if (m_pDialog != nullptr) m_pDialog->EndDialog(IDOK);
}
