// CUfxButtonLookDlg: the dialog in which the user chooses how one toolbar or menu button looks:
// image, text or both, the command's standard image or a user image picked from a grid, and its
// text (template 16132). New and changed user images are drawn in the image editor.
#pragma once
#include "Framework.h"
#include "FwDialog.h"
#include "looks/UfxImageGridCtrl.h"

class CUfxToolbarButton;
class CUfxToolBarImages;
class CUfxUserTool;

class CUfxButtonLookDlg : public CDialog {
  DECLARE_DYNAMIC(CUfxButtonLookDlg)
public:
  static const UINT IDD = 16132;
  static const UINT kTextEdit = 16500;
  static const UINT kImageOnly = 16505;
  static const UINT kTextOnly = 16506;
  static const UINT kImageAndText = 16507;
  static const UINT kImageGrid = 16508;
  static const UINT kNewImage = 16509;
  static const UINT kEditImage = 16510;
  static const UINT kUserImage = 16529;
  static const UINT kDefaultImage = 16530;
  static const UINT kPreview = 16531;
  static const UINT kDescription = 16603;
  // Messages.
  static const UINT kMsgNoImage = 16001;
  static const UINT kMsgNoText = 16002;
  static const UINT kMsgNoBitmap = 16003;
  static const UINT kMsgNoMemory = 16008;

  // pWndMenu not null: the button sits on a menu, where image display belongs to the command
  // and text is always shown.
  CUfxButtonLookDlg(CUfxToolbarButton* pButton, CUfxToolBarImages* pImages, CWnd* pParent = nullptr,
                    int iStartImage = 0, CWnd* pWndMenu = nullptr);
  ~CUfxButtonLookDlg() override;

  BOOL OnInitDialog() override;
  void OnOK() override;

  BOOL IsShowImage() const { return m_bImage; }
  BOOL IsShowText() const { return m_bText; }
  BOOL IsUserImage() const { return m_bUserButton; }
  int GetImageIndex() const { return m_iSelImage; }
  CUfxImageGridCtrl& GetImageGrid() { return m_wndButtonList; }

  // Fields, in this order.
  CButton m_wndDefaultImageBtn;
  CButton m_wndUserImageBtn;
  CStatic m_wndDefaultImageArea;
  CEdit m_wndButtonText;
  CButton m_wndAddImage;
  CUfxImageGridCtrl m_wndButtonList;
  CButton m_wndEditImage;
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
  CRect m_rectDefaultImage;
  CSize m_sizeImage = CSize(16, 15);
  CString m_strAccel;
  CUfxUserTool* m_pUserTool = nullptr;

protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

  // Fills the grid with one button per user image from the first image offered.
  void RebuildImageList();
  void EnableControls();
  void RedrawPreview();
  int StandardImage() const;
  BOOL HasControl(UINT uiID) const { return ::GetDlgItem(m_hWnd, uiID) != nullptr; }
  void EnableControl(UINT uiID, BOOL bEnable);
  void OnDisplayChoice(UINT uiID);
  void OnUserImage();
  void OnDefaultImage();
  void OnGridSelection();
  void OnAddImage();
  void OnEditImage();
  // Opens the image editor on the bitmap: the open customization sheet's, else one of our own.
  BOOL EditBitmap(CBitmap& bitmap);
  // A bitmap of the image size filled with the colour; FALSE (and message 16003) when it can't be made.
  BOOL CreateImageBitmap(CBitmap& bitmap, COLORREF clrFill);

  afx_msg void OnPaint();
  DECLARE_MESSAGE_MAP()
};
