#include "looks/UfxBarNameDlg.h"
#include "looks/UfxCustomizeIds.h"

BEGIN_MESSAGE_MAP(CUfxBarNameDlg, CDialog)
  ON_EN_UPDATE(IDC_UFX_TOOLBAR_NAME, OnUpdateToolbarName)
END_MESSAGE_MAP()

CUfxBarNameDlg::CUfxBarNameDlg(LPCWSTR lpszName, CWnd* pParent)
    : CDialog(IDD_UFX_BAR_NAME, pParent), m_strToolbarName(lpszName != nullptr ? lpszName : L"") {}

void CUfxBarNameDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_UFX_TOOLBAR_NAME, m_strToolbarName);
}

BOOL CUfxBarNameDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  OnUpdateToolbarName();
  return TRUE;
}

void CUfxBarNameDlg::OnUpdateToolbarName() {
  UpdateData();
  if (CWnd* pOk = GetDlgItem(IDOK)) pOk->EnableWindow(!m_strToolbarName.IsEmpty());
}
