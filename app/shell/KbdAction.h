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
