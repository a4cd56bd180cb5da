#include "ExportDlg.h"

#include "MainInterface.h"
#include "bars/UfxPopupMenu.h"

namespace {

CString LoadFilter() {
  CString filter;
  filter.LoadString(IDS_EXPORT_FILTER);
  return filter;
}

// "[#" digits "]" at `at`: the code and the length of the escape, or 0 when there is none
// there or its code lies outside 1 to 65535.
int ReadCharacterEscape(const CString& text, int at, wchar_t& character) {
  const int length = text.GetLength();
  if (at + 1 >= length || text[at] != L'[' || text[at + 1] != L'#') return 0;
  int i = at + 2;
  unsigned long code = 0;
  while (i < length && text[i] >= L'0' && text[i] <= L'9') {
    if (code <= 0xFFFF) code = code * 10 + static_cast<unsigned long>(text[i] - L'0');
    ++i;
  }
  if (i == at + 2 || i >= length || text[i] != L']' || code < 1 || code > 0xFFFF) return 0;
  character = static_cast<wchar_t>(code);
  return i + 1 - at;
}

}  // namespace

CString DecodeExportSeparator(const CString& text) {
  CString named = text;
  named.Replace(L"[Tab]", L"\t");
  named.Replace(L"[\\r\\n]", L"\r\n");
  CString decoded;
  for (int i = 0; i < named.GetLength();) {
    wchar_t character = 0;
    if (const int used = ReadCharacterEscape(named, i, character)) {
      decoded += character;
      i += used;
    } else {
      decoded += named[i++];
    }
  }
  return decoded;
}

IMPLEMENT_DYNAMIC(CExportDlg, CFileDialog)

BEGIN_MESSAGE_MAP(CExportDlg, CFileDialog)
  ON_BN_CLICKED(IDC_EXPORT_RESULTS, OnResultsClicked)
  ON_BN_CLICKED(IDC_EXPORT_NUMBER_LINES, OnNumberLinesClicked)
  ON_BN_CLICKED(IDC_EXPORT_SEPARATOR_MENU, OnSeparatorMenu)
  ON_COMMAND_RANGE(ID_SEPARATOR_TAB, ID_SEPARATOR_CHARACTER, OnSeparatorToken)
END_MESSAGE_MAP()

CExportDlg::CExportDlg(CWnd* parent)
    : CFileDialog(FALSE, L"htm", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_ENABLETEMPLATE | OFN_EXPLORER,
                  LoadFilter(), parent),
      m_nSelChangedMessage(::RegisterWindowMessageW(L"commdlg_LBSelChangedNotify")) {
  m_ofn.lpTemplateName = MAKEINTRESOURCEW(IDD_EXPORT_OPTIONS);
}

INT_PTR CExportDlg::DoModal() {
  const INT_PTR answer = CFileDialog::DoModal();
  if (answer == IDOK) m_settings.FilePath = GetPathName();
  return answer;
}

BOOL CExportDlg::OnInitDialog() {
  CFileDialog::OnInitDialog();
  m_wndSeparator.SubclassDlgItem(IDC_EXPORT_SEPARATOR, this);
  m_wndResults.SubclassDlgItem(IDC_EXPORT_RESULTS, this);
  m_wndNumberLines.SubclassDlgItem(IDC_EXPORT_NUMBER_LINES, this);
  m_wndSeparator.SetWindowText(m_settings.Separator);
  m_wndNumberLines.SetCheck(m_settings.NumberLines != 0 ? BST_CHECKED : BST_UNCHECKED);
  m_wndResults.SetCheck(m_settings.IncludeResults != 0 ? BST_CHECKED : BST_UNCHECKED);
  FollowFileType();
  return TRUE;
}

LRESULT CExportDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == m_nSelChangedMessage) FollowFileType();
  return CFileDialog::WindowProc(message, wParam, lParam);
}

void CExportDlg::OnTypeChange() { FollowFileType(); }

BOOL CExportDlg::OnFileNameOK() {
  FollowFileType();
  TakeSeparator();
  return FALSE;
}

void CExportDlg::FollowFileType() {
  m_settings.HtmlFormat = m_ofn.nFilterIndex <= 1 ? 1 : 0;
  EnableSeparatorControls();
}

void CExportDlg::EnableSeparatorControls() {
  const BOOL enable = m_settings.IncludeResults != 0 && m_settings.HtmlFormat == 0;
  for (int id : {IDC_EXPORT_SEPARATOR_MENU, IDC_EXPORT_SEPARATOR, IDC_EXPORT_SEPARATOR_LABEL})
    if (HWND control = ::GetDlgItem(m_hWnd, id)) ::EnableWindow(control, enable);
}

void CExportDlg::TakeSeparator() {
  CString separator;
  m_wndSeparator.GetWindowText(separator);
  if (separator.IsEmpty()) {
    HWND owner = ::GetParent(m_hWnd);
    if (ResourceMessageBox(owner != nullptr ? owner : m_hWnd, IDS_EXPORT_EMPTY_SEPARATOR,
                           IDS_EXPORT_EMPTY_SEPARATOR_CAPTION, MB_YESNO | MB_ICONEXCLAMATION) == IDYES)
      separator = L"[Tab]";
  }
  m_settings.Separator = DecodeExportSeparator(separator);
}

void CExportDlg::OnResultsClicked() {
  m_settings.IncludeResults = m_wndResults.GetCheck() == BST_CHECKED ? 1 : 0;
  EnableSeparatorControls();
}

void CExportDlg::OnNumberLinesClicked() {
  m_settings.NumberLines = m_wndNumberLines.GetCheck() == BST_CHECKED ? 1 : 0;
}

void CExportDlg::OnSeparatorMenu() {
  HMENU menu = ::LoadMenuW(AfxFindResourceHandle(MAKEINTRESOURCEW(IDR_EXPORT_SEPARATOR_MENU), (LPCWSTR)RT_MENU),
                           MAKEINTRESOURCEW(IDR_EXPORT_SEPARATOR_MENU));
  if (menu == nullptr) return;
  // The popup owns the sub-menu it shows and destroys it when it closes.
  HMENU items = ::GetSubMenu(menu, 0);
  ::RemoveMenu(menu, 0, MF_BYPOSITION);
  ::DestroyMenu(menu);
  if (items == nullptr) return;
  CRect button;
  ::GetWindowRect(::GetDlgItem(m_hWnd, IDC_EXPORT_SEPARATOR_MENU), &button);
  CUfxPopupMenu* popup = new CUfxPopupMenu;
  if (!popup->Create(this, button.left + 1, button.bottom, items, FALSE, TRUE)) ::DestroyMenu(items);
}

void CExportDlg::OnSeparatorToken(UINT nID) {
  LPCWSTR token = nullptr;
  switch (nID) {
    case ID_SEPARATOR_TAB: token = L"[Tab]"; break;
    case ID_SEPARATOR_LINE_BREAK: token = L"[\\r\\n]"; break;
    case ID_SEPARATOR_CHARACTER: token = L"[#0032]"; break;
    default: return;
  }
  m_wndSeparator.ReplaceSel(token, TRUE);
  m_wndSeparator.SetFocus();
}

bool RunExportDialog(CWnd* owner, ExportSettings& settings) {
  CExportDlg dialog(owner);
  if (dialog.DoModal() != IDOK) return false;
  settings = dialog.GetSettings();
  return true;
}
