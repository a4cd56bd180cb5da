// CUfxButtonLookDlg: the dialog in which the user chooses how one toolbar or menu button looks:
// image, text or both, the command's standard image or a user image, and its text (template
// 16132). What the toolbars need of it is here: the state it starts from and what OK gives the
// button. The image grid, the preview and the image editor buttons come with the grid control.
#pragma once
#include "Framework.h"
#include "FwDialog.h"

class CUfxToolbarButton;
class CUfxToolBarImages;
class CUfxUserTool;

class CUfxButtonLookDlg : public CDialog {
  DECLARE_DYNAMIC(CUfxButtonLookDlg)
public:
  static const UINT IDD = 16132;
  // Controls of the template that the dialog reads now.
  static const UINT kTextEdit = 16500;
  static const UINT kImageOnly = 16505;
  static const UINT kTextOnly = 16506;
  static const UINT kImageAndText = 16507;

  // pWndMenu not null: the button sits on a menu, where image display belongs to the command
  // and text is always shown.
  CUfxButtonLookDlg(CUfxToolbarButton* pButton, CUfxToolBarImages* pImages, CWnd* pParent = nullptr,
                    int iStartImage = 0, CWnd* pWndMenu = nullptr);

  BOOL OnInitDialog() override;
  void OnOK() override;

  BOOL IsShowImage() const { return m_bImage; }
  BOOL IsShowText() const { return m_bText; }
  BOOL IsUserImage() const { return m_bUserButton; }
  int GetImageIndex() const { return m_iSelImage; }

  // Fields, in this order (the controls come as the dialog grows).
  CString m_strButtonText;
  CString m_strButtonDescr;
  CUfxToolbarButton* m_pButton = nullptr;
  CUfxToolBarImages* m_pImages = nullptr;
  int m_iStartImage = 0;
  CWnd* m_pWndMenu = nullptr;
  int m_iSelImage = -1;
  BOOL m_bImage = TRUE;
  BOOL m_bText = FALSE;
  BOOL m_bMenuMode = FALSE;
  BOOL m_bUserButton = FALSE;
  CString m_strAccel;
  CUfxUserTool* m_pUserTool = nullptr;
};
