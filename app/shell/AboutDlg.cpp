#include "AboutDlg.h"

IMPLEMENT_DYNAMIC(CAboutDlg, CDialog)

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX) { m_strProduct.LoadString(IDS_ABOUT_PRODUCT); }

void CAboutDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_ABOUT_LINK, m_btnLink);
  DDX_Control(pDX, IDC_ABOUT_MAIL, m_btnMail);
  DDX_Control(pDX, IDC_ABOUT_MAIL_SECOND, m_btnMailSecond);
  DDX_Text(pDX, IDC_ABOUT_TEXT, m_strProduct);
}

BOOL CAboutDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  // The two mail links open a new message to the address they show.
  m_btnMail.SetURLPrefix(L"mailto:");
  m_btnMailSecond.SetURLPrefix(L"mailto:");
  return TRUE;
}
