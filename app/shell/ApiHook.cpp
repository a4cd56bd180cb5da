#include "ApiHook.h"

#include <psapi.h>

#include <mutex>
#include <new>
#include <vector>

namespace {

// The list head and the lock that guards it and every patching step. The lock is recursive:
// a library's start-up code may load another library while the loader hook patches.
CApiHook* g_head = nullptr;

std::recursive_mutex& HookLock() {
  static std::recursive_mutex lock;
  return lock;
}

// Loads that map the file without running it: LOAD_LIBRARY_AS_DATAFILE,
// LOAD_LIBRARY_AS_DATAFILE_EXCLUSIVE and LOAD_LIBRARY_AS_IMAGE_RESOURCE.
constexpr DWORD kNotRunnableLoads = 0x2 | 0x40 | 0x20;

// The module that holds this code (found by an object of the same image).
const char g_ownModuleMark = 0;
HMODULE OwnModule() {
  MEMORY_BASIC_INFORMATION mbi = {};
  if (::VirtualQuery(&g_ownModuleMark, &mbi, sizeof(mbi)) == 0) return nullptr;
  return static_cast<HMODULE>(mbi.AllocationBase);
}

// The modules of this process now. A snapshot of the process would tell the same at many times
// the cost: the loader's own list is asked instead.
std::vector<HMODULE> LoadedModules() {
  try {
    std::vector<HMODULE> modules(256);
    for (;;) {
      const DWORD room = static_cast<DWORD>(modules.size() * sizeof(HMODULE));
      DWORD needed = 0;
      if (!::K32EnumProcessModules(::GetCurrentProcess(), modules.data(), room, &needed)) return {};
      if (needed <= room) {
        modules.resize(needed / sizeof(HMODULE));
        return modules;
      }
      modules.resize(needed / sizeof(HMODULE) + 16);
    }
  } catch (const std::bad_alloc&) {
    return {};
  }
}

// The import descriptors of a loaded module, as its headers place them (null when it has none).
PIMAGE_IMPORT_DESCRIPTOR ImportDescriptors(HMODULE module) {
  auto* base = reinterpret_cast<BYTE*>(module);
  auto* dos = reinterpret_cast<PIMAGE_DOS_HEADER>(base);
  if (dos->e_magic != IMAGE_DOS_SIGNATURE) return nullptr;
  auto* nt = reinterpret_cast<PIMAGE_NT_HEADERS>(base + dos->e_lfanew);
  if (nt->Signature != IMAGE_NT_SIGNATURE || nt->OptionalHeader.Magic != IMAGE_NT_OPTIONAL_HDR_MAGIC) return nullptr;
  if (nt->OptionalHeader.NumberOfRvaAndSizes <= IMAGE_DIRECTORY_ENTRY_IMPORT) return nullptr;
  const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (imports.VirtualAddress == 0 || imports.Size == 0) return nullptr;
  return reinterpret_cast<PIMAGE_IMPORT_DESCRIPTOR>(base + imports.VirtualAddress);
}

void WriteEntry(PROC* entry, PROC to) {
  DWORD oldProtect = 0;
  if (!::VirtualProtect(entry, sizeof(*entry), PAGE_EXECUTE_READWRITE, &oldProtect)) return;
  ::WriteProcessMemory(::GetCurrentProcess(), entry, &to, sizeof(to), nullptr);
  DWORD ignored = 0;
  ::VirtualProtect(entry, sizeof(*entry), oldProtect, &ignored);
}

}  // namespace

CApiHook::CApiHook(LPCSTR calleeModule, LPCSTR functionName, PROC replacement, BOOL excludeOwnModule)
    : m_calleeModule(calleeModule), m_functionName(functionName), m_replacement(replacement),
      m_excludeOwnModule(excludeOwnModule) {
  std::lock_guard<std::recursive_mutex> guard(HookLock());
  m_next = g_head;
  g_head = this;
  if (HMODULE callee = ::GetModuleHandleA(calleeModule))
    m_original = reinterpret_cast<PROC>(::GetProcAddress(callee, functionName));
  if (m_original != nullptr) PatchAllModules(m_calleeModule, m_original, m_replacement, m_excludeOwnModule);
}

CApiHook::~CApiHook() {
  std::lock_guard<std::recursive_mutex> guard(HookLock());
  if (m_original != nullptr) PatchAllModules(m_calleeModule, m_replacement, m_original, m_excludeOwnModule);
  for (CApiHook** link = &g_head; *link != nullptr; link = &(*link)->m_next) {
    if (*link == this) {
      *link = m_next;
      break;
    }
  }
}

void CApiHook::PatchNewModule(HMODULE module, DWORD loadFlags) {
  if (module == nullptr || (loadFlags & kNotRunnableLoads) != 0) return;
  std::lock_guard<std::recursive_mutex> guard(HookLock());
  for (CApiHook* hook = g_head; hook != nullptr; hook = hook->m_next)
    if (hook->m_original != nullptr) PatchModule(hook->m_calleeModule, hook->m_original, hook->m_replacement, module);
}

FARPROC CApiHook::MapProcAddress(FARPROC address) {
  if (address == nullptr) return nullptr;
  std::lock_guard<std::recursive_mutex> guard(HookLock());
  for (CApiHook* hook = g_head; hook != nullptr; hook = hook->m_next)
    if (reinterpret_cast<FARPROC>(hook->m_original) == address) return reinterpret_cast<FARPROC>(hook->m_replacement);
  return address;
}

PROC CApiHook::FindOriginal(LPCSTR calleeModule, LPCSTR functionName) {
  std::lock_guard<std::recursive_mutex> guard(HookLock());
  for (CApiHook* hook = g_head; hook != nullptr; hook = hook->m_next)
    if (lstrcmpiA(hook->m_calleeModule, calleeModule) == 0 && lstrcmpA(hook->m_functionName, functionName) == 0)
      return hook->m_original;
  return nullptr;
}

void CApiHook::PatchAllModules(LPCSTR calleeModule, PROC from, PROC to, BOOL excludeOwnModule) {
  HMODULE excluded = excludeOwnModule ? OwnModule() : nullptr;
  for (HMODULE module : LoadedModules())
    if (module != excluded) PatchModule(calleeModule, from, to, module);
}

void CApiHook::PatchModule(LPCSTR calleeModule, PROC from, PROC to, HMODULE module) {
  PIMAGE_IMPORT_DESCRIPTOR descriptor = ImportDescriptors(module);
  if (descriptor == nullptr) return;
  auto* base = reinterpret_cast<BYTE*>(module);
  for (; descriptor->Name != 0; ++descriptor) {
    if (lstrcmpiA(reinterpret_cast<LPCSTR>(base + descriptor->Name), calleeModule) != 0) continue;
    auto* thunk = reinterpret_cast<PROC*>(base + descriptor->FirstThunk);
    for (; *thunk != nullptr; ++thunk) {
      if (*thunk == from) {
        WriteEntry(thunk, to);
        return;
      }
    }
  }
}
