#include "frames/UfxBarDockContext.h"

CUfxBarDockContext::CUfxBarDockContext(CControlBar* pBar) : CDockContext(pBar) {}

CUfxBarDockContext::~CUfxBarDockContext() = default;

void CUfxBarDockContext::StartResize(int nHitTest, CPoint pt) {
  m_bResizeCommitted = FALSE;
  const CRect rectBar = BeginLoop(FALSE, pt);
  m_nHitTest = nHitTest;

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
  // A drag on the left, top or top-left border keeps the bottom-right corner; the other borders
  // keep the corner opposite them.
  const CSize size = StretchedSize(pt);
  const bool bKeepRight = HitsLeft(m_nHitTest) || m_nHitTest == HTTOP;
  const bool bKeepBottom = HitsTop(m_nHitTest) || m_nHitTest == HTLEFT;
  PlaceStretchedFrame(size, bKeepRight, bKeepBottom, pt);
}
