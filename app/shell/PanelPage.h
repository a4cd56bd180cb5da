// The page of a command panel: the HTML that shows a panel description's groups and commands
// in the browser, the list of commands it shows, and the command that a click on one of its
// elements names. Plain functions over their inputs, so they run without a browser.
#pragma once

#include <vector>

#include "Framework.h"
#include "NumbrookLib.h"

#define IDS_PANEL_GROUP_HEAD 1001
#define IDS_PANEL_GROUP_END 1002
#define IDS_PANEL_COMMAND_BUTTON 1003
#define IDS_PANEL_COMMAND_CELL 1004

// The formats of a page: a group's head (one %s, the group name), its end (used as it is), and
// a command as a button (%s name, %s tool tip, %d identifier) or as a cell (%s tool tip,
// %d identifier, %s name). A command's element must carry its identifier as its id.
struct PanelPageFormats {
  CString groupHead;
  CString groupEnd;
  CString button;
  CString cell;
  // The formats of the resource library (strings 1001 to 1004).
  static PanelPageFormats Load();
};

// A command as the page shows it, in the field order of CalcCommand.
struct PanelCommand {
  long identifier = 0;
  CalcObjectType type = CotUnknown;
  CString text;
  CString tooltip;
  CString name;
  CString groupName;
  CString panelName;
};

// The body of the page for `description` shown as `view`; `commands` is emptied and then gets
// every command shown, with its group name (blanks as "&nbsp;") and `caption` as panel name.
// Every text put into the page is HTML-escaped. A group without commands shows nothing. A
// failing call of the description is raised as _com_error.
CString BuildPanelPage(ICBCommandPanel* description, PanelViewType view, const CString& caption,
                       const PanelPageFormats& formats, std::vector<PanelCommand>& commands);

// The command that an element id names: the id's leading decimal digits (none read as 0) are an
// identifier, and the first command with it answers; null when none has it.
const PanelCommand* FindPanelCommand(const std::vector<PanelCommand>& commands, LPCWSTR elementId);
