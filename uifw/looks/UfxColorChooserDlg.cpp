#include "looks/UfxColorChooserDlg.h"
#include "looks/ColorPage1.h"
#include "looks/ColorPage2.h"
#include "looks/PropertySheetCtrl.h"
#include "looks/UfxPalette.h"
#include "LooksIds.h"
#include "frames/UfxGlobalData.h"

IMPLEMENT_DYNAMIC(CUfxColorChooserDlg, CDialog)

CUfxColorChooserDlg::PFN_CHOOSECOLOR CUfxColorChooserDlg::s_pfnChooseColor = ::ChooseColorW;

BEGIN_MESSAGE_MAP(CUfxColorChooserDlg, CDialog)
  ON_WM_SYSCOLORCHANGE()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CUfxColorChooserDlg::CUfxColorChooserDlg(COLORREF clrInit, CWnd* pParentWnd, HPALETTE hPal)
    : CDialog(IDD_UFX_COLOR_DIALOG, pParentWnd), m_CurrentColor(clrInit), m_NewColor(clrInit) {
  if (hPal != nullptr) {
    m_pPalette = CPalette::FromHandle(hPal);
    m_bIsMyPalette = FALSE;
  }
}

CUfxColorChooserDlg::~CUfxColorChooserDlg() {
  delete m_pColourSheetOne;
  delete m_pColourSheetTwo;
  if (m_bIsMyPalette) delete m_pPalette;
}

void CUfxColorChooserDlg::BuildOwnPalette() {
  if (!m_bIsMyPalette) return;
  CPalette* pNew = new CPalette;
  if (!UfxCreateSystemPalette(*pNew)) {
    delete pNew;
    pNew = nullptr;
  }
  delete m_pPalette;
  m_pPalette = pNew;
}

BOOL CUfxColorChooserDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  if (UfxGlobalData.m_nBitsPerPixel <= 7) {
    HandOverToStandardDialog();
    return FALSE;
  }
  if (m_pPalette == nullptr) BuildOwnPalette();
  m_wndColors.SubclassDlgItem(IDC_UFX_COLOR_SWATCH, this);
  m_wndColors.SetPalette(m_pPalette);
  m_wndColors.SetType(CUfxHexColorCtrl::CURRENT);
  m_wndColors.SetOriginalColor(m_CurrentColor);
  m_wndColors.SetColor(m_NewColor);

  m_pColourSheetOne = new CColorPage1;
  m_pColourSheetOne->m_pDialog = this;
  m_pColourSheetTwo = new CColorPage2;
  m_pColourSheetTwo->m_pDialog = this;
  m_pPropSheet = new CPropertySheetCtrl(0, this);
  m_pPropSheet->AddPage(m_pColourSheetOne);
  m_pPropSheet->AddPage(m_pColourSheetTwo);
  CRect rectSheet;
  if (m_wndStaticPlaceHolder.SubclassDlgItem(IDC_UFX_COLOR_SHEET, this)) {
    m_wndStaticPlaceHolder.GetWindowRect(rectSheet);
    ScreenToClient(rectSheet);
  }
  if (!m_pPropSheet->Create(this, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0)) {
    delete m_pPropSheet;
    m_pPropSheet = nullptr;
    return TRUE;
  }
  m_pPropSheet->SetWindowPos(nullptr, rectSheet.left, rectSheet.top, rectSheet.Width(), rectSheet.Height(),
                             SWP_NOZORDER | SWP_NOACTIVATE);
  m_pPropSheet->FitPages();
  // The second page is made now too, so both follow the colour from the start.
  m_pPropSheet->SetActivePage(1);
  m_pPropSheet->SetActivePage(0);
  SetPageOne(GetRValue(m_NewColor), GetGValue(m_NewColor), GetBValue(m_NewColor));
  SetPageTwo(GetRValue(m_NewColor), GetGValue(m_NewColor), GetBValue(m_NewColor));
  return TRUE;
}

void CUfxColorChooserDlg::HandOverToStandardDialog() {
  ShowWindow(SW_HIDE);
  COLORREF* pCustom = CColorDialog::GetSavedCustomColors();
  CHOOSECOLORW cc = {};
  cc.lStructSize = sizeof(cc);
  cc.hwndOwner = GetParent() != nullptr ? GetParent()->GetSafeHwnd() : nullptr;
  cc.rgbResult = m_CurrentColor;
  cc.lpCustColors = pCustom;
  cc.Flags = CC_FULLOPEN | CC_RGBINIT;
  const BOOL bOK = s_pfnChooseColor(&cc);
  if (bOK) m_NewColor = cc.rgbResult;
  EndDialog(bOK ? IDOK : IDCANCEL);
}

void CUfxColorChooserDlg::SetNewColor(COLORREF color) {
  m_NewColor = color;
  if (m_wndColors.GetSafeHwnd() == nullptr) return;
  m_wndColors.SetColor(color);
  m_wndColors.UpdateWindow();
}

void CUfxColorChooserDlg::SetPageOne(BYTE R, BYTE G, BYTE B) {
  if (m_pColourSheetOne == nullptr || !m_pColourSheetOne->m_bIsReady) return;
  m_pColourSheetOne->m_hexpicker.SelectCellHexagon(R, G, B);
  m_pColourSheetOne->m_hexpicker_greyscale.SelectCellHexagon(R, G, B);
}

void CUfxColorChooserDlg::SetPageTwo(BYTE R, BYTE G, BYTE B) {
  if (m_pColourSheetTwo == nullptr || !m_pColourSheetTwo->m_bIsReady) return;
  m_pColourSheetTwo->Setup(R, G, B);
}

void CUfxColorChooserDlg::OnSysColorChange() {
  Default();
  UfxGlobalData.UpdateSysColors();
  if (UfxGlobalData.m_nBitsPerPixel <= 7) {
    HandOverToStandardDialog();
    return;
  }
  // A deeper screen keeps this dialog: an own palette is made again (a given one is kept).
  if (m_bIsMyPalette) {
    BuildOwnPalette();
    m_wndColors.SetPalette(m_pPalette);
    if (m_pColourSheetOne != nullptr && m_pColourSheetOne->m_bIsReady) {
      m_pColourSheetOne->m_hexpicker.SetPalette(m_pPalette);
      m_pColourSheetOne->m_hexpicker_greyscale.SetPalette(m_pPalette);
    }
    if (m_pColourSheetTwo != nullptr && m_pColourSheetTwo->m_bIsReady) {
      m_pColourSheetTwo->m_wndColorPicker.SetPalette(m_pPalette);
      m_pColourSheetTwo->m_wndLuminance.SetPalette(m_pPalette);
    }
  }
  RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void CUfxColorChooserDlg::OnDestroy() {
  // The pickers hold the palette only while they live.
  m_wndColors.m_pPalette = nullptr;
  CDialog::OnDestroy();
  if (m_bIsMyPalette && m_pPalette != nullptr) {
    delete m_pPalette;
    m_pPalette = nullptr;
  }
}
