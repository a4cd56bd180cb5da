#include "BasicSetFuncs.h"

#include "ClassRegistry.h"
#include "Creatable.h"
#include "Creators.h"
#include "Evaluator.h"
#include "KernelObject.h"
#include "Messages.h"
#include "NameCompare.h"
#include "Precision.h"

namespace evalkern {

const std::vector<FuncRow>& BuiltinFuncRows() {
  static const std::vector<FuncRow> rows = {
      {L"+", {L"plus"}, CheckArgsExactly2, cHidden, 13000, 12000, FuncPlus},  // 0
      {L"sum", {L"sum"}, CheckArgsAny, cStatistic, 13001, 12001, FuncSum},  // 1
      {L"-", {L"minus"}, CheckArgsExactly2, cHidden, 13002, 12000, FuncMinus},  // 2
      {L"*", {L"*"}, CheckArgsExactly2, cHidden, 13003, 12000, FuncMultiply},  // 3
      {L"multi", {L"multi"}, CheckArgsAtLeast1, cStatistic, 13004, 12001, FuncMulti},  // 4
      {L"/", {L"/"}, CheckArgsExactly2, cHidden, 13005, 12002, FuncDivide},  // 5
      {L"min", {L"min", L"minimum", L"minimal"}, CheckArgsAtLeast1, cStatistic, 13006, 12001, FuncMin},  // 6
      {L"max", {L"max", L"maximum", L"maximal"}, CheckArgsAtLeast1, cStatistic, 13007, 12001, FuncMax},  // 7
      {L"average", {L"average"}, CheckArgsAtLeast1, cStatistic, 13008, 12001, FuncAverage},  // 8
      {L"power", {L"power"}, CheckArgsExactly2, cArithmetic, 13009, 12003, FuncPower},  // 9
      {L"log", {L"log", L"logarithm"}, CheckArgsExactly2, cArithmetic, 13010, 12004, FuncLog},  // 10
      {L"log10", {L"log10", L"lg", L"lg10"}, CheckArgsExactly1, cArithmetic, 13011, 12005, FuncLog10},  // 11
      {L"log2", {L"log2", L"lg2"}, CheckArgsExactly1, cArithmetic, 13012, 12005, FuncLog2},  // 12
      {L"ln", {L"ln"}, CheckArgsExactly1, cArithmetic, 13013, 12005, FuncLn},  // 13
      {L"sqrt", {L"sqrt"}, CheckArgsExactly1, cArithmetic, 13014, 12005, FuncSqrt},  // 14
      {L"sqr", {L"sqr"}, CheckArgsExactly1, cArithmetic, 13015, 12005, FuncSqr},  // 15
      {L"abs", {L"abs"}, CheckArgsExactly1, cArithmetic, 13016, 12005, FuncAbs},  // 16
      {L"-", {L"unarminus"}, CheckArgsExactly1, cHidden, 13017, 12005, FuncUnarMinus},  // 17
      {L"sin", {L"sin"}, CheckArgsExactly1, cTrigonometric, 13018, 12005, FuncSin},  // 18
      {L"cos", {L"cos"}, CheckArgsExactly1, cTrigonometric, 13019, 12005, FuncCos},  // 19
      {L"tan", {L"tan", L"tg"}, CheckArgsExactly1, cTrigonometric, 13020, 12005, FuncTan},  // 20
      {L"ctan", {L"ctan", L"cotg", L"ctg", L"cotan"}, CheckArgsExactly1, cTrigonometric, 13022, 12005, FuncCtan},  // 21
      {L"asin", {L"arcsin", L"asin"}, CheckArgsExactly1, cTrigonometric, 13024, 12005, FuncAsin},  // 22
      {L"acos", {L"arccos", L"acos"}, CheckArgsExactly1, cTrigonometric, 13025, 12005, FuncAcos},  // 23
      {L"atan", {L"arctan", L"arctg", L"atan", L"atg"}, CheckArgsExactly1, cTrigonometric, 13021, 12005, FuncAtan},  // 24
      {L"actan", {L"actan", L"arcctg", L"acotg", L"actg", L"arccotg"}, CheckArgsExactly1, cTrigonometric, 13023, 12005, FuncActan},  // 25
      {L"exp", {L"exp"}, CheckArgsExactly1, cArithmetic, 13026, 12006, FuncExp},  // 26
      {L"frac", {L"frac"}, CheckArgsExactly1, cArithmetic, 13027, 12005, FuncFrac},  // 27
      {L"int", {L"int", L"trunc"}, CheckArgsExactly1, cArithmetic, 13028, 12005, FuncInt},  // 28
      {L"sign", {L"sign"}, CheckArgsExactly1, cArithmetic, 13050, 12005, FuncSign},  // 29
      {L"guid", {L"guid"}, CheckArgsNone, cComputer, 13030, 12018, FuncGuid},  // 30
      {L"hex", {L"hex"}, CheckArgsExactly1, cTypeConversion, 13031, 12008, FuncHex},  // 31
      {L"bin", {L"bin"}, CheckArgsExactly1, cTypeConversion, 13032, 12008, FuncBin},  // 32
      {L"oct", {L"oct"}, CheckArgsExactly1, cTypeConversion, 13033, 12008, FuncOct},  // 33
      {L"roman", {L"roman"}, CheckArgsExactly1, cTypeConversion, 13034, 12008, FuncRoman},  // 34
      {L"decimal", {L"decimal"}, CheckArgsExactly1, cTypeConversion, 13035, 12008, FuncDecimal},  // 35
      {L"if", {L"if"}, CheckArgsExactly3, cStatistic, 13036, 12009, FuncIf},  // 36
      {L"=", {L"=", L"eq"}, CheckArgsExactly2, cHidden, 13037, 12010, FuncEq},  // 37
      {L"<>", {L"<>", L"ne"}, CheckArgsExactly2, cHidden, 13038, 12010, FuncNe},  // 38
      {L"<", {L"<", L"lt"}, CheckArgsExactly2, cHidden, 13039, 12010, FuncLt},  // 39
      {L">", {L">", L"gt"}, CheckArgsExactly2, cHidden, 13040, 12010, FuncGt},  // 40
      {L"<=", {L"<=", L"le"}, CheckArgsExactly2, cHidden, 13041, 12010, FuncLe},  // 41
      {L">=", {L">=", L"ge"}, CheckArgsExactly2, cHidden, 13042, 12010, FuncGe},  // 42
      {L"not", {L"not"}, CheckArgsExactly1, cHidden, 13043, 12011, FuncNot},  // 43
      {L"and", {L"and", L"&", L"&&"}, CheckArgsExactly2, cHidden, 13044, 12012, FuncAnd},  // 44
      {L"or", {L"or", L"|", L"||"}, CheckArgsExactly2, cHidden, 13045, 12012, FuncOr},  // 45
      {L"xor", {L"xor", L"~"}, CheckArgsExactly2, cHidden, 13046, 12012, FuncXor},  // 46
      {L"shr", {L"shr", L">>"}, CheckArgsExactly2, cHidden, 13047, 12013, FuncShr},  // 47
      {L"shl", {L"shl", L"<<"}, CheckArgsExactly2, cHidden, 13048, 12013, FuncShl},  // 48
      {L"rgb", {L"rgb"}, CheckArgs1Or3, cComputer, 13049, 12014, FuncRgb},  // 49
      {L"round", {L"round"}, CheckArgs1Or2, cArithmetic, 13029, 12007, FuncRound},  // 50
      {L"%", {L"%"}, CheckArgsExactly1, cHidden, 13052, 12005, FuncPercent},  // 51
      {L"!", {L"!"}, CheckArgsExactly1, cHidden, 13053, 12005, FuncFactorial},  // 52
      {L"sinh", {L"sinh"}, CheckArgsExactly1, cTrigonometric, 13054, 12005, FuncSinh},  // 53
      {L"cosh", {L"cosh"}, CheckArgsExactly1, cTrigonometric, 13055, 12005, FuncCosh},  // 54
      {L"tanh", {L"tanh", L"tgh"}, CheckArgsExactly1, cTrigonometric, 13056, 12005, FuncTanh},  // 55
      {L"ctanh", {L"ctanh", L"cotgh", L"ctgh", L"cotanh"}, CheckArgsExactly1, cTrigonometric, 13058, 12005, FuncCtanh},  // 56
      {L"asinh", {L"arcsinh", L"asinh"}, CheckArgsExactly1, cTrigonometric, 13060, 12005, FuncAsinh},  // 57
      {L"acosh", {L"arccosh", L"acosh"}, CheckArgsExactly1, cTrigonometric, 13061, 12005, FuncAcosh},  // 58
      {L"atanh", {L"arctanh", L"arctgh", L"atanh", L"atgh"}, CheckArgsExactly1, cTrigonometric, 13057, 12005, FuncAtanh},  // 59
      {L"actanh", {L"arccotgh", L"arcctgh", L"acotgh", L"actgh", L"actanh"}, CheckArgsExactly1, cTrigonometric, 13059, 12005, FuncActanh},  // 60
      {L"div", {L"div"}, CheckArgsExactly2, cHidden, 13062, 12015, FuncDiv},  // 61
      {L"mod", {L"mod"}, CheckArgsExactly2, cHidden, 13063, 12015, FuncMod},  // 62
      {L"permut", {L"permut"}, CheckArgsExactly2, cStatistic, 13064, 12016, FuncPermut},  // 63
      {L"random", {L"rand", L"random"}, CheckArgs0To2, cComputer, 13065, 12017, FuncRandom},  // 64
      {L"rounddn", {L"rounddn"}, CheckArgs1Or2, cArithmetic, 13066, 12007, FuncRounddn},  // 65
      {L"roundup", {L"roundup"}, CheckArgs1Or2, cArithmetic, 13067, 12007, FuncRoundup},  // 66
      {L"stdev", {L"stdev"}, CheckArgsAtLeast2, cStatistic, 13068, 12001, FuncStdev},  // 67
      {L"stdevp", {L"stdevp"}, CheckArgsAtLeast1, cStatistic, 13069, 12001, FuncStdevp},  // 68
      {L"sumsqr", {L"sumsqr"}, CheckArgsAtLeast1, cStatistic, 13070, 12001, FuncSumsqr},  // 69
      {L"char", {L"char"}, CheckArgsExactly1, cTypeConversion, 13071, 12019, FuncChar},  // 70
      {L"lngamma", {L"lngamma"}, CheckArgsExactly1, cPhysical, 13077, 12005, FuncLngamma},  // 71
      {L"aprog", {L"aprog"}, CheckArgsExactly3, cArithmetic, 13072, 12020, FuncAprog},  // 72
      {L"aprogs", {L"aprogs"}, CheckArgsExactly3, cArithmetic, 13073, 12020, FuncAprogs},  // 73
      {L"gprog", {L"gprog"}, CheckArgsExactly3, cArithmetic, 13074, 12021, FuncGprog},  // 74
      {L"gprogs", {L"gprogs"}, CheckArgsExactly3, cArithmetic, 13075, 12021, FuncGprogs},  // 75
      {L"mol", {L"mol"}, CheckArgsExactly1, cPhysical, 13076, 12022, FuncMol},  // 76
      {L"winerror", {L"winerror"}, CheckArgsExactly1, cComputer, 13078, 12008, FuncWinerror},  // 77
      {L"^", {L"^"}, CheckArgsExactly2, cHidden, 13079, 12003, FuncCaret},  // 78
  };
  return rows;
}

namespace {

const ErrorSource kSource{L"Evalkern.BasicSetFuncs", &IID_IBasicSetFuncs};

struct FuncEntry {
  const FuncRow* row;
  std::wstring description;
  std::wstring signature;
  std::vector<std::wstring> aliases;
};

class TBasicSetFuncs final : public TRefCount, public IBasicSetFuncs, public TCreatable {
  EVALKERN_IUNKNOWN

 public:
  TBasicSetFuncs() : TCreatable(CLSID_BasicSetFuncs) {}

  void Initialize() {
    const std::vector<FuncRow>& rows = BuiltinFuncRows();
    table_.resize(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
      FuncEntry& e = table_[i];
      e.row = &rows[i];
      e.aliases.assign(rows[i].aliases.begin(), rows[i].aliases.end());
      e.description = rows[i].descriptionId == 13071
                          ? GetMessageTextFmt(13071, L"AnsiChar")
                          : GetMessageText(rows[i].descriptionId);
      e.signature = GetMessageText(rows[i].signatureId);
    }
  }

  void* Cast(REFIID iid) {
    if (iid == IID_IUnknown || iid == IID_IFuncs || iid == IID_IBasicSetFuncs)
      return static_cast<IBasicSetFuncs*>(this);
    return CreatableCast(iid);
  }

  // ---- IFuncs ----
  STDMETHODIMP get_Count(long* value) override {
    if (!value) return E_POINTER;
    *value = static_cast<long>(table_.size());
    return S_OK;
  }

  STDMETHODIMP get_FuncInterface(long index, IFunc** value) override {
    return GuardOut(kSource, value, [&] {
      At(index);
      Microsoft::WRL::ComPtr<IShellFuncs> shell = CoShellFuncs::Create();
      Check(shell->SetFuncs(this, index));
      *value = shell.Detach();  // IShellFuncs derives from IFunc
    });
  }

  STDMETHODIMP GetFirstEntryIndex(BSTR name, long countArguments, CategoryOrlen category,
                                  long* result) override {
    if (!result) return E_POINTER;
    *result = -1;
    return Guard(kSource, [&] {
      std::wstring n(BstrChars(name), BstrLength(name));
      for (size_t i = 0; i < table_.size(); ++i) {
        const FuncEntry& e = table_[i];
        if (!MatchAlias(e.aliases, n)) continue;
        if (e.row->check(countArguments) != 0) continue;
        if (category == cAll || category == e.row->category) {
          *result = static_cast<long>(i);
          return;
        }
      }
    });
  }

  STDMETHODIMP get_Name(long index, BSTR* value) override {
    return GuardOut(kSource, value, [&] { *value = MakeBstr(At(index).row->name); });
  }

  STDMETHODIMP CheckArgumentsNumber(long index, long count, long* result) override {
    if (!result) return E_POINTER;
    return Guard(kSource, [&] { *result = At(index).row->check(count); });
  }

  // Nested calls run through here once per level of an expression, so the frame is kept small:
  // the checks and the error handling live in functions of their own.
  STDMETHODIMP Func(long index, IArguments* arguments, VARIANT* result) override {
    if (!result) return E_POINTER;
    VariantInit(result);
    if (index < 0 || static_cast<size_t>(index) >= table_.size() || !errorEvents_ || !arguments)
      return RefuseCall(index);
    X87Precision precision;
    try {
      table_[static_cast<size_t>(index)].row->body(errorEvents_.Get(), settings_.Get(), arguments, result);
      return S_OK;
    } catch (const KernelError& fault) {
      return BodyFault(fault, result);
    } catch (...) {
      return BodyFailed();
    }
  }

  STDMETHODIMP get_Description(long index, BSTR* value) override {
    return GuardOut(kSource, value, [&] { *value = MakeBstr(At(index).description); });
  }

  STDMETHODIMP get_Category(long index, CategoryOrlen* value) override {
    if (!value) return E_POINTER;
    return Guard(kSource, [&] { *value = At(index).row->category; });
  }

  STDMETHODIMP get_Signature(long index, BSTR* value) override {
    return GuardOut(kSource, value, [&] { *value = MakeBstr(At(index).signature); });
  }

  STDMETHODIMP get_CountAlias(long indexFunc, long* value) override {
    if (!value) return E_POINTER;
    return Guard(kSource, [&] { *value = static_cast<long>(At(indexFunc).aliases.size()); });
  }

  STDMETHODIMP get_Alias(long indexFunc, long indexAlias, BSTR* value) override {
    return GuardOut(kSource, value, [&] {
      const FuncEntry& e = At(indexFunc);
      CheckRange(indexAlias, e.aliases.size(), E_INVALIDARG);
      *value = MakeBstr(e.aliases[static_cast<size_t>(indexAlias)]);
    });
  }

  STDMETHODIMP get_Settings(ISettings** value) override { return GetField(settings_, value); }
  STDMETHODIMP put_Settings(ISettings* value) override { return PutField(settings_, value); }
  STDMETHODIMP get_ErrorEvents(IErrorEvents** value) override {
    return GetField(errorEvents_, value);
  }
  STDMETHODIMP put_ErrorEvents(IErrorEvents* value) override {
    return PutField(errorEvents_, value);
  }

 private:
  __attribute__((noinline)) HRESULT RefuseCall(long index) {
    return Guard(kSource, [&] {
      At(index);
      if (!errorEvents_) RaiseError(L"The function set has no error sink", E_UNEXPECTED);
      RaiseError(L"No arguments object", E_POINTER);
    });
  }

  // A fault of the body (an overflow, a text that is no number, ...) is reported like any other
  // error of a function and the call succeeds. It is caught where it lands: raising it once
  // more to sort it would double the cost of an exception, which is high on some systems.
  __attribute__((noinline)) HRESULT BodyFault(const KernelError& fault, VARIANT* result) {
    return Guard(kSource, [&] { EndWithFault(errorEvents_.Get(), result, fault.text); });
  }

  // Runs inside the handler of Func: anything but a fault of the body fails the call.
  __attribute__((noinline)) HRESULT BodyFailed() {
    return Guard(kSource, [&] { throw; });
  }

  const FuncEntry& At(long index) const {
    CheckRange(index, table_.size(), E_INVALIDARG);
    return table_[static_cast<size_t>(index)];
  }

  std::vector<FuncEntry> table_;
  Microsoft::WRL::ComPtr<ISettings> settings_;
  Microsoft::WRL::ComPtr<IErrorEvents> errorEvents_;
};

}  // namespace

HRESULT CreateBasicSetFuncs(REFIID iid, void** out) {
  return CreateInitialized<TBasicSetFuncs>(kSource, iid, out);
}

EVALKERN_CLASS(BasicSetFuncs, &CreateBasicSetFuncs);

}  // namespace evalkern
