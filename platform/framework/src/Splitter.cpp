// CSplitterWnd: static panes laid out by rows and columns, with bars the user can drag.
#include "Framework.h"

IMPLEMENT_DYNAMIC(CSplitterWnd, CWnd)

BEGIN_MESSAGE_MAP(CSplitterWnd, CWnd)
  ON_WM_SIZE()
  ON_WM_PAINT()
  ON_WM_SETCURSOR()
  ON_WM_LBUTTONDOWN()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONUP()
  ON_WM_CANCELMODE()
END_MESSAGE_MAP()

CSplitterWnd::CSplitterWnd() = default;

BOOL CSplitterWnd::PreCreateWindow(CREATESTRUCT& cs) {
  if (cs.lpszClass == nullptr)
    cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1));
  return TRUE;
}

BOOL CSplitterWnd::CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle, UINT nID) {
  if (nRows < 1 || nCols < 1 || nRows > 16 || nCols > 16 || pParentWnd == nullptr) return FALSE;
  m_nRows = nRows;
  m_nCols = nCols;
  m_rowInfo.assign((size_t)nRows, CRowColInfo{0, 0, 0});
  m_colInfo.assign((size_t)nCols, CRowColInfo{0, 0, 0});
  CRect rect;
  pParentWnd->GetClientRect(&rect);
  return CreateEx(0, nullptr, nullptr, dwStyle | WS_CHILD | WS_CLIPCHILDREN, rect, pParentWnd, nID);
}

BOOL CSplitterWnd::CreateView(int row, int col, CRuntimeClass* pViewClass, SIZE sizeInit, CCreateContext* pContext) {
  if (row < 0 || row >= m_nRows || col < 0 || col >= m_nCols || pViewClass == nullptr) return FALSE;
  if (GetDlgItem(IdFromRowCol(row, col)) != nullptr) return FALSE;  // pane already made
  m_colInfo[(size_t)col].nIdealSize = sizeInit.cx;
  m_rowInfo[(size_t)row].nIdealSize = sizeInit.cy;
  CWnd* pWnd = (CWnd*)pViewClass->CreateObject();
  if (pWnd == nullptr) return FALSE;
  DWORD dwStyle = AFX_WS_DEFAULT_VIEW & ~WS_BORDER;
  CRect rect(CPoint(0, 0), sizeInit);
  if (!pWnd->Create(nullptr, nullptr, dwStyle, rect, this, (UINT)IdFromRowCol(row, col), pContext))
    return FALSE;  // the view cleans itself up
  RecalcLayout();
  return TRUE;
}

void CSplitterWnd::GetRowInfo(int row, int& cyCur, int& cyMin) const {
  cyCur = m_rowInfo[(size_t)row].nCurSize;
  cyMin = m_rowInfo[(size_t)row].nMinSize;
}

void CSplitterWnd::SetRowInfo(int row, int cyIdeal, int cyMin) {
  m_rowInfo[(size_t)row].nIdealSize = cyIdeal;
  m_rowInfo[(size_t)row].nMinSize = cyMin;
}

void CSplitterWnd::GetColumnInfo(int col, int& cxCur, int& cxMin) const {
  cxCur = m_colInfo[(size_t)col].nCurSize;
  cxMin = m_colInfo[(size_t)col].nMinSize;
}

void CSplitterWnd::SetColumnInfo(int col, int cxIdeal, int cxMin) {
  m_colInfo[(size_t)col].nIdealSize = cxIdeal;
  m_colInfo[(size_t)col].nMinSize = cxMin;
}

CWnd* CSplitterWnd::GetPane(int row, int col) const {
  if (row < 0 || row >= m_nRows || col < 0 || col >= m_nCols) return nullptr;
  return FromHandlePermanent(::GetDlgItem(m_hWnd, IdFromRowCol(row, col)));
}

BOOL CSplitterWnd::IsChildPane(CWnd* pWnd, int* pRow, int* pCol) {
  if (pWnd == nullptr || ::GetParent(pWnd->m_hWnd) != m_hWnd) return FALSE;
  int id = pWnd->GetDlgCtrlID() - AFX_IDW_PANE_FIRST;
  if (id < 0 || id / 16 >= m_nRows || id % 16 >= m_nCols) return FALSE;
  if (pRow) *pRow = id / 16;
  if (pCol) *pCol = id % 16;
  return TRUE;
}

// Sizes along one direction: ideal sizes first, the last pane takes what is left.
static void LayoutRowCol(std::vector<CSplitterWnd::CRowColInfo>& info, int nSize, int nGap) {
  int left = nSize;
  size_t n = info.size();
  for (size_t i = 0; i < n; ++i) {
    int want = info[i].nIdealSize;
    if (i == n - 1) want = left;
    if (want > left) want = left;
    if (want < 0) want = 0;
    if (i != n - 1 && want < info[i].nMinSize) want = 0;  // too small to show
    info[i].nCurSize = want;
    left -= want;
    if (i != n - 1) left -= nGap;
    if (left < 0) left = 0;
  }
}

void CSplitterWnd::RecalcLayout() {
  if (m_hWnd == nullptr || m_nRows == 0) return;
  CRect client;
  GetClientRect(&client);
  LayoutRowCol(m_colInfo, client.Width(), m_cxSplitter);
  LayoutRowCol(m_rowInfo, client.Height(), m_cySplitter);
  HDWP hDWP = ::BeginDeferWindowPos(m_nRows * m_nCols);
  int y = 0;
  for (int row = 0; row < m_nRows; ++row) {
    int x = 0;
    int cy = m_rowInfo[(size_t)row].nCurSize;
    for (int col = 0; col < m_nCols; ++col) {
      int cx = m_colInfo[(size_t)col].nCurSize;
      HWND hPane = ::GetDlgItem(m_hWnd, IdFromRowCol(row, col));
      if (hPane != nullptr) {
        // Room for the sunken border the splitter draws around each pane.
        int px = x + m_cxBorder, py = y + m_cyBorder;
        int pw = cx - 2 * m_cxBorder, ph = cy - 2 * m_cyBorder;
        if (pw < 0) pw = 0;
        if (ph < 0) ph = 0;
        hDWP = ::DeferWindowPos(hDWP, hPane, nullptr, px, py, pw, ph, SWP_NOZORDER | SWP_NOACTIVATE);
      }
      x += cx + m_cxSplitter;
    }
    y += cy + m_cySplitter;
  }
  ::EndDeferWindowPos(hDWP);
  Invalidate();
}

void CSplitterWnd::OnSize(UINT nType, int cx, int cy) {
  if (nType != SIZE_MINIMIZED && cx > 0 && cy > 0) RecalcLayout();
  CWnd::OnSize(nType, cx, cy);
}

void CSplitterWnd::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  dc.FillSolidRect(&client, ::GetSysColor(COLOR_BTNFACE));
  int y = 0;
  for (int row = 0; row < m_nRows; ++row) {
    int x = 0;
    for (int col = 0; col < m_nCols; ++col) {
      CRect pane(x, y, x + m_colInfo[(size_t)col].nCurSize, y + m_rowInfo[(size_t)row].nCurSize);
      if (!pane.IsRectEmpty()) dc.DrawEdge(&pane, EDGE_SUNKEN, BF_RECT);
      x += m_colInfo[(size_t)col].nCurSize + m_cxSplitter;
    }
    y += m_rowInfo[(size_t)row].nCurSize + m_cySplitter;
  }
}

int CSplitterWnd::HitTestBar(CPoint pt) const {
  int x = 0;
  for (int col = 0; col < m_nCols - 1; ++col) {
    x += m_colInfo[(size_t)col].nCurSize;
    if (pt.x >= x && pt.x < x + m_cxSplitter) return 1 + col;
    x += m_cxSplitter;
  }
  int y = 0;
  for (int row = 0; row < m_nRows - 1; ++row) {
    y += m_rowInfo[(size_t)row].nCurSize;
    if (pt.y >= y && pt.y < y + m_cySplitter) return 101 + row;
    y += m_cySplitter;
  }
  return 0;
}

BOOL CSplitterWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  if (nHitTest == HTCLIENT && pWnd == this) {
    CPoint pt;
    ::GetCursorPos(&pt);
    ScreenToClient(&pt);
    int hit = m_nTracking ? m_nTracking : HitTestBar(pt);
    if (hit != 0) {
      ::SetCursor(::LoadCursorW(nullptr, hit < 100 ? IDC_SIZEWE : IDC_SIZENS));
      return TRUE;
    }
  }
  return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

void CSplitterWnd::OnLButtonDown(UINT, CPoint pt) {
  int hit = HitTestBar(pt);
  if (hit == 0) return;
  m_nTracking = hit;
  int start = 0;
  if (hit < 100) {
    for (int c = 0; c < hit - 1; ++c) start += m_colInfo[(size_t)c].nCurSize + m_cxSplitter;
    m_nTrackOffset = pt.x - start - m_colInfo[(size_t)hit - 1].nCurSize;
  } else {
    for (int r = 0; r < hit - 101; ++r) start += m_rowInfo[(size_t)r].nCurSize + m_cySplitter;
    m_nTrackOffset = pt.y - start - m_rowInfo[(size_t)hit - 101].nCurSize;
  }
  SetCapture();
}

void CSplitterWnd::OnMouseMove(UINT, CPoint pt) {
  if (m_nTracking == 0) return;
  // Moving a bar changes the ideal size of the pane before it.
  if (m_nTracking < 100) {
    int col = m_nTracking - 1, start = 0;
    for (int c = 0; c < col; ++c) start += m_colInfo[(size_t)c].nCurSize + m_cxSplitter;
    int size = pt.x - m_nTrackOffset - start;
    m_colInfo[(size_t)col].nIdealSize = size < 0 ? 0 : size;
  } else {
    int row = m_nTracking - 101, start = 0;
    for (int r = 0; r < row; ++r) start += m_rowInfo[(size_t)r].nCurSize + m_cySplitter;
    int size = pt.y - m_nTrackOffset - start;
    m_rowInfo[(size_t)row].nIdealSize = size < 0 ? 0 : size;
  }
  RecalcLayout();
}

void CSplitterWnd::OnLButtonUp(UINT, CPoint) {
  if (m_nTracking == 0) return;
  m_nTracking = 0;
  ::ReleaseCapture();
}

void CSplitterWnd::OnCancelMode() {
  CWnd::OnCancelMode();
  if (m_nTracking != 0) {
    m_nTracking = 0;
    ::ReleaseCapture();
  }
}

CWnd* CSplitterWnd::GetActivePane(int* pRow, int* pCol) {
  CFrameWnd* pFrame = GetParentFrame();
  CWnd* pView = pFrame ? (CWnd*)pFrame->GetActiveView() : FromHandle(::GetFocus());
  if (pView != nullptr && IsChildPane(pView, pRow, pCol)) return pView;
  return nullptr;
}

void CSplitterWnd::SetActivePane(int row, int col, CWnd* pWnd) {
  CWnd* pPane = pWnd ? pWnd : GetPane(row, col);
  if (pPane == nullptr) return;
  CFrameWnd* pFrame = GetParentFrame();
  if (pFrame != nullptr && pPane->IsKindOf(RUNTIME_CLASS(CView))) pFrame->SetActiveView((CView*)pPane);
  else pPane->SetFocus();
}

// Commands and notifications of the panes go on to the frame.
BOOL CSplitterWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (CWnd::OnCommand(wParam, lParam)) return TRUE;
  return (BOOL)::SendMessageW(::GetParent(m_hWnd), WM_COMMAND, wParam, lParam);
}

BOOL CSplitterWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (CWnd::OnNotify(wParam, lParam, pResult)) return TRUE;
  *pResult = ::SendMessageW(::GetParent(m_hWnd), WM_NOTIFY, wParam, lParam);
  return TRUE;
}
