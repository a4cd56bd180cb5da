// CPropertySheet and CPropertyPage over the common property sheet.
#include "Framework.h"
#include "FwPropSheet.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)
IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

// ---- page --------------------------------------------------------------------------------------

// The common sheet creates each page from its template with this procedure; the page object
// comes with WM_INITDIALOG (the sheet's copy of the page record keeps lParam) and takes the
// window over there, so that the page sees its WM_INITDIALOG through its own message map.
INT_PTR CALLBACK AfxPropPageProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_INITDIALOG) return FALSE;
  if (CWnd::FromHandlePermanent(hWnd) != nullptr) return TRUE;  // the page's own default handling
  auto* pPage = (CPropertyPage*)((PROPSHEETPAGEW*)lParam)->lParam;
  if (pPage == nullptr || !pPage->SubclassWindow(hWnd)) return TRUE;
  return (INT_PTR)AfxCallWndProc(pPage, hWnd, WM_INITDIALOG, wParam, lParam);
}

CPropertyPage::CPropertyPage() { CommonConstruct(nullptr, 0); }
CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption) {
  CommonConstruct(MAKEINTRESOURCEW(nIDTemplate), nIDCaption);
  m_nIDHelp = nIDTemplate;
}
CPropertyPage::CPropertyPage(LPCWSTR lpszTemplateName, UINT nIDCaption) { CommonConstruct(lpszTemplateName, nIDCaption); }

void CPropertyPage::CommonConstruct(LPCWSTR lpszTemplateName, UINT nIDCaption) {
  memset(&m_psp, 0, sizeof(m_psp));
  m_psp.dwSize = sizeof(m_psp);
  m_lpszTemplateName = lpszTemplateName;
  if (nIDCaption != 0) m_strCaption.LoadString(nIDCaption);
}

void CPropertyPage::PreProcessPageTemplate() {
  m_psp.dwSize = sizeof(m_psp);
  m_psp.dwFlags &= ~(PSP_DLGINDIRECT | PSP_USETITLE);
  if (m_lpDialogTemplate != nullptr) {
    m_psp.dwFlags |= PSP_DLGINDIRECT;
    m_psp.pResource = m_lpDialogTemplate;
    m_psp.hInstance = AfxGetInstanceHandle();
  } else {
    m_psp.pszTemplate = m_lpszTemplateName;
    m_psp.hInstance = AfxFindResourceHandle(m_lpszTemplateName, (LPCWSTR)RT_DIALOG);
  }
  if (!m_strCaption.IsEmpty()) {
    m_psp.dwFlags |= PSP_USETITLE;
    m_psp.pszTitle = m_strCaption;
  }
  m_psp.pfnDlgProc = AfxPropPageProc;
  m_psp.lParam = (LPARAM)this;
}

BOOL CPropertyPage::OnSetActive() {
  if (m_bFirstSetActive) m_bFirstSetActive = FALSE;
  else UpdateData(FALSE);
  return TRUE;
}

BOOL CPropertyPage::OnKillActive() { return UpdateData(TRUE); }

BOOL CPropertyPage::OnApply() {
  OnOK();
  return TRUE;
}

void CPropertyPage::SetModified(BOOL bChanged) {
  m_bModified = bChanged;
  HWND hSheet = m_hWnd != nullptr ? ::GetParent(m_hWnd) : nullptr;
  if (hSheet != nullptr) ::SendMessageW(hSheet, bChanged ? PSM_CHANGED : PSM_UNCHANGED, (WPARAM)m_hWnd, 0);
}

void CPropertyPage::CancelToClose() {
  if (m_hWnd != nullptr) ::SendMessageW(::GetParent(m_hWnd), PSM_CANCELTOCLOSE, 0, 0);
}

BOOL CPropertyPage::PreTranslateMessage(MSG* pMsg) {
  // Dialog keys are the sheet's business (Tab between page and buttons, Enter for OK).
  return CWnd::PreTranslateMessage(pMsg);
}

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  auto* pHdr = (NMHDR*)lParam;
  LRESULT result = 0;
  switch (pHdr->code) {
    case PSN_SETACTIVE:
      result = OnSetActive() ? 0 : -1;
      break;
    case PSN_KILLACTIVE:
      result = OnKillActive() ? FALSE : TRUE;
      break;
    case PSN_APPLY:
      if (((PSHNOTIFY*)pHdr)->lParam != 0 && m_pSheet != nullptr) m_pSheet->m_nModalResult = IDOK;
      // The sheet notifies every created page; only one with changes is applied.
      if (m_bModified) {
        if (OnApply()) m_bModified = FALSE;
        else result = PSNRET_INVALID_NOCHANGEPAGE;
      }
      break;
    case PSN_RESET:
      OnReset();
      break;
    case PSN_QUERYCANCEL:
      result = OnQueryCancel() ? FALSE : TRUE;
      break;
    default:
      return CDialog::OnNotify(wParam, lParam, pResult);
  }
  ::SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, result);
  *pResult = result;
  return TRUE;
}

// ---- sheet -------------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CPropertySheet, CWnd)
  ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
  ON_WM_DESTROY()
  ON_WM_CLOSE()
END_MESSAGE_MAP()

CPropertySheet::CPropertySheet() { CommonConstruct(nullptr, 0); }
CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage) {
  CommonConstruct(pParentWnd, iSelectPage);
  m_strCaption.LoadString(nIDCaption);
}
CPropertySheet::CPropertySheet(LPCWSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage) {
  CommonConstruct(pParentWnd, iSelectPage);
  m_strCaption = pszCaption;
}

CPropertySheet::~CPropertySheet() {
  if (m_hWnd != nullptr) DestroyWindow();
}

void CPropertySheet::CommonConstruct(CWnd* pParentWnd, UINT iSelectPage) {
  memset(&m_psh, 0, sizeof(m_psh));
  m_psh.dwSize = sizeof(m_psh);
  m_psh.dwFlags = PSH_PROPSHEETPAGE;
  m_psh.nStartPage = iSelectPage;
  m_pParentWnd = pParentWnd;
}

void CPropertySheet::SetTitle(LPCWSTR lpszText, UINT nStyle) {
  m_strCaption = lpszText;
  m_psh.dwFlags = (m_psh.dwFlags & ~PSH_PROPTITLE) | (nStyle & PSH_PROPTITLE);
  if (m_hWnd != nullptr) SendMessage(PSM_SETTITLEW, nStyle, (LPARAM)lpszText);
}

HPROPSHEETPAGE CPropertySheet::CreatePageHandle(CPropertyPage* pPage) {
  pPage->m_pSheet = this;
  pPage->PreProcessPageTemplate();
  return ::CreatePropertySheetPageW(&pPage->m_psp);
}

void CPropertySheet::AddPage(CPropertyPage* pPage) {
  pPage->m_pSheet = this;
  pPage->m_bFirstSetActive = TRUE;
  m_pages.push_back(pPage);
  if (m_hWnd == nullptr) return;
  HPROPSHEETPAGE h = CreatePageHandle(pPage);
  if (h == nullptr || !SendMessage(PSM_ADDPAGE, 0, (LPARAM)h)) {
    if (h != nullptr) ::DestroyPropertySheetPage(h);
    m_pages.pop_back();
    AfxThrowMemoryException();
  }
  m_handles.push_back(h);
}

void CPropertySheet::RemovePage(CPropertyPage* pPage) {
  int n = GetPageIndex(pPage);
  if (n >= 0) RemovePage(n);
}

void CPropertySheet::RemovePage(int nPage) {
  if (nPage < 0 || nPage >= GetPageCount()) return;
  if (m_hWnd != nullptr) {
    // The common sheet destroys the page's window and its handle.
    SendMessage(PSM_REMOVEPAGE, (WPARAM)nPage, 0);
    if (nPage < (int)m_handles.size()) m_handles.erase(m_handles.begin() + nPage);
  }
  m_pages.erase(m_pages.begin() + nPage);
}

CPropertyPage* CPropertySheet::GetPage(int nPage) const {
  return nPage >= 0 && nPage < GetPageCount() ? m_pages[nPage] : nullptr;
}

int CPropertySheet::GetPageIndex(CPropertyPage* pPage) const {
  for (int i = 0; i < GetPageCount(); ++i)
    if (m_pages[i] == pPage) return i;
  return -1;
}

int CPropertySheet::GetActiveIndex() const {
  if (m_hWnd == nullptr) return (int)m_psh.nStartPage;
  HWND hTab = (HWND)SendMessage(PSM_GETTABCONTROL);
  return hTab != nullptr ? (int)::SendMessageW(hTab, TCM_GETCURSEL, 0, 0) : (int)m_psh.nStartPage;
}

CPropertyPage* CPropertySheet::GetActivePage() const { return GetPage(GetActiveIndex()); }

BOOL CPropertySheet::SetActivePage(int nPage) {
  if (nPage < 0 || nPage >= GetPageCount()) return FALSE;
  if (m_hWnd == nullptr) {
    m_psh.nStartPage = (UINT)nPage;
    return TRUE;
  }
  return (BOOL)SendMessage(PSM_SETCURSEL, (WPARAM)nPage, 0);
}

BOOL CPropertySheet::SetActivePage(CPropertyPage* pPage) { return SetActivePage(GetPageIndex(pPage)); }

CTabCtrl* CPropertySheet::GetTabControl() const {
  return m_hWnd != nullptr ? (CTabCtrl*)CWnd::FromHandle((HWND)SendMessage(PSM_GETTABCONTROL)) : nullptr;
}

// The style a sheet is created with travels to the creation callback through this slot.
static thread_local DWORD t_dwSheetStyle = (DWORD)-1;
static thread_local DWORD t_dwSheetExStyle = 0;

static int CALLBACK SheetCallback(HWND, UINT message, LPARAM lParam) {
  if (message != PSCB_PRECREATE || t_dwSheetStyle == (DWORD)-1) return 0;
  // Both template layouts: the extended one starts with version 1 and signature 0xFFFF.
  auto* words = (WORD*)lParam;
  DWORD* pStyle;
  DWORD* pExStyle;
  if (words[0] == 1 && words[1] == 0xFFFF) {
    pExStyle = (DWORD*)(words + 4);
    pStyle = (DWORD*)(words + 6);
  } else {
    pStyle = (DWORD*)words;
    pExStyle = (DWORD*)(words + 2);
  }
  DWORD style = t_dwSheetStyle;
  if (style & WS_CHILD) {
    // A sheet inside a dialog is one of its controls: the dialog's Tab walks into it.
    style = (style & ~(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME)) | DS_CONTROL;
    *pExStyle = (*pExStyle & ~(WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE)) | WS_EX_CONTROLPARENT | t_dwSheetExStyle;
  } else {
    *pExStyle |= t_dwSheetExStyle;
  }
  *pStyle = style | (*pStyle & (DS_SETFONT | DS_3DLOOK | DS_SHELLFONT));
  return 0;
}

BOOL CPropertySheet::BuildAndCreate(HWND hWndParent, DWORD dwStyle, DWORD dwExStyle) {
  m_handles.clear();
  for (CPropertyPage* pPage : m_pages) {
    pPage->m_bFirstSetActive = TRUE;
    HPROPSHEETPAGE h = CreatePageHandle(pPage);
    if (h == nullptr) {
      for (HPROPSHEETPAGE made : m_handles) ::DestroyPropertySheetPage(made);
      m_handles.clear();
      return FALSE;
    }
    m_handles.push_back(h);
  }
  m_psh.dwSize = sizeof(m_psh);
  m_psh.dwFlags = (m_psh.dwFlags & ~(PSH_PROPSHEETPAGE | PSH_USECALLBACK)) | PSH_MODELESS | PSH_USECALLBACK;
  m_psh.pfnCallback = SheetCallback;
  m_psh.hwndParent = hWndParent;
  m_psh.hInstance = AfxGetResourceHandle();
  m_psh.pszCaption = m_strCaption;
  m_psh.nPages = (UINT)m_handles.size();
  m_psh.phpage = m_handles.data();
  if (m_psh.nStartPage >= m_psh.nPages) m_psh.nStartPage = 0;
  m_bModalEnded = FALSE;
  t_dwSheetStyle = dwStyle;
  t_dwSheetExStyle = dwExStyle;
  AfxHookWindowCreate(this);
  HWND hWnd = (HWND)::PropertySheetW(&m_psh);
  AfxUnhookWindowCreate();
  t_dwSheetStyle = (DWORD)-1;
  t_dwSheetExStyle = 0;
  if (hWnd == nullptr || hWnd == (HWND)-1) {
    if (m_hWnd != nullptr) Detach();
    return FALSE;
  }
  return TRUE;
}

LRESULT CPropertySheet::HandleInitDialog(WPARAM, LPARAM) {
  LRESULT r = Default();  // the common sheet builds its tabs and the start page
  OnInitDialog();
  return r;
}

BOOL CPropertySheet::OnInitDialog() {
  if (!m_bStacked) {
    if (CTabCtrl* pTab = GetTabControl()) pTab->ModifyStyle(TCS_MULTILINE, TCS_SINGLELINE);
  }
  if (m_bModeless) HideButtonRow();
  return TRUE;
}

void CPropertySheet::HideButtonRow() {
  static const int buttons[] = {IDOK, IDCANCEL, ID_APPLY_NOW, IDHELP};
  for (int id : buttons) {
    if (HWND h = ::GetDlgItem(m_hWnd, id)) {
      ::ShowWindow(h, SW_HIDE);
      ::EnableWindow(h, FALSE);
    }
  }
  HWND hTab = (HWND)SendMessage(PSM_GETTABCONTROL);
  if (hTab == nullptr) return;
  CRect rcTab, rcClient, rcWindow;
  ::GetWindowRect(hTab, &rcTab);
  ScreenToClient(&rcTab);
  GetClientRect(&rcClient);
  // The tab control keeps the margin it has at the top below it too; the rest goes.
  int spare = rcClient.bottom - (rcTab.bottom + rcTab.top);
  if (spare <= 0) return;
  GetWindowRect(&rcWindow);
  SetWindowPos(nullptr, 0, 0, rcWindow.Width(), rcWindow.Height() - spare, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CPropertySheet::Create(CWnd* pParentWnd, DWORD dwStyle, DWORD dwExStyle) {
  if (pParentWnd == nullptr) pParentWnd = m_pParentWnd;
  if (pParentWnd == nullptr && !(dwStyle != (DWORD)-1 && (dwStyle & WS_CHILD))) pParentWnd = AfxGetMainWnd();
  m_bModeless = TRUE;
  if (!BuildAndCreate(pParentWnd->GetSafeHwnd(), dwStyle, dwExStyle)) return FALSE;
  if (dwStyle == (DWORD)-1 || (dwStyle & WS_VISIBLE)) ShowWindow(SW_SHOWNA);
  return TRUE;
}

INT_PTR CPropertySheet::DoModal() {
  HWND hParent = m_pParentWnd->GetSafeHwnd();
  if (hParent == nullptr) hParent = AfxGetMainWnd()->GetSafeHwnd();
  while (hParent != nullptr && (::GetWindowLongPtrW(hParent, GWL_STYLE) & WS_CHILD)) hParent = ::GetParent(hParent);
  if (hParent != nullptr) hParent = ::GetLastActivePopup(hParent);
  BOOL bEnableParent = FALSE;
  if (hParent != nullptr && ::IsWindowEnabled(hParent)) {
    ::EnableWindow(hParent, FALSE);
    bEnableParent = TRUE;
  }
  m_bModeless = FALSE;
  INT_PTR result = -1;
  if (BuildAndCreate(hParent, (DWORD)-1, 0)) {
    ShowWindow(SW_SHOWNORMAL);
    RunModalLoop(MLF_SHOWONIDLE);
    result = m_nModalResult == -1 ? IDCANCEL : m_nModalResult;
  }
  if (bEnableParent) ::EnableWindow(hParent, TRUE);
  if (hParent != nullptr && ::GetActiveWindow() == m_hWnd) ::SetActiveWindow(hParent);
  if (m_hWnd != nullptr) DestroyWindow();
  return result;
}

BOOL CPropertySheet::ContinueModal() {
  if (!CWnd::ContinueModal()) return FALSE;
  // OK, Cancel and the close box end a modeless common sheet by taking its current page away.
  if (SendMessage(PSM_GETCURRENTPAGEHWND) != 0) return TRUE;
  if (m_nModalResult == -1) m_nModalResult = IDCANCEL;
  return FALSE;
}

void CPropertySheet::EndDialog(int nEndID) {
  m_nModalResult = nEndID;
  if (m_bInModalLoop) EndModalLoop(nEndID);
  else if (m_bModeless) DestroyWindow();
}

BOOL CPropertySheet::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (CWnd::OnCommand(wParam, lParam)) return TRUE;
  UINT nID = LOWORD(wParam);
  if (nID != IDOK && nID != IDCANCEL) return FALSE;
  Default();
  if (SendMessage(PSM_GETCURRENTPAGEHWND) == 0 && m_nModalResult == -1) m_nModalResult = nID == IDOK ? IDOK : IDCANCEL;
  return TRUE;
}

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg) {
  if (m_hWnd == nullptr) return FALSE;
  // A sheet that is a child of a dialog leaves the dialog keys to that dialog.
  if (GetStyle() & WS_CHILD) return FALSE;
  bool input = (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST);
  if (!input || (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd))) return FALSE;
  return (BOOL)SendMessage(PSM_ISDIALOGMESSAGE, 0, (LPARAM)pMsg);
}

void CPropertySheet::OnDestroy() {
  // The page shown last is the start page of the next showing and the answer of GetActiveIndex.
  m_psh.nStartPage = (UINT)GetActiveIndex();
  Default();
  m_handles.clear();
}

void CPropertySheet::OnClose() {
  if (m_bModeless && !m_bInModalLoop) {
    DestroyWindow();
    return;
  }
  Default();
}
