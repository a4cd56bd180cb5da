// CExportDlg: the worksheet export's Save As dialog. Below the system dialog's controls, a child
// template asks whether results follow their expressions and with which separator, and whether
// the lines are numbered; the file type chooses HTML (first type) or text. On OK the separator's
// tokens are decoded and the chosen path stored, so the caller reads finished settings.
#pragma once

#include "CalcExport.h"
#include "Framework.h"

#define IDD_EXPORT_OPTIONS 288
#define IDR_EXPORT_SEPARATOR_MENU 254
#define IDS_EXPORT_FILTER 501
#define IDS_EXPORT_EMPTY_SEPARATOR 2033
#define IDS_EXPORT_EMPTY_SEPARATOR_CAPTION 2034

// Controls of the child template and commands of the separator menu.
#define IDC_EXPORT_SEPARATOR 2072
#define IDC_EXPORT_SEPARATOR_MENU 2073
#define IDC_EXPORT_RESULTS 2100
#define IDC_EXPORT_NUMBER_LINES 2101
#define IDC_EXPORT_SEPARATOR_LABEL 2103
#define ID_SEPARATOR_TAB 22854
#define ID_SEPARATOR_LINE_BREAK 22855
#define ID_SEPARATOR_CHARACTER 22857

class CExportDlg : public CFileDialog {
  DECLARE_DYNAMIC(CExportDlg)
public:
  explicit CExportDlg(CWnd* parent);

  // The settings as the dialog left them; finished once DoModal answered IDOK.
  const ExportSettings& GetSettings() const { return m_settings; }

  INT_PTR DoModal() override;
  BOOL OnInitDialog() override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  BOOL OnFileNameOK() override;
  void OnTypeChange() override;

protected:
  afx_msg void OnResultsClicked();
  afx_msg void OnNumberLinesClicked();
  afx_msg void OnSeparatorMenu();
  afx_msg void OnSeparatorToken(UINT nID);
  DECLARE_MESSAGE_MAP()

private:
  // The HTML flag from the file type now chosen (the first type is HTML).
  void FollowFileType();
  // The separator controls work for a text export with results only.
  void EnableSeparatorControls();
  // Takes the separator from its edit, asks about an empty one, and decodes it.
  void TakeSeparator();

  ExportSettings m_settings;
  CEdit m_wndSeparator;
  CButton m_wndResults;
  CButton m_wndNumberLines;
  UINT m_nSelChangedMessage;
};

// The separator as the user wrote it, with its tokens turned into characters: "[Tab]" a tab,
// "[\r\n]" (backslash r backslash n) a line break, and "[#n]" the character of code n, for n
// from 1 to 65535. Anything else, a broken or open escape too, stays as written.
CString DecodeExportSeparator(const CString& text);

// The export service of the worksheet: runs the dialog over `owner` and on OK copies its
// settings out.
bool RunExportDialog(CWnd* owner, ExportSettings& settings);
