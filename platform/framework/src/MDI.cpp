// MDI frames and children: the client area, routing through the active child, the shared menus
// and accelerators of the active child's template, the window commands; CMultiDocTemplate.
#include "Framework.h"
#include "FwMDI.h"

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)
IMPLEMENT_DYNAMIC(CMultiDocTemplate, CDocTemplate)

// ---- CMDIFrameWnd -------------------------------------------------------------------------------
BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
  ON_WM_SIZE()
  ON_COMMAND_EX(ID_WINDOW_ARRANGE, OnMDIWindowCmd)
  ON_COMMAND_EX(ID_WINDOW_CASCADE, OnMDIWindowCmd)
  ON_COMMAND_EX(ID_WINDOW_TILE_HORZ, OnMDIWindowCmd)
  ON_COMMAND_EX(ID_WINDOW_TILE_VERT, OnMDIWindowCmd)
  ON_UPDATE_COMMAND_UI(ID_WINDOW_ARRANGE, OnUpdateMDIWindowCmd)
  ON_UPDATE_COMMAND_UI(ID_WINDOW_CASCADE, OnUpdateMDIWindowCmd)
  ON_UPDATE_COMMAND_UI(ID_WINDOW_TILE_HORZ, OnUpdateMDIWindowCmd)
  ON_UPDATE_COMMAND_UI(ID_WINDOW_TILE_VERT, OnUpdateMDIWindowCmd)
  ON_COMMAND(ID_WINDOW_NEW, OnWindowNew)
END_MESSAGE_MAP()

CMDIFrameWnd::CMDIFrameWnd() = default;

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext*) {
  HMENU hWindowMenu = GetWindowMenuPopup(::GetMenu(m_hWnd));
  return CreateClient(lpcs, CMenu::FromHandle(hWindowMenu));
}

BOOL CMDIFrameWnd::CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu) {
  DWORD dwStyle = WS_VISIBLE | WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | MDIS_ALLCHILDSTYLES;
  CLIENTCREATESTRUCT ccs;
  ccs.hWindowMenu = pWindowMenu->GetSafeHmenu();
  ccs.idFirstChild = AFX_IDM_FIRST_MDICHILD;
  // The frame's scroll bars belong to the client area.
  if (lpCreateStruct != nullptr && (lpCreateStruct->style & (WS_HSCROLL | WS_VSCROLL))) {
    dwStyle |= lpCreateStruct->style & (WS_HSCROLL | WS_VSCROLL);
    ModifyStyle(WS_HSCROLL | WS_VSCROLL, 0, SWP_NOREDRAW | SWP_FRAMECHANGED);
  }
  m_hWndMDIClient = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr, dwStyle, 0, 0, 0, 0, m_hWnd,
                                      (HMENU)(UINT_PTR)AFX_IDW_PANE_FIRST, AfxGetInstanceHandle(), &ccs);
  if (m_hWndMDIClient == nullptr) return FALSE;
  ::BringWindowToTop(m_hWndMDIClient);
  return TRUE;
}

HMENU CMDIFrameWnd::GetWindowMenuPopup(HMENU hMenuBar) {
  if (hMenuBar == nullptr) return nullptr;
  // The last popup that holds a window command.
  for (int iItem = ::GetMenuItemCount(hMenuBar); iItem-- > 0;) {
    HMENU hPopup = ::GetSubMenu(hMenuBar, iItem);
    if (hPopup == nullptr) continue;
    for (int i = 0, n = ::GetMenuItemCount(hPopup); i < n; ++i) {
      UINT nID = ::GetMenuItemID(hPopup, i);
      if (nID >= AFX_IDM_WINDOW_FIRST && nID <= AFX_IDM_WINDOW_LAST) return hPopup;
    }
  }
  return nullptr;
}

LRESULT CMDIFrameWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefFrameProcW(m_hWnd, m_hWndMDIClient, message, wParam, lParam);
}

void CMDIFrameWnd::OnSize(UINT nType, int, int) {
  // The layout places the client area; the default would stretch it over the bars.
  if (nType != SIZE_MINIMIZED) RecalcLayout();
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const {
  if (pbMaximized != nullptr) *pbMaximized = FALSE;
  if (m_hWndMDIClient == nullptr) return nullptr;
  HWND hWnd = (HWND)::SendMessageW(m_hWndMDIClient, WM_MDIGETACTIVE, 0, (LPARAM)pbMaximized);
  CMDIChildWnd* pWnd = DYNAMIC_DOWNCAST(CMDIChildWnd, CWnd::FromHandlePermanent(hWnd));
  // A hidden child that is still the client's active one does not count.
  if (pWnd != nullptr && pWnd->m_bPseudoInactive && !(pWnd->GetStyle() & WS_VISIBLE)) {
    pWnd = nullptr;
    if (pbMaximized != nullptr) *pbMaximized = FALSE;
  }
  return pWnd;
}

void CMDIFrameWnd::MDIActivate(CWnd* pWndActivate) {
  ::SendMessageW(m_hWndMDIClient, WM_MDIACTIVATE, (WPARAM)pWndActivate->GetSafeHwnd(), 0);
}
void CMDIFrameWnd::MDIMaximize(CWnd* pWnd) { ::SendMessageW(m_hWndMDIClient, WM_MDIMAXIMIZE, (WPARAM)pWnd->GetSafeHwnd(), 0); }
void CMDIFrameWnd::MDIRestore(CWnd* pWnd) { ::SendMessageW(m_hWndMDIClient, WM_MDIRESTORE, (WPARAM)pWnd->GetSafeHwnd(), 0); }
void CMDIFrameWnd::MDINext() { ::SendMessageW(m_hWndMDIClient, WM_MDINEXT, 0, 0); }
void CMDIFrameWnd::MDIPrev() { ::SendMessageW(m_hWndMDIClient, WM_MDINEXT, 0, 1); }
void CMDIFrameWnd::MDICascade() { ::SendMessageW(m_hWndMDIClient, WM_MDICASCADE, 0, 0); }
void CMDIFrameWnd::MDITile(int nType) { ::SendMessageW(m_hWndMDIClient, WM_MDITILE, (WPARAM)nType, 0); }
void CMDIFrameWnd::MDIIconArrange() { ::SendMessageW(m_hWndMDIClient, WM_MDIICONARRANGE, 0, 0); }

CMenu* CMDIFrameWnd::MDISetMenu(CMenu* pFrameMenu, CMenu* pWindowMenu) {
  HMENU hOld = (HMENU)::SendMessageW(m_hWndMDIClient, WM_MDISETMENU, (WPARAM)pFrameMenu->GetSafeHmenu(),
                                     (LPARAM)pWindowMenu->GetSafeHmenu());
  ::DrawMenuBar(m_hWnd);
  return CMenu::FromHandle(hOld);
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame() {
  CMDIChildWnd* pActiveChild = MDIGetActive();
  return pActiveChild != nullptr ? (CFrameWnd*)pActiveChild : this;
}

void CMDIFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt) {
  if (hMenuAlt == nullptr) hMenuAlt = m_hMenuAlt;
  CMDIChildWnd* pActiveWnd = MDIGetActive();
  if (pActiveWnd != nullptr) {
    pActiveWnd->OnUpdateFrameMenu(TRUE, pActiveWnd, hMenuAlt);
  } else {
    if (hMenuAlt == nullptr) hMenuAlt = m_hMenuDefault;
    ::SendMessageW(m_hWndMDIClient, WM_MDISETMENU, (WPARAM)hMenuAlt, 0);
  }
  ::DrawMenuBar(m_hWnd);
}

void CMDIFrameWnd::DelayUpdateFrameMenu(HMENU hMenuAlt) {
  m_hMenuAlt = hMenuAlt;
  m_nIdleFlags |= idleMenu;
}

void CMDIFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
  if (!(GetStyle() & FWS_ADDTOTITLE)) return;
  CMDIChildWnd* pActiveChild = MDIGetActive();
  bool shown = pActiveChild != nullptr && !(pActiveChild->GetStyle() & WS_MAXIMIZE);
  CDocument* pDocument = shown ? pActiveChild->GetActiveDocument() : nullptr;
  if (bAddToTitle && pDocument != nullptr) {
    UpdateFrameTitleForDocument(pDocument->GetTitle());
  } else {
    CString strTitle = shown ? pActiveChild->GetTitle() : CString();
    UpdateFrameTitleForDocument(strTitle.IsEmpty() ? nullptr : (LPCWSTR)strTitle);
  }
}

BOOL CMDIFrameWnd::PreTranslateMessage(MSG* pMsg) {
  if (CWnd::PreTranslateMessage(pMsg)) return TRUE;
  // The active child first (its document's accelerators), then the frame's.
  CMDIChildWnd* pActiveChild = MDIGetActive();
  if (pActiveChild != nullptr && pActiveChild->PreTranslateMessage(pMsg)) return TRUE;
  if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) {
    if (m_hAccelTable != nullptr && ::TranslateAcceleratorW(m_hWnd, m_hAccelTable, pMsg)) return TRUE;
    if ((pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN) && GetActiveView() == nullptr &&
        ::TranslateMDISysAccel(m_hWndMDIClient, pMsg))
      return TRUE;
  }
  return FALSE;
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  CMDIChildWnd* pActiveChild = MDIGetActive();
  if (pActiveChild != nullptr && pActiveChild->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CMDIFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  // The active child sees commands first (its views and document).
  CMDIChildWnd* pActiveChild = MDIGetActive();
  if (pActiveChild != nullptr && AfxCallWndProc(pActiveChild, pActiveChild->m_hWnd, WM_COMMAND, wParam, lParam) != 0)
    return TRUE;
  if (CFrameWnd::OnCommand(wParam, lParam)) return TRUE;
  // The window list's entries activate children: the client area's default does that.
  if (lParam == 0 && (LOWORD(wParam) & 0xF000) == 0xF000) {
    DefWindowProc(WM_COMMAND, wParam, lParam);
    return TRUE;
  }
  return FALSE;
}

BOOL CMDIFrameWnd::OnMDIWindowCmd(UINT nID) {
  switch (nID) {
    case ID_WINDOW_ARRANGE: MDIIconArrange(); return TRUE;
    case ID_WINDOW_CASCADE: MDICascade(); return TRUE;
    case ID_WINDOW_TILE_HORZ: MDITile(MDITILE_HORIZONTAL); return TRUE;
    case ID_WINDOW_TILE_VERT: MDITile(MDITILE_VERTICAL); return TRUE;
    default: return FALSE;
  }
}

void CMDIFrameWnd::OnUpdateMDIWindowCmd(CCmdUI* pCmdUI) { pCmdUI->Enable(MDIGetActive() != nullptr); }

void CMDIFrameWnd::OnWindowNew() {
  // Another frame on the active child's document.
  CMDIChildWnd* pActiveChild = MDIGetActive();
  CDocument* pDocument = pActiveChild != nullptr ? pActiveChild->GetActiveDocument() : nullptr;
  CDocTemplate* pTemplate = pDocument != nullptr ? pDocument->GetDocTemplate() : nullptr;
  CFrameWnd* pFrame = pTemplate != nullptr ? pTemplate->CreateNewFrame(pDocument, pActiveChild) : nullptr;
  if (pFrame == nullptr) {
    AfxMessageBox(AFX_IDP_COMMAND_FAILURE);
    return;
  }
  pTemplate->InitialUpdateFrame(pFrame, pDocument);
}

// ---- CMDIChildWnd -------------------------------------------------------------------------------
BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
  ON_WM_CREATE()
  ON_WM_MDIACTIVATE()
END_MESSAGE_MAP()

CMDIChildWnd::CMDIChildWnd() = default;

CMDIChildWnd::~CMDIChildWnd() {
  // The accelerators are the template's: the frame must not free them.
  m_hAccelTable = nullptr;
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const {
  // Parent: the client area; its parent: the MDI frame.
  HWND hClient = ::GetParent(m_hWnd);
  return DYNAMIC_DOWNCAST(CMDIFrameWnd, CWnd::FromHandlePermanent(hClient != nullptr ? ::GetParent(hClient) : nullptr));
}

BOOL CMDIChildWnd::PreCreateWindow(CREATESTRUCT& cs) {
  if (!CFrameWnd::PreCreateWindow(cs)) return FALSE;
  cs.style |= WS_CHILD;
  return TRUE;
}

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext) {
  m_nIDHelp = nIDResource;
  dwDefaultStyle = (dwDefaultStyle & ~WS_POPUP) | WS_CHILD;
  // The template's shared menu and accelerators are this child's.
  CMultiDocTemplate* pTemplate =
      pContext != nullptr ? dynamic_cast<CMultiDocTemplate*>(pContext->m_pNewDocTemplate) : nullptr;
  if (pTemplate != nullptr) {
    m_hMenuShared = pTemplate->m_hMenuShared;
    m_hAccelTable = pTemplate->m_hAccelTable;
  }
  CString full;
  full.LoadString(nIDResource);
  AfxExtractSubString(m_strTitle, full, 0);
  HICON hIcon = ::LoadIconW(AfxFindResourceHandle(MAKEINTRESOURCEW(nIDResource), (LPCWSTR)RT_GROUP_ICON),
                            MAKEINTRESOURCEW(nIDResource));
  LPCWSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1), hIcon);
  return Create(lpszClass, m_strTitle, dwDefaultStyle, rectDefault, DYNAMIC_DOWNCAST(CMDIFrameWnd, pParentWnd), pContext);
}

BOOL CMDIChildWnd::Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                          CMDIFrameWnd* pParentWnd, CCreateContext* pContext) {
  if (pParentWnd == nullptr) pParentWnd = DYNAMIC_DOWNCAST(CMDIFrameWnd, AfxGetMainWnd());
  if (pParentWnd == nullptr || pParentWnd->m_hWndMDIClient == nullptr) {
    PostNcDestroy();
    return FALSE;
  }
  pParentWnd->RecalcLayout();
  CREATESTRUCT cs = {};
  cs.lpszClass = lpszClassName;
  cs.lpszName = lpszWindowName;
  cs.style = dwStyle;
  bool systemPlaced = ::EqualRect(&rect, &rectDefault) != FALSE;
  cs.x = rect.left;
  cs.y = rect.top;
  cs.cx = systemPlaced ? CW_USEDEFAULT : rect.right - rect.left;
  cs.cy = systemPlaced ? CW_USEDEFAULT : rect.bottom - rect.top;
  cs.hwndParent = pParentWnd->m_hWnd;
  cs.hInstance = AfxGetInstanceHandle();
  cs.lpCreateParams = pContext;
  if (!PreCreateWindow(cs)) {
    PostNcDestroy();
    return FALSE;
  }
  MDICREATESTRUCTW mcs = {};
  mcs.szClass = cs.lpszClass;
  mcs.szTitle = cs.lpszName;
  mcs.hOwner = cs.hInstance;
  mcs.x = cs.x;
  mcs.y = cs.y;
  mcs.cx = cs.cx;
  mcs.cy = cs.cy;
  mcs.style = cs.style & ~(WS_MAXIMIZE | WS_VISIBLE);
  mcs.lParam = (LPARAM)cs.lpCreateParams;
  m_strTitle = lpszWindowName != nullptr ? lpszWindowName : L"";
  AfxHookWindowCreate(this);
  HWND hWnd = (HWND)::SendMessageW(pParentWnd->m_hWndMDIClient, WM_MDICREATE, 0, (LPARAM)&mcs);
  if (!AfxUnhookWindowCreate()) PostNcDestroy();  // creation failed before the window came
  if (hWnd == nullptr) return FALSE;
  // Created hidden; shown (and so activated) as asked.
  if (cs.style & WS_VISIBLE) {
    ::BringWindowToTop(hWnd);
    if (cs.style & WS_MINIMIZE) ShowWindow(SW_SHOWMINIMIZED);
    else if (cs.style & WS_MAXIMIZE) ShowWindow(SW_SHOWMAXIMIZED);
    else ShowWindow(SW_SHOWNORMAL);
    pParentWnd->MDIActivate(this);
    ::SendMessageW(pParentWnd->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
  }
  return TRUE;
}

int CMDIChildWnd::OnCreate(LPCREATESTRUCT lpcs) {
  // The creation context travels inside the MDI record.
  CREATESTRUCT cs = *lpcs;
  MDICREATESTRUCTW* lpmcs = (MDICREATESTRUCTW*)lpcs->lpCreateParams;
  cs.lpCreateParams = lpmcs != nullptr ? (LPVOID)lpmcs->lParam : nullptr;
  return CFrameWnd::OnCreate(&cs);
}

LRESULT CMDIChildWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefMDIChildProcW(m_hWnd, message, wParam, lParam);
}

void CMDIChildWnd::MDIDestroy() { ::SendMessageW(::GetParent(m_hWnd), WM_MDIDESTROY, (WPARAM)m_hWnd, 0); }
void CMDIChildWnd::MDIActivate() { ::SendMessageW(::GetParent(m_hWnd), WM_MDIACTIVATE, (WPARAM)m_hWnd, 0); }
void CMDIChildWnd::MDIMaximize() { ::SendMessageW(::GetParent(m_hWnd), WM_MDIMAXIMIZE, (WPARAM)m_hWnd, 0); }
void CMDIChildWnd::MDIRestore() { ::SendMessageW(::GetParent(m_hWnd), WM_MDIRESTORE, (WPARAM)m_hWnd, 0); }

BOOL CMDIChildWnd::DestroyWindow() {
  if (m_hWnd == nullptr) return FALSE;
  // The frame's title stays while the child goes, then follows the next active child.
  CMDIFrameWnd* pFrameWnd = GetMDIFrame();
  if (pFrameWnd == nullptr) return CFrameWnd::DestroyWindow();
  HWND hWndFrame = pFrameWnd->m_hWnd;
  LONG_PTR dwStyle = ::GetWindowLongPtrW(hWndFrame, GWL_STYLE);
  ::SetWindowLongPtrW(hWndFrame, GWL_STYLE, dwStyle & ~FWS_ADDTOTITLE);
  MDIDestroy();  // this object may be gone now
  if (::IsWindow(hWndFrame)) {
    ::SetWindowLongPtrW(hWndFrame, GWL_STYLE, dwStyle);
    pFrameWnd->OnUpdateFrameTitle(TRUE);
  }
  return TRUE;
}

HACCEL CMDIChildWnd::GetDefaultAccelerator() { return m_hAccelTable; }

BOOL CMDIChildWnd::PreTranslateMessage(MSG* pMsg) {
  // Accelerators of the child work in the MDI frame, which owns the menu.
  if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) {
    HACCEL hAccel = GetDefaultAccelerator();
    CMDIFrameWnd* pFrame = GetMDIFrame();
    return hAccel != nullptr && pFrame != nullptr && ::TranslateAcceleratorW(pFrame->m_hWnd, hAccel, pMsg);
  }
  return FALSE;
}

void CMDIChildWnd::OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd*) {
  m_bPseudoInactive = FALSE;
  CView* pActiveView = GetActiveView();
  if (!bActivate && pActiveView != nullptr) pActiveView->OnActivateView(FALSE, pActiveView, pActiveView);
  OnUpdateFrameTitle(bActivate || pActivateWnd != nullptr);
  CMDIFrameWnd* pFrame = GetMDIFrame();
  if (bActivate && pActiveView != nullptr && pFrame != nullptr && pFrame->m_hWnd == ::GetActiveWindow())
    pActiveView->OnActivateView(TRUE, pActiveView, pActiveView);
  OnUpdateFrameMenu(bActivate, pActivateWnd, nullptr);
  if (pFrame != nullptr) ::DrawMenuBar(pFrame->m_hWnd);
}

void CMDIChildWnd::OnUpdateFrameMenu(BOOL bActivate, CWnd* pActivateWnd, HMENU hMenuAlt) {
  CMDIFrameWnd* pFrame = GetMDIFrame();
  if (pFrame == nullptr) return;
  if (hMenuAlt == nullptr) hMenuAlt = m_hMenuShared;
  if (hMenuAlt != nullptr && bActivate) {
    ::SendMessageW(pFrame->m_hWndMDIClient, WM_MDISETMENU, (WPARAM)hMenuAlt, (LPARAM)pFrame->GetWindowMenuPopup(hMenuAlt));
  } else if (hMenuAlt != nullptr && !bActivate && pActivateWnd == nullptr) {
    // The last child goes: the frame's own menu comes back.
    ::SendMessageW(pFrame->m_hWndMDIClient, WM_MDISETMENU, (WPARAM)pFrame->m_hMenuDefault,
                   (LPARAM)pFrame->GetWindowMenuPopup(pFrame->m_hMenuDefault));
  } else {
    ::SendMessageW(pFrame->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
  }
}

void CMDIChildWnd::ActivateFrame(int nCmdShow) {
  BOOL bVisibleThen = (GetStyle() & WS_VISIBLE) != 0;
  CMDIFrameWnd* pFrame = GetMDIFrame();
  if (nCmdShow == -1 && pFrame != nullptr) {
    // A new child is maximised when the one before was.
    BOOL bMaximized = FALSE;
    pFrame->MDIGetActive(&bMaximized);
    DWORD dwStyle = GetStyle();
    if (bMaximized || (dwStyle & WS_MAXIMIZE)) nCmdShow = SW_SHOWMAXIMIZED;
    else if (dwStyle & WS_MINIMIZE) nCmdShow = SW_SHOWMINIMIZED;
  }
  CFrameWnd::ActivateFrame(nCmdShow);
  if (pFrame == nullptr) return;
  ::SendMessageW(pFrame->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
  BOOL bVisibleNow = (GetStyle() & WS_VISIBLE) != 0;
  if (bVisibleNow == bVisibleThen) return;
  if (!bVisibleNow) {
    // Hidden: the next visible child becomes active, or this one stays active but hidden.
    m_bPseudoInactive = TRUE;
    pFrame->MDINext();
  } else {
    pFrame->MDIActivate(this);
    m_bPseudoInactive = FALSE;
  }
}

void CMDIChildWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
  CMDIFrameWnd* pFrame = GetMDIFrame();
  if (pFrame != nullptr) pFrame->OnUpdateFrameTitle(bAddToTitle);
  if (!(GetStyle() & FWS_ADDTOTITLE) || !bAddToTitle) return;
  CDocument* pDocument = GetActiveDocument();
  CString text = pDocument != nullptr ? pDocument->GetTitle() : m_strTitle;
  if (m_nWindow > 0) text.AppendFormat(L":%d", m_nWindow);
  CString current;
  GetWindowText(current);
  if (current != text) SetWindowText(text);
}

// ---- CMultiDocTemplate -------------------------------------------------------------------------
CMultiDocTemplate::CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                                     CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass) {}

CMultiDocTemplate::~CMultiDocTemplate() {
  if (m_hMenuShared != nullptr) ::DestroyMenu(m_hMenuShared);
  if (m_hAccelTable != nullptr) ::DestroyAcceleratorTable(m_hAccelTable);
}

void CMultiDocTemplate::LoadTemplate() {
  CDocTemplate::LoadTemplate();
  if (m_nIDResource == 0 || m_hMenuShared != nullptr) return;
  HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCEW(m_nIDResource), (LPCWSTR)RT_MENU);
  m_hMenuShared = ::LoadMenuW(hInst, MAKEINTRESOURCEW(m_nIDResource));
  hInst = AfxFindResourceHandle(MAKEINTRESOURCEW(m_nIDResource), (LPCWSTR)RT_ACCELERATOR);
  m_hAccelTable = ::LoadAcceleratorsW(hInst, MAKEINTRESOURCEW(m_nIDResource));
}

void CMultiDocTemplate::AddDocument(CDocument* pDoc) {
  CDocTemplate::AddDocument(pDoc);
  m_docList.AddTail(pDoc);
}

void CMultiDocTemplate::RemoveDocument(CDocument* pDoc) {
  CDocTemplate::RemoveDocument(pDoc);
  POSITION pos = m_docList.Find(pDoc);
  if (pos != nullptr) m_docList.RemoveAt(pos);
}

POSITION CMultiDocTemplate::GetFirstDocPosition() const { return m_docList.GetHeadPosition(); }

CDocument* CMultiDocTemplate::GetNextDoc(POSITION& rPos) const { return (CDocument*)m_docList.GetNext(rPos); }

void CMultiDocTemplate::SetDefaultTitle(CDocument* pDocument) {
  CString strDocName;
  if (GetDocString(strDocName, CDocTemplate::docName) && !strDocName.IsEmpty()) strDocName.AppendFormat(L"%u", m_nUntitledCount + 1);
  else strDocName.LoadString(AFX_IDS_UNTITLED);
  pDocument->SetTitle(strDocName);
}

CDocument* CMultiDocTemplate::OpenDocumentFile(LPCWSTR lpszPathName, BOOL bMakeVisible) {
  CFrameWnd* pFrame = nullptr;
  CDocument* pDocument = CreateDocumentWithFrame(pFrame);
  if (pDocument == nullptr) return nullptr;
  if (lpszPathName == nullptr) {
    SetDefaultTitle(pDocument);
    if (!bMakeVisible) pDocument->m_bEmbedded = TRUE;
    if (!pDocument->OnNewDocument()) {
      pFrame->DestroyWindow();  // also ends the document
      return nullptr;
    }
    ++m_nUntitledCount;
  } else {
    CWaitCursor wait;
    if (!OpenOrFail(pDocument, lpszPathName)) {
      pFrame->DestroyWindow();
      return nullptr;
    }
    pDocument->SetPathName(lpszPathName);
  }
  InitialUpdateFrame(pFrame, pDocument, bMakeVisible);
  return pDocument;
}
