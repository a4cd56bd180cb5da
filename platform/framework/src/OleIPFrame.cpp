// In-place frame bases: positioned and clipped by their (absent) container.
#include "Framework.h"
#include "FwOleIPFrame.h"

IMPLEMENT_DYNCREATE(COleIPFrameWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(COleDocIPFrameWnd, COleIPFrameWnd)

COleIPFrameWnd::COleIPFrameWnd() {
  m_rectPos.SetRectEmpty();
  m_rectClip.SetRectEmpty();
}

BOOL COleIPFrameWnd::OnCreateControlBars(CFrameWnd*, CFrameWnd*) { return TRUE; }

void COleIPFrameWnd::RepositionFrame(LPCRECT lpPosRect, LPCRECT lpClipRect) {
  m_rectPos = *lpPosRect;
  m_rectClip = *lpClipRect;
  // The window covers what is visible of the item; a region cuts it to the clip rectangle.
  CRect rectVisible;
  rectVisible.IntersectRect(m_rectPos, m_rectClip);
  SetWindowPos(nullptr, m_rectPos.left, m_rectPos.top, m_rectPos.Width(), m_rectPos.Height(),
               SWP_NOZORDER | SWP_NOACTIVATE);
  rectVisible.OffsetRect(-m_rectPos.left, -m_rectPos.top);
  ::SetWindowRgn(m_hWnd, ::CreateRectRgnIndirect(&rectVisible), TRUE);
}

COleDocIPFrameWnd::COleDocIPFrameWnd() = default;

COleClientItem* AfxGetInPlaceActiveItem(CWnd*) { return nullptr; }
