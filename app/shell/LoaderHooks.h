// The hooks on the kernel's library-loading functions and on GetProcAddress. They keep the
// import-table hooks (CApiHook) complete for modules loaded after the hooks were made: every
// library loaded by another module is patched for all live hooks, and GetProcAddress hands out
// a hooked function's replacement. The module that holds this code is left alone, so the
// program's own loads and look-ups reach the real functions; only the libraries it loads on the
// first call of one of their functions (delay-loaded) are patched, as they were when they
// still came with the program's start.
//
// The application keeps one object for the life of the process; it is made before any other
// hook and removed after all of them (the members go in reverse order).
#pragma once

#include "ApiHook.h"

class CLoaderHooks {
public:
  CLoaderHooks();
  ~CLoaderHooks();
  CLoaderHooks(const CLoaderHooks&) = delete;
  CLoaderHooks& operator=(const CLoaderHooks&) = delete;

private:
  CApiHook m_loadLibraryA;
  CApiHook m_loadLibraryW;
  CApiHook m_loadLibraryExA;
  CApiHook m_loadLibraryExW;
  CApiHook m_getProcAddress;
};
