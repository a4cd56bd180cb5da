// Replacing a file without ever leaving a partial one: the new content goes to a temporary
// file beside the target, which takes the target's place only when it is complete.
#pragma once

#include "Framework.h"

// The folder part of a file path: "." for a bare name, "C:" for "C:name" (drive C's current
// folder), the root itself for a file in a root ("\" or "C:\").
CString FolderOf(LPCWSTR path);

// Whether an existing target may be replaced: not a folder, not read-only, not held open by a
// program that denies writing. A missing target is decided by its folder.
bool TargetReplaceable(LPCWSTR path);

// A new empty temporary file in the target's folder; false when none can be made there.
bool MakeTempBeside(LPCWSTR target, LPCWSTR prefix, CString& temp);

// Pushes what was written to `path` to the disk, so a machine that stops right after the
// rename still finds the whole text.
bool FlushToDisk(LPCWSTR path);

// Puts the complete temporary file in the target's place.
bool ReplaceWithTemp(LPCWSTR temp, LPCWSTR target);

// Copies `path` to `path` + ".bak" beside it, replacing an older backup only once the copy is
// complete. True when the copy is there, or when there is no file to keep.
bool KeepBackupOf(LPCWSTR path);
