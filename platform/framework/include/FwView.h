// CView: a child window that shows a document, and the print job record it works with.
#pragma once
#include "FwDocument.h"
#include "FwGdi.h"

class CPrintDialog;
class CPreviewView;
class CView;
struct CPrintPreviewState;

struct CPrintInfo {
  CPrintInfo();
  ~CPrintInfo();
  CPrintDialog* m_pPD;
  BOOL m_bDirect;          // print without the dialog
  BOOL m_bPreview;
  BOOL m_bContinuePrinting;
  UINT m_nCurPage;
  UINT m_nNumPreviewPages;
  CString m_strPageDesc;     // the preview's "Page %u" and "Pages %u-%u", split by a line feed
  LPVOID m_lpUserData;
  CRect m_rectDraw;
  void SetMinPage(UINT nMinPage);
  void SetMaxPage(UINT nMaxPage);
  UINT GetMinPage() const;
  UINT GetMaxPage() const;
  UINT GetFromPage() const;
  UINT GetToPage() const;
  UINT GetOffsetPage() const { return m_nOffsetPage; }
  UINT m_nOffsetPage;
};

class CView : public CWnd {
  DECLARE_DYNAMIC(CView)
public:
  CView() = default;
  ~CView() override;
  CDocument* GetDocument() const { return m_pDocument; }

  virtual void OnDraw(CDC* pDC) = 0;
  virtual void OnInitialUpdate();
  virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
  virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
  virtual void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd) {}
  virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr);
  virtual BOOL OnPreparePrinting(CPrintInfo* pInfo) { return DoPreparePrinting(pInfo); }
  virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) {}
  virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo) { OnDraw(pDC); }
  virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) {}
  // Shows the print dialog (unless printing directly) and creates the printer DC.
  BOOL DoPreparePrinting(CPrintInfo* pInfo);
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  void PostNcDestroy() override;
  // Shows the preview of pPrintView's pages in a view of pPreviewViewClass in place of the frame's
  // pane (the frame puts its bars, menu and accelerators away into pState, which the preview
  // owns from then on). The print job is prepared first, with the frame untouched; when there is
  // none (no printer: the user has been told) this view's OnEndPrintPreview runs without a
  // preview view, pState is deleted and the answer is TRUE too.
  // FALSE leaves everything as it was and pState the caller's.
  BOOL DoPrintPreview(UINT nIDResource, CView* pPrintView, CRuntimeClass* pPreviewViewClass, CPrintPreviewState* pState);
  // Ends the preview: the job's end, the preview view closed, the frame given back its things.
  virtual void OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT point, CPreviewView* pPreview);

  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  afx_msg void OnDestroy();
  afx_msg void OnPaint();
  afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
  afx_msg LRESULT OnInitialUpdateMessage(WPARAM, LPARAM);
  afx_msg void OnFilePrint();
  afx_msg void OnFilePrintPreview();

  CDocument* m_pDocument = nullptr;
protected:
  DECLARE_MESSAGE_MAP()
  friend class CDocument;
};
