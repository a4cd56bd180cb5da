// Evalkern as a registered in-process server: a client that knows only class ids creates each of
// the twelve classes, gets the interfaces the class lists, error information and class
// information; the exports answer unknown classes and report when the server may unload.
#include <gtest/gtest.h>

#include <windows.h>
#include <ocidl.h>
#include <oleauto.h>

#include <string>
#include <vector>

#include "ComTestKit.h"
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

class ComServer : public ::testing::Test {
 protected:
  void SetUp() override { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
  void TearDown() override { CoUninitialize(); }
};

// What is wrong with one class as a client sees it; empty when nothing is.
std::wstring CheckClass(const Creatable& c, HRESULT(STDAPICALLTYPE* canUnloadNow)()) {
  const bool idleBefore = canUnloadNow() == S_OK;
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
  if (idleBefore && canUnloadNow() != S_OK) problems += L"objects stay alive after the last release; ";
  return problems;
}

TEST_F(ComServer, EveryClassIsCreatableByClassIdWithItsInterfaces) {
  HMODULE server = LoadLibraryW(L"Evalkern.dll");
  ASSERT_NE(server, nullptr);
  auto canUnloadNow = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(
      reinterpret_cast<void*>(GetProcAddress(server, "DllCanUnloadNow")));
  std::wstring report;
  for (const Creatable& c : kClasses) {
    std::wstring problems = CheckClass(c, canUnloadNow);
    if (!problems.empty()) report += std::wstring(c.coclass) + L": " + problems + L"\n";
  }
  EXPECT_TRUE(report.empty()) << std::string(report.begin(), report.end());
  FreeLibrary(server);
}

TEST_F(ComServer, ClassesAnswerOnlyTheirOwnSetInterfaces) {
  IUnknown* shell = nullptr;
  ASSERT_EQ(CoCreateInstance(CLSID_ShellConsts, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                             reinterpret_cast<void**>(&shell)), S_OK);
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
  EXPECT_EQ(TakeBstr(source), L"Evalkern.CategoriesList");
  EXPECT_FALSE(TakeBstr(description).empty());
  EXPECT_TRUE(IsEqualIID(guid, IID_ICategoriesList));
  info->Release();
  list->Release();
}

}  // namespace
