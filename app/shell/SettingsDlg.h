// CSettingsDlg: the settings sheet, modal, over the main window. It opens on the page that was
// active when it last closed, and tells the messenger's subscribers before anything is edited.
#pragma once
#include "CodeFormatPage.h"
#include "GeneralPage.h"
#include "KbdPage.h"
#include "TextEditorPage.h"
#include "looks/UfxPropertySheet.h"

class CSettingsDlg : public CUfxPropertySheet {
  DECLARE_DYNAMIC(CSettingsDlg)
public:
  CSettingsDlg(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);

  CGeneralPage m_GeneralPage;
  CCodeFormatPage m_CodeFormatPage;
  CKbdPage m_KbdPage;
  CTextEditorPage m_TextEditorPage;

  // The page active when the sheet last closed (for the life of the process).
  static int GetLastActivePage();

protected:
  afx_msg void OnDestroy();
  DECLARE_MESSAGE_MAP()
};
