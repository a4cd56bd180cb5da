#include "IEDlg.h"

#include "ShellIds.h"

CIEDlg::CIEDlg(CWnd* parent, CMsgManager* messenger) : m_messenger(messenger) { Create(IDD_COMMAND_PANEL, parent); }

CIEDlg::~CIEDlg() {
  if (GetSafeHwnd() != nullptr) DestroyWindow();
  if (m_description != nullptr) m_description->Release();
}

void CIEDlg::SetUp(LPCWSTR caption, ICBCommandPanel* description, PanelViewType view) {
  m_caption = caption != nullptr ? caption : L"";
  m_viewType = view;
  if (description != nullptr) description->AddRef();
  if (m_description != nullptr) m_description->Release();
  m_description = description;
}
