// CFrameWnd: creation from resources, layout, active view, command routing and menu updates.
#include "Framework.h"
#include <algorithm>

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

static std::vector<CFrameWnd*>& FrameList() {
  static std::vector<CFrameWnd*> list;
  return list;
}
const std::vector<CFrameWnd*>& CFrameWnd::GetFrameList() { return FrameList(); }

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_CLOSE()
  ON_WM_SIZE()
  ON_WM_SETFOCUS()
  ON_WM_ACTIVATE()
  ON_WM_ERASEBKGND()
  ON_WM_INITMENUPOPUP()
  ON_WM_MENUSELECT()
  ON_WM_ENTERIDLE()
  ON_WM_DROPFILES()
  ON_WM_QUERYENDSESSION()
  ON_WM_ENDSESSION()
  ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
  ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
  ON_MESSAGE(WM_POPMESSAGESTRING, OnPopMessageString)
  ON_MESSAGE(WM_RECALCPARENT, OnRecalcParent)
  ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTW, 0, 0xFFFF, OnToolTipText)
  ON_MESSAGE(WM_COMMANDHELP, OnCommandHelp)
  ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
  ON_MESSAGE(WM_EXITHELPMODE, OnExitHelpMode)
  ON_WM_SETCURSOR()
  ON_COMMAND(ID_HELP, CWnd::OnHelp)
  ON_COMMAND(ID_CONTEXT_HELP, OnContextHelp)
  ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, OnUpdateControlBarMenu)
  ON_COMMAND_EX(ID_VIEW_STATUS_BAR, OnBarCheck)
  ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, OnUpdateControlBarMenu)
  ON_COMMAND_EX(ID_VIEW_TOOLBAR, OnBarCheck)
END_MESSAGE_MAP()

CFrameWnd::CFrameWnd() : m_pFloatingFrameClass(RUNTIME_CLASS(CMiniDockFrameWnd)) { FrameList().push_back(this); }

CFrameWnd::~CFrameWnd() {
  auto& list = FrameList();
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  if (m_hAccelTable != nullptr) ::DestroyAcceleratorTable(m_hAccelTable);
}

void CFrameWnd::PostNcDestroy() { delete this; }

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
  if (cs.lpszClass == nullptr)
    cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1));
  if ((cs.style & FWS_ADDTOTITLE) && !(cs.style & WS_CHILD)) cs.style |= FWS_PREFIXTITLE;
  return TRUE;
}

BOOL CFrameWnd::Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCWSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext) {
  HMENU hMenu = nullptr;
  if (lpszMenuName != nullptr) {
    hMenu = ::LoadMenuW(AfxFindResourceHandle(lpszMenuName, (LPCWSTR)RT_MENU), lpszMenuName);
    if (hMenu == nullptr) {
      PostNcDestroy();
      return FALSE;
    }
  }
  m_strTitle = lpszWindowName ? lpszWindowName : L"";
  // The default rectangle lets the system place and size the window.
  bool systemPlaced = ::EqualRect(&rect, &rectDefault) != FALSE;
  int cx = systemPlaced ? CW_USEDEFAULT : rect.right - rect.left;
  int cy = systemPlaced ? CW_USEDEFAULT : rect.bottom - rect.top;
  if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, cx, cy,
                pParentWnd->GetSafeHwnd(), hMenu, (LPVOID)pContext)) {
    if (hMenu != nullptr) ::DestroyMenu(hMenu);
    return FALSE;
  }
  return TRUE;
}

BOOL CFrameWnd::LoadAccelTable(LPCWSTR lpszResourceName) {
  if (m_hAccelTable != nullptr) return FALSE;
  HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, (LPCWSTR)RT_ACCELERATOR);
  m_hAccelTable = ::LoadAcceleratorsW(hInst, lpszResourceName);
  return m_hAccelTable != nullptr;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext) {
  m_nIDHelp = nIDResource;
  CString full;
  full.LoadString(nIDResource);
  AfxExtractSubString(m_strTitle, full, 0);
  HINSTANCE hRes = AfxGetResourceHandle();
  HICON hIcon = ::LoadIconW(AfxFindResourceHandle(MAKEINTRESOURCEW(nIDResource), (LPCWSTR)RT_GROUP_ICON),
                            MAKEINTRESOURCEW(nIDResource));
  LPCWSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1), hIcon);
  LPCWSTR menuName = ::FindResourceW(AfxFindResourceHandle(MAKEINTRESOURCEW(nIDResource), (LPCWSTR)RT_MENU),
                                     MAKEINTRESOURCEW(nIDResource), (LPCWSTR)RT_MENU)
                         ? MAKEINTRESOURCEW(nIDResource) : nullptr;
  (void)hRes;
  if (!Create(lpszClass, m_strTitle, dwDefaultStyle, rectDefault, pParentWnd, menuName, 0, pContext)) return FALSE;
  m_hMenuDefault = ::GetMenu(m_hWnd);
  LoadAccelTable(MAKEINTRESOURCEW(nIDResource));
  if (pContext == nullptr) SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
  return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpcs) {
  if (CWnd::OnCreate(lpcs) == -1) return -1;
  CCreateContext* pContext = (CCreateContext*)lpcs->lpCreateParams;
  if (!OnCreateClient(lpcs, pContext)) return -1;
  RecalcLayout();
  return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) {
  if (pContext != nullptr && pContext->m_pNewViewClass != nullptr)
    return CreateView(pContext, AFX_IDW_PANE_FIRST) != nullptr;
  return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID) {
  CWnd* pView = (CWnd*)pContext->m_pNewViewClass->CreateObject();
  if (pView == nullptr) return nullptr;
  if (!pView->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 0, 0), this, nID, pContext))
    return nullptr;  // the view deleted itself on failure
  return pView;
}

void CFrameWnd::OnDestroy() {
  m_pViewActive = nullptr;
  // The window destroys the menu it shows: make that its own default menu, not a borrowed one.
  HMENU hMenuCurrent = ::GetMenu(m_hWnd);
  if (m_hMenuDefault != nullptr && hMenuCurrent != m_hMenuDefault) ::SetMenu(m_hWnd, m_hMenuDefault);
  CWnd::OnDestroy();
}

void CFrameWnd::OnClose() {
  // A print preview ends first, so that the frame closes as the user had it.
  if (!ClosePrintPreview()) return;
  CDocument* pDocument = GetActiveDocument();
  if (pDocument != nullptr && !pDocument->CanCloseFrame(this)) return;
  CWinApp* pApp = AfxGetApp();
  if (pApp != nullptr && pApp->m_pMainWnd == this) {
    if (pDocument == nullptr && !pApp->SaveAllModified()) return;
    pApp->HideApplication();
    pApp->CloseAllDocuments(FALSE);
    // Closing the documents may already have destroyed this frame.
    if (pApp->m_pMainWnd == nullptr) {
      ::PostQuitMessage(0);
      return;
    }
  }
  if (pDocument != nullptr && pDocument->m_bAutoDelete) {
    // The last frame of the document closes the document, which destroys the frame.
    BOOL bOtherFrame = FALSE;
    POSITION pos = pDocument->GetFirstViewPosition();
    while (pos != nullptr) {
      CView* pView = pDocument->GetNextView(pos);
      if (pView->GetParentFrame() != this) bOtherFrame = TRUE;
    }
    if (!bOtherFrame) {
      pDocument->OnCloseDocument();
      return;
    }
    pDocument->PreCloseFrame(this);
  }
  DestroyWindow();
}

BOOL CFrameWnd::OnQueryEndSession() {
  CWinApp* pApp = AfxGetApp();
  if (pApp != nullptr && pApp->m_pMainWnd == this) return pApp->SaveAllModified();
  return TRUE;
}

void CFrameWnd::OnEndSession(BOOL bEnding) {
  if (!bEnding) return;
  CWinApp* pApp = AfxGetApp();
  if (pApp != nullptr && pApp->m_pMainWnd == this) {
    pApp->CloseAllDocuments(TRUE);
    pApp->ExitInstance();
  }
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy) {
  CWnd::OnSize(nType, cx, cy);
  if (nType != SIZE_MINIMIZED) RecalcLayout();
}

void CFrameWnd::RecalcLayout(BOOL bNotify) {
  if (m_bInRecalcLayout || m_hWnd == nullptr) return;
  m_bInRecalcLayout = TRUE;
  m_nIdleFlags &= ~(idleLayout | idleNotify);
  if (GetStyle() & FWS_SNAPTOBARS) {
    // The frame takes the size its bars need (floating frames).
    CRect rect(0, 0, 32767, 32767);
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rect, &rect, FALSE);
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder, &rect, TRUE);
    CalcWindowRect(&rect);
    SetWindowPos(nullptr, 0, 0, rect.Width(), rect.Height(), SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOZORDER);
  } else {
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder);
  }
  m_bInRecalcLayout = FALSE;
}

LRESULT CFrameWnd::OnRecalcParent(WPARAM, LPARAM) {
  RecalcLayout();
  return 0;
}

void CFrameWnd::NegotiateBorderSpace(UINT, LPRECT lpRectBorder) {
  if (lpRectBorder != nullptr) m_rectBorder = *lpRectBorder;
  RecalcLayout();
}

BOOL CFrameWnd::OnEraseBkgnd(CDC* pDC) {
  // The pane covers the client area; erase only when there is none (avoids flicker).
  if (m_pViewActive != nullptr) return TRUE;
  return CWnd::OnEraseBkgnd(pDC);
}

void CFrameWnd::OnSetFocus(CWnd* pOldWnd) {
  if (m_pViewActive != nullptr && m_pViewActive->m_hWnd != nullptr) m_pViewActive->SetFocus();
  else CWnd::OnSetFocus(pOldWnd);
}

void CFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) {
  CWnd::OnActivate(nState, pWndOther, bMinimized);
  if (nState != WA_INACTIVE && !bMinimized && m_pViewActive != nullptr)
    m_pViewActive->OnActivateFrame(nState, this);
}

CDocument* CFrameWnd::GetActiveDocument() {
  return m_pViewActive != nullptr ? m_pViewActive->GetDocument() : nullptr;
}

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify) {
  CView* pViewOld = m_pViewActive;
  if (pViewNew == pViewOld) return;
  m_pViewActive = nullptr;
  if (pViewOld != nullptr && bNotify) pViewOld->OnActivateView(FALSE, pViewNew, pViewOld);
  if (m_pViewActive != nullptr) return;  // changed during the notification
  m_pViewActive = pViewNew;
  if (pViewNew != nullptr && bNotify) pViewNew->OnActivateView(TRUE, pViewNew, pViewOld);
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible) {
  if (GetActiveView() == nullptr) {
    CWnd* pWnd = GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE);
    if (pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CView))) SetActiveView((CView*)pWnd, FALSE);
  }
  if (bMakeVisible) {
    SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    int nCmdShow = -1;
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr && pApp->m_pMainWnd == this) {
      nCmdShow = pApp->m_nCmdShow;
      pApp->m_nCmdShow = -1;  // only the first frame uses the program's show command
    }
    ActivateFrame(nCmdShow);
    if (m_pViewActive != nullptr) m_pViewActive->OnActivateView(TRUE, m_pViewActive, m_pViewActive);
  }
  if (pDoc != nullptr) pDoc->UpdateFrameCounts();
  OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::ActivateFrame(int nCmdShow) {
  if (nCmdShow == -1) {
    if (!IsWindowVisible()) nCmdShow = SW_SHOWNORMAL;
    else if (IsIconic()) nCmdShow = SW_RESTORE;
  }
  BringWindowToTop();
  if (nCmdShow != -1) {
    ShowWindow(nCmdShow);
    BringWindowToTop();
  }
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
  if (!(GetStyle() & FWS_ADDTOTITLE)) return;
  CDocument* pDocument = GetActiveDocument();
  if (bAddToTitle && pDocument != nullptr) UpdateFrameTitleForDocument(pDocument->GetTitle());
  else UpdateFrameTitleForDocument(nullptr);
}

void CFrameWnd::UpdateFrameTitleForDocument(LPCWSTR lpszDocName) {
  CString text;
  if (lpszDocName != nullptr && *lpszDocName) {
    CString doc = lpszDocName;
    if (m_nWindow > 0) doc.AppendFormat(L":%d", m_nWindow);
    if (GetStyle() & FWS_PREFIXTITLE) text = doc + L" - " + m_strTitle;
    else text = m_strTitle + L" - " + doc;
  } else {
    text = m_strTitle;
  }
  CString current;
  GetWindowText(current);
  if (current != text) SetWindowText(text);
}

void CFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt) {
  if (hMenuAlt == nullptr) hMenuAlt = m_hMenuDefault;
  if (hMenuAlt != nullptr && ::GetMenu(m_hWnd) != hMenuAlt) ::SetMenu(m_hWnd, hMenuAlt);
}

HACCEL CFrameWnd::GetDefaultAccelerator() { return m_hAccelTable; }

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) {
    HACCEL hAccel = GetDefaultAccelerator();
    if (hAccel != nullptr && ::TranslateAcceleratorW(m_hWnd, hAccel, pMsg)) return TRUE;
  }
  return CWnd::PreTranslateMessage(pMsg);
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  // Route: the active view (and its document and template), this frame, the application.
  CView* pView = GetActiveView();
  if (pView != nullptr && pView->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  CWinApp* pApp = AfxGetApp();
  return pApp != nullptr && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  HWND hWndCtrl = (HWND)lParam;
  // Menu commands reset the prompt of the status bar.
  if (hWndCtrl == nullptr) m_nIDTracking = 0;
  return CWnd::OnCommand(wParam, lParam);
}

void CFrameWnd::OnInitMenuPopup(CMenu* pMenu, UINT, BOOL bSysMenu) {
  if (bSysMenu) return;
  CCmdUI state;
  state.m_pMenu = pMenu;
  state.m_pParentMenu = nullptr;
  state.m_nIndexMax = pMenu->GetMenuItemCount();
  for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++) {
    state.m_nID = pMenu->GetMenuItemID((int)state.m_nIndex);
    if (state.m_nID == 0) continue;  // separator
    if (state.m_nID == (UINT)-1) {
      // A popup: updated through its first item's command when that has one.
      state.m_pSubMenu = pMenu->GetSubMenu((int)state.m_nIndex);
      if (state.m_pSubMenu == nullptr || (state.m_nID = state.m_pSubMenu->GetMenuItemID(0)) == 0 ||
          state.m_nID == (UINT)-1)
        continue;
      state.DoUpdate(this, TRUE);
    } else {
      state.m_pSubMenu = nullptr;
      state.DoUpdate(this, m_bAutoMenuEnable && state.m_nID < 0xF000);
    }
    // The update may have added or removed items (recent files).
    UINT nCount = pMenu->GetMenuItemCount();
    if (nCount < state.m_nIndexMax) {
      state.m_nIndex -= (state.m_nIndexMax - nCount);
      while (state.m_nIndex < nCount && pMenu->GetMenuItemID((int)state.m_nIndex) == state.m_nID) state.m_nIndex++;
    }
    state.m_nIndexMax = nCount;
  }
}

void CFrameWnd::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu) {
  if (nFlags == 0xFFFF && hSysMenu == nullptr) {
    m_nIDTracking = AFX_IDS_IDLEMESSAGE;  // menu closed
  } else if (nItemID == 0 || (nFlags & (MF_SEPARATOR | MF_POPUP))) {
    m_nIDTracking = 0;
  } else if (nItemID >= 0xF000 && nItemID < 0xF1F0) {
    m_nIDTracking = ID_COMMAND_FROM_SC(nItemID);
  } else {
    m_nIDTracking = nItemID;
  }
  if (m_nIDTracking != m_nIDLastMessage) SendMessage(WM_SETMESSAGESTRING, (WPARAM)m_nIDTracking);
}

void CFrameWnd::OnEnterIdle(UINT nWhy, CWnd* pWho) {
  CWnd::OnEnterIdle(nWhy, pWho);
  if (nWhy != MSGF_MENU || m_nIDTracking == m_nIDLastMessage) return;
  SetMessageText(m_nIDTracking);
}

void CFrameWnd::OnDropFiles(HDROP hDropInfo) {
  SetActiveWindow();
  UINT nFiles = ::DragQueryFileW(hDropInfo, 0xFFFFFFFF, nullptr, 0);
  CWinApp* pApp = AfxGetApp();
  for (UINT i = 0; i < nFiles && pApp != nullptr; ++i) {
    wchar_t name[MAX_PATH * 2];
    ::DragQueryFileW(hDropInfo, i, name, MAX_PATH * 2);
    pApp->OpenDocumentFile(name);
  }
  ::DragFinish(hDropInfo);
}

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM) {
  if (m_nIdleFlags & idleMenu) {
    m_nIdleFlags &= ~idleMenu;
    OnUpdateFrameMenu(nullptr);
  }
  if (m_nIdleFlags & idleTitle) {
    m_nIdleFlags &= ~idleTitle;
    OnUpdateFrameTitle(TRUE);
  }
  if (m_nIdleFlags & idleLayout) {
    RecalcLayout(m_nIdleFlags & idleNotify);
    UpdateWindow();
  }
  return 0;
}

CWnd* CFrameWnd::GetMessageBar() { return GetDescendantWindow(AFX_IDW_STATUS_BAR, TRUE); }

void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const {
  CString full;
  if (full.LoadString(nID)) AfxExtractSubString(rMessage, full, 0);  // the prompt before the tooltip
  else rMessage.Empty();
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam) {
  UINT nIDLast = m_nIDLastMessage;
  m_nIDLastMessage = (UINT)wParam;
  CWnd* pBar = GetMessageBar();
  if (pBar != nullptr) {
    CString strMessage;
    LPCWSTR lpsz = nullptr;
    if (lParam != 0) {
      lpsz = (LPCWSTR)lParam;
    } else if (wParam != 0) {
      GetMessageString((UINT)wParam, strMessage);
      lpsz = strMessage;
    }
    pBar->SetWindowText(lpsz ? lpsz : L"");
  }
  m_nIDTracking = (UINT)wParam;
  return nIDLast;
}

LRESULT CFrameWnd::OnPopMessageString(WPARAM wParam, LPARAM lParam) {
  return OnSetMessageString(wParam ? wParam : AFX_IDS_IDLEMESSAGE, lParam);
}

void CFrameWnd::SetMessageText(LPCWSTR lpszText) { SendMessage(WM_SETMESSAGESTRING, 0, (LPARAM)lpszText); }
void CFrameWnd::SetMessageText(UINT nID) { SendMessage(WM_SETMESSAGESTRING, (WPARAM)nID); }

BOOL CFrameWnd::OnToolTipText(UINT, NMHDR* pNMHDR, LRESULT* pResult) {
  NMTTDISPINFOW* pInfo = (NMTTDISPINFOW*)pNMHDR;
  UINT_PTR nID = pNMHDR->idFrom;
  if (pInfo->uFlags & TTF_IDISHWND) nID = (UINT_PTR)::GetDlgCtrlID((HWND)nID);
  if (nID == 0) return FALSE;  // separators and unnamed windows have no tip
  CString full, tip;
  if (full.LoadString((UINT)nID)) AfxExtractSubString(tip, full, 1);
  lstrcpynW(pInfo->szText, tip, (int)(sizeof(pInfo->szText) / sizeof(wchar_t)));
  pInfo->lpszText = pInfo->szText;
  if (pResult) *pResult = 0;
  ::SetWindowPos(pNMHDR->hwndFrom, HWND_TOP, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOSIZE | SWP_NOMOVE | SWP_NOOWNERZORDER);
  return TRUE;
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI) {
  // Bars are found through the bar list, so floating ones count too.
  CWnd* pBar = GetControlBar(pCmdUI->m_nID);
  if (pBar == nullptr) pBar = GetDescendantWindow((int)pCmdUI->m_nID, TRUE);
  if (pBar == nullptr) {
    pCmdUI->ContinueRouting();
    return;
  }
  pCmdUI->SetCheck((pBar->GetStyle() & WS_VISIBLE) != 0);
}

BOOL CFrameWnd::OnBarCheck(UINT nID) {
  CControlBar* pControlBar = GetControlBar(nID);
  if (pControlBar != nullptr) {
    ShowControlBar(pControlBar, (pControlBar->GetStyle() & WS_VISIBLE) == 0, FALSE);
    return TRUE;
  }
  CWnd* pBar = GetDescendantWindow((int)nID, TRUE);
  if (pBar == nullptr) return FALSE;
  pBar->ShowWindow((pBar->GetStyle() & WS_VISIBLE) ? SW_HIDE : SW_SHOW);
  RecalcLayout();
  return TRUE;
}

void CFrameWnd::BeginModalState() {
  if (m_cModalStack++ > 0) return;
  // Disable the other top-level windows of this thread that are enabled.
  m_disabledWindows.clear();
  DWORD tid = ::GetCurrentThreadId();
  struct Ctx { CFrameWnd* self; DWORD tid; };
  Ctx ctx = {this, tid};
  ::EnumThreadWindows(tid, [](HWND h, LPARAM lp) -> BOOL {
    Ctx* c = (Ctx*)lp;
    if (h != c->self->m_hWnd && ::IsWindowEnabled(h) && ::IsWindowVisible(h) &&
        ::GetWindow(h, GW_OWNER) == c->self->m_hWnd) {
      ::EnableWindow(h, FALSE);
      c->self->m_disabledWindows.push_back(h);
    }
    return TRUE;
  }, (LPARAM)&ctx);
  EnableWindow(FALSE);
}

void CFrameWnd::EndModalState() {
  if (m_cModalStack == 0 || --m_cModalStack > 0) return;
  for (HWND h : m_disabledWindows)
    if (::IsWindow(h)) ::EnableWindow(h, TRUE);
  m_disabledWindows.clear();
  EnableWindow(TRUE);
}
