// The registered type library, read back through ITypeInfo: library attributes, enumerations,
// every interface with its members in vtable order, dispatch ids and argument names, and the
// creatable classes.
#include <gtest/gtest.h>

#include <windows.h>
#include <oleauto.h>

#include <string>
#include <vector>

#include "ComTestKit.h"
#include "Evalkern.h"

namespace {

constexpr INVOKEKIND G = INVOKE_PROPERTYGET;
constexpr INVOKEKIND P = INVOKE_PROPERTYPUT;
constexpr INVOKEKIND M = INVOKE_FUNC;

struct Member {
  const wchar_t* name;
  INVOKEKIND kind;
  MEMBERID dispid;
  std::vector<const wchar_t*> args;  // the [in] arguments; "" where the library has no name
  bool retval;                       // a last [out, retval] argument follows them
};

struct Interface {
  const wchar_t* name;
  const wchar_t* iid;
  const wchar_t* base;
  const wchar_t* help;
  std::vector<Member> members;
};

const std::vector<Interface> kInterfaces = {
    {L"ISettings", L"{7833B8A1-5C84-4138-A6D1-CB1BCC1191A9}", L"IUnknown", L"", {
        {L"AngleMeasurement", G, 0x65, {}, true},
        {L"AngleMeasurement", P, 0x65, {L""}, false},
        {L"IntegerFormatOut", G, 0x66, {}, true},
        {L"IntegerFormatOut", P, 0x66, {L""}, false},
        {L"IntFormatStr", G, 0x69, {}, true},
        {L"IntFormatStr", P, 0x69, {L""}, false},
        {L"FloatFormatOut", G, 0x67, {}, true},
        {L"FloatFormatOut", P, 0x67, {L""}, false},
        {L"FloatFormatStr", G, 0x68, {}, true},
        {L"FloatFormatStr", P, 0x68, {L""}, false},
    }},
    {L"IErrorEvents", L"{B39962FB-DBB3-40D8-9164-D50C94821CA7}", L"IUnknown", L"", {
        {L"ErrorFlag", G, 0x66, {}, true},
        {L"ErrorFlag", P, 0x66, {L""}, false},
        {L"ErrorText", G, 0x65, {}, true},
        {L"ErrorText", P, 0x65, {L""}, false},
    }},
    {L"IConst", L"{4BCB334E-F78E-4A53-8D5F-D2D5432B45EA}", L"IUnknown", L"", {
        {L"Name", G, 0xC9, {}, true},
        {L"Value", M, 0xCA, {}, true},
        {L"Description", G, 0x65, {}, true},
        {L"Category", G, 0x66, {}, true},
        {L"ErrorEvents", G, 0x67, {}, true},
        {L"ErrorEvents", P, 0x67, {L""}, false},
    }},
    {L"IConsts", L"{F596507B-A5BD-48D8-A264-E3F18786D981}", L"IUnknown", L"", {
        {L"Count", G, 0xCB, {}, true},
        {L"Item", G, 0x69, {L"Index"}, true},
        {L"GetIndex", M, 0x67, {L"Name"}, true},
        {L"Name", G, 0xC9, {L"Index"}, true},
        {L"Value", M, 0xCA, {L"Index"}, true},
        {L"Description", G, 0x65, {L"Index"}, true},
        {L"Category", G, 0x66, {L"Index"}, true},
        {L"ErrorEvents", G, 0x68, {}, true},
        {L"ErrorEvents", P, 0x68, {L""}, false},
    }},
    {L"IShellConsts", L"{FDA2323A-6003-4D3A-BD03-F845FE2C9CE2}", L"IConst", L"", {
        {L"SetConsts", M, 0xCB, {L"Consts", L"Index"}, false},
    }},
    {L"ICollectionConsts", L"{FBF472D8-D6C1-436A-ADAE-AB07DF67F3E2}", L"IConsts", L"", {
        {L"Add", M, 0xCC, {L"Name", L"Value"}, false},
        {L"Clear", M, 0xCD, {}, false},
    }},
    {L"IBasicSetConsts", L"{B16FF6FA-17D1-4553-9545-F7A12455E150}", L"IConsts", L"", {
    }},
    {L"IVar", L"{3840954E-3BA6-4842-9208-5286BAA2505B}", L"IConst", L"", {
        {L"SetValue", M, 0xCB, {L"NewValue"}, false},
    }},
    {L"IVars", L"{5D3D65AB-ED46-4966-96B3-B6F5B2D8A3E6}", L"IConsts", L"", {
        {L"SetValue", M, 0xCC, {L"Index", L"NewValue"}, false},
    }},
    {L"IShellVars", L"{1D3BCBA2-8F80-4735-AF41-279D5F1712A3}", L"IVar", L"", {
        {L"SetVars", M, 0xCC, {L"Vars", L"Index"}, false},
    }},
    {L"ICollectionVars", L"{D64382D8-CB8A-4A86-BE22-24263B9E9A17}", L"IVars", L"", {
        {L"Add", M, 0x12D, {L"Name", L"Value"}, false},
        {L"Clear", M, 0x12E, {}, false},
    }},
    {L"IArguments", L"{26D2DB4F-213C-486B-8947-987320B7A281}", L"IUnknown", L"", {
        {L"Count", G, 0xC9, {}, true},
        {L"Value", G, 0xCA, {L"Index"}, true},
    }},
    {L"IFunc", L"{FFC6C16F-0585-4625-A8A8-7F69BBE4669D}", L"IUnknown", L"", {
        {L"Name", G, 0xC9, {}, true},
        {L"CheckArgumentsNumber", M, 0xCA, {L"Count"}, true},
        {L"Func", M, 0xCB, {L"Arguments"}, true},
        {L"Description", G, 0x65, {}, true},
        {L"Category", G, 0x66, {}, true},
        {L"Signature", G, 0x67, {}, true},
        {L"CountAlias", G, 0x6A, {}, true},
        {L"Alias", G, 0x69, {L"Index"}, true},
        {L"Settings", G, 0x6B, {}, true},
        {L"Settings", P, 0x6B, {L""}, false},
        {L"ErrorEvents", G, 0x68, {}, true},
        {L"ErrorEvents", P, 0x68, {L""}, false},
    }},
    {L"IFuncs", L"{817D7FF8-6404-4AFE-8C1C-C3007AF609EE}", L"IUnknown", L"", {
        {L"Count", G, 0x68, {}, true},
        {L"FuncInterface", G, 0x6E, {L"Index"}, true},
        {L"GetFirstEntryIndex", M, 0x6C, {L"Name", L"CountArguments", L"Category"}, true},
        {L"Name", G, 0x65, {L"Index"}, true},
        {L"CheckArgumentsNumber", M, 0x66, {L"Index", L"Count"}, true},
        {L"Func", M, 0x67, {L"Index", L"Arguments"}, true},
        {L"Description", G, 0x69, {L"Index"}, true},
        {L"Category", G, 0x6A, {L"Index"}, true},
        {L"Signature", G, 0x6B, {L"Index"}, true},
        {L"CountAlias", G, 0x6F, {L"IndexFunc"}, true},
        {L"Alias", G, 0x70, {L"IndexFunc", L"IndexAlias"}, true},
        {L"Settings", G, 0x71, {}, true},
        {L"Settings", P, 0x71, {L""}, false},
        {L"ErrorEvents", G, 0x6D, {}, true},
        {L"ErrorEvents", P, 0x6D, {L""}, false},
    }},
    {L"IShellFuncs", L"{67A62E90-D28F-4D32-8D00-20384B6C34B7}", L"IFunc", L"", {
        {L"SetFuncs", M, 0xCC, {L"Funcs", L"Index"}, false},
    }},
    {L"IBasicSetFuncs", L"{2AD632E0-BA40-4FAB-8B35-7805619F0A5F}", L"IFuncs", L"Interface for BasicSetFuncs Object", {
    }},
    {L"ILibOrlen", L"{4695BDDD-2423-453B-9270-9E2DFB776A3D}", L"IUnknown", L"Interface for LibOrlen Object", {
        {L"Funcs", G, 0x65, {}, true},
        {L"Consts", G, 0x66, {}, true},
        {L"Vars", G, 0x73, {}, true},
        {L"Items", G, 0x67, {L"Index"}, true},
        {L"Count", G, 0x68, {}, true},
        {L"Add", M, 0x69, {L"Item"}, true},
        {L"Insert", M, 0x6A, {L"Item", L"Index"}, true},
        {L"Cut", M, 0x6B, {L"Index"}, true},
        {L"Delete", M, 0x6C, {L"Index"}, false},
        {L"Move", M, 0x6D, {L"Index1", L"Index2"}, false},
        {L"GetIndex", M, 0x6E, {L"Item"}, true},
        {L"FuncSignature", G, 0x6F, {L"FuncName"}, true},
        {L"Refresh", M, 0x70, {}, false},
        {L"Clear", M, 0x72, {}, false},
        {L"Settings", G, 0x74, {}, true},
        {L"Settings", P, 0x74, {L""}, false},
        {L"ErrorEvents", G, 0x71, {}, true},
        {L"ErrorEvents", P, 0x71, {L""}, false},
    }},
    {L"INodeParsing", L"{88479858-A19C-4DFC-8554-84714578C6AC}", L"IUnknown", L"", {
    }},
    {L"INodeLowermost", L"{34A78159-CA07-4AB4-ACD5-8F3115226E18}", L"INodeParsing", L"", {
        {L"Value", G, 0xC9, {}, true},
    }},
    {L"INodeVariableOrConst", L"{8789EFB6-FAE1-4BF4-AC82-903FF8530494}", L"INodeParsing", L"", {
        {L"Name", G, 0xC9, {}, true},
    }},
    {L"INodeFunc", L"{96C0329D-93D2-41F1-B291-E785E02109C6}", L"INodeParsing", L"", {
        {L"Name", G, 0xC9, {}, true},
        {L"CountChildNodes", G, 0x65, {}, true},
        {L"ChildNodes", G, 0x66, {L"Index"}, true},
    }},
    {L"INodeError", L"{9E6B79AF-20A8-4F2E-A95C-716E759AD954}", L"INodeParsing", L"", {
        {L"TextError", G, 0xC9, {}, true},
    }},
    {L"INodeList", L"{7A1937C2-047D-4B89-8807-6B58289277D0}", L"INodeParsing", L"", {
        {L"CountChildNodes", G, 0xC9, {}, true},
        {L"ChildNodes", G, 0xCA, {L"Index"}, true},
    }},
    {L"ISimpleInterpreterOrlen", L"{784F8F3D-8835-4AE0-961A-3CCBF28BB1D7}", L"IUnknown", L"Interface for SimpleInterpretatorOrlen Object", {
        {L"Text", G, 0x65, {}, true},
        {L"Text", P, 0x65, {L""}, false},
        {L"Clear", M, 0x67, {}, false},
        {L"Settings", G, 0x68, {}, true},
        {L"Settings", P, 0x68, {L""}, false},
        {L"Lib", G, 0x69, {}, true},
        {L"Lib", P, 0x69, {L""}, false},
        {L"Parsing", M, 0x6C, {}, true},
        {L"IMainNode", G, 0x6B, {}, true},
        {L"Calc", M, 0x66, {}, true},
        {L"Value", G, 0x6D, {}, true},
        {L"ErrorEvents", G, 0x6A, {}, true},
        {L"ErrorEvents", P, 0x6A, {L""}, false},
    }},
    {L"IIsCalculationNeeded", L"{81F1A54C-51B6-45B3-9181-E824AD4E7C1D}", L"IUnknown", L"", {
        {L"IsCalculationNeeded", M, 0x65, {}, true},
    }},
    {L"IMultiLinesInterpreterOrlen", L"{C4975A08-C0A7-40BF-8CC3-B137B77CCEC1}", L"ISimpleInterpreterOrlen", L"", {
        {L"IsCalculationNeeded", G, 0xC9, {}, true},
        {L"IsCalculationNeeded", P, 0xC9, {L""}, false},
        {L"TempVars", G, 0xCA, {}, true},
    }},
    {L"ICategoriesList", L"{BBDC021F-E5C8-4623-8D9B-A1297FB23C2E}", L"IUnknown", L"Interface for CategoriesList Object", {
        {L"Count", G, 0x65, {}, true},
        {L"Category", G, 0x66, {L"Index"}, true},
        {L"Name", G, 0x67, {L"Index"}, true},
        {L"GetIndex", M, 0x68, {L"Category"}, true},
    }},
};

struct Coclass {
  const wchar_t* name;
  const wchar_t* clsid;
  const wchar_t* help;
  std::vector<const wchar_t*> interfaces;  // the default one first
};

const std::vector<Coclass> kCoclasses = {
    {L"SimpleInterpreterOrlen", L"{60C5C8DA-9EFD-40DA-B2D0-E056821B12AE}", L"SimpleInterpretatorOrlen", {L"ISimpleInterpreterOrlen"}},
    {L"MultiLinesInterpreterOrlen", L"{28BD3358-670E-4E16-841B-A978A2755590}", L"", {L"IMultiLinesInterpreterOrlen"}},
    {L"BasicMultiLinesInterpreterOrlen", L"{85F5ABBC-7F30-41EB-B00C-7793AD1B617B}", L"", {L"IMultiLinesInterpreterOrlen"}},
    {L"ShellConsts", L"{267AA480-1F5B-43EE-89FE-2191D0444537}", L"", {L"IShellConsts"}},
    {L"ShellVars", L"{13F2A144-C0F5-4E0D-9793-D753BAFB5D84}", L"", {L"IShellVars"}},
    {L"ShellFuncs", L"{D470A33E-3717-47A2-9FCC-0A844C4BEDAE}", L"", {L"IShellFuncs"}},
    {L"CollectionConsts", L"{7703C6C2-FCD8-4E7E-A0E0-BE6986C57AF0}", L"", {L"ICollectionConsts"}},
    {L"CollectionVars", L"{8D7CA11B-06D7-4432-B976-F1924BF74C8F}", L"", {L"ICollectionVars"}},
    {L"LibOrlen", L"{EC050602-9189-4568-AA67-FE2B4F1A102D}", L"LibOrlen", {L"ILibOrlen", L"IFuncs", L"IConsts", L"IVars"}},
    {L"BasicSetConsts", L"{958F28BD-8E71-4577-B3D5-12BF7E87FFDE}", L"", {L"IBasicSetConsts"}},
    {L"BasicSetFuncs", L"{E443AAAC-2128-461B-8073-B0A29619B7ED}", L"BasicSetFuncs", {L"IBasicSetFuncs"}},
    {L"CategoriesList", L"{E7738B9C-4A73-4950-9066-916FD0C01974}", L"CategoriesList", {L"ICategoriesList"}},
};

struct Enumeration {
  const wchar_t* name;
  const wchar_t* guid;
  std::vector<std::pair<const wchar_t*, long>> values;
};

const std::vector<Enumeration> kEnumerations = {
    {L"CategoryOrlen", L"{6D9B8441-4E44-4F50-A7A6-0F4601130D28}",
     {{L"cHidden", -2}, {L"cAll", -1}, {L"cUnknown", 0}, {L"cCommon", 1}, {L"cTrigonometric", 2},
      {L"cArithmetic", 3}, {L"cStatistic", 4}, {L"cLogical", 5}, {L"cEconomic", 6},
      {L"cGeometric", 7}, {L"cPhysical", 8}, {L"cCustom", 9}, {L"cTypeConversion", 10},
      {L"cComputer", 11}}},
    {L"TFormatOut", L"{E79F286F-B27C-44C8-BF7D-0EFF17DD9527}",
     {{L"foDecimal", 0}, {L"foBinary", 1}, {L"foHex", 2}, {L"foOct", 3}, {L"foRoman", 4}}},
    {L"TAngleMeasurement", L"{C409BC74-461B-404E-9A6F-FBC2640B58D1}",
     {{L"amRadian", 0}, {L"amDegree", 1}, {L"amGrade", 2}}},
};

std::wstring GuidText(const GUID& g) {
  wchar_t text[40];
  StringFromGUID2(g, text, 40);
  return text;
}

std::wstring NameOf(ITypeInfo* info, MEMBERID id = MEMBERID_NIL) {
  BSTR name = nullptr, help = nullptr;
  info->GetDocumentation(id, &name, &help, nullptr, nullptr);
  SysFreeString(help);
  return TakeBstr(name);
}

std::wstring HelpOf(ITypeInfo* info) {
  BSTR name = nullptr, help = nullptr;
  info->GetDocumentation(MEMBERID_NIL, &name, &help, nullptr, nullptr);
  SysFreeString(name);
  return TakeBstr(help);
}

class TypeLibrary : public ::testing::Test {
 protected:
  void SetUp() override {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ASSERT_EQ(LoadRegTypeLib(LIBID_Evalkern, 1, 0, 1033, &lib_), S_OK)
        << "Evalkern is not registered";
  }
  void TearDown() override {
    if (lib_) lib_->Release();
    CoUninitialize();
  }

  ITypeInfo* Find(const wchar_t* name) {
    for (UINT i = 0; i < lib_->GetTypeInfoCount(); ++i) {
      ITypeInfo* info = nullptr;
      if (SUCCEEDED(lib_->GetTypeInfo(i, &info))) {
        if (NameOf(info) == name) return info;
        info->Release();
      }
    }
    return nullptr;
  }

  ITypeLib* lib_ = nullptr;
};

TEST_F(TypeLibrary, LibraryAttributes) {
  TLIBATTR* attr = nullptr;
  ASSERT_EQ(lib_->GetLibAttr(&attr), S_OK);
  EXPECT_EQ(GuidText(attr->guid), L"{E9851021-F3E2-4C92-8084-29935D6CA467}");
  EXPECT_EQ(attr->wMajorVerNum, 1);
  EXPECT_EQ(attr->wMinorVerNum, 0);
  EXPECT_EQ(attr->lcid, 1033u);
  EXPECT_EQ(attr->syskind, SYS_WIN64);  // the kind that fits the x64 binary
  lib_->ReleaseTLibAttr(attr);
  BSTR name = nullptr, help = nullptr;
  ASSERT_EQ(lib_->GetDocumentation(-1, &name, &help, nullptr, nullptr), S_OK);
  EXPECT_EQ(TakeBstr(name), L"Evalkern");
  EXPECT_EQ(TakeBstr(help), L"Evalkern Library");
  // 3 enumerations, 27 interfaces, 12 classes.
  EXPECT_EQ(lib_->GetTypeInfoCount(), 3u + kInterfaces.size() + kCoclasses.size());
}

TEST_F(TypeLibrary, Enumerations) {
  for (const Enumeration& e : kEnumerations) {
    SCOPED_TRACE(e.name);
    ITypeInfo* info = Find(e.name);
    ASSERT_NE(info, nullptr);
    TYPEATTR* attr = nullptr;
    ASSERT_EQ(info->GetTypeAttr(&attr), S_OK);
    EXPECT_EQ(attr->typekind, TKIND_ENUM);
    EXPECT_EQ(GuidText(attr->guid), e.guid);
    ASSERT_EQ(attr->cVars, e.values.size());
    info->ReleaseTypeAttr(attr);
    for (UINT i = 0; i < e.values.size(); ++i) {
      VARDESC* var = nullptr;
      ASSERT_EQ(info->GetVarDesc(i, &var), S_OK);
      EXPECT_EQ(NameOf(info, var->memid), e.values[i].first);
      VARIANT v;
      VariantInit(&v);
      VariantChangeType(&v, var->lpvarValue, 0, VT_I4);
      EXPECT_EQ(V_I4(&v), e.values[i].second) << e.values[i].first;
      info->ReleaseVarDesc(var);
    }
    info->Release();
  }
}

TEST_F(TypeLibrary, InterfacesMembersDispIdsAndArguments) {
  for (const Interface& want : kInterfaces) {
    SCOPED_TRACE(want.name);
    ITypeInfo* info = Find(want.name);
    ASSERT_NE(info, nullptr);
    TYPEATTR* attr = nullptr;
    ASSERT_EQ(info->GetTypeAttr(&attr), S_OK);
    EXPECT_EQ(attr->typekind, TKIND_INTERFACE);
    EXPECT_EQ(GuidText(attr->guid), want.iid);
    EXPECT_TRUE(attr->wTypeFlags & TYPEFLAG_FOLEAUTOMATION);
    EXPECT_FALSE(attr->wTypeFlags & TYPEFLAG_FDUAL);
    EXPECT_EQ(HelpOf(info), want.help);
    ASSERT_EQ(attr->cFuncs, want.members.size());
    // Own members come after IUnknown's three and all the base interfaces' members.
    const int firstSlot = attr->cbSizeVft / sizeof(void*) - attr->cFuncs;
    info->ReleaseTypeAttr(attr);

    HREFTYPE baseRef = 0;
    ITypeInfo* base = nullptr;
    ASSERT_EQ(info->GetRefTypeOfImplType(0, &baseRef), S_OK);
    ASSERT_EQ(info->GetRefTypeInfo(baseRef, &base), S_OK);
    EXPECT_EQ(NameOf(base), want.base);
    TYPEATTR* baseAttr = nullptr;
    base->GetTypeAttr(&baseAttr);
    EXPECT_EQ(firstSlot, static_cast<int>(baseAttr->cbSizeVft / sizeof(void*)));
    base->ReleaseTypeAttr(baseAttr);
    base->Release();

    for (UINT i = 0; i < want.members.size(); ++i) {
      const Member& m = want.members[i];
      SCOPED_TRACE(m.name);
      FUNCDESC* f = nullptr;
      ASSERT_EQ(info->GetFuncDesc(i, &f), S_OK);
      EXPECT_EQ(f->memid, m.dispid);
      EXPECT_EQ(f->invkind, m.kind);
      EXPECT_EQ(f->oVft / static_cast<int>(sizeof(void*)), firstSlot + static_cast<int>(i));
      EXPECT_EQ(f->elemdescFunc.tdesc.vt, VT_HRESULT);
      const size_t params = m.args.size() + (m.retval ? 1 : 0);
      ASSERT_EQ(static_cast<size_t>(f->cParams), params);
      for (size_t a = 0; a < m.args.size(); ++a) {
        USHORT flags = f->lprgelemdescParam[a].paramdesc.wParamFlags;
        EXPECT_TRUE(flags & PARAMFLAG_FIN) << a;
        EXPECT_FALSE(flags & PARAMFLAG_FOUT) << a;
      }
      if (m.retval) {
        USHORT flags = f->lprgelemdescParam[params - 1].paramdesc.wParamFlags;
        EXPECT_TRUE((flags & PARAMFLAG_FOUT) && (flags & PARAMFLAG_FRETVAL));
      }
      info->ReleaseFuncDesc(f);
      // Names are found by dispatch id, which a property's get and put share: the get answers.
      if (m.kind == P) continue;
      BSTR names[8] = {};
      UINT count = 0;
      ASSERT_EQ(info->GetNames(m.dispid, names, 8, &count), S_OK);
      std::vector<std::wstring> got;
      for (UINT n = 0; n < count; ++n) got.push_back(TakeBstr(names[n]));
      ASSERT_GE(got.size(), 1u);
      EXPECT_EQ(got[0], m.name);
      for (size_t a = 0; a < m.args.size(); ++a) {
        if (*m.args[a]) {
          ASSERT_GT(got.size(), a + 1);
          EXPECT_EQ(got[a + 1], m.args[a]);
        }
      }
    }
    info->Release();
  }
}

TEST_F(TypeLibrary, CreatableClasses) {
  for (const Coclass& want : kCoclasses) {
    SCOPED_TRACE(want.name);
    ITypeInfo* info = Find(want.name);
    ASSERT_NE(info, nullptr);
    TYPEATTR* attr = nullptr;
    ASSERT_EQ(info->GetTypeAttr(&attr), S_OK);
    EXPECT_EQ(attr->typekind, TKIND_COCLASS);
    EXPECT_EQ(GuidText(attr->guid), want.clsid);
    EXPECT_TRUE(attr->wTypeFlags & TYPEFLAG_FCANCREATE);
    EXPECT_EQ(attr->wMajorVerNum, 1);
    EXPECT_EQ(attr->wMinorVerNum, 0);
    ASSERT_EQ(attr->cImplTypes, want.interfaces.size());
    info->ReleaseTypeAttr(attr);
    EXPECT_EQ(HelpOf(info), want.help);
    for (UINT i = 0; i < want.interfaces.size(); ++i) {
      HREFTYPE ref = 0;
      ITypeInfo* impl = nullptr;
      INT flags = 0;
      ASSERT_EQ(info->GetRefTypeOfImplType(i, &ref), S_OK);
      ASSERT_EQ(info->GetRefTypeInfo(ref, &impl), S_OK);
      ASSERT_EQ(info->GetImplTypeFlags(i, &flags), S_OK);
      EXPECT_EQ(NameOf(impl), want.interfaces[i]);
      EXPECT_EQ((flags & IMPLTYPEFLAG_FDEFAULT) != 0, i == 0) << i;
      impl->Release();
    }
    info->Release();
  }
}

}  // namespace
