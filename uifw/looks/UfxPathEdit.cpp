#include "looks/UfxPathEdit.h"
#include "looks/UfxEditListBase.h"
#include "frames/UfxGlobalData.h"

IMPLEMENT_DYNAMIC(CUfxPathEdit, CEdit)

namespace {
const LRESULT kHitBrowse = HTCAPTION + 100;
}

BEGIN_MESSAGE_MAP(CUfxPathEdit, CEdit)
  ON_WM_NCCALCSIZE()
  ON_WM_NCPAINT()
  ON_WM_NCHITTEST()
  ON_WM_NCLBUTTONDOWN()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONUP()
  ON_WM_CANCELMODE()
  ON_WM_WINDOWPOSCHANGING()
END_MESSAGE_MAP()

CUfxPathEdit::CUfxPathEdit() = default;

CUfxPathEdit::~CUfxPathEdit() = default;

void CUfxPathEdit::EnableBrowseButton(BOOL bEnable) {
  m_bBrowseButton = bEnable;
  if (GetSafeHwnd() != nullptr)
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

CRect CUfxPathEdit::GetBrowseRectInWindow() const {
  if (!m_bBrowseButton || GetSafeHwnd() == nullptr) return CRect(0, 0, 0, 0);
  CRect rectWindow;
  GetWindowRect(rectWindow);
  CRect rect = m_rectBtn;
  rect.OffsetRect(-rectWindow.left, -rectWindow.top);
  return rect;
}

void CUfxPathEdit::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp) {
  Default();
  if (!m_bBrowseButton) return;
  RECT& rc = lpncsp->rgrc[0];
  rc.right -= kBrowseWidth;
  m_rectBtn = CRect(rc.right, rc.top, rc.right + kBrowseWidth, rc.bottom);
  if (GetParent() != nullptr && (GetStyle() & WS_CHILD)) GetParent()->ClientToScreen(m_rectBtn);
}

void CUfxPathEdit::DrawBrowseButton() {
  if (!m_bBrowseButton) return;
  CWindowDC dc(this);
  const CRect rect = GetBrowseRectInWindow();
  if (m_pOwner != nullptr) m_pOwner->OnDrawBrowseButton(&dc, rect, m_bIsButtonPressed, FALSE);
  else dc.FillRect(rect, &UfxGlobalData.brBtnFace);
}

void CUfxPathEdit::OnNcPaint() {
  Default();
  DrawBrowseButton();
}

LRESULT CUfxPathEdit::OnNcHitTest(CPoint point) {
  if (m_bBrowseButton && m_rectBtn.PtInRect(point)) return kHitBrowse;
  return Default();
}

void CUfxPathEdit::OnNcLButtonDown(UINT nHitTest, CPoint point) {
  if (!m_bBrowseButton || (LRESULT)nHitTest != kHitBrowse) {
    Default();
    return;
  }
  SetFocus();
  SetCapture();
  m_bIsButtonCaptured = TRUE;
  m_bIsButtonPressed = TRUE;
  DrawBrowseButton();
}

void CUfxPathEdit::OnMouseMove(UINT nFlags, CPoint point) {
  if (!m_bIsButtonCaptured) {
    Default();
    return;
  }
  ClientToScreen(&point);
  const BOOL bPressed = m_rectBtn.PtInRect(point);
  if (bPressed != m_bIsButtonPressed) {
    m_bIsButtonPressed = bPressed;
    DrawBrowseButton();
  }
}

void CUfxPathEdit::OnLButtonUp(UINT nFlags, CPoint point) {
  if (!m_bIsButtonCaptured) {
    Default();
    return;
  }
  ::ReleaseCapture();
  m_bIsButtonCaptured = FALSE;
  m_bIsButtonPressed = FALSE;
  DrawBrowseButton();
  ClientToScreen(&point);
  if (m_rectBtn.PtInRect(point) && m_pOwner != nullptr) m_pOwner->OnBrowse();
}

void CUfxPathEdit::OnCancelMode() {
  Default();
  if (m_bIsButtonCaptured) {
    ::ReleaseCapture();
    m_bIsButtonCaptured = FALSE;
    m_bIsButtonPressed = FALSE;
    DrawBrowseButton();
  }
}

void CUfxPathEdit::OnWindowPosChanging(WINDOWPOS* lpwndpos) {
  if (m_bIsFrozen) lpwndpos->flags |= SWP_NOSIZE | SWP_NOMOVE;
  Default();
}
