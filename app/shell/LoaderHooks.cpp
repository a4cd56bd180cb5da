#include "LoaderHooks.h"

#include <delayimp.h>

namespace {

// Patches the module just loaded without disturbing the caller's view of the last error.
HMODULE PatchLoaded(HMODULE module, DWORD flags) {
  DWORD error = ::GetLastError();
  CApiHook::PatchNewModule(module, flags);
  ::SetLastError(error);
  return module;
}

HMODULE WINAPI HookLoadLibraryA(LPCSTR name) { return PatchLoaded(::LoadLibraryA(name), 0); }

HMODULE WINAPI HookLoadLibraryW(LPCWSTR name) { return PatchLoaded(::LoadLibraryW(name), 0); }

HMODULE WINAPI HookLoadLibraryExA(LPCSTR name, HANDLE file, DWORD flags) {
  return PatchLoaded(::LoadLibraryExA(name, file, flags), flags);
}

HMODULE WINAPI HookLoadLibraryExW(LPCWSTR name, HANDLE file, DWORD flags) {
  return PatchLoaded(::LoadLibraryExW(name, file, flags), flags);
}

FARPROC WINAPI HookGetProcAddress(HMODULE module, LPCSTR name) {
  FARPROC address = ::GetProcAddress(module, name);
  DWORD error = ::GetLastError();
  address = CApiHook::MapProcAddress(address);
  ::SetLastError(error);
  return address;
}

// Loads a delay-loaded library of the program for the loader and patches it.
FARPROC WINAPI DelayLoadNotification(unsigned notification, PDelayLoadInfo info) {
  if (notification != dliNotePreLoadLibrary || info == nullptr || info->szDll == nullptr) return nullptr;
  HMODULE module = PatchLoaded(::LoadLibraryA(info->szDll), 0);
  return reinterpret_cast<FARPROC>(reinterpret_cast<UINT_PTR>(module));
}

}  // namespace

CLoaderHooks::CLoaderHooks()
    : m_loadLibraryA("Kernel32.dll", "LoadLibraryA", FunctionCast<PROC>(&HookLoadLibraryA), TRUE),
      m_loadLibraryW("Kernel32.dll", "LoadLibraryW", FunctionCast<PROC>(&HookLoadLibraryW), TRUE),
      m_loadLibraryExA("Kernel32.dll", "LoadLibraryExA", FunctionCast<PROC>(&HookLoadLibraryExA), TRUE),
      m_loadLibraryExW("Kernel32.dll", "LoadLibraryExW", FunctionCast<PROC>(&HookLoadLibraryExW), TRUE),
      m_getProcAddress("Kernel32.dll", "GetProcAddress", FunctionCast<PROC>(&HookGetProcAddress), TRUE) {
  __pfnDliNotifyHook2 = &DelayLoadNotification;
}

CLoaderHooks::~CLoaderHooks() {
  if (__pfnDliNotifyHook2 == &DelayLoadNotification) __pfnDliNotifyHook2 = nullptr;
}
