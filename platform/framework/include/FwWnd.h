// CWnd: one window object per HWND, attached at creation and found again through a handle map.
#pragma once
#include "FwCmdTarget.h"
#include "FwString.h"
#include "FwGeometry.h"
#include <commctrl.h>

class CDC;
#undef GetNextWindow
class CMenu;
class CFont;
class CScrollBar;
class CFrameWnd;
class CDataExchange;
struct CCreateContext;

// The layout record WM_SIZEPARENT carries: bars take their part of rect and defer their moves.
struct AFX_SIZEPARENTPARAMS {
  HDWP hDWP;
  RECT rect;
  SIZE sizeTotal;
  BOOL bStretch;
};

// Moves a window within a layout pass (deferred when the pass has a defer handle).
void AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect);

class CWnd : public CCmdTarget {
  DECLARE_DYNCREATE(CWnd)
public:
  HWND m_hWnd = nullptr;

  CWnd() = default;
  explicit CWnd(HWND hWnd) : m_hWnd(hWnd) {}
  ~CWnd() override;

  operator HWND() const { return this ? m_hWnd : nullptr; }
  HWND GetSafeHwnd() const { return this ? m_hWnd : nullptr; }
  bool operator==(const CWnd& w) const { return m_hWnd == w.m_hWnd; }
  bool operator!=(const CWnd& w) const { return m_hWnd != w.m_hWnd; }

  // Handle map: the permanent object of a window, or a temporary one deleted at idle time.
  static CWnd* FromHandle(HWND hWnd);
  static CWnd* FromHandlePermanent(HWND hWnd);
  static void DeleteTempMap();
  BOOL Attach(HWND hWndNew);
  HWND Detach();
  BOOL SubclassWindow(HWND hWnd);
  BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
  HWND UnsubclassWindow();

  // Creation.
  virtual BOOL Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                      CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr);
  virtual BOOL CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, int x, int y,
                        int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam = nullptr);
  BOOL CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr);
  // A modeless dialog from a template (by resource name, or in memory) as this window.
  BOOL CreateDlg(LPCWSTR lpszTemplateName, CWnd* pParentWnd);
  BOOL CreateDlgIndirect(LPCDLGTEMPLATEW lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst = nullptr);
  virtual BOOL DestroyWindow();
  virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
  virtual void PreSubclassWindow() {}
  virtual void PostNcDestroy() {}
  virtual void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = 0);

  // Messages.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual BOOL PreTranslateMessage(MSG* pMsg);
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  BOOL SendChildNotifyLastMsg(LRESULT* pResult = nullptr);
  static BOOL ReflectLastMsg(HWND hWndChild, LRESULT* pResult = nullptr);
  static BOOL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);
  static const MSG* GetCurrentMessage();
  LRESULT Default();
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::SendMessageW(m_hWnd, message, wParam, lParam); }
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::PostMessageW(m_hWnd, message, wParam, lParam); }
  BOOL SendNotifyMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendNotifyMessageW(m_hWnd, message, wParam, lParam); }
  // Sends to every child (and their children when bDeep); bOnlyPerm skips windows without an object.
  void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL bDeep = TRUE,
                                BOOL bOnlyPerm = FALSE);

  // Tooltips: with tooltips enabled, mouse messages that pass PreTranslateMessage ask
  // OnToolHitTest for the tool under the cursor and keep the thread's tooltip control up to date.
  BOOL EnableToolTips(BOOL bEnable = TRUE);
  // The tool at a client point: its id (or -1) and, when pTI is given, its record. A text in
  // the record is either LPSTR_TEXTCALLBACKW or a malloc'ed copy that the framework frees.
  virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFOW* pTI) const;
  void FilterToolTipMessage(MSG* pMsg);
  static void CancelToolTips(BOOL bKeys = FALSE);

  // Help: shows help for dwData (a help context) through the application's help call; a
  // failure is reported with AFX_IDP_FAILED_TO_LAUNCH_HELP.
  virtual void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT);
  // Ends menus, captures and help mode before help comes up.
  void PrepareForHelp();
  afx_msg void OnHelp();

  // Modal loop used by dialogs and other modal windows.
  int RunModalLoop(DWORD dwFlags = 0);
  virtual BOOL ContinueModal();
  virtual void EndModalLoop(int nResult);

  // Hosted controls (AfxEnableControlContainer): this window becomes the control's site window,
  // with the control activated in place inside it; its events reach the parent's event sink map.
  BOOL CreateControl(REFCLSID clsid, LPCWSTR pszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                     UINT nID);
  BOOL CreateControl(LPCWSTR pszProgID, LPCWSTR pszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                     UINT nID);
  // Calls the hosted control's dispatch member; pbParamInfo lists the VTS_ types of the arguments
  // that follow. A failure throws COleException.
  void InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet, const BYTE* pbParamInfo, ...);
  void GetProperty(DISPID dwDispID, VARTYPE vtProp, void* pvProp) const;
  void SetProperty(DISPID dwDispID, VARTYPE vtProp, ...);
  IUnknown* GetControlUnknown() const;
  // Told about the hosted controls a dialog template names before the dialog is created.
  virtual BOOL SetOccDialogInfo(struct _AFX_OCC_DIALOG_INFO* pOccDialogInfo) { return FALSE; }

  // Dialog data.
  BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
  virtual void DoDataExchange(CDataExchange* pDX) {}
  // Updates every child control through the command route of pTarget (see CCmdUI).
  void UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
  // Makes state stand for the child control hChild (through wndTemp) and offers the update to the
  // control's own reflected handler; TRUE when that handler took it.
  static BOOL BeginChildUpdate(HWND hChild, CCmdUI& state, CWnd& wndTemp);

  // Layout of control bars and the remaining pane.
  void RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag = reposDefault,
                      LPRECT lpRectParam = nullptr, LPCRECT lpRectClient = nullptr, BOOL bStretch = TRUE);

  // Family.
  CFrameWnd* GetParentFrame() const;
  CFrameWnd* GetTopLevelFrame() const;
  CWnd* GetTopLevelParent() const;
  CWnd* GetTopLevelOwner() const;
  CWnd* GetParentOwner() const;
  CWnd* GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
  CWnd* SetParent(CWnd* pWndNewParent) { return FromHandle(::SetParent(m_hWnd, pWndNewParent->GetSafeHwnd())); }
  CWnd* GetOwner() const;
  void SetOwner(CWnd* pOwnerWnd) { m_hWndOwner = pOwnerWnd->GetSafeHwnd(); }
  CWnd* GetDlgItem(int nID) const { return FromHandle(::GetDlgItem(m_hWnd, nID)); }
  void GetDlgItem(int nID, HWND* phWnd) const { *phWnd = ::GetDlgItem(m_hWnd, nID); }
  // The first descendant with that id; children with their parent's id come first.
  CWnd* GetDescendantWindow(int nID, BOOL bOnlyPerm = FALSE) const;
  int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
  int SetDlgCtrlID(int nID) { return (int)::SetWindowLongPtrW(m_hWnd, GWLP_ID, nID); }
  CWnd* GetWindow(UINT nCmd) const { return FromHandle(::GetWindow(m_hWnd, nCmd)); }
  CWnd* GetTopWindow() const { return FromHandle(::GetTopWindow(m_hWnd)); }
  CWnd* GetNextWindow(UINT nFlag = GW_HWNDNEXT) const { return FromHandle(::GetWindow(m_hWnd, nFlag)); }
  CWnd* GetLastActivePopup() const { return FromHandle(::GetLastActivePopup(m_hWnd)); }
  CWnd* GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const {
    return FromHandle(::GetNextDlgTabItem(m_hWnd, pWndCtl->GetSafeHwnd(), bPrevious)); }
  CWnd* GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const {
    return FromHandle(::GetNextDlgGroupItem(m_hWnd, pWndCtl->GetSafeHwnd(), bPrevious)); }
  BOOL IsChild(const CWnd* pWnd) const { return ::IsChild(m_hWnd, pWnd->GetSafeHwnd()); }
  CWnd* ChildWindowFromPoint(POINT point) const { return FromHandle(::ChildWindowFromPoint(m_hWnd, point)); }
  CWnd* ChildWindowFromPoint(POINT point, UINT nFlags) const {
    return FromHandle(::ChildWindowFromPointEx(m_hWnd, point, nFlags)); }
  static CWnd* WindowFromPoint(POINT point) { return FromHandle(::WindowFromPoint(point)); }
  static CWnd* GetDesktopWindow() { return FromHandle(::GetDesktopWindow()); }
  static CWnd* FindWindow(LPCWSTR lpszClassName, LPCWSTR lpszWindowName) {
    return FromHandle(::FindWindowW(lpszClassName, lpszWindowName)); }

  // State and position.
  DWORD GetStyle() const { return (DWORD)::GetWindowLongPtrW(m_hWnd, GWL_STYLE); }
  DWORD GetExStyle() const { return (DWORD)::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE); }
  BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0) { return ModifyStyle(m_hWnd, dwRemove, dwAdd, nFlags); }
  BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0) { return ModifyStyleEx(m_hWnd, dwRemove, dwAdd, nFlags); }
  static BOOL ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);
  static BOOL ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);
  BOOL ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
  BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
  BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
  BOOL EnableWindow(BOOL bEnable = TRUE) { return ::EnableWindow(m_hWnd, bEnable); }
  BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
  BOOL IsZoomed() const { return ::IsZoomed(m_hWnd); }
  void MoveWindow(int x, int y, int w, int h, BOOL bRepaint = TRUE) { ::MoveWindow(m_hWnd, x, y, w, h, bRepaint); }
  void MoveWindow(LPCRECT r, BOOL bRepaint = TRUE) { MoveWindow(r->left, r->top, r->right - r->left, r->bottom - r->top, bRepaint); }
  BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags) {
    return ::SetWindowPos(m_hWnd, pWndInsertAfter->GetSafeHwnd(), x, y, cx, cy, nFlags); }
  BOOL GetWindowPlacement(WINDOWPLACEMENT* p) const { p->length = sizeof(*p); return ::GetWindowPlacement(m_hWnd, p); }
  BOOL SetWindowPlacement(const WINDOWPLACEMENT* p) { return ::SetWindowPlacement(m_hWnd, p); }
  void GetWindowRect(LPRECT r) const { ::GetWindowRect(m_hWnd, r); }
  void GetClientRect(LPRECT r) const { ::GetClientRect(m_hWnd, r); }
  void ClientToScreen(LPPOINT p) const { ::ClientToScreen(m_hWnd, p); }
  void ClientToScreen(LPRECT r) const { ::MapWindowPoints(m_hWnd, nullptr, (LPPOINT)r, 2); }
  void ScreenToClient(LPPOINT p) const { ::ScreenToClient(m_hWnd, p); }
  void ScreenToClient(LPRECT r) const { ::MapWindowPoints(nullptr, m_hWnd, (LPPOINT)r, 2); }
  void MapWindowPoints(CWnd* pwndTo, LPRECT r) const { ::MapWindowPoints(m_hWnd, pwndTo->GetSafeHwnd(), (LPPOINT)r, 2); }
  void MapWindowPoints(CWnd* pwndTo, LPPOINT p, UINT n) const { ::MapWindowPoints(m_hWnd, pwndTo->GetSafeHwnd(), p, n); }
  void CenterWindow(CWnd* pAlternateOwner = nullptr);
  void BringWindowToTop() { ::BringWindowToTop(m_hWnd); }
  BOOL SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }
  CWnd* SetActiveWindow() { return FromHandle(::SetActiveWindow(m_hWnd)); }
  static CWnd* GetActiveWindow() { return FromHandle(::GetActiveWindow()); }
  static CWnd* GetForegroundWindow() { return FromHandle(::GetForegroundWindow()); }
  CWnd* SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
  static CWnd* GetFocus() { return FromHandle(::GetFocus()); }
  CWnd* SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }
  static CWnd* GetCapture() { return FromHandle(::GetCapture()); }
  BOOL FlashWindow(BOOL bInvert) { return ::FlashWindow(m_hWnd, bInvert); }
  void ShowOwnedPopups(BOOL bShow = TRUE) { ::ShowOwnedPopups(m_hWnd, bShow); }

  // Text, font, menu, icon.
  void SetWindowText(LPCWSTR lpszString) { ::SetWindowTextW(m_hWnd, lpszString); }
  int GetWindowText(LPWSTR lpszString, int nMaxCount) const { return ::GetWindowTextW(m_hWnd, lpszString, nMaxCount); }
  void GetWindowText(CString& rString) const;
  int GetWindowTextLength() const { return ::GetWindowTextLengthW(m_hWnd); }
  void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
  CFont* GetFont() const;
  CMenu* GetMenu() const;
  BOOL SetMenu(CMenu* pMenu);
  void DrawMenuBar() { ::DrawMenuBar(m_hWnd); }
  CMenu* GetSystemMenu(BOOL bRevert) const;
  HICON SetIcon(HICON hIcon, BOOL bBigIcon) { return (HICON)SendMessage(WM_SETICON, bBigIcon, (LPARAM)hIcon); }
  HICON GetIcon(BOOL bBigIcon) const { return (HICON)SendMessage(WM_GETICON, bBigIcon, 0); }

  // Dialog-item helpers.
  void SetDlgItemText(int nID, LPCWSTR lpszString) { ::SetDlgItemTextW(m_hWnd, nID, lpszString); }
  int GetDlgItemText(int nID, LPWSTR lpStr, int nMaxCount) const { return ::GetDlgItemTextW(m_hWnd, nID, lpStr, nMaxCount); }
  int GetDlgItemText(int nID, CString& rString) const;
  void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE) { ::SetDlgItemInt(m_hWnd, nID, nValue, bSigned); }
  UINT GetDlgItemInt(int nID, BOOL* lpTrans = nullptr, BOOL bSigned = TRUE) const {
    return ::GetDlgItemInt(m_hWnd, nID, lpTrans, bSigned); }
  void CheckDlgButton(int nIDButton, UINT nCheck) { ::CheckDlgButton(m_hWnd, nIDButton, nCheck); }
  UINT IsDlgButtonChecked(int nIDButton) const { return ::IsDlgButtonChecked(m_hWnd, nIDButton); }
  void CheckRadioButton(int nIDFirst, int nIDLast, int nIDCheck) { ::CheckRadioButton(m_hWnd, nIDFirst, nIDLast, nIDCheck); }
  int GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton) const;
  LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::SendDlgItemMessageW(m_hWnd, nID, message, wParam, lParam); }

  // Painting.
  CDC* GetDC();
  CDC* GetWindowDC();
  int ReleaseDC(CDC* pDC);
  void Invalidate(BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, bErase); }
  void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, lpRect, bErase); }
  void InvalidateRgn(HRGN hRgn, BOOL bErase = TRUE) { ::InvalidateRgn(m_hWnd, hRgn, bErase); }
  void ValidateRect(LPCRECT lpRect) { ::ValidateRect(m_hWnd, lpRect); }
  void UpdateWindow() { ::UpdateWindow(m_hWnd); }
  BOOL RedrawWindow(LPCRECT lpRectUpdate = nullptr, HRGN hrgnUpdate = nullptr,
                    UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE) {
    return ::RedrawWindow(m_hWnd, lpRectUpdate, hrgnUpdate, flags); }
  BOOL GetUpdateRect(LPRECT lpRect, BOOL bErase = FALSE) { return ::GetUpdateRect(m_hWnd, lpRect, bErase); }
  void SetRedraw(BOOL bRedraw = TRUE) { SendMessage(WM_SETREDRAW, bRedraw, 0); }
  void ScrollWindow(int dx, int dy, LPCRECT r = nullptr, LPCRECT clip = nullptr) { ::ScrollWindow(m_hWnd, dx, dy, r, clip); }
  BOOL ShowScrollBar(UINT nBar, BOOL bShow = TRUE) { return ::ShowScrollBar(m_hWnd, nBar, bShow); }
  int GetScrollPos(int nBar) const { return ::GetScrollPos(m_hWnd, nBar); }
  int SetScrollPos(int nBar, int nPos, BOOL bRedraw = TRUE) { return ::SetScrollPos(m_hWnd, nBar, nPos, bRedraw); }
  void SetScrollRange(int nBar, int nMin, int nMax, BOOL bRedraw = TRUE) { ::SetScrollRange(m_hWnd, nBar, nMin, nMax, bRedraw); }
  BOOL GetScrollInfo(int nBar, LPSCROLLINFO p, UINT nMask = SIF_ALL) const {
    p->cbSize = sizeof(*p); p->fMask = nMask; return ::GetScrollInfo(m_hWnd, nBar, p); }
  BOOL SetScrollInfo(int nBar, LPSCROLLINFO p, BOOL bRedraw = TRUE) {
    p->cbSize = sizeof(*p); ::SetScrollInfo(m_hWnd, nBar, p, bRedraw); return TRUE; }

  // Timers, clipboard, files, messages.
  UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer = nullptr) {
    return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer); }
  BOOL KillTimer(UINT_PTR nIDEvent) { return ::KillTimer(m_hWnd, nIDEvent); }
  BOOL OpenClipboard() { return ::OpenClipboard(m_hWnd); }
  HWND SetClipboardViewer() { return ::SetClipboardViewer(m_hWnd); }
  BOOL ChangeClipboardChain(HWND hWndNext) { return ::ChangeClipboardChain(m_hWnd, hWndNext); }
  void DragAcceptFiles(BOOL bAccept = TRUE);
  int MessageBox(LPCWSTR lpszText, LPCWSTR lpszCaption = nullptr, UINT nType = MB_OK) {
    return ::MessageBoxW(m_hWnd, lpszText, lpszCaption, nType); }

  // Default handlers: each does what the system would do with the current message, plus the
  // framework duties noted (reflection to child objects, clean-up at WM_NCDESTROY).
  afx_msg int OnCreate(LPCREATESTRUCT) { return (int)Default(); }
  afx_msg BOOL OnNcCreate(LPCREATESTRUCT) { return (BOOL)Default(); }
  afx_msg void OnDestroy() { Default(); }
  afx_msg void OnNcDestroy();
  afx_msg void OnClose() { Default(); }
  afx_msg void OnSize(UINT, int, int) { Default(); }
  afx_msg void OnMove(int, int) { Default(); }
  afx_msg void OnSizing(UINT, LPRECT) { Default(); }
  afx_msg void OnMoving(UINT, LPRECT) { Default(); }
  afx_msg void OnPaint() { Default(); }
  afx_msg void OnNcPaint() { Default(); }
  afx_msg BOOL OnEraseBkgnd(CDC*) { return (BOOL)Default(); }
  afx_msg void OnTimer(UINT_PTR) { Default(); }
  afx_msg void OnSetFocus(CWnd*) { Default(); }
  afx_msg void OnKillFocus(CWnd*) { Default(); }
  afx_msg void OnActivate(UINT, CWnd*, BOOL) { Default(); }
  afx_msg void OnActivateApp(BOOL, DWORD) { Default(); }
  afx_msg BOOL OnNcActivate(BOOL) { return (BOOL)Default(); }
  afx_msg int OnMouseActivate(CWnd*, UINT, UINT) { return (int)Default(); }
  afx_msg void OnShowWindow(BOOL, UINT) { Default(); }
  afx_msg void OnWindowPosChanging(WINDOWPOS*) { Default(); }
  afx_msg void OnWindowPosChanged(WINDOWPOS*) { Default(); }
  afx_msg void OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
  afx_msg void OnLButtonDown(UINT, CPoint) { Default(); }
  afx_msg void OnLButtonUp(UINT, CPoint) { Default(); }
  afx_msg void OnLButtonDblClk(UINT, CPoint) { Default(); }
  afx_msg void OnRButtonDown(UINT, CPoint) { Default(); }
  afx_msg void OnRButtonUp(UINT, CPoint) { Default(); }
  afx_msg void OnRButtonDblClk(UINT, CPoint) { Default(); }
  afx_msg void OnMButtonDown(UINT, CPoint) { Default(); }
  afx_msg void OnMButtonUp(UINT, CPoint) { Default(); }
  afx_msg void OnMButtonDblClk(UINT, CPoint) { Default(); }
  afx_msg void OnMouseMove(UINT, CPoint) { Default(); }
  afx_msg BOOL OnMouseWheel(UINT, short, CPoint) { return (BOOL)Default(); }
  afx_msg void OnNcLButtonDown(UINT, CPoint) { Default(); }
  afx_msg void OnNcLButtonUp(UINT, CPoint) { Default(); }
  afx_msg void OnNcLButtonDblClk(UINT, CPoint) { Default(); }
  afx_msg void OnNcRButtonDown(UINT, CPoint) { Default(); }
  afx_msg void OnNcRButtonUp(UINT, CPoint) { Default(); }
  afx_msg void OnNcRButtonDblClk(UINT, CPoint) { Default(); }
  afx_msg void OnNcMButtonDown(UINT, CPoint) { Default(); }
  afx_msg void OnNcMButtonUp(UINT, CPoint) { Default(); }
  afx_msg void OnNcMouseMove(UINT, CPoint) { Default(); }
  afx_msg UINT OnNcHitTest(CPoint) { return (UINT)Default(); }
  afx_msg void OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { Default(); }
  afx_msg BOOL OnSetCursor(CWnd*, UINT, UINT) { return (BOOL)Default(); }
  afx_msg void OnKeyDown(UINT, UINT, UINT) { Default(); }
  afx_msg void OnKeyUp(UINT, UINT, UINT) { Default(); }
  afx_msg void OnSysKeyDown(UINT, UINT, UINT) { Default(); }
  afx_msg void OnSysKeyUp(UINT, UINT, UINT) { Default(); }
  afx_msg void OnChar(UINT, UINT, UINT) { Default(); }
  afx_msg void OnSysChar(UINT, UINT, UINT) { Default(); }
  afx_msg void OnSysCommand(UINT, LPARAM) { Default(); }
  afx_msg void OnContextMenu(CWnd*, CPoint) { Default(); }
  afx_msg void OnHScroll(UINT, UINT, CScrollBar* pScrollBar);
  afx_msg void OnVScroll(UINT, UINT, CScrollBar* pScrollBar);
  afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
  afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
  afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
  afx_msg void OnInitMenu(CMenu*) { Default(); }
  afx_msg void OnInitMenuPopup(CMenu*, UINT, BOOL) { Default(); }
  afx_msg void OnMenuSelect(UINT, UINT, HMENU) { Default(); }
  afx_msg LRESULT OnMenuChar(UINT, UINT, CMenu*) { return Default(); }
  afx_msg void OnEnterIdle(UINT, CWnd*) { Default(); }
  afx_msg void OnEnterMenuLoop(BOOL) { Default(); }
  afx_msg void OnExitMenuLoop(BOOL) { Default(); }
  afx_msg void OnCaptureChanged(CWnd*) { Default(); }
  afx_msg void OnCancelMode() { Default(); }
  afx_msg void OnEnable(BOOL) { Default(); }
  afx_msg void OnSysColorChange() { Default(); }
  afx_msg void OnSettingChange(UINT, LPCWSTR) { Default(); }
  afx_msg void OnFontChange() { Default(); }
  afx_msg void OnWinIniChange(LPCWSTR) { Default(); }
  afx_msg void OnDevModeChange(LPWSTR) { Default(); }
  afx_msg void OnTimeChange() { Default(); }
  afx_msg int OnCompareItem(int, LPCOMPAREITEMSTRUCT);
  afx_msg void OnDeleteItem(int, LPDELETEITEMSTRUCT);
  afx_msg int OnCharToItem(UINT, class CListBox* pListBox, UINT);
  afx_msg int OnVKeyToItem(UINT, class CListBox* pListBox, UINT);
  afx_msg void OnRenderFormat(UINT) { Default(); }
  afx_msg void OnRenderAllFormats() { Default(); }
  afx_msg void OnDestroyClipboard() { Default(); }
  afx_msg void OnIconEraseBkgnd(CDC*) { Default(); }
  afx_msg void OnDrawClipboard() { Default(); }
  afx_msg void OnChangeCbChain(HWND, HWND) { Default(); }
  afx_msg void OnDropFiles(HDROP) { Default(); }
  afx_msg BOOL OnQueryEndSession() { return (BOOL)Default(); }
  afx_msg void OnEndSession(BOOL) { Default(); }
  afx_msg UINT OnGetDlgCode() { return (UINT)Default(); }
  afx_msg void OnStyleChanged(int, LPSTYLESTRUCT) { Default(); }
  afx_msg void OnStyleChanging(int, LPSTYLESTRUCT) { Default(); }
  afx_msg void OnPaletteChanged(CWnd*) { Default(); }
  afx_msg BOOL OnQueryNewPalette() { return (BOOL)Default(); }
  afx_msg BOOL OnHelpInfo(HELPINFO*) { return (BOOL)Default(); }
  afx_msg void OnParentNotify(UINT message, LPARAM lParam);
  afx_msg void OnChildActivate() { Default(); }
  afx_msg BOOL OnCopyData(CWnd*, COPYDATASTRUCT*) { return (BOOL)Default(); }
  afx_msg HCURSOR OnQueryDragIcon() { return (HCURSOR)Default(); }
  afx_msg void OnMDIActivate(BOOL, CWnd*, CWnd*) { Default(); }

  WNDPROC m_pfnSuper = nullptr;   // the window procedure this object subclassed
protected:
  BOOL m_bToolTips = FALSE;
  HWND m_hWndOwner = nullptr;      // owner set with SetOwner (else the system owner)
  int m_nModalResult = 0;
  BOOL m_bInModalLoop = FALSE;
  friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
  DECLARE_MESSAGE_MAP()
};

// Modal loop flags.
#define MLF_NOIDLEMSG   0x0001
#define MLF_NOKICKIDLE  0x0002
#define MLF_SHOWONIDLE  0x0004

// Whether a message is one of the mouse's, over the client area or the rest of a window.
inline bool AfxIsMouseMessage(UINT message) {
  return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
         (message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK);
}
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam = 0, LPARAM lParam = 0);
// The next window created on this thread becomes pWnd's (attached and subclassed at creation).
void AfxHookWindowCreate(CWnd* pWnd);
BOOL AfxUnhookWindowCreate();
// Registers (once) a window class with these attributes and returns its name.
LPCWSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr, HBRUSH hbrBackground = nullptr,
                            HICON hIcon = nullptr);
BOOL AfxRegisterClass(WNDCLASSW* lpWndClass);
