// The view base of both worksheet panes: one editing control filling the view, the standard
// edit commands with their updates, find and replace through the common find dialog, the
// control's notifications routed to virtual handlers, a colouring hook and the printing hooks.
#pragma once

#include "Framework.h"
#include "ScintillaWnd.h"

struct SCNotification;
class CPrintFormatter;  // lays out a pane on printed pages

// Command of the find-next menu item and key.
#define ID_EDIT_FIND_NEXT 22909
// Message shown when find-next finds nothing, and its caption (resource library strings).
#define IDS_FIND_NOT_FOUND 2023
#define IDS_FIND_NOT_FOUND_CAPTION 2024

class CScintillaColorerView : public CView {
  DECLARE_DYNCREATE(CScintillaColorerView)
public:
  CScintillaColorerView();
  ~CScintillaColorerView() override;

  virtual CPrintFormatter* CreatePrintFormatter(CPrintInfo* pInfo);
  virtual CScintillaWnd* GetEditor();
  virtual void ColourRange(int nStart, int nEnd);
  virtual void OnEditorChanged();
  virtual LRESULT OnFindReplaceMessage(WPARAM wParam, LPARAM lParam);
  virtual LRESULT OnEditorNotify(UINT nCode, SCNotification* pNotify);
  virtual void OnStyleNeeded(SCNotification* pNotify);
  virtual void OnEditFind();
  virtual void OnEditReplace();
  virtual void OnSize(UINT nType, int cx, int cy);
  virtual int OnCreate(LPCREATESTRUCT lpcs);
  virtual void OnEditCut();
  virtual void OnEditCopy();
  virtual void OnEditUndo();
  virtual void OnEditRedo();
  virtual void OnEditPaste();
  virtual void OnUpdateEditPaste(CCmdUI* pCmdUI);
  virtual void OnUpdateEditUndo(CCmdUI* pCmdUI);
  virtual void OnUpdateEditCopy(CCmdUI* pCmdUI);
  virtual void OnUpdateEditCut(CCmdUI* pCmdUI);
  virtual void OnUpdateEditRedo(CCmdUI* pCmdUI);
  virtual void OnUpdateEditFind(CCmdUI* pCmdUI);
  virtual void OnUpdateEditReplace(CCmdUI* pCmdUI);

  afx_msg void OnFindNext();
  afx_msg void OnUpdateFindNext(CCmdUI* pCmdUI);

  void OnDraw(CDC* pDC) override;
  void OnInitialUpdate() override;
  BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
  void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
  void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
  void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

  // The control's own read-only state, asked at the moment of the call.
  BOOL IsEditorReadOnly();
  // Set while this pane mirrors a zoom change to the other one (printing clears it meanwhile).
  BYTE& ZoomSyncFlag() { return m_bZoomSyncInProgress; }
  // The formatter of the print job under way, or null.
  CPrintFormatter* GetPrintFormatter() const { return m_pPrintFormatter; }
  CFindReplaceDialog* GetFindDialog() const { return m_pFindDialog; }
  const CString& GetFindText() const { return m_strFind; }
  const CString& GetReplaceText() const { return m_strReplace; }

protected:
  BYTE m_bInsertNoticesHeld;
  BYTE m_bDeleteNoticesHeld;
  CScintillaWnd m_wndEditor;
  BOOL m_bColouringEnabled;
  BYTE m_bZoomSyncInProgress;
  CFindReplaceDialog* m_pFindDialog;
  CString m_strFind;
  CString m_strReplace;
  CPrintFormatter* m_pPrintFormatter;

  // The document's first view of the given class (the other pane of the worksheet), or null.
  CView* FindDocumentView(CRuntimeClass* pClass) const;
  void OpenFindDialog(BOOL bFindOnly);
  void DeletePrintFormatter();
  // True when the selection is exactly one match of the find text under the current flags.
  BOOL SelectionMatchesFindText();

  DECLARE_MESSAGE_MAP()
};
