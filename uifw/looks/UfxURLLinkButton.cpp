#include "looks/UfxURLLinkButton.h"
#include "frames/UfxGlobalData.h"

IMPLEMENT_DYNAMIC(CUfxURLLinkButton, CUfxButton)

CUfxURLLinkButton::PFN_SHELLEXECUTE CUfxURLLinkButton::s_pfnShellExecute = ::ShellExecuteW;

BEGIN_MESSAGE_MAP(CUfxURLLinkButton, CUfxButton)
  ON_CONTROL_REFLECT(BN_CLICKED, OnClicked)
END_MESSAGE_MAP()

CUfxURLLinkButton::CUfxURLLinkButton() {
  m_clrRegular = UfxGlobalData.clrHilite;
  m_clrHover = UfxGlobalData.clrHotLinkText;
  SetMouseCursorHand();
}

CUfxURLLinkButton::~CUfxURLLinkButton() = default;

CString CUfxURLLinkButton::GetLinkTarget() const {
  CString strTarget = m_strURL;
  if (strTarget.IsEmpty() && GetSafeHwnd() != nullptr) GetWindowText(strTarget);
  return m_strPrefix + strTarget;
}

void CUfxURLLinkButton::OnClicked() {
  if (!IsWindowEnabled()) return;
  const HCURSOR hOld = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
  const CString strTarget = GetLinkTarget();
  // A hidden window (show command 0) would be no use to the user: the target opens normally.
  const HINSTANCE hResult = s_pfnShellExecute(nullptr, nullptr, strTarget, nullptr, nullptr, SW_SHOWNORMAL);
  if ((INT_PTR)hResult <= 32) ::MessageBeep((UINT)-1);
  ::SetCursor(hOld);
  m_bHighlighted = FALSE;
  Invalidate();
  UpdateWindow();
}

BOOL CUfxURLLinkButton::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->hwnd == m_hWnd) {
    const UINT nKey = (UINT)pMsg->wParam;
    if (pMsg->message == WM_KEYDOWN && (nKey == VK_SPACE || nKey == VK_RETURN)) return TRUE;
    if (pMsg->message == WM_KEYUP && nKey == VK_SPACE) return TRUE;
    if (pMsg->message == WM_KEYUP && nKey == VK_RETURN) {
      OnClicked();
      return TRUE;
    }
  }
  return CUfxButton::PreTranslateMessage(pMsg);
}

void CUfxURLLinkButton::OnDrawFocusRect(CDC* pDC, const CRect& rectClient) {
  CRect rect = rectClient;
  pDC->DrawFocusRect(rect);
}

void CUfxURLLinkButton::OnDraw(CDC* pDC, const CRect& rect, UINT uiState) {
  CString strText;
  GetWindowText(strText);
  CFont* pOldFont = pDC->SelectObject(&UfxGlobalData.fontUnderline);
  pDC->SetBkMode(TRANSPARENT);
  COLORREF clr = m_bHighlighted ? m_clrHover : m_clrRegular;
  if (clr == (COLORREF)-1) clr = UfxGlobalData.clrBtnText;
  pDC->SetTextColor(clr);
  CRect rectText = rect;
  pDC->DrawText(strText, rectText, DT_SINGLELINE);
  pDC->SelectObject(pOldFont);
}

CSize CUfxURLLinkButton::SizeToContent(BOOL bVCenter, BOOL bHCenter) {
  if (m_sizeImage != CSize(0, 0)) return CUfxButton::SizeToContent();
  CString strText;
  GetWindowText(strText);
  CRect rectText(0, 0, 0, 0);
  {
    CClientDC dc(this);
    CFont* pOldFont = dc.SelectObject(&UfxGlobalData.fontUnderline);
    dc.DrawText(strText, rectText, DT_SINGLELINE | DT_CALCRECT);
    dc.SelectObject(pOldFont);
  }
  rectText.InflateRect(3, 3);
  const CSize size = rectText.Size();
  CRect rectWindow;
  GetWindowRect(rectWindow);
  if (GetParent() != nullptr) GetParent()->ScreenToClient(rectWindow);
  CPoint ptNew = rectWindow.TopLeft();
  if (bHCenter) ptNew.x = rectWindow.CenterPoint().x - size.cx / 2;
  if (bVCenter) ptNew.y = rectWindow.CenterPoint().y - size.cy / 2;
  UINT uiFlags = SWP_NOZORDER | SWP_NOACTIVATE;
  if (!bVCenter && !bHCenter) uiFlags |= SWP_NOMOVE;
  SetWindowPos(nullptr, ptNew.x, ptNew.y, size.cx, size.cy, uiFlags);
  return size;
}
