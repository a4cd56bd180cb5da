#include "TipDlg.h"

#include <mshtml.h>

namespace {
const LCID kScriptLocale = 2048;
}  // namespace

IMPLEMENT_DYNAMIC(CTipDlg, CDialog)

BEGIN_MESSAGE_MAP(CTipDlg, CDialog)
  ON_COMMAND(ID_TIP_SHOW_DRIVE, OnShowDrive)
  ON_COMMAND(ID_TIP_NOTHING, OnNothing)
END_MESSAGE_MAP()

CTipDlg::CTipDlg(CWnd* parent) : CDialog(IDD_TIP_DIALOG, parent) {}

void CTipDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  if (::GetDlgItem(m_hWnd, IDC_TIP_BROWSER) != nullptr) DDX_Control(pDX, IDC_TIP_BROWSER, m_wndBrowser);
  DDX_Control(pDX, IDC_TIP_FRAME, m_wndFrame);
}

BOOL CTipDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_wndBrowser.Navigate(ResourcePageUrl(L"tip.htm"));
  return TRUE;
}

void CTipDlg::OnShowDrive() { CallScript(L"SetFrameSrc", L"c:\\"); }

void CTipDlg::OnNothing() {}

BOOL CTipDlg::CallScript(LPCWSTR name, LPCWSTR argument) {
  IDispatch* document = m_wndBrowser.GetDocument();
  if (document == nullptr) return FALSE;
  IHTMLDocument* html = nullptr;
  IDispatch* script = nullptr;
  if (SUCCEEDED(document->QueryInterface(IID_IHTMLDocument, reinterpret_cast<void**>(&html))) && html != nullptr) {
    if (FAILED(html->get_Script(&script))) script = nullptr;
    html->Release();
  }
  document->Release();
  if (script == nullptr) return FALSE;
  DISPID id = 0;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  BOOL called = FALSE;
  if (SUCCEEDED(script->GetIDsOfNames(IID_NULL, names, 1, kScriptLocale, &id))) {
    VARIANT arg;
    ::VariantInit(&arg);
    arg.vt = VT_BSTR;
    arg.bstrVal = ::SysAllocString(argument);
    DISPPARAMS params = {&arg, nullptr, 1, 0};
    VARIANT result;
    ::VariantInit(&result);
    called = SUCCEEDED(script->Invoke(id, IID_NULL, kScriptLocale, DISPATCH_METHOD, &params, &result, nullptr, nullptr));
    ::VariantClear(&result);
    ::VariantClear(&arg);
  }
  script->Release();
  return called;
}
