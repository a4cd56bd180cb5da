#include "looks/UfxButton.h"
#include "looks/UfxGdiEffects.h"
#include "frames/UfxGlobalData.h"
#include "bars/UfxMenuGlyphs.h"
#include "looks/UfxVisualManager.h"
#include "looks/UfxWinXPThemeHelper.h"

IMPLEMENT_DYNCREATE(CUfxButton, CButton)

HCURSOR CUfxButton::s_hHandCursor = nullptr;

namespace {
const UINT_PTR kAutoRepeatTimer = 1;
}

BEGIN_MESSAGE_MAP(CUfxButton, CButton)
  ON_WM_CANCELMODE()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_SETCURSOR()
  ON_WM_ENABLE()
  ON_WM_SIZE()
  ON_WM_KILLFOCUS()
  ON_WM_TIMER()
  ON_MESSAGE(WM_SETFONT, OnSetFont)
  ON_MESSAGE(WM_GETFONT, OnGetFont)
  ON_MESSAGE(BM_GETCHECK, OnGetCheck)
  ON_MESSAGE(BM_SETCHECK, OnSetCheck)
END_MESSAGE_MAP()

CUfxButton::CUfxButton() = default;

CUfxButton::~CUfxButton() { CleanUp(); }

void CUfxButton::ReadButtonType(DWORD& dwStyle) {
  switch (dwStyle & 0x0F) {
    case BS_CHECKBOX: m_bCheckButton = TRUE; break;
    case BS_AUTOCHECKBOX: m_bCheckButton = m_bAutoCheck = TRUE; break;
    case BS_RADIOBUTTON: m_bRadioButton = TRUE; break;
    case BS_AUTORADIOBUTTON: m_bRadioButton = m_bAutoCheck = TRUE; break;
  }
  if (m_bCheckButton || m_bRadioButton) {
    switch (dwStyle & BS_CENTER) {
      case BS_LEFT: m_nAlignStyle = ALIGN_LEFT; break;
      case BS_RIGHT: m_nAlignStyle = ALIGN_RIGHT; break;
      case BS_CENTER: m_nAlignStyle = ALIGN_CENTER; break;
    }
  }
  dwStyle = (dwStyle & ~(0x0Fu | BS_DEFPUSHBUTTON)) | BS_OWNERDRAW;
}

BOOL CUfxButton::PreCreateWindow(CREATESTRUCT& cs) {
  DWORD dwStyle = cs.style;
  ReadButtonType(dwStyle);
  cs.style = dwStyle;
  return CButton::PreCreateWindow(cs);
}

void CUfxButton::PreSubclassWindow() {
  DWORD dwStyle = GetStyle();
  ReadButtonType(dwStyle);
  ::SetWindowLongW(m_hWnd, GWL_STYLE, (LONG)dwStyle);
  CButton::PreSubclassWindow();
}

void CUfxButton::DrawItem(LPDRAWITEMSTRUCT lpDIS) {
  CDC* pDC = CDC::FromHandle(lpDIS->hDC);
  CRect rect = lpDIS->rcItem;
  OnFillBackground(pDC, rect);
  OnDrawBorder(pDC, rect, lpDIS->itemState);
  OnDraw(pDC, rect, lpDIS->itemState);
  if ((lpDIS->itemState & ODS_FOCUS) && m_bDrawFocus) OnDrawFocusRect(pDC, lpDIS->rcItem);
}

void CUfxButton::OnDrawFocusRect(CDC* pDC, const CRect& rectClient) {
  CRect rect = rectClient;
  rect.DeflateRect(2, 2);
  const COLORREF face = m_clrFace == (COLORREF)-1 ? UfxGlobalData.clrBtnFace : m_clrFace;
  pDC->Draw3dRect(&rect, face, face);
  pDC->DrawFocusRect(&rect);
}

void CUfxButton::OnFillBackground(CDC* pDC, const CRect& rectClient) {
  if (m_bTransparent) {
    CRect rect = rectClient;
    UfxGlobalData.DrawParentBackground(this, pDC, &rect);
  } else if (m_clrFace == (COLORREF)-1) {
    pDC->FillRect(&rectClient, &UfxGlobalData.brBtnFace);
  } else {
    pDC->FillSolidRect(&rectClient, m_clrFace);
  }
  if (m_bChecked && m_bHighlightChecked && !(m_bPushed && m_bHighlighted)) CUfxGdiEffects(*pDC).HighlightRect(rectClient);
}

void CUfxButton::OnDrawBorder(CDC* pDC, CRect& rectClient, UINT uiState) {
  if (m_nFlatStyle == BUTTONSTYLE_NOBORDERS) {
    rectClient.DeflateRect(2, 2);
    return;
  }
  if (UfxGlobalData.IsThemeActive()) {
    // The themed and 2003 looks draw a themed push button when they can.
    if (auto* pTheme = dynamic_cast<CUfxWinXPThemeHelper*>(CUfxVisualManager::GetInstance())) {
      if (pTheme->DrawPushButton(pDC, rectClient, this)) {
        rectClient.DeflateRect(2, 2);
        return;
      }
    }
  }
  const COLORREF dk = UfxGlobalData.clrBtnDkShadow, sh = UfxGlobalData.clrBtnShadow;
  const COLORREF lt = UfxGlobalData.clrBtnLight, hi = UfxGlobalData.clrBtnHilite;
  if ((m_bPushed && m_bHighlighted) || (uiState & ODS_SELECTED) || m_bChecked) {
    pDC->Draw3dRect(&rectClient, dk, hi);
    rectClient.DeflateRect(1, 1);
    if (m_nFlatStyle != BUTTONSTYLE_FLAT) pDC->Draw3dRect(&rectClient, sh, lt);
    rectClient.DeflateRect(1, 1);
    rectClient.OffsetRect(m_sizePushOffset.cx, m_sizePushOffset.cy);
  } else if (m_nFlatStyle == BUTTONSTYLE_FLAT && !m_bHighlighted) {
    rectClient.DeflateRect(2, 2);
  } else {
    pDC->Draw3dRect(&rectClient, hi, dk);
    rectClient.DeflateRect(1, 1);
    if (m_nFlatStyle == BUTTONSTYLE_3D || (m_nFlatStyle == BUTTONSTYLE_SEMIFLAT && m_bHighlighted))
      pDC->Draw3dRect(&rectClient, lt, sh);
    rectClient.DeflateRect(1, 1);
  }
}

CFont* CUfxButton::SelectFont(CDC* pDC) {
  HFONT hFont = m_hFont != nullptr ? m_hFont : (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
  return CFont::FromHandle((HFONT)pDC->SelectObject((HGDIOBJ)hFont));
}

void CUfxButton::OnDraw(CDC* pDC, const CRect& rect, UINT uiState) {
  CString strText;
  GetWindowText(strText);
  const BOOL bDisabled = (uiState & ODS_DISABLED) || !IsWindowEnabled();
  CRect rectText = rect;
  CPoint ptImage(rect.left, rect.top + (rect.Height() - m_sizeImage.cy) / 2);
  const BOOL bHasImage = m_sizeImage.cx > 0;
  if (bHasImage) {
    if (strText.IsEmpty()) {
      ptImage.x = rect.left + (rect.Width() - m_sizeImage.cx) / 2;
    } else if (m_bRightImage) {
      ptImage.x = rect.right - m_sizeImage.cx - 5;
      rectText.right = ptImage.x - 5;
    } else {
      ptImage.x = rect.left + 5;
      rectText.left = ptImage.x + m_sizeImage.cx + 5;
    }
  }
  CFont* pOldFont = SelectFont(pDC);
  if (m_bDelayFullTextTooltipSet) {
    const CSize size = pDC->GetTextExtent(strText);
    if (size.cx > rectText.Width() && m_bFullTextTooltip) SetTooltip(strText);
    else if (m_wndToolTip.GetSafeHwnd() != nullptr) m_wndToolTip.Activate(FALSE);
    m_bDelayFullTextTooltipSet = FALSE;
  }
  UINT uiFlags = DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER;
  if (m_nAlignStyle == ALIGN_RIGHT) {
    uiFlags |= DT_RIGHT;
    rectText.right -= 5;
  } else if (m_nAlignStyle == ALIGN_CENTER) {
    uiFlags |= DT_CENTER;
  } else {
    rectText.left += 5;
  }
  int oldMode = pDC->SetBkMode(TRANSPARENT);
  COLORREF clrText = m_clrRegular == (COLORREF)-1 ? UfxGlobalData.clrBtnText : m_clrRegular;
  if (m_bHighlighted && m_clrHover != (COLORREF)-1) clrText = m_clrHover;
  if (bDisabled && m_bGrayDisabled) {
    CRect shifted = rectText;
    shifted.OffsetRect(1, 1);
    pDC->SetTextColor(UfxGlobalData.clrBtnHilite);
    OnDrawText(pDC, shifted, strText, uiFlags, uiState);
    clrText = UfxGlobalData.clrGrayedText;
  }
  COLORREF oldColor = pDC->SetTextColor(clrText);
  OnDrawText(pDC, rectText, strText, uiFlags, uiState);
  pDC->SetTextColor(oldColor);
  pDC->SetBkMode(oldMode);
  pDC->SelectObject(pOldFont);
  if (!bHasImage) return;
  if (m_nStdImageId >= 0) {
    const int iGlyph = (bDisabled && m_bGrayDisabled && m_nStdImageDisabledId >= 0) ? m_nStdImageDisabledId : m_nStdImageId;
    CUfxMenuGlyphs::Draw(pDC, iGlyph, ptImage);
    return;
  }
  const BOOL bUseChecked = m_bChecked && m_Image.GetSafeHandle() != nullptr && m_ImageChecked.GetSafeHandle() != nullptr;
  CImageList* normal = bUseChecked ? &m_ImageChecked : &m_Image;
  CImageList* hot = bUseChecked ? &m_ImageCheckedHot : &m_ImageHot;
  CImageList* disabled = bUseChecked ? &m_ImageCheckedDisabled : &m_ImageDisabled;
  CImageList* list = normal;
  if (bDisabled && m_bGrayDisabled && disabled->GetSafeHandle() != nullptr) list = disabled;
  else if (m_bHighlighted && hot->GetSafeHandle() != nullptr) list = hot;
  if (list->GetSafeHandle() != nullptr) list->Draw(pDC, 0, ptImage, ILD_NORMAL);
}

void CUfxButton::OnDrawText(CDC* pDC, const CRect& rect, const CString& strText, UINT uiDTFlags, UINT) {
  CRect r = rect;
  pDC->DrawText(strText, &r, uiDTFlags);
}

void CUfxButton::CreateDisabledImage(HBITMAP hBitmap, BOOL bChecked) {
  CImageList& list = bChecked ? m_ImageCheckedDisabled : m_ImageDisabled;
  list.DeleteImageList();
  if (hBitmap == nullptr || m_sizeImage.cx <= 0) return;
  // The image drawn embossed on the button face, kept masked with the face colour.
  CClientDC screen(nullptr);
  CDC mem, src;
  mem.CreateCompatibleDC(&screen);
  src.CreateCompatibleDC(&screen);
  CBitmap bmp;
  bmp.CreateCompatibleBitmap(&screen, m_sizeImage.cx, m_sizeImage.cy);
  CBitmap* pOld = mem.SelectObject(&bmp);
  mem.FillSolidRect(0, 0, m_sizeImage.cx, m_sizeImage.cy, UfxGlobalData.clrBtnFace);
  HGDIOBJ oldSrc = src.SelectObject((HGDIOBJ)hBitmap);
  mem.BitBlt(0, 0, m_sizeImage.cx, m_sizeImage.cy, &src, 0, 0, SRCCOPY);
  src.SelectObject(oldSrc);
  CUfxGdiEffects(mem).GrayRect(CRect(0, 0, m_sizeImage.cx, m_sizeImage.cy), -1, UfxGlobalData.clrBtnFace);
  mem.SelectObject(pOld);
  list.Create(m_sizeImage.cx, m_sizeImage.cy, ILC_MASK | ILC_COLOR32, 0, 1);
  list.Add(&bmp, UfxGlobalData.clrBtnFace);
}

void CUfxButton::SetImage(HBITMAP hBitmap, BOOL bAutoDestroy, HBITMAP hBitmapHot, BOOL bMap3dColors, BOOL bChecked) {
  CImageList& normal = bChecked ? m_ImageChecked : m_Image;
  CImageList& hot = bChecked ? m_ImageCheckedHot : m_ImageHot;
  normal.DeleteImageList();
  hot.DeleteImageList();
  (bChecked ? m_ImageCheckedDisabled : m_ImageDisabled).DeleteImageList();
  if (hBitmap == nullptr) return;
  BITMAP bmp;
  if (::GetObjectW(hBitmap, sizeof(bmp), &bmp) == 0) return;
  m_sizeImage = CSize(bmp.bmWidth, bmp.bmHeight);
  const COLORREF mask = bMap3dColors ? RGB(192, 192, 192) : UfxGlobalData.clrBtnFace;
  auto fill = [&](CImageList& list, HBITMAP h) {
    if (h == nullptr) return;
    BITMAP b;
    ::GetObjectW(h, sizeof(b), &b);
    UINT depth = ILC_COLOR4;
    switch (b.bmBitsPixel) {
      case 8: depth = ILC_COLOR8; break;
      case 16: depth = ILC_COLOR16; break;
      case 24: depth = ILC_COLOR24; break;
      case 32: depth = ILC_COLOR32; break;
    }
    list.Create(m_sizeImage.cx, m_sizeImage.cy, ILC_MASK | depth, 0, 1);
    ::ImageList_AddMasked(list.m_hImageList, h, mask);
  };
  fill(normal, hBitmap);
  fill(hot, hBitmapHot);
  CreateDisabledImage(hBitmap, bChecked);
  if (bAutoDestroy) {
    ::DeleteObject(hBitmap);
    if (hBitmapHot != nullptr) ::DeleteObject(hBitmapHot);
  }
}

void CUfxButton::SetImage(UINT uiBmpResId, UINT uiBmpHotResId, BOOL bChecked) {
  auto load = [](UINT id) -> HBITMAP {
    if (id == 0) return nullptr;
    HBITMAP h = (HBITMAP)::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    if (h == nullptr) h = (HBITMAP)::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    return h;
  };
  SetImage(load(uiBmpResId), TRUE, load(uiBmpHotResId), TRUE, bChecked);
}

void CUfxButton::SetStdImage(int nGlyph, int nDisabledGlyph) {
  CleanUp();
  m_sizeImage = CSize(9, 9);  // the menu glyph size
  m_nStdImageId = nGlyph;
  m_nStdImageDisabledId = nDisabledGlyph;
}

void CUfxButton::CleanUp() {
  m_sizeImage = CSize(0, 0);
  for (CImageList* list : {&m_Image, &m_ImageHot, &m_ImageDisabled, &m_ImageChecked, &m_ImageCheckedHot,
                           &m_ImageCheckedDisabled})
    list->DeleteImageList();
  m_nStdImageId = m_nStdImageDisabledId = -1;
}

void CUfxButton::SetTooltip(LPCWSTR lpszToolTipText) {
  if (GetSafeHwnd() == nullptr) return;
  if (lpszToolTipText == nullptr) {
    if (m_wndToolTip.GetSafeHwnd() != nullptr) m_wndToolTip.Activate(FALSE);
    return;
  }
  if (m_wndToolTip.GetSafeHwnd() == nullptr) {
    if (!m_wndToolTip.Create(this, TTS_ALWAYSTIP)) return;
    m_wndToolTip.AddTool(this, lpszToolTipText);
    if (UfxGlobalData.m_nMaxToolTipWidth != -1) m_wndToolTip.SetMaxTipWidth(UfxGlobalData.m_nMaxToolTipWidth);
  } else {
    m_wndToolTip.UpdateTipText(lpszToolTipText, this);
  }
  m_wndToolTip.Activate(TRUE);
}

void CUfxButton::SetMouseCursorHand() {
  if (s_hHandCursor == nullptr) {
    s_hHandCursor = ::LoadCursorW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDC_UFX_HAND));
    if (s_hHandCursor == nullptr) s_hHandCursor = ::LoadCursorW(nullptr, IDC_HAND);
  }
  m_hCursor = s_hHandCursor;
}

void CUfxButton::SetAutorepeatMode(int nTimeDelay) { m_nAutoRepeatTimeDelay = nTimeDelay; }

CSize CUfxButton::SizeToContent(BOOL bCalcOnly) {
  CString strText;
  GetWindowText(strText);
  CClientDC dc(this);
  CFont* pOld = SelectFont(&dc);
  const CSize sizeText = dc.GetTextExtent(strText);
  dc.SelectObject(pOld);
  CSize size(m_sizeImage.cx + sizeText.cx + 10, std::max(m_sizeImage.cy, sizeText.cy) + 10);
  if (!strText.IsEmpty()) size.cx += 10;
  if (!bCalcOnly) SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
  return size;
}

void CUfxButton::ClearMouseFlags() { m_bPushed = m_bClickiedInside = m_bHighlighted = m_bHover = FALSE; }

void CUfxButton::Notify() {
  if (CWnd* pParent = GetParent()) pParent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED), (LPARAM)m_hWnd);
}

void CUfxButton::OnCancelMode() {
  CButton::OnCancelMode();
  if (m_bCaptured) {
    ::ReleaseCapture();
    m_bCaptured = FALSE;
  }
  ClearMouseFlags();
  KillTimer(kAutoRepeatTimer);
  Invalidate();
}

void CUfxButton::OnKillFocus(CWnd* pNewWnd) {
  CButton::OnKillFocus(pNewWnd);
  if (m_bCaptured) {
    ::ReleaseCapture();
    m_bCaptured = FALSE;
  }
  ClearMouseFlags();
  Invalidate();
}

void CUfxButton::OnEnable(BOOL bEnable) {
  if (!bEnable) ClearMouseFlags();
  CButton::OnEnable(bEnable);
}

void CUfxButton::OnMouseMove(UINT nFlags, CPoint point) {
  m_bHover = FALSE;
  const BOOL bDown = (nFlags & MK_LBUTTON) != 0;
  if (bDown || m_nFlatStyle != BUTTONSTYLE_3D || UfxGlobalData.IsThemeActive()) {
    CRect rectClient;
    GetClientRect(rectClient);
    if (rectClient.PtInRect(point)) {
      m_bHover = TRUE;
      BOOL bChanged = !m_bHighlighted;
      m_bHighlighted = TRUE;
      if (bDown && m_bClickiedInside && !m_bPushed) {
        m_bPushed = TRUE;
        bChanged = TRUE;
      }
      if (!m_bCaptured) {
        SetCapture();
        m_bCaptured = TRUE;
      }
      if (bChanged) Invalidate();
    } else {
      BOOL bChanged = FALSE;
      if (bDown) {
        bChanged = m_bPushed;
        m_bPushed = FALSE;
      } else {
        bChanged = m_bHighlighted;
        m_bHighlighted = FALSE;
      }
      if (m_bCaptured && !(nFlags & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON))) {
        ::ReleaseCapture();
        m_bCaptured = FALSE;
      }
      if (bChanged) Invalidate();
    }
  }
  CButton::OnMouseMove(nFlags, point);
}

void CUfxButton::OnLButtonDown(UINT nFlags, CPoint point) {
  m_bPushed = m_bClickiedInside = m_bHighlighted = TRUE;
  if (!m_bCaptured) {
    SetCapture();
    m_bCaptured = TRUE;
  }
  Invalidate();
  if (m_nAutoRepeatTimeDelay > 0) SetTimer(kAutoRepeatTimer, m_nAutoRepeatTimeDelay, nullptr);
  CButton::OnLButtonDown(nFlags, point);
}

void CUfxButton::OnLButtonDblClk(UINT nFlags, CPoint point) {
  m_bPushed = m_bClickiedInside = m_bHighlighted = TRUE;
  Invalidate();
  CButton::OnLButtonDblClk(nFlags, point);
}

void CUfxButton::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent == kAutoRepeatTimer) {
    if (m_bPushed && m_bHighlighted) {
      if (CWnd* pParent = GetParent()) pParent->SendMessage(WM_COMMAND, GetDlgCtrlID(), (LPARAM)m_hWnd);
    }
    return;
  }
  CButton::OnTimer(nIDEvent);
}

void CUfxButton::OnLButtonUp(UINT nFlags, CPoint point) {
  const BOOL bClicked = m_bPushed && m_bClickiedInside && m_bHighlighted;
  m_bPushed = m_bClickiedInside = m_bHighlighted = FALSE;
  if (bClicked && m_bAutoCheck) {
    if (m_bCheckButton) {
      m_bChecked = !m_bChecked;
    } else if (m_bRadioButton && !m_bChecked) {
      m_bChecked = TRUE;
      UncheckRadioGroup();
    }
  }
  Invalidate();
  // The control's own handling sends the click notification only for a click inside.
  if (bClicked) CButton::OnLButtonUp(nFlags, point);
  else Invalidate();
  if (m_bCaptured) {
    ::ReleaseCapture();
    m_bCaptured = FALSE;
  }
  KillTimer(kAutoRepeatTimer);
  if (m_wndToolTip.GetSafeHwnd() != nullptr) {
    m_wndToolTip.SendMessage(TTM_POP);
    CString text;
    GetWindowText(text);
  }
}

BOOL CUfxButton::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  if (m_hCursor != nullptr) {
    CPoint pt;
    ::GetCursorPos(&pt);
    CRect rect;
    GetWindowRect(rect);
    if (rect.PtInRect(pt)) {
      ::SetCursor(m_hCursor);
      return TRUE;
    }
  }
  return CButton::OnSetCursor(pWnd, nHitTest, message);
}

void CUfxButton::OnSize(UINT nType, int cx, int cy) {
  m_bDelayFullTextTooltipSet = m_bFullTextTooltip;
  CButton::OnSize(nType, cx, cy);
}

LRESULT CUfxButton::OnSetFont(WPARAM wParam, LPARAM lParam) {
  m_hFont = (HFONT)wParam;
  if (LOWORD(lParam)) Invalidate();
  return 0;
}

LRESULT CUfxButton::OnGetFont(WPARAM, LPARAM) { return (LRESULT)m_hFont; }

LRESULT CUfxButton::OnGetCheck(WPARAM, LPARAM) { return (m_bCheckButton || m_bRadioButton) ? m_bChecked : 0; }

LRESULT CUfxButton::OnSetCheck(WPARAM wParam, LPARAM) {
  if (!m_bCheckButton && !m_bRadioButton) return 0;
  m_bChecked = wParam != BST_UNCHECKED;
  if (m_bChecked && m_bRadioButton) UncheckRadioGroup();
  Invalidate();
  return 0;
}

// Every other checked CUfxButton radio of the group loses its check.
void CUfxButton::UncheckRadioGroup() {
  CWnd* pParent = GetParent();
  if (pParent == nullptr) return;
  CWnd* pWnd = this;
  for (int guard = 0; guard < 1000; ++guard) {
    pWnd = pParent->GetNextDlgGroupItem(pWnd, FALSE);
    if (pWnd == nullptr || pWnd == this) break;
    CUfxButton* pOther = DYNAMIC_DOWNCAST(CUfxButton, CWnd::FromHandlePermanent(pWnd->GetSafeHwnd()));
    if (pOther != nullptr && pOther->m_bRadioButton && pOther->m_bChecked) {
      pOther->m_bChecked = FALSE;
      pOther->Invalidate();
      pOther->UpdateWindow();
    }
  }
}

CUfxButton* CUfxButton::NextRadioInGroup(BOOL bForward) {
  CWnd* pParent = GetParent();
  if (pParent == nullptr) return nullptr;
  CWnd* pWnd = this;
  for (int guard = 0; guard < 1000; ++guard) {
    pWnd = pParent->GetNextDlgGroupItem(pWnd, !bForward);
    if (pWnd == nullptr || pWnd == this) return nullptr;
    CUfxButton* pOther = DYNAMIC_DOWNCAST(CUfxButton, CWnd::FromHandlePermanent(pWnd->GetSafeHwnd()));
    if (pOther != nullptr && pOther->m_bRadioButton && pOther->IsWindowVisible() && pOther->IsWindowEnabled())
      return pOther;
  }
  return nullptr;
}

BOOL CUfxButton::PreTranslateMessage(MSG* pMsg) {
  if (m_wndToolTip.GetSafeHwnd() != nullptr && pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST)
    m_wndToolTip.RelayEvent(pMsg);
  if (pMsg->message == WM_KEYDOWN && pMsg->hwnd == m_hWnd) {
    switch (pMsg->wParam) {
      case VK_RETURN:
        if (CWnd* pParent = GetParent()) pParent->SendMessage(WM_COMMAND, GetDlgCtrlID(), (LPARAM)m_hWnd);
        return TRUE;
      case VK_SPACE:
        if (m_bAutoCheck && m_bCheckButton) {
          m_bChecked = !m_bChecked;
          Invalidate();
          Notify();
          return TRUE;
        }
        break;
      case VK_LEFT: case VK_UP: case VK_RIGHT: case VK_DOWN:
        if (m_bAutoCheck && m_bRadioButton) {
          const BOOL bForward = pMsg->wParam == VK_RIGHT || pMsg->wParam == VK_DOWN;
          if (CUfxButton* pNext = NextRadioInGroup(bForward)) {
            pNext->SendMessage(BM_SETCHECK, BST_CHECKED);
            pNext->SetFocus();
            pNext->Notify();
          }
          return TRUE;
        }
        break;
    }
  }
  return CButton::PreTranslateMessage(pMsg);
}
