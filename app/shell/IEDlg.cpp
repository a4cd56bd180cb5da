#include "IEDlg.h"

#include <mshtml.h>

#include "FwComSupport.h"
#include "MsgManager.h"
#include "ShellIds.h"

namespace {

const DISPID kDispidDocumentComplete = 259;

// The document's HTML interface and its host interface, or nulls (each a counted reference).
struct PanelDocument {
  IHTMLDocument2* html = nullptr;
  ICustomDoc* custom = nullptr;
  explicit PanelDocument(IDispatch* document) {
    if (document == nullptr) return;
    if (FAILED(document->QueryInterface(IID_IHTMLDocument2, reinterpret_cast<void**>(&html)))) html = nullptr;
    if (FAILED(document->QueryInterface(__uuidof(ICustomDoc), reinterpret_cast<void**>(&custom)))) custom = nullptr;
    document->Release();
  }
  ~PanelDocument() {
    if (html != nullptr) html->Release();
    if (custom != nullptr) custom->Release();
  }
  PanelDocument(const PanelDocument&) = delete;
  PanelDocument& operator=(const PanelDocument&) = delete;
  bool IsComplete() const { return html != nullptr && custom != nullptr; }
};

// The id of the element that the window's current event came from; empty when any step fails.
CString ClickedElementId(IHTMLDocument2* document) {
  CString id;
  IHTMLWindow2* window = nullptr;
  if (FAILED(document->get_parentWindow(&window)) || window == nullptr) return id;
  IHTMLEventObj* event = nullptr;
  if (SUCCEEDED(window->get_event(&event)) && event != nullptr) {
    IHTMLElement* element = nullptr;
    if (SUCCEEDED(event->get_srcElement(&element)) && element != nullptr) {
      BSTR text = nullptr;
      if (SUCCEEDED(element->get_id(&text)) && text != nullptr) id = text;
      ::SysFreeString(text);
      element->Release();
    }
    event->Release();
  }
  window->Release();
  return id;
}

}  // namespace

IMPLEMENT_DYNAMIC(CIEDlg, CDialog)

BEGIN_MESSAGE_MAP(CIEDlg, CDialog)
  ON_WM_SIZE()
  ON_WM_DESTROY()
  ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

BEGIN_EVENTSINK_MAP(CIEDlg, CDialog)
  ON_EVENT(CIEDlg, IDC_PANEL_BROWSER, kDispidDocumentComplete, OnDocumentComplete, VTS_DISPATCH VTS_PVARIANT)
END_EVENTSINK_MAP()

CIEDlg::CIEDlg(CWnd* parent, CMsgManager* messenger)
    : m_xExternal(this), m_xHostHandler(this), m_messenger(messenger) {
  Create(IDD_COMMAND_PANEL, parent);
}

CIEDlg::~CIEDlg() {
  if (GetSafeHwnd() != nullptr) DestroyWindow();
  if (m_description != nullptr) m_description->Release();
}

LRESULT CIEDlg::OnIdleUpdateCmdUI(WPARAM, LPARAM) {
  // Only the program's own idle time: a pump run by others (the kernel pumps messages while it
  // calculates) is not the moment, since the first results would wait for the browser.
  if (!m_browserTried) {
    m_browserTried = true;
    CreateBrowser();
  }
  return 0;
}

BOOL CIEDlg::CreateBrowser() {
  if (m_wndBrowser.GetSafeHwnd() != nullptr) return TRUE;
  if (GetSafeHwnd() == nullptr) return FALSE;
  CRect client;
  GetClientRect(&client);
  if (!m_wndBrowser.CreateControl(L"", WS_CHILD | WS_VISIBLE, client, this, IDC_PANEL_BROWSER)) return FALSE;
  NavigateToPage();
  return TRUE;
}

void CIEDlg::NavigateToPage() {
  if (m_description != nullptr && m_wndBrowser.GetSafeHwnd() != nullptr)
    m_wndBrowser.Navigate(ResourcePageUrl(L"index.htm"));
}

void CIEDlg::SetUp(LPCWSTR caption, ICBCommandPanel* description, PanelViewType view) {
  m_caption = caption != nullptr ? caption : L"";
  m_viewType = view;
  if (description == nullptr) return;
  description->AddRef();
  if (m_description != nullptr) m_description->Release();
  m_description = description;
  NavigateToPage();
}

CString CIEDlg::BuildPage() {
  // The list changes only with a whole page: a failing description leaves both as they were.
  std::vector<PanelCommand> commands;
  const CString page = BuildPanelPage(m_description, m_viewType, m_caption, PanelPageFormats::Load(), commands);
  m_commands.swap(commands);
  return page;
}

void CIEDlg::OnDocumentComplete(IDispatch*, VARIANT*) {
  try {
    FillDocument();
  } catch (...) {
    // The page stays as it was.
  }
}

void CIEDlg::FillDocument() {
  PanelDocument document(m_wndBrowser.GetDocument());
  if (!document.IsComplete()) return;
  const CString page = BuildPage();
  IHTMLElement* body = nullptr;
  if (SUCCEEDED(document.html->get_body(&body)) && body != nullptr) {
    BSTR text = ::SysAllocString(page);
    body->put_innerHTML(text);
    ::SysFreeString(text);
    body->Release();
  }
  document.custom->SetUIHandler(&m_xHostHandler);
  VARIANT handler;
  ::VariantInit(&handler);
  handler.vt = VT_DISPATCH;
  handler.pdispVal = &m_xExternal;
  document.html->put_onclick(handler);
}

void CIEDlg::OnPageClicked() {
  try {
    PanelDocument document(m_wndBrowser.GetDocument());
    if (document.html == nullptr) return;
    DispatchClick(ClickedElementId(document.html));
  } catch (...) {
    // A click that cannot be read does nothing.
  }
}

void CIEDlg::DispatchClick(LPCWSTR elementId) {
  const PanelCommand* found = FindPanelCommand(m_commands, elementId);
  if (found == nullptr || m_messenger == nullptr) return;
  CalcCommand command = {};
  command.CalcCommandIdentifier = found->identifier;
  command.CalcCommandType = found->type;
  command.CalcCommandText = ::SysAllocString(found->text);
  command.CalcCommandTooltip = ::SysAllocString(found->tooltip);
  command.CalcCommandName = ::SysAllocString(found->name);
  command.CalcCommandGroupName = ::SysAllocString(found->groupName);
  command.CalcCommandPanelName = ::SysAllocString(found->panelName);
  m_messenger->FireOnCalcCommand(command);
  for (BSTR text : {command.CalcCommandText, command.CalcCommandTooltip, command.CalcCommandName,
                    command.CalcCommandGroupName, command.CalcCommandPanelName})
    ::SysFreeString(text);
}

void CIEDlg::OnSize(UINT nType, int cx, int cy) {
  CDialog::OnSize(nType, cx, cy);
  if (m_wndBrowser.GetSafeHwnd() != nullptr) m_wndBrowser.MoveWindow(0, 0, cx, cy, TRUE);
}

void CIEDlg::ReleaseDocument() {
  PanelDocument document(m_wndBrowser.GetDocument());
  if (document.custom != nullptr) document.custom->SetUIHandler(nullptr);
  if (document.html != nullptr) {
    VARIANT none;
    ::VariantInit(&none);
    none.vt = VT_DISPATCH;
    none.pdispVal = nullptr;
    document.html->put_onclick(none);
  }
}

void CIEDlg::OnDestroy() {
  try {
    ReleaseDocument();
  } catch (...) {
  }
  CDialog::OnDestroy();
}
