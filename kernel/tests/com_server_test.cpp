// Evalkern as a registered in-process server: a client that knows only class ids creates each of
// the twelve classes, gets the interfaces the class lists, error information and class
// information; the exports answer unknown classes and report when the server may unload.
#include <gtest/gtest.h>

#include <windows.h>
#include <ocidl.h>
#include <oleauto.h>

#include <string>
#include <vector>

#include "Evalkern.h"

namespace {

struct Creatable {
  const wchar_t* coclass;
  const CLSID* clsid;
  std::vector<const IID*> interfaces;  // the default one first
};

const std::vector<Creatable> kClasses = {
    {L"SimpleInterpreterOrlen", &CLSID_SimpleInterpreterOrlen, {&IID_ISimpleInterpreterOrlen}},
    {L"MultiLinesInterpreterOrlen", &CLSID_MultiLinesInterpreterOrlen, {&IID_IMultiLinesInterpreterOrlen}},
    {L"BasicMultiLinesInterpreterOrlen", &CLSID_BasicMultiLinesInterpreterOrlen, {&IID_IMultiLinesInterpreterOrlen}},
    {L"ShellConsts", &CLSID_ShellConsts, {&IID_IShellConsts}},
    {L"ShellVars", &CLSID_ShellVars, {&IID_IShellVars}},
    {L"ShellFuncs", &CLSID_ShellFuncs, {&IID_IShellFuncs}},
    {L"CollectionConsts", &CLSID_CollectionConsts, {&IID_ICollectionConsts}},
    {L"CollectionVars", &CLSID_CollectionVars, {&IID_ICollectionVars}},
    {L"LibOrlen", &CLSID_LibOrlen, {&IID_ILibOrlen, &IID_IFuncs, &IID_IConsts, &IID_IVars}},
    {L"BasicSetConsts", &CLSID_BasicSetConsts, {&IID_IBasicSetConsts}},
    {L"BasicSetFuncs", &CLSID_BasicSetFuncs, {&IID_IBasicSetFuncs}},
    {L"CategoriesList", &CLSID_CategoriesList, {&IID_ICategoriesList}},
};

std::wstring Take(BSTR b) {
  std::wstring s(b ? b : L"", b ? SysStringLen(b) : 0);
  SysFreeString(b);
  return s;
}

class ComServer : public ::testing::Test {
 protected:
  void SetUp() override { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
  void TearDown() override { CoUninitialize(); }
};

// What is wrong with one class as a client sees it; empty when nothing is.
std::wstring CheckClass(const Creatable& c) {
  IUnknown* object = nullptr;
  HRESULT hr = CoCreateInstance(*c.clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                reinterpret_cast<void**>(&object));
  if (FAILED(hr) || !object) return L"not creatable";
  std::wstring problems;
  for (const IID* iid : c.interfaces) {
    IUnknown* itf = nullptr;
    if (object->QueryInterface(*iid, reinterpret_cast<void**>(&itf)) != S_OK || !itf)
      problems += L"lacks a listed interface; ";
    if (itf) itf->Release();
  }

  ISupportErrorInfo* support = nullptr;
  if (object->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(&support)) == S_OK) {
    for (const IID* iid : c.interfaces)
      if (support->InterfaceSupportsErrorInfo(*iid) != S_OK) problems += L"no error info for an interface; ";
    if (support->InterfaceSupportsErrorInfo(IID_IClassFactory) != S_FALSE)
      problems += L"error info for a foreign interface; ";
    support->Release();
  } else {
    problems += L"no ISupportErrorInfo; ";
  }

  IProvideClassInfo* provide = nullptr;
  if (object->QueryInterface(IID_IProvideClassInfo, reinterpret_cast<void**>(&provide)) == S_OK) {
    ITypeInfo* info = nullptr;
    TYPEATTR* attr = nullptr;
    if (provide->GetClassInfo(&info) == S_OK && info->GetTypeAttr(&attr) == S_OK) {
      if (attr->typekind != TKIND_COCLASS || !IsEqualCLSID(attr->guid, *c.clsid))
        problems += L"class info of another class; ";
      info->ReleaseTypeAttr(attr);
    } else {
      problems += L"no class info; ";
    }
    if (info) info->Release();
    provide->Release();
  } else {
    problems += L"no IProvideClassInfo; ";
  }

  // Multi-instance: a second creation gives a second object.
  IUnknown* second = nullptr;
  if (CoCreateInstance(*c.clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                       reinterpret_cast<void**>(&second)) != S_OK || second == object)
    problems += L"no second instance; ";
  if (second) second->Release();
  object->Release();
  return problems;
}

TEST_F(ComServer, EveryClassIsCreatableByClassIdWithItsInterfaces) {
  std::wstring report;
  for (const Creatable& c : kClasses) {
    std::wstring problems = CheckClass(c);
    if (!problems.empty()) report += std::wstring(c.coclass) + L": " + problems + L"\n";
  }
  EXPECT_TRUE(report.empty()) << std::string(report.begin(), report.end());
}

TEST_F(ComServer, ClassesAnswerOnlyTheirOwnSetInterfaces) {
  IUnknown* shell = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellConsts, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                              reinterpret_cast<void**>(&shell))))
    GTEST_SKIP() << "ShellConsts is not built yet";
  IConsts* consts = reinterpret_cast<IConsts*>(1);
  EXPECT_EQ(shell->QueryInterface(IID_IConsts, reinterpret_cast<void**>(&consts)), E_NOINTERFACE);
  EXPECT_EQ(consts, nullptr);
  shell->Release();
}

TEST_F(ComServer, AFailingMemberSetsErrorInfoWithTheProgIdAsSource) {
  ICategoriesList* list = nullptr;
  ASSERT_EQ(CoCreateInstance(CLSID_CategoriesList, nullptr, CLSCTX_INPROC_SERVER,
                             IID_ICategoriesList, reinterpret_cast<void**>(&list)), S_OK);
  BSTR name = reinterpret_cast<BSTR>(1);
  SetErrorInfo(0, nullptr);
  EXPECT_EQ(list->get_Name(-1, &name), E_UNEXPECTED);
  EXPECT_EQ(name, nullptr);
  IErrorInfo* info = nullptr;
  ASSERT_EQ(GetErrorInfo(0, &info), S_OK);
  ASSERT_NE(info, nullptr);
  BSTR source = nullptr, description = nullptr;
  GUID guid = GUID_NULL;
  info->GetSource(&source);
  info->GetDescription(&description);
  info->GetGUID(&guid);
  EXPECT_EQ(Take(source), L"Evalkern.CategoriesList");
  EXPECT_FALSE(Take(description).empty());
  EXPECT_TRUE(IsEqualIID(guid, IID_ICategoriesList));
  info->Release();
  list->Release();
}

// The exports, called directly on the DLL that COM loads for the registered classes.
class ServerExports : public ComServer {
 protected:
  void SetUp() override {
    ComServer::SetUp();
    module_ = LoadLibraryW(L"Evalkern.dll");
    ASSERT_NE(module_, nullptr);
    getClassObject_ = reinterpret_cast<decltype(getClassObject_)>(
        reinterpret_cast<void*>(GetProcAddress(module_, "DllGetClassObject")));
    canUnloadNow_ = reinterpret_cast<decltype(canUnloadNow_)>(
        reinterpret_cast<void*>(GetProcAddress(module_, "DllCanUnloadNow")));
    ASSERT_NE(getClassObject_, nullptr);
    ASSERT_NE(canUnloadNow_, nullptr);
  }
  void TearDown() override {
    if (module_) FreeLibrary(module_);
    ComServer::TearDown();
  }

  HMODULE module_ = nullptr;
  HRESULT(STDAPICALLTYPE* getClassObject_)(REFCLSID, REFIID, void**) = nullptr;
  HRESULT(STDAPICALLTYPE* canUnloadNow_)() = nullptr;
};

TEST_F(ServerExports, ExportsHaveTheirOrdinals) {
  EXPECT_EQ(GetProcAddress(module_, MAKEINTRESOURCEA(1)), GetProcAddress(module_, "DllUnregisterServer"));
  EXPECT_EQ(GetProcAddress(module_, MAKEINTRESOURCEA(2)), GetProcAddress(module_, "DllRegisterServer"));
  EXPECT_EQ(GetProcAddress(module_, MAKEINTRESOURCEA(3)), GetProcAddress(module_, "DllCanUnloadNow"));
  EXPECT_EQ(GetProcAddress(module_, MAKEINTRESOURCEA(4)), GetProcAddress(module_, "DllGetClassObject"));
}

TEST_F(ServerExports, UnknownClassIdGivesNullAndClassNotAvailable) {
  const CLSID unknown = {0x1b2c3d4e, 0x0000, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 0x42}};
  void* out = reinterpret_cast<void*>(1);
  EXPECT_EQ(getClassObject_(unknown, IID_IClassFactory, &out), CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(out, nullptr);
  // A known class asked for an interface its class object lacks.
  out = reinterpret_cast<void*>(1);
  EXPECT_EQ(getClassObject_(CLSID_CategoriesList, IID_IDispatch, &out), E_NOINTERFACE);
  EXPECT_EQ(out, nullptr);
}

TEST_F(ServerExports, CanUnloadOnlyWithoutLiveObjectsOrLocks) {
  IClassFactory* factory = nullptr;
  ASSERT_EQ(getClassObject_(CLSID_CategoriesList, IID_IClassFactory,
                            reinterpret_cast<void**>(&factory)), S_OK);
  EXPECT_EQ(canUnloadNow_(), S_OK);  // a class object alone keeps nothing alive

  IUnknown* outer = reinterpret_cast<IUnknown*>(factory);
  IUnknown* object = nullptr;
  EXPECT_EQ(factory->CreateInstance(outer, IID_IUnknown, reinterpret_cast<void**>(&object)),
            CLASS_E_NOAGGREGATION);
  ASSERT_EQ(factory->CreateInstance(nullptr, IID_ICategoriesList, reinterpret_cast<void**>(&object)), S_OK);
  IUnknown* another = nullptr;
  ASSERT_EQ(object->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&another)), S_OK);
  EXPECT_EQ(canUnloadNow_(), S_FALSE);
  object->Release();
  EXPECT_EQ(canUnloadNow_(), S_FALSE);  // one reference remains
  another->Release();
  EXPECT_EQ(canUnloadNow_(), S_OK);

  ASSERT_EQ(factory->LockServer(TRUE), S_OK);
  EXPECT_EQ(canUnloadNow_(), S_FALSE);
  ASSERT_EQ(factory->LockServer(FALSE), S_OK);
  EXPECT_EQ(canUnloadNow_(), S_OK);
  factory->Release();
}

}  // namespace
