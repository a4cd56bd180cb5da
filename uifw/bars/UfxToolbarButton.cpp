#include "bars/UfxToolbarButton.h"
#include "bars/UfxToolBar.h"
#include "bars/UfxToolBarImages.h"
#include "bars/UfxToolbarMenuButton.h"
#include "bars/UfxPopupMenuBar.h"
#include "frames/UfxCommandManager.h"
#include "frames/UfxUserToolsManager.h"
#include "bars/UfxUserTool.h"
#include "frames/UfxFrameWnd.h"
#include "frames/UfxGlobalData.h"
#include "looks/UfxVisualManager.h"

IMPLEMENT_SERIAL(CUfxToolbarButton, CObject, VERSIONABLE_SCHEMA | 1)

CLIPFORMAT CUfxToolbarButton::s_cFormat = 0;
CString CUfxToolbarButton::s_strClipboardFormatName;

namespace {
const int kSeparatorSize = 8;
const int kLabelMargin = 6;   // around a label beside the image
const int kTextGap = 3;       // image to text

typedef CUfxVisualManager::UFX_BUTTON_STATE ButtonState;

// A user tool stands in for the standard image of its command.
CUfxUserTool* ToolOf(const CUfxToolbarButton& button) {
  if (UfxUserToolsManager == nullptr || button.m_bUserButton) return nullptr;
  return UfxUserToolsManager->FindTool(button.m_nID);
}

// The size a strip draws its images in: the draw size inside a draw sequence, else the image size.
CSize ImageSizeOf(const CUfxToolBarImages* pImages) {
  if (pImages == nullptr) return CSize(0, 0);
  return pImages->GetDrawSize().cx > 0 ? pImages->GetDrawSize() : pImages->GetImageSize();
}

BOOL IsPushed(UINT nStyle) { return (nStyle & (TBBS_CHECKED | TBBS_PRESSED)) != 0; }

}  // namespace

CUfxToolbarButton::CUfxToolbarButton() = default;

CUfxToolbarButton::CUfxToolbarButton(UINT uiID, int iImage, LPCWSTR lpszText, BOOL bUserButton, BOOL bLocked) {
  m_bLocked = bLocked;
  m_nID = uiID;
  m_bUserButton = bUserButton;
  SetImage(iImage);
  m_strText = lpszText != nullptr ? lpszText : L"";
  if (m_nID == 0 || m_bLocked) return;
  CUfxCommandManager* pManager = UfxGetCommandManager();
  if (iImage == -1) {
    const int iCmdImage = pManager->GetCmdImage(m_nID, m_bUserButton);
    if (m_bUserButton) m_iUserImage = iCmdImage;
    else m_iImage = iCmdImage;
  } else {
    pManager->SetCmdImage(m_nID, iImage, m_bUserButton);
  }
}

CUfxToolbarButton::~CUfxToolbarButton() = default;

void CUfxToolbarButton::SetImage(int iImage) {
  if (m_nStyle & TBBS_SEPARATOR) {
    m_iImage = iImage;  // its width
    return;
  }
  if (m_bUserButton) m_iUserImage = iImage;
  else m_iImage = iImage;

  if (!m_bLocked && m_nID != 0) {
    CUfxCommandManager* pManager = UfxGetCommandManager();
    if (iImage == -1) {
      m_iImage = pManager->GetCmdImage(m_nID, FALSE);
      m_iUserImage = pManager->GetCmdImage(m_nID, TRUE);
      // Without a standard image the command can only have a user image.
      if (m_iImage == -1) m_bUserButton = TRUE;
    } else if (m_bUserButton || UfxImageRegistrationFlag) {
      pManager->SetCmdImage(m_nID, iImage, m_bUserButton);
    }
  }
  if (GetImage() < 0) {
    m_bImage = FALSE;
    m_bText = TRUE;
  }
}

void CUfxToolbarButton::CopyFrom(const CUfxToolbarButton& src) {
  m_nID = src.m_nID;
  m_bLocked = src.m_bLocked;
  m_bUserButton = src.m_bUserButton;
  m_nStyle = src.m_nStyle;
  SetImage(src.GetImage());
  m_strText = src.m_strText;
  m_bText = src.m_bText;
  m_bImage = src.m_bImage;
  m_bDragFromCollection = src.m_bDragFromCollection;
  m_strTextCustom = src.m_strTextCustom;
  m_bStored = FALSE;
}

void CUfxToolbarButton::Serialize(CArchive& ar) {
  CObject::Serialize(ar);
  if (ar.IsStoring()) {
    ar << (DWORD)m_nID << (DWORD)m_nStyle << (DWORD)GetImage() << m_strText << (DWORD)m_bUserButton
       << (DWORD)m_bStored << (DWORD)m_bText << (DWORD)m_bImage;
    return;
  }
  DWORD nID = 0, nStyle = 0, iImage = 0, bUser = 0, bStored = 0, bText = 0, bImage = 0;
  CString strText;
  ar >> nID >> nStyle >> iImage >> strText >> bUser >> bStored >> bText >> bImage;
  m_nID = nID;
  m_nStyle = nStyle;
  m_strText = strText;
  m_bUserButton = bUser != 0;
  m_bStored = bStored != 0;
  m_bText = bText != 0;
  m_bImage = bImage != 0;
  SetImage((int)iImage);
}

CString CUfxToolbarButton::StripMnemonics(const CString& strText) {
  CString str = strText;
  str.Replace(L"&&", L"\x01\x01");
  str.Remove(L'&');
  str.Replace(L"\x01\x01", L"&");
  return str;
}

CString CUfxToolbarButton::CommandMenuText() const {
  CString strMessage;
  if (m_nID == 0 || m_nID == (UINT)-1 || !strMessage.LoadString(m_nID)) return CString();
  const int iLineFeed = strMessage.Find(L'\n');
  return iLineFeed < 0 ? CString() : strMessage.Mid(iLineFeed + 1);
}

BOOL CUfxToolbarButton::ExportToMenuButton(CUfxToolbarMenuButton& menuButton) const {
  if (m_strText.IsEmpty() && m_nID != 0) {
    CString strMessage;
    if (m_nID != (UINT)-1 && strMessage.LoadString(m_nID)) {
      const int iLineFeed = strMessage.Find(L'\n');
      // A menu button is a toolbar button; its text is the base class's field.
      if (iLineFeed >= 0)
        reinterpret_cast<CUfxToolbarButton&>(menuButton).m_strText = strMessage.Mid(iLineFeed + 1);
    }
  }
  return TRUE;
}

void CUfxToolbarButton::OnParentChanged(CWnd* pWndParent) {
  m_bOnToolbar = FALSE;
  CUfxToolBar* pBar = DYNAMIC_DOWNCAST(CUfxToolBar, pWndParent);
  if (pBar != nullptr && pBar->UsesExtraButtonBorder()) m_bOnToolbar = TRUE;
}

BOOL CUfxToolbarButton::IsEditable() const {
  if (UfxIsReservedCommand(m_nID)) return FALSE;
  return CUfxToolBar::IsCommandAllowed(m_nID);
}

void CUfxToolbarButton::ResetImageToDefault() {
  if (m_bUserButton || (int)m_nID <= 0) return;
  if (UfxUserToolsManager != nullptr && UfxUserToolsManager->FindTool(m_nID) != nullptr) return;
  int iImage = -1;
  if (CUfxToolBar::GetDefaultImage(m_nID, iImage) && iImage >= 0) {
    SetImage(iImage);
    return;
  }
  if (m_bImage) {
    m_bImage = FALSE;
    m_bText = TRUE;
    if (m_strText.IsEmpty()) m_strText = CommandMenuText();
  }
}

void CUfxToolbarButton::EnableWindow(BOOL bEnable) {
  if (GetHwnd() != nullptr) ::EnableWindow(GetHwnd(), bEnable);
}

BOOL CUfxToolbarButton::IsWindowVisible() {
  const HWND hwnd = GetHwnd();
  return hwnd != nullptr && (::GetWindowLongW(hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
}

BOOL CUfxToolbarButton::IsOwnerOf(HWND hwnd) {
  const HWND hwndCtrl = GetHwnd();
  return hwndCtrl != nullptr && hwnd != nullptr && (hwnd == hwndCtrl || ::IsChild(hwndCtrl, hwnd));
}

BOOL CUfxToolbarButton::HasFocus() const {
  const HWND hwndCtrl = const_cast<CUfxToolbarButton*>(this)->GetHwnd();
  const HWND hwndFocus = ::GetFocus();
  return hwndCtrl != nullptr && hwndFocus != nullptr && (hwndFocus == hwndCtrl || ::IsChild(hwndCtrl, hwndFocus));
}

void CUfxToolbarButton::SetRect(const CRect& rect) {
  if (rect == m_rect) return;
  m_rect = rect;
  OnMove();
}

// ---- size ------------------------------------------------------------------------------------

SIZE CUfxToolbarButton::OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) {
  if (m_nStyle & TBBS_SEPARATOR) {
    const int nWidth = m_iImage < 1 ? kSeparatorSize : m_iImage;
    return bHorz ? CSize(nWidth, sizeDefault.cy) : CSize(sizeDefault.cx, kSeparatorSize);
  }
  CSize size = sizeDefault;
  if (!m_bImage || GetImage() < 0) {
    const int nExtra = m_bOnToolbar ? (bHorz ? CUfxVisualManager::GetInstance()->GetButtonExtraBorder().cx
                                             : CUfxVisualManager::GetInstance()->GetButtonExtraBorder().cy)
                                    : 0;
    (bHorz ? size.cx : size.cy) = nExtra;
  }
  m_nTextBelowWidth = 0;
  m_nTextBelowHeight = 0;
  if (m_strText.IsEmpty()) return size;

  if (m_bTextBelow && bHorz) {
    CRect rectText(0, 0, sizeDefault.cx * 3, sizeDefault.cy);
    UINT uiFormat = DT_CALCRECT | DT_CENTER;
    if (CUfxToolBar::IsWrapLabels()) uiFormat |= DT_WORDBREAK;
    ::DrawTextW(pDC->GetSafeHdc(), m_strText, m_strText.GetLength(), &rectText, uiFormat);
    m_nTextBelowWidth = rectText.Width() + kLabelMargin;
    m_nTextBelowHeight = rectText.Height();
    size.cx = (size.cx > m_nTextBelowWidth ? size.cx : m_nTextBelowWidth) + 12;
    size.cy += CUfxToolBar::GetLabelGap() + m_nTextBelowHeight;
  } else if (m_bText) {
    const CString strLabel = StripMnemonics(m_strText);
    SIZE sizeText = {0, 0};
    ::GetTextExtentPoint32W(pDC->GetSafeHdc(), strLabel, strLabel.GetLength(), &sizeText);
    (bHorz ? size.cx : size.cy) += sizeText.cx + 9;
  }
  return size;
}

// ---- drawing -----------------------------------------------------------------------------------

void CUfxToolbarButton::FillInterior(CDC* pDC, const CRect& rect, BOOL bHighlight) {
  if (m_bDisableFill) return;
  const ButtonState state = bHighlight            ? CUfxVisualManager::ButtonsIsHighlighted
                            : IsPushed(m_nStyle) ? CUfxVisualManager::ButtonsIsPressed
                                                  : CUfxVisualManager::ButtonsIsRegular;
  CUfxVisualManager::GetInstance()->OnFillButtonInterior(pDC, this, rect, state);
}

void CUfxToolbarButton::DrawImage(CDC* pDC, CUfxToolBarImages* pImages, CPoint pt, BOOL bFaded, BOOL bDisabled,
                                  BOOL bShadow) {
  if (pImages == nullptr) return;
  // The user tool's icon stands in for the command's image.
  CUfxUserTool* pTool = ToolOf(*this);
  if (pTool != nullptr && pTool->GetIcon() != nullptr) {
    if (bShadow) return;
    const CSize sizeImage = ImageSizeOf(pImages);
    ::DrawIconEx(pDC->GetSafeHdc(), pt.x, pt.y, pTool->GetIcon(), sizeImage.cx, sizeImage.cy, 0, nullptr, DI_NORMAL);
    return;
  }
  // The bar's paint runs the strip's draw sequence; a button drawn on its own runs one.
  if (pImages->GetDrawSize().cx > 0) {
    pImages->Draw(pDC, pt.x, pt.y, GetImage(), FALSE, bDisabled, FALSE, bShadow, bFaded);
    return;
  }
  CUfxDrawState ds;
  if (!pImages->PrepareDraw(ds, 0, 0, bFaded)) return;
  pImages->Draw(pDC, pt.x, pt.y, GetImage(), FALSE, bDisabled, FALSE, bShadow, bFaded);
  pImages->EndDraw(ds);
}

void CUfxToolbarButton::DrawLabel(CDC* pDC, const CRect& rectText, BOOL bHorz, UINT uiFormat) {
  const HDC hdc = pDC->GetSafeHdc();
  const CString strLabel = StripMnemonics(m_strText);
  CRect rect = rectText;
  if (bHorz) {
    ::DrawTextW(hdc, m_strText, m_strText.GetLength(), &rect, uiFormat);
    return;
  }
  // Vertical bars draw with a rotated font: the text runs downwards, the underline by hand.
  ::DrawTextW(hdc, strLabel, strLabel.GetLength(), &rect, uiFormat | DT_NOCLIP | DT_NOPREFIX);
  CString strMarked = m_strText;
  strMarked.Replace(L"&&", L"\x01\x01");
  const int iAmp = strMarked.Find(L'&');
  if (iAmp < 0 || iAmp + 1 >= strMarked.GetLength()) return;
  const CString strBefore = StripMnemonics(m_strText.Left(iAmp));
  const CString strThrough = StripMnemonics(m_strText.Left(iAmp + 2));
  SIZE sizeBefore = {0, 0}, sizeThrough = {0, 0};
  ::GetTextExtentPoint32W(hdc, strBefore, strBefore.GetLength(), &sizeBefore);
  ::GetTextExtentPoint32W(hdc, strThrough, strThrough.GetLength(), &sizeThrough);
  const int x = rectText.left - 1;
  pDC->MoveTo(x, rectText.top + sizeBefore.cx);
  pDC->LineTo(x, rectText.top + sizeThrough.cx);
}

void CUfxToolbarButton::OnDraw(CDC* pDC, const CRect& rect, CUfxToolBarImages* pImages, BOOL bHorz,
                               BOOL bCustomizeMode, BOOL bHighlight, BOOL bDrawBorder, BOOL bGrayDisabledButtons) {
  m_bHorz = bHorz;
  FillInterior(pDC, rect, bHighlight);
  CUfxVisualManager* pVisManager = CUfxVisualManager::GetInstance();
  const CSize sizeImage = ImageSizeOf(pImages);

  CRect rectInternal = rect;
  if (m_bOnToolbar) {
    const CSize sizeExtra = pVisManager->GetButtonExtraBorder();
    rectInternal.DeflateRect(sizeExtra.cx / 2, sizeExtra.cy / 2);
  }
  const BOOL bPushed = IsPushed(m_nStyle);
  const BOOL bTextBelow = m_bTextBelow && bHorz;
  const BOOL bLabel = m_bText && !m_strText.IsEmpty() && !bTextBelow;
  int nLabelWidth = 0;
  TEXTMETRICW tm = {};
  if (bLabel) {
    ::GetTextMetricsW(pDC->GetSafeHdc(), &tm);
    const CString strLabel = StripMnemonics(m_strText);
    SIZE sizeText = {0, 0};
    ::GetTextExtentPoint32W(pDC->GetSafeHdc(), strLabel, strLabel.GetLength(), &sizeText);
    nLabelWidth = sizeText.cx + kLabelMargin;
  }

  // The image sits centred in what the label leaves.
  const BOOL bImage = m_bImage && GetImage() >= 0 && pImages != nullptr;
  CPoint ptImage = rectInternal.TopLeft();
  if (bHorz) {
    ptImage.x += (rectInternal.Width() - nLabelWidth - (bImage ? sizeImage.cx : 0)) / 2;
    ptImage.y += bTextBelow ? (rectInternal.Height() - m_nTextBelowHeight - CUfxToolBar::GetLabelGap() -
                               sizeImage.cy) / 2
                            : (rectInternal.Height() - sizeImage.cy) / 2;
  } else {
    ptImage.x += (rectInternal.Width() - sizeImage.cx) / 2;
    ptImage.y += (rectInternal.Height() - nLabelWidth - (bImage ? sizeImage.cy : 0)) / 2;
  }
  CPoint ptOffset(0, 0);
  if (bPushed && !bCustomizeMode && pVisManager->IsOffsetPressedButton()) ptOffset = CPoint(1, 1);
  ptImage += ptOffset;

  if (bImage) {
    const BOOL bDisabled = (m_nStyle & TBBS_DISABLED) && !bPushed && !bCustomizeMode && bGrayDisabledButtons;
    const BOOL bFaded = !bHighlight && pVisManager->IsFadeInactiveImage();
    const BOOL bShadow = bHighlight && !bCustomizeMode && pVisManager->IsShadowHighlightedImage() &&
                         (m_nStyle & (TBBS_CHECKED | TBBS_PRESSED | TBBS_DISABLED)) == 0;
    if (bShadow) {
      DrawImage(pDC, pImages, ptImage, FALSE, FALSE, TRUE);
      DrawImage(pDC, pImages, ptImage - CPoint(1, 1), FALSE, FALSE, FALSE);
    } else {
      DrawImage(pDC, pImages, ptImage, bFaded, bDisabled, FALSE);
    }
  }

  if (bLabel || (bTextBelow && !m_strText.IsEmpty())) {
    const ButtonState state = bHighlight ? CUfxVisualManager::ButtonsIsHighlighted
                              : bPushed  ? CUfxVisualManager::ButtonsIsPressed
                                         : CUfxVisualManager::ButtonsIsRegular;
    // The look knows the colour of disabled labels too.
    const COLORREF clrOld = ::SetTextColor(pDC->GetSafeHdc(), pVisManager->GetToolbarButtonTextColor(this, state));
    CRect rectText = rectInternal;
    rectText.OffsetRect(ptOffset);
    if (bTextBelow) {
      rectText.top = ptImage.y + sizeImage.cy + CUfxToolBar::GetLabelGap();
      rectText.left += (rectInternal.Width() - m_nTextBelowWidth) / 2;
      rectText.right = rectText.left + m_nTextBelowWidth;
      DrawLabel(pDC, rectText, TRUE, CUfxToolBar::IsWrapLabels() ? DT_WORDBREAK | DT_CENTER : DT_CENTER);
    } else if (bHorz) {
      rectText.left = (bImage ? ptImage.x + sizeImage.cx : ptImage.x) + kTextGap;
      rectText.top += (rectInternal.Height() - tm.tmHeight) / 2;
      DrawLabel(pDC, rectText, TRUE, DT_SINGLELINE);
    } else {
      // The rotated text starts at the right edge of its column.
      rectText.top = (bImage ? ptImage.y + sizeImage.cy : ptImage.y) + kTextGap;
      rectText.left = rectInternal.right - (rectInternal.Width() - tm.tmHeight) / 2;
      DrawLabel(pDC, rectText, FALSE, DT_SINGLELINE);
    }
    ::SetTextColor(pDC->GetSafeHdc(), clrOld);
  }

  if (bCustomizeMode || !IsBorderDrawn() || !bDrawBorder) return;
  if (bPushed) {
    pVisManager->OnDrawButtonBorder(pDC, this, rect, CUfxVisualManager::ButtonsIsPressed);
  } else if (bHighlight && (m_nStyle & (TBBS_CHECKED | TBBS_DISABLED | TBBS_INDETERMINATE)) == 0) {
    pVisManager->OnDrawButtonBorder(pDC, this, rect, CUfxVisualManager::ButtonsIsHighlighted);
  }
}

int CUfxToolbarButton::OnDrawOnCustomizeList(CDC* pDC, const CRect& rect, BOOL bSelected) {
  CUfxVisualManager* pVisManager = CUfxVisualManager::GetInstance();
  const COLORREF clrText = pVisManager->OnFillCommandsListBackground(pDC, rect, bSelected);
  const CSize sizeMenuImage = CUfxToolBar::GetMenuImageSize();
  const int nMargin = pVisManager->GetMenuImageMargin();
  CRect rectImage = rect;
  rectImage.right = rectImage.left + sizeMenuImage.cx + 2 * nMargin;
  const CPoint ptImage(rectImage.left + nMargin, rect.top + (rect.Height() - sizeMenuImage.cy) / 2);
  if (CUfxUserTool* pTool = ToolOf(*this)) {
    if (pTool->GetIcon() != nullptr)
      ::DrawIconEx(pDC->GetSafeHdc(), ptImage.x, ptImage.y, pTool->GetIcon(), sizeMenuImage.cx, sizeMenuImage.cy, 0,
                   nullptr, DI_NORMAL);
  } else if (m_bImage && GetImage() >= 0) {
    // The command's image as the menus show it: the user images, else the menu or bar images.
    CUfxToolBarImages* pImages = m_bUserButton ? CUfxToolBar::GetUserImages()
                                 : CUfxToolBar::GetMenuImages()->GetCount() > 0 ? CUfxToolBar::GetMenuImages()
                                                                                 : CUfxToolBar::GetImages();
    CUfxDrawState ds;
    if (pImages != nullptr && pImages->PrepareDraw(ds, sizeMenuImage.cx, sizeMenuImage.cy)) {
      pImages->Draw(pDC, ptImage.x, ptImage.y, GetImage());
      pImages->EndDraw(ds);
    }
  }
  CRect rectText = rect;
  rectText.left = rectImage.right + kTextGap;
  const CString strLabel = StripMnemonics(m_strText);
  const COLORREF clrOld = ::SetTextColor(pDC->GetSafeHdc(), clrText);
  const int nOldMode = ::SetBkMode(pDC->GetSafeHdc(), TRANSPARENT);
  ::DrawTextW(pDC->GetSafeHdc(), strLabel, strLabel.GetLength(), &rectText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  ::SetBkMode(pDC->GetSafeHdc(), nOldMode);
  ::SetTextColor(pDC->GetSafeHdc(), clrOld);
  SIZE sizeText = {0, 0};
  ::GetTextExtentPoint32W(pDC->GetSafeHdc(), strLabel, strLabel.GetLength(), &sizeText);
  return rectText.left - rect.left + sizeText.cx;
}

BOOL CUfxToolbarButton::OnToolHitTest(const CWnd* pWnd, TOOLINFOW* pTI) {
  CFrameWnd* pFrame = nullptr;
  if (UfxFrameOverride != nullptr) pFrame = UfxFrameOverride;
  else if (pWnd != nullptr) pFrame = UfxGetTopLevelFrame(pWnd);
  else pFrame = DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd());
  CUfxFrameWnd* pUfxFrame = DYNAMIC_DOWNCAST(CUfxFrameWnd, pFrame);
  return pUfxFrame != nullptr && pUfxFrame->OnMenuButtonToolHit(this, pTI);
}

// ---- drag and drop -----------------------------------------------------------------------------

CLIPFORMAT CUfxToolbarButton::GetClipboardFormat() {
  if (s_cFormat == 0) {
    CString strName = s_strClipboardFormatName;
    // The whole handle, as 64-bit hex without leading zeros.
    if (strName.IsEmpty()) strName.Format(L"UfxToolbarButton%llx", (unsigned long long)(ULONG_PTR)AfxGetInstanceHandle());
    s_cFormat = (CLIPFORMAT)::RegisterClipboardFormatW(strName);
  }
  return s_cFormat;
}

BOOL CUfxToolbarButton::PrepareDrag(COleDataSource& srcItem) {
  if (!CanBeStored()) return TRUE;
  try {
    CSharedFile globFile(GMEM_MOVEABLE | GMEM_SHARE, 4096);
    CArchive ar(&globFile, CArchive::store, 4096);
    CUfxToolbarMenuButton::AlwaysTearOffIdScope scope;  // drag data always carries it
    ar.WriteClass(GetRuntimeClass());
    Serialize(ar);
    ar.Close();
    srcItem.CacheGlobalData(GetClipboardFormat(), globFile.Detach());
  } catch (CException* e) {
    e->Delete();
    return FALSE;
  }
  return TRUE;
}

CUfxToolbarButton* CUfxToolbarButton::CreateFromOleData(COleDataObject* pDataObject) {
  if (pDataObject == nullptr) return nullptr;
  CUfxToolbarButton* pButton = nullptr;
  CFile* pFile = nullptr;
  try {
    pFile = pDataObject->GetFileData(GetClipboardFormat());
    if (pFile == nullptr) return nullptr;
    CArchive ar(pFile, CArchive::load, 4096);
    CUfxToolbarMenuButton::AlwaysTearOffIdScope scope;
    CRuntimeClass* pClass = ar.ReadClass(RUNTIME_CLASS(CUfxToolbarButton));
    // Only buttons come from stored data; anything else is damaged data.
    if (pClass == nullptr || !pClass->IsDerivedFrom(RUNTIME_CLASS(CUfxToolbarButton)))
      AfxThrowArchiveException(CArchiveException::badClass);
    pButton = DYNAMIC_DOWNCAST(CUfxToolbarButton, pClass->CreateObject());
    if (pButton == nullptr) AfxThrowArchiveException(CArchiveException::badClass);
    pButton->Serialize(ar);
    ar.Close();
  } catch (CException* e) {
    e->Delete();
    delete pButton;
    pButton = nullptr;
  } catch (...) {
    // Any other failure while reading another program's data counts as damaged data.
    delete pButton;
    pButton = nullptr;
  }
  delete pFile;
  return pButton;
}
