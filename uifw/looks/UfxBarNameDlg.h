// CUfxBarNameDlg: asks for a toolbar's name; OK only while the name is not empty.
#pragma once
#include "Framework.h"

class CUfxBarNameDlg : public CDialog {
public:
  explicit CUfxBarNameDlg(LPCWSTR lpszName = nullptr, CWnd* pParent = nullptr);
  BOOL OnInitDialog() override;
  CString m_strToolbarName;

protected:
  void DoDataExchange(CDataExchange* pDX) override;
  afx_msg void OnUpdateToolbarName();
  DECLARE_MESSAGE_MAP()
};
