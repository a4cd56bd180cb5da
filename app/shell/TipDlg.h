// CTipDlg: the tip of the day, a modal dialog (template 103) whose browser shows the resource
// library's "tip.htm" and drives it through the page's script function "SetFrameSrc".
#pragma once

#include "Explorer.h"
#include "Framework.h"

#define IDD_TIP_DIALOG 103
#define IDC_TIP_BROWSER 1004
#define IDC_TIP_FRAME 1005
#define ID_TIP_SHOW_DRIVE 3
#define ID_TIP_NOTHING 4

class CTipDlg : public CDialog {
  DECLARE_DYNAMIC(CTipDlg)
public:
  explicit CTipDlg(CWnd* parent = nullptr);

  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  CExplorer& GetBrowser() { return m_wndBrowser; }

  // Calls the page's script function `name` with one string argument; FALSE when the page has
  // no document, no script or no such function.
  BOOL CallScript(LPCWSTR name, LPCWSTR argument);

protected:
  afx_msg void OnShowDrive();
  afx_msg void OnNothing();
  DECLARE_MESSAGE_MAP()

private:
  CExplorer m_wndBrowser;
  CButton m_wndFrame;
};
