#include "looks/UfxMenuButton.h"
#include "bars/UfxMenuGlyphs.h"
#include "frames/UfxContextMenuManager.h"

IMPLEMENT_DYNAMIC(CUfxMenuButton, CUfxButton)

BEGIN_MESSAGE_MAP(CUfxMenuButton, CUfxButton)
  ON_WM_LBUTTONDOWN()
  ON_WM_KEYDOWN()
  ON_WM_GETDLGCODE()
END_MESSAGE_MAP()

CUfxMenuButton::CUfxMenuButton() = default;

CUfxMenuButton::~CUfxMenuButton() = default;

CSize CUfxMenuButton::SizeToContent(BOOL bCalcOnly) {
  CSize size = CUfxButton::SizeToContent(TRUE);
  size.cx += CUfxMenuGlyphs::GetSize().cx;
  if (!bCalcOnly && GetSafeHwnd() != nullptr)
    SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  return size;
}

CPoint CUfxMenuButton::GetMenuAnchor() const {
  CRect rectWindow;
  GetWindowRect(rectWindow);
  if (m_bRightArrow) return CPoint(rectWindow.right, rectWindow.top);
  return CPoint(m_bDefaultClick ? rectWindow.right : rectWindow.left, rectWindow.bottom);
}

void CUfxMenuButton::OnShowMenu() {
  if (m_hMenu == nullptr || m_bMenuIsActive) return;
  const CPoint point = GetMenuAnchor();
  if (m_bStayPressed) {
    m_bPushed = TRUE;
    m_bHighlighted = TRUE;
  }
  m_bMenuIsActive = TRUE;
  Invalidate();
  UpdateWindow();

  const HWND hwnd = m_hWnd;
  if (m_bOSMenu || UfxContextMenuManager == nullptr) {
    UINT uiFlags = TPM_LEFTALIGN | TPM_LEFTBUTTON | TPM_RIGHTBUTTON | TPM_NONOTIFY | TPM_RETURNCMD;
    if (m_bDefaultClick && !m_bRightArrow) uiFlags = (uiFlags & ~TPM_LEFTALIGN) | TPM_RIGHTALIGN;
    m_nMenuResult = ::TrackPopupMenu(m_hMenu, uiFlags, point.x, point.y, 0, m_hWnd, nullptr);
  } else {
    m_nMenuResult = (int)UfxContextMenuManager->TrackPopupMenu(m_hMenu, point.x, point.y, this,
                                                               m_bDefaultClick && !m_bRightArrow);
    if (::IsWindow(hwnd)) SetFocus();
  }
  if (!::IsWindow(hwnd)) return;
  if (m_nMenuResult != 0) {
    CWnd* pParent = GetParent();
    if (pParent != nullptr)
      pParent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED), (LPARAM)m_hWnd);
  }
  if (!::IsWindow(hwnd)) return;
  m_bPushed = FALSE;
  m_bHighlighted = FALSE;
  m_bMenuIsActive = FALSE;
  Invalidate();
  UpdateWindow();
  if (m_bCaptured) {
    m_bCaptured = FALSE;
    if (GetCapture() == this) ::ReleaseCapture();
  }
}

void CUfxMenuButton::OnDraw(CDC* pDC, const CRect& rect, UINT uiState) {
  const CSize sizeGlyph = CUfxMenuGlyphs::GetSize();
  CRect rectContent = rect;
  rectContent.right -= sizeGlyph.cx + 10;
  CUfxButton::OnDraw(pDC, rectContent, uiState);

  CString strText;
  GetWindowText(strText);
  const BOOL bContent = !strText.IsEmpty() || m_sizeImage != CSize(0, 0);
  CRect rectArrow = rect;
  if (bContent) rectArrow.left = rectContent.right;
  const BOOL bDisabled = (uiState & ODS_DISABLED) != 0;
  const int nGlyph = (m_bRightArrow ? kGlyphRight : kGlyphDown) + (bDisabled ? 1 : 0);
  const CPoint ptGlyph(rectArrow.left + (rectArrow.Width() - sizeGlyph.cx) / 2,
                       rectArrow.top + (rectArrow.Height() - sizeGlyph.cy) / 2);
  CUfxMenuGlyphs::Draw(pDC, nGlyph, ptGlyph);
}

void CUfxMenuButton::OnLButtonDown(UINT, CPoint) {
  SetFocus();
  OnShowMenu();
}

void CUfxMenuButton::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (nChar == VK_SPACE || nChar == VK_DOWN) {
    OnShowMenu();
    return;
  }
  Default();
}

UINT CUfxMenuButton::OnGetDlgCode() { return DLGC_WANTARROWS; }
