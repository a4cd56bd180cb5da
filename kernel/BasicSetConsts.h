// The kernel's fixed set of named constants (coclass BasicSetConsts): Authors, pi, exp, true and
// false, read-only after creation.
#pragma once

#include <windows.h>

#include "Evalkern.h"

namespace evalkern {

constexpr long kBasicConstCount = 5;

// Makes a new BasicSetConsts object (texts fetched) and answers the asked interface.
HRESULT CreateBasicSetConsts(REFIID iid, void** out);

}  // namespace evalkern
