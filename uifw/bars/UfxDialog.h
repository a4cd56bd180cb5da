// CUfxDialog: the library's dialog base class. A popup menu opened over the dialog is recorded
// here, and a thread mouse hook closes it on clicks elsewhere.
#pragma once
#include "Framework.h"
#include "bars/UfxDialogMenuHelper.h"

class CUfxPopupMenu;

class CUfxDialog : public CDialog {
  DECLARE_DYNAMIC(CUfxDialog)
public:
  CUfxDialog();
  CUfxDialog(UINT nIDTemplate, CWnd* pParent = nullptr);
  CUfxDialog(LPCWSTR lpszTemplateName, CWnd* pParent = nullptr);
  ~CUfxDialog() override;

  // With a popup: records it and hooks the thread's mouse (once); with null: unhooks and forgets.
  void SetActivePopupMenu(CUfxPopupMenu* pMenu);
  static CUfxPopupMenu* GetActivePopupMenu() { return s_pActivePopupMenu; }
  static CUfxDialog* GetActiveDialog() { return s_pActiveDialog; }

protected:
  CUfxDialogMenuHelper m_Impl;
  static CUfxPopupMenu* s_pActivePopupMenu;
  static CUfxDialog* s_pActiveDialog;
};
