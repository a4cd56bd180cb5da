#include "TextEditorPage.h"
#include "MainFrame.h"
#include "SettingsPages.h"

IMPLEMENT_DYNAMIC(CTextEditorPage, CUfxPropertyPage)

BEGIN_MESSAGE_MAP(CTextEditorPage, CUfxPropertyPage)
  ON_BN_CLICKED(IDC_FN_REPLACE, OnModified)
  ON_BN_CLICKED(IDC_FN_INSERT, OnModified)
END_MESSAGE_MAP()

CTextEditorPage::CTextEditorPage() : CUfxPropertyPage(IDD_TEXT_EDITOR_PAGE) {}

BOOL CTextEditorPage::OnInitDialog() {
  CUfxPropertyPage::OnInitDialog();
  FnProcessing processing = FpReplace;
  CMainInterface* root = ShellRoot();
  if (root != nullptr && SUCCEEDED(root->GetSettings().get_CurrentFnProcessing(&processing))) {
    if (processing == FpReplace) CheckDlgButton(IDC_FN_REPLACE, BST_CHECKED);
    else if (processing == FpInsert) CheckDlgButton(IDC_FN_INSERT, BST_CHECKED);
  }
  return TRUE;
}

void CTextEditorPage::OnModified() { SetModified(); }

BOOL CTextEditorPage::OnApply() {
  if (CMainInterface* root = ShellRoot()) {
    if (IsDlgButtonChecked(IDC_FN_REPLACE) == BST_CHECKED) root->GetSettings().put_CurrentFnProcessing(FpReplace);
    else if (IsDlgButtonChecked(IDC_FN_INSERT) == BST_CHECKED) root->GetSettings().put_CurrentFnProcessing(FpInsert);
    root->GetMessenger().FireOnAfterUpdate(TextEditorPage);
  }
  return CUfxPropertyPage::OnApply();
}
