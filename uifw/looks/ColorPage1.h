// CColorPage1: the colour dialog's page of the colour hexagon and the grey row.
#pragma once
#include "Framework.h"
#include "FwPropSheet.h"
#include "looks/UfxHexColorCtrl.h"

class CUfxColorChooserDlg;

class CColorPage1 : public CPropertyPage {
  DECLARE_DYNAMIC(CColorPage1)
public:
  CColorPage1();
  ~CColorPage1() override;
  BOOL OnInitDialog() override;

  CUfxHexColorCtrl m_hexpicker;
  CUfxHexColorCtrl m_hexpicker_greyscale;
  CUfxColorChooserDlg* m_pDialog = nullptr;
  BOOL m_bIsReady = FALSE;

protected:
  afx_msg void OnGreyscale();
  afx_msg void OnHexColor();
  afx_msg void OnDoubleClickedColor();
  DECLARE_MESSAGE_MAP()
};
