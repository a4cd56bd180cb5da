// CAboutDlg: the About box: the product text and three links, two of them mail addresses.
#pragma once
#include "Framework.h"
#include "looks/UfxURLLinkButton.h"

#define IDD_ABOUTBOX 200
#define IDS_ABOUT_PRODUCT 204
#define IDC_ABOUT_LINK 2041
#define IDC_ABOUT_MAIL 2042
#define IDC_ABOUT_TEXT 2043
#define IDC_ABOUT_MAIL_SECOND 2047

class CAboutDlg : public CDialog {
  DECLARE_DYNAMIC(CAboutDlg)
public:
  CAboutDlg();
  BOOL OnInitDialog() override;

  CUfxURLLinkButton m_btnLink;
  CUfxURLLinkButton m_btnMail;
  CUfxURLLinkButton m_btnMailSecond;
  CString m_strProduct;

protected:
  void DoDataExchange(CDataExchange* pDX) override;
};
