#include "CommandPanel.h"

const CCommandPanel::Group* CCommandPanel::FindGroup(long index) const {
  if (index < 0 || static_cast<size_t>(index) >= m_groups.size()) return nullptr;
  return &m_groups[static_cast<size_t>(index)];
}

STDMETHODIMP CCommandPanel::GetGroupsCount(long* Count) {
  if (Count == nullptr) return E_POINTER;
  *Count = static_cast<long>(m_groups.size());
  return S_OK;
}

STDMETHODIMP CCommandPanel::GetGroupName(long GroupIndex, BSTR* Name) {
  const Group* group = FindGroup(GroupIndex);
  if (group == nullptr) return E_INVALIDARG;
  if (Name == nullptr) return E_POINTER;
  *Name = group->name.AllocSysString();
  return *Name != nullptr ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP CCommandPanel::GetCommandsCount(long GroupIndex, long* Count) {
  const Group* group = FindGroup(GroupIndex);
  if (group == nullptr) return E_INVALIDARG;
  if (Count == nullptr) return E_POINTER;
  *Count = static_cast<long>(group->commands.size());
  return S_OK;
}

STDMETHODIMP CCommandPanel::GetCommandDesc(long GroupIndex, long CommandIndex, CalcCommand* Command) {
  const Group* group = FindGroup(GroupIndex);
  if (group == nullptr || CommandIndex < 0 || static_cast<size_t>(CommandIndex) >= group->commands.size())
    return E_INVALIDARG;
  if (Command == nullptr) return E_POINTER;
  const auto& command = group->commands[static_cast<size_t>(CommandIndex)];
  BSTR strings[3] = {command.text.AllocSysString(), command.tooltip.AllocSysString(), command.name.AllocSysString()};
  for (BSTR s : strings) {
    if (s == nullptr) {
      for (BSTR t : strings) ::SysFreeString(t);
      return E_OUTOFMEMORY;
    }
  }
  Command->CalcCommandIdentifier = command.identifier;
  Command->CalcCommandType = static_cast<CalcObjectType>(command.type);
  Command->CalcCommandText = strings[0];
  Command->CalcCommandTooltip = strings[1];
  Command->CalcCommandName = strings[2];
  Command->CalcCommandGroupName = nullptr;
  Command->CalcCommandPanelName = nullptr;
  return S_OK;
}
