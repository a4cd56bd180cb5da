// CSplitterWnd: a static grid of panes (views) with draggable splitter bars.
#pragma once
#include "FwFrame.h"
#include <vector>

class CSplitterWnd : public CWnd {
  DECLARE_DYNAMIC(CSplitterWnd)
public:
  CSplitterWnd();
  ~CSplitterWnd() override = default;
  // A grid of nRows x nCols panes, made one by one with CreateView.
  virtual BOOL CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle = WS_CHILD | WS_VISIBLE,
                            UINT nID = AFX_IDW_PANE_FIRST);
  virtual BOOL CreateView(int row, int col, CRuntimeClass* pViewClass, SIZE sizeInit, CCreateContext* pContext);
  int GetRowCount() const { return m_nRows; }
  int GetColumnCount() const { return m_nCols; }
  void GetRowInfo(int row, int& cyCur, int& cyMin) const;
  void SetRowInfo(int row, int cyIdeal, int cyMin);
  void GetColumnInfo(int col, int& cxCur, int& cxMin) const;
  void SetColumnInfo(int col, int cxIdeal, int cxMin);
  CWnd* GetPane(int row, int col) const;
  BOOL IsChildPane(CWnd* pWnd, int* pRow, int* pCol);
  int IdFromRowCol(int row, int col) const { return AFX_IDW_PANE_FIRST + row * 16 + col; }
  virtual void RecalcLayout();
  virtual CWnd* GetActivePane(int* pRow = nullptr, int* pCol = nullptr);
  virtual void SetActivePane(int row, int col, CWnd* pWnd = nullptr);
  CFrameWnd* GetParentFrame() const { return CWnd::GetParentFrame(); }

  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;

  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnPaint();
  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint pt);
  afx_msg void OnMouseMove(UINT nFlags, CPoint pt);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint pt);
  afx_msg void OnCancelMode();

  struct CRowColInfo {
    int nMinSize;
    int nIdealSize;
    int nCurSize;
  };
  int m_nRows = 0, m_nCols = 0;
  std::vector<CRowColInfo> m_rowInfo, m_colInfo;
  int m_cxSplitter = 7, m_cySplitter = 7;   // width of a bar
  int m_cxBorder = 2, m_cyBorder = 2;       // pane border drawn by the splitter
protected:
  // Hit test of the bars: 1 + column index for vertical bars, 101 + row index for horizontal ones, 0 elsewhere.
  int HitTestBar(CPoint pt) const;
  int m_nTracking = 0;
  int m_nTrackOffset = 0;
  DECLARE_MESSAGE_MAP()
};
