#include "PanelsManager.h"

#include "ShellFrame.h"

namespace {
bool IsToolbarId(Toolbar id) { return id >= TbStandard && id <= TbCaptionBar; }
}  // namespace

CPanelsManager::~CPanelsManager() { m_panels.clear(); }

STDMETHODIMP CPanelsManager::Clear() {
  m_frame->RemoveAllPanelTabs();
  m_panels.clear();
  return S_OK;
}

STDMETHODIMP CPanelsManager::AddPanel(BSTR Caption, PanelViewType PanelView, VARIANT_BOOL Customizable,
                                      ICBCommandPanel* PanelDesc, long* PanelIndex) {
  if (PanelIndex == nullptr) return E_POINTER;
  LPCWSTR caption = Caption != nullptr ? Caption : L"";
  std::unique_ptr<CIEDlg> panel;
  try {
    panel.reset(new CIEDlg(m_frame->GetPanelTabWnd(), m_messenger));
    panel->SetUp(caption, PanelDesc, PanelView);
    m_panels.push_back(std::move(panel));
  } catch (...) {
    return E_FAIL;
  }
  CIEDlg* added = m_panels.back().get();
  if (added->GetSafeHwnd() != nullptr) added->SetWindowText(caption);
  m_frame->AddPanelTab(added, caption);
  *PanelIndex = static_cast<long>(m_panels.size()) - 1;
  return S_OK;
}

STDMETHODIMP CPanelsManager::get_ActivePanel(long* Value) {
  if (Value == nullptr) return E_POINTER;
  *Value = m_frame->GetActivePanelTab();
  return S_OK;
}

STDMETHODIMP CPanelsManager::put_ActivePanel(long Value) {
  m_frame->SetActivePanelTab(Value);
  return S_OK;
}

STDMETHODIMP CPanelsManager::ShowToolbar(Toolbar ToolbarId, VARIANT_BOOL Show) {
  if (!IsToolbarId(ToolbarId)) return E_INVALIDARG;
  m_frame->ShowBar(ToolbarId, Show != 0);
  return S_OK;
}

STDMETHODIMP CPanelsManager::IsToolbarVisible(Toolbar ToolbarId, VARIANT_BOOL* IsVisible) {
  if (!IsToolbarId(ToolbarId)) return E_INVALIDARG;
  if (IsVisible == nullptr) return E_POINTER;
  *IsVisible = m_frame->IsBarVisible(ToolbarId) ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}
