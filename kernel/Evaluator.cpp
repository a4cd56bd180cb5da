#include "Evaluator.h"

#include <climits>
#include <memory>
#include <new>
#include <utility>

#include "ErrorEvents.h"
#include "Library.h"
#include "Messages.h"
#include "NameCompare.h"
#include "Nodes.h"

namespace evalkern {

namespace {

// Internal objects have no coclass; their failures still carry a description to the caller.
const ErrorSource kInternal{L"Evalkern", nullptr};

constexpr long kNoSuchName = LONG_MIN;
constexpr long kNoCount = LONG_MAX;

}  // namespace

// What one evaluation works with: the library, its sink and its three views, fetched once.
struct EvalContext {
  ComPtr<ILibOrlen> lib;
  ComPtr<IErrorEvents> sink;
  ComPtr<IFuncs> funcs;
  ComPtr<IConsts> consts;
  ComPtr<IVars> vars;
  TLibOrlen* native = nullptr;  // the kernel's own library behind `lib`, reached directly
  ULONG_PTR stackFloor = 0;     // lowest address of the evaluating thread's stack (0: unknown)
};

namespace {

using ContextPtr = std::shared_ptr<const EvalContext>;

// Every nested call costs several frames (the call, its lazy arguments, the body), so a tree
// thousands of levels deep would run the thread out of stack. The evaluation stops with an
// error while a safe margin is left, whatever stack size the host gave its thread.
ULONG_PTR ThreadStackFloor() {
  static thread_local ULONG_PTR stackFloor = 0;
  if (!stackFloor) {
    char probe = 0;
    MEMORY_BASIC_INFORMATION mbi{};
    if (VirtualQuery(&probe, &mbi, sizeof mbi))
      stackFloor = reinterpret_cast<ULONG_PTR>(mbi.AllocationBase);
  }
  return stackFloor;
}

bool StackNearlyExhausted(ULONG_PTR stackFloor) {
  if (!stackFloor) return false;
  char probe = 0;
  constexpr ULONG_PTR kMargin = 160 * 1024;
  return reinterpret_cast<ULONG_PTR>(&probe) - stackFloor < kMargin;
}

// `sink` stands in for the library's own when given.
ContextPtr MakeContext(ILibOrlen* lib, IErrorEvents* sink = nullptr) {
  if (!lib) RaiseError(L"No library to evaluate against");
  auto ctx = std::make_shared<EvalContext>();
  ctx->lib = lib;
  ctx->native = AsLibOrlen(lib);
  ctx->stackFloor = ThreadStackFloor();
  if (sink)
    ctx->sink = sink;
  else
    Check(lib->get_ErrorEvents(ctx->sink.GetAddressOf()));
  if (!ctx->sink) RaiseError(L"The library has no error sink");
  Check(lib->get_Funcs(ctx->funcs.GetAddressOf()));
  Check(lib->get_Consts(ctx->consts.GetAddressOf()));
  Check(lib->get_Vars(ctx->vars.GetAddressOf()));
  if (!ctx->funcs || !ctx->consts || !ctx->vars)
    RaiseError(L"The library gave no function, constant or variable list");
  return ctx;
}

struct Bstr {
  BSTR p = nullptr;
  Bstr() = default;
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  ~Bstr() { SysFreeString(p); }
};

// A name as a BSTR for the COM calls: the node's own when it has one, else made on first use.
struct NameBstr {
  const wchar_t* name;
  std::size_t length;
  BSTR given;
  Bstr made;
  BSTR operator()() {
    if (given) return given;
    if (!made.p) made.p = MakeBstr(name, length);
    return made.p;
  }
};

bool SinkFlag(IErrorEvents* sink) {
  VARIANT_BOOL flag = VARIANT_FALSE;
  Check(sink->get_ErrorFlag(&flag));
  return flag != VARIANT_FALSE;
}

void EvaluateIn(INodeParsing* node, const ContextPtr& ctx, VARIANT* result);
void EvaluateIn(INodeParsing* node, const KernelNodeRef* ref, const ContextPtr& ctx,
                VARIANT* result);

// The arguments of one call: each Value evaluates its child node again. One of these is made
// per call, so its block comes from the pool.
class TArguments : public IArguments, public TRefCount, public TPooled {
  EVALKERN_IUNKNOWN
 public:
  // `kernelNode` is the kernel object behind `node` when it is one; its children are read
  // directly.
  TArguments(INodeFunc* node, const TNodeFunc* kernelNode, ContextPtr ctx)
      : node_(node), kernelNode_(kernelNode), ctx_(std::move(ctx)) {}
  void* Cast(REFIID iid) { return CastToOne<IArguments>(this, iid, IID_IArguments); }
  STDMETHODIMP get_Count(LONG* value) override {
    if (!value) return E_POINTER;
    *value = 0;
    if (kernelNode_) {
      *value = static_cast<LONG>(kernelNode_->ChildNodes().size());
      return S_OK;
    }
    return Guard(kInternal, [&] { Check(node_->get_CountChildNodes(value)); });
  }
  STDMETHODIMP get_Value(LONG index, VARIANT* value) override {
    if (!value) return E_POINTER;
    VariantInit(value);
    return Guard(kInternal, [&] {
      if (kernelNode_) {
        // The node's own rule: an index outside its children is a range error.
        const NodeChildren& children = kernelNode_->ChildNodes();
        if (index < 0 || static_cast<std::size_t>(index) >= children.size())
          RaiseError(L"List index out of bounds");
        const KernelNodeRef& kind = kernelNode_->KernelChild(static_cast<std::size_t>(index));
        return EvaluateIn(children[index], &kind, ctx_, value);
      }
      ComPtr<INodeParsing> child;
      Check(node_->get_ChildNodes(index, child.GetAddressOf()));
      EvaluateIn(child.Get(), ctx_, value);
    });
  }

 private:
  ComPtr<INodeFunc> node_;
  const TNodeFunc* kernelNode_;
  ContextPtr ctx_;
};

class THollowArguments : public IArguments, public TRefCount {
  EVALKERN_IUNKNOWN
 public:
  void* Cast(REFIID iid) { return CastToOne<IArguments>(this, iid, IID_IArguments); }
  STDMETHODIMP get_Count(LONG* value) override {
    if (!value) return E_POINTER;
    *value = 0;
    return S_OK;
  }
  STDMETHODIMP get_Value(LONG, VARIANT* value) override {
    if (!value) return E_POINTER;
    VariantInit(value);
    value->vt = VT_I4;
    value->lVal = 0;
    return S_OK;
  }
};

// The bracket function "(": exactly one argument, whose value it gives.
class TFunc_C : public IFunc, public TRefCount {
  EVALKERN_IUNKNOWN
 public:
  void* Cast(REFIID iid) { return CastToOne<IFunc>(this, iid, IID_IFunc); }
  STDMETHODIMP get_Name(BSTR* value) override { return Text(L"(", value); }
  STDMETHODIMP CheckArgumentsNumber(LONG count, LONG* result) override {
    if (!result) return E_POINTER;
    *result = count - 1;
    return S_OK;
  }
  STDMETHODIMP Func(IArguments* arguments, VARIANT* result) override {
    if (!result) return E_POINTER;
    VariantInit(result);
    return Guard(kInternal, [&] {
      try {
        if (!arguments) RaiseError(L"No arguments");
        LONG n = 0;
        Check(arguments->get_Count(&n));
        if (n == 1) {
          Check(arguments->get_Value(0, result));
          return;
        }
        if (errorEvents_) ReportFlagThenText(errorEvents_.Get(), GetMessageText(n > 1 ? 14026 : 14027));
        result->vt = VT_ERROR;
        result->scode = E_INVALIDARG;
      } catch (const KernelError& e) {
        VariantClear(result);
        if (!errorEvents_) throw;
        ReportFlagThenText(errorEvents_.Get(), e.text);
      }
    });
  }
  STDMETHODIMP get_Description(BSTR* value) override {
    if (!value) return E_POINTER;
    *value = nullptr;
    return Guard(kInternal, [&] { *value = MakeBstr(GetMessageText(13051)); });
  }
  STDMETHODIMP get_Category(CategoryOrlen* value) override {
    if (!value) return E_POINTER;
    *value = cHidden;
    return S_OK;
  }
  STDMETHODIMP get_Signature(BSTR* value) override { return Text(L"X", value); }
  STDMETHODIMP get_CountAlias(LONG* value) override {
    if (!value) return E_POINTER;
    *value = 1;
    return S_OK;
  }
  STDMETHODIMP get_Alias(LONG, BSTR* value) override { return Text(L"(", value); }
  STDMETHODIMP get_Settings(ISettings** value) override { return GetField(settings_, value); }
  STDMETHODIMP put_Settings(ISettings* value) override { return PutField(settings_, value); }
  STDMETHODIMP get_ErrorEvents(IErrorEvents** value) override {
    return GetField(errorEvents_, value);
  }
  STDMETHODIMP put_ErrorEvents(IErrorEvents* value) override {
    return PutField(errorEvents_, value);
  }

 private:
  static HRESULT Text(const wchar_t* text, BSTR* value) {
    if (!value) return E_POINTER;
    *value = SysAllocString(text);
    return *value ? S_OK : E_OUTOFMEMORY;
  }
  ComPtr<IErrorEvents> errorEvents_;
  ComPtr<ISettings> settings_;
};

bool IsBracketName(BSTR name) { return BstrLength(name) == 1 && name[0] == L'('; }

bool HasAlias(IFuncs* funcs, LONG i, BSTR name) {
  LONG n = 0;
  Check(funcs->get_CountAlias(i, &n));
  for (LONG j = 0; j < n; ++j) {
    Bstr alias;
    Check(funcs->get_Alias(i, j, &alias.p));
    if (NamesEqual(BstrChars(alias.p), BstrLength(alias.p), BstrChars(name), BstrLength(name)))
      return true;
  }
  return false;
}

// Positions of the functions of `funcs` that have `name` among their aliases, in order; read
// from the library's own index when `funcs` is the kernel's library.
std::vector<long> FunctionsNamed(IFuncs* funcs, BSTR name) {
  ComPtr<ILibOrlen> lib;
  if (SUCCEEDED(funcs->QueryInterface(IID_ILibOrlen, reinterpret_cast<void**>(lib.GetAddressOf()))))
    if (TLibOrlen* native = AsLibOrlen(lib.Get()))
      return native->FuncsNamed(BstrChars(name), BstrLength(name));
  std::vector<long> found;
  LONG count = 0;
  Check(funcs->get_Count(&count));
  for (LONG i = 0; i < count; ++i)
    if (HasAlias(funcs, i, name)) found.push_back(i);
  return found;
}

// Constant and variable tests of the reporters answer no while the flag is set.
bool IsConst(IConsts* consts, IErrorEvents* sink, BSTR name) {
  if (SinkFlag(sink)) return false;
  LONG i = -1;
  Check(consts->GetIndex(name, &i));
  return i >= 0;
}

void ReportFuncCallErrorIn(const EvalContext& ctx, BSTR name, long count) {
  IErrorEvents* sink = ctx.sink.Get();
  if (!SinkFlag(sink)) {
    LONG i = -1;
    Check(ctx.funcs->GetFirstEntryIndex(name, count, cAll, &i));
    if (i >= 0) return;
  }
  long m = NearestCountMismatch(ctx.funcs.Get(), name, count);
  std::wstring text = FromBstr(name);
  bool bracket = IsBracketName(name);
  int id = 0;
  bool withName = true;
  if (m == kNoSuchName) {
    id = 14018;
  } else if (m == kNoCount) {
    if (IsConst(ctx.consts.Get(), sink, name))
      id = 14019;
    else if (IsConst(ctx.vars.Get(), sink, name))
      id = 14020;
    else
      id = 14021;
  } else if (m >= 1) {
    if (bracket) {
      id = 14026;
      withName = false;
    } else {
      id = m >= 2 ? 14022 : 14024;
    }
  } else if (m == -1) {
    if (bracket) {
      id = 14027;
      withName = false;
    } else {
      id = 14025;
    }
  } else if (m <= -2) {
    id = 14023;
  }
  if (id == 0) {
    Check(sink->put_ErrorFlag(VARIANT_TRUE));
    return;
  }
  ReportTextThenFlag(sink, withName ? GetMessageTextFmt(id, text) : GetMessageText(id));
}

void ReportUnknownIdentifierIn(const EvalContext& ctx, BSTR name) {
  IErrorEvents* sink = ctx.sink.Get();
  if (IsConst(ctx.consts.Get(), sink, name) || IsConst(ctx.vars.Get(), sink, name)) return;
  if (BstrLength(name) == 7 && std::wstring(name, 7) == L"getinfo")
    MessageBoxW(nullptr, GetMessageText(11000).c_str(), L"Evalkern", MB_OK | MB_ICONINFORMATION);
  int id = FunctionsNamed(ctx.funcs.Get(), name).empty() ? 14028 : 14023;
  ReportTextThenFlag(sink, GetMessageTextFmt(id, FromBstr(name)));
}

// A call of `name` with the children of `call` as its arguments.
void EvaluateCall(INodeFunc* call, const TNodeFunc* kernelCall, const wchar_t* name,
                  std::size_t length, BSTR nameBstr, LONG n, const ContextPtr& ctx,
                  VARIANT* result) {
  NameBstr bstrName{name, length, nameBstr};
  LONG i = -1;
  if (ctx->native)
    i = ctx->native->FindFunc(name, length, n, cAll);
  else
    Check(ctx->funcs->GetFirstEntryIndex(bstrName(), n, cAll, &i));
  if (i < 0) {
    ReportFuncCallErrorIn(*ctx, bstrName(), n);
    return;
  }
  ComPtr<IArguments> args(new TArguments(call, kernelCall, ctx));
  if (ctx->native)
    ctx->native->CallFunc(i, args.Get(), result);
  else
    Check(ctx->funcs->Func(i, args.Get(), result));
}

// A bare name: a constant, else a variable, else a function of no arguments.
void EvaluateName(const wchar_t* name, std::size_t length, BSTR nameBstr, const ContextPtr& ctx,
                  VARIANT* result) {
  NameBstr bstrName{name, length, nameBstr};
  LONG i = -1;
  if (TLibOrlen* lib = ctx->native) {
    if ((i = lib->FindConst(name, length)) >= 0) return lib->ConstValue(i, result);
    if ((i = lib->FindVar(name, length)) >= 0) return lib->VarValue(i, result);
    if ((i = lib->FindFunc(name, length, 0, cAll)) >= 0)
      return lib->CallFunc(i, NewHollowArguments().Get(), result);
  } else {
    Check(ctx->consts->GetIndex(bstrName(), &i));
    if (i >= 0) return Check(ctx->consts->Value(i, result));
    Check(ctx->vars->GetIndex(bstrName(), &i));
    if (i >= 0) return Check(ctx->vars->Value(i, result));
    Check(ctx->funcs->GetFirstEntryIndex(bstrName(), 0, cAll, &i));
    if (i >= 0) return Check(ctx->funcs->Func(i, NewHollowArguments().Get(), result));
  }
  ReportUnknownIdentifierIn(*ctx, bstrName());
}

// Nodes of the kernel's own tree are read directly; any other node through its interfaces.
void EvaluateKind(INodeParsing* node, const KernelNodeRef& ref, const ContextPtr& ctx,
                  VARIANT* result) {
  IErrorEvents* sink = ctx->sink.Get();
  switch (ref.kind) {
    case NodeKind::Func: {
      TNodeFunc* call = static_cast<TNodeFunc*>(ref.object);
      const std::wstring& name = call->Name();
      return EvaluateCall(call, call, name.data(), name.size(), nullptr,
                          static_cast<LONG>(call->ChildNodes().size()), ctx, result);
    }
    case NodeKind::Lowermost:
      return Check(VariantCopy(
          result, const_cast<VARIANT*>(&static_cast<TNodeLowermost*>(ref.object)->Value())));
    case NodeKind::VariableOrConst: {
      const std::wstring& name = static_cast<TNodeVariableOrConst*>(ref.object)->Name();
      return EvaluateName(name.data(), name.size(), nullptr, ctx, result);
    }
    case NodeKind::Error:
      return ReportFlagThenText(sink, static_cast<TNodeError*>(ref.object)->TextError());
    case NodeKind::List:
      return;
    case NodeKind::Foreign:
      break;
  }

  {
    ComPtr<INodeError> error;
    if (SUCCEEDED(node->QueryInterface(IID_INodeError,
                                       reinterpret_cast<void**>(error.GetAddressOf())))) {
      Bstr text;
      Check(error->get_TextError(&text.p));
      return ReportFlagThenText(sink, FromBstr(text.p));
    }
  }
  {
    ComPtr<INodeLowermost> literal;
    if (SUCCEEDED(node->QueryInterface(IID_INodeLowermost,
                                       reinterpret_cast<void**>(literal.GetAddressOf()))))
      return Check(literal->get_Value(result));
  }
  {
    ComPtr<INodeFunc> call;
    if (SUCCEEDED(node->QueryInterface(IID_INodeFunc,
                                       reinterpret_cast<void**>(call.GetAddressOf())))) {
      LONG n = 0;
      Check(call->get_CountChildNodes(&n));
      Bstr name;
      Check(call->get_Name(&name.p));
      return EvaluateCall(call.Get(), nullptr, BstrChars(name.p), BstrLength(name.p), name.p, n,
                          ctx, result);
    }
  }
  {
    ComPtr<INodeVariableOrConst> ident;
    if (SUCCEEDED(node->QueryInterface(IID_INodeVariableOrConst,
                                       reinterpret_cast<void**>(ident.GetAddressOf())))) {
      Bstr name;
      Check(ident->get_Name(&name.p));
      return EvaluateName(BstrChars(name.p), BstrLength(name.p), name.p, ctx, result);
    }
  }
  // Any other node, a list included, has no value of its own.
}

// `ref` is what IdentifyNode says of `node`, when the caller knows it already.
void EvaluateIn(INodeParsing* node, const KernelNodeRef* ref, const ContextPtr& ctx,
                VARIANT* result) {
  VariantInit(result);
  IErrorEvents* sink = ctx->sink.Get();
  // After the first error nothing more is evaluated.
  if (SinkFlag(sink)) return;
  if (!node) return;
  try {
    if (StackNearlyExhausted(ctx->stackFloor)) RaiseError(GetMessageText(14068));
    EvaluateKind(node, ref ? *ref : IdentifyNode(node), ctx, result);
  } catch (const KernelError& e) {
    VariantClear(result);
    ReportFlagThenText(sink, e.text);
  }
}

void EvaluateIn(INodeParsing* node, const ContextPtr& ctx, VARIANT* result) {
  EvaluateIn(node, nullptr, ctx, result);
}

}  // namespace

// --- helpers -------------------------------------------------------------------------------------

BSTR MakeBstr(const wchar_t* text, std::size_t length) {
  BSTR b = SysAllocStringLen(text, static_cast<UINT>(length));
  if (!b) throw std::bad_alloc();
  return b;
}

std::wstring FromBstr(BSTR text) { return std::wstring(BstrChars(text), BstrLength(text)); }

void CheckRange(LONG index, std::size_t count, HRESULT hr) {
  if (index < 0 || static_cast<std::size_t>(index) >= count) {
    wchar_t buf[64];
    wsprintfW(buf, L"List index out of bounds (%ld)", static_cast<long>(index));
    RaiseError(buf, hr);
  }
}

bool ErrorFlagSet(IErrorEvents* sink) { return sink && SinkFlag(sink); }

// --- evaluation ----------------------------------------------------------------------------------

void EvaluateNode(INodeParsing* node, ILibOrlen* lib, VARIANT* result) {
  VariantInit(result);
  ContextPtr ctx = MakeContext(lib);
  EvaluateIn(node, ctx, result);
}

TreeEvaluator::TreeEvaluator(ILibOrlen* lib) : lib_(lib) {}
TreeEvaluator::~TreeEvaluator() = default;

void TreeEvaluator::Evaluate(INodeParsing* node, VARIANT* result) {
  VariantInit(result);
  if (!ctx_) ctx_ = MakeContext(lib_);
  EvaluateIn(node, ctx_, result);
}

void TreeEvaluator::Evaluate(INodeParsing* node, const KernelNodeRef& kind, VARIANT* result) {
  VariantInit(result);
  if (!ctx_) ctx_ = MakeContext(lib_);
  EvaluateIn(node, &kind, ctx_, result);
}

long NearestCountMismatch(IFuncs* funcs, BSTR name, long count) {
  bool seen = false;
  long last = kNoSuchName;
  bool havePositive = false, haveNegative = false;
  long smallestPositive = kNoCount, largestNegative = kNoSuchName;
  for (long i : FunctionsNamed(funcs, name)) {
    LONG answer = 0;
    Check(funcs->CheckArgumentsNumber(i, count, &answer));
    if (answer == 0) return 0;
    seen = true;
    last = answer;
    if (answer > 0 && answer < kNoCount) {
      havePositive = true;
      if (answer < smallestPositive) smallestPositive = answer;
    } else if (answer < 0 && answer > kNoSuchName) {
      haveNegative = true;
      if (answer > largestNegative) largestNegative = answer;
    }
  }
  if (havePositive) return smallestPositive;
  if (haveNegative) return largestNegative;
  return seen ? last : kNoSuchName;
}

void ReportFuncCallError(ILibOrlen* lib, IErrorEvents* sink, BSTR name, long count) {
  ReportFuncCallErrorIn(*MakeContext(lib, sink), name, count);
}

void ReportUnknownIdentifier(ILibOrlen* lib, IErrorEvents* sink, BSTR name) {
  ReportUnknownIdentifierIn(*MakeContext(lib, sink), name);
}

ComPtr<IArguments> NewHollowArguments() { return ComPtr<IArguments>(new THollowArguments()); }

ComPtr<IFunc> NewBracketFunc() { return ComPtr<IFunc>(new TFunc_C()); }

bool HasBracketFunc(ILibOrlen* lib) {
  ComPtr<IFuncs> funcs;
  Check(lib->get_Funcs(funcs.GetAddressOf()));
  if (!funcs) return false;
  Bstr name;
  name.p = MakeBstr(L"(", 1);
  LONG i = -1;
  Check(funcs->GetFirstEntryIndex(name.p, 1, cAll, &i));
  return i >= 0;
}

}  // namespace evalkern
