#include "CommandRecord.h"

HRESULT FillCommandRecord(CalcCommand* record, long identifier, CalcObjectType type, LPCWSTR text, LPCWSTR tooltip,
                          LPCWSTR name) {
  if (record == nullptr) return E_POINTER;
  BSTR strings[3] = {::SysAllocString(text), ::SysAllocString(tooltip), ::SysAllocString(name)};
  for (BSTR s : strings) {
    if (s == nullptr) {
      for (BSTR t : strings) ::SysFreeString(t);
      return E_OUTOFMEMORY;
    }
  }
  record->CalcCommandIdentifier = identifier;
  record->CalcCommandType = type;
  record->CalcCommandText = strings[0];
  record->CalcCommandTooltip = strings[1];
  record->CalcCommandName = strings[2];
  record->CalcCommandGroupName = nullptr;
  record->CalcCommandPanelName = nullptr;
  return S_OK;
}
