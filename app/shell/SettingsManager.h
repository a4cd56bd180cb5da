// CSettingsManager (IKivSettingsManager): the application's options while the program runs.
// The constructor gives every option its default, because the keyboard hook may read them
// before the settings are loaded. Indexed members accept 0 to count-1; another index, or a
// negative or too large action count, answers E_INVALIDARG and changes nothing.
#pragma once

#include <vector>

#include "EmbeddedObject.h"
#include "KbdAction.h"
#include "NumbrookLib.h"

class IShellFrame;

class CSettingsManager : public CEmbeddedObject<IKivSettingsManager> {
public:
  explicit CSettingsManager(IShellFrame* frame) : m_frame(frame) {}

  STDMETHODIMP get_ShowAtStartup(VARIANT_BOOL* Value) override;
  STDMETHODIMP put_ShowAtStartup(VARIANT_BOOL Value) override;
  STDMETHODIMP get_ShowHideKey(long* Value) override;
  STDMETHODIMP put_ShowHideKey(long Value) override;
  STDMETHODIMP get_PassShowHideKey(VARIANT_BOOL* Value) override;
  STDMETHODIMP put_PassShowHideKey(VARIANT_BOOL Value) override;
  STDMETHODIMP get_KbdActionsCount(long* Value) override;
  STDMETHODIMP put_KbdActionsCount(long Value) override;
  STDMETHODIMP GetKeyHandle(long Index, long* KeyHandle) override;
  STDMETHODIMP GetKeyPass(long Index, VARIANT_BOOL* Pass) override;
  STDMETHODIMP GetKeyActivated(long Index, VARIANT_BOOL* Activated) override;
  STDMETHODIMP GetKbdAction(long Index, CalcAction* Action) override;
  STDMETHODIMP GetKbdActionEx(long Index, CalcActionEx* ActionEx) override;
  STDMETHODIMP SetKbdActionEx(long Index, CalcActionEx ActionEx) override;
  STDMETHODIMP get_CurrentStyle(VisualStyle* Value) override;
  STDMETHODIMP put_CurrentStyle(VisualStyle Value) override;
  STDMETHODIMP get_DocModel(DocumentModel* Value) override;
  STDMETHODIMP put_DocModel(DocumentModel Value) override;
  STDMETHODIMP get_AlwaysOnTop(VARIANT_BOOL* Value) override;
  STDMETHODIMP put_AlwaysOnTop(VARIANT_BOOL Value) override;
  STDMETHODIMP get_CurrentFnProcessing(FnProcessing* Value) override;
  STDMETHODIMP put_CurrentFnProcessing(FnProcessing Value) override;

private:
  // The action at Index, or null when Index is outside the list.
  const KbdAction* Action(long Index) const;

  IShellFrame* m_frame;
  VARIANT_BOOL m_showAtStartup = VARIANT_TRUE;
  long m_showHideKey = 0;
  VARIANT_BOOL m_passShowHideKey = VARIANT_FALSE;
  std::vector<KbdAction> m_actions;
  VisualStyle m_currentStyle = VsOffice2003;
  long m_alwaysOnTop = VARIANT_FALSE;
  DocumentModel m_docModel = PDI;
  FnProcessing m_fnProcessing = FpInsert;
};
