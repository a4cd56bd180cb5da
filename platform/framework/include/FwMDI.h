// Multiple documents: CMDIFrameWnd holds the MDI client area and routes to the active child;
// CMDIChildWnd is a document frame inside it, whose activation brings its template's shared
// menu and accelerators; CMultiDocTemplate opens each document in a new child frame.
#pragma once
#include "FwFrame.h"
#include "FwDocument.h"

class CMDIChildWnd;

class CMDIFrameWnd : public CFrameWnd {
  DECLARE_DYNCREATE(CMDIFrameWnd)
public:
  CMDIFrameWnd();
  // Creates the MDI client area; its window list goes into pWindowMenu.
  virtual BOOL CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu);
  // The popup of a menu bar that holds the window commands (ID_WINDOW_*), or null.
  virtual HMENU GetWindowMenuPopup(HMENU hMenuBar);
  CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = nullptr) const;
  void MDIActivate(CWnd* pWndActivate);
  void MDIMaximize(CWnd* pWnd);
  void MDIRestore(CWnd* pWnd);
  void MDINext();
  void MDIPrev();
  void MDICascade();
  void MDITile(int nType = MDITILE_VERTICAL);
  void MDIIconArrange();
  CMenu* MDISetMenu(CMenu* pFrameMenu, CMenu* pWindowMenu);

  BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
  // The client area steps aside for the preview; afterwards the active child's menu is merged again.
  void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) override;
  CFrameWnd* GetActiveFrame() override;
  void OnUpdateFrameMenu(HMENU hMenuAlt) override;
  void OnUpdateFrameTitle(BOOL bAddToTitle) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // The menu goes up at the next idle time (hMenuAlt, or the active child's).
  void DelayUpdateFrameMenu(HMENU hMenuAlt);

  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg BOOL OnMDIWindowCmd(UINT nID);
  afx_msg void OnUpdateMDIWindowCmd(CCmdUI* pCmdUI);
  afx_msg void OnWindowNew();

  HWND m_hWndMDIClient = nullptr;
  HMENU m_hMenuAlt = nullptr;  // menu an idle update puts up (null: the active child's)
protected:
  DECLARE_MESSAGE_MAP()
};

class CMDIChildWnd : public CFrameWnd {
  DECLARE_DYNCREATE(CMDIChildWnd)
public:
  CMDIChildWnd();
  ~CMDIChildWnd() override;
  // A child of pParentWnd's MDI client area (the main window's when null).
  virtual BOOL Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName,
                      DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, const RECT& rect = rectDefault,
                      CMDIFrameWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
  BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                 CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
  CMDIFrameWnd* GetMDIFrame() const;
  void MDIDestroy();
  void MDIActivate();
  void MDIMaximize();
  void MDIRestore();
  // Puts up this child's menu (its document's, else the template's shared one) when activated,
  // the frame's default menu when the last child goes.
  virtual void OnUpdateFrameMenu(BOOL bActive, CWnd* pActivateWnd, HMENU hMenuAlt);
  using CFrameWnd::OnUpdateFrameMenu;

  BOOL DestroyWindow() override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void ActivateFrame(int nCmdShow = -1) override;
  void OnUpdateFrameTitle(BOOL bAddToTitle) override;
  HACCEL GetDefaultAccelerator() override;

  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  afx_msg void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);

  HMENU m_hMenuShared = nullptr;   // the template's, not owned
  BOOL m_bPseudoInactive = FALSE;  // hidden while still the MDI client's active child
protected:
  DECLARE_MESSAGE_MAP()
};

class CMultiDocTemplate : public CDocTemplate {
  DECLARE_DYNAMIC(CMultiDocTemplate)
public:
  CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                    CRuntimeClass* pViewClass);
  ~CMultiDocTemplate() override;
  void LoadTemplate() override;
  void AddDocument(CDocument* pDoc) override;
  void RemoveDocument(CDocument* pDoc) override;
  POSITION GetFirstDocPosition() const override;
  CDocument* GetNextDoc(POSITION& rPos) const override;
  CDocument* OpenDocumentFile(LPCWSTR lpszPathName, BOOL bMakeVisible = TRUE) override;
  void SetDefaultTitle(CDocument* pDocument) override;

  HMENU m_hMenuShared = nullptr;   // the children's menu (resource nIDResource)
  HACCEL m_hAccelTable = nullptr;  // the children's accelerators
  CPtrList m_docList;
  UINT m_nUntitledCount = 0;
};
