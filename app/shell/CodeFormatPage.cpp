#include "CodeFormatPage.h"
#include "MainFrame.h"
#include "MainInterface.h"
#include "SettingsPages.h"

IMPLEMENT_DYNAMIC(CCodeFormatPage, CUfxPropertyPage)

namespace {
const wchar_t kFixedPitchMark = L'\x1';
const int kLexemeCount = 11;
const int kItemHeight = 16;
const int kMinSize = 6, kMaxSize = 30;

// The automatic fore colour of each lexeme type.
const COLORREF kDefaultFore[kLexemeCount] = {
    DefaultForeColorLexemeFunction,    DefaultForeColorLexemeConstant,   DefaultForeColorLexemeVariable,
    DefaultForeColorLexemeOperator,    DefaultForeColorLexemeSeparator,  DefaultForeColorLexemeBracket,
    DefaultForeColorLexemeDigitNumber, DefaultForeColorLexemeComment,    DefaultForeColorLexemeError,
    DefaultForeColorLexemeBracketsHilight, DefaultForeColorLexemeString};

// The underline choices: the combo's items in order, with their kind as item data.
const UnderlineTypes kUnderlines[] = {UnderlineTypeNone, UnderlineTypeSimple, UnderlineTypeDotted, UnderlineTypeWave};

int CALLBACK AddFontFace(const LOGFONTW* pLogFont, const TEXTMETRICW*, DWORD, LPARAM lParam) {
  auto* pNames = reinterpret_cast<std::vector<CString>*>(lParam);
  CString strName = reinterpret_cast<const ENUMLOGFONTEXW*>(pLogFont)->elfFullName;
  if (strName.IsEmpty()) strName = pLogFont->lfFaceName;
  if ((pLogFont->lfPitchAndFamily & 0x03) == FIXED_PITCH) strName += kFixedPitchMark;
  for (const CString& known : *pNames)
    if (known == strName) return 1;
  pNames->push_back(strName);
  return 1;
}

CString WithoutMark(CString strName) {
  if (!strName.IsEmpty() && strName[strName.GetLength() - 1] == kFixedPitchMark) strName = strName.Left(strName.GetLength() - 1);
  return strName;
}
}  // namespace

BEGIN_MESSAGE_MAP(CCodeFormatPage, CUfxPropertyPage)
  ON_CBN_SELCHANGE(IDC_FONT_NAMES, OnFontChange)
  ON_CBN_EDITCHANGE(IDC_FONT_SIZE, OnFontChange)
  ON_CBN_SELCHANGE(IDC_FONT_SIZE, OnSizeSelChange)
  ON_LBN_SELCHANGE(IDC_LEXEMES, OnLexemeSelChange)
  ON_BN_CLICKED(IDC_COMMON_BACK, OnCommonBackColor)
  ON_BN_CLICKED(IDC_LEXEME_BACK, OnLexemeBackColor)
  ON_BN_CLICKED(IDC_LEXEME_FORE, OnLexemeForeColor)
  ON_CBN_SELCHANGE(IDC_UNDERLINE, OnUnderlineSelChange)
  ON_BN_CLICKED(IDC_BOLD, OnBoldItalic)
  ON_BN_CLICKED(IDC_ITALIC, OnBoldItalic)
  ON_BN_CLICKED(IDC_FORMAT_DEFAULTS, OnDefaults)
  ON_WM_MEASUREITEM()
  ON_WM_DRAWITEM()
  ON_MESSAGE(WM_FONT_SAMPLE_PAINT, OnPaintSample)
END_MESSAGE_MAP()

CCodeFormatPage::CCodeFormatPage() : CUfxPropertyPage(IDD_CODE_FORMAT_PAGE) {
  if (CMainInterface* root = ShellRoot()) {
    if (FAILED(root->GetCodeFormatter(&m_pFormatter))) m_pFormatter = nullptr;
  }
  for (int t = 0; t < kLexemeCount; t++) {
    m_lexemes[t].type = (LexemeType)t;
    m_lexemes[t].format = {(unsigned long)-1, (unsigned long)-1, 0, 0, 0, UnderlineTypeNone};
  }
}

CCodeFormatPage::~CCodeFormatPage() {
  if (m_pFormatter != nullptr) m_pFormatter->Release();
}

void CCodeFormatPage::DoDataExchange(CDataExchange* pDX) {
  CUfxPropertyPage::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_FONT_NAMES, m_wndFontNames);
  DDX_Control(pDX, IDC_FONT_SIZE, m_wndFontSize);
  DDX_Control(pDX, IDC_UNDERLINE, m_wndUnderline);
  DDX_Control(pDX, IDC_BOLD, m_wndBold);
  DDX_Control(pDX, IDC_ITALIC, m_wndItalic);
  DDX_Control(pDX, IDC_LEXEMES, m_wndLexemes);
  DDX_Control(pDX, IDC_FONT_SAMPLE, m_wndSample);
  DDX_Control(pDX, IDC_COMMON_BACK, m_wndCommonBack);
  DDX_Control(pDX, IDC_LEXEME_BACK, m_wndLexemeBack);
  DDX_Control(pDX, IDC_LEXEME_FORE, m_wndLexemeFore);
}

// ---- set-up ------------------------------------------------------------------------------------

BOOL CCodeFormatPage::OnInitDialog() {
  CUfxPropertyPage::OnInitDialog();
  CString strAutomatic, strOther;
  strAutomatic.LoadString(IDS_COLOR_AUTOMATIC);
  strOther.LoadString(IDS_COLOR_OTHER);
  for (CUfxColorButton* pButton : {&m_wndLexemeFore, &m_wndLexemeBack, &m_wndCommonBack}) {
    pButton->EnableAutomaticButton(strAutomatic, ::GetSysColor(COLOR_WINDOW));
    pButton->EnableOtherButton(strOther);
    pButton->SetColumnsNumber(10);
  }
  CodeCommonFormat common = {(unsigned long)-1, 220, 1, nullptr};
  if (m_pFormatter != nullptr) m_pFormatter->GetCommonFormat(&common);
  const CString strFace = common.CcfFontName != nullptr ? CString(common.CcfFontName) : CString(L"Courier New");
  if (common.CcfFontName != nullptr) ::SysFreeString(common.CcfFontName);

  m_fontList.CreateFont(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
  m_fontListBold.CreateFont(-11, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
  FillFontNames();
  SelectFontName(strFace);
  CString strSize;
  strSize.Format(L"%i", common.CcfFontHeight / 20);
  m_wndFontSize.SetWindowText(strSize);
  m_wndCommonBack.SetColor((COLORREF)common.CcfBackColor);

  for (int t = 0; t < kLexemeCount; t++) {
    CString strName;
    strName.LoadString(IDS_LEXEME_FIRST + t);
    const int i = m_wndLexemes.AddString(strName);
    m_wndLexemes.SetItemData(i, (DWORD_PTR)t);
    if (m_pFormatter != nullptr) m_pFormatter->GetCharFormat((LexemeType)t, &m_lexemes[t].format);
  }
  BuildPreviewFonts(SizeText());
  for (int n : {6, 7, 8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 30}) {
    CString strItem;
    strItem.Format(L"%i", n);
    m_wndFontSize.AddString(strItem);
  }
  for (int i = 0; i < (int)(sizeof(kUnderlines) / sizeof(kUnderlines[0])); i++) {
    CString strName;
    strName.LoadString(IDS_UNDERLINE_FIRST + i);
    m_wndUnderline.SetItemData(m_wndUnderline.AddString(strName), (DWORD_PTR)kUnderlines[i]);
  }
  m_wndLexemes.SetCurSel(0);
  ShowLexeme();
  return TRUE;
}

void CCodeFormatPage::FillFontNames() {
  m_fontNames.clear();
  // The printer's faces when there is a printer, so that what prints is what shows.
  CPrintDialog printer(FALSE);
  HDC hdc = AfxGetApp() != nullptr && AfxGetApp()->GetPrinterDeviceDefaults(&printer.m_pd) ? printer.CreatePrinterDC() : nullptr;
  const BOOL bScreen = hdc == nullptr;
  if (bScreen) hdc = ::GetDC(nullptr);
  LOGFONTW logFont = {};
  ::EnumFontFamiliesExW(hdc, &logFont, AddFontFace, (LPARAM)&m_fontNames, 0);
  if (bScreen) ::ReleaseDC(nullptr, hdc);
  else ::DeleteDC(hdc);
  m_wndFontNames.ResetContent();
  for (const CString& strName : m_fontNames) m_wndFontNames.AddString(strName);
}

void CCodeFormatPage::SelectFontName(const CString& strName) {
  int i = m_wndFontNames.FindString(-1, strName);
  if (i == CB_ERR) {
    m_wndFontNames.SetCurSel(0);
    return;
  }
  m_wndFontNames.SetWindowText(strName);
  m_wndFontNames.SetCurSel(i);
}

CString CCodeFormatPage::FaceName() const {
  CString strName;
  const int i = m_wndFontNames.GetCurSel();
  if (i != CB_ERR) m_wndFontNames.GetLBText(i, strName);
  else m_wndFontNames.GetWindowText(strName);
  return WithoutMark(strName);
}

int CCodeFormatPage::SizeText() const {
  CString strSize;
  m_wndFontSize.GetWindowText(strSize);
  return _wtoi(strSize);
}

BOOL CCodeFormatPage::IsPreviewValid() const {
  const int n = SizeText();
  return n >= kMinSize + 1 && n <= kMaxSize - 1;
}

COLORREF CCodeFormatPage::CommonBack() const {
  const COLORREF clr = m_wndCommonBack.GetColor();
  return clr == (COLORREF)-1 ? ::GetSysColor(COLOR_WINDOW) : clr;
}

int CCodeFormatPage::SelectedLexeme() const {
  const int i = m_wndLexemes.GetCurSel();
  return i == LB_ERR ? -1 : (int)m_wndLexemes.GetItemData(i);
}

// ---- preview fonts -----------------------------------------------------------------------------

void CCodeFormatPage::DeletePreviewFonts() {
  for (CFont* pFont : {&m_fontNormal, &m_fontBold, &m_fontItalic, &m_fontBoldItalic}) pFont->DeleteObject();
}

void CCodeFormatPage::BuildPreviewFonts(int nSize) {
  DeletePreviewFonts();
  CString strFace = FaceName();
  int nHeight = -11;
  if (nSize < kMinSize || nSize > kMaxSize) {
    m_strPreview.LoadString(IDS_FONT_SIZE_REFUSED);
    strFace = L"Tahoma";
  } else {
    m_strPreview.LoadString(IDS_FONT_PREVIEW);
    CClientDC dc(this);
    nHeight = -::MulDiv(nSize, dc.GetDeviceCaps(LOGPIXELSY), 72);
  }
  m_fontNormal.CreateFont(nHeight, 0, 0, 0, FW_NORMAL, FALSE, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, strFace);
  m_fontItalic.CreateFont(nHeight, 0, 0, 0, FW_NORMAL, TRUE, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, strFace);
  m_fontBoldItalic.CreateFont(nHeight, 0, 0, 0, FW_BOLD, TRUE, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, strFace);
  m_fontBold.CreateFont(nHeight, 0, 0, 0, FW_BOLD, FALSE, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, strFace);
}

// ---- the controls --------------------------------------------------------------------------------

void CCodeFormatPage::ShowLexeme() {
  const int t = SelectedLexeme();
  if (t < 0) return;
  const CharFormat& format = m_lexemes[t].format;
  CString strAutomatic;
  strAutomatic.LoadString(IDS_COLOR_AUTOMATIC);
  m_wndLexemeFore.EnableAutomaticButton(strAutomatic, kDefaultFore[t]);
  m_wndLexemeFore.SetColor((COLORREF)format.CfForeColor);
  m_wndLexemeBack.EnableAutomaticButton(strAutomatic, CommonBack());
  m_wndLexemeBack.SetColor((COLORREF)format.CfBackColor);
  int iUnderline = -1;
  for (int i = 0; i < m_wndUnderline.GetCount(); i++)
    if ((UnderlineTypes)m_wndUnderline.GetItemData(i) == format.CfUnderline) iUnderline = i;
  m_wndUnderline.SetCurSel(iUnderline);
  m_wndItalic.SetCheck(format.CfItalic ? BST_CHECKED : BST_UNCHECKED);
  m_wndBold.SetCheck(format.CfBold ? BST_CHECKED : BST_UNCHECKED);
  m_wndSample.Invalidate();
}

void CCodeFormatPage::OnFontChange() {
  SetModified();
  BuildPreviewFonts(SizeText());
  m_wndSample.Invalidate();
}

void CCodeFormatPage::OnSizeSelChange() {
  SetModified();
  CString strSize;
  const int i = m_wndFontSize.GetCurSel();
  if (i != CB_ERR) m_wndFontSize.GetLBText(i, strSize);
  BuildPreviewFonts(_wtoi(strSize));
  m_wndSample.Invalidate();
}

void CCodeFormatPage::OnLexemeSelChange() { ShowLexeme(); }

void CCodeFormatPage::OnCommonBackColor() {
  SetModified();
  m_wndSample.Invalidate();
  CString strAutomatic;
  strAutomatic.LoadString(IDS_COLOR_AUTOMATIC);
  m_wndLexemeBack.EnableAutomaticButton(strAutomatic, CommonBack());
}

void CCodeFormatPage::OnLexemeBackColor() {
  SetModified();
  const int t = SelectedLexeme();
  if (t >= 0) m_lexemes[t].format.CfBackColor = (unsigned long)m_wndLexemeBack.GetColor();
  m_wndSample.Invalidate();
}

void CCodeFormatPage::OnLexemeForeColor() {
  SetModified();
  const int t = SelectedLexeme();
  if (t >= 0) m_lexemes[t].format.CfForeColor = (unsigned long)m_wndLexemeFore.GetColor();
  m_wndSample.Invalidate();
}

void CCodeFormatPage::OnUnderlineSelChange() {
  SetModified();
  const int t = SelectedLexeme(), i = m_wndUnderline.GetCurSel();
  if (t >= 0 && i != CB_ERR) m_lexemes[t].format.CfUnderline = (UnderlineTypes)m_wndUnderline.GetItemData(i);
  m_wndSample.Invalidate();
}

void CCodeFormatPage::OnBoldItalic() {
  SetModified();
  const int t = SelectedLexeme();
  if (t >= 0) {
    m_lexemes[t].format.CfBold = m_wndBold.GetCheck() == BST_CHECKED;
    m_lexemes[t].format.CfItalic = m_wndItalic.GetCheck() == BST_CHECKED;
  }
  m_wndSample.Invalidate();
}

void CCodeFormatPage::OnDefaults() {
  SetModified();
  if (m_wndFontNames.FindString(-1, L"Courier New") != CB_ERR) SelectFontName(L"Courier New");
  else m_wndFontNames.SetCurSel(0);
  m_wndFontSize.SetWindowText(L"11");
  m_wndCommonBack.SetColor((COLORREF)-1);
  for (int t = 0; t < kLexemeCount; t++)
    m_lexemes[t].format = {(unsigned long)-1, (unsigned long)-1, t == LexemeTypeBracketsHilight ? 1 : 0, 0, 0,
                           UnderlineTypeNone};
  BuildPreviewFonts(11);
  ShowLexeme();
  m_wndSample.Invalidate();
}

BOOL CCodeFormatPage::OnApply() {
  const int nSize = SizeText();
  if (nSize < kMinSize || nSize > kMaxSize) {
    ResourceMessageBox(m_hWnd, IDS_FONT_SIZE_REFUSED, IDS_FONT_SIZE_REFUSED_CAPTION, MB_ICONEXCLAMATION);
    m_wndFontSize.SetFocus();
    return FALSE;
  }
  if (m_pFormatter != nullptr) {
    // The common format first: setting it restores every lexeme's format, which the eleven
    // formats after it then replace.
    BSTR bstrFace = ::SysAllocString(FaceName());
    CodeCommonFormat common = {(unsigned long)m_wndCommonBack.GetColor(), nSize * 20, 1, bstrFace};
    m_pFormatter->SetCommonFormat(common);
    ::SysFreeString(bstrFace);
    for (const LexemeFormat& lexeme : m_lexemes) m_pFormatter->SetCharFormat(lexeme.type, lexeme.format);
  }
  if (CMainInterface* root = ShellRoot()) root->GetMessenger().FireOnAfterUpdate(FontsAndColorsPage);
  if (m_pFormatter != nullptr) m_pFormatter->EndUpdate();
  return CUfxPropertyPage::OnApply();
}

// ---- drawing -----------------------------------------------------------------------------------

void CCodeFormatPage::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct) {
  if (nIDCtl == IDC_FONT_NAMES || nIDCtl == IDC_UNDERLINE) {
    lpMeasureItemStruct->itemHeight = kItemHeight;
    return;
  }
  CUfxPropertyPage::OnMeasureItem(nIDCtl, lpMeasureItemStruct);
}

void CCodeFormatPage::DrawUnderline(CDC* pDC, int xLeft, int xRight, int y, UnderlineTypes kind, COLORREF clr) {
  if (kind == UnderlineTypeNone || xRight <= xLeft) return;
  CPen pen(PS_SOLID, 1, clr);
  CPen* pOld = pDC->SelectObject(&pen);
  switch (kind) {
    case UnderlineTypeDotted:
      for (int x = xLeft; x < xRight; x += 2) pDC->SetPixel(x, y, clr);
      break;
    case UnderlineTypeWave:
      pDC->MoveTo(xLeft, y);
      for (int x = xLeft; x <= xRight; x += 2) pDC->LineTo(x, y - ((x - xLeft) / 2 % 2));
      break;
    default:
      pDC->MoveTo(xLeft, y);
      pDC->LineTo(xRight, y);
  }
  pDC->SelectObject(pOld);
}

void CCodeFormatPage::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct) {
  if ((nIDCtl != IDC_FONT_NAMES && nIDCtl != IDC_UNDERLINE) || (int)lpDrawItemStruct->itemID < 0) {
    CUfxPropertyPage::OnDrawItem(nIDCtl, lpDrawItemStruct);
    return;
  }
  CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
  CRect rect = lpDrawItemStruct->rcItem;
  const BOOL bSelected = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;
  pDC->FillSolidRect(rect, ::GetSysColor(bSelected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  const COLORREF clrText = ::GetSysColor(bSelected ? COLOR_WINDOW : COLOR_BTNTEXT);
  pDC->SetTextColor(clrText);
  pDC->SetBkMode(TRANSPARENT);
  rect.DeflateRect(2, 2);
  CComboBox* pCombo = nIDCtl == IDC_FONT_NAMES ? &m_wndFontNames : &m_wndUnderline;
  CString strText;
  pCombo->GetLBText((int)lpDrawItemStruct->itemID, strText);
  if (nIDCtl == IDC_FONT_NAMES) {
    const BOOL bFixed = !strText.IsEmpty() && strText[strText.GetLength() - 1] == kFixedPitchMark;
    CFont* pOld = pDC->SelectObject(bFixed ? &m_fontListBold : &m_fontList);
    pDC->DrawText(WithoutMark(strText), rect, DT_SINGLELINE | DT_VCENTER);
    pDC->SelectObject(pOld);
    return;
  }
  CFont* pOld = pDC->SelectObject(&m_fontList);
  CRect rectText = rect;
  pDC->DrawText(strText, rectText, DT_SINGLELINE | DT_VCENTER | DT_CALCRECT);
  rectText.OffsetRect(0, (rect.Height() - rectText.Height()) / 2);
  pDC->DrawText(strText, rect, DT_SINGLELINE | DT_VCENTER);
  DrawUnderline(pDC, rect.left, rectText.right, rectText.bottom, (UnderlineTypes)lpDrawItemStruct->itemData, clrText);
  pDC->SelectObject(pOld);
}

LRESULT CCodeFormatPage::OnPaintSample(WPARAM wParam, LPARAM) {
  CWnd* pSample = CWnd::FromHandle((HWND)wParam);
  if (pSample == nullptr) return 0;
  CClientDC dc(pSample);
  CRect rect;
  pSample->GetClientRect(rect);
  rect.DeflateRect(2, 2);
  CRgn clip;
  clip.CreateRectRgnIndirect(rect);
  dc.SelectClipRgn(&clip);
  const int t = SelectedLexeme();
  if (!IsPreviewValid() || t < 0) {
    CFont* pOld = dc.SelectObject(&m_fontNormal);
    dc.SetBkMode(TRANSPARENT);
    dc.DrawText(m_strPreview, rect, DT_CENTER | DT_WORDBREAK);
    dc.SelectObject(pOld);
    return 0;
  }
  const CharFormat& format = m_lexemes[t].format;
  const COLORREF clrBack = CommonBack();
  dc.FillSolidRect(rect, clrBack);
  const COLORREF clrFore = format.CfForeColor == (unsigned long)-1 ? kDefaultFore[t] : (COLORREF)format.CfForeColor;
  dc.SetTextColor(clrFore);
  dc.SetBkColor(format.CfBackColor == (unsigned long)-1 ? clrBack : (COLORREF)format.CfBackColor);
  dc.SetBkMode(OPAQUE);
  CFont* pFont = format.CfBold ? (format.CfItalic ? &m_fontBoldItalic : &m_fontBold)
                               : (format.CfItalic ? &m_fontItalic : &m_fontNormal);
  CFont* pOld = dc.SelectObject(pFont);
  dc.DrawText(m_strPreview, rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  const CSize sizeText = dc.GetTextExtent(m_strPreview);
  const int xLeft = rect.left + (rect.Width() - sizeText.cx) / 2;
  const int yBottom = rect.top + (rect.Height() + sizeText.cy) / 2 - 1;
  DrawUnderline(&dc, xLeft, xLeft + sizeText.cx, yBottom, format.CfUnderline, clrFore);
  dc.SelectObject(pOld);
  return 0;
}
