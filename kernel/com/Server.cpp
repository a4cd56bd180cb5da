// Evalkern.dll as an in-process COM server: the class objects of the twelve creatable classes,
// the four exports, and self-registration of the type library and every class.
#include <windows.h>
#include <oleauto.h>

#include <string>

#include "ClassRegistry.h"
#include "KernelObject.h"

namespace evalkern {
namespace {

// One class object per coclass, in the order in which the kernel's units create them.
struct ServerClass {
  const CLSID* clsid;
  const wchar_t* coclass;
  const wchar_t* description;  // the coclass's help string, empty where it has none
};

const ServerClass kClasses[] = {
    {&CLSID_SimpleInterpreterOrlen, L"SimpleInterpreterOrlen", L"SimpleInterpretatorOrlen"},
    {&CLSID_MultiLinesInterpreterOrlen, L"MultiLinesInterpreterOrlen", L""},
    {&CLSID_ShellConsts, L"ShellConsts", L""},
    {&CLSID_ShellVars, L"ShellVars", L""},
    {&CLSID_ShellFuncs, L"ShellFuncs", L""},
    {&CLSID_CollectionConsts, L"CollectionConsts", L""},
    {&CLSID_CollectionVars, L"CollectionVars", L""},
    {&CLSID_LibOrlen, L"LibOrlen", L"LibOrlen"},
    {&CLSID_BasicSetConsts, L"BasicSetConsts", L""},
    {&CLSID_BasicSetFuncs, L"BasicSetFuncs", L"BasicSetFuncs"},
    {&CLSID_BasicMultiLinesInterpreterOrlen, L"BasicMultiLinesInterpreterOrlen", L""},
    {&CLSID_CategoriesList, L"CategoriesList", L"CategoriesList"},
};
constexpr int kClassCount = sizeof(kClasses) / sizeof(kClasses[0]);

// A class object lives as long as the library; it is not counted as a live object.
class TClassFactory : public IClassFactory {
 public:
  explicit TClassFactory(const ServerClass& cls) : cls_(cls) {}

  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
      *out = static_cast<IClassFactory*>(this);
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }

  // Multi-instance: every call makes a new object.
  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    CreateFn create = FindClass(*cls_.clsid);
    if (!create) return CLASS_E_CLASSNOTAVAILABLE;
    return create(iid, out);
  }
  STDMETHODIMP LockServer(BOOL lock) override {
    if (lock)
      ServerLock();
    else
      ServerUnlock();
    return S_OK;
  }

  const ServerClass& cls() const { return cls_; }

 private:
  const ServerClass& cls_;
};

TClassFactory g_factories[] = {
    TClassFactory(kClasses[0]), TClassFactory(kClasses[1]),  TClassFactory(kClasses[2]),
    TClassFactory(kClasses[3]), TClassFactory(kClasses[4]),  TClassFactory(kClasses[5]),
    TClassFactory(kClasses[6]), TClassFactory(kClasses[7]),  TClassFactory(kClasses[8]),
    TClassFactory(kClasses[9]), TClassFactory(kClasses[10]), TClassFactory(kClasses[11]),
};
static_assert(sizeof(g_factories) / sizeof(g_factories[0]) == kClassCount, "one per class");

HMODULE g_module = nullptr;

// --- registration ---------------------------------------------------------------------------

struct RegistrationFailed {};

void Succeed(HRESULT hr) {
  if (FAILED(hr)) throw RegistrationFailed{};
}

std::wstring ModulePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(g_module, &path[0], static_cast<DWORD>(path.size()));
    if (n == 0) throw RegistrationFailed{};
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

// The server's path as written under InprocServer32: its short form when it holds a blank.
std::wstring InprocServerPath(const std::wstring& path) {
  if (path.find(L' ') == std::wstring::npos) return path;
  DWORD n = GetShortPathNameW(path.c_str(), nullptr, 0);
  if (n == 0) throw RegistrationFailed{};
  std::wstring shortPath(n, L'\0');
  n = GetShortPathNameW(path.c_str(), &shortPath[0], n);
  if (n == 0 || n >= shortPath.size()) throw RegistrationFailed{};
  shortPath.resize(n);
  return shortPath;
}

std::wstring GuidText(const GUID& guid) {
  wchar_t text[40];
  if (!StringFromGUID2(guid, text, 40)) throw RegistrationFailed{};
  return text;  // upper-case hexadecimal in braces
}

// Creates HKEY_CLASSES_ROOT\key and sets one string value (the default one when name is null).
void SetKey(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
  HKEY h = nullptr;
  if (RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_SET_VALUE, nullptr, &h, nullptr) != ERROR_SUCCESS)
    throw RegistrationFailed{};
  LONG rc = RegSetValueExW(h, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                           static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(h);
  if (rc != ERROR_SUCCESS) throw RegistrationFailed{};
}

// Deletes HKEY_CLASSES_ROOT\key; a key that is already gone is no failure.
void DeleteKey(const std::wstring& key) {
  LONG rc = RegDeleteKeyW(HKEY_CLASSES_ROOT, key.c_str());
  if (rc != ERROR_SUCCESS && rc != ERROR_FILE_NOT_FOUND) throw RegistrationFailed{};
}

struct TypeLibInfo {
  GUID libid;
  WORD major, minor;
  LCID lcid;
  SYSKIND syskind;
};

TypeLibInfo LoadOwnTypeLib(const std::wstring& path, bool registerIt) {
  ITypeLib* lib = nullptr;
  Succeed(LoadTypeLibEx(path.c_str(), REGKIND_NONE, &lib));
  TLIBATTR* attr = nullptr;
  HRESULT hr = lib->GetLibAttr(&attr);
  if (FAILED(hr)) {
    lib->Release();
    throw RegistrationFailed{};
  }
  TypeLibInfo info{attr->guid, attr->wMajorVerNum, attr->wMinorVerNum, attr->lcid, attr->syskind};
  lib->ReleaseTLibAttr(attr);
  if (registerIt) hr = RegisterTypeLib(lib, const_cast<LPOLESTR>(path.c_str()), nullptr);
  lib->Release();
  Succeed(hr);
  return info;
}

void RegisterServer() {
  const std::wstring path = ModulePath();
  const TypeLibInfo lib = LoadOwnTypeLib(path, true);
  const std::wstring server = InprocServerPath(path);
  const std::wstring libid = GuidText(lib.libid);
  wchar_t version[32];
  wsprintfW(version, L"%d.%d", lib.major, lib.minor);

  for (int i = kClassCount - 1; i >= 0; --i) {
    const ServerClass& cls = kClasses[i];
    const std::wstring clsid = GuidText(*cls.clsid);
    const std::wstring key = L"CLSID\\" + clsid;
    const std::wstring progId = std::wstring(L"Evalkern.") + cls.coclass;
    SetKey(key, nullptr, cls.description);
    SetKey(key + L"\\InprocServer32", nullptr, server);
    SetKey(key + L"\\InprocServer32", L"ThreadingModel", L"Apartment");
    SetKey(progId, nullptr, cls.description);
    SetKey(progId + L"\\Clsid", nullptr, clsid);
    SetKey(key + L"\\ProgID", nullptr, progId);
    SetKey(key + L"\\Version", nullptr, version);
    SetKey(key + L"\\TypeLib", nullptr, libid);
  }
}

void UnregisterServer() {
  const TypeLibInfo lib = LoadOwnTypeLib(ModulePath(), false);
  // A library that is not registered (any more) is no failure.
  BSTR registeredPath = nullptr;
  if (SUCCEEDED(QueryPathOfRegTypeLib(lib.libid, lib.major, lib.minor, lib.lcid, &registeredPath))) {
    SysFreeString(registeredPath);
    Succeed(UnRegisterTypeLib(lib.libid, lib.major, lib.minor, lib.lcid, lib.syskind));
  }

  for (int i = kClassCount - 1; i >= 0; --i) {
    const ServerClass& cls = kClasses[i];
    const std::wstring key = L"CLSID\\" + GuidText(*cls.clsid);
    const std::wstring progId = std::wstring(L"Evalkern.") + cls.coclass;
    DeleteKey(key + L"\\TypeLib");
    DeleteKey(key + L"\\Version");
    DeleteKey(key + L"\\ProgID");
    DeleteKey(progId + L"\\Clsid");
    DeleteKey(progId);
    DeleteKey(key + L"\\InprocServer32");
    DeleteKey(key);
  }
}

template <class F>
HRESULT Walk(F&& steps) noexcept {
  try {
    steps();
    return S_OK;
  } catch (...) {
    return E_FAIL;
  }
}

}  // namespace
}  // namespace evalkern

using namespace evalkern;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  // Nothing else happens here: the message module is loaded on first use, outside the loader lock.
  if (reason == DLL_PROCESS_ATTACH) {
    g_module = instance;
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, LPVOID* out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  for (TClassFactory& factory : g_factories) {
    if (IsEqualCLSID(*factory.cls().clsid, clsid)) {
      // A class whose unit has not registered a creation function is not available yet.
      if (!FindClass(clsid)) return CLASS_E_CLASSNOTAVAILABLE;
      return factory.QueryInterface(iid, out);
    }
  }
  return CLASS_E_CLASSNOTAVAILABLE;
}

STDAPI DllCanUnloadNow() { return ServerLockCount() == 0 ? S_OK : S_FALSE; }

STDAPI DllRegisterServer() { return Walk(RegisterServer); }

STDAPI DllUnregisterServer() { return Walk(UnregisterServer); }
