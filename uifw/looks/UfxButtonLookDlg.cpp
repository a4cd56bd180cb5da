#include "looks/UfxButtonLookDlg.h"
#include "bars/UfxToolBar.h"
#include "bars/UfxToolBarImages.h"
#include "bars/UfxToolbarButton.h"
#include "bars/UfxUserTool.h"
#include "frames/UfxCommandManager.h"
#include "frames/UfxGlobalData.h"
#include "frames/UfxUserToolsManager.h"
#include "looks/UfxPixelEditorDlg.h"
#include "looks/UfxToolbarCustomize.h"

IMPLEMENT_DYNAMIC(CUfxButtonLookDlg, CDialog)

BEGIN_MESSAGE_MAP(CUfxButtonLookDlg, CDialog)
  ON_WM_PAINT()
END_MESSAGE_MAP()

CUfxButtonLookDlg::CUfxButtonLookDlg(CUfxToolbarButton* pButton, CUfxToolBarImages* pImages, CWnd* pParent,
                                     int iStartImage, CWnd* pWndMenu)
    : CDialog(IDD, pParent), m_pButton(pButton), m_pImages(pImages), m_iStartImage(iStartImage),
      m_pWndMenu(pWndMenu), m_bMenuMode(pWndMenu != nullptr) {
  if (UfxUserToolsManager != nullptr) m_pUserTool = UfxUserToolsManager->FindTool(pButton->m_nID);
  m_iSelImage = pButton->m_bUserButton ? pButton->m_iUserImage : pButton->m_iImage;
  m_bUserButton = pButton->m_bUserButton ||
                  (m_pUserTool == nullptr && UfxGetCommandManager()->GetCmdImage(pButton->m_nID, FALSE) < 0);
  m_bImage = pButton->m_bImage;
  if (m_bMenuMode && UfxGetCommandManager()->IsMenuItemWithoutImage(pButton->m_nID)) m_bImage = FALSE;
  m_bText = m_bMenuMode ? TRUE : pButton->m_bText;
}

CUfxButtonLookDlg::~CUfxButtonLookDlg() = default;

int CUfxButtonLookDlg::StandardImage() const { return UfxGetCommandManager()->GetCmdImage(m_pButton->m_nID, FALSE); }

void CUfxButtonLookDlg::EnableControl(UINT uiID, BOOL bEnable) {
  if (HWND hwnd = ::GetDlgItem(m_hWnd, uiID)) ::EnableWindow(hwnd, bEnable);
}

void CUfxButtonLookDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  if (HasControl(kTextEdit)) DDX_Text(pDX, kTextEdit, m_strButtonText);
  if (HasControl(kDescription)) DDX_Text(pDX, kDescription, m_strButtonDescr);
}

// ---- start -------------------------------------------------------------------------------------------

BOOL CUfxButtonLookDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  // The controls of the full template; the toolbars' own tests run on a reduced one.
  if (HasControl(kDefaultImage)) m_wndDefaultImageBtn.SubclassDlgItem(kDefaultImage, this);
  if (HasControl(kUserImage)) m_wndUserImageBtn.SubclassDlgItem(kUserImage, this);
  if (HasControl(kPreview)) m_wndDefaultImageArea.SubclassDlgItem(kPreview, this);
  if (HasControl(kTextEdit)) m_wndButtonText.SubclassDlgItem(kTextEdit, this);
  if (HasControl(kNewImage)) m_wndAddImage.SubclassDlgItem(kNewImage, this);
  if (HasControl(kImageGrid)) m_wndButtonList.SubclassDlgItem(kImageGrid, this);
  if (HasControl(kEditImage)) m_wndEditImage.SubclassDlgItem(kEditImage, this);

  if (m_pImages != nullptr) {
    m_wndButtonList.SetImages(m_pImages);
    RebuildImageList();
    m_wndButtonList.SelectButton(m_iSelImage);
  } else {
    EnableControl(kImageGrid, FALSE);
    EnableControl(kUserImage, FALSE);
    if (m_iSelImage < 0) {
      EnableControl(kImageOnly, FALSE);
      EnableControl(kImageAndText, FALSE);
    }
  }
  if (!m_bUserButton || m_pButton->m_bLocked) ::CheckDlgButton(m_hWnd, kDefaultImage, BST_CHECKED);
  else ::CheckDlgButton(m_hWnd, kUserImage, BST_CHECKED);

  UINT uiDisplay = kTextOnly;
  if (m_bImage) {
    uiDisplay = m_bText ? kImageAndText : kImageOnly;
  } else {
    m_bText = TRUE;
    EnableControl(kImageGrid, FALSE);
  }
  if (HasControl(uiDisplay)) ::CheckRadioButton(m_hWnd, kImageOnly, kImageAndText, uiDisplay);

  // The accelerator after the tab stays with the text but is not edited.
  const CString& strText = m_pButton->m_strText;
  const int iTab = strText.Find(L'\t');
  m_strButtonText = iTab < 0 ? strText : strText.Left(iTab);
  m_strAccel = iTab < 0 ? CString() : strText.Mid(iTab + 1);

  CWnd* pParent = GetParent();
  CFrameWnd* pFrame = pParent != nullptr ? DYNAMIC_DOWNCAST(CFrameWnd, pParent) : nullptr;
  if (pFrame == nullptr && pParent != nullptr) pFrame = pParent->GetParentFrame();
  if (pFrame != nullptr) pFrame->GetMessageString(m_pButton->m_nID, m_strButtonDescr);

  if (m_bMenuMode) {
    EnableControl(kImageOnly, FALSE);
    if (m_iSelImage < 0) {
      EnableControl(kImageAndText, FALSE);
      EnableControl(kTextOnly, FALSE);
    }
  }

  if (m_wndDefaultImageArea.GetSafeHwnd() != nullptr) {
    m_wndDefaultImageArea.GetClientRect(m_rectDefaultImage);
    m_wndDefaultImageArea.MapWindowPoints(this, m_rectDefaultImage);
  }
  m_sizeImage = CUfxToolBar::GetImages()->GetImageSize();
  if (m_sizeImage.cx <= 0 || m_sizeImage.cy <= 0) m_sizeImage = CSize(16, 15);

  UpdateData(FALSE);
  EnableControls();
  return TRUE;
}

void CUfxButtonLookDlg::RebuildImageList() {
  m_wndButtonList.RemoveAll();
  if (m_pImages == nullptr) return;
  for (int iImage = m_iStartImage; iImage < m_pImages->GetCount(); iImage++) {
    CUfxToolbarButton* pButton = new CUfxToolbarButton;
    pButton->m_bUserButton = TRUE;
    pButton->m_bLocked = TRUE;  // a grid copy registers no image with the command manager
    pButton->SetImage(iImage);
    m_wndButtonList.AddButton(pButton);
  }
  m_wndButtonList.Invalidate();
}

// ---- choices -----------------------------------------------------------------------------------------

BOOL CUfxButtonLookDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  const UINT uiID = LOWORD(wParam);
  switch (uiID) {
    case kImageOnly:
    case kTextOnly:
    case kImageAndText: OnDisplayChoice(uiID); return TRUE;
    case kUserImage: OnUserImage(); return TRUE;
    case kDefaultImage: OnDefaultImage(); return TRUE;
    case kImageGrid: OnGridSelection(); return TRUE;
    case kNewImage: OnAddImage(); return TRUE;
    case kEditImage: OnEditImage(); return TRUE;
  }
  return CDialog::OnCommand(wParam, lParam);
}

void CUfxButtonLookDlg::OnDisplayChoice(UINT uiID) {
  m_bImage = uiID != kTextOnly;
  m_bText = uiID != kImageOnly;
  EnableControls();
  RedrawPreview();
}

void CUfxButtonLookDlg::OnUserImage() {
  m_iSelImage = -1;
  m_bUserButton = TRUE;
  ::CheckDlgButton(m_hWnd, kDefaultImage, BST_UNCHECKED);
  if (m_wndButtonList.GetSafeHwnd() != nullptr) m_wndButtonList.SelectButton(-1);
  EnableControls();
  RedrawPreview();
}

void CUfxButtonLookDlg::OnDefaultImage() {
  m_iSelImage = StandardImage();
  m_bUserButton = FALSE;
  ::CheckDlgButton(m_hWnd, kUserImage, BST_UNCHECKED);
  EnableControls();
  RedrawPreview();
}

void CUfxButtonLookDlg::OnGridSelection() {
  if (CUfxToolbarButton* pSelected = m_wndButtonList.GetSelected()) m_iSelImage = pSelected->GetImage();
  EnableControls();
  RedrawPreview();
}

void CUfxButtonLookDlg::EnableControls() {
  const BOOL bUserImages = m_pImages != nullptr;
  const BOOL bFixedMenuImage = m_bMenuMode && m_pButton->m_bLocked;
  EnableControl(kTextEdit, m_bText && !(m_pUserTool != nullptr && m_bMenuMode));
  const BOOL bGrid = m_bImage && bUserImages && m_bUserButton && !bFixedMenuImage;
  EnableControl(kImageGrid, bGrid);
  EnableControl(kNewImage, bGrid && !m_pImages->IsReadOnly());
  EnableControl(kEditImage, bGrid && !m_pImages->IsReadOnly() && m_wndButtonList.GetSelected() != nullptr);
  EnableControl(kUserImage, m_bImage && bUserImages);
  EnableControl(kDefaultImage, m_pUserTool != nullptr || (m_bImage && StandardImage() >= 0));
}

// ---- preview -----------------------------------------------------------------------------------------

void CUfxButtonLookDlg::RedrawPreview() {
  if (!m_rectDefaultImage.IsRectEmpty()) InvalidateRect(m_rectDefaultImage);
}

void CUfxButtonLookDlg::OnPaint() {
  CPaintDC dc(this);
  if (m_rectDefaultImage.IsRectEmpty()) return;
  if (m_pUserTool != nullptr) {
    m_pUserTool->DrawIcon(&dc, m_rectDefaultImage);
    return;
  }
  if (m_bUserButton) {
    if (m_pImages == nullptr || m_iSelImage < 0) return;
    CUfxToolbarButton preview;
    preview.CopyFrom(*m_pButton);
    preview.m_bUserButton = TRUE;
    preview.m_bLocked = TRUE;
    preview.SetImage(m_iSelImage);
    preview.m_bText = FALSE;
    preview.m_bImage = TRUE;
    CUfxDrawState ds;
    if (m_pImages->PrepareDraw(ds)) {
      preview.OnDraw(&dc, m_rectDefaultImage, m_pImages, TRUE, FALSE, FALSE, FALSE);
      m_pImages->EndDraw(ds);
    }
    return;
  }
  const int iImage = StandardImage();
  CUfxToolBarImages* pImages = CUfxToolBar::GetImages();
  if (iImage < 0 || pImages == nullptr) return;
  CUfxDrawState ds;
  if (pImages->PrepareDraw(ds)) {
    const CPoint pt(m_rectDefaultImage.left + (m_rectDefaultImage.Width() - m_sizeImage.cx) / 2,
                    m_rectDefaultImage.top + (m_rectDefaultImage.Height() - m_sizeImage.cy) / 2);
    pImages->Draw(&dc, pt.x, pt.y, iImage);
    pImages->EndDraw(ds);
  }
}

// ---- user images -------------------------------------------------------------------------------------

BOOL CUfxButtonLookDlg::CreateImageBitmap(CBitmap& bitmap, COLORREF clrFill) {
  const CSize size = m_pImages != nullptr ? m_pImages->GetImageSize() : m_sizeImage;
  CClientDC dcScreen(nullptr);
  CDC dcMem;
  if (size.cx <= 0 || size.cy <= 0 || !bitmap.CreateCompatibleBitmap(&dcScreen, size.cx, size.cy) ||
      !dcMem.CreateCompatibleDC(&dcScreen)) {
    AfxMessageBox(kMsgNoBitmap);
    return FALSE;
  }
  CBitmap* pOld = dcMem.SelectObject(&bitmap);
  dcMem.FillSolidRect(CRect(CPoint(0, 0), size), clrFill);
  dcMem.SelectObject(pOld);
  return TRUE;
}

BOOL CUfxButtonLookDlg::EditBitmap(CBitmap& bitmap) {
  const int nBitsPerPixel = m_pImages != nullptr ? m_pImages->GetBitsPerPixel() : -1;
  if (CUfxToolbarCustomize* pSheet = CUfxToolBar::GetCustomizeSheet())
    return pSheet->OnEditToolbarMenuImage(this, bitmap, nBitsPerPixel);
  CUfxPixelEditorDlg dlg(&bitmap, this, nBitsPerPixel);
  return dlg.DoModal() == IDOK;
}

void CUfxButtonLookDlg::OnAddImage() {
  if (m_pImages == nullptr) return;
  try {
    CBitmap bitmap;
    if (!CreateImageBitmap(bitmap, UfxGlobalData.clrBtnFace)) return;
    if (!EditBitmap(bitmap)) return;
    const int iImage = m_pImages->AddImage((HBITMAP)bitmap.GetSafeHandle());
    if (iImage < 0) return;
    RebuildImageList();
    m_iSelImage = iImage;
    m_wndButtonList.SelectButton(iImage);
    EnableControls();
    RedrawPreview();
  } catch (CMemoryException* e) {
    e->Delete();
    AfxMessageBox(kMsgNoMemory);
  }
}

void CUfxButtonLookDlg::OnEditImage() {
  CUfxToolbarButton* pSelected = m_wndButtonList.GetSelected();
  if (m_pImages == nullptr || pSelected == nullptr) return;
  const int iImage = pSelected->GetImage();
  try {
    const COLORREF clrSilver = RGB(192, 192, 192);
    CBitmap bitmap;
    if (!CreateImageBitmap(bitmap, clrSilver)) return;
    CClientDC dcScreen(nullptr);
    CDC dcMem;
    dcMem.CreateCompatibleDC(&dcScreen);
    CBitmap* pOld = dcMem.SelectObject(&bitmap);
    const COLORREF clrOldTransparent = m_pImages->SetTransparentColor(clrSilver);
    CUfxDrawState ds;
    if (m_pImages->PrepareDraw(ds)) {
      m_pImages->Draw(&dcMem, 0, 0, iImage);
      m_pImages->EndDraw(ds);
    }
    m_pImages->SetTransparentColor(clrOldTransparent);
    dcMem.SelectObject(pOld);
    if (!EditBitmap(bitmap)) return;
    m_pImages->UpdateImage(iImage, (HBITMAP)bitmap.GetSafeHandle());
    m_wndButtonList.Invalidate();
    RedrawPreview();
  } catch (CMemoryException* e) {
    e->Delete();
    AfxMessageBox(kMsgNoMemory);
  }
}

// ---- OK ------------------------------------------------------------------------------------------------

void CUfxButtonLookDlg::OnOK() {
  if (!UpdateData(TRUE)) return;
  if (HasControl(kImageOnly)) {
    m_bImage = !::IsDlgButtonChecked(m_hWnd, kTextOnly);
    m_bText = !::IsDlgButtonChecked(m_hWnd, kImageOnly);
  }
  int iImage = m_iSelImage;
  if (!m_bUserButton) iImage = m_pUserTool != nullptr ? 0 : StandardImage();

  if (m_bImage && iImage < 0) {
    AfxMessageBox(kMsgNoImage);
    if (m_wndButtonList.GetSafeHwnd() != nullptr) m_wndButtonList.SetFocus();
    return;
  }
  if (m_bText && m_strButtonText.IsEmpty()) {
    AfxMessageBox(kMsgNoText);
    if (m_wndButtonText.GetSafeHwnd() != nullptr) m_wndButtonText.SetFocus();
    return;
  }

  m_pButton->m_bText = m_bText;
  if (m_bMenuMode) UfxGetCommandManager()->EnableMenuItemImage(m_pButton->m_nID, m_bImage);
  else m_pButton->m_bImage = m_bImage;
  m_pButton->m_bUserButton = m_bUserButton;
  if (iImage >= 0) m_pButton->SetImage(iImage);
  m_pButton->m_strText = m_strButtonText;
  if (!m_strAccel.IsEmpty()) m_pButton->m_strText += L"\t" + m_strAccel;
  EndDialog(IDOK);
}
