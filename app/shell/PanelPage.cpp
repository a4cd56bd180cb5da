#include "PanelPage.h"

#include "CalcExport.h"
#include "FwComSupport.h"

namespace {

// & < > " (and ') as character references; a double quote as "&#34;".
CString Escape(const CString& text) {
  CString escaped = CalcExport::EscapeHtml(text);
  escaped.Replace(L"&quot;", L"&#34;");
  return escaped;
}

CString WithHardBlanks(const CString& text) {
  CString hard = text;
  hard.Replace(L" ", L"&nbsp;");
  return hard;
}

void Check(HRESULT hr) {
  if (FAILED(hr)) _com_issue_error(hr);
}

CString TakeString(BSTR& text) {
  CString taken = text != nullptr ? CString(text) : CString();
  ::SysFreeString(text);
  text = nullptr;
  return taken;
}

// The record of one command, its strings taken over.
PanelCommand TakeCommand(CalcCommand& record, const CString& groupName, const CString& caption) {
  PanelCommand command;
  command.identifier = record.CalcCommandIdentifier;
  command.type = record.CalcCommandType;
  command.text = TakeString(record.CalcCommandText);
  command.tooltip = TakeString(record.CalcCommandTooltip);
  command.name = TakeString(record.CalcCommandName);
  TakeString(record.CalcCommandGroupName);
  TakeString(record.CalcCommandPanelName);
  command.groupName = groupName;
  command.panelName = caption;
  return command;
}

CString CommandElement(const PanelCommand& command, PanelViewType view, const PanelPageFormats& formats) {
  CString element;
  const CString name = Escape(command.name);
  const CString tooltip = Escape(command.tooltip);
  if (view == PVTCells)
    element.Format(formats.cell, static_cast<LPCWSTR>(tooltip), command.identifier, static_cast<LPCWSTR>(name));
  else
    element.Format(formats.button, static_cast<LPCWSTR>(name), static_cast<LPCWSTR>(tooltip), command.identifier);
  return element;
}

}  // namespace

PanelPageFormats PanelPageFormats::Load() {
  PanelPageFormats formats;
  formats.groupHead.LoadString(IDS_PANEL_GROUP_HEAD);
  formats.groupEnd.LoadString(IDS_PANEL_GROUP_END);
  formats.button.LoadString(IDS_PANEL_COMMAND_BUTTON);
  formats.cell.LoadString(IDS_PANEL_COMMAND_CELL);
  return formats;
}

CString BuildPanelPage(ICBCommandPanel* description, PanelViewType view, const CString& caption,
                       const PanelPageFormats& formats, std::vector<PanelCommand>& commands) {
  commands.clear();
  CString page;
  if (description == nullptr) return page;
  long groups = 0;
  Check(description->GetGroupsCount(&groups));
  for (long g = 0; g < groups; ++g) {
    long count = 0;
    Check(description->GetCommandsCount(g, &count));
    if (count <= 0) continue;
    BSTR rawName = nullptr;
    Check(description->GetGroupName(g, &rawName));
    const CString groupName = TakeString(rawName);
    page.AppendFormat(formats.groupHead, static_cast<LPCWSTR>(WithHardBlanks(Escape(groupName))));
    for (long c = 0; c < count; ++c) {
      CalcCommand record = {};
      const HRESULT hr = description->GetCommandDesc(g, c, &record);
      PanelCommand command = TakeCommand(record, WithHardBlanks(groupName), caption);
      Check(hr);
      page += CommandElement(command, view, formats);
      commands.push_back(command);
    }
    page += formats.groupEnd;
  }
  return page;
}

const PanelCommand* FindPanelCommand(const std::vector<PanelCommand>& commands, LPCWSTR elementId) {
  long identifier = 0;
  for (LPCWSTR p = elementId != nullptr ? elementId : L""; *p >= L'0' && *p <= L'9'; ++p) {
    if (identifier > 0x0CCCCCCC) return nullptr;  // more digits than any identifier has
    identifier = identifier * 10 + (*p - L'0');
  }
  for (const PanelCommand& command : commands)
    if (command.identifier == identifier) return &command;
  return nullptr;
}
