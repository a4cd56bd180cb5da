#include "FrameSplitterWnd.h"

#include "frames/UfxGlobalData.h"

IMPLEMENT_DYNAMIC(CFrameSplitterWnd, CSplitterWnd)

BEGIN_MESSAGE_MAP(CFrameSplitterWnd, CSplitterWnd)
  ON_WM_PAINT()
END_MESSAGE_MAP()

void CFrameSplitterWnd::OnPaint() {
  // The panes cover everything but the bars and the borders around the panes: those are
  // what is left of the client area.
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  CRgn rest;
  rest.CreateRectRgnIndirect(&client);
  for (int row = 0; row < m_nRows; ++row) {
    for (int col = 0; col < m_nCols; ++col) {
      CWnd* pane = GetPane(row, col);
      if (pane == nullptr || pane->GetSafeHwnd() == nullptr) continue;
      CRect rect;
      pane->GetWindowRect(&rect);
      ScreenToClient(&rect);
      CRgn paneRgn;
      paneRgn.CreateRectRgnIndirect(&rect);
      rest.CombineRgn(&rest, &paneRgn, RGN_DIFF);
    }
  }
  dc.FillRgn(&rest, &UfxGlobalData.brBarFace);
}
