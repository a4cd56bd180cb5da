// CDefinedCommandPanel: a command panel whose groups and commands are a run of strings of the
// resource library, starting at the id given to the constructor:
//   string N        the number of groups G (a decimal number, 0 or more)
//   "\n<g>\n<name>" a group header: the group number g (1 to G) and its name
//   "<name>\n<text>\n<tool tip>\n<kind>"
//                   a command of the current group; its identifier is its string id + 1 and
//                   the kind ("Number", "Operator", "Constant", "String"; else -1) its type
//   "\n"            the end of the run
// A run that breaks a rule (a command before any header, a group number outside 1..G, a
// command with fewer than four fields, a missing string) ends there: the panel keeps what it
// read before.
#pragma once

#include "CommandPanel.h"

class CDefinedCommandPanel : public CCommandPanel {
public:
  explicit CDefinedCommandPanel(UINT firstStringId);

  // The run was read up to its end mark.
  bool IsComplete() const { return m_complete; }

  // The type of a kind word (case-sensitive); -1 for an unknown word.
  static long KindToType(const CString& kind);

private:
  void Read(UINT firstStringId);
  bool ReadHeader(const CString& entry, int& current);
  bool ReadCommand(const CString& entry, UINT id, int current);

  bool m_complete = false;
};
