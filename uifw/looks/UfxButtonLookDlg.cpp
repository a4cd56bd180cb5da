#include "looks/UfxButtonLookDlg.h"
#include "bars/UfxToolbarButton.h"
#include "frames/UfxCommandManager.h"
#include "bars/UfxUserTool.h"
#include "frames/UfxUserToolsManager.h"

IMPLEMENT_DYNAMIC(CUfxButtonLookDlg, CDialog)

CUfxButtonLookDlg::CUfxButtonLookDlg(CUfxToolbarButton* pButton, CUfxToolBarImages* pImages, CWnd* pParent,
                                     int iStartImage, CWnd* pWndMenu)
    : CDialog(IDD, pParent), m_pButton(pButton), m_pImages(pImages), m_iStartImage(iStartImage),
      m_pWndMenu(pWndMenu), m_bMenuMode(pWndMenu != nullptr) {
  if (UfxUserToolsManager != nullptr) m_pUserTool = UfxUserToolsManager->FindTool(pButton->m_nID);
  m_iSelImage = pButton->m_bUserButton ? pButton->m_iUserImage : pButton->m_iImage;
  m_bUserButton = pButton->m_bUserButton ||
                  (m_pUserTool == nullptr && UfxGetCommandManager()->GetCmdImage(pButton->m_nID, FALSE) < 0);
  m_bImage = pButton->m_bImage;
  if (m_bMenuMode && UfxGetCommandManager()->IsMenuItemWithoutImage(pButton->m_nID)) m_bImage = FALSE;
  m_bText = m_bMenuMode ? TRUE : pButton->m_bText;
}

BOOL CUfxButtonLookDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  // The accelerator after the tab stays with the text but is not edited.
  const CString& strText = m_pButton->m_strText;
  const int iTab = strText.Find(L'\t');
  m_strButtonText = iTab < 0 ? strText : strText.Left(iTab);
  m_strAccel = iTab < 0 ? CString() : strText.Mid(iTab + 1);
  if (::GetDlgItem(m_hWnd, kTextEdit) != nullptr) ::SetDlgItemTextW(m_hWnd, kTextEdit, m_strButtonText);
  const UINT uiMode = !m_bImage ? kTextOnly : (m_bText ? kImageAndText : kImageOnly);
  if (::GetDlgItem(m_hWnd, uiMode) != nullptr) ::CheckRadioButton(m_hWnd, kImageOnly, kImageAndText, uiMode);
  return TRUE;
}

void CUfxButtonLookDlg::OnOK() {
  if (::GetDlgItem(m_hWnd, kTextEdit) != nullptr) {
    wchar_t szText[512] = {};
    ::GetDlgItemTextW(m_hWnd, kTextEdit, szText, _countof(szText));
    m_strButtonText = szText;
  }
  if (::GetDlgItem(m_hWnd, kImageOnly) != nullptr) {
    m_bImage = !::IsDlgButtonChecked(m_hWnd, kTextOnly);
    m_bText = !::IsDlgButtonChecked(m_hWnd, kImageOnly);
  }
  if (m_bMenuMode) UfxGetCommandManager()->EnableMenuItemImage(m_pButton->m_nID, m_bImage);
  else m_pButton->m_bImage = m_bImage;
  m_pButton->m_bText = m_bText;
  m_pButton->m_bUserButton = m_bUserButton;
  if (m_iSelImage >= 0) m_pButton->SetImage(m_iSelImage);
  m_pButton->m_strText = m_strButtonText;
  if (!m_strAccel.IsEmpty()) m_pButton->m_strText += L"\t" + m_strAccel;
  EndDialog(IDOK);
}
