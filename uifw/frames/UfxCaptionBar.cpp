#include "frames/UfxCaptionBar.h"
#include "frames/UfxFrameWnd.h"
#include "frames/UfxGlobalData.h"
#include "bars/UfxToolBar.h"
#include "bars/UfxTrackMouse.h"
#include "looks/UfxVisualManager.h"

IMPLEMENT_DYNCREATE(CUfxCaptionBar, CControlBar)

BEGIN_MESSAGE_MAP(CUfxCaptionBar, CControlBar)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_NCCALCSIZE()
  ON_WM_NCPAINT()
  ON_WM_ERASEBKGND()
  ON_WM_PAINT()
  ON_WM_SIZE()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_RBUTTONUP()
  ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
  ON_MESSAGE(WM_SETFONT, OnSetFont)
  ON_MESSAGE(WM_GETFONT, OnGetFont)
END_MESSAGE_MAP()

namespace {
// The drop-down mark's zone right of an active command button's label.
const int kMenuArrowZone = 10;
}  // namespace

CUfxCaptionBar::CUfxCaptionBar() {
  m_rectImage.SetRectEmpty();
  m_rectText.SetRectEmpty();
  m_rectDrawText.SetRectEmpty();
  m_rectButton.SetRectEmpty();
}

CUfxCaptionBar::~CUfxCaptionBar() {
  if (POSITION pos = UfxAllControlBars.Find(this)) UfxAllControlBars.RemoveAt(pos);
}

BOOL CUfxCaptionBar::Create(DWORD dwStyle, CWnd* pParentWnd, UINT uID, int nHeight) {
  SetBarStyle(CBRS_ALIGN_TOP);
  m_nDefaultHeight = nHeight;
  return CWnd::Create(nullptr, nullptr, dwStyle, CRect(0, 0, 0, 0), pParentWnd, uID);
}

int CUfxCaptionBar::OnCreate(LPCREATESTRUCT lpcs) {
  if (CControlBar::OnCreate(lpcs) == -1) return -1;
  if (UfxAllControlBars.Find(this) == nullptr) UfxAllControlBars.AddTail(this);
  return 0;
}

void CUfxCaptionBar::OnDestroy() {
  m_strText.Empty();
  m_strBtnText.Empty();
  m_Bmp.Clear();
  if (POSITION pos = UfxAllControlBars.Find(this)) UfxAllControlBars.RemoveAt(pos);
  CControlBar::OnDestroy();
}

// ---- content -----------------------------------------------------------------------------------

void CUfxCaptionBar::SetText(const CString& strText, int nAlignment) {
  m_strText = strText;
  m_nTextAlignment = nAlignment;
  RecalcLayout();
}

void CUfxCaptionBar::SetBitmap(HBITMAP hBitmap, COLORREF clrTransparent, BOOL bStretch, int nAlignment) {
  m_hIcon = nullptr;
  m_Bmp.Clear();
  BITMAP bm = {};
  if (hBitmap != nullptr) ::GetObjectW(hBitmap, sizeof(bm), &bm);
  m_Bmp.SetImageSize(CSize(bm.bmWidth, bm.bmHeight));
  m_clrTransparent = clrTransparent;
  m_Bmp.SetTransparentColor(clrTransparent);
  m_Bmp.AddImage(hBitmap);
  m_bStretchImage = bStretch;
  m_nBmpAlignment = nAlignment;
  RecalcLayout();
}

void CUfxCaptionBar::SetIcon(HICON hIcon, int nAlignment) {
  m_Bmp.Clear();
  m_hIcon = hIcon;
  m_nBmpAlignment = nAlignment;
  RecalcLayout();
}

void CUfxCaptionBar::SetButton(LPCWSTR lpszLabel, UINT uiCmdUI, int nAlignment) {
  m_strBtnText = lpszLabel != nullptr ? lpszLabel : L"";
  m_uiBtnID = uiCmdUI;
  m_nBtnAlignment = nAlignment;
  RecalcLayout();
}

void CUfxCaptionBar::EnableButton(BOOL bEnable) {
  m_bBtnEnabled = bEnable;
  RecalcLayout();
}

HFONT CUfxCaptionBar::GetCurrentFont() const {
  return m_hFont != nullptr ? m_hFont : (HFONT)UfxGlobalData.fontRegular.GetSafeHandle();
}

CSize CUfxCaptionBar::GetImageSize() const {
  if (m_Bmp.GetCount() > 0) return m_Bmp.GetImageSize();
  if (m_hIcon == nullptr) return CSize(0, 0);
  ICONINFO info = {};
  CSize size(0, 0);
  if (::GetIconInfo(m_hIcon, &info)) {
    BITMAP bm = {};
    if (info.hbmColor != nullptr && ::GetObjectW(info.hbmColor, sizeof(bm), &bm)) size = CSize(bm.bmWidth, bm.bmHeight);
    if (info.hbmColor != nullptr) ::DeleteObject(info.hbmColor);
    if (info.hbmMask != nullptr) ::DeleteObject(info.hbmMask);
  }
  return size;
}

// ---- layout ------------------------------------------------------------------------------------

CSize CUfxCaptionBar::CalcFixedLayout(BOOL, BOOL) {
  RecalcLayout();
  return CSize(32767, m_nCurrentHeight);
}

void CUfxCaptionBar::AdjustLayout() {
  if (m_hWnd == nullptr) return;
  if (CFrameWnd* pFrame = GetParentFrame()) pFrame->RecalcLayout(TRUE);
  RecalcLayout();
}

void CUfxCaptionBar::RecalcLayout() {
  HDC hdc = ::GetDC(nullptr);
  HGDIOBJ hOldFont = ::SelectObject(hdc, GetCurrentFont());
  TEXTMETRICW tm = {};
  ::GetTextMetricsW(hdc, &tm);
  const CSize sizeImage = GetImageSize();
  m_nCurrentHeight = m_nDefaultHeight != -1
                         ? m_nDefaultHeight
                         : m_nBorderSize + 2 * m_nMargin + std::max((int)tm.tmHeight + 2, (int)sizeImage.cy);

  CRect rectClient;
  if (m_hWnd != nullptr) GetClientRect(&rectClient);
  if (m_hWnd == nullptr || rectClient.IsRectEmpty()) {
    ::SelectObject(hdc, hOldFont);
    ::ReleaseDC(nullptr, hdc);
    return;
  }
  const int yCenter = (rectClient.bottom - rectClient.top) / 2;
  const int xCenter = (rectClient.right - rectClient.left) / 2;
  int xLeft = rectClient.left + m_nMargin;
  int xRight = rectClient.right - m_nMargin;
  const int xLeftStart = xLeft, xRightStart = xRight;
  BOOL bDone = FALSE;

  if (m_hIcon != nullptr || m_Bmp.GetCount() > 0) {
    m_rectImage.top = sizeImage.cy < rectClient.Height() ? yCenter - sizeImage.cy / 2 : rectClient.top + m_nMargin;
    m_rectImage.bottom = m_bStretchImage ? rectClient.bottom - m_nMargin : m_rectImage.top + sizeImage.cy;
    if (m_nBmpAlignment == ALIGN_LEFT) {
      m_rectImage.left = xLeft;
      m_rectImage.right = xLeft + sizeImage.cx;
      xLeft += sizeImage.cx + m_nHorzElementOffset;
    } else if (m_nBmpAlignment == ALIGN_RIGHT) {
      m_rectImage.right = xRight;
      m_rectImage.left = xRight - sizeImage.cx;
      xRight -= sizeImage.cx + m_nHorzElementOffset;
    } else {
      m_rectImage.left = 0;
      m_rectImage.right = sizeImage.cx;
    }
  }

  if (!m_strBtnText.IsEmpty()) {
    SIZE size = {};
    ::GetTextExtentPoint32W(hdc, m_strBtnText, m_strBtnText.GetLength(), &size);
    int cxButton = size.cx + 2 * m_nHorzElementOffset;
    if (HasActiveButton()) cxButton += kMenuArrowZone;
    m_rectButton.top = rectClient.top;
    m_rectButton.bottom = rectClient.bottom;
    if (m_nBtnAlignment == ALIGN_LEFT) {
      m_rectButton.left = xLeft == xLeftStart ? rectClient.left : xLeft;
      m_rectButton.right = m_rectButton.left + cxButton;
      xLeft = m_rectButton.right + m_nHorzElementOffset;
    } else if (m_nBtnAlignment == ALIGN_RIGHT) {
      m_rectButton.right = xRight == xRightStart ? rectClient.right : xRight;
      m_rectButton.left = m_rectButton.right - cxButton;
      xRight = m_rectButton.left - m_nHorzElementOffset;
    } else if (m_nBtnAlignment == ALIGN_CENTER) {
      m_rectButton.left = 0;
      m_rectButton.right = cxButton;
    } else {
      bDone = TRUE;
    }
  }

  if (!bDone && !m_strText.IsEmpty()) {
    CRect rectMeasure = rectClient;
    ::DrawTextW(hdc, m_strText, m_strText.GetLength(), &rectMeasure, DT_CALCRECT | DT_VCENTER);
    const int cxText = rectMeasure.Width(), cyText = rectMeasure.Height();
    m_rectText.top = yCenter - cyText / 2;
    m_rectText.bottom = m_rectText.top + cyText;
    if (m_nTextAlignment == ALIGN_LEFT) {
      m_rectText.left = xLeft;
      m_rectText.right = xLeft + cxText;
    } else if (m_nTextAlignment == ALIGN_RIGHT) {
      m_rectText.right = xRight;
      m_rectText.left = xRight - cxText;
    } else if (m_nTextAlignment == ALIGN_CENTER) {
      m_rectText.left = 0;
      m_rectText.right = cxText;
    } else {
      bDone = TRUE;
    }
    if (!bDone) {
      m_rectText.left = std::max(m_rectText.left, rectClient.left + m_nMargin);
      m_rectText.right = std::min(m_rectText.right, rectClient.right - m_nMargin);
      m_rectDrawText = m_rectText;
    }
  }
  ::SelectObject(hdc, hOldFont);
  ::ReleaseDC(nullptr, hdc);
  if (bDone) return;

  LayoutCentered(xCenter, rectClient);
  ClipTextAndImage(rectClient);
}

void CUfxCaptionBar::LayoutCentered(int xCenter, const CRect& rectClient) {
  const BOOL bImage = (m_hIcon != nullptr || m_Bmp.GetCount() > 0) && m_nBmpAlignment == ALIGN_CENTER;
  const BOOL bButton = !m_strBtnText.IsEmpty() && m_nBtnAlignment == ALIGN_CENTER;
  const BOOL bText = !m_strText.IsEmpty() && m_nTextAlignment == ALIGN_CENTER;
  int x = xCenter;
  if (bImage) x -= m_rectImage.Width() / 2;
  if (bButton) x -= m_rectButton.Width() / 2;
  if (bText) x -= m_rectText.Width() / 2;
  auto place = [&](CRect& rect) {
    const int cx = rect.Width();
    rect.left = x;
    rect.right = x + cx;
    x = rect.right + m_nHorzElementOffset;
  };
  if (bImage) place(m_rectImage);
  if (bButton) place(m_rectButton);
  if (bText) {
    place(m_rectText);
    m_rectText.left = std::max(m_rectText.left, rectClient.left + m_nMargin);
    m_rectText.right = std::min(m_rectText.right, rectClient.right - m_nMargin);
    m_rectDrawText = m_rectText;
  }
}

void CUfxCaptionBar::ClipTextAndImage(const CRect& rectClient) {
  const int xMin = rectClient.left + m_nMargin, xMax = rectClient.right - m_nMargin;
  // The image stays inside the margins: a stretched one is cut, another one shifted back.
  if (m_bStretchImage) {
    m_rectImage.left = std::max(m_rectImage.left, (LONG)xMin);
    m_rectImage.right = std::min(m_rectImage.right, (LONG)xMax);
  } else if (m_rectImage.left < xMin) {
    m_rectImage.OffsetRect(xMin - m_rectImage.left, 0);
  } else if (m_rectImage.right > xMax) {
    m_rectImage.OffsetRect(xMax - m_rectImage.right, 0);
  }
  const BOOL bImageLeftOfButton = m_nBmpAlignment == ALIGN_RIGHT ||
                                  (m_nBmpAlignment == ALIGN_CENTER && m_nBtnAlignment == ALIGN_LEFT);
  const BOOL bImageLeftOfText = m_nBmpAlignment == ALIGN_RIGHT ||
                                (m_nBmpAlignment == ALIGN_CENTER && m_nTextAlignment == ALIGN_LEFT);
  const BOOL bButtonLeftOfText = m_nBtnAlignment == ALIGN_RIGHT ||
                                 (m_nBtnAlignment == ALIGN_CENTER && m_nTextAlignment == ALIGN_LEFT);
  // Each flag is TRUE when the element being cut lies left of the one it is cut against.
  CheckRectangle(m_rectDrawText, m_rectImage, bImageLeftOfText);
  CRect rectButton = m_rectButton;
  rectButton.left = std::max(rectButton.left, (LONG)xMin);
  rectButton.right = std::min(rectButton.right, (LONG)xMax);
  CheckRectangle(rectButton, m_rectImage, bImageLeftOfButton);
  CheckRectangle(m_rectDrawText, rectButton, bButtonLeftOfText);
}

void CUfxCaptionBar::CheckRectangle(CRect& rect, const CRect& rectOther, BOOL bLeft) const {
  if (rect.IsRectEmpty() || rectOther.IsRectEmpty()) return;
  CRect other = rectOther;
  other.InflateRect(m_nHorzElementOffset, m_nHorzElementOffset);
  const BOOL bLeftInside = rect.left > other.left && rect.left < other.right;
  const BOOL bRightInside = rect.right > other.left && rect.right < other.right;
  if (rect.left >= other.left && rect.right <= other.right) {
    rect.right = rect.left;
  } else if (bLeftInside) {
    rect.left = other.right;
  } else if (bRightInside) {
    rect.right = other.left;
  } else if (rect.left < other.left && rect.right > other.right) {
    if (bLeft) rect.right = other.left;
    else rect.left = other.right;
  }
  if (bLeft ? rect.left >= other.right : rect.right <= other.left) rect.right = rect.left;
}

void CUfxCaptionBar::OnSize(UINT nType, int cx, int cy) {
  CControlBar::OnSize(nType, cx, cy);
  RecalcLayout();
}

LRESULT CUfxCaptionBar::OnSetFont(WPARAM wParam, LPARAM) {
  m_hFont = (HFONT)wParam;
  AdjustLayout();
  return 0;
}

LRESULT CUfxCaptionBar::OnGetFont(WPARAM, LPARAM) { return (LRESULT)m_hFont; }

// ---- painting ----------------------------------------------------------------------------------

void CUfxCaptionBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp) {
  lpncsp->rgrc[0].top += m_nBorderSize;
  lpncsp->rgrc[0].bottom -= m_nBorderSize;
}

void CUfxCaptionBar::OnNcPaint() {
  CWindowDC dc(this);
  CRect rectWindow, rectClient;
  GetWindowRect(&rectWindow);
  GetClientRect(&rectClient);
  ClientToScreen(&rectClient);
  rectClient.OffsetRect(-rectWindow.left, -rectWindow.top);
  dc.ExcludeClipRect(&rectClient);
  rectWindow.OffsetRect(-rectWindow.left, -rectWindow.top);
  OnDrawBorder(&dc, CRect(0, rectWindow.bottom - m_nBorderSize, rectWindow.right, rectWindow.bottom));
  OnDrawBorder(&dc, CRect(0, 0, rectWindow.right, m_nBorderSize));
}

void CUfxCaptionBar::OnDrawBorder(CDC* pDC, CRect rect) {
  rect.InflateRect(2, 0);
  if (m_clrBarBorder == (COLORREF)-1) pDC->FillRect(&rect, &UfxGlobalData.brBarFace);
  else pDC->FillSolidRect(&rect, m_clrBarBorder);
  if (!m_bFlatBorder) pDC->Draw3dRect(&rect, UfxGlobalData.clrBarHilite, UfxGlobalData.clrBarShadow);
}

BOOL CUfxCaptionBar::OnEraseBkgnd(CDC* pDC) {
  CRect rect;
  GetClientRect(&rect);
  OnDrawBackground(pDC, rect);
  return TRUE;
}

void CUfxCaptionBar::OnDrawBackground(CDC* pDC, CRect rect) {
  CUfxVisualManager::GetInstance()->OnFillBarBackground(pDC, this, rect, rect, FALSE);
}

void CUfxCaptionBar::OnPaint() {
  CPaintDC dc(this);
  const int nOldMode = dc.SetBkMode(TRANSPARENT);
  const COLORREF clrOld = dc.SetTextColor(
      m_clrBarText != (COLORREF)-1 ? m_clrBarText : CUfxVisualManager::GetInstance()->GetCaptionBarTextColor(this));
  HGDIOBJ hOldFont = ::SelectObject(dc.GetSafeHdc(), GetCurrentFont());
  OnDrawButton(&dc, m_rectButton, m_strBtnText, m_bBtnEnabled);
  OnDrawText(&dc, m_rectDrawText, m_strText);
  OnDrawImage(&dc, m_rectImage);
  ::SelectObject(dc.GetSafeHdc(), hOldFont);
  dc.SetTextColor(clrOld);
  dc.SetBkMode(nOldMode);
}

void CUfxCaptionBar::OnDrawText(CDC* pDC, CRect rect, const CString& strText) {
  pDC->DrawText(strText, &rect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void CUfxCaptionBar::OnDrawImage(CDC* pDC, CRect rect) {
  if (m_hIcon != nullptr) {
    ::DrawIconEx(pDC->GetSafeHdc(), rect.left, rect.top, m_hIcon, rect.Width(), rect.Height(), 0, nullptr, DI_NORMAL);
    return;
  }
  const CSize sizeDest = m_bStretchImage ? rect.Size() : m_rectImage.Size();
  CUfxDrawState ds;
  if (m_Bmp.GetCount() <= 0 || !m_Bmp.PrepareDraw(ds, sizeDest.cx, sizeDest.cy)) return;
  m_Bmp.Draw(pDC, rect.left, rect.top, 0);
  m_Bmp.EndDraw(ds);
}

void CUfxCaptionBar::OnDrawButton(CDC* pDC, CRect rect, const CString& strButton, BOOL bEnabled) {
  if (rect.IsRectEmpty() || strButton.IsEmpty()) return;
  const BOOL bMenuArrow = m_uiBtnID != 0 && bEnabled;
  CRect rectText = rect;
  rectText.DeflateRect(m_nHorzElementOffset, 0);
  if (bMenuArrow) rectText.right -= kMenuArrowZone;
  pDC->DrawText(strButton, &rectText, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);

  if (bMenuArrow) {
    const int x = (rectText.right + rect.right) / 2;
    const int yBase = rect.bottom - m_nMargin - 6;
    const POINT pts[3] = {{x - 3, yBase}, {x + 3, yBase}, {x, yBase + 3}};
    HBRUSH hbr = ::CreateSolidBrush(pDC->GetTextColor());
    HGDIOBJ hOldBrush = ::SelectObject(pDC->GetSafeHdc(), hbr);
    HGDIOBJ hOldPen = ::SelectObject(pDC->GetSafeHdc(), ::GetStockObject(NULL_PEN));
    const int nOldFill = ::SetPolyFillMode(pDC->GetSafeHdc(), WINDING);
    pDC->Polygon(pts, 3);
    ::SetPolyFillMode(pDC->GetSafeHdc(), nOldFill);
    ::SelectObject(pDC->GetSafeHdc(), hOldPen);
    ::SelectObject(pDC->GetSafeHdc(), hOldBrush);
    ::DeleteObject(hbr);
  }
  if (m_bIsBtnPressed) pDC->Draw3dRect(&rect, UfxGlobalData.clrBtnDkShadow, UfxGlobalData.clrBtnHilite);
  else if (m_bIsBtnHighlighted) pDC->Draw3dRect(&rect, UfxGlobalData.clrBtnHilite, UfxGlobalData.clrBtnDkShadow);
}

// ---- mouse -------------------------------------------------------------------------------------

CWnd* CUfxCaptionBar::GetCommandTarget() const {
  CWnd* pTarget = GetOwner();
  return pTarget != nullptr ? pTarget : GetParent();
}

void CUfxCaptionBar::RedrawButton() {
  InvalidateRect(&m_rectButton, TRUE);
  UpdateWindow();
}

void CUfxCaptionBar::OnMouseMove(UINT nFlags, CPoint point) {
  CControlBar::OnMouseMove(nFlags, point);
  if (!HasActiveButton()) return;
  const BOOL bHit = m_rectButton.PtInRect(point);
  if (bHit != m_bIsBtnHighlighted) {
    m_bIsBtnHighlighted = bHit;
    m_bIsBtnPressed = (nFlags & MK_LBUTTON) && bHit;
    RedrawButton();
  }
  if (!m_bTracked) {
    TRACKMOUSEEVENT tme = {sizeof(TRACKMOUSEEVENT), TME_LEAVE, m_hWnd, 0};
    m_bTracked = UfxTrackMouse(&tme);
  }
}

LRESULT CUfxCaptionBar::OnMouseLeave(WPARAM, LPARAM) {
  m_bTracked = FALSE;
  if (m_bIsBtnPressed || m_bIsBtnHighlighted) {
    m_bIsBtnPressed = FALSE;
    m_bIsBtnHighlighted = FALSE;
    RedrawButton();
  }
  return 0;
}

void CUfxCaptionBar::OnLButtonDown(UINT nFlags, CPoint point) {
  Default();
  if (!HasActiveButton() || !m_bIsBtnHighlighted) return;
  m_bIsBtnPressed = TRUE;
  RedrawButton();
  if (CWnd* pTarget = GetCommandTarget()) pTarget->SendMessage(WM_COMMAND, m_uiBtnID, 0);
}

void CUfxCaptionBar::OnLButtonUp(UINT nFlags, CPoint point) {
  if (m_bIsBtnPressed) {
    m_bIsBtnPressed = FALSE;
    RedrawButton();
  }
  Default();
}

void CUfxCaptionBar::OnRButtonUp(UINT nFlags, CPoint point) {
  if (CUfxToolBar::IsCustomizeMode()) {
    Default();
    return;
  }
  ClientToScreen(&point);
  if (CWnd* pTarget = GetCommandTarget())
    pTarget->SendMessage(UFXM_TOOLBAR_POPUPMENU, (WPARAM)m_hWnd, MAKELPARAM(point.x, point.y));
}
