// The kernel bridge: creation of the kernel's objects, the ICalculatorKernel members, the error
// sink and the message pump that runs while a worksheet is calculated.
#include "CalculatorKernel.h"
#include "FwComSupport.h"
#include "Recalculation.h"
#include <new>
#include <string>

using Microsoft::WRL::ComPtr;

namespace {

// Resource strings of the program's resource library.
const UINT IDS_KERNEL_NOT_CREATED = 2018;
const UINT IDS_CALCULATION_FAILED = 2031;
const UINT IDS_PROGRAM_CAPTION = 2036;
const UINT IDS_TRUE = 11004;
const UINT IDS_FALSE = 11005;

// In-process server and handler, local and remote server.
const DWORD KERNEL_CLASS_CONTEXT = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER |
                                   CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER;

// At most this many messages (plus the two that end the count) are dispatched per callback.
const int PUMP_LIMIT = 10000;

// While a worksheet is calculated the queue is looked at no more often than this. A look is a
// round trip to the window system that costs more than most lines do; a newer request still ends
// the run within this time, and the window stays responsive.
const double PUMP_INTERVAL_SECONDS = 0.008;

LONGLONG Ticks() {
  LARGE_INTEGER now;
  ::QueryPerformanceCounter(&now);
  return now.QuadPart;
}

LONGLONG PumpIntervalTicks() {
  static const LONGLONG ticks = [] {
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return (LONGLONG)(frequency.QuadPart * PUMP_INTERVAL_SECONDS);
  }();
  return ticks;
}

UINT CalculationRequestMessage() {
  static const UINT id = ::RegisterWindowMessageW(L"DoCalculationFerrow");
  return id;
}

void Check(HRESULT hr) {
  if (FAILED(hr)) _com_issue_error(hr);
}

CString ResourceText(UINT id) {
  CString s;
  s.LoadString(id);
  return s;
}

// A BSTR owned until it is handed out.
class OwnedBstr {
public:
  OwnedBstr() = default;
  ~OwnedBstr() { ::SysFreeString(m_s); }
  OwnedBstr(const OwnedBstr&) = delete;
  OwnedBstr& operator=(const OwnedBstr&) = delete;
  BSTR* Out() { ::SysFreeString(m_s); m_s = nullptr; return &m_s; }
  LPCWSTR Text() const { return m_s ? m_s : L""; }
  BSTR Detach() { BSTR s = m_s; m_s = nullptr; return s; }
private:
  BSTR m_s = nullptr;
};

BSTR NewBstr(LPCWSTR text) {
  BSTR s = ::SysAllocString(text);
  if (!s) throw std::bad_alloc();
  return s;
}

// The COM boundary: exceptions become HRESULTs.
template <class F>
HRESULT Guarded(F&& body) {
  try {
    return body();
  } catch (const _com_error& e) {
    return e.Error();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

// Creates a kernel object by class id: asks for IUnknown, runs it, then asks for the interface.
template <class I>
void CreateKernelObject(REFCLSID clsid, ComPtr<I>& out) {
  ComPtr<IUnknown> unknown;
  Check(::CoCreateInstance(clsid, nullptr, KERNEL_CLASS_CONTEXT, IID_IUnknown,
                           reinterpret_cast<void**>(unknown.ReleaseAndGetAddressOf())));
  Check(::OleRun(unknown.Get()));
  Check(unknown.As(&out));
}

// One of the library's collections (functions, variables, constants), asked for afresh.
template <class C>
ComPtr<C> LibraryPart(ILibOrlen* library, HRESULT (STDMETHODCALLTYPE ILibOrlen::*get)(C**)) {
  ComPtr<C> part;
  Check((library->*get)(part.ReleaseAndGetAddressOf()));
  return part;
}

template <class C>
long CountOf(C* collection) {
  long count = 0;
  Check(collection->get_Count(&count));
  return count;
}

// Whether `index` names an entry of the collection.
template <class C>
bool HoldsIndex(C* collection, int index) {
  const long count = CountOf(collection);
  return index >= 0 && index < count;
}

// The index of the entry called `text` (case aside) in a collection of named entries, or -1.
template <class C>
long FindByName(C* collection, LPCWSTR text) {
  const long count = CountOf(collection);
  for (long i = 0; i < count; ++i) {
    OwnedBstr name;
    Check(collection->get_Name(i, name.Out()));
    if (SameName(name.Text(), text)) return i;
  }
  return -1;
}

}  // namespace

// ---- mapping ---------------------------------------------------------------------------------

bool AngleFormatToKernel(long angleFormat, TAngleMeasurement& out) {
  switch (angleFormat) {
    case cafRadians: out = amRadian; return true;
    case cafDegrees: out = amDegree; return true;
    case cafGrads: out = amGrade; return true;
  }
  return false;
}

CalcAngleFormat AngleFormatFromKernel(TAngleMeasurement angle) {
  switch (angle) {
    case amDegree: return cafDegrees;
    case amGrade: return cafGrads;
    default: return cafRadians;
  }
}

bool ResultFormatToKernel(long resultFormat, TFormatOut& out) {
  switch (resultFormat) {
    case crfBin: out = foBinary; return true;
    case crfOct: out = foOct; return true;
    case crfHex: out = foHex; return true;
    case crfDec: out = foDecimal; return true;
    case crfRoman: out = foRoman; return true;
  }
  return false;
}

CalcResultFormat ResultFormatFromKernel(TFormatOut format) {
  switch (format) {
    case foBinary: return crfBin;
    case foOct: return crfOct;
    case foHex: return crfHex;
    case foRoman: return crfRoman;
    default: return crfDec;
  }
}

bool SameName(LPCWSTR a, LPCWSTR b) {
  if (!a) a = L"";
  if (!b) b = L"";
  for (;; ++a, ++b) {
    wchar_t x = *a, y = *b;
    if (x >= L'A' && x <= L'Z') x = wchar_t(x - L'A' + L'a');
    if (y >= L'A' && y <= L'Z') y = wchar_t(y - L'A' + L'a');
    if (x != y) return false;
    if (!x) return true;
  }
}

bool IsWordOperator(LPCWSTR name) {
  static const LPCWSTR words[] = {L"and", L"div", L"mod", L"not", L"or", L"shl", L"shr", L"xor"};
  for (LPCWSTR w : words)
    if (SameName(name, w)) return true;
  return false;
}

bool OperatorByIndex(int index, LPCWSTR& text, OperatorType& type) {
  static const struct { LPCWSTR text; OperatorType type; } table[] = {
      {L"+", OtBinary},       {L"-", OtBinary},       {L"/", OtBinary},
      {L"*", OtBinary},       {L"+", OtUnaryPrefix},  {L"-", OtUnaryPrefix},
      {L"^", OtBinary},       {L"!", OtUnaryPostfix}, {L"=", OtBinary}};
  if (index < 0 || index >= (int)(sizeof table / sizeof table[0])) return false;
  text = table[index].text;
  type = table[index].type;
  return true;
}

// ---- life ------------------------------------------------------------------------------------

CCalculatorKernel::CCalculatorKernel() {
  CalculationRequestMessage();
  try {
    CreateKernelObject(CLSID_BasicMultiLinesInterpreterOrlen, Interpreter);
    Check(Interpreter->get_Lib(Library.ReleaseAndGetAddressOf()));
    CreateKernelObject(CLSID_CategoriesList, Categories);
    Check(Interpreter->put_ErrorEvents(static_cast<IErrorEvents*>(this)));
    Check(Interpreter->put_IsCalculationNeeded(static_cast<IIsCalculationNeeded*>(this)));
  } catch (const _com_error& e) {
    CString text = ResourceText(IDS_KERNEL_NOT_CREATED);
    text += L"\r\n";
    text += e.ErrorMessage();
    text.TrimRight();
    ::MessageBoxW(nullptr, text, ResourceText(IDS_PROGRAM_CAPTION), MB_ICONERROR);
    // The kernel's objects made so far hold this object's faces: let them go first.
    Categories.Reset();
    Library.Reset();
    Interpreter.Reset();
    throw;
  }
}

CCalculatorKernel::~CCalculatorKernel() {
  ErrorText.Empty();
  // The interpreter holds the callback faces of this object; it goes before this memory does.
  if (Interpreter) Interpreter->put_IsCalculationNeeded(nullptr);
  Categories.Reset();
  Library.Reset();
  Interpreter.Reset();
}

CCalculatorKernel* CCalculatorKernel::FromInterface(ICalculatorKernel* kernel) {
  if (!kernel) return nullptr;
  void* object = nullptr;
  if (kernel->QueryInterface(IID_InternalCalculatorKernel, &object) != S_OK) return nullptr;
  return static_cast<CCalculatorKernel*>(static_cast<ICalculatorKernel*>(object));
}

STDMETHODIMP CCalculatorKernel::QueryInterface(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  if (riid == IID_ICalculatorKernel || riid == IID_InternalCalculatorKernel)
    *ppv = static_cast<ICalculatorKernel*>(this);
  else if (riid == IID_IUnknown || riid == IID_IErrorEvents)
    *ppv = static_cast<IErrorEvents*>(this);
  else if (riid == IID_IIsCalculationNeeded)
    *ppv = static_cast<IIsCalculationNeeded*>(this);
  else
    return E_NOINTERFACE;
  return S_OK;
}

// ---- evaluation ------------------------------------------------------------------------------

STDMETHODIMP CCalculatorKernel::ParseExpression(BSTR Expression, ParseExpResult* Result) {
  if (!Result) return E_POINTER;
  ::VariantInit(&Result->Value);
  Result->Type = rtVariant;

  if (Busy) {
    // The interpreter is in the middle of a calculation further up this stack. The request
    // that led here is posted again once that calculation has ended.
    Result->Type = rtError;
    return Guarded([&] {
      if (Dispatching && !DispatchingDeferred) {
        Deferred.push_back(*Dispatching);
        DispatchingDeferred = true;
      }
      return E_PENDING;
    });
  }

  ErrorText.Empty();
  ErrorSeen = false;
  Busy = true;
  // The first callback of a run looks at the queue: a request that waits already ends it at once.
  NextPumpAt = 0;
  // A failure of the whole worksheet (one of the kernel's limits, say) is described in the
  // kernel's error info; that text is the answer, the bridge's own only when there is none.
  CString failure;
  auto checkKernel = [&](HRESULT result) {
    if (SUCCEEDED(result)) return;
    try {
      _com_issue_errorex(result, Interpreter.Get(), IID_IMultiLinesInterpreterOrlen);
    } catch (const _com_error& e) {
      failure = (const wchar_t*)e.Description();
      throw;
    }
  };
  HRESULT hr = Guarded([&] {
    // Each setting goes through the settings object as the interpreter hands it out then.
    auto settings = [&] {
      ComPtr<ISettings> current;
      Check(Interpreter->get_Settings(current.ReleaseAndGetAddressOf()));
      return current;
    };
    Check(settings()->put_AngleMeasurement(AngleMeasurement));
    Check(settings()->put_IntegerFormatOut(FormatOut));
    Check(settings()->put_FloatFormatOut(FormatOut));
    Check(settings()->put_FloatFormatStr(nullptr));
    Check(settings()->put_IntFormatStr(nullptr));
    Check(Interpreter->put_Text(Expression));
    VARIANT_BOOL ok = VARIANT_FALSE;
    checkKernel(Interpreter->Parsing(&ok));
    checkKernel(Interpreter->Calc(&ok));
    Check(Interpreter->get_Value(&Result->Value));
    return S_OK;
  });
  Busy = false;
  PostDeferredRequests();

  if (FAILED(hr)) {
    ::VariantClear(&Result->Value);
    Result->Type = rtError;
    CString text = failure.IsEmpty() ? ResourceText(IDS_CALCULATION_FAILED) : failure;
    V_VT(&Result->Value) = VT_BSTR;
    V_BSTR(&Result->Value) = text.AllocSysString();
  }
  return S_OK;
}

void CCalculatorKernel::PostDeferredRequests() {
  std::vector<MSG> requests;
  requests.swap(Deferred);
  for (const MSG& m : requests) ::PostMessageW(m.hwnd, m.message, m.wParam, m.lParam);
}

CString CCalculatorKernel::EvaluateToText(LPCWSTR text) {
  CString answer;
  BSTR expression = ::SysAllocString(text ? text : L"");
  if (!expression) return answer;
  ParseExpResult result;
  HRESULT hr = ParseExpression(expression, &result);
  ::SysFreeString(expression);
  if (hr == S_OK) {
    try {
      answer = VariantToText(result.Value);
    } catch (...) {
      answer.Empty();
    }
  }
  ::VariantClear(&result.Value);
  return answer;
}

CString CCalculatorKernel::VariantToText(const VARIANT& value) {
  switch (V_VT(&value)) {
    case VT_BOOL:
      return ResourceText(V_BOOL(&value) == VARIANT_TRUE ? IDS_TRUE : IDS_FALSE);
    case VT_I8:
      return CString(std::to_wstring((long long)V_I8(&value)));
    case VT_UI8:
      return CString(std::to_wstring((unsigned long long)V_UI8(&value)));
    case VT_EMPTY:
      return CString(L"0");
  }
  return ResultValueText(value);
}

STDMETHODIMP CCalculatorKernel::IsCalculationNeeded(VARIANT_BOOL* Result) {
  if (!Result) return E_POINTER;
  *Result = VARIANT_TRUE;
  if (Busy && NextPumpAt != 0 && Ticks() < NextPumpAt) return S_OK;
  const UINT request = CalculationRequestMessage();
  int dispatched = 0;
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE | PM_NOYIELD)) {
    if (msg.message == request) {
      // A newer request: it runs once this calculation has given way.
      ::PostMessageW(msg.hwnd, msg.message, msg.wParam, msg.lParam);
      *Result = VARIANT_FALSE;
      break;
    }
    if (msg.message == WM_QUIT) {
      // The program is closing: the message loop must still see WM_QUIT.
      ::PostQuitMessage((int)msg.wParam);
      *Result = VARIANT_FALSE;
      break;
    }
    const MSG* outer = Dispatching;
    const bool outerDeferred = DispatchingDeferred;
    Dispatching = &msg;
    DispatchingDeferred = false;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
    Dispatching = outer;
    DispatchingDeferred = outerDeferred;
    if (dispatched++ > PUMP_LIMIT) break;
  }
  // The calculation has the time until the next look to itself, however long this one took.
  if (Busy) NextPumpAt = Ticks() + PumpIntervalTicks();
  return S_OK;
}

// ---- settings --------------------------------------------------------------------------------

STDMETHODIMP CCalculatorKernel::GetCalcAngleFormat(CalcAngleFormat* Format) {
  if (!Format) return E_POINTER;
  *Format = AngleFormatFromKernel(AngleMeasurement);
  return S_OK;
}

STDMETHODIMP CCalculatorKernel::GetCalcResultFormat(CalcResultFormat* Format) {
  if (!Format) return E_POINTER;
  *Format = ResultFormatFromKernel(FormatOut);
  return S_OK;
}

STDMETHODIMP CCalculatorKernel::SetCalcSettings(CalcAngleFormat angleFormat, CalcResultFormat resultFormat) {
  AngleFormatToKernel(angleFormat, AngleMeasurement);
  ResultFormatToKernel(resultFormat, FormatOut);
  return S_OK;
}

// ---- names -----------------------------------------------------------------------------------

STDMETHODIMP CCalculatorKernel::IsDefined(BSTR Text, CalcObjectType* defType, int* findIndex) {
  if (defType) *defType = CotUnknown;
  if (findIndex) *findIndex = -1;
  if (!defType || !findIndex) return E_POINTER;
  return Guarded([&]() -> HRESULT {
    ComPtr<IFuncs> funcs = LibraryPart(Library.Get(), &ILibOrlen::get_Funcs);
    const long count = CountOf(funcs.Get());
    for (long i = 0; i < count; ++i) {
      OwnedBstr name;
      Check(funcs->get_Name(i, name.Out()));
      if (SameName(name.Text(), Text)) {
        *findIndex = (int)i;
        *defType = IsWordOperator(Text) ? CotOperator : CotFunction;
        return S_OK;
      }
      long aliases = 0;
      Check(funcs->get_CountAlias(i, &aliases));
      for (long k = 0; k < aliases; ++k) {
        OwnedBstr alias;
        Check(funcs->get_Alias(i, k, alias.Out()));
        if (SameName(alias.Text(), Text)) {
          *defType = CotFunction;
          return S_OK;
        }
      }
    }
    long found = FindByName(LibraryPart(Library.Get(), &ILibOrlen::get_Vars).Get(), Text);
    if (found >= 0) {
      *findIndex = (int)found;
      *defType = CotVariable;
      return S_OK;
    }
    found = FindByName(LibraryPart(Library.Get(), &ILibOrlen::get_Consts).Get(), Text);
    if (found >= 0) {
      *findIndex = (int)found;
      *defType = CotConstant;
      return S_OK;
    }
    return S_FALSE;
  });
}

STDMETHODIMP CCalculatorKernel::GetFunctionIndex(BSTR funcName, int* Index) {
  if (!Index) return E_POINTER;
  *Index = -1;
  return Guarded([&]() -> HRESULT {
    const long found = FindByName(LibraryPart(Library.Get(), &ILibOrlen::get_Funcs).Get(), funcName);
    if (found < 0) return S_FALSE;
    *Index = (int)found;
    return S_OK;
  });
}

// ---- getters ---------------------------------------------------------------------------------

STDMETHODIMP CCalculatorKernel::GetCountObjects(CalcObjectType ObjectType, int* Count) {
  if (!Count) return E_POINTER;
  *Count = 0;
  return Guarded([&] {
    long n = 0;
    switch (ObjectType) {
      case CotConstant:
        n = CountOf(LibraryPart(Library.Get(), &ILibOrlen::get_Consts).Get());
        break;
      case CotFunction:
        n = CountOf(LibraryPart(Library.Get(), &ILibOrlen::get_Funcs).Get());
        break;
      case CotVariable:
        n = CountOf(LibraryPart(Library.Get(), &ILibOrlen::get_Vars).Get());
        break;
      case CotCategory:
        n = CountOf(Categories.Get());
        break;
      default:
        break;
    }
    *Count = (int)n;
    return S_OK;
  });
}

STDMETHODIMP CCalculatorKernel::GetVarValue(int Index, VARIANT* Value) {
  if (!Value) return E_POINTER;
  ::VariantInit(Value);
  V_VT(Value) = VT_R8;
  V_R8(Value) = 0.0;
  HRESULT hr = Guarded([&]() -> HRESULT {
    ComPtr<IVars> vars = LibraryPart(Library.Get(), &ILibOrlen::get_Vars);
    if (!HoldsIndex(vars.Get(), Index)) return S_FALSE;
    VARIANT v;
    ::VariantInit(&v);
    Check(vars->Value(Index, &v));
    *Value = v;
    return S_OK;
  });
  return FAILED(hr) ? S_FALSE : hr;
}

STDMETHODIMP CCalculatorKernel::GetVarName(int Index, BSTR* Name) {
  if (!Name) return E_POINTER;
  *Name = nullptr;
  return Guarded([&]() -> HRESULT {
    ComPtr<IVars> vars = LibraryPart(Library.Get(), &ILibOrlen::get_Vars);
    if (!HoldsIndex(vars.Get(), Index)) {
      *Name = NewBstr(L"");
      return S_FALSE;
    }
    OwnedBstr name;
    Check(vars->get_Name(Index, name.Out()));
    *Name = name.Detach();
    if (!*Name) *Name = NewBstr(L"");
    return S_OK;
  });
}

STDMETHODIMP CCalculatorKernel::GetFunction(int Index, CalcFunction* Function) {
  if (!Function) return E_POINTER;
  *Function = CalcFunction{};
  return Guarded([&]() -> HRESULT {
    ComPtr<IFuncs> funcs = LibraryPart(Library.Get(), &ILibOrlen::get_Funcs);
    if (!HoldsIndex(funcs.Get(), Index)) return S_FALSE;
    ComPtr<IFunc> func;
    Check(funcs->get_FuncInterface(Index, func.ReleaseAndGetAddressOf()));
    OwnedBstr name, signature, description;
    CategoryOrlen category = cUnknown;
    Check(func->get_Name(name.Out()));
    Check(func->get_Signature(signature.Out()));
    Check(func->get_Category(&category));
    Check(func->get_Description(description.Out()));
    Function->CfnName = name.Detach();
    Function->CfnSignature = signature.Detach();
    Function->CfnCategoryId = (int)category;
    Function->CfnDescription = description.Detach();
    return S_OK;
  });
}

STDMETHODIMP CCalculatorKernel::GetConstant(int Index, CalcConstant* Constant) {
  if (!Constant) return E_POINTER;
  Constant->Name = nullptr;
  ::VariantInit(&Constant->Value);
  Constant->Dimension = nullptr;
  return Guarded([&]() -> HRESULT {
    ComPtr<IConsts> consts = LibraryPart(Library.Get(), &ILibOrlen::get_Consts);
    if (!HoldsIndex(consts.Get(), Index)) return S_FALSE;
    ComPtr<IConst> item;
    Check(consts->get_Item(Index, item.ReleaseAndGetAddressOf()));
    OwnedBstr name;
    Check(item->get_Name(name.Out()));
    VARIANT value;
    ::VariantInit(&value);
    Check(item->Value(&value));
    BSTR dimension = ::SysAllocString(L"");
    if (!dimension) {
      ::VariantClear(&value);
      throw std::bad_alloc();
    }
    Constant->Name = name.Detach();
    Constant->Value = value;
    Constant->Dimension = dimension;
    return S_OK;
  });
}

STDMETHODIMP CCalculatorKernel::GetOperator(int Index, CalcOperator* Operator) {
  if (!Operator) return E_POINTER;
  Operator->Operator = nullptr;
  Operator->Type = OtBinary;
  LPCWSTR text = nullptr;
  OperatorType type = OtBinary;
  if (!OperatorByIndex(Index, text, type)) return S_FALSE;
  Operator->Operator = ::SysAllocString(text);
  if (!Operator->Operator) return E_OUTOFMEMORY;
  Operator->Type = type;
  return S_OK;
}

STDMETHODIMP CCalculatorKernel::GetCategory(int Index, CalcCategory* Category) {
  if (!Category) return E_POINTER;
  Category->ccName = nullptr;
  Category->ccCategoryId = -1;
  Category->ccCategoryIndex = Index;
  return Guarded([&]() -> HRESULT {
    const long count = CountOf(Categories.Get());
    if (Index < 1 || Index >= count) {
      Category->ccName = NewBstr(L"Hidden");
      return S_FALSE;
    }
    CategoryOrlen id = cUnknown;
    Check(Categories->get_Category(Index, &id));
    OwnedBstr name;
    Check(Categories->get_Name(Index, name.Out()));
    Category->ccCategoryId = (int)id;
    Category->ccName = name.Detach();
    return S_OK;
  });
}

STDMETHODIMP CCalculatorKernel::GetCategoryIndex(int categoryId, int* Index) {
  if (!Index) return E_POINTER;
  *Index = -1;
  return Guarded([&] {
    long index = -1;
    Check(Categories->GetIndex((CategoryOrlen)categoryId, &index));
    *Index = (int)index;
    return S_OK;
  });
}

// ---- IErrorEvents ----------------------------------------------------------------------------

STDMETHODIMP CCalculatorKernel::get_ErrorFlag(VARIANT_BOOL* Value) {
  if (!Value) return E_POINTER;
  *Value = ErrorFlag;
  ErrorSeen = ErrorFlag != VARIANT_FALSE;
  return S_OK;
}

STDMETHODIMP CCalculatorKernel::put_ErrorFlag(VARIANT_BOOL Value) {
  ErrorFlag = Value;
  return S_OK;
}

STDMETHODIMP CCalculatorKernel::get_ErrorText(BSTR* Value) {
  if (!Value) return E_POINTER;
  *Value = ErrorText.AllocSysString();
  return *Value ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP CCalculatorKernel::put_ErrorText(BSTR Value) {
  return Guarded([&] {
    ErrorText = CString(Value ? Value : L"", (int)::SysStringLen(Value));
    return S_OK;
  });
}
