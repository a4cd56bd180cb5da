// CColorPage2: the colour dialog's page of the hue/saturation plane, the luminance bar and the
// typed RGB and HLS values.
#pragma once
#include "Framework.h"
#include "FwPropSheet.h"
#include "looks/UfxHexColorCtrl.h"

class CUfxColorChooserDlg;

class CColorPage2 : public CPropertyPage {
  DECLARE_DYNAMIC(CColorPage2)
public:
  CColorPage2();
  ~CColorPage2() override;
  BOOL OnInitDialog() override;

  // Puts the colour into the fields and pickers without reporting it back.
  void Setup(int R, int G, int B);
  // The field's whole number 0 to 255, or -1 when it holds anything else.
  int FieldValue(UINT nID) const;

  CUfxHexColorCtrl m_wndLuminance;
  CUfxHexColorCtrl m_wndColorPicker;
  CSpinButtonCtrl m_wndSpins[6];
  int m_r = 0, m_g = 0, m_b = 0, m_l = 0, m_s = 0, m_h = 0;
  CUfxColorChooserDlg* m_pDialog = nullptr;
  BOOL m_bIsReady = FALSE;
  BOOL m_bInUpdate = FALSE;

protected:
  void SetFields(int nFirst, int a, int b, int c);
  void FollowHLS(double hue, double luminance, double saturation);
  afx_msg void OnRGBChanged();
  afx_msg void OnHLSChanged();
  afx_msg void OnLuminance();
  afx_msg void OnColorPicker();
  afx_msg void OnDoubleClickedColor();
  DECLARE_MESSAGE_MAP()
};
