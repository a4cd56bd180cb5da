// CCodeFormatPage: the settings sheet's page of how worksheet text is shown: the expression
// pane's font, size and back colour, and each kind of lexeme's colours, weight, slant and
// underline, with a preview.
#pragma once
#include "FontSample.h"
#include "NumbrookLib.h"
#include "looks/UfxColorButton.h"
#include "looks/UfxPropertyPage.h"
#include <vector>

class CCodeFormatPage : public CUfxPropertyPage {
  DECLARE_DYNAMIC(CCodeFormatPage)
public:
  CCodeFormatPage();
  ~CCodeFormatPage() override;

  BOOL OnInitDialog() override;
  BOOL OnApply() override;

  // The lexeme records, one per lexeme type.
  struct LexemeFormat {
    LexemeType type;
    CharFormat format;
  };
  const LexemeFormat& GetLexeme(int i) const { return m_lexemes[i]; }
  // The preview counts as valid for sizes 7 to 29.
  BOOL IsPreviewValid() const;

  CComboBox m_wndFontNames;
  CComboBox m_wndFontSize;
  CComboBox m_wndUnderline;
  CButton m_wndBold;
  CButton m_wndItalic;
  CListBox m_wndLexemes;
  CFontSample m_wndSample;
  CUfxColorButton m_wndCommonBack;
  CUfxColorButton m_wndLexemeBack;
  CUfxColorButton m_wndLexemeFore;

protected:
  void DoDataExchange(CDataExchange* pDX) override;
  afx_msg void OnFontChange();
  afx_msg void OnSizeSelChange();
  afx_msg void OnLexemeSelChange();
  afx_msg void OnCommonBackColor();
  afx_msg void OnLexemeBackColor();
  afx_msg void OnLexemeForeColor();
  afx_msg void OnUnderlineSelChange();
  afx_msg void OnBoldItalic();
  afx_msg void OnDefaults();
  afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
  afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
  afx_msg LRESULT OnPaintSample(WPARAM wParam, LPARAM lParam);

  void FillFontNames();
  void SelectFontName(const CString& strName);
  CString FaceName() const;
  int SizeText() const;
  void BuildPreviewFonts(int nSize);
  void DeletePreviewFonts();
  void ShowLexeme();
  int SelectedLexeme() const;
  COLORREF CommonBack() const;
  void DrawUnderline(CDC* pDC, int xLeft, int xRight, int y, UnderlineTypes kind, COLORREF clr);

  ICodeFormatter* m_pFormatter = nullptr;
  std::vector<CString> m_fontNames;
  CFont m_fontList, m_fontListBold;
  CFont m_fontNormal, m_fontBold, m_fontItalic, m_fontBoldItalic;
  CString m_strPreview;
  LexemeFormat m_lexemes[11] = {};
  DECLARE_MESSAGE_MAP()
};
