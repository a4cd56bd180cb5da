#include "UfxBarDockContext.h"

namespace {
// A mouse message's point on the screen (posted messages carry it only in lParam).
CPoint MessagePoint(const MSG& msg) {
  CPoint pt((short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam));
  ::ClientToScreen(msg.hwnd, &pt);
  return pt;
}
}  // namespace

CUfxBarDockContext::CUfxBarDockContext(CControlBar* pBar) : CDockContext(pBar) {}

CUfxBarDockContext::~CUfxBarDockContext() = default;

void CUfxBarDockContext::StartResize(int nHitTest, CPoint pt) {
  m_bDragging = FALSE;
  m_bResizeCommitted = FALSE;
  InitLoop();
  CRect rectBar;
  m_pBar->GetWindowRect(&rectBar);
  m_nHitTest = nHitTest;
  m_ptLast = pt;
  m_ptOrigin = pt;

  const CSize size = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH);
  m_rectDragHorz = CRect(rectBar.TopLeft(), size);
  m_rectDragVert = m_rectDragHorz;
  // The frame around the bar: the floating frame the bar is in, measured; else what a captioned
  // sizing frame adds to it.
  CFrameWnd* pFrame = m_pBar->GetParentFrame();
  if (pFrame != nullptr && pFrame != m_pDockSite && m_pBar->IsFloating()) {
    CRect rectFrame;
    pFrame->GetWindowRect(&rectFrame);
    m_rectFrameDragHorz = CRect(rectFrame.TopLeft(), rectFrame.Size() - rectBar.Size() + size);
  } else {
    m_rectFrameDragHorz = m_rectDragHorz;
    ::AdjustWindowRectEx(&m_rectFrameDragHorz, WS_CAPTION | WS_THICKFRAME, FALSE, 0);
    m_rectFrameDragHorz.InflateRect(-2 * ::GetSystemMetrics(SM_CXBORDER), -2 * ::GetSystemMetrics(SM_CYBORDER));
  }
  m_rectFrameDragVert = CRect(0, 0, m_rectFrameDragHorz.Width() - m_rectDragHorz.Width(),
                              m_rectFrameDragHorz.Height() - m_rectDragHorz.Height());
  m_dwOverDockStyle = 0;
  Stretch(pt);
  m_bResizeCommitted = Track();
}

void CUfxBarDockContext::Stretch(CPoint pt) {
  const CPoint offset = pt - m_ptLast;
  const int nHit = m_nHitTest;
  const bool bLeft = nHit == HTLEFT || nHit == HTTOPLEFT || nHit == HTBOTTOMLEFT;
  const bool bRight = nHit == HTRIGHT || nHit == HTTOPRIGHT || nHit == HTBOTTOMRIGHT;
  const bool bTop = nHit == HTTOP || nHit == HTTOPLEFT || nHit == HTTOPRIGHT;
  const bool bBottom = nHit == HTBOTTOM || nHit == HTBOTTOMLEFT || nHit == HTBOTTOMRIGHT;
  CSize size = m_rectDragVert.Size();
  if (bLeft || bRight) {
    if (bLeft) m_rectDragHorz.left += offset.x;
    else m_rectDragHorz.right += offset.x;
    size = m_pBar->CalcDynamicLayout(m_rectDragHorz.Width(), LM_HORZ);
  }
  if (bTop || bBottom) {
    if (bTop) m_rectDragHorz.top += offset.y;
    else m_rectDragHorz.bottom += offset.y;
    size = m_pBar->CalcDynamicLayout(m_rectDragHorz.Height(), LM_HORZ | LM_LENGTHY);
  }
  const CSize extra = m_rectFrameDragVert.Size();
  const CSize sizeFrame = size + extra;
  CRect rectNew = m_rectFrameDragHorz;
  switch (nHit) {
    case HTLEFT:
    case HTTOP:
    case HTTOPLEFT:  // the bottom-right corner stays
      rectNew.left = rectNew.right - sizeFrame.cx;
      rectNew.top = rectNew.bottom - sizeFrame.cy;
      break;
    case HTTOPRIGHT:  // the bottom-left corner stays
      rectNew.right = rectNew.left + sizeFrame.cx;
      rectNew.top = rectNew.bottom - sizeFrame.cy;
      break;
    case HTBOTTOMLEFT:  // the top-right corner stays
      rectNew.left = rectNew.right - sizeFrame.cx;
      rectNew.bottom = rectNew.top + sizeFrame.cy;
      break;
    default:  // the top-left corner stays
      rectNew.right = rectNew.left + sizeFrame.cx;
      rectNew.bottom = rectNew.top + sizeFrame.cy;
      break;
  }
  CRect rectDesktop, rectHit;
  ::GetWindowRect(::GetDesktopWindow(), &rectDesktop);
  if (rectHit.IntersectRect(rectDesktop, rectNew)) {
    m_rectDragVert = CRect(rectNew.TopLeft(), size);
    m_rectFrameDragHorz = rectNew;
  }
  m_ptLast = pt;
  DrawFocusRect(FALSE);
}

BOOL CUfxBarDockContext::Track() {
  if (::GetCapture() != nullptr) {
    CancelLoop();
    return FALSE;
  }
  m_pBar->SetCapture();
  m_bTracking = TRUE;
  while (::GetCapture() == m_pBar->m_hWnd) {
    MSG msg;
    if (!::GetMessageW(&msg, nullptr, 0, 0)) {
      ::PostQuitMessage((int)msg.wParam);  // the program's own loop ends too
      break;
    }
    switch (msg.message) {
      case WM_KEYDOWN:
        if (m_bDragging) OnKey((int)msg.wParam, TRUE);
        if (msg.wParam == VK_ESCAPE) {
          CancelLoop();
          return FALSE;
        }
        break;
      case WM_KEYUP:
        if (m_bDragging) OnKey((int)msg.wParam, FALSE);
        break;
      case WM_MOUSEMOVE:
        if (m_bDragging) Move(MessagePoint(msg));
        else Stretch(MessagePoint(msg));
        break;
      case WM_LBUTTONUP:
        if (m_bDragging) EndDrag();
        else EndResize();
        return TRUE;
      case WM_RBUTTONDOWN:
        CancelLoop();
        return FALSE;
      default:
        ::DispatchMessageW(&msg);
        break;
    }
  }
  CancelLoop();
  return FALSE;
}
