// CApiHook: redirects one exported function in the import tables of every loaded module.
//
// Each hook object rewrites the import-address-table entries that point at its function so
// that they point at the replacement, in every module of the process (optionally leaving out
// the module that holds this code), and puts them back when it is destroyed. Hooks form one
// process-wide list, so that a module loaded later can be patched for all of them at once
// (the loader hooks call PatchNewModule), and so that GetProcAddress can hand out the
// replacement instead of a hooked function.
//
// One lock guards the list and every patching step: hooks may be made and removed, and
// libraries loaded, on any thread.
#pragma once

#include <windows.h>

// Converts between function pointer types (PROC, FARPROC and real signatures).
template <class To, class From>
To FunctionCast(From function) {
  return reinterpret_cast<To>(reinterpret_cast<void (*)()>(function));
}

class CApiHook {
public:
  CApiHook(LPCSTR calleeModule, LPCSTR functionName, PROC replacement, BOOL excludeOwnModule);
  ~CApiHook();
  CApiHook(const CApiHook&) = delete;
  CApiHook& operator=(const CApiHook&) = delete;

  // The function's own address, as it was found when the hook was made (null when the callee
  // module or the function was not there).
  PROC GetOriginal() const { return m_original; }
  PROC GetReplacement() const { return m_replacement; }

  // Patches a module that was just loaded for every hook in the list. Nothing happens for a
  // null module or for loads that map a file as data or as an image resource (flags 0x2,
  // 0x20, 0x40): such a handle is no loaded module and is never parsed.
  static void PatchNewModule(HMODULE module, DWORD loadFlags);

  // The replacement when `address` is the original of a hooked function, else `address`.
  static FARPROC MapProcAddress(FARPROC address);

  // The original address of the live hook of that function, or null when none is live.
  static PROC FindOriginal(LPCSTR calleeModule, LPCSTR functionName);

private:
  static void PatchAllModules(LPCSTR calleeModule, PROC from, PROC to, BOOL excludeOwnModule);
  static void PatchModule(LPCSTR calleeModule, PROC from, PROC to, HMODULE module);

  CApiHook* m_next = nullptr;
  LPCSTR m_calleeModule;
  LPCSTR m_functionName;
  PROC m_original = nullptr;
  PROC m_replacement;
  BOOL m_excludeOwnModule;
};
