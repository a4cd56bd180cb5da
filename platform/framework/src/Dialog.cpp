// CDialog, dialog data exchange and the common dialogs.
#include "Framework.h"
#include "FwOleControl.h"
#include <shlwapi.h>
#include <stdlib.h>
#include <errno.h>

IMPLEMENT_DYNAMIC(CDialog, CWnd)
IMPLEMENT_DYNAMIC(CCommonDialog, CDialog)
IMPLEMENT_DYNAMIC(CFileDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(CFindReplaceDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(CColorDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(CPrintDialog, CCommonDialog)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
  ON_COMMAND(IDOK, OnOK)
  ON_COMMAND(IDCANCEL, OnCancel)
  ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
  ON_WM_CLOSE()
END_MESSAGE_MAP()

INT_PTR CALLBACK AfxDlgProc(HWND, UINT message, WPARAM, LPARAM) {
  // The object handles everything through its window procedure; this only lets the dialog show.
  return message == WM_INITDIALOG ? TRUE : FALSE;
}

CDialog::CDialog() = default;
CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(nIDTemplate ? MAKEINTRESOURCEW(nIDTemplate) : nullptr), m_nIDHelp(nIDTemplate),
      m_pParentWnd(pParentWnd) {}
CDialog::CDialog(LPCWSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName), m_pParentWnd(pParentWnd) {}

CDialog::~CDialog() {
  if (m_hWnd != nullptr) DestroyWindow();
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) {
  Default();  // lets the system set the dialog up
  if (m_pOccDialogInfo != nullptr) AfxCreateOleDialogItems(m_hWnd, *m_pOccDialogInfo);
  return OnInitDialog();
}

BOOL CDialog::SetOccDialogInfo(_AFX_OCC_DIALOG_INFO* pOccDialogInfo) {
  m_pOccDialogInfo = pOccDialogInfo;
  return TRUE;
}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK() {
  if (!UpdateData(TRUE)) return;  // stays open after a failed validation
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::OnClose() {
  // The close box acts like Cancel.
  Default();
}

void CDialog::EndDialog(int nResult) {
  if (m_bInModalLoop) EndModalLoop(nResult);
  else m_nModalResult = nResult;
  ::EndDialog(m_hWnd, nResult);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg) {
  if (m_hWnd == nullptr) return FALSE;
  bool input = (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) ||
               (pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST);
  if (!input) return FALSE;
  if (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd)) return FALSE;
  return ::IsDialogMessageW(m_hWnd, pMsg);
}

BOOL CDialog::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  if ((nCode != CN_COMMAND && nCode != (int)CN_UPDATE_COMMAND_UI) || nID >= 0xF000 || nID == 0) return FALSE;
  // Commands no control handles go on to the application.
  CWinThread* pThread = AfxGetThread();
  return pThread != nullptr && pThread->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CDialog::CreateFromTemplate(LPCDLGTEMPLATEW lpTemplate, HINSTANCE hInst, CWnd* pParentWnd) {
  return CreateDlgIndirect(lpTemplate, pParentWnd, hInst);
}

BOOL CWnd::CreateDlgIndirect(LPCDLGTEMPLATEW lpTemplate, CWnd* pParentWnd, HINSTANCE hInst) {
  if (hInst == nullptr) hInst = AfxGetResourceHandle();
  // Hosted controls named by class id are not the dialog manager's: a window that takes them
  // (SetOccDialogInfo) makes them at WM_INITDIALOG.
  _AFX_OCC_DIALOG_INFO occ;
  const bool bOcc = AfxControlContainerEnabled() && AfxSplitOleDialogItems(lpTemplate, occ) && SetOccDialogInfo(&occ);
  if (bOcc) lpTemplate = (LPCDLGTEMPLATEW)occ.newTemplate.data();
  AfxHookWindowCreate(this);
  HWND hWnd = ::CreateDialogIndirectParamW(hInst, lpTemplate, pParentWnd->GetSafeHwnd(), AfxDlgProc, 0);
  if (bOcc) SetOccDialogInfo(nullptr);
  if (!AfxUnhookWindowCreate()) PostNcDestroy();
  if (hWnd == nullptr && m_hWnd != nullptr) {
    // Creation failed after the window was attached (WM_INITDIALOG said no).
    Detach();
  }
  return hWnd != nullptr;
}

BOOL CDialog::Create(LPCWSTR lpszTemplateName, CWnd* pParentWnd) {
  m_lpszTemplateName = lpszTemplateName;
  if (pParentWnd == nullptr) pParentWnd = AfxGetMainWnd();
  m_pParentWnd = pParentWnd;
  return CreateDlg(lpszTemplateName, pParentWnd);
}

BOOL CWnd::CreateDlg(LPCWSTR lpszTemplateName, CWnd* pParentWnd) {
  HINSTANCE hInst = AfxFindResourceHandle(lpszTemplateName, (LPCWSTR)RT_DIALOG);
  HRSRC hRes = ::FindResourceW(hInst, lpszTemplateName, (LPCWSTR)RT_DIALOG);
  if (hRes == nullptr) return FALSE;
  LPCDLGTEMPLATEW lpTemplate = (LPCDLGTEMPLATEW)::LockResource(::LoadResource(hInst, hRes));
  return lpTemplate != nullptr && CreateDlgIndirect(lpTemplate, pParentWnd, hInst);
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) {
  m_nIDHelp = nIDTemplate;
  return Create(MAKEINTRESOURCEW(nIDTemplate), pParentWnd);
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATEW lpDialogTemplate, CWnd* pParentWnd) {
  if (pParentWnd == nullptr) pParentWnd = AfxGetMainWnd();
  m_pParentWnd = pParentWnd;
  return CreateFromTemplate(lpDialogTemplate, AfxGetInstanceHandle(), pParentWnd);
}

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATEW lpDialogTemplate, CWnd* pParentWnd) {
  m_lpDialogTemplate = lpDialogTemplate;
  m_lpszTemplateName = nullptr;
  m_pParentWnd = pParentWnd;
  return TRUE;
}

HWND CDialog::PreModal() {
  HWND hParent = m_pParentWnd->GetSafeHwnd();
  if (hParent == nullptr) {
    CWnd* pMain = AfxGetMainWnd();
    hParent = pMain->GetSafeHwnd();
  }
  // The owner is the top-level window, and its active popup when it has one.
  while (hParent != nullptr && (::GetWindowLongPtrW(hParent, GWL_STYLE) & WS_CHILD)) hParent = ::GetParent(hParent);
  if (hParent != nullptr) hParent = ::GetLastActivePopup(hParent);
  return hParent;
}

INT_PTR CDialog::DoModal() {
  LPCDLGTEMPLATEW lpTemplate = m_lpDialogTemplate;
  HINSTANCE hInst = AfxGetInstanceHandle();
  if (m_lpszTemplateName != nullptr) {
    hInst = AfxFindResourceHandle(m_lpszTemplateName, (LPCWSTR)RT_DIALOG);
    HRSRC hRes = ::FindResourceW(hInst, m_lpszTemplateName, (LPCWSTR)RT_DIALOG);
    lpTemplate = hRes ? (LPCDLGTEMPLATEW)::LockResource(::LoadResource(hInst, hRes)) : nullptr;
  }
  if (lpTemplate == nullptr) return -1;
  HWND hWndParent = PreModal();
  BOOL bEnableParent = FALSE;
  if (hWndParent != nullptr && hWndParent != ::GetDesktopWindow() && ::IsWindowEnabled(hWndParent)) {
    ::EnableWindow(hWndParent, FALSE);
    bEnableParent = TRUE;
  }
  m_bInModalLoop = TRUE;  // EndDialog during OnInitDialog must already count
  m_nModalResult = -1;
  CWnd parentTmp(hWndParent);
  BOOL created = CreateFromTemplate(lpTemplate, hInst, hWndParent ? &parentTmp : nullptr);
  parentTmp.m_hWnd = nullptr;
  if (created && m_bInModalLoop) {
    DWORD flags = MLF_SHOWONIDLE;
    if (GetStyle() & DS_NOIDLEMSG) flags |= MLF_NOIDLEMSG;
    RunModalLoop(flags);
  }
  m_bInModalLoop = FALSE;
  if (m_hWnd != nullptr)
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
  if (bEnableParent) ::EnableWindow(hWndParent, TRUE);
  if (hWndParent != nullptr && ::GetActiveWindow() == m_hWnd) ::SetActiveWindow(hWndParent);
  if (m_hWnd != nullptr) DestroyWindow();
  PostModal();
  return m_nModalResult;
}

// ---- DDX / DDV --------------------------------------------------------------------------------
HWND CDataExchange::PrepareCtrl(int nIDC) {
  HWND h = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
  if (h == nullptr) AfxThrowNotSupportedException();  // a control the template lacks
  m_idLastControl = nIDC;
  m_bEditLastControl = FALSE;
  return h;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC) {
  HWND h = PrepareCtrl(nIDC);
  m_bEditLastControl = TRUE;
  return h;
}

void CDataExchange::Fail() {
  if (!m_bSaveAndValidate) AfxThrowUserException();
  if (m_idLastControl != 0) {
    HWND h = ::GetDlgItem(m_pDlgWnd->m_hWnd, m_idLastControl);
    if (h != nullptr) {
      ::SetFocus(h);
      if (m_bEditLastControl) ::SendMessageW(h, EM_SETSEL, 0, -1);
    }
  }
  AfxThrowUserException();
}

static void Prompt(UINT nID, LPCWSTR fallback, LPCWSTR arg1 = nullptr, LPCWSTR arg2 = nullptr) {
  CString fmt;
  if (!fmt.LoadString(nID)) fmt = fallback;
  LPCWSTR args[2] = {arg1, arg2};
  CString text;
  AfxFormatStrings(text, fmt, args, 2);
  AfxMessageBox(text, MB_ICONEXCLAMATION, nID);
}

static CString ControlText(HWND h) {
  CWnd tmp(h);
  CString s;
  tmp.GetWindowText(s);
  tmp.m_hWnd = nullptr;
  return s;
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
  HWND h = pDX->PrepareEditCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) value = ControlText(h);
  else ::SetWindowTextW(h, value);
}

template <class T>
static void TextSigned(CDataExchange* pDX, int nIDC, T& value, long long lo, long long hi) {
  HWND h = pDX->PrepareEditCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    CString s = ControlText(h);
    s.Trim();
    wchar_t* end = nullptr;
    errno = 0;
    long long v = wcstoll(s, &end, 10);
    if (s.IsEmpty() || *end != 0 || errno == ERANGE || v < lo || v > hi) {
      Prompt(AFX_IDP_PARSE_INT, L"Please enter an integer.");
      pDX->Fail();
    }
    value = (T)v;
  } else {
    wchar_t buf[32];
    _snwprintf(buf, 31, L"%lld", (long long)value);
    buf[31] = 0;
    ::SetWindowTextW(h, buf);
  }
}

template <class T>
static void TextUnsigned(CDataExchange* pDX, int nIDC, T& value, unsigned long long hi) {
  HWND h = pDX->PrepareEditCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    CString s = ControlText(h);
    s.Trim();
    wchar_t* end = nullptr;
    errno = 0;
    unsigned long long v = wcstoull(s, &end, 10);
    if (s.IsEmpty() || s[0] == L'-' || *end != 0 || errno == ERANGE || v > hi) {
      Prompt(AFX_IDP_PARSE_UINT, L"Please enter a positive integer.");
      pDX->Fail();
    }
    value = (T)v;
  } else {
    wchar_t buf[32];
    _snwprintf(buf, 31, L"%llu", (unsigned long long)value);
    buf[31] = 0;
    ::SetWindowTextW(h, buf);
  }
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value) { TextSigned(pDX, nIDC, value, INT_MIN, INT_MAX); }
void DDX_Text(CDataExchange* pDX, int nIDC, long& value) { TextSigned(pDX, nIDC, value, LONG_MIN, LONG_MAX); }
void DDX_Text(CDataExchange* pDX, int nIDC, short& value) { TextSigned(pDX, nIDC, value, SHRT_MIN, SHRT_MAX); }
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value) { TextUnsigned(pDX, nIDC, value, UINT_MAX); }
void DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value) { TextUnsigned(pDX, nIDC, value, 0xFFFFFFFFull); }
void DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value) { TextUnsigned(pDX, nIDC, value, 255); }

static void TextReal(CDataExchange* pDX, int nIDC, double& value, int digits) {
  HWND h = pDX->PrepareEditCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    CString s = ControlText(h);
    s.Trim();
    wchar_t* end = nullptr;
    double v = wcstod(s, &end);
    if (s.IsEmpty() || *end != 0) {
      Prompt(AFX_IDP_PARSE_REAL, L"Please enter a number.");
      pDX->Fail();
    }
    value = v;
  } else {
    wchar_t buf[64];
    _snwprintf(buf, 63, L"%.*g", digits, value);
    buf[63] = 0;
    ::SetWindowTextW(h, buf);
  }
}

void DDX_Text(CDataExchange* pDX, int nIDC, double& value) { TextReal(pDX, nIDC, value, 15); }
void DDX_Text(CDataExchange* pDX, int nIDC, float& value) {
  double d = value;
  TextReal(pDX, nIDC, d, 6);
  value = (float)d;
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value) {
  HWND h = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) value = (int)::SendMessageW(h, BM_GETCHECK, 0, 0);
  else ::SendMessageW(h, BM_SETCHECK, (WPARAM)value, 0);
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value) {
  // nIDC is the first button of a group; value is the index of the checked one, -1 for none.
  HWND h = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) value = -1;
  int index = 0;
  do {
    if (::SendMessageW(h, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) {
      if (pDX->m_bSaveAndValidate) {
        if (::SendMessageW(h, BM_GETCHECK, 0, 0) != 0) value = index;
      } else {
        ::SendMessageW(h, BM_SETCHECK, index == value, 0);
      }
      ++index;
    }
    h = ::GetWindow(h, GW_HWNDNEXT);
  } while (h != nullptr && !(::GetWindowLongPtrW(h, GWL_STYLE) & WS_GROUP));
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
  if (rControl.m_hWnd == nullptr) {
    HWND h = pDX->PrepareCtrl(nIDC);
    if (!rControl.SubclassWindow(h)) AfxThrowNotSupportedException();
  }
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index) {
  HWND h = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) index = (int)::SendMessageW(h, CB_GETCURSEL, 0, 0);
  else ::SendMessageW(h, CB_SETCURSEL, (WPARAM)index, 0);
}

void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value) {
  HWND h = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    value = ControlText(h);
  } else if (::SendMessageW(h, CB_SELECTSTRING, (WPARAM)-1, (LPARAM)(LPCWSTR)value) == CB_ERR) {
    ::SetWindowTextW(h, value);  // not in the list: shown as typed text
  }
}

void DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value) {
  HWND h = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    value = ControlText(h);
  } else {
    LRESULT i = ::SendMessageW(h, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)(LPCWSTR)value);
    if (i != CB_ERR) ::SendMessageW(h, CB_SETCURSEL, (WPARAM)i, 0);
    else ::SetWindowTextW(h, value);
  }
}

void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index) {
  HWND h = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) index = (int)::SendMessageW(h, LB_GETCURSEL, 0, 0);
  else ::SendMessageW(h, LB_SETCURSEL, (WPARAM)index, 0);
}

static void LBString(CDataExchange* pDX, int nIDC, CString& value, UINT findMsg) {
  HWND h = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    LRESULT i = ::SendMessageW(h, LB_GETCURSEL, 0, 0);
    value.Empty();
    if (i != LB_ERR) {
      LRESULT n = ::SendMessageW(h, LB_GETTEXTLEN, (WPARAM)i, 0);
      ::SendMessageW(h, LB_GETTEXT, (WPARAM)i, (LPARAM)value.GetBuffer((int)n + 1));
      value.ReleaseBuffer((int)n);
    }
  } else {
    LRESULT i = ::SendMessageW(h, findMsg, (WPARAM)-1, (LPARAM)(LPCWSTR)value);
    ::SendMessageW(h, LB_SETCURSEL, i == LB_ERR ? (WPARAM)-1 : (WPARAM)i, 0);
  }
}

void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value) { LBString(pDX, nIDC, value, LB_FINDSTRING); }
void DDX_LBStringExact(CDataExchange* pDX, int nIDC, CString& value) { LBString(pDX, nIDC, value, LB_FINDSTRINGEXACT); }

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars) {
  if (pDX->m_bSaveAndValidate && value.GetLength() > nChars) {
    wchar_t n[16];
    _snwprintf(n, 15, L"%d", nChars);
    n[15] = 0;
    Prompt(AFX_IDP_PARSE_STRING_SIZE, L"Please enter no more than %1 characters.", n);
    pDX->Fail();
  } else if (!pDX->m_bSaveAndValidate && pDX->m_idLastControl != 0 && pDX->m_bEditLastControl) {
    ::SendDlgItemMessageW(pDX->m_pDlgWnd->m_hWnd, pDX->m_idLastControl, EM_LIMITTEXT, (WPARAM)nChars, 0);
  }
}

template <class T>
static void MinMax(CDataExchange* pDX, T value, T lo, T hi, UINT nID, LPCWSTR fmtNum, LPCWSTR fallback) {
  if (!pDX->m_bSaveAndValidate || (value >= lo && value <= hi)) return;
  wchar_t a[64], b[64];
  _snwprintf(a, 63, fmtNum, lo);
  _snwprintf(b, 63, fmtNum, hi);
  a[63] = b[63] = 0;
  Prompt(nID, fallback, a, b);
  pDX->Fail();
}

void DDV_MinMaxInt(CDataExchange* pDX, int v, int lo, int hi) {
  MinMax(pDX, v, lo, hi, AFX_IDP_PARSE_INT_RANGE, L"%d", L"Please enter an integer between %1 and %2.");
}
void DDV_MinMaxLong(CDataExchange* pDX, long v, long lo, long hi) {
  MinMax(pDX, v, lo, hi, AFX_IDP_PARSE_INT_RANGE, L"%ld", L"Please enter an integer between %1 and %2.");
}
void DDV_MinMaxUInt(CDataExchange* pDX, UINT v, UINT lo, UINT hi) {
  MinMax(pDX, v, lo, hi, AFX_IDP_PARSE_INT_RANGE, L"%u", L"Please enter an integer between %1 and %2.");
}
void DDV_MinMaxDWord(CDataExchange* pDX, DWORD v, DWORD lo, DWORD hi) {
  MinMax(pDX, v, lo, hi, AFX_IDP_PARSE_INT_RANGE, L"%lu", L"Please enter an integer between %1 and %2.");
}
void DDV_MinMaxByte(CDataExchange* pDX, BYTE v, BYTE lo, BYTE hi) {
  MinMax(pDX, (UINT)v, (UINT)lo, (UINT)hi, AFX_IDP_PARSE_INT_RANGE, L"%u", L"Please enter an integer between %1 and %2.");
}
void DDV_MinMaxDouble(CDataExchange* pDX, double v, double lo, double hi) {
  MinMax(pDX, v, lo, hi, AFX_IDP_PARSE_REAL_RANGE, L"%g", L"Please enter a number between %1 and %2.");
}

// ---- common dialogs -----------------------------------------------------------------------------
void CCommonDialog::OnOK() { Default(); }
void CCommonDialog::OnCancel() { Default(); }

// The object takes the hook (child) dialog over and sets it up as any dialog: OnInitDialog runs
// once the system dialog has made its controls and the child template's.
static UINT_PTR CALLBACK FileDialogHook(HWND hDlg, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    CFileDialog* pDlg = (CFileDialog*)((OPENFILENAMEW*)lParam)->lCustData;
    if (pDlg == nullptr || pDlg->m_hWnd != nullptr || !pDlg->SubclassWindow(hDlg)) return TRUE;
    try {
      return pDlg->OnInitDialog();
    } catch (...) {
      return TRUE;
    }
  }
  return 0;
}

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCWSTR lpszDefExt, LPCWSTR lpszFileName, DWORD dwFlags,
                         LPCWSTR lpszFilter, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd), m_bOpenFileDialog(bOpenFileDialog) {
  memset(&m_ofn, 0, sizeof(m_ofn));
  m_szFileName[0] = 0;
  m_szFileTitle[0] = 0;
  m_ofn.lStructSize = sizeof(m_ofn);
  m_ofn.lpstrFile = m_szFileName;
  m_ofn.nMaxFile = (DWORD)(sizeof(m_szFileName) / sizeof(wchar_t));
  m_ofn.lpstrFileTitle = m_szFileTitle;
  m_ofn.nMaxFileTitle = MAX_PATH;
  m_ofn.Flags = dwFlags | OFN_ENABLEHOOK | OFN_EXPLORER;
  m_ofn.lpfnHook = FileDialogHook;
  m_ofn.lCustData = (LPARAM)this;
  if (lpszDefExt != nullptr) {
    m_strDefExt = lpszDefExt;
    m_ofn.lpstrDefExt = m_strDefExt;
  }
  if (lpszFileName != nullptr) lstrcpynW(m_szFileName, lpszFileName, (int)m_ofn.nMaxFile);
  if (lpszFilter != nullptr) {
    // '|' separates the fields; the system wants NULs.
    m_strFilter = lpszFilter;
    int n = m_strFilter.GetLength();
    LPWSTR p = m_strFilter.GetBuffer(n + 1);
    for (int i = 0; i < n; ++i)
      if (p[i] == L'|') p[i] = 0;
    m_strFilter.ReleaseBuffer(n);
    m_ofn.lpstrFilter = m_strFilter;
  }
}

INT_PTR CFileDialog::DoModal() {
  HWND hParent = PreModal();
  m_ofn.hwndOwner = hParent;
  // A child template comes from wherever it is found (resource library or program).
  m_ofn.hInstance = (m_ofn.Flags & OFN_ENABLETEMPLATE) && m_ofn.lpTemplateName
                        ? AfxFindResourceHandle(m_ofn.lpTemplateName, (LPCWSTR)RT_DIALOG)
                        : AfxGetResourceHandle();
  if (m_ofn.lpstrFilter == nullptr && !m_strFilter.IsEmpty()) m_ofn.lpstrFilter = m_strFilter;
  BOOL ok = m_bOpenFileDialog ? ::GetOpenFileNameW(&m_ofn) : ::GetSaveFileNameW(&m_ofn);
  if (m_hWnd != nullptr) Detach();
  return ok ? IDOK : IDCANCEL;
}

CString CFileDialog::GetPathName() const {
  if ((m_ofn.Flags & OFN_ALLOWMULTISELECT) && m_szFileName[wcslen(m_szFileName) + 1] != 0) {
    POSITION pos = GetStartPosition();
    return GetNextPathName(pos);
  }
  return m_szFileName;
}

CString CFileDialog::GetFileName() const { return ::PathFindFileNameW(GetPathName()); }

CString CFileDialog::GetFileExt() const {
  CString path = GetPathName();
  LPCWSTR ext = ::PathFindExtensionW(path);
  return *ext ? CString(ext + 1) : CString();
}

CString CFileDialog::GetFileTitle() const {
  CString name = GetFileName();
  int dot = name.ReverseFind(L'.');
  return dot >= 0 ? name.Left(dot) : name;
}

CString CFileDialog::GetFolderPath() const {
  wchar_t buf[MAX_PATH * 2] = {0};
  if (m_hWnd != nullptr) ::SendMessageW(::GetParent(m_hWnd), CDM_GETFOLDERPATH, MAX_PATH * 2, (LPARAM)buf);
  return buf;
}

CString CFileDialog::GetNextPathName(POSITION& pos) const {
  LPCWSTR p = (LPCWSTR)pos;
  if (p == nullptr || *p == 0) {
    pos = nullptr;
    return CString();
  }
  if (p == m_szFileName) {
    LPCWSTR first = m_szFileName + wcslen(m_szFileName) + 1;
    if (*first == 0) {  // a single file: the buffer is the path
      pos = nullptr;
      return m_szFileName;
    }
    p = first;
  }
  CString dir = m_szFileName;
  CString path = dir + (dir.Right(1) == L"\\" ? L"" : L"\\") + p;
  LPCWSTR next = p + wcslen(p) + 1;
  pos = *next ? (POSITION)next : nullptr;
  return path;
}

void CFileDialog::SetControlText(int nID, LPCWSTR lpsz) {
  ::SendMessageW(::GetParent(m_hWnd), CDM_SETCONTROLTEXT, (WPARAM)nID, (LPARAM)lpsz);
}

void CFileDialog::HideControl(int nID) { ::SendMessageW(::GetParent(m_hWnd), CDM_HIDECONTROL, (WPARAM)nID, 0); }

void CFileDialog::SetDefExt(LPCWSTR lpsz) {
  m_strDefExt = lpsz ? lpsz : L"";
  if (m_hWnd != nullptr) ::SendMessageW(::GetParent(m_hWnd), CDM_SETDEFEXT, 0, (LPARAM)lpsz);
  else m_ofn.lpstrDefExt = lpsz ? (LPCWSTR)m_strDefExt : nullptr;
}

BOOL CFileDialog::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  OFNOTIFYW* pNotify = (OFNOTIFYW*)lParam;
  switch (pNotify->hdr.code) {
    case CDN_INITDONE: OnInitDone(); return TRUE;
    case CDN_SELCHANGE: OnFileNameChange(); return TRUE;
    case CDN_FOLDERCHANGE: OnFolderChange(); return TRUE;
    case CDN_TYPECHANGE: m_ofn.nFilterIndex = pNotify->lpOFN->nFilterIndex; OnTypeChange(); return TRUE;
    case CDN_FILEOK: {
      *pResult = OnFileNameOK();
      ::SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, *pResult);
      return TRUE;
    }
    default: return CCommonDialog::OnNotify(wParam, lParam, pResult);
  }
}

static UINT_PTR CALLBACK FindReplaceHook(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG ? TRUE : 0;
}

CFindReplaceDialog::CFindReplaceDialog() : CCommonDialog(nullptr) {
  memset(&m_fr, 0, sizeof(m_fr));
  m_szFindWhat[0] = 0;
  m_szReplaceWith[0] = 0;
  m_fr.lStructSize = sizeof(m_fr);
  m_fr.Flags = FR_ENABLEHOOK;
  m_fr.lpfnHook = FindReplaceHook;
  m_fr.lpstrFindWhat = m_szFindWhat;
  m_fr.wFindWhatLen = 128;
  m_fr.lpstrReplaceWith = m_szReplaceWith;
  m_fr.wReplaceWithLen = 128;
  m_fr.lCustData = (LPARAM)this;
}

BOOL CFindReplaceDialog::Create(BOOL bFindDialogOnly, LPCWSTR lpszFindWhat, LPCWSTR lpszReplaceWith, DWORD dwFlags,
                                CWnd* pParentWnd) {
  m_fr.Flags |= dwFlags;
  if (pParentWnd == nullptr) pParentWnd = AfxGetMainWnd();
  m_pParentWnd = pParentWnd;
  m_fr.hwndOwner = pParentWnd->GetSafeHwnd();
  m_fr.hInstance = AfxGetResourceHandle();
  if (lpszFindWhat != nullptr) lstrcpynW(m_szFindWhat, lpszFindWhat, 128);
  if (lpszReplaceWith != nullptr) lstrcpynW(m_szReplaceWith, lpszReplaceWith, 128);
  AfxHookWindowCreate(this);
  HWND hWnd = bFindDialogOnly ? ::FindTextW(&m_fr) : ::ReplaceTextW(&m_fr);
  if (!AfxUnhookWindowCreate()) PostNcDestroy();
  return hWnd != nullptr;
}

CFindReplaceDialog* CFindReplaceDialog::GetNotifier(LPARAM lParam) {
  FINDREPLACEW* p = (FINDREPLACEW*)lParam;
  return p ? (CFindReplaceDialog*)p->lCustData : nullptr;
}

void CFindReplaceDialog::PostNcDestroy() { delete this; }

static COLORREF g_customColors[16] = {
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
    RGB(255, 255, 255)};

COLORREF* CColorDialog::GetSavedCustomColors() { return g_customColors; }

CColorDialog::CColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd) : CCommonDialog(pParentWnd) {
  memset(&m_cc, 0, sizeof(m_cc));
  m_cc.lStructSize = sizeof(m_cc);
  m_cc.lpCustColors = g_customColors;
  m_cc.Flags = dwFlags;
  if ((m_cc.rgbResult = clrInit) != 0) m_cc.Flags |= CC_RGBINIT;
}

// The system dialog window becomes this object as it is created, so that its message map,
// OnInitDialog and pre-translation work as for our own dialogs.
static BOOL RunSystemDialog(CWnd* pDlg, BOOL (*run)(void*), void* param) {
  AfxHookWindowCreate(pDlg);
  BOOL ok = run(param);
  AfxUnhookWindowCreate();
  if (pDlg->m_hWnd != nullptr) pDlg->Detach();
  return ok;
}

INT_PTR CColorDialog::DoModal() {
  m_cc.hwndOwner = PreModal();
  BOOL ok = RunSystemDialog(this, [](void* p) -> BOOL { return ::ChooseColorW((CHOOSECOLORW*)p); }, &m_cc);
  return ok ? IDOK : IDCANCEL;
}

CPrintDialog::CPrintDialog(BOOL bPrintSetupOnly, DWORD dwFlags, CWnd* pParentWnd) : CCommonDialog(pParentWnd) {
  memset(&m_pd, 0, sizeof(m_pd));
  m_pd.lStructSize = sizeof(m_pd);
  m_pd.Flags = dwFlags | (bPrintSetupOnly ? PD_PRINTSETUP : PD_RETURNDC);
}

INT_PTR CPrintDialog::DoModal() {
  m_pd.hwndOwner = PreModal();
  BOOL ok = RunSystemDialog(this, [](void* p) -> BOOL { return ::PrintDlgW((PRINTDLGW*)p); }, &m_pd);
  return ok ? IDOK : IDCANCEL;
}

BOOL CPrintDialog::GetDefaults() {
  m_pd.Flags |= PD_RETURNDEFAULT;
  BOOL ok = ::PrintDlgW(&m_pd);
  m_pd.Flags &= ~PD_RETURNDEFAULT;
  return ok;
}

static CString DevName(HGLOBAL hDevNames, int which) {
  if (hDevNames == nullptr) return CString();
  LPDEVNAMES p = (LPDEVNAMES)::GlobalLock(hDevNames);
  WORD off = which == 0 ? p->wDeviceOffset : which == 1 ? p->wDriverOffset : p->wOutputOffset;
  CString s = (LPCWSTR)p + off;
  ::GlobalUnlock(hDevNames);
  return s;
}

CString CPrintDialog::GetDeviceName() const { return DevName(m_pd.hDevNames, 0); }
CString CPrintDialog::GetDriverName() const { return DevName(m_pd.hDevNames, 1); }
CString CPrintDialog::GetPortName() const { return DevName(m_pd.hDevNames, 2); }

HDC CPrintDialog::CreatePrinterDC() {
  if (m_pd.hDevNames == nullptr) return nullptr;
  LPDEVMODEW mode = m_pd.hDevMode ? (LPDEVMODEW)::GlobalLock(m_pd.hDevMode) : nullptr;
  HDC hDC = ::CreateDCW(GetDriverName(), GetDeviceName(), nullptr, mode);
  if (m_pd.hDevMode) ::GlobalUnlock(m_pd.hDevMode);
  if (m_pd.hDC != nullptr) ::DeleteDC(m_pd.hDC);
  m_pd.hDC = hDC;
  return hDC;
}
