// Print preview: the DC that draws a printer page on the screen, the view that shows one or two
// pages in the frame's place, and what the frame puts away while the preview is up.
#pragma once
#include "FwFrame.h"

// Screen output with the printer as attribute DC: queries (device caps, text metrics) answer for
// the printer, and the page is drawn in printer device units scaled onto the screen rectangle.
class CPreviewDC : public CDC {
  DECLARE_DYNAMIC(CPreviewDC)
public:
  CPreviewDC() = default;
  ~CPreviewDC() override;
  // The printer DC answers the queries; the preview DC does not own it.
  void SetAttribDC(HDC hDC) override;
  void SetOutputDC(HDC hDC) override;
  void ReleaseOutputDC();
  // Maps the printer's page (0, 0, HORZRES, VERTRES) onto rcPage of the output and clips to it.
  void MapToPage(const CRect& rcPage);
  // The printer page's size in device units.
  CSize GetPrinterPageSize() const;
  // A printer rectangle on the screen page, and back.
  void PrinterDPtoScreenDP(LPPOINT lpPoint) const;
  CSize m_sizeWinExt;      // printer page
  CSize m_sizeVpExt;       // screen page
  CPoint m_ptVpOrg;
};

// What the frame put away for the preview and gets back when it closes.
struct CPrintPreviewState {
  CPrintPreviewState();
  UINT nIDMainPane;             // the pane the preview took the place of
  HMENU hMenu;                  // the frame's menu
  DWORD dwStates;               // the control bars that were visible (bit n: bar id first + n)
  CView* pViewActiveOld;
  BOOL (*lpfnCloseProc)(CFrameWnd* pFrameWnd);
  HACCEL hAccelTable;
  std::vector<HWND> hiddenBars;
};

class CPreviewView : public CView {
  DECLARE_DYNCREATE(CPreviewView)
public:
  enum { ZOOM_OUT = 0, ZOOM_MIDDLE = 1, ZOOM_IN = 2 };
  CPreviewView();
  ~CPreviewView() override;
  // Prepares the print job of pPrintView for the preview (its printer DC and page range).
  BOOL SetPrintView(CView* pPrintView);
  void SetCurrentPage(UINT nPage, BOOL bClearRatios);
  UINT GetCurrentPage() const { return m_nCurrentPage; }
  int GetPagesShown() const { return m_nPages; }
  int GetZoomState() const { return m_nZoomState; }
  // The screen rectangles of the pages shown, in client coordinates.
  const std::vector<CRect>& GetPageRects();
  CPrintInfo* GetPrintInfo() const { return m_pPreviewInfo; }
  CView* GetPrintView() const { return m_pPrintView; }

  void OnDraw(CDC* pDC) override;
  void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) override;

  afx_msg void OnPreviewClose();
  afx_msg void OnNumPageChange();
  afx_msg void OnNextPage();
  afx_msg void OnPrevPage();
  afx_msg void OnPreviewPrint();
  afx_msg void OnZoomIn();
  afx_msg void OnZoomOut();
  afx_msg void OnUpdateNumPageChange(CCmdUI* pCmdUI);
  afx_msg void OnUpdateNextPage(CCmdUI* pCmdUI);
  afx_msg void OnUpdatePrevPage(CCmdUI* pCmdUI);
  afx_msg void OnUpdateZoomIn(CCmdUI* pCmdUI);
  afx_msg void OnUpdateZoomOut(CCmdUI* pCmdUI);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);

  CPrintPreviewState* m_pPreviewState = nullptr;  // owned from DoPrintPreview on
  CView* m_pOrigView = nullptr;
  CView* m_pPrintView = nullptr;
  CPreviewDC* m_pPreviewDC = nullptr;
  CPrintInfo* m_pPreviewInfo = nullptr;
  CWnd* m_pToolBar = nullptr;
  UINT m_nIDToolBar = 0;
protected:
  // Draws one page: the white sheet, its shadow, and the print view's output on it.
  void DrawPage(CDC* pDC, UINT nPage, const CRect& rcPage);
  // The page description ("Page n" or "Pages n-m") of the pages shown.
  CString GetPageDescription() const;
  // Shows the page description in the frame's message bar.
  virtual void ShowPageDescription();
  void Layout();
  UINT m_nCurrentPage = 1;
  int m_nPages = 1;             // pages side by side when zoomed out
  int m_nZoomOutPages = 1;
  int m_nZoomState = ZOOM_OUT;
  std::vector<CRect> m_pageRects;
  DECLARE_MESSAGE_MAP()
  friend class CView;
};
