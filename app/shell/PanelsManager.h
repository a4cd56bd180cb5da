// CPanelsManager (IKivPanelsManager): the command panels on the tabs of the panel bar, and the
// visibility of the frame's bars.
#pragma once

#include <memory>
#include <vector>

#include "EmbeddedObject.h"
#include "IEDlg.h"
#include "NumbrookLib.h"

class CMsgManager;
class IShellFrame;

class CPanelsManager : public CEmbeddedObject<IKivPanelsManager> {
public:
  CPanelsManager(IShellFrame* frame, CMsgManager* messenger) : m_frame(frame), m_messenger(messenger) {}
  ~CPanelsManager();

  STDMETHODIMP Clear() override;
  STDMETHODIMP AddPanel(BSTR Caption, PanelViewType PanelView, VARIANT_BOOL Customizable, ICBCommandPanel* PanelDesc,
                        long* PanelIndex) override;
  STDMETHODIMP get_ActivePanel(long* Value) override;
  STDMETHODIMP put_ActivePanel(long Value) override;
  // For the ids TbStandard to TbCaptionBar; another id answers E_INVALIDARG.
  STDMETHODIMP ShowToolbar(Toolbar ToolbarId, VARIANT_BOOL Show) override;
  STDMETHODIMP IsToolbarVisible(Toolbar ToolbarId, VARIANT_BOOL* IsVisible) override;
  STDMETHODIMP get_DocEditableMode(VARIANT_BOOL* Value) override { return S_OK; }
  STDMETHODIMP put_DocEditableMode(VARIANT_BOOL Value) override { return S_OK; }

  size_t GetPanelCount() const { return m_panels.size(); }
  CIEDlg* GetPanel(size_t index) const { return index < m_panels.size() ? m_panels[index].get() : nullptr; }

private:
  IShellFrame* m_frame;
  CMsgManager* m_messenger;
  std::vector<std::unique_ptr<CIEDlg>> m_panels;
};
