// CCommandPanel (ICBCommandPanel): a command panel's groups and commands as its builder read
// them. The panels derive from it and fill the groups in their constructors; a group or command
// index outside them answers E_INVALIDARG.
#pragma once

#include <vector>

#include "EmbeddedObject.h"
#include "Framework.h"
#include "NumbrookLib.h"

class CCommandPanel : public CEmbeddedObject<ICBCommandPanel> {
public:
  STDMETHODIMP GetGroupsCount(long* Count) override;
  STDMETHODIMP GetGroupName(long GroupIndex, BSTR* Name) override;
  STDMETHODIMP GetCommandsCount(long GroupIndex, long* Count) override;
  // The first five fields of the record (new strings); the group and panel names stay null.
  STDMETHODIMP GetCommandDesc(long GroupIndex, long CommandIndex, CalcCommand* Command) override;

protected:
  struct Command {
    long identifier;
    long type;  // a CalcObjectType, or -1 for an unknown kind
    CString name, text, tooltip;
  };
  struct Group {
    CString name;
    std::vector<Command> commands;
  };
  CCommandPanel() = default;
  ~CCommandPanel() = default;
  // The group at `index`, or null outside the groups.
  const Group* FindGroup(long index) const;

  std::vector<Group> m_groups;
};
