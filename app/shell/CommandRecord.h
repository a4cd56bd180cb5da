// Fills the first five fields of a panel command's record (new strings owned by the caller);
// the group and panel names stay null. E_OUTOFMEMORY leaves the record untouched.
#pragma once

#include "NumbrookLib.h"

HRESULT FillCommandRecord(CalcCommand* record, long identifier, CalcObjectType type, LPCWSTR text, LPCWSTR tooltip,
                          LPCWSTR name);
