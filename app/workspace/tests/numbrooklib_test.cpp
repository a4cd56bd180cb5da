// The program's type library as the program carries it (TYPELIB 1 of the module), read back
// through ITypeLib/ITypeInfo: library attributes, enumerations, records, every interface with
// its members in order, DispIDs, argument names, direction flags and help strings.
#include <windows.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "NumbrookLib.h"

namespace {

template <class T>
struct Ptr {
  T* p = nullptr;
  ~Ptr() {
    if (p) p->Release();
  }
  T** operator&() { return &p; }
  T* operator->() const { return p; }
  explicit operator bool() const { return p != nullptr; }
};

std::wstring TakeBstr(BSTR b) {
  std::wstring s = b ? std::wstring(b, SysStringLen(b)) : std::wstring();
  SysFreeString(b);
  return s;
}

class NumbrookLibTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    CoInitialize(nullptr);
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring withIndex = std::wstring(path) + L"\\1";
    ASSERT_EQ(S_OK, LoadTypeLibEx(withIndex.c_str(), REGKIND_NONE, &lib));
  }
  static void TearDownTestSuite() {
    if (lib) lib->Release();
    lib = nullptr;
    CoUninitialize();
  }

  static ITypeInfo* Find(const wchar_t* name) {
    ITypeInfo* info = nullptr;
    MEMBERID id = 0;
    USHORT found = 1;
    std::wstring buf(name);
    if (FAILED(lib->FindName(&buf[0], 0, &info, &id, &found)) || found == 0) return nullptr;
    return info;
  }

  static std::wstring Doc(ITypeInfo* info, MEMBERID id) {
    BSTR name = nullptr, doc = nullptr;
    info->GetDocumentation(id, &name, &doc, nullptr, nullptr);
    SysFreeString(name);
    return TakeBstr(doc);
  }

  static ITypeLib* lib;
};
ITypeLib* NumbrookLibTest::lib = nullptr;

TEST_F(NumbrookLibTest, LibraryAttributes) {
  TLIBATTR* attr = nullptr;
  ASSERT_EQ(S_OK, lib->GetLibAttr(&attr));
  EXPECT_EQ(LIBID_NumbrookLib, attr->guid);
  EXPECT_EQ(1, attr->wMajorVerNum);
  EXPECT_EQ(0, attr->wMinorVerNum);
  EXPECT_EQ(1033u, attr->lcid);
  lib->ReleaseTLibAttr(attr);

  BSTR name = nullptr, doc = nullptr;
  ASSERT_EQ(S_OK, lib->GetDocumentation(-1, &name, &doc, nullptr, nullptr));
  EXPECT_EQ(L"NumbrookLib", TakeBstr(name));
  EXPECT_EQ(L"Numbrook 1.0 Type Library", TakeBstr(doc));

  Ptr<ITypeInfo> constants;
  constants.p = Find(L"Constants");
  ASSERT_TRUE(constants);
  TYPEATTR* ta = nullptr;
  ASSERT_EQ(S_OK, constants->GetTypeAttr(&ta));
  EXPECT_EQ(TKIND_MODULE, ta->typekind);
  constants->ReleaseTypeAttr(ta);
}

TEST_F(NumbrookLibTest, ConstantsInTheHeader) {
  struct { unsigned long value, expected; } table[] = {
      {AutoColor, 0xFFFFFFFFul},
      {DefaultForeColorLexemeFunction, 0},
      {DefaultForeColorLexemeConstant, 0},
      {DefaultForeColorLexemeVariable, 0},
      {DefaultForeColorLexemeOperator, 16711680},
      {DefaultForeColorLexemeSeparator, 0},
      {DefaultForeColorLexemeBracket, 0},
      {DefaultForeColorLexemeDigitNumber, 8388608},
      {DefaultForeColorLexemeComment, 32768},
      {DefaultForeColorLexemeError, 255},
      {DefaultForeColorLexemeBracketsHilight, 0},
      {DefaultForeColorLexemeString, 16711935},
  };
  for (size_t i = 0; i < sizeof table / sizeof table[0]; ++i) {
    EXPECT_EQ(table[i].expected, table[i].value) << "row " << i;
  }
}

// Enumerations: every enumerator's name and value, in declaration order, and no GUID.
TEST_F(NumbrookLibTest, Enumerations) {
  using Values = std::vector<std::pair<std::wstring, int>>;
  const std::map<std::wstring, Values> enums = {
      {L"LexemeType", {{L"LexemeTypeFunction", 0}, {L"LexemeTypeConstant", 1},
                       {L"LexemeTypeVariable", 2}, {L"LexemeTypeOperator", 3},
                       {L"LexemeTypeSeparator", 4}, {L"LexemeTypeBracket", 5},
                       {L"LexemeTypeDigitNumber", 6}, {L"LexemeTypeComment", 7},
                       {L"LexemeTypeError", 8}, {L"LexemeTypeBracketsHilight", 9},
                       {L"LexemeTypeString", 10}, {L"LexemeTypeMax", 10}, {L"LexemeTypeMin", 0}}},
      {L"PropertyPage", {{L"CommonPage", 0}, {L"FontsAndColorsPage", 1}, {L"KeyboardPage", 2},
                         {L"TextEditorPage", 3}, {L"PropertyPageMax", 3}, {L"PropertyPageMin", 0}}},
      {L"Toolbar", {{L"TbStandard", 0}, {L"TbView", 1}, {L"TbHelp", 2}, {L"TbButtonsBar", 3},
                    {L"TbCaptionBar", 4}, {L"ToolbarMax", 4}, {L"ToolbarMin", 0}}},
      {L"UnderlineTypes", {{L"UnderlineTypeWave", 8}, {L"UnderlineTypeDotted", 4},
                           {L"UnderlineTypeSimple", 1}, {L"UnderlineTypeNone", 0}}},
      {L"CalcResultFormat", {{L"crfBin", 1}, {L"crfOct", 2}, {L"crfHex", 3}, {L"crfDec", 4},
                             {L"crfRoman", 5}}},
      {L"CalcAngleFormat", {{L"cafRadians", 1}, {L"cafDegrees", 2}, {L"cafGrads", 3}}},
      {L"MessageType", {{L"MsgNone", 1}, {L"MsgInfo", 2}, {L"MsgError", 4}, {L"MsgWarning", 8},
                        {L"MsgNoSound", 16}}},
      {L"CaptionType", {{L"CaptionTypeNone", 1}, {L"CaptionTypeInfo", 2},
                        {L"CaptionTypeError", 4}, {L"CaptionTypeWarning", 8}}},
      {L"CalcObjectType", {{L"CotUnknown", 0}, {L"CotConstant", 1}, {L"CotFunction", 2},
                           {L"CotOperator", 3}, {L"CotVariable", 4}, {L"CotCategory", 5},
                           {L"CotExpression", 6}, {L"CotDefinition", 7}, {L"CotString", 8}}},
      {L"OperatorType", {{L"OtBinary", 0}, {L"OtUnaryPostfix", 1}, {L"OtUnaryPrefix", 2}}},
      {L"ResultType", {{L"rtVariant", 0}, {L"rtError", 1}}},
      {L"PanelViewType", {{L"PVTGroups", 0}, {L"PVTCells", 1}}},
      {L"ActionProcessing", {{L"ApReplace", 0}, {L"ApPopupTray", 1}, {L"ApCopyToClipboard", 2}}},
      {L"VisualStyle", {{L"VsSimple", 0}, {L"VsWinXP", 1}, {L"VsOfficeXP", 2},
                        {L"VsOffice2003", 3}}},
      {L"DocumentModel", {{L"SDI", 0}, {L"PDI", 1}}},
      {L"FnProcessing", {{L"FpReplace", 0}, {L"FpInsert", 1}}},
  };
  for (const auto& [name, values] : enums) {
    SCOPED_TRACE(std::string(name.begin(), name.end()));
    Ptr<ITypeInfo> info;
    info.p = Find(name.c_str());
    ASSERT_TRUE(info);
    TYPEATTR* ta = nullptr;
    ASSERT_EQ(S_OK, info->GetTypeAttr(&ta));
    EXPECT_EQ(TKIND_ENUM, ta->typekind);
    EXPECT_EQ(GUID_NULL, ta->guid);
    ASSERT_EQ(values.size(), ta->cVars);
    for (UINT i = 0; i < ta->cVars; ++i) {
      VARDESC* vd = nullptr;
      ASSERT_EQ(S_OK, info->GetVarDesc(i, &vd));
      BSTR vname = nullptr;
      UINT got = 0;
      info->GetNames(vd->memid, &vname, 1, &got);
      EXPECT_EQ(values[i].first, TakeBstr(vname));
      VARIANT v;
      VariantInit(&v);
      ASSERT_EQ(S_OK, VariantChangeType(&v, vd->lpvarValue, 0, VT_I4));
      EXPECT_EQ(values[i].second, V_I4(&v));
      info->ReleaseVarDesc(vd);
    }
    info->ReleaseTypeAttr(ta);
  }
}

// A field type as text: "BSTR", "VARIANT", "long", "int", "ulong", or a referenced type's name.
std::wstring TypeText(ITypeInfo* owner, const TYPEDESC& td) {
  switch (td.vt) {
    case VT_BSTR: return L"BSTR";
    case VT_VARIANT: return L"VARIANT";
    case VT_I4: return L"long";
    case VT_INT: return L"int";
    case VT_UI4: return L"ulong";
    case VT_BOOL: return L"VARIANT_BOOL";
    case VT_VOID: return L"void";
    case VT_PTR: return TypeText(owner, *td.lptdesc) + L"*";
    case VT_USERDEFINED: {
      Ptr<ITypeInfo> ref;
      if (FAILED(owner->GetRefTypeInfo(td.hreftype, &ref))) return L"?";
      BSTR name = nullptr;
      ref->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr);
      return TakeBstr(name);
    }
    default: return L"vt" + std::to_wstring(td.vt);
  }
}

TEST_F(NumbrookLibTest, RecordsFieldByField) {
  const std::map<std::wstring, std::vector<std::wstring>> records = {
      {L"CharFormat", {L"CfBackColor:ulong", L"CfForeColor:ulong", L"CfBold:long",
                       L"CfItalic:long", L"CfStrikeout:long", L"CfUnderline:UnderlineTypes"}},
      {L"CodeCommonFormat", {L"CcfBackColor:ulong", L"CcfFontHeight:int", L"CcfFontCharSet:int",
                             L"CcfFontName:BSTR"}},
      {L"CalcFunction", {L"CfnName:BSTR", L"CfnSignature:BSTR", L"CfnCategoryId:int",
                         L"CfnDescription:BSTR"}},
      {L"CalcCategory", {L"ccName:BSTR", L"ccCategoryId:int", L"ccCategoryIndex:int"}},
      {L"CalcConstant", {L"Name:BSTR", L"Value:VARIANT", L"Dimension:BSTR"}},
      {L"CalcVariable", {L"Name:BSTR", L"Value:VARIANT", L"Dimension:BSTR"}},
      {L"CalcOperator", {L"Operator:BSTR", L"Type:OperatorType"}},
      {L"ParseExpResult", {L"Value:VARIANT", L"Type:ResultType"}},
      {L"CalcCommand", {L"CalcCommandIdentifier:long", L"CalcCommandType:CalcObjectType",
                        L"CalcCommandText:BSTR", L"CalcCommandTooltip:BSTR",
                        L"CalcCommandName:BSTR", L"CalcCommandGroupName:BSTR",
                        L"CalcCommandPanelName:BSTR"}},
      {L"CalcAction", {L"Processing:ActionProcessing", L"Template:BSTR"}},
      {L"CalcActionEx", {L"BaseAction:CalcAction", L"Name:BSTR", L"Activated:long",
                         L"KeyHandle:long", L"Pass:long"}},
  };
  for (const auto& [name, fields] : records) {
    SCOPED_TRACE(std::string(name.begin(), name.end()));
    Ptr<ITypeInfo> info;
    info.p = Find(name.c_str());
    ASSERT_TRUE(info);
    TYPEATTR* ta = nullptr;
    ASSERT_EQ(S_OK, info->GetTypeAttr(&ta));
    EXPECT_EQ(TKIND_RECORD, ta->typekind);
    EXPECT_EQ(GUID_NULL, ta->guid);
    std::vector<std::wstring> got;
    for (UINT i = 0; i < ta->cVars; ++i) {
      VARDESC* vd = nullptr;
      ASSERT_EQ(S_OK, info->GetVarDesc(i, &vd));
      BSTR vname = nullptr;
      UINT n = 0;
      info->GetNames(vd->memid, &vname, 1, &n);
      got.push_back(TakeBstr(vname) + L":" + TypeText(info.p, vd->elemdescVar.tdesc));
      info->ReleaseVarDesc(vd);
    }
    EXPECT_EQ(fields, got);
    info->ReleaseTypeAttr(ta);
  }
}

// One member as text: kind, DispID, help string and "name(arg,arg)". Arguments read
// "[flags]type name"; flags i = in, o = out, r = retval, - = none.

std::wstring MemberText(ITypeInfo* info, UINT index) {
  FUNCDESC* fd = nullptr;
  if (FAILED(info->GetFuncDesc(index, &fd))) return L"?";
  std::vector<BSTR> names(fd->cParams + 1, nullptr);
  UINT count = 0;
  info->GetNames(fd->memid, names.data(), static_cast<UINT>(names.size()), &count);
  wchar_t head[64];
  const wchar_t* kind = fd->invkind == INVOKE_PROPERTYGET   ? L"get"
                        : fd->invkind == INVOKE_PROPERTYPUT ? L"put"
                        : fd->invkind == INVOKE_FUNC        ? L"method"
                                                            : L"other";
  swprintf(head, 64, L"%ls %08lX ", kind, static_cast<unsigned long>(fd->memid));
  BSTR doc = nullptr;
  info->GetDocumentation(fd->memid, nullptr, &doc, nullptr, nullptr);
  std::wstring out = head;
  out += L"\"";
  out += TakeBstr(doc);
  out += L"\" ";
  out += count > 0 ? names[0] : L"";
  out += L"(";
  for (SHORT a = 0; a < fd->cParams; ++a) {
    const ELEMDESC& e = fd->lprgelemdescParam[a];
    USHORT f = e.paramdesc.wParamFlags;
    std::wstring flags;
    if (f & PARAMFLAG_FIN) flags += L"i";
    if (f & PARAMFLAG_FOUT) flags += L"o";
    if (f & PARAMFLAG_FRETVAL) flags += L"r";
    if (flags.empty()) flags = L"-";
    if (a > 0) out += L",";
    out += L"[" + flags + L"]" + TypeText(info, e.tdesc);
    // GetNames finds a property's names by DispID, which its getter and putter share, so the
    // putter's (unnamed) argument would show the getter's names: it is left out here.
    bool named = fd->invkind != INVOKE_PROPERTYPUT && !(f & PARAMFLAG_FRETVAL);
    if (named && static_cast<UINT>(a + 1) < count && names[a + 1] != nullptr) {
      out += L" ";
      out += names[a + 1];
    }
  }
  out += L")";
  for (BSTR b : names) SysFreeString(b);
  EXPECT_EQ(CC_STDCALL, fd->callconv);
  EXPECT_EQ(VT_HRESULT, fd->elemdescFunc.tdesc.vt);
  info->ReleaseFuncDesc(fd);
  return out;
}

struct InterfaceCase {
  const wchar_t* name;
  const IID* iid;
  const wchar_t* help;
  std::vector<std::wstring> members;
};

TEST_F(NumbrookLibTest, InterfacesMembersInOrder) {
  const std::vector<InterfaceCase> cases = {
      {L"ICalculatorKernel", &IID_ICalculatorKernel, L"ICalculatorKernel Interface", {
          L"method 60010000 \"method ParseExpression\" ParseExpression([i]BSTR Expression,[or]ParseExpResult*)",
          L"method 60010001 \"method GetVarValue\" GetVarValue([i]int Index,[or]VARIANT*)",
          L"method 60010002 \"method GetVarName\" GetVarName([i]int Index,[or]BSTR*)",
          L"method 60010003 \"method IsDefined\" IsDefined([i]BSTR Text,[o]CalcObjectType* defType,[o]int* findIndex)",
          L"method 60010004 \"method GetCountObjects\" GetCountObjects([i]CalcObjectType ObjectType,[or]int*)",
          L"method 60010005 \"method GetFunction\" GetFunction([i]int Index,[or]CalcFunction*)",
          L"method 60010006 \"method GetFunctionIndex\" GetFunctionIndex([i]BSTR funcName,[or]int*)",
          L"method 60010007 \"method GetConstant\" GetConstant([i]int Index,[or]CalcConstant*)",
          L"method 60010008 \"method GetOperator\" GetOperator([i]int Index,[or]CalcOperator*)",
          L"method 60010009 \"method GetCategory\" GetCategory([i]int Index,[or]CalcCategory*)",
          L"method 6001000A \"method GetCategoryIndex\" GetCategoryIndex([i]int categoryId,[or]int*)",
          L"method 6001000B \"method GetCalcAngleFormat\" GetCalcAngleFormat([or]CalcAngleFormat*)",
          L"method 6001000C \"method GetCalcResultFormat\" GetCalcResultFormat([or]CalcResultFormat*)",
          L"method 6001000D \"method SetCalcSettings\" SetCalcSettings([i]CalcAngleFormat angleFormat,[i]CalcResultFormat resultFormat)",
      }},
      {L"InternalCalculatorKernel", &IID_InternalCalculatorKernel, L"ICalculatorKernel Interface", {}},
      {L"ICodeFormatter", &IID_ICodeFormatter, L"ICodeFormatter Interface", {
          L"method 60010000 \"method GetCharFormat\" GetCharFormat([i]LexemeType Type,[or]CharFormat*)",
          L"method 60010001 \"method SetCharFormat\" SetCharFormat([i]LexemeType Type,[i]CharFormat Format)",
          L"method 60010002 \"method GetCommonFormat\" GetCommonFormat([or]CodeCommonFormat*)",
          L"method 60010003 \"method SetCommonFormat\" SetCommonFormat([i]CodeCommonFormat Format)",
          L"method 60010004 \"method EndUpdate\" EndUpdate()",
      }},
      {L"InternalMathCodeParser", &IID_InternalMathCodeParser, L"InternalMathCodeParser Interface", {}},
      {L"ICBMessengerEvents", &IID_ICBMessengerEvents, L"ICBMessengerEvents Interface", {
          L"method 60010000 \"method OnCommand\" OnCommand([i]long Command)",
          L"method 60010001 \"method OnMessage\" OnMessage([i]long Message,[i]long wParam,[i]long lParam)",
          L"method 60010002 \"method OnCalcCommand\" OnCalcCommand([i]CalcCommand Command)",
          L"method 60010003 \"method OnCalcAction\" OnCalcAction([i]CalcAction Action,[i]VARIANT_BOOL Alt,[i]VARIANT_BOOL Shift,[i]VARIANT_BOOL Ctrl)",
          L"method 60010004 \"method OnKbdModifier\" OnKbdModifier([i]VARIANT_BOOL Alt,[i]VARIANT_BOOL Shift,[i]VARIANT_BOOL Ctrl)",
          L"method 60010005 \"method OnBeforeUpdate\" OnBeforeUpdate()",
          L"method 60010006 \"method OnAfterUpdate\" OnAfterUpdate([i]PropertyPage page)",
      }},
      {L"INumbrookClipboardWatcher", &IID_INumbrookClipboardWatcher, L"INumbrookWatcher", {
          L"method 60010000 \"method HotKeyProcess\" HotKeyProcess([-]BSTR Format,[-]ulong dwParams)",
      }},
      {L"INumbrookMain", &IID_INumbrookMain, L"INumbrookMain Interface", {
          L"method 60010000 \"method GetTrayManager\" GetTrayManager([or]IKivTray**)",
          L"method 60010001 \"method GetMsgManager\" GetMsgManager([or]IKivMessenger**)",
          L"method 60010002 \"method GetCaptionbarManager\" GetCaptionbarManager([or]IKivCaptionBar**)",
          L"method 60010003 \"method GetSettingsManager\" GetSettingsManager([or]IKivSettingsManager**)",
          L"method 60010004 \"method GetPersistManager\" GetPersistManager([or]IKivPersistManager**)",
          L"method 60010005 \"method GetCalulatorKernel\" GetCalculatorKernel([or]ICalculatorKernel**)",
          L"method 60010006 \"method GetCodeFormatter\" GetCodeFormatter([or]ICodeFormatter**)",
          L"method 60010007 \"method GetPanelsManager\" GetPanelsManager([or]IKivPanelsManager**)",
          L"method 60010008 \"method GetKbdManager\" GetKbdManager([or]IKivKbdManager**)",
          L"method 60010009 \"method GetClipboardWatcher\" GetClipboardWatcher([or]INumbrookClipboardWatcher**)",
      }},
      {L"IKivTray", &IID_IKivTray, L"IKivTray Interface", {
          L"method 60010000 \"method MinimizeToTray\" MinimizeToTray()",
          L"method 60010001 \"method RestoreFromTray\" RestoreFromTray()",
          L"method 60010002 \"method IsMinimized\" IsMinimized([or]VARIANT_BOOL*)",
          L"method 60010003 \"method ShowMessage\" ShowMessage([i]BSTR Msg,[i]BSTR Title,[i]long TimeoutMs,[i]MessageType MsgType)",
          L"get 60010004 \"property MinToTray\" MinToTray([or]VARIANT_BOOL*)",
          L"put 60010004 \"property MinToTray\" MinToTray([i]VARIANT_BOOL)",
          L"get 60010006 \"property CloseToTray\" CloseToTray([or]VARIANT_BOOL*)",
          L"put 60010006 \"property CloseToTray\" CloseToTray([i]VARIANT_BOOL)",
      }},
      {L"IKivMessenger", &IID_IKivMessenger, L"IKivMessenger Interface", {
          L"method 60010000 \"method RunCommand\" RunCommand([i]long Code)",
          L"method 60010001 \"method EventsSubscribe\" EventsSubscribe([i]ICBMessengerEvents* CBHandler,[or]GUID*)",
          L"method 60010002 \"method EventsUnscribe\" EventsUnscribe([i]GUID HandlerID)",
          L"get 60010003 \"property HookIsRunning\" HookIsRunning([or]VARIANT_BOOL*)",
          L"put 60010003 \"property HookIsRunning\" HookIsRunning([i]VARIANT_BOOL)",
          L"method 60010005 \"method GetMainframeHandle\" GetMainframeHandle([or]long*)",
      }},
      {L"IKivCaptionBar", &IID_IKivCaptionBar, L"IKivCaptionBar Interface", {
          L"get 60010000 \"property Visible\" Visible([or]VARIANT_BOOL*)",
          L"put 60010000 \"property Visible\" Visible([i]VARIANT_BOOL)",
          L"get 60010002 \"property Text\" Text([or]BSTR*)",
          L"put 60010002 \"property Text\" Text([i]BSTR)",
          L"get 60010004 \"property Type\" Type([or]CaptionType*)",
          L"put 60010004 \"property Type\" Type([i]CaptionType)",
      }},
      {L"IKivSettingsManager", &IID_IKivSettingsManager, L"IKivSettingsManager Interface", {
          L"get 60010000 \"property ShowAtStartup\" ShowAtStartup([or]VARIANT_BOOL*)",
          L"put 60010000 \"property ShowAtStartup\" ShowAtStartup([i]VARIANT_BOOL)",
          L"get 60010002 \"property ShowHideKey\" ShowHideKey([or]long*)",
          L"put 60010002 \"property ShowHideKey\" ShowHideKey([i]long)",
          L"get 60010004 \"property PassShowHideKey\" PassShowHideKey([or]VARIANT_BOOL*)",
          L"put 60010004 \"property PassShowHideKey\" PassShowHideKey([i]VARIANT_BOOL)",
          L"get 60010006 \"property KbdActionsCount\" KbdActionsCount([or]long*)",
          L"put 60010006 \"property KbdActionsCount\" KbdActionsCount([i]long)",
          L"method 60010008 \"method GetKeyHandle\" GetKeyHandle([i]long Index,[or]long*)",
          L"method 60010009 \"method GetKeyPass\" GetKeyPass([i]long Index,[or]VARIANT_BOOL*)",
          L"method 6001000A \"method GetKeyActivated\" GetKeyActivated([i]long Index,[or]VARIANT_BOOL*)",
          L"method 6001000B \"method GetKbdAction\" GetKbdAction([i]long Index,[or]CalcAction*)",
          L"method 6001000C \"method GetKbdActionEx\" GetKbdActionEx([i]long Index,[or]CalcActionEx*)",
          L"method 6001000D \"method SetKbdActionEx\" SetKbdActionEx([i]long Index,[i]CalcActionEx KbdActionEx)",
          L"get 6001000E \"property CurrentStyle\" CurrentStyle([or]VisualStyle*)",
          L"put 6001000E \"property CurrentStyle\" CurrentStyle([i]VisualStyle)",
          L"get 60010010 \"property DocModel\" DocModel([or]DocumentModel*)",
          L"put 60010010 \"property DocModel\" DocModel([i]DocumentModel)",
          L"get 60010012 \"property AlwaysOnTop\" AlwaysOnTop([or]VARIANT_BOOL*)",
          L"put 60010012 \"property AlwaysOnTop\" AlwaysOnTop([i]VARIANT_BOOL)",
          L"get 60010014 \"property CurrentFnProcessing\" CurrentFnProcessing([or]FnProcessing*)",
          L"put 60010014 \"property CurrentFnProcessing\" CurrentFnProcessing([i]FnProcessing)",
      }},
      {L"IKivPersistManager", &IID_IKivPersistManager, L"IKivPersistManager Interface", {
          L"method 60010000 \"method WriteInteger\" WriteInteger([i]BSTR Section,[i]BSTR Name,[i]long Value)",
          L"method 60010001 \"method WriteString\" WriteString([i]BSTR Section,[i]BSTR Name,[i]BSTR Value)",
          L"method 60010002 \"method WriteBLOB\" WriteBLOB([i]BSTR Section,[i]BSTR Name,[i]VARIANT BLOB)",
          L"method 60010003 \"method ReadInteger\" ReadInteger([i]BSTR Section,[i]BSTR Name,[i]long DefaultValue,[or]long*)",
          L"method 60010004 \"method ReadString\" ReadString([i]BSTR Section,[i]BSTR Name,[i]BSTR DefaultValue,[or]BSTR*)",
          L"method 60010005 \"method ReadBLOB\" ReadBLOB([i]BSTR Section,[i]BSTR Name,[or]VARIANT*)",
      }},
      {L"IKivPanelsManager", &IID_IKivPanelsManager, L"IKivPanelsManager Interface", {
          L"method 60010000 \"method Clear\" Clear()",
          L"method 60010001 \"method AddPanel\" AddPanel([i]BSTR Caption,[i]PanelViewType PanelView,[i]VARIANT_BOOL Customizable,[i]ICBCommandPanel* PanelDesc,[or]long*)",
          L"get 60010002 \"property ActivePanel\" ActivePanel([or]long*)",
          L"put 60010002 \"property ActivePanel\" ActivePanel([i]long)",
          L"method 60010004 \"method ShowToolbar\" ShowToolbar([i]Toolbar ToolbarId,[i]VARIANT_BOOL Show)",
          L"method 60010005 \"method IsToolbarVisible\" IsToolbarVisible([i]Toolbar ToolbarId,[i]VARIANT_BOOL* IsVisible)",
          L"get 60010006 \"property DocEditableMode\" DocEditableMode([or]VARIANT_BOOL*)",
          L"put 60010006 \"property DocEditableMode\" DocEditableMode([i]VARIANT_BOOL)",
      }},
      {L"IKivKbdManager", &IID_IKivKbdManager, L"IKivKbdManager Interface", {
          L"method 60010000 \"method TranslateKbdAccel\" TranslateKbdAccel([i]void* Message,[or]VARIANT_BOOL*)",
      }},
      {L"ICBCommandPanel", &IID_ICBCommandPanel, L"ICBCommandPanel Interface", {
          L"method 60010000 \"method GetGroupsCount\" GetGroupsCount([or]long*)",
          L"method 60010001 \"method GetGroupName\" GetGroupName([i]long GroupIndex,[or]BSTR*)",
          L"method 60010002 \"method GetCommandsCount\" GetCommandsCount([i]long GroupIndex,[or]long*)",
          L"method 60010003 \"method GetCommandDesc\" GetCommandDesc([i]long GroupIndex,[i]long CommandIndex,[or]CalcCommand*)",
      }},
  };

  for (const InterfaceCase& c : cases) {
    SCOPED_TRACE(std::string(c.name, c.name + wcslen(c.name)));
    Ptr<ITypeInfo> info;
    ASSERT_EQ(S_OK, lib->GetTypeInfoOfGuid(*c.iid, &info));
    TYPEATTR* ta = nullptr;
    ASSERT_EQ(S_OK, info->GetTypeAttr(&ta));
    EXPECT_EQ(TKIND_INTERFACE, ta->typekind);
    // Plain custom interfaces: neither dual nor automation-compatible.
    EXPECT_EQ(0, ta->wTypeFlags & (TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION | TYPEFLAG_FDISPATCHABLE));
    ASSERT_EQ(1, ta->cImplTypes);
    HREFTYPE baseRef = 0;
    ASSERT_EQ(S_OK, info->GetRefTypeOfImplType(0, &baseRef));
    Ptr<ITypeInfo> base;
    ASSERT_EQ(S_OK, info->GetRefTypeInfo(baseRef, &base));
    TYPEATTR* baseAttr = nullptr;
    ASSERT_EQ(S_OK, base->GetTypeAttr(&baseAttr));
    EXPECT_EQ(IID_IUnknown, baseAttr->guid);
    base->ReleaseTypeAttr(baseAttr);

    BSTR name = nullptr;
    info->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr);
    EXPECT_EQ(std::wstring(c.name), TakeBstr(name));
    EXPECT_EQ(std::wstring(c.help), Doc(info.p, MEMBERID_NIL));

    std::vector<std::wstring> got;
    for (UINT i = 0; i < ta->cFuncs; ++i) got.push_back(MemberText(info.p, i));
    EXPECT_EQ(c.members, got);
    // The vtable follows IUnknown's three slots, one slot per member.
    EXPECT_EQ(static_cast<WORD>((3 + c.members.size()) * sizeof(void*)), ta->cbSizeVft);
    info->ReleaseTypeAttr(ta);
  }
}

TEST_F(NumbrookLibTest, CoclassNumbrookMain) {
  Ptr<ITypeInfo> info;
  ASSERT_EQ(S_OK, lib->GetTypeInfoOfGuid(CLSID_NumbrookMain, &info));
  TYPEATTR* ta = nullptr;
  ASSERT_EQ(S_OK, info->GetTypeAttr(&ta));
  EXPECT_EQ(TKIND_COCLASS, ta->typekind);
  EXPECT_TRUE(ta->wTypeFlags & TYPEFLAG_FCANCREATE);
  ASSERT_EQ(1, ta->cImplTypes);
  info->ReleaseTypeAttr(ta);
  EXPECT_EQ(L"NumbrookMain Class", Doc(info.p, MEMBERID_NIL));

  INT flags = 0;
  ASSERT_EQ(S_OK, info->GetImplTypeFlags(0, &flags));
  EXPECT_TRUE(flags & IMPLTYPEFLAG_FDEFAULT);
  HREFTYPE ref = 0;
  ASSERT_EQ(S_OK, info->GetRefTypeOfImplType(0, &ref));
  Ptr<ITypeInfo> main;
  ASSERT_EQ(S_OK, info->GetRefTypeInfo(ref, &main));
  TYPEATTR* mainAttr = nullptr;
  ASSERT_EQ(S_OK, main->GetTypeAttr(&mainAttr));
  EXPECT_EQ(IID_INumbrookMain, mainAttr->guid);
  main->ReleaseTypeAttr(mainAttr);
}

}  // namespace
