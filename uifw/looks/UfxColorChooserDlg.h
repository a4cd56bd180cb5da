// CUfxColorChooserDlg: the framework's colour dialog. Two pages in an embedded sheet pick from a
// hexagon of colour cells and a row of greys, or from a hue/saturation plane with a luminance bar
// and typed RGB or HLS values; a swatch shows the new colour above the initial one. On screens of
// 7 bits per pixel or fewer it hands over to the platform's colour dialog.
#pragma once
#include "Framework.h"
#include "FwPropSheet.h"
#include "looks/UfxHexColorCtrl.h"

class CPropertySheetCtrl;
class CColorPage1;
class CColorPage2;

class CUfxColorChooserDlg : public CDialog {
  DECLARE_DYNAMIC(CUfxColorChooserDlg)
public:
  CUfxColorChooserDlg(COLORREF clrInit, CWnd* pParentWnd = nullptr, HPALETTE hPal = nullptr);
  ~CUfxColorChooserDlg() override;

  BOOL OnInitDialog() override;
  COLORREF GetColor() const { return m_NewColor; }
  void SetNewColor(COLORREF color);
  void SetPageOne(BYTE R, BYTE G, BYTE B);
  void SetPageTwo(BYTE R, BYTE G, BYTE B);
  CPalette* GetPalette() { return m_pPalette; }
  CColorPage1* GetPage1() const { return m_pColourSheetOne; }
  CColorPage2* GetPage2() const { return m_pColourSheetTwo; }
  CPropertySheetCtrl* GetSheet() const { return m_pPropSheet; }

  // The platform's colour dialog, run where the screen has too few colours (tests put their own in).
  typedef BOOL(WINAPI* PFN_CHOOSECOLOR)(LPCHOOSECOLORW);
  static PFN_CHOOSECOLOR s_pfnChooseColor;

  CStatic m_wndStaticPlaceHolder;
  CUfxHexColorCtrl m_wndColors;
  CPropertySheetCtrl* m_pPropSheet = nullptr;
  CColorPage1* m_pColourSheetOne = nullptr;
  CColorPage2* m_pColourSheetTwo = nullptr;
  COLORREF m_CurrentColor = 0;
  COLORREF m_NewColor = 0;
  CPalette* m_pPalette = nullptr;
  BOOL m_bIsMyPalette = TRUE;

protected:
  void BuildOwnPalette();
  // Runs the platform's colour dialog in place of this one and ends with its answer.
  void HandOverToStandardDialog();

  afx_msg void OnSysColorChange();
  afx_msg void OnDestroy();
  DECLARE_MESSAGE_MAP()
};
