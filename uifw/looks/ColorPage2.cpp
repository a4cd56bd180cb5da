#include "looks/ColorPage2.h"
#include "looks/ColorPage1.h"
#include "looks/UfxColorChooserDlg.h"
#include "looks/UfxColorMath.h"
#include "LooksIds.h"
#include <algorithm>

IMPLEMENT_DYNAMIC(CColorPage2, CPropertyPage)

namespace {
const UINT kFields[6] = {IDC_UFX_COLOR_RED, IDC_UFX_COLOR_GREEN, IDC_UFX_COLOR_BLUE,
                         IDC_UFX_COLOR_HUE, IDC_UFX_COLOR_LUM,   IDC_UFX_COLOR_SAT};
const UINT kSpins[6] = {IDC_UFX_COLOR_SPIN_RED, IDC_UFX_COLOR_SPIN_GREEN, IDC_UFX_COLOR_SPIN_BLUE,
                        IDC_UFX_COLOR_SPIN_HUE, IDC_UFX_COLOR_SPIN_LUM,   IDC_UFX_COLOR_SPIN_SAT};

int ToField(double v) { return std::min(255, (int)(v * 255 + 0.5)); }
double FromField(int v) { return std::min(1.0, (v + 0.5) / 255.0); }
}  // namespace

BEGIN_MESSAGE_MAP(CColorPage2, CPropertyPage)
  ON_EN_CHANGE(IDC_UFX_COLOR_RED, OnRGBChanged)
  ON_EN_CHANGE(IDC_UFX_COLOR_GREEN, OnRGBChanged)
  ON_EN_CHANGE(IDC_UFX_COLOR_BLUE, OnRGBChanged)
  ON_EN_CHANGE(IDC_UFX_COLOR_HUE, OnHLSChanged)
  ON_EN_CHANGE(IDC_UFX_COLOR_LUM, OnHLSChanged)
  ON_EN_CHANGE(IDC_UFX_COLOR_SAT, OnHLSChanged)
  ON_BN_CLICKED(IDC_UFX_COLOR_LUMINANCE, OnLuminance)
  ON_BN_CLICKED(IDC_UFX_COLOR_PLANE, OnColorPicker)
  ON_BN_DOUBLECLICKED(IDC_UFX_COLOR_PLANE, OnDoubleClickedColor)
END_MESSAGE_MAP()

CColorPage2::CColorPage2() : CPropertyPage(IDD_UFX_COLOR_PAGE2) {}

CColorPage2::~CColorPage2() = default;

BOOL CColorPage2::OnInitDialog() {
  m_bInUpdate = TRUE;
  CPropertyPage::OnInitDialog();
  m_wndColorPicker.SubclassDlgItem(IDC_UFX_COLOR_PLANE, this);
  m_wndLuminance.SubclassDlgItem(IDC_UFX_COLOR_LUMINANCE, this);
  CPalette* pPalette = m_pDialog != nullptr ? m_pDialog->GetPalette() : nullptr;
  m_wndColorPicker.SetPalette(pPalette);
  m_wndColorPicker.SetType(CUfxHexColorCtrl::PICKER);
  double hue = 0, lum = 0, sat = 0;
  m_wndColorPicker.GetHLS(&hue, &lum, &sat);
  m_wndLuminance.SetPalette(pPalette);
  m_wndLuminance.SetType(CUfxHexColorCtrl::LUMINANCE);
  m_wndLuminance.SetHLS(hue, lum, sat);
  m_wndLuminance.SetLuminanceBarWidth(14);
  for (int i = 0; i < 6; ++i) {
    if (m_wndSpins[i].SubclassDlgItem(kSpins[i], this)) {
      m_wndSpins[i].SetRange(0, 255);
      if (CWnd* pField = GetDlgItem(kFields[i])) m_wndSpins[i].SetBuddy(pField);
    }
    if (CEdit* pEdit = (CEdit*)GetDlgItem(kFields[i])) pEdit->SendMessage(EM_LIMITTEXT, 3);
  }
  m_bInUpdate = FALSE;
  m_bIsReady = TRUE;
  if (m_pDialog != nullptr) {
    const COLORREF color = m_pDialog->GetColor();
    Setup(GetRValue(color), GetGValue(color), GetBValue(color));
  }
  return TRUE;
}

int CColorPage2::FieldValue(UINT nID) const {
  CWnd* pField = GetDlgItem(nID);
  if (pField == nullptr) return -1;
  CString strText;
  pField->GetWindowText(strText);
  strText.Trim();
  if (strText.IsEmpty() || strText.GetLength() > 3) return -1;
  int nValue = 0;
  for (int i = 0; i < strText.GetLength(); ++i) {
    if (strText[i] < L'0' || strText[i] > L'9') return -1;
    nValue = nValue * 10 + (strText[i] - L'0');
  }
  return nValue <= 255 ? nValue : -1;
}

void CColorPage2::SetFields(int nFirst, int a, int b, int c) {
  const int values[3] = {a, b, c};
  for (int i = 0; i < 3; ++i) {
    CString strText;
    strText.Format(L"%d", values[i]);
    SetDlgItemText(kFields[nFirst + i], strText);
  }
}

void CColorPage2::Setup(int R, int G, int B) {
  if (!m_bIsReady) return;
  m_bInUpdate = TRUE;
  m_r = R, m_g = G, m_b = B;
  double hue = 0, lum = 0, sat = 0;
  RGBToHLS(RGB(R, G, B), &hue, &sat, &lum);
  m_h = ToField(hue), m_l = ToField(lum), m_s = ToField(sat);
  SetFields(0, m_r, m_g, m_b);
  SetFields(3, m_h, m_l, m_s);
  m_wndColorPicker.SetHLS(hue, lum, sat);
  m_wndLuminance.SetHLS(hue, lum, sat);
  m_bInUpdate = FALSE;
}

void CColorPage2::FollowHLS(double hue, double luminance, double saturation) {
  m_wndColorPicker.SetHLS(hue, luminance, saturation);
  m_wndLuminance.SetHLS(hue, luminance, saturation);
}

void CColorPage2::OnRGBChanged() {
  if (!m_bIsReady || m_bInUpdate) return;
  const int r = FieldValue(IDC_UFX_COLOR_RED), g = FieldValue(IDC_UFX_COLOR_GREEN), b = FieldValue(IDC_UFX_COLOR_BLUE);
  if (r < 0 || g < 0 || b < 0) return;
  m_bInUpdate = TRUE;
  m_r = r, m_g = g, m_b = b;
  const COLORREF color = RGB(r, g, b);
  double hue = 0, lum = 0, sat = 0;
  RGBToHLS(color, &hue, &sat, &lum);
  m_h = ToField(hue), m_l = ToField(lum), m_s = ToField(sat);
  SetFields(3, m_h, m_l, m_s);
  FollowHLS(hue, lum, sat);
  if (m_pDialog != nullptr) {
    m_pDialog->SetNewColor(color);
    m_pDialog->SetPageOne((BYTE)r, (BYTE)g, (BYTE)b);
  }
  m_bInUpdate = FALSE;
}

void CColorPage2::OnHLSChanged() {
  if (!m_bIsReady || m_bInUpdate) return;
  const int h = FieldValue(IDC_UFX_COLOR_HUE), l = FieldValue(IDC_UFX_COLOR_LUM), s = FieldValue(IDC_UFX_COLOR_SAT);
  if (h < 0 || l < 0 || s < 0) return;
  m_bInUpdate = TRUE;
  m_h = h, m_l = l, m_s = s;
  const double hue = FromField(h), lum = FromField(l), sat = FromField(s);
  const COLORREF color = HLSToRGB(hue, lum, sat);
  m_r = GetRValue(color), m_g = GetGValue(color), m_b = GetBValue(color);
  SetFields(0, m_r, m_g, m_b);
  FollowHLS(hue, lum, sat);
  if (m_pDialog != nullptr) {
    m_pDialog->SetNewColor(color);
    m_pDialog->SetPageOne((BYTE)m_r, (BYTE)m_g, (BYTE)m_b);
  }
  m_bInUpdate = FALSE;
}

void CColorPage2::OnLuminance() {
  if (!m_bIsReady || m_bInUpdate) return;
  double hue = 0, lum = 0, sat = 0;
  m_wndLuminance.GetHLS(&hue, &lum, &sat);
  m_bInUpdate = TRUE;
  m_wndColorPicker.SetHLS(hue, lum, sat);
  const COLORREF color = m_wndLuminance.GetColor();
  m_r = GetRValue(color), m_g = GetGValue(color), m_b = GetBValue(color);
  m_h = ToField(hue), m_l = ToField(lum), m_s = ToField(sat);
  SetFields(0, m_r, m_g, m_b);
  SetFields(3, m_h, m_l, m_s);
  if (m_pDialog != nullptr) {
    m_pDialog->SetNewColor(color);
    m_pDialog->SetPageOne((BYTE)m_r, (BYTE)m_g, (BYTE)m_b);
  }
  m_bInUpdate = FALSE;
}

void CColorPage2::OnColorPicker() {
  if (!m_bIsReady || m_bInUpdate) return;
  double hue = 0, lum = 0, sat = 0;
  m_wndColorPicker.GetHLS(&hue, &lum, &sat);
  m_bInUpdate = TRUE;
  m_wndLuminance.SetHLS(hue, lum, sat);
  m_wndLuminance.UpdateWindow();
  const COLORREF color = m_wndColorPicker.GetColor();
  m_r = GetRValue(color), m_g = GetGValue(color), m_b = GetBValue(color);
  m_h = ToField(hue), m_l = ToField(lum), m_s = ToField(sat);
  SetFields(0, m_r, m_g, m_b);
  SetFields(3, m_h, m_l, m_s);
  if (m_pDialog != nullptr) {
    m_pDialog->SetNewColor(color);
    m_pDialog->SetPageOne((BYTE)m_r, (BYTE)m_g, (BYTE)m_b);
  }
  m_bInUpdate = FALSE;
}

void CColorPage2::OnDoubleClickedColor() {
  if (m_pDialog != nullptr) m_pDialog->EndDialog(IDOK);
}
