// Test programs on the framework pump the way its message loop does: every message is offered to
// the windows' PreTranslateMessage chain (accelerators, bars' keyboard handling) first.
#pragma once
#include "Framework.h"
#include "TestPump.h"

inline const bool g_pumpThroughFramework = (SetPumpFilter(&AfxPreTranslateMessage), true);
