// CKbdPage: the settings sheet's page of keys: the global show/hide key and the keyboard actions,
// edited on a copy that the sheet writes back once its keys are checked.
#pragma once

#include "KbdAction.h"
#include "FwCheckListBox.h"
#include "NumbrookLib.h"
#include "looks/UfxPropertyPage.h"
#include <vector>

class CKbdPage : public CUfxPropertyPage {
  DECLARE_DYNAMIC(CKbdPage)
public:
  CKbdPage();
  BOOL OnInitDialog() override;
  BOOL OnApply() override;

  // One keyboard action of the working copy.
  using Action = KbdAction;
  const std::vector<Action>& GetActions() const { return m_actions; }
  long GetShowHideKey() const { return m_showHideKey; }

  CCheckListBox m_wndActions;

protected:
  void DoDataExchange(CDataExchange* pDX) override;
  afx_msg void OnCaptureShowHideKey();
  afx_msg void OnModified();
  afx_msg void OnAddAction();
  afx_msg void OnDeleteAction();
  afx_msg void OnActionSelChange();
  afx_msg void OnActionCheckChange();
  afx_msg void OnCaptureActionKey();
  afx_msg void OnTemplateChange();
  afx_msg void OnProcessing();
  afx_msg void OnPassActionKey();
  afx_msg void OnTemplateMenu();
  afx_msg void OnTemplateCommand(UINT nID);
  afx_msg void OnUpdateTemplateCommand(CCmdUI* pCmdUI);

  void ShowSelectedAction();
  void EnableActionControls(BOOL bEnable);
  Action* SelectedAction();
  // A Yes/No question with the exclamation icon, the page shown first; TRUE for Yes.
  BOOL Ask(const CString& strText, UINT nCaptionId);

  long m_showHideKey = 0;
  int m_nProcessing = -1;
  std::vector<Action> m_actions;
  BOOL m_bShowing = FALSE;  // the controls are being filled, not edited
  DECLARE_MESSAGE_MAP()
};

// CActionNameDlg: asks for the name of a new keyboard action; OK only with a name.
class CActionNameDlg : public CDialog {
  DECLARE_DYNAMIC(CActionNameDlg)
public:
  explicit CActionNameDlg(CWnd* pParent = nullptr);
  BOOL OnInitDialog() override;
  void OnOK() override;
  CString m_strName;

protected:
  afx_msg void OnNameChange();
  DECLARE_MESSAGE_MAP()
};
