#include "SettingsManager.h"

#include "ComValues.h"
#include "ShellFrame.h"

const KbdAction* CSettingsManager::Action(long Index) const {
  if (Index < 0 || static_cast<size_t>(Index) >= m_actions.size()) return nullptr;
  return &m_actions[static_cast<size_t>(Index)];
}

STDMETHODIMP CSettingsManager::get_ShowAtStartup(VARIANT_BOOL* Value) { return Give(Value, m_showAtStartup); }
STDMETHODIMP CSettingsManager::put_ShowAtStartup(VARIANT_BOOL Value) {
  m_showAtStartup = AsVariantBool(Value);
  return S_OK;
}

STDMETHODIMP CSettingsManager::get_ShowHideKey(long* Value) { return Give(Value, m_showHideKey); }
STDMETHODIMP CSettingsManager::put_ShowHideKey(long Value) {
  m_showHideKey = Value;
  return S_OK;
}

STDMETHODIMP CSettingsManager::get_PassShowHideKey(VARIANT_BOOL* Value) { return Give(Value, m_passShowHideKey); }
STDMETHODIMP CSettingsManager::put_PassShowHideKey(VARIANT_BOOL Value) {
  m_passShowHideKey = AsVariantBool(Value);
  return S_OK;
}

STDMETHODIMP CSettingsManager::get_KbdActionsCount(long* Value) {
  return Give(Value, static_cast<long>(m_actions.size()));
}

STDMETHODIMP CSettingsManager::put_KbdActionsCount(long Value) {
  if (Value < 0 || Value > kMaxKbdActions) return E_INVALIDARG;
  try {
    m_actions.resize(static_cast<size_t>(Value));
  } catch (...) {
    return E_OUTOFMEMORY;
  }
  return S_OK;
}

STDMETHODIMP CSettingsManager::GetKeyHandle(long Index, long* KeyHandle) {
  const KbdAction* action = Action(Index);
  return action != nullptr ? Give(KeyHandle, action->KeyHandle) : E_INVALIDARG;
}

STDMETHODIMP CSettingsManager::GetKeyPass(long Index, VARIANT_BOOL* Pass) {
  const KbdAction* action = Action(Index);
  return action != nullptr ? Give(Pass, AsVariantBool(action->Pass)) : E_INVALIDARG;
}

STDMETHODIMP CSettingsManager::GetKeyActivated(long Index, VARIANT_BOOL* Activated) {
  const KbdAction* action = Action(Index);
  return action != nullptr ? Give(Activated, AsVariantBool(action->Activated)) : E_INVALIDARG;
}

STDMETHODIMP CSettingsManager::GetKbdAction(long Index, CalcAction* Result) {
  const KbdAction* action = Action(Index);
  if (action == nullptr) return E_INVALIDARG;
  if (Result == nullptr) return E_POINTER;
  BSTR text = action->Template.AllocSysString();
  if (text == nullptr) return E_OUTOFMEMORY;
  Result->Processing = action->Processing;
  Result->Template = text;
  return S_OK;
}

STDMETHODIMP CSettingsManager::GetKbdActionEx(long Index, CalcActionEx* Result) {
  const KbdAction* action = Action(Index);
  if (action == nullptr) return E_INVALIDARG;
  if (Result == nullptr) return E_POINTER;
  BSTR text = action->Template.AllocSysString();
  BSTR name = action->Name.AllocSysString();
  if (text == nullptr || name == nullptr) {
    ::SysFreeString(text);
    ::SysFreeString(name);
    return E_OUTOFMEMORY;
  }
  Result->BaseAction.Processing = action->Processing;
  Result->BaseAction.Template = text;
  Result->Name = name;
  Result->Activated = action->Activated;
  Result->KeyHandle = action->KeyHandle;
  Result->Pass = action->Pass;
  return S_OK;
}

STDMETHODIMP CSettingsManager::SetKbdActionEx(long Index, CalcActionEx ActionEx) {
  if (Action(Index) == nullptr) return E_INVALIDARG;
  m_actions[static_cast<size_t>(Index)] = KbdActionOf(ActionEx);
  return S_OK;
}

STDMETHODIMP CSettingsManager::get_CurrentStyle(VisualStyle* Value) { return Give(Value, m_currentStyle); }
STDMETHODIMP CSettingsManager::put_CurrentStyle(VisualStyle Value) {
  m_currentStyle = Value;
  if (m_frame != nullptr && Value >= VsSimple && Value <= VsOffice2003) m_frame->SelectLook(Value);
  return S_OK;
}

STDMETHODIMP CSettingsManager::get_DocModel(DocumentModel* Value) { return Give(Value, m_docModel); }
STDMETHODIMP CSettingsManager::put_DocModel(DocumentModel Value) {
  m_docModel = Value;
  return S_OK;
}

STDMETHODIMP CSettingsManager::get_AlwaysOnTop(VARIANT_BOOL* Value) {
  return Give(Value, static_cast<VARIANT_BOOL>(m_alwaysOnTop));
}
STDMETHODIMP CSettingsManager::put_AlwaysOnTop(VARIANT_BOOL Value) {
  m_alwaysOnTop = AsVariantBool(Value);
  HWND frame = m_frame != nullptr ? m_frame->GetFrameHwnd() : nullptr;
  if (frame != nullptr)
    ::SetWindowPos(frame, Value ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  return S_OK;
}

STDMETHODIMP CSettingsManager::get_CurrentFnProcessing(FnProcessing* Value) { return Give(Value, m_fnProcessing); }
STDMETHODIMP CSettingsManager::put_CurrentFnProcessing(FnProcessing Value) {
  m_fnProcessing = Value;
  return S_OK;
}
