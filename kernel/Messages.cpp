#include "Messages.h"

#include <windows.h>

#include <cstdint>

#include "KernelObject.h"

namespace evalkern {

const wchar_t kMessageModuleName[] = L"EvalkernMsg.dll";

namespace {

constexpr int kFirstId = 10000;
constexpr int kGroups = 6;
constexpr int kGroupSize = 128;
constexpr int kBufferSize = 4096;

const wchar_t kNoModuleText[] = L"String table was not loaded";
const wchar_t kNoStringText[] = L"Invalid string index";

struct MessageModule {
  std::wstring fileName = kMessageModuleName;
  bool tried = false;
  HMODULE handle = nullptr;
  std::wstring cache[kGroups][kGroupSize];
};

MessageModule& Module() {
  static MessageModule module;
  return module;
}

// The folder of the module (DLL or program) that contains this code, with a trailing "\".
std::wstring KernelFolder() {
  HMODULE self = nullptr;
  if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                              GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          reinterpret_cast<LPCWSTR>(&KernelFolder), &self))
    return std::wstring();
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(self, &path[0], static_cast<DWORD>(path.size()));
    if (n == 0) return std::wstring();
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

}  // namespace

void LoadMessageModule() {
  MessageModule& m = Module();
  if (m.tried) return;
  m.tried = true;
  std::wstring folder = KernelFolder();
  // Only a full path: the module is never searched for in the current folder or on PATH.
  if (folder.empty()) return;
  m.handle = LoadLibraryExW((folder + m.fileName).c_str(), nullptr,
                            LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
}

std::wstring GetMessageText(int id) {
  LoadMessageModule();
  MessageModule& m = Module();
  if (!m.handle) return kNoModuleText;

  const int64_t d = static_cast<int64_t>(id) - kFirstId;
  const int64_t g = d / 1000;  // truncates toward zero
  const int64_t k = d - 1000 * g;
  if (static_cast<uint64_t>(g) >= kGroups || static_cast<uint64_t>(k) >= kGroupSize)
    RaiseError(L"Message id " + std::to_wstring(id) + L" is out of range");

  std::wstring& entry = m.cache[g][k];
  if (!entry.empty()) return entry;

  wchar_t buf[kBufferSize];
  int n = LoadStringW(m.handle, static_cast<UINT>(id), buf, kBufferSize);
  entry = n > 0 ? std::wstring(buf, n) : std::wstring(kNoStringText);
  return entry;
}

std::wstring GetMessageTextFmt(int id, const std::wstring& arg) {
  std::wstring text = GetMessageText(id);
  size_t p = text.find(L"%s");
  if (p != std::wstring::npos) text.replace(p, 2, arg);
  return text;
}

void ReloadMessageModuleForTests(const std::wstring& fileName) {
  MessageModule& m = Module();
  if (m.handle) FreeLibrary(m.handle);
  m.handle = nullptr;
  m.tried = false;
  m.fileName = fileName;
  for (auto& group : m.cache)
    for (auto& text : group) text.clear();
}

}  // namespace evalkern
