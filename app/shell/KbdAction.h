// One keyboard action of the settings: what its key does with the selection of the program in
// front, and which key it is. A new action has the defaults below.
#pragma once

#include "Framework.h"
#include "NumbrookLib.h"

// Scroll Lock (virtual key 145, scan code 70, the key-up flag 128, no modifier).
constexpr long kDefaultActionKeyHandle = 8406673;
// The most actions the settings hold.
constexpr long kMaxKbdActions = 1024;

struct KbdAction {
  ActionProcessing Processing = ApReplace;
  CString Template = L"%d";
  CString Name;
  long Activated = 1;
  long KeyHandle = kDefaultActionKeyHandle;
  long Pass = 1;
};

// The action a settings record describes (absent texts read as empty).
inline KbdAction KbdActionOf(const CalcActionEx& record) {
  KbdAction action;
  action.Processing = record.BaseAction.Processing;
  action.Template = record.BaseAction.Template != nullptr ? record.BaseAction.Template : L"";
  action.Name = record.Name != nullptr ? record.Name : L"";
  action.Activated = record.Activated;
  action.KeyHandle = record.KeyHandle;
  action.Pass = record.Pass;
  return action;
}
