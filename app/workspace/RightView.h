// CRightView: the results pane. A read-only editing control that shows the result of each
// expression line on the same line; the recalculation writes its text. Its settings commands,
// undo and its key filter belong to the expression pane (CLeftView) and are handed on to it;
// zoom changes are mirrored to the expression pane.
#pragma once

#include "ScintillaColorerView.h"

class CLeftView;

class CRightView : public CScintillaColorerView {
  DECLARE_DYNCREATE(CRightView)
public:
  CRightView();

  void OnEditorChanged() override;
  void OnEditCut() override;
  void OnEditCopy() override;
  void OnEditUndo() override;
  void OnEditRedo() override;
  void OnUpdateEditUndo(CCmdUI* pCmdUI) override;
  void OnUpdateEditRedo(CCmdUI* pCmdUI) override;
  LRESULT OnEditorNotify(UINT nCode, SCNotification* pNotify) override;
  void OnInitialUpdate() override;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

  // The first view of the document that is an expression pane, looked up at each call.
  CLeftView* GetExpressionPane() const;

  IEditorKeyFilter* GetKeyFilter() { return &m_xKeyFilter; }
  BOOL IsZoomSyncInProgress() const { return m_bZoomSyncInProgress; }

  afx_msg void OnEditSelectAll();
  afx_msg void OnUpdateDisabled(CCmdUI* pCmdUI);
  afx_msg void OnEditPasteNothing();
  afx_msg void OnFilePrintPreview();

protected:
  // Hands every call to the expression pane's faces.
  class XKeyFilter : public IEditorKeyFilter {
  public:
    explicit XKeyFilter(CRightView* view) : m_pView(view) {}
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override { return 1; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    LONG STDMETHODCALLTYPE FilterMessage(MSG* pMsg) override;

  private:
    CRightView* m_pView;
  };

  XKeyFilter m_xKeyFilter;

  DECLARE_MESSAGE_MAP()
};
