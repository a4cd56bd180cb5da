// Self-registration of Evalkern.dll: what DllRegisterServer writes and DllUnregisterServer takes
// away again. The test redirects HKEY_CLASSES_ROOT of its own process to a private key and works
// on a copy of the server in a folder whose name holds a blank, so the machine's registration
// that other test programs use is never touched.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "Evalkern.h"

namespace {

struct Registered {
  const CLSID* clsid;
  const wchar_t* coclass;
  const wchar_t* description;
};

const Registered kClasses[] = {
    {&CLSID_SimpleInterpreterOrlen, L"SimpleInterpreterOrlen", L"SimpleInterpretatorOrlen"},
    {&CLSID_MultiLinesInterpreterOrlen, L"MultiLinesInterpreterOrlen", L""},
    {&CLSID_BasicMultiLinesInterpreterOrlen, L"BasicMultiLinesInterpreterOrlen", L""},
    {&CLSID_ShellConsts, L"ShellConsts", L""},
    {&CLSID_ShellVars, L"ShellVars", L""},
    {&CLSID_ShellFuncs, L"ShellFuncs", L""},
    {&CLSID_CollectionConsts, L"CollectionConsts", L""},
    {&CLSID_CollectionVars, L"CollectionVars", L""},
    {&CLSID_LibOrlen, L"LibOrlen", L"LibOrlen"},
    {&CLSID_BasicSetConsts, L"BasicSetConsts", L""},
    {&CLSID_BasicSetFuncs, L"BasicSetFuncs", L"BasicSetFuncs"},
    {&CLSID_CategoriesList, L"CategoriesList", L"CategoriesList"},
};

const wchar_t kLibId[] = L"{E9851021-F3E2-4C92-8084-29935D6CA467}";

std::wstring GuidText(const GUID& g) {
  wchar_t text[40];
  StringFromGUID2(g, text, 40);
  return text;
}

bool KeyExists(const std::wstring& key) {
  HKEY h = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return false;
  RegCloseKey(h);
  return true;
}

// The string value `name` (the default value when null) of HKEY_CLASSES_ROOT\key, or "<missing>".
std::wstring Value(const std::wstring& key, const wchar_t* name = nullptr) {
  wchar_t data[1024];
  DWORD size = sizeof(data), type = 0;
  if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), name, RRF_RT_REG_SZ, &type, data, &size) !=
      ERROR_SUCCESS)
    return L"<missing>";
  return data;
}

class Registration : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    ASSERT_TRUE(GetTempPathW(MAX_PATH, temp));
    folder_ = std::wstring(temp) + L"evalkern registration " + std::to_wstring(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryW(folder_.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    server_ = folder_ + L"\\EvalkernUnderTest.dll";
    ASSERT_TRUE(CopyFileW(L"Evalkern.dll", server_.c_str(), FALSE));

    root_ = L"Software\\Numbrook tests\\classes " + std::to_wstring(GetCurrentProcessId());
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, root_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &classes_, nullptr), ERROR_SUCCESS);
    ASSERT_EQ(RegOverridePredefKey(HKEY_CLASSES_ROOT, classes_), ERROR_SUCCESS);

    module_ = LoadLibraryW(server_.c_str());
    ASSERT_NE(module_, nullptr);
    register_ = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(
        reinterpret_cast<void*>(GetProcAddress(module_, "DllRegisterServer")));
    unregister_ = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(
        reinterpret_cast<void*>(GetProcAddress(module_, "DllUnregisterServer")));
    ASSERT_NE(register_, nullptr);
    ASSERT_NE(unregister_, nullptr);
  }

  void TearDown() override {
    RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
    if (classes_) RegCloseKey(classes_);
    RegDeleteTreeW(HKEY_CURRENT_USER, root_.c_str());
    if (module_) FreeLibrary(module_);
    DeleteFileW(server_.c_str());
    RemoveDirectoryW(folder_.c_str());
  }

  std::wstring folder_, server_, root_;
  HKEY classes_ = nullptr;
  HMODULE module_ = nullptr;
  HRESULT(STDAPICALLTYPE* register_)() = nullptr;
  HRESULT(STDAPICALLTYPE* unregister_)() = nullptr;
};

TEST_F(Registration, RegisterWritesEveryClassAndTheTypeLibrary) {
  ASSERT_EQ(register_(), S_OK);

  wchar_t shortPath[MAX_PATH];
  ASSERT_GT(GetShortPathNameW(server_.c_str(), shortPath, MAX_PATH), 0u);
  ASSERT_EQ(std::wstring(shortPath).find(L' '), std::wstring::npos);

  for (const Registered& c : kClasses) {
    SCOPED_TRACE(c.coclass);
    const std::wstring clsid = GuidText(*c.clsid);
    const std::wstring key = L"CLSID\\" + clsid;
    const std::wstring progId = std::wstring(L"Evalkern.") + c.coclass;
    EXPECT_EQ(Value(key), c.description);  // empty where the class has no help string
    EXPECT_EQ(Value(key + L"\\InprocServer32"), shortPath);  // the path holds a blank
    EXPECT_EQ(Value(key + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
    EXPECT_EQ(Value(progId), c.description);
    EXPECT_EQ(Value(progId + L"\\Clsid"), clsid);
    EXPECT_EQ(Value(key + L"\\ProgID"), progId);
    EXPECT_EQ(Value(key + L"\\Version"), L"1.0");
    EXPECT_EQ(Value(key + L"\\TypeLib"), kLibId);
  }
  EXPECT_TRUE(KeyExists(std::wstring(L"TypeLib\\") + kLibId + L"\\1.0"));

  // Registering again over an existing registration succeeds.
  EXPECT_EQ(register_(), S_OK);
}

TEST_F(Registration, UnregisterRemovesWhatRegisterWrote) {
  ASSERT_EQ(register_(), S_OK);
  ASSERT_EQ(unregister_(), S_OK);
  for (const Registered& c : kClasses) {
    SCOPED_TRACE(c.coclass);
    EXPECT_FALSE(KeyExists(L"CLSID\\" + GuidText(*c.clsid)));
    EXPECT_FALSE(KeyExists(std::wstring(L"Evalkern.") + c.coclass));
  }
  EXPECT_FALSE(KeyExists(std::wstring(L"TypeLib\\") + kLibId + L"\\1.0"));
  // Nothing left to remove is no failure.
  EXPECT_EQ(unregister_(), S_OK);
}

TEST_F(Registration, APathWithoutBlankIsRegisteredAsItIs) {
  std::wstring plain = folder_ + L"\\..\\EvalkernPlain" + std::to_wstring(GetCurrentProcessId()) + L".dll";
  wchar_t full[MAX_PATH];
  GetFullPathNameW(plain.c_str(), MAX_PATH, full, nullptr);
  if (std::wstring(full).find(L' ') != std::wstring::npos) GTEST_SKIP() << "temp folder has a blank";
  ASSERT_TRUE(CopyFileW(L"Evalkern.dll", full, FALSE));
  HMODULE plainModule = LoadLibraryW(full);
  ASSERT_NE(plainModule, nullptr);
  auto reg = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(
      reinterpret_cast<void*>(GetProcAddress(plainModule, "DllRegisterServer")));
  EXPECT_EQ(reg(), S_OK);
  EXPECT_EQ(Value(L"CLSID\\" + GuidText(CLSID_CategoriesList) + L"\\InprocServer32"), full);
  FreeLibrary(plainModule);
  DeleteFileW(full);
}

}  // namespace
