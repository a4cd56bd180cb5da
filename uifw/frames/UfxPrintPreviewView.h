// CUfxPrintPreviewView: the framework's print preview. A framework toolbar is laid over the
// preview's dialog bar, its page-count button shows the one- or two-page image as the preview
// stands, and the page number goes to the frame's status bar. UfxPrintPreview starts a preview
// of a view with this class.
#pragma once
#include "Framework.h"
#include "FwPreview.h"
#include "frames/UfxPrintPreviewToolBar.h"

class CUfxPrintPreviewView : public CPreviewView {
  DECLARE_DYNCREATE(CUfxPrintPreviewView)
public:
  CUfxPrintPreviewView();
  ~CUfxPrintPreviewView() override;

  CUfxPrintPreviewToolBar* GetToolBar() { return &m_wndToolBar; }

protected:
  void ShowPageDescription() override;
  // The toolbar over the dialog bar, the bar as high as the toolbar.
  void LayoutToolBar();
  void CreateToolBar();
  // An MFC status bar shows the page number in its simple pane for as long as the preview lasts.
  void TakeStatusBar();
  void GiveBackStatusBar();

  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnDestroy();
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnUpdatePreviewNumPage(CCmdUI* pCmdUI);

  // Fields, in this order.
  CUfxPrintPreviewToolBar m_wndToolBar;
  int m_iOnePageImageIndex = -1;
  int m_iTwoPageImageIndex = -1;
  int m_iPagesBtnIndex = -1;
  CStatusBar* m_pWndStatusBar = nullptr;
  int m_nSimpleType = 0;
  BOOL m_bIsStatusBarSimple = FALSE;
  BOOL m_bInLayout = FALSE;
  DECLARE_MESSAGE_MAP()
};

// Shows the print preview of the view with the framework's preview view; on failure the user
// is told and the view stays as it was. FALSE when the preview did not start.
BOOL UfxPrintPreview(CView* pView);
