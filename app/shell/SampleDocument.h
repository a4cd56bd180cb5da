// The first-run copy of the sample worksheet: "NumbrookDoc.txt" beside the program becomes the
// user's worksheet when there is none yet. An existing worksheet is never replaced, and a
// missing sample is no error.
#pragma once

#include <windows.h>

// Copies <sampleFolder>\NumbrookDoc.txt to `worksheetPath` unless that exists; the folder is
// the program's own when none is given. True when the sample was copied.
bool CopySampleDocument(LPCWSTR worksheetPath, LPCWSTR sampleFolder = nullptr);
